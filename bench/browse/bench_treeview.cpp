// Repainting the series tree: flattening a fully expanded tree of 5,000
// series, binding and filling the rows, and painting them into an image of
// a large tree area.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "browse/tree/treeview.h"
#include "browse/tree/ui/seriestreeview.h"
#include "support/benchsize.h"

namespace {

constexpr int Width = 940;
constexpr int Height = 960;

// 50 countries x 9 groups x 10 series: 5,000 series, all expanded.
void BuildBigTree(tMainState &s)
{
    s.EntireCollection->Expanded = true;
    int number = 2;
    const int countries = BenchSize(50, 2);
    for (int c = 0; c < countries; ++c) {
        tnodeinfo *country = AddChildNode(s.EntireCollection.get(), c * 1000 + number++);
        country->NodeName = QStringLiteral("Country number %1").arg(c);
        country->Expanded = true;
        country->FontCode = 0x10;
        for (int g = 0; g < 9; ++g) {
            tnodeinfo *group = AddChildNode(country, c * 1000 + number++);
            group->NodeName = QStringLiteral("Denomination group %1 of country %2").arg(g).arg(c);
            group->Expanded = true;
            for (int l = 0; l < 10; ++l) {
                tnodeinfo *leaf = AddChildNode(group, c * 1000 + number++);
                leaf->NodeName = QStringLiteral("A fairly long series name for design %1, type %2").arg(g).arg(l);
                leaf->DateRangeMin = 1850 + l;
                leaf->DateRangeMax = 1900 + g;
                leaf->EntryCount = l;
                leaf->GlyphStats = static_cast<uint16_t>(l == 3 ? GlyphAdded : 0);
                leaf->MoveOK = l != 5;
                leaf->UpdateOK = true;
            }
        }
    }
    s.StatusIcons = true;
}

struct tBench {
    tMainState s;
    tSeriesTree t{s};
    tBench()
    {
        BuildBigTree(s);
        t.SetLayoutSize(Width, Height);
        t.BuildNodePorts();
    }
};

void BM_CalcAndRender(benchmark::State &state)
{
    tBench b;
    int step = 0;
    for (auto _ : state) {
        b.t.CalcVisibleNodes();
        b.t.SetScrollValue((step++ * 37) % (b.t.ScrollMax() + 1));
        benchmark::DoNotOptimize(b.t.NodePorts.data());
    }
}
BENCHMARK(BM_CalcAndRender)->Unit(benchmark::kMillisecond);

void BM_CalcRenderAndPaint(benchmark::State &state)
{
    tBench b;
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        b.t.CalcVisibleNodes();
        b.t.SetScrollValue((step++ * 37) % (b.t.ScrollMax() + 1));
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        for (const tNodePort &port : b.t.NodePorts)
            PaintNodePort(p, port);
    }
}
BENCHMARK(BM_CalcRenderAndPaint)->Unit(benchmark::kMillisecond);

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
