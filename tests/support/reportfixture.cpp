#include "support/reportfixture.h"

#include "core/model/seriestree.h"
#include "reports/engine/reportvalue.h"

namespace {

tnodeinfo *Series(tnodeinfo *parent, int number, const char *name, int shape = 0)
{
    tnodeinfo *n = AddChildNode(parent, number);
    n->NodeName = QString::fromLatin1(name);
    n->CoinShape = static_cast<uint8_t>(shape);
    return n;
}

} // namespace

tReportFixture::tReportFixture()
{
    tnodeinfo *root = S.EntireCollection.get();
    US = Series(root, 100, "United States");
    US->NodeMode = NodeModeCountry;
    Cents = Series(US, 101, "Cents");
    Cents->Themes = 1 << 0;
    Wheat = Series(Cents, 102, "Wheat cents");
    Wheat->Themes = (1 << 0) | (1 << 4);
    Notes = Series(US, 103, "Notes", PaperMoneyShape);
    Notes->Themes = 1 << 4;
    France = Series(root, 200, "France");
    France->GlyphStats = GlyphAdded;
    Francs = Series(France, 201, "Francs");
}

tCoinInfo &tReportFixture::AddCoin(tnodeinfo *series, int year, const QString &mint, int inventory)
{
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = series->CoinType;
    c->Folder = series;
    c->Year = year;
    c->Mint = mint;
    c->Inventory = inventory;
    c->Have = 1;
    S.CoinList.push_back(std::move(c));
    return *S.CoinList.back();
}

tPriceInfo &tReportFixture::AddPrice(tnodeinfo *series, int year, const QString &mint, const QString &variety,
                                     const QString &gm)
{
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = series ? series->CoinType : 0;
    p->Folder = series;
    p->Year = year;
    p->Mint = mint;
    p->Variety = variety;
    p->GM = gm;
    S.PriceList.push_back(std::move(p));
    return *S.PriceList.back();
}

tCoinInfo *tReportFixture::Coin(int inventory)
{
    for (auto &c : S.CoinList)
        if (c->Inventory == inventory)
            return c.get();
    return nullptr;
}

QString ShowReportValue(const tReportValue &v)
{
    switch (v.Kind()) {
    case tReportValue::Empty: return QStringLiteral("<empty>");
    case tReportValue::Text: return QStringLiteral("text:") + v.TextValue();
    case tReportValue::Integer: return QStringLiteral("int:") + QString::number(v.IntegerValue());
    case tReportValue::Real: return QStringLiteral("real:") + QString::number(v.RealValue());
    case tReportValue::Boolean: return v.BooleanValue() ? QStringLiteral("true") : QStringLiteral("false");
    case tReportValue::MoneyAmount: return QStringLiteral("money:") + QString::number(v.MoneyValue());
    }
    return {};
}
