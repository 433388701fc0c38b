// The main window's manager read from its form resource, and the item road the main window uses: short-cuts,
// clicks, captions with their hints and the enabled state while customizing.
#include <memory>

#include "MainWindowBars.h"
#include "platform/vcl/Dialogs.h"
#include "support/TempDir.h"

namespace zel::test {
namespace {

class MainWindowBars : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = Construct<TFormBarsSample>(nullptr);
    }
    void TearDown() override {
        delete form_;
        BarsTest::TearDown();
    }
    TubBarItem* Item(const std::string& name) const { return form_->Manager->FindItemByName(name); }
    // The links of a list as "Name" or "|Name" for a link that begins a group.
    static std::vector<std::string> LinkNames(const TubBarItemLinks* links) {
        std::vector<std::string> r;
        for (TubBarItemLink* l : links->ShownItems())
            r.push_back((l->GetBeginGroup() ? "|" : "") + l->GetItem()->GetName());
        return r;
    }

    TFormBarsSample* form_ = nullptr;
};

using Names = std::vector<std::string>;

TEST_F(MainWindowBars, ReadsBackCategoriesBarsMenusAndShortCuts) {
    TubBarManager* m = form_->Manager;
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->GetStyle(), bmsOffice11);
    ASSERT_EQ(m->GetCategories()->Count(), 7);
    EXPECT_EQ(m->GetCategories()->Get(6), "Menus");

    ASSERT_EQ(m->GetBars()->Count(), 2);
    TubBar* menu = m->GetBars()->Items(0);
    TubBar* tools = m->GetBars()->Items(1);
    EXPECT_EQ(m->GetFormMenuBar(), menu);
    EXPECT_EQ(menu->GetCaption(), "Main Menu");
    EXPECT_EQ(menu->Name, "Custom 1");
    const struct {
        TubBar* bar;
        bool mainMenu, wholeRow, multiLine, oneOnRow;
        int row;
    } bars[] = {{menu, true, true, true, true, 0}, {tools, false, false, false, true, 1}};
    for (const auto& b : bars) {
        SCOPED_TRACE(b.bar->GetCaption());
        EXPECT_EQ(b.bar->GetIsMainMenu(), b.mainMenu);
        EXPECT_EQ(b.bar->GetWholeRow(), b.wholeRow);
        EXPECT_EQ(b.bar->GetMultiLine(), b.multiLine);
        EXPECT_EQ(b.bar->OneOnRow, b.oneOnRow);
        EXPECT_EQ(b.bar->GetRow(), b.row);
        EXPECT_EQ(b.bar->GetDockingStyle(), dsTop);
        EXPECT_TRUE(b.bar->GetVisible());
        EXPECT_TRUE(b.bar->Predefined());
    }
    EXPECT_EQ(LinkNames(menu->GetItemLinks()), (Names{"File1", "Settings1", "Gaggets1", "Window1", "Help1"}));
    EXPECT_EQ(LinkNames(tools->GetItemLinks()),
              (Names{"FileNewItem", "FileOpenItem", "FileSaveItem", "FileSaveAsItem", "FilePrintItem",
                     "|GadgetsKeyboardItem", "GadgetsMonitorItem", "|Index1", "FileExitItem"}));

    const struct {
        const char* sub;
        const char* caption;
        Names links;
    } menus[] = {
        {"File1",
         "&File",
         {"FileNewItem", "|FileOpenItem", "FileImportFrom", "FileCloseItem", "|FileSaveItem", "FileSaveAsItem",
          "FileExportto", "FileSaveAllItem", "|FilePrintItem", "|FileExitItem"}},
        {"Settings1", "Settings", {"SetMidiMidiPortItem", "SetPreviewItem", "|SetExpansionItem", "SetPatchAndPerf"}},
        {"Gaggets1", "Gadgets", {"GadgetsKeyboardItem", "GadgetsMonitorItem"}},
        {"Window1", "&Window", {"WindowCascadeItem", "WindowTileItem", "WindowArrangeItem", "WindowMinimizeItem"}},
        {"Help1", "&Help", {"Index1", "|HelpAboutItem"}},
    };
    for (const auto& mm : menus) {
        auto* sub = dynamic_cast<TubBarSubItem*>(Item(mm.sub));
        ASSERT_NE(sub, nullptr) << mm.sub;
        EXPECT_EQ(sub->GetCaption(), mm.caption);
        EXPECT_EQ(sub->GetCategory(), 6);
        EXPECT_EQ(sub->GetParentComponent(), m);
        EXPECT_EQ(LinkNames(sub->GetItemLinks()), mm.links) << mm.sub;
    }
    EXPECT_EQ(Item("Window1")->Hint, "Window related commands such as Tile and Cascade");

    const struct {
        const char* name;
        TShortCut shortCut;
        int image, help, category;
    } buttons[] = {{"FileOpenItem", 16463, 1, 7, 1},        {"FileSaveItem", 16467, 2, 11, 1},
                   {"FileSaveAllItem", 16449, -1, 13, 1},   {"FileExitItem", 16472, 5, 15, 1},
                   {"SetPatchAndPerf", 16462, -1, 24, 2},   {"GadgetsKeyboardItem", 16459, 17, 26, 3},
                   {"GadgetsMonitorItem", 16461, 7, 25, 3}, {"WindowTileItem", 0, -1, 0, 4}};
    for (const auto& b : buttons) {
        auto* button = dynamic_cast<TubBarButton*>(Item(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->GetShortCut(), b.shortCut) << b.name;
        EXPECT_EQ(button->GetImageIndex(), b.image) << b.name;
        EXPECT_EQ(button->HelpContext, b.help) << b.name;
        EXPECT_EQ(button->GetCategory(), b.category) << b.name;
        EXPECT_EQ(button->GetVisible(), ivAlways) << b.name;
    }
    EXPECT_EQ(m->ItemCount(), 5 + 22);
}

// A bar set back to its design from the form's stored definition: its links, the links of the menus on it,
// and with UseFullReset the whole bar; the user is asked first and Cancel keeps the changes.
TEST_F(MainWindowBars, AResetBarTakesItsDesignAgain) {
    TubBarManager* m = form_->Manager;
    TubBar* tools = m->GetBars()->Items(1);
    TubBar* menu = m->GetBars()->Items(0);
    const Names toolsDesign = LinkNames(tools->GetItemLinks());
    const Names fileDesign = LinkNames(form_->File1->GetItemLinks());
    int before = 0, after = 0;
    m->OnBarBeforeReset = [&](TubBarManager*, TubBar* b) { before += b == tools; };
    m->OnBarAfterReset = [&](TubBarManager*, TubBar* b) { after += b == tools; };

    // The design copy is a form of its own, freed by the caller, whose manager has the same bars.
    std::unique_ptr<TCustomForm> copy(m->LoadDesignForm());
    ASSERT_NE(copy, nullptr);
    auto* design = dynamic_cast<TubBarManager*>(copy->FindComponent(m->GetName()));
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(design->GetBars()->Count(), 2);
    EXPECT_EQ(LinkNames(design->GetBars()->Items(1)->GetItemLinks()), toolsDesign);
    copy.reset();

    delete tools->GetItemLinks()->Items(0);
    tools->GetItemLinks()->Items(2)->BeginGroup = true;
    delete form_->File1->GetItemLinks()->Items(1);
    tools->SetCaption("Mine");
    std::vector<std::string> asked;
    int answer = IDCANCEL;
    TMessageBoxAnswerer old = SetMessageBoxAnswerer([&](const TMessageBoxRequest& r) {
        asked.push_back(r.Text);
        return answer;
    });
    tools->ResetWithConfirmation();
    EXPECT_EQ(asked,
              std::vector<std::string>{"Are you sure you want to reset the changes made to the 'Mine' toolbar?"});
    EXPECT_NE(LinkNames(tools->GetItemLinks()), toolsDesign);
    answer = IDOK;
    tools->ResetWithConfirmation();
    SetMessageBoxAnswerer(std::move(old));
    EXPECT_EQ(LinkNames(tools->GetItemLinks()), toolsDesign);
    EXPECT_NE(LinkNames(form_->File1->GetItemLinks()), fileDesign) << "the File menu is not on the toolbar";
    for (TubBarItemLink* l : tools->GetItemLinks()->ShownItems())
        EXPECT_EQ(l->GetItem()->GetOwner(), static_cast<TComponent*>(form_));
    EXPECT_EQ(tools->GetCaption(), "Mine") << "only the links come back";
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);

    // The menu bar's reset takes the menus on it back too.
    menu->Reset();
    EXPECT_EQ(LinkNames(form_->File1->GetItemLinks()), fileDesign);

    // The whole bar with UseFullReset; it stays visible and on its dock.
    m->UseFullReset = true;
    tools->Reset();
    EXPECT_EQ(tools->GetCaption(), "ToolBar");
    EXPECT_TRUE(tools->GetVisible());
    EXPECT_EQ(tools->GetDockingStyle(), dsTop);
    EXPECT_EQ(LinkNames(menu->GetItemLinks()), (Names{"File1", "Settings1", "Gaggets1", "Window1", "Help1"}));
}

// A form that keeps its layout in an INI file reads it once loaded; the design copy that a reset reads holds
// the design with its store switched off, so the reset brings back the design and not the stored layout.
TEST_F(MainWindowBars, TheDesignCopyReadsNoStoredLayout) {
    TempDir dir;
    const std::string path = dir.File("layout.ini");
    form_->Manager->GetBars()->Items(1)->SetCaption("Stored");
    form_->Manager->WriteLayoutToIniFile(path);
    std::string text = MainWindowBarsText();
    const std::string head = "  object ubBarManager1: TubBarManager\n";
    text.replace(text.find(head), head.size(), head + "    StoreInIniFile = True\n    IniFileName = '" + path + "'\n");
    auto* stored = Construct<TFormBarsSample>(nullptr, text);
    TubBar* tools = stored->Manager->GetBars()->Items(1);
    EXPECT_EQ(tools->GetCaption(), "Stored");
    std::unique_ptr<TCustomForm> copy(stored->Manager->LoadDesignForm());
    ASSERT_NE(copy, nullptr);
    auto* design = dynamic_cast<TubBarManager*>(copy->FindComponent("ubBarManager1"));
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(design->GetBars()->Items(1)->GetCaption(), "ToolBar");
    EXPECT_FALSE(design->StoreInIniFile);
    copy.reset();
    stored->Manager->UseFullReset = true;
    tools->Reset();
    EXPECT_EQ(tools->GetCaption(), "ToolBar");
    delete stored;
}

// Written by the component writer and read again, the manager with its bars, links and items gives the same
// text; defaults are left out and the storage rules hold.
TEST_F(MainWindowBars, WrittenAndReadAgainGivesTheSameText) {
    const std::string text = WriteComponentText(*form_);
    const struct {
        const char* part;
        bool stored;
    } parts[] = {{"IsMainMenu = True", true}, {"DockingStyle = dsTop", true}, {"Item = FileOpenItem", true},
                 {"BeginGroup = True", true}, {"ShortCut = 16463", true},     {"Visible = ivAlways", true},
                 {"Category = 6", true},      {"Name = 'Custom 1'", true},    {"MostRecentlyUsed", false},
                 {"AllowClose", false},       {"UnclickAfterDoing", false},   {"ImageIndex = -1", false},
                 {"Font.Height", true},       {"UseRecentItems", false}};
    for (const auto& p : parts) EXPECT_EQ(text.find(p.part) != std::string::npos, p.stored) << p.part << "\n" << text;
    auto* again = Construct<TFormBarsSample>(nullptr, text.c_str());
    ASSERT_NE(again->Manager, nullptr);
    EXPECT_EQ(again->Manager->GetBars()->Count(), 2);
    EXPECT_EQ(WriteComponentText(*again), text);
    delete again;
}

TEST_F(MainWindowBars, CtrlOReachesOpenOnceThroughTheMenuBarFirst) {
    TubBarManager* m = form_->Manager;
    std::vector<std::string> clicked;
    m->OnClickItem = [&](TubBarManager*, TubBarItem* item) { clicked.push_back(item->GetName()); };
    // The keyboard hook asks the main menu bar, then the other shown bars, until one takes the key.
    bool taken = false;
    for (int i = 0; i < m->GetBars()->Count() && !taken; ++i) taken = m->GetBars()->Items(i)->IsShortCut(16463);
    EXPECT_TRUE(taken);
    EXPECT_EQ(form_->Clicks, (Names{"FileOpenItem open"}));
    EXPECT_EQ(clicked, (Names{"FileOpenItem"}));
    // The toolbar alone takes it too; a key no item has goes nowhere.
    EXPECT_TRUE(m->GetBars()->Items(1)->IsShortCut(16463));
    EXPECT_FALSE(m->GetBars()->Items(0)->IsShortCut(scCtrl | 'Q'));
    EXPECT_EQ(form_->Clicks.size(), 2u);
}

TEST_F(MainWindowBars, DisabledItemsAndFailingHandlers) {
    TubBarManager* m = form_->Manager;
    int clickItem = 0;
    m->OnClickItem = [&](TubBarManager*, TubBarItem*) { ++clickItem; };
    form_->FileOpenItem->SetEnabled(false);
    form_->FileOpenItem->Click();
    EXPECT_FALSE(m->GetBars()->Items(0)->IsShortCut(16463));  // disabled items are skipped
    EXPECT_EQ(clickItem, 0);
    EXPECT_TRUE(form_->Clicks.empty());

    // An exception in OnClick reaches the application's handler and not the caller.
    std::vector<std::string> handled;
    Application->OnException = [&](TObject*, const std::exception& e) { handled.push_back(e.what()); };
    EXPECT_NO_THROW(form_->FileSaveItem->Click());
    Application->OnException = nullptr;
    EXPECT_EQ(handled, (Names{"Disk full"}));
    EXPECT_EQ(clickItem, 1);
}

TEST_F(MainWindowBars, CaptionKeepsItsHintInStepAndCustomizingEnablesCategorisedItems) {
    TubBarItem* import = form_->FileImportFrom;
    import->SetCaption("&Import From XP File");
    EXPECT_EQ(import->Hint, "Import From XP File");
    TubBarItem* exit = Item("FileExitItem");
    exit->SetCaption("E&xit Now");  // a hint of its own stays
    EXPECT_EQ(exit->Hint, "Exit the application");
    form_->File1->SetCaption("&Files");  // menus never touch their hint
    EXPECT_EQ(form_->File1->Hint, "File related commands");

    auto* internal = new TubBarButton(form_);
    internal->SetEnabled(false);
    import->SetEnabled(false);
    form_->Manager->SetCustomizing(true);
    EXPECT_TRUE(import->GetEnabled());
    EXPECT_FALSE(internal->GetEnabled());
    form_->Manager->SetCustomizing(false);
    EXPECT_FALSE(import->GetEnabled());
}

}  // namespace
}  // namespace zel::test
