// The MIDI monitor over a real JACK transport, fed by the main window's default input: a data set that the
// instrument answers reads as one line, a note passed through comes back to the instrument and shows in
// both lists, the model's one-byte data set shows in "Message Out", and a SysEx of 4096 bytes shows whole.
// Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the tests skip.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "JackPorts.h"
#include "ProgramFixture.h"
#include "app/Main.h"
#include "app/Uemonito.h"
#include "controls/ControlsUnits.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Settings.h"
#include "model/SysexFraming.h"
#include "platform/midi/MidiBackend.h"
#include "support/InstrumentSimulator.h"
#include "support/JackTest.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiBaseUnits.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

// The main window with its monitor open and the port dialog's ports connected to the simulator, a JACK
// client; the settings in a folder of their own.
class MonitorOverJack : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        surroundings_.emplace(dir_.Path().string());
        if (!OpenOnJack(instrument_, &Sim)) return;
        Application->CreateForm(Formzelmo);
        Formzelmo->Show();
        ports_.reset(Construct<TFormInOut>(nullptr));
        OpenPortsOn(instrument_, *ports_, *ZelmoHolder->Config, Boxes);
        if (HasFatalFailure()) return;
        Formzelmo->GadgetsMonitorItem->Click();
        ProcessPendingMessages();
        Monitor = Formzelmo->FormMonitor;
        ASSERT_NE(Monitor, nullptr);
    }
    void TearDown() override {
        ports_.reset();
        delete Formzelmo;
        ProcessPendingMessages();
        surroundings_.reset();
        VclTest::TearDown();
    }
    static TLines Lines(TMemo* memo) {
        TLines lines;
        for (int i = 0; i < memo->Lines()->Count(); ++i) lines.push_back(memo->Lines()->Strings(i));
        return lines;
    }
    // Handles what arrives until the memo holds count lines (or a time-out passes).
    static bool WaitForLines(TMemo* memo, int count) {
        return TJackInstrument::WaitFor(
            [&] {
                ProcessPendingMessages();
                return memo->Lines()->Count() >= count;
            },
            5s);
    }

    TUnitsScope units_{JoinUnitRows({ControlsUnits(), uiBaseUnits(), ubBarUnits(), MainUnits()})};
    TempDir dir_;
    TInstrumentSimulator Sim{0x10};
    TFormMonitor* Monitor = nullptr;
    TJackInstrument instrument_{"zelmovi-monitor"};

private:
    std::unique_ptr<TFormInOut> ports_;
    std::optional<TProgramSurroundings> surroundings_;
};

// The model writes one byte: the instrument applies the data set that "Message Out" shows; asked for the
// byte, it answers with a data set that "Message In" shows as one line of 12 bytes.
TEST_F(MonitorOverJack, TheModelsDataSetAndTheInstrumentsAnswerShowAsOneLineEach) {
    SendDataByte(0x03000000, 0, 0, 0x05);
    ASSERT_TRUE(TJackInstrument::WaitFor([&] { return Sim.DataSetsApplied() == 1; }, 5s));
    const std::vector<TBytes> heard = Sim.ReceivedMessages();
    ASSERT_EQ(heard.size(), 1u);
    ASSERT_EQ(heard[0].size(), 12u);
    EXPECT_EQ(Lines(Monitor->MemoOutput), TLines{MonitorBytesLine(heard[0].data(), heard[0].size())});

    Sim.ClearLog();
    SendDataRequest(0x03000000, 0, 0, 1);
    ASSERT_TRUE(WaitForLines(Monitor->MemoInput, 1));
    const std::vector<TBytes> answers = Sim.SentMessages();
    ASSERT_EQ(answers.size(), 1u);
    const TLines in = Lines(Monitor->MemoInput);
    ASSERT_EQ(in.size(), 1u);
    EXPECT_EQ(in[0], MonitorBytesLine(answers[0].data(), answers[0].size()));
    EXPECT_EQ(in[0].size(), 37u);
    EXPECT_EQ(in[0].substr(0, 16), " F0 41 10 6A 12 ");
    EXPECT_EQ(in[0].substr(28, 3), "05 ");  // the byte written
}

TEST_F(MonitorOverJack, WithThruANoteComesBackToTheInstrumentAndShowsInBothLists) {
    ZelmoHolder->Config->Thrue = 1;
    instrument_.Send({0x90, 0x3C, 0x50});
    ASSERT_TRUE(WaitForLines(Monitor->MemoOutput, 1));
    EXPECT_EQ(Lines(Monitor->MemoInput), TLines{"90 3C 50"});
    EXPECT_EQ(Lines(Monitor->MemoOutput), TLines{"90 3C 50"});
    EXPECT_TRUE(TJackInstrument::WaitFor(
        [&] {
            return Sim.ReceivedMessages() == std::vector<TBytes>{{0x90, 0x3C, 0x50}};
        },
        5s));
}

TEST_F(MonitorOverJack, ASysexOf4096BytesShowsWhole) {
    TBytes sysex(4096);
    for (std::size_t i = 0; i < sysex.size(); ++i) sysex[i] = static_cast<std::uint8_t>(i % 0x80);
    sysex.front() = 0xF0;
    sysex.back() = 0xF7;
    instrument_.Send(sysex);
    ASSERT_TRUE(WaitForLines(Monitor->MemoInput, 1));
    EXPECT_EQ(Lines(Monitor->MemoInput), TLines{MonitorBytesLine(sysex.data(), sysex.size())});
    EXPECT_TRUE(Lines(Monitor->MemoOutput).empty());
}

}  // namespace
}  // namespace zel::test
