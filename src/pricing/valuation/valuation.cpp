#include "pricing/valuation/valuation.h"

#include <cmath>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "pricing/pricelists/pricelist.h"

// The entries of PriceList grouped by series number, each group in list
// order, so that a look-up reads only its own series' entries. Stamped with
// the list's generation, size and storage, and rebuilt when any differs.
// Valuing a collection is bound by memory latency, so the groups lie in one
// array and the series are found by open addressing: one probe, one range.
struct tPriceIndex {
    uint64_t Generation = 0;
    size_t Size = 0;
    const void *Storage = nullptr;

    struct tSlot {
        int32_t Series = 0;
        uint32_t Begin = 0;
        uint32_t End = 0;  // 0: the slot is free (a group is never empty)
    };
    std::vector<tPriceInfo *> Entries;
    std::vector<tSlot> Slots;  // a power of two, at most half full
    uint32_t Shift = 32;

    size_t Home(int32_t series) const
    {
        return Shift >= 32 ? 0 : (static_cast<uint32_t>(series) * 0x9E3779B1u) >> Shift;
    }
    std::span<tPriceInfo *const> Find(int32_t series) const
    {
        const size_t mask = Slots.size() - 1;
        for (size_t i = Home(series);; i = (i + 1) & mask) {
            const tSlot &slot = Slots[i];
            if (slot.End == 0)
                return {};
            if (slot.Series == series)
                return {Entries.data() + slot.Begin, Entries.data() + slot.End};
        }
    }
};

namespace {

const char *const CodeNames[] = {
    "",          "Face value", "Proof only", "Melt",      "Rare",      "-------",   "Extinct",
    "Split 0%",  "Split 10%",  "Split 20%",  "Split 30%", "Split 40%", "Split 50%", "Split 60%",
    "Split 70%", "Split 80%",  "Split 90%",  "Split 100%", "n/a",      "Melt+5%",   "Melt+10%",
    "Melt+15%",  "Melt+20%",   "Melt+25%",
};

// Consumer prices by year from 1800 to 2021, 1967 = 1000.
constexpr std::array<int32_t, LastIndexYear - FirstIndexYear + 1> PriceIndex = {
    510,  500,  430,  450,  450,  450,  470,  440,  480,  470,   // 1800
    470,  500,  510,  580,  630,  550,  510,  480,  460,  460,   // 1810
    420,  400,  400,  360,  330,  340,  340,  340,  330,  320,   // 1820
    320,  320,  300,  290,  300,  310,  330,  340,  320,  320,   // 1830
    300,  310,  290,  280,  280,  280,  270,  280,  260,  250,   // 1840
    250,  250,  250,  250,  270,  280,  270,  280,  260,  270,   // 1850
    270,  270,  300,  370,  470,  460,  440,  420,  400,  400,   // 1860
    380,  360,  360,  360,  340,  330,  320,  320,  290,  280,   // 1870
    290,  290,  290,  280,  270,  270,  270,  270,  270,  270,   // 1880
    270,  270,  270,  270,  260,  250,  250,  250,  250,  250,   // 1890
    250,  250,  260,  270,  270,  270,  270,  280,  270,  270,   // 1900
    280,  280,  290,  297,  301,  304,  327,  384,  451,  518,   // 1910
    600,  536,  502,  511,  512,  525,  530,  520,  513,  513,   // 1920
    500,  456,  409,  388,  401,  411,  415,  430,  422,  416,   // 1930
    420,  441,  488,  518,  527,  539,  585,  669,  721,  714,   // 1940
    721,  778,  795,  801,  805,  802,  814,  843,  866,  873,   // 1950
    887,  896,  906,  917,  929,  945,  972,  1000, 1042, 1098,  // 1960
    1163, 1213, 1253, 1331, 1477, 1612, 1705, 1815, 1954, 2174,  // 1970
    2468, 2724, 2891, 2984, 3111, 3222, 3284, 3404, 3543, 3713,  // 1980
    3914, 4080, 4203, 4327, 4440, 4565, 4699, 4808, 4883, 4991,  // 1990
    5158, 5301, 5388, 5510, 5657, 5848, 6035, 6207, 6444, 6422,  // 2000
    6578, 6768, 6911, 7014, 7127, 7307, 7440, 7605, 7749, 7912,  // 2010
    8023, 8568,                                                  // 2020
};

// Rounds to a whole number of ten-thousandths, halves to even. A value that
// is not finite or lies beyond the 64-bit range is reported, not rounded:
// clamping it would pass the largest amount off as a real price.
bool RoundScaled(double v, Money &out)
{
    // 2^63, exactly representable; every double below it fits once rounded.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(v) || v >= limit || v < -limit)
        return false;
    out = MoneyFromScaled(v);
    return true;
}

const tForex *ActiveForex(const tMainState &s)
{
    if (s.ActiveForexIndex < 0 || static_cast<size_t>(s.ActiveForexIndex) >= s.ForexList.size())
        return nullptr;
    return s.ForexList[static_cast<size_t>(s.ActiveForexIndex)].get();
}

// Rates are kept as singles in the currency files; the results depend on
// that precision, so they are narrowed before use.
double RateOf(const tForex &f)
{
    return static_cast<double>(static_cast<float>(f.Rate));
}

std::mutex IndexMutex;

std::shared_ptr<const tPriceIndex> SeriesIndex(const tMainState &s)
{
    const uint64_t gen = s.PriceListGeneration.load(std::memory_order_acquire);
    std::lock_guard lock(IndexMutex);
    const auto &cached = s.PriceIndexCache;
    if (cached && cached->Generation == gen && cached->Size == s.PriceList.size() &&
        cached->Storage == static_cast<const void *>(s.PriceList.data()))
        return cached;
    auto index = std::make_shared<tPriceIndex>();
    index->Generation = gen;
    index->Size = s.PriceList.size();
    index->Storage = s.PriceList.data();
    // Group sizes in order of first appearance, then each group's range.
    std::unordered_map<int32_t, size_t> group;
    std::vector<std::pair<int32_t, uint32_t>> counts;
    for (const auto &p : s.PriceList) {
        auto [it, added] = group.emplace(p->CoinType, counts.size());
        if (added)
            counts.push_back({p->CoinType, 0});
        ++counts[it->second].second;
    }
    size_t slots = 2;
    uint32_t shift = 31;
    while (slots < 2 * counts.size()) {
        slots *= 2;
        --shift;
    }
    index->Slots.assign(slots, {});
    index->Shift = shift;
    std::vector<uint32_t> next(counts.size());
    uint32_t begin = 0;
    for (size_t g = 0; g < counts.size(); ++g) {
        next[g] = begin;
        const uint32_t end = begin + counts[g].second;
        size_t i = index->Home(counts[g].first);
        while (index->Slots[i].End != 0)
            i = (i + 1) & (slots - 1);
        index->Slots[i] = {counts[g].first, begin, end};
        begin = end;
    }
    index->Entries.resize(s.PriceList.size());
    for (const auto &p : s.PriceList)
        index->Entries[next[group[p->CoinType]]++] = p.get();
    s.PriceIndexCache = index;
    return index;
}

// Equality ignoring the case of the letters A to Z only: matching must not
// depend on the user's locale.
bool EqualIgnoringAsciiCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    const QChar *x = a.constData();
    const QChar *y = b.constData();
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t p = x[i].unicode();
        char16_t q = y[i].unicode();
        if (p == q)
            continue;
        if (p >= u'a' && p <= u'z')
            p = static_cast<char16_t>(p - 32);
        if (q >= u'a' && q <= u'z')
            q = static_cast<char16_t>(q - 32);
        if (p != q)
            return false;
    }
    return true;
}

bool VarietyMatches(const QString &packed, const QString &display)
{
    if (FindVarietyDateToken(packed) < 0)
        return EqualIgnoringAsciiCase(packed, display);
    return EqualIgnoringAsciiCase(UnpackVariety(packed, false), display);
}

bool EntryMatches(const tPriceInfo &p, int32_t series, const tCoinInfo &c, bool dumbGet)
{
    return p.CoinType == series && p.Year == c.Year && EqualIgnoringAsciiCase(p.Mint, c.Mint) &&
           VarietyMatches(p.Variety, c.Variety) && (dumbGet || EqualIgnoringAsciiCase(p.GM, c.GM));
}

} // namespace

bool PriceEntryMatches(const tPriceInfo &p, int32_t series, const tCoinInfo &coin, bool DumbGet)
{
    return EntryMatches(p, series, coin, DumbGet);
}

QString ValueCodeName(int64_t code)
{
    if (code < 1 || code > CodeMelt25)
        return QString();
    return QString::fromLatin1(CodeNames[static_cast<size_t>(code)]);
}

bool IsSplitCode(Money v)
{
    return v < 0 && v % MoneyScale == 0 && MoneyToValueCode(v) >= CodeSplit0 && MoneyToValueCode(v) <= CodeSplit100;
}

int PriceIndexOf(int year)
{
    if (year < FirstIndexYear || year > LastIndexYear)
        return 0;
    return PriceIndex[static_cast<size_t>(year - FirstIndexYear)];
}

Money InflationAdjust(Money Amount, int FromYear, int ToYear)
{
    const int from = PriceIndexOf(FromYear);
    const int to = PriceIndexOf(ToYear);
    if (from == 0 || to == 0)
        return 0;
    // An adjusted amount that does not fit fails like a year outside the index.
    Money out = 0;
    return RoundScaled(static_cast<double>(Amount) * to / from, out) ? out : 0;
}

Money ConvertFaceValue(const tMainState &s, const QString &InCode, float InAmount)
{
    if (InCode.isEmpty() || InCode == QLatin1String("-"))
        return 0;
    const tForex *active = ActiveForex(s);
    if (!active)
        return 0;
    for (size_t i = 0; i < s.ForexList.size(); ++i) {
        const tForex &f = *s.ForexList[i];
        if (f.Code != InCode)
            continue;
        Money out = 0;
        if (static_cast<int>(i) == s.ActiveForexIndex)
            return RoundScaled(static_cast<double>(InAmount) * MoneyScale, out) ? out : 0;
        const double rate = RateOf(f);
        if (rate == 0)
            return 0;
        const double v = static_cast<double>(InAmount) * (RateOf(*active) / rate) * MoneyScale;
        return RoundScaled(v, out) ? out : 0;
    }
    return 0;
}

Money ConvertForex(const tMainState &s, Money InVal, const QString &ToForexCode, bool Reverse)
{
    Money result = InVal;
    if (ToForexCode.isEmpty() || ToForexCode == QLatin1String("-"))
        return result;
    const tForex *active = ActiveForex(s);
    if (!active)
        return result;
    for (const auto &f : s.ForexList) {
        if (f->Code != ToForexCode)
            continue;
        const double numerator = Reverse ? RateOf(*active) : RateOf(*f);
        const double denominator = Reverse ? RateOf(*f) : RateOf(*active);
        // Both rates guarded: a zero on either side leaves the amount alone.
        // A result that does not fit is a failed conversion and gives 0: the
        // amount unconverted would be shown in the wrong currency.
        if (numerator > 0 && denominator > 0) {
            Money out = 0;
            result = RoundScaled(static_cast<double>(InVal) * numerator / denominator, out) ? out : 0;
        }
    }
    return result;
}

Money SolvePriceSpline(std::span<const Money> Run, int Index)
{
    const int n = static_cast<int>(Run.size()) - 1;
    if (n < 0 || Index < 0 || Index > n)
        return 0;
    if (Index == 0 || Index == n)
        return Run[static_cast<size_t>(Index)];
    const int c = n - 1;

    // Weights of the lower neighbour in ten-thousandths. Every interior slot
    // must be a Split code: any other value would give a weight outside 0..1
    // and an equation that means nothing.
    std::vector<double> W(static_cast<size_t>(n));
    bool seenSplit100 = false;
    for (int k = 1; k <= c; ++k) {
        const Money r = Run[static_cast<size_t>(k)];
        if (!IsSplitCode(r))
            return 0;
        Money w = 0;
        RoundScaled(static_cast<double>(r + 170000) / 10.0, w);
        W[static_cast<size_t>(k)] = static_cast<double>(w);
        // A "Split 100%" slot leans only on its upper neighbour and a later
        // "Split 0%" only on its lower one: the slots between them never
        // reach a known price and the system has no unique solution. The
        // pivot then comes out 0 or merely tiny, so the run itself is checked.
        if (w == 0)
            seenSplit100 = true;
        else if (w == MoneyScale && seenSplit100)
            return 0;
    }

    // Rows 1..c over columns 1..n, column n the right-hand side; sized to the
    // run, so no run is too long for it.
    const size_t cols = static_cast<size_t>(n) + 1;
    std::vector<double> store(static_cast<size_t>(c + 1) * cols, 0.0);
    auto M = [&](int row, int col) -> double & { return store[static_cast<size_t>(row) * cols + static_cast<size_t>(col)]; };

    const double R0 = static_cast<double>(Run[0]);
    const double Rn = static_cast<double>(Run[static_cast<size_t>(n)]);
    Money lowTerm = 0;
    if (!RoundScaled(R0 * W[1] / 10000.0, lowTerm))
        return 0;
    M(1, n) = (M(1, n) * 10000.0 + static_cast<double>(lowTerm)) / 10000.0;
    M(c, n) = (M(c, n) * 100000000.0 + (10000.0 - W[static_cast<size_t>(c)]) * Rn) / 100000000.0;
    for (int k = 1; k <= c; ++k) {
        const double wk = W[static_cast<size_t>(k)];
        if (k > 1)
            M(k, k - 1) = -wk / 10000.0;
        M(k, k) = 1.0;
        if (k < c)
            M(k, k + 1) = (wk - 10000.0) / 10000.0;
    }

    for (int k = 2; k <= c; ++k) {
        const double pivot = M(k - 1, k - 1);
        if (pivot == 0.0 || !std::isfinite(pivot))
            return 0;
        const double wk = W[static_cast<size_t>(k)];
        for (int j = 1; j <= n; ++j)
            M(k, j) = (M(k, j) * 10000.0 + M(k - 1, j) * wk / pivot) / 10000.0;
    }

    std::vector<Money> X(static_cast<size_t>(n) + 1, 0);
    if (M(c, c) == 0.0 || !RoundScaled(M(c, n) / M(c, c) * 10000.0, X[static_cast<size_t>(c)]))
        return 0;
    for (int k = c - 1; k >= 1; --k) {
        if (M(k, k) == 0.0)
            return 0;
        const double v =
            (M(k, n) * 10000.0 - static_cast<double>(X[static_cast<size_t>(k + 1)]) * M(k, k + 1)) / M(k, k);
        if (!RoundScaled(v, X[static_cast<size_t>(k)]))
            return 0;
    }
    return X[static_cast<size_t>(Index)];
}

Money InterpolatePrice(const std::array<Money, GradeSlots> &Values, int High, int Grade, Money FaceValue)
{
    if (FaceValue < 0)
        FaceValue = 0;
    High = std::min(High, GradeSlots - 1);
    if (Grade < 0 || Grade > High)
        return 0;
    const auto at = [&](int i) { return Values[static_cast<size_t>(i)]; };
    if (at(Grade) >= 0)
        return at(Grade);
    int L = Grade;
    while (L >= 0 && !IsPricedValue(at(L)))
        --L;
    int U = Grade;
    while (U <= High && !IsPricedValue(at(U)))
        ++U;
    if (L < 0 || U > High)
        return 0;
    std::vector<Money> run;
    run.reserve(static_cast<size_t>(U - L + 1));
    for (int i = L; i <= U; ++i) {
        Money v = at(i);
        if ((v <= ValueCodeToMoney(CodeFaceValue) && v >= ValueCodeToMoney(CodeExtinct)) ||
            v == ValueCodeToMoney(CodeNA))
            v = FaceValue;
        run.push_back(v);
    }
    // A run whose interior holds anything but Split codes (a rarity mark, a
    // melt premium) says nothing about how to share the price between its
    // neighbours: SolvePriceSpline gives 0 for it and the floors decide.
    return SolvePriceSpline(run, Grade - L);
}

Money MeltValue(const tMainState &s, const tPriceInfo &PriceInfo)
{
    // Metals 1..4 are silver, gold, palladium and platinum; mixtures such as
    // 34 "Gold/Silver" have no single spot price and so no melt value.
    if (PriceInfo.Metal < 1 || PriceInfo.Metal > 4 || !(PriceInfo.Content > 0))
        return 0;
    const Money spot = s.MetalValues[static_cast<size_t>(PriceInfo.Metal - 1)];
    if (spot <= 0)
        return 0;
    // A melt value beyond the 64-bit range is no melt value at all.
    Money out = 0;
    return RoundScaled(static_cast<double>(PriceInfo.Content) * static_cast<double>(spot), out) ? out : 0;
}

Money CoinAndPriceToValue(const tMainState &s, const tPriceInfo &PriceInfo, const tCoinInfo &CoinInfo)
{
    const tnodeinfo *folder = CoinInfo.Folder;
    const Money face = folder ? ConvertFaceValue(s, folder->FaceValueCode, folder->FaceValueAmount) : 0;
    const Money melt = MeltValue(s, PriceInfo);
    Money v = 0;
    if (CoinInfo.BuyLock) {
        v = CoinInfo.BuyPrice;
    } else if (CoinInfo.SellLock) {
        v = CoinInfo.SellPrice;
    } else if (CoinInfo.Grade >= 0 && CoinInfo.Grade < GradeSlots) {
        v = PriceInfo.Value[static_cast<size_t>(CoinInfo.Grade)];
        if (v < 0) {
            const int64_t code = MoneyToValueCode(v);
            if (code == CodeFaceValue) {
                v = face;
            } else if (code == CodeMelt) {
                v = melt;
            } else if ((code >= CodeProofOnly && code <= CodeExtinct) || code == CodeNA) {
                v = 0;
            } else if (code >= CodeSplit0 && code <= CodeSplit100) {
                v = InterpolatePrice(PriceInfo.Value, GradeSlots - 1, CoinInfo.Grade, face);
            } else if (code >= CodeMelt5 && code <= CodeMelt25) {
                // A premium that does not fit gives 0; the floors then leave
                // the melt value itself.
                const double factor = 10000.0 + 500.0 * static_cast<double>(code - CodeNA);
                if (!RoundScaled(static_cast<double>(melt) * factor / 10000.0, v))
                    v = 0;
            }
            // Any other negative value stays as it is; the floors lift it.
        }
    }
    if (v < face)
        v = face;
    if (v < melt)
        v = melt;
    return v;
}

tPriceInfo *GetCoinValue(const tMainState &s, const tCoinInfo &MyCoinInfo, Money &Value, bool CurrPriceListOnly,
                         bool DumbGet)
{
    Value = MyCoinInfo.BuyLock ? MyCoinInfo.BuyPrice : MyCoinInfo.SellLock ? MyCoinInfo.SellPrice : 0;
    const int32_t series = MyCoinInfo.Folder ? PickPriceSource(*MyCoinInfo.Folder) : MyCoinInfo.CoinType;
    tPriceInfo *found = nullptr;
    if (CurrPriceListOnly) {
        for (tPriceInfo *p : s.CurrPriceList)
            if (EntryMatches(*p, series, MyCoinInfo, DumbGet)) {
                found = p;
                break;
            }
    } else {
        const auto index = SeriesIndex(s);
        bool stale = false;
        for (tPriceInfo *p : index->Find(series)) {
            if (p->CoinType != series) {
                stale = true;  // an entry changed series behind the index's back
                break;
            }
            if (EntryMatches(*p, series, MyCoinInfo, DumbGet)) {
                found = p;
                break;
            }
        }
        if (stale) {
            found = nullptr;
            for (const auto &p : s.PriceList)
                if (EntryMatches(*p, series, MyCoinInfo, DumbGet)) {
                    found = p.get();
                    break;
                }
        }
    }
    if (found && !MyCoinInfo.BuyLock && !MyCoinInfo.SellLock)
        Value = DumbGet ? 0 : CoinAndPriceToValue(s, *found, MyCoinInfo);
    return found;
}
