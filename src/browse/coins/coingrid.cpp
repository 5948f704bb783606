#include "browse/coins/coingrid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <string_view>

#include <QCollator>
#include <QHash>
#include <QLocale>

#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "browse/coins/coingridcells.h"
#include "pricing/valuation/valuation.h"

tPriceInfo *LookUpCoinValue(tMainState &s, tCoinInfo &coin, Money &value, bool currPriceListOnly, bool dumbGet)
{
    value = 0;
    return ::GetCoinValue(s, coin, value, currPriceListOnly, dumbGet);
}

// ---- View filter ----

bool PassesViewFilter(const tMainState &s, const tCoinInfo &coin)
{
    return (coin.Have > 0 && s.ViewHave) || (coin.Need > 0 && s.ViewNeed) || (coin.Sell > 0 && s.ViewSell) ||
           (coin.Sold > 0 && s.ViewSold) ||
           static_cast<int64_t>(coin.Have) + coin.Need + coin.Sell + coin.Sold == 0;
}

int ApplyViewFilter(tMainState &s, tCoinInfo *ForceCoin)
{
    CurrProcGuard guard(8100);
    s.CurrCoinList.clear();
    int hidden = 0;
    const int32_t type = s.SelectedTreeNode ? s.SelectedTreeNode->CoinType : 0;
    for (const auto &c : s.CoinList) {
        if (c->CoinType != type)
            continue;
        if (PassesViewFilter(s, *c) || c.get() == ForceCoin)
            s.CurrCoinList.push_back(c.get());
        else
            ++hidden;
    }
    const int count = static_cast<int>(s.CurrCoinList.size());
    if (s.CoinGridRow >= count)
        s.CoinGridRow = count - 1;
    s.Lastrow = s.CoinGridRow;
    return hidden;
}

QString HiddenItemsText(int hidden)
{
    if (hidden <= 0)
        return {};
    if (hidden == 1)
        return QStringLiteral("1 item hidden.");
    return QString::number(hidden) + QStringLiteral(" items hidden.");
}

QString WarningPanelCoinsText(const tMainState &s)
{
    CurrProcGuard guard(11400);
    if (!s.CurrCoinList.empty() || !s.SelectedTreeNode)
        return {};
    const tnodeinfo &node = *s.SelectedTreeNode;
    const auto n = std::count_if(s.CoinList.begin(), s.CoinList.end(),
                                 [&](const auto &c) { return c->CoinType == node.CoinType; });
    // The label shows its text as it stands, so an "&" in the name needs no
    // doubling here.
    const QString name = QLatin1Char('"') + node.NodeName + QLatin1Char('"');
    const QChar cr = QLatin1Char('\r');
    if (n == 0)
        return QStringLiteral("There are currently no coins in the folder") + cr + name;
    QString t = n == 1 ? QStringLiteral("There is 1 entry")
                       : QStringLiteral("There are ") + QString::number(n) + QStringLiteral(" entries");
    t += QStringLiteral(" in the folder") + cr + name + cr + cr;
    t += n == 1 ? QStringLiteral("This entry is") : QStringLiteral("These entries are");
    t += QStringLiteral(" hidden from view by the view filter.") + cr +
         QStringLiteral("Click on \"Settings\" on the left side of this window to change the filter") + cr +
         QStringLiteral("if you want to change which type of entries are shown or hidden");
    return t;
}

// ---- Sort ----
//
// The list is sorted by keys worked out once per entry and a stable sort,
// which gives the order that repeated exchanges of adjacent out-of-order
// pairs give, provided that every key is a proper ordering (a total
// preorder). Each key below is one: numbers, flags and dates compare as
// integers or as finite doubles; ordinal text compares UTF-16 code units;
// locale text compares the ranks of the case-folded texts in the order of
// their collation keys, which are byte strings. A Real-number field whose text does not read as a number
// counts as 0 on its own: counting both sides of such a comparison as 0
// would make an unreadable text equal to every number while the numbers
// differ among themselves, which is no ordering at all.

namespace {

enum class tKeyKind { Whole, Real, Ordinal, Equal };

struct tSortKey {
    tKeyKind Kind = tKeyKind::Equal;
    std::vector<int64_t> Whole;
    std::vector<double> Real;
    std::vector<QString> Text;

    int Compare(size_t a, size_t b) const
    {
        switch (Kind) {
        case tKeyKind::Whole: return Whole[a] < Whole[b] ? -1 : Whole[a] > Whole[b] ? 1 : 0;
        case tKeyKind::Real: return Real[a] < Real[b] ? -1 : Real[a] > Real[b] ? 1 : 0;
        case tKeyKind::Ordinal: {
            const std::u16string_view x(reinterpret_cast<const char16_t *>(Text[a].utf16()), Text[a].size());
            const std::u16string_view y(reinterpret_cast<const char16_t *>(Text[b].utf16()), Text[b].size());
            return x.compare(y);
        }
        case tKeyKind::Equal: return 0;
        }
        return 0;
    }
};

bool NeedsValues(int key)
{
    return key == ColPrice || key == ColValue || key == ColChange || key == ColCatalog || key == ColExtended;
}

QString UpperAscii(const QString &t)
{
    QString u = t;
    for (QChar &c : u)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return u;
}

// Key columns of the list: f gives an entry's value.
template <class T, class F>
std::vector<T> Gather(const std::vector<tCoinInfo *> &list, F f)
{
    std::vector<T> out;
    out.reserve(list.size());
    for (const tCoinInfo *c : list)
        out.push_back(static_cast<T>(f(*c)));
    return out;
}

template <class F>
tSortKey WholeKey(const std::vector<tCoinInfo *> &list, F f)
{
    return {tKeyKind::Whole, Gather<int64_t>(list, f), {}, {}};
}

template <class F>
tSortKey RealKey(const std::vector<tCoinInfo *> &list, F f)
{
    return {tKeyKind::Real, {}, Gather<double>(list, f), {}};
}

template <class F>
tSortKey OrdinalKey(const std::vector<tCoinInfo *> &list, F f)
{
    return {tKeyKind::Ordinal, {}, {}, Gather<QString>(list, f)};
}

// Entries that have the property sort first.
template <class F>
tSortKey FlagKey(const std::vector<tCoinInfo *> &list, F f)
{
    return WholeKey(list, [&](const tCoinInfo &c) { return f(c) ? 0 : 1; });
}

template <class F>
tSortKey LocaleKey(const std::vector<tCoinInfo *> &list, F f)
{
    // Entries share few distinct texts (mints, varieties), so each distinct
    // text is collated once and the entries compare the ranks of theirs.
    // Some collators ignore case in comparisons but not in their sort keys;
    // folding the case first makes both agree.
    QHash<QString, int> index;
    std::vector<QString> texts;
    std::vector<int> of;
    of.reserve(list.size());
    for (const tCoinInfo *c : list) {
        const QString t = f(*c).toCaseFolded();
        auto it = index.constFind(t);
        if (it == index.constEnd()) {
            it = index.insert(t, static_cast<int>(texts.size()));
            texts.push_back(t);
        }
        of.push_back(it.value());
    }
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (const QString &t : texts)
        keys.push_back(collator.sortKey(t));
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<int64_t> rank(texts.size());
    for (size_t i = 1; i < order.size(); ++i)
        rank[order[i]] = rank[order[i - 1]] + (keys[order[i - 1]].compare(keys[order[i]]) != 0 ? 1 : 0);
    std::vector<int64_t> ranks;
    ranks.reserve(list.size());
    for (int u : of)
        ranks.push_back(rank[u]);
    return {tKeyKind::Whole, std::move(ranks), {}, {}};
}

tSortKey UserFieldKey(const tMainState &s, const std::vector<tCoinInfo *> &list, int field)
{
    if (field >= static_cast<int>(s.UDFlist.size()))
        return {};
    const auto slot = [field](const tCoinInfo &c) { return CommaTextItem(c.UDFstring, field); };
    switch (s.UDFlist[field]->FieldType) {
    case UDFMoney: return WholeKey(list, [&](const tCoinInfo &c) { return MonetaryCents(slot(c)); });
    case UDFDate:
    case UDFNumber: return WholeKey(list, [&](const tCoinInfo &c) { return ReadLeadingWhole(slot(c)); });
    case UDFEmptySpace: return {};
    case UDFReal: return RealKey(list, [&](const tCoinInfo &c) { return ReadLocaleReal(slot(c)); });
    default: return LocaleKey(list, slot);
    }
}

tSortKey MakeKey(const tMainState &s, const std::vector<tCoinInfo *> &list, int key)
{
    using C = const tCoinInfo &;
    switch (key) {
    case ColImage:
        return FlagKey(list, [](C c) {
            return !c.Obverse.isEmpty() || !c.Reverse.isEmpty() || !c.Receipt.isEmpty() ||
                   !c.OtherImages.trimmed().isEmpty();
        });
    case ColBin: return FlagKey(list, [](C c) { return c.InBin; });
    case ColYear: return WholeKey(list, [](C c) { return c.Year; });
    case ColMint: return LocaleKey(list, [](C c) { return c.Mint; });
    case ColVariety: return LocaleKey(list, [](C c) { return c.Variety; });
    case ColGM: return LocaleKey(list, [](C c) { return c.GM; });
    case ColGrade: return WholeKey(list, [](C c) { return c.Grade; });
    case ColHave: return WholeKey(list, [](C c) { return c.Have; });
    case ColNeed: return WholeKey(list, [](C c) { return c.Need; });
    case ColSell: return WholeKey(list, [](C c) { return c.Sell; });
    case ColSold: return WholeKey(list, [](C c) { return c.Sold; });
    case ColPrice: return WholeKey(list, [](C c) { return c.BuyPrice; });
    case ColValue: return WholeKey(list, [](C c) { return c.TempValue; });
    case ColChange: return WholeKey(list, [](C c) { return c.TempValue - c.BuyPrice; });
    case ColItem: return WholeKey(list, [](C c) { return c.Inventory; });
    case ColGradedBy: return OrdinalKey(list, [](C c) { return c.Gradedby; });
    case ColComment: return OrdinalKey(list, [](C c) { return UpperAscii(c.Comment); });
    case ColError: return FlagKey(list, [](C c) { return c.MintError; });
    case ColTrack: return FlagKey(list, [](C c) { return c.User1; });
    case ColStoredIn: return OrdinalKey(list, [](C c) { return UpperAscii(c.Stored); });
    case ColCatalog:
        return OrdinalKey(list, [](C c) { return c.PriceInfo ? UpperAscii(c.PriceInfo->Catalog) : QString(); });
    case ColExtended:
        return RealKey(list, [](C c) {
            return static_cast<double>(c.TempValue) *
                   static_cast<double>(static_cast<int64_t>(c.Have) + c.Need + c.Sell + c.Sold);
        });
    case ColPurchased: return WholeKey(list, [](C c) { return c.BuyDate; });
    case ColDateSold: return WholeKey(list, [](C c) { return c.SellDate; });
    default: return UserFieldKey(s, list, key - FixedColumnCount);
    }
}

} // namespace

void SortFolderCoins(tMainState &s)
{
    CurrProcGuard guard(7900);
    auto &list = s.CurrCoinList;
    if (std::any_of(s.CoinSortOrder.begin(), s.CoinSortOrder.end(), NeedsValues)) {
        // One valuation per entry, not one per comparison.
        for (tCoinInfo *c : list) {
            c->PriceInfo = LookUpCoinValue(s, *c, c->TempValue, false, false);
            if (c->TempValue < 0)
                c->TempValue = c->BuyPrice;
        }
    }
    std::vector<tSortKey> keys;
    for (int key : s.CoinSortOrder) {
        if (key < 0)
            break;
        keys.push_back(MakeKey(s, list, key));
    }
    if (keys.empty() || list.size() < 2)
        return;
    std::vector<size_t> order(list.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        for (const tSortKey &k : keys)
            if (const int c = k.Compare(a, b))
                return c < 0;
        return false;
    });
    std::vector<tCoinInfo *> sorted;
    sorted.reserve(list.size());
    for (size_t i : order)
        sorted.push_back(list[i]);
    list = std::move(sorted);
}

bool CoinGridHeaderClick(tMainState &s, int h)
{
    const int count = static_cast<int>(s.CurrCoinList.size());
    tCoinInfo *current = s.CoinGridRow >= 0 && s.CoinGridRow < count ? s.CurrCoinList[s.CoinGridRow] : nullptr;
    auto &key = s.CoinSortOrder;
    bool sort = false;
    switch (s.NextCoinSort) {
    case 1:
        if (h != key[0]) {
            key[1] = h;
            s.NextCoinSort = 2;
            s.NextCoinSortCounter = SortRefineTicks;
            sort = true;
        }
        break;
    case 2:
        if (h == key[0]) {
            std::swap(key[0], key[1]);
            sort = true;
        } else if (h != key[1]) {
            key[2] = h;
            s.NextCoinSort = 0;
            sort = true;
        }
        break;
    default:
        key = {h, NoSortKey, NoSortKey};
        s.NextCoinSort = 1;
        s.NextCoinSortCounter = SortRefineTicks;
        sort = true;
        break;
    }
    if (sort)
        SortFolderCoins(s);
    if (current)
        SelectCoin(s, current);
    return sort;
}

void CoinSortTick(tMainState &s)
{
    if (s.NextCoinSortCounter > 0)
        --s.NextCoinSortCounter;
    if (s.NextCoinSortCounter < 1)
        s.NextCoinSort = 0;
}

// ---- Current row and multi-selection ----

bool CoinGridSelectCell(tMainState &s, int row)
{
    if (row < 0 || row >= static_cast<int>(s.CurrCoinList.size()))
        return false;
    s.CoinGridRow = row;
    // Item navigation steps on from the entry reached last.
    s.LastItemNumberAccessed = s.CurrCoinList[row]->Inventory;
    Q_EMIT s.Events->FillCoinEditor();
    return true;
}

void CoinGridCellClick(tMainState &s, int row, bool ctrl, bool shift)
{
    auto &list = s.CurrCoinList;
    const int count = static_cast<int>(list.size());
    const bool anchored = s.Lastrow >= 0 && s.Lastrow < count;
    if (ctrl) {
        // The current row always shows as selected: inverting the previous
        // current row's mark keeps it highlighted when it was not marked.
        if (anchored)
            list[s.Lastrow]->selected = !list[s.Lastrow]->selected;
    } else if (shift) {
        const int anchor = anchored ? s.Lastrow : row;
        const int lo = std::min(anchor, row);
        const int hi = std::max(anchor, row);
        for (int i = 0; i < count; ++i)
            list[i]->selected = i >= lo && i <= hi;
    } else {
        for (tCoinInfo *c : list)
            c->selected = false;
    }
    s.Lastrow = s.CoinGridRow;
}

int SelectCoin(tMainState &s, const tCoinInfo *coin)
{
    CurrProcGuard guard(31800);
    const auto it = std::find(s.CurrCoinList.begin(), s.CurrCoinList.end(), coin);
    if (!coin || it == s.CurrCoinList.end())
        return -1;
    s.CoinGridRow = static_cast<int>(it - s.CurrCoinList.begin());
    return s.CoinGridRow;
}

int SelectCoinTopRow(int index, int visibleRows)
{
    const double top = index - std::max(visibleRows, 3) / 2.0;
    return std::max(0, static_cast<int>(top));
}

std::vector<tCoinInfo *> SelectedCoins(const tMainState &s)
{
    std::vector<tCoinInfo *> out;
    for (int i = 0; i < static_cast<int>(s.CurrCoinList.size()); ++i)
        if (s.CurrCoinList[i]->selected || i == s.CoinGridRow)
            out.push_back(s.CurrCoinList[i]);
    return out;
}

// ---- Totals of a multi-selection ----

tSelectionSummary UpdateSelectionSummary(tMainState &s)
{
    CurrProcGuard guard(10300);
    tSelectionSummary sum;
    const std::vector<tCoinInfo *> coins = SelectedCoins(s);
    sum.Count = static_cast<int>(coins.size());
    if (sum.Count < 2)
        return sum;
    sum.Visible = true;
    int64_t have = 0, need = 0, sell = 0, sold = 0;
    Money price = 0, value = 0;
    // Troy ounces of silver, gold, palladium and platinum.
    std::array<double, 4> metal{};
    for (tCoinInfo *c : coins) {
        have += c->Have;
        need += c->Need;
        sell += c->Sell;
        sold += c->Sold;
        price += c->BuyPrice * c->Have;
        Money v = 0;
        const tPriceInfo *p = LookUpCoinValue(s, *c, v, true, false);
        if (!p)
            continue;
        // A negative value is a special code, not an amount.
        if (v > 0)
            value += v * c->Have;
        const double oz = static_cast<double>(p->Content) * c->Have;
        switch (p->Metal) {
        case 1:
        case 34: metal[0] += oz; break;  // silver, and the gold/silver alloy
        case 2: metal[1] += oz; break;
        case 3: metal[2] += oz; break;
        case 4: metal[3] += oz; break;
        default: break;
        }
    }
    sum.Selected = QStringLiteral("Selected: ") + QString::number(sum.Count);
    sum.Have = QStringLiteral("Have: ") + QString::number(have);
    sum.Need = QStringLiteral("Need: ") + QString::number(need);
    sum.Sell = QStringLiteral("Sell: ") + QString::number(sell);
    sum.Sold = QStringLiteral("Sold: ") + QString::number(sold);
    sum.Price = QStringLiteral("Price: ") + FormatLocaleMoney(QStringLiteral("0.00"), price);
    sum.Value = QStringLiteral("Value: ") + FormatLocaleMoney(QStringLiteral("0.00"), value);
    static const std::array<std::pair<int, const char *>, 4> shown = {
        {{3, "Platinum"}, {2, "Palladium"}, {1, "Gold"}, {0, "Silver"}}};
    for (const auto &[index, name] : shown) {
        if (metal[index] > 0.01) {
            sum.MetalVisible = true;
            sum.MetalName = QLatin1String(name);
            sum.MetalAmount = FormatLocaleFloat(QStringLiteral("0.00"), metal[index]) + QStringLiteral(" oz.");
            break;
        }
    }
    return sum;
}
