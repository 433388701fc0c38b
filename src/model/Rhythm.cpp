#include "model/Rhythm.h"

#include <cstring>

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/SysexFraming.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

// Editors in the order they are refreshed, closed and stored in a library record.
constexpr std::array<int, TRhythm::RhythmEditorCount> EditorOrder = {TRhythm::reMain, TRhythm::rePitch, TRhythm::reTVA,
                                                                     TRhythm::reTVF};

// The key of the note that message number c (1..64) of a transfer carries.
constexpr int KeyOfMessage(int c) { return FirstRhythmKey - 1 + c; }

constexpr int RhythmMessages = 1 + RhythmNoteCount;  // 65

}  // namespace

TRhythm::TRhythm(TLibElem* AOwner) : TLibElem(AOwner), Common(std::make_unique<TRhythmCommon>()) {
    ElemType = etRhythm;
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k)
        Notes[static_cast<std::size_t>(k - FirstRhythmKey)] = std::make_unique<TRhythmNote>(k);
}

TRhythm::~TRhythm() {
    CloseWindow();
    CloseEditors();
    if (CurrentRhythm == this) CurrentRhythm = nullptr;
}

std::array<TSyxMessage, 1 + RhythmNoteCount> TRhythm::SyxMessages() {
    std::array<TSyxMessage, 1 + RhythmNoteCount> m;
    m[0] = {Common->Message.data(), TRhythmCommon::DataSize, 0};
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k)
        m[static_cast<std::size_t>(k - FirstRhythmKey + 1)] = {Note(k).Message.data(), TRhythmNote::DataSize, 0};
    return m;
}

void TRhythm::Assign(TLibElem* Source) {
    TLibElem::Assign(Source);
    auto* source = dynamic_cast<TRhythm*>(Source);
    if (source == nullptr || source == this) return;
    Common->AssignMessage(*source->Common);
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k) Note(k).AssignMessage(source->Note(k));
}

std::string TRhythm::GetName() const { return TrimRight(NameFromData(Common->Data())); }

void TRhythm::SetName(const std::string& AName, bool Send) {
    const std::array<std::uint8_t, 12> name = NameToData(AName);
    if (Send) {
        Common->SetParams(0, name);
    } else {
        std::memcpy(Common->Data(), name.data(), name.size());
    }
}

void TRhythm::UpdateViews() {
    if (WindowOpen != 0) UpdateWindowView(Window);
    for (int e : EditorOrder) UpdateEditorViews(std::span<const TEditorSlot>(&Editors[static_cast<std::size_t>(e)], 1));
}

void TRhythm::CloseEditors() {
    for (int e : EditorOrder) CloseEditorSlots(std::span<TEditorSlot>(&Editors[static_cast<std::size_t>(e)], 1));
}

std::uint32_t TRhythm::LocationAddress() const {
    return Temporary != 0 ? TempRhythmBase : RhythmBaseAddress(User != 0, Number);
}

std::uint32_t TRhythm::BaseFor(bool ToTemporary) const { return ToTemporary ? TempRhythmBase : LocationAddress(); }

void TRhythm::BuildSysEx() {
    const std::uint32_t base = LocationAddress();
    Common->BuildMessage(base);
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k) Note(k).BuildMessage(base + RhythmNoteOffset(k));
}

void TRhythm::WriteSyx(TStream& F) {
    TLibElem::WriteSyx(F);  // builds the headers
    const auto messages = SyxMessages();
    WriteSyxBody(F, messages);
}

void TRhythm::ReadSyx(TStream& F) {
    const auto messages = SyxMessages();
    ReadSyxBody(F, messages);
}

void TRhythm::WriteLibRecord(TStream& F) {
    TLibElem::WriteLibRecord(F);
    for (int e : EditorOrder) {
        WriteI16(F, Editors[static_cast<std::size_t>(e)].Left);
        WriteI16(F, Editors[static_cast<std::size_t>(e)].Top);
    }
    WriteSyx(F);
}

void TRhythm::ReadLibRecord(TStream& F) {
    TLibElem::ReadLibRecord(F);
    if (Number < 1 || Number > RhythmSlots)
        throw EReadError("Rhythm set slot " + std::to_string(Number) + " lies outside 1..2");
    std::array<std::int16_t, 2 * RhythmEditorCount> positions{};
    for (std::int16_t& v : positions) v = ReadI16(F);
    ReadSyx(F);
    for (std::size_t i = 0; i < EditorOrder.size(); ++i) {
        TEditorSlot& slot = Editors[static_cast<std::size_t>(EditorOrder[i])];
        slot.Left = positions[2 * i];
        slot.Top = positions[2 * i + 1];
    }
}

// ------------------------------------------------------------------------------------------- transmit

void TRhythm::Transmit(bool ToTemporary) {
    if (DevicesOpen == 0) return;
    TransferBase = BaseFor(ToTemporary);
    TransferAddress = TransferBase;
    if (ToTemporary || Temporary != 0) {
        CurrentRhythm = this;
        PreviewChannel = 10;
    }
    MessageCount = 0;
    ITransferProgress* progress = ModelServices().Progress;
    if (progress == nullptr) {
        // No progress window to pace the messages: they go through the outgoing queue.
        const TQueuedSends queued;
        while (MessageCount < RhythmMessages) TransmitStep();
        return;
    }
    StartTransmitTimer(*progress, RhythmTransmitTickMs);
    RunTransmit(*progress, RhythmMessages, "Now Transmitting Rhythm", "Rhythm Number", true);
}

void TRhythm::TransmitStep() {
    if (MessageCount < 0 || MessageCount >= RhythmMessages) return;  // a tick after the last message
    ITransferProgress* progress = ModelServices().Progress;
    if (MessageCount == 0) {
        if (progress != nullptr) progress->AddSended(static_cast<int>(TRhythmCommon::MessageSize), 1);
        SendDataSet(TransferBase, 0, 0, Common->DataSpan());
    } else {
        const int key = KeyOfMessage(MessageCount);
        if (progress != nullptr) progress->AddSended(static_cast<int>(TRhythmNote::MessageSize), 1);
        SendDataSet(TransferBase, RhythmNoteOffset(key), 0, Note(key).DataSpan());
    }
    ++MessageCount;
    // The window stays a moment on the finished transfer, then the time-out handler closes it.
    if (MessageCount == RhythmMessages && progress != nullptr) CloseAfter(*progress, RhythmClosingDelayMs);
}

// -------------------------------------------------------------------------------------------- receive

TReceiveTable TRhythm::ReceiveTable(bool FromTemporary) {
    TReceiveTable table{.Blocks = {},
                        .Base = BaseFor(FromTemporary),
                        .Title = "Now Receiving Rhythm",
                        .Label = "Rhythm Number",
                        .ClosingDelayMs = RhythmClosingDelayMs};
    table.Blocks.push_back({0, RhythmCommonRequestSize, Common->Message});
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k)
        table.Blocks.push_back({RhythmNoteOffset(k), RhythmNoteRequestSize, Note(k).Message});
    return table;
}

void TRhythm::InitDefault() {
    Common->Initialise();
    for (int k = FirstRhythmKey; k <= LastRhythmKey; ++k) Note(k).Initialise();
    UpdateViews();
}

void TRhythm::StoreWindowPositions() {
    TLibElem::StoreWindowPositions();
    for (int e : EditorOrder) StoreEditorPositions(std::span<TEditorSlot>(&Editors[static_cast<std::size_t>(e)], 1));
}

}  // namespace zel
