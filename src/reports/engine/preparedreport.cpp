#include "reports/engine/preparedreport.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

namespace {

// Pages are painted in tenths of a point so that font sizes given in points
// map to whole pixel sizes and every device lays text out alike.
constexpr double UnitsPerMm = 720.0 / 25.4;

QRectF ToUnits(const QRectF &mm)
{
    return {mm.x() * UnitsPerMm, mm.y() * UnitsPerMm, mm.width() * UnitsPerMm, mm.height() * UnitsPerMm};
}

QPointF ToUnits(const QPointF &mm)
{
    return mm * UnitsPerMm;
}

QPen LinePen(const QColor &colour, double widthMm)
{
    QPen pen(colour);
    pen.setWidthF(std::max(widthMm, 0.05) * UnitsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QFont TextFont(const tTextStyle &s)
{
    QFont font(s.FontFamily);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(s.FontSize * 10))));
    font.setBold(s.Bold);
    font.setItalic(s.Italic);
    font.setUnderline(s.Underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A little inner padding keeps text off the frame lines.
constexpr double TextPadMm = 0.5;

void PaintText(QPainter &p, const tPreparedItem &item)
{
    const tTextStyle &s = item.Object->Style;
    const QRectF r = ToUnits(item.Rect);
    if (s.Fill.isValid() && s.Fill.alpha() > 0)
        p.fillRect(r, s.Fill);
    if (!item.Text.isEmpty()) {
        p.setFont(TextFont(s));
        p.setPen(s.Color);
        const double pad = TextPadMm * UnitsPerMm;
        const QRectF inner = r.adjusted(pad, 0, -pad, 0);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        int flags = static_cast<int>(s.Align);
        if (s.WordWrap)
            flags |= Qt::TextWordWrap;
        p.drawText(inner, flags, item.Text);
        p.restore();
    }
    if (s.Frame) {
        p.setPen(LinePen(s.FrameColor, s.FrameWidth));
        if (s.Frame & FrameLeft)
            p.drawLine(r.topLeft(), r.bottomLeft());
        if (s.Frame & FrameTop)
            p.drawLine(r.topLeft(), r.topRight());
        if (s.Frame & FrameRight)
            p.drawLine(r.topRight(), r.bottomRight());
        if (s.Frame & FrameBottom)
            p.drawLine(r.bottomLeft(), r.bottomRight());
    }
}

void PaintPicture(QPainter &p, const tPreparedItem &item)
{
    if (item.Picture.isNull())
        return;
    const QRectF r = ToUnits(item.Rect);
    const QSizeF img = item.Picture.size();
    QRectF dest = r;
    switch (item.Object->Scale) {
    case tPictureScale::Stretch:
        break;
    case tPictureScale::Fit: {
        const QSizeF s = img.scaled(r.size(), Qt::KeepAspectRatio);
        dest = QRectF(r.center() - QPointF(s.width() / 2, s.height() / 2), s);
        break;
    }
    case tPictureScale::Center: {
        // Natural size at 96 dots per inch, never larger than the frame.
        QSizeF s(img.width() * 25.4 / 96 * UnitsPerMm, img.height() * 25.4 / 96 * UnitsPerMm);
        if (s.width() > r.width() || s.height() > r.height())
            s = s.scaled(r.size(), Qt::KeepAspectRatio);
        dest = QRectF(r.center() - QPointF(s.width() / 2, s.height() / 2), s);
        break;
    }
    }
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(dest, item.Picture);
    p.restore();
}

} // namespace

double MeasureTextHeight(const tReportObject &object, const QString &text)
{
    if (text.isEmpty())
        return 0;
    const tTextStyle &s = object.Style;
    const double width = std::max(1.0, (object.Rect.width() - 2 * TextPadMm) * UnitsPerMm);
    const QFontMetricsF metrics(TextFont(s));
    int flags = static_cast<int>(s.Align) | Qt::TextWordWrap;
    const QRectF needed = metrics.boundingRect(QRectF(0, 0, width, 1e9), flags, text);
    return needed.height() / UnitsPerMm;
}

QStringList tPreparedReport::PageTexts(int page) const
{
    QStringList out;
    if (page < 0 || page >= PageCount())
        return out;
    for (const tPreparedItem &i : Pages[static_cast<size_t>(page)].Items)
        if (i.Object->Kind == tReportObject::TextObject)
            out.append(i.Text);
    return out;
}

void PaintReportPage(QPainter &painter, const tPreparedReport &report, int page, const QRectF &target)
{
    if (page < 0 || page >= report.PageCount() || target.isEmpty())
        return;
    const QSizeF size = report.PageSize();
    painter.save();
    painter.fillRect(target, Qt::white);
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / (size.width() * UnitsPerMm), target.height() / (size.height() * UnitsPerMm));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const tPreparedItem &item : report.Pages[static_cast<size_t>(page)].Items) {
        switch (item.Object->Kind) {
        case tReportObject::TextObject:
            PaintText(painter, item);
            break;
        case tReportObject::PictureObject:
            PaintPicture(painter, item);
            break;
        case tReportObject::LineObject:
            painter.setPen(LinePen(item.Object->LineColor, item.Object->LineWidth));
            painter.drawLine(ToUnits(item.LinePos.p1()), ToUnits(item.LinePos.p2()));
            break;
        }
    }
    painter.restore();
}

QImage RenderReportPage(const tPreparedReport &report, int page, double dpi)
{
    const QSizeF mm = report.PageSize();
    const QSize px(std::max(1, static_cast<int>(std::lround(mm.width() / 25.4 * dpi))),
                   std::max(1, static_cast<int>(std::lround(mm.height() / 25.4 * dpi))));
    QImage img(px, QImage::Format_RGB32);
    img.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    img.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    img.fill(Qt::white);
    QPainter p(&img);
    PaintReportPage(p, report, page, QRectF(QPointF(0, 0), QSizeF(px)));
    return img;
}
