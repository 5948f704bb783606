#include "tools/common/ui/glyphs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

namespace {

// The largest pixel size at which text fits the box.
QFont FittedFont(const QString &text, const QString &family, const QRectF &box, bool bold)
{
    QFont f;
    if (!family.isEmpty())
        f.setFamilies({family});
    f.setBold(bold);
    int size = static_cast<int>(box.height());
    for (; size > 6; size -= 2) {
        f.setPixelSize(size);
        const QRectF r = QFontMetricsF(f).boundingRect(text);
        if (r.width() <= box.width() && r.height() <= box.height())
            break;
    }
    f.setPixelSize(std::max(size, 6));
    return f;
}

} // namespace

QImage GlyphPicture(const QString &text, int w, int h, const QString &family, QColor color)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    if (text.isEmpty())
        return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF box(w * 0.05, h * 0.05, w * 0.9, h * 0.9);
    p.setFont(FittedFont(text, family, box, false));
    p.setPen(color);
    p.drawText(QRectF(0, 0, w, h), Qt::AlignCenter, text);
    return img;
}

QImage CardPicture(const QString &title, const QString &caption, int w, int h, const QString &family)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0xF5, 0xF0, 0xE1));
    g.setColorAt(1, QColor(0xC8, 0xBE, 0xA0));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x70, 0x60, 0x40), std::max(2, w / 60)));
    p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), w / 14.0, w / 14.0);
    const qreal captionHeight = caption.isEmpty() ? 0 : h * 0.18;
    const QRectF titleBox(w * 0.1, h * 0.08, w * 0.8, h * 0.84 - captionHeight);
    p.setPen(QColor(0x30, 0x28, 0x18));
    p.setFont(FittedFont(title, family, titleBox, true));
    p.drawText(titleBox, Qt::AlignCenter, title);
    if (!caption.isEmpty()) {
        const QRectF capBox(w * 0.08, h - captionHeight - h * 0.06, w * 0.84, captionHeight);
        p.setFont(FittedFont(caption, QString(), capBox, false));
        p.drawText(capBox, Qt::AlignCenter, caption);
    }
    return img;
}

QImage WhitePicture(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(0xFFFFFFFF);
    return img;
}
