#pragma once
// TFormWave, the wave editor of one tone: the tone switch, the wave (its group and its number, chosen
// by name through the name picker), the wave gain, FXM and the tone delay.
#include <string>

#include "editors/ToneEditor.h"

namespace zel {

class TFormWave : public TToneEditor {
public:
    explicit TFormWave(TComponent* AOwner) : TToneEditor(AOwner) {}
    std::string ClassName() const override { return "TFormWave"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    int ToneSlot() const override;

    // ---- components of the form resource
    TCheckBox* CheckToneSwitch = nullptr;
    TComboBox* ComboWave = nullptr;
    TEdit* WaveName = nullptr;
    TBitBtn* Button1 = nullptr;
    TSpeedButton* SpeedGain1 = nullptr;
    TSpeedButton* SpeedGain2 = nullptr;
    TSpeedButton* SpeedGain3 = nullptr;
    TSpeedButton* SpeedGain4 = nullptr;
    TCheckBox* CheckFXMSwitch = nullptr;
    TSpeedButton* SpeedColor1 = nullptr;
    TSpeedButton* SpeedColor2 = nullptr;
    TSpeedButton* SpeedColor3 = nullptr;
    TSpeedButton* SpeedColor4 = nullptr;
    TMyEdit* SpinFXMDepth = nullptr;
    TComboBox* ToneDelayMode = nullptr;
    TMyEdit* TonedlyTime = nullptr;

    // The wave number on show (0..255) and the group combo's last accepted item (-1: no group).
    int WaveNumber = 0;
    int LastGroup = 0;

    // The name picker's list that holds the wave names of group Index; 0 for a group without one.
    int ListCode(int Index) const;

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void CheckToneSwitchClick(TObject* Sender);
    void ComboWaveChange(TObject* Sender);
    void WaveNameChange(TObject* Sender);
    void Button1Click(TObject* Sender);
    void SpeedGain1Click(TObject* Sender);
    void CheckFXMSwitchClick(TObject* Sender);
    void SpeedColor1Click(TObject* Sender);
    void SpinFXMDepthEndChange(TObject* Sender);
    void ToneDelayModeChange(TObject* Sender);
    void TonedlyTimeEndChange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 66; }

private:
    // The name of the wave number on show in the list of the group on show; empty past its end.
    std::string WaveNameText() const;
};

}  // namespace zel
