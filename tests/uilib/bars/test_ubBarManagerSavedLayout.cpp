// The bar manager's layout in an INI file and in the registry: round trips of settings, bars and links, the
// order and the names of what is written, the edge cases of paths and sections, and damaged stores that never
// crash, hang or make bars by the million.
#include <functional>
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "MainWindowBars.h"
#include "platform/rtl/IniFiles.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/FormWriter.h"
#include "platform/win/Registry.h"
#include "support/TempDir.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarDockControl.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {
namespace {

enum class TStore { Ini, Registry };

const char* StoreName(TStore S) { return S == TStore::Ini ? "INI file" : "registry"; }

class ubBarManagerSavedLayoutTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        TRegistry::SetStoreFileName(dir.File("registry.ini"));
        form = NewForm();
        form->SetName("EditForm");
        form->SetBounds(100, 100, 500, 300);
        manager = new TubBarManager(form);
        manager->SetName("Bars");
        dock = new TubBarDockControl(form);
        dock->SetName("OwnDock");
        dock->SetParent(form);
        dock->SetBarManager(manager);
        for (const char* caption : {"Main Menu", "ToolBar"}) {
            TubBar* bar = manager->GetBars()->Add();
            bar->SetCaption(caption);
            bar->SetDockingStyle(dsTop);
            bar->SetVisible(true);
        }
        for (const char* name : {"btnOpen", "btnPrint", "btnGone"}) {
            auto* button = new TubBarButton(form);
            button->SetName(name);
            button->SetCaption(name);
        }
        sub = new TubBarSubItem(form);
        sub->SetName("subFile");
        sub->SetCaption("&File");
        form->Show();
        ProcessPendingMessages();
        path = dir.File("layout.ini");
    }
    void TearDown() override {
        BarsTest::TearDown();
        TRegistry::SetStoreFileName("");
    }
    void Write(TStore S) {
        if (S == TStore::Ini) manager->WriteLayoutToIniFile(path);
        else manager->WriteLayoutToRegistry("Software\\Zel\\Layout\\");
    }
    void Read(TStore S) {
        if (S == TStore::Ini) manager->ReadLayoutFromIniFile(path);
        else manager->ReadLayoutFromRegistry("\\Software\\Zel\\Layout");
    }
    // A store given as text: the INI file itself, or the registry's file with the layout under
    // HKEY_CURRENT_USER\Software\Zel\Layout (section names there are given relative to it, "" for the key).
    void WriteStore(TStore S, const std::vector<std::pair<std::string, std::string>>& Sections) {
        std::string text;
        for (const auto& [section, body] : Sections) {
            if (S == TStore::Ini) text += "[EditForm.Bars." + section + "]\n" + body;
            else
                text += "[HKEY_CURRENT_USER\\Software\\Zel\\Layout" + (section.empty() ? "" : "\\" + section) + "]\n" +
                        body;
        }
        WriteAll(S == TStore::Ini ? path : dir.File("registry.ini"), text);
    }
    TubBarItem* Item(const char* Name) const { return manager->FindItemByName(Name); }
    TubBar* Bar(int Index) const { return manager->GetBars()->Items(Index); }

    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TubBarDockControl* dock = nullptr;
    TubBarSubItem* sub = nullptr;
    TempDir dir;
    std::string path;
};

// Both stores give back the settings, the bars' captions, docking, rows, floating places and visibility, and
// the links with their user settings and use counts; the registry keeps the user glyph too.
TEST_F(ubBarManagerSavedLayoutTest, RoundTripsOfBothStoresGiveBackSettingsBarsAndLinks) {
    for (const TStore store : {TStore::Ini, TStore::Registry}) {
        SCOPED_TRACE(StoreName(store));
        manager->SetLargeIcons(true);
        manager->SetMenuAnimations(maSlide);
        manager->SetShowHint(false);
        manager->SetShowShortCutInHint(false);
        manager->SetMenusShowRecentItemsFirst(false);
        manager->SetShowFullMenusAfterDelay(false);
        TubBar* menu = Bar(0);
        TubBar* tool = Bar(1);
        tool->SetCaption("My Tools");
        tool->SetDockControl(dock);
        tool->OneOnRow = true;
        menu->SetVisible(false);
        menu->SetRow(1);
        menu->SetFloatLeft(300);
        menu->SetFloatTop(200);
        menu->SetFloatClientWidth(120);
        menu->SetFloatClientHeight(44);
        menu->SetDockingStyle(dsNone);
        menu->SetDockedDockingStyle(dsBottom);
        menu->SetDockedLeft(40);
        menu->SetDockedTop(2);
        TubBarItemLinks* links = tool->GetItemLinks();
        for (const char* name : {"btnOpen", "btnPrint", "btnGone"}) links->Add()->SetItem(Item(name));
        TubBarItemLink* print = links->Items(1);
        print->BeginGroup = true;
        print->SetUserCaption("&Print now");
        print->SetUserPaintStyle(psCaptionGlyph);
        print->SetUserWidth(77);
        TBitmap glyph;
        glyph.SetSize(3, 2);
        glyph.Canvas()->SetPixel(1, 1, clRed);
        print->SetUserGlyph(&glyph);
        print->UseCount = 5;
        links->Items(0)->SetVisible(false);
        links->Items(0)->UseCount = 2;
        sub->GetItemLinks()->Add()->SetItem(Item("btnOpen"));
        const int printRecent = links->RecentList().IndexOf(print);
        Write(store);

        // Everything changed back.
        manager->SetLargeIcons(false);
        manager->SetMenuAnimations(maNone);
        manager->SetShowHint(true);
        manager->SetShowShortCutInHint(true);
        manager->SetMenusShowRecentItemsFirst(true);
        manager->SetShowFullMenusAfterDelay(true);
        tool->SetCaption("ToolBar");
        tool->SetDockControl(nullptr);
        tool->SetDockingStyle(dsLeft);
        menu->SetDockedDockingStyle(dsTop);
        menu->SetDockedLeft(0);
        menu->SetDockedTop(0);
        tool->OneOnRow = false;
        menu->SetRow(0);
        menu->SetDockingStyle(dsTop);
        menu->SetFloatLeft(0);
        menu->SetFloatClientWidth(0);
        menu->SetVisible(true);
        links->Clear();
        sub->GetItemLinks()->Clear();
        Read(store);

        EXPECT_TRUE(manager->GetLargeIcons());
        EXPECT_EQ(manager->GetMenuAnimations(), maSlide);
        EXPECT_FALSE(manager->GetShowHint());
        EXPECT_FALSE(manager->GetShowShortCutInHint());
        EXPECT_FALSE(manager->GetMenusShowRecentItemsFirst());
        EXPECT_FALSE(manager->GetShowFullMenusAfterDelay());
        EXPECT_FALSE(manager->GetUpdateLock());
        ASSERT_EQ(manager->GetBars()->Count(), 2);
        EXPECT_EQ(tool->GetCaption(), "My Tools");
        EXPECT_EQ(tool->GetDockControl(), dock);
        EXPECT_TRUE(tool->OneOnRow);
        EXPECT_EQ(menu->GetRow(), 1);
        EXPECT_TRUE(tool->GetVisible());
        EXPECT_EQ(menu->GetDockingStyle(), dsNone);
        EXPECT_EQ(menu->GetFloatLeft(), 300);
        EXPECT_EQ(menu->GetFloatTop(), 200);
        EXPECT_EQ(menu->GetFloatClientWidth(), 120);
        EXPECT_EQ(menu->GetFloatClientHeight(), 44);
        EXPECT_FALSE(menu->GetVisible());
        EXPECT_EQ(menu->GetDockedDockingStyle(), dsBottom);
        EXPECT_EQ(menu->GetDockedLeft(), 40);
        EXPECT_EQ(menu->GetDockedTop(), 2);

        ASSERT_EQ(links->Count(), 3);
        EXPECT_EQ(links->Items(0)->GetItem(), Item("btnOpen"));
        EXPECT_FALSE(links->Items(0)->GetVisible());
        EXPECT_FALSE(links->Items(0)->BeginGroup);
        EXPECT_EQ(links->Items(0)->UseCount, 2);
        TubBarItemLink* back = links->Items(1);
        EXPECT_EQ(back->GetItem(), Item("btnPrint"));
        EXPECT_TRUE(back->BeginGroup);
        EXPECT_EQ(back->Caption(), "&Print now");
        EXPECT_EQ(back->PaintStyle(), psCaptionGlyph);
        EXPECT_EQ(back->GetUserWidth(), 77);
        EXPECT_TRUE(back->GetVisible());
        EXPECT_EQ(back->UseCount, 5);
        EXPECT_EQ(links->RecentList().IndexOf(back), printRecent);
        const bool glyphKept = store == TStore::Registry;
        EXPECT_EQ(back->GetUserDefine().Contains(udGlyph), glyphKept);
        if (glyphKept) {
            ASSERT_EQ(back->GetUserGlyph()->GetWidth(), 3);
            EXPECT_EQ(back->GetUserGlyph()->Canvas()->GetPixel(1, 1), clRed);
        }
        ASSERT_EQ(sub->GetItemLinks()->Count(), 1);
        EXPECT_EQ(sub->GetItemLinks()->Items(0)->GetItem(), Item("btnOpen"));

        links->Clear();
        sub->GetItemLinks()->Clear();
    }
}

// What is written, key by key, in the order it is read; the registry in the same order under its key.
TEST_F(ubBarManagerSavedLayoutTest, TheStoresHoldTheKeysInTheirOrder) {
    manager->SetStyle(bmsStandard);  // no recent-use data
    Bar(1)->SetDockControl(dock);
    Bar(1)->GetItemLinks()->Add()->SetItem(Item("btnOpen"));
    Bar(1)->GetItemLinks()->Items(0)->SetUserCaption("Op&en");
    Bar(1)->GetItemLinks()->Add();  // a link without an item is counted, not stored
    Write(TStore::Ini);
    const std::string ini = ReadAll(path);
    const std::string bar1 =
        "[EditForm.Bars.Bar1]\r\nCaption=ToolBar\r\nDockedDockControl=OwnDock\r\nDockedDockingStyle=2\r\n"
        "DockedLeft=0\r\nDockedTop=0\r\nOneOnRow=1\r\nRow=0\r\nFloatLeft=0\r\nFloatTop=0\r\nFloatClientWidth="
        "0\r\nFloatClientHeight=0\r\n"
        "DockControl=OwnDock\r\nDockingStyle=" +
        IntToStr(dock->DockingStyle()) +
        "\r\nVisible=1\r\nItemLinkCount=2\r\n\r\n[EditForm.Bars.Bar1.ItemLink0]\r\nItemName=btnOpen\r\n"
        "BeginGroup=0\r\nUserDefine=1\r\nUserCaption=Op&en\r\nVisible=1\r\n";
    EXPECT_NE(ini.find("[EditForm.Bars.Main]\r\nLargeIcons=0\r\nMenuAnimations=0\r\nShowHint=1\r\n"
                       "ShowShortCutInHint=0\r\nBarCount=2\r\n"),
              std::string::npos)
        << ini;
    EXPECT_NE(ini.find(bar1), std::string::npos) << ini << "\n----\n" << bar1;
    EXPECT_NE(ini.find("[EditForm.Bars.SubItem_subFile]\r\nItemLinkCount=0\r\n"), std::string::npos);

    Write(TStore::Registry);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Zel\\Layout\\Bar1"));
    std::vector<std::string> names;
    reg.GetValueNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Caption", "DockedDockControl", "DockedDockingStyle", "DockedLeft",
                                               "DockedTop", "OneOnRow", "Row", "FloatLeft", "FloatTop",
                                               "FloatClientWidth", "FloatClientHeight", "DockControl", "DockingStyle",
                                               "Visible", "ItemLinkCount"}));
    ASSERT_TRUE(reg.OpenKeyReadOnly("ItemLink0"));
    reg.GetValueNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"ItemName", "BeginGroup", "UserDefine", "UserCaption", "Visible"}));
    EXPECT_EQ(reg.GetDataType("UserDefine"), rdBinary);
    EXPECT_EQ(reg.GetDataSize("UserDefine"), 1);
}

TEST_F(ubBarManagerSavedLayoutTest, EdgeCasesOfPathsSectionsAndMissingValues) {
    struct TRow {
        const char* Name;
        std::function<void()> Act;
        std::function<void()> Check;
    };
    const TRow rows[] = {
        {"a registry path gets its leading backslash and loses its trailing one",
         [&] { manager->WriteLayoutToRegistry("Software\\Zel\\Layout\\"); },
         [&] {
             TRegistry reg;
             EXPECT_TRUE(reg.KeyExists("\\Software\\Zel\\Layout\\Bar1"));
             EXPECT_FALSE(reg.KeyExists("\\Software\\Zel\\Layout\\\\Bar1\\Bar1"));
         }},
        {"a path of separators only, or an empty one, touches nothing",
         [&] {
             {
                 TRegistry reg;
                 ASSERT_TRUE(reg.OpenKey("\\Other", true));
                 reg.WriteInteger("Keep", 1);
             }
             manager->WriteLayoutToRegistry("\\\\");
             manager->WriteLayoutToRegistry("");
             manager->ReadLayoutFromRegistry("\\");
         },
         [&] {
             TRegistry reg;
             EXPECT_TRUE(reg.KeyExists("\\Other"));
             EXPECT_FALSE(reg.KeyExists("\\Bar0"));
         }},
        {"writing deletes the old subkeys of the key only",
         [&] {
             {
                 TRegistry reg;
                 ASSERT_TRUE(reg.OpenKey("\\Software\\Zel\\Layout\\Bar7\\ItemLink3", true));
                 ASSERT_TRUE(reg.OpenKey("\\Software\\Zel\\Sibling", true));
             }
             manager->WriteLayoutToRegistry("\\Software\\Zel\\Layout");
         },
         [&] {
             TRegistry reg;
             EXPECT_FALSE(reg.KeyExists("\\Software\\Zel\\Layout\\Bar7"));
             EXPECT_TRUE(reg.KeyExists("\\Software\\Zel\\Sibling"));
         }},
        {"an INI file with another manager's sections keeps them",
         [&] {
             WriteAll(path,
                      "[Other.Bars.Main]\nBarCount=7\n[EditForm.Bars.Bar5]\nCaption=Old\n"
                      "[EditForm.BarsX.Main]\nBarCount=1\n");
             manager->WriteLayoutToIniFile(path);
             manager->WriteLayoutToIniFile("");
         },
         [&] {
             TIniFile ini(path);
             EXPECT_EQ(ini.ReadInteger("Other.Bars.Main", "BarCount", 0), 7);
             EXPECT_EQ(ini.ReadInteger("EditForm.BarsX.Main", "BarCount", 0), 1);
             EXPECT_FALSE(ini.SectionExists("EditForm.Bars.Bar5"));
             EXPECT_EQ(ini.ReadInteger("EditForm.Bars.Main", "BarCount", 0), 2);
         }},
        {"a stored link naming a deleted item is dropped",
         [&] {
             WriteStore(TStore::Registry, {{"", "BarCount=dword:2\n"},
                                           {"Bar1", "Caption=sz:T\nItemLinkCount=dword:2\n"},
                                           {"Bar1\\ItemLink0", "ItemName=sz:btnNoSuch\n"},
                                           {"Bar1\\ItemLink1",
                                            "ItemName=sz:btnopen\nBeginGroup=dword:1\n"
                                            "UserDefine=hex:00\n"}});
             manager->ReadLayoutFromRegistry("Software\\Zel\\Layout");
         },
         [&] {
             ASSERT_EQ(Bar(1)->GetItemLinks()->Count(), 1);
             EXPECT_EQ(Bar(1)->GetItemLinks()->Items(0)->GetItem(), Item("btnOpen"));
             EXPECT_TRUE(Bar(1)->GetItemLinks()->Items(0)->BeginGroup);
         }},
        {"a bar stored with a caption but no visibility in the registry ends up visible",
         [&] {
             Bar(1)->SetVisible(false);
             WriteStore(TStore::Registry, {{"", "BarCount=dword:2\n"}, {"Bar1", "Caption=sz:Only a caption\n"}});
             manager->ReadLayoutFromRegistry("Software\\Zel\\Layout");
         },
         [&] {
             EXPECT_EQ(Bar(1)->GetCaption(), "Only a caption");
             EXPECT_TRUE(Bar(1)->GetVisible());
             EXPECT_FALSE(Bar(0)->GetVisible());  // bars without a key are hidden
         }},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        row.Act();
        row.Check();
        for (int i = 0; i < 2; ++i) Bar(i)->SetVisible(true);
    }
}

// Damaged or hand-edited stores: refused values count as missing in the INI file (the default) and as a failed
// read in the registry (the bar becomes visible, the link keeps what was read); settings keep their value; no
// store makes more bars than it holds keys for.
TEST_F(ubBarManagerSavedLayoutTest, DamagedStoresNeverCrashNorMakeBarsByTheMillion) {
    using TSections = std::vector<std::pair<std::string, std::string>>;
    struct TRow {
        const char* Name;
        TStore Store;
        TSections Sections;
        std::function<void()> Check;
    };
    auto link = [this] { return Bar(1)->GetItemLinks()->Count() > 0 ? Bar(1)->GetItemLinks()->Items(0) : nullptr; };
    const TRow rows[] = {
        {"INI: huge count",
         TStore::Ini,
         {{"Main", "BarCount=2000000000\n"}, {"Bar0", "Row=0\nVisible=1\n"}},
         [&] { EXPECT_EQ(manager->GetBars()->Count(), 2); }},
        {"INI: stray bar number",
         TStore::Ini,
         {{"Main", "BarCount=2000000000\n"}, {"Bar999999", "Row=0\n"}},
         [&] { EXPECT_EQ(manager->GetBars()->Count(), 2); }},
        {"registry: stray bar number",
         TStore::Registry,
         {{"", "BarCount=dword:2000000000\n"}, {"Bar999999", "Caption=sz:Far\n"}},
         [&] {
             EXPECT_EQ(manager->GetBars()->Count(), 2);
             EXPECT_FALSE(Bar(0)->GetVisible());
         }},
        {"registry: one bar after the last is added, its missing values fail it",
         TStore::Registry,
         {{"", "BarCount=dword:3\n"}, {"Bar2", "Caption=sz:Third\n"}},
         [&] {
             ASSERT_EQ(manager->GetBars()->Count(), 3);
             EXPECT_EQ(Bar(2)->GetCaption(), "Third");
             EXPECT_TRUE(Bar(2)->GetVisible());
         }},
        {"INI: settings out of their type keep their value",
         TStore::Ini,
         {{"Main", "MenuAnimations=77\nLargeIcons=yes\nBarCount=x\n"}},
         [&] {
             EXPECT_EQ(manager->GetMenuAnimations(), maUnfold);
             EXPECT_FALSE(manager->GetLargeIcons());
             EXPECT_TRUE(Bar(0)->GetVisible());  // no readable bar count: no bar touched
         }},
        {"registry: settings of the wrong type keep their value",
         TStore::Registry,
         {{"", "MenuAnimations=dword:-1\nLargeIcons=sz:1\nBarCount=sz:2\n"}},
         [&] {
             EXPECT_EQ(manager->GetMenuAnimations(), maUnfold);
             EXPECT_FALSE(manager->GetLargeIcons());
             EXPECT_TRUE(Bar(0)->GetVisible());
         }},
        {"INI: docking styles out of their type, a path naming no dock control",
         TStore::Ini,
         {{"Main", "BarCount=2\n"},
          {"Bar1", "Row=0\nFloatLeft=7\nDockingStyle=9\nDockedDockingStyle=-3\nDockControl=btnOpen\nVisible=1\n"}},
         [&] {
             EXPECT_EQ(Bar(1)->GetDockingStyle(), dsTop);
             EXPECT_EQ(Bar(1)->GetDockedDockingStyle(), dsTop);
             EXPECT_EQ(Bar(1)->GetDockControl(), nullptr);
             EXPECT_EQ(Bar(1)->GetFloatLeft(), 7);
             EXPECT_FALSE(Bar(0)->GetVisible());
         }},
        {"registry: a docking style out of its type fails the bar",
         TStore::Registry,
         {{"", "BarCount=dword:2\n"},
          {"Bar1", "Caption=sz:Kept\nDockedDockingStyle=dword:200\nRow=dword:3\nVisible=dword:0\n"}},
         [&] {
             EXPECT_EQ(Bar(1)->GetCaption(), "Kept");
             EXPECT_EQ(Bar(1)->GetRow(), 0);  // read after the failure: never applied
             EXPECT_TRUE(Bar(1)->GetVisible());
         }},
        {"registry: a path naming something else than a dock control fails the bar",
         TStore::Registry,
         {{"", "BarCount=dword:2\n"}, {"Bar1", "Caption=sz:Mine\nDockedDockControl=sz:btnOpen\nVisible=dword:0\n"}},
         [&] {
             EXPECT_EQ(Bar(1)->GetCaption(), "Mine");
             EXPECT_TRUE(Bar(1)->GetVisible());
         }},
        {"registry: a value of the wrong type fails the bar",
         TStore::Registry,
         {{"", "BarCount=dword:1\n"}, {"Bar0", "Caption=dword:5\nVisible=dword:0\n"}},
         [&] { EXPECT_TRUE(Bar(0)->GetVisible()); }},
        {"INI: user flags and paint style out of their type",
         TStore::Ini,
         {{"Main", "BarCount=2\n"},
          {"Bar1", "Row=0\nItemLinkCount=2000000000\n"},
          {"Bar1.ItemLink999999", "ItemName=btnOpen\nUserDefine=255\nUserCaption=X\n"},
          {"Bar1.ItemLink1000000", "ItemName=btnPrint\nUserDefine=4\nUserPaintStyle=99\n"}},
         [&] {
             TubBarItemLinks* links = Bar(1)->GetItemLinks();
             ASSERT_EQ(links->Count(), 2);
             EXPECT_EQ(links->Items(0)->GetUserDefine(), TubBarUserDefines());
             EXPECT_EQ(links->Items(0)->Caption(), "btnOpen");
             EXPECT_EQ(links->Items(1)->GetUserDefine(), TubBarUserDefines({udPaintStyle}));
             EXPECT_EQ(links->Items(1)->GetUserPaintStyle(), psStandard);
         }},
        {"registry: user flags beyond the four keep what was read",
         TStore::Registry,
         {{"", "BarCount=dword:2\n"},
          {"Bar1", "Caption=sz:T\nItemLinkCount=dword:1\n"},
          {"Bar1\\ItemLink0", "ItemName=sz:btnOpen\nBeginGroup=dword:1\nUserDefine=hex:F1\nUserCaption=sz:X\n"}},
         [&] {
             ASSERT_NE(link(), nullptr);
             EXPECT_TRUE(link()->BeginGroup);
             EXPECT_EQ(link()->GetUserDefine(), TubBarUserDefines());
             EXPECT_TRUE(Bar(1)->GetVisible());  // the failure stayed inside the link: the rest was read
             EXPECT_EQ(Bar(1)->GetCaption(), "T");
         }},
        {"registry: a paint style out of its type keeps what was read",
         TStore::Registry,
         {{"", "BarCount=dword:2\n"},
          {"Bar1", "Caption=sz:T\nItemLinkCount=dword:1\n"},
          {"Bar1\\ItemLink0",
           "ItemName=sz:btnOpen\nBeginGroup=dword:0\nUserDefine=hex:05\nUserCaption=sz:Mine\n"
           "UserPaintStyle=dword:9\n"}},
         [&] {
             ASSERT_NE(link(), nullptr);
             EXPECT_EQ(link()->Caption(), "Mine");
             EXPECT_EQ(link()->GetUserPaintStyle(), psStandard);
         }},
        {"registry: a truncated glyph keeps what was read",
         TStore::Registry,
         {{"", "BarCount=dword:2\n"},
          {"Bar1", "Caption=sz:T\nItemLinkCount=dword:1\n"},
          {"Bar1\\ItemLink0",
           "ItemName=sz:btnOpen\nBeginGroup=dword:0\nUserDefine=hex:03\nUserCaption=sz:Mine\n"
           "UserGlyph=hex:F600000042\n"}},
         [&] {
             ASSERT_NE(link(), nullptr);
             EXPECT_EQ(link()->Caption(), "Mine");
             EXPECT_FALSE(link()->GetUserDefine().Contains(udGlyph));
             EXPECT_TRUE(link()->GetUserGlyph()->Empty());
         }},
        {"registry: a missing link count means no links",
         TStore::Registry,
         {{"", "BarCount=dword:2\n"}, {"Bar1", "Caption=sz:T\n"}, {"Bar1\\ItemLink0", "ItemName=sz:btnOpen\n"}},
         [&] { EXPECT_EQ(Bar(1)->GetItemLinks()->Count(), 0); }},
        {"INI: a missing link count means no links",
         TStore::Ini,
         {{"Main", "BarCount=2\n"}, {"Bar1", "Row=0\n"}, {"Bar1.ItemLink0", "ItemName=btnOpen\n"}},
         [&] { EXPECT_EQ(Bar(1)->GetItemLinks()->Count(), 0); }},
        {"registry: a link count of the wrong type fails the bar",
         TStore::Registry,
         {{"", "BarCount=dword:2\n"}, {"Bar1", "Caption=sz:T\nItemLinkCount=sz:1\nVisible=dword:0\n"}},
         [&] { EXPECT_TRUE(Bar(1)->GetVisible()); }},
        {"not an INI file",
         TStore::Ini,
         {{"Main", "\x01\x02\xff\xfe garbage\n=\n[\n[[[]]]\nBarCount\n"}},
         [&] { EXPECT_EQ(manager->GetBars()->Count(), 2); }},
        {"INI: a bar section without a row is not used",
         TStore::Ini,
         {{"Main", "BarCount=9\n"}, {"Bar7", "Caption=X\n"}},
         [&] { EXPECT_EQ(manager->GetBars()->Count(), 2); }},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        while (manager->GetBars()->Count() > 2) delete Bar(manager->GetBars()->Count() - 1);
        for (int i = 0; i < 2; ++i) {
            Bar(i)->SetVisible(true);
            Bar(i)->SetDockingStyle(dsTop);
            Bar(i)->SetRow(0);
            Bar(i)->GetItemLinks()->Clear();
        }
        Bar(1)->SetCaption("ToolBar");
        manager->SetMenuAnimations(maUnfold);
        manager->SetLargeIcons(false);
        WriteStore(row.Store, row.Sections);
        Read(row.Store);
        row.Check();
        EXPECT_FALSE(manager->GetUpdateLock());
    }
}

// The main window's bars on a form that opts in to a store: made again from its resource (its next start), the
// form shows the link added to the toolbar, the renamed and floating bar and the user settings.
TEST_F(ubBarManagerSavedLayoutTest, AFormThatOptsInShowsItsLayoutAtItsNextStart) {
    for (const TStore store : {TStore::Ini, TStore::Registry}) {
        SCOPED_TRACE(StoreName(store));
        std::string text = MainWindowBarsText();
        const std::string head = "  object ubBarManager1: TubBarManager\n";
        const std::string opt = store == TStore::Ini
                                    ? "    StoreInIniFile = True\n    IniFileName = '" + path + "'\n"
                                    : "    StoreInRegistry = True\n    RegistryPath = 'Software\\Zel'\n";
        text.replace(text.find(head), head.size(), head + opt);
        auto* first = Construct<TFormBarsSample>(nullptr, text);
        first->Show();
        ProcessPendingMessages();
        TubBarManager* m = first->Manager;
        TubBar* tools = m->GetBars()->Items(1);
        ASSERT_EQ(tools->GetCaption(), "ToolBar");
        TubBarItemLinks* links = tools->GetItemLinks();
        const int print = links->IndexOfItem(m->FindItemByName("FilePrintItem"));
        ASSERT_GE(print, 0);
        links->Insert(print + 1)->SetItem(m->FindItemByName("SetMidiMidiPortItem"));
        const int count = links->Count();
        tools->SetCaption("Mine");
        tools->SetFloatLeft(321);
        tools->SetFloatTop(123);
        tools->SetDockingStyle(dsNone);
        m->SetLargeIcons(true);
        m->SetMenuAnimations(maFade);
        delete first;  // its window goes: the layout is stored
        if (store == TStore::Ini) {
            EXPECT_NE(ReadAll(path).find("Caption=Mine"), std::string::npos);
        }

        auto* next = Construct<TFormBarsSample>(nullptr, text);
        m = next->Manager;
        tools = m->GetBars()->Items(1);
        EXPECT_EQ(tools->GetCaption(), "Mine");
        EXPECT_EQ(tools->GetDockingStyle(), dsNone);
        EXPECT_EQ(tools->GetFloatLeft(), 321);
        EXPECT_EQ(tools->GetFloatTop(), 123);
        EXPECT_TRUE(tools->GetVisible());
        EXPECT_TRUE(m->GetLargeIcons());
        EXPECT_EQ(m->GetMenuAnimations(), maFade);
        ASSERT_EQ(tools->GetItemLinks()->Count(), count);
        EXPECT_EQ(tools->GetItemLinks()->Items(print + 1)->GetItem(), m->FindItemByName("SetMidiMidiPortItem"));
        EXPECT_EQ(m->GetBars()->Items(0)->GetCaption(), "Main Menu");
        EXPECT_EQ(m->GetBars()->Items(0)->GetDockingStyle(), dsTop);
        delete next;
    }
}

// A form read from the text it is given.
class TTextForm : public TForm {
public:
    TTextForm(TComponent* AOwner, std::string Text)
        : TForm(AOwner), text_(std::move(Text)), resource_{"TextForm", text_.c_str()} {}
    std::string ClassName() const override { return "TTextForm"; }
    const TFormResource* FormResource() const override { return &resource_; }

private:
    std::string text_;
    TFormResource resource_;
};

// An item's action, the commands' glyphs and a bar's own font travel with the form text, written and read
// again; a bar on the manager's font writes none of it.
TEST_F(ubBarManagerSavedLayoutTest, ActionsGlyphsAndABarsOwnFontTravelWithTheFormText) {
    delete dock;  // not a class of the form text
    RegisterComponent<TCustomAction>("TCustomAction", "TComponent")
        .Str(
            "Caption", [](TCustomAction& a, const std::string& v) { a.SetCaption(v); },
            [](TCustomAction& a) { return a.GetCaption(); });
    auto* action = new TCustomAction(form);
    action->SetName("actOpen");
    action->SetCaption("Open a file");
    auto* open = static_cast<TubBarButton*>(Item("btnOpen"));
    open->SetAction(action);
    TBitmap glyph;
    glyph.SetSize(4, 3);
    glyph.Canvas()->SetPixel(2, 1, clBlue);
    static_cast<TubBarButton*>(Item("btnPrint"))->SetGlyph(&glyph);
    sub->SetGlyph(&glyph);
    TFont font;
    font.SetName("DejaVu Serif");
    font.SetHeight(-17);
    font.SetStyle(TFontStyles{fsBold});
    Bar(1)->SetFont(&font);
    ASSERT_TRUE(Bar(1)->GetUseOwnFont());

    std::string text = WriteComponentText(*form);
    EXPECT_NE(text.find("Action = actOpen"), std::string::npos) << text;
    EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos);
    // The manager's font and the font of the bar that has its own; not the other bar's.
    const std::size_t first = text.find("Font.Name"), second = text.find("Font.Name", first + 1);
    EXPECT_NE(second, std::string::npos);
    EXPECT_EQ(text.find("Font.Name", second + 1), std::string::npos) << text;
    text.replace(text.find(": TTestForm"), 11, ": TTextForm");
    auto* again = Construct<TTextForm>(nullptr, text);
    auto* m = dynamic_cast<TubBarManager*>(again->FindComponent("Bars"));
    ASSERT_NE(m, nullptr);
    auto* openAgain = m->FindItemByName("btnOpen");
    EXPECT_EQ(openAgain->GetAction(), again->FindComponent("actOpen"));
    EXPECT_EQ(openAgain->GetCaption(), "Open a file");
    for (const char* name : {"btnPrint", "subFile"}) {
        SCOPED_TRACE(name);
        TBitmap* back = m->FindItemByName(name)->GetGlyph();
        ASSERT_EQ(back->GetWidth(), 4);
        EXPECT_EQ(back->Canvas()->GetPixel(2, 1), clBlue);
    }
    EXPECT_TRUE(m->FindItemByName("btnGone")->GetGlyph()->Empty());
    TubBar* bar = m->GetBars()->Items(1);
    EXPECT_TRUE(bar->GetUseOwnFont());
    EXPECT_EQ(bar->GetFont()->GetName(), "DejaVu Serif");
    EXPECT_EQ(bar->GetFont()->GetHeight(), -17);
    EXPECT_EQ(bar->GetFont()->GetStyle(), TFontStyles{fsBold});
    EXPECT_FALSE(m->GetBars()->Items(0)->GetUseOwnFont());
    EXPECT_EQ(WriteComponentText(*again), text);
    delete again;
    UnregisterComponentClass("TCustomAction");
}

}  // namespace
}  // namespace zel::test
