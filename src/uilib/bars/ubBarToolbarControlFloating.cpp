// The floating side of a bar window: a pop-up owned by the manager's form with a frame, a caption band and
// a close button; its sizing, its way back onto the screen, its moves with the mouse and its switch between
// floating and docked.
#include <algorithm>

#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarFloatingLayout.h"
#include "uilib/bars/ubBarHooks.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarToolbarControl.h"

#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

TPoint WindowPoint(HWND Window, POINT Screen) {
    RECT wr;
    GetWindowRect(Window, &wr);
    return TPoint{Screen.x - wr.left, Screen.y - wr.top};
}

}  // namespace

// ---- frame ---------------------------------------------------------------------------------------------------

TubFloatingFrame TubBarControl::FloatingFrame() const {
    TubBarPainterClass painter = BarPainterOf(BarManager());
    TubBarItemPaintState state = PaintState();
    state.DockingStyle = dsNone;
    TubFloatingFrame f;
    f.BorderWidth = painter->GetFloatingFrameWidth();
    f.BorderHeight = painter->GetFloatingFrameHeight();
    f.CaptionHeight = painter->GetSmallCaptionHeightPlusOne();
    f.Margins = painter->GetBarMargins(state);
    return f;
}

TRect TubBarControl::FloatingCaptionRect() const {
    TRect r = FloatingFrame().CaptionRect(GetWidth());
    // The flat looks draw their caption two pixels lower, below a frame line of their own.
    if (BarManager() != nullptr && BarManager()->PainterKind() >= bpkFlat) r.top += 2;
    return r;
}

TRect TubBarControl::FloatingCloseButtonRect() const {
    if (!bar_->GetAllowClose()) return TRect{};
    const TRect caption = FloatingCaptionRect();
    const int size = std::min(caption.Height(), BarPainterOf(BarManager())->GetCaptionButtonSize(PaintState()));
    const int top = caption.top + (caption.Height() - size) / 2;
    // The flat looks give the caption button two pixels more.
    const int wider = BarManager() != nullptr && BarManager()->PainterKind() >= bpkFlat ? 2 : 0;
    return TRect{caption.right - size - wider, top, caption.right, top + size};
}

void TubBarControl::FloatingCreateParams(TCreateParams& Params) {
    Params.Style = WS_POPUP | WS_THICKFRAME | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    TCustomForm* form = BarManager() != nullptr ? BarManager()->Form() : nullptr;
    Params.WndParent = form != nullptr && form->HandleAllocated() ? form->GetHandle() : nullptr;
}

void TubBarControl::FloatingNcCalcSize(RECT& R) {
    const TRect nc = FloatingFrame().NonClient();
    R.left += nc.left;
    R.top += nc.top;
    R.right = std::max(R.left, R.right - nc.right);
    R.bottom = std::max(R.top, R.bottom - nc.bottom);
}

LRESULT TubBarControl::FloatingHitTest(TPoint Screen) {
    const TPoint c = ScreenToClient(Screen);
    const TRect mark = MarkRect();
    if (ItemAtPos(c) != nullptr || PtInRect(&mark, c)) return HTCLIENT;
    const TPoint p = WindowPoint(GetHandle(), POINT{Screen.x, Screen.y});
    return FloatingFrameHit(FloatingFrame(), TSize{GetWidth(), GetHeight()}, p, FloatingCloseButtonRect());
}

void TubBarControl::PaintFloatingFrame(HDC DC) {
    TubBarPainterClass painter = BarPainterOf(BarManager());
    TubBarItemPaintState state = PaintState();
    state.DockingStyle = dsNone;
    state.ActiveCaption = true;
    const TRect whole{0, 0, GetWidth(), GetHeight()};
    const TRect nc = FloatingFrame().NonClient();
    const TRect inner{nc.left, nc.top, whole.right - nc.right, whole.bottom - nc.bottom};
    HRGN frame = CreateRectRgnIndirect(&whole);
    HRGN client = CreateRectRgnIndirect(&inner);
    CombineRgn(frame, frame, client, RGN_DIFF);
    SelectClipRgn(DC, frame);
    HBRUSH brush = painter->GetBarBrush(state);
    FillRect(DC, &whole, brush);
    painter->DrawFloatingFrame(DC, whole, brush, state);
    const TRect close = FloatingCloseButtonRect();
    painter->DrawFloatingCaption(DC, FloatingCaptionRect(), GetText(), state);
    if (!IsRectEmpty(&close))
        painter->DrawCaptionParts(DC, close, closeButtonState_ == 1, closeButtonState_ == 2, state);
    SelectClipRgn(DC, nullptr);
    DeleteObject(client);
    DeleteObject(frame);
}

void TubBarControl::SetFloatingCloseState(int Value) {
    if (closeButtonState_ == Value) return;
    closeButtonState_ = Value;
    if (HandleAllocated()) SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

// ---- sizes ---------------------------------------------------------------------------------------------------

TSize TubBarControl::FloatingContentSize(int LineLength) {
    std::vector<TubToolbarLink> links = MeasureLinks();
    const int mark = MarkAlwaysShown() ? ubBarMarkSize : 0;
    if (LineLength <= 0) LineLength = ToolbarFullLength(links, GetSeparatorSize()) + mark;
    TSize s = SizeMultiLine(links, LineLength, GetSeparatorSize(), CaptionBand(), mark);
    if (links.empty()) s = TSize{LineHeight(), LineHeight()};
    return s;
}

TSize TubBarControl::FloatingSize() {
    const TubFloatingFrame f = FloatingFrame();
    const TSize content = FloatingContentSize(bar_->GetFloatClientWidth());
    return TSize{std::max(content.cx + f.Width(), ubFloatingMinSize),
                 std::max(content.cy + f.Height(), ubFloatingMinSize)};
}

void TubBarControl::FloatingSizing(int Edge, RECT& R) {
    const TubFloatingFrame f = FloatingFrame();
    std::vector<TubToolbarLink> links = MeasureLinks();
    const int mark = MarkAlwaysShown() ? ubBarMarkSize : 0;
    auto wrappedHeight = [&](int Width) {
        return SizeMultiLine(links, std::max(Width - f.Width(), 1), GetSeparatorSize(), CaptionBand(), mark).cy +
               f.Height();
    };
    auto widthForHeight = [&](int Height) {
        return SizeFloatingForCross(links, std::max(Height - f.Height(), 1), GetSeparatorSize(), CaptionBand()).cx +
               f.Width();
    };
    R = SnapFloatingSizing(static_cast<int>(Edge), TRect{R.left, R.top, R.right, R.bottom}, wrappedHeight,
                           widthForHeight);
}

void TubBarControl::KeepOnWorkArea(WINDOWPOS& Pos) {
    if ((Pos.flags & SWP_NOMOVE) != 0 && (Pos.flags & SWP_NOSIZE) != 0) return;
    const int w = (Pos.flags & SWP_NOSIZE) != 0 ? GetWidth() : Pos.cx;
    const int h = (Pos.flags & SWP_NOSIZE) != 0 ? GetHeight() : Pos.cy;
    TRect r{Pos.x, Pos.y, Pos.x + w, Pos.y + h};
    std::vector<TRect> areas;
    for (const MONITORINFO& m : GetMonitors()) areas.push_back(m.rcWork);
    POINT cursor;
    GetCursorPos(&cursor);
    MONITORINFO under{};
    under.cbSize = sizeof(under);
    GetMonitorInfo(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &under);
    if (PullOntoWorkArea(r, areas, under.rcWork)) {
        Pos.x = r.left;
        Pos.y = r.top;
        Pos.flags &= ~static_cast<UINT>(SWP_NOMOVE);
    }
}

void TubBarControl::RememberFloatingPosition() {
    RECT wr;
    GetWindowRect(GetHandle(), &wr);
    RECT cr;
    ::zel::GetClientRect(GetHandle(), &cr);
    bar_->SetFloatLeft(wr.left);
    bar_->SetFloatTop(wr.top);
    bar_->SetFloatClientWidth(cr.right - cr.left);
    bar_->SetFloatClientHeight(cr.bottom - cr.top);
}

void TubBarControl::ApplyAlpha() {
    if (HandleAllocated()) SetWindowAlpha(GetHandle(), AlphaValue());
}

// ---- moving and docking --------------------------------------------------------------------------------------

void TubBarControl::SetMoving(bool Value) {
    // While the bar moves, the window it would have in the other state (docked or floating) waits beside
    // its own, so that a switch keeps the window and the item controls.
    if (Value && HandleAllocated()) CreateSecondWindow(WindowParams(!IsFloating()));
    if (!Value) DestroySecondWindow();
    ApplyAlpha();
}

TCreateParams TubBarControl::WindowParams(bool Floating) {
    TCreateParams params;
    const TubBarDockingStyle side = dockingStyle_;
    dockingStyle_ = Floating ? dsNone : dsTop;
    CreateParams(params);
    dockingStyle_ = side;
    TCustomForm* form = BarManager() != nullptr ? BarManager()->Form() : nullptr;
    if (!Floating) {
        // A child window of the form until a dock takes it.
        params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        params.ExStyle = 0;
        params.WndParent = form != nullptr && form->HandleAllocated() ? form->GetHandle() : nullptr;
    }
    params.Style &= ~static_cast<DWORD>(WS_VISIBLE);
    params.Caption = bar_->GetCaption();
    return params;
}

void TubBarControl::ChangeDock(TubBarDockingStyle Style, TubDockControl* Dock) {
    const bool floating = Dock == nullptr;
    if (floating != IsFloating() && SecondWindow() == nullptr) CreateSecondWindow(WindowParams(floating));
    if (dockControl_ != nullptr) dockControl_->RemoveBar(this, nullptr, false);
    dockControl_ = Dock;
    if (floating != IsFloating()) SwitchWindows();
    SetParentKeepingWindow(Dock);
    // The item controls stay; they are made anew only when the links turn.
    const bool turned = (Style == dsLeft || Style == dsRight) != Vertical();
    dockingStyle_ = Style;
    ClearBackgroundCache();
    Perform(CM_FONTCHANGED);
    if (turned) RecreateControls();
    // The window was made for the other state: its frame is measured again for this one.
    if (HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyAlpha();
}

void TubBarControl::WindowsSwitched() {
    TCustomubBarControl::WindowsSwitched();
    ClearBackgroundCache();
    // The windows of the item controls (edits, combos) move into the window now in use.
    if (GetItemLinks() == nullptr) return;
    for (TubBarItemLink* link : GetItemLinks()->VisibleItems())
        if (auto* win = dynamic_cast<TubBarWinControl*>(link->Control); win != nullptr && win->Handle != nullptr)
            ::zel::SetParent(win->Handle, GetHandle());
}

void TubBarControl::ToggleDocking() {
    TubBar* bar = bar_;
    TubBarManager* m = BarManager();
    if (m == nullptr || m->Designing()) return;
    TubBarDockingStyle style = dsNone;
    TubBarDockControl* dock = nullptr;
    if (IsFloating()) {
        dock = bar->GetDockedDockControl();
        style = dock != nullptr ? dock->DockingStyle() : bar->GetDockedDockingStyle();
        if (style == dsNone) style = dsTop;
    }
    const bool neverDocked = IsFloating() && dock == nullptr && !bar->HasDockedPlace();
    if (neverDocked) style = dsTop;
    TubDockControl* target = dock;
    if (target == nullptr && style != dsNone) target = m->GetBars()->DockControls(style);
    if (!m->CanDock(bar, style, target)) return;
    if (neverDocked && target != nullptr) {
        // A bar never docked goes to the top dock, on a new row of its own after the others.
        bar->SetRow(target->RowCount());
        bar->OneOnRow = true;
        bar->SetDockedLeft(0);
    }
    // The window goes with the bar's hiding: nothing of it is touched from here on.
    bar->SetVisible(false);
    bar->SetDockingStyleAndControl(style, dock);
    bar->SetVisible(true);
}

// ---- the close button's press --------------------------------------------------------------------------------

void TubBarControl::TrackFloatingCloseButton() {
    TubBarManager* m = BarManager();
    TubBar* bar = bar_;
    TuiObjectLinkScope alive(this);
    const HWND window = GetHandle();
    // Keys are swallowed while the button is held, however the loop ends.
    BarButtonHeld = true;
    struct TRelease {
        ~TRelease() { BarButtonHeld = false; }
    } release;
    SetFloatingCloseState(2);
    SetCapture(window);
    bool over = true;
    MSG msg{};
    while (GetCapture() == window) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            over = false;
            break;
        }
        if (!alive.Alive()) return;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            const TRect close = FloatingCloseButtonRect();
            over = PtInRect(&close, WindowPoint(window, msg.pt)) != 0;
            if (msg.message == WM_LBUTTONUP) break;
            SetFloatingCloseState(over ? 2 : 1);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        if (!alive.Alive()) return;
    }
    if (GetCapture() == window) {
        ReleaseCapture();
    } else if (msg.message != WM_LBUTTONUP) {
        over = false;  // the capture went elsewhere: the press is given up
    }
    if (!alive.Alive()) return;
    SetFloatingCloseState(0);
    if (!over) return;
    bar->SetVisible(false);
    // The customizing form's bar list is refreshed: the bar's box is no longer ticked.
    CustomizingFormBarChanged(bar);
    if (m != nullptr) m->DoBarClose(bar);
}

// ---- messages ------------------------------------------------------------------------------------------------

bool TubBarControl::FloatingMessage(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDBLCLK) {
        // A double click on a docked bar's grip floats it.
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (IsFloating() || hitArea_ != HTCAPTION || IsCustomizing() || ItemAtPos(p) != nullptr) return false;
        ToggleDocking();
        return true;
    }
    if (!IsFloating()) return false;
    switch (Message.Msg) {
        case WM_SIZING:
            FloatingSizing(static_cast<int>(Message.WParam), *reinterpret_cast<RECT*>(Message.LParam));
            Message.Result = TRUE;
            return true;
        case WM_WINDOWPOSCHANGING: KeepOnWorkArea(*reinterpret_cast<WINDOWPOS*>(Message.LParam)); return false;
        case WM_NCMOUSEMOVE:
            if (closeButtonState_ != 2) SetFloatingCloseState(Message.WParam == ubFloatingCloseHit ? 1 : 0);
            return false;
        case WM_MOUSEMOVE:
        case WM_NCMOUSELEAVE:
        case WM_MOUSELEAVE:
            if (closeButtonState_ == 1) SetFloatingCloseState(0);
            return false;
        case WM_NCLBUTTONDOWN:
            PressFloating();
            if (Message.WParam == ubFloatingCloseHit) {
                TrackFloatingCloseButton();
                return true;
            }
            if (Message.WParam == HTCAPTION && !IsCustomizing()) {
                StartMove(ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))));
                return true;
            }
            return false;
        case WM_NCLBUTTONDBLCLK:
            if (Message.WParam != HTCAPTION || IsCustomizing()) return false;
            ToggleDocking();
            return true;
        default: return false;
    }
}

void TubBarControl::PressFloating() {
    TubBarManager* m = BarManager();
    if (!IsFloating() || m == nullptr || m->GetHideFloatingBarsWhenInactive() || m->Form() == nullptr) return;
    if (m->Form()->HandleAllocated()) SetActiveWindow(m->Form()->GetHandle());
}

}  // namespace zel
