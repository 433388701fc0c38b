// The on-screen keyboard over a real JACK transport: the simulator, a JACK client, hears the notes of
// clicks, drags and releases, of every octave, and of a keyboard reopened with its stored octave. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the tests skip.
#include <gtest/gtest.h>

#include <cstdlib>

#include "KeyboardFixture.h"

namespace zel::test {
namespace {

class KeyboardOverJack : public KeyboardWindow {
protected:
    // The port dialog lists the JACK ports; the configured indexes name the simulator's.
    void ConnectInstrument() override {
        setenv("ZELMOVI_MIDI_API", "jack", 0);
        SetMidiBackendForTests(nullptr);
        std::string why;
        if (!instrument_.Open(why)) {
            if (JackRequired()) FAIL() << "JACK end-to-end tests need a JACK server: " << why;
            GTEST_SKIP() << "no JACK server: " << why;
        }
        instrument_.AttachSimulator(Sim);
        Ports.reset(Construct<TFormInOut>(nullptr));
        Holder.Config->InPort = IndexOf(Ports->InputPort, instrument_.OutputPortName());
        Holder.Config->OutPort = IndexOf(Ports->OutputPort, instrument_.InputPortName());
        ASSERT_GE(Holder.Config->InPort, 0) << instrument_.OutputPortName();
        ASSERT_GE(Holder.Config->OutPort, 0) << instrument_.InputPortName();
        Boxes.clear();  // index 0 at creation may have been any port
        Ports->CloseDevs();
        Ports->OpenDevs();
        ASSERT_EQ(DevicesOpen, 1) << (Boxes.empty() ? "" : Boxes[0].Text);
    }
    static int IndexOf(TListBox* list, const std::string& name) {
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (list->Items()->Strings(i) == name) return i;
        return -1;
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
