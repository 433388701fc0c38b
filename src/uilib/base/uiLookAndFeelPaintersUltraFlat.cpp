// The UltraFlat painter and its Office 2003 descendant.
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

namespace {

TRect Deflated(const TRect& R, int D) { return InflatedRect(R, -D, -D); }
TColor Column(int N) { return Office11Palette().Columns[N]; }

TuiBorders NavigationButtonSides(bool AIsNext) {
    return AIsNext ? TuiBorders{bLeft, bTop, bBottom} : TuiBorders{bTop, bRight, bBottom};
}

}  // namespace

// ---- UltraFlat -----------------------------------------------------------------------------------------------

void TuiUltraFlatLookAndFeelPainter::PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R,
                                                           TuiButtonPaintState AState, bool AIsNext,
                                                           const TRect& AArrowRect) const {
    ACanvas->FillRect(R, clBtnFace);
    ACanvas->FrameRect(R, AState == bpsHot ? TabLightEdgeColor() : TabDarkEdgeColor(), 1,
                       NavigationButtonSides(AIsNext));
    PaintNavigationArrow(ACanvas, AArrowRect, AIsNext, ButtonGlyphColor(AState));
}

void TuiUltraFlatLookAndFeelPainter::PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->FrameRect(R, clBtnShadow);
}

TColor TuiUltraFlatLookAndFeelPainter::ButtonFaceColor(TuiButtonPaintState AState) const {
    if (AState == bpsHot) return HotBlendColor();
    if (AState == bpsPressed) return PressedBlendColor();
    return clBtnFace;
}

TRect TuiUltraFlatLookAndFeelPainter::ButtonFocusBounds(const TRect& R) const {
    const TRect r = Deflated(R, 3);
    return RectIsEmpty(r) ? R : r;
}

TRect TuiUltraFlatLookAndFeelPainter::GroupButtonBorderWidths(int ACount, int AIndex) const {
    TRect r{1, 2, 1, 2};
    if (AIndex == 0) ++r.left;
    if (AIndex == ACount - 1) ++r.right;
    return r;
}

TColor TuiUltraFlatLookAndFeelPainter::ButtonGlyphColor(TuiButtonPaintState AState, TColor AColor) const {
    if (AState == bpsPressed) return clHighlightText;
    return TuiCustomLookAndFeelPainter::ButtonGlyphColor(AState, AColor);
}

void TuiUltraFlatLookAndFeelPainter::PaintGroupButton(TuiCanvas* ACanvas, const TRect& R, TColor AFrameColor,
                                                      int AIndex, int ACount, TuiButtonPaintState AState) const {
    const bool first = AIndex == 0, last = AIndex == ACount - 1;
    TRect r = InflatedRect(R, 0, -1);
    if (first) ++r.left;
    if (last) --r.right;
    if (AState == bpsNormal || AState == bpsDisabled) {
        ACanvas->FrameRect(r, AFrameColor);
        r = Deflated(r, 1);
    } else {
        if (!first) {
            ACanvas->FillRect(TRect{r.left, r.top, r.left + 1, r.bottom}, ButtonGroupHighlightColor());
            ++r.left;
        }
        if (!last) {
            ACanvas->FillRect(TRect{r.right - 1, r.top, r.right, r.bottom}, ButtonGroupHighlightColor());
            --r.right;
        }
    }
    ACanvas->FillRect(r, ButtonFaceColor(AState));
}

void TuiUltraFlatLookAndFeelPainter::PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R,
                                                       TuiButtonPaintState AState) const {
    switch (AState) {
        case bpsDefault:
            ACanvas->FrameRect(R, clWindowFrame);
            ACanvas->FrameRect(Deflated(R, 1), clWindowFrame);
            break;
        case bpsNormal: ACanvas->FrameRect(R, clBtnText); break;
        case bpsDisabled: ACanvas->FrameRect(R, clBtnShadow); break;
        default: ACanvas->FrameRect(R, clHighlight); break;
    }
}

void TuiUltraFlatLookAndFeelPainter::PaintGroupButtonFrame(TuiCanvas* ACanvas, const TRect& R, bool AHighlighted,
                                                           bool ADark) const {
    ACanvas->FrameRect(R, ADark ? clBtnText : AHighlighted ? ButtonGroupHighlightColor() : clBtnShadow);
}

void TuiUltraFlatLookAndFeelPainter::PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor,
                                                       bool AExpanded) const {
    ACanvas->FrameRect(R, clBtnShadow);
    ACanvas->FillRect(Deflated(R, 1), AColor == clDefault ? clBtnFace : AColor);
    DrawExpandCross(ACanvas, R, clBtnText, AExpanded);
    ACanvas->ExcludeClipRect(R);
}

void TuiUltraFlatLookAndFeelPainter::PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R,
                                                      TuiButtonPaintState AState) const {
    ACanvas->FrameRect(R, clBtnText);
    ACanvas->FrameRect(Deflated(R, 1), CheckGlyphColor(AState));
}

void TuiUltraFlatLookAndFeelPainter::PaintHeaderEx(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                                   TuiNeighbours ANeighbours, TuiBorders ABorders,
                                                   TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                                   TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                   bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                                   TColor ATextColor, TColor ABkColor) const {
    PaintContent(ACanvas, R, false, nullptr, ABkColor, ATextColor, AFont, AText, AShowEndEllipsis, AMultiLine,
                 AAlignmentVert, AAlignmentHorz, AState, Deflated(ATextRect, 1));
    PaintHeaderBorder(ACanvas, Deflated(R, 1), ANeighbours, ABorders);
}

void TuiUltraFlatLookAndFeelPainter::PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R,
                                                       TuiNeighbours /*ANeighbours*/, TuiBorders ABorders) const {
    TuiBorders sides{bRight, bBottom};
    if (ABorders.Contains(bLeft)) sides.Include(bLeft);
    if (ABorders.Contains(bTop)) sides.Include(bTop);
    ACanvas->FrameRect(R, clBtnText, 1, sides);
}

void TuiUltraFlatLookAndFeelPainter::PaintSectionBorder(TuiCanvas* ACanvas, const TRect& R, TuiBorders ABorders,
                                                        TuiButtonPaintState AState) const {
    ACanvas->FrameRect(R, AState == bpsDisabled ? clBtnShadow : clBlack, 1, ABorders);
}

void TuiUltraFlatLookAndFeelPainter::PaintSectionContent(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                                         TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                                         TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                         bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                                         TColor ATextColor, TColor ABkColor) const {
    const bool ownFace = AState == bpsHot || AState == bpsPressed || AState == bpsDisabled;
    TuiCustomLookAndFeelPainter::PaintSectionContent(ACanvas, R, ATextRect, AState, AAlignmentHorz, AAlignmentVert,
                                                     AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor,
                                                     ownFace ? ButtonFaceColor(AState) : ABkColor);
}

void TuiUltraFlatLookAndFeelPainter::PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const {
    DrawSortTriangle(ACanvas, R, AAscending, SortMarkSize(), clBtnShadow, clBtnShadow);
}

TuiBorders TuiUltraFlatLookAndFeelPainter::HeaderSides(TuiNeighbours ANeighbours) const {
    TuiBorders sides = uiBordersAll;
    if (ANeighbours.Contains(nLeft)) sides.Exclude(bLeft);
    if (ANeighbours.Contains(nTop)) sides.Exclude(bTop);
    return sides;
}

void TuiUltraFlatLookAndFeelPainter::PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->FrameRect(R, FooterSeparatorColor(), 1, TuiBorders{bRight, bBottom});
}

void TuiUltraFlatLookAndFeelPainter::PaintFooterCellBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->FrameRect(R, FooterSeparatorColor());
}

void TuiUltraFlatLookAndFeelPainter::PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R,
                                                           TuiButtonPaintState AState, bool AIsFilterActive) const {
    ACanvas->FrameRect(R, FilterButtonBorderColor(AState));
    const TRect r = Deflated(R, 1);
    ACanvas->FillRect(r, ButtonFaceColor(AState));
    PaintButtonArrow(ACanvas, r, AIsFilterActive ? clBlue : ButtonGlyphColor(AState));
}

TPoint TuiUltraFlatLookAndFeelPainter::FilterCloseButtonExtent() const {
    TPoint size = TuiCustomLookAndFeelPainter::FilterCloseButtonExtent();
    ++size.y;
    return size;
}

void TuiUltraFlatLookAndFeelPainter::PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical,
                                                    TuiBorders /*ASides*/, TuiBorder ASide) const {
    TRect r = R;
    const bool dark = AVertical ? ASide == bBottom : ASide == bRight;
    if (!AVertical && ASide == bRight) r.bottom -= TabBorderWidth();
    ACanvas->FillRect(r, dark ? TabDarkEdgeColor() : TabLightEdgeColor());
}

void TuiUltraFlatLookAndFeelPainter::PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const {
    ACanvas->FrameRect(R, TabLightEdgeColor(), TabBorderWidth(), ASides);
}

void TuiUltraFlatLookAndFeelPainter::PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal,
                                                        TuiButtonPaintState AState, TuiScrollBarPart APart,
                                                        const TRect& R) const {
    if (RectIsEmpty(R) || (APart == sbpThumbnail && AState == bpsDisabled)) return;
    if (APart == sbpPageUp || APart == sbpPageDown) {
        DrawScrollBarPageArea(ACanvas, R, AState);
        return;
    }
    PaintButton(ACanvas, R, false, clDefault, clDefault, true, AState, "");
    if (APart == sbpLineUp || APart == sbpLineDown)
        PaintArrowGlyph(ACanvas, R, ScrollBarArrowDirection(AHorizontal, APart), AState);
}

void TuiUltraFlatLookAndFeelPainter::PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R,
                                                          TuiButtonPaintState AState) const {
    PaintButton(ACanvas, R, false, clDefault, clDefault, AState == bpsHot || AState == bpsPressed, AState, "");
}

void TuiUltraFlatLookAndFeelPainter::PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                                          const TuiFillParams& AFillParams) const {
    const TuiBorders sides = AHorizontal ? TuiBorders{bTop, bBottom} : TuiBorders{bLeft, bRight};
    ACanvas->FillFramedRect(R, AFillParams, false, 1, PlannerBorderColor(), sides);
}

TColor TuiUltraFlatLookAndFeelPainter::FilterButtonBorderColor(TuiButtonPaintState AState) const {
    return AState == bpsNormal ? clBtnShadow : clHighlight;
}

// ---- Office 2003 ---------------------------------------------------------------------------------------------

void TuiOffice11LookAndFeelPainter::PaintContent(TuiCanvas* ACanvas, const TRect& ABounds, bool APlainFill,
                                                 const TuiPaintCallback& AOnDrawBackground, TColor /*ABkColor*/,
                                                 TColor ATextColor, TFont* AFont, const std::string& AText,
                                                 bool AShowEndEllipsis, bool AMultiLine,
                                                 TuiVerticalAlignment AAlignmentVert, TAlignment AAlignmentHorz,
                                                 TuiButtonPaintState AState, const TRect& ATextRect) const {
    const TRect& R = ABounds;
    if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, R)) {
        TColor first = HeaderTopEdgeColor(), second = HeaderBottomEdgeColor();
        if (AState == bpsHot) first = second = Column(0);
        if (APlainFill) {
            ACanvas->FillRect(R, first);
        } else {
            ACanvas->FillRect(TRect{R.left, R.top, R.right, R.bottom - 3}, first);
            FillLinearGradient(ACanvas->Handle(), TRect{R.left, R.bottom - 4, R.right, R.bottom}, first, second, false);
        }
    }
    TuiCustomLookAndFeelPainter::PaintContent(
        ACanvas, R, APlainFill, [](TuiCanvas*, const TRect&) { return true; }, clNone, ATextColor, AFont, AText,
        AShowEndEllipsis, AMultiLine, AAlignmentVert, AAlignmentHorz, AState, ATextRect);
    if (AState == bpsHot)
        FillLinearGradient(ACanvas->Handle(), TRect{R.left - 1, R.bottom - 2, R.right, R.bottom + 1}, Column(22),
                           Column(23), false);
}

void TuiOffice11LookAndFeelPainter::PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R,
                                                          TuiButtonPaintState AState, bool AIsNext,
                                                          const TRect& AArrowRect) const {
    ACanvas->FillRect(R, AState == bpsHot ? Column(22) : AState == bpsPressed ? Column(24) : Column(2));
    ACanvas->FrameRect(R, Column(35), 1, NavigationButtonSides(AIsNext));
    PaintNavigationArrow(ACanvas, AArrowRect, AIsNext, ButtonGlyphColor(AState));
}

TColor TuiOffice11LookAndFeelPainter::FilterBoxColor() const { return Column(16); }
TColor TuiOffice11LookAndFeelPainter::FilterBoxTextColor() const { return Office11Palette().WhiteColor; }
TColor TuiOffice11LookAndFeelPainter::FooterColor() const { return Column(2); }
TColor TuiOffice11LookAndFeelPainter::GroupingBoxColor() const { return Office11Palette().FaceMixes[0]; }
TColor TuiOffice11LookAndFeelPainter::GroupingBoxTextColor() const { return Column(0); }
TColor TuiOffice11LookAndFeelPainter::GroupRowColor() const { return Column(32); }
TColor TuiOffice11LookAndFeelPainter::CalendarHeaderColor() const { return Column(2); }
TColor TuiOffice11LookAndFeelPainter::CalendarSelectionColor() const { return Column(33); }
TColor TuiOffice11LookAndFeelPainter::PlannerBorderColor() const { return Column(35); }
TColor TuiOffice11LookAndFeelPainter::PlannerControlColor() const { return Column(34); }
TColor TuiOffice11LookAndFeelPainter::TabColor() const { return Column(3); }
TColor TuiOffice11LookAndFeelPainter::TimeScaleMinorColor() const { return Column(2); }

void TuiOffice11LookAndFeelPainter::PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->FrameRect(R, Column(18));
}

TColor TuiOffice11LookAndFeelPainter::ButtonFaceColor(TuiButtonPaintState AState) const {
    switch (AState) {
        case bpsHot: return Column(22);
        case bpsPressed: return Column(24);
        case bpsDisabled: return clBtnFace;
        default: return Column(2);
    }
}

TColor TuiOffice11LookAndFeelPainter::ButtonGlyphColor(TuiButtonPaintState AState, TColor /*AColor*/) const {
    if (AState == bpsPressed && !IsLunaSchemeActive()) return clHighlightText;
    return AState == bpsDisabled ? Column(31) : Column(30);
}

void TuiOffice11LookAndFeelPainter::PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R,
                                                      TuiButtonPaintState AState) const {
    if (AState == bpsDefault) TuiUltraFlatLookAndFeelPainter::PaintButtonBorder(ACanvas, R, AState);
    else ACanvas->FrameRect(R, AState == bpsNormal ? clBtnText : AState == bpsDisabled ? Column(31) : Column(21));
}

void TuiOffice11LookAndFeelPainter::PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor /*AColor*/,
                                                      bool AExpanded) const {
    HBITMAP source = Office11ExpandButtonBitmap(AExpanded);
    if (source == nullptr) return;
    // The corners take a quarter of the frame colours over what the canvas shows there.
    const TColor topLeft = ACanvas->GetCanvas()->GetPixel(R.left, R.top);
    const TColor bottomRight = ACanvas->GetCanvas()->GetPixel(R.right - 1, R.bottom - 1);
    const TColor light = MixColorsPercent(Office11Palette().HeaderLightColor, topLeft, 25);
    const TColor dark = MixColorsPercent(Office11Palette().HeaderDarkColor, bottomRight, 25);
    TBitmap bitmap;
    bitmap.SetSize(11, 11);
    HDC sourceDC = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(sourceDC, source);
    BitBlt(bitmap.Canvas()->GetHandle(), 0, 0, 11, 11, sourceDC, 0, 0, SRCCOPY);
    SelectObject(sourceDC, old);
    DeleteDC(sourceDC);
    bitmap.Canvas()->SetPixel(0, 0, light);
    bitmap.Canvas()->SetPixel(10, 10, dark);
    bitmap.Canvas()->SetPixel(0, 10, dark);
    bitmap.Canvas()->SetPixel(10, 0, dark);
    ACanvas->Draw(R.left, R.top, &bitmap);
}

void TuiOffice11LookAndFeelPainter::PaintSmallExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AInnerColor,
                                                           TColor /*AFrameColor*/, bool AExpanded) const {
    PaintExpandButton(ACanvas, R, AInnerColor, AExpanded);
}

TColor TuiOffice11LookAndFeelPainter::CheckGlyphColor(TuiButtonPaintState AState) const {
    if (AState == bpsHot || AState == bpsPressed || AState == bpsDisabled) return ButtonFaceColor(AState);
    return TuiCustomLookAndFeelPainter::CheckGlyphColor(AState);
}

void TuiOffice11LookAndFeelPainter::PaintHeader(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                                TuiNeighbours ANeighbours, TuiBorders ABorders,
                                                TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                                TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                                bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                                TColor ATextColor, TColor ABkColor,
                                                const TuiPaintCallback& AOnDrawBackground, bool AIsLast) const {
    TuiCustomLookAndFeelPainter::PaintHeader(ACanvas, R, ATextRect, ANeighbours, ABorders, AState, AAlignmentHorz,
                                             AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor,
                                             ABkColor, AOnDrawBackground, AIsLast);
}

void TuiOffice11LookAndFeelPainter::PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours,
                                                      TuiBorders ABorders) const {
    const TColor T = HeaderTopEdgeColor(), B = HeaderBottomEdgeColor(), S = HeaderShadowEdgeColor(),
                 L = HeaderLightEdgeColor();
    const int left = R.left, right = R.right - 1, top = R.top, bottom = R.bottom;
    const auto column = [&](int x, int fromRow, int toRow, TColor c) {  // rows fromRow..toRow - 1
        ACanvas->FillRect(TRect{x, fromRow, x + 1, toRow}, c);
    };
    if (ABorders.Contains(bTop)) ACanvas->FillRect(TRect{R.left, top, R.right, top + 1}, T);
    if (ABorders.Contains(bBottom)) ACanvas->FillRect(TRect{R.left, bottom - 1, R.right, bottom}, S);
    if (ABorders.Contains(bLeft)) {
        if (ANeighbours.Contains(nLeft)) {
            column(left, top + 3, bottom - 3, L);
            ACanvas->SetPixel(left, top + 2, T);
            ACanvas->SetPixel(left, bottom - 3, MixColorsPercent(T, B, 25));
        } else {
            column(left, top + 2, bottom - 2, L);
        }
        ACanvas->SetPixel(left, top + 1, T);
        ACanvas->SetPixel(left, bottom - 2, B);
    }
    if (ABorders.Contains(bRight)) {
        if (ANeighbours.Contains(nRight)) {
            column(right, top + 3, bottom - 3, S);
            ACanvas->SetPixel(right, top + 1, T);
            ACanvas->SetPixel(right, top + 2, T);
            ACanvas->SetPixel(right, bottom - 3, MixColorsPercent(T, B, 25));
            ACanvas->SetPixel(right, bottom - 2, B);
        } else {
            column(right, top + 1, bottom - 2, S);
            ACanvas->SetPixel(right, top, MixColorsPercent(T, S, 50));
            ACanvas->SetPixel(right, bottom - 2, MixColorsPercent(B, S, 50));
        }
    }
}

void TuiOffice11LookAndFeelPainter::PaintSection(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                                 TuiBorders ABorders, TuiButtonPaintState AState,
                                                 TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert,
                                                 bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                                                 TFont* AFont, TColor ATextColor, TColor ABkColor) const {
    PaintHeader(ACanvas, R, ATextRect, {}, ABorders, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, nullptr);
    if (AState == bpsPressed) PaintHeaderPressed(ACanvas, R);
}

void TuiOffice11LookAndFeelPainter::PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const {
    DrawSortTriangle(ACanvas, R, AAscending, SortMarkSize(), HeaderLightEdgeColor(), HeaderShadowEdgeColor());
}

void TuiOffice11LookAndFeelPainter::PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R,
                                                          TuiButtonPaintState AState, bool AIsFilterActive) const {
    TuiUltraFlatLookAndFeelPainter::PaintFilterDropButton(ACanvas, R, AState, AIsFilterActive);
}

void TuiOffice11LookAndFeelPainter::PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                                       TuiScrollBarPart APart, const TRect& R) const {
    // The system look of the moment, never the UltraFlat drawing.
    const TuiLookAndFeelPainterClass painter = OpenThemeForType(thScrollBar) != nullptr
                                                   ? PainterClass<TuiWinXPLookAndFeelPainter>()
                                                   : PainterClass<TuiStandardLookAndFeelPainter>();
    painter->PaintScrollBarPart(ACanvas, AHorizontal, AState, APart, R);
}

void TuiOffice11LookAndFeelPainter::PaintSizeGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const {
    ACanvas->FillRect(R, AColor);
    PaintOffice11SizeGrip(ACanvas->Handle(), R, clDefault, clDefault);
}

void TuiOffice11LookAndFeelPainter::PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset,
                                                      int AArrows, const TuiFillParams& AFillParams,
                                                      TuiNeighbours /*ANeighbours*/, const std::string& AText,
                                                      TFont* AFont, const TuiPaintCallback& AOnDrawBackground) const {
    const TRect r = Deflated(R, 1);
    if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, r))
        ACanvas->FillFramedRect(r, AFillParams, false, 0, clNone, {});
    if (!AText.empty()) {
        ACanvas->Brush()->SetStyle(bsClear);
        if (AFont != nullptr) ACanvas->SetFont(AFont);
        ACanvas->Font()->SetColor(ATextColor);
        ACanvas->DrawText(AText, r, tlfCenterH | tlfCenterV | tlfSingleLine);  // 100
        ACanvas->Brush()->SetStyle(bsSolid);
    }
    DrawHeaderArrows(ACanvas, R, AInset, AArrows);
}

void TuiOffice11LookAndFeelPainter::PaintPlannerBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->FrameRect(R, PlannerBorderColor());
}

void TuiOffice11LookAndFeelPainter::PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R,
                                                         TuiButtonPaintState AState) const {
    PainterClass<TuiWinXPLookAndFeelPainter>()->PaintNavigatorButton(ACanvas, R, AState);
}

void TuiOffice11LookAndFeelPainter::PaintPanelBackground(TuiCanvas* ACanvas, TControl* AControl, TColor AColor2,
                                                         TColor AColor1, const TRect& R) const {
    if (AColor1 == clDefault) PaintParentUnderControl(AControl, ACanvas->GetCanvas(), R, false);
    else if (AColor2 == clDefault) ACanvas->FillRect(R, AColor1);
    else FillLinearGradient(ACanvas->Handle(), R, AColor1, AColor2, false);
}

TColor TuiOffice11LookAndFeelPainter::FilterButtonBorderColor(TuiButtonPaintState AState) const {
    return AState == bpsNormal ? HeaderShadowEdgeColor() : Column(21);
}

TColor TuiOffice11LookAndFeelPainter::ButtonGroupHighlightColor() const { return Column(21); }
TColor TuiOffice11LookAndFeelPainter::HeaderBottomEdgeColor() const { return Column(1); }
TColor TuiOffice11LookAndFeelPainter::HeaderShadowEdgeColor() const { return Column(14); }
TColor TuiOffice11LookAndFeelPainter::HeaderLightEdgeColor() const { return Column(15); }
TColor TuiOffice11LookAndFeelPainter::HeaderTopEdgeColor() const { return MixColorsPercent(Column(0), Column(1), 50); }

}  // namespace zel
