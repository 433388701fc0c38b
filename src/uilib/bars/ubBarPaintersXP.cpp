// The XP painter: the native look drawn by the visual-styles service. Sizes are asked of the theme; a theme
// that cannot be opened (or a query it refuses) leaves the base look's size, so the bars keep a usable layout.
#include <algorithm>

#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarPaintersInternal.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"

namespace zel {

using namespace bar_painters;

namespace {

// Parts and properties of the theme classes the look draws with.
constexpr int kToolbarButton = 1, kToolbarDropDownButton = 3, kToolbarSplitDropDown = 4, kToolbarGrip = 5,
              kToolbarSeparator = 5, kToolbarSeparatorVert = 6;
constexpr int kRebarGripper = 1, kRebarBackground = 0;
constexpr int kComboDropDownButton = 1;
constexpr int kEditText = 1;
constexpr int kWindowSmallCloseButton = 19;
constexpr int kStatusGripper = 3;
constexpr int kProgressBar = 1, kProgressBarVert = 2, kProgressChunk = 3, kProgressChunkVert = 4;
constexpr int kSpinUp = 1, kSpinDown = 2;
constexpr int kScrollBarSizeBox = 10;
constexpr int kTmtFillColor = 3802;

// The size of a part; false when the theme is not open or refuses the query.
bool PartSize(TubThemeObjectKind Kind, int Part, int State, THEMESIZE SizeKind, SIZE& Size, HDC DC = nullptr) {
    HTHEME theme = OpenThemeForType(Kind);
    SIZE s{};
    if (theme == nullptr || GetThemePartSizeNoRect(theme, DC, Part, State, SizeKind, &s) != S_OK) return false;
    Size = s;
    return true;
}

// What a part's content margins take across a 100 x 100 rectangle (outer height less content height).
bool ContentMarginAcross(TubThemeObjectKind Kind, int Part, int State, int& Margin) {
    HTHEME theme = OpenThemeForType(Kind);
    const RECT bounds{0, 0, 100, 100};
    RECT content{};
    if (theme == nullptr || GetThemeBackgroundContentRect(theme, nullptr, Part, State, &bounds, &content) != S_OK)
        return false;
    Margin = (bounds.bottom - bounds.top) - (content.bottom - content.top);
    return true;
}

void DrawPart(TubThemeObjectKind Kind, HDC DC, int Part, int State, const RECT& R) {
    HTHEME theme = OpenThemeForType(Kind);
    if (theme != nullptr) DrawThemeBackground(theme, DC, Part, State, &R, nullptr);
}

// A toolbar button's state: disabled, pressed, checked, hot or normal.
int ButtonState(const TubBarItemPaintState& State) {
    if (!State.Enabled) return 4;
    if (State.Pressed) return 3;
    if (State.Down) return 5;
    if (State.Hot) return 2;
    return 1;
}

// The state of a drop-down arrow, a combo button or a spin button: disabled, pressed, hot or normal.
int ArrowState(bool Enabled, bool Pressed, bool Hot) {
    if (!Enabled) return 4;
    if (Pressed) return 3;
    if (Hot) return 2;
    return 1;
}

const TubBarItemControlPainter& StandardLook() { return *BarPainterClass<TubBarItemControlStandardPainter>(); }
const TubBarItemControlPainter& FlatLook() { return *BarPainterClass<TubBarItemControlFlatPainter>(); }

}  // namespace

// ---- sizes

// A button grows by the toolbar theme's content margins across, in both directions.
int TubBarItemControlXPPainter::GetButtonHeightAddition() const {
    int margin = 0;
    return ContentMarginAcross(thToolBar, kToolbarDropDownButton, 1, margin)
               ? margin
               : TubBarItemControlPainter::GetButtonHeightAddition();
}

int TubBarItemControlXPPainter::GetButtonWidthAddition() const {
    int margin = 0;
    return ContentMarginAcross(thToolBar, kToolbarDropDownButton, 1, margin)
               ? margin
               : TubBarItemControlPainter::GetButtonWidthAddition();
}

int TubBarItemControlXPPainter::GetArrowWidth(const TubBarManager* AManager) const {
    return TubBarItemControlPainter::GetArrowWidth(AManager) + 3;
}

int TubBarItemControlXPPainter::GetLargeArrowWidth(const TubBarManager* AManager) const {
    return TubBarItemControlPainter::GetLargeArrowWidth(AManager) + 3;
}

int TubBarItemControlXPPainter::GetBorderSize() const {
    SIZE s{};
    return PartSize(thRebar, kRebarGripper, 1, TS_TRUE, s) ? s.cx : TubBarItemControlPainter::GetBorderSize();
}

int TubBarItemControlXPPainter::GetComboButtonWidth(int ZeroWidth) const {
    SIZE s{};
    return PartSize(thComboBox, kComboDropDownButton, 1, TS_TRUE, s)
               ? s.cx
               : TubBarItemControlPainter::GetComboButtonWidth(ZeroWidth);
}

int TubBarItemControlXPPainter::GetEditHeightAddition() const {
    int margin = 0;
    return ContentMarginAcross(thEdit, kEditText, 1, margin) ? margin + 5
                                                             : TubBarItemControlPainter::GetEditHeightAddition();
}

int TubBarItemControlXPPainter::GetGripSize() const {
    SIZE s{};
    return PartSize(thToolBar, kToolbarGrip, 1, TS_MIN, s) ? s.cx : TubBarItemControlPainter::GetGripSize();
}

int TubBarItemControlXPPainter::GetCaptionButtonSize(const TubBarItemPaintState& State) const {
    SIZE s{};
    return PartSize(thWindow, kWindowSmallCloseButton, 1, TS_TRUE, s)
               ? s.cy
               : TubBarItemControlPainter::GetCaptionButtonSize(State);
}

SIZE TubBarItemControlXPPainter::GetSizeGripSize(const TubBarItemPaintState& State) const {
    SIZE s{};
    return PartSize(thStatus, kStatusGripper, 1, TS_TRUE, s) ? s : TubBarItemControlPainter::GetSizeGripSize(State);
}

int TubBarItemControlXPPainter::GetSeparatorSize() const {
    SIZE s{};
    return PartSize(thToolBar, kToolbarSeparatorVert, 1, TS_TRUE, s) ? s.cy
                                                                     : TubBarItemControlPainter::GetSeparatorSize();
}

int TubBarItemControlXPPainter::GetDropDownFooterHeight() const {
    SIZE close{}, box{};
    if (!PartSize(thWindow, kWindowSmallCloseButton, 1, TS_TRUE, close) ||
        !PartSize(thScrollBar, kScrollBarSizeBox, 1, TS_TRUE, box))
        return TubBarItemControlPainter::GetDropDownFooterHeight();
    return std::max(close.cy + 4, box.cy + 2 + 1);
}

TColor TubBarItemControlXPPainter::GetProgressColor() const {
    HTHEME theme = OpenThemeForType(thProgress);
    COLORREF color = 0;
    if (theme != nullptr && GetThemeColor(theme, kProgressChunk, 1, kTmtFillColor, &color) == S_OK)
        return static_cast<TColor>(color);
    return TubBarItemControlPainter::GetProgressColor();
}

int TubBarItemControlXPPainter::GetProgressBarSize() const {
    SIZE s{};
    int margin = 0;
    if (!PartSize(thProgress, kProgressChunk, 1, TS_TRUE, s) ||
        !ContentMarginAcross(thProgress, kProgressChunk, 1, margin))
        return TubBarItemControlPainter::GetProgressBarSize();
    return s.cy + margin;
}

TColor TubBarItemControlXPPainter::GetFadedColor(const TubBarManager* AManager) const {
    if (!AManager->GetMakeDisabledImagesFaded()) return clNone;
    return MixColorsPercent(clBtnShadow, ToolbarThemeColor(), 70);
}

void TubBarItemControlXPPainter::GetDisabledTextColor(bool Enabled, TColor& Text, TColor& Back) const {
    HTHEME theme = OpenThemeForType(thEdit);
    const int state = EditThemeState(Enabled, false);
    Text = EditThemeTextColor(theme, state);
    Back = EditThemeBackColor(theme, state);
}

// ---- buttons and glyphs

void TubBarItemControlXPPainter::DrawButtonBackground(HDC DC, const RECT& R, HBRUSH Brush,
                                                      const TubBarItemPaintState& State) const {
    FillControlBackground(DC, R, Brush, false, State);
    if (State.Bar == bwkMainMenu) {
        if (State.Hot || State.Pressed || State.Down) FillSolid(DC, R, GetSysColorBrush(COLOR_HIGHLIGHT));
        return;
    }
    if (State.Bar == bwkSubMenu && State.Hot && State.HasGlyph) {
        FillSolid(DC, R, Brush);
        return;
    }
    DrawPart(thToolBar, DC, State.DropDownFace ? kToolbarDropDownButton : kToolbarButton, ButtonState(State), R);
}

void TubBarItemControlXPPainter::OffsetPressedGlyph(RECT& R, const TubBarItemPaintState& State) const {
    if (State.Pressed || State.Down) OffsetRect(&R, 1, 1);
}

void TubBarItemControlXPPainter::OffsetPressedItemGlyph(RECT& R, const TubBarItemPaintState& State) const {
    if (State.Pressed) OffsetRect(&R, 1, 1);
}

void TubBarItemControlXPPainter::DrawMenuLine(HDC DC, const RECT& R, const std::string& Caption,
                                              const TubBarItemPaintState& State) const {
    StandardLook().DrawMenuLine(DC, R, Caption, State);
}

void TubBarItemControlXPPainter::DrawLoweredFrame(HDC DC, RECT& R) const { StandardLook().DrawLoweredFrame(DC, R); }

void TubBarItemControlXPPainter::DrawDropDownArrowPart(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    const int state = ArrowState(State.Enabled, State.Pressed || State.Down, State.Hot);
    if (State.Bar != bwkSubMenu) {
        DrawPart(thToolBar, DC, kToolbarSplitDropDown, state, R);
        return;
    }
    DrawPart(thToolBar, DC, kToolbarButton, state, R);
    DrawSubMenuArrow(DC, R, State.Enabled, State.Hot);
}

// ---- bars

void TubBarItemControlXPPainter::DrawBarBackground(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    // The theme's background may leave parts transparent: the bar's face lies under it.
    TubBarItemControlPainter::DrawBarBackground(DC, R, State);
    DrawPart(thRebar, DC, kRebarBackground, 0, R);
}

void TubBarItemControlXPPainter::DrawSeparator(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    DrawPart(thToolBar, DC, State.VerticalBar ? kToolbarSeparatorVert : kToolbarSeparator, 1, R);
}

void TubBarItemControlXPPainter::DrawFloatingFrame(HDC DC, const RECT& R, HBRUSH Brush,
                                                   const TubBarItemPaintState& State) const {
    FlatLook().DrawFloatingFrame(DC, R, Brush, State);
}

void TubBarItemControlXPPainter::DrawCaptionButton(HDC DC, const RECT& R, bool Hot, bool Pressed,
                                                   const TubBarItemPaintState& State) const {
    DrawPart(thWindow, DC, kWindowSmallCloseButton, ArrowState(State.Enabled, Pressed, Hot), R);
}

RECT TubBarItemControlXPPainter::GetSizeGripRect(const RECT& BarRect, const TubBarItemPaintState& State) const {
    return FlatLook().GetSizeGripRect(BarRect, State);
}

// ---- menus

int TubBarItemControlXPPainter::GetSubMenuSeparatorOffset(int A) const {
    return FlatLook().GetSubMenuSeparatorOffset(A);
}

SIZE TubBarItemControlXPPainter::AdjustSubMenuSize(SIZE Measured, const TubSubMenuMetrics& Metrics) const {
    SIZE s = Measured;
    s.cx = s.cx == 0 ? 100 : s.cx + Metrics.GlyphColumn + 4;
    if (s.cy < 3) s.cy += Metrics.TextHeight;
    s.cy += 4;
    return s;
}

void TubBarItemControlXPPainter::DrawSubMenuBackground(HDC DC, const RECT& R, int /*GlyphColumnWidth*/,
                                                       bool /*ShowsRarelyUsed*/) const {
    FillSolid(DC, R, GetSubMenuBrush());
}

void TubBarItemControlXPPainter::DrawSubMenuFrame(HDC DC, const RECT& R, HBRUSH /*Brush*/) const {
    RECT r = R;
    FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    for (int i = 0; i < 2; ++i) {
        InflateRect(&r, -1, -1);
        FrameRect(DC, &r, GetSubMenuBrush());
    }
}

// ---- edit, combo, spin and progress

void TubBarItemControlXPPainter::DrawEditBox(HDC DC, RECT& R, const TubBarItemPaintState& State) const {
    if (State.Bar == bwkSubMenu && !State.Hot) {
        FillControlBackground(DC, R, GetBarBrush(State), true, State);
        InflateRect(&R, -1, -1);
        return;
    }
    HTHEME theme = OpenThemeForType(thEdit);
    if (theme == nullptr) {
        TubBarItemControlPainter::DrawEditBox(DC, R, State);
        return;
    }
    RECT content = R;
    InflateRect(&content, -1, -1);
    const int state = EditThemeState(State.Enabled, false);
    GetThemeBackgroundContentRect(theme, DC, kEditText, state, &R, &content);
    TubSavedClip saved = SaveClipRegion(DC);
    ExcludeClipRect(DC, content.left, content.top, content.right, content.bottom);
    DrawThemeBackground(theme, DC, kEditText, state, &R, nullptr);
    RestoreClipRegion(DC, saved);
    R = content;
    DrawEditFace(DC, R, State);
}

void TubBarItemControlXPPainter::DrawEditFace(HDC DC, const RECT& R, const TubBarItemPaintState& State) const {
    const TColor back = EditThemeBackColor(OpenThemeForType(thEdit), EditThemeState(State.Enabled, false));
    FillRectWithColor(DC, R, back);
}

DWORD TubBarItemControlXPPainter::GetEditStyle() const { return FlatLook().GetEditStyle(); }

void TubBarItemControlXPPainter::SetEditMargins(HWND Edit) const { FlatLook().SetEditMargins(Edit); }

void TubBarItemControlXPPainter::EditTextSet(HWND Edit, bool Changed) const { FlatLook().EditTextSet(Edit, Changed); }

void TubBarItemControlXPPainter::DrawComboButton(HDC DC, const RECT& R, bool DroppedDown,
                                                 const TubBarItemPaintState& State) const {
    DrawPart(thComboBox, DC, kComboDropDownButton, ArrowState(State.Enabled, DroppedDown, State.Hot), R);
}

void TubBarItemControlXPPainter::DrawSpinButton(HDC DC, const RECT& R, bool Up, bool Pressed, bool Enabled) const {
    DrawPart(thSpin, DC, Up ? kSpinUp : kSpinDown, ArrowState(Enabled, Pressed, false), R);
}

void TubBarItemControlXPPainter::DrawProgressBar(HDC DC, int Position, int Min, int Max, bool Solid, bool Vertical,
                                                 TColor Color, const RECT& R, HBRUSH Background) const {
    HTHEME theme = OpenThemeForType(thProgress);
    if (theme == nullptr) {
        TubBarItemControlPainter::DrawProgressBar(DC, Position, Min, Max, Solid, Vertical, Color, R, Background);
        return;
    }
    if (R.right <= R.left || R.bottom <= R.top) return;
    const int bar = Vertical ? kProgressBarVert : kProgressBar;
    if (IsThemeBackgroundPartiallyTransparent(theme, bar, 1)) FillSolid(DC, R, Background);
    DrawThemeBackground(theme, DC, bar, 1, &R, nullptr);
    RECT inner = R;
    GetThemeBackgroundContentRect(theme, DC, bar, 1, &R, &inner);
    const int length = Vertical ? inner.bottom - inner.top : inner.right - inner.left;
    const int filled = ProgressFilledLength(length, Position, Min, Max);
    if (filled <= 0) return;
    const RECT chunk = Vertical ? RECT{inner.left, inner.bottom - filled, inner.right, inner.bottom}
                                : RECT{inner.left, inner.top, inner.left + filled, inner.bottom};
    DrawThemeBackground(theme, DC, Vertical ? kProgressChunkVert : kProgressChunk, 1, &chunk, nullptr);
}

}  // namespace zel
