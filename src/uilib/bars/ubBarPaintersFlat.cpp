// The Flat painter: one-pixel frames, the manager's flat brushes and the flat check mark.
#include "uilib/bars/ubBarPainters.h"

#include <algorithm>
#include <vector>

#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarDropDown.h"
#include "uilib/bars/ubBarPaintersInternal.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/uiImageList.h"

namespace zel {

using namespace bar_painters;

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

RECT TubBarItemControlFlatPainter::GetGlyphSquare(const RECT& Line) const {
    RECT square = TubBarItemControlPainter::GetGlyphSquare(Line);
    InflateRect(&square, -1, -1);
    return square;
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

int TubBarItemControlFlatPainter::GetCaptionButtonSize(const TubBarItemPaintState& State) const {
    return IsButtonFaceWhite() && State.BorderStyle == 1 ? 15 : 18;
}

void TubBarItemControlFlatPainter::DrawLoweredFrame(HDC DC, RECT& R) const {
    FrameRect(DC, &R, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&R, -1, -1);
}

void TubBarItemControlFlatPainter::DrawEditFrame(HDC DC, RECT& R, const TubBarItemPaintState& State) const {
    if (State.Hot) {
        DrawSelectionFrame(DC, R);
        InflateRect(&R, -1, -1);
        FillSolid(DC, R, State.Manager != nullptr ? State.Manager->FlatHotBrush() : GetSelectedBrush(State));
    } else {
        FrameRect(DC, &R, GetBarBrush(State));
        InflateRect(&R, -1, -1);
    }
}

void TubBarItemControlFlatPainter::GetItemColors(const TubBarItemPaintState& State, int& ColorValue,
                                                 HBRUSH& Brush) const {
    ColorValue = 18;
    const TubBarManager* m = State.Manager;
    if (State.Hot || IsButtonFaceWhite()) {
        ColorValue = 14;
        Brush = m != nullptr ? m->FlatPressedBrush() : GetSysColorBrush(COLOR_HIGHLIGHT);
    } else {
        Brush = m != nullptr ? m->FlatHotBrush() : GetSelectedBrush(State);
    }
}

HBRUSH TubBarItemControlFlatPainter::GetButtonFaceBrush(const TubBarItemPaintState& State) const {
    return State.Manager != nullptr ? State.Manager->FlatFaceBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

void TubBarItemControlFlatPainter::DrawBarBorder(HDC DC, const RECT& R, HBRUSH Brush,
                                                 const TubBarItemPaintState& State) const {
    FrameRect(DC, &R, Brush != nullptr ? Brush : GetBarBrush(State));
    const COLORREF face = Rgb(clBtnFace);
    SetPixelV(DC, R.left, R.top, face);
    SetPixelV(DC, R.right - 1, R.top, face);
    SetPixelV(DC, R.left, R.bottom - 1, face);
    SetPixelV(DC, R.right - 1, R.bottom - 1, face);
    RECT inner = R;
    InflateRect(&inner, -1, -1);
    if (State.DockingStyle != dsNone) DrawBarGrip(DC, GetGripRect(inner, State), State);
}

void TubBarItemControlFlatPainter::DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH Brush,
                                                     const TubBarItemPaintState& State) const {
    RECT r = R;
    FrameRect(DC, &r, State.Manager != nullptr ? State.Manager->FlatBorderBrush() : GetFrameBrush());
    InflateRect(&r, -1, -1);
    FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    for (int i = 2; i < GetFloatingFrameWidth(); ++i) {
        InflateRect(&r, -1, -1);
        FrameRect(DC, &r, Brush);
    }
}

void TubBarItemControlFlatPainter::DrawCaptionButton(HDC DC, const RECT& R, bool Hot, bool Pressed,
                                                     const TubBarItemPaintState& State) const {
    const TubBarManager* m = State.Manager;
    if (Pressed) FillSolid(DC, R, m != nullptr ? m->FlatPressedHotBrush() : GetSysColorBrush(COLOR_BTNSHADOW));
    else if (Hot) FillSolid(DC, R, m != nullptr ? m->FlatHotBrush() : GetSelectedBrush(State));
    if (Hot || Pressed) DrawSelectionFrame(DC, R);
}

RECT TubBarItemControlFlatPainter::GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const {
    switch (State.DockingStyle) {
        case dsLeft:
        case dsRight: return RECT{BarRect.left, BarRect.bottom - 11, BarRect.right, BarRect.bottom};
        case dsTop:
        case dsBottom: return RECT{BarRect.right - 11, BarRect.top, BarRect.right, BarRect.bottom};
        default: {
            const int h = GetSmallCaptionHeight();
            return RECT{BarRect.right - h, BarRect.top, BarRect.right, BarRect.top + h};
        }
    }
}

void TubBarItemControlFlatPainter::DrawDropDownArrowPart(HDC DC, const RECT& R,
                                                         const TubBarItemPaintState& State) const {
    RECT r = R;
    if (State.Bar != bwkSubMenu) --r.left;  // shares the face's frame
    HBRUSH brush = GetButtonBrush(State);
    FillControlBackground(DC, r, brush, State.Hot || State.Pressed || State.Down, State);
    DrawButtonBackground(DC, r, brush, State);
    if (State.Bar == bwkSubMenu) {
        DrawSubMenuArrow(DC, r, State.Enabled, State.Hot);
        return;
    }
    const TColor color = GetTextColors(State.Enabled, true, State.Hot);
    DrawComboArrow(DC, r, color == clNone ? clBtnShadow : color);
}

void TubBarItemControlFlatPainter::GetComboButtonColors(const TubBarItemPaintState& State, int& ColorValue,
                                                        HBRUSH& Brush) const {
    TubBarItemControlPainter::GetComboButtonColors(State, ColorValue, Brush);
    if (State.Bar == bwkSubMenu && !State.Hot) Brush = GetSysColorBrush(COLOR_WINDOW);
    if (!State.Enabled) ColorValue = 16;
}

int TubBarItemControlFlatPainter::GetSubItemHeight(const TubBarItemPaintState& State, int LineHeight,
                                                   const TubBarManagerSizes& Sizes, bool ShowCaption) const {
    const int height = TubBarItemControlPainter::GetSubItemHeight(State, LineHeight, Sizes, ShowCaption);
    return State.Bar == bwkSubMenu ? height + 2 : height;
}

void TubBarItemControlFlatPainter::DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH Brush) const {
    FrameRect(DC, &R, GetFrameBrush());
    FillSolid(DC, RECT{R.left + 1, R.top + 1, R.left + 2, R.bottom - 1}, Brush);
}

void TubBarItemControlFlatPainter::DrawBarOwnerFrame(HDC DC, const RECT& R) const {
    FrameRect(DC, &R, GetFrameBrush());
}

void TubBarItemControlFlatPainter::DrawSubMenuOwnerSide(HDC DC, const RECT& MenuRect, const RECT& OwnerRect,
                                                        HBRUSH Brush) const {
    // The stretch of the menu's frame that the owner's inside touches, one pixel in from the owner's edges.
    const int left = std::max(MenuRect.left, OwnerRect.left + 1), right = std::min(MenuRect.right, OwnerRect.right - 1);
    const int top = std::max(MenuRect.top, OwnerRect.top + 1), bottom = std::min(MenuRect.bottom, OwnerRect.bottom - 1);
    if (OwnerRect.bottom <= MenuRect.top + 1) FillSolid(DC, RECT{left, MenuRect.top, right, MenuRect.top + 1}, Brush);
    else if (OwnerRect.top >= MenuRect.bottom - 1)
        FillSolid(DC, RECT{left, MenuRect.bottom - 1, right, MenuRect.bottom}, Brush);
    else if (OwnerRect.right <= MenuRect.left + 1)
        FillSolid(DC, RECT{MenuRect.left, top, MenuRect.left + 1, bottom}, Brush);
    else FillSolid(DC, RECT{MenuRect.right - 1, top, MenuRect.right, bottom}, Brush);
}

}  // namespace zel
