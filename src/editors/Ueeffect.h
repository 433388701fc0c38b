#pragma once
// TFormEffect, the effects editor of one patch common or one performance common: the multi-effect (its
// type and up to twelve type-dependent parameters), the EFX outputs, sends and control sources, the
// chorus and the reverb, on two notebook pages with an undo history each. The parameter panel of page 2
// is rebuilt from a per-type table whenever the EFX type changes; the new type's values are then fetched
// from the instrument.
#include <cstdint>
#include <string>

#include "controls/Uecomp.h"
#include "editors/EditorForm.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TabNotbk.h"

namespace zel {

class TPatch;
class TPerformance;

// The number of EFX types and of EFX parameter bytes.
inline constexpr int EfxTypeCount = 40;
inline constexpr int EfxParamCount = 12;

class TFormEffect : public TEditorForm {
public:
    explicit TFormEffect(TComponent* AOwner) : TEditorForm(AOwner) {}
    std::string ClassName() const override { return "TFormEffect"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Opens the effects editor of a patch (OfPatch 1, Element a TPatch) or of a performance (OfPatch 0,
    // Element a TPerformance) owned by the element's window, or brings the open one to the front.
    static TFormEffect* Open(TComponent* Owner, TLibElem& Element, int OfPatch);

    TPatch* EditPatch = nullptr;
    TPerformance* EditPerformance = nullptr;
    // 1: the window edits a patch common; 0: a performance common.
    std::uint8_t EffectOfPatch = 1;
    int HFDampIndex = 0;
    int CurrentEfxType = 1;
    int NextParamId = 1;
    int ParamLeft = 0;
    int ParamTop = 0;
    std::uint8_t FirstEfxReply = 0;

    // ---- components of the form resource
    TTabbedNotebook* TabbedNotebook1 = nullptr;
    TPanel* Panelbtn = nullptr;
    TTimer* Timer = nullptr;
    TPanel* Panel30 = nullptr;
    TComboBox* Outputassign = nullptr;
    TPanSlider* EfxOutputlevel = nullptr;
    TPanSlider* EfxChorusSendLevel = nullptr;
    TPanSlider* EfxReverbsendlevel = nullptr;
    TLabel* LabelCtrl1 = nullptr;
    TLabel* LabelCtrl2 = nullptr;
    TComboBox* EFXCtrlSource1 = nullptr;
    TComboBox* EfxCtrlSource2 = nullptr;
    TPanSlider* EfxCtrlDepth1 = nullptr;
    TPanSlider* EfxCtrlDepth2 = nullptr;
    TPanel* Panelefxsource = nullptr;
    TComboBox* efxsource = nullptr;
    TPanel* Panel3 = nullptr;
    TPanSlider* ChorusLevel = nullptr;
    TPanSlider* ChorusRate = nullptr;
    TPanSlider* ChorusDepth = nullptr;
    TPanSlider* ChorusPredelay = nullptr;
    TPanSlider* Chorusfeedback = nullptr;
    TComboBox* ChorusOutputassign = nullptr;
    TPanel* Panel4 = nullptr;
    TComboBox* Reverbtype = nullptr;
    TPanSlider* Reverblevel = nullptr;
    TPanSlider* ReverbTime = nullptr;
    TPanSlider* Reverbfeedback = nullptr;
    TPanel* Panel7 = nullptr;
    TBitBtn* Precedente = nullptr;
    TBitBtn* Successivo = nullptr;
    TImage* Image1 = nullptr;
    TPanel* PanelEFX = nullptr;
    TPanel* Panel15 = nullptr;
    TComboBox* EFXType = nullptr;
    TPanel* Panel23 = nullptr;
    TImage* Image2 = nullptr;

    // ---- the parameter panel
    void InsertEFX();
    void RemoveAll();
    void GetEFXCoord(int N);
    void InsertSlider(const std::string& Label, bool Stereo, int Min, int Max);
    void InsertSpin(const std::string& Label, int Width, TEditType Display, int Step, int Min, int Max);
    void InsertCombo(const std::string& Label, const char* const* Items);
    void SetEFXParam();
    void EFXEndChange(TObject* Sender);

    // ---- the effects bytes, by their position in a patch common
    std::uint8_t ReadByte(int Position) const;
    void WriteEfxByte(int Position, std::uint8_t Value);

    // ---- the fetch of a type's parameters
    void ReceiveEFXParam();
    void OnEFXMidiInput(TObject* Sender);
    void TimerTimer(TObject* Sender);
    void AfterReceive();

    // ---- the protocol
    void UpDateView(bool RebuildEFX);
    void UpdateView() override { UpDateView(false); }
    void UpdateElementView() override;

    // ---- drawings
    void DrawReverbDamp();
    void DrawEfxDiagram();

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender) override;
    void EFXTypeChange(TObject* Sender);
    void OutputassignChange(TObject* Sender);
    void EfxOutputlevelEndchange(TObject* Sender);
    void EfxChorusSendLevelEndchange(TObject* Sender);
    void EfxReverbsendlevelEndchange(TObject* Sender);
    void EFXCtrlSource1Change(TObject* Sender);
    void EfxCtrlSource2Change(TObject* Sender);
    void EfxCtrlDepth1Endchange(TObject* Sender);
    void EfxCtrlDepth2Endchange(TObject* Sender);
    void efxsourceChange(TObject* Sender);
    void ChorusLevelEndchange(TObject* Sender);
    void ChorusRateEndchange(TObject* Sender);
    void ChorusDepthEndchange(TObject* Sender);
    void ChorusPredelayEndchange(TObject* Sender);
    void ChorusfeedbackEndchange(TObject* Sender);
    void ChorusOutputassignChange(TObject* Sender);
    void ReverbtypeChange(TObject* Sender);
    void ReverblevelEndchange(TObject* Sender);
    void ReverbTimeEndchange(TObject* Sender);
    void ReverbfeedbackEndchange(TObject* Sender);
    void PrecedenteClick(TObject* Sender);
    void SuccessivoClick(TObject* Sender);
    void TabbedNotebook1Change(TObject* Sender, int NewTab, bool& AllowChange);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return EffectOfPatch != 0 ? 6 : 41; }
    int UndoListCount() const override { return 2; }
    int CurrentUndoIndex() const override;
    TEditorSlot* EditorSlot() const override;
    void CloseSteps() override;
    void MakeCurrent() override;
    void ForgetElement() override;
    TControl* ButtonPanel() const override { return Panelbtn; }
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void PutParam(int Position, std::uint8_t Value) override;
    void SendBlockToTemp() override;

private:
    // The data byte of the common that holds the effects byte at a patch position.
    int CommonPosition(int Position) const { return EffectOfPatch != 0 ? Position : Position + 1; }
    // Whether a reply is the data set of the twelve parameter bytes that was asked for.
    bool IsParameterReply(const std::uint8_t* Data, std::size_t Length) const;
    // A run-time control's panel, made at the place of the control being created.
    TPanel* NewParamPanel();
    void StepDamp(int Step);
};

}  // namespace zel
