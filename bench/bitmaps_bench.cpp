// Library bitmaps: drawing one 16 x 16 image with alpha through RenderImage (a toolbar repaints about 30 of
// them), and the compressed stream form of a 256 x 256 32-bit bitmap, packed and unpacked.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "uilib/base/uiImageList.h"

namespace {

using namespace zel;

struct TUnit {
    TUnit() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        uiBitmapsStartup();
    }
    ~TUnit() { uiBitmapsShutdown(); }
};

void FillDisc(TuiBitmap& b) {
    const int w = b.GetWidth(), h = b.GetHeight();
    TuiPixels p(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x - w / 2.0, y - h / 2.0) / (w / 2.0);
            const int a = d < 0.7 ? 255 : (d < 1.0 ? static_cast<int>(255 * (1.0 - d) / 0.3) : 0);
            p[static_cast<std::size_t>(y * w + x)] =
                static_cast<std::uint32_t>((a << 24) | ((x * 7 * a / 255) << 16) | ((y * 5 * a / 255) << 8) | (a / 2));
        }
    b.SetPixels(p);
}

void BM_RenderImage16Alpha(benchmark::State& state) {
    TUnit unit;
    std::unique_ptr<TuiImageList> list(Construct<TuiImageList>(nullptr));
    TuiBitmap image(16, 16);
    FillDisc(image);
    list->Add(&image, nullptr);
    TBitmap target;
    target.SetSize(24, 24);
    HDC dc = target.Canvas()->GetHandle();
    const auto mode = static_cast<TuiImageDrawMode>(state.range(0));
    for (auto _ : state) {
        RenderImage(dc, Rect(4, 4, 20, 20), Rect(0, 0, 24, 24), nullptr, list.get(), 0, mode);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderImage16Alpha)->Arg(idmNormal)->Arg(idmDisabled)->Arg(idmShadowed)->Unit(benchmark::kMicrosecond);

void BM_StreamPack256(benchmark::State& state) {
    TUnit unit;
    TuiBitmap source(256, 256);
    FillDisc(source);
    source.CompressData = true;
    TMemoryStream plain;
    source.TBitmap::WriteData(plain);
    for (auto _ : state) {
        TMemoryStream out;
        source.WriteData(out);
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(state.iterations() * plain.GetSize());
}
BENCHMARK(BM_StreamPack256)->Unit(benchmark::kMicrosecond);

void BM_StreamUnpack256(benchmark::State& state) {
    TUnit unit;
    TuiBitmap source(256, 256);
    FillDisc(source);
    source.CompressData = true;
    TMemoryStream packed, plain;
    source.WriteData(packed);
    source.TBitmap::WriteData(plain);
    TuiCustomBitmap target;
    for (auto _ : state) {
        packed.SetPosition(0);
        target.ReadData(packed);
    }
    state.SetBytesProcessed(state.iterations() * plain.GetSize());
}
BENCHMARK(BM_StreamUnpack256)->Unit(benchmark::kMicrosecond);

}  // namespace
