#pragma once
// TFormTVA, the amplifier editor of one tone: level, the key bias with a picture of its direction, the
// level envelope with its velocity controls and four points (the last level fixed), and the tone's pan.
#include <string>

#include "editors/ToneEditor.h"

namespace zel {

class TFormTVA : public TToneEditor {
public:
    explicit TFormTVA(TComponent* AOwner) : TToneEditor(AOwner) {}
    std::string ClassName() const override { return "TFormTVA"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    int ToneSlot() const override;

    static constexpr int Directions = 4;

    // ---- components of the form resource
    TPanSlider* Level = nullptr;
    TBitBtn* Precedente = nullptr;
    TBitBtn* Successivo = nullptr;
    TImage* Image1 = nullptr;
    TLabel* LabelDir = nullptr;
    TMyEdit* BiasPoint = nullptr;
    TMyEdit* BiasLevel = nullptr;
    TMyEdit* EnvVelCurve = nullptr;
    TMyEdit* VelocitySens = nullptr;
    TMyEdit* VelTime1S = nullptr;
    TMyEdit* VelTime4S = nullptr;
    TMyEdit* TimeKeyfollow = nullptr;
    TPanGraph* Graph = nullptr;
    TClickEdit* ClickPan = nullptr;
    TMyEdit* PanKeyfollow = nullptr;
    TPanSlider* RndPanDepth = nullptr;
    TPanSlider* AltPanDepth = nullptr;

    // The bias direction on show, 0..3.
    int Direction = 0;

    // Draws the picture of the bias direction on show and names it in LabelDir.
    void DrawDirection();

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void LevelEndchange(TObject* Sender);
    void PrecedenteClick(TObject* Sender);
    void SuccessivoClick(TObject* Sender);
    void BiasPointEndChange(TObject* Sender);
    void BiasLevelEndChange(TObject* Sender);
    void EnvVelCurveEndChange(TObject* Sender);
    void VelocitySensEndChange(TObject* Sender);
    void VelTime1SEndChange(TObject* Sender);
    void VelTime4SEndChange(TObject* Sender);
    void TimeKeyfollowEndChange(TObject* Sender);
    void GraphEndchange(TObject* Sender);
    void ClickPanEndchange(TObject* Sender);
    void PanKeyfollowEndChange(TObject* Sender);
    void RndPanDepthEndchange(TObject* Sender);
    void AltPanDepthEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 64; }

private:
    void StepDirection(int Step);
};

}  // namespace zel
