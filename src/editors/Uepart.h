#pragma once
// TFormPart, the parts editor of a performance: for the part chosen with sixteen buttons, its receive
// switch and channel, its patch (part 10: its rhythm set) by group and number, levels, pan, tuning,
// output, sends, receive switches and key range, with an undo history per part. While it shows, it asks
// the instrument for the names of the user (and card) rhythm sets, which part 10 offers by name.
#include <array>
#include <memory>
#include <string>

#include "controls/Uecomp.h"
#include "editors/EditorForm.h"
#include "editors/PatchSelection.h"
#include "midi/Miditype.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TPerformance;

// The part whose patch is a rhythm set.
inline constexpr int RhythmPart = 10;
// How long the window waits for each rhythm-set name.
inline constexpr UINT RhythmNameTimeoutMs = 1000;

class TFormPart : public TEditorForm {
public:
    explicit TFormPart(TComponent* AOwner) : TEditorForm(AOwner) {}
    std::string ClassName() const override { return "TFormPart"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    TPerformance* EditElem = nullptr;
    int CurrentPart = 1;  // 1..16, the part on show
    // The group and number of the patch or rhythm set on show.
    TPatchSelection Selection;
    // The names of user rhythm sets 1 and 2 and of card rhythm sets 1 and 2.
    std::array<std::string, 4> RhythmNames;
    int ReplyCount = 0;

    // ---- components of the form resource
    TPanel* Panel1 = nullptr;
    TPanel* Panel8 = nullptr;
    TPanel* Panel14 = nullptr;
    TPanel* PanelBtn = nullptr;
    std::array<TPanel*, 5> PanelXP{};
    std::array<TSpeedButton*, 16> PartButton{};  // SpeedButton1 .. SpeedButton16
    TCheckBox* MidiRecSwitch = nullptr;
    TMyEdit* MidiChannel = nullptr;
    TLabel* LabelGroup = nullptr;
    TLabel* LabelPN = nullptr;
    TComboBox* ComboPatch = nullptr;
    TEdit* Patchname = nullptr;
    TButton* ButtonPN = nullptr;
    TComboBox* ComboRhythmName = nullptr;
    TPanSlider* PartLevel = nullptr;
    TClickEdit* ClickPan = nullptr;
    TMyEdit* PitchCoarsetune = nullptr;
    TMyEdit* Pitchfinetune = nullptr;
    TComboBox* Outputassign = nullptr;
    TPanSlider* OutputLevel = nullptr;
    TPanSlider* ChorusSendlevel = nullptr;
    TPanSlider* ReverbSendLevel = nullptr;
    TCheckBox* RecPrgChange = nullptr;
    TCheckBox* RecVolume = nullptr;
    TCheckBox* RecHold1 = nullptr;
    TMyEdit* Keylower = nullptr;
    TMyEdit* Keyupper = nullptr;
    TButton* CopyBtn = nullptr;
    TButton* PasteBtn = nullptr;
    TButton* BtnReverAll = nullptr;
    TTimer* Timer1 = nullptr;

    // ---- the protocol
    void UpdateView() override;
    // The groups and name controls of the part on show: six groups and the rhythm-set names for part
    // 10, the eleven patch groups and the name field for the others.
    void EnabledPatchRhythm();
    // Part 10's rhythm-set names of the group on show.
    void SetRhythmComboName();
    // Asks the instrument for the user (and card) rhythm-set names.
    void ReceiveRhythmName();

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender) override;
    void SpeedButton1Click(TObject* Sender);
    void ComboPatchChange(TObject* Sender);
    void PatchnameChange(TObject* Sender);
    void ButtonPNClick(TObject* Sender);
    void ComboRhythmNameChange(TObject* Sender);
    // The check boxes and sliders write their byte at their Tag.
    void CheckClick(TObject* Sender);
    void SliderEndchange(TObject* Sender);
    void ValueEndChange(TObject* Sender);
    void ClickPanEndchange(TObject* Sender);
    void OutputassignChange(TObject* Sender);
    void KeylowerChange(TObject* Sender);
    void KeyupperChange(TObject* Sender);
    void CopyBtnClick(TObject* Sender);
    void PasteBtnClick(TObject* Sender);
    void BtnReverAllClick(TObject* Sender);
    void OnSysExMidiInput(TObject* Sender);
    void Timer1Timer(TObject* Sender);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 37; }
    int UndoListCount() const override { return 16; }
    int CurrentUndoIndex() const override { return CurrentPart - 1; }
    TEditorSlot* EditorSlot() const override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TControl* ButtonPanel() const override { return PanelBtn; }
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void SetParams(int Position, std::span<const std::uint8_t> Bytes) override;
    void PutParam(int Position, std::uint8_t Value) override;
    void SendBlockToTemp() override;

private:
    int GroupCount() const;
    // The name at the patch number in the list of the group on show; empty beyond it or with no group.
    std::string PatchNameOnShow() const;
    // Writes the stored group bytes and the number as one 4-byte run.
    void WriteSelection();
    // Shows part 1 with its button down.
    void ShowPart(int Part);
    // Which of the four requested names have come.
    std::array<bool, 4> answered_{};
    int expectedReplies_ = 0;
};

}  // namespace zel
