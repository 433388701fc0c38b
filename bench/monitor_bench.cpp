// The MIDI monitor under a long session: a burst of 1,000 short messages appended while each list
// already holds 50,000 lines, with the repaint that follows; once appended directly, once arriving at the
// MIDI input and passed through the main window's default input (with thru, so both lists grow).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Main.h"
#include "app/Uemonito.h"
#include "controls/ControlsUnits.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Settings.h"
#include "platform/midi/MidiBackend.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiBaseUnits.h"

namespace {

using namespace zel;

const std::uint8_t dataSet[] = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};

// Both lists of the monitor filled with lines of a data set.
void FillMonitor(TFormMonitor* monitor, int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += MonitorBytesLine(dataSet, sizeof dataSet) + "\r\n";
    monitor->MemoInput->SetText(text);
    monitor->MemoOutput->SetText(text);
    ProcessPendingMessages();
}

void BM_MonitorBurst(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(PlatformUnits());
    TForm* main = Construct<TForm>(nullptr);
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(0, 0, 640, 480);
    Application->MainForm = main;
    main->Show();
    TFormMonitor* monitor = Construct<TFormMonitor>(nullptr);
    FillMonitor(monitor, static_cast<int>(state.range(0)));

    TMyMidiEvent event;
    event.status = 0x90;
    event.data1 = 0x3C;
    constexpr int burst = 1000;
    for (auto _ : state) {
        for (int i = 0; i < burst; ++i) {
            event.data2 = static_cast<BYTE>(i & 0x7F);
            if (i % 2 == 0) monitor->AddMessageMidi(event, monitor->MemoInput);
            else monitor->AddMessage(dataSet, sizeof dataSet, monitor->MemoOutput);
        }
        ProcessPendingMessages();
    }
    state.SetItemsProcessed(state.iterations() * burst);
    delete monitor;
    Application->MainForm = nullptr;
    delete main;
    ProcessPendingMessages();
}
BENCHMARK(BM_MonitorBurst)->Arg(50000)->Iterations(5)->Unit(benchmark::kMillisecond);

// The burst arrives at the port dialog's input from the MIDI driver: the ring, one posted message per
// event, the main window's default input writing both lists and passing each message on.
void BM_MonitorInputBurst(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(JoinUnitRows({PlatformUnits(), ControlsUnits(), uiBaseUnits(), ubBarUnits(), MainUnits()}));
    TInProcessMidiBackend backend;
    backend.AddInput("In");
    benchmark::IterationCount passedOn = 0;
    backend.AddOutput("Out", [&](const BYTE*, std::size_t) { ++passedOn; });
    SetMidiBackendForTests(&backend);
    Application->CreateForm(Formzelmo);
    Formzelmo->Show();
    ZelmoHolder->Config->Thrue = 1;
    TFormInOut* ports = Construct<TFormInOut>(nullptr);
    Formzelmo->GadgetsMonitorItem->Click();
    FillMonitor(Formzelmo->FormMonitor, static_cast<int>(state.range(0)));
    constexpr int burst = 1000;
    BYTE note[3] = {0x90, 0x3C, 0x00};
    for (auto _ : state) {
        for (int i = 0; i < burst; ++i) {
            note[2] = static_cast<BYTE>(i & 0x7F);
            backend.Inject("In", note, sizeof note);
        }
        ProcessPendingMessages();
    }
    if (static_cast<benchmark::IterationCount>(passedOn) != state.iterations() * burst)
        state.SkipWithError("messages lost");
    state.SetItemsProcessed(state.iterations() * burst);
    delete ports;
    delete Formzelmo;
    ProcessPendingMessages();
    SetMidiBackendForTests(nullptr);
}
BENCHMARK(BM_MonitorInputBurst)->Arg(50000)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
