#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "uilib/editors/uiEditProperties.h"
#include "uilib/editors/uiEditRepository.h"
#include "uilib/editors/uiEditUtils.h"

namespace zel::test {

namespace {

struct Provider : TuiCustomEditDefaultValuesProvider {
    double max = 0;
    bool readOnly = false;
    bool canModify = true;
    bool editMode = true;
    double DefaultMaxValue() override { return max; }
    bool DefaultReadOnly() override { return readOnly; }
    bool DefaultCanModify() override { return canModify; }
    bool CanSetEditMode() override { return editMode; }
};

struct ValidatingProperties : TuiCustomEditProperties {
    using TuiCustomEditProperties::TuiCustomEditProperties;
    bool CanValidate() const override { return true; }
};

struct Settings : ::testing::Test {
    TuiCustomEditProperties properties{nullptr};
    int changes = 0;
    void SetUp() override {
        properties.OnPropertiesChanged = [this](TObject*) { ++changes; };
    }
};

TEST_F(Settings, ProviderBackedValues) {
    EXPECT_EQ(properties.GetMaxValue(), 0.0) << "no provider, nothing set";
    EXPECT_FALSE(properties.GetReadOnly());
    auto provider = std::make_unique<Provider>();
    provider->max = 127;
    provider->readOnly = true;
    properties.SetDefaultValuesProvider(provider.get());
    EXPECT_EQ(properties.GetMaxValue(), 127.0);
    EXPECT_TRUE(properties.GetReadOnly());
    properties.SetMaxValue(64);
    EXPECT_EQ(properties.GetMaxValue(), 64.0);
    EXPECT_TRUE(properties.AssignedValues()->GetMaxValue());
    changes = 0;
    properties.SetMaxValue(64);
    EXPECT_EQ(changes, 0) << "the same value again while set";
    properties.SetMinValue(0);
    EXPECT_EQ(changes, 1) << "setting the default value still marks it as set";
    provider.reset();
    EXPECT_EQ(properties.GetDefaultValuesProvider(), nullptr) << "a freed provider lets go of its settings";
    EXPECT_FALSE(properties.GetReadOnly());
}

TEST_F(Settings, AssignLeavesUnsetValuesToTheProvider) {
    TuiCustomEditProperties source{nullptr};
    source.SetAutoSelect(false);
    source.SetClearKey(46);
    source.SetMinValue(-5);
    source.Buttons()->Add()->SetKind(bkEllipsis);
    properties.SetReadOnly(true);
    changes = 0;
    properties.Assign(&source);
    EXPECT_EQ(changes, 1) << "one change for the whole copy";
    EXPECT_FALSE(properties.AssignedValues()->GetReadOnly()) << "unset in the source: unset here";
    EXPECT_FALSE(properties.GetReadOnly());
    EXPECT_TRUE(properties.AssignedValues()->GetMinValue());
    EXPECT_EQ(properties.GetMinValue(), -5.0);
    EXPECT_FALSE(properties.GetAutoSelect());
    EXPECT_EQ(properties.GetClearKey(), 46);
    ASSERT_EQ(properties.Buttons()->Count(), 1);
    EXPECT_EQ(properties.Buttons()->GetItem(0)->GetKind(), bkEllipsis);
}

TEST_F(Settings, NestedBracketsReportOnceWhenTheOutermostCloses) {
    properties.BeginUpdate();
    properties.SetBeepOnError(true);
    properties.BeginUpdate();
    properties.SetImmediatePost(true);
    properties.Buttons()->Add();
    properties.EndUpdate();
    EXPECT_EQ(changes, 0);
    properties.EndUpdate();
    EXPECT_EQ(changes, 1);
    properties.EndUpdate();
    EXPECT_EQ(properties.UpdateCount(), 0) << "never below zero";
    properties.BeginUpdate();
    properties.EndUpdate();
    EXPECT_EQ(changes, 1) << "no change, no report";
}

TEST_F(Settings, ChangesWhileTheOwnerLoadsAreNotReported) {
    TComponent owner(nullptr);
    TuiCustomEditProperties loading(&owner);
    int heard = 0;
    loading.OnPropertiesChanged = [&](TObject*) { ++heard; };
    owner.Loading();
    loading.SetValidateOnEnter(true);
    loading.Buttons()->Add();
    EXPECT_EQ(heard, 0);
    owner.Loaded();
    loading.SetValidateOnEnter(false);
    EXPECT_EQ(heard, 1);
}

TEST_F(Settings, EditValueModifiable) {
    struct Case {
        bool assignReadOnly;
        bool readOnly;
        bool withProvider;
        bool providerReadOnly;
        bool providerCanModify;
        bool expected;
    } cases[] = {
        {false, false, false, false, true, true},  {true, true, false, false, true, false},
        {false, false, true, true, true, false},   {true, false, true, true, false, true},
        {false, false, true, false, false, false}, {false, false, true, false, true, true},
    };
    for (const Case& c : cases) {
        TuiCustomEditProperties p(nullptr);
        Provider provider;
        provider.readOnly = c.providerReadOnly;
        provider.canModify = c.providerCanModify;
        if (c.withProvider) p.SetDefaultValuesProvider(&provider);
        if (c.assignReadOnly) p.SetReadOnly(c.readOnly);
        EXPECT_EQ(p.IsEditValueModifiable(), c.expected)
            << c.assignReadOnly << c.readOnly << c.withProvider << c.providerReadOnly << c.providerCanModify;
        p.SetDefaultValuesProvider(nullptr);
    }
}

TEST(EditValidation, OwnHandlerFirstThenTheRepositoryItems) {
    ValidatingProperties own(nullptr);
    ValidatingProperties shared(nullptr);
    std::vector<std::string> order;
    own.OnValidate = [&](TObject*, Variant&, std::string&, bool&) { order.push_back("own"); };
    shared.OnValidate = [&](TObject*, Variant& value, std::string&, bool& error) {
        order.push_back("item");
        value = Variant("fixed");
        error = true;
    };
    Variant value("typed");
    std::string errorText;
    bool error = false;
    // The item's settings are the ones in force; the editor's own handler still runs first.
    EXPECT_TRUE(shared.ValidateDisplayValue(value, errorText, error, nullptr, &own, "before"));
    EXPECT_EQ(order, (std::vector<std::string>{"own", "item"}));
    EXPECT_TRUE(error);
    EXPECT_EQ(errorText, "Invalid input value. Use escape key to abandon changes");
    EXPECT_EQ(VarToStr(value), "before") << "an erroneous changed value is the editor's text again";

    TuiCustomEditProperties plain(nullptr);
    bool ran = false;
    plain.OnValidate = [&](TObject*, Variant&, std::string&, bool&) { ran = true; };
    EXPECT_FALSE(plain.ValidateDisplayValue(value, errorText, error, nullptr, nullptr, ""));
    EXPECT_FALSE(ran) << "settings that cannot validate run no handler";
}

TEST(EditValidation, ValuesDiffer) {
    TuiCustomEditProperties p(nullptr);
    EXPECT_FALSE(p.ValuesDiffer(Variant(3), Variant(3)));
    EXPECT_TRUE(p.ValuesDiffer(Variant(3), Variant(4)));
    EXPECT_TRUE(p.ValuesDiffer(Variant("a"), Variant()));
}

struct Listener : IuiEditRepositoryItemListener {
    std::vector<std::string>* log;
    std::string name;
    TuiEditRepositoryItem* item = nullptr;
    Listener(std::vector<std::string>* ALog, std::string AName) : log(ALog), name(std::move(AName)) {}
    void ItemRemoved(TuiEditRepositoryItem* Sender) override {
        log->push_back(name + " removed");
        Sender->RemoveListener(this);
        item = nullptr;
    }
    void PropertiesChanged(TuiEditRepositoryItem*) override { log->push_back(name + " changed"); }
};

struct TuiEditRepositoryTextItem : TuiEditRepositoryItem {
    using TuiEditRepositoryItem::TuiEditRepositoryItem;
    std::string ClassName() const override { return "TuiEditRepositoryTextItem"; }
};

TEST(EditRepository, ListenersHearFromTheLastToTheFirst) {
    TuiEditRepository repository(nullptr);
    TuiEditRepositoryItem* item =
        repository.CreateItem([](TComponent* owner) { return new TuiEditRepositoryItem(owner); });
    std::vector<std::string> log;
    Listener a(&log, "a"), b(&log, "b");
    item->AddListener(&a);
    item->AddListener(&b);
    item->AddListener(&a);
    EXPECT_EQ(item->ListenerCount(), 2);
    item->Properties()->SetAutoSelect(false);
    EXPECT_EQ(log, (std::vector<std::string>{"b changed", "a changed"}));
    log.clear();
    delete item;
    EXPECT_EQ(log, (std::vector<std::string>{"b removed", "a removed"}));
    EXPECT_EQ(repository.Count(), 0);
}

TEST(EditRepository, BaseName) {
    TuiEditRepository repository(nullptr);
    repository.SetName("Rep1");
    auto* text = repository.CreateItem([](TComponent* owner) { return new TuiEditRepositoryTextItem(owner); });
    auto* plain = repository.CreateItem([](TComponent* owner) { return new TuiEditRepositoryItem(owner); });
    EXPECT_EQ(text->GetBaseName(), "Rep1TextItem");
    EXPECT_EQ(plain->GetBaseName(), "Rep1Item");
    EXPECT_EQ(text->GetParentComponent(), &repository);
    TuiEditRepositoryTextItem loose(nullptr);
    EXPECT_EQ(loose.GetBaseName(), "TextItem") << "without a repository the name part is empty";
    EXPECT_FALSE(loose.HasParent());
    std::vector<TComponent*> children;
    repository.GetChildren([&](TComponent* c) { children.push_back(c); }, &repository);
    EXPECT_EQ(children, (std::vector<TComponent*>{text, plain}));
}

TEST(EditUtils, SpaceCharsAndValueEquality) {
    for (int c = 0; c < 256; ++c) {
        const bool space = c == 0 || c == 9 || c == 10 || c == 12 || c == 13 || c == 32;
        EXPECT_EQ(IsSpaceChar(static_cast<char>(c)), space) << c;
    }
    EXPECT_TRUE(VarEqualsExact(Variant(2), Variant(2)));
    EXPECT_FALSE(VarEqualsExact(Variant(2), Variant(2.0)));
    EXPECT_TRUE(VarEqualsSoft(Variant(2), Variant(2.0)));
    EXPECT_FALSE(VarEqualsSoft(Variant("2"), Variant(2)));
    EXPECT_TRUE(ButtonToShift(mbMiddle).Contains(ssMiddle));
    EXPECT_TRUE(ButtonToShift(mbRight).Contains(ssRight));
    TComponent owner(nullptr);
    TuiCustomEditProperties properties(&owner);
    EXPECT_EQ(GetOwnerComponent(properties.Buttons()), &owner);
}

}  // namespace

namespace {

TEST_F(Settings, AlignmentHorzCountsOnlyOnceAssignedAndTravelsWithAssign) {
    TuiEditAlignment* alignment = properties.GetAlignment();
    EXPECT_EQ(alignment->GetHorz(), taLeftJustify);
    EXPECT_EQ(alignment->GetVert(), taTopJustify);
    EXPECT_FALSE(alignment->IsHorzStored());
    EXPECT_FALSE(alignment->IsVertStored());
    EXPECT_EQ(changes, 0);

    alignment->SetHorz(taLeftJustify);
    EXPECT_TRUE(alignment->IsHorzStored()) << "the default, assigned, is stored";
    EXPECT_EQ(changes, 1);
    alignment->SetHorz(taLeftJustify);
    EXPECT_EQ(changes, 1) << "the same value again changes nothing";
    alignment->SetVert(taVCenter);
    EXPECT_TRUE(alignment->IsVertStored());
    EXPECT_EQ(changes, 2);

    TuiCustomEditProperties copy(nullptr);
    copy.Assign(&properties);
    EXPECT_TRUE(copy.GetAlignment()->IsHorzAssigned());
    EXPECT_EQ(copy.GetAlignment()->GetVert(), taVCenter);

    alignment->Reset();
    EXPECT_FALSE(alignment->IsHorzStored());
    EXPECT_EQ(changes, 3);
    copy.Assign(&properties);
    EXPECT_FALSE(copy.GetAlignment()->IsHorzAssigned()) << "the flag travels as well as the value";
}

// A settings class whose default horizontal alignment comes from elsewhere (a provider in the editors).
struct RightAlignedProperties : TuiCustomEditProperties {
    using TuiCustomEditProperties::TuiCustomEditProperties;
    TAlignment DefaultHorzAlignment() const override { return taRightJustify; }
};

TEST(EditAlignment, AnUnassignedHorzReadsAsTheSettingsDefault) {
    RightAlignedProperties properties(nullptr);
    EXPECT_EQ(properties.GetAlignment()->GetHorz(), taRightJustify);
    EXPECT_FALSE(properties.GetAlignment()->IsHorzAssigned());
    properties.GetAlignment()->SetHorz(taCenter);
    EXPECT_EQ(properties.GetAlignment()->GetHorz(), taCenter);
}

TEST(EditPropertiesRegistry, SortedByDescriptionMadeOnFirstRequestAndFreed) {
    static const TClassInfo text{"TuiTextEditProperties", nullptr};
    static const TClassInfo mask{"TuiMaskEditProperties", &text};
    TuiRegisteredClasses* list = GetRegisteredEditProperties();
    EXPECT_EQ(GetRegisteredEditProperties(), list) << "one list for the program";
    list->Register(&text, "TextEdit|Represents a single line text editor");
    list->Register(&mask, "MaskEdit|Represents a generic masked edit control.");
    list->Register(&text, "again");
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetDescription(0), "MaskEdit");
    EXPECT_EQ(list->GetClass(0), &mask);
    EXPECT_EQ(list->GetHint(1), "TextEdit|Represents a single line text editor");
    FreeRegisteredEditProperties();
    EXPECT_EQ(GetRegisteredEditProperties()->GetCount(), 0);
    FreeRegisteredEditProperties();
}

}  // namespace

namespace {

struct CachedEditor : TObject {
    explicit CachedEditor(std::string AClass) : className(std::move(AClass)) {}
    std::string ClassName() const override { return className; }
    std::string className;
};

struct OtherEditProperties : TuiCustomEditProperties {
    using TuiCustomEditProperties::TuiCustomEditProperties;
    std::string EditorClassName() const override { return "TOtherEdit"; }
};

}  // namespace

TEST(EditorCache, SettingsTakeAFreeEditorOfTheirClassAndFreeItWhenTheyGo) {
    CachedEditor plain1("TuiCustomEdit"), other("TOtherEdit"), plain2("TuiCustomEdit");
    TuiEditorCache cache;
    for (CachedEditor* e : {&plain1, &other, &plain2}) cache.Add(e);
    auto a = std::make_unique<TuiCustomEditProperties>(nullptr);
    TuiCustomEditProperties b(nullptr), c(nullptr);
    OtherEditProperties o(nullptr), o2(nullptr);

    EXPECT_EQ(cache.IndexOf(a.get(), false), -1) << "a lookup alone takes nothing";
    EXPECT_EQ(cache.IndexOf(a.get(), true), 0);
    EXPECT_EQ(cache.IndexOf(&o, true), 1) << "the first free one of its class";
    EXPECT_EQ(cache.IndexOf(&b, true), 2);
    EXPECT_EQ(cache.IndexOf(&c, true), -1) << "no free editor of its class";
    EXPECT_EQ(cache.IndexOf(&o2, true), -1);
    EXPECT_EQ(cache.IndexOf(a.get(), true), 0) << "found where it was taken";
    EXPECT_EQ(cache.Properties(2), &b);

    a.reset();
    EXPECT_EQ(cache.Properties(0), nullptr) << "gone settings leave the cache";
    EXPECT_EQ(cache.IndexOf(&c, true), 0);
    EXPECT_EQ(cache.Editor(0), &plain1);
}

}  // namespace zel::test
