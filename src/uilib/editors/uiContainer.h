#pragma once
// The visual styles of the library's controls. A control carries four styles, one per interaction state
// (Normal, Focused, Disabled, Hot); each style value is the style's own when assigned, else the same-state
// style's of its style controller (and that controller's controller), else a default computed from the
// state, the Normal style and the look and feel. A style controller is a component that many controls share
// their look through.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/VclGraphics.h"
#include "platform/win/Graphics.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

class TControl;
class TuiContainerStyle;
class TuiStyleController;

enum TuiContainerBorderStyle { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };

// The interaction state a style is for; Normal is the base style of a set.
enum TuiContainerStyleState { cssNormal, cssFocused, cssDisabled, cssHot };

// One style value; descendants add values after the container's ten.
using TuiContainerStyleValue = int;
constexpr TuiContainerStyleValue csvBorderColor = 0;
constexpr TuiContainerStyleValue csvBorderStyle = 1;
constexpr TuiContainerStyleValue csvColor = 2;
constexpr TuiContainerStyleValue csvEdges = 3;
constexpr TuiContainerStyleValue csvFont = 4;
constexpr TuiContainerStyleValue csvHotTrack = 5;
constexpr TuiContainerStyleValue csvShadow = 6;
constexpr TuiContainerStyleValue csvTextColor = 7;
constexpr TuiContainerStyleValue csvTextStyle = 8;
constexpr TuiContainerStyleValue csvTransparentBorder = 9;
// A set of style values, one bit per value.
using TuiContainerStyleValues = std::uint32_t;
constexpr TuiContainerStyleValues StyleValueBit(TuiContainerStyleValue AValue) { return 1u << AValue; }

// What a style asks of the control that owns it. The container and the editors implement it; a style whose
// owner does not is a style without a container.
class IuiContainerStyleOwner {
public:
    // The owning control: its ParentColor, ParentFont and parent's colour.
    virtual TControl* StyleOwnerControl() = 0;
    // Whether the control takes its parent's colour by default (check boxes do).
    virtual bool DefaultParentColor() = 0;
    virtual bool IsInPlaceEditor() = 0;
    // Whether the control stores the style property of that name for a Normal style or a state style.
    virtual bool IsStylePropertyStored(const std::string& AName, bool AIsStateStyle) = 0;

protected:
    ~IuiContainerStyleOwner() = default;
};

// Makes a style (owner, direct access, parent style, state); the result has run its AfterConstruction.
using TuiContainerStyleClass =
    std::function<TuiContainerStyle*(TPersistent*, bool, TuiContainerStyle*, TuiContainerStyleState)>;

class TuiContainerStyle : public TuiInterfacedPersistent {
public:
    using TChangedEvent = std::function<void(TuiContainerStyle* Sender)>;

    // A direct-access style is a light value holder for one paint: no notifications, its font a reference.
    TuiContainerStyle(TPersistent* AOwner, bool ADirectAccessMode, TuiContainerStyle* AParentStyle = nullptr,
                      TuiContainerStyleState AState = cssNormal);
    ~TuiContainerStyle() override;
    // Attaches the base style to the default style controller.
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiContainerStyle"; }

    void Assign(TPersistent* Source) override;
    // "IsFontAssigned": written as True when the font is stored; reading it marks Font assigned.
    void DefineProperties(TFiler* Filer) override;

    void LockChanges();
    void UnlockChanges();

    TColor GetBorderColor();
    void SetBorderColor(TColor Value);
    TuiContainerBorderStyle GetBorderStyle();
    void SetBorderStyle(TuiContainerBorderStyle Value);
    TColor GetColor() { return ReadColor(); }
    void SetColor(TColor Value);
    TuiBorders GetEdges();
    void SetEdges(TuiBorders Value);
    TFont* GetFont();
    void SetFont(TFont* Value);
    bool GetHotTrack();
    void SetHotTrack(bool Value);
    bool GetShadow();
    void SetShadow(bool Value);
    TColor GetTextColor() { return ReadTextColor(); }
    void SetTextColor(TColor Value);
    TFontStyles GetTextStyle() { return ReadTextStyle(); }
    void SetTextStyle(TFontStyles Value);
    bool GetTransparentBorder();
    void SetTransparentBorder(bool Value);

    TuiContainerStyleValues GetAssignedValues() const;
    void SetAssignedValues(TuiContainerStyleValues Value);
    TuiLookAndFeel* GetLookAndFeel() const { return BaseStyle()->lookAndFeel_; }
    // The controller this style follows; nil when it is the default one, so the default is never stored.
    TuiStyleController* GetStyleController() const;
    void SetStyleController(TuiStyleController* Value);
    // The controller actually followed, the default one included.
    TuiStyleController* GetActiveStyleController() const { return BaseStyle()->styleController_; }

    // The resolved font with the resolved text colour and style, recomputed at each request.
    TFont* GetVisibleFont();
    TFont* EffectiveFont() { return GetVisibleFont(); }

    bool FindStyleValue(const std::string& AName, TuiContainerStyleValue& AValue);
    // Whether a property of that name is shown (and stored) on a Focused, Disabled or Hot style.
    bool IsStatePropertyVisible(const std::string& AName);
    bool IsBaseStyle() const { return state_ == cssNormal; }
    bool IsDirectAccessMode() const { return directAccessMode_; }
    TuiContainerStyleState GetState() const { return state_; }
    TuiContainerStyle* GetParentStyle() const { return parentStyle_; }
    // The base style of the set: this one or its parent.
    TuiContainerStyle* BaseStyle() const {
        return parentStyle_ != nullptr ? parentStyle_ : const_cast<TuiContainerStyle*>(this);
    }
    // The owner when it implements the container queries.
    IuiContainerStyleOwner* Container() const;
    // Whether a published property is stored: its assigned bit, and what the owning container says.
    bool IsValueStored(TuiContainerStyleValue AValue);
    bool IsStyleControllerStored() const { return IsBaseStyle() && GetStyleController() != nullptr; }

    TChangedEvent OnChanged;

    // The slot operations in their order.
    virtual void StyleChanged();
    virtual void ControllerStyleChanged(TuiStyleController* AController);
    virtual void ControllerRemoved(TuiStyleController* AController);
    virtual TColor BorderColorDefault();
    virtual TuiContainerBorderStyle BorderStyleDefault();
    virtual TColor ColorDefault();
    virtual TuiBorders EdgesDefault();
    virtual bool HotTrackDefault();
    virtual bool ShadowDefault();
    virtual TColor TextColorDefault();
    virtual TFontStyles TextStyleDefault();
    virtual bool TransparentBorderDefault();
    virtual void FontModified(TObject* Sender);
    virtual TColor ReadColor();
    virtual TuiStyleController* DefaultController();
    virtual TColor PaintColor();
    virtual TColor ReadTextColor();
    virtual TFontStyles ReadTextStyle();
    virtual TuiContainerStyleValues HiddenStateStyleValues();
    virtual int ValueCount();
    virtual bool ValueName(TuiContainerStyleValue AValue, std::string& AName);
    virtual bool ShowsBorder();
    virtual bool IsValueAssigned(TuiContainerStyleValue AValue);
    virtual void ResetToDefaults();

protected:
    // Sets a value's assigned bit (the stored value is set by the caller) and tells of the change.
    void AssignValue(TuiContainerStyleValue AValue);
    bool IsOwnValueAssigned(TuiContainerStyleValue AValue) const {
        return (assignedValues_ & StyleValueBit(AValue)) != 0;
    }
    // The style that a value of this style resolves through: this style for values kept per state, the
    // base style for values shared by the states.
    TuiContainerStyle* StyleOfValue(TuiContainerStyleValue AValue) const;
    // The same-state style of the active controller, nil without one.
    TuiContainerStyle* ControllerStyle() const;
    // Follows own value, then the controller chain; false when no style of the chain assigns the value.
    template <class T>
    bool Resolve(TuiContainerStyleValue AValue, T TuiContainerStyle::*AField, T& AResult) const {
        const TuiContainerStyle* style = StyleOfValue(AValue);
        for (int guard = 0; style != nullptr && guard < 64; ++guard) {
            if (style->IsOwnValueAssigned(AValue)) {
                AResult = style->*AField;
                return true;
            }
            style = style->ControllerStyle();
        }
        return false;
    }
    // The font of the first style of the chain that assigns it, nil when none does.
    TFont* ResolvedFont() const;
    // Re-reads the base style's font from the controller chain, or resets it, when it is not assigned.
    void UpdateFont();
    bool IsDestroying() const { return destroying_; }
    bool IsModified() const { return modified_; }

    TuiContainerStyleValues assignedValues_ = 0;

private:
    void CheckChanges();
    void FontChanged();

    TPersistent* owner_ = nullptr;
    bool directAccessMode_ = false;
    TuiContainerStyle* parentStyle_ = nullptr;
    TuiContainerStyleState state_ = cssNormal;
    TColor borderColor_ = clWindowFrame;
    TuiContainerBorderStyle borderStyle_ = cbsNone;
    TColor color_ = clWindow;
    TuiBorders edges_ = uiBordersAll;
    bool hotTrack_ = true;
    bool shadow_ = false;
    TColor textColor_ = clWindowText;
    TFontStyles textStyle_;
    bool transparentBorder_ = true;
    TFont* font_ = nullptr;
    bool ownsFont_ = false;
    TFont* visibleFont_ = nullptr;
    TuiLookAndFeel* lookAndFeel_ = nullptr;
    TuiStyleController* styleController_ = nullptr;
    int updateCount_ = 0;
    bool modified_ = false;
    bool destroying_ = false;
    int fontAssignedLock_ = 0;
};

// The four styles of a control, indexed by state.
class TuiContainerStyles : public TObject {
public:
    TuiContainerStyles(const TuiContainerStyleClass& AStyleClass, TPersistent* AOwner);
    ~TuiContainerStyles() override;
    std::string ClassName() const override { return "TuiContainerStyles"; }
    TuiContainerStyle* Style(TuiContainerStyleState AState) const { return styles_[static_cast<std::size_t>(AState)]; }

private:
    std::array<TuiContainerStyle*, 4> styles_{};
};

// The style class that makes plain container styles.
TuiContainerStyleClass ContainerStyleClass();

class TuiStyleController : public TComponent {
public:
    explicit TuiStyleController(TComponent* AOwner);
    ~TuiStyleController() override;
    // Makes the four styles of StyleObjectClass.
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiStyleController"; }
    void Loaded() override;

    virtual void AttachStyle(TuiContainerStyle* AStyle);
    virtual TuiContainerStyleClass StyleObjectClass();
    virtual void DetachStyle(TuiContainerStyle* AStyle);

    TuiContainerStyle* GetStyle(TuiContainerStyleState AState) const {
        return styles_ != nullptr ? styles_->Style(AState) : nullptr;
    }
    // The controller of this controller's Normal style (never stored back: writing does nothing).
    TuiStyleController* GetFakeStyleController() const;
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }
    TuiContainerStyle* Listener(int I) const { return listeners_[static_cast<std::size_t>(I)]; }
    bool IsDestroying() const { return destroying_; }
    // Scales the Normal style's assigned font once in the controller's life; else asks its own controller.
    void ChangeScale(int M, int D);

    TNotifyEvent OnStyleChanged;

protected:
    // Fires OnStyleChanged and tells every listener, in list order.
    void Changed();

private:
    std::vector<TuiContainerStyle*> listeners_;
    TuiContainerStyles* styles_ = nullptr;
    bool destroying_ = false;
    bool scaled_ = false;
};

// The controller every style follows when it names none; set by the editors' start-up.
TuiStyleController* uiDefaultStyleController();
void SetuiDefaultStyleController(TuiStyleController* AController);

// The names of the border styles and of the container style values as stored.
const std::vector<std::pair<std::string, TuiContainerBorderStyle>>& ContainerBorderStyleNames();

// The unit's start-up row: registers TuiStyleController with the form reader.
TUnitRow uiContainerUnitRow();

}  // namespace zel
