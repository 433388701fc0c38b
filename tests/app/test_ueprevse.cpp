// The preview setup and the MIDI-file audition: the window's controls by real input, "Test" held and let
// go with the settings put back (also when the file cannot be played), OK and Cancel, Browse, and a
// format-1 file with a tempo change heard at the simulator at its times on the manual clock.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "ScreenInput.h"
#include "app/Ueprevse.h"
#include "support/midi/SmfBuilder.h"

namespace zel::test {
namespace {

class PreviewSetup : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        {
            TIniFile ini(SettingsFileName);
            ini.WriteInteger("Preview", "Single Note", 1);
            ini.WriteInteger("Preview", "Note", 60);
            ini.WriteInteger("Preview", "Velocity", 100);
            ini.WriteString("Preview", "Midifile", "Saved.Mid");
        }
        const TSmfBytes file = TempoChangeFile();
        WriteAll(Folder() + "/tempo.mid", std::string(file.begin(), file.end()));
    }
    // Settings > Preview; Act runs once while the modal window is up.
    void ShowPreviewSetup(const std::function<void()>& Act) {
        bool done = false;
        Application->OnIdle = [&](TObject*, bool& idleDone) {
            idleDone = true;
            if (done || !FormPreviewSetup->GetVisible()) return;
            done = true;
            Act();
        };
        Click(Formzelmo->SetPreviewItem);
        Application->OnIdle = nullptr;
        EXPECT_TRUE(done);
    }
    static void Press(TControl* control) {
        SetCursorPos(ScreenPoint(control, 10, 10).x, ScreenPoint(control, 10, 10).y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    static void Release() {
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    // The preview settings as one line, to compare before and after.
    static std::string PreviewSettings() {
        const TConfig& c = *ZelmoHolder->Config;
        return std::to_string(c.SingleNote) + " " + std::to_string(c.Note) + " " + std::to_string(c.Velocity) + " " +
               c.Midifile;
    }
    // What the simulator heard that is not System Exclusive from the program's own requests, in order.
    std::vector<TBytes> Heard() const { return Sim.ReceivedMessages(); }
};

TEST_F(PreviewSetup, TestPlaysTheWindowsNoteAndPutsTheSettingsBack) {
    StartAndWaitOutTheIntro();
    const std::string saved = PreviewSettings();
    int velocity = -1;
    std::string screenshot;
    ShowPreviewSetup([&] {
        EXPECT_TRUE(FormPreviewSetup->RadioSingle->GetChecked());
        EXPECT_TRUE(FormPreviewSetup->PanelNote->GetEnabled());
        EXPECT_FALSE(FormPreviewSetup->PanelMidi->GetEnabled());
        EXPECT_EQ(FormPreviewSetup->Note->DisplayText(), " C 4");
        EXPECT_EQ(FormPreviewSetup->MidiName->GetText(), "Saved.Mid");
        // Two steps up for the note; a click on the velocity's cell steps it down.
        ClickControl(FormPreviewSetup->Note->UpButton(), 4, 4);
        ClickControl(FormPreviewSetup->Note->UpButton(), 4, 4);
        ClickControl(FormPreviewSetup->Velocity->Cell(), 4, 4);
        velocity = FormPreviewSetup->Velocity->GetValue();
        screenshot = ScreenshotPath("preview_setup");
        EXPECT_TRUE(SaveWindowImage(FormPreviewSetup->GetHandle(), screenshot));
        Sim.ClearLog();
        Press(FormPreviewSetup->BitBtn1);
        EXPECT_EQ(Heard(), (std::vector<TBytes>{{0x90, 62, static_cast<std::uint8_t>(velocity)}}));
        EXPECT_EQ(Screen->GetCursor(), AuditionCursor);
        Release();
        EXPECT_EQ(Heard(), (std::vector<TBytes>{{0x90, 62, static_cast<std::uint8_t>(velocity)}, {0x80, 62, 0}}));
        EXPECT_EQ(PreviewSettings(), saved);
        ClickControl(FormPreviewSetup->BitBtn3);
    });
    std::printf("screenshot: %s\n", screenshot.c_str());
    EXPECT_EQ(velocity, 99);
    EXPECT_EQ(PreviewSettings(), saved);
    EXPECT_EQ(TIniFile(SettingsFileName).ReadInteger("Preview", "Note", -1), 60);
}

TEST_F(PreviewSetup, OkStoresTheChoiceAndBrowseTakesTheChosenFile) {
    StartAndWaitOutTheIntro();
    TOpenDialog seen(nullptr);
    const auto oldAnswerer = SetFileDialogAnswerer([&](TOpenDialog& d) {
        seen.Title = d.Title;
        seen.Filter = d.Filter;
        seen.DefaultExt = d.DefaultExt;
        seen.InitialDir = d.InitialDir;
        seen.FileName = d.FileName;
        seen.Options = d.Options;
        d.FileName = Folder() + "/tempo.mid";
        return true;
    });
    ShowPreviewSetup([&] {
        ClickControl(FormPreviewSetup->RadioMidi, 6, 8);
        EXPECT_FALSE(FormPreviewSetup->PanelNote->GetEnabled());
        EXPECT_TRUE(FormPreviewSetup->PanelMidi->GetEnabled());
        ClickControl(FormPreviewSetup->Cercabtn);
        EXPECT_EQ(FormPreviewSetup->MidiName->GetText(), Folder() + "/tempo.mid");
        ClickControl(FormPreviewSetup->BitBtn2);
    });
    SetFileDialogAnswerer(oldAnswerer);
    EXPECT_EQ(seen.Title, "Select Midi File");
    EXPECT_EQ(seen.Filter, "Mid file|*.Mid");
    EXPECT_EQ(seen.DefaultExt, "Mid");
    // "Saved.Mid" has no folder: the dialog starts in the data folder, with the file's name.
    EXPECT_EQ(seen.InitialDir, DataFolder());
    EXPECT_EQ(seen.FileName, "Saved.Mid");
    EXPECT_TRUE(seen.Options.Contains(ofPathMustExist));
    EXPECT_TRUE(seen.Options.Contains(ofFileMustExist));
    EXPECT_EQ(PreviewSettings(), "0 60 100 " + Folder() + "/tempo.mid");
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Preview", "Single Note", -1), 0);
    EXPECT_EQ(ini.ReadString("Preview", "Midifile", ""), Folder() + "/tempo.mid");
}

// The notes of the tempo-change file come at 0, 500 and 1000 ms; its SysEx at 1250 ms.
TEST_F(PreviewSetup, AShiftRightClickPlaysTheMidiFileAtItsTempo) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Preview", "Single Note", 0);
        ini.WriteString("Preview", "Midifile", Folder() + "/tempo.mid");
    }
    StartAndWaitOutTheIntro();
    Sim.ClearLog();
    HWND client = Formzelmo->ClientHandle();
    PostMessage(client, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(100, 100));
    Application->ProcessMessages();
    EXPECT_EQ(DevicesOpen, 1);  // the port dialog's flag stays; its ports are closed
    EXPECT_FALSE(Backend.InputOpen("JV-1080"));
    std::vector<std::pair<TTick, TBytes>> heard;
    for (TTick t = 0; t <= 1300; t += 10) {
        for (std::size_t i = heard.size(); i < Sim.ReceivedMessages().size(); ++i)
            heard.emplace_back(t, Sim.ReceivedMessages()[i]);
        Clock->Advance(10);
        ProcessPendingMessages();
    }
    EXPECT_EQ(heard, (std::vector<std::pair<TTick, TBytes>>{{0, {0x90, 0x3C, 0x64}},
                                                            {500, {0x90, 0x3C, 0x00}},
                                                            {1000, {0x90, 0x40, 0x64}},
                                                            {1250, {0x80, 0x40, 0x00}},
                                                            {1250, {0xF0, 0x41, 0x10, 0x42, 0x12, 0xF7}}}));
    PostMessage(client, WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
    Application->ProcessMessages();
    EXPECT_TRUE(Backend.InputOpen("JV-1080"));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST_F(PreviewSetup, ReleasingMidNoteEndsThatNoteAndReopensThePorts) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Preview", "Single Note", 0);
        ini.WriteString("Preview", "Midifile", Folder() + "/tempo.mid");
    }
    StartAndWaitOutTheIntro();
    ShowPreviewSetup([&] {
        Sim.ClearLog();
        Press(FormPreviewSetup->BitBtn1);
        EXPECT_FALSE(Backend.InputOpen("JV-1080"));
        Clock->Advance(1100);  // the second note sounds
        ProcessPendingMessages();
        Release();
        EXPECT_EQ(Heard(), (std::vector<TBytes>{
                               {0x90, 0x3C, 0x64}, {0x90, 0x3C, 0x00}, {0x90, 0x40, 0x64}, {0x80, 0x40, 0x00}}));
        EXPECT_TRUE(Backend.InputOpen("JV-1080"));
        ClickControl(FormPreviewSetup->BitBtn3);
    });
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(PreviewSetup, AFileThatCannotBePlayedSaysSoAndLeavesTheSettingsAsTheyWere) {
    struct TRow {
        const char* name;
        std::string file;
        std::string bytes;  // none: the file is not there
    } rows[] = {
        {"missing", "missing.mid", ""},
        {"damaged", "damaged.mid", std::string("MThd\0\0\0\6\0\1\0\2\0\x60MTrk\0\0\1\0\x90", 23)},
        {"a .Syx renamed", "renamed.mid", "\xF0\x41\x10\x6A\x12\x00\x00\x00\x00\x01\x7F\xF7"},
    };
    StartAndWaitOutTheIntro();
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.name);
        if (!r.bytes.empty()) WriteAll(Folder() + "/" + r.file, r.bytes);
        const std::string saved = PreviewSettings();
        Boxes.clear();
        ShowPreviewSetup([&] {
            ClickControl(FormPreviewSetup->RadioMidi, 6, 8);
            FormPreviewSetup->MidiName->SetText(Folder() + "/" + r.file);
            Press(FormPreviewSetup->BitBtn1);
            // The message box has come and gone while the button was down: the settings are back.
            EXPECT_EQ(PreviewSettings(), saved);
            Release();
            EXPECT_EQ(PreviewSettings(), saved);
            EXPECT_TRUE(Backend.InputOpen("JV-1080"));
            ClickControl(FormPreviewSetup->BitBtn3);
        });
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Unable to Open Midi File."});
        EXPECT_EQ(Screen->GetCursor(), crDefault);
    }
}

}  // namespace
}  // namespace zel::test
