#include "editors/EditorForm.h"

#include <array>
#include <exception>

#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/LibElem.h"
#include "model/Patch.h"
#include "model/SharedRoutines.h"
#include "platform/vcl/FormReader.h"

namespace zel {

// ---------------------------------------------------------------------------------------------- TEditorForm

TEditorForm::~TEditorForm() { GiveBackMidiInput(); }

void TEditorForm::DefineProtocolBindings(TFormBindings& B) {
    using N = TNotifyEvent;
    B.Handler<N>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<N>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<N>("FormActivate", [this](TObject* s) { FormActivate(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<N>("FormDestroy", [this](TObject* s) { FormDestroy(s); });
    B.Handler<N>("FormResize", [this](TObject* s) { FormResize(s); });
    B.Handler<N>("BtncloseClick", [this](TObject* s) { BtncloseClick(s); });
    B.Handler<N>("BtnUndoClick", [this](TObject* s) { BtnUndoClick(s); });
    B.Handler<N>("BtnRevertClick", [this](TObject* s) { BtnRevertClick(s); });
}

TUndoList* TEditorForm::CurrentUndoList() const {
    const int index = CurrentUndoIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= UndoList.size()) return nullptr;
    return UndoList[static_cast<std::size_t>(index)].get();
}

void TEditorForm::CheckBtnEnabled() {
    const TUndoList* list = CurrentUndoList();
    const bool any = list != nullptr && list->Count() > 0;
    if (BtnUndo != nullptr) BtnUndo->SetEnabled(any);
    if (BtnRevert != nullptr) BtnRevert->SetEnabled(any);
}

void TEditorForm::SendandStore(int Position, int Value) {
    // Filling the controls writes nothing, whatever a control reports while it is set.
    if (Closed() || InUpdateView != 0 || Element() == nullptr) return;
    const auto value = static_cast<std::uint8_t>(Value & 0xFF);
    const std::uint8_t old = GetParam(Position);
    if (old == value) return;
    // A byte the instrument cannot carry is refused before anything is recorded.
    if (value >= 0x80) return;
    TUndoList* list = CurrentUndoList();
    SetParam(Position, value);
    if (list != nullptr) list->Push(static_cast<std::uint16_t>(Position), std::array<std::uint8_t, 1>{old});
    TouchElement(Element());
    CheckBtnEnabled();
}

void TEditorForm::SendAndStoreArray(int Position, std::span<const std::uint8_t> Bytes) {
    if (Closed() || InUpdateView != 0 || Element() == nullptr || Bytes.empty()) return;
    std::vector<std::uint8_t> old(Bytes.size());
    bool changed = false;
    for (std::size_t i = 0; i < Bytes.size(); ++i) {
        if (Bytes[i] >= 0x80) return;
        old[i] = GetParam(Position + static_cast<int>(i));
        changed = changed || old[i] != Bytes[i];
    }
    // A run equal to what is stored (a key released without typing) neither sends nor records.
    if (!changed) return;
    TUndoList* list = CurrentUndoList();
    SetParams(Position, Bytes);
    if (list != nullptr) list->Push(static_cast<std::uint16_t>(Position), old);
    TouchElement(Element());
    CheckBtnEnabled();
}

void TEditorForm::BtnUndoClick(TObject*) {
    TUndoList* list = CurrentUndoList();
    if (Closed() || list == nullptr || list->Count() == 0 || Element() == nullptr) return;
    std::uint16_t position = 0;
    std::uint8_t value = 0;
    std::uint8_t group = 1;
    list->Pop(position, value, group);
    if (group > 1) {
        // The group's records come back from the highest position down; the last one carries the first.
        std::vector<std::uint8_t> bytes(group);
        bytes[group - 1u] = value;
        for (int i = group - 2; i >= 0; --i) {
            std::uint8_t size = 0;
            if (!list->Pop(position, value, size)) break;
            bytes[static_cast<std::size_t>(i)] = value;
        }
        SetParams(position, bytes);
    } else {
        SetParam(position, value);
    }
    TouchElement(Element());
    UpdateView();
    CheckBtnEnabled();
}

void TEditorForm::BtnRevertClick(TObject*) {
    TUndoList* list = CurrentUndoList();
    if (Closed() || list == nullptr || list->Count() == 0 || Element() == nullptr) return;
    std::uint16_t position = 0;
    std::uint8_t value = 0;
    std::uint8_t group = 1;
    while (list->Pop(position, value, group)) PutParam(position, value);
    UpdateView();
    SendBlockToTemp();
    TouchElement(Element());
    CheckBtnEnabled();
}

void TEditorForm::UpdateElementView() {
    if (!Closed() && Element() != nullptr) UpdateView();
}

// ------------------------------------------------------------------------------------------- lifecycle

void TEditorForm::FormCreate(TObject*) {
    HelpContext = HelpContextNumber();
    for (int i = 0; i < UndoListCount(); ++i) UndoList.push_back(std::make_unique<TUndoList>());
    TakeOpenerVariables();
    MarkOpen();
    PlaceWindow();
}

void TEditorForm::FormShow(TObject*) {
    if (Closed() || Element() == nullptr) return;
    UpdateView();
    if (TUndoList* list = CurrentUndoList()) list->Clear();
    CheckBtnEnabled();
}

void TEditorForm::FormActivate(TObject*) {
    if (!Closed()) MakeCurrent();
}

void TEditorForm::FormResize(TObject*) {
    const TControl* panel = ButtonPanel();
    if (panel == nullptr) return;
    SetWidth(panel->GetWidth() + 16);
    SetHeight(panel->GetTop() + panel->GetHeight() + 32);
}

void TEditorForm::BtncloseClick(TObject*) { Close(); }

void TEditorForm::FormClose(TObject*, TCloseAction& Action) {
    // The window frees itself; until then it hears nothing more.
    Action = caNone;
    Disconnect();
    Release();
}

void TEditorForm::FormDestroy(TObject*) {
    if (!closed_) RunCloseSteps();
}

void TEditorForm::RunCloseSteps() {
    closed_ = true;
    // A section drag that started here ends with the window: nothing will report its end any more.
    if (TDragInfo* drag = ModelServices().DragInfo; drag != nullptr && drag->Source == this) {
        SectionDragActive = 0;
        drag->Source = nullptr;
        drag->Accepted = 0;
    }
    UndoList.clear();
    try {
        CloseSteps();
    } catch (const std::exception&) {
        // Closing runs from destructors; the element's side reports its own failures.
    }
}

void TEditorForm::ReleaseByElement() {
    if (!closed_) RunCloseSteps();
    OnDestroy = nullptr;
    Disconnect();
    ForgetElement();
    Release();
}

void TEditorForm::Disconnect() {
    OnActivate = nullptr;
    GiveBackMidiInput();
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* timer = dynamic_cast<TTimer*>(Components(i))) timer->SetEnabled(false);
    if (GetVisible()) Hide();
}

void TEditorForm::TakeMidiInput(TNotifyEvent Handler) {
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (ports == nullptr) return;
    ports->SetInputHandler(std::move(Handler));
    holdsInput_ = true;
    inputHandover_ = ports->InputHandovers();
}

bool TEditorForm::HoldsMidiInput() const {
    const IMidiPorts* ports = ModelServices().MidiPorts;
    return holdsInput_ && ports != nullptr && ports->InputHandovers() == inputHandover_;
}

void TEditorForm::GiveBackMidiInput() {
    const bool holds = HoldsMidiInput();
    holdsInput_ = false;
    if (holds) ModelServices().MidiPorts->SetInputHandler(ModelServices().DefaultMidiInput);
}

// ---- a window without a block reads and writes nothing

std::uint8_t TEditorForm::GetParam(int) const { return 0; }
void TEditorForm::SetParam(int, std::uint8_t) {}
void TEditorForm::SetParams(int, std::span<const std::uint8_t>) {}
void TEditorForm::PutParam(int, std::uint8_t) {}

// -------------------------------------------------------------------------------------- TPatchSectionEditor

void TEditorForm::MarkOpen() {
    if (TEditorSlot* slot = EditorSlot()) {
        slot->EditorOpen = 1;
        slot->EditorForm = this;
    }
}

void TEditorForm::PlaceWindow() {
    if (TEditorSlot* slot = EditorSlot()) PlaceMdiChild(slot->Left, slot->Top, this);
}

void TEditorForm::CloseSteps() {
    TEditorSlot* slot = EditorSlot();
    if (slot == nullptr || slot->EditorForm != this) return;
    slot->Left = static_cast<std::int16_t>(GetLeft());
    slot->Top = static_cast<std::int16_t>(GetTop());
    slot->EditorOpen = 0;
    slot->EditorForm = nullptr;
}

TLibElem* TPatchSectionEditor::Element() const { return EditElem; }

std::string TPatchSectionEditor::EditorCaption(const std::string& Word) const {
    if (EditElem == nullptr) return Caption();
    std::string caption = EditElem->GetName() + " [" + Word + "]";
    if (ToneIndex != 0) caption += " [Tone " + std::to_string(ToneIndex) + "]";
    return caption + " [Loc : " + OwnerPathText(EditElem) + "]";
}

TEditorSlot* TPatchSectionEditor::EditorSlot() const { return EditElem != nullptr ? &Slot() : nullptr; }

void TPatchSectionEditor::MakeCurrent() { MakeCurrentPatch(EditElem); }

std::uint8_t TPatchSectionEditor::GetParam(int Position) const {
    if (EditElem == nullptr) return 0;
    return ToneIndex == 0 ? EditElem->Common->GetParam(Position) : EditElem->Tone(ToneIndex).GetParam(Position);
}

void TPatchSectionEditor::SetParam(int Position, std::uint8_t Value) {
    if (EditElem == nullptr) return;
    if (ToneIndex == 0) EditElem->Common->SetParam(Position, Value);
    else EditElem->Tone(ToneIndex).SetParam(Position, Value);
}

void TPatchSectionEditor::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    if (EditElem == nullptr) return;
    if (ToneIndex == 0) EditElem->Common->SetParams(Position, Bytes);
    else EditElem->Tone(ToneIndex).SetParams(Position, Bytes);
}

void TPatchSectionEditor::PutParam(int Position, std::uint8_t Value) {
    if (EditElem == nullptr) return;
    if (ToneIndex == 0) EditElem->Common->Data()[Position] = Value;
    else EditElem->Tone(ToneIndex).Data()[TTone::DataPosition(Position)] = Value;
}

void TPatchSectionEditor::SendBlockToTemp() {
    if (EditElem == nullptr) return;
    if (ToneIndex == 0) EditElem->Common->SendToTemp();
    else EditElem->Tone(ToneIndex).SendToTemp();
}

}  // namespace zel
