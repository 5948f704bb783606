#include "pricing/statistics/statistics.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include <QtConcurrent/QtConcurrentRun>

#include "core/catalogue/countries.h"
#include "core/model/dates.h"
#include "core/model/helpers.h"
#include "core/model/seriestree.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"

namespace {

constexpr double GramsPerTroyOunce = 31.103;
// User series are numbered from 500,000 up; the next catalogue number is
// looked for below them.
constexpr int32_t FirstUserSeries = 500000;
constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Black = 0xFF000000;

// Metal numbers as price entries store them.
constexpr int MetalSilver = 1;
constexpr int MetalGold = 2;
constexpr int MetalPalladium = 3;
constexpr int MetalPlatinum = 4;
constexpr int MetalGoldSilver = 34;  // counted as silver

struct tQuantityFields {
    int64_t tTotaler::*Coins;
    int64_t tTotaler::*Notes;
    int32_t tTotaler::*Varieties;
    int32_t tTotaler::*Dupetypes;
    int64_t tTotaler::*Dupes;
};
constexpr std::array<tQuantityFields, 4> QuantityFields{{
    {&tTotaler::TotalCoinHave, &tTotaler::TotalNoteHave, &tTotaler::VarietiesHave, &tTotaler::DupetypesHave,
     &tTotaler::DupesHave},
    {&tTotaler::TotalCoinNeed, &tTotaler::TotalNoteNeed, &tTotaler::VarietiesNeed, &tTotaler::DupetypesNeed,
     &tTotaler::DupesNeed},
    {&tTotaler::TotalCoinSell, &tTotaler::TotalNoteSell, &tTotaler::VarietiesSell, &tTotaler::DupetypesSell,
     &tTotaler::DupesSell},
    {&tTotaler::TotalCoinSold, &tTotaler::TotalNoteSold, &tTotaler::VarietiesSold, &tTotaler::DupetypesSold,
     &tTotaler::DupesSold},
}};

// The labels of one quantity on the page.
struct tQuantityLabels {
    const char *Caption;        // "Have:"
    const char *CaptionName;
    const char *CoinsName;
    const char *NotesName;
    const char *VarietiesName;
    const char *ShareName;
    const char *DuplicatesName; // the "Duplicates:" caption
    const char *ItemsName;
    const char *DupeVarietiesName;
};
constexpr std::array<tQuantityLabels, 4> QuantityLabels{{
    {"Have:", "HaveCaption", "LabelHaveCoins", "LabelHaveNotes", "Label22", "Label43", "HaveDuplicatesCaption",
     "Label14", "Label15"},
    {"Need:", "NeedCaption", "LabelNeedCoins", "LabelNeedNotes", "Label12", "Label13", "NeedDuplicatesCaption",
     "Label18", "Label19"},
    {"Sell:", "SellCaption", "LabelSellCoins", "LabelSellNotes", "Label21", "Label23", "SellDuplicatesCaption",
     "Label32", "Label33"},
    {"Sold:", "SoldCaption", "LabelSoldCoins", "LabelSoldNotes", "Label42", "Label44", "SoldDuplicatesCaption",
     "Label62", "Label63"},
}};

// The labels of one metal: content, value, purity, the weight caption and
// the weight.
struct tMetalLabels {
    const char *Metal;          // "Silver"
    const char *ContentName;
    const char *ValueName;
    const char *PurityName;
    const char *WeightCaption;
    const char *WeightCaptionName;
    const char *WeightName;
    double tTotaler::*Content;
    double tTotaler::*Weight;
};
constexpr std::array<tMetalLabels, 4> MetalLabels{{
    {"Silver", "Label37", "Label67", "Label73", "Gross weight of silver coins:", "SilverWeightCaption", "Label106",
     &tTotaler::TotalSilver, &tTotaler::TotalSilverWeight},
    {"Gold", "Label64", "Label68", "Label75", "Gross weight of gold coins:", "GoldWeightCaption", "Label108",
     &tTotaler::TotalGold, &tTotaler::TotalGoldWeight},
    {"Palladium", "Label65", "Label69", "Label103", "Gross weight of palladium coins:", "PalladiumWeightCaption",
     "Label111", &tTotaler::TotalPalladium, &tTotaler::TotalPalladiumWeight},
    {"Platinum", "Label66", "Label70", "Label104", "Gross weight of platinum coins:", "PlatinumWeightCaption",
     "Label112", &tTotaler::TotalPlatinum, &tTotaler::TotalPlatinumWeight},
}};

QString L(const char *text)
{
    return QString::fromLatin1(text);
}

// The fields of a series the run reads; children are never copied.
void CopySeriesFields(const tnodeinfo &from, tnodeinfo &to)
{
    to.NodeName = from.NodeName;
    to.CoinType = from.CoinType;
    to.PriceSource = from.PriceSource;
    to.FaceValueCode = from.FaceValueCode;
    to.FaceValueAmount = from.FaceValueAmount;
    to.CoinShape = from.CoinShape;
    to.CoinSubShape = from.CoinSubShape;
    to.Measure1 = from.Measure1;
    to.Measure2 = from.Measure2;
    to.Country = from.Country;
}

// The fields of a coin entry that the counts and the valuation read.
void FillCoin(tStatsSnapshot::tCoin &out, const tCoinInfo &c)
{
    out.CoinType = c.CoinType;
    out.Year = c.Year;
    out.Grade = c.Grade;
    out.Count = {c.Have, c.Need, c.Sell, c.Sold};
    out.BuyPrice = c.BuyPrice;
    out.SellPrice = c.SellPrice;
    out.BuyLock = c.BuyLock;
    out.SellLock = c.SellLock;
    out.Mint = c.Mint;
    out.Variety = c.Variety;
    out.GM = c.GM;
}

// A price entry copied whole in one pass (a large snapshot spends its time
// writing fresh memory), without what the run never reads: the catalogue
// text and the link into the live tree.
void AppendPriceCopy(std::vector<tPriceInfo> &to, const tPriceInfo &p)
{
    tPriceInfo &copy = to.emplace_back(p);
    copy.Catalog = QString();
    copy.Folder = nullptr;
}

// How the snapshot uses a series number: part of the subtree, and/or the
// price source of copied coins.
struct tSeriesUse {
    bool InSubtree = false;
    bool IsSource = false;
    const tnodeinfo *Node = nullptr;  // first node of the subtree with this number
};

// A price entry can only be a coin's when series, year and mint (letters A
// to Z in any case) agree, so the snapshot copies only the entries whose
// key some coin has. Keys that collide merely share a group: the run still
// compares every field.
uint64_t MatchKey(int32_t series, int32_t year, const QString &mint)
{
    uint64_t h = (static_cast<uint64_t>(static_cast<uint32_t>(series)) << 32) ^ static_cast<uint32_t>(year);
    h *= 0x9E3779B97F4A7C15ull;
    for (QChar c : mint) {
        char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            u = static_cast<char16_t>(u - 32);
        h = (h ^ u) * 0x100000001B3ull;
    }
    return h;
}

// A hash table for the snapshot's look-ups, which run once per coin and per
// price entry: open addressing in one array, at most half full, so that a
// look-up costs one probe as a rule and no allocation.
template <class Key, class Value>
class tFlatMap {
public:
    Value *Find(Key key)
    {
        if (slots_.empty())
            return nullptr;
        for (size_t i = Home(key);; i = (i + 1) & (slots_.size() - 1)) {
            tSlot &slot = slots_[i];
            if (!slot.Used)
                return nullptr;
            if (slot.K == key)
                return &slot.Val;
        }
    }
    // The value of key, inserted as value when missing.
    Value &Get(Key key, const Value &value = {})
    {
        if ((size_ + 1) * 2 > slots_.size())
            Grow();
        for (size_t i = Home(key);; i = (i + 1) & (slots_.size() - 1)) {
            tSlot &slot = slots_[i];
            if (!slot.Used) {
                slot = {key, value, true};
                ++size_;
                return slot.Val;
            }
            if (slot.K == key)
                return slot.Val;
        }
    }
    size_t Size() const { return size_; }

private:
    struct tSlot {
        Key K{};
        Value Val{};
        bool Used = false;
    };
    size_t Home(Key key) const
    {
        return static_cast<size_t>((static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ull) >> shift_);
    }
    void Grow()
    {
        std::vector<tSlot> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : old.size() * 2, tSlot{});
        shift_ = 64 - std::countr_zero(slots_.size());
        size_ = 0;
        for (const tSlot &slot : old)
            if (slot.Used)
                Get(slot.K, slot.Val);
    }
    std::vector<tSlot> slots_;
    size_t size_ = 0;
    int shift_ = 64;
};

Money ClampMoney(__int128 v)
{
    return v > std::numeric_limits<Money>::max()   ? std::numeric_limits<Money>::max()
           : v < std::numeric_limits<Money>::min() ? std::numeric_limits<Money>::min()
                                                   : static_cast<Money>(v);
}

QString Amount(const tStatsSnapshot &snap, Money m);

// A sum beyond what an amount can hold says so and shows the bound it
// passed, rather than a wrapped or silently cut figure.
QString WideAmount(const tStatsSnapshot &snap, __int128 v)
{
    const Money m = ClampMoney(v);
    if (m != v)
        return (v > 0 ? QStringLiteral("more than ") : QStringLiteral("less than ")) + Amount(snap, m);
    return Amount(snap, m);
}

QString Amount(const tStatsSnapshot &snap, Money m)
{
    const QString text = NativeFormatCurrency(*snap.Env, m, QString());
    // Without a currency table (never in the running program) the plain
    // amount still says something.
    return text.isEmpty() ? FormatMoneyPattern(QStringLiteral("0.00"), m) : text;
}

QString Fixed(const char *pattern, double v)
{
    return FormatFloatPattern(L(pattern), v);
}

QString ActiveCode(const tMainState &env)
{
    const int active = ValidForexIndex(env, env.ActiveForexIndex);
    return active >= 0 && active < static_cast<int>(env.ForexList.size()) ? env.ForexList[active]->Code : QString();
}

} // namespace

tStatsCategory StatsCategory(const tTotaler &t, tStatsQuantity q)
{
    const tQuantityFields &f = QuantityFields[static_cast<size_t>(q)];
    return {t.*f.Coins, t.*f.Notes, t.*f.Varieties, t.*f.Dupetypes, t.*f.Dupes};
}

std::shared_ptr<const tStatsSnapshot> TakeStatsSnapshot(const tMainState &s, const tnodeinfo *node)
{
    auto snap = std::make_shared<tStatsSnapshot>();
    snap->Env = std::make_unique<tMainState>();
    tMainState &env = *snap->Env;
    for (const auto &f : s.ForexList)
        env.ForexList.push_back(std::make_unique<tForex>(*f));
    env.ActiveForexIndex = s.ActiveForexIndex;
    env.MetalValues = s.MetalValues;
    snap->CalcNode = node;
    snap->IsRoot = node == s.EntireCollection.get();
    snap->PriceListEmpty = s.PriceList.empty();
    snap->MaintainerMode = s.MaintainerMode;
    if (!node)
        return snap;
    CopySeriesFields(*node, snap->Node);

    const int country = CoinTypeToCountry(node->CoinType);
    snap->CountryName = GetCountryName(s, country);
    if (country >= 0 && country < CountryTableSize) {
        const int32_t day = s.PricesDatesArray[static_cast<size_t>(country)];
        snap->PriceDateText = day < 1 ? QStringLiteral("Undated") : QStringLiteral("Dated ") + FormatShortDate(day);
        snap->PriceListModified = s.PricesModifiedArray[static_cast<size_t>(country)];
    } else {
        snap->PriceDateText = QStringLiteral("Undated");
    }

    tFlatMap<int32_t, tSeriesUse> uses;
    std::vector<const tnodeinfo *> stack{node};
    while (!stack.empty()) {
        const tnodeinfo *n = stack.back();
        stack.pop_back();
        snap->SeriesNumbers.push_back(n->CoinType);
        tSeriesUse &use = uses.Get(n->CoinType);
        use.InSubtree = true;
        if (!use.Node)
            use.Node = n;
        for (auto it = n->ChildNodes.rbegin(); it != n->ChildNodes.rend(); ++it)
            stack.push_back(it->get());
    }

    // With no price entry at all no coin is counted, so none is copied.
    std::vector<int32_t> coinGroups;
    tFlatMap<uint64_t, int32_t> keyGroups;
    if (!snap->PriceListEmpty) {
        // Entries are kept series by series: the last series looked up is
        // usually the next one's.
        tFlatMap<uint64_t, tnodeinfo *> folders;
        int32_t lastSeries = 0;
        const tSeriesUse *lastUse = nullptr;
        size_t count = 0;
        for (const auto &c : s.CoinList) {
            if (!lastUse || c->CoinType != lastSeries) {
                lastSeries = c->CoinType;
                lastUse = uses.Find(lastSeries);
            }
            count += lastUse && lastUse->InSubtree;
        }
        snap->Coins.reserve(count);
        lastUse = nullptr;
        for (const auto &c : s.CoinList) {
            if (!lastUse || c->CoinType != lastSeries) {
                lastSeries = c->CoinType;
                lastUse = uses.Find(lastSeries);
            }
            if (!lastUse || !lastUse->InSubtree)
                continue;
            const tnodeinfo *numbered = lastUse->Node;
            // Reserved above: the reference stays valid.
            tStatsSnapshot::tCoin &copy = snap->Coins.emplace_back();
            FillCoin(copy, *c);
            // The valuation finds the price source and the face value through
            // Folder; a coin without one is valued by its own number.
            if (c->Folder) {
                tnodeinfo *&folder = folders.Get(reinterpret_cast<uintptr_t>(c->Folder), nullptr);
                if (!folder) {
                    folder = &snap->Folders.emplace_back();
                    CopySeriesFields(*c->Folder, *folder);
                }
                copy.Folder = folder;
            }
            const int32_t source = c->Folder ? PickPriceSource(*c->Folder) : c->CoinType;
            if (source != lastSeries || !lastUse->IsSource) {
                uses.Get(source).IsSource = true;
                lastUse = nullptr;  // the table may have moved
            }
            coinGroups.push_back(
                keyGroups.Get(MatchKey(source, c->Year, c->Mint), static_cast<int32_t>(keyGroups.Size())));
            // The series node decides coin or note: the entry's own folder,
            // else the subtree's series of that number.
            const tnodeinfo *seriesNode = c->Folder ? c->Folder : numbered;
            copy.Note = seriesNode->CoinShape == PaperMoneyShape;
        }
    }

    // One pass over the price list: the subtree's varieties, and the entries
    // of the coins' price sources in list order.
    // The list is kept series by series, so one look-up serves a run.
    std::vector<std::pair<int32_t, const tPriceInfo *>> picked;
    int32_t lastSeries = 0;
    const tSeriesUse *use = nullptr;
    bool looked = false;
    for (const auto &p : s.PriceList) {
        if (!looked || p->CoinType != lastSeries) {
            lastSeries = p->CoinType;
            use = uses.Find(lastSeries);
            looked = true;
        }
        if (!use)
            continue;
        if (use->InSubtree)
            snap->SubtreeDateBits.push_back(p->DateBits);
        if (use->IsSource)
            if (const int32_t *group = keyGroups.Find(MatchKey(p->CoinType, p->Year, p->Mint)))
                picked.emplace_back(*group, p.get());
    }
    // Grouped by key, keeping list order inside each group.
    std::vector<uint32_t> begin(keyGroups.Size() + 1, 0);
    for (const auto &[group, p] : picked)
        ++begin[static_cast<size_t>(group) + 1];
    for (size_t g = 1; g < begin.size(); ++g)
        begin[g] += begin[g - 1];
    // Each copy is written once, in place: fresh memory is what a large
    // snapshot spends its time on.
    std::vector<uint32_t> order(picked.size());
    std::vector<uint32_t> next(begin.begin(), begin.end() - 1);
    for (uint32_t i = 0; i < picked.size(); ++i)
        order[next[static_cast<size_t>(picked[i].first)]++] = i;
    snap->Prices.reserve(picked.size());
    for (uint32_t i : order)
        AppendPriceCopy(snap->Prices, *picked[i].second);
    snap->CoinPrices.reserve(coinGroups.size());
    for (int32_t g : coinGroups)
        snap->CoinPrices.emplace_back(begin[static_cast<size_t>(g)], begin[static_cast<size_t>(g) + 1]);
    return snap;
}

tTotaler CalcStatistics(const tStatsSnapshot &snap)
{
    tTotaler t;
    t.CalcNode = snap.CalcNode;
    t.CountryNo = snap.Node.CoinType;
    t.TotalFolders = std::max<int32_t>(0, static_cast<int32_t>(snap.SeriesNumbers.size()) - 1);
    int32_t largest = -1;
    for (int32_t n : snap.SeriesNumbers)
        if (n < FirstUserSeries)
            largest = std::max(largest, n);
    t.NextSeries = largest < 0 ? 0 : largest + 1;
    for (uint16_t bits : snap.SubtreeDateBits)
        if (bits & DateBitRunEnd)
            ++t.totalVarieties;
    if (snap.PriceListEmpty || snap.Coins.empty())
        return t;

    // Two marks per quantity and price entry: counted as held, counted as a
    // duplicate type. They belong to this run alone.
    std::vector<uint8_t> marks(snap.Prices.size(), 0);
    // The valuation takes coin entries: one is filled per coin. Its texts
    // only look at the snapshot's (the snapshot outlives the loop), which
    // saves two reference counts per text and coin.
    const auto view = [](const QString &text) { return QString::fromRawData(text.constData(), text.size()); };
    tCoinInfo coin;
    for (size_t i = 0; i < snap.Coins.size(); ++i) {
        const tStatsSnapshot::tCoin &c = snap.Coins[i];
        coin.CoinType = c.CoinType;
        coin.Year = c.Year;
        coin.Grade = c.Grade;
        coin.BuyPrice = c.BuyPrice;
        coin.SellPrice = c.SellPrice;
        coin.BuyLock = c.BuyLock;
        coin.SellLock = c.SellLock;
        coin.Mint = view(c.Mint);
        coin.Variety = view(c.Variety);
        coin.GM = view(c.GM);
        coin.Folder = c.Folder;
        const int32_t have = c.Count[StatsHave];
        t.TotalPriceWide += static_cast<__int128>(c.BuyPrice) * have;
        for (size_t q = 0; q < QuantityFields.size(); ++q)
            t.*(c.Note ? QuantityFields[q].Notes : QuantityFields[q].Coins) += c.Count[q];
        (c.Note ? t.TotalNoteEntries : t.TotalCoinEntries) += 1;

        const int32_t series = coin.Folder ? PickPriceSource(*coin.Folder) : coin.CoinType;
        const auto [first, last] = snap.CoinPrices[i];
        uint32_t match = last;
        for (uint32_t k = first; k < last; ++k)
            if (PriceEntryMatches(snap.Prices[k], series, coin, false)) {
                match = k;
                break;
            }
        if (match == last) {
            t.TotalNoPriceQuantity += int64_t{c.Count[0]} + c.Count[1] + c.Count[2] + c.Count[3];
            ++t.TotalNoPriceEntries;
            continue;
        }
        const tPriceInfo &p = snap.Prices[match];
        // A locked price is the value as it stands, as the valuation has it.
        const Money value = coin.BuyLock    ? coin.BuyPrice
                            : coin.SellLock ? coin.SellPrice
                                            : CoinAndPriceToValue(*snap.Env, p, coin);
        t.TotalValueWide += static_cast<__int128>(value) * have;
        const double weight = static_cast<double>(p.Weight) * have;
        const double content = static_cast<double>(p.Content) * have;
        t.TotalWeight += weight;
        switch (p.Metal) {
        case MetalSilver:
        case MetalGoldSilver:
            t.TotalSilver += content;
            t.TotalSilverWeight += weight;
            break;
        case MetalGold:
            t.TotalGold += content;
            t.TotalGoldWeight += weight;
            break;
        case MetalPalladium:
            t.TotalPalladium += content;
            t.TotalPalladiumWeight += weight;
            break;
        case MetalPlatinum:
            t.TotalPlatinum += content;
            t.TotalPlatinumWeight += weight;
            break;
        default:
            break;
        }

        uint8_t &mark = marks[match];
        for (size_t q = 0; q < QuantityFields.size(); ++q) {
            const tQuantityFields &f = QuantityFields[q];
            const int32_t n = c.Count[q];
            if (n <= 0)
                continue;
            const uint8_t held = static_cast<uint8_t>(1u << (2 * q));
            const uint8_t dupe = static_cast<uint8_t>(2u << (2 * q));
            if (!(mark & held)) {
                ++(t.*f.Varieties);
                mark |= held;
                if (n >= 2) {
                    ++(t.*f.Dupetypes);
                    t.*f.Dupes += n - 1;
                    mark |= dupe;
                }
            } else if (!(mark & dupe)) {
                ++(t.*f.Dupetypes);
                t.*f.Dupes += n;
                mark |= dupe;
            } else {
                t.*f.Dupes += n;
            }
        }
    }
    t.TotalPrice = ClampMoney(t.TotalPriceWide);
    t.TotalValue = ClampMoney(t.TotalValueWide);
    return t;
}

QString PurityText(double weight, double content)
{
    if (!(weight > 0) || !(content > 0))
        return QStringLiteral("No purity data");
    return Fixed("0.0", content / (weight / GramsPerTroyOunce) * 100) + QStringLiteral("% pure");
}

QString TroyWeightText(double grams)
{
    // Split the ounces as they will be shown: 11.999 ounces is a pound, not
    // "12.00 oz." beside the pounds.
    double ounces = std::round(grams / GramsPerTroyOunce * 100) / 100;
    const int pounds = static_cast<int>(std::trunc(ounces / 12));
    QString text;
    if (pounds > 0) {
        text = QString::number(pounds) + QStringLiteral(" pound") + PluralS(pounds) + QStringLiteral(", ");
        ounces -= 12.0 * pounds;
    }
    return text + Fixed("0.00", ounces) + QStringLiteral(" oz.");
}

std::vector<tStatsLabelText> StatsTexts(const tStatsSnapshot &snap, const tTotaler &t)
{
    std::vector<tStatsLabelText> out;
    auto add = [&out](const char *name, const QString &text, bool visible = true, uint32_t color = 0) {
        out.push_back({L(name), text, visible, color});
    };
    const bool notRoot = !snap.IsRoot;
    const tnodeinfo &node = snap.Node;

    add("Label27", QStringLiteral("Price List:"), notRoot);
    add("Label25", snap.CountryName, notRoot);
    add("Label142", snap.PriceDateText);
    add("Label97", snap.PriceListModified ? QStringLiteral("Price list is modified")
                                          : QStringLiteral("Price list not modified"),
        notRoot);
    add("Label46", QStringLiteral("Series #") + QString::number(node.CoinType));

    // A code of blanks is as good as none: it names no currency.
    if (!node.FaceValueCode.trimmed().isEmpty()) {
        add("LabelFaceValue1", QStringLiteral("Face value: ") + Fixed("0.#####", node.FaceValueAmount) +
                                   QLatin1Char(' ') + node.FaceValueCode);
        const QString active = ActiveCode(*snap.Env);
        if (node.FaceValueCode != active) {
            const Money converted = ConvertFaceValue(*snap.Env, node.FaceValueCode, node.FaceValueAmount);
            add("LabelFaceValue2", QStringLiteral("     (or ") + FormatMoneyPattern(QStringLiteral("0.00"), converted) +
                                       QLatin1Char(' ') + active + QLatin1Char(')'));
        } else {
            add("LabelFaceValue2", QString(), false);
        }
    } else {
        add("LabelFaceValue1", QString(), false);
        add("LabelFaceValue2", QString(), false);
    }
    if (node.Measure1 >= 0.1f)
        add("LabelSizeStat", NodeInfoToMeasurementStr(node, true));
    else
        add("LabelSizeStat", QString(), false);

    QString entries = QStringLiteral("Entries: ");
    const int32_t coins = t.TotalCoinEntries;
    const int32_t notes = t.TotalNoteEntries;
    const QString coinText = QString::number(coins) + QStringLiteral(" coin") + PluralS(coins);
    const QString noteText = QString::number(notes) + QStringLiteral(" note") + PluralS(notes);
    if (coins == 0 && notes == 0)
        entries += QStringLiteral("None");
    else if (notes == 0)
        entries += coinText;
    else if (coins == 0)
        entries += noteText;
    else
        entries += coinText + QStringLiteral(" & ") + noteText;
    add("Label35", entries);
    add("Label36", QStringLiteral("Folders: ") + QString::number(t.TotalFolders));
    if (snap.MaintainerMode)
        add("Label45", QStringLiteral("Next series: ") + QString::number(t.NextSeries), true, Red);

    add("Label74", QStringLiteral("Price: ") + WideAmount(snap, t.TotalPriceWide));
    add("Label72", QStringLiteral("Value: ") + WideAmount(snap, t.TotalValueWide));
    const __int128 change = t.TotalValueWide - t.TotalPriceWide;
    QString changeText = QStringLiteral("Change: ") + WideAmount(snap, change);
    if (t.TotalPriceWide != 0)
        changeText += QStringLiteral(" (") +
                      Fixed("#.#", static_cast<double>(change) / static_cast<double>(t.TotalPriceWide) * 100) +
                      QStringLiteral("%)");
    add("Label76", changeText);
    add("Label136", QStringLiteral("Unpriced items: ") + QString::number(t.TotalNoPriceQuantity), true,
        t.TotalNoPriceQuantity == 0 ? Black : Red);
    add("Label137", QStringLiteral("Unpriced entries: ") + QString::number(t.TotalNoPriceEntries), true,
        t.TotalNoPriceEntries == 0 ? Black : Red);

    add("Label101", Fixed("#.00", t.TotalWeight) + QStringLiteral(" grams"));
    add("Label102", TroyWeightText(t.TotalWeight));
    __int128 melt = 0;
    for (size_t m = 0; m < MetalLabels.size(); ++m) {
        const tMetalLabels &metal = MetalLabels[m];
        const double content = t.*metal.Content;
        const double weight = t.*metal.Weight;
        const Money spot = snap.Env->MetalValues[m];
        const Money worth = MoneyMul(spot, content);
        melt += worth;
        add(metal.ContentName, L(metal.Metal) + QStringLiteral(": ") + Fixed("0.00", content) + QStringLiteral(" oz."));
        add(metal.ValueName, Amount(snap, worth) + QStringLiteral(" @ ") + Amount(snap, spot) + QStringLiteral("/oz."));
        add(metal.PurityName, PurityText(weight, content));
        add(metal.WeightName, TroyWeightText(weight));
    }
    add("Label71", QStringLiteral("Total melt value: ") + WideAmount(snap, melt));

    const int32_t V = t.totalVarieties;
    for (size_t q = 0; q < QuantityLabels.size(); ++q) {
        const tQuantityLabels &names = QuantityLabels[q];
        const tStatsCategory c = StatsCategory(t, static_cast<tStatsQuantity>(q));
        const int64_t pieces = c.Coins + c.Notes;
        if (pieces > 0) {
            add(names.CoinsName, QStringLiteral("Coins: ") + QString::number(c.Coins), c.Coins > 0);
            add(names.NotesName, QStringLiteral("Notes: ") + QString::number(c.Notes), c.Notes > 0);
        } else {
            add(names.CoinsName, QStringLiteral("Coins or notes: 0"));
            add(names.NotesName, QString(), false);
        }
        add(names.VarietiesName,
            QString::number(c.Varieties) + QStringLiteral(" of ") + QString::number(V) + QStringLiteral(" varieties"));
        add(names.ShareName, V == 0 ? QStringLiteral("0% of varieties")
                                    : Fixed("0.00", static_cast<double>(c.Varieties) / V * 100) +
                                          QStringLiteral("% of varieties"));
        add(names.ItemsName, pieces == 0 ? QStringLiteral("Items: None")
                                         : QStringLiteral("Items: ") + QString::number(c.Dupes) + QStringLiteral(" (") +
                                               Fixed("0.00", static_cast<double>(c.Dupes) / pieces * 100) +
                                               QStringLiteral("%)"));
        add(names.DupeVarietiesName, V == 0 ? QStringLiteral("Varieties: None")
                                            : QStringLiteral("Varieties: ") + QString::number(c.Dupetypes) +
                                                  QStringLiteral(" (") +
                                                  Fixed("0.00", static_cast<double>(c.Dupetypes) / V * 100) +
                                                  QStringLiteral("%)"));
    }
    return out;
}

// ---------------------------------------------------------------------------
// Layout

const std::vector<tStatsLabelSpec> &StatsLabelSpecs()
{
    static const std::vector<tStatsLabelSpec> specs = [] {
        std::vector<tStatsLabelSpec> v{
            {"Label27", "Price List:"}, {"Label25", nullptr},  {"Label142", nullptr},        {"Label97", nullptr},
            {"Label46", nullptr},       {"LabelFaceValue1", nullptr}, {"LabelFaceValue2", nullptr},
            {"LabelSizeStat", nullptr}, {"Label45", nullptr},  {"Label35", nullptr},         {"Label36", nullptr},
            {"Label74", nullptr},       {"Label72", nullptr},  {"Label76", nullptr},         {"Label136", nullptr},
            {"Label137", nullptr},      {"Label100", "Total gross Weight:"}, {"Label101", nullptr},
            {"Label113", "- or -"},     {"Label102", nullptr},
        };
        for (const tMetalLabels &m : MetalLabels) {
            v.push_back({m.ContentName, nullptr});
            v.push_back({m.ValueName, nullptr});
            v.push_back({m.PurityName, nullptr});
            v.push_back({m.WeightCaptionName, m.WeightCaption});
            v.push_back({m.WeightName, nullptr});
        }
        v.push_back({"Label71", nullptr});
        for (const tQuantityLabels &q : QuantityLabels) {
            v.push_back({q.CaptionName, q.Caption});
            v.push_back({q.CoinsName, nullptr});
            v.push_back({q.NotesName, nullptr});
            v.push_back({q.VarietiesName, nullptr});
            v.push_back({q.ShareName, nullptr});
            v.push_back({q.DuplicatesName, "Duplicates:"});
            v.push_back({q.ItemsName, nullptr});
            v.push_back({q.DupeVarietiesName, nullptr});
        }
        return v;
    }();
    return specs;
}

const QStringList &CoinOnlyStatsLabels()
{
    static const QStringList names = [] {
        QStringList n{QStringLiteral("Label100"), QStringLiteral("Label101"), QStringLiteral("Label113"),
                      QStringLiteral("Label102")};
        for (const tMetalLabels &m : MetalLabels)
            n << L(m.ContentName) << L(m.ValueName) << L(m.PurityName) << L(m.WeightCaptionName) << L(m.WeightName);
        n << QStringLiteral("Label71");
        return n;
    }();
    return names;
}

namespace {

// Places labels one under another from a running y, each at its indent and
// with the column width; hidden and unknown labels take no room.
struct tPlacer {
    QHash<QString, tStatsLabelBox> &labels;
    int width = 0;
    int y = 0;
    int bottom = 0;

    void Place(const char *name, int left)
    {
        auto it = labels.find(L(name));
        if (it == labels.end() || !it->Visible)
            return;
        it->Rect = QRect(left, y, width, it->Height);
        y += it->Height + 4;
        bottom = std::max(bottom, y);
    }
    void Place(std::initializer_list<const char *> names, int left)
    {
        for (const char *n : names)
            Place(n, left);
    }
};

void PlaceHeader(tPlacer &p)
{
    p.Place("Label27", 8);
    p.Place({"Label25", "Label142", "Label97"}, 13);
    p.y += 8;
    p.Place({"Label46", "LabelFaceValue1", "LabelFaceValue2", "LabelSizeStat"}, 8);
}

void PlaceQuantity(tPlacer &p, const tQuantityLabels &q, int left, int step)
{
    p.Place(q.CaptionName, left);
    p.Place({q.CoinsName, q.NotesName, q.VarietiesName, q.ShareName, q.DuplicatesName}, left + step);
    p.Place({q.ItemsName, q.DupeVarietiesName}, left + 2 * step);
}

} // namespace

tStatsArrangement ArrangeStatsLabels(bool coins, const tStatsArea &area, QHash<QString, tStatsLabelBox> &labels)
{
    tStatsArrangement result;
    for (const QString &name : CoinOnlyStatsLabels()) {
        auto it = labels.find(name);
        if (it != labels.end())
            it->Visible = coins;
    }
    tPlacer p{labels};
    if (coins) {
        int R = 0;
        p.width = area.ClientWidth;
        const bool twoColumns = area.ClientWidth >= 351;
        if (twoColumns) {
            p.width = (area.ClientWidth - 2 * area.LineWidth) / 2;
            result.Line1Visible = true;
            result.Line1X = p.width + area.LineWidth;
            R = result.Line1X + area.LineWidth;
        }
        p.y = 8;
        PlaceHeader(p);
        p.Place("Label45", 8);
        p.Place({"Label35", "Label36", "Label74", "Label72", "Label76"}, 13);
        p.Place({"Label136", "Label137"}, 8);
        p.y += 16;
        p.Place("Label100", 8);
        p.Place({"Label101", "Label113", "Label102"}, 13);
        p.y += 16;
        for (const tMetalLabels &m : MetalLabels) {
            p.Place(m.ContentName, 8);
            p.Place({m.ValueName, m.PurityName, m.WeightCaptionName, m.WeightName}, 13);
            p.y += 16;
        }
        p.Place("Label71", 8);
        if (twoColumns)
            p.y = 0;
        p.y += 8;
        for (size_t q = 0; q < QuantityLabels.size(); ++q) {
            if (q > 0)
                p.y += 16;
            PlaceQuantity(p, QuantityLabels[q], R + 8, 5);
        }
    } else {
        const int W = static_cast<int>(static_cast<double>(area.PanelWidth) / 9 * 2) + 8;
        p.width = W;
        p.y = 8;
        PlaceHeader(p);
        p.y = 8;
        p.Place("Label45", W);
        p.Place({"Label35", "Label36", "Label74", "Label72", "Label76", "Label136", "Label137"}, W + 5);
        for (int column = 2; column <= 3; ++column) {
            p.y = 8;
            for (size_t q = (column - 2) * 2; q < static_cast<size_t>((column - 1) * 2); ++q) {
                if (q % 2 == 1)
                    p.y += 12;
                PlaceQuantity(p, QuantityLabels[q], column * W, 5);
            }
        }
    }
    result.Height = p.bottom;
    return result;
}

// ---------------------------------------------------------------------------
// Running on the thread pool

tStatsResult ComputeStatsResult(const tStatsSnapshot &snap)
{
    tStatsResult r;
    r.Totals = CalcStatistics(snap);
    r.Coins = snap.Node.CoinShape != PaperMoneyShape;
    r.Labels = StatsTexts(snap, r.Totals);
    return r;
}

TStatsRunner::TStatsRunner(QObject *parent) : QObject(parent), Compute(ComputeStatsResult)
{
    qRegisterMetaType<std::shared_ptr<const tStatsResult>>();
}

TStatsRunner::~TStatsRunner()
{
    // The runs hand back to this object; none may outlive it.
    WaitForRuns();
}

uint64_t TStatsRunner::Start(const tMainState &s, const tnodeinfo *node)
{
    std::shared_ptr<const tStatsSnapshot> snap = TakeStatsSnapshot(s, node);
    const uint64_t generation = ++generation_;
    std::erase_if(runs_, [](const QFuture<void> &f) { return f.isFinished(); });
    const auto compute = Compute;
    runs_.push_back(QtConcurrent::run([this, snap, generation, compute] {
        auto result = std::make_shared<tStatsResult>();
        try {
            *result = compute(*snap);
        } catch (const std::exception &e) {
            result->Error = QString::fromUtf8(e.what());
        } catch (...) {
            result->Error = QStringLiteral("unknown error");
        }
        result->Generation = generation;
        QMetaObject::invokeMethod(this, [this, result] { HandBack(result); }, Qt::QueuedConnection);
    }));
    return generation;
}

void TStatsRunner::WaitForRuns()
{
    for (QFuture<void> &f : runs_)
        f.waitForFinished();
    runs_.clear();
}

void TStatsRunner::HandBack(const std::shared_ptr<const tStatsResult> &result)
{
    if (result->Generation != generation_)
        return;  // a newer run was started meanwhile
    Q_EMIT ResultReady(result);
}
