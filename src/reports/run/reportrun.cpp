#include "reports/run/reportrun.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include <QDir>
#include <QFileInfo>

#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "platform/paths.h"
#include "reports/run/textcompare.h"

namespace {

// Tag bits written by a run.
enum : int32_t { TagInside = 1, TagHasCoins = 2, TagHasPrices = 4, TagHasFineCoin = 8 };
constexpr int FineGrade = 7;  // F-12 and better

bool PassesPaperFilter(const tCoinInfo &c, const tParamInfo &p)
{
    const bool paper = c.Folder && c.Folder->CoinShape == PaperMoneyShape;
    switch (p.CoinPaperFilter) {
    case 1: return !paper;
    case 2: return paper;
    default: return true;
    }
}

bool PassesErrorFilter(const tCoinInfo &c, const tParamInfo &p)
{
    switch (p.CoinErrorFilter) {
    case 1: return !c.MintError;
    case 2: return c.MintError;
    default: return true;
    }
}

bool SeriesPictureExists(const tnodeinfo &n, const tReportEnvironment &env)
{
    if (!env.SeriesPicturePath)
        return false;
    const QString path = env.SeriesPicturePath(n, true);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

template <class T>
int Cmp(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareUserField(const tMainState &s, const tCoinInfo &a, const tCoinInfo &b, int field, bool &isKey)
{
    isKey = field < static_cast<int>(s.UDFlist.size());
    if (!isKey)
        return 0;
    const tUDFfield &f = *s.UDFlist[static_cast<size_t>(field)];
    const tReportValue va = UserFieldValue(f, CommaTextItem(a.UDFstring, field));
    const tReportValue vb = UserFieldValue(f, CommaTextItem(b.UDFstring, field));
    switch (va.Kind()) {
    case tReportValue::Text: return CompareText(va.TextValue(), vb.TextValue());
    case tReportValue::Empty: return 0;
    default: return Cmp(va.AsDouble(), vb.AsDouble());
    }
}

int CompareCoins(const tMainState &s, const tCoinInfo &a, const tCoinInfo &b, const tParamInfo &p)
{
    for (int32_t key : p.CoinSort) {
        int c = 0;
        switch (key) {
        case SortYear: c = Cmp(a.Year, b.Year); break;
        case SortMint: c = CompareText(a.Mint, b.Mint); break;
        case SortVariety: c = CompareText(a.Variety, b.Variety); break;
        case SortGrade: c = Cmp(a.Grade, b.Grade); break;
        case SortHave: c = Cmp(a.Have, b.Have); break;
        case SortNeed: c = Cmp(a.Need, b.Need); break;
        case SortSell: c = Cmp(a.Sell, b.Sell); break;
        case SortSold: c = Cmp(a.Sold, b.Sold); break;
        case SortGradedBy: c = CompareText(a.Gradedby, b.Gradedby); break;
        case SortStoredIn: c = CompareText(a.Stored, b.Stored); break;
        case SortBuyDate: c = Cmp(a.BuyDate, b.BuyDate); break;
        case SortBuyPrice: c = Cmp(a.BuyPrice, b.BuyPrice); break;
        case SortSellPrice: c = Cmp(a.SellPrice, b.SellPrice); break;
        case SortItemNumber: c = Cmp(a.Inventory, b.Inventory); break;
        case SortMetal:
            c = Cmp(a.PriceInfo ? int(a.PriceInfo->Metal) : -1, b.PriceInfo ? int(b.PriceInfo->Metal) : -1);
            break;
        case SortSeriesOrder:
            c = Cmp(a.Folder ? a.Folder->Tag2 : -1, b.Folder ? b.Folder->Tag2 : -1);
            break;
        case SortCatalog:
            c = CompareText(a.PriceInfo ? a.PriceInfo->Catalog : QString(),
                            b.PriceInfo ? b.PriceInfo->Catalog : QString());
            break;
        default:
            if (key >= SortUserField1 && key <= SortUserField6) {
                bool isKey = false;
                c = CompareUserField(s, a, b, key - SortUserField1, isKey);
                if (!isKey)
                    return 0;  // a user field the collection does not have: no key
                break;
            }
            return 0;  // no key ends the comparison
        }
        if (c != 0)
            return c;
    }
    return 0;
}

// True when a key that reads the cached price entry is among the keys the
// comparison reaches.
bool SortsOnPriceEntry(const tParamInfo &p)
{
    for (int32_t key : p.CoinSort) {
        if (key == SortMetal || key == SortCatalog)
            return true;
        if (key <= SortNone || key > SortUserField6)
            return false;
    }
    return false;
}

} // namespace

tReportUses ReportUsesOf(const tReportEngine &engine)
{
    tReportUses u;
    for (const QString &name : engine.DataSetNames()) {
        u.Prices |= name.compare(QLatin1String("Prices"), Qt::CaseInsensitive) == 0;
        u.Coins |= name.compare(QLatin1String("Coins"), Qt::CaseInsensitive) == 0;
        u.Series |= name.compare(QLatin1String("Series"), Qt::CaseInsensitive) == 0;
        u.Forex |= name.compare(QLatin1String("Forex"), Qt::CaseInsensitive) == 0;
    }
    return u;
}

void CollectReportSeries(tMainState &s)
{
    CurrProcGuard guard(18800);
    int counter = 0;
    // Pre-order with an explicit stack, so any depth of tree is safe; a node
    // is inside when it or one of its ancestors is the selected series.
    std::vector<std::pair<tnodeinfo *, bool>> stack{{s.EntireCollection.get(), false}};
    while (!stack.empty()) {
        auto [n, inside] = stack.back();
        stack.pop_back();
        n->Tag2 = counter++;
        inside = inside || n == s.SelectedTreeNode;
        n->Tag = inside ? TagInside : 0;
        if (inside)
            s.ReportListSeries.push_back(n);
        for (auto it = n->ChildNodes.rbegin(); it != n->ChildNodes.rend(); ++it)
            stack.push_back({it->get(), inside});
    }
}

bool CoinPassesQuantityFilter(const tCoinInfo &c, const tParamInfo &p)
{
    if (p.QuantityFilter == 0)
        return true;
    return (c.Have > 0 && (p.QuantityFilter & QuantityHave)) || (c.Need > 0 && (p.QuantityFilter & QuantityNeed)) ||
           (c.Sell > 0 && (p.QuantityFilter & QuantitySell)) || (c.Sold > 0 && (p.QuantityFilter & QuantitySold));
}

bool CoinPassesStoredInFilter(const tCoinInfo &c, const tParamInfo &p)
{
    const QString want = p.StoredIn.trimmed();
    return want.isEmpty() || c.Stored.trimmed() == want;
}

bool CoinPassesNoPriceFilter(tMainState &s, tCoinInfo &c, const tParamInfo &p)
{
    if (p.CoinSourceFilter != SourceNoPriceEntry)
        return true;
    return LookUpCoinPrice(s, c) == nullptr;
}

bool CoinPassesNoImageFilter(const tCoinInfo &c, const tParamInfo &p, const tReportEnvironment &env)
{
    if (p.CoinSourceFilter != SourceNoSeriesImage)
        return true;
    return !c.Folder || !SeriesPictureExists(*c.Folder, env);
}

void BuildReportLists(tMainState &s, const tParamInfo &p, const tReportUses &uses, const tReportEnvironment &env)
{
    CurrProcGuard guard(26200);
    s.ReportListSeries.clear();
    s.ReportListPrices.clear();
    s.ReportListCoins.clear();
    CollectReportSeries(s);

    if (uses.Prices && !s.ReportListSeries.empty() && !s.PriceList.empty()) {
        // "Items I have": the price entries that coins held are valued by.
        std::unordered_set<const tPriceInfo *> had;
        if (p.PricePurgeMask == PurgeKeepHave || p.PricePurgeMask == PurgeKeepHaveNot)
            for (auto &c : s.CoinList)
                if (c->Have > 0)
                    if (const tPriceInfo *e = LookUpCoinPrice(s, *c))
                        had.insert(e);
        // Rows grouped by series in tree order, each group in price-list order.
        std::unordered_map<const tnodeinfo *, size_t> order;
        for (size_t i = 0; i < s.ReportListSeries.size(); ++i)
            order.emplace(s.ReportListSeries[i], i);
        std::vector<std::vector<tPriceInfo *>> groups(s.ReportListSeries.size());
        for (auto &row : s.PriceList) {
            auto it = order.find(row->Folder);
            if (it == order.end())
                continue;
            if (p.PricePurgeMask == PurgeKeepHave && !had.count(row.get()))
                continue;
            if (p.PricePurgeMask == PurgeKeepHaveNot && had.count(row.get()))
                continue;
            groups[it->second].push_back(row.get());
            row->Folder->Tag |= TagHasPrices;
        }
        for (auto &g : groups)
            s.ReportListPrices.insert(s.ReportListPrices.end(), g.begin(), g.end());
    }

    if (!uses.Coins)
        return;
    switch (p.CoinSourceFilter) {
    case SourceSubtree:
    case SourceNoSeriesImage:
    case SourceNoPriceEntry:
        for (auto &owned : s.CoinList) {
            tCoinInfo &c = *owned;
            if (!c.Folder || c.Folder->Tag <= 0)
                continue;
            if (!PassesPaperFilter(c, p) || !PassesErrorFilter(c, p) || !CoinPassesQuantityFilter(c, p) ||
                !CoinPassesStoredInFilter(c, p) || !CoinPassesNoPriceFilter(s, c, p) ||
                !CoinPassesNoImageFilter(c, p, env))
                continue;
            s.ReportListCoins.push_back(&c);
            c.Folder->Tag |= TagHasCoins;
            if (c.Grade >= FineGrade)
                c.Folder->Tag |= TagHasFineCoin;
            // Looked up afresh when first asked: the prices may have changed
            // since the cache was filled.
            c.PriceInfo = nullptr;
        }
        break;
    case SourceBin:
        for (auto &owned : s.CoinList) {
            tCoinInfo &c = *owned;
            if (c.InBin && PassesPaperFilter(c, p) && PassesErrorFilter(c, p) && CoinPassesQuantityFilter(c, p)) {
                s.ReportListCoins.push_back(&c);
                LookUpCoinPrice(s, c);
            }
        }
        break;
    case SourceCurrentCoin: {
        const int row = env.CurrentCoinRow ? env.CurrentCoinRow() : -1;
        if (row >= 0 && row < static_cast<int>(s.CurrCoinList.size())) {
            tCoinInfo *c = s.CurrCoinList[static_cast<size_t>(row)];
            s.ReportListCoins.push_back(c);
            LookUpCoinPrice(s, *c);
        }
        break;
    }
    default:
        break;
    }
}

void SortReportCoins(tMainState &s, const tParamInfo &p)
{
    CurrProcGuard guard(18400);
    auto &rows = s.ReportListCoins;
    if (rows.size() < 2)
        return;
    // Metal and catalogue keys read the cached price entry: fill it first,
    // or those keys would compare every coin equal.
    if (SortsOnPriceEntry(p))
        for (tCoinInfo *c : rows)
            LookUpCoinPrice(s, *c);
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const tCoinInfo *a, const tCoinInfo *b) { return CompareCoins(s, *a, *b, p) < 0; });
}

void SortReportPrices(tMainState &s)
{
    CurrProcGuard guard(18500);
    auto &rows = s.ReportListPrices;
    if (rows.size() < 2)
        return;
    // Only neighbours of the same series number are ever compared, so each
    // run of one series number is sorted on its own.
    auto less = [](const tPriceInfo *a, const tPriceInfo *b) {
        int c = Cmp(a->Year, b->Year);
        if (c == 0)
            c = CompareText(a->Mint, b->Mint);
        if (c == 0)
            c = CompareText(a->Variety, b->Variety);
        if (c == 0)
            c = CompareText(a->GM, b->GM);
        return c < 0;
    };
    auto begin = rows.begin();
    while (begin != rows.end()) {
        auto end = std::find_if(begin, rows.end(), [&](const tPriceInfo *r) { return r->CoinType != (*begin)->CoinType; });
        std::stable_sort(begin, end, less);
        begin = end;
    }
}

void MergeReportPrices(tMainState &s, const tParamInfo &p)
{
    CurrProcGuard guard(18600);
    auto &rows = s.ReportListPrices;
    for (tPriceInfo *r : rows)
        r->MergeIndex = 0;
    const int mode = p.PriceMergeMask;
    if (rows.size() < 2 || mode <= MergeNone || mode > MergeYear)
        return;
    // Walking down from the end, each row absorbs its successor when they
    // merge, so a run of mergeable rows collapses into its first row.
    std::vector<bool> removed(rows.size(), false);
    size_t next = rows.size() - 1;  // the nearest kept row after i
    for (size_t i = rows.size() - 1; i-- > 0;) {
        tPriceInfo *a = rows[i];
        const tPriceInfo *b = rows[next];
        bool merge = a->CoinType == b->CoinType && a->Year == b->Year;
        if (merge && mode == MergeYearMintVariety)
            // Mint and variety each on their own: compared joined, "P" + "D"
            // would equal "PD" + "" and merge different mints.
            merge = CompareText(a->Mint, b->Mint) == 0 && CompareText(a->Variety, b->Variety) == 0;
        else if (merge && mode == MergeYearMint)
            merge = CompareText(a->Mint, b->Mint) == 0;
        if (merge) {
            removed[next] = true;
            a->MergeIndex = static_cast<uint8_t>(mode);
        }
        next = i;
    }
    size_t out = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        if (!removed[i])
            rows[out++] = rows[i];
    rows.resize(out);
}

void FilterReportSeries(tMainState &s, const tParamInfo &p, const tReportEnvironment &env)
{
    CurrProcGuard guard(18700);
    auto &rows = s.ReportListSeries;
    if (p.ThemeMultiplex) {
        const int32_t bit = int32_t(1) << p.SelectedTheme;
        std::erase_if(rows, [&](const tnodeinfo *n) { return (n->Themes & bit) == 0; });
    }
    if (p.SeriesPurgeMask <= 0)
        return;
    auto byTagAndKind = [](const tnodeinfo *n, bool tagOk, int kinds) {
        // kinds: 1 coin series only, 2 paper money only, 3 both
        const bool paper = n->CoinShape == PaperMoneyShape;
        return tagOk && (kinds == 3 || (kinds == 1 && !paper) || (kinds == 2 && paper));
    };
    std::erase_if(rows, [&](const tnodeinfo *n) {
        const int m = p.SeriesPurgeMask;
        if (m >= 1 && m <= 3)
            return !byTagAndKind(n, n->Tag & TagHasPrices, m);
        if (m >= 4 && m <= 6)
            return !byTagAndKind(n, n->Tag & TagHasCoins, m - 3);
        if (m >= 7 && m <= 9)
            return !byTagAndKind(n, (n->Tag & TagHasPrices) && !(n->Tag & TagHasCoins), m - 6);
        if (m == 10)
            return n->NodeMode != NodeModeCountry;
        if (m == 11)
            return n->NodeName.trimmed().endsWith(QLatin1Char('*')) || !(n->Tag & TagHasFineCoin) ||
                   SeriesPictureExists(*n, env);
        if (m == 12)
            return (n->GlyphStats & GlyphAdded) == 0;
        return false;
    });
}

void SyncReportForex(tMainState &s, const QStringList &lastOrder)
{
    // Rebuilt from the live ForexList every time: the currency table may
    // have been reloaded since the last run, and a freed entry's address can
    // come back as another currency, so the earlier order is kept by code.
    std::vector<tForex *> live;
    for (auto &f : s.ForexList)
        // "Demonetized" and "None" are choices for series, not currencies.
        if (f->Code != QLatin1String("-") && !f->Code.isEmpty())
            live.push_back(f.get());
    std::vector<tForex *> ordered;
    ordered.reserve(live.size());
    for (const QString &code : lastOrder) {
        auto it = std::find_if(live.begin(), live.end(), [&](const tForex *f) { return f && f->Code == code; });
        if (it != live.end()) {
            ordered.push_back(*it);
            *it = nullptr;
        }
    }
    for (tForex *f : live)
        if (f)
            ordered.push_back(f);
    s.ReportListForex = std::move(ordered);
}

QStringList ReportForexOrder(const tMainState &s)
{
    QStringList codes;
    for (const tForex *f : s.ReportListForex)
        codes.append(f->Code);
    return codes;
}

void SortReportForex(tMainState &s, const tParamInfo &p)
{
    CurrProcGuard guard(7);
    auto &rows = s.ReportListForex;
    if (rows.size() < 2 || p.ForexSort <= 0)
        return;
    auto less = [&](const tForex *a, const tForex *b) {
        switch (p.ForexSort) {
        case 1: return CompareText(a->Code, b->Code) < 0;
        case 2: return CompareText(a->Description, b->Description) < 0;
        case 3: return a->Rate < b->Rate;
        case 4: return a->Rate > b->Rate;
        default: return false;
        }
    };
    std::stable_sort(rows.begin(), rows.end(), less);
}

tReportRunner::tReportRunner(tMainState &s) : State(s), Data(s)
{
    Data.Env = &Env;
    Data.AddTo(Engine);
    Engine.OnBeforePrint = [this](tPictureEvent &ev) { Data.BeforePrint(ev); };
}

bool tReportRunner::Run(const tParamInfo &params, const QString &folder)
{
    if (Engine.Preparing()) {
        pending_ = params;
        pendingFolder_ = folder;
        Engine.Stop();
        return false;
    }
    bool made = RunOnce(params, folder);
    while (pending_) {
        const tParamInfo next = *pending_;
        const QString nextFolder = pendingFolder_;
        pending_.reset();
        made = RunOnce(next, nextFolder);
    }
    return made;
}

bool tReportRunner::RunOnce(const tParamInfo &params, const QString &folder)
{
    CurrProcGuard guard(18900);
    running_ = params;
    Data.RunParams = &running_;
    // Coin entries may have changed since the last run.
    Data.PriceSummary = tPriceSummary();
    Data.RefreshFieldLists();
    State.ReportListCoins.clear();
    State.ReportListPrices.clear();
    State.ReportListSeries.clear();

    Engine.Clear();
    const QString name = TemplateFileName(params.StreamName);
    const QString found = platform::findEntryIgnoreCase(folder, name);
    Engine.LoadFromFile(QDir(folder).filePath(found.isEmpty() ? name : found));

    const tReportUses uses = ReportUsesOf(Engine);
    BuildReportLists(State, running_, uses, Env);
    if (uses.Coins)
        SortReportCoins(State, running_);
    if (uses.Prices) {
        SortReportPrices(State);
        MergeReportPrices(State, running_);
    }
    if (uses.Series)
        FilterReportSeries(State, running_, Env);
    if (uses.Forex) {
        SyncReportForex(State, forexOrder_);
        SortReportForex(State, running_);
        forexOrder_ = ReportForexOrder(State);
    }
    return Engine.Prepare();
}
