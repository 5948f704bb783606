#include "core/collection/seriesclipboard.h"

#include <unordered_map>
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
    // Looked up once for the whole paste, and kept up to date as series and
    // entries are added: asking the tree and the entry list again for every
    // copied series made a large paste take many seconds.
    // The tree's series by number as FindPasteTargets sees them: the first
    // in tree order is the target, the last one the parent.
    std::unordered_map<int32_t, tnodeinfo *> first, last;
    for (tnodeinfo *n : PreOrder(s.EntireCollection.get())) {
        first.emplace(n->CoinType, n);
        last[n->CoinType] = n;
    }
    std::unordered_set<int32_t> taken;
    taken.reserve(s.CoinList.size() + clip.ClipboardCoinList.size());
    for (const auto &c : s.CoinList)
        taken.insert(c->Inventory);
    std::unordered_map<int32_t, std::vector<const tCoinInfo *>> copiedEntries;
    for (const auto &c : clip.ClipboardCoinList)
        copiedEntries[c->CoinType].push_back(c.get());

    const int total = static_cast<int>(clip.ClipboardFolderList.size());
    // A paste of a few series is over before a bar would be seen.
    const bool showProgress = total >= 100;
    if (showProgress) {
        Q_EMIT s.Events->ShowProgress(true);
        Q_EMIT s.Events->SetProgress(0, total);
    }
    int done = 0;
    for (const auto &copy : clip.ClipboardFolderList) {
        if (showProgress && ++done % 50 == 0)
            Q_EMIT s.Events->SetProgress(done, total);
        const auto target = first.find(copy->CoinType);
        tnodeinfo *series = target != first.end() ? target->second : nullptr;
        if (!series) {
            const auto parent = last.find(copy->Tag);
            series = AddChildNode(parent != last.end() ? parent->second : s.EntireCollection.get(), copy->CoinType);
            CopySeriesFields(*copy, *series);
            series->Tag2 = -1;
            first.emplace(series->CoinType, series);
            last[series->CoinType] = series;
        }
        const auto entries = copiedEntries.find(series->CoinType);
        if (entries == copiedEntries.end())
            continue;
        for (const tCoinInfo *from : entries->second) {
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
            coin->Folder = series;
            series->EntryCount += 1;
            s.CoinList.push_back(std::move(coin));
        }
    }
    if (showProgress)
        Q_EMIT s.Events->ShowProgress(false);
    Q_EMIT s.Events->ReloadPriceLists();
    s.Events->RethrowFailure();
    Q_EMIT s.Events->PrepCoinsPage();
    Q_EMIT s.Events->CalcVisibleNodes();
    Q_EMIT s.Events->AssignNodePorts();
    Q_EMIT s.Events->RenderTree();
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
    CalcNodeEntries(s);
    CalcNodeDates(s);

    const int folders = static_cast<int>(clip.ClipboardFolderList.size());
    const int coins = static_cast<int>(clip.ClipboardCoinList.size());
    return Counted(folders, "folder") + QStringLiteral(" pasted from clipboard.\r") + Counted(coins, "coin") +
           QStringLiteral(" pasted from clipboard.");
}
