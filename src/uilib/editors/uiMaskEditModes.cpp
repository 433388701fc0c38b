// The masked edit's modes: how typing, caret moves and pastes change the text under each mask kind.
#include <algorithm>

#include "platform/rtl/Streams.h"
#include "platform/win/Beep.h"
#include "uilib/base/ubCore.h"
#include "uilib/editors/uiEditConsts.h"
#include "uilib/editors/uiMaskEdit.h"

namespace zel {

namespace {

bool IsManyItem(const TuiStandardMaskCustomItem* AItem) {
    return dynamic_cast<const TuiStandardMaskManyItem*>(AItem) != nullptr;
}

// A fresh engine for AMask; raises EuiMaskEditError with every error the compiler found.
void CompileRegExpr(TuiRegExpr& AEngine, const std::string& AMask) {
    TMemoryStream source;
    source.Write(AMask.data(), static_cast<std::int64_t>(AMask.size()));
    try {
        AEngine.Compile(&source);
    } catch (const EuiRegExprError& E) {
        std::string text = LoadLibraryString(&suiMaskEditRegExprError);
        if (E.Errors != nullptr)
            for (int i = 0; i < E.Errors->Count(); ++i) text += "\r\n" + E.Errors->Items(i).FullText();
        throw EuiMaskEditError(text);
    }
}

}  // namespace

// ---- Shared behaviour ----

TuiMaskEditCustomMode::TuiMaskEditCustomMode(TuiCustomMaskEdit* AEdit, TuiCustomMaskEditProperties* AProperties)
    : OwnerEdit(AEdit), OwnProperties(AProperties) {}

bool TuiMaskEditCustomMode::IsAttached() const {
    return OwnerEdit != nullptr && !OwnerEdit->ComponentState().Contains(csDestroying);
}

TuiCustomMaskEditProperties* TuiMaskEditCustomMode::Properties() const {
    if (OwnerEdit != nullptr) return OwnerEdit->MaskProperties();
    return OwnProperties;
}

void TuiMaskEditCustomMode::BeepIfAllowed() {
    TuiCustomMaskEditProperties* properties = Properties();
    if (properties != nullptr && properties->GetBeepOnError()) Beep();
}

int TuiMaskEditCustomMode::SelStart() const { return IsAttached() ? OwnerEdit->GetSelStart() : 0; }
int TuiMaskEditCustomMode::SelLength() const { return IsAttached() ? OwnerEdit->GetSelLength() : 0; }
void TuiMaskEditCustomMode::SetSelStart(int Value) { SetSelection(Value, 0); }
void TuiMaskEditCustomMode::SetSelLength(int Value) { SetSelection(SelStart(), Value); }
void TuiMaskEditCustomMode::SetSelection(int AStart, int ALength) {
    if (IsAttached()) OwnerEdit->SetModeSelection(AStart, ALength);
}
std::string TuiMaskEditCustomMode::EditText() const { return IsAttached() ? OwnerEdit->GetDisplayText() : ""; }
void TuiMaskEditCustomMode::WriteText(const std::string& AText, int ASelStart, int ASelLength) {
    if (IsAttached()) OwnerEdit->WriteModeText(AText, ASelStart, ASelLength);
}

void TuiMaskEditCustomMode::ResyncValue() {
    if (!IsAttached()) return;
    std::string text;
    if (OwnerEdit->GetModifiedSinceEnter()) text = FormatText(EditText(), true);
    else text = Properties()->MaskDisplayText(VarToStr(OwnerEdit->GetEditValue()), OwnerEdit->IsFocused());
    OwnerEdit->ApplyModeValue(text);
}

// ---- Standard mode ----

bool TuiMaskEditStandardMode::IsLiteral(int APos) const {
    return APos >= 0 && APos < Mask.Count() && !IsManyItem(Mask.Items(APos));
}

int TuiMaskEditStandardMode::FirstEditablePos() const {
    for (int i = 0; i < Mask.Count(); ++i)
        if (!IsLiteral(i)) return i;
    return Mask.Count();
}

void TuiMaskEditStandardMode::PlaceCaret(int APos) {
    const int length = static_cast<int>(EditText().size());
    APos = std::clamp(APos, 0, length);
    SetSelection(APos, APos < length ? 1 : 0);
}

void TuiMaskEditStandardMode::Compile(const std::string& AMask) {
    ModeMask = AMask;
    if (TuiCustomMaskEditProperties::IsMaskBlank(AMask)) Mask.Clear();
    else Mask.Compile(AMask);
    EmptyValuePending = !IsAttached();
}

std::string TuiMaskEditStandardMode::EmptyEditValue() {
    std::string value;
    Mask.EmptyEditValue(value);
    return value;
}

std::string TuiMaskEditStandardMode::FormatText(const std::string& AText, bool ATextHasLiterals) {
    std::string text = AText;
    Mask.Format(text, true, ATextHasLiterals);
    return text;
}

std::string TuiMaskEditStandardMode::DisplayValue(const std::string& AText, bool ATextHasLiterals) {
    if (Mask.Count() == 0) return AText;
    std::string text = AText;
    TuiCustomMaskEditProperties* properties = Properties();
    Mask.Format(text, properties == nullptr || properties->GetCharCase() == ecNormal, ATextHasLiterals);
    Mask.ToEditValue(text);
    return text;
}

bool TuiMaskEditStandardMode::IsFullValid(const std::string& AText) {
    std::string text = AText;
    if (Mask.IsFullValid(text)) return true;
    TuiCustomMaskEditProperties* properties = Properties();
    return properties != nullptr && properties->GetIgnoreMaskBlank() && AText == FormatText("", true);
}

bool TuiMaskEditStandardMode::CaretAtStart() { return SelStart() <= FirstEditablePos() && SelLength() < 2; }

bool TuiMaskEditStandardMode::CaretAtEnd() { return SelStart() == static_cast<int>(EditText().size()); }

void TuiMaskEditStandardMode::MouseCaretMoved() {
    if (!IsAttached() || !OwnerEdit->HandleAllocated() || Mask.Count() == 0 || SelLength() != 0) return;
    if (SelStart() < static_cast<int>(EditText().size())) SetSelection(SelStart(), 1);
}

void TuiMaskEditStandardMode::BeforePaste() {
    pasteStart_ = SelStart();
    SetSelection(pasteStart_, PastedLength);
}

void TuiMaskEditStandardMode::AfterPaste() {
    const int length = static_cast<int>(EditText().size());
    // The caret stays on a position of the text; an empty text leaves it at 0.
    const int caret = std::max(0, std::min(pasteStart_ + PastedLength, length - 1));
    PlaceCaret(caret);
    if (IsLiteral(caret)) {
        if (IsAttached()) OwnerEdit->ShiftSelecting = false;
        RightKey();
    }
}

bool TuiMaskEditStandardMode::HomeKey() {
    if (IsAttached() && OwnerEdit->ShiftSelecting) return true;
    PlaceCaret(0);
    if (IsLiteral(0)) RightKey();
    return false;
}

bool TuiMaskEditStandardMode::EndKey() {
    if (IsAttached() && OwnerEdit->ShiftSelecting) return true;
    SetSelection(static_cast<int>(EditText().size()), 0);
    return false;
}

bool TuiMaskEditStandardMode::LeftKey() {
    const bool shift = IsAttached() && OwnerEdit->ShiftSelecting;
    const int start = SelStart();
    const int length = SelLength();
    if (shift && length == 1) {
        // The overwrite block gives way to a selection that the edit grows from the caret.
        SetSelection(start, 0);
        return true;
    }
    if (shift) return true;
    if (length >= 2) {
        int pos = start;
        while (IsLiteral(pos) && pos < start + length - 1) ++pos;
        PlaceCaret(IsLiteral(pos) ? start : pos);
        return false;
    }
    int pos = start - 1;
    while (pos >= 0 && IsLiteral(pos)) --pos;
    PlaceCaret(pos >= 0 ? pos : start);
    return false;
}

bool TuiMaskEditStandardMode::RightKey() {
    const bool shift = IsAttached() && OwnerEdit->ShiftSelecting;
    const int start = SelStart();
    const int length = SelLength();
    const int textLength = static_cast<int>(EditText().size());
    if (shift && length == 1) {
        SetSelection(start, 0);
        return true;
    }
    if (shift) return true;
    if (length >= 2) {
        int pos = start + length;
        while (pos - 1 > start && IsLiteral(pos - 1)) --pos;
        PlaceCaret(pos);
        return false;
    }
    if (start >= textLength) return false;
    int pos = start + 1;
    while (pos < textLength && IsLiteral(pos)) ++pos;
    // Only literals up to the end: the caret stays where it is.
    if (pos == textLength && pos != start + 1) pos = start;
    PlaceCaret(pos);
    return false;
}

bool TuiMaskEditStandardMode::DeleteKey() {
    const int start = SelStart();
    const int length = SelLength();
    std::string text = EditText();
    const int end = std::min(start + length, static_cast<int>(text.size()));
    bool changed = false;
    for (int i = start; i < end; ++i)
        if (i < Mask.Count() && !IsLiteral(i) && text[static_cast<std::size_t>(i)] != BlankChar()) {
            text[static_cast<std::size_t>(i)] = BlankChar();
            changed = true;
        }
    if (changed) WriteText(text, start, 0);
    PlaceCaret(start);
    return false;
}

bool TuiMaskEditStandardMode::Backspace() {
    if (SelLength() <= 1) {
        if (IsAttached()) OwnerEdit->ShiftSelecting = false;
        LeftKey();
    }
    return DeleteKey();
}

bool TuiMaskEditStandardMode::TypeChar(char& Ch) {
    std::string text = EditText();
    const int textLength = static_cast<int>(text.size());
    const int pos = SelStart();
    if (textLength == 0 || pos >= textLength || pos >= Mask.Count()) return false;
    auto blankSelection = [this]() {
        if (SelLength() >= 2) DeleteKey();
    };
    if (IsLiteral(pos)) {
        if (IsAttached()) OwnerEdit->ShiftSelecting = false;
        blankSelection();
        RightKey();
        if (SelStart() != pos) return TypeChar(Ch);
        return false;
    }
    char ch = Ch;
    if (!Mask.Items(pos)->Check(ch)) return false;
    if (IsAttached()) {
        ch = OwnerEdit->FilterChar(ch);
        if (ch == 0) {
            BeepIfAllowed();
            return false;
        }
    }
    blankSelection();
    text = EditText();
    text[static_cast<std::size_t>(pos)] = ch;
    Ch = ch;
    WriteText(text, pos, 0);
    PlaceCaret(pos);
    if (IsAttached()) OwnerEdit->ShiftSelecting = false;
    RightKey();
    return false;
}

void TuiMaskEditStandardMode::TextReplaced(const std::string&) { MouseCaretMoved(); }

void TuiMaskEditStandardMode::ResyncValue() {
    TuiMaskEditCustomMode::ResyncValue();
    MouseCaretMoved();
}

void TuiMaskEditStandardMode::UpdateEditValue() {
    if (!EmptyValuePending) return;
    EmptyValuePending = false;
    if (IsAttached()) OwnerEdit->SetEditValue(Variant(EmptyEditValue()));
}

// ---- Regular-expression mode ----

TuiMaskEditRegExprMode::TuiMaskEditRegExprMode(TuiCustomMaskEdit* AEdit, TuiCustomMaskEditProperties* AProperties)
    : TuiMaskEditCustomMode(AEdit, AProperties), RegExpr(std::make_unique<TuiRegExpr>()) {
    UpdateCaseInsensitive();
}

void TuiMaskEditRegExprMode::UpdateCaseInsensitive() {
    TuiCustomMaskEditProperties* properties = Properties();
    RegExpr->CaseInsensitive = properties != nullptr && properties->GetCaseInsensitive();
}

void TuiMaskEditRegExprMode::Compile(const std::string& AMask) {
    ModeMask = AMask;
    BeforeCaret.clear();
    AfterCaret.clear();
    if (TuiCustomMaskEditProperties::IsMaskBlank(AMask)) {
        RegExpr->Discard();
        return;
    }
    CompileRegExpr(*RegExpr, AMask);
}

std::unique_ptr<TuiRegExpr> TuiMaskEditRegExprMode::CompileCopy() {
    TMemoryStream* source = RegExpr->SourceStream();
    if (source == nullptr) return nullptr;
    auto copy = std::make_unique<TuiRegExpr>();
    copy->CaseInsensitive = RegExpr->CaseInsensitive;
    try {
        source->SetPosition(0);
        copy->Compile(source);
    } catch (const EuiRegExprError&) {
        return nullptr;
    }
    return copy;
}

void TuiMaskEditRegExprMode::Resync() {
    if (!Compiled() || !IsAttached()) return;
    const std::string text = EditText();
    if (!(BeforeCaret.empty() && AfterCaret.empty() && !text.empty()) && !MouseMoved) return;
    MouseMoved = false;
    RegExpr->Restart();
    BeforeCaret.clear();
    AfterCaret = text;
    const int caret = std::min(SelStart(), static_cast<int>(text.size()));
    while (static_cast<int>(BeforeCaret.size()) < caret) MoveRightOne();
}

bool TuiMaskEditRegExprMode::MoveRightOne() {
    if (AfterCaret.empty()) return false;
    char ch = AfterCaret[0];
    RegExpr->Step(ch);
    BeforeCaret += AfterCaret[0];
    AfterCaret.erase(0, 1);
    return true;
}

void TuiMaskEditRegExprMode::MoveLeftOne() {
    if (BeforeCaret.empty()) return;
    RegExpr->StepBack();
    AfterCaret.insert(AfterCaret.begin(), BeforeCaret.back());
    BeforeCaret.pop_back();
}

bool TuiMaskEditRegExprMode::RestFits() {
    int stepped = 0;
    bool fits = true;
    for (char c : AfterCaret) {
        char ch = c;
        if (!RegExpr->Step(ch)) {
            fits = false;
            break;
        }
        ++stepped;
    }
    for (int i = 0; i < stepped; ++i) RegExpr->StepBack();
    return fits;
}

bool TuiMaskEditRegExprMode::KeepRestOrDrop() {
    if (RestFits()) return true;
    DropRest();
    return false;
}

void TuiMaskEditRegExprMode::DropRest() {
    AfterCaret.clear();
    WriteText(BeforeCaret, static_cast<int>(BeforeCaret.size()), 0);
}

bool TuiMaskEditRegExprMode::CutSelection() {
    const int length = SelLength();
    if (length <= 0) return false;
    const int start = SelStart();
    if (start != static_cast<int>(BeforeCaret.size()) && start + length != static_cast<int>(BeforeCaret.size())) {
        // The caret is inside the selection only after an outside change: start from the selection's start.
        MouseMoved = true;
        Resync();
    }
    if (start == static_cast<int>(BeforeCaret.size())) {
        CutText = AfterCaret.substr(0, static_cast<std::size_t>(length));
        AfterCaret.erase(0, static_cast<std::size_t>(length));
        CutAtCaret = true;
    } else {
        CutText = BeforeCaret.substr(static_cast<std::size_t>(start));
        for (std::size_t i = 0; i < CutText.size(); ++i) RegExpr->StepBack();
        BeforeCaret.resize(static_cast<std::size_t>(start));
        CutAtCaret = false;
    }
    return true;
}

void TuiMaskEditRegExprMode::PutBackCut() {
    if (CutAtCaret) {
        AfterCaret = CutText + AfterCaret;
    } else {
        for (char c : CutText) {
            char ch = c;
            RegExpr->Step(ch);
            BeforeCaret += c;
        }
    }
    CutText.clear();
}

bool TuiMaskEditRegExprMode::TypeChar(char& Ch) {
    if (!Compiled()) return true;
    Resync();
    const bool cut = CutSelection();
    char ch = Ch;
    if (RegExpr->Step(ch)) {
        BeforeCaret += ch;
        Ch = ch;
        return KeepRestOrDrop();
    }
    if (cut) PutBackCut();
    BeepIfAllowed();
    return false;
}

bool TuiMaskEditRegExprMode::Backspace() {
    if (!Compiled()) return true;
    Resync();
    if (SelLength() > 0) {
        CutSelection();
        return KeepRestOrDrop();
    }
    if (BeforeCaret.empty()) {
        BeepIfAllowed();
        return false;
    }
    RegExpr->StepBack();
    BeforeCaret.pop_back();
    return KeepRestOrDrop();
}

bool TuiMaskEditRegExprMode::DeleteKey() {
    if (!Compiled()) return true;
    Resync();
    if (SelLength() > 0) {
        CutSelection();
        return KeepRestOrDrop();
    }
    if (AfterCaret.empty()) {
        BeepIfAllowed();
        return false;
    }
    CutText = AfterCaret.substr(0, 1);
    CutAtCaret = true;
    AfterCaret.erase(0, 1);
    return KeepRestOrDrop();
}

bool TuiMaskEditRegExprMode::HomeKey() {
    if (!Compiled()) return true;
    Resync();
    AfterCaret = BeforeCaret + AfterCaret;
    BeforeCaret.clear();
    RegExpr->Restart();
    return true;
}

bool TuiMaskEditRegExprMode::EndKey() {
    if (!Compiled()) return true;
    Resync();
    while (MoveRightOne()) {
    }
    return true;
}

void TuiMaskEditRegExprMode::PrepareSelectAll() { EndKey(); }

bool TuiMaskEditRegExprMode::LeftKey() {
    if (!Compiled()) return true;
    Resync();
    if (BeforeCaret.empty()) return true;
    const bool shift = IsAttached() && OwnerEdit->ShiftSelecting;
    const int start = SelStart();
    const int length = SelLength();
    const int caret = static_cast<int>(BeforeCaret.size());
    if (length > 0 && !shift && start + length == caret) {
        for (int i = 0; i < length; ++i) MoveLeftOne();
    } else if (length > 0 && !shift && start == caret) {
    } else {
        MoveLeftOne();
    }
    return true;
}

bool TuiMaskEditRegExprMode::RightKey() {
    if (!Compiled()) return true;
    Resync();
    if (AfterCaret.empty()) return true;
    const bool shift = IsAttached() && OwnerEdit->ShiftSelecting;
    const int start = SelStart();
    const int length = SelLength();
    const int caret = static_cast<int>(BeforeCaret.size());
    if (length > 0 && !shift && start == caret) {
        for (int i = 0; i < length; ++i) MoveRightOne();
    } else if (length > 0 && !shift && start + length == caret) {
    } else {
        MoveRightOne();
    }
    return true;
}

std::string TuiMaskEditRegExprMode::FormatText(const std::string& AText, bool) {
    if (!Compiled()) return AText;
    RegExpr->Restart();
    return RegExpr->Filter(AText);
}

bool TuiMaskEditRegExprMode::IsFullValid(const std::string& AText) {
    if (AText.empty()) return true;
    std::unique_ptr<TuiRegExpr> engine = CompileCopy();
    if (engine == nullptr) return false;
    for (char c : AText) {
        char ch = c;
        if (!engine->Step(ch)) return false;
    }
    TuiCustomMaskEditProperties* properties = Properties();
    return (properties != nullptr && properties->GetIgnoreMaskBlank()) || engine->IsAccepting();
}

void TuiMaskEditRegExprMode::TextReplaced(const std::string& AText) {
    if (!Compiled()) return;
    RegExpr->Restart();
    BeforeCaret.clear();
    AfterCaret = AText;
    if (PastedLength == 0) return;
    const int stop = std::min(SelStart() + PastedLength, static_cast<int>(AText.size()));
    PastedLength = 0;
    while (static_cast<int>(BeforeCaret.size()) < stop) MoveRightOne();
    SetSelection(static_cast<int>(BeforeCaret.size()), 0);
}

void TuiMaskEditRegExprMode::ResyncValue() {
    TuiMaskEditCustomMode::ResyncValue();
    if (!Compiled()) return;
    const std::string text = EditText();
    SetSelection(static_cast<int>(text.size()), 0);
    BeforeCaret = text;
    AfterCaret.clear();
    RegExpr->Restart();
    RegExpr->Filter(text);
}

// ---- Extended regular-expression mode ----

TuiMaskEditRegExprExMode::TuiMaskEditRegExprExMode(TuiCustomMaskEdit* AEdit, TuiCustomMaskEditProperties* AProperties)
    : TuiMaskEditRegExprMode(AEdit, AProperties) {
    RegExpr->SetAutoLiterals(true);
    RegExpr->OnForcedCharAdded = [this](char Ch) { PendingForced += Ch; };
    RegExpr->OnForcedCharRemoved = [this]() { ++RemovedCount; };
}

void TuiMaskEditRegExprExMode::ClearPending() {
    PendingForced.clear();
    RemovedCount = 0;
}

void TuiMaskEditRegExprExMode::Compile(const std::string& AMask) {
    TuiMaskEditRegExprMode::Compile(AMask);
    ClearPending();
}

std::string TuiMaskEditRegExprExMode::ForcedStart() {
    std::unique_ptr<TuiRegExpr> engine = CompileCopy();
    if (engine == nullptr) return "";
    std::string forced;
    engine->OnForcedCharAdded = [&forced](char Ch) { forced += Ch; };
    engine->SetAutoLiterals(true);
    return forced;
}

std::string TuiMaskEditRegExprExMode::EmptyEditValue() { return ForcedStart(); }

std::string TuiMaskEditRegExprExMode::FormatText(const std::string& AText, bool) {
    if (!Compiled()) return AText;
    // The characters the automaton takes in turn, each followed by the characters the mask forces after it,
    // so that a value given without its separators ("1234" under \d\d/\d\d) still shows whole.
    RegExpr->Restart();
    ClearPending();
    RegExpr->SetAutoLiterals(true);
    std::string text = PendingForced;
    ClearPending();
    for (char c : AText) {
        char ch = c;
        if (RegExpr->Step(ch)) text += c + PendingForced;
        ClearPending();
    }
    return text;
}

bool TuiMaskEditRegExprExMode::IsFullValid(const std::string& AText) {
    if (Compiled() && AText == ForcedStart()) return true;
    return TuiMaskEditRegExprMode::IsFullValid(AText);
}

void TuiMaskEditRegExprExMode::SendKeys(UINT AMessage, WPARAM AKey, int ACount) {
    if (IsAttached()) OwnerEdit->SendInternalKeys(AMessage, AKey, ACount);
}

bool TuiMaskEditRegExprExMode::UnitForward() {
    if (AfterCaret.empty()) return false;
    ClearPending();
    char ch = AfterCaret[0];
    std::size_t unit = 1;
    if (RegExpr->Step(ch)) {
        // The forced characters the step brought are already in the text after the character.
        const std::size_t forced = PendingForced.size();
        if (AfterCaret.compare(1, forced, PendingForced) == 0) unit += forced;
    }
    ClearPending();
    unit = std::min(unit, AfterCaret.size());
    BeforeCaret += AfterCaret.substr(0, unit);
    AfterCaret.erase(0, unit);
    return true;
}

bool TuiMaskEditRegExprExMode::UnitBack() {
    if (BeforeCaret.empty()) return false;
    ClearPending();
    RegExpr->StepBack();
    const std::size_t unit = std::min(BeforeCaret.size(), static_cast<std::size_t>(RemovedCount) + 1);
    ClearPending();
    AfterCaret.insert(0, BeforeCaret.substr(BeforeCaret.size() - unit));
    BeforeCaret.resize(BeforeCaret.size() - unit);
    if (BeforeCaret.empty()) RegExpr->Restart();
    return true;
}

void TuiMaskEditRegExprExMode::Resync() {
    if (!Compiled() || !IsAttached()) return;
    const std::string text = EditText();
    if (BeforeCaret.empty() && AfterCaret.empty() && !text.empty()) {
        AfterCaret = text;
        RegExpr->Restart();
        MouseMoved = true;
    }
    if (!MouseMoved) return;
    MouseMoved = false;
    const int start = SelStart();
    const int length = SelLength();
    if (static_cast<int>(BeforeCaret.size()) > start) {
        while (static_cast<int>(BeforeCaret.size()) > start && UnitBack()) {
        }
    } else {
        while (static_cast<int>(BeforeCaret.size()) < start && UnitForward()) {
        }
        // Overshot into a unit: back to its start.
        if (static_cast<int>(BeforeCaret.size()) > start) UnitBack();
    }
    const int unitStart = static_cast<int>(BeforeCaret.size());
    if (length > 0) {
        while (static_cast<int>(BeforeCaret.size()) < start + length && UnitForward()) {
        }
        SetSelection(unitStart, static_cast<int>(BeforeCaret.size()) - unitStart);
        // The caret is at the selection's end: the edit's selection keeps its anchor at the start.
        if (IsAttached()) OwnerEdit->SetModeSelectionFromTo(unitStart, static_cast<int>(BeforeCaret.size()));
    } else if (unitStart != start) {
        pasteCaret_ = unitStart;
        SetSelection(unitStart, 0);
    }
}

void TuiMaskEditRegExprExMode::PrepareSelectAll() {
    if (!Compiled()) return;
    Resync();
    ClearPending();
    while (UnitForward()) {
    }
}

bool TuiMaskEditRegExprExMode::EndKey() {
    PrepareSelectAll();
    return true;
}

bool TuiMaskEditRegExprExMode::HomeKey() {
    if (!Compiled()) return true;
    Resync();
    ClearPending();
    while (UnitBack()) {
    }
    return true;
}

bool TuiMaskEditRegExprExMode::TypeChar(char& Ch) {
    if (!Compiled()) return true;
    Resync();
    ClearPending();
    const int selStart = SelStart();
    const int selEnd = selStart + SelLength();
    const bool cut = CutSelection();
    const std::string forcedStart = cut && selStart == 0 ? ForcedStart() : std::string();
    if (!forcedStart.empty()) {
        // The forced start characters stay: the cut begins after them.
        RegExpr->Restart();
        ClearPending();
        RegExpr->SetAutoLiterals(true);
        ClearPending();
        BeforeCaret = forcedStart;
        if (!CutAtCaret && CutText.compare(0, forcedStart.size(), forcedStart) == 0)
            CutText.erase(0, forcedStart.size());
        if (IsAttached())
            OwnerEdit->SetModeSelectionFromTo(std::min(static_cast<int>(forcedStart.size()), selEnd), selEnd);
    }
    char ch = Ch;
    if (RegExpr->Step(ch)) {
        const std::string forced = PendingForced;
        ClearPending();
        BeforeCaret += ch;
        BeforeCaret += forced;
        Ch = ch;
        SendKeys(WM_CHAR, static_cast<unsigned char>(ch));
        for (char f : forced) SendKeys(WM_CHAR, static_cast<unsigned char>(f));
        RegExpr->SetAutoLiterals(false);
        const bool fits = RestFits();
        RegExpr->SetAutoLiterals(true);
        ClearPending();
        if (!fits) DropRest();
        return false;
    }
    ClearPending();
    if (cut) PutBackCut();
    BeepIfAllowed();
    return false;
}

bool TuiMaskEditRegExprExMode::Backspace() {
    if (!Compiled()) return true;
    Resync();
    ClearPending();
    if (SelLength() > 0) return TuiMaskEditRegExprMode::Backspace();
    if (BeforeCaret.empty()) {
        BeepIfAllowed();
        return false;
    }
    const std::size_t forcedStart = ForcedStart().size();
    RegExpr->StepBack();
    const std::size_t unit = std::min(BeforeCaret.size(), static_cast<std::size_t>(RemovedCount) + 1);
    ClearPending();
    if (BeforeCaret.size() - unit < forcedStart) {
        // The characters the mask starts with stay.
        RegExpr->Restart();
        std::string before = BeforeCaret;
        RegExpr->SetAutoLiterals(false);
        for (char c : before) {
            char ch = c;
            RegExpr->Step(ch);
        }
        RegExpr->SetAutoLiterals(true);
        ClearPending();
        BeepIfAllowed();
        return false;
    }
    BeforeCaret.resize(BeforeCaret.size() - unit);
    if (BeforeCaret.empty()) RegExpr->Restart();
    SendKeys(WM_CHAR, VK_BACK, static_cast<int>(unit));
    RegExpr->SetAutoLiterals(false);
    const bool fits = RestFits();
    RegExpr->SetAutoLiterals(true);
    ClearPending();
    if (!fits) DropRest();
    return false;
}

bool TuiMaskEditRegExprExMode::DeleteKey() {
    if (!Compiled()) return true;
    Resync();
    ClearPending();
    if (SelLength() > 0) return TuiMaskEditRegExprMode::DeleteKey();
    if (AfterCaret.empty()) {
        BeepIfAllowed();
        return false;
    }
    // The unit after the caret: its character and the forced characters it brought.
    std::size_t unit = 1;
    char ch = AfterCaret[0];
    if (RegExpr->Step(ch)) {
        const std::size_t forced = PendingForced.size();
        if (AfterCaret.compare(1, forced, PendingForced) == 0) unit += forced;
        ClearPending();
        RegExpr->StepBack();
    }
    ClearPending();
    unit = std::min(unit, AfterCaret.size());
    AfterCaret.erase(0, unit);
    SendKeys(WM_KEYDOWN, VK_DELETE, static_cast<int>(unit));
    RegExpr->SetAutoLiterals(false);
    const bool fits = RestFits();
    RegExpr->SetAutoLiterals(true);
    ClearPending();
    if (!fits) DropRest();
    return false;
}

bool TuiMaskEditRegExprExMode::LeftKey() {
    if (!Compiled()) return true;
    Resync();
    ClearPending();
    const bool shift = IsAttached() && OwnerEdit->ShiftSelecting;
    const int start = SelStart();
    const int length = SelLength();
    const int caret = static_cast<int>(BeforeCaret.size());
    const int anchor = length > 0 && start == caret ? start + length : start;
    if (length > 0 && !shift) {
        while (static_cast<int>(BeforeCaret.size()) > start && UnitBack()) {
        }
    } else {
        UnitBack();
    }
    const int moved = static_cast<int>(BeforeCaret.size());
    if (IsAttached()) {
        if (shift) OwnerEdit->SetModeSelectionFromTo(length > 0 ? anchor : caret, moved);
        else SetSelection(moved, 0);
    }
    return false;
}

bool TuiMaskEditRegExprExMode::RightKey() {
    if (!Compiled()) return true;
    Resync();
    ClearPending();
    const bool shift = IsAttached() && OwnerEdit->ShiftSelecting;
    const int start = SelStart();
    const int length = SelLength();
    const int caret = static_cast<int>(BeforeCaret.size());
    const int anchor = length > 0 && start == caret ? start + length : start;
    if (length > 0 && !shift) {
        while (static_cast<int>(BeforeCaret.size()) < start + length && UnitForward()) {
        }
    } else {
        UnitForward();
    }
    const int moved = static_cast<int>(BeforeCaret.size());
    if (IsAttached()) {
        if (shift) OwnerEdit->SetModeSelectionFromTo(length > 0 ? anchor : caret, moved);
        else SetSelection(moved, 0);
    }
    return false;
}

void TuiMaskEditRegExprExMode::TextReplaced(const std::string& AText) {
    if (!Compiled()) return;
    const int pasted = PastedLength;
    PastedLength = 0;
    RegExpr->Restart();
    RegExpr->SetAutoLiterals(false);
    for (char c : AText) {
        char ch = c;
        RegExpr->Step(ch);
    }
    ClearPending();
    RegExpr->SetAutoLiterals(true);
    BeforeCaret = AText + PendingForced;
    AfterCaret.clear();
    ClearPending();
    if (!IsAttached()) return;
    pasteCaret_ = -1;
    if (pasted > 0) SetSelection(std::min(SelStart() + pasted, static_cast<int>(AText.size())), 0);
    MouseMoved = true;
    Resync();
}

void TuiMaskEditRegExprExMode::AfterPaste() {
    if (pasteCaret_ >= 0) SetSelection(pasteCaret_, 0);
    pasteCaret_ = -1;
}

void TuiMaskEditRegExprExMode::UpdateEditValue() {
    if (PendingForced.empty()) return;
    if (IsAttached()) OwnerEdit->SetEditValue(Variant(PendingForced));
    ClearPending();
}

}  // namespace zel
