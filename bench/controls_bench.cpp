// Painting of the parameter controls: a full repaint of a slider and of an envelope graph, against the
// thumb and point moves of a drag, which redraw only what changed.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "controls/Uecomp.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

LPARAM At(int X, int Y) { return MAKELPARAM(static_cast<WORD>(X), static_cast<WORD>(Y)); }

// A shown form holding one control of type T.
template <class T>
struct TStage {
    TForm* form = nullptr;
    T* control = nullptr;
    TStage() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        form = Construct<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 200);
        control = new T(form);
        control->SetParent(form);
        form->Show();
        ProcessPendingMessages();
    }
    ~TStage() {
        delete form;
        ProcessPendingMessages();
    }
};

void BM_SliderRepaint(benchmark::State& state) {
    TStage<TSlider> s;
    for (auto _ : state) s.control->Repaint();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SliderRepaint)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_SliderDragMove(benchmark::State& state) {
    TStage<TSlider> s;
    HWND h = s.control->GetHandle();
    const int off = s.control->ThumbOffset();
    SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, At(off + 2, 13));
    int i = 0;
    for (auto _ : state) SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, At(10 + (i++ % 140), 13));
    SendMessage(h, WM_LBUTTONUP, 0, At(10, 13));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SliderDragMove)->Iterations(1000)->Unit(benchmark::kMicrosecond);

TGraphPoints Sample() {
    TGraphPoints p;
    p[1] = {20, 100};
    p[2] = {30, 80};
    p[3] = {40, 60};
    p[4] = {50, 0};
    return p;
}

void BM_EnvelopeRepaint(benchmark::State& state) {
    TStage<TPanGraph> s;
    s.control->SetGraphType(Normal);
    s.control->SetPoints(Sample());
    for (auto _ : state) s.control->Repaint();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EnvelopeRepaint)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_EnvelopeDragMove(benchmark::State& state) {
    TStage<TPanGraph> s;
    s.control->SetGraphType(Normal);
    s.control->SetPoints(Sample());
    s.control->Repaint();
    HWND h = s.control->GetHandle();
    const TPoint p = s.control->PointPos(2);
    SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    int i = 0;
    for (auto _ : state) {
        ++i;
        SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, At(20 + i % 40, 70 + i % 50));
    }
    SendMessage(h, WM_LBUTTONUP, 0, At(20, 70));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EnvelopeDragMove)->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
