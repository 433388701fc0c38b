// The design-mode dialogs with the test designer: the new-item dialog (lists, proposed names, the item OK
// makes, a refused name keeping the dialog open), the add-group-items dialog (its rows, what OK hands back)
// and the sub-menu editor (its menu window kept right below it). None of them touches a manager, group, item
// or link that was freed while it was open.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BarsTestSupport.h"
#include "TestDesigner.h"
#include "platform/vcl/Dialogs.h"
#include "uilib/bars/ubBarAddGroupItemsEd.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarItemEd.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarPopupMenuEd.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSubMenuControl.h"

namespace zel::test {
namespace {

class ubBarDesignDialogsTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        oldBoxes_ = SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            Boxes.push_back(r);
            return IDOK;
        });
        form = Construct<TTestForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
        form->SetDesigning(true);
        manager = new TubBarManager(form);
        manager->SetName("Bars");
        manager->GetCategories()->Add("File");
        manager->GetCategories()->Add("Help");
    }
    void TearDown() override {
        Application->OnIdle = nullptr;
        CloseSubMenuEditor();
        delete form;
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
    // Runs the steps, one per idle turn of the modal loop that the call opens.
    void WhileModal(std::vector<std::function<void()>> Steps) {
        std::size_t next = 0;
        Application->OnIdle = [this, Steps = std::move(Steps), next](TObject*, bool& Done) mutable {
            Done = false;
            if (next < Steps.size()) Steps[next++]();
        };
    }
    static TCustomForm* ModalForm() { return dynamic_cast<TCustomForm*>(Screen->ActiveForm()); }

    TTestDesigner designer;
    TTestForm* form = nullptr;
    TubBarManager* manager = nullptr;
    std::vector<TMessageBoxRequest> Boxes;

private:
    TMessageBoxAnswerer oldBoxes_;
};

// ---- new-item dialog -------------------------------------------------------------------------------------

TEST_F(ubBarDesignDialogsTest, NewItemDialogListsAndChoosesTheCategory) {
    struct Row {
        const char* Case;
        int Given;
        int Chosen;
    } const rows[] = {{"negative", -1, 0}, {"inside", 2, 2}, {"beyond the last", 3, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        std::unique_ptr<TubBarItemAddEditor> dialog(Construct<TubBarItemAddEditor>(nullptr));
        dialog->Prepare(manager, row.Given);
        EXPECT_EQ(dialog->Caption(), "Add New UIBars Item");
        EXPECT_EQ(dialog->ComboBox2->Items()->GetText(), "Default\r\nFile\r\nHelp\r\n");
        EXPECT_EQ(dialog->ComboBox2->GetItemIndex(), row.Chosen);
        // The offered item classes by name, the first chosen and named by the designer.
        ASSERT_EQ(dialog->ComboBox1->Items()->GetCount(), OfferedItemClassCount());
        EXPECT_EQ(dialog->ComboBox1->Items()->Get(0), "TubBarButton");
        EXPECT_EQ(dialog->ComboBox1->GetItemIndex(), 0);
        EXPECT_EQ(dialog->Edit1->GetText(), "ubBarButton1");
        EXPECT_EQ(dialog->Edit2->GetText(), "New Item");
    }
}

TEST_F(ubBarDesignDialogsTest, NewItemDialogMakesTheChosenItem) {
    Item<TubBarButton>("ubBarEdit1", 0, "Taken");
    const int components = form->ComponentCount();
    const int modifications = designer.Modifications;
    TubBarItemAddEditor* dialog = nullptr;
    WhileModal({
        [&] {
            dialog = dynamic_cast<TubBarItemAddEditor*>(ModalForm());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->GetActiveControl(), dialog->Edit1);
            EXPECT_TRUE(SaveWindowImage(dialog->GetHandle(), ScreenshotPath("bars_design_new_item")));
            // Another type: the proposal follows it, past the name the form holds.
            dialog->ComboBox1->SetFocus();
            Tap(VK_DOWN);
            EXPECT_EQ(dialog->ComboBox1->GetText(), "TubBarEdit");
            EXPECT_EQ(dialog->Edit1->GetText(), "ubBarEdit2");
            dialog->Edit2->SetText("Find");
            ClickAt(dialog->BOk, TPoint(10, 10));
        },
    });
    TubBarItem* item = AddNewItem(manager, 1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->ClassName(), "TubBarEdit");
    EXPECT_EQ(item->GetName(), "ubBarEdit2");
    EXPECT_EQ(item->GetCaption(), "Find");
    EXPECT_EQ(item->GetCategory(), 1);
    EXPECT_EQ(item->GetOwner(), form);
    EXPECT_EQ(form->ComponentCount(), components + 1);
    EXPECT_GE(designer.Modifications, modifications + 1);
}

TEST_F(ubBarDesignDialogsTest, NewItemDialogStaysOpenOnARefusedName) {
    Item<TubBarButton>("Open", 1, "&Open");
    const int components = form->ComponentCount();
    TubBarItemAddEditor* dialog = nullptr;
    bool stillOpen = false;
    WhileModal({
        [&] {
            dialog = dynamic_cast<TubBarItemAddEditor*>(ModalForm());
            ASSERT_NE(dialog, nullptr);
            dialog->Edit1->SetText("open");
            ClickAt(dialog->BOk, TPoint(10, 10));
        },
        [&] {
            // The refused item is gone, a fresh name is proposed, and the dialog waits.
            stillOpen = dialog->GetVisible() && dialog->ModalResult == mrNone;
            EXPECT_EQ(form->ComponentCount(), components);
            EXPECT_EQ(dialog->Edit1->GetText(), "ubBarButton1");
            ClickAt(dialog->BCancel, TPoint(10, 10));
        },
    });
    EXPECT_EQ(AddNewItem(manager, 0), nullptr);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(Boxes.size(), 1U);
    EXPECT_NE(Boxes[0].Text.find("open"), std::string::npos) << Boxes[0].Text;
    EXPECT_EQ(form->ComponentCount(), components);
}

TEST_F(ubBarDesignDialogsTest, NewItemDialogEndsWhenTheManagerGoes) {
    WhileModal({[&] {
        delete form;
        form = nullptr;
    }});
    EXPECT_EQ(AddNewItem(manager, 0), nullptr);
    manager = nullptr;
}

// ---- add-group-items dialog ----------------------------------------------------------------------------

class ubBarAddGroupItemsTest : public ubBarDesignDialogsTest {
protected:
    void SetUp() override {
        ubBarDesignDialogsTest::SetUp();
        open = Item<TubBarButton>("OpenCmd", 1, "Open");
        save = Item<TubBarButton>("SaveCmd", 1, "Save");
        about = Item<TubBarButton>("AboutCmd", 2, "About");
        group = manager->AddGroup();
        group->SetName("Files");
        group->Add(open);
    }
    static std::vector<std::string> Rows(TfrmAddGroupItems* ADialog) {
        std::vector<std::string> rows;
        for (int i = 0; i < ADialog->lbGroupItems->Items()->GetCount(); ++i)
            rows.push_back(ADialog->lbGroupItems->Items()->Get(i));
        return rows;
    }
    TubBarButton* open = nullptr;
    TubBarButton* save = nullptr;
    TubBarButton* about = nullptr;
    TubBarGroup* group = nullptr;
};

TEST_F(ubBarAddGroupItemsTest, RowsListOtherGroupsThenTheItemsOfEachCategory) {
    std::unique_ptr<TfrmAddGroupItems> dialog(Construct<TfrmAddGroupItems>(nullptr));
    dialog->Prepare(group);
    // One group only: no group heading; the empty "Default" category leaves no heading either.
    EXPECT_EQ(Rows(dialog.get()), (std::vector<std::string>{"~File", "   Open", "   Save", "~Help", "   About"}));
    EXPECT_EQ(dialog->lbGroupItems->Items()->GetObject(1), open);

    TubBarGroup* tools = manager->AddGroup();
    tools->SetName("Tools");
    dialog->Prepare(group);
    EXPECT_EQ(Rows(dialog.get()), (std::vector<std::string>{"~< Groups >", "   Tools", "~File", "   Open", "   Save",
                                                            "~Help", "   About"}));
    EXPECT_EQ(dialog->lbGroupItems->Items()->GetObject(1), tools);
}

TEST_F(ubBarAddGroupItemsTest, OkHandsBackTheSelectedGroupsAndItems) {
    TubBarGroup* tools = manager->AddGroup();
    tools->SetName("Tools");
    TListOf<TComponent> chosen;
    WhileModal({
        [&] {
            auto* dialog = dynamic_cast<TfrmAddGroupItems*>(ModalForm());
            ASSERT_NE(dialog, nullptr);
            TListBox* list = dialog->lbGroupItems;
            EXPECT_EQ(list->GetItemHeight(), dialog->RowHeight());
            // Tools, then Ctrl with the "Help" heading and Save: the heading brings nothing.
            auto clickRow = [&](int Row, WORD Modifier) {
                const TRect r = list->ItemRect(Row);
                const TPoint at = OnScreen(list, r.left + 5, (r.top + r.bottom) / 2);
                SetCursorPos(at.x, at.y);
                if (Modifier != 0) keybd_event(static_cast<BYTE>(Modifier), 0, 0, 0);
                ProcessPendingMessages();
                mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
                mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
                ProcessPendingMessages();
                if (Modifier != 0) keybd_event(static_cast<BYTE>(Modifier), 0, KEYEVENTF_KEYUP, 0);
                ProcessPendingMessages();
            };
            clickRow(1, 0);
            clickRow(5, VK_CONTROL);
            clickRow(4, VK_CONTROL);
            EXPECT_EQ(list->SelCount(), 3);
            // Headings are drawn on the button face; below the last row the button face continues.
            auto pixel = [&](int X, int Y) {
                RECT window{};
                GetWindowRect(list->GetHandle(), &window);
                const TPoint at = OnScreen(list, X, Y);
                return ComposedPixel(list->GetHandle(), at.x - window.left, at.y - window.top);
            };
            const TRect heading = list->ItemRect(0);
            EXPECT_EQ(pixel(heading.right - 3, heading.top + 1), ColorToRGB(clBtnFace));
            EXPECT_EQ(pixel(10, list->ClientHeight() - 3), ColorToRGB(clBtnFace));
            // A selected row is on the highlight; a member of the group stays on the window colour.
            const TRect selected = list->ItemRect(1);
            EXPECT_EQ(pixel(selected.right - 3, selected.top + 1), ColorToRGB(clHighlight));
            const TRect member = list->ItemRect(3);
            EXPECT_EQ(pixel(member.right - 3, member.top + 1), ColorToRGB(clWindow));
            EXPECT_TRUE(SaveWindowImage(dialog->GetHandle(), ScreenshotPath("bars_design_add_group_items")));
            ClickAt(dialog->btnOk, TPoint(10, 10));
        },
    });
    ASSERT_TRUE(AddGroupItems(group, chosen));
    ASSERT_EQ(chosen.Count(), 2);
    EXPECT_EQ(chosen[0], tools);
    EXPECT_EQ(chosen[1], save);
}

TEST_F(ubBarAddGroupItemsTest, WhatIsFreedMeanwhileIsNeitherListedNorHandedBack) {
    TListOf<TComponent> chosen;
    WhileModal({
        [&] {
            auto* dialog = dynamic_cast<TfrmAddGroupItems*>(ModalForm());
            ASSERT_NE(dialog, nullptr);
            dialog->lbGroupItems->SetSelected(2, true);  // Save
            dialog->lbGroupItems->SetSelected(4, true);  // About
            delete save;
            save = nullptr;
            EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"~File", "   Open", "~Help", "   About"}));
            ClickAt(dialog->btnOk, TPoint(10, 10));
        },
    });
    ASSERT_TRUE(AddGroupItems(group, chosen));
    ASSERT_EQ(chosen.Count(), 1);
    EXPECT_EQ(chosen[0], about);

    // The group itself freed: the dialog ends as cancelled.
    WhileModal({[&] {
        delete group;
        group = nullptr;
    }});
    TListOf<TComponent> none;
    EXPECT_FALSE(AddGroupItems(group, none));
    EXPECT_EQ(none.Count(), 0);
}

// ---- sub-menu editor -------------------------------------------------------------------------------------

class ubBarSubMenuEditorTest : public ubBarDesignDialogsTest {
protected:
    void SetUp() override {
        ubBarDesignDialogsTest::SetUp();
        form->Show();
        sub = Item<TubBarSubItem>("EditMenu", 1, "&Edit");
        const std::pair<const char*, const char*> commands[] = {
            {"CutCmd", "Cu&t"}, {"CopyCmd", "&Copy"}, {"PasteCmd", "&Paste"}};
        for (const auto& [name, caption] : commands)
            sub->GetItemLinks()->Add()->SetItem(Item<TubBarButton>(name, 1, caption));
        ProcessPendingMessages();
    }
    // The editor's window rectangle and the menu window's.
    static RECT WindowRectOf(TWinControl* AControl) {
        RECT r{};
        GetWindowRect(AControl->GetHandle(), &r);
        return r;
    }
    TubBarSubItem* sub = nullptr;
};

TEST_F(ubBarSubMenuEditorTest, KeepsItsMenuWindowRightBelowItself) {
    EditSubMenu(sub->GetItemLinks());
    ProcessPendingMessages();
    TubBarSubMenuEditor* editor = SubMenuEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(manager->GetCustomizing());
    EXPECT_EQ(editor->Caption(), "UIBars SubMenu Editor");
    EXPECT_EQ(editor->ClientHeight(), 0);
    SetActiveWindow(editor->GetHandle());
    ProcessPendingMessages();
    TubBarSubMenuControl* menu = editor->MenuWindow();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetItemLinks(), sub->GetItemLinks());
    ASSERT_TRUE(IsWindowVisible(menu->GetHandle()));
    auto expectBelow = [&](const char* ACase) {
        SCOPED_TRACE(ACase);
        const RECT e = WindowRectOf(editor), m = WindowRectOf(menu);
        EXPECT_EQ(m.left, e.left);
        EXPECT_EQ(m.top, e.bottom);
        EXPECT_EQ(e.right - e.left, m.right - m.left);
    };
    expectBelow("opened");

    // Dragged by its caption through the input queue (queued whole: the move loop takes it), the menu window
    // follows.
    const RECT before = WindowRectOf(editor);
    SetCursorPos(before.left + 20, before.top + 5);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    for (int step = 1; step <= 4; ++step) SetCursorPos(before.left + 20 + 15 * step, before.top + 5 + 10 * step);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(WindowRectOf(editor).left, before.left + 60);
    expectBelow("dragged");
    // Moved by the program.
    editor->SetBounds(editor->GetLeft() - 40, editor->GetTop() + 30, editor->GetWidth(), editor->GetHeight());
    ProcessPendingMessages();
    expectBelow("moved");
    // It cannot be sized: its tracking size is fixed.
    MINMAXINFO info{};
    SendMessage(editor->GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, menu->GetWidth());
    EXPECT_EQ(info.ptMaxTrackSize.x, menu->GetWidth());
    EXPECT_EQ(info.ptMinTrackSize.y, info.ptMaxTrackSize.y);
    RECT both = WindowRectOf(editor);
    both.bottom = WindowRectOf(menu).bottom;
    EXPECT_TRUE(SaveScreenImage(both, ScreenshotPath("bars_design_submenu_editor")));

    // Its close button closes the menu window and the editor.
    SendMessage(editor->GetHandle(), WM_NCLBUTTONDOWN, HTCLOSE, 0);
    SendMessage(editor->GetHandle(), WM_NCLBUTTONUP, HTCLOSE, 0);
    ProcessPendingMessages();
    EXPECT_EQ(SubMenuEditor(), nullptr);
    EXPECT_EQ(sub->GetItemLinks()->BarControl, nullptr);
}

TEST_F(ubBarSubMenuEditorTest, EndsWhenItsSubItemGoes) {
    EditSubMenu(sub->GetItemLinks());
    ProcessPendingMessages();
    SetActiveWindow(SubMenuEditor()->GetHandle());
    ProcessPendingMessages();
    ASSERT_NE(SubMenuEditor()->MenuWindow(), nullptr);
    delete sub;
    sub = nullptr;
    ProcessPendingMessages();
    EXPECT_EQ(SubMenuEditor(), nullptr);
    // Binding to no links ends it too.
    auto* other = Item<TubBarSubItem>("ViewMenu", 1, "&View");
    EditSubMenu(other->GetItemLinks());
    ASSERT_NE(SubMenuEditor(), nullptr);
    SubMenuEditor()->SetItemLinks(nullptr);
    ProcessPendingMessages();
    EXPECT_EQ(SubMenuEditor(), nullptr);
}

}  // namespace
}  // namespace zel::test
