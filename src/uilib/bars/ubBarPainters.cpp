#include "uilib/bars/ubBarPainters.h"

#include <algorithm>
#include <vector>

#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarDropDown.h"
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

TubBarPainterClass BarPainterOf(const TubBarManager* AManager) {
    if (AManager == nullptr) return BarPainterClass<TubBarItemControlPainter>();  // a bar window without a manager
    switch (AManager->PainterKind()) {
        case bpkFlat: return BarPainterClass<TubBarItemControlFlatPainter>();
        case bpkOffice11: return BarPainterClass<TubBarItemControlOffice11Painter>();
        default: return BarPainterClass<TubBarItemControlPainter>();
    }
}

}  // namespace zel
