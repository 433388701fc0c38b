#pragma once
// TFormPatch, the container window of one patch: the patch's sections as small captioned panels on a
// gradient background (the common and effects, and per tone its wave, pitch, TVF, TVA, LFO 1, LFO 2 and
// control), a check box per tone that switches it on and off, and a row of speed buttons with the
// element's operations. A double click on a section opens its editor; dragging sections onto another
// patch's window (or onto the other LFO of a tone) copies them.
#include <string>
#include <vector>

#include "controls/Shader.h"
#include "editors/EditorForm.h"
#include "model/Clipboard.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TPatch;

class TFormPatch : public TEditorForm {
public:
    explicit TFormPatch(TComponent* AOwner) : TEditorForm(AOwner) {}
    std::string ClassName() const override { return "TFormPatch"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Makes and shows the window of Patch, a child of the main window (Owner), handing the patch over
    // through OpeningPatch.
    static TFormPatch* Open(TComponent* Owner, TPatch& Patch);

    TPatch* EditElem = nullptr;
    // Set by a section's double click, so that the end of the drag that the same press began leaves the
    // opened editor in front.
    std::uint8_t OpenedByDblClick = 0;

    // ---- components of the form resource
    TShader* Shader1 = nullptr;
    TPanel* PanelComEff = nullptr;
    TPanel* Common = nullptr;
    TPanel* Effects = nullptr;
    TPanel* PanelTone1 = nullptr;
    TPanel* PanelTone2 = nullptr;
    TPanel* PanelTone3 = nullptr;
    TPanel* PanelTone4 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TCheckBox* CheckBox3 = nullptr;
    TCheckBox* CheckBox4 = nullptr;
    TPanel* Panel1 = nullptr;
    TSpeedButton* SpeedNuovo = nullptr;
    TSpeedButton* SpeedCarica = nullptr;
    TSpeedButton* SpeedSalva = nullptr;
    TSpeedButton* SpeedSaveAs = nullptr;
    TSpeedButton* SpeedSend = nullptr;
    TSpeedButton* SpeedReceive = nullptr;
    TSpeedButton* SpeedHelp = nullptr;

    // The check box of tone 1..4.
    TCheckBox* ToneCheckBox(int Tone) const;
    // A section panel by its component name ("Pitch2", "TVF", "Lfo13"); nullptr when there is none.
    TPanel* SectionPanel(const std::string& Name) const;
    // The window's panels as the model's section routines see them, highlight states included.
    std::vector<TSectionPanel>& Panels() { return panels_; }

    // ---- the protocol
    void UpdateView() override;

    // ---- handlers
    void FormResize(TObject* Sender) override;
    void CommonDblClick(TObject* Sender);
    void EffectsDblClick(TObject* Sender);
    // The tone's section editors, for the tone of the panel's Tag.
    void Wave1DblClick(TObject* Sender);
    void Pitch1DblClick(TObject* Sender);
    void TVFDblClick(TObject* Sender);
    void Tva1DblClick(TObject* Sender);
    void Lfo11DblClick(TObject* Sender);
    void Lfo21DblClick(TObject* Sender);
    void Control1DblClick(TObject* Sender);
    void CheckBox1Click(TObject* Sender);
    void SpeedNuovoClick(TObject* Sender);
    void SpeedCaricaClick(TObject* Sender);
    void SpeedSalvaClick(TObject* Sender);
    void SpeedSaveAsClick(TObject* Sender);
    void SpeedSendClick(TObject* Sender);
    void SpeedReceiveClick(TObject* Sender);
    void SpeedHelpClick(TObject* Sender);
    void Control1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Control1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void FountainFill1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void Control1EndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void FountainFill1Click(TObject* Sender);

    // Removes every highlight of the window's panels.
    void ClearHighlights();
    // Copies one dragged section from this window's patch into the target window's patch, straight into
    // the blocks, and highlights the target's receiving panels.
    void CopyPatchPart(const TDragElem& Item, TFormPatch& TargetWindow, TPanel& TargetPanel, bool SingleItem);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 38; }
    int UndoListCount() const override { return 0; }
    void MarkOpen() override;
    void PlaceWindow() override;
    void CloseSteps() override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }

public:
    void FormCreate(TObject* Sender) override;

private:
    // Opens the editor of a tone's section, handing the patch and the tone over through the opener
    // variables; an editor already open comes to the front.
    template <class TEditor>
    void OpenToneEditor(TObject* Sender, int Slot, TPatch*& OpeningPatchOf, int& OpeningToneOf);
    // The section and group panels mirrored for the model, and their controls in the same order.
    void CollectPanels();
    int PanelIndex(const TObject* Control) const;
    // Paints every panel in its highlight state.
    void PaintHighlights();

    std::vector<TSectionPanel> panels_;
    std::vector<TPanel*> panelControls_;
};

}  // namespace zel
