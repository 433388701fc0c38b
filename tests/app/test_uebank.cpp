// The bank and global windows: their layout, rows and captions, the global's rows that follow the data card,
// the popup menu with the instrument simulator behind the ports, the audition of a patch bank's member, and
// the window going with its element while it is open.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "DragFixture.h"
#include "app/Uetransm.h"
#include "model/Patch.h"
#include "model/Rhythm.h"
#include "model/Settings.h"
#include "model/SystemElem.h"
#include "platform/vcl/Dialogs.h"

namespace zel::test {
namespace {

class BankWindows : public DragProgram {
protected:
    void SetUp() override {
        Program::SetUp();
        // A first start reads the instrument's factory device (17), to which the simulator answers.
        StartLarge();
    }
    void TearDown() override {
        if (ZelmoHolder != nullptr) ZelmoHolder->Config->Installed = 0;
        SetFileDialogAnswerer(std::move(savedDialogs_));
        Program::TearDown();
    }
    void AnswerFileDialogs(const std::string& path) {
        savedDialogs_ = SetFileDialogAnswerer([path](TOpenDialog& d) {
            if (path.empty()) return false;
            d.FileName = path;
            return true;
        });
    }
    static std::vector<std::string> Children() {
        std::vector<std::string> names;
        for (int i = 0; i < Formzelmo->MDIChildCount(); ++i) names.push_back(Formzelmo->MDIChildren(i)->ClassName());
        return names;
    }
    static int CountOf(const std::string& cls) {
        const auto names = Children();
        return static_cast<int>(std::count(names.begin(), names.end(), cls));
    }

private:
    TFileDialogAnswerer savedDialogs_;
};

// --------------------------------------------------------------------------------------------- layout

TEST_F(BankWindows, BankWindowsTakeTheirBanksLayoutAndCaption) {
    TFormLibrary* lib = OpenWith({etPatchBank, etRhythmBank}, 0, 0);
    At(lib, 0).SetName("Strings", false);
    auto* patches = OpenWindowOf<TFormBank>(At(lib, 0), 0, 0);
    auto* rhythms = OpenWindowOf<TFormBank>(At(lib, 1), 700, 0);
    ASSERT_NE(patches, nullptr);
    ASSERT_NE(rhythms, nullptr);
    EXPECT_EQ(patches->Caption(), "Patch Bank Strings [Location : Untitled.Lib]");
    EXPECT_EQ(rhythms->Caption(), "Rhythm Bank E1 [Location : Untitled.Lib]");
    EXPECT_EQ(patches->HelpContext, 13);
    const int widths[] = {32, 110, 60, 90};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(patches->Header->GetSectionWidth(i), widths[i]);
    EXPECT_EQ(patches->DrawGrid->GetRowCount(), 128);
    EXPECT_EQ(rhythms->DrawGrid->GetRowCount(), 2);
    EXPECT_EQ(patches->GetWidth(), patches->Panel->GetWidth() + 23);
    EXPECT_EQ(rhythms->GetHeight(), 114);
    // Whole rows: a click on the lowest row never scrolls it into view first.
    for (TFormBank* w : {patches, rhythms})
        EXPECT_EQ(w->DrawGrid->ClientHeight() % w->DrawGrid->GetDefaultRowHeight(), 0) << w->Caption();
    // The element knows its window; the Save items follow the window's library.
    EXPECT_EQ(At(lib, 0).Window, patches);
    EXPECT_EQ(LibraryOfForm(patches), lib->Library());
    EXPECT_EQ(Formzelmo->ActiveLibrary(), lib->Library());
    // A row: the kind's picture at x 5, the name at x 42, the number at x 152.
    patches->Element()->Members[2]->SetName("Violin", false);
    patches->DrawGrid->Repaint();
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(patches->GetHandle(), ScreenshotPath("bank-patch")));
    EXPECT_TRUE(SaveWindowImage(rhythms->GetHandle(), ScreenshotPath("bank-rhythm")));
    // The panel's click clears the selection.
    patches->Element()->Members[2]->Selected = 1;
    Press(ScreenPoint(patches->Panel, patches->Panel->GetWidth() - 3, patches->Panel->GetHeight() - 3));
    EXPECT_EQ(patches->Element()->Members[2]->Selected, 0);
}

// Without a data card the global shows its user banks and the system; with one, all seven members. The
// rows follow the setting when it changes; a drag without a card leaves card banks out even when they are
// still selected from before.
TEST_F(BankWindows, TheGlobalsRowsFollowTheDataCard) {
    TFormLibrary* lib = OpenWith({etGlobal}, 0, 0);
    TFormLibrary* other = OpenWith({}, 0, 600);
    auto* window = OpenWindowOf<TFormGlobal>(At(lib, 0), 700, 0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->HelpContext, 14);
    const int widths[] = {147, 110, 70, 90};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(window->Header->GetSectionWidth(i), widths[i]);
    EXPECT_EQ(window->Caption(), "Global E0 [Location : Untitled.Lib]");
    EXPECT_EQ(TFormGlobal::OpenWindows(), (std::vector<TFormGlobal*>{window}));
    struct TRow {
        const char* Name;
        int Card;
        std::vector<int> Members;  // by row
    } rows[] = {{"without a card", 0, {0, 2, 4, 6}}, {"with a card", 1, {0, 1, 2, 3, 4, 5, 6}}};
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        ZelmoHolder->Config->Installed = static_cast<std::uint8_t>(r.Card);
        for (TFormGlobal* open : TFormGlobal::OpenWindows()) open->SetDimension();
        ProcessPendingMessages();
        const int n = static_cast<int>(r.Members.size());
        EXPECT_EQ(window->DrawGrid->GetRowCount(), n);
        EXPECT_EQ(window->DrawGrid->ClientHeight(), 18 * n);
        EXPECT_EQ(window->ClientHeight(), window->Panel->GetHeight() + 8);
        for (int row = 0; row < n; ++row) EXPECT_EQ(window->MemberOfRow(row), r.Members[static_cast<std::size_t>(row)]);
        EXPECT_EQ(window->MemberOfRow(n), -1);
        EXPECT_TRUE(SaveWindowImage(window->GetHandle(), ScreenshotPath("global-" + std::to_string(n) + "-rows")));
    }
    // Card banks selected with the card, then the card taken out.
    auto* global = static_cast<TGlobal*>(window->Element());
    for (int m : {0, 1, 3, 6}) global->Members[static_cast<std::size_t>(m)]->Selected = 1;
    ZelmoHolder->Config->Installed = 0;
    window->SetDimension();
    DragDrop(RowPoint(window->DrawGrid, 0), RowPoint(other->DrawGrid, 0), TAnswer::NoQuestion);
    std::vector<int> kinds;
    for (const auto& e : other->Library()->Elements) kinds.push_back(e->ElemType * 10 + e->User);
    std::sort(kinds.begin(), kinds.end());
    EXPECT_EQ(kinds, (std::vector<int>{etPatchBank * 10 + 1, etSystem * 10}));
}

TEST_F(BankWindows, ImportAndExportAreOffForRhythmBanks) {
    TFormLibrary* lib = OpenWith({etRhythmBank, etPerformanceBank, etGlobal}, 0, 0);
    auto* rhythms = OpenWindowOf<TFormBank>(At(lib, 0), 700, 0);
    auto* performances = OpenWindowOf<TFormBank>(At(lib, 1), 700, 200);
    auto* global = OpenWindowOf<TFormGlobal>(At(lib, 2), 0, 450);
    struct TRow {
        const char* Name;
        TFormMembers* Window;
        int Row;
        bool Enabled;
    } rows[] = {{"rhythm bank", rhythms, 0, false},
                {"performance bank", performances, 0, true},
                {"global: its patch bank", global, 0, true},
                {"global: its rhythm bank", global, 2, false}};
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        PopupAt(RowPoint(r.Window->DrawGrid, r.Row), nullptr, [&] {
            EXPECT_EQ(r.Window->ImportFrom->Enabled, r.Enabled);
            EXPECT_EQ(r.Window->ExportTo->Enabled, r.Enabled);
            EXPECT_EQ(r.Window->ImportFrom->Caption, "Import From XP");
        });
    }
}

// ------------------------------------------------------------------------------------ the instrument

TEST_F(BankWindows, ThePopupReceivesSendsAndLoadsAMember) {
    TFormLibrary* lib = OpenWith({etPatchBank}, 0, 0);
    auto* bank = static_cast<TPatchBank*>(&At(lib, 0));
    auto* window = OpenWindowOf<TFormBank>(*bank, 700, 0);
    ASSERT_NE(window, nullptr);
    TPatch& twelve = bank->Patch(11);
    ASSERT_EQ(twelve.LocationText(), "User : 12");
    const std::uint32_t address = twelve.LocationAddress();
    auto rowOf12 = [&] {
        window->DrawGrid->SetTopRow(5);
        ProcessPendingMessages();
        return RowPoint(window->DrawGrid, 11);
    };
    Sim.Write(address, {'O', 'r', 'g', 'a', 'n', ' ', '1', '2', ' ', ' ', ' ', ' '});

    // Silent: the receive gives up, the member unchanged and the library not marked.
    Sim.Silent = true;
    BoxAnswer = IDCANCEL;
    WithProgress([&] { PopupAt(rowOf12(), window->Receive); });
    EXPECT_EQ(twelve.GetName(), "");
    EXPECT_EQ(lib->Library()->Saved, 1);

    Sim.Silent = false;
    Boxes.clear();
    WithProgress([&] { PopupAt(rowOf12(), window->Receive); });
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(twelve.GetName(), "Organ 12");
    EXPECT_EQ(lib->Library()->Saved, 0);

    // Send: back to its own place.
    twelve.SetName("Pipes", false);
    Sim.ClearLog();
    PopupAt(rowOf12(), window->Send);
    const TBytes name = Sim.Read(address, 12);
    EXPECT_EQ(std::string(name.begin(), name.end()), "Pipes       ");

    // A damaged file: its message, nothing changed.
    const std::string damaged = Folder() + "/damaged.Syx";
    std::ofstream(damaged, std::ios::binary) << "\xF0\x41\x10";
    AnswerFileDialogs(damaged);
    Boxes.clear();
    PopupAt(rowOf12(), window->LoadSysex);
    EXPECT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(twelve.GetName(), "Pipes");
}

// Shift + right button on a patch bank's member: the patch goes to the temporary area and, 1000 ms later,
// the audition note sounds; releasing the button with Shift held ends it. On a performance bank's list the
// main window's plain audition starts at once.
TEST_F(BankWindows, ShiftAndTheRightButtonAuditionAPatchBanksMember) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Preview", "Single Note", 1);
        ini.WriteInteger("Preview", "Note", 64);
        ini.WriteInteger("Preview", "Velocity", 90);
    }
    Formzelmo->Close();  // the settings are read at the start
    ProcessPendingMessages();
    while (QuitPosted()) {
    }
    FreeLastingWindows();
    delete Formzelmo;
    ProcessPendingMessages();
    Start();
    Wait(2000);
    Formzelmo->SetWindowState(wsNormal);
    Formzelmo->SetBounds(0, 0, 1500, 1000);
    TFormLibrary* lib = OpenWith({etPatchBank, etPerformanceBank}, 0, 0);
    auto* bank = static_cast<TPatchBank*>(&At(lib, 0));
    bank->Patch(3).SetName("Bell", false);
    auto* performances = OpenWindowOf<TFormBank>(At(lib, 1), 700, 0);
    auto* patches = OpenWindowOf<TFormBank>(*bank, 700, 450);
    ASSERT_NE(patches, nullptr);
    auto notes = [this] {
        std::vector<TBytes> found;
        for (const TBytes& m : Sim.ReceivedMessages())
            if (!m.empty() && (m[0] & 0xF0) == 0x90) found.push_back(m);
        return found;
    };
    auto shiftRight = [&](POINT p, DWORD button) {
        Clock->Advance(1000);
        SetCursorPos(p.x, p.y);
        keybd_event(VK_SHIFT, 0, 0, 0);
        mouse_event(button, 0, 0, 0, 0);
        keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        Application->ProcessMessages();
    };
    Sim.ClearLog();
    shiftRight(RowPoint(patches->DrawGrid, 3), MOUSEEVENTF_RIGHTDOWN);
    EXPECT_TRUE(notes().empty());
    const TBytes temporaryName = Sim.Read(TPatch(nullptr).LocationAddress(), 4);
    EXPECT_EQ(std::string(temporaryName.begin(), temporaryName.end()), "Bell");
    EXPECT_EQ(bank->Members[3]->Selected, 1);
    EXPECT_EQ(Screen->GetCursor(), AuditionCursor);
    Wait(1000);
    EXPECT_EQ(notes(), (std::vector<TBytes>{{0x90, 64, 90}}));
    Sim.ClearLog();
    shiftRight(RowPoint(patches->DrawGrid, 3), MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(Sim.ReceivedMessages(), (std::vector<TBytes>{{0x80, 64, 0}}));

    Activate(performances);
    Sim.ClearLog();
    shiftRight(RowPoint(performances->DrawGrid, 0), MOUSEEVENTF_RIGHTDOWN);
    EXPECT_EQ(notes(), (std::vector<TBytes>{{0x90, 64, 90}}));
    shiftRight(RowPoint(performances->DrawGrid, 0), MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

// ------------------------------------------------------------------------- the element goes first

// The bank or global window goes with its element, however the element goes; nothing touches the freed
// element afterwards.
TEST_F(BankWindows, TheWindowGoesWithItsElement) {
    struct TRow {
        const char* Name;
        int Kind;
        std::function<void(TFormLibrary*, TFormMembers*)> Remove;
    };
    const std::vector<TRow> rows = {
        {"popup Delete", etPatchBank,
         [&](TFormLibrary* lib, TFormMembers*) { PopupAt(RowPoint(lib->DrawGrid, 0), lib->Delete); }},
        {"Empty", etGlobal,
         [&](TFormLibrary* lib, TFormMembers*) {
             BoxAnswer = IDYES;
             Press(ScreenPoint(lib->SpeedNuovo, 5, 5));
         }},
        {"the library closed", etRhythmBank,
         [&](TFormLibrary* lib, TFormMembers*) {
             BoxAnswer = IDNO;
             lib->Close();
         }},
        {"a Move of the open bank onto a global", etPerformanceBank,
         [&](TFormLibrary* lib, TFormMembers*) {
             auto* global = OpenWindowOf<TFormGlobal>(At(lib, 1), 700, 500);
             ASSERT_NE(global, nullptr);
             At(lib, 0).Selected = 1;
             DragDrop(RowPoint(lib->DrawGrid, 0), RowPoint(global->DrawGrid, 1), TAnswer::Move);
             EXPECT_EQ(static_cast<TGlobal*>(global->Element())->PerformanceBank(true).GetName(), "E0");
         }},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        TFormLibrary* lib = OpenWith({r.Kind, etGlobal}, 0, 0);
        TLibElem& element = At(lib, 0);
        TFormMembers* window = r.Kind == etGlobal
                                   ? static_cast<TFormMembers*>(OpenWindowOf<TFormGlobal>(element, 700, 0))
                                   : OpenWindowOf<TFormBank>(element, 700, 0);
        ASSERT_NE(window, nullptr);
        const std::string cls = window->ClassName();
        const int before = CountOf(cls);
        r.Remove(lib, window);
        ProcessPendingMessages();
        EXPECT_EQ(CountOf(cls), before - 1);
        EXPECT_EQ(Formzelmo->ActiveLibrary() == nullptr, Formzelmo->MDIChildCount() == 0);
        // The next row starts with no window open.
        for (int i = Formzelmo->MDIChildCount() - 1; i >= 0; --i) {
            TCustomForm* child = Formzelmo->MDIChildren(i);
            if (auto* l = dynamic_cast<TFormLibrary*>(child); l != nullptr && l->Library() != nullptr)
                l->Library()->Saved = 1;
            child->Close();
        }
        ProcessPendingMessages();
    }
}

// While a bank window is the active one, Save and Close act on its library and on it.
TEST_F(BankWindows, SaveAndCloseFollowTheActiveBankWindow) {
    TFormLibrary* lib = OpenWith({etPatchBank}, 0, 0);
    auto* window = OpenWindowOf<TFormBank>(At(lib, 0), 700, 0);
    ASSERT_NE(window, nullptr);
    window->Element()->Members[0]->SetName("Changed", false);
    TouchElement(window->Element()->Members[0].get());
    ASSERT_EQ(lib->Library()->Saved, 0);
    Activate(window);
    EXPECT_TRUE(Formzelmo->FileSaveItem->GetEnabled());
    AnswerFileDialogs(Folder() + "/bank.Lib");
    Click(Formzelmo->FileSaveItem);
    EXPECT_EQ(lib->Library()->Saved, 1);
    EXPECT_EQ(lib->Library()->FileName, Folder() + "/bank.Lib");
    Click(Formzelmo->FileCloseItem);
    ProcessPendingMessages();
    EXPECT_EQ(Children(), (std::vector<std::string>{"TFormLibrary"}));
    EXPECT_EQ(At(lib, 0).WindowOpen, 0);
    EXPECT_EQ(At(lib, 0).Window, nullptr);
}

}  // namespace
}  // namespace zel::test
