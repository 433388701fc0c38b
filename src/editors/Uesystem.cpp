#include "editors/Uesystem.h"

#include "editors/Uescalet.h"
#include "editors/Uesysmid.h"
#include "editors/Uesyspre.h"
#include "editors/Uesysset.h"
#include "model/CurrentElements.h"
#include "model/LibElem.h"
#include "model/SharedRoutines.h"
#include "model/SystemElem.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uesystem;
}

namespace {
const TFormClassRegistration registration("TFormSystem", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormSystem>(Owner);
});

// The fixed size of the window.
constexpr int SystemWindowWidth = 400;
constexpr int SystemWindowHeight = 138;

// The system common bytes of the setup, MIDI and preview sections: From .. To, both included.
struct TRun {
    int From;
    int To;
};
constexpr TRun SetupBytes{0, 11};
constexpr TRun MidiBytes{12, 30};
constexpr TRun PreviewBytes{31, 39};

// The window a control lies on, when it is a system window.
TFormSystem* SystemWindowOf(const TObject* Control) {
    const auto* control = dynamic_cast<const TControl*>(Control);
    return control != nullptr ? dynamic_cast<TFormSystem*>(control->GetParentForm()) : nullptr;
}
}  // namespace

const TFormResource* TFormSystem::FormResource() const { return &formres::Uesystem; }

void TFormSystem::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("Shader1", Shader1);
    B.Field("PanelSystem", PanelSystem);
    B.Field("SysSetup", SysSetup);
    B.Field("SysMidi", SysMidi);
    B.Field("SysPreview", SysPreview);
    B.Field("SysScaleTune", SysScaleTune);
    B.Field("Panel1", Panel1);
    B.Field("SpeedNuovo", SpeedNuovo);
    B.Field("SpeedCarica", SpeedCarica);
    B.Field("SpeedSalva", SpeedSalva);
    B.Field("SpeedButton1", SpeedButton1);
    B.Field("SpeedButton3", SpeedButton3);
    B.Field("SpeedButton2", SpeedButton2);
    B.Field("SpeedHelp", SpeedHelp);
    using N = TNotifyEvent;
    B.Handler<N>("SysSetupDblClick", [this](TObject* s) { SysSetupDblClick(s); });
    B.Handler<N>("SysMidiDblClick", [this](TObject* s) { SysMidiDblClick(s); });
    B.Handler<N>("SysPreviewDblClick", [this](TObject* s) { SysPreviewDblClick(s); });
    B.Handler<N>("SysScaleTuneDblClick", [this](TObject* s) { SysScaleTuneDblClick(s); });
    B.Handler<N>("SpeedNuovoClick", [this](TObject* s) { NewClick(s); });
    B.Handler<N>("SpeedCaricaClick", [this](TObject* s) { LoadClick(s); });
    B.Handler<N>("SpeedSalvaClick", [this](TObject* s) { SaveClick(s); });
    B.Handler<N>("SpeedButton1Click", [this](TObject* s) { SaveAsClick(s); });
    B.Handler<N>("SpeedButton3Click", [this](TObject* s) { SendClick(s); });
    B.Handler<N>("SpeedButton2Click", [this](TObject* s) { ReceiveClick(s); });
    B.Handler<N>("SpeedHelpClick", [this](TObject* s) { SpeedHelpClick(s); });
    B.Handler<N>("FountainFill1Click", [this](TObject* s) { FountainFill1Click(s); });
    B.Handler<TMouseEvent>("SysSetupMouseDown", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SysSetupMouseDown(s, b, sh, x, y);
    });
    B.Handler<TDragOverEvent>("SysSetupDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                         bool& a) { SysSetupDragOver(s, src, x, y, st, a); });
    B.Handler<TDragOverEvent>("FormDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
        FormDragOver(s, src, x, y, st, a);
    });
    B.Handler<TEndDragEvent>("SysSetupEndDrag",
                             [this](TObject* s, TObject* t, int x, int y) { SysSetupEndDrag(s, t, x, y); });
}

TFormSystem* TFormSystem::Open(TComponent* Owner, TSystem& System) {
    OpeningSystem = &System;
    TFormSystem* form = nullptr;
    {
        TScopeExit done([] { OpeningSystem = nullptr; });
        form = Construct<TFormSystem>(Owner);
    }
    form->Show();
    return form;
}

// ------------------------------------------------------------------------------------------ the protocol

TLibElem* TFormSystem::Element() const { return EditElem; }

void TFormSystem::TakeOpenerVariables() { EditElem = OpeningSystem; }

void TFormSystem::FormCreate(TObject* Sender) {
    CollectPanels({PanelSystem});
    TEditorForm::FormCreate(Sender);
}

void TFormSystem::CloseSectionEditors(TLibElem&) { EditElem->CloseEditors(); }

void TFormSystem::MakeCurrent() { MakeCurrentSystem(EditElem); }

void TFormSystem::FormResize(TObject*) { KeepSize(SystemWindowWidth, SystemWindowHeight); }

void TFormSystem::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditElem->GetName() + " [Filename : " + ExtractFileName(EditElem->FileName) + "]" +
               "   [Loc : " + OwnerPathText(EditElem) + "]");
}

// ------------------------------------------------------------------------------------------- sections

template <class TEditor>
void TFormSystem::OpenEditor(int Slot, TSystem*& Opening) {
    if (EditElem == nullptr) return;
    OpenSectionEditor(EditElem->Editors[static_cast<std::size_t>(Slot)], [this, &Opening]() -> TCustomForm* {
        Opening = EditElem;
        TScopeExit done([&Opening] { Opening = nullptr; });
        return Construct<TEditor>(this);
    });
}

void TFormSystem::SysSetupDblClick(TObject*) { OpenEditor<TFormSysSetup>(TSystem::seSetup, OpeningSysSetup); }
void TFormSystem::SysMidiDblClick(TObject*) { OpenEditor<TFormSysMidi>(TSystem::seMidi, OpeningSysMidi); }
void TFormSystem::SysPreviewDblClick(TObject*) { OpenEditor<TFormSysPreview>(TSystem::sePreview, OpeningSysPreview); }
void TFormSystem::SysScaleTuneDblClick(TObject*) { OpenEditor<TFormScaleTune>(TSystem::seScaleTune, OpeningScaleTune); }

// ------------------------------------------------------------------------------------- speed buttons

void TFormSystem::SpeedHelpClick(TObject*) { Application->HelpContext(58); }

// ------------------------------------------------------------------------------------ section panels

void TFormSystem::FountainFill1Click(TObject*) { ClearHighlights(); }

void TFormSystem::SysSetupMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int, int) {
    SectionMouseDown(Sender, Button, Shift, "NNNNNNN", "PanelSystem");
}

void TFormSystem::FormDragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) { RefuseDrop(Accept); }

void TFormSystem::SysSetupDragOver(TObject* Sender, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = false;
    TDragInfo* drag = ModelServices().DragInfo;
    if (drag == nullptr || Closed()) return;
    drag->Accepted = 0;
    BringToFront();
    const auto* panel = dynamic_cast<const TPanel*>(Sender);
    const auto* source = dynamic_cast<const TControl*>(Source);
    if (panel == nullptr || source == nullptr || PanelIndex(panel) < 0 || SectionDragActive == 0) return;
    // Only sections of another system window drop here.
    if (SystemWindowOf(source) == nullptr || drag->Items.empty()) return;
    const std::uint8_t kind = TDragInfo::SectionKindOfPanel(panel->GetName());
    const bool accept = drag->HasSectionKind(kind) && panel != source && panel->GetParent() != source->GetParent();
    Accept = accept;
    drag->Accepted = accept ? 1 : 0;
}

void TFormSystem::SysSetupEndDrag(TObject*, TObject* Target, int, int) { EndSectionDrag(Target); }

TSectionWindow* TFormSystem::SameKindWindowOf(const TObject* Control) const { return SystemWindowOf(Control); }

void TFormSystem::CopySection(const TDragElem& Item, TSectionWindow& TargetWindow, TPanel&, bool) {
    if (auto* target = dynamic_cast<TFormSystem*>(&TargetWindow)) CopySystemPart(Item, *target);
}

void TFormSystem::CopySystemPart(const TDragElem& Item, TFormSystem& TargetWindow) {
    TSystem* source = EditElem;
    TSystem* target = TargetWindow.EditElem;
    if (source == nullptr || target == nullptr) return;
    TDragInfo::HighlightPanels(TargetWindow.Panels(), Item.SectionKind, 0);
    const auto copyCommon = [&](TRun run) {
        for (int p = run.From; p <= run.To; ++p) target->Common->Data()[p] = source->Common->Data()[p];
    };
    switch (Item.SectionKind) {
        case skSysSetup: copyCommon(SetupBytes); break;
        case skSysMidi: copyCommon(MidiBytes); break;
        case skSysPreview: copyCommon(PreviewBytes); break;
        case skSysScaleTune:
            for (int i = 1; i <= ScaleTuneCount; ++i)
                for (std::size_t b = 0; b < TPartScaleTune::DataSize; ++b)
                    target->ScaleTune(i).Data()[b] = source->ScaleTune(i).Data()[b];
            break;
        default: break;
    }
}

// ------------------------------------------------------------------------------------ TSystemSectionEditor

TLibElem* TSystemSectionEditor::Element() const { return EditElem; }

std::string TSystemSectionEditor::EditorCaption(const std::string& Word) const {
    if (EditElem == nullptr) return Caption();
    return EditElem->GetName() + " [" + Word + "] [Loc : " + OwnerPathText(EditElem) + "]";
}

TEditorSlot* TSystemSectionEditor::Slot() const {
    if (EditElem == nullptr) return nullptr;
    return &EditElem->Editors[static_cast<std::size_t>(SlotIndex())];
}

void TSystemSectionEditor::MarkOpen() {
    // A window made without a system handed over (the form check of the program) edits nothing.
    if (TEditorSlot* slot = Slot()) {
        slot->EditorOpen = 1;
        slot->EditorForm = this;
    }
}

void TSystemSectionEditor::PlaceWindow() {
    if (TEditorSlot* slot = Slot()) PlaceMdiChild(slot->Left, slot->Top, this);
}

void TSystemSectionEditor::CloseSteps() {
    TEditorSlot* slot = Slot();
    if (slot == nullptr || slot->EditorForm != this) return;
    slot->Left = static_cast<std::int16_t>(GetLeft());
    slot->Top = static_cast<std::int16_t>(GetTop());
    slot->EditorOpen = 0;
    slot->EditorForm = nullptr;
}

void TSystemSectionEditor::MakeCurrent() { MakeCurrentSystem(EditElem); }

std::uint8_t TSystemSectionEditor::GetParam(int Position) const {
    return EditElem != nullptr ? EditElem->Common->GetParam(Position) : 0;
}

void TSystemSectionEditor::SetParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Common->SetParam(Position, Value);
}

void TSystemSectionEditor::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    if (EditElem != nullptr) EditElem->Common->SetParams(Position, Bytes);
}

void TSystemSectionEditor::PutParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Common->Data()[Position] = Value;
}

void TSystemSectionEditor::SendBlockToTemp() {
    if (EditElem != nullptr) EditElem->TransmitToTemp();
}

}  // namespace zel
