#include "editors/Uesysmid.h"

#include "model/CurrentElements.h"
#include "model/SystemElem.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uesysmid;
}

namespace {
const TFormClassRegistration registration("TFormSysMidi", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormSysMidi>(Owner);
});

// The system common bytes of the window's radio pairs and channels.
enum : int {
    pClockSource = 12,
    pVolumeSource = 16,
    pCtrlChannel = 28,
    pPatchRecChannel = 29,
    pRhythmEditSource = 30,
};
}  // namespace

const TFormResource* TFormSysMidi::FormResource() const { return &formres::Uesysmid; }

void TFormSysMidi::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("PanelBtn", PanelBtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("Internal", Internal);
    B.Field("Midi", Midi);
    B.Field("SourceVolume", SourceVolume);
    B.Field("SourceVolumeExp", SourceVolumeExp);
    B.Field("Panel", Panel);
    B.Field("PanelMidi", PanelMidi);
    B.Field("TapSource", TapSource);
    B.Field("HoldSource", HoldSource);
    B.Field("PeakSource", PeakSource);
    B.Field("AfterTouchSource", AfterTouchSource);
    B.Field("SysCtrlSource1", SysCtrlSource1);
    B.Field("SysCtrlSource2", SysCtrlSource2);
    B.Field("CtrlChannel", CtrlChannel);
    B.Field("PatchRecchannel", PatchRecchannel);
    B.Field("RecPrgChange", RecPrgChange);
    B.Field("RecBankSel", RecBankSel);
    B.Field("RecCtrlChange", RecCtrlChange);
    B.Field("RecModulation", RecModulation);
    B.Field("RecVolume", RecVolume);
    B.Field("RecHold1", RecHold1);
    B.Field("RecBender", RecBender);
    B.Field("RecAftertouch", RecAftertouch);
    using N = TNotifyEvent;
    B.Handler<N>("InternalClick", [this](TObject* s) { InternalClick(s); });
    B.Handler<N>("MidiClick", [this](TObject* s) { MidiClick(s); });
    B.Handler<N>("SourceVolumeClick", [this](TObject* s) { SourceVolumeClick(s); });
    B.Handler<N>("SourceVolumeExpClick", [this](TObject* s) { SourceVolumeExpClick(s); });
    B.Handler<N>("PanelClick", [this](TObject* s) { PanelClick(s); });
    B.Handler<N>("PanelMidiClick", [this](TObject* s) { PanelMidiClick(s); });
    B.Handler<N>("TapSourceChange", [this](TObject* s) { TapSourceChange(s); });
    B.Handler<N>("SysCtrlSource1EndChange", [this](TObject* s) { SysCtrlSource1EndChange(s); });
    B.Handler<N>("CtrlChannelEndChange", [this](TObject* s) { CtrlChannelEndChange(s); });
    B.Handler<N>("PatchRecchannelEndChange", [this](TObject* s) { PatchRecchannelEndChange(s); });
    B.Handler<N>("RecPrgChangeClick", [this](TObject* s) { RecPrgChangeClick(s); });
}

void TFormSysMidi::TakeOpenerVariables() { EditElem = OpeningSysMidi; }

void TFormSysMidi::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditorCaption("Midi"));
    const auto b = [this](int p) { return static_cast<int>(GetParam(p)); };
    // A radio is ticked when its byte holds its value; a byte neither radio stands for ticks none.
    const auto pair = [&b](TRadioButton* first, TRadioButton* second, int position) {
        first->SetChecked(b(position) == 0);
        second->SetChecked(b(position) == 1);
    };
    pair(Internal, Midi, pClockSource);
    pair(SourceVolume, SourceVolumeExp, pVolumeSource);
    pair(Panel, PanelMidi, pRhythmEditSource);
    for (TComboBox* combo : {TapSource, HoldSource, PeakSource, AfterTouchSource}) {
        const int index = b(combo->Tag);
        combo->SetItemIndex(index < combo->Items()->Count() ? index : -1);
    }
    for (TMyEdit* field : {SysCtrlSource1, SysCtrlSource2})
        field->SetCode(ClampToRange(b(field->Tag), field->LowestCode(), field->HighestCode()));
    CtrlChannel->SetCode(ClampToRange(b(pCtrlChannel), CtrlChannel->LowestCode(), CtrlChannel->HighestCode()));
    PatchRecchannel->SetCode(ClampToRange(b(pPatchRecChannel) + 1, 1, 16));
    for (TCheckBox* box :
         {RecPrgChange, RecBankSel, RecCtrlChange, RecModulation, RecVolume, RecHold1, RecBender, RecAftertouch})
        box->SetChecked(b(box->Tag) == 1);
    CheckBtnEnabled();
}

// Each radio of a pair writes its value only when the click left it ticked.
void TFormSysMidi::InternalClick(TObject*) {
    if (Internal->GetChecked()) SendandStore(pClockSource, 0);
}
void TFormSysMidi::MidiClick(TObject*) {
    if (Midi->GetChecked()) SendandStore(pClockSource, 1);
}
void TFormSysMidi::SourceVolumeClick(TObject*) {
    if (SourceVolume->GetChecked()) SendandStore(pVolumeSource, 0);
}
void TFormSysMidi::SourceVolumeExpClick(TObject*) {
    if (SourceVolumeExp->GetChecked()) SendandStore(pVolumeSource, 1);
}
void TFormSysMidi::PanelClick(TObject*) {
    if (Panel->GetChecked()) SendandStore(pRhythmEditSource, 0);
}
void TFormSysMidi::PanelMidiClick(TObject*) {
    if (PanelMidi->GetChecked()) SendandStore(pRhythmEditSource, 1);
}

void TFormSysMidi::TapSourceChange(TObject* Sender) {
    const auto* combo = dynamic_cast<const TComboBox*>(Sender);
    if (combo != nullptr && combo->GetItemIndex() >= 0) SendandStore(combo->Tag, combo->GetItemIndex());
}

void TFormSysMidi::SysCtrlSource1EndChange(TObject* Sender) {
    if (const auto* field = dynamic_cast<const TMyEdit*>(Sender)) SendandStore(field->Tag, field->GetCode());
}

void TFormSysMidi::CtrlChannelEndChange(TObject*) { SendandStore(pCtrlChannel, CtrlChannel->GetCode()); }

void TFormSysMidi::PatchRecchannelEndChange(TObject*) {
    SendandStore(pPatchRecChannel, PatchRecchannel->GetCode() - 1);
}

void TFormSysMidi::RecPrgChangeClick(TObject* Sender) {
    if (const auto* box = dynamic_cast<const TCheckBox*>(Sender)) SendandStore(box->Tag, box->GetChecked() ? 1 : 0);
}

}  // namespace zel
