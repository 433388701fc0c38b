// Repainting a 1000 x 700 control filled with every element a painter draws, once per painter.
#include <benchmark/benchmark.h>

#include "PainterGallery.h"
#include "support/uilib/LookAndFeelUnits.h"

namespace zel::test {
namespace {

template <class TPainter>
void BM_RepaintGallery(benchmark::State& state) {
    TLookAndFeelUnits units;
    TBitmap image;
    image.SetSize(kGalleryWidth, 700);
    TuiCanvas canvas(image.Canvas());
    const TuiLookAndFeelPainterClass painter = PainterClass<TPainter>();
    for (auto _ : state) {
        PaintGallery(&canvas, painter, TRect{0, 0, kGalleryWidth, 700});
        benchmark::DoNotOptimize(image.Canvas()->GetPixel(500, 350));
    }
}

BENCHMARK(BM_RepaintGallery<TuiStandardLookAndFeelPainter>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintGallery<TuiFlatLookAndFeelPainter>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintGallery<TuiUltraFlatLookAndFeelPainter>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintGallery<TuiOffice11LookAndFeelPainter>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintGallery<TuiWinXPLookAndFeelPainter>)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::test
