// The drop shadow of menu windows: the strips around a menu and the element it opened from, their alpha rows
// and corner fades, and the strip windows right behind an open menu on both roads (soft layered strips where
// windows blend per pixel, solid 2-pixel strips otherwise), which let clicks through.
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarShadow.h"
#include "uilib/bars/ubBarSubMenuControl.h"

namespace zel {

std::ostream& operator<<(std::ostream& Out, const TubBarShadowStrip& S) {
    return Out << "(" << S.Rect.left << "," << S.Rect.top << "," << S.Rect.right << "," << S.Rect.bottom << ")"
               << (S.Vertical ? " V" : " H") << int(S.Fades);
}

namespace test {
namespace {

constexpr std::uint8_t kBoth = sfHorizontalStart | sfHorizontalEnd;

struct TStripCase {
    const char* Name;
    TRect Element;
    TRect Menu;
    std::vector<TubBarShadowStrip> Expected;
};

TEST(ubBarShadowStrips, AroundTheMenuAndTheElementItOpenedFrom) {
    const TStripCase cases[] = {
        {"a menu opened from nothing: right from Mt + S, bottom from Ml + S, faded at the outer ends",
         TRect{},
         TRect{100, 100, 200, 300},
         {{TRect{104, 300, 204, 304}, false, kBoth}, {TRect{200, 104, 204, 300}, true, sfVerticalTop}}},
        {"a menu wider than its button, left-aligned: nothing under the button",
         TRect{100, 80, 150, 100},
         TRect{100, 100, 250, 300},
         {{TRect{150, 84, 154, 100}, true, sfVerticalTop},
          {TRect{104, 300, 254, 304}, false, kBoth},
          {TRect{250, 104, 254, 300}, true, sfVerticalTop}}},
        {"a button wider than its menu: a strip under the button right of the menu",
         TRect{100, 80, 300, 100},
         TRect{100, 100, 250, 300},
         {{TRect{300, 84, 304, 100}, true, sfVerticalTop},
          {TRect{104, 300, 254, 304}, false, kBoth},
          {TRect{250, 100, 304, 104}, false, sfHorizontalEnd},
          {TRect{250, 100, 254, 300}, true, 0}}},
        {"a menu right of its button's left edge: the strip under the button up to the menu",
         TRect{100, 80, 150, 100},
         TRect{120, 100, 250, 300},
         {{TRect{150, 84, 154, 100}, true, sfVerticalTop},
          {TRect{124, 300, 254, 304}, false, kBoth},
          {TRect{104, 100, 120, 104}, false, sfHorizontalStart},
          {TRect{250, 104, 254, 300}, true, sfVerticalTop}}},
        {"a menu opened upwards: the two swap, the button below casting the lower shadow",
         TRect{100, 300, 150, 320},
         TRect{100, 100, 250, 300},
         {{TRect{250, 104, 254, 300}, true, sfVerticalTop},
          {TRect{104, 320, 154, 324}, false, kBoth},
          {TRect{150, 300, 254, 304}, false, sfHorizontalEnd},
          {TRect{150, 300, 154, 320}, true, 0}}},
        {"a sub-menu beside its entry, reaching lower",
         TRect{100, 100, 200, 120},
         TRect{200, 96, 300, 200},
         {{TRect{300, 100, 304, 200}, true, sfVerticalTop},
          {TRect{104, 120, 200, 124}, false, sfHorizontalStart},
          {TRect{204, 200, 304, 204}, false, kBoth}}},
        {"a sub-menu beside its entry, shorter than it and starting lower",
         TRect{100, 100, 200, 180},
         TRect{200, 120, 300, 160},
         {{TRect{300, 124, 304, 160}, true, sfVerticalTop},
          {TRect{200, 104, 204, 120}, true, sfVerticalTop},
          {TRect{104, 180, 204, 184}, false, kBoth},
          {TRect{200, 160, 204, 180}, true, 0},
          {TRect{200, 160, 304, 164}, false, sfHorizontalEnd}}},
    };
    for (const TStripCase& c : cases) EXPECT_EQ(ShadowStrips(c.Element, c.Menu, 4), c.Expected) << c.Name;
}

TEST(ubBarShadowStrips, AlphaRowsAndCornerFades) {
    // A horizontal strip: rows 60, 45, 30, 15 from the edge that touches the menu.
    const TubBarShadowStrip plain{TRect{0, 0, 10, 4}, false, 0};
    const std::vector<std::uint8_t> rows = ShadowStripAlphas(plain, 4);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(rows[static_cast<std::size_t>(y * 10 + 5)], 60 - 15 * y) << y;
    // Fades scale the S pixels nearest a faded end by (k + 1) / (S + 1).
    struct Case {
        TubBarShadowStrip Strip;
        int X, Y;
        int Alpha;
    } cases[] = {
        {{TRect{0, 0, 10, 4}, false, sfHorizontalStart}, 0, 0, 12},
        {{TRect{0, 0, 10, 4}, false, sfHorizontalStart}, 3, 1, 36},
        {{TRect{0, 0, 10, 4}, false, sfHorizontalStart}, 4, 0, 60},
        {{TRect{0, 0, 10, 4}, false, sfHorizontalEnd}, 9, 0, 12},
        {{TRect{0, 0, 10, 4}, false, sfHorizontalEnd}, 0, 0, 60},
        {{TRect{0, 0, 10, 4}, false, kBoth}, 9, 3, 3},
        {{TRect{0, 0, 4, 10}, true, sfVerticalTop}, 0, 0, 12},
        {{TRect{0, 0, 4, 10}, true, sfVerticalTop}, 1, 2, 27},
        {{TRect{0, 0, 4, 10}, true, sfVerticalTop}, 3, 9, 15},
    };
    for (const Case& c : cases) {
        const int w = c.Strip.Rect.right - c.Strip.Rect.left;
        EXPECT_EQ(ShadowStripAlphas(c.Strip, 4)[static_cast<std::size_t>(c.Y * w + c.X)], c.Alpha)
            << c.Strip << " at " << c.X << "," << c.Y;
    }
    // A faded strip smaller than the shadow is not shown.
    EXPECT_FALSE(ShadowStripValid({TRect{0, 0, 3, 4}, true, sfVerticalTop}, 4));
    EXPECT_TRUE(ShadowStripValid({TRect{0, 0, 3, 4}, true, 0}, 4));
}

// A popup menu of the flat look opened with the caller's loop, over a white form.
class ubBarShadowWindows : public BarsTest {
protected:
    void Open(bool Layered) {
        if (!Layered) {
            // The unit binds the optional entries as it starts.
            ubBarShutdown();
            SetEntryPointAvailable("UpdateLayeredWindow", false);
            ubBarStartup();
        }
        form = NewForm();
        form->SetBounds(50, 50, 400, 300);
        form->SetColor(clWhite);
        manager = new TubBarManager(form);
        manager->SetStyle(bmsFlat);
        menu = new TubBarPopupMenu(form);
        for (const char* caption : {"&Open", "&Save", "Save &As...", "&Close"}) {
            auto* button = new TubBarButton(form);
            button->SetCaption(caption);
            menu->GetItemLinks()->Add()->SetItem(button);
        }
        form->Show();
        ProcessPendingMessages();
        menu->OwnMessageLoop = true;
        menu->ShowMenuAt(120, 110);
        ProcessPendingMessages();
        ASSERT_TRUE(menu->IsOpen());
        GetWindowRect(menu->MenuWindow()->GetHandle(), &menuRect);
    }
    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TubBarPopupMenu* menu = nullptr;
    RECT menuRect{};
};

TEST_F(ubBarShadowWindows, SoftStripsRightBehindTheMenuLetClicksThrough) {
    Open(true);
    TubBarShadow* shadow = menu->MenuWindow()->Shadow();
    ASSERT_NE(shadow, nullptr);
    ASSERT_EQ(shadow->Parts().size(), 2u);
    const HWND menuWindow = menu->MenuWindow()->GetHandle();
    for (TubBarShadowPart* part : shadow->Parts()) {
        ASSERT_TRUE(part->HandleAllocated());
        EXPECT_TRUE(IsWindowVisible(part->GetHandle()));
        EXPECT_NE(GetWindowLongPtr(part->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
        RECT r{};
        GetWindowRect(part->GetHandle(), &r);
        EXPECT_EQ(TRect(r), part->Strip().Rect);
        // The strip lies right under the menu in the z-order, and the mouse goes through it.
        HWND above = GetWindow(part->GetHandle(), GW_HWNDPREV);
        while (above != nullptr && above != menuWindow && TWinControl::FindControl(above) != nullptr &&
               dynamic_cast<TubBarShadowPart*>(TWinControl::FindControl(above)) != nullptr)
            above = GetWindow(above, GW_HWNDPREV);
        EXPECT_EQ(above, menuWindow);
        EXPECT_EQ(WindowFromPoint(POINT{r.left + 2, r.bottom - 2}), form->GetHandle());
    }
    // The strip right of the menu darkens the white form below it by 60, 45, 30 and 15 of 255.
    const int y = (menuRect.top + menuRect.bottom) / 2;
    for (int d = 0; d < 4; ++d) {
        const int expected = 255 - (255 * (60 - 15 * d) + 127) / 255;
        EXPECT_NEAR(GetRValue(ComposedScreenPixel(menuRect.right + d, y)), expected, 1) << d;
    }
    EXPECT_TRUE(SaveScreenImage(RECT{menuRect.left - 20, menuRect.top - 20, menuRect.right + 20, menuRect.bottom + 20},
                                ScreenshotPath("popup-menu-shadow-layered")));
    menu->CloseMenu();
    EXPECT_FALSE(shadow->GetVisible());
}

TEST_F(ubBarShadowWindows, WithoutLayeredWindowsTheStripsAreSolidTwoPixels) {
    Open(false);
    TubBarShadow* shadow = menu->MenuWindow()->Shadow();
    ASSERT_NE(shadow, nullptr);
    ASSERT_EQ(shadow->Parts().size(), 2u);
    for (TubBarShadowPart* part : shadow->Parts()) {
        const TRect& r = part->Strip().Rect;
        EXPECT_EQ(part->Strip().Vertical ? r.right - r.left : r.bottom - r.top, 2);
        EXPECT_EQ(GetWindowLongPtr(part->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    }
    const int y = (menuRect.top + menuRect.bottom) / 2;
    EXPECT_EQ(ComposedScreenPixel(menuRect.right, y), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ComposedScreenPixel(menuRect.right + 1, y), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ComposedScreenPixel(menuRect.right + 2, y), ColorToCOLORREF(clWhite));
    EXPECT_TRUE(SaveScreenImage(RECT{menuRect.left - 20, menuRect.top - 20, menuRect.right + 20, menuRect.bottom + 20},
                                ScreenshotPath("popup-menu-shadow-solid")));
    menu->CloseMenu();
}

}  // namespace
}  // namespace test
}  // namespace zel
