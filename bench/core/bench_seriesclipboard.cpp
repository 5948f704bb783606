// "Paste from clipboard" of a large copy: a country with 2,000 series and
// 50,000 entries, pasted into an empty collection (every series is new)
// and into the collection it came from (every series exists, every item
// number is taken and handed out afresh).
#include <benchmark/benchmark.h>

#include "support/benchsize.h"
#include "core/collection/seriesclipboard.h"

namespace {

constexpr int Canada = 31;

// Fills s with the country, its series and the entries.
void Fill(tMainState &s, int series, int entries)
{
    tnodeinfo *country = AddChildNode(s.EntireCollection.get(), Canada * 1000);
    country->NodeName = QStringLiteral("Canada");
    std::vector<tnodeinfo *> nodes;
    for (int i = 0; i < series; ++i) {
        // Two levels, as catalogue countries have.
        tnodeinfo *parent = i % 20 == 0 || nodes.empty() ? country : nodes[static_cast<size_t>(i / 20 * 20)];
        tnodeinfo *n = AddChildNode(parent, Canada * 1000 + 1 + i);
        n->NodeName = QStringLiteral("Series %1").arg(i);
        nodes.push_back(n);
    }
    for (int i = 0; i < entries; ++i) {
        auto c = std::make_unique<tCoinInfo>();
        tnodeinfo *n = nodes[static_cast<size_t>(i % series)];
        c->Folder = n;
        c->CoinType = n->CoinType;
        c->Year = 1900 + i % 100;
        c->Have = 1;
        c->Inventory = i + 1;
        s.CoinList.push_back(std::move(c));
    }
    s.MaxInventory = entries;
}

struct tBench {
    tMainState source;
    tSeriesClipboard clip;
    int series = 0;
    int entries = 0;

    tBench()
    {
        series = BenchSize(2000, 40);
        entries = BenchSize(50000, 1000);
        Fill(source, series, entries);
        CopyFolderToClipboard(source, clip, source.EntireCollection->ChildNodes.front().get());
    }
};

tBench &Shared()
{
    static tBench b;
    return b;
}

void BM_PasteIntoEmptyCollection(benchmark::State &state)
{
    tBench &b = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<tMainState>();
        state.ResumeTiming();
        PasteFromClipboard(*target, b.clip);
        state.PauseTiming();
        if (static_cast<int>(target->CoinList.size()) != b.entries)
            state.SkipWithError("entries were lost");
        target.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteIntoEmptyCollection)->Unit(benchmark::kMillisecond);

void BM_PasteIntoTheSameCollection(benchmark::State &state)
{
    tBench &b = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<tMainState>();
        Fill(*target, b.series, b.entries);
        state.ResumeTiming();
        PasteFromClipboard(*target, b.clip);
        state.PauseTiming();
        if (static_cast<int>(target->CoinList.size()) != 2 * b.entries ||
            target->CoinList.back()->Inventory != 2 * b.entries)
            state.SkipWithError("entries were lost or numbered twice");
        target.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteIntoTheSameCollection)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
