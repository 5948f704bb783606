#include "support/coinentryfixture.h"

#include <algorithm>

namespace {

void Logged(tCoinFixture &f, void (tStateEvents::*signal)(), const QString &name, std::function<void()> also = {})
{
    QObject::connect(f.s.Events.get(), signal, [&f, name, also] {
        f.Log << name;
        if (also)
            also();
    });
}

} // namespace

tCoinFixture::tCoinFixture()
{
    Country = AddChildNode(s.EntireCollection.get(), 100000);
    Country->NodeName = QStringLiteral("Land");
    Country->NodeMode = NodeModeCountry;
    Cents = AddChildNode(Country, 100001);
    Cents->NodeName = QStringLiteral("Cents");
    Dimes = AddChildNode(Country, 100002);
    Dimes->NodeName = QStringLiteral("Dimes");

    Logged(*this, &tStateEvents::PrepCoinsPage, QStringLiteral("PrepCoinsPage"), [this] {
        s.CurrCoinList.clear();
        for (auto &c : s.CoinList)
            if (c->CoinType == s.SelectedTreeNode->CoinType)
                s.CurrCoinList.push_back(c.get());
        if (s.CoinGridRow >= static_cast<int>(s.CurrCoinList.size()))
            s.CoinGridRow = static_cast<int>(s.CurrCoinList.size()) - 1;
    });
    Logged(*this, &tStateEvents::SortFolderCoins, QStringLiteral("SortFolderCoins"), [this] {
        std::stable_sort(s.CurrCoinList.begin(), s.CurrCoinList.end(), [](const tCoinInfo *a, const tCoinInfo *b) {
            return a->Year != b->Year ? a->Year < b->Year : a->Mint < b->Mint;
        });
    });
    Logged(*this, &tStateEvents::SeriesSelected, QStringLiteral("SeriesSelected"), [this] { Select(s.SelectedTreeNode); });
    Logged(*this, &tStateEvents::RefreshCoinGrid, QStringLiteral("RefreshCoinGrid"));
    Logged(*this, &tStateEvents::SetMainCaption, QStringLiteral("SetMainCaption"));
    Logged(*this, &tStateEvents::ShowBinCount, QStringLiteral("ShowBinCount"));
    Logged(*this, &tStateEvents::UpdateSelectionSummary, QStringLiteral("UpdateSelectionSummary"));
    Logged(*this, &tStateEvents::RestoreNotesMemo, QStringLiteral("RestoreNotesMemo"));
    Logged(*this, &tStateEvents::ShowCoinsPage, QStringLiteral("ShowCoinsPage"));
    s.SelectedTreeNode = Cents;
}

tPriceInfo *tCoinFixture::AddPrice(int year, const QString &mint, const QString &variety, const QString &gm,
                                   tnodeinfo *series)
{
    series = series ? series : Cents;
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = series->CoinType;
    p->Folder = series;
    p->Year = year;
    p->Mint = mint;
    p->Variety = variety;
    p->GM = gm;
    tPriceInfo *raw = p.get();
    s.PriceList.push_back(std::move(p));
    if (s.SelectedTreeNode == series)
        s.CurrPriceList.push_back(raw);
    return raw;
}

tCoinInfo *tCoinFixture::AddCoin(int year, const QString &mint, tnodeinfo *series)
{
    series = series ? series : Cents;
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = series->CoinType;
    c->Folder = series;
    c->Year = year;
    c->Mint = mint;
    c->Have = 1;
    c->Inventory = ++s.MaxInventory;
    tCoinInfo *raw = c.get();
    s.CoinList.push_back(std::move(c));
    for (tnodeinfo *n = series; n; n = n->ParentNode)
        ++n->EntryCount;
    if (s.SelectedTreeNode == series)
        s.CurrCoinList.push_back(raw);
    return raw;
}

void tCoinFixture::Select(tnodeinfo *series)
{
    s.SelectedTreeNode = series;
    s.CurrPriceList.clear();
    for (auto &p : s.PriceList)
        if (p->CoinType == series->CoinType)
            s.CurrPriceList.push_back(p.get());
    s.CurrCoinList.clear();
    for (auto &c : s.CoinList)
        if (c->CoinType == series->CoinType)
            s.CurrCoinList.push_back(c.get());
    s.CoinGridRow = s.CurrCoinList.empty() ? -1 : 0;
}
