// The control core on the window manager: messages through WindowProc, component messages, painting
// on the canvas into the window's image, mouse routing to graphic controls, focus and alignment, and
// the standard controls' window protocols.
#include <gtest/gtest.h>

#include "platform/rtl/Clock.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Gauges.h"
#include "platform/vcl/Spin.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Gdi.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// A control that fills itself red in Paint and records the messages it sees.
class TRedBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::string ClassName() const override { return "TRedBox"; }
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(GetClientRect());
    }
};

class TBlueMark : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::string ClassName() const override { return "TBlueMark"; }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(GetClientRect());
    }
};

class VclControls : public VclTest {
protected:
    TForm* NewForm() {
        auto* f = Keep(Construct<TForm>(nullptr));
        f->SetBorderStyle(bsSingle);
        f->SetBounds(50, 50, 240, 200);
        f->SetClientWidth(200);
        f->SetClientHeight(150);
        return f;
    }
};

TEST_F(VclControls, PaintDrawsOnTheCanvasIntoTheWindowImageAndParentsDrawGraphicChildren) {
    TForm* form = NewForm();
    auto* box = new TRedBox(form);
    box->SetBounds(10, 10, 40, 30);
    box->SetParent(form);
    auto* mark = new TBlueMark(form);
    mark->SetBounds(100, 20, 20, 20);
    mark->SetParent(form);
    form->Show();
    ProcessPendingMessages();
    EXPECT_GE(box->Paints, 1);
    HWND h = form->GetHandle();
    RECT wr;
    GetWindowRect(h, &wr);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    const int dx = origin.x - wr.left, dy = origin.y - wr.top;
    EXPECT_EQ(ComposedPixel(h, dx + 20, dy + 20), RGB(255, 0, 0));
    EXPECT_EQ(ComposedPixel(h, dx + 110, dy + 30), RGB(0, 0, 255));
    // Drawing outside Paint reaches the image at once.
    box->Canvas()->Brush()->SetColor(clLime);
    box->Canvas()->FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(ComposedPixel(h, dx + 11, dy + 11), RGB(0, 255, 0));
    // Hiding the graphic control lets the form's background show.
    mark->Hide();
    ProcessPendingMessages();
    EXPECT_NE(ComposedPixel(h, dx + 110, dy + 30), RGB(0, 0, 255));
}

TEST_F(VclControls, TheCanvasDrawsOverTheWholeControlAfterItIsResized) {
    TForm* form = NewForm();
    auto* box = new TRedBox(form);
    box->SetParent(form);
    auto* mark = new TBlueMark(form);
    mark->SetParent(form);
    form->Show();
    ProcessPendingMessages();
    struct Case {
        const char* name;
        TControl* control;
        TCanvas* canvas;
        HWND window;  // the window it draws on, where its (0, 0) lies at origin
        TPoint origin;
    };
    const Case cases[] = {
        {"a windowed control", box, box->Canvas(), box->GetHandle(), TPoint{0, 0}},
        {"a graphic control", mark, mark->Canvas(), form->GetHandle(), TPoint{10, 10}},
    };
    for (const Case& c : cases) {
        c.control->SetBounds(c.origin.x, c.origin.y, 40, 30);
        // What the window shows now, read through a device context of its own (no painting in between).
        const auto pixel = [&c](int x, int y) {
            HDC dc = GetDC(c.window);
            const COLORREF color = GetPixel(dc, c.origin.x + x, c.origin.y + y);
            ReleaseDC(c.window, dc);
            return color;
        };
        // The canvas fetches its device context here, then the control grows and shrinks under it.
        c.canvas->Brush()->SetColor(clLime);
        c.canvas->FillRect(Rect(0, 0, 5, 5));
        EXPECT_EQ(pixel(2, 2), RGB(0, 255, 0)) << c.name;
        for (const TRect size : {Rect(0, 0, 150, 110), Rect(0, 0, 60, 50)}) {
            c.control->SetBounds(c.origin.x, c.origin.y, size.right, size.bottom);
            c.canvas->Brush()->SetColor(clFuchsia);
            c.canvas->FillRect(c.control->GetClientRect());
            EXPECT_EQ(pixel(1, 1), RGB(255, 0, 255)) << c.name << " " << size.right;
            EXPECT_EQ(pixel(size.right - 1, size.bottom - 1), RGB(255, 0, 255)) << c.name << " " << size.right;
        }
        c.control->Hide();
        ProcessPendingMessages();
    }
}

TEST_F(VclControls, MessagesGoThroughAReplaceableWindowProcAndComponentMessagesKeepTheirNumbers) {
    TForm* form = NewForm();
    auto* box = new TRedBox(form);
    box->SetParent(form);
    std::vector<UINT> seen;
    TWndMethod old = box->WindowProc;
    box->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        old(m);
    };
    box->Font()->SetHeight(-20);
    EXPECT_EQ(CM_FONTCHANGED, 0xB00Eu);
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_FONTCHANGED), seen.end());
    // A window message sent to the handle reaches the same procedure.
    box->HandleNeeded();
    seen.clear();
    SendMessage(box->GetHandle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 7}));
    box->WindowProc = old;
}

TEST_F(VclControls, PressingTheMouseElsewhereSendsCancelModeToTheActiveControl) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* box = new TRedBox(form);
    box->SetBounds(100, 10, 40, 40);
    box->SetParent(form);
    form->Show();
    form->SetActiveControl(edit);
    LPARAM sender = 0;
    TWndMethod old = edit->WindowProc;
    edit->WindowProc = [&](TMessage& m) {
        if (m.Msg == 0xB004) sender = m.LParam;
        old(m);
    };
    SendMessage(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessage(box->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(sender, reinterpret_cast<LPARAM>(box));
    edit->WindowProc = old;
}

TEST_F(VclControls, ClicksReachGraphicControlsThroughTheirParent) {
    TForm* form = NewForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("Click me");
    label->SetBounds(20, 30, 60, 16);
    int clicks = 0;
    int downX = -1;
    label->OnClick = [&](TObject*) { ++clicks; };
    label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int) { downX = x; };
    form->Show();
    ClickAt(form->GetHandle(), 25, 35);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downX, 5);
    ClickAt(form->GetHandle(), 150, 100);  // beside it
    EXPECT_EQ(clicks, 1);
}

TEST_F(VclControls, AWindowedControlWithCaptureMouseHoldsTheMouseUntilItsLastButtonGoesUp) {
    TForm* form = NewForm();
    auto* plain = new TRedBox(form);
    plain->SetParent(form);
    plain->SetBounds(10, 10, 50, 50);
    plain->ControlStyle.Exclude(csCaptureMouse);
    auto* capturing = new TRedBox(form);
    capturing->SetParent(form);
    capturing->SetBounds(100, 10, 50, 50);
    form->Show();
    SendMessage(plain->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessage(plain->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND h = capturing->GetHandle();
    SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), h);
    SendMessage(h, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessage(h, WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), h);  // the right button is still down
    SendMessage(h, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(VclControls, MouseEnterAndLeaveReachTheControlAndThenItsParents) {
    TForm* form = NewForm();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 120, 100);
    auto* mark = new TBlueMark(form);
    mark->SetParent(panel);
    mark->SetBounds(10, 10, 30, 30);
    auto* box = new TRedBox(form);
    box->SetParent(panel);
    box->SetBounds(60, 10, 40, 40);
    std::vector<std::string> log;
    const auto watch = [&](TControl* c, const char* name) {
        c->WindowProc = [&log, c, name, old = c->WindowProc](TMessage& m) {
            if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) {
                auto* about = reinterpret_cast<TControl*>(m.LParam);
                log.push_back(std::string(m.Msg == CM_MOUSEENTER ? "enter " : "leave ") + name + "/" +
                              about->ClassName());
            }
            old(m);
        };
    };
    watch(panel, "panel");
    watch(mark, "mark");
    watch(box, "box");
    form->Show();
    SendMessage(panel->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));  // over the graphic mark
    SendMessage(box->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessage(box->GetHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"enter mark/TBlueMark", "enter panel/TBlueMark", "leave mark/TBlueMark",
                                             "leave panel/TBlueMark", "enter box/TRedBox", "enter panel/TRedBox",
                                             "leave box/TRedBox", "leave panel/TRedBox"}));
}

// No window's mouse move tells a control that the pointer left every window of the program: the next idle
// time does, and only then.
TEST_F(VclControls, AControlHearsTheMouseLeaveAtIdleWhenThePointerIsOverNoWindow) {
    TForm* form = NewForm();
    form->SetBounds(40, 40, 200, 150);
    auto* mark = new TBlueMark(form);
    mark->SetParent(form);
    mark->SetBounds(10, 10, 30, 30);
    int leaves = 0;
    mark->WindowProc = [&, old = mark->WindowProc](TMessage& m) {
        if (m.Msg == CM_MOUSELEAVE) ++leaves;
        old(m);
    };
    form->Show();
    const auto idle = [&] {
        PostMessage(form->GetHandle(), WM_NULL, 0, 0);  // so that the idle's wait ends at once
        Application->Idle();
        Application->ProcessMessages();
    };
    POINT over{15, 15};
    ClientToScreen(form->GetHandle(), &over);
    SetCursorPos(over.x, over.y);
    SendMessage(form->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
    idle();
    EXPECT_EQ(leaves, 0);  // still over the form
    SetCursorPos(over.x + 5000, over.y + 5000);
    idle();
    EXPECT_EQ(leaves, 1);
    idle();
    EXPECT_EQ(leaves, 1);
}

TEST_F(VclControls, ScrollMessagesAreReflectedToTheChildTheyName) {
    TForm* form = NewForm();
    auto* box = new TRedBox(form);
    box->SetParent(form);
    std::vector<UINT> seen;
    box->WindowProc = [&, old = box->WindowProc](TMessage& m) {
        if (m.Msg >= CN_BASE) seen.push_back(m.Msg);
        old(m);
    };
    form->Show();
    const LPARAM child = reinterpret_cast<LPARAM>(box->GetHandle());
    for (UINT msg : {WM_HSCROLL, WM_VSCROLL, WM_CTLCOLORSCROLLBAR}) SendMessage(form->GetHandle(), msg, 0, child);
    EXPECT_EQ(seen, (std::vector<UINT>{CN_HSCROLL, CN_VSCROLL, CN_CTLCOLORSCROLLBAR}));
}

TEST_F(VclControls, Ctl3DFollowsTheParentUntilSetItself) {
    TForm* form = NewForm();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* box = new TRedBox(form);
    box->SetParent(panel);
    int changes = 0;
    box->WindowProc = [&, old = box->WindowProc](TMessage& m) {
        if (m.Msg == CM_CTL3DCHANGED) ++changes;
        old(m);
    };
    panel->SetCtl3D(false);
    EXPECT_FALSE(box->GetCtl3D());
    EXPECT_TRUE(box->GetParentCtl3D());
    EXPECT_EQ(changes, 1);
    box->SetCtl3D(true);
    EXPECT_FALSE(box->GetParentCtl3D());
    panel->SetCtl3D(true);
    panel->SetCtl3D(false);
    EXPECT_TRUE(box->GetCtl3D());  // no longer follows
    box->SetParentCtl3D(true);
    EXPECT_FALSE(box->GetCtl3D());
}

TEST_F(VclControls, AlignPlacesTopBottomLeftRightAndClientInOrder) {
    TForm* form = NewForm();
    auto make = [&](TAlign a, int size) {
        auto* p = new TPanel(form);
        p->SetBounds(0, 0, size, size);
        p->SetAlign(a);
        p->SetParent(form);
        return p;
    };
    TPanel* top = make(alTop, 20);
    TPanel* bottom = make(alBottom, 30);
    TPanel* left = make(alLeft, 40);
    TPanel* client = make(alClient, 5);
    form->Show();
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 120, 200, 150));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 40, 120));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 20, 200, 120));
    form->SetClientWidth(300);
    EXPECT_EQ(client->BoundsRect(), Rect(40, 20, 300, 120));
    top->Hide();
    EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 40, 120));
}

TEST_F(VclControls, ConstraintsKeepTheSizeInsideTheirLimitsAndCustomAlignmentIsLeftAlone) {
    TForm* form = NewForm();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* mark = new TBlueMark(form);
    mark->SetParent(form);
    form->Show();
    struct Case {
        int MinWidth, MinHeight, MaxWidth, MaxHeight;
        int Width, Height;
        int WantWidth, WantHeight;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 5, 500, 5, 500},        // no limits
        {30, 20, 0, 0, 5, 5, 30, 20},        // minimums
        {0, 0, 60, 40, 100, 100, 60, 40},    // maximums
        {30, 20, 60, 40, 45, 25, 45, 25},    // inside both
        {30, 0, 0, 40, 10, 100, 30, 40},     // one of each
        {30, 20, 60, 40, -10, -10, 30, 20},  // negative sizes meet the minimum
        {0, 0, 60, 0, -10, -10, 0, 0},       // and are 0 without one
    };
    for (TControl* c : {static_cast<TControl*>(panel), static_cast<TControl*>(mark)}) {
        for (const Case& k : cases) {
            SCOPED_TRACE(c->ClassName() + " " + std::to_string(k.MinWidth) + "," + std::to_string(k.MinHeight) + "," +
                         std::to_string(k.MaxWidth) + "," + std::to_string(k.MaxHeight) + " " +
                         std::to_string(k.Width) + "x" + std::to_string(k.Height));
            c->Constraints()->SetMinWidth(0);
            c->Constraints()->SetMinHeight(0);
            c->Constraints()->SetMaxWidth(0);
            c->Constraints()->SetMaxHeight(0);
            c->Constraints()->SetMinWidth(k.MinWidth);
            c->Constraints()->SetMinHeight(k.MinHeight);
            c->Constraints()->SetMaxWidth(k.MaxWidth);
            c->Constraints()->SetMaxHeight(k.MaxHeight);
            c->SetBounds(3, 4, k.Width, k.Height);
            EXPECT_EQ(c->BoundsRect(), Rect(3, 4, 3 + k.WantWidth, 4 + k.WantHeight));
        }
    }
    ASSERT_NE(panel->Handle(), nullptr);
    RECT r;
    GetWindowRect(panel->Handle(), &r);
    EXPECT_EQ(r.Width(), panel->GetWidth()) << "the window follows the limited size";

    // A limit set later resizes the control at once; a minimum above the maximum moves the maximum up.
    panel->Constraints()->SetMaxWidth(0);
    panel->Constraints()->SetMinWidth(0);
    panel->SetBounds(0, 0, 100, 50);
    panel->Constraints()->SetMaxWidth(70);
    EXPECT_EQ(panel->GetWidth(), 70);
    panel->Constraints()->SetMinWidth(90);
    EXPECT_EQ(panel->Constraints()->GetMaxWidth(), 90);
    EXPECT_EQ(panel->GetWidth(), 90);
    panel->Constraints()->SetMaxWidth(40);
    EXPECT_EQ(panel->Constraints()->GetMinWidth(), 40);
    EXPECT_EQ(panel->GetWidth(), 40);

    // The alignment leaves a custom-aligned control where it is, also when the parent resizes.
    panel->Constraints()->SetMinWidth(0);
    panel->Constraints()->SetMaxWidth(0);
    auto* client = new TPanel(form);
    client->SetAlign(alClient);
    client->SetParent(form);
    panel->SetAlign(alCustom);
    panel->SetBounds(15, 25, 35, 45);
    form->SetClientWidth(260);
    EXPECT_EQ(panel->BoundsRect(), Rect(15, 25, 50, 70));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 260, 150));
}

// A windowed control that counts the showing changes it is told of.
class TShowingBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::string ClassName() const override { return "TShowingBox"; }
    std::vector<bool> Changes;  // Showing() at each CM_SHOWINGCHANGED

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_SHOWINGCHANGED) Changes.push_back(Showing());
        TCustomControl::WndProc(Message);
    }
};

TEST_F(VclControls, AWindowedControlHearsWhenItStartsOrStopsShowing) {
    TForm* form = NewForm();
    auto* outer = new TShowingBox(form);
    outer->SetParent(form);
    auto* inner = new TShowingBox(form);
    inner->SetParent(outer);
    auto* hidden = new TShowingBox(form);
    hidden->SetVisible(false);
    hidden->SetParent(outer);
    using V = std::vector<bool>;

    form->Show();
    EXPECT_EQ(outer->Changes, V{true}) << "the form showing shows its children";
    EXPECT_EQ(inner->Changes, V{true});
    EXPECT_EQ(hidden->Changes, V{});
    outer->Hide();
    EXPECT_EQ(outer->Changes, (V{true, false}));
    EXPECT_EQ(inner->Changes, (V{true, false})) << "a parent's visibility";
    inner->Hide();
    EXPECT_EQ(inner->Changes, (V{true, false})) << "hiding under a hidden parent changes no showing";
    outer->Show();
    EXPECT_EQ(outer->Changes, (V{true, false, true}));
    EXPECT_EQ(inner->Changes, (V{true, false}));
    inner->Show();
    hidden->Show();
    EXPECT_EQ(inner->Changes, (V{true, false, true}));
    EXPECT_EQ(hidden->Changes, V{true});
    form->Hide();
    EXPECT_EQ(outer->Changes, (V{true, false, true, false}));
    EXPECT_EQ(hidden->Changes, (V{true, false}));
}

TEST_F(VclControls, TabMovesTheFocusInTabOrderAndEnterClicksTheDefaultButton) {
    TForm* form = NewForm();
    auto* first = new TEdit(form);
    first->SetParent(form);
    first->TabOrder = 1;
    auto* second = new TEdit(form);
    second->SetParent(form);
    second->SetTop(30);
    second->TabOrder = 0;
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetTop(60);
    ok->SetDefault(true);
    ok->TabOrder = 2;
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    second->SetFocus();
    EXPECT_TRUE(second->Focused());
    SendMessage(second->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(form->GetActiveControl(), first);
    SendMessage(first->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(VclControls, EditAnswersTheEditMessagesAndReportsChanges) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetMaxLength(6);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    HWND h = edit->GetHandle();
    EXPECT_EQ(GetClassName(h), "TEdit");
    for (char c : std::string("abc")) SendMessage(h, WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_EQ(edit->GetText(), "abc");
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(edit->GetModified());
    SendMessage(h, EM_SETSEL, 1, 2);
    SendMessage(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("XYZW"));
    EXPECT_EQ(edit->GetText(), "aXYZWc");
    SendMessage(h, WM_CHAR, 'q', 0);  // the limit of six is reached
    EXPECT_EQ(edit->GetText(), "aXYZWc");
    SendMessage(h, WM_KEYDOWN, VK_HOME, 0);
    SendMessage(h, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(edit->GetText(), "XYZWc");
    edit->SetText("new");
    EXPECT_EQ(edit->GetText(), "new");
    EXPECT_FALSE(edit->GetModified());
    // A window of the class made directly behaves the same.
    HWND raw = CreateWindowEx(0, "EDIT", "x", WS_CHILD | WS_VISIBLE, 0, 100, 80, 20, form->GetHandle(), nullptr,
                              nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    SendMessage(raw, WM_CHAR, 'y', 0);
    char buf[16] = {};
    GetWindowText(raw, buf, 16);
    EXPECT_STREQ(buf, "yx");
    DestroyWindow(raw);
}

TEST_F(VclControls, MemoLinesFollowTheTextAndAddingShowsTheNewLine) {
    TForm* form = NewForm();
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 150, 60);
    form->Show();
    HWND h = memo->GetHandle();
    for (int i = 0; i < 40; ++i) memo->Lines()->Add("F0 41 10 6A " + std::to_string(i));
    EXPECT_EQ(memo->Lines()->Count(), 40);
    EXPECT_EQ(memo->Lines()->Strings(39), "F0 41 10 6A 39");
    EXPECT_EQ(SendMessage(h, EM_GETLINECOUNT, 0, 0), 41);  // the empty line after the last break
    EXPECT_GT(SendMessage(h, EM_GETFIRSTVISIBLELINE, 0, 0), 30);
    memo->Lines()->Delete(0);
    memo->Lines()->Insert(0, "first");
    EXPECT_EQ(memo->Lines()->Strings(0), "first");
    EXPECT_EQ(memo->Lines()->Strings(1), "F0 41 10 6A 1");
    memo->Lines()->Clear();
    SendMessage(h, WM_CHAR, 'a', 0);
    SendMessage(h, WM_KEYDOWN, VK_RETURN, 0);  // a memo takes Enter itself
    SendMessage(h, WM_CHAR, '\r', 0);
    SendMessage(h, WM_CHAR, 'b', 0);
    EXPECT_EQ(memo->GetText(), "a\r\nb");
    SendMessage(h, WM_KEYDOWN, VK_UP, 0);
    SendMessage(h, WM_CHAR, 'c', 0);
    EXPECT_EQ(memo->GetText(), "ac\r\nb");
}

// A memo's lines read the same before its window exists (from its text) and after (from the window's line
// table); an added line follows a last line that has no line break of its own.
TEST_F(VclControls, MemoLinesReadTheSameWithAndWithoutAWindow) {
    const std::string wide(70000, 'W');  // longer than a line message's room
    struct Row {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
        std::string added;  // the text after Add("x")
    };
    const Row rows[] = {
        {"no text", "", {}, "x\r\n"},
        {"one line without a break", "a", {"a"}, "a\r\nx\r\n"},
        {"one line with its break", "a\r\n", {"a"}, "a\r\nx\r\n"},
        {"an empty line between", "a\r\n\r\nb", {"a", "", "b"}, "a\r\n\r\nb\r\nx\r\n"},
        {"a bare LF and a last CR", "a\nb\r", {"a", "b\r"}, "a\nb\r\r\nx\r\n"},
        {"a line too long for a line message", "a\r\n" + wide, {"a", wide}, "a\r\n" + wide + "\r\nx\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TForm* form = NewForm();
        auto* memo = new TMemo(form);
        memo->SetParent(form);
        memo->SetText(r.text);
        for (bool window : {false, true}) {
            SCOPED_TRACE(window ? "with its window" : "without a window");
            if (window) form->Show();
            ASSERT_EQ(memo->HandleAllocated(), window);
            std::vector<std::string> lines;
            for (int i = 0; i < memo->Lines()->Count(); ++i) lines.push_back(memo->Lines()->Strings(i));
            EXPECT_EQ(lines, r.lines);
            EXPECT_THROW(memo->Lines()->Strings(static_cast<int>(r.lines.size())), EStringListError);
            EXPECT_THROW(memo->Lines()->Strings(-1), EStringListError);
        }
        EXPECT_EQ(memo->Lines()->Add("x"), static_cast<int>(r.lines.size()));
        EXPECT_EQ(memo->GetText(), r.added);
    }
}

// Lines added to a memo narrower than them show from their start: each addition scrolls to the new last
// line, never sideways to where the whole text would end.
TEST_F(VclControls, AddedLinesShowFromTheirStart) {
    TForm* form = NewForm();
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(0, 0, 150, 60);
    form->Show();
    HWND h = memo->GetHandle();
    for (int i = 0; i < 40; ++i) memo->Lines()->Add(" F0 41 10 6A 12 03 00 00 00 01 7C F7 " + std::to_string(i));
    // A click at the left margin of the first line shown lands at that line's start.
    const LRESULT first = SendMessage(h, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(first, 30);
    ClickAt(h, 2, 3);
    DWORD a = 0, b = 0;
    SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(static_cast<LRESULT>(a), SendMessage(h, EM_LINEINDEX, static_cast<WPARAM>(first), 0));
}

TEST_F(VclControls, OwnerDrawnListBoxTakesItsItemHeightAndDrawingFromItsEvents) {
    TForm* form = NewForm();
    auto* list = NewBorderlessList(form, TRect(10, 10, 110, 90), {"alpha", "beta", "gamma"});
    list->SetStyle(lbOwnerDrawFixed);
    int measured = 0;
    list->OnMeasureItem = [&](TWinControl* control, int index, int& height) {
        EXPECT_EQ(control, list);
        EXPECT_EQ(index, 0);
        EXPECT_GT(height, 0);  // offered the font's height
        ++measured;
        height = 20;
    };
    struct TDrawn {
        int index;
        TRect rect;
        bool selected, focused;
    };
    std::vector<TDrawn> drawn;
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.push_back({index, rect, state.Contains(odSelected), state.Contains(odFocused)});
        list->Canvas()->Brush()->SetColor(index == 1 ? clRed : clLime);
        list->Canvas()->FillRect(rect);
    };
    form->Show();
    HWND h = list->GetHandle();
    EXPECT_NE(GetWindowLong(h, GWL_STYLE) & LBS_OWNERDRAWFIXED, 0);
    EXPECT_EQ(list->GetItemHeight(), 20);
    EXPECT_EQ(measured, 1);
    // A click in the third row and Up select the second; the repaint draws every row, the second selected
    // and focused.
    zel::test::ClickAt(list, TPoint{5, 45});
    EXPECT_EQ(list->GetItemIndex(), 2);
    zel::test::Tap(VK_UP);
    EXPECT_EQ(list->GetItemIndex(), 1);
    drawn.clear();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(drawn.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[i].index, i);
        EXPECT_EQ(drawn[i].rect.top, 20 * i);
        EXPECT_EQ(drawn[i].rect.bottom, 20 * i + 20);
        EXPECT_EQ(drawn[i].selected, i == 1);
        EXPECT_EQ(drawn[i].focused, i == 1);
    }
    // What the event drew is what the list shows, each colour in its own row.
    EXPECT_EQ(ComposedPixel(h, 50, 5), static_cast<COLORREF>(ColorToRGB(clLime)));
    EXPECT_EQ(ComposedPixel(h, 50, 30), static_cast<COLORREF>(ColorToRGB(clRed)));
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("owner-drawn-list-box")));
    // A new window asks for the height again.
    list->SetStyle(lbStandard);
    list->SetStyle(lbOwnerDrawFixed);
    EXPECT_EQ(list->GetItemHeight(), 20);
    EXPECT_EQ(measured, 2);
}

TEST_F(VclControls, MultiSelectListBoxSelectsWithClicksModifiersAndTheSelectionMessages) {
    TForm* form = NewForm();
    auto* list = NewBorderlessList(form, TRect(10, 10, 110, 130), {"a", "b", "c", "d", "e"});
    list->SetMultiSelect(true);
    form->Show();
    HWND h = list->GetHandle();
    const int ih = list->GetItemHeight();
    auto selectedItems = [&] {
        int out[8] = {};
        const auto n = SendMessage(h, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(out));
        EXPECT_EQ(n, SendMessage(h, LB_GETSELCOUNT, 0, 0));
        return std::vector<int>(out, out + std::max<LRESULT>(0, n));
    };
    auto clickRow = [&](int row, WORD modifier) {
        if (modifier != 0) keybd_event(static_cast<BYTE>(modifier), 0, 0, 0);
        zel::test::ClickAt(list, TPoint{5, row * ih + ih / 2});
        if (modifier != 0) keybd_event(static_cast<BYTE>(modifier), 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    };
    // Extended selection: a click selects one item, Ctrl+click adds one, Shift+click a range from the caret.
    clickRow(1, 0);
    EXPECT_EQ(selectedItems(), (std::vector<int>{1}));
    clickRow(3, VK_CONTROL);
    EXPECT_EQ(selectedItems(), (std::vector<int>{1, 3}));
    EXPECT_EQ(SendMessage(h, LB_GETCARETINDEX, 0, 0), 3);
    clickRow(0, VK_SHIFT);
    EXPECT_EQ(selectedItems(), (std::vector<int>{0, 1, 2, 3}));
    clickRow(2, VK_CONTROL);
    EXPECT_EQ(selectedItems(), (std::vector<int>{0, 1, 3}));
    EXPECT_TRUE(list->Selected(3));
    EXPECT_FALSE(list->Selected(2));
    EXPECT_EQ(list->SelCount(), 3);
    // The messages: a range off, one item on, the caret moved alone, everything off.
    SendMessage(h, LB_SELITEMRANGE, FALSE, MAKELPARAM(0, 1));
    list->SetSelected(4, true);
    EXPECT_EQ(selectedItems(), (std::vector<int>{3, 4}));
    EXPECT_EQ(SendMessage(h, LB_SETCARETINDEX, 1, 0), 0);
    EXPECT_EQ(SendMessage(h, LB_GETCARETINDEX, 0, 0), 1);
    EXPECT_EQ(selectedItems(), (std::vector<int>{3, 4}));
    // Items inserted or deleted keep the flags with their items.
    SendMessage(h, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first"));
    EXPECT_EQ(selectedItems(), (std::vector<int>{4, 5}));
    SendMessage(h, LB_DELETESTRING, 4, 0);
    EXPECT_EQ(selectedItems(), (std::vector<int>{4}));
    // The keys: with extended selection an arrow selects the item it reaches, with Ctrl it moves the caret
    // alone and Space toggles the caret's item.
    list->SetFocus();
    ASSERT_EQ(SendMessage(h, LB_GETCARETINDEX, 0, 0), 2) << "the caret moved with its item";
    zel::test::Tap(VK_DOWN);
    EXPECT_EQ(selectedItems(), (std::vector<int>{3}));
    zel::test::Tap(VK_DOWN, VK_CONTROL);
    zel::test::Tap(VK_SPACE);
    EXPECT_EQ(selectedItems(), (std::vector<int>{3, 4}));
    EXPECT_EQ(SendMessage(h, LB_GETCARETINDEX, 0, 0), 4);
    SendMessage(h, LB_SETSEL, FALSE, -1);
    EXPECT_EQ(selectedItems(), std::vector<int>{});
    EXPECT_THROW(list->Selected(9), EStringListError);
    // Without extended selection a click toggles its item.
    list->SetExtendedSelect(false);
    h = list->GetHandle();
    EXPECT_NE(GetWindowLong(h, GWL_STYLE) & LBS_MULTIPLESEL, 0);
    clickRow(1, 0);
    clickRow(2, 0);
    clickRow(1, 0);
    EXPECT_EQ(selectedItems(), (std::vector<int>{2}));
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("multi-select-list-box")));
    // A single-select list refuses the selection messages.
    list->SetMultiSelect(false);
    h = list->GetHandle();
    for (UINT m : {LB_GETSELCOUNT, LB_GETSELITEMS, LB_SELITEMRANGE}) {
        SCOPED_TRACE(m);
        EXPECT_EQ(SendMessage(h, m, 0, 0), LB_ERR);
    }
    EXPECT_EQ(SendMessage(h, LB_SETSEL, TRUE, 0), LB_ERR);
}

TEST_F(VclControls, ListBoxKeepsItsItemsAcrossHandlesAndAnswersTheListBoxMessages) {
    TForm* form = NewForm();
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 100, 60);
    list->Items()->Add("alpha");
    list->Items()->Add("beta");
    list->SetItemIndex(1);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    HWND h = list->GetHandle();
    EXPECT_EQ(SendMessage(h, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(h, LB_GETCURSEL, 0, 0), 1);
    SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("gamma"));
    EXPECT_EQ(list->Items()->Strings(2), "gamma");
    EXPECT_EQ(SendMessage(h, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("BETA")), 1);
    EXPECT_THROW(list->Items()->Strings(5), EStringListError);
    // A click on the first line selects it and reports the change.
    const int ih = list->GetItemHeight();
    ClickAt(h, 5, ih / 2);
    EXPECT_EQ(list->GetItemIndex(), 0);
    EXPECT_EQ(clicks, 1);
    SendMessage(h, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list->GetItemIndex(), 1);
    // A new window keeps the items and the selection.
    list->SetSorted(true);
    EXPECT_NE(list->GetHandle(), h);
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->GetItemIndex(), 1);
}

TEST_F(VclControls, CheckBoxTogglesOnClickAndSpace) {
    TForm* form = NewForm();
    auto* check = new TCheckBox(form);
    check->SetParent(form);
    check->SetCaption("Thru");
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    ClickAt(check->GetHandle(), 5, 5);
    EXPECT_TRUE(check->GetChecked());
    SendMessage(check->GetHandle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(check->GetChecked());
    check->SetChecked(true);
    EXPECT_EQ(clicks, 3);
}

TEST_F(VclControls, SpinEditKeepsItsValueInRange) {
    TForm* form = NewForm();
    auto* spin = new TSpinEdit(form);
    spin->SetParent(form);
    spin->SetMinValue(17);
    spin->SetMaxValue(32);
    form->Show();
    struct TRow {
        const char* name;
        int set;
        int got;
    } rows[] = {{"inside", 20, 20}, {"below", 3, 17}, {"above", 40, 32}, {"upper edge", 32, 32}};
    for (const TRow& r : rows) {
        spin->SetValue(r.set);
        EXPECT_EQ(spin->GetValue(), r.got) << r.name;
    }
    spin->SetValue(31);
    SendMessage(spin->GetHandle(), WM_KEYDOWN, VK_UP, 0);
    SendMessage(spin->GetHandle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin->GetValue(), 32);
    ClickAt(spin->Button()->GetHandle(), 5, spin->Button()->GetHeight() - 3);
    EXPECT_EQ(spin->GetValue(), 31);
    spin->SetText("abc");
    EXPECT_EQ(spin->GetValue(), 17);
}

TEST_F(VclControls, RadioButtonsOfAParentAndSpeedButtonsOfAGroupAreExclusive) {
    TForm* form = NewForm();
    auto* a = new TRadioButton(form);
    a->SetParent(form);
    auto* b = new TRadioButton(form);
    b->SetParent(form);
    b->SetTop(20);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    auto make = [&](int left, int group) {
        auto* s = new TSpeedButton(form);
        s->SetParent(form);
        s->SetBounds(left, 60, 23, 22);
        s->GroupIndex = group;
        return s;
    };
    TSpeedButton* one = make(0, 1);
    TSpeedButton* two = make(30, 1);
    TSpeedButton* plain = make(60, 0);
    form->Show();
    a->SetChecked(true);
    ClickAt(b->GetHandle(), 3, 3);
    EXPECT_TRUE(b->GetChecked());
    EXPECT_FALSE(a->GetChecked());
    EXPECT_EQ(clicks, 1);
    ClickAt(form->GetHandle(), 5, 65);
    EXPECT_TRUE(one->GetDown());
    ClickAt(form->GetHandle(), 35, 65);
    EXPECT_TRUE(two->GetDown());
    EXPECT_FALSE(one->GetDown());
    ClickAt(form->GetHandle(), 35, 65);  // the last one down stays down
    EXPECT_TRUE(two->GetDown());
    two->AllowAllUp = true;
    one->AllowAllUp = true;
    ClickAt(form->GetHandle(), 35, 65);
    EXPECT_FALSE(two->GetDown());
    int plainClicks = 0;
    plain->OnClick = [&](TObject*) { ++plainClicks; };
    ClickAt(form->GetHandle(), 65, 65);
    EXPECT_EQ(plainClicks, 1);
    EXPECT_FALSE(plain->GetDown());
}

TEST_F(VclControls, AnImageShowsWhatIsDrawnOnItsPicture) {
    TForm* form = NewForm();
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 30, 30);
    auto* bevel = new TBevel(form);
    bevel->SetParent(form);
    bevel->SetBounds(60, 10, 30, 30);
    form->Show();
    image->ImageCanvas()->Brush()->SetColor(clFuchsia);
    image->ImageCanvas()->FillRect(Rect(0, 0, 30, 30));
    HWND h = form->GetHandle();
    RECT wr;
    GetWindowRect(h, &wr);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    const int dx = origin.x - wr.left, dy = origin.y - wr.top;
    EXPECT_EQ(ComposedPixel(h, dx + 20, dy + 20), RGB(255, 0, 255));
    // A lowered box: shadow at its top-left edge.
    EXPECT_EQ(ComposedPixel(h, dx + 60, dy + 20), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
}

TEST_F(VclControls, GaugeTruncatesAndStaysWithinItsRange) {
    TGauge gauge(nullptr);
    struct TRow {
        const char* name;
        int min, max, progress, percent;
    } rows[] = {{"truncated", 0, 640, 639, 99}, {"full", 0, 640, 640, 100}, {"beyond", 0, 100, 250, 100},
                {"below", 10, 20, 0, 0},        {"offset", 10, 20, 15, 50}, {"empty range", 5, 5, 5, 0}};
    for (const TRow& r : rows) {
        gauge.SetMinValue(0);
        gauge.SetMaxValue(r.max);
        gauge.SetMinValue(r.min);
        gauge.SetProgress(r.progress);
        EXPECT_EQ(gauge.PercentDone(), r.percent) << r.name;
    }
}

TEST_F(VclControls, TimerFiresOnTheClockServiceWhileEnabled) {
    TManualClockScope clock;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(50);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    clock->Advance(49);
    ProcessPendingMessages();
    EXPECT_EQ(ticks, 0);
    clock->Advance(1);
    ProcessPendingMessages();
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(false);
    clock->Advance(500);
    ProcessPendingMessages();
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(true);
    clock->Advance(120);
    ProcessPendingMessages();
    EXPECT_GE(ticks, 2);
}

}  // namespace
}  // namespace zel::test
