#include "editors/Uepart.h"

#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/Performance.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uepart;
}

namespace {
const TFormClassRegistration registration("TFormPart", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormPart>(Owner);
});

enum : int {
    pRecSwitch = 0,
    pChannel = 1,
    pGroupType = 2,
    pGroupId = 3,
    pNumberHigh = 4,
    pNumberLow = 5,
    pPan = 7,
    pCoarse = 8,
    pFine = 9,
    pOutput = 10,
    pKeyLower = 17,
    pKeyUpper = 18,
};

// The rhythm-set names asked for: user sets 1 and 2, then card sets 1 and 2.
constexpr std::array<std::uint32_t, 4> RhythmNameAddresses = {0x10400000, 0x10410000, 0x20400000, 0x20410000};
constexpr std::uint32_t RhythmNameSize = 12;
const std::array<std::string, 4> DefaultRhythmNames = {"User 01", "User 02", "Data Card 01", "Data Card 02"};

// The fixed names of the preset rhythm sets, by group: Preset A, B, C and GM.
const std::array<std::array<const char*, 2>, 4> PresetRhythmNames = {{{"PopDrumSet 1", "PopDrumSet 2"},
                                                                      {"PowerDrumSet", "RaveDrumSet"},
                                                                      {"JazzDrumSet2", "OrchDrumSet"},
                                                                      {"GM Drum Set", "BrusDrumSet"}}};

const TConfig* Config() { return ZelmoHolder != nullptr ? ZelmoHolder->Config.get() : nullptr; }

// The name picker's name at Index of list List; empty without a picker.
std::string NameInList(int List, int Index) {
    const INameLists* lists = ModelServices().NameLists;
    return lists != nullptr ? lists->NameAt(List, Index) : std::string();
}

// Shows the name picker's list List modally with Index chosen; true with the picked index in Index.
bool PickFromList(int List, int& Index) {
    INameLists* lists = ModelServices().NameLists;
    if (lists == nullptr) return false;
    const int picked = lists->PickName(List, Index);
    if (picked == INameLists::NoPick) return false;
    Index = picked;
    return true;
}
}  // namespace

const TFormResource* TFormPart::FormResource() const { return &formres::Uepart; }

void TFormPart::DefineBindings(TFormBindings& B) {
    DefineProtocolBindings(B);
    B.Field("Panel1", Panel1);
    B.Field("Panel8", Panel8);
    B.Field("Panel14", Panel14);
    B.Field("PanelBtn", PanelBtn);
    for (std::size_t i = 0; i < PanelXP.size(); ++i) B.Field("PanelXP" + std::to_string(i + 1), PanelXP[i]);
    for (std::size_t i = 0; i < PartButton.size(); ++i) B.Field("SpeedButton" + std::to_string(i + 1), PartButton[i]);
    B.Field("MidiRecSwitch", MidiRecSwitch);
    B.Field("MidiChannel", MidiChannel);
    B.Field("LabelGroup", LabelGroup);
    B.Field("LabelPN", LabelPN);
    B.Field("ComboPatch", ComboPatch);
    B.Field("Patchname", Patchname);
    B.Field("ButtonPN", ButtonPN);
    B.Field("ComboRhythmName", ComboRhythmName);
    B.Field("PartLevel", PartLevel);
    B.Field("ClickPan", ClickPan);
    B.Field("PitchCoarsetune", PitchCoarsetune);
    B.Field("Pitchfinetune", Pitchfinetune);
    B.Field("Outputassign", Outputassign);
    B.Field("OutputLevel", OutputLevel);
    B.Field("ChorusSendlevel", ChorusSendlevel);
    B.Field("ReverbSendLevel", ReverbSendLevel);
    B.Field("RecPrgChange", RecPrgChange);
    B.Field("RecVolume", RecVolume);
    B.Field("RecHold1", RecHold1);
    B.Field("Keylower", Keylower);
    B.Field("Keyupper", Keyupper);
    B.Field("CopyBtn", CopyBtn);
    B.Field("PasteBtn", PasteBtn);
    B.Field("BtnUndo", BtnUndo);
    B.Field("Btnrevert", BtnRevert);
    B.Field("Btnclose", Btnclose);
    B.Field("BtnReverAll", BtnReverAll);
    B.Field("Timer1", Timer1);
    using N = TNotifyEvent;
    B.Handler<N>("SpeedButton1Click", [this](TObject* s) { SpeedButton1Click(s); });
    B.Handler<N>("ComboPatchChange", [this](TObject* s) { ComboPatchChange(s); });
    B.Handler<N>("PatchnameChange", [this](TObject* s) { PatchnameChange(s); });
    B.Handler<N>("ButtonPNClick", [this](TObject* s) { ButtonPNClick(s); });
    B.Handler<N>("ComboRhythmNameChange", [this](TObject* s) { ComboRhythmNameChange(s); });
    B.Handler<N>("CheckClick", [this](TObject* s) { CheckClick(s); });
    B.Handler<N>("SliderEndchange", [this](TObject* s) { SliderEndchange(s); });
    B.Handler<N>("ValueEndChange", [this](TObject* s) { ValueEndChange(s); });
    B.Handler<N>("ClickPanEndchange", [this](TObject* s) { ClickPanEndchange(s); });
    B.Handler<N>("OutputassignChange", [this](TObject* s) { OutputassignChange(s); });
    B.Handler<N>("KeylowerChange", [this](TObject* s) { KeylowerChange(s); });
    B.Handler<N>("KeyupperChange", [this](TObject* s) { KeyupperChange(s); });
    B.Handler<N>("CopyBtnClick", [this](TObject* s) { CopyBtnClick(s); });
    B.Handler<N>("PasteBtnClick", [this](TObject* s) { PasteBtnClick(s); });
    B.Handler<N>("BtnReverAllClick", [this](TObject* s) { BtnReverAllClick(s); });
    B.Handler<N>("Timer1Timer", [this](TObject* s) { Timer1Timer(s); });
}

// ------------------------------------------------------------------------------------------ the protocol

TLibElem* TFormPart::Element() const { return EditElem; }
void TFormPart::TakeOpenerVariables() { EditElem = OpeningPart; }
TEditorSlot* TFormPart::EditorSlot() const { return EditElem != nullptr ? &EditElem->PartEditor : nullptr; }

void TFormPart::MakeCurrent() { MakeCurrentPerformance(EditElem); }

std::uint8_t TFormPart::GetParam(int Position) const {
    return EditElem != nullptr ? EditElem->Part(CurrentPart).GetParam(Position) : 0;
}
void TFormPart::SetParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Part(CurrentPart).SetParam(Position, Value);
}
void TFormPart::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    if (EditElem != nullptr) EditElem->Part(CurrentPart).SetParams(Position, Bytes);
}
void TFormPart::PutParam(int Position, std::uint8_t Value) {
    if (EditElem != nullptr) EditElem->Part(CurrentPart).Data()[Position] = Value;
}
void TFormPart::SendBlockToTemp() {
    if (EditElem != nullptr) EditElem->SendPartsToTemp();
}

void TFormPart::FormCreate(TObject* Sender) {
    TEditorForm::FormCreate(Sender);
    constexpr int width = 485;
    Panel1->SetWidth(width);
    Panel8->SetWidth(width - 18);
    PanelBtn->SetWidth(width);
    Panel14->SetWidth(width);
    Btnclose->SetLeft(20);
    BtnReverAll->SetLeft(136);
    BtnRevert->SetLeft(262);
    BtnUndo->SetLeft(PanelBtn->GetWidth() - 20 - BtnUndo->GetWidth());
    // The panels of the other instrument family's parameters are never shown.
    for (TPanel* panel : PanelXP)
        if (panel != nullptr) panel->Hide();
    FormResize(this);
}

void TFormPart::FormShow(TObject*) {
    if (Closed() || EditElem == nullptr) return;
    ShowPart(1);
    for (auto& list : UndoList) list->Clear();
    CheckBtnEnabled();
    ReceiveRhythmName();
}

void TFormPart::ShowPart(int Part) {
    CurrentPart = Part;
    PartButton[static_cast<std::size_t>(Part - 1)]->SetDown(true);
    UpdateView();
}

int TFormPart::GroupCount() const { return CurrentPart == RhythmPart ? RhythmGroupCount : PatchGroupCount; }

std::string TFormPart::PatchNameOnShow() const {
    if (Selection.LastGroupIndex == NoGroup) return {};
    return NameInList(TPatchSelection::ListCode(Selection.LastGroupIndex, Config()), Selection.PatchNumber);
}

void TFormPart::EnabledPatchRhythm() {
    const bool rhythm = CurrentPart == RhythmPart;
    TPatchSelection::FillGroups(*ComboPatch, GroupCount());
    LabelGroup->SetCaption(rhythm ? "Rhythm Group" : "Patch Group");
    LabelPN->SetCaption(rhythm ? "Rhythm Name" : "Patch Name");
    Patchname->SetVisible(!rhythm);
    ButtonPN->SetVisible(!rhythm);
    ComboRhythmName->SetVisible(rhythm);
    ComboPatch->SetItemIndex(
        TPatchSelection::GroupOfBytes(GetParam(pGroupType), GetParam(pGroupId), Config(), GroupCount()));
}

void TFormPart::UpdateView() {
    if (EditElem == nullptr) return;
    InUpdateView = 1;
    TScopeExit filled([this] { InUpdateView = 0; });
    const auto b = [this](int Position) { return static_cast<int>(GetParam(Position)); };
    EnabledPatchRhythm();
    SetCaption(EditElem->GetName() + " [Parts] [Loc : " + OwnerPathText(EditElem) + "]");
    Selection.Show(GetParam(pGroupType), GetParam(pGroupId), GetParam(pNumberHigh), GetParam(pNumberLow), Config(),
                   GroupCount());
    Patchname->SetText(PatchNameOnShow());
    SetRhythmComboName();
    // A stored byte that no control can show is shown as the nearest valid value; nothing is written.
    MidiRecSwitch->SetChecked(b(pRecSwitch) == 1);
    MidiChannel->SetCode(ClampToRange(b(pChannel) + 1, 1, 16));
    PartLevel->SetValue(b(PartLevel->Tag));
    ClickPan->SetValue(ClampToRange(b(pPan), 0, 127) - 64);
    PitchCoarsetune->SetCode(ClampToRange(b(pCoarse), 0, 96) - 48);
    Pitchfinetune->SetCode(ClampToRange(b(pFine), 0, 100) - 50);
    Outputassign->SetItemIndex(b(pOutput));
    for (TPanSlider* slider : {OutputLevel, ChorusSendlevel, ReverbSendLevel}) slider->SetValue(b(slider->Tag));
    for (TCheckBox* box : {RecPrgChange, RecVolume, RecHold1}) box->SetChecked(b(box->Tag) == 1);
    Keylower->SetCode(b(pKeyLower));
    Keyupper->SetCode(b(pKeyUpper));
    const TClipboard* clipboard = ModelServices().Clipboard;
    PasteBtn->SetEnabled(clipboard != nullptr && clipboard->PartHeld != 0);
    CheckBtnEnabled();
}

// ------------------------------------------------------------------------------------------------ parts

void TFormPart::SpeedButton1Click(TObject* Sender) {
    const auto* button = dynamic_cast<const TControl*>(Sender);
    if (button == nullptr || button->Tag < 1 || button->Tag > PartCount || Closed()) return;
    CurrentPart = button->Tag;
    UpdateView();
}

// --------------------------------------------------------------------------------------- the selection

void TFormPart::ComboPatchChange(TObject*) {
    if (InUpdateView != 0 || Closed() || EditElem == nullptr) return;
    const int index = ComboPatch->GetItemIndex();
    std::array<std::uint8_t, 2> bytes{};
    if (!Selection.ChooseGroup(index, Config(), bytes)) {
        // A slot without a board, or no PCM card: the choice is refused and nothing is written.
        ComboPatch->SetItemIndex(Selection.LastGroupIndex);
        return;
    }
    SendAndStoreArray(pGroupType, bytes);
    if (CurrentPart == RhythmPart) {
        SetRhythmComboName();
        ComboRhythmNameChange(ComboRhythmName);
    } else {
        Patchname->SetText(PatchNameOnShow());
        WriteSelection();
    }
}

void TFormPart::WriteSelection() {
    // Without a group on show, or with a stored number the nibbles cannot carry, the stored bytes stay.
    if (InUpdateView != 0 || Selection.LastGroupIndex == NoGroup || !Selection.NumberFits()) return;
    SendAndStoreArray(pGroupType, Selection.Run(GetParam(pGroupType), GetParam(pGroupId)));
}

void TFormPart::PatchnameChange(TObject*) { WriteSelection(); }

void TFormPart::ButtonPNClick(TObject*) {
    if (Closed() || EditElem == nullptr || Selection.LastGroupIndex == NoGroup) return;
    int index = Selection.PatchNumber;
    if (!PickFromList(TPatchSelection::ListCode(Selection.LastGroupIndex, Config()), index)) return;
    if (!Selection.Pick(index)) return;
    Patchname->SetText(PatchNameOnShow());
    // The number is written even when the name shown stays the same (two empty names past the list).
    WriteSelection();
}

void TFormPart::SetRhythmComboName() {
    if (CurrentPart != RhythmPart) return;
    TStrings* items = ComboRhythmName->Items();
    items->Clear();
    const int group = Selection.LastGroupIndex;
    if (group == 0 || group == 1) {
        items->Add(RhythmNames[static_cast<std::size_t>(group * 2)]);
        items->Add(RhythmNames[static_cast<std::size_t>(group * 2 + 1)]);
    } else if (group >= 2 && group < RhythmGroupCount) {
        for (const char* name : PresetRhythmNames[static_cast<std::size_t>(group - 2)]) items->Add(name);
    }
    Selection.PatchNumber = GetParam(pNumberHigh) * 16 + GetParam(pNumberLow);
    // A number past the two sets shows no name.
    ComboRhythmName->SetItemIndex(Selection.PatchNumber);
}

void TFormPart::ComboRhythmNameChange(TObject*) {
    const int index = ComboRhythmName->GetItemIndex();
    if (index < 0) return;
    Selection.PatchNumber = index;
    WriteSelection();
}

// ----------------------------------------------------------------------------------------------- values

void TFormPart::CheckClick(TObject* Sender) {
    if (const auto* box = dynamic_cast<const TCheckBox*>(Sender)) SendandStore(box->Tag, box->GetChecked() ? 1 : 0);
}

void TFormPart::SliderEndchange(TObject* Sender) {
    if (const auto* slider = dynamic_cast<const TPanSlider*>(Sender)) SendandStore(slider->Tag, slider->GetValue());
}

void TFormPart::ValueEndChange(TObject* Sender) {
    const auto* field = dynamic_cast<const TMyEdit*>(Sender);
    if (field == nullptr) return;
    switch (field->Tag) {
        case pChannel: SendandStore(pChannel, field->GetCode() - 1); break;
        case pCoarse: SendandStore(pCoarse, field->GetCode() + 48); break;
        case pFine: SendandStore(pFine, field->GetCode() + 50); break;
        case pKeyLower:
        case pKeyUpper: SendandStore(field->Tag, field->GetCode()); break;
        default: break;
    }
}

void TFormPart::ClickPanEndchange(TObject*) { SendandStore(pPan, ClickPan->GetValue() + 64); }

void TFormPart::OutputassignChange(TObject*) {
    if (Outputassign->GetItemIndex() >= 0) SendandStore(pOutput, Outputassign->GetItemIndex());
}

void TFormPart::KeylowerChange(TObject*) {
    // The range stays ordered while a key steps.
    if (Keylower->GetCode() > Keyupper->GetCode()) Keylower->SetCode(Keyupper->GetCode());
}

void TFormPart::KeyupperChange(TObject*) {
    if (Keyupper->GetCode() < Keylower->GetCode()) Keyupper->SetCode(Keylower->GetCode());
}

// ------------------------------------------------------------------------------- copy, paste, revert

void TFormPart::CopyBtnClick(TObject*) {
    TClipboard* clipboard = ModelServices().Clipboard;
    if (clipboard == nullptr || EditElem == nullptr || Closed()) return;
    clipboard->CopyPart(EditElem->Part(CurrentPart));
    PasteBtn->SetEnabled(clipboard->PartHeld != 0);
}

void TFormPart::PasteBtnClick(TObject*) {
    const TClipboard* clipboard = ModelServices().Clipboard;
    if (clipboard == nullptr || clipboard->PartHeld == 0 || EditElem == nullptr || Closed()) return;
    clipboard->PastePart(EditElem->Part(CurrentPart));
    UpdateView();
    EditElem->SendPartsToTemp();
    // The pasted part is a change of the performance, though it has no undo record.
    TouchElement(EditElem);
}

void TFormPart::BtnReverAllClick(TObject*) {
    if (EditElem == nullptr || Closed()) return;
    for (int part = 1; part <= PartCount; ++part) {
        TUndoList& list = *UndoList[static_cast<std::size_t>(part - 1)];
        std::uint16_t position = 0;
        std::uint8_t value = 0;
        std::uint8_t group = 1;
        while (list.Pop(position, value, group)) EditElem->Part(part).Data()[position] = value;
    }
    ShowPart(1);
    EditElem->SendPartsToTemp();
    TouchElement(EditElem);
}

// ------------------------------------------------------------------------------------ rhythm-set names

void TFormPart::ReceiveRhythmName() {
    RhythmNames = DefaultRhythmNames;
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (DevicesOpen == 0 || ports == nullptr || Closed()) return;
    Timer1->SetEnabled(false);
    ReplyCount = 0;
    answered_ = {};
    // What waits on the input came before the request: it is no answer.
    ports->SetInputHandler(nullptr);
    for (int n = ports->PendingEventCount() + 1; n > 0; --n) ports->NextEvent();
    TakeMidiInput([this](TObject* s) { OnSysExMidiInput(s); });
    const bool card = Config() != nullptr && Config()->Installed != 0;
    expectedReplies_ = card ? 4 : 2;
    for (int i = 0; i < expectedReplies_; ++i)
        SendDataRequest(RhythmNameAddresses[static_cast<std::size_t>(i)], 0, 0, RhythmNameSize);
    // Requests queued behind a send leave later: the time-out counts from their departure.
    Timer1->SetInterval(RhythmNameTimeoutMs + QueuedSendsMs());
    Timer1->SetEnabled(true);
}

void TFormPart::OnSysExMidiInput(TObject*) {
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (DevicesOpen == 0 || ports == nullptr || Closed()) return;
    const std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (event == nullptr || event->Sysex.empty()) return;
    // Only a whole, sound data set of one of the names asked for counts; anything else is ignored while
    // the time-out keeps running.
    constexpr std::size_t messageSize = RhythmNameSize + SysexOverhead;
    for (int i = 0; i < expectedReplies_; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (answered_[n] || ClassifyReply(event->Sysex.data(), event->Sysex.size(), RhythmNameAddresses[n],
                                          messageSize) != TReplyKind::Good)
            continue;
        Timer1->SetEnabled(false);
        RhythmNames[n] = std::string(event->Sysex.begin() + DataStart, event->Sysex.begin() + DataStart + 12);
        answered_[n] = true;
        ++ReplyCount;
        if (ReplyCount >= expectedReplies_) GiveBackMidiInput();
        else Timer1->SetEnabled(true);
        return;
    }
}

void TFormPart::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    GiveBackMidiInput();
    if (Closed()) return;
    if (MessageDlg("The instruments is not responding.", mtInformation, TMsgDlgButtons{mbOK, mbRetry}, 0) == mrRetry)
        ReceiveRhythmName();
}

}  // namespace zel
