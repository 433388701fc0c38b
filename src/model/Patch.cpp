#include "model/Patch.h"

#include <algorithm>
#include <cstring>

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/SysexFraming.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

// Editor positions of a library record: 14 per tone, then 4 of the common.
constexpr std::size_t TonePositionCount = 2 * TTone::ToneEditorCount;
constexpr std::size_t CommonPositionCount = 2 * TCommon::CommonEditorCount;
constexpr std::size_t PositionBytes = 2 * (ToneCount * TonePositionCount + CommonPositionCount);

void PutI16(std::uint8_t*& p, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    *p++ = static_cast<std::uint8_t>(u);
    *p++ = static_cast<std::uint8_t>(u >> 8);
}

std::int16_t GetI16(const std::uint8_t*& p) {
    const auto u = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    p += 2;
    return static_cast<std::int16_t>(u);
}

template <std::size_t N>
void PutSlots(std::uint8_t*& p, const std::array<TEditorSlot, N>& slots) {
    for (const TEditorSlot& s : slots) {
        PutI16(p, s.Left);
        PutI16(p, s.Top);
    }
}

template <std::size_t N>
void GetSlots(const std::uint8_t*& p, std::array<TEditorSlot, N>& slots) {
    for (TEditorSlot& s : slots) {
        s.Left = GetI16(p);
        s.Top = GetI16(p);
    }
}

}  // namespace

TPatch::TPatch(TLibElem* AOwner) : TLibElem(AOwner), Common(std::make_unique<TCommon>()) {
    ElemType = etPatch;
    for (int t = 1; t <= ToneCount; ++t) Tones[static_cast<std::size_t>(t - 1)] = std::make_unique<TTone>(t);
}

TPatch::~TPatch() {
    CloseWindow();
    if (CurrentPatch == this) CurrentPatch = nullptr;
    // The blocks close their editors as they go.
}

std::array<TSyxMessage, 1 + ToneCount> TPatch::SyxMessages() {
    std::array<TSyxMessage, 1 + ToneCount> m;
    m[0] = {Common->Message.data(), TCommon::DataSize, XpPatchCommonExtra};
    for (int t = 1; t <= ToneCount; ++t)
        m[static_cast<std::size_t>(t)] = {Tone(t).Message.data(), TTone::DataSize, 0};
    return m;
}

void TPatch::Assign(TLibElem* Source) {
    TLibElem::Assign(Source);
    auto* source = dynamic_cast<TPatch*>(Source);
    if (source == nullptr || source == this) return;
    Common->AssignMessage(*source->Common);
    for (int t = 1; t <= ToneCount; ++t) Tone(t).AssignMessage(source->Tone(t));
}

std::string TPatch::GetName() const { return TrimRight(NameFromData(Common->Data())); }

void TPatch::SetName(const std::string& AName, bool Send) {
    const std::array<std::uint8_t, 12> name = NameToData(AName);
    if (Send) {
        Common->SetParams(0, name);
    } else {
        std::memcpy(Common->Data(), name.data(), name.size());
    }
}

void TPatch::UpdateViews() {
    if (WindowOpen != 0) UpdateWindowView(Window);
    UpdateEditorViews(Common->Editors);
    for (int t = 1; t <= ToneCount; ++t) UpdateEditorViews(Tone(t).Editors);
}

std::uint32_t TPatch::LocationAddress() const {
    return Temporary != 0 ? TempPatchBase : PatchBaseAddress(User != 0, Number);
}

void TPatch::BuildSysEx() {
    const std::uint32_t base = LocationAddress();
    Common->BuildMessage(base);
    for (int t = 1; t <= ToneCount; ++t) Tone(t).BuildMessage(base + ToneOffset(t));
}

void TPatch::WriteSyx(TStream& F) {
    TLibElem::WriteSyx(F);  // builds the headers
    const auto messages = SyxMessages();
    WriteSyxBody(F, messages);
}

void TPatch::ReadSyx(TStream& F) {
    const auto messages = SyxMessages();
    ReadSyxBody(F, messages);
}

void TPatch::WriteLibRecord(TStream& F) {
    TLibElem::WriteLibRecord(F);
    std::array<std::uint8_t, PositionBytes> positions{};
    std::uint8_t* p = positions.data();
    for (int t = 1; t <= ToneCount; ++t) PutSlots(p, Tone(t).Editors);
    PutSlots(p, Common->Editors);
    F.WriteBuffer(positions.data(), static_cast<std::int64_t>(positions.size()));
    WriteSyx(F);
}

void TPatch::ReadLibRecord(TStream& F) {
    TLibElem::ReadLibRecord(F);
    if (Number < 1 || Number > PatchSlots)
        throw EReadError("Patch slot " + std::to_string(Number) + " lies outside 1..128");
    std::array<std::uint8_t, PositionBytes> positions{};
    F.ReadBuffer(positions.data(), static_cast<std::int64_t>(positions.size()));
    const std::uint8_t* p = positions.data();
    for (int t = 1; t <= ToneCount; ++t) GetSlots(p, Tone(t).Editors);
    GetSlots(p, Common->Editors);
    ReadSyx(F);
}

void TPatch::Transmit(bool ToTemporary) {
    if (DevicesOpen == 0) return;
    std::uint32_t base = 0;
    if (ToTemporary || Temporary != 0) {
        base = TempPatchBase;
        CurrentPatch = this;
        PreviewChannel = 1;
    } else {
        base = PatchBaseAddress(User != 0, Number);
    }
    TransferAddress = base;
    SendDataSet(base, 0, 0, Common->DataSpan());
    for (int t = 1; t <= ToneCount; ++t) SendDataSet(base, ToneOffset(t), 0, Tone(t).DataSpan());
}

void TPatch::Receive(bool FromTemporary) {
    TLibElem::Receive(FromTemporary);  // the patch counts as modified
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = ModelServices().Progress;
    if (progress == nullptr || ModelServices().MidiPorts == nullptr) return;
    progress->SetTimer(TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); }, false);
    MessageCount = 0;
    TransferAddress = FromTemporary || Temporary != 0 ? TempPatchBase : PatchBaseAddress(User != 0, Number);
    progress->Start(1, "Now Receiving Patch", "Pacth");
    RequestNext();
    progress->AddElem(1);
    progress->ShowModal();
    UpdateViews();
}

void TPatch::RequestNext() {
    if (DevicesOpen == 0) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    ITransferProgress* progress = ModelServices().Progress;
    if (ports == nullptr || progress == nullptr) return;
    // Whatever waits in the input belongs to no request of ours.
    while (ports->PendingEventCount() > 0)
        if (!ports->NextEvent()) break;
    // The instrument answers a whole-patch request from the common on.
    MessageCount = 0;
    SendDataRequest(TransferAddress, 0, 0, PatchRequestSize);
    progress->SetTimerEnabled(TTransferTimer::Timer, true);
    ports->SetInputHandler([this](TObject* Sender) { ReceiveHandler(Sender); });
}

std::uint32_t TPatch::ExpectedReplyAddress() const {
    return MessageCount <= 0 ? TransferAddress : TransferAddress + ToneOffset(MessageCount);
}

void TPatch::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    if (DevicesOpen == 0) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    ITransferProgress* progress = ModelServices().Progress;
    if (ports == nullptr || progress == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (MessageCount >= 1 + ToneCount) {  // the transfer is over: a late duplicate
        progress->SetTimerEnabled(TTransferTimer::Timer, false);
        return;
    }
    // Nothing taken, a note from the keyboard, a stale or duplicate reply: not ours. The reply
    // time-out keeps running, so a keyboard played during a receive cannot hold off the report of a
    // silent instrument.
    if (!event) return;

    const bool common = MessageCount == 0;
    const std::size_t size = common ? TCommon::MessageSize : TTone::MessageSize;
    const std::size_t length = std::min<std::size_t>(event->Sysex.size(), event->SysexLength);
    switch (ClassifyReply(event->Sysex.data(), length, ExpectedReplyAddress(), size)) {
        case TReplyKind::Foreign:
            return;
        case TReplyKind::BadChecksum:
            progress->SetTimerEnabled(TTransferTimer::Timer, false);
            RequestNext();
            return;
        case TReplyKind::Good:
            progress->SetTimerEnabled(TTransferTimer::Timer, false);
            break;
    }
    std::uint8_t* target = common ? Common->Message.data() : Tone(MessageCount).Message.data();
    std::memcpy(target, event->Sysex.data(), size);
    ++MessageCount;
    event.reset();

    if (MessageCount == 1 + ToneCount) {
        progress->SetCompleted(true);
        progress->AddReceived(PatchSyxSize, 1 + ToneCount);
        progress->Close();
        return;
    }
    // An instrument that stops half way is reported, not waited on for ever.
    progress->SetTimerEnabled(TTransferTimer::Timer, true);
}

void TPatch::InitDefault() {
    Common->Initialise();
    for (int t = 1; t <= ToneCount; ++t) Tone(t).Initialise();
    UpdateViews();
}

void TPatch::StoreWindowPositions() {
    TLibElem::StoreWindowPositions();
    for (int t = 1; t <= ToneCount; ++t) Tone(t).StoreWindowPositions();
    Common->StoreWindowPositions();
}

}  // namespace zel
