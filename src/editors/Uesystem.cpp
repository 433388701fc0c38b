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
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uesystem;
}

namespace {
const TFormClassRegistration registration("TFormSystem", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormSystem>(Owner);
});

// The system common bytes of the setup, MIDI and preview sections: From .. To, both included.
struct TRun {
    int From;
    int To;
};
constexpr TRun SetupBytes{0, 11};
constexpr TRun MidiBytes{12, 30};
constexpr TRun PreviewBytes{31, 39};

}  // namespace

const TFormResource* TFormSystem::FormResource() const { return &formres::Uesystem; }

void TFormSystem::DefineBindings(TFormBindings& B) {
    DefineContainerBindings(B, "SysSetupMouseDown", "SysSetupDragOver", "SysSetupEndDrag");
    B.Field("PanelSystem", PanelSystem);
    B.Field("SysSetup", SysSetup);
    B.Field("SysMidi", SysMidi);
    B.Field("SysPreview", SysPreview);
    B.Field("SysScaleTune", SysScaleTune);
    using N = TNotifyEvent;
    B.Handler<N>("SysSetupDblClick", [this](TObject* s) { SysSetupDblClick(s); });
    B.Handler<N>("SysMidiDblClick", [this](TObject* s) { SysMidiDblClick(s); });
    B.Handler<N>("SysPreviewDblClick", [this](TObject* s) { SysPreviewDblClick(s); });
    B.Handler<N>("SysScaleTuneDblClick", [this](TObject* s) { SysScaleTuneDblClick(s); });
    // The form, the button row and the group panel refuse every drop.
    B.Handler<TDragOverEvent>("FormDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
        BackgroundDragOver(s, src, x, y, st, a);
    });
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

void TFormSystem::CloseBlockEditors() { EditElem->CloseEditors(); }

void TFormSystem::MakeCurrent() { MakeCurrentSystem(EditElem); }

// ------------------------------------------------------------------------------------------- sections

void TFormSystem::SysSetupDblClick(TObject*) {
    if (EditElem != nullptr)
        OpenSectionEditor<TFormSysSetup>(EditElem->Editors[TSystem::seSetup], OpeningSysSetup, EditElem);
}

void TFormSystem::SysMidiDblClick(TObject*) {
    if (EditElem != nullptr)
        OpenSectionEditor<TFormSysMidi>(EditElem->Editors[TSystem::seMidi], OpeningSysMidi, EditElem);
}

void TFormSystem::SysPreviewDblClick(TObject*) {
    if (EditElem != nullptr)
        OpenSectionEditor<TFormSysPreview>(EditElem->Editors[TSystem::sePreview], OpeningSysPreview, EditElem);
}

void TFormSystem::SysScaleTuneDblClick(TObject*) {
    if (EditElem != nullptr)
        OpenSectionEditor<TFormScaleTune>(EditElem->Editors[TSystem::seScaleTune], OpeningScaleTune, EditElem);
}

// ------------------------------------------------------------------------------------ section drags

void TFormSystem::CopySection(const TDragElem& Item, TSectionContainer& Target) {
    if (auto* target = dynamic_cast<TFormSystem*>(&Target)) CopySystemPart(Item, *target);
}

void TFormSystem::CopySystemPart(const TDragElem& Item, TFormSystem& TargetWindow) {
    TSystem* source = EditElem;
    TSystem* target = TargetWindow.EditElem;
    if (source == nullptr || target == nullptr) return;
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

TEditorSlot* TSystemSectionEditor::EditorSlot() const {
    if (EditElem == nullptr) return nullptr;
    return &EditElem->Editors[static_cast<std::size_t>(SlotIndex())];
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
