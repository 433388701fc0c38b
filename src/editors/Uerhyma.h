#pragma once
// TFormRhyMain, the main key editor of a rhythm set: for the key on show its tone switch, wave (group and
// name, as the tone's wave editor chooses it), wave gain, bender range, mute group, envelope sustain,
// control switches, pan control, output assign and levels.
#include <string>

#include "editors/RhythmKeyEditor.h"
#include "platform/vcl/Buttons.h"

namespace zel {

class TFormRhyMain : public TRhythmKeyEditor {
public:
    explicit TFormRhyMain(TComponent* AOwner) : TRhythmKeyEditor(AOwner) {}
    std::string ClassName() const override { return "TFormRhyMain"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    int WaveNumber = 0;       // the wave on show, an index into its group's name list
    int LastGroupIndex = -1;  // the wave group accepted last; -1 for none

    TCheckBox* ToneSwitch = nullptr;
    TComboBox* ComboWave = nullptr;
    TEdit* WaveName = nullptr;
    TButton* Button1 = nullptr;
    std::array<TSpeedButton*, 4> SpeedGain{};
    TMyEdit* BenderRange = nullptr;
    TMyEdit* MuteGroup = nullptr;
    TRadioButton* Nosustain = nullptr;
    TRadioButton* Sustain = nullptr;
    TCheckBox* VolumeCtrlSwitch = nullptr;
    TCheckBox* Hold1Ctrlswitch = nullptr;
    TRadioButton* PanOff = nullptr;
    TRadioButton* PanContinuos = nullptr;
    TRadioButton* PanKeyon = nullptr;
    TComboBox* Outputassign = nullptr;
    TPanSlider* Outputlevel = nullptr;
    TPanSlider* Chorussendlevel = nullptr;
    TPanSlider* ReverbSendLevel = nullptr;

    void FormCreate(TObject* Sender) override;
    void ToneSwitchClick(TObject* Sender);
    void ComboWaveChange(TObject* Sender);
    void WaveNameChange(TObject* Sender);
    void Button1Click(TObject* Sender);
    void SpeedGain1Click(TObject* Sender);
    void BenderRangeEndChange(TObject* Sender);
    void MuteGroupEndChange(TObject* Sender);
    void NosustainClick(TObject* Sender);
    void SwitchClick(TObject* Sender);
    void PanOffClick(TObject* Sender);
    void OutputassignChange(TObject* Sender);
    void SliderEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 49; }
    int SectionKind() const override;
    int EditorIndex() const override;
    std::string Word() const override { return "Main"; }
    void FillControls() override;

private:
    // The name of the wave on show in its group's list; empty past the list or with no group.
    std::string WaveNameOnShow() const;
};

}  // namespace zel
