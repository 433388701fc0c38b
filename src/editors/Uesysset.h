#pragma once
// TFormSysSetup, the system's setup editor: the panel mode, the performance and the patch the instrument
// selects, the master tune and five switches, each written to the system common. A change of the panel
// mode is preceded by the General MIDI System Off message, so that an instrument in GM mode leaves it
// before it takes the new mode.
#include <array>
#include <string>

#include "controls/Uecomp.h"
#include "editors/PatchSelection.h"
#include "editors/Uesystem.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/vcl/TabNotbk.h"

namespace zel {

class TFormSysSetup : public TSystemSectionEditor {
public:
    explicit TFormSysSetup(TComponent* AOwner) : TSystemSectionEditor(AOwner) {}
    std::string ClassName() const override { return "TFormSysSetup"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // The General MIDI System Off message.
    static constexpr std::array<std::uint8_t, 6> GMOffMessage = {0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};

    // ---- components of the form resource
    TTabbedNotebook* Tabbed = nullptr;
    TPanel* PanelBtn = nullptr;
    TRadioButton* Performance = nullptr;
    TRadioButton* Patch = nullptr;
    TRadioButton* GM = nullptr;
    TComboBox* PerfGroup = nullptr;
    TEdit* PerfName = nullptr;
    TButton* ButPerf = nullptr;
    TComboBox* PatchGroup = nullptr;
    TEdit* PatchName = nullptr;
    TButton* ButPatch = nullptr;
    TMyEdit* MasterTune = nullptr;
    TCheckBox* ScaleTuneSwitch = nullptr;
    TCheckBox* EfxSwitch = nullptr;
    TCheckBox* ChorusSwitch = nullptr;
    TCheckBox* ReverbSwitch = nullptr;
    TCheckBox* PatchRemain = nullptr;

    // The performance number within its group, 0..31.
    int PerfNumber = 0;
    // The patch shown: its group and number.
    TPatchSelection PatchSel;

    // The name list of a performance group: User 59, Card 60, Preset A 57, Preset B 58; 0 for none.
    static int ListCodePerf(int GroupIndex);

    // ---- the protocol
    void UpdateView() override;
    // The patch controls only in patch mode, the performance controls only in performance mode.
    void UpdateEnabled();
    // Sends the General MIDI System Off message at once, while the ports are usable.
    static void GMOff();

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void PerformanceClick(TObject* Sender);
    void PerfGroupChange(TObject* Sender);
    void PerfNameChange(TObject* Sender);
    void ButPerfClick(TObject* Sender);
    void PatchGroupChange(TObject* Sender);
    void PatchNameChange(TObject* Sender);
    void ButPatchClick(TObject* Sender);
    void MasterTuneEndChange(TObject* Sender);
    // The five switches; the position is the box's Tag.
    void ScaleTuneSwitchClick(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 61; }
    int SlotIndex() const override { return TSystem::seSetup; }
    // One list per page of the hidden notebook; only the first is ever used.
    int UndoListCount() const override { return 3; }
    TControl* ButtonPanel() const override { return PanelBtn; }
    // A write of the panel mode, sent or put back, is preceded by the GM message.
    void SetParam(int Position, std::uint8_t Value) override;
    void PutParam(int Position, std::uint8_t Value) override;

private:
    // Writes the performance selection byte of the group and number on show.
    void WritePerformance();
    // Writes the patch selection's 4-byte run: the stored group bytes and the number on show.
    void WritePatch();
    // The name of the number on show in the list of the group on show; empty when beyond the list.
    std::string PerfNameText() const;
    std::string PatchNameText() const;
};

}  // namespace zel
