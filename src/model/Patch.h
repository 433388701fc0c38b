#pragma once
// A patch: one common block and four tones, held as the five data-set messages that carry them.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/LibElem.h"
#include "model/ParamBlocks.h"
#include "model/SyxFiles.h"

namespace zel {

inline constexpr int ToneCount = 4;
// The patch's .Syx body: common (83) and four tones (140 each).
inline constexpr std::int32_t PatchSyxSize = 643;
// The size bytes of the data request for a whole patch (common through tone 4).
inline constexpr std::uint32_t PatchRequestSize = 0x00001718;

class TPatch : public TLibElem {
public:
    // Type code 0, a fresh common and tones 1..4 with their initial values.
    explicit TPatch(TLibElem* AOwner);
    // Closes the patch window, then the editors of the blocks.
    ~TPatch() override;
    std::string ClassName() const override { return "TPatch"; }

    // The base copy, then the common and tone messages (not the window positions).
    void Assign(TLibElem* Source) override;
    // Data bytes 0..11 of the common, trailing blanks removed.
    std::string GetName() const override;
    // Pads the name with blanks to 12 characters; with Send it goes to the temporary patch as one data
    // set, without it it is only stored.
    void SetName(const std::string& AName, bool Send) override;
    // Refreshes the patch window and every open editor.
    void UpdateViews() override;
    // Headers, addresses and checksums for the patch's location.
    void BuildSysEx() override;
    void WriteSyx(TStream& F) override;
    // Reads the body of the format in use; a damaged body (missing bytes, a message out of its place, a
    // data byte of 80H or more) raises and leaves the patch as it was.
    void ReadSyx(TStream& F) override;
    // The element header, the tones' and the common's editor positions, then the body. Reading also
    // refuses a slot number outside 1..128 (EReadError).
    void WriteLibRecord(TStream& F) override;
    void ReadLibRecord(TStream& F) override;
    // Sends the five messages to the patch's location, or to the temporary area (which makes it the
    // current patch). Nothing while the ports are not usable.
    void Transmit(bool ToTemporary) override;
    // One request for the whole patch, answered by the common and tones 1..4 in turn ("Now Receiving
    // Patch"); a damaged reply asks for the whole patch again.
    TReceiveTable ReceiveTable(bool FromTemporary) override;
    void InitDefault() override;
    void StoreWindowPositions() override;

    // The base address of the patch's own location.
    std::uint32_t LocationAddress() const;

    TTone& Tone(int ToneNumber) { return *Tones[static_cast<std::size_t>(ToneNumber - 1)]; }
    const TTone& Tone(int ToneNumber) const { return *Tones[static_cast<std::size_t>(ToneNumber - 1)]; }

    std::unique_ptr<TCommon> Common;
    std::array<std::unique_ptr<TTone>, ToneCount> Tones;  // tones 1..4

private:
    std::array<TSyxMessage, 1 + ToneCount> SyxMessages();
    // The base address of a transfer: the temporary area, or the patch's own location.
    std::uint32_t BaseFor(bool ToTemporary) const;
};

}  // namespace zel
