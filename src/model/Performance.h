#pragma once
// A performance: one common block and sixteen parts, held as the seventeen data-set messages that carry
// them. It follows the patch, except that a receive asks for one block at a time and that the element
// itself holds the one part editor that shows all sixteen parts.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/LibElem.h"
#include "model/ParamBlocks.h"
#include "model/SyxFiles.h"

namespace zel {

inline constexpr int PartCount = 16;
// The performance's .Syx body: common (75) and sixteen parts (30 each).
inline constexpr std::int32_t PerformanceSyxSize = 555;
// The size bytes of the data requests for the common and for one part.
inline constexpr std::uint32_t PerformanceCommonRequestSize = 0x0000004B;
inline constexpr std::uint32_t PerformancePartRequestSize = 0x0000001E;

class TPerformance : public TLibElem {
public:
    // Type code 2, a fresh common and parts 1..16 with their initial values.
    explicit TPerformance(TLibElem* AOwner);
    // Closes the performance window and the part editor, then the blocks close their editors.
    ~TPerformance() override;
    std::string ClassName() const override { return "TPerformance"; }

    // The base copy, then the common and part messages (not the window positions).
    void Assign(TLibElem* Source) override;
    // Data bytes 0..11 of the common, trailing blanks removed.
    std::string GetName() const override;
    // Pads the name with blanks to 12 characters; with Send it goes to the temporary performance as one
    // data set, without it it is only stored.
    void SetName(const std::string& AName, bool Send) override;
    // Refreshes the performance window, the common and effects editors and the part editor, when open.
    void UpdateViews() override;
    // Headers, addresses and checksums for the performance's location.
    void BuildSysEx() override;
    void WriteSyx(TStream& F) override;
    // Reads the body of the format in use; a damaged body (missing bytes, a message out of its place, a
    // data byte of 80H or more) raises and leaves the performance as it was.
    void ReadSyx(TStream& F) override;
    // The element header, the part editor's and the common's editor positions, then the body. Reading
    // refuses a slot number outside 1..32 (EReadError) and takes the positions only with a whole body.
    void WriteLibRecord(TStream& F) override;
    void ReadLibRecord(TStream& F) override;
    // Sends the seventeen messages to the performance's location, or to the temporary area (which makes
    // it the current performance). Nothing while the ports are not usable.
    void Transmit(bool ToTemporary) override;
    // The common, then parts 1..16, each asked for on its own ("Now Receiving Performance").
    TReceiveTable ReceiveTable(bool FromTemporary) override;
    void InitDefault() override;
    void StoreWindowPositions() override;

    // Sends the sixteen parts to the temporary performance, one data set each.
    void SendPartsToTemp();
    // Closes the part editor when it is open.
    void ClosePartEditor();

    // The base address of the performance's own location.
    std::uint32_t LocationAddress() const;

    TPerformancePart& Part(int PartNumber) { return *Parts[static_cast<std::size_t>(PartNumber - 1)]; }
    const TPerformancePart& Part(int PartNumber) const { return *Parts[static_cast<std::size_t>(PartNumber - 1)]; }

    std::unique_ptr<TPerformanceCommon> Common;
    std::array<std::unique_ptr<TPerformancePart>, PartCount> Parts;  // parts 1..16
    // The part editor (TFormPart), one window for all sixteen parts.
    TEditorSlot PartEditor;

private:
    std::array<TSyxMessage, 1 + PartCount> SyxMessages();
    // The base address of a transfer: the temporary area, or the performance's own location.
    std::uint32_t BaseFor(bool ToTemporary) const;
};

}  // namespace zel
