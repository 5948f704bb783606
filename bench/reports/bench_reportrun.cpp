// Preparing the coin inventory over a collection of 10,000 entries: building
// and sorting the rows and laying out the pages.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <set>

#include <QFile>

#include "core/model/mainstate.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/valuation.h"
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

// Every money field of a coin row converted into euros, plain and written
// in the euro's style, with a subtotal per series and a grand total.
const char *const ConvertedTemplate = R"(<?xml version="1.0" encoding="UTF-8"?>
<OrvantaReport version="1" title="Coins in euros">
  <Band kind="GroupHeader" height="6" condition='[Coins."Series path"]'><Text w="180" h="6">[Coins."Series path"]</Text></Band>
  <Band kind="MasterData" dataset="Coins" height="5">
    <Text x="0" w="10" h="5">[Coins."Year &amp; Mint"]</Text>
    <Text x="10" w="15" h="5">[Coins."Value/EUR"]</Text>
    <Text x="25" w="15" h="5">[Coins."Value ($£€¥)/EUR"]</Text>
    <Text x="40" w="15" h="5">[Coins."Value extended ($£€¥)/EUR"]</Text>
    <Text x="55" w="15" h="5">[Coins."Purchase price ($£€¥)/EUR"]</Text>
    <Text x="70" w="15" h="5">[Coins."Purchase price extended/EUR"]</Text>
    <Text x="85" w="15" h="5">[Coins."Sell price ($£€¥)/EUR"]</Text>
    <Text x="100" w="15" h="5">[Coins."Sell price extended/EUR"]</Text>
    <Text x="115" w="15" h="5">[Coins."Change ($£€¥)/EUR"]</Text>
    <Text x="130" w="15" h="5">[Coins."Change extended/EUR"]</Text>
    <Text x="145" w="15" h="5">[Coins."Melt value/EUR"]</Text>
    <Text x="160" w="15" h="5">[Coins."Value MS-65 ($£€¥)/EUR"]</Text>
  </Band>
  <Band kind="GroupFooter" height="5"><Text w="180" h="5">[SUM(Coins."Value extended/EUR")]</Text></Band>
  <Band kind="Summary" height="5"><Text w="180" h="5">[COUNT(Coins)] [SUM(Coins."Value extended/EUR")]</Text></Band>
</OrvantaReport>)";

void BM_CoinValuesInAnotherCurrency10000(benchmark::State &state)
{
    tBenchCollection c;
    tMainState &s = c.S;
    LoadForexList(s);
    s.ForexList[EurForexIndex]->Rate = 0.92f;
    s.MetalValues = {245000, 19500000, 9800000, 9100000};
    // A price entry for every year and mint the coins have, silver in part.
    std::set<std::tuple<int, int, QString>> made;
    for (const auto &coin : s.CoinList) {
        if (!made.insert({coin->CoinType, coin->Year, coin->Mint}).second)
            continue;
        auto p = std::make_unique<tPriceInfo>();
        p->CoinType = coin->CoinType;
        p->Year = coin->Year;
        p->Mint = coin->Mint;
        p->Folder = coin->Folder;
        p->Metal = coin->Year % 2 ? 1 : 0;
        p->Content = 0.7734f;
        for (int g = 0; g < GradeSlots; ++g)
            p->Value[static_cast<size_t>(g)] = 10000 * (g + 1) + coin->Year;
        s.PriceList.push_back(std::move(p));
    }
    PriceListChanged(s);
    QFile f(c.Dir.filePath(QStringLiteral("Coins in euros.FR3")));
    f.open(QIODevice::WriteOnly);
    f.write(ConvertedTemplate);
    f.close();
    tParamInfo params = c.Inventory;
    params.StreamName = QStringLiteral("Coins in euros.FrF");
    params.QuantityFilter = 0;
    tReportRunner runner(s);
    int pages = 0;
    for (auto _ : state) {
        for (auto &coin : s.CoinList)
            coin->PriceInfo = nullptr;  // each run looks the entries up afresh
        runner.Run(params, c.Dir.path());
        pages = runner.Engine.PageCount();
    }
    const QStringList last = runner.Engine.Prepared()->PageTexts(pages - 1);
    if (last.isEmpty() || !last.last().startsWith(QString::number(s.CoinList.size()) + QLatin1Char(' ')))
        state.SkipWithError("the summary does not count every coin");
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CoinValuesInAnotherCurrency10000)->Unit(benchmark::kMillisecond);

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
