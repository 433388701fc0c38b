// The Standard (classic three-dimensional) and Flat painters.
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

namespace {

TRect Deflated(const TRect& R, int D) { return InflatedRect(R, -D, -D); }

// Two-colour header frame; neighbouring headers join without double corners.
void ClassicHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours) {
    ACanvas->DrawTwoColourFrame(R, clBtnHighlight, clBtnShadow);
    if (ANeighbours.Contains(nLeft)) {
        ACanvas->SetPixel(R.left, R.top + 1, clBtnFace);
        ACanvas->SetPixel(R.left, R.bottom - 2, clBtnFace);
    }
    if (ANeighbours.Contains(nRight)) {
        ACanvas->SetPixel(R.right - 1, R.top, clBtnHighlight);
        ACanvas->SetPixel(R.right - 1, R.top + 1, clBtnFace);
        ACanvas->SetPixel(R.right - 1, R.bottom - 2, clBtnFace);
    }
}

void ClassicFilterDropButton(const TuiCustomLookAndFeelPainter* APainter, TuiCanvas* ACanvas, const TRect& R,
                             TuiButtonPaintState AState, bool AIsFilterActive) {
    if (AState == bpsPressed) ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight);
    else ACanvas->DrawTwoColourFrame(R, clBtnHighlight, clBtnShadow);
    const TRect r = Deflated(R, 1);
    ACanvas->FillRect(r, clBtnFace);
    APainter->PaintButtonArrow(ACanvas, r, AIsFilterActive ? clBlue : clBtnText);
}

// One border line of a tab, shortened where it meets the neighbouring lines.
void ClassicTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical, TuiBorders ASides, TuiBorder ASide,
                      TColor ALight, TColor ADark) {
    TRect r = R;
    if (AVertical) {
        if (ASide == bLeft) {
            r.top += ASides.Contains(bTop) ? 2 : 1;
            r.bottom -= ASides.Contains(bBottom) ? 2 : 1;
            ACanvas->SetPixel(r.left + 1, r.top - 1, ALight);
            ACanvas->SetPixel(r.left + 1, r.bottom, ALight);
        } else if ((ASide == bTop || ASide == bBottom) && ASides.Contains(bLeft)) {
            ++r.left;
        }
    } else {
        if (ASide == bLeft || ASide == bRight) {
            if (ASides.Contains(bTop)) r.top += 2;
            if (ASides.Contains(bBottom)) --r.bottom;
        } else if (ASide == bTop) {
            ++r.left;
            --r.right;
            ACanvas->SetPixel(r.left - 1, r.top + 1, ALight);
            ACanvas->SetPixel(r.right, r.top + 1, ALight);
        }
    }
    const bool dark = AVertical ? ASide == bBottom : ASide == bRight;
    ACanvas->FillRect(r, dark ? ADark : ALight);
}

// The lines on the long sides of a planner splitter and the fill between them.
void SplitterLines(TuiCanvas* ACanvas, TRect& R, bool AHorizontal, TColor AFirst, TColor ASecond) {
    if (AHorizontal) {
        ACanvas->FillRect(TRect{R.left, R.top, R.right, R.top + 1}, AFirst);
        ACanvas->FillRect(TRect{R.left, R.bottom - 1, R.right, R.bottom}, ASecond);
        R = InflatedRect(R, 0, -1);
    } else {
        ACanvas->FillRect(TRect{R.left, R.top, R.left + 1, R.bottom}, AFirst);
        ACanvas->FillRect(TRect{R.right - 1, R.top, R.right, R.bottom}, ASecond);
        R = InflatedRect(R, -1, 0);
    }
}

}  // namespace

// ---- Standard ------------------------------------------------------------------------------------------------

void TuiStandardLookAndFeelPainter::PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight);
    ACanvas->DrawTwoColourFrame(Deflated(R, 1), cl3DDkShadow, cl3DLight);
}

void TuiStandardLookAndFeelPainter::PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R,
                                                      TuiButtonPaintState AState) const {
    TRect r = R;
    if (AState == bpsPressed) {
        ACanvas->FrameRect(r, clBlack);
        ACanvas->FrameRect(Deflated(r, 1), clBtnShadow);
        return;
    }
    if (AState == bpsDefault) {
        ACanvas->FrameRect(r, clBlack);
        r = Deflated(r, 1);
    }
    ACanvas->DrawTwoColourFrame(r, clBtnHighlight, cl3DDkShadow);
    ACanvas->DrawTwoColourFrame(Deflated(r, 1), cl3DLight, clBtnShadow);
}

void TuiStandardLookAndFeelPainter::PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor,
                                                      bool AExpanded) const {
    ACanvas->DrawTwoColourFrame(R, clBtnHighlight, cl3DDkShadow);
    TRect r = Deflated(R, 1);
    ACanvas->DrawTwoColourFrame(r, clNone, clBtnShadow, TuiBorders{bRight, bBottom});
    --r.right;
    --r.bottom;
    ACanvas->FillRect(r, AColor == clDefault ? clBtnFace : AColor);
    DrawExpandCross(ACanvas, r, clBtnText, AExpanded);
    ACanvas->ExcludeClipRect(R);
}

void TuiStandardLookAndFeelPainter::PaintGroupExpandButton(TuiCanvas* ACanvas, const TRect& R,
                                                           TuiButtonPaintState AState, bool AExpanded) const {
    // The Flat painter's look, every slot inside resolving on it.
    PainterClass<TuiFlatLookAndFeelPainter>()->PaintGroupExpandButton(ACanvas, R, AState, AExpanded);
}

void TuiStandardLookAndFeelPainter::PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R,
                                                     TuiButtonPaintState /*AState*/) const {
    ACanvas->DrawTwoColourFrame(R, cl3DDkShadow, cl3DLight);
    ACanvas->DrawTwoColourFrame(Deflated(R, 1), clBtnShadow, clBtnHighlight);
}

void TuiStandardLookAndFeelPainter::PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours,
                                                      TuiBorders /*ABorders*/) const {
    ClassicHeaderBorder(ACanvas, R, ANeighbours);
}

void TuiStandardLookAndFeelPainter::PaintSectionBorder(TuiCanvas* ACanvas, const TRect& R, TuiBorders ABorders,
                                                       TuiButtonPaintState AState) const {
    if (AState == bpsPressed) {
        ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnShadow, ABorders);
        return;
    }
    ACanvas->DrawTwoColourFrame(R, clBtnHighlight, cl3DDkShadow, ABorders);
    ACanvas->DrawTwoColourFrame(Deflated(R, 1), cl3DLight, clBtnShadow, ABorders);
}

void TuiStandardLookAndFeelPainter::PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const {
    DrawSortTriangle(ACanvas, R, AAscending, SortMarkSize(), clBtnHighlight, clBtnShadow);
}

void TuiStandardLookAndFeelPainter::PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->DrawTwoColourFrame(R, clBtnHighlight, clBtnShadow);
}

void TuiStandardLookAndFeelPainter::PaintFooterCellBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight);
}

void TuiStandardLookAndFeelPainter::PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R,
                                                          TuiButtonPaintState AState, bool AIsFilterActive) const {
    ClassicFilterDropButton(this, ACanvas, R, AState, AIsFilterActive);
}

void TuiStandardLookAndFeelPainter::PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical,
                                                   TuiBorders ASides, TuiBorder ASide) const {
    ClassicTabBorder(ACanvas, R, AVertical, ASides, ASide, clBtnHighlight, clBtnShadow);
}

void TuiStandardLookAndFeelPainter::PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const {
    ACanvas->DrawTwoColourFrame(R, clBtnHighlight, clBtnShadow, ASides);
}

void TuiStandardLookAndFeelPainter::PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                                       TuiScrollBarPart APart, const TRect& R) const {
    if (RectIsEmpty(R) || (APart == sbpThumbnail && AState == bpsDisabled)) return;
    if (AState == bpsHot) AState = bpsNormal;
    switch (APart) {
        case sbpLineUp:
        case sbpLineDown: {
            const bool pressed = AState == bpsPressed;
            UINT flags = static_cast<UINT>(ScrollBarArrowDirection(AHorizontal, APart));
            if (AState == bpsDisabled) flags |= DFCS_INACTIVE;
            if (pressed) flags |= DFCS_FLAT;
            TRect r = pressed ? OffsetedRect(R, 1, 1) : R;
            ACanvas->PushClipRegion();
            ACanvas->IntersectClipRect(R);
            DrawFrameControl(ACanvas->Handle(), &r, DFC_SCROLL, flags);
            ACanvas->PopClipRegion();
            if (pressed) {
                ACanvas->FrameRect(R, clBtnShadow);
                ACanvas->FrameRect(Deflated(R, 1), clBtnFace);
            } else {
                ACanvas->DrawTwoColourFrame(R, clBtnFace, cl3DDkShadow);
                ACanvas->DrawTwoColourFrame(Deflated(R, 1), clBtnHighlight, clBtnShadow);
            }
            break;
        }
        case sbpThumbnail:
            PaintButtonBorder(ACanvas, R, bpsNormal);
            ACanvas->FillRect(Deflated(R, ButtonBorderWidth(bpsNormal)), clBtnFace);
            break;
        case sbpPageUp:
        case sbpPageDown: DrawScrollBarPageArea(ACanvas, R, AState); break;
        case sbpNone: break;
    }
}

void TuiStandardLookAndFeelPainter::PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset,
                                                      int AArrows, const TuiFillParams& AFillParams,
                                                      TuiNeighbours ANeighbours, const std::string& AText, TFont* AFont,
                                                      const TuiPaintCallback& AOnDrawBackground) const {
    TuiBorders sides = uiBordersAll;
    if (ANeighbours.Contains(nLeft)) sides.Exclude(bLeft);
    if (ANeighbours.Contains(nRight)) sides.Exclude(bRight);
    ACanvas->FrameRect(R, clBlack, 1, sides);
    TRect inner = R;
    if (sides.Contains(bLeft)) ++inner.left;
    if (sides.Contains(bRight)) --inner.right;
    ++inner.top;
    --inner.bottom;
    PaintContent(ACanvas, inner, false, AOnDrawBackground, AFillParams.Color, ATextColor, AFont, AText, false, false,
                 vaCenter, taCenter, bpsNormal, inner);
    DrawHeaderArrows(ACanvas, R, AInset, AArrows);
}

void TuiStandardLookAndFeelPainter::PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                                         const TuiFillParams& AFillParams) const {
    TRect r = R;
    SplitterLines(ACanvas, r, AHorizontal, clBtnFace, cl3DDkShadow);
    SplitterLines(ACanvas, r, AHorizontal, clBtnHighlight, clBtnShadow);
    ACanvas->FillFramedRect(r, AFillParams, false, 0, clNone, {});
}

// ---- Flat ----------------------------------------------------------------------------------------------------

void TuiFlatLookAndFeelPainter::PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight);
}

void TuiFlatLookAndFeelPainter::PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R,
                                                  TuiButtonPaintState AState) const {
    if (AState == bpsPressed) {
        ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight);
        return;
    }
    TRect r = R;
    if (AState == bpsDefault) {
        ACanvas->FrameRect(r, clBlack);
        r = Deflated(r, 1);
    }
    ACanvas->DrawTwoColourFrame(r, clBtnHighlight, clBtnShadow);
}

void TuiFlatLookAndFeelPainter::PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor,
                                                  bool AExpanded) const {
    PaintButton(ACanvas, R, false, clDefault, AColor, true, bpsNormal, "");
    DrawExpandCross(ACanvas, Deflated(R, 1), clBtnText, AExpanded);
    ACanvas->ExcludeClipRect(R);
}

void TuiFlatLookAndFeelPainter::PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const {
    ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight);
    ACanvas->FrameRect(Deflated(R, 1), CheckGlyphColor(AState));
}

void TuiFlatLookAndFeelPainter::PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours,
                                                  TuiBorders /*ABorders*/) const {
    ClassicHeaderBorder(ACanvas, R, ANeighbours);
}

void TuiFlatLookAndFeelPainter::PaintSectionBorder(TuiCanvas* ACanvas, const TRect& R, TuiBorders ABorders,
                                                   TuiButtonPaintState AState) const {
    if (AState == bpsPressed) ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight, ABorders);
    else ACanvas->DrawTwoColourFrame(R, clBtnHighlight, clBtnShadow, ABorders);
}

void TuiFlatLookAndFeelPainter::PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const {
    DrawSortTriangle(ACanvas, R, AAscending, SortMarkSize(), clBtnHighlight, clBtnShadow);
}

void TuiFlatLookAndFeelPainter::PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->DrawTwoColourFrame(R, clBtnHighlight, clBtnShadow);
}

void TuiFlatLookAndFeelPainter::PaintFooterCellBorder(TuiCanvas* ACanvas, const TRect& R) const {
    ACanvas->DrawTwoColourFrame(R, clBtnShadow, clBtnHighlight);
}

void TuiFlatLookAndFeelPainter::PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                      bool AIsFilterActive) const {
    ClassicFilterDropButton(this, ACanvas, R, AState, AIsFilterActive);
}

void TuiFlatLookAndFeelPainter::PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical, TuiBorders ASides,
                                               TuiBorder ASide) const {
    ClassicTabBorder(ACanvas, R, AVertical, ASides, ASide, clBtnHighlight, clBtnShadow);
}

void TuiFlatLookAndFeelPainter::PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const {
    ACanvas->DrawTwoColourFrame(R, clBtnHighlight, clBtnShadow, ASides);
}

void TuiFlatLookAndFeelPainter::PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                                   TuiScrollBarPart APart, const TRect& R) const {
    if (RectIsEmpty(R) || (APart == sbpThumbnail && AState == bpsDisabled)) return;
    if (AState == bpsHot) AState = bpsNormal;
    if (APart == sbpPageUp || APart == sbpPageDown) {
        DrawScrollBarPageArea(ACanvas, R, AState);
        return;
    }
    PaintButton(ACanvas, R, false, clDefault, clDefault, true, AState, "");
    if (APart == sbpLineUp || APart == sbpLineDown)
        PaintArrowGlyph(ACanvas, Deflated(R, ButtonBorderWidth(bpsNormal)), ScrollBarArrowDirection(AHorizontal, APart),
                        AState);
}

void TuiFlatLookAndFeelPainter::PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                                     const TuiFillParams& AFillParams) const {
    TRect r = R;
    SplitterLines(ACanvas, r, AHorizontal, clBtnHighlight, clBtnShadow);
    ACanvas->FillFramedRect(r, AFillParams, false, 0, clNone, {});
}

}  // namespace zel
