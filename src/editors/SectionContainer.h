#pragma once
// The container window of a performance or a rhythm set: the element's sections as small captioned
// panels in one group panel on a gradient background, and a row of speed buttons with the element's
// operations. A double click on a section opens its editor; dragging sections onto the same sections of
// another window of the same kind copies them into that window's element, which is then sent whole to
// the instrument's temporary area.
#include <exception>
#include <string>
#include <vector>

#include "controls/Shader.h"
#include "editors/EditorForm.h"
#include "model/Clipboard.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"

namespace zel {

class TSectionContainer : public TEditorForm {
public:
    explicit TSectionContainer(TComponent* AOwner) : TEditorForm(AOwner) {}
    std::string ClassName() const override { return "TSectionContainer"; }

    // Set by a section's double click, so that the end of the drag that the same press began leaves the
    // opened editor in front.
    std::uint8_t OpenedByDblClick = 0;

    // ---- components every such window has
    TShader* Shader1 = nullptr;
    TPanel* Panel1 = nullptr;
    TSpeedButton* SpeedNuovo = nullptr;
    TSpeedButton* SpeedCarica = nullptr;
    TSpeedButton* SpeedSalva = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;  // "Save as"
    TSpeedButton* SpeedButton3 = nullptr;  // "Send "
    TSpeedButton* SpeedButton2 = nullptr;  // "Receive"
    TSpeedButton* SpeedHelp = nullptr;

    // A section panel by its component name; nullptr when there is none.
    TPanel* SectionPanel(const std::string& Name) const;
    // The window's panels as the model's section routines see them, highlight states included.
    std::vector<TSectionPanel>& Panels() { return panels_; }

    // ---- the protocol: the caption, then the window's own controls
    void UpdateView() override;
    void FormCreate(TObject* Sender) override;
    void FormResize(TObject* Sender) override;

    // ---- handlers
    void SpeedNuovoClick(TObject* Sender);
    void SpeedCaricaClick(TObject* Sender);
    void SpeedSalvaClick(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedHelpClick(TObject* Sender);
    void SectionMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SectionDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void BackgroundDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void SectionEndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void FountainFill1Click(TObject* Sender);

    // Removes every highlight of the window's panels.
    void ClearHighlights();

protected:
    // Binds the protocol, the speed buttons, the background and the drag handlers under the names the
    // form resource gives them.
    void DefineContainerBindings(TFormBindings& B, const std::string& MouseDown, const std::string& DragOver,
                                 const std::string& EndDrag);

    // ---- what each window gives
    // The panel holding the sections, its name being the group name of the section routines.
    virtual TPanel* GroupPanel() const = 0;
    virtual int FixedWidth() const = 0;
    virtual int FixedHeight() const = 0;
    // The window's controls besides the caption.
    virtual void FillControls() {}
    // Copies one dragged section of this window's element into the target window's element, straight
    // into its blocks.
    virtual void CopySection(const TDragElem& Item, TSectionContainer& Target) = 0;
    // Closes the editors of the element's blocks.
    virtual void CloseBlockEditors() = 0;

    int UndoListCount() const override { return 0; }
    void MarkOpen() override;
    void PlaceWindow() override;
    void CloseSteps() override;

    // Opens an editor of a section once: a second double click brings the open one to the front; a
    // failure to make the window reads "Out of Resource".
    template <class TForm, class TElem>
    void OpenSectionEditor(TEditorSlot& Slot, TElem*& Opener, TElem* Element);

private:
    // The sections mirrored for the model, and their controls in the same order.
    void CollectPanels();
    int PanelIndex(const TObject* Control) const;
    void PaintHighlights();
    // The container window a control lies on, when it is a window of this window's class.
    TSectionContainer* SameKindWindowOf(const TObject* Control) const;

    std::vector<TSectionPanel> panels_;
    std::vector<TPanel*> panelControls_;
};

template <class TForm, class TElem>
void TSectionContainer::OpenSectionEditor(TEditorSlot& Slot, TElem*& Opener, TElem* Element) {
    OpenedByDblClick = 1;
    if (Element == nullptr || Closed()) return;
    try {
        if (Slot.EditorOpen != 0) {
            if (auto* form = dynamic_cast<TCustomForm*>(Slot.EditorForm)) form->BringToFront();
            return;
        }
        Opener = Element;
        TScopeExit reset([&Opener] { Opener = nullptr; });
        auto* form = Construct<TForm>(this);
        Slot.EditorForm = form;
        form->Show();
    } catch (const std::exception&) {
        throw EInOutError("Out of Resource");
    }
}

}  // namespace zel
