#pragma once
// TFormRhyPitch, the pitch key editor of a rhythm set: for the key on show its source key, fine tune,
// random pitch depth and the pitch envelope with its depth and velocity controls.
#include <string>

#include "editors/RhythmKeyEditor.h"

namespace zel {

class TFormRhyPitch : public TRhythmKeyEditor {
public:
    explicit TFormRhyPitch(TComponent* AOwner) : TRhythmKeyEditor(AOwner) {}
    std::string ClassName() const override { return "TFormRhyPitch"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    TMyEdit* SourceKey = nullptr;
    TPanSlider* FineTune = nullptr;
    TMyEdit* RndPitchDepth = nullptr;
    TPanSlider* PitchenvDepth = nullptr;
    TMyEdit* VelSens = nullptr;
    TMyEdit* VeltimeSens = nullptr;
    TPanGraph* Graph = nullptr;

    void SourceKeyEndChange(TObject* Sender);
    void FineTuneEndchange(TObject* Sender);
    void RndPitchDepthEndChange(TObject* Sender);
    void PitchenvDepthEndchange(TObject* Sender);
    void VelSensEndChange(TObject* Sender);
    void VeltimeSensEndChange(TObject* Sender);
    void GraphEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 50; }
    int SectionKind() const override;
    int EditorIndex() const override;
    std::string Word() const override { return "Pitch"; }
    void FillControls() override;
};

}  // namespace zel
