// The concrete item controls on small bar windows made here: a row (a toolbar) and a column (a menu). The
// edit with its inner window, the button's sizes, paint styles and drop-down arrow, the combo's keys, the
// sub-item's delays, the container's caption, and a gallery of each look drawn through the controls.
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "BarsTestSupport.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/ubOffice11.h"

namespace zel::test {
namespace {

// A bar window that lays its links out in one row (a toolbar) or one column (a menu, with its glyph column
// and the separators between groups).
class TLayoutBar : public TCustomubBarControl {
public:
    TLayoutBar(TComponent* AOwner, bool AColumn) : TCustomubBarControl(AOwner), column_(AColumn) {}
    bool IsToolbar() const override { return !column_; }
    bool IsSubMenu() const override { return column_; }
    void Rebuild() override {
        if (GetItemLinks() == nullptr || !HandleAllocated()) return;
        CreateControls();
        int at = 2;
        for (TubBarItemLink* l : GetItemLinks()->VisibleItems()) {
            if (l->Control == nullptr) continue;
            if (column_ && l->BeginGroup && at > 2) at += 7;
            const int w = column_ ? ClientWidth() - 4 : l->Control->LayoutWidth();
            const int h = l->Control->LayoutHeight();
            l->ItemRect = column_ ? TRect(2, at, 2 + w, at + h) : TRect(at, 2, at + w, 2 + h);
            at += (column_ ? h : w) + (column_ ? 0 : 1);
        }
        InvalidateRect(GetHandle(), nullptr, FALSE);
    }
    // The bar's body (a docked toolbar's, or the menu's with its glyph column) seen through the rectangle.
    void PaintBackground(HDC DC, const TRect& R) override {
        TubBarPainterClass p = BarPainterOf(BarManager());
        const TRect client = GetClientRect();
        const int saved = SaveDC(DC);
        IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
        if (column_)
            p->DrawSubMenuBackground(DC, TRect(2, 2, client.right - 2, client.bottom - 2), LineHeight() + 2, false);
        else p->DrawBarBackground(DC, client, BarPaintState());
        RestoreDC(DC, saved);
    }
    void Paint() override {
        TCustomubBarControl::Paint();
        if (!column_ || GetItemLinks() == nullptr) return;
        TubBarPainterClass p = BarPainterOf(BarManager());
        HDC dc = Canvas()->GetHandle();
        for (TubBarItemLink* l : GetItemLinks()->VisibleItems())
            if (l->BeginGroup && l->ItemRect.top > 2)
                p->DrawSubMenuSeparator(dc, TRect(2, l->ItemRect.top - 7, ClientWidth() - 2, l->ItemRect.top),
                                        LineHeight() + 2);
        p->DrawSubMenuFrame(dc, GetClientRect(), p->GetSubMenuBrush());
    }

private:
    bool column_;
};

class ubBarItemControls : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = NewForm();
        form_->SetBounds(0, 0, 420, 260);
        manager_ = new TubBarManager(form_);
        manager_->SetStyle(bmsOffice11);
        form_->Show();
    }
    // A bar window on the form at (x, y) showing the links.
    TLayoutBar* NewBar(TubBarItemLinks* Links, int X, int Y, int W, int H, bool Column = false) {
        auto* bar = new TLayoutBar(manager_, Column);
        bar->SetParent(form_);
        bar->SetBounds(X, Y, W, H);
        bar->SetItemLinks(Links);
        bar->SetVisible(true);
        bar->HandleNeeded();
        Links->RebuildLists();
        bar->Rebuild();
        ProcessPendingMessages();
        return bar;
    }
    TubBarItemLinks* NewLinks() { return manager_->GetBars()->Add()->GetItemLinks(); }
    template <class TItem>
    TItem* Add(TubBarItemLinks* Links, const std::string& Caption, bool BeginGroup = false) {
        auto* item = Construct<TItem>(form_);
        item->SetCaption(Caption);
        TubBarItemLink* l = Links->Add();
        l->SetItem(item);
        l->BeginGroup = BeginGroup;
        return item;
    }
    static TPoint Centre(const TRect& R) { return TPoint((R.left + R.right) / 2, (R.top + R.bottom) / 2); }
    static void Click(TCustomubBarControl* Bar, TPoint P) {
        SendMessage(Bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(P.x, P.y));
        SendMessage(Bar->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(P.x, P.y));
    }
    static void Key(HWND Window, WORD VirtualKey) {
        SendMessage(Window, WM_KEYDOWN, VirtualKey, 1);
        SendMessage(Window, WM_KEYUP, VirtualKey, static_cast<LPARAM>(0xC0000001u));
    }
    static void Type(HWND Window, const std::string& Text) {
        for (char c : Text) SendMessage(Window, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    // Holds the keys down in the keyboard state while the scope lasts.
    struct THeldKeys {
        explicit THeldKeys(std::initializer_list<int> Keys) {
            GetKeyboardState(saved_);
            BYTE state[256];
            std::copy(saved_, saved_ + 256, state);
            for (int k : Keys) state[k] = 0x80;
            SetKeyboardState(state);
        }
        ~THeldKeys() { SetKeyboardState(saved_); }
        BYTE saved_[256];
    };

    // A toolbar of buttons in each state with a drop-down button, an edit and a combo, a pressed button and a
    // menu, drawn through their controls in the look and saved as a screenshot.
    void ShowControlGallery(TubBarManagerStyle Style, const std::string& Name) {
        SCOPED_TRACE(Name);
        manager_->SetStyle(Style);
        TBitmap glyph;
        glyph.SetSize(16, 16);
        HDC g = glyph.Canvas()->GetHandle();
        FillRectWithColor(g, TRect(0, 0, 16, 16), clFuchsia);
        FillRectWithColor(g, TRect(2, 2, 14, 14), clNavy);
        FillRectWithColor(g, TRect(5, 5, 11, 11), clYellow);

        TubBarItemLinks* row = NewLinks();
        std::vector<TubBarButton*> buttons;
        for (const char* caption : {"N", "H", "D", "X"}) {
            auto* b = Add<TubBarButton>(row, caption);
            b->SetGlyph(&glyph);
            b->SetPaintStyle(psCaptionGlyph);
            buttons.push_back(b);
        }
        buttons[2]->SetButtonStyle(bsChecked);
        buttons[2]->SetDown(true);
        buttons[3]->SetEnabled(false);
        auto* drop = Add<TubBarButton>(row, "Drop", true);
        drop->SetGlyph(&glyph);
        drop->SetButtonStyle(bsDropDown);
        auto* edit = Add<TubBarEdit>(row, "Edit");
        edit->SetText("text");
        edit->SetWidth(70);
        auto* combo = Add<TubBarCombo>(row, "Combo");
        combo->GetItems()->Add("Large");
        combo->SetItemIndex(0);
        combo->SetWidth(80);
        TLayoutBar* toolbar = NewBar(row, 4, 4, 360, 30);
        toolbar->SetSelected(row->Items(1)->Control);
        // Pressed: selected, with the mouse holding it.
        TubBarItemLinks* pressedRow = NewLinks();
        auto* pressed = Add<TubBarButton>(pressedRow, "P");
        pressed->SetGlyph(&glyph);
        pressed->SetPaintStyle(psCaptionGlyph);
        TLayoutBar* pressedBar = NewBar(pressedRow, 366, 4, 50, 30);
        pressedBar->SetSelected(pressedRow->Items(0)->Control);
        pressedRow->Items(0)->Control->SetPressed(true);

        TubBarItemLinks* column = NewLinks();
        auto* open = Add<TubBarButton>(column, "&Open");
        open->SetGlyph(&glyph);
        open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
        auto* checked = Add<TubBarButton>(column, "&Checked");
        checked->SetButtonStyle(bsChecked);
        checked->SetDown(true);
        Add<TubBarSubItem>(column, "&More");
        auto* save = Add<TubBarButton>(column, "&Save", true);
        save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
        TLayoutBar* menu = NewBar(column, 4, 40, 220, 110, true);
        menu->SetSelected(column->Items(1)->Control);
        ProcessPendingMessages();

        for (TLayoutBar* bar : {toolbar, pressedBar, menu}) bar->Repaint();
        EXPECT_TRUE(SaveWindowImage(form_->GetHandle(), ScreenshotPath(std::string("bar-controls-") + Name)));
        // The hot button differs from the normal one (the classic looks' raised edge lies on the outermost
        // pixel, the flat frames inside it; the native look's parts are the theme's own).
        const TRect normal = row->Items(0)->ItemRect, hot = row->Items(1)->ItemRect;
        const int in = Style == bmsStandard || Style == bmsEnhanced ? 0 : 1;
        if (Style != bmsXP) {
            EXPECT_NE(ComposedPixel(toolbar->GetHandle(), normal.left + in, normal.top + in),
                      ComposedPixel(toolbar->GetHandle(), hot.left + in, hot.top + in));
        }
        delete toolbar;
        delete pressedBar;
        delete menu;
    }

    TTestForm* form_ = nullptr;
    TubBarManager* manager_ = nullptr;
};

// ------------------------------------------------------------------------------------------------ edit

TEST_F(ubBarItemControls, AClickShowsTheInnerEditAtItsRectangleWithTheTextSelected) {
    TubBarItemLinks* links = NewLinks();
    auto* item = Add<TubBarEdit>(links, "Name");
    item->SetText("hello");
    TLayoutBar* bar = NewBar(links, 10, 10, 300, 30);
    auto* control = dynamic_cast<TubBarEditControl*>(links->Items(0)->Control);
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->Handle, nullptr);
    EXPECT_FALSE(IsWindowVisible(control->Handle));
    // The inner window is a hidden EDIT child of the bar window, with the look's style.
    char className[16] = {};
    GetClassName(control->Handle, className, sizeof(className));
    EXPECT_STREQ(className, "EDIT");
    EXPECT_EQ(GetParent(control->Handle), bar->GetHandle());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(control->Handle, GWL_STYLE)) & (ES_MULTILINE | ES_AUTOHSCROLL),
              static_cast<DWORD>(ES_MULTILINE | ES_AUTOHSCROLL));

    Click(bar, Centre(links->Items(0)->ItemRect));
    ProcessPendingMessages();
    ASSERT_TRUE(IsWindowVisible(control->Handle));
    EXPECT_EQ(GetFocus(), control->Handle);
    RECT shown{};
    GetWindowRect(control->Handle, &shown);
    MapWindowPoints(nullptr, bar->GetHandle(), reinterpret_cast<POINT*>(&shown), 2);
    EXPECT_TRUE(EqualRect(&shown, &control->WindowRect));
    // The window lies inside the edit box: within the item, right of nothing (no caption shown).
    const TRect itemRect = links->Items(0)->ItemRect;
    EXPECT_GT(shown.left, itemRect.left);
    EXPECT_LT(shown.right, itemRect.right);
    DWORD a = 9, b = 9;
    SendMessage(control->Handle, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(b, 5u);
    // The flat looks lay the text out 2 pixels inside the window.
    RECT format{};
    SendMessage(control->Handle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.left, 2);
    EXPECT_EQ(format.right, shown.right - shown.left - 2);
    SaveWindowImage(bar->GetHandle(), ScreenshotPath("bar-edit-editing"));
}

TEST_F(ubBarItemControls, EnterStoresTheTypedTextAndEscapeDiscardsItUnlessControlIsHeld) {
    struct Row {
        const char* name;
        WORD key;
        bool control;  // Ctrl held with the key
        bool alwaysSaveText;
        const char* want;  // the item's text afterwards
        int changes;
    } rows[] = {
        {"Enter", VK_RETURN, false, false, "world", 1},
        {"Escape with AlwaysSaveText", VK_ESCAPE, false, true, "hello", 0},
        {"Ctrl+Escape with AlwaysSaveText", VK_ESCAPE, true, true, "world", 1},
        {"Escape without AlwaysSaveText", VK_ESCAPE, true, false, "hello", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TubBarItemLinks* links = NewLinks();
        auto* item = Add<TubBarEdit>(links, "Name");
        item->SetText("hello");
        int changes = 0, curChanges = 0;
        item->OnChange = [&](TObject*) { ++changes; };
        item->OnCurChange = [&](TObject*) { ++curChanges; };
        manager_->AlwaysSaveText = row.alwaysSaveText;
        TLayoutBar* bar = NewBar(links, 10, 10, 300, 30);
        auto* control = dynamic_cast<TubBarEditControl*>(links->Items(0)->Control);
        ASSERT_NE(control, nullptr);
        Click(bar, Centre(links->Items(0)->ItemRect));
        ASSERT_TRUE(IsWindowVisible(control->Handle));
        Type(control->Handle, "world");
        EXPECT_EQ(curChanges, 5) << "every keystroke tells the text change";
        EXPECT_EQ(item->GetText(), "hello") << "the item keeps its text while editing";
        {
            THeldKeys held = row.control ? THeldKeys{row.key, VK_CONTROL} : THeldKeys{row.key};
            Key(control->Handle, row.key);
        }
        ProcessPendingMessages();
        EXPECT_FALSE(IsWindowVisible(control->Handle));
        EXPECT_EQ(item->GetText(), row.want);
        EXPECT_EQ(changes, row.changes);
        delete bar;
    }
}

TEST_F(ubBarItemControls, AnEditReadsBackAtMost254CharactersAndLimitsTypingToMaxLength) {
    TubBarItemLinks* links = NewLinks();
    auto* longItem = Add<TubBarEdit>(links, "Long");
    longItem->SetText(std::string(300, 'a'));
    auto* limited = Add<TubBarEdit>(links, "Limited");
    limited->SetMaxLength(3);
    TLayoutBar* bar = NewBar(links, 10, 10, 400, 30);
    auto* first = dynamic_cast<TubBarEditControl*>(links->Items(0)->Control);
    auto* second = dynamic_cast<TubBarEditControl*>(links->Items(1)->Control);
    ASSERT_TRUE(first != nullptr && second != nullptr);
    EXPECT_EQ(SendMessage(first->Handle, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "0 means no limit";
    EXPECT_EQ(SendMessage(second->Handle, EM_GETLIMITTEXT, 0, 0), 3);

    Click(bar, Centre(links->Items(0)->ItemRect));
    EXPECT_EQ(first->GetText().size(), 254u);
    Key(first->Handle, VK_RETURN);
    EXPECT_EQ(longItem->GetText(), std::string(254, 'a'));

    Click(bar, Centre(links->Items(1)->ItemRect));
    Type(second->Handle, "abcdef");
    Key(second->Handle, VK_RETURN);
    EXPECT_EQ(limited->GetText(), "abc");
}

TEST_F(ubBarItemControls, AReadOnlyEditShowsItsTextButTakesNoTyping) {
    TubBarItemLinks* links = NewLinks();
    auto* item = Add<TubBarEdit>(links, "Name");
    item->SetText("fixed");
    item->ReadOnly = true;
    TLayoutBar* bar = NewBar(links, 10, 10, 300, 30);
    auto* control = dynamic_cast<TubBarEditControl*>(links->Items(0)->Control);
    Click(bar, Centre(links->Items(0)->ItemRect));
    ASSERT_TRUE(IsWindowVisible(control->Handle));
    Type(control->Handle, "xyz");
    EXPECT_EQ(control->GetText(), "fixed");
}

// ---------------------------------------------------------------------------------------------- button

TEST_F(ubBarItemControls, ButtonSizesFollowThePaintStyleAndTheBar) {
    TubBarItemLinks* row = NewLinks();
    TubBarItemLinks* column = NewLinks();
    TBitmap glyph;
    glyph.SetSize(16, 16);
    auto* withGlyph = Add<TubBarButton>(row, "&Open");
    withGlyph->SetGlyph(&glyph);
    Add<TubBarButton>(row, "&Open");
    auto* both = Add<TubBarButton>(row, "&Open");
    both->SetGlyph(&glyph);
    both->SetPaintStyle(psCaptionGlyph);
    auto* dropDown = Add<TubBarButton>(row, "Drop");
    dropDown->SetGlyph(&glyph);
    dropDown->SetButtonStyle(bsDropDown);
    auto* entry = Add<TubBarButton>(column, "&Open");
    entry->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    TLayoutBar* bar = NewBar(row, 10, 10, 400, 40);
    TLayoutBar* menu = NewBar(column, 10, 60, 200, 100, true);
    const TubBarManagerSizes sizes = BarPainterOf(manager_)->ManagerSizes(manager_);
    const int captionWidth = bar->Canvas()->TextWidth("Open");
    const int fontSize = bar->Canvas()->Font()->GetSize();
    auto control = [](TubBarItemLinks* l, int i) { return dynamic_cast<TubBarButtonControl*>(l->Items(i)->Control); };
    const struct {
        const char* name;
        TubBarButtonControl* control;
        TubBarPaintStyle style;
        int width, height;
    } rows[] = {
        {"glyph", control(row, 0), psStandard, sizes.ButtonWidth, sizes.ButtonHeight},
        {"no glyph shows its caption", control(row, 1), psCaption, captionWidth + fontSize,
         std::max(bar->LineHeight(), sizes.ButtonHeight)},
        {"caption and glyph", control(row, 2), psCaptionGlyph, captionWidth + 4 + sizes.ButtonWidth,
         std::max(bar->LineHeight(), sizes.ButtonHeight)},
        {"drop-down adds its arrow", control(row, 3), psStandard, sizes.ButtonWidth + sizes.ArrowWidth,
         sizes.ButtonHeight},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_NE(r.control, nullptr);
        EXPECT_EQ(r.control->PaintStyle(), r.style);
        EXPECT_EQ(r.control->GetWidth(), r.width);
        EXPECT_EQ(r.control->GetHeight(), r.height);
    }
    // A menu line: caption, two line heights and 6, the shortcut and a line height less 6, then the look's
    // additions.
    TubBarButtonControl* line = control(column, 0);
    ASSERT_NE(line, nullptr);
    const int l = menu->LineHeight();
    const int shortCutWidth = menu->Canvas()->TextWidth(ShortCutToText(entry->GetShortCut()));
    EXPECT_EQ(line->GetWidth(), captionWidth + 2 * l + 6 + shortCutWidth + l - 6 + 9);
    EXPECT_EQ(line->GetHeight(), l + 2);
}

TEST_F(ubBarItemControls, ADropDownButtonWithoutAMenuActsAsAPlainButtonOnItsArrow) {
    TubBarItemLinks* links = NewLinks();
    TBitmap glyph;
    glyph.SetSize(16, 16);
    auto* button = Add<TubBarButton>(links, "Drop");
    button->SetGlyph(&glyph);
    button->SetButtonStyle(bsDropDown);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    TLayoutBar* bar = NewBar(links, 10, 10, 300, 40);
    auto* control = dynamic_cast<TubBarButtonControl*>(links->Items(0)->Control);
    ASSERT_NE(control, nullptr);
    const TRect r = links->Items(0)->ItemRect;
    const TPoint arrow(r.right - 3, (r.top + r.bottom) / 2);
    ASSERT_TRUE(control->OnArrowPart(arrow));
    EXPECT_FALSE(control->OnArrowPart(TPoint(r.left + 3, arrow.y)));
    const TPoint screen = OnScreen(bar, arrow.x, arrow.y);
    SetCursorPos(screen.x, screen.y);
    {
        THeldKeys held{VK_LBUTTON};
        SendMessage(bar->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    }
    SendMessage(bar->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_FALSE(control->DroppedDown);
    EXPECT_EQ(clicks, 1);
    // The arrow keys do not open a missing menu either.
    EXPECT_TRUE(control->WantsKey(VK_DOWN));
    control->KeyDown(VK_DOWN);
    EXPECT_FALSE(control->DroppedDown);
}

// ----------------------------------------------------------------------------------------------- combo

TEST_F(ubBarItemControls, ComboKeysStepThroughItsEntriesAndAReadOnlyComboNeverOpens) {
    TubBarItemLinks* links = NewLinks();
    auto* combo = Add<TubBarCombo>(links, "Size");
    combo->GetItems()->Add("Small");
    combo->GetItems()->Add("Medium");
    combo->GetItems()->Add("Large");
    combo->SetItemIndex(0);
    auto* empty = Add<TubBarCombo>(links, "Empty");
    empty->SetText("own");
    TLayoutBar* bar = NewBar(links, 10, 10, 400, 30);
    auto* control = dynamic_cast<TubBarComboControl*>(links->Items(0)->Control);
    auto* emptyControl = dynamic_cast<TubBarComboControl*>(links->Items(1)->Control);
    ASSERT_TRUE(control != nullptr && emptyControl != nullptr);
    // The button is cut from the edit area, right of the inner window.
    EXPECT_EQ(control->ButtonRect.right - control->ButtonRect.left, bar->ComboButtonWidth());
    EXPECT_LE(control->WindowRect.right, control->ButtonRect.left);

    Click(bar, TPoint(control->WindowRect.left + 3, Centre(control->WindowRect).y));
    ASSERT_TRUE(IsWindowVisible(control->Handle));
    EXPECT_EQ(control->GetText(), "Small");
    struct Step {
        WORD key;
        const char* text;
    } steps[] = {{VK_UP, "Small"}, {VK_DOWN, "Medium"}, {VK_DOWN, "Large"}, {VK_DOWN, "Large"}, {VK_UP, "Medium"}};
    int curChanges = 0;
    combo->OnCurChange = [&](TObject*) { ++curChanges; };
    for (const Step& s : steps) {
        Key(control->Handle, s.key);
        EXPECT_EQ(control->GetText(), s.text);
    }
    EXPECT_EQ(curChanges, 3) << "one notice for each step that changed the text";
    Key(control->Handle, VK_RETURN);
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), "Medium");

    // An empty list ignores Up and Down and shows the item's text.
    Click(bar, TPoint(emptyControl->WindowRect.left + 3, Centre(emptyControl->WindowRect).y));
    Key(emptyControl->Handle, VK_DOWN);
    Key(emptyControl->Handle, VK_UP);
    EXPECT_EQ(emptyControl->GetText(), "own");
    Key(emptyControl->Handle, VK_ESCAPE);

    // F4 opens and closes the list; a read-only combo never opens.
    Click(bar, TPoint(control->WindowRect.left + 3, Centre(control->WindowRect).y));
    int drops = 0, closes = 0;
    combo->OnDropDown = [&](TObject*) { ++drops; };
    combo->OnCloseUp = [&](TObject*) { ++closes; };
    Key(control->Handle, VK_F4);
    EXPECT_TRUE(control->GetDroppedDown());
    Key(control->Handle, VK_F4);
    EXPECT_FALSE(control->GetDroppedDown());
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
    // A press on the drop-down button opens the list, the next closes it.
    Click(bar, Centre(control->ButtonRect));
    EXPECT_TRUE(control->GetDroppedDown());
    Click(bar, Centre(control->ButtonRect));
    EXPECT_FALSE(control->GetDroppedDown());
    EXPECT_EQ(drops, 2);
    combo->ReadOnly = true;
    Click(bar, Centre(control->ButtonRect));
    Key(control->Handle, VK_F4);
    control->SetDroppedDown(true);
    EXPECT_FALSE(control->GetDroppedDown());
    EXPECT_EQ(drops, 2);
}

TEST_F(ubBarItemControls, TheDropDownListChoosesTheEntryUnderThePointerAndAKeySelectsTheTopEntry) {
    TubBarItemLinks* links = NewLinks();
    auto* combo = Add<TubBarCombo>(links, "Size");
    for (const char* entry : {"Small", "Medium", "Large"}) combo->GetItems()->Add(entry);
    combo->SetItemIndex(0);
    TLayoutBar* bar = NewBar(links, 10, 10, 400, 30);
    auto* control = dynamic_cast<TubBarComboControl*>(links->Items(0)->Control);
    ASSERT_NE(control, nullptr);
    TubBarDropDownListBox* list = combo->DropDownListBox();
    const auto entryOnScreen = [&](int Index) {
        const TRect r = list->ItemRect(Index);
        return OnScreen(list, 10, (r.top + r.bottom) / 2);
    };
    // Pressed on the button, the list opens below the combo, the height of its three entries and its border.
    const TPoint button = OnScreen(bar, Centre(control->ButtonRect).x, Centre(control->ButtonRect).y);
    SetCursorPos(button.x, button.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    ASSERT_TRUE(control->GetDroppedDown());
    ASSERT_TRUE(IsWindowVisible(list->GetHandle()));
    EXPECT_TRUE(list->WaitingForCapture);
    EXPECT_EQ(list->GetItemIndex(), 0) << "the entry of the edit's text";
    RECT window{};
    GetWindowRect(list->GetHandle(), &window);
    EXPECT_EQ(window.bottom - window.top, 4 + 3 * combo->GetItemHeight(0));
    EXPECT_GE(window.top, OnScreen(bar, 0, control->ItemRect().bottom).y);
    EXPECT_TRUE(SaveWindowImage(list->GetHandle(), ScreenshotPath("bars_combo_drop_down_list")));
    // Held down, the button drags onto an entry, which shows in the edit; the release chooses it.
    const TPoint large = entryOnScreen(2);
    SetCursorPos(large.x, large.y);
    ProcessPendingMessages();
    EXPECT_FALSE(list->WaitingForCapture);
    EXPECT_EQ(list->GetItemIndex(), 2);
    EXPECT_EQ(control->GetText(), "Large");
    EXPECT_EQ(combo->GetItemIndex(), 0) << "not chosen before the release";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(combo->GetItemIndex(), 2);
    EXPECT_EQ(combo->GetText(), "Large");
    EXPECT_FALSE(IsWindowVisible(list->GetHandle()));

    // A click on the button leaves the list open; a click on an entry chooses it.
    ClickAt(bar, Centre(control->ButtonRect));
    ASSERT_TRUE(IsWindowVisible(list->GetHandle()));
    EXPECT_EQ(GetCapture(), nullptr);
    const TPoint medium = entryOnScreen(1);
    SetCursorPos(medium.x, medium.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_FALSE(IsWindowVisible(list->GetHandle()));

    // Opened on a text that is no entry, the list selects nothing; the first key selects the top entry.
    ClickAt(bar, TPoint(control->WindowRect.left + 3, Centre(control->WindowRect).y));
    ASSERT_EQ(GetFocus(), control->Handle);
    for (WORD k : {'T', 'I', 'N', 'Y'}) Tap(k);
    Tap(VK_F4);
    ASSERT_TRUE(IsWindowVisible(list->GetHandle()));
    EXPECT_EQ(list->GetItemIndex(), -1);
    Tap(VK_DOWN);
    EXPECT_EQ(list->GetItemIndex(), 0);
    EXPECT_EQ(control->GetText(), "Small");
    Tap(VK_DOWN);
    EXPECT_EQ(list->GetItemIndex(), 1);
    Tap(VK_F4);
    EXPECT_FALSE(IsWindowVisible(list->GetHandle()));
}

// -------------------------------------------------------------------------------------------- sub-item

TEST_F(ubBarItemControls, ASubMenuOpensOnlyAfterItsDelayAndLeavingWithinItCancelsTheOpen) {
    TubBarItemLinks* links = NewLinks();
    auto* first = Add<TubBarSubItem>(links, "First");
    auto* second = Add<TubBarSubItem>(links, "Second");
    int firstOpens = 0, secondOpens = 0;
    first->OnPopup = [&](TObject*) { ++firstOpens; };
    second->OnPopup = [&](TObject*) { ++secondOpens; };
    TLayoutBar* menu = NewBar(links, 10, 10, 200, 120, true);
    auto* a = dynamic_cast<TubBarSubItemControl*>(links->Items(0)->Control);
    auto* b = dynamic_cast<TubBarSubItemControl*>(links->Items(1)->Control);
    ASSERT_TRUE(a != nullptr && b != nullptr);
    // The pointer moves onto the link's line.
    auto hover = [&](TubBarItemLink* l) {
        const TPoint p = Centre(l->ItemRect);
        const TPoint screen = OnScreen(menu, p.x, p.y);
        SetCursorPos(screen.x, screen.y);
        SendMessage(menu->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    };
    hover(links->Items(0));
    Run(390);
    EXPECT_EQ(firstOpens, 0);
    Run(20);
    EXPECT_EQ(firstOpens, 1);
    // Passing over the second entry for less than the delay opens nothing; the pending open goes.
    hover(links->Items(1));
    Run(200);
    hover(links->Items(0));
    Run(600);
    EXPECT_EQ(secondOpens, 0);
    EXPECT_EQ(PendingSubItem, nullptr);

    // On a toolbar a sub-item opens only in the toolbar's menu mode, and then at once.
    TubBarItemLinks* row = NewLinks();
    auto* onToolbar = Add<TubBarSubItem>(row, "Tools");
    int toolbarOpens = 0;
    onToolbar->OnPopup = [&](TObject*) { ++toolbarOpens; };
    TLayoutBar* toolbar = NewBar(row, 10, 140, 200, 30);
    auto point = [&](int dx) {
        TPoint p = Centre(row->Items(0)->ItemRect);
        p.x += dx;
        const TPoint screen = OnScreen(toolbar, p.x, p.y);
        SetCursorPos(screen.x, screen.y);
        SendMessage(toolbar->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    };
    point(0);
    Run(600);
    EXPECT_EQ(toolbarOpens, 0);
    toolbar->SelectByPointer(nullptr);
    toolbar->SetMenuMode(true);
    point(1);
    EXPECT_EQ(toolbarOpens, 1);
    toolbar->SetMenuMode(false);
}

TEST_F(ubBarItemControls, AnEmptyContainerItemInAMenuShowsItsCaptionInParentheses) {
    TubBarItemLinks* column = NewLinks();
    TubBarItemLinks* row = NewLinks();
    Add<TubBarContainerItem>(column, "Recent");
    Add<TubBarContainerItem>(row, "Recent");
    NewBar(column, 10, 10, 200, 60, true);
    NewBar(row, 10, 80, 200, 30);
    // An empty container's link shows only while customizing: its control is made here.
    TubBarContainerItemControl inMenu(column->Items(0)), onToolbar(row->Items(0));
    EXPECT_EQ(inMenu.GetCaption(), "(Recent)");
    EXPECT_EQ(onToolbar.GetCaption(), "Recent");
}

// ----------------------------------------------------------------------------------------------- gallery

// One look through the real controls: a row of buttons normal, hot, pressed, down and disabled, a drop-down
// button, an edit and a combo; a menu with a glyph, a check mark, a sub-item's arrow, a separator and a
// shortcut.
TEST_F(ubBarItemControls, GalleryOfEachLookThroughTheControls) {
    for (const auto& look : {std::pair{bmsStandard, "Standard"}, std::pair{bmsEnhanced, "Enhanced"},
                             std::pair{bmsFlat, "Flat"}, std::pair{bmsOffice11, "Office11"}})
        ShowControlGallery(look.first, look.second);
}

// The native look under the test theme, which paints each part it is asked for: the drop-down button's face
// and arrow are the toolbar theme's drop-down parts.
class ubBarItemControlsXP : public ubBarItemControls {
protected:
    void SetUp() override {
        provider_.PaintsParts = true;
        InstallThemeProvider(&provider_);
        ubBarItemControls::SetUp();
    }
    void TearDown() override {
        ubBarItemControls::TearDown();
        InstallThemeProvider(nullptr);
    }
    TTestThemeProvider provider_;
};

TEST_F(ubBarItemControlsXP, GalleryOfTheNativeLookThroughTheControls) {
    ShowControlGallery(bmsXP, "XP");
    std::set<std::tuple<std::wstring, int, int>> parts;
    for (const TThemeCall& c : provider_.Calls)
        if (c.Function == "DrawThemeBackground") parts.insert({provider_.ClassListOf(c.Theme), c.Part, c.State});
    EXPECT_TRUE(parts.count({L"ToolBar", 1, 2})) << "the hot button";
    EXPECT_TRUE(parts.count({L"ToolBar", 1, 5})) << "the checked button";
    EXPECT_TRUE(parts.count({L"ToolBar", 1, 4})) << "the disabled button";
    EXPECT_TRUE(parts.count({L"ToolBar", 3, 1})) << "the drop-down button's face";
    EXPECT_TRUE(parts.count({L"ToolBar", 4, 1})) << "the drop-down arrow";
    EXPECT_TRUE(parts.count({L"ComboBox", 1, 1})) << "the combo's button";
    EXPECT_TRUE(parts.count({L"Edit", 1, 1})) << "the edit's frame";
}

}  // namespace
}  // namespace zel::test
