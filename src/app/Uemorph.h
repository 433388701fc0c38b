#pragma once
// TFormMorph, "Patch Morphing": blends two patches. A morph factor 0..127 moves every included parameter
// from patch A's value to patch B's; the blend is heard on the instrument, can be swept step by step with
// an audition at each step, and a bank of 128 blends can be kept in the library.
#include <memory>
#include <string>

#include "controls/Uecomp.h"
#include "model/LibElem.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormLibrary;
class TPatch;

class TFormMorph : public TForm {
public:
    explicit TFormMorph(TComponent* AOwner);
    ~TFormMorph() override;
    std::string ClassName() const override { return "TFormMorph"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    void AfterConstruction() override;

    // Set by the library window before showing: the two patches and the window to store into.
    TPatch* PatchA = nullptr;
    TPatch* PatchB = nullptr;
    TFormLibrary* Origin = nullptr;

    // The blend, while the window shows (owned here, its owner patch A's owner).
    TPatch* MorphPatch() const;
    bool Playing() const { return playing_; }
    // Makes the blend at factor M (0..127) from A and B as the boxes say; sends nothing.
    void Morph(int M);

    // ---- components of the form resource
    TGroupBox* GroupBox1 = nullptr;
    TCheckBox* Common = nullptr;
    TCheckBox* Tone1 = nullptr;
    TCheckBox* Tone2 = nullptr;
    TCheckBox* Tone3 = nullptr;
    TCheckBox* Tone4 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TCheckBox* EfxParam = nullptr;
    TCheckBox* EfxOutput = nullptr;
    TCheckBox* ChorusOutput = nullptr;
    TCheckBox* ReverbType = nullptr;
    TCheckBox* OnOff = nullptr;
    TCheckBox* HoldPeak = nullptr;
    TCheckBox* StretchTune = nullptr;
    TCheckBox* StructureType = nullptr;
    TCheckBox* BoosterLevel = nullptr;
    TCheckBox* WaveNumber = nullptr;
    TCheckBox* ToneDelay = nullptr;
    TCheckBox* PanCtrl = nullptr;
    TCheckBox* LfoWaveform = nullptr;
    TCheckBox* LfoFade = nullptr;
    TCheckBox* LfoSync = nullptr;
    TCheckBox* CoarseTune = nullptr;
    TCheckBox* FineTune = nullptr;
    TCheckBox* TvfFilter = nullptr;
    TCheckBox* TvaBias = nullptr;
    TCheckBox* OutputAssign = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TEdit* PatchEdit1 = nullptr;
    TEdit* PatchEdit2 = nullptr;
    TPanSlider* Slider = nullptr;
    TGroupBox* GroupBox4 = nullptr;
    TMyEdit* Notelength = nullptr;
    TGroupBox* GroupBox5 = nullptr;
    TMyEdit* MorphStep = nullptr;
    TButton* Play = nullptr;
    TButton* Stop = nullptr;
    TButton* CreateBank = nullptr;
    TButton* Btnclose = nullptr;
    TTimer* Starter = nullptr;
    TTimer* Timer1 = nullptr;

    // ---- event handlers
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void BoxClick(TObject* Sender);
    void SliderEndchange(TObject* Sender);
    void LengthChange(TObject* Sender);
    void PlayClick(TObject* Sender);
    void StopClick(TObject* Sender);
    void StarterTimer(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void CreateBankClick(TObject* Sender);
    void BtncloseClick(TObject* Sender);

private:
    bool CommonIncluded(int Byte) const;
    bool ToneIncluded(int Byte) const;
    // Morphs to the slider's value, sends the blend to the temporary area and starts the audition's wait.
    void MorphSendAndAudition();
    void StopTimers();
    // Ends the audition (StopPreview); EndOwnAudition only when this window started one.
    void EndAudition();
    void EndOwnAudition();

    std::unique_ptr<TLibElem> morph_;
    bool playing_ = false;
    bool auditioning_ = false;  // an audition this window started has not been ended yet
};

// The morphing window, made at start-up; none before.
extern TFormMorph* FormMorph;

}  // namespace zel
