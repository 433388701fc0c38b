#include "editors/Uesysset.h"

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/Settings.h"
#include "model/SysexFraming.h"
#include "model/SystemElem.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uesysset;
}

namespace {
const TFormClassRegistration registration("TFormSysSetup", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormSysSetup>(Owner);
});

enum : int {
    pPanelMode = 0,
    pPerformance = 1,
    pPatchGroupType = 2,
    pPatchGroupId = 3,
    pPatchNumberHigh = 4,
    pPatchNumberLow = 5,
    pMasterTune = 6,
};

// The panel modes as the byte holds them.
constexpr int ModePerformance = 0;
constexpr int ModePatch = 1;
constexpr int ModeGM = 2;

// Four groups of 32 performances share the selection byte: group in bits 5..7, number in bits 0..4.
constexpr int PerformancesPerGroup = 32;
constexpr int PerformanceGroupCount = 4;

// The button panel's place under the controls.
constexpr int ButtonPanelTop = 251;

const TConfig* Config() { return ZelmoHolder != nullptr ? ZelmoHolder->Config.get() : nullptr; }

// The name at Index of name list List; empty when the list is shorter or there is none.
std::string NameInList(int List, int Index) {
    const INameLists* lists = ModelServices().NameLists;
    return lists != nullptr ? lists->NameAt(List, Index) : std::string();
}

// Shows name list List in the name picker with Selected preselected; the picked index, or NoPick.
int PickFromList(int List, int Selected) {
    INameLists* lists = ModelServices().NameLists;
    return lists != nullptr ? lists->PickName(List, Selected) : INameLists::NoPick;
}
}  // namespace

const TFormResource* TFormSysSetup::FormResource() const { return &formres::Uesysset; }

void TFormSysSetup::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("Tabbed", Tabbed);
    B.Field("PanelBtn", PanelBtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("BtnRevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("Performance", Performance);
    B.Field("Patch", Patch);
    B.Field("GM", GM);
    B.Field("PerfGroup", PerfGroup);
    B.Field("PerfName", PerfName);
    B.Field("ButPerf", ButPerf);
    B.Field("PatchGroup", PatchGroup);
    B.Field("PatchName", PatchName);
    B.Field("ButPatch", ButPatch);
    B.Field("MasterTune", MasterTune);
    B.Field("ScaleTuneSwitch", ScaleTuneSwitch);
    B.Field("EfxSwitch", EfxSwitch);
    B.Field("ChorusSwitch", ChorusSwitch);
    B.Field("ReverbSwitch", ReverbSwitch);
    B.Field("PatchRemain", PatchRemain);
    using N = TNotifyEvent;
    B.Handler<N>("PerformanceClick", [this](TObject* s) { PerformanceClick(s); });
    B.Handler<N>("PerfGroupChange", [this](TObject* s) { PerfGroupChange(s); });
    B.Handler<N>("PerfNameChange", [this](TObject* s) { PerfNameChange(s); });
    B.Handler<N>("ButPerfClick", [this](TObject* s) { ButPerfClick(s); });
    B.Handler<N>("PatchGroupChange", [this](TObject* s) { PatchGroupChange(s); });
    B.Handler<N>("PatchNameChange", [this](TObject* s) { PatchNameChange(s); });
    B.Handler<N>("ButPatchClick", [this](TObject* s) { ButPatchClick(s); });
    B.Handler<N>("MasterTuneEndChange", [this](TObject* s) { MasterTuneEndChange(s); });
    B.Handler<N>("ScaleTuneSwitchClick", [this](TObject* s) { ScaleTuneSwitchClick(s); });
}

void TFormSysSetup::TakeOpenerVariables() { EditElem = OpeningSysSetup; }

void TFormSysSetup::FormCreate(TObject* Sender) {
    TSystemSectionEditor::FormCreate(Sender);
    // The notebook's pages are not part of the window: its first list keeps the whole history.
    Tabbed->SetVisible(false);
    PanelBtn->SetTop(ButtonPanelTop);
    FormResize(this);
}

int TFormSysSetup::ListCodePerf(int GroupIndex) {
    switch (GroupIndex) {
        case 0: return 59;
        case 1: return 60;
        case 2: return 57;
        case 3: return 58;
        default: return 0;
    }
}

// ------------------------------------------------------------------------------------- the GM message

void TFormSysSetup::GMOff() {
    // Sent whole with no pace before it (behind anything queued); the data set of the mode that follows
    // keeps its pace behind it.
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (DevicesOpen == 0 || ports == nullptr || !ports->OutputOpen()) return;
    SendWholeMessage(GMOffMessage);
}

void TFormSysSetup::SetParam(int Position, std::uint8_t Value) {
    if (EditElem == nullptr) return;
    if (Position == pPanelMode) GMOff();
    TSystemSectionEditor::SetParam(Position, Value);
}

void TFormSysSetup::PutParam(int Position, std::uint8_t Value) {
    if (EditElem == nullptr) return;
    if (Position == pPanelMode) GMOff();
    TSystemSectionEditor::PutParam(Position, Value);
}

// ------------------------------------------------------------------------------------------ the window

std::string TFormSysSetup::PerfNameText() const {
    return NameInList(ListCodePerf(PerfGroup->GetItemIndex()), PerfNumber);
}

std::string TFormSysSetup::PatchNameText() const {
    if (PatchSel.LastGroupIndex == NoGroup) return {};
    return NameInList(TPatchSelection::ListCode(PatchSel.LastGroupIndex, Config()), PatchSel.PatchNumber);
}

void TFormSysSetup::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    SetCaption(EditorCaption("Setup"));
    const auto b = [this](int p) { return static_cast<int>(GetParam(p)); };
    PatchSel.Show(GetParam(pPatchGroupType), GetParam(pPatchGroupId), GetParam(pPatchNumberHigh),
                  GetParam(pPatchNumberLow), Config());
    PatchGroup->SetItemIndex(PatchSel.LastGroupIndex);
    PatchName->SetText(PatchNameText());
    switch (b(pPanelMode)) {
        case ModeGM: GM->SetChecked(true); break;
        case ModePatch: Patch->SetChecked(true); break;
        case ModePerformance: Performance->SetChecked(true); break;
        default:
            // A mode the instrument does not have ticks none of the three.
            for (TRadioButton* radio : {Performance, Patch, GM}) radio->SetChecked(false);
            break;
    }
    UpdateEnabled();
    PerfGroup->SetItemIndex(ClampToRange(b(pPerformance) >> 5, 0, PerformanceGroupCount - 1));
    PerfNumber = b(pPerformance) % PerformancesPerGroup;
    PerfName->SetText(PerfNameText());
    MasterTune->SetCode(ClampToRange(b(pMasterTune), MasterTune->LowestCode(), MasterTune->HighestCode()));
    for (TCheckBox* box : {ScaleTuneSwitch, EfxSwitch, ChorusSwitch, ReverbSwitch, PatchRemain})
        box->SetChecked(b(box->Tag) == 1);
    CheckBtnEnabled();
}

void TFormSysSetup::UpdateEnabled() {
    const bool patch = Patch->GetChecked();
    const bool performance = Performance->GetChecked();
    for (TControl* control : std::initializer_list<TControl*>{PatchName, PatchGroup, ButPatch})
        control->SetEnabled(patch);
    for (TControl* control : std::initializer_list<TControl*>{PerfName, PerfGroup, ButPerf})
        control->SetEnabled(performance);
}

// ----------------------------------------------------------------------------------------- panel mode

void TFormSysSetup::PerformanceClick(TObject* Sender) {
    if (InUpdateView != 0) return;
    const auto* radio = dynamic_cast<const TRadioButton*>(Sender);
    if (radio == nullptr || !radio->GetChecked()) return;
    const int mode = radio == Patch ? ModePatch : (radio == GM ? ModeGM : ModePerformance);
    SendandStore(pPanelMode, mode);
    UpdateEnabled();
}

// -------------------------------------------------------------------------------- performance selection

void TFormSysSetup::WritePerformance() {
    const int group = PerfGroup->GetItemIndex();
    if (group < 0 || group >= PerformanceGroupCount) return;
    SendandStore(pPerformance, group * PerformancesPerGroup + PerfNumber);
}

void TFormSysSetup::PerfGroupChange(TObject*) {
    WritePerformance();
    PerfName->SetText(PerfNameText());
}

void TFormSysSetup::PerfNameChange(TObject*) { WritePerformance(); }

void TFormSysSetup::ButPerfClick(TObject*) {
    if (EditElem == nullptr || Closed()) return;
    const int picked = PickFromList(ListCodePerf(PerfGroup->GetItemIndex()), PerfNumber);
    // A group holds 32 performances: a name further down a (hand-edited) list selects none of them, and
    // the number stays.
    if (picked < 0 || picked >= PerformancesPerGroup) return;
    PerfNumber = picked;
    PerfName->SetText(PerfNameText());
    // Two performances of one name are still two: the pick is written whether or not the text changed.
    WritePerformance();
}

// -------------------------------------------------------------------------------------- patch selection

void TFormSysSetup::WritePatch() {
    if (InUpdateView != 0 || EditElem == nullptr || PatchSel.LastGroupIndex == NoGroup) return;
    const auto run = PatchSel.Run(GetParam(pPatchGroupType), GetParam(pPatchGroupId));
    SendAndStoreArray(pPatchGroupType, run);
}

void TFormSysSetup::PatchGroupChange(TObject*) {
    if (InUpdateView != 0 || EditElem == nullptr) return;
    std::array<std::uint8_t, 2> bytes{};
    if (!PatchSel.ChooseGroup(PatchGroup->GetItemIndex(), Config(), bytes)) {
        // An empty expansion slot or a missing PCM card cannot be chosen.
        PatchGroup->SetItemIndex(PatchSel.LastGroupIndex);
        return;
    }
    SendAndStoreArray(pPatchGroupType, bytes);
    PatchName->SetText(PatchNameText());
}

void TFormSysSetup::PatchNameChange(TObject*) { WritePatch(); }

void TFormSysSetup::ButPatchClick(TObject*) {
    if (EditElem == nullptr || Closed() || PatchSel.LastGroupIndex == NoGroup) return;
    const int picked = PickFromList(TPatchSelection::ListCode(PatchSel.LastGroupIndex, Config()), PatchSel.PatchNumber);
    if (!PatchSel.Pick(picked)) return;
    PatchName->SetText(PatchNameText());
    WritePatch();
}

// ------------------------------------------------------------------------------- master tune, switches

void TFormSysSetup::MasterTuneEndChange(TObject*) { SendandStore(pMasterTune, MasterTune->GetCode()); }

void TFormSysSetup::ScaleTuneSwitchClick(TObject* Sender) {
    if (const auto* box = dynamic_cast<const TCheckBox*>(Sender)) SendandStore(box->Tag, box->GetChecked() ? 1 : 0);
}

}  // namespace zel
