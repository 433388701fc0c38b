// The text editors' settings.
#include <cmath>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "uilib/base/ubCore.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditUtils.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel {

namespace {

// Inside one update of the settings, also when the body throws.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TuiCustomEditProperties* AProperties) : properties_(AProperties) {
        properties_->BeginUpdate();
    }
    ~TUpdateBracket() { properties_->EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TuiCustomEditProperties* properties_;
};

std::string ApplyCharCase(const std::string& AText, TEditCharCase ACase) {
    switch (ACase) {
        case ecUpperCase: return AnsiUpperCase(AText);
        case ecLowerCase: return AnsiLowerCase(AText);
        default: return AText;
    }
}

}  // namespace

// ----------------------------------------------------------------------------------------- assigned values

TPersistent* TuiTextEditPropertiesValues::GetOwner() const { return owner_; }

void TuiTextEditPropertiesValues::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiTextEditPropertiesValues*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    TUpdateBracket bracket(owner_);
    SetDisplayFormat(source->displayFormat_);
    SetEditFormat(source->editFormat_);
    SetMaxLength(source->maxLength_);
}

void TuiTextEditPropertiesValues::RestoreDefaults() {
    TUpdateBracket bracket(owner_);
    SetDisplayFormat(false);
    SetEditFormat(false);
    SetMaxLength(false);
}

void TuiTextEditPropertiesValues::SetDisplayFormat(bool Value) {
    if (displayFormat_ == Value) return;
    displayFormat_ = Value;
    owner_->Changed();
}

void TuiTextEditPropertiesValues::SetEditFormat(bool Value) {
    if (editFormat_ == Value) return;
    editFormat_ = Value;
    owner_->Changed();
}

void TuiTextEditPropertiesValues::SetMaxLength(bool Value) {
    if (maxLength_ == Value) return;
    maxLength_ = Value;
    owner_->MaxLengthChanged();
}

bool TuiTextEditPropertiesValues::IsDisplayFormatStored() const {
    return displayFormat_ && owner_->displayFormat_.empty() && owner_->PublishesFormat("DisplayFormat");
}

bool TuiTextEditPropertiesValues::IsEditFormatStored() const {
    return editFormat_ && owner_->editFormat_.empty() && owner_->PublishesFormat("EditFormat");
}

// ---------------------------------------------------------------------------------------------- settings

TuiCustomTextEditProperties::TuiCustomTextEditProperties(TPersistent* AOwner) : TuiCustomEditProperties(AOwner) {
    textValues_ = new TuiTextEditPropertiesValues(this);
    lookupItems_ = new TStringList;
    lookupItems_->Duplicates = dupAccept;
    lookupItems_->OnChange = [this](TObject*) { Changed(); };
    if (TuiFormatController* controller = uiFormatController(); controller != nullptr) controller->AddListener(this);
}

TuiCustomTextEditProperties::~TuiCustomTextEditProperties() {
    if (TuiFormatController* controller = uiFormatController(); controller != nullptr) controller->RemoveListener(this);
    lookupItems_->OnChange = nullptr;
    delete lookupItems_;
    delete textValues_;
}

void TuiCustomTextEditProperties::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiCustomTextEditProperties*>(Source);
    if (source == nullptr) {
        TuiCustomEditProperties::Assign(Source);
        return;
    }
    TUpdateBracket bracket(this);
    TuiCustomEditProperties::Assign(Source);
    SetCharCase(source->charCase_);
    SetEchoMode(source->echoMode_);
    SetListMatchHighlight(source->listMatchHighlight_);
    SetTypingDisabled(source->typingDisabled_);
    SetHideSelection(source->hideSelection_);
    immediateUpdateText_ = source->immediateUpdateText_;
    SetIncrementalSearch(source->incrementalSearch_);
    SetExactMatchOnTextChange(source->exactMatchOnTextChange_);
    extraValidChars_ = source->extraValidChars_;
    // Unsorted first, so that the lines arrive in the source's order whatever it is.
    lookupItems_->SetSorted(false);
    lookupItems_->Assign(source->lookupItems_);
    lookupItems_->SetSorted(source->GetLookupItemsSorted());
    textValues_->RestoreDefaults();
    if (source->textValues_->GetDisplayFormat()) SetDisplayFormat(source->displayFormat_);
    if (source->textValues_->GetEditFormat()) SetEditFormat(source->editFormat_);
    if (source->textValues_->GetMaxLength()) SetMaxLength(source->maxLength_);
    SetOEMConvert(source->oemConvert_);
    SetImeMode(source->imeMode_);
    SetImeName(source->imeName_);
    SetPasswordChar(source->passwordChar_);
    SetUseDisplayFormatWhenEditing(source->useDisplayFormatWhenEditing_);
    OnNewLookupDisplayText = source->OnNewLookupDisplayText;
}

void TuiCustomTextEditProperties::SetCharCase(TEditCharCase Value) { Store(charCase_, Value); }
void TuiCustomTextEditProperties::SetEchoMode(TuiEditEchoMode Value) { Store(echoMode_, Value); }
void TuiCustomTextEditProperties::SetPasswordChar(char Value) { Store(passwordChar_, Value); }
void TuiCustomTextEditProperties::SetHideSelection(bool Value) { Store(hideSelection_, Value); }
void TuiCustomTextEditProperties::SetImeMode(TImeMode Value) { Store(imeMode_, Value); }
void TuiCustomTextEditProperties::SetImeName(const std::string& Value) { Store(imeName_, Value); }
void TuiCustomTextEditProperties::SetIncrementalSearch(bool Value) { Store(incrementalSearch_, Value); }
void TuiCustomTextEditProperties::SetOEMConvert(bool Value) { Store(oemConvert_, Value); }
void TuiCustomTextEditProperties::SetUseDisplayFormatWhenEditing(bool Value) {
    Store(useDisplayFormatWhenEditing_, Value);
}
void TuiCustomTextEditProperties::SetTypingDisabled(bool Value) { Store(typingDisabled_, Value); }
void TuiCustomTextEditProperties::SetExactMatchOnTextChange(bool Value) { Store(exactMatchOnTextChange_, Value); }

void TuiCustomTextEditProperties::SetListMatchHighlight(bool Value) {
    if (listMatchHighlight_ == Value) return;
    listMatchHighlight_ = Value;
    // Only the list-only style shows it.
    if (GetEditingStyle() == tesListOnly) Changed();
}

void TuiCustomTextEditProperties::SetLookupItems(TStrings* Value) { lookupItems_->Assign(Value); }
void TuiCustomTextEditProperties::SetLookupItemsSorted(bool Value) { lookupItems_->SetSorted(Value); }

int TuiCustomTextEditProperties::GetMaxLength() const { return textValues_->GetMaxLength() ? maxLength_ : 0; }

void TuiCustomTextEditProperties::SetMaxLength(int Value) {
    if (Value < 0) Value = 0;
    if (textValues_->GetMaxLength() && maxLength_ == Value) return;
    maxLength_ = Value;
    if (textValues_->GetMaxLength()) MaxLengthChanged();
    else textValues_->SetMaxLength(true);
}

std::string TuiCustomTextEditProperties::GetDisplayFormat() const {
    return textValues_->GetDisplayFormat() ? displayFormat_ : DefaultDisplayFormat();
}

void TuiCustomTextEditProperties::SetDisplayFormat(const std::string& Value) {
    if (textValues_->GetDisplayFormat() && displayFormat_ == Value) return;
    TUpdateBracket bracket(this);
    displayFormat_ = Value;
    textValues_->SetDisplayFormat(true);
    Changed();
}

void TuiCustomTextEditProperties::SetEditFormat(const std::string& Value) {
    if (textValues_->GetEditFormat() && editFormat_ == Value) return;
    TUpdateBracket bracket(this);
    editFormat_ = Value;
    textValues_->SetEditFormat(true);
    Changed();
}

TuiTextEditViewMode TuiCustomTextEditProperties::GetViewMode() const {
    switch (GetButtonsLayout()) {
        case 1: return tvmButtonsOnly;
        case 2: return tvmButtonsFillWidth;
        default: return typingDisabled_ ? tvmNoCaret : tvmNormal;
    }
}

void TuiCustomTextEditProperties::SetViewMode(TuiTextEditViewMode Value) {
    if (GetViewMode() == Value) return;
    static constexpr int kLayouts[] = {0, 0, 1, 2};
    TUpdateBracket bracket(this);
    SetButtonsLayout(kLayouts[Value]);
    SetTypingDisabled(Value != tvmNormal);
}

bool TuiCustomTextEditProperties::IsLookupItem(const std::string& AText) const {
    for (int i = 0; i < lookupItems_->Count(); ++i)
        if (AnsiSameText(lookupItems_->Get(i), AText)) return true;
    return false;
}

bool TuiCustomTextEditProperties::IsValidDisplayValue(Variant& Value) const {
    const std::string text = VarToStr(Value);
    const TuiTextEditingStyle style = GetEditingStyle();
    const bool listStyle = style == tesListCompletion || style == tesListOnly;
    if (!text.empty() && listStyle && UsesLookupData() && !IsLookupItem(text)) return false;
    Value = Variant(ApplyCharCase(text, charCase_));
    return true;
}

bool TuiCustomTextEditProperties::CanDisplayValue(const Variant& Value) const {
    if (VarIsNull(Value) || !VarIsStr(Value)) return true;
    Variant copy = Value;
    return IsValidDisplayValue(copy);
}

std::string TuiCustomTextEditProperties::TransformDisplayText(const std::string& AText) const {
    if (echoMode_ == eemPassword) return std::string(AText.size(), passwordChar_ != 0 ? passwordChar_ : '*');
    return ApplyCharCase(AText, charCase_);
}

std::string TuiCustomTextEditProperties::PrepareDisplayText(const Variant& AEditValue, bool AEditing) const {
    if (!HasValueType()) {
        if (VarIsArray(AEditValue)) return {};
        return VarToStr(AEditValue);
    }
    if (VarIsNull(AEditValue) || VarIsEmpty(AEditValue)) return {};
    if (!VarIsNumeric(AEditValue) && !VarIsStr(AEditValue)) throw EConvertError("Could not convert to numeric value");
    if (AEditing) {
        const TuiEditFormat format = GetEditFormat(false);
        const int precision =
            GetDefaultValuesProvider() != nullptr ? GetDefaultValuesProvider()->DefaultPrecision() : 15;
        const std::string text = VarToStr(AEditValue);
        double value = 0;
        if (!format.Format.empty()) {
            if (!TryStrToFloat(text, value)) return text;
            return FormatFloat(format.Format, value);
        }
        if (!TryStrToFloat(text, value)) return text;
        if (format.IsCurrency) return FloatToStrFixed(value, FormatSettings.CurrencyDecimals);
        return FloatToStrGeneral(value, precision);
    }
    const std::string displayFormat = GetDisplayFormat();
    if (!displayFormat.empty()) return FormatFloat(displayFormat, VarToDouble(AEditValue));
    return VarToStr(AEditValue);
}

std::string TuiCustomTextEditProperties::GetDisplayText(const Variant& AEditValue, bool AEditing) const {
    return TransformDisplayText(PrepareDisplayText(AEditValue, AEditing));
}

void TuiCustomTextEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue) const {
    DisplayValue = Variant(PrepareDisplayText(AEditValue, false));
}

bool TuiCustomTextEditProperties::DisplayValuesEqual(const Variant& A, const Variant& B) const {
    return GetDisplayText(A, false) == GetDisplayText(B, false);
}

TuiEditFormat TuiCustomTextEditProperties::GetEditFormat(bool /*AInPlace*/) const {
    TuiEditFormat result;
    if (textValues_->GetEditFormat()) {
        result.Format = editFormat_;
        return result;
    }
    // No data provider here answers a text handler, an edit format or a currency field.
    std::string format;
    if (textValues_->GetDisplayFormat()) format = displayFormat_;
    else format = DefaultDisplayFormat();
    if (useDisplayFormatWhenEditing_) result.Format = format;
    return result;
}

bool TuiCustomTextEditProperties::IsMinMaxInForce(int AWhich) const {
    const bool minAssigned = AssignedValues()->GetMinValue();
    const bool maxAssigned = AssignedValues()->GetMaxValue();
    if (minAssigned != maxAssigned) return AWhich == 0 ? minAssigned : maxAssigned;
    return GetMaxValue() > GetMinValue();
}

void TuiCustomTextEditProperties::ValidateRange(const Variant& AEditValue, std::string& ErrorText, bool& Error) const {
    if (!VarIsNumeric(AEditValue) && AEditValue.VType() != varDate) return;
    const double value = VarToDouble(AEditValue);
    if ((IsMinMaxInForce(0) && value < GetMinValue()) || (IsMinMaxInForce(1) && value > GetMaxValue())) {
        Error = true;
        ErrorText = GetValidateErrorTextOf(1);
    }
}

std::string TuiCustomTextEditProperties::GetValidateErrorTextOf(int AKind) const {
    if (AKind == 1) return LoadLibraryString(&uiSEditValueOutOfBounds);
    return GetValidateErrorText();
}

void TuiCustomTextEditProperties::FormatChanged() {
    formatChanging_ = true;
    const TScopeExit cleanup([&] { formatChanging_ = false; });
    Changed();
}

}  // namespace zel
