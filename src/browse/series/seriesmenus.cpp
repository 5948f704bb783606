#include "browse/series/seriesmenus.h"

#include <algorithm>

#include "core/model/helpers.h"
#include "core/model/seriestree.h"

tSeriesMenuItem SeriesMenuItem(const tnodeinfo &node)
{
    return {TakeOutAnds(node.NodeName.trimmed()), node.CoinType};
}

void tRecentSeries::Add(const tnodeinfo &node)
{
    std::erase_if(Items, [&](const tSeriesMenuItem &i) { return i.CoinType == node.CoinType; });
    if (Items.size() > RecentSeriesMax - 1)
        Items.resize(RecentSeriesMax - 1);
    Items.insert(Items.begin(), SeriesMenuItem(node));
}

std::vector<tSeriesMenuItem> FavoriteItems(const tMainState &s)
{
    std::vector<tSeriesMenuItem> out;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (n->Favorite)
            out.push_back(SeriesMenuItem(*n));
    });
    return out;
}

tnodeinfo *SeriesOfMenuItem(const tMainState &s, int coinType)
{
    return CoinTypeToNodeInfo(s, coinType);
}

int CreditPictureCode(int country)
{
    if (country <= 0 || country >= UserCountry)
        return CreditNone;
    if (country == 9)
        return CreditShadow | 1;
    for (int c : {22, 58, 91, 139, 205, 442})
        if (country == c)
            return CreditShadow | 3;
    return CreditGeneral;
}

tCreditStep ShowCountryCredit(tCreditPicture &c, int country, bool inView)
{
    const int code = CreditPictureCode(country);
    if (country == c.LastSignCountry && c.TagString.isEmpty() &&
        ((c.Tag & ~CreditDismissed) == code || !(c.Tag & CreditDismissed)))
        return tCreditStep::Stay;
    if (country != c.LastSignCountry || c.Tag != code) {
        c.Tag = code;  // also clears the dismissed mark
        c.TagString.clear();
        c.LastSignCountry = country;
    }
    return inView ? tCreditStep::SlideOutThenNext : tCreditStep::Next;
}

tCreditShow NextCreditPicture(tCreditPicture &c)
{
    tCreditShow show;
    if (c.Tag < 0 || !c.TagString.isEmpty())
        return show;
    show.Show = true;
    show.Picture = c.Tag & CreditPictureMask;
    show.Shadow = (c.Tag & CreditShadow) != 0;
    show.Glow = (c.Tag & CreditGlow) != 0;
    // The general picture comes in once per country.
    if (c.Tag == CreditGeneral)
        c.TagString = QStringLiteral("+");
    return show;
}

void DismissCreditPicture(tCreditPicture &c)
{
    c.Tag |= CreditDismissed;
}

int CreditPictureWidth(int areaWidth)
{
    return areaWidth / 8;
}

int CreditPictureHeight(int areaWidth)
{
    return static_cast<int>(CreditPictureWidth(areaWidth) / 3.0 * 2.0);
}

bool UserSeriesHintVisible(const tMainState &s)
{
    const tnodeinfo *n = s.SelectedTreeNode;
    return n && s.CurrPriceList.empty() && n->ChildNodes.empty() && CoinTypeToCountry(n->CoinType) == UserCountry;
}
