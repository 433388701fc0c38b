#include "uilib/editors/uiEditUtils.h"

#include "platform/rtl/Classes.h"
#include "uilib/editors/uiVariants.h"

namespace zel {

bool IsSpaceChar(char C) { return C == 0 || C == 9 || C == 10 || C == 12 || C == 13 || C == 32; }

bool VarEqualsExact(const Variant& V1, const Variant& V2) { return V1.VType() == V2.VType() && VariantsEqual(V1, V2); }

bool VarEqualsSoft(const Variant& V1, const Variant& V2) {
    if (VarIsNumeric(V1) && VarIsNumeric(V2)) return VariantsEqual(V1, V2);
    return VarEqualsExact(V1, V2);
}

TShiftState ButtonToShift(TMouseButton Button) {
    switch (Button) {
        case mbLeft: return TShiftState{ssLeft};
        case mbRight: return TShiftState{ssRight};
        case mbMiddle: return TShiftState{ssMiddle};
    }
    return TShiftState{};
}

TComponent* GetOwnerComponent(TPersistent* APersistent) {
    TPersistent* current = APersistent;
    while (current != nullptr) {
        if (auto* component = dynamic_cast<TComponent*>(current)) return component;
        current = current->GetOwner();
    }
    return nullptr;
}

bool IsRegionEmpty(HRGN ARegion) {
    RECT box{0, 0, 0, 0};
    return GetRgnBox(ARegion, &box) == NULLREGION;
}

void AddRegion(HRGN ADest, HRGN ASource) { CombineRgn(ADest, ADest, ASource, RGN_OR); }

void SendKeyDown(HWND AWindow, WORD AKey) { SendMessage(AWindow, WM_KEYDOWN, AKey, 0); }

void SendChar(HWND AWindow, char AChar) {
    SendMessage(AWindow, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(AChar)), 0);
}

char AcceleratorOf(const std::string& ACaption) {
    for (std::size_t i = 0; i + 1 < ACaption.size(); ++i) {
        if (ACaption[i] != '&') continue;
        if (ACaption[i + 1] == '&') {
            ++i;
            continue;
        }
        return ACaption[i + 1];
    }
    return 0;
}

}  // namespace zel
