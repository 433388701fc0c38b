#pragma once
// The program's settings (MIDI, expansion boards, data card, preview) and the global holder that owns
// them. They live in the settings file "Zelmo95.ini", opened by its bare name: the runtime's INI file
// places it in the per-user configuration folder.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/System.h"

namespace zel {

inline constexpr const char* SettingsFileName = "Zelmo95.ini";

// Valid ranges of the stored settings; a value outside them read from the file gives the key's default.
// The instrument's device IDs run 17..32, as the port dialog offers them: a stored 1..16 would put a
// device byte on every message that no instrument answers, while the dialog showed another.
inline constexpr int MinDeviceID = 17;
inline constexpr int MaxDeviceID = 32;
inline constexpr int MaxExpansionCode = 17;
inline constexpr int MaxPCMCardCode = 8;
inline constexpr int MaxNoteValue = 127;
// The device ID of a new installation: the instrument's factory setting.
inline constexpr int DefaultDeviceID = 17;

class TConfig : public TObject {
public:
    TConfig() = default;
    std::string ClassName() const override { return "TConfig"; }

    // Reads every key (missing keys and out-of-range values give the key's default); failures are
    // ignored. When the MIDI ports are open they are closed and opened again so that the ports read take
    // effect.
    void Load();
    // Writes every key; failures are ignored (the old file stays).
    void Save();
    // The slot (0..3 for A..D, the first match) that holds the expansion board, else -2.
    int ExpansionSlotOf(int boardCode) const;

    std::int32_t Thrue = 0;                   // MIDI thru: 1 = incoming short messages are echoed to the output
    std::int32_t DeviceID = DefaultDeviceID;  // the instrument's device ID as the user counts it (1..32)
    std::int32_t InPort = 0;                  // index of the MIDI input port in the port dialog's list
    std::int32_t OutPort = 0;                 // index of the MIDI output port
    // The names of the chosen ports; when set, they pick the port over the index (a port list changes
    // as devices and programs come and go). Empty in settings written before names were kept.
    std::string InPortName;
    std::string OutPortName;
    std::int32_t ExpA = 0;  // expansion board codes (0..17) of slots A..D
    std::int32_t ExpB = 0;
    std::int32_t ExpC = 0;
    std::int32_t ExpD = 0;
    std::int32_t PCMCard = 0;     // PCM card code (0..8)
    std::uint8_t Installed = 0;   // 1: a data card is installed
    std::uint8_t SingleNote = 0;  // preview plays a single note (1) or a MIDI file (0)
    std::int32_t Note = 0;        // preview note number
    std::int32_t Velocity = 0;    // preview velocity
    std::string Midifile;         // the standard MIDI file played by the preview
};

// The one global holder: the settings and whether the keyboard and the monitor windows exist.
class TZelmo : public TObject {
public:
    TZelmo() : Config(std::make_unique<TConfig>()) {}
    std::string ClassName() const override { return "TZelmo"; }

    std::unique_ptr<TConfig> Config;
    std::uint8_t KeyboardOpen = 0;
    std::uint8_t MonitorOpen = 0;
};

// The program's holder, created and owned by the main window; none before it exists.
extern TZelmo* ZelmoHolder;

}  // namespace zel
