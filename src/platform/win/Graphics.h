#pragma once
// Colours as the windowing classes know them: TColor is 00BBGGRR for plain colours, FF000000 + index for a
// system colour, clNone (paint nothing) and clDefault (keep what is there).
#include <cstdint>

#include "platform/win/WinTypes.h"

namespace zel {

using TColor = std::int32_t;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor ColorOfSysIndex(int index) {
    return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}

constexpr TColor clScrollBar = ColorOfSysIndex(0);
constexpr TColor clBackground = ColorOfSysIndex(1);
constexpr TColor clActiveCaption = ColorOfSysIndex(2);
constexpr TColor clInactiveCaption = ColorOfSysIndex(3);
constexpr TColor clMenu = ColorOfSysIndex(4);
constexpr TColor clWindow = ColorOfSysIndex(5);
constexpr TColor clWindowFrame = ColorOfSysIndex(6);
constexpr TColor clMenuText = ColorOfSysIndex(7);
constexpr TColor clWindowText = ColorOfSysIndex(8);
constexpr TColor clCaptionText = ColorOfSysIndex(9);
constexpr TColor clActiveBorder = ColorOfSysIndex(10);
constexpr TColor clInactiveBorder = ColorOfSysIndex(11);
constexpr TColor clAppWorkSpace = ColorOfSysIndex(12);
constexpr TColor clHighlight = ColorOfSysIndex(13);
constexpr TColor clHighlightText = ColorOfSysIndex(14);
constexpr TColor clBtnFace = ColorOfSysIndex(15);
constexpr TColor clBtnShadow = ColorOfSysIndex(16);
constexpr TColor clGrayText = ColorOfSysIndex(17);
constexpr TColor clBtnText = ColorOfSysIndex(18);
constexpr TColor clInactiveCaptionText = ColorOfSysIndex(19);
constexpr TColor clBtnHighlight = ColorOfSysIndex(20);
constexpr TColor cl3DDkShadow = ColorOfSysIndex(21);
constexpr TColor cl3DLight = ColorOfSysIndex(22);
constexpr TColor clInfoText = ColorOfSysIndex(23);
constexpr TColor clInfoBk = ColorOfSysIndex(24);
constexpr TColor clHotLight = ColorOfSysIndex(26);
constexpr TColor clGradientActiveCaption = ColorOfSysIndex(27);
constexpr TColor clGradientInactiveCaption = ColorOfSysIndex(28);
constexpr TColor clMenuHighlight = ColorOfSysIndex(29);
constexpr TColor clMenuBar = ColorOfSysIndex(30);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour becomes its current RGB value; every other value (clNone and clDefault included) is
// returned unchanged.
LONG ColorToRGB(TColor color);

}  // namespace zel
