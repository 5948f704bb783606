// Statistics of a 50,000-entry collection over 300,000 price entries: the
// snapshot the window thread takes, and the run on it.
#include <benchmark/benchmark.h>

#include <random>

#include "core/model/seriestree.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/statistics/statistics.h"
#include "pricing/valuation/valuation.h"
#include "support/benchsize.h"

namespace {

const int TotalEntries = BenchSize(300000, 3000);
const int SeriesPerCountry = BenchSize(200, 10);
const int Coins = BenchSize(50000, 500);
const int Countries[] = {0, 160, 262, 163, 9, 2, 431, 413, 422, 427, 8, 6, 40, 252, 460, 14, 12, 477};
constexpr int CountryCount = int(std::size(Countries));

struct tCollection {
    tMainState s;
    std::vector<tnodeinfo *> series;

    tCollection()
    {
        LoadForexList(s);
        s.MetalValues = {25 * MoneyScale, 2000 * MoneyScale, 900 * MoneyScale, 950 * MoneyScale};
        std::mt19937 rng(7);
        const int perSeries = TotalEntries / (CountryCount * SeriesPerCountry) + 1;
        int made = 0;
        for (int c : Countries) {
            tnodeinfo *country = AddChildNode(s.EntireCollection.get(), c * 1000 + 99);
            for (int i = 0; i < SeriesPerCountry; ++i) {
                tnodeinfo *node = AddChildNode(country, c * 1000 + 100 + i);
                node->FaceValueCode = "USD";
                node->FaceValueAmount = 0.25f;
                node->CoinShape = i % 10 == 0 ? PaperMoneyShape : 0;
                series.push_back(node);
                for (int k = 0; k < perSeries && made < TotalEntries; ++k, ++made) {
                    auto e = std::make_unique<tPriceInfo>();
                    e->CoinType = node->CoinType;
                    e->Year = 1900 + k / 3;
                    e->Mint = QString("PDS").mid(k % 3, 1);
                    if (k % 5 == 0)
                        e->Variety = "Doubled die";
                    e->GM = k % 11 == 0 ? "PL" : "";
                    e->Catalog = QStringLiteral("KM# %1").arg(i);
                    e->Metal = static_cast<uint8_t>(k % 4 == 0 ? 1 : 0);
                    e->Content = 0.7734f;
                    e->Weight = 26.73f;
                    for (int g = 0; g < GradeSlots; ++g)
                        e->Value[size_t(g)] = (g + 1) * 1000 * MoneyScale / 10 + Money(rng() % 10000);
                    s.PriceList.push_back(std::move(e));
                }
            }
        }
        PriceListChanged(s);
        // Entered series by series, as collections are; one in ten has no
        // price entry.
        std::vector<const tPriceInfo *> picks;
        for (int i = 0; i < Coins; ++i)
            picks.push_back(s.PriceList[rng() % s.PriceList.size()].get());
        std::stable_sort(picks.begin(), picks.end(),
                         [](const tPriceInfo *a, const tPriceInfo *b) { return a->CoinType < b->CoinType; });
        for (size_t i = 0; i < picks.size(); ++i) {
            const tPriceInfo &p = *picks[i];
            auto c = std::make_unique<tCoinInfo>();
            c->CoinType = p.CoinType;
            c->Folder = CoinTypeToNodeInfo(s, p.CoinType);
            c->Year = p.Year + (i % 10 == 0 ? 1000 : 0);
            c->Mint = p.Mint;
            c->Variety = p.Variety;
            c->GM = p.GM;
            c->Grade = int(rng() % GradeSlots);
            c->Have = int(rng() % 3);
            c->Need = int(rng() % 2);
            c->BuyPrice = Money(rng() % 1000000);
            s.CoinList.push_back(std::move(c));
        }
    }
};

tCollection &Collection()
{
    static tCollection c;
    return c;
}

void BM_StatisticsWholeTree(benchmark::State &state)
{
    tCollection &c = Collection();
    tTotaler t;
    for (auto _ : state) {
        const auto snap = TakeStatsSnapshot(c.s, c.s.EntireCollection.get());
        t = CalcStatistics(*snap);
        benchmark::DoNotOptimize(StatsTexts(*snap, t));
    }
    state.counters["coins"] = double(t.TotalCoinEntries + t.TotalNoteEntries);
    state.counters["varieties"] = double(t.totalVarieties);
}
BENCHMARK(BM_StatisticsWholeTree)->Unit(benchmark::kMillisecond);

// The two halves apart: what the window thread spends, what the worker does.
void BM_StatisticsSnapshotOnly(benchmark::State &state)
{
    tCollection &c = Collection();
    for (auto _ : state)
        benchmark::DoNotOptimize(TakeStatsSnapshot(c.s, c.s.EntireCollection.get()));
}
BENCHMARK(BM_StatisticsSnapshotOnly)->Unit(benchmark::kMillisecond);

void BM_StatisticsRunOnly(benchmark::State &state)
{
    tCollection &c = Collection();
    const auto snap = TakeStatsSnapshot(c.s, c.s.EntireCollection.get());
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcStatistics(*snap));
}
BENCHMARK(BM_StatisticsRunOnly)->Unit(benchmark::kMillisecond);

// One series, as most selections are.
void BM_StatisticsOneSeries(benchmark::State &state)
{
    tCollection &c = Collection();
    const tnodeinfo *node = c.series[c.series.size() / 2];
    for (auto _ : state) {
        const auto snap = TakeStatsSnapshot(c.s, node);
        benchmark::DoNotOptimize(CalcStatistics(*snap));
    }
}
BENCHMARK(BM_StatisticsOneSeries)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
