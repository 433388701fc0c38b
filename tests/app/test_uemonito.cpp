// The MIDI monitor: its line formats, the model's short data sets in "Message Out", a SysEx of any size
// shown whole, the resize layout, and its size and place kept in the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Uemonito.h"
#include "model/SysexFraming.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/IniFiles.h"
#include "support/TempDir.h"
#include "support/model/ModelFakes.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// The monitor inside an MDI main window, with the settings file in a fresh configuration folder.
class MonitorWindow : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        main = Keep(Construct<TForm>(nullptr));
        main->SetFormStyle(fsMDIForm);
        main->SetBounds(0, 0, 640, 480);
        Application->MainForm = main;
        main->Show();
    }
    void TearDown() override {
        monitor.reset();
        VclTest::TearDown();
    }
    void Open() { monitor.reset(Construct<TFormMonitor>(nullptr)); }
    // Closes the window as the user does; the release comes with the pending messages.
    void CloseByUser() {
        monitor->Close();
        ProcessPendingMessages();
        (void)monitor.release();
    }
    std::vector<std::string> Lines(TMemo* memo) {
        std::vector<std::string> out;
        for (int i = 0; i < memo->Lines()->GetCount(); ++i) out.push_back(memo->Lines()->Get(i));
        return out;
    }
    std::string IniPath() const { return Dir.File("Zelmo95.ini"); }

    TempDir Dir;
    TEnvScope Xdg{"XDG_CONFIG_HOME", Dir.Path().string()};
    TModelTestScope Model;
    TForm* main = nullptr;
    std::unique_ptr<TFormMonitor> monitor;
};

TEST_F(MonitorWindow, LinesOfByteBlocksAndShortEvents) {
    Open();
    const std::vector<std::uint8_t> dataSet{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    monitor->AddMessage(dataSet.data(), dataSet.size(), monitor->MemoInput);
    monitor->AddMessage(dataSet.data(), 11, monitor->MemoInput);  // only the first count bytes
    TMyMidiEvent noteOn;
    noteOn.status = 0x90;
    noteOn.data1 = 0x3C;
    noteOn.data2 = 0x50;
    monitor->AddMessageMidi(noteOn, monitor->MemoInput);
    TMyMidiEvent control;
    control.status = 0xB0;
    control.data1 = 0x07;
    control.data2 = 0x0A;
    monitor->AddMessageMidi(control, monitor->MemoInput);

    const std::vector<std::string> lines = Lines(monitor->MemoInput);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], " F0 41 10 6A 12 03 00 00 00 01 7C F7 ");
    EXPECT_EQ(lines[0].size(), 37u);
    EXPECT_EQ(lines[1], " F0 41 10 6A 12 03 00 00 00 01 7C ");
    EXPECT_EQ(lines[1].size(), 34u);
    EXPECT_EQ(lines[2], "90 3C 50");
    EXPECT_EQ(lines[3], "B0 07 0A");
    EXPECT_TRUE(Lines(monitor->MemoOutput).empty());
}

TEST_F(MonitorWindow, TheModelsShortDataSetsShowInMessageOutWhileOpen) {
    TManualClockScope clock;
    Open();
    EXPECT_EQ(Model.Holder.MonitorOpen, 1);
    EXPECT_EQ(ModelServices().MidiMonitor, &monitor->Monitor());
    SendDataByte(0x03000000, 0, 0, 0x01);
    ASSERT_EQ(Model.Ports.Sent.size(), 1u);
    const std::vector<std::uint8_t>& sent = Model.Ports.Sent[0];
    ASSERT_EQ(sent.size(), 12u);
    EXPECT_EQ(Lines(monitor->MemoOutput), std::vector<std::string>{MonitorBytesLine(sent.data(), sent.size())});
    EXPECT_EQ(Lines(monitor->MemoOutput)[0].substr(0, 16), " F0 41 10 6A 12 ");
    EXPECT_TRUE(Lines(monitor->MemoInput).empty());

    // Closed, the window is no longer the model's monitor and nothing more is written to it.
    CloseByUser();
    EXPECT_EQ(Model.Holder.MonitorOpen, 0);
    EXPECT_EQ(ModelServices().MidiMonitor, nullptr);
    EXPECT_NO_THROW(SendDataByte(0x03000000, 0, 0, 0x02));
    EXPECT_EQ(Model.Ports.Sent.size(), 2u);
}

TEST_F(MonitorWindow, ASysexOfAnySizeShowsWhole) {
    Open();
    for (std::size_t size : {2048u, 4096u}) {
        TMyMidiEvent sysex;
        sysex.Sysex.assign(size, 0x5A);
        sysex.Sysex.front() = 0xF0;
        sysex.Sysex.back() = 0xF7;
        sysex.SysexLength = static_cast<WORD>(size);
        monitor->AddMessage(sysex.Sysex.data(), sysex.SysexLength, monitor->MemoInput);
    }
    const std::vector<std::string> lines = Lines(monitor->MemoInput);
    ASSERT_EQ(lines.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t size = i == 0 ? 2048 : 4096;
        EXPECT_EQ(lines[i].size(), 1 + 3 * size);
        EXPECT_EQ(lines[i].substr(0, 7), " F0 5A ");
        EXPECT_EQ(lines[i].substr(lines[i].size() - 7), " 5A F7 ");
    }
}

TEST_F(MonitorWindow, ResizingSharesTheHeightBetweenTheTwoPanels) {
    Open();
    monitor->SetClientWidth(500);
    monitor->SetClientHeight(331);  // (331 - 12) div 2 = 159
    EXPECT_EQ(monitor->PanelIn->GetWidth(), 492);
    EXPECT_EQ(monitor->PanelOut->GetWidth(), 492);
    EXPECT_EQ(monitor->PanelIn->GetHeight(), 159);
    EXPECT_EQ(monitor->PanelOut->GetHeight(), 159);
    EXPECT_EQ(monitor->PanelOut->GetTop(), monitor->PanelIn->GetTop() + 163);
    EXPECT_EQ(monitor->MemoInput->GetWidth(), 474);
    EXPECT_EQ(monitor->MemoOutput->GetWidth(), 474);
    EXPECT_EQ(monitor->MemoInput->GetHeight(), 131);
    EXPECT_EQ(monitor->MemoOutput->GetHeight(), 131);
}

TEST_F(MonitorWindow, SizeAndPlaceComeFromTheSettingsAndGoBackOnClose) {
    Open();
    EXPECT_EQ(monitor->GetWidth(), 378);  // no file: the defaults
    EXPECT_EQ(monitor->GetHeight(), 278);
    EXPECT_EQ(monitor->GetLeft(), 0);
    EXPECT_EQ(monitor->GetTop(), 0);
    monitor->SetBounds(30, 20, 420, 300);
    const std::uint8_t bytes[] = {0xF0, 0xF7};
    monitor->AddMessage(bytes, 2, monitor->MemoOutput);
    CloseByUser();
    {
        TIniFile ini(IniPath());
        EXPECT_EQ(ini.ReadInteger("Monitor", "Width", 0), 420);
        EXPECT_EQ(ini.ReadInteger("Monitor", "Height", 0), 300);
        EXPECT_EQ(ini.ReadInteger("Monitor", "Left", -1), 30);
        EXPECT_EQ(ini.ReadInteger("Monitor", "Top", -1), 20);
    }
    // Reopened, the window comes back where it was, with empty lists.
    Open();
    EXPECT_EQ(monitor->GetWidth(), 420);
    EXPECT_EQ(monitor->GetHeight(), 300);
    EXPECT_EQ(monitor->GetLeft(), 30);
    EXPECT_EQ(monitor->GetTop(), 20);
    EXPECT_TRUE(Lines(monitor->MemoOutput).empty());
}

TEST_F(MonitorWindow, Screenshot) {
    Open();
    const std::uint8_t request[] = {0xF0, 0x41, 0x10, 0x6A, 0x11, 0x03, 0x00, 0x00,
                                    0x00, 0x00, 0x00, 0x00, 0x48, 0x35, 0xF7};
    const std::uint8_t dataSet[] = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    monitor->AddMessage(request, sizeof request, monitor->MemoOutput);
    monitor->AddMessage(dataSet, sizeof dataSet, monitor->MemoOutput);
    TMyMidiEvent noteOn;
    noteOn.status = 0x90;
    noteOn.data1 = 0x3C;
    noteOn.data2 = 0x50;
    monitor->AddMessageMidi(noteOn, monitor->MemoInput);
    noteOn.data2 = 0x00;
    monitor->AddMessageMidi(noteOn, monitor->MemoInput);
    monitor->AddMessage(dataSet, sizeof dataSet, monitor->MemoInput);
    for (int i = 0; i < 20; ++i) monitor->AddMessage(dataSet, sizeof dataSet, monitor->MemoInput);
    const std::string path = ScreenshotPath("monitor");
    ASSERT_TRUE(SaveWindowImage(monitor->GetHandle(), path));
    std::printf("screenshot: %s\n", path.c_str());
}

}  // namespace
}  // namespace zel::test
