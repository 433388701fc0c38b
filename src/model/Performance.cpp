#include "model/Performance.h"

#include <algorithm>
#include <cstring>

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/Patch.h"
#include "model/SysexFraming.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

TPerformance::TPerformance(TLibElem* AOwner) : TLibElem(AOwner), Common(std::make_unique<TPerformanceCommon>()) {
    ElemType = etPerformance;
    for (int p = 1; p <= PartCount; ++p)
        Parts[static_cast<std::size_t>(p - 1)] = std::make_unique<TPerformancePart>(p);
}

TPerformance::~TPerformance() {
    CloseWindow();
    ClosePartEditor();
    if (CurrentPerformance == this) CurrentPerformance = nullptr;
    // The common closes its own editors as it goes.
}

std::array<TSyxMessage, 1 + PartCount> TPerformance::SyxMessages() {
    std::array<TSyxMessage, 1 + PartCount> m;
    m[0] = {Common->Message.data(), TPerformanceCommon::DataSize, XpPerformanceCommonExtra};
    for (int p = 1; p <= PartCount; ++p)
        m[static_cast<std::size_t>(p)] = {Part(p).Message.data(), TPerformancePart::DataSize, XpPerformancePartExtra};
    return m;
}

void TPerformance::Assign(TLibElem* Source) {
    TLibElem::Assign(Source);
    auto* source = dynamic_cast<TPerformance*>(Source);
    if (source == nullptr || source == this) return;
    Common->AssignMessage(*source->Common);
    for (int p = 1; p <= PartCount; ++p) Part(p).AssignMessage(source->Part(p));
}

std::string TPerformance::GetName() const { return TrimRight(Common->GetName()); }

void TPerformance::SetName(const std::string& AName, bool Send) {
    const std::array<std::uint8_t, 12> name = NameToData(AName);
    if (Send) {
        Common->SetParams(0, name);
    } else {
        std::memcpy(Common->Data(), name.data(), name.size());
    }
}

void TPerformance::UpdateViews() {
    if (WindowOpen != 0) UpdateWindowView(Window);
    UpdateEditorViews(Common->Editors);
    UpdateEditorViews(std::span<const TEditorSlot>(&PartEditor, 1));
}

std::uint32_t TPerformance::LocationAddress() const {
    return Temporary != 0 ? TempPerformanceBase : PerformanceBaseAddress(User != 0, Number);
}

void TPerformance::BuildSysEx() {
    const std::uint32_t base = LocationAddress();
    Common->BuildMessage(base);
    for (int p = 1; p <= PartCount; ++p) Part(p).BuildMessage(base + PartOffset(p));
}

void TPerformance::WriteSyx(TStream& F) {
    TLibElem::WriteSyx(F);  // builds the headers
    const auto messages = SyxMessages();
    WriteSyxBody(F, messages);
}

void TPerformance::ReadSyx(TStream& F) {
    const auto messages = SyxMessages();
    ReadSyxBody(F, messages);
}

void TPerformance::WriteLibRecord(TStream& F) {
    TLibElem::WriteLibRecord(F);
    WriteI16(F, PartEditor.Left);
    WriteI16(F, PartEditor.Top);
    for (const TEditorSlot& slot : Common->Editors) {
        WriteI16(F, slot.Left);
        WriteI16(F, slot.Top);
    }
    WriteSyx(F);
}

void TPerformance::ReadLibRecord(TStream& F) {
    TLibElem::ReadLibRecord(F);
    if (Number < 1 || Number > PerformanceSlots)
        throw EReadError("Performance slot " + std::to_string(Number) + " lies outside 1..32");
    std::array<std::int16_t, 2 + 2 * TPerformanceCommon::CommonEditorCount> positions{};
    for (std::int16_t& v : positions) v = ReadI16(F);
    ReadSyx(F);
    PartEditor.Left = positions[0];
    PartEditor.Top = positions[1];
    for (std::size_t e = 0; e < Common->Editors.size(); ++e) {
        Common->Editors[e].Left = positions[2 + 2 * e];
        Common->Editors[e].Top = positions[3 + 2 * e];
    }
}

void TPerformance::Transmit(bool ToTemporary) {
    if (DevicesOpen == 0) return;
    std::uint32_t base = 0;
    if (ToTemporary || Temporary != 0) {
        base = TempPerformanceBase;
        CurrentPerformance = this;
        PreviewChannel = 1;
    } else {
        base = PerformanceBaseAddress(User != 0, Number);
    }
    TransferAddress = base;
    SendDataSet(base, 0, 0, Common->DataSpan());
    for (int p = 1; p <= PartCount; ++p) SendDataSet(base, PartOffset(p), 0, Part(p).DataSpan());
}

void TPerformance::SendPartsToTemp() {
    if (DevicesOpen == 0) return;
    for (int p = 1; p <= PartCount; ++p) Part(p).SendToTemp();
}

void TPerformance::ClosePartEditor() { CloseEditorSlots(std::span<TEditorSlot>(&PartEditor, 1)); }

void TPerformance::Receive(bool FromTemporary) {
    TLibElem::Receive(FromTemporary);  // the performance counts as modified
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = ModelServices().Progress;
    if (progress == nullptr || ModelServices().MidiPorts == nullptr) return;
    progress->SetTimer(TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); }, false);
    MessageCount = 0;
    TransferAddress = FromTemporary || Temporary != 0 ? TempPerformanceBase : PerformanceBaseAddress(User != 0, Number);
    progress->Start(1 + PartCount, "Now Receiving Performance", "Performance");
    RequestNext();
    progress->AddElem(1);
    progress->ShowModal();
    UpdateViews();
}

std::uint32_t TPerformance::ExpectedReplyAddress() const {
    return MessageCount <= 0 ? TransferAddress : TransferAddress + PartOffset(MessageCount);
}

void TPerformance::RequestNext() {
    if (DevicesOpen == 0) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    ITransferProgress* progress = ModelServices().Progress;
    if (ports == nullptr || progress == nullptr) return;
    progress->SetTimerEnabled(TTransferTimer::Timer, false);
    ports->SetInputHandler(nullptr);
    // Whatever waits in the input belongs to no request of ours.
    while (ports->PendingEventCount() > 0)
        if (!ports->NextEvent()) break;
    progress->AddSended(static_cast<int>(SysexOverhead + 4), 1);
    if (MessageCount <= 0) {
        SendDataRequest(TransferAddress, 0, 0, PerformanceCommonRequestSize);
    } else {
        SendDataRequest(TransferAddress, PartOffset(MessageCount), 0, PerformancePartRequestSize);
    }
    ports->SetInputHandler([this](TObject* Sender) { ReceiveHandler(Sender); });
    progress->SetTimerEnabled(TTransferTimer::Timer, true);
}

void TPerformance::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    if (DevicesOpen == 0) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    ITransferProgress* progress = ModelServices().Progress;
    if (ports == nullptr || progress == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (MessageCount >= 1 + PartCount) return;  // the transfer is over: a late duplicate
    if (!event) return;

    const bool common = MessageCount <= 0;
    const std::size_t size = common ? TPerformanceCommon::MessageSize : TPerformancePart::MessageSize;
    const std::size_t length = std::min<std::size_t>(event->Sysex.size(), event->SysexLength);
    switch (ClassifyReply(event->Sysex.data(), length, ExpectedReplyAddress(), size)) {
        case TReplyKind::Foreign:
            // A note from the keyboard, a stale or duplicate reply: not ours. The time-out keeps
            // counting, so that a stream of foreign messages cannot hold off the report of a silent
            // instrument.
            return;
        case TReplyKind::BadChecksum:
            progress->SetTimerEnabled(TTransferTimer::Timer, false);
            RequestNext();  // the same block again
            return;
        case TReplyKind::Good:
            progress->SetTimerEnabled(TTransferTimer::Timer, false);
            break;
    }
    std::uint8_t* target = common ? Common->Message.data() : Part(MessageCount).Message.data();
    std::memcpy(target, event->Sysex.data(), size);
    progress->AddReceived(static_cast<int>(size), 1);
    MessageCount = static_cast<std::int16_t>(common ? 1 : MessageCount + 1);
    event.reset();

    if (MessageCount == 1 + PartCount) {
        progress->SetCompleted(true);
        progress->Close();
        return;
    }
    RequestNext();
}

void TPerformance::InitDefault() {
    Common->Initialise();
    for (int p = 1; p <= PartCount; ++p) Part(p).Initialise();
    UpdateViews();
}

void TPerformance::StoreWindowPositions() {
    TLibElem::StoreWindowPositions();
    StoreEditorPositions(std::span<TEditorSlot>(&PartEditor, 1));
    Common->StoreWindowPositions();
}

}  // namespace zel
