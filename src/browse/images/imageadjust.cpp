#include "browse/images/imageadjust.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <QtConcurrent/QtConcurrentMap>

namespace {

struct tCornersF {
    float tlx = 0, tly = 0, trx = 0, try_ = 0, blx = 0, bly = 0, brx = 0, bry = 0;
};

// Rows are handed out in bands to the thread pool; each band writes only
// its own rows.
template <class Fn>
void ForBands(int height, Fn fn)
{
    constexpr int BandRows = 64;
    std::vector<int> starts((height + BandRows - 1) / BandRows);
    std::iota(starts.begin(), starts.end(), 0);
    for (int &s : starts)
        s *= BandRows;
    if (starts.size() <= 1) {
        if (height > 0)
            fn(0, height);
        return;
    }
    QtConcurrent::blockingMap(starts, [&](int y0) { fn(y0, std::min(height, y0 + BandRows)); });
}

inline int Clamp255(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// The colour filters in their order (contrast and brightness, sharpen,
// saturation and hue), fused into one pass over the picture: the contrast
// is a table, the sharpen a difference to the four neighbours (taken
// through the table, so it sharpens the contrasted picture), saturation and
// hue one matrix. Works on straight colour; a partly transparent pixel is
// unpremultiplied for it, a wholly transparent one left alone.
struct tColourPass {
    std::array<int, 256> Lut{};
    bool LutIdentity = true;
    int Sharpen = 0;             // amount x 256
    int M[3][3] = {};            // x 4096
    bool MatrixIdentity = true;

    tColourPass(float contrast, float brightness, float sharpen, float saturation, float hue)
    {
        for (int c = 0; c < 256; ++c) {
            const float v = (float(c) / 255.0f - 0.5f) * contrast + 0.5f + brightness;
            Lut[size_t(c)] = Clamp255(int(std::lround(v * 255.0f)));
            LutIdentity = LutIdentity && Lut[size_t(c)] == c;
        }
        Sharpen = int(std::lround(sharpen * 256.0f));
        MatrixIdentity = saturation == 1.0f && hue == 0.0f;
        const float s = saturation;
        const float sat[3][3] = {{0.213f + 0.787f * s, 0.715f - 0.715f * s, 0.072f - 0.072f * s},
                                 {0.213f - 0.213f * s, 0.715f + 0.285f * s, 0.072f - 0.072f * s},
                                 {0.213f - 0.213f * s, 0.715f - 0.715f * s, 0.072f + 0.928f * s}};
        // A hue of 1 turns half the colour wheel, keeping the luminance.
        const float angle = hue * float(M_PI);
        const float c = std::cos(angle), n = std::sin(angle);
        const float rot[3][3] = {
            {0.213f + c * 0.787f - n * 0.213f, 0.715f - c * 0.715f - n * 0.715f, 0.072f - c * 0.072f + n * 0.928f},
            {0.213f - c * 0.213f + n * 0.143f, 0.715f + c * 0.285f + n * 0.140f, 0.072f - c * 0.072f - n * 0.283f},
            {0.213f - c * 0.213f - n * 0.787f, 0.715f - c * 0.715f + n * 0.715f, 0.072f + c * 0.928f + n * 0.072f}};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                float v = 0;
                for (int t = 0; t < 3; ++t)
                    v += rot[i][t] * sat[t][j];
                M[i][j] = int(std::lround(v * 4096.0f));
            }
    }

    bool Identity() const { return LutIdentity && Sharpen == 0 && MatrixIdentity; }

    static QRgb Straight(QRgb p) { return qAlpha(p) == 255 ? p : qUnpremultiply(p); }

    QRgb Colour(QRgb c, const QRgb *l, const QRgb *r, const QRgb *u, const QRgb *d) const
    {
        const int a = qAlpha(c);
        const QRgb sc = Straight(c);
        int rgb[3] = {Lut[size_t(qRed(sc))], Lut[size_t(qGreen(sc))], Lut[size_t(qBlue(sc))]};
        if (Sharpen) {
            const QRgb n[4] = {Straight(*l), Straight(*r), Straight(*u), Straight(*d)};
            auto lap = [&](int centre, auto get) {
                return 4 * centre - Lut[size_t(get(n[0]))] - Lut[size_t(get(n[1]))] - Lut[size_t(get(n[2]))] -
                       Lut[size_t(get(n[3]))];
            };
            const int lr = lap(rgb[0], [](QRgb p) { return qRed(p); });
            const int lg = lap(rgb[1], [](QRgb p) { return qGreen(p); });
            const int lb = lap(rgb[2], [](QRgb p) { return qBlue(p); });
            rgb[0] = Clamp255(rgb[0] + ((lr * Sharpen) >> 8));
            rgb[1] = Clamp255(rgb[1] + ((lg * Sharpen) >> 8));
            rgb[2] = Clamp255(rgb[2] + ((lb * Sharpen) >> 8));
        }
        if (!MatrixIdentity) {
            const int r = rgb[0], g = rgb[1], b = rgb[2];
            rgb[0] = Clamp255((M[0][0] * r + M[0][1] * g + M[0][2] * b + 2048) >> 12);
            rgb[1] = Clamp255((M[1][0] * r + M[1][1] * g + M[1][2] * b + 2048) >> 12);
            rgb[2] = Clamp255((M[2][0] * r + M[2][1] * g + M[2][2] * b + 2048) >> 12);
        }
        const QRgb out = qRgba(rgb[0], rgb[1], rgb[2], a);
        return a == 255 ? out : qPremultiply(out);
    }

    // Reads src, writes the result; edge pixels count their missing
    // neighbours as themselves.
    QImage Run(const QImage &src) const
    {
        const int w = src.width(), h = src.height();
        QImage out(src.size(), QImage::Format_ARGB32_Premultiplied);
        ForBands(h, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const auto *up = reinterpret_cast<const QRgb *>(src.constScanLine(std::max(0, y - 1)));
                const auto *mid = reinterpret_cast<const QRgb *>(src.constScanLine(y));
                const auto *down = reinterpret_cast<const QRgb *>(src.constScanLine(std::min(h - 1, y + 1)));
                auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
                for (int x = 0; x < w; ++x) {
                    const QRgb c = mid[x];
                    line[x] = qAlpha(c) == 0 ? c
                                             : Colour(c, &mid[std::max(0, x - 1)], &mid[std::min(w - 1, x + 1)],
                                                      &up[x], &down[x]);
                }
            }
        });
        return out;
    }
};

// Draws source (its part sourceRect) through transform into a transparent
// picture of the given size, band by band on the thread pool, each band
// painting through its own image over its own rows of the result. A clip
// (in the result's pixels) keeps out what lies beyond a crop.
QImage DrawTransformed(const QImage &source, const QRectF &sourceRect, const QTransform &transform, QSize size,
                       const QPolygonF &clip = {})
{
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    uchar *bits = out.bits();
    const qsizetype stride = out.bytesPerLine();
    ForBands(size.height(), [&](int y0, int y1) {
        QImage band(bits + stride * y0, size.width(), y1 - y0, stride, QImage::Format_ARGB32_Premultiplied);
        band.fill(Qt::transparent);
        QPainter p(&band);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!clip.isEmpty()) {
            QPainterPath path;
            path.addPolygon(clip.translated(0, -y0));
            p.setClipPath(path);
        }
        p.setTransform(transform * QTransform::fromTranslate(0, -y0));
        p.drawImage(sourceRect.topLeft(), source, sourceRect);
    });
    return out;
}

bool RightAngle(int degrees)
{
    return degrees % 90 == 0;
}

} // namespace

tCorners ShiftCorners(float w, float h, const tImageAdjustments &adj)
{
    tCornersF k;
    k.trx = w;
    k.blx = 0;
    k.bly = h;
    k.brx = w;
    k.bry = h;
    if (adj.HorizontalCompression > 0) {
        const float d = w / 100.0f * float(adj.HorizontalCompression);
        k.tlx += d;
        k.blx += d;
        k.trx -= d;
        k.brx -= d;
    }
    if (adj.VerticalCompression > 0) {
        const float d = h / 100.0f * float(adj.VerticalCompression);
        k.tly += d;
        k.try_ += d;
        k.bly -= d;
        k.bry -= d;
    }
    {
        const float d = (k.bly - k.tly) * 0.3f / 100.0f * float(adj.VerticalSkew);
        k.tly += d;
        k.bly += d;
    }
    {
        const float d = (k.trx - k.tlx) * 0.3f / 100.0f * float(adj.HorizontalSkew);
        k.tlx += d;
        k.trx += d;
    }
    {
        const float d = (k.trx - k.tlx) * 0.45f / 100.0f * float(std::abs(adj.VerticalPerspective));
        if (adj.VerticalPerspective > 0) {
            k.tlx += d;
            k.trx -= d;
        } else {
            k.blx += d;
            k.brx -= d;
        }
    }
    {
        const float d = (k.bly - k.tly) * 0.45f / 100.0f * float(std::abs(adj.HorizontalPerspective));
        if (adj.HorizontalPerspective > 0) {
            k.tly += d;
            k.bly -= d;
        } else {
            k.try_ += d;
            k.bry -= d;
        }
    }
    return {{k.tlx, k.tly}, {k.trx, k.try_}, {k.blx, k.bly}, {k.brx, k.bry}};
}

QSize TurnedSize(QSize size, int degrees)
{
    QTransform t;
    t.rotate(degrees);
    const QRectF box = t.mapRect(QRectF(QPointF(0, 0), QSizeF(size)));
    return {std::max(1, int(std::lround(box.width()))), std::max(1, int(std::lround(box.height())))};
}

QRect ClampCropRect(const QRect &rect, QSize picture)
{
    const QRect whole(QPoint(0, 0), picture);
    const QRect part = rect.normalized().intersected(whole);
    return part.isEmpty() ? whole : part;
}

QRect ViewportCropRect(QPoint scroll, QSize client, double scale, QSize shown)
{
    if (scale <= 0)
        scale = 1;
    const int left = int(std::trunc(scroll.x() / scale));
    const int top = int(std::trunc(scroll.y() / scale));
    int width = int(std::trunc(client.width() / scale));
    int height = int(std::trunc(client.height() / scale));
    width = std::min(width, shown.width() - left);
    height = std::min(height, shown.height() - top);
    return {left, top, width, height};
}

int QuarterTurnLeft(int rotate)
{
    if (rotate <= -90)
        return -180;
    if (rotate <= 0)
        return -90;
    if (rotate <= 90)
        return 0;
    return 90;
}

int QuarterTurnRight(int rotate)
{
    if (rotate >= 90)
        return 180;
    if (rotate >= 0)
        return 90;
    if (rotate >= -90)
        return 0;
    return -90;
}

int FitZoomPercent(QSize picture, QSize client)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return 100;
    double z = double(client.width()) / picture.width();
    z = std::min(z, double(client.height()) / picture.height());
    return std::clamp(int(z * 100), 0, 1000);
}

QImage ApplyImageAdjustments(const QImage &org, const tImageAdjustments &adj)
{
    if (org.isNull())
        return {};
    // Shared, not copied, when the caller keeps the picture in this format.
    QImage work = org.format() == QImage::Format_ARGB32_Premultiplied
                      ? org
                      : org.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    // Turn and crop. A turn by a right angle moves pixels without
    // resampling, and so does a crop alone.
    const int degrees = adj.Rotate;
    const bool slanted = !RightAngle(degrees);
    QTransform turn;  // the unedited picture into the turned one
    QSize turned = work.size();
    if (degrees != 0 && !slanted) {
        // Named as 0..270, whose sines and cosines are exact.
        QTransform quarter;
        quarter.rotate(((degrees % 360) + 360) % 360);
        work = work.transformed(quarter);
        turned = work.size();
    } else if (slanted) {
        QTransform t;
        t.rotate(degrees);
        turned = TurnedSize(work.size(), degrees);
        turn = QTransform::fromTranslate(-work.width() / 2.0, -work.height() / 2.0) * t *
               QTransform::fromTranslate(turned.width() / 2.0, turned.height() / 2.0);
    }
    const QRect crop = adj.Crop ? ClampCropRect(adj.CropRect, turned) : QRect(QPoint(0, 0), turned);
    if (!slanted && crop != work.rect())
        work = work.copy(crop);

    // The corner shifts of the cropped picture.
    const float w = float(crop.width()), h = float(crop.height());
    const tCorners c = ShiftCorners(w, h, adj);
    const bool moved = c.TL != QPointF(0, 0) || c.TR != QPointF(w, 0) || c.BL != QPointF(0, h) ||
                       c.BR != QPointF(w, h);
    if (slanted || moved) {
        // Turn, crop and corner shifts are drawn in one pass: the three
        // mappings composed, the crop kept by clipping to the corners' quad.
        const QPolygonF quad({c.TL, c.TR, c.BR, c.BL});
        QTransform map;
        if (!QTransform::quadToQuad(QPolygonF({QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)}), quad,
                                    map))
            map = QTransform();  // corners folded onto a line: leave the shape as it is
        const QRectF box = map.mapRect(QRectF(0, 0, w, h));
        const int left = int(std::floor(box.left())), top = int(std::floor(box.top()));
        const QSize size(std::max(1, int(std::ceil(box.right())) - left),
                         std::max(1, int(std::ceil(box.bottom())) - top));
        const QTransform place = map * QTransform::fromTranslate(-left, -top);
        if (slanted) {
            const QTransform all = turn * QTransform::fromTranslate(-crop.x(), -crop.y()) * place;
            const bool cropped = crop != QRect(QPoint(0, 0), turned);
            work = DrawTransformed(work, work.rect(), all, size, cropped ? place.map(QPolygonF(QRectF(0, 0, w, h))) : QPolygonF());
        } else {
            work = DrawTransformed(work, work.rect(), place, size);
        }
    }

    const tColourPass colour(float(adj.Contrast) / 100.0f, float(adj.Brightness) / 100.0f,
                             float(adj.Sharpen) / 100.0f, float(adj.Saturation) / 100.0f, float(adj.Hue) / 100.0f);
    if (!colour.Identity())
        work = colour.Run(work);
    return work;
}

QImage FlattenOnWhite(const QImage &image)
{
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    p.end();
    return out;
}

namespace {

struct tPictureFormat {
    const char *Filter;
    const char *Extension;
    const char *Format;
};

// The save dialog's list, in its order.
constexpr tPictureFormat PictureFormats[] = {
    {"JPG: JPEG file (*.jpg)", "jpg", "jpeg"},
    {"BMP: Bitmap file (*.bmp)", "bmp", "bmp"},
    {"GIF: Bitmap file (*.GIF)", "gif", "gif"},
    {"TIF: Tag Image File Format (*.tif)", "tif", "tiff"},
    {"PNG: Portable Network Graphic (*.png)", "png", "png"},
};

bool CanWrite(const char *format)
{
    return QImageWriter::supportedImageFormats().contains(QByteArray(format));
}

} // namespace

QStringList WritablePictureFilters()
{
    QStringList out;
    for (const tPictureFormat &f : PictureFormats)
        if (CanWrite(f.Format))
            out << QString::fromLatin1(f.Filter);
    return out;
}

QByteArray PictureWriteFormat(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    QString ext = fileName.mid(dot + 1).toLower();
    if (ext == QLatin1String("jpeg"))
        ext = QStringLiteral("jpg");
    if (ext == QLatin1String("tiff"))
        ext = QStringLiteral("tif");
    for (const tPictureFormat &f : PictureFormats)
        if (ext == QLatin1String(f.Extension))
            return CanWrite(f.Format) ? QByteArray(f.Format) : QByteArray();
    return {};
}
