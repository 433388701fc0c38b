// The customizing form of a manager in design mode, with the test designer: the states of the category and
// command popup entries, the category and command commands, the "All commands" columns and the "Groups"
// page's add, delete and move.
#include <functional>
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "TestDesigner.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Menus.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarItemEd.h"
#include "uilib/bars/ubBarNameEd.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarPopupMenuEd.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSubMenuControl.h"

namespace zel::test {
namespace {

class ubBarCustFormDesignTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        oldBoxes_ = SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            Boxes.push_back(r);
            return BoxAnswer;
        });
        form = NewForm();
        form->SetBounds(100, 100, 500, 300);
        form->SetDesigning(true);
        manager = new TubBarManager(form);
        manager->SetStyle(bmsOffice11);
        manager->GetCategories()->Add("File");
        manager->GetCategories()->Add("Help");
        open = Item<TubBarButton>("OpenCmd", 1, "&Open");
        open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
        save = Item<TubBarButton>("SaveCmd", 1, "&Save");
        recent = Item<TubBarSubItem>("RecentMenu", 1, "&Recent");
        about = Item<TubBarButton>("AboutCmd", 2, "&About");
        form->Show();
        manager->SetCustomizing(true);
        ProcessPendingMessages();
        F = GetCustomizingForm();
        ASSERT_NE(F, nullptr);
    }
    void TearDown() override {
        Application->OnIdle = nullptr;
        manager->SetCustomizing(false);
        ProcessPendingMessages();
        SetMessageBoxAnswerer(std::move(oldBoxes_));
        BarsTest::TearDown();
    }
    template <class T>
    T* Item(const std::string& Name, int Category, const std::string& Caption) {
        auto* item = new T(form);
        item->SetName(Name);
        item->SetCategory(Category);
        item->SetCaption(Caption);
        return item;
    }
    // Selects the category's row (an index in the manager's categories) and a command row.
    void Select(int Category, int Command) {
        F->LCategories->SetItemIndex(F->RowOfCategory(Category));
        F->RefreshCommands();
        F->LCommands->SetItemIndex(Command);
        F->UpdatePopupStates();
    }
    // A press and release queued together at a screen point: a press that opens a modal menu, or that watches
    // for a drag, finds its release waiting.
    static void QueuedClick(TPoint At, bool Right = false) {
        SetCursorPos(At.x, At.y);
        ProcessPendingMessages();
        mouse_event(Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    // Esc queued for the loop that runs next (a menu's or a drag's).
    static void QueueEscape() {
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    }
    std::vector<std::string> Rows(TCustomListBox* List) const {
        std::vector<std::string> rows;
        for (int i = 0; i < List->Items()->Count(); ++i) rows.push_back(List->Items()->Get(i));
        return rows;
    }
    // Answers the name dialog that the action opens with the text.
    void WithName(const std::string& Name, const std::function<void()>& Action) {
        bool done = false;
        Application->OnIdle = [&](TObject*, bool& Done) {
            Done = false;
            if (done) return;
            auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
            if (dialog == nullptr) return;
            done = true;
            dialog->EName->SetText(Name);
            ClickAt(dialog->BOK, TPoint(10, 10));
        };
        Action();
        Application->OnIdle = nullptr;
        EXPECT_TRUE(done);
    }

    TTestDesigner designer;
    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    TubBarCustomizingForm* F = nullptr;
    TubBarButton* open = nullptr;
    TubBarButton* save = nullptr;
    TubBarSubItem* recent = nullptr;
    TubBarButton* about = nullptr;
    std::vector<TMessageBoxRequest> Boxes;
    int BoxAnswer = IDOK;

private:
    TMessageBoxAnswerer oldBoxes_;
};

TEST_F(ubBarCustFormDesignTest, DesignPagesAreShown) {
    EXPECT_TRUE(F->TabSheet4->GetTabVisible());
    EXPECT_TRUE(F->TabSheet5->GetTabVisible());
    EXPECT_EQ(Rows(F->LCategories), (std::vector<std::string>{"Default", "File", "Help"}));
}

TEST_F(ubBarCustFormDesignTest, PopupEntriesFollowTheSelection) {
    struct Row {
        const char* Case;
        std::function<void()> Prepare;
        int Category, Command;
        // Insert, Rename, Visible, Visible down, Items Visible, Delete | Add, Delete, Clear, Up, Down, SubMenu
        std::vector<bool> Categories, Commands;
    } const rows[] = {
        {"the first command", [] {}, 1, 0, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 1, 0}},
        {"a sub-item, the last row", [] {}, 1, 2, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1}},
        {"an undeletable item",
         [&] { designer.Undeletable.insert(save); },
         1,
         1,
         {1, 1, 1, 1, 1, 0},
         {1, 0, 0, 1, 1, 0}},
        {"a hidden, empty category",
         [&] { manager->SetVisibleOfCategory(0, false); },
         0,
         -1,
         {1, 1, 1, 0, 1, 1},
         {1, 0, 0, 0, 0, 0}},
        {"adding refused", [&] { designer.AllowAdd = false; }, 2, 0, {1, 1, 1, 1, 1, 1}, {0, 1, 1, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        row.Prepare();
        Select(row.Category, row.Command);
        const std::vector<bool> categories{F->CategoriesInsert->GetEnabled(),       F->CategoriesRename->GetEnabled(),
                                           F->CategoriesVisible->GetEnabled(),      F->CategoriesVisible->GetDown(),
                                           F->CategoriesItemsVisible->GetEnabled(), F->CategoriesDelete->GetEnabled()};
        const std::vector<bool> commands{F->CommandsAdd->GetEnabled(),      F->CommandsDelete->GetEnabled(),
                                         F->CommandsClear->GetEnabled(),    F->CommandsMoveUp->GetEnabled(),
                                         F->CommandsMoveDown->GetEnabled(), F->CommandsSubMenuEditor->GetEnabled()};
        EXPECT_EQ(categories, row.Categories);
        EXPECT_EQ(commands, row.Commands);
    }
}

TEST_F(ubBarCustFormDesignTest, CategoryCommands) {
    Select(1, 0);
    WithName("Edit", [&] { F->CategoriesAddClick(nullptr); });
    EXPECT_EQ(Rows(F->LCategories), (std::vector<std::string>{"Default", "File", "Help", "Edit"}));
    EXPECT_EQ(F->LCategories->GetItemIndex(), 3);
    // Insert before the selected category; the items keep theirs.
    Select(1, 0);
    WithName("Tools", [&] { F->CategoriesInsertClick(nullptr); });
    EXPECT_EQ(Rows(F->LCategories), (std::vector<std::string>{"Default", "Tools", "File", "Help", "Edit"}));
    EXPECT_EQ(F->LCategories->GetItemIndex(), 1);
    EXPECT_EQ(open->GetCategory(), 2);
    // Names may repeat.
    Select(1, -1);
    WithName("File", [&] { F->CategoriesRenameClick(nullptr); });
    EXPECT_EQ(manager->GetCategories()->Get(1), "File");
    EXPECT_EQ(F->LCategories->GetItemIndex(), 1);
    // Delete asks first; Cancel keeps it, OK deletes it and selects the same row.
    BoxAnswer = IDCANCEL;
    F->CategoriesDeleteClick(nullptr);
    ASSERT_EQ(Boxes.size(), 1U);
    EXPECT_EQ(Boxes[0].Text, "Are you sure you want to delete the 'File' category?");
    EXPECT_EQ(manager->GetCategories()->Count(), 5);
    BoxAnswer = IDOK;
    F->CategoriesDeleteClick(nullptr);
    EXPECT_EQ(Rows(F->LCategories), (std::vector<std::string>{"Default", "File", "Help", "Edit"}));
    EXPECT_EQ(F->LCategories->GetItemIndex(), 1);
    // Visible toggles the category's visibility.
    F->CategoriesVisibleClick(nullptr);
    EXPECT_FALSE(manager->GetVisibleOfCategory(1));
    EXPECT_FALSE(F->CategoriesVisible->GetDown());
}

TEST_F(ubBarCustFormDesignTest, CommandCommands) {
    // Move Down exchanges the item with its neighbour in the manager's order and in the list.
    Select(1, 0);
    F->CommandsMoveDownClick(nullptr);
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&Save", "&Open", "&Recent"}));
    EXPECT_EQ(F->LCommands->GetItemIndex(), 1);
    F->CommandsMoveUpClick(nullptr);
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&Open", "&Save", "&Recent"}));
    // Delete frees the item and selects the same row, or the previous one after the last.
    Select(1, 2);
    F->CommandsDeleteClick(nullptr);
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&Open", "&Save"}));
    EXPECT_EQ(F->LCommands->GetItemIndex(), 1);
    recent = nullptr;
    // Clear asks, then frees every item of the category.
    F->CommandsClearClick(nullptr);
    ASSERT_EQ(Boxes.size(), 1U);
    EXPECT_EQ(Boxes[0].Text, "Are you sure you want to delete all commands in the 'File' category?");
    EXPECT_TRUE(Rows(F->LCommands).empty());
    EXPECT_EQ(form->FindComponent("OpenCmd"), nullptr);
    open = save = nullptr;
    // Add opens the new-item dialog for the category and selects the new item.
    Select(2, 0);
    Application->OnIdle = [&](TObject*, bool& Done) {
        Done = false;
        if (auto* dialog = dynamic_cast<TubBarItemAddEditor*>(Screen->ActiveForm())) {
            dialog->Edit2->SetText("&Help Topics");
            ClickAt(dialog->BOk, TPoint(10, 10));
        }
    };
    F->CommandsAddClick(nullptr);
    Application->OnIdle = nullptr;
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&About", "&Help Topics"}));
    EXPECT_EQ(F->LCommands->GetItemIndex(), 1);
}

TEST_F(ubBarCustFormDesignTest, TheCommandListsRightClickAndKeysRunThePopupsEntries) {
    recent->SetDescription("The files opened last");
    Select(1, 0);
    F->PageControl->SetActivePage(F->TabSheet2);
    ProcessPendingMessages();
    // A click on the list focuses it.
    QueuedClick(OnScreen(F->LCommands, 30, F->LCommands->ItemRect(0).top + 5));
    ASSERT_EQ(GetFocus(), F->LCommands->GetHandle());
    // A right click on the sub-item's row selects it and opens the command popup at the click; Esc closes it.
    const TRect row = F->LCommands->ItemRect(2);
    const TPoint click = OnScreen(F->LCommands, row.left + 30, (row.top + row.bottom) / 2);
    int selectedRow = -1;
    bool subMenuEditor = false;
    F->CommandsPopupMenu->OnPopup = [&](TObject*) {
        selectedRow = F->LCommands->GetItemIndex();
        subMenuEditor = F->CommandsSubMenuEditor->GetEnabled();
        QueueEscape();
    };
    QueuedClick(click, true);
    EXPECT_EQ(selectedRow, 2);
    EXPECT_TRUE(subMenuEditor);
    EXPECT_FALSE(F->CommandsPopupMenu->IsOpen());
    EXPECT_EQ(F->DescriptionLabel->Caption(), "The files opened last");
    // The entries' keys on the focused list: Ctrl+Up moves the command, Delete deletes it.
    Tap(VK_UP, VK_CONTROL);
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&Open", "&Recent", "&Save"}));
    EXPECT_EQ(F->LCommands->GetItemIndex(), 1);
    Tap(VK_DOWN, VK_CONTROL);
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&Open", "&Save", "&Recent"}));
    designer.Undeletable.insert(recent);
    Tap(VK_DELETE);
    EXPECT_EQ(Rows(F->LCommands).size(), 3U) << "the designer refused";
    designer.Undeletable.clear();
    Tap(VK_DELETE);
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&Open", "&Save"}));
    recent = nullptr;
}

TEST_F(ubBarCustFormDesignTest, TheModifyButtonsOpenTheirPopupsBelowThemselvesAndComeUpWhenTheyClose) {
    F->PageControl->SetActivePage(F->TabSheet2);
    ProcessPendingMessages();
    TCheckableButton* button = F->CategoriesPopupButton;
    ASSERT_NE(button, nullptr);
    ASSERT_NE(F->CommandsPopupButton, nullptr);
    EXPECT_EQ(F->CategoriesPopupButtonPlace, nullptr);
    EXPECT_EQ(button->Caption(), "... modify");
    EXPECT_EQ(button->GetLeft(), F->LabelCategories->GetLeft() + F->LabelCategories->GetWidth() + 5);
    EXPECT_EQ(F->CommandsPopupButton->GetLeft(), F->LabelCommands->GetLeft() + F->LabelCommands->GetWidth() + 5);
    const TPoint centre = button->ClientToScreen(TPoint(button->GetWidth() / 2, button->GetHeight() / 2));
    const TPoint below = button->ClientToScreen(TPoint(0, button->GetHeight()));
    int popups = 0;
    bool downWhileOpen = false;
    RECT menu{};
    F->CategoriesPopupMenu->OnPopup = [&](TObject*) {
        ++popups;
        downWhileOpen = button->Down();
        GetWindowRect(F->CategoriesPopupMenu->MenuWindow()->GetHandle(), &menu);
        F->Repaint();
        EXPECT_TRUE(SaveWindowImage(F->GetHandle(), ScreenshotPath("bars_design_modify_popup")));
        QueueEscape();
    };
    QueuedClick(centre);
    EXPECT_EQ(popups, 1);
    EXPECT_TRUE(downWhileOpen);
    EXPECT_EQ(menu.left, below.x);
    EXPECT_EQ(menu.top, below.y);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(F->CategoriesPopupMenu->IsOpen());
    // The next click opens it again.
    QueuedClick(centre);
    EXPECT_EQ(popups, 2);
}

TEST_F(ubBarCustFormDesignTest, DraggingACategoryRowMovesTheCategoryAsThePointerPassesRows) {
    F->PageControl->SetActivePage(F->TabSheet2);
    ProcessPendingMessages();
    const auto rowOnScreen = [&](int Row) {
        const TRect r = F->LCategories->ItemRect(Row);
        return OnScreen(F->LCategories, 20, (r.top + r.bottom) / 2);
    };
    // "File" (row 1) is pressed and dragged past "Help" to the last row.
    const TPoint file = rowOnScreen(1), help = rowOnScreen(2);
    SetCursorPos(file.x, file.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    SetCursorPos(file.x, file.y + 3);
    ProcessPendingMessages();
    SetCursorPos(help.x, help.y);
    ProcessPendingMessages();
    SetCursorPos(help.x, help.y + 1);
    ProcessPendingMessages();
    EXPECT_EQ(Rows(F->LCategories), (std::vector<std::string>{"Default", "Help", "File"}));
    EXPECT_EQ(F->LCategories->GetItemIndex(), 2);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    // The items keep their categories; the command list still shows "File".
    EXPECT_EQ(open->GetCategory(), 2);
    EXPECT_EQ(about->GetCategory(), 1);
    EXPECT_EQ(Rows(F->LCommands), (std::vector<std::string>{"&Open", "&Save", "&Recent"}));
    EXPECT_GT(designer.Modifications, 0);
    // A click without a drag moves nothing.
    ClickAt(F->LCategories, TPoint(20, F->LCategories->ItemRect(0).top + 3));
    EXPECT_EQ(Rows(F->LCategories), (std::vector<std::string>{"Default", "Help", "File"}));
}

TEST_F(ubBarCustFormDesignTest, AllCommandsColumns) {
    EXPECT_TRUE(F->CBShowCommandsWithShortCut->GetChecked());
    // Items with a short-cut property only: the sub-item has none.
    EXPECT_EQ(Rows(F->LAllCommands), (std::vector<std::string>{"OpenCmd", "SaveCmd", "AboutCmd"}));
    F->CBShowCommandsWithShortCut->SetChecked(false);
    F->CBShowCommandsWithShortCutClick(nullptr);
    EXPECT_EQ(Rows(F->LAllCommands), (std::vector<std::string>{"OpenCmd", "SaveCmd", "RecentMenu", "AboutCmd"}));
    F->PageControl->SetActivePage(F->TabSheet4);
    F->LAllCommands->SetItemIndex(1);
    F->LAllCommandsClick(nullptr);
    ASSERT_FALSE(designer.Selected.empty());
    EXPECT_EQ(designer.Selected.back(), save);
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(F->GetHandle(), ScreenshotPath("bars_design_all_commands")));
    // The column lines: after the widest name + 10, and after that the widest caption + 20.
    TBitmap measure;
    measure.Canvas()->Font()->Assign(F->LAllCommands->Font());
    const int first = measure.Canvas()->TextWidth("RecentMenu") + 10;
    const int second = first + measure.Canvas()->TextWidth("&Recent") + 20;
    RECT window{};
    GetWindowRect(F->LAllCommands->GetHandle(), &window);
    const TRect row = F->LAllCommands->ItemRect(3);
    for (int x : {first, second}) {
        const TPoint at = OnScreen(F->LAllCommands, x, F->LAllCommands->ClientHeight() - 2);
        EXPECT_EQ(ComposedPixel(F->LAllCommands->GetHandle(), at.x - window.left, at.y - window.top),
                  ColorToRGB(clBtnShadow))
            << x;
        const TPoint in = OnScreen(F->LAllCommands, x, row.top + 1);
        EXPECT_EQ(ComposedPixel(F->LAllCommands->GetHandle(), in.x - window.left, in.y - window.top),
                  ColorToRGB(clBtnShadow))
            << x;
    }
    // The rows scroll sideways across the three columns, and a longer caption widens them.
    const auto extent = [&] {
        return static_cast<int>(SendMessage(F->LAllCommands->GetHandle(), LB_GETHORIZONTALEXTENT, 0, 0));
    };
    const int shortCut = measure.Canvas()->TextWidth(ShortCutToText(open->GetShortCut()));
    EXPECT_EQ(extent(), second + shortCut);  // the three widest texts + 30
    save->SetCaption(std::string(60, 'W'));
    CustomizingFormItemWidthsChanged();
    EXPECT_EQ(extent(), first + measure.Canvas()->TextWidth(save->GetCaption()) + shortCut + 20);
    EXPECT_GT(extent(), F->LAllCommands->ClientWidth());
    F->LAllCommands->Invalidate();
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(F->GetHandle(), ScreenshotPath("bars_design_all_commands_wide")));
}

TEST_F(ubBarCustFormDesignTest, GroupsAddDeleteAndMove) {
    F->btnGroupAddClick(nullptr);
    F->btnGroupAddClick(nullptr);
    EXPECT_EQ(Rows(F->lbGroups), (std::vector<std::string>{"ubBarGroup1", "ubBarGroup2"}));
    EXPECT_EQ(F->lbGroups->GetItemIndex(), 1);
    TubBarGroup* second = manager->Groups(1);
    for (TComponent* member : {static_cast<TComponent*>(open), static_cast<TComponent*>(save),
                               static_cast<TComponent*>(about), static_cast<TComponent*>(manager->Groups(0))})
        second->Add(member);
    F->FillGroupItems();
    EXPECT_EQ(Rows(F->lbGroupItems), (std::vector<std::string>{"OpenCmd", "SaveCmd", "AboutCmd", "ubBarGroup1"}));
    // The selected members move as a block, stopping at the ends.
    F->lbGroupItems->SetSelected(1, true);
    F->lbGroupItems->SetSelected(2, true);
    F->lbGroupItemsEnter(nullptr);
    F->btnMoveUpClick(nullptr);
    EXPECT_EQ(Rows(F->lbGroupItems), (std::vector<std::string>{"SaveCmd", "AboutCmd", "OpenCmd", "ubBarGroup1"}));
    F->btnMoveUpClick(nullptr);
    EXPECT_EQ(Rows(F->lbGroupItems), (std::vector<std::string>{"SaveCmd", "AboutCmd", "OpenCmd", "ubBarGroup1"}));
    // Delete takes the selected members out and selects the nearest member after them.
    F->btnGroupItemDeleteClick(nullptr);
    EXPECT_EQ(Rows(F->lbGroupItems), (std::vector<std::string>{"OpenCmd", "ubBarGroup1"}));
    EXPECT_TRUE(F->lbGroupItems->Selected(0));
    F->PageControl->SetActivePage(F->TabSheet5);
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(F->GetHandle(), ScreenshotPath("bars_design_groups")));
    // Groups move by one index; Delete frees the group and selects the previous row after the last.
    F->lbGroupsEnter(nullptr);
    F->btnMoveUpClick(nullptr);
    EXPECT_EQ(Rows(F->lbGroups), (std::vector<std::string>{"ubBarGroup2", "ubBarGroup1"}));
    F->lbGroups->SetItemIndex(1);
    F->btnGroupDeleteClick(nullptr);
    EXPECT_EQ(Rows(F->lbGroups), (std::vector<std::string>{"ubBarGroup2"}));
    EXPECT_EQ(F->lbGroups->GetItemIndex(), 0);
    EXPECT_EQ(Rows(F->lbGroupItems), (std::vector<std::string>{"OpenCmd"}));
}

TEST_F(ubBarCustFormDesignTest, SubMenuEditorFromTheCommandsPopupAndItsEndWithCustomizing) {
    Select(1, 2);
    ASSERT_TRUE(F->CommandsSubMenuEditor->GetEnabled());
    F->CommandsSubMenuEditorClick(nullptr);
    ProcessPendingMessages();
    ASSERT_NE(SubMenuEditor(), nullptr);
    EXPECT_EQ(SubMenuEditor()->ItemLinks(), recent->GetItemLinks());
    manager->SetCustomizing(false);
    ProcessPendingMessages();
    EXPECT_EQ(SubMenuEditor(), nullptr);
}

TEST_F(ubBarCustFormDesignTest, TheSubMenuEditorsMenuOpensUnderADragOnlyForAnItemItMayHold) {
    TubBarItemLink* inner = recent->GetItemLinks()->Add();
    inner->SetItem(save);
    EditSubMenu(recent->GetItemLinks());
    ProcessPendingMessages();
    TubBarSubMenuEditor* editor = SubMenuEditor();
    ASSERT_NE(editor, nullptr);
    RECT caption{};
    GetWindowRect(editor->GetHandle(), &caption);
    struct Row {
        const char* Case;
        TubBarItem* Dragged;
        bool Opens;
    } const rows[] = {
        {"a command", open, true},
        {"the sub-item itself", recent, false},
        {"a sub-item holding it", nullptr, false},
    };
    // A sub-item whose menu holds the edited one.
    auto* outer = Item<TubBarSubItem>("OuterMenu", 1, "O&uter");
    outer->GetItemLinks()->Add()->SetItem(recent);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        editor->CloseMenuWindow();
        ASSERT_EQ(editor->MenuWindow(), nullptr);
        // The drag passes over the editor's caption, then Esc ends it.
        SetCursorPos((caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2);
        QueueEscape();
        manager->RunItemDrag(row.Dragged != nullptr ? row.Dragged : outer, nullptr);
        ProcessPendingMessages();
        EXPECT_EQ(editor->MenuWindow() != nullptr, row.Opens);
    }
    EXPECT_EQ(recent->GetItemLinks()->Count(), 1);
}

}  // namespace
}  // namespace zel::test
