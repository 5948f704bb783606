#include "pricing/valuation/forex.h"

#include <cmath>
#include <stdexcept>

#include <QFile>

#include "core/model/currproc.h"
#include "core/model/seriestree.h"

namespace {

constexpr int BlockConvertPriceListCurrency = 21047;

QChar AsciiUpper(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? QChar(static_cast<char16_t>(u - 32)) : c;
}

bool UsableRate(float rate)
{
    return std::isfinite(rate) && rate > 0.0f;
}

tForex PlaceholderForex(const QString &code, const QString &description)
{
    tForex f;
    f.Code = code;
    f.Description = description;
    f.Rate = 0.0f;
    return f;
}

} // namespace

int CompareTextAscii(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = AsciiUpper(a[i]).unicode();
        const char16_t y = AsciiUpper(b[i]).unicode();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

QStringList BuiltInForexRows()
{
    QFile f(QStringLiteral(":/currencies/currencies.txt"));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("The built-in currency table is missing");
    QStringList rows = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    // Only line ends are stripped: a symbol's blanks are part of the data.
    for (QString &r : rows)
        if (r.endsWith(QLatin1Char('\r')))
            r.chop(1);
    while (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    if (rows.size() != BuiltInForexCount)
        throw std::runtime_error("The built-in currency table is damaged");
    return rows;
}

tForex ParseForexEntry(const QString &row)
{
    const QStringList parts = row.split(QLatin1Char('|'));
    const auto part = [&](int i) { return i < parts.size() ? parts[i] : QString(); };
    const QString format = part(2);
    tForex f;
    f.Code = part(0).left(3);
    f.CurrencySymbol = part(1);
    f.SymbolIsPrefix = format.startsWith(QLatin1Char('L'));
    f.ThousandsSymbol = format.size() > 1 ? format[1] : QChar();
    f.DecimalSymbol = format.size() > 2 ? format[2] : QChar();
    f.Description = part(3);
    f.Rate = 1.0f;
    return f;
}

void LoadForexList(tMainState &s)
{
    const QStringList rows = BuiltInForexRows();
    s.ReportListForex.clear();
    s.ForexList.clear();
    for (const QString &row : rows) {
        s.ForexList.push_back(std::make_unique<tForex>(ParseForexEntry(row)));
        s.ReportListForex.push_back(s.ForexList.back().get());
    }
    s.ForexList.push_back(std::make_unique<tForex>(PlaceholderForex(QStringLiteral("-"), QStringLiteral("Demonetized"))));
    s.ForexList.push_back(std::make_unique<tForex>(PlaceholderForex(QString(), QStringLiteral("None"))));
}

bool ExchangeRatesKnown(const tMainState &s)
{
    const int builtIn = std::min<int>(BuiltInForexCount, static_cast<int>(s.ForexList.size()));
    for (int i = 0; i < builtIn; ++i) {
        const tForex &f = *s.ForexList[static_cast<size_t>(i)];
        if (f.Code != QLatin1String("USD") && UsableRate(f.Rate) && f.Rate != 1.0f)
            return true;
    }
    return false;
}

int ValidForexIndex(const tMainState &s, int index)
{
    const int builtIn = std::min<int>(BuiltInForexCount, static_cast<int>(s.ForexList.size()));
    if (index >= 0 && index < builtIn && UsableRate(s.ForexList[index]->Rate))
        return index;
    // Looked up by code rather than assumed at 0, so a list built by hand
    // (tests, a damaged table) still lands on dollars when it has them.
    for (int i = 0; i < builtIn; ++i)
        if (s.ForexList[i]->Code == QLatin1String("USD"))
            return i;
    return UsdForexIndex;
}

int NormalizeActiveForex(tMainState &s)
{
    s.ActiveForexIndex = ValidForexIndex(s, s.ActiveForexIndex);
    return s.ActiveForexIndex;
}

double ForexRateOf(const tMainState &s, int index)
{
    const int valid = ValidForexIndex(s, index);
    if (valid >= static_cast<int>(s.ForexList.size()))
        return 1.0;
    const float r = s.ForexList[valid]->Rate;
    return UsableRate(r) ? static_cast<double>(r) : 1.0;
}

QString ConvertPriceListCurrency(tMainState &s)
{
    CurrProcGuard guard(BlockConvertPriceListCurrency);
    // Without the currency table there are no rates to convert with: the
    // lists keep the currency they were stored in.
    if (s.ForexList.empty())
        return QString();
    const int active = NormalizeActiveForex(s);
    const double a = ForexRateOf(s, active);

    std::array<bool, CountryTableSize> marked{};
    for (auto &entry : s.PriceList) {
        const int c = CoinTypeToCountry(entry->CoinType);
        if (c < 0 || c > MaxCountry)
            continue;
        const int link = s.PriceListForexLinks[c];
        if (link == active)
            continue;
        // A list stored in a currency that cannot be used (out of range,
        // "Demonetized", "None", rate 0) is taken as US dollars.
        const double r = ForexRateOf(s, link);
        const double factor = a / r;
        for (Money &v : entry->Value)
            if (v > 0)  // 0 is "no price", below 0 a special value code
                v = MoneyMul(v, factor);
        marked[c] = true;
    }

    int k = 0;
    for (int c = 0; c <= MaxCountry; ++c) {
        if (!marked[c])
            continue;
        ++k;
        s.PriceListForexLinks[c] = active;
        s.PricesConvertedArray[c] = true;
        s.PricesConverted = true;
    }

    QString status;
    if (k > 0) {
        status = k == 1 ? QStringLiteral("1 Price list was") : QString::number(k) + QStringLiteral(" price lists were");
        status += QStringLiteral(" just converted to ");
        if (active < static_cast<int>(s.ForexList.size()))
            status += s.ForexList[active]->Description;
    }
    Q_EMIT s.Events->PriceListsConverted(status);
    Q_EMIT s.Events->SetSaveMenuVisibility();
    return status;
}

// No CurrProcGuard here: the statistics task formats on its own thread, and
// CurrProc belongs to the user-interface thread.
QString NativeFormatCurrency(const tMainState &s, Money inAmount, const QString &forexCode)
{
    const tForex *currency = nullptr;
    if (forexCode.isEmpty()) {
        const int active = ValidForexIndex(s, s.ActiveForexIndex);
        if (active < static_cast<int>(s.ForexList.size()))
            currency = s.ForexList[active].get();
    } else {
        for (const auto &f : s.ForexList)
            if (SameTextAscii(f->Code, forexCode)) {
                currency = f.get();
                break;
            }
    }
    if (!currency)
        return {};
    // A format that names no separator (the Moldovan row) falls back to the
    // common ones rather than writing a null character into the text.
    const QChar thousands = currency->ThousandsSymbol.isNull() ? QLatin1Char(',') : currency->ThousandsSymbol;
    const QChar decimal = currency->DecimalSymbol.isNull() ? QLatin1Char('.') : currency->DecimalSymbol;
    const QString number = FormatMoneyPattern(QStringLiteral(",0.00"), inAmount, decimal, thousands);
    return currency->SymbolIsPrefix ? currency->CurrencySymbol + number : number + currency->CurrencySymbol;
}
