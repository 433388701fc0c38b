// The abstract editor under real input: a minimal editor with an inner EDIT, its keys (refused characters,
// clear, default button, Enter with validation, Escape, Tab), its buttons under the mouse, accelerators and
// hints, its change events and its repository item; and screenshots of its buttons in every style and look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EditButtonGallery.h"
#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/FormWriter.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/HintInfo.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Beep.h"
#include "platform/win/Messages.h"
#include "platform/win/UxTheme.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/TypeKeys.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiEditControl.h"

namespace zel::test {
namespace {

class TTestRepositoryItem : public TuiEditRepositoryItem {
public:
    explicit TTestRepositoryItem(TComponent* AOwner)
        : TuiEditRepositoryItem(AOwner, [](TPersistent* Owner) { return new TTestEditProperties(Owner); }) {}
};

// A store that may refuse what is posted to it, as a data source would.
class TLockableBinding : public TuiEditDataBinding {
public:
    using TuiEditDataBinding::TuiEditDataBinding;
    bool CanPost() const override { return Edit()->GetValueModified(); }
    void SetStoredValue(const Variant& Value) override {
        if (Locked) throw Exception("The store is locked");
        Stored.push_back(VarToStr(Value));
    }
    bool Locked = false;
    std::vector<std::string> Stored;
};

class TBoundTestEdit : public TTestEdit {
public:
    using TTestEdit::TTestEdit;
    std::string ClassName() const override { return "TBoundTestEdit"; }
    TLockableBinding* Store() const { return static_cast<TLockableBinding*>(DataBinding()); }

protected:
    TuiEditDataBinding* CreateDataBinding() override { return new TLockableBinding(this); }
};

// A test editor that measures its text: the line height of its EDIT and the width of the text shown.
class TSizedTestEdit : public TTestEdit {
public:
    using TTestEdit::TTestEdit;
    std::string ClassName() const override { return "TSizedTestEdit"; }
    bool KeepRightEdge = false;

protected:
    TSize TextContentSize() override {
        if (Inner() == nullptr) return TSize{0, 0};
        Canvas()->Font()->Assign(Inner()->Font());
        return TSize{Canvas()->TextWidth(GetDisplayText()), Canvas()->TextHeight("Zg")};
    }
    bool KeepRightEdgeOnAutoSize() override { return KeepRightEdge; }
};

// A test editor that tells when its buttons go down and up.
class TReportingTestEdit : public TTestEdit {
public:
    using TTestEdit::TTestEdit;
    std::string ClassName() const override { return "TReportingTestEdit"; }
    std::vector<std::string> Log;

protected:
    void ButtonDown(int AIndex) override { Log.push_back("down " + std::to_string(AIndex)); }
    void ButtonUp(int AIndex) override { Log.push_back("up " + std::to_string(AIndex)); }
};

class EditControl : public EditorErrorsTest {
protected:
    void Noted(const std::exception& E) override {
        errorClasses.push_back(dynamic_cast<const EuiEditValidationError*>(&E) != nullptr);
    }
    // A form with one editor (reading "abc", one ellipsis button) and a plain EDIT after it.
    template <class E = TTestEdit>
    E* NewForm(const std::string& AText = "abc") {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        auto* made = Construct<E>(form);
        edit = made;
        edit->SetParent(form);
        edit->SetBounds(10, 10, 121, 21);
        edit->TabOrder = 0;
        edit->Properties()->Buttons()->Add()->SetKind(bkEllipsis);
        edit->SetEditValue(Variant(AText));
        after = NewEditAfter(form);
        form->Show();
        ProcessPendingMessages();
        edit->SetFocus();
        ProcessPendingMessages();
        return made;
    }
    // An empty shown form for in-place editors.
    void NewHost() {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        form->Show();
        ProcessPendingMessages();
    }
    TPoint ButtonCentre(int AIndex) {
        for (const auto& info : edit->EditViewInfo()->ButtonsInfo)
            if (info.ButtonIndex == AIndex)
                return TPoint{(info.Bounds.left + info.Bounds.right) / 2, (info.Bounds.top + info.Bounds.bottom) / 2};
        ADD_FAILURE() << "no button " << AIndex;
        return TPoint{0, 0};
    }

    TEditorGalleryForm* form = nullptr;
    TTestEdit* edit = nullptr;
    TEdit* after = nullptr;
    std::vector<bool> errorClasses;
};

TEST_F(EditControl, TheBaseBindingIsTheEditorItself) {
    NewForm("abc");
    TuiEditDataBinding* binding = edit->DataBinding();
    EXPECT_EQ(edit->Properties()->GetDefaultValuesProvider(), binding->DefaultValuesProvider());
    EXPECT_TRUE(binding->IsDataAvailable());
    EXPECT_TRUE(edit->Properties()->IsEditValueModifiable()) << "never read-only because of its binding";
    EXPECT_FALSE(binding->CanPost());
    EXPECT_TRUE(binding->IsIdle());
    Tap(VK_END);
    TypeKeys("d");
    EXPECT_TRUE(binding->CanPost()) << "once modified it can post";
    EXPECT_FALSE(binding->IsIdle());
    EXPECT_EQ(VarToStr(binding->GetDisplayValue()), "abcd");
    EXPECT_EQ(VarToStr(binding->GetStoredValue()), "abc");
}

TEST_F(EditControl, RefusedCharacterBeepsAndInsertsNothing) {
    NewForm("");
    ASSERT_EQ(GetFocus(), edit->Inner()->GetHandle());
    TypeKeys("ab");
    EXPECT_EQ(edit->GetDisplayText(), "ab");
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(edit->GetModifiedSinceEnter());
    TypeKeys("x");
    EXPECT_EQ(edit->GetDisplayText(), "ab");
    EXPECT_EQ(beeps, 1);
}

TEST_F(EditControl, ClearKeyEmptiesTheValue) {
    NewForm();
    edit->Properties()->SetClearKey(ShortCut(VK_DELETE, TShiftState{ssCtrl}));
    Tap(VK_DELETE, VK_CONTROL);
    EXPECT_TRUE(VarIsNull(edit->GetEditValue()));
    EXPECT_EQ(edit->GetDisplayText(), "");
}

TEST_F(EditControl, CtrlEnterClicksTheDefaultButtonAndEatsItsCharacter) {
    NewForm();
    TuiEditButton* second = edit->Properties()->Buttons()->Add();
    second->SetDefault(true);
    std::vector<int> clicks;
    edit->Properties()->OnEditButtonClick = [&](TObject*, int AIndex) { clicks.push_back(AIndex); };
    int chars = 0;
    auto saved = edit->Inner()->WindowProc;
    edit->Inner()->WindowProc = [&](TMessage& M) {
        if (M.Msg == WM_CHAR) ++chars;
        saved(M);
    };
    Tap(VK_RETURN, VK_CONTROL);
    EXPECT_EQ(clicks, std::vector<int>{1});
    EXPECT_EQ(chars, 0) << "the pending character never arrives";
    EXPECT_EQ(edit->GetDisplayText(), "abc");
    edit->Inner()->WindowProc = saved;
}

TEST_F(EditControl, EnterValidatesAndAnInvalidValueKeepsTheTyping) {
    NewForm("ok");
    edit->Properties()->SetValidateOnEnter(true);
    edit->Properties()->OnValidate = [](TObject*, Variant& Value, std::string&, bool& Error) {
        Error = VarToStr(Value) == "okb";
    };
    Tap(VK_END);
    TypeKeys("b");
    Tap(VK_RETURN);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errorClasses[0]);
    EXPECT_EQ(errors[0], "Invalid input value. Use escape key to abandon changes");
    EXPECT_EQ(GetFocus(), edit->Inner()->GetHandle());
    EXPECT_EQ(edit->Inner()->GetSelLength(), 3) << "all text selected";
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "ok") << "the value is unchanged";
    EXPECT_TRUE(edit->GetModifiedSinceEnter());

    Tap(VK_BACK);
    TypeKeys("c");
    Tap(VK_RETURN);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "c") << "a valid text becomes the value";
    EXPECT_TRUE(edit->GetValidated());
}

TEST_F(EditControl, EscapePutsBackTheValueAndASecondEscapeTypesNothing) {
    NewForm("abc");
    Tap(VK_END);
    TypeKeys("d");
    ASSERT_EQ(edit->GetDisplayText(), "abcd");
    Tap(VK_ESCAPE);
    EXPECT_EQ(edit->GetDisplayText(), "abc");
    EXPECT_FALSE(edit->GetModifiedSinceEnter());
    Tap(VK_ESCAPE);
    EXPECT_EQ(edit->GetDisplayText(), "abc");
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditControl, LeavingByTabValidates) {
    NewForm("ok");
    edit->Properties()->OnValidate = [](TObject*, Variant& Value, std::string& Text, bool& Error) {
        Error = VarToStr(Value).size() > 2;
        Text = "Too long";
    };
    Tap(VK_END);
    TypeKeys("z");
    Tap(VK_TAB);
    ASSERT_EQ(errors, std::vector<std::string>{"Too long"});
    EXPECT_EQ(GetFocus(), edit->Inner()->GetHandle()) << "the focus comes back";
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "ok");
    EXPECT_TRUE(edit->GetModifiedSinceEnter()) << "coming back is no new entry";
    Tap(VK_BACK);
    Tap(VK_TAB);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(GetFocus(), after->GetHandle());

    // Escape after a refused Tab still takes the typing back.
    edit->SetEditValue(Variant("ok"));
    edit->SetFocus();
    ProcessPendingMessages();
    TypeKeys("zzz");
    Tap(VK_TAB);
    ASSERT_EQ(errors.size(), 2u);
    ASSERT_EQ(edit->GetDisplayText(), "zzz");
    Tap(VK_ESCAPE);
    EXPECT_EQ(edit->GetDisplayText(), "ok");
}

TEST_F(EditControl, ButtonsClickOnReleaseOverThem) {
    auto* reporting = NewForm<TReportingTestEdit>();
    std::vector<int> clicks;
    edit->Properties()->OnEditButtonClick = [&](TObject*, int AIndex) {
        reporting->Log.push_back("click " + std::to_string(AIndex));
        clicks.push_back(AIndex);
    };
    const TPoint centre = ButtonCentre(0);
    ClickAt(edit, centre);
    EXPECT_EQ(clicks, std::vector<int>{0});
    EXPECT_EQ(reporting->Log, (std::vector<std::string>{"down 0", "up 0", "click 0"}));
    reporting->Log.clear();

    // Pressed over the button, released off it: no click.
    const TPoint s = OnScreen(edit, centre.x, centre.y);
    SetCursorPos(s.x, s.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(edit->EditViewInfo()->PressedIndex, 0);
    const TPoint off = OnScreen(edit, 5, centre.y);
    SetCursorPos(off.x, off.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(edit->EditViewInfo()->PressedIndex, -1) << "off the button it is not pressed";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(reporting->Log, (std::vector<std::string>{"down 0", "up 0"})) << "up as it leaves, never clicked";

    // A quick second click on a button is a second click of it, not a double click.
    int doubles = 0;
    edit->OnDblClick = [&](TObject*) { ++doubles; };
    Run(static_cast<TTick>(SystemDoubleClickTime()) + 10);
    ClickAt(edit, centre);
    ClickAt(edit, centre);
    EXPECT_EQ(clicks, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(doubles, 0);
}

TEST_F(EditControl, AFailedPostLeavesTheValueAndTheFocus) {
    auto* e = NewForm<TBoundTestEdit>("abc");
    e->Store()->Locked = true;
    Tap(VK_END);
    TypeKeys("d");
    Tap(VK_TAB);
    ASSERT_EQ(errors, std::vector<std::string>{"The store is locked"});
    EXPECT_EQ(GetFocus(), e->Inner()->GetHandle()) << "the focus stays";
    EXPECT_EQ(e->GetDisplayText(), "abcd");
    EXPECT_EQ(VarToStr(e->GetEditValue()), "abcd");
    EXPECT_TRUE(e->GetValueModified()) << "not posted";
    EXPECT_TRUE(e->Store()->Stored.empty());

    e->Store()->Locked = false;
    Tap(VK_TAB);
    EXPECT_EQ(e->Store()->Stored, std::vector<std::string>{"abcd"});
    EXPECT_FALSE(e->GetValueModified());
    EXPECT_EQ(GetFocus(), after->GetHandle());

    // Enter with validation posts too.
    e->Properties()->SetValidateOnEnter(true);
    e->SetFocus();
    ProcessPendingMessages();
    Tap(VK_END);
    TypeKeys("e");
    Tap(VK_RETURN);
    EXPECT_EQ(e->Store()->Stored, (std::vector<std::string>{"abcd", "abcde"}));
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(EditControl, AnInPlaceEditorStartedByAKeyTakesThatKeyFirst) {
    NewHost();
    TuiCustomEditData* data = nullptr;
    auto* refusing = Construct<TTestEdit>(form, true);
    refusing->SetVisible(false);
    refusing->SetParent(form);
    refusing->SetBounds(10, 40, 121, 21);
    refusing->SetEditValue(Variant("old"));
    refusing->ActivateByKey('x', data);
    EXPECT_EQ(refusing->GetDisplayText(), "old") << "a refused key is refused as if typed";
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(refusing->Deactivate());

    auto* e = Construct<TTestEdit>(form, true);
    e->SetVisible(false);
    e->SetParent(form);
    e->SetBounds(10, 10, 121, 21);
    e->SetEditValue(Variant("old"));
    EXPECT_FALSE(e->GetAutoSize()) << "in place";
    std::vector<std::string> log;
    e->Properties()->OnChange = [&](TObject*) { log.push_back(e->GetDisplayText()); };
    e->ActivateByKey('q', data);
    EXPECT_TRUE(e->GetVisible());
    EXPECT_EQ(GetFocus(), e->Inner()->GetHandle());
    EXPECT_EQ(e->GetDisplayText(), "q") << "the key replaced the selected text";
    EXPECT_EQ(log, std::vector<std::string>{"q"});
    EXPECT_TRUE(e->GetModifiedSinceEnter());

    // Enter posts an in-place editor's value; deactivation validates.
    e->Properties()->SetValidateOnEnter(true);
    int posts = 0;
    e->OnPost = [&](TObject*) { ++posts; };
    Tap(VK_RETURN);
    EXPECT_EQ(posts, 1);
    EXPECT_FALSE(e->GetValueModified());
    EXPECT_EQ(VarToStr(e->GetEditValue()), "q");
    EXPECT_TRUE(e->Deactivate());
    EXPECT_TRUE(e->GetValidated());
}

TEST_F(EditControl, InPlaceByMouseASecondPressSoonAfterIsADoubleClick) {
    NewHost();
    auto* e = Construct<TuiCustomEdit>(form, true);
    e->SetVisible(false);
    e->SetParent(form);
    e->SetBounds(20, 20, 100, 21);
    int doubles = 0;
    e->OnDblClick = [&](TObject*) { ++doubles; };
    TuiCustomEditData* data = nullptr;
    // The host's press at (30, 25) of its client area started the editor; the button is up again.
    e->ActivateByMouse(TShiftState{ssLeft}, 30, 25, data);
    EXPECT_TRUE(e->GetVisible());
    EXPECT_EQ(GetCapture(), nullptr) << "no capture is left behind";
    EXPECT_TRUE(e->DoubleClickPending());
    ClickAt(e, TPoint{10, 5});
    EXPECT_EQ(doubles, 1);
    EXPECT_FALSE(e->DoubleClickPending());

    e->ActivateByMouse(TShiftState{ssLeft}, 30, 25, data);
    Run(static_cast<TTick>(SystemDoubleClickTime()) + 10);
    EXPECT_FALSE(e->DoubleClickPending()) << "the time ran out";
    ClickAt(e, TPoint{10, 5});
    EXPECT_EQ(doubles, 1);

    // The host's edit data knows its editor while the editor lives.
    auto hostData = std::make_unique<TuiCustomEditData>(nullptr);
    TuiCustomEditData* given = hostData.get();
    e->Activate(given);
    EXPECT_EQ(given, hostData.get()) << "the host's data is used";
    EXPECT_EQ(e->EditData(), hostData.get());
    EXPECT_EQ(hostData->Edit(), e);
    EXPECT_FALSE(hostData->GetCleared());
    delete e;
    EXPECT_EQ(hostData->Edit(), nullptr);
}

TEST_F(EditControl, AutomaticSize) {
    auto* e = NewForm<TSizedTestEdit>("abc");
    e->Canvas()->Font()->Assign(e->Inner()->Font());
    const int line = e->Canvas()->TextHeight("Zg");
    const int text = e->Canvas()->TextWidth("abc");
    const TuiCustomEditViewInfo& vi = *e->EditViewInfo();
    const int frame = vi.Bounds.Height() - vi.BorderRect.Height();
    ASSERT_EQ(frame, vi.Bounds.Width() - vi.BorderRect.Width());
    ASSERT_GT(frame, 0);
    EXPECT_EQ(e->GetHeight(), line + 4 + frame) << "the height follows the text";
    EXPECT_EQ(e->GetWidth(), 121) << "the width is the one given";
    e->SetHeight(50);
    EXPECT_EQ(e->GetHeight(), line + 4 + frame);
    e->SetAutoSize(false);
    e->SetHeight(50);
    EXPECT_EQ(e->GetHeight(), 50);
    e->SetAutoSize(true);
    EXPECT_EQ(e->GetHeight(), line + 4 + frame);

    // With the automatic button layout the width follows the text and the button.
    e->Properties()->SetButtonsLayout(2);
    const int width = frame + 2 + text + GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(e->GetWidth(), width);
    e->KeepRightEdge = true;
    e->SetBounds(100, 10, 20, 30);
    EXPECT_EQ(e->GetLeft() + e->GetWidth(), 120) << "the right edge stays";
    EXPECT_EQ(e->GetWidth(), width);

    // Alignment decides the sides that follow the parent.
    e->SetAlign(alClient);
    EXPECT_EQ(e->GetWidth(), form->ClientWidth());
    EXPECT_EQ(e->GetHeight(), form->ClientHeight());
    e->SetAlign(alTop);
    EXPECT_EQ(e->GetWidth(), form->ClientWidth());
    EXPECT_EQ(e->GetHeight(), line + 4 + frame);
}

TEST_F(EditControl, AutomaticSizeStaysWithinTheConstraintsAndLeavesCustomAlignmentAlone) {
    auto* e = NewForm<TSizedTestEdit>("abc");
    e->Properties()->SetButtonsLayout(2);
    const int width = e->GetWidth();
    const int height = e->GetHeight();
    ASSERT_GT(width, 30);
    ASSERT_GT(height, 12);

    // Each limit only when it is set; taking it away gives the measured size back.
    e->Constraints()->SetMaxWidth(width - 10);
    EXPECT_EQ(e->GetWidth(), width - 10);
    EXPECT_EQ(e->GetHeight(), height) << "an unset height limit changes nothing";
    e->Constraints()->SetMinHeight(height + 7);
    EXPECT_EQ(e->GetHeight(), height + 7);
    e->Constraints()->SetMaxWidth(0);
    e->Constraints()->SetMinHeight(0);
    EXPECT_EQ(e->BoundsRect().Width(), width);
    EXPECT_EQ(e->GetHeight(), height);
    e->Constraints()->SetMinWidth(width + 20);
    e->Constraints()->SetMaxHeight(height - 2);
    EXPECT_EQ(e->GetWidth(), width + 20);
    EXPECT_EQ(e->GetHeight(), height - 2);
    e->Constraints()->SetMinWidth(0);
    e->Constraints()->SetMaxHeight(0);

    // A custom-aligned editor keeps the size it is given on both sides.
    e->SetAlign(alCustom);
    e->SetBounds(12, 14, 77, 40);
    EXPECT_EQ(e->BoundsRect(), Rect(12, 14, 89, 54));
    form->SetClientWidth(form->ClientWidth() + 30);
    EXPECT_EQ(e->BoundsRect(), Rect(12, 14, 89, 54)) << "the parent's alignment leaves it where it is";
}

// A measuring test editor that can measure only while it shows.
class TShownSizedTestEdit : public TSizedTestEdit {
public:
    using TSizedTestEdit::TSizedTestEdit;
    std::string ClassName() const override { return "TShownSizedTestEdit"; }

protected:
    TSize TextContentSize() override { return Showing() ? TSizedTestEdit::TextContentSize() : TSize{0, 0}; }
};

TEST_F(EditControl, AnEditorThatStartsShowingTakesItsAutomaticSize) {
    form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 260, 120);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 80);
    panel->SetVisible(false);
    auto* e = Construct<TShownSizedTestEdit>(form);
    e->SetParent(panel);
    e->SetBounds(10, 10, 121, 50);
    form->Show();
    ProcessPendingMessages();
    EXPECT_EQ(e->GetHeight(), 50) << "an editor that does not show keeps the size it is given";
    panel->Show();
    ProcessPendingMessages();
    e->Canvas()->Font()->Assign(e->Inner()->Font());
    const TuiCustomEditViewInfo& vi = *e->EditViewInfo();
    const int frame = vi.Bounds.Height() - vi.BorderRect.Height();
    EXPECT_EQ(e->GetHeight(), e->Canvas()->TextHeight("Zg") + 4 + frame);
}

// A store that takes the actions it is given.
class TActionBinding : public TuiEditDataBinding {
public:
    using TuiEditDataBinding::TuiEditDataBinding;
    bool ExecuteAction(TBasicAction* Action) override {
        Log.push_back("execute " + Action->GetName());
        return Takes;
    }
    bool UpdateAction(TBasicAction* Action) override {
        Log.push_back("update " + Action->GetName());
        return Takes;
    }
    bool Takes = false;
    std::vector<std::string> Log;
};

class TActionTestEdit : public TTestEdit {
public:
    using TTestEdit::TTestEdit;
    std::string ClassName() const override { return "TActionTestEdit"; }
    TActionBinding* Store() const { return static_cast<TActionBinding*>(DataBinding()); }

protected:
    TuiEditDataBinding* CreateDataBinding() override { return new TActionBinding(this); }
};

TEST_F(EditControl, ActionsGoToTheEditorThenToItsStore) {
    auto* e = NewForm<TActionTestEdit>();
    auto* action = new TBasicAction(form);
    action->SetName("Act");
    EXPECT_FALSE(e->ExecuteAction(action));
    EXPECT_FALSE(e->UpdateAction(action));
    e->Store()->Takes = true;
    EXPECT_TRUE(e->ExecuteAction(action));
    EXPECT_TRUE(e->UpdateAction(action));
    EXPECT_EQ(e->Store()->Log, (std::vector<std::string>{"execute Act", "update Act", "execute Act", "update Act"}));
    TTestEdit* plain = Construct<TTestEdit>(form);
    EXPECT_FALSE(plain->ExecuteAction(action)) << "the base store takes no action";
    EXPECT_FALSE(plain->UpdateAction(action));
}

const char* gEditForm = nullptr;

class TEditForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TEditForm"; }
    const TFormResource* FormResource() const override {
        resource_ = TFormResource{"EditForm", gEditForm};
        return &resource_;
    }

private:
    mutable TFormResource resource_;
};

TEST_F(EditControl, StreamingKeepsTheSizeOnlyWhereItIsNotAutomaticAndKeepsTheButtons) {
    using E = TSizedTestEdit;
    RegisterComponent<E>("TSizedTestEdit", "TuiCustomEdit")
        .SubObject("Properties", "TuiCustomEditProperties", [](E& e) -> TPersistent* { return e.Properties(); });
    TScopeExit unregister([] { UnregisterComponentClass("TSizedTestEdit"); });
    gEditForm = R"(object EditForm: TEditForm
  Left = 0
  Top = 0
  Caption = 'Edits'
  object Sized: TSizedTestEdit
    Left = 8
    Top = 8
    Width = 121
    Height = 50
    Properties.Buttons = <
      item
        Hint = 'More|Opens more'
        Kind = bkEllipsis
      end
      item
        Caption = '&Go'
        Kind = bkText
        Width = 30
      end>
  end
  object Fixed: TSizedTestEdit
    Left = 8
    Top = 60
    Width = 90
    Height = 50
    AutoSize = False
    Transparent = True
  end
end
)";
    std::unique_ptr<TEditForm> read(Construct<TEditForm>(nullptr));
    auto* sized = dynamic_cast<E*>(read->FindComponent("Sized"));
    auto* fixed = dynamic_cast<E*>(read->FindComponent("Fixed"));
    ASSERT_NE(sized, nullptr);
    ASSERT_NE(fixed, nullptr);
    TuiEditButtons* buttons = sized->Properties()->Buttons();
    ASSERT_EQ(buttons->Count(), 2);
    EXPECT_EQ(buttons->GetItem(0)->GetKind(), bkEllipsis);
    EXPECT_EQ(buttons->GetItem(0)->GetHint(), "More|Opens more");
    EXPECT_EQ(buttons->GetItem(1)->GetVisibleCaption(), "Go");
    EXPECT_EQ(buttons->GetItem(1)->GetWidth(), 30);
    EXPECT_LT(sized->GetHeight(), 50) << "the height follows the text";
    EXPECT_EQ(sized->GetWidth(), 121);
    EXPECT_EQ(fixed->GetHeight(), 50);
    EXPECT_TRUE(fixed->GetTransparent());
    EXPECT_FALSE(sized->GetTransparent());

    const std::string text = WriteComponentText(*read);
    const std::string sizedText =
        text.substr(text.find("object Sized"), text.find("object Fixed") - text.find("object Sized"));
    EXPECT_EQ(sizedText.find("Height"), std::string::npos) << text;
    EXPECT_NE(sizedText.find("Width = 121"), std::string::npos) << text;
    EXPECT_NE(sizedText.find("Caption = '&Go'"), std::string::npos) << text;
    EXPECT_NE(text.find("Height = 50"), std::string::npos) << text;
    EXPECT_EQ(sizedText.find("Transparent"), std::string::npos) << "not transparent: not stored";
    EXPECT_NE(text.find("Transparent = True"), std::string::npos) << text;
    gEditForm = text.c_str();
    std::unique_ptr<TEditForm> again(Construct<TEditForm>(nullptr));
    EXPECT_EQ(WriteComponentText(*again), text);

    // Against the form it came from only what differs is written, and an automatic width never.
    auto* fixedAgain = dynamic_cast<E*>(again->FindComponent("Fixed"));
    auto* sizedAgain = dynamic_cast<E*>(again->FindComponent("Sized"));
    fixedAgain->SetHeight(70);
    sizedAgain->Properties()->SetButtonsLayout(2);
    ASSERT_NE(sizedAgain->GetWidth(), 121);
    const std::string delta = WriteComponentText(*again, read.get());
    EXPECT_NE(delta.find("Height = 70"), std::string::npos) << delta;
    EXPECT_EQ(delta.find("Width"), std::string::npos) << delta;
    EXPECT_EQ(delta.find("Buttons"), std::string::npos) << delta;
}

TEST_F(EditControl, AClickHandlerMayFreeTheEditor) {
    NewForm();
    edit->Properties()->OnEditButtonClick = [&](TObject*, int) { delete edit; };
    ClickAt(edit, ButtonCentre(0));
    ProcessPendingMessages();
    EXPECT_EQ(form->ControlCount(), 1);
}

TEST_F(EditControl, AcceleratorAndHintOfTextButtons) {
    NewForm();
    TuiEditButton* go = edit->Properties()->Buttons()->Add();
    go->SetKind(bkText);
    go->SetCaption("&Go");
    go->SetHint("Go there|Goes to the place");
    std::vector<int> clicks;
    edit->Properties()->OnEditButtonClick = [&](TObject*, int AIndex) { clicks.push_back(AIndex); };
    EXPECT_EQ(edit->Perform(CM_DIALOGCHAR, 'g', 0), 1);
    EXPECT_EQ(edit->Perform(CM_DIALOGCHAR, 'q', 0), 0);
    EXPECT_EQ(clicks, std::vector<int>{1});
    edit->Properties()->Buttons()->GetItem(0)->SetHint("More|Opens more");
    // As the hint machinery asks: over each button, over the text, and outside the border.
    for (int index : {0, 1}) {
        THintInfo info;
        info.HintControl = edit;
        info.CursorPos = ButtonCentre(index);
        info.HintStr = "Editor";
        EXPECT_EQ(edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
        EXPECT_EQ(info.HintStr, index == 0 ? "More" : "Go there");
        const auto& infos = edit->EditViewInfo()->ButtonsInfo;
        const auto button =
            std::find_if(infos.begin(), infos.end(), [&](const auto& b) { return b.ButtonIndex == index; });
        ASSERT_NE(button, infos.end());
        EXPECT_TRUE(EqualRect(&info.CursorRect, &button->Bounds)) << index;
        EXPECT_GT(info.HintPos.y, OnScreen(edit, 0, info.CursorPos.y).y) << "below the cursor";
    }
    THintInfo body;
    body.CursorPos = TPoint{5, 5};
    body.HintStr = "Editor";
    EXPECT_EQ(edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&body)), 0);
    EXPECT_EQ(body.HintStr, "Editor");
    EXPECT_LE(body.CursorRect.right, edit->EditViewInfo()->ButtonsInfo.front().Bounds.left);
    THintInfo outside;
    outside.CursorPos = TPoint{-3, 5};
    EXPECT_NE(edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&outside)), 0);
}

TEST_F(EditControl, ChangeEvents) {
    NewForm();
    std::vector<std::string> log;
    edit->Properties()->OnChange = [&](TObject*) { log.push_back("change"); };
    edit->Properties()->OnEditValueChanged = [&](TObject*) { log.push_back("value"); };
    edit->LockChangeEvents(true);
    edit->SetEditValue(Variant("1"));
    edit->SetEditValue(Variant("2"));
    EXPECT_TRUE(log.empty());
    edit->LockChangeEvents(false);
    EXPECT_EQ(log, (std::vector<std::string>{"change", "value"})) << "once each, the change first";

    log.clear();
    edit->TestProperties()->CompareValues = true;
    edit->SetEditValue(Variant("2"));
    EXPECT_TRUE(log.empty()) << "the same value again";
    edit->SetEditValue(Variant("3"));
    EXPECT_EQ(log, (std::vector<std::string>{"change", "value"}));
}

TEST_F(EditControl, RepositoryItem) {
    NewForm();
    TuiEditRepository repository(nullptr);
    auto* item = static_cast<TTestRepositoryItem*>(
        repository.CreateItem([](TComponent* owner) { return new TTestRepositoryItem(owner); }));
    auto* plain = repository.CreateItem([](TComponent* owner) { return new TuiEditRepositoryItem(owner); });
    edit->SetRepositoryItem(item);
    EXPECT_EQ(edit->ActiveProperties(), item->Properties());
    EXPECT_EQ(edit->Properties()->GetDefaultValuesProvider(), nullptr) << "the own settings rest";
    try {
        edit->SetRepositoryItem(plain);
        ADD_FAILURE() << "no error";
    } catch (const EuiEditError& e) {
        EXPECT_STREQ(e.what(), "The repository item is not acceptable");
    }
    EXPECT_EQ(edit->GetRepositoryItem(), item) << "the old item stays";
    item->Properties()->Buttons()->Add()->SetKind(bkText);
    ProcessPendingMessages();
    EXPECT_EQ(edit->EditViewInfo()->ButtonsInfo.size(), 1u) << "the item's buttons, not the editor's own";
    delete item;
    EXPECT_EQ(edit->GetRepositoryItem(), nullptr);
    EXPECT_EQ(edit->ActiveProperties(), edit->Properties());
    EXPECT_EQ(edit->Properties()->GetDefaultValuesProvider(), edit->DataBinding()->DefaultValuesProvider());
}

TEST_F(EditControl, NarrowEditorsKeepEveryRectangleNonNegative) {
    NewForm();
    edit->Properties()->Buttons()->Add()->SetWidth(-3);
    EXPECT_EQ(edit->Properties()->Buttons()->GetItem(1)->GetWidth(), 0);
    for (int width : {0, 3, 30}) {
        edit->SetBounds(10, 10, width, 21);
        ProcessPendingMessages();
        const auto* vi = edit->EditViewInfo();
        for (const auto& b : vi->ButtonsInfo) EXPECT_GE(b.Bounds.right - b.Bounds.left, 0) << width;
        EXPECT_GE(vi->ClientRect.right - vi->ClientRect.left, 0) << width;
    }
}

// A button drawn alone on a bitmap of its size; the setters change the button and its editor's view info.
std::unique_ptr<TBitmap> DrawnButton(TuiEditButtonStyle AStyle, TuiEditButtonKind AKind, TuiEditButtonState AState,
                                     const std::function<void(TuiEditButtonViewInfo&)>& ASetButton = nullptr,
                                     const std::function<void(TuiCustomEditViewInfo&)>& ASetView = nullptr) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(17, 20);
    TuiCustomEditViewInfo vi;
    vi.BackgroundColor = clWindow;
    TuiEditButtonViewInfo button;
    button.Bounds = TRect{0, 0, 17, 20};
    button.Style = AStyle;
    button.Kind = AKind;
    button.State = AState;
    if (ASetButton) ASetButton(button);
    if (ASetView) ASetView(vi);
    vi.DrawButton(bitmap->Canvas(), button);
    return bitmap;
}

bool SamePixels(TBitmap* A, TBitmap* B) {
    for (int y = 0; y < A->GetHeight(); ++y)
        for (int x = 0; x < A->GetWidth(); ++x)
            if (A->Canvas()->GetPixel(x, y) != B->Canvas()->GetPixel(x, y)) return false;
    return true;
}

// The painting routines fill through the library's brush cache.
class EditButtonPainting : public ::testing::Test {
protected:
    TUnitsScope units{uiEditorsUnitList()};
};

TEST_F(EditButtonPainting, DisabledEllipsisShowsItsDotsTwice) {
    auto bitmap = DrawnButton(bts3D, bkEllipsis, ebsDisabled);
    TCanvas* c = bitmap->Canvas();
    // Inside the two 3D frames the content is (2, 2)-(15, 18): dots of side 2 from x = 3, y = 9.
    for (int x : {3, 7, 11}) EXPECT_EQ(ColorToRGB(c->GetPixel(x, 9)), ColorToRGB(clBtnShadow)) << x;
    for (int x : {5, 9, 13}) EXPECT_EQ(ColorToRGB(c->GetPixel(x, 11)), ColorToRGB(clBtnHighlight)) << x;
    EXPECT_EQ(ColorToRGB(c->GetPixel(6, 9)), ColorToRGB(clBtnFace));
}

TEST_F(EditButtonPainting, PressedSimpleButtonIsDrawnFlat) {
    auto simple = DrawnButton(btsSimple, bkDown, ebsPressed);
    auto flat = DrawnButton(btsFlat, bkDown, ebsPressed);
    EXPECT_TRUE(SamePixels(simple.get(), flat.get()));
    EXPECT_EQ(ColorToRGB(simple->Canvas()->GetPixel(1, 5)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ColorToRGB(simple->Canvas()->GetPixel(15, 5)), ColorToRGB(clBtnHighlight));
    auto normal = DrawnButton(btsSimple, bkDown, ebsNormal);
    EXPECT_FALSE(SamePixels(normal.get(), flat.get()));
}

// The Office-2003 buttons with gradients: the scheme's two colours of the state from top to bottom (a normal
// button's reaching one pixel past its ends); without gradients, and when disabled, one solid face.
// The same under the blue XP scheme, whose gradients run between distinct colours.
class EditButtonPaintingLuna : public ::testing::Test {
protected:
    struct TInstalled {
        explicit TInstalled(TTestThemeProvider* AProvider) { InstallThemeProvider(AProvider); }
        ~TInstalled() { InstallThemeProvider(nullptr); }
        TInstalled(const TInstalled&) = delete;
        TInstalled& operator=(const TInstalled&) = delete;
    };
    TTestThemeProvider luna;
    TInstalled installed{&luna};
    TUnitsScope units{uiEditorsUnitList()};
};

TEST_F(EditButtonPaintingLuna, Office2003GradientButtonsRunTopToBottomInTheStateColours) {
    struct TRow {
        const char* name;
        TuiEditButtonState state;
        bool gradient;
        int first, second;  // palette roles; -1: a solid face
    } rows[] = {
        {"normal", ebsNormal, true, Office11Roles.EditButtonFirst, Office11Roles.EditButtonSecond},
        {"hot", ebsSelected, true, Office11Roles.EditButtonHotFirst, Office11Roles.EditButtonHotSecond},
        {"pressed", ebsPressed, true, Office11Roles.EditButtonPressedFirst, Office11Roles.EditButtonPressedSecond},
        {"disabled", ebsDisabled, true, -1, -1},
        {"hot without gradient", ebsSelected, false, -1, -1},
    };
    ASSERT_EQ(Office11Scheme(), Office11SchemeBlue);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto bitmap =
            DrawnButton(btsOffice11, bkGlyph, row.state, [&](TuiEditButtonViewInfo& B) { B.Gradient = row.gradient; });
        TCanvas* c = bitmap->Canvas();
        // Inside the one-pixel frame: rows 1 to 18.
        const auto top = static_cast<COLORREF>(ColorToRGB(c->GetPixel(8, 1)));
        const auto bottom = static_cast<COLORREF>(ColorToRGB(c->GetPixel(8, 18)));
        if (row.first < 0) {
            EXPECT_EQ(top, bottom);
            if (row.state == ebsDisabled) {
                EXPECT_EQ(top, static_cast<COLORREF>(ColorToRGB(clBtnFace)));
            }
            continue;
        }
        const auto first = static_cast<COLORREF>(ColorToRGB(Office11RoleColor(row.first)));
        const auto second = static_cast<COLORREF>(ColorToRGB(Office11RoleColor(row.second)));
        ASSERT_NE(first, second);
        // Each channel of each row lies between the two colours, the top nearer the first and the bottom
        // nearer the second; a hot or pressed button starts with the first colour itself.
        auto distance = [](COLORREF A, COLORREF B) {
            return std::abs(GetRValue(A) - GetRValue(B)) + std::abs(GetGValue(A) - GetGValue(B)) +
                   std::abs(GetBValue(A) - GetBValue(B));
        };
        EXPECT_LT(distance(top, first), distance(top, second));
        EXPECT_LT(distance(bottom, second), distance(bottom, first));
        if (row.state == ebsNormal) EXPECT_NE(top, first) << "the gradient starts above the button";
        else EXPECT_EQ(top, first);
    }
}

// A hot ultra-flat button inside a bordered editor: the editor's frame closes it where it touches the frame,
// so the highlight line is drawn on its inner side alone; without a border it gets a whole frame.
TEST_F(EditButtonPainting, HotUltraFlatButtonsDrawHighlightOnlyWhereTheFrameDoesNot) {
    const LONG highlight = ColorToRGB(clHighlight);
    for (bool bordered : {true, false}) {
        SCOPED_TRACE(bordered ? "bordered" : "borderless");
        auto bitmap = DrawnButton(btsUltraFlat, bkGlyph, ebsSelected, nullptr, [&](TuiCustomEditViewInfo& V) {
            V.BorderStyle = bordered ? cbsSingle : cbsNone;
            V.BorderRect = TRect{-20, 0, 17, 20};
        });
        TCanvas* c = bitmap->Canvas();
        EXPECT_EQ(ColorToRGB(c->GetPixel(0, 10)), highlight) << "the inner side";
        EXPECT_EQ(ColorToRGB(c->GetPixel(16, 10)) == highlight, !bordered) << "the side on the frame";
        EXPECT_EQ(ColorToRGB(c->GetPixel(8, 0)) == highlight, !bordered) << "the top";
        EXPECT_EQ(ColorToRGB(c->GetPixel(8, 19)) == highlight, !bordered) << "the bottom";
    }
}

// ---- the editor's background and the themed drawing

// An editor's own view info painted on a bitmap pre-filled with a marker colour.
std::unique_ptr<TBitmap> PaintedViewInfo(TTestEdit* AEdit, TColor AMarker = clLime) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(AEdit->GetWidth(), AEdit->GetHeight());
    bitmap->Canvas()->Brush()->SetColor(AMarker);
    bitmap->Canvas()->FillRect(TRect{0, 0, AEdit->GetWidth(), AEdit->GetHeight()});
    AEdit->EditViewInfo()->Paint(bitmap->Canvas());
    return bitmap;
}

// The frame (shadow first) and the client area around the inner edit; the inner edit's place and the buttons'
// places are left to them. A transparent editor shows its parent's background in its client area.
TEST_F(EditControl, TheBackgroundIsTheFrameAndTheClientAreaAroundTheInnerEdit) {
    NewForm("abc");
    edit->Style()->SetBorderStyle(cbsSingle);
    edit->Style()->SetBorderColor(clRed);
    edit->Style()->SetShadow(true);
    edit->Style()->SetColor(clYellow);
    edit->Properties()->Buttons()->GetItem(0)->SetKind(bkGlyph);
    edit->RefreshFrame();
    TuiCustomEditViewInfo* vi = edit->EditViewInfo();
    ASSERT_EQ(vi->ButtonsInfo.size(), 1u);
    const TRect client = vi->ClientRect;
    // The inner edit two pixels inside the client area all round.
    edit->Inner()->SetBounds(client.left + 2, client.top + 2, client.right - client.left - 4,
                             client.bottom - client.top - 4);
    const TRect button = vi->ButtonsInfo[0].Bounds;
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        vi->Transparent = transparent;
        auto bitmap = PaintedViewInfo(edit);
        TCanvas* c = bitmap->Canvas();
        const int w = edit->GetWidth(), h = edit->GetHeight();
        EXPECT_EQ(ColorToRGB(c->GetPixel(0, 5)), ColorToRGB(clRed)) << "the frame";
        EXPECT_EQ(ColorToRGB(c->GetPixel(w - 2, h - 2)), ColorToRGB(clBtnShadow)) << "the shadow";
        EXPECT_EQ(ColorToRGB(c->GetPixel(1, h - 2)), ColorToRGB(clLime)) << "beside the shadow";
        EXPECT_EQ(ColorToRGB(c->GetPixel(client.left, client.top)),
                  ColorToRGB(transparent ? form->GetColor() : clYellow))
            << "around the inner edit";
        EXPECT_EQ(ColorToRGB(c->GetPixel(client.left + 3, client.top + 3)), ColorToRGB(clLime)) << "the inner edit";
        // The button (a glyph button without a glyph) shows its face, not the editor's background.
        EXPECT_NE(ColorToRGB(c->GetPixel((button.left + button.right) / 2, (button.top + button.bottom) / 2)),
                  ColorToRGB(clYellow));
    }
}

class EditControlThemed : public EditControl {
protected:
    EditControlThemed() { themed_ = true; }
    void TearDown() override {
        SetDesktopCompositionForTesting(false);
        EditControl::TearDown();
    }
    // The DrawThemeBackground calls of one paint of the editor, with the class list of each theme.
    std::vector<std::pair<std::wstring, TThemeCall>> ThemedDrawing() {
        edit->RefreshFrame();
        provider_.Calls.clear();
        PaintedViewInfo(edit);
        std::vector<std::pair<std::wstring, TThemeCall>> result;
        for (const TThemeCall& call : provider_.Calls)
            if (call.Function == "DrawThemeBackground") result.emplace_back(provider_.ClassListOf(call.Theme), call);
        return result;
    }
};

// A native editor draws its frame and its buttons through the theme: the edit's text part (its border part
// under desktop composition) in the editor's state, each button in the button theme, a single drop-down in the
// combo box's, on glass as its left or right drop-down part with the frame as a combo box one pixel larger.
TEST_F(EditControlThemed, NativeEditorsDrawTheirFrameAndButtonsThroughTheTheme) {
    NewForm("abc");
    edit->Style()->GetLookAndFeel()->SetNativeStyle(true);
    edit->Style()->SetBorderStyle(cbsSingle);
    TuiEditButtons* buttons = edit->Properties()->Buttons();
    struct TRow {
        const char* name;
        bool glass;
        bool dropDownOnly;
        bool left;
        bool enabled;
        std::wstring frameClass;
        int framePart, frameState;  // -1: the editor's native state
        int frameGrow;
        std::wstring buttonClass;
        int buttonPart, buttonState;
    } rows[] = {
        {"ellipsis", false, false, false, true, L"Edit", 1, -1, 0, L"Button", 1, 1},
        {"disabled", false, false, false, false, L"Edit", 1, 4, 0, L"Button", 1, 4},
        {"drop-down", false, true, false, true, L"Edit", 1, -1, 0, L"ComboBox", 1, 1},
        {"ellipsis on glass", true, false, false, true, L"Edit", 6, -1, 0, L"Button", 1, 1},
        {"drop-down on glass", true, true, false, true, L"ComboBox", 1, 0, 1, L"ComboBox", 6, 1},
        {"left drop-down on glass", true, true, true, true, L"ComboBox", 1, 0, 1, L"ComboBox", 7, 1},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        SetDesktopCompositionForTesting(row.glass);
        buttons->GetItem(0)->SetKind(row.dropDownOnly ? bkDown : bkEllipsis);
        buttons->GetItem(0)->SetLeftAlignment(row.left);
        edit->SetEnabled(row.enabled);
        const auto drawn = ThemedDrawing();
        ASSERT_EQ(drawn.size(), 2u);
        const TuiCustomEditViewInfo* vi = edit->EditViewInfo();
        EXPECT_TRUE(vi->NativeStyle);
        const auto& [frameClass, frame] = drawn[0];
        EXPECT_EQ(frameClass, row.frameClass);
        EXPECT_EQ(frame.Part, row.framePart);
        EXPECT_EQ(frame.State, row.frameState < 0 ? vi->NativeState : row.frameState);
        TRect grown = vi->Bounds;
        InflateRect(&grown, row.frameGrow, row.frameGrow);
        EXPECT_TRUE(EqualRect(&frame.Rect, &grown));
        const auto& [buttonClass, button] = drawn[1];
        EXPECT_EQ(buttonClass, row.buttonClass);
        EXPECT_EQ(button.Part, row.buttonPart);
        EXPECT_EQ(button.State, row.buttonState);
        EXPECT_TRUE(EqualRect(&button.Rect, &vi->ButtonsInfo[0].Bounds));
    }
}

// The button states map to the theme's: normal 1, hot 2, pressed 3, reached with the mouse.
TEST_F(EditControlThemed, NativeButtonStatesFollowTheMouse) {
    NewForm("abc");
    edit->Style()->GetLookAndFeel()->SetNativeStyle(true);
    const TPoint centre = ButtonCentre(0);
    auto buttonState = [this] { return ThemedDrawing().back().second.State; };
    EXPECT_EQ(buttonState(), 1);
    const TPoint s = OnScreen(edit, centre.x, centre.y);
    SetCursorPos(s.x, s.y);
    ProcessPendingMessages();
    EXPECT_EQ(buttonState(), 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(buttonState(), 3);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
}

// The button gallery under the blue XP scheme with gradient buttons: the Office-2003 row fills its buttons
// with the scheme's gradient, the native column draws them through the theme.
TEST_F(EditControlThemed, ButtonGalleryWithGradientsAndThemedButtons) {
    TEditorGalleryForm* gallery = Keep(NewButtonGallery());
    for (TuiContainer* c : gallery->Containers) static_cast<TTestEdit*>(c)->Style()->SetGradientButtons(true);
    gallery->SetBounds(0, 0, gallery->GetWidth(), gallery->GetHeight());
    provider_.Calls.clear();
    gallery->Show();
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("editors_buttons_gradient_themed")));
    const std::size_t looks = GalleryLooks().size();
    // The Office-2003 row (the last), Flat column: its ellipsis button runs from the first to the second colour.
    auto* office = static_cast<TTestEdit*>(gallery->Containers[5 * looks]);
    const TRect b = office->EditViewInfo()->ButtonsInfo.back().Bounds;
    const COLORREF top = ComposedPixel(office->GetHandle(), b.left + 3, b.top + 1);
    const COLORREF bottom = ComposedPixel(office->GetHandle(), b.left + 3, b.bottom - 2);
    EXPECT_NE(top, bottom);
    EXPECT_NE(top, static_cast<COLORREF>(ColorToRGB(clBtnFace)));
    // Every native editor's four buttons went through the button theme.
    int themedButtons = 0;
    for (const TThemeCall& call : provider_.Calls)
        if (call.Function == "DrawThemeBackground" && provider_.ClassListOf(call.Theme) == L"Button") ++themedButtons;
    EXPECT_GE(themedButtons, 6 * 4);
}

TEST_F(EditControl, ButtonGalleryScreenshots) {
    TEditorGalleryForm* gallery = Keep(NewButtonGallery());
    gallery->SetBounds(0, 0, gallery->GetWidth(), gallery->GetHeight());
    gallery->Show();
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("editors_buttons")));
    for (TuiContainer* c : gallery->Containers)
        EXPECT_EQ(static_cast<TTestEdit*>(c)->EditViewInfo()->ButtonsInfo.size(), 4u);

    // Hot and pressed through the mouse, on the first button of every editor: each editor is copied into a
    // picture of its state while its button is in it.
    TBitmap hot, pressed;
    for (TBitmap* picture : {&hot, &pressed}) {
        picture->SetSize(gallery->ClientWidth(), gallery->ClientHeight());
        picture->Canvas()->Brush()->SetColor(clBtnFace);
        picture->Canvas()->FillRect(TRect{0, 0, picture->GetWidth(), picture->GetHeight()});
    }
    auto copyInto = [](TBitmap& APicture, TTestEdit* AEdit) {
        AEdit->Update();
        const TRect r{AEdit->GetLeft(), AEdit->GetTop(), AEdit->GetLeft() + AEdit->GetWidth(),
                      AEdit->GetTop() + AEdit->GetHeight()};
        APicture.Canvas()->CopyRect(r, AEdit->Canvas(), TRect{0, 0, AEdit->GetWidth(), AEdit->GetHeight()});
    };
    for (std::size_t i = 0; i < gallery->Containers.size(); ++i) {
        auto* e = static_cast<TTestEdit*>(gallery->Containers[i]);
        const TRect b = e->EditViewInfo()->ButtonsInfo[0].Bounds;
        const TPoint s = OnScreen(e, (b.left + b.right) / 2, (b.top + b.bottom) / 2);
        SetCursorPos(s.x, s.y);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        ProcessPendingMessages();
        EXPECT_EQ(e->EditViewInfo()->ButtonsInfo[0].State, ebsSelected) << i;
        copyInto(hot, e);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        EXPECT_EQ(e->EditViewInfo()->ButtonsInfo[0].State, ebsPressed) << i;
        copyInto(pressed, e);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    // Pressing repaints the button: in every style and look its picture differs from the hot one.
    for (std::size_t i = 0; i < gallery->Containers.size(); ++i) {
        auto* e = static_cast<TTestEdit*>(gallery->Containers[i]);
        const TRect b = e->EditViewInfo()->ButtonsInfo[0].Bounds;
        bool differs = false;
        for (int y = b.top; y < b.bottom && !differs; ++y)
            for (int x = b.left; x < b.right && !differs; ++x)
                differs = hot.Canvas()->GetPixel(e->GetLeft() + x, e->GetTop() + y) !=
                          pressed.Canvas()->GetPixel(e->GetLeft() + x, e->GetTop() + y);
        EXPECT_TRUE(differs) << "editor " << i;
    }
    EXPECT_TRUE(hot.SaveToPngFile(ScreenshotPath("editors_buttons_hot")));
    EXPECT_TRUE(pressed.SaveToPngFile(ScreenshotPath("editors_buttons_pressed")));
    auto* first = static_cast<TTestEdit*>(gallery->Containers[0]);
    for (TuiContainer* c : gallery->Containers) c->SetEnabled(false);
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("editors_buttons_disabled")));
    EXPECT_EQ(first->EditViewInfo()->ButtonsInfo[0].State, ebsDisabled);
}

}  // namespace
}  // namespace zel::test
