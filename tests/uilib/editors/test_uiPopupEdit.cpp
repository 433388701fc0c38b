// The popup edit on a shown form: a panel lent to its popup and given back, an empty control, a freed control,
// the circular cases, and the panel's parent freed while the popup is open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiDropDownEdit.h"

namespace zel::test {
namespace {

class PopupEdit : public EditorErrorsTest {
protected:
    // A form with the popup edit at (10, 10), a box at (10, 40) holding a hidden panel at (5, 6) of 120 x 90
    // with an EDIT inside, and a plain EDIT to take the focus.
    void NewForm() {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 400, 200);
        edit = Construct<TuiPopupEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 150, 21);
        edit->TabOrder = 0;
        box = new TPanel(form);
        box->SetParent(form);
        box->SetBounds(200, 40, 180, 140);
        panel = new TPanel(form);
        panel->SetParent(box);
        panel->SetBounds(5, 6, 120, 90);
        panel->SetAlign(alNone);
        panel->SetVisible(false);
        inner = new TEdit(form);
        inner->SetParent(panel);
        inner->SetBounds(4, 4, 80, 22);
        inner->TabStop = true;
        after = NewEditAfter(form, 100);
        form->Show();
        ProcessPendingMessages();
        after->SetFocus();
        ProcessPendingMessages();
    }
    bool Open() const { return edit->GetDroppedDown(); }
    // The editor focused (which opens its popup) and what that posted served.
    void FocusEditor() {
        edit->SetFocus();
        ProcessPendingMessages();
        ProcessPendingMessages();
    }

    TEditorGalleryForm* form = nullptr;
    TuiPopupEdit* edit = nullptr;
    TPanel* box = nullptr;
    TPanel* panel = nullptr;
    TEdit* inner = nullptr;
    TEdit* after = nullptr;
};

TEST_F(PopupEdit, ALentPanelComesBackToItsParentPlaceAndVisibility) {
    NewForm();
    edit->Properties()->SetPopupControl(panel);
    EXPECT_EQ(edit->Properties()->GetPopupWidth(), 250);
    EXPECT_EQ(edit->Properties()->GetPopupMinHeight(), 100);
    FocusEditor();
    ASSERT_TRUE(Open()) << "focusing opens it";
    EXPECT_EQ(panel->GetParent(), edit->PopupWindow());
    EXPECT_TRUE(panel->GetVisible());
    EXPECT_EQ(panel->GetAlign(), alClient);
    EXPECT_EQ(panel->BoundsRect(), edit->PopupWindow()->PopupViewInfo()->ClientRect);
    EXPECT_EQ(GetFocus(), inner->GetHandle()) << "the popup takes the focus to the panel";
    // Typing goes to the panel's EDIT.
    Tap('Q');
    EXPECT_EQ(inner->GetText(), "q");
    Tap(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(edit->CloseUpReason, crCancel);
    EXPECT_EQ(panel->GetParent(), box);
    EXPECT_EQ(panel->BoundsRect(), (TRect{5, 6, 125, 96}));
    EXPECT_EQ(panel->GetAlign(), alNone);
    EXPECT_FALSE(panel->GetVisible());
    EXPECT_EQ(edit->BorrowedControl(), nullptr);

    // A visible panel comes back visible; closing from the program gives its reason.
    panel->SetVisible(true);
    after->SetFocus();
    ProcessPendingMessages();
    FocusEditor();
    ASSERT_TRUE(Open());
    edit->ClosePopup(crEnter);
    EXPECT_EQ(edit->CloseUpReason, crEnter);
    EXPECT_EQ(panel->GetParent(), box);
    EXPECT_TRUE(panel->GetVisible());
    EXPECT_TRUE(errors.empty());
}

TEST_F(PopupEdit, WithoutAControlNothingOpensAndAFreedControlEmptiesTheSetting) {
    NewForm();
    FocusEditor();
    Tap(VK_F4);
    EXPECT_FALSE(Open());
    edit->Properties()->SetPopupControl(panel);
    TuiPopupEditProperties copy(nullptr);
    copy.Assign(edit->Properties());
    EXPECT_EQ(copy.GetPopupControl(), panel);
    delete panel;
    panel = nullptr;
    EXPECT_EQ(edit->Properties()->GetPopupControl(), nullptr);
    EXPECT_EQ(copy.GetPopupControl(), nullptr) << "every setting that names it";
    Tap(VK_F4);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(errors.empty());
}

TEST_F(PopupEdit, ACircularControlIsRefused) {
    NewForm();
    const std::vector<std::pair<const char*, TControl*>> rows = {
        {"the editor", edit}, {"its form", form}, {"its popup", edit->PopupWindow()}};
    for (const auto& [name, control] : rows) {
        errors.clear();
        edit->Properties()->SetPopupControl(control);
        FocusEditor();
        EXPECT_FALSE(Open()) << name;
        EXPECT_EQ(errors, (std::vector<std::string>{"Circular referencing is not allowed"})) << name;
        EXPECT_FALSE(edit->PopupInitialized) << name;
        after->SetFocus();
        ProcessPendingMessages();
    }
    edit->Properties()->SetPopupControl(nullptr);
}

TEST_F(PopupEdit, AParentFreedWhileOpenLeavesThePanelHiddenOnNoParent) {
    NewForm();
    // The panel belongs to the form, its parent is the box: freeing the box does not free the panel.
    edit->Properties()->SetPopupControl(panel);
    panel->SetVisible(true);
    FocusEditor();
    ASSERT_TRUE(Open());
    delete box;
    box = nullptr;
    Tap(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(panel->GetParent(), nullptr);
    EXPECT_FALSE(panel->GetVisible());
    // It can be lent again.
    after->SetFocus();
    ProcessPendingMessages();
    FocusEditor();
    EXPECT_TRUE(Open());
    EXPECT_EQ(panel->GetParent(), edit->PopupWindow());
    Tap(VK_ESCAPE);
    EXPECT_EQ(panel->GetParent(), nullptr);
}

TEST_F(PopupEdit, APanelWithNothingToFocusTakesTypedCharactersWithoutHarm) {
    NewForm();
    delete inner;
    inner = nullptr;
    edit->Properties()->SetPopupControl(panel);
    FocusEditor();
    ASSERT_TRUE(Open());
    ASSERT_EQ(GetFocus(), edit->PopupWindow()->GetHandle()) << "the popup holds the focus itself";
    Tap('A');
    Tap('B');
    EXPECT_TRUE(Open());
    Tap(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(edit->CloseUpReason, crCancel);
    EXPECT_EQ(GetFocus(), edit->InnerEdit()->GetHandle()) << "the editor has the focus back";
    EXPECT_TRUE(errors.empty());
}

TEST_F(PopupEdit, TheEditorFreedWhileOpenGivesThePanelBack) {
    NewForm();
    edit->Properties()->SetPopupControl(panel);
    FocusEditor();
    ASSERT_TRUE(Open());
    delete edit;
    edit = nullptr;
    ProcessPendingMessages();
    EXPECT_EQ(panel->GetParent(), box);
    EXPECT_FALSE(panel->GetVisible());
}

}  // namespace
}  // namespace zel::test
