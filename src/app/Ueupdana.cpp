#include "app/Ueupdana.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "app/NameFiles.h"
#include "app/Uenames.h"
#include "model/SysexFraming.h"
#include "platform/rtl/SafeFile.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"
#include "platform/win/Windows.h"

namespace zel {

namespace formres {
extern const TFormResource Ueupdana;
}

TFormUpdateNames* FormUpdateNames = nullptr;

namespace {
const TFormClassRegistration registration("TFormUpdateNames", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormUpdateNames>(Owner);
});

// What one step asks for: a group of names in the instrument's memory and the list they go to.
struct TStepGroup {
    const char* Label;
    std::uint32_t Base;  // the group's first name; name n lies n x 00 01 00 00 further
    int FirstStep;       // the group's first step: name n of the group is asked for at step FirstStep + n / 16
    TNameListKind List;
    bool Card;  // a silent card step is skipped: there is no card in the instrument
};

const TStepGroup& GroupOfStep(int Step) {
    static const TStepGroup groups[] = {
        {"Now Receving Data Card Performance Names", 0x20000000, 0, TNameListKind::CardPerformances, true},
        {"Now Receving User Performance Names", 0x10000000, 2, TNameListKind::UserPerformances, false},
        {"Now Receving Data Card Patch Names", 0x21000000, 4, TNameListKind::CardPatches, true},
        {"Now Receving User Patch Names", 0x11000000, 12, TNameListKind::UserPatches, false},
    };
    if (Step < 2) return groups[0];
    if (Step < 4) return groups[1];
    if (Step < 12) return groups[2];
    return groups[3];
}

// The group's index of the step's first name.
int FirstNameOfStep(int Step) { return (Step - GroupOfStep(Step).FirstStep) * TFormUpdateNames::NamesPerStep; }

// A data set carrying a name: F0 41 dev 6A 12, four address bytes, 12 name bytes, checksum, F7.
constexpr std::size_t NameReplySize = 9 + NameLength + 2;
constexpr std::size_t NameDataStart = 9;

std::vector<TStrings*> ListPointers(std::array<TStringList, 4>& Lists) {
    std::vector<TStrings*> pointers;
    for (TStringList& list : Lists) pointers.push_back(&list);
    return pointers;
}

}  // namespace

// ---------------------------------------------------------------------------------------- TFormUpdateNames

TFormUpdateNames::TFormUpdateNames(TComponent* AOwner) : TForm(AOwner) {
    if (FormUpdateNames == nullptr) FormUpdateNames = this;
    ModelServices().NameLists = &lists_;
}

TFormUpdateNames::~TFormUpdateNames() {
    if (ModelServices().NameLists == &lists_) ModelServices().NameLists = nullptr;
    if (FormUpdateNames == this) FormUpdateNames = nullptr;
}

const TFormResource* TFormUpdateNames::FormResource() const { return &formres::Ueupdana; }

void TFormUpdateNames::DefineBindings(TFormBindings& B) {
    B.Field("Label1", Label1);
    B.Field("Gauge1", Gauge1);
    B.Field("cancelBtn", cancelBtn);
    B.Field("Timer1", Timer1);
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<TNotifyEvent>("Timer1Timer", [this](TObject* s) { Timer1Timer(s); });
    B.Handler<TNotifyEvent>("cancelBtnClick", [this](TObject* s) { cancelBtnClick(s); });
}

// ------------------------------------------------------------------------------------------- the files

void TFormUpdateNames::Load() {
    for (TStringList& list : Lists) list.Clear();
    const std::string path = NameFilePath(DefaultDataFolder(), UserCardFileName);
    // A first run has no file yet: the next update or bank transfer writes it.
    if (NameFileMissing(path)) return;
    ReadNameFile(path, ListPointers(Lists), 0);
}

void TFormUpdateNames::Save() {
    try {
        const std::string text = NameFileText(ListPointers(Lists));
        SafeWriteFile(NameFilePath(DefaultDataFolder(), UserCardFileName),
                      [&text](TStream& s) { s.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); });
    } catch (const std::exception&) {
        throw EInOutError("Unable to Write UserCard.Txt");
    }
    Close();
}

// ---------------------------------------------------------------------------------------------- update

void TFormUpdateNames::FormShow(TObject*) {
    Timer1->SetEnabled(false);
    Step = 0;
    NamesReceived = 0;
    StartCount = 0;
    for (TStringList& list : Lists) list.Clear();
    if (IMidiPorts* ports = ModelServices().MidiPorts) ports->SetInputHandler(nullptr);
    Gauge1->SetProgress(0);
    running_ = true;
    SendStep();
}

void TFormUpdateNames::FormClose(TObject*, TCloseAction&) {
    running_ = false;
    Timer1->SetEnabled(false);
    if (IMidiPorts* ports = ModelServices().MidiPorts) ports->SetInputHandler(ModelServices().DefaultMidiInput);
}

void TFormUpdateNames::cancelBtnClick(TObject*) { Close(); }

bool TFormUpdateNames::CancelPressPending() const {
    if (cancelBtn == nullptr || !cancelBtn->HandleAllocated()) return false;
    MSG msg{};
    return PeekMessage(&msg, cancelBtn->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != FALSE;
}

void TFormUpdateNames::RestartTimer() {
    Timer1->SetEnabled(false);
    Timer1->SetEnabled(true);
}

void TFormUpdateNames::ShowGauge() {
    Gauge1->SetProgress(static_cast<int>(std::lround(NamesReceived * 100.0 / TotalNames)));
    Gauge1->Repaint();
}

void TFormUpdateNames::SendStep() {
    // A press on Cancel that waits in the input is taken before the step asks anything.
    if (CancelPressPending()) {
        Timer1->SetEnabled(false);
        Close();
        return;
    }
    IMidiPorts* ports = ModelServices().MidiPorts;
    // Without usable ports nothing is asked: the window waits for Cancel.
    if (DevicesOpen == 0 || ports == nullptr) return;
    Timer1->SetEnabled(false);
    ports->SetInputHandler(nullptr);
    Replies = 0;
    stepReceived_ = 0;
    StartCount = NamesReceived;
    const TStepGroup& group = GroupOfStep(Step);
    Label1->SetCaption(group.Label);
    Label1->Repaint();
    while (ports->PendingEventCount() > 0)
        if (!ports->NextEvent()) break;
    ports->SetInputHandler([this](TObject* s) { NamesInput(s); });
    const int first = FirstNameOfStep(Step);
    {
        // The step's requests go out paced from the event loop; the time-out counts from the last one's
        // departure.
        const TQueuedSends queued;
        for (int k = 0; k < NamesPerStep; ++k)
            SendDataRequest(group.Base + (static_cast<std::uint32_t>(first + k) << 16), 0, 0, NameLength);
    }
    Timer1->SetInterval(ReplyTimeoutMs + QueuedSendsMs());
    Timer1->SetEnabled(true);
}

int TFormUpdateNames::NameIndexOf(const TMyMidiEvent& Event) const {
    const std::size_t length = std::min<std::size_t>(Event.Sysex.size(), Event.SysexLength);
    // Exactly a name's data set: a byte lost or repeated on the way would shift the name.
    if (length != NameReplySize) return -1;
    const std::uint8_t* m = Event.Sysex.data();
    if (m[0] != 0xF0 || m[1] != RolandManufacturer || m[3] != RolandModel || m[4] != CommandDataSet) return -1;
    if (!CheckReceivedChecksum(m, length)) return -1;
    const TStepGroup& group = GroupOfStep(Step);
    const int first = FirstNameOfStep(Step);
    const int index = m[6];
    if (m[5] != (group.Base >> 24) || m[7] != 0 || m[8] != 0) return -1;
    if (index < first || index >= first + NamesPerStep) return -1;
    return index;
}

void TFormUpdateNames::StoreName(int Index, const std::string& Name) {
    TStrings& list = List(GroupOfStep(Step).List);
    while (list.GetCount() < Index) list.Add("");
    if (list.GetCount() == Index) list.Add(Name);
    else list.Put(Index, Name);
}

void TFormUpdateNames::NamesInput(TObject*) {
    if (DevicesOpen == 0) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (ports == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    // Anything but one of the step's names (a note played meanwhile, another device's message, a damaged
    // reply) is dropped with the time-out still running.
    if (!event || !running_) return;
    const int index = NameIndexOf(*event);
    if (index < 0) return;
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << (index - FirstNameOfStep(Step)));
    Timer1->SetEnabled(false);
    ShowGauge();
    // A name that comes twice is stored again at its place, and counted once.
    if ((stepReceived_ & bit) == 0) {
        stepReceived_ |= bit;
        ++NamesReceived;
        ++Replies;
    }
    StoreName(index, std::string(event->Sysex.begin() + NameDataStart,
                                 event->Sysex.begin() + static_cast<std::ptrdiff_t>(NameDataStart + NameLength)));
    event.reset();
    if (Replies >= NamesPerStep) {
        StepDone();
        return;
    }
    RestartTimer();
}

void TFormUpdateNames::StepDone() {
    if (Step >= StepCount - 1) {
        running_ = false;
        Save();
        lists_.LoadNames();
        return;
    }
    ++Step;
    SendStep();
}

void TFormUpdateNames::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    if (!running_) return;
    if (GroupOfStep(Step).Card) {
        // No card in the instrument: its names are skipped, and the gauge counts them from the step's start.
        NamesReceived = StartCount + NamesPerStep;
        ShowGauge();
        StepDone();
        return;
    }
    if (IMidiPorts* ports = ModelServices().MidiPorts) ports->SetInputHandler(nullptr);
    if (MessageDlg("The Instrument Is Not Responding.", mtInformation, {mbOK, mbRetry}, 0) == mrRetry) {
        // The step is asked for again from its first name; what the failed attempt stored is overwritten
        // at the same places.
        NamesReceived = StartCount;
        ShowGauge();
        SendStep();
    } else {
        Close();
    }
}

// --------------------------------------------------------------------------------------- TUpdateNamesLists

void TUpdateNamesLists::LoadUpdateNames() { form_.Load(); }

TStrings& TUpdateNamesLists::UpdateNames(TNameListKind list) { return form_.List(list); }

void TUpdateNamesLists::SaveUpdateNames() { form_.Save(); }

void TUpdateNamesLists::LoadNames() { ReloadNamePicker(); }

int TUpdateNamesLists::PickName(int List, int Selected) { return PickNameFromPicker(List, Selected); }

std::string TUpdateNamesLists::NameAt(int List, int Index) const { return NameInPicker(List, Index); }

}  // namespace zel
