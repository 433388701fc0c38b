// The list box inside an editor: focus, keys, mouse and clicks reported to its container, the container's
// automatic drag, dialog codes, type-ahead search, its own scroll bars over the native ones, and its items
// drawn through the library's canvas.
#include <algorithm>

#include "platform/rtl/Clock.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Controls.h"
#include "platform/win/FrameScrollBar.h"
#include "platform/win/Gdi.h"
#include "platform/win/Locale.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEditPaintUtils.h"

namespace zel {

namespace {

// The list messages after which the native bars may have changed.
bool ChangesScrollState(UINT Msg) {
    switch (Msg) {
        case WM_WINDOWPOSCHANGED:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_DELETESTRING:
        case LB_RESETCONTENT:
        case LB_SETCURSEL:
        case LB_SETHORIZONTALEXTENT:
        case LB_SETTOPINDEX:
        case LB_SETCARETINDEX:
        case WM_MOUSEWHEEL:
        case CM_WININICHANGE: return true;
        default: return false;
    }
}

}  // namespace

TuiCustomInnerListBox::TuiCustomInnerListBox(TComponent* AOwner) : TListBox(AOwner) {
    BorderStyle = bsNone;
    ControlStyle.Exclude(csOpaque).Include(csDoubleClicks);
    SetParentColor(false);
    SetParentFont(true);
    uiCanvas_ = new TuiCanvas(Canvas());
    lookAndFeel_ = new TuiLookAndFeel(this);
    lookAndFeel_->OnChanged = [this](TuiLookAndFeel*, TuiLookAndFeelValues) {
        if (HandleAllocated()) Invalidate();
    };
    for (TuiScrollBar** bar : {&hScrollBar_, &vScrollBar_}) {
        *bar = new TuiScrollBar(nullptr);
        (*bar)->SetKind(bar == &hScrollBar_ ? sbHorizontal : sbVertical);
        (*bar)->SmallChange = 1;
        (*bar)->SetVisible(false);
        (*bar)->TabStop = false;
        (*bar)->GetLookAndFeel()->SetMasterLookAndFeel(lookAndFeel_);
        (*bar)->FreeNotification(this);
        TuiScrollBar* self = *bar;
        (*bar)->OnScroll = [this, self](TObject*, TScrollCode Code, int& Position) {
            OwnBarScrolled(self, Code, Position);
        };
    }
}

TuiCustomInnerListBox::~TuiCustomInnerListBox() {
    destroying_ = true;
    for (TuiScrollBar* bar : {hScrollBar_, vScrollBar_}) {
        if (bar == nullptr) continue;
        bar->RemoveFreeNotification(this);
        delete bar;
    }
    hScrollBar_ = vScrollBar_ = nullptr;
    delete lookAndFeel_;
    delete uiCanvas_;
}

void TuiCustomInnerListBox::SetContainer(TuiContainer* Value) {
    container_ = Value;
    lookAndFeel_->SetMasterLookAndFeel(Value != nullptr ? Value->GetLookAndFeel() : nullptr);
}

void TuiCustomInnerListBox::Notification(TComponent* AComponent, TOperation Operation) {
    TListBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == hScrollBar_) hScrollBar_ = nullptr;
    if (AComponent == vScrollBar_) vScrollBar_ = nullptr;
}

TPoint TuiCustomInnerListBox::ToContainer(int X, int Y) {
    if (container_ == nullptr || !HandleAllocated() || !container_->HandleAllocated())
        return TPoint{X + GetLeft(), Y + GetTop()};
    return container_->ScreenToClient(ClientToScreen(TPoint{X, Y}));
}

void TuiCustomInnerListBox::WndProc(TMessage& Message) {
    TuiContainer* container = container_;
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            TListBox::WndProc(Message);
            if (container != nullptr) {
                Message.Result |= DLGC_WANTCHARS;
                if ((GetKeyState(VK_CONTROL) & 0x8000) == 0) Message.Result |= DLGC_WANTARROWS;
            }
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            TListBox::WndProc(Message);
            const HWND other = reinterpret_cast<HWND>(Message.WParam);
            const bool fromContainer =
                container != nullptr && container->HandleAllocated() && other == container->GetHandle();
            if (container != nullptr && !(Message.Msg == WM_SETFOCUS && fromContainer)) container->ShortRefresh();
            return;
        }
        case WM_LBUTTONDOWN:
            if (container != nullptr && container->DragMode == dmAutomatic && !container->IsDesigning()) {
                PressWithContainerDrag(Message);
                return;
            }
            TListBox::WndProc(Message);
            return;
        case CN_DRAWITEM: DrawItemThroughCanvas(Message); return;
        case WM_SETREDRAW:
            redrawLocked_ = Message.WParam == 0;
            TListBox::WndProc(Message);
            if (!redrawLocked_) SyncScrollBars();
            return;
        case WM_NCCALCSIZE:
            TListBox::WndProc(Message);
            if (!scrollBarsCalculating_) SyncScrollBars();
            return;
        case WM_PAINT:
        case WM_NCPAINT: {
            TListBox::WndProc(Message);
            // The native bars are drawn with the list: the corner between the own bars is filled after them.
            const TRect corner = CornerRect();
            if (!RectIsEmpty(corner) && HandleAllocated()) {
                HDC dc = GetDC(GetHandle());
                FillCorner(dc, corner);
                ReleaseDC(GetHandle(), dc);
            }
            return;
        }
        case WM_PRINT: {
            TListBox::WndProc(Message);
            const TRect corner = CornerRect();
            if (!RectIsEmpty(corner)) FillCorner(reinterpret_cast<HDC>(Message.WParam), corner);
            return;
        }
        default: break;
    }
    const UINT msg = Message.Msg;
    TListBox::WndProc(Message);
    if (!ChangesScrollState(msg)) return;
    SyncScrollBars();
    if (msg == WM_WINDOWPOSCHANGED) {
        const TRect corner = CornerRect();
        if (!RectIsEmpty(corner) && HandleAllocated()) ::zel::InvalidateRect(GetHandle(), &corner, FALSE);
    }
}

// ---- own scroll bars

void TuiCustomInnerListBox::UnlockScrollBars() {
    if (scrollBarsLockCount_ > 0 && --scrollBarsLockCount_ == 0) SyncScrollBars();
}

void TuiCustomInnerListBox::SyncScrollBars() {
    if (destroying_ || scrollBarsLockCount_ > 0 || redrawLocked_ || scrollBarsCalculating_) return;
    if (!uiScrollBarInfoBound() || !HandleAllocated()) return;
    scrollBarsCalculating_ = true;
    TScopeExit done([this] { scrollBarsCalculating_ = false; });
    if (hScrollBar_ != nullptr) SyncScrollBar(hScrollBar_, OBJID_HSCROLL, SB_HORZ);
    if (vScrollBar_ != nullptr) SyncScrollBar(vScrollBar_, OBJID_VSCROLL, SB_VERT);
}

void TuiCustomInnerListBox::SyncScrollBar(TuiScrollBar* ABar, LONG AObject, int ABarKind) {
    TWinControl* parent = GetParent();
    SCROLLBARINFO info;
    info.cbSize = 60;
    bool shown = parent != nullptr && parent->HandleAllocated() && GetScrollBarInfo(GetHandle(), AObject, &info) &&
                 (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0;
    TRect r{};
    if (shown) {
        // Only a bar that lies inside the list is covered.
        RECT window{};
        GetWindowRect(GetHandle(), &window);
        RECT inside{};
        shown = IntersectRect(&inside, &info.rcScrollBar, &window) && EqualRect(&inside, &info.rcScrollBar);
        const TPoint topLeft = parent->ScreenToClient(TPoint{info.rcScrollBar.left, info.rcScrollBar.top});
        r = TRect{topLeft.x, topLeft.y, topLeft.x + info.rcScrollBar.right - info.rcScrollBar.left,
                  topLeft.y + info.rcScrollBar.bottom - info.rcScrollBar.top};
    }
    if (!shown) {
        ABar->SetVisible(false);
        ABar->SetBounds(0, 0, 0, 0);
        return;
    }
    if (ABar->GetParent() != parent) ABar->SetParent(parent);
    ABar->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    ABar->SetEnabled((info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && parent->GetEnabled());
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    if (GetScrollInfo(GetHandle(), ABarKind, &si)) {
        const int max = std::max(si.nMin, si.nMax);
        // A page larger than the range is cut to it.
        const int page = std::min({static_cast<int>(si.nPage), max - si.nMin + 1, max});
        ABar->SetScrollParams(si.nMin, max, si.nPos, std::max(0, page));
        ABar->LargeChange = std::max(1, page);
    }
    ABar->SetCtl3D(false);
    ABar->SetVisible(true);
    ABar->BringToFront();
}

void TuiCustomInnerListBox::OwnBarScrolled(TuiScrollBar* ABar, TScrollCode ACode, int& APosition) {
    if (!HandleAllocated()) return;
    const bool vertical = ABar == vScrollBar_;
    // The bar being dragged is not matched again until the scroll is done.
    ++scrollBarsLockCount_;
    {
        TScopeExit unlock([this] { --scrollBarsLockCount_; });
        if (vertical && (ACode == scTrack || ACode == scPosition)) {
            SetTopIndex(APosition);
        } else {
            TMessage m;
            m.Msg = vertical ? WM_VSCROLL : WM_HSCROLL;
            m.WParam = MAKEWPARAM(static_cast<WORD>(ACode), static_cast<WORD>(std::max(0, APosition)));
            TListBox::WndProc(m);
        }
        APosition = GetScrollPos(GetHandle(), vertical ? SB_VERT : SB_HORZ);
    }
    if (ACode != scTrack) SyncScrollBars();
}

TRect TuiCustomInnerListBox::CornerRect() {
    if (hScrollBar_ == nullptr || vScrollBar_ == nullptr || !hScrollBar_->GetVisible() || !vScrollBar_->GetVisible())
        return TRect{};
    // In the list's client coordinates: right of the horizontal bar, below the vertical one.
    const int left = vScrollBar_->GetLeft() - GetLeft(), top = hScrollBar_->GetTop() - GetTop();
    return TRect{left, top, left + vScrollBar_->GetWidth(), top + hScrollBar_->GetHeight()};
}

void TuiCustomInnerListBox::FillCorner(HDC DC, const TRect& R) {
    if (DC == nullptr) return;
    const TColor colour = container_ != nullptr ? container_->GetPainter()->ScrollBarCornerColor() : clBtnFace;
    ::zel::FillRect(DC, &R, uiGetSolidBrush(colour));
}

// ---- items

void TuiCustomInnerListBox::DrawItemThroughCanvas(TMessage& Message) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state;
    if (dis->itemState & ODS_SELECTED) state.Include(odSelected);
    if (dis->itemState & ODS_FOCUS) state.Include(odFocused);
    if (dis->itemState & ODS_DISABLED) state.Include(odDisabled);
    // The library's canvas draws into the item's context with the list's font and the colours of its state.
    Canvas()->SetHandle(dis->hDC);
    TScopeExit release([this] { Canvas()->SetHandle(nullptr); });
    uiCanvas_->SetFont(Font());
    const bool selected = state.Contains(odSelected);
    uiCanvas_->SetBrushColor(selected ? clHighlight : GetColor());
    uiCanvas_->Font()->SetColor(selected ? clHighlightText : Font()->GetColor());
    const TRect r = dis->rcItem;
    if (static_cast<int>(dis->itemID) < 0) {
        uiCanvas_->FillRect(r);
    } else {
        DrawItem(static_cast<int>(dis->itemID), r, state);
        // A handler of its own draws its own focus.
        if (state.Contains(odFocused) && !OnDrawItem) uiCanvas_->DrawFocusRect(r);
    }
    Message.Result = 1;
}

void TuiCustomInnerListBox::PressWithContainerDrag(TMessage& Message) {
    // The container drags, not the list: its own automatic dragging waits while the press is handled.
    container_->DragMode = dmManual;
    TuiObjectLinkScope container(container_);
    TScopeExit restore([&] {
        if (container.Alive()) container_->DragMode = dmAutomatic;
    });
    const TShiftState shift = KeysToShiftState(Message.WParam);
    const int index = ItemAtPos(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
    // A press on a selected item of a multi-select list drags the selection at once, unless Shift alone
    // extends it.
    if (GetMultiSelect() && index >= 0 && Selected(index) && shift != TShiftState{ssShift}) {
        container_->BeginDrag(false);
        return;
    }
    TuiObjectLinkScope self(this);
    TListBox::WndProc(Message);
    if (!self.Alive() || !container.Alive()) return;
    if (!GetMultiSelect() || (!shift.Contains(ssCtrl) && !shift.Contains(ssShift))) container_->BeginDrag(false);
}

void TuiCustomInnerListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TListBox::MouseDown(Button, Shift, X, Y);
    if (container_ == nullptr) return;
    container_->InnerControlMouseDown = true;
    TScopeExit lower([this] {
        if (container_ != nullptr) container_->InnerControlMouseDown = false;
    });
    const TPoint p = ToContainer(X, Y);
    container_->MouseDown(Button, Shift, p.x, p.y);
}

void TuiCustomInnerListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TListBox::MouseUp(Button, Shift, X, Y);
    if (container_ == nullptr) return;
    container_->InnerControlMouseDown = true;
    TScopeExit lower([this] {
        if (container_ != nullptr) container_->InnerControlMouseDown = false;
    });
    const TPoint p = ToContainer(X, Y);
    container_->MouseUp(Button, Shift, p.x, p.y);
}

void TuiCustomInnerListBox::MouseMove(TShiftState Shift, int X, int Y) {
    TListBox::MouseMove(Shift, X, Y);
    if (container_ == nullptr) return;
    const TPoint p = ToContainer(X, Y);
    container_->MouseMove(Shift, p.x, p.y);
}

void TuiCustomInnerListBox::Click() {
    TListBox::Click();
    if (container_ != nullptr) container_->Click();
}

void TuiCustomInnerListBox::DblClick() {
    TListBox::DblClick();
    if (container_ != nullptr) container_->DblClick();
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
    if (container_ == nullptr) TListBox::DragOver(Source, X, Y, State, Accept);
    else container_->DragOver(Source, ToContainer(X, Y).x, ToContainer(X, Y).y, State, Accept);
}

void TuiCustomInnerListBox::DragDrop(TObject* Source, int X, int Y) {
    if (container_ == nullptr) TListBox::DragDrop(Source, X, Y);
    else container_->DragDrop(Source, ToContainer(X, Y).x, ToContainer(X, Y).y);
}

void TuiCustomInnerListBox::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (container_ == nullptr) {
        TListBox::DoContextPopup(MousePos, Handled);
        return;
    }
    // A request from the keyboard (-1, -1) stays one.
    const bool keyboard = MousePos.x == -1 && MousePos.y == -1;
    container_->DoContextPopup(keyboard ? MousePos : ToContainer(MousePos.x, MousePos.y), Handled);
}

bool TuiCustomInnerListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    // The wheel's point is on the screen: the container reads it as it stands.
    if (container_ == nullptr) return TListBox::DoMouseWheel(Shift, WheelDelta, MousePos);
    return container_->DoMouseWheel(Shift, WheelDelta, MousePos);
}

bool TuiCustomInnerListBox::DoKeyDown(WORD& Key, TShiftState Shift) {
    // The container hears the key first; what it takes does not reach the list.
    if (container_ != nullptr) {
        TuiObjectLinkScope self(this);
        container_->DoKeyDown(Key, Shift);
        if (!self.Alive() || Key == 0) return true;
    }
    return TListBox::DoKeyDown(Key, Shift);
}

bool TuiCustomInnerListBox::DoKeyUp(WORD& Key, TShiftState Shift) {
    if (container_ != nullptr) {
        TuiObjectLinkScope self(this);
        container_->DoKeyUp(Key, Shift);
        if (!self.Alive() || Key == 0) return true;
    }
    if (Key == VK_TAB) {
        Key = 0;
        return true;
    }
    return TListBox::DoKeyUp(Key, Shift);
}

bool TuiCustomInnerListBox::DoKeyPress(char& Key) {
    if (Key == '\t') return true;
    if (container_ != nullptr) {
        TuiObjectLinkScope self(this);
        container_->DoKeyPress(Key);
        if (!self.Alive() || Key == 0) return true;
    }
    if (Key == '\r') return true;
    if (TListBox::DoKeyPress(Key)) return true;
    return TypeAhead && TypeAheadStep(Key);
}

bool TuiCustomInnerListBox::TypeAheadStep(char Key) {
    const TTick now = GetTickCount();
    if (now - lastKeyTime_ > TypeAheadDelay) typeAheadText_.clear();
    lastKeyTime_ = now;
    if (Key == '\b') {
        // The last character goes whole, both bytes of a double-byte one.
        std::size_t last = 0;
        for (std::size_t i = 0; i < typeAheadText_.size(); ++i) {
            last = i;
            if (IsDBCSLeadByte(static_cast<BYTE>(typeAheadText_[i])) && i + 1 < typeAheadText_.size()) ++i;
        }
        typeAheadText_.erase(std::min(last, typeAheadText_.size()));
    } else if (Key != 27 && Key != '\r') {
        typeAheadText_ += Key;
        // A lead byte waits for its trail byte, the next character in the queue.
        MSG trail{};
        if (IsDBCSLeadByte(static_cast<BYTE>(Key)) && HandleAllocated() &&
            PeekMessage(&trail, GetHandle(), WM_CHAR, WM_CHAR, PM_REMOVE))
            typeAheadText_ += static_cast<char>(trail.wParam);
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
        if (GetMultiSelect() && HandleAllocated()) {
            SendMessage(GetHandle(), LB_SELITEMRANGE, FALSE, MAKELPARAM(0, static_cast<WORD>(Items()->GetCount())));
            SendMessage(GetHandle(), LB_SELITEMRANGE, TRUE,
                        MAKELPARAM(static_cast<WORD>(index), static_cast<WORD>(index)));
        }
        SetItemIndex(index);
        Click();
    }
    return Key != '\b' && Key != '\r' && Key != 27;
}

}  // namespace zel
