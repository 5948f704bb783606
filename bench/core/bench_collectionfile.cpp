// Writing and reading a large collection: 50,000 entries in 5,000 series
// (50 countries of 100 series each, 10 entries to a series), every entry with the text fields a
// collector typically fills in.
//
// Peak memory of a read alone:
//   /usr/bin/time -v bench/bench_collectionfile --benchmark_filter=Load
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/collectionfile.h"
#include "core/collectionsettings.h"
#include "core/mainstate.h"

namespace {

constexpr int Countries = 50;
constexpr int SeriesPerCountry = 100;
constexpr int EntriesPerSeries = 10;

void BuildLargeCollection(tMainState &s)
{
    SetDefaultThemeNames(s);
    ClearStoredBox(s);
    ClearGradedByBox(s);
    s.ColumnLayout = QStringLiteral("0,75,1,54,2,64,3,64,4,132,5,75,6,75");
    for (int f = 0; f < 4; ++f) {
        auto field = std::make_unique<tUDFfield>();
        field->ID = f + 1;
        field->FieldType = f;
        field->FieldLabel = QStringLiteral("Field %1").arg(f + 1);
        s.UDFlist.push_back(std::move(field));
    }
    int32_t item = 0;
    for (int c = 0; c < Countries; ++c) {
        const int country = 100 + c;
        tnodeinfo *top = AddChildNode(s.EntireCollection.get(), country * 1000);
        top->NodeName = QStringLiteral("Country %1").arg(country);
        top->NodeMode = NodeModeCountry;
        for (int k = 1; k <= SeriesPerCountry; ++k) {
            tnodeinfo *n = AddChildNode(top, country * 1000 + k);
            n->NodeName = QStringLiteral("%1 cents, 1950 to date, type %2").arg(k).arg(c);
            n->FaceValueCode = QStringLiteral("USD");
            n->FaceValueAmount = k / 100.0f;
            n->Measure1 = 19.05f;
            n->Obverse = QStringLiteral("~obverse%1.jpg").arg(k);
            n->Reverse = QStringLiteral("~reverse%1.jpg").arg(k);
            n->UpdateOK = true;
            for (int e = 0; e < EntriesPerSeries; ++e) {
                auto coin = std::make_unique<tCoinInfo>();
                coin->CoinType = n->CoinType;
                coin->Folder = n;
                coin->Year = 1950 + e;
                coin->Mint = e % 2 ? QStringLiteral("D") : QStringLiteral("P");
                coin->Variety = QStringLiteral("Doubled die obverse");
                coin->Grade = 20 + e;
                coin->Have = 1;
                coin->Gradedby = QStringLiteral("PCGS");
                coin->Stored = QStringLiteral("Album");
                coin->BuyDate = 40000 + e;
                coin->BuyPrice = MoneyFromDouble(12.5 + e);
                coin->Notes = QStringLiteral("Bought at the spring show from a dealer; slight toning.");
                coin->Obverse = QStringLiteral("R~photos/%1-obv.jpg").arg(item);
                coin->Reverse = QStringLiteral("R~photos/%1-rev.jpg").arg(item);
                coin->UDFstring = QStringLiteral("%1,Show,T,12.50").arg(item);
                coin->Inventory = ++item;
                s.CoinList.push_back(std::move(coin));
            }
        }
    }
    s.MaxInventory = item;
}

struct tLargeFile {
    QTemporaryDir Dir;
    QString Path;
    qint64 Size = 0;
    tLargeFile()
    {
        tMainState s;
        BuildLargeCollection(s);
        Path = Dir.filePath(QStringLiteral("large.OVD"));
        SaveCollectionFile(s, Path);
        Size = QFile(Path).size();
    }
};

tLargeFile &LargeFile()
{
    static tLargeFile file;
    return file;
}

void BM_WriteCollectionFile(benchmark::State &state)
{
    tMainState s;
    BuildLargeCollection(s);
    QTemporaryDir dir;
    QFile out(dir.filePath(QStringLiteral("write.OVD")));
    if (!out.open(QIODevice::ReadWrite)) {
        state.SkipWithError("cannot create the output file");
        return;
    }
    for (auto _ : state)
        WriteCollectionFile(s, out);
    state.SetBytesProcessed(state.iterations() * out.size());
}
BENCHMARK(BM_WriteCollectionFile)->Unit(benchmark::kMillisecond);

// The whole save as the program does it: temporary file, then rename.
void BM_SaveCollectionFile(benchmark::State &state)
{
    tMainState s;
    BuildLargeCollection(s);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("save.OVD"));
    for (auto _ : state)
        SaveCollectionFile(s, path);
}
BENCHMARK(BM_SaveCollectionFile)->Unit(benchmark::kMillisecond);

void BM_LoadDataFromFile(benchmark::State &state)
{
    tLargeFile &file = LargeFile();
    tMainState s;
    for (auto _ : state) {
        if (!LoadDataFromFile(s, file.Path, false)) {
            state.SkipWithError("the collection did not load");
            return;
        }
    }
    if (s.CoinList.size() != 50000) {
        state.SkipWithError("the collection did not load whole");
        return;
    }
    state.SetBytesProcessed(state.iterations() * file.Size);
    state.counters["entries"] = static_cast<double>(s.CoinList.size());
}
BENCHMARK(BM_LoadDataFromFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
