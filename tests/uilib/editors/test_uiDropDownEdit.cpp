// The drop-down editor on a shown form, driven by keys and the mouse through the input queue: the keys that
// open and close its popup with their reasons, the events of an opening, its set-up from the settings and
// the form, the size the user gives a sizeable popup, the button's states and the settings' rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/vcl/ClipboardText.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditRepository.h"

namespace zel::test {
namespace {

class TDropDownRepositoryItem : public TuiEditRepositoryItem {
public:
    explicit TDropDownRepositoryItem(TComponent* AOwner)
        : TuiEditRepositoryItem(AOwner, [](TPersistent* Owner) { return new TuiCustomDropDownEditProperties(Owner); }) {
    }
};

class DropDownEdit : public EditorErrorsTest {
protected:
    // A form at (100, 100) with the editor at (10, 10), 150 x 21, and a plain EDIT after it; the popup
    // is 200 x 120 unless a test says otherwise.
    void NewForm(int Y = 100) {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, Y, 300, 80);
        edit = Construct<TuiDropDownEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 150, 21);
        edit->TabOrder = 0;
        after = NewEditAfter(form, 45);
        P()->PopupAutoSize = false;
        P()->SetPopupWidth(200);
        P()->SetPopupHeight(120);
        P()->OnInitPopup = [this](TObject*) { log.push_back("init"); };
        P()->OnPopup = [this](TObject*) { log.push_back("popup"); };
        P()->OnCloseUp = [this](TObject*) { log.push_back("closeup " + std::to_string(edit->CloseUpReason)); };
        P()->OnPopupFinished = [this](TObject*) { log.push_back("finished"); };
        form->Show();
        ProcessPendingMessages();
        edit->SetFocus();
        ProcessPendingMessages();
    }
    TuiCustomDropDownEditProperties* P() const { return edit->DropDownProperties(); }
    bool Open() const { return edit->GetDroppedDown(); }
    TRect PopupRect() const { return edit->PopupWindow()->BoundsRect(); }
    TRect EditorScreenRect() {
        const TPoint p = OnScreen(edit, 0, 0);
        return TRect{p.x, p.y, p.x + edit->GetWidth(), p.y + edit->GetHeight()};
    }
    TPoint ButtonCentre() {
        const TRect b = edit->EditViewInfo()->ButtonsInfo.at(0).Bounds;
        return TPoint{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
    }
    void Press(TWinControl* AControl, TPoint P) {
        const TPoint s = OnScreen(AControl, P.x, P.y);
        SetCursorPos(s.x, s.y);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        ProcessPendingMessages();
        // What the press posted (a show request).
        ProcessPendingMessages();
    }
    void Release() {
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    }

    TEditorGalleryForm* form = nullptr;
    TuiDropDownEdit* edit = nullptr;
    TEdit* after = nullptr;
    std::vector<std::string> log;
};

TEST_F(DropDownEdit, KeysOpenAndCloseTheDropDownWithTheirReasons) {
    NewForm();
    struct Row {
        const char* Name;
        WORD OpenKey, OpenModifier, CloseKey, CloseModifier;
        bool PostOnTab;
        TuiCloseUpReason Reason;
    };
    const Row rows[] = {
        {"F4, F4", VK_F4, 0, VK_F4, 0, false, crClose},
        {"Alt+Down, Alt+Up", VK_DOWN, VK_MENU, VK_UP, VK_MENU, false, crClose},
        {"Alt+Down, Alt+Down", VK_DOWN, VK_MENU, VK_DOWN, VK_MENU, false, crClose},
        {"F4, Enter", VK_F4, 0, VK_RETURN, 0, false, crEnter},
        {"F4, Escape", VK_F4, 0, VK_ESCAPE, 0, false, crCancel},
        {"F4, Tab posting", VK_F4, 0, VK_TAB, 0, true, crTab},
    };
    for (const Row& row : rows) {
        log.clear();
        P()->PostPopupValueOnTab = row.PostOnTab;
        Tap(row.OpenKey, row.OpenModifier);
        ASSERT_TRUE(Open()) << row.Name;
        EXPECT_EQ(log, (std::vector<std::string>{"init", "popup"})) << row.Name;
        EXPECT_EQ(GetFocus(), edit->InnerEdit()->GetHandle()) << row.Name << ": the list popup leaves the focus";
        Tap(row.CloseKey, row.CloseModifier);
        EXPECT_FALSE(Open()) << row.Name;
        EXPECT_EQ(edit->CloseUpReason, row.Reason) << row.Name;
        EXPECT_EQ(log, (std::vector<std::string>{"init", "popup", "finished", "closeup " + std::to_string(row.Reason)}))
            << row.Name;
    }
    EXPECT_TRUE(errors.empty());
    // Alt+F4 is not the editor's toggle.
    log.clear();
    Tap(VK_F4, VK_MENU);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(log.empty());
}

TEST_F(DropDownEdit, LeavingTheEditorClosesWithReasonNone) {
    NewForm();
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    after->SetFocus();
    ProcessPendingMessages();
    EXPECT_FALSE(Open());
    EXPECT_EQ(edit->CloseUpReason, crUnknown);
    // Programmatic closing is reason 0 too, and closing a closed popup does nothing.
    edit->SetFocus();
    ProcessPendingMessages();
    edit->SetDroppedDown(true);
    EXPECT_FALSE(Open()) << "the show request is posted";
    ProcessPendingMessages();
    ASSERT_TRUE(Open());
    edit->SetDroppedDown(false);
    EXPECT_FALSE(Open());
    log.clear();
    edit->CloseUp(crEnter);
    EXPECT_TRUE(log.empty());
}

TEST_F(DropDownEdit, AFailingInitLeavesThePopupClosedAndTheNextOpeningInitialisesAgain) {
    NewForm();
    int calls = 0;
    P()->OnInitPopup = [&](TObject*) {
        if (++calls == 1) throw Exception("not now");
    };
    EXPECT_THROW(edit->SetDroppedDown(true), Exception);
    ProcessPendingMessages();
    EXPECT_FALSE(Open());
    EXPECT_FALSE(edit->PopupInitialized);
    // Through a key, the error goes to the application's handler.
    Tap(VK_F4);
    EXPECT_TRUE(Open());
    EXPECT_EQ(calls, 2);
    Tap(VK_F4);
    Tap(VK_F4);
    EXPECT_EQ(calls, 3) << "once per opening";
    // Opening twice before the show request arrives initialises once.
    Tap(VK_F4);
    edit->SetDroppedDown(true);
    edit->SetDroppedDown(true);
    ProcessPendingMessages();
    EXPECT_EQ(calls, 4);
}

TEST_F(DropDownEdit, EventsFireOnTheOwnSettingsThenOnTheRepositoryItems) {
    NewForm();
    TuiEditRepository repository(nullptr);
    auto* item = static_cast<TDropDownRepositoryItem*>(
        repository.CreateItem([](TComponent* owner) { return new TDropDownRepositoryItem(owner); }));
    auto* shared = static_cast<TuiCustomDropDownEditProperties*>(item->Properties());
    shared->PopupAutoSize = false;
    shared->OnInitPopup = [this](TObject*) { log.push_back("item init"); };
    shared->OnCloseUp = [this](TObject*) { log.push_back("item closeup"); };
    bool allow = false;
    shared->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = allow; };
    edit->SetRepositoryItem(item);
    log.clear();
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    EXPECT_EQ(log, (std::vector<std::string>{"init", "item init", "popup"}));
    // The close button asks both settings whether the popup may close.
    edit->PopupWindow()->ModalResult = mrOk;
    EXPECT_FALSE(edit->PopupWindow()->CloseQuery());
    allow = true;
    log.clear();
    Tap(VK_F4);
    EXPECT_EQ(log, (std::vector<std::string>{"finished", "closeup 2", "item closeup"}));
    edit->SetRepositoryItem(nullptr);
}

TEST_F(DropDownEdit, ThePopupIsSetUpFromTheSettingsTheStyleAndTheForm) {
    NewForm();
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(180);
    form->SetTransparentColor(true);
    form->SetTransparentColorValue(clFuchsia);
    edit->Style()->SetPopupBorderStyle(epbsSingle);
    edit->Style()->SetPopupCloseButton(true);
    P()->PopupSysPanelStyle = true;
    P()->PopupSizeable = true;
    P()->PopupClientEdge = true;
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    TuiCustomEditPopupWindow* w = edit->PopupWindow();
    EXPECT_TRUE(w->GetAlphaBlend());
    EXPECT_EQ(w->GetAlphaBlendValue(), 180);
    EXPECT_TRUE(w->GetTransparentColor());
    EXPECT_EQ(w->GetTransparentColorValue(), clFuchsia);
    EXPECT_EQ(w->GetPopupBorderStyle(), epbsSingle);
    EXPECT_TRUE(w->GetShowCloseButton());
    EXPECT_TRUE(w->GetPopupSysPanelStyle());
    EXPECT_TRUE(w->GetPopupClientEdge());
    const TRect e = EditorScreenRect();
    EXPECT_EQ(PopupRect(), (TRect{e.left, e.bottom, e.left + 200, e.bottom + 120}));
    Tap(VK_F4);

    // The popup's edges against the editor's: the width 0 is the editor's; right alignment lines the right
    // edges up; centred, the middles.
    P()->PopupSysPanelStyle = false;
    P()->PopupSizeable = false;
    struct Row {
        const char* Name;
        int Width;
        TAlignment Alignment;
        int Left;
    };
    const Row rows[] = {{"width 0", 0, taLeftJustify, e.left},
                        {"left", 200, taLeftJustify, e.left},
                        {"right", 200, taRightJustify, e.right - 200},
                        {"centre", 200, taCenter, e.left - 25}};
    for (const Row& row : rows) {
        P()->SetPopupWidth(row.Width);
        P()->SetPopupAlignment(row.Alignment);
        EXPECT_EQ(P()->GetPopupAlignment(), row.Alignment);
        Tap(VK_F4);
        ASSERT_TRUE(Open()) << row.Name;
        EXPECT_EQ(PopupRect().left, row.Left) << row.Name;
        EXPECT_EQ(PopupRect().Width(), row.Width == 0 ? edit->GetWidth() : row.Width) << row.Name;
        Tap(VK_F4);
    }
}

TEST_F(DropDownEdit, TheSizeTheUserGivesASizeablePopupIsKeptForTheNextOpening) {
    for (bool live : {true, false}) {
        NewForm();
        P()->PopupSizeable = true;
        P()->PopupSysPanelStyle = true;
        Tap(VK_F4);
        ASSERT_TRUE(Open());
        TuiCustomEditPopupWindow* w = edit->PopupWindow();
        w->LiveResize = live;
        const TRect grip = w->PopupViewInfo()->GripRect;
        ASSERT_FALSE(IsRectEmpty(&grip));
        Press(w, TPoint{(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2});
        const TPoint s = OnScreen(w, (grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2);
        SetCursorPos(s.x + 20, s.y + 15);
        ProcessPendingMessages();
        SetCursorPos(s.x + 40, s.y + 30);
        ProcessPendingMessages();
        Release();
        EXPECT_EQ(w->GetWidth(), 240) << (live ? "live" : "framed");
        EXPECT_EQ(w->GetHeight(), 150) << (live ? "live" : "framed");
        Tap(VK_ESCAPE);
        EXPECT_EQ(P()->GetPopupWidth(), 240) << (live ? "live" : "framed");
        EXPECT_EQ(P()->GetPopupHeight(), 150) << (live ? "live" : "framed");
        Tap(VK_F4);
        EXPECT_EQ(PopupRect().Width(), 240);
        EXPECT_EQ(PopupRect().Height(), 150);
        Tap(VK_F4);
        // A width the program sets afterwards is the next opening's, and stays.
        P()->SetPopupWidth(210);
        Tap(VK_F4);
        EXPECT_EQ(PopupRect().Width(), 210);
        Tap(VK_F4);
        EXPECT_EQ(P()->GetPopupWidth(), 210);
    }
}

TEST_F(DropDownEdit, APopupWithoutRoomBelowOpensAboveWithItsGripAtTheTop) {
    const TRect area = GetWorkAreaAtPoint(TPoint{100, 100});
    NewForm(area.bottom - 60);
    P()->PopupSizeable = true;
    P()->PopupSysPanelStyle = true;
    Tap(VK_F4);
    ASSERT_TRUE(Open());
    const TRect e = EditorScreenRect();
    EXPECT_EQ(PopupRect().bottom, e.top);
    TuiCustomEditPopupWindowViewInfo* vi = edit->PopupWindow()->PopupViewInfo();
    EXPECT_FALSE(vi->SysPanelAtBottom());
    EXPECT_LT(vi->GripRect.top, vi->ClientRect.top);
}

TEST_F(DropDownEdit, TypingOpensWithImmediateDropDownAndFocusingWithImmediatePopup) {
    NewForm();
    Tap('A');
    EXPECT_TRUE(Open());
    EXPECT_EQ(edit->GetDisplayText(), "a") << "the character is typed too";
    Tap(VK_ESCAPE);
    P()->ImmediateDropDown = false;
    Tap('B');
    EXPECT_FALSE(Open());
    EXPECT_EQ(edit->GetDisplayText(), "ab");

    // A paste that changes nothing opens the popup.
    P()->ImmediateDropDown = true;
    P()->SetMaxLength(2);
    ASSERT_TRUE(PutClipboardText("zz"));
    Tap('V', VK_CONTROL);
    EXPECT_TRUE(Open());
    Tap(VK_ESCAPE);

    P()->ImmediatePopup = true;
    after->SetFocus();
    ProcessPendingMessages();
    EXPECT_FALSE(Open());
    edit->SetFocus();
    ProcessPendingMessages();
    EXPECT_TRUE(Open());
}

TEST_F(DropDownEdit, TheButtonOpensAndClosesAndStaysPressedWhenAsked) {
    NewForm();
    const TPoint b = ButtonCentre();
    Press(edit, b);
    EXPECT_TRUE(Open());
    Release();
    EXPECT_TRUE(Open()) << "releasing does not close";
    EXPECT_EQ(edit->EditViewInfo()->ButtonsInfo.at(0).State, ebsSelected) << "normal look while open";
    ClickAt(edit, b);
    EXPECT_FALSE(Open()) << "a press on the button closes the open popup without opening it again";
    P()->ArrowStaysPressed = true;
    ClickAt(edit, b);
    ASSERT_TRUE(Open());
    SetCursorPos(2000, 2000);
    ProcessPendingMessages();
    edit->ShortRefresh();
    EXPECT_EQ(edit->EditViewInfo()->ButtonsInfo.at(0).State, ebsPressed);
    // A press in the text opens nothing.
    Tap(VK_ESCAPE);
    ClickAt(edit, TPoint{10, 10});
    EXPECT_FALSE(Open());
}

TEST_F(DropDownEdit, SettingsKeepTheirMinimumsAndTheGlyphChoosesTheButtonKind) {
    NewForm();
    struct Row {
        const char* Name;
        int MinWidth, MinHeight, Width, Height;
        int WantMinWidth, WantMinHeight, WantWidth, WantHeight;
    };
    const Row rows[] = {
        {"plain", 0, 0, 50, 60, 0, 0, 50, 60},
        {"negative minimums", -5, -7, 50, 60, 0, 0, 50, 60},
        {"width 0 stays", 100, 0, 0, 60, 100, 0, 0, 60},
        {"raised to the minimums", 100, 80, 50, 60, 100, 80, 100, 80},
        {"height 0 raised", 0, 80, 50, 0, 0, 80, 50, 80},
    };
    for (const Row& row : rows) {
        P()->SetPopupMinWidth(0);
        P()->SetPopupMinHeight(0);
        P()->SetPopupMinWidth(row.MinWidth);
        P()->SetPopupMinHeight(row.MinHeight);
        P()->SetPopupWidth(row.Width);
        P()->SetPopupHeight(row.Height);
        EXPECT_EQ(P()->GetPopupMinWidth(), row.WantMinWidth) << row.Name;
        EXPECT_EQ(P()->GetPopupMinHeight(), row.WantMinHeight) << row.Name;
        EXPECT_EQ(P()->GetPopupWidth(), row.WantWidth) << row.Name;
        EXPECT_EQ(P()->GetPopupHeight(), row.WantHeight) << row.Name;
    }
    // A minimum set after the size raises the size.
    P()->SetPopupMinWidth(0);
    P()->SetPopupWidth(50);
    P()->SetPopupMinWidth(70);
    EXPECT_EQ(P()->GetPopupWidth(), 70);

    TuiEditButton* button = P()->Buttons()->GetItem(0);
    EXPECT_EQ(button->GetKind(), bkDown);
    TBitmap glyph;
    glyph.SetSize(8, 8);
    P()->SetButtonGlyph(&glyph);
    EXPECT_EQ(button->GetKind(), bkGlyph);
    TBitmap none;
    P()->SetButtonGlyph(&none);
    EXPECT_EQ(button->GetKind(), bkDown);
    // A change of the glyph itself is noticed too.
    P()->GetButtonGlyph()->SetSize(6, 6);
    EXPECT_EQ(button->GetKind(), bkGlyph);

    // A copy takes the settings and the events.
    TuiCustomDropDownEditProperties copy(nullptr);
    P()->SetPopupAlignment(taRightJustify);
    P()->PostPopupValueOnTab = true;
    copy.Assign(P());
    EXPECT_EQ(copy.GetPopupAlignment(), taRightJustify);
    EXPECT_TRUE(copy.PostPopupValueOnTab);
    EXPECT_EQ(copy.GetPopupWidth(), 70);
    EXPECT_EQ(copy.GetPopupMinWidth(), 70);
    EXPECT_TRUE(static_cast<bool>(copy.OnInitPopup));
}

// A popup whose style leaves its border at the default takes one from the editor: a bordered editor (or one
// without buttons) by its border, a borderless one with buttons by its look; the popup shows that frame.
TEST_F(DropDownEdit, APopupLeftAtTheDefaultBorderIsFramedAfterTheEditor) {
    // The popup opens from the focused editor, so the focused style's border counts: hot-tracking, it is the
    // highlighted one (none shows flat, flat shows 3-D); the rows without hot-tracking keep their own border.
    struct Row {
        const char* Name;
        TuiLookAndFeelKind Look;
        bool SetBorder;
        TuiEditBorderStyle Border;
        bool HotTrack;
        TuiEditPopupBorderStyle Want;
    };
    const std::vector<Row> rows = {
        {"DefaultsEverywhere", lfUltraFlat, false, ebsNone, true, epbsSingle},
        {"StandardLooksBorder", lfStandard, false, ebsNone, true, epbsSingle},
        {"FlatBorder", lfStandard, true, ebsFlat, false, epbsFlat},
        {"FlatBorderHighlightedAs3D", lfStandard, true, ebsFlat, true, epbsSingle},
        {"ThickBorder", lfFlat, true, ebsThick, false, epbsSingle},
        {"BorderlessHighlightedAsFlat", lfStandard, true, ebsNone, true, epbsFlat},
        {"BorderlessInTheFlatLook", lfFlat, true, ebsNone, false, epbsFlat},
        {"BorderlessInTheStandardLook", lfStandard, true, ebsNone, false, epbsFrame3D},
        {"BorderlessInTheOffice2003Look", lfOffice11, true, ebsNone, false, epbsSingle},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        NewForm();
        ASSERT_EQ(edit->Style()->GetPopupBorderStyle(), epbsDefault);
        edit->Style()->GetLookAndFeel()->SetKind(row.Look);
        if (row.SetBorder) edit->Style()->SetEditBorderStyle(row.Border);
        edit->Style()->SetHotTrack(row.HotTrack);
        ProcessPendingMessages();
        Tap(VK_F4);
        ASSERT_TRUE(Open());
        TuiCustomEditPopupWindow* w = edit->PopupWindow();
        EXPECT_EQ(w->GetPopupBorderStyle(), row.Want);
        ProcessPendingMessages();
        EXPECT_GT(w->PopupViewInfo()->FrameWidth(), 0) << "the content sits inside a frame";
        if (row.Want == epbsSingle) {
            // A single frame is one line in the window frame colour all round.
            const auto frame = static_cast<COLORREF>(ColorToRGB(clWindowFrame));
            EXPECT_EQ(ComposedPixel(w->GetHandle(), w->GetWidth() / 2, 0), frame) << "top";
            EXPECT_EQ(ComposedPixel(w->GetHandle(), 0, w->GetHeight() / 2), frame) << "left";
            EXPECT_EQ(ComposedPixel(w->GetHandle(), w->GetWidth() - 1, w->GetHeight() - 1), frame) << "corner";
        }
        if (row.Name == std::string("DefaultsEverywhere")) {
            const TRect e = EditorScreenRect();
            const TRect p = PopupRect();
            const RECT area{e.left - 4, e.top - 4, std::max<int>(e.right, p.right) + 4, p.bottom + 4};
            EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("dropdown_default_popup_border")));
        }
        Tap(VK_ESCAPE);
        form->Hide();
    }
}

}  // namespace
}  // namespace zel::test
