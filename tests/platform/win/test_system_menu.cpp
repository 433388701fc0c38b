// A window's system menu read as the bar library reads it, and window icons.
#include <string>
#include <vector>

#include "WndTestSupport.h"
#include "platform/win/Gdi.h"
#include "platform/win/SystemMenu.h"

namespace zel::test {
namespace {

class SystemMenu : public WndTest {
protected:
    struct TEntry {
        std::string text;
        UINT id = 0;
        bool separator = false;
        bool grayed = false;
        HBITMAP bitmap = nullptr;
        bool operator==(const TEntry&) const = default;
    };
    static std::vector<TEntry> Entries(HMENU menu, UINT size = kMenuItemInfoSize) {
        std::vector<TEntry> r;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[1024];
            MENUITEMINFO info;
            info.cbSize = size;
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_BITMAP;
            info.dwTypeData = text;
            info.cch = sizeof(text);
            EXPECT_TRUE(GetMenuItemInfo(menu, static_cast<UINT>(i), TRUE, &info));
            r.push_back(TEntry{(info.fType & MFT_SEPARATOR) ? "" : text, info.wID, (info.fType & MFT_SEPARATOR) != 0,
                               (info.fState & MFS_GRAYED) != 0, info.hbmpItem});
        }
        return r;
    }
};

TEST_F(SystemMenu, ItsEntriesFollowTheWindowsStateAndStyles) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HMENU menu = GetSystemMenu(w, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetSystemMenu(w, FALSE), menu) << "one menu per window";
    const std::vector<TEntry> normal{
        {"&Restore", static_cast<UINT>(SC_RESTORE), false, true, HBMMENU_POPUP_RESTORE},
        {"&Move", static_cast<UINT>(SC_MOVE), false, false, nullptr},
        {"&Size", static_cast<UINT>(SC_SIZE), false, false, nullptr},
        {"Mi&nimize", static_cast<UINT>(SC_MINIMIZE), false, false, HBMMENU_POPUP_MINIMIZE},
        {"Ma&ximize", static_cast<UINT>(SC_MAXIMIZE), false, false, HBMMENU_POPUP_MAXIMIZE},
        {"", 0, true, false, nullptr},
        {"&Close\tAlt+F4", static_cast<UINT>(SC_CLOSE), false, false, HBMMENU_POPUP_CLOSE},
    };
    EXPECT_EQ(Entries(menu), normal);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 6u);
    // The 44-byte record carries no item bitmap.
    for (const TEntry& e : Entries(menu, kMenuItemInfoSizeWithoutBitmap)) EXPECT_EQ(e.bitmap, nullptr);

    // Maximised: Restore on, Move, Size and Maximize off.
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_EQ(GetMenuState(GetSystemMenu(w, FALSE), SC_RESTORE, MF_BYCOMMAND), 0u);
    for (WPARAM off : {SC_MOVE, SC_SIZE, SC_MAXIMIZE})
        EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(off), MF_BYCOMMAND), MF_GRAYED) << off;
    EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(menu, 0x1234, MF_BYCOMMAND), static_cast<UINT>(-1));
    char text[6];
    EXPECT_EQ(GetMenuString(menu, SC_CLOSE, text, sizeof(text), MF_BYCOMMAND), 5);
    EXPECT_EQ(std::string(text), "&Clos");

    // Without minimise and maximise boxes those entries are off; a window without WS_SYSMENU has no menu.
    HWND plain = Make(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 10, 10, 100, 80);
    HMENU plainMenu = GetSystemMenu(plain, FALSE);
    EXPECT_EQ(GetMenuState(plainMenu, SC_MINIMIZE, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(plainMenu, SC_MAXIMIZE, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(plainMenu, SC_SIZE, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetSystemMenu(Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10), FALSE), nullptr);
    EXPECT_EQ(GetSystemMenu(w, TRUE), nullptr);
    EXPECT_EQ(GetMenuItemCount(nullptr), -1);
    MENUITEMINFO tooSmall;
    tooSmall.cbSize = 40;
    EXPECT_FALSE(GetMenuItemInfo(menu, 0, TRUE, &tooSmall));
    DestroyWindow(w);
    EXPECT_EQ(GetMenuItemCount(menu), -1) << "the menu goes with its window";
}

TEST_F(SystemMenu, AWindowKeepsItsIconsAndAnIconDrawsStretched) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_SMALL2, 0), 0);
    // A 2 x 2 icon: red, transparent, green, half-transparent blue.
    const std::uint32_t pixels[] = {0xFFFF0000u, 0x00000000u, 0xFF00FF00u, 0x800000FFu};
    HICON icon = CreateIconFromPixels(2, 2, pixels);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(IsIconHandle(icon));
    EXPECT_EQ(CreateIconFromPixels(0, 2, pixels), nullptr);
    EXPECT_EQ(SendMessage(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)), 0);
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_SMALL2, 0), reinterpret_cast<LRESULT>(icon)) << "the big one stands in";
    EXPECT_EQ(SendMessage(w, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));

    // Drawn at twice its size over white.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 4, 4};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 0, 3), RGB(0, 255, 0));
    const COLORREF blue = GetPixel(dc, 3, 3);
    EXPECT_NEAR(GetBValue(blue), 255, 2);
    EXPECT_NEAR(GetRValue(blue), 127, 2);
    EXPECT_FALSE(DrawIconEx(dc, 0, 0, nullptr, 4, 4, 0, nullptr, DI_NORMAL));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
}  // namespace zel::test
