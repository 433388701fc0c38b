#include "uilib/editors/uiEditViewData.h"

#include <algorithm>

#include "platform/win/SysInfo.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiEditPaintUtils.h"

namespace zel {

TuiEditBorderStyle LayoutEditBorderStyle(bool AInPlace, TuiEditBorderStyle AStyleBorder, bool AThickInAnyState) {
    if (AInPlace) return ebsNone;
    if (AThickInAnyState) return ebsThick;
    if (AStyleBorder == ebsUltraFlat || AStyleBorder == ebsOffice11) return ebsSingle;
    return AStyleBorder;
}

namespace {

TuiEditButtonStyle ButtonStyleOfLookAndFeel(TuiLookAndFeelKind AKind) {
    switch (AKind) {
        case lfFlat: return btsFlat;
        case lfStandard: return bts3D;
        case lfUltraFlat: return btsUltraFlat;
        case lfOffice11: return btsOffice11;
    }
    return bts3D;
}

TuiEditPopupBorderStyle PopupBorderOfLookAndFeel(TuiLookAndFeelKind AKind) {
    switch (AKind) {
        case lfFlat: return epbsFlat;
        case lfStandard: return epbsFrame3D;
        case lfUltraFlat:
        case lfOffice11: return epbsSingle;
    }
    return epbsFrame3D;
}

}  // namespace

TuiEditButtonStyle DefaultEditButtonStyle(bool AByLookAndFeel, TuiLookAndFeelKind AKind,
                                          TuiEditBorderStyle ABorderStyle) {
    if (AByLookAndFeel) return ButtonStyleOfLookAndFeel(AKind);
    switch (ABorderStyle) {
        case ebsNone: return btsSimple;
        case ebsSingle: return btsHotFlat;
        case ebsThick:
        case ebs3D: return bts3D;
        case ebsFlat: return btsFlat;
        case ebsUltraFlat: return btsUltraFlat;
        case ebsOffice11: return btsOffice11;
    }
    return bts3D;
}

TuiEditPopupBorderStyle DefaultEditPopupBorderStyle(bool AByLookAndFeel, TuiLookAndFeelKind AKind,
                                                    TuiEditBorderStyle ABorderStyle) {
    if (AByLookAndFeel) return PopupBorderOfLookAndFeel(AKind);
    return ABorderStyle == ebsNone || ABorderStyle == ebsFlat ? epbsFlat : epbsSingle;
}

TRect PlaceEditButtons(std::vector<TuiEditButtonPlace>& AButtons, const TRect& ARect) {
    TRect room = ARect;
    room.right = std::max(room.right, room.left);
    for (auto it = AButtons.rbegin(); it != AButtons.rend(); ++it) {
        it->Width = std::clamp(it->Width, 0, static_cast<int>(room.right - room.left));
        if (it->LeftAligned) {
            it->Bounds = TRect{room.left, room.top, room.left + it->Width, room.bottom};
            room.left += it->Width;
        } else {
            it->Bounds = TRect{room.right - it->Width, room.top, room.right, room.bottom};
            room.right -= it->Width;
        }
    }
    return room;
}

void StretchEditButtonWidths(std::vector<TuiEditButtonPlace>& AButtons, int ASpare) {
    if (AButtons.empty() || ASpare <= 0) return;
    std::vector<TuiEditButtonPlace*> takers;
    for (auto& button : AButtons)
        if (button.Stretchable && !button.Fixed) takers.push_back(&button);
    if (takers.empty())
        for (auto& button : AButtons) takers.push_back(&button);
    long long total = 0;
    for (const auto* button : takers) total += std::max(button->Width, 0);
    int given = 0;
    for (std::size_t i = 0; i + 1 < takers.size(); ++i) {
        const int share = total > 0
                              ? static_cast<int>(ASpare * static_cast<long long>(std::max(takers[i]->Width, 0)) / total)
                              : ASpare / static_cast<int>(takers.size());
        takers[i]->Width += share;
        given += share;
    }
    takers.back()->Width += ASpare - given;
}

int EditButtonFrameWidth(TuiEditButtonStyle AStyle) {
    switch (AStyle) {
        case btsSimple:
        case btsUltraFlat:
        case btsOffice11: return 2;
        default: return 4;
    }
}

// ------------------------------------------------------------------------------------------------ view data

TuiCustomEditViewData* TuiCustomEditProperties::CreateViewData(TuiCustomEditStyle* AStyle, bool AInPlace) {
    return new TuiCustomEditViewData(this, AStyle, AInPlace);
}

TuiCustomEditViewData::TuiCustomEditViewData(TuiCustomEditProperties* AProperties, TuiCustomEditStyle* AStyle,
                                             bool AInPlace)
    : Properties(AProperties), Style(AStyle), InPlace(AInPlace) {
    if (AInPlace) ContentOffsets = TRect{1, 1, 1, 1};
    ButtonsFillEditor = AProperties != nullptr && AProperties->GetButtonsLayout() == 2;
}

namespace {

bool NativeFor(TuiCustomEditStyle* AStyle) {
    return AStyle->GetLookAndFeel()->GetNativeStyle() && OpenThemeForType(thEdit) != nullptr;
}

}  // namespace

bool TuiCustomEditViewData::IsNative() { return NativeFor(Style); }

TuiContainerState TuiCustomEditViewData::ContainerState(const TRect& AVisible, TPoint P, TShiftState AShift) {
    if (!Enabled) return TuiContainerState{cisDisabled};
    TuiContainerState state{Focused && !IsDesigning ? cisActive : cisNormal};
    const bool captured = Edit != nullptr && Edit->HandleAllocated() && GetCapture() == Edit->GetHandle();
    if (PtInRect(&AVisible, P) && (!AShift.Contains(ssLeft) || captured)) state.Include(cisHotTrack);
    return state;
}

int TuiCustomEditViewData::NativeState(TuiContainerState AState) const {
    if (AState.Contains(cisDisabled)) return 4;
    if (ReadOnly) return 6;
    if (AState.Contains(cisActive)) return IsDesktopCompositionOn() ? 3 : 5;
    if (AState.Contains(cisHotTrack)) return 2;
    return 1;
}

TuiCustomEditStyle* TuiCustomEditViewData::StyleOfState(TuiContainerState AState) {
    // A cell painted with an editor's style takes that editor's style of the state, as the editor does.
    TuiContainer* owner = StylesOwner();
    if (owner == nullptr) return Style;
    TuiContainerStyle* style = owner->Style();
    if (AState.Contains(cisDisabled)) style = owner->StyleDisabled();
    else if (AState.Contains(cisActive)) style = owner->StyleFocused();
    else if (AState.Contains(cisHotTrack) && style->GetHotTrack()) style = owner->StyleHot();
    return static_cast<TuiCustomEditStyle*>(style);
}

TuiContainer* TuiCustomEditViewData::StylesOwner() const {
    if (Edit != nullptr) return Edit;
    // A cell painted with an editor's style lays out as that editor does in every state.
    IuiContainerStyleOwner* owner = Style->BaseStyle()->Container();
    return owner != nullptr ? dynamic_cast<TuiContainer*>(owner->StyleOwnerControl()) : nullptr;
}

bool TuiCustomEditViewData::ThickInAnyState() {
    TuiContainer* owner = StylesOwner();
    if (owner == nullptr) return Style->GetBorderStyle() == cbsThick;
    for (TuiContainerStyle* style : {owner->Style(), owner->StyleDisabled(), owner->StyleFocused(), owner->StyleHot()})
        if (style != nullptr && style->GetBorderStyle() == cbsThick) return true;
    return false;
}

TuiEditBorderStyle TuiCustomEditViewData::GetBorderStyle() {
    if (!Style->ShowsBorder()) return ebsNone;
    // A native stand-alone editor keeps the border of its normal style in every state.
    TuiContainerStyle* style = Style;
    if (!InPlace && Edit != nullptr && IsNative()) style = Edit->TuiContainer::Style();
    return LayoutEditBorderStyle(InPlace, static_cast<TuiEditBorderStyle>(style->GetBorderStyle()), ThickInAnyState());
}

bool TuiCustomEditViewData::HasShadow() { return !InPlace && Style->GetShadow() && !IsNative(); }

TRect TuiCustomEditViewData::GetBorderExtent() {
    TRect r{0, 0, 0, 0};
    const TuiEditBorderStyle border = GetBorderStyle();
    if (InPlace) {
        r = ContentOffsets;
    } else if (Style->GetLookAndFeel()->GetSkinPainter() != nullptr) {
        r = TRect{1, 1, 1, 1};
    } else if (Style->GetTransparentBorder()) {
        // Room for the widest frame, whatever the state's border: the text never moves when the frame changes.
        r = TRect{2, 2, 2, 2};
    } else if (border == ebsNone) {
        // no frame
    } else if (IsNative()) {
        // The themed edit frame: how far the theme's content lies inside a 100 x 100 rectangle.
        const TRect bounds{0, 0, 100, 100};
        TRect content = bounds;
        r = TRect{2, 2, 2, 2};
        if (HTHEME theme = OpenThemeForType(thEdit);
            theme != nullptr && GetThemeBackgroundContentRect(theme, nullptr, 1, 1, &bounds, &content) == S_OK)
            r = TRect{content.left, content.top, 100 - content.right, 100 - content.bottom};
    } else {
        const int w = ContainerBorderWidth(static_cast<TuiContainerBorderStyle>(border));
        const TuiBorders edges = Style->GetEdges();
        r = TRect{edges.Contains(bLeft) ? w : 0, edges.Contains(bTop) ? w : 0, edges.Contains(bRight) ? w : 0,
                  edges.Contains(bBottom) ? w : 0};
    }
    if (HasShadow()) {
        r.right += 3;
        r.bottom += 3;
    }
    return r;
}

TRect TuiCustomEditViewData::VisibleBounds(const TRect& ABounds, TuiEditBorderStyle ABorder) {
    TRect r = ABounds;
    if (InPlace) return r;
    if (HasShadow()) {
        r.right -= 3;
        r.bottom -= 3;
    }
    if (!Style->GetTransparentBorder() || IsNative()) return r;
    const int w = ABorder == ebsNone ? 0 : ContainerBorderWidth(static_cast<TuiContainerBorderStyle>(ABorder));
    const TuiBorders edges = Style->GetEdges();
    const int inset = 2 - w;
    r.left += edges.Contains(bLeft) ? inset : 2;
    r.top += edges.Contains(bTop) ? inset : 2;
    r.right -= edges.Contains(bRight) ? inset : 2;
    r.bottom -= edges.Contains(bBottom) ? inset : 2;
    return r;
}

TuiEditButtonStyle TuiCustomEditViewData::GetButtonStyle() {
    const TuiEditButtonStyle style = Style->GetButtonStyle();
    if (style != btsDefault) return style;
    const bool byLookAndFeel = InPlace || (GetBorderStyle() == ebsNone && !Style->GetHotTrack());
    return DefaultEditButtonStyle(byLookAndFeel, Style->GetLookAndFeel()->GetKind(), Style->GetEditBorderStyle());
}

TuiEditPopupBorderStyle TuiCustomEditViewData::GetPopupBorderStyle() {
    const TuiEditPopupBorderStyle style = Style->GetPopupBorderStyle();
    if (style != epbsDefault) return style;
    const TuiEditBorderStyle border = Style->ShowsBorder() ? Style->GetEditBorderStyle() : ebsNone;
    const bool hasButtons = Properties != nullptr && Properties->Buttons()->VisibleCount() > 0;
    return DefaultEditPopupBorderStyle(InPlace || (border == ebsNone && hasButtons), Style->GetLookAndFeel()->GetKind(),
                                       border);
}

TColor TuiCustomEditViewData::GetTextColor() { return TextColor != clDefault ? TextColor : Style->GetTextColor(); }

TColor TuiCustomEditViewData::GetBackgroundColor(TuiContainerState AState) {
    if (BackgroundColor != clDefault) return BackgroundColor;
    const bool colorAssigned = (Style->GetAssignedValues() & StyleValueBit(csvColor)) != 0;
    if (IsNative() && Enabled && !colorAssigned) {
        COLORREF fill = static_cast<COLORREF>(ColorToRGB(Style->GetColor()));
        if (HTHEME theme = OpenThemeForType(thEdit); theme != nullptr)
            GetThemeColor(theme, IsDesktopCompositionOn() ? 3 : 1, NativeState(AState), 3802, &fill);
        return static_cast<TColor>(fill);
    }
    return Style->GetColor();
}

int TuiCustomEditViewData::ButtonWidth(TCanvas* ACanvas, int AIndex, int AFrame) {
    TuiEditButton* button = Properties->Buttons()->GetItem(AIndex);
    int fixed = button->GetWidth();
    if (fixed <= 0 && OnGetDefaultButtonWidth) fixed = OnGetDefaultButtonWidth(AIndex);
    if (fixed > 0) return std::max(fixed, AFrame);
    if (button->GetKind() == bkGlyph && button->HasGlyph()) return button->GetGlyph()->GetWidth() + AFrame;
    if (button->GetKind() == bkText && ACanvas != nullptr) {
        ACanvas->Font()->Assign(Style->GetVisibleFont());
        return std::max(AFrame + ACanvas->TextWidth(button->GetVisibleCaption()) + 3, GetSystemMetrics(SM_CYHSCROLL));
    }
    return GetSystemMetrics(SM_CYHSCROLL);
}

TRect TuiCustomEditViewData::TextBounds(const TRect& AClient, int ATextHeight) {
    const TRect& m = ContentOffsets;
    const int top = AClient.top + m.top;
    const int bottom = AClient.bottom - m.bottom;
    const int spare = bottom - top - ATextHeight;
    int y = top;
    switch (Properties != nullptr ? Properties->GetAlignment()->GetVert() : taTopJustify) {
        case taTopJustify: break;
        case taBottomJustify: y = bottom - ATextHeight; break;
        // Half the spare room, rounded towards minus infinity.
        case taVCenter: y = top + (spare >= 0 ? spare / 2 : -((1 - spare) / 2)); break;
    }
    y = std::max(y, top);
    const int left = AClient.left + m.left;
    const int width = std::max(0, static_cast<int>(AClient.right - AClient.left - m.left - m.right + 1));
    return TRect{left, y, left + width, y + ATextHeight};
}

void TuiCustomEditViewData::CalculateButtons(TCanvas* ACanvas, TuiCustomEditViewInfo& AViewInfo, TPoint P,
                                             TShiftState AShift) {
    TuiCustomEditViewInfo& vi = AViewInfo;
    vi.ButtonsInfo.clear();
    vi.PressedIndex = -1;
    vi.HotIndex = -1;
    if (Properties == nullptr) return;
    TuiEditButtons* buttons = Properties->Buttons();
    const bool active = vi.ContainerState.Contains(cisActive);
    const bool hot = vi.ContainerState.Contains(cisHotTrack);
    const TuiEditButtonTransparency transparency = Style->GetButtonTransparency();
    if (buttons->VisibleCount() == 0 || (!active && transparency == ebtHideInactive) ||
        (!active && !hot && transparency == ebtHideUnselected))
        return;
    const TuiEditButtonStyle buttonStyle = GetButtonStyle();
    const bool transparent = transparency == ebtAlways || (transparency == ebtInactive && !active && !hot);
    const int frame = EditButtonFrameWidth(buttonStyle);
    std::vector<TuiEditButtonPlace> places;
    for (int i = 0; i < buttons->Count(); ++i) {
        TuiEditButton* button = buttons->GetItem(i);
        if (!button->GetVisible()) continue;
        TuiEditButtonViewInfo info;
        info.ButtonIndex = i;
        info.Style = buttonStyle;
        info.Kind = button->GetKind();
        info.VisibleCaption = button->GetVisibleCaption();
        info.ContentAlignment = button->GetContentAlignment();
        info.TextColor = button->GetTextColor();
        info.Glyph = button->HasGlyph() ? button->GetGlyph() : nullptr;
        // Buttons that fill the editor all line up from its right edge.
        info.LeftAlignment = button->GetLeftAlignment() && !ButtonsFillEditor;
        info.Transparent = transparent;
        info.Gradient = Style->GetGradientButtons();
        TuiEditButtonPlace place;
        place.LeftAligned = info.LeftAlignment;
        place.Stretchable = button->GetStretchable();
        place.Fixed = button->GetWidth() > 0 || (OnGetDefaultButtonWidth && OnGetDefaultButtonWidth(i) > 0);
        place.Width = ButtonWidth(ACanvas, i, frame);
        vi.ButtonsInfo.push_back(info);
        places.push_back(place);
    }
    TRect room = PlaceEditButtons(places, vi.BorderRect);
    if (ButtonsFillEditor && room.right > room.left) {
        StretchEditButtonWidths(places, room.right - room.left);
        room = PlaceEditButtons(places, vi.BorderRect);
    }
    vi.ClientRect = TRect{room.left, vi.ClientRect.top, room.right, vi.ClientRect.bottom};
    const bool leftDown = AShift.Contains(ssLeft);
    const bool singleDropDown = vi.ButtonsInfo.size() == 1 && vi.ButtonsInfo[0].Kind == bkDown;
    for (std::size_t i = 0; i < vi.ButtonsInfo.size(); ++i) {
        TuiEditButtonViewInfo& info = vi.ButtonsInfo[i];
        info.Bounds = places[i].Bounds;
        const bool over = !IsDesigning && PtInRect(&info.Bounds, P);
        if (!Enabled || !buttons->GetItem(info.ButtonIndex)->GetEnabled()) info.State = ebsDisabled;
        else if (over && leftDown && CapturedButton == info.ButtonIndex) info.State = ebsPressed;
        else if (over && !leftDown && CapturedButton < 0) info.State = ebsSelected;
        else info.State = ebsNormal;
        // The theme's part: a stand-alone single drop-down under desktop composition is the combo box's left or
        // right drop-down part.
        static constexpr int kNativeStates[] = {4, 1, 3, 2};
        info.NativeState = kNativeStates[info.State];
        info.NativePart = 1;
        if (vi.NativeStyle && IsDesktopCompositionOn() && !InPlace && singleDropDown)
            info.NativePart = info.LeftAlignment ? 7 : 6;
        if (info.State == ebsPressed) vi.PressedIndex = info.ButtonIndex;
        if (info.State == ebsSelected || (over && info.State != ebsDisabled)) vi.HotIndex = info.ButtonIndex;
    }
}

void TuiCustomEditViewData::Calculate(TCanvas* ACanvas, const TRect& ABounds, TPoint P, TShiftState AShift,
                                      TuiCustomEditViewInfo& AViewInfo) {
    TuiCustomEditViewInfo& vi = AViewInfo;
    vi.Bounds = ABounds;
    // The state under the border held so far, then, when the state's border is thinner, once more under it.
    const auto previous = static_cast<TuiEditBorderStyle>(vi.BorderStyle);
    // The frame drawn is the state's own (its room may be a thicker one's, see GetBorderExtent).
    const auto drawnBorder = [this] {
        if (InPlace || !Style->ShowsBorder() || GetBorderStyle() == ebsNone) return ebsNone;
        TuiContainerStyle* style = Style;
        if (Edit != nullptr && IsNative()) style = Edit->TuiContainer::Style();
        return LayoutEditBorderStyle(false, static_cast<TuiEditBorderStyle>(style->GetBorderStyle()), false);
    };
    vi.ContainerState = ContainerState(VisibleBounds(ABounds, previous), P, AShift);
    Style = StyleOfState(vi.ContainerState);
    TuiEditBorderStyle border = drawnBorder();
    if (!InPlace && !IsNative() &&
        ContainerBorderWidth(static_cast<TuiContainerBorderStyle>(border)) <
            ContainerBorderWidth(static_cast<TuiContainerBorderStyle>(previous))) {
        vi.ContainerState = ContainerState(VisibleBounds(ABounds, border), P, AShift);
        Style = StyleOfState(vi.ContainerState);
        border = drawnBorder();
    }
    const bool highlighted = vi.ContainerState.Contains(cisActive) || vi.ContainerState.Contains(cisHotTrack);
    vi.HotState = !Style->GetHotTrack() || !Enabled || IsDesigning ? 0 : highlighted ? 2 : 1;
    vi.NativeStyle = IsNative();
    vi.Painter = Style->GetLookAndFeel()->GetSkinPainter();
    if (vi.NativeStyle) {
        vi.ThemedObjectType = thEdit;
        vi.NativePart = IsDesktopCompositionOn() ? 3 : 1;
        vi.NativeState = NativeState(vi.ContainerState);
    }
    // A transparent border draws its frame inside its ring, as the editor's window does; in place no frame.
    vi.BorderStyle = static_cast<TuiContainerBorderStyle>(border);
    vi.BorderWidth = vi.BorderStyle == cbsNone ? 0 : vi.Painter != nullptr ? 1 : ContainerBorderWidth(vi.BorderStyle);
    vi.Edges = Style->GetEdges();
    vi.Shadow = HasShadow();
    vi.BorderRect = ABounds;
    const TRect extent = GetBorderExtent();
    vi.BorderRect.left += extent.left;
    vi.BorderRect.top += extent.top;
    vi.BorderRect.right -= extent.right;
    vi.BorderRect.bottom -= extent.bottom;
    if (vi.BorderRect.right < vi.BorderRect.left) vi.BorderRect.right = vi.BorderRect.left;
    if (vi.BorderRect.bottom < vi.BorderRect.top) vi.BorderRect.bottom = vi.BorderRect.top;
    vi.ClientRect = vi.BorderRect;
    const TuiEditBorderStyle styleBorder = Style->GetEditBorderStyle();
    if (vi.Painter != nullptr) vi.BorderColor = highlighted ? clHighlight : clBtnShadow;
    else if (styleBorder != ebsUltraFlat && styleBorder != ebsOffice11) vi.BorderColor = Style->GetBorderColor();
    else if (highlighted || (IsDesigning && Enabled))
        vi.BorderColor = GetEditBorderHighlightColor(styleBorder == ebsOffice11);
    else vi.BorderColor = clBtnShadow;
    vi.StoreBackgroundColor(GetBackgroundColor(vi.ContainerState));
    CalculateButtons(ACanvas, vi, P, AShift);
    vi.PopupBorderStyle = GetPopupBorderStyle();
}

}  // namespace zel
