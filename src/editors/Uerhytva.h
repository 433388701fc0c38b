#pragma once
// TFormrhyTva, the amplifier key editor of a rhythm set: for the key on show its level, velocity
// controls, the level envelope, pan, random pan and alternate pan depths.
#include <string>

#include "editors/RhythmKeyEditor.h"

namespace zel {

class TFormrhyTva : public TRhythmKeyEditor {
public:
    explicit TFormrhyTva(TComponent* AOwner) : TRhythmKeyEditor(AOwner) {}
    std::string ClassName() const override { return "TFormrhyTva"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    TPanSlider* ToneLevel = nullptr;
    TMyEdit* VelocitySens = nullptr;
    TMyEdit* VelTimeSens = nullptr;
    TPanGraph* Graph = nullptr;
    TClickEdit* ClickPan = nullptr;
    TPanSlider* RndPanDepth = nullptr;
    TPanSlider* AltPanDepth = nullptr;

    void ToneLevelEndchange(TObject* Sender);
    void VelocitySensEndChange(TObject* Sender);
    void VelTimeSensEndChange(TObject* Sender);
    // T1..T4 and L1..L3: the last level is fixed by the graph.
    void GraphEndchange(TObject* Sender);
    void ClickPanEndchange(TObject* Sender);
    void RndPanDepthEndchange(TObject* Sender);
    void AltPanDepthEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 51; }
    int SectionKind() const override;
    int EditorIndex() const override;
    std::string Word() const override { return "TVA"; }
    void FillControls() override;
};

}  // namespace zel
