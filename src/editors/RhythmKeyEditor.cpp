#include "editors/RhythmKeyEditor.h"

#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/Rhythm.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

void TRhythmKeyEditor::DefineKeyEditorBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("KeySelector", KeySelector);
    B.Field("Key", Key);
    B.Field("PanelBtn", PanelBtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("BtnReverAll", BtnReverAll);
    B.Field("CopyBtn", CopyBtn);
    B.Field("PasteBtn", PasteBtn);
    using N = TNotifyEvent;
    B.Handler<N>("KeySelectorChange", [this](TObject* s) { KeySelectorChange(s); });
    B.Handler<N>("KeySelectorEndchange", [this](TObject* s) { KeySelectorEndchange(s); });
    B.Handler<N>("CopyBtnClick", [this](TObject* s) { CopyBtnClick(s); });
    B.Handler<N>("PasteBtnClick", [this](TObject* s) { PasteBtnClick(s); });
    B.Handler<N>("BtnReverAllClick", [this](TObject* s) { BtnReverAllClick(s); });
}

int TRhythmKeyEditor::KeyIndex() const {
    const int index = KeySelector != nullptr ? KeySelector->GetKeySelected() : -1;
    return ClampToRange(index, -1, RhythmNoteCount - 2);
}

// ------------------------------------------------------------------------------------------ the protocol

TLibElem* TRhythmKeyEditor::Element() const { return EditElem; }
TEditorSlot* TRhythmKeyEditor::EditorSlot() const {
    return EditElem != nullptr ? &EditElem->Editors[static_cast<std::size_t>(EditorIndex())] : nullptr;
}

void TRhythmKeyEditor::MakeCurrent() { MakeCurrentRhythm(EditElem); }

std::uint8_t TRhythmKeyEditor::GetParam(int Position) const {
    return EditElem != nullptr ? EditElem->Note(CurrentKey()).GetParam(Position) : 0;
}
void TRhythmKeyEditor::SetParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Note(CurrentKey()).SetParam(Position, Value);
}
void TRhythmKeyEditor::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    if (EditElem != nullptr) EditElem->Note(CurrentKey()).SetParams(Position, Bytes);
}
void TRhythmKeyEditor::PutParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Note(CurrentKey()).Data()[Position] = Value;
}
void TRhythmKeyEditor::SendBlockToTemp() {
    if (EditElem != nullptr) EditElem->TransmitToTemp();
}

void TRhythmKeyEditor::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditElem->GetName() + " [" + Word() + "] [Loc : " + OwnerPathText(EditElem) + "]");
    FillControls();
    const TClipboard* clipboard = ModelServices().Clipboard;
    PasteBtn->SetEnabled(clipboard != nullptr && clipboard->RhythmSectionHeld(SectionKind()));
    CheckBtnEnabled();
}

void TRhythmKeyEditor::ShowKeyName() { Key->SetCaption(NoteToText(CurrentKey()) + "  "); }

void TRhythmKeyEditor::FormShow(TObject*) {
    if (Closed() || EditElem == nullptr) return;
    KeySelector->SetKeySelected(-1);
    ShowKeyName();
    UpdateView();
    for (auto& list : UndoList) list->Clear();
    CheckBtnEnabled();
}

// -------------------------------------------------------------------------------------------------- keys

void TRhythmKeyEditor::KeySelectorChange(TObject*) { ShowKeyName(); }

void TRhythmKeyEditor::KeySelectorEndchange(TObject*) {
    ShowKeyName();
    UpdateView();
}

// ------------------------------------------------------------------------------- copy, paste, revert

void TRhythmKeyEditor::CopyBtnClick(TObject*) {
    TClipboard* clipboard = ModelServices().Clipboard;
    if (clipboard == nullptr || EditElem == nullptr || Closed()) return;
    clipboard->CopyRhythmSection(EditElem->Note(CurrentKey()), SectionKind());
    PasteBtn->SetEnabled(true);
}

void TRhythmKeyEditor::PasteBtnClick(TObject*) {
    const TClipboard* clipboard = ModelServices().Clipboard;
    if (clipboard == nullptr || !clipboard->RhythmSectionHeld(SectionKind()) || EditElem == nullptr || Closed()) return;
    clipboard->PasteRhythmSection(EditElem->Note(CurrentKey()), SectionKind());
    UpdateView();
    // The pasted section is a change of the set, though it has no undo record.
    TouchElement(EditElem);
    EditElem->TransmitToTemp();
}

void TRhythmKeyEditor::BtnReverAllClick(TObject*) {
    if (EditElem == nullptr || Closed()) return;
    for (int key = FirstRhythmKey; key <= LastRhythmKey; ++key) {
        TUndoList& list = *UndoList[static_cast<std::size_t>(key - FirstRhythmKey)];
        std::uint16_t position = 0;
        std::uint8_t value = 0;
        std::uint8_t group = 1;
        while (list.Pop(position, value, group)) EditElem->Note(key).Data()[position] = value;
    }
    KeySelector->SetKeySelected(-1);
    ShowKeyName();
    UpdateView();
    TouchElement(EditElem);
    EditElem->TransmitToTemp();
}

// ------------------------------------------------------------------------------------------------ graphs

void TRhythmKeyEditor::WriteGraph(const TPanGraph& Graph, int FirstTime, int Levels) {
    const TGraphPoints points = Graph.GetPoints();
    for (int i = 1; i <= 4; ++i) SendandStore(FirstTime + i - 1, points[static_cast<std::size_t>(i)].Time);
    for (int i = 1; i <= Levels; ++i) SendandStore(FirstTime + 3 + i, points[static_cast<std::size_t>(i)].Level);
}

void TRhythmKeyEditor::ShowGraph(TPanGraph& Graph, int FirstTime, int Levels) const {
    TGraphPoints points = Graph.GetPoints();
    for (int i = 1; i <= 4; ++i) {
        auto& point = points[static_cast<std::size_t>(i)];
        point.Time = ClampToRange(GetParam(FirstTime + i - 1), 0, 127);
        if (i <= Levels) point.Level = ClampToRange(GetParam(FirstTime + 3 + i), 0, 127);
    }
    Graph.SetPoints(points);
}

}  // namespace zel
