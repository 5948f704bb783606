#pragma once
// The pictures of the series tree: the tree's own image list (node and
// connector glyphs) and the entries of the main window's 32 x 32 list that
// the tree shows (arrow buttons, status glyphs). Drawn for us as SVG and
// embedded under :/tree; rendered once per picture at the screen's pixel
// ratio.
#include <QPixmap>

// A picture of the tree's image list (tTreeImage); a null pixmap for an
// index it does not hold.
const QPixmap &TreeImage(int index);
// A picture of the 32 x 32 list that the tree and the message box's
// buttons use (tTreeButtonImage); a null pixmap for any other index.
const QPixmap &TreeButtonImage(int index);
