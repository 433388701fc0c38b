#pragma once
// What the benchmarks of the editor windows share: MIDI ports that only count what they are given, and a
// main window with those ports open on the manual clock, so that the 50 ms pace before a send is not
// counted.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "CountingPorts.h"
#include "controls/ControlsUnits.h"
#include "controls/Uecomp.h"
#include "model/ModelServices.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace zel {

// A shown MDI main window, the counting ports registered and open, and the manual clock.
class TBenchDesktop {
public:
    explicit TBenchDesktop(int width = 1024, int height = 768)
        : units_(JoinUnitRows({PlatformUnits(), ControlsUnits()})) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        main_ = Construct<TForm>(nullptr);
        main_->SetFormStyle(fsMDIForm);
        main_->SetBounds(0, 0, width, height);
        Application->MainForm = main_;
        main_->Show();
        ModelServices().MidiPorts = &Ports;
        DevicesOpen = 1;
    }
    ~TBenchDesktop() {
        ProcessPendingMessages();
        delete main_;
        Application->MainForm = nullptr;
        ProcessPendingMessages();
        ModelServices().MidiPorts = nullptr;
        DevicesOpen = 0;
    }
    TBenchDesktop(const TBenchDesktop&) = delete;
    TBenchDesktop& operator=(const TBenchDesktop&) = delete;

    TForm* Main() const { return main_; }

    TManualClockScope Clock;
    TCountingPorts Ports;

private:
    TUnitsScope units_;
    TForm* main_ = nullptr;
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

}  // namespace zel
