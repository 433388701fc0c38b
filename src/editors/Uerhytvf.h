#pragma once
// TFormRhyTVF, the filter key editor of a rhythm set: for the key on show its filter type with its
// pictogram, cutoff, resonance and the filter envelope with its depth and velocity controls.
#include <string>

#include "editors/RhythmKeyEditor.h"
#include "platform/vcl/Buttons.h"

namespace zel {

class TFormRhyTVF : public TRhythmKeyEditor {
public:
    explicit TFormRhyTVF(TComponent* AOwner) : TRhythmKeyEditor(AOwner) {}
    std::string ClassName() const override { return "TFormRhyTVF"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    int FilterType = 0;  // 0..4, the type on show

    TBitBtn* Precedente = nullptr;
    TBitBtn* Successivo = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Labelfilter = nullptr;
    TPanSlider* cutofffrequency = nullptr;
    TPanSlider* Resonance = nullptr;
    TMyEdit* ResVelSens = nullptr;
    TMyEdit* EnvDepth = nullptr;
    TMyEdit* VelocitySens = nullptr;
    TMyEdit* VelTimeS = nullptr;
    TPanGraph* Graph = nullptr;

    void FormCreate(TObject* Sender) override;
    // The arrows stop at "No Filter" and "Peaking" without sending.
    void PrecedenteClick(TObject* Sender);
    void SuccessivoClick(TObject* Sender);
    void cutofffrequencyEndchange(TObject* Sender);
    void ResonanceEndchange(TObject* Sender);
    void ResVelSensEndChange(TObject* Sender);
    void EnvDepthEndChange(TObject* Sender);
    void VelocitySensEndChange(TObject* Sender);
    void VelTimeSEndChange(TObject* Sender);
    void GraphEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 52; }
    int SectionKind() const override;
    int EditorIndex() const override;
    std::string Word() const override { return "TVF"; }
    void FillControls() override;

private:
    void StepFilter(int Step);
};

}  // namespace zel
