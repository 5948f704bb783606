// Search and track re-evaluates the whole collection at every keystroke.
// Three ticked criteria (a value range, a wildcard comment pattern and a
// purchase-date range) over 50,000 entries in 100 series, valued by the
// real valuation against 10,000 price entries: the first run looks every
// entry's price row up, later runs (the keystrokes) use the window's cache.
#include <benchmark/benchmark.h>

#include "support/benchsize.h"
#include "core/model/dates.h"
#include "browse/finders/trackcriteria.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"

namespace {

constexpr int Entries = 50000;
constexpr int Series = 100;

struct tBench {
    tMainState s;
    tTrackCriteria criteria;

    tBench()
    {
        std::vector<tnodeinfo *> series;
        for (int i = 0; i < Series; ++i)
            series.push_back(AddChildNode(s.EntireCollection.get(), 2001 + i));
        for (int i = 0; i < Series; ++i) {
            for (int year = 1900; year < 2000; ++year) {
                auto p = std::make_unique<tPriceInfo>();
                p->CoinType = 2001 + i;
                p->Year = year;
                for (int g = 0; g < GradeSlots; ++g)
                    p->Value[static_cast<size_t>(g)] = MoneyFromDouble((year % 50 + 1) * (g + 1) / 2.0);
                s.PriceList.push_back(std::move(p));
            }
        }
        PriceListChanged(s);
        static const char *comments[] = {"A dusty day", "bright", "DAY", "Doubled die", "", "toned", "DY"};
        unsigned seed = 4242;
        const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
        const int firstDay = DateToDay(QDate(2000, 1, 1));
        for (int i = 0; i < Entries; ++i) {
            auto c = std::make_unique<tCoinInfo>();
            tnodeinfo *n = series[next() % Series];
            c->Folder = n;
            c->CoinType = n->CoinType;
            c->Year = 1900 + static_cast<int>(next() % 100);
            c->Grade = static_cast<int>(next() % GradeSlots);
            c->Comment = QString::fromLatin1(comments[next() % 7]);
            c->BuyDate = firstDay + static_cast<int>(next() % 7000);
            c->Inventory = i + 1;
            s.CoinList.push_back(std::move(c));
        }
        criteria.Value = tTrackRange{QStringLiteral("10"), QStringLiteral("500")};
        criteria.Comment = QStringLiteral("D*Y");
        criteria.BuyDate = std::pair{firstDay + 1000, firstDay + 5000};
    }
};

tBench &Shared()
{
    static tBench b;
    return b;
}

void BM_TrackFirstEvaluation(benchmark::State &state)
{
    tBench &b = Shared();
    tTrackCounts counts;
    for (auto _ : state) {
        tPriceRowCache cache;
        counts = EvaluateTracks(b.s, b.criteria, b.s.EntireCollection.get(), false, false, cache);
        benchmark::DoNotOptimize(counts);
    }
    state.counters["matching"] = counts.UntrackedMatching;
}
BENCHMARK(BM_TrackFirstEvaluation)->Unit(benchmark::kMillisecond);

void BM_TrackKeystroke(benchmark::State &state)
{
    tBench &b = Shared();
    tPriceRowCache cache;
    EvaluateTracks(b.s, b.criteria, b.s.EntireCollection.get(), false, false, cache);
    tTrackCounts counts;
    for (auto _ : state) {
        counts = EvaluateTracks(b.s, b.criteria, b.s.EntireCollection.get(), false, false, cache);
        benchmark::DoNotOptimize(counts);
    }
    state.counters["matching"] = counts.UntrackedMatching;
}
BENCHMARK(BM_TrackKeystroke)->Unit(benchmark::kMillisecond);

// A notes pattern that takes a backtracking matcher exponential time:
// *a*a*a*a*a*a*a*a*b over 250-character notes full of "a", a tenth of
// them ending in "b".
struct tNotesBench {
    tMainState s;
    tTrackCriteria criteria;
    int expected = 0;

    tNotesBench()
    {
        tnodeinfo *series = AddChildNode(s.EntireCollection.get(), 2001);
        unsigned seed = 77;
        const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
        const int entries = BenchSize(Entries, 500);
        for (int i = 0; i < entries; ++i) {
            auto c = std::make_unique<tCoinInfo>();
            c->Folder = series;
            c->CoinType = series->CoinType;
            c->Inventory = i + 1;
            QString notes(250, QLatin1Char('a'));
            for (int k = 0; k < 250; k += 1 + static_cast<int>(next() % 3))
                notes[k] = QLatin1Char("ac e"[next() % 4]);
            if (i % 10 == 0) {
                notes[249] = QLatin1Char('b');
                ++expected;
            }
            c->Notes = notes;
            s.CoinList.push_back(std::move(c));
        }
        criteria.Notes = QStringLiteral("*a*a*a*a*a*a*a*a*b");
    }
};

void BM_TrackNotesWildcard(benchmark::State &state)
{
    static tNotesBench b;
    tPriceRowCache cache;
    tTrackCounts counts;
    for (auto _ : state) {
        counts = EvaluateTracks(b.s, b.criteria, b.s.EntireCollection.get(), false, false, cache);
        benchmark::DoNotOptimize(counts);
    }
    if (counts.UntrackedMatching != b.expected)
        state.SkipWithError("wrong number of matching notes");
    state.counters["matching"] = counts.UntrackedMatching;
}
BENCHMARK(BM_TrackNotesWildcard)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
