// The system window's behaviours that reach the instrument, end to end over a real JACK transport to the
// instrument simulator: a row of each editor's table, the GM message before a panel mode, and a
// musician's session from a library row to the saved file and a send. Under CI (ZELMOVI_REQUIRE_JACK=1) a
// missing server is a failure; elsewhere the tests skip.
#include <gtest/gtest.h>

#include "SystemFixture.h"
#include "app/JackPorts.h"
#include "platform/rtl/IniFiles.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

class SystemOverJack : public Systems {
protected:
    // The program started on JACK, with the instrument's ports chosen in the port dialog.
    void SetUp() override {
        Program::SetUp();
        Sim.DeviceByte = 0x10;
        if (!OpenOnJack(instrument_, &Sim)) return;
        {
            TIniFile ini(SettingsFileName);
            ini.WriteInteger("Midi", "DeviceID", 17);
        }
        Start();
        Wait(2000);
        ASSERT_NE(FormInOut, nullptr);
        OpenPortsOn(instrument_, *FormInOut, *ZelmoHolder->Config, Boxes);
        SetCursorPos(0, 0);
    }

    TJackInstrument instrument_{"zelmovi-system"};
};

TEST_F(SystemOverJack, OneRowOfEachEditorReachesTheInstrument) { OneRowOfEachEditorReachesTheInstrument(); }

TEST_F(SystemOverJack, APanelModeChangeReachesTheInstrumentAfterTheGMMessage) {
    APanelModeChangeReachesTheInstrumentAfterTheGMMessage();
}

TEST_F(SystemOverJack, SetThePatchModeAndAScaleTuneSaveReopenAndSend) {
    SetThePatchModeAndAScaleTuneSaveReopenAndSend();
}

}  // namespace
}  // namespace zel::test
