#pragma once
// TFormSystem, the container window of the instrument's system settings: four captioned section panels
// (setup, MIDI, preview and the scale tunes) on a gradient background and a row of speed buttons with the
// element's operations. A double click on a section opens its editor; dragging sections onto another
// system's window copies them. TSystemSectionEditor is what the four section editors share.
#include <string>
#include <vector>

#include "editors/EditorForm.h"
#include "editors/SectionContainer.h"
#include "model/Clipboard.h"
#include "model/SystemElem.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormSystem : public TSectionContainer {
public:
    explicit TFormSystem(TComponent* AOwner) : TSectionContainer(AOwner) {}
    std::string ClassName() const override { return "TFormSystem"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Makes and shows the window of System, a child of the main window (Owner), handing the system over
    // through OpeningSystem.
    static TFormSystem* Open(TComponent* Owner, TSystem& System);

    TSystem* EditElem = nullptr;

    // ---- components of the form resource besides the shared ones
    TPanel* PanelSystem = nullptr;
    TPanel* SysSetup = nullptr;
    TPanel* SysMidi = nullptr;
    TPanel* SysPreview = nullptr;
    TPanel* SysScaleTune = nullptr;

    // ---- handlers
    void SysSetupDblClick(TObject* Sender);
    void SysMidiDblClick(TObject* Sender);
    void SysPreviewDblClick(TObject* Sender);
    void SysScaleTuneDblClick(TObject* Sender);

    // Copies one dragged section from this window's system into the target window's system, straight
    // into the blocks.
    void CopySystemPart(const TDragElem& Item, TFormSystem& TargetWindow);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 58; }
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TPanel* GroupPanel() const override { return PanelSystem; }
    int FixedWidth() const override { return 400; }
    int FixedHeight() const override { return 138; }
    void CopySection(const TDragElem& Item, TSectionContainer& Target) override;
    void CloseBlockEditors() override;
};

// The editors of the system's sections: setup, MIDI and preview edit the system common, the scale-tune
// editor one scale tune at a time.
class TSystemSectionEditor : public TEditorForm {
public:
    using TEditorForm::TEditorForm;
    std::string ClassName() const override { return "TSystemSectionEditor"; }

    TSystem* EditElem = nullptr;

    // "name [Word] [Loc : ...]".
    std::string EditorCaption(const std::string& Word) const;

protected:
    TLibElem* Element() const override;
    // The system's slot of this editor (TSystem::seSetup...).
    virtual int SlotIndex() const = 0;
    TEditorSlot* EditorSlot() const override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    // The system common by default.
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void SetParams(int Position, std::span<const std::uint8_t> Bytes) override;
    void PutParam(int Position, std::uint8_t Value) override;
    // The whole system goes to the instrument.
    void SendBlockToTemp() override;
};

}  // namespace zel
