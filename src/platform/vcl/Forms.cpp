#include "platform/vcl/Forms.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/HelpIntfs.h"
#include "platform/win/SysInfo.h"
#include "platform/win/SystemMenu.h"

namespace zel {

TScreen* Screen = new TScreen(nullptr);
TApplication* Application = new TApplication(nullptr);

// ------------------------------------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner) {
    InitVisible(false);
    left_ = 0;
    top_ = 0;
    width_ = 320;
    height_ = 240;
    formState_.Include(fsCreating);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() { Screen->RemoveForm(this); }

void TCustomForm::AfterConstruction() {
    TCustomControl::AfterConstruction();
    if (const TFormResource* resource = FormResource()) ReadFormResource(*this, *resource);
    formState_.Exclude(fsCreating);
    DoCreate();
    // A multiple-document child is always shown when it is made.
    if (GetVisible() || formStyle_ == fsMDIChild) {
        InitVisible(false);
        SetVisible(true);
    }
}

void TCustomForm::BeforeDestruction() {
    // Once, even when an owner going away has already marked the form as being destroyed.
    if (!destroyFired_) {
        destroyFired_ = true;
        DoDestroy();
    }
    if (Screen->ActiveForm() == this) Screen->SetActiveForm(nullptr);
    TCustomControl::BeforeDestruction();
}

void TCustomForm::DefineBindings(TFormBindings& /*Bindings*/) {}

const TFormResource* TCustomForm::FormResource() const { return FindFormResourceByClass(ClassName()); }

void TCustomForm::Loaded() {
    TCustomControl::Loaded();
    HandleNeeded();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN;
    Params.ExStyle = 0;
    Params.WndParent = nullptr;
    switch (borderStyle_) {
        case bsNone: Params.Style |= WS_POPUP; break;
        case bsSingle: Params.Style |= WS_CAPTION | WS_BORDER; break;
        case bsSizeable: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
        case bsDialog:
            Params.Style |= WS_POPUP | WS_CAPTION | WS_DLGFRAME;
            Params.ExStyle |= WS_EX_DLGMODALFRAME;
            break;
        case bsToolWindow:
            Params.Style |= WS_CAPTION | WS_BORDER;
            Params.ExStyle |= WS_EX_TOOLWINDOW;
            break;
        case bsSizeToolWin:
            Params.Style |= WS_CAPTION | WS_THICKFRAME;
            Params.ExStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        Params.Style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
            if (borderIcons_.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (!GetEnabled()) Params.Style |= WS_DISABLED;
    if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    if (alphaBlend_ || transparentColor_) Params.ExStyle |= WS_EX_LAYERED;
    if (popupMode_ == pmExplicit && popupParent_ != nullptr && popupParent_ != this) {
        Params.WndParent = popupParent_->GetHandle();
    } else if (popupMode_ == pmAuto) {
        TCustomForm* active = Screen->ActiveForm();
        if (active != nullptr && active != this && active->HandleAllocated()) Params.WndParent = active->GetHandle();
    }
    if (formStyle_ == fsMDIChild) {
        TCustomForm* main = Application->MainForm;
        if (main == nullptr || main == this || main->GetFormStyle() != fsMDIForm)
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        main->HandleNeeded();
        Params.Style = (Params.Style & ~(WS_POPUP | WS_DISABLED)) | WS_CHILD | WS_CLIPSIBLINGS;
        Params.ExStyle |= WS_EX_MDICHILD;
        Params.WndParent = main->ClientHandle();
        // A child placed by default takes the next place of the client's cascade when its first window is made;
        // a window made again for it stays where the child is.
        if ((Position == poDefault || Position == poDefaultPosOnly) && !formState_.Contains(fsCreatedMDIChild)) {
            Params.X = CW_USEDEFAULT;
            Params.Y = CW_USEDEFAULT;
        }
    }
    Params.WinClassName = ClassName();
}

HICON ProgramIcon() {
    // A keyboard of five white keys with four black ones, on a dark frame.
    static const HICON icon = [] {
        constexpr int n = 16;
        std::vector<std::uint32_t> pixels(n * n, 0x00000000u);
        const auto put = [&](int x, int y, std::uint32_t c) { pixels[static_cast<std::size_t>(y * n + x)] = c; };
        for (int y = 3; y <= 12; ++y)
            for (int x = 0; x < n; ++x) put(x, y, 0xFF203040u);
        for (int key = 0; key < 5; ++key)
            for (int y = 4; y <= 11; ++y)
                for (int x = 1 + key * 3; x <= 2 + key * 3; ++x) put(x, y, 0xFFFFFFFFu);
        for (int key = 0; key < 4; ++key)
            for (int y = 4; y <= 8; ++y) put(3 + key * 3, y, 0xFF000000u);
        return CreateIconFromPixels(n, n, pixels.data());
    }();
    return icon;
}

void TCustomForm::CreateWnd() {
    TCustomControl::CreateWnd();
    // Every form shows the program's icon (a multiple-document child's on the menu bar when maximised).
    const auto icon = reinterpret_cast<LPARAM>(ProgramIcon());
    if (SendMessage(GetHandle(), WM_GETICON, ICON_SMALL, 0) == 0)
        SendMessage(GetHandle(), WM_SETICON, ICON_SMALL, icon);
    if (SendMessage(GetHandle(), WM_GETICON, ICON_BIG, 0) == 0) SendMessage(GetHandle(), WM_SETICON, ICON_BIG, icon);
    ApplyLayered();
    if (formStyle_ == fsMDIForm && clientHandle_ == nullptr) {
        RegisterStandardClasses();
        RECT r;
        ::zel::GetClientRect(GetHandle(), &r);
        clientHandle_ = CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                       r.right, r.bottom, GetHandle(), nullptr, nullptr, nullptr);
    }
    if (formStyle_ == fsMDIChild) {
        formState_.Include(fsCreatedMDIChild);
        if (HWND client = ::zel::GetParent(GetHandle()))
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetHandle()), 0);
    }
}

void TCustomForm::ApplyLayered() {
    if (!HandleAllocated()) return;
    const LONG_PTR ex = GetWindowLongPtr(GetHandle(), GWL_EXSTYLE);
    if (alphaBlend_ || transparentColor_) {
        SetWindowLongPtr(GetHandle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
        DWORD flags = 0;
        if (alphaBlend_) flags |= LWA_ALPHA;
        if (transparentColor_) flags |= LWA_COLORKEY;
        SetLayeredWindowAttributes(GetHandle(), ColorToRGB(transparentColorValue_), alphaBlendValue_, flags);
    } else if ((ex & WS_EX_LAYERED) != 0) {
        SetWindowLongPtr(GetHandle(), GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    }
}

void TCustomForm::SetAlphaBlend(bool Value) {
    if (alphaBlend_ == Value) return;
    alphaBlend_ = Value;
    ApplyLayered();
}

void TCustomForm::SetAlphaBlendValue(BYTE Value) {
    if (alphaBlendValue_ == Value) return;
    alphaBlendValue_ = Value;
    ApplyLayered();
}

void TCustomForm::SetTransparentColor(bool Value) {
    if (transparentColor_ == Value) return;
    transparentColor_ = Value;
    ApplyLayered();
}

void TCustomForm::SetTransparentColorValue(TColor Value) {
    if (transparentColorValue_ == Value) return;
    transparentColorValue_ = Value;
    ApplyLayered();
}

void TCustomForm::SetPopupMode(TPopupMode Value) {
    if (popupMode_ == Value) return;
    popupMode_ = Value;
    if (HandleAllocated() && !ComponentState().Contains(csDestroying)) RecreateWnd();
}

void TCustomForm::SetPopupParent(TCustomForm* Value) {
    if (popupParent_ == Value) return;
    if (popupParent_ != nullptr) popupParent_->RemoveFreeNotification(this);
    popupParent_ = Value;
    if (Value != nullptr) {
        Value->FreeNotification(this);
        popupMode_ = pmExplicit;
    }
    if (HandleAllocated() && !ComponentState().Contains(csDestroying)) RecreateWnd();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupParent_) popupParent_ = nullptr;
}

void TCustomForm::DestroyWnd() {
    // The window goes away unheard (its messages no longer reach the form): an active form stops being
    // active with it, so that a window made anew for it is activated as a fresh one.
    if (active_ && !ComponentState().Contains(csDestroying)) {
        active_ = false;
        Deactivate();
    }
    if (clientHandle_ != nullptr) {
        DestroyWindow(clientHandle_);
        clientHandle_ = nullptr;
    }
    TCustomControl::DestroyWnd();
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
    TCustomControl::AlignControls(AControl, Rect);
    // The MDI client window fills what the aligned controls leave.
    if (clientHandle_ != nullptr)
        SetWindowPos(clientHandle_, HWND_BOTTOM, Rect.left, Rect.top, Rect.Width(), Rect.Height(), SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TBorderStyle Value) {
    if (Value == borderStyle_) return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (Value == borderIcons_) return;
    borderIcons_ = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (Value == formStyle_) return;
    formStyle_ = Value;
    RecreateWnd();
}

TWindowState TCustomForm::GetWindowState() const {
    if (HandleAllocated()) {
        HWND h = const_cast<TCustomForm*>(this)->GetHandle();
        if (IsIconic(h)) return wsMinimized;
        if (IsZoomed(h)) return wsMaximized;
        return wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState Value) {
    windowState_ = Value;
    if (HandleAllocated() && GetVisible())
        ShowWindow(GetHandle(), Value == wsMinimized ? SW_MINIMIZE : Value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::PlaceOnShow() {
    TCustomForm* around = nullptr;
    switch (Position) {
        case poScreenCenter:
        case poDesktopCenter:
            SetBounds((GetSystemMetrics(SM_CXSCREEN) - GetWidth()) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - GetHeight()) / 2, GetWidth(), GetHeight());
            return;
        case poMainFormCenter: around = Application->MainForm; break;
        case poOwnerFormCenter: around = dynamic_cast<TCustomForm*>(GetOwner()); break;
        default: return;
    }
    if (around == nullptr || around == this) {
        SetBounds((GetSystemMetrics(SM_CXSCREEN) - GetWidth()) / 2, (GetSystemMetrics(SM_CYSCREEN) - GetHeight()) / 2,
                  GetWidth(), GetHeight());
        return;
    }
    SetBounds(around->GetLeft() + (around->GetWidth() - GetWidth()) / 2,
              around->GetTop() + (around->GetHeight() - GetHeight()) / 2, GetWidth(), GetHeight());
}

bool TCustomForm::Showing() const {
    return HandleAllocated() && IsWindowVisible(const_cast<TCustomForm*>(this)->GetHandle());
}

void TCustomForm::SetVisible(bool Value) {
    if (Value == GetVisible()) return;
    if (formState_.Contains(fsCreating) || ComponentState().Contains(csLoading)) {
        InitVisible(Value);
        return;
    }
    ChangeShowing([&] { ShowOrHide(Value); });
}

void TCustomForm::ShowOrHide(bool Value) {
    if (Value) {
        HandleNeeded();
        formState_.Include(fsShowing);
        {
            TScopeExit showing([&] { formState_.Exclude(fsShowing); });
            DoShow();
        }
        InitVisible(true);
        formState_.Include(fsVisible);
        PlaceOnShow();
        int cmd = windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
                  : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                : SW_SHOWNORMAL;
        ShowWindow(GetHandle(), cmd);
        if (formStyle_ == fsMDIChild)
            if (HWND client = ::zel::GetParent(GetHandle()))
                SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetHandle()), 0);
    } else {
        DoHide();
        InitVisible(false);
        formState_.Exclude(fsVisible);
        if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
    }
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
}

void TCustomForm::Show() {
    SetVisible(true);
    if (HandleAllocated() && formStyle_ != fsMDIChild) {
        BringWindowToTop(GetHandle());
        if (GetActiveWindow() != GetHandle() && IsWindowEnabled(GetHandle())) SetActiveWindow(GetHandle());
    }
}

int TCustomForm::ShowModal() {
    if (GetVisible() || !GetEnabled() || formState_.Contains(fsModal) || formStyle_ == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    CancelModeForModalLoop();
    formState_.Include(fsModal);
    ++Application->ModalLevel;
    HWND activeBefore = GetActiveWindow();
    // Every other enabled, visible form is disabled while this one is up.
    std::vector<HWND> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f == this || !f->HandleAllocated() || f->GetFormStyle() == fsMDIChild) continue;
        HWND h = f->GetHandle();
        if (IsWindowVisible(h) && IsWindowEnabled(h)) {
            EnableWindow(h, FALSE);
            disabled.push_back(h);
        }
    }
    TScopeExit restore([&] {
        for (HWND h : disabled)
            if (IsWindow(h)) EnableWindow(h, TRUE);
        if (activeBefore != nullptr && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
        formState_.Exclude(fsModal);
        --Application->ModalLevel;
    });
    ModalResult = mrNone;
    Show();
    {
        TScopeExit hide([&] {
            if (GetVisible()) SetVisible(false);
        });
        do {
            Application->HandleMessage();
            if (Application->Terminated()) ModalResult = mrCancel;
            else if (ModalResult != mrNone) CloseModal();
        } while (ModalResult == mrNone);
    }
    return ModalResult;
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    switch (action) {
        case caNone: ModalResult = mrNone; break;
        case caFree: Release(); break;
        default: break;
    }
}

bool TCustomForm::CloseQuery() {
    if (formStyle_ == fsMDIForm) {
        for (int i = 0; i < MDIChildCount(); ++i)
            if (!MDIChildren(i)->CloseQuery()) return false;
    }
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (formState_.Contains(fsModal)) {
        ModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = formStyle_ == fsMDIChild ? (borderIcons_.Contains(biMinimize) ? caMinimize : caNone) : caHide;
    DoClose(action);
    switch (action) {
        case caHide: Hide(); break;
        case caMinimize: SetWindowState(wsMinimized); break;
        case caFree: Release(); break;
        default: break;
    }
    if (action != caNone && Application->MainForm == this) Application->Terminate();
}

void TCustomForm::Release() {
    if (HandleAllocated()) PostMessage(GetHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control == activeControl_) return;
    if (Control != nullptr && (Control == this || ::zel::GetParentForm(Control) != this))
        throw EInvalidOperation("Invalid property value");
    activeControl_ = Control;
    if (Control != nullptr && active_ && Control->CanFocus() && Control->HandleAllocated())
        ::zel::SetFocus(Control->GetHandle());
    if (Screen->ActiveForm() == this && Screen->OnActiveControlChange) Screen->OnActiveControlChange(Screen);
}

namespace {

void InitiateClientActions(TWinControl* Container) {
    for (int i = 0; i < Container->ControlCount(); ++i) {
        TControl* c = Container->Controls(i);
        if (!c->GetVisible()) continue;
        if (c->ControlStyle.Contains(csActionClient)) c->InitiateAction();
        if (auto* w = dynamic_cast<TWinControl*>(c)) InitiateClientActions(w);
    }
}

}  // namespace

void TCustomForm::UpdateActions() {
    if (ComponentState().Contains(csDesigning)) return;
    InitiateAction();
    InitiateClientActions(this);
}

void TCustomForm::SetActiveControlFromFocus(TWinControl* Control) {
    if (Control == activeControl_) return;
    activeControl_ = Control;
    if (Screen->ActiveForm() == this && Screen->OnActiveControlChange) Screen->OnActiveControlChange(Screen);
}

void TCustomForm::ControlLeaving(TControl* AControl) {
    bool focused = false;
    for (const TControl* c = activeControl_; c != nullptr && !focused; c = c->GetParent()) focused = c == AControl;
    if (!focused) return;
    activeControl_ = nullptr;
    if (active_ && HandleAllocated()) ::zel::SetFocus(GetHandle());
    if (Screen->ActiveForm() == this && Screen->OnActiveControlChange) Screen->OnActiveControlChange(Screen);
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (Control == nullptr) return;
    if (!Control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    activeControl_ = Control;
    ::zel::SetFocus(Control->GetHandle());
}

void TCustomForm::SetFocus() {
    if (!GetVisible() || !GetEnabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    SetActiveWindow(GetHandle());
}

// ---- stored places

void TCustomForm::SetStoredBounds(long long ALeft, long long ATop, long long AWidth, long long AHeight) {
    const HWND h = GetHandle();
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    RECT shown = work;
    if (formStyle_ == fsMDIChild && ::zel::GetParent(h) != nullptr) {
        // A child placed partly outside the client gives it scroll bars: their room is not on view either.
        const HWND client = ::zel::GetParent(h);
        ::zel::GetClientRect(client, &shown);
        const LONG_PTR bars = GetWindowLongPtr(client, GWL_STYLE);
        if (!(bars & WS_VSCROLL)) shown.right -= GetSystemMetrics(SM_CXVSCROLL);
        if (!(bars & WS_HSCROLL)) shown.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    }
    MINMAXINFO mmi;
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{0x7FFF, 0x7FFF};
    SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    const long long frameX = std::max(0, GetWidth() - ClientWidth());
    const long long frameY = std::max(0, GetHeight() - ClientHeight());
    const auto fit = [](long long value, long long low, long long high) {
        return std::clamp(value, low, std::max(low, high));
    };
    const long long width =
        fit(AWidth, mmi.ptMinTrackSize.x, std::min<long long>(mmi.ptMaxTrackSize.x, work.right - work.left + frameX));
    const long long height =
        fit(AHeight, mmi.ptMinTrackSize.y, std::min<long long>(mmi.ptMaxTrackSize.y, work.bottom - work.top + frameY));
    // A caption's height of the window stays on the area: its caption can be taken to move it back.
    const long long caption = GetSystemMetrics(SM_CYCAPTION) + frameY / 2;
    const long long left = fit(ALeft, shown.left - width + caption, shown.right - caption);
    const long long top = fit(ATop, shown.top, shown.bottom - caption);
    SetBounds(static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height));
}

// ---- multiple documents

// The forms among the client window's children, top first. The list is made again only when the children
// or the windows' bindings to their controls changed since, so that a walk over the children by index
// costs one pass.
const std::vector<TCustomForm*>& TCustomForm::MDIChildList() const {
    if (clientHandle_ == nullptr) {
        mdiChildren_.clear();
        return mdiChildren_;
    }
    const std::uint64_t children = ChildWindowsVersion(clientHandle_);
    const std::uint64_t bindings = TWinControl::BindingsVersion();
    if (children == mdiChildrenVersion_ && bindings == mdiBindingsVersion_) return mdiChildren_;
    mdiChildren_.clear();
    for (HWND h = GetWindow(clientHandle_, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (auto* f = dynamic_cast<TCustomForm*>(TWinControl::FindControl(h))) mdiChildren_.push_back(f);
    mdiChildrenVersion_ = children;
    mdiBindingsVersion_ = bindings;
    return mdiChildren_;
}

int TCustomForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::MDIChildren(int Index) const {
    const std::vector<TCustomForm*>& list = MDIChildList();
    if (Index >= 0 && static_cast<std::size_t>(Index) < list.size()) return list[static_cast<std::size_t>(Index)];
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (clientHandle_ == nullptr) return nullptr;
    HWND h = reinterpret_cast<HWND>(SendMessage(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(TWinControl::FindControl(h));
}

void TCustomForm::ClientWindowMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (clientHandle_ != nullptr) SendMessage(clientHandle_, msg, wp, lp);
}

void TCustomForm::Cascade() { ClientWindowMessage(WM_MDICASCADE, 0, 0); }
void TCustomForm::Tile() { ClientWindowMessage(WM_MDITILE, 0, 0); }
void TCustomForm::ArrangeIcons() { ClientWindowMessage(WM_MDIICONARRANGE, 0, 0); }
void TCustomForm::Next() { ClientWindowMessage(WM_MDINEXT, 0, 0); }
void TCustomForm::Previous() { ClientWindowMessage(WM_MDINEXT, 0, 1); }

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CLOSE: Close(); return;
        case WM_HELP: WMHelp(Message); return;
        case WM_ACTIVATE:
            DefaultHandler(Message);
            if (LOWORD(Message.WParam) != WA_INACTIVE) {
                // Activated again while active: nothing changes for the form.
                if (active_) return;
                active_ = true;
                Screen->SetActiveForm(this);
                if (activeControl_ != nullptr && activeControl_->CanFocus()) {
                    ::zel::SetFocus(activeControl_->GetHandle());
                } else if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
                    first->SetFocus();
                }
                Invalidate();
                // Sent, not called, so that a thread hook can hold the form's activation back.
                SendMessage(GetHandle(), CM_ACTIVATE, 0, 0);
            } else {
                if (!active_) return;
                active_ = false;
                SendMessage(GetHandle(), CM_DEACTIVATE, 0, 0);
            }
            return;
        case CM_ACTIVATE: Activate(); return;
        case CM_DEACTIVATE: Deactivate(); return;
        case WM_NCACTIVATE:
            DefaultHandler(Message);
            // The active child's caption follows the frame's.
            if (formStyle_ == fsMDIForm)
                if (TCustomForm* child = ActiveMDIChild())
                    SendMessage(child->GetHandle(), WM_NCACTIVATE, Message.WParam, Message.LParam);
            return;
        case WM_MDIACTIVATE:
            DefaultHandler(Message);
            if (reinterpret_cast<HWND>(Message.LParam) == GetHandle()) {
                Screen->SetActiveForm(this);
                Activate();
            } else if (reinterpret_cast<HWND>(Message.WParam) == GetHandle()) {
                Deactivate();
            }
            return;
        case WM_NCLBUTTONDOWN:
            // A press on the frame of a multiple-document child (its caption, a border) activates it before
            // a move or a size begins, as a press inside it does.
            if (formStyle_ == fsMDIChild) NotePress();
            DefaultHandler(Message);
            return;
        case WM_MOUSEACTIVATE:
            DefaultHandler(Message);
            // A click inside a multiple-document child makes it the active one.
            if (formStyle_ == fsMDIChild && HandleAllocated())
                if (HWND client = ::zel::GetParent(GetHandle()))
                    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetHandle()), 0);
            return;
        case WM_SIZE: {
            const bool wasMinimized = minimized_;
            minimized_ = Message.WParam == SIZE_MINIMIZED;
            TCustomControl::Dispatch(Message);
            // Back from its caption bar at the bounds it kept: its controls are laid out in the room they have.
            if (wasMinimized && !minimized_) Realign();
            // The active child minimised hands the activation to the top child that is not.
            if (formStyle_ == fsMDIChild && Message.WParam == SIZE_MINIMIZED && HandleAllocated())
                if (HWND client = ::zel::GetParent(GetHandle());
                    client != nullptr &&
                    reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)) == GetHandle())
                    for (HWND h = GetWindow(client, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
                        if (h != GetHandle() && IsWindowVisible(h) && !IsIconic(h)) {
                            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
                            break;
                        }
            return;
        }
        case CM_CANCELMODE:
            if (activeControl_ != nullptr && reinterpret_cast<LPARAM>(activeControl_) != Message.LParam)
                activeControl_->Perform(CM_CANCELMODE, 0, Message.LParam);
            return;
        case CM_DIALOGKEY: {
            WORD key = static_cast<WORD>(Message.WParam);
            if (key == VK_TAB) {
                SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
                if (activeControl_ != nullptr && activeControl_->GetParent() != nullptr) {
                    if (TWinControl* next = activeControl_->GetParent()->FindNextControl(
                            activeControl_, key == VK_RIGHT || key == VK_DOWN, false, true)) {
                        next->SetFocus();
                    }
                }
                Message.Result = 1;
                return;
            }
            TCustomControl::Dispatch(Message);
            return;
        }
        default: TCustomControl::Dispatch(Message);
    }
}

// F1 on a window of this form: the context of the control the request is for, else of its nearest parent
// that has one (this form included); a window that is not one of the controls gives the form's own.
void TCustomForm::WMHelp(TMessage& Message) {
    Message.Result = 1;
    const auto* info = reinterpret_cast<const HELPINFO*>(Message.LParam);
    if (info == nullptr) return;
    int context = static_cast<int>(info->dwContextId);
    if (info->iContextType == HELPINFO_WINDOW) {
        context = HelpContext;
        if (TControl* control = TWinControl::FindControl(info->hItemHandle)) {
            while (control != nullptr && control->HelpContext == 0) control = control->GetParent();
            context = control != nullptr ? control->HelpContext : 0;
        }
    }
    if (context != 0) Application->HelpContext(context);
}

// ------------------------------------------------------------------------------------------- TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    SetApplicationExceptionHandler([](const std::exception& e) {
        if (Application != nullptr) Application->HandleException(e);
    });
}

TApplication::~TApplication() {
    if (handle_ != nullptr) DeallocateHWnd(handle_);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == MainForm) MainForm = nullptr;
}

HWND TApplication::Handle() {
    if (handle_ == nullptr)
        handle_ = AllocateHWnd([this](TMessage& m) { m.Result = DefWindowProc(handle_, m.Msg, m.WParam, m.LParam); });
    return handle_;
}

bool TApplication::ProcessMessage(MSG& Msg) {
    if (!PeekMessage(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    try {
        if (OnMessage) OnMessage(Msg, handled);
    } catch (const std::exception& e) {
        HandleException(e);
        handled = true;
    }
    if (!handled) {
        TranslateMessage(&Msg);
        DispatchMessage(&Msg);
    }
    return true;
}

void TApplication::Idle() {
    bool done = true;
    try {
        CheckMouseControlAtIdle();
        if (OnIdle) OnIdle(this, done);
        if (done) UpdateActions();
    } catch (const std::exception& e) {
        HandleException(e);
    }
    if (done && !terminated_) WaitMessage();
}

void TApplication::UpdateActions() {
    if (Screen == nullptr) return;
    // A form may go while its actions update: the list is walked by index against its current length.
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (f->HandleAllocated() && IsWindowVisible(f->Handle()) && IsWindowEnabled(f->Handle())) f->UpdateActions();
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Run() {
    terminated_ = false;
    if (MainForm != nullptr && !MainForm->GetVisible()) MainForm->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException(const std::exception& E) {
    if (dynamic_cast<const EAbort*>(&E) != nullptr) return;
    if (OnException) {
        OnException(this, E);
        return;
    }
    ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
    std::string msg = E.what();
    // A sentence gets its full stop, as the original's exception boxes show it.
    if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
    MessageBox(msg, Title, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
    return ShowMessageBox(Text, Caption, Flags);
}

bool TApplication::HelpContext(int Context) {
    LastHelpContext = Context;
    bool callHelp = true;
    bool result = false;
    if (OnHelp) result = OnHelp(HELP_CONTEXT, Context, callHelp);
    if (callHelp && GetHelpSystem()->ShowContextHelp(Context, CurrentHelpFile())) result = true;
    return result;
}

// ---------------------------------------------------------------------------------------------- TScreen

TFont* TScreen::HintFont() {
    if (hintFont_ != nullptr) return hintFont_;
    hintFont_ = new TFont;
    NONCLIENTMETRICS metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        hintFont_->SetName(metrics.lfStatusFont.lfFaceName);
        hintFont_->SetHeight(metrics.lfStatusFont.lfHeight);
        hintFont_->SetCharset(metrics.lfStatusFont.lfCharSet);
    }
    hintFont_->SetColor(clInfoText);
    return hintFont_;
}

TScreen::~TScreen() { delete hintFont_; }

void TScreen::AddForm(TCustomForm* Form) { forms_.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
    if (activeForm_ == Form) {
        activeForm_ = nullptr;
        if (OnActiveFormChange) OnActiveFormChange(this);
    }
}

void TScreen::SetActiveForm(TCustomForm* Form) {
    if (Form == activeForm_) return;
    activeForm_ = Form;
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetCursor(TCursor Value) {
    cursor_ = Value;
    ::zel::SetCursor(CursorHandle(Value == crDefault ? crArrow : Value));
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace zel
