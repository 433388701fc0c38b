// The Standard and Enhanced painters: the classic three-dimensional bars drawn with edges in system colours.
#include "platform/vcl/StdCtrls.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarPaintersInternal.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

using namespace bar_painters;

namespace {

bool InMenu(const TubBarItemPaintState& State) { return State.Bar == bwkSubMenu; }

// The edge of a face: sunken when pressed or down, raised when only hot.
UINT EdgeFor(const TubBarItemPaintState& State) {
    return State.Pressed || State.Down ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
}

}  // namespace

// ---- Standard -------------------------------------------------------------------------------------------------

void TubBarItemControlStandardPainter::DrawButtonBackground(HDC DC, const RECT& R, HBRUSH /*Brush*/,
                                                            const TubBarItemPaintState& State) const {
    if (!(State.Pressed || State.Down || (State.Hot && !InMenu(State)))) return;
    RECT r = R;
    DrawEdge(DC, &r, EdgeFor(State), BF_RECT);
}

void TubBarItemControlStandardPainter::DrawCheckMarkGlyph(HDC DC, int Scale, int Top, int Left, bool Enabled) const {
    const bool blackFace = ColorToRGB(clBtnFace) == 0;
    PaintCheckMark(DC, Scale, Top, Left + Scale, static_cast<TColor>(RGB(192, 192, 192)));
    PaintCheckMark(DC, Scale, Top, Left, Enabled ? (blackFace ? clBtnHighlight : clBtnText) : clBtnShadow);
}

void TubBarItemControlStandardPainter::DrawSeparatorFill(HDC DC, const RECT& R) const {
    RECT light = R;
    OffsetRect(&light, 1, 1);
    FillSolid(DC, light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    TubBarItemControlPainter::DrawSeparatorFill(DC, R);
}

void TubBarItemControlStandardPainter::DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                                                    const TubBarItemPaintState& State) const {
    const RECT square = GetGlyphSquare(R);
    // The glyph square keeps the bar's face; the rest of a selected line takes the selection colour.
    const RECT line{State.HasGlyph ? square.right : R.left, R.top, R.right, R.bottom};
    // An unselected line lies on the menu's own background (its picture, when it has one).
    FillControlBackground(DC, R, GetBarBrush(State), false, State);
    if (State.Hot) FillSolid(DC, line, GetSelectedBrush(State));
    RECT glyph = square;
    InflateRect(&glyph, -1, -1);
    if (!State.HasGlyph) {
        TubBarItemPaintState s = State;
        s.Hot = false;  // the check mark sits on the line's own colour
        DrawEmptyGlyphArea(DC, glyph, State.Hot ? GetSelectedBrush(State) : GetBarBrush(State), s, State.LargeFont);
    } else if (State.Down) {
        RECT framed = square;
        DrawEdge(DC, &framed, BDR_SUNKENOUTER, BF_RECT);
    }
    DrawItemText(DC, RECT{square.right + 4, R.top, R.right, R.bottom}, Caption, State.Enabled, State.Hot, DT_LEFT);
}

void TubBarItemControlStandardPainter::DrawLoweredFrame(HDC DC, RECT& R) const {
    DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&R, -1, -1);
}

void TubBarItemControlStandardPainter::DrawEditFrame(HDC DC, RECT& R, const TubBarItemPaintState& State) const {
    HBRUSH brush = GetBarBrush(State);
    if (State.Hot) DrawEdge(DC, &R, EdgeFor(State), BF_RECT);
    else FrameRect(DC, &R, brush);
    InflateRect(&R, -1, -1);
    FillSolid(DC, R, brush);
}

HBRUSH TubBarItemControlStandardPainter::GetButtonBrush(const TubBarItemPaintState& State) const {
    // A down toolbar button shows the dithered face; a checked menu entry with a glyph the highlight's light.
    if (State.Enabled && State.Down && !InMenu(State)) return DitherBrush();
    if (State.Enabled && State.Pressed) return GetSysColorBrush(COLOR_BTNFACE);
    if (State.Down && InMenu(State) && State.HasGlyph) return GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    return GetBarBrush(State);
}

void TubBarItemControlStandardPainter::DrawCloseButton(HDC DC, const RECT& R, bool /*Hot*/, bool Pressed,
                                                       const TubBarItemPaintState& State) const {
    FrameRect(DC, &R, GetBarBrush(State));
    RECT r = R;
    InflateRect(&r, -1, -1);
    DrawFrameControl(DC, &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | (Pressed ? DFCS_PUSHED : 0));
}

void TubBarItemControlStandardPainter::DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH /*Brush*/,
                                                         const TubBarItemPaintState& /*State*/) const {
    RECT r = R;
    DrawEdge(DC, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    for (int i = 0; i < 2; ++i) {
        FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
        InflateRect(&r, -1, -1);
    }
}

void TubBarItemControlStandardPainter::DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    const int at = GetGripOffset();
    RECT grip = State.VerticalBar ? RECT{R.left + 2, R.top + at, R.right - 2, R.top + at + 3}
                                  : RECT{R.left + at, R.top + 2, R.left + at + 3, R.bottom - 2};
    FillSolid(DC, grip, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(DC, &grip, BDR_RAISEDINNER, BF_RECT);
    // The highlight pixel at the grip's outer corner.
    const RECT corner = State.VerticalBar ? RECT{grip.left, grip.bottom - 1, grip.left + 1, grip.bottom}
                                          : RECT{grip.right - 1, grip.top, grip.right, grip.top + 1};
    FillSolid(DC, corner, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

RECT TubBarItemControlStandardPainter::GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const {
    if (State.DockingStyle == dsLeft || State.DockingStyle == dsRight)
        return RECT{BarRect.right - 9, BarRect.bottom - 11, BarRect.right, BarRect.bottom};
    return RECT{BarRect.right - 11, BarRect.top, BarRect.right, BarRect.top + 9};
}

void TubBarItemControlStandardPainter::DrawDropDownArrowPart(HDC DC, const RECT& R,
                                                             const TubBarItemPaintState& State) const {
    RECT r = R;
    FillControlBackground(DC, r, GetButtonBrush(State), State.Pressed || State.Down, State);
    if (State.Bar == bwkSubMenu) {
        DrawSubMenuArrow(DC, r, State.Enabled, State.Hot);
        return;
    }
    if (State.Pressed || State.Down || State.MenuOpen || State.Hot)
        DrawEdge(DC, &r, State.Pressed || State.Down || State.MenuOpen ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    if (State.Pressed || State.MenuOpen) OffsetRect(&r, 1, 1);
    DrawComboArrow(DC, r, State.Enabled ? clBtnText : clGrayText);
}

void TubBarItemControlStandardPainter::DrawComboButton(HDC DC, const RECT& R, bool DroppedDown,
                                                       const TubBarItemPaintState& State) const {
    RECT r = R;
    FillSolid(DC, r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(DC, &r, DroppedDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (DroppedDown) OffsetRect(&r, 1, 1);
    DrawComboArrow(DC, r, State.Enabled ? clBtnText : clGrayText);
}

void TubBarItemControlStandardPainter::OffsetPressedGlyph(RECT& R, const TubBarItemPaintState& State) const {
    if (State.Down) OffsetRect(&R, 1, 1);
    if (State.Pressed) OffsetRect(&R, 1, 1);
}

void TubBarItemControlStandardPainter::OffsetPressedItemGlyph(RECT& R, const TubBarItemPaintState& State) const {
    if (State.Pressed) OffsetRect(&R, 1, 1);
}

void TubBarItemControlStandardPainter::DrawMenuSeparator(HDC DC, const RECT& R,
                                                         const TubBarItemPaintState& /*State*/) const {
    RECT r{R.left, (R.top + R.bottom) / 2 - 1, R.right, (R.top + R.bottom) / 2 + 1};
    DrawEdge(DC, &r, EDGE_ETCHED, BF_TOP);
}

void TubBarItemControlStandardPainter::FillSubMenuPart(HDC DC, const RECT& R, bool Hot, bool Pressed) const {
    RECT r = R;
    FillSolid(DC, r, GetSysColorBrush(Hot || Pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (Hot || Pressed) DrawEdge(DC, &r, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void TubBarItemControlStandardPainter::SetEditMargins(HWND Edit) const {
    if (Edit != nullptr) SendMessage(Edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
}

// ---- Enhanced -------------------------------------------------------------------------------------------------

void TubBarItemControlEnhancedPainter::DrawBarBorder(HDC DC, const RECT& R, HBRUSH Brush,
                                                     const TubBarItemPaintState& State) const {
    RECT r = R;
    if (State.BorderStyle != 0) DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    else if (Brush != nullptr) {
        FrameRect(DC, &r, Brush);
        InflateRect(&r, -1, -1);
    }
    DrawBarBackground(DC, r, State);
    if (State.DockingStyle != dsNone) DrawBarGrip(DC, GetGripRect(r, State), State);
}

void TubBarItemControlEnhancedPainter::DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    const int at = GetGripOffset();
    for (int i = 0; i < 2; ++i) {
        // Two 3-pixel raised lines with a one-pixel gap of button face between them.
        const int start = at + i * 4;
        RECT line = State.VerticalBar ? RECT{R.left + 1, R.top + start, R.right - 1, R.top + start + 3}
                                      : RECT{R.left + start, R.top + 1, R.left + start + 3, R.bottom - 1};
        FillSolid(DC, line, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(DC, &line, BDR_RAISEDINNER, BF_RECT);
    }
}

RECT TubBarItemControlEnhancedPainter::GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const {
    if (State.DockingStyle == dsLeft || State.DockingStyle == dsRight)
        return RECT{BarRect.left, BarRect.bottom - 11, BarRect.right, BarRect.bottom};
    return RECT{BarRect.right - 11, BarRect.top, BarRect.right, BarRect.bottom};
}

}  // namespace zel
