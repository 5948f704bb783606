#pragma once
// Small commands of the main window that change its own presentation: the
// size of the red caption naming the selected series or entry, and the
// "Resize main window" command. Plain arithmetic, so the rules are tested
// without a window.
#include <functional>

#include <QRect>
#include <QSize>
#include <QString>

// The caption's font size (pixels): the largest that fits the label, from
// 12 on screens up to 800 pixels wide and 28 on wider ones, down to 8 at
// the least even when the text does not fit then. measure gives the text's
// size at a font size.
int FitCaptionSize(int screenWidth, QSize label, const std::function<QSize(int size)> &measure);

// "Resize main window": 80 % of the screen at 10 % from its top-left
// corner (whole pixels, rounded down).
QRect ResizedMainWindowBounds(const QRect &screen);
