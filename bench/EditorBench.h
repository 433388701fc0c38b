#pragma once
// What the benchmarks of the editor windows share: MIDI ports that only count what they are given, and a
// main window with those ports open on the manual clock, so that the 50 ms pace before a send is not
// counted.
#include <cstdlib>

#include "controls/ControlsUnits.h"
#include "model/ModelServices.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace zel {

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

// A shown MDI main window, the counting ports registered and open, and the manual clock.
class TBenchDesktop {
public:
    TBenchDesktop() : units_(JoinUnitRows({PlatformUnits(), ControlsUnits()})) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        main_ = Construct<TForm>(nullptr);
        main_->SetFormStyle(fsMDIForm);
        main_->SetBounds(0, 0, 1024, 768);
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

}  // namespace zel
