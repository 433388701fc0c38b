#include "editors/Uepatch.h"

#include <array>
#include <exception>

#include "editors/Uecommon.h"
#include "editors/Uecontr.h"
#include "editors/Ueeffect.h"
#include "editors/Uelfo.h"
#include "editors/Uepitch.h"
#include "editors/Uetva.h"
#include "editors/Uetvf.h"
#include "editors/Uewave.h"
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
    B.Handler<N>("Wave1DblClick", [this](TObject* s) { Wave1DblClick(s); });
    B.Handler<N>("Pitch1DblClick", [this](TObject* s) { Pitch1DblClick(s); });
    B.Handler<N>("TVFDblClick", [this](TObject* s) { TVFDblClick(s); });
    B.Handler<N>("Tva1DblClick", [this](TObject* s) { Tva1DblClick(s); });
    B.Handler<N>("Lfo11DblClick", [this](TObject* s) { Lfo11DblClick(s); });
    B.Handler<N>("Lfo21DblClick", [this](TObject* s) { Lfo21DblClick(s); });
    B.Handler<N>("Control1DblClick", [this](TObject* s) { Control1DblClick(s); });
    B.Handler<N>("CheckBox1Click", [this](TObject* s) { CheckBox1Click(s); });
    B.Handler<N>("SpeedNuovoClick", [this](TObject* s) { NewClick(s); });
    B.Handler<N>("SpeedCaricaClick", [this](TObject* s) { LoadClick(s); });
    B.Handler<N>("SpeedSalvaClick", [this](TObject* s) { SaveClick(s); });
    B.Handler<N>("SpeedSaveAsClick", [this](TObject* s) { SaveAsClick(s); });
    B.Handler<N>("SpeedSendClick", [this](TObject* s) { SendClick(s); });
    B.Handler<N>("SpeedReceiveClick", [this](TObject* s) { ReceiveClick(s); });
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
    CollectPanels({PanelComEff, PanelTone1, PanelTone2, PanelTone3, PanelTone4});
    TEditorForm::FormCreate(Sender);
}

void TFormPatch::CloseSectionEditors(TLibElem&) {
    EditElem->Common->CloseEditors();
    for (int t = 1; t <= ToneCount; ++t) EditElem->Tone(t).CloseEditors();
}

void TFormPatch::MakeCurrent() { MakeCurrentPatch(EditElem); }

void TFormPatch::FormResize(TObject*) { KeepSize(PatchWindowWidth, PatchWindowHeight); }

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
    if (EditElem == nullptr) return;
    OpenSectionEditor(EditElem->Common->Editors[TCommon::ceCommon], [this]() -> TCustomForm* {
        OpeningCommonPatch = EditElem;
        TScopeExit done([] { OpeningCommonPatch = nullptr; });
        return Construct<TFormCommon>(this);
    });
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

template <class TEditor>
void TFormPatch::OpenToneEditor(TObject* Sender, int Slot, TPatch*& OpeningPatchOf, int& OpeningToneOf) {
    OpenedByDblClick = 1;
    const auto* panel = dynamic_cast<const TControl*>(Sender);
    if (EditElem == nullptr || panel == nullptr || panel->Tag < 1 || panel->Tag > ToneCount) return;
    const int tone = panel->Tag;
    OpenSectionEditor(EditElem->Tone(tone).Editors[static_cast<std::size_t>(Slot)], [&]() -> TCustomForm* {
        OpeningPatchOf = EditElem;
        OpeningToneOf = tone;
        TScopeExit done([&] {
            OpeningPatchOf = nullptr;
            OpeningToneOf = 0;
        });
        return Construct<TEditor>(this);
    });
}

void TFormPatch::Wave1DblClick(TObject* Sender) {
    OpenToneEditor<TFormWave>(Sender, TTone::teWave, OpeningWavePatch, OpeningWaveTone);
}

void TFormPatch::Pitch1DblClick(TObject* Sender) {
    OpenToneEditor<TFormPitch>(Sender, TTone::tePitch, OpeningPitchPatch, OpeningPitchTone);
}

void TFormPatch::TVFDblClick(TObject* Sender) {
    OpenToneEditor<TFormTVF>(Sender, TTone::teTVF, OpeningTVFPatch, OpeningTVFTone);
}

void TFormPatch::Tva1DblClick(TObject* Sender) {
    OpenToneEditor<TFormTVA>(Sender, TTone::teTVA, OpeningTVAPatch, OpeningTVATone);
}

void TFormPatch::Lfo11DblClick(TObject* Sender) {
    OpeningLFONumber = 1;
    TScopeExit done([] { OpeningLFONumber = 0; });
    OpenToneEditor<TFormLFO>(Sender, TTone::teLFO1, OpeningLFOPatch, OpeningLFOTone);
}

void TFormPatch::Lfo21DblClick(TObject* Sender) {
    OpeningLFONumber = 2;
    TScopeExit done([] { OpeningLFONumber = 0; });
    OpenToneEditor<TFormLFO>(Sender, TTone::teLFO2, OpeningLFOPatch, OpeningLFOTone);
}

void TFormPatch::Control1DblClick(TObject* Sender) {
    OpenToneEditor<TFormControl>(Sender, TTone::teControl, OpeningControlPatch, OpeningControlTone);
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
    // The tone's wave editor shows the switch too.
    UpdateEditorViews(tone.Editors);
}

// ------------------------------------------------------------------------------------- speed buttons

void TFormPatch::SpeedHelpClick(TObject*) { Application->HelpContext(38); }

// ------------------------------------------------------------------------------------ section panels

void TFormPatch::FountainFill1Click(TObject*) { ClearHighlights(); }

void TFormPatch::Control1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int, int) {
    PressSection(Sender, Button, Shift, "PanelTone", "PanelComEff");
}

void TFormPatch::FountainFill1DragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) { RefuseDrop(Accept); }

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

void TFormPatch::Control1EndDrag(TObject*, TObject* Target, int, int) { EndSectionDrag(Target); }

TSectionWindow* TFormPatch::SameKindWindowOf(const TObject* Control) const { return PatchWindowOf(Control); }

void TFormPatch::CopyDraggedSection(const TDragElem& Item, TSectionWindow& TargetWindow, TPanel& TargetPanel,
                                    bool SingleItem) {
    if (auto* target = dynamic_cast<TFormPatch*>(&TargetWindow)) CopyPatchPart(Item, *target, TargetPanel, SingleItem);
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
    TDragInfo::HighlightPanels(TargetWindow.Panels(), receiving, targetTone);
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
