#include "model/Settings.h"

#include <exception>

#include "model/ModelServices.h"
#include "platform/rtl/IniFiles.h"

namespace zel {

TZelmo* ZelmoHolder = nullptr;

namespace {

// The read default when the stored value lies outside lo..hi.
int ReadInRange(const TIniFile& ini, const char* section, const char* key, int def, int lo, int hi) {
    const int value = ini.ReadInteger(section, key, def);
    return value >= lo && value <= hi ? value : def;
}

}  // namespace

void TConfig::Load() {
    try {
        TIniFile ini(SettingsFileName);
        DeviceID = ReadInRange(ini, "Midi", "DeviceID", DefaultDeviceID, MinDeviceID, MaxDeviceID);
        Thrue = ini.ReadInteger("Midi", "Thrue", 0);
        InPort = ini.ReadInteger("MidiPort", "In", 0);
        OutPort = ini.ReadInteger("MidiPort", "Out", 0);
        InPortName = ini.ReadString("MidiPort", "InName", "");
        OutPortName = ini.ReadString("MidiPort", "OutName", "");
        ExpA = ReadInRange(ini, "Expansion", "ExpA", 0, 0, MaxExpansionCode);
        ExpB = ReadInRange(ini, "Expansion", "ExpB", 0, 0, MaxExpansionCode);
        ExpC = ReadInRange(ini, "Expansion", "ExpC", 0, 0, MaxExpansionCode);
        ExpD = ReadInRange(ini, "Expansion", "ExpD", 0, 0, MaxExpansionCode);
        PCMCard = ReadInRange(ini, "Expansion", "PCMCard", 0, 0, MaxPCMCardCode);
        Installed = ini.ReadInteger("Data Card", "Installed", 0) == 1 ? 1 : 0;
        SingleNote = ini.ReadInteger("Preview", "Single Note", 1) == 1 ? 1 : 0;
        Note = ReadInRange(ini, "Preview", "Note", 40, 0, MaxNoteValue);
        // Velocity 0 would sound nothing: a note-on of velocity 0 is a note-off.
        Velocity = ReadInRange(ini, "Preview", "Velocity", 70, 1, MaxNoteValue);
        Midifile = ini.ReadString("Preview", "Midifile", "Noname.Mid");
    } catch (const std::exception&) {
        // A settings file that cannot be read keeps what was read so far.
    }
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (ports != nullptr && (DevicesOpen != 0 || ports->PortsAvailable())) {
        ports->CloseDevs();
        ports->OpenDevs();
    }
}

void TConfig::Save() {
    try {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Midi", "DeviceID", DeviceID);
        ini.WriteInteger("Midi", "Thrue", Thrue);
        ini.WriteInteger("MidiPort", "In", InPort);
        ini.WriteInteger("MidiPort", "Out", OutPort);
        ini.WriteString("MidiPort", "InName", InPortName);
        ini.WriteString("MidiPort", "OutName", OutPortName);
        ini.WriteInteger("Expansion", "ExpA", ExpA);
        ini.WriteInteger("Expansion", "ExpB", ExpB);
        ini.WriteInteger("Expansion", "ExpC", ExpC);
        ini.WriteInteger("Expansion", "ExpD", ExpD);
        ini.WriteInteger("Expansion", "PCMCard", PCMCard);
        ini.WriteInteger("Data Card", "Installed", Installed == 1 ? 1 : 0);
        ini.WriteInteger("Preview", "Single Note", SingleNote == 1 ? 1 : 0);
        ini.WriteInteger("Preview", "Note", Note & 0xFF);
        ini.WriteInteger("Preview", "Velocity", Velocity & 0xFF);
        ini.WriteString("Preview", "Midifile", Midifile);
    } catch (const std::exception&) {
        // A file that cannot be written keeps its old content; nothing is shown.
    }
}

int TConfig::ExpansionSlotOf(int boardCode) const {
    if (ExpA == boardCode) return 0;
    if (ExpB == boardCode) return 1;
    if (ExpC == boardCode) return 2;
    if (ExpD == boardCode) return 3;
    return -2;
}

}  // namespace zel
