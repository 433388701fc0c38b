#include "model/Performance.h"

#include <cstring>

#include "model/CurrentElements.h"
#include "model/ModelServices.h"
#include "model/SysexFraming.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

TPerformance::TPerformance(TLibElem* AOwner) : TLibElem(AOwner), Common(std::make_unique<TPerformanceCommon>()) {
    ElemType = etPerformance;
    for (int p = 1; p <= PartCount; ++p) Parts[static_cast<std::size_t>(p - 1)] = std::make_unique<TPerformancePart>(p);
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

std::uint32_t TPerformance::BaseFor(bool ToTemporary) const {
    return ToTemporary ? TempPerformanceBase : LocationAddress();
}

void TPerformance::Transmit(bool ToTemporary) {
    if (DevicesOpen == 0) return;
    TransferAddress = BaseFor(ToTemporary);
    if (ToTemporary || Temporary != 0) {
        CurrentPerformance = this;
        PreviewChannel = 1;
    }
    const TQueuedSends queued;
    SendDataSet(TransferAddress, 0, 0, Common->DataSpan());
    for (int p = 1; p <= PartCount; ++p) SendDataSet(TransferAddress, PartOffset(p), 0, Part(p).DataSpan());
}

void TPerformance::SendPartsToTemp() {
    if (DevicesOpen == 0) return;
    const TQueuedSends queued;
    for (int p = 1; p <= PartCount; ++p) Part(p).SendToTemp();
}

void TPerformance::ClosePartEditor() { CloseEditorSlots(std::span<TEditorSlot>(&PartEditor, 1)); }

TReceiveTable TPerformance::ReceiveTable(bool FromTemporary) {
    TReceiveTable table{
        .Blocks = {}, .Base = BaseFor(FromTemporary), .Title = "Now Receiving Performance", .Label = "Performance"};
    table.Blocks.push_back({0, PerformanceCommonRequestSize, Common->Message});
    for (int p = 1; p <= PartCount; ++p)
        table.Blocks.push_back({PartOffset(p), PerformancePartRequestSize, Part(p).Message});
    return table;
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
