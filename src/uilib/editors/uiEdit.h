#pragma once
// The editors' styles: the container style plus the values only editors have (how their buttons look, whether
// the buttons hide, gradients, the popup border), and the style controller component that shares four editor
// styles among many editors. One default editor style controller exists while the library runs; a style that
// names no controller follows it.
#include <string>

#include "platform/rtl/Units.h"
#include "uilib/base/uiControlsControl.h"
#include "uilib/editors/uiContainer.h"

namespace zel {

enum TuiEditButtonStyle { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11 };
enum TuiEditButtonTransparency { ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected };
enum TuiEditPopupBorderStyle { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
// The editor's name for the container border style.
enum TuiEditBorderStyle { ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11 };
// dnLeft, dnRight, dnUp or dnDown.
using TuiEditGradientDirection = TuiDirection;

constexpr TuiContainerStyleValue svButtonStyle = 10;
constexpr TuiContainerStyleValue svButtonTransparency = 11;
constexpr TuiContainerStyleValue svPopupBorderStyle = 12;
constexpr TuiContainerStyleValue svGradientButtons = 13;
constexpr TuiContainerStyleValue svGradient = 14;
constexpr TuiContainerStyleValue svGradientDirection = 15;

class TuiEditStyleController;

class TuiCustomEditStyle : public TuiContainerStyle {
public:
    TuiCustomEditStyle(TPersistent* AOwner, bool ADirectAccessMode, TuiContainerStyle* AParentStyle = nullptr,
                       TuiContainerStyleState AState = cssNormal);
    std::string ClassName() const override { return "TuiCustomEditStyle"; }
    void Assign(TPersistent* Source) override;

    // Kept per state.
    TuiEditButtonStyle GetButtonStyle();
    void SetButtonStyle(TuiEditButtonStyle Value);
    // The others are kept by the Normal style: a state style writes its parent.
    TuiEditButtonTransparency GetButtonTransparency();
    void SetButtonTransparency(TuiEditButtonTransparency Value);
    TuiEditPopupBorderStyle GetPopupBorderStyle();
    void SetPopupBorderStyle(TuiEditPopupBorderStyle Value);
    bool GetGradientButtons();
    void SetGradientButtons(bool Value);
    bool GetGradient();
    void SetGradient(bool Value);
    TuiEditGradientDirection GetGradientDirection();
    void SetGradientDirection(TuiEditGradientDirection Value);
    bool GetPopupCloseButton() const;
    void SetPopupCloseButton(bool Value) { popupCloseButton_ = Value; }

    TuiEditBorderStyle GetEditBorderStyle() { return static_cast<TuiEditBorderStyle>(GetBorderStyle()); }
    void SetEditBorderStyle(TuiEditBorderStyle Value) { SetBorderStyle(static_cast<TuiContainerBorderStyle>(Value)); }

    TuiStyleController* DefaultController() override;
    TuiContainerStyleValues HiddenStateStyleValues() override;
    int ValueCount() override;
    bool ValueName(TuiContainerStyleValue AValue, std::string& AName) override;

private:
    struct TEditValues {
        TuiEditButtonStyle ButtonStyle = btsDefault;
        TuiEditButtonTransparency ButtonTransparency = ebtNone;
        TuiEditPopupBorderStyle PopupBorderStyle = epbsDefault;
        bool GradientButtons = false;
        bool Gradient = false;
        TuiEditGradientDirection GradientDirection = dnDown;
    };
    template <class T>
    T GetValue(TuiContainerStyleValue AValue, T TEditValues::*AField);
    template <class T>
    void SetValue(TuiContainerStyleValue AValue, T TEditValues::*AField, T Value, bool APerState);

    TEditValues values_;
    bool popupCloseButton_ = true;
};

// The editor style that the form resources and the controllers publish.
class TuiEditStyle : public TuiCustomEditStyle {
public:
    using TuiCustomEditStyle::TuiCustomEditStyle;
    std::string ClassName() const override { return "TuiEditStyle"; }
};

TuiContainerStyleClass EditStyleClass();

class TuiEditStyleController : public TuiStyleController {
public:
    explicit TuiEditStyleController(TComponent* AOwner) : TuiStyleController(AOwner) {}
    std::string ClassName() const override { return "TuiEditStyleController"; }
    TuiContainerStyleClass StyleObjectClass() override { return EditStyleClass(); }

    TuiEditStyle* Style() const { return StyleOf(cssNormal); }
    TuiEditStyle* StyleDisabled() const { return StyleOf(cssDisabled); }
    TuiEditStyle* StyleFocused() const { return StyleOf(cssFocused); }
    TuiEditStyle* StyleHot() const { return StyleOf(cssHot); }

private:
    TuiEditStyle* StyleOf(TuiContainerStyleState AState) const { return static_cast<TuiEditStyle*>(GetStyle(AState)); }
};

// The screen cursor of the mouse wheel's scrolling, "UIEDIT_MOUSEWHEEL", installed while the unit runs.
constexpr TCursor crMouseWheel = 4101;

// The program-wide default editor style controller, nullptr while the unit is not started.
TuiEditStyleController* uiDefaultEditStyleController();

// The unit's start-up row: registers the style classes with the form reader and makes the default controller.
TUnitRow uiEditUnitRow();

}  // namespace zel
