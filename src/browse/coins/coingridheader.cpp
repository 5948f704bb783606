#include "browse/coins/coingridheader.h"

#include <algorithm>

#include <QPainter>

#include "core/model/currproc.h"

void Draw3DColumnHeader(const QString &InTitle, QPainter &Canvas, const QRectF &Bounds, double FontSize)
{
    CurrProcGuard guard(27700);
    Canvas.save();
    const double L = Bounds.left(), T = Bounds.top(), W = Bounds.width(), H = Bounds.height();
    Canvas.fillRect(Bounds, QColor(0xDC, 0xDC, 0xDC));  // Gainsboro
    QPen pen(QColor(0xFA, 0xF0, 0xE6), 3, Qt::SolidLine, Qt::FlatCap);  // Linen
    Canvas.setPen(pen);
    Canvas.drawLine(QPointF(L + 1, T + 1), QPointF(L + W - 2, T + 1));
    Canvas.drawLine(QPointF(L + 1, T + 1), QPointF(L + 1, T + H - 2));
    pen.setColor(QColor(0x70, 0x80, 0x90));  // slate grey
    Canvas.setPen(pen);
    Canvas.drawLine(QPointF(L + W - 2, T + H - 2), QPointF(L + W - 2, T));
    Canvas.drawLine(QPointF(L + W - 2, T + H - 2), QPointF(L + 2, T + H - 2));
    QFont font = Canvas.font();
    font.setBold(true);
    font.setPixelSize(std::max(1, qRound(FontSize)));
    Canvas.setFont(font);
    Canvas.setPen(QColor(0x2F, 0x4F, 0x4F));  // dark slate grey
    Canvas.drawText(Bounds, Qt::AlignCenter | Qt::TextSingleLine, InTitle);
    Canvas.restore();
}
