// The library's start-up rows of this layer, the two string products, the brush cache and the desktop
// composition switch.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Variants.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Gdi.h"
#include "platform/win/Locale.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubCore.h"
#include "uilib/editors/uiCheckBox.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiDataStorage.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEdit.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditPaintUtils.h"
#include "uilib/editors/uiEditorsUnits.h"
#include "uilib/editors/uiExtEditConsts.h"
#include "uilib/editors/uiFilterControlStrs.h"
#include "uilib/editors/uiFilterControlUtils.h"
#include "uilib/editors/uiFormats.h"
#include "uilib/editors/uiLibraryStrs.h"
#include "uilib/editors/uiMaskEdit.h"
#include "uilib/editors/uiSpinEdit.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {
namespace {

TEST(uiEditorsUnits, StartInOrderRegisterTheProductsAndUndoItAll) {
    std::vector<std::string> started;
    {
        TUnitList list(uiEditorsUnitList());
        list.OnStep = [&](const std::string& step, const std::string& name) {
            if (step == "start") started.push_back(name);
        };
        list.Start();
        const std::vector<std::string> ours(started.end() - 18, started.end());
        EXPECT_EQ(ours,
                  (std::vector<std::string>{"uiDWMApi", "uiContainer", "uiDataStorage", "uiEditPaintUtils", "uiFormats",
                                            "uiLibraryStrs", "uiDateUtils", "uiEditConsts", "uiEditUtils", "uiEdit",
                                            "uiVariants", "uiFilterControlStrs", "uiTextEdit", "uiMaskEdit",
                                            "uiSpinEdit", "uiDropDownEdit", "uiExtEditConsts", "uiCheckBox"}));
        // The settings classes, sorted by description, each with the filter helper that serves it.
        struct Registered {
            TClass Properties;
            const char* Hint;
            TClass Helper;
        };
        const std::vector<Registered> registered = {
            {TuiCheckBoxProperties::StaticClass(),
             "CheckBox|Represents a check box control that allows selecting an option",
             TuiFilterCheckBoxHelper::StaticClass()},
            {TuiComboBoxProperties::StaticClass(), "ComboBox|Represents the combo box editor",
             TuiFilterComboBoxHelper::StaticClass()},
            {TuiMaskEditProperties::StaticClass(), "MaskEdit|Represents a generic masked edit control.",
             TuiFilterMaskEditHelper::StaticClass()},
            // The popup edit has no helper of its own: the masked editor's serves its family.
            {TuiPopupEditProperties::StaticClass(), "PopupEdit|Represents an edit control with a dropdown list",
             TuiFilterMaskEditHelper::StaticClass()},
            {TuiSpinEditProperties::StaticClass(), "SpinEdit|Represents a spin editor",
             TuiFilterSpinEditHelper::StaticClass()},
            {TuiTextEditProperties::StaticClass(), "TextEdit|Represents a single line text editor",
             TuiFilterTextEditHelper::StaticClass()},
        };
        TuiRegisteredClasses* properties = GetRegisteredEditProperties();
        ASSERT_EQ(properties->GetCount(), static_cast<int>(registered.size()));
        ASSERT_NE(ExistingFilterEditsController(), nullptr);
        EXPECT_EQ(ExistingFilterEditsController()->GetCount(), static_cast<int>(registered.size()) - 1);
        for (int i = 0; i < properties->GetCount(); ++i) {
            SCOPED_TRACE(registered[i].Hint);
            EXPECT_EQ(properties->GetClass(i), registered[i].Properties);
            EXPECT_EQ(properties->GetHint(i), registered[i].Hint);
            EXPECT_EQ(ExistingFilterEditsController()->FindHelper(registered[i].Properties),
                      TuiCustomFilterEditHelper::HelperOfClass(registered[i].Helper));
        }
        EXPECT_EQ(properties->GetDescription(5), "TextEdit");
        EXPECT_EQ(WM_REDRAWMISSPELLS(), RegisterWindowMessage("WM_REDRAWMISSPELLS"));
        EXPECT_GE(WM_REDRAWMISSPELLS(), 0xC000u) << "a registered message";
        TubResourceStringsRepository* repo = ubResourceStringsRepository();
        const int editors = repo->IndexOfProduct("UIEditors Library");
        const int library = repo->IndexOfProduct("UILibrary");
        ASSERT_GE(editors, 0);
        ASSERT_GE(library, 0);
        EXPECT_LT(library, editors) << "the library strings register first";
        EXPECT_EQ(repo->GetProduct(editors)->ResStringCount(), 103);
        EXPECT_EQ(repo->GetProduct(library)->ResStringCount(), 24);
        EXPECT_EQ(repo->GetProduct(editors)->ResStringName(6), "uiSEditPostError");
        EXPECT_EQ(repo->GetProduct(editors)->ResStringRecord(6), &uiSEditPostError);
        EXPECT_EQ(repo->GetProduct(editors)->ResStringName(102), "uiSSpinEditInvalidNumericValue");
        EXPECT_EQ(repo->GetProduct(library)->ResStringName(23), "uiSDateNow");
        const int filter = repo->IndexOfProduct("UIFilterControl");
        ASSERT_GE(filter, 0);
        EXPECT_EQ(repo->GetProduct(filter)->ResStringCount(), 33);
        EXPECT_EQ(repo->GetProduct(filter)->ResStringName(32), "uiSFilterControlDialogFileFilter");
        // A second registration of the filter texts (another unit's start-up) adds nothing and its shutdown
        // leaves the group for the first.
        uiFilterControlStrsStartup();
        EXPECT_EQ(repo->IndexOfProduct("UIFilterControl"), filter);
        uiFilterControlStrsShutdown();
        EXPECT_EQ(repo->IndexOfProduct("UIFilterControl"), filter);
        EXPECT_EQ(uiValueTypeClassList()->Count(), 14);
        const int ext = repo->IndexOfProduct("uiExtEdit");
        ASSERT_GT(ext, editors);
        EXPECT_EQ(repo->GetProduct(ext)->ResStringCount(), 40);
        EXPECT_EQ(repo->GetProduct(ext)->ResStringName(0), "suiSEditRepositoryColorComboBoxItem");
        EXPECT_EQ(repo->GetProduct(ext)->ResStringName(39), "suiRichEditSelectAllCaption");
        EXPECT_NE(uiCheckBoxCheckMask(), nullptr);
        EXPECT_NE(Screen->Cursors(crMouseWheel), nullptr);
        EXPECT_EQ(Screen->Cursors(crMouseWheel), LoadCursor(nullptr, "UIEDIT_MOUSEWHEEL"));
        ASSERT_NE(uiSolidBrushCache(), nullptr);
        EXPECT_EQ(uiSolidBrushCache()->MaxDepth(), 128);
        EXPECT_FALSE(IsDwmLoaded()) << "the layer reports NT 5.1";
        EXPECT_FALSE(IsDesktopCompositionOn());
        uiFormatController();
        list.Stop();
        EXPECT_EQ(GetRegisteredEditProperties()->GetCount(), 0);
        EXPECT_EQ(ExistingFilterEditsController(), nullptr) << "gone with its last helper";
        EXPECT_EQ(ubResourceStringsRepository()->IndexOfProduct("UIEditors Library"), -1);
        EXPECT_EQ(ubResourceStringsRepository()->IndexOfProduct("UILibrary"), -1);
        EXPECT_EQ(ubResourceStringsRepository()->IndexOfProduct("UIFilterControl"), -1);
        EXPECT_EQ(ubResourceStringsRepository()->IndexOfProduct("uiExtEdit"), -1);
        EXPECT_EQ(uiCheckBoxCheckMask(), nullptr);
        ubFreeResourceStringsRepository();
    }
    EXPECT_EQ(uiSolidBrushCache(), nullptr);
    EXPECT_EQ(uiValueTypeClassList()->Count(), 0);
    uiFreeValueTypeClassList();
}

TEST(uiEditorsUnits, ASecondStartUpAfterAShutdownStandsAgain) {
    for (int round = 0; round < 2; ++round) {
        TUnitsScope units(uiEditorsUnitList());
        ASSERT_NE(uiDefaultEditStyleController(), nullptr) << round;
        std::unique_ptr<TuiContainer> container(Construct<TuiContainer>(nullptr));
        EXPECT_EQ(container->Style()->GetActiveStyleController(), uiDefaultEditStyleController()) << round;
        EXPECT_EQ(container->StyleHot()->GetActiveStyleController(), uiDefaultEditStyleController()) << round;
        EXPECT_GE(ubResourceStringsRepository()->IndexOfProduct("uiExtEdit"), 0) << round;
        EXPECT_NE(uiCheckBoxCheckMask(), nullptr) << round;
        EXPECT_EQ(GetRegisteredEditProperties()->GetCount(), 6) << round;
        ASSERT_NE(ExistingFilterEditsController(), nullptr) << round;
        EXPECT_EQ(ExistingFilterEditsController()->FindHelper(TuiCheckBoxProperties::StaticClass()),
                  TuiCustomFilterEditHelper::HelperOfClass(TuiFilterCheckBoxHelper::StaticClass()))
            << round;
        // The shared texts are counted: another user's release leaves the library's registrations.
        uiExtEditConstsRegister();
        uiExtEditConstsUnregister();
        EXPECT_GE(ubResourceStringsRepository()->IndexOfProduct("uiExtEdit"), 0) << round;
        units.Stop();
        EXPECT_EQ(uiDefaultEditStyleController(), nullptr) << round;
        EXPECT_EQ(ExistingFilterEditsController(), nullptr) << round;
    }
    ubFreeResourceStringsRepository();
}

TEST(uiEditorsUnits, TheRuntimeRowFillsTheFormatsAndTheStringOrderFromTheLocale) {
    SetUserLocaleName("de_DE");
    {
        TUnitList list(PlatformUnits());
        list.Start();
        EXPECT_EQ(DecimalSeparator, ',');
        EXPECT_EQ(FormatSettings.ShortDateFormat, "dd/MM/yyyy");
        EXPECT_EQ(VarCompareValue(Variant("a"), Variant("B")), vrLessThan) << "the locale's order";
        // A locale change re-reads the settings before the windows hear of it.
        SetUserLocaleName("en_US");
        NotifyLocaleChanged();
        EXPECT_EQ(DecimalSeparator, '.');
        EXPECT_EQ(FormatSettings.ShortDateFormat, "M/d/yyyy");
        list.Stop();
    }
    SetUserLocaleName("");
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd/mm/yyyy") << "the defaults again";
    EXPECT_EQ(VarCompareValue(Variant("a"), Variant("B")), vrGreaterThan) << "ordinal bytes again";
}

TEST(EditorStrings, TextsAsTheyStandReadAtTheMomentOfUse) {
    const std::pair<const TResStringRec*, const char*> rows[] = {
        {&uiSEditValueOutOfBounds, "Value out of bounds"},
        {&uiSEditPostError, "An error occured during posting edit value"},
        {&uiSEditCheckBoxGrayed, ""},
        {&uiSRadioGroupDefaultCaption, ""},
        {&suiSHyperLinkPrefix, "http://"},
        {&suiRegExprIncorrectSpace, "The space character is not allowed after '\\'"},
        {&suiRegExprIllegalSymbol, "Illegal '%s'"},
        {&suiSEditRepositoryMaskItem, "MaskEdit|Represents a generic masked edit control."},
        {&suiCantCreateRegistryKey, "Can't create the registry key: \\%s"},
        {&uiSDateEOM, "eom"},
        {&uiSFilterAddCondition, "Add &Condition"},
        {&uiSFilterRootGroupCaption, "<root>"},
        {&uiSFilterControlDialogFileFilter, "Filters (*.flt)|*.flt"},
    };
    for (const auto& [record, text] : rows) EXPECT_EQ(LoadLibraryString(record), text) << record->Identifier;
}

TEST(DesktopComposition, OffOnThisSystemAndSwitchableForTests) {
    uiDWMApiStartup();
    EXPECT_FALSE(IsDwmLoaded());
    EXPECT_FALSE(IsDesktopCompositionOn());
    SetDesktopCompositionForTesting(true);
    EXPECT_TRUE(IsDwmLoaded());
    EXPECT_TRUE(IsDesktopCompositionOn());
    SetDesktopCompositionForTesting(false);
    EXPECT_FALSE(IsDesktopCompositionOn());
    uiDWMApiShutdown();
}

class BrushCache : public ::testing::Test {
protected:
    void SetUp() override { uiEditPaintUtilsStartup(); }
    void TearDown() override { uiEditPaintUtilsShutdown(); }
};

TEST_F(BrushCache, SystemColoursComeFromTheSystemBrushesAndStayOutside) {
    TuiSolidBrushCache* cache = uiSolidBrushCache();
    EXPECT_EQ(cache->GetSolidBrush(clBtnFace), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(cache->GetSolidBrush(ColorOfSysIndex(30)), GetSysColorBrush(30));
    EXPECT_EQ(cache->Depth(), 0);
    // Beyond the 31 system colours the value is a plain (if odd) colour.
    cache->GetSolidBrush(static_cast<TColor>(0xFF00001Fu));
    EXPECT_EQ(cache->Depth(), 1);
}

TEST_F(BrushCache, KeepsColoursSortedCountsUsesAndEvictsTheLeastUsed) {
    TuiSolidBrushCache* cache = uiSolidBrushCache();
    const HBRUSH red = cache->GetSolidBrush(0x0000FF);
    EXPECT_EQ(cache->GetSolidBrush(0x0000FF), red) << "the same brush again";
    for (TColor c = 1; c <= 127; ++c) cache->GetSolidBrush(c * 0x10101);
    ASSERT_EQ(cache->Depth(), 128);
    // Every colour but 0x0000FF and 0x010101 used once more; 0x010101 stays the least used (0 extra uses).
    for (TColor c = 2; c <= 127; ++c) cache->GetSolidBrush(c * 0x10101);
    for (int i = 1; i < cache->Depth(); ++i)
        EXPECT_LT(static_cast<std::uint32_t>(cache->ColorAt(i - 1)), static_cast<std::uint32_t>(cache->ColorAt(i)));
    cache->GetSolidBrush(0x7F000000);  // the 129th colour, above every other
    EXPECT_EQ(cache->Depth(), 128);
    EXPECT_EQ(cache->ColorAt(0), 0x0000FF) << "0x010101 was evicted, the others moved down";
    EXPECT_EQ(cache->ColorAt(127), 0x7F000000);
    EXPECT_EQ(cache->UsageAt(127), 0);
    // The evicted colour comes back as a new entry, inserted in its place.
    cache->GetSolidBrush(0x010101);
    EXPECT_EQ(cache->ColorAt(1), 0x010101);
    EXPECT_EQ(cache->UsageAt(1), 0);
}

TEST_F(BrushCache, EvictionBeforeTheInsertionPlaceShiftsIt) {
    TuiSolidBrushCache cache(3);
    cache.GetSolidBrush(10);
    cache.GetSolidBrush(20);
    cache.GetSolidBrush(30);
    cache.GetSolidBrush(20);
    cache.GetSolidBrush(30);
    cache.GetSolidBrush(25);  // evicts 10 (index 0); 25 goes between 20 and 30
    ASSERT_EQ(cache.Depth(), 3);
    EXPECT_EQ(cache.ColorAt(0), 20);
    EXPECT_EQ(cache.ColorAt(1), 25);
    EXPECT_EQ(cache.ColorAt(2), 30);
}

TEST_F(BrushCache, APaletteChangeClearsIt) {
    TuiSolidBrushCache* cache = uiSolidBrushCache();
    cache->GetSolidBrush(0x123456);
    cache->GetSolidBrush(0x654321);
    ASSERT_EQ(cache->Depth(), 2);
    BroadcastSystemMessage(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(cache->Depth(), 0);
}

}  // namespace
}  // namespace zel::test
