#pragma once
// The fixture of the on-screen keyboard's tests: the keyboard inside a main window, its notes going through
// the program's ports to the instrument simulator (in-process here, over a JACK server in the derived
// fixture), and the settings file in a folder of its own. The behaviours that reach the instrument are
// written once here and run over both transports.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
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
#include "support/InstrumentSimulator.h"
#include "support/JackInstrument.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {

using TMessages = std::vector<TBytes>;

// A client point on a key of the selector: on its lower part for a white key, its upper part for a black one.
inline LPARAM PointOnKey(const TKeySelector* keys, int key) {
    for (int y : {keys->GetHeight() - 4, 4})
        for (int x = 0; x < keys->GetWidth(); ++x)
            if (keys->KeyAt(x, y) == key) return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    ADD_FAILURE() << "no point on key " << key;
    return 0;
}

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
        ConnectInstrument();
        if (IsSkipped() || HasFatalFailure()) return;
        main_ = Keep(Construct<TForm>(nullptr));
        main_->SetFormStyle(fsMDIForm);
        main_->SetBounds(0, 0, 800, 500);
        Application->MainForm = main_;
        main_->Show();
    }
    void TearDown() override {
        if (Keyboard != nullptr) delete Keyboard;
        Ports.reset();
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
    // Puts the simulator behind the program's ports: here through the in-process back end, where its
    // ports are the only ones, so the port dialog opens them.
    virtual void ConnectInstrument() {
        Sim.AttachInProcess(backend_, "JV-1080");
        SetMidiBackendForTests(&backend_);
        Ports.reset(Construct<TFormInOut>(nullptr));
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

    LPARAM PointOn(int key) const { return PointOnKey(Keyboard->KeySelector, key); }
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
    // What the instrument heard since the last look. A transport may deliver a little later, but in the
    // order sent: a marker sent last ends what there is to hear, so that hearing nothing is seen at once.
    TMessages Heard() {
        const TBytes marker{0xBF, 0x66, 0x00};
        ProcessPendingMessages();
        ModelServices().MidiPorts->PutShort(marker[0], marker[1], marker[2]);
        TMessages heard;
        const bool arrived = TJackInstrument::WaitFor(
            [&] {
                heard = Sim.ReceivedMessages();
                return !heard.empty() && heard.back() == marker;
            },
            std::chrono::seconds(5));
        EXPECT_TRUE(arrived) << "the instrument did not hear the marker";
        if (arrived) heard.pop_back();
        Sim.ClearLog();
        return heard;
    }
    static TBytes On(int note) { return {0x92, static_cast<std::uint8_t>(note), 100}; }
    static TBytes Off(int note) { return {0x82, static_cast<std::uint8_t>(note), 0}; }

    // ---- behaviours that reach the instrument, run over each transport

    void ClickAndReleasePlaysOneNoteAndLeavesNoKeySelected() {
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

    void DraggingAcrossKeysSwitchesEachNoteOffBeforeTheNext() {
        Open();
        Press(10);  // base octave -1: note = key
        DragTo(11);
        DragTo(12);
        Release(12);
        EXPECT_EQ(Heard(), (TMessages{On(10), Off(10), On(11), Off(11), On(12), Off(12)}));
    }

    void OctaveButtonsShiftTheKeysAndKeysAboveTheLastNoteSendNothing() {
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
            Octave(c.octave);
            EXPECT_EQ(Keyboard->BaseOctave(), c.octave);
            Press(c.key);
            Release(c.key);
            const TMessages expected = c.note ? TMessages{On(*c.note), Off(*c.note)} : TMessages{};
            EXPECT_EQ(Heard(), expected);
            EXPECT_EQ(Keyboard->SoundingNote(), -1);
        }
    }

    // Reopened, the window is where it was and plays in the octave it had.
    void ItsPlaceAndBaseOctaveSurviveAReopen() {
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
        Press(12);
        Release(12);
        EXPECT_EQ(Heard(), (TMessages{On(84), Off(84)}));
    }

    // A hand-edited base octave outside the buttons opens at the lowest, and plays there.
    void AStoredBaseOctaveOutsideTheButtonsOpensAtTheLowest() {
        for (int stored : {20, -2}) {
            SCOPED_TRACE(stored);
            TIniFile(SettingsFileName).WriteInteger("Keyboard", "BaseOctave", stored);
            Open();
            EXPECT_EQ(Keyboard->BaseOctave(), -1);
            EXPECT_TRUE(Keyboard->SpeedButton1->GetDown());
            EXPECT_EQ(Keyboard->SpeedButton1->Caption(), "-1");
            Press(12);
            Release(12);
            EXPECT_EQ(Heard(), (TMessages{On(12), Off(12)}));
            CloseIt();
        }
    }

    TUnitsScope units_{ControlsUnits()};
    TempDir dir_;
    TZelmo Holder;
    TInstrumentSimulator Sim{0x10};
    TFormKeyboard* Keyboard = nullptr;
    std::unique_ptr<TFormInOut> Ports;

private:
    TInProcessMidiBackend backend_;
    TForm* main_ = nullptr;
    TModelServices savedServices_;
    TZelmo* savedHolder_ = nullptr;
    std::optional<std::string> savedConfig_;
};

}  // namespace zel::test
