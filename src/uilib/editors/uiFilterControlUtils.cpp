#include "uilib/editors/uiFilterControlUtils.h"

#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiEditProperties.h"

namespace zel {

// ------------------------------------------------------------------------------------------- the helper

TuiCustomFilterEditHelper::TUpdateBracket::TUpdateBracket(TuiCustomEditProperties* AProperties)
    : properties_(AProperties) {
    properties_->BeginUpdate();
}

TuiCustomFilterEditHelper::TUpdateBracket::~TUpdateBracket() { properties_->EndUpdate(); }

TClass TuiCustomFilterEditHelper::StaticClass() {
    return MakeHelperClass<TuiCustomFilterEditHelper>("TuiCustomFilterEditHelper", nullptr);
}

TuiFilterEditHelperClass TuiCustomFilterEditHelper::HelperOfClass(TClass AClass) {
    // Every class reference under the helper base is made by MakeHelperClass, so it carries its instance.
    if (AClass == nullptr || !AClass->InheritsFrom(StaticClass())) return nullptr;
    return static_cast<const TuiFilterEditHelperClassInfo*>(AClass)->Helper;
}

void TuiCustomFilterEditHelper::ClearPropertiesEvents(TuiCustomEditProperties* AProperties) const {
    AProperties->OnEditButtonClick = nullptr;
    AProperties->OnChange = nullptr;
    AProperties->OnEditValueChanged = nullptr;
    AProperties->OnValidate = nullptr;
}

std::string TuiCustomFilterEditHelper::GetEditValueText(TuiCustomEdit* AEdit) const {
    Variant value;
    std::string text;
    GetFilterValue(AEdit, AEdit->ActiveProperties(), value, text);
    return text;
}

void TuiCustomFilterEditHelper::GetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* AEditProperties,
                                               Variant& V, std::string& S) const {
    V = AEdit->GetEditValue();
    Variant display;
    AEditProperties->PrepareDisplayValue(V, display);
    S = VarToStr(display);
}

TuiFilterOperators TuiCustomFilterEditHelper::GetSupportedFilterOperators(TuiCustomEditProperties* AProperties,
                                                                          TuiValueTypeClass AValueTypeClass,
                                                                          bool AExtendedSet) const {
    if (auto* own = dynamic_cast<const IuiFilterEditPropertiesOperators*>(AProperties))
        return own->GetSupportedFilterOperators(AValueTypeClass, AExtendedSet);
    // Codes 1-6, 9 and 10; with the extended operators also 11-14.
    TuiFilterOperators operators(1662);
    if (AExtendedSet) operators |= TuiFilterOperators(30720);
    return operators;
}

void TuiCustomFilterEditHelper::InitializeProperties(TuiCustomEditProperties* AProperties,
                                                     TuiCustomEditProperties* AEditProperties, bool AHasButtons) const {
    TUpdateBracket update(AProperties);
    if (AEditProperties != nullptr && AEditProperties != AProperties) AProperties->Assign(AEditProperties);
    AProperties->GetAlignment()->SetHorz(taLeftJustify);
    AProperties->GetAlignment()->SetVert(taTopJustify);
    AProperties->SetBeepOnError(false);
    if (!AHasButtons) AProperties->Buttons()->Clear();
    AProperties->SetReadOnly(false);
    AProperties->SetValidateOnEnter(true);
    // A filter row edits a condition, not a record: the data's defaults do not apply to it.
    AProperties->SetDefaultValuesProvider(nullptr);
    ClearPropertiesEvents(AProperties);
}

bool TuiCustomFilterEditHelper::IsValueValid(TuiValueTypeClass AValueTypeClass, Variant& Value) const {
    return AValueTypeClass == nullptr || AValueTypeClass->ConvertVariant(Value);
}

// --------------------------------------------------------------------------------------- the controller

namespace {
TuiFilterEditsController* g_filterEditsController = nullptr;
}  // namespace

void TuiFilterEditsController::Register(TClass AItemClass, TClass ARegisteredClass) {
    TuiRegisteredClassList::Register(KeyOf(AItemClass), ARegisteredClass);
}

void TuiFilterEditsController::Unregister(TClass AItemClass, TClass ARegisteredClass) {
    TuiRegisteredClassList::Unregister(KeyOf(AItemClass), ARegisteredClass);
    if (GetCount() == 0 && this == g_filterEditsController) {
        g_filterEditsController = nullptr;
        delete this;
    }
}

TuiFilterEditHelperClass TuiFilterEditsController::FindHelper(TClass APropertiesClass) const {
    return TuiCustomFilterEditHelper::HelperOfClass(FindClass(APropertiesClass));
}

TuiFilterEditsController* FilterEditsController() {
    if (g_filterEditsController == nullptr) g_filterEditsController = new TuiFilterEditsController;
    return g_filterEditsController;
}

TuiFilterEditsController* ExistingFilterEditsController() { return g_filterEditsController; }

}  // namespace zel
