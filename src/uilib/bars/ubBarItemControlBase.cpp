#include "uilib/bars/ubBarItemControlBase.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/ScopeExit.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarHooks.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiClasses.h"

namespace zel {

bool InBarMouseHook = false;

bool CallBarKeyboardHook(WPARAM Key, LPARAM KeyData, bool FromWindowControl) {
    // The edit window kept the Alt key-down for itself: the hook learns of it here.
    if (FromWindowControl && Key == VK_MENU) AltPressedAlone = true;
    const bool saved = DirectKeyCall;
    DirectKeyCall = true;
    TScopeExit restore([saved] { DirectKeyCall = saved; });
    return BarKeyboardHookProc(HC_ACTION, Key, KeyData) != 0;
}

namespace {

struct TControlClassRecord {
    TClass ControlClass;
    TubBarItemControlFactory Factory;
};

std::vector<TControlClassRecord>& ControlClasses() {
    static std::vector<TControlClassRecord> records;
    return records;
}

TShiftState ShiftOfKeyData(LPARAM KeyData) {
    TShiftState shift = KeyboardStateToShiftState();
    if ((KeyData & 0x20000000) != 0) shift.Include(ssAlt);
    return shift;
}

}  // namespace

// ---- registry ------------------------------------------------------------------------------------------------

void RegisterItemControlClass(TClass AControlClass, TubBarItemControlFactory AFactory) {
    UnregisterItemControlClass(AControlClass);
    ControlClasses().push_back({AControlClass, AFactory});
}

void UnregisterItemControlClass(TClass AControlClass) {
    auto& records = ControlClasses();
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [&](const TControlClassRecord& r) { return r.ControlClass == AControlClass; }),
                  records.end());
}

TubBarItemControl* CreateItemControlFor(TubBarItemLink* ALink) {
    TubBarItem* item = ALink != nullptr ? ALink->GetItem() : nullptr;
    if (item == nullptr) return nullptr;
    TClass controlClass = nullptr;
    const std::string itemClass = item->ClassName();
    for (int i = 0; i < RegItemRecordCount(); ++i)
        if (const TRegItemRecord* r = RegItemRecord(i); r->ItemClass != nullptr && itemClass == r->ItemClass->Name) {
            controlClass = r->ItemControlClass;
            break;
        }
    if (controlClass == nullptr) return nullptr;
    for (const TControlClassRecord& r : ControlClasses()) {
        if (r.ControlClass != controlClass) continue;
        TubBarItemControl* control = r.Factory(ALink);
        // The inner window of a window control is made once the control is whole.
        if (auto* win = dynamic_cast<TubBarWinControl*>(control);
            win != nullptr && !(control->Parent != nullptr && control->Parent->IsToolbar() &&
                                control->Parent->ComponentState().Contains(csDestroying)))
            win->CreateWindow();
        return control;
    }
    return nullptr;
}

// ---- item control --------------------------------------------------------------------------------------------

TubBarItemControl::TubBarItemControl(TubBarItemLink* ALink) : Link(ALink) {
    if (ALink != nullptr && ALink->Links() != nullptr) Parent = ALink->Links()->BarControl;
}

TubBarItemControl::~TubBarItemControl() {
    TubBarManager* m = Manager();
    if (m != nullptr) m->ForgetSelectedControl(this);
    if (Link != nullptr && Link->Control == this) Link->Control = nullptr;
    if (Parent != nullptr && IsLiveBarControl(Parent)) {
        TubBarItemControl* successor = nullptr;
        const bool moves = m == nullptr || (!m->ComponentState().Contains(csDestroying) && !m->GetCustomizing());
        if (moves && Link != nullptr && Link->IsShown()) successor = Link->Control;
        Parent->ControlFreed(this, moves ? successor : nullptr);
    }
    ClearLinksToObject(this);
}

TClass TubBarItemControl::StaticClass() {
    static const TClassInfo info{"TubBarItemControl", nullptr};
    return &info;
}

TubBarManager* TubBarItemControl::Manager() const { return Link != nullptr ? Link->BarManager() : nullptr; }

TubBarItem* TubBarItemControl::Item() const { return Link != nullptr ? Link->GetItem() : nullptr; }

bool TubBarItemControl::OnToolbar() const { return Parent != nullptr && Parent->IsToolbar(); }

bool TubBarItemControl::OnSubMenu() const { return Parent != nullptr && Parent->IsSubMenu(); }

TRect TubBarItemControl::ItemRect() const {
    return Parent != nullptr ? Parent->GetItemRect(const_cast<TubBarItemControl*>(this)) : TRect{};
}

void TubBarItemControl::Changed() {
    if (Parent != nullptr) Parent->Rebuild();
}

void TubBarItemControl::CaptionChanged() {
    if (Item() != nullptr && Item()->GetAlign() == iaClient) Repaint();
    else Changed();
}

void TubBarItemControl::EnabledChanged() {
    if (!GetEnabled() && Parent != nullptr && Parent->SelectedControl() == this) Parent->SetSelected(nullptr);
    Repaint();
}

void TubBarItemControl::PressedChanged() {
    if (!pressed_) Repaint();
}

void TubBarItemControl::ItemChanged() {
    if (OnSubMenu()) Changed();
}

void TubBarItemControl::LinkVisibleChanged() { Changed(); }

bool TubBarItemControl::IsOwnManager() const {
    TubBarItem* item = Item();
    if (item == nullptr || Parent == nullptr) return false;
    TubBarManager* m = item->GetBarManager();
    return m == Parent->BarManager() || (m != nullptr && m->ComponentState().Contains(csAncestor));
}

bool TubBarItemControl::CanSelectInCustomizing() const {
    return Parent == nullptr || !Parent->IsCustomizing() || IsOwnManager();
}

void TubBarItemControl::Click(bool ByMouse) {
    if (!GetEnabled()) return;
    TCustomubBarControl* bar = Parent;
    TuiObjectLinkScope barAlive(bar);
    TuiObjectLinkScope selfAlive(this);
    PrepareClick(ByMouse);
    // The handler may have rebuilt or freed the bar window meanwhile.
    if (!barAlive.Alive() || !selfAlive.Alive() || bar == nullptr || !bar->HoldsControl(this)) return;
    ControlClick();
}

void TubBarItemControl::ControlActivate(bool /*Immediate*/) { active_ = true; }

void TubBarItemControl::ControlInactivate(bool /*Immediate*/) { active_ = false; }

void TubBarItemControl::ControlClick() {
    TubBarItem* item = Item();
    auto* button = dynamic_cast<TubBarButton*>(item);
    if (button != nullptr && OnSubMenu()) PlayBarSound(ubsMenuCommand);
    TubBarItemLink* noted = Link != nullptr ? Link->BaseLink() : nullptr;
    const bool fire = ClickFiresItem();
    const bool closes = ClickClosesMenus();
    if (closes) {
        try {
            if (noted != nullptr) noted->MarkUsed(true);
            if (Link != nullptr && Link != noted) Link->MarkUsed(true);
        } catch (const Exception&) {
            // Recording the use is a convenience; the click goes on.
        }
    }
    TuiObjectLinkScope selfAlive(this);
    const bool arm = (button == nullptr || button->UnclickAfterDoing) &&
                     (!closes || (Parent != nullptr && Parent->IsToolbar() && !Parent->IsSubMenu()));
    if (arm) SetPressed(true);
    if (closes) {
        if (Parent != nullptr) Parent->CloseAll();
    } else if (noted == nullptr) noted = Link;
    if (fire && item != nullptr) {
        TuiObjectLinkScope itemAlive(item);
        item->ClickItemLink = noted;
        item->Click();
        if (itemAlive.Alive()) item->ClickItemLink = nullptr;
    }
    if (arm && selfAlive.Alive()) SetPressed(false);
}

bool TubBarItemControl::DrawSelected() const {
    return Parent != nullptr && Parent->SelectedControl() == this && (GetEnabled() || !DisabledNotSelected);
}

TubBarItemPaintState TubBarItemControl::CalcDrawingParams() const {
    TubBarItemPaintState s;
    TubBar* bar = Parent != nullptr ? Parent->Bar() : nullptr;
    s.Bar = OnSubMenu() ? bwkSubMenu : bar != nullptr && bar->GetIsMainMenu() ? bwkMainMenu : bwkToolbar;
    s.VerticalBar = IsVerticalBarControl(Parent);
    s.Hot = DrawSelected();
    s.Pressed = pressed_;
    s.Enabled = GetEnabled();
    s.Customizing = Parent != nullptr && Parent->IsCustomizing();
    s.HasGlyph = HasGlyph();
    s.Manager = Manager();
    return s;
}

std::string TubBarItemControl::GetCaption() const { return Link != nullptr ? Link->Caption() : std::string(); }

bool TubBarItemControl::GetEnabled() const { return Item() != nullptr && Item()->GetEnabled(); }

TBitmap* TubBarItemControl::GetGlyph() const { return Link != nullptr ? Link->Glyph() : nullptr; }

int TubBarItemControl::GetImageIndex() const { return Item() != nullptr ? Item()->GetImageIndex() : -1; }

TCustomImageList* TubBarItemControl::GetImages(bool Large) const {
    TubBarManager* m = Manager();
    if (m == nullptr) return nullptr;
    const bool large = Large && m->GetLargeIcons() && m->GetUseLargeImagesForLargeIcons();
    if (!GetEnabled())
        if (TCustomImageList* disabled = m->GetImageList(large ? ilkDisabledLargeImages : ilkDisabledImages))
            return disabled;
    return m->GetImageList(large ? ilkLargeImages : ilkImages);
}

std::string TubBarItemControl::GetHint() const { return Item() != nullptr ? Item()->Hint : std::string(); }

TCustomImageList* TubBarItemControl::GetHotImages() const {
    return Manager() != nullptr ? Manager()->GetImageList(ilkHotImages) : nullptr;
}

bool TubBarItemControl::UseDisabledImages() const {
    if (GetEnabled()) return true;
    if (Manager() == nullptr || Manager()->GetImageList(ilkDisabledImages) == nullptr) return false;
    TBitmap* glyph = GetGlyph();
    return glyph == nullptr || glyph->Empty();
}

TCustomImageList* TubBarItemControl::GetDisabledLargeImages() const {
    TubBarManager* m = Manager();
    if (m == nullptr) return nullptr;
    if (!GetEnabled() && m->GetImageList(ilkDisabledLargeImages) != nullptr)
        return m->GetImageList(ilkDisabledLargeImages);
    return m->GetImageList(ilkLargeImages);
}

TubBarPainterClass TubBarItemControl::Painter() const { return BarPainterOf(Manager()); }

TShortCut TubBarItemControl::GetShortCut() const { return Item() != nullptr ? Item()->GetShortCut() : 0; }

int TubBarItemControl::GetMenuGlyphIndent() const {
    return Painter()->GetMenuGlyphIndent(Parent != nullptr ? Parent->LineHeight() : 0, OnSubMenu());
}

bool TubBarItemControl::HasHint() const { return !GetHint().empty() && OnToolbar(); }

bool TubBarItemControl::BarHasFrameForControl() const { return !OnSubMenu() && Painter()->BarHasFrameForControl(); }

void TubBarItemControl::Repaint() {
    if (Parent == nullptr || Parent->IsLocked()) return;
    TCustomubBarControl* bar = Parent;
    TScopeExit reset([bar] { bar->PaintingSingleControl = false; });
    Parent->PaintingSingleControl = true;
    Parent->PaintControl(this);
}

int TubBarItemControl::LayoutHeight() const {
    if (Item() != nullptr && Item()->GetAlign() == iaClient && IsVerticalBarControl(Parent))
        return IsRotatedBarControl(Parent) ? GetMinWidth() : GetMinHeight();
    return GetHeight();
}

int TubBarItemControl::LayoutWidth() const {
    if (Item() != nullptr && Item()->GetAlign() == iaClient && !IsVerticalBarControl(Parent)) return GetMinWidth();
    return GetWidth();
}

bool TubBarItemControl::HasGlyph() const {
    TBitmap* glyph = GetGlyph();
    return (glyph != nullptr && !glyph->Empty()) || HasImage();
}

bool TubBarItemControl::HasImage() const {
    TCustomImageList* images = GetImages(false);
    const int index = GetImageIndex();
    return images != nullptr && index >= 0 && index < images->Count();
}

bool TubBarItemControl::IsPressedByMouse() const {
    if (Parent == nullptr || !Parent->HandleAllocated() || !GetEnabled()) return false;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Parent->GetHandle(), &p);
    const TRect r = ItemRect();
    if (!PtInRect(&r, p)) return false;
    if (InBarMouseHook) return IsPrimaryButtonDown();
    return GetKeyState(VK_LBUTTON) < 0;
}

void TubBarItemControl::SetPressed(bool Value) {
    if (pressed_ == Value) return;
    pressed_ = Value;
    PressedChanged();
}

std::string TubBarItemControl::GetShortCutText() const {
    const TShortCut shortCut = GetShortCut();
    return shortCut != 0 ? ShortCutToText(shortCut) : std::string();
}

// ---- window control ------------------------------------------------------------------------------------------

TubBarWinControl::TubBarWinControl(TubBarItemLink* ALink) : TubBarItemControl(ALink) {}

TubBarWinControl::~TubBarWinControl() {
    if (!(Parent != nullptr && IsLiveBarControl(Parent) && Parent->IsToolbar() &&
          Parent->ComponentState().Contains(csDestroying)))
        TubBarWinControl::DestroyWindow();
}

TClass TubBarWinControl::StaticClass() {
    static const TClassInfo info{"TubBarWinControl", TubBarItemControl::StaticClass()};
    return &info;
}

TubBarWindowItem* TubBarWinControl::WindowItem() const { return dynamic_cast<TubBarWindowItem*>(Item()); }

bool TubBarWinControl::ShowsEditor() const { return WindowItem() == nullptr || !WindowItem()->HideEditor; }

void TubBarWinControl::EnabledChanged() {
    SetFocused(false);
    TubBarItemControl::EnabledChanged();
}

bool TubBarWinControl::ClickFiresItem() const { return IsRotatedBarControl(Parent); }

void TubBarWinControl::ControlInactivate(bool Immediate) {
    TubBarItemControl::ControlInactivate(Immediate);
    SetFocused(false);
}

void TubBarWinControl::PrepareClick(bool /*ByMouse*/) { SetFocused(true); }

void TubBarWinControl::CreateWindow() {
    if (Handle == nullptr || ObjectInstance != nullptr) return;
    ObjectInstance = MakeObjectInstance([this](TMessage& Message) { WndProc(Message); });
    PrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Handle, GWL_WNDPROC));
    SetWindowLongPtr(Handle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(ObjectInstance));
}

void TubBarWinControl::DestroyWindow() {
    SetFocused(false);
    if (Handle == nullptr) return;
    HWND window = Handle;
    if (PrevWndProc != nullptr) SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
    if (ObjectInstance != nullptr) FreeObjectInstance(ObjectInstance);
    ObjectInstance = nullptr;
    PrevWndProc = nullptr;
    Handle = nullptr;
    if (IsWindow(window)) ::zel::DestroyWindow(window);
}

std::string TubBarWinControl::GetText() const {
    if (Handle == nullptr) return std::string();
    // 255 characters with the terminating zero: longer texts read back cut to 254.
    char buffer[256] = {};
    const LRESULT n = SendMessage(Handle, WM_GETTEXT, 255, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<std::size_t>(std::clamp<LRESULT>(n, 0, 254)));
}

void TubBarWinControl::SetText(const std::string& Value) {
    if (Handle != nullptr) SetWindowText(Handle, Value.c_str());
    if (!ShowsEditor()) Repaint();
}

void TubBarWinControl::SetFocused(bool Value) {
    if (focused_ == Value || Handle == nullptr) return;
    TubBarManager* m = Manager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    if (Value) {
        focused_ = true;
        PrevFocus = GetFocus();
        if ((PrevFocus == nullptr || !IsWindowVisible(PrevFocus)) && form != nullptr && form->HandleAllocated())
            PrevFocus = form->GetHandle();
        if (Parent != nullptr)
            SendMessage(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(Parent->Font()->GetHandle()), 0);
        if (!GetActive()) ControlActivate(true);
        SetWindowPos(Handle, nullptr, WindowRect.left, WindowRect.top, WindowRect.Width(), WindowRect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Painter()->SetEditMargins(Handle);
        if (TubBarWindowItem* item = WindowItem()) {
            SettingText = true;
            TScopeExit reset([this] { SettingText = false; });
            SetText(item->GetText());
        }
        SetFocus(Handle);
        return;
    }
    focused_ = false;
    ShowWindow(Handle, SW_HIDE);
    if (m == nullptr || !m->ComponentState().Contains(csDestroying)) {
        if (PrevFocus != nullptr && IsWindow(PrevFocus) && IsWindowVisible(PrevFocus)) SetFocus(PrevFocus);
        else if (form != nullptr && form->HandleAllocated() && IsWindowVisible(form->GetHandle()))
            SetFocus(form->GetHandle());
        else if (Parent != nullptr && Parent->HandleAllocated())
            SetFocus(GetNextWindow(Parent->GetHandle(), GW_HWNDNEXT));
    }
    PrevFocus = nullptr;
    const bool escapeAlone = GetKeyState(VK_ESCAPE) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    if (m != nullptr && m->AlwaysSaveText && !escapeAlone)
        if (TubBarWindowItem* item = WindowItem()) item->SetText(GetText());
}

void TubBarWinControl::SetWindowRect(const TRect& R) {
    WindowRect = R;
    if (Handle == nullptr || !IsWindowVisible(Handle) || Parent == nullptr || !Parent->HandleAllocated()) return;
    TRect target = R;
    if (!ShowsEditor()) target.right = target.left;
    RECT current{};
    GetWindowRect(Handle, &current);
    MapWindowPoints(nullptr, Parent->GetHandle(), reinterpret_cast<POINT*>(&current), 2);
    if (EqualRect(&current, &target)) return;
    SetWindowPos(Handle, nullptr, target.left, target.top, target.Width(), target.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Painter()->SetEditMargins(Handle);
}

void TubBarWinControl::CallPrevWndProc(TMessage& Message) {
    if (PrevWndProc != nullptr)
        Message.Result = CallWindowProc(PrevWndProc, Handle, Message.Msg, Message.WParam, Message.LParam);
}

void TubBarWinControl::DropPendingChars() {
    MSG msg;
    while (Handle != nullptr && PeekMessage(&msg, Handle, WM_CHAR, WM_CHAR, PM_REMOVE)) {
    }
}

void TubBarWinControl::WndProc(TMessage& Message) {
    TuiObjectLinkScope selfAlive(this);
    TubBarWindowItem* item = WindowItem();
    switch (Message.Msg) {
        case WM_SETFOCUS:
            if (item != nullptr) CallNotifyEvent(item->OnEnter, item);
            break;
        case WM_KILLFOCUS: {
            TuiObjectLinkScope itemAlive(item);
            TCustomubBarControl* bar = Parent;
            const HWND gaining = reinterpret_cast<HWND>(Message.WParam);
            if (focused_) {
                CallPrevWndProc(Message);
                if (bar != nullptr) bar->CloseAll();
            } else if (bar != nullptr && bar->IsToolbar() &&
                       (gaining == nullptr || !bar->HandleAllocated() ||
                        (gaining != bar->GetHandle() && !IsChild(bar->GetHandle(), gaining)))) {
                CallPrevWndProc(Message);
                DropPendingChars();
                bar->CloseAll();
            } else CallPrevWndProc(Message);
            if (item != nullptr && itemAlive.Alive()) CallNotifyEvent(item->OnExit, item);
            return;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR: {
            if (item == nullptr) break;
            const TShiftState shift = ShiftOfKeyData(Message.LParam);
            if (Message.Msg == WM_CHAR) {
                char key = static_cast<char>(Message.WParam);
                if (item->OnKeyPress) item->OnKeyPress(item, key);
                if (!selfAlive.Alive()) return;
                if (key == 0) return;
                Message.WParam = static_cast<unsigned char>(key);
            } else {
                WORD key = static_cast<WORD>(Message.WParam);
                const TKeyEvent& event = Message.Msg == WM_KEYDOWN ? item->OnKeyDown : item->OnKeyUp;
                if (event) event(item, key, shift);
                if (!selfAlive.Alive()) return;
                if (key == 0) return;
                Message.WParam = key;
            }
            break;
        }
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: {
            if (Message.Msg == WM_SYSKEYDOWN) ++AltKeyCount;
            else if (AltKeyCount == 0) return;
            else --AltKeyCount;
            // While Alt (or a key pressed with it) is still down the edit handles the key as usual.
            if (AltKeyCount > 0 || Message.Msg == WM_SYSKEYDOWN) break;
            AltKeyCount = 0;
            if (Parent != nullptr) Parent->CloseAll();
            if (!selfAlive.Alive()) return;
            const bool shiftF10 = Message.WParam == VK_F10 && GetKeyState(VK_SHIFT) < 0;
            if (!shiftF10 && CallBarKeyboardHook(Message.WParam, Message.LParam, true)) return;
            break;
        }
        case WM_RBUTTONDOWN: {
            if (Parent == nullptr || !Parent->HandleAllocated()) return;
            POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
            MapWindowPoints(Handle, Parent->GetHandle(), &p, 1);
            SendMessage(Parent->GetHandle(), WM_RBUTTONDOWN, Message.WParam, MAKELPARAM(p.x, p.y));
            return;
        }
        default: break;
    }
    if (!selfAlive.Alive()) return;
    if (Message.Msg == WM_KEYDOWN && Parent != nullptr && Parent->HandleAllocated()) {
        switch (Message.WParam) {
            case VK_TAB:
                DropPendingChars();
                SendMessage(Parent->GetHandle(), WM_KEYDOWN, VK_TAB, Message.LParam);
                return;
            case VK_RETURN:
            case VK_ESCAPE:
                DropPendingChars();
                if (Message.WParam == VK_ESCAPE) SetFocused(false);
                else Parent->CloseAll();
                return;
            default: break;
        }
    }
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSEWHEEL && Parent != nullptr &&
        Parent->HandleAllocated() && Message.Msg != WM_MOUSEWHEEL) {
        POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        MapWindowPoints(Handle, Parent->GetHandle(), &p, 1);
        const TRect itemRect = ItemRect();
        if (GetCapture() != Handle && !PtInRect(&WindowRect, p) && PtInRect(&itemRect, p)) return;
    }
    if (Message.Msg == WM_DESTROY) {
        SetFocused(false);
        CallPrevWndProc(Message);
        if (PrevWndProc != nullptr) SetWindowLongPtr(Handle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
        if (ObjectInstance != nullptr) FreeObjectInstance(ObjectInstance);
        ObjectInstance = nullptr;
        PrevWndProc = nullptr;
        Handle = nullptr;
        return;
    }
    CallPrevWndProc(Message);
}

}  // namespace zel
