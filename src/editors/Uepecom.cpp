#include "editors/Uepecom.h"

#include "model/CurrentElements.h"
#include "model/Performance.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uepecom;
}

namespace {
const TFormClassRegistration registration("TFormPerComm", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormPerComm>(Owner);
});

enum : int { pName = 0, pTempo = 45, pVelRange = 47, pReserve = 47 };  // reserve of part p at 47 + p
}  // namespace

const TFormResource* TFormPerComm::FormResource() const { return &formres::Uepecom; }

void TFormPerComm::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("Panel1", Panel1);
    B.Field("Panel8", Panel8);
    B.Field("PanelBtn", PanelBtn);
    B.Field("PanelKB", PanelKB);
    B.Field("PanelCS", PanelCS);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("EditName", EditName);
    B.Field("DefaultTempo", DefaultTempo);
    B.Field("VelRangeSwitch", VelRangeSwitch);
    B.Field("EditTotalVoice", EditTotalVoice);
    for (std::size_t i = 0; i < Part.size(); ++i) B.Field("Part" + std::to_string(i + 1), Part[i]);
    using N = TNotifyEvent;
    B.Handler<TKeyEvent>("EditNameKeyUp", [this](TObject* s, WORD& k, TShiftState sh) { EditNameKeyUp(s, k, sh); });
    B.Handler<TKeyPressEvent>("EditNameKeyPress", [this](TObject* s, char& k) { EditNameKeyPress(s, k); });
    B.Handler<N>("DefaultTempoEndChange", [this](TObject* s) { DefaultTempoEndChange(s); });
    B.Handler<N>("VelRangeSwitchClick", [this](TObject* s) { VelRangeSwitchClick(s); });
    B.Handler<N>("Part1change", [this](TObject* s) { Part1change(s); });
    B.Handler<N>("Part1EndChange", [this](TObject* s) { Part1EndChange(s); });
}

// ------------------------------------------------------------------------------------------ the protocol

TLibElem* TFormPerComm::Element() const { return EditElem; }
void TFormPerComm::TakeOpenerVariables() { EditElem = OpeningPerComm; }
TEditorSlot* TFormPerComm::EditorSlot() const {
    return EditElem != nullptr ? &EditElem->Common->Editors[TPerformanceCommon::ceCommon] : nullptr;
}

void TFormPerComm::MakeCurrent() { MakeCurrentPerformance(EditElem); }

std::uint8_t TFormPerComm::GetParam(int Position) const {
    return EditElem != nullptr ? EditElem->Common->GetParam(Position) : 0;
}
void TFormPerComm::SetParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Common->SetParam(Position, Value);
}
void TFormPerComm::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    if (EditElem != nullptr) EditElem->Common->SetParams(Position, Bytes);
}
void TFormPerComm::PutParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Common->Data()[Position] = Value;
}
void TFormPerComm::SendBlockToTemp() {
    if (EditElem != nullptr) EditElem->Common->SendToTemp();
}

void TFormPerComm::SendAndStoreArray(int Position, std::span<const std::uint8_t> Bytes) {
    if (Closed() || InUpdateView != 0 || EditElem == nullptr || Bytes.empty()) return;
    std::vector<std::uint8_t> old(Bytes.size());
    for (std::size_t i = 0; i < Bytes.size(); ++i) {
        if (Bytes[i] >= 0x80) return;
        old[i] = GetParam(Position + static_cast<int>(i));
    }
    SetParams(Position, Bytes);
    if (TUndoList* list = CurrentUndoList()) list->Push(static_cast<std::uint16_t>(Position), old);
    TouchElement(EditElem);
    CheckBtnEnabled();
}

void TFormPerComm::FormCreate(TObject* Sender) {
    TEditorForm::FormCreate(Sender);
    Panel1->SetHeight(248);
    Panel8->SetHeight(228);
    PanelBtn->SetTop(256);
    SetHeight(338);
    // The keyboard mode and clock source are the system's, not the performance's: never shown here.
    PanelKB->Hide();
    PanelCS->Hide();
    FormResize(this);
}

void TFormPerComm::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditElem->GetName() + " [Common] [Loc : " + OwnerPathText(EditElem) + "]");
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    for (std::size_t i = 0; i < Part.size(); ++i)
        Part[i]->SetCode(ClampToRange(GetParam(pReserve + 1 + static_cast<int>(i)), 0, TotalVoiceCount));
    ShowAvailable();
    EditName->SetText(EditElem->GetName());
    DefaultTempo->SetCode(ClampToRange(GetParam(pTempo) * 16 + GetParam(pTempo + 1), 20, 250));
    VelRangeSwitch->SetChecked(GetParam(pVelRange) == 1);
    CheckBtnEnabled();
}

// ----------------------------------------------------------------------------------------------- values

void TFormPerComm::EditNameKeyPress(TObject*, char& Key) { FilterNameKey(Key); }

void TFormPerComm::EditNameKeyUp(TObject*, WORD&, TShiftState) { SendAndStoreArray(pName, NameFieldBytes(*EditName)); }

void TFormPerComm::DefaultTempoEndChange(TObject*) {
    const int code = DefaultTempo->GetCode();
    const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(code >> 4), static_cast<std::uint8_t>(code & 15)};
    SendAndStoreArray(pTempo, bytes);
}

void TFormPerComm::VelRangeSwitchClick(TObject*) { SendandStore(pVelRange, VelRangeSwitch->GetChecked() ? 1 : 0); }

void TFormPerComm::CalcTotalVoice() {
    TotalVoices = 0;
    for (const TMyEdit* field : Part) TotalVoices += field->GetCode();
}

void TFormPerComm::ShowAvailable() {
    CalcTotalVoice();
    EditTotalVoice->SetText("   " + std::to_string(TotalVoiceCount - TotalVoices));
}

void TFormPerComm::Part1change(TObject* Sender) {
    CalcTotalVoice();
    if (TotalVoices > TotalVoiceCount) {
        // The sixteen reserves never add up to more than the instrument's voices.
        if (auto* field = dynamic_cast<TMyEdit*>(Sender)) field->SetCode(field->GetCode() - 1);
    }
    ShowAvailable();
}

void TFormPerComm::Part1EndChange(TObject* Sender) {
    const auto* field = dynamic_cast<const TMyEdit*>(Sender);
    if (field == nullptr || field->Tag < 1 || field->Tag > PartCount) return;
    SendandStore(pReserve + field->Tag, field->GetCode());
}

}  // namespace zel
