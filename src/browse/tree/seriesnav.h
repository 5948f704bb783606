#pragma once
// Keyboard navigation of the Series page: type-ahead over the top-level
// series and the clamped scrolling of the series tree.
#include <QChar>
#include <QString>
#include <Qt>

struct tnodeinfo;

// Letters a-z and A-Z start or extend a type-ahead; nothing else does.
bool IsTypeAheadLetter(QChar c);

// The first child of root, in tree order, whose name begins with filter
// ignoring case; nullptr when none does or the filter is empty.
tnodeinfo *FindTypeAheadSeries(const tnodeinfo &root, const QString &filter);

// The type-ahead text after a letter: the letter added while the pause
// timer still runs (the collector is typing on), else the letter alone.
QString TypeAheadFilter(const QString &filter, bool stillTyping, QChar letter);

// What a key does on the main window (page: its tMainPage). Keys work on
// the Series page only: letters search the top-level series, Left goes to
// the parent, Up and Down scroll the tree by a row, Page Up and Page Down
// by a page; every other key is left to the focused control.
enum class tSeriesKey { None, TypeAhead, Parent, ScrollUp, ScrollDown, PageUp, PageDown };
tSeriesKey SeriesPageKey(int page, int key, QChar text);

// value + delta kept within [minimum, maximum].
int ClampedScroll(int value, int delta, int minimum, int maximum);
