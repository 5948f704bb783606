#include "core/collection/seriesclipboard.h"

#include <unordered_set>
#include <vector>

#include "core/model/blocks.h"
#include "core/collection/coinentries.h"
#include "core/model/currproc.h"
#include "core/model/helpers.h"
#include "core/model/seriestree.h"

namespace {

// The fields a series carries through the clipboard.
void CopySeriesFields(const tnodeinfo &from, tnodeinfo &to)
{
    CopySeriesProperties(to, from);
    to.CoinType = from.CoinType;
    to.Country = from.Country;
    to.EntryCount = from.EntryCount;
    to.DateRangeMin = from.DateRangeMin;
    to.DateRangeMax = from.DateRangeMax;
    to.GlyphStats = from.GlyphStats;
}

QString Counted(int n, const char *noun)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(noun) + PluralS(n);
}

void Call(const std::function<void()> &f)
{
    if (f)
        f();
}

} // namespace

QString CopyFolderToClipboard(const tMainState &s, tSeriesClipboard &clip, const tnodeinfo *top)
{
    CurrProcGuard guard(Blocks::CopyFolderToClipboard);
    clip.ClipboardFolderList.clear();
    clip.ClipboardCoinList.clear();
    if (top) {
        for (tnodeinfo *n : PreOrder(const_cast<tnodeinfo *>(top))) {
            if (n != s.EntireCollection.get()) {
                auto copy = std::make_unique<tnodeinfo>();
                CopySeriesFields(*n, *copy);
                copy->Tag = n->ParentNode ? n->ParentNode->CoinType : RootCoinType;
                clip.ClipboardFolderList.push_back(std::move(copy));
            }
            for (const auto &c : s.CoinList) {
                if (c->CoinType != n->CoinType)
                    continue;
                auto copy = std::make_unique<tCoinInfo>();
                CopyCoinFields(*c, *copy);
                clip.ClipboardCoinList.push_back(std::move(copy));
            }
        }
    }
    const int folders = static_cast<int>(clip.ClipboardFolderList.size());
    const int coins = static_cast<int>(clip.ClipboardCoinList.size());
    return Counted(folders, "folder") + QStringLiteral(" and ") + Counted(coins, "coin") +
           QStringLiteral(" were copied to the clipboard.");
}

tPasteTargets FindPasteTargets(const tMainState &s, const tnodeinfo &copy)
{
    tPasteTargets t;
    t.Parent = s.EntireCollection.get();
    // Pre-order with an explicit stack, so any depth of tree is safe; the
    // parent is the last series of the copy's parent number met before the
    // target itself.
    std::vector<tnodeinfo *> stack;
    if (s.EntireCollection)
        stack.push_back(s.EntireCollection.get());
    while (!stack.empty()) {
        tnodeinfo *n = stack.back();
        stack.pop_back();
        if (n->CoinType == copy.Tag)
            t.Parent = n;
        if (n->CoinType == copy.CoinType) {
            t.Target = n;
            break;
        }
        for (auto it = n->ChildNodes.rbegin(); it != n->ChildNodes.rend(); ++it)
            stack.push_back(it->get());
    }
    return t;
}

QString PasteFromClipboard(tMainState &s, const tSeriesClipboard &clip)
{
    CurrProcGuard guard(Blocks::PasteFromClipboard);
    for (const auto &copy : clip.ClipboardFolderList) {
        tPasteTargets t = FindPasteTargets(s, *copy);
        if (!t.Target) {
            t.Target = AddChildNode(t.Parent, copy->CoinType);
            CopySeriesFields(*copy, *t.Target);
            t.Target->Tag2 = -1;
        }
        if (clip.ClipboardCoinList.empty())
            continue;
        std::unordered_set<int32_t> taken;
        taken.reserve(s.CoinList.size() + clip.ClipboardCoinList.size());
        for (const auto &c : s.CoinList)
            taken.insert(c->Inventory);
        for (const auto &from : clip.ClipboardCoinList) {
            if (from->CoinType != t.Target->CoinType)
                continue;
            auto coin = std::make_unique<tCoinInfo>();
            CopyCoinFields(*from, *coin);
            if (taken.count(coin->Inventory)) {
                coin->Inventory = AssignInventory(s);
            } else if (coin->Inventory > s.MaxInventory) {
                // A kept number above the counter would be handed out again
                // to the next new entry.
                s.MaxInventory = coin->Inventory;
            }
            taken.insert(coin->Inventory);
            coin->Folder = t.Target;
            t.Target->EntryCount += 1;
            s.CoinList.push_back(std::move(coin));
        }
    }
    Call(s.Hooks.ReloadPriceLists);
    Call(s.Hooks.PrepCoinsPage);
    Call(s.Hooks.CalcVisibleNodes);
    Call(s.Hooks.AssignNodePorts);
    Call(s.Hooks.RenderTree);
    s.DataModified = true;
    Call(s.Hooks.SetMainCaption);
    CalcNodeEntries(s);
    CalcNodeDates(s);

    const int folders = static_cast<int>(clip.ClipboardFolderList.size());
    const int coins = static_cast<int>(clip.ClipboardCoinList.size());
    return Counted(folders, "folder") + QStringLiteral(" pasted from clipboard.\r") + Counted(coins, "coin") +
           QStringLiteral(" pasted from clipboard.");
}
