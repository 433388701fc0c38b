#pragma once
// TFormSysMidi, the system's MIDI editor: the clock source, the tap, hold and peak control sources, the
// volume and aftertouch sources, the two system control sources, the receive switches, the control and
// patch receive channels and the rhythm edit source, each one byte of the system common.
#include <string>

#include "controls/Uecomp.h"
#include "editors/Uesystem.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormSysMidi : public TSystemSectionEditor {
public:
    explicit TFormSysMidi(TComponent* AOwner) : TSystemSectionEditor(AOwner) {}
    std::string ClassName() const override { return "TFormSysMidi"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TPanel* PanelBtn = nullptr;
    TRadioButton* Internal = nullptr;
    TRadioButton* Midi = nullptr;
    TRadioButton* SourceVolume = nullptr;
    TRadioButton* SourceVolumeExp = nullptr;
    TRadioButton* Panel = nullptr;
    TRadioButton* PanelMidi = nullptr;
    TComboBox* TapSource = nullptr;
    TComboBox* HoldSource = nullptr;
    TComboBox* PeakSource = nullptr;
    TComboBox* AfterTouchSource = nullptr;
    TMyEdit* SysCtrlSource1 = nullptr;
    TMyEdit* SysCtrlSource2 = nullptr;
    TMyEdit* CtrlChannel = nullptr;
    TMyEdit* PatchRecchannel = nullptr;
    TCheckBox* RecPrgChange = nullptr;
    TCheckBox* RecBankSel = nullptr;
    TCheckBox* RecCtrlChange = nullptr;
    TCheckBox* RecModulation = nullptr;
    TCheckBox* RecVolume = nullptr;
    TCheckBox* RecHold1 = nullptr;
    TCheckBox* RecBender = nullptr;
    TCheckBox* RecAftertouch = nullptr;

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void InternalClick(TObject* Sender);
    void MidiClick(TObject* Sender);
    void SourceVolumeClick(TObject* Sender);
    void SourceVolumeExpClick(TObject* Sender);
    void PanelClick(TObject* Sender);
    void PanelMidiClick(TObject* Sender);
    // The four source combos; the position is the combo's Tag.
    void TapSourceChange(TObject* Sender);
    // The two system control sources; the position is the field's Tag.
    void SysCtrlSource1EndChange(TObject* Sender);
    void CtrlChannelEndChange(TObject* Sender);
    void PatchRecchannelEndChange(TObject* Sender);
    // The eight receive switches; the position is the box's Tag.
    void RecPrgChangeClick(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 59; }
    int SlotIndex() const override { return TSystem::seMidi; }
    TControl* ButtonPanel() const override { return PanelBtn; }
};

}  // namespace zel
