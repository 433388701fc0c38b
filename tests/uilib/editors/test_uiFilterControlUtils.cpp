// Filter helpers: the controller that finds a helper for a settings class, and what each helper makes of an
// editor's settings and values for a filter row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Variants.h"
#include "uilib/editors/EditorGallery.h"
#include "uilib/editors/uiCheckBox.h"
#include "uilib/editors/uiDataStorage.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditUtils.h"
#include "uilib/editors/uiFilterControlUtils.h"
#include "uilib/editors/uiMaskEdit.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {
namespace {

TuiFilterEditHelperClass HelperOf(TClass AClass) { return TuiCustomFilterEditHelper::HelperOfClass(AClass); }

// ------------------------------------------------------------------------------------------- the registry

// A family below the text settings that has no registration of its own: TTestCustomSpinProperties is the
// parent the spin-like class is registered under.
const TClassInfo kTestCustomSpinProperties{"TTestCustomSpinProperties", TuiCustomMaskEditProperties::StaticClass()};
const TClassInfo kTestSpinProperties{"TTestSpinProperties", &kTestCustomSpinProperties};
const TClassInfo kTestOtherSpinProperties{"TTestOtherSpinProperties", &kTestCustomSpinProperties};
const TClassInfo kTestRootProperties{"TTestRootProperties", nullptr};

TEST(FilterEditsController, FindsTheNearestRegistrationAboveTheSettingsClass) {
    const TClass text = TuiFilterTextEditHelper::StaticClass();
    const TClass mask = TuiFilterMaskEditHelper::StaticClass();
    const TClass check = TuiFilterCheckBoxHelper::StaticClass();
    struct Lookup {
        const char* Name;
        TClass Properties;
        TClass Expected;
    };
    const std::vector<Lookup> lookups = {
        {"RegisteredClass", TuiTextEditProperties::StaticClass(), text},
        {"ItsParentUnderWhichItIsKept", TuiCustomTextEditProperties::StaticClass(), text},
        {"NearerRegistrationWins", TuiMaskEditProperties::StaticClass(), mask},
        {"MaskParent", TuiCustomMaskEditProperties::StaticClass(), mask},
        {"UnregisteredDescendantTakesTheNearestAncestor", &kTestSpinProperties, mask},
        {"SiblingOfTheRegisteredClassSharesItsHelper", &kTestOtherSpinProperties, mask},
        {"AnotherFamily", TuiCheckBoxProperties::StaticClass(), check},
        {"AncestorsAreNotServed", TuiCustomEditProperties::StaticClass(), nullptr},
        {"ParentlessClassKeptUnderItself", &kTestRootProperties, text},
        {"NoClass", nullptr, nullptr},
    };
    // The same answers whichever family registers first.
    for (const bool descendantFirst : {false, true}) {
        SCOPED_TRACE(descendantFirst ? "descendant first" : "ancestor first");
        TuiFilterEditsController controller;
        if (descendantFirst) controller.Register(TuiMaskEditProperties::StaticClass(), mask);
        controller.Register(TuiTextEditProperties::StaticClass(), text);
        if (!descendantFirst) controller.Register(TuiMaskEditProperties::StaticClass(), mask);
        controller.Register(TuiCheckBoxProperties::StaticClass(), check);
        controller.Register(&kTestRootProperties, text);
        EXPECT_EQ(controller.GetCount(), 4);
        for (const Lookup& l : lookups) EXPECT_EQ(controller.FindHelper(l.Properties), HelperOf(l.Expected)) << l.Name;
    }
}

TEST(FilterEditsController, UnregisteringHandsTheFamilyBackToTheAncestorsHelper) {
    TuiFilterEditsController controller;
    controller.Register(TuiTextEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
    controller.Register(TuiMaskEditProperties::StaticClass(), TuiFilterMaskEditHelper::StaticClass());
    // Only the exact pair goes: another helper or another family names nothing registered.
    controller.Unregister(TuiMaskEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
    controller.Unregister(TuiCheckBoxProperties::StaticClass(), TuiFilterMaskEditHelper::StaticClass());
    EXPECT_EQ(controller.GetCount(), 2);
    // The pair is found by the parent, as it was registered: a class under the same parent names it too.
    controller.Unregister(&kTestSpinProperties, TuiFilterMaskEditHelper::StaticClass());
    EXPECT_EQ(controller.GetCount(), 2) << "its parent is not the mask settings' parent";
    controller.Unregister(&kTestCustomSpinProperties, TuiFilterMaskEditHelper::StaticClass());
    EXPECT_EQ(controller.GetCount(), 1);
    EXPECT_EQ(controller.FindHelper(TuiMaskEditProperties::StaticClass()),
              HelperOf(TuiFilterTextEditHelper::StaticClass()));
    controller.Unregister(TuiTextEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
    EXPECT_EQ(controller.GetCount(), 0);
    EXPECT_EQ(controller.FindHelper(TuiMaskEditProperties::StaticClass()), nullptr);
    // An emptied controller of one's own stays (only the program-wide one frees itself).
    controller.Register(TuiTextEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
    EXPECT_EQ(controller.GetCount(), 1);
}

TEST(FilterEditsController, TheProgramWideOneLivesFromTheFirstRegistrationToTheLastRemoval) {
    ASSERT_EQ(ExistingFilterEditsController(), nullptr);
    TuiFilterEditsController* controller = FilterEditsController();
    EXPECT_EQ(FilterEditsController(), controller) << "one instance";
    controller->Register(TuiTextEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
    controller->Register(TuiCheckBoxProperties::StaticClass(), TuiFilterCheckBoxHelper::StaticClass());
    FilterEditsController()->Unregister(TuiTextEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
    EXPECT_EQ(ExistingFilterEditsController(), controller);
    FilterEditsController()->Unregister(TuiCheckBoxProperties::StaticClass(), TuiFilterCheckBoxHelper::StaticClass());
    EXPECT_EQ(ExistingFilterEditsController(), nullptr) << "freed with its last registration";
}

TEST(FilterEditHelpers, ClassesLeadToTheirHelpersOnly) {
    EXPECT_EQ(HelperOf(nullptr), nullptr);
    EXPECT_EQ(HelperOf(TuiTextEditProperties::StaticClass()), nullptr) << "a settings class is no helper";
    EXPECT_EQ(HelperOf(TuiFilterMaskEditHelper::StaticClass()), HelperOf(TuiFilterMaskEditHelper::StaticClass()));
    EXPECT_NE(dynamic_cast<const TuiFilterMaskEditHelper*>(HelperOf(TuiFilterMaskEditHelper::StaticClass())), nullptr);
    EXPECT_TRUE(TuiFilterMaskEditHelper::StaticClass()->InheritsFrom(TuiFilterTextEditHelper::StaticClass()));
}

// ---------------------------------------------------------------------------------------- helper answers

// Settings that choose their own operators.
class TOwnOperatorsProperties : public TuiCustomEditProperties, public IuiFilterEditPropertiesOperators {
public:
    using TuiCustomEditProperties::TuiCustomEditProperties;
    TuiFilterOperators GetSupportedFilterOperators(TuiValueTypeClass, bool AExtendedSet) const override {
        return TuiFilterOperators(AExtendedSet ? 6 : 2);
    }
};

TEST(FilterEditHelpers, EditorClassesOperatorsAndDisplayValues) {
    TuiCustomEditProperties plain(nullptr);
    TOwnOperatorsProperties own(nullptr);
    TuiStringValueType text;
    struct Row {
        const char* Name;
        TClass Helper;
        TuiCustomEditProperties* Properties;
        std::string EditClass;
        bool UsesDisplayValue;
        unsigned long long Operators;
        unsigned long long Extended;
    };
    const std::vector<Row> rows = {
        {"Base", TuiCustomFilterEditHelper::StaticClass(), &plain, "", false, 1662, 1662 + 30720},
        {"BaseAsksSettingsThatAnswer", TuiCustomFilterEditHelper::StaticClass(), &own, "", false, 2, 6},
        {"Text", TuiFilterTextEditHelper::StaticClass(), &plain, "TuiTextEdit", false, 1662, 1662 + 30720},
        {"Mask", TuiFilterMaskEditHelper::StaticClass(), &plain, "TuiMaskEdit", false, 1662 + 384, 1662 + 384 + 30720},
        {"CheckBox", TuiFilterCheckBoxHelper::StaticClass(), &plain, "TuiComboBox", true, 1542, 1542},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TuiFilterEditHelperClass helper = HelperOf(r.Helper);
        ASSERT_NE(helper, nullptr);
        EXPECT_EQ(helper->GetFilterEditClassName(), r.EditClass);
        EXPECT_EQ(helper->UseDisplayValue(), r.UsesDisplayValue);
        EXPECT_EQ(helper->GetSupportedFilterOperators(r.Properties, &text, false).to_ullong(), r.Operators);
        EXPECT_EQ(helper->GetSupportedFilterOperators(r.Properties, &text, true).to_ullong(), r.Extended);
    }
}

TEST(FilterEditHelpers, AValueIsValidWhenItConvertsToTheValueType) {
    TuiIntegerValueType integer;
    TuiFilterEditHelperClass helper = HelperOf(TuiCustomFilterEditHelper::StaticClass());
    Variant number("12");
    EXPECT_TRUE(helper->IsValueValid(&integer, number));
    EXPECT_EQ(number.VType(), varInteger) << "converted in place";
    Variant word("twelve");
    EXPECT_FALSE(helper->IsValueValid(&integer, word));
    EXPECT_EQ(VarToStr(word), "twelve") << "left as it was";
    Variant none = Variant::Null();
    EXPECT_TRUE(helper->IsValueValid(&integer, none)) << "Null";
    EXPECT_TRUE(helper->IsValueValid(nullptr, word)) << "no value type";
}

// A data source that makes its editors read-only.
class TReadOnlySource : public TuiCustomEditDefaultValuesProvider {
public:
    bool DefaultReadOnly() override { return true; }
};

TEST(FilterEditHelpers, FilterRowSettingsAreAWritableSilentCopyWithoutHandlers) {
    for (const bool keepButtons : {false, true}) {
        SCOPED_TRACE(keepButtons ? "keeping buttons" : "without buttons");
        TuiTextEditProperties source(nullptr);
        TReadOnlySource data;
        source.SetDefaultValuesProvider(&data);
        source.GetAlignment()->SetHorz(taRightJustify);
        source.GetAlignment()->SetVert(taVCenter);
        source.SetBeepOnError(true);
        source.SetValidateOnEnter(false);
        source.SetClearKey(46);
        source.Buttons()->Add();
        source.Buttons()->Add();
        source.SetAutoSelect(false);
        source.SetHideSelection(false);
        source.SetViewMode(tvmButtonsOnly);
        source.LookupItems()->Add("Alpha");
        int fired = 0;
        source.OnChange = [&](TObject*) { ++fired; };
        source.OnEditValueChanged = [&](TObject*) { ++fired; };
        source.OnEditButtonClick = [&](TObject*, int) { ++fired; };
        source.OnValidate = [&](TObject*, Variant&, std::string&, bool&) { ++fired; };

        TuiTextEditProperties filter(nullptr);
        int filterChanges = 0;
        filter.OnPropertiesChanged = [&](TObject*) { ++filterChanges; };
        HelperOf(TuiFilterTextEditHelper::StaticClass())->InitializeProperties(&filter, &source, keepButtons);
        EXPECT_EQ(filterChanges, 1) << "one update";
        // Copied from the source.
        EXPECT_EQ(filter.GetClearKey(), 46);
        EXPECT_EQ(filter.LookupItems()->Count(), 1);
        // Set for the filter row.
        EXPECT_EQ(filter.GetAlignment()->GetHorz(), taLeftJustify);
        EXPECT_EQ(filter.GetAlignment()->GetVert(), taTopJustify);
        EXPECT_FALSE(filter.GetBeepOnError());
        EXPECT_TRUE(filter.GetValidateOnEnter());
        EXPECT_EQ(filter.Buttons()->Count(), keepButtons ? 2 : 0);
        EXPECT_EQ(filter.GetDefaultValuesProvider(), nullptr);
        EXPECT_FALSE(filter.GetReadOnly()) << "neither the source's data nor a read-only flag";
        EXPECT_TRUE(filter.IsEditValueModifiable());
        EXPECT_FALSE(filter.OnChange || filter.OnEditValueChanged || filter.OnEditButtonClick || filter.OnValidate);
        // The text editor's own part.
        EXPECT_TRUE(filter.GetAutoSelect());
        EXPECT_TRUE(filter.GetHideSelection());
        EXPECT_EQ(filter.GetViewMode(), tvmNormal);
        // The source keeps what it had.
        EXPECT_EQ(source.Buttons()->Count(), 2);
        EXPECT_EQ(source.GetDefaultValuesProvider(), &data);
        EXPECT_TRUE(source.OnChange && source.OnValidate);
        EXPECT_EQ(fired, 0);
        source.SetDefaultValuesProvider(nullptr);
    }
}

// ------------------------------------------------------------------------------------ values of editors

class FilterValues : public EditorWindowTest {
protected:
    TuiTextEdit* NewEdit() {
        TEditorGalleryForm* form = Keep(Construct<TEditorGalleryForm>(nullptr));
        auto* edit = Construct<TuiTextEdit>(form);
        edit->SetParent(form);
        return edit;
    }
};

TEST_F(FilterValues, TheTextEditorsValueGoesBothWays) {
    TuiTextEdit* edit = NewEdit();
    TuiFilterEditHelperClass helper = FilterEditsController()->FindHelper(TuiTextEditProperties::StaticClass());
    ASSERT_EQ(helper, HelperOf(TuiFilterTextEditHelper::StaticClass()));
    helper->SetFilterValue(edit, edit->Properties(), Variant("abc"));
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "abc");
    Variant v;
    std::string s;
    helper->GetFilterValue(edit, edit->Properties(), v, s);
    EXPECT_EQ(VarToStr(v), "abc");
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(helper->GetEditValueText(edit), "abc");
}

TEST_F(FilterValues, TheCheckBoxRowIsAListOfTheCheckedAndUncheckedTexts) {
    TuiCheckBoxProperties box(nullptr);
    box.SetValues(Variant("Y"), Variant("?"), Variant("N"));
    box.SetDisplayChecked("Yes");
    box.SetDisplayUnchecked("No");
    box.SetDisplayGrayed("Maybe");
    box.OnChange = [](TObject*) {};
    TReadOnlySource data;
    box.SetDefaultValuesProvider(&data);

    TuiTextEdit* edit = NewEdit();
    TuiFilterEditHelperClass helper = FilterEditsController()->FindHelper(TuiCheckBoxProperties::StaticClass());
    ASSERT_EQ(helper, HelperOf(TuiFilterCheckBoxHelper::StaticClass()));
    helper->InitializeProperties(edit->Properties(), &box, false);
    ASSERT_EQ(edit->Properties()->LookupItems()->Count(), 2);
    EXPECT_EQ(edit->Properties()->LookupItems()->Get(0), "Yes");
    EXPECT_EQ(edit->Properties()->LookupItems()->Get(1), "No");
    EXPECT_EQ(edit->Properties()->GetDefaultValuesProvider(), nullptr);
    EXPECT_FALSE(edit->Properties()->OnChange);
    // The filter row's own editor is a combo box whose list is fixed.
    TuiComboBoxProperties combo(nullptr);
    helper->InitializeProperties(&combo, &box, true);
    EXPECT_EQ(combo.GetDropDownListStyle(), lsFixedList);
    ASSERT_EQ(combo.Items()->Count(), 2);
    EXPECT_EQ(combo.Items()->Get(1), "No");
    EXPECT_EQ(helper->GetFilterEditClassName(), "TuiComboBox");

    struct Row {
        const char* Name;
        Variant Condition;
        Variant Shown;
        Variant ReadBack;
    };
    const std::vector<Row> rows = {
        {"Checked", Variant("Y"), Variant("Yes"), Variant("Y")},
        {"Unchecked", Variant("N"), Variant("No"), Variant("N")},
        {"GrayedHasNoItem", Variant("?"), Variant::Null(), Variant::Null()},
        {"UnknownValue", Variant(7), Variant::Null(), Variant::Null()},
        {"Null", Variant::Null(), Variant::Null(), Variant::Null()},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        edit->SetEditValue(Variant("stale"));
        helper->SetFilterValue(edit, &box, r.Condition);
        EXPECT_TRUE(VarEqualsExact(edit->GetEditValue(), r.Shown)) << VarToStr(edit->GetEditValue());
        Variant v;
        std::string s = "stale";
        helper->GetFilterValue(edit, &box, v, s);
        EXPECT_TRUE(VarEqualsExact(v, r.ReadBack)) << VarToStr(v);
        EXPECT_EQ(s, VarToStr(r.Shown));
    }
    // A text that is neither item stands for no value.
    edit->SetEditValue(Variant("Maybe"));
    EXPECT_EQ(helper->GetEditValueText(edit), VarToStr(edit->GetEditValue()))
        << "the editor's own settings are text settings: the base answer";
    Variant v;
    std::string s;
    helper->GetFilterValue(edit, &box, v, s);
    EXPECT_TRUE(VarIsNull(v));
    EXPECT_EQ(s, "");
    box.SetDefaultValuesProvider(nullptr);
}

}  // namespace
}  // namespace zel::test
