// A receive of one patch from the instrument simulator over a real JACK transport, driven by the progress
// window's timers. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere it skips.
#include <gtest/gtest.h>

#include "TransmetFixture.h"
#include "support/JackInstrument.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

TEST_F(TransmetPatchReceive, OverJack) {
    setenv("ZELMOVI_MIDI_API", "jack", 0);
    SetMidiBackendForTests(nullptr);
    TJackInstrument instrument{"zelmovi-transmet"};
    std::string why;
    if (!instrument.Open(why)) {
        if (JackRequired()) FAIL() << "JACK end-to-end tests need a JACK server: " << why;
        GTEST_SKIP() << "no JACK server: " << why;
    }
    instrument.AttachSimulator(Sim);
    // The port dialog lists the JACK ports; the configured indexes name the simulator's.
    MakeWindows();
    auto indexOf = [](TListBox* list, const std::string& name) {
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (list->Items()->Strings(i) == name) return i;
        return -1;
    };
    Holder.Config->InPort = indexOf(ports->InputPort, instrument.OutputPortName());
    Holder.Config->OutPort = indexOf(ports->OutputPort, instrument.InputPortName());
    ASSERT_GE(Holder.Config->InPort, 0) << instrument.OutputPortName();
    ASSERT_GE(Holder.Config->OutPort, 0) << instrument.InputPortName();
    Boxes.clear();  // index 0 at creation may have been any port
    ports->CloseDevs();
    ports->OpenDevs();
    ASSERT_EQ(DevicesOpen, 1) << (Boxes.empty() ? "" : Boxes[0].Text);
    TPatch patch(nullptr);
    Receive(patch, 10s);
    ExpectFiveMessagesAndAClosedWindow(patch);
}

}  // namespace
}  // namespace zel::test
