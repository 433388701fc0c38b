// Drawing throughput: filling and blitting a 1000x700 image, and short text runs.
#include <benchmark/benchmark.h>

#include "platform/win/Gdi.h"

namespace {

using namespace zel;

// A memory DC over a 1000x700 32-bit bitmap.
struct TSurface {
    HDC DC = CreateCompatibleDC(nullptr);
    HBITMAP Bitmap = CreateCompatibleBitmap(nullptr, 1000, 700);
    HGDIOBJ Old = SelectObject(DC, Bitmap);
    ~TSurface() {
        SelectObject(DC, Old);
        DeleteObject(Bitmap);
        DeleteDC(DC);
    }
};

void BM_FillRect1000x700(benchmark::State& state) {
    TSurface s;
    HBRUSH b = CreateSolidBrush(RGB(212, 208, 200));
    const RECT r{0, 0, 1000, 700};
    for (auto _ : state) FillRect(s.DC, &r, b);
    DeleteObject(b);
    state.SetItemsProcessed(state.iterations() * 700000);
}
BENCHMARK(BM_FillRect1000x700);

// n fills of 16x16 cells over the image with one brush: the cost of a call beside that of its pixels.
void BM_FillRectCells(benchmark::State& state) {
    TSurface s;
    HBRUSH b = CreateSolidBrush(RGB(212, 208, 200));
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            const int x = (i % 62) * 16, y = (i / 62 % 43) * 16;
            const RECT r{x, y, x + 16, y + 16};
            FillRect(s.DC, &r, b);
        }
    }
    DeleteObject(b);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_FillRectCells)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_BitBlt1000x700(benchmark::State& state) {
    TSurface s;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 1000, 700);
    HGDIOBJ old = SelectObject(mem, bmp);
    const auto rop = static_cast<DWORD>(state.range(0));
    for (auto _ : state) BitBlt(s.DC, 0, 0, 1000, 700, mem, 0, 0, rop);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    state.SetItemsProcessed(state.iterations() * 700000);
}
BENCHMARK(BM_BitBlt1000x700)->Arg(SRCCOPY)->Arg(SRCINVERT)->Arg(0x00E20746);

void BM_TextRuns10000(benchmark::State& state) {
    TSurface s;
    LOGFONT lf;
    lf.lfHeight = -11;
    HFONT f = CreateFontIndirect(&lf);
    SelectObject(s.DC, f);
    SetBkMode(s.DC, TRANSPARENT);
    // The first run realises the font (and starts the toolkit), outside the measured loop.
    TextOut(s.DC, 0, 0, "Patch 042", -1);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) TextOut(s.DC, (i * 37) % 900, (i * 13) % 680, "Patch 042", -1);
    }
    SelectObject(s.DC, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TextRuns10000)->Unit(benchmark::kMillisecond);

}  // namespace
