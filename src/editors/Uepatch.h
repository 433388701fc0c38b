#pragma once
// TFormPatch, the container window of one patch: the patch's sections as small captioned panels on a
// gradient background (the common and effects, and per tone its wave, pitch, TVF, TVA, LFO 1, LFO 2 and
// control), a check box per tone that switches it on and off, and a row of speed buttons with the
// element's operations. A double click on a section opens its editor; dragging sections onto another
// patch's window (or onto the other LFO of a tone) copies them.
#include <string>
#include <vector>

#include "controls/Shader.h"
#include "editors/SectionWindow.h"
#include "model/Clipboard.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TPatch;

class TFormPatch : public TSectionWindow {
public:
    explicit TFormPatch(TComponent* AOwner) : TSectionWindow(AOwner) {}
    std::string ClassName() const override { return "TFormPatch"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Makes and shows the window of Patch, a child of the main window (Owner), handing the patch over
    // through OpeningPatch.
    static TFormPatch* Open(TComponent* Owner, TPatch& Patch);

    TPatch* EditElem = nullptr;

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
    void SpeedHelpClick(TObject* Sender);
    void Control1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Control1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void FountainFill1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void Control1EndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void FountainFill1Click(TObject* Sender);

    // Copies one dragged section from this window's patch into the target window's patch, straight into
    // the blocks, and highlights the target's receiving panels.
    void CopyPatchPart(const TDragElem& Item, TFormPatch& TargetWindow, TPanel& TargetPanel, bool SingleItem);

protected:
    TLibElem* Element() const override;
    void TakeOpenerVariables() override;
    int HelpContextNumber() const override { return 38; }
    void CloseSectionEditors(TLibElem& Element) override;
    void MakeCurrent() override;
    void ForgetElement() override { EditElem = nullptr; }
    TSectionWindow* SameKindWindowOf(const TObject* Control) const override;
    void CopyDraggedSection(const TDragElem& Item, TSectionWindow& TargetWindow, TPanel& TargetPanel,
                            bool SingleItem) override;

public:
    void FormCreate(TObject* Sender) override;

private:
    // Opens the editor of a tone's section, handing the patch and the tone over through the opener
    // variables; an editor already open comes to the front.
    template <class TEditor>
    void OpenToneEditor(TObject* Sender, int Slot, TPatch*& OpeningPatchOf, int& OpeningToneOf);
};

}  // namespace zel
