#pragma once
// TFormSystem, the container window of the instrument's system settings: four captioned section panels
// (setup, MIDI, preview and the scale tunes) on a gradient background and a row of speed buttons with the
// element's operations. A double click on a section opens its editor; dragging sections onto another
// system's window copies them. TSystemSectionEditor is what the four section editors share.
#include <string>
#include <vector>

#include "controls/Shader.h"
#include "editors/EditorForm.h"
#include "editors/SectionWindow.h"
#include "model/Clipboard.h"
#include "model/SystemElem.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormSystem : public TSectionWindow {
public:
    explicit TFormSystem(TComponent* AOwner) : TSectionWindow(AOwner) {}
    std::string ClassName() const override { return "TFormSystem"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Makes and shows the window of System, a child of the main window (Owner), handing the system over
    // through OpeningSystem.
    static TFormSystem* Open(TComponent* Owner, TSystem& System);

    TSystem* EditElem = nullptr;

    // ---- components of the form resource
    TShader* Shader1 = nullptr;
    TPanel* PanelSystem = nullptr;
    TPanel* SysSetup = nullptr;
    TPanel* SysMidi = nullptr;
    TPanel* SysPreview = nullptr;
    TPanel* SysScaleTune = nullptr;
    TPanel* Panel1 = nullptr;
    TSpeedButton* SpeedNuovo = nullptr;
    TSpeedButton* SpeedCarica = nullptr;
    TSpeedButton* SpeedSalva = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TSpeedButton* SpeedHelp = nullptr;

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormCreate(TObject* Sender) override;
    void FormResize(TObject* Sender) override;
    void SysSetupDblClick(TObject* Sender);
    void SysMidiDblClick(TObject* Sender);
    void SysPreviewDblClick(TObject* Sender);
    void SysScaleTuneDblClick(TObject* Sender);
    void SpeedHelpClick(TObject* Sender);
    void SysSetupMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SysSetupDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void FormDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void SysSetupEndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void FountainFill1Click(TObject* Sender);

    // Copies one dragged section from this window's system into the target window's system, straight
    // into the blocks, and highlights the target's receiving panels.
    void CopySystemPart(const TDragElem& Item, TFormSystem& TargetWindow);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 58; }
    int UndoListCount() const override { return 0; }
    void CloseSectionEditors(TLibElem& Element) override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TSectionWindow* SameKindWindowOf(const TObject* Control) const override;
    void CopySection(const TDragElem& Item, TSectionWindow& TargetWindow, TPanel& TargetPanel,
                     bool SingleItem) override;

private:
    // Opens the editor of one of the system's editor slots, or brings it to the front when it is open.
    template <class TEditor>
    void OpenEditor(int Slot, TSystem*& Opening);
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
    void MarkOpen() override;
    void PlaceWindow() override;
    void CloseSteps() override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    // The system common by default.
    std::uint8_t GetParam(int Position) const override;
    void SetParam(int Position, std::uint8_t Value) override;
    void SetParams(int Position, std::span<const std::uint8_t> Bytes) override;
    void PutParam(int Position, std::uint8_t Value) override;
    // The whole system goes to the instrument.
    void SendBlockToTemp() override;

private:
    TEditorSlot* Slot() const;
};

}  // namespace zel
