#pragma once
// The instrument's system settings: the system common and seventeen scale tunes. The system has one
// address area only (00 00 00 00), whatever the element's location; its name is the element's own
// name field, since the data carries none. Transfers go block by block, as the performance's do.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "model/LibElem.h"
#include "model/ParamBlocks.h"
#include "model/SyxFiles.h"

namespace zel {

inline constexpr int ScaleTuneCount = 17;
// The system's .Syx body: common (51) and seventeen scale tunes (23 each).
inline constexpr std::int32_t SystemSyxSize = 442;
// The size bytes of the data requests for the common and for one scale tune.
inline constexpr std::uint32_t SystemCommonRequestSize = 0x00000033;
inline constexpr std::uint32_t ScaleTuneRequestSize = 0x00000017;

class TSystem : public TLibElem {
public:
    // The system's editors. A library record keeps their positions in this order.
    enum { seSetup, seMidi, seScaleTune, sePreview, SystemEditorCount };

    // Type code 6, named "Untitled", a fresh common and scale tunes 1..17.
    explicit TSystem(TLibElem* AOwner);
    // Closes the system window and the editors.
    ~TSystem() override;
    std::string ClassName() const override { return "TSystem"; }

    // The base copy, then the common and scale-tune messages.
    void Assign(TLibElem* Source) override;
    // Refreshes the system window, then the setup, MIDI, preview and scale-tune editors, when open.
    void UpdateViews() override;
    // Common at 00 00 00 00, scale tune i at 00 00 (0F+i) 00, wherever the element lives.
    void BuildSysEx() override;
    void WriteSyx(TStream& F) override;
    // Reads the body of the format in use; a damaged body raises and leaves the system as it was.
    void ReadSyx(TStream& F) override;
    // The element header, the four editors' positions, then the body; positions are taken only with a
    // whole body.
    void WriteLibRecord(TStream& F) override;
    void ReadLibRecord(TStream& F) override;
    // Sends the eighteen messages (the system is always the current one afterwards). The argument is
    // not used: the system has one area. Nothing while the ports are not usable.
    void Transmit(bool ToTemporary) override;
    // The common, then scale tunes 1..17, each asked for on its own, at the system's one area
    // ("Now Receiving System").
    TReceiveTable ReceiveTable(bool FromTemporary) override;
    void InitDefault() override;
    void StoreWindowPositions() override;

    // Sends the whole system (revert and paste of the system editors).
    void TransmitToTemp() { Transmit(true); }
    // Closes the setup, MIDI, preview and scale-tune editors, in that order.
    void CloseEditors();

    TPartScaleTune& ScaleTune(int Index) { return *ScaleTunes[static_cast<std::size_t>(Index - 1)]; }
    const TPartScaleTune& ScaleTune(int Index) const { return *ScaleTunes[static_cast<std::size_t>(Index - 1)]; }

    std::unique_ptr<TSystemCommon> Common;
    std::array<std::unique_ptr<TPartScaleTune>, ScaleTuneCount> ScaleTunes;  // 1..17
    // TFormSysSetup, TFormSysMidi, TFormScaleTune and TFormSysPreview.
    std::array<TEditorSlot, SystemEditorCount> Editors{};

private:
    std::array<TSyxMessage, 1 + ScaleTuneCount> SyxMessages();
};

}  // namespace zel
