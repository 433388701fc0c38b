#pragma once
// A rhythm set: one common block (the name) and sixty-four notes, one per key 35..98. Unlike the patch
// and the performance it is sent one message per tick of the progress window's timer, and a receive
// ends through that timer about a second after the last answer.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "model/LibElem.h"
#include "model/ParamBlocks.h"
#include "model/SyxFiles.h"

namespace zel {

inline constexpr int FirstRhythmKey = 35;
inline constexpr int LastRhythmKey = 98;
inline constexpr int RhythmNoteCount = LastRhythmKey - FirstRhythmKey + 1;  // 64
// The rhythm set's .Syx body: common (23) and sixty-four notes (69 each); it has no XP form.
inline constexpr std::int32_t RhythmSyxSize = 4439;
// The size bytes of the data requests for the common and for one note.
inline constexpr std::uint32_t RhythmCommonRequestSize = 0x0000000C;
inline constexpr std::uint32_t RhythmNoteRequestSize = 0x0000003A;
// The tick of a rhythm-set transmit, and the wait between the last message and the closing of the
// progress window.
inline constexpr std::uint32_t RhythmTransmitTickMs = 50;
inline constexpr std::uint32_t RhythmClosingDelayMs = 1000;

class TRhythm : public TLibElem {
public:
    // The rhythm set's key editors. A library record keeps their positions in the order main, pitch,
    // TVA, TVF.
    enum { reTVA, reTVF, rePitch, reMain, RhythmEditorCount };

    // Type code 4, a fresh common and notes for keys 35..98.
    explicit TRhythm(TLibElem* AOwner);
    // Closes the rhythm-set window and the key editors.
    ~TRhythm() override;
    std::string ClassName() const override { return "TRhythm"; }

    // The base copy, then the common and note messages.
    void Assign(TLibElem* Source) override;
    // Data bytes 0..11 of the common, trailing blanks removed.
    std::string GetName() const override;
    // Pads the name with blanks to 12 characters; with Send it goes to the temporary rhythm set as one
    // data set, without it it is only stored.
    void SetName(const std::string& AName, bool Send) override;
    // Refreshes the rhythm-set window, then the main, pitch, TVA and TVF editors, when open.
    void UpdateViews() override;
    // Headers, addresses and checksums for the set's location: common at the base, key k at + 00 k 00.
    void BuildSysEx() override;
    void WriteSyx(TStream& F) override;
    // Reads the 4439-byte body; a damaged body raises and leaves the set as it was.
    void ReadSyx(TStream& F) override;
    // The element header, the editors' positions, then the body. Reading refuses a slot number outside
    // 1..2 (EReadError) and takes the positions only with a whole body.
    void WriteLibRecord(TStream& F) override;
    void ReadLibRecord(TStream& F) override;
    // Starts sending the 65 messages through the progress window, one per tick; to the temporary area
    // the set becomes the current one and previews sound on channel 10. Nothing while the ports are
    // not usable.
    void Transmit(bool ToTemporary) override;
    // The common, then the notes of keys 35..98, each asked for on its own ("Now Receiving Rhythm");
    // the progress window closes a second after the last block.
    TReceiveTable ReceiveTable(bool FromTemporary) override;
    void InitDefault() override;
    void StoreWindowPositions() override;
    // One message of a transmit: the common, then the notes of keys 35..98.
    void TransmitStep() override;

    // Sends the whole set to the temporary area (revert and paste of the rhythm editors).
    void TransmitToTemp() { Transmit(true); }
    // Closes the main, pitch, TVA and TVF editors, in that order.
    void CloseEditors();

    // The base address of the set's own location.
    std::uint32_t LocationAddress() const;

    TRhythmNote& Note(int Key) { return *Notes[static_cast<std::size_t>(Key - FirstRhythmKey)]; }
    const TRhythmNote& Note(int Key) const { return *Notes[static_cast<std::size_t>(Key - FirstRhythmKey)]; }

    std::uint32_t TransferBase = 0;  // base address of the running transmit
    std::unique_ptr<TRhythmCommon> Common;
    std::array<std::unique_ptr<TRhythmNote>, RhythmNoteCount> Notes;  // keys 35..98
    // TFormrhyTva, TFormRhyTVF, TFormRhyPitch and TFormRhyMain.
    std::array<TEditorSlot, RhythmEditorCount> Editors{};

private:
    std::array<TSyxMessage, 1 + RhythmNoteCount> SyxMessages();
    std::uint32_t BaseFor(bool ToTemporary) const;
};

}  // namespace zel
