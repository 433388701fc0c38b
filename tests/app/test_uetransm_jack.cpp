// A receive of one patch from the instrument simulator over a real JACK transport, driven by the progress
// window's timers. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere it skips.
#include <gtest/gtest.h>

#include "JackPorts.h"
#include "TransmetFixture.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

TEST_F(TransmetPatchReceive, OverJack) {
    TJackInstrument instrument{"zelmovi-transmet"};
    if (!OpenOnJack(instrument, &Sim)) return;
    MakeWindows();
    OpenPortsOn(instrument, *ports, *Holder.Config, Boxes);
    if (HasFatalFailure()) return;
    TPatch patch(nullptr);
    Receive(patch, 10s);
    ExpectFiveMessagesAndAClosedWindow(patch);
}

}  // namespace
}  // namespace zel::test
