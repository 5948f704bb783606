#include "pricing/pricetools/bullion.h"

#include <cmath>

#include "core/model/currencytext.h"
#include "core/model/helpers.h"
#include "core/model/money.h"
#include "core/program/settings.h"
#include "pricing/valuation/forex.h"

namespace {

// One step of a conversion: multiply or divide by a factor.
struct tStep {
    char Op = 0;  // '*' or '/'; 0 ends the steps
    double Factor = 0;
};
using tSteps = std::array<tStep, 2>;

constexpr tStep Mul(double f) { return {'*', f}; }
constexpr tStep Div(double f) { return {'/', f}; }

// [typed unit][other unit]: the factors as the window has always used them,
// applied left to right. They are deliberately not derived from one another:
// results must match what collectors have seen for years.
constexpr std::array<std::array<tSteps, WeightUnitCount>, WeightUnitCount> Table{{
    // Grains
    {{{}, {Div(24)}, {Div(15.43)}, {Div(480)}, {Div(5760)}, {Div(437.5)}, {Div(437.5), Div(16)}}},
    // Pennyweights
    {{{Mul(24)}, {}, {Mul(1.555)}, {Mul(0.05)}, {Mul(0.05), Div(12)}, {Mul(0.0548)}, {Mul(0.0548), Div(16)}}},
    // Grams
    {{{Mul(15.43)}, {Mul(0.643)}, {}, {Div(31.103)}, {Div(31.103), Div(12)}, {Div(28.35)}, {Div(28.35), Div(16)}}},
    // Troy ounces
    {{{Mul(480)}, {Mul(20)}, {Mul(31.103)}, {}, {Div(12)}, {Div(0.9116)}, {Div(14.583)}}},
    // Troy pounds
    {{{Mul(5760)}, {Mul(240)}, {Mul(373.24)}, {Mul(12)}, {}, {Mul(13.1664)}, {Mul(0.8229)}}},
    // Avoirdupois ounces
    {{{Mul(437.5)}, {Mul(18.22905)}, {Mul(28.35)}, {Mul(0.9116)}, {Div(13.1664)}, {}, {Div(16)}}},
    // Avoirdupois pounds
    {{{Mul(6998.92456)}, {Mul(291.659656)}, {Mul(453.592)}, {Mul(14.583)}, {Mul(1.2152)}, {Mul(16)}, {}}},
}};

const QString PurityUndefined = QStringLiteral("<Undefined>");
const QString PurityNone = QStringLiteral("None");

// A result "#.####": rounded to four decimals, halves to even. A division
// by a tiny weight or purity can lie far beyond the money range; such a
// result is rounded in 128 bits rather than cut to the largest amount.
QString FourDecimals(double v)
{
    const double scaled = v * 10000.0;
    if (std::fabs(scaled) < 9.0e18)
        return FormatMoneyPattern(QStringLiteral("#.####"), MoneyFromDouble(v));
    if (std::fabs(scaled) >= 1.0e36)
        return QString::number(v, 'f', 0);  // beyond 128 bits no decimal is meaningful
    const double r = std::nearbyint(scaled);  // round-to-nearest-even, the default mode
    unsigned __int128 n = static_cast<unsigned __int128>(std::fabs(r));
    const unsigned frac = static_cast<unsigned>(n % 10000);
    n /= 10000;
    QString whole;
    do {
        whole.prepend(QChar(u'0' + static_cast<char16_t>(n % 10)));
        n /= 10;
    } while (n != 0);
    QString text = (r < 0 ? QStringLiteral("-") : QString()) + whole;
    if (frac != 0) {
        QString digits = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return text;
}

// A computed result, or "<Undefined>" when it is no finite number (a purity
// typed so small that the weight overflows).
void SetResult(tPurityResult &r, double v)
{
    if (std::isfinite(v)) {
        r.Text = FourDecimals(v);
        r.Defined = true;
    } else {
        r.Text = PurityUndefined;
    }
}

} // namespace

double ConvertWeight(double x, int from, int to)
{
    if (from < 0 || from >= WeightUnitCount || to < 0 || to >= WeightUnitCount || from == to)
        return x;
    double v = x;
    for (const tStep &step : Table[static_cast<size_t>(from)][static_cast<size_t>(to)]) {
        if (step.Op == '*')
            v *= step.Factor;
        else if (step.Op == '/')
            v /= step.Factor;
    }
    return v;
}

QString FitNumberText(const QString &text, int maxLength, QChar decimalSep)
{
    if (text.size() <= maxLength)
        return text;
    const qsizetype dot = text.indexOf(decimalSep);
    const QString whole = dot < 0 ? text : text.left(dot);
    return whole.size() <= maxLength ? whole : QString();
}

tWeightConversion ConvertWeights(double x, int from, const std::array<int, WeightUnitCount> &maxLengths,
                                 QChar decimalSep)
{
    tWeightConversion out;
    for (int to = 0; to < WeightUnitCount; ++to) {
        if (to == from)
            continue;
        const QString text = FormatFloatPattern(QStringLiteral("0.###"), ConvertWeight(x, from, to), decimalSep);
        out.Texts[static_cast<size_t>(to)] = FitNumberText(text, maxLengths[static_cast<size_t>(to)], decimalSep);
    }
    out.TroyOunces = ConvertWeight(x, from, UnitTroyOunces);
    return out;
}

double ReadNumber(const QString &text, QChar decimalSep)
{
    QString t = text.trimmed();
    t.replace(decimalSep, QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

std::optional<std::array<Money, 4>> MetalValuesFor(const std::array<Money, 4> &spot, double ounces)
{
    // 2^63 ten-thousandths: a product at or past it is no amount.
    constexpr double limit = 9223372036854775808.0;
    std::array<Money, 4> out{};
    for (size_t i = 0; i < spot.size(); ++i) {
        const double scaled = static_cast<double>(spot[i]) * ounces;
        if (!std::isfinite(scaled) || std::fabs(scaled) >= limit)
            return std::nullopt;
        out[i] = MoneyFromScaled(scaled);
    }
    return out;
}

std::array<QString, 4> MetalValueTexts(const std::array<Money, 4> &spot, double ounces)
{
    std::array<QString, 4> texts;
    if (const auto values = MetalValuesFor(spot, ounces))
        for (size_t i = 0; i < texts.size(); ++i)
            texts[i] = FormatMoneyPattern(QStringLiteral("0.00"), (*values)[i]);
    return texts;
}

tPurityResult PurityCalc(int mode, double weight, double purity, double content)
{
    if (purity > 0 && purity < 1)
        purity *= 100;
    tPurityResult r;
    switch (mode) {
    case PurityModeWeight:
        if (purity > 0) {
            SetResult(r, content * (100 / purity) * GramsPerTroyOunce);
        } else {
            r.Text = PurityUndefined;
        }
        r.Content = content > 0 ? content : 0;
        break;
    case PurityModePurity:
        if (weight > 0) {
            SetResult(r, content / (weight / GramsPerTroyOunce) * 100);
        } else {
            r.Text = PurityUndefined;
        }
        r.Content = content > 0 ? content : 0;
        break;
    default: {
        const double c = weight / GramsPerTroyOunce * (purity / 100);
        if (c > 0 && std::isfinite(c)) {
            SetResult(r, c);
            r.Content = c;
        } else {
            r.Text = PurityNone;
        }
        break;
    }
    }
    return r;
}

QString PurityFromCombo(const QString &text)
{
    const qsizetype close = text.indexOf(QLatin1Char(')'));
    if (close < 0)
        return text;
    QString number = text.mid(close + 2, 10);
    number.chop(1);
    return number;
}

const std::array<QString, 10> &PurityPresets()
{
    static const std::array<QString, 10> presets{
        QStringLiteral("(9 Karat) 37.5%"),   QStringLiteral("(10 Karat) 41.7%"),  QStringLiteral("(12 Karat) 50%"),
        QStringLiteral("(14 Karat) 58.3%"),  QStringLiteral("(18 Karat) 75%"),    QStringLiteral("(Coin silver) 90%"),
        QStringLiteral("(22 Karat) 91.7%"),  QStringLiteral("(Sterling) 92.5%"),  QStringLiteral("(Ducat gold) 98.6%"),
        QStringLiteral("(24 Karat) 99.9%")};
    return presets;
}

tPurityLayout PurityLayout(int mode, bool defined)
{
    tPurityLayout l;
    for (int i = 0; i < 3; ++i) {
        const size_t k = static_cast<size_t>(i);
        l.InputShown[k] = i != mode;
        l.UnitShown[k] = i != mode || defined;
        l.Marked[k] = i == mode;
    }
    return l;
}

QString SpotFieldEnterText(const QString &shown, QChar decimalSep)
{
    return DigitsOnly(shown, true, decimalSep);
}

QString SpotFieldExitText(const QString &typed, QChar decimalSep)
{
    const double v = ReadNumber(DigitsOnly(typed, true, decimalSep), decimalSep);
    return FormatMoneyPattern(QStringLiteral("0.00"), MoneyFromDouble(v), decimalSep, QChar());
}

std::array<Money, 4> TypedSpotPrices(const std::array<Money, 4> &stored, const std::array<QString, 4> &texts,
                                     const std::array<bool, 4> &typed, QChar decimalSep)
{
    std::array<Money, 4> out = stored;
    for (size_t i = 0; i < out.size(); ++i)
        if (typed[i])
            out[i] = GetCurrencyValue(texts[i], decimalSep);
    return out;
}

bool SpotPricesChanged(const std::array<Money, 4> &stored, const std::array<Money, 4> &typed, bool storedAuto,
                       bool typedAuto)
{
    return stored != typed || storedAuto != typedAuto;
}

bool CloseBullion(tMainState &s, const std::array<Money, 4> &typed, bool autoSpot, int today)
{
    const bool changed = SpotPricesChanged(s.MetalValues, typed, s.AutoSpotPrices, autoSpot);
    if (!changed)
        return false;
    // Only what the collector changed is written: a price left alone keeps
    // its stored dollars, which a round trip through another currency could
    // move by a ten-thousandth.
    const double toDollars = ForexRateOf(s, UsdForexIndex) / ForexRateOf(s, s.SpotPricesCurrencyIndex);
    const std::array<QLatin1StringView, 4> names{RegName::SilverPrice, RegName::GoldPrice, RegName::PalladiumPrice,
                                                 RegName::PlatinumPrice};
    for (size_t i = 0; i < names.size(); ++i)
        if (typed[i] != s.MetalValues[i])
            WriteRegCurrency(names[i],
                             s.SpotPricesCurrencyIndex == UsdForexIndex ? typed[i] : MoneyMul(typed[i], toDollars));
    if (autoSpot != s.AutoSpotPrices)
        WriteRegBool(RegName::AutoSpotPrices, autoSpot);
    s.MetalValues = typed;
    s.AutoSpotPrices = autoSpot;
    s.MetalValuesDate = today;
    WriteRegInteger(RegName::MetalDate, today);
    return true;
}
