// The settings object and its file "Zelmo95.ini" in the per-user configuration folder.
#include <gtest/gtest.h>

#include "model/Settings.h"
#include "platform/rtl/IniFiles.h"
#include "support/TempDir.h"
#include "support/model/ModelFakes.h"

namespace zel::test {
namespace {

// A model with its settings file in a fresh configuration folder.
struct SettingsFixture : ::testing::Test {
    TempDir Dir;
    TEnvScope Xdg{"XDG_CONFIG_HOME", Dir.Path().string()};
    TModelTestScope Model;
    std::string IniPath() const { return Dir.File("Zelmo95.ini"); }
    void WriteIni(const std::string& text) { WriteAll(IniPath(), text); }
};

TEST(Config, ConstructorValues) {
    TZelmo holder;
    const TConfig& c = *holder.Config;
    EXPECT_EQ(c.DeviceID, 17);
    EXPECT_EQ(c.Thrue, 0);
    EXPECT_EQ(c.InPort, 0);
    EXPECT_EQ(c.OutPort, 0);
    EXPECT_EQ(c.InPortName, "");  // as in a file written before the names were kept
    EXPECT_EQ(c.OutPortName, "");
    EXPECT_EQ(c.ExpA + c.ExpB + c.ExpC + c.ExpD + c.PCMCard, 0);
    EXPECT_EQ(c.Installed, 0);
    EXPECT_EQ(c.SingleNote, 0);
    EXPECT_EQ(c.Note, 0);
    EXPECT_EQ(c.Velocity, 0);
    EXPECT_EQ(c.Midifile, "");
    EXPECT_EQ(holder.KeyboardOpen, 0);
    EXPECT_EQ(holder.MonitorOpen, 0);
}

TEST_F(SettingsFixture, MissingFileGivesTheReadDefaults) {
    TConfig c;
    c.Thrue = 1;
    c.ExpB = 3;
    c.Installed = 1;
    c.InPortName = "Keyboard";
    c.DeviceID = 20;
    c.Load();
    EXPECT_EQ(c.DeviceID, 17);  // the instrument's factory device, as the port dialog shows it
    EXPECT_EQ(c.Thrue, 0);
    EXPECT_EQ(c.InPort, 0);
    EXPECT_EQ(c.OutPort, 0);
    EXPECT_EQ(c.ExpA + c.ExpB + c.ExpC + c.ExpD + c.PCMCard, 0);
    EXPECT_EQ(c.Installed, 0);
    EXPECT_EQ(c.SingleNote, 1);
    EXPECT_EQ(c.Note, 40);
    EXPECT_EQ(c.Velocity, 70);
    EXPECT_EQ(c.Midifile, "Noname.Mid");
    EXPECT_FALSE(FileExists(IniPath()));  // reading creates nothing
}

TEST_F(SettingsFixture, SaveWritesEveryKeyInOrderAndLoadReadsThemBack) {
    TConfig c;
    c.DeviceID = 20;
    c.Thrue = 1;
    c.InPort = 2;
    c.OutPort = 3;
    c.InPortName = "Zelmovi-01:MIDI Out";
    c.OutPortName = "JV-1080 MIDI 1";
    c.ExpA = 1;
    c.ExpB = 17;
    c.ExpC = 0;
    c.ExpD = 5;
    c.PCMCard = 8;
    c.Installed = 1;
    c.SingleNote = 0;
    c.Note = 60;
    c.Velocity = 70;
    c.Midifile = "/home/me/Songs/Demo Song.mid";
    c.Save();
    EXPECT_EQ(ReadAll(IniPath()),
              "[Midi]\r\nDeviceID=20\r\nThrue=1\r\n\r\n"
              "[MidiPort]\r\nIn=2\r\nOut=3\r\nInName=Zelmovi-01:MIDI Out\r\nOutName=JV-1080 MIDI 1\r\n\r\n"
              "[Expansion]\r\nExpA=1\r\nExpB=17\r\nExpC=0\r\nExpD=5\r\nPCMCard=8\r\n\r\n"
              "[Data Card]\r\nInstalled=1\r\n\r\n"
              "[Preview]\r\nSingle Note=0\r\nNote=60\r\nVelocity=70\r\nMidifile=/home/me/Songs/Demo Song.mid\r\n");

    TConfig back;
    back.Load();
    EXPECT_EQ(back.DeviceID, 20);
    EXPECT_EQ(back.Thrue, 1);
    EXPECT_EQ(back.InPort, 2);
    EXPECT_EQ(back.OutPort, 3);
    EXPECT_EQ(back.InPortName, "Zelmovi-01:MIDI Out");
    EXPECT_EQ(back.OutPortName, "JV-1080 MIDI 1");
    EXPECT_EQ(back.ExpB, 17);
    EXPECT_EQ(back.ExpD, 5);
    EXPECT_EQ(back.PCMCard, 8);
    EXPECT_EQ(back.Installed, 1);
    EXPECT_EQ(back.SingleNote, 0);
    EXPECT_EQ(back.Note, 60);
    EXPECT_EQ(back.Velocity, 70);
    EXPECT_EQ(back.Midifile, "/home/me/Songs/Demo Song.mid");
}

TEST_F(SettingsFixture, SaveWritesTheLowByteOfNoteAndVelocity) {
    TConfig c;
    c.Note = 300;     // 12CH
    c.Velocity = -1;  // FFH
    c.Save();
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("Preview", "Note", ""), "44");
    EXPECT_EQ(ini.ReadString("Preview", "Velocity", ""), "255");
}

TEST_F(SettingsFixture, SaveKeepsTheOtherSectionsOfTheFile) {
    WriteIni("[Desktop]\r\nLib0=/data/My.Lib\r\n");
    TConfig c;
    c.Save();
    TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("Desktop", "Lib0", ""), "/data/My.Lib");
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", 0), 17);
}

TEST_F(SettingsFixture, OnlyOneCountsAsYesForTheFlags) {
    WriteIni("[Data Card]\nInstalled=2\n[Preview]\nSingle Note=2\n");
    TConfig c;
    c.Load();
    EXPECT_EQ(c.Installed, 0);
    EXPECT_EQ(c.SingleNote, 0);
}

struct DamagedCase {
    const char* Name;
    const char* Section;
    const char* Key;
    const char* Stored;
    int TConfig::*Field;
    int Expected;
};

class DamagedSettings : public SettingsFixture, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedSettings, OutOfRangeValuesFallBackToTheirDefaults) {
    const DamagedCase& c = GetParam();
    WriteIni(std::string("[") + c.Section + "]\n" + c.Key + "=" + c.Stored + "\n");
    TConfig config;
    config.Load();
    EXPECT_EQ(config.*(c.Field), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DamagedSettings,
    ::testing::Values(DamagedCase{"DeviceIdZero", "Midi", "DeviceID", "0", &TConfig::DeviceID, 17},
                      DamagedCase{"DeviceIdAbove32", "Midi", "DeviceID", "33", &TConfig::DeviceID, 17},
                      DamagedCase{"DeviceIdNotANumber", "Midi", "DeviceID", "abc", &TConfig::DeviceID, 17},
                      DamagedCase{"DeviceIdBelowTheInstruments", "Midi", "DeviceID", "16", &TConfig::DeviceID, 17},
                      DamagedCase{"DeviceIdOne", "Midi", "DeviceID", "1", &TConfig::DeviceID, 17},
                      DamagedCase{"DeviceIdLowest", "Midi", "DeviceID", "17", &TConfig::DeviceID, 17},
                      DamagedCase{"DeviceIdHighest", "Midi", "DeviceID", "32", &TConfig::DeviceID, 32},
                      DamagedCase{"NoteAbove127", "Preview", "Note", "128", &TConfig::Note, 40},
                      DamagedCase{"NoteNegative", "Preview", "Note", "-1", &TConfig::Note, 40},
                      DamagedCase{"NoteHighest", "Preview", "Note", "127", &TConfig::Note, 127},
                      DamagedCase{"VelocityAbove127", "Preview", "Velocity", "200", &TConfig::Velocity, 70},
                      DamagedCase{"VelocityZero", "Preview", "Velocity", "0", &TConfig::Velocity, 70},
                      DamagedCase{"VelocityLowest", "Preview", "Velocity", "1", &TConfig::Velocity, 1},
                      DamagedCase{"ExpansionAbove17", "Expansion", "ExpC", "18", &TConfig::ExpC, 0},
                      DamagedCase{"ExpansionNegative", "Expansion", "ExpA", "-3", &TConfig::ExpA, 0},
                      DamagedCase{"ExpansionHighest", "Expansion", "ExpD", "17", &TConfig::ExpD, 17},
                      DamagedCase{"PcmCardAbove8", "Expansion", "PCMCard", "9", &TConfig::PCMCard, 0},
                      DamagedCase{"PcmCardHighest", "Expansion", "PCMCard", "8", &TConfig::PCMCard, 8}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.Name); });

TEST_F(SettingsFixture, LoadReopensOpenPortsSoThatTheReadPortsTakeEffect) {
    TConfig c;
    DevicesOpen = 1;
    c.Load();
    EXPECT_EQ(Model.Ports.Calls, (std::vector<std::string>{"CloseDevs", "OpenDevs"}));

    Model.Ports.Calls.clear();
    DevicesOpen = 0;
    c.Load();
    EXPECT_TRUE(Model.Ports.Calls.empty());
}

TEST(Config, ExpansionSlotOfFindsTheFirstSlotHoldingTheBoard) {
    TConfig c;
    c.ExpA = 2;
    c.ExpB = 7;
    c.ExpC = 3;
    c.ExpD = 7;
    EXPECT_EQ(c.ExpansionSlotOf(2), 0);
    EXPECT_EQ(c.ExpansionSlotOf(7), 1);
    EXPECT_EQ(c.ExpansionSlotOf(3), 2);
    EXPECT_EQ(c.ExpansionSlotOf(9), -2);
}

}  // namespace
}  // namespace zel::test
