#pragma once
// TSectionWindow, what the container windows of the elements share (the patch window, the system
// window): the element's window slot, a fixed size, the row of speed buttons with the element's
// operations, and the captioned section panels that are highlighted by clicks and dragged onto the same
// kind of window to copy sections.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "editors/EditorForm.h"
#include "model/Clipboard.h"
#include "platform/vcl/ExtCtrls.h"

namespace zel {

class TSectionWindow : public TEditorForm {
public:
    using TEditorForm::TEditorForm;
    std::string ClassName() const override { return "TSectionWindow"; }

    // Set by a section's double click, so that the end of the drag that the same press began leaves the
    // opened editor in front.
    std::uint8_t OpenedByDblClick = 0;

    // The window's panels as the model's section routines see them, highlight states included.
    std::vector<TSectionPanel>& Panels() { return panels_; }
    // A section or group panel by its component name; nullptr when there is none.
    TPanel* SectionPanel(const std::string& Name) const;
    // Removes every highlight of the window's panels.
    void ClearHighlights();

    // ---- the speed buttons: the element's operations
    void NewClick(TObject* Sender);      // initial values, sent, marked modified
    void LoadClick(TObject* Sender);     // a .Syx file read
    void SaveClick(TObject* Sender);     // written to its file
    void SaveAsClick(TObject* Sender);   // written to a file the user names
    void SendClick(TObject* Sender);     // sent to the temporary area
    void ReceiveClick(TObject* Sender);  // fetched from the temporary area

protected:
    // A container window keeps no history of its own.
    int UndoListCount() const override { return 0; }

    // ---- the element's window slot
    void MarkOpen() override;
    void PlaceWindow() override;
    // The window's place, the editors' places and the editors closed, the slot cleared.
    void CloseSteps() override;
    // Closes the editors of the element's sections.
    virtual void CloseSectionEditors(TLibElem& Element) = 0;
    // A section's double click: opens the section's editor into its slot (Make constructs it while the
    // opener variable is set), or brings the open one to the front.
    void OpenSectionEditor(TEditorSlot& Slot, const std::function<TCustomForm*()>& Make);
    // Keeps the window at its one size.
    void KeepSize(int Width, int Height);

    // ---- section panels
    // Collects the group panels and the section panels inside each; a section starts its drag once the
    // mouse has moved past the threshold.
    void CollectPanels(std::initializer_list<TPanel*> Groups);
    int PanelIndex(const TObject* Control) const;
    // Paints every panel in its highlight state.
    void PaintHighlights();
    // A left press on a group or section panel: highlights, and a drag from a section panel (not on the
    // press of a double click).
    void PressSection(TObject* Sender, TMouseButton Button, TShiftState Shift, const std::string& GroupMarker,
                      const std::string& GroupName);
    // The window's background, buttons and group panels take no drop.
    void RefuseDrop(bool& Accept);
    // The end of a drag that began on one of this window's sections: when it was accepted on a section
    // panel of a window of the same kind, each dragged section is copied there, and that window's element
    // is marked modified, refilled, sent and brought to the front. Otherwise this window comes to the
    // front, unless a double click opened an editor.
    void EndSectionDrag(TObject* Target);
    // The window of the same kind that a control lies on; nullptr for any other.
    virtual TSectionWindow* SameKindWindowOf(const TObject* Control) const = 0;
    // Copies one dragged section from this window's element into the target window's, straight into the
    // blocks, and highlights the target's receiving panels.
    virtual void CopyDraggedSection(const TDragElem& Item, TSectionWindow& TargetWindow, TPanel& TargetPanel,
                                    bool SingleItem) = 0;

private:
    std::vector<TSectionPanel> panels_;
    std::vector<TPanel*> panelControls_;
};

}  // namespace zel
