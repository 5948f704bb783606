#include "browse/seriespictures/viewsize.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "core/model/blocks.h"
#include "core/model/currproc.h"
#include "core/model/model.h"

namespace {

// Real size of the bank-note reference, millimetres.
constexpr double BillWidthMm = 155.956;
constexpr double BillHeightMm = 66.294;

bool MeasuredBothWays(int shape)
{
    return shape == ShapeRoundedRectangle || shape == ShapeRectangle || shape == ShapeOval;
}

// Delphi-style rounding of the outline routines: to nearest, halves to even.
int RoundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// The point dist along the way from 'from' towards 'to'.
QPoint MovedTowards(QPoint from, QPoint to, double dist)
{
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double len = std::hypot(dx, dy);
    return {RoundHalfEven(from.x() + dist * (dx / len)), RoundHalfEven(from.y() + dist * (dy / len))};
}

double Distance(QPoint a, QPoint b)
{
    return std::hypot(double(b.x() - a.x()), double(b.y() - a.y()));
}

// The coins of a reference stack, largest first, diameters in millimetres.
struct tStackCoin {
    const char *Legend;
    double DiameterMm;
    QRgb Colour;
    int Sides;  // 0: round
};

constexpr QRgb Silver = 0xFFC9CDD2;
constexpr QRgb Copper = 0xFFC07848;
constexpr QRgb Brass = 0xFFD8B860;
constexpr QRgb Nickel = 0xFFB4B8BC;

const tStackCoin UsCoins[] = {
    {"Dollar", 38.1, Silver, 0},   {"Half Dollar", 30.61, Silver, 0}, {"Quarter", 24.26, Silver, 0},
    {"Nickel", 21.21, Nickel, 0},  {"Cent", 19.05, Copper, 0},        {"Dime", 17.91, Silver, 0},
};
const tStackCoin EuroCoins[] = {
    {"2 Euro", 25.75, Silver, 0}, {"50 Cent", 24.25, Brass, 0}, {"1 Euro", 23.25, Brass, 0},
    {"20 Cent", 22.25, Brass, 0}, {"5 Cent", 21.25, Copper, 0}, {"10 Cent", 19.75, Brass, 0},
    {"2 Cent", 18.75, Copper, 0}, {"1 Cent", 16.25, Copper, 0},
};
const tStackCoin AustraliaCoins[] = {
    {"50 Cents", 31.65, Silver, 12}, {"20 Cents", 28.65, Silver, 0}, {"1 Dollar", 25.0, Brass, 0},
    {"10 Cents", 23.6, Silver, 0},   {"2 Dollars", 20.5, Brass, 0},  {"5 Cents", 19.41, Silver, 0},
};

struct tStackSet {
    const tStackCoin *Coins;
    int Count;
    double WidthMm;
};

tStackSet StackSet(const QString &name)
{
    if (name.startsWith(QLatin1String("US")))
        return {UsCoins, int(std::size(UsCoins)), 38.1};
    if (name.startsWith(QLatin1String("Euro")))
        return {EuroCoins, int(std::size(EuroCoins)), 25.7};
    return {AustraliaCoins, int(std::size(AustraliaCoins)), 33.91};
}

constexpr int StackPixels = 800;

// The coins stand on the picture's foot, centred, each in front of the
// larger one, so every coin shows a crescent at its top where its legend goes.
QImage DrawStack(const tStackSet &set)
{
    QImage img(StackPixels, StackPixels, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = StackPixels / set.WidthMm;
    for (int i = 0; i < set.Count; ++i) {
        const tStackCoin &c = set.Coins[i];
        const double r = c.DiameterMm * scale / 2;
        const QPointF centre(StackPixels / 2.0, StackPixels - r - 1);
        QRadialGradient shade(centre - QPointF(r / 3, r / 3), r * 1.4);
        shade.setColorAt(0, QColor(c.Colour).lighter(125));
        shade.setColorAt(1, QColor(c.Colour).darker(125));
        p.setBrush(shade);
        p.setPen(QPen(QColor(c.Colour).darker(170), 3));
        if (c.Sides > 0) {
            QPolygonF poly;
            for (int k = 0; k < c.Sides; ++k) {
                const double a = std::numbers::pi / 2 + 2 * std::numbers::pi * k / c.Sides;
                poly << centre + QPointF(r * std::cos(a), -r * std::sin(a));
            }
            p.drawPolygon(poly);
        } else {
            p.drawEllipse(centre, r, r);
        }
    }
    return img;
}

QImage DrawMask(const tStackSet &set)
{
    QImage img(StackPixels, StackPixels, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f;
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x20, 0x20, 0x40));
    const double scale = StackPixels / set.WidthMm;
    for (int i = 0; i < set.Count; ++i) {
        const double top = StackPixels - set.Coins[i].DiameterMm * scale - 1;
        const double next = i + 1 < set.Count ? StackPixels - set.Coins[i + 1].DiameterMm * scale - 1 : StackPixels;
        // The legend sits in the middle of the crescent the next coin leaves.
        const double band = std::min(next - top, 60.0);
        const QRectF box(0, top, StackPixels, band);
        p.drawText(box, Qt::AlignCenter, QString::fromLatin1(set.Coins[i].Legend));
    }
    return img;
}

QImage DrawBill()
{
    QImage img(1000, 444, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xE4, 0xEC, 0xDC));
    p.setPen(QPen(QColor(0x4A, 0x6A, 0x48), 6));
    p.drawRect(QRectF(3, 3, 994, 438));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4A, 0x6A, 0x48), 2));
    p.drawRect(QRectF(24, 24, 952, 396));
    p.setBrush(QColor(0xC8, 0xD8, 0xC0));
    p.drawEllipse(QPointF(500, 222), 130, 160);
    for (const QPointF &corner : {QPointF(90, 80), QPointF(910, 80), QPointF(90, 364), QPointF(910, 364)})
        p.drawEllipse(corner, 42, 42);
    return img;
}

// Draws outlines with the red pen of the real-size view.
class tPainterCanvas final : public tOutlineCanvas {
public:
    explicit tPainterCanvas(QPainter &p) : p_(p) {}
    void Line(QPoint from, QPoint to) override { p_.drawLine(from, to); }
    void Bezier(QPoint from, QPoint c1, QPoint c2, QPoint to) override
    {
        QPainterPath path(from);
        path.cubicTo(c1, c2, to);
        p_.drawPath(path);
    }
    void Ellipse(int left, int top, int right, int bottom) override
    {
        p_.drawEllipse(QRectF(left, top, right - left, bottom - top));
    }
    void Rectangle(int left, int top, int right, int bottom, int cornerRadius) override
    {
        const QRectF r(left, top, right - left, bottom - top);
        if (cornerRadius > 0)
            p_.drawRoundedRect(r, cornerRadius, cornerRadius);
        else
            p_.drawRect(r);
    }

private:
    QPainter &p_;
};

} // namespace

tReferencePicture ReferenceFor(bool paper, int stackChoice)
{
    if (paper)
        return {QStringLiteral("BillStack"), QString(), QSize(1000, 444), BillWidthMm, BillHeightMm};
    const QSize sq(StackPixels, StackPixels);
    switch (stackChoice) {
    case StackAustralia:
        return {QStringLiteral("AustraliaStack"), QStringLiteral("AustraliaMask"), sq, 33.91, 33.91};
    case StackEuro:
        return {QStringLiteral("EuroStack"), QStringLiteral("EuroMask"), sq, 25.7, 25.7};
    default:
        return {QStringLiteral("USstack"), QStringLiteral("USmask"), sq, 38.1, 38.1};
    }
}

QImage ReferencePicture(const QString &name)
{
    if (name == QLatin1String("BillStack"))
        return DrawBill();
    if (name == QLatin1String("USstack") || name == QLatin1String("EuroStack") || name == QLatin1String("AustraliaStack"))
        return DrawStack(StackSet(name));
    if (name == QLatin1String("USmask") || name == QLatin1String("EuroMask") || name == QLatin1String("AustraliaMask"))
        return DrawMask(StackSet(name));
    return {};
}

tViewSizeGeometry ViewSizeGeometry(const tnodeinfo &n, const tReferencePicture &ref)
{
    tViewSizeGeometry g;
    g.Canvas = ref.Size;
    const int W = ref.Size.width();
    const int H = ref.Size.height();
    // A measure that is not a number or infinite (a damaged file) is no
    // measure: converted to pixels it would have no integer value.
    const auto measure = [](float m) { return std::isfinite(m) ? static_cast<double>(m) : 0.0; };
    const double m1 = measure(n.Measure1);
    const double m2 = measure(n.Measure2);
    tOutline &o = g.Outline;

    if (n.CoinShape == PaperMoneyShape) {
        const double f = std::max({m1 / ref.WidthMm, m2 / ref.HeightMm, 1.0});
        const double sw = W / f;
        const double sh = H / f;
        // The note's rectangles are fractional; the nearest pixel keeps a
        // note of exactly the reference's size on its last pixel.
        g.StackDest = QRect(0, 0, qRound(sw), qRound(sh));
        const double w = sw * m1 / ref.WidthMm;
        const double h = sh * m2 / ref.HeightMm;
        o.Kind = tOutlineKind::Rectangle;
        o.Right = qRound(w - 1);
        o.Bottom = qRound(h - 1);
        return g;
    }

    const int shape = n.CoinShape;
    double M = m1;
    if (MeasuredBothWays(shape))
        M = std::max(M, m2);
    const double R = ref.WidthMm;
    const double D = std::max(M, R);
    const int Wr = int(R / D * W);
    const int x0 = (W - Wr) / 2;
    g.StackDest = QRect(x0, x0, Wr, Wr);

    const int d1 = int(m1 / D * W) - 2;
    const int d2 = MeasuredBothWays(shape) ? int(m2 / D * W) - 2 : d1;
    const int c = W / 2;
    int corner = std::min(d1, d2) / 6;
    o.Centre = QPoint(c, c);
    o.Radius = d1 / 2;
    o.Count = n.CoinSubShape;
    switch (shape) {
    case ShapeRound:
    case ShapeOval:
        o.Kind = tOutlineKind::Ellipse;
        o.Left = c - d1 / 2 - 1;
        o.Top = c - d2 / 2 - 1;
        o.Right = c + d1 / 2;
        o.Bottom = c + d2 / 2;
        break;
    case ShapeDeepScallop:
    case ShapeShallowScallop:
        o.Kind = tOutlineKind::Scallops;
        o.Deep = shape == ShapeDeepScallop;
        break;
    case ShapePolygon:
        o.Kind = tOutlineKind::Polygon;
        o.Cut = 0;
        break;
    case ShapeRoundedPolygon:
        o.Kind = tOutlineKind::Polygon;
        // Two sides make no corners to round; fewer draw nothing at all.
        o.Cut = o.Count > 2 ? 100 / (o.Count - 2) + 20 : 0;
        break;
    default:
        if (shape == ShapeSquare || shape == ShapeRectangle)
            corner /= 10;
        o.Kind = tOutlineKind::Rectangle;
        o.Left = c - d1 / 2;
        o.Top = c - d2 / 2;
        o.Right = c + d1 / 2;
        o.Bottom = c + d2 / 2;
        o.CornerRadius = corner;
        break;
    }
    (void)H;
    return g;
}

void DrawSmoothOutline(tOutlineCanvas &canvas, std::vector<QPoint> p, int cut, double k)
{
    CurrProcGuard guard(Blocks::DrawSmoothOutline);
    // A side of no length has no direction to round along.
    for (size_t i = 0; p.size() > 1 && i < p.size();) {
        if (p[i] == p[(i + 1) % p.size()])
            p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    const size_t n = p.size();
    if (n < 2)
        return;
    for (size_t i = 0; i < n; ++i) {
        const QPoint P = p[i];
        const QPoint Q = p[(i + 1) % n];
        const QPoint S = p[(i + 2) % n];
        const double v = std::min(Distance(P, Q) / 3, double(cut));
        const QPoint A = MovedTowards(Q, P, v);
        const QPoint B = MovedTowards(Q, P, k * v);
        canvas.Line(MovedTowards(P, Q, v), A);
        const double v2 = std::min(Distance(Q, S) / 3, double(cut));
        const QPoint E = MovedTowards(Q, S, v2);
        const QPoint F = MovedTowards(Q, S, k * v2);
        canvas.Bezier(A, B, F, E);
    }
}

void DrawPolygonOutline(tOutlineCanvas &canvas, int cx, int cy, int r, int n, int cut)
{
    CurrProcGuard guard(Blocks::DrawPolygonOutline);
    if (n < 2)
        return;
    std::vector<QPoint> points;
    points.reserve(static_cast<size_t>(n));
    // Single precision, as the angles always were: the corners land on the
    // same pixels as before.
    float theta = std::numbers::pi_v<float> / 2;
    const float step = 2 * std::numbers::pi_v<float> / float(n);
    for (int j = 0; j < n; ++j) {
        points.emplace_back(cx + RoundHalfEven(r * std::cos(double(theta))),
                            cy - RoundHalfEven(r * std::sin(double(theta))));
        theta += step;
    }
    DrawSmoothOutline(canvas, std::move(points), cut, 0.5);
}

void DrawScallopedOutline(tOutlineCanvas &canvas, int cx, int cy, int R, int n, bool deep)
{
    CurrProcGuard guard(Blocks::DrawScallopedOutline);
    if (n < 1)
        return;
    const double a = 360.0 / n / 4;
    const double b = deep ? 0.88 : 0.93;
    // Degrees to radians by 57: the scallops have always been spaced so.
    auto rotate = [cx, cy](int y, double degrees) {
        const double rad = degrees / 57;
        return QPoint(cx + int(-std::sin(rad) * y), cy + int(std::cos(rad) * y));
    };
    std::vector<QPoint> points;
    points.reserve(static_cast<size_t>(4 * n));
    for (int k = 0; k < n; ++k) {
        const double base = 4 * a * k;
        points.push_back(rotate(-R, base));
        points.push_back(rotate(int(-R * 0.98), base + a));
        points.push_back(rotate(int(-R * b), base + 2 * a));
        points.push_back(rotate(int(-R * 0.98), base + 3 * a));
    }
    DrawSmoothOutline(canvas, std::move(points), 100, 0.5);
}

void DrawOutline(tOutlineCanvas &canvas, const tOutline &o)
{
    switch (o.Kind) {
    case tOutlineKind::None:
        break;
    case tOutlineKind::Ellipse:
        canvas.Ellipse(o.Left, o.Top, o.Right, o.Bottom);
        break;
    case tOutlineKind::Rectangle:
        canvas.Rectangle(o.Left, o.Top, o.Right, o.Bottom, o.CornerRadius);
        break;
    case tOutlineKind::Polygon:
        DrawPolygonOutline(canvas, o.Centre.x(), o.Centre.y(), o.Radius, o.Count, o.Cut);
        break;
    case tOutlineKind::Scallops:
        DrawScallopedOutline(canvas, o.Centre.x(), o.Centre.y(), o.Radius, o.Count, o.Deep);
        break;
    }
}

QImage RenderViewSize(const tnodeinfo &series, int stackChoice, bool legend)
{
    CurrProcGuard guard(Blocks::RenderViewSize);
    const bool paper = series.CoinShape == PaperMoneyShape;
    const tReferencePicture ref = ReferenceFor(paper, stackChoice);
    const tViewSizeGeometry g = ViewSizeGeometry(series, ref);
    QImage img(g.Canvas, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage stack = ReferencePicture(ref.Stack);
    p.drawImage(g.StackDest, stack);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0xFF, 0x00, 0x00), 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    tPainterCanvas canvas(p);
    DrawOutline(canvas, g.Outline);
    if (legend && !ref.Mask.isEmpty())
        p.drawImage(g.StackDest, ReferencePicture(ref.Mask));
    return img;
}
