// Preparing the coin inventory over a collection of 10,000 entries: building
// and sorting the rows and laying out the pages.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "core/model/mainstate.h"
#include "reports/run/reportlist.h"
#include "reports/run/reportrun.h"
#include "reports/run/starterreports.h"
#include "support/benchsize.h"

namespace {

struct tBenchCollection {
    tMainState S;
    QTemporaryDir Dir;
    tParamInfo Inventory;

    tBenchCollection()
    {
        tnodeinfo *country = AddChildNode(S.EntireCollection.get(), 100);
        country->NodeName = QStringLiteral("Country");
        country->NodeMode = NodeModeCountry;
        std::vector<tnodeinfo *> series;
        for (int i = 0; i < 50; ++i) {
            tnodeinfo *n = AddChildNode(country, 101 + i);
            n->NodeName = QStringLiteral("Series %1").arg(i);
            series.push_back(n);
        }
        const int entries = BenchSize(10000, 200);
        for (int i = 0; i < entries; ++i) {
            auto c = std::make_unique<tCoinInfo>();
            c->Folder = series[static_cast<size_t>((i * 7) % 50)];
            c->CoinType = c->Folder->CoinType;
            c->Year = 1800 + (i * 37) % 220;
            c->Mint = QString(QChar(u"PDSO"[i % 4]));
            c->Variety = i % 9 ? QString() : QStringLiteral("Doubled die");
            c->Grade = i % 41;
            c->Have = 1 + i % 3;
            c->Inventory = i + 1;
            c->BuyPrice = 1000 * (i % 500);
            S.CoinList.push_back(std::move(c));
        }
        InstallStarterReports(Dir.path());
        tReportList list;
        QString def = QStringLiteral("Coin inventory");
        LoadReportList(list, Dir.path(), {}, def);
        Inventory = *list.SelectedParams();
    }
};

void BM_CoinInventory10000(benchmark::State &state)
{
    tBenchCollection c;
    tReportRunner runner(c.S);
    int pages = 0;
    for (auto _ : state) {
        runner.Run(c.Inventory, c.Dir.path());
        pages = runner.Engine.PageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CoinInventory10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
