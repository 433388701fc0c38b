#include "uilib/bars/ubBarControlBase.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarHint.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarShadow.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiControls.h"

namespace zel {

bool MenusExpanded = false;

namespace {

// The part of a hint after its "|" (the whole hint without one).
std::string LongHintOf(const std::string& AHint) {
    const std::size_t bar = AHint.find('|');
    return bar == std::string::npos ? AHint : AHint.substr(bar + 1);
}

TPoint PointOf(const TMessage& Message) { return TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)); }

bool InStack(const TCustomubBarControl* ABar) {
    for (TCustomubBarControl* b = CurrentMenuControl; b != nullptr; b = b->PrevActive())
        if (b == ABar) return true;
    return false;
}

}  // namespace

// ---- creation --------------------------------------------------------------------------------------------------

TCustomubBarControl::TCustomubBarControl(TComponent* AOwner) : TCustomControl(AOwner) {
    ControlStyle.Exclude(csCaptureMouse);
    SetColor(clBtnFace);
    InitVisible(false);
    SetBounds(100, 100, 50, 30);
    backgroundCache_ = new TBitmap;
    AddLiveBarControl(this);
}

void TCustomubBarControl::BeforeDestruction() {
    TCustomControl::BeforeDestruction();
    if (IsToolbar()) CloseAll();
    else SetMenuMode(false);
}

TCustomubBarControl::~TCustomubBarControl() {
    if (menuMode_) SetMenuMode(false);
    DestroyControls();
    if (TubBarManager* m = BarManager()) {
        TubBarItemControl* current = m->GetSelectedControl();
        if (current != nullptr && current->Parent == this) m->ForgetSelectedControl(current);
    }
    if (itemLinks_ != nullptr && itemLinks_->BarControl == this) itemLinks_->BarControl = nullptr;
    itemLinks_ = nullptr;
    for (TCustomubBarControl* bar : LiveBarControls()) {
        if (bar->prevActive_ == this) bar->prevActive_ = prevActive_;
        if (bar->ParentBar == this) bar->ParentBar = nullptr;
        if (bar->ChildMenu == this) bar->ChildMenu = nullptr;
    }
    if (CurrentMenuControl == this) CurrentMenuControl = prevActive_;
    RemoveLiveBarControl(this);
    delete backgroundCache_;
    delete shadow_;
    ClearLinksToObject(this);
}

void TCustomubBarControl::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    TubBarManager* m = BarManager();
    // Double clicks only where a control may make use of them.
    if (m == nullptr || (m->EffectiveStyle() == bmsStandard && !IsCustomizing()))
        Params.WindowClass.style &= ~CS_DBLCLKS;
}

void TCustomubBarControl::CreateWnd() {
    TCustomControl::CreateWnd();
    CreateControls();
    CalcMetrics();
    FetchBackgroundBrush();
}

TubBarManager* TCustomubBarControl::BarManager() const {
    if (auto* m = dynamic_cast<TubBarManager*>(GetOwner())) return m;
    if (itemLinks_ != nullptr && itemLinks_->BarManager() != nullptr) return itemLinks_->BarManager();
    return ManagerOfForm(GetOwner());
}

TubBar* TCustomubBarControl::Bar() const {
    return itemLinks_ != nullptr ? dynamic_cast<TubBar*>(itemLinks_->Owner()) : nullptr;
}

void TCustomubBarControl::SetItemLinks(TubBarItemLinks* Value) {
    if (Value == itemLinks_) return;
    DestroyControls();
    if (itemLinks_ != nullptr && itemLinks_->BarControl == this) itemLinks_->BarControl = nullptr;
    itemLinks_ = Value;
    if (itemLinks_ == nullptr) return;
    itemLinks_->BarControl = this;
    if (HandleAllocated()) {
        CreateControls();
        Rebuild();
    }
}

bool TCustomubBarControl::IsLocked() const { return BarManager() != nullptr && BarManager()->GetUpdateLock(); }

bool TCustomubBarControl::HoldsControl(const TubBarItemControl* AControl) const {
    if (AControl == nullptr || itemLinks_ == nullptr) return false;
    for (int i = 0; i < itemLinks_->Count(); ++i)
        if (itemLinks_->Items(i)->Control == AControl) return true;
    return false;
}

void TCustomubBarControl::ControlFreed(TubBarItemControl* AControl, TubBarItemControl* ASuccessor) {
    if (selectedControl_ == AControl) selectedControl_ = ASuccessor;
    if (pressedControl_ == AControl) pressedControl_ = nullptr;
}

TubBarItemControl* TCustomubBarControl::ItemAtPos(TPoint P) const {
    if (itemLinks_ == nullptr) return nullptr;
    for (const TubBarItemLink* link : itemLinks_->VisibleItems())
        if (link->Control != nullptr && PtInRect(&link->ItemRect, P)) return link->Control;
    return nullptr;
}

TubBarItemControl* TCustomubBarControl::HitControl(TPoint P) {
    const TRect client = GetClientRect();
    return PtInRect(&client, P) ? ItemAtPos(P) : nullptr;
}

// ---- virtual operations ------------------------------------------------------------------------------------------

void TCustomubBarControl::CreateControls() {
    if (itemLinks_ == nullptr) return;
    for (TubBarItemLink* link : itemLinks_->VisibleItems())
        if (link->Control == nullptr) link->Control = CreateItemControlFor(link);
}

void TCustomubBarControl::DestroyControls() {
    if (itemLinks_ == nullptr) return;
    destroyingControls_ = true;
    TScopeExit reset([this] { destroyingControls_ = false; });
    for (int i = 0; i < itemLinks_->Count(); ++i) {
        TubBarItemLink* link = itemLinks_->Items(i);
        TubBarItemControl* control = link->Control;
        link->Control = nullptr;
        delete control;
    }
}

void TCustomubBarControl::CalcMetrics() {
    TCanvas* canvas = Canvas();
    if (TFont* own = OwnBarFont()) canvas->Font()->Assign(own);
    else if (TubBarManager* m = BarManager()) canvas->Font()->Assign(m->GetFont());
    else canvas->Font()->Assign(Font());
    const TSize zero = canvas->TextExtent("0");
    lineHeight_ = zero.cy + 6;
    textSpacing_ = std::max(lineHeight_ / 5, 4);
    TubBarPainterClass painter = BarPainterOf(BarManager());
    firstPainterMetric_ = painter->GetEditHeight(zero.cy);
    secondPainterMetric_ = painter->GetComboButtonWidth(zero.cx);
}

bool TCustomubBarControl::CanCustomize() const { return BarManager() != nullptr && BarManager()->Designing(); }

TCustomImageList* TCustomubBarControl::GetImages() const {
    return BarManager() != nullptr ? BarManager()->GetImages() : nullptr;
}

TRect TCustomubBarControl::GetItemRect(TubBarItemControl* AControl) const {
    return AControl != nullptr && AControl->Link != nullptr ? AControl->Link->ItemRect : TRect{};
}

HRGN TCustomubBarControl::GetItemRegion(TubBarItemControl* AControl) const {
    const TRect r = GetItemRect(AControl);
    return CreateRectRgnIndirect(&r);
}

bool TCustomubBarControl::IsCustomizing() const {
    TubBarManager* m = BarManager();
    return m != nullptr && (m->Designing() || m->GetCustomizing());
}

bool TCustomubBarControl::ShadowWanted() const {
    auto* self = const_cast<TCustomubBarControl*>(this);
    return IsSubMenu() && BarPainterOf(BarManager())->SubMenuHasShadow() && HandleAllocated() &&
           IsWindowVisible(self->GetHandle());
}

void TCustomubBarControl::UpdateShadow() {
    if (!ShadowWanted()) {
        if (shadow_ != nullptr) shadow_->SetVisible(false);
        return;
    }
    if (shadow_ == nullptr) shadow_ = new TubBarShadow(this);
    RECT w{};
    GetWindowRect(GetHandle(), &w);
    shadow_->SetRects(ShadowExclusion, w);
    shadow_->SetVisible(true);
}

int TCustomubBarControl::GetShadowExclusionSize() const {
    return IsRectEmpty(&ShadowExclusion) ? 0 : shadowExclusionSize_;
}

bool TCustomubBarControl::IsParentOf(const TCustomubBarControl* ABar) const {
    for (const TCustomubBarControl* b = ABar != nullptr ? ABar->ParentBar : nullptr; b != nullptr; b = b->ParentBar)
        if (b == this) return true;
    return false;
}

namespace {

// The side along which the window rectangle W meets the rectangle E that lies outside it.
TubBarContactSide ContactSide(const RECT& W, const RECT& E) {
    const bool across = E.left < W.right && E.right > W.left;
    const bool along = E.top < W.bottom && E.bottom > W.top;
    if (across && E.bottom == W.top) return csContactTop;
    if (across && E.top == W.bottom) return csContactBottom;
    if (along && E.right == W.left) return csContactLeft;
    if (along && E.left == W.right) return csContactRight;
    return csNoContact;
}

}  // namespace

bool TCustomubBarControl::ExclusionTouches(TubBarContactSide Side) const {
    if (IsRectEmpty(&ShadowExclusion) || !HandleAllocated()) return false;
    RECT w{};
    GetWindowRect(const_cast<TCustomubBarControl*>(this)->GetHandle(), &w);
    return ContactSide(w, ShadowExclusion) == Side;
}

TRect TCustomubBarControl::ContactStrip(bool InScreen) const {
    if (IsRectEmpty(&ShadowExclusion) || !HandleAllocated()) return TRect{};
    RECT w{};
    GetWindowRect(const_cast<TCustomubBarControl*>(this)->GetHandle(), &w);
    const RECT& e = ShadowExclusion;
    TRect strip{};
    switch (ContactSide(w, e)) {
        case csContactTop:
        case csContactBottom: {
            const bool top = ContactSide(w, e) == csContactTop;
            strip.left = std::max(e.left + 1, w.left);
            strip.right = std::min(e.right - 1, w.right);
            strip.top = top ? w.top : w.bottom - 1;
            if (InScreen) strip.top += top ? -1 : 1;
            strip.bottom = strip.top + 1;
            break;
        }
        case csContactLeft:
        case csContactRight: {
            const bool left = ContactSide(w, e) == csContactLeft;
            strip.top = std::max(e.top + 1, w.top);
            strip.bottom = std::min(e.bottom - 1, w.bottom);
            strip.left = left ? w.left : w.right - 1;
            if (InScreen) strip.left += left ? -1 : 1;
            strip.right = strip.left + 1;
            break;
        }
        case csNoContact: return TRect{};
    }
    if (strip.left >= strip.right || strip.top >= strip.bottom) return TRect{};
    if (!InScreen) OffsetRect(&strip, -w.left, -w.top);
    return strip;
}

TubBarDropTarget TCustomubBarControl::GetDropTarget(TPoint P) const {
    TubBarDropTarget target;
    target.Vertical = IsSubMenu() || IsVerticalBarControl(this);
    if (itemLinks_ == nullptr) return target;
    for (TubBarItemLink* link : itemLinks_->VisibleItems()) {
        const TRect& r = link->ItemRect;
        if (IsRectEmpty(&r)) continue;
        if (PtInRect(&r, P)) {
            target.Link = link;
            target.InItemRect = true;
            target.FirstHalf = target.Vertical ? P.y < (r.top + r.bottom) / 2 : P.x < (r.left + r.right) / 2;
            return target;
        }
        // The gap before a link belongs to it.
        const bool before = target.Vertical ? P.y < r.top : P.x < r.left;
        if (before) {
            target.Link = link;
            target.FirstHalf = true;
            return target;
        }
    }
    return target;
}

bool TCustomubBarControl::PointerUnchanged(TPoint ScreenPoint) const {
    return IsCustomizing() || ScreenPoint == lastPointer_;
}

TubBarItemPaintState TCustomubBarControl::BarPaintState() const {
    TubBarItemPaintState s;
    TubBar* bar = Bar();
    s.Bar = IsSubMenu() ? bwkSubMenu : bar != nullptr && bar->GetIsMainMenu() ? bwkMainMenu : bwkToolbar;
    s.VerticalBar = IsVerticalBarControl(this);
    s.Customizing = IsCustomizing();
    s.Manager = BarManager();
    return s;
}

void TCustomubBarControl::FetchBackgroundBrush() {
    backgroundBrush_ = BarPainterOf(BarManager())->GetBarBrush(BarPaintState());
}

void TCustomubBarControl::RepaintPair(TubBarItemControl* APrevious, TubBarItemControl* ANew) {
    repaintingPair_ = true;
    TScopeExit reset([this] { repaintingPair_ = false; });
    if (APrevious != nullptr && HoldsControl(APrevious)) APrevious->Repaint();
    if (ANew != nullptr && ANew != APrevious && HoldsControl(ANew)) ANew->Repaint();
}

// ---- menu mode -------------------------------------------------------------------------------------------------

TCustomubBarControl* TCustomubBarControl::ActiveBarControl() { return CurrentMenuControl; }

void TCustomubBarControl::SetMenuMode(bool Value) {
    if (menuMode_ == Value) return;
    TubBarManager* m = BarManager();
    if (Value) {
        if (m != nullptr) UpdateHint(m, false, std::string());
        menuMode_ = true;
        prevActive_ = CurrentMenuControl;
        if (CurrentMenuControl == nullptr) MenusExpanded = IsCustomizing();
        CurrentMenuControl = this;
        return;
    }
    TuiObjectLinkScope alive(this);
    if (IsCustomizing()) SetSelected(nullptr);
    else SelectByKeyboard(nullptr);
    if (!alive.Alive()) return;
    menuMode_ = false;
    if (CurrentMenuControl == this) CurrentMenuControl = prevActive_;
    else
        for (TCustomubBarControl* b = CurrentMenuControl; b != nullptr; b = b->prevActive_)
            if (b->prevActive_ == this) {
                b->prevActive_ = prevActive_;
                break;
            }
    prevActive_ = nullptr;
    if (CurrentMenuControl != nullptr && !CurrentMenuControl->menuMode_) CurrentMenuControl = nullptr;
}

void TCustomubBarControl::CloseAll() {
    TuiObjectLinkScope alive(this);
    SetMenuMode(false);
    if (!alive.Alive()) return;
    if (ParentBar != nullptr && IsLiveBarControl(ParentBar)) ParentBar->CloseAll();
}

bool TCustomubBarControl::MouseBlocked() const { return CurrentMenuControl != nullptr && !InStack(this); }

// ---- selection ---------------------------------------------------------------------------------------------------

void TCustomubBarControl::SetSelected(TubBarItemControl* AControl) {
    // Another bar taking a selection closes an open quick-customization window.
    if (TubBarQuickControl* quick = OpenQuickControl();
        AControl != nullptr && quick != nullptr && RootBarControl(this) != quick)
        quick->CloseQuick();
    TubBarItemControl* previous = selectedControl_;
    selectedControl_ = AControl;
    TubBarManager* m = BarManager();
    if (IsCustomizing()) {
        // The customizing form follows the selection once it exists.
        if (!menuMode_) return;
    } else if (m != nullptr) m->SetSelectedControl(AControl);
    TuiObjectLinkScope alive(this);
    RepaintPair(previous, AControl);
    if (!alive.Alive()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    lastPointer_ = TPoint(cursor.x, cursor.y);
    if (AControl == nullptr) SetCursor(crDefault);
    if (m != nullptr) UpdateHint(m, AControl != nullptr || IsSubMenu() || markState_ != msSelected, std::string());
    Hint = AControl != nullptr && (AControl->GetEnabled() || (m != nullptr && m->ShowHintForDisabledItems))
               ? LongHintOf(AControl->GetHint())
               : std::string();
    // A popup menu of its own (not the drop-down of a button) shows its hint in the application.
    TCustomubBarControl* root = RootBarControl(this);
    if (root != nullptr && root->IsSubMenu() && root->itemLinks_ != nullptr &&
        dynamic_cast<TubBarPopupMenu*>(root->itemLinks_->Owner()) != nullptr &&
        root->itemLinks_->OpeningLink == nullptr)
        Application->Hint = Hint;
}

void TCustomubBarControl::SelectByPointer(TubBarItemControl* AControl) {
    if (AControl == selectedControl_) return;
    if (auto* win = dynamic_cast<TubBarWinControl*>(selectedControl_); win != nullptr && win->GetFocused()) return;
    TuiObjectLinkScope alive(this);
    if (selectedControl_ != nullptr) selectedControl_->ControlInactivate(false);
    if (!alive.Alive()) return;
    SetSelected(AControl);
    if (alive.Alive() && AControl != nullptr && HoldsControl(AControl)) AControl->SelectedByPointer();
}

void TCustomubBarControl::SelectByKeyboard(TubBarItemControl* AControl) {
    if (AControl == selectedControl_) return;
    TuiObjectLinkScope alive(this);
    if (selectedControl_ != nullptr && selectedControl_->GetActive()) selectedControl_->ControlInactivate(true);
    if (!alive.Alive()) return;
    SetSelected(AControl);
}

void TCustomubBarControl::SelectLink(TubBarItemLink* ALink, bool FromTab) {
    if (ALink == nullptr || ALink->Control == nullptr) return;
    TubBarItemControl* control = ALink->Control;
    SelectByKeyboard(control);
    if (FromTab && selectedControl_ == control)
        if (auto* win = dynamic_cast<TubBarWinControl*>(control)) win->SetFocused(true);
}

void TCustomubBarControl::SetMarkState(TubBarMarkState Value) {
    if (markState_ == Value) return;
    markState_ = Value;
    if (HasMark()) Invalidate();
}

void TCustomubBarControl::SetDockingStyle(TubBarDockingStyle Value) {
    dockingStyle_ = Value;
    ClearBackgroundCache();
    Perform(CM_FONTCHANGED);
    RecreateControls();
}

void TCustomubBarControl::RecreateControls() {
    if (itemLinks_ == nullptr) return;
    for (TubBarItemLink* link : itemLinks_->VisibleItems()) {
        // The new control stands for the link before the old one goes, so that the selection moves to it.
        TubBarItemControl* old = link->Control;
        link->Control = CreateItemControlFor(link);
        delete old;
    }
}

void TCustomubBarControl::ClearBackgroundCache() { backgroundCache_->SetSize(0, 0); }

// ---- painting ------------------------------------------------------------------------------------------------

void TCustomubBarControl::PaintBackground(HDC DC, const TRect& R) {
    FillRect(DC, &R, backgroundBrush_ != nullptr ? backgroundBrush_ : GetSysColorBrush(COLOR_BTNFACE));
}

void TCustomubBarControl::Paint() {
    const HDC dc = Canvas()->GetHandle();
    PaintBackground(dc, GetClientRect());
    if (itemLinks_ == nullptr) return;
    for (TubBarItemLink* link : itemLinks_->VisibleItems())
        if (link->Control != nullptr && !IsRectEmpty(&link->ItemRect))
            DrawItemControl(link->Control, GetItemRectForDrawing(link->Control));
}

void TCustomubBarControl::PaintControl(TubBarItemControl* AControl) {
    if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    const TRect r = GetItemRectForDrawing(AControl);
    if (IsRectEmpty(&r)) return;
    if (repaintingPair_ && IsToolbar()) {
        InvalidateRect(GetHandle(), &r, FALSE);
        return;
    }
    DrawItemControl(AControl, r);
}

void TCustomubBarControl::DrawItemControl(TubBarItemControl* AControl, const TRect& R) {
    // The controls draw their text in the font they were measured in.
    SelectObject(Canvas()->GetHandle(), Canvas()->Font()->GetHandle());
    PaintBackground(Canvas()->GetHandle(), R);
    AControl->Draw(R, IsSubMenu());
    if (IsCustomizing() && AControl == selectedControl_) DrawCustomizingFrame(Canvas()->GetHandle(), AControl);
}

void TCustomubBarControl::DrawCustomizingFrame(HDC DC, TubBarItemControl* AControl) {
    TRect r = GetItemRect(AControl);
    if (IsRectEmpty(&r)) return;
    if (IsSubMenu() && AControl->HasSubMenuArrow()) {
        // A sub-item in a menu: an inverted double rectangle.
        for (int i = 0; i < 2; ++i) {
            const TRect edge[4] = {TRect(r.left, r.top, r.right, r.top + 1),
                                   TRect(r.left, r.bottom - 1, r.right, r.bottom),
                                   TRect(r.left, r.top + 1, r.left + 1, r.bottom - 1),
                                   TRect(r.right - 1, r.top + 1, r.right, r.bottom - 1)};
            for (const TRect& e : edge) InvertRect(DC, &e);
            InflateRect(&r, -1, -1);
        }
        return;
    }
    const HBRUSH brush = GetSysColorBrush(COLOR_WINDOWTEXT);
    FrameRect(DC, &r, brush);
    InflateRect(&r, -1, -1);
    FrameRect(DC, &r, brush);
}

// ---- focus ---------------------------------------------------------------------------------------------------

void TCustomubBarControl::ReturnFocus() {
    TubBarManager* m = BarManager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    if (form != nullptr && form->HandleAllocated() && IsWindowVisible(form->GetHandle()))
        ::zel::SetFocus(form->GetHandle());
    else ::zel::SetFocus(GetNextWindow(GetHandle(), GW_HWNDNEXT));
}

// ---- messages --------------------------------------------------------------------------------------------------

void TCustomubBarControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: Message.Result = 1; return;
        case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
        case WM_WINDOWPOSCHANGED: {
            TCustomControl::Dispatch(Message);
            ClearBackgroundCache();
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
            // The shadow follows moves and sizes, and shows and hides with the window; a change of the
            // z-order alone leaves it where it is.
            const UINT kinds = SWP_NOMOVE | SWP_NOSIZE;
            if (pos == nullptr || (pos->flags & kinds) != kinds ||
                (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0)
                UpdateShadow();
            return;
        }
        case WM_CAPTURECHANGED:
            // A press that did not become a drag drags nothing.
            if (dragPending_)
                if (TubBarManager* m = BarManager(); m != nullptr && !m->InDrag) {
                    m->DraggedItem = nullptr;
                    m->DraggedLink = nullptr;
                }
            dragPending_ = false;
            if (pressedControl_ != nullptr) {
                TubBarItemControl* pressed = pressedControl_;
                pressedControl_ = nullptr;
                pointerOverPressed_ = false;
                pressed->Repaint();
            }
            TCustomControl::Dispatch(Message);
            return;
        case WM_DESTROY:
            if (!IsDestroying()) {
                CancelMouseLeave(GetHandle());
                SetMarkState(msNone);
                if (itemLinks_ != nullptr)
                    for (int i = 0; i < itemLinks_->Count(); ++i)
                        if (auto* win = dynamic_cast<TubBarWinControl*>(itemLinks_->Items(i)->Control))
                            win->DestroyWindow();
            }
            TCustomControl::Dispatch(Message);
            return;
        case WM_KEYDOWN:
            if (CurrentMenuControl != nullptr &&
                KeyInMenuMode(static_cast<WORD>(Message.WParam), KeyboardStateToShiftState()))
                return;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_RBUTTONDOWN:
            if (MouseBlocked()) return;
            if (Message.Msg == WM_LBUTTONDOWN) LButtonDown(Message);
            else if (Message.Msg == WM_LBUTTONUP) LButtonUp(Message);
            else if (Message.Msg == WM_LBUTTONDBLCLK) LButtonDblClk(Message);
            else if (Message.Msg == WM_MOUSEMOVE) MouseMoved(Message);
            else RButtonDown(Message);
            return;
        case WM_MOUSELEAVE:
            if (markState_ == msSelected) SetMarkState(msNone);
            if (ChildMenu == nullptr && !IsCustomizing() && selectedControl_ != nullptr &&
                !selectedControl_->GetPressed() && pressedControl_ == nullptr && !menuMode_)
                SelectByPointer(nullptr);
            return;
        case WM_UBBAR_REBUILD: Rebuild(); return;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            const HDC dc = reinterpret_cast<HDC>(Message.WParam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            Message.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            return;
        }
        case WM_KILLFOCUS:
            if (Message.WParam == 0) CloseAll();
            break;
        case WM_NCACTIVATE: {
            // A bar window always looks active, and keeps its form's caption active while it is.
            const bool activating = Message.WParam != 0;
            Message.WParam = TRUE;
            TCustomControl::Dispatch(Message);
            if (activating && !IsCustomizing()) {
                const HWND parent = ::zel::GetParent(GetHandle());
                if (parent != nullptr) SendMessage(parent, WM_NCACTIVATE, TRUE, 0);
            }
            return;
        }
        case WM_NCHITTEST:
            TCustomControl::Dispatch(Message);
            // The pointer has left the client area for the frame: the control under it is left too.
            if (Message.Result != HTCLIENT) CancelMouseLeave(GetHandle());
            return;
        case WM_SETFOCUS: {
            auto* win = dynamic_cast<TubBarWinControl*>(selectedControl_);
            if (win == nullptr) {
                ReturnFocus();
                return;
            }
            break;
        }
        case WM_COMMAND:
            if (HIWORD(Message.WParam) == EN_CHANGE && Message.LParam != 0) {
                const HWND edit = reinterpret_cast<HWND>(Message.LParam);
                if (IsChild(GetHandle(), edit)) SendMessage(edit, WM_COMMAND, Message.WParam, Message.LParam);
                return;
            }
            break;
        default: break;
    }
    TCustomControl::Dispatch(Message);
}

// ---- mouse ---------------------------------------------------------------------------------------------------

void TCustomubBarControl::LButtonDown(TMessage& Message) {
    if (IgnoreNextClick) return;
    if (itemLinks_ == nullptr || itemLinks_->VisibleItemCount() == 0) return;
    const TPoint p = PointOf(Message);
    TubBarItemControl* control = HitControl(p);
    if (IsCustomizing()) {
        if (control != nullptr && !control->CanSelectInCustomizing()) control = nullptr;
        if (control == nullptr) return;
        SelectByPointer(control);
        pressPoint_ = p;
        if (TubBarManager* m = BarManager(); m != nullptr && control->Link != nullptr) {
            m->DraggedItem = control->Link->GetItem();
            m->DraggedLink = control->Link;
        }
        dragPending_ = true;
        SetCapture(GetHandle());
        return;
    }
    if (control == nullptr || !control->GetEnabled()) return;
    TuiObjectLinkScope alive(this);
    TuiObjectLinkScope controlAlive(control);
    // Pressing a bar makes it the active one until the release.
    if (!menuMode_) {
        SetMenuMode(true);
        menuModeByPress_ = true;
    }
    SelectByKeyboard(control);
    if (!alive.Alive() || !controlAlive.Alive()) return;
    control->MouseDown(p);
    if (!alive.Alive() || !controlAlive.Alive() || !HoldsControl(control)) return;
    if (IsToolbar() && selectedControl_ != nullptr && selectedControl_->TracksPress()) {
        SetCapture(GetHandle());
        pressedControl_ = selectedControl_;
        pointerOverPressed_ = true;
    }
    if (auto* win = dynamic_cast<TubBarWinControl*>(control);
        win != nullptr && win->Handle != nullptr && IsWindowVisible(win->Handle) && PtInRect(&win->WindowRect, p)) {
        POINT q{p.x, p.y};
        MapWindowPoints(GetHandle(), win->Handle, &q, 1);
        SendMessage(win->Handle, WM_LBUTTONDOWN, Message.WParam, MAKELPARAM(q.x, q.y));
    }
}

void TCustomubBarControl::LButtonUp(TMessage& Message) {
    if (IgnoreNextClick) {
        IgnoreNextClick = false;
        return;
    }
    if (dragPending_) {
        dragPending_ = false;
        ReleaseCapture();
        return;
    }
    const bool hadPressed = pressedControl_ != nullptr;
    if (hadPressed) ReleaseCapture();
    const bool byPress = menuModeByPress_;
    menuModeByPress_ = false;
    TuiObjectLinkScope alive(this);
    const TPoint p = PointOf(Message);
    const TRect client = GetClientRect();
    bool clicked = false;
    if (PtInRect(&client, p) && menuMode_) {
        TubBarItemControl* control = HitControl(p);
        if (control != nullptr && control->GetEnabled() && control == selectedControl_) {
            if (auto* win = dynamic_cast<TubBarWinControl*>(control);
                win != nullptr && win->Handle != nullptr && IsWindowVisible(win->Handle)) {
                POINT q{p.x, p.y};
                MapWindowPoints(GetHandle(), win->Handle, &q, 1);
                SendMessage(win->Handle, WM_LBUTTONUP, Message.WParam, MAKELPARAM(q.x, q.y));
            }
            clicked = true;
            if (alive.Alive() && HoldsControl(control)) control->Click(true);
        } else if (IsToolbar() && control != nullptr && !control->GetEnabled() && control != selectedControl_ &&
                   !(selectedControl_ != nullptr && selectedControl_->GetPressed()))
            CloseAll();
    }
    if (!alive.Alive()) return;
    if (hadPressed) CloseAll();
    // A press that made the bar active and ended on no control leaves it inactive again.
    else if (byPress && !clicked && menuMode_) CloseAll();
}

void TCustomubBarControl::LButtonDblClk(TMessage& Message) {
    TubBarItemControl* control = HitControl(PointOf(Message));
    // The first click may have opened a menu that the second one closed, taking the selection with it.
    if (control != nullptr && (control == selectedControl_ || selectedControl_ == nullptr) &&
        control->AcceptsDblClick()) {
        TubBarManager* m = BarManager();
        if (m != nullptr && m->Designing()) m->NotifyDesigner();
        else control->DblClick();
        return;
    }
    LButtonDown(Message);
}

void TCustomubBarControl::RButtonDown(TMessage& Message) {
    if (!IsCustomizing()) return;
    TubBarItemControl* control = HitControl(PointOf(Message));
    SelectByPointer(control);
    // The customizing popup of the link under the pointer; at design time also of the bar itself.
    TubBarManager* m = BarManager();
    TubBarItemLink* link = control != nullptr ? control->Link : nullptr;
    if ((link == nullptr && (m == nullptr || !m->Designing())) || !HandleAllocated()) return;
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    ::zel::ClientToScreen(GetHandle(), &p);
    ShowCustomizingPopup(m, link, itemLinks_, TPoint(p.x, p.y));
}

void TCustomubBarControl::MouseMoved(TMessage& Message) {
    if (IsDestroying()) return;
    const TPoint p = PointOf(Message);
    if (pressedControl_ != nullptr) {
        const TRect r = GetItemRect(pressedControl_);
        const bool over = PtInRect(&r, p) != FALSE;
        if (over != pointerOverPressed_) {
            pointerOverPressed_ = over;
            pressedControl_->Repaint();
        }
        return;
    }
    if (dragPending_) {
        const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
        const TRect still(pressPoint_.x - cx / 2, pressPoint_.y - cy / 2, pressPoint_.x - cx / 2 + cx,
                          pressPoint_.y - cy / 2 + cy);
        if (PtInRect(&still, p)) return;
        dragPending_ = false;
        ReleaseCapture();
        if (selectedControl_ != nullptr && selectedControl_->Link != nullptr) BeginItemDrag(selectedControl_->Link);
        return;
    }
    const TRect client = GetClientRect();
    if (!PtInRect(&client, p)) return;
    const TPoint screen = ClientToScreen(p);
    if (PointerUnchanged(screen)) return;
    lastPointer_ = screen;
    TubBarItemControl* control = HitControl(p);
    auto* win = dynamic_cast<TubBarWinControl*>(control);
    SetCursor(win != nullptr && PtInRect(&win->WindowRect, p) ? crIBeam : crDefault);
    TrackMouseLeave(GetHandle());
    if (control != nullptr && !control->CanSelect()) control = nullptr;
    if (control == nullptr && IsToolbar() && menuMode_) return;
    if (control == nullptr && selectedControl_ != nullptr && selectedControl_->GetActive() &&
        selectedControl_->GetSubMenu() != nullptr)
        return;
    SelectByPointer(control);
}

void TCustomubBarControl::BeginItemDrag(TubBarItemLink* ALink) {
    TubBarManager* m = BarManager();
    if (m != nullptr && ALink != nullptr && ALink->GetItem() != nullptr) m->RunItemDrag(ALink->GetItem(), ALink);
}

// ---- keyboard --------------------------------------------------------------------------------------------------

bool TCustomubBarControl::KeyInMenuMode(WORD Key, TShiftState Shift) {
    if (itemLinks_ == nullptr) return false;
    TubBarManager* m = BarManager();
    if (IsVerticalBarControl(this)) {
        switch (Key) {
            case VK_LEFT: Key = VK_UP; break;
            case VK_UP: Key = VK_LEFT; break;
            case VK_RIGHT: Key = VK_DOWN; break;
            case VK_DOWN: Key = VK_RIGHT; break;
            default: break;
        }
    }
    if (selectedControl_ != nullptr && selectedControl_->WantsKey(Key)) {
        selectedControl_->KeyDown(Key);
        return true;
    }
    TubBarItemLink* selected = selectedControl_ != nullptr ? selectedControl_->Link : nullptr;
    // Without a selection both directions start from the first link.
    auto next = [&] { return selected != nullptr ? itemLinks_->Next(selected) : itemLinks_->First(); };
    auto previous = [&] { return selected != nullptr ? itemLinks_->Prev(selected) : itemLinks_->First(); };
    // Toolbars walk with Left and Right (a vertical one's Up and Down were exchanged above), menus with Up
    // and Down.
    const bool horizontal = !IsSubMenu();
    switch (Key) {
        case VK_TAB:
            if (Shift.Contains(ssCtrl)) {
                MoveToNextBar(!Shift.Contains(ssShift));
                return true;
            }
            SelectLink(Shift.Contains(ssShift) ? previous() : next(), true);
            return true;
        case VK_HOME: SelectLink(itemLinks_->First(), false); return true;
        case VK_END: SelectLink(itemLinks_->Last(), false); return true;
        case VK_LEFT:
        case VK_UP:
            if ((Key == VK_LEFT) != horizontal) return false;
            SelectLink(previous(), false);
            return true;
        case VK_RIGHT:
        case VK_DOWN:
            if ((Key == VK_RIGHT) != horizontal) return false;
            SelectLink(next(), false);
            return true;
        case VK_MENU: CloseAll(); return true;
        case VK_F10:
            if (m == nullptr || !m->UseF10ForMenu) return false;
            CloseAll();
            return true;
        case VK_RETURN:
            if (selectedControl_ == nullptr || !selectedControl_->GetEnabled()) return false;
            selectedControl_->Click(false);
            return true;
        default: break;
    }
    char c = CharOfKeyCode(Key);
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    TShiftState shift = Shift;
    shift.Exclude(ssAlt);
    TubBarItemLink* found = itemLinks_->FindItemWithAccel(Key, shift, selected);
    if (found == nullptr) return true;
    if (found->GetItem() == nullptr || !found->GetItem()->GetEnabled()) return true;
    TubBarItemLink* another = itemLinks_->FindItemWithAccel(Key, shift, found);
    const bool unique = another == nullptr || another == found;
    TuiObjectLinkScope alive(this);
    SelectLink(found, false);
    if (unique && alive.Alive()) Perform(WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

void TCustomubBarControl::MoveToNextBar(bool Forward) {
    TubBarManager* m = BarManager();
    TubBar* bar = Bar();
    if (m == nullptr || bar == nullptr) return;
    TubBars* bars = m->GetBars();
    const int n = bars->Count();
    const int at = bar->GetIndex();
    for (int k = 1; k < n; ++k) {
        TubBar* candidate = bars->Items(((Forward ? at + k : at - k) % n + n) % n);
        TubBarItemLinks* links = candidate->GetItemLinks();
        TCustomubBarControl* window = links->BarControl;
        if (window == nullptr || !window->HandleAllocated() || !IsWindowVisible(window->GetHandle()) ||
            links->VisibleItemCount() == 0)
            continue;
        TuiObjectLinkScope alive(window);
        SetMenuMode(false);
        if (!alive.Alive()) return;
        window->SetMenuMode(true);
        window->SelectLink(links->First(), false);
        return;
    }
}

// ---- look-ups ------------------------------------------------------------------------------------------------

TCustomubBarControl* RootBarControl(TCustomubBarControl* ABarControl) {
    TCustomubBarControl* bar = ABarControl;
    while (bar != nullptr && bar->IsSubMenu() && bar->ParentBar != nullptr) bar = bar->ParentBar;
    return bar;
}

TCustomubBarControl* RootBarControl(TubBarItemControl* AControl) {
    return AControl != nullptr ? RootBarControl(AControl->Parent) : nullptr;
}

TCustomubBarControl* RootToolbarControl(TCustomubBarControl* ABarControl) {
    TCustomubBarControl* root = RootBarControl(ABarControl);
    return root != nullptr && !root->IsSubMenu() ? root : nullptr;
}

TCustomubBarControl* RootToolbarControl(TubBarItemControl* AControl) {
    return AControl != nullptr ? RootToolbarControl(AControl->Parent) : nullptr;
}

bool IsVerticalBarControl(const TCustomubBarControl* ABarControl) {
    return ABarControl != nullptr && ABarControl->IsToolbar() &&
           (ABarControl->DockingStyle() == dsLeft || ABarControl->DockingStyle() == dsRight);
}

bool IsRotatedBarControl(const TCustomubBarControl* ABarControl) {
    if (!IsVerticalBarControl(ABarControl)) return false;
    TubBar* bar = ABarControl->Bar();
    return bar != nullptr && bar->GetRotateWhenVertical();
}

}  // namespace zel
