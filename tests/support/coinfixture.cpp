#include "support/coinfixture.h"

#include <algorithm>

std::unique_ptr<tMainState> NewCoinState()
{
    auto s = std::make_unique<tMainState>();
    tnodeinfo *a = AddChildNode(s->EntireCollection.get(), FixtureSeries);
    a->NodeName = QStringLiteral("Lincoln Cents");
    tnodeinfo *b = AddChildNode(s->EntireCollection.get(), OtherSeries);
    b->NodeName = QStringLiteral("Buffalo Nickels");
    s->SelectedTreeNode = a;
    return s;
}

tCoinInfo *AddCoin(tMainState &s, tCoinInfo init)
{
    if (init.CoinType == 0)
        init.CoinType = FixtureSeries;
    s.CoinList.push_back(std::make_unique<tCoinInfo>(std::move(init)));
    return s.CoinList.back().get();
}

void AddField(tMainState &s, int fieldType, const QString &label)
{
    auto f = std::make_unique<tUDFfield>();
    f->FieldType = fieldType;
    f->FieldLabel = label;
    f->ID = static_cast<int>(s.UDFlist.size()) + 1;
    s.UDFlist.push_back(std::move(f));
}

void tCoinPrices::Install(tMainState &s)
{
    S = &s;
}

tPriceInfo *tCoinPrices::Price(const QString &catalog, int metal, float content)
{
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = -1;
    p->Catalog = catalog;
    p->Metal = static_cast<uint8_t>(metal);
    p->Content = content;
    tPriceInfo *raw = p.get();
    S->PriceList.push_back(std::move(p));
    S->CurrPriceList.push_back(raw);
    ++S->PriceListGeneration;
    return raw;
}

namespace {

int32_t PriceSeries(const tCoinInfo &c)
{
    if (!c.Folder)
        return c.CoinType;
    return c.Folder->PriceSource > 0 ? c.Folder->PriceSource : c.Folder->CoinType;
}

} // namespace

void tCoinPrices::Link(tCoinInfo *coin, tPriceInfo *price)
{
    const int32_t series = PriceSeries(*coin);
    // A variety of its own, so that no other entry of the test (priced or
    // not) shares the coin's key, even where the grade modifier is ignored.
    if (coin->Variety.isEmpty())
        coin->Variety = QStringLiteral("#%1").arg(++Made);
    price->CoinType = series;
    price->Year = coin->Year;
    price->Mint = coin->Mint;
    price->Variety = coin->Variety;
    price->GM = coin->GM;
    ++S->PriceListGeneration;
}

void tCoinPrices::Set(tCoinInfo *coin, Money value, tPriceInfo *price)
{
    if (!price)
        price = Price();
    if (coin->Grade < 0 || coin->Grade >= GradeSlots)
        coin->Grade = 0;
    Link(coin, price);
    price->Value[static_cast<size_t>(coin->Grade)] = value;
}

void tCoinPrices::SetIgnoringModifier(tCoinInfo *coin, tPriceInfo *price)
{
    const int32_t series = PriceSeries(*coin);
    price->CoinType = series;
    price->Year = coin->Year;
    price->Mint = coin->Mint;
    price->Variety = coin->Variety;
    price->GM = coin->GM + QStringLiteral("+");
    auto &list = S->PriceList;
    const auto it = std::find_if(list.begin(), list.end(), [price](const auto &p) { return p.get() == price; });
    std::rotate(list.begin(), it, it + 1);
    auto &curr = S->CurrPriceList;
    curr.erase(std::find(curr.begin(), curr.end(), price));
    curr.insert(curr.begin(), price);
    ++S->PriceListGeneration;
}
