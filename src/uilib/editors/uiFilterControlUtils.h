#pragma once
// Filter helpers: one adapter class per editor kind that turns an editor's settings into the value editor of
// one filter condition, and the program-wide controller that finds the adapter for a settings class.
#include <bitset>
#include <string>

#include "platform/rtl/Variants.h"
#include "uilib/base/uiClasses.h"
#include "uilib/editors/uiDataStorage.h"

namespace zel {

class TuiCustomEdit;
class TuiCustomEditProperties;

// 5-byte sets of filter operators, by their codes.
using TuiFilterOperators = std::bitset<40>;

// Settings that decide themselves which filter operators suit them; the helpers ask them first.
class IuiFilterEditPropertiesOperators {
public:
    virtual TuiFilterOperators GetSupportedFilterOperators(TuiValueTypeClass AValueTypeClass,
                                                           bool AExtendedSet) const = 0;

protected:
    ~IuiFilterEditPropertiesOperators() = default;
};

class TuiCustomFilterEditHelper;
// The class of a filter helper: its shared instance, which holds no data and stands for the class.
using TuiFilterEditHelperClass = const TuiCustomFilterEditHelper*;

// A helper's class reference, which also leads to the helper's shared instance.
struct TuiFilterEditHelperClassInfo : TClassInfo {
    TuiFilterEditHelperClass Helper = nullptr;
};

// The adapter of one editor kind. Every operation belongs to the class: an instance has no state.
class TuiCustomFilterEditHelper {
public:
    virtual ~TuiCustomFilterEditHelper() = default;
    static TClass StaticClass();
    // The helper behind a class reference; nullptr for a class that is no filter helper.
    static TuiFilterEditHelperClass HelperOfClass(TClass AClass);

    // Clears OnEditButtonClick, OnChange, OnEditValueChanged and OnValidate; a popup's close event stays.
    virtual void ClearPropertiesEvents(TuiCustomEditProperties* AProperties) const;
    // The text of the editor's value, as this helper gives it for the editor's active settings.
    virtual std::string GetEditValueText(TuiCustomEdit* AEdit) const;
    // The class name of the editor that filter rows place for values of this kind; none here.
    virtual std::string GetFilterEditClassName() const { return {}; }
    // The editor's value, and the text that AEditProperties make of it.
    virtual void GetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* AEditProperties, Variant& V,
                                std::string& S) const;
    // Codes 1 to 10, or 1 to 14 with the extended operators, never 7 and 8; settings that answer the question
    // themselves are asked instead.
    virtual TuiFilterOperators GetSupportedFilterOperators(TuiCustomEditProperties* AProperties,
                                                           TuiValueTypeClass AValueTypeClass, bool AExtendedSet) const;
    // Makes AProperties the settings of a filter row's editor for values that AEditProperties edit: a copy of
    // them, left-justified at the top, silent, writable, validating on Enter, without a data provider or
    // handlers, and without buttons unless AHasButtons.
    virtual void InitializeProperties(TuiCustomEditProperties* AProperties, TuiCustomEditProperties* AEditProperties,
                                      bool AHasButtons) const;
    // Whether the value converts to the value type (converted in place); any value passes without a type.
    virtual bool IsValueValid(TuiValueTypeClass AValueTypeClass, Variant& Value) const;
    // Puts a condition's value into a filter row's editor; nothing here.
    virtual void SetFilterValue(TuiCustomEdit* /*AEdit*/, TuiCustomEditProperties* /*AEditProperties*/,
                                const Variant& /*AValue*/) const {}
    // Whether conditions compare the displayed value rather than the stored one.
    virtual bool UseDisplayValue() const { return false; }

protected:
    // Keeps the settings inside one update for its lifetime, so that preparing them reports one change.
    class TUpdateBracket {
    public:
        explicit TUpdateBracket(TuiCustomEditProperties* AProperties);
        ~TUpdateBracket();
        TUpdateBracket(const TUpdateBracket&) = delete;
        TUpdateBracket& operator=(const TUpdateBracket&) = delete;

    private:
        TuiCustomEditProperties* properties_;
    };

    // The class reference of helper class T, named AName, whose parent is AParent; its instance is made once.
    template <class T>
    static TClass MakeHelperClass(const char* AName, TClass AParent) {
        static const T helper{};
        static const TuiFilterEditHelperClassInfo info{{AName, AParent}, &helper};
        return &info;
    }
};

// The program-wide list of filter helpers by settings class. A registration is kept under the parent of the
// settings class given (a class without a parent under itself), so that a helper serves that parent's whole
// family; a lookup takes the nearest registered ancestor.
class TuiFilterEditsController : public TuiRegisteredClassList {
public:
    std::string ClassName() const override { return "TuiFilterEditsController"; }
    void Register(TClass AItemClass, TClass ARegisteredClass) override;
    // Removes the registration; the program-wide controller frees itself with its last one.
    void Unregister(TClass AItemClass, TClass ARegisteredClass) override;

    // The helper for a settings class; nullptr when none serves it.
    TuiFilterEditHelperClass FindHelper(TClass APropertiesClass) const;

private:
    static TClass KeyOf(TClass AItemClass) {
        return AItemClass != nullptr && AItemClass->Parent != nullptr ? AItemClass->Parent : AItemClass;
    }
};

// The program-wide controller, made on first use.
TuiFilterEditsController* FilterEditsController();
// The program-wide controller when it exists, else nullptr (nothing is made).
TuiFilterEditsController* ExistingFilterEditsController();

}  // namespace zel
