// Loading the settings file: a Settings.ini of 50,000 values (a store grown
// by other programs' values and long histories) read once and every value
// looked up by name, as the start-up does for its own values.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/settingsstore.h"
#include "support/benchsize.h"

namespace {

void BM_LoadSettings(benchmark::State &state)
{
    const int count = BenchSize(50000, 500);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    QByteArray text = "[Coins]\n";
    for (int i = 0; i < count; ++i)
        text += "Value number " + QByteArray::number(i) + "=str:\"some text " + QByteArray::number(i) + "\"\n";
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
            state.SkipWithError("cannot write the settings file");
            return;
        }
    }
    for (auto _ : state) {
        platform::FileSettingsStore store(path);
        int found = 0;
        for (int i = 0; i < count; i += 97)
            found += store.read(QStringLiteral("VALUE NUMBER %1").arg(i)).has_value();
        benchmark::DoNotOptimize(found);
        if (found != (count + 96) / 97) {
            state.SkipWithError("a value was not found");
            return;
        }
    }
    state.counters["values"] = count;
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
