#pragma once
// TFormLFO, the editor of one of the two LFOs of a tone: waveform (with a picture), key trigger, rate,
// offset, delay and fade on a fade graph, external sync, and the depths by which the LFO moves pitch,
// filter, amplifier and pan. Both LFO windows of a tone can be open at once, each at its own place.
#include <random>
#include <string>

#include "editors/ToneEditor.h"

namespace zel {

class TFormLFO : public TToneEditor {
public:
    explicit TFormLFO(TComponent* AOwner) : TToneEditor(AOwner) {}
    std::string ClassName() const override { return "TFormLFO"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    int ToneSlot() const override;

    static constexpr int Waveforms = 8;

    // ---- components of the form resource
    TBitBtn* Precedente = nullptr;
    TBitBtn* Successivo = nullptr;
    TImage* Image1 = nullptr;
    TLabel* LabelWave = nullptr;
    TCheckBox* KeyTrigger = nullptr;
    TMyEdit* LFORate = nullptr;
    TMyEdit* OffsetLevel = nullptr;
    TComboBox* ExternalSync = nullptr;
    TComboBox* FadeMode = nullptr;
    TFadeGraph* FadeGraph = nullptr;
    TPanSlider* PitchLFODepth = nullptr;
    TPanSlider* TVFLfoDepth = nullptr;
    TPanSlider* TVALfoDepth = nullptr;
    TPanSlider* PanDepth = nullptr;

    // Which LFO of the tone, 1 or 2, and the waveform on show, 0..7.
    int LfoNumber = 1;
    int Waveform = 0;
    // The random numbers of the random and chaos pictures.
    std::minstd_rand Random{1};

    // Draws the picture of the waveform on show and names it in LabelWave.
    void DrawWaveForm();

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void PrecedenteClick(TObject* Sender);
    void SuccessivoClick(TObject* Sender);
    void KeyTriggerClick(TObject* Sender);
    void LFORateEndChange(TObject* Sender);
    void OffsetLevelEndChange(TObject* Sender);
    void ExternalSyncChange(TObject* Sender);
    void FadeModeChange(TObject* Sender);
    void FadeGraphEndchange(TObject* Sender);
    void PitchLFODepthEndchange(TObject* Sender);
    void TVFLfoDepthEndchange(TObject* Sender);
    void TVALfoDepthEndchange(TObject* Sender);
    void PanDepthEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 22; }

private:
    // The tone's data byte of the LFO's parameter: Offset 0 (waveform) .. 7 (external sync).
    int Position(int Offset) const { return 8 * LfoNumber + 37 + Offset; }
    void StepWaveform(int Step);
    // A random whole number 0..High.
    int RandomUpTo(int High);
};

}  // namespace zel
