#include "browse/shell/pageswitch.h"

#include "core/model/dates.h"
#include "core/model/mainstate.h"
#include "core/model/seriestree.h"
#include "core/model/varietytext.h"

int FindHotPrice(const std::vector<tPriceInfo *> &prices, const tCoinInfo &coin)
{
    int hot = -1;
    for (size_t i = 0; i < prices.size(); ++i) {
        const tPriceInfo *p = prices[i];
        if (!p || p->Year != coin.Year)
            continue;
        const QString variety = UnpackVariety(p->Variety, false);
        if (p->Mint.compare(coin.Mint, Qt::CaseInsensitive) == 0
            && variety.compare(coin.Variety, Qt::CaseInsensitive) == 0
            && p->GM.compare(coin.GM, Qt::CaseInsensitive) == 0)
            hot = static_cast<int>(i);  // the last match wins
    }
    return hot;
}

int PriceSourceOf(const tnodeinfo &node)
{
    return node.PriceSource > 0 ? node.PriceSource : node.CoinType;
}

QString SharedPricesStatus(const tMainState &s, const tnodeinfo &node)
{
    if (node.PriceSource <= 0)
        return {};
    return QStringLiteral("These prices are shared from series ") + QString::number(node.PriceSource)
           + QStringLiteral(", ") + CoinTypeToSeriesName(s, node.PriceSource);
}

QString PriceDateText(const tMainState &s, int country)
{
    if (country < 0 || country >= static_cast<int>(s.PricesDatesArray.size()))
        return {};
    const int day = s.PricesDatesArray[country];
    return day < 1 ? QString() : FormatShortDate(day);
}

tPageEntry PageEntryPlan(const tPageEntryFacts &f)
{
    tPageEntry e;
    e.RecountSeries = f.Page == PageSeries;
    e.RecalcDates = f.Page == PageSeries && f.DatesMayHaveChanged;
    e.ResortPrices = f.PreviousPage == PagePricing && f.PricesModified;
    e.RefreshPricing = f.Page == PagePricing && f.SeriesSelected;
    e.RefreshStats = f.Page == PageSeries && f.StatsSideShown;
    e.CoinCaption = f.Page == PageImages && f.CoinRowValid;
    e.SeriesCaption = !e.CoinCaption && f.SeriesSelected;
    e.RefreshImages = e.CoinCaption;
    e.RefreshCoins = f.Page == PageCoins;
    e.RefreshEbooks = f.Page == PageEbooks;
    e.RefreshChart = f.Page == PageGraphs;
    e.RefreshReports = f.Page == PageReports;
    return e;
}
