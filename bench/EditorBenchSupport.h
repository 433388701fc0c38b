#pragma once
// What the editor window benchmarks share: MIDI ports that only count what is sent, and one step of a
// slider by the mouse with its release, its SendandStore and its data set.
#include <benchmark/benchmark.h>

#include "controls/Uecomp.h"
#include "model/ModelServices.h"
#include "platform/win/Windows.h"

namespace zel::bench {

// MIDI ports that take every message and keep only their count.
class TCountingPorts : public IMidiPorts {
public:
    bool OutputOpen() const override { return true; }
    void PutLong(const std::uint8_t*, std::size_t) override { ++Messages; }
    void PutShort(std::uint8_t, std::uint8_t, std::uint8_t) override {}
    void CloseDevs() override {}
    void OpenDevs() override {}
    void SetInputHandler(TNotifyEvent) override {}
    long long Messages = 0;
};

// Each iteration grabs the slider's thumb, moves it one value (up and down in turn) and lets go: one
// data set, which the "messages" counter shows per iteration.
inline void RunSliderSteps(benchmark::State& state, TSlider* slider, const TCountingPorts& ports) {
    const HWND h = slider->GetHandle();
    const long long before = ports.Messages;
    bool up = true;
    for (auto _ : state) {
        const TRect thumb = slider->ThumbRect();
        const int x = (thumb.left + thumb.right) / 2;
        const int y = (thumb.top + thumb.bottom) / 2;
        const int to = up ? y - 2 : y + 2;
        SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, to));
        SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(x, to));
        up = !up;
    }
    state.counters["messages"] =
        benchmark::Counter(static_cast<double>(ports.Messages - before), benchmark::Counter::kAvgIterations);
}

}  // namespace zel::bench
