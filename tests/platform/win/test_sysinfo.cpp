// System information.
#include <gtest/gtest.h>

#include "platform/win/Graphics.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel::test {
namespace {

TEST(SysInfo, ColoursAndTColor) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
    EXPECT_EQ(GetSysColor(99), 0u);
    EXPECT_EQ(ColorToRGB(clBtnShadow), static_cast<LONG>(RGB(128, 128, 128)));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
    EXPECT_NE(GetSysColorBrush(COLOR_WINDOW), nullptr);
    EXPECT_EQ(GetSysColorBrush(31), nullptr);
    // Brushes follow a scheme change.
    const int idx = COLOR_BTNFACE;
    const COLORREF black = 0;
    SetSysColors(1, &idx, &black);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0);
    ResetSysColors();
}

TEST(SysInfo, MetricsParametersVersion) {
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CXSIZE), 18);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), 0);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    NONCLIENTMETRICS m;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
    EXPECT_STREQ(m.lfMenuFont.lfFaceName, "Tahoma");
    m.cbSize = 4;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 4, &m, 0)) << "a short record is refused";
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_GT(work.Width(), 0);
    UINT lines = 0;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    EXPECT_EQ(lines, 3u);
    OSVERSIONINFO v;
    ASSERT_TRUE(GetVersionEx(&v));
    EXPECT_EQ(v.dwMajorVersion, 5u);
    EXPECT_EQ(v.dwMinorVersion, 1u);
    EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_WIN32_NT);
}

TEST(SysInfo, MonitorsAndEntryPoints) {
    HMONITOR m = MonitorFromPoint(POINT{-5000, -5000}, MONITOR_DEFAULTTONEAREST);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(MonitorFromPoint(POINT{-5000, -5000}, MONITOR_DEFAULTTONULL), nullptr);
    MONITORINFO mi;
    ASSERT_TRUE(GetMonitorInfo(m, &mi));
    EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);
    EXPECT_TRUE(IsEntryPointAvailable("AlphaBlend"));
    EXPECT_TRUE(IsEntryPointAvailable("GetMonitorInfoA"));
    EXPECT_FALSE(IsEntryPointAvailable("OpenThemeData"));
    EXPECT_FALSE(IsEntryPointAvailable("DwmIsCompositionEnabled"));
    // The metric follows SwapMouseButton.
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), 0);
    SwapMouseButton(TRUE);
    EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), 1);
    SwapMouseButton(FALSE);
    // Entries that the layer does not implement are never reported as present; those it does, are.
    EXPECT_FALSE(IsEntryPointAvailable("AnimateWindow"));
    EXPECT_TRUE(IsEntryPointAvailable("GetScrollBarInfo"));
    // Layered pictures blend where the layer composes the windows itself: the off-screen platform of the tests.
    EXPECT_TRUE(IsEntryPointAvailable("UpdateLayeredWindow"));
    SetEntryPointAvailable("AlphaBlend", false);
    EXPECT_FALSE(IsEntryPointAvailable("AlphaBlend"));
    ResetEntryPoints();
    EXPECT_TRUE(IsEntryPointAvailable("AlphaBlend"));
}

}  // namespace
}  // namespace zel::test
