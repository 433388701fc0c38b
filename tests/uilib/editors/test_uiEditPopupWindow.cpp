// The drop-down window of the editors, driven directly beside an editor on a shown form: its opening size and
// place, the frame of each border style, the system panel with the grip and the close button, sizing by the
// grip live and with an outline, its closing reasons, characters sent to it, and a screenshot per look.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditButtonGallery.h"
#include "EditorGallery.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/base/uiControls.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiDropDownEdit.h"

namespace zel::test {
namespace {

class EditPopupWindow : public EditorWindowTest {
protected:
    // A form at (X, Y) with an editor of 121 x 21 at (10, 10) of it, and a popup for the editor with a panel
    // of 150 x 100 as its content.
    void NewPopup(int X = 100, int Y = 100) {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(X, Y, 300, 60);
        editor = Construct<TTestEdit>(form);
        editor->SetParent(form);
        editor->SetBounds(10, 10, 121, 21);
        form->Show();
        ProcessPendingMessages();
        popup = Construct<TuiCustomEditPopupWindow>(editor);
        popup->ModalMode = false;
        content = new TPanel(popup);
        content->SetParent(popup);
        content->SetBounds(0, 0, 150, 100);
        popup->OnClosed = [this](TuiCustomPopupWindow*, TuiCloseUpReason R) { reasons.push_back(R); };
    }
    void TearDown() override {
        delete popup;
        EditorWindowTest::TearDown();
    }
    void Open() {
        popup->ShowPopup(nullptr);
        ProcessPendingMessages();
    }
    TRect EditorScreenRect() {
        const TPoint p = OnScreen(editor, 0, 0);
        return TRect{p.x, p.y, p.x + editor->GetWidth(), p.y + editor->GetHeight()};
    }
    // Presses the left button at a popup point, moves it by (DX, DY) in two steps, and releases it.
    void Drag(TPoint From, int DX, int DY, const std::function<void()>& AMidway = nullptr) {
        const TPoint s = OnScreen(popup, From.x, From.y);
        SetCursorPos(s.x, s.y);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        SetCursorPos(s.x + DX / 2, s.y + DY / 2);
        ProcessPendingMessages();
        SetCursorPos(s.x + DX, s.y + DY);
        ProcessPendingMessages();
        if (AMidway) AMidway();
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    static TPoint Centre(const TRect& R) { return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

    TEditorGalleryForm* form = nullptr;
    TTestEdit* editor = nullptr;
    TuiCustomEditPopupWindow* popup = nullptr;
    TPanel* content = nullptr;
    std::vector<TuiCloseUpReason> reasons;
};

TEST_F(EditPopupWindow, FrameWidthsByBorderStyle) {
    NewPopup();
    struct Row {
        const char* Name;
        TuiEditPopupBorderStyle Style;
        bool ClientEdge, Native, Shadow;
        TRect Extent;
    };
    const Row rows[] = {
        {"default", epbsDefault, false, false, false, {0, 0, 0, 0}},
        {"single", epbsSingle, false, false, false, {1, 1, 1, 1}},
        {"single, edge", epbsSingle, true, false, false, {3, 3, 3, 3}},
        {"3D", epbsFrame3D, false, false, false, {4, 4, 4, 4}},
        {"3D, edge", epbsFrame3D, true, false, false, {6, 6, 6, 6}},
        {"flat", epbsFlat, false, false, false, {2, 2, 2, 2}},
        {"flat, edge", epbsFlat, true, false, false, {3, 3, 3, 3}},
        {"native", epbsFlat, false, true, false, {1, 1, 1, 1}},
        {"native, edge", epbsDefault, true, true, false, {3, 3, 3, 3}},
        {"single, shadow", epbsSingle, false, false, true, {1, 1, 4, 4}},
    };
    for (const Row& row : rows) {
        popup->SetPopupBorderStyle(row.Style);
        popup->SetPopupClientEdge(row.ClientEdge);
        popup->SetNativeStyle(row.Native);
        popup->SetShadow(row.Shadow);
        EXPECT_EQ(popup->PopupViewInfo()->GetExtent(), row.Extent) << row.Name;
    }
    // The system panel adds its height (and a separator line for single and native frames) at the side of
    // the corner.
    popup->SetShadow(false);
    popup->SetNativeStyle(false);
    popup->SetPopupClientEdge(false);
    popup->SetPopupSysPanelStyle(true);
    const int panel = popup->PopupViewInfo()->GetSysPanelHeight();
    EXPECT_GE(panel, GetSystemMetrics(SM_CYHSCROLL));
    popup->PopupViewInfo()->Corner = 3;
    EXPECT_EQ(popup->PopupViewInfo()->GetExtent(), (TRect{1, 1, 1, 2 + panel}));
    popup->PopupViewInfo()->Corner = 1;
    popup->SetPopupBorderStyle(epbsFlat);
    EXPECT_EQ(popup->PopupViewInfo()->GetExtent(), (TRect{2, 2 + panel, 2, 2}));
    popup->PopupViewInfo()->MinSysPanelHeight = panel + 7;
    EXPECT_EQ(popup->PopupViewInfo()->GetSysPanelHeight(), panel + 7);
}

TEST_F(EditPopupWindow, OpeningSizeFollowsTheSettingsAndTheEditor) {
    NewPopup();
    popup->SetPopupBorderStyle(epbsSingle);
    struct Row {
        const char* Name;
        bool Sizeable, AutoSize;
        int Width, Height, MinWidth, MinHeight;
        TPoint Size;
    };
    const Row rows[] = {
        {"width 0: the editor's", false, false, 0, 80, 0, 0, {121, 80}},
        {"own width", false, false, 200, 80, 0, 0, {200, 80}},
        {"not sizeable: minimums ignored", false, false, 50, 40, 300, 200, {50, 40}},
        {"sizeable: minimums kept", true, false, 50, 40, 300, 200, {300, 200}},
        {"height 0: the minimum height", false, false, 90, 0, 0, 70, {90, 70}},
        {"auto size: the content and the frame", false, true, 10, 10, 0, 0, {152, 102}},
    };
    for (const Row& row : rows) {
        popup->SetPopupSizeable(row.Sizeable);
        popup->PopupAutoSize = row.AutoSize;
        popup->PopupWidth = row.Width;
        popup->PopupHeight = row.Height;
        popup->PopupMinWidth = row.MinWidth;
        popup->PopupMinHeight = row.MinHeight;
        popup->CalculateSize();
        EXPECT_EQ(popup->GetWidth(), row.Size.x) << row.Name;
        EXPECT_EQ(popup->GetHeight(), row.Size.y) << row.Name;
        EXPECT_EQ(popup->EditorBounds, EditorScreenRect()) << row.Name;
    }
    // Never below the frame with room for the close button and the grip.
    popup->SetPopupSizeable(true);
    popup->SetPopupSysPanelStyle(true);
    popup->SetShowCloseButton(true);
    popup->PopupWidth = 5;
    popup->PopupHeight = 5;
    popup->PopupMinWidth = popup->PopupMinHeight = 0;
    popup->PopupAutoSize = false;
    popup->CalculateSize();
    EXPECT_EQ(popup->GetWidth(), popup->GetMinSize().x);
    EXPECT_EQ(popup->GetMinSize().x, 2 + 16 + GetSystemMetrics(SM_CXVSCROLL) + 10);
}

TEST_F(EditPopupWindow, BelowTheEditorTheGripIsBottomRightAboveItTopRight) {
    NewPopup();
    content->SetAlign(alClient);
    popup->SetPopupBorderStyle(epbsSingle);
    popup->SetPopupSizeable(true);
    popup->SetPopupSysPanelStyle(true);
    popup->PopupWidth = 200;
    popup->PopupHeight = 150;
    Open();
    const TRect e = EditorScreenRect();
    EXPECT_EQ(popup->GetTop(), e.bottom);
    EXPECT_EQ(popup->GetLeft(), e.left);
    EXPECT_EQ(popup->PopupViewInfo()->Corner, 3);
    const TRect grip = popup->PopupViewInfo()->GripRect;
    EXPECT_EQ(grip.right, popup->GetWidth() - 1);
    EXPECT_EQ(grip.bottom, popup->GetHeight() - 1);
    EXPECT_EQ(popup->Controls(0)->GetTop(), 1) << "the content below the top frame";
    popup->ClosePopup();

    // An editor near the bottom of the work area: the popup opens above, its grip at the top, and with a
    // shadow it sits 3 pixels lower.
    const TRect area = GetWorkAreaAtPoint(TPoint{100, 100});
    form->SetTop(area.bottom - 50);
    ProcessPendingMessages();
    Open();
    const TRect above = EditorScreenRect();
    EXPECT_EQ(popup->GetTop() + popup->GetHeight(), above.top);
    EXPECT_EQ(popup->PopupViewInfo()->Corner, 1);
    EXPECT_EQ(popup->PopupViewInfo()->GripRect.top, 1);
    EXPECT_EQ(popup->PopupViewInfo()->HitTestSizing(popup->GetWidth() - 3, 2), (TuiSizingDirection{1, -1}));
    popup->ClosePopup();
    popup->SetShadow(true);
    Open();
    EXPECT_EQ(popup->GetTop() + popup->GetHeight(), above.top + 3);
    popup->ClosePopup();
}

TEST_F(EditPopupWindow, OnlyTheEdgesAwayFromTheEditorSizeWithTheirCursors) {
    NewPopup();
    popup->SetPopupBorderStyle(epbsSingle);
    popup->SetPopupSysPanelStyle(true);
    popup->SetBounds(0, 0, 200, 150);
    TuiCustomEditPopupWindowViewInfo& vi = *popup->PopupViewInfo();
    vi.Bounds = TRect{0, 0, 200, 150};
    vi.Corner = 3;
    vi.Calculate();
    EXPECT_FALSE(vi.HitTestSizing(199, 75).IsSizing()) << "not sizeable";
    vi.PopupSizeable = true;
    vi.Calculate();
    struct Row {
        const char* Name;
        int Corner;
        TPoint P;
        TuiSizingDirection Direction;
        TCursor Cursor;
    };
    const Row rows[] = {
        {"right edge", 3, {198, 60}, {1, 0}, crSizeWE},
        {"bottom edge", 3, {60, 148}, {0, 1}, crSizeNS},
        {"bottom right grip", 3, {190, 140}, {1, 1}, crSizeNWSE},
        {"left edge faces nothing", 3, {1, 60}, {0, 0}, crDefault},
        {"top edge faces the editor", 3, {60, 1}, {0, 0}, crDefault},
        {"inside", 3, {100, 60}, {0, 0}, crDefault},
        {"opened left: left edge", 2, {1, 60}, {-1, 0}, crSizeWE},
        {"opened left: grip bottom left", 2, {8, 140}, {-1, 1}, crSizeNESW},
        {"opened up: top edge", 1, {60, 1}, {0, -1}, crSizeNS},
        {"opened up: grip top right", 1, {190, 8}, {1, -1}, crSizeNESW},
        {"opened up and left: grip top left", 0, {8, 8}, {-1, -1}, crSizeNWSE},
    };
    for (const Row& row : rows) {
        vi.Corner = row.Corner;
        vi.Calculate();
        const TuiSizingDirection d = vi.HitTestSizing(row.P.x, row.P.y);
        EXPECT_EQ(d, row.Direction) << row.Name;
        EXPECT_EQ(SizingCursor(d), row.Cursor) << row.Name;
    }
}

class EditPopupSizing : public EditPopupWindow, public ::testing::WithParamInterface<bool> {};

TEST_P(EditPopupSizing, TheGripSizesThePopupAndTellsTheEditor) {
    const bool live = GetParam();
    NewPopup();
    content->SetAlign(alClient);
    popup->SetPopupBorderStyle(epbsSingle);
    popup->SetPopupSizeable(true);
    popup->SetPopupSysPanelStyle(true);
    popup->LiveResize = live;
    popup->PopupWidth = 200;
    popup->PopupHeight = 150;
    int told = 0;
    popup->OnResizedByUser = [&](TObject*) { ++told; };
    Open();
    const TRect before = popup->BoundsRect();
    Drag(Centre(popup->PopupViewInfo()->GripRect), 40, 30, [&] {
        EXPECT_EQ(popup->GetCursor(), crSizeNWSE);
        if (live) {
            EXPECT_EQ(popup->ResizeOutline(), nullptr);
            EXPECT_EQ(popup->GetWidth(), 240) << "live: the window follows";
        } else {
            ASSERT_NE(popup->ResizeOutline(), nullptr);
            EXPECT_EQ(popup->ResizeOutline()->BoundsRect(),
                      (TRect{before.left, before.top, before.right + 40, before.bottom + 30}));
            EXPECT_EQ(popup->BoundsRect(), before) << "framed: the window waits";
        }
    });
    EXPECT_EQ(popup->BoundsRect(), (TRect{before.left, before.top, before.right + 40, before.bottom + 30}));
    EXPECT_EQ(popup->ResizeOutline(), nullptr);
    EXPECT_GT(told, 0);
    EXPECT_EQ(popup->GetCursor(), crDefault);
    EXPECT_EQ(content->GetHeight(), popup->PopupViewInfo()->ClientRect.Height()) << "the content laid out again";
    // Smaller than the least size: the least size.
    popup->PopupMinWidth = 120;
    popup->PopupMinHeight = 90;
    Drag(Centre(popup->PopupViewInfo()->GripRect), -300, -300);
    EXPECT_EQ(popup->GetWidth(), 120);
    EXPECT_EQ(popup->GetHeight(), 90);
    EXPECT_EQ(popup->GetLeft(), before.left) << "the corner at the editor stays";
    EXPECT_EQ(popup->GetTop(), before.top);
}

INSTANTIATE_TEST_SUITE_P(LiveAndFramed, EditPopupSizing, ::testing::Bool());

TEST_F(EditPopupWindow, TheContentMayKeepWholeRows) {
    NewPopup();
    popup->SetPopupBorderStyle(epbsSingle);
    popup->SetPopupSizeable(true);
    popup->PopupWidth = 200;
    popup->PopupHeight = 102;
    popup->OnContentResizing = [](int&, int& AHeight) {
        AHeight = AHeight / 20 * 20;
        return AHeight > 0;
    };
    Open();
    Drag(TPoint{100, popup->GetHeight() - 2}, 0, 35);
    EXPECT_EQ(popup->GetHeight(), 2 + 120) << "135 rounds down to six rows of 20";
}

TEST_F(EditPopupWindow, TheCloseButtonClosesOnlyWhenReleasedOnIt) {
    NewPopup();
    popup->SetPopupBorderStyle(epbsSingle);
    popup->SetPopupSysPanelStyle(true);
    popup->SetShowCloseButton(true);
    popup->PopupWidth = 200;
    popup->PopupHeight = 150;
    Open();
    const TRect close = popup->PopupViewInfo()->CloseButtonRect;
    ASSERT_FALSE(IsRectEmpty(&close));
    EXPECT_EQ(close.left, 1 + 2) << "2 pixels in from the end away from the grip";
    // Hot under the mouse, pressed by the button; released elsewhere it does nothing.
    const TPoint s = OnScreen(popup, Centre(close).x, Centre(close).y);
    SetCursorPos(s.x, s.y);
    ProcessPendingMessages();
    EXPECT_EQ(popup->PopupViewInfo()->CloseButtonState, pcbsHot);
    Drag(Centre(close), 60, 40, [&] { EXPECT_EQ(popup->PopupViewInfo()->CloseButtonState, pcbsNormal); });
    EXPECT_TRUE(popup->IsShown());
    EXPECT_TRUE(reasons.empty());
    ClickAt(popup, Centre(close));
    EXPECT_FALSE(popup->IsShown());
    EXPECT_EQ(reasons, std::vector<TuiCloseUpReason>{crUnknown});
}

TEST_F(EditPopupWindow, AModalResultClosesWithItsReason) {
    NewPopup();
    const std::pair<TModalResult, TuiCloseUpReason> rows[] = {
        {mrOk, crEnter}, {mrCancel, crCancel}, {mrAbort, crUnknown}};
    for (const auto& [result, reason] : rows) {
        Open();
        ASSERT_TRUE(popup->IsShown());
        popup->ModalResult = result;
        popup->CloseOnModalResult();
        ProcessPendingMessages();
        EXPECT_FALSE(popup->IsShown());
        EXPECT_EQ(popup->CloseReason(), reason);
    }
    EXPECT_EQ(reasons, (std::vector<TuiCloseUpReason>{crEnter, crCancel, crUnknown}));
}

TEST_F(EditPopupWindow, CharactersReachOnlyAFocusedWindowInside) {
    NewPopup();
    content->SetVisible(false);
    Open();
    ASSERT_EQ(GetFocus(), popup->GetHandle()) << "nothing inside takes the focus";
    // Sent to itself, a character stays with the popup and harms nothing.
    SendMessage(popup->GetHandle(), WM_CHAR, 'a', 0);
    Tap('B');
    EXPECT_TRUE(popup->IsShown());
    popup->ClosePopup();
    ProcessPendingMessages();
    auto* edit = new TEdit(popup);
    edit->SetParent(popup);
    edit->SetBounds(5, 5, 100, 22);
    edit->TabStop = true;
    Open();
    ASSERT_EQ(GetFocus(), edit->GetHandle());
    SendMessage(popup->GetHandle(), WM_CHAR, 'q', 0);
    EXPECT_EQ(edit->GetText(), "q");
}

TEST_F(EditPopupWindow, TheDropShadowComesOnlyWithDesktopComposition) {
    NewPopup();
    popup->DropShadow = true;
    Open();
    EXPECT_EQ(GetClassLongPtr(popup->GetHandle(), GCL_STYLE) & CS_DROPSHADOW, 0);
    popup->ClosePopup();
    SetDesktopCompositionForTesting(true);
    Open();
    EXPECT_EQ(GetClassLongPtr(popup->GetHandle(), GCL_STYLE) & CS_DROPSHADOW, static_cast<LONG_PTR>(CS_DROPSHADOW));
    popup->ClosePopup();
    SetDesktopCompositionForTesting(false);
    SetClassLongPtr(popup->GetHandle(), GCL_STYLE,
                    GetClassLongPtr(popup->GetHandle(), GCL_STYLE) & ~static_cast<LONG_PTR>(CS_DROPSHADOW));
}

TEST_F(EditPopupWindow, TheRoomForContentIsBesideTheEditorLessTheFrame) {
    NewPopup();
    popup->SetPopupBorderStyle(epbsSingle);
    const TRect area = GetWorkAreaAtPoint(TPoint{100, 100});
    const TRect e = EditorScreenRect();
    const TPoint room = popup->GetMaxContentSize();
    EXPECT_EQ(room.x, area.Width() - 2);
    EXPECT_EQ(room.y, std::max(area.bottom - e.bottom, e.top - area.top) - 2);
}

class EditPopupWindowThemed : public EditPopupWindow {
protected:
    void SetUp() override {
        themed_ = true;
        EditPopupWindow::SetUp();
    }
};

// The popup with its system panel (close button and grip) in each look, opened below and above.
TEST_F(EditPopupWindowThemed, Screenshot) {
    int column = 0;
    for (const TGalleryLook& look : GalleryLooks()) {
        NewPopup(20 + column * 160, 20);
        content->SetAlign(alClient);
        content->SetCaption(look.Name);
        popup->SetLookAndFeelKind(look.Kind);
        popup->SetNativeStyle(look.Native);
        popup->SetPopupBorderStyle(look.Native ? epbsDefault : epbsFrame3D);
        popup->SetPopupClientEdge(column % 2 == 1);
        popup->SetShadow(column == 2);
        popup->SetPopupSizeable(true);
        popup->SetPopupSysPanelStyle(true);
        popup->SetShowCloseButton(true);
        popup->PopupWidth = 150;
        popup->PopupHeight = 110;
        Open();
        const TPoint s = OnScreen(popup, 0, 0);
        EXPECT_TRUE(SaveScreenImage(RECT{s.x - 10, s.y - 40, s.x + 170, s.y + 130},
                                    ScreenshotPath(std::string("uiEditPopupWindow_") + look.Name)));
        popup->ClosePopup();
        delete popup;
        popup = nullptr;
        ++column;
    }
    EXPECT_GT(provider_.CallCount("DrawThemeBackground"), 0) << "the native look's frame, grip and button";
}

}  // namespace
}  // namespace zel::test
