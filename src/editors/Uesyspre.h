#pragma once
// TFormSysPreview, the system's preview editor: the sound mode of the instrument's preview and the key
// and velocity of its four preview sets, each one byte of the system common.
#include <array>
#include <string>

#include "controls/Uecomp.h"
#include "editors/Uesystem.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormSysPreview : public TSystemSectionEditor {
public:
    explicit TFormSysPreview(TComponent* AOwner) : TSystemSectionEditor(AOwner) {}
    std::string ClassName() const override { return "TFormSysPreview"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TPanel* PanelBtn = nullptr;
    TRadioButton* ModeSingle = nullptr;
    TRadioButton* ModeChord = nullptr;

    // The key field and the velocity slider of set n (1..4), found by their names "KeySet" n and
    // "VelSet" n.
    TMyEdit* KeySet(int n) const;
    TPanSlider* VelSet(int n) const;

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void ModeSingleClick(TObject* Sender);
    void ModeChordClick(TObject* Sender);
    // Every key field and velocity slider; the set number is the control's Tag.
    void KeySet1EndChange(TObject* Sender);
    void VelSet1Endchange(TObject* Sender);

protected:
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 60; }
    int SlotIndex() const override { return TSystem::sePreview; }
    TControl* ButtonPanel() const override { return PanelBtn; }
};

}  // namespace zel
