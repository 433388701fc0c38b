#include "uilib/base/uiLookAndFeelPainters.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "platform/win/SysInfo.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiPainterImages.h"

namespace zel {

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

TRect Deflated(const TRect& R, int D) { return InflatedRect(R, -D, -D); }

// An indicator cell joins only the cells above and below it.
TuiNeighbours VerticalNeighbours(TuiNeighbours ANeighbours) {
    TuiNeighbours vertical;
    if (ANeighbours.Contains(nTop)) vertical.Include(nTop);
    if (ANeighbours.Contains(nBottom)) vertical.Include(nBottom);
    return vertical;
}

void FillTriangle(TuiCanvas* ACanvas, const TPoint (&P)[3], TColor AColor) {
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->SetBrushColor(AColor);
    ACanvas->Pen()->SetColor(AColor);
    ACanvas->Polygon({P[0], P[1], P[2]});
}

}  // namespace

TuiTextLayoutFlags PainterTextFlags(TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                    bool AShowEndEllipsis) {
    static constexpr TuiTextLayoutFlags horz[] = {tlfLeft, tlfRight, tlfCenterH};
    static constexpr TuiTextLayoutFlags vert[] = {tlfTop, tlfBottom, tlfCenterV};
    TuiTextLayoutFlags flags = horz[AAlignmentHorz] | vert[AAlignmentVert];
    flags |= AMultiLine ? tlfWordBreak : tlfSingleLine;
    if (AShowEndEllipsis) flags |= tlfEndEllipsis;
    return flags;
}

TuiArrowDirection ScrollBarArrowDirection(bool AHorizontal, TuiScrollBarPart APart) {
    if (AHorizontal) return APart == sbpLineUp ? adLeft : adRight;
    return APart == sbpLineUp ? adUp : adDown;
}

void CalculateArrowPoints(TRect R, TPoint (&P)[3], TuiArrowDirection AArrowDirection, bool AMakeSquare) {
    if (AMakeSquare) {
        const int w = R.Width(), h = R.Height();
        if (w > h) {
            R.left += (w - h) / 2;
            R.right = R.left + h;
        } else if (h > w) {
            R.top += (h - w) / 2;
            R.bottom = R.top + w;
        }
    }
    // s: the depth; the base is 2s - 1 pixels across the direction, the tip s - 1 pixels from the base. Both
    // centre coordinates round half away from zero (MulDiv).
    if (AArrowDirection == adUp || AArrowDirection == adDown) {
        const int s = (R.Width() - 1) / 4 + 1;
        const int x0 = MulDiv(R.left + R.right - (2 * s - 1), 1, 2);
        const int y0 = MulDiv(R.top + R.bottom - s, 1, 2);
        const int base = AArrowDirection == adUp ? y0 + s - 1 : y0;
        const int tip = AArrowDirection == adUp ? y0 : y0 + s - 1;
        P[0] = TPoint{x0, base};
        P[1] = TPoint{x0 + 2 * s - 2, base};
        P[2] = TPoint{x0 + s - 1, tip};
    } else {
        const int s = (R.Height() - 1) / 4 + 1;
        const int x0 = MulDiv(R.left + R.right - s, 1, 2);
        const int y0 = MulDiv(R.top + R.bottom - (2 * s - 1), 1, 2);
        const int base = AArrowDirection == adLeft ? x0 + s - 1 : x0;
        const int tip = AArrowDirection == adLeft ? x0 : x0 + s - 1;
        P[0] = TPoint{base, y0};
        P[1] = TPoint{base, y0 + 2 * s - 2};
        P[2] = TPoint{tip, y0 + s - 1};
    }
}

// ---- base painter --------------------------------------------------------------------------------------------

void TuiCustomLookAndFeelPainter::PaintBackground(TuiCanvas* ACanvas, const TRect& R, TBitmap* ABackgroundBitmap,
                                                  TColor ABackgroundColor, bool ATransparent) const {
    if (!ATransparent) ACanvas->FillRect(R, ABackgroundColor);
    else if (IsNonEmptyBitmap(ABackgroundBitmap)) ACanvas->FillRectByBitmap(R, ABackgroundBitmap);
}

void TuiCustomLookAndFeelPainter::PaintButtonArrow(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const {
    int w = R.Width() / 2;
    if (w % 2 == 0) ++w;
    const int h = w / 2 + 1;
    const int x = (R.left + R.right - w) / 2;
    const int y = MulDiv(R.top + R.bottom - h, 1, 2);
    const TPoint p[3] = {{x, y}, {x + w - 1, y}, {x + w / 2, y + h - 1}};
    FillTriangle(ACanvas, p, AColor);
}

void TuiCustomLookAndFeelPainter::PaintContent(TuiCanvas* ACanvas, const TRect& ABounds, bool /*APlainFill*/,
                                               const TuiPaintCallback& AOnDrawBackground, TColor ABkColor,
                                               TColor ATextColor, TFont* AFont, const std::string& AText,
                                               bool AShowEndEllipsis, bool AMultiLine,
                                               TuiVerticalAlignment AAlignmentVert, TAlignment AAlignmentHorz,
                                               TuiButtonPaintState /*AState*/, const TRect& ATextRect) const {
    if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, ABounds)) ACanvas->FillRect(ABounds, ABkColor);
    if (AText.empty()) return;
    ACanvas->Brush()->SetStyle(bsClear);
    if (AFont != nullptr) ACanvas->SetFont(AFont);
    ACanvas->Font()->SetColor(ATextColor);
    ACanvas->DrawText(AText, ATextRect, PainterTextFlags(AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis));
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TuiCustomLookAndFeelPainter::PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                        bool AIsNext, const TRect& AArrowRect) const {
    const TuiBorders sides = AIsNext ? TuiBorders{bLeft, bTop, bBottom} : TuiBorders{bTop, bRight, bBottom};
    ACanvas->FillRect(R, clBtnFace);
    ACanvas->FrameRect(R, clBtnShadow, 1, sides);
    TRect r = InflatedRect(R, 0, -1);
    if (AIsNext) ++r.left;
    else --r.right;
    const bool pressed = AState == bpsPressed;
    ACanvas->DrawTwoColourFrame(r, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnFace, sides);
    PaintNavigationArrow(ACanvas, AArrowRect, AIsNext, ButtonGlyphColor(AState));
}

TRect TuiCustomLookAndFeelPainter::FooterCellInnerBounds(const TRect& R) const {
    return Deflated(R, FooterCellBorderWidth());
}

TRect TuiCustomLookAndFeelPainter::FooterCellTextBounds(const TRect& R) const {
    return Deflated(FooterCellInnerBounds(R), 2);
}

void TuiCustomLookAndFeelPainter::PaintArrow(TuiCanvas* ACanvas, const TRect& R, TColor AColor,
                                             TuiArrowDirection AArrowDirection) const {
    TPoint p[3];
    CalculateArrowPoints(R, p, AArrowDirection, true);
    FillTriangle(ACanvas, p, AColor);
}

void TuiCustomLookAndFeelPainter::PaintScrollArrow(TuiCanvas* ACanvas, const TRect& R, bool AWithButton,
                                                   TuiArrowDirection AArrowDirection,
                                                   TuiButtonPaintState AState) const {
    TPoint p[3];
    CalculateArrowPoints(R, p, AArrowDirection, false);
    if (AWithButton) PaintArrowButtonFrame(ACanvas, R, AState);
    else ACanvas->FillRect(R, ButtonFaceColor(AState));
    FillTriangle(ACanvas, p, ButtonGlyphColor(AState));
}

void TuiCustomLookAndFeelPainter::PaintArrowButtonFrame(TuiCanvas* ACanvas, const TRect& R,
                                                        TuiButtonPaintState AState) const {
    ACanvas->FillRect(R, ButtonFaceColor(AState));
    PaintButtonBorder(ACanvas, R, AState);
}

void TuiCustomLookAndFeelPainter::PaintArrowGlyph(TuiCanvas* ACanvas, const TRect& R, TuiArrowDirection AArrowDirection,
                                                  TuiButtonPaintState AState) const {
    TRect r = R;
    if (AState == bpsPressed) r = OffsetedRect(r, ButtonPressedShift(), ButtonPressedShift());
    if (AState == bpsDisabled) {
        PaintArrow(ACanvas, OffsetedRect(r, 1, 1), clBtnHighlight, AArrowDirection);
        PaintArrow(ACanvas, r, clBtnShadow, AArrowDirection);
    } else {
        PaintArrow(ACanvas, r, ButtonGlyphColor(AState), AArrowDirection);
    }
}

TRect TuiCustomLookAndFeelPainter::ButtonFocusBounds(const TRect& R) const {
    const TRect r = Deflated(R, 4);
    return RectIsEmpty(r) ? R : r;
}

TRect TuiCustomLookAndFeelPainter::GroupButtonBorderWidths(int /*ACount*/, int /*AIndex*/) const {
    const int w = ButtonBorderWidth(bpsNormal);
    return TRect{w, w, w, w};
}

TColor TuiCustomLookAndFeelPainter::ButtonGlyphColor(TuiButtonPaintState AState, TColor AColor) const {
    if (AState == bpsDisabled) return clBtnShadow;
    return AColor == clDefault ? clBtnText : AColor;
}

void TuiCustomLookAndFeelPainter::PaintButton(TuiCanvas* ACanvas, const TRect& R, bool AWordWrap, TColor ATextColor,
                                              TColor AFaceColor, bool AWithBorder, TuiButtonPaintState AState,
                                              const std::string& ACaption) const {
    TRect r = R;
    if (AWithBorder) {
        PaintButtonBorder(ACanvas, r, AState);
        r = Deflated(r, ButtonBorderWidth(AState));
    }
    ACanvas->FillRect(r, AFaceColor == clDefault ? ButtonFaceColor(AState) : AFaceColor);
    const TColor textColor = ATextColor == clDefault ? ButtonGlyphColor(AState, clDefault) : ATextColor;
    ACanvas->Brush()->SetStyle(bsClear);
    if (r.Height() % 2 != 0) ++r.bottom;
    if (r.Height() < 18) --r.top;
    if (AState == bpsPressed) r = OffsetedRect(r, ButtonPressedShift(), ButtonPressedShift());
    if (!ACaption.empty()) {
        // Centred both ways with the accelerator underlined; word-wrapped or on one line.
        constexpr TuiTextLayoutFlags wrapped = tlfCenterH | tlfCenterV | tlfShowPrefix | tlfWordBreak;   // 1572
        constexpr TuiTextLayoutFlags oneLine = tlfCenterH | tlfCenterV | tlfSingleLine | tlfShowPrefix;  // 612
        ACanvas->Font()->SetColor(textColor);
        ACanvas->DrawText(ACaption, r, AWordWrap ? wrapped : oneLine, AState != bpsDisabled);
    }
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TuiCustomLookAndFeelPainter::PaintGroupButton(TuiCanvas* ACanvas, const TRect& R, TColor /*AFrameColor*/,
                                                   int /*AIndex*/, int /*ACount*/, TuiButtonPaintState AState) const {
    PaintButton(ACanvas, R, false, clDefault, clDefault, true, AState, "");
}

void TuiCustomLookAndFeelPainter::PaintGroupExpandButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                         bool AExpanded) const {
    PaintButton(ACanvas, R, false, clDefault, clDefault, true, AState, "");
    // Two chevrons, each a V three pixels deep (four rows), one above the other.
    ACanvas->Pen()->SetColor(ButtonGlyphColor(AState, clDefault));
    const int cx = MidpointOf(R.left, R.right), top = MidpointOf(R.top, R.bottom) - 4;
    for (int i = 0; i < 2; ++i) {
        const int y = top + 4 * i;
        if (AExpanded) {  // pointing up
            ACanvas->MoveTo(cx - 3, y + 3);
            ACanvas->LineTo(cx, y);
            ACanvas->LineTo(cx + 4, y + 4);
        } else {
            ACanvas->MoveTo(cx - 3, y);
            ACanvas->LineTo(cx, y + 3);
            ACanvas->LineTo(cx + 4, y - 1);
        }
    }
}

void TuiCustomLookAndFeelPainter::DrawExpandCross(TuiCanvas* ACanvas, const TRect& R, TColor AColor,
                                                  bool AExpanded) const {
    const int cx = MidpointOf(R.left, R.right), cy = MidpointOf(R.top, R.bottom);
    const int a = (R.Width() - 4) / 2;
    ACanvas->FillRect(TRect{cx - a, cy, cx + a + 1, cy + 1}, AColor);
    if (!AExpanded) ACanvas->FillRect(TRect{cx, cy - a, cx + 1, cy + a + 1}, AColor);
}

void TuiCustomLookAndFeelPainter::PaintSmallExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AInnerColor,
                                                         TColor AFrameColor, bool AExpanded) const {
    ACanvas->FrameRect(R, AFrameColor);
    if (AInnerColor != clDefault) ACanvas->FillRect(Deflated(R, 1), AInnerColor);
    DrawExpandCross(ACanvas, R, clBtnText, AExpanded);
}

bool TuiCustomLookAndFeelPainter::PointInGroupExpandButton(const TRect& R, const TPoint& P) const {
    return PtInRect(&R, P) != 0;
}

TColor TuiCustomLookAndFeelPainter::CheckGlyphColor(TuiButtonPaintState AState) const {
    return AState == bpsPressed || AState == bpsDisabled ? clBtnFace : clWindow;
}

TPoint TuiCustomLookAndFeelPainter::CheckGlyphSize() const { return PainterCheckGlyphSize(); }

void TuiCustomLookAndFeelPainter::PaintCheckMark(TuiCanvas* ACanvas, const TRect& R, TColor AMarkColor, bool AShowMark,
                                                 TuiButtonPaintState AState) const {
    if (ACanvas->Brush()->GetStyle() == bsSolid) ACanvas->FillRect(R, CheckGlyphColor(AState));
    if (!AShowMark) return;
    const int w = R.Width() - 2, h = R.Height() - 4;
    const int cx = (R.left + R.right) / 2 - 1;
    ACanvas->Pen()->SetColor(AMarkColor);
    for (int i = 0; i < 3; ++i) {
        const int y = (R.top + R.bottom + h) / 2 - 2 + i;
        ACanvas->MoveTo(cx - w / 2 + 1, y - h / 2);
        ACanvas->LineTo(cx, y);
        ACanvas->LineTo(cx + w / 2 + 2, y - h);
    }
}

void TuiCustomLookAndFeelPainter::PaintCheckGlyphFlag(TuiCanvas* ACanvas, const TRect& R, bool AChecked,
                                                      TuiButtonPaintState AState) const {
    PaintCheckGlyph(ACanvas, R, AChecked ? cbsChecked : cbsUnchecked, AState);
}

void TuiCustomLookAndFeelPainter::PaintCheckGlyph(TuiCanvas* ACanvas, const TRect& R, TuiCheckBoxState ACheckState,
                                                  TuiButtonPaintState AState) const {
    PaintCheckBorder(ACanvas, R, AState);
    const TColor mark = ACheckState == cbsGrayed || AState == bpsDisabled ? clGrayText : clBtnText;
    PaintCheckMark(ACanvas, Deflated(R, CheckFrameWidth()), mark, ACheckState != cbsUnchecked, AState);
}

void TuiCustomLookAndFeelPainter::PaintRadioGlyph(TuiCanvas* ACanvas, int X, int Y, TColor ABrushColor, bool AFocused,
                                                  bool AChecked, bool ADesigning, TuiButtonPaintState AState) const {
    RadioButtonImageList()->Draw(ACanvas, X, Y, PainterStyleToKind(PainterStyle()), AState, AChecked, AFocused,
                                 ADesigning, ABrushColor);
}

TPoint TuiCustomLookAndFeelPainter::RadioGlyphSize() const { return RadioButtonImageList()->ImageSize(); }

void TuiCustomLookAndFeelPainter::PaintHeader(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                              TuiNeighbours ANeighbours, TuiBorders ABorders,
                                              TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                              TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                              bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                              TColor ATextColor, TColor ABkColor,
                                              const TuiPaintCallback& AOnDrawBackground, bool /*AIsLast*/) const {
    PaintHeaderBorder(ACanvas, R, ANeighbours, ABorders);
    PaintContent(ACanvas, HeaderInnerBounds(R, ABorders), false, AOnDrawBackground, ABkColor, ATextColor, AFont, AText,
                 AShowEndEllipsis, AMultiLine, AAlignmentVert, AAlignmentHorz, AState, ATextRect);
}

void TuiCustomLookAndFeelPainter::PaintHeaderEx(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                                TuiNeighbours ANeighbours, TuiBorders ABorders,
                                                TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                                TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                                TColor ATextColor, TColor ABkColor) const {
    PaintHeader(ACanvas, R, ATextRect, ANeighbours, ABorders, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, nullptr);
}

void TuiCustomLookAndFeelPainter::PaintHeaderPressed(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->InvertRect(R);
}

void TuiCustomLookAndFeelPainter::PaintSection(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                               TuiBorders ABorders, TuiButtonPaintState AState,
                                               TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert,
                                               bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                                               TFont* AFont, TColor ATextColor, TColor ABkColor) const {
    PaintSectionBorder(ACanvas, R, ABorders, AState);
    PaintSectionContent(ACanvas, SectionInnerBounds(R, AState), ATextRect, AState, AAlignmentHorz, AAlignmentVert,
                        AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor);
}

void TuiCustomLookAndFeelPainter::PaintSectionContent(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                                      TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                                      TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                      bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                                      TColor ATextColor, TColor ABkColor) const {
    ACanvas->FillRect(R, ABkColor);
    PaintSectionText(ACanvas, SectionTextBounds(ATextRect, AState), AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                     AShowEndEllipsis, AText, AFont, ATextColor);
}

void TuiCustomLookAndFeelPainter::PaintSectionText(TuiCanvas* ACanvas, const TRect& ATextRect,
                                                   TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                                   TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                   bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                                   TColor ATextColor) const {
    if (AText.empty()) return;
    const TuiTextLayoutFlags flags = PainterTextFlags(AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
    ACanvas->Brush()->SetStyle(bsClear);
    if (AFont != nullptr) ACanvas->SetFont(AFont);
    if (AState == bpsDisabled) {
        ACanvas->Font()->SetColor(clBtnHighlight);
        ACanvas->DrawText(AText, OffsetedRect(ATextRect, 1, 1), flags);
        ACanvas->Font()->SetColor(clBtnShadow);
    } else {
        ACanvas->Font()->SetColor(ATextColor);
    }
    ACanvas->DrawText(AText, ATextRect, flags);
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TuiCustomLookAndFeelPainter::PaintBandedRect(TuiCanvas* ACanvas, const TRect& R, const TuiFillParams& AFillParams,
                                                  TColor AColor, int ABandWidth) const {
    ACanvas->FillFramedRect(TRect{R.left, R.top, R.left + ABandWidth, R.bottom}, AFillParams, false, 0, clNone, {});
    ACanvas->FillFramedRect(TRect{R.right - ABandWidth, R.top, R.right, R.bottom}, AFillParams, false, 0, clNone, {});
    ACanvas->FillRect(TRect{R.left + ABandWidth, R.top, R.right - ABandWidth, R.bottom}, AColor);
}

void TuiCustomLookAndFeelPainter::DrawSortTriangle(TuiCanvas* ACanvas, const TRect& R, bool AAscending, TPoint ASize,
                                                   TColor ALight, TColor ADark) const {
    // Apex column: centred exactly for an odd width; for an even width the right half is one pixel narrower.
    const int w = ASize.x, h = ASize.y;
    const int left = (R.left + R.right - w) / 2, top = (R.top + R.bottom - h) / 2;
    const int apexX = left + (w - 1) / 2, right = left + w - 1, bottom = top + h - 1;
    if (AAscending) {  // apex at the top; the light falls on the right edge and the base
        ACanvas->Pen()->SetColor(ADark);
        ACanvas->MoveTo(apexX, top);
        ACanvas->LineTo(left, bottom);
        ACanvas->Pen()->SetColor(ALight);
        ACanvas->LineTo(right, bottom);
        ACanvas->LineTo(apexX, top);
    } else {  // apex at the bottom; the light falls on the right edge
        ACanvas->Pen()->SetColor(ADark);
        ACanvas->MoveTo(right, top);
        ACanvas->LineTo(left, top);
        ACanvas->LineTo(apexX, bottom);
        ACanvas->Pen()->SetColor(ALight);
        ACanvas->LineTo(right, top);
    }
}

TRect TuiCustomLookAndFeelPainter::HeaderPaintBounds(const TRect& R, TuiNeighbours ANeighbours,
                                                     TuiBorders ASides) const {
    const TuiBorders own = HeaderSides(ANeighbours);
    const int w = HeaderBorderWidth();
    TRect r = R;
    if (ASides.Contains(bLeft) && !own.Contains(bLeft)) r.left -= w;
    if (ASides.Contains(bTop) && !own.Contains(bTop)) r.top -= w;
    if (ASides.Contains(bRight) && !own.Contains(bRight)) r.right += w;
    if (ASides.Contains(bBottom) && !own.Contains(bBottom)) r.bottom += w;
    return r;
}

TRect TuiCustomLookAndFeelPainter::HeaderInnerBounds(const TRect& R, TuiBorders ASides) const {
    const int w = HeaderBorderWidth();
    TRect r = R;
    if (ASides.Contains(bLeft)) r.left += w;
    if (ASides.Contains(bTop)) r.top += w;
    if (ASides.Contains(bRight)) r.right -= w;
    if (ASides.Contains(bBottom)) r.bottom -= w;
    return r;
}

int TuiCustomLookAndFeelPainter::HeaderHeightFor(int AFontHeight) const {
    return AFontHeight + 2 * HeaderBorderWidth() + 4;
}

TRect TuiCustomLookAndFeelPainter::SectionTextBounds(const TRect& R, TuiButtonPaintState AState) const {
    return AState == bpsPressed ? OffsetedRect(R, 1, 1) : R;
}

TRect TuiCustomLookAndFeelPainter::SectionInnerBounds(const TRect& R, TuiButtonPaintState AState) const {
    return Deflated(R, SectionBorderWidth(AState));
}

int TuiCustomLookAndFeelPainter::HeaderWidthFor(TuiCanvas* ACanvas, TuiBorders ASides, TFont* AFont,
                                                const std::string& AText) const {
    if (AFont != nullptr) ACanvas->SetFont(AFont);
    int w = ACanvas->TextWidth(AText) + 4;
    if (ASides.Contains(bLeft)) w += HeaderBorderWidth();
    if (ASides.Contains(bRight)) w -= HeaderBorderWidth();
    return w;
}

TPoint TuiCustomLookAndFeelPainter::SortMarkAreaSize() const { return TPoint{16, SortMarkSize().y}; }

void TuiCustomLookAndFeelPainter::PaintFooterBackground(TuiCanvas* ACanvas, const TRect& R,
                                                        const TuiFillParams& AFillParams) const {
    PaintFooterContent(ACanvas, R, AFillParams);
}

void TuiCustomLookAndFeelPainter::PaintFooterCell(TuiCanvas* ACanvas, const TRect& R, TAlignment AAlignmentHorz,
                                                  TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                  const std::string& AText, TFont* AFont, TColor ATextColor,
                                                  TColor ABkColor, const TuiPaintCallback& AOnDrawBackground) const {
    PaintFooterCellBorder(ACanvas, R);
    PaintContent(ACanvas, FooterCellInnerBounds(R), false, AOnDrawBackground, ABkColor, ATextColor, AFont, AText, false,
                 AMultiLine, AAlignmentVert, AAlignmentHorz, bpsNormal, FooterCellTextBounds(R));
}

void TuiCustomLookAndFeelPainter::PaintFooterContent(TuiCanvas* ACanvas, const TRect& R,
                                                     const TuiFillParams& AFillParams) const {
    if (!RectIsEmpty(R)) ACanvas->FillFramedRect(R, AFillParams, false, 0, clNone, {});
}

void TuiCustomLookAndFeelPainter::PaintFooterSeparator(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->FillRect(R, FooterSeparatorColor());
}

void TuiCustomLookAndFeelPainter::PaintFilterCheck(TuiCanvas* ACanvas, const TRect& R, TuiCheckBoxState ACheckState,
                                                   TuiButtonPaintState AState) const {
    PaintCheckGlyph(ACanvas, R, ACheckState, AState);
}

void TuiCustomLookAndFeelPainter::PaintFilterCloseButton(TuiCanvas* ACanvas, const TRect& R,
                                                         TuiButtonPaintState AState) const {
    PaintButtonBorder(ACanvas, R, AState);
    const TRect r = Deflated(R, ButtonBorderWidth(bpsNormal));
    ACanvas->FillRect(r, ButtonFaceColor(AState));
    const TuiButtonPaintState glyphState = ButtonGlyphState(AState);
    int a = FilterCloseButtonExtent().x / 2;
    if (a % 2 == 0) --a;
    // Two diagonals of a pixels, each two strokes side by side.
    int x = (r.left + r.right - (a + 1)) / 2, y = (r.top + r.bottom - a) / 2;
    if (glyphState == bpsPressed) ++x, ++y;
    ACanvas->Pen()->SetColor(ButtonGlyphColor(glyphState));
    for (int i = 0; i < 2; ++i) {
        ACanvas->MoveTo(x + i, y);
        ACanvas->LineTo(x + i + a, y + a);
        ACanvas->MoveTo(x + i, y + a - 1);
        ACanvas->LineTo(x + i + a, y - 1);
    }
}

void TuiCustomLookAndFeelPainter::PaintFilterPanelBackground(TuiCanvas* ACanvas, const TRect& R,
                                                             const TuiFillParams& AFillParams) const {
    PaintFooterContent(ACanvas, R, AFillParams);
}

void TuiCustomLookAndFeelPainter::PaintWindowBackground(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->FillRect(R, clBtnFace);
}

void TuiCustomLookAndFeelPainter::PaintGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const {
    // Five strokes two rows apart, each from left + 2 to left + width - 6 inclusive; the first, third and
    // fifth also set the pixel at the left edge.
    const int y0 = (R.top + R.bottom - 9) / 2;
    ACanvas->Pen()->SetColor(AColor);
    for (int i = 0; i < 5; ++i) {
        const int y = y0 + 2 * i;
        ACanvas->MoveTo(R.left + 2, y);
        ACanvas->LineTo(R.left + R.Width() - 5, y);
        if (i % 2 == 0) ACanvas->SetPixel(R.left, y, AColor);
    }
}

void TuiCustomLookAndFeelPainter::PaintIndicatorImage(TuiCanvas* ACanvas, const TRect& R, int AKind) const {
    if (AKind > 0) DrawIndicatorImage(ACanvas, R, AKind - 1);
}

void TuiCustomLookAndFeelPainter::PaintIndicatorCell(TuiCanvas* ACanvas, const TRect& R, int AKind,
                                                     TuiNeighbours ANeighbours) const {
    const TuiNeighbours vertical = VerticalNeighbours(ANeighbours);
    PaintHeader(ACanvas, R, R, vertical, HeaderSides(vertical), bpsNormal, taLeftJustify, vaTop, false, false, "",
                nullptr, clNone, HeaderColor(), nullptr);
    PaintIndicatorImage(ACanvas, R, AKind);
}

void TuiCustomLookAndFeelPainter::PaintIndicatorCellEx(TuiCanvas* ACanvas, const TRect& R, int AKind,
                                                       TuiNeighbours ANeighbours) const {
    const TuiNeighbours vertical = VerticalNeighbours(ANeighbours);
    PaintHeaderEx(ACanvas, R, R, vertical, HeaderSides(vertical), bpsNormal, taLeftJustify, vaTop, false, false, "",
                  nullptr, clNone, HeaderColor());
    PaintIndicatorImage(ACanvas, R, AKind);
}

TSize TuiCustomLookAndFeelPainter::ScrollBarMetrics() const {
    return TSize{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TuiCustomLookAndFeelPainter::PaintSizeGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const {
    ACanvas->FillRect(R, AColor);
    TRect r = R;
    DrawFrameControl(ACanvas->Handle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TuiCustomLookAndFeelPainter::NavigationButtonLayout(bool AIsNext, bool AWithoutText, TRect& AArrowRect,
                                                         TRect& ATextRect, TRect& AButtonRect, int ATextExtent1,
                                                         int ATextExtent2) const {
    TRect borders;
    TSize arrow;
    NavigationButtonMetrics(AIsNext, borders, arrow);
    const int a = 3 * arrow.cy;
    if (AWithoutText) {
        ATextRect = TRect{};
        const int height = borders.top + borders.bottom + a;
        const int top = AButtonRect.top + (AButtonRect.Height() - height) / 2;
        AButtonRect.top = top;
        AButtonRect.bottom = top + height;
        AArrowRect = CenteredRect(DeflateRectByMargins(AButtonRect, borders), arrow.cx, arrow.cy);
        return;
    }
    const TRect content = DeflateRectByMargins(AButtonRect, borders);
    AArrowRect = CenteredRect(TRect{content.left, content.top, content.right, content.top + a}, arrow.cx, arrow.cy);
    ATextRect = TRect{content.left, content.top + a + 5, content.right, content.bottom - 2 * arrow.cy};
    const int excess = std::max(ATextExtent1, ATextExtent2) - ATextRect.Height();
    if (excess > 0) {
        AArrowRect = OffsetedRect(AArrowRect, 0, -excess);
        ATextRect = InflatedRect(ATextRect, 0, excess);
        AButtonRect = InflatedRect(AButtonRect, 0, excess);
    }
}

void TuiCustomLookAndFeelPainter::DrawHeaderArrows(TuiCanvas* ACanvas, TRect R, int AInset, int AArrows) const {
    R.top += ControlBorderSize() + 1;
    --R.bottom;
    int d = R.Height() / 2;
    if (d % 2 == 0) ++d;
    const int top = R.top + (R.Height() - (d + 1)) / 2;
    const int depth = d / 2 + 1;
    if (AArrows == 1 || AArrows == 3) {
        const int x = R.left + AInset - 1;
        const TPoint p[3] = {{x, top}, {x, top + d}, {x - depth, top + d / 2}};
        FillTriangle(ACanvas, p, clWindowText);
    }
    if (AArrows == 2 || AArrows == 3) {
        const int x = R.right - AInset;
        const TPoint p[3] = {{x, top}, {x, top + d}, {x + depth, top + d / 2}};
        FillTriangle(ACanvas, p, clWindowText);
    }
}

void TuiCustomLookAndFeelPainter::PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset,
                                                    int AArrows, const TuiFillParams& AFillParams,
                                                    TuiNeighbours ANeighbours, const std::string& AText, TFont* AFont,
                                                    const TuiPaintCallback& AOnDrawBackground) const {
    PaintHeader(ACanvas, R, R, ANeighbours, HeaderSides(ANeighbours), bpsNormal, taCenter, vaCenter, false, false,
                AText, AFont, ATextColor, AFillParams.Color, AOnDrawBackground);
    DrawHeaderArrows(ACanvas, R, AInset, AArrows);
}

void TuiCustomLookAndFeelPainter::PaintPlannerBorder(TuiCanvas* ACanvas, const TRect& R) const {
    PaintControlBorder(ACanvas, R);
}

void TuiCustomLookAndFeelPainter::PaintProgress(TuiCanvas* ACanvas, const TRect& R, bool AFramedOnly,
                                                const TuiFillParams& AFillParams, const TRect& AFilledRect) const {
    constexpr TColor frame = static_cast<TColor>(0x808080);
    if (AFramedOnly) ACanvas->FrameRect(R, frame);
    else ACanvas->FillFramedRect(R, AFillParams, false, 1, frame);
    ACanvas->FillRect(AFilledRect, clNavy);
}

void TuiCustomLookAndFeelPainter::PaintVerticalNavigationButton(TuiCanvas* ACanvas, const TRect& R,
                                                                const TRect& AArrowRect, const TRect& ATextRect,
                                                                TuiButtonPaintState AState, bool AIsNext,
                                                                const std::string& ACaption) const {
    if (RectIsEmpty(R)) return;
    TBitmap bitmap;
    bitmap.SetSize(R.Width(), R.Height());
    const TRect whole{0, 0, R.Width(), R.Height()};
    bitmap.Canvas()->CopyRect(whole, ACanvas->GetCanvas(), R);
    TuiCanvas canvas(bitmap.Canvas());
    PaintNavigationButton(&canvas, whole, AState, AIsNext, OffsetedRect(AArrowRect, -R.left, -R.top));
    if (!ACaption.empty() && !RectIsEmpty(ATextRect)) {
        // Turned a quarter counter-clockwise, the text rectangle's bottom edge becomes its left edge.
        canvas.RotateBitmap(&bitmap, 1);
        const TRect t = OffsetedRect(ATextRect, -R.left, -R.top);
        const TRect turned{t.top, R.Width() - t.right, t.bottom, R.Width() - t.left};
        bitmap.Canvas()->SetFont(ACanvas->Font());
        bitmap.Canvas()->Font()->SetColor(ButtonGlyphColor(AState));
        bitmap.Canvas()->Brush()->SetStyle(bsClear);
        TRect dt = turned;
        DrawText(bitmap.Canvas()->GetHandle(), ACaption.c_str(), -1, &dt, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.RotateBitmap(&bitmap, 2);
    }
    ACanvas->CopyRect(R, bitmap.Canvas(), whole);
}

void TuiCustomLookAndFeelPainter::PaintNavigationArrow(TuiCanvas* ACanvas, const TRect& R, bool AIsNext,
                                                       TColor AColor) const {
    // A staircase outline: pairs of 2 x 1 cells walking from the open edge's corners towards the tip, then a
    // one-pixel column along the open edge.
    const int steps = (R.Height() + 1) / 2;
    for (int i = 0; i < steps; ++i) {
        const int x = AIsNext ? R.left + i : R.right - i - 2;
        ACanvas->FillRect(TRect{x, R.top + i, x + 2, R.top + i + 1}, AColor);
        ACanvas->FillRect(TRect{x, R.bottom - i - 1, x + 2, R.bottom - i}, AColor);
    }
    const int base = AIsNext ? R.left : R.right - 1;
    ACanvas->FillRect(TRect{base, R.top, base + 1, R.bottom}, AColor);
}

void TuiCustomLookAndFeelPainter::PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R,
                                                       TuiButtonPaintState AState) const {
    PaintButton(ACanvas, R, false, clDefault, clDefault, true, AState, "");
}

void TuiCustomLookAndFeelPainter::NavigationButtonMetrics(bool AIsNext, TRect& ABorders, TSize& AArrowSize) const {
    ABorders = AIsNext ? TRect{2, 6, 0, 6} : TRect{0, 6, 2, 6};
    AArrowSize = TSize{7, 7};
}

void TuiCustomLookAndFeelPainter::PaintClock(TuiCanvas* ACanvas, const TRect& R, TColor ABkColor,
                                             TDateTime ATime) const {
    constexpr TColor handColor = static_cast<TColor>(0x808000);
    const double cx = (R.left + R.right) / 2.0, cy = (R.top + R.bottom) / 2.0;
    const double radius = std::min(R.Width(), R.Height()) / 2.0 - 2;
    const auto at = [&](double angle, double length) {
        return TPoint{static_cast<LONG>(std::lround(cx + std::cos(angle) * length)),
                      static_cast<LONG>(std::lround(cy + std::sin(angle) * length))};
    };
    ACanvas->PushClipRegion();
    for (int i = 0; i < 60; i += 5) {
        const TPoint p = at(i * 2 * std::numbers::pi / 60, radius);
        const TRect block{p.x - 1, p.y - 1, p.x + 2, p.y + 2};
        ACanvas->FillRect(block, handColor);
        ACanvas->FillRect(TRect{block.left, block.top, block.right - 1, block.top + 1}, clAqua);
        ACanvas->FillRect(TRect{block.left, block.top, block.left + 1, block.bottom - 1}, clAqua);
        ACanvas->FillRect(TRect{block.left + 1, block.bottom - 1, block.right, block.bottom}, clBtnText);
        ACanvas->FillRect(TRect{block.right - 1, block.top + 1, block.right, block.bottom}, clBtnText);
        ACanvas->ExcludeClipRect(block);
    }
    ACanvas->FillRect(R, ABkColor);
    for (int i = 0; i < 60; ++i) {
        if (i % 5 == 0) continue;
        const TPoint p = at(i * 2 * std::numbers::pi / 60, radius);
        ACanvas->SetPixel(p.x, p.y, handColor);
    }
    int hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTime(ATime, hour, minute, second, msec);
    const auto hand = [&](double angle, double front, double back, double widthFactor) {
        const double side = radius / widthFactor;
        const TPoint tip = at(angle, radius * front), tail = at(angle + std::numbers::pi, radius * back);
        const TPoint left = at(angle - std::numbers::pi / 2, side), right = at(angle + std::numbers::pi / 2, side);
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->SetBrushColor(handColor);
        ACanvas->Pen()->SetColor(handColor);
        ACanvas->Polygon({tip, left, tail, right});
    };
    hand(((hour % 12) * 3600 + minute * 60 + second - 10800) * 2 * std::numbers::pi / 43200, 0.75, 0.15, 9);
    hand((minute * 60 + second - 900) * 2 * std::numbers::pi / 3600, 0.85, 0.2, 7);
    ACanvas->Pen()->SetColor(clRed);
    const TPoint centre = at(0, 0), tip = at((second - 15) * 2 * std::numbers::pi / 60, radius * 0.9);
    ACanvas->MoveTo(centre.x, centre.y);
    ACanvas->LineTo(tip.x, tip.y);
    ACanvas->PopClipRegion();
}

void TuiCustomLookAndFeelPainter::PaintListImage(TuiCanvas* ACanvas, const TPoint& P, TCustomImageList* AImages,
                                                 int AIndex, bool AEnabled) const {
    DrawPainterListImage(ACanvas, P, AImages, AIndex, AEnabled);
}

void TuiCustomLookAndFeelPainter::PaintPanelBackground(TuiCanvas* ACanvas, TControl* /*AControl*/, TColor /*AColor2*/,
                                                       TColor /*AColor1*/, const TRect& R) const {
    PaintGroupBoxBackground(ACanvas, R, R);
}

void TuiCustomLookAndFeelPainter::PaintPanelFrame(TuiCanvas* ACanvas, const TRect& R) const {
    PaintGroupBoxContent(ACanvas, R);
}

void TuiCustomLookAndFeelPainter::DrawScrollBarPageArea(TuiCanvas* ACanvas, const TRect& R,
                                                        TuiButtonPaintState AState) const {
    ACanvas->FillRectByBitmap(R, ScrollBarPattern(AState == bpsPressed ? 1 : 0));
}

// ---- painter classes and the registry -------------------------------------------------------------------------

TuiLookAndFeelPainterClass LookAndFeelPainterClass(TuiLookAndFeelKind Kind) {
    switch (Kind) {
        case lfFlat: return PainterClass<TuiFlatLookAndFeelPainter>();
        case lfStandard: return PainterClass<TuiStandardLookAndFeelPainter>();
        case lfUltraFlat: return PainterClass<TuiUltraFlatLookAndFeelPainter>();
        case lfOffice11: return PainterClass<TuiOffice11LookAndFeelPainter>();
    }
    return PainterClass<TuiStandardLookAndFeelPainter>();
}

TuiLookAndFeelKind PainterStyleToKind(int Style) {
    switch (Style) {
        case 0: return lfFlat;
        case 2: return lfUltraFlat;
        case 4: return lfOffice11;
        default: return lfStandard;
    }
}

void TuiExtendedStylePainters::AddListener(IuiLookAndFeelPainterListener* AListener) {
    if (AListener != nullptr && std::find(listeners_.begin(), listeners_.end(), AListener) == listeners_.end())
        listeners_.push_back(AListener);
}

void TuiExtendedStylePainters::RemoveListener(IuiLookAndFeelPainterListener* AListener) {
    std::erase(listeners_, AListener);
}

void TuiExtendedStylePainters::Register(const std::string& AName, TuiLookAndFeelPainterClass APainter) {
    Add(new TuiExtendedStylePainterInfo(AName, APainter));
    NotifyListeners();
}

void TuiExtendedStylePainters::Unregister(const std::string& AName) {
    for (int i = Count() - 1; i >= 0; --i) {
        TuiExtendedStylePainterInfo* info = GetItem(i);
        if (SameText(info->Name, AName)) {
            Delete(i);
            delete info;
        }
    }
    NotifyListeners();
}

bool TuiExtendedStylePainters::GetPainterByName(const std::string& AName, TuiLookAndFeelPainterClass& APainter) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(GetItem(i)->Name, AName)) {
            APainter = GetItem(i)->Painter;
            return true;
        }
    }
    return false;
}

void TuiExtendedStylePainters::NotifyListeners() {
    // A listener that stops using an extra painter leaves the list during the call.
    const std::vector<IuiLookAndFeelPainterListener*> listeners = listeners_;
    for (IuiLookAndFeelPainterListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) listener->PainterChanged();
    }
}

}  // namespace zel
