#include "model/SystemElem.h"

#include <algorithm>
#include <cstring>

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/Patch.h"
#include "model/SysexFraming.h"

namespace zel {

namespace {

// The order in which the system's editors are refreshed and closed.
constexpr std::array<int, TSystem::SystemEditorCount> EditorOrder = {TSystem::seSetup, TSystem::seMidi,
                                                                     TSystem::sePreview, TSystem::seScaleTune};

}  // namespace

TSystem::TSystem(TLibElem* AOwner) : TLibElem(AOwner), Common(std::make_unique<TSystemCommon>()) {
    ElemType = etSystem;
    Name = "Untitled";
    for (int i = 1; i <= ScaleTuneCount; ++i)
        ScaleTunes[static_cast<std::size_t>(i - 1)] = std::make_unique<TPartScaleTune>(i);
}

TSystem::~TSystem() {
    CloseWindow();
    CloseEditors();
    if (CurrentSystem == this) CurrentSystem = nullptr;
}

std::array<TSyxMessage, 1 + ScaleTuneCount> TSystem::SyxMessages() {
    std::array<TSyxMessage, 1 + ScaleTuneCount> m;
    m[0] = {Common->Message.data(), TSystemCommon::DataSize, XpSystemCommonExtra};
    for (int i = 1; i <= ScaleTuneCount; ++i)
        m[static_cast<std::size_t>(i)] = {ScaleTune(i).Message.data(), TPartScaleTune::DataSize, 0};
    return m;
}

void TSystem::Assign(TLibElem* Source) {
    TLibElem::Assign(Source);
    auto* source = dynamic_cast<TSystem*>(Source);
    if (source == nullptr || source == this) return;
    Common->AssignMessage(*source->Common);
    for (int i = 1; i <= ScaleTuneCount; ++i) ScaleTune(i).AssignMessage(source->ScaleTune(i));
}

void TSystem::UpdateViews() {
    if (WindowOpen != 0) UpdateWindowView(Window);
    for (int e : EditorOrder) UpdateEditorViews(std::span<const TEditorSlot>(&Editors[static_cast<std::size_t>(e)], 1));
}

void TSystem::CloseEditors() {
    for (int e : EditorOrder) CloseEditorSlots(std::span<TEditorSlot>(&Editors[static_cast<std::size_t>(e)], 1));
}

void TSystem::BuildSysEx() {
    Common->BuildMessage(SystemBase);
    for (int i = 1; i <= ScaleTuneCount; ++i) ScaleTune(i).BuildMessage(SystemBase + ScaleTuneOffset(i));
}

void TSystem::WriteSyx(TStream& F) {
    TLibElem::WriteSyx(F);  // builds the headers
    const auto messages = SyxMessages();
    WriteSyxBody(F, messages);
}

void TSystem::ReadSyx(TStream& F) {
    const auto messages = SyxMessages();
    ReadSyxBody(F, messages);
}

void TSystem::WriteLibRecord(TStream& F) {
    TLibElem::WriteLibRecord(F);
    for (const TEditorSlot& slot : Editors) {
        WriteI16(F, slot.Left);
        WriteI16(F, slot.Top);
    }
    WriteSyx(F);
}

void TSystem::ReadLibRecord(TStream& F) {
    TLibElem::ReadLibRecord(F);
    std::array<std::int16_t, 2 * SystemEditorCount> positions{};
    for (std::int16_t& v : positions) v = ReadI16(F);
    ReadSyx(F);
    for (std::size_t e = 0; e < Editors.size(); ++e) {
        Editors[e].Left = positions[2 * e];
        Editors[e].Top = positions[2 * e + 1];
    }
}

void TSystem::Transmit(bool ToTemporary) {
    (void)ToTemporary;
    if (DevicesOpen == 0) return;
    CurrentSystem = this;
    PreviewChannel = 1;
    TransferAddress = SystemBase;
    SendDataSet(SystemBase, 0, 0, Common->DataSpan());
    for (int i = 1; i <= ScaleTuneCount; ++i) SendDataSet(SystemBase, ScaleTuneOffset(i), 0, ScaleTune(i).DataSpan());
}

void TSystem::Receive(bool FromTemporary) {
    TLibElem::Receive(FromTemporary);  // the system counts as modified
    if (DevicesOpen == 0) return;
    ITransferProgress* progress = ModelServices().Progress;
    if (progress == nullptr || ModelServices().MidiPorts == nullptr) return;
    progress->SetTimer(TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); }, false);
    MessageCount = 0;
    TransferAddress = SystemBase;
    progress->Start(1 + ScaleTuneCount, "Now Receiving System", "System");
    RequestNext();
    progress->AddElem(1);
    progress->ShowModal();
    UpdateViews();
}

std::uint32_t TSystem::ExpectedReplyAddress() const {
    return MessageCount <= 0 ? SystemBase : SystemBase + ScaleTuneOffset(MessageCount);
}

void TSystem::RequestNext() {
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
        SendDataRequest(SystemBase, 0, 0, SystemCommonRequestSize);
    } else {
        SendDataRequest(SystemBase, ScaleTuneOffset(MessageCount), 0, ScaleTuneRequestSize);
    }
    ports->SetInputHandler([this](TObject* Sender) { ReceiveHandler(Sender); });
    progress->SetTimerEnabled(TTransferTimer::Timer, true);
}

void TSystem::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    if (DevicesOpen == 0) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    ITransferProgress* progress = ModelServices().Progress;
    if (ports == nullptr || progress == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (MessageCount >= 1 + ScaleTuneCount) return;  // the transfer is over: a late duplicate
    if (!event) return;

    const bool common = MessageCount <= 0;
    const std::size_t size = common ? TSystemCommon::MessageSize : TPartScaleTune::MessageSize;
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
    std::uint8_t* target = common ? Common->Message.data() : ScaleTune(MessageCount).Message.data();
    std::memcpy(target, event->Sysex.data(), size);
    progress->AddReceived(static_cast<int>(size), 1);
    MessageCount = static_cast<std::int16_t>(common ? 1 : MessageCount + 1);
    event.reset();

    if (MessageCount == 1 + ScaleTuneCount) {
        progress->SetCompleted(true);
        progress->Close();
        return;
    }
    RequestNext();
}

void TSystem::InitDefault() {
    Common->Initialise();
    for (int i = 1; i <= ScaleTuneCount; ++i) ScaleTune(i).Initialise();
    UpdateViews();
}

void TSystem::StoreWindowPositions() {
    TLibElem::StoreWindowPositions();
    StoreEditorPositions(Editors);
}

}  // namespace zel
