#pragma once
// The raised column header that the program's grids share (the coin grid,
// the report bin, the grade-scale and exchange-rate grids): a grey face with
// a light top and left edge, a dark right and bottom edge, and the title in
// bold in the middle.
#include <QRectF>
#include <QString>

class QPainter;

constexpr int HeaderFontSize = 16;
constexpr int LargeHeaderFontSize = 20;  // "Use large fonts"

void Draw3DColumnHeader(const QString &InTitle, QPainter &Canvas, const QRectF &Bounds, double FontSize);
