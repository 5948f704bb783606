#include "pricing/pricelists/pricelist.h"

#include <cmath>
#include <stdexcept>
#include <unordered_map>

#include <QLocale>

#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/money.h"
#include "core/model/seriestree.h"

int PickPriceSource(const tnodeinfo &InNode)
{
    return InNode.PriceSource > 0 ? InNode.PriceSource : InNode.CoinType;
}

void PriceListChanged(tMainState &s)
{
    s.PriceListGeneration.fetch_add(1, std::memory_order_acq_rel);
}

void FreePriceEntries(tMainState &s, const std::unordered_set<const tPriceInfo *> &doomed)
{
    if (doomed.empty())
        return;
    // Links first: a coin's cached match must never outlive its entry.
    for (auto &c : s.CoinList)
        if (c->PriceInfo && doomed.count(c->PriceInfo))
            c->PriceInfo = nullptr;
    std::erase_if(s.CurrPriceList, [&](const tPriceInfo *p) { return doomed.count(p) != 0; });
    // A report's price rows are links too; a run after a reload must not read freed entries.
    std::erase_if(s.ReportListPrices, [&](const tPriceInfo *p) { return doomed.count(p) != 0; });
    std::erase_if(s.PriceList, [&](const std::unique_ptr<tPriceInfo> &p) { return doomed.count(p.get()) != 0; });
    PriceListChanged(s);
}

int RemovePriceEntries(tMainState &s, const std::function<bool(const tPriceInfo &)> &pred)
{
    std::unordered_set<const tPriceInfo *> doomed;
    for (const auto &p : s.PriceList)
        if (pred(*p))
            doomed.insert(p.get());
    FreePriceEntries(s, doomed);
    return static_cast<int>(doomed.size());
}

void ReFolderPrices(tMainState &s)
{
    CurrProcGuard guard(2111);
    std::unordered_map<int32_t, tnodeinfo *> byType;
    std::array<bool, CountryTableSize> inTree{};
    for (tnodeinfo *n : PreOrder(s.EntireCollection.get())) {
        if (!byType.emplace(n->CoinType, n).second)
            throw std::runtime_error(
                QStringLiteral("Series number %1 occurs twice in the series tree").arg(n->CoinType).toStdString());
        if (n != s.EntireCollection.get() && n->Country >= 0 && n->Country <= MaxCountry)
            inTree[static_cast<size_t>(n->Country)] = true;
    }
    std::unordered_set<const tPriceInfo *> doomed;
    for (auto &p : s.PriceList) {
        const auto it = byType.find(p->CoinType);
        if (it != byType.end()) {
            p->Folder = it->second;
        } else if (inTree[static_cast<size_t>(CoinTypeToCountry(p->CoinType))]) {
            // Its country is loaded but the series is gone: the entry prices nothing.
            doomed.insert(p.get());
        } else {
            p->Folder = nullptr;
        }
    }
    FreePriceEntries(s, doomed);
}

QString FormatMintage(int32_t Mintage, bool Approx)
{
    if (Mintage == 0)
        return QString();
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString text;
    if (Mintage > 0) {
        text = locale.toString(static_cast<qint64>(Mintage));
    } else {
        // A stored negative mintage counts tens of millions.
        const double billions = static_cast<double>(-static_cast<qint64>(Mintage)) / 100.0;
        const QString dp = locale.decimalPoint();
        text = FormatFloatPattern(QStringLiteral("0.##"), billions, dp.isEmpty() ? QLatin1Char('.') : dp[0]) +
               QStringLiteral(" Billion");
    }
    if (Approx)
        text.prepend(QLatin1Char('~'));
    return text;
}


bool GradeModifierAfter(const QString &a, const QString &b)
{
    const QString ua = a.trimmed().toUpper();
    const QString ub = b.trimmed().toUpper();
    static const QString dmpl = QStringLiteral("DMPL");
    static const QString pl = QStringLiteral("PL");
    if (ua == dmpl && ub == pl)
        return true;
    if (ua == pl && ub == dmpl)
        return false;
    return QString::compare(ua, ub, Qt::CaseSensitive) > 0;
}

namespace {

struct tSortItem {
    std::unique_ptr<tPriceInfo> Entry;
    QString SortVariety;  // computed once: the comparisons run many times
};

bool SameRunKey(const tSortItem &a, const tSortItem &b)
{
    return a.Entry->Year == b.Entry->Year && a.Entry->Mint == b.Entry->Mint && a.SortVariety == b.SortVariety;
}

bool MustFollow(const tSortItem &a, const tSortItem &b)
{
    const tPriceInfo &x = *a.Entry;
    const tPriceInfo &y = *b.Entry;
    if (x.Year != y.Year)
        return x.Year > y.Year;
    if (const int c = QString::compare(x.Mint, y.Mint, Qt::CaseSensitive); c != 0)
        return c > 0;
    if (const int c = QString::compare(a.SortVariety, b.SortVariety, Qt::CaseSensitive); c != 0)
        return c > 0;
    return GradeModifierAfter(x.GM, y.GM);
}

// Adjacent-exchange passes over one series run. The grade-modifier order is
// not transitive, so a library sort (which assumes a strict weak order) could
// misbehave; these passes always end and give the same result every time.
void SortSeriesRun(std::vector<tSortItem> &items, size_t from, size_t to)
{
    const size_t len = to - from;
    // The passes end after at most len of them; the cap only guards the loop.
    const size_t maxPasses = len * len + 2;
    for (size_t pass = 0; pass < maxPasses; ++pass) {
        bool exchanged = false;
        for (size_t i = from; i + 1 < to; ++i) {
            if (MustFollow(items[i], items[i + 1])) {
                std::swap(items[i], items[i + 1]);
                exchanged = true;
            }
        }
        if (!exchanged)
            break;
    }
    for (size_t i = from; i < to; ++i) {
        tPriceInfo &e = *items[i].Entry;
        const bool last = i + 1 == to || !SameRunKey(items[i], items[i + 1]);
        e.DateBits = static_cast<uint16_t>(last ? (e.DateBits | DateBitRunEnd) : (e.DateBits & ~DateBitRunEnd));
    }
}

} // namespace

void ResortPrices(tMainState &s)
{
    CurrProcGuard guard(8500);
    auto &list = s.PriceList;
    for (auto &p : list)
        p->DateBits |= DateBitRunEnd;
    if (list.size() <= 1)
        return;

    // Country groups (series number div 1000) in order of first appearance,
    // series within a group in order of first appearance, entries of a series
    // in their present order: the stable gathering, done with buckets.
    std::unordered_map<int32_t, size_t> groupRank;
    std::unordered_map<int32_t, size_t> seriesSlot;
    struct tSeries {
        size_t Group;
        size_t First;
        std::vector<size_t> Members;
    };
    std::vector<tSeries> series;
    for (size_t i = 0; i < list.size(); ++i) {
        const int32_t t = list[i]->CoinType;
        auto [it, added] = seriesSlot.emplace(t, series.size());
        if (added) {
            const auto g = groupRank.emplace(t / 1000, groupRank.size()).first->second;
            series.push_back({g, series.size(), {}});
        }
        series[it->second].Members.push_back(i);
    }
    std::vector<size_t> order(series.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return series[a].Group < series[b].Group; });

    std::vector<tSortItem> items;
    items.reserve(list.size());
    for (size_t si : order) {
        const size_t from = items.size();
        for (size_t idx : series[si].Members) {
            QString sv = UnpackVariety(list[idx]->Variety, true);
            items.push_back({std::move(list[idx]), std::move(sv)});
        }
        SortSeriesRun(items, from, items.size());
    }
    for (size_t i = 0; i < items.size(); ++i)
        list[i] = std::move(items[i].Entry);
    PriceListChanged(s);
}

bool MeasureFitsPriceFile(float v)
{
    return std::isfinite(v) && std::fabs(static_cast<double>(v)) <= MaxPriceFileMeasure;
}
