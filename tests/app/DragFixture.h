#pragma once
// The program started, with library, bank and global windows side by side in a large main window, and the
// mouse driving them as a musician does: presses, moves past the drag threshold, releases, the Copy/Move
// question answered by a click on its item.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "app/Uebank.h"
#include "app/Ueglobal.h"
#include "app/Uelibrar.h"
#include "model/Bank.h"
#include "model/Clipboard.h"
#include "model/Global.h"
#include "model/Library.h"
#include "platform/vcl/Menus.h"
#include "support/vcl/QueuedInput.h"

namespace zel::test {

// What a drop's question is answered with: no question expected, or Copy, Move, or closed unanswered.
enum class TAnswer { NoQuestion, Copy, Move, Dismiss };

class DragProgram : public Program {
protected:
    void StartLarge() {
        StartAndWaitOutTheIntro();
        Formzelmo->SetWindowState(wsNormal);
        Formzelmo->SetBounds(0, 0, 1500, 1000);
        ProcessPendingMessages();
        SetCursorPos(0, 0);
    }

    // A library window on a new library holding elements of the given kinds, named "E0", "E1", ..., its
    // left top at the given place of the main window's client area.
    TFormLibrary* OpenWith(const std::vector<int>& kinds, int left = 0, int top = 0) {
        auto* library = new TLibrary;
        library->Saved = 1;
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            library->Elements.push_back(CreateElementOfType(kinds[i], library));
            library->Elements.back()->SetName("E" + std::to_string(i), false);
        }
        library->Saved = 1;
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        form->SetBounds(left, top, form->GetWidth(), form->GetHeight());
        ProcessPendingMessages();
        return form;
    }
    static TLibElem& At(TFormLibrary* form, int i) {
        return *form->Library()->Elements.at(static_cast<std::size_t>(i));
    }
    static std::vector<std::string> Names(TFormLibrary* form) {
        std::vector<std::string> names;
        for (const auto& e : form->Library()->Elements) names.push_back(e->GetName());
        return names;
    }
    // Opens an element's window as a double click does, and places it.
    template <class TWindow>
    static TWindow* OpenWindowOf(TLibElem& element, int left, int top) {
        element.OpenEditor();
        ProcessPendingMessages();
        auto* window = dynamic_cast<TWindow*>(element.Window);
        if (window != nullptr) window->SetBounds(left, top, window->GetWidth(), window->GetHeight());
        ProcessPendingMessages();
        return window;
    }

    // Makes a child window the active one, as a click on its frame does.
    static void Activate(TCustomForm* child) {
        SendMessage(Formzelmo->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->GetHandle()), 0);
        ProcessPendingMessages();
    }
    static POINT ScreenPoint(TControl* control, int x, int y) {
        const TPoint p = control->ClientToScreen(TPoint{x, y});
        return POINT{p.x, p.y};
    }
    static POINT RowPoint(TDrawGrid* grid, int row) {
        return ScreenPoint(grid, 100, (row - grid->GetTopRow()) * grid->GetDefaultRowHeight() + 9);
    }
    static void MoveTo(POINT p) {
        SetCursorPos(p.x, p.y);
        RunQueue();
    }
    // A click of a button at a screen point with keys held; later than a double click's second press.
    void Press(POINT p, std::initializer_list<BYTE> keys = {}, bool right = false) {
        Clock->Advance(GetDoubleClickTime() + 1);
        PressAt(p, keys, right);
    }
    static POINT CentreOf(const TMenuItem* item) {
        TRect r;
        EXPECT_TRUE(GetPopupMenuItemRect(item, r)) << item->Caption;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Runs Steps while a popup menu is open, then answers it: a click on an item, or Esc.
    void WhilePopupOpen(const std::function<void()>& Steps, const TMenuItem* Choice) {
        popupSeen_ = false;
        Application->OnIdle = [this, Steps, Choice](TObject* Sender, bool& done) {
            done = true;
            if (popupSeen_ || OpenPopupMenuWindow() == nullptr) {
                // What the choice runs may wait in a loop of its own (a transfer's progress window).
                if (popupSeen_ && afterPopup_) afterPopup_(Sender, done);
                return;
            }
            popupSeen_ = true;
            if (Steps) Steps();
            if (Choice != nullptr) {
                const POINT p = CentreOf(Choice);
                SetCursorPos(p.x, p.y);
                mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
                mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            } else {
                keybd_event(VK_ESCAPE, 0, 0, 0);
                keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
            }
        };
    }
    // A drag from one screen point to another: the press, a move past the threshold, the move onto the
    // target, the release; then the drop's question answered. Steps run while the question is open.
    void DragDrop(POINT from, POINT to, TAnswer answer, const std::function<void()>& Steps = nullptr) {
        Clock->Advance(GetDoubleClickTime() + 1);
        MoveTo(from);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RunQueue();
        MoveTo(POINT{from.x + 8, from.y + 3});
        MoveTo(to);
        const TMenuItem* choice = answer == TAnswer::Copy   ? Formzelmo->PopUpCopy
                                  : answer == TAnswer::Move ? Formzelmo->PopUpMove
                                                            : nullptr;
        WhilePopupOpen(Steps, choice);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        RunQueue();
        Application->OnIdle = nullptr;
        EXPECT_EQ(popupSeen_, answer != TAnswer::NoQuestion) << "the Copy/Move question";
        ProcessPendingMessages();
    }

    // Runs Act while transfer progress windows come and go, the time running while one shows; EachWindow
    // runs once as each shows.
    void WithProgress(const std::function<void()>& Act, const std::function<void()>& EachWindow = nullptr) {
        bool shown = false;
        int idles = 0;
        afterPopup_ = [&](TObject*, bool& done) {
            done = false;
            if (++idles > 100000) FormTransmet->Close();  // never hang the test
            if (!FormTransmet->GetVisible()) {
                shown = false;
                return;
            }
            if (!shown) {
                shown = true;
                if (EachWindow) EachWindow();
            }
            if (ProgressTick) ProgressTick();
            else Clock->Advance(10);
        };
        Application->OnIdle = afterPopup_;
        Act();
        Application->OnIdle = nullptr;
        afterPopup_ = nullptr;
    }
    // Opens the popup menu by a right click at a point and chooses an item (nullptr: closed with Esc);
    // Steps run while it is open.
    void PopupAt(POINT p, const TMenuItem* Choice, const std::function<void()>& Steps = nullptr) {
        WhilePopupOpen(Steps, Choice);
        Press(p, {}, true);
        Application->OnIdle = nullptr;
        EXPECT_TRUE(popupSeen_) << "the popup menu";
        ProcessPendingMessages();
    }

    // How the time passes while a progress window shows (by default 10 ms of the manual clock at a time).
    std::function<void()> ProgressTick;

private:
    bool popupSeen_ = false;
    TIdleEvent afterPopup_;
};

}  // namespace zel::test
