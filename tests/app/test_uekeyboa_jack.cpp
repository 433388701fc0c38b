// The on-screen keyboard over a real JACK transport: the simulator, a JACK client, hears the notes of
// clicks, drags and releases, of every octave, and of a keyboard reopened with its stored octave. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the tests skip.
#include <gtest/gtest.h>

#include <cstdlib>

#include "JackPorts.h"
#include "KeyboardFixture.h"

namespace zel::test {
namespace {

class KeyboardOverJack : public KeyboardWindow {
protected:
    void ConnectInstrument() override {
        if (!OpenOnJack(instrument_, &Sim)) return;
        Ports.reset(Construct<TFormInOut>(nullptr));
        OpenPortsOn(instrument_, *Ports, *Holder.Config, Boxes);
    }

private:
    TJackInstrument instrument_{"zelmovi-keyboard"};
};

TEST_F(KeyboardOverJack, AClickAndReleasePlaysOneNoteAndLeavesNoKeySelected) {
    ClickAndReleasePlaysOneNoteAndLeavesNoKeySelected();
}

TEST_F(KeyboardOverJack, DraggingAcrossKeysSwitchesEachNoteOffBeforeTheNext) {
    DraggingAcrossKeysSwitchesEachNoteOffBeforeTheNext();
}

TEST_F(KeyboardOverJack, OctaveButtonsShiftTheKeysAndKeysAboveTheLastNoteSendNothing) {
    OctaveButtonsShiftTheKeysAndKeysAboveTheLastNoteSendNothing();
}

TEST_F(KeyboardOverJack, ItsPlaceAndBaseOctaveSurviveAReopen) { ItsPlaceAndBaseOctaveSurviveAReopen(); }

TEST_F(KeyboardOverJack, AStoredBaseOctaveOutsideTheButtonsOpensAtTheLowest) {
    AStoredBaseOctaveOutsideTheButtonsOpensAtTheLowest();
}

}  // namespace
}  // namespace zel::test
