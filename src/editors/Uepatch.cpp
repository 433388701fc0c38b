#include "editors/Uepatch.h"

#include <array>
#include <exception>

#include "editors/Uecommon.h"
#include "editors/Ueeffect.h"
#include "model/CurrentElements.h"
#include "model/LibElem.h"
#include "model/Patch.h"
#include "model/SharedRoutines.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uepatch;
}

namespace {
const TFormClassRegistration registration("TFormPatch", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormPatch>(Owner);
});

// The fixed size of the window.
constexpr int PatchWindowWidth = 482;
constexpr int PatchWindowHeight = 296;

// A run of data bytes of a section: From .. To, both included.
struct TRun {
    int From;
    int To;
};

// The data bytes of each section, by block (common or tone).
const std::vector<TRun>& SectionRuns(std::uint8_t Kind) {
    static const std::vector<TRun> common = {{0, 11}, {44, 71}};
    static const std::vector<TRun> effects = {{12, 43}};
    static const std::vector<TRun> control = {{11, 44}, {125, 128}};
    static const std::vector<TRun> wave = {{0, 10}};
    static const std::vector<TRun> pitch = {{61, 77}};
    static const std::vector<TRun> tva = {{101, 116}, {119, 122}};
    static const std::vector<TRun> tvf = {{80, 98}};
    static const std::vector<TRun> none;
    switch (Kind) {
        case skCommon: return common;
        case skEffects: return effects;
        case skControl: return control;
        case skWave: return wave;
        case skPitch: return pitch;
        case skTva: return tva;
        case skTvf: return tvf;
        default: return none;
    }
}

// The bytes of LFO 1 and LFO 2 in the same order: waveform .. external sync, then the pitch, TVF, TVA
// and pan depths.
constexpr std::array<int, 12> Lfo1Bytes = {45, 46, 47, 48, 49, 50, 51, 52, 123, 117, 99, 78};
constexpr std::array<int, 12> Lfo2Bytes = {53, 54, 55, 56, 57, 58, 59, 60, 124, 118, 100, 79};

bool IsLfo(std::uint8_t Kind) { return Kind == skLfo1 || Kind == skLfo2; }

// The window a control lies on, when it is a patch window.
TFormPatch* PatchWindowOf(const TObject* Control) {
    const auto* control = dynamic_cast<const TControl*>(Control);
    return control != nullptr ? dynamic_cast<TFormPatch*>(control->GetParentForm()) : nullptr;
}
}  // namespace

const TFormResource* TFormPatch::FormResource() const { return &formres::Uepatch; }

void TFormPatch::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("Shader1", Shader1);
    B.Field("PanelComEff", PanelComEff);
    B.Field("Common", Common);
    B.Field("Effects", Effects);
    B.Field("PanelTone1", PanelTone1);
    B.Field("PanelTone2", PanelTone2);
    B.Field("PanelTone3", PanelTone3);
    B.Field("PanelTone4", PanelTone4);
    B.Field("CheckBox1", CheckBox1);
    B.Field("CheckBox2", CheckBox2);
    B.Field("CheckBox3", CheckBox3);
    B.Field("CheckBox4", CheckBox4);
    B.Field("Panel1", Panel1);
    B.Field("SpeedNuovo", SpeedNuovo);
    B.Field("SpeedCarica", SpeedCarica);
    B.Field("SpeedSalva", SpeedSalva);
    B.Field("SpeedSaveAs", SpeedSaveAs);
    B.Field("SpeedSend", SpeedSend);
    B.Field("SpeedReceive", SpeedReceive);
    B.Field("SpeedHelp", SpeedHelp);
    using N = TNotifyEvent;
    B.Handler<N>("CommonDblClick", [this](TObject* s) { CommonDblClick(s); });
    B.Handler<N>("EffectsDblClick", [this](TObject* s) { EffectsDblClick(s); });
    B.Handler<N>("CheckBox1Click", [this](TObject* s) { CheckBox1Click(s); });
    B.Handler<N>("SpeedNuovoClick", [this](TObject* s) { SpeedNuovoClick(s); });
    B.Handler<N>("SpeedCaricaClick", [this](TObject* s) { SpeedCaricaClick(s); });
    B.Handler<N>("SpeedSalvaClick", [this](TObject* s) { SpeedSalvaClick(s); });
    B.Handler<N>("SpeedSaveAsClick", [this](TObject* s) { SpeedSaveAsClick(s); });
    B.Handler<N>("SpeedSendClick", [this](TObject* s) { SpeedSendClick(s); });
    B.Handler<N>("SpeedReceiveClick", [this](TObject* s) { SpeedReceiveClick(s); });
    B.Handler<N>("SpeedHelpClick", [this](TObject* s) { SpeedHelpClick(s); });
    B.Handler<N>("FountainFill1Click", [this](TObject* s) { FountainFill1Click(s); });
    B.Handler<TMouseEvent>("Control1MouseDown", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        Control1MouseDown(s, b, sh, x, y);
    });
    B.Handler<TDragOverEvent>("Control1DragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                         bool& a) { Control1DragOver(s, src, x, y, st, a); });
    B.Handler<TDragOverEvent>("FountainFill1DragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                              bool& a) { FountainFill1DragOver(s, src, x, y, st, a); });
    B.Handler<TEndDragEvent>("Control1EndDrag",
                             [this](TObject* s, TObject* t, int x, int y) { Control1EndDrag(s, t, x, y); });
}

TFormPatch* TFormPatch::Open(TComponent* Owner, TPatch& Patch) {
    OpeningPatch = &Patch;
    TFormPatch* form = nullptr;
    {
        TScopeExit done([] { OpeningPatch = nullptr; });
        form = Construct<TFormPatch>(Owner);
    }
    form->Show();
    return form;
}

// ------------------------------------------------------------------------------------------ the protocol

TLibElem* TFormPatch::Element() const { return EditElem; }

void TFormPatch::TakeOpenerVariables() { EditElem = OpeningPatch; }

void TFormPatch::FormCreate(TObject* Sender) {
    CollectPanels();
    TEditorForm::FormCreate(Sender);
}

void TFormPatch::MarkOpen() {
    if (EditElem == nullptr) return;
    EditElem->WindowOpen = 1;
    EditElem->Window = this;
}

void TFormPatch::PlaceWindow() {
    FormResize(this);
    if (EditElem != nullptr) PlaceMdiChild(EditElem->WindowLeft, EditElem->WindowTop, this);
}

void TFormPatch::CloseSteps() {
    TPatch* patch = EditElem;
    if (patch == nullptr) return;
    // The element may have let go of the window already (it is being deleted): the places of this window
    // and of the editors are kept all the same.
    if (patch->Window != nullptr && patch->Window != this) return;
    patch->Window = this;
    patch->WindowOpen = 1;
    patch->StoreWindowPositions();
    patch->Common->CloseEditors();
    for (int t = 1; t <= ToneCount; ++t) patch->Tone(t).CloseEditors();
    patch->WindowOpen = 0;
    patch->Window = nullptr;
}

void TFormPatch::MakeCurrent() { MakeCurrentPatch(EditElem); }

void TFormPatch::FormResize(TObject*) {
    if (GetWidth() != PatchWindowWidth || GetHeight() != PatchWindowHeight)
        SetBounds(GetLeft(), GetTop(), PatchWindowWidth, PatchWindowHeight);
}

void TFormPatch::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditElem->GetName() + " [Filename : " + ExtractFileName(EditElem->FileName) + "]" +
               "   [Loc : " + OwnerPathText(EditElem) + "]");
    for (int t = 1; t <= ToneCount; ++t)
        if (TCheckBox* box = ToneCheckBox(t)) box->SetChecked(EditElem->Tone(t).GetParam(0) == 1);
}

TCheckBox* TFormPatch::ToneCheckBox(int Tone) const {
    switch (Tone) {
        case 1: return CheckBox1;
        case 2: return CheckBox2;
        case 3: return CheckBox3;
        case 4: return CheckBox4;
        default: return nullptr;
    }
}

// ------------------------------------------------------------------------------------------- sections

void TFormPatch::CommonDblClick(TObject*) {
    OpenedByDblClick = 1;
    if (EditElem == nullptr) return;
    try {
        TEditorSlot& slot = EditElem->Common->Editors[TCommon::ceCommon];
        if (slot.EditorOpen != 0) {
            if (auto* form = dynamic_cast<TCustomForm*>(slot.EditorForm)) form->BringToFront();
            return;
        }
        OpeningCommonPatch = EditElem;
        TScopeExit done([] { OpeningCommonPatch = nullptr; });
        auto* form = Construct<TFormCommon>(this);
        slot.EditorForm = form;
        form->Show();
    } catch (const std::exception&) {
        throw EInOutError("Out of Resource");
    }
}

void TFormPatch::EffectsDblClick(TObject*) {
    OpenedByDblClick = 1;
    if (EditElem == nullptr) return;
    try {
        TFormEffect::Open(this, *EditElem, 1);
    } catch (const std::exception&) {
        throw EInOutError("Out of Resource");
    }
}

void TFormPatch::CheckBox1Click(TObject* Sender) {
    // Filling the check boxes writes nothing; only the user's tick does.
    if (InUpdateView != 0 || EditElem == nullptr || Closed()) return;
    auto* box = dynamic_cast<TCheckBox*>(Sender);
    if (box == nullptr || box->Tag < 1 || box->Tag > ToneCount) return;
    const std::uint8_t on = box->GetChecked() ? 1 : 0;
    TTone& tone = EditElem->Tone(box->Tag);
    if (tone.GetParam(0) == on) return;
    tone.SetParam(0, on);
    TouchElement(EditElem);
}

// ------------------------------------------------------------------------------------- speed buttons

void TFormPatch::SpeedNuovoClick(TObject*) {
    if (EditElem == nullptr) return;
    EditElem->InitDefault();
    EditElem->Transmit(true);
    TouchElement(EditElem);
}

void TFormPatch::SpeedCaricaClick(TObject*) {
    if (EditElem != nullptr) EditElem->LoadSyxDialog();
}

void TFormPatch::SpeedSalvaClick(TObject*) {
    if (EditElem != nullptr) EditElem->SaveSyxDialog(false);
}

void TFormPatch::SpeedSaveAsClick(TObject*) {
    if (EditElem != nullptr) EditElem->SaveSyxDialog(true);
}

void TFormPatch::SpeedSendClick(TObject*) {
    if (EditElem != nullptr) EditElem->Transmit(true);
}

void TFormPatch::SpeedReceiveClick(TObject*) {
    if (EditElem != nullptr) EditElem->Receive(true);
}

void TFormPatch::SpeedHelpClick(TObject*) { Application->HelpContext(38); }

// ------------------------------------------------------------------------------------ section panels

void TFormPatch::CollectPanels() {
    panels_.clear();
    panelControls_.clear();
    const auto add = [this](TPanel* panel, int parent) {
        panels_.push_back(TSectionPanel{panel->GetName(), static_cast<std::int32_t>(panel->Tag), parent, false});
        panelControls_.push_back(panel);
        return static_cast<int>(panels_.size()) - 1;
    };
    for (TPanel* group : {PanelComEff, PanelTone1, PanelTone2, PanelTone3, PanelTone4}) {
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

int TFormPatch::PanelIndex(const TObject* Control) const {
    for (std::size_t i = 0; i < panelControls_.size(); ++i)
        if (panelControls_[i] == Control) return static_cast<int>(i);
    return -1;
}

TPanel* TFormPatch::SectionPanel(const std::string& Name) const {
    for (TPanel* p : panelControls_)
        if (SameText(p->GetName(), Name)) return p;
    return nullptr;
}

void TFormPatch::PaintHighlights() {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (panels_[i].Parent < 0) continue;
        panelControls_[i]->SetColor(panels_[i].Highlighted ? static_cast<TColor>(clSectionHighlight) : clBtnFace);
    }
}

void TFormPatch::ClearHighlights() {
    ClearPanelHighlights(panels_);
    PaintHighlights();
}

void TFormPatch::FountainFill1Click(TObject*) { ClearHighlights(); }

void TFormPatch::Control1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int, int) {
    if (Button != mbLeft || Closed()) return;
    const int index = PanelIndex(Sender);
    if (index < 0) return;
    const bool drags = SectionPanelMouseDown(panels_, index, Shift.Contains(ssCtrl), "PanelTone", "PanelComEff");
    PaintHighlights();
    // The press of a double click opens the section's editor; it starts no drag.
    if (drags && !Shift.Contains(ssDouble)) panelControls_[static_cast<std::size_t>(index)]->BeginDrag(false);
}

void TFormPatch::FountainFill1DragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) {
    Accept = false;
    if (TDragInfo* drag = ModelServices().DragInfo) drag->Accepted = 0;
    if (!Closed()) BringToFront();
}

void TFormPatch::Control1DragOver(TObject* Sender, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = false;
    TDragInfo* drag = ModelServices().DragInfo;
    if (drag == nullptr || Closed()) return;
    drag->Accepted = 0;
    BringToFront();
    const auto* panel = dynamic_cast<const TPanel*>(Sender);
    const auto* source = dynamic_cast<const TControl*>(Source);
    if (panel == nullptr || source == nullptr || PanelIndex(panel) < 0 || SectionDragActive == 0) return;
    // Only sections of a patch window drop here.
    if (PatchWindowOf(source) == nullptr || drag->Items.empty()) return;
    const std::uint8_t kind = TDragInfo::SectionKindOfPanel(panel->GetName());
    const bool elsewhere = panel != source && panel->GetParent() != source->GetParent();
    bool accept = false;
    if (drag->Items.size() >= 2 || !IsLfo(drag->Items.front()->SectionKind)) {
        accept = drag->HasSectionKind(kind) && elsewhere;
    } else {
        // One LFO may go onto either LFO, of another tone or of its own.
        accept = IsLfo(kind) && panel != source;
    }
    Accept = accept;
    drag->Accepted = accept ? 1 : 0;
}

void TFormPatch::Control1EndDrag(TObject*, TObject* Target, int, int) {
    SectionDragActive = 0;
    TDragInfo* drag = ModelServices().DragInfo;
    auto* targetPanel = dynamic_cast<TPanel*>(Target);
    TFormPatch* targetWindow = targetPanel != nullptr ? PatchWindowOf(targetPanel) : nullptr;
    const bool drop = drag != nullptr && drag->Accepted != 0 && targetWindow != nullptr && !targetWindow->Closed() &&
                      targetWindow->EditElem != nullptr && EditElem != nullptr &&
                      targetWindow->PanelIndex(targetPanel) >= 0;
    if (drop) {
        drag->Target = targetWindow;
        targetWindow->ClearHighlights();
        const bool single = drag->Items.size() == 1;
        for (const auto& item : drag->Items) CopyPatchPart(*item, *targetWindow, *targetPanel, single);
        targetWindow->PaintHighlights();
        TPatch* target = targetWindow->EditElem;
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

void TFormPatch::CopyPatchPart(const TDragElem& Item, TFormPatch& TargetWindow, TPanel& TargetPanel, bool SingleItem) {
    TPatch* source = EditElem;
    TPatch* target = TargetWindow.EditElem;
    if (source == nullptr || target == nullptr) return;
    const std::uint8_t droppedOn = TDragInfo::SectionKindOfPanel(TargetPanel.GetName());
    const int targetTone = TargetPanel.Tag;
    // A single LFO goes into the LFO it was dropped on; among several, an LFO keeps its number.
    const std::uint8_t receiving =
        SingleItem && IsLfo(Item.SectionKind) && IsLfo(droppedOn) ? droppedOn : Item.SectionKind;
    TDragInfo::HighlightPanels(TargetWindow.panels_, receiving, targetTone);
    if (Item.SectionKind == skCommon || Item.SectionKind == skEffects) {
        for (const TRun& run : SectionRuns(Item.SectionKind))
            for (int p = run.From; p <= run.To; ++p) target->Common->Data()[p] = source->Common->Data()[p];
        return;
    }
    if (Item.Tag < 1 || Item.Tag > ToneCount || targetTone < 1 || targetTone > ToneCount) return;
    const TTone& from = source->Tone(Item.Tag);
    TTone& to = target->Tone(targetTone);
    if (IsLfo(Item.SectionKind)) {
        const auto& src = Item.SectionKind == skLfo1 ? Lfo1Bytes : Lfo2Bytes;
        const auto& dst = receiving == skLfo1 ? Lfo1Bytes : Lfo2Bytes;
        for (std::size_t i = 0; i < src.size(); ++i) to.Data()[dst[i]] = from.Data()[src[i]];
        return;
    }
    for (const TRun& run : SectionRuns(Item.SectionKind))
        for (int p = run.From; p <= run.To; ++p) to.Data()[p] = from.Data()[p];
}

}  // namespace zel
