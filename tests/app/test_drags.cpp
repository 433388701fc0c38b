// Element drags between the library, bank, global and trash windows by real mouse input: which drops are
// taken, the Copy/Move question, what each drop changes, the double click that drops nothing, and the
// cursor on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "DragFixture.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/SystemElem.h"
#include "platform/win/CursorRows.h"

namespace zel::test {
namespace {

class Drags : public DragProgram {
protected:
    void SetUp() override {
        Program::SetUp();
        StartLarge();
    }
    // The names of a library's elements, in order.
    static std::vector<std::string> Sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Selection(const TElementList& list) {
        std::string s;
        for (const auto& e : list) s += e->Selected != 0 ? 'x' : '.';
        return s;
    }
    static void Select(TFormLibrary* form, const std::string& flags) {
        for (std::size_t i = 0; i < flags.size(); ++i) At(form, static_cast<int>(i)).Selected = flags[i] == 'x' ? 1 : 0;
        form->DrawGrid->Repaint();
    }
    static std::vector<std::string> MemberNames(const TBank& bank, int from, int count) {
        std::vector<std::string> names;
        for (int i = from; i < from + count; ++i) names.push_back(bank.Members[static_cast<std::size_t>(i)]->GetName());
        return names;
    }
};

// ------------------------------------------------------------------------------------ library to library

TEST_F(Drags, ALibraryDropAsksCopyOrMove) {
    struct TRow {
        const char* Name;
        TAnswer Answer;
        std::vector<std::string> Source, Target;
        int SourceSaved, TargetSaved;
    } rows[] = {
        {"Copy", TAnswer::Copy, {"E0", "E1", "E2"}, {"B0", "E0", "E2"}, 1, 0},
        {"Move", TAnswer::Move, {"E1"}, {"B0", "E0", "E2"}, 0, 0},
        {"closed without a choice", TAnswer::Dismiss, {"E0", "E1", "E2"}, {"B0"}, 1, 1},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        TFormLibrary* a = OpenWith({etPatch, etPerformance, etPatch}, 0, 0);
        // Overlapping the first, so that the question fits on the screen beside the drop point.
        TFormLibrary* b = OpenWith({etRhythm}, 560, 0);
        At(b, 0).SetName("B0", false);
        b->Library()->Saved = 1;
        Select(a, "x.x");
        DragDrop(RowPoint(a->DrawGrid, 0), RowPoint(b->DrawGrid, 1), r.Answer, [&] {
            // The question opens 60 pixels below the drop point, over the target window.
            RECT menu{};
            GetWindowRect(OpenPopupMenuWindow(), &menu);
            const POINT drop = RowPoint(b->DrawGrid, 1);
            const TPoint expected = b->ClientToScreen(b->DrawGrid->ScreenToClient(TPoint{drop.x, drop.y}));
            EXPECT_EQ(menu.left, expected.x);
            EXPECT_EQ(menu.top, expected.y + 60);
            if (r.Answer == TAnswer::Copy) {
                EXPECT_TRUE(SaveScreenImage(RECT{0, 0, 1300, 500}, ScreenshotPath("drop-question")));
            }
        });
        EXPECT_EQ(Names(a), r.Source);
        EXPECT_EQ(Sorted(Names(b)), r.Target);
        EXPECT_EQ(a->Library()->Saved, r.SourceSaved);
        EXPECT_EQ(b->Library()->Saved, r.TargetSaved);
        EXPECT_EQ(b->DrawGrid->GetRowCount(), static_cast<int>(r.Target.size()));
        if (r.Answer != TAnswer::Dismiss) {
            // The copies are the target's selection, with their kinds; the source keeps nothing of a move.
            for (const auto& e : b->Library()->Elements) {
                EXPECT_EQ(e->Selected, e->GetName() == "B0" ? 0 : 1) << e->GetName();
                EXPECT_EQ(e->ElemType, e->GetName() == "B0" ? etRhythm : etPatch) << e->GetName();
                EXPECT_EQ(e->Owner, b->Library());
            }
            EXPECT_TRUE(Formzelmo->FileSaveAllItem->GetEnabled());
        }
        a->Library()->Saved = 1;
        b->Library()->Saved = 1;
        a->Close();
        b->Close();
        ProcessPendingMessages();
    }
}

// ------------------------------------------------------------------------------------- refused drops

// A refused drop shows the no-drop cursor over the target, asks nothing and changes nothing.
TEST_F(Drags, RefusedDropsChangeNothing) {
    TGlobal* global = nullptr;
    TFormLibrary* lib = OpenWith({etPatch, etPatch, etPatch, etPerformance, etPatchBank, etGlobal, etPatchBank}, 0, 0);
    global = static_cast<TGlobal*>(&At(lib, 5));
    auto* patchBank = static_cast<TPatchBank*>(&At(lib, 4));
    Formzelmo->TrashVuotoDblClick(Formzelmo->TrashVuoto);
    TFormLibrary* trash = TFormLibrary::TrashWindow();
    ASSERT_NE(trash, nullptr);
    trash->SetBounds(700, 500, trash->GetWidth(), trash->GetHeight());
    auto* bankWindow = OpenWindowOf<TFormBank>(*patchBank, 700, 0);
    ASSERT_NE(bankWindow, nullptr);
    auto* globalWindow = OpenWindowOf<TFormGlobal>(*global, 0, 500);
    ASSERT_NE(globalWindow, nullptr);
    const std::vector<std::string> bankBefore = MemberNames(*patchBank, 0, 128);
    auto bankRow = [&](int row) {
        bankWindow->DrawGrid->SetTopRow(std::max(0, row - 5));
        ProcessPendingMessages();
        return RowPoint(bankWindow->DrawGrid, row);
    };
    struct TRow {
        const char* Name;
        std::function<void()> Select;
        std::function<POINT()> From, To;
    };
    const std::vector<TRow> rows = {
        {"onto the same window", [&] { Select(lib, "x"); }, [&] { return RowPoint(lib->DrawGrid, 0); },
         [&] { return RowPoint(lib->DrawGrid, 2); }},
        {"bank members onto the trash window",
         [&] {
             ClearSelection(patchBank->Members);
             patchBank->Members[3]->Selected = 1;
         },
         [&] { return bankRow(3); }, [&] { return RowPoint(trash->DrawGrid, 0); }},
        {"global members onto the trash window",
         [&] {
             ClearSelection(global->Members);
             global->Members[0]->Selected = 1;
         },
         [&] { return RowPoint(globalWindow->DrawGrid, 0); }, [&] { return RowPoint(trash->DrawGrid, 0); }},
        {"3 patches from row 126, beyond the last member", [&] { Select(lib, "xxx"); },
         [&] { return RowPoint(lib->DrawGrid, 0); }, [&] { return bankRow(126); }},
        {"a performance onto a patch bank", [&] { Select(lib, "...x"); }, [&] { return RowPoint(lib->DrawGrid, 3); },
         [&] { return bankRow(0); }},
        {"two banks onto a global", [&] { Select(lib, "....x.x"); }, [&] { return RowPoint(lib->DrawGrid, 4); },
         [&] { return RowPoint(globalWindow->DrawGrid, 0); }},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        r.Select();
        lib->DrawGrid->Repaint();
        const POINT from = r.From();
        const POINT to = r.To();
        HCURSOR over = nullptr;
        Clock->Advance(GetDoubleClickTime() + 1);
        MoveTo(from);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunQueue();
        MoveTo(POINT{from.x + 8, from.y + 3});
        MoveTo(to);
        over = GetCursor();
        WhilePopupOpen(nullptr, nullptr);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunQueue();
        Application->OnIdle = nullptr;
        EXPECT_EQ(over, CursorHandle(crNoDrop));
        EXPECT_EQ(Formzelmo->DragInfo->Accepted, 0);
        EXPECT_EQ(lib->Library()->Elements.size(), 7u);
        EXPECT_TRUE(Formzelmo->TrashLibrary->Elements.empty());
        EXPECT_EQ(MemberNames(*patchBank, 0, 128), bankBefore);
        EXPECT_EQ(lib->Library()->Saved, 1);
    }
    EXPECT_TRUE(OpenPopupMenuWindow() == nullptr);
}

// ------------------------------------------------------------------------------------------ the trash

TEST_F(Drags, DropsOnTheTrashDeleteTheSelection) {
    TFormLibrary* lib = OpenWith({etPatch, etPerformance, etPatch}, 0, 0);
    // Onto the picture: Delete Selected, the full picture.
    Select(lib, "x..");
    DragDrop(RowPoint(lib->DrawGrid, 0), ScreenPoint(Formzelmo->TrashVuoto, 20, 20), TAnswer::NoQuestion);
    EXPECT_EQ(Names(lib), (std::vector<std::string>{"E1", "E2"}));
    ASSERT_EQ(Formzelmo->TrashLibrary->Elements.size(), 1u);
    EXPECT_TRUE(Formzelmo->TrashPieno->GetVisible());
    EXPECT_FALSE(Formzelmo->TrashVuoto->GetVisible());
    EXPECT_EQ(lib->Library()->Saved, 0);
    // Onto the trash window: moved at once, without a question.
    Formzelmo->TrashVuotoDblClick(Formzelmo->TrashVuoto);
    TFormLibrary* trash = TFormLibrary::TrashWindow();
    ASSERT_NE(trash, nullptr);
    trash->SetBounds(700, 0, trash->GetWidth(), trash->GetHeight());
    ProcessPendingMessages();
    Select(lib, "x.");
    DragDrop(RowPoint(lib->DrawGrid, 0), RowPoint(trash->DrawGrid, 0), TAnswer::NoQuestion);
    EXPECT_EQ(Names(lib), (std::vector<std::string>{"E2"}));
    EXPECT_EQ(Sorted(Names(trash)), (std::vector<std::string>{"E0", "E1"}));
    EXPECT_EQ(trash->DrawGrid->GetRowCount(), 2);
}

// --------------------------------------------------------------------------------------------- banks

TEST_F(Drags, PatchesDroppedOnABankFillTheRowsFromTheDropRow) {
    TFormLibrary* lib = OpenWith({etPatch, etPatch, etPatch, etPatchBank}, 0, 0);
    auto* bank = static_cast<TPatchBank*>(&At(lib, 3));
    auto* window = OpenWindowOf<TFormBank>(*bank, 700, 0);
    ASSERT_NE(window, nullptr);
    auto& patch = static_cast<TPatch&>(At(lib, 1));
    patch.Common->Message[9 + 20] = 0x55;  // a byte of its data that the copy must carry
    Select(lib, "xxx.");
    window->DrawGrid->SetTopRow(120);
    ProcessPendingMessages();
    DragDrop(RowPoint(lib->DrawGrid, 0), RowPoint(window->DrawGrid, 125), TAnswer::Copy);
    EXPECT_EQ(MemberNames(*bank, 124, 4), (std::vector<std::string>{"", "E0", "E1", "E2"}));
    for (int m = 125; m < 128; ++m)
        EXPECT_EQ(bank->Members[static_cast<std::size_t>(m)]->LocationText(), "User : " + std::to_string(m + 1));
    EXPECT_EQ(bank->Patch(126).Common->Message[9 + 20], 0x55);
    EXPECT_EQ(Selection(bank->Members).substr(124), ".xxx");
    EXPECT_EQ(lib->Library()->Saved, 0);
    EXPECT_EQ(Names(lib).size(), 4u);  // a copy: the library keeps its patches

    // Moved: the patches leave the library.
    Select(lib, "x...");
    window->DrawGrid->SetTopRow(0);
    ProcessPendingMessages();
    DragDrop(RowPoint(lib->DrawGrid, 0), RowPoint(window->DrawGrid, 4), TAnswer::Move);
    EXPECT_EQ(bank->Members[4]->GetName(), "E0");
    EXPECT_EQ(bank->Members[4]->LocationText(), "User : 5");
    EXPECT_EQ(Names(lib), (std::vector<std::string>{"E1", "E2", "E3"}));
}

// Members dragged onto rows of their own bank are copied as they were before the drop, also where the
// rows overlap; a drag from a bank into a library copies at once, without a question.
TEST_F(Drags, BankMembersCopyIntoBanksAndLibrariesAtOnce) {
    TFormLibrary* lib = OpenWith({etPerformanceBank, etPerformanceBank}, 0, 0);
    TFormLibrary* other = OpenWith({}, 0, 600);
    auto* bank = static_cast<TPerformanceBank*>(&At(lib, 0));
    auto* second = static_cast<TPerformanceBank*>(&At(lib, 1));
    for (int i = 0; i < 32; ++i) {
        bank->Members[static_cast<std::size_t>(i)]->SetName("M" + std::to_string(i + 1), false);
        bank->Performance(i).Common->Message[30] = static_cast<std::uint8_t>(i + 1);
    }
    auto* window = OpenWindowOf<TFormBank>(*bank, 700, 0);
    auto* secondWindow = OpenWindowOf<TFormBank>(*second, 1100, 0);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(secondWindow, nullptr);
    struct TRow {
        const char* Name;
        TFormBank* Target;
        int FromRow, DropRow;
        std::vector<std::string> Expected;  // members 1..4 of the target afterwards
    } rows[] = {
        {"onto the next rows of the same bank", window, 0, 1, {"M1", "M1", "M2", "M4"}},
        {"onto another bank", secondWindow, 0, 2, {"", "", "M1", "M1"}},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Name);
        ClearSelection(bank->Members);
        bank->Members[0]->Selected = 1;
        bank->Members[1]->Selected = 1;
        window->DrawGrid->Repaint();
        DragDrop(RowPoint(window->DrawGrid, r.FromRow), RowPoint(r.Target->DrawGrid, r.DropRow), TAnswer::NoQuestion);
        auto& target = static_cast<TPerformanceBank&>(*r.Target->Element());
        EXPECT_EQ(MemberNames(target, 0, 4), r.Expected);
        EXPECT_EQ(Selection(target.Members).substr(0, 4), r.DropRow == 1 ? ".xx." : "..xx");
    }
    // The data went with the names: member 3 holds what member 2 held before the drop.
    EXPECT_EQ(bank->Performance(1).Common->Message[30], 1);
    EXPECT_EQ(bank->Performance(2).Common->Message[30], 2);
    EXPECT_EQ(bank->Members[2]->LocationText(), "User : 3");

    ClearSelection(bank->Members);
    bank->Members[3]->Selected = 1;
    window->DrawGrid->Repaint();
    DragDrop(RowPoint(window->DrawGrid, 3), RowPoint(other->DrawGrid, 0), TAnswer::NoQuestion);
    ASSERT_EQ(Names(other), (std::vector<std::string>{"M4"}));
    EXPECT_EQ(At(other, 0).ElemType, etPerformance);
    EXPECT_EQ(static_cast<TPerformance&>(At(other, 0)).Common->Message[30], 4);
    EXPECT_EQ(other->Library()->Saved, 0);
}

// ------------------------------------------------------------------------------------------- globals

TEST_F(Drags, GlobalsTakeBanksAndTheSystemByKindAndMemory) {
    TFormLibrary* lib = OpenWith({etPatchBank, etGlobal, etGlobal, etSystem}, 0, 0);
    TFormLibrary* other = OpenWith({}, 0, 600);
    At(lib, 0).SetName("Mine", false);
    auto* first = static_cast<TGlobal*>(&At(lib, 1));
    auto* second = static_cast<TGlobal*>(&At(lib, 2));
    auto* firstWindow = OpenWindowOf<TFormGlobal>(*first, 700, 0);
    auto* secondWindow = OpenWindowOf<TFormGlobal>(*second, 700, 300);
    ASSERT_NE(firstWindow, nullptr);
    ASSERT_NE(secondWindow, nullptr);

    // One bank from the library: it replaces the user patch bank (Copy keeps it in the library).
    Select(lib, "x...");
    DragDrop(RowPoint(lib->DrawGrid, 0), RowPoint(firstWindow->DrawGrid, 2), TAnswer::Copy);
    EXPECT_EQ(first->Members[0]->GetName(), "Mine");
    EXPECT_EQ(first->Members[1]->GetName(), "Untitled");
    EXPECT_EQ(first->Members[0]->Selected, 1);
    EXPECT_EQ(Names(lib).size(), 4u);

    // Global to global: each dragged member onto the member of its kind and memory, at once.
    first->System().SetName("Sys", false);
    ClearSelection(first->Members);
    first->Members[0]->Selected = 1;
    first->Members[6]->Selected = 1;
    firstWindow->DrawGrid->Repaint();
    DragDrop(RowPoint(firstWindow->DrawGrid, 0), RowPoint(secondWindow->DrawGrid, 1), TAnswer::NoQuestion);
    EXPECT_EQ(second->Members[0]->GetName(), "Mine");
    EXPECT_EQ(second->System().GetName(), "Sys");
    EXPECT_EQ(Selection(second->Members), "x.....x");

    // Global to library: copies at once.
    DragDrop(RowPoint(firstWindow->DrawGrid, 3), RowPoint(other->DrawGrid, 0), TAnswer::NoQuestion);
    EXPECT_EQ(Sorted(Names(other)), (std::vector<std::string>{"Mine", "Sys"}));
}

// ---------------------------------------------------------------------------------- the double click

// A double click opens the element's window and its press is swallowed: no drag starts and nothing drops,
// even where the mouse comes to rest over another list.
TEST_F(Drags, ADoubleClickOpensTheWindowAndDropsNothing) {
    TFormLibrary* lib = OpenWith({etPerformanceBank, etPatch}, 0, 0);
    TFormLibrary* other = OpenWith({}, 0, 600);
    auto* bank = static_cast<TPerformanceBank*>(&At(lib, 0));
    const POINT row = RowPoint(lib->DrawGrid, 0);
    Clock->Advance(GetDoubleClickTime() + 1);
    MoveTo(row);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    RunQueue();
    auto* window = dynamic_cast<TFormBank*>(bank->Window);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Caption(), "Performance Bank E0 [Location : Untitled.Lib]");
    EXPECT_FALSE(lib->DrawGrid->Dragging());
    EXPECT_TRUE(Formzelmo->DropSuppress);
    EXPECT_TRUE(Names(other).empty());
    // In the bank's list: the performance's window opens, and no drag starts.
    window->SetBounds(700, 0, window->GetWidth(), window->GetHeight());
    ProcessPendingMessages();
    Boxes.clear();
    Clock->Advance(GetDoubleClickTime() + 1);
    MoveTo(RowPoint(window->DrawGrid, 2));
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    RunQueue();
    EXPECT_FALSE(window->DrawGrid->Dragging());
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_NE(bank->Members[2]->Window, nullptr);
    EXPECT_FALSE(window->SwallowMouseDown());
    EXPECT_TRUE(Formzelmo->DropSuppress);
    EXPECT_EQ(bank->Members[2]->Selected, 1);
    MoveTo(RowPoint(other->DrawGrid, 0));
    EXPECT_TRUE(Names(other).empty());
}

// ------------------------------------------------------------------------------------------ the cursor

// The drag cursor (the program's "CURSOR_3") over a list that takes the drop, the no-drop cursor over the
// main window's free area, which clears the drop's acceptance.
TEST_F(Drags, TheCursorShowsWhereADropWouldLand) {
    TFormLibrary* a = OpenWith({etPatch}, 0, 0);
    TFormLibrary* b = OpenWith({}, 700, 0);
    TFormLibrary* c = OpenWith({}, 700, 480);
    Select(a, "x");
    Clock->Advance(GetDoubleClickTime() + 1);
    const POINT from = RowPoint(a->DrawGrid, 0);
    MoveTo(from);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    RunQueue();
    MoveTo(POINT{from.x + 8, from.y});
    MoveTo(RowPoint(b->DrawGrid, 0));
    EXPECT_EQ(GetCursor(), CursorHandle(crDrag));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, "CURSOR_3"));
    EXPECT_EQ(Formzelmo->ActiveMDIChild(), b);
    EXPECT_EQ(Formzelmo->DragInfo->Accepted, 1);
    MoveTo(ScreenPoint(Formzelmo, 1300, 900));
    EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
    EXPECT_EQ(Formzelmo->DragInfo->Accepted, 0);
    // On to the third window, which comes to the front: the drag goes on and drops there.
    WhilePopupOpen(nullptr, Formzelmo->PopUpCopy);
    MoveTo(RowPoint(c->DrawGrid, 0));
    EXPECT_EQ(Formzelmo->ActiveMDIChild(), c);
    EXPECT_TRUE(a->DrawGrid->Dragging());
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    RunQueue();
    Application->OnIdle = nullptr;
    EXPECT_EQ(Names(c), (std::vector<std::string>{"E0"}));
    EXPECT_TRUE(Names(b).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace zel::test
