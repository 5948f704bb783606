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

namespace {

// The parts of a display pattern: '0' forces a digit, '#' shows one only
// when needed, ',' in the integer part asks for grouping.
struct tPattern {
    bool Group = false;
    int MinInt = 0;
    int MinFrac = 0;
    int MaxFrac = 0;
};

tPattern ParsePattern(const QString &pattern)
{
    const int dot = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPart = dot < 0 ? QString() : pattern.mid(dot + 1);
    tPattern p;
    p.Group = intPart.contains(QLatin1Char(','));
    p.MinInt = static_cast<int>(intPart.count(QLatin1Char('0')));
    p.MinFrac = static_cast<int>(fracPart.count(QLatin1Char('0')));
    p.MaxFrac = p.MinFrac + static_cast<int>(fracPart.count(QLatin1Char('#')));
    return p;
}

// Lays out already-rounded digits: ip the integer digits (no sign), fp the
// fraction digits at the pattern's widest fraction.
QString LayOut(const tPattern &p, QString ip, QString fp, bool negative, QChar decimalSep, QChar thousandSep)
{
    while (fp.size() > p.MinFrac && fp.endsWith(QLatin1Char('0')))
        fp.chop(1);
    if (ip == QLatin1String("0") && p.MinInt == 0)
        ip.clear();
    while (ip.size() < p.MinInt)
        ip.prepend(QLatin1Char('0'));
    if (p.Group && ip.size() > 3) {
        QString g;
        int n = 0;
        for (int i = static_cast<int>(ip.size()) - 1; i >= 0; --i) {
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

} // namespace

QString FormatFloatPattern(const QString &pattern, double value, QChar decimalSep, QChar thousandSep)
{
    if (std::isnan(value) || std::isinf(value))
        return QString::number(value);
    const tPattern p = ParsePattern(pattern);
    // Round once at the widest fraction the pattern shows, halves away from
    // zero as the number formatter of the original platform did.
    const double scale = std::pow(10.0, p.MaxFrac);
    double rounded = std::round(std::fabs(value) * scale) / scale;
    const bool negative = value < 0 && rounded != 0.0;
    const QString digits = QString::number(rounded, 'f', p.MaxFrac);
    QString ip = digits, fp;
    const auto d = digits.indexOf(QLatin1Char('.'));
    if (d >= 0) {
        ip = digits.left(d);
        fp = digits.mid(d + 1);
    }
    return LayOut(p, ip, fp, negative, decimalSep, thousandSep);
}

QString FormatMoneyPattern(const QString &pattern, Money m, QChar decimalSep, QChar thousandSep)
{
    // Worked in unsigned integers so that every stored amount, the most
    // negative one included, gets exactly its digits: a double carries only
    // about 16 of the up to 19 a stored amount has, and most half cents are
    // not exactly representable in it.
    const tPattern p = ParsePattern(pattern);
    const uint64_t magnitude = m < 0 ? 0 - static_cast<uint64_t>(m) : static_cast<uint64_t>(m);
    constexpr int StoredFrac = 4;  // MoneyScale is 10^4
    uint64_t units = magnitude;    // in 10^-shown of the currency unit
    int shown = StoredFrac;
    if (p.MaxFrac < StoredFrac) {
        uint64_t divisor = 1;
        for (int i = p.MaxFrac; i < StoredFrac; ++i)
            divisor *= 10;
        units = magnitude / divisor;
        // Halves away from zero: the sign is put back afterwards.
        if (magnitude % divisor * 2 >= divisor)
            ++units;
        shown = p.MaxFrac;
    }
    uint64_t fracScale = 1;
    for (int i = 0; i < shown; ++i)
        fracScale *= 10;
    QString ip = QString::number(units / fracScale);
    QString fp = shown > 0 ? QString::number(units % fracScale).rightJustified(shown, QLatin1Char('0')) : QString();
    // A pattern wider than the stored four places shows zeros there.
    while (fp.size() < p.MaxFrac)
        fp.append(QLatin1Char('0'));
    return LayOut(p, ip, fp, m < 0 && units != 0, decimalSep, thousandSep);
}
