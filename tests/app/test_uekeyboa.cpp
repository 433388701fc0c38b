// The on-screen keyboard: notes heard at the instrument simulator for clicks, drags and releases, the base
// octave buttons, the keys that lie above the last note number, and its settings across a reopen.
#include <gtest/gtest.h>

#include "KeyboardFixture.h"

namespace zel::test {
namespace {

TEST_F(KeyboardWindow, OpensFixedWithItsDefaultsAndMarksItselfOpen) {
    Open();
    EXPECT_EQ(Keyboard->Caption(), "Keyboard");
    EXPECT_EQ(Keyboard->GetWidth(), 384);
    EXPECT_EQ(Keyboard->GetHeight(), 123);
    EXPECT_EQ(Keyboard->HelpContext, 21);
    EXPECT_EQ(Holder.KeyboardOpen, 1);
    EXPECT_EQ(Keyboard->BaseOctave(), -1);
    EXPECT_TRUE(Keyboard->SpeedButton1->GetDown());
    EXPECT_EQ(Keyboard->SpeedButton1->Caption(), "-1");
    EXPECT_EQ(Keyboard->SpeedButton9->Caption(), "7");
    EXPECT_EQ(Keyboard->KeySelector->GetKeySelected(), -1);
    Keyboard->SetBounds(10, 10, 500, 300);
    EXPECT_EQ(Keyboard->GetWidth(), 384);
    EXPECT_EQ(Keyboard->GetHeight(), 123);
    Octave(3);
    Press(24);
    ASSERT_TRUE(SaveWindowImage(Keyboard->GetHandle(), ScreenshotPath("keyboard")));
    Release(24);
    CloseIt();
    EXPECT_EQ(Holder.KeyboardOpen, 0);
}

TEST_F(KeyboardWindow, AClickAndReleasePlaysOneNoteAndLeavesNoKeySelected) {
    ClickAndReleasePlaysOneNoteAndLeavesNoKeySelected();
}

TEST_F(KeyboardWindow, DraggingAcrossKeysSwitchesEachNoteOffBeforeTheNext) {
    DraggingAcrossKeysSwitchesEachNoteOffBeforeTheNext();
}

TEST_F(KeyboardWindow, AReleaseOnTheLeftmostKeyLeavesNoNoteHanging) {
    Open();
    Press(2);
    DragTo(-1);
    Release(-1);
    EXPECT_EQ(Heard(), (TMessages{On(2), Off(2)}));
}

// The keyboard plays at the preview's velocity: a configured velocity beyond seven bits is held at 127.
TEST_F(KeyboardWindow, AVelocityBeyondSevenBitsIsHeldAt127) {
    Holder.Config->Velocity = 200;
    Open();
    Press(2);
    Release(2);
    EXPECT_EQ(Heard(), (TMessages{{0x92, 2, 127}, Off(2)}));
}

TEST_F(KeyboardWindow, OctaveButtonsShiftTheKeysAndKeysAboveTheLastNoteSendNothing) {
    OctaveButtonsShiftTheKeysAndKeysAboveTheLastNoteSendNothing();
}

TEST_F(KeyboardWindow, ItsPlaceAndBaseOctaveSurviveAReopen) { ItsPlaceAndBaseOctaveSurviveAReopen(); }

TEST_F(KeyboardWindow, AStoredBaseOctaveOutsideTheButtonsOpensAtTheLowest) {
    AStoredBaseOctaveOutsideTheButtonsOpensAtTheLowest();
}

}  // namespace
}  // namespace zel::test
