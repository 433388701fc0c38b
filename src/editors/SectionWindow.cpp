#include "editors/SectionWindow.h"

#include <exception>

#include "model/CurrentElements.h"
#include "model/LibElem.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

// ------------------------------------------------------------------------------------ the window slot

void TSectionWindow::MarkOpen() {
    // A window made without an element handed over (the form check of the program) edits nothing.
    TLibElem* element = Element();
    if (element == nullptr) return;
    element->WindowOpen = 1;
    element->Window = this;
}

void TSectionWindow::PlaceWindow() {
    FormResize(this);
    if (TLibElem* element = Element()) PlaceMdiChild(element->WindowLeft, element->WindowTop, this);
}

void TSectionWindow::CloseSteps() {
    TLibElem* element = Element();
    if (element == nullptr) return;
    // The element may have let go of the window already (it is being deleted): the places of this window
    // and of the editors are kept all the same.
    if (element->Window != nullptr && element->Window != this) return;
    element->Window = this;
    element->WindowOpen = 1;
    element->StoreWindowPositions();
    CloseSectionEditors(*element);
    element->WindowOpen = 0;
    element->Window = nullptr;
}

void TSectionWindow::OpenSectionEditor(TEditorSlot& Slot, const std::function<TCustomForm*()>& Make) {
    OpenedByDblClick = 1;
    if (Element() == nullptr || Closed()) return;
    if (Slot.EditorOpen != 0) {
        if (auto* form = dynamic_cast<TCustomForm*>(Slot.EditorForm)) form->BringToFront();
        return;
    }
    TCustomForm* form = nullptr;
    try {
        form = Make();
    } catch (const std::exception&) {
        throw EInOutError("Out of Resource");
    }
    Slot.EditorForm = form;
    form->Show();
}

void TSectionWindow::KeepSize(int Width, int Height) {
    if (GetWidth() != Width || GetHeight() != Height) SetBounds(GetLeft(), GetTop(), Width, Height);
}

// ------------------------------------------------------------------------------------- speed buttons

void TSectionWindow::NewClick(TObject*) {
    TLibElem* element = Element();
    if (element == nullptr) return;
    element->InitDefault();
    element->Transmit(true);
    TouchElement(element);
}

void TSectionWindow::LoadClick(TObject*) {
    if (TLibElem* element = Element()) element->LoadSyxDialog();
}

void TSectionWindow::SaveClick(TObject*) {
    if (TLibElem* element = Element()) element->SaveSyxDialog(false);
}

void TSectionWindow::SaveAsClick(TObject*) {
    if (TLibElem* element = Element()) element->SaveSyxDialog(true);
}

void TSectionWindow::SendClick(TObject*) {
    if (TLibElem* element = Element()) element->Transmit(true);
}

void TSectionWindow::ReceiveClick(TObject*) {
    if (TLibElem* element = Element()) element->Receive(true);
}

// ------------------------------------------------------------------------------------ section panels

void TSectionWindow::CollectPanels(std::initializer_list<TPanel*> Groups) {
    panels_.clear();
    panelControls_.clear();
    const auto add = [this](TPanel* panel, int parent) {
        panels_.push_back(TSectionPanel{panel->GetName(), static_cast<std::int32_t>(panel->Tag), parent, false});
        panelControls_.push_back(panel);
        return static_cast<int>(panels_.size()) - 1;
    };
    for (TPanel* group : Groups) {
        if (group == nullptr) continue;
        const int g = add(group, -1);
        for (int i = 0; i < group->ControlCount(); ++i) {
            auto* section = dynamic_cast<TPanel*>(group->Controls(i));
            if (section == nullptr) continue;
            add(section, g);
            // The drag starts once the mouse has moved past the threshold: then the highlighted sections
            // are collected.
            section->OnStartDrag = [this](TObject*, TObject*&) {
                if (TDragInfo* drag = ModelServices().DragInfo) BeginSectionDrag(*drag, this, panels_);
            };
        }
    }
}

int TSectionWindow::PanelIndex(const TObject* Control) const {
    for (std::size_t i = 0; i < panelControls_.size(); ++i)
        if (panelControls_[i] == Control) return static_cast<int>(i);
    return -1;
}

TPanel* TSectionWindow::SectionPanel(const std::string& Name) const {
    for (TPanel* p : panelControls_)
        if (SameText(p->GetName(), Name)) return p;
    return nullptr;
}

void TSectionWindow::PaintHighlights() {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (panels_[i].Parent < 0) continue;
        panelControls_[i]->SetColor(panels_[i].Highlighted ? static_cast<TColor>(clSectionHighlight) : clBtnFace);
    }
}

void TSectionWindow::ClearHighlights() {
    ClearPanelHighlights(panels_);
    PaintHighlights();
}

void TSectionWindow::PressSection(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                  const std::string& GroupMarker, const std::string& GroupName) {
    if (Button != mbLeft || Closed()) return;
    const int index = PanelIndex(Sender);
    if (index < 0) return;
    const bool drags = SectionPanelMouseDown(panels_, index, Shift.Contains(ssCtrl), GroupMarker, GroupName);
    PaintHighlights();
    // The press of a double click opens the section's editor; it starts no drag.
    if (drags && !Shift.Contains(ssDouble)) panelControls_[static_cast<std::size_t>(index)]->BeginDrag(false);
}

void TSectionWindow::RefuseDrop(bool& Accept) {
    Accept = false;
    if (TDragInfo* drag = ModelServices().DragInfo) drag->Accepted = 0;
    if (!Closed()) BringToFront();
}

void TSectionWindow::EndSectionDrag(TObject* Target) {
    SectionDragActive = 0;
    TDragInfo* drag = ModelServices().DragInfo;
    auto* targetPanel = dynamic_cast<TPanel*>(Target);
    TSectionWindow* targetWindow = targetPanel != nullptr ? SameKindWindowOf(targetPanel) : nullptr;
    TLibElem* target = targetWindow != nullptr ? targetWindow->Element() : nullptr;
    const bool drop = drag != nullptr && drag->Accepted != 0 && target != nullptr && !targetWindow->Closed() &&
                      Element() != nullptr && targetWindow->PanelIndex(targetPanel) >= 0;
    if (drop) {
        drag->Target = targetWindow;
        targetWindow->ClearHighlights();
        const bool single = drag->Items.size() == 1;
        for (const auto& item : drag->Items) CopyDraggedSection(*item, *targetWindow, *targetPanel, single);
        targetWindow->PaintHighlights();
        TouchElement(target);
        target->UpdateViews();
        target->Transmit(true);
        targetWindow->BringToFront();
    } else if (OpenedByDblClick == 0 && !Closed()) {
        BringToFront();
    }
    OpenedByDblClick = 0;
    if (drag != nullptr) drag->Accepted = 0;
}

}  // namespace zel
