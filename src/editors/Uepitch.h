#pragma once
// TFormPitch, the pitch editor of one tone: coarse and fine tune, random pitch depth, keyfollow and the
// pitch envelope (depth, velocity controls, time keyfollow and its four points on a graph whose levels
// run both ways from the middle).
#include <string>

#include "editors/ToneEditor.h"

namespace zel {

class TFormPitch : public TToneEditor {
public:
    explicit TFormPitch(TComponent* AOwner) : TToneEditor(AOwner) {}
    std::string ClassName() const override { return "TFormPitch"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    int ToneSlot() const override;

    // ---- components of the form resource
    TPanSlider* CoarseTune = nullptr;
    TPanSlider* FineTune = nullptr;
    TPanSlider* PitchenvDepth = nullptr;
    TMyEdit* RndPitchDepth = nullptr;
    TMyEdit* PitchKeyfollow = nullptr;
    TMyEdit* PitchEnvVelSens = nullptr;
    TMyEdit* Veltime1sens = nullptr;
    TMyEdit* veltime4sens = nullptr;
    TMyEdit* timekeyfollow = nullptr;
    TPanGraph* Graph = nullptr;

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void CoarseTuneEndchange(TObject* Sender);
    void FineTuneEndchange(TObject* Sender);
    void PitchenvDepthEndchange(TObject* Sender);
    void RndPitchDepthEndChange(TObject* Sender);
    void PitchKeyfollowEndChange(TObject* Sender);
    void PitchEnvVelSensEndChange(TObject* Sender);
    void Veltime1sensEndChange(TObject* Sender);
    void veltime4sensEndChange(TObject* Sender);
    void timekeyfollowEndChange(TObject* Sender);
    void GraphEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 43; }
};

}  // namespace zel
