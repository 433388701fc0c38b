#include "uilib/editors/uiEditViewData.h"

#include <algorithm>

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

}  // namespace zel
