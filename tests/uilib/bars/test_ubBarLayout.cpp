// The bar manager's layout in an INI file: a round trip of the settings and the bars, another manager's
// sections left alone, and damaged files that never crash or make bars by the million.
#include <string>

#include "BarsTestSupport.h"
#include "platform/rtl/IniFiles.h"
#include "support/TempDir.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

class ubBarLayoutTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form = NewForm();
        form->SetName("EditForm");
        form->SetBounds(100, 100, 500, 300);
        manager = new TubBarManager(form);
        manager->SetName("Bars");
        for (const char* caption : {"Main Menu", "ToolBar"}) {
            TubBar* bar = manager->GetBars()->Add();
            bar->SetCaption(caption);
            bar->SetDockingStyle(dsTop);
            bar->SetVisible(true);
        }
        form->Show();
        ProcessPendingMessages();
        path = dir.File("layout.ini");
    }
    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    test::TempDir dir;
    std::string path;
};

TEST_F(ubBarLayoutTest, ARoundTripGivesBackTheSettingsAndTheBars) {
    manager->SetLargeIcons(true);
    manager->SetMenuAnimations(maSlide);
    manager->SetShowHint(false);
    manager->SetMenusShowRecentItemsFirst(false);
    TubBar* tool = manager->GetBars()->Items(1);
    tool->SetCaption("My Tools");
    tool->SetRow(1);
    tool->SetFloatLeft(300);
    tool->SetFloatTop(200);
    tool->SetVisible(false);
    manager->WriteLayoutToIniFile(path);
    const std::string written = test::ReadAll(path);
    EXPECT_NE(written.find("[EditForm.Bars.Main]\r\n"), std::string::npos);
    EXPECT_NE(written.find("[EditForm.Bars.Bar1]\r\nCaption=My Tools\r\n"), std::string::npos);

    manager->SetLargeIcons(false);
    manager->SetMenuAnimations(maNone);
    manager->SetShowHint(true);
    manager->SetMenusShowRecentItemsFirst(true);
    tool->SetCaption("ToolBar");
    tool->SetRow(0);
    tool->SetFloatLeft(0);
    tool->SetVisible(true);
    manager->ReadLayoutFromIniFile(path);
    EXPECT_TRUE(manager->GetLargeIcons());
    EXPECT_EQ(manager->GetMenuAnimations(), maSlide);
    EXPECT_FALSE(manager->GetShowHint());
    EXPECT_FALSE(manager->GetMenusShowRecentItemsFirst());
    ASSERT_EQ(manager->GetBars()->Count(), 2);
    EXPECT_EQ(tool->GetCaption(), "My Tools");
    EXPECT_EQ(tool->GetRow(), 1);
    EXPECT_EQ(tool->GetFloatLeft(), 300);
    EXPECT_EQ(tool->GetFloatTop(), 200);
    EXPECT_FALSE(tool->GetVisible());
    EXPECT_TRUE(manager->GetBars()->Items(0)->GetVisible());
    EXPECT_FALSE(manager->GetUpdateLock());
}

TEST_F(ubBarLayoutTest, ARoundTripGivesBackTheLinksWithTheirUserSettingsAndDropsThoseOfMissingItems) {
    TubBarItemLinks* links = manager->GetBars()->Items(1)->GetItemLinks();
    for (const char* name : {"btnOpen", "btnPrint", "btnGone"}) {
        auto* button = new TubBarButton(form);
        button->SetName(name);
        button->SetCaption(name);
        links->Add()->SetItem(button);
    }
    links->Add();  // a link without an item is not stored
    TubBarItemLink* print = links->Items(1);
    print->BeginGroup = true;
    print->SetUserCaption("&Print now");
    print->SetUserPaintStyle(psCaptionGlyph);
    print->SetUserDefine(TubBarUserDefines{udCaption, udPaintStyle});
    links->Items(0)->SetVisible(false);
    manager->WriteLayoutToIniFile(path);
    EXPECT_EQ(TIniFile(path).ReadInteger("EditForm.Bars.Bar1", "ItemLinkCount", 0), 4);

    delete manager->FindItemByName("btnGone");
    links->Clear();
    manager->ReadLayoutFromIniFile(path);
    ASSERT_EQ(links->Count(), 2);
    EXPECT_EQ(links->Items(0)->GetItem()->GetName(), "btnOpen");
    EXPECT_FALSE(links->Items(0)->GetVisible());
    EXPECT_FALSE(links->Items(0)->BeginGroup);
    EXPECT_EQ(links->Items(1)->GetItem()->GetName(), "btnPrint");
    EXPECT_TRUE(links->Items(1)->BeginGroup);
    EXPECT_EQ(links->Items(1)->Caption(), "&Print now");
    EXPECT_EQ(links->Items(1)->PaintStyle(), psCaptionGlyph);
    EXPECT_TRUE(links->Items(1)->GetVisible());
}

TEST_F(ubBarLayoutTest, DamagedLinkValuesAreRefused) {
    auto* button = new TubBarButton(form);
    button->SetName("btnOpen");
    button->SetCaption("Open");
    test::WriteAll(path,
                   "[EditForm.Bars.Main]\nBarCount=2\n[EditForm.Bars.Bar1]\nRow=0\nItemLinkCount=2000000000\n"
                   "[EditForm.Bars.Bar1.ItemLink999999]\nItemName=btnOpen\nUserDefine=255\nUserPaintStyle=99\n"
                   "UserWidth=5\n");
    manager->ReadLayoutFromIniFile(path);
    TubBarItemLinks* links = manager->GetBars()->Items(1)->GetItemLinks();
    ASSERT_EQ(links->Count(), 1);
    // Unknown flag bits and the glyph flag are dropped, an out-of-range paint style is refused.
    EXPECT_EQ(links->Items(0)->GetUserDefine(), TubBarUserDefines({udCaption, udWidth}));
    EXPECT_EQ(links->Items(0)->GetUserPaintStyle(), psStandard);
}

// A form that opts in to the INI store: its layout is written by StoreLayout and read when its manager has
// loaded, sub-menus included.
TEST_F(ubBarLayoutTest, AFormThatOptsInStoresItsLayoutAndReadsItWhenLoaded) {
    auto makeForm = [this](const std::string& caption) {
        auto* f = Construct<TTestForm>(nullptr);
        f->SetName("Saved");
        auto* m = new TubBarManager(f);
        m->SetName("Bars");
        m->StoreInIniFile = true;
        m->IniFileName = path;
        TubBar* bar = m->GetBars()->Add();
        bar->SetCaption(caption);
        bar->SetDockingStyle(dsTop);
        bar->SetVisible(true);
        auto* sub = new TubBarSubItem(f);
        sub->SetName("subFile");
        auto* button = new TubBarButton(f);
        button->SetName("btnOpen");
        button->SetCaption("Open");
        return std::pair{f, m};
    };
    auto [first, firstManager] = makeForm("ToolBar");
    first->Show();
    ProcessPendingMessages();
    firstManager->GetBars()->Items(0)->SetCaption("My Tools");
    auto* sub = static_cast<TubBarSubItem*>(firstManager->FindItemByName("subFile"));
    sub->GetItemLinks()->Add()->SetItem(firstManager->FindItemByName("btnOpen"));
    firstManager->StoreLayout();
    delete first;
    TIniFile stored(path);
    EXPECT_EQ(stored.ReadString("Saved.Bars.Bar0", "Caption", ""), "My Tools");
    EXPECT_EQ(stored.ReadString("Saved.Bars.SubItem_subFile.ItemLink0", "ItemName", ""), "btnOpen");

    auto [second, secondManager] = makeForm("ToolBar");
    secondManager->Loaded();
    EXPECT_EQ(secondManager->GetBars()->Items(0)->GetCaption(), "My Tools");
    auto* again = static_cast<TubBarSubItem*>(secondManager->FindItemByName("subFile"));
    ASSERT_EQ(again->GetItemLinks()->Count(), 1);
    EXPECT_EQ(again->GetItemLinks()->Items(0)->GetItem()->GetName(), "btnOpen");
    delete second;
}

TEST_F(ubBarLayoutTest, SavingKeepsTheSectionsOfAnotherManagerAndAnEmptyNameDoesNothing) {
    test::WriteAll(path, "[Other.Bars.Main]\nBarCount=7\n[EditForm.Bars.Bar5]\nCaption=Old\n");
    manager->WriteLayoutToIniFile(path);
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Other.Bars.Main", "BarCount", 0), 7);
    EXPECT_FALSE(ini.SectionExists("EditForm.Bars.Bar5"));
    EXPECT_EQ(ini.ReadInteger("EditForm.Bars.Main", "BarCount", 0), 2);
    manager->WriteLayoutToIniFile("");
    manager->ReadLayoutFromIniFile("");
    EXPECT_EQ(manager->GetBars()->Count(), 2);
}

TEST_F(ubBarLayoutTest, DamagedFilesNeverCrashNorMakeBarsByTheMillion) {
    struct TRow {
        const char* Name;
        const char* Text;
        int Bars;
        TubBarMenuAnimations Animations;
    };
    const TRow rows[] = {
        {"huge count", "[EditForm.Bars.Main]\nBarCount=2000000000\n[EditForm.Bars.Bar0]\nRow=0\nVisible=1\n", 2,
         maNone},
        {"stray bar number", "[EditForm.Bars.Main]\nBarCount=2000000000\n[EditForm.Bars.Bar999999]\nRow=0\n", 2,
         maNone},
        {"animations out of range", "[EditForm.Bars.Main]\nMenuAnimations=77\n", 2, maNone},
        {"negative animations", "[EditForm.Bars.Main]\nMenuAnimations=-1\n", 2, maNone},
        {"one bar added after the last", "[EditForm.Bars.Main]\nBarCount=3\n[EditForm.Bars.Bar2]\nRow=0\n", 3, maNone},
        {"not an INI file", "\x01\x02\xff\xfe garbage without sections\n=\n[", 2, maNone},
        {"bar section without a row", "[EditForm.Bars.Main]\nBarCount=9\n[EditForm.Bars.Bar7]\nCaption=X\n", 2, maNone},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        while (manager->GetBars()->Count() > 2) delete manager->GetBars()->Items(manager->GetBars()->Count() - 1);
        manager->SetMenuAnimations(maNone);
        test::WriteAll(path, row.Text);
        manager->ReadLayoutFromIniFile(path);
        EXPECT_EQ(manager->GetBars()->Count(), row.Bars);
        EXPECT_EQ(manager->GetMenuAnimations(), row.Animations);
    }
}

}  // namespace
}  // namespace zel::test
