#include "editors/SectionContainer.h"

#include <typeinfo>

#include "model/CurrentElements.h"
#include "model/LibElem.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"

namespace zel {

void TSectionContainer::DefineContainerBindings(TFormBindings& B, const std::string& MouseDown,
                                                const std::string& DragOver, const std::string& EndDrag) {
    DefineProtocolBindings(B);
    B.Field("Shader1", Shader1);
    B.Field("Panel1", Panel1);
    B.Field("SpeedNuovo", SpeedNuovo);
    B.Field("SpeedCarica", SpeedCarica);
    B.Field("SpeedSalva", SpeedSalva);
    B.Field("SpeedButton1", SpeedButton1);
    B.Field("SpeedButton3", SpeedButton3);
    B.Field("SpeedButton2", SpeedButton2);
    B.Field("SpeedHelp", SpeedHelp);
    using N = TNotifyEvent;
    B.Handler<N>("SpeedNuovoClick", [this](TObject* s) { NewClick(s); });
    B.Handler<N>("SpeedCaricaClick", [this](TObject* s) { LoadClick(s); });
    B.Handler<N>("SpeedSalvaClick", [this](TObject* s) { SaveClick(s); });
    B.Handler<N>("SpeedButton1Click", [this](TObject* s) { SaveAsClick(s); });
    B.Handler<N>("SpeedButton3Click", [this](TObject* s) { SendClick(s); });
    B.Handler<N>("SpeedButton2Click", [this](TObject* s) { ReceiveClick(s); });
    B.Handler<N>("SpeedHelpClick", [this](TObject* s) { SpeedHelpClick(s); });
    B.Handler<N>("FountainFill1Click", [this](TObject* s) { FountainFill1Click(s); });
    B.Handler<TMouseEvent>(MouseDown, [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SectionMouseDown(s, b, sh, x, y);
    });
    B.Handler<TDragOverEvent>(DragOver, [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
        SectionDragOver(s, src, x, y, st, a);
    });
    B.Handler<TDragOverEvent>("FountainFill1DragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                              bool& a) { BackgroundDragOver(s, src, x, y, st, a); });
    B.Handler<TEndDragEvent>(EndDrag, [this](TObject* s, TObject* t, int x, int y) { SectionEndDrag(s, t, x, y); });
}

// ------------------------------------------------------------------------------------------ the protocol

void TSectionContainer::FormCreate(TObject* Sender) {
    CollectPanels({GroupPanel()});
    TEditorForm::FormCreate(Sender);
}

void TSectionContainer::CloseSectionEditors(TLibElem&) { CloseBlockEditors(); }

void TSectionContainer::FormResize(TObject*) { KeepSize(FixedWidth(), FixedHeight()); }

void TSectionContainer::UpdateView() {
    TLibElem* element = Element();
    if (element == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(element->GetName() + " [Filename : " + ExtractFileName(element->FileName) + "]" +
               "   [Loc : " + OwnerPathText(element) + "]");
    FillControls();
}

void TSectionContainer::SpeedHelpClick(TObject*) { Application->HelpContext(HelpContextNumber()); }

// ------------------------------------------------------------------------------------ section panels

void TSectionContainer::FountainFill1Click(TObject*) { ClearHighlights(); }

TSectionWindow* TSectionContainer::SameKindWindowOf(const TObject* Control) const {
    const auto* control = dynamic_cast<const TControl*>(Control);
    auto* window = control != nullptr ? dynamic_cast<TSectionContainer*>(control->GetParentForm()) : nullptr;
    return window != nullptr && typeid(*window) == typeid(*this) ? window : nullptr;
}

void TSectionContainer::SectionMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int, int) {
    // The group marker is found in no panel name: only a press on the group panel itself takes the group.
    if (TPanel* group = GroupPanel()) PressSection(Sender, Button, Shift, "NNNNNNN", group->GetName());
}

void TSectionContainer::BackgroundDragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) {
    Accept = false;
    if (TDragInfo* drag = ModelServices().DragInfo) drag->Accepted = 0;
}

void TSectionContainer::SectionDragOver(TObject* Sender, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = false;
    TDragInfo* drag = ModelServices().DragInfo;
    if (drag == nullptr || Closed()) return;
    drag->Accepted = 0;
    BringToFront();
    const auto* panel = dynamic_cast<const TPanel*>(Sender);
    const auto* source = dynamic_cast<const TControl*>(Source);
    if (panel == nullptr || source == nullptr || PanelIndex(panel) <= 0 || SectionDragActive == 0) return;
    // Only sections of a window of the same kind drop here, and only into another window.
    if (SameKindWindowOf(source) == nullptr || drag->Items.empty()) return;
    const std::uint8_t kind = TDragInfo::SectionKindOfPanel(panel->GetName());
    const bool accept = drag->HasSectionKind(kind) && panel != source && panel->GetParent() != source->GetParent();
    Accept = accept;
    drag->Accepted = accept ? 1 : 0;
}

void TSectionContainer::SectionEndDrag(TObject*, TObject* Target, int, int) { EndSectionDrag(Target); }

void TSectionContainer::CopyDraggedSection(const TDragElem& Item, TSectionWindow& TargetWindow, TPanel&, bool) {
    auto* target = dynamic_cast<TSectionContainer*>(&TargetWindow);
    if (target == nullptr || target == this) return;
    TDragInfo::HighlightPanels(target->Panels(), Item.SectionKind, 0);
    CopySection(Item, *target);
}

}  // namespace zel
