#include "browse/seriespictures/ui/picturebox.h"

#include <QPainter>

#include "browse/seriespictures/seriespictures.h"

namespace {

// A small picture is decoded at least this large, so that a panel that
// grows afterwards still shows it sharp.
constexpr int LeastDecodeSide = 512;

} // namespace

TPictureBox::TPictureBox(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

QSize TPictureBox::DecodeBox() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize shown(qRound(width() * ratio), qRound(height() * ratio));
    return shown.expandedTo(QSize(LeastDecodeSide, LeastDecodeSide));
}

QRect TPictureBox::PictureRect() const
{
    const QPixmap p = pixmap();
    if (p.isNull())
        return {};
    return FittedPictureRect(p.deviceIndependentSize().toSize(), contentsRect());
}

QSize TPictureBox::sizeHint() const
{
    return {};
}

QSize TPictureBox::minimumSizeHint() const
{
    return {};
}

void TPictureBox::paintEvent(QPaintEvent *event)
{
    const QPixmap p = pixmap();
    if (p.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawFrame(&painter);
    painter.drawPixmap(PictureRect(), p);
}
