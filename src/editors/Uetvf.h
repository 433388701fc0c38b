#pragma once
// TFormTVF, the filter editor of one tone: the filter type with its pictogram, cutoff, resonance,
// keyfollow and the filter envelope with its depth, velocity controls and four points.
#include <string>

#include "editors/ToneEditor.h"

namespace zel {

class TFormTVF : public TToneEditor {
public:
    explicit TFormTVF(TComponent* AOwner) : TToneEditor(AOwner) {}
    std::string ClassName() const override { return "TFormTVF"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    int ToneSlot() const override;

    static constexpr int FilterTypes = 5;

    // ---- components of the form resource
    TBitBtn* Precedente = nullptr;
    TBitBtn* Successivo = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Labelfilter = nullptr;
    TPanSlider* cutofffrequency = nullptr;
    TPanSlider* Resonance = nullptr;
    TPanSlider* EnvDepth = nullptr;
    TMyEdit* CutoffKeyfollow = nullptr;
    TMyEdit* VelocityRes = nullptr;
    TMyEdit* VelocityCurve = nullptr;
    TMyEdit* VelocitySens = nullptr;
    TMyEdit* VelTime1S = nullptr;
    TMyEdit* VelTime4S = nullptr;
    TMyEdit* TimeKeyfollow = nullptr;
    TPanGraph* Graph = nullptr;

    // The filter type on show, 0..4.
    int FilterType = 0;

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void PrecedenteClick(TObject* Sender);
    void SuccessivoClick(TObject* Sender);
    void cutofffrequencyEndchange(TObject* Sender);
    void ResonanceEndchange(TObject* Sender);
    void EnvDepthEndchange(TObject* Sender);
    void CutoffKeyfollowEndChange(TObject* Sender);
    void VelocityResEndChange(TObject* Sender);
    void VelocityCurveEndChange(TObject* Sender);
    void VelocitySensEndChange(TObject* Sender);
    void VelTime1SEndChange(TObject* Sender);
    void VelTime4SEndChange(TObject* Sender);
    void TimeKeyfollowEndChange(TObject* Sender);
    void GraphEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 65; }

private:
    void StepFilter(int Step);
};

}  // namespace zel
