// Forms and the application: the order of the form events, modal showing, closing and releasing,
// failures shown in a message box, the screen's active form, and multiple-document forms.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// A form that logs its events.
class TLoggedForm : public TForm {
public:
    explicit TLoggedForm(TComponent* owner, std::vector<std::string>* log) : TForm(owner), log_(log) {
        auto add = [this](const char* what) { return [this, what](TObject*) { log_->push_back(what); }; };
        OnCreate = add("create");
        OnShow = add("show");
        OnActivate = add("activate");
        OnHide = add("hide");
        OnDeactivate = add("deactivate");
        OnDestroy = add("destroy");
        OnCloseQuery = [this](TObject*, bool& can) {
            log_->push_back("closequery");
            can = AllowClose;
        };
        OnClose = [this](TObject*, TCloseAction& a) {
            log_->push_back("close");
            a = Action;
        };
        SetBounds(100, 100, 200, 120);
    }
    // Made by the application (CreateForm): logs nothing until given a log.
    explicit TLoggedForm(TComponent* owner) : TLoggedForm(owner, &spare_) {}
    std::string ClassName() const override { return "TLoggedForm"; }
    void SetLog(std::vector<std::string>* log) { log_ = log; }
    bool AllowClose = true;
    TCloseAction Action = caHide;

private:
    std::vector<std::string> spare_;
    std::vector<std::string>* log_;
};

using VclForms = VclTest;

TEST_F(VclForms, EventsComeInTheOriginalOrder) {
    std::vector<std::string> log;
    auto* form = Construct<TLoggedForm>(nullptr, &log);
    form->Show();
    ProcessPendingMessages();
    form->Close();
    delete form;
    std::vector<std::string> want{"create", "show", "activate", "closequery", "close", "hide", "deactivate", "destroy"};
    EXPECT_EQ(log, want);
}

TEST_F(VclForms, CloseQueryCanKeepTheFormAndCloseActionsDecide) {
    std::vector<std::string> log;
    auto* form = Construct<TLoggedForm>(nullptr, &log);
    form->Show();
    form->AllowClose = false;
    form->Close();
    EXPECT_TRUE(form->GetVisible());
    form->AllowClose = true;
    form->Action = caNone;
    form->Close();
    EXPECT_TRUE(form->GetVisible());
    form->Action = caHide;
    form->Close();
    EXPECT_FALSE(form->GetVisible());
    // caFree releases the form once the current message is done.
    form->Show();
    form->Action = caFree;
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Close();
    EXPECT_FALSE(destroyed);
    ProcessPendingMessages();
    EXPECT_TRUE(destroyed);
}

TEST_F(VclForms, ShowModalRunsUntilAModalResultAndDisablesTheOtherForms) {
    std::vector<std::string> log, otherLog;
    std::unique_ptr<TLoggedForm> otherForm(Construct<TLoggedForm>(nullptr, &otherLog));
    std::unique_ptr<TLoggedForm> dialogForm(Construct<TLoggedForm>(nullptr, &log));
    TLoggedForm* other = otherForm.get();
    TLoggedForm* dialog = dialogForm.get();
    other->Show();
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->ModalResult = mrOk;
    bool otherDisabled = false;
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        ++idles;
        otherDisabled = !IsWindowEnabled(other->GetHandle());
        if (idles == 3) ClickAt(ok->GetHandle(), 3, 3);
    };
    log.clear();
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other->GetHandle()));
    EXPECT_FALSE(dialog->GetVisible());
    EXPECT_FALSE(dialog->FormState().Contains(fsModal));
    // The desktop may bounce the activation while the modal loop starts; the order of the rest holds.
    std::vector<std::string> order;
    for (const std::string& e : log)
        if (e != "activate" && e != "deactivate") order.push_back(e);
    EXPECT_EQ(order, (std::vector<std::string>{"show", "closequery", "close", "hide"}));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[1], "activate");
    EXPECT_EQ(otherLog.back(), "activate");
    // Close while modal answers mrCancel; a refused close keeps the loop going.
    idles = 0;
    dialog->AllowClose = false;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (++idles == 2) dialog->Close();
        if (idles == 4) dialog->AllowClose = true;
        if (idles == 5) dialog->Close();
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(idles, 5);
    EXPECT_THROW(
        {
            dialog->Show();
            dialog->ShowModal();
        },
        EInvalidOperation);
}

TEST_F(VclForms, FailuresInHandlersAreShownInAMessageBoxAndAbortIsSilent) {
    auto* form = Keep(Construct<TForm>(nullptr));
    Application->Title = "Zelmovi";
    auto* button = new TButton(form);
    button->SetParent(form);
    int which = 0;
    button->OnClick = [&](TObject*) {
        if (which == 0) throw Exception("Error Loadind Sysex");
        if (which == 1) throw EAbort();
        throw std::runtime_error("Out of Resource.");
    };
    form->Show();
    ClickAt(button->GetHandle(), 2, 2);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Error Loadind Sysex.");
    EXPECT_EQ(Boxes[0].Caption, "Zelmovi");
    EXPECT_EQ(Boxes[0].Flags, MB_OK | MB_ICONSTOP);
    which = 1;
    ClickAt(button->GetHandle(), 2, 2);
    EXPECT_EQ(Boxes.size(), 1u);
    which = 2;
    ClickAt(button->GetHandle(), 2, 2);
    ASSERT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(Boxes[1].Text, "Out of Resource.");
    // A posted message's failure takes the same road.
    std::string seen;
    Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
    which = 0;
    PostMessage(button->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessage(button->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Application->ProcessMessages();
    EXPECT_EQ(seen, "Error Loadind Sysex");
}

TEST_F(VclForms, MessageDlgMapsTypeAndButtonsToTheWindowsChoices) {
    struct TRow {
        const char* name;
        TMsgDlgType type;
        TMsgDlgButtons buttons;
        UINT flags;
        const char* caption;
        std::vector<int> shown;  // the buttons of the box, in order
    } rows[] = {
        {"information ok", mtInformation, {mbOK}, MB_OK | MB_ICONINFORMATION, "Information", {IDOK}},
        {"warning retry",
         mtWarning,
         {mbRetry, mbCancel},
         MB_RETRYCANCEL | MB_ICONWARNING,
         "Warning",
         {IDRETRY, IDCANCEL}},
        {"confirm yes no cancel",
         mtConfirmation,
         mbYesNoCancel,
         MB_YESNOCANCEL | MB_ICONQUESTION,
         "Confirm",
         {IDYES, IDNO, IDCANCEL}},
        {"error ok cancel", mtError, mbOKCancel, MB_OKCANCEL | MB_ICONERROR, "Error", {IDOK, IDCANCEL}},
        // No Windows choice has these two: the box has exactly them, and no Cancel.
        {"information ok retry",
         mtInformation,
         {mbOK, mbRetry},
         MB_OK | MB_ICONINFORMATION,
         "Information",
         {IDOK, IDRETRY}},
    };
    for (const TRow& r : rows) {
        Boxes.clear();
        BoxAnswer = IDRETRY;
        EXPECT_EQ(MessageDlg("text", r.type, r.buttons, 0), mrRetry) << r.name;
        ASSERT_EQ(Boxes.size(), 1u) << r.name;
        EXPECT_EQ(Boxes[0].Flags, r.flags) << r.name;
        EXPECT_EQ(Boxes[0].Caption, r.caption) << r.name;
        EXPECT_EQ(Boxes[0].Buttons, r.shown) << r.name;
    }
}

TEST_F(VclForms, ScreenFollowsTheActiveFormAndHelpContextIsPassedOn) {
    int changes = 0;
    Screen->OnActiveFormChange = [&](TObject*) { ++changes; };
    auto* a = Keep(Construct<TForm>(nullptr));
    auto* b = Keep(Construct<TForm>(nullptr));
    EXPECT_GE(Screen->FormCount(), 2);
    a->Show();
    ProcessPendingMessages();
    EXPECT_EQ(Screen->ActiveForm(), a);
    b->Show();
    ProcessPendingMessages();
    EXPECT_EQ(Screen->ActiveForm(), b);
    EXPECT_GE(changes, 2);
    Screen->OnActiveFormChange = nullptr;
    int asked = 0;
    Application->OnHelp = [&](WORD, LONG_PTR data, bool&) {
        asked = static_cast<int>(data);
        return true;
    };
    EXPECT_TRUE(Application->HelpContext(30));
    EXPECT_EQ(asked, 30);
    Application->OnHelp = nullptr;
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(VclForms, ACentredFormIsPlacedInTheMiddleOfTheScreenWhenShown) {
    auto* f = Keep(Construct<TForm>(nullptr));
    f->SetBorderStyle(bsDialog);
    f->SetBounds(0, 0, 300, 200);
    f->Position = poScreenCenter;
    f->Show();
    EXPECT_EQ(f->GetLeft(), (Screen->Width() - 300) / 2);
    EXPECT_EQ(f->GetTop(), (Screen->Height() - 200) / 2);
}

TEST_F(VclForms, AShownFormWhoseWindowIsMadeAnewForAStyleStaysShownInItsPlace) {
    struct Case {
        const char* name;
        std::function<void(TForm*)> change;
    };
    const Case cases[] = {
        {"border style", [](TForm* f) { f->SetBorderStyle(bsDialog); }},
        {"border icons", [](TForm* f) { f->SetBorderIcons(TBorderIcons{biSystemMenu}); }},
        {"form style", [](TForm* f) { f->SetFormStyle(fsMDIForm); }},
        {"popup mode", [](TForm* f) { f->SetPopupMode(pmExplicit); }},
    };
    // Where a window stands among the top-level windows, the top first.
    const auto depth = [](HWND h) {
        int i = 0, found = -1;
        EnumWindows([&](HWND w) {
            if (w == h) found = i;
            ++i;
            return TRUE;
        });
        return found;
    };
    for (const Case& c : cases) {
        auto* under = Keep(Construct<TForm>(nullptr));
        auto* over = Keep(Construct<TForm>(nullptr));
        under->SetBounds(40, 50, 260, 180);
        over->SetBounds(120, 90, 240, 160);
        under->Show();
        over->Show();
        ProcessPendingMessages();
        // The inactive form underneath, then the active one on top.
        for (TForm* f : {under, over}) {
            RECT before;
            GetWindowRect(f->GetHandle(), &before);
            const HWND old = f->GetHandle();
            c.change(f);
            ProcessPendingMessages();
            ASSERT_NE(f->GetHandle(), old) << c.name;
            EXPECT_TRUE(f->GetVisible()) << c.name;
            EXPECT_TRUE(IsWindowVisible(f->GetHandle())) << c.name;
            RECT after;
            GetWindowRect(f->GetHandle(), &after);
            EXPECT_TRUE(EqualRect(&before, &after)) << c.name;
            EXPECT_LT(depth(over->GetHandle()), depth(under->GetHandle())) << c.name;
            EXPECT_EQ(GetActiveWindow(), over->GetHandle()) << c.name;
            EXPECT_EQ(Screen->ActiveForm(), over) << c.name;
        }
        under->Hide();
        over->Hide();
    }
}

TEST_F(VclForms, FileDialogsAreAnsweredByTheScriptInTests) {
    TOpenDialog open(nullptr);
    open.Filter = "Syx file|*.Syx";
    open.DefaultExt = "Syx";
    std::string shownFilter;
    auto old = SetFileDialogAnswerer([&](TOpenDialog& d) {
        shownFilter = d.Filter;
        if (d.IsSaveDialog()) return false;
        d.FileName = "/tmp/x.Syx";
        return true;
    });
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName, "/tmp/x.Syx");
    EXPECT_EQ(open.Files()->Count(), 1);
    EXPECT_EQ(shownFilter, "Syx file|*.Syx");
    TSaveDialog save(nullptr);
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.Files()->Count(), 0);
    SetFileDialogAnswerer(std::move(old));
}

TEST_F(VclForms, MdiChildrenLiveInTheMainFormsClientWindow) {
    auto* main = Keep(Construct<TForm>(nullptr));
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(0, 0, 500, 400);
    Application->MainForm = main;
    main->Show();
    ASSERT_NE(main->ClientHandle(), nullptr);
    EXPECT_EQ(GetClassName(main->ClientHandle()), "MDICLIENT");
    auto* one = Keep(Construct<TForm>(nullptr));
    one->SetFormStyle(fsMDIChild);
    one->SetBounds(10, 10, 150, 100);
    one->Show();
    auto* two = Keep(Construct<TForm>(nullptr));
    two->SetFormStyle(fsMDIChild);
    two->SetBounds(40, 40, 150, 100);
    two->Show();
    EXPECT_EQ(GetParent(one->GetHandle()), main->ClientHandle());
    EXPECT_EQ(main->MDIChildCount(), 2);
    EXPECT_EQ(main->ActiveMDIChild(), two);
    // The child made active hears it through the call-window-procedure hooks as well.
    static std::vector<HWND> childActivated;
    childActivated.clear();
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROC, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (m->message == WM_CHILDACTIVATE) childActivated.push_back(m->hwnd);
        return CallNextHookEx(nullptr, code, wp, lp);
    });
    main->Next();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(main->ActiveMDIChild(), one);
    EXPECT_EQ(childActivated, std::vector<HWND>{one->GetHandle()});
    main->Cascade();
    EXPECT_NE(one->GetLeft(), two->GetLeft());
    // A click inside a child makes it the active one (left of the cascaded window above it).
    ASSERT_EQ(main->ActiveMDIChild(), one);
    POINT inside{5, 40};
    ClientToScreen(two->GetHandle(), &inside);
    SetCursorPos(inside.x, inside.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(main->ActiveMDIChild(), two);
    // Closing a child minimizes it by default, as the original does.
    two->Close();
    EXPECT_EQ(two->GetWindowState(), wsMinimized);
    Application->MainForm = nullptr;
}

TEST_F(VclForms, OnlyTheActiveMdiChildDrawsAnActiveCaptionAndNoneWhileTheFrameIsInactive) {
    ASSERT_NE(GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTION));
    auto* main = Keep(Construct<TForm>(nullptr));
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(0, 0, 500, 400);
    Application->MainForm = main;
    main->Show();
    auto* a = Keep(Construct<TForm>(nullptr));
    a->SetFormStyle(fsMDIChild);
    a->SetBounds(10, 10, 150, 100);
    a->Show();
    auto* b = Keep(Construct<TForm>(nullptr));
    b->SetFormStyle(fsMDIChild);
    b->SetBounds(200, 150, 150, 100);
    b->Show();
    ProcessPendingMessages();
    ASSERT_EQ(GetActiveWindow(), main->GetHandle());
    auto expectActive = [&](TForm* active, const char* how) {
        ProcessPendingMessages();
        EXPECT_EQ(main->ActiveMDIChild(), active) << how;
        EXPECT_EQ(CaptionDrawnActive(a->GetHandle()), active == a) << how;
        EXPECT_EQ(CaptionDrawnActive(b->GetHandle()), active == b) << how;
    };
    auto click = [](TForm* f, POINT at, bool caption) {
        if (caption) {
            RECT r{};
            GetWindowRect(f->GetHandle(), &r);
            POINT client{0, 0};
            ClientToScreen(f->GetHandle(), &client);
            at = POINT{client.x + 10, (r.top + client.y) / 2};
        } else {
            ClientToScreen(f->GetHandle(), &at);
        }
        SetCursorPos(at.x, at.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
    };
    expectActive(b, "the child shown last");
    SendMessage(main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->GetHandle()), 0);
    expectActive(a, "activated by message");
    SendMessage(main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b->GetHandle()), 0);
    expectActive(b, "activated by message");
    click(a, POINT{20, 20}, false);
    expectActive(a, "a click on the client area");
    click(b, POINT{20, 20}, false);
    expectActive(b, "a click on the client area");
    click(a, POINT{}, true);
    expectActive(a, "a click on the caption");
    click(b, POINT{}, true);
    expectActive(b, "a click on the caption");
    SaveWindowImage(main->GetHandle(), ScreenshotPath("mdi_active_child"));

    // Another window takes the activation: no child caption is active; back on the frame, the active one is.
    auto* other = Keep(Construct<TForm>(nullptr));
    other->SetBounds(600, 100, 150, 100);
    other->Show();
    ProcessPendingMessages();
    ASSERT_EQ(GetActiveWindow(), other->GetHandle());
    EXPECT_FALSE(CaptionDrawnActive(a->GetHandle()));
    EXPECT_FALSE(CaptionDrawnActive(b->GetHandle()));
    EXPECT_FALSE(CaptionDrawnActive(main->GetHandle()));
    // The inactive frame's children change places: still none is drawn active.
    SendMessage(main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->GetHandle()), 0);
    ProcessPendingMessages();
    EXPECT_FALSE(CaptionDrawnActive(a->GetHandle()));
    EXPECT_FALSE(CaptionDrawnActive(b->GetHandle()));
    SetActiveWindow(main->GetHandle());
    expectActive(a, "the frame active again");
    EXPECT_TRUE(CaptionDrawnActive(main->GetHandle()));
    // A click on the caption of a child of the inactive frame activates both.
    SetActiveWindow(other->GetHandle());
    click(b, POINT{}, true);
    ASSERT_EQ(GetActiveWindow(), main->GetHandle());
    expectActive(b, "a click on the caption of the inactive frame");
    // The active child goes: the one left is the active one and draws so.
    b->Hide();
    ProcessPendingMessages();
    EXPECT_EQ(main->ActiveMDIChild(), a);
    ProcessPendingMessages();
    EXPECT_TRUE(CaptionDrawnActive(a->GetHandle()));
    Application->MainForm = nullptr;
}

TEST_F(VclForms, RunHandlesMessagesUntilTheMainFormClosesAndFormsOwnedByTheApplicationAreDestroyed) {
    std::vector<std::string> log;
    TLoggedForm* main = nullptr;
    Application->CreateForm(main);  // the first form made this way is the main form
    ASSERT_EQ(Application->MainForm, main);
    main->SetLog(&log);
    int seen = 0;
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message == WM_USER + 1) {
            ++seen;
            handled = true;
        }
    };
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (++idles == 1) PostMessage(main->GetHandle(), WM_USER + 1, 0, 0);
        if (idles == 3) main->Close();
        if (idles > 1000) Application->Terminate();  // never hang the test
    };
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(seen, 1);
    EXPECT_LT(idles, 1000);
    EXPECT_FALSE(main->GetVisible());
    // The owner frees its forms; each still hears OnDestroy.
    Application->DestroyComponents();
    EXPECT_EQ(log.back(), "destroy");
    Application->OnMessage = nullptr;
    ProcessPendingMessages();
}

TEST_F(VclForms, BitmapsHaveACanvasAndCanvasesDrawOnThem) {
    TBitmap bmp;
    bmp.SetSize(20, 10);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clYellow);
    c->FillRect(Rect(0, 0, 20, 10));
    c->Pen()->SetColor(clNavy);
    c->MoveTo(0, 5);
    c->LineTo(20, 5);
    EXPECT_EQ(c->GetPixel(3, 2), static_cast<TColor>(RGB(255, 255, 0)));
    EXPECT_EQ(c->GetPixel(3, 5), static_cast<TColor>(RGB(0, 0, 128)));
    EXPECT_GT(c->TextWidth("Midi Thru"), c->TextWidth("Midi"));
    // Growing keeps the pixels; another bitmap draws the first one.
    bmp.SetWidth(30);
    EXPECT_EQ(bmp.Canvas()->GetPixel(3, 2), static_cast<TColor>(RGB(255, 255, 0)));
    TBitmap copy;
    copy.SetSize(40, 20);
    copy.Canvas()->Draw(10, 10, &bmp);
    EXPECT_EQ(copy.Canvas()->GetPixel(13, 15), static_cast<TColor>(RGB(0, 0, 128)));
    EXPECT_EQ(copy.Canvas()->GetPixel(5, 5), static_cast<TColor>(RGB(255, 255, 255)));
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

// A panel of controls made and freed while the form lives, as an editor rebuilds a page.
TEST_F(VclForms, FreeingAFocusedOrCapturedControlLeavesTheFormSound) {
    struct TRow {
        const char* Name;
        bool Capture;  // the button holds the mouse when its panel goes
    };
    const TRow rows[] = {{"the focus on an edit of the panel", false}, {"the mouse held on a button", true}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        auto* form = Construct<TForm>(nullptr);
        form->SetBounds(50, 50, 300, 200);
        form->Show();
        auto* panel = new TPanel(form);
        panel->SetBounds(10, 10, 200, 100);
        panel->SetParent(form);
        auto* edit = new TEdit(form);
        edit->SetBounds(8, 8, 100, 21);
        edit->SetParent(panel);
        auto* button = new TButton(form);
        button->SetBounds(8, 40, 80, 25);
        button->SetParent(panel);
        int clicks = 0;
        button->OnClick = [&clicks](TObject*) { ++clicks; };
        ProcessPendingMessages();
        form->FocusControl(edit);
        ASSERT_EQ(form->GetActiveControl(), edit);
        if (row.Capture) {
            SendMessage(button->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
            ASSERT_EQ(GetCapture(), button->GetHandle());
        }
        const HWND buttonHandle = button->GetHandle();
        const int owned = form->ComponentCount();
        delete panel;  // the edit and the button go with it
        EXPECT_EQ(form->ComponentCount(), owned - 3);
        EXPECT_EQ(form->GetActiveControl(), nullptr);
        EXPECT_EQ(GetFocus(), form->GetHandle());
        EXPECT_EQ(GetCapture(), nullptr);
        // What the user does next reaches no freed control.
        PostMessage(buttonHandle, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        PostMessage(form->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
        ProcessPendingMessages();
        EXPECT_EQ(clicks, 0);
        form->SelectNext(nullptr, true, true);
        delete form;
    }
}

}  // namespace
}  // namespace zel::test
