#include "support/coinfixture.h"

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

void tFakeValuation::Install(tMainState &s)
{
    s.Hooks.GetCoinValue = [this](tCoinInfo &coin, Money &value, bool, bool dumbGet) -> tPriceInfo * {
        ++Calls;
        const auto it = Answers.find(&coin);
        value = coin.BuyLock ? coin.BuyPrice : coin.SellLock ? coin.SellPrice : 0;
        if (it == Answers.end())
            return nullptr;
        if (!coin.BuyLock && !coin.SellLock)
            value = it->second.Value;
        return dumbGet && it->second.DumbPrice ? it->second.DumbPrice : it->second.Price;
    };
    s.Hooks.ValueCodeName = [](int code) { return QStringLiteral("code %1").arg(code); };
}

tPriceInfo *tFakeValuation::Price(const QString &catalog, int metal, float content)
{
    auto p = std::make_unique<tPriceInfo>();
    p->Catalog = catalog;
    p->Metal = static_cast<uint8_t>(metal);
    p->Content = content;
    Prices.push_back(std::move(p));
    return Prices.back().get();
}

void tFakeValuation::Set(const tCoinInfo *coin, Money value, tPriceInfo *price)
{
    Answers[coin] = {price ? price : Price(), value, nullptr};
}
