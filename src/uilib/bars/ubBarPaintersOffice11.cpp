// The Office11 painter, the main window's look: the Office-2003 gradients of the shared palette (whose roles
// the library base pairs with palette columns) and the brushes it makes from palette colours.
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
    } else if (State.GlyphFits && (onSubMenu || State.BarBrush != nullptr)) {
        // On a toolbar whose window has painted its own background (a gradient) around the button, a frame
        // in the flat bar colour would stand out.
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

HBRUSH TubBarItemControlOffice11Painter::GetDockBrush(const TubBarItemPaintState& /*State*/) const {
    return RoleBrush(Roles().ButtonFace);
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

void TubBarItemControlOffice11Painter::DrawSubMenuArrowColored(HDC DC, const RECT& R, bool Enabled,
                                                               bool Selected) const {
    PaintOffice11ArrowInStateColor(DC, R, oadRight, Enabled, Selected);
}

TColor TubBarItemControlOffice11Painter::GetCaptionColor(bool /*Active*/) const {
    return Role(Roles().FloatingCaption);
}

TColor TubBarItemControlOffice11Painter::GetCaptionTextColor() const { return Role(Roles().CaptionText); }

TColor TubBarItemControlOffice11Painter::GetInactiveCaptionTextColor(bool Hot, bool Pressed) const {
    if (Hot || Pressed) return Role(Pressed ? Roles().HotText : Roles().MenuText);
    return Role(Roles().CaptionText);
}

HBRUSH TubBarItemControlOffice11Painter::GetManagerBrush(const TubBarItemPaintState& /*State*/) const {
    return RoleBrush(Roles().ToolbarLight);
}

HBRUSH TubBarItemControlOffice11Painter::GetBackgroundBrush(const TubBarItemPaintState& State) const {
    return State.BarBrush != nullptr ? State.BarBrush : RoleBrush(Roles().Background);
}

HBRUSH TubBarItemControlOffice11Painter::GetButtonFaceBrush(const TubBarItemPaintState& /*State*/) const {
    return RoleBrush(Roles().ButtonFace);
}

void TubBarItemControlOffice11Painter::DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH Brush,
                                                         const TubBarItemPaintState& State) const {
    RECT r = R;
    if (State.Customizing) {
        FrameRect(DC, &r, RoleBrush(Roles().ButtonFrame));
        for (int i = 1; i < GetFloatingFrameWidth(); ++i) {
            InflateRect(&r, -1, -1);
            FrameRect(DC, &r, Brush);
        }
        return;
    }
    const TColor outer = Role(Roles().FloatingFrameOuter);
    FrameRectWithColor(DC, r, outer);
    // The outermost frame's corners take the colour under the window, rounding it off.
    for (const POINT& p : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                           POINT{r.right - 1, r.bottom - 1}})
        SetPixelV(DC, p.x, p.y, Rgb(clBtnFace));
    InflateRect(&r, -1, -1);
    FrameRectWithColor(DC, r, outer);
    InflateRect(&r, -1, -1);
    FrameRectWithColor(DC, r, Role(Roles().FloatingFrameInner));
}

void TubBarItemControlOffice11Painter::DrawFloatingCaption(HDC DC, const RECT& R, const std::string& Caption,
                                                           const TubBarItemPaintState& State) const {
    TubBarItemControlFlatPainter::DrawFloatingCaption(DC, R, Caption, State);
}

void TubBarItemControlOffice11Painter::DrawBarBorder(HDC DC, const RECT& R, HBRUSH /*Brush*/,
                                                     const TubBarItemPaintState& State) const {
    // The body's rounded ends and shadow line are its border: only the grip is drawn.
    RECT inner = R;
    InflateRect(&inner, -1, -1);
    if (State.DockingStyle != dsNone) DrawBarGrip(DC, GetGripRect(inner, State), State);
}

void TubBarItemControlOffice11Painter::DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    // The dots run down the start of a horizontal bar and along the top of a vertical one, centred in the
    // grip's strip and clear of its ends by 3 pixels.
    const bool down = !State.VerticalBar;
    RECT dots = R;
    if (down) {
        const int x = R.left + (R.right - R.left - 3) / 2;
        dots = RECT{x, R.top + 3, x + 3, R.bottom - 3};
    } else {
        const int y = R.top + (R.bottom - R.top - 3) / 2;
        dots = RECT{R.left + 3, y, R.right - 3, y + 3};
    }
    DrawGripDots(DC, down, dots);
}

RECT TubBarItemControlOffice11Painter::GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const {
    return TubBarItemControlFlatPainter::GetSizeGripRect(BarRect, State);
}

void TubBarItemControlOffice11Painter::InvalidateGripArea(HWND Bar, const RECT& GripRect,
                                                          const TubBarItemPaintState& State) const {
    TubBarItemControlFlatPainter::InvalidateGripArea(Bar, GripRect, State);
    if (Bar != nullptr && State.DockingStyle != dsNone) SendMessage(Bar, WM_NCPAINT, 1, 0);
}

SIZE TubBarItemControlOffice11Painter::GetSizeGripSize(const TubBarItemPaintState& State) const {
    return TubBarItemControlFlatPainter::GetSizeGripSize(State);
}

TubSubMenuMetrics TubBarItemControlOffice11Painter::CalcSubMenuMetrics(int TextHeight) const {
    TubSubMenuMetrics m = TubBarItemControlFlatPainter::CalcSubMenuMetrics(TextHeight);
    // The glyph column is as wide as a line's glyph square and its gap.
    m.GlyphColumn = m.LineHeight + 2;
    return m;
}

void TubBarItemControlOffice11Painter::DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH /*Brush*/) const {
    FrameRect(DC, &R, GetFrameBrush());
    RECT r = R;
    InflateRect(&r, -1, -1);
    HBRUSH menu = RoleBrush(Roles().MenuBackground);
    FillSolid(DC, RECT{r.left, r.top, r.right, r.top + 1}, menu);
    FillSolid(DC, RECT{r.left, r.bottom - 1, r.right, r.bottom}, menu);
    FillSolid(DC, RECT{r.right - 1, r.top, r.right, r.bottom}, menu);
    FillRectWithColor(DC, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, Role(Roles().GlyphColumnLight));
}

HBRUSH TubBarItemControlOffice11Painter::GetSubMenuBrush() const { return RoleBrush(Roles().MenuBackground); }

void TubBarItemControlOffice11Painter::DrawEditCaption(HDC DC, const RECT& R, const std::string& Caption,
                                                       const TubBarItemPaintState& State) const {
    RECT r = R;
    const bool selectedInMenu = State.Bar == bwkSubMenu && State.Hot;
    if (selectedInMenu) {
        DrawSelectionFrame(DC, r);
        InflateRect(&r, -1, -1);
    }
    FillSolid(DC, r, selectedInMenu ? GetSelectedBrush(State) : GetBarBrush(State));
    RECT text = r;
    text.right = R.right - 5;
    DrawItemText(DC, text, Caption, State.Enabled, State.Hot, DT_RIGHT, !IsButtonFaceWhite());
}

HBRUSH TubBarItemControlOffice11Painter::GetProgressBackgroundBrush() const { return RoleBrush(Roles().ToolbarDark); }

void TubBarItemControlOffice11Painter::DrawGripDots(HDC DC, bool Vertical, const RECT& R) const {
    PaintOffice11GripDots(DC, R, Vertical, nullptr, nullptr);
}

}  // namespace zel
