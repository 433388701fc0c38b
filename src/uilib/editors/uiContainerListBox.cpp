// The list box inside an editor: focus, mouse and clicks reported to its container, the container's automatic
// drag, dialog codes, and type-ahead search.
#include <algorithm>

#include "platform/rtl/Clock.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Controls.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/base/uiClasses.h"
#include "uilib/editors/uiContainer.h"

namespace zel {

TuiCustomInnerListBox::TuiCustomInnerListBox(TComponent* AOwner) : TListBox(AOwner) {
    BorderStyle = bsNone;
    ControlStyle.Exclude(csOpaque).Include(csDoubleClicks);
    SetParentColor(false);
    SetParentFont(true);
}

void TuiCustomInnerListBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            TListBox::WndProc(Message);
            if (Container != nullptr) {
                Message.Result |= DLGC_WANTCHARS;
                if ((GetKeyState(VK_CONTROL) & 0x8000) == 0) Message.Result |= DLGC_WANTARROWS;
            }
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            TListBox::WndProc(Message);
            const HWND other = reinterpret_cast<HWND>(Message.WParam);
            const bool fromContainer =
                Container != nullptr && Container->HandleAllocated() && other == Container->GetHandle();
            if (Container != nullptr && !(Message.Msg == WM_SETFOCUS && fromContainer)) Container->ShortRefresh();
            return;
        }
        case WM_LBUTTONDOWN:
            if (Container != nullptr && Container->DragMode == dmAutomatic && !Container->IsDesigning()) {
                PressWithContainerDrag(Message);
                return;
            }
            TListBox::WndProc(Message);
            return;
        default: TListBox::WndProc(Message);
    }
}

void TuiCustomInnerListBox::PressWithContainerDrag(TMessage& Message) {
    // The container drags, not the list: its own automatic dragging waits while the press is handled.
    Container->DragMode = dmManual;
    TuiObjectLinkScope container(Container);
    TScopeExit restore([&] {
        if (container.Alive()) Container->DragMode = dmAutomatic;
    });
    const TShiftState shift = KeysToShiftState(Message.WParam);
    const int index = ItemAtPos(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
    // A press on a selected item of a multi-select list drags the selection at once, unless Shift alone
    // extends it.
    if (GetMultiSelect() && index >= 0 && Selected(index) && shift != TShiftState{ssShift}) {
        Container->BeginDrag(false);
        return;
    }
    TuiObjectLinkScope self(this);
    TListBox::WndProc(Message);
    if (!self.Alive() || !container.Alive()) return;
    if (!GetMultiSelect() || (!shift.Contains(ssCtrl) && !shift.Contains(ssShift))) Container->BeginDrag(false);
}

void TuiCustomInnerListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TListBox::MouseDown(Button, Shift, X, Y);
    if (Container == nullptr) return;
    Container->InnerControlMouseDown = true;
    TScopeExit lower([this] {
        if (Container != nullptr) Container->InnerControlMouseDown = false;
    });
    Container->MouseDown(Button, Shift, X + GetLeft(), Y + GetTop());
}

void TuiCustomInnerListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TListBox::MouseUp(Button, Shift, X, Y);
    if (Container != nullptr) Container->MouseUp(Button, Shift, X + GetLeft(), Y + GetTop());
}

void TuiCustomInnerListBox::MouseMove(TShiftState Shift, int X, int Y) {
    TListBox::MouseMove(Shift, X, Y);
    if (Container != nullptr) Container->MouseMove(Shift, X + GetLeft(), Y + GetTop());
}

void TuiCustomInnerListBox::Click() {
    TListBox::Click();
    if (Container != nullptr) Container->Click();
}

void TuiCustomInnerListBox::DblClick() {
    TListBox::DblClick();
    if (Container != nullptr) Container->DblClick();
}

void TuiCustomInnerListBox::DestroyWnd() {
    savedSelection_.clear();
    savedCaret_ = savedTop_ = -1;
    if (HandleAllocated() && GetMultiSelect()) {
        const HWND h = GetHandle();
        const auto count = static_cast<int>(std::max<LRESULT>(0, SendMessage(h, LB_GETSELCOUNT, 0, 0)));
        savedSelection_.resize(static_cast<std::size_t>(count));
        if (count > 0)
            SendMessage(h, LB_GETSELITEMS, static_cast<WPARAM>(count),
                        reinterpret_cast<LPARAM>(savedSelection_.data()));
        savedCaret_ = static_cast<int>(SendMessage(h, LB_GETCARETINDEX, 0, 0));
        savedTop_ = static_cast<int>(SendMessage(h, LB_GETTOPINDEX, 0, 0));
    }
    TListBox::DestroyWnd();
}

void TuiCustomInnerListBox::CreateWnd() {
    TListBox::CreateWnd();
    if (!GetMultiSelect()) return;
    const HWND h = GetHandle();
    for (const int i : savedSelection_) SendMessage(h, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    if (savedCaret_ >= 0) SendMessage(h, LB_SETCARETINDEX, static_cast<WPARAM>(savedCaret_), 0);
    if (savedTop_ >= 0) SendMessage(h, LB_SETTOPINDEX, static_cast<WPARAM>(savedTop_), 0);
    savedSelection_.clear();
    savedCaret_ = savedTop_ = -1;
}

void TuiCustomInnerListBox::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    if (Container == nullptr) TListBox::DragOver(Source, X, Y, State, Accept);
    else Container->DragOver(Source, X + GetLeft(), Y + GetTop(), State, Accept);
}

void TuiCustomInnerListBox::DragDrop(TObject* Source, int X, int Y) {
    if (Container == nullptr) TListBox::DragDrop(Source, X, Y);
    else Container->DragDrop(Source, X + GetLeft(), Y + GetTop());
}

void TuiCustomInnerListBox::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (Container == nullptr) {
        TListBox::DoContextPopup(MousePos, Handled);
        return;
    }
    // A request from the keyboard (-1, -1) stays one.
    const bool keyboard = MousePos.x == -1 && MousePos.y == -1;
    Container->DoContextPopup(keyboard ? MousePos : TPoint{MousePos.x + GetLeft(), MousePos.y + GetTop()}, Handled);
}

bool TuiCustomInnerListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    // The wheel's point is on the screen: the container reads it as it stands.
    if (Container == nullptr) return TListBox::DoMouseWheel(Shift, WheelDelta, MousePos);
    return Container->DoMouseWheel(Shift, WheelDelta, MousePos);
}

bool TuiCustomInnerListBox::DoKeyPress(char& Key) {
    if (Key == '\t') return true;
    if (Key == '\r') return true;
    if (TListBox::DoKeyPress(Key)) return true;
    return TypeAhead && TypeAheadStep(Key);
}

bool TuiCustomInnerListBox::TypeAheadStep(char Key) {
    const TTick now = GetTickCount();
    if (now - lastKeyTime_ > TypeAheadDelay) typeAheadText_.clear();
    lastKeyTime_ = now;
    if (Key == '\b') {
        if (!typeAheadText_.empty()) typeAheadText_.pop_back();
    } else if (Key != 27 && Key != '\r') {
        typeAheadText_ += Key;
    }
    int index = -1;
    if (typeAheadText_.empty()) {
        index = Items()->GetCount() > 0 ? 0 : -1;
    } else if (HandleAllocated()) {
        const LRESULT found = SendMessage(GetHandle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(typeAheadText_.c_str()));
        index = found == LB_ERR ? -1 : static_cast<int>(found);
    }
    if (index >= 0) {
        SetItemIndex(index);
        Click();
    }
    return Key != '\b' && Key != '\r' && Key != 27;
}

}  // namespace zel
