// The system window's behaviours that reach the instrument, end to end over a real JACK transport to the
// instrument simulator: a row of each editor's table, the GM message before a panel mode, and a
// musician's session from a library row to the saved file and a send. Under CI (ZELMOVI_REQUIRE_JACK=1) a
// missing server is a failure; elsewhere the tests skip.
#include <gtest/gtest.h>

#include "EditorsJackFixture.h"
#include "SystemFixture.h"

namespace zel::test {
namespace {

using SystemOverJack = OverJack<Systems>;

TEST_F(SystemOverJack, OneRowOfEachEditorReachesTheInstrument) { OneRowOfEachEditorReachesTheInstrument(); }

TEST_F(SystemOverJack, APanelModeChangeReachesTheInstrumentAfterTheGMMessage) {
    APanelModeChangeReachesTheInstrumentAfterTheGMMessage();
}

TEST_F(SystemOverJack, SetThePatchModeAndAScaleTuneSaveReopenAndSend) {
    SetThePatchModeAndAScaleTuneSaveReopenAndSend();
}

}  // namespace
}  // namespace zel::test
