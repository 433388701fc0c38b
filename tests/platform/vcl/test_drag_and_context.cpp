// Dragging between controls, context menus, the wheel and keys taken before they arrive, with real input
// through the queue; forms' alpha and owners, and the shared pattern bitmap.
#include <string>
#include <vector>

#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// A control that records what the drag manager and the context menu tell it.
class TProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> Log;
    LRESULT KeyAnswer = 0;    // what it answers CN_KEYDOWN
    LRESULT KeyUpAnswer = 0;  // ... CN_KEYUP
    LRESULT CharAnswer = 0;   // ... CN_CHAR
    std::vector<WPARAM> Keys, KeyUps, Chars;

protected:
    void Dispatch(TMessage& Message) override {
        switch (Message.Msg) {
            case CN_KEYDOWN: Message.Result = KeyAnswer; return;
            case CN_KEYUP: Message.Result = KeyUpAnswer; return;
            case CN_CHAR: Message.Result = CharAnswer; return;
            case WM_KEYDOWN: Keys.push_back(Message.WParam); break;
            case WM_KEYUP: KeyUps.push_back(Message.WParam); break;
            case WM_CHAR: Chars.push_back(Message.WParam); break;
            default: break;
        }
        TCustomControl::Dispatch(Message);
    }
};

class DragAndContext : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TForm>(nullptr));
        form->SetBounds(50, 50, 400, 300);
        source = new TProbe(form);
        source->SetParent(form);
        source->SetBounds(10, 10, 100, 100);
        target = new TProbe(form);
        target->SetParent(form);
        target->SetBounds(200, 10, 100, 100);
        form->Show();
        ProcessPendingMessages();
        source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { source->BeginDrag(false); };
        source->OnEndDrag = [this](TObject*, TObject* Target, int X, int Y) {
            source->Log.push_back("end " +
                                  std::string(Target == target ? "target"
                                              : Target         ? "?"
                                                               : "none") +
                                  " " + std::to_string(X) + "," + std::to_string(Y));
        };
        target->OnDragOver = [this](TObject*, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
            static const char* kStates[] = {"enter", "leave", "move"};
            target->Log.push_back(std::string("over ") + kStates[State] + " " + std::to_string(X) + "," +
                                  std::to_string(Y) + (Source == source ? "" : " ?"));
            Accept = Accepts;
        };
        target->OnDragDrop = [this](TObject*, TObject*, int X, int Y) {
            target->Log.push_back("drop " + std::to_string(X) + "," + std::to_string(Y));
        };
    }
    static POINT Screen(TWinControl* C, int X, int Y) {
        POINT p{X, Y};
        ClientToScreen(C->GetHandle(), &p);
        return p;
    }
    static void MoveTo(POINT P) {
        SetCursorPos(P.x, P.y);
        ProcessPendingMessages();
    }
    static void Mouse(DWORD Flag) {
        mouse_event(Flag, 0, 0, 0, 0);
        ProcessPendingMessages();
    }

    TForm* form = nullptr;
    TProbe* source = nullptr;
    TProbe* target = nullptr;
    bool Accepts = true;
};

TEST_F(DragAndContext, DragsFromPressToDropOrCancel) {
    struct Row {
        const char* name;
        int dx;           // the first move from the press, inside the source
        bool overTarget;  // then onto the target at (30, 40)
        bool accepts;
        const char* ender;  // "up", "posted up", "esc", "capture"
        std::vector<std::string> targetLog, sourceLog;
    } rows[] = {
        {"below the threshold, released", 4, false, true, "up", {}, {"end none 0,0"}},
        {"below the threshold, a posted release", 4, false, true, "posted up", {}, {"end none 0,0"}},
        {"dropped on the target", 6, true, true, "up", {"over enter 30,40", "drop 30,40"}, {"end target 30,40"}},
        {"refused", 6, true, false, "up", {"over enter 30,40"}, {"end none 0,0"}},
        {"Esc", 6, true, true, "esc", {"over enter 30,40"}, {"end none 0,0"}},
        {"capture lost", 6, true, true, "capture", {"over enter 30,40"}, {"end none 0,0"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        source->Log.clear();
        target->Log.clear();
        Accepts = r.accepts;
        MoveTo(Screen(source, 20, 20));
        Mouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(source->Dragging());
        MoveTo(Screen(source, 20 + r.dx, 20));
        if (r.overTarget) MoveTo(Screen(target, 30, 40));
        const std::string ender = r.ender;
        if (ender == "up") {
            Mouse(MOUSEEVENTF_LEFTUP);
        } else if (ender == "posted up") {
            PostMessage(source->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(24, 20));
            ProcessPendingMessages();
        } else if (ender == "esc") {
            keybd_event(VK_ESCAPE, 0, 0, 0);
            keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
            ProcessPendingMessages();
        } else {
            SetCapture(form->GetHandle());
            ReleaseCapture();
        }
        EXPECT_FALSE(source->Dragging());
        // Only a started drag may touch the target; the mouse is free afterwards.
        const std::vector<std::string> expectedTarget = r.targetLog;
        std::vector<std::string> seen;
        for (const std::string& s : target->Log)
            if (s.rfind("over move", 0) != 0) seen.push_back(s);
        EXPECT_EQ(seen, expectedTarget);
        EXPECT_EQ(source->Log, r.sourceLog);
        EXPECT_EQ(GetCapture(), nullptr);
        if (ender != "up") Mouse(MOUSEEVENTF_LEFTUP);
    }
}

TEST_F(DragAndContext, HiddenAndDisabledControlsAreNoTargetsButTheirParentIs) {
    std::vector<std::string> formLog;
    form->OnDragOver = [&](TObject*, TObject*, int, int, TDragState, bool& Accept) {
        formLog.push_back("form");
        Accept = false;
    };
    for (bool hidden : {true, false}) {
        SCOPED_TRACE(hidden ? "hidden" : "disabled");
        formLog.clear();
        target->Log.clear();
        if (hidden) target->SetVisible(false);
        else target->SetEnabled(false);
        MoveTo(Screen(source, 20, 20));
        Mouse(MOUSEEVENTF_LEFTDOWN);
        MoveTo(Screen(target, 30, 40));
        EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
        Mouse(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(target->Log.empty());
        EXPECT_FALSE(formLog.empty());
        target->SetVisible(true);
        target->SetEnabled(true);
    }
}

TEST_F(DragAndContext, AnAcceptedDragShowsTheSourcesDragCursor) {
    source->DragCursor = crHandPoint;
    MoveTo(Screen(source, 20, 20));
    Mouse(MOUSEEVENTF_LEFTDOWN);
    MoveTo(Screen(target, 30, 40));
    EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint));
    Accepts = false;
    MoveTo(Screen(target, 31, 40));
    EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
    Mouse(MOUSEEVENTF_LEFTUP);
}

TEST_F(DragAndContext, DragImagesShowOnlyOverControlsThatAskForThem) {
    TDragImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    TBitmap picture;
    picture.SetSize(16, 16);
    images.AddMasked(&picture, clFuchsia);
    TDragObject* made = nullptr;
    source->OnStartDrag = [&](TObject*, TObject*& DragObject) {
        struct TWithImages : TDragControlObject {
            TWithImages(TControl* C, TDragImageList* L) : TDragControlObject(C), list(L) {}
            TDragImageList* GetDragImages() override { return list; }
            TDragImageList* list;
        };
        DragObject = made = new TWithImages(source, &images);
    };
    target->ControlStyle.Include(csDisplayDragImage);
    MoveTo(Screen(source, 20, 20));
    Mouse(MOUSEEVENTF_LEFTDOWN);
    MoveTo(Screen(source, 40, 40));
    ASSERT_TRUE(images.GetDragging());
    EXPECT_FALSE(IsWindowVisible(images.DragWindow()));  // over the source: no csDisplayDragImage
    const POINT over = Screen(target, 30, 40);
    MoveTo(over);
    HWND image = images.DragWindow();
    EXPECT_TRUE(IsWindowVisible(image));
    RECT r;
    GetWindowRect(image, &r);
    EXPECT_EQ(r.left, over.x);
    EXPECT_EQ(SendMessage(image, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(images.GetDragging());
    EXPECT_FALSE(IsWindow(image));
    delete made;  // an object from OnStartDrag is its maker's
}

// Windows inside a multiple-document main window: a list in each child, a picture on the main window's
// panel and the main window's own free area. Each list's drag-over handler brings its child to the front,
// as the program's lists do.
class MdiDrag : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        main = Keep(Construct<TForm>(nullptr));
        main->SetFormStyle(fsMDIForm);
        main->SetBounds(40, 40, 700, 500);
        Application->MainForm = main;
        main->Show();
        panel = new TPanel(main);
        panel->SetParent(main);
        panel->SetBounds(560, 360, 100, 80);
        picture = new TImage(panel);
        picture->SetParent(panel);
        picture->SetAlign(alClient);
        main->OnDragOver = [this](TObject*, TObject*, int, int, TDragState, bool& Accept) {
            Log.push_back("main");
            Accept = false;
        };
        picture->OnDragOver = [this](TObject*, TObject*, int X, int Y, TDragState State, bool& Accept) {
            if (State == dsDragLeave) return;
            Log.push_back("picture " + std::to_string(X) + "," + std::to_string(Y));
            Accept = true;
        };
        for (int i = 0; i < 3; ++i) {
            TForm* child = Construct<TForm>(main);
            child->SetFormStyle(fsMDIChild);
            child->SetBounds(10 + 180 * i, 10, 170, 200);
            auto* list = new TProbe(child);
            list->SetParent(child);
            list->SetBounds(5, 5, 150, 150);
            list->DragCursor = crDrag;
            child->Show();
            list->OnDragOver = [this, list, child, i](TObject*, TObject*, int X, int Y, TDragState State,
                                                      bool& Accept) {
                if (State == dsDragLeave) return;
                child->BringToFront();
                Log.push_back("list " + std::to_string(i) + " " + std::to_string(X) + "," + std::to_string(Y));
                Accept = i != 0;
            };
            lists.push_back(list);
            children.push_back(child);
        }
        lists[0]->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { lists[0]->BeginDrag(false); };
        lists[0]->OnEndDrag = [this](TObject*, TObject* Target, int X, int Y) {
            std::string name = "none";
            for (std::size_t i = 0; i < lists.size(); ++i)
                if (Target == lists[i]) name = "list " + std::to_string(i);
            if (Target == picture) name = "picture";
            Ends.push_back(name + " " + std::to_string(X) + "," + std::to_string(Y));
        };
        ProcessPendingMessages();
    }
    void TearDown() override {
        Application->MainForm = nullptr;
        VclTest::TearDown();
    }
    static void MoveTo(POINT P) {
        SetCursorPos(P.x, P.y);
        ProcessPendingMessages();
    }
    static void Mouse(DWORD Flag) {
        mouse_event(Flag, 0, 0, 0, 0);
        ProcessPendingMessages();
    }
    static POINT At(TControl* C, int X, int Y) {
        const TPoint p = C->ClientToScreen(TPoint{X, Y});
        return POINT{p.x, p.y};
    }
    // The start of a drag from the first list, past the threshold.
    void Press() {
        MoveTo(At(lists[0], 20, 20));
        Mouse(MOUSEEVENTF_LEFTDOWN);
        MoveTo(At(lists[0], 30, 20));
        ASSERT_TRUE(lists[0]->Dragging());
    }

    TForm* main = nullptr;
    TPanel* panel = nullptr;
    TImage* picture = nullptr;
    std::vector<TProbe*> lists;
    std::vector<TForm*> children;
    std::vector<std::string> Log, Ends;
};

// Passing over two children that come to the front keeps the drag (and the mouse) going; the drop lands on
// the second, in its list's client coordinates.
TEST_F(MdiDrag, AChildComingToTheFrontKeepsTheDragGoing) {
    Press();
    MoveTo(At(lists[1], 40, 50));
    EXPECT_TRUE(lists[0]->Dragging());
    EXPECT_EQ(GetCapture(), lists[0]->GetHandle());
    EXPECT_EQ(GetCursor(), CursorHandle(crDrag));
    MoveTo(At(lists[2], 60, 70));
    EXPECT_TRUE(lists[0]->Dragging());
    EXPECT_EQ(GetCursor(), CursorHandle(crDrag));
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(lists[0]->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Ends, (std::vector<std::string>{"list 2 60,70"}));
    EXPECT_EQ(Log, (std::vector<std::string>{"list 0 30,20", "list 1 40,50", "list 2 60,70"}));
    // The last child asked is the front and active one.
    EXPECT_EQ(GetTopWindow(main->ClientHandle()), children[2]->GetHandle());
    EXPECT_EQ(main->ActiveMDIChild(), children[2]);
}

// The picture on the main window's panel and the main window's free area (behind the children) are
// targets too; over the free area the cursor says no drop, and a release there drops nothing.
TEST_F(MdiDrag, ThePanelsPictureAndTheFreeAreaAreTargets) {
    Press();
    MoveTo(At(picture, 10, 12));
    EXPECT_EQ(Log.back(), "picture 10,12");
    EXPECT_EQ(GetCursor(), CursorHandle(crDrag));
    MoveTo(At(main, 300, 400));
    EXPECT_EQ(Log.back(), "main");
    EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(Ends, (std::vector<std::string>{"none 0,0"}));
    Press();
    MoveTo(At(picture, 10, 12));
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(Ends.back(), "picture 10,12");
}

TEST_F(DragAndContext, ContextMenuComesFromTheRightButtonAndTheKeyboardAndGoesToTheParentUnhandled) {
    std::vector<TPoint> sourceAsks, formAsks;
    bool handles = true;
    source->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
        sourceAsks.push_back(P);
        Handled = handles;
    };
    form->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
        formAsks.push_back(P);
        Handled = true;
    };
    source->OnMouseDown = nullptr;  // no drag here
    MoveTo(Screen(source, 30, 40));
    Mouse(MOUSEEVENTF_RIGHTDOWN);
    Mouse(MOUSEEVENTF_RIGHTUP);
    source->SetFocus();
    keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(VK_F10, 0, 0, 0);
    keybd_event(VK_F10, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_APPS, 0, 0, 0);
    keybd_event(VK_APPS, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(sourceAsks, (std::vector<TPoint>{TPoint{30, 40}, TPoint{-1, -1}, TPoint{-1, -1}}));
    EXPECT_TRUE(formAsks.empty());
    handles = false;
    Mouse(MOUSEEVENTF_RIGHTDOWN);
    Mouse(MOUSEEVENTF_RIGHTUP);
    const POINT formPoint = [&] {
        POINT p = Screen(source, 30, 40);
        ScreenToClient(form->GetHandle(), &p);
        return p;
    }();
    EXPECT_EQ(formAsks, (std::vector<TPoint>{TPoint{formPoint.x, formPoint.y}}));
}

TEST_F(DragAndContext, APopupMenuOpensWhereAskedWithItsControlAsPopupComponent) {
    struct TRecordingMenu : TPopupMenu {
        using TPopupMenu::TPopupMenu;
        std::vector<TPoint> Popups;
        void Popup(int X, int Y) override { Popups.push_back(TPoint{X, Y}); }
    };
    auto* menu = new TRecordingMenu(form);
    source->SetPopupMenu(menu);
    source->OnMouseDown = nullptr;
    const POINT click = Screen(source, 30, 40);
    MoveTo(click);
    Mouse(MOUSEEVENTF_RIGHTDOWN);
    Mouse(MOUSEEVENTF_RIGHTUP);
    source->SetFocus();
    keybd_event(VK_APPS, 0, 0, 0);
    keybd_event(VK_APPS, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    const POINT origin = Screen(source, 0, 0);
    EXPECT_EQ(menu->Popups, (std::vector<TPoint>{TPoint{click.x, click.y}, TPoint{origin.x, origin.y}}));
    EXPECT_EQ(menu->PopupComponent, source);
    // One that does not pop up by itself leaves the request to the parent; a freed one is forgotten.
    std::vector<TPoint> formAsks;
    form->OnContextPopup = [&](TObject*, TPoint P, bool& Handled) {
        formAsks.push_back(P);
        Handled = true;
    };
    menu->AutoPopup = false;
    Mouse(MOUSEEVENTF_RIGHTDOWN);
    Mouse(MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(formAsks.size(), 1u);
    delete menu;
    EXPECT_EQ(source->GetPopupMenu(), nullptr);
}

TEST_F(DragAndContext, TheWheelGoesToTheParentUnhandled) {
    std::vector<int> sourceDeltas, formDeltas;
    bool handles = false;
    source->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        sourceDeltas.push_back(Delta);
        Handled = handles;
    };
    form->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        formDeltas.push_back(Delta);
        Handled = true;
    };
    SendMessage(source->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    handles = true;
    SendMessage(source->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(sourceDeltas, (std::vector<int>{-120, 120}));
    EXPECT_EQ(formDeltas, (std::vector<int>{-120}));
}

TEST_F(DragAndContext, AControlTakingAKeyBeforeItArrivesSwallowsIt) {
    source->SetFocus();
    for (LRESULT answer : {0, 1}) {
        source->Keys.clear();
        source->KeyAnswer = answer;
        keybd_event('K', 0, 0, 0);
        keybd_event('K', 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
        EXPECT_EQ(source->Keys.size(), answer == 0 ? 1u : 0u) << answer;
    }
    // Key-up and character messages are offered the same way.
    source->KeyAnswer = 0;
    for (LRESULT answer : {0, 1}) {
        source->KeyUps.clear();
        source->Chars.clear();
        source->KeyUpAnswer = answer;
        source->CharAnswer = answer;
        keybd_event('K', 0, 0, 0);
        keybd_event('K', 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
        EXPECT_EQ(source->KeyUps.size(), answer == 0 ? 1u : 0u) << answer;
        EXPECT_EQ(source->Chars.size(), answer == 0 ? 1u : 0u) << answer;
    }
}

TEST_F(DragAndContext, FormsBlendAndTakeTheirOwnerFromThePopupMode) {
    auto* popup = Keep(Construct<TForm>(nullptr));
    popup->SetAlphaBlend(true);
    popup->SetAlphaBlendValue(180);
    popup->SetPopupParent(form);
    EXPECT_EQ(popup->GetPopupMode(), pmExplicit);
    popup->HandleNeeded();
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(popup->GetHandle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(GetWindow(popup->GetHandle(), GW_OWNER), form->GetHandle());
    delete form;  // the popup forgets a freed parent
    Forget(form);
    EXPECT_EQ(popup->GetPopupParent(), nullptr);
}

TEST_F(DragAndContext, PatternBitmapIsASharedCheckerboard) {
    TBitmap* pattern = AllocPatternBitmap(clBlack, clWhite);
    ASSERT_EQ(pattern, AllocPatternBitmap(clBlack, clWhite));
    EXPECT_NE(pattern, AllocPatternBitmap(clWhite, clBlack));
    ASSERT_EQ(pattern->GetWidth(), 8);
    ASSERT_EQ(pattern->GetHeight(), 8);
    HDC dc = pattern->Canvas()->GetHandle();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(GetPixel(dc, x, y) & 0xFFFFFF, (x + y) % 2 == 0 ? 0x000000u : 0xFFFFFFu) << x << "," << y;
}

}  // namespace
}  // namespace zel::test
