#include "core/model/mainstate.h"

#include <algorithm>
#include <unordered_set>

#include "core/collection/coinentries.h"
#include "core/model/currproc.h"
#include "core/model/seriestree.h"

int CurrProc = 0;

tMainState::tMainState()
{
    EntireCollection = std::make_unique<tnodeinfo>();
    tnodeinfo &r = *EntireCollection;
    r.NodeName = QStringLiteral("Entire Collection");
    r.CoinType = RootCoinType;
    r.UpdateOK = true;
    r.MoveOK = false;
    r.Country = -1;
    SelectedTreeNode = EntireCollection.get();
    BlockList.fill(-1);
    PricesDatesArray.fill(-1);
}

tMainState::~tMainState()
{
    // Views first, owners after: nothing may point at a freed record even
    // while the state is torn down.
    CurrCoinList.clear();
    CurrPriceList.clear();
    BinList.clear();
    ReportListSeries.clear();
    ReportListPrices.clear();
    ReportListCoins.clear();
    ReportListForex.clear();
    UndoCoinList.clear();  // coin entries: records link entries of CoinList
    CoinList.clear();
    PriceList.clear();
}

tnodeinfo::~tnodeinfo()
{
    // Children are taken out before each node is freed, so every destructor
    // below this one finds an empty list and returns at once.
    std::vector<std::unique_ptr<tnodeinfo>> pending = std::move(ChildNodes);
    while (!pending.empty()) {
        std::unique_ptr<tnodeinfo> n = std::move(pending.back());
        pending.pop_back();
        for (auto &c : n->ChildNodes)
            pending.push_back(std::move(c));
        n->ChildNodes.clear();
    }
}

tnodeinfo *AddChildNode(tnodeinfo *parent, int32_t coinType, int index)
{
    auto node = std::make_unique<tnodeinfo>();
    node->CoinType = coinType;
    node->Country = CoinTypeToCountry(coinType);
    node->ParentNode = parent;
    tnodeinfo *raw = node.get();
    if (index < 0 || index >= static_cast<int>(parent->ChildNodes.size()))
        parent->ChildNodes.push_back(std::move(node));
    else
        parent->ChildNodes.insert(parent->ChildNodes.begin() + index, std::move(node));
    return raw;
}

std::vector<tnodeinfo *> PreOrder(tnodeinfo *top)
{
    std::vector<tnodeinfo *> out;
    ForEachNode(top, [&](tnodeinfo *n) { out.push_back(n); });
    return out;
}

void tMainState::DeleteCoin(tCoinInfo *coin)
{
    if (!coin)
        return;
    std::erase(CurrCoinList, coin);
    std::erase(BinList, coin);
    std::erase(ReportListCoins, coin);
    PurgeCoinUndo(*this, coin);  // coin entries: no record may outlive its entry
    auto it = std::find_if(CoinList.begin(), CoinList.end(), [&](const auto &p) { return p.get() == coin; });
    if (it != CoinList.end())
        CoinList.erase(it);
    ++CoinGeneration;  // caches keyed by entry must not outlive it
}

void tMainState::ClearCoins()
{
    CurrCoinList.clear();
    BinList.clear();
    ReportListCoins.clear();
    UndoCoinList.clear();  // coin entries: every record links a freed entry or a stale collection
    CoinList.clear();
    ++CoinGeneration;
}

void tMainState::PurgeNodeLinks(const std::vector<tnodeinfo *> &doomed)
{
    const std::unordered_set<tnodeinfo *> set(doomed.begin(), doomed.end());
    for (auto &c : CoinList)
        if (set.count(c->Folder))
            c->Folder = nullptr;
    for (auto &p : PriceList)
        if (set.count(p->Folder))
            p->Folder = nullptr;
    std::erase_if(ReportListSeries, [&](tnodeinfo *n) { return set.count(n) != 0; });
    // Coin entries: the entries held by undo records (copies and deleted ones).
    for (auto &u : UndoCoinList)
        if (u->Owned && set.count(u->Owned->Folder))
            u->Owned->Folder = nullptr;
    if (set.count(SelectedTreeNode))
        SelectedTreeNode = EntireCollection.get();
    // Series tree view and selection lists.
    std::erase_if(VisibleNodeList, [&](tnodeinfo *n) { return set.count(n) != 0; });
    std::erase_if(ClickTrackList, [&](tnodeinfo *n) { return set.count(n) != 0; });
    for (tnodeinfo **ref : {&QuarterNode, &ATBNode, &DollarNode, &WomenNode, &ATBFiveOzNode, &QuarterFDCNode,
                            &DollarFDCNode, &InnovationNode})
        if (set.count(*ref))
            *ref = nullptr;
}

void tMainState::DeleteSeries(tnodeinfo *node)
{
    if (!node || node == EntireCollection.get() || !node->ParentNode)
        return;
    PurgeNodeLinks(PreOrder(node));
    ++TreeGeneration;  // countries: a running structure load must re-index
    auto &siblings = node->ParentNode->ChildNodes;
    auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto &p) { return p.get() == node; });
    if (it != siblings.end())
        siblings.erase(it);
}

void tMainState::ClearSeries()
{
    std::vector<tnodeinfo *> doomed = PreOrder(EntireCollection.get());
    doomed.erase(doomed.begin());  // the root stays
    PurgeNodeLinks(doomed);
    ++TreeGeneration;  // countries: a running structure load must re-index
    EntireCollection->ChildNodes.clear();
}
