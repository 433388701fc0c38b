#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Units.h"
#include "platform/win/Locale.h"
#include "uilib/base/ubCore.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiDataConsts.h"
#include "uilib/base/uiFilterConsts.h"

namespace zel::test {
namespace {

const TClassInfo TControlInfo{"TControl", nullptr};
const TClassInfo TWinControlInfo{"TWinControl", &TControlInfo};
const TClassInfo TCustomControlInfo{"TCustomControl", &TWinControlInfo};
const TClassInfo HandlerA{"THandlerA", nullptr};
const TClassInfo HandlerB{"THandlerB", nullptr};
const TClassInfo HandlerC{"THandlerC", nullptr};

TEST(ResourceStrings, BothGroupsAreListedInOrderAndReadThroughTheGetter) {
    TUnitsScope units(uiBaseUnitList());
    TubResourceStringsRepository* repo = ubResourceStringsRepository();
    int filter = repo->IndexOfProduct("UIDataFilter");
    int data = repo->IndexOfProduct("UIDataController");
    ASSERT_GE(filter, 0);
    ASSERT_GE(data, 0);
    TubProductResourceStrings* f = repo->GetProduct(filter);
    ASSERT_EQ(f->ResStringCount(), 50);
    EXPECT_EQ(f->ResStringName(0), "uiSFilterOperatorEqual");
    EXPECT_EQ(f->ResStringName(49), "uiSFilterBoxNonBlanksCaption");
    EXPECT_EQ(LoadLibraryString(f->ResStringRecord(0)), "equals");
    EXPECT_EQ(LoadLibraryString(&uiSFilterOperatorLastTwoWeeks), "is last two weeks");
    EXPECT_EQ(LoadLibraryString(&uiSFilterBoxCustomCaption), "(Custom...)");
    TubProductResourceStrings* d = repo->GetProduct(data);
    ASSERT_EQ(d->ResStringCount(), 12);
    EXPECT_EQ(d->ResStringName(11), "uiSDBKeyFieldNotFound");
    EXPECT_EQ(LoadLibraryString(d->ResStringRecord(5)), "This operation is not supported in provider mode");
    EXPECT_EQ(LoadLibraryString(&uiSDataReadError), "Stream read error");
    EXPECT_EQ(LoadLibraryString(nullptr), "");
}

const TResStringRec TestString{"uiSTest", "Test text"};
void RegisterTestStrings(TubProductResourceStrings* Product) { Product->Add("uiSTest", &TestString); }

TEST(ResourceStrings, ProductsAreFoundAndRemovedByExactName) {
    TubResourceStringsRepository repo;
    repo.AddProduct("Alpha", RegisterTestStrings);
    repo.AddProduct("Beta", nullptr);
    repo.AddProduct("Alpha", nullptr);
    ASSERT_EQ(repo.ProductCount(), 3);
    EXPECT_EQ(repo.GetProduct(0)->ResStringCount(), 1);  // listed before AddProduct returned
    EXPECT_EQ(repo.GetProduct(1)->ResStringCount(), 0);
    EXPECT_EQ(repo.IndexOfProduct("Alpha"), 0);
    EXPECT_EQ(repo.IndexOfProduct("beta"), -1);
    repo.UnregisterProduct("ALPHA");
    EXPECT_EQ(repo.ProductCount(), 3);
    repo.UnregisterProduct("Alpha");  // the first of that name
    ASSERT_EQ(repo.ProductCount(), 2);
    EXPECT_EQ(repo.GetProduct(0)->GetName(), "Beta");
    EXPECT_EQ(repo.IndexOfProduct("Alpha"), 1);
}

TEST(RegisteredClassList, AncestorEntriesPrecedeDescendantsAndFindTakesTheNearest) {
    TuiRegisteredClassList list;
    list.Register(&TControlInfo, &HandlerA);
    list.Register(&TWinControlInfo, &HandlerB);
    list.Register(&TControlInfo, &HandlerC);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.Items(0)->ItemClass, &TControlInfo);
    EXPECT_EQ(list.Items(1)->ItemClass, &TControlInfo);
    EXPECT_EQ(list.Items(1)->RegisteredClass, &HandlerC);
    EXPECT_EQ(list.Items(2)->ItemClass, &TWinControlInfo);
    EXPECT_EQ(list.FindClass(&TCustomControlInfo), &HandlerB);
    EXPECT_EQ(list.FindClass(&TControlInfo), &HandlerC);

    list.Unregister(&TControlInfo, &HandlerC);
    list.Unregister(&TControlInfo, &HandlerB);  // no such pair: nothing
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(RegisteredClassList, FindOnlyDescendantsLeavesIndexOnTheLowestOne) {
    TuiRegisteredClassList list;
    list.Register(&TCustomControlInfo, &HandlerA);
    list.Register(&TWinControlInfo, &HandlerB);  // before its descendant's entry
    EXPECT_EQ(list.Items(0)->ItemClass, &TWinControlInfo);
    int index = 7;
    EXPECT_FALSE(list.Find(&TControlInfo, index));
    EXPECT_EQ(index, 0);
    TuiRegisteredClassList empty;
    index = 7;
    EXPECT_FALSE(empty.Find(&TControlInfo, index));
    EXPECT_EQ(index, 7);
}

TEST(RegisteredClasses, DuplicatesSeparatorsAndSorting) {
    TuiRegisteredClasses classes;
    classes.Register(&HandlerB, "beta|second part");
    classes.Register(&HandlerA, "Alpha");
    classes.Register(&HandlerB, "other");
    ASSERT_EQ(classes.GetCount(), 2);
    EXPECT_EQ(classes.GetDescription(0), "beta");
    EXPECT_EQ(classes.GetDescription(1), "Alpha");
    classes.SetSorted(true);
    EXPECT_EQ(classes.IndexOfClass(&HandlerA), 0);
    classes.Register(&HandlerC, "ALPHA2");
    EXPECT_EQ(classes.GetDescription(1), "ALPHA2");
    EXPECT_EQ(classes.IndexOfClass(&TControlInfo), -1);
}

TEST(RegisteredClasses, SortedDescriptionsFollowTheLocalesOrderOfAccentedWords) {
    SetUserLocaleName("fr_FR");
    const TClassInfo d{"TD", nullptr};
    TuiRegisteredClasses classes;
    classes.Register(&HandlerA, "zone");
    classes.Register(&HandlerB,
                     "\xC9"
                     "diteur");  // "Éditeur": among the e's, not after "zone"
    classes.Register(&HandlerC, "editeur de texte");
    classes.Register(&d, "Fen\xEAtre");  // "Fenêtre"
    classes.SetSorted(true);
    SetUserLocaleName("");
    std::vector<std::string> order;
    for (int i = 0; i < classes.GetCount(); ++i) order.push_back(classes.GetDescription(i));
    EXPECT_EQ(order, (std::vector<std::string>{"\xC9"
                                               "diteur",
                                               "editeur de texte", "Fen\xEAtre", "zone"}));
}

TEST(ObjectLinks, LinksTurnNilAndTheControllerLivesWhileLinksDo) {
    EXPECT_EQ(CreateObjectLink(nullptr), nullptr);
    EXPECT_EQ(ObjectLinkControllerLinkCount(), -1);
    auto* component = new TuiComponent(nullptr);
    TObject other;
    TuiObjectLink* a = CreateObjectLink(component);
    TuiObjectLink* b = CreateObjectLink(&other);
    EXPECT_EQ(ObjectLinkControllerLinkCount(), 2);
    delete component;
    EXPECT_EQ(a->Ref, nullptr);
    EXPECT_EQ(ObjectLinkControllerLinkCount(), 1);
    FreeObjectLink(a);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(ObjectLinkControllerLinkCount(), 1);
    FreeObjectLink(b);
    EXPECT_EQ(ObjectLinkControllerLinkCount(), -1);
    FreeObjectLink(b);  // nil: ignored
}

TEST(FreeNotificator, ReportsTheFreedComponentOnce) {
    TuiFreeNotificator notificator(nullptr);
    std::vector<TComponent*> freed;
    notificator.OnFreeNotification = [&freed](TComponent* c) { freed.push_back(c); };
    auto* watched = new TComponent(nullptr);
    auto* cancelled = new TComponent(nullptr);
    notificator.AddSender(watched);
    notificator.AddSender(cancelled);
    notificator.AddSender(nullptr);
    notificator.RemoveSender(cancelled);
    TComponent* w = watched;
    delete watched;
    delete cancelled;
    ASSERT_EQ(freed.size(), 1u);
    EXPECT_EQ(freed[0], w);
}

TEST(SmallRoutines, LocaleStringsWithTheirDefault) {
    SetUserLocaleName("de_DE");
    EXPECT_EQ(GetLocaleString(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, "."), ",");
    EXPECT_EQ(GetLocaleString(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, "6"), "0");
    EXPECT_EQ(GetLocaleString(LOCALE_USER_DEFAULT, 0x7777, "none"), "none");
    SetUserLocaleName("");
}

TEST(SmallRoutines, Table) {
    struct Row {
        const char* name;
        int a, b, mid;
    } rows[] = {{"negative odd", -3, 0, -2}, {"positive odd", 3, 0, 1}, {"even", -4, 2, -1}, {"minus one", -1, 0, -1}};
    for (const Row& r : rows) EXPECT_EQ(MidpointOf(r.a, r.b), r.mid) << r.name;

    std::uint32_t bits[8] = {};
    bits[1] = 1u << 3;   // bit 35
    bits[7] = 1u << 31;  // bit 255
    EXPECT_TRUE(TestBit(bits, 35));
    EXPECT_FALSE(TestBit(bits, 34));
    EXPECT_TRUE(TestBit(bits, 255));

    EXPECT_EQ(TextBeforeSeparator("a|b|c"), "a");
    EXPECT_EQ(TextBeforeSeparator("whole"), "whole");
    EXPECT_EQ(MultiByteToWideString("", 65001), u"");
    EXPECT_EQ(MultiByteToWideString("\xE6\x97\xA5x", 65001), u"\u65E5x");
    EXPECT_EQ(MultiByteToWideString("\x80"
                                    "abc",
                                    1252, 2),
              u"\u20ACa");
    EXPECT_EQ(MultiByteToWideString("\xE6\x97", 65001), u"\uFFFD");
}

}  // namespace
}  // namespace zel::test
