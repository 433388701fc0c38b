#include "uilib/editors/uiContainer.h"

#include <algorithm>

#include "platform/rtl/Filer.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/FormReader.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {

TuiStyleController* gDefaultStyleController = nullptr;

const char* const kValueNames[] = {"BorderColor", "BorderStyle", "Color",     "Edges",     "Font",
                                   "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};

// Values that the four styles of a set share: they live on the Normal style.
constexpr TuiContainerStyleValues kSharedValues = 0x278;

// A Focused or Hot style that hot-tracks shows a stronger frame than its Normal style.
TuiContainerBorderStyle HighlightedBorderStyle(TuiContainerBorderStyle AStyle) {
    switch (AStyle) {
        case cbsNone: return cbsFlat;
        case cbsSingle: return cbsThick;
        case cbsFlat: return cbs3D;
        default: return AStyle;
    }
}

// Guards a style's change lock for the length of a scope.
class TChangeLock {
public:
    explicit TChangeLock(TuiContainerStyle* AStyle) : style_(AStyle) { style_->LockChanges(); }
    ~TChangeLock() { style_->UnlockChanges(); }
    TChangeLock(const TChangeLock&) = delete;
    TChangeLock& operator=(const TChangeLock&) = delete;

private:
    TuiContainerStyle* style_;
};

}  // namespace

TuiStyleController* uiDefaultStyleController() { return gDefaultStyleController; }
void SetuiDefaultStyleController(TuiStyleController* AController) { gDefaultStyleController = AController; }

const std::vector<std::pair<std::string, TuiContainerBorderStyle>>& ContainerBorderStyleNames() {
    static const std::vector<std::pair<std::string, TuiContainerBorderStyle>> names = {
        {"cbsNone", cbsNone}, {"cbsSingle", cbsSingle},       {"cbsThick", cbsThick},      {"cbsFlat", cbsFlat},
        {"cbs3D", cbs3D},     {"cbsUltraFlat", cbsUltraFlat}, {"cbsOffice11", cbsOffice11}};
    return names;
}

// ------------------------------------------------------------------------------------------ container style

TuiContainerStyle::TuiContainerStyle(TPersistent* AOwner, bool ADirectAccessMode, TuiContainerStyle* AParentStyle,
                                     TuiContainerStyleState AState)
    : TuiInterfacedPersistent(AOwner), owner_(AOwner), directAccessMode_(ADirectAccessMode), state_(AState) {
    if (AState != cssNormal) parentStyle_ = AParentStyle;
    if (directAccessMode_)
        assignedValues_ = StyleValueBit(csvColor) | StyleValueBit(csvFont) | StyleValueBit(csvTextColor) |
                          StyleValueBit(csvTextStyle);
    if (IsBaseStyle() && !directAccessMode_) {
        font_ = new TFont;
        ownsFont_ = true;
        font_->OnChange = [this](TObject* Sender) { FontModified(Sender); };
    }
    visibleFont_ = new TFont;
    if (IsBaseStyle()) {
        lookAndFeel_ = new TuiLookAndFeel(this);
        lookAndFeel_->OnChanged = [this](TuiLookAndFeel*, TuiLookAndFeelValues) { StyleChanged(); };
    }
}

void TuiContainerStyle::AfterConstruction() {
    TuiInterfacedPersistent::AfterConstruction();
    if (IsBaseStyle() && !directAccessMode_) SetStyleController(DefaultController());
}

TuiContainerStyle::~TuiContainerStyle() {
    destroying_ = true;
    if (IsBaseStyle() && styleController_ != nullptr) styleController_->DetachStyle(this);
    if (lookAndFeel_ != nullptr) lookAndFeel_->OnChanged = nullptr;
    delete lookAndFeel_;
    delete visibleFont_;
    if (ownsFont_) {
        font_->OnChange = nullptr;
        delete font_;
    }
}

IuiContainerStyleOwner* TuiContainerStyle::Container() const { return dynamic_cast<IuiContainerStyleOwner*>(owner_); }

TuiContainerStyle* TuiContainerStyle::StyleOfValue(TuiContainerStyleValue AValue) const {
    if (AValue < 10 && (kSharedValues & StyleValueBit(AValue)) != 0) return BaseStyle();
    return const_cast<TuiContainerStyle*>(this);
}

TuiContainerStyle* TuiContainerStyle::ControllerStyle() const {
    TuiStyleController* controller = GetActiveStyleController();
    return controller != nullptr ? controller->GetStyle(state_) : nullptr;
}

TFont* TuiContainerStyle::ResolvedFont() const {
    const TuiContainerStyle* style = BaseStyle();
    for (int guard = 0; style != nullptr && guard < 64; ++guard) {
        if (style->IsOwnValueAssigned(csvFont)) return style->font_;
        style = style->ControllerStyle();
    }
    return nullptr;
}

void TuiContainerStyle::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiContainerStyle*>(Source);
    if (source == nullptr) {
        TuiInterfacedPersistent::Assign(Source);
        return;
    }
    TChangeLock lock(this);
    if (IsBaseStyle()) {
        SetStyleController(source->GetStyleController());
        lookAndFeel_->Assign(source->GetLookAndFeel());
    }
    borderColor_ = source->borderColor_;
    borderStyle_ = source->borderStyle_;
    edges_ = source->edges_;
    hotTrack_ = source->hotTrack_;
    shadow_ = source->shadow_;
    transparentBorder_ = source->transparentBorder_;
    color_ = source->color_;
    if (directAccessMode_) {
        font_ = source->GetFont();
        textColor_ = source->ReadTextColor();
    } else {
        if (font_ != nullptr && source->GetFont() != nullptr) {
            ++fontAssignedLock_;
            font_->Assign(source->GetFont());
            if (source->directAccessMode_) font_->SetColor(source->textColor_);
            --fontAssignedLock_;
        }
        textColor_ = source->ReadTextColor();
        textStyle_ = source->ReadTextStyle();
    }
    assignedValues_ = source->assignedValues_;
    StyleChanged();
}

void TuiContainerStyle::DefineProperties(TFiler* Filer) {
    Filer->DefineProperty(
        "IsFontAssigned",
        [this](TReader& Reader) {
            Reader.ReadBoolean();
            assignedValues_ |= StyleValueBit(csvFont);
        },
        [](TWriter& Writer) { Writer.WriteBoolean(true); }, IsValueStored(csvFont));
}

void TuiContainerStyle::LockChanges() { ++updateCount_; }

void TuiContainerStyle::UnlockChanges() {
    if (updateCount_ <= 0) return;
    if (--updateCount_ == 0) CheckChanges();
}

void TuiContainerStyle::CheckChanges() {
    if (!modified_ || updateCount_ != 0) return;
    modified_ = false;
    if (!destroying_ && !directAccessMode_ && OnChanged) OnChanged(this);
}

void TuiContainerStyle::StyleChanged() {
    modified_ = true;
    CheckChanges();
}

void TuiContainerStyle::AssignValue(TuiContainerStyleValue AValue) {
    assignedValues_ |= StyleValueBit(AValue);
    StyleChanged();
}

// ---- reading

TColor TuiContainerStyle::GetBorderColor() {
    if (directAccessMode_) return clDefault;
    TColor result = clDefault;
    return Resolve(csvBorderColor, &TuiContainerStyle::borderColor_, result) ? result : BorderColorDefault();
}

TuiContainerBorderStyle TuiContainerStyle::GetBorderStyle() {
    if (directAccessMode_) return IsOwnValueAssigned(csvBorderStyle) ? borderStyle_ : BorderStyleDefault();
    TuiContainerBorderStyle result = cbsNone;
    return Resolve(csvBorderStyle, &TuiContainerStyle::borderStyle_, result) ? result : BorderStyleDefault();
}

TColor TuiContainerStyle::ReadColor() {
    if (directAccessMode_) return color_;
    if (IsBaseStyle()) {
        IuiContainerStyleOwner* container = Container();
        TControl* control = container != nullptr ? container->StyleOwnerControl() : nullptr;
        if (control != nullptr && control->GetParentColor() && control->GetParent() != nullptr)
            return control->GetParent()->GetColor();
    }
    TColor result = clDefault;
    return Resolve(csvColor, &TuiContainerStyle::color_, result) ? result : ColorDefault();
}

TColor TuiContainerStyle::PaintColor() {
    if (directAccessMode_) return color_;
    TColor result = clDefault;
    if (Resolve(csvColor, &TuiContainerStyle::color_, result)) return result;
    IuiContainerStyleOwner* container = Container();
    if (IsBaseStyle() && container != nullptr && !container->IsInPlaceEditor()) {
        TControl* control = container->StyleOwnerControl();
        if (control != nullptr && control->GetParentColor() && control->GetParent() != nullptr)
            return control->GetParent()->GetColor();
    }
    return ColorDefault();
}

TuiBorders TuiContainerStyle::GetEdges() {
    if (directAccessMode_) return {};
    TuiBorders result;
    return Resolve(csvEdges, &TuiContainerStyle::edges_, result) ? result : EdgesDefault();
}

TFont* TuiContainerStyle::GetFont() {
    if (directAccessMode_) return font_;
    TFont* resolved = ResolvedFont();
    return resolved != nullptr ? resolved : BaseStyle()->font_;
}

bool TuiContainerStyle::GetHotTrack() {
    if (directAccessMode_) return IsOwnValueAssigned(csvHotTrack) ? hotTrack_ : HotTrackDefault();
    bool result = false;
    return Resolve(csvHotTrack, &TuiContainerStyle::hotTrack_, result) ? result : HotTrackDefault();
}

bool TuiContainerStyle::GetShadow() {
    if (directAccessMode_) return false;
    bool result = false;
    return Resolve(csvShadow, &TuiContainerStyle::shadow_, result) ? result : ShadowDefault();
}

TColor TuiContainerStyle::ReadTextColor() {
    if (directAccessMode_) return textColor_;
    TColor result = clDefault;
    return Resolve(csvTextColor, &TuiContainerStyle::textColor_, result) ? result : TextColorDefault();
}

TFontStyles TuiContainerStyle::ReadTextStyle() {
    if (directAccessMode_) return font_ != nullptr ? font_->GetStyle() : textStyle_;
    TFontStyles result;
    return Resolve(csvTextStyle, &TuiContainerStyle::textStyle_, result) ? result : TextStyleDefault();
}

bool TuiContainerStyle::GetTransparentBorder() {
    if (directAccessMode_) return true;
    bool result = true;
    return Resolve(csvTransparentBorder, &TuiContainerStyle::transparentBorder_, result) ? result
                                                                                         : TransparentBorderDefault();
}

TuiContainerStyleValues TuiContainerStyle::GetAssignedValues() const {
    if (!directAccessMode_) return assignedValues_;
    const int count = const_cast<TuiContainerStyle*>(this)->ValueCount();
    return count >= 32 ? ~0u : (1u << count) - 1;
}

TFont* TuiContainerStyle::GetVisibleFont() {
    TFont* font = GetFont();
    if (font != nullptr) visibleFont_->Assign(font);
    visibleFont_->SetColor(ReadTextColor());
    visibleFont_->SetStyle(ReadTextStyle());
    return visibleFont_;
}

// ---- defaults

TColor TuiContainerStyle::BorderColorDefault() {
    if (state_ == cssDisabled) return clBtnShadow;
    if (IsBaseStyle()) return clWindowFrame;
    return parentStyle_->GetBorderColor();
}

TuiContainerBorderStyle TuiContainerStyle::BorderStyleDefault() {
    if (IsBaseStyle()) {
        switch (GetLookAndFeel()->GetKind()) {
            case lfFlat: return cbsFlat;
            case lfStandard: return cbs3D;
            case lfUltraFlat: return cbsUltraFlat;
            case lfOffice11: return cbsOffice11;
        }
        return cbs3D;
    }
    const TuiContainerBorderStyle parent = parentStyle_->GetBorderStyle();
    // Only a hot-tracking Focused or Hot style strengthens the frame; Disabled shows the Normal frame.
    if ((state_ == cssFocused || state_ == cssHot) && GetHotTrack()) return HighlightedBorderStyle(parent);
    return parent;
}

TColor TuiContainerStyle::ColorDefault() {
    IuiContainerStyleOwner* container = Container();
    const bool parentColored = container == nullptr || container->DefaultParentColor();
    if (IsBaseStyle()) return parentColored ? clBtnFace : clWindow;
    if (state_ == cssDisabled && !parentColored) return clBtnFace;
    return parentStyle_->GetColor();
}

TuiBorders TuiContainerStyle::EdgesDefault() { return uiBordersAll; }
bool TuiContainerStyle::HotTrackDefault() { return true; }
bool TuiContainerStyle::ShadowDefault() { return false; }
bool TuiContainerStyle::TransparentBorderDefault() { return true; }

TColor TuiContainerStyle::TextColorDefault() {
    if (state_ == cssDisabled) return clBtnShadow;
    if (IsBaseStyle()) return GetFont() != nullptr ? GetFont()->GetColor() : clWindowText;
    return parentStyle_->GetTextColor();
}

TFontStyles TuiContainerStyle::TextStyleDefault() {
    if (IsBaseStyle()) return GetFont() != nullptr ? GetFont()->GetStyle() : TFontStyles{};
    return parentStyle_->GetTextStyle();
}

// ---- writing

void TuiContainerStyle::SetBorderColor(TColor Value) {
    if (IsOwnValueAssigned(csvBorderColor) && borderColor_ == Value) return;
    borderColor_ = Value;
    AssignValue(csvBorderColor);
}

void TuiContainerStyle::SetBorderStyle(TuiContainerBorderStyle Value) {
    if (IsOwnValueAssigned(csvBorderStyle) && borderStyle_ == Value) return;
    borderStyle_ = Value;
    AssignValue(csvBorderStyle);
}

void TuiContainerStyle::SetColor(TColor Value) {
    if (IsOwnValueAssigned(csvColor) && color_ == Value) return;
    color_ = Value;
    AssignValue(csvColor);
}

void TuiContainerStyle::SetEdges(TuiBorders Value) {
    if (!IsBaseStyle()) {
        parentStyle_->SetEdges(Value);
        return;
    }
    if (IsOwnValueAssigned(csvEdges) && edges_ == Value) return;
    edges_ = Value;
    AssignValue(csvEdges);
}

void TuiContainerStyle::SetFont(TFont* Value) {
    if (directAccessMode_) {
        font_ = Value;
        return;
    }
    TuiContainerStyle* base = BaseStyle();
    if (Value == nullptr || base->font_ == nullptr) return;
    TChangeLock lock(base);
    base->font_->Assign(Value);
    base->assignedValues_ |= StyleValueBit(csvFont);
    base->StyleChanged();
}

void TuiContainerStyle::TakeFontKeepingAssigned(TFont* Value) {
    TuiContainerStyle* base = BaseStyle();
    if (directAccessMode_ || Value == nullptr || base->font_ == nullptr) return;
    ++base->fontAssignedLock_;
    base->font_->Assign(Value);
    --base->fontAssignedLock_;
}

void TuiContainerStyle::SetHotTrack(bool Value) {
    if (!IsBaseStyle()) {
        parentStyle_->SetHotTrack(Value);
        return;
    }
    if (IsOwnValueAssigned(csvHotTrack) && hotTrack_ == Value) return;
    hotTrack_ = Value;
    AssignValue(csvHotTrack);
}

void TuiContainerStyle::SetShadow(bool Value) {
    if (!IsBaseStyle()) {
        parentStyle_->SetShadow(Value);
        return;
    }
    if (IsOwnValueAssigned(csvShadow) && shadow_ == Value) return;
    shadow_ = Value;
    AssignValue(csvShadow);
}

void TuiContainerStyle::SetTextColor(TColor Value) {
    if (IsOwnValueAssigned(csvTextColor) && ReadTextColor() == Value) return;
    textColor_ = Value;
    AssignValue(csvTextColor);
}

void TuiContainerStyle::SetTextStyle(TFontStyles Value) {
    if (IsOwnValueAssigned(csvTextStyle) && ReadTextStyle() == Value) return;
    textStyle_ = Value;
    AssignValue(csvTextStyle);
}

void TuiContainerStyle::SetTransparentBorder(bool Value) {
    if (!IsBaseStyle()) {
        parentStyle_->SetTransparentBorder(Value);
        return;
    }
    if (IsOwnValueAssigned(csvTransparentBorder) && transparentBorder_ == Value) return;
    transparentBorder_ = Value;
    AssignValue(csvTransparentBorder);
}

void TuiContainerStyle::SetAssignedValues(TuiContainerStyleValues Value) {
    if (Value == assignedValues_) return;
    assignedValues_ = Value;
    if (IsBaseStyle()) UpdateFont();
    StyleChanged();
}

// ---- font tracking

void TuiContainerStyle::FontModified(TObject* /*Sender*/) {
    if (fontAssignedLock_ == 0) assignedValues_ |= StyleValueBit(csvFont);
    StyleChanged();
}

void TuiContainerStyle::UpdateFont() {
    if (!IsBaseStyle() || directAccessMode_ || font_ == nullptr || IsOwnValueAssigned(csvFont)) return;
    ++fontAssignedLock_;
    if (TFont* resolved = ResolvedFont(); resolved != nullptr) {
        font_->Assign(resolved);
    } else {
        IuiContainerStyleOwner* container = Container();
        TControl* control = container != nullptr ? container->StyleOwnerControl() : nullptr;
        if (control == nullptr || !control->GetParentFont()) {
            TFont fresh;
            font_->Assign(&fresh);
        }
    }
    --fontAssignedLock_;
}

// ---- controllers

TuiStyleController* TuiContainerStyle::DefaultController() { return uiDefaultStyleController(); }

TuiStyleController* TuiContainerStyle::GetStyleController() const {
    TuiStyleController* controller = GetActiveStyleController();
    return controller == uiDefaultStyleController() ? nullptr : controller;
}

void TuiContainerStyle::SetStyleController(TuiStyleController* Value) {
    if (!IsBaseStyle()) {
        parentStyle_->SetStyleController(Value);
        return;
    }
    // The default controller's own styles follow nobody.
    if (uiDefaultStyleController() != nullptr && owner_ == uiDefaultStyleController()) return;
    if (Value == nullptr) Value = DefaultController();
    // A controller that (through its controllers) follows this style would make a cycle.
    TuiStyleController* walk = Value;
    for (int guard = 0; walk != nullptr && guard < 64; ++guard) {
        TuiContainerStyle* normal = walk->GetStyle(cssNormal);
        if (normal == nullptr) break;
        if (normal == this) return;
        walk = normal->styleController_;
    }
    if (Value == styleController_) return;
    if (styleController_ != nullptr) styleController_->DetachStyle(this);
    styleController_ = Value;
    if (styleController_ != nullptr) styleController_->AttachStyle(this);
    ControllerStyleChanged(styleController_);
}

void TuiContainerStyle::ControllerStyleChanged(TuiStyleController* /*AController*/) {
    UpdateFont();
    StyleChanged();
}

void TuiContainerStyle::ControllerRemoved(TuiStyleController* AController) {
    if (styleController_ == AController) styleController_ = nullptr;
}

// ---- names and tests

TuiContainerStyleValues TuiContainerStyle::HiddenStateStyleValues() { return kSharedValues; }

int TuiContainerStyle::ValueCount() { return 10; }

bool TuiContainerStyle::ValueName(TuiContainerStyleValue AValue, std::string& AName) {
    if (AValue < 0 || AValue > 9) {
        AName.clear();
        return false;
    }
    AName = kValueNames[AValue];
    return true;
}

bool TuiContainerStyle::FindStyleValue(const std::string& AName, TuiContainerStyleValue& AValue) {
    const int count = ValueCount();
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (ValueName(i, name) && SameText(name, AName)) {
            AValue = i;
            return true;
        }
    }
    return false;
}

bool TuiContainerStyle::IsStatePropertyVisible(const std::string& AName) {
    if (AName == "LookAndFeel" || AName == "StyleController") return false;
    TuiContainerStyleValue value = 0;
    if (!FindStyleValue(AName, value)) return true;
    return (HiddenStateStyleValues() & StyleValueBit(value)) == 0;
}

bool TuiContainerStyle::IsValueAssigned(TuiContainerStyleValue AValue) {
    if (AValue < 0 || AValue > 8) return false;
    const TuiContainerStyle* style = StyleOfValue(AValue);
    for (int guard = 0; style != nullptr && guard < 64; ++guard) {
        if (style->IsOwnValueAssigned(AValue)) return true;
        style = style->ControllerStyle();
    }
    return false;
}

bool TuiContainerStyle::IsValueStored(TuiContainerStyleValue AValue) {
    if (!IsOwnValueAssigned(AValue)) return false;
    IuiContainerStyleOwner* container = Container();
    if (container == nullptr) return true;
    std::string name;
    ValueName(AValue, name);
    return container->IsStylePropertyStored(name, !IsBaseStyle());
}

bool TuiContainerStyle::ShowsBorder() { return IsBaseStyle() ? true : parentStyle_->ShowsBorder(); }

void TuiContainerStyle::ResetToDefaults() {
    TChangeLock lock(this);
    assignedValues_ = 0;
    if (IsBaseStyle()) {
        lookAndFeel_->Reset();
        IuiContainerStyleOwner* container = Container();
        TControl* control = container != nullptr ? container->StyleOwnerControl() : nullptr;
        if (control != nullptr) {
            control->SetParentColor(false);
            control->SetParentFont(true);
        } else if (!directAccessMode_ && font_ != nullptr) {
            ++fontAssignedLock_;
            TFont fresh;
            font_->Assign(&fresh);
            --fontAssignedLock_;
        }
        if (control != nullptr && container->DefaultParentColor()) {
            TuiStyleController* controller = GetActiveStyleController();
            const bool controllerColor =
                controller != nullptr && controller->GetStyle(cssNormal)->IsValueAssigned(csvColor);
            if (!controllerColor) control->SetParentColor(true);
        }
    }
    StyleChanged();
}

// ----------------------------------------------------------------------------------------- style sets

TuiContainerStyleClass ContainerStyleClass() {
    return [](TPersistent* AOwner, bool ADirectAccess, TuiContainerStyle* AParent, TuiContainerStyleState AState) {
        return Construct<TuiContainerStyle>(AOwner, ADirectAccess, AParent, AState);
    };
}

TuiContainerStyles::TuiContainerStyles(const TuiContainerStyleClass& AStyleClass, TPersistent* AOwner) {
    styles_[0] = AStyleClass(AOwner, false, nullptr, cssNormal);
    for (TuiContainerStyleState state : {cssFocused, cssDisabled, cssHot})
        styles_[static_cast<std::size_t>(state)] = AStyleClass(AOwner, false, styles_[0], state);
}

TuiContainerStyles::~TuiContainerStyles() {
    for (int i = 3; i >= 0; --i) delete styles_[static_cast<std::size_t>(i)];
}

// ------------------------------------------------------------------------------------------ style controller

TuiStyleController::TuiStyleController(TComponent* AOwner) : TComponent(AOwner) {}

void TuiStyleController::AfterConstruction() {
    TComponent::AfterConstruction();
    styles_ = new TuiContainerStyles(StyleObjectClass(), this);
    for (TuiContainerStyleState state : {cssNormal, cssFocused, cssDisabled, cssHot})
        GetStyle(state)->OnChanged = [this](TuiContainerStyle*) { Changed(); };
}

TuiStyleController::~TuiStyleController() {
    destroying_ = true;
    for (int i = ListenerCount() - 1; i >= 0; --i) listeners_[static_cast<std::size_t>(i)]->ControllerRemoved(this);
    listeners_.clear();
    if (styles_ != nullptr)
        for (TuiContainerStyleState state : {cssNormal, cssFocused, cssDisabled, cssHot})
            GetStyle(state)->OnChanged = nullptr;
    delete styles_;
}

TuiContainerStyleClass TuiStyleController::StyleObjectClass() { return ContainerStyleClass(); }

void TuiStyleController::Loaded() {
    TComponent::Loaded();
    Changed();
}

void TuiStyleController::Changed() {
    if (OnStyleChanged) OnStyleChanged(this);
    if (destroying_) return;
    const std::vector<TuiContainerStyle*> listeners = listeners_;
    for (TuiContainerStyle* style : listeners)
        if (std::find(listeners_.begin(), listeners_.end(), style) != listeners_.end())
            style->ControllerStyleChanged(this);
}

void TuiStyleController::AttachStyle(TuiContainerStyle* AStyle) {
    if (AStyle == nullptr || std::find(listeners_.begin(), listeners_.end(), AStyle) != listeners_.end()) return;
    listeners_.push_back(AStyle);
    AStyle->GetLookAndFeel()->SetMasterLookAndFeel(GetStyle(cssNormal)->GetLookAndFeel());
}

void TuiStyleController::DetachStyle(TuiContainerStyle* AStyle) {
    auto it = std::find(listeners_.begin(), listeners_.end(), AStyle);
    if (it == listeners_.end()) return;
    listeners_.erase(it);
    AStyle->GetLookAndFeel()->SetMasterLookAndFeel(nullptr);
}

TuiStyleController* TuiStyleController::GetFakeStyleController() const {
    TuiContainerStyle* normal = GetStyle(cssNormal);
    return normal != nullptr ? normal->GetStyleController() : nullptr;
}

void TuiStyleController::ChangeScale(int M, int D) {
    TuiContainerStyle* normal = GetStyle(cssNormal);
    if (normal == nullptr) return;
    if ((normal->GetAssignedValues() & StyleValueBit(csvFont)) != 0) {
        if (scaled_) return;
        scaled_ = true;
        TFont* font = normal->GetFont();
        font->SetSize(MulDiv(font->GetSize(), M, D));
    } else if (TuiStyleController* next = normal->GetStyleController(); next != nullptr) {
        next->ChangeScale(M, D);
    }
}

// ------------------------------------------------------------------------------------------------ unit row

void uiContainerPopupsStartup();
void uiContainerPopupsShutdown();

namespace {
bool g_scrollBarInfoBound = false;
}  // namespace

bool uiScrollBarInfoBound() { return g_scrollBarInfoBound; }

TUnitRow uiContainerUnitRow() {
    return FormClassesRow(
        "uiContainer",
        [] { RegisterComponent<TuiStyleController>("TuiStyleController", "TComponent").Ignore("FakeStyleController"); },
        [] {
            // The own scroll bars follow the inner controls' only where the system reports its bars.
            g_scrollBarInfoBound = IsEntryPointAvailable("GetScrollBarInfo");
            uiContainerPopupsStartup();
        },
        [] {
            uiContainerPopupsShutdown();
            g_scrollBarInfoBound = false;
        });
}

}  // namespace zel
