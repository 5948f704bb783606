// Price lists at catalogue scale: 18 country blocks holding 300,000 price
// entries, loaded from and saved to disk, re-sorted, and a 50,000-entry
// collection valued against them.
#include <benchmark/benchmark.h>

#include <random>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "core/model/dates.h"
#include "core/model/seriestree.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"
#include "support/benchsize.h"

namespace {

const int TotalEntries = BenchSize(300000, 3000);
const int SeriesPerCountry = BenchSize(200, 10);
const int Coins = BenchSize(50000, 500);
const int Countries[] = {0, 160, 262, 163, 9, 2, 431, 413, 422, 427, 8, 6, 40, 252, 460, 14, 12, 477};
constexpr int CountryCount = int(std::size(Countries));

Money SplitCode(int percent) { return ValueCodeToMoney(CodeSplit0 + percent / 10); }

// A tree with 18 countries of 200 series each and their price files on disk.
struct tCatalogue {
    QTemporaryDir dir;
    tMainState s;

    tCatalogue()
    {
        QDir(dir.path()).mkpath("Prices");
        s.PricesRedirect = dir.path() + "/Prices/";
        auto usd = std::make_unique<tForex>();
        usd->Code = "USD";
        usd->Rate = 1;
        s.ForexList.push_back(std::move(usd));
        s.MetalValues = {25 * MoneyScale, 2000 * MoneyScale, 0, 0};
        std::mt19937 rng(7);
        const int perSeries = TotalEntries / (CountryCount * SeriesPerCountry) + 1;
        int made = 0;
        for (int c : Countries) {
            auto info = std::make_unique<tCountryInfo>();
            info->Name = QStringLiteral("Country %1").arg(c);
            info->CountryID = c;
            s.CountryList.push_back(std::move(info));
            tnodeinfo *country = AddChildNode(s.EntireCollection.get(), c * 1000 + 99);
            for (int i = 0; i < SeriesPerCountry; ++i) {
                tnodeinfo *series = AddChildNode(country, c * 1000 + 100 + i);
                series->FaceValueCode = "USD";
                series->FaceValueAmount = 0.25f;
                for (int k = 0; k < perSeries && made < TotalEntries; ++k, ++made) {
                    auto e = std::make_unique<tPriceInfo>();
                    e->CoinType = series->CoinType;
                    e->Year = 1900 + k / 3;
                    e->Mint = QString("PDS").mid(k % 3, 1);
                    if (k % 17 == 0)
                        e->Variety = "Type " + VarietyDateToken + QString::number(30000 + k);
                    else if (k % 5 == 0)
                        e->Variety = "Doubled die";
                    e->GM = k % 11 == 0 ? "PL" : "";
                    e->Catalog = QStringLiteral("KM# %1").arg(i);
                    e->Metal = static_cast<uint8_t>(k % 4 == 0 ? 1 : 0);
                    e->Content = 0.7734f;
                    e->Weight = 26.73f;
                    for (int g = 0; g < GradeSlots; ++g)
                        e->Value[size_t(g)] = (g + 1) * 1000 * MoneyScale / 10 + Money(rng() % 10000);
                    for (int g : {4, 9, 14})
                        e->Value[size_t(g)] = SplitCode(int(rng() % 11) * 10);
                    s.PriceList.push_back(std::move(e));
                }
            }
            s.PricesModifiedArray[size_t(c)] = true;
        }
        SavePricesToFile(s);
        Unload();
    }
    void Unload()
    {
        s.PriceList.clear();
        PriceListChanged(s);
    }
};

tCatalogue &Catalogue()
{
    static tCatalogue c;
    return c;
}

// The catalogue with its price lists in memory.
tCatalogue &LoadedCatalogue()
{
    tCatalogue &c = Catalogue();
    if (c.s.PriceList.empty())
        LoadPricesFromFile(c.s);
    return c;
}

void BM_LoadPrices(benchmark::State &state)
{
    tCatalogue &c = Catalogue();
    for (auto _ : state) {
        state.PauseTiming();
        c.Unload();
        state.ResumeTiming();
        LoadPricesFromFile(c.s);
    }
    state.counters["entries"] = double(c.s.PriceList.size());
}
BENCHMARK(BM_LoadPrices)->Unit(benchmark::kMillisecond);

void BM_SavePrices(benchmark::State &state)
{
    tCatalogue &c = LoadedCatalogue();
    for (auto _ : state) {
        for (int k : Countries)
            c.s.PricesModifiedArray[size_t(k)] = true;
        SavePricesToFile(c.s);
    }
}
BENCHMARK(BM_SavePrices)->Unit(benchmark::kMillisecond);

void BM_ResortPrices(benchmark::State &state)
{
    tCatalogue &c = LoadedCatalogue();
    for (auto _ : state)
        ResortPrices(c.s);
}
BENCHMARK(BM_ResortPrices)->Unit(benchmark::kMillisecond);

// After editing: 500 new entries appended at the end of the list, each of
// which must be gathered to its series and walked into place.
void BM_ResortAfterEdits(benchmark::State &state)
{
    tCatalogue &c = LoadedCatalogue();
    std::mt19937 rng(11);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 500; ++i) {
            auto e = std::make_unique<tPriceInfo>(*c.s.PriceList[rng() % c.s.PriceList.size()]);
            e->Year -= 1;
            e->tag = 1;
            c.s.PriceList.push_back(std::move(e));
        }
        state.ResumeTiming();
        ResortPrices(c.s);
        state.PauseTiming();
        RemovePriceEntries(c.s, [](const tPriceInfo &p) { return p.tag == 1; });
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ResortAfterEdits)->Unit(benchmark::kMillisecond);

struct tCollection {
    std::vector<tCoinInfo> coins;
};

// Collections are entered series by series, so a collection's entries are
// grouped by series; grouped = false scatters them over the catalogue.
tCollection MakeCollection(tMainState &s, bool grouped)
{
    std::mt19937 rng(3);
    tCollection col;
    col.coins.reserve(Coins);
    for (int i = 0; i < Coins; ++i) {
        const tPriceInfo &p = *s.PriceList[rng() % s.PriceList.size()];
        tCoinInfo c;
        c.CoinType = p.CoinType;
        c.Folder = p.Folder;
        c.Year = p.Year;
        c.Mint = p.Mint;
        c.Variety = UnpackVariety(p.Variety, false);
        c.GM = p.GM;
        c.Grade = int(rng() % GradeSlots);
        if (i % 10 == 0)
            c.Year += 1000;  // no price entry
        col.coins.push_back(std::move(c));
    }
    if (grouped)
        std::stable_sort(col.coins.begin(), col.coins.end(),
                         [](const tCoinInfo &a, const tCoinInfo &b) { return a.CoinType < b.CoinType; });
    return col;
}

void BM_ValueCollection(benchmark::State &state)
{
    tCatalogue &c = LoadedCatalogue();
    const tCollection col = MakeCollection(c.s, state.range(0) != 0);
    Money total = 0;
    Money v = 0;
    GetCoinValue(c.s, col.coins[0], v, false, false);  // the series index is built once
    for (auto _ : state) {
        total = 0;
        for (const tCoinInfo &coin : col.coins) {
            GetCoinValue(c.s, coin, v, false, false);
            total += v;
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["coins"] = Coins;
}
BENCHMARK(BM_ValueCollection)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The first valuation after the list changed rebuilds the series index.
void BM_ValueCollectionAfterChange(benchmark::State &state)
{
    tCatalogue &c = LoadedCatalogue();
    const tCollection col = MakeCollection(c.s, true);
    Money v = 0;
    for (auto _ : state) {
        PriceListChanged(c.s);
        for (const tCoinInfo &coin : col.coins)
            GetCoinValue(c.s, coin, v, false, false);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_ValueCollectionAfterChange)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
