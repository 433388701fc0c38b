#include "uilib/editors/uiEditProperties.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

#include "uilib/base/ubCore.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiVariants.h"

namespace zel {

namespace {

std::vector<TuiCustomEditProperties*>& PropertiesList() {
    static std::vector<TuiCustomEditProperties*> list;
    return list;
}

}  // namespace

// ------------------------------------------------------------------------------ default values provider

TuiCustomEditDefaultValuesProvider::TuiCustomEditDefaultValuesProvider(TPersistent* AOwner)
    : TuiInterfacedPersistent(AOwner) {}

TuiCustomEditDefaultValuesProvider::~TuiCustomEditDefaultValuesProvider() {
    for (TuiCustomEditProperties* properties : TuiCustomEditProperties::Instances())
        if (properties->GetDefaultValuesProvider() == this) properties->SetDefaultValuesProvider(nullptr);
}

// ----------------------------------------------------------------------------------- assigned values

TPersistent* TuiCustomEditPropertiesValues::GetOwner() const { return owner_; }

void TuiCustomEditPropertiesValues::SetFlag(bool& AFlag, bool Value) {
    if (AFlag == Value) return;
    AFlag = Value;
    owner_->Changed();
}

void TuiCustomEditPropertiesValues::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiCustomEditPropertiesValues*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    owner_->BeginUpdate();
    SetMaxValue(source->maxValue_);
    SetMinValue(source->minValue_);
    SetReadOnly(source->readOnly_);
    owner_->EndUpdate();
}

void TuiCustomEditPropertiesValues::RestoreDefaults() {
    owner_->BeginUpdate();
    SetMaxValue(false);
    SetMinValue(false);
    SetReadOnly(false);
    owner_->EndUpdate();
}

// ----------------------------------------------------------------------------------------- alignment

void TuiEditAlignment::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiEditAlignment*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (vert_ == source->vert_ && horz_ == source->horz_ && horzAssigned_ == source->horzAssigned_) return;
    vert_ = source->vert_;
    horz_ = source->horz_;
    horzAssigned_ = source->horzAssigned_;
    DoChanged();
}

void TuiEditAlignment::SetHorz(TAlignment Value) {
    if (horzAssigned_ && horz_ == Value) return;
    horz_ = Value;
    horzAssigned_ = true;
    DoChanged();
}

void TuiEditAlignment::SetVert(TuiEditVertAlignment Value) {
    if (vert_ == Value) return;
    vert_ = Value;
    DoChanged();
}

void TuiEditAlignment::Reset() {
    if (!horzAssigned_) return;
    horzAssigned_ = false;
    DoChanged();
}

// ---------------------------------------------------------------------------------------- properties

TClass TuiCustomEditProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomEditProperties", nullptr};
    return &info;
}

TuiCustomEditProperties::TuiCustomEditProperties(TPersistent* AOwner) : TuiInterfacedPersistent(AOwner) {
    PropertiesList().push_back(this);
    assignedValues_ = new TuiCustomEditPropertiesValues(this);
    buttons_ = new TuiEditButtons(this);
    buttons_->OnChange = [this](TObject*) { ButtonsChanged(); };
    alignment_ = new TuiEditAlignment(this);
    alignment_->OnChanged = [this](TObject*) { AlignmentChanged(); };
}

TuiCustomEditProperties::~TuiCustomEditProperties() {
    TuiEditorCache::PropertiesFreed(this);
    buttons_->OnChange = nullptr;
    delete buttons_;
    alignment_->OnChanged = nullptr;
    delete alignment_;
    delete assignedValues_;
    auto& list = PropertiesList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const std::vector<TuiCustomEditProperties*>& TuiCustomEditProperties::Instances() { return PropertiesList(); }

void TuiCustomEditProperties::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiCustomEditProperties*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    const TScopeExit cleanup([&] { EndUpdate(); });
    SetAutoSelect(source->autoSelect_);
    buttons_->Assign(source->buttons_);
    SetButtonsLayout(source->buttonsLayout_);
    SetBeepOnError(source->beepOnError_);
    SetClearKey(source->clearKey_);
    SetDefaultButtonKey(source->defaultButtonKey_);
    SetUseLeftAlignmentOnEditing(source->useLeftAlignmentOnEditing_);
    SetDefaultValuesProvider(source->provider_);
    alignment_->Assign(source->alignment_);

    assignedValues_->SetMaxValue(false);
    if (source->assignedValues_->GetMaxValue()) SetMaxValue(source->maxValue_);
    assignedValues_->SetMinValue(false);
    if (source->assignedValues_->GetMinValue()) SetMinValue(source->minValue_);
    assignedValues_->SetReadOnly(false);
    if (source->assignedValues_->GetReadOnly()) SetReadOnly(source->readOnly_);

    SetImmediatePost(source->immediatePost_);
    SetForceTransparent(source->forceTransparent_);
    SetWheelWhenInplace(source->wheelWhenInplace_);
    SetValidateOnEnter(source->validateOnEnter_);
    OnEditButtonClick = source->OnEditButtonClick;
    OnChange = source->OnChange;
    OnEditValueChanged = source->OnEditValueChanged;
    OnValidate = source->OnValidate;
}

TuiEditAlignment* TuiCustomEditProperties::GetAlignment() const {
    // A Horz never assigned shows the default, without counting as assigned or reporting a change.
    if (!alignment_->horzAssigned_) alignment_->horz_ = DefaultHorzAlignment();
    return alignment_;
}

void TuiCustomEditProperties::BeginUpdate() {
    if (updateCount_ == 0) changedOccurred_ = false;
    ++updateCount_;
}

void TuiCustomEditProperties::EndUpdate(bool AInvokeChanged) {
    if (updateCount_ == 0) return;
    --updateCount_;
    if (updateCount_ == 0 && AInvokeChanged && changedOccurred_) Changed();
}

bool TuiCustomEditProperties::OwnerIsLoading() const {
    auto* component = dynamic_cast<TComponent*>(GetOwner());
    return component != nullptr && component->ComponentState().Contains(csLoading);
}

void TuiCustomEditProperties::Changed() {
    if (changedLocked_ || updateCount_ > 0 || OwnerIsLoading()) {
        changedOccurred_ = true;
        return;
    }
    changedOccurred_ = false;
    if (!OnPropertiesChanged) return;
    ++changedEventDepth_;
    const TScopeExit cleanup([&] { --changedEventDepth_; });
    OnPropertiesChanged(this);
}

bool TuiCustomEditProperties::GetReadOnly() const {
    if (assignedValues_->GetReadOnly()) return readOnly_;
    return provider_ != nullptr && provider_->DefaultReadOnly();
}

void TuiCustomEditProperties::SetReadOnly(bool Value) {
    if (assignedValues_->GetReadOnly() && readOnly_ == Value) return;
    readOnly_ = Value;
    BeginUpdate();
    assignedValues_->SetReadOnly(true);
    changedOccurred_ = true;
    EndUpdate();
}

double TuiCustomEditProperties::GetMaxValue() const {
    if (assignedValues_->GetMaxValue()) return maxValue_;
    return provider_ != nullptr ? provider_->DefaultMaxValue() : 0.0;
}

void TuiCustomEditProperties::SetMaxValue(double Value) {
    if (assignedValues_->GetMaxValue() && maxValue_ == Value) return;
    maxValue_ = Value;
    BeginUpdate();
    assignedValues_->SetMaxValue(true);
    changedOccurred_ = true;
    EndUpdate();
}

double TuiCustomEditProperties::GetMinValue() const {
    if (assignedValues_->GetMinValue()) return minValue_;
    return provider_ != nullptr ? provider_->DefaultMinValue() : 0.0;
}

void TuiCustomEditProperties::SetMinValue(double Value) {
    if (assignedValues_->GetMinValue() && minValue_ == Value) return;
    minValue_ = Value;
    BeginUpdate();
    assignedValues_->SetMinValue(true);
    changedOccurred_ = true;
    EndUpdate();
}

void TuiCustomEditProperties::SetDefaultValuesProvider(TuiCustomEditDefaultValuesProvider* Value) {
    if (provider_ == Value) return;
    provider_ = Value;
    Changed();
}

bool TuiCustomEditProperties::IsEditValueModifiable() const {
    if (assignedValues_->GetReadOnly() && !readOnly_) return true;
    if (GetReadOnly()) return false;
    if (provider_ == nullptr) return true;
    return provider_->DefaultCanModify() && provider_->CanSetEditMode();
}

std::string TuiCustomEditProperties::GetValidateErrorText() const {
    return LoadLibraryString(&uiSEditValidateErrorText);
}

void TuiCustomEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue) const {
    DisplayValue = AEditValue;
}

bool TuiCustomEditProperties::ValuesDiffer(const Variant& AValue1, const Variant& AValue2) const {
    Variant display1;
    Variant display2;
    PrepareDisplayValue(AValue1, display1);
    PrepareDisplayValue(AValue2, display2);
    return !VariantsEqual(display1, display2);
}

bool TuiCustomEditProperties::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                                   TObject* AEditor, TuiCustomEditProperties* AOwnProperties,
                                                   const std::string& AEditorText) {
    if (!CanValidate()) return false;
    if (ErrorText.empty()) ErrorText = GetValidateErrorText();
    const bool ownHandler =
        AOwnProperties != nullptr && AOwnProperties != this && static_cast<bool>(AOwnProperties->OnValidate);
    const bool handler = static_cast<bool>(OnValidate);
    if (!ownHandler && !handler) return false;
    const Variant before = DisplayValue;
    if (ownHandler) AOwnProperties->OnValidate(AEditor, DisplayValue, ErrorText, Error);
    if (handler) OnValidate(AEditor, DisplayValue, ErrorText, Error);
    if (!Error || VarToStr(DisplayValue) == VarToStr(before)) return false;
    DisplayValue = Variant(AEditorText);
    return true;
}

// ------------------------------------------------------------------------------------------- editor cache

namespace {

std::vector<TuiEditorCache*>& EditorCaches() {
    static std::vector<TuiEditorCache*> caches;
    return caches;
}

}  // namespace

TuiEditorCache::TuiEditorCache() { EditorCaches().push_back(this); }

TuiEditorCache::~TuiEditorCache() { std::erase(EditorCaches(), this); }

void TuiEditorCache::Add(TObject* AEditor) { entries_.emplace_back(AEditor, nullptr); }

int TuiEditorCache::IndexOf(TuiCustomEditProperties* AProperties, bool ACreate) {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].second == AProperties) return static_cast<int>(i);
    if (!ACreate || AProperties == nullptr) return -1;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].second == nullptr && entries_[i].first != nullptr &&
            entries_[i].first->ClassName() == AProperties->EditorClassName()) {
            entries_[i].second = AProperties;
            return static_cast<int>(i);
        }
    return -1;
}

void TuiEditorCache::PropertiesFreed(TuiCustomEditProperties* AProperties) {
    for (TuiEditorCache* cache : EditorCaches())
        for (auto& entry : cache->entries_)
            if (entry.second == AProperties) entry.second = nullptr;
}

}  // namespace zel
