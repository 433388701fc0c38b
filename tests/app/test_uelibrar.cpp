// The library window, driven by real mouse and key input through the platform's queue: rows of the visible
// elements, selection, masks and sorting with the scroll rule, deleting into the trash and the trash window,
// the popup menu, the row pictures, the close question, printing, and sending and receiving with the
// instrument simulator behind the ports.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <set>

#include "ProgramFixture.h"
#include "app/Uelibrar.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "platform/vcl/Printers.h"

namespace zel::test {
namespace {

class LibraryWindow : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        StartAndWaitOutTheIntro();
        SetCursorPos(0, 0);
    }
    void TearDown() override {
        SetFileDialogAnswerer(std::move(savedDialogs_));
        Program::TearDown();
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

    static POINT Screen(TControl* control, int x, int y) {
        const TPoint p = control->ClientToScreen(TPoint{x, y});
        return POINT{p.x, p.y};
    }
    static POINT RowPoint(TFormLibrary* form, int row) {
        return Screen(form->DrawGrid, 100, (row - form->DrawGrid->GetTopRow()) * 18 + 9);
    }
    // A click of a button at a screen point with the keys held; the next click comes later than a double
    // click's.
    void Press(POINT p, std::initializer_list<BYTE> keys = {}, bool right = false) {
        Clock->Advance(GetDoubleClickTime() + 1);
        for (BYTE k : keys) keybd_event(k, 0, 0, 0);
        SetCursorPos(p.x, p.y);
        mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        for (BYTE k : keys) keybd_event(k, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    void ClickControl(TControl* control, std::initializer_list<BYTE> keys = {}) {
        Press(Screen(control, control->GetWidth() / 2, control->GetHeight() / 2), keys);
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
    Press(Screen(form->Panel, 330, 20));
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

}  // namespace
}  // namespace zel::test
