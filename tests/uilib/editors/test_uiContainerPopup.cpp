// The editors' popups under real input: the list of shown popups, the clicks, keys, hides and deactivations
// that close them, the show-and-wait loop, and popups or owners freed while one shows.
#include <gtest/gtest.h>

#include <vector>

#include "EditorGallery.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Messages.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/base/uiControls.h"
#include "uilib/editors/uiContainer.h"

namespace zel::test {
namespace {

class TTestPopup : public TuiCustomPopupWindow {
public:
    using TuiCustomPopupWindow::TuiCustomPopupWindow;
    bool OwnerHandlesClick(HWND, UINT, TPoint, TShiftState) override { return HandlesOwnerClick; }
    bool IsSizeAdjustable() override { return Adjustable; }
    bool HandlesOwnerClick = true;
    bool Adjustable = false;
};

// A panel that opens its popup on a left press, unless that press has just closed it.
class TPopupOwner : public TPanel {
public:
    using TPanel::TPanel;
    TTestPopup* Popup = nullptr;
    int Opens = 0;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        TPanel::MouseDown(Button, Shift, X, Y);
        if (Popup == nullptr || Button != mbLeft) return;
        if (Popup->ClosedByOwnerClick) {
            Popup->ClosedByOwnerClick = false;
            return;
        }
        ++Opens;
        Popup->ShowPopup(nullptr);
    }
};

class ContainerPopups : public EditorWindowTest {
protected:
    void TearDown() override {
        for (TTestPopup* p : popups_) delete p;
        popups_.clear();
        EditorWindowTest::TearDown();
    }
    TEditorGalleryForm* NewForm(int x) {
        auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(x, 100, 240, 160);
        return form;
    }
    TPopupOwner* NewOwner(TWinControl* parent, int y = 10) {
        auto* owner = new TPopupOwner(parent);
        owner->SetParent(parent);
        owner->SetBounds(10, y, 120, 24);
        return owner;
    }
    TTestPopup* NewPopup(TWinControl* owner, bool captureFocus) {
        auto* popup = Construct<TTestPopup>(owner);
        popup->SetCaptureFocus(captureFocus);
        popup->SetBounds(0, 0, 120, 80);
        popups_.push_back(popup);
        return popup;
    }
    void Forget(TTestPopup* popup) { popups_.erase(std::find(popups_.begin(), popups_.end(), popup)); }

private:
    std::vector<TTestPopup*> popups_;
};

TEST_F(ContainerPopups, TheHooksStandFromStartUpAndTheOwnerLookupFindsTheOwner) {
    EXPECT_EQ(PopupOwnerLookup, &ContainerPopupOwnerLookup);
    EXPECT_EQ(VisiblePopupCount(), 0);
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    form->Show();
    ProcessPendingMessages();
    ClickAt(owner, TPoint{5, 5});  // nothing shown: the hooks let the click through
    EXPECT_EQ(owner->Opens, 0);

    TTestPopup* popup = NewPopup(owner, false);
    auto* inside = new TEdit(popup);
    inside->SetParent(popup);
    popup->ShowPopup(nullptr);
    ASSERT_EQ(VisiblePopupCount(), 1);
    EXPECT_EQ(PopupOwnerLookup(inside->GetHandle()), owner->GetHandle());
    EXPECT_EQ(PopupOwnerLookup(form->GetHandle()), form->GetHandle());
    EXPECT_TRUE(popup->IsPopupKey(VK_DOWN));
    EXPECT_TRUE(popup->IsPopupKey(VK_F4));
    EXPECT_FALSE(popup->IsPopupKey('X'));
    EXPECT_FALSE(popup->IsPopupKey(VK_RETURN));
}

TEST_F(ContainerPopups, AClickOnTheOwnerClosesThePopupWithoutOpeningItAgain) {
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    owner->Popup = NewPopup(owner, false);
    form->Show();
    ProcessPendingMessages();

    ClickAt(owner, TPoint{50, 12});
    EXPECT_EQ(owner->Opens, 1);
    ASSERT_EQ(VisiblePopupCount(), 1);
    ClickAt(owner, TPoint{50, 12});
    EXPECT_EQ(VisiblePopupCount(), 0) << "closed by the owner click";
    EXPECT_EQ(owner->Opens, 1) << "and not opened again";
    ClickAt(owner, TPoint{50, 12});
    EXPECT_EQ(owner->Opens, 2) << "the next click opens it";
    EXPECT_EQ(VisiblePopupCount(), 1);
}

TEST_F(ContainerPopups, AClickElsewhereClosesThePopupAndGoesOnOrIsSwallowed) {
    struct TRow {
        const char* name;
        bool ownerHandlesClick;
        int pressesSeen;
    } rows[] = {{"PassedOn", false, 1}, {"Swallowed", true, 0}};
    for (const TRow& row : rows) {
        TEditorGalleryForm* form = NewForm(100);
        TPopupOwner* owner = NewOwner(form);
        auto* other = new TEdit(form);
        other->SetParent(form);
        other->SetBounds(140, 10, 80, 22);
        int presses = 0;
        other->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++presses; };
        TTestPopup* popup = NewPopup(owner, false);
        popup->HandlesOwnerClick = row.ownerHandlesClick;
        form->Show();
        ProcessPendingMessages();
        popup->ShowPopup(nullptr);
        ASSERT_EQ(VisiblePopupCount(), 1) << row.name;
        ClickAt(other, TPoint{5, 5});
        EXPECT_EQ(VisiblePopupCount(), 0) << row.name;
        EXPECT_EQ(presses, row.pressesSeen) << row.name;
        form->Hide();
    }
}

TEST_F(ContainerPopups, AltDownReachesTheWindowAndAltXIsDiscarded) {
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 80, 120, 22);
    std::vector<WORD> keys;
    edit->OnKeyDown = [&](TObject*, WORD& Key, TShiftState Shift) {
        if (Shift.Contains(ssAlt) && Key != VK_MENU) keys.push_back(Key);
    };
    form->Show();
    edit->SetFocus();
    ProcessPendingMessages();
    NewPopup(owner, false)->ShowPopup(nullptr);
    ASSERT_EQ(VisiblePopupCount(), 1);
    Tap(VK_DOWN, VK_MENU);
    Tap('X', VK_MENU);
    EXPECT_EQ(keys, std::vector<WORD>{VK_DOWN});
    EXPECT_EQ(VisiblePopupCount(), 1);
}

TEST_F(ContainerPopups, HidingTheOwnersFormClosesItsPopupsAndEveryOneOpenedAfter) {
    TEditorGalleryForm* a = NewForm(100);
    TEditorGalleryForm* b = NewForm(400);
    TPopupOwner* ownerA = NewOwner(a);
    TPopupOwner* ownerB1 = NewOwner(b, 10);
    TPopupOwner* ownerB2 = NewOwner(b, 60);
    a->Show();
    b->Show();
    ProcessPendingMessages();
    TTestPopup* first = NewPopup(ownerB1, false);
    first->ShowPopup(nullptr);
    NewPopup(ownerA, false)->ShowPopup(nullptr);
    NewPopup(ownerB2, false)->ShowPopup(nullptr);
    ASSERT_EQ(VisiblePopupCount(), 3);
    a->Hide();
    ProcessPendingMessages();
    ASSERT_EQ(VisiblePopupCount(), 1);
    EXPECT_EQ(VisiblePopup(0), first) << "the one shown before stays";
}

TEST_F(ContainerPopups, DeactivatingTheApplicationClosesPopupsThatDoNotCaptureFocusAndTellsContainers) {
    TEditorGalleryForm* form = NewForm(100);
    TuiContainer* container = NewEditContainer(form, 10, 10, "owner");
    form->Show();
    ProcessPendingMessages();
    container->SetFocus();
    ProcessPendingMessages();
    NewPopup(container, false)->ShowPopup(nullptr);
    NewPopup(container, false)->ShowPopup(nullptr);
    ASSERT_EQ(VisiblePopupCount(), 2);
    SendMessage(form->GetHandle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(VisiblePopupCount(), 0);
    EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(cisActive)) << "the container refreshed its frame";
}

TEST_F(ContainerPopups, TheShowAndWaitLoopRunsOnQueuedInputAndOnTimers) {
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    form->Show();
    ProcessPendingMessages();
    TTestPopup* popup = NewPopup(owner, true);
    int closed = 0;
    popup->OnClosed = [&](TuiCustomPopupWindow*, TuiCloseUpReason) { ++closed; };
    popup->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_ESCAPE) popup->ModalResult = mrCancel;
    };
    // An Esc queued before the popup shows ends its loop.
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    popup->ShowPopup(nullptr);
    EXPECT_FALSE(popup->IsShown());
    EXPECT_EQ(closed, 1);
    ProcessPendingMessages();  // the activation goes back to the form before the next show

    // A timer of the clock that sets the result ends it too.
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.SetOnTimer([&](TObject*) { popup->ModalResult = mrOk; });
    Application->OnIdle = [&](TObject*, bool& Done) {
        clock_->Advance(10);
        Done = false;
    };
    const TTick start = GetTickCount();
    popup->ShowPopup(nullptr);
    EXPECT_FALSE(popup->IsShown());
    EXPECT_EQ(closed, 2);
    EXPECT_GE(GetTickCount() - start, 50u);
}

TEST_F(ContainerPopups, TheOwnersFormDoesNotHearOfItsActivationWhileAPopupHandsTheFocusBack) {
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    int activations = 0, deactivations = 0;
    form->OnActivate = [&](TObject*) { ++activations; };
    form->OnDeactivate = [&](TObject*) { ++deactivations; };
    form->Show();
    ProcessPendingMessages();
    EXPECT_EQ(activations, 1) << "a user's activation reaches the form";
    TTestPopup* popup = NewPopup(owner, true);
    popup->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_ESCAPE) popup->ModalResult = mrCancel;
    };
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    popup->ShowPopup(nullptr);
    ProcessPendingMessages();
    EXPECT_FALSE(popup->IsShown());
    EXPECT_TRUE(form->Active());
    EXPECT_EQ(deactivations, 1) << "the popup taking the focus deactivates the form";
    EXPECT_EQ(activations, 1) << "the popup closing gives the activation back unheard";
    // The form's procedure is its own again: the next activation is heard.
    TEditorGalleryForm* other = NewForm(400);
    other->Show();
    ProcessPendingMessages();
    form->SetFocus();
    ProcessPendingMessages();
    EXPECT_EQ(activations, 2);
}

TEST_F(ContainerPopups, TheOwnersFormKeepsItsActiveCaptionWhileItsPopupShows) {
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    form->Show();
    ProcessPendingMessages();
    ASSERT_TRUE(CaptionDrawnActive(form->GetHandle()));
    TTestPopup* popup = NewPopup(owner, false);
    popup->ShowPopup(nullptr);
    ProcessPendingMessages();
    ASSERT_TRUE(popup->IsShown());
    // Another window of the program takes the activation: the form that owns the shown popup keeps its
    // active caption.
    TEditorGalleryForm* other = NewForm(400);
    other->Show();
    ProcessPendingMessages();
    ASSERT_TRUE(popup->IsShown());
    EXPECT_FALSE(form->Active());
    EXPECT_TRUE(CaptionDrawnActive(form->GetHandle()));
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("popup-owner-form-caption")));
    // Once the popup is gone, a deactivation reaches the form's caption again.
    popup->ClosePopup();
    form->SetFocus();
    ProcessPendingMessages();
    other->SetFocus();
    ProcessPendingMessages();
    EXPECT_FALSE(CaptionDrawnActive(form->GetHandle()));
}

TEST_F(ContainerPopups, APopupOrItsOwnerFreedInsideTheLoopEndsItQuietly) {
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    TPopupOwner* second = NewOwner(form, 60);
    form->Show();
    ProcessPendingMessages();
    Application->OnIdle = [&](TObject*, bool& Done) {
        clock_->Advance(10);
        Done = false;
    };
    TTimer timer(nullptr);
    timer.SetInterval(30);

    TTestPopup* popup = NewPopup(owner, true);
    Forget(popup);
    bool freed = false;
    timer.SetOnTimer([&](TObject*) {
        timer.SetEnabled(false);
        delete popup;
        freed = true;
    });
    popup->ShowPopup(nullptr);  // returns once the handler has freed it
    EXPECT_TRUE(freed);
    EXPECT_EQ(VisiblePopupCount(), 0);
    ProcessPendingMessages();

    TTestPopup* orphan = NewPopup(second, true);
    timer.SetOnTimer([&](TObject*) {
        timer.SetEnabled(false);
        delete second;
    });
    timer.SetEnabled(true);
    orphan->ShowPopup(nullptr);
    EXPECT_EQ(VisiblePopupCount(), 0);
    EXPECT_EQ(orphan->OwnerControl(), nullptr);
}

TEST_F(ContainerPopups, AdjustingToTheWorkAreaNeverGivesANegativeSize) {
    TEditorGalleryForm* form = NewForm(100);
    TPopupOwner* owner = NewOwner(form);
    TTestPopup* popup = NewPopup(owner, false);
    popup->Adjustable = true;
    const TRect area = GetWorkAreaAtPoint(TPoint{10, 10});
    struct TRow {
        const char* name;
        TPoint at;
        TPoint expectedAt;
        int width, height;
    } rows[] = {
        {"Inside", {area.left + 10, area.top + 10}, {area.left + 10, area.top + 10}, 120, 80},
        {"PartlyLeftAndAbove", {area.left - 20, area.top - 30}, {area.left, area.top}, 100, 50},
        {"FurtherLeftThanItsWidth", {area.left - 500, area.top + 10}, {area.left, area.top + 10}, 0, 80},
        {"FurtherAboveThanItsHeight", {area.left + 10, area.top - 300}, {area.left + 10, area.top}, 120, 0},
        {"BeyondTheBottomRight", {area.right - 20, area.bottom - 10}, {area.right - 20, area.bottom - 10}, 20, 10},
    };
    for (const TRow& row : rows) {
        popup->SetBounds(0, 0, 120, 80);
        TPoint p = row.at;
        popup->AdjustToWorkArea(p);
        EXPECT_EQ(p, row.expectedAt) << row.name;
        EXPECT_EQ(popup->GetWidth(), row.width) << row.name;
        EXPECT_EQ(popup->GetHeight(), row.height) << row.name;
    }
    popup->Adjustable = false;
    TPoint outside{area.left - 500, area.top - 500};
    popup->AdjustToWorkArea(outside);
    EXPECT_EQ(outside, (TPoint{area.left - 500, area.top - 500})) << "only a size-adjustable popup moves";
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

class InnerListBox : public EditorWindowTest {};

TEST_F(InnerListBox, TypeAheadPicksTheFirstMatchAndStartsOverAfterTheDelay) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    auto* container = Construct<TuiContainer>(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 150, 120);
    auto* list = new TuiCustomInnerListBox(container);
    list->SetParent(container);
    list->SetContainer(container);
    container->SetInnerControl(list);
    for (const char* item : {"apple", "banana", "Blueberry", "cherry", "blue"}) list->Items()->Add(item);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    list->SetFocus();
    ProcessPendingMessages();
    EXPECT_TRUE(container->ViewInfo()->ContainerState.Contains(cisActive)) << "the container sees the focus";
    EXPECT_NE(SendMessage(list->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);

    struct TStep {
        const char* name;
        WORD key;
        TTick waitBefore;
        int index;
        const char* text;
    } steps[] = {
        {"FirstLetter", 'B', 0, 1, "b"},
        {"SecondLetterNarrows", 'L', 100, 2, "bl"},
        {"NoMatchKeepsTheSelection", 'X', 100, 2, "blx"},
        {"BackspaceShortens", VK_BACK, 100, 2, "bl"},
        {"AfterTheDelayANewPrefix", 'C', 600, 3, "c"},
        {"EmptyPrefixSelectsTheFirst", VK_BACK, 100, 0, ""},
    };
    for (const TStep& step : steps) {
        if (step.waitBefore > 0) Run(step.waitBefore);
        Tap(step.key);
        EXPECT_EQ(list->GetItemIndex(), step.index) << step.name;
        EXPECT_EQ(list->TypeAheadText(), step.text) << step.name;
    }
    EXPECT_EQ(clicks, 5) << "every key that found an item";
}

TEST_F(InnerListBox, ItsMouseAndClicksReachTheContainerInTheContainersCoordinates) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    auto* container = Construct<TuiContainer>(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 150, 120);
    auto* list = new TuiCustomInnerListBox(container);
    list->SetParent(container);
    list->SetContainer(container);
    container->SetInnerControl(list);
    for (const char* item : {"one", "two", "three"}) list->Items()->Add(item);
    std::vector<std::string> heard;
    bool flagDuringPress = false;
    container->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        flagDuringPress = container->InnerControlMouseDown;
        heard.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    };
    container->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
        heard.push_back("up " + std::to_string(X) + "," + std::to_string(Y));
    };
    container->OnClick = [&](TObject*) { heard.push_back("click"); };
    form->Show();
    ProcessPendingMessages();
    const int ih = list->GetItemHeight();
    ClickAt(list, TPoint{20, ih + 2});
    EXPECT_EQ(list->GetItemIndex(), 1);
    const std::string at = std::to_string(20 + list->GetLeft()) + "," + std::to_string(ih + 2 + list->GetTop());
    // The list selects (and clicks) as the button goes down, then hears the press itself.
    EXPECT_EQ(heard, (std::vector<std::string>{"click", "down " + at, "up " + at}));
    EXPECT_TRUE(flagDuringPress);
    EXPECT_FALSE(container->InnerControlMouseDown);
    EXPECT_GT(list->GetLeft() + list->GetTop(), 0) << "the inner control sits inside the frame";
}

TEST_F(InnerListBox, DragsDropsTheContextPopupAndTheWheelAreTheContainers) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    auto* container = Construct<TuiContainer>(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 150, 120);
    auto* list = new TuiCustomInnerListBox(container);
    list->SetParent(container);
    list->SetContainer(container);
    container->SetInnerControl(list);
    for (int i = 0; i < 30; ++i) list->Items()->Add("item " + std::to_string(i));
    std::vector<std::string> heard;
    const auto at = [](int X, int Y) { return std::to_string(X) + "," + std::to_string(Y); };
    container->OnDragOver = [&](TObject*, TObject*, int X, int Y, TDragState, bool& Accept) {
        heard.push_back("over " + at(X, Y));
        Accept = true;
    };
    container->OnDragDrop = [&](TObject*, TObject*, int X, int Y) { heard.push_back("drop " + at(X, Y)); };
    container->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
        heard.push_back("popup " + at(P.x, P.y));
        Handled = true;
    };
    container->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        heard.push_back("wheel " + std::to_string(Delta));
        Handled = true;
    };
    form->Show();
    ProcessPendingMessages();
    const int dx = list->GetLeft(), dy = list->GetTop();
    ASSERT_GT(dx + dy, 0);

    bool accept = false;
    list->DragOver(container, 5, 6, dsDragMove, accept);
    EXPECT_TRUE(accept) << "the container's answer";
    list->DragDrop(container, 5, 6);
    EXPECT_TRUE(list->OfferContextPopup(TPoint{7, 8}));
    EXPECT_TRUE(list->OfferContextPopup(TPoint{-1, -1}));
    // The wheel turned over the list, through the input queue.
    const TPoint over = OnScreen(list, 20, 20);
    SetCursorPos(over.x, over.y);
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-120), 0);
    ProcessPendingMessages();
    EXPECT_EQ(heard, (std::vector<std::string>{"over " + at(5 + dx, 6 + dy), "drop " + at(5 + dx, 6 + dy),
                                               "popup " + at(7 + dx, 8 + dy), "popup -1,-1", "wheel -120"}));
    EXPECT_EQ(list->GetTopIndex(), 0) << "the container took the wheel";
}

TEST_F(InnerListBox, AMultiSelectListKeepsItsSelectionInANewWindow) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    auto* container = Construct<TuiContainer>(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 150, 60);
    auto* list = new TuiCustomInnerListBox(container);
    list->SetParent(container);
    list->SetContainer(container);
    container->SetInnerControl(list);
    list->SetMultiSelect(true);
    for (int i = 0; i < 10; ++i) list->Items()->Add("item " + std::to_string(i));
    form->Show();
    ProcessPendingMessages();
    HWND h = list->GetHandle();
    for (const int i : {2, 5, 7}) SendMessage(h, LB_SETSEL, TRUE, i);
    SendMessage(h, LB_SETCARETINDEX, 5, 0);
    SendMessage(h, LB_SETTOPINDEX, 3, 0);

    list->SetSorted(true);  // a style change: a new window
    ASSERT_NE(list->GetHandle(), h);
    h = list->GetHandle();
    std::vector<int> selected;
    for (int i = 0; i < 10; ++i)
        if (list->Selected(i)) selected.push_back(i);
    EXPECT_EQ(selected, (std::vector<int>{2, 5, 7}));
    EXPECT_EQ(SendMessage(h, LB_GETCARETINDEX, 0, 0), 5);
    EXPECT_EQ(list->GetTopIndex(), 3);
}

TEST_F(InnerListBox, APressDragsTheContainerWhenItDragsAutomatically) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 240, 200);
    auto* container = Construct<TuiContainer>(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 150, 120);
    container->DragMode = dmAutomatic;
    auto* list = new TuiCustomInnerListBox(container);
    list->SetParent(container);
    list->SetContainer(container);
    container->SetInnerControl(list);
    for (const char* item : {"one", "two", "three", "four"}) list->Items()->Add(item);
    int drags = 0;
    container->OnStartDrag = [&](TObject* Sender, TObject*&) {
        EXPECT_EQ(Sender, container);
        ++drags;
    };
    form->Show();
    ProcessPendingMessages();
    const int ih = list->GetItemHeight();
    struct TCase {
        const char* name;
        bool multi;
        int row;
        WORD modifier;
        int drags;     // drags begun by the press
        int selected;  // items selected after it
    } cases[] = {
        {"SingleSelectPressSelectsAndDrags", false, 1, 0, 1, 1},
        {"MultiPressSelectsAndDrags", true, 0, 0, 1, 1},
        {"MultiCtrlPressOnlySelects", true, 2, VK_CONTROL, 0, 2},
        {"MultiPressOnTheSelectionDragsItAsItIs", true, 0, 0, 1, 2},
        {"MultiShiftPressOnTheSelectionOnlySelects", true, 0, VK_SHIFT, 0, 3},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (list->GetMultiSelect() != c.multi) list->SetMultiSelect(c.multi);
        drags = 0;
        if (c.modifier != 0) keybd_event(static_cast<BYTE>(c.modifier), 0, 0, 0);
        ClickAt(list, TPoint{20, c.row * ih + ih / 2});
        if (c.modifier != 0) keybd_event(static_cast<BYTE>(c.modifier), 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
        EXPECT_EQ(drags, c.drags);
        EXPECT_EQ(list->SelCount(), c.selected);
        EXPECT_EQ(container->DragMode, dmAutomatic) << "the container drags automatically again";
        EXPECT_FALSE(container->Dragging());
    }
}

}  // namespace
}  // namespace zel::test
