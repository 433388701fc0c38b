// What the drop-down windows of the editors ask of forms and controls: a colour left out of a form's picture,
// a control lent to another top-level window and given back, the drop-shadow class style, the check mark
// bitmap, and actions behind controls.
#include <string>

#include "platform/vcl/ActnList.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class FormsForPopups : public VclTest {};

TEST_F(FormsForPopups, TheTransparentColourShowsWhatLiesBelow) {
    auto* below = Keep(Construct<TForm>(nullptr));
    below->SetBorderStyle(bsNone);
    below->SetBounds(100, 100, 200, 100);
    below->SetColor(clRed);
    below->Show();
    auto* above = Keep(Construct<TForm>(nullptr));
    above->SetBorderStyle(bsNone);
    above->SetBounds(120, 120, 100, 50);
    above->SetColor(clLime);
    auto* panel = new TPanel(above);
    panel->SetParent(above);
    panel->SetBounds(0, 0, 40, 50);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clBlue);
    above->SetTransparentColorValue(clLime);
    above->SetTransparentColor(true);
    above->Show();
    ProcessPendingMessages();
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(above->GetHandle(), &key, nullptr, &flags));
    EXPECT_EQ(flags, LWA_COLORKEY);
    EXPECT_EQ(key, static_cast<COLORREF>(0x00FF00));
    EXPECT_EQ(ComposedScreenPixel(130, 140), static_cast<COLORREF>(0xFF0000)) << "the blue panel stays";
    EXPECT_EQ(ComposedScreenPixel(200, 140), static_cast<COLORREF>(0x0000FF)) << "the red form below shows";
    // With the key off again the form's own colour is back; with alpha as well, both flags.
    above->SetTransparentColor(false);
    EXPECT_EQ(ComposedScreenPixel(200, 140), static_cast<COLORREF>(0x00FF00));
    above->SetAlphaBlend(true);
    above->SetAlphaBlendValue(200);
    above->SetTransparentColor(true);
    ASSERT_TRUE(GetLayeredWindowAttributes(above->GetHandle(), nullptr, nullptr, &flags));
    EXPECT_EQ(flags, LWA_COLORKEY | LWA_ALPHA);
}

TEST_F(FormsForPopups, AControlLentToAnotherWindowComesBackWithItsWindowAndBounds) {
    auto* form = Keep(Construct<TForm>(nullptr));
    form->SetBounds(50, 50, 300, 200);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(20, 30, 120, 80);
    auto* edit = new TEdit(panel);
    edit->SetParent(panel);
    edit->SetBounds(5, 5, 100, 22);
    form->Show();
    ProcessPendingMessages();
    edit->SetText("kept");
    const HWND panelWindow = panel->GetHandle();
    const HWND editWindow = edit->GetHandle();
    auto* popup = Keep(Construct<TForm>(nullptr));
    popup->SetBorderStyle(bsNone);
    popup->SetBounds(400, 300, 200, 150);
    popup->Show();
    ProcessPendingMessages();

    panel->SetParentKeepingWindow(popup);
    EXPECT_EQ(panel->GetHandle(), panelWindow) << "not made anew";
    EXPECT_EQ(GetParent(panelWindow), popup->GetHandle());
    EXPECT_EQ(edit->GetHandle(), editWindow);
    EXPECT_EQ(panel->BoundsRect(), Bounds(20, 30, 120, 80));
    EXPECT_TRUE(IsWindowVisible(panelWindow));
    panel->SetBounds(0, 0, 200, 150);

    panel->SetParentKeepingWindow(form);
    panel->SetBounds(20, 30, 120, 80);
    EXPECT_EQ(panel->GetHandle(), panelWindow);
    EXPECT_EQ(GetParent(panelWindow), form->GetHandle());
    EXPECT_EQ(edit->GetHandle(), editWindow);
    EXPECT_EQ(edit->GetText(), "kept");
    RECT r{};
    GetWindowRect(panelWindow, &r);
    const TPoint origin = form->ClientToScreen(TPoint{20, 30});
    EXPECT_EQ(r.left, origin.x);
    EXPECT_EQ(r.top, origin.y);
}

TEST_F(FormsForPopups, TheDropShadowClassStyleIsKeptAndChangesNothing) {
    auto* popup = Keep(Construct<TForm>(nullptr));
    popup->SetBorderStyle(bsNone);
    popup->SetBounds(10, 10, 50, 40);
    popup->SetColor(clWhite);
    popup->Show();
    ProcessPendingMessages();
    const LONG_PTR style = GetClassLongPtr(popup->GetHandle(), GCL_STYLE);
    SetClassLongPtr(popup->GetHandle(), GCL_STYLE, style | CS_DROPSHADOW);
    EXPECT_EQ(GetClassLongPtr(popup->GetHandle(), GCL_STYLE) & CS_DROPSHADOW, static_cast<LONG_PTR>(CS_DROPSHADOW));
    InvalidateRect(popup->GetHandle(), nullptr, TRUE);
    EXPECT_EQ(ComposedScreenPixel(62, 52), static_cast<COLORREF>(0xFFFFFF)) << "no shadow beside the window";
    SetClassLongPtr(popup->GetHandle(), GCL_STYLE, style);
}

TEST(SystemBitmaps, TheCheckMarkDiffersFromItsPlainRightHalfOnlyOnTheMark) {
    HBITMAP bitmap = LoadBitmap(nullptr, OBM_CHECK);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObject(bitmap, sizeof(info), &info);
    ASSERT_EQ(info.bmWidth, 26);
    ASSERT_EQ(info.bmHeight, 13);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    int marked = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            EXPECT_EQ(GetPixel(dc, x + 13, y) & 0xFFFFFF, 0xFFFFFFu);
            if ((GetPixel(dc, x, y) & 0xFFFFFF) == 0) ++marked;
        }
    EXPECT_EQ(marked, 21) << "seven columns of three";
    EXPECT_EQ(GetPixel(dc, 3, 5) & 0xFFFFFF, 0u) << "the tick's left end";
    EXPECT_EQ(GetPixel(dc, 5, 9) & 0xFFFFFF, 0u) << "its lowest point";
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST_F(FormsForPopups, AControlFollowsItsActionAndRunsItOnClick) {
    auto* form = Keep(Construct<TForm>(nullptr));
    auto* action = new TCustomAction(form);
    action->SetCaption("Go");
    action->SetHint("Goes");
    action->SetHelpContext(7);
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetAction(action);
    ASSERT_NE(button->ActionLink(), nullptr);
    EXPECT_EQ(button->ActionLink()->ClassName(), "TWinControlActionLink");
    EXPECT_EQ(button->Caption(), "Go");
    EXPECT_EQ(button->Hint, "Goes");
    EXPECT_EQ(button->HelpContext, 7);
    action->SetEnabled(false);
    action->SetCaption("Went");
    EXPECT_FALSE(button->GetEnabled());
    EXPECT_EQ(button->Caption(), "Went");
    button->Click();
    EXPECT_EQ(runs, 1);
    // A caption of the control's own is no longer the action's: a change of the action leaves it.
    button->SetCaption("Own");
    EXPECT_FALSE(button->ActionLink()->IsCaptionLinked());
    // The action freed: the control forgets it.
    delete action;
    EXPECT_EQ(button->GetAction(), nullptr);
    button->Click();
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace zel::test
