// The coin list of a large series: rebuilding it through the view filter
// and sorting it by value (one valuation per entry, then the sort), and, for
// comparison, by the locale text keys Mint and Variety. The series holds
// 20,000 of the collection's 50,000 entries; the valuation is the
// program's own, over a price list of one entry per year, mint and variety
// of the series (1,160 entries).
#include <benchmark/benchmark.h>

#include <array>

#include <QCoreApplication>
#include <QLocale>

#include "browse/coins/coingrid.h"
#include "browse/coins/coingridcells.h"
#include "support/benchsize.h"

namespace {

const int SeriesEntries = BenchSize(20000, 200);
const int OtherEntries = BenchSize(30000, 300);

struct tBench {
    tMainState s;
    static QString VarietyOf(int year, int mint) { return QStringLiteral("Variety %1").arg((year * 5 + mint) % 40); }

    tBench()
    {
        tnodeinfo *series = AddChildNode(s.EntireCollection.get(), 2001);
        AddChildNode(s.EntireCollection.get(), 2002);
        s.SelectedTreeNode = series;
        static const char *mints[] = {"P", "D", "S", "O", "CC"};
        for (int year = 1793; year <= 2024; ++year) {
            for (int m = 0; m < 5; ++m) {
                auto p = std::make_unique<tPriceInfo>();
                p->CoinType = 2001;
                p->Year = year;
                p->Mint = QLatin1String(mints[m]);
                p->Variety = VarietyOf(year, m);
                for (int g = 0; g < GradeSlots; ++g)
                    p->Value[g] = MoneyFromDouble(((year * 31 + g * 17) % 5000) / 4.0);
                p->Value[5] = -18 * MoneyScale;  // a special code here and there
                s.CurrPriceList.push_back(p.get());
                s.PriceList.push_back(std::move(p));
            }
        }
        unsigned seed = 12345;
        const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
        for (int i = 0; i < SeriesEntries + OtherEntries; ++i) {
            auto c = std::make_unique<tCoinInfo>();
            c->CoinType = i % 5 < 2 ? 2001 : 2002;
            c->Year = 1793 + static_cast<int>(next() % 232);
            const int mint = static_cast<int>(next() % 5);
            c->Mint = QLatin1String(mints[mint]);
            c->Variety = VarietyOf(c->Year, mint);
            c->Grade = static_cast<int>(next() % GradeSlots);
            c->Have = static_cast<int>(next() % 3);
            c->Need = static_cast<int>(next() % 2);
            c->BuyPrice = MoneyFromDouble((next() % 10000) / 10.0);
            s.CoinList.push_back(std::move(c));
        }
    }
};

void FilterAndSort(benchmark::State &state, std::array<int32_t, 3> keys)
{
    tBench b;
    b.s.CoinSortOrder = keys;
    for (auto _ : state) {
        ApplyViewFilter(b.s, nullptr);
        SortFolderCoins(b.s);
        benchmark::DoNotOptimize(b.s.CurrCoinList.data());
    }
    state.counters["entries"] = static_cast<double>(b.s.CurrCoinList.size());
}

void BM_FilterAndSortByValue(benchmark::State &state)
{
    FilterAndSort(state, {ColValue, NoSortKey, NoSortKey});
}
BENCHMARK(BM_FilterAndSortByValue)->Unit(benchmark::kMillisecond);

void BM_FilterAndSortByMintAndVariety(benchmark::State &state)
{
    FilterAndSort(state, {ColMint, ColVariety, ColYear});
}
BENCHMARK(BM_FilterAndSortByMintAndVariety)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
