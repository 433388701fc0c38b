#include "uilib/bars/ubBarPainters.h"

#include <algorithm>

#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/uiImageList.h"

namespace zel {

// Roles of the Office-2003 look and the palette columns that carry them. The hot, pressed and frame
// columns are the ones the library's Office-2003 look-and-feel painter uses for its buttons; the rest follow
// the blue scheme's colours (toolbar light FEECDD to dark E2A981, menu background F6F6F6, hot menu line
// C2EEFF, open menu FCE1CB to F0C7A9, floating caption C9662A, toolbar shadow 9C613B).
const TubOffice11Roles Office11Roles = {
    /*ToolbarLight*/ 0,
    /*ToolbarDark*/ 1,
    /*HotFirst*/ 22,
    /*HotSecond*/ 23,
    /*PressedFirst*/ 24,
    /*PressedSecond*/ 25,
    /*PressedSolid*/ 27,
    /*CustomizingSelection*/ 28,
    /*OpenMenuFirst*/ 26,
    /*OpenMenuSecond*/ 29,
    /*GlyphColumnLight*/ 0,
    /*GlyphColumnDark*/ 1,
    /*ExpandedGlyphColumnLight*/ 3,
    /*ExpandedGlyphColumnDark*/ 2,
    /*MenuBackground*/ 19,
    /*MenuSelected*/ 20,
    /*SeparatorDark*/ 14,
    /*SeparatorLight*/ 13,
    /*MenuText*/ 30,
    /*HotText*/ 30,
    /*DisabledText*/ 31,
    /*ButtonFrame*/ 21,
    /*FloatingFrameOuter*/ 18,
    /*FloatingFrameInner*/ 16,
    /*FloatingCaption*/ 16,
    /*CaptionText*/ 48,
    /*ToolbarShadow*/ 10,
    /*FadedGlyph*/ 5,
    /*ButtonFace*/ 2,
    /*Background*/ 0,
    /*EditBackground*/ 13,
    /*DisabledFrame*/ 31,
};

TColor Office11RoleColor(int Column) { return Office11Palette().Columns[Column]; }

namespace {

// Brushes of palette colours that the palette holds none for: made on first use, freed at the unit's
// shutdown, made anew when the palette changed the colour.
struct TRoleBrushes {
    TColor color[Office11ColumnCount]{};
    HBRUSH brush[Office11ColumnCount]{};
};
TRoleBrushes roleBrushes;

HBRUSH RoleBrush(int Column) {
    if (HBRUSH b = Office11Brush(Column)) return b;
    const TColor c = Office11RoleColor(Column);
    HBRUSH& brush = roleBrushes.brush[Column];
    if (brush == nullptr || roleBrushes.color[Column] != c) {
        if (brush != nullptr) DeleteObject(brush);
        brush = CreateSolidBrush(static_cast<COLORREF>(c));
        roleBrushes.color[Column] = c;
    }
    return brush;
}

}  // namespace

void FreeBarPainterBrushes() {
    for (HBRUSH& b : roleBrushes.brush) {
        if (b != nullptr) DeleteObject(b);
        b = nullptr;
    }
}

namespace {

COLORREF Rgb(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

void FillSolid(HDC DC, const RECT& R, HBRUSH Brush) {
    if (R.right > R.left && R.bottom > R.top) FillRect(DC, &R, Brush);
}

// Sets the pixels of the 9 x 7 check mark, each pixel a Scale x Scale square.
void PaintCheckMark(HDC DC, int Scale, int Top, int Left, TColor Color) {
    HBRUSH brush = CreateSolidBrush(Rgb(Color));
    for (int x = 1; x <= 7; ++x) {
        const int y = x <= 3 ? x + 2 : 5 - (x - 3);  // down to the middle, then up to the right
        RECT r{Left + x * Scale, Top + y * Scale, Left + (x + 1) * Scale, Top + (y + 2) * Scale};
        FillRect(DC, &r, brush);
    }
    DeleteObject(brush);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------
// Base painter

int TubBarItemControlPainter::GetArrowWidth(const TubBarManager* AManager) const {
    int w = AManager->GetButtonArrowWidth() * (AManager->GetLargeIcons() ? 2 : 1);
    if (w % 2 == 0) ++w;
    return w;
}

int TubBarItemControlPainter::GetLargeArrowWidth(const TubBarManager* AManager) const {
    return AManager->GetLargeButtonArrowWidth();
}

TubBarManagerSizes TubBarItemControlPainter::ManagerSizes(const TubBarManager* AManager) const {
    TubBarManagerSizes s;
    s.GlyphSize = AManager->ImageSize();
    s.ButtonWidth = s.GlyphSize + GetButtonWidthAddition();
    s.ButtonHeight = s.GlyphSize + GetButtonHeightAddition();
    s.ArrowWidth = GetArrowWidth(AManager);
    return s;
}

void TubBarItemControlPainter::DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const {
    PaintCheckMark(DC, Scale, Top, Left, Enabled ? clBtnText : clBtnShadow);
}

POINT TubBarItemControlPainter::CheckMarkOrigin(const RECT& R, int Scale) {
    return POINT{(R.left + R.right - 9 * Scale) / 2, (R.top + R.bottom - 7 * Scale) / 2};
}

void TubBarItemControlPainter::DrawEmptyGlyphArea(HDC DC, const RECT& R, HBRUSH Brush,
                                                  const TubBarItemPaintState& State, bool LargeFont) const {
    FillControlBackground(DC, R, Brush, State.Hot || State.Down, State);
    if (State.Down && State.Bar == bwkSubMenu) {
        const int scale = LargeFont ? 2 : 1;
        const POINT p = CheckMarkOrigin(R, scale);
        DrawCheckMarkGlyph(DC, scale, p.y, p.x, State.Enabled);
    }
}

bool TubBarItemControlPainter::GlyphFits(const RECT& Area, SIZE Glyph) {
    return Area.right - Area.left >= Glyph.cx + 2 && Area.bottom - Area.top >= Glyph.cy + 2;
}

TColor TubBarItemControlPainter::GetFadedColor(const TubBarManager* AManager) const {
    if (!AManager->GetMakeDisabledImagesFaded()) return clNone;
    return MixColorsPercent(clBtnShadow, clWhite, 70);
}

void TubBarItemControlPainter::DrawSubMenuArrow(HDC DC, const RECT& R, bool Enabled, bool Selected) const {
    const int n = std::max(2, std::min(R.right - R.left, (R.bottom - R.top) / 2) / 2);
    const int x = (R.left + R.right - n) / 2, y = (R.top + R.bottom) / 2;
    TColor color = GetTextColors(Enabled, FlatText(), Selected);
    if (color == clNone) color = clBtnShadow;
    HBRUSH brush = CreateSolidBrush(Rgb(color));
    for (int i = 0; i < n; ++i) FillSolid(DC, RECT{x + i, y - (n - 1 - i), x + i + 1, y + (n - i)}, brush);
    DeleteObject(brush);
}

TColor TubBarItemControlPainter::GetTextColors(bool Enabled, bool Flat, bool Selected) const {
    if (Enabled) return Selected && !Flat ? clHighlightText : clBtnText;
    return Selected || Flat ? clGrayText : clNone;
}

void TubBarItemControlPainter::GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const {
    Text = Enabled ? clWindowText : clGrayText;
    Back = Enabled ? clWindow : clBtnFace;
}

void TubBarItemControlPainter::FillControlBackground(HDC DC, const RECT& R, HBRUSH Brush, bool Opaque,
                                                     const TubBarItemPaintState& State) const {
    if (Opaque) FillSolid(DC, R, Brush);
    else if (State.BarBrush != nullptr) FillSolid(DC, R, State.BarBrush);
}

void TubBarItemControlPainter::FrameControlBackground(HDC DC, const RECT& R, HBRUSH Brush,
                                                      const TubBarItemPaintState& State) const {
    HBRUSH b = State.BarBrush != nullptr ? State.BarBrush : Brush;
    if (b != nullptr) FrameRect(DC, &R, b);
}

void TubBarItemControlPainter::DrawItemText(HDC DC, const RECT& R, const std::string& Text, bool Enabled, bool Selected,
                                            UINT Alignment, bool AllowFlat) const {
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_VCENTER | Alignment;
    const TColor color = GetTextColors(Enabled, FlatText() && AllowFlat, Selected);
    const int n = static_cast<int>(Text.size());
    const COLORREF oldColor = GetTextColor(DC);
    RECT r = R;
    if (color == clNone) {
        // The embossed look: a highlight copy one pixel right and down, then the shadow in place.
        OffsetRect(&r, 1, 1);
        SetTextColor(DC, Rgb(clBtnHighlight));
        DrawText(DC, Text, n, &r, format);
        r = R;
        SetTextColor(DC, Rgb(clBtnShadow));
    } else {
        SetTextColor(DC, Rgb(color));
    }
    DrawText(DC, Text, n, &r, format);
    SetTextColor(DC, oldColor);
    SetBkMode(DC, oldMode);
}

HBRUSH TubBarItemControlPainter::GetButtonBrush(const TubBarItemPaintState& State) const { return GetBarBrush(State); }

int TubBarItemControlPainter::GetFloatingFrameWidth() const { return GetSystemMetrics(SM_CXFRAME); }

void TubBarItemControlPainter::DrawBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    FillSolid(DC, R, State.BarBrush != nullptr ? State.BarBrush : GetSysColorBrush(COLOR_BTNFACE));
}

void TubBarItemControlPainter::DrawClientBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    DrawBarBackground(DC, R, State);
}

HBRUSH TubBarItemControlPainter::GetBarBrush(const TubBarItemPaintState& State) const {
    return State.BarBrush != nullptr ? State.BarBrush : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TubBarItemControlPainter::GetSelectedBrush(const TubBarItemPaintState& /*State*/) const {
    return GetSysColorBrush(COLOR_HIGHLIGHT);
}

RECT TubBarItemControlPainter::GetBarMargins(const TubBarItemPaintState& /*State*/) const { return RECT{2, 2, 2, 2}; }

void TubBarItemControlPainter::DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    RECT r = R;
    if (State.VerticalBar) {
        r.top = (R.top + R.bottom) / 2 - 1;
        r.bottom = r.top + 2;
        DrawEdge(DC, &r, EDGE_ETCHED, BF_TOP);
    } else {
        r.left = (R.left + R.right) / 2 - 1;
        r.right = r.left + 2;
        DrawEdge(DC, &r, EDGE_ETCHED, BF_LEFT);
    }
}

int TubBarItemControlPainter::GetHalfFontHeight(int FontHeight, const TubBarItemPaintState& /*State*/) const {
    return (FontHeight + 1) / 2;
}

int TubBarItemControlPainter::GetSubItemWidth(const TubBarItemPaintState& State, int CaptionWidth, int LineHeight,
                                              const TubBarManagerSizes& Sizes, int FontHeight, bool ShowCaption) const {
    if (State.Bar == bwkSubMenu) return CaptionWidth + 2 * LineHeight + 3;
    int width = ShowCaption ? CaptionWidth : 0;
    if (State.HasGlyph || !ShowCaption)
        width += (State.VerticalBar ? Sizes.ButtonHeight : Sizes.ButtonWidth) + (ShowCaption ? 4 : 0);
    else width += 2 * GetHalfFontHeight(FontHeight, State);
    if (State.Bar != bwkMainMenu) width += LineHeight / 2;  // the drop-down arrow
    return width;
}

void TubBarItemControlPainter::DrawSubMenuBackground(HDC DC, const RECT& R, int /*GlyphColumnWidth*/,
                                                     bool /*ShowsRarelyUsed*/) const {
    FillSolid(DC, R, GetSysColorBrush(COLOR_BTNFACE));
}

void TubBarItemControlPainter::DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const {
    if (State.Hot) DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
    else FrameControlBackground(DC, R, GetBarBrush(State), State);
    InflateRect(&R, -1, -1);
    FillSolid(DC, R, State.Enabled ? GetSysColorBrush(COLOR_WINDOW) : GetBarBrush(State));
}

void TubBarItemControlPainter::DrawComboButton(HDC DC, const RECT& R, bool DroppedDown,
                                               const TubBarItemPaintState& State) const {
    RECT r = R;
    DrawEdge(DC, &r, DroppedDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
    if (DroppedDown) OffsetRect(&r, 1, 1);
    DrawComboArrow(DC, r, State.Enabled ? clBtnText : clGrayText);
}

void TubBarItemControlPainter::DrawComboArrow(HDC DC, const RECT& R, TColor Color) const {
    int width = (R.right - R.left) / 2;
    if (width % 2 == 0) ++width;
    const int rows = (width + 1) / 2;
    const int left = (R.left + R.right - width) / 2, top = (R.top + R.bottom - rows) / 2;
    HBRUSH brush = CreateSolidBrush(Rgb(Color));
    for (int i = 0; i < rows; ++i) FillSolid(DC, RECT{left + i, top + i, left + width - i, top + i + 1}, brush);
    DeleteObject(brush);
}

DWORD TubBarItemControlPainter::GetEditStyle() const { return ES_AUTOHSCROLL; }

void TubBarItemControlPainter::EditTextSet(HWND Edit, bool /*Changed*/) const { SendMessage(Edit, EM_SETSEL, 0, -1); }

int TubBarItemControlPainter::ProgressFilledLength(int Length, int Position, int Min, int Max) {
    if (Length <= 0 || Max == Min) return 0;
    // MulDiv keeps the product exact; its -1 on overflow falls to 0 like any other result below the bar.
    return std::clamp(MulDiv(Length, Position - Min, Max - Min), 0, Length);
}

void TubBarItemControlPainter::DrawProgressBar(HDC DC, int Position, int Min, int Max, bool Solid, bool Vertical,
                                               TColor Color, const RECT& R, HBRUSH Background) const {
    const int length = Vertical ? R.bottom - R.top : R.right - R.left;
    const int thickness = Vertical ? R.right - R.left : R.bottom - R.top;
    if (length <= 0 || thickness <= 0) return;
    const int filled = ProgressFilledLength(length, Position, Min, Max);
    // A stretch [from, to) along the bar; vertical bars fill from the bottom up.
    auto along = [&](int from, int to) {
        return Vertical ? RECT{R.left, R.bottom - to, R.right, R.bottom - from}
                        : RECT{R.left + from, R.top, R.left + to, R.bottom};
    };
    FillSolid(DC, R, Background);
    HBRUSH brush = CreateSolidBrush(Rgb(Color));
    if (Solid) {
        FillSolid(DC, along(0, filled), brush);
    } else {
        const int block = std::max(1, thickness * 2 / 3);
        for (int at = 0; at < filled; at += block + 2) FillSolid(DC, along(at, std::min(at + block, filled)), brush);
    }
    DeleteObject(brush);
}

// ---------------------------------------------------------------------------------------------------------
// Flat painter

int TubBarItemControlFlatPainter::GetArrowWidth(const TubBarManager* AManager) const {
    return TubBarItemControlPainter::GetArrowWidth(AManager) - 1;
}

int TubBarItemControlFlatPainter::GetLargeArrowWidth(const TubBarManager* AManager) const {
    return TubBarItemControlPainter::GetLargeArrowWidth(AManager) - 1;
}

void TubBarItemControlFlatPainter::DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush,
                                                        const TubBarItemPaintState& State) const {
    if (State.Down || (State.Hot && State.Bar != bwkSubMenu)) {
        if (State.MenuOpen) DrawJoinFrame(DC, R, State.OpenMenuRect);
        else DrawSelectionFrame(DC, R);
    } else if (State.GlyphFits) {
        FrameControlBackground(DC, R, Brush, State);
    }
}

void TubBarItemControlFlatPainter::DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const {
    TColor color = clBtnShadow;
    if (Enabled) color = IsButtonFaceBlack() || IsButtonFaceWhite() ? clWhite : clBlack;
    PaintCheckMark(DC, Scale, Top, Left, color);
}

void TubBarItemControlFlatPainter::DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                                                const TubBarItemPaintState& State) const {
    const int glyph = R.bottom - R.top;
    if (State.Hot) {
        DrawSelectionFrame(DC, R);
        RECT inner = R;
        InflateRect(&inner, -1, -1);
        FillSolid(DC, inner, GetSelectedBrush(State));
    } else {
        FillSolid(DC, RECT{R.left, R.top, R.left + glyph, R.bottom}, GetSysColorBrush(COLOR_BTNFACE));
        FillSolid(DC, RECT{R.left + glyph, R.top, R.right, R.bottom}, GetBarBrush(State));
    }
    RECT square{R.left, R.top, R.left + glyph, R.bottom};
    InflateRect(&square, -1, -1);
    if (!State.HasGlyph) DrawEmptyGlyphArea(DC, square, GetButtonBrush(State), State, false);
    RECT text{square.right + 2 + 8, R.top, R.right, R.bottom};
    DrawItemText(DC, text, Caption, State.Enabled, State.Hot, DT_LEFT, !IsButtonFaceWhite());
}

HBRUSH TubBarItemControlFlatPainter::GetButtonBrush(const TubBarItemPaintState& State) const {
    const TubBarManager* m = State.Manager;
    if (m == nullptr) return GetBarBrush(State);
    if (State.Pressed && State.Hot) return m->FlatPressedHotBrush();
    if (State.Pressed || State.Down) return m->FlatPressedBrush();
    if (State.Hot) return m->FlatHotBrush();
    if (State.Bar == bwkSubMenu && !State.HasGlyph) return GetSysColorBrush(COLOR_BTNFACE);
    return GetBarBrush(State);
}

HBRUSH TubBarItemControlFlatPainter::GetBarBrush(const TubBarItemPaintState& State) const {
    if (State.BarBrush != nullptr) return State.BarBrush;
    return State.Manager != nullptr ? State.Manager->FlatFaceBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TubBarItemControlFlatPainter::GetSelectedBrush(const TubBarItemPaintState& State) const {
    return State.Manager != nullptr ? State.Manager->FlatHotBrush() : GetSysColorBrush(COLOR_HIGHLIGHT);
}

int TubBarItemControlFlatPainter::GetHalfFontHeight(int FontHeight, const TubBarItemPaintState& State) const {
    return State.Bar == bwkMainMenu ? 8 : TubBarItemControlPainter::GetHalfFontHeight(FontHeight, State);
}

int TubBarItemControlFlatPainter::GetSubItemWidth(const TubBarItemPaintState& State, int CaptionWidth, int LineHeight,
                                                  const TubBarManagerSizes& Sizes, int FontHeight,
                                                  bool ShowCaption) const {
    const int width =
        TubBarItemControlPainter::GetSubItemWidth(State, CaptionWidth, LineHeight, Sizes, FontHeight, ShowCaption);
    return State.Bar == bwkSubMenu ? width + 9 : width;
}

int TubBarItemControlFlatPainter::GetSubMenuSeparatorOffset(int A) const {
    int offset = (A - 4) / 2;
    if (offset >= 5 && offset % 2 != 0) ++offset;
    return offset;
}

DWORD TubBarItemControlFlatPainter::GetEditStyle() const { return ES_AUTOHSCROLL | ES_MULTILINE; }

void TubBarItemControlFlatPainter::SetEditMargins(HWND Edit) const {
    RECT r{};
    GetClientRect(Edit, &r);
    InflateRect(&r, -2, -2);
    SendMessage(Edit, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TubBarItemControlFlatPainter::EditTextSet(HWND Edit, bool Changed) const {
    TubBarItemControlPainter::EditTextSet(Edit, Changed);
    if (Changed) SendMessage(Edit, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(Edit));
}

void TubBarItemControlFlatPainter::DrawSelectionFrame(HDC DC, const RECT& R) const {
    const bool highContrastBlack = IsBlackFaceScheme();
    FrameRectWithColor(DC, R, highContrastBlack ? clHighlightText : clHighlight);
}

HBRUSH TubBarItemControlFlatPainter::GetFrameBrush() const { return GetSysColorBrush(COLOR_BTNSHADOW); }

void TubBarItemControlFlatPainter::DrawJoinFrame(HDC DC, const RECT& R, const RECT& MenuRect) const {
    HBRUSH frame = GetFrameBrush();
    FrameRect(DC, &R, frame);
    // The side the menu touches stays open: its inner pixels take the button's inside again.
    RECT side{};
    if (MenuRect.top >= R.bottom - 1) side = RECT{R.left + 1, R.bottom - 1, R.right - 1, R.bottom};
    else if (MenuRect.bottom <= R.top + 1) side = RECT{R.left + 1, R.top, R.right - 1, R.top + 1};
    else if (MenuRect.left >= R.right - 1) side = RECT{R.right - 1, R.top + 1, R.right, R.bottom - 1};
    else side = RECT{R.left, R.top + 1, R.left + 1, R.bottom - 1};
    const COLORREF inside = GetPixel(DC, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
    if (inside != CLR_INVALID) {
        HBRUSH b = CreateSolidBrush(inside);
        FillSolid(DC, side, b);
        DeleteObject(b);
    }
}

HBRUSH TubBarItemControlFlatPainter::GetSeparatorBrush() const { return GetSysColorBrush(COLOR_BTNSHADOW); }

// ---------------------------------------------------------------------------------------------------------
// Office11 painter

namespace {

const TubOffice11Roles& Roles() { return Office11Roles; }
TColor Role(int Column) { return Office11RoleColor(Column); }

// The gradient across a bar: top to bottom on horizontal bars, left to right on vertical ones.
void FillAcross(HDC DC, const RECT& R, TColor First, TColor Second, const TubBarItemPaintState& State) {
    FillLinearGradient(DC, R, First, Second, State.VerticalBar);
}

}  // namespace

void TubBarItemControlOffice11Painter::DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush,
                                                            const TubBarItemPaintState& State) const {
    const bool onSubMenu = State.Bar == bwkSubMenu;
    const bool active = State.Hot || State.Pressed || State.Down;
    if (onSubMenu && State.Hot && !State.HasGlyph && !State.Down) {
        FillSolid(DC, R, Brush);
        return;
    }
    if (State.MenuOpen && !State.Customizing) {
        FillAcross(DC, R, Role(Roles().OpenMenuFirst), Role(Roles().OpenMenuSecond), State);
    } else if (!onSubMenu && active) {
        const bool pressedOrDown = State.Pressed || State.Down;
        if (State.Customizing) {
            FillRectWithColor(DC, R, Role(pressedOrDown ? Roles().CustomizingSelection : Roles().HotFirst));
        } else if (!pressedOrDown) {
            FillAcross(DC, R, Role(Roles().HotFirst), Role(Roles().HotSecond), State);
        } else if (State.Hot) {
            FillAcross(DC, R, Role(Roles().PressedSecond), Role(Roles().PressedFirst), State);
        } else if (Role(Roles().PressedFirst) == Role(Roles().PressedSecond)) {
            FillRectWithColor(DC, R, Role(Roles().PressedSolid));
        } else {
            FillAcross(DC, R, Role(Roles().PressedFirst), Role(Roles().PressedSecond), State);
        }
    } else {
        FillControlBackground(DC, R, Brush, active, State);
    }
    if (State.Down || (State.Hot && !onSubMenu)) {
        if (State.MenuOpen) DrawJoinFrame(DC, R, State.OpenMenuRect);
        else if (State.Hot || State.Down) DrawSelectionFrame(DC, R);
        else FrameRect(DC, &R, RoleBrush(Roles().ButtonFrame));
    } else if (State.GlyphFits) {
        FrameControlBackground(DC, R, Brush, State);
    }
}

TColor TubBarItemControlOffice11Painter::GetFadedColor(const TubBarManager* /*AManager*/) const {
    return Role(Roles().FadedGlyph);
}

void TubBarItemControlOffice11Painter::DrawSubMenuArrow(HDC DC, const RECT& R, bool Enabled, bool Selected) const {
    PaintOffice11Arrow(DC, R, oadRight, Enabled, Selected);
}

TColor TubBarItemControlOffice11Painter::GetTextColors(bool Enabled, bool /*Flat*/, bool Selected) const {
    if (!Enabled) return Role(Roles().DisabledText);
    if (Selected && IsButtonFaceWhite()) return clWhite;
    return Role(Selected ? Roles().HotText : Roles().MenuText);
}

void TubBarItemControlOffice11Painter::GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const {
    Text = Role(Enabled ? Roles().MenuText : Roles().DisabledText);
    Back = Enabled ? clWindow : clBtnFace;
}

void TubBarItemControlOffice11Painter::DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                                                    const TubBarItemPaintState& State) const {
    const int height = R.bottom - R.top;
    const int glyphPart = height + 1;
    if (State.Hot) {
        DrawSelectionFrame(DC, R);
    } else {
        // The outline in six strips: top, bottom and left of the glyph part; top, bottom and right of the rest.
        const int split = R.left + glyphPart;
        const RECT strips[] = {
            {R.left, R.top, split, R.top + 1},        {R.left, R.bottom - 1, split, R.bottom},
            {R.left, R.top, R.left + 1, R.bottom},    {split, R.top, R.right, R.top + 1},
            {split, R.bottom - 1, R.right, R.bottom}, {R.right - 1, R.top, R.right, R.bottom},
        };
        for (const RECT& s : strips) FillControlBackground(DC, s, GetBarBrush(State), false, State);
    }
    RECT inner = R;
    InflateRect(&inner, -1, -1);
    const RECT square{inner.left, inner.top, inner.left + (inner.bottom - inner.top), inner.bottom};
    if (State.Down) DrawButtonBackground(DC, square, GetButtonBrush(State), State);
    if (!State.HasGlyph) {
        TubBarItemPaintState glyphState = State;
        glyphState.Hot = false;  // the square keeps the column's look; only a down entry shows its mark
        DrawEmptyGlyphArea(DC, square, GetButtonBrush(State), glyphState, false);
    }
    const RECT rest{square.right, inner.top, inner.right, inner.bottom};
    FillControlBackground(DC, rest, State.Hot ? GetSelectedBrush(State) : GetBarBrush(State), State.Hot, State);
    const RECT text{square.right + 2 + 8, inner.top, inner.right, inner.bottom};
    DrawItemText(DC, text, Caption, State.Enabled, State.Hot, DT_LEFT, !IsButtonFaceWhite());
}

void TubBarItemControlOffice11Painter::DrawBarBackground(HDC DC, const RECT& R,
                                                         const TubBarItemPaintState& State) const {
    if (State.Bar != bwkToolbar || !State.HasBorder) {
        TubBarItemControlPainter::DrawBarBackground(DC, R, State);
        return;
    }
    if (R.right - R.left < 2 || R.bottom - R.top < 2) return;
    const TColor light = Role(Roles().ToolbarLight), dark = Role(Roles().ToolbarDark);
    const TColor shadow = Role(Roles().ToolbarShadow);
    const bool vertical = State.VerticalBar;
    FillTwoStageGradient(DC, R, light, dark, vertical);
    // The shadow line along the bottom (right on vertical bars), between the rounded corners.
    const RECT line = vertical ? RECT{R.right - 1, R.top + 1, R.right, R.bottom - 1}
                               : RECT{R.left + 1, R.bottom - 1, R.right - 1, R.bottom};
    FillRectWithColor(DC, line, shadow);
    // Rounded ends: each corner pixel half shadow, half the gradient there.
    const POINT corners[] = {
        {R.left, R.top}, {R.right - 1, R.top}, {R.left, R.bottom - 1}, {R.right - 1, R.bottom - 1}};
    for (const POINT& p : corners) {
        const TColor under = GetPixel(DC, p.x, p.y);
        SetPixelV(DC, p.x, p.y, Rgb(MixColorsPercent(shadow, under, 50)));
    }
}

void TubBarItemControlOffice11Painter::DrawClientBackground(HDC DC, const RECT& R,
                                                            const TubBarItemPaintState& State) const {
    if (State.Customizing) {
        TubBarItemControlPainter::DrawClientBackground(DC, R, State);
        return;
    }
    FillLinearGradient(DC, R, Role(Roles().ToolbarLight), Role(Roles().ToolbarDark), false);
}

HBRUSH TubBarItemControlOffice11Painter::GetBarBrush(const TubBarItemPaintState& State) const {
    return State.BarBrush != nullptr ? State.BarBrush : RoleBrush(Roles().MenuBackground);
}

HBRUSH TubBarItemControlOffice11Painter::GetSelectedBrush(const TubBarItemPaintState& /*State*/) const {
    return RoleBrush(Roles().MenuSelected);
}

RECT TubBarItemControlOffice11Painter::GetBarMargins(const TubBarItemPaintState& State) const {
    if (State.Bar != bwkMainMenu) return TubBarItemControlPainter::GetBarMargins(State);
    return State.VerticalBar ? RECT{2, 0, 2, 0} : RECT{0, 2, 0, 2};
}

void TubBarItemControlOffice11Painter::DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    const TColor dark = Role(Roles().SeparatorDark), light = Role(Roles().SeparatorLight);
    if (State.VerticalBar) {
        const int y = (R.top + R.bottom) / 2 - 1;
        FillRectWithColor(DC, RECT{R.left + 3, y, R.right - 4, y + 1}, dark);
        FillRectWithColor(DC, RECT{R.left + 4, y + 1, R.right - 3, y + 2}, light);
    } else {
        const int x = (R.left + R.right) / 2 - 1;
        FillRectWithColor(DC, RECT{x, R.top + 3, x + 1, R.bottom - 4}, dark);
        FillRectWithColor(DC, RECT{x + 1, R.top + 4, x + 2, R.bottom - 3}, light);
    }
}

void TubBarItemControlOffice11Painter::DrawSubMenuBackground(HDC DC, const RECT& R, int GlyphColumnWidth,
                                                             bool ShowsRarelyUsed) const {
    const TColor light = Role(ShowsRarelyUsed ? Roles().ExpandedGlyphColumnLight : Roles().GlyphColumnLight);
    const TColor dark = Role(ShowsRarelyUsed ? Roles().ExpandedGlyphColumnDark : Roles().GlyphColumnDark);
    const int split = std::min<int>(R.right, R.left + GlyphColumnWidth);
    FillTwoStageGradient(DC, RECT{R.left, R.top, split, R.bottom}, light, dark, true);
    FillSolid(DC, RECT{split, R.top, R.right, R.bottom}, RoleBrush(Roles().MenuBackground));
}

void TubBarItemControlOffice11Painter::DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const {
    if (State.Hot) DrawSelectionFrame(DC, R);
    else if (!State.Enabled) FrameRectWithColor(DC, R, Role(Roles().DisabledFrame));
    else if (State.Bar == bwkSubMenu) FrameRect(DC, &R, RoleBrush(Roles().ButtonFrame));
    else FrameControlBackground(DC, R, GetBarBrush(State), State);
    InflateRect(&R, -1, -1);
    FillSolid(DC, R, State.Enabled ? RoleBrush(Roles().EditBackground) : GetSysColorBrush(COLOR_BTNFACE));
}

void TubBarItemControlOffice11Painter::DrawComboButton(HDC DC, const RECT& R, bool DroppedDown,
                                                       const TubBarItemPaintState& State) const {
    RECT r = R;
    if (State.Hot || DroppedDown) {
        RECT frame = R;
        InflateRect(&frame, 1, 1);
        DrawSelectionFrame(DC, frame);
        // The state gradient of a button, without its frame.
        if (State.Pressed || DroppedDown)
            FillAcross(DC, r, Role(Roles().PressedSecond), Role(Roles().PressedFirst), State);
        else FillAcross(DC, r, Role(Roles().HotFirst), Role(Roles().HotSecond), State);
    } else {
        FrameRect(DC, &r, State.Enabled ? GetSysColorBrush(COLOR_WINDOW) : GetSysColorBrush(COLOR_BTNFACE));
        FillSolid(DC, RECT{r.left, r.top, r.left + 1, r.bottom}, RoleBrush(Roles().EditBackground));
        InflateRect(&r, -1, -1);
        if (State.Bar == bwkSubMenu && State.Enabled) FillSolid(DC, r, RoleBrush(Roles().EditBackground));
        else FillControlBackground(DC, r, GetBarBrush(State), false, State);
        r = R;
    }
    if (DroppedDown) OffsetRect(&r, 1, 1);
    DrawComboArrow(DC, r, Office11ArrowColor(State.Enabled, State.Hot));
}

void TubBarItemControlOffice11Painter::DrawDropDownArrowPart(HDC DC, const RECT& R,
                                                             const TubBarItemPaintState& State) const {
    RECT r = R;
    if (State.Bar != bwkSubMenu) --r.left;  // shares the face's border
    if (State.Hot || State.Pressed) {
        DrawButtonBackground(DC, r, GetButtonBrush(State), State);
    } else {
        if (State.Down) DrawSelectionFrame(DC, r);
        else FrameControlBackground(DC, r, GetBarBrush(State), State);
    }
    PaintOffice11Arrow(DC, r, State.Bar == bwkSubMenu ? oadRight : oadDown, State.Enabled, State.Hot);
}

void TubBarItemControlOffice11Painter::DrawSelectionFrame(HDC DC, const RECT& R) const { FrameRectOffice11(DC, R); }

HBRUSH TubBarItemControlOffice11Painter::GetFrameBrush() const { return RoleBrush(Roles().ButtonFrame); }

HBRUSH TubBarItemControlOffice11Painter::GetSeparatorBrush() const { return RoleBrush(Roles().SeparatorDark); }

TubBarPainterClass BarPainterOf(const TubBarManager* AManager) {
    switch (AManager->PainterKind()) {
        case bpkFlat: return BarPainterClass<TubBarItemControlFlatPainter>();
        case bpkOffice11: return BarPainterClass<TubBarItemControlOffice11Painter>();
        default: return BarPainterClass<TubBarItemControlPainter>();
    }
}

}  // namespace zel
