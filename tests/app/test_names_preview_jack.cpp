// A musician's session, end to end over a real JACK transport by real clicks: a first start with an empty
// data folder, Settings > Names fetching the instrument simulator's names, the picker showing them,
// Settings > Preview choosing a MIDI file that "Test" plays, a Shift + right click playing it again, and
// the next start keeping the choice. The MIDI file's times run on the manual clock. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the test skips.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BarInput.h"
#include "JackPorts.h"
#include "NameUpdateFixture.h"
#include "ProgramFixture.h"
#include "ScreenInput.h"
#include "support/midi/SmfBuilder.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

class NamesAndPreviewOverJack : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        jack_ = OpenOnJack(instrument_, &Sim);
        PutSimulatedNames(Sim);
        const TSmfBytes file = TempoChangeFile();
        WriteAll(Folder() + "/song.mid", std::string(file.begin(), file.end()));
        // The instrument's ports, as the port dialog stores them when the user picks them.
        TIniFile ini(SettingsFileName);
        ini.WriteString("MidiPort", "InName", instrument_.OutputPortName());
        ini.WriteString("MidiPort", "OutName", instrument_.InputPortName());
        ini.WriteInteger("Midi", "DeviceID", 17);
    }
    // Runs Act once the modal window is up, and gives up on the window after a while.
    static void WhileShown(TCustomForm* form, const std::function<void()>& Act, const std::function<void()>& Open) {
        bool done = false;
        const auto until = std::chrono::steady_clock::now() + 60s;
        Application->OnIdle = [&](TObject*, bool& idleDone) {
            idleDone = false;
            SendQueued();  // the time the queued requests take
            if (std::chrono::steady_clock::now() > until) form->ModalResult = mrAbort;
            if (done || !form->GetVisible()) return;
            done = true;
            if (Act) Act();
        };
        Open();
        Application->OnIdle = nullptr;
        EXPECT_TRUE(done);
        EXPECT_NE(form->ModalResult, mrAbort);
    }
    // Moves the manual clock through the MIDI file and waits for what it sends to arrive.
    std::vector<TBytes> PlayThrough(std::size_t expected) {
        for (int step = 0; step < 14; ++step) {
            Clock->Advance(100);
            ProcessPendingMessages();
        }
        std::vector<TBytes> heard;
        TJackInstrument::WaitFor(
            [&] {
                heard = Sim.ReceivedMessages();
                return heard.size() >= expected;
            },
            5s);
        return heard;
    }
    static void PressAt(POINT p) {
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
    }

    TJackInstrument instrument_{"zelmovi-names-preview"};
    bool jack_ = false;
};

// What the song sends, in its order.
const std::vector<TBytes> SongNotes = {{0x90, 0x3C, 0x64},
                                       {0x90, 0x3C, 0x00},
                                       {0x90, 0x40, 0x64},
                                       {0x80, 0x40, 0x00},
                                       {0xF0, 0x41, 0x10, 0x42, 0x12, 0xF7}};

TEST_F(NamesAndPreviewOverJack, FetchesTheNamesPicksOneAndAuditionsAMidiFile) {
    if (!jack_) return;
    Start();
    Wait(2000);
    ASSERT_EQ(Formintro, nullptr);
    ASSERT_EQ(DevicesOpen, 1);
    EXPECT_EQ(ReadAll(DataFolder() + "/Names.Txt"), ShippedNames());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});

    // Settings > Names.
    WhileShown(FormUpdateNames, nullptr,
               [&] { ChooseFromMenu(Formzelmo, Formzelmo->Settings1, Formzelmo->SetPatchAndPerf, true); });
    ASSERT_TRUE(std::filesystem::exists(DataFolder() + "/UserCard.Txt")) << "at step " << FormUpdateNames->Step;
    EXPECT_EQ(ReadAll(DataFolder() + "/UserCard.Txt"), ExpectedUserCard(true));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});

    // The picker's user patch list, as a patch selector shows it: the third name picked.
    FormNames->Selected = 0;
    FormNames->SetType(61);
    EXPECT_EQ(FormNames->StringGrid1->GetCells(0, 0), "User Pat 001");
    EXPECT_EQ(FormNames->StringGrid1->GetCells(1, 21), "User Pat 128");
    WhileShown(
        FormNames,
        [&] {
            const TRect r = FormNames->StringGrid1->CellRect(2, 0);
            ClickScreen(ScreenPoint(FormNames->StringGrid1, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
            ClickControl(FormNames->BitBtn3);
        },
        [&] { FormNames->ShowModal(); });
    EXPECT_EQ(FormNames->Selected, 2);

    // Settings > Preview: a MIDI file, tried with "Test", kept with OK.
    const auto oldAnswerer = SetFileDialogAnswerer([&](TOpenDialog& d) {
        d.FileName = Folder() + "/song.mid";
        return true;
    });
    std::vector<TBytes> tested;
    WhileShown(
        FormPreviewSetup,
        [&] {
            ClickControl(FormPreviewSetup->RadioMidi, 6, 8);
            ClickControl(FormPreviewSetup->Cercabtn);
            Sim.ClearLog();
            PressAt(ScreenPoint(FormPreviewSetup->BitBtn1, 10, 10));
            tested = PlayThrough(SongNotes.size());
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            ProcessPendingMessages();
            ClickControl(FormPreviewSetup->BitBtn2);
        },
        [&] { ChooseFromMenu(Formzelmo, Formzelmo->Settings1, Formzelmo->SetPreviewItem, true); });
    SetFileDialogAnswerer(oldAnswerer);
    EXPECT_EQ(tested, SongNotes);
    EXPECT_EQ(ZelmoHolder->Config->SingleNote, 0);
    EXPECT_EQ(ZelmoHolder->Config->Midifile, Folder() + "/song.mid");
    ASSERT_EQ(DevicesOpen, 1);

    // Shift + right button in the main window plays it again.
    Sim.ClearLog();
    HWND client = Formzelmo->ClientHandle();
    PostMessage(client, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(100, 100));
    Application->ProcessMessages();
    EXPECT_EQ(PlayThrough(SongNotes.size()), SongNotes);
    PostMessage(client, WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
    Application->ProcessMessages();
    EXPECT_EQ(Screen->GetCursor(), crDefault);

    // The next start keeps the choice.
    ChooseFromMenu(Formzelmo, Formzelmo->File1, Formzelmo->FileExitItem);
    EXPECT_EQ(Formzelmo, nullptr);
    EXPECT_TRUE(QuitPosted());
    FreeLastingWindows();
    Start();
    Wait(2000);
    EXPECT_EQ(ZelmoHolder->Config->SingleNote, 0);
    EXPECT_EQ(ZelmoHolder->Config->Midifile, Folder() + "/song.mid");
    EXPECT_EQ(FormNames->List(61).Get(0), "User Pat 001");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace zel::test
