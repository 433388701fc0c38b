#pragma once
// One row of every element a painter draws, side by side: buttons in five states, check and radio glyphs,
// three kinds of expand button, headers with sort marks, a footer cell, filter buttons, both scroll bars with
// hot and pressed parts, a size grip, tabs, navigation buttons, indicator cells, progress, grip, clock and
// splitter. Used by the gallery screenshots and the repaint benchmark.
#include "platform/rtl/DateUtils.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel::test {

constexpr int kGalleryRowHeight = 64;
constexpr int kGalleryWidth = 1000;

inline void PaintGalleryRow(TuiCanvas* c, TuiLookAndFeelPainterClass p, int top) {
    const auto at = [top](int x, int y, int w, int h) { return Bounds(x, top + y, w, h); };
    c->FillRect(at(0, 0, kGalleryWidth, kGalleryRowHeight), clBtnFace);
    // Buttons in five states.
    static const char* captions[] = {"&Def", "&Norm", "&Hot", "&Pres", "&Dis"};
    for (int i = 0; i < 5; ++i)
        p->PaintButton(c, at(4 + i * 44, 4, 42, 22), false, clDefault, clDefault, true,
                       static_cast<TuiButtonPaintState>(i), captions[i]);
    // Check glyphs (unchecked, checked, greyed, checked hot) and radio glyphs.
    const TPoint check = p->CheckGlyphSize();
    p->PaintCheckGlyph(c, at(4, 32, check.x, check.y), cbsUnchecked, bpsNormal);
    p->PaintCheckGlyph(c, at(22, 32, check.x, check.y), cbsChecked, bpsNormal);
    p->PaintCheckGlyph(c, at(40, 32, check.x, check.y), cbsGrayed, bpsNormal);
    p->PaintCheckGlyph(c, at(58, 32, check.x, check.y), cbsChecked, bpsHot);
    p->PaintRadioGlyph(c, 80, top + 32, clDefault, false, false, false, bpsNormal);
    p->PaintRadioGlyph(c, 98, top + 32, clDefault, false, true, false, bpsNormal);
    p->PaintRadioGlyph(c, 116, top + 32, clDefault, true, true, false, bpsHot);
    p->PaintRadioGlyph(c, 134, top + 32, clDefault, false, true, false, bpsDisabled);
    // Expand buttons: tree, small and group; the tree buttons take themselves out of the clip region.
    c->PushClipRegion();
    const int e = p->ExpandButtonExtent() > 0 ? p->ExpandButtonExtent() : 11;
    p->PaintExpandButton(c, at(156, 32, e, e), clDefault, false);
    p->PaintExpandButton(c, at(172, 32, e, e), clDefault, true);
    p->PaintSmallExpandButton(c, at(190, 32, 9, 9), clWindow, clBtnShadow, false);
    p->PaintGroupExpandButton(c, at(204, 30, 15, 15), bpsNormal, true);
    c->PopClipRegion();
    // Two neighbouring headers with sort marks.
    const TRect h1 = at(230, 4, 60, 20), h2 = at(290, 4, 60, 20);
    p->PaintHeader(c, h1, InflatedRect(h1, -3, -1), {nRight}, uiBordersAll, bpsNormal, taLeftJustify, vaCenter, false,
                   false, "Name", nullptr, p->HeaderTextColor(), p->HeaderColor(), nullptr);
    p->PaintSortMark(c, Bounds(h1.right - 16, h1.top, 14, h1.Height()), true);
    p->PaintHeader(c, h2, InflatedRect(h2, -3, -1), {nLeft}, uiBordersAll, bpsHot, taLeftJustify, vaCenter, false,
                   false, "Type", nullptr, p->HeaderTextColor(), p->HeaderColor(), nullptr, true);
    p->PaintSortMark(c, Bounds(h2.right - 16, h2.top, 14, h2.Height()), false);
    // A footer cell and filter buttons.
    p->PaintFooterCell(c, at(230, 32, 60, 20), taRightJustify, vaCenter, false, "42", nullptr, p->FooterTextColor(),
                       p->FooterColor(), nullptr);
    const TPoint close = p->FilterCloseButtonExtent();
    p->PaintFilterCloseButton(c, at(296, 32, close.x, close.y), bpsNormal);
    p->PaintFilterDropButton(c, at(316, 32, 15, 18), bpsHot, true);
    p->PaintFilterCheck(c, at(334, 34, 13, 13), cbsChecked, bpsNormal);
    // Scroll bars: a horizontal one with a hot arrow and a pressed page, a vertical one with a pressed arrow.
    const int x0 = 356;
    p->PaintScrollBarPart(c, true, bpsHot, sbpLineUp, at(x0, 4, 16, 16));
    p->PaintScrollBarPart(c, true, bpsNormal, sbpPageUp, at(x0 + 16, 4, 20, 16));
    p->PaintScrollBarPart(c, true, bpsHot, sbpThumbnail, at(x0 + 36, 4, 30, 16));
    p->PaintScrollBarPart(c, true, bpsPressed, sbpPageDown, at(x0 + 66, 4, 24, 16));
    p->PaintScrollBarPart(c, true, bpsNormal, sbpLineDown, at(x0 + 90, 4, 16, 16));
    p->PaintScrollBarPart(c, false, bpsPressed, sbpLineUp, at(x0 + 110, 4, 16, 16));
    p->PaintScrollBarPart(c, false, bpsNormal, sbpThumbnail, at(x0 + 110, 20, 16, 18));
    p->PaintScrollBarPart(c, false, bpsNormal, sbpPageDown, at(x0 + 110, 38, 16, 6));
    p->PaintScrollBarPart(c, false, bpsDisabled, sbpLineDown, at(x0 + 110, 44, 16, 16));
    p->PaintSizeGrip(c, at(x0 + 90, 40, 16, 16), clBtnFace);
    // Tabs: a selected one and a normal one over their tab area.
    const TRect area = at(490, 24, 120, 34);
    p->PaintTabArea(c, area, {bLeft, bRight, bBottom});
    const TRect t1 = at(492, 6, 56, 19), t2 = at(548, 8, 56, 16);
    for (const auto& [tab, state, text] : {std::tuple{t1, bpsPressed, "Tone 1"}, std::tuple{t2, bpsNormal, "Tone 2"}}) {
        if (p->TabPaintingSupported()) {
            p->PaintTab(c, tab, tab, state, {bLeft, bTop, bRight}, false, text, nullptr, p->TabTextColor(),
                        p->TabColor());
        } else {
            const int b = p->TabBorderWidth();
            p->PaintTabBorder(c, TRect{tab.left, tab.top, tab.left + b, tab.bottom}, false, {bLeft, bTop, bRight},
                              bLeft);
            p->PaintTabBorder(c, TRect{tab.left, tab.top, tab.right, tab.top + b}, false, {bLeft, bTop, bRight}, bTop);
            p->PaintTabBorder(c, TRect{tab.right - b, tab.top, tab.right, tab.bottom}, false, {bLeft, bTop, bRight},
                              bRight);
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(p->TabTextColor());
            c->DrawText(text, tab, tlfCenterH | tlfCenterV | tlfSingleLine);
            c->Brush()->SetStyle(bsSolid);
        }
    }
    // Navigation buttons, laid out by the painter.
    for (const bool next : {false, true}) {
        TRect button = at(next ? 646 : 620, 4, 24, 40), arrow, text;
        p->NavigationButtonLayout(next, true, arrow, text, button, 0, 0);
        p->PaintNavigationButton(c, button, next ? bpsHot : bpsNormal, next, arrow);
    }
    // Indicator cells, one above the other's neighbour.
    for (int k = 1; k <= 3; ++k) p->PaintIndicatorCell(c, at(676, 4 + (k - 1) * 18, 12, 18), k, {nTop, nBottom});
    for (int k = 4; k <= 6; ++k) p->PaintIndicatorCell(c, at(690, 4 + (k - 4) * 18, 12, 18), k, {nTop, nBottom});
    // Progress, grip, clock and splitter.
    const TRect progress = at(710, 6, 110, 16);
    const TRect margins = p->ProgressMargins();
    TRect filled = DeflateRectByMargins(progress, margins);
    filled.right = filled.left + filled.Width() * 3 / 5;
    p->PaintProgress(c, progress, false, TuiFillParams{nullptr, clWindow}, filled);
    p->PaintGrip(c, at(710, 30, 24, 14), clBtnShadow);
    p->PaintClock(c, at(830, 4, 56, 56), clWindow, EncodeTime(10, 9, 30, 0));
    p->PaintPlannerSplitter(c, at(740, 30, 80, 7), true, TuiFillParams{nullptr, clBtnFace});
    p->PaintArrowsHeader(c, at(740, 40, 80, 20), p->HeaderTextColor(), 6, 3, TuiFillParams{nullptr, p->HeaderColor()},
                         {}, "Jan", nullptr, nullptr);
    p->PaintControlBorder(c, at(894, 6, 40, 40));
    p->PaintNavigatorButton(c, at(940, 6, 22, 22), bpsHot);
}

// Fills R with gallery rows, one under the other.
inline void PaintGallery(TuiCanvas* c, TuiLookAndFeelPainterClass p, const TRect& R) {
    for (int top = R.top; top < R.bottom; top += kGalleryRowHeight) PaintGalleryRow(c, p, top);
}

}  // namespace zel::test
