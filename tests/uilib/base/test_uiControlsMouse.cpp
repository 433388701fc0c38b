// The control base's mouse modes with real input through the queue on the manual clock: the middle-button
// auto-scroll, the library's own drag-and-drop, drags between controls and the wheel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Clock.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiControlsControl.h"

namespace zel::test {
namespace {

// Content larger than the control: both bars show. Every scroll is recorded with its time.
class TScrolled : public TuiControl {
public:
    using TuiControl::TuiControl;
    std::vector<TTick> ScrollTimes;
    std::vector<TScrollCode> Codes;
    std::vector<TScrollBarKind> Kinds;
    TuiDragAndDropObjectClass DragObjects;
    bool StartsDragAndDrop = false;

    void PrepareScrollBarParams() override {
        const TRect c = GetClientBounds();
        ApplyScrollBarInfo(sbHorizontal, 0, 999, 1, c.Width(), 0, true, true);
        ApplyScrollBarInfo(sbVertical, 0, 999, 1, c.Height(), 0, true, true);
    }
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int& /*Position*/) override {
        ScrollTimes.push_back(GetTickCount());
        Codes.push_back(Code);
        Kinds.push_back(Kind);
    }
    bool StartDragAndDrop(const TPoint& /*P*/) override { return StartsDragAndDrop; }
};

class MouseModes : public ::testing::Test {
protected:
    void SetUp() override {
        form = Construct<TForm>(nullptr);
        form->SetBounds(40, 40, 420, 320);
        control = new TScrolled(form);
        control->SetParent(form);
        control->SetBounds(10, 10, 300, 200);
        form->Show();
        ProcessPendingMessages();
        control->UpdateScrollBars();
        ASSERT_TRUE(control->IsHScrollBarVisible() && control->IsVScrollBarVisible());
    }
    void TearDown() override {
        delete form;
        ProcessPendingMessages();
    }
    TPoint OnScreen(int X, int Y) const { return control->ClientToScreen(TPoint{X, Y}); }
    static void Key(BYTE Vk, bool Down = true) { keybd_event(Vk, 0, Down ? 0 : KEYEVENTF_KEYUP, 0); }
    static void Press(DWORD Flag) { mouse_event(Flag, 0, 0, 0, 0); }
    // A middle press at the cursor, handled at once: the mode runs inside.
    void MiddlePress() const {
        const TPoint p = control->ScreenToClient(CursorScreenPos());
        SendMessage(control->GetHandle(), WM_MBUTTONDOWN, MK_MBUTTON,
                    MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }

    TLookAndFeelUnits units;
    TManualClockScope clock;
    TForm* form = nullptr;
    TScrolled* control = nullptr;
};

// Runs steps "during" a modal mode: a 20 ms thread timer of its own, started once the mode's loop runs (so
// that it fires after the mode's timer), runs one step per firing and moves the clock on by 20 ms; the mode's
// timer so fires once between two steps. When the steps run out, Esc is pressed.
class TModeScript {
public:
    TModeScript(TManualClock& AClock, std::vector<std::function<void()>> ASteps)
        : clock_(AClock), steps_(std::move(ASteps)) {
        current_ = this;
        kick_ = AllocateHWnd([this](TMessage& M) {
            if (M.Msg != WM_USER) {
                M.Result = DefWindowProc(kick_, M.Msg, M.WParam, M.LParam);
                return;
            }
            timer_ = SetTimer(nullptr, 0, 20, &TModeScript::Step);
            clock_.Advance(20);
        });
        PostMessage(kick_, WM_USER, 0, 0);
    }
    ~TModeScript() {
        KillTimer(nullptr, timer_);
        DeallocateHWnd(kick_);
        current_ = nullptr;
    }
    TModeScript(const TModeScript&) = delete;
    TModeScript& operator=(const TModeScript&) = delete;

private:
    static void Step(HWND, UINT, UINT_PTR, DWORD) {
        TModeScript* s = current_;
        if (s == nullptr) return;
        if (s->next_ < s->steps_.size()) {
            s->steps_[s->next_++]();
            s->clock_.Advance(20);
        } else if (s->next_++ == s->steps_.size()) {
            keybd_event(VK_ESCAPE, 0, 0, 0);
            keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        }
    }
    static inline TModeScript* current_ = nullptr;
    TManualClock& clock_;
    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
    HWND kick_ = nullptr;
};

std::vector<std::function<void()>> Steps(std::size_t Count, std::function<void()> First = {}) {
    std::vector<std::function<void()>> steps(Count, [] {});
    if (First) steps[0] = std::move(First);
    return steps;
}

TEST_F(MouseModes, AutoScrollSpeedFollowsTheDistanceAndTheCursorTheDirection) {
    struct Row {
        const char* name;
        int dx, dy;
        TCursor cursor;
        TTick interval;  // between two scrolls; 0: none
        TScrollBarKind kind;
        TScrollCode code;
    } rows[] = {
        {"neutral", 5, -5, cruiFullScroll, 0, sbVertical, scLineUp},
        {"down, speed 1", 0, 16, cruiDownScroll, 240, sbVertical, scLineDown},
        {"up, speed 12", 0, -100, cruiUpScroll, 20, sbVertical, scLineUp},
        {"right, speed 12", 100, 20, cruiRightScroll, 20, sbHorizontal, scLineDown},
        {"left, speed 2", -21, 0, cruiLeftScroll, 220, sbHorizontal, scLineUp},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        control->ScrollTimes.clear();
        control->Codes.clear();
        control->Kinds.clear();
        const TPoint start = OnScreen(150, 100);
        SetCursorPos(start.x, start.y);
        ProcessPendingMessages();
        HCURSOR seen = nullptr;
        std::vector<std::function<void()>> steps = Steps(30, [&] { SetCursorPos(start.x + r.dx, start.y + r.dy); });
        steps[5] = [&] { seen = GetCursor(); };
        {
            TModeScript script(clock.Clock(), std::move(steps));
            MiddlePress();
        }
        EXPECT_FALSE(control->GetAutoScrolling());
        EXPECT_EQ(seen, CursorHandle(r.cursor));
        if (r.interval == 0) {
            EXPECT_TRUE(control->ScrollTimes.empty());
            continue;
        }
        ASSERT_GE(control->ScrollTimes.size(), 2u);
        EXPECT_EQ(control->ScrollTimes[1] - control->ScrollTimes[0], r.interval);
        EXPECT_EQ(control->Kinds[0], r.kind);
        EXPECT_EQ(control->Codes[0], r.code);
    }
}

TEST_F(MouseModes, AutoScrollAnchorIsAnEllipseThatGoesWithTheMode) {
    const TPoint start = OnScreen(150, 100);
    SetCursorPos(start.x, start.y);
    ProcessPendingMessages();
    HWND anchor = nullptr;
    bool region = false, topMost = false, visible = false, captured = false;
    {
        TModeScript script(clock.Clock(), Steps(3, [&] {
                               EnumWindows([&](HWND h) {
                                   if (GetClassName(h) == "STATIC" && IsWindowVisible(h)) anchor = h;
                                   return TRUE;
                               });
                               if (anchor == nullptr) return;
                               visible = true;
                               topMost = (GetWindowLong(anchor, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                               HRGN own = CreateRectRgn(0, 0, 0, 0);
                               HRGN ellipse =
                                   CreateEllipticRgn(0, 0, kAutoScrollAnchorSize + 1, kAutoScrollAnchorSize + 1);
                               region = GetWindowRgn(anchor, own) != ERROR && EqualRgn(own, ellipse);
                               DeleteObject(own);
                               DeleteObject(ellipse);
                               captured = GetCapture() == control->GetHandle();
                           }));
        MiddlePress();
    }
    ASSERT_NE(anchor, nullptr);
    EXPECT_TRUE(visible && topMost && region && captured);
    RECT r;
    EXPECT_FALSE(IsWindow(anchor));  // destroyed at the end
    EXPECT_EQ(GetCapture(), nullptr);
    (void)r;
}

TEST_F(MouseModes, AutoScrollEndsOnAClickOrAMiddleReleaseOnlyAfterLeavingTheNeutralZone) {
    const TPoint start = OnScreen(150, 100);
    struct Row {
        const char* name;
        int dy;  // where the mouse goes first
        DWORD press;
        bool endsThere;
    } rows[] = {
        {"middle release in the zone", 0, MOUSEEVENTF_MIDDLEUP, false},
        {"middle release after leaving", 40, MOUSEEVENTF_MIDDLEUP, true},
        {"left click", 0, MOUSEEVENTF_LEFTDOWN, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SetCursorPos(start.x, start.y);
        ProcessPendingMessages();
        bool runningAfter = false;
        std::vector<std::function<void()>> steps = Steps(6, [&] { SetCursorPos(start.x, start.y + r.dy); });
        steps[1] = [&] { SetCursorPos(start.x, start.y); };
        steps[2] = [&] { Press(r.press); };
        steps[4] = [&] { runningAfter = control->GetAutoScrolling(); };
        {
            TModeScript script(clock.Clock(), std::move(steps));
            MiddlePress();
        }
        EXPECT_EQ(runningAfter, !r.endsThere);
        if (r.press == MOUSEEVENTF_LEFTDOWN) Press(MOUSEEVENTF_LEFTUP);
        ProcessPendingMessages();
    }
}

TEST_F(MouseModes, AQuitPostedDuringAutoScrollStillEndsTheApplicationLoop) {
    const TPoint start = OnScreen(150, 100);
    SetCursorPos(start.x, start.y);
    ProcessPendingMessages();
    {
        TModeScript script(clock.Clock(), Steps(4, [] { PostQuitMessage(3); }));
        MiddlePress();
    }
    int code = 0;
    EXPECT_TRUE(QuitPending(&code));
    EXPECT_EQ(code, 3);
    EXPECT_FALSE(control->GetAutoScrolling());
    EXPECT_EQ(GetCapture(), nullptr);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT) DispatchMessage(&msg);
    ProcessPendingMessages();
}

// ---- the library's drag-and-drop

// Records the steps it hears; its end may ask to end again.
class TRecordingDrag : public TuiDragAndDropObject {
public:
    TRecordingDrag(TuiControl* AControl, std::vector<std::string>& ALog, int& AFreed, bool AEndAgain)
        : TuiDragAndDropObject(AControl), log_(ALog), freed_(AFreed), endAgain_(AEndAgain) {}
    ~TRecordingDrag() override { ++freed_; }
    void BeginDragAndDrop() override {
        log_.push_back("begin");
        TuiDragAndDropObject::BeginDragAndDrop();
    }
    void DragAndDrop(const TPoint& P, bool& Accepted) override {
        log_.push_back("drag");
        TuiDragAndDropObject::DragAndDrop(P, Accepted);  // shows the no-drop cursor
    }
    void EndDragAndDrop(bool Accepted) override {
        log_.push_back(Accepted ? "end accepted" : "end refused");
        if (endAgain_) GetControl()->FinishDragAndDrop(true);
    }

private:
    std::vector<std::string>& log_;
    int& freed_;
    bool endAgain_;
};

TEST_F(MouseModes, LibraryDragAndDropTransitions) {
    struct Row {
        const char* name;
        int moveBy;     // after the press
        BYTE key;       // pressed after the move (0: none)
        bool endAgain;  // the object's end asks to end again
        std::vector<std::string> log;
        std::string keysSeen;  // by the control's OnKeyDown
    } rows[] = {
        {"below the threshold: never begins", 3, 0, false, {}, ""},
        {"past the threshold, released", 20, 0, false, {"begin", "drag", "end accepted"}, ""},
        {"Esc is sent on and ends it", 20, VK_ESCAPE, false, {"begin", "drag", "end refused"}, "\x1b"},
        {"another key is swallowed", 20, 'A', false, {"begin", "drag", "end accepted"}, ""},
        {"ending again from the end", 20, 0, true, {"begin", "drag", "end accepted"}, ""},
    };
    std::string keys;
    control->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys += static_cast<char>(Key); };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<std::string> log;
        int freed = 0;
        keys.clear();
        clock->Advance(1000);  // no double click with the row before
        control->StartsDragAndDrop = true;
        control->SetDragDropObjectClass([&](TuiControl* C) { return new TRecordingDrag(C, log, freed, r.endAgain); });
        Screen->SetCursor(crHourGlass);
        const TPoint at = OnScreen(100, 80);
        SetCursorPos(at.x, at.y);
        Press(MOUSEEVENTF_LEFTDOWN);
        ProcessPendingMessages();
        EXPECT_EQ(control->GetDragDropState(), dsgPending);
        SetCursorPos(at.x + r.moveBy, at.y + r.moveBy);
        ProcessPendingMessages();
        if (r.key != 0) {
            Key(r.key);
            Key(r.key, false);
            ProcessPendingMessages();
        }
        Press(MOUSEEVENTF_LEFTUP);
        ProcessPendingMessages();
        EXPECT_EQ(log, r.log);
        EXPECT_EQ(freed, 1);  // the object goes with every end, also a pending one
        EXPECT_EQ(control->GetDragDropState(), dsgIdle);
        EXPECT_EQ(Screen->GetCursor(), crHourGlass);  // the cursor in force when the drag began
        EXPECT_EQ(keys, r.keysSeen);
        EXPECT_EQ(GetCapture(), nullptr);
    }
    Screen->SetCursor(crDefault);
}

// ---- drags between controls

class TCountedDragObject : public TuiDragControlObject {
public:
    TCountedDragObject(TControl* AControl, int& AFreed) : TuiDragControlObject(AControl), freed_(AFreed) {}
    ~TCountedDragObject() override { ++freed_; }

private:
    int& freed_;
};

class TCountingSource : public TScrolled {
public:
    using TScrolled::TScrolled;
    int Freed = 0;
    TuiDragObjectClass GetDragObjectClass() override {
        return [this](TuiControl* C) { return new TCountedDragObject(C, Freed); };
    }
};

TEST_F(MouseModes, ADragToAnotherControlWithCtrlShowsTheCopyCursor) {
    auto* source = new TCountingSource(form);
    source->SetParent(form);
    source->SetBounds(10, 220, 100, 60);
    auto* target = new TPanel(form);
    target->SetParent(form);
    target->SetBounds(200, 220, 100, 60);
    std::vector<TPoint> drops;
    TObject* endTarget = form;
    target->OnDragOver = [&](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
        Accept = Source == source;
    };
    target->OnDragDrop = [&](TObject*, TObject*, int X, int Y) { drops.push_back(TPoint{X, Y}); };
    source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { source->BeginDrag(false); };
    source->OnEndDrag = [&](TObject*, TObject* Target, int, int) { endTarget = Target; };
    ProcessPendingMessages();
    for (bool ctrl : {true, false}) {
        SCOPED_TRACE(ctrl ? "Ctrl held" : "no Ctrl");
        drops.clear();
        clock->Advance(1000);
        if (ctrl) Key(VK_CONTROL);
        const TPoint from = source->ClientToScreen(TPoint{20, 20});
        SetCursorPos(from.x, from.y);
        Press(MOUSEEVENTF_LEFTDOWN);
        ProcessPendingMessages();
        ASSERT_TRUE(source->Dragging());
        const TPoint over = target->ClientToScreen(TPoint{30, 25});
        SetCursorPos(over.x, over.y);
        ProcessPendingMessages();
        EXPECT_EQ(GetCursor(), CursorHandle(ctrl ? cruiDragCopy : crDrag));
        Press(MOUSEEVENTF_LEFTUP);
        ProcessPendingMessages();
        if (ctrl) Key(VK_CONTROL, false);
        ProcessPendingMessages();
        EXPECT_EQ(drops, (std::vector<TPoint>{TPoint{30, 25}}));
        EXPECT_EQ(endTarget, target);
        EXPECT_FALSE(source->Dragging());
    }
    EXPECT_EQ(source->Freed, 2);  // each drag's object freed itself, once
}

TEST_F(MouseModes, AnAutomaticDragStartsOnceTheMouseLeavesTheThresholdWithTheButtonDown) {
    auto* target = new TPanel(form);
    target->SetParent(form);
    target->SetBounds(320, 10, 80, 60);
    int drops = 0, ends = 0;
    target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; };
    target->OnDragDrop = [&](TObject*, TObject*, int, int) { ++drops; };
    control->DragMode = dmAutomatic;
    control->OnEndDrag = [&](TObject*, TObject*, int, int) { ++ends; };
    ProcessPendingMessages();
    struct Row {
        const char* name;
        int moveBy;  // while the button is down; -1: onto the target
        int drops, ends;
    } rows[] = {{"released in place", 0, 0, 0}, {"within the threshold", 3, 0, 0}, {"moved onto the target", -1, 1, 1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        drops = ends = 0;
        clock->Advance(1000);
        const TPoint at = OnScreen(100, 80);
        SetCursorPos(at.x, at.y);
        ProcessPendingMessages();
        const TPoint to = r.moveBy < 0 ? target->ClientToScreen(TPoint{20, 20}) : TPoint{at.x + r.moveBy, at.y};
        {
            // The press waits for the mouse in a loop of its own: the moves come while it runs.
            TModeScript script(clock.Clock(), {[&] { SetCursorPos(at.x + (r.moveBy < 0 ? 10 : 0), at.y); },
                                               [&] { SetCursorPos(to.x, to.y); }, [&] { Press(MOUSEEVENTF_LEFTUP); }});
            const LPARAM point = MAKELPARAM(100, 80);
            SendMessage(control->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
            for (int step = 0; step < 5; ++step) ProcessPendingMessages();  // the rest of the steps
        }
        EXPECT_EQ(drops, r.drops);
        EXPECT_EQ(ends, r.ends);
        EXPECT_FALSE(control->Dragging());
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(MouseModes, TheWheelScrollsTheVerticalBarByTheSystemLines) {
    const TPoint at = OnScreen(100, 80);
    for (const auto& [delta, code] : {std::pair{120, scLineUp}, std::pair{-120, scLineDown}}) {
        control->Codes.clear();
        SendMessage(control->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                    MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
        EXPECT_EQ(control->Codes,
                  std::vector<TScrollCode>(static_cast<std::size_t>(Mouse->GetWheelScrollLines()), code));
    }
    // A handler that takes the wheel keeps it.
    control->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
    control->Codes.clear();
    SendMessage(control->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_TRUE(control->Codes.empty());
}

}  // namespace
}  // namespace zel::test
