#pragma once
// The start of every test over a real JACK transport: the program's MIDI goes through the JACK server in
// place of the in-process back end, and the test's JACK client opens there. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the test skips.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/midi/MidiBackend.h"
#include "support/InstrumentSimulator.h"
#include "support/JackInstrument.h"

namespace zel::test {

// Opens client on the JACK server, the simulator (when one is given) answering on its ports. False when
// there is no server: the test has then failed or been skipped, and the caller returns at once.
inline bool OpenOnJack(TJackInstrument& client, TInstrumentSimulator* simulator = nullptr) {
    setenv("ZELMOVI_MIDI_API", "jack", 0);
    SetMidiBackendForTests(nullptr);
    std::string why;
    if (!client.Open(why)) {
        [&] {
            if (JackRequired()) FAIL() << "JACK end-to-end tests need a JACK server: " << why;
            GTEST_SKIP() << "no JACK server: " << why;
        }();
        return false;
    }
    if (simulator != nullptr) client.AttachSimulator(*simulator);
    return true;
}

}  // namespace zel::test
