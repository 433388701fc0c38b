#pragma once
// TFormControl, the control editor of one tone: velocity and key ranges, the controller switches, the
// four destinations and depths of each of the three patch controllers (one page at a time), and the
// tone's output assign, output level and send levels.
#include <array>
#include <string>

#include "editors/ToneEditor.h"

namespace zel {

class TFormControl : public TToneEditor {
public:
    explicit TFormControl(TComponent* AOwner) : TToneEditor(AOwner) {}
    std::string ClassName() const override { return "TFormControl"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    int ToneSlot() const override;

    // The reverb send level, data byte 128, is reached at offset 01 00 of the tone.
    static constexpr int ReverbSendPosition = 0x100;

    // ---- components of the form resource
    TPanSlider* VelCrossFadeDepth = nullptr;
    TPanSlider* VelRangeLow = nullptr;
    TPanSlider* VelRangeUp = nullptr;
    TMyEdit* KeyRangeLow = nullptr;
    TMyEdit* KeyRangeUp = nullptr;
    TCheckBox* RedCtrlSwitch = nullptr;
    TCheckBox* VolCtrlSwitch = nullptr;
    TCheckBox* Hold1ctrlswitch = nullptr;
    TCheckBox* BendCtrlSwitch = nullptr;
    TComboBox* PanCtrlSwitch = nullptr;
    TSpeedButton* Speed1 = nullptr;
    TSpeedButton* Speed2 = nullptr;
    TSpeedButton* Speed3 = nullptr;
    std::array<TComboBox*, 4> Dest{};
    std::array<TPanSlider*, 4> Depth{};
    TComboBox* Outputassign = nullptr;
    TPanSlider* Outputlevel = nullptr;
    TPanSlider* Chorussendlevel = nullptr;
    TPanSlider* ReverbSendLevel = nullptr;

    // The controller on show, 1..3.
    int Controller = 1;

    // Shows the destinations and depths of the controller on show.
    void UpdateCtrlPage();

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void VelCrossFadeDepthEndchange(TObject* Sender);
    void VelRangeLowEndchange(TObject* Sender);
    void VelRangeUpEndchange(TObject* Sender);
    void KeyRangeLowchange(TObject* Sender);
    void KeyRangeUpchange(TObject* Sender);
    void KeyRangeLowEndChange(TObject* Sender);
    void KeyRangeUpEndChange(TObject* Sender);
    void RedCtrlSwitchClick(TObject* Sender);
    void VolCtrlSwitchClick(TObject* Sender);
    void Hold1ctrlswitchClick(TObject* Sender);
    void BendCtrlSwitchClick(TObject* Sender);
    void PanCtrlSwitchChange(TObject* Sender);
    void Speed1Click(TObject* Sender);
    void Dest1Change(TObject* Sender);
    void Depth1Endchange(TObject* Sender);
    void OutputassignChange(TObject* Sender);
    void OutputlevelEndchange(TObject* Sender);
    void ChorussendlevelEndchange(TObject* Sender);
    void ReverbSendLevelEndchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 3; }

private:
    // The data byte of destination d (1..4) of the controller on show; its depth is the next byte.
    int DestinationPosition(int D) const { return 8 * Controller + 11 + 2 * D; }
};

}  // namespace zel
