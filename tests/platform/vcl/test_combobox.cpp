// Drop-down list combo boxes: read from a form, chosen by the program without OnChange, and by the user's
// real clicks and keys with OnChange; the dropped list's place, size and scrolling; the chosen item kept
// through changes of the items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/DesktopManager.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

const char* const kComboForm = R"(object FormCombo: TFormCombo
  Left = 120
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Combo'
  ClientHeight = 150
  ClientWidth = 260
  object Slot: TComboBox
    Left = 8
    Top = 8
    Width = 160
    Height = 21
    Style = csDropDownList
    DropDownCount = 5
    ItemHeight = 13
    ItemIndex = 2
    TabOrder = 0
    OnChange = SlotChange
    Items.Strings = (
      '( None )'
      'Pop        '
      'Orchestral     '
      'Piano        '
      'Vintage      '
      'World        '
      'Dance       '
      'Zelmo Sound      ')
  end
  object Other: TButton
    Left = 8
    Top = 110
    Width = 75
    Height = 25
    Caption = 'Cancel'
    Cancel = True
    TabOrder = 1
    OnClick = OtherClick
  end
end
)";

class TFormCombo : public TForm {
public:
    explicit TFormCombo(TComponent* owner) : TForm(owner) {}
    std::string ClassName() const override { return "TFormCombo"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("Slot", Slot);
        B.Field("Other", Other);
        B.Handler<TNotifyEvent>("SlotChange", [this](TObject*) { Changes.push_back(Slot->GetItemIndex()); });
        B.Handler<TNotifyEvent>("OtherClick", [this](TObject*) { ++OtherClicks; });
    }
    TComboBox* Slot = nullptr;
    TButton* Other = nullptr;
    std::vector<int> Changes;  // the item index seen by each OnChange
    int OtherClicks = 0;

private:
    TFormResource resource_{"Combo", kComboForm};
};

class ComboBox : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TFormCombo>(nullptr));
        combo = form->Slot;
        form->Show();
        combo->SetFocus();
        ProcessPendingMessages();
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_MENU) < 0) keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
        VclTest::TearDown();
    }
    static void Key(BYTE vk) {
        keybd_event(vk, 0, 0, 0);
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    static void AltKey(BYTE vk) {
        keybd_event(VK_MENU, 0, 0, 0);
        Key(vk);
        keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
    // A real left click at a screen point; the pointer then leaves, so that the next click is no double click.
    static void ClickScreen(POINT p) {
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        SetCursorPos(0, 0);
        ProcessPendingMessages();
    }
    POINT ComboPoint(int x, int y) const {
        const TPoint p = combo->ClientToScreen(TPoint{x, y});
        return POINT{p.x, p.y};
    }
    // The middle of a line of the dropped list, in screen coordinates.
    POINT ListLine(int index) const {
        TComboListBox* list = combo->ListBox();
        const TRect r = list->ItemRect(index);
        const TPoint p = list->ClientToScreen(TPoint{r.left + 20, (r.top + r.bottom) / 2});
        return POINT{p.x, p.y};
    }
    bool ListShown() const {
        return combo->ListBox()->HandleAllocated() && IsWindowVisible(combo->ListBox()->GetHandle());
    }
    TFormCombo* form = nullptr;
    TComboBox* combo = nullptr;
};

TEST_F(ComboBox, AFormResourceGivesItemsChoiceStyleAndCount) {
    EXPECT_EQ(combo->GetStyle(), csDropDownList);
    EXPECT_EQ(combo->GetDropDownCount(), 5);
    ASSERT_EQ(combo->Items()->GetCount(), 8);
    EXPECT_EQ(combo->Items()->Get(1), "Pop        ");  // trailing blanks kept
    EXPECT_EQ(combo->GetItemIndex(), 2);
    EXPECT_EQ(combo->GetText(), "Orchestral     ");
    EXPECT_TRUE(form->Changes.empty());
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_FALSE(ListShown());
}

TEST_F(ComboBox, TheProgramChoosesWithoutOnChangeAndAnIndexOutsideTheItemsClearsTheChoice) {
    struct Row {
        const char* name;
        int set;
        int expected;
    };
    const Row rows[] = {
        {"an item", 5, 5}, {"the same item", 5, 5}, {"none", -1, -1},   {"the first", 0, 0},
        {"beyond", 8, -1}, {"far beyond", 400, -1}, {"the last", 7, 7}, {"below -1", -7, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        combo->SetItemIndex(r.set);
        EXPECT_EQ(combo->GetItemIndex(), r.expected);
        EXPECT_EQ(combo->GetText(), r.expected < 0 ? std::string() : combo->Items()->Get(r.expected));
    }
    EXPECT_TRUE(form->Changes.empty());
}

TEST_F(ComboBox, KeysOnTheClosedBoxChooseTheNeighbouringItemWithOnChange) {
    struct Row {
        const char* name;
        int from;
        BYTE key;
        int expected;
        bool change;
    };
    const Row rows[] = {
        {"down", 2, VK_DOWN, 3, true},
        {"up", 2, VK_UP, 1, true},
        {"right", 2, VK_RIGHT, 3, true},
        {"left", 2, VK_LEFT, 1, true},
        {"down at the last", 7, VK_DOWN, 7, false},
        {"up at the first", 0, VK_UP, 0, false},
        {"home", 5, VK_HOME, 0, true},
        {"end", 1, VK_END, 7, true},
        {"page down", 1, VK_NEXT, 5, true},
        {"page up", 6, VK_PRIOR, 2, true},
        {"down with none chosen", -1, VK_DOWN, 0, true},
        {"a letter", 0, 'P', 1, true},
        {"the same letter again", 1, 'P', 3, true},
        {"a letter no item starts with", 3, 'Q', 3, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        combo->SetItemIndex(r.from);
        form->Changes.clear();
        Key(r.key);
        EXPECT_EQ(combo->GetItemIndex(), r.expected);
        EXPECT_EQ(form->Changes, r.change ? std::vector<int>{r.expected} : std::vector<int>{});
        EXPECT_FALSE(ListShown());
    }
}

TEST_F(ComboBox, AClickOpensTheListBelowTheBoxAndAClickOnAnItemChoosesIt) {
    ClickScreen(ComboPoint(40, 8));
    ASSERT_TRUE(combo->GetDroppedDown());
    ASSERT_TRUE(ListShown());
    EXPECT_TRUE(form->Changes.empty());
    RECT box, list;
    GetWindowRect(combo->GetHandle(), &box);
    GetWindowRect(combo->ListBox()->GetHandle(), &list);
    EXPECT_EQ(list.left, box.left);
    EXPECT_EQ(list.top, box.bottom);
    EXPECT_EQ(list.right - list.left, box.right - box.left);
    // Five lines of the eight show; the chosen one is marked.
    EXPECT_EQ(combo->ListBox()->ClientHeight(), 5 * combo->ListBox()->GetItemHeight());
    EXPECT_EQ(combo->ListBox()->GetItemIndex(), 2);
    EXPECT_TRUE(SaveWindowImage(combo->ListBox()->GetHandle(), ScreenshotPath("combo-list")));
    // The focus stays with the box.
    EXPECT_TRUE(combo->Focused());
    // The list is the program's own window, which no window manager stacks under the form or focuses.
    EXPECT_FALSE(IsDesktopManagedWindow(combo->ListBox()->GetHandle()));

    ClickScreen(ListLine(4));
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(combo->GetItemIndex(), 4);
    EXPECT_EQ(form->Changes, std::vector<int>{4});

    // The item already chosen: the list closes, nothing changes.
    ClickScreen(ComboPoint(40, 8));
    ASSERT_TRUE(ListShown());
    ClickScreen(ListLine(4));
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(form->Changes, std::vector<int>{4});
}

TEST_F(ComboBox, AClickOnTheBoxOrOutsideClosesTheListUnchanged) {
    struct Row {
        const char* name;
        int x, y;  // in the box's client coordinates
    };
    const Row rows[] = {{"the box", 40, 8}, {"the form beside the list", 220, 100}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ClickScreen(ComboPoint(40, 8));
        ASSERT_TRUE(ListShown());
        // The pointer passes over another line, which is marked but not chosen.
        const POINT over = ListLine(3);
        SetCursorPos(over.x, over.y);
        ProcessPendingMessages();
        EXPECT_EQ(combo->ListBox()->GetItemIndex(), 3);
        ClickScreen(ComboPoint(r.x, r.y));
        EXPECT_FALSE(ListShown());
        EXPECT_EQ(combo->GetItemIndex(), 2);
        EXPECT_EQ(GetCapture(), nullptr);
    }
    EXPECT_TRUE(form->Changes.empty());
    EXPECT_EQ(form->OtherClicks, 0);
}

TEST_F(ComboBox, PressingOnTheBoxAndReleasingOverAnItemChoosesIt) {
    const POINT box = ComboPoint(40, 8);
    SetCursorPos(box.x, box.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    ASSERT_TRUE(ListShown());
    const POINT item = ListLine(0);
    SetCursorPos(item.x, item.y);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(combo->GetItemIndex(), 0);
    EXPECT_EQ(form->Changes, std::vector<int>{0});
}

TEST_F(ComboBox, TheDroppedListTakesArrowsEnterAndEscapeBeforeTheForm) {
    struct Row {
        const char* name;
        bool alt;  // opened with Alt+Down, else F4
        std::vector<BYTE> keys;
        int expected;
    };
    const Row rows[] = {
        {"two down and enter", false, {VK_DOWN, VK_DOWN, VK_RETURN}, 4},
        {"up and escape", false, {VK_UP, VK_ESCAPE}, 2},
        {"end and F4", true, {VK_END, VK_F4}, 7},
        {"home and enter", true, {VK_HOME, VK_RETURN}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        combo->SetItemIndex(2);
        form->Changes.clear();
        if (r.alt) AltKey(VK_DOWN);
        else Key(VK_F4);
        ASSERT_TRUE(ListShown());
        for (BYTE k : r.keys) Key(k);
        EXPECT_FALSE(ListShown());
        EXPECT_EQ(combo->GetItemIndex(), r.expected);
        EXPECT_EQ(form->Changes, r.expected == 2 ? std::vector<int>{} : std::vector<int>{r.expected});
        EXPECT_TRUE(combo->Focused());
    }
    // Escape closed the list only: the form's cancel button was not pressed.
    EXPECT_EQ(form->OtherClicks, 0);
    // On the closed box Escape is the form's again.
    Key(VK_ESCAPE);
    EXPECT_EQ(form->OtherClicks, 1);
}

TEST_F(ComboBox, TheListScrollsToTheChosenItemAndByTheWheel) {
    combo->SetItemIndex(7);
    Key(VK_F4);
    ASSERT_TRUE(ListShown());
    TComboListBox* list = combo->ListBox();
    EXPECT_EQ(list->GetTopIndex(), 3);  // the last five lines
    const POINT p = ListLine(5);
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(WHEEL_DELTA), 0);
    ProcessPendingMessages();
    EXPECT_EQ(list->GetTopIndex(), 0);
    EXPECT_TRUE(ListShown());
    Key(VK_ESCAPE);
    EXPECT_TRUE(form->Changes.empty());
}

TEST_F(ComboBox, TheChoiceFollowsItsItemThroughChangesOfTheItems) {
    combo->SetItemIndex(3);
    combo->Items()->Insert(0, "First");
    EXPECT_EQ(combo->GetItemIndex(), 4);
    EXPECT_EQ(combo->GetText(), "Piano        ");
    combo->Items()->Delete(1);
    EXPECT_EQ(combo->GetItemIndex(), 3);
    combo->Items()->Add("Last");
    EXPECT_EQ(combo->GetItemIndex(), 3);
    combo->Items()->Delete(3);
    EXPECT_EQ(combo->GetItemIndex(), -1);
    combo->SetItemIndex(2);
    combo->Items()->Clear();
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(combo->GetText(), "");
    // An empty box opens and closes without a choice.
    Key(VK_DOWN);
    ClickScreen(ComboPoint(40, 8));
    EXPECT_TRUE(ListShown());
    ClickScreen(ComboPoint(40, 8));
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_TRUE(form->Changes.empty());
}

TEST_F(ComboBox, TheFocusedBoxShowsItsItemHighlighted) {
    combo->Repaint();
    HWND h = combo->GetHandle();
    const int edge = 2;
    EXPECT_EQ(ComposedPixel(h, edge + 3, edge + 3), ColorToCOLORREF(clHighlight));
    // The drop button at the right: its face with the arrow in the button text colour.
    const int buttonLeft = edge + combo->ClientWidth() - GetSystemMetrics(SM_CXVSCROLL);
    int arrow = 0, face = 0;
    for (int x = buttonLeft; x < edge + combo->ClientWidth(); ++x)
        for (int y = edge; y < edge + combo->ClientHeight(); ++y) {
            const COLORREF c = ComposedPixel(h, x, y);
            arrow += c == GetSysColor(COLOR_BTNTEXT) ? 1 : 0;
            face += c == GetSysColor(COLOR_BTNFACE) ? 1 : 0;
        }
    EXPECT_GT(arrow, 3);
    EXPECT_GT(face, 100);
    EXPECT_EQ(ComposedPixel(h, buttonLeft - 3, edge + 3), ColorToCOLORREF(clHighlight));
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("combo-focused")));
    form->Other->SetFocus();
    combo->Repaint();
    EXPECT_EQ(ComposedPixel(h, edge + 3, edge + 3), ColorToCOLORREF(clWindow));
}

}  // namespace
}  // namespace zel::test
