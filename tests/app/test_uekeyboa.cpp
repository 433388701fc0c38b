// The on-screen keyboard: notes heard at the instrument simulator for clicks, drags and releases, the base
// octave buttons, the keys that lie above the last note number, and its settings across a reopen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/Uekeyboa.h"
#include "controls/ControlsUnits.h"
#include "midi/dialog/Uemidiio.h"
#include "model/CurrentElements.h"
#include "model/Settings.h"
#include "platform/midi/MidiBackend.h"
#include "platform/rtl/IniFiles.h"
#include "platform/vcl/VclTestSupport.h"
#include "support/InstrumentSimulator.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

using TMessages = std::vector<TBytes>;

// The keyboard inside a main window, its notes going to the simulator through the program's ports, and the
// settings file in a folder of its own.
class KeyboardWindow : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        const char* config = std::getenv("XDG_CONFIG_HOME");
        if (config != nullptr) savedConfig_ = config;
        setenv("XDG_CONFIG_HOME", dir_.Path().c_str(), 1);
        savedServices_ = ModelServices();
        savedHolder_ = ZelmoHolder;
        ZelmoHolder = &Holder;
        Holder.Config->Velocity = 100;
        PreviewChannel = 3;
        Sim.AttachInProcess(backend_, "JV-1080");
        SetMidiBackendForTests(&backend_);
        ports_.reset(Construct<TFormInOut>(nullptr));
        main_ = Keep(Construct<TForm>(nullptr));
        main_->SetFormStyle(fsMDIForm);
        main_->SetBounds(0, 0, 800, 500);
        Application->MainForm = main_;
        main_->Show();
    }
    void TearDown() override {
        if (Keyboard != nullptr) delete Keyboard;
        ports_.reset();
        ProcessPendingMessages();
        SetMidiBackendForTests(nullptr);
        ModelServices() = savedServices_;
        ZelmoHolder = savedHolder_;
        DevicesOpen = 0;
        PreviewChannel = 1;
        if (savedConfig_.has_value()) setenv("XDG_CONFIG_HOME", savedConfig_->c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        VclTest::TearDown();
    }

    void Open() {
        Keyboard = Construct<TFormKeyboard>(nullptr);
        Keyboard->Show();
        ProcessPendingMessages();
        Sim.ClearLog();
    }
    // Closes the window as the user does; it releases itself.
    void CloseIt() {
        Keyboard->Close();
        ProcessPendingMessages();
        Keyboard = nullptr;
    }

    // A client point on the key: on its lower part for a white key, its upper part for a black one.
    LPARAM PointOn(int key) const {
        const TKeySelector* keys = Keyboard->KeySelector;
        for (int y : {keys->GetHeight() - 4, 4})
            for (int x = 0; x < keys->GetWidth(); ++x)
                if (keys->KeyAt(x, y) == key) return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
        ADD_FAILURE() << "no point on key " << key;
        return 0;
    }
    void Send(UINT message, WPARAM keys, int key) {
        SendMessage(Keyboard->KeySelector->GetHandle(), message, keys, PointOn(key));
        ProcessPendingMessages();
    }
    void Press(int key) { Send(WM_LBUTTONDOWN, MK_LBUTTON, key); }
    void DragTo(int key) { Send(WM_MOUSEMOVE, MK_LBUTTON, key); }
    void Release(int key) { Send(WM_LBUTTONUP, 0, key); }
    // Clicks an octave button as the user does.
    void Octave(int b) {
        TSpeedButton* button = Keyboard->OctaveButton(b);
        const int x = button->GetLeft() + 4, y = button->GetTop() + 4;
        const LPARAM at = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
        SendMessage(Keyboard->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessage(Keyboard->GetHandle(), WM_LBUTTONUP, 0, at);
        ProcessPendingMessages();
    }
    TMessages Heard() {
        ProcessPendingMessages();
        return Sim.ReceivedMessages();
    }
    static TBytes On(int note) { return {0x92, static_cast<std::uint8_t>(note), 100}; }
    static TBytes Off(int note) { return {0x82, static_cast<std::uint8_t>(note), 0}; }

    TUnitsScope units_{ControlsUnits()};
    TempDir dir_;
    TZelmo Holder;
    TInstrumentSimulator Sim{0x10};
    TFormKeyboard* Keyboard = nullptr;

private:
    TInProcessMidiBackend backend_;
    std::unique_ptr<TFormInOut> ports_;
    TForm* main_ = nullptr;
    TModelServices savedServices_;
    TZelmo* savedHolder_ = nullptr;
    std::optional<std::string> savedConfig_;
};

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
    Open();
    Octave(3);  // o = 4: key 12 is note 60
    Press(12);
    EXPECT_EQ(Keyboard->Caption(), "Keyboard ( Play note : C 4 )");
    EXPECT_EQ(Keyboard->SoundingNote(), 60);
    Release(12);
    EXPECT_EQ(Heard(), (TMessages{On(60), Off(60)}));
    EXPECT_EQ(Keyboard->SoundingNote(), -1);
    EXPECT_EQ(Keyboard->KeySelector->GetKeySelected(), -1);
    EXPECT_EQ(Keyboard->Caption(), "Keyboard");
}

TEST_F(KeyboardWindow, DraggingAcrossKeysSwitchesEachNoteOffBeforeTheNext) {
    Open();
    Press(10);  // base octave -1: note = key
    DragTo(11);
    DragTo(12);
    Release(12);
    EXPECT_EQ(Heard(), (TMessages{On(10), Off(10), On(11), Off(11), On(12), Off(12)}));
}

TEST_F(KeyboardWindow, AReleaseOnTheLeftmostKeyLeavesNoNoteHanging) {
    Open();
    Press(2);
    DragTo(-1);
    Release(-1);
    EXPECT_EQ(Heard(), (TMessages{On(2), Off(2)}));
}

TEST_F(KeyboardWindow, OctaveButtonsShiftTheKeysAndKeysAboveTheLastNoteSendNothing) {
    struct Case {
        int octave, key;
        std::optional<int> note;  // none: the key plays nothing
    };
    const Case cases[] = {
        {7, 0, 96}, {7, 31, 127}, {7, 32, std::nullopt}, {5, 62, std::nullopt}, {5, 55, 127}, {0, 5, 17},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "octave " << c.octave << " key " << c.key);
        Sim.ClearLog();
        Octave(c.octave);
        EXPECT_EQ(Keyboard->BaseOctave(), c.octave);
        Press(c.key);
        Release(c.key);
        const TMessages expected = c.note ? TMessages{On(*c.note), Off(*c.note)} : TMessages{};
        EXPECT_EQ(Heard(), expected);
        EXPECT_EQ(Keyboard->SoundingNote(), -1);
    }
}

TEST_F(KeyboardWindow, ItsPlaceAndBaseOctaveSurviveAReopen) {
    Open();
    Octave(5);
    Keyboard->SetBounds(30, 40, 384, 123);
    CloseIt();
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "BaseOctave", 99), 5);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Width", 0), 384);
    Open();
    EXPECT_EQ(Keyboard->GetLeft(), 30);
    EXPECT_EQ(Keyboard->GetTop(), 40);
    EXPECT_EQ(Keyboard->BaseOctave(), 5);
    EXPECT_TRUE(Keyboard->SpeedButton7->GetDown());
}

TEST_F(KeyboardWindow, AStoredBaseOctaveOutsideTheButtonsOpensAtTheLowest) {
    for (int stored : {20, -2}) {
        SCOPED_TRACE(stored);
        TIniFile(SettingsFileName).WriteInteger("Keyboard", "BaseOctave", stored);
        Open();
        EXPECT_EQ(Keyboard->BaseOctave(), -1);
        EXPECT_TRUE(Keyboard->SpeedButton1->GetDown());
        CloseIt();
    }
}

}  // namespace
}  // namespace zel::test
