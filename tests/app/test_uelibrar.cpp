// The library window, driven by real mouse and key input through the platform's queue: rows of the visible
// elements, selection, masks and sorting with the scroll rule, deleting into the trash and the trash window,
// the popup menu, the row pictures, the close question, printing, and sending and receiving with the
// instrument simulator behind the ports.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <set>

#include "BarInput.h"
#include "ProgramFixture.h"
#include "app/Uelibrar.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/SysexFraming.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Printers.h"
#include "platform/win/Locale.h"
#include "support/PdfPages.h"
#include "support/vcl/ClipboardText.h"
#include "support/vcl/QueuedInput.h"

namespace zel::test {
namespace {

class LibraryWindow : public Program {
protected:
    void SetUp() override {
        // The rows show dates and times in the user's locale: pinned to day-first dates and a 24-hour clock.
        SetUserLocaleName("en_GB");
        Program::SetUp();
        // A first start reads the instrument's factory device (17), to which the simulator answers.
        StartAndWaitOutTheIntro();
        SetCursorPos(0, 0);
    }
    void TearDown() override {
        SetFileDialogAnswerer(std::move(savedDialogs_));
        Program::TearDown();
        SetUserLocaleName("");
    }

    // A library window on a new library holding elements of the given kinds, named "E0", "E1", ...
    TFormLibrary* OpenWith(const std::vector<int>& kinds) {
        auto* library = new TLibrary;
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            library->Elements.push_back(CreateElementOfType(kinds[i], library));
            library->Elements.back()->SetName("E" + std::to_string(i), false);
        }
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
        return form;
    }
    static TLibElem& At(TFormLibrary* form, int i) {
        return *form->Library()->Elements.at(static_cast<std::size_t>(i));
    }
    // The selected flags in list order: "x" selected, "." not.
    static std::string Selection(TFormLibrary* form) {
        std::string s;
        for (const auto& e : form->Library()->Elements) s += e->Selected != 0 ? 'x' : '.';
        return s;
    }
    static void Select(TFormLibrary* form, const std::string& flags) {
        for (std::size_t i = 0; i < flags.size(); ++i) form->Library()->Elements[i]->Selected = flags[i] == 'x' ? 1 : 0;
    }
    // The names in list order, by row: the elements the rows show.
    static std::vector<std::string> RowNames(TFormLibrary* form) {
        std::vector<std::string> names;
        for (int row = 0; row < form->DrawGrid->GetRowCount(); ++row) {
            const int i = form->CalcIndex(row);
            names.push_back(i < 0 ? "-" : At(form, i).GetName());
        }
        return names;
    }

    // Brings a child window of the main window to the front, as a click on its frame does.
    static void Activate(TForm* form) {
        SendMessage(Formzelmo->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(form->GetHandle()), 0);
        ProcessPendingMessages();
        ASSERT_EQ(Formzelmo->ActiveMDIChild(), form);
    }
    static POINT ScreenPoint(TControl* control, int x, int y) {
        const TPoint p = control->ClientToScreen(TPoint{x, y});
        return POINT{p.x, p.y};
    }
    static POINT RowPoint(TFormLibrary* form, int row) {
        return ScreenPoint(form->DrawGrid, 100, (row - form->DrawGrid->GetTopRow()) * 18 + 9);
    }
    // A click of a button at a screen point with the keys held; the next click comes later than a double
    // click's.
    void Press(POINT p, std::initializer_list<BYTE> keys = {}, bool right = false) {
        Clock->Advance(GetDoubleClickTime() + 1);
        PressAt(p, keys, right);
    }
    void ClickControl(TControl* control, std::initializer_list<BYTE> keys = {}) {
        Press(ScreenPoint(control, control->GetWidth() / 2, control->GetHeight() / 2), keys);
    }
    static void Key(BYTE vk) {
        keybd_event(vk, 0, 0, 0);
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    // Opens the popup menu by a right click on a row and runs the steps while it is open.
    void PopupOnRow(TFormLibrary* form, int row, std::function<void()> whileOpen) {
        bool ran = false;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = true;
            if (!ran && OpenPopupMenuWindow() != nullptr) {
                ran = true;
                whileOpen();
            }
        };
        Press(RowPoint(form, row), {}, true);
        Application->OnIdle = nullptr;
        EXPECT_TRUE(ran);
        ProcessPendingMessages();
    }
    static POINT CentreOf(const TMenuItem* item) {
        TRect r;
        EXPECT_TRUE(GetPopupMenuItemRect(item, r)) << item->Caption;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Answers the message boxes in turn (then Cancel), recording their texts in Boxes.
    void AnswerBoxes(std::vector<int> answers) {
        answers_ = std::deque<int>(answers.begin(), answers.end());
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            Boxes.push_back(r);
            if (answers_.empty()) return IDCANCEL;
            const int a = answers_.front();
            answers_.pop_front();
            return a;
        });
    }
    // The rules above and below each printed row, found down the top half of a page left of its middle line.
    static std::vector<int> RulesDown(int width, int height, const std::function<bool(int, int)>& dark) {
        std::vector<int> ys;
        const int x = width / 2 - 20;
        bool inRule = false;
        for (int y = 0; y < height / 2; ++y) {
            const bool d = dark(x, y);
            if (d && !inRule) ys.push_back(y);
            inRule = d;
        }
        return ys;
    }
    // The save dialogs choose this path; an empty one cancels them.
    void AnswerFileDialogs(const std::string& path) {
        savedDialogs_ = SetFileDialogAnswerer([path](TOpenDialog& d) {
            if (path.empty()) return false;
            d.FileName = path;
            return true;
        });
    }
    static COLORREF GridPixel(TFormLibrary* form, int x, int y) {
        const int edge = (form->DrawGrid->GetWidth() - form->DrawGrid->ClientWidth() -
                          (GetWindowLongPtr(form->DrawGrid->GetHandle(), GWL_STYLE) & WS_VSCROLL ? 16 : 0)) /
                         2;
        return ComposedPixel(form->DrawGrid->GetHandle(), x + edge, y + edge);
    }

private:
    std::deque<int> answers_;
    TFileDialogAnswerer savedDialogs_;
};

// ------------------------------------------------------------------------------------ creation and layout

TEST_F(LibraryWindow, CreationTakesTheLibrarysGeometryAndLaysOutItsMode) {
    auto* library = new TLibrary;
    library->WindowLeft = 30;
    library->WindowTop = 20;
    library->WindowHeight = 300;
    TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
    ProcessPendingMessages();
    EXPECT_EQ(library->Window, form);
    EXPECT_EQ(library->WindowOpen, 1);
    EXPECT_EQ(form->GetLeft(), 30);
    EXPECT_EQ(form->GetTop(), 20);
    EXPECT_EQ(form->GetHeight(), 300);
    EXPECT_EQ(form->GetWidth(), form->Panel->GetWidth() + 23);
    EXPECT_EQ(form->Caption(), "Library : Untitled.Lib");
    EXPECT_EQ(form->HelpContext, 23);
    const int widths[] = {152, 110, 70, 90};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form->Header->GetSectionWidth(i), widths[i]);
    EXPECT_EQ(form->Header->GetTop(), 42);
    EXPECT_EQ(form->DrawGrid->GetTop(), 62);
    // The list shows whole rows and ends above the sort label; an empty library keeps one blank row.
    EXPECT_EQ((form->DrawGrid->GetHeight() - 4) % 18, 0);
    EXPECT_LE(form->DrawGrid->GetTop() + form->DrawGrid->GetHeight(), form->Labelsort->GetTop() - 4);
    EXPECT_EQ(form->DrawGrid->GetRowCount(), 0 + 1);
    EXPECT_EQ(form->DrawGrid->GetColWidths(0), form->DrawGrid->ClientWidth());
    EXPECT_TRUE(form->NewPatch->GetVisible());
    EXPECT_FALSE(form->BtnEmpty->GetVisible());
    EXPECT_EQ(form->Labelmask->GetTop(), 154);
    EXPECT_EQ(form->Bevelmask->GetTop(), 174);
    EXPECT_EQ(form->SpeedPatch->GetTop(), 180);
    EXPECT_EQ(form->speedPerformance->GetTop(), form->SpeedPatch->GetTop() + form->SpeedPatch->GetHeight() - 1);
    EXPECT_EQ(form->speedGlobal->GetTop(), form->Speedsystem->GetTop());
    EXPECT_EQ(form->BtnUnmask->GetTop(), 174 + form->Bevelmask->GetHeight() + 6);
    EXPECT_EQ(form->SpeedHelp->GetLeft(), 438);
    EXPECT_EQ(form->SpeedHelp->GetTop(), 6);

    // Never smaller than 240 pixels.
    form->SetHeight(100);
    EXPECT_EQ(form->GetHeight(), 240);
}

// ------------------------------------------------------------------------------------ selection

TEST_F(LibraryWindow, ClicksSelectAsTheirKeysSay) {
    struct Row {
        const char* name;
        const char* before;
        std::vector<int> masked;  // kinds whose mask button is down
        int row;
        std::initializer_list<BYTE> keys;
        const char* after;
    };
    // Kinds in list order: patch, patch bank, patch, patch bank, patch, patch.
    const Row rows[] = {
        {"plain click", "......", {}, 2, {}, "..x..."},
        {"plain click moves the selection", ".x....", {}, 3, {}, "...x.."},
        {"Shift extends from the one selected", ".x....", {}, 4, {VK_SHIFT}, ".xxxx."},
        {"Shift upwards", "....x.", {}, 1, {VK_SHIFT}, ".xxxx."},
        {"Ctrl adds", ".x....", {}, 3, {VK_CONTROL}, ".x.x.."},
        {"Ctrl on a selected element changes nothing", ".x.x..", {}, 3, {VK_CONTROL}, ".x.x.."},
        {"a plain click on a selected element keeps the selection", ".x.x.x", {}, 3, {}, ".x.x.x"},
        {"below the last row nothing", ".x....", {}, 7, {}, ".x...."},
        {"masked banks: row 1 is the second patch", "......", {etPatchBank}, 1, {}, "..x..."},
        {"masked banks: row 3 is the last patch", "x.....", {etPatchBank}, 3, {}, ".....x"},
        {"masked banks: Shift also takes the masked ones between", "x.....", {etPatchBank}, 2, {VK_SHIFT}, "xxxxx."},
        {"masked banks: below the visible rows nothing", "x.....", {etPatchBank}, 4, {}, "x....."},
    };
    TFormLibrary* form = OpenWith({etPatch, etPatchBank, etPatch, etPatchBank, etPatch, etPatch});
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        form->BtnUnmaskClick(nullptr);
        for (int kind : r.masked) ClickControl(form->MaskButton(kind));
        Select(form, r.before);
        Press(RowPoint(form, r.row), r.keys);
        EXPECT_EQ(Selection(form), r.after);
    }
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
}

TEST_F(LibraryWindow, TheDeleteKeyAndAPanelClick) {
    TFormLibrary* form = OpenWith({etPatch, etPatch, etPatch});
    Press(RowPoint(form, 0));
    Press(RowPoint(form, 2), {VK_CONTROL});
    EXPECT_EQ(Selection(form), "x.x");
    // A click on the panel outside every control clears the selection.
    Press(ScreenPoint(form->Panel, 330, 20));
    EXPECT_EQ(Selection(form), "...");
    Press(RowPoint(form, 1));
    Key(VK_DELETE);
    EXPECT_EQ(RowNames(form), (std::vector<std::string>{"E0", "E2"}));
    EXPECT_EQ(Formzelmo->TrashLibrary->Elements.size(), 1u);
}

// ------------------------------------------------------------------------------------ masks and sorting

TEST_F(LibraryWindow, MasksHideKindsAndSortingOrdersTheRowsWithTheScrollRule) {
    // 20 elements, more than the rows on view: patches E0..E9 and performances E10..E19. Names, modified
    // dates and creation dates each order them differently.
    std::vector<int> kinds(20, etPatch);
    for (std::size_t i = 10; i < 20; ++i) kinds[i] = etPerformance;
    TFormLibrary* form = OpenWith(kinds);
    for (int i = 0; i < 20; ++i) {
        TLibElem& e = At(form, i);
        e.SetName(std::string(1, static_cast<char>('T' - i)), false);
        e.ModifiedDate = 40000 + (i < 10 ? 20 + i : i - 10);
        e.CreatedDate = 30000 + i;
    }
    const int fit = form->DrawGrid->GetHeight() / 18;
    ASSERT_LT(fit, 20);

    auto number = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%016.6f", v);
        return std::string(text);
    };
    using TKey = std::function<std::string(const TLibElem&)>;
    const TKey byType = [](const TLibElem& e) { return std::to_string(e.ElemType); };
    const TKey byName = [](const TLibElem& e) { return UpperCase(e.GetName()); };
    const TKey byDate = [&](const TLibElem& e) { return number(e.ModifiedDate) + number(e.ModifiedTime); };
    const TKey byCreation = [&](const TLibElem& e) { return number(e.CreatedDate) + number(e.CreatedTime); };
    struct Row {
        const char* name;
        std::function<void()> clicks;
        int rows;
        std::vector<int> kindsShown;
        TKey order;
        int newKind;      // made with its New button afterwards
        bool scrollsEnd;  // after it, the list shows its last row at the bottom
    };
    const Row rows[] = {
        {"patches masked",
         [&] { ClickControl(form->SpeedPatch); },
         10,
         {etPerformance},
         byCreation,
         etPerformance,
         true},
        {"the mask up again",
         [&] { ClickControl(form->SpeedPatch); },
         21,
         {etPatch, etPerformance},
         byCreation,
         etPatch,
         true},
        {"sorted by type",
         [&] { ClickControl(form->SpeedType); },
         22,
         {etPatch, etPerformance},
         byType,
         etPatch,
         false},
        {"sorted by name",
         [&] { ClickControl(form->SpeedName); },
         23,
         {etPatch, etPerformance},
         byName,
         etPerformance,
         false},
        {"sorted by date", [&] { ClickControl(form->SpeedDate); }, 24, {etPatch, etPerformance}, byDate, etPatch, true},
        {"no sort button down: by creation",
         [&] { ClickControl(form->SpeedDate); },
         25,
         {etPatch, etPerformance},
         byCreation,
         etPerformance,
         true},
        {"every kind masked, then unmask all",
         [&] {
             for (int t = 0; t < ElementTypeCount; ++t) ClickControl(form->MaskButton(t));
             EXPECT_EQ(form->DrawGrid->GetRowCount(), 1);  // one blank row
             EXPECT_EQ(form->MaxVis(), -1);
             EXPECT_EQ(form->CalcIndex(0), -1);
             ClickControl(form->BtnUnmask);
         },
         26,
         {etPatch, etPerformance},
         byCreation,
         etPatch,
         true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        form->DrawGrid->SetTopRow(0);
        r.clicks();
        ASSERT_EQ(form->DrawGrid->GetRowCount(), r.rows);
        std::set<int> shown;
        std::string previous;
        for (int row = 0; row < r.rows; ++row) {
            const int i = form->CalcIndex(row);
            ASSERT_GE(i, 0);
            const TLibElem& e = At(form, i);
            shown.insert(e.ElemType);
            const std::string key = r.order(e);
            EXPECT_LE(previous, key) << "row " << row;
            previous = key;
        }
        EXPECT_EQ(shown, std::set<int>(r.kindsShown.begin(), r.kindsShown.end()));
        ClickControl(form->NewButton(r.newKind));
        EXPECT_EQ(form->Library()->Saved, 0);
        const int last = form->MaxVis();
        EXPECT_EQ(form->DrawGrid->GetTopRow(), r.scrollsEnd && last >= fit ? last - fit + 1 : 0);
    }
}

// ------------------------------------------------------------------------------------ row pictures

TEST_F(LibraryWindow, RowsShowTheKindsPictureTypeNameLocationAndDate) {
    TFormLibrary* form = OpenWith({etPatch, etPatchBank, etGlobal});
    At(form, 0).Temporary = 0;
    At(form, 0).User = 1;
    At(form, 0).Number = 12;
    At(form, 0).ModifiedDate = EncodeDate(2026, 3, 4);
    At(form, 0).ModifiedTime = EncodeTime(5, 6, 7, 0);
    Press(RowPoint(form, 0));
    ASSERT_EQ(Selection(form), "x..");
    form->DrawGrid->Repaint();
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("library-window")));

    // The kinds' pictures on the New and Mask buttons show the button face around them; the global's
    // lies in the middle of its wide button.
    for (TSpeedButton* b : {form->NewPatch, form->NewPatchBank, form->NewSystem, form->Newglobal, form->speedGlobal}) {
        SCOPED_TRACE(b->GetName());
        const bool global = b == form->Newglobal || b == form->speedGlobal;
        const HWND parent = b->GetParent()->GetHandle();
        RECT window{};
        GetWindowRect(parent, &window);
        POINT origin{b->GetLeft(), b->GetTop()};
        ClientToScreen(parent, &origin);
        auto at = [&](int x, int y) {
            return ComposedPixel(parent, origin.x - window.left + x, origin.y - window.top + y);
        };
        const COLORREF face = at(3, 3);
        int left = b->GetWidth(), right = -1, whites = 0;
        for (int y = 2; y < b->GetHeight() - 2; ++y)
            for (int x = 2; x < b->GetWidth() - 2; ++x) {
                const COLORREF c = at(x, y);
                whites += c == RGB(255, 255, 255) ? 1 : 0;
                if (c == face) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        EXPECT_EQ(whites, 0);  // no white box behind the picture
        ASSERT_GE(right, left);
        if (global) {
            EXPECT_NEAR(left + right, b->GetWidth() - 1, 3);
        }
    }

    const COLORREF aqua = RGB(0, 255, 255), white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    // The selected row is aqua from edge to edge, the others white.
    EXPECT_EQ(GridPixel(form, 2, 2), aqua);
    EXPECT_EQ(GridPixel(form, form->DrawGrid->ClientWidth() - 2, 16), aqua);
    EXPECT_EQ(GridPixel(form, 2, 18 + 2), white);
    // The patch's picture is the New Patch button's glyph, merged with the aqua brush: its white stays aqua,
    // its black stays black, its colours lose their red.
    TBitmap* glyph = form->NewPatch->Glyph();
    int blacks = 0, tinted = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const COLORREF g = ColorToCOLORREF(glyph->Canvas()->GetPixel(x, y));
            const COLORREF shown = GridPixel(form, 26 + x, y);
            EXPECT_EQ(shown, g & aqua) << x << "," << y;
            if (g == black) ++blacks;
            if (g != black && g != white) ++tinted;
        }
    EXPECT_GT(blacks, 10);
    EXPECT_GT(tinted, 10);
    // A bank's 32-pixel picture starts at x 10; on a white row it is the glyph itself.
    TBitmap* bank = form->NewPatchBank->Glyph();
    for (int x = 0; x < 32; x += 3)
        EXPECT_EQ(GridPixel(form, 10 + x, 18 + 8), ColorToCOLORREF(bank->Canvas()->GetPixel(x, 8))) << x;
    EXPECT_EQ(GridPixel(form, 8, 18 + 8), white);

    // Texts start at x 47, 157, 267 and 337: ink begins within two pixels of each, none just before.
    auto firstInk = [&](int row, int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 1; y < 17; ++y) {
                const COLORREF c = GridPixel(form, x, row * 18 + y);
                if (GetRValue(c) < 128 && GetGValue(c) < 128) return x;
            }
        return -1;
    };
    for (int column : {47, 157, 267, 337}) {
        SCOPED_TRACE(column);
        const int ink = firstInk(0, column - 4, column + 40);
        EXPECT_GE(ink, column);
        EXPECT_LE(ink, column + 2);
    }
    // The global has no location: nothing between 267 and 337 on its row.
    EXPECT_EQ(firstInk(2, 260, 335), -1);
    // An empty library's one blank row is white.
    TFormLibrary* empty = OpenWith({});
    EXPECT_EQ(empty->DrawGrid->GetRowCount(), 1);
    EXPECT_EQ(GridPixel(empty, 30, 8), white);
}

// ------------------------------------------------------------------------------------ trash

TEST_F(LibraryWindow, DeleteSelectedMovesTheVisibleSelectionIntoTheTrashAndTheTrashWindowFollows) {
    TFormLibrary* form = OpenWith({etPatch, etPatchBank, etPatch, etPerformance});
    TLibrary& trash = *Formzelmo->TrashLibrary;
    ClickControl(form->speedPerformance);
    Select(form, "x.xx");
    ClickControl(form->SpeedDelete);
    // The masked performance stays, selected.
    EXPECT_EQ(Selection(form), ".x");
    EXPECT_EQ(form->Library()->Elements[1]->GetName(), "E3");
    ASSERT_EQ(trash.Elements.size(), 2u);
    EXPECT_EQ(trash.Elements[0]->GetName(), "E0");
    EXPECT_EQ(trash.Elements[1]->Owner, &trash);
    EXPECT_EQ(form->Library()->Saved, 0);
    EXPECT_EQ(form->DrawGrid->GetRowCount(), 1);  // the bank; the performance is masked
    EXPECT_TRUE(Formzelmo->TrashPieno->GetVisible());
    EXPECT_FALSE(Formzelmo->TrashVuoto->GetVisible());

    // The trash window: its own layout, and the trash's rows.
    TFormLibrary* trashForm = TFormLibrary::OpenLibrary(Formzelmo, trash, true);
    ProcessPendingMessages();
    EXPECT_EQ(TFormLibrary::TrashWindow(), trashForm);
    EXPECT_EQ(trashForm->Caption(), "Trash Library");
    EXPECT_EQ(trashForm->HelpContext, 63);
    for (TControl* hidden : std::initializer_list<TControl*>{
             trashForm->NewPatch, trashForm->Newglobal, trashForm->LabelNew, trashForm->BevelNew,
             trashForm->Speedcomment, trashForm->SpeedPrint, trashForm->speedtransmet, trashForm->speedreceive,
             trashForm->speedMorph, trashForm->RandomBtn, trashForm->SpeedSearch, trashForm->Speeddebug,
             trashForm->SpeedDelete, trashForm->SpeedNuovo})
        EXPECT_FALSE(hidden->GetVisible()) << hidden->GetName();
    EXPECT_TRUE(trashForm->BtnEmpty->GetVisible());
    EXPECT_EQ(trashForm->Header->GetTop(), 8);
    EXPECT_EQ(trashForm->DrawGrid->GetTop(), 8 + trashForm->Header->GetHeight());
    EXPECT_EQ(trashForm->Labelmask->GetTop(), 8);
    EXPECT_EQ(trashForm->Bevelmask->GetTop(), trashForm->DrawGrid->GetTop());
    EXPECT_EQ(trashForm->SpeedPatch->GetTop(), trashForm->Bevelmask->GetTop() + 6);
    EXPECT_EQ(trashForm->SpeedHelp->GetLeft(), 506);
    EXPECT_EQ(trashForm->SpeedHelp->GetTop(), 292);
    EXPECT_EQ((trashForm->DrawGrid->GetHeight() - 4) % 18, 0);
    EXPECT_EQ(RowNames(trashForm), (std::vector<std::string>{"E0", "E2"}));
    EXPECT_TRUE(SaveWindowImage(trashForm->GetHandle(), ScreenshotPath("library-trash")));

    // Deleting in another window refreshes the trash window.
    Activate(form);
    ClickControl(form->BtnUnmask);
    Press(RowPoint(form, 1));
    ClickControl(form->SpeedDelete);
    EXPECT_EQ(RowNames(trashForm), (std::vector<std::string>{"E0", "E2", "E3"}));
    // In the trash window the Delete key deletes nothing (trash elements cannot move into the trash).
    Activate(trashForm);
    Press(RowPoint(trashForm, 0));
    ASSERT_EQ(Selection(trashForm), "x..");
    Key(VK_DELETE);
    EXPECT_EQ(trash.Elements.size(), 3u);

    // Closing it shows the trash panel again with the full picture; the trash library stays.
    Formzelmo->PanelTrash->SetVisible(false);
    ClickControl(trashForm->btnClose);
    ProcessPendingMessages();
    EXPECT_EQ(TFormLibrary::TrashWindow(), nullptr);
    EXPECT_TRUE(Formzelmo->PanelTrash->GetVisible());
    EXPECT_TRUE(Formzelmo->TrashPieno->GetVisible());
    EXPECT_EQ(trash.Elements.size(), 3u);
    EXPECT_EQ(trash.WindowOpen, 0);
    EXPECT_EQ(trash.Window, nullptr);

    // Empty asks first; closing after it shows the empty picture.
    trashForm = TFormLibrary::OpenLibrary(Formzelmo, trash, true);
    ProcessPendingMessages();
    AnswerBoxes({IDNO, IDYES});
    ClickControl(trashForm->BtnEmpty);
    EXPECT_EQ(trash.Elements.size(), 3u);
    ClickControl(trashForm->BtnEmpty);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Are You Sure ?", "Are You Sure ?"}));
    EXPECT_TRUE(trash.Elements.empty());
    EXPECT_EQ(trashForm->DrawGrid->GetRowCount(), 1);
    ClickControl(trashForm->btnClose);
    ProcessPendingMessages();
    EXPECT_TRUE(Formzelmo->TrashVuoto->GetVisible());
    EXPECT_FALSE(Formzelmo->TrashPieno->GetVisible());
}

TEST_F(LibraryWindow, NewEmptiesTheLibraryAndItsNotesAfterTheQuestion) {
    TFormLibrary* form = OpenWith({etPatch, etSystem});
    form->Library()->Notes.Add("a note");
    AnswerBoxes({IDYES});
    ClickControl(form->SpeedNuovo);
    EXPECT_TRUE(form->Library()->Elements.empty());
    EXPECT_EQ(form->Library()->Notes.Count(), 0);
    EXPECT_EQ(form->Library()->Saved, 0);
    EXPECT_TRUE(Formzelmo->TrashLibrary->Elements.empty());
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Are You Sure ?");
}

// ------------------------------------------------------------------------------------ popup menu

TEST_F(LibraryWindow, ThePopupMenuOpensBesideTheClickWithItemsForTheElement) {
    TFormLibrary* form =
        OpenWith({etPatch, etPatchBank, etPerformance, etPerformanceBank, etRhythm, etRhythmBank, etSystem, etGlobal});
    struct Row {
        int row;
        const char* load;
        const char* save;
        bool xp;
    };
    const Row rows[] = {{0, "Load SysEx", "Save SysEx", true},  {1, "Load SysEx", "Save SysEx", true},
                        {2, "Load SysEx", "Save SysEx", true},  {3, "Load SysEx", "Save SysEx", true},
                        {4, "Load SysEx", "Save SysEx", false}, {5, "Load SysEx", "Save SysEx", false},
                        {6, "Load SysEx", "Save SysEx", true},  {7, "Load Global", "Save Global", true}};
    Press(RowPoint(form, 0));  // the list has the focus, as after any click in it
    Select(form, "xxxxxxxx");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.row);
        RECT menu{};
        PopupOnRow(form, r.row, [&] {
            GetWindowRect(OpenPopupMenuWindow(), &menu);
            if (r.row == 7) {
                EXPECT_TRUE(SaveScreenImage(RECT{0, 0, 900, 700}, ScreenshotPath("library-popup")));
            }
            keybd_event(VK_ESCAPE, 0, 0, 0);
            keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        });
        // The right-clicked element alone is selected.
        std::string expected(8, '.');
        expected[static_cast<std::size_t>(r.row)] = 'x';
        EXPECT_EQ(Selection(form), expected);
        EXPECT_EQ(form->LoadSysex->Caption, r.load);
        EXPECT_EQ(form->SaveSysex->Caption, r.save);
        EXPECT_EQ(form->ImportFrom->Enabled, r.xp);
        EXPECT_EQ(form->ExportTo->Enabled, r.xp);
        // The grid point taken as a point of the window's client area, on the screen, plus (15, 60).
        const TPoint click = form->ClientToScreen(TPoint{100, r.row * 18 + 9});
        EXPECT_EQ(menu.left, click.x + 15);
        EXPECT_EQ(menu.top, click.y + 60);
    }
    std::vector<std::string> captions;
    for (int i = 0; i < form->PopupMenu->Items()->Count(); ++i)
        captions.push_back(form->PopupMenu->Items()->Items(i)->Caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Load Global", "Save Global", "-", "Import From XP", "Export To XP", "-",
                                        "Send", "Receive", "-", "Edit", "Print", "Open", "-", "Delete"}));
    EXPECT_EQ(form->PopupMenu->HelpContext, 39);
    EXPECT_FALSE(form->PopupMenu->AutoPopup);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(LibraryWindow, PopupDeleteDestroysTheElementAndLeavesTheLibraryUnsaved) {
    TFormLibrary* form = OpenWith({etPatch, etPerformance, etSystem});
    form->Library()->Saved = 1;
    PopupOnRow(form, 1, [&] {
        const POINT p = CentreOf(form->Delete);
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    });
    EXPECT_EQ(RowNames(form), (std::vector<std::string>{"E0", "E2"}));
    EXPECT_TRUE(Formzelmo->TrashLibrary->Elements.empty());
    // The deletion is offered for saving, as Delete Selected's is.
    EXPECT_EQ(form->Library()->Saved, 0);
}

TEST_F(LibraryWindow, PopupXpItemsLeaveTheXpFormatOffAlsoWhenTheyFail) {
    TFormLibrary* form = OpenWith({etPatch});
    WriteAll(Folder() + "/short.Syx", "too short");
    AnswerFileDialogs(Folder() + "/short.Syx");
    int xpDuringDialog = -1;
    SetFileDialogAnswerer([&](TOpenDialog& d) {
        xpDuringDialog = XpFormat;
        d.FileName = Folder() + "/short.Syx";
        return true;
    });
    auto choose = [&](TMenuItem* item) {
        PopupOnRow(form, 0, [&] {
            const POINT p = CentreOf(item);
            SetCursorPos(p.x, p.y);
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        });
    };
    choose(form->ImportFrom);
    EXPECT_EQ(xpDuringDialog, 1);
    EXPECT_EQ(XpFormat, 0);
    ASSERT_FALSE(Boxes.empty());  // the file's size is wrong for a patch: the user is told
    EXPECT_EQ(At(form, 0).GetName(), "E0");
    // Export to a folder that cannot hold the file.
    Boxes.clear();
    xpDuringDialog = -1;
    SetFileDialogAnswerer([&](TOpenDialog& d) {
        xpDuringDialog = XpFormat;
        d.FileName = Folder() + "/short.Syx/inside.Syx";
        return true;
    });
    choose(form->ExportTo);
    EXPECT_EQ(xpDuringDialog, 1);
    EXPECT_EQ(XpFormat, 0);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Error Saving Sysex."}));
}

// ------------------------------------------------------------------------------------ double click

TEST_F(LibraryWindow, ADoubleClickOnAPatchSendsItToTheTemporaryAreaFirstThenOpensItsWindow) {
    TFormLibrary* form = OpenWith({etPatch, etPatch});
    TLibElem& patch = At(form, 1);
    patch.SetName("Bass 1", false);
    patch.Temporary = 0;
    patch.User = 1;
    patch.Number = 12;
    TPatch temporary(nullptr);
    const std::uint32_t temporaryArea = temporary.LocationAddress();
    std::string inTemporaryWhenOpened;
    TForm* window = nullptr;
    RegisterElementWindow(etPatch, [&](TLibElem&) -> TObject* {
        const TBytes name = Sim.Read(temporaryArea, 12);
        inTemporaryWhenOpened.assign(name.begin(), name.end());
        window = Construct<TForm>(Formzelmo);
        return window;
    });
    TScopeExit forget([] { RegisterElementWindow(etPatch, nullptr); });
    Formzelmo->DropSuppress = false;
    const POINT p = RowPoint(form, 1);
    Clock->Advance(GetDoubleClickTime() + 1);
    SetCursorPos(p.x, p.y);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    ProcessPendingMessages();
    EXPECT_EQ(inTemporaryWhenOpened, "Bass 1      ");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(patch.Window, window);
    EXPECT_EQ(patch.WindowOpen, 1);
    // The press that comes with the double click was swallowed: it did not clear the drop suppression the
    // double click set, and the flag is spent.
    EXPECT_TRUE(Formzelmo->DropSuppress);
    EXPECT_FALSE(form->SwallowMouseDown());
    EXPECT_EQ(Selection(form), ".x");
    Press(RowPoint(form, 0));
    EXPECT_EQ(Selection(form), "x.");
    EXPECT_FALSE(Formzelmo->DropSuppress);
    // Delete Selected lets go of an element's open window before it moves into the trash.
    Press(RowPoint(form, 1));
    ClickControl(form->SpeedDelete);
    ProcessPendingMessages();
    EXPECT_EQ(patch.WindowOpen, 0);
    EXPECT_EQ(patch.Owner, Formzelmo->TrashLibrary.get());
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(LibraryWindow, ShiftAndTheRightButtonOnAPatchSendsItAndArmsTheAuditionElsewhereItAuditionsAtOnce) {
    TFormLibrary* form = OpenWith({etPatchBank, etPatch});
    TLibElem& patch = At(form, 1);
    patch.SetName("Lead 7", false);
    Select(form, "x.");
    TPatch temporary(nullptr);
    Press(RowPoint(form, 1), {VK_SHIFT}, true);
    // The patch alone is selected and sits in the temporary area; the audition waits for the timer.
    EXPECT_EQ(Selection(form), ".x");
    const TBytes name = Sim.Read(temporary.LocationAddress(), 12);
    EXPECT_EQ(std::string(name.begin(), name.end()), "Lead 7      ");
    EXPECT_TRUE(Formzelmo->TimerPreview->GetEnabled());
    EXPECT_EQ(Screen->GetCursor(), AuditionCursor);
    Formzelmo->TimerPreview->SetEnabled(false);
    Screen->SetCursor(crDefault);
    // On the bank's row the audition starts at once: a note on the preview channel.
    Sim.ClearLog();
    Press(RowPoint(form, 0), {VK_SHIFT}, true);
    EXPECT_EQ(Selection(form), ".x");
    EXPECT_FALSE(Formzelmo->TimerPreview->GetEnabled());
    bool noteOn = false;
    for (const TBytes& m : Sim.ReceivedMessages()) noteOn = noteOn || (!m.empty() && (m[0] & 0xF0) == 0x90);
    EXPECT_TRUE(noteOn);
    EXPECT_TRUE(Boxes.empty());
}

// A performance sent from the library goes out from the event loop: the click returns with its common
// sent and its sixteen parts queued, one part leaves every 50 ms, and meanwhile the program answers
// input. A note auditioned during the send reaches the instrument after the last part.
TEST_F(LibraryWindow, APerformanceSendLeavesTheWindowsLiveAndANotePlayedMeanwhileFollowsIt) {
    TFormLibrary* form = OpenWith({etPatchBank, etPerformance});
    auto& performance = static_cast<TPerformance&>(At(form, 1));
    performance.Temporary = 0;
    performance.User = 1;
    performance.Number = 3;
    for (int i = 12; i < 64; ++i) performance.Common->Data()[i] = static_cast<std::uint8_t>(i);
    for (int p = 1; p <= PartCount; ++p)
        for (int i = 0; i < 19; ++i) performance.Part(p).Data()[i] = static_cast<std::uint8_t>(p * 5 + i);
    std::vector<TBytes> expected;
    const auto dataSet = [](std::uint32_t address, std::span<const std::uint8_t> data) {
        return MakeDataSet(0x10, address, TBytes(data.begin(), data.end()));
    };
    expected.push_back(dataSet(performance.LocationAddress(), performance.Common->DataSpan()));
    for (int p = 1; p <= PartCount; ++p)
        expected.push_back(dataSet(performance.LocationAddress() + PartOffset(p), performance.Part(p).DataSpan()));
    Select(form, ".x");
    Sim.ClearLog();

    ClickControl(form->speedtransmet);
    ASSERT_EQ(Sim.ReceivedMessages().size(), 1u) << "the common at once, the parts queued";
    // The program answers input during the send: a click selects the bank's row, and Shift with the right
    // button on it auditions at once; the note waits behind the queued parts.
    PressAt(RowPoint(form, 0));
    EXPECT_EQ(Selection(form), "x.");
    PressAt(RowPoint(form, 0), {VK_SHIFT}, true);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 1u);
    for (std::size_t heard = 1; heard < expected.size(); ++heard) {
        Clock->Advance(SendPaceMs - 1);
        ProcessPendingMessages();
        EXPECT_EQ(Sim.ReceivedMessages().size(), heard) << "not before the pace has run";
        Clock->Advance(1);
        ProcessPendingMessages();
        EXPECT_EQ(Sim.ReceivedMessages().size(), heard + (heard + 1 == expected.size() ? 2 : 1));
    }
    std::vector<TBytes> heard = Sim.ReceivedMessages();
    ASSERT_EQ(heard.size(), expected.size() + 1);
    EXPECT_EQ((heard.back()[0] & 0xF0), 0x90) << "the note after the last part";
    heard.pop_back();
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(QueuedMessages(), 0u);
    StopPreview();
    EXPECT_TRUE(Boxes.empty());
}

// Settings > Midi > Ok while a performance's parts are queued: they go out on the port they were meant
// for before it closes, and the reopened port takes what comes next.
TEST_F(LibraryWindow, AChangeOfPortsLetsTheQueuedPartsOutFirst) {
    TFormLibrary* form = OpenWith({etPerformance});
    Select(form, "x");
    Sim.ClearLog();
    ClickControl(form->speedtransmet);
    ASSERT_EQ(Sim.ReceivedMessages().size(), 1u);
    const TNotifyEvent onShow = FormInOut->OnShow;
    FormInOut->OnShow = [&](TObject* sender) {
        onShow(sender);
        PostMessage(FormInOut->OkBtn->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessage(FormInOut->OkBtn->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    };
    ChooseFromMenu(Formzelmo, Formzelmo->Settings1, Formzelmo->SetMidiMidiPortItem, true);
    FormInOut->OnShow = onShow;
    EXPECT_EQ(Sim.ReceivedMessages().size(), 17u);
    EXPECT_EQ(QueuedMessages(), 0u);
    ASSERT_EQ(DevicesOpen, 1);
    SendDataByte(0x02000000, 0, 0, 1);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_TRUE(Boxes.empty());
}

// ------------------------------------------------------------------------------------ closing

TEST_F(LibraryWindow, TheCloseQuestionKeepsTheWindowUnlessTheChangesAreSavedOrGivenUp) {
    const std::string existing = Folder() + "/existing.Lib";
    WriteAll(existing, "old");
    WriteAll(Folder() + "/afile", "not a folder");
    const std::string question = "Untitled.Lib Was Not Saved, Save It ?";
    struct Row {
        const char* name;
        bool saved;
        std::string fileName;  // empty: untitled
        std::vector<int> answers;
        std::string chosen;  // the save dialog's answer; empty: cancelled
        bool closes;
        std::vector<std::string> boxes;
    };
    const std::vector<Row> rows = {
        {"saved", true, "", {}, "", true, {}},
        {"unsaved, Cancel", false, "", {IDCANCEL}, "", false, {question}},
        {"unsaved, No", false, "", {IDNO}, "", true, {question}},
        {"unsaved, Yes, saved under a new name", false, "", {IDYES}, Folder() + "/new.Lib", true, {question}},
        {"unsaved, Yes, untitled, the dialog cancelled", false, "", {IDYES}, "", false, {question}},
        {"unsaved, Yes, untitled, overwriting refused",
         false,
         "",
         {IDYES, IDNO},
         existing,
         false,
         {question, "File Alredy Exist. Overwrite it ?"}},
        {"unsaved, Yes, the save fails",
         false,
         Folder() + "/afile/bad.Lib",
         {IDYES},
         "",
         false,
         {"bad.Lib Was Not Saved, Save It ?", "Error Saving Library"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TFormLibrary* form = OpenWith({etPatch});
        TLibrary* library = form->Library();
        library->StoreWindowPositions();  // the window stands where the library says
        library->Saved = r.saved ? 1 : 0;
        if (!r.fileName.empty()) {
            library->FileName = r.fileName;
            library->HasFile = 1;
        }
        Boxes.clear();
        AnswerBoxes(r.answers);
        AnswerFileDialogs(r.chosen);
        Formzelmo->CancelClose = false;
        const int before = Formzelmo->MDIChildCount();
        ClickControl(form->btnClose);
        ProcessPendingMessages();
        EXPECT_EQ(BoxTexts(), r.boxes);
        EXPECT_EQ(Formzelmo->MDIChildCount(), r.closes ? before - 1 : before);
        EXPECT_EQ(Formzelmo->CancelClose, !r.closes);
        EXPECT_EQ(ReadAll(existing), "old");
        if (r.closes) {
            continue;
        }
        // Kept with its changes: closing it once it is saved needs no question.
        EXPECT_EQ(library->Saved, 0);
        EXPECT_EQ(library->Elements.size(), 1u);
        library->FileName = UntitledLib;
        library->StoreWindowPositions();
        library->Saved = 1;
        Boxes.clear();
        ClickControl(form->btnClose);
        ProcessPendingMessages();
        EXPECT_TRUE(Boxes.empty());
        EXPECT_EQ(Formzelmo->MDIChildCount(), before - 1);
    }
    // The library saved on closing is in its file.
    TLibrary reread;
    reread.LoadFromFile(Folder() + "/new.Lib");
    ASSERT_EQ(reread.Elements.size(), 1u);
    EXPECT_EQ(reread.Elements[0]->GetName(), "E0");
}

// Any change of the notes counts, typed or not; the caret waits in the notes at every opening, whichever
// control had the focus when the window last closed.
TEST_F(LibraryWindow, TheCommentKeepsTheLibrarySavedOnlyWhenNothingChanged) {
    TFormLibrary* form = OpenWith({etPatch});
    struct Row {
        const char* name;
        int saved;
        std::function<void(TMemo*)> edit;  // what is done in the notes, nothing when empty
        int after;
    };
    const Row rows[] = {
        {"saved, nothing typed", 1, nullptr, 1},
        {"saved, a key typed", 1, [](TMemo* m) { m->Perform(WM_CHAR, 'x', 0); }, 0},
        {"saved, a character taken away with Delete", 1, [](TMemo* m) { m->Perform(WM_KEYDOWN, VK_DELETE, 0); }, 0},
        {"saved, text pasted", 1,
         [](TMemo* m) {
             ASSERT_TRUE(PutClipboardText("pasted "));
             m->Perform(WM_PASTE, 0, 0);
         },
         0},
        {"saved, a word cut", 1,
         [](TMemo* m) {
             m->Perform(EM_SETSEL, 0, 6);
             m->Perform(WM_CUT, 0, 0);
         },
         0},
        {"unsaved, nothing typed", 0, nullptr, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        form->Library()->Notes.Clear();
        form->Library()->Notes.Add("first line");
        form->Library()->Saved = static_cast<std::uint8_t>(r.saved);
        TFormcomment* comment = Formcomment;
        ASSERT_NE(comment, nullptr);
        bool answered = false;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (answered || !comment->GetVisible()) return;
            answered = true;
            EXPECT_EQ(comment->Memo->Lines()->Strings(0), "first line");
            EXPECT_EQ(GetFocus(), comment->Memo->GetHandle());
            EXPECT_EQ(comment->Memo->GetSelStart(), 0);
            if (r.edit) r.edit(comment->Memo);
            // The focus leaves the notes before the window closes.
            comment->OKBtn->SetFocus();
            comment->OKBtnClick(comment->OKBtn);
        };
        ClickControl(form->Speedcomment);
        Application->OnIdle = nullptr;
        EXPECT_TRUE(answered);
        EXPECT_EQ(form->Library()->Saved, r.after);
    }
}

// ------------------------------------------------------------------------------------ printing

TEST_F(LibraryWindow, PrintSelectedAndPopupPrintListTheirElementsOnAPage) {
    SetPrintTarget(TPrintTarget::PngPages, Folder() + "/pages");
    TScopeExit resetPrinter([] { SetPrintTarget(TPrintTarget::DefaultPrinter); });
    TFormLibrary* form = OpenWith({etPatch, etPatch, etPatch, etPerformance});
    ClickControl(form->speedPerformance);
    Select(form, "x.xx");
    auto rules = [](TBitmap& page) {
        return RulesDown(page.GetWidth(), page.GetHeight(),
                         [&](int x, int y) { return (page.Canvas()->GetPixel(x, y) & 0xFF) < 128; });
    };
    ClickControl(form->SpeedPrint);
    ASSERT_EQ(PrintedPageCount(), 1);
    TBitmap page;
    ASSERT_TRUE(LoadPrintedPage(0, page));
    EXPECT_TRUE(page.SaveToPngFile(ScreenshotPath("library-print-selected")));
    // Two rows: the masked performance is not printed. Each row lies between two rules from y 9 on.
    const std::vector<int> selected = rules(page);
    ASSERT_EQ(selected.size(), 4u);
    EXPECT_NEAR(selected[0], 9, 2);
    const int pitch = selected[2] - selected[0];
    EXPECT_EQ(selected[3] - selected[1], pitch);

    PopupOnRow(form, 1, [&] {
        const POINT p = CentreOf(form->Print);
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    });
    ASSERT_EQ(PrintedPageCount(), 1);
    ASSERT_TRUE(LoadPrintedPage(0, page));
    const std::vector<int> one = rules(page);
    ASSERT_EQ(one.size(), 2u);
    EXPECT_NEAR(one[0], 9, 2);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(LibraryWindow, WithoutAPrinterPrintSelectedWritesTheSamePageToThePdfFileTheUserNames) {
    TFormLibrary* form = OpenWith({etPatch, etPatch, etPatch, etPerformance});
    Select(form, "xx.x");
    SetPrintTarget(TPrintTarget::PngPages, Folder() + "/pages");
    TScopeExit resetPrinter([] { SetPrintTarget(TPrintTarget::DefaultPrinter); });
    ClickControl(form->SpeedPrint);
    TBitmap png;
    ASSERT_TRUE(LoadPrintedPage(0, png));
    const std::vector<int> onPaper = RulesDown(
        png.GetWidth(), png.GetHeight(), [&](int x, int y) { return (png.Canvas()->GetPixel(x, y) & 0xFF) < 128; });
    ASSERT_EQ(onPaper.size(), 6u);

    // No printer: the PDF-file printer asks for the file; cancelled, nothing is written and nothing said.
    SetPrintTarget(TPrintTarget::NoPrinter);
    const std::string pdf = Folder() + "/selected.pdf";
    AnswerFileDialogs("");
    ClickControl(form->SpeedPrint);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    AnswerFileDialogs(pdf);
    ClickControl(form->SpeedPrint);
    EXPECT_TRUE(Boxes.empty());
    ASSERT_EQ(PdfPageCount(pdf), 1);
    if (!PdfRendererInstalled())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed: the PDF page is not rendered";
    const TGreyPage page = RenderPdfPage(pdf, 1, 300);
    // The same sheet: the renderer rounds A4's 841.89 points up to a whole pixel.
    ASSERT_NEAR(page.Width, png.GetWidth(), 1);
    ASSERT_NEAR(page.Height, png.GetHeight(), 1);
    EXPECT_EQ(RulesDown(page.Width, page.Height, [&](int x, int y) { return page.Dark(x, y); }), onPaper);
}

// The New and Print buttons open their modal window from a real press: the window holding the mouse lets it
// go first, so the box or dialog takes the click that answers it, and the library window takes the mouse
// again afterwards.
TEST_F(LibraryWindow, TheModalWindowOfAPressedButtonTakesTheMouse) {
    TFormLibrary* form = OpenWith({etPatch, etPatch});
    SetPrintTarget(TPrintTarget::NoPrinter);
    TScopeExit resetPrinter([] { SetPrintTarget(TPrintTarget::DefaultPrinter); });
    struct Row {
        const char* name;
        TSpeedButton* TFormLibrary::*button;
    };
    const Row rows[] = {{"New asks", &TFormLibrary::SpeedNuovo},
                        {"Print asks for the file", &TFormLibrary::SpeedPrint}};
    int shown = 0;
    HWND heldWhileShown = nullptr;
    SetMessageBoxAnswerer([&](const TMessageBoxRequest& box) {
        Boxes.push_back(box);
        ++shown;
        heldWhileShown = GetCapture();
        return IDNO;
    });
    TFileDialogAnswerer dialogs = SetFileDialogAnswerer([&](TOpenDialog&) {
        ++shown;
        heldWhileShown = GetCapture();
        return false;
    });
    TScopeExit restoreDialogs([&] { SetFileDialogAnswerer(std::move(dialogs)); });
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        shown = 0;
        heldWhileShown = form->GetHandle();
        ClickControl(form->*r.button);
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(heldWhileShown, nullptr) << "the mouse was free for the modal window";
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(form->Library()->Elements.size(), 2u) << "answered No: nothing changed";
        // The library window takes the next click: a row is selected.
        Press(RowPoint(form, 1));
        EXPECT_EQ(At(form, form->CalcIndex(1)).Selected, 1);
        Press(RowPoint(form, 0));
    }
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Are You Sure ?"});
}

// ------------------------------------------------------------------------------------ the instrument

TEST_F(LibraryWindow, SendSelectedAndReceiveSelectedWithTheInstrument) {
    TFormLibrary* form = OpenWith({etPatch, etPatch, etPatch});
    const char* names[] = {"Piano A", "Strings B", "Left Out"};
    for (int i = 0; i < 3; ++i) {
        TLibElem& e = At(form, i);
        e.Temporary = 0;
        e.User = 1;
        e.Number = static_cast<std::int16_t>(i + 1);
        e.SetName(names[i], false);
    }
    auto nameAt = [&](int i) {
        const TBytes name = Sim.Read(static_cast<TPatch&>(At(form, i)).LocationAddress(), 12);
        return std::string(name.begin(), name.end());
    };
    Press(RowPoint(form, 0));
    Press(RowPoint(form, 1), {VK_SHIFT});
    ClickControl(form->speedtransmet);
    SendQueued();
    EXPECT_EQ(nameAt(0), "Piano A     ");
    EXPECT_EQ(nameAt(1), "Strings B   ");
    EXPECT_EQ(nameAt(2), std::string(12, '\0'));

    // Receive: each patch in its progress window, the time running while one shows.
    int windows = 0;
    std::function<void()> eachWindow;
    auto withProgress = [&](const std::function<void()>& act) {
        bool shown = false;
        int idles = 0;
        windows = 0;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (++idles > 100000) FormTransmet->Close();  // never hang the test
            if (!FormTransmet->GetVisible()) {
                shown = false;
                return;
            }
            if (!shown) {
                shown = true;
                ++windows;
                if (eachWindow) eachWindow();
            }
            Clock->Advance(10);
        };
        act();
        Application->OnIdle = nullptr;
    };
    Sim.Write(static_cast<TPatch&>(At(form, 0)).LocationAddress(),
              {'C', 'h', 'o', 'i', 'r', ' ', '1', ' ', ' ', ' ', ' ', ' '});
    Sim.Write(static_cast<TPatch&>(At(form, 1)).LocationAddress(),
              {'B', 'r', 'a', 's', 's', ' ', '2', ' ', ' ', ' ', ' ', ' '});
    Sim.ClearLog();
    withProgress([&] { ClickControl(form->speedreceive); });
    EXPECT_EQ(Sim.RequestsReceived(), 2);
    EXPECT_EQ(At(form, 0).GetName(), "Choir 1");
    EXPECT_EQ(At(form, 1).GetName(), "Brass 2");
    EXPECT_EQ(At(form, 2).GetName(), "Left Out");

    // Cancel in the first progress window, before the instrument answers: the walk stops there.
    Sim.Silent = true;
    Sim.ClearLog();
    eachWindow = [] { FormTransmet->BitBtn1->Click(); };
    withProgress([&] { ClickControl(form->speedreceive); });
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(Sim.RequestsReceived(), 1);
    EXPECT_EQ(At(form, 0).GetName(), "Choir 1");
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
