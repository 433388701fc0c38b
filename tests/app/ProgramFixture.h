#pragma once
// The program as its main block starts it, for tests of the main window and what a musician reaches from
// it: the manual clock, the settings and the user's folders in a folder of their own, and the instrument
// simulator behind the MIDI ports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/Intro.h"
#include "app/Main.h"
#include "app/PrinterService.h"
#include "app/Ueabout.h"
#include "app/Uecommen.h"
#include "app/Ueedit.h"
#include "app/Ueexpan.h"
#include "app/Uekeyboa.h"
#include "app/Uemonito.h"
#include "app/Uemorph.h"
#include "app/Uenames.h"
#include "app/Ueprevse.h"
#include "app/Uerandom.h"
#include "app/Uesearch.h"
#include "app/Uetransm.h"
#include "app/Ueupdana.h"
#include "controls/ControlsUnits.h"
#include "midi/dialog/Uemidiio.h"
#include "model/CurrentElements.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"
#include "platform/midi/MidiBackend.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/IniFiles.h"
#include "support/InstrumentSimulator.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiBaseUnits.h"

namespace zel::test {

using TLines = std::vector<std::string>;

// What a test of the program changes around it and puts back when it goes: the user's folders (HOME, with
// XDG_CONFIG_HOME below it) in a folder of the test's own, the model's services, the holder and the count
// of open devices.
class TProgramSurroundings {
public:
    explicit TProgramSurroundings(const std::string& folder) {
        for (const char* name : {"XDG_CONFIG_HOME", "HOME"}) {
            const char* value = std::getenv(name);
            savedEnv_.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("HOME", folder.c_str(), 1);
        savedServices_ = ModelServices();
        savedHolder_ = ZelmoHolder;
    }
    ~TProgramSurroundings() {
        ModelServices() = savedServices_;
        ZelmoHolder = savedHolder_;
        DevicesOpen = 0;
        for (auto& [name, value] : savedEnv_) {
            if (value.has_value()) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    TProgramSurroundings(const TProgramSurroundings&) = delete;
    TProgramSurroundings& operator=(const TProgramSurroundings&) = delete;

private:
    TModelServices savedServices_;
    TZelmo* savedHolder_ = nullptr;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;
};

class Program : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        surroundings_.emplace(Folder());
        savedProgramFolder_ = ProgramFolder;
        ProgramFolder = Folder();
        SetMidiBackendForTests(&Backend);
        WriteAll(Folder() + "/Names.Txt", ShippedNames());
        // The screen's cursor outlives a test, and an audition left sounding leaves it at the audition's,
        // by which the main window takes the next right-button release for the audition's end.
        Screen->SetCursor(crDefault);
        ForgetAudition();
    }
    void TearDown() override {
        FreeLastingWindows();
        delete Formintro;
        delete Formzelmo;
        ProcessPendingMessages();
        // A test that ends the program leaves its quit message behind.
        while (QuitPosted()) {
        }
        SetMidiBackendForTests(nullptr);
        ForgetAudition();
        surroundings_.reset();
        ProgramFolder = savedProgramFolder_;
        VclTest::TearDown();
    }

    // The windows the start-up makes to keep (all but the main window), as the program's end frees them.
    // The main window clears their names as they go; after a test that ended the program there is none to
    // do it, and the next test must not find windows freed already.
    static void FreeLastingWindows() {
        const auto free = [](auto*& form) {
            delete form;
            form = nullptr;
        };
        free(FormInOut);
        free(FormSearch);
        free(FormMorph);
        free(FormRandom);
        free(FormPreviewSetup);
        free(FormTransmet);
        free(Formcomment);
        free(FormEdit);
        free(FormUpdateNames);
        free(FormNames);
        free(FormExpansion);
        free(FormeditorAbout);
    }
    // The instrument behind the ports; without it there is no MIDI system at all.
    void AttachInstrument() { Sim.AttachInProcess(Backend, "JV-1080"); }
    // The main block's start: its windows, and the main window shown as its message loop shows it.
    void Start() {
        CreateStartWindows();
        Formzelmo->Show();
        ProcessPendingMessages();
    }
    // Lets the time pass, then handles what it brought and what that posted in turn (a window's release).
    void Wait(TTick ms) {
        Clock->Advance(ms);
        ProcessPendingMessages();
        ProcessPendingMessages();
    }
    // Lets the time pass until every queued message has gone out to the instrument, as the event loop
    // sends them, handling what each step brings.
    static void SendQueued() {
        auto* clock = dynamic_cast<TManualClock*>(&zel::Clock());
        while (clock != nullptr && QueuedMessages() > 0) {
            clock->Advance(SendPaceMs);
            ProcessPendingMessages();
        }
    }
    void StartAndWaitOutTheIntro() {
        AttachInstrument();
        Start();
        Wait(2000);
        ASSERT_EQ(Formintro, nullptr);
    }
    // Takes the quit message that ends the application's loop, when one was posted.
    static bool QuitPosted() {
        MSG msg{};
        return PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : Boxes) texts.push_back(b.Text);
        return texts;
    }
    static TLines Lines(TMemo* memo) {
        TLines lines;
        for (int i = 0; i < memo->Lines()->Count(); ++i) lines.push_back(memo->Lines()->Strings(i));
        return lines;
    }
    std::vector<std::string> ChildClasses() const {
        std::vector<std::string> names;
        for (int i = 0; i < Formzelmo->MDIChildCount(); ++i) names.push_back(Formzelmo->MDIChildren(i)->ClassName());
        return names;
    }
    static void Click(TubBarItem* item) {
        item->Click();
        ProcessPendingMessages();
    }
    // A press and release on a control (a button of a window), through its parent's messages as the mouse
    // gives them.
    static void ClickOn(TControl* control) {
        const LPARAM at =
            MAKELPARAM(static_cast<WORD>(control->GetLeft() + 4), static_cast<WORD>(control->GetTop() + 4));
        SendMessage(control->GetParent()->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessage(control->GetParent()->GetHandle(), WM_LBUTTONUP, 0, at);
        ProcessPendingMessages();
    }

    std::string Folder() const { return dir_.Path().string(); }
    // The name file beside the program: the 58 lists with one name each, "List 1" to "List 58".
    static std::string ShippedNames() {
        std::string text;
        for (int list = 1; list <= 58; ++list)
            text += (list > 1 ? "\xC7\r\n" : "") + ("List " + std::to_string(list) + "      ").substr(0, 12) + "\r\n";
        return text;
    }
    // The program's data folder, where the name files are read.
    static std::string DataFolder() { return DefaultDataFolder(); }

    TUnitsScope units_{JoinUnitRows({ControlsUnits(), uiBaseUnits(), ubBarUnits(), MainUnits()})};
    TManualClockScope Clock;
    TempDir dir_;
    TInProcessMidiBackend Backend;
    TInstrumentSimulator Sim{0x10};

private:
    std::optional<TProgramSurroundings> surroundings_;
    std::string savedProgramFolder_;
};

}  // namespace zel::test
