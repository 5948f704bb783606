// "Find a catalog number" builds the list of a country's catalogue numbers
// in natural order on every change of country: 50,000 numbers of one
// country over 100 series, in price-list order (series by series, not
// sorted by number).
#include <benchmark/benchmark.h>

#include "support/benchsize.h"
#include "browse/finders/catalogkeys.h"

namespace {

constexpr int Canada = 31;
constexpr int Series = 100;

struct tBench {
    tMainState s;
    int numbers = 0;

    tBench()
    {
        tnodeinfo *country = AddChildNode(s.EntireCollection.get(), Canada * 1000);
        country->NodeMode = NodeModeCountry;
        std::vector<tnodeinfo *> series;
        for (int i = 0; i < Series; ++i)
            series.push_back(AddChildNode(country, Canada * 1000 + 1 + i));
        numbers = BenchSize(50000, 500);
        unsigned seed = 99;
        const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
        const char *const prefixes[] = {"KM# ", "KM# ", "Y# ", "X# "};
        for (int i = 0; i < numbers; ++i) {
            auto p = std::make_unique<tPriceInfo>();
            p->CoinType = series[static_cast<size_t>(i * Series / numbers)]->CoinType;
            // Unique numbers, scattered: the list must sort them.
            p->Catalog = QString::fromLatin1(prefixes[next() % 4]) + QString::number((i * 7919) % numbers + 1) +
                         (i % 3 == 0 ? QStringLiteral("a") : QString());
            s.PriceList.push_back(std::move(p));
        }
    }
};

void BM_CountryCatalogueList(benchmark::State &state)
{
    static tBench b;
    tKMList list;
    for (auto _ : state) {
        BuildCountryKMList(b.s, list, Canada);
        benchmark::DoNotOptimize(list.Count());
    }
    // Each number belongs to one series: no key repeats.
    if (list.Count() != b.numbers)
        state.SkipWithError("the list lost numbers");
    state.counters["numbers"] = list.Count();
}
BENCHMARK(BM_CountryCatalogueList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
