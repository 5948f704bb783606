// Every move of an adjustment slider recomputes the shown picture from the
// unedited one on the window thread. A 4000 x 3000 photo with every
// adjustment on (a turn, a crop, all corner shifts, contrast, brightness,
// sharpen, saturation and hue) must stay well under a third of a second.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "browse/images/imageadjust.h"
#include "support/benchsize.h"

namespace {

QImage Photo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * 7 + y) & 255, (y * 3) & 255, (x ^ y) & 255);
    }
    // The Images page keeps the unedited picture in the pipeline's format.
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

tImageAdjustments EveryFilter(QSize size)
{
    tImageAdjustments a;
    a.Contrast = 130;
    a.Brightness = 10;
    a.Saturation = 70;
    a.Sharpen = 80;
    a.Hue = 20;
    a.Rotate = 7;
    a.Crop = true;
    a.CropRect = QRect(size.width() / 20, size.height() / 20, size.width() * 9 / 10, size.height() * 9 / 10);
    a.VerticalPerspective = 12;
    a.VerticalCompression = 5;
    a.VerticalSkew = 4;
    a.HorizontalPerspective = -8;
    a.HorizontalCompression = 3;
    a.HorizontalSkew = -6;
    return a;
}

void BM_PipelineEveryFilter(benchmark::State &state)
{
    const QImage org = Photo(BenchSize(4000, 200), BenchSize(3000, 150));
    const tImageAdjustments adj = EveryFilter(org.size());
    for (auto _ : state) {
        QImage out = ApplyImageAdjustments(org, adj);
        benchmark::DoNotOptimize(out.constBits());
        if (out.isNull())
            state.SkipWithError("no picture");
    }
}
BENCHMARK(BM_PipelineEveryFilter)->Unit(benchmark::kMillisecond);

void BM_PipelineNeutral(benchmark::State &state)
{
    const QImage org = Photo(BenchSize(4000, 200), BenchSize(3000, 150));
    for (auto _ : state) {
        QImage out = ApplyImageAdjustments(org, {});
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_PipelineNeutral)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
