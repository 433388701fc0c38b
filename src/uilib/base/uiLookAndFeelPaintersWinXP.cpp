// The painter that draws through the visual-styles service. Every themed operation opens its theme type
// first; without a handle it draws as the Standard painter, or as the base or the painter its fall-back
// names.
#include <algorithm>

#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

namespace {

TRect Deflated(const TRect& R, int D) { return InflatedRect(R, -D, -D); }

const TuiStandardLookAndFeelPainter* Standard() {
    return static_cast<const TuiStandardLookAndFeelPainter*>(PainterClass<TuiStandardLookAndFeelPainter>());
}

// Theme states by button state (bpsDefault, bpsNormal, bpsHot, bpsPressed, bpsDisabled).
int PushButtonState(TuiButtonPaintState AState) {
    static constexpr int states[] = {5, 1, 2, 3, 4};
    return states[AState];
}
int CommonState(TuiButtonPaintState AState) {
    static constexpr int states[] = {1, 1, 2, 3, 4};
    return states[AState];
}
int HeaderState(TuiButtonPaintState AState) {
    static constexpr int states[] = {1, 1, 2, 3, 1};
    return states[AState];
}

void DrawPart(HTHEME ATheme, TuiCanvas* ACanvas, int APart, int AState, const TRect& R) {
    DrawThemeBackground(ATheme, ACanvas->Handle(), APart, AState, &R, nullptr);
}

// The content rectangle of a part in a 100 x 100 rectangle; false when the theme call fails.
bool ContentIn100(HTHEME ATheme, int APart, int AState, TRect& AContent) {
    const TRect bounds{0, 0, 100, 100};
    return SUCCEEDED(GetThemeBackgroundContentRect(ATheme, nullptr, APart, AState, &bounds, &AContent));
}

bool PartSize(HTHEME ATheme, int APart, int AState, THEMESIZE AKind, SIZE& ASize) {
    return SUCCEEDED(GetThemePartSizeNoRect(ATheme, nullptr, APart, AState, AKind, &ASize));
}

// Draws a theme part on a copy of R's background turned a quarter turn, then turns it back.
void DrawTurnedPart(HTHEME ATheme, TuiCanvas* ACanvas, const TRect& R, int APart, int AState, int AAngle,
                    int ABackAngle) {
    TBitmap bitmap;
    bitmap.SetSize(R.Width(), R.Height());
    const TRect whole{0, 0, R.Width(), R.Height()};
    bitmap.Canvas()->CopyRect(whole, ACanvas->GetCanvas(), R);
    TuiCanvas canvas(bitmap.Canvas());
    canvas.RotateBitmap(&bitmap, AAngle);
    DrawPart(ATheme, &canvas, APart, AState, TRect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()});
    canvas.RotateBitmap(&bitmap, ABackAngle);
    ACanvas->CopyRect(R, bitmap.Canvas(), whole);
}

}  // namespace

void TuiWinXPLookAndFeelPainter::PaintThemedText(TuiCanvas* ACanvas, HTHEME ATheme, TColor ATextColor, TFont* AFont,
                                                 const std::string& AText, bool AShowEndEllipsis, bool AMultiLine,
                                                 TuiVerticalAlignment AAlignmentVert, TAlignment AAlignmentHorz,
                                                 const TRect& ATextRect, int APart, int AState,
                                                 bool AShowPrefix) const {
    if (AText.empty()) return;
    if (AFont != nullptr) ACanvas->SetFont(AFont);
    ACanvas->Font()->SetColor(ATextColor);
    TRect r = ATextRect;
    if (AMultiLine && AAlignmentVert != vaTop)
        ACanvas->AlignMultilineText(r, AText, false, true, AShowPrefix, true, AAlignmentVert == vaBottom ? 1 : 2);
    static constexpr DWORD horz[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    static constexpr DWORD vert[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
    DWORD flags = DT_EDITCONTROL | horz[AAlignmentHorz] | vert[AAlignmentVert];
    if (AShowEndEllipsis) flags |= DT_END_ELLIPSIS;
    flags |= AMultiLine ? DT_WORDBREAK : DT_SINGLELINE;
    if (!AShowPrefix) flags |= DT_NOPREFIX;
    DrawThemeTextAnsi(ATheme, ACanvas->Handle(), APart, AState, AText, -1, flags, 0, &r);
}

void TuiWinXPLookAndFeelPainter::PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                       bool AIsNext, const TRect& AArrowRect) const {
    HTHEME theme = OpenThemeForType(thTab);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintNavigationButton(ACanvas, R, AState, AIsNext, AArrowRect);
        return;
    }
    if (!RectIsEmpty(R)) DrawTurnedPart(theme, ACanvas, R, 1, CommonState(AState), AIsNext ? 2 : 1, AIsNext ? 1 : 2);
    PaintNavigationArrow(ACanvas, AArrowRect, AIsNext, ButtonGlyphColor(AState));
}

TColor TuiWinXPLookAndFeelPainter::PlannerBorderColor() const {
    COLORREF color = 0;
    HTHEME theme = OpenThemeForType(thComboBox);
    if (theme != nullptr && SUCCEEDED(GetThemeColor(theme, 1, 1, 3801, &color))) return static_cast<TColor>(color);
    return Standard()->PlannerBorderColor();
}

void TuiWinXPLookAndFeelPainter::PaintScrollArrow(TuiCanvas* ACanvas, const TRect& R, bool AWithButton,
                                                  TuiArrowDirection AArrowDirection, TuiButtonPaintState AState) const {
    HTHEME theme = OpenThemeForType(thScrollBar);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintScrollArrow(ACanvas, R, AWithButton, AArrowDirection, AState);
        return;
    }
    // Four states per direction: up 1-4, down 5-8, left 9-12, right 13-16 (default drawn as normal).
    DrawPart(theme, ACanvas, 1, AArrowDirection * 4 + CommonState(AState), R);
}

void TuiWinXPLookAndFeelPainter::PaintArrowButtonFrame(TuiCanvas* ACanvas, const TRect& R,
                                                       TuiButtonPaintState AState) const {
    HTHEME theme = OpenThemeForType(thButton);
    if (theme != nullptr) DrawPart(theme, ACanvas, 1, PushButtonState(AState), R);
    else TuiCustomLookAndFeelPainter::PaintArrowButtonFrame(ACanvas, R, AState);
}

int TuiWinXPLookAndFeelPainter::ControlBorderSize() const {
    return OpenThemeForType(thListView) != nullptr ? 1 : Standard()->ControlBorderSize();
}

void TuiWinXPLookAndFeelPainter::PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const {
    HTHEME theme = OpenThemeForType(thListView);
    if (theme == nullptr) {
        Standard()->PaintControlBorder(ACanvas, R);
        return;
    }
    ACanvas->SaveDC();
    ACanvas->ExcludeClipRect(Deflated(R, 1));
    DrawPart(theme, ACanvas, 5, 0, R);
    ACanvas->RestoreDC();
}

TRect TuiWinXPLookAndFeelPainter::GroupButtonDisplayRect(const TRect& R) const {
    TRect r = TuiCustomLookAndFeelPainter::GroupButtonDisplayRect(R);
    HTHEME theme = OpenThemeForType(thButton);
    if (theme != nullptr && IsThemeBackgroundPartiallyTransparent(theme, 1, 1)) r = InflatedRect(r, 1, 1);
    return r;
}

int TuiWinXPLookAndFeelPainter::ButtonBorderWidth(TuiButtonPaintState AState) const {
    HTHEME theme = OpenThemeForType(thButton);
    TRect content;
    if (theme != nullptr && ContentIn100(theme, 1, PushButtonState(AState), content)) return content.left;
    return Standard()->ButtonBorderWidth(AState);
}

TColor TuiWinXPLookAndFeelPainter::ButtonFaceColor(TuiButtonPaintState AState) const {
    COLORREF color = 0;
    HTHEME theme = OpenThemeForType(thButton);
    if (theme != nullptr && SUCCEEDED(GetThemeColor(theme, 1, PushButtonState(AState), 204, &color)))
        return static_cast<TColor>(color);
    return TuiCustomLookAndFeelPainter::ButtonFaceColor(AState);
}

TRect TuiWinXPLookAndFeelPainter::ButtonFocusBounds(const TRect& R) const {
    HTHEME theme = OpenThemeForType(thButton);
    TRect content;
    if (theme != nullptr && SUCCEEDED(GetThemeBackgroundContentRect(theme, nullptr, 1, 1, &R, &content)))
        return content;
    return TuiCustomLookAndFeelPainter::ButtonFocusBounds(R);
}

TRect TuiWinXPLookAndFeelPainter::GroupButtonBorderWidths(int ACount, int AIndex) const {
    HTHEME theme = OpenThemeForType(thButton);
    TRect content;
    if (theme == nullptr || !ContentIn100(theme, 1, 1, content))
        return Standard()->GroupButtonBorderWidths(ACount, AIndex);
    TRect widths{content.left, content.top, 100 - content.right, 100 - content.bottom};
    if (IsThemeBackgroundPartiallyTransparent(theme, 1, 1)) widths = OffsetedRect(widths, -1, -1);
    return widths;
}

TColor TuiWinXPLookAndFeelPainter::ButtonGlyphColor(TuiButtonPaintState AState, TColor AColor) const {
    COLORREF color = 0;
    HTHEME theme = OpenThemeForType(thButton);
    if (theme != nullptr && SUCCEEDED(GetThemeColor(theme, 1, PushButtonState(AState), 3803, &color)))
        return static_cast<TColor>(color);
    return TuiCustomLookAndFeelPainter::ButtonGlyphColor(AState, AColor);
}

void TuiWinXPLookAndFeelPainter::PaintButton(TuiCanvas* ACanvas, const TRect& R, bool AWordWrap, TColor ATextColor,
                                             TColor AFaceColor, bool AWithBorder, TuiButtonPaintState AState,
                                             const std::string& ACaption) const {
    HTHEME theme = OpenThemeForType(thButton);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintButton(ACanvas, R, AWordWrap, ATextColor, AFaceColor, AWithBorder, AState,
                                                 ACaption);
        return;
    }
    const int state = PushButtonState(AState);
    DrawPart(theme, ACanvas, 1, state, R);
    if (!ACaption.empty()) {
        TRect r = R;
        DrawThemeTextAnsi(theme, ACanvas->Handle(), 1, state, ACaption, -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0,
                          &r);
    }
}

void TuiWinXPLookAndFeelPainter::PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor,
                                                   bool AExpanded) const {
    HTHEME theme = OpenThemeForType(thTreeView);
    if (theme == nullptr) {
        Standard()->PaintExpandButton(ACanvas, R, AColor, AExpanded);
        return;
    }
    DrawPart(theme, ACanvas, 2, AExpanded ? 2 : 1, R);
    ACanvas->ExcludeClipRect(R);
}

void TuiWinXPLookAndFeelPainter::PaintGroupExpandButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                        bool AExpanded) const {
    HTHEME theme = OpenThemeForType(thExplorerBar);
    if (theme == nullptr) {
        Standard()->PaintGroupExpandButton(ACanvas, R, AState, AExpanded);
        return;
    }
    // The explorer bar knows normal, hot and pressed; the default and the disabled buttons draw as normal.
    const int state = AState == bpsHot ? 2 : AState == bpsPressed ? 3 : 1;
    DrawPart(theme, ACanvas, AExpanded ? 6 : 7, state, R);
}

void TuiWinXPLookAndFeelPainter::PaintSmallExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AInnerColor,
                                                        TColor AFrameColor, bool AExpanded) const {
    if (OpenThemeForType(thTreeView) != nullptr) PaintExpandButton(ACanvas, R, clDefault, AExpanded);
    else TuiCustomLookAndFeelPainter::PaintSmallExpandButton(ACanvas, R, AInnerColor, AFrameColor, AExpanded);
}

int TuiWinXPLookAndFeelPainter::ExpandButtonExtent() const {
    HTHEME theme = OpenThemeForType(thTreeView);
    SIZE size;
    if (theme != nullptr && PartSize(theme, 2, 1, TS_TRUE, size)) return size.cx;
    return Standard()->ExpandButtonExtent();
}

int TuiWinXPLookAndFeelPainter::GroupExpandButtonExtent() const {
    HTHEME theme = OpenThemeForType(thExplorerBar);
    SIZE size;
    if (theme != nullptr && PartSize(theme, 7, 1, TS_TRUE, size)) return size.cx;
    return TuiCustomLookAndFeelPainter::GroupExpandButtonExtent();
}

bool TuiWinXPLookAndFeelPainter::PointInGroupExpandButton(const TRect& R, const TPoint& P) const {
    HTHEME theme = OpenThemeForType(thExplorerBar);
    HRGN region = nullptr;
    if (theme == nullptr || FAILED(GetThemeBackgroundRegion(theme, nullptr, 7, 1, &R, &region)) || region == nullptr)
        return TuiCustomLookAndFeelPainter::PointInGroupExpandButton(R, P);
    const bool inside = PtInRegion(region, P.x, P.y) != 0;
    DeleteObject(region);
    return inside;
}

int TuiWinXPLookAndFeelPainter::SmallExpandButtonExtent() const {
    if (OpenThemeForType(thTreeView) != nullptr) return ExpandButtonExtent();
    return TuiCustomLookAndFeelPainter::SmallExpandButtonExtent();
}

int TuiWinXPLookAndFeelPainter::CheckFrameWidth() const {
    return OpenThemeForType(thButton) != nullptr ? 0 : TuiCustomLookAndFeelPainter::CheckFrameWidth();
}

TPoint TuiWinXPLookAndFeelPainter::CheckGlyphSize() const {
    HTHEME theme = OpenThemeForType(thButton);
    SIZE size;
    if (theme != nullptr && PartSize(theme, 3, 5, TS_TRUE, size)) return TPoint{size.cx, size.cy};
    return TuiCustomLookAndFeelPainter::CheckGlyphSize();
}

void TuiWinXPLookAndFeelPainter::PaintCheckMark(TuiCanvas* ACanvas, const TRect& R, TColor AMarkColor, bool AShowMark,
                                                TuiButtonPaintState AState) const {
    HTHEME theme = OpenThemeForType(thButton);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintCheckMark(ACanvas, R, AMarkColor, AShowMark, AState);
        return;
    }
    DrawPart(theme, ACanvas, 3, CommonState(AState) + (AShowMark ? 4 : 0), R);
}

void TuiWinXPLookAndFeelPainter::PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R,
                                                  TuiButtonPaintState AState) const {
    if (OpenThemeForType(thButton) == nullptr) Standard()->PaintCheckBorder(ACanvas, R, AState);
}

void TuiWinXPLookAndFeelPainter::PaintRadioGlyph(TuiCanvas* ACanvas, int X, int Y, TColor ABrushColor, bool AFocused,
                                                 bool AChecked, bool ADesigning, TuiButtonPaintState AState) const {
    HTHEME theme = OpenThemeForType(thButton);
    if (theme == nullptr) {
        Standard()->PaintRadioGlyph(ACanvas, X, Y, ABrushColor, AFocused, AChecked, ADesigning, AState);
        return;
    }
    const TPoint size = RadioGlyphSize();
    DrawPart(theme, ACanvas, 2, CommonState(AState) + (AChecked ? 4 : 0), Bounds(X, Y, size.x, size.y));
}

TPoint TuiWinXPLookAndFeelPainter::RadioGlyphSize() const {
    HTHEME theme = OpenThemeForType(thButton);
    SIZE size;
    if (theme != nullptr && PartSize(theme, 2, 1, TS_TRUE, size)) return TPoint{size.cx, size.cy};
    return Standard()->RadioGlyphSize();
}

void TuiWinXPLookAndFeelPainter::PaintHeader(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                             TuiNeighbours ANeighbours, TuiBorders ABorders, TuiButtonPaintState AState,
                                             TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert,
                                             bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                                             TFont* AFont, TColor ATextColor, TColor ABkColor,
                                             const TuiPaintCallback& AOnDrawBackground, bool AIsLast) const {
    HTHEME theme = OpenThemeForType(thHeader);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintHeader(ACanvas, R, ATextRect, ANeighbours, ABorders, AState, AAlignmentHorz,
                                                 AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor,
                                                 ABkColor, AOnDrawBackground, AIsLast);
        return;
    }
    const int state = HeaderState(AState);
    // The last header item of the blue and olive schemes has a part of its own.
    const BYTE scheme = Office11Scheme();
    const int part = AIsLast && state == 1 && (scheme == 1 || scheme == 2) ? 3 : 1;
    DrawPart(theme, ACanvas, part, state, R);
    const TRect textRect = AState == bpsPressed ? OffsetedRect(ATextRect, 1, 1) : ATextRect;
    PaintThemedText(ACanvas, theme, ATextColor, AFont, AText, AShowEndEllipsis, AMultiLine, AAlignmentVert,
                    AAlignmentHorz, textRect, part, state);
}

void TuiWinXPLookAndFeelPainter::PaintSection(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                              TuiBorders ABorders, TuiButtonPaintState AState,
                                              TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert,
                                              bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                                              TFont* AFont, TColor ATextColor, TColor ABkColor) const {
    ACanvas->FillRect(R, clBtnFace);
    PaintHeader(ACanvas, R, ATextRect, {}, ABorders, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, nullptr);
}

void TuiWinXPLookAndFeelPainter::PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const {
    PainterClass<TuiUltraFlatLookAndFeelPainter>()->PaintSortMark(ACanvas, R, AAscending);
}

int TuiWinXPLookAndFeelPainter::HeaderBorderWidth() const {
    HTHEME theme = OpenThemeForType(thHeader);
    TRect content;
    if (theme != nullptr && ContentIn100(theme, 1, 1, content))
        return std::max<int>(1, (content.left + content.top) / 2);
    return Standard()->HeaderBorderWidth();
}

TRect TuiWinXPLookAndFeelPainter::SectionInnerBounds(const TRect& R, TuiButtonPaintState /*AState*/) const {
    return Deflated(R, HeaderBorderWidth());
}

int TuiWinXPLookAndFeelPainter::FooterBorderWidth() const {
    return OpenThemeForType(thEdit) != nullptr ? 1 : Standard()->FooterBorderWidth();
}

int TuiWinXPLookAndFeelPainter::FooterCellBorderWidth() const {
    HTHEME theme = OpenThemeForType(thTrackBar);
    TRect content;
    if (theme != nullptr && ContentIn100(theme, 1, 1, content)) return content.left;
    return Standard()->FooterCellBorderWidth();
}

int TuiWinXPLookAndFeelPainter::FooterCellSpacing() const {
    return OpenThemeForType(thTrackBar) != nullptr ? 1 : Standard()->FooterCellSpacing();
}

void TuiWinXPLookAndFeelPainter::PaintFooterCell(TuiCanvas* ACanvas, const TRect& R, TAlignment AAlignmentHorz,
                                                 TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                 const std::string& AText, TFont* AFont, TColor ATextColor,
                                                 TColor ABkColor, const TuiPaintCallback& AOnDrawBackground) const {
    HTHEME theme = OpenThemeForType(thTrackBar);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintFooterCell(ACanvas, R, AAlignmentHorz, AAlignmentVert, AMultiLine, AText,
                                                     AFont, ATextColor, ABkColor, AOnDrawBackground);
        return;
    }
    DrawPart(theme, ACanvas, 1, 1, R);
    PaintThemedText(ACanvas, theme, ATextColor, AFont, AText, false, AMultiLine, AAlignmentVert, AAlignmentHorz,
                    FooterCellTextBounds(R), 1, 1);
}

void TuiWinXPLookAndFeelPainter::PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const {
    HTHEME theme = OpenThemeForType(thEdit);
    if (theme == nullptr) {
        Standard()->PaintFooterBorder(ACanvas, R);
        return;
    }
    DrawThemeEdge(theme, ACanvas->Handle(), 0, 0, &R, 4, BF_RECT, nullptr);
}

void TuiWinXPLookAndFeelPainter::PaintFilterCloseButton(TuiCanvas* ACanvas, const TRect& R,
                                                        TuiButtonPaintState AState) const {
    HTHEME theme = OpenThemeForType(thWindow);
    if (theme != nullptr) DrawPart(theme, ACanvas, 19, CommonState(AState), R);
    else TuiCustomLookAndFeelPainter::PaintFilterCloseButton(ACanvas, R, AState);
}

void TuiWinXPLookAndFeelPainter::PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                       bool AIsFilterActive) const {
    HTHEME theme = OpenThemeForType(thComboBox);
    if (theme != nullptr) DrawPart(theme, ACanvas, 1, CommonState(AState), R);
    else Standard()->PaintFilterDropButton(ACanvas, R, AState, AIsFilterActive);
}

TPoint TuiWinXPLookAndFeelPainter::FilterCheckSize() const {
    HTHEME theme = OpenThemeForType(thButton);
    SIZE size;
    if (theme != nullptr && PartSize(theme, 3, 5, TS_TRUE, size)) return TPoint{size.cx, size.cy};
    return TuiCustomLookAndFeelPainter::FilterCheckSize();
}

TPoint TuiWinXPLookAndFeelPainter::FilterCloseButtonExtent() const {
    HTHEME theme = OpenThemeForType(thWindow);
    SIZE size;
    if (theme != nullptr && PartSize(theme, 19, 1, TS_TRUE, size)) return TPoint{size.cx + 4, size.cy + 4};
    return TuiCustomLookAndFeelPainter::FilterCloseButtonExtent();
}

void TuiWinXPLookAndFeelPainter::PaintTab(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                          TuiButtonPaintState AState, TuiBorders ASides, bool AVertical,
                                          const std::string& AText, TFont* AFont, TColor ATextColor,
                                          TColor ABkColor) const {
    HTHEME theme = OpenThemeForType(thTab);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintTab(ACanvas, R, ATextRect, AState, ASides, AVertical, AText, AFont,
                                              ATextColor, ABkColor);
        return;
    }
    if (RectIsEmpty(R)) return;
    const bool selected = AState == bpsPressed;
    const int state = CommonState(AState);
    // Work in the horizontal form: a vertical tab is drawn turned a quarter turn in a 32-bit bitmap.
    TBitmap bitmap;
    TuiCanvas* canvas = ACanvas;
    TuiCanvas turnedCanvas(bitmap.Canvas());
    TRect tab = R;
    TuiBorders sides = ASides;
    if (AVertical) {
        bitmap.SetSize(R.Width(), R.Height());
        bitmap.Canvas()->CopyRect(TRect{0, 0, R.Width(), R.Height()}, ACanvas->GetCanvas(), R);
        turnedCanvas.RotateBitmap(&bitmap, 1);
        canvas = &turnedCanvas;
        tab = TRect{0, 0, R.Height(), R.Width()};
        // Turned counter-clockwise: the top side becomes the left one, the left side the bottom one.
        sides = {};
        if (ASides.Contains(bTop)) sides.Include(bLeft);
        if (ASides.Contains(bBottom)) sides.Include(bRight);
        if (ASides.Contains(bLeft)) sides.Include(bBottom);
        if (ASides.Contains(bRight)) sides.Include(bTop);
    }
    TRect item = tab, clip = tab;
    if (!sides.Contains(bLeft)) item.left -= 2;
    if (!sides.Contains(bRight)) item.right += 2;
    if (selected) ++item.bottom;
    else --clip.bottom;
    canvas->SaveDC();
    canvas->IntersectClipRect(clip);
    DrawThemeBackground(theme, canvas->Handle(), 1, state, &item, &clip);
    canvas->RestoreDC();
    if (AVertical) {
        turnedCanvas.RotateBitmap(&bitmap, 2);
        ACanvas->CopyRect(R, bitmap.Canvas(), TRect{0, 0, R.Width(), R.Height()});
    }
    TRect textRect = ATextRect;
    if (selected) {
        if (AVertical) textRect.right -= 2;
        else textRect.bottom -= 2;
    }
    PaintThemedText(ACanvas, theme, ATextColor, AFont, AText, false, false, vaCenter, taCenter, textRect, 1, state);
}

void TuiWinXPLookAndFeelPainter::PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical, TuiBorders ASides,
                                                TuiBorder ASide) const {
    if (OpenThemeForType(thTab) == nullptr) Standard()->PaintTabBorder(ACanvas, R, AVertical, ASides, ASide);
}

void TuiWinXPLookAndFeelPainter::PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const {
    HTHEME theme = OpenThemeForType(thTab);
    if (theme == nullptr) {
        Standard()->PaintTabArea(ACanvas, R, ASides);
        return;
    }
    // The pane reaches 10 pixels past each side that has no border, so that only its framed sides show.
    TRect pane = R;
    if (!ASides.Contains(bLeft)) pane.left -= 10;
    if (!ASides.Contains(bTop)) pane.top -= 10;
    if (!ASides.Contains(bRight)) pane.right += 10;
    if (!ASides.Contains(bBottom)) pane.bottom += 10;
    DrawThemeBackground(theme, ACanvas->Handle(), 9, 0, &pane, &R);
}

bool TuiWinXPLookAndFeelPainter::TabPaintingSupported() const {
    return OpenThemeForType(thTab) != nullptr || TuiCustomLookAndFeelPainter::TabPaintingSupported();
}

bool TuiWinXPLookAndFeelPainter::TabHotTracks() const {
    return OpenThemeForType(thTab) != nullptr || TuiCustomLookAndFeelPainter::TabHotTracks();
}

int TuiWinXPLookAndFeelPainter::TabBorderWidth() const {
    return OpenThemeForType(thTab) != nullptr ? 1 : Standard()->TabBorderWidth();
}

void TuiWinXPLookAndFeelPainter::PaintIndicatorCell(TuiCanvas* ACanvas, const TRect& R, int AKind,
                                                    TuiNeighbours ANeighbours) const {
    PainterClass<TuiFlatLookAndFeelPainter>()->PaintIndicatorCell(ACanvas, R, AKind, ANeighbours);
}

int TuiWinXPLookAndFeelPainter::ScrollThumbMinimum(bool AVertical) const {
    HTHEME theme = OpenThemeForType(thScrollBar);
    if (theme == nullptr) return TuiCustomLookAndFeelPainter::ScrollThumbMinimum(AVertical);
    const int gripper = AVertical ? 9 : 8;
    SIZE minimal, true_;
    if (!PartSize(theme, gripper, 0, TS_MIN, minimal)) return 8;
    int result = AVertical ? minimal.cy : minimal.cx;
    if (PartSize(theme, gripper, 0, TS_TRUE, true_))
        result = std::max<int>(result, (AVertical ? true_.cy : true_.cx) + 4);
    return std::max(result, 8);
}

void TuiWinXPLookAndFeelPainter::PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                                    TuiScrollBarPart APart, const TRect& R) const {
    if (RectIsEmpty(R)) return;
    HTHEME theme = OpenThemeForType(thScrollBar);
    if (theme == nullptr) {
        Standard()->PaintScrollBarPart(ACanvas, AHorizontal, AState, APart, R);
        return;
    }
    switch (APart) {
        case sbpLineUp:
        case sbpLineDown:
            PaintScrollArrow(ACanvas, R, true, ScrollBarArrowDirection(AHorizontal, APart), AState);
            break;
        case sbpThumbnail:
            DrawPart(theme, ACanvas, AHorizontal ? 2 : 3, CommonState(AState), R);
            DrawPart(theme, ACanvas, AHorizontal ? 8 : 9, 0, R);
            break;
        case sbpPageUp:
        case sbpPageDown: {
            const int part = AHorizontal ? (APart == sbpPageUp ? 4 : 5) : (APart == sbpPageUp ? 6 : 7);
            DrawPart(theme, ACanvas, part, CommonState(AState), R);
            break;
        }
        case sbpNone: break;
    }
}

void TuiWinXPLookAndFeelPainter::PaintSizeGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const {
    HTHEME theme = OpenThemeForType(thScrollBar);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintSizeGrip(ACanvas, R, AColor);
        return;
    }
    ACanvas->FillRect(R, AColor);
    DrawPart(theme, ACanvas, 10, 1, R);
}

void TuiWinXPLookAndFeelPainter::PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset,
                                                   int AArrows, const TuiFillParams& AFillParams,
                                                   TuiNeighbours ANeighbours, const std::string& AText, TFont* AFont,
                                                   const TuiPaintCallback& AOnDrawBackground) const {
    // The base header cell with its arrows, not the Standard painter's framed one.
    TuiCustomLookAndFeelPainter::PaintArrowsHeader(ACanvas, R, ATextColor, AInset, AArrows, AFillParams, ANeighbours,
                                                   AText, AFont, AOnDrawBackground);
}

void TuiWinXPLookAndFeelPainter::PaintProgress(TuiCanvas* ACanvas, const TRect& R, bool AFramedOnly,
                                               const TuiFillParams& AFillParams, const TRect& AFilledRect) const {
    HTHEME theme = OpenThemeForType(thProgress);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintProgress(ACanvas, R, AFramedOnly, AFillParams, AFilledRect);
        return;
    }
    DrawPart(theme, ACanvas, 1, 0, R);
    DrawPart(theme, ACanvas, 3, 0, AFilledRect);
}

void TuiWinXPLookAndFeelPainter::PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R,
                                                      TuiButtonPaintState AState) const {
    HTHEME theme = OpenThemeForType(thToolBar);
    if (theme == nullptr) {
        TuiCustomLookAndFeelPainter::PaintNavigatorButton(ACanvas, R, AState);
        return;
    }
    static constexpr int states[] = {2, 2, 5, 3, 4};
    DrawPart(theme, ACanvas, 1, states[AState], R);
}

void TuiWinXPLookAndFeelPainter::PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                                      const TuiFillParams& AFillParams) const {
    HTHEME comboBox = OpenThemeForType(thComboBox);
    COLORREF border = 0;
    if (comboBox == nullptr || OpenThemeForType(thListView) == nullptr ||
        FAILED(GetThemeColor(comboBox, 1, 1, 3801, &border))) {
        Standard()->PaintPlannerSplitter(ACanvas, R, AHorizontal, AFillParams);
        return;
    }
    const TuiBorders sides = AHorizontal ? TuiBorders{bTop, bBottom} : TuiBorders{bLeft, bRight};
    ACanvas->FillFramedRect(R, AFillParams, false, 1, static_cast<TColor>(border), sides);
}

void TuiWinXPLookAndFeelPainter::PaintPanelBackground(TuiCanvas* ACanvas, TControl* AControl, TColor /*AColor2*/,
                                                      TColor AColor1, const TRect& R) const {
    if (AColor1 == clDefault) PaintParentUnderControl(AControl, ACanvas->GetCanvas(), R, false);
    else ACanvas->FillRect(R, AColor1);
}

}  // namespace zel
