#include "editors/ToneEditor.h"

#include "model/Patch.h"
#include "platform/vcl/FormReader.h"

namespace zel {

void TToneEditor::DefineToneBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("Panelbtn", Panelbtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
}

void TToneEditor::TakeTone(TPatch* Patch, int Tone) {
    if (Patch == nullptr || Tone < 1 || Tone > ToneCount) return;
    EditElem = Patch;
    ToneIndex = static_cast<std::uint8_t>(Tone);
}

TEditorSlot& TToneEditor::Slot() const {
    return EditElem->Tone(ToneIndex).Editors[static_cast<std::size_t>(ToneSlot())];
}

void TToneEditor::StoreEnvelope(const TPanGraph* Graph, int TimePosition, int LevelPosition, int Levels) {
    if (Graph == nullptr) return;
    const TGraphPoints points = Graph->GetPoints();
    for (int n = 1; n <= 4; ++n) SendandStore(TimePosition + n - 1, points[static_cast<std::size_t>(n)].Time);
    for (int n = 1; n <= Levels; ++n) SendandStore(LevelPosition + n - 1, points[static_cast<std::size_t>(n)].Level);
}

TGraphPoints TToneEditor::EnvelopeOf(int TimePosition, int LevelPosition, int Levels) const {
    TGraphPoints points;
    for (int n = 1; n <= 4; ++n) {
        TGraphPoint& p = points[static_cast<std::size_t>(n)];
        p.Time = ClampToRange(GetParam(TimePosition + n - 1), 0, 127);
        if (n <= Levels) p.Level = ClampToRange(GetParam(LevelPosition + n - 1), 0, 127);
    }
    return points;
}

void TToneEditor::ShowCode(TMyEdit* Field, int Code) {
    if (Field != nullptr) Field->SetCode(ClampToRange(Code, Field->LowestCode(), Field->HighestCode()));
}

void TToneEditor::ShowItem(TComboBox* Combo, int Byte) {
    if (Combo == nullptr) return;
    Combo->SetItemIndex(Byte < Combo->Items()->GetCount() ? Byte : -1);
}

int TToneEditor::TagOf(TObject* Sender) {
    const auto* control = dynamic_cast<const TControl*>(Sender);
    return control != nullptr ? control->Tag : -1;
}

}  // namespace zel
