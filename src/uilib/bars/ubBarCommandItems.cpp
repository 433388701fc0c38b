#include "uilib/bars/ubBarCommandItems.h"

#include <algorithm>

#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiGraphics.h"

namespace zel {

namespace {

// Whether a link lies on a bar (a toolbar or the menu bar) rather than in a menu.
bool IsOnBar(const TubBarItemLink* link) {
    return link != nullptr && dynamic_cast<TubBar*>(link->Links()->Owner()) != nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------- TubBarButton

TClass TubBarButton::StaticClass() {
    static const TClassInfo info{"TubBarButton", TubBarItem::StaticClass()};
    return &info;
}

TubBarButton::TubBarButton(TComponent* AOwner) : TubBarItem(AOwner) {}

void TubBarButton::Notification(TComponent* AComponent, TOperation Operation) {
    TubBarItem::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TubBarButton::SetAllowAllUp(bool Value) {
    allowAllUp_ = Value;
    if (groupIndex_ == 0 || GetBarManager() == nullptr) return;
    for (int i = 0; i < GetBarManager()->ItemCount(); ++i)
        if (auto* b = dynamic_cast<TubBarButton*>(GetBarManager()->Items(i));
            b != nullptr && b->groupIndex_ == groupIndex_)
            b->allowAllUp_ = Value;
}

void TubBarButton::SetButtonStyle(TubBarButtonStyle Value) {
    if (Value == buttonStyle_) return;
    buttonStyle_ = Value;
    SetDown(false);
    if (!IsLoading()) Refresh();
    NotifyItemChanged();
}

void TubBarButton::SetDropDownEnabled(bool Value) {
    if (Value == dropDownEnabled_) return;
    dropDownEnabled_ = Value;
    if (!IsLoading()) Refresh();
}

void TubBarButton::SetGroupIndex(int Value) {
    if (Value == groupIndex_) return;
    groupIndex_ = buttonStyle_ == bsChecked ? Value : 0;
    SetDown(false);
}

void TubBarButton::SetDown(bool Value) {
    if (Value == down_ || (Value && buttonStyle_ != bsChecked)) return;
    TubBarButton* release = nullptr;
    if (!IsLoading() && buttonStyle_ == bsChecked && groupIndex_ != 0 && GetBarManager() != nullptr) {
        bool otherDown = false;
        for (int i = 0; i < GetBarManager()->ItemCount(); ++i) {
            auto* b = dynamic_cast<TubBarButton*>(GetBarManager()->Items(i));
            if (b == nullptr || b == this || b->buttonStyle_ != bsChecked || b->groupIndex_ != groupIndex_ || !b->down_)
                continue;
            otherDown = true;
            if (Value && release == nullptr) release = b;
        }
        if (!Value && !allowAllUp_ && !otherDown) return;
    }
    down_ = Value;
    if (IsLoading()) return;
    Refresh();
    if (release != nullptr) release->SetDown(false);
}

void TubBarButton::SetDropDownMenu(TubBarPopupMenu* Value) {
    if (Value == dropDownMenu_) return;
    dropDownMenu_ = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

TubBarItemLinks* TubBarButton::DropDownLinks() const {
    return dropDownMenu_ != nullptr ? dropDownMenu_->GetItemLinks() : nullptr;
}

void TubBarButton::SetLowered(bool Value) {
    if (Value == lowered_) return;
    lowered_ = Value;
    if (!IsLoading()) Relayout();
}

void TubBarButton::SetPaintStyle(TubBarPaintStyle Value) {
    if (Value == paintStyle_) return;
    paintStyle_ = Value;
    if (IsLoading()) return;
    for (int i = 0; i < LinkCount(); ++i)
        if (TubBarItemLink* link = Links(i); !link->GetUserDefine().Contains(udPaintStyle) && link->Control != nullptr)
            link->Control->Repaint();
}

void TubBarButton::Click() {
    if (GetEnabled() && buttonStyle_ == bsChecked) SetDown(!down_);
    TubBarItem::Click();
}

bool TubBarButton::IsAccelAvailable(const TubBarItemLink* ALink) const {
    if (!GetEnabled()) return false;
    if (!IsOnBar(ALink)) return true;
    const TubBarPaintStyle style = ALink->PaintStyle();
    return style == psCaption || style == psCaptionGlyph;
}

// ------------------------------------------------------------------------------------------ TubBarEdit

TClass TubBarEdit::StaticClass() {
    static const TClassInfo info{"TubBarEdit", TubBarWindowItem::StaticClass()};
    return &info;
}

void TubBarEdit::SetShowCaption(bool Value) {
    if (Value == showCaption_) return;
    showCaption_ = Value;
    if (!IsLoading()) Relayout();
}

void TubBarEdit::SetWidth(int Value) {
    Value = std::max(Value, 20);
    if (Value == width_) return;
    width_ = Value;
    if (IsLoading()) return;
    for (int i = 0; i < LinkCount(); ++i)
        if (TubBarItemLink* link = Links(i); !link->GetUserDefine().Contains(udWidth) && link->Control != nullptr)
            link->Control->Repaint();
}

bool TubBarEdit::IsAccelAvailable(const TubBarItemLink* ALink) const {
    return GetEnabled() && (showCaption_ || !IsOnBar(ALink));
}

// ----------------------------------------------------------------------------------- TCustomubBarCombo

TClass TCustomubBarCombo::StaticClass() {
    static const TClassInfo info{"TCustomubBarCombo", TubBarEdit::StaticClass()};
    return &info;
}

bool TCustomubBarCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
    bool accept = Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE;
    if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(this, Key, Shift, accept);
    return accept;
}

HWND TCustomubBarCombo::GetDropDownWindow() {
    HWND w = nullptr;
    if (OnGetDropDownWindow) OnGetDropDownWindow(this, w);
    return w;
}

void TCustomubBarCombo::CloseUp() {
    if (HWND w = GetDropDownWindow()) ShowWindow(w, SW_HIDE);
    if (OnCloseUp) OnCloseUp(this);
}

TPoint TCustomubBarCombo::PlaceDropDown(int X, int Y, int CW, int CH) const {
    const int w0 = ActiveLink != nullptr ? ActiveLink->ItemRect.right - ActiveLink->ItemRect.left : 0;
    const int h0 = ActiveLink != nullptr ? ActiveLink->ItemRect.bottom - ActiveLink->ItemRect.top : 0;
    const TRect area = WorkAreaAt(TPoint{X, Y});
    auto* bar = ActiveLink != nullptr ? dynamic_cast<TubBar*>(ActiveLink->Links()->Owner()) : nullptr;
    const bool vertical =
        bar == nullptr || bar->GetDockingStyle() == dsLeft || bar->GetDockingStyle() == dsRight;  // or a menu
    if (vertical) {
        if (X + CW > area.right && area.right - X < X - w0 - area.left) X = X - CW - w0;
        if (Y + CH > area.bottom) Y = area.bottom - CH;
    } else {
        if (X + CW > area.right) X = area.right - CW;
        if (Y + CH > area.bottom && area.bottom - Y < Y - h0 - area.top) Y = Y - (h0 + CH);
    }
    return TPoint{std::max(X, static_cast<int>(area.left)), std::max(Y, static_cast<int>(area.top))};
}

void TCustomubBarCombo::DropDown(int X, int Y) {
    if (OnDropDown) OnDropDown(this);
    HWND w = GetDropDownWindow();
    if (w == nullptr) return;
    PrepareDropDown();
    RECT r{};
    GetWindowRect(w, &r);
    const TPoint p = PlaceDropDown(X, Y, r.right - r.left, r.bottom - r.top);
    SetWindowPos(w, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    AfterDropDown();
}

// ----------------------------------------------------------------------------------- TubBarCustomCombo

TClass TubBarCustomCombo::StaticClass() {
    static const TClassInfo info{"TubBarCustomCombo", TCustomubBarCombo::StaticClass()};
    return &info;
}

TubBarCustomCombo::TubBarCustomCombo(TComponent* AOwner) : TCustomubBarCombo(AOwner) {
    items_ = new TStringList();
    items_->OnChange = [this](TObject*) { ItemsChanged(); };
    listBox_ = Construct<TubBarDropDownListBox>(this);
}

TubBarCustomCombo::~TubBarCustomCombo() {
    // The list goes first: its last messages must not find the items gone.
    delete listBox_;
    listBox_ = nullptr;
    delete items_;
}

HWND TubBarCustomCombo::GetDropDownWindow() {
    if (HWND w = TCustomubBarCombo::GetDropDownWindow()) return w;
    return listBox_ != nullptr ? listBox_->GetHandle() : nullptr;
}

void TubBarCustomCombo::PrepareDropDown() {
    if (listBox_ == nullptr) return;
    listBox_->Items()->Assign(items_);
    // The list has no window to measure its entries for it: each is told its height.
    for (int i = 0; i < items_->GetCount(); ++i)
        SendMessage(listBox_->GetHandle(), LB_SETITEMHEIGHT, static_cast<WPARAM>(i), MAKELPARAM(GetItemHeight(i), 0));
    const int shown = std::min(items_->GetCount(), DropDownCount);
    int height = 4;
    for (int i = 0; i < shown; ++i) height += GetItemHeight(i);
    SetWindowPos(listBox_->GetHandle(), nullptr, 0, 0, CalcDropDownWidth(), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TubBarCustomCombo::DropDown(int X, int Y) {
    TCustomubBarCombo::DropDown(X, Y);
    SyncWithEdit();
}

void TubBarCustomCombo::AfterDropDown() {
    if (listBox_ == nullptr) return;
    const int primary = GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
    listBox_->WaitingForCapture = GetAsyncKeyState(primary) < 0;
    if (listBox_->WaitingForCapture) SetCapture(listBox_->GetHandle());
}

void TubBarCustomCombo::SyncWithEdit() {
    auto* control = ActiveLink != nullptr ? dynamic_cast<TubBarComboControl*>(ActiveLink->Control) : nullptr;
    if (control == nullptr) return;
    const std::string text = control->GetText();
    const int own = control->GetItemIndex();
    if (own < 0 || own >= items_->GetCount() || items_->Get(own) != text)
        control->SetItemIndexQuietly(FindNearestItem(text));
    if (listBox_ == nullptr || !control->GetDroppedDown() || !listBox_->HandleAllocated()) return;
    const std::string upper = AnsiUpperCase(text);
    int equal = -1;
    for (int i = 0; i < items_->GetCount() && equal < 0; ++i)
        if (AnsiUpperCase(items_->Get(i)) == upper) equal = i;
    listBox_->SetItemIndex(equal);
    if (equal < 0 && control->GetItemIndex() >= 0) listBox_->SetTopIndex(control->GetItemIndex());
}

bool TubBarCustomCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
    return Shift.Empty() && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN);
}

void TubBarCustomCombo::CurChange() {
    TCustomubBarCombo::CurChange();
    SyncWithEdit();
}

void TubBarCustomCombo::ItemsChanged() {
    if (itemIndex_ > items_->GetCount() - 1) SetItemIndex(-1);
    else Refresh();
}

void TubBarCustomCombo::SetText(const std::string& Value) {
    if (itemIndex_ == -1 || Value != items_->Get(itemIndex_)) itemIndex_ = items_->IndexOf(Value);
    TCustomubBarCombo::SetText(Value);
}

void TubBarCustomCombo::SetItemIndex(int Value) {
    if (Value < 0 || Value > items_->GetCount() - 1) Value = -1;
    if (Value == itemIndex_) return;
    itemIndex_ = Value;
    const std::string text = Value == -1 ? std::string() : items_->Get(Value);
    if (text != GetText()) {
        TCustomubBarCombo::SetText(text);
    } else {
        Refresh();
        Change();
        Refresh();
    }
}

void TubBarCustomCombo::SetSorted(bool Value) {
    if (Value == sorted_) return;
    sorted_ = Value;
    items_->SetSorted(Value);
    itemIndex_ = items_->IndexOf(GetText());
}

TCanvas* TubBarCustomCombo::CurrentCanvas() const {
    return drawingCanvas_ != nullptr ? drawingCanvas_ : uiScreenCanvas()->GetCanvas();
}

int TubBarCustomCombo::GetItemHeight(int AIndex) const {
    int h = ItemHeight > 0 ? ItemHeight : CurrentCanvas()->TextHeight("Qq");
    if (OnMeasureItem) OnMeasureItem(const_cast<TubBarCustomCombo*>(this), AIndex, h);
    return h;
}

int TubBarCustomCombo::GetItemWidth(int AIndex) const { return CurrentCanvas()->TextWidth(items_->Get(AIndex)) + 2; }

int TubBarCustomCombo::CalcDropDownWidth() const {
    const bool scrolls = items_->GetCount() > DropDownCount;
    const int scrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    int w = DropDownWidth;
    if (w < 1) {
        if (ActiveLink != nullptr) w = ActiveLink->ItemRect.right - ActiveLink->ItemRect.left - EditOffset - 4;
        if (scrolls) w -= scrollWidth;
        for (int i = 0; i < items_->GetCount(); ++i) w = std::max(w, GetItemWidth(i));
    }
    w += 4;
    if (scrolls) w += scrollWidth;
    return w;
}

int TubBarCustomCombo::FindNearestItem(const std::string& AText) const {
    const std::string text = AnsiUpperCase(AText);
    std::size_t best = 0;
    int bestIndex = -1;
    for (int i = 0; i < items_->GetCount(); ++i) {
        const std::string item = AnsiUpperCase(items_->Get(i));
        if (item.compare(0, best, text, 0, best) != 0 || item.size() < best) continue;
        std::size_t m = best;
        while (m < text.size() && m < item.size() && item[m] == text[m]) ++m;
        if (m == text.size()) return i;
        if (m > best) {
            best = m;
            bestIndex = i;
        }
    }
    return bestIndex;
}

// ------------------------------------------------------------------------------- TubBarDropDownListBox

TubBarDropDownListBox::TubBarDropDownListBox(TubBarCustomCombo* ACombo) : TCustomListBox(ACombo), combo_(ACombo) {
    SetVisible(false);
    TabStop = false;
    BorderStyle = bsNone;
    SetStyle(lbOwnerDrawVariable);
}

void TubBarDropDownListBox::CreateParams(TCreateParams& Params) {
    TCustomListBox::CreateParams(Params);
    Params.Style = (Params.Style & ~(WS_CHILD | WS_BORDER)) | WS_POPUP | WS_VSCROLL;
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    Params.WindowClass.style |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

void TubBarDropDownListBox::CreateWnd() {
    // The bar window's font and the window text colour.
    TubBarManager* m = combo_->GetBarManager();
    if (m != nullptr) Font()->Assign(m->GetFont());
    Font()->SetColor(clWindowText);
    TCustomListBox::CreateWnd();
    // It shows the caret of a focused list without taking the focus.
    TMessage focus;
    focus.Msg = WM_SETFOCUS;
    DefaultHandler(focus);
}

void TubBarDropDownListBox::MeasureItem(int Index, int& Height) { Height = combo_->GetItemHeight(Index); }

void TubBarDropDownListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (combo_->OnDrawItem) {
        combo_->OnDrawItem(combo_, Index, Rect, State);
    } else {
        const bool selected = State.Contains(odSelected);
        const RECT r = Rect;
        BarPainterOf(combo_->GetBarManager())
            ->DrawComboItem(Canvas()->GetHandle(), r, combo_->GetItems()->Get(Index),
                            GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW),
                            selected ? clHighlightText : clWindowText);
    }
    if (State.Contains(odFocused)) Canvas()->DrawFocusRect(Rect);
}

void TubBarDropDownListBox::PassSelection() {
    TubBarItemLink* link = combo_->ActiveLink;
    if (auto* control = link != nullptr ? dynamic_cast<TubBarComboControl*>(link->Control) : nullptr)
        control->SetItemIndex(GetItemIndex());
}

void TubBarDropDownListBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCCALCSIZE: {
            auto* r = reinterpret_cast<RECT*>(Message.LParam);
            if (Message.WParam != 0) r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
            BarPainterOf(combo_->GetBarManager())->AdjustDropDownClientRect(*r, false, 0);
            Message.Result = 0;
            return;
        }
        case WM_NCPAINT: {
            RECT grip{}, close{};
            BarPainterOf(combo_->GetBarManager())
                ->DrawDropDownNonClient(GetHandle(), false, 0, grip, close, false, false);
            Message.Result = 0;
            return;
        }
        case WM_ERASEBKGND: Message.Result = 1; return;
        case WM_PAINT: {
            // The list has no window to draw its entries for it: it draws them itself, then the rest.
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(GetHandle(), &ps);
            const TRect client = GetClientRect();
            int bottom = 0;
            const int selected = GetItemIndex();
            for (int i = GetTopIndex(); i < Items()->Count() && bottom < client.bottom; ++i) {
                DRAWITEMSTRUCT dis{};
                dis.CtlType = ODT_LISTBOX;
                dis.itemID = static_cast<UINT>(i);
                dis.itemAction = ODA_DRAWENTIRE;
                dis.itemState = i == selected ? ODS_SELECTED | ODS_FOCUS : 0;
                dis.hwndItem = GetHandle();
                dis.hDC = dc;
                dis.rcItem = ItemRect(i);
                bottom = dis.rcItem.bottom;
                Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
            }
            if (bottom < client.bottom) {
                const RECT rest{client.left, bottom, client.right, client.bottom};
                FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
            }
            EndPaint(GetHandle(), &ps);
            Message.Result = 0;
            return;
        }
        case WM_MOUSEMOVE: {
            const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
            const TRect client = GetClientRect();
            const bool inside = p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom;
            // The pointer came in: the list tracks the button from here.
            if (WaitingForCapture && inside) WaitingForCapture = false;
            const int row = ItemAtPos(p, true);
            if (row >= 0 && row != GetItemIndex()) {
                SetItemIndex(row);
                PassSelection();
            }
            Message.Result = 0;
            return;
        }
        case WM_LBUTTONDOWN: {
            // A press in the list chooses at its release; the list never takes the focus.
            if (GetCapture() != GetHandle()) SetCapture(GetHandle());
            const int row = ItemAtPos(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)), true);
            if (row >= 0 && row != GetItemIndex()) {
                SetItemIndex(row);
                PassSelection();
            }
            Message.Result = 0;
            return;
        }
        case WM_CAPTURECHANGED: WaitingForCapture = false; break;
        case WM_LBUTTONUP: {
            const bool waiting = WaitingForCapture;
            if (GetCapture() == GetHandle()) ReleaseCapture();
            if (waiting) {
                // Released before the pointer came in: the list stays open.
                WaitingForCapture = false;
                Message.Result = 0;
                return;
            }
            TubBarItemLink* link = combo_->ActiveLink;
            const int chosen = GetItemIndex();
            const TuiObjectLinkScope alive(combo_);
            if (link != nullptr) {
                link->BaseLink()->MarkUsed(true);
                auto* control = dynamic_cast<TCustomubBarComboControl*>(link->Control);
                const TuiObjectLinkScope controlAlive(control);
                if (control != nullptr && control->Parent != nullptr) control->Parent->CloseAll();
                // The list closes with the menus, and on a bar out of menu mode by itself.
                if (controlAlive.Alive() && control != nullptr) control->SetDroppedDown(false);
            }
            if (alive.Alive() && chosen >= 0) combo_->SetItemIndex(chosen);
            Message.Result = 0;
            return;
        }
        case WM_KEYDOWN:
            // The first key with nothing selected selects the top entry shown.
            if (GetItemIndex() < 0 && Items()->Count() > 0) {
                SetItemIndex(GetTopIndex());
                PassSelection();
                Message.Result = 0;
                return;
            }
            TCustomListBox::Dispatch(Message);
            PassSelection();
            return;
        default: break;
    }
    TCustomListBox::Dispatch(Message);
}

TClass TubBarCombo::StaticClass() {
    static const TClassInfo info{"TubBarCombo", TubBarCustomCombo::StaticClass()};
    return &info;
}

}  // namespace zel
