// A text import of 50,000 lines into a collection of 200 series that
// already holds 10,000 entries: decoding, comment cutting, quoting and
// splitting, the field rules and the staging of every accepted line, with
// the price match off (the default) and on.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/collection/textimport.h"
#include "support/benchsize.h"

namespace {

constexpr int Series = 200;

struct tBench {
    QTemporaryDir dir;
    QString path;
    tMainState s;
    int lines = 0;

    explicit tBench(int lineCount) : lines(lineCount)
    {
        std::vector<tnodeinfo *> series;
        tnodeinfo *country = AddChildNode(s.EntireCollection.get(), 2);
        for (int i = 0; i < Series; ++i)
            series.push_back(AddChildNode(country, 10 + i));
        for (int i = 0; i < 10000; ++i) {
            auto c = std::make_unique<tCoinInfo>();
            c->Folder = series[static_cast<size_t>(i % Series)];
            c->CoinType = c->Folder->CoinType;
            c->Inventory = i + 1;
            s.CoinList.push_back(std::move(c));
        }
        for (int i = 0; i < Series; ++i)
            for (int year = 1900; year < 2000; ++year) {
                auto p = std::make_unique<tPriceInfo>();
                p->CoinType = 10 + i;
                p->Year = year;
                p->Mint = QStringLiteral("D");
                p->Variety = QStringLiteral("Doubled Die");
                s.PriceList.push_back(std::move(p));
            }
        static const char *grades[] = {"MS65", "xf45", "Proof65", "good", "VF-20", "12"};
        QByteArray text = "// generated import\r\n";
        for (int i = 0; i < lines; ++i) {
            text += QStringLiteral("%1,%2,%3,D,Doubled Die,%4,,PCGS,,\"$1,%5.50\",,,B,Bought at the fair,2,have,"
                                   "Some notes here,Album %6,f,obv.jpg,rev.jpg\r\n")
                        .arg(10 + i % Series)
                        .arg(20000 + i)
                        .arg(1900 + i % 100)
                        .arg(QLatin1String(grades[i % 6]))
                        .arg(i % 1000)
                        .arg(i % 7)
                        .toUtf8();
        }
        path = dir.filePath(QStringLiteral("import.csv"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
    }
};

void BM_ImportFile(benchmark::State &state)
{
    tBench b(BenchSize(50000, 200));
    const bool matchPrices = state.range(0) != 0;
    for (auto _ : state) {
        tTextImport run(b.s, 0, matchPrices);
        ImportFile(b.path, run);
        if (run.Imported != b.lines) {
            state.SkipWithError("not every line was imported");
            return;
        }
        benchmark::DoNotOptimize(run.ImportList.data());
    }
    state.counters["lines"] = b.lines;
}
BENCHMARK(BM_ImportFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
