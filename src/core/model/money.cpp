#include "core/model/money.h"

#include <cmath>
#include <limits>

Money MoneyFromScaled(double scaled)
{
    if (std::isnan(scaled))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (scaled >= limit)
        return std::numeric_limits<Money>::max();
    if (scaled <= -limit)
        return std::numeric_limits<Money>::min();
    // nearbyint rounds in the current mode, which is round-to-nearest-even
    // unless someone changed it; do it explicitly so nobody can.
    double r = std::floor(scaled);
    double diff = scaled - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    if (r >= limit)
        return std::numeric_limits<Money>::max();
    return static_cast<Money>(r);
}

Money MoneyFromDouble(double amount)
{
    return MoneyFromScaled(amount * static_cast<double>(MoneyScale));
}

double MoneyToDouble(Money m)
{
    return static_cast<double>(m) / static_cast<double>(MoneyScale);
}

Money MoneyMul(Money m, double factor)
{
    return MoneyFromScaled(static_cast<double>(m) * factor);
}

Money MoneyDiv(Money m, double divisor)
{
    if (divisor == 0.0 || std::isnan(divisor))
        return 0;
    return MoneyFromScaled(static_cast<double>(m) / divisor);
}

QString FormatFloatPattern(const QString &pattern, double value, QChar decimalSep, QChar thousandSep)
{
    if (std::isnan(value) || std::isinf(value))
        return QString::number(value);
    const int dot = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPart = dot < 0 ? QString() : pattern.mid(dot + 1);
    const bool group = intPart.contains(QLatin1Char(','));
    const int minInt = intPart.count(QLatin1Char('0'));
    const int minFrac = fracPart.count(QLatin1Char('0'));
    const int maxFrac = minFrac + fracPart.count(QLatin1Char('#'));

    // Round once at the widest fraction the pattern shows, halves away from
    // zero as the number formatter of the original platform did.
    const double scale = std::pow(10.0, maxFrac);
    double rounded = std::round(std::fabs(value) * scale) / scale;
    const bool negative = value < 0 && rounded != 0.0;
    QString digits = QString::number(rounded, 'f', maxFrac);
    QString ip = digits, fp;
    const int d = digits.indexOf(QLatin1Char('.'));
    if (d >= 0) {
        ip = digits.left(d);
        fp = digits.mid(d + 1);
    }
    while (fp.size() > minFrac && fp.endsWith(QLatin1Char('0')))
        fp.chop(1);
    if (ip == QLatin1String("0") && minInt == 0)
        ip.clear();
    while (ip.size() < minInt)
        ip.prepend(QLatin1Char('0'));
    if (group && ip.size() > 3) {
        QString g;
        int n = 0;
        for (int i = ip.size() - 1; i >= 0; --i) {
            g.prepend(ip[i]);
            if (++n % 3 == 0 && i > 0)
                g.prepend(thousandSep);
        }
        ip = g;
    }
    QString out = ip;
    if (!fp.isEmpty())
        out += decimalSep + fp;
    if (out.isEmpty())
        out = QStringLiteral("0");
    if (negative)
        out.prepend(QLatin1Char('-'));
    return out;
}

QString FormatMoneyPattern(const QString &pattern, Money m, QChar decimalSep, QChar thousandSep)
{
    return FormatFloatPattern(pattern, MoneyToDouble(m), decimalSep, thousandSep);
}
