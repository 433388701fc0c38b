// The customizing drag of items on the main window's bars, with real mouse and key input on the manual
// clock: commands dropped on a bar or a menu, links moved, copied, deleted and grouped, the drop mark, and a
// drag that outlives the bars, links and form it holds.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "MainWindowBars.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarToolbarControl.h"

namespace zel::test {
namespace {

class ubBarItemDrag : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        form_ = Construct<TFormBarsSample>(nullptr);
        form_->SetBounds(60, 60, 640, 300);
        form_->Show();
        ProcessPendingMessages();
        Manager()->SetCustomizing(true);
        ProcessPendingMessages();
    }
    void TearDown() override {
        if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
        for (BYTE key : {VK_CONTROL, VK_SHIFT, VK_ESCAPE})
            if (GetAsyncKeyState(key) < 0) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        if (GetAsyncKeyState(VK_LBUTTON) < 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        delete form_;
        form_ = nullptr;
        BarsTest::TearDown();
    }
    TubBarManager* Manager() const { return form_->Manager; }
    TubBar* MenuBar() const { return Manager()->GetBars()->Items(0); }
    TubBar* ToolBar() const { return Manager()->GetBars()->Items(1); }
    static TubBarItemLinks* LinksOf(TubBar* B) { return B->GetItemLinks(); }
    TubBarItem* Item(const char* Name) const { return Manager()->FindItemByName(Name); }
    // The items of a link list by name, a "|" before each link that begins a group.
    static std::vector<std::string> Names(TubBarItemLinks* L) {
        std::vector<std::string> names;
        for (int i = 0; i < L->Count(); ++i)
            names.push_back((L->Items(i)->BeginGroup ? "|" : "") + L->Items(i)->GetItem()->GetName());
        return names;
    }
    // A point of a link's rectangle on screen: Fx, Fy are fractions of its width and height.
    static TPoint At(TubBarItemLink* L, double Fx = 0.5, double Fy = 0.5) {
        const TRect& r = L->ItemRect;
        POINT p{r.left + static_cast<int>((r.right - r.left) * Fx), r.top + static_cast<int>((r.bottom - r.top) * Fy)};
        ClientToScreen(L->Control->Parent->GetHandle(), &p);
        return TPoint{p.x, p.y};
    }
    static TubBarItemLink* LinkOf(TubBarItemLinks* L, const char* Name) {
        for (int i = 0; i < L->Count(); ++i)
            if (L->Items(i)->GetItem()->GetName() == Name) return L->Items(i);
        return nullptr;
    }
    static void MoveTo(TPoint P) { SetCursorPos(P.x, P.y); }
    static void Key(WORD K, bool Up) { keybd_event(static_cast<BYTE>(K), 0, Up ? KEYEVENTF_KEYUP : 0, 0); }
    // Moves that follow each other in the queue are merged into the last; a key between keeps them apart
    // (the drag loop drops it).
    static void Apart() {
        Key(VK_SHIFT, false);
        Key(VK_SHIFT, true);
    }
    // Runs Step when the drag loop takes the Shift key from the queue.
    void OnShift(std::function<void()> Step) {
        hook_ = SetWindowsHookEx(WH_GETMESSAGE, [Step](int Code, WPARAM W, LPARAM L) -> LRESULT {
            auto* msg = reinterpret_cast<MSG*>(L);
            if (Code >= 0 && W == PM_REMOVE && msg->message == WM_KEYDOWN && msg->wParam == VK_SHIFT) Step();
            return CallNextHookEx(nullptr, Code, W, L);
        });
    }
    // Dispatches what is queued, and what the drag loop's handlers queue meanwhile.
    static void Pump() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        ProcessPendingMessages();
    }
    // Presses the link, then moves by (dx, dy) in two steps so that the bar starts the drag on the first.
    static void PressAndDrag(TubBarItemLink* L, int Dx, int Dy) {
        const TPoint start = At(L);
        MoveTo(start);
        ProcessPendingMessages();
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        MoveTo(TPoint{start.x + Dx, start.y + Dy});
    }
    // The client pixels of a bar window.
    static std::vector<COLORREF> Pixels(TCustomubBarControl* W) {
        const TRect c = W->GetClientRect();
        const HDC dc = GetDC(W->GetHandle());
        std::vector<COLORREF> pixels;
        for (int y = 0; y < c.bottom; ++y)
            for (int x = 0; x < c.right; ++x) pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(W->GetHandle(), dc);
        return pixels;
    }

    TFormBarsSample* form_ = nullptr;
    HHOOK hook_ = nullptr;
};

const std::vector<std::string> kToolBar{"FileNewItem",        "FileOpenItem",  "FileSaveItem",
                                        "FileSaveAsItem",     "FilePrintItem", "|GadgetsKeyboardItem",
                                        "GadgetsMonitorItem", "|Index1",       "FileExitItem"};

TEST_F(ubBarItemDrag, ACommandDroppedOnAToolbarOfTheDisabledFormAddsALinkThereAndOnAMenuAnEntry) {
    // Over the right half of Print the new link follows it, before the separator of Keyboard.
    // The customizing form is the only enabled window (and the active one); the bars' form is disabled.
    TTestForm* customizing = NewForm();
    customizing->SetBounds(720, 60, 200, 300);
    customizing->Show();
    EnableWindow(form_->GetHandle(), FALSE);
    SetActiveWindow(customizing->GetHandle());
    ProcessPendingMessages();
    TubBarItem* midi = Item("SetMidiMidiPortItem");
    ASSERT_NE(midi, nullptr);
    ASSERT_EQ(Names(LinksOf(ToolBar())), kToolBar);
    // The drag leaves the command list on the customizing form for the right half of Print.
    const TPoint commandList = OnScreen(customizing, 100, 100);
    MoveTo(commandList);
    ProcessPendingMessages();
    MoveTo(At(LinkOf(LinksOf(ToolBar()), "FilePrintItem"), 0.75));
    TCursor during = crDefault;
    OnShift([&] { during = Screen->GetCursor(); });
    Apart();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Manager()->RunItemDrag(midi, nullptr);
    Pump();
    EXPECT_EQ(during, crubBarDragCopy);  // a command is always copied onto the bars
    std::vector<std::string> expected = kToolBar;
    expected.insert(expected.begin() + 5, "SetMidiMidiPortItem");
    EXPECT_EQ(Names(LinksOf(ToolBar())), expected);
    ASSERT_NE(ToolBar()->Control(), nullptr);
    TubBarItemLink* added = LinkOf(LinksOf(ToolBar()), "SetMidiMidiPortItem");
    ASSERT_NE(added->Control, nullptr);
    EXPECT_FALSE(IsRectEmpty(&added->ItemRect));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(Manager()->InDrag);
    EXPECT_EQ(Manager()->DraggedItem, nullptr);
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;

    // Over the menu bar's File the menu opens; on its second entry's upper half the command goes there.
    auto* file = dynamic_cast<TubBarSubItem*>(Item("File1"));
    ASSERT_NE(file, nullptr);
    const std::vector<std::string> before = Names(file->GetItemLinks());
    ASSERT_GE(before.size(), 2u);
    MoveTo(commandList);
    ProcessPendingMessages();
    MoveTo(At(LinkOf(LinksOf(MenuBar()), "File1")));
    OnShift([&] {
        TCustomubBarControl* menu = file->GetItemLinks()->BarControl;
        ASSERT_NE(menu, nullptr) << "the File menu is open";
        MoveTo(At(file->GetItemLinks()->Items(1), 0.5, 0.25));
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    });
    Apart();
    Manager()->RunItemDrag(midi, nullptr);
    Pump();
    // Open begins a group: dropped on its upper half the new entry comes after the separator and takes the
    // group start from it.
    ASSERT_EQ(before[1], "|FileOpenItem");
    std::vector<std::string> entries = before;
    entries[1] = "FileOpenItem";
    entries.insert(entries.begin() + 1, "|SetMidiMidiPortItem");
    EXPECT_EQ(Names(file->GetItemLinks()), entries);
}

TEST_F(ubBarItemDrag, EdgeCasesOfALinkDraggedFromItsToolbar) {
    // Names without the dragged link, and with its group start changed.
    auto without = [](const char* Name) {
        std::vector<std::string> names;
        for (const std::string& n : kToolBar)
            if (n != Name) names.push_back(n);
        return names;
    };
    auto grouped = [](const char* Name, bool Group) {
        std::vector<std::string> names = kToolBar;
        for (std::string& n : names)
            if (n == Name || n == std::string("|") + Name) n = (Group ? "|" : "") + std::string(Name);
        return names;
    };
    constexpr int kOff = 100000;  // far below every bar
    struct Row {
        const char* Name;
        const char* Link;
        int Dx, Dy;
        bool Ctrl, Esc;
        std::vector<std::string> Expected;
    };
    const Row rows[] = {
        {"Esc changes nothing", "FileSaveAsItem", 0, kOff, false, true, kToolBar},
        {"off every bar deletes the link", "FileSaveAsItem", 0, kOff, false, false, without("FileSaveAsItem")},
        {"off every bar with Ctrl changes nothing", "FileSaveAsItem", 0, kOff, true, false, kToolBar},
        {"5 pixels right begins a group", "FileSaveAsItem", 5, 0, false, false, grouped("FileSaveAsItem", true)},
        {"3 pixels right changes nothing", "FileSaveAsItem", 3, 0, false, false, kToolBar},
        {"5 pixels left ends a group", "GadgetsKeyboardItem", -5, 0, false, false,
         grouped("GadgetsKeyboardItem", false)},
        {"5 pixels right on a group start changes nothing", "GadgetsKeyboardItem", 5, 0, false, false, kToolBar},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TubBarItemLinks* links = LinksOf(ToolBar());
        ASSERT_EQ(Names(links), kToolBar);
        TubBarItemLink* link = LinkOf(links, r.Link);
        if (r.Dy == kOff) {
            const TPoint start = At(link);
            PressAndDrag(link, 0, 8);  // the drag starts on the bar...
            Apart();
            MoveTo(TPoint{start.x, 700});  // ...and leaves every bar
        } else {
            PressAndDrag(link, r.Dx, r.Dy);
        }
        if (r.Ctrl) Key(VK_CONTROL, false);
        if (r.Esc) Key(VK_ESCAPE, false);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        if (r.Ctrl) Key(VK_CONTROL, true);
        if (r.Esc) Key(VK_ESCAPE, true);
        Pump();
        EXPECT_EQ(Names(links), r.Expected);
        EXPECT_FALSE(Manager()->InDrag);
        EXPECT_EQ(GetCapture(), nullptr);
        // Back to the bar as it came from the form.
        while (links->Count() > 0) delete links->Items(links->Count() - 1);
        for (const std::string& n : kToolBar) {
            TubBarItemLink* l = links->Add();
            l->SetItem(Item(n[0] == '|' ? n.c_str() + 1 : n.c_str()));
            l->BeginGroup = n[0] == '|';
        }
        ToolBar()->Control()->Rebuild();
        Pump();
    }
}

TEST_F(ubBarItemDrag, ALinkDraggedToAnotherBarMovesAndWithCtrlIsCopied) {
    for (bool copy : {false, true}) {
        SCOPED_TRACE(copy ? "with Ctrl" : "without Ctrl");
        TubBarItemLink* print = LinkOf(LinksOf(ToolBar()), "FilePrintItem");
        TubBarItemLink* help = LinkOf(LinksOf(MenuBar()), "Help1");
        const int menuCount = LinksOf(MenuBar())->Count();
        PressAndDrag(print, 0, -8);
        if (copy) Key(VK_CONTROL, false);
        Apart();
        MoveTo(At(help, 0.9));  // the right half of Help: after it
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        if (copy) Key(VK_CONTROL, true);
        Pump();
        EXPECT_EQ(LinksOf(MenuBar())->Count(), menuCount + 1);
        EXPECT_EQ(Names(LinksOf(MenuBar())).back(), "FilePrintItem");
        EXPECT_EQ(LinkOf(LinksOf(ToolBar()), "FilePrintItem") != nullptr, copy);
        ASSERT_NE(MenuBar()->Control(), nullptr);
        TubBarItemLink* added = LinksOf(MenuBar())->Items(menuCount);
        EXPECT_NE(added->Control, nullptr);
        // The new link is the selection of its bar.
        EXPECT_EQ(MenuBar()->Control()->SelectedControl(), added->Control);
        delete added;
        if (!copy) {
            TubBarItemLink* back = LinksOf(ToolBar())->Insert(4);
            back->SetItem(Item("FilePrintItem"));
        }
        ToolBar()->Control()->Rebuild();
        Pump();
        ASSERT_EQ(Names(LinksOf(ToolBar())), kToolBar);
    }
}

TEST_F(ubBarItemDrag, TheDropMarkShowsWhereADropChangesSomethingAndNotWhereItLeavesTheLinkInPlace) {
    TubBarControl* tools = ToolBar()->Control();
    TubBarItemLink* save = LinkOf(LinksOf(ToolBar()), "FileSaveItem");
    TubBarItemLink* saveAs = LinkOf(LinksOf(ToolBar()), "FileSaveAsItem");
    TubBarItemLink* exit = LinkOf(LinksOf(ToolBar()), "FileExitItem");
    Pump();
    const std::vector<COLORREF> before = Pixels(tools);
    struct Where {
        const char* Name;
        TPoint P;
        bool Mark;
    };
    std::vector<Where> places{
        {"on itself", At(save), false},
        {"right after the link before it", At(LinkOf(LinksOf(ToolBar()), "FileOpenItem"), 0.8), false},
        {"right before the link after it", At(saveAs, 0.2), false},
        {"after Exit", At(exit, 0.8), true},
    };
    std::vector<bool> shown;
    std::vector<COLORREF> marked;
    std::size_t step = 0;
    // Each place is reached between two Shift keys; the last one takes the pictures and ends the drag with
    // Esc (the screenshot handles what is queued).
    OnShift([&] {
        shown.push_back(Manager()->DropMarkShown());
        if (++step < 2 * places.size()) return;
        marked = Pixels(tools);
        const RECT area{60, 60, 700, 160};
        EXPECT_TRUE(SaveScreenImage(area, ScreenshotPath("drag-drop-mark")));
        Key(VK_ESCAPE, false);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        Key(VK_ESCAPE, true);
    });
    PressAndDrag(save, 0, 8);
    for (const Where& w : places) {
        Apart();
        MoveTo(w.P);
        Apart();
    }
    Pump();
    ASSERT_EQ(shown.size(), 2 * places.size());
    for (std::size_t i = 0; i < places.size(); ++i) EXPECT_EQ(shown[2 * i + 1], places[i].Mark) << places[i].Name;
    // The mark inverted the pixels at Exit's right edge.
    ASSERT_EQ(marked.size(), before.size());
    EXPECT_NE(marked, before);
    const int width = tools->GetClientRect().right;
    const TRect& r = exit->ItemRect;
    const int y = (r.top + r.bottom) / 2;
    EXPECT_EQ(marked[y * width + r.right - 1], 0xFFFFFF & ~before[y * width + r.right - 1]);
    EXPECT_FALSE(Manager()->DropMarkShown());
    EXPECT_EQ(Names(LinksOf(ToolBar())), kToolBar);
}

TEST_F(ubBarItemDrag, WhatAHandlerFreesWhileTheDragRunsIsNeverTouchedAgain) {
    enum TFreed { fTargetBar, fDraggedLink, fItem, fOwnerForm };
    struct Row {
        const char* Name;
        TFreed Freed;
        int MenuLinks;  // links on the menu bar afterwards (-1: the form went)
    };
    const Row rows[] = {
        {"the bar under the pointer", fTargetBar, 5},
        {"the dragged link", fDraggedLink, 5},
        {"the dragged item", fItem, 5},
        {"the owner form", fOwnerForm, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        if (form_ == nullptr) {
            form_ = Construct<TFormBarsSample>(nullptr);
            form_->SetBounds(60, 60, 640, 300);
            form_->Show();
            ProcessPendingMessages();
            Manager()->SetCustomizing(true);
        }
        ASSERT_EQ(LinksOf(MenuBar())->Count(), 5);
        TubBarItemLink* print = LinkOf(LinksOf(ToolBar()), "FilePrintItem");
        const TPoint overHelp = At(LinkOf(LinksOf(MenuBar()), "Help1"), 0.9);
        // Over the toolbar's Exit, a handler frees something; then the button comes up over the menu bar.
        int shifts = 0;
        OnShift([&] {
            if (++shifts != 2) return;
            EXPECT_TRUE(Manager()->DropMarkShown());
            switch (r.Freed) {
                case fTargetBar: delete ToolBar(); break;
                case fDraggedLink: delete print; break;
                case fItem: delete print->GetItem(); break;
                case fOwnerForm:
                    delete form_;
                    form_ = nullptr;
                    break;
            }
            MoveTo(overHelp);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        });
        PressAndDrag(print, 0, -8);
        Apart();
        MoveTo(At(LinkOf(LinksOf(ToolBar()), "FileExitItem"), 0.8));
        Apart();
        Pump();
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        EXPECT_EQ(GetCapture(), nullptr);
        if (r.MenuLinks < 0) {
            EXPECT_EQ(form_, nullptr);
            continue;
        }
        EXPECT_FALSE(Manager()->InDrag);
        EXPECT_EQ(Manager()->DraggedLink, nullptr);
        EXPECT_FALSE(Manager()->DropMarkShown());
        EXPECT_EQ(LinksOf(MenuBar())->Count(), r.MenuLinks);
        delete form_;
        form_ = nullptr;
    }
}

TEST_F(ubBarItemDrag, AnEditsWidthIsDraggedFromWithinSevenPixelsOfAnEdgeAndNeverBelowTwenty) {
    auto* edit = new TubBarEdit(form_);
    edit->SetName("PatchName");
    TubBarItemLink* link = LinksOf(ToolBar())->Add();
    link->SetItem(edit);
    ToolBar()->Control()->Rebuild();
    Pump();
    TubBarControl* tools = ToolBar()->Control();
    ASSERT_NE(link->Control, nullptr);
    const int width = link->Width();
    ASSERT_EQ(width, 100);
    // Selected by a click while customizing.
    MoveTo(At(link));
    Pump();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Pump();
    ASSERT_EQ(tools->SelectedControl(), link->Control);
    auto screenX = [&](int ClientX) {
        POINT p{ClientX, (link->ItemRect.top + link->ItemRect.bottom) / 2};
        ClientToScreen(tools->GetHandle(), &p);
        return TPoint{p.x, p.y};
    };
    struct Row {
        const char* Name;
        int X;  // where the pointer rests, in pixels from the edit's left edge (negative: from its right edge)
        bool Armed;
        int Dx;        // how far the press then drags
        int Expected;  // the pointer's distance from the edge that stays
    };
    const Row rows[] = {
        {"7 pixels in from the right edge: not armed", -8, false, 0, 100},
        {"within 7 pixels of the right edge: wider", -7, true, 30, 100 - 7 + 30},
        {"within 7 pixels of the left edge: narrower", 3, true, 50, 123 - 3 - 50},
        {"dragged past the other edge: 20", 6, true, 400, 20},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        const TRect& rect = link->ItemRect;
        const TPoint rest = screenX(r.X >= 0 ? rect.left + r.X : rect.right + r.X);
        MoveTo(rest);
        Pump();
        EXPECT_EQ(tools->WidthDragArmed(), r.Armed);
        EXPECT_EQ(GetCursor() == Screen->Cursors(crubBarEditSizing), r.Armed);
        if (!r.Armed) continue;
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        Pump();
        EXPECT_TRUE(tools->WidthDragActive());
        MoveTo(TPoint{rest.x + r.Dx, rest.y});
        Pump();
        EXPECT_EQ(tools->WidthDragWidth(), r.Expected);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        Pump();
        EXPECT_FALSE(tools->WidthDragActive());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(link->Width(), r.Expected);
        EXPECT_TRUE(link->GetUserDefine().Contains(udWidth));
        EXPECT_EQ(link->GetUserWidth(), r.Expected);
        Pump();
        EXPECT_EQ(link->ItemRect.right - link->ItemRect.left, r.Expected);  // laid out anew
    }
}

TEST_F(ubBarItemDrag, EscUnderTheCaptureOfACustomizingMenuTakesTheMouseBackAndLeavesTheMenuOpen) {
    auto* file = dynamic_cast<TubBarSubItem*>(Item("File1"));
    MoveTo(At(LinkOf(LinksOf(MenuBar()), "File1")));
    Pump();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Pump();
    TCustomubBarControl* menu = file->GetItemLinks()->BarControl;
    ASSERT_NE(menu, nullptr);
    // The menu holds the mouse (as after a press on an entry, until a drag starts).
    SetCapture(menu->GetHandle());
    Key(VK_ESCAPE, false);
    Pump();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(file->GetItemLinks()->BarControl, menu);
    Key(VK_ESCAPE, true);
    Pump();
    EXPECT_EQ(Names(LinksOf(ToolBar())), kToolBar);
}

}  // namespace
}  // namespace zel::test
