#include "tools/polygon/polygon.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double Pi = 3.141592653589793;

// x with at most `decimals` decimals and no trailing zeros, in the locale's
// separator, no grouping.
QString Trimmed(double x, int decimals, const QLocale &locale)
{
    QString s = QString::number(x, 'f', decimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s.replace(QLatin1Char('.'), locale.decimalPoint());
}

QString Fixed2(double x, const QLocale &locale)
{
    return QString::number(x, 'f', 2).replace(QLatin1Char('.'), locale.decimalPoint());
}

QString ModeText(tPolygonMode mode)
{
    switch (mode) {
    case PolygonSideToSide: return QStringLiteral("side to side:");
    case PolygonPointToSide: return QStringLiteral("point to side:");
    case PolygonPointToPoint: return QStringLiteral("point to point:");
    case PolygonDiameter: return QStringLiteral("in diameter:");
    }
    return {};
}

} // namespace

const QStringList &PolygonNames()
{
    static const QStringList names{
        QStringLiteral("3 sides (Triangle)"),       QStringLiteral("4 sides (Square)"),
        QStringLiteral("5 sides (Pentagon)"),       QStringLiteral("6 sides (Hexagon)"),
        QStringLiteral("7 sides (Heptagon)"),       QStringLiteral("8 sides (Octagon)"),
        QStringLiteral("9 sides (Enneagon)"),       QStringLiteral("10 sides (Decagon)"),
        QStringLiteral("11 sides (Hendecagon)"),    QStringLiteral("12 sides (Dodecagon)"),
        QStringLiteral("13 sides (Triskaidecagon)"), QStringLiteral("14 sides (Tretradecagon)"),
        QStringLiteral("15 sides (Pentadecagon)"),  QStringLiteral("16 sides (Hexadecagon)"),
        QStringLiteral("17 sides (Heptadecagon)"),  QStringLiteral("18 sides (Octadecagon)"),
        QStringLiteral("19 sides (Enneadecagon)"),  QStringLiteral("20 sides (Icosagon)"),
    };
    return names;
}

QList<tPolygonChoice> PolygonChoices(int sides)
{
    if (sides % 2 == 0)
        return {{QStringLiteral("Point-to-Point"), PolygonPointToPoint},
                {QStringLiteral("Side-to-side"), PolygonSideToSide},
                {QStringLiteral("By diameter"), PolygonDiameter}};
    return {{QStringLiteral("Point-to-side"), PolygonPointToSide}, {QStringLiteral("By diameter"), PolygonDiameter}};
}

double ReadMeasurement(const QString &text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
        ++end;
    if (end < text.size() && text[end] == QLatin1Char('.')) {
        ++end;
        while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
            ++end;
    }
    QString number = text.left(end);
    if (number.isEmpty() || number == QLatin1String("."))
        return 0;
    if (number.startsWith(QLatin1Char('.')))
        number.prepend(QLatin1Char('0'));
    bool ok = false;
    const double d = QLocale::c().toDouble(number, &ok);
    return ok ? d : 0;
}

tPolygonMeasures MeasurePolygon(int sides, double d, tPolygonMode mode)
{
    const double n = sides;
    const double c = std::cos(Pi / n);
    tPolygonMeasures m;
    switch (mode) {
    case PolygonSideToSide:
        m.OuterRadius = (d / 2) / c;
        m.InnerRadius = d / 2;
        break;
    case PolygonPointToSide:
        m.OuterRadius = d / (1 + c);
        m.InnerRadius = d - m.OuterRadius;
        break;
    case PolygonPointToPoint:
    case PolygonDiameter:
        m.OuterRadius = d / 2;
        m.InnerRadius = m.OuterRadius * c;
        break;
    }
    m.Side = 2 * m.OuterRadius * std::sin(Pi / n);
    m.Circumference = n * m.Side;
    m.Area = n * m.InnerRadius * m.InnerRadius * std::tan(Pi / n);
    m.OuterArea = Pi * m.OuterRadius * m.OuterRadius;
    m.InnerArea = Pi * m.InnerRadius * m.InnerRadius;
    m.Coverage = m.Area / m.OuterArea * 100;
    return m;
}

QStringList PolygonMemo(int sides, const QString &measurement, tPolygonMode mode, const QLocale &locale)
{
    const double d = ReadMeasurement(measurement);
    if (!(d > 0))
        return {QStringLiteral("Enter a measurement to proceed.")};
    const tPolygonMeasures m = MeasurePolygon(sides, d, mode);
    auto f = [&](double x) { return Trimmed(x, 2, locale); };
    return {
        QStringLiteral("A ") + QString::number(sides) + QStringLiteral(" sided polygon measuring ") +
            Fixed2(d, locale) + QStringLiteral("mm ") + ModeText(mode),
        QStringLiteral("The outer diameter (the coin's circular holder size) is ") + f(2 * m.OuterRadius) +
            QStringLiteral("mm"),
        QStringLiteral("         --------------------------------"),
        QStringLiteral("THE COIN IS REPRESENTED BY THE RED POLYGON"),
        QStringLiteral("The length of each side is ") + f(m.Side) + QStringLiteral("mm"),
        QStringLiteral("The circumference is ") + f(m.Circumference) + QStringLiteral("mm"),
        QStringLiteral("The area of the coin's surfaces is ") + f(m.Area) + QStringLiteral(" square mm"),
        QString(),
        QStringLiteral("THE OUTER CIRCLE IS SHOWN IN BLUE"),
        QStringLiteral("       The outer circle, also refered to as the circumcircle,"),
        QStringLiteral("       is a circle defined by the polygon's points."),
        QStringLiteral("The radius of the outer circle is ") + f(m.OuterRadius) + QStringLiteral("mm"),
        QStringLiteral("The area of the outer circle is ") + f(m.OuterArea) + QStringLiteral(" square mm"),
        QStringLiteral("The coin covers ") + Trimmed(m.Coverage, 1, locale) + QStringLiteral("% of the outer circle"),
        QString(),
        QStringLiteral("THE INNER CIRCLE IS SHOWN IN GREEN"),
        QStringLiteral("       The inner circle, also refered to as the apothem, is the"),
        QStringLiteral("       largest circle that can fit within the polygon's sides."),
        QStringLiteral("The radius of the inner circle is ") + f(m.InnerRadius) + QStringLiteral("mm"),
        QStringLiteral("The area of the inner circle is ") + f(m.InnerArea) + QStringLiteral(" square mm"),
    };
}

QImage PolygonPicture(int sides, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    const double R = size * 0.42;
    const double r = R * std::cos(Pi / sides);
    // Odd polygons stand on a side with a corner on top; even ones stand on
    // a side too (the square included), so the flats are level.
    const double start = sides % 2 ? -Pi / 2 : -Pi / 2 + Pi / sides;
    QPolygonF corners;
    for (int i = 0; i < sides; ++i) {
        const double a = start + 2 * Pi * i / sides;
        corners << centre + QPointF(R * std::cos(a), R * std::sin(a));
    }
    const double pen = std::max(1.5, size / 100.0);
    p.setPen(QPen(QColor(0, 0, 255), pen));
    p.drawEllipse(centre, R, R);
    p.setPen(QPen(QColor(0, 160, 0), pen));
    p.drawEllipse(centre, r, r);
    p.setPen(QPen(QColor(220, 0, 0), pen * 1.5));
    p.setBrush(QColor(255, 0, 0, 40));
    p.drawPolygon(corners);

    // The measured distance, with arrow-like end bars.
    QPointF a;
    QPointF b;
    if (sides % 2) {
        a = corners[0];
        b = centre + QPointF(0, r);
    } else if (sides == 4) {
        a = centre - QPointF(r, 0);
        b = centre + QPointF(r, 0);
    } else {
        a = corners[0];
        b = corners[sides / 2];
    }
    p.setPen(QPen(Qt::black, pen, Qt::DashLine));
    p.drawLine(a, b);
    const QPointF dir = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF across(-dir.y() * size / 40.0, dir.x() * size / 40.0);
    p.setPen(QPen(Qt::black, pen));
    p.drawLine(a - across, a + across);
    p.drawLine(b - across, b + across);
    return image;
}
