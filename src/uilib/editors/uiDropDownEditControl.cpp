// The drop-down editor: its settings, the popup's life from opening to closing, and the keys and the mouse
// that open and close it.
#include <algorithm>
#include <memory>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditViewData.h"

namespace zel {

namespace {

// The message a popup window shows itself on (posted by its editor).
constexpr UINT kPopupShowRequest = WM_APP + 126;

bool IsPopupShowQueued(TuiCustomEditPopupWindow* APopup) {
    if (APopup == nullptr || !APopup->HandleAllocated()) return false;
    MSG msg{};
    return PeekMessage(&msg, APopup->GetHandle(), kPopupShowRequest, kPopupShowRequest, PM_NOREMOVE) != FALSE;
}

}  // namespace

// ------------------------------------------------------------------------------------------- properties

TuiCustomDropDownEditProperties::TuiCustomDropDownEditProperties(TPersistent* AOwner)
    : TuiCustomMaskEditProperties(AOwner) {
    Buttons()->Add()->SetKind(bkDown);
}

TuiCustomDropDownEditProperties::~TuiCustomDropDownEditProperties() = default;

TuiEditButton* TuiCustomDropDownEditProperties::GlyphButton() const {
    const int index = GetGlyphButtonIndex();
    return index >= 0 && index < Buttons()->Count() ? Buttons()->GetItem(index) : nullptr;
}

TBitmap* TuiCustomDropDownEditProperties::GetButtonGlyph() {
    TuiEditButton* button = GlyphButton();
    return button != nullptr ? button->GetGlyph() : nullptr;
}

void TuiCustomDropDownEditProperties::SetButtonGlyph(TBitmap* Value) {
    if (TuiEditButton* button = GlyphButton(); button != nullptr) button->SetGlyph(Value);
    Changed();
}

void TuiCustomDropDownEditProperties::Changed() {
    if (!checkingGlyph_) {
        // Setting the kind reports a change of its own: it comes back here while the flag is up.
        checkingGlyph_ = true;
        TScopeExit done([this] { checkingGlyph_ = false; });
        if (TuiEditButton* button = GlyphButton(); button != nullptr) {
            if (button->HasGlyph() && button->GetKind() == bkDown) button->SetKind(bkGlyph);
            else if (!button->HasGlyph() && button->GetKind() == bkGlyph) button->SetKind(bkDown);
        }
    }
    TuiCustomMaskEditProperties::Changed();
}

void TuiCustomDropDownEditProperties::SetPopupMinWidth(int Value) {
    popupMinWidth_ = std::max(0, Value);
    SetPopupWidth(popupWidth_);
}

void TuiCustomDropDownEditProperties::SetPopupMinHeight(int Value) {
    popupMinHeight_ = std::max(0, Value);
    SetPopupHeight(popupHeight_);
}

void TuiCustomDropDownEditProperties::SetPopupWidth(int Value) {
    popupWidth_ = Value == 0 ? 0 : std::max(Value, popupMinWidth_);
}

void TuiCustomDropDownEditProperties::SetPopupHeight(int Value) { popupHeight_ = std::max(Value, popupMinHeight_); }

TAlignment TuiCustomDropDownEditProperties::GetPopupAlignment() const {
    switch (HorzAlign) {
        case peaCenter: return taCenter;
        case peaEnd: return taRightJustify;
        default: return taLeftJustify;
    }
}

void TuiCustomDropDownEditProperties::SetPopupAlignment(TAlignment Value) {
    switch (Value) {
        case taCenter: HorzAlign = peaCenter; break;
        case taRightJustify: HorzAlign = peaEnd; break;
        default: HorzAlign = peaStart; break;
    }
}

TuiCustomEditPopupWindow* TuiCustomDropDownEditProperties::CreatePopupWindow(TuiCustomDropDownEdit* AEditor) {
    return Construct<TuiCustomEditPopupWindow>(AEditor);
}

void TuiCustomDropDownEditProperties::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TuiCustomDropDownEditProperties*>(Source);
    if (source == nullptr) {
        TuiCustomMaskEditProperties::Assign(Source);
        return;
    }
    BeginUpdate();
    TScopeExit end([this] { EndUpdate(); });
    TuiCustomMaskEditProperties::Assign(Source);
    ImmediateDropDown = source->ImmediateDropDown;
    ImmediatePopup = source->ImmediatePopup;
    PostPopupValueOnTab = source->PostPopupValueOnTab;
    PopupAutoSize = source->PopupAutoSize;
    PopupClientEdge = source->PopupClientEdge;
    PopupSizeable = source->PopupSizeable;
    PopupSysPanelStyle = source->PopupSysPanelStyle;
    ArrowStaysPressed = source->ArrowStaysPressed;
    OpenDirection = source->OpenDirection;
    HorzAlign = source->HorzAlign;
    VertAlign = source->VertAlign;
    // The minimums first, so that the sizes are checked against the copied ones.
    popupMinWidth_ = source->popupMinWidth_;
    popupMinHeight_ = source->popupMinHeight_;
    popupWidth_ = source->popupWidth_;
    popupHeight_ = source->popupHeight_;
    OnInitPopup = source->OnInitPopup;
    OnPopup = source->OnPopup;
    OnCloseQuery = source->OnCloseQuery;
    OnCloseUp = source->OnCloseUp;
    OnPopupFinished = source->OnPopupFinished;
    Changed();
}

// ---------------------------------------------------------------------------------------------- the editor

TuiCustomDropDownEdit::TuiCustomDropDownEdit(TComponent* AOwner) : TuiCustomMaskEdit(AOwner) {}

TuiCustomDropDownEdit::~TuiCustomDropDownEdit() {
    // The list of the lookup data is the lookup data's to free, not the popup's.
    if (LookupData() != nullptr && LookupData()->GetList() != nullptr) LookupData()->GetList()->SetParent(nullptr);
    delete popupWindow_;
}

void TuiCustomDropDownEdit::AfterConstruction() {
    TuiCustomMaskEdit::AfterConstruction();
    popupWindow_ = DropDownProperties()->CreatePopupWindow(this);
    popupWindow_->ModalMode = false;
    popupWindow_->SetCaptureFocus(DropDownProperties()->PopupTakesFocus());
    popupWindow_->Style()->GetLookAndFeel()->Assign(Style()->GetLookAndFeel());
    popupWindow_->OnShowed = [this](TObject*) { PopupWindowShowed(); };
    popupWindow_->OnClosed = [this](TuiCustomPopupWindow*, TuiCloseUpReason AReason) { PopupWindowClosed(AReason); };
    popupWindow_->OnResizedByUser = [this](TObject*) { PopupSizeChanged = true; };
    popupWindow_->OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = DoCloseQuery(); };
    // With the focus inside the popup, the popup keys reach the editor through the popup's key preview; the
    // editor takes the focus back when they close it.
    popupWindow_->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (!popupWindow_->GetCaptureFocus() || !popupWindow_->PopupFocused() || !PopupKeyDown(Key, Shift)) return;
        Key = 0;
        if (HasPopupWindow() || !CanFocus()) return;
        // The focus comes back from the popup: it does not open it again.
        focusFromPopup_ = true;
        TScopeExit back([this] { focusFromPopup_ = false; });
        SetFocus();
    };
}

void TuiCustomDropDownEdit::BeforeDestruction() {
    // The popup closes (with reason 0) before the editor goes.
    if (HasPopupWindow()) CloseUp(crUnknown);
    TuiCustomMaskEdit::BeforeDestruction();
}

bool TuiCustomDropDownEdit::HasPopupWindow() const { return popupWindow_ != nullptr && popupWindow_->IsShown(); }

void TuiCustomDropDownEdit::FireBoth(TNotifyEvent TuiCustomDropDownEditProperties::*AEvent) {
    auto* own = static_cast<TuiCustomDropDownEditProperties*>(Properties());
    if (own->*AEvent) (own->*AEvent)(this);
    if (GetRepositoryItem() == nullptr) return;
    auto* item = dynamic_cast<TuiCustomDropDownEditProperties*>(GetRepositoryItem()->Properties());
    if (item != nullptr && item != own && item->*AEvent) (item->*AEvent)(this);
}

bool TuiCustomDropDownEdit::DoCloseQuery() {
    bool canClose = true;
    auto* own = static_cast<TuiCustomDropDownEditProperties*>(Properties());
    if (own->OnCloseQuery) own->OnCloseQuery(this, canClose);
    if (canClose && GetRepositoryItem() != nullptr) {
        auto* item = dynamic_cast<TuiCustomDropDownEditProperties*>(GetRepositoryItem()->Properties());
        if (item != nullptr && item != own && item->OnCloseQuery) item->OnCloseQuery(this, canClose);
    }
    return canClose;
}

void TuiCustomDropDownEdit::SetDroppedDown(bool Value) {
    if (Value) DropDown();
    else CloseUp(crUnknown);
}

void TuiCustomDropDownEdit::TogglePopup() {
    if (HasPopupWindow()) CloseUp(crClose);
    else DropDown();
}

void TuiCustomDropDownEdit::InitPopup() { FireBoth(&TuiCustomDropDownEditProperties::OnInitPopup); }

void TuiCustomDropDownEdit::DropDown() {
    if (HasPopupWindow() || IsPopupShowQueued(popupWindow_)) return;
    if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
    if (!PopupInitialized) {
        PopupInitialized = true;
        try {
            InitPopup();
        } catch (...) {
            PopupInitialized = false;
            throw;
        }
        if (DropDownProperties()->PopupUsesLookupData() && LookupData() != nullptr)
            LookupData()->Initialize(popupWindow_);
    }
    if (!CanDropDown()) {
        FinalizePopup();
        return;
    }
    SetupPopupWindow();
    popupWindow_->HandleNeeded();
    popupWindow_->ShowFocusControl = PopupFocusedControl();
    if (popupWindow_->ShowFocusControl != nullptr) popupWindow_->ShowFocusControl->FreeNotification(popupWindow_);
    PostMessage(popupWindow_->GetHandle(), kPopupShowRequest, 0, 0);
}

TPoint TuiCustomDropDownEdit::PopupContentSize() { return popupWindow_->ContentSize(); }

void TuiCustomDropDownEdit::PositionPopupContent(const TRect& /*AClientRect*/) {}

void TuiCustomDropDownEdit::SetupPopupWindow() {
    TuiCustomDropDownEditProperties* p = DropDownProperties();
    TuiCustomEditPopupWindow* w = popupWindow_;
    w->Direction = p->OpenDirection == podVertical ? 1 : 0;
    w->HorzAlignment = p->HorzAlign;
    w->VertAlignment = p->VertAlign;
    w->SetPopupClientEdge(p->PopupClientEdge);
    w->PopupMinWidth = p->GetPopupMinWidth();
    w->PopupMinHeight = p->GetPopupMinHeight();
    w->PopupAutoSize = p->PopupAutoSize;
    w->SetPopupSizeable(p->PopupSizeable);
    w->SetPopupSysPanelStyle(p->PopupSysPanelStyle);
    if (IsInplace() && p->PopupSizeable && InplacePopupSize.x > 0) {
        w->PopupWidth = InplacePopupSize.x;
        w->PopupHeight = InplacePopupSize.y;
    } else {
        w->PopupWidth = p->GetPopupWidth();
        w->PopupHeight = p->GetPopupHeight();
    }
    w->SetShowCloseButton(Style()->GetPopupCloseButton());
    {
        // A style left at the default border takes the one the editor's border and look call for.
        const std::unique_ptr<TuiCustomEditViewData> data(CreateViewData());
        w->SetPopupBorderStyle(data->GetPopupBorderStyle());
    }
    w->SetLookAndFeelKind(Style()->GetLookAndFeel()->GetKind());
    w->SetNativeStyle(Style()->GetLookAndFeel()->GetNativeStyle());
    w->SetShadow(Style()->GetShadow());
    {
        w->SizeCheckLocked = true;
        TScopeExit unlock([w] { w->SizeCheckLocked = false; });
        w->CalculateSize();
        w->AnchorBounds = w->GetOwnerScreenBounds();
        const TPoint at = w->CalculatePosition();
        w->SetBounds(at.x, at.y, w->GetWidth(), w->GetHeight());
        w->Realign();
        PositionPopupContent(w->PopupViewInfo()->ClientRect);
    }
    // The popup shows through as much as the editor's form does.
    if (TCustomForm* form = GetParentForm(); form != nullptr) {
        if (auto* f = dynamic_cast<TForm*>(form); f != nullptr) {
            w->SetAlphaBlend(f->GetAlphaBlend());
            w->SetAlphaBlendValue(f->GetAlphaBlendValue());
            w->SetTransparentColor(f->GetTransparentColor());
            w->SetTransparentColorValue(f->GetTransparentColorValue());
        }
    }
}

void TuiCustomDropDownEdit::DoPopup() {
    CloseUpReason = crUnknown;
    FireBoth(&TuiCustomDropDownEditProperties::OnPopup);
}

void TuiCustomDropDownEdit::PopupWindowShowed() {
    ShortRefresh();
    popupWindow_->Realign();
    PositionPopupContent(popupWindow_->PopupViewInfo()->ClientRect);
    DoPopup();
    popupWindow_->Invalidate();
    Invalidate();
}

void TuiCustomDropDownEdit::PostEditValue() {
    if (!DropDownProperties()->GetImmediatePost()) return;
    if (ValidateEdit(false)) SetValueFromDisplayText(GetDisplayText());
}

void TuiCustomDropDownEdit::CloseUp(TuiCloseUpReason AReason) {
    if (!HasPopupWindow()) return;
    TuiCustomDropDownEditProperties* p = DropDownProperties();
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false); });
    if ((AReason == crTab || AReason == crClose || AReason == crEnter) && p->PopupUsesLookupData() &&
        LookupData() != nullptr) {
        const int oldKey = LookupData()->GetCurrentKey();
        SettingTextFromLookup = true;
        TScopeExit setting([this] { SettingTextFromLookup = false; });
        LookupData()->SelectItem();
        if (LookupData()->GetCurrentKey() != oldKey) MarkModified();
        if (!p->PopupEditsValue()) PostEditValue();
    }
    CloseUpReason = AReason;
    // A popup with the focus hands it back to the editor as it hides: that does not open it again.
    focusFromPopup_ = true;
    TScopeExit back([this] { focusFromPopup_ = false; });
    popupWindow_->CloseUp(AReason);
}

void TuiCustomDropDownEdit::FinalizePopup() {
    PopupInitialized = false;
    FireBoth(&TuiCustomDropDownEditProperties::OnPopupFinished);
}

void TuiCustomDropDownEdit::DoCloseUp() { FireBoth(&TuiCustomDropDownEditProperties::OnCloseUp); }

void TuiCustomDropDownEdit::PopupWindowClosed(TuiCloseUpReason AReason) {
    TuiCustomDropDownEditProperties* p = DropDownProperties();
    CloseUpReason = AReason;
    if (p->PopupSizeable && PopupSizeChanged && p->CanStorePopupSize()) {
        const TPoint size{popupWindow_->GetWidth(), popupWindow_->GetHeight()};
        if (IsInplace()) {
            InplacePopupSize = size;
        } else {
            p->SetPopupWidth(size.x);
            p->SetPopupHeight(size.y);
        }
    }
    FinalizePopup();
    if (EditingStyle() == tesListOnly) ClearFindSelection();
    DoCloseUp();
    if (p->PopupEditsValue()) PostEditValue();
    ArrowPressedByMouse = false;
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    // A focus left inside the hidden popup (a click in its list) comes back to the editor.
    const HWND focus = GetFocus();
    if (focus != nullptr && popupWindow_->HandleAllocated() &&
        (focus == popupWindow_->GetHandle() || IsChild(popupWindow_->GetHandle(), focus)) && CanFocus()) {
        focusFromPopup_ = true;
        TScopeExit back([this] { focusFromPopup_ = false; });
        SetFocus();
    }
    ShortRefresh();
}

// ---------------------------------------------------------------------------------------------------- keys

bool TuiCustomDropDownEdit::TextKeyDown(WORD& Key, TShiftState Shift) {
    if (PopupKeyDown(Key, Shift)) return true;
    return TuiCustomMaskEdit::TextKeyDown(Key, Shift);
}

bool TuiCustomDropDownEdit::PopupKeyDown(WORD& Key, TShiftState Shift) {
    const bool alt = Shift.Contains(ssAlt);
    if (((Key == VK_UP || Key == VK_DOWN) && alt) || (Key == VK_F4 && !alt)) {
        TogglePopup();
        Key = 0;
        return true;
    }
    if (HasPopupWindow() && !alt) {
        if (Key == VK_RETURN || Key == VK_ESCAPE) {
            const bool escape = Key == VK_ESCAPE;
            CloseUp(!escape && CanAcceptPopupValue() ? crEnter : crCancel);
            if (escape && GetCapture() != nullptr && HandleAllocated() &&
                (GetCapture() == GetHandle() || IsChild(GetHandle(), GetCapture())))
                ReleaseCapture();
            Key = 0;
            return true;
        }
        if (Key == VK_TAB && DropDownProperties()->PostPopupValueOnTab) CloseUp(crTab);
    }
    return false;
}

bool TuiCustomDropDownEdit::TextKeyPress(char& Key) {
    TuiCustomDropDownEditProperties* p = DropDownProperties();
    const bool typed = static_cast<unsigned char>(Key) >= 32 || Key == 8;
    if (typed && p->ImmediateDropDown && !HasPopupWindow() && !IsPopupShowQueued(popupWindow_)) {
        DropDown();
        if (p->PopupTakesFocus() && Key != '\r' && popupWindow_->HandleAllocated() && IsPopupShowQueued(popupWindow_)) {
            // The character goes on to the popup once it shows.
            PostMessage(popupWindow_->GetHandle(), WM_CHAR, static_cast<unsigned char>(Key), 0);
            return true;
        }
    }
    return TuiCustomMaskEdit::TextKeyPress(Key);
}

void TuiCustomDropDownEdit::LeaveClosesPopup(HWND ATo) {
    if (!HasPopupWindow()) return;
    if (IsInside(ATo)) return;
    CloseUp(crUnknown);
}

bool TuiCustomDropDownEdit::InnerControlKeyHook(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SYSKEYDOWN: {
            // Alt with an arrow: the toggle keys reach the editor as system keys.
            WORD key = static_cast<WORD>(Message.WParam);
            if ((key == VK_UP || key == VK_DOWN) && TextKeyDown(key, KeyboardStateToShiftState())) {
                Message.Result = 0;
                return true;
            }
            break;
        }
        case WM_KILLFOCUS: {
            const auto to = reinterpret_cast<HWND>(Message.WParam);
            if (to != GetHandle()) LeaveClosesPopup(to);
            break;
        }
        case WM_SETFOCUS: {
            const bool handled = TuiCustomMaskEdit::InnerControlKeyHook(Message);
            FocusEntered(reinterpret_cast<HWND>(Message.WParam));
            return handled;
        }
        case WM_MOUSEWHEEL:
            // While open, the wheel turns the list inside the popup.
            if (HasPopupWindow() && DropDownProperties()->PopupUsesLookupData() && LookupData() != nullptr &&
                LookupData()->GetList() != nullptr && LookupData()->GetList()->HandleAllocated()) {
                Message.Result =
                    SendMessage(LookupData()->GetList()->GetHandle(), WM_MOUSEWHEEL, Message.WParam, Message.LParam);
                return true;
            }
            break;
        default: break;
    }
    return TuiCustomMaskEdit::InnerControlKeyHook(Message);
}

void TuiCustomDropDownEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_KILLFOCUS && InnerEdit() != nullptr && InnerEdit()->HandleAllocated() &&
        reinterpret_cast<HWND>(Message.WParam) != InnerEdit()->GetHandle())
        LeaveClosesPopup(reinterpret_cast<HWND>(Message.WParam));
    if (Message.Msg == WM_DESTROY) CloseUp(crUnknown);
    TuiCustomMaskEdit::WndProc(Message);
    if (Message.Msg == WM_SETFOCUS) FocusEntered(reinterpret_cast<HWND>(Message.WParam));
}

bool TuiCustomDropDownEdit::IsInside(HWND AWindow) const {
    if (AWindow == nullptr) return false;
    const auto within = [AWindow](TWinControl* C) {
        return C != nullptr && C->HandleAllocated() && (C->GetHandle() == AWindow || IsChild(C->GetHandle(), AWindow));
    };
    return within(const_cast<TuiCustomDropDownEdit*>(this)) || within(popupWindow_);
}

void TuiCustomDropDownEdit::FocusEntered(HWND AFrom) {
    // Focus coming from elsewhere (not from the editor's own windows or its popup) opens the popup.
    if (DropDownProperties()->ImmediatePopup && !focusFromPopup_ && !IsInside(AFrom)) DropDown();
}

void TuiCustomDropDownEdit::PasteFromClipboard() {
    const bool opens = IsFocused() && DropDownProperties()->ImmediateDropDown;
    const std::string before = GetDisplayText();
    TuiCustomMaskEdit::PasteFromClipboard();
    // A paste that changed nothing opens the popup instead.
    if (opens && GetDisplayText() == before) DropDown();
}

// --------------------------------------------------------------------------------------------------- mouse

bool TuiCustomDropDownEdit::IsOpeningArea(TPoint P) {
    if (DropDownProperties()->MouseOpensPopup()) return PtInRect(&EditViewInfo()->Bounds, P) != FALSE;
    const int glyph = DropDownProperties()->GetGlyphButtonIndex();
    for (const TuiEditButtonViewInfo& button : EditViewInfo()->ButtonsInfo)
        if (button.ButtonIndex == glyph && button.State != ebsDisabled) return PtInRect(&button.Bounds, P) != FALSE;
    return false;
}

void TuiCustomDropDownEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TuiCustomMaskEdit::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (popupWindow_->ClosedByOwnerClick) {
        // This press closed the popup: it does not open it again.
        popupWindow_->ClosedByOwnerClick = false;
        return;
    }
    if (!HasPopupWindow() && !ArrowPressedByMouse && IsOpeningArea(TPoint{X, Y})) {
        ArrowPressedByMouse = true;
        DropDown();
        if (!IsPopupShowQueued(popupWindow_)) ArrowPressedByMouse = false;
    }
}

void TuiCustomDropDownEdit::CalculateViewInfo(TPoint P, bool AHotTrack) {
    TuiCustomMaskEdit::CalculateViewInfo(P, AHotTrack);
    TuiCustomDropDownEditProperties* p = DropDownProperties();
    const int glyph = p->GetGlyphButtonIndex();
    const bool open = HasPopupWindow();
    const bool pressedWhileOpen =
        open && (p->ArrowStaysPressed || (Style()->GetLookAndFeel()->GetNativeStyle() && IsDesktopCompositionOn()));
    for (TuiEditButtonViewInfo& button : EditViewInfo()->ButtonsInfo) {
        if (button.ButtonIndex != glyph || button.State == ebsDisabled) continue;
        if (pressedWhileOpen) button.State = ebsPressed;
        else if (!open && EditingStyle() == tesListOnly && button.State == ebsPressed)
            button.State = AHotTrack ? ebsSelected : ebsNormal;
    }
}

TClass TuiCustomDropDownEditProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomDropDownEditProperties", TuiCustomMaskEditProperties::StaticClass()};
    return &info;
}

}  // namespace zel
