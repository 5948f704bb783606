#include "pricing/pricetools/forexview.h"

#include <algorithm>
#include <cmath>

#include "core/model/money.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/spotprices.h"

namespace {

const tForex *ActiveForex(const tMainState &s)
{
    const int active = ValidForexIndex(s, s.ActiveForexIndex);
    return active < static_cast<int>(s.ForexList.size()) ? s.ForexList[static_cast<size_t>(active)].get() : nullptr;
}

QString FormatRate(double value, QChar decimalSep)
{
    return FormatFloatPattern(QStringLiteral("0.#####"), value, decimalSep);
}

} // namespace

std::vector<tLocalForex> BuildLocalForexList(const tMainState &s)
{
    std::vector<tLocalForex> rows;
    for (size_t i = 0; i < s.ForexList.size(); ++i) {
        const tForex &f = *s.ForexList[i];
        if (f.Code.isEmpty() || f.Code == QLatin1String("-"))
            continue;
        rows.push_back({f.Code, f.Description, f.Rate, static_cast<int>(i)});
    }
    return rows;
}

void SortForex(std::vector<tLocalForex> &rows, int column)
{
    const auto before = [column](const tLocalForex &a, const tLocalForex &b) {
        switch (column) {
        case ForexColCode: return CompareTextAscii(a.Code, b.Code) < 0;
        case ForexColDescription: return CompareTextAscii(a.Description, b.Description) < 0;
        case ForexColToActive: return a.Rate < b.Rate;
        case ForexColFromActive: return a.Rate > b.Rate;
        default: return false;
        }
    };
    std::stable_sort(rows.begin(), rows.end(), before);
}

bool UsableForexRate(float rate)
{
    return std::isfinite(rate) && rate > 0.0f;
}

QString ForexCellText(const tMainState &s, const tLocalForex &row, int column, double amount, QChar decimalSep)
{
    switch (column) {
    case ForexColCode: return row.Code;
    case ForexColDescription: return row.Description;
    default: break;
    }
    const tForex *active = ActiveForex(s);
    if (!active || !UsableForexRate(row.Rate) || !UsableForexRate(active->Rate))
        return QStringLiteral("-");
    if (row.Code != active->Code && !ExchangeRatesKnown(s))
        return QStringLiteral("-");
    const double a = active->Rate;
    const double r = row.Rate;
    const QString t = ForexAmountText(amount, decimalSep);
    if (column == ForexColToActive)
        return t + QLatin1Char(' ') + row.Code + QStringLiteral(" = ") + FormatRate(a / r * amount, decimalSep)
               + QLatin1Char(' ') + active->Code;
    return t + QLatin1Char(' ') + active->Code + QStringLiteral(" = ") + FormatRate(r / a * amount, decimalSep)
           + QLatin1Char(' ') + row.Code;
}

QString ForexAmountText(double amount, QChar decimalSep)
{
    return FormatFloatPattern(QStringLiteral("0.00###"), amount, decimalSep);
}

double ParseForexAmount(const QString &text, QChar decimalSep)
{
    QString t = text.trimmed();
    if (!AcceptForexAmountText(t, decimalSep))
        return 1.0;
    t.replace(decimalSep, QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 1.0;
}

bool AcceptForexAmountText(const QString &text, QChar decimalSep)
{
    return text.count(decimalSep) <= 1;
}

bool CanSelectForex(const tMainState &s, const tLocalForex &row)
{
    if (!UsableForexRate(row.Rate) || row.Row < 0 || row.Row >= static_cast<int>(s.ForexList.size())
        || !UsableForexRate(s.ForexList[static_cast<size_t>(row.Row)]->Rate))
        return false;
    // At the rates of 1 every list would be relabelled, not converted:
    // dollar figures would read as euros. The way back to dollars, the
    // currency of a new collector, stays open.
    return ExchangeRatesKnown(s) || row.Row == ValidForexIndex(s, s.ActiveForexIndex) ||
           row.Code == QLatin1String("USD");
}

bool SelectForex(tMainState &s, const tLocalForex &row)
{
    if (!CanSelectForex(s, row))
        return false;
    s.ActiveForexIndex = row.Row;
    ConvertPriceListCurrency(s);
    SquewSpotPrices(s);
    return true;
}

QString NoExchangeRatesText(const tMainState &s)
{
    if (ExchangeRatesKnown(s))
        return {};
    return QStringLiteral("No exchange rates are known yet, so the currency cannot be changed. They arrive with "
                          "the daily spot-price file.");
}

QString SelectedCurrencyText(const tMainState &s)
{
    const tForex *active = ActiveForex(s);
    if (!active)
        return QStringLiteral("Currently selected currency: ");
    return QStringLiteral("Currently selected currency: ") + active->Code + QStringLiteral(" (") + active->Description
           + QLatin1Char(')');
}
