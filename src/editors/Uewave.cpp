#include "editors/Uewave.h"

#include <array>

#include "editors/WaveGroup.h"
#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/Patch.h"
#include "model/Settings.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uewave;
}

namespace {
const TFormClassRegistration registration("TFormWave", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormWave>(Owner);
});

// The tone's data bytes of the wave section.
enum : int {
    pSwitch = 0,
    pGroupType = 1,
    pGroupId = 2,
    pWaveHigh = 3,
    pWaveLow = 4,
    pGain = 5,
    pFxmSwitch = 6,
    pFxmColor = 7,
    pFxmDepth = 8,
    pDelayMode = 9,
    pDelayTime = 10,
};

// The program's settings; a default when there is no holder (nothing configured).
const TConfig& Config() {
    static const TConfig none;
    return ZelmoHolder != nullptr && ZelmoHolder->Config ? *ZelmoHolder->Config : none;
}
}  // namespace

const TFormResource* TFormWave::FormResource() const { return &formres::Uewave; }

int TFormWave::ToneSlot() const { return TTone::teWave; }

void TFormWave::DefineBindings(TFormBindings& B) {
    DefineToneBindings(B);
    B.Field("CheckToneSwitch", CheckToneSwitch);
    B.Field("ComboWave", ComboWave);
    B.Field("WaveName", WaveName);
    B.Field("Button1", Button1);
    B.Field("SpeedGain1", SpeedGain1);
    B.Field("SpeedGain2", SpeedGain2);
    B.Field("SpeedGain3", SpeedGain3);
    B.Field("SpeedGain4", SpeedGain4);
    B.Field("CheckFXMSwitch", CheckFXMSwitch);
    B.Field("SpeedColor1", SpeedColor1);
    B.Field("SpeedColor2", SpeedColor2);
    B.Field("SpeedColor3", SpeedColor3);
    B.Field("SpeedColor4", SpeedColor4);
    B.Field("SpinFXMDepth", SpinFXMDepth);
    B.Field("ToneDelayMode", ToneDelayMode);
    B.Field("TonedlyTime", TonedlyTime);
    using N = TNotifyEvent;
    B.Handler<N>("CheckToneSwitchClick", [this](TObject* s) { CheckToneSwitchClick(s); });
    B.Handler<N>("ComboWaveChange", [this](TObject* s) { ComboWaveChange(s); });
    B.Handler<N>("WaveNameChange", [this](TObject* s) { WaveNameChange(s); });
    B.Handler<N>("Button1Click", [this](TObject* s) { Button1Click(s); });
    B.Handler<N>("SpeedGain1Click", [this](TObject* s) { SpeedGain1Click(s); });
    B.Handler<N>("CheckFXMSwitchClick", [this](TObject* s) { CheckFXMSwitchClick(s); });
    B.Handler<N>("SpeedColor1Click", [this](TObject* s) { SpeedColor1Click(s); });
    B.Handler<N>("SpinFXMDepthEndChange", [this](TObject* s) { SpinFXMDepthEndChange(s); });
    B.Handler<N>("ToneDelayModeChange", [this](TObject* s) { ToneDelayModeChange(s); });
    B.Handler<N>("TonedlyTimeEndChange", [this](TObject* s) { TonedlyTimeEndChange(s); });
}

void TFormWave::TakeOpenerVariables() { TakeTone(OpeningWavePatch, OpeningWaveTone); }

int TFormWave::ListCode(int Index) const { return WaveListCode(Index, Config()); }

std::string TFormWave::WaveNameText() const {
    const INameLists* lists = ModelServices().NameLists;
    const int list = ListCode(LastGroup);
    return lists != nullptr && list > 0 ? lists->NameAt(list, WaveNumber) : std::string();
}

void TFormWave::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    SetCaption(EditorCaption("Wave"));
    CheckToneSwitch->SetChecked(b(pSwitch) == 1);
    // An Undo or Revert of the switch shows in the patch window too.
    if (EditElem->WindowOpen != 0 && EditElem->Window != nullptr) UpdateWindowView(EditElem->Window);
    // Bytes naming a board that no slot holds show no group: a pick must not be written with another
    // group's bytes.
    LastGroup = WaveGroupOfBytes(GetParam(pGroupType), GetParam(pGroupId), Config());
    ComboWave->SetItemIndex(LastGroup);
    WaveNumber = WaveNumberOf(GetParam(pWaveHigh), GetParam(pWaveLow));
    // Filling the name writes nothing: its change event is detached meanwhile.
    TNotifyEvent change = WaveName->OnChange;
    WaveName->OnChange = nullptr;
    WaveName->SetText(WaveNameText());
    WaveName->OnChange = change;
    DownByByte(std::array{SpeedGain1, SpeedGain2, SpeedGain3, SpeedGain4}, b(pGain));
    CheckFXMSwitch->SetChecked(b(pFxmSwitch) == 1);
    DownByByte(std::array{SpeedColor1, SpeedColor2, SpeedColor3, SpeedColor4}, b(pFxmColor));
    ShowCode(SpinFXMDepth, b(pFxmDepth) + 1);
    ShowItem(ToneDelayMode, b(pDelayMode));
    ShowCode(TonedlyTime, b(pDelayTime));
    CheckBtnEnabled();
}

// ------------------------------------------------------------------------------------------------ wave

void TFormWave::ComboWaveChange(TObject*) {
    if (InUpdateView != 0 || EditElem == nullptr) return;
    const int group = ComboWave->GetItemIndex();
    const auto bytes = WaveGroupBytes(group, Config());
    if (!bytes) {
        // A slot without a board or no PCM card: the combo goes back, nothing is written.
        ComboWave->SetItemIndex(LastGroup);
        return;
    }
    SendAndStoreArray(pGroupType, *bytes);
    LastGroup = group;
    // The name of the same number in the new group; a changed text writes the wave through its event.
    WaveName->SetText(WaveNameText());
}

void TFormWave::WaveNameChange(TObject*) {
    // No group on show, or a stored number the nibbles cannot carry: the wave bytes stay as they are.
    if (InUpdateView != 0 || EditElem == nullptr || LastGroup == wgNone || !WaveNumberFits(WaveNumber)) return;
    const std::array<std::uint8_t, 2> number = WaveNumberBytes(WaveNumber);
    const std::array<std::uint8_t, 4> bytes{GetParam(pGroupType), GetParam(pGroupId), number[0], number[1]};
    SendAndStoreArray(pGroupType, bytes);
}

void TFormWave::Button1Click(TObject*) {
    INameLists* lists = ModelServices().NameLists;
    const int list = ListCode(LastGroup);
    if (lists == nullptr || list <= 0 || EditElem == nullptr) return;
    const int picked = lists->PickName(list, WaveNumber);
    // A pick past the 256 numbers the instrument has (a hand-made longer list) is refused.
    if (picked == INameLists::NoPick || !WaveNumberFits(picked)) return;
    WaveNumber = picked;
    const std::string name = WaveNameText();
    if (WaveName->GetText() != name) WaveName->SetText(name);
    else WaveNameChange(WaveName);  // a wave of the same name: no change event, written all the same
}

// ----------------------------------------------------------------------------------------------- values

void TFormWave::CheckToneSwitchClick(TObject*) {
    SendandStore(pSwitch, CheckToneSwitch->GetChecked() ? 1 : 0);
    // The patch window shows the switch too.
    if (EditElem != nullptr && EditElem->WindowOpen != 0) UpdateWindowView(EditElem->Window);
}
void TFormWave::SpeedGain1Click(TObject* Sender) { SendandStore(pGain, TagOf(Sender)); }
void TFormWave::CheckFXMSwitchClick(TObject*) { SendandStore(pFxmSwitch, CheckFXMSwitch->GetChecked() ? 1 : 0); }
void TFormWave::SpeedColor1Click(TObject* Sender) { SendandStore(pFxmColor, TagOf(Sender)); }
void TFormWave::SpinFXMDepthEndChange(TObject*) { SendandStore(pFxmDepth, SpinFXMDepth->GetCode() - 1); }
void TFormWave::ToneDelayModeChange(TObject*) {
    if (ToneDelayMode->GetItemIndex() >= 0) SendandStore(pDelayMode, ToneDelayMode->GetItemIndex());
}
void TFormWave::TonedlyTimeEndChange(TObject*) { SendandStore(pDelayTime, TonedlyTime->GetCode()); }

}  // namespace zel
