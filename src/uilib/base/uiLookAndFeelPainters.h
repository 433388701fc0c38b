#pragma once
// The painters: drawing strategies for the library's five looks. Painters hold no data; each class has one
// shared instance, and a painter is referred to by it (TuiLookAndFeelPainterClass). The virtual operations
// are declared in slot order with each slot's number: a painter replaces some slots and inherits the rest,
// and a slot called inside another resolves on the painter the outer call was made on.
//
// The unit also keeps the shared glyphs its painters reuse (radio-button image list, indicator images,
// scroll-bar page patterns, the measured check-glyph size) and the registry of extra, named painters.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/DateUtils.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

class TCustomImageList;

enum TuiPainterVariant { pvFlat, pvStandard, pvUltraFlat, pvNative, pvOffice11 };
enum TuiButtonPaintState { bpsDefault, bpsNormal, bpsHot, bpsPressed, bpsDisabled };
enum TuiCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
enum TuiArrowDirection { adUp, adDown, adLeft, adRight };
enum TuiScrollBarPart { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };
enum TuiVerticalAlignment { vaTop, vaBottom, vaCenter };
// Which sides of a cell touch another cell.
enum TuiNeighbour { nLeft, nTop, nRight, nBottom };
using TuiNeighbours = TSet<TuiNeighbour>;
// A custom-draw callback: true when it drew the background itself.
using TuiPaintCallback = std::function<bool(TuiCanvas* ACanvas, const TRect& R)>;

// The text flags of a cell's alignments and layout choices.
TuiTextLayoutFlags PainterTextFlags(TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                    bool AShowEndEllipsis);
// The arrow direction of a scroll bar's first or second arrow button.
TuiArrowDirection ScrollBarArrowDirection(bool AHorizontal, TuiScrollBarPart APart);
// The three vertices of an arrow in R (see PaintArrow); with AMakeSquare R's longer side is first reduced
// symmetrically to the shorter one.
void CalculateArrowPoints(TRect R, TPoint (&P)[3], TuiArrowDirection AArrowDirection, bool AMakeSquare);

class TuiCustomLookAndFeelPainter {
public:
    TuiCustomLookAndFeelPainter() = default;
    TuiCustomLookAndFeelPainter(const TuiCustomLookAndFeelPainter&) = delete;
    TuiCustomLookAndFeelPainter& operator=(const TuiCustomLookAndFeelPainter&) = delete;
    virtual ~TuiCustomLookAndFeelPainter() = default;

    virtual std::string ClassName() const { return "TuiCustomLookAndFeelPainter"; }

    /*   0 */ virtual void PaintBackground(TuiCanvas* ACanvas, const TRect& R, TBitmap* ABackgroundBitmap,
                                           TColor ABackgroundColor, bool ATransparent) const;
    /*   1 */ virtual void PaintButtonArrow(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const;
    /*   2 */ virtual void PaintContent(TuiCanvas* ACanvas, const TRect& ABounds, bool APlainFill,
                                        const TuiPaintCallback& AOnDrawBackground, TColor ABkColor, TColor ATextColor,
                                        TFont* AFont, const std::string& AText, bool AShowEndEllipsis, bool AMultiLine,
                                        TuiVerticalAlignment AAlignmentVert, TAlignment AAlignmentHorz,
                                        TuiButtonPaintState AState, const TRect& ATextRect) const;
    /*   3 */ virtual void PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                 bool AIsNext, const TRect& AArrowRect) const;
    /*   4 */ virtual TRect FooterCellInnerBounds(const TRect& R) const;
    /*   5 */ virtual TRect FooterCellTextBounds(const TRect& R) const;
    /*   6 */ virtual int PainterStyle() const { return pvStandard; }
    /*   7 */ virtual TColor ContentColor() const { return clWindow; }
    /*   8 */ virtual TColor ContentEvenColor() const { return ContentColor(); }
    /*   9 */ virtual TColor ContentOddColor() const { return ContentColor(); }
    /*  10 */ virtual TColor ContentTextColor() const { return clWindowText; }
    /*  11 */ virtual TColor EditorBackgroundColor(bool /*ADisabled*/) const { return clDefault; }
    /*  12 */ virtual TColor EditorTextColor(bool /*ADisabled*/) const { return clDefault; }
    /*  13 */ virtual TColor FilterBoxColor() const { return clBtnShadow; }
    /*  14 */ virtual TColor FilterBoxTextColor() const { return clBtnHighlight; }
    /*  15 */ virtual TColor FixedSeparatorColor() const { return clBtnText; }
    /*  16 */ virtual TColor FooterColor() const { return clBtnFace; }
    /*  17 */ virtual TColor FooterTextColor() const { return clBtnText; }
    /*  18 */ virtual TColor DetailSiteColor() const { return clBtnFace; }
    /*  19 */ virtual TColor GridLineColor() const { return clBtnShadow; }
    /*  20 */ virtual TColor GroupingBoxColor() const { return clBtnShadow; }
    /*  21 */ virtual TColor GroupingBoxTextColor() const { return clBtnFace; }
    /*  22 */ virtual TColor GroupRowColor() const { return clBtnFace; }
    /*  23 */ virtual TColor GroupRowTextColor() const { return clBtnText; }
    /*  24 */ virtual TColor HeaderAreaColor() const { return clBtnShadow; }
    /*  25 */ virtual TColor HeaderAreaTextColor() const { return clBtnFace; }
    /*  26 */ virtual TColor HeaderColor() const { return clBtnFace; }
    /*  27 */ virtual TColor HeaderTextColor() const { return clBtnText; }
    /*  28 */ virtual TColor LinkTextColor() const { return clBlue; }
    /*  29 */ virtual TColor InactiveSelectionColor() const { return clBtnFace; }
    /*  30 */ virtual TColor InactiveSelectionTextColor() const { return clBtnText; }
    /*  31 */ virtual TColor PreviewTextColor() const { return clBlue; }
    /*  32 */ virtual TColor RecordSeparatorColor() const { return GridLineColor(); }
    /*  33 */ virtual TColor ScrollBarCornerColor() const { return clBtnFace; }
    /*  34 */ virtual TColor CategoryColor() const { return HeaderColor(); }
    /*  35 */ virtual TColor CategoryTextColor() const { return clDefault; }
    /*  36 */ virtual TColor PropertyLineColor() const { return clBlack; }
    /*  37 */ virtual TColor PropertyBandLineColor() const { return PropertyLineColor(); }
    /*  38 */ virtual TColor CalendarHeaderColor() const { return clBtnFace; }
    /*  39 */ virtual TColor CalendarSelectionColor() const { return clHighlight; }
    /*  40 */ virtual TColor CalendarSelectionTextColor() const { return clHighlightText; }
    /*  41 */ virtual TColor PlannerBackgroundColor() const { return clWindow; }
    /*  42 */ virtual TColor PlannerTextColor() const { return clWindowText; }
    /*  43 */ virtual TColor PlannerBorderColor() const { return static_cast<TColor>(0x9D9DA1); }
    /*  44 */ virtual TColor PlannerControlColor() const { return clBtnFace; }
    /*  45 */ virtual TColor PlannerGroupColor() const { return clBtnFace; }
    /*  46 */ virtual TColor PlannerViewContentColor() const { return static_cast<TColor>(0xD5FFFF); }
    /*  47 */ virtual TColor PlannerColorAt(int /*AIndex*/) const { return PlannerSelectionTextColor(); }
    /*  48 */ virtual TColor PlannerEventTextColor() const { return clWindowText; }
    /*  49 */ virtual TColor PlannerSelectionColor() const { return clHighlight; }
    /*  50 */ virtual TColor PlannerSelectionTextColor() const { return clHighlightText; }
    /*  51 */ virtual TColor PlannerSeparatorColor() const { return clBtnFace; }
    /*  52 */ virtual TColor TabColor() const { return clBtnFace; }
    /*  53 */ virtual TColor TabTextColor() const { return clBtnText; }
    /*  54 */ virtual TColor TabAreaColor() const { return clBtnFace; }
    /*  55 */ virtual TColor PlannerWhiteColor() const { return clWhite; }
    /*  56 */ virtual TColor PlannerBlackColor() const { return clBlack; }
    /*  57 */ virtual TColor TimeScaleMinorColor() const { return clBtnFace; }
    /*  58 */ virtual TColor TimeScaleTextColor() const { return clBtnText; }
    /*  59 */ virtual TColor TimeSelectionBarColor() const { return clWhite; }
    /*  60 */ virtual TColor PlannerLineColor1() const { return clBlack; }
    /*  61 */ virtual TColor PlannerLineColor2() const { return clBlack; }
    /*  62 */ virtual TColor PlannerLineColor3() const { return clBlack; }
    /*  63 */ virtual TColor PlannerShadeColor() const { return static_cast<TColor>(0xCFCFCF); }
    /*  64 */ virtual TColor PlannerLightColor() const { return clWhite; }
    /*  65 */ virtual TColor ChartLevelBorderColor() const { return clBtnShadow; }
    /*  66 */ virtual TColor ChartLevelSelectionColor() const { return static_cast<TColor>(0xF0CAA6); }
    /*  67 */ virtual TColor ChartLevelTextColor() const { return clNavy; }
    /*  68 */ virtual TColor ChartLevelLineColor1() const { return clBtnShadow; }
    /*  69 */ virtual TColor ChartLevelLineColor2() const { return clBtnShadow; }
    /*  70 */ virtual void PaintArrow(TuiCanvas* ACanvas, const TRect& R, TColor AColor,
                                      TuiArrowDirection AArrowDirection) const;
    /*  71 */ virtual void PaintScrollArrow(TuiCanvas* ACanvas, const TRect& R, bool AWithButton,
                                            TuiArrowDirection AArrowDirection, TuiButtonPaintState AState) const;
    /*  72 */ virtual void PaintArrowButtonFrame(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const;
    /*  73 */ virtual void PaintArrowGlyph(TuiCanvas* ACanvas, const TRect& R, TuiArrowDirection AArrowDirection,
                                           TuiButtonPaintState AState) const;
    /*  74 */ virtual int ControlBorderSize() const { return 0; }
    /*  75 */ virtual void PaintControlBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /*  76 */ virtual TRect GroupButtonDisplayRect(const TRect& R) const { return R; }
    /*  77 */ virtual int ButtonBorderWidth(TuiButtonPaintState /*AState*/) const { return 0; }
    /*  78 */ virtual TColor ButtonFaceColor(TuiButtonPaintState /*AState*/) const { return clBtnFace; }
    /*  79 */ virtual TRect ButtonFocusBounds(const TRect& R) const;
    /*  80 */ virtual TRect GroupButtonBorderWidths(int ACount, int AIndex) const;
    /*  81 */ virtual int ButtonCaptionOffset() const { return 0; }
    /*  82 */ virtual int ButtonPressedShift() const { return 0; }
    /*  83 */ virtual TColor ButtonGlyphColor(TuiButtonPaintState AState, TColor AColor = clDefault) const;
    /*  84 */ virtual TuiButtonPaintState ButtonGlyphState(TuiButtonPaintState AState) const { return AState; }
    /*  85 */ virtual void PaintButton(TuiCanvas* ACanvas, const TRect& R, bool AWordWrap, TColor ATextColor,
                                       TColor AFaceColor, bool AWithBorder, TuiButtonPaintState AState,
                                       const std::string& ACaption) const;
    /*  86 */ virtual void PaintGroupButton(TuiCanvas* ACanvas, const TRect& R, TColor AFrameColor, int AIndex,
                                            int ACount, TuiButtonPaintState AState) const;
    /*  87 */ virtual void PaintButtonBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/,
                                             TuiButtonPaintState /*AState*/) const {}
    /*  88 */ virtual void PaintGroupButtonFrame(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, bool /*AHighlighted*/,
                                                 bool /*ADark*/) const {}
    /*  89 */ virtual void PaintExpandButton(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, TColor /*AColor*/,
                                             bool /*AExpanded*/) const {}
    /*  90 */ virtual bool ExpandButtonDrawnFirst() const { return true; }
    /*  91 */ virtual void PaintGroupExpandButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                                  bool AExpanded) const;
    /*  92 */ virtual void PaintSmallExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AInnerColor,
                                                  TColor AFrameColor, bool AExpanded) const;
    /*  93 */ virtual int ExpandButtonExtent() const { return 0; }
    /*  94 */ virtual int GroupExpandButtonExtent() const { return 15; }
    /*  95 */ virtual bool ButtonHotTracks() const { return false; }
    /*  96 */ virtual bool PointInGroupExpandButton(const TRect& R, const TPoint& P) const;
    /*  97 */ virtual int SmallExpandButtonExtent() const { return 9; }
    /*  98 */ virtual int CheckFrameWidth() const { return 2; }
    /*  99 */ virtual TColor CheckGlyphColor(TuiButtonPaintState AState) const;
    /* 100 */ virtual TPoint CheckGlyphSize() const;
    /* 101 */ virtual void PaintCheckMark(TuiCanvas* ACanvas, const TRect& R, TColor AMarkColor, bool AShowMark,
                                          TuiButtonPaintState AState) const;
    /* 102 */ virtual void PaintCheckBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/,
                                            TuiButtonPaintState /*AState*/) const {}
    /* 103 */ virtual void PaintCheckGlyphFlag(TuiCanvas* ACanvas, const TRect& R, bool AChecked,
                                               TuiButtonPaintState AState) const;
    /* 104 */ virtual void PaintCheckGlyph(TuiCanvas* ACanvas, const TRect& R, TuiCheckBoxState ACheckState,
                                           TuiButtonPaintState AState) const;
    /* 105 */ virtual void PaintRadioGlyph(TuiCanvas* ACanvas, int X, int Y, TColor ABrushColor, bool AFocused,
                                           bool AChecked, bool ADesigning, TuiButtonPaintState AState) const;
    /* 106 */ virtual TPoint RadioGlyphSize() const;
    /* 107 */ virtual void PaintHeader(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                       TuiNeighbours ANeighbours, TuiBorders ABorders, TuiButtonPaintState AState,
                                       TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                       bool AShowEndEllipsis, const std::string& AText, TFont* AFont, TColor ATextColor,
                                       TColor ABkColor, const TuiPaintCallback& AOnDrawBackground,
                                       bool AIsLast = false) const;
    /* 108 */ virtual void PaintHeaderEx(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                         TuiNeighbours ANeighbours, TuiBorders ABorders, TuiButtonPaintState AState,
                                         TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert,
                                         bool AMultiLine, bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                         TColor ATextColor, TColor ABkColor) const;
    /* 109 */ virtual void PaintHeaderBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, TuiNeighbours /*ANeighbours*/,
                                             TuiBorders /*ABorders*/) const {}
    /* 110 */ virtual void PaintHeaderPressed(TuiCanvas* ACanvas, const TRect& R) const;
    /* 111 */ virtual void PaintSection(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect, TuiBorders ABorders,
                                        TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                        TuiVerticalAlignment AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                        const std::string& AText, TFont* AFont, TColor ATextColor,
                                        TColor ABkColor) const;
    /* 112 */ virtual void PaintSectionBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, TuiBorders /*ABorders*/,
                                              TuiButtonPaintState /*AState*/) const {}
    /* 113 */ virtual void PaintSectionContent(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                               TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                               TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                               bool AShowEndEllipsis, const std::string& AText, TFont* AFont,
                                               TColor ATextColor, TColor ABkColor) const;
    /* 114 */ virtual void PaintSectionText(TuiCanvas* ACanvas, const TRect& ATextRect, TuiButtonPaintState AState,
                                            TAlignment AAlignmentHorz, TuiVerticalAlignment AAlignmentVert,
                                            bool AMultiLine, bool AShowEndEllipsis, const std::string& AText,
                                            TFont* AFont, TColor ATextColor) const;
    /* 115 */ virtual void PaintBandedRect(TuiCanvas* ACanvas, const TRect& R, const TuiFillParams& AFillParams,
                                           TColor AColor, int ABandWidth) const;
    /* 116 */ virtual void PaintSortMark(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, bool /*AAscending*/) const {}
    /* 117 */ virtual TuiBorders HeaderSides(TuiNeighbours /*ANeighbours*/) const { return uiBordersAll; }
    /* 118 */ virtual int HeaderBorderWidth() const { return 0; }
    /* 119 */ virtual TRect HeaderPaintBounds(const TRect& R, TuiNeighbours ANeighbours, TuiBorders ASides) const;
    /* 120 */ virtual TRect HeaderInnerBounds(const TRect& R, TuiBorders ASides) const;
    /* 121 */ virtual bool HeaderCellsFirst() const { return true; }
    /* 122 */ virtual int HeaderHeightFor(int AFontHeight) const;
    /* 123 */ virtual int SectionBorderWidth(TuiButtonPaintState /*AState*/) const { return 1; }
    /* 124 */ virtual TRect SectionTextBounds(const TRect& R, TuiButtonPaintState AState) const;
    /* 125 */ virtual TRect SectionInnerBounds(const TRect& R, TuiButtonPaintState AState) const;
    /* 126 */ virtual int HeaderWidthFor(TuiCanvas* ACanvas, TuiBorders ASides, TFont* AFont,
                                         const std::string& AText) const;
    /* 127 */ virtual bool HeaderHotTracks() const { return false; }
    /* 128 */ virtual TPoint SortMarkAreaSize() const;
    /* 129 */ virtual TPoint SortMarkSize() const { return TPoint{0, 0}; }
    /* 130 */ virtual void PaintFooterBackground(TuiCanvas* ACanvas, const TRect& R,
                                                 const TuiFillParams& AFillParams) const;
    /* 131 */ virtual TuiBorders FooterSides() const { return uiBordersAll; }
    /* 132 */ virtual int FooterBorderWidth() const { return 0; }
    /* 133 */ virtual int FooterCellBorderWidth() const { return 0; }
    /* 134 */ virtual int FooterCellSpacing() const { return 0; }
    /* 135 */ virtual bool FooterCellsFirst() const { return true; }
    /* 136 */ virtual TColor FooterSeparatorColor() const { return clBtnShadow; }
    /* 137 */ virtual int FooterSeparatorWidth() const { return 1; }
    /* 138 */ virtual void PaintFooterCell(TuiCanvas* ACanvas, const TRect& R, TAlignment AAlignmentHorz,
                                           TuiVerticalAlignment AAlignmentVert, bool AMultiLine,
                                           const std::string& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                                           const TuiPaintCallback& AOnDrawBackground) const;
    /* 139 */ virtual void PaintFooterBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 140 */ virtual void PaintFooterCellBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 141 */ virtual void PaintFooterContent(TuiCanvas* ACanvas, const TRect& R,
                                              const TuiFillParams& AFillParams) const;
    /* 142 */ virtual void PaintFooterSeparator(TuiCanvas* ACanvas, const TRect& R) const;
    /* 143 */ virtual void PaintFilterCheck(TuiCanvas* ACanvas, const TRect& R, TuiCheckBoxState ACheckState,
                                            TuiButtonPaintState AState) const;
    /* 144 */ virtual void PaintFilterCloseButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const;
    /* 145 */ virtual void PaintFilterDropButton(TuiCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                 TuiButtonPaintState /*AState*/, bool /*AIsFilterActive*/) const {}
    /* 146 */ virtual void PaintFilterPanelBackground(TuiCanvas* ACanvas, const TRect& R,
                                                      const TuiFillParams& AFillParams) const;
    /* 147 */ virtual TPoint FilterCheckSize() const { return TPoint{13, 13}; }
    /* 148 */ virtual TPoint FilterCloseButtonExtent() const { return TPoint{16, 14}; }
    /* 149 */ virtual TPoint FilterDropButtonSize() const { return TPoint{15, 0}; }
    /* 150 */ virtual void PaintWindowBackground(TuiCanvas* ACanvas, const TRect& R) const;
    /* 151 */ virtual int PopupFrameKind() const { return 1; }
    /* 152 */ virtual void PaintTab(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, const TRect& /*ATextRect*/,
                                    TuiButtonPaintState /*AState*/, TuiBorders /*ASides*/, bool /*AVertical*/,
                                    const std::string& /*AText*/, TFont* /*AFont*/, TColor /*ATextColor*/,
                                    TColor /*ABkColor*/) const {}
    /* 153 */ virtual void PaintTabBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, bool /*AVertical*/,
                                          TuiBorders /*ASides*/, TuiBorder /*ASide*/) const {}
    /* 154 */ virtual void PaintTabArea(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, TuiBorders /*ASides*/) const {}
    /* 155 */ virtual bool TabPaintingSupported() const { return false; }
    /* 156 */ virtual bool TabHotTracks() const { return false; }
    /* 157 */ virtual int TabBorderWidth() const { return 0; }
    /* 158 */ virtual void PaintGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const;
    /* 159 */ virtual void PaintIndicatorImage(TuiCanvas* ACanvas, const TRect& R, int AKind) const;
    /* 160 */ virtual void PaintIndicatorCell(TuiCanvas* ACanvas, const TRect& R, int AKind,
                                              TuiNeighbours ANeighbours) const;
    /* 161 */ virtual void PaintIndicatorCellEx(TuiCanvas* ACanvas, const TRect& R, int AKind,
                                                TuiNeighbours ANeighbours) const;
    /* 162 */ virtual bool IndicatorCellsFirst() const { return true; }
    /* 163 */ virtual int ScrollThumbMinimum(bool /*AVertical*/) const { return 8; }
    /* 164 */ virtual void PaintScrollBarPart(TuiCanvas* /*ACanvas*/, bool /*AHorizontal*/,
                                              TuiButtonPaintState /*AState*/, TuiScrollBarPart /*APart*/,
                                              const TRect& /*R*/) const {}
    /* 165 */ virtual TSize ScrollBarMetrics() const;
    /* 166 */ virtual void PaintSizeGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const;
    /* 167 */ virtual void NavigationButtonLayout(bool AIsNext, bool AWithoutText, TRect& AArrowRect, TRect& ATextRect,
                                                  TRect& AButtonRect, int ATextExtent1, int ATextExtent2) const;
    /* 168 */ virtual void PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset,
                                             int AArrows, const TuiFillParams& AFillParams, TuiNeighbours ANeighbours,
                                             const std::string& AText, TFont* AFont,
                                             const TuiPaintCallback& AOnDrawBackground) const;
    /* 169 */ virtual void PaintPlannerBorder(TuiCanvas* ACanvas, const TRect& R) const;
    /* 170 */ virtual void PaintProgress(TuiCanvas* ACanvas, const TRect& R, bool AFramedOnly,
                                         const TuiFillParams& AFillParams, const TRect& AFilledRect) const;
    /* 171 */ virtual void PaintVerticalNavigationButton(TuiCanvas* ACanvas, const TRect& R, const TRect& AArrowRect,
                                                         const TRect& ATextRect, TuiButtonPaintState AState,
                                                         bool AIsNext, const std::string& ACaption) const;
    /* 172 */ virtual void PaintNavigationArrow(TuiCanvas* ACanvas, const TRect& R, bool AIsNext, TColor AColor) const;
    /* 173 */ virtual void PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const;
    /* 174 */ virtual void PaintPlannerSplitter(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, bool /*AHorizontal*/,
                                                const TuiFillParams& /*AFillParams*/) const {}
    /* 175 */ virtual TRect ProgressMargins() const { return TRect{2, 2, 2, 2}; }
    /* 176 */ virtual void NavigationButtonMetrics(bool AIsNext, TRect& ABorders, TSize& AArrowSize) const;
    /* 177 */ virtual int ChartLevelBorderWidth() const { return 1; }
    /* 178 */ virtual void PaintClock(TuiCanvas* ACanvas, const TRect& R, TColor ABkColor, TDateTime ATime) const;
    /* 179 */ virtual void PaintEditorButton(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, int /*AKind*/,
                                             int /*AState*/) const {}
    /* 180 */ virtual int EditorButtonTextOffset() const { return 0; }
    /* 181 */ virtual TSize EditorButtonSize() const { return TSize{0, 0}; }
    /* 182 */ virtual TColor EditorButtonTextColor() const { return clDefault; }
    /* 183 */ virtual TColor EditorBorderColor(bool /*AIsHighlight*/) const { return clDefault; }
    /* 184 */ virtual void PaintListImage(TuiCanvas* ACanvas, const TPoint& P, TCustomImageList* AImages, int AIndex,
                                          bool AEnabled) const;
    /* 185 */ virtual TSize ListImageSize() const { return TSize{0, 0}; }
    /* 186 */ virtual void PaintAuxiliary1(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 187 */ virtual void PaintAuxiliary2(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 188 */ virtual TRect AuxiliaryBorderWidths() const { return TRect{}; }
    /* 189 */ virtual TColor AuxiliaryTextColor() const { return clDefault; }
    /* 190 */ virtual void PaintGroupBoxBackground(TuiCanvas* /*ACanvas*/, const TRect& /*AControlRect*/,
                                                   const TRect& /*R*/) const {}
    /* 191 */ virtual void PaintGroupBoxContent(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 192 */ virtual void PaintGroupBoxCaption(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 193 */ virtual TRect GroupBoxBorderWidths() const { return TRect{}; }
    /* 194 */ virtual TColor GroupBoxCaptionColor() const { return clDefault; }
    /* 195 */ virtual bool GroupBoxTransparent() const { return false; }
    /* 196 */ virtual void PaintPanelBackground(TuiCanvas* ACanvas, TControl* AControl, TColor AColor2, TColor AColor1,
                                                const TRect& R) const;
    /* 197 */ virtual void PaintPanelBorder(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 198 */ virtual void PaintPanelFrame(TuiCanvas* ACanvas, const TRect& R) const;
    /* 199 */ virtual void PaintPanelContent(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const {}
    /* 200 */ virtual TRect PanelBorderWidths() const { return TRect{}; }
    /* 201 */ virtual TColor PanelCaptionColor() const { return clDefault; }
    /* 202 */ virtual void PaintTrack(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, bool /*AHorizontal*/) const {}
    /* 203 */ virtual void PaintTrackThumb(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, bool /*AHorizontal*/,
                                           TuiButtonPaintState /*AState*/) const {}
    /* 204 */ virtual TSize TrackThumbSize() const { return TSize{0, 0}; }
    /* 205 */ virtual TColor TrackTicksColor() const { return clDefault; }
    /* 206 */ virtual int TrackWidth() const { return 0; }
    /* 207 */ virtual void PaintSplitterBar(TuiCanvas* /*ACanvas*/, const TRect& /*R*/, bool /*AHorizontal*/) const {}
    /* 208 */ virtual TSize SplitterBarSize() const { return TSize{0, 0}; }

protected:
    // The plus or minus sign of an expand button in AColor.
    void DrawExpandCross(TuiCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded) const;
    // The header-style sort triangle of ASize in the light and dark colours.
    void DrawSortTriangle(TuiCanvas* ACanvas, const TRect& R, bool AAscending, TPoint ASize, TColor ALight,
                          TColor ADark) const;
    // The pair of small arrows of an arrows header, in clWindowText.
    void DrawHeaderArrows(TuiCanvas* ACanvas, TRect R, int AInset, int AArrows) const;
    // A page area of a scroll bar: the pattern bitmap brush (the second pattern when pressed).
    void DrawScrollBarPageArea(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const;
};

class TuiStandardLookAndFeelPainter : public TuiCustomLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiStandardLookAndFeelPainter"; }

    /*   6 */ int PainterStyle() const override { return pvStandard; }
    /*  46 */ TColor PlannerViewContentColor() const override { return clWindow; }
    /*  74 */ int ControlBorderSize() const override { return 2; }
    /*  75 */ void PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /*  77 */ int ButtonBorderWidth(TuiButtonPaintState AState) const override { return AState == bpsDefault ? 3 : 2; }
    /*  81 */ int ButtonCaptionOffset() const override { return 1; }
    /*  82 */ int ButtonPressedShift() const override { return 1; }
    /*  87 */ void PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /*  89 */ void PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded) const override;
    /*  91 */ void PaintGroupExpandButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                          bool AExpanded) const override;
    /*  93 */ int ExpandButtonExtent() const override { return 12; }
    /*  95 */ bool ButtonHotTracks() const override { return false; }
    /* 102 */ void PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /* 109 */ void PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours,
                                     TuiBorders ABorders) const override;
    /* 112 */ void PaintSectionBorder(TuiCanvas* ACanvas, const TRect& R, TuiBorders ABorders,
                                      TuiButtonPaintState AState) const override;
    /* 116 */ void PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const override;
    /* 118 */ int HeaderBorderWidth() const override { return 1; }
    /* 123 */ int SectionBorderWidth(TuiButtonPaintState AState) const override { return AState == bpsPressed ? 1 : 2; }
    /* 129 */ TPoint SortMarkSize() const override { return TPoint{8, 7}; }
    /* 132 */ int FooterBorderWidth() const override { return 1; }
    /* 133 */ int FooterCellBorderWidth() const override { return 1; }
    /* 134 */ int FooterCellSpacing() const override { return 1; }
    /* 139 */ void PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 140 */ void PaintFooterCellBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 145 */ void PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                         bool AIsFilterActive) const override;
    /* 153 */ void PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical, TuiBorders ASides,
                                  TuiBorder ASide) const override;
    /* 154 */ void PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const override;
    /* 157 */ int TabBorderWidth() const override { return 1; }
    /* 164 */ void PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                      TuiScrollBarPart APart, const TRect& R) const override;
    /* 168 */ void PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset, int AArrows,
                                     const TuiFillParams& AFillParams, TuiNeighbours ANeighbours,
                                     const std::string& AText, TFont* AFont,
                                     const TuiPaintCallback& AOnDrawBackground) const override;
    /* 174 */ void PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                        const TuiFillParams& AFillParams) const override;
};

class TuiFlatLookAndFeelPainter : public TuiCustomLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiFlatLookAndFeelPainter"; }

    /*   6 */ int PainterStyle() const override { return pvFlat; }
    /*  74 */ int ControlBorderSize() const override { return 1; }
    /*  75 */ void PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /*  77 */ int ButtonBorderWidth(TuiButtonPaintState AState) const override { return AState == bpsDefault ? 2 : 1; }
    /*  81 */ int ButtonCaptionOffset() const override { return 1; }
    /*  82 */ int ButtonPressedShift() const override { return 1; }
    /*  87 */ void PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /*  89 */ void PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded) const override;
    /*  93 */ int ExpandButtonExtent() const override { return 11; }
    /*  95 */ bool ButtonHotTracks() const override { return false; }
    /* 102 */ void PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /* 109 */ void PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours,
                                     TuiBorders ABorders) const override;
    /* 112 */ void PaintSectionBorder(TuiCanvas* ACanvas, const TRect& R, TuiBorders ABorders,
                                      TuiButtonPaintState AState) const override;
    /* 116 */ void PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const override;
    /* 118 */ int HeaderBorderWidth() const override { return 1; }
    /* 129 */ TPoint SortMarkSize() const override { return TPoint{8, 7}; }
    /* 132 */ int FooterBorderWidth() const override { return 1; }
    /* 133 */ int FooterCellBorderWidth() const override { return 1; }
    /* 134 */ int FooterCellSpacing() const override { return 1; }
    /* 139 */ void PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 140 */ void PaintFooterCellBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 145 */ void PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                         bool AIsFilterActive) const override;
    /* 153 */ void PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical, TuiBorders ASides,
                                  TuiBorder ASide) const override;
    /* 154 */ void PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const override;
    /* 157 */ int TabBorderWidth() const override { return 1; }
    /* 164 */ void PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                      TuiScrollBarPart APart, const TRect& R) const override;
    /* 174 */ void PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                        const TuiFillParams& AFillParams) const override;
};

class TuiUltraFlatLookAndFeelPainter : public TuiCustomLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiUltraFlatLookAndFeelPainter"; }

    /*   3 */ void PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState, bool AIsNext,
                                         const TRect& AArrowRect) const override;
    /*   6 */ int PainterStyle() const override { return pvUltraFlat; }
    /*  43 */ TColor PlannerBorderColor() const override { return clBtnShadow; }
    /*  74 */ int ControlBorderSize() const override { return 1; }
    /*  75 */ void PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /*  77 */ int ButtonBorderWidth(TuiButtonPaintState AState) const override { return AState == bpsDefault ? 2 : 1; }
    /*  78 */ TColor ButtonFaceColor(TuiButtonPaintState AState) const override;
    /*  79 */ TRect ButtonFocusBounds(const TRect& R) const override;
    /*  80 */ TRect GroupButtonBorderWidths(int ACount, int AIndex) const override;
    /*  81 */ int ButtonCaptionOffset() const override { return 2; }
    /*  82 */ int ButtonPressedShift() const override { return 0; }
    /*  83 */ TColor ButtonGlyphColor(TuiButtonPaintState AState, TColor AColor = clDefault) const override;
    /*  84 */ TuiButtonPaintState ButtonGlyphState(TuiButtonPaintState /*AState*/) const override { return bpsNormal; }
    /*  86 */ void PaintGroupButton(TuiCanvas* ACanvas, const TRect& R, TColor AFrameColor, int AIndex, int ACount,
                                    TuiButtonPaintState AState) const override;
    /*  87 */ void PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /*  88 */ void PaintGroupButtonFrame(TuiCanvas* ACanvas, const TRect& R, bool AHighlighted,
                                         bool ADark) const override;
    /*  89 */ void PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded) const override;
    /*  93 */ int ExpandButtonExtent() const override { return 11; }
    /*  95 */ bool ButtonHotTracks() const override { return true; }
    /* 102 */ void PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /* 108 */ void PaintHeaderEx(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect, TuiNeighbours ANeighbours,
                                 TuiBorders ABorders, TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                 TuiVerticalAlignment AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                 const std::string& AText, TFont* AFont, TColor ATextColor,
                                 TColor ABkColor) const override;
    /* 109 */ void PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours,
                                     TuiBorders ABorders) const override;
    /* 112 */ void PaintSectionBorder(TuiCanvas* ACanvas, const TRect& R, TuiBorders ABorders,
                                      TuiButtonPaintState AState) const override;
    /* 113 */ void PaintSectionContent(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect,
                                       TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                       TuiVerticalAlignment AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                       const std::string& AText, TFont* AFont, TColor ATextColor,
                                       TColor ABkColor) const override;
    /* 116 */ void PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const override;
    /* 117 */ TuiBorders HeaderSides(TuiNeighbours ANeighbours) const override;
    /* 118 */ int HeaderBorderWidth() const override { return 1; }
    /* 129 */ TPoint SortMarkSize() const override { return TPoint{7, 8}; }
    /* 131 */ TuiBorders FooterSides() const override { return TuiBorders{bRight, bBottom}; }
    /* 132 */ int FooterBorderWidth() const override { return 1; }
    /* 133 */ int FooterCellBorderWidth() const override { return 1; }
    /* 134 */ int FooterCellSpacing() const override { return 2; }
    /* 139 */ void PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 140 */ void PaintFooterCellBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 145 */ void PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                         bool AIsFilterActive) const override;
    /* 148 */ TPoint FilterCloseButtonExtent() const override;
    /* 153 */ void PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical, TuiBorders ASides,
                                  TuiBorder ASide) const override;
    /* 154 */ void PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const override;
    /* 157 */ int TabBorderWidth() const override { return 1; }
    /* 164 */ void PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                      TuiScrollBarPart APart, const TRect& R) const override;
    /* 173 */ void PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /* 174 */ void PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                        const TuiFillParams& AFillParams) const override;

    /* 209 */ virtual TColor FilterButtonBorderColor(TuiButtonPaintState AState) const;
    /* 210 */ virtual TColor TabLightEdgeColor() const { return clBtnShadow; }
    /* 211 */ virtual TColor TabDarkEdgeColor() const { return clBtnText; }
    /* 212 */ virtual TColor ButtonGroupHighlightColor() const { return clHighlight; }
};

class TuiOffice11LookAndFeelPainter : public TuiUltraFlatLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiOffice11LookAndFeelPainter"; }

    /*   2 */ void PaintContent(TuiCanvas* ACanvas, const TRect& ABounds, bool APlainFill,
                                const TuiPaintCallback& AOnDrawBackground, TColor ABkColor, TColor ATextColor,
                                TFont* AFont, const std::string& AText, bool AShowEndEllipsis, bool AMultiLine,
                                TuiVerticalAlignment AAlignmentVert, TAlignment AAlignmentHorz,
                                TuiButtonPaintState AState, const TRect& ATextRect) const override;
    /*   3 */ void PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState, bool AIsNext,
                                         const TRect& AArrowRect) const override;
    /*   6 */ int PainterStyle() const override { return pvOffice11; }
    /*  13 */ TColor FilterBoxColor() const override;
    /*  14 */ TColor FilterBoxTextColor() const override;
    /*  16 */ TColor FooterColor() const override;
    /*  17 */ TColor FooterTextColor() const override { return HeaderTextColor(); }
    /*  20 */ TColor GroupingBoxColor() const override;
    /*  21 */ TColor GroupingBoxTextColor() const override;
    /*  22 */ TColor GroupRowColor() const override;
    /*  24 */ TColor HeaderAreaColor() const override { return GroupingBoxColor(); }
    /*  26 */ TColor HeaderColor() const override { return HeaderTopEdgeColor(); }
    /*  38 */ TColor CalendarHeaderColor() const override;
    /*  39 */ TColor CalendarSelectionColor() const override;
    /*  40 */ TColor CalendarSelectionTextColor() const override { return clWindowText; }
    /*  43 */ TColor PlannerBorderColor() const override;
    /*  44 */ TColor PlannerControlColor() const override;
    /*  52 */ TColor TabColor() const override;
    /*  54 */ TColor TabAreaColor() const override { return TabColor(); }
    /*  57 */ TColor TimeScaleMinorColor() const override;
    /*  59 */ TColor TimeSelectionBarColor() const override { return PlannerControlColor(); }
    /*  75 */ void PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /*  78 */ TColor ButtonFaceColor(TuiButtonPaintState AState) const override;
    /*  83 */ TColor ButtonGlyphColor(TuiButtonPaintState AState, TColor AColor = clDefault) const override;
    /*  87 */ void PaintButtonBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /*  89 */ void PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded) const override;
    /*  90 */ bool ExpandButtonDrawnFirst() const override { return false; }
    /*  92 */ void PaintSmallExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AInnerColor, TColor AFrameColor,
                                          bool AExpanded) const override;
    /*  93 */ int ExpandButtonExtent() const override { return 11; }
    /*  97 */ int SmallExpandButtonExtent() const override { return ExpandButtonExtent(); }
    /*  99 */ TColor CheckGlyphColor(TuiButtonPaintState AState) const override;
    /* 107 */ void PaintHeader(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect, TuiNeighbours ANeighbours,
                               TuiBorders ABorders, TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                               TuiVerticalAlignment AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                               const std::string& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                               const TuiPaintCallback& AOnDrawBackground, bool AIsLast = false) const override;
    /* 109 */ void PaintHeaderBorder(TuiCanvas* ACanvas, const TRect& R, TuiNeighbours ANeighbours,
                                     TuiBorders ABorders) const override;
    /* 111 */ void PaintSection(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect, TuiBorders ABorders,
                                TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                TuiVerticalAlignment AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                const std::string& AText, TFont* AFont, TColor ATextColor,
                                TColor ABkColor) const override;
    /* 116 */ void PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const override;
    /* 117 */ TuiBorders HeaderSides(TuiNeighbours /*ANeighbours*/) const override { return uiBordersAll; }
    /* 118 */ int HeaderBorderWidth() const override { return 1; }
    /* 127 */ bool HeaderHotTracks() const override { return true; }
    /* 136 */ TColor FooterSeparatorColor() const override { return HeaderShadowEdgeColor(); }
    /* 145 */ void PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                         bool AIsFilterActive) const override;
    /* 164 */ void PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                      TuiScrollBarPart APart, const TRect& R) const override;
    /* 166 */ void PaintSizeGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const override;
    /* 168 */ void PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset, int AArrows,
                                     const TuiFillParams& AFillParams, TuiNeighbours ANeighbours,
                                     const std::string& AText, TFont* AFont,
                                     const TuiPaintCallback& AOnDrawBackground) const override;
    /* 169 */ void PaintPlannerBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 173 */ void PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /* 196 */ void PaintPanelBackground(TuiCanvas* ACanvas, TControl* AControl, TColor AColor2, TColor AColor1,
                                        const TRect& R) const override;
    /* 209 */ TColor FilterButtonBorderColor(TuiButtonPaintState AState) const override;
    /* 210 */ TColor TabLightEdgeColor() const override { return HeaderShadowEdgeColor(); }
    /* 211 */ TColor TabDarkEdgeColor() const override { return clBtnText; }
    /* 212 */ TColor ButtonGroupHighlightColor() const override;

    /* 213 */ virtual TColor HeaderBottomEdgeColor() const;
    /* 214 */ virtual TColor HeaderShadowEdgeColor() const;
    /* 215 */ virtual TColor HeaderLightEdgeColor() const;
    /* 216 */ virtual TColor HeaderTopEdgeColor() const;
};

// Draws through the visual-styles service; every themed operation opens its theme type first and, when no
// handle comes, draws as the Standard painter (or the painter its fall-back names).
class TuiWinXPLookAndFeelPainter : public TuiStandardLookAndFeelPainter {
public:
    std::string ClassName() const override { return "TuiWinXPLookAndFeelPainter"; }

    /*   3 */ void PaintNavigationButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState, bool AIsNext,
                                         const TRect& AArrowRect) const override;
    /*   6 */ int PainterStyle() const override { return pvNative; }
    /*  43 */ TColor PlannerBorderColor() const override;
    /*  46 */ TColor PlannerViewContentColor() const override { return static_cast<TColor>(0xD5FFFF); }
    /*  71 */ void PaintScrollArrow(TuiCanvas* ACanvas, const TRect& R, bool AWithButton,
                                    TuiArrowDirection AArrowDirection, TuiButtonPaintState AState) const override;
    /*  72 */ void PaintArrowButtonFrame(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /*  74 */ int ControlBorderSize() const override;
    /*  75 */ void PaintControlBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /*  76 */ TRect GroupButtonDisplayRect(const TRect& R) const override;
    /*  77 */ int ButtonBorderWidth(TuiButtonPaintState AState) const override;
    /*  78 */ TColor ButtonFaceColor(TuiButtonPaintState AState) const override;
    /*  79 */ TRect ButtonFocusBounds(const TRect& R) const override;
    /*  80 */ TRect GroupButtonBorderWidths(int ACount, int AIndex) const override;
    /*  81 */ int ButtonCaptionOffset() const override { return 2; }
    /*  82 */ int ButtonPressedShift() const override { return 0; }
    /*  83 */ TColor ButtonGlyphColor(TuiButtonPaintState AState, TColor AColor = clDefault) const override;
    /*  85 */ void PaintButton(TuiCanvas* ACanvas, const TRect& R, bool AWordWrap, TColor ATextColor, TColor AFaceColor,
                               bool AWithBorder, TuiButtonPaintState AState,
                               const std::string& ACaption) const override;
    /*  89 */ void PaintExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded) const override;
    /*  90 */ bool ExpandButtonDrawnFirst() const override { return false; }
    /*  91 */ void PaintGroupExpandButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                          bool AExpanded) const override;
    /*  92 */ void PaintSmallExpandButton(TuiCanvas* ACanvas, const TRect& R, TColor AInnerColor, TColor AFrameColor,
                                          bool AExpanded) const override;
    /*  93 */ int ExpandButtonExtent() const override;
    /*  94 */ int GroupExpandButtonExtent() const override;
    /*  95 */ bool ButtonHotTracks() const override { return true; }
    /*  96 */ bool PointInGroupExpandButton(const TRect& R, const TPoint& P) const override;
    /*  97 */ int SmallExpandButtonExtent() const override;
    /*  98 */ int CheckFrameWidth() const override;
    /* 100 */ TPoint CheckGlyphSize() const override;
    /* 101 */ void PaintCheckMark(TuiCanvas* ACanvas, const TRect& R, TColor AMarkColor, bool AShowMark,
                                  TuiButtonPaintState AState) const override;
    /* 102 */ void PaintCheckBorder(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /* 105 */ void PaintRadioGlyph(TuiCanvas* ACanvas, int X, int Y, TColor ABrushColor, bool AFocused, bool AChecked,
                                   bool ADesigning, TuiButtonPaintState AState) const override;
    /* 106 */ TPoint RadioGlyphSize() const override;
    /* 107 */ void PaintHeader(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect, TuiNeighbours ANeighbours,
                               TuiBorders ABorders, TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                               TuiVerticalAlignment AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                               const std::string& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
                               const TuiPaintCallback& AOnDrawBackground, bool AIsLast = false) const override;
    /* 110 */ void PaintHeaderPressed(TuiCanvas* /*ACanvas*/, const TRect& /*R*/) const override {}
    /* 111 */ void PaintSection(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect, TuiBorders ABorders,
                                TuiButtonPaintState AState, TAlignment AAlignmentHorz,
                                TuiVerticalAlignment AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                const std::string& AText, TFont* AFont, TColor ATextColor,
                                TColor ABkColor) const override;
    /* 116 */ void PaintSortMark(TuiCanvas* ACanvas, const TRect& R, bool AAscending) const override;
    /* 118 */ int HeaderBorderWidth() const override;
    /* 123 */ int SectionBorderWidth(TuiButtonPaintState /*AState*/) const override { return HeaderBorderWidth(); }
    /* 125 */ TRect SectionInnerBounds(const TRect& R, TuiButtonPaintState AState) const override;
    /* 127 */ bool HeaderHotTracks() const override { return true; }
    /* 129 */ TPoint SortMarkSize() const override { return TPoint{7, 8}; }
    /* 132 */ int FooterBorderWidth() const override;
    /* 133 */ int FooterCellBorderWidth() const override;
    /* 134 */ int FooterCellSpacing() const override;
    /* 135 */ bool FooterCellsFirst() const override { return false; }
    /* 138 */ void PaintFooterCell(TuiCanvas* ACanvas, const TRect& R, TAlignment AAlignmentHorz,
                                   TuiVerticalAlignment AAlignmentVert, bool AMultiLine, const std::string& AText,
                                   TFont* AFont, TColor ATextColor, TColor ABkColor,
                                   const TuiPaintCallback& AOnDrawBackground) const override;
    /* 139 */ void PaintFooterBorder(TuiCanvas* ACanvas, const TRect& R) const override;
    /* 144 */ void PaintFilterCloseButton(TuiCanvas* ACanvas, const TRect& R,
                                          TuiButtonPaintState AState) const override;
    /* 145 */ void PaintFilterDropButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                         bool AIsFilterActive) const override;
    /* 147 */ TPoint FilterCheckSize() const override;
    /* 148 */ TPoint FilterCloseButtonExtent() const override;
    /* 152 */ void PaintTab(TuiCanvas* ACanvas, const TRect& R, const TRect& ATextRect, TuiButtonPaintState AState,
                            TuiBorders ASides, bool AVertical, const std::string& AText, TFont* AFont,
                            TColor ATextColor, TColor ABkColor) const override;
    /* 153 */ void PaintTabBorder(TuiCanvas* ACanvas, const TRect& R, bool AVertical, TuiBorders ASides,
                                  TuiBorder ASide) const override;
    /* 154 */ void PaintTabArea(TuiCanvas* ACanvas, const TRect& R, TuiBorders ASides) const override;
    /* 155 */ bool TabPaintingSupported() const override;
    /* 156 */ bool TabHotTracks() const override;
    /* 157 */ int TabBorderWidth() const override;
    /* 160 */ void PaintIndicatorCell(TuiCanvas* ACanvas, const TRect& R, int AKind,
                                      TuiNeighbours ANeighbours) const override;
    /* 163 */ int ScrollThumbMinimum(bool AVertical) const override;
    /* 164 */ void PaintScrollBarPart(TuiCanvas* ACanvas, bool AHorizontal, TuiButtonPaintState AState,
                                      TuiScrollBarPart APart, const TRect& R) const override;
    /* 166 */ void PaintSizeGrip(TuiCanvas* ACanvas, const TRect& R, TColor AColor) const override;
    /* 168 */ void PaintArrowsHeader(TuiCanvas* ACanvas, const TRect& R, TColor ATextColor, int AInset, int AArrows,
                                     const TuiFillParams& AFillParams, TuiNeighbours ANeighbours,
                                     const std::string& AText, TFont* AFont,
                                     const TuiPaintCallback& AOnDrawBackground) const override;
    /* 170 */ void PaintProgress(TuiCanvas* ACanvas, const TRect& R, bool AFramedOnly, const TuiFillParams& AFillParams,
                                 const TRect& AFilledRect) const override;
    /* 173 */ void PaintNavigatorButton(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState) const override;
    /* 174 */ void PaintPlannerSplitter(TuiCanvas* ACanvas, const TRect& R, bool AHorizontal,
                                        const TuiFillParams& AFillParams) const override;
    /* 175 */ TRect ProgressMargins() const override { return TRect{3, 3, 3, 3}; }
    /* 196 */ void PaintPanelBackground(TuiCanvas* ACanvas, TControl* AControl, TColor AColor2, TColor AColor1,
                                        const TRect& R) const override;

    /* 209 */ virtual void PaintThemedText(TuiCanvas* ACanvas, HTHEME ATheme, TColor ATextColor, TFont* AFont,
                                           const std::string& AText, bool AShowEndEllipsis, bool AMultiLine,
                                           TuiVerticalAlignment AAlignmentVert, TAlignment AAlignmentHorz,
                                           const TRect& ATextRect, int APart, int AState,
                                           bool AShowPrefix = false) const;
};

// The class reference of a painter class: its one shared instance.
template <class TPainter>
TuiLookAndFeelPainterClass PainterClass() {
    static const TPainter painter;
    return &painter;
}

// The painter class of each kind, in the order of TuiLookAndFeelKind.
TuiLookAndFeelPainterClass LookAndFeelPainterClass(TuiLookAndFeelKind Kind);
// Style code 0 gives lfFlat, 2 lfUltraFlat, 4 lfOffice11, every other code lfStandard.
TuiLookAndFeelKind PainterStyleToKind(int Style);

// One named extra painter.
class TuiExtendedStylePainterInfo : public TObject {
public:
    TuiExtendedStylePainterInfo(const std::string& AName, TuiLookAndFeelPainterClass APainter)
        : Name(AName), Painter(APainter) {}
    std::string ClassName() const override { return "TuiExtendedStylePainterInfo"; }

    std::string Name;
    TuiLookAndFeelPainterClass Painter = nullptr;
};

// The registry of extra painters, with the look and feels that use one of them as listeners.
class TuiExtendedStylePainters : public TuiObjectList {
public:
    std::string ClassName() const override { return "TuiExtendedStylePainters"; }

    void AddListener(IuiLookAndFeelPainterListener* AListener);
    void RemoveListener(IuiLookAndFeelPainterListener* AListener);
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }
    // Adds a painter under a name and tells the listeners.
    void Register(const std::string& AName, TuiLookAndFeelPainterClass APainter);
    // Removes the painter of that name (ignoring case) and tells the listeners.
    void Unregister(const std::string& AName);
    // The first painter whose name equals AName without regard to case.
    bool GetPainterByName(const std::string& AName, TuiLookAndFeelPainterClass& APainter) const;
    TuiExtendedStylePainterInfo* GetItem(int Index) const {
        return static_cast<TuiExtendedStylePainterInfo*>(Items(Index));
    }

private:
    void NotifyListeners();
    std::vector<IuiLookAndFeelPainterListener*> listeners_;
};

// The registry while the painter unit is started; nullptr otherwise.
TuiExtendedStylePainters* ExtendedStylePainters();

// ---- the unit's shared glyphs ----------------------------------------------------------------------------

// The two 8 x 8 page-area patterns of the scroll bars: 0 for normal page areas, 1 for pressed ones; nullptr
// while the unit is not started.
TBitmap* ScrollBarPattern(int AIndex);
// Redraws both patterns in the current system colours (creating them when missing).
void UpdateScrollBarPatterns();

// Unit start-up: the registry, the indicator images, the scroll-bar patterns, the palette listener and the
// check-glyph size; shutdown frees them in order. Counted: only the first start and the last shutdown act.
void uiLookAndFeelPaintersStartup();
void uiLookAndFeelPaintersShutdown();

}  // namespace zel
