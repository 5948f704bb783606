// The price grid of a series with 500 price entries: one repaint after a
// one-column scroll (texts, colours and painting of every visible cell on a
// 1600 x 1000 page), and a value typed over a range of all 41 grades of 50
// entries (one snapshot per entry, then the fill).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include "core/model/gradetitles.h"
#include "core/model/seriestree.h"
#include "pricing/pricelists/pricerows.h"
#include "pricing/pricelists/ui/pricegridview.h"
#include "pricing/valuation/valuation.h"
#include "support/benchsize.h"

namespace {

const int Entries = BenchSize(500, 20);
const int RangeEntries = BenchSize(50, 5);

struct tBench {
    tMainState s;
    tBench()
    {
        FillBuiltInGradeTitles(s.GradeTitles3D);
        tnodeinfo *series = AddChildNode(s.EntireCollection.get(), 352001);
        series->NodeName = QStringLiteral("Cents");
        s.SelectedTreeNode = series;
        s.MetalValues[0] = 25 * MoneyScale;
        for (int i = 0; i < Entries; ++i) {
            auto p = std::make_unique<tPriceInfo>();
            p->CoinType = 352001;
            p->Year = 1793 + i / 3;
            p->Mint = QString(QLatin1Char("PDS"[i % 3]));
            p->Mintage = 1000000 + i * 7919;
            p->Metal = i % 5 == 0 ? 1 : 0;
            p->Content = i % 5 == 0 ? 0.7734f : 0.f;
            p->Weight = 3.11f;
            for (int g = 0; g < GradeSlots; ++g)
                p->Value[g] = g % 13 == 0 ? ValueCodeToMoney(CodeMelt) : MoneyFromDouble((i * 31 + g * 17) % 5000 / 4.0);
            s.CurrPriceList.push_back(p.get());
            s.PriceList.push_back(std::move(p));
        }
    }
};

// The grid on a 1600 x 1000 page, built for the series.
struct tShownGrid {
    tBench b;
    TPriceGridView view{b.s};
    tShownGrid()
    {
        view.resize(1600, 1000);
        view.show();
        QCoreApplication::processEvents();
        view.SetupPricelistColumns(-1);
        view.RenderPrices();
    }
};

void BM_ScrollAndRepaint(benchmark::State &state)
{
    tShownGrid shown;
    TPriceGridView &view = shown.view;
    QImage image(view.PriceLayout->size(), QImage::Format_ARGB32_Premultiplied);
    if (view.Geometry().ColsNeeded < 2 || view.PriceHScrollBar->maximum() < 1) {
        state.SkipWithError("the grid shows no scrollable columns");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        view.PriceHScrollBar->setValue(step++ % (view.PriceHScrollBar->maximum() + 1));
        view.PriceLayout->render(&image);
    }
    state.counters["cells"] = view.Geometry().ColsNeeded * view.Geometry().RowsNeeded;
}
BENCHMARK(BM_ScrollAndRepaint)->Unit(benchmark::kMillisecond);

// The texts and colours alone, without painting.
void BM_ScrollAndRender(benchmark::State &state)
{
    tShownGrid shown;
    TPriceGridView &view = shown.view;
    int step = 0;
    for (auto _ : state) {
        const QSignalBlocker block(view.PriceHScrollBar);
        view.PriceHScrollBar->setValue(step++ % (view.PriceHScrollBar->maximum() + 1));
        view.RenderPrices();
    }
}
BENCHMARK(BM_ScrollAndRender)->Unit(benchmark::kMillisecond);

void BM_RangeFill(benchmark::State &state)
{
    tBench b;
    tPriceHistory history;
    tValueRange range;
    for (int i = 0; i < RangeEntries; ++i)
        range.Entries.push_back(b.s.CurrPriceList[static_cast<size_t>(i)]);
    range.SlotLo = 0;
    range.SlotHi = GradeSlots - 1;
    range.EditedSlot = GradeSlots - 1;
    Money amount = 0;
    for (auto _ : state)
        ApplyValueAmount(b.s, history, range, amount += MoneyScale);
    if (b.s.CurrPriceList.front()->Value[20] != amount)
        state.SkipWithError("the range was not filled");
}
BENCHMARK(BM_RangeFill)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
