// Drags and bank windows over a real JACK transport to the instrument simulator, in the whole program: a
// musician's session from a library file to the instrument's user memory and back to the same file, and
// the audition of a patch bank's member. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure;
// elsewhere the tests skip.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "DragFixture.h"
#include "JackPorts.h"
#include "app/Uetransm.h"
#include "model/Patch.h"
#include "platform/vcl/Dialogs.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

std::uint32_t UserPatch(int slot) { return Addr(0x11, static_cast<std::uint8_t>(slot - 1), 0x00, 0x00); }

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DragsOverJack : public DragProgram {
protected:
    void SetUp() override {
        Program::SetUp();
        if (!OpenOnJack(instrument_, &Sim)) return;
        {
            TIniFile ini(SettingsFileName);
            ini.WriteInteger("Midi", "DeviceID", 17);  // the instrument's
            ini.WriteInteger("Preview", "Single Note", 1);
            ini.WriteInteger("Preview", "Note", 64);
            ini.WriteInteger("Preview", "Velocity", 90);
        }
        Start();
        Wait(2000);
        ASSERT_NE(FormInOut, nullptr);
        OpenPortsOn(instrument_, *FormInOut, *ZelmoHolder->Config, Boxes);
        Formzelmo->SetWindowState(wsNormal);
        Formzelmo->SetBounds(0, 0, 1500, 1000);
        ProcessPendingMessages();
        savedDialogs_ = SetFileDialogAnswerer([this](TOpenDialog& d) {
            if (Choose.empty()) return false;
            d.FileName = Choose;
            return true;
        });
    }
    void TearDown() override {
        SetFileDialogAnswerer(std::move(savedDialogs_));
        Program::TearDown();
    }
    std::string NameAt(std::uint32_t address) const {
        const TBytes name = Sim.Read(address, 12);
        return std::string(name.begin(), name.end());
    }
    // A click that shows progress windows: while one shows, the time passes beside the transport's.
    void WithRealProgress(const std::function<void()>& Act) {
        const auto until = std::chrono::steady_clock::now() + 60s;
        ProgressTick = [&] {
            if (std::chrono::steady_clock::now() > until) {
                TimedOut = true;
                FormTransmet->Close();
                return;
            }
            std::this_thread::sleep_for(200us);
            Clock->Advance(5);
        };
        WithProgress(Act);
        ProgressTick = nullptr;
    }
    static void DoubleClick(POINT p) {
        SetCursorPos(p.x, p.y);
        for (int i = 0; i < 2; ++i) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        RunQueue();
    }
    static int RowOfKind(TFormLibrary* w, int kind) {
        for (int row = 0; row < w->DrawGrid->GetRowCount(); ++row)
            if (const int i = w->CalcIndex(row); i >= 0 && At(w, i).ElemType == kind) return row;
        return -1;
    }

    TJackInstrument instrument_{"zelmovi-drags"};
    std::string Choose;  // the path the file dialogs choose; empty: cancelled
    bool TimedOut = false;

private:
    TFileDialogAnswerer savedDialogs_;
};

// Open a .Lib holding a patch bank and a patch, double-click the bank, drag the patch onto its fifth row,
// Copy; Send Selected on the bank puts the patch at the instrument's user patch 5; Save, close, open
// and Save again: the same bytes, and member 5 still holds the patch.
TEST_F(DragsOverJack, AUsersSessionFromADropToTheInstrumentAndBack) {
    const std::string file = Folder() + "/session.Lib";
    {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatchBank, &library));
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        library.Elements.back()->SetName("Lead", false);
        static_cast<TPatch&>(*library.Elements.back()).Common->Message[9 + 30] = 0x42;
        library.SaveToFile(file);
    }
    Choose = file;
    Click(Formzelmo->FileOpenItem);
    auto* lib = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
    ASSERT_NE(lib, nullptr);
    lib->SetBounds(0, 0, lib->GetWidth(), lib->GetHeight());
    ProcessPendingMessages();
    const int bankRow = RowOfKind(lib, etPatchBank);
    const int patchRow = RowOfKind(lib, etPatch);
    ASSERT_GE(bankRow, 0);
    ASSERT_GE(patchRow, 0);
    auto& bank = static_cast<TPatchBank&>(At(lib, lib->CalcIndex(bankRow)));

    Clock->Advance(GetDoubleClickTime() + 1);
    DoubleClick(RowPoint(lib->DrawGrid, bankRow));
    auto* window = dynamic_cast<TFormBank*>(bank.Window);
    ASSERT_NE(window, nullptr);
    window->SetBounds(700, 0, window->GetWidth(), window->GetHeight());
    ProcessPendingMessages();
    DragDrop(RowPoint(lib->DrawGrid, patchRow), RowPoint(window->DrawGrid, 4), TAnswer::Copy);
    TPatch& five = bank.Patch(4);
    EXPECT_EQ(five.GetName(), "Lead");
    EXPECT_EQ(five.LocationText(), "User : 5");
    EXPECT_EQ(five.Common->Message[9 + 30], 0x42);

    // The bank alone selected in the library, then Send Selected.
    Press(RowPoint(lib->DrawGrid, bankRow));
    Sim.ClearLog();
    WithRealProgress([&] { Press(ScreenPoint(lib->speedtransmet, 5, 5)); });
    EXPECT_FALSE(TimedOut);
    EXPECT_EQ(FormTransmet->MessagesSended, 640);
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return NameAt(UserPatch(5)) == "Lead        "; }, 5s))
        << NameAt(UserPatch(5));
    EXPECT_EQ(Sim.Read(UserPatch(5) + 30, 1), (TBytes{0x42}));

    Activate(lib);
    Click(Formzelmo->FileSaveItem);
    const auto saved = ReadBytes(file);
    Click(Formzelmo->FileCloseItem);
    ProcessPendingMessages();
    EXPECT_EQ(Formzelmo->MDIChildCount(), 0);
    EXPECT_TRUE(Boxes.empty());

    Click(Formzelmo->FileOpenItem);
    lib = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
    ASSERT_NE(lib, nullptr);
    Formzelmo->FileSaveItemClick(Formzelmo->FileSaveItem);
    EXPECT_EQ(ReadBytes(file), saved);
    auto& reread = static_cast<TPatchBank&>(At(lib, lib->CalcIndex(RowOfKind(lib, etPatchBank))));
    EXPECT_EQ(reread.Patch(4).GetName(), "Lead");
    EXPECT_EQ(reread.Patch(4).Common->Message[9 + 30], 0x42);
}

// The popup's Receive on member 12 of a user patch bank fills it with the instrument's patch 12; with the
// instrument silent it stays as it was, unmarked; Send writes it back.
TEST_F(DragsOverJack, ThePopupReceivesAndSendsAMember) {
    TFormLibrary* lib = OpenWith({etPatchBank}, 0, 0);
    auto& bank = static_cast<TPatchBank&>(At(lib, 0));
    auto* window = OpenWindowOf<TFormBank>(bank, 700, 0);
    ASSERT_NE(window, nullptr);
    window->DrawGrid->SetTopRow(5);
    ProcessPendingMessages();
    const POINT row = RowPoint(window->DrawGrid, 11);
    Sim.Write(UserPatch(12), {'O', 'r', 'g', 'a', 'n', ' ', '1', '2', ' ', ' ', ' ', ' '});

    Sim.Silent = true;
    BoxAnswer = IDCANCEL;
    WithRealProgress([&] { PopupAt(row, window->Receive); });
    EXPECT_EQ(bank.Patch(11).GetName(), "");
    EXPECT_EQ(lib->Library()->Saved, 1);

    Sim.Silent = false;
    Boxes.clear();
    WithRealProgress([&] { PopupAt(row, window->Receive); });
    EXPECT_FALSE(TimedOut);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(bank.Patch(11).GetName(), "Organ 12");
    EXPECT_EQ(lib->Library()->Saved, 0);

    bank.Patch(11).SetName("Pipes", false);
    PopupAt(row, window->Send);
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return NameAt(UserPatch(12)) == "Pipes       "; }, 5s))
        << NameAt(UserPatch(12));
}

// Shift + right button on a patch bank's member: the patch to the temporary area, the audition note 1000 ms
// later, the note's end on the release.
TEST_F(DragsOverJack, APatchBanksMemberAuditionsItself) {
    TFormLibrary* lib = OpenWith({etPatchBank}, 0, 0);
    auto& bank = static_cast<TPatchBank&>(At(lib, 0));
    bank.Patch(6).SetName("Bells", false);
    auto* window = OpenWindowOf<TFormBank>(bank, 700, 0);
    ASSERT_NE(window, nullptr);
    Sim.ClearLog();
    const POINT p = RowPoint(window->DrawGrid, 6);
    SetCursorPos(p.x, p.y);
    keybd_event(VK_SHIFT, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    Application->ProcessMessages();
    const std::uint32_t temporary = TPatch(nullptr).LocationAddress();
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return NameAt(temporary) == "Bells       "; }, 5s));
    auto noteOns = [&] {
        int n = 0;
        for (const TBytes& m : Sim.ReceivedMessages()) n += !m.empty() && (m[0] & 0xF0) == 0x90 ? 1 : 0;
        return n;
    };
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(noteOns(), 0);
    Wait(1000);
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return noteOns() == 1; }, 5s));
    keybd_event(VK_SHIFT, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(TJackInstrument::WaitFor(
        [&] {
            for (const TBytes& m : Sim.ReceivedMessages())
                if (m == TBytes{0x80, 64, 0}) return true;
            return false;
        },
        5s));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

}  // namespace
}  // namespace zel::test
