#include "model/Patch.h"

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
    for (int t = 1; t <= ToneCount; ++t) m[static_cast<std::size_t>(t)] = {Tone(t).Message.data(), TTone::DataSize, 0};
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

std::uint32_t TPatch::BaseFor(bool ToTemporary) const { return ToTemporary ? TempPatchBase : LocationAddress(); }

void TPatch::Transmit(bool ToTemporary) {
    if (DevicesOpen == 0) return;
    TransferAddress = BaseFor(ToTemporary);
    if (ToTemporary || Temporary != 0) {
        CurrentPatch = this;
        PreviewChannel = 1;
    }
    const TQueuedSends queued;
    SendDataSet(TransferAddress, 0, 0, Common->DataSpan());
    for (int t = 1; t <= ToneCount; ++t) SendDataSet(TransferAddress, ToneOffset(t), 0, Tone(t).DataSpan());
}

TReceiveTable TPatch::ReceiveTable(bool FromTemporary) {
    TReceiveTable table{.Blocks = {},
                        .Base = BaseFor(FromTemporary),
                        .Title = "Now Receiving Patch",
                        .Label = "Pacth",
                        .WholeElement = true,
                        .WholeRequestSize = PatchRequestSize};
    table.Blocks.push_back({0, 0, Common->Message});
    for (int t = 1; t <= ToneCount; ++t) table.Blocks.push_back({ToneOffset(t), 0, Tone(t).Message});
    return table;
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
