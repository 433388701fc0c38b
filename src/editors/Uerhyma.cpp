#include "editors/Uerhyma.h"

#include "editors/WaveGroup.h"
#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/Rhythm.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uerhyma;
}

namespace {
const TFormClassRegistration registration("TFormRhyMain", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormRhyMain>(Owner);
});

enum : int {
    pToneSwitch = 0,
    pWaveType = 1,
    pWaveId = 2,
    pWaveHigh = 3,
    pWaveLow = 4,
    pGain = 5,
    pBender = 6,
    pMute = 7,
    pSustain = 8,
    pPanCtrl = 11,
    pOutput = 54,
};

const TConfig& Config() {
    static const TConfig none;
    return ZelmoHolder != nullptr ? *ZelmoHolder->Config : none;
}
}  // namespace

const TFormResource* TFormRhyMain::FormResource() const { return &formres::Uerhyma; }

void TFormRhyMain::DefineBindings(TFormBindings& B) {
    DefineKeyEditorBindings(B);
    B.Field("ToneSwitch", ToneSwitch);
    B.Field("ComboWave", ComboWave);
    B.Field("WaveName", WaveName);
    B.Field("Button1", Button1);
    for (std::size_t i = 0; i < SpeedGain.size(); ++i) B.Field("SpeedGain" + std::to_string(i + 1), SpeedGain[i]);
    B.Field("BenderRange", BenderRange);
    B.Field("MuteGroup", MuteGroup);
    B.Field("Nosustain", Nosustain);
    B.Field("Sustain", Sustain);
    B.Field("VolumeCtrlSwitch", VolumeCtrlSwitch);
    B.Field("Hold1Ctrlswitch", Hold1Ctrlswitch);
    B.Field("PanOff", PanOff);
    B.Field("PanContinuos", PanContinuos);
    B.Field("PanKeyon", PanKeyon);
    B.Field("Outputassign", Outputassign);
    B.Field("Outputlevel", Outputlevel);
    B.Field("Chorussendlevel", Chorussendlevel);
    B.Field("ReverbSendLevel", ReverbSendLevel);
    using N = TNotifyEvent;
    B.Handler<N>("ToneSwitchClick", [this](TObject* s) { ToneSwitchClick(s); });
    B.Handler<N>("ComboWaveChange", [this](TObject* s) { ComboWaveChange(s); });
    B.Handler<N>("WaveNameChange", [this](TObject* s) { WaveNameChange(s); });
    B.Handler<N>("Button1Click", [this](TObject* s) { Button1Click(s); });
    B.Handler<N>("SpeedGain1Click", [this](TObject* s) { SpeedGain1Click(s); });
    B.Handler<N>("BenderRangeEndChange", [this](TObject* s) { BenderRangeEndChange(s); });
    B.Handler<N>("MuteGroupEndChange", [this](TObject* s) { MuteGroupEndChange(s); });
    B.Handler<N>("NosustainClick", [this](TObject* s) { NosustainClick(s); });
    B.Handler<N>("SwitchClick", [this](TObject* s) { SwitchClick(s); });
    B.Handler<N>("PanOffClick", [this](TObject* s) { PanOffClick(s); });
    B.Handler<N>("OutputassignChange", [this](TObject* s) { OutputassignChange(s); });
    B.Handler<N>("SliderEndchange", [this](TObject* s) { SliderEndchange(s); });
}

void TFormRhyMain::TakeOpenerVariables() { EditElem = OpeningRhyMain; }
int TFormRhyMain::SectionKind() const { return skRhyMain; }
int TFormRhyMain::EditorIndex() const { return TRhythm::reMain; }

void TFormRhyMain::FormCreate(TObject* Sender) {
    TRhythmKeyEditor::FormCreate(Sender);
    TStrings* items = ComboWave->Items();
    items->Clear();
    for (const char* item : WaveGroupItems) items->Add(item);
    FormResize(this);
}

std::string TFormRhyMain::WaveNameOnShow() const {
    const INameLists* lists = ModelServices().NameLists;
    if (lists == nullptr || LastGroupIndex == wgNone) return {};
    return lists->NameAt(WaveListCode(LastGroupIndex, Config()), WaveNumber);
}

void TFormRhyMain::FillControls() {
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    ToneSwitch->SetChecked(b(pToneSwitch) == 1);
    LastGroupIndex = WaveGroupOfBytes(GetParam(pWaveType), GetParam(pWaveId), Config());
    ComboWave->SetItemIndex(LastGroupIndex);
    WaveNumber = WaveNumberOf(GetParam(pWaveHigh), GetParam(pWaveLow));
    // Filling the name writes nothing: the change event sees the window filling.
    WaveName->SetText(WaveNameOnShow());
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    SpeedGain[static_cast<std::size_t>(ClampToRange(b(pGain), 0, 3))]->SetDown(true);
    BenderRange->SetCode(ClampToRange(b(pBender), 0, 12));
    MuteGroup->SetCode(ClampToRange(b(pMute), 0, 31));
    (b(pSustain) == 0 ? Nosustain : Sustain)->SetChecked(true);
    VolumeCtrlSwitch->SetChecked(b(VolumeCtrlSwitch->Tag) == 1);
    Hold1Ctrlswitch->SetChecked(b(Hold1Ctrlswitch->Tag) == 1);
    const std::array<TRadioButton*, 3> pans{PanOff, PanContinuos, PanKeyon};
    pans[static_cast<std::size_t>(ClampToRange(b(pPanCtrl), 0, 2))]->SetChecked(true);
    Outputassign->SetItemIndex(b(pOutput));
    for (TPanSlider* slider : {Outputlevel, Chorussendlevel, ReverbSendLevel}) slider->SetValue(b(slider->Tag));
}

// ------------------------------------------------------------------------------------------------- wave

void TFormRhyMain::ComboWaveChange(TObject*) {
    if (InUpdateView != 0 || Closed() || EditElem == nullptr) return;
    const int group = ComboWave->GetItemIndex();
    const auto bytes = WaveGroupBytes(group, Config());
    if (!bytes) {
        // A slot without a board, or no PCM card: the choice is refused and nothing is written.
        ComboWave->SetItemIndex(LastGroupIndex);
        return;
    }
    SendAndStoreArray(pWaveType, *bytes);
    LastGroupIndex = group;
    WaveName->SetText(WaveNameOnShow());
    WaveNameChange(WaveName);
}

void TFormRhyMain::WaveNameChange(TObject*) {
    // No group on show, or a stored number the nibbles cannot carry: the wave bytes stay as they are.
    if (InUpdateView != 0 || LastGroupIndex == wgNone || !WaveNumberFits(WaveNumber)) return;
    const auto number = WaveNumberBytes(WaveNumber);
    const std::array<std::uint8_t, 4> run{GetParam(pWaveType), GetParam(pWaveId), number[0], number[1]};
    SendAndStoreArray(pWaveType, run);
}

void TFormRhyMain::Button1Click(TObject*) {
    INameLists* lists = ModelServices().NameLists;
    if (lists == nullptr || Closed() || EditElem == nullptr || LastGroupIndex == wgNone) return;
    const int picked = lists->PickName(WaveListCode(LastGroupIndex, Config()), WaveNumber);
    // A pick past the numbers the two nibbles carry is refused; the number stays.
    if (picked == INameLists::NoPick || !WaveNumberFits(picked)) return;
    WaveNumber = picked;
    WaveName->SetText(WaveNameOnShow());
    WaveNameChange(WaveName);
}

// ----------------------------------------------------------------------------------------------- values

void TFormRhyMain::ToneSwitchClick(TObject*) { SendandStore(pToneSwitch, ToneSwitch->GetChecked() ? 1 : 0); }

void TFormRhyMain::SpeedGain1Click(TObject* Sender) {
    if (const auto* button = dynamic_cast<const TControl*>(Sender)) SendandStore(pGain, button->Tag);
}

void TFormRhyMain::BenderRangeEndChange(TObject*) { SendandStore(pBender, BenderRange->GetCode()); }
void TFormRhyMain::MuteGroupEndChange(TObject*) { SendandStore(pMute, MuteGroup->GetCode()); }
void TFormRhyMain::NosustainClick(TObject*) { SendandStore(pSustain, Nosustain->GetChecked() ? 0 : 1); }

void TFormRhyMain::SwitchClick(TObject* Sender) {
    if (const auto* box = dynamic_cast<const TCheckBox*>(Sender)) SendandStore(box->Tag, box->GetChecked() ? 1 : 0);
}

void TFormRhyMain::PanOffClick(TObject* Sender) {
    const auto* button = dynamic_cast<const TRadioButton*>(Sender);
    if (button != nullptr && button->GetChecked()) SendandStore(pPanCtrl, button->Tag);
}

void TFormRhyMain::OutputassignChange(TObject*) {
    if (Outputassign->GetItemIndex() >= 0) SendandStore(pOutput, Outputassign->GetItemIndex());
}

void TFormRhyMain::SliderEndchange(TObject* Sender) {
    if (const auto* slider = dynamic_cast<const TPanSlider*>(Sender)) SendandStore(slider->Tag, slider->GetValue());
}

}  // namespace zel
