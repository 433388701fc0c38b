#pragma once
// The program started on a real JACK transport with the instrument simulator as a JACK client behind the
// chosen ports (device ID 17), for the end-to-end sessions with the sound editors: real clicks and keys,
// file dialogs answered from a list. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure;
// elsewhere the tests skip.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <string>

#include "EditorsFixture.h"
#include "app/JackPorts.h"
#include "platform/rtl/IniFiles.h"
#include "support/JackTest.h"

namespace zel::test {

using namespace std::chrono_literals;

// The program on JACK under any fixture of the editor tests (TBase: Editors or one derived from it).
template <class TBase>
class OverJack : public TBase {
protected:
    // The program started on JACK, with the instrument's ports chosen in the port dialog.
    void SetUp() override {
        this->Program::SetUp();
        this->Sim.DeviceByte = 0x10;
        if (!OpenOnJack(instrument_, &this->Sim)) return;
        {
            TIniFile ini(SettingsFileName);
            ini.WriteInteger("Midi", "DeviceID", 17);
        }
        this->Start();
        this->Wait(2000);
        ASSERT_NE(FormInOut, nullptr);
        OpenPortsOn(instrument_, *FormInOut, *ZelmoHolder->Config, this->Boxes);
        oldDialogs_ = SetFileDialogAnswerer([this](TOpenDialog& d) {
            if (Choose.empty()) return false;
            d.FileName = Choose.front();
            Choose.pop_front();
            return true;
        });
    }
    void TearDown() override {
        SetFileDialogAnswerer(std::move(oldDialogs_));
        this->Program::TearDown();
    }
    static POINT RowPoint(TFormLibrary* form, int row) {
        return TBase::ScreenPoint(form->DrawGrid, 100, (row - form->DrawGrid->GetTopRow()) * 18 + 9);
    }
    void DoubleClickAt(POINT p) {
        this->Clock->Advance(GetDoubleClickTime() + 1);
        SetCursorPos(p.x, p.y);
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        RunQueue();
        Program::SendQueued();
    }
    bool Arrived(const std::string& message) {
        return TJackInstrument::WaitFor(
            [&] {
                for (const TBytes& m : this->Sim.ReceivedMessages())
                    if (TBase::Hex(m) == message) return true;
                return false;
            },
            5s);
    }

    TJackInstrument instrument_{"zelmovi-editors"};
    std::deque<std::string> Choose;

private:
    TFileDialogAnswerer oldDialogs_;
};

using EditorsOverJack = OverJack<Editors>;

}  // namespace zel::test
