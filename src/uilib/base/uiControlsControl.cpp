#include "uilib/base/uiControlsControl.h"

#include <algorithm>
#include <cstdlib>

#include "platform/rtl/ScopeExit.h"

#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Gdi.h"
#include "platform/win/ImageLists.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

namespace {

// Rounds of scroll-bar computation before the last answer is kept. Content whose needs grow as its room
// shrinks settles within three; a descendant whose answers never settle must not hang the program.
constexpr int kScrollParamRounds = 5;

// Windows this large carry no usable point in a mouse message's 16-bit coordinates.
constexpr int kLargestMessageCoordinate = 0x8000;

}  // namespace

TuiControl::TuiControl(TComponent* AOwner) : TCustomControl(AOwner) {
    drawCanvas_ = new TuiCanvas(Canvas());
    restingCursor_ = GetCursor();
    lookAndFeel_ = new TuiLookAndFeel(this);
    lookAndFeel_->OnChanged = [this](TuiLookAndFeel* Sender, TuiLookAndFeelValues ChangedValues) {
        if (!ComponentState().Contains(csDestroying)) LookAndFeelChanged(Sender, ChangedValues);
    };
    CreateInternalControls();
    TabStop = IsFocusable();
    parentBackgroundSeen_ = true;
    SetParentBackground(true);
}

TuiControl::~TuiControl() {
    EndDrag(false);
    delete dragImageList_;
    delete dragDropObject_;
    dragDropObject_ = nullptr;
    DestroyInternalControls();
    fontListeners_.clear();
    delete activePaintCanvas_;
    delete drawCanvas_;
    delete lookAndFeel_;
    ClearLinksToObject(this);
}

// ---- properties ----------------------------------------------------------------------------------------------

void TuiControl::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    BoundsChanged();
    Invalidate();
}

void TuiControl::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    UpdateScrollBars();
}

void TuiControl::SetActivePaintCanvas(TuiCanvas* Value) {
    if (activePaintCanvas_ == Value) return;
    delete activePaintCanvas_;
    activePaintCanvas_ = Value;
}

bool TuiControl::IsHScrollBarVisible() const {
    if (horzScrollBar_ == nullptr) return false;
    return scrollCalcInProgress_ ? horzScrollBar_->Data.Visible : horzScrollBar_->GetVisible();
}

bool TuiControl::IsVScrollBarVisible() const {
    if (vertScrollBar_ == nullptr) return false;
    return scrollCalcInProgress_ ? vertScrollBar_->Data.Visible : vertScrollBar_->GetVisible();
}

void TuiControl::UnlockScrollBarsUpdate() {
    if (scrollUpdateLock_ == 0 || --scrollUpdateLock_ > 0 || !scrollUpdatePending_) return;
    scrollUpdatePending_ = false;
    UpdateScrollBars();
}

void TuiControl::SetCaptureHolder(TObject* Obj) {
    if (Obj == captureHolder_) return;
    const bool heldBefore = HandleAllocated() && GetCapture() == GetHandle();
    TObject* old = captureHolder_;
    captureHolder_ = Obj;
    if (auto* sink = dynamic_cast<IuiCaptureLossSink*>(old)) sink->CaptureReleased();
    if (Obj != nullptr) SetCapture(GetHandle());
    else if (heldBefore) ReleaseCapture();
    const bool heldNow = HandleAllocated() && GetCapture() == GetHandle();
    if (heldBefore && !heldNow && dragDropState_ == dsgPending) Perform(WM_CANCELMODE);
}

void TuiControl::SetPopupMenu(TComponent* C) {
    if (dynamic_cast<IuiMenuWithShortCuts*>(C) == nullptr && dynamic_cast<TPopupMenu*>(C) == nullptr) C = nullptr;
    if (C == popupMenu_) return;
    if (popupMenu_ != nullptr) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = C;
    if (C != nullptr) C->FreeNotification(this);
}

TPopupMenu* TuiControl::GetPopupMenu() { return dynamic_cast<TPopupMenu*>(popupMenu_); }

void TuiControl::AddFontListener(IuiFontChangeObserver* Listener) {
    if (Listener != nullptr &&
        std::find(fontListeners_.begin(), fontListeners_.end(), Listener) == fontListeners_.end())
        fontListeners_.push_back(Listener);
}

void TuiControl::RemoveFontListener(IuiFontChangeObserver* Listener) {
    fontListeners_.erase(std::remove(fontListeners_.begin(), fontListeners_.end(), Listener), fontListeners_.end());
}

void TuiControl::InvalidateRect(const TRect& R, bool Erase) {
    if (HandleAllocated()) zel::InvalidateRect(GetHandle(), &R, Erase ? TRUE : FALSE);
}

void TuiControl::ScrollContent(TuiDirection Direction) {
    if (Direction == dnNone) return;
    const bool ownBars = HasScrollBars() && horzScrollBar_ != nullptr;
    if (!ownBars && !CanScrollWithoutScrollBars(Direction)) return;
    const TScrollBarKind kind = Direction == dnLeft || Direction == dnRight ? sbHorizontal : sbVertical;
    const TScrollCode code = Direction == dnLeft || Direction == dnUp ? scLineUp : scLineDown;
    int position = ownBars ? BarOf(kind)->GetPosition() : 0;
    Scroll(kind, code, position);
    Update();
}

bool TuiControl::IsShortCutOfPopupMenu(TMessage& Message) {
    if (IsDesigning()) return false;
    for (TWinControl* c = this; c != nullptr; c = c->GetParent()) {
        auto* control = dynamic_cast<TuiControl*>(c);
        if (control == nullptr) continue;
        auto* menu = dynamic_cast<IuiMenuWithShortCuts*>(control->popupMenu_);
        if (menu != nullptr && menu->IsShortCutKey(Message)) return true;
        auto* popup = dynamic_cast<TPopupMenu*>(control->popupMenu_);
        if (popup != nullptr && popup->Items()->Count() > 0 && popup->IsShortCut(Message)) return true;
    }
    return false;
}

// ---- overridable operations ----------------------------------------------------------------------------------

bool TuiControl::DoShowPopupMenu(TComponent* Menu, int X, int Y) {
    if (auto* menu = dynamic_cast<IuiMenuWithShortCuts*>(Menu)) {
        menu->PopupAt(X, Y);
        return true;
    }
    auto* popup = dynamic_cast<TPopupMenu*>(Menu);
    if (popup == nullptr || !popup->AutoPopup) return false;
    popup->PopupComponent = this;
    popup->Popup(X, Y);
    return true;
}

// No form of this program has a designer, so there is none to tell.
void TuiControl::NotifyDesignerModified() {}

void TuiControl::BeforeMouseDown(TMouseButton Button, int X, int Y) {
    if (DragMode == dmAutomatic && Button == mbLeft && HandleAllocated() && GetCapture() == GetHandle() &&
        (!IsDesigning() || AllowAutoDragAt(X, Y, {})) && CanDrag(X, Y)) {
        // The loop dispatches what it takes, which may free the control.
        TuiObjectLinkScope self(this);
        const TDragDetectResult detected = DragDetect();
        if (self.Alive() && detected == ddrMoved) BeginDrag(true, -1);
    } else if (Button == mbMiddle) {
        AutoScroll();
    }
}

void TuiControl::RaiseInternalControls() {
    for (TControl* c : {static_cast<TControl*>(horzScrollBar_), static_cast<TControl*>(vertScrollBar_),
                        static_cast<TControl*>(sizeGrip_)})
        if (c != nullptr) c->BringToFront();
}

void TuiControl::FinishMouseOperations() {
    FinishDragAndDrop(true);
    SetCaptureHolder(nullptr);
}

bool TuiControl::CanFocusOnClick() { return !IsDesigning() && takeFocusOnClick_ && IsFocusable() && CanFocus(); }

int TuiControl::GetBorderSize() { return borderStyle_ == bsNone ? 0 : GetPainter()->ControlBorderSize(); }

TRect TuiControl::GetBounds() {
    if (!RectIsEmpty(drawBounds_)) return drawBounds_;
    if (HandleAllocated()) return GetClientRect();
    return TRect{0, 0, GetWidth(), GetHeight()};
}

TRect TuiControl::GetClientBounds() {
    TRect r = GetBounds();
    const int border = GetBorderSize();
    InflateRect(&r, -border, -border);
    if (IsHScrollBarVisible()) r.bottom -= horzScrollBar_->GetHeight();
    if (IsVScrollBarVisible()) r.right -= vertScrollBar_->GetWidth();
    return r;
}

void TuiControl::AfterWindowCreated() {
    if (HasScrollBars()) ParentInternalControls();
}

bool TuiControl::IsInternalControl(TControl* Control) const {
    return Control != nullptr && (Control == horzScrollBar_ || Control == vertScrollBar_ || Control == sizeGrip_);
}

TRect TuiControl::GetHScrollBarBounds() {
    const TRect client = GetClientBounds();
    return TRect{client.left, client.bottom, client.right, client.bottom + horzScrollBar_->GetHeight()};
}

TRect TuiControl::GetSizeGripBounds() {
    const int left = vertScrollBar_->GetLeft(), top = horzScrollBar_->GetTop();
    return TRect{left, top, left + vertScrollBar_->GetWidth(), top + horzScrollBar_->GetHeight()};
}

TRect TuiControl::GetVScrollBarBounds() {
    const TRect client = GetClientBounds();
    return TRect{client.right, client.top, client.right + vertScrollBar_->GetWidth(), client.bottom};
}

void TuiControl::PlaceInternalControls() {
    if (horzScrollBar_ == nullptr) return;
    if (horzScrollBar_->GetVisible()) horzScrollBar_->SetBoundsRect(GetHScrollBarBounds());
    if (vertScrollBar_->GetVisible()) vertScrollBar_->SetBoundsRect(GetVScrollBarBounds());
    if (sizeGrip_->GetVisible()) sizeGrip_->SetBoundsRect(GetSizeGripBounds());
}

void TuiControl::RefreshInternalControls() {
    if (!HasScrollBars() || horzScrollBar_ == nullptr) return;
    for (TControl* c : {static_cast<TControl*>(horzScrollBar_), static_cast<TControl*>(vertScrollBar_),
                        static_cast<TControl*>(sizeGrip_)})
        if (c->GetVisible()) c->Update();
}

void TuiControl::ApplyScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Pos, bool AllowShow,
                                    bool AllowHide) {
    TuiControlScrollBar* bar = BarOf(Kind);
    if (bar == nullptr) return;
    TuiScrollBarData& d = bar->Data;
    const TScrollStyle own = Kind == sbHorizontal ? ssHorizontal : ssVertical;
    d.AllowShow = AllowShow && (scrollBars_ == own || scrollBars_ == ssBoth);
    d.AllowHide = AllowHide;
    d.Visible = false;
    if (!d.AllowShow) return;
    if (Max < Min || Page >= Max - Min + 1 || Pos < Min) {
        // Nothing to scroll: the bar stays hidden, or shows disabled where it may not hide.
        if (!AllowHide) {
            d.Visible = true;
            d.Enabled = false;
        }
        return;
    }
    d.Min = Min;
    d.Max = Max;
    d.Position = Pos;
    d.PageSize = Page;
    d.SmallChange = static_cast<SHORT>(Step);
    d.LargeChange = static_cast<SHORT>(Page);
    d.Visible = d.Enabled = true;
}

void TuiControl::ComputeScrollBarParams() {
    if (scrollCalcInProgress_) return;
    scrollCalcInProgress_ = true;
    TuiScrollBarData& h = horzScrollBar_->Data;
    TuiScrollBarData& v = vertScrollBar_->Data;
    h.Visible = v.Visible = false;
    for (int round = 0; round < kScrollParamRounds; ++round) {
        const bool hBefore = h.Visible, vBefore = v.Visible;
        PrepareScrollBarParams();
        if (h.Visible == hBefore && v.Visible == vBefore) break;
    }
    if (h.Visible && v.Visible && h.Enabled && v.Enabled && h.AllowHide && v.AllowHide) {
        // Both bars only take each other's room: when the content fits once that room is given back,
        // descendants may hide both.
        const int hThick = horzScrollBar_->GetHeight(), vThick = vertScrollBar_->GetWidth();
        const bool hFits = CanCompactScrollBars(sbHorizontal) && vThick + h.PageSize >= h.Max - h.Min + 1;
        const bool vFits = CanCompactScrollBars(sbVertical) && hThick + v.PageSize >= v.Max - v.Min + 1;
        if (hFits && vFits) {
            const TuiScrollBarData hd = h, vd = v;
            ApplyScrollBarInfo(sbHorizontal, hd.Min, hd.Max, hd.SmallChange, hd.PageSize + vThick, hd.Position,
                               hd.AllowShow, hd.AllowHide);
            ApplyScrollBarInfo(sbVertical, vd.Min, vd.Max, vd.SmallChange, vd.PageSize + hThick, vd.Position,
                               vd.AllowShow, vd.AllowHide);
        }
    }
    scrollCalcInProgress_ = false;
}

void TuiControl::UpdateScrollBars() {
    if (!HasScrollBars() || horzScrollBar_ == nullptr) return;
    if (scrollUpdateLock_ >= 1) {
        scrollUpdatePending_ = true;
        return;
    }
    const bool outermost = !inScrollBarsUpdate_;
    if (outermost) {
        horzShownAtUpdateStart_ = horzScrollBar_->GetVisible();
        vertShownAtUpdateStart_ = vertScrollBar_->GetVisible();
    }
    inScrollBarsUpdate_ = true;
    const bool hBefore = horzScrollBar_->GetVisible(), vBefore = vertScrollBar_->GetVisible();
    if (!scrollParamsSettled_) {
        ComputeScrollBarParams();
        if (!outermost && horzScrollBar_->Data.Visible == horzShownAtUpdateStart_ &&
            vertScrollBar_->Data.Visible == vertShownAtUpdateStart_) {
            // Back where the update began: the bars would flip for ever. The bar that changed stays
            // shown, disabled.
            scrollParamsSettled_ = true;
            for (auto [bar, shownAtStart] : {std::pair{horzScrollBar_, horzShownAtUpdateStart_},
                                             std::pair{vertScrollBar_, vertShownAtUpdateStart_}})
                if (shownAtStart != bar->GetVisible()) {
                    bar->SetEnabled(false);
                    bar->SetVisible(true);
                }
        } else {
            horzScrollBar_->ApplyData();
            vertScrollBar_->ApplyData();
        }
    }
    if (horzScrollBar_->GetVisible() != hBefore || vertScrollBar_->GetVisible() != vBefore) {
        BoundsChanged();
    } else {
        sizeGrip_->SetVisible(horzScrollBar_->GetVisible() && vertScrollBar_->GetVisible());
        PlaceInternalControls();
        if (NeedsInternalControlsOnTop()) RaiseInternalControls();
    }
    inScrollBarsUpdate_ = !outermost;
    if (outermost) scrollParamsSettled_ = false;
}

TuiDragAndDropObjectClass TuiControl::DragDropObjectClassToUse() {
    if (dragDropObjectClass_) return dragDropObjectClass_;
    return [](TuiControl* AControl) { return new TuiDragAndDropObject(AControl); };
}

TuiDragImagesClass TuiControl::DragImagesClassToUse() {
    return [](TuiControl* AControl) { return new TuiDragImageList(AControl); };
}

bool TuiControl::IsCopyDragDrop() { return CtrlKeyDown(); }

void TuiControl::InitDragImages(TDragImageList* List) {
    const TPoint size = GetDragImagesSize();
    List->SetWidth(size.x);
    List->SetHeight(size.y);
    if (size.x == 0 || size.y == 0) return;
    TBitmap bitmap;
    bitmap.SetSize(size.x, size.y);
    {
        TuiCanvas canvas(bitmap.Canvas());
        DrawDragImage(&canvas, TRect{0, 0, size.x, size.y});
    }
    TColor mask = bitmap.TransparentColor;
    if (mask == clDefault) mask = static_cast<TColor>(GetPixel(bitmap.Canvas()->GetHandle(), 0, size.y - 1));
    List->AddMasked(&bitmap, mask);
}

bool TuiControl::MayFocus() {
    TCustomForm* form = zel::GetParentForm(this);
    return CanFocus() && (form == nullptr || (form->CanFocus() && form->GetEnabled() && form->GetVisible()));
}

bool TuiControl::WithinClickArea(int X, int Y) {
    return DragMode == dmManual || InDragThreshold(mouseDownPoint_, X, Y);
}

// ---- notifications -------------------------------------------------------------------------------------------

void TuiControl::BoundsChanged() { UpdateScrollBars(); }

TuiDragObjectClass TuiControl::GetDragObjectClass() {
    return [](TuiControl* AControl) { return new TuiDragControlObject(AControl); };
}

void TuiControl::CancelMouseOperations() {
    mouseButtonHeld_ = false;
    SetCaptureHolder(nullptr);
}

void TuiControl::FocusChanged() {
    if (OnFocusChanged) OnFocusChanged(this);
}

bool TuiControl::GetDesignHitTest(int /*X*/, int /*Y*/, TShiftState /*Shift*/) {
    return dragDropState_ != dsgIdle || mouseButtonHeld_;
}

void TuiControl::MouseEnter(TControl* AControl) {
    if (OnMouseEnter) OnMouseEnter(AControl);
}

void TuiControl::MouseLeave(TControl* AControl) {
    if (OnMouseLeave) OnMouseLeave(AControl);
}

// ---- modal mouse loops ----------------------------------------------------------------------------------------

namespace {

// Takes the next message for a modal loop; false when the loop must end (a failure, or WM_QUIT, which is
// posted again so that the application's loop still ends).
bool TakeModalMessage(MSG& Msg) {
    const BOOL got = GetMessage(&Msg, nullptr, 0, 0);
    if (got == -1) return false;
    if (got == 0) {
        PostQuitMessage(static_cast<int>(Msg.wParam));
        return false;
    }
    return true;
}

void DispatchModalMessage(const MSG& Msg) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
}

bool IsEscapeKey(const MSG& Msg) {
    return (Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP) && Msg.wParam == VK_ESCAPE;
}

}  // namespace

TuiControl::TDragDetectResult TuiControl::DragDetect() {
    TDragDetectResult result = ddrCancelled;
    const HWND wnd = GetHandle();
    const TPoint start = CursorScreenPos();
    const int t = Mouse->DragThreshold;
    const TRect deadZone{start.x - t, start.y - t, start.x + t, start.y + t};
    SetCapture(wnd);
    TScopeExit release([wnd] {
        if (GetCapture() == wnd) ReleaseCapture();
    });
    MSG msg;
    while (GetCapture() == wnd && TakeModalMessage(msg)) {
        bool done = true;
        if (IsEscapeKey(msg)) result = ddrCancelled;
        else if (msg.message == WM_MOUSEMOVE && msg.hwnd == wnd && !PtInRect(&deadZone, msg.pt)) result = ddrMoved;
        else if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_MBUTTONUP)
            result = ddrReleased;
        else done = false;
        DispatchModalMessage(msg);
        if (done) break;
    }
    return result;
}

void TuiControl::AutoScroll() {
    const bool hBar = IsHScrollBarVisible(), vBar = IsVScrollBarVisible();
    if (!hBar && !vBar) return;
    TuiObjectLinkScope self(this);
    const HWND wnd = GetHandle();
    autoScrolling_ = true;
    const TPoint start = CursorScreenPos();

    // The anchor: the picture in an ellipse around the start point, above everything, never activated.
    const char* picture = hBar && vBar ? "UI_FULLSCROLLBITMAP" : hBar ? "UI_HORSCROLLBITMAP" : "UI_VERSCROLLBITMAP";
    HBITMAP bitmap = LoadBitmap(nullptr, picture);
    BITMAP info{};
    if (bitmap != nullptr) GetObject(bitmap, sizeof(info), &info);
    const int width = bitmap != nullptr ? info.bmWidth : kAutoScrollAnchorSize;
    const int height = bitmap != nullptr ? info.bmHeight : kAutoScrollAnchorSize;
    RegisterStandardClasses();
    HWND anchor = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, start.x - width / 2,
                                 start.y - height / 2, width, height, wnd, nullptr, nullptr, nullptr);
    UINT_PTR timer = 0;
    TScopeExit finish([&] {
        if (self.Alive() && GetCapture() == wnd) ReleaseCapture();
        if (timer != 0) KillTimer(nullptr, timer);
        if (anchor != nullptr) DestroyWindow(anchor);
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (self.Alive()) autoScrolling_ = false;
    });
    if (anchor != nullptr) {
        SetWindowRgn(anchor, CreateEllipticRgn(0, 0, width + 1, height + 1), TRUE);
        ShowWindow(anchor, SW_SHOWNA);
        HDC dc = GetWindowDC(anchor);
        if (bitmap != nullptr) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, bitmap);
            BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
        HRGN frame = CreateEllipticRgn(0, 0, width + 1, height + 1);
        FrameRgn(dc, frame, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
        DeleteObject(frame);
        ReleaseDC(anchor, dc);
    }

    // Inside the neutral zone nothing scrolls; across a hidden bar the zone has no end.
    const TCursor resting = hBar && vBar ? cruiFullScroll : hBar ? cruiHorScroll : cruiVerScroll;
    TuiDirection direction = dnNone;
    int speed = 1, ticks = 0;
    bool leftNeutralZone = false;
    ::zel::SetCursor(CursorHandle(resting));
    timer = SetTimer(nullptr, 0, 20, nullptr);
    SetCapture(wnd);
    TPoint last = start;
    auto follow = [&](const TPoint& P) {
        const int dx = P.x - start.x, dy = P.y - start.y, half = width / 2;
        const bool inside = (!hBar || std::abs(dx) <= half) && (!vBar || std::abs(dy) <= half);
        TCursor cursor = resting;
        if (inside) {
            direction = dnNone;
            speed = 0;
        } else {
            leftNeutralZone = true;
            const bool vertical = !hBar || (vBar && std::abs(dy) >= std::abs(dx));
            const int distance = vertical ? std::abs(dy) : std::abs(dx);
            direction = vertical ? (dy < 0 ? dnUp : dnDown) : (dx < 0 ? dnLeft : dnRight);
            speed = std::min((distance - half) / 5 + 1, 12);
            static constexpr TCursor kCursors[] = {0, cruiLeftScroll, cruiRightScroll, cruiUpScroll, cruiDownScroll};
            cursor = kCursors[direction];
        }
        ::zel::SetCursor(CursorHandle(cursor));
    };
    MSG msg;
    while (self.Alive() && GetCapture() == wnd && TakeModalMessage(msg)) {
        const UINT m = msg.message;
        if (m == WM_PAINT && msg.hwnd == anchor) {
            ValidateRect(anchor, nullptr);
            continue;
        }
        if (IsEscapeKey(msg)) {
            DispatchModalMessage(msg);
            break;
        }
        if (m == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
            ++ticks;
            if (speed > 0 && ticks % (13 - speed) == 0) ScrollContent(direction);
            continue;
        }
        if ((m >= WM_LBUTTONDOWN && m <= WM_MBUTTONDOWN) || m == WM_MBUTTONDBLCLK || m == WM_MOUSEWHEEL) break;
        if (m == WM_MBUTTONUP) {
            DispatchModalMessage(msg);
            if (leftNeutralZone || !self.Alive()) break;
            // The release may have taken the capture away from the mode, which goes on.
            SetCapture(wnd);
            continue;
        }
        if (m == WM_MOUSEMOVE && (msg.pt.x != last.x || msg.pt.y != last.y)) {
            last = msg.pt;
            follow(last);
        }
        DispatchModalMessage(msg);
    }
}

// ---- the library's drag-and-drop -----------------------------------------------------------------------------

void TuiControl::SetDragDropState(TuiDragStage Value) {
    if (dragDropState_ == Value) return;
    dragDropState_ = Value;
    if (Value == dsgIdle && !dragDropFinishing_) CancelMouseOperations();
}

TuiDragAndDropObject* TuiControl::EnsureDragDropObject() {
    if (dragDropObject_ == nullptr) dragDropObject_ = DragDropObjectClassToUse()(this);
    return dragDropObject_;
}

void TuiControl::BeginDragAndDrop() {
    EnsureDragDropObject()->Init();
    SetCapture(GetHandle());
    cursorBeforeDragDrop_ = Screen->GetCursor();
    SetDragDropState(dsgDragging);
}

void TuiControl::DragAndDrop(const TPoint& P, bool& Accepted) { EnsureDragDropObject()->DoDragAndDrop(P, Accepted); }

void TuiControl::EndDragAndDrop(bool Accepted) {
    SetDragDropState(dsgIdle);
    Screen->SetCursor(cursorBeforeDragDrop_);
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
    SetCaptureHolder(nullptr);
    EnsureDragDropObject()->DoEndDragAndDrop(Accepted);
}

void TuiControl::FinishDragAndDrop(bool Accepted) {
    if (dragDropFinishing_) return;
    dragDropFinishing_ = true;
    TScopeExit done([this] { dragDropFinishing_ = false; });
    if (dragDropState_ == dsgDragging) EndDragAndDrop(Accepted);
    else SetDragDropState(dsgIdle);
    delete dragDropObject_;
    dragDropObject_ = nullptr;
}

// ---- internal controls ---------------------------------------------------------------------------------------

void TuiControl::CreateInternalControls() {
    if (horzScrollBar_ != nullptr) return;
    horzScrollBar_ = new TuiControlScrollBar();
    horzScrollBar_->SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    vertScrollBar_ = new TuiControlScrollBar();
    vertScrollBar_->SetKind(sbVertical);
    vertScrollBar_->SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), 121);
    for (TuiControlScrollBar* bar : {horzScrollBar_, vertScrollBar_}) {
        bar->GetLookAndFeel()->SetMasterLookAndFeel(lookAndFeel_);
        const TScrollBarKind kind = bar->GetKind();
        bar->OnScroll = [this, kind](TObject*, TScrollCode Code, int& Position) { Scroll(kind, Code, Position); };
    }
    sizeGrip_ = new TuiSizeGrip(lookAndFeel_);
    uiSettingsController()->AddControl(this);
}

void TuiControl::DestroyInternalControls() {
    if (horzScrollBar_ == nullptr) return;
    uiSettingsController()->RemoveControl(this);
    delete sizeGrip_;
    sizeGrip_ = nullptr;
    delete vertScrollBar_;
    vertScrollBar_ = nullptr;
    delete horzScrollBar_;
    horzScrollBar_ = nullptr;
}

void TuiControl::ParentInternalControls() {
    if (horzScrollBar_ == nullptr) return;
    horzScrollBar_->SetParent(this);
    vertScrollBar_->SetParent(this);
    sizeGrip_->SetParent(this);
}

void TuiControl::ScrollBarMetricsChanged() {
    if (horzScrollBar_ == nullptr) return;
    const int height = GetSystemMetrics(SM_CYHSCROLL), width = GetSystemMetrics(SM_CXVSCROLL);
    if (height == horzScrollBar_->GetHeight() && width == vertScrollBar_->GetWidth()) return;
    horzScrollBar_->SetHeight(height);
    vertScrollBar_->SetWidth(width);
    BoundsChanged();
}

// ---- window --------------------------------------------------------------------------------------------------

void TuiControl::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TuiControl::CreateWnd() {
    windowBeingCreated_ = true;
    TCustomControl::CreateWnd();
    windowBeingCreated_ = false;
    if (HasScrollBars()) CreateInternalControls();
    else DestroyInternalControls();
    AfterWindowCreated();
}

LRESULT TuiControl::DialogCode() const {
    LRESULT code = 0;
    if (wantedKeys_.Contains(dkkAll)) code += DLGC_WANTALLKEYS;
    if (wantedKeys_.Contains(dkkArrows)) code += DLGC_WANTARROWS;
    if (wantedKeys_.Contains(dkkChars)) code += DLGC_WANTCHARS;
    // Ctrl+Tab still moves on to the next control.
    if (wantedKeys_.Contains(dkkTab) && GetKeyState(VK_CONTROL) >= 0) code += DLGC_WANTTAB;
    return code;
}

void TuiControl::WndProc(TMessage& Message) {
    TuiObjectLinkScope self(this);
    const UINT msg = Message.Msg;
    const bool press = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    auto beforeMouseDown = [&] {
        if (!press || !self.Alive()) return;
        TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        if (GetWidth() > kLargestMessageCoordinate || GetHeight() > kLargestMessageCoordinate)
            p = ScreenToClient(CursorScreenPos());
        const TMouseButton button = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
        BeforeMouseDown(button, p.x, p.y);
    };
    if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) &&
        (IsDesigning() ? GetDesignHitTest(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), {ssLeft})
                       : DragMode == dmAutomatic)) {
        // The press goes straight to the handlers, past the layer's own mouse processing; the mouse is held
        // as a press holds it.
        controlState_.Include(csLButtonDown);
        if (ControlStyle.Contains(csCaptureMouse)) SetCapture(GetHandle());
        Dispatch(Message);
        if (!self.Alive()) return;
        controlState_.Exclude(csLButtonDown);
        beforeMouseDown();
        return;
    }
    if (msg == WM_RBUTTONUP) rightButtonUpInProgress_ = true;
    TCustomControl::WndProc(Message);
    if (!self.Alive()) return;
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        FocusChanged();
    } else if (msg == WM_PAINT) {
        if (GetParentBackground() != parentBackgroundSeen_) {
            parentBackgroundSeen_ = GetParentBackground();
            ParentBackgroundChanged();
        }
    } else if (msg == WM_RBUTTONUP) {
        rightButtonUpInProgress_ = false;
    }
    beforeMouseDown();
}

void TuiControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    TCustomControl::DoContextPopup(MousePos, Handled);
    if (Handled) return;
    if (MousePos.x == -1 && MousePos.y == -1) MousePos = TPoint{0, 0};
    const TPoint screen = ClientToScreen(MousePos);
    if (IuiPopupMenuController* controller = uiPopupMenuController();
        controller != nullptr && controller->ShowContextPopup(this, screen)) {
        Handled = true;
        return;
    }
    Handled = DoShowPopupMenu(popupMenu_, screen.x, screen.y);
}

bool TuiControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    const BYTE axis = WheelScrollAxis();
    if (axis == 0) return false;
    const TuiDirection direction = axis == 2 ? (WheelDelta >= 0 ? dnUp : dnDown) : (WheelDelta >= 0 ? dnLeft : dnRight);
    TuiObjectLinkScope self(this);
    for (int i = Mouse->GetWheelScrollLines(); i > 0 && self.Alive(); --i) ScrollContent(direction);
    return true;
}

// ---- drags between controls ----------------------------------------------------------------------------------

void TuiControl::DoStartDrag(TDragObject*& DragObject) {
    Update();
    TCustomControl::DoStartDrag(DragObject);
    if (DragObject == nullptr)
        if (TuiDragObjectClass make = GetDragObjectClass()) DragObject = make(this);
    if (!AllowVclDrag(DragObject)) {
        delete DragObject;
        DragObject = nullptr;
        CancelDrag();
    }
}

void TuiControl::DoEndDrag(TObject* Target, int X, int Y) {
    TCustomControl::DoEndDrag(Target, X, Y);
    delete dragImageList_;
    dragImageList_ = nullptr;
}

void TuiControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    if (auto* object = dynamic_cast<TDragObject*>(Source))
        SetuiCurrentDragObject(State == dsDragLeave ? nullptr : object);
    TCustomControl::DragOver(Source, X, Y, State, Accept);
}

TDragImageList* TuiControl::GetDragImages() {
    if (!HasDragImages()) return nullptr;
    if (dragImageList_ == nullptr) {
        dragImageList_ = DragImagesClassToUse()(this);
        InitDragImages(dragImageList_);
    }
    return dragImageList_->Count() > 0 ? dragImageList_ : nullptr;
}

void TuiControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CANCELMODE:
            TCustomControl::Dispatch(Message);
            FinishDragAndDrop(false);
            CancelMouseOperations();
            return;
        case WM_CONTEXTMENU: {
            if (Message.Result != 0) return;
            if (!IsDesigning()) {
                TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
                const bool keyboard = p.x == -1 && p.y == -1;
                if (!keyboard) p = ScreenToClient(p);
                const TRect client = GetClientRect();
                if (keyboard || PtInRect(&client, p)) {
                    bool handled = false;
                    DoContextPopup(keyboard ? TPoint{-1, -1} : p, handled);
                    Message.Result = handled ? 1 : 0;
                    if (handled) return;
                }
            }
            DefaultHandler(Message);
            return;
        }
        case WM_PAINT: {
            // The drag image would be painted over: it goes while the control paints.
            TDragObject* dragged = uiCurrentDragObject();
            if (dragged != nullptr) dragged->HideDragImage();
            TCustomControl::Dispatch(Message);
            if (dragged != nullptr && dragged == uiCurrentDragObject()) dragged->ShowDragImage();
            return;
        }
        case WM_ERASEBKGND:
            if (NeedsEraseBackground()) break;
            Message.Result = 1;
            return;
        case WM_GETDLGCODE: Message.Result = DialogCode(); return;
        case WM_NCCALCSIZE:
            TCustomControl::Dispatch(Message);
            PostMessage(GetHandle(), UM_SCROLLBARMETRICSCHANGED, 0, 0);
            return;
        case UM_SCROLLBARMETRICSCHANGED: ScrollBarMetricsChanged(); return;
        case CM_COLORCHANGED: AfterColorChange(); break;
        case CM_CURSORCHANGED: CursorChanged(); break;
        case CM_DESIGNHITTEST:
            TCustomControl::Dispatch(Message);
            if (Message.Result == 0)
                Message.Result = GetDesignHitTest(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam),
                                                  KeysToShiftState(Message.WParam));
            return;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE: {
            TCustomControl::Dispatch(Message);
            auto* control = reinterpret_cast<TControl*>(Message.LParam);
            if (control == nullptr) control = this;
            if (Message.Msg == CM_MOUSEENTER) MouseEnter(control);
            else MouseLeave(control);
            return;
        }
        case CM_TEXTCHANGED:
            TCustomControl::Dispatch(Message);
            TextChanged();
            return;
        case CM_VISIBLECHANGED:
            TCustomControl::Dispatch(Message);
            VisibleChanged();
            return;
        case CN_KEYDOWN:
            if (IsShortCutOfPopupMenu(Message)) {
                Message.Result = 1;
                return;
            }
            if (dragDropState_ != dsgIdle) {
                // Esc ends a drag-and-drop; other keys are swallowed while it runs.
                if (Message.WParam == VK_ESCAPE) Perform(WM_KEYDOWN, Message.WParam, Message.LParam);
                Message.Result = 1;
                return;
            }
            break;
        case CN_SYSKEYDOWN:
            if (IsShortCutOfPopupMenu(Message)) {
                Message.Result = 1;
                return;
            }
            break;
        default: break;
    }
    TCustomControl::Dispatch(Message);
}

void TuiControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

void TuiControl::Paint() {
    if (borderStyle_ == bsSingle) {
        GetPainter()->PaintControlBorder(drawCanvas_, GetBounds());
        drawCanvas_->IntersectClipRect(GetClientBounds());
    }
    TCustomControl::Paint();
    RefreshInternalControls();
}

void TuiControl::Resize() {
    TCustomControl::Resize();
    BoundsChanged();
}

void TuiControl::FontChanged() {
    TCustomControl::FontChanged();
    for (IuiFontChangeObserver* listener : fontListeners_) listener->FontChanged(this, Font());
    Invalidate();
}

// ---- mouse ---------------------------------------------------------------------------------------------------

void TuiControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TuiObjectLinkScope self(this);
    mouseDownPoint_ = TPoint{X, Y};
    const bool doubleClick = Shift.Contains(ssDouble);
    if (CanFocusOnClickAt(X, Y) && !doubleClick) {
        const int leftBefore = GetLeft(), topBefore = GetTop();
        SetFocus();
        if (!self.Alive()) return;
        TCustomForm* form = zel::GetParentForm(this);
        if (form != nullptr && form->GetActiveControl() == this && !Focused()) zel::SetFocus(GetHandle());
        if (!Focused() && !CanMouseDownUnfocused()) {
            ReleaseCapture();
            return;
        }
        // Focusing may have scrolled the control into view: the press stays on the same spot of it.
        X += leftBefore - GetLeft();
        Y += topBefore - GetTop();
    }
    if (Button == mbLeft && !doubleClick && StartDragAndDrop(TPoint{X, Y})) {
        if (EnsureDragDropObject()->StartsAtOnce()) BeginDragAndDrop();
        else SetDragDropState(dsgPending);
    } else {
        FinishDragAndDrop(false);
    }
    if (!self.Alive()) return;
    MouseDownHook(Button, Shift, X, Y);
    if (!self.Alive()) return;
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (self.Alive()) mouseButtonHeld_ = HandleAllocated() && GetCapture() == GetHandle();
}

void TuiControl::MouseMove(TShiftState Shift, int X, int Y) {
    const TCursor resting = restingCursor_;
    SetCursor(GetCursorAt(X, Y));
    restingCursor_ = resting;
    TuiObjectLinkScope self(this);
    TCustomControl::MouseMove(Shift, X, Y);
    if (!self.Alive()) return;
    if (dragDropState_ == dsgPending && !InDragThreshold(mouseDownPoint_, X, Y)) BeginDragAndDrop();
    if (dragDropState_ == dsgDragging) {
        bool accepted = false;
        DragAndDrop(TPoint{X, Y}, accepted);
    }
}

bool TuiControl::DoKeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE) FinishDragAndDrop(false);
    return TCustomControl::DoKeyDown(Key, Shift);
}

void TuiControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    mouseButtonHeld_ = false;
    FinishMouseOperations();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---- child component -----------------------------------------------------------------------------------------

TuiControlChildComponent::TuiControlChildComponent(TuiControl* AControl, bool AssignOwner)
    : TuiComponent(AssignOwner && AControl != nullptr ? AControl->GetOwner() : nullptr),
      joinAtConstruction_(AControl) {}

void TuiControlChildComponent::AfterConstruction() {
    TuiComponent::AfterConstruction();
    Initialize();
    if (joinAtConstruction_ != nullptr) SetControl(joinAtConstruction_);
    joinAtConstruction_ = nullptr;
}

void TuiControlChildComponent::BeforeDestruction() {
    TuiComponent::BeforeDestruction();
    if (control_ != nullptr) control_->RemoveChildComponent(this);
}

TComponent* TuiControlChildComponent::GetParentComponent() const { return control_; }

void TuiControlChildComponent::SetControl(TuiControl* AControl) {
    if (AControl == control_) return;
    if (control_ != nullptr) control_->RemoveFreeNotification(this);
    control_ = AControl;
    if (control_ != nullptr) control_->FreeNotification(this);
}

void TuiControlChildComponent::Notification(TComponent* AComponent, TOperation Operation) {
    TuiComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == control_) control_ = nullptr;
}

void TuiControlChildComponent::SetParentComponent(TComponent* Value) {
    if (auto* control = dynamic_cast<TuiControl*>(Value)) control->AddChildComponent(this);
    else SetControl(nullptr);
}

// ---- unit ----------------------------------------------------------------------------------------------------

void uiControlsRowStartup() {
    uiControlsStartup();
    RegisteruiControlsResources();
}

void RegisteruiControlsClasses() {
    RegisterScrollBarClass();
    RegisterComponent<TuiControlChildComponent>("TuiControlChildComponent", "TuiComponent");
}

}  // namespace zel
