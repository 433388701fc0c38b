// The name dialog: its captions by kind and mode, OK only with a name, a toolbar name another bar has refused
// with its message while the dialog stays open.
#include "CustFormSupport.h"

namespace zel::test {
namespace {

using NameDialog = CustFormTest;

TEST_F(NameDialog, EdgeCasesOfTheNameAsked) {
    const struct {
        const char* name;
        int kind, mode;
        int bar;  // the bar renamed, -1 for none
        std::string typed;
        bool accepted;
        const char* caption;
        const char* label;
    } rows[] = {
        {"a toolbar renamed to its own caption", 0, 1, 1, "ToolBar", true, "Rename Toolbar", "&Toolbar name:"},
        {"a new toolbar with a free name", 0, 0, -1, "Tools 2", true, "Add Toolbar", "&Toolbar name:"},
        {"a category name that exists already", 1, 0, -1, "File", true, "Add Category", "&Category name:"},
        {"a category inserted", 1, 1, -1, "Sounds", true, "Insert Category", "&Category name:"},
        {"a category renamed", 1, 2, -1, "Sounds", true, "Rename Category", "&Category name:"},
        {"an empty name", 0, 0, -1, "", false, "Add Toolbar", "&Toolbar name:"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::string name = "start";
        bool okEnabled = false;
        bool result = true;
        WhileModal(
            [&] {
                auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
                ASSERT_NE(dialog, nullptr);
                EXPECT_EQ(dialog->Caption(), r.caption);
                EXPECT_EQ(dialog->LName->Caption(), r.label);
                EXPECT_EQ(dialog->EName->GetText(), "start");
                EXPECT_EQ(dialog->GetActiveControl(), dialog->EName);
                dialog->EName->SetText(r.typed);
                okEnabled = dialog->BOK->GetEnabled();
                (okEnabled ? dialog->BOK : dialog->BCancel)->Click();
            },
            [&] { result = AskBarOrCategoryName(name, r.kind, r.mode, r.bar < 0 ? nullptr : Bar(r.bar), Manager); });
        EXPECT_EQ(okEnabled, r.accepted);
        EXPECT_EQ(result, r.accepted);
        EXPECT_EQ(name, r.accepted ? r.typed : std::string("start"));
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(NameDialog, ADuplicateToolbarNameIsRefusedWithItsMessageAndTheDialogStaysOpen) {
    std::string name = "Custom 2";
    int tries = 0;
    bool stayedOpen = false;
    bool result = false;
    // Idle runs after each answer: the first time the duplicate is confirmed, the next time another name.
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        auto* dialog = dynamic_cast<TubBarNameEd*>(Screen->ActiveForm());
        if (dialog == nullptr || tries >= 2) return;
        if (tries++ == 0) {
            dialog->EName->SetText("ToolBar");
            dialog->BOK->Click();
            return;
        }
        stayedOpen = dialog->GetVisible() && dialog->ModalResult == mrNone;
        dialog->EName->SetText("Tools");
        dialog->BOK->Click();
    };
    result = AskBarOrCategoryName(name, 0, 0, nullptr, Manager);
    Application->OnIdle = nullptr;
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "A toolbar named 'ToolBar' already exists. Type another name.");
    EXPECT_EQ(Boxes[0].Caption, Application->Title);
    EXPECT_EQ(Boxes[0].Flags & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(result);
    EXPECT_EQ(name, "Tools");
}

}  // namespace
}  // namespace zel::test
