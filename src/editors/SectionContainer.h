#pragma once
// The container window of a performance, a rhythm set or a system: the element's sections as small
// captioned panels in one group panel on a gradient background, and a row of speed buttons with the
// element's operations. A double click on a section opens its editor; dragging sections onto the same
// sections of another window of the same kind copies them into that window's element, which is then sent
// whole to the instrument's temporary area.
#include <string>

#include "controls/Shader.h"
#include "editors/SectionWindow.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Buttons.h"

namespace zel {

class TSectionContainer : public TSectionWindow {
public:
    explicit TSectionContainer(TComponent* AOwner) : TSectionWindow(AOwner) {}
    std::string ClassName() const override { return "TSectionContainer"; }

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

    // ---- the protocol: the caption, then the window's own controls
    void UpdateView() override;
    void FormCreate(TObject* Sender) override;
    void FormResize(TObject* Sender) override;

    // ---- handlers
    void SpeedHelpClick(TObject* Sender);
    void SectionMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SectionDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void BackgroundDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void SectionEndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void FountainFill1Click(TObject* Sender);

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

    void CloseSectionEditors(TLibElem& Element) override;
    TSectionWindow* SameKindWindowOf(const TObject* Control) const override;
    // The receiving panels of the section's kind are highlighted, then the section is copied.
    void CopyDraggedSection(const TDragElem& Item, TSectionWindow& TargetWindow, TPanel& TargetPanel,
                            bool SingleItem) override;

    // Opens an editor of a section once: a second double click brings the open one to the front; a
    // failure to make the window reads "Out of Resource".
    template <class TForm, class TElem>
    void OpenSectionEditor(TEditorSlot& Slot, TElem*& Opener, TElem* Element);
};

template <class TForm, class TElem>
void TSectionContainer::OpenSectionEditor(TEditorSlot& Slot, TElem*& Opener, TElem* Element) {
    if (Element == nullptr) {
        OpenedByDblClick = 1;
        return;
    }
    TSectionWindow::OpenSectionEditor(Slot, [&]() -> TCustomForm* {
        Opener = Element;
        TScopeExit reset([&Opener] { Opener = nullptr; });
        return Construct<TForm>(this);
    });
}

}  // namespace zel
