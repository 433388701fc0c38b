// The MIDI monitor under a long session: a burst of 1,000 short messages appended while each list
// already holds 50,000 lines, with the repaint that follows.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Uemonito.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

void BM_MonitorBurst(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TUnitsScope units(PlatformUnits());
    TForm* main = Construct<TForm>(nullptr);
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(0, 0, 640, 480);
    Application->MainForm = main;
    main->Show();
    TFormMonitor* monitor = Construct<TFormMonitor>(nullptr);
    const std::uint8_t dataSet[] = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    const int lines = static_cast<int>(state.range(0));
    std::string text;
    for (int i = 0; i < lines; ++i) text += MonitorBytesLine(dataSet, sizeof dataSet) + "\r\n";
    monitor->MemoInput->SetText(text);
    monitor->MemoOutput->SetText(text);
    ProcessPendingMessages();

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

}  // namespace
