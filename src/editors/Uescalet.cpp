#include "editors/Uescalet.h"

#include <string>

#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/SystemElem.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uescalet;
}

namespace {
const TFormClassRegistration registration("TFormScaleTune", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormScaleTune>(Owner);
});

// A note's offset is stored 64 higher: 0..127 for -64..+63.
constexpr int OffsetBias = 64;
}  // namespace

const TFormResource* TFormScaleTune::FormResource() const { return &formres::Uescalet; }

void TFormScaleTune::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("PanelBtn", PanelBtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("CopyBtn", CopyBtn);
    B.Field("PasteBtn", PasteBtn);
    B.Field("BtnReverAll", BtnReverAll);
    for (std::size_t i = 0; i < SpeedButtons.size(); ++i)
        B.Field("SpeedButton" + std::to_string(i + 1), SpeedButtons[i]);
    for (std::size_t i = 0; i < Tune.size(); ++i) B.Field("Tune" + std::to_string(i + 1), Tune[i]);
    using N = TNotifyEvent;
    B.Handler<N>("SpeedButton1Click", [this](TObject* s) { SpeedButton1Click(s); });
    B.Handler<N>("Tune1EndChange", [this](TObject* s) { Tune1EndChange(s); });
    B.Handler<N>("CopyBtnClick", [this](TObject* s) { CopyBtnClick(s); });
    B.Handler<N>("PasteBtnClick", [this](TObject* s) { PasteBtnClick(s); });
    B.Handler<N>("BtnReverAllClick", [this](TObject* s) { BtnReverAllClick(s); });
}

void TFormScaleTune::TakeOpenerVariables() { EditElem = OpeningScaleTune; }

// ---- the scale tune on show is the block the protocol reads and writes

std::uint8_t TFormScaleTune::GetParam(int Position) const {
    return EditElem != nullptr ? EditElem->ScaleTune(CurrentScaleTune).GetParam(Position) : 0;
}

void TFormScaleTune::SetParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->ScaleTune(CurrentScaleTune).SetParam(Position, Value);
}

void TFormScaleTune::PutParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->ScaleTune(CurrentScaleTune).Data()[Position] = Value;
}

// ------------------------------------------------------------------------------------------ the window

void TFormScaleTune::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditorCaption("Scale Tune"));
    for (int k = 0; k < NoteCount; ++k)
        Tune[static_cast<std::size_t>(k)]->SetCode(ClampToRange(GetParam(k) - OffsetBias, -64, 63));
    CheckBtnEnabled();
    const TClipboard* clipboard = ModelServices().Clipboard;
    PasteBtn->SetEnabled(clipboard != nullptr && clipboard->ScaleTuneHeld != 0);
}

void TFormScaleTune::ShowScaleTune(int n) {
    CurrentScaleTune = ClampToRange(n, 1, ScaleTuneCount);
    SpeedButtons[static_cast<std::size_t>(CurrentScaleTune - 1)]->SetDown(true);
    UpdateView();
}

void TFormScaleTune::FormShow(TObject* Sender) {
    CurrentScaleTune = 1;
    SpeedButtons[0]->SetDown(true);
    TSystemSectionEditor::FormShow(Sender);
}

void TFormScaleTune::SpeedButton1Click(TObject* Sender) {
    const auto* button = dynamic_cast<const TSpeedButton*>(Sender);
    if (button == nullptr || button->Tag < 1 || button->Tag > ScaleTuneCount || Closed()) return;
    ShowScaleTune(static_cast<int>(button->Tag));
}

void TFormScaleTune::Tune1EndChange(TObject* Sender) {
    const auto* field = dynamic_cast<const TMyEdit*>(Sender);
    if (field != nullptr && field->Tag >= 1 && field->Tag <= NoteCount)
        SendandStore(static_cast<int>(field->Tag) - 1, field->GetCode() + OffsetBias);
}

void TFormScaleTune::CopyBtnClick(TObject*) {
    TClipboard* clipboard = ModelServices().Clipboard;
    if (EditElem == nullptr || clipboard == nullptr) return;
    clipboard->CopyScaleTune(EditElem->ScaleTune(CurrentScaleTune));
    PasteBtn->SetEnabled(clipboard->ScaleTuneHeld != 0);
}

void TFormScaleTune::PasteBtnClick(TObject*) {
    const TClipboard* clipboard = ModelServices().Clipboard;
    if (EditElem == nullptr || Closed() || clipboard == nullptr || clipboard->ScaleTuneHeld == 0) return;
    // The paste has no undo record, but it changes the system, which is therefore marked modified.
    clipboard->PasteScaleTune(EditElem->ScaleTune(CurrentScaleTune));
    UpdateView();
    EditElem->TransmitToTemp();
    TouchElement(EditElem);
}

void TFormScaleTune::BtnReverAllClick(TObject*) {
    if (EditElem == nullptr || Closed()) return;
    bool reverted = false;
    for (int n = 1; n <= ScaleTuneCount; ++n) {
        TUndoList* list = UndoList[static_cast<std::size_t>(n - 1)].get();
        std::uint16_t position = 0;
        std::uint8_t value = 0;
        std::uint8_t group = 1;
        while (list->Pop(position, value, group)) {
            if (position >= NoteCount) continue;
            EditElem->ScaleTune(n).Data()[position] = value;
            reverted = true;
        }
    }
    ShowScaleTune(1);
    EditElem->TransmitToTemp();
    // Revert All changes the system like any edit: it is marked modified.
    if (reverted) TouchElement(EditElem);
}

}  // namespace zel
