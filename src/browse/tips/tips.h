#pragma once
// The tip of the day: the tips built into the program (the resource ":/Tips",
// UTF-8 text, one tip a line) and the rules by which the tip window steps
// through them. The index of the tip shown last is kept in the settings
// ("Tip Index"), so each opening shows the next tip, also across runs.
#include <QByteArray>
#include <QStringList>

// The tips of a text: one a line, whatever the line ends; a byte-order mark
// is skipped and lines blank after trimming are dropped.
QStringList ParseTips(const QByteArray &text);
// The built-in tips.
QStringList LoadTips();

// The tip an opening shows after the one shown last: the next, and the
// first after the last. A stored index outside the list (a shorter list, a
// damaged value) starts again at the first; with no tips it is 0.
int OpeningTipIndex(int shownLast, int count);
// "Next tip" (forward) and "Previous tip": one step, wrapping at both ends.
// With no tips it is 0.
int StepTipIndex(int index, int count, bool forward);
