#include "model/Bank.h"

#include <exception>

#include "model/ParamBlocks.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"

namespace zel {

namespace {

ITransferProgress* Progress() { return ModelServices().Progress; }
IMidiPorts* Ports() { return ModelServices().MidiPorts; }

}  // namespace

// ------------------------------------------------------------------------------------------------ TBank

TBank::TBank(TLibElem* AOwner) : TLibElem(AOwner) {
    Temporary = 0;
    User = 1;
    Name = "Untitled";
}

TBank::~TBank() {
    // The bank window shows the members: it goes first.
    CloseWindow();
    Members.clear();
}

void TBank::Assign(TLibElem* Source) {
    TLibElem::Assign(Source);
    auto* source = dynamic_cast<TBank*>(Source);
    if (source == nullptr || source == this || source->ElemType != ElemType) return;
    const std::size_t count = std::min(Members.size(), source->Members.size());
    for (std::size_t i = 0; i < count; ++i) Members[i]->Assign(source->Members[i].get());
}

void TBank::PrintLine(int& Y, bool WithLocation) {
    std::vector<const TLibElem*> members;
    members.reserve(Members.size());
    for (const auto& m : Members) members.push_back(m.get());
    PrintBankLines(*this, members, Y, WithLocation);
}

void TBank::UpdateViews() {
    for (auto& member : Members) member->UpdateViews();
    if (WindowOpen != 0) UpdateWindowView(Window);
}

void TBank::PlaceMembers() {
    for (std::size_t i = 0; i < Members.size(); ++i) {
        TLibElem& member = *Members[i];
        member.Temporary = 0;
        member.User = User != 0 ? 1 : 0;
        member.Number = static_cast<std::int16_t>(i + 1);
    }
}

void TBank::CreateMembers(int Count) {
    Members.reserve(static_cast<std::size_t>(Count));
    for (int n = 1; n <= Count; ++n) {
        std::unique_ptr<TLibElem> member = CreateMember(this);
        member->Temporary = 0;
        member->User = 1;
        member->Number = static_cast<std::int16_t>(n);
        Members.push_back(std::move(member));
    }
}

void TBank::WriteSyx(TStream& F) {
    PlaceMembers();
    for (auto& member : Members) member->WriteSyx(F);
}

void TBank::ReadSyx(TStream& F) {
    if (Members.empty()) return;
    // A first pass reads every body into a scratch member of the same kind: a short or damaged body
    // fails there, before any member of the bank has changed. The second pass cannot fail.
    const std::int64_t start = F.GetPosition();
    if (std::unique_ptr<TLibElem> scratch = CreateMember(nullptr)) {
        for (std::size_t i = 0; i < Members.size(); ++i) scratch->ReadSyx(F);
        F.SetPosition(start);
    }
    for (auto& member : Members) member->ReadSyx(F);
}

void TBank::WriteLibRecord(TStream& F) {
    TLibElem::WriteLibRecord(F);
    WriteI16(F, WindowWidth);
    WriteI16(F, WindowHeight);
    WriteSyx(F);
}

void TBank::ReadLibRecord(TStream& F) {
    TLibElem::ReadLibRecord(F);
    WindowWidth = ReadI16(F);
    WindowHeight = ReadI16(F);
    ReadSyx(F);
    PlaceMembers();
}

void TBank::InitDefault() {
    for (auto& member : Members) member->InitDefault();
}

void TBank::StoreWindowPositions() {
    TLibElem::StoreWindowPositions();
    if (WindowOpen == 0 || Window == nullptr) return;
    IModelWindows* windows = ModelServices().Windows;
    int width = 0;
    int height = 0;
    if (windows == nullptr || !windows->GetWindowSize(Window, width, height)) return;
    TLibElem* root = OwnerRoot(this);
    if (root == nullptr) root = this;
    if (WindowWidth != static_cast<std::int16_t>(width)) {
        WindowWidth = static_cast<std::int16_t>(width);
        root->MarkUnsaved();
    }
    if (WindowHeight != static_cast<std::int16_t>(height)) {
        WindowHeight = static_cast<std::int16_t>(height);
        root->MarkUnsaved();
    }
}

std::string TBank::MemoryTitle() const { return User != 0 ? "User" : "Data Card"; }

void TBank::StoreTransferName(TNameListKind UserList, TNameListKind CardList) {
    INameLists* lists = ModelServices().NameLists;
    if (lists == nullptr || TransferIndex < 0 || TransferIndex >= MemberCount()) return;
    TStrings& list = lists->UpdateNames(User != 0 ? UserList : CardList);
    const std::string name = Members[static_cast<std::size_t>(TransferIndex)]->GetName();
    if (list.GetCount() < TransferIndex + 1) {
        list.Add(name);
    } else {
        list.Put(TransferIndex, name);
    }
}

void TBank::LoadUpdateNames() {
    if (INameLists* lists = ModelServices().NameLists) lists->LoadUpdateNames();
}

void TBank::SaveUpdateNames() {
    if (INameLists* lists = ModelServices().NameLists) {
        lists->SaveUpdateNames();
        lists->LoadNames();
    }
}

void TBank::FinishTransfer(bool Names) {
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    // The closing tick is armed before the names are written, so that a failure to write them cannot
    // leave the transfer's timer running.
    CloseAfter(*progress, TransferCloseDelayMs);
    if (Names) SaveUpdateNames();
}

void TBank::EndTransfer() {
    if (ITransferProgress* progress = Progress()) progress->SetTimerEnabled(TTransferTimer::TimerCleanup, false);
}

void TBank::SwallowMidiInput(TObject* Sender) {
    (void)Sender;
    if (IMidiPorts* ports = Ports()) DiscardPendingInput(*ports);
}

void TBank::RequestAgain() {
    if (ITransferProgress* progress = Progress()) progress->SetTimerEnabled(TTransferTimer::TimerCleanup, false);
    RequestNext();
}

std::uint32_t TBank::MemberAddress(int Index) const { return kind_->BaseAddress(User != 0, Index + 1); }

void TBank::TransmitMembers() {
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    StartTransmitTimer(*progress, BankTransmitTickMs);
    TransferIndex = 0;
    TransferStep = 0;
    if (kind_->Names) LoadUpdateNames();
    RunTransmit(*progress, kind_->Messages, "Now Transmitting " + MemoryTitle() + " " + kind_->Title, kind_->Label,
                kind_->CountMemberAtStart);
}

void TBank::TransmitMemberStep() {
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    if (TransferIndex >= kind_->Slots) {
        FinishTransfer(kind_->Names);
        return;
    }
    const std::span<std::uint8_t> message =
        kind_->StepMessage(*Members.at(static_cast<std::size_t>(TransferIndex)), TransferStep);
    const std::uint32_t base = MemberAddress(TransferIndex);
    try {
        SendDataSet(base, kind_->StepOffset(TransferStep), 0,
                    message.subspan(DataStart, message.size() - SysexOverhead));
        if (kind_->CountMessages) progress->AddSended(static_cast<int>(message.size()), 1);
    } catch (...) {
        // A message that cannot be sent would be tried again on every tick: the transfer ends.
        progress->SetTimerEnabled(TTransferTimer::Timer, false);
        progress->Close();
        throw;
    }
    ++TransferStep;
    if (TransferStep < kind_->Steps) return;
    if (!kind_->CountMessages) progress->AddSended(kind_->MemberBytes, kind_->Steps);
    if (kind_->Names) StoreTransferName(kind_->UserNames, kind_->CardNames);
    TransferStep = 0;
    ++TransferIndex;
    if (!kind_->CountMemberAtStart || TransferIndex < kind_->Slots) progress->AddElem(1);
}

void TBank::ReceiveMembers(bool FromTemporary) {
    (void)FromTemporary;  // a bank always comes from its own memory
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    SetReplyTimeout(*progress);
    TransferIndex = 0;
    TransferStep = 0;
    if (kind_->Names) LoadUpdateNames();
    RunReceive(*progress, kind_->Messages, "Now Receiving " + MemoryTitle() + " " + kind_->Title, kind_->Label,
               kind_->CountMemberAtStart);
    EndTransfer();
    UpdateViews();
}

void TBank::RequestStep(const TTransferLink& Link) {
    SendRequest(Link, MemberAddress(TransferIndex), kind_->StepOffset(TransferStep),
                TransferStep == 0 ? kind_->CommonRequest : kind_->BlockRequest, true);
}

std::size_t TBank::TakeStepReply(const TTransferLink& Link, const TMyMidiEvent* Event,
                                 const std::function<void()>& AskAgain) {
    const std::size_t size =
        kind_->StepMessage(*Members.at(static_cast<std::size_t>(TransferIndex)), TransferStep).size();
    const std::uint32_t address = MemberAddress(TransferIndex) + kind_->StepOffset(TransferStep);
    if (!TakeExpectedReply(*Link.Progress, Event, address, size, AskAgain)) return 0;
    KeepReply(TransferStep, *Event, size);
    ++TransferStep;
    return size;
}

void TBank::StoreKeptMember() {
    TLibElem& member = *Members.at(static_cast<std::size_t>(TransferIndex));
    StoreKeptReplies(kind_->Steps, [this, &member](int step) { return kind_->StepMessage(member, step); });
    // Only stored data marks the member, the bank and the library modified: a receive cancelled before
    // any member came leaves them as they were.
    TouchElement(&member);
}

// ---------------------------------------------------------------------------------------- member kinds

namespace {

std::span<std::uint8_t> PatchStep(TLibElem& Member, int Step) {
    auto& patch = static_cast<TPatch&>(Member);
    if (Step == 0) return patch.Common->Message;
    return patch.Tone(Step).Message;
}

std::uint16_t PatchStepOffset(int Step) { return Step == 0 ? 0 : ToneOffset(Step); }

std::span<std::uint8_t> PerformanceStep(TLibElem& Member, int Step) {
    auto& performance = static_cast<TPerformance&>(Member);
    if (Step == 0) return performance.Common->Message;
    return performance.Part(Step).Message;
}

std::uint16_t PerformanceStepOffset(int Step) { return Step == 0 ? 0 : PartOffset(Step); }

// Step s > 0 of a rhythm set carries the note of key 34 + s.
constexpr int RhythmKeyOfStep(int Step) { return FirstRhythmKey - 1 + Step; }

std::span<std::uint8_t> RhythmStep(TLibElem& Member, int Step) {
    auto& rhythm = static_cast<TRhythm&>(Member);
    if (Step == 0) return rhythm.Common->Message;
    return rhythm.Note(RhythmKeyOfStep(Step)).Message;
}

std::uint16_t RhythmStepOffset(int Step) { return Step == 0 ? 0 : RhythmNoteOffset(RhythmKeyOfStep(Step)); }

// Patches and performances count their bytes and themselves once a member is sent, and keep the name
// lists; rhythm sets count each message and each set as it begins.
constexpr TBankKind PatchBankKind{PatchSlots,
                                  1 + ToneCount,
                                  PatchSyxSize,
                                  PatchBankMessages,
                                  "Patch Bank",
                                  "Patch Number",
                                  true,
                                  TNameListKind::UserPatches,
                                  TNameListKind::CardPatches,
                                  false,
                                  false,
                                  PatchRequestSize,
                                  PatchRequestSize,
                                  &PatchBaseAddress,
                                  &PatchStepOffset,
                                  &PatchStep};

constexpr TBankKind PerformanceBankKind{PerformanceSlots,
                                        1 + PartCount,
                                        PerformanceSyxSize,
                                        PerformanceBankMessages,
                                        "Performance Bank",
                                        "Performance Number",
                                        true,
                                        TNameListKind::UserPerformances,
                                        TNameListKind::CardPerformances,
                                        false,
                                        false,
                                        PerformanceCommonRequestSize,
                                        PerformancePartRequestSize,
                                        &PerformanceBaseAddress,
                                        &PerformanceStepOffset,
                                        &PerformanceStep};

constexpr TBankKind RhythmBankKind{RhythmSlots,
                                   1 + RhythmNoteCount,
                                   RhythmSyxSize,
                                   RhythmBankMessages,
                                   "Rhythm Bank",
                                   "Rhythm Number",
                                   false,
                                   TNameListKind::UserPatches,
                                   TNameListKind::CardPatches,
                                   true,
                                   true,
                                   RhythmCommonRequestSize,
                                   RhythmNoteRequestSize,
                                   &RhythmBaseAddress,
                                   &RhythmStepOffset,
                                   &RhythmStep};

}  // namespace

// ------------------------------------------------------------------------------------------- TPatchBank

TPatchBank::TPatchBank(TLibElem* AOwner) : TBank(AOwner) {
    ElemType = etPatchBank;
    kind_ = &PatchBankKind;
    CreateMembers(PatchSlots);
}

std::unique_ptr<TLibElem> TPatchBank::CreateMember(TLibElem* MemberOwner) {
    return std::make_unique<TPatch>(MemberOwner);
}

TPatch& TPatchBank::Patch(int Index) { return static_cast<TPatch&>(*Members.at(static_cast<std::size_t>(Index))); }

void TPatchBank::Transmit(bool ToTemporary) {
    (void)ToTemporary;  // a bank always goes to its own memory
    TransmitMembers();
}

void TPatchBank::TransmitStep() { TransmitMemberStep(); }

void TPatchBank::Receive(bool FromTemporary) { ReceiveMembers(FromTemporary); }

void TPatchBank::RequestNext() {
    const TTransferLink link = TransferLink();
    if (!link) return;
    StopWaiting(link);
    link.Progress->SetTimerEnabled(TTransferTimer::TimerCleanup, false);
    if (TransferIndex >= PatchSlots) {
        FinishTransfer(true);
        return;
    }
    // The instrument answers a whole-patch request from the common on.
    TransferStep = 0;
    RequestStep(link);
}

void TPatchBank::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    const TTransferLink link = TransferLink();
    if (!link) return;
    std::unique_ptr<TMyMidiEvent> event = link.Ports->NextEvent();
    if (TransferIndex >= PatchSlots || TransferStep > ToneCount) return;
    // After a damaged reply the rest of this patch's replies are still coming: they are swallowed, and
    // the patch is asked for again once they are past. The time-out waits meanwhile.
    const auto askAgain = [this, &link]() {
        link.Progress->SetTimer(
            TTransferTimer::TimerCleanup, RequestAgainDelayMs, [this]() { RequestAgain(); }, true);
        link.Ports->SetInputHandler([this](TObject* s) { SwallowMidiInput(s); });
    };
    if (TakeStepReply(link, event.get(), askAgain) == 0) return;
    event.reset();

    if (TransferStep <= ToneCount) {
        // The rest of the patch follows without a new request; an instrument that stops half way is
        // reported, not waited on for ever.
        link.Progress->SetTimerEnabled(TTransferTimer::Timer, true);
        return;
    }
    // The whole patch is here: it takes its five messages at once.
    StoreKeptMember();
    StoreTransferName(TNameListKind::UserPatches, TNameListKind::CardPatches);
    ++TransferIndex;
    link.Progress->AddReceived(PatchSyxSize, 1 + ToneCount);
    link.Progress->AddElem(1);
    RequestNext();
}

// ------------------------------------------------------------------------------------- TPerformanceBank

TPerformanceBank::TPerformanceBank(TLibElem* AOwner) : TBank(AOwner) {
    ElemType = etPerformanceBank;
    kind_ = &PerformanceBankKind;
    CreateMembers(PerformanceSlots);
}

std::unique_ptr<TLibElem> TPerformanceBank::CreateMember(TLibElem* MemberOwner) {
    return std::make_unique<TPerformance>(MemberOwner);
}

TPerformance& TPerformanceBank::Performance(int Index) {
    return static_cast<TPerformance&>(*Members.at(static_cast<std::size_t>(Index)));
}

void TPerformanceBank::Transmit(bool ToTemporary) {
    (void)ToTemporary;
    TransmitMembers();
}

void TPerformanceBank::TransmitStep() { TransmitMemberStep(); }

void TPerformanceBank::Receive(bool FromTemporary) { ReceiveMembers(FromTemporary); }

void TPerformanceBank::RequestNext() {
    const TTransferLink link = TransferLink();
    if (!link) return;
    StopWaiting(link);
    if (TransferIndex >= PerformanceSlots) return;  // the last reply has closed the window
    RequestStep(link);
}

void TPerformanceBank::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    const TTransferLink link = TransferLink();
    if (!link) return;
    std::unique_ptr<TMyMidiEvent> event = link.Ports->NextEvent();
    if (TransferIndex >= PerformanceSlots || TransferStep > PartCount) return;
    // A damaged block is asked for again at once.
    const std::size_t size = TakeStepReply(link, event.get(), [this]() { RequestNext(); });
    if (size == 0) return;
    link.Progress->AddReceived(static_cast<int>(size), 1);
    event.reset();

    if (TransferStep <= PartCount) {
        RequestNext();  // the next part
        return;
    }
    StoreKeptMember();
    StoreTransferName(TNameListKind::UserPerformances, TNameListKind::CardPerformances);
    ++TransferIndex;
    if (TransferIndex >= PerformanceSlots) {
        link.Progress->SetTimerEnabled(TTransferTimer::Timer, false);
        link.Progress->SetCompleted(true);
        link.Progress->Close();
        SaveUpdateNames();
        return;
    }
    link.Progress->AddElem(1);
    TransferStep = 0;
    RequestNext();
}

// ------------------------------------------------------------------------------------------ TRhythmBank

TRhythmBank::TRhythmBank(TLibElem* AOwner) : TBank(AOwner) {
    ElemType = etRhythmBank;
    kind_ = &RhythmBankKind;
    CreateMembers(RhythmSlots);
}

std::unique_ptr<TLibElem> TRhythmBank::CreateMember(TLibElem* MemberOwner) {
    return std::make_unique<TRhythm>(MemberOwner);
}

TRhythm& TRhythmBank::Rhythm(int Index) { return static_cast<TRhythm&>(*Members.at(static_cast<std::size_t>(Index))); }

void TRhythmBank::Transmit(bool ToTemporary) {
    (void)ToTemporary;
    TransmitMembers();
}

void TRhythmBank::TransmitStep() { TransmitMemberStep(); }

void TRhythmBank::Receive(bool FromTemporary) { ReceiveMembers(FromTemporary); }

void TRhythmBank::RequestNext() {
    const TTransferLink link = TransferLink();
    if (!link) return;
    StopWaiting(link);
    if (TransferIndex >= RhythmSlots) {
        FinishTransfer(false);
        return;
    }
    RequestStep(link);
}

void TRhythmBank::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    const TTransferLink link = TransferLink();
    if (!link) return;
    std::unique_ptr<TMyMidiEvent> event = link.Ports->NextEvent();
    if (TransferIndex >= RhythmSlots || TransferStep > RhythmNoteCount) return;
    // A damaged block is asked for again at once.
    const std::size_t size = TakeStepReply(link, event.get(), [this]() { RequestNext(); });
    if (size == 0) return;
    link.Progress->AddReceived(static_cast<int>(size), 1);
    event.reset();

    if (TransferStep > RhythmNoteCount) {
        StoreKeptMember();
        ++TransferIndex;
        TransferStep = 0;
        if (TransferIndex < RhythmSlots) link.Progress->AddElem(1);
    }
    RequestNext();
}

}  // namespace zel
