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
    // A look that paints the button's background first has already drawn what lies under the glyph.
    if (!PaintBackgroundFirst()) FillControlBackground(DC, R, Brush, State.Hot || State.Down, State);
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

namespace {

// A caption without its accelerator mark ("&&" stands for "&"), and the index of the accelerator's
// character in it (-1 for none).
std::string StripAccelerator(const std::string& Text, int& Accelerator) {
    std::string out;
    Accelerator = -1;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&') {
            if (i + 1 == Text.size()) break;  // a lone mark at the end marks nothing
            ++i;
            if (Text[i] != '&' && Accelerator < 0) Accelerator = static_cast<int>(out.size());
        }
        out += Text[i];
    }
    return out;
}

int TextWidth(HDC DC, const std::string& S) {
    SIZE sz{};
    GetTextExtentPoint32(DC, S, static_cast<int>(S.size()), &sz);
    return sz.cx;
}

// The escapement of the font selected into the DC, in tenths of a degree.
int FontEscapement(HDC DC) {
    LOGFONT lf{};
    HGDIOBJ font = GetCurrentObject(DC, OBJ_FONT);
    if (font == nullptr || GetObject(font, sizeof(lf), &lf) == 0) return 0;
    return lf.lfEscapement;
}

}  // namespace

void TubBarItemControlPainter::DrawItemText(HDC DC, const RECT& R, const std::string& Text, bool Enabled, bool Selected,
                                            UINT Alignment, bool AllowFlat, bool Horizontal) const {
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const TColor color = GetTextColors(Enabled, FlatText() && AllowFlat, Selected);
    const COLORREF oldColor = GetTextColor(DC);
    // Rotated text is centred, and the accelerator's underline drawn as a line along the text. An
    // escapement of 90 degrees runs the text upwards, any other downwards.
    int accelerator = -1;
    const std::string shown = Horizontal ? std::string() : StripAccelerator(Text, accelerator);
    TEXTMETRIC tm{};
    int x = 0, y = 0, from = 0, to = 0;
    const bool upwards = !Horizontal && FontEscapement(DC) == 900;
    if (!Horizontal) {
        GetTextMetrics(DC, &tm);
        const int width = TextWidth(DC, shown);
        x = upwards ? (R.left + R.right - tm.tmHeight) / 2 : (R.left + R.right + tm.tmHeight) / 2;
        y = upwards ? (R.top + R.bottom + width) / 2 : (R.top + R.bottom - width) / 2;
        if (accelerator >= 0) {
            from = TextWidth(DC, shown.substr(0, static_cast<std::size_t>(accelerator)));
            to = TextWidth(DC, shown.substr(0, static_cast<std::size_t>(accelerator) + 1));
        }
    }
    // One pass of the text in a colour, moved by (Dx, Dy).
    auto pass = [&](TColor C, int Dx, int Dy) {
        SetTextColor(DC, Rgb(C));
        if (Horizontal) {
            RECT r = R;
            OffsetRect(&r, Dx, Dy);
            DrawText(DC, Text, static_cast<int>(Text.size()), &r, DT_SINGLELINE | DT_VCENTER | Alignment);
            return;
        }
        TextOut(DC, x + Dx, y + Dy, shown, static_cast<int>(shown.size()));
        if (to > from) {
            const int lineX = upwards ? x + tm.tmAscent + 1 : x - tm.tmAscent - 2;
            const RECT line =
                upwards ? RECT{lineX, y - to, lineX + 1, y - from} : RECT{lineX, y + from, lineX + 1, y + to};
            FillRectWithColor(DC, RECT{line.left + Dx, line.top + Dy, line.right + Dx, line.bottom + Dy}, C);
        }
    };
    if (color == clNone) {
        // The embossed look: a highlight copy one pixel right and down, then the shadow in place.
        pass(clBtnHighlight, 1, 1);
        pass(clBtnShadow, 0, 0);
    } else {
        pass(color, 0, 0);
    }
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

// ---- base painter: button and glyph drawing

void TubBarItemControlPainter::DrawButtonContent(HDC DC, const RECT& R, HBRUSH Brush, const TubBarItemPaintState& State,
                                                 const TubBarGlyph& Glyph, const RECT& GlyphRect) const {
    if (!PaintBackgroundFirst()) FillControlBackground(DC, R, Brush, State.Hot || State.Down || State.Pressed, State);
    TubGlyphDrawParams p;
    p.DestRect = GlyphRect;
    p.GlyphRect = GlyphRect;
    p.KeepBackground = true;
    p.Images = Glyph.Images;
    p.ImageIndex = Glyph.ImageIndex;
    p.Glyph = Glyph.Bitmap != nullptr && !Glyph.Bitmap->Empty() ? Glyph.Bitmap : nullptr;
    p.Enabled = State.Enabled || Glyph.UseDisabledImages;
    p.TintColor = p.Enabled ? clNone : Glyph.FadedColor;
    p.Hot = State.Hot;
    p.FlatLook = FlatText();
    DrawGlyph(DC, p);
}

// ---- base painter: floating-bar caption

void TubBarItemControlPainter::DrawCaptionBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    FillRectWithColor(DC, R, GetCaptionColor(State.ActiveCaption));
}

void TubBarItemControlPainter::DrawDragCaption(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    TubBarItemPaintState active = State;
    active.ActiveCaption = true;
    DrawCaptionBackground(DC, R, active);
}

void TubBarItemControlPainter::DrawCloseGlyph(HDC DC, const RECT& R, TColor Color) const {
    // Two strokes two pixels wide corner to corner of the largest square inside R less 3 pixels each side.
    const int n = std::min(R.right - R.left, R.bottom - R.top) - 6;
    if (n < 3) return;
    const int x = (R.left + R.right - n) / 2, y = (R.top + R.bottom - n) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, Rgb(Color));
    HBRUSH brush = CreateSolidBrush(Rgb(Color));
    HGDIOBJ oldPen = SelectObject(DC, pen), oldBrush = SelectObject(DC, brush);
    const POINT down[] = {{x, y}, {x + 1, y}, {x + n - 1, y + n - 1}, {x + n - 2, y + n - 1}};
    const POINT up[] = {{x + n - 2, y}, {x + n - 1, y}, {x + 1, y + n - 1}, {x, y + n - 1}};
    Polygon(DC, down, 4);
    Polygon(DC, up, 4);
    SelectObject(DC, oldPen);
    SelectObject(DC, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void TubBarItemControlPainter::DrawCaptionButtons(HDC DC, const RECT& ButtonRect, bool Hot, bool Pressed,
                                                  const TubBarItemPaintState& State) const {
    DrawCaptionButton(DC, ButtonRect, Hot, Pressed, State);
    RECT glyph = ButtonRect;
    if (Pressed) OffsetRect(&glyph, 1, 1);
    // A hot or pressed button's glyph takes the colour of its state.
    const bool active = State.ActiveCaption && !Hot && !Pressed;
    DrawCaptionCloseGlyph(DC, glyph, active ? GetCaptionTextColor() : GetInactiveCaptionTextColor(Hot, Pressed));
    AfterCaptionButton(DC, ButtonRect, State);
}

void TubBarItemControlPainter::DrawMark(HDC DC, const RECT& R, bool HasHiddenLinks,
                                        const TubBarItemPaintState& State) const {
    if (R.right - R.left < 4 || R.bottom - R.top < 4) return;
    // The mark's outline: its corners away from the bar cut by two pixels.
    const POINT outline[] = {{R.left, R.top},         {R.right - 2, R.top},    {R.right, R.top + 2},
                             {R.right, R.bottom - 2}, {R.right - 2, R.bottom}, {R.left, R.bottom}};
    TubSavedClip saved = SaveClipRegion(DC);
    HRGN region = CreatePolygonRgn(outline, 6, WINDING);
    ExtSelectClipRgn(DC, region, RGN_AND);
    DeleteObject(region);
    TColor color = GetTextColors(State.Enabled, FlatText(), State.Hot);
    if (color == clNone) color = clBtnShadow;
    DrawMarkArrows(DC, R, HasHiddenLinks, color, State);
    RestoreClipRegion(DC, saved);
    AfterMark(DC, R, State);
}

void TubBarItemControlPainter::DrawMarkArrows(HDC DC, const RECT& R, bool HasHiddenLinks, TColor Color,
                                              const TubBarItemPaintState& State) const {
    HBRUSH brush = CreateSolidBrush(Rgb(Color));
    // Drawn for a horizontal bar in (u, v) = (across the mark, along it); a vertical bar swaps them.
    auto dot = [&](int u, int v, int w, int h) {
        FillSolid(DC,
                  State.VerticalBar ? RECT{R.left + v, R.top + u, R.left + v + h, R.top + u + w}
                                    : RECT{R.left + u, R.top + v, R.left + u + w, R.top + v + h},
                  brush);
    };
    const int across = State.VerticalBar ? R.bottom - R.top : R.right - R.left;
    const int along = State.VerticalBar ? R.right - R.left : R.bottom - R.top;
    const int mid = across / 2;
    if (HasHiddenLinks)  // two chevrons pointing along the bar
        for (int i = 0; i < 3; ++i) {
            const int w = i == 1 ? 2 : 1;
            dot(mid - 3 + (i == 1 ? 1 : 0), 4 + i, w, 1);
            dot(mid + 1 + (i == 1 ? 1 : 0), 4 + i, w, 1);
        }
    // The small arrow of the customize menu, 5 pixels wide, near the far end.
    for (int i = 0; i < 3; ++i) dot(mid - 2 + i, along - 7 + i, 5 - 2 * i, 1);
    DeleteObject(brush);
}

void TubBarItemControlPainter::DrawCaptionText(HDC DC, const RECT& R, const std::string& Text, TColor Color) const {
    TEXTMETRIC tm{};
    GetTextMetrics(DC, &tm);
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(DC, Rgb(Color));
    ExtTextOut(DC, R.left, (R.top + R.bottom - tm.tmHeight) / 2, ETO_CLIPPED, &R, Text, static_cast<UINT>(Text.size()),
               nullptr);
    SetTextColor(DC, oldColor);
    SetBkMode(DC, oldMode);
}

// ---- base painter: item drawing core

void TubBarItemControlPainter::DrawSeparatorFill(HDC DC, const RECT& R) const {
    FillSolid(DC, R, GetSysColorBrush(COLOR_BTNSHADOW));
}

SIZE TubBarItemControlPainter::GlyphSize(const TubBarGlyph& Glyph, const TubBarItemPaintState& State,
                                         bool InMenu) const {
    SIZE size{16, 16};
    if (Glyph.Bitmap != nullptr && !Glyph.Bitmap->Empty()) {
        size = SIZE{Glyph.Bitmap->GetWidth(), Glyph.Bitmap->GetHeight()};
    } else if (Glyph.Images != nullptr) {
        size = SIZE{Glyph.Images->GetWidth(), Glyph.Images->GetHeight()};
    } else if (State.Manager != nullptr) {
        size = SIZE{State.Manager->ImageSize(), State.Manager->ImageSize()};
    }
    if (InMenu) {
        // Stretched glyphs follow the line's height, with room for the glyph's 2 spare pixels.
        const bool stretch = State.Manager == nullptr || State.Manager->StretchGlyphs;
        const int room = State.LineHeight - 2;
        if (stretch && room > 0 && size.cy > 0 && size.cy != room) {
            size.cx = MulDiv(size.cx, room, size.cy);
            size.cy = room;
        }
    } else if (Glyph.Large && !Glyph.HasLargeImages) {
        size.cx *= 2;
        size.cy *= 2;
    }
    return size;
}

void TubBarItemControlPainter::DrawGlyphButton(HDC DC, const RECT& R, const TubBarItemPaintState& State,
                                               const TubBarGlyph& Glyph, bool InMenu) const {
    const SIZE size = GlyphSize(Glyph, State, InMenu);
    RECT glyph{R.left + (R.right - R.left - size.cx) / 2, R.top + (R.bottom - R.top - size.cy) / 2, 0, 0};
    glyph.right = glyph.left + size.cx;
    glyph.bottom = glyph.top + size.cy;
    if (State.Pressed) OffsetRect(&glyph, GetPressedGlyphOffsetX(), GetPressedGlyphOffsetY());
    if (State.Down) OffsetRect(&glyph, GetDownGlyphOffset(), GetDownGlyphOffset());
    DrawGlyphButtonParts(DC, R, State, Glyph, glyph);
}

void TubBarItemControlPainter::DrawGlyphButtonParts(HDC DC, const RECT& R, const TubBarItemPaintState& State,
                                                    const TubBarGlyph& Glyph, const RECT& GlyphRect) const {
    TubBarItemPaintState s = State;
    s.GlyphFits = GlyphFits(R, SIZE{GlyphRect.right - GlyphRect.left, GlyphRect.bottom - GlyphRect.top});
    const bool hasImage =
        (Glyph.Bitmap != nullptr && !Glyph.Bitmap->Empty()) ||
        (Glyph.Images != nullptr && Glyph.ImageIndex >= 0 && Glyph.ImageIndex < Glyph.Images->Count());
    HBRUSH brush = GetButtonBrush(s);
    if (PaintBackgroundFirst()) DrawButtonBackground(DC, R, brush, s);
    if (!s.GlyphFits || !hasImage) DrawEmptyGlyphArea(DC, R, brush, s, State.LargeFont);
    else DrawButtonContent(DC, R, brush, s, Glyph, GlyphRect);
    if (!PaintBackgroundFirst()) DrawButtonBackground(DC, R, brush, s);
}

void TubBarItemControlPainter::DrawEditBorder(HDC DC, RECT& R) const {
    DrawEdge(DC, &R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

void TubBarItemControlPainter::GetItemColors(const TubBarItemPaintState& State, int& ColorValue, HBRUSH& Brush) const {
    ColorValue = 18;
    Brush = GetBackgroundBrush(State);
}

// ---- base painter: bar metrics and backgrounds

int TubBarItemControlPainter::GetFloatingFrameHeight() const { return GetSystemMetrics(SM_CYFRAME); }

void TubBarItemControlPainter::DrawBarBackgroundRect(HDC DC, const RECT& R, const RECT& BarBounds,
                                                     const TubBarItemPaintState& State) const {
    RECT r{};
    if (IntersectRect(&r, &R, &BarBounds)) DrawBarBackground(DC, r, State);
}

HBRUSH TubBarItemControlPainter::GetDockBrush(const TubBarItemPaintState& State) const { return GetBarBrush(State); }

HBRUSH TubBarItemControlPainter::GetBackgroundBrush(const TubBarItemPaintState& State) const {
    return State.BarBrush != nullptr ? State.BarBrush : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TubBarItemControlPainter::GetButtonFaceBrush(const TubBarItemPaintState& /*State*/) const {
    return GetSysColorBrush(COLOR_BTNFACE);
}

RECT TubBarItemControlPainter::GetGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const {
    return State.VerticalBar ? RECT{BarRect.left, BarRect.top, BarRect.right, BarRect.top + 16}
                             : RECT{BarRect.left, BarRect.top, BarRect.left + 16, BarRect.bottom};
}

void TubBarItemControlPainter::DrawBarFrame(HDC DC, const RECT& R, HBRUSH Brush) const { FillSolid(DC, R, Brush); }

int TubBarItemControlPainter::GetSmallCaptionHeight() const {
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) && metrics.iSmCaptionHeight > 0)
        return metrics.iSmCaptionHeight;
    return GetSystemMetrics(SM_CYSMCAPTION);
}

SIZE TubBarItemControlPainter::GetCaptionButtonsSize() const {
    const int h = GetSmallCaptionHeight();
    return SIZE{h, h};
}

// ---- base painter: bar drawing

void TubBarItemControlPainter::DrawMarkBackground(HDC DC, const RECT& R, bool Hot, bool Pressed,
                                                  const TubBarItemPaintState& State) const {
    if (Hot || Pressed) {
        RECT r = R;
        DrawEdge(DC, &r, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        FillSolid(DC, r, Pressed ? GetSysColorBrush(COLOR_BTNSHADOW) : GetSelectedBrush(State));
    } else {
        FillSolid(DC, R, GetBarBrush(State));
    }
}

void TubBarItemControlPainter::DrawQuickWindowFrame(HDC DC, const RECT& R, HBRUSH Brush,
                                                    const TubBarItemPaintState& State) const {
    FillRect(DC, &R, Brush);
    DrawFloatingFrame(DC, R, Brush, State);
}

void TubBarItemControlPainter::DrawFloatingCaption(HDC DC, const RECT& R, const std::string& Caption,
                                                   const TubBarItemPaintState& State) const {
    DrawCaptionBackground(DC, R, State);
    NONCLIENTMETRICS metrics;
    HFONT font = nullptr;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font = CreateFontIndirect(&metrics.lfSmCaptionFont);
    HGDIOBJ old = font != nullptr ? SelectObject(DC, font) : nullptr;
    RECT text = R;
    text.left += 2;
    DrawCaptionText(DC, text, Caption,
                    State.ActiveCaption ? GetCaptionTextColor() : GetInactiveCaptionTextColor(false, false));
    if (old != nullptr) SelectObject(DC, old);
    if (font != nullptr) DeleteObject(font);
}

void TubBarItemControlPainter::DrawCaptionParts(HDC DC, const RECT& ButtonRect, bool Hot, bool Pressed,
                                                const TubBarItemPaintState& State) const {
    BeforeCaptionParts(DC, ButtonRect, State);
    DrawCaptionButtons(DC, ButtonRect, Hot, Pressed, State);
}

void TubBarItemControlPainter::DrawBarGrip(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    // Two raised lines along the bar's start.
    const int size = GetGripSize();
    for (int i = 0; i < 2; ++i) {
        const int at = GetGripOffset() + i * (size / 2);
        RECT line = State.VerticalBar ? RECT{R.left + 2, R.top + at, R.right - 2, R.top + at + 3}
                                      : RECT{R.left + at, R.top + 2, R.left + at + 3, R.bottom - 2};
        DrawEdge(DC, &line, BDR_RAISEDINNER, BF_RECT);
    }
}

void TubBarItemControlPainter::InvalidateGripArea(HWND Bar, const RECT& GripRect,
                                                  const TubBarItemPaintState& State) const {
    if (Bar == nullptr) return;
    if (State.DockingStyle != dsNone) InvalidateRect(Bar, &GripRect, FALSE);
    else SendMessage(Bar, WM_NCPAINT, 1, 0);
}

void TubBarItemControlPainter::DrawBitmapBackground(HDC DC, const RECT& R, const RECT& Origin, TBitmap* Bitmap,
                                                    HBRUSH Brush) const {
    FillBackground(DC, R, Origin, Bitmap, clBtnFace, Brush);
}

SIZE TubBarItemControlPainter::GetSizeGripSize(const TubBarItemPaintState& /*State*/) const {
    return SIZE{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

RECT TubBarItemControlPainter::GetGlyphSquare(const RECT& Line) const {
    return RECT{Line.left, Line.top, Line.left + (Line.bottom - Line.top), Line.bottom};
}

// ---- base painter: items and sub-menus

int TubBarItemControlPainter::GetSubItemHeight(const TubBarItemPaintState& State, int LineHeight,
                                               const TubBarManagerSizes& Sizes, bool ShowCaption) const {
    if (State.Bar == bwkSubMenu) return LineHeight;
    int height = 0;
    if (State.HasGlyph || !ShowCaption) height = State.Rotated ? Sizes.ButtonWidth : Sizes.ButtonHeight;
    if (height == 0 || (ShowCaption && height < LineHeight)) height = LineHeight;
    return height;
}

void TubBarItemControlPainter::DrawSubItem(HDC DC, const RECT& R, const std::string& Caption, bool ShowCaption,
                                           const TubBarItemPaintState& State, const TubBarGlyph& Glyph) const {
    if (R.right <= R.left || R.bottom <= R.top) return;
    const int l = State.LineHeight > 0 ? State.LineHeight : R.bottom - R.top;
    if (State.Bar == bwkSubMenu) {
        DrawMenuLine(DC, R, Caption, State);
        if (State.HasGlyph) DrawGlyphButton(DC, GetGlyphSquare(R), State, Glyph, true);
        const RECT arrow{R.right + State.ArrowSize - l, R.top, R.right - l / 2 + State.ArrowSize, R.bottom};
        DrawSubMenuArrowColored(DC, arrow, State.Enabled, State.Hot);
        return;
    }
    DrawGlyphButton(DC, R, State, Glyph, false);
    const TubBarManagerSizes sizes = State.Manager != nullptr ? ManagerSizes(State.Manager) : TubBarManagerSizes{};
    RECT text = R;
    if (State.HasGlyph) {
        if (State.Rotated) text.top += sizes.ButtonHeight;
        else text.left += sizes.ButtonWidth;
    } else if (State.Rotated) {
        text.top += GetHalfFontHeight(State.FontHeight, State);
    } else {
        text.left += GetHalfFontHeight(State.FontHeight, State);
    }
    if (State.Pressed && !HighlightsMainMenuSubItems()) OffsetRect(&text, 1, 1);
    const bool arrow = State.Bar != bwkMainMenu;
    if (arrow) {
        if (State.Rotated) text.bottom -= l / 2;
        else text.right -= l / 2;
    }
    if (ShowCaption)
        DrawItemText(DC, text, Caption, State.Enabled, State.Hot && State.Bar == bwkMainMenu, DT_LEFT, true,
                     !State.Rotated);
    if (arrow) {
        // A small down arrow after the caption, centred on the font.
        const int n = std::max(1, State.ArrowSize - 1);
        const int x =
            State.Rotated ? (R.left + R.right - (2 * n - 1)) / 2 : R.right - l / 2 + (l / 2 - (2 * n - 1)) / 2;
        const int y = State.Rotated ? R.bottom - l / 2 + (l / 2 - n) / 2 : (R.top + R.bottom - n) / 2;
        TColor color = GetTextColors(State.Enabled, FlatText(), false);
        if (color == clNone) color = clBtnShadow;
        HBRUSH brush = CreateSolidBrush(Rgb(color));
        for (int i = 0; i < n; ++i) FillSolid(DC, RECT{x + i, y + i, x + 2 * n - 1 - i, y + i + 1}, brush);
        DeleteObject(brush);
    }
}

TubSubMenuMetrics TubBarItemControlPainter::CalcSubMenuMetrics(int TextHeight) const {
    TubSubMenuMetrics m;
    m.TextHeight = TextHeight + 1;
    m.LineHeight = AdjustMenuLineHeight(m.TextHeight + 6);
    m.GlyphColumn = 19;
    return m;
}

RECT TubBarItemControlPainter::GetSubMenuClientRect(const RECT& WindowRect) const {
    RECT r{0, 0, WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top};
    DeflateSubMenuRect(r);
    return r;
}

SIZE TubBarItemControlPainter::AdjustSubMenuSize(SIZE Measured, const TubSubMenuMetrics& Metrics) const {
    SIZE s = Measured;
    s.cx = s.cx == 0 ? 100 : s.cx + Metrics.GlyphColumn + 6;
    if (s.cy < 3) s.cy += Metrics.LineHeight;
    s.cy += 4;
    return s;
}

void TubBarItemControlPainter::DrawSubMenuEdge(HDC DC, const RECT& R) const {
    FillSolid(DC, RECT{R.left, R.top, R.right, R.top + 1}, GetSysColorBrush(COLOR_BTNFACE));
    FillSolid(DC, RECT{R.left, R.bottom - 1, R.right, R.bottom}, GetSysColorBrush(COLOR_BTNFACE));
}

void TubBarItemControlPainter::DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH Brush) const {
    RECT r = R;
    DrawEdge(DC, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FrameRect(DC, &r, Brush);
}

void TubBarItemControlPainter::FillSubMenuPart(HDC DC, const RECT& R, bool Hot, bool Pressed) const {
    FillSolid(DC, R, GetSysColorBrush(Pressed ? COLOR_BTNSHADOW : Hot ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
}

void TubBarItemControlPainter::DrawSubMenuSeparator(HDC DC, const RECT& R, int GlyphColumnWidth) const {
    const int y = R.top + GetSubMenuSeparatorOffset(R.bottom - R.top);
    RECT line{R.left + GlyphColumnWidth, y, R.right, y + 2};
    DrawEdge(DC, &line, EDGE_ETCHED, BF_TOP);
}

void TubBarItemControlPainter::DrawListItem(HDC DC, const RECT& R, const std::string& Text, HBRUSH Brush,
                                            TColor TextColor) const {
    FillSolid(DC, R, Brush);
    RECT text = R;
    text.left += 2;
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(DC, Rgb(TextColor));
    DrawText(DC, Text, static_cast<int>(Text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(DC, oldColor);
    SetBkMode(DC, oldMode);
}

void TubBarItemControlPainter::DrawEditCaption(HDC DC, const RECT& R, const std::string& Caption,
                                               const TubBarItemPaintState& State) const {
    FillControlBackground(DC, R, GetBarBrush(State), State.Bar == bwkSubMenu, State);
    RECT text = R;
    text.left += 2;
    DrawItemText(DC, text, Caption, State.Enabled, false, DT_LEFT);
}

void TubBarItemControlPainter::DrawEditText(HDC DC, const RECT& R, const std::string& Text,
                                            const TubBarItemPaintState& State) const {
    TColor text = clWindowText, back = clWindow;
    GetDisabledTextColor(State.Enabled, text, back);
    TubSavedClip saved = SaveClipRegion(DC);
    IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(DC, Rgb(text));
    RECT r = R;
    r.left += 2;
    DrawText(DC, Text, static_cast<int>(Text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(DC, oldColor);
    SetBkMode(DC, oldMode);
    RestoreClipRegion(DC, saved);
}

void TubBarItemControlPainter::DrawEditFace(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    FillSolid(DC, R, State.Enabled ? GetSysColorBrush(COLOR_WINDOW) : GetBarBrush(State));
}

void TubBarItemControlPainter::AdjustDropDownClientRect(RECT& R, bool HasBand, int Corner) const {
    ::zel::AdjustDropDownClientRect(R, HasBand, Corner);
}

void TubBarItemControlPainter::DrawDropDownNonClient(HWND Window, bool HasBand, int Corner, RECT& GripRect,
                                                     RECT& CloseRect, bool CloseHot, bool ClosePressed) const {
    PaintDropDownNonClient(Window, HasBand, DropDownFlat(), Corner, GripRect, CloseRect, CloseHot, ClosePressed);
}

int TubBarItemControlPainter::GetDropDownFooterHeight() const { return ::zel::GetDropDownFooterHeight(); }

void TubBarItemControlPainter::DrawCheckBox(HDC DC, const RECT& R, bool Checked, bool Enabled) const {
    RECT r = R;
    if (Checked) {
        DrawFrameControl(DC, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | (Enabled ? 0 : DFCS_INACTIVE));
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, Rgb(Enabled ? clBtnText : clBtnShadow));
    HGDIOBJ old = SelectObject(DC, pen);
    HGDIOBJ oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
    Rectangle(DC, r.left, r.top, r.right, r.bottom);
    SelectObject(DC, oldBrush);
    SelectObject(DC, old);
    DeleteObject(pen);
}

void TubBarItemControlPainter::DrawSpinButton(HDC DC, const RECT& R, bool Up, bool Pressed, bool Enabled) const {
    RECT r = R;
    DrawFrameControl(
        DC, &r, DFC_SCROLL,
        (Up ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | (Pressed ? DFCS_PUSHED : 0) | (Enabled ? 0 : DFCS_INACTIVE));
}

void TubBarItemControlPainter::DrawSpinFrame(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    FillSolid(DC, RECT{R.left, R.top, R.left + 1, R.bottom}, GetBarBrush(State));
    FillSolid(DC, RECT{R.right - 1, R.top, R.right, R.bottom}, GetBarBrush(State));
}

void TubBarItemControlPainter::DrawStatic(HDC DC, const RECT& R, const std::string& Caption, UINT Alignment,
                                          const TubBarItemPaintState& State) const {
    FillControlBackground(DC, R, GetBarBrush(State), false, State);
    DrawItemText(DC, R, Caption, State.Enabled, false, Alignment);
}

TubBarPainterClass BarPainterOf(const TubBarManager* AManager) {
    if (AManager == nullptr) return BarPainterClass<TubBarItemControlPainter>();  // a bar window without a manager
    switch (AManager->PainterKind()) {
        case bpkStandard: return BarPainterClass<TubBarItemControlStandardPainter>();
        case bpkEnhanced: return BarPainterClass<TubBarItemControlEnhancedPainter>();
        case bpkFlat: return BarPainterClass<TubBarItemControlFlatPainter>();
        case bpkXP: return BarPainterClass<TubBarItemControlXPPainter>();
        case bpkOffice11: return BarPainterClass<TubBarItemControlOffice11Painter>();
        default: return BarPainterClass<TubBarItemControlPainter>();
    }
}

}  // namespace zel
