// The text editor control: its inner EDIT, completion from the items, the clipboard and the text messages.
#include "uilib/editors/uiTextEdit.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/HintInfo.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Windows.h"
#include "uilib/base/uiSpellChecker.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiEditUtils.h"

namespace zel {

namespace {

UINT gRedrawMisspells = 0;

}  // namespace

UINT WM_REDRAWMISSPELLS() {
    if (gRedrawMisspells == 0) gRedrawMisspells = RegisterWindowMessage("WM_REDRAWMISSPELLS");
    return gRedrawMisspells;
}

TuiCustomTextEdit::TuiCustomTextEdit(TComponent* AOwner) : TuiCustomEdit(AOwner) {}

void TuiCustomTextEdit::AfterConstruction() {
    TuiCustomEdit::AfterConstruction();
    BeepOnEnter = true;
    FindSelection = false;
    innerEdit_ = CreateInnerEdit();
    innerEdit_->SetParent(this);
    innerEdit_->SetColor(clWindow);
    innerEdit_->OnSelChange = [this](TObject* Sender) { InnerSelChange(Sender); };
    SetInnerControl(innerEdit_);
    SetBounds(GetLeft(), GetTop(), 121, 21);
    if (ActiveProperties()->UsesLookupData()) {
        lookupData_ = CreateLookupData();
        lookupData_->OnSelectItem = [this](TObject* Sender) { LookupItemSelected(Sender); };
    }
    if (TuiFormatController* controller = uiFormatController(); controller != nullptr) controller->AddListener(this);
    PropertiesChanged();
}

void TuiCustomTextEdit::BeforeDestruction() {
    savedText_ = GetDisplayText();
    propertiesGone_ = true;
    if (TuiFormatController* controller = uiFormatController(); controller != nullptr) controller->RemoveListener(this);
    TuiCustomEdit::BeforeDestruction();
}

TuiCustomTextEdit::~TuiCustomTextEdit() {
    delete lookupData_;
    lookupData_ = nullptr;
}

bool TuiCustomTextEdit::CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) {
    return AItem == nullptr || dynamic_cast<TuiCustomTextEditProperties*>(AItem->Properties()) != nullptr;
}

bool TuiCustomTextEdit::IsFocused() const {
    const HWND focus = GetFocus();
    if (focus == nullptr) return false;
    if (HandleAllocated() && focus == const_cast<TuiCustomTextEdit*>(this)->GetHandle()) return true;
    return innerEdit_ != nullptr && innerEdit_->HandleAllocated() && focus == innerEdit_->GetHandle();
}

bool TuiCustomTextEdit::HasPlainReadOnlyText() const {
    return ActiveProperties()->GetEchoMode() == eemNormal && !ActiveProperties()->IsEditValueModifiable();
}

// ---------------------------------------------------------------------------------------- text and value

std::string TuiCustomTextEdit::GetDisplayText() const {
    if (innerEdit_ == nullptr || propertiesGone_) return savedText_;
    return innerEdit_->GetText();
}

bool TuiCustomTextEdit::SetDisplayTextChecked(const std::string& Value) {
    if (innerEdit_ == nullptr) return false;
    Variant value(Value);
    if (!ActiveProperties()->IsValidDisplayValue(value)) return false;
    const std::string text = VarToStr(value);
    if (innerEdit_->GetText() != text) innerEdit_->SetText(text);
    if (!userChange_) ResetFindSelection();
    return true;
}

void TuiCustomTextEdit::SetDisplayText(const std::string& Value) {
    if (!SetDisplayTextChecked(Value) && innerEdit_ != nullptr)
        innerEdit_->SetText(ActiveProperties()->EmptyDisplayValue());
}

void TuiCustomTextEdit::SetTextImpl(const std::string& Value) {
    Variant value(Value);
    if (!ActiveProperties()->IsValidDisplayValue(value)) value = Variant(ActiveProperties()->EmptyDisplayValue());
    SetEditValue(value);
}

void TuiCustomTextEdit::SetTextFromCode(const std::string& AText) {
    if (!DoEditing()) return;
    SetDisplayText(AText);
    MarkModified();
}

void TuiCustomTextEdit::MarkModified() { UserTextChanged(); }

// ------------------------------------------------------------------------------------------------ selection

int TuiCustomTextEdit::GetSelStart() const {
    const TuiTextEditingStyle style = EditingStyle();
    if (style == tesNoTyping || (style == tesListOnly && !FindSelection) || innerEdit_ == nullptr) return 0;
    return innerEdit_->Helper()->GetSelStart();
}

void TuiCustomTextEdit::SetSelStart(int Value) {
    if (EditingStyle() == tesNoTyping || innerEdit_ == nullptr) return;
    innerEdit_->Helper()->SetSelStart(Value);
}

int TuiCustomTextEdit::GetSelLength() const {
    const TuiTextEditingStyle style = EditingStyle();
    if (style == tesNoTyping || (style == tesListOnly && !FindSelection) || innerEdit_ == nullptr) return 0;
    return innerEdit_->Helper()->GetSelLength();
}

void TuiCustomTextEdit::SetSelLength(int Value) {
    if (EditingStyle() == tesNoTyping || innerEdit_ == nullptr) return;
    innerEdit_->Helper()->SetSelLength(Value);
}

std::string TuiCustomTextEdit::GetSelText() const {
    const std::string text = GetDisplayText();
    const auto start = static_cast<std::size_t>(std::clamp(GetSelStart(), 0, static_cast<int>(text.size())));
    return text.substr(start, static_cast<std::size_t>(std::max(0, GetSelLength())));
}

void TuiCustomTextEdit::SelectAll() {
    if (innerEdit_ != nullptr) innerEdit_->Helper()->SelectAll();
}

bool TuiCustomTextEdit::CanChangeSelText(const std::string& ASelText, std::string& NewText, int& NewSelStart) {
    NewText.clear();
    const TuiTextEditingStyle style = EditingStyle();
    if (userChange_ && style == tesNoTyping) return false;
    if (style == tesListOnly || style == tesNoTyping) SelectAll();
    const std::string text = GetDisplayText();
    const int length = static_cast<int>(text.size());
    // The EDIT's own selection: the list styles read 0 from the editor's.
    const int selStart = innerEdit_ != nullptr ? std::clamp(innerEdit_->Helper()->GetSelStart(), 0, length) : 0;
    const int selLength =
        innerEdit_ != nullptr ? std::clamp(innerEdit_->Helper()->GetSelLength(), 0, length - selStart) : 0;
    const int maxLength = ActiveProperties()->GetMaxLength();
    const auto head = text.substr(0, static_cast<std::size_t>(selStart));
    const auto tail = text.substr(static_cast<std::size_t>(selStart + selLength));
    if (userChange_ && (style == tesFreeText || style == tesNoTyping) && maxLength > 0) {
        NewText = head + ASelText;
        NewSelStart = std::min(static_cast<int>(NewText.size()), maxLength);
        // No room left before the selection: nothing changes.
        if (NewSelStart < selStart) {
            NewText.clear();
            return false;
        }
        NewText += tail;
        // The tail after the selection goes first, then the end of the insertion.
        if (static_cast<int>(NewText.size()) > maxLength) NewText.resize(static_cast<std::size_t>(maxLength));
    } else {
        NewText = style == tesListOnly ? ASelText : head + ASelText + tail;
        NewSelStart = (style == tesListOnly ? 0 : selStart) + static_cast<int>(ASelText.size());
    }
    Variant value(NewText);
    if (!ActiveProperties()->IsValidDisplayValue(value) || (userChange_ && !DoEditing())) {
        NewText.clear();
        return false;
    }
    NewText = VarToStr(value);
    return true;
}

void TuiCustomTextEdit::SetSelText(const std::string& Value) {
    TFlagGuard guard(userChange_, IsFocused() || InsertingText);
    std::string text;
    int selStart = 0;
    if (!CanChangeSelText(Value, text, selStart)) return;
    const std::string before = GetDisplayText();
    SetDisplayTextChecked(text);
    SetSelStart(selStart);
    if (userChange_ && GetDisplayText() != before) MarkModified();
    else if (GetDisplayText() != before) SetValueFromDisplayText(GetDisplayText());
}

void TuiCustomTextEdit::ClearSelection() {
    if (GetSelLength() <= 0) return;
    TFlagGuard guard(userChange_, IsFocused() || InsertingText);
    const int selStart = GetSelStart();
    std::string text = GetDisplayText();
    text.erase(static_cast<std::size_t>(selStart), static_cast<std::size_t>(GetSelLength()));
    if (userChange_ && !DoEditing()) return;
    if (!SetDisplayTextChecked(text)) return;
    SetSelStart(selStart);
    if (userChange_) MarkModified();
    else SetValueFromDisplayText(GetDisplayText());
}

void TuiCustomTextEdit::CutToClipboard() {
    if (GetSelLength() <= 0 || innerEdit_ == nullptr) return;
    if (IsFocused()) {
        TFlagGuard guard(userChange_, true);
        std::string text;
        int selStart = 0;
        if (!CanChangeSelText("", text, selStart)) return;
        const std::string before = GetDisplayText();
        innerEdit_->CallDefWndProc(WM_CUT, 0, 0);
        if (GetDisplayText() != before) MarkModified();
    } else {
        innerEdit_->Helper()->CopyToClipboard();
        SetSelText("");
    }
}

void TuiCustomTextEdit::CopyToClipboard() {
    const TuiTextEditingStyle style = EditingStyle();
    if (style == tesListOnly || style == tesNoTyping) SelectAll();
    if (innerEdit_ != nullptr && innerEdit_->Helper()->GetSelLength() > 0) innerEdit_->Helper()->CopyToClipboard();
}

void TuiCustomTextEdit::PasteFromClipboard() {
    if (innerEdit_ == nullptr || !IsClipboardFormatAvailable(CF_TEXT)) return;
    std::string clip = ClipboardText(innerEdit_->HandleAllocated() ? innerEdit_->GetHandle() : nullptr);
    // One line: the text stops at its first line break.
    clip = clip.substr(0, clip.find_first_of("\r\n"));
    if (!IsFocused()) {
        SetSelText(clip);
        return;
    }
    TFlagGuard guard(userChange_, true);
    std::string text;
    int selStart = 0;
    if (!CanChangeSelText(clip, text, selStart)) return;
    const std::string before = GetDisplayText();
    // The whole new text goes to the EDIT as one replacement, so that one undo takes it back; the limits of
    // the settings were applied to it already.
    innerEdit_->CallDefWndProc(EM_SETSEL, 0, -1);
    innerEdit_->CallDefWndProc(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    innerEdit_->CallDefWndProc(EM_SETSEL, static_cast<WPARAM>(selStart), selStart);
    if (GetDisplayText() != before) MarkModified();
}

void TuiCustomTextEdit::InsertText(const std::string& AText, bool APost) {
    {
        TFlagGuard guard(InsertingText, true);
        SetSelText(AText);
    }
    if (APost && !IsInplace() && !IsFocused()) {
        LockChangeEvents(true);
        SetValueFromDisplayText(GetDisplayText());
        LockChangeEvents(false);
    }
    MarkModified();
}

// ------------------------------------------------------------------------------------------------- lookup

int TuiCustomTextEdit::GetItemIndex() const { return lookupData_ != nullptr ? lookupData_->GetCurrentKey() : -1; }

Variant TuiCustomTextEdit::LookupKeyToEditValue(int AKey) {
    if (lookupData_ == nullptr) return Variant(std::string());
    Variant value(lookupData_->GetDisplayText(AKey));
    ActiveProperties()->IsValidDisplayValue(value);
    return value;
}

void TuiCustomTextEdit::SetItemIndex(int Value) {
    if (lookupData_ == nullptr) return;
    const int old = GetItemIndex();
    LockChangeEvents(true);
    {
        const TScopeExit cleanup([&] { LockChangeEvents(false); });
        lookupData_->SetCurrentKey(Value);
        const Variant value = LookupKeyToEditValue(lookupData_->GetCurrentKey());
        if (!VarEquals(value, GetEditValue()) || VarToStr(value) != GetDisplayText()) SetEditValue(value);
    }
    if (GetItemIndex() != old && OnClick) OnClick(this);
}

TObject* TuiCustomTextEdit::GetSelectedItemObject() const {
    const int index = GetItemIndex();
    return index == -1 ? nullptr : ActiveProperties()->LookupItems()->Objects(index);
}

void TuiCustomTextEdit::LookupItemSelected(TObject* /*Sender*/) {
    const Variant value = LookupKeyToEditValue(lookupData_->GetCurrentKey());
    const bool differs = VarToStr(value) != VarToStr(GetEditValue());
    if (!differs && !DoEditing()) return;
    {
        TFlagGuard setting(SettingTextFromLookup, true);
        LockChangeEvents(true);
        SetEditValue(value);
        LockChangeEvents(false);
    }
    if (differs) MarkModified();
    SelectAll();
    ShortRefresh();
}

void TuiCustomTextEdit::ResetFindSelection() {
    if (lookupData_ != nullptr) FindSelection = false;
}

void TuiCustomTextEdit::ClearFindSelection() {
    if (!FindSelection) return;
    FindSelection = false;
    if (HandleAllocated()) ShortRefresh();
}

bool TuiCustomTextEdit::Search(std::string AText) {
    const char lead = innerEdit_ != nullptr ? innerEdit_->Helper()->GetImeLastChar() : '\0';
    if (lead != '\0') AText += lead;
    if (AText.empty()) {
        if (EditingStyle() != tesListOnly) SetDisplayTextChecked("");
        FindSelection = false;
        ShortRefresh();
        return false;
    }
    std::string tail;
    const bool found = lookupData_->Locate(AText, tail, false);
    const bool wasShown = FindSelection;
    if (found) {
        TFlagGuard setting(SettingTextFromLookup, true);
        SetDisplayTextChecked(AText + tail);
        SetSelStart(static_cast<int>(AText.size()));
        SetSelLength(static_cast<int>(tail.size()));
        FindSelection = true;
    } else {
        FindSelection = false;
    }
    // Typing that finds nothing, as over no items at all, leaves the view as it is.
    if (found || wasShown) ShortRefresh();
    return found;
}

void TuiCustomTextEdit::StepLookup(TuiEditLookupDirection ADirection) {
    LockChangeEvents(true);
    const int old = lookupData_->GetCurrentKey();
    {
        TFlagGuard navigating(LookupNavigating, true);
        TFlagGuard setting(SettingTextFromLookup, true);
        lookupData_->Go(ADirection, false);
    }
    if (lookupData_->GetCurrentKey() != old) {
        MarkModified();
        if (ActiveProperties()->GetImmediatePost() && ValidateEdit(false)) SetValueFromDisplayText(GetDisplayText());
    }
    LockChangeEvents(false);
}

bool TuiCustomTextEdit::HandleWheel(bool AUp) {
    if (!CanNavigateLookup(true) || HasPopupWindow() || lookupData_ == nullptr || lookupData_->IsEmpty()) return false;
    if (DoEditing()) StepLookup(AUp ? egdPrior : egdNext);
    return true;
}

// ------------------------------------------------------------------------------------------------------ keys

bool TuiCustomTextEdit::CanTypeChar(char C) {
    if (ActiveProperties()->ExtraValidChars().test(static_cast<unsigned char>(C))) return true;
    return TuiCustomEdit::CanTypeChar(C);
}

bool TuiCustomTextEdit::TextKeyDown(WORD& Key, TShiftState Shift) {
    const TuiTextEditingStyle style = EditingStyle();
    if (style == tesListOnly && (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DELETE)) {
        ClearFindSelection();
        return true;
    }
    const WORD original = Key;
    const bool findShown = FindSelection;
    if (TuiCustomEdit::HandleKeyDown(Key, Shift)) {
        if (original == VK_RETURN && findShown) SelectAll();
        return true;
    }
    if ((Key == VK_LEFT || Key == VK_RIGHT) && !Shift.Contains(ssShift) && GetSelLength() > 0) {
        // The selection collapses to the side of the arrow.
        const int start = GetSelStart(), length = GetSelLength();
        innerEdit_->CallDefWndProc(EM_SETSEL, static_cast<WPARAM>(Key == VK_RIGHT ? start + length : start),
                                   Key == VK_RIGHT ? start + length : start);
        ClearFindSelection();
        return true;
    }
    if (Key == VK_LEFT || Key == VK_RIGHT) ClearFindSelection();
    if (Key == VK_DELETE) {
        if (style == tesListCompletion) return true;
        ClearFindSelection();
    }
    const bool homeEnd = Key == VK_HOME || Key == VK_END;
    const bool step = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (step || (homeEnd && style == tesListOnly)) {
        if (lookupData_ != nullptr && CanNavigateLookup(false) && !lookupData_->IsEmpty()) {
            const bool ctrl = Shift.Contains(ssCtrl);
            TuiEditLookupDirection direction = egdNext;
            switch (Key) {
                case VK_PRIOR: direction = ctrl ? egdFirst : egdPageUp; break;
                case VK_NEXT: direction = ctrl ? egdLast : egdPageDown; break;
                case VK_END: direction = egdLast; break;
                case VK_HOME: direction = egdFirst; break;
                case VK_UP: direction = egdPrior; break;
                default: direction = egdNext; break;
            }
            StepLookup(direction);
            return true;
        }
        // A single-line EDIT has no use for these keys.
        if (step) return true;
    }
    if (Key == VK_END && GetSelLength() == 0 && style != tesListOnly) ClearFindSelection();
    return false;
}

bool TuiCustomTextEdit::HandleKeyDown(WORD& Key, TShiftState Shift) {
    if (innerEdit_ != nullptr) innerEdit_->OwnerHandledKey = true;
    const bool consumed = TextKeyDown(Key, Shift);
    if (!consumed && innerEdit_ != nullptr) innerEdit_->OwnerHandledKey = false;
    return consumed;
}

bool TuiCustomTextEdit::TextKeyPress(char& Key) {
    const TuiTextEditingStyle style = EditingStyle();
    const auto code = static_cast<unsigned char>(Key);
    if (style == tesNoTyping && (code >= 32 || Key == 8)) return true;
    if (lookupData_ == nullptr || (code < 32 && Key != 8)) return false;
    TuiCustomTextEditProperties* properties = ActiveProperties();
    SettingTextFromLookup = false;
    TFlagGuard change(userChange_, true);
    const int oldKey = lookupData_->GetCurrentKey();
    const std::string before = GetDisplayText();
    bool consumed = false;
    bool found = false;
    if (style == tesListOnly && Key == 8 && !properties->GetListMatchHighlight()) {
        ClearFindSelection();
        consumed = true;
    }
    const bool completion = style == tesListCompletion || style == tesListOnly ||
                            (style == tesFreeText && properties->GetIncrementalSearch());
    if (!consumed && completion && Key == 8) {
        const std::string text = GetDisplayText();
        if (style == tesListCompletion && !text.empty() && !FindSelection) {
            SetSelLength(static_cast<int>(text.size()) - GetSelStart());
            FindSelection = true;
        }
        if (FindSelection) {
            std::string search = text.substr(0, static_cast<std::size_t>(GetSelStart()));
            if (!search.empty()) search.pop_back();
            found = Search(search);
            consumed = found || search.empty();
        }
        if (style == tesListOnly) consumed = true;
    } else if (!consumed && completion && code >= 32) {
        const std::string text = GetDisplayText();
        const int selStart = GetSelStart(), selLength = GetSelLength();
        const bool caretAtEnd = selStart == static_cast<int>(text.size()) && selLength == 0;
        const bool mayStart = style != tesFreeText || caretAtEnd || FindSelection || selLength > 0;
        if (mayStart) {
            const bool findShown = FindSelection;
            if (selLength > 0) {
                found = Search(text.substr(0, static_cast<std::size_t>(selStart)) + Key);
            } else if (style != tesListOnly) {
                std::string search = text;
                search.insert(static_cast<std::size_t>(std::clamp(selStart, 0, static_cast<int>(text.size()))), 1, Key);
                found = Search(search);
            } else if (findShown) {
                found = Search(text + Key);
                if (!found) found = Search(std::string(1, Key));
            } else {
                found = Search(std::string(1, Key));
            }
            if (!found && style == tesListOnly && !properties->GetListMatchHighlight())
                found = Search(std::string(1, Key));
            if (!found && (style == tesListCompletion || style == tesListOnly)) {
                consumed = true;
                const bool showAgain = style == tesListCompletion ? !GetDisplayText().empty()
                                                                  : properties->GetListMatchHighlight() && findShown;
                if (showAgain) {
                    if (style == tesListCompletion)
                        SetSelLength(static_cast<int>(GetDisplayText().size()) - GetSelStart());
                    FindSelection = true;
                }
            }
            if (found) consumed = true;
        }
    }
    if (lookupData_->GetCurrentKey() != oldKey || (consumed && GetDisplayText() != before)) MarkModified();
    return consumed;
}

bool TuiCustomTextEdit::InnerControlKeyHook(TMessage& Message) {
    if (innerEdit_ == nullptr) return TuiCustomEdit::InnerControlKeyHook(Message);
    switch (Message.Msg) {
        case WM_KEYDOWN: {
            TWinControl* list = PopupList();
            const auto key = static_cast<WORD>(Message.WParam);
            if (HasPopupWindow() && list != nullptr && list->HandleAllocated() &&
                IsPopupKey(key, KeyboardStateToShiftState())) {
                Message.Result = SendMessage(list->GetHandle(), WM_KEYDOWN, Message.WParam, Message.LParam);
                if (Message.Result == 0) return true;
            }
            innerEdit_->OwnerHandledKey = false;
            innerEdit_->DblClickTimer()->SetEnabled(false);
            return TuiCustomEdit::InnerControlKeyHook(Message);
        }
        case WM_KEYUP:
            if (Message.WParam == VK_TAB) {
                Message.Result = 0;
                return true;
            }
            return TuiCustomEdit::InnerControlKeyHook(Message);
        case WM_CHAR: {
            char key = static_cast<char>(Message.WParam);
            innerEdit_->OwnerHandledKey = false;
            if (key == '\t') {
                Message.Result = 0;
                return true;
            }
            // Enter and Escape never reach the EDIT where it would only beep.
            if ((key == '\r' || key == 27) && (IsInplace() || SwallowEnterEscape || (key == '\r' && !BeepOnEnter))) {
                SwallowEnterEscape = false;
                Message.Result = 0;
                return true;
            }
            const std::string text = GetDisplayText();
            const int selStart = innerEdit_->HandleAllocated() ? innerEdit_->GetSelStart() : 0;
            const int selLength = innerEdit_->HandleAllocated() ? innerEdit_->GetSelLength() : 0;
            bool handled = TextKeyPress(key);
            if (handled) {
                innerEdit_->OwnerHandledKey = true;
                Message.Result = 0;
            } else {
                TuiCustomEdit::InnerControlKeyHook(Message);
            }
            if (innerEdit_->ImeCharCount > 0 && --innerEdit_->ImeCharCount == 0 && FindSelection) {
                innerEdit_->SetSelStart(innerEdit_->Helper()->SavedSelStart);
                innerEdit_->SetSelLength(innerEdit_->Helper()->SavedSelLength);
            }
            SettingTextFromLookup = false;
            // The selection moved, or nothing changed at all: a shown completion no longer stands.
            bool check = !innerEdit_->HandleAllocated() || innerEdit_->GetSelStart() != selStart ||
                         innerEdit_->GetSelLength() != selLength;
            if (!check) check = AnsiUpperCase(GetDisplayText()) == AnsiUpperCase(text);
            if (!handled && check) ClearFindSelection();
            return true;
        }
        case WM_KILLFOCUS: {
            const auto to = reinterpret_cast<HWND>(Message.WParam);
            const bool leaving = to == nullptr || (to != GetHandle() && to != innerEdit_->GetHandle());
            if (leaving && !ComponentState().Contains(csDestroying)) {
                FindSelection = false;
                const std::string text = GetDisplayText();
                if (EditingStyle() == tesFreeText && lookupData_ != nullptr && GetModifiedSinceEnter() &&
                    !GetValidated() && !text.empty() && !ActiveProperties()->IsLookupItem(text))
                    DoNewLookupDisplayText(text);
            }
            return TuiCustomEdit::InnerControlKeyHook(Message);
        }
        case WM_MOUSEWHEEL: {
            const short delta = static_cast<short>(HIWORD(Message.WParam));
            if (HandleWheel(delta > 0)) {
                Message.Result = 1;
                return true;
            }
            return TuiCustomEdit::InnerControlKeyHook(Message);
        }
        default: return TuiCustomEdit::InnerControlKeyHook(Message);
    }
}

void TuiCustomTextEdit::DoNewLookupDisplayText(const std::string& AText) {
    if (Properties()->OnNewLookupDisplayText) Properties()->OnNewLookupDisplayText(this, AText);
    if (GetRepositoryItem() != nullptr && ActiveProperties()->OnNewLookupDisplayText)
        ActiveProperties()->OnNewLookupDisplayText(this, AText);
}

// -------------------------------------------------------------------------------------------------- messages

void TuiCustomTextEdit::HandleGetText(TMessage& Message) {
    const auto size = static_cast<int>(Message.WParam);
    auto* buffer = reinterpret_cast<char*>(Message.LParam);
    if (size < 1 || buffer == nullptr) {
        Message.Result = 0;
        return;
    }
    const std::string text = GetDisplayText();
    const int copied = std::min(static_cast<int>(text.size()), size - 1);
    std::copy_n(text.data(), copied, buffer);
    buffer[copied] = '\0';
    // The number of characters copied, as every window answers: a caller that takes that many bytes from
    // its buffer never reads past what was written.
    Message.Result = copied;
}

void TuiCustomTextEdit::HandleSetText(TMessage& Message) {
    if (InSetText) {
        TuiCustomEdit::WndProc(Message);
        return;
    }
    TFlagGuard guard(InSetText, true);
    const char* text = reinterpret_cast<const char*>(Message.LParam);
    const std::string value = text != nullptr ? text : "";
    Variant checked(value);
    if (!ActiveProperties()->IsValidDisplayValue(checked)) {
        Message.Result = 0;
        return;
    }
    SetEditValue(checked);
    Message.Result = 1;
}

void TuiCustomTextEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXT: HandleGetText(Message); return;
        case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(GetDisplayText().size()); return;
        case WM_SETTEXT: HandleSetText(Message); return;
        case WM_CLEAR:
            if (!ActiveProperties()->GetReadOnly() && DataBinding()->IsDataAvailable()) ClearSelection();
            Message.Result = 0;
            return;
        case WM_COMMAND:
            if (innerEdit_ != nullptr && innerEdit_->HandleAllocated() &&
                reinterpret_cast<HWND>(Message.LParam) == innerEdit_->GetHandle()) {
                switch (HIWORD(Message.WParam)) {
                    case EN_CHANGE: InnerTextChanged(); break;
                    case EN_HSCROLL:
                    case EN_VSCROLL: InnerScrolled(); break;
                    default: break;
                }
            }
            break;
        case WM_SETFOCUS:
            if (innerEdit_ != nullptr && !IsInplace()) innerEdit_->HandleNeeded();
            break;
        default: break;
    }
    TuiCustomEdit::WndProc(Message);
    if (Message.Msg == CM_HINTSHOW && Message.Result == 0) TextHint(*reinterpret_cast<THintInfo*>(Message.LParam));
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_ESCAPE && !HasPopupWindow()) SwallowEnterEscape = false;
}

void TuiCustomTextEdit::TextHint(THintInfo& AInfo) {
    TuiCustomTextEditViewInfo* vi = TextViewInfo();
    const TRect r = vi->TextRect;
    if (vi->ButtonAt(AInfo.CursorPos) >= 0 || !PtInRect(&r, AInfo.CursorPos)) return;
    // A password is never shown in a hint.
    if (ActiveProperties()->GetEchoMode() == eemPassword) return;
    const std::string text = GetDisplayText();
    Canvas()->Font()->Assign(Style()->GetVisibleFont());
    if (text.empty() || Canvas()->TextWidth(text) <= r.right - r.left) return;
    AInfo.HintStr = text;
    AInfo.CursorRect = r;
}

void TuiCustomTextEdit::InnerMessageHandled(TMessage& Message) {
    if (innerEdit_ == nullptr) return;
    if (Message.Msg == WM_REDRAWMISSPELLS()) {
        SpellRedraw();
        return;
    }
    switch (Message.Msg) {
        case WM_SIZE:
        case WM_SETFONT: InnerScrolled(); break;
        case WM_KEYUP:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int first = innerEdit_->Helper()->GetFirstVisibleCharIndex();
            if (first != innerFirstVisibleChar_) InnerScrolled();
            const int selLength = innerEdit_->Helper()->GetSelLength();
            const char password = innerEdit_->Helper()->GetPasswordChar();
            if (selLength != innerSelLength_ || password != innerPasswordChar_) {
                innerSelLength_ = selLength;
                innerPasswordChar_ = password;
                InnerSelectionChanged();
            }
            break;
        }
        case CN_CTLCOLOREDIT:
            if (innerEdit_->HandleAllocated()) PostMessage(innerEdit_->GetHandle(), WM_REDRAWMISSPELLS(), 0, 0);
            break;
        default: break;
    }
}

void TuiCustomTextEdit::SpellRedraw() { SpellCheckerRedrawMisspellings(innerEdit_); }

void TuiCustomTextEdit::InnerScrolled() {
    innerFirstVisibleChar_ = innerEdit_ != nullptr ? innerEdit_->Helper()->GetFirstVisibleCharIndex() : 0;
    SpellCheckerInnerControlScrolled(innerEdit_);
}

void TuiCustomTextEdit::InnerSelectionChanged() { SpellCheckerSelectionChanged(innerEdit_); }
void TuiCustomTextEdit::InnerTextChanged() { SpellCheckerTextChanged(innerEdit_); }

// -------------------------------------------------------------------------------------- settings and look

void TuiCustomTextEdit::FormatChanged() {
    ActiveProperties()->Changed();
    SynchronizeDisplayValue();
}

void TuiCustomTextEdit::PropertiesChanged() {
    if (innerEdit_ == nullptr) return;
    TuiCustomTextEditProperties* properties = ActiveProperties();
    IuiInnerTextEdit* inner = innerEdit_->Helper();
    inner->SetAlignment(properties->GetAlignment()->GetHorz());
    if (lookupData_ != nullptr) {
        lookupData_->ListChanged();
        if (!SettingTextFromLookup) lookupData_->TextChanged();
    }
    inner->SetAutoSelect(properties->GetAutoSelect() && !IsInplace());
    inner->SetCharCase(properties->GetCharCase());
    inner->SetEchoMode(properties->GetEchoMode());
    inner->SetHideSelection(properties->GetHideSelection());
    inner->SetImeMode(properties->GetImeMode());
    inner->SetImeName(properties->GetImeName());
    inner->SetMaxLength(properties->GetMaxLength());
    inner->SetOEMConvert(properties->GetOEMConvert());
    inner->SetPasswordChar(properties->GetPasswordChar());
    CheckMinMaxValue();
    if (!ComponentState().Contains(csLoading)) SynchronizeEditValue();
    innerEdit_->Invalidate();
}

void TuiCustomTextEdit::Loaded() {
    TuiCustomEdit::Loaded();
    PropertiesChanged();
}

void TuiCustomTextEdit::CheckMinMaxValue() {
    if (ActiveProperties()->HasValueType() && ActiveProperties()->IsRangeInForce() && !IsDesigning())
        ApplyMinMaxValue();
}

bool TuiCustomTextEdit::IsStandaloneUnbound() {
    return !IsInplace() && !DataBinding()->DefaultValuesProvider()->IsDataStorage();
}

void TuiCustomTextEdit::SynchronizeDisplayValue() {
    const Variant value = GetEditValue();
    TuiCustomTextEditProperties* properties = ActiveProperties();
    std::string text;
    try {
        if (properties->CanDisplayValue(value) || IsFocused())
            text = properties->CanDisplayValue(value) ? properties->PrepareDisplayText(value, IsFocused())
                                                      : properties->EmptyDisplayValue();
        else text = VarToStr(value);
    } catch (const EVariantError&) {
        text.clear();
    }
    {
        TFlagGuard applying(ApplyingLookupValue, true);
        SetDisplayText(text);
    }
    ResetFindSelection();
    ShortRefresh();
}

void TuiCustomTextEdit::SynchronizeEditValue() {
    if (IsDesigning()) return;
    const TuiTextEditingStyle style = EditingStyle();
    if (style == tesListCompletion || style == tesListOnly) {
        Variant text(GetDisplayText());
        if (!ActiveProperties()->IsValidDisplayValue(text)) {
            SetDisplayText(ActiveProperties()->EmptyDisplayValue());
            if (!GetModifiedSinceEnter()) SetValueFromDisplayText(GetDisplayText());
        } else if (!GetModifiedSinceEnter()) {
            SynchronizeDisplayValue();
        }
        return;
    }
    // The shown text follows the settings (character case, say) unless the user is typing.
    if (!GetModifiedSinceEnter()) SetDisplayText(VarToStr(GetEditValue()));
}

TSize TuiCustomTextEdit::TextContentSize() {
    TCanvas* canvas = uiScreenCanvas()->GetCanvas();
    canvas->Font()->Assign(Style()->GetVisibleFont());
    TSize size{canvas->TextWidth(GetDisplayText()), canvas->TextHeight("Zg")};
    // A list-only or no-typing text stands one pixel in from its leading side.
    const TuiTextEditingStyle editing = EditingStyle();
    if (!IsInplace() && (editing == tesListOnly || editing == tesNoTyping)) ++size.cx;
    return size;
}

int TuiCustomTextEdit::GetInnerTextHeight() {
    Canvas()->Font()->Assign(innerEdit_ != nullptr ? innerEdit_->Font() : Style()->GetVisibleFont());
    return Canvas()->TextHeight("Wg");
}

void TuiCustomTextEdit::UpdateInnerEditColors() {
    if (innerEdit_ == nullptr || innerEdit_->IsCreating) return;
    innerEdit_->Helper()->LockBounds(true);
    TuiCustomEdit::UpdateInnerControlLook();
    innerEdit_->Helper()->LockBounds(false);
}

void TuiCustomTextEdit::UpdateInnerControlLook() { UpdateInnerEditColors(); }

void TuiCustomTextEdit::AdjustInnerControlBounds() {
    if (innerEdit_ == nullptr || placingInner_) return;
    TFlagGuard placing(placingInner_, true);
    // The inner EDIT goes where the view data puts the text, as in a cell painted without an editor.
    const std::unique_ptr<TuiCustomEditViewData> data(CreateViewData());
    const TRect r = data->TextBounds(ViewInfo()->ClientRect, GetInnerTextHeight());
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (innerEdit_->GetLeft() == r.left && innerEdit_->GetTop() == r.top && innerEdit_->GetWidth() == width &&
        innerEdit_->GetHeight() == height)
        return;
    innerEdit_->SetBounds(r.left, r.top, width, height);
}

// ---------------------------------------------------------------------------------------------- filter rows

TClass TuiFilterTextEditHelper::StaticClass() {
    return MakeHelperClass<TuiFilterTextEditHelper>("TuiFilterTextEditHelper",
                                                    TuiCustomFilterEditHelper::StaticClass());
}

void TuiFilterTextEditHelper::InitializeProperties(TuiCustomEditProperties* AProperties,
                                                   TuiCustomEditProperties* AEditProperties, bool AHasButtons) const {
    TUpdateBracket update(AProperties);
    TuiCustomFilterEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    auto* properties = dynamic_cast<TuiCustomTextEditProperties*>(AProperties);
    if (properties == nullptr) return;
    properties->SetAutoSelect(true);
    properties->SetHideSelection(true);
    properties->SetViewMode(tvmNormal);
}

void TuiFilterTextEditHelper::SetFilterValue(TuiCustomEdit* AEdit, TuiCustomEditProperties* /*AEditProperties*/,
                                             const Variant& AValue) const {
    AEdit->SetEditValue(AValue);
}

// ------------------------------------------------------------------------------------------------- the unit

TClass TuiCustomTextEditProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomTextEditProperties", TuiCustomEditProperties::StaticClass()};
    return &info;
}

TClass TuiTextEditProperties::StaticClass() {
    static const TClassInfo info{"TuiTextEditProperties", TuiCustomTextEditProperties::StaticClass()};
    return &info;
}

namespace {

// The stored properties of the text editor and its settings, as forms hold them.
void RegisterTextEditClasses() {
    using P = TuiTextEditProperties;
    RegisterPersistent<P>("TuiTextEditProperties", "TuiCustomEditProperties")
        .Bool(
            "AutoSelect", [](P& p, bool v) { p.SetAutoSelect(v); }, [](P& p) { return p.GetAutoSelect(); })
        .Default(true)
        .Bool(
            "BeepOnError", [](P& p, bool v) { p.SetBeepOnError(v); }, [](P& p) { return p.GetBeepOnError(); })
        .Default(false)
        .Enum<TEditCharCase>(
            "CharCase", {{"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase}, {"ecLowerCase", ecLowerCase}},
            [](P& p, TEditCharCase v) { p.SetCharCase(v); }, [](P& p) { return p.GetCharCase(); })
        .DefaultIdent("ecNormal")
        .Enum<TuiEditEchoMode>(
            "EchoMode", {{"eemNormal", eemNormal}, {"eemPassword", eemPassword}},
            [](P& p, TuiEditEchoMode v) { p.SetEchoMode(v); }, [](P& p) { return p.GetEchoMode(); })
        .DefaultIdent("eemNormal")
        .Bool(
            "HideSelection", [](P& p, bool v) { p.SetHideSelection(v); }, [](P& p) { return p.GetHideSelection(); })
        .Default(true)
        .Bool(
            "IncrementalSearch", [](P& p, bool v) { p.SetIncrementalSearch(v); },
            [](P& p) { return p.GetIncrementalSearch(); })
        .Default(true)
        .Custom("LookupItems.Strings",
                [](P& p, const TFormValue& v, TReadContext& ctx) { ReadStrings(*p.LookupItems(), v, ctx); })
        .Bool(
            "LookupItemsSorted", [](P& p, bool v) { p.SetLookupItemsSorted(v); },
            [](P& p) { return p.GetLookupItemsSorted(); })
        .Default(false)
        .Int(
            "MaxLength", [](P& p, int v) { p.SetMaxLength(v); }, [](P& p) { return p.GetMaxLength(); })
        .Stored([](P& p) { return p.TextAssignedValues()->GetMaxLength(); })
        .Bool(
            "OEMConvert", [](P& p, bool v) { p.SetOEMConvert(v); }, [](P& p) { return p.GetOEMConvert(); })
        .Default(false)
        .Custom(
            "PasswordChar",
            [](P& p, const TFormValue& v, TReadContext& ctx) {
                const std::string text = ctx.Str(v);
                p.SetPasswordChar(text.empty() ? '\0' : text[0]);
            },
            [](P& p) {
                return StrValue(p.GetPasswordChar() == 0 ? std::string() : std::string(1, p.GetPasswordChar()));
            })
        .Stored([](P& p) { return p.GetPasswordChar() != 0; })
        .Bool("ReadOnly", [](P& p, bool v) { p.SetReadOnly(v); })
        .Bool(
            "UseLeftAlignmentOnEditing", [](P& p, bool v) { p.SetUseLeftAlignmentOnEditing(v); },
            [](P& p) { return p.GetUseLeftAlignmentOnEditing(); })
        .Default(true)
        .Bool(
            "ValidateOnEnter", [](P& p, bool v) { p.SetValidateOnEnter(v); },
            [](P& p) { return p.GetValidateOnEnter(); })
        .Default(false)
        // Read from older forms only: the flag of an assigned display format; never written.
        .Bool("IsDisplayFormatAssigned", [](P& p, bool v) { p.ReadIsDisplayFormatAssigned(v); })
        .Event("OnChange", &P::OnChange)
        .Event("OnEditValueChanged", &P::OnEditValueChanged)
        .Event("OnNewLookupDisplayText", &P::OnNewLookupDisplayText)
        .Event("OnValidate", &P::OnValidate);

    using E = TuiTextEdit;
    RegisterComponent<E>("TuiTextEdit", "TuiCustomEdit")
        .Str(
            "Text", [](E& e, const std::string& v) { e.SetText(v); }, [](E& e) { return e.GetText(); })
        .Bool(
            "BeepOnEnter", [](E& e, bool v) { e.BeepOnEnter = v; }, [](E& e) { return e.BeepOnEnter; })
        .Default(true)
        .SubObject("Properties", "TuiTextEditProperties", [](E& e) -> TPersistent* { return e.Properties(); })
        .SubObject("Style", "TuiEditStyle", [](E& e) -> TPersistent* { return e.Style(); })
        .Event("OnEditing", &E::OnEditing);
}

void uiTextEditStartup() {
    WM_REDRAWMISSPELLS();
    GetRegisteredEditProperties()->Register(TuiTextEditProperties::StaticClass(), suiSEditRepositoryTextItem.Text);
    FilterEditsController()->Register(TuiTextEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
}

void uiTextEditShutdown() {
    FilterEditsController()->Unregister(TuiTextEditProperties::StaticClass(), TuiFilterTextEditHelper::StaticClass());
    GetRegisteredEditProperties()->Unregister(TuiTextEditProperties::StaticClass());
}

}  // namespace

TUnitRow uiTextEditUnitRow() {
    return FormClassesRow("uiTextEdit", RegisterTextEditClasses, uiTextEditStartup, uiTextEditShutdown);
}

}  // namespace zel
