#include "editors/SectionContainer.h"

#include <typeinfo>

#include "model/CurrentElements.h"
#include "model/LibElem.h"
#include "model/SharedRoutines.h"
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
    B.Handler<N>("SpeedNuovoClick", [this](TObject* s) { SpeedNuovoClick(s); });
    B.Handler<N>("SpeedCaricaClick", [this](TObject* s) { SpeedCaricaClick(s); });
    B.Handler<N>("SpeedSalvaClick", [this](TObject* s) { SpeedSalvaClick(s); });
    B.Handler<N>("SpeedButton1Click", [this](TObject* s) { SpeedButton1Click(s); });
    B.Handler<N>("SpeedButton3Click", [this](TObject* s) { SpeedButton3Click(s); });
    B.Handler<N>("SpeedButton2Click", [this](TObject* s) { SpeedButton2Click(s); });
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
    CollectPanels();
    TEditorForm::FormCreate(Sender);
}

void TSectionContainer::MarkOpen() {
    TLibElem* element = Element();
    if (element == nullptr) return;
    element->WindowOpen = 1;
    element->Window = this;
}

void TSectionContainer::PlaceWindow() {
    FormResize(this);
    if (TLibElem* element = Element()) PlaceMdiChild(element->WindowLeft, element->WindowTop, this);
}

void TSectionContainer::CloseSteps() {
    TLibElem* element = Element();
    if (element == nullptr) return;
    // The element may have let go of the window already (it is being deleted): the places of this window
    // and of the editors are kept all the same.
    if (element->Window != nullptr && element->Window != this) return;
    element->Window = this;
    element->WindowOpen = 1;
    element->StoreWindowPositions();
    CloseBlockEditors();
    element->WindowOpen = 0;
    element->Window = nullptr;
}

void TSectionContainer::FormResize(TObject*) {
    if (GetWidth() != FixedWidth() || GetHeight() != FixedHeight())
        SetBounds(GetLeft(), GetTop(), FixedWidth(), FixedHeight());
}

void TSectionContainer::UpdateView() {
    TLibElem* element = Element();
    if (element == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(element->GetName() + " [Filename : " + ExtractFileName(element->FileName) + "]" +
               "   [Loc : " + OwnerPathText(element) + "]");
    FillControls();
}

// ------------------------------------------------------------------------------------- speed buttons

void TSectionContainer::SpeedNuovoClick(TObject*) {
    TLibElem* element = Element();
    if (element == nullptr) return;
    element->InitDefault();
    element->Transmit(true);
    TouchElement(element);
}

void TSectionContainer::SpeedCaricaClick(TObject*) {
    if (TLibElem* element = Element()) element->LoadSyxDialog();
}

void TSectionContainer::SpeedSalvaClick(TObject*) {
    if (TLibElem* element = Element()) element->SaveSyxDialog(false);
}

void TSectionContainer::SpeedButton1Click(TObject*) {
    if (TLibElem* element = Element()) element->SaveSyxDialog(true);
}

void TSectionContainer::SpeedButton3Click(TObject*) {
    if (TLibElem* element = Element()) element->Transmit(true);
}

void TSectionContainer::SpeedButton2Click(TObject*) {
    if (TLibElem* element = Element()) element->Receive(true);
}

void TSectionContainer::SpeedHelpClick(TObject*) { Application->HelpContext(HelpContextNumber()); }

// ------------------------------------------------------------------------------------ section panels

void TSectionContainer::CollectPanels() {
    panels_.clear();
    panelControls_.clear();
    TPanel* group = GroupPanel();
    if (group == nullptr) return;
    panels_.push_back(TSectionPanel{group->GetName(), static_cast<std::int32_t>(group->Tag), -1, false});
    panelControls_.push_back(group);
    for (int i = 0; i < group->ControlCount(); ++i) {
        auto* section = dynamic_cast<TPanel*>(group->Controls(i));
        if (section == nullptr) continue;
        panels_.push_back(TSectionPanel{section->GetName(), static_cast<std::int32_t>(section->Tag), 0, false});
        panelControls_.push_back(section);
        // The drag starts once the mouse has moved past the threshold: then the highlighted sections are
        // collected.
        section->OnStartDrag = [this](TObject*, TObject*&) {
            if (TDragInfo* drag = ModelServices().DragInfo) BeginSectionDrag(*drag, this, panels_);
        };
    }
}

int TSectionContainer::PanelIndex(const TObject* Control) const {
    for (std::size_t i = 0; i < panelControls_.size(); ++i)
        if (panelControls_[i] == Control) return static_cast<int>(i);
    return -1;
}

TPanel* TSectionContainer::SectionPanel(const std::string& Name) const {
    for (TPanel* p : panelControls_)
        if (SameText(p->GetName(), Name)) return p;
    return nullptr;
}

void TSectionContainer::PaintHighlights() {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (panels_[i].Parent < 0) continue;
        panelControls_[i]->SetColor(panels_[i].Highlighted ? static_cast<TColor>(clSectionHighlight) : clBtnFace);
    }
}

void TSectionContainer::ClearHighlights() {
    ClearPanelHighlights(panels_);
    PaintHighlights();
}

void TSectionContainer::FountainFill1Click(TObject*) { ClearHighlights(); }

TSectionContainer* TSectionContainer::SameKindWindowOf(const TObject* Control) const {
    const auto* control = dynamic_cast<const TControl*>(Control);
    auto* window = control != nullptr ? dynamic_cast<TSectionContainer*>(control->GetParentForm()) : nullptr;
    return window != nullptr && typeid(*window) == typeid(*this) ? window : nullptr;
}

void TSectionContainer::SectionMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int, int) {
    if (Button != mbLeft || Closed()) return;
    const int index = PanelIndex(Sender);
    if (index < 0) return;
    TPanel* group = GroupPanel();
    // The group marker is found in no panel name: only a press on the group panel itself takes the group.
    const bool drags = SectionPanelMouseDown(panels_, index, Shift.Contains(ssCtrl), "NNNNNNN", group->GetName());
    PaintHighlights();
    // The press of a double click opens the section's editor; it starts no drag.
    if (drags && !Shift.Contains(ssDouble)) panelControls_[static_cast<std::size_t>(index)]->BeginDrag(false);
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

void TSectionContainer::SectionEndDrag(TObject*, TObject* Target, int, int) {
    SectionDragActive = 0;
    TDragInfo* drag = ModelServices().DragInfo;
    auto* targetPanel = dynamic_cast<TPanel*>(Target);
    TSectionContainer* target = targetPanel != nullptr ? SameKindWindowOf(targetPanel) : nullptr;
    const bool drop = drag != nullptr && drag->Accepted != 0 && target != nullptr && target != this &&
                      !target->Closed() && target->Element() != nullptr && Element() != nullptr &&
                      target->PanelIndex(targetPanel) > 0;
    if (drop) {
        drag->Target = target;
        target->ClearHighlights();
        for (const auto& item : drag->Items) {
            TDragInfo::HighlightPanels(target->panels_, item->SectionKind, 0);
            CopySection(*item, *target);
        }
        target->PaintHighlights();
        TLibElem* element = target->Element();
        TouchElement(element);
        element->UpdateViews();
        element->Transmit(true);
        target->BringToFront();
    } else if (OpenedByDblClick == 0 && !Closed()) {
        BringToFront();
    }
    OpenedByDblClick = 0;
    if (drag != nullptr) drag->Accepted = 0;
}

}  // namespace zel
