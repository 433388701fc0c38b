#include "model/Bank.h"

#include <cstring>
#include <exception>

#include "model/ParamBlocks.h"
#include "model/Patch.h"
#include "model/Performance.h"
#include "model/Rhythm.h"
#include "model/SysexFraming.h"

namespace zel {

namespace {

ITransferProgress* Progress() { return ModelServices().Progress; }
IMidiPorts* Ports() { return ModelServices().MidiPorts; }

// The bytes of a received event that are really there.
std::size_t EventLength(const TMyMidiEvent& event) {
    return std::min<std::size_t>(event.Sysex.size(), event.SysexLength);
}

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
    progress->SetCompleted(true);
    // The closing tick is armed before the names are written, so that a failure to write them cannot
    // leave the transfer's timer running.
    progress->SetTimer(TTransferTimer::Timer, TransferCloseDelayMs, [this]() { InstrumentNotResponding(nullptr); },
                       true);
    if (Names) SaveUpdateNames();
}

void TBank::ArmReplyTimeout() {
    if (ITransferProgress* progress = Progress())
        progress->SetTimer(TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); },
                           true);
}

void TBank::DiscardPendingInput() {
    IMidiPorts* ports = Ports();
    if (ports == nullptr) return;
    while (ports->PendingEventCount() > 0)
        if (!ports->NextEvent()) break;
}

void TBank::EndTransfer() {
    if (ITransferProgress* progress = Progress()) progress->SetTimerEnabled(TTransferTimer::TimerCleanup, false);
}

void TBank::SwallowMidiInput(TObject* Sender) {
    (void)Sender;
    DiscardPendingInput();
}

void TBank::RequestAgain() {
    if (ITransferProgress* progress = Progress()) progress->SetTimerEnabled(TTransferTimer::TimerCleanup, false);
    RequestNext();
}

// ------------------------------------------------------------------------------------------- TPatchBank

TPatchBank::TPatchBank(TLibElem* AOwner) : TBank(AOwner) {
    ElemType = etPatchBank;
    CreateMembers(PatchSlots);
}

std::unique_ptr<TLibElem> TPatchBank::CreateMember(TLibElem* MemberOwner) {
    return std::make_unique<TPatch>(MemberOwner);
}

TPatch& TPatchBank::Patch(int Index) { return static_cast<TPatch&>(*Members.at(static_cast<std::size_t>(Index))); }

std::uint32_t TPatchBank::MemberAddress(int Index) const { return PatchBaseAddress(User != 0, Index + 1); }

void TPatchBank::Transmit(bool ToTemporary) {
    (void)ToTemporary;  // a bank always goes to its own memory
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    progress->SetTimer(TTransferTimer::Timer, BankTransmitTickMs, [this]() { TransmitTimer(nullptr); }, true);
    TransferIndex = 0;
    TransferStep = 0;
    LoadUpdateNames();
    progress->Start(PatchBankMessages, "Now Transmitting " + MemoryTitle() + " Patch Bank", "Patch Number");
    progress->SetTransmetting();
    TransmitStep();
    progress->ShowModal();
}

void TPatchBank::TransmitStep() {
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    if (TransferIndex >= PatchSlots) {
        FinishTransfer(true);
        return;
    }
    TPatch& patch = Patch(TransferIndex);
    const std::uint32_t base = MemberAddress(TransferIndex);
    try {
        if (TransferStep == 0) {
            SendDataSet(base, 0, 0, patch.Common->DataSpan());
        } else {
            SendDataSet(base, ToneOffset(TransferStep), 0, patch.Tone(TransferStep).DataSpan());
        }
    } catch (...) {
        // A message that cannot be sent would be tried again on every tick: the transfer ends.
        progress->SetTimerEnabled(TTransferTimer::Timer, false);
        progress->Close();
        throw;
    }
    ++TransferStep;
    if (TransferStep > ToneCount) {
        progress->AddSended(PatchSyxSize, 1 + ToneCount);
        StoreTransferName(TNameListKind::UserPatches, TNameListKind::CardPatches);
        TransferStep = 0;
        ++TransferIndex;
        progress->AddElem(1);
    }
}

void TPatchBank::Receive(bool FromTemporary) {
    TLibElem::Receive(FromTemporary);  // the bank counts as modified
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    progress->SetTimer(TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); }, false);
    TransferIndex = 0;
    TransferStep = 0;
    LoadUpdateNames();
    progress->Start(PatchBankMessages, "Now Receiving " + MemoryTitle() + " Patch Bank", "Patch Number");
    RequestNext();
    progress->ShowModal();
    EndTransfer();
    UpdateViews();
}

void TPatchBank::RequestNext() {
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    IMidiPorts* ports = Ports();
    if (progress == nullptr || ports == nullptr) return;
    progress->SetTimerEnabled(TTransferTimer::Timer, false);
    progress->SetTimerEnabled(TTransferTimer::TimerCleanup, false);
    ports->SetInputHandler(nullptr);
    if (TransferIndex >= PatchSlots) {
        FinishTransfer(true);
        return;
    }
    // The instrument answers a whole-patch request from the common on.
    TransferStep = 0;
    DiscardPendingInput();
    progress->AddSended(15, 1);
    SendDataRequest(MemberAddress(TransferIndex), 0, 0, PatchRequestSize);
    ports->SetInputHandler([this](TObject* Sender) { ReceiveHandler(Sender); });
    ArmReplyTimeout();
}

void TPatchBank::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    IMidiPorts* ports = Ports();
    if (progress == nullptr || ports == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (!event || TransferIndex >= PatchSlots || TransferStep > ToneCount) return;

    const bool common = TransferStep == 0;
    const std::size_t size = common ? TCommon::MessageSize : TTone::MessageSize;
    const std::uint32_t expected = MemberAddress(TransferIndex) + (common ? 0u : ToneOffset(TransferStep));
    switch (ClassifyReply(event->Sysex.data(), EventLength(*event), expected, size)) {
        case TReplyKind::Foreign:
            // A note from the keyboard, a stale or duplicate reply: not ours, keep waiting.
            return;
        case TReplyKind::BadChecksum:
            // The rest of this patch's replies are still coming: they are swallowed, and the patch is
            // asked for again once they are past. The time-out waits meanwhile.
            event.reset();
            progress->SetTimerEnabled(TTransferTimer::Timer, false);
            progress->SetTimer(TTransferTimer::TimerCleanup, RequestAgainDelayMs, [this]() { RequestAgain(); }, true);
            ports->SetInputHandler([this](TObject* s) { SwallowMidiInput(s); });
            return;
        case TReplyKind::Good:
            break;
    }
    if (common) pending_.assign(PatchSyxSize, 0);
    const std::size_t at = common ? 0 : TCommon::MessageSize + static_cast<std::size_t>(TransferStep - 1) * TTone::MessageSize;
    std::memcpy(pending_.data() + at, event->Sysex.data(), size);
    ++TransferStep;
    event.reset();

    if (TransferStep <= ToneCount) {
        // An instrument that stops half way is reported, not waited on for ever.
        progress->SetTimerEnabled(TTransferTimer::Timer, true);
        return;
    }
    // The whole patch is here: it takes its five messages at once.
    TPatch& patch = Patch(TransferIndex);
    std::memcpy(patch.Common->Message.data(), pending_.data(), TCommon::MessageSize);
    for (int t = 1; t <= ToneCount; ++t)
        std::memcpy(patch.Tone(t).Message.data(),
                    pending_.data() + TCommon::MessageSize + static_cast<std::size_t>(t - 1) * TTone::MessageSize,
                    TTone::MessageSize);
    StoreTransferName(TNameListKind::UserPatches, TNameListKind::CardPatches);
    ++TransferIndex;
    progress->AddReceived(PatchSyxSize, 1 + ToneCount);
    progress->AddElem(1);
    RequestNext();
}

// ------------------------------------------------------------------------------------- TPerformanceBank

namespace {

constexpr std::size_t PerformanceCommonMessage = TPerformanceCommon::MessageSize;  // 75
constexpr std::size_t PerformancePartMessage = TPerformancePart::MessageSize;      // 30
constexpr std::size_t RhythmCommonMessage = TRhythmCommon::MessageSize;            // 23
constexpr std::size_t RhythmNoteMessage = TRhythmNote::MessageSize;                // 69
constexpr int RhythmLastStep = RhythmNoteCount;                                    // 64

}  // namespace

TPerformanceBank::TPerformanceBank(TLibElem* AOwner) : TBank(AOwner) {
    ElemType = etPerformanceBank;
    CreateMembers(PerformanceSlots);
}

std::unique_ptr<TLibElem> TPerformanceBank::CreateMember(TLibElem* MemberOwner) {
    return std::make_unique<TPerformance>(MemberOwner);
}

TPerformance& TPerformanceBank::Performance(int Index) {
    return static_cast<TPerformance&>(*Members.at(static_cast<std::size_t>(Index)));
}

std::uint32_t TPerformanceBank::MemberAddress(int Index) const { return PerformanceBaseAddress(User != 0, Index + 1); }

void TPerformanceBank::Transmit(bool ToTemporary) {
    (void)ToTemporary;
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    progress->SetTimer(TTransferTimer::Timer, BankTransmitTickMs, [this]() { TransmitTimer(nullptr); }, true);
    TransferIndex = 0;
    TransferStep = 0;
    LoadUpdateNames();
    progress->Start(PerformanceBankMessages, "Now Transmitting " + MemoryTitle() + " Performance Bank",
                    "Performance Number");
    progress->SetTransmetting();
    TransmitStep();
    progress->ShowModal();
}

void TPerformanceBank::TransmitStep() {
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    if (TransferIndex >= PerformanceSlots) {
        FinishTransfer(true);
        return;
    }
    TPerformance& performance = Performance(TransferIndex);
    const std::uint32_t base = MemberAddress(TransferIndex);
    try {
        if (TransferStep == 0) {
            SendDataSet(base, 0, 0, performance.Common->DataSpan());
        } else {
            SendDataSet(base, PartOffset(TransferStep), 0, performance.Part(TransferStep).DataSpan());
        }
    } catch (...) {
        progress->SetTimerEnabled(TTransferTimer::Timer, false);
        progress->Close();
        throw;
    }
    ++TransferStep;
    if (TransferStep > PartCount) {
        progress->AddSended(PerformanceSyxSize, 1 + PartCount);
        StoreTransferName(TNameListKind::UserPerformances, TNameListKind::CardPerformances);
        TransferStep = 0;
        ++TransferIndex;
        progress->AddElem(1);
    }
}

void TPerformanceBank::Receive(bool FromTemporary) {
    TLibElem::Receive(FromTemporary);
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    progress->SetTimer(TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); }, false);
    TransferIndex = 0;
    TransferStep = 0;
    LoadUpdateNames();
    progress->Start(PerformanceBankMessages, "Now Receiving " + MemoryTitle() + " Performance Bank",
                    "Performance Number");
    RequestNext();
    progress->ShowModal();
    EndTransfer();
    UpdateViews();
}

void TPerformanceBank::RequestNext() {
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    IMidiPorts* ports = Ports();
    if (progress == nullptr || ports == nullptr) return;
    progress->SetTimerEnabled(TTransferTimer::Timer, false);
    ports->SetInputHandler(nullptr);
    if (TransferIndex >= PerformanceSlots) return;  // the last reply has closed the window
    DiscardPendingInput();
    progress->AddSended(15, 1);
    if (TransferStep == 0) {
        SendDataRequest(MemberAddress(TransferIndex), 0, 0, PerformanceCommonRequestSize);
    } else {
        SendDataRequest(MemberAddress(TransferIndex), PartOffset(TransferStep), 0, PerformancePartRequestSize);
    }
    ports->SetInputHandler([this](TObject* Sender) { ReceiveHandler(Sender); });
    ArmReplyTimeout();
}

void TPerformanceBank::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    IMidiPorts* ports = Ports();
    if (progress == nullptr || ports == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (!event || TransferIndex >= PerformanceSlots || TransferStep > PartCount) return;

    const bool common = TransferStep == 0;
    const std::size_t size = common ? PerformanceCommonMessage : PerformancePartMessage;
    const std::uint32_t expected = MemberAddress(TransferIndex) + (common ? 0u : PartOffset(TransferStep));
    switch (ClassifyReply(event->Sysex.data(), EventLength(*event), expected, size)) {
        case TReplyKind::Foreign:
            return;  // not the block asked for: keep waiting
        case TReplyKind::BadChecksum:
            event.reset();
            RequestNext();  // the same block again
            return;
        case TReplyKind::Good:
            break;
    }
    if (common) pending_.assign(PerformanceSyxSize, 0);
    const std::size_t at =
        common ? 0 : PerformanceCommonMessage + static_cast<std::size_t>(TransferStep - 1) * PerformancePartMessage;
    std::memcpy(pending_.data() + at, event->Sysex.data(), size);
    progress->AddReceived(static_cast<int>(size), 1);
    ++TransferStep;
    event.reset();

    if (TransferStep <= PartCount) {
        RequestNext();  // the next part
        return;
    }
    TPerformance& performance = Performance(TransferIndex);
    std::memcpy(performance.Common->Message.data(), pending_.data(), PerformanceCommonMessage);
    for (int p = 1; p <= PartCount; ++p)
        std::memcpy(performance.Part(p).Message.data(),
                    pending_.data() + PerformanceCommonMessage + static_cast<std::size_t>(p - 1) * PerformancePartMessage,
                    PerformancePartMessage);
    StoreTransferName(TNameListKind::UserPerformances, TNameListKind::CardPerformances);
    ++TransferIndex;
    if (TransferIndex >= PerformanceSlots) {
        progress->SetTimerEnabled(TTransferTimer::Timer, false);
        progress->SetCompleted(true);
        progress->Close();
        SaveUpdateNames();
        return;
    }
    progress->AddElem(1);
    TransferStep = 0;
    RequestNext();
}

// ------------------------------------------------------------------------------------------ TRhythmBank

TRhythmBank::TRhythmBank(TLibElem* AOwner) : TBank(AOwner) {
    ElemType = etRhythmBank;
    CreateMembers(RhythmSlots);
}

std::unique_ptr<TLibElem> TRhythmBank::CreateMember(TLibElem* MemberOwner) {
    return std::make_unique<TRhythm>(MemberOwner);
}

TRhythm& TRhythmBank::Rhythm(int Index) { return static_cast<TRhythm&>(*Members.at(static_cast<std::size_t>(Index))); }

std::uint32_t TRhythmBank::MemberAddress(int Index) const { return RhythmBaseAddress(User != 0, Index + 1); }

void TRhythmBank::Transmit(bool ToTemporary) {
    (void)ToTemporary;
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    progress->SetTimer(TTransferTimer::Timer, BankTransmitTickMs, [this]() { TransmitTimer(nullptr); }, true);
    TransferIndex = 0;
    TransferStep = 0;
    progress->Start(RhythmBankMessages, "Now Transmitting " + MemoryTitle() + " Rhythm Bank", "Rhythm Number");
    progress->SetTransmetting();
    progress->AddElem(1);
    TransmitStep();
    progress->ShowModal();
}

void TRhythmBank::TransmitStep() {
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    if (TransferIndex >= RhythmSlots) {
        FinishTransfer(false);
        return;
    }
    TRhythm& rhythm = Rhythm(TransferIndex);
    const std::uint32_t base = MemberAddress(TransferIndex);
    try {
        if (TransferStep == 0) {
            SendDataSet(base, 0, 0, rhythm.Common->DataSpan());
            progress->AddSended(static_cast<int>(RhythmCommonMessage), 1);
        } else {
            const int key = FirstRhythmKey - 1 + TransferStep;
            SendDataSet(base, RhythmNoteOffset(key), 0, rhythm.Note(key).DataSpan());
            progress->AddSended(static_cast<int>(RhythmNoteMessage), 1);
        }
    } catch (...) {
        progress->SetTimerEnabled(TTransferTimer::Timer, false);
        progress->Close();
        throw;
    }
    ++TransferStep;
    if (TransferStep > RhythmLastStep) {
        TransferStep = 0;
        ++TransferIndex;
        if (TransferIndex < RhythmSlots) progress->AddElem(1);
    }
}

void TRhythmBank::Receive(bool FromTemporary) {
    TLibElem::Receive(FromTemporary);
    ITransferProgress* progress = Progress();
    if (progress == nullptr) return;
    PlaceMembers();
    progress->SetTimer(TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); }, false);
    TransferIndex = 0;
    TransferStep = 0;
    progress->Start(RhythmBankMessages, "Now Receiving " + MemoryTitle() + " Rhythm Bank", "Rhythm Number");
    RequestNext();
    progress->AddElem(1);
    progress->ShowModal();
    EndTransfer();
    UpdateViews();
}

void TRhythmBank::RequestNext() {
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    IMidiPorts* ports = Ports();
    if (progress == nullptr || ports == nullptr) return;
    progress->SetTimerEnabled(TTransferTimer::Timer, false);
    ports->SetInputHandler(nullptr);
    if (TransferIndex >= RhythmSlots) {
        FinishTransfer(false);
        return;
    }
    DiscardPendingInput();
    progress->AddSended(15, 1);
    if (TransferStep == 0) {
        SendDataRequest(MemberAddress(TransferIndex), 0, 0, RhythmCommonRequestSize);
    } else {
        SendDataRequest(MemberAddress(TransferIndex), RhythmNoteOffset(FirstRhythmKey - 1 + TransferStep), 0,
                        RhythmNoteRequestSize);
    }
    ports->SetInputHandler([this](TObject* Sender) { ReceiveHandler(Sender); });
    ArmReplyTimeout();
}

void TRhythmBank::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = Progress();
    IMidiPorts* ports = Ports();
    if (progress == nullptr || ports == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (!event || TransferIndex >= RhythmSlots || TransferStep > RhythmLastStep) return;

    const bool common = TransferStep == 0;
    const std::size_t size = common ? RhythmCommonMessage : RhythmNoteMessage;
    const std::uint32_t expected =
        MemberAddress(TransferIndex) + (common ? 0u : RhythmNoteOffset(FirstRhythmKey - 1 + TransferStep));
    switch (ClassifyReply(event->Sysex.data(), EventLength(*event), expected, size)) {
        case TReplyKind::Foreign:
            return;
        case TReplyKind::BadChecksum:
            event.reset();
            RequestNext();
            return;
        case TReplyKind::Good:
            break;
    }
    progress->SetTimerEnabled(TTransferTimer::Timer, false);
    if (common) pending_.assign(RhythmSyxSize, 0);
    const std::size_t at = common ? 0 : RhythmCommonMessage + static_cast<std::size_t>(TransferStep - 1) * RhythmNoteMessage;
    std::memcpy(pending_.data() + at, event->Sysex.data(), size);
    progress->AddReceived(static_cast<int>(size), 1);
    ++TransferStep;
    event.reset();

    if (TransferStep > RhythmLastStep) {
        TRhythm& rhythm = Rhythm(TransferIndex);
        std::memcpy(rhythm.Common->Message.data(), pending_.data(), RhythmCommonMessage);
        for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k)
            std::memcpy(rhythm.Note(k).Message.data(),
                        pending_.data() + RhythmCommonMessage +
                            static_cast<std::size_t>(k - FirstRhythmKey) * RhythmNoteMessage,
                        RhythmNoteMessage);
        ++TransferIndex;
        TransferStep = 0;
        if (TransferIndex < RhythmSlots) progress->AddElem(1);
    }
    RequestNext();
}

}  // namespace zel
