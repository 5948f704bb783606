#include "browse/finders/tracking.h"
#include "core/model/currproc.h"

#include <algorithm>
#include <limits>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "core/collection/coinentries.h"
#include "core/program/epicmessage.h"
#include "core/model/seriestree.h"
#include "browse/shell/pageswitch.h"

namespace {

template <class F, class... Args>
void Call(const F &f, Args &&...args)
{
    if (f)
        f(std::forward<Args>(args)...);
}

void Select(tMainState &s, tnodeinfo *node)
{
    s.SelectedTreeNode = node;
    Q_EMIT s.Events->SeriesSelected();
}

// The series numbers of a subtree: entries belong to a series by number.
std::unordered_set<int32_t> SubtreeTypes(tnodeinfo *top)
{
    std::unordered_set<int32_t> types;
    ForEachNode(top, [&](const tnodeinfo *n) { types.insert(n->CoinType); });
    return types;
}

int SetMarks(tMainState &s, tnodeinfo *top, bool track, bool binOnly)
{
    if (!top || s.CoinList.empty())
        return 0;
    const std::unordered_set<int32_t> types = SubtreeTypes(top);
    int changed = 0;
    for (const auto &c : s.CoinList) {
        if (!types.count(c->CoinType) || (binOnly && !c->InBin) || c->User1 == track)
            continue;
        c->User1 = track;
        ++changed;
    }
    if (changed > 0) {
        MarkCollectionModified(s);
        Q_EMIT s.Events->RefreshCoinGrid();
    }
    return changed;
}

} // namespace

// ---- Showing what was found ----

void ShowFoundSeries(tMainState &s, tnodeinfo *node, const tNavigationSeams &nav)
{
    if (!node)
        return;
    Call(nav.BigImageDown);
    Call(nav.ShowPage, int(PageSeries));
    s.SelectedTreeNode = node;
    Call(nav.MakeTreeNodeVisible, node);
    Q_EMIT s.Events->SeriesSelected();
    Call(nav.RenderTree);
}

void ShowCatalogSeries(tMainState &s, tnodeinfo *node, const tNavigationSeams &nav)
{
    if (!node)
        return;
    Call(nav.BigImageDown);
    s.SelectedTreeNode = node;
    Call(nav.MakeTreeNodeVisible, node);
    Q_EMIT s.Events->SeriesSelected();
    Call(nav.RenderTree);
    if (nav.ActivePage && nav.ActivePage() == PagePricing)
        Call(nav.RefreshPricing);
}

void ShowCoinEntry(tMainState &s, tCoinInfo *coin, const tNavigationSeams &nav)
{
    if (!coin || !coin->Folder)
        return;
    if (nav.ActivePage && nav.ActivePage() == PageImages)
        Call(nav.ShowPage, int(PageCoins));
    s.LastItemNumberAccessed = coin->Inventory;
    s.SelectedTreeNode = coin->Folder;
    Call(nav.MakeTreeNodeVisible, coin->Folder);
    Q_EMIT s.Events->SeriesSelected();
    Call(nav.AddRecent);
    Call(nav.BuildDateMintBoxList, false);
    Call(nav.RenderTree);
    Call(nav.ShowPage, int(PageCoins));
    // The entry asked for is shown even when the view filter hides its
    // kind; otherwise the grid would stay on another entry without a word.
    Call(nav.ApplyViewFilter, coin);
    Call(nav.SortFolderCoins);
    const auto it = std::find(s.CurrCoinList.begin(), s.CurrCoinList.end(), coin);
    if (it == s.CurrCoinList.end())
        return;
    const int row = static_cast<int>(it - s.CurrCoinList.begin());
    if (nav.SetCoinGridRow)
        nav.SetCoinGridRow(row);
    else
        s.CoinGridRow = row;
}

// ---- Tracking marks ----

void MarkCollectionModified(tMainState &s)
{
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
    Q_EMIT s.Events->SetSaveMenuVisibility();
}

int SetTrackInSeries(tMainState &s, tnodeinfo *top, bool track)
{
    CurrProcGuard guard(29200);
    return SetMarks(s, top, track, false);
}

int TrackBinCoinsInSeries(tMainState &s, tnodeinfo *top)
{
    CurrProcGuard guard(29100);
    return SetMarks(s, top, true, true);
}

int ClearAllTracks(tMainState &s)
{
    int changed = 0;
    for (const auto &c : s.CoinList)
        if (c->User1) {
            c->User1 = false;
            ++changed;
        }
    if (changed > 0) {
        MarkCollectionModified(s);
        Q_EMIT s.Events->RefreshCoinGrid();
    }
    return changed;
}

// ---- Next tracked entry ----

tTrackedHit FindNextTrackedCoin(const tMainState &s, const tCoinInfo *current)
{
    // Tracked entries by series number, in CoinList order, so each series
    // is looked up once however large the collection is.
    std::unordered_map<int32_t, std::vector<size_t>> tracked;
    std::unordered_map<const tCoinInfo *, size_t> position;
    for (size_t i = 0; i < s.CoinList.size(); ++i) {
        const tCoinInfo *c = s.CoinList[i].get();
        if (c->User1)
            tracked[c->CoinType].push_back(i);
        if (c == current)
            position[c] = i;
    }
    if (tracked.empty())
        return {};
    const std::vector<tnodeinfo *> nodes = PreOrder(s.EntireCollection.get());
    const auto curIt = std::find(nodes.begin(), nodes.end(), s.SelectedTreeNode);
    const size_t cur = curIt == nodes.end() ? 0 : static_cast<size_t>(curIt - nodes.begin());
    size_t after = 0;  // first CoinList position scanned on the first visit
    if (current && !s.CurrCoinList.empty() && position.count(current))
        after = position[current] + 1;
    for (size_t step = 0; step <= nodes.size(); ++step) {
        tnodeinfo *node = nodes[(cur + step) % nodes.size()];
        const auto it = tracked.find(node->CoinType);
        if (it == tracked.end())
            continue;
        const size_t from = step == 0 ? after : 0;
        const auto hit = std::lower_bound(it->second.begin(), it->second.end(), from);
        if (hit != it->second.end())
            return {node, s.CoinList[*hit].get()};
    }
    return {};
}

void Findnexttrackedcoin1Click(tMainState &s, const tCoinInfo *current, const tNavigationSeams &nav)
{
    const tTrackedHit hit = FindNextTrackedCoin(s, current);
    if (!hit.Coin) {
        ShowEpicMessage(NoTrackedCoinsText, QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
        return;
    }
    Select(s, hit.Series);
    Call(nav.BuildDateMintBoxList, false);
    Call(nav.ShowPage, int(PageCoins));
    // Forced into view, as the item finder does: a hidden tracked entry
    // could not be selected, and the next step would start from the wrong
    // row.
    Call(nav.ApplyViewFilter, hit.Coin);
    Call(nav.SortFolderCoins);
    if (nav.SelectCoin)
        nav.SelectCoin(hit.Coin);
    else {
        const auto it = std::find(s.CurrCoinList.begin(), s.CurrCoinList.end(), hit.Coin);
        if (it != s.CurrCoinList.end())
            s.CoinGridRow = static_cast<int>(it - s.CurrCoinList.begin());
    }
}

// ---- Item numbers ----

tCoinInfo *ItemNeighbour(const tMainState &s, int32_t last, bool next)
{
    tCoinInfo *best = nullptr;
    for (const auto &c : s.CoinList) {
        if (next ? c->Inventory <= last : c->Inventory >= last)
            continue;
        // Strictly better only, so the first of equal numbers wins.
        if (!best || (next ? c->Inventory < best->Inventory : c->Inventory > best->Inventory))
            best = c.get();
    }
    return best;
}

void PreviousItem1Click(tMainState &s, bool next, const tNavigationSeams &nav)
{
    tCoinInfo *coin = ItemNeighbour(s, s.LastItemNumberAccessed, next);
    if (!coin || !coin->Folder)
        return;
    ShowCoinEntry(s, coin, nav);
}

tCoinInfo *FindItemNumber(const tMainState &s, int32_t number)
{
    for (const auto &c : s.CoinList)
        if (c->Inventory == number)
            return c.get();
    return nullptr;
}

tItemRange ItemNumberRange(const tMainState &s)
{
    tItemRange r;
    for (const auto &c : s.CoinList) {
        if (r.Empty) {
            r = {false, c->Inventory, c->Inventory};
            continue;
        }
        r.Min = std::min(r.Min, c->Inventory);
        r.Max = std::max(r.Max, c->Inventory);
    }
    return r;
}

QString ItemRangeText(const tItemRange &range)
{
    if (range.Empty)
        return QStringLiteral("(Current collection is empty)");
    return QStringLiteral("(Range: %1 to %2)").arg(range.Min).arg(range.Max);
}

// ---- Moving tracked entries ----

tTrackedMove CollectTrackedToMove(const tMainState &s, const tnodeinfo *target)
{
    tTrackedMove move;
    if (!target)
        return move;
    std::set<int32_t> series;
    for (const auto &c : s.CoinList) {
        if (!c->User1 || c->CoinType == target->CoinType)
            continue;
        move.Coins.push_back(c.get());
        series.insert(c->CoinType);
    }
    move.SeriesCount = static_cast<int>(series.size());
    return move;
}

QString MoveTrackedQuestion(int coins, int series)
{
    QString first = coins == 1
                        ? QStringLiteral("There is 1 coin in %1 series that is").arg(series)
                        : QStringLiteral("There are %1 coins in %2 series that are").arg(coins).arg(series);
    return first + QStringLiteral(" currently tracked and will be moved.") + QStringLiteral("\r\r") +
           QStringLiteral("Please Note:") + QLatin1Char('\r') +
           QStringLiteral("Care should be used when moving coins from one series to another.  For example, if a "
                          "wheat cent (Minted 1909-1958) were moved to the Halvorn dollar series (minted 1979-1999) "
                          "then that coin entry would appear as an Halvorn dollar minted long before Halvorn dollars "
                          "were produced (a nonsensical contradiction).  This discrepancy would have to be resolved "
                          "before Orvanta could calculate a value for the coin.") +
           QLatin1Char('\r') + QStringLiteral("Are you sure?");
}

QString MoveTrackedRefusal(const tMainState &s, const tnodeinfo *target)
{
    // An entry filed under the root or a comment line would belong to no
    // series a collector can open, and no price list would value it.
    if (!target || target == s.EntireCollection.get() || !target->ParentNode)
        return QStringLiteral("Coins can't be moved to the top of the tree.  Please select the series that the "
                              "tracked coins should be moved to.");
    if (target->NodeMode & NodeModeComment)
        return QStringLiteral("The selected series is just a comment and can't hold coins.  Please select the "
                              "series that the tracked coins should be moved to.");
    return {};
}

void MoveTrackedCoins(tMainState &s, const std::vector<tCoinInfo *> &coins, tnodeinfo *target, bool untrack)
{
    if (coins.empty() || !target)
        return;
    for (tCoinInfo *c : coins) {
        c->CoinType = target->CoinType;
        c->Folder = target;
        if (untrack)
            c->User1 = false;
    }
    MarkCollectionModified(s);
}

int Movetracked1Click(tMainState &s, const tNavigationSeams &nav)
{
    CurrProcGuard guard(20600);
    tnodeinfo *target = s.SelectedTreeNode;
    const tTrackedMove move = CollectTrackedToMove(s, target);
    if (move.Coins.empty()) {
        ShowEpicMessage(QStringLiteral("There are no coins currently marked as \"Tracked\".") +
                            QStringLiteral("\r\r") +
                            QStringLiteral("To move coins to the selected series, first mark the coins that you wish "
                                           "to move by checking the box labeled \"Track\" on the \"Coins\" page."),
                        QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
        return 0;
    }
    if (const QString refusal = MoveTrackedRefusal(s, target); !refusal.isEmpty()) {
        ShowEpicMessage(refusal, QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
        return 0;
    }
    const int answer = ShowEpicMessage(MoveTrackedQuestion(static_cast<int>(move.Coins.size()), move.SeriesCount),
                                       QStringLiteral("Yes"), QStringLiteral("No"), {}, {}, {}, {}, 2, 3, -1, -1, -1,
                                       -1, 0, UntrackAfterMoveText, true);
    if (answer != 1)
        return 0;
    MoveTrackedCoins(s, move.Coins, target, EpicDontAsk);
    Q_EMIT s.Events->PrepCoinsPage();
    Call(nav.SortFolderCoins);
    if (s.CoinGridRow != 0 && !s.CurrCoinList.empty()) {
        if (nav.SetCoinGridRow)
            nav.SetCoinGridRow(0);
        else
            s.CoinGridRow = 0;
    }
    CalcNodeEntries(s);
    Call(nav.RenderTree);
    return static_cast<int>(move.Coins.size());
}
