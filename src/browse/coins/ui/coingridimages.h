#pragma once
// The pictures the coin grid draws in its cells: the picture mark, the lock
// and the eight check marks of the main window's 32 x 32 list. Drawn for us
// as SVG and embedded under :/coingrid (the lock is the series tree's);
// rendered once per picture at the screen's pixel ratio.
#include <QPixmap>

// A picture by its index in the 32 x 32 list (tCoinGridImage); a null
// pixmap for an index the grid does not use.
const QPixmap &CoinGridImage(int index);
