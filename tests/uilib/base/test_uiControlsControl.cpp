// The library's control base as headless windows: its own scroll bars and size grip, the border, the keys it
// asks of the dialog manager, its context menu and menu shortcuts, and its font listeners.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiControlsControl.h"

namespace zel::test {
namespace {

// Content of a fixed size; its bars follow the room the client bounds leave.
class TContentControl : public TuiControl {
public:
    using TuiControl::TuiControl;
    int ContentWidth = 100, ContentHeight = 100;
    bool AllowHide = true;
    int PrepareCalls = 0;
    // Replaces the content rule when set.
    std::function<void(TContentControl*)> Prepare;
    std::vector<std::pair<TScrollBarKind, TScrollCode>> Scrolls;

    void PrepareScrollBarParams() override {
        ++PrepareCalls;
        if (Prepare) {
            Prepare(this);
            return;
        }
        const TRect c = GetClientBounds();
        ApplyScrollBarInfo(sbHorizontal, 0, ContentWidth - 1, 1, c.Width(), 0, true, AllowHide);
        ApplyScrollBarInfo(sbVertical, 0, ContentHeight - 1, 1, c.Height(), 0, true, AllowHide);
    }
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int& /*Position*/) override { Scrolls.emplace_back(Kind, Code); }
};

// A stand-in for a menu that offers the context-menu interface.
class TMenuStandIn : public TComponent, public IuiMenuWithShortCuts {
public:
    using TComponent::TComponent;
    std::vector<TPoint> Popups;
    WORD ShortCutKey = 0;
    bool IsShortCutKey(TMessage& Message) override { return ShortCutKey != 0 && Message.WParam == ShortCutKey; }
    void PopupAt(int X, int Y) override { Popups.push_back(TPoint{X, Y}); }
};

class ControlBase : public ::testing::Test {
protected:
    void SetUp() override {
        uiControlsStartup();
        form = Construct<TForm>(nullptr);
        form->SetBounds(40, 40, 400, 300);
        control = new TContentControl(form);
        control->SetParent(form);
        control->SetBounds(10, 10, 300, 200);
        form->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        delete form;
        ProcessPendingMessages();
        FreeSettingsController();
        uiControlsShutdown();
    }
    void Content(int width, int height) {
        control->ContentWidth = width;
        control->ContentHeight = height;
        control->UpdateScrollBars();
    }
    TuiControlScrollBar* H() const { return control->GetHorzScrollBar(); }
    TuiControlScrollBar* V() const { return control->GetVertScrollBar(); }

    TLookAndFeelUnits units;
    TForm* form = nullptr;
    TContentControl* control = nullptr;
};

TEST_F(ControlBase, BarsAndSizeGripFollowTheContent) {
    const int bh = GetSystemMetrics(SM_CYHSCROLL), vw = GetSystemMetrics(SM_CXVSCROLL);
    struct Row {
        const char* name;
        int width, height;
        bool allowHide;
        TScrollStyle style;
        bool hShown, hEnabled, vShown, vEnabled, grip;
    } rows[] = {
        {"fits", 100, 100, true, ssBoth, false, true, false, true, false},
        {"wide only", 1000, 100, true, ssBoth, true, true, false, true, false},
        {"tall only", 100, 1000, true, ssBoth, false, true, true, true, false},
        {"both", 1000, 1000, true, ssBoth, true, true, true, true, true},
        // The horizontal bar takes room from the height: 190 rows no longer fit.
        {"one bar needs the other", 1000, 190, true, ssBoth, true, true, true, true, true},
        {"fits, may not hide", 100, 100, false, ssBoth, true, false, true, false, true},
        {"both, vertical style", 1000, 1000, true, ssVertical, false, true, true, true, false},
        {"both, no bars", 1000, 1000, true, ssNone, false, true, false, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        control->AllowHide = r.allowHide;
        control->SetScrollBars(r.style);
        Content(r.width, r.height);
        EXPECT_EQ(H()->GetVisible(), r.hShown);
        EXPECT_EQ(V()->GetVisible(), r.vShown);
        if (r.hShown) {
            EXPECT_EQ(H()->GetEnabled(), r.hEnabled);
        }
        if (r.vShown) {
            EXPECT_EQ(V()->GetEnabled(), r.vEnabled);
        }
        EXPECT_EQ(control->GetSizeGrip()->GetVisible(), r.grip);
        const TRect client = control->GetClientBounds();
        EXPECT_EQ(client, (TRect{0, 0, 300 - (r.vShown ? vw : 0), 200 - (r.hShown ? bh : 0)}));
        if (r.hShown) {
            EXPECT_EQ(H()->BoundsRect(), (TRect{0, client.bottom, client.right, 200}));
        }
        if (r.vShown) {
            EXPECT_EQ(V()->BoundsRect(), (TRect{client.right, 0, 300, client.bottom}));
        }
        if (r.grip) {
            EXPECT_EQ(control->GetSizeGrip()->BoundsRect(), (TRect{client.right, client.bottom, 300, 200}));
        }
    }
}

TEST_F(ControlBase, ScrollParametersReachTheBarAndItsScrollsComeBack) {
    Content(1000, 100);
    EXPECT_EQ(H()->GetMax(), 999);
    EXPECT_EQ(H()->GetPageSize(), 300);
    EXPECT_EQ(H()->LargeChange, 300);
    control->ScrollContent(dnRight);
    control->ScrollContent(dnUp);
    control->ScrollContent(dnNone);
    using P = std::pair<TScrollBarKind, TScrollCode>;
    EXPECT_EQ(control->Scrolls, (std::vector<P>{{sbHorizontal, scLineDown}, {sbVertical, scLineUp}}));
}

TEST_F(ControlBase, ResizingUpdatesTheBarsAndALockDefersThem) {
    Content(250, 100);
    EXPECT_FALSE(H()->GetVisible());
    control->LockScrollBarsUpdate();
    control->SetWidth(200);
    EXPECT_FALSE(H()->GetVisible());
    control->UnlockScrollBarsUpdate();
    EXPECT_TRUE(H()->GetVisible());
}

TEST_F(ControlBase, BarsThatWouldFlipForEverEndWithTheFlippingBarShownDisabled) {
    // The horizontal bar is needed while the vertical one shows; the vertical one only while the
    // horizontal one is hidden.
    control->Prepare = [](TContentControl* c) {
        const bool h = c->GetVertScrollBar()->GetVisible();
        const bool v = !c->GetHorzScrollBar()->GetVisible();
        c->ApplyScrollBarInfo(sbHorizontal, 0, h ? 999 : 0, 1, 10, 0, true, true);
        c->ApplyScrollBarInfo(sbVertical, 0, v ? 999 : 0, 1, 10, 0, true, true);
    };
    control->UpdateScrollBars();
    EXPECT_TRUE(H()->GetVisible());
    EXPECT_FALSE(H()->GetEnabled());
    EXPECT_FALSE(V()->GetVisible());
    EXPECT_LT(control->PrepareCalls, 20);
}

TEST_F(ControlBase, AnswersThatNeverSettleEndAfterAFewRounds) {
    // Each call asks for the bar the other one did not.
    control->Prepare = [](TContentControl* c) {
        const bool h = c->IsVScrollBarVisible();
        c->ApplyScrollBarInfo(sbHorizontal, 0, h ? 999 : 0, 1, 10, 0, true, true);
        c->ApplyScrollBarInfo(sbVertical, 0, c->IsHScrollBarVisible() ? 0 : 999, 1, 10, 0, true, true);
    };
    control->UpdateScrollBars();
    EXPECT_NE(H()->GetVisible(), V()->GetVisible());
    EXPECT_LT(control->PrepareCalls, 20);
}

TEST_F(ControlBase, BorderTakesThePainterWidthInEachLook) {
    const struct {
        TuiLookAndFeelKind kind;
        int border;
    } rows[] = {{lfStandard, 2}, {lfFlat, 1}, {lfUltraFlat, 1}};
    control->SetBorderStyle(bsSingle);
    Content(1000, 1000);
    for (const auto& r : rows) {
        control->GetLookAndFeel()->SetKind(r.kind);
        control->BoundsChanged();
        EXPECT_EQ(control->GetBorderSize(), r.border);
        const TRect client = control->GetClientBounds();
        EXPECT_EQ(client.left, r.border);
        EXPECT_EQ(V()->GetLeft(), client.right);
        EXPECT_EQ(V()->GetLookAndFeel()->GetKind(), r.kind);
    }
    control->SetBorderStyle(bsNone);
    EXPECT_EQ(control->GetClientBounds().left, 0);
}

TEST_F(ControlBase, DialogCodeFollowsTheWantedKeysAndTabOnlyWithoutCtrl) {
    const struct {
        TuiDialogKeyKinds keys;
        bool ctrl;
        LRESULT code;
    } rows[] = {
        {{}, false, 0},
        {{dkkArrows, dkkChars}, false, DLGC_WANTARROWS + DLGC_WANTCHARS},
        {{dkkAll, dkkTab}, false, DLGC_WANTALLKEYS + DLGC_WANTTAB},
        {{dkkAll, dkkTab}, true, DLGC_WANTALLKEYS},
    };
    for (const auto& r : rows) {
        control->SetWantedKeys(r.keys);
        if (r.ctrl) keybd_event(VK_CONTROL, 0, 0, 0);
        ProcessPendingMessages();
        EXPECT_EQ(SendMessage(control->GetHandle(), WM_GETDLGCODE, 0, 0), r.code);
        if (r.ctrl) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
}

TEST_F(ControlBase, ContextMenuOpensAtThePointOrAtTheClientOriginFromTheKeyboard) {
    auto* menu = new TMenuStandIn(form);
    control->SetPopupMenu(menu);
    const TPoint origin = control->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(SendMessage(control->GetHandle(), WM_CONTEXTMENU, 0, MAKELPARAM(0xFFFF, 0xFFFF)), 1);
    const TPoint inside = control->ClientToScreen(TPoint{30, 40});
    SendMessage(control->GetHandle(), WM_CONTEXTMENU, 0,
                MAKELPARAM(static_cast<WORD>(inside.x), static_cast<WORD>(inside.y)));
    EXPECT_EQ(menu->Popups, (std::vector<TPoint>{origin, inside}));
    // A component that offers no menu is taken as none; a freed menu is forgotten.
    control->SetPopupMenu(form);
    EXPECT_EQ(control->GetPopupMenuComponent(), nullptr);
    control->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(control->GetPopupMenuComponent(), nullptr);
    EXPECT_EQ(SendMessage(control->GetHandle(), WM_CONTEXTMENU, 0, MAKELPARAM(0xFFFF, 0xFFFF)), 0);
}

TEST_F(ControlBase, AParentsMenuShortcutIsTakenBeforeTheKeyGoesOn) {
    auto* outer = new TContentControl(form);
    outer->SetParent(form);
    control->SetParent(outer);
    auto* menu = new TMenuStandIn(form);
    menu->ShortCutKey = 'K';
    outer->SetPopupMenu(menu);
    EXPECT_EQ(control->Perform(CN_KEYDOWN, 'K', 0), 1);
    EXPECT_EQ(control->Perform(CN_SYSKEYDOWN, 'K', 0), 1);
    EXPECT_EQ(control->Perform(CN_KEYDOWN, 'J', 0), 0);
}

// A popup menu that records where it was asked to open instead of opening.
class TRecordingPopupMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    std::vector<TPoint> Popups;
    void Popup(int X, int Y) override { Popups.push_back(TPoint{X, Y}); }
};

TEST_F(ControlBase, APopupMenuThatPopsUpByItselfOpensAtThePoint) {
    auto* menu = new TRecordingPopupMenu(form);
    control->SetPopupMenu(menu);
    EXPECT_EQ(control->GetPopupMenu(), menu);
    const TPoint inside = control->ClientToScreen(TPoint{30, 40});
    const LPARAM at = MAKELPARAM(static_cast<WORD>(inside.x), static_cast<WORD>(inside.y));
    EXPECT_EQ(SendMessage(control->GetHandle(), WM_CONTEXTMENU, 0, at), 1);
    EXPECT_EQ(menu->Popups, (std::vector<TPoint>{inside}));
    EXPECT_EQ(menu->PopupComponent, control);
    menu->AutoPopup = false;
    EXPECT_EQ(SendMessage(control->GetHandle(), WM_CONTEXTMENU, 0, at), 0);
    EXPECT_EQ(menu->Popups.size(), 1u);
}

TEST_F(ControlBase, AParentsPopupMenuShortcutRunsItsItemAndTheKeyGoesNoFurther) {
    auto* outer = new TContentControl(form);
    outer->SetParent(form);
    outer->SetBounds(0, 0, 380, 260);
    control->SetParent(outer);
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(menu);
    item->Caption = "Keys";
    item->ShortCut = ShortCut('K', {ssCtrl});
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    menu->Items()->Add(item);
    outer->SetPopupMenu(menu);
    std::string keys;
    control->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys += static_cast<char>(Key); };
    control->SetFocus();
    ProcessPendingMessages();
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event('K', 0, 0, 0);
    keybd_event('K', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    keybd_event('J', 0, 0, 0);
    keybd_event('J', 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(keys, std::string(1, static_cast<char>(VK_CONTROL)) + "J");  // K never arrived
}

TEST_F(ControlBase, APressOnAVeryLargeWindowTakesItsPointFromTheCursor) {
    struct TPressPoints : TContentControl {
        using TContentControl::TContentControl;
        std::vector<TPoint> Points;
        void BeforeMouseDown(TMouseButton, int X, int Y) override { Points.push_back(TPoint{X, Y}); }
    };
    auto* pressed = new TPressPoints(form);
    pressed->SetParent(form);
    const TPoint cursor = control->ClientToScreen(TPoint{50, 60});
    for (int width : {300, 0x8001}) {
        SCOPED_TRACE(width);
        pressed->Points.clear();
        pressed->SetBounds(10, 10, width, 200);
        SetCursorPos(cursor.x, cursor.y);
        ProcessPendingMessages();
        SendMessage(pressed->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
        SendMessage(pressed->GetHandle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 20));
        // The message's 16-bit point cannot reach that far: the cursor tells where the press was.
        EXPECT_EQ(pressed->Points, (std::vector<TPoint>{width > 0x8000 ? TPoint{50, 60} : TPoint{10, 20}}));
    }
}

class TFontRecorder : public IuiFontChangeObserver {
public:
    TFontRecorder(std::vector<int>& Log, int Id) : log_(Log), id_(Id) {}
    void FontChanged(TObject*, TFont*) override { log_.push_back(id_); }

private:
    std::vector<int>& log_;
    int id_;
};

TEST_F(ControlBase, FontListenersHearInTheOrderTheyCame) {
    std::vector<int> log;
    TFontRecorder first(log, 1), second(log, 2);
    control->AddFontListener(&second);
    control->AddFontListener(&first);
    control->AddFontListener(&second);
    control->Font()->SetSize(14);
    EXPECT_EQ(log, (std::vector<int>{2, 1}));
    control->RemoveFontListener(&second);
    control->Font()->SetSize(9);
    EXPECT_EQ(log, (std::vector<int>{2, 1, 1}));
}

TEST_F(ControlBase, AControlFreedWhileTakingTheFocusOnAClickStopsQuietly) {
    auto* other = new TContentControl(form);
    other->SetParent(form);
    other->SetBounds(320, 10, 50, 50);
    other->SetFocus();
    ASSERT_FALSE(control->Focused());
    // The handler lives in the control it frees: it touches nothing of its own after the delete.
    control->OnEnter = [this](TObject*) {
        TContentControl* doomed = control;
        control = nullptr;
        delete doomed;
    };
    SendMessage(control->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    ProcessPendingMessages();
    EXPECT_EQ(control, nullptr);
}

TEST_F(ControlBase, AChildComponentJoinsItsControlAndLeavesItWhenFreed) {
    struct TJoins : TuiControlChildComponent {
        using TuiControlChildComponent::TuiControlChildComponent;
        std::vector<TuiControl*> Joined;
        std::vector<TuiControl*>* Log = nullptr;
        void SetControl(TuiControl* AControl) override {
            Joined.push_back(AControl);
            if (Log != nullptr) Log->push_back(AControl);
            TuiControlChildComponent::SetControl(AControl);
        }
    };
    // As the form reader places a non-visual object nested in the control's block.
    std::vector<TuiControl*> readLog;
    auto* read = Construct<TJoins>(form);
    read->Log = &readLog;
    read->SetParentComponent(control);
    EXPECT_EQ(read->GetParentComponent(), control);
    EXPECT_TRUE(read->HasParent());
    // Made for the control, owned by the control's owner or by nobody.
    auto* owned = Construct<TJoins>(control, true);
    EXPECT_EQ(owned->GetOwner(), form);
    EXPECT_EQ(owned->GetControl(), control);
    std::unique_ptr<TJoins> free(Construct<TJoins>(control, false));
    EXPECT_EQ(free->GetOwner(), nullptr);
    delete read;  // leaves its control on the way out
    EXPECT_EQ(readLog, (std::vector<TuiControl*>{control, nullptr}));
    free->SetParentComponent(form);
    EXPECT_FALSE(free->HasParent());
    EXPECT_EQ(free->Joined, (std::vector<TuiControl*>{control, nullptr}));
    // A control freed before its child component is forgotten by it.
    delete control;
    control = nullptr;
    EXPECT_EQ(owned->GetControl(), nullptr);
}

TEST_F(ControlBase, BorderedControlWithBothBarsInEachLook) {
    control->SetBorderStyle(bsSingle);
    Content(1000, 1000);
    const char* dir = std::getenv("TEST_OUTPUT_DIR");
    const std::filesystem::path folder =
        dir != nullptr ? std::filesystem::path(dir) : std::filesystem::current_path() / "screenshots";
    std::filesystem::create_directories(folder);
    const struct {
        TuiLookAndFeelKind kind;
        const char* name;
    } looks[] = {{lfFlat, "flat"}, {lfStandard, "standard"}, {lfUltraFlat, "ultraflat"}, {lfOffice11, "office11"}};
    for (const auto& look : looks) {
        control->GetLookAndFeel()->SetKind(look.kind);
        control->BoundsChanged();
        control->Invalidate();
        const std::string path = (folder / (std::string("uicontrol_") + look.name + ".png")).string();
        ASSERT_TRUE(SaveWindowImage(form->GetHandle(), path));
        // The grip's corner shows the painter's corner colour.
        const TRect grip = control->GetSizeGrip()->BoundsRect();
        EXPECT_EQ(ComposedPixel(control->GetHandle(), grip.left + 2, grip.top + 2),
                  ColorToRGB(control->GetPainter()->ScrollBarCornerColor()));
    }
}

}  // namespace
}  // namespace zel::test
