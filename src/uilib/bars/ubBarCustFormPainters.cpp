// The customizing form's painters: how the command list draws its rows in each look.
#include <algorithm>

#include "platform/vcl/ImgList.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/ubOffice11.h"

namespace zel {

namespace {

constexpr int kGlyphColumn = 23;  // the base look's glyph column, closed by a line at its right
constexpr int kDropDownPart = 13;
constexpr int kComboButton = 12;

HDC DC(TCanvas* ACanvas) { return ACanvas->GetHandle(); }

void Fill(TCanvas* ACanvas, const TRect& R, TColor AColor) {
    if (R.right <= R.left || R.bottom <= R.top) return;
    FillRectWithColor(DC(ACanvas), R, AColor);
}

void Frame(TCanvas* ACanvas, const TRect& R, TColor AColor) { FrameRectWithColor(DC(ACanvas), R, AColor); }

void Edge(TCanvas* ACanvas, TRect R, UINT AEdge, UINT AFlags) {
    RECT r = R;
    DrawEdge(DC(ACanvas), &r, AEdge, AFlags);
}

// A listing container shows its items in a menu in its place.
bool IsListingContainer(TubBarItem* AItem) {
    auto* container = dynamic_cast<TCustomubBarContainerItem*>(AItem);
    return container != nullptr && container->ReplacesPlaceholder();
}

bool IsCombo(TubBarItem* AItem) { return dynamic_cast<TCustomubBarCombo*>(AItem) != nullptr; }

TColor Office11Role(int ARole) { return Office11RoleColor(ARole); }

}  // namespace

TubBarCustomizingFormPainterClass CustomizingFormPainterOf(const TubBarManager* AManager) {
    static const TubBarCustomizingFormStandardPainter standard;
    static const TubBarCustomizingFormFlatPainter flat;
    static const TubBarCustomizingFormOffice11Painter office11;
    static const TubBarCustomizingFormXPPainter xp;
    switch (AManager != nullptr ? AManager->PainterKind() : bpkStandard) {
        case bpkXP: return &xp;
        case bpkOffice11: return &office11;
        case bpkFlat: return &flat;
        default: return &standard;
    }
}

// ---- base --------------------------------------------------------------------------------------------------

void TubBarCustomizingFormPainter::DrawCommandArrow(TCanvas* ACanvas, int X, bool ASelected, int Y) const {
    const TColor color = ASelected && IsButtonFaceWhite() ? clWhite : ACanvas->Font()->GetColor();
    // Columns of 7, 5, 3 and 1 pixels: the triangle (x, y), (x, y + 6), (x + 3, y + 3).
    for (int i = 0; i <= 3; ++i) Fill(ACanvas, TRect{X + i, Y + i, X + i + 1, Y + 7 - i}, color);
}

TColor TubBarCustomizingFormPainter::GetItemColor(bool ASelected, TubBarItem*) const {
    return ASelected ? clHighlight : clBtnFace;
}

TColor TubBarCustomizingFormPainter::GetTextColor(bool ASelected) const {
    return ASelected ? clHighlightText : clBtnText;
}

bool TubBarCustomizingFormPainter::ItemHasGlyph(TubBarItem* AItem) {
    if (AItem == nullptr) return false;
    if (AItem->GetGlyph() != nullptr && !AItem->GetGlyph()->Empty()) return true;
    TubBarManager* m = AItem->GetBarManager();
    return m != nullptr && m->GetImages() != nullptr && AItem->GetImageIndex() >= 0 &&
           AItem->GetImageIndex() < m->GetImages()->Count();
}

bool TubBarCustomizingFormPainter::HasDropDownPart(TubBarItem* AItem) {
    auto* button = dynamic_cast<TubBarButton*>(AItem);
    return button != nullptr && button->GetButtonStyle() == bsDropDown;
}

bool TubBarCustomizingFormPainter::HasSubArrow(TubBarItem* AItem) {
    auto* sub = dynamic_cast<TCustomubBarSubItem*>(AItem);
    return sub != nullptr && (dynamic_cast<TCustomubBarContainerItem*>(AItem) == nullptr || IsListingContainer(AItem));
}

void TubBarCustomizingFormPainter::DrawItemGlyph(TCanvas* ACanvas, const TRect& ARect, TubBarItem* AItem) {
    TubBarManager* m = AItem->GetBarManager();
    TubBarGlyph glyph;
    glyph.Bitmap = AItem->GetGlyph();
    glyph.ImageIndex = AItem->GetImageIndex();
    glyph.Images = m != nullptr ? m->GetImages() : nullptr;
    if (m != nullptr && !AItem->GetEnabled())
        if (TCustomImageList* disabled = m->GetImageList(ilkDisabledImages)) {
            glyph.Images = disabled;
            glyph.UseDisabledImages = true;
        }
    TubBarPainterClass painter = BarPainterOf(m);
    glyph.FadedColor = painter->GetFadedColor(m);
    TubBarItemPaintState state;
    state.Bar = bwkSubMenu;
    state.Enabled = AItem->GetEnabled();
    state.HasGlyph = true;
    state.Manager = m;
    painter->DrawGlyphButton(DC(ACanvas), ARect, state, glyph, true);
}

void TubBarCustomizingFormPainter::DrawCaption(TCanvas* ACanvas, const TRect& ARect, bool ASelected,
                                               const std::string& ACaption) const {
    RECT r{ARect.left + 2, ARect.top, ARect.right, ARect.bottom};
    const std::string text = StripAccelerators(ACaption);
    SetBkMode(DC(ACanvas), TRANSPARENT);
    SetTextColor(DC(ACanvas), static_cast<COLORREF>(ColorToRGB(GetTextColor(ASelected))));
    DrawText(DC(ACanvas), text, static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TubBarCustomizingFormPainter::DrawCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected,
                                               const std::string& ACaption, TubBarItem* AItem) const {
    const TColor color = GetItemColor(ASelected, AItem);
    const TRect column{ARect.left, ARect.top, ARect.left + kGlyphColumn, ARect.bottom};
    Fill(ACanvas, column, color);
    Fill(ACanvas, TRect{column.right, ARect.top, column.right + 1, ARect.bottom}, clBtnShadow);
    if (ItemHasGlyph(AItem)) {
        if (ASelected) Edge(ACanvas, column, BDR_RAISEDINNER, BF_RECT);
        DrawItemGlyph(ACanvas, column, AItem);
    }
    const bool dropDown = HasDropDownPart(AItem);
    TRect text{ARect.left + kGlyphColumn + 1, ARect.top, ARect.right - (dropDown ? kDropDownPart : 0), ARect.bottom};
    Fill(ACanvas, text, color);
    const std::string caption = IsListingContainer(AItem) ? "(" + ACaption + ")" : ACaption;
    DrawCaption(ACanvas, text, ASelected, caption);
    ACanvas->Font()->SetColor(GetTextColor(ASelected));
    if (dropDown) {
        const TRect part{ARect.right - kDropDownPart, ARect.top, ARect.right, ARect.bottom};
        Fill(ACanvas, part, color);
        if (ASelected) Edge(ACanvas, part, BDR_RAISEDINNER, BF_RECT);
        else Edge(ACanvas, part, EDGE_ETCHED, BF_LEFT);
    }
    if (dropDown || HasSubArrow(AItem)) DrawCommandArrow(ACanvas, ARect.right - 9, ASelected, ARect.top + 7);
}

void TubBarCustomizingFormPainter::DrawEditCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected,
                                                   const std::string& ACaption, TubBarItem* AItem) const {
    const std::string text = StripAccelerators(ACaption);
    const TRect caption{ARect.left, ARect.top, ARect.left + ACanvas->TextWidth(text) + 3, ARect.bottom};
    Fill(ACanvas, caption, GetItemColor(ASelected, AItem));
    DrawCaption(ACanvas, TRect{caption.left - 1, caption.top, caption.right, caption.bottom}, ASelected, ACaption);
    Fill(ACanvas, TRect{caption.right, ARect.top, caption.right + 4, ARect.bottom}, GetItemColor(false, AItem));
    TRect box{caption.right + 4, ARect.top, ARect.right, ARect.bottom};
    if (ASelected) {
        Edge(ACanvas, box, EDGE_SUNKEN, BF_RECT);
    } else {
        Frame(ACanvas, box, clBtnShadow);
        Frame(ACanvas, TRect{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, clBtnFace);
    }
    Fill(ACanvas, TRect{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2}, clWindow);
    if (!IsCombo(AItem)) return;
    const TRect button{box.right - 2 - kComboButton, box.top + 2, box.right - 2, box.bottom - 2};
    Fill(ACanvas, button, clBtnFace);
    if (ASelected) Edge(ACanvas, button, EDGE_RAISED, BF_RECT);
    else Frame(ACanvas, button, clBtnHighlight);
    BarPainterOf(AItem->GetBarManager())->DrawComboArrow(DC(ACanvas), button, clBtnText);
}

// ---- Standard ---------------------------------------------------------------------------------------------

void TubBarCustomizingFormStandardPainter::DrawFocus(TCanvas* ACanvas, const TRect& ARect, TubBarItem*) const {
    RECT r{ARect.left + 2, ARect.top + 2, ARect.right - 2, ARect.bottom - 2};
    DrawFocusRect(DC(ACanvas), &r);
}

// ---- Flat -------------------------------------------------------------------------------------------------

TColor TubBarCustomizingFormFlatPainter::GetItemColor(bool ASelected, TubBarItem* AItem) const {
    const TubBarManager* m = AItem != nullptr ? AItem->GetBarManager() : nullptr;
    if (ASelected) return m != nullptr ? m->FlatHotColor() : clHighlight;
    return clWindow;
}

TColor TubBarCustomizingFormFlatPainter::GetTextColor(bool ASelected) const {
    return ASelected && IsButtonFaceWhite() ? clBtnFace : clBtnText;
}

TColor TubBarCustomizingFormFlatPainter::FrameColor(TubBarItem* AItem) const {
    const TubBarManager* m = AItem != nullptr ? AItem->GetBarManager() : nullptr;
    return m != nullptr ? m->FlatBorderColor() : clBtnShadow;
}

void TubBarCustomizingFormFlatPainter::FillGlyphColumn(TCanvas* ACanvas, const TRect& AColumn) const {
    Fill(ACanvas, AColumn, clBtnFace);
}

void TubBarCustomizingFormFlatPainter::DrawCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected,
                                                   const std::string& ACaption, TubBarItem* AItem) const {
    const int side = ARect.bottom - ARect.top;
    const TRect column{ARect.left, ARect.top, ARect.left + side, ARect.bottom};
    const bool dropDown = HasDropDownPart(AItem);
    if (ASelected) Fill(ACanvas, ARect, GetItemColor(true, AItem));
    else {
        FillGlyphColumn(ACanvas, column);
        Fill(ACanvas, TRect{column.right, ARect.top, ARect.right, ARect.bottom}, GetItemColor(false, AItem));
    }
    if (ItemHasGlyph(AItem))
        DrawItemGlyph(ACanvas, TRect{column.left, column.top, column.right + 1, column.bottom + 1}, AItem);
    const std::string caption = IsListingContainer(AItem) ? "(" + ACaption + ")" : ACaption;
    const int textLeft = ARect.left + side + CaptionTextIndent() - 2;
    DrawCaption(ACanvas, TRect{textLeft, ARect.top, ARect.right - (dropDown ? kDropDownPart : 0), ARect.bottom},
                ASelected, caption);
    if (ASelected) Frame(ACanvas, ARect, FrameColor(AItem));
    ACanvas->Font()->SetColor(GetTextColor(ASelected));
    if (dropDown)
        Fill(ACanvas,
             TRect{ARect.right - kDropDownPart, ARect.top + 2, ARect.right - kDropDownPart + 1, ARect.bottom - 2},
             FrameColor(AItem));
    if (dropDown || HasSubArrow(AItem)) DrawCommandArrow(ACanvas, ARect.right - 9, ASelected, ARect.top + 7);
}

void TubBarCustomizingFormFlatPainter::DrawEditCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected,
                                                       const std::string& ACaption, TubBarItem* AItem) const {
    const std::string text = StripAccelerators(ACaption);
    const int side = ARect.bottom - ARect.top;
    const TRect column{ARect.left, ARect.top, ARect.left + side, ARect.bottom};
    const TRect caption{ARect.left, ARect.top, ARect.left + ACanvas->TextWidth(text) + CaptionPartExtra(),
                        ARect.bottom};
    if (ASelected) Fill(ACanvas, caption, GetItemColor(true, AItem));
    else {
        Fill(ACanvas, caption, GetItemColor(false, AItem));
        FillGlyphColumn(ACanvas, TRect{column.left, column.top, std::min(column.right, caption.right), column.bottom});
    }
    DrawCaption(ACanvas, TRect{caption.left + CaptionTextIndent() - 2, caption.top, caption.right, caption.bottom},
                ASelected, ACaption);
    if (ASelected) Frame(ACanvas, caption, FrameColor(AItem));
    const TRect box{caption.right, ARect.top + 1, ARect.right, ARect.bottom - 1};
    Fill(ACanvas, TRect{caption.right, ARect.top, ARect.right, ARect.bottom}, GetItemColor(false, AItem));
    Fill(ACanvas, box, clWindow);
    Frame(ACanvas, box, ASelected ? FrameColor(AItem) : clBtnShadow);
    if (!IsCombo(AItem)) return;
    const TRect button{box.right - 1 - kComboButton, box.top + 1, box.right - 1, box.bottom - 1};
    Fill(ACanvas, button, ASelected ? GetItemColor(true, AItem) : clBtnFace);
    if (ASelected) Fill(ACanvas, TRect{button.left - 1, button.top, button.left, button.bottom}, FrameColor(AItem));
    BarPainterOf(AItem->GetBarManager())->DrawComboArrow(DC(ACanvas), button, clBtnText);
}

// ---- Office11 ---------------------------------------------------------------------------------------------

TColor TubBarCustomizingFormOffice11Painter::GetItemColor(bool ASelected, TubBarItem*) const {
    return Office11Role(ASelected ? Office11Roles.MenuSelected : Office11Roles.MenuBackground);
}

TColor TubBarCustomizingFormOffice11Painter::GetTextColor(bool ASelected) const {
    return ASelected && IsButtonFaceWhite() ? clBtnFace : Office11Role(Office11Roles.MenuText);
}

TColor TubBarCustomizingFormOffice11Painter::FrameColor(TubBarItem*) const {
    return Office11Role(Office11Roles.ButtonFrame);
}

void TubBarCustomizingFormOffice11Painter::FillGlyphColumn(TCanvas* ACanvas, const TRect& AColumn) const {
    if (AColumn.right <= AColumn.left) return;
    FillTwoStageGradient(DC(ACanvas), AColumn, Office11Role(Office11Roles.GlyphColumnLight),
                         Office11Role(Office11Roles.GlyphColumnDark), true);
}

void TubBarCustomizingFormOffice11Painter::DrawCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected,
                                                       const std::string& ACaption, TubBarItem* AItem) const {
    const int side = ARect.bottom - ARect.top;
    const TRect column{ARect.left, ARect.top, ARect.left + side, ARect.bottom};
    const bool dropDown = HasDropDownPart(AItem);
    if (ASelected) {
        Fill(ACanvas, ARect, GetItemColor(true, AItem));
    } else {
        FillGlyphColumn(ACanvas, column);
        Fill(ACanvas, TRect{column.right, ARect.top, ARect.right, ARect.bottom}, GetItemColor(false, AItem));
    }
    if (ItemHasGlyph(AItem)) DrawItemGlyph(ACanvas, column, AItem);
    const std::string caption = IsListingContainer(AItem) ? "(" + ACaption + ")" : ACaption;
    DrawCaption(ACanvas,
                TRect{ARect.left + side + 8, ARect.top, ARect.right - (dropDown ? kDropDownPart : 0), ARect.bottom},
                ASelected, caption);
    if (ASelected) Frame(ACanvas, ARect, FrameColor(AItem));
    ACanvas->Font()->SetColor(GetTextColor(ASelected));
    if (dropDown)
        Fill(ACanvas,
             TRect{ARect.right - kDropDownPart, ARect.top + 2, ARect.right - kDropDownPart + 1, ARect.bottom - 2},
             FrameColor(AItem));
    if (dropDown || HasSubArrow(AItem)) DrawCommandArrow(ACanvas, ARect.right - 9, ASelected, ARect.top + 7);
}

// ---- XP ---------------------------------------------------------------------------------------------------

void TubBarCustomizingFormXPPainter::DrawFocus(TCanvas* ACanvas, const TRect& ARect, TubBarItem* AItem) const {
    RECT r{ARect.left + (ItemHasGlyph(AItem) ? 24 : 0), ARect.top, ARect.right, ARect.bottom};
    DrawFocusRect(DC(ACanvas), &r);
}

}  // namespace zel
