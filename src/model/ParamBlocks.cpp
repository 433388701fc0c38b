#include "model/ParamBlocks.h"

#include <exception>

#include "model/ModelServices.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

std::uint32_t SlotBase(std::uint8_t area, int firstByte, int slot, int slots) {
    if (slot < 1 || slot > slots)
        throw EInvalidOperation("Slot " + std::to_string(slot) + " lies outside 1.." + std::to_string(slots));
    return (std::uint32_t{area} << 24) | (static_cast<std::uint32_t>(firstByte + slot - 1) << 16);
}

}  // namespace

std::uint32_t PatchBaseAddress(bool User, int Slot) { return SlotBase(User ? 0x11 : 0x21, 0, Slot, PatchSlots); }

std::uint32_t PerformanceBaseAddress(bool User, int Slot) {
    return SlotBase(User ? 0x10 : 0x20, 0, Slot, PerformanceSlots);
}

std::uint32_t RhythmBaseAddress(bool User, int Slot) { return SlotBase(User ? 0x10 : 0x20, 0x40, Slot, RhythmSlots); }

void ThrowBlockPositionError(int Position, std::size_t Size) {
    throw EInvalidOperation("Parameter position " + std::to_string(Position) + " lies outside a block of " +
                            std::to_string(Size) + " bytes");
}

void ThrowBlockValueError(std::uint8_t Value) {
    throw EInvalidOperation("Parameter value " + std::to_string(Value) + " is not below 128");
}

void SendBlockWhenOpen(TBlockPlace Place, std::span<const std::uint8_t> Data) {
    if (DevicesOpen == 0) return;
    SendDataSet(Place.Base, Place.Offset, 0, Data);
}

// ----------------------------------------------------------------------------------------- editor slots

void CloseEditorSlots(std::span<TEditorSlot> Slots) {
    for (TEditorSlot& slot : Slots) {
        if (slot.EditorOpen == 0) continue;
        IModelWindows* windows = ModelServices().Windows;
        TObject* form = slot.EditorForm;
        try {
            int left = 0;
            int top = 0;
            if (windows != nullptr && form != nullptr && windows->GetWindowPosition(form, left, top)) {
                slot.Left = static_cast<std::int16_t>(left);
                slot.Top = static_cast<std::int16_t>(top);
            }
            if (windows != nullptr && form != nullptr) windows->ReleaseElementWindow(form);
        } catch (const std::exception&) {
            // Closing runs from destructors: the window layer reports its own failures.
        }
        slot.EditorOpen = 0;
        slot.EditorForm = nullptr;
    }
}

void StoreEditorPositions(std::span<TEditorSlot> Slots) {
    IModelWindows* windows = ModelServices().Windows;
    if (windows == nullptr) return;
    for (TEditorSlot& slot : Slots) {
        if (slot.EditorOpen == 0 || slot.EditorForm == nullptr) continue;
        int left = 0;
        int top = 0;
        if (!windows->GetWindowPosition(slot.EditorForm, left, top)) continue;
        slot.Left = static_cast<std::int16_t>(left);
        slot.Top = static_cast<std::int16_t>(top);
    }
}

void UpdateEditorViews(std::span<const TEditorSlot> Slots) {
    for (const TEditorSlot& slot : Slots)
        if (slot.EditorOpen != 0) UpdateWindowView(slot.EditorForm);
}

void UpdateWindowView(TObject* Window) {
    if (Window == nullptr) return;
    if (IModelWindows* windows = ModelServices().Windows) windows->UpdateWindowView(Window);
}

// ---------------------------------------------------------------------------------------------- replies

TReplyKind ClassifyReply(const std::uint8_t* Data, std::size_t Length, std::uint32_t ExpectedAddress,
                         std::size_t MessageSize) {
    // The header and the address tell whose reply it is: nine bytes at least.
    if (Data == nullptr || Length < DataStart) return TReplyKind::Foreign;
    if (Data[0] != 0xF0 || Data[1] != RolandManufacturer || Data[3] != RolandModel || Data[4] != CommandDataSet)
        return TReplyKind::Foreign;
    const std::uint32_t address = (std::uint32_t{Data[5]} << 24) | (std::uint32_t{Data[6]} << 16) |
                                  (std::uint32_t{Data[7]} << 8) | std::uint32_t{Data[8]};
    if (address != ExpectedAddress) return TReplyKind::Foreign;
    // A byte lost or repeated on the way shifts every byte after it, and a repeated 00 leaves the checksum
    // valid: only the exact length is the block.
    if (Length != MessageSize || Length < MinDataSetSize) return TReplyKind::Damaged;
    if (Data[Length - 1] != 0xF7) return TReplyKind::Damaged;
    for (std::size_t i = 1; i + 1 < Length; ++i)
        if (Data[i] >= 0x80) return TReplyKind::Damaged;
    return CheckReceivedChecksum(Data, Length) ? TReplyKind::Good : TReplyKind::Damaged;
}

// ------------------------------------------------------------------------------------------------ names

std::string NameFromData(const std::uint8_t* Data) { return std::string(reinterpret_cast<const char*>(Data), 12); }

std::array<std::uint8_t, 12> NameToData(const std::string& Name) {
    std::array<std::uint8_t, 12> bytes;
    bytes.fill(0x20);
    for (std::size_t i = 0; i < bytes.size() && i < Name.size(); ++i) {
        const auto c = static_cast<std::uint8_t>(Name[i]);
        if (c >= 0x80) throw EInvalidOperation("The instrument's names hold only characters below 128");
        bytes[i] = c;
    }
    return bytes;
}

// ----------------------------------------------------------------------------------------------- TCommon

void TCommon::Initialise() {
    ClearMessage();
    for (int i = 0; i < 12; ++i) Data()[i] = 0x20;
    Data()[44] = 1;
    Data()[45] = 4;
}

void TCommon::SetParam(int Position, std::uint8_t Value) {
    SetAndSend({TempPatchBase, 0}, Position, Value, TStoreOrder::StoreThenSend);
}

void TCommon::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    SetAndSendRun({TempPatchBase, 0}, Position, Bytes, TRunSend::Always);
}

void TCommon::SendToTemp() { SendBlockWhenOpen({TempPatchBase, 0}, DataSpan()); }

// ------------------------------------------------------------------------------------------------- TTone

void TTone::Initialise() {
    ClearMessage();
    Data()[12] = 1;
    Data()[13] = 1;
    Data()[122] = 1;
}

void TTone::SetParam(int Position, std::uint8_t Value) {
    SetAndSend({TempPatchBase, ToneOffset(ToneNumber)}, DataPosition(Position), Value, TStoreOrder::SendThenStore);
}

void TTone::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    SetAndSendRun({TempPatchBase, ToneOffset(ToneNumber)}, DataPosition(Position), Bytes, TRunSend::WhenChanged);
}

void TTone::SendToTemp() { SendBlockWhenOpen({TempPatchBase, ToneOffset(ToneNumber)}, DataSpan()); }

// ------------------------------------------------------------------------------------ TPerformanceCommon

void TPerformanceCommon::Initialise() {
    ClearMessage();
    for (int i = 0; i < 12; ++i) Data()[i] = 0x20;
    Data()[45] = 1;
    Data()[46] = 4;
}

std::string TPerformanceCommon::GetName() const { return NameFromData(Data()); }

void TPerformanceCommon::SetParam(int Position, std::uint8_t Value) {
    SetAndSend({TempPerformanceBase, 0}, Position, Value, TStoreOrder::StoreThenSend);
}

void TPerformanceCommon::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    SetAndSendRun({TempPerformanceBase, 0}, Position, Bytes, TRunSend::Always);
}

void TPerformanceCommon::SendToTemp() { SendBlockWhenOpen({TempPerformanceBase, 0}, DataSpan()); }

// -------------------------------------------------------------------------------------- TPerformancePart

void TPerformancePart::SetParam(int Position, std::uint8_t Value) {
    SetAndSend({TempPerformanceBase, PartOffset(PartNumber)}, Position, Value, TStoreOrder::SendThenStore);
}

void TPerformancePart::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    SetAndSendRun({TempPerformanceBase, PartOffset(PartNumber)}, Position, Bytes, TRunSend::Always);
}

void TPerformancePart::SendToTemp() { SendBlockWhenOpen({TempPerformanceBase, PartOffset(PartNumber)}, DataSpan()); }

// ----------------------------------------------------------------------------------------- TSystemCommon

void TSystemCommon::Initialise() {
    ClearMessage();
    std::uint8_t* d = Data();
    d[0] = 1;
    d[6] = 63;
    d[8] = 1;
    d[9] = 1;
    d[10] = 1;
    d[12] = 1;
    d[17] = 2;
    d[18] = 97;
    d[19] = 11;
    for (int i = 20; i <= 27; ++i) d[i] = 1;
    d[28] = 16;
    d[30] = 1;
    d[32] = 60;
    d[33] = 127;
    d[34] = 64;
    d[35] = 127;
    d[36] = 67;
    d[37] = 127;
    d[38] = 61;
    d[39] = 127;
}

void TSystemCommon::SetParam(int Position, std::uint8_t Value) {
    SetAndSend({SystemBase, 0}, Position, Value, TStoreOrder::StoreThenSend);
}

void TSystemCommon::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    SetAndSendRun({SystemBase, 0}, Position, Bytes, TRunSend::Always);
}

// ---------------------------------------------------------------------------------------- TPartScaleTune

void TPartScaleTune::Initialise() {
    ClearMessage();
    for (int i = 0; i < 12; ++i) Data()[i] = 64;
}

void TPartScaleTune::SetParam(int Position, std::uint8_t Value) {
    SetAndSend({SystemBase, ScaleTuneOffset(Index)}, Position, Value, TStoreOrder::SendThenStore);
}

// ----------------------------------------------------------------------------------------- TRhythmCommon

void TRhythmCommon::Initialise() {
    ClearMessage();
    for (int i = 0; i < 12; ++i) Data()[i] = 0x20;
}

void TRhythmCommon::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    SetAndSendRun({TempRhythmBase, 0}, Position, Bytes, TRunSend::Always);
}

// ------------------------------------------------------------------------------------------- TRhythmNote

void TRhythmNote::Initialise() {
    ClearMessage();
    Data()[53] = 1;
}

void TRhythmNote::SetParam(int Position, std::uint8_t Value) {
    SetAndSend({TempRhythmBase, RhythmNoteOffset(Key)}, Position, Value, TStoreOrder::SendThenStore);
}

void TRhythmNote::SetParams(int Position, std::span<const std::uint8_t> Bytes) {
    SetAndSendRun({TempRhythmBase, RhythmNoteOffset(Key)}, Position, Bytes, TRunSend::Always);
}

}  // namespace zel
