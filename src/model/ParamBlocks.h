#pragma once
// Parameter blocks: each owns one complete data-set message (F0 41 dev 6A 12, address, data, checksum,
// F7) for one area of the instrument. Data byte n is message byte 9 + n. Editing a value changes one
// data byte and sends a one-byte data set to the instrument's temporary (edit) area; files keep the
// messages byte for byte.
//
// The instrument's address map (hex bytes a3 a2 a1 a0, n = 1-based slot):
//
//   patch        temporary 03 00 00 00   user 11 (n-1) 00 00   card 21 (n-1) 00 00
//                common + 00 00, tone t + 10 00 + (t-1) * 02 00
//   performance  temporary 01 00 00 00   user 10 (n-1) 00 00   card 20 (n-1) 00 00
//                common + 00 00, part p + (0F+p) 00
//   system       00 00 00 00 only; common + 00 00, scale tune i + (0F+i) 00
//   rhythm set   temporary 02 09 00 00   user 10 (3F+n) 00 00  card 20 (3F+n) 00 00
//                common + 00 00, key k + k 00
//
// Every byte between F0 and F7 is seven bits wide: the setters refuse a value of 80H or more.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/SysexFraming.h"
#include "platform/rtl/System.h"

namespace zel {

// Index of the first data byte in a message.
inline constexpr std::size_t DataStart = 9;

// Base addresses of the instrument's areas.
inline constexpr std::uint32_t SystemBase = 0x00000000;
inline constexpr std::uint32_t TempPerformanceBase = 0x01000000;
inline constexpr std::uint32_t TempRhythmBase = 0x02090000;
inline constexpr std::uint32_t TempPatchBase = 0x03000000;

// Slot counts of the user memory and the data card.
inline constexpr int PatchSlots = 128;
inline constexpr int PerformanceSlots = 32;
inline constexpr int RhythmSlots = 2;

// The base address of a patch, performance or rhythm set in user memory (User = 1) or on the card,
// slot 1-based. A slot outside the kind's range raises EInvalidOperation.
std::uint32_t PatchBaseAddress(bool User, int Slot);
std::uint32_t PerformanceBaseAddress(bool User, int Slot);
std::uint32_t RhythmBaseAddress(bool User, int Slot);

// Block offsets inside an element.
constexpr std::uint16_t ToneOffset(int Tone) { return static_cast<std::uint16_t>(0x1000 + (Tone - 1) * 0x0200); }
constexpr std::uint16_t PartOffset(int Part) { return static_cast<std::uint16_t>((0x0F + Part) << 8); }
constexpr std::uint16_t ScaleTuneOffset(int Index) { return static_cast<std::uint16_t>((0x0F + Index) << 8); }
constexpr std::uint16_t RhythmNoteOffset(int Key) { return static_cast<std::uint16_t>(Key << 8); }

// One editor window a block (or an element) keeps for one of its sections.
struct TEditorSlot {
    TObject* EditorForm = nullptr;  // the open editor window
    std::uint8_t EditorOpen = 0;    // 1 while it is open
    std::int16_t Left = -1;         // stored position; -1 when never placed
    std::int16_t Top = -1;
};

// Closes every open editor of the slots, in order: the window's position is kept, the window layer
// closes and releases it, and the slot is cleared. Never throws.
void CloseEditorSlots(std::span<TEditorSlot> Slots);
// Copies the current left and top of every open editor into its stored position.
void StoreEditorPositions(std::span<TEditorSlot> Slots);
// Asks the window layer to refill every open editor of the slots from its block.
void UpdateEditorViews(std::span<const TEditorSlot> Slots);
// Asks the window layer to refill one window from its data (nothing for none).
void UpdateWindowView(TObject* Window);

// Where a block lies in the instrument: its area's base address and its offset inside the area.
struct TBlockPlace {
    std::uint32_t Base = 0;
    std::uint16_t Offset = 0;
};

// Sends Data as one data set to Place + 00 00 while the ports are usable; nothing otherwise.
void SendBlockWhenOpen(TBlockPlace Place, std::span<const std::uint8_t> Data);

// The message buffer of a block with D data bytes, and what every block does with it.
template <std::size_t D>
class TParamBlock : public TObject {
public:
    static constexpr std::size_t DataSize = D;
    static constexpr std::size_t MessageSize = D + SysexOverhead;

    // Data byte Position.
    std::uint8_t GetParam(int Position) const { return Message[DataIndex(Position)]; }
    // The data bytes, and the whole message.
    std::uint8_t* Data() { return Message.data() + DataStart; }
    const std::uint8_t* Data() const { return Message.data() + DataStart; }
    std::span<const std::uint8_t> DataSpan() const { return {Data(), D}; }
    // Writes header, address, checksum and F7 for the given address; the data stays.
    void BuildMessage(std::uint32_t Address) { FillDataSetHeader(Message.data(), MessageSize - 1, Address); }
    // Copies the message of another block of the same kind.
    void AssignMessage(const TParamBlock& Source) { Message = Source.Message; }
    // The address position of a data byte: the instrument counts addresses in seven bits, so data
    // byte 128 lies at + 01 00.
    static std::uint16_t AddressPosition(int DataByte) {
        return static_cast<std::uint16_t>(DataByte >= 128 ? 0x100 + (DataByte - 128) : DataByte);
    }

    std::array<std::uint8_t, MessageSize> Message{};

protected:
    // Zeros the whole message (header, data, checksum and F7).
    void ClearMessage() { Message.fill(0); }
    // The message index of data byte Position; a position outside the block raises EInvalidOperation.
    static std::size_t DataIndex(int Position) {
        if (Position < 0 || static_cast<std::size_t>(Position) >= D) ThrowPositionError(Position, D);
        return DataStart + static_cast<std::size_t>(Position);
    }
    // Checks that a run of Count bytes at Position lies inside the block and is seven bits wide.
    static void CheckRun(int Position, std::span<const std::uint8_t> Bytes) {
        if (Bytes.empty() || Position < 0 || static_cast<std::size_t>(Position) + Bytes.size() > D)
            ThrowPositionError(Position, D);
        for (std::uint8_t b : Bytes) CheckValue(b);
    }
    // A value of 80H or more cannot travel in a System Exclusive message: EInvalidOperation.
    static void CheckValue(std::uint8_t Value) {
        if (Value >= 0x80) ThrowValueError(Value);
    }
    // Stores a run; true when any byte changed.
    bool StoreRun(int Position, std::span<const std::uint8_t> Bytes) {
        bool changed = false;
        std::uint8_t* p = Data() + Position;
        for (std::size_t i = 0; i < Bytes.size(); ++i) {
            changed = changed || p[i] != Bytes[i];
            p[i] = Bytes[i];
        }
        return changed;
    }

    // Whether an edited byte is stored before it is sent, or only once the send has succeeded.
    enum class TStoreOrder { StoreThenSend, SendThenStore };
    // Sets data byte Position to Value and sends it alone to Place + its address position; nothing when
    // the byte is unchanged.
    void SetAndSend(TBlockPlace Place, int Position, std::uint8_t Value, TStoreOrder Order) {
        const std::size_t index = DataIndex(Position);
        CheckValue(Value);
        if (Message[index] == Value) return;
        if (Order == TStoreOrder::StoreThenSend) Message[index] = Value;
        SendDataByte(Place.Base, Place.Offset, AddressPosition(Position), Value);
        Message[index] = Value;
    }
    // Which stored runs are sent: every one, or only one that changed a byte.
    enum class TRunSend { Always, WhenChanged };
    // Stores a run at data byte Position and sends it as one data set to Place + its address position.
    // A run from the first 128 bytes into byte 128 continues at + 01 00 by itself: only its start needs
    // placing.
    void SetAndSendRun(TBlockPlace Place, int Position, std::span<const std::uint8_t> Bytes, TRunSend When) {
        CheckRun(Position, Bytes);
        if (StoreRun(Position, Bytes) || When == TRunSend::Always)
            SendDataSet(Place.Base, Place.Offset, AddressPosition(Position), Bytes);
    }

private:
    [[noreturn]] static void ThrowPositionError(int Position, std::size_t Size);
    [[noreturn]] static void ThrowValueError(std::uint8_t Value);
};

[[noreturn]] void ThrowBlockPositionError(int Position, std::size_t Size);
[[noreturn]] void ThrowBlockValueError(std::uint8_t Value);

template <std::size_t D>
void TParamBlock<D>::ThrowPositionError(int Position, std::size_t Size) {
    ThrowBlockPositionError(Position, Size);
}
template <std::size_t D>
void TParamBlock<D>::ThrowValueError(std::uint8_t Value) {
    ThrowBlockValueError(Value);
}

// ------------------------------------------------------------------------------------------------ patch

// The patch common: 72 data bytes; data bytes 0..11 are the patch name.
class TCommon : public TParamBlock<72> {
public:
    enum { ceCommon, ceEffects, CommonEditorCount };

    TCommon() { Initialise(); }
    ~TCommon() override { CloseEditors(); }
    std::string ClassName() const override { return "TCommon"; }

    // Stores the byte and sends it to 03 00 00 00 + Position; nothing when it is unchanged.
    void SetParam(int Position, std::uint8_t Value);
    // Stores the run and always sends it as one data set.
    void SetParams(int Position, std::span<const std::uint8_t> Bytes);
    // Sends the 72 data bytes to the temporary patch (only while the ports are usable).
    void SendToTemp();
    void CloseEditors() { CloseEditorSlots(Editors); }
    void StoreWindowPositions() { StoreEditorPositions(Editors); }
    // Blank name; data byte 44 = 1, 45 = 4.
    void Initialise();

    // The common editor (TFormCommon) and the effects editor (TFormEffect).
    std::array<TEditorSlot, CommonEditorCount> Editors{};
};

// One tone of a patch: 129 data bytes. Data byte 128 lies at the tone's address + 01 00 (the first 128
// take addresses + 00 00 .. + 00 7F); a position of 0100H names it as well.
class TTone : public TParamBlock<129> {
public:
    enum { teWave, teTVA, teTVF, tePitch, teLFO1, teLFO2, teControl, ToneEditorCount };

    explicit TTone(int AToneNumber = 1) : ToneNumber(static_cast<std::uint8_t>(AToneNumber)) { Initialise(); }
    ~TTone() override { CloseEditors(); }
    std::string ClassName() const override { return "TTone"; }

    // Data byte 128 is also reached as position 0100H.
    std::uint8_t GetParam(int Position) const { return TParamBlock::GetParam(DataPosition(Position)); }
    // Sends the byte to the temporary tone, then stores it; nothing when it is unchanged.
    void SetParam(int Position, std::uint8_t Value);
    // Stores the run and sends it only when a byte changed.
    void SetParams(int Position, std::span<const std::uint8_t> Bytes);
    // Sends the 129 data bytes to the temporary tone.
    void SendToTemp();
    void CloseEditors() { CloseEditorSlots(Editors); }
    void StoreWindowPositions() { StoreEditorPositions(Editors); }
    // Data bytes 12, 13 and 122 = 1.
    void Initialise();

    // The data-byte number of a position (0100H is data byte 128).
    static int DataPosition(int Position) { return Position == 0x100 ? 128 : Position; }

    std::uint8_t ToneNumber = 1;  // 1..4
    // Wave, TVA, TVF, pitch, LFO1, LFO2 and control editors.
    std::array<TEditorSlot, ToneEditorCount> Editors{};
};

// ------------------------------------------------------------------------------------------ performance

// The performance common: 64 data bytes; data bytes 0..11 are the name.
class TPerformanceCommon : public TParamBlock<64> {
public:
    enum { ceCommon, ceEffects, CommonEditorCount };

    TPerformanceCommon() { Initialise(); }
    ~TPerformanceCommon() override { CloseEditors(); }
    std::string ClassName() const override { return "TPerformanceCommon"; }

    // The 12 name characters as they are, blanks included.
    std::string GetName() const;
    void SetParam(int Position, std::uint8_t Value);  // stores, then sends to 01 00 00 00 + Position
    void SetParams(int Position, std::span<const std::uint8_t> Bytes);
    void SendToTemp();
    void CloseEditors() { CloseEditorSlots(Editors); }
    void StoreWindowPositions() { StoreEditorPositions(Editors); }
    // Blank name; data byte 45 = 1, 46 = 4.
    void Initialise();

    // The performance common editor (TFormPerComm) and the effects editor (TFormEffect).
    std::array<TEditorSlot, CommonEditorCount> Editors{};
};

// One of the sixteen parts of a performance: 19 data bytes.
class TPerformancePart : public TParamBlock<19> {
public:
    explicit TPerformancePart(int APartNumber = 1) : PartNumber(static_cast<std::uint8_t>(APartNumber)) {
        Initialise();
    }
    std::string ClassName() const override { return "TPerformancePart"; }

    void SetParam(int Position, std::uint8_t Value);  // sends to 01 00 (0F+p) Position, then stores
    void SetParams(int Position, std::span<const std::uint8_t> Bytes);
    // Sends the 19 data bytes to the part in the temporary performance.
    void SendToTemp();
    void Initialise() { ClearMessage(); }

    std::uint8_t PartNumber = 1;  // 1..16
};

// ------------------------------------------------------------------------------------------------ system

// The system common: 40 data bytes.
class TSystemCommon : public TParamBlock<40> {
public:
    TSystemCommon() { Initialise(); }
    std::string ClassName() const override { return "TSystemCommon"; }

    void SetParam(int Position, std::uint8_t Value);  // stores, then sends to 00 00 00 Position
    void SetParams(int Position, std::span<const std::uint8_t> Bytes);
    void Initialise();
};

// One of the seventeen scale tunes of the system: 12 data bytes.
class TPartScaleTune : public TParamBlock<12> {
public:
    explicit TPartScaleTune(int AIndex = 1) : Index(static_cast<std::uint8_t>(AIndex)) { Initialise(); }
    std::string ClassName() const override { return "TPartScaleTune"; }

    void SetParam(int Position, std::uint8_t Value);  // sends to 00 00 (0F+i) Position, then stores
    // Every note at 64 (no detune).
    void Initialise();

    std::uint8_t Index = 1;  // 1..17
};

// ------------------------------------------------------------------------------------------- rhythm set

// The rhythm-set common: 12 data bytes, the name.
class TRhythmCommon : public TParamBlock<12> {
public:
    TRhythmCommon() { Initialise(); }
    std::string ClassName() const override { return "TRhythmCommon"; }

    void SetParams(int Position, std::span<const std::uint8_t> Bytes);  // to 02 09 00 Position
    void Initialise();
};

// One key (35..98) of a rhythm set: 58 data bytes.
class TRhythmNote : public TParamBlock<58> {
public:
    explicit TRhythmNote(int AKey = 35) : Key(static_cast<std::uint8_t>(AKey)) { Initialise(); }
    std::string ClassName() const override { return "TRhythmNote"; }

    void SetParam(int Position, std::uint8_t Value);  // sends to 02 09 k Position, then stores
    void SetParams(int Position, std::span<const std::uint8_t> Bytes);
    // Data byte 53 = 1.
    void Initialise();

    std::uint8_t Key = 35;  // 35..98
};

// What a received message is to a transfer that waits for the block of MessageSize bytes at
// ExpectedAddress.
enum class TReplyKind {
    Foreign,  // not that block's data set: a short message, another address, not 12H
    // that block's data set, damaged: a length other than MessageSize (a byte lost or one too many, even
    // under a valid checksum), a wrong checksum, a byte of 80H or more, no F7 at the end
    Damaged,
    Good,  // that block, whole and exactly MessageSize bytes long: it may be stored
};
TReplyKind ClassifyReply(const std::uint8_t* Data, std::size_t Length, std::uint32_t ExpectedAddress,
                         std::size_t MessageSize);

// Reads the 12 name characters of a data block, or writes a name padded with blanks (characters beyond
// the twelfth ignored; bytes of 80H or more refused with EInvalidOperation).
std::string NameFromData(const std::uint8_t* Data);
std::array<std::uint8_t, 12> NameToData(const std::string& Name);

}  // namespace zel
