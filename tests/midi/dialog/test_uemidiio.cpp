// The MIDI port dialog over the in-process MIDI back end (the instrument simulator on "JV-1080" and a
// second port "Keyboard"): listing, opening, the failures at start-up, Ok and Cancel, the default input
// handler, and a screenshot.
#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/IniFiles.h"

#include "InOutDialogFixture.h"

namespace zel::test {
namespace {

TEST_F(InOutDialog, ListsTheDevicesAndOpensTheConfiguredPorts) {
    TwoPorts();
    Holder.Config->InPort = 1;
    Holder.Config->OutPort = 0;
    TFormInOut* f = Create();
    EXPECT_EQ(f->Caption(), "Midi Settings");
    EXPECT_EQ(f->HelpContext, 30);
    EXPECT_EQ(Lines(f->InputPort), (std::vector<std::string>{"JV-1080", "Keyboard"}));
    EXPECT_EQ(Lines(f->OutputPort), (std::vector<std::string>{"JV-1080", "Keyboard"}));
    EXPECT_EQ(f->InputPort->GetItemIndex(), 0);
    EXPECT_EQ(DevicesOpen, 1);
    EXPECT_TRUE(Backend.InputOpen("Keyboard"));
    EXPECT_TRUE(Backend.OutputOpen("JV-1080"));
    EXPECT_FALSE(Backend.InputOpen("JV-1080"));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(ModelServices().MidiPorts, f);
    EXPECT_TRUE(f->OutputOpen());
    // Device ID 17 gives device byte 10H: the simulator (device 10H) answers a request sent through it.
    TBytes request = MakeDataRequest(0x10, Addr(0x03, 0x00, 0x00, 0x00), 72);
    f->PutLong(request.data(), request.size());
    EXPECT_EQ(Sim.RequestsReceived(), 1);
}

struct TStartCase {
    const char* name;
    int inPort, outPort;
    bool failOutputOpen;
    bool noDevices;
    std::vector<std::string> boxes;
    std::uint8_t devicesOpen;
    int savedIn, savedOut;
    bool failInputOpen;
};

class InOutDialogStart : public InOutDialog, public ::testing::WithParamInterface<TStartCase> {};

TEST_P(InOutDialogStart, FailuresLeaveMidiOffWithTheirMessage) {
    const TStartCase& c = GetParam();
    if (c.noDevices) SetMidiBackendForTests(&Backend);
    else TwoPorts();
    if (c.failOutputOpen) Backend.FailOutputOpen = MMSYSERR_ALLOCATED;
    if (c.failInputOpen) Backend.FailInputOpen = MMSYSERR_ALLOCATED;
    Holder.Config->InPort = c.inPort;
    Holder.Config->OutPort = c.outPort;
    Create();
    EXPECT_EQ(BoxTexts(), c.boxes);
    EXPECT_EQ(DevicesOpen, c.devicesOpen);
    EXPECT_EQ(Holder.Config->InPort, c.savedIn);
    EXPECT_EQ(Holder.Config->OutPort, c.savedOut);
    if (c.devicesOpen == 0) {
        // Nothing half-open stays behind a failure.
        EXPECT_FALSE(Backend.InputOpen("JV-1080"));
        EXPECT_FALSE(Backend.OutputOpen("JV-1080"));
        EXPECT_FALSE(form->OutputOpen());
    }
    if (!c.boxes.empty() && c.boxes[0].starts_with("Invalid Midi Port Settings")) {
        EXPECT_EQ(Boxes[0].Flags, MB_OK | MB_ICONINFORMATION);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InOutDialogStart,
    ::testing::Values(TStartCase{"GoodPorts", 0, 1, false, false, {}, 1, 0, 1, false},
                      TStartCase{"OutputIndexBeyondTheList",
                                 0,
                                 5,
                                 false,
                                 false,
                                 {"Invalid Midi Port Settings\n\nMidi Output: line 6 (not listed)"},
                                 0,
                                 0,
                                 0,
                                 false},
                      TStartCase{"InputIndexBeyondTheList",
                                 7,
                                 1,
                                 false,
                                 false,
                                 {"Invalid Midi Port Settings\n\nMidi Input: line 8 (not listed)"},
                                 0,
                                 0,
                                 0,
                                 false},
                      TStartCase{"OutputCannotOpen",
                                 1,
                                 1,
                                 true,
                                 false,
                                 {"Invalid Midi Port Settings\n\nMidi Output: Keyboard"},
                                 0,
                                 0,
                                 0,
                                 false},
                      // An input that cannot open used to stay closed in silence: it is named, and sending still works.
                      TStartCase{"InputCannotOpen",
                                 1,
                                 0,
                                 false,
                                 false,
                                 {"Invalid Midi Port Settings\n\nMidi Input: Keyboard"},
                                 1,
                                 1,
                                 0,
                                 true},
                      TStartCase{"NoMidiSystem", 0, 0, false, true, {"No midi system installed"}, 0, 0, 0, false}),
    [](const ::testing::TestParamInfo<TStartCase>& info) { return std::string(info.param.name); });

// Stored ports against the ports opened, the lists being "JV-1080", "Keyboard".
struct TStoredPortsCase {
    const char* name;
    int inPort, outPort;
    const char *inName, *outName;
    const char *opensIn, *opensOut;  // nullptr: no port opened on that side
    std::uint8_t devicesOpen;
    const char* message;    // the message box's text; nullptr: none
    int shownIn, shownOut;  // the lines the dialog then selects
};

class InOutDialogStoredPorts : public InOutDialog, public ::testing::WithParamInterface<TStoredPortsCase> {};

TEST_P(InOutDialogStoredPorts, ANameWinsOverTheIndexAndAMissingNameOpensNothingOnItsSide) {
    const TStoredPortsCase& c = GetParam();
    TwoPorts();
    Holder.Config->InPort = c.inPort;
    Holder.Config->OutPort = c.outPort;
    Holder.Config->InPortName = c.inName;
    Holder.Config->OutPortName = c.outName;
    TFormInOut* f = Create();
    for (const char* port : {"JV-1080", "Keyboard"}) {
        EXPECT_EQ(Backend.InputOpen(port), c.opensIn != nullptr && std::string(c.opensIn) == port) << port;
        EXPECT_EQ(Backend.OutputOpen(port), c.opensOut != nullptr && std::string(c.opensOut) == port) << port;
    }
    EXPECT_EQ(DevicesOpen, c.devicesOpen);
    EXPECT_EQ(BoxTexts(), c.message != nullptr ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    // The names stay for the day their device is back; the dialog shows the lists as usual.
    EXPECT_EQ(Holder.Config->InPortName, c.inName);
    EXPECT_EQ(Holder.Config->OutPortName, c.outName);
    f->Show();
    EXPECT_EQ(Lines(f->InputPort), (std::vector<std::string>{"JV-1080", "Keyboard"}));
    EXPECT_EQ(f->InputPort->GetItemIndex(), c.shownIn);
    EXPECT_EQ(f->OutputPort->GetItemIndex(), c.shownOut);
    if (DevicesOpen != 0) {
        // Only the port picked hears what is sent.
        f->PutShort(0x90, 0x3C, 0x40);
        EXPECT_EQ(KeyboardOut.size(), std::string(c.opensOut) == "Keyboard" ? 1u : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InOutDialogStoredPorts,
    ::testing::Values(
        TStoredPortsCase{"IndexOnly", 1, 0, "", "", "Keyboard", "JV-1080", 1, nullptr, 1, 0},
        TStoredPortsCase{"NamesFoundElsewhere", 0, 1, "Keyboard", "JV-1080", "Keyboard", "JV-1080", 1, nullptr, 1, 0},
        TStoredPortsCase{"NamesAtTheirIndexes", 1, 1, "Keyboard", "Keyboard", "Keyboard", "Keyboard", 1, nullptr, 1, 1},
        TStoredPortsCase{"InputNameMissing", 1, 1, "Gone", "Keyboard", nullptr, "Keyboard", 1,
                         "Invalid Midi Port Settings\n\nMidi Input: Gone", 0, 1},
        TStoredPortsCase{"OutputNameMissing", 1, 0, "Keyboard", "Gone", "Keyboard", nullptr, 0,
                         "Invalid Midi Port Settings\n\nMidi Output: Gone", 1, 0},
        TStoredPortsCase{"BothNamesMissing", 1, 1, "Gone", "Also gone", nullptr, nullptr, 0,
                         "Invalid Midi Port Settings\n\nMidi Input: Gone\nMidi Output: Also gone", 0, 0}),
    [](const ::testing::TestParamInfo<TStoredPortsCase>& info) { return std::string(info.param.name); });

TEST_F(InOutDialog, OkStoresThePickedPortsNamesAndAnInputOpenedAloneIsClosedAgain) {
    TwoPorts();
    Holder.Config->InPortName = "Keyboard";
    Holder.Config->OutPortName = "Gone";
    TFormInOut* f = Create();
    ASSERT_TRUE(Backend.InputOpen("Keyboard"));
    ASSERT_EQ(DevicesOpen, 0);
    f->Show();
    f->InputPort->SetItemIndex(0);
    f->OutputPort->SetItemIndex(1);
    f->OkBtn->Click();
    EXPECT_FALSE(Backend.InputOpen("Keyboard"));
    EXPECT_TRUE(Backend.InputOpen("JV-1080"));
    EXPECT_TRUE(Backend.OutputOpen("Keyboard"));
    EXPECT_EQ(DevicesOpen, 1);
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadString("MidiPort", "InName", "?"), "JV-1080");
    EXPECT_EQ(ini.ReadString("MidiPort", "OutName", "?"), "Keyboard");
    EXPECT_EQ(ini.ReadInteger("MidiPort", "In", -1), 0);
    EXPECT_EQ(ini.ReadInteger("MidiPort", "Out", -1), 1);
    form.reset();
    EXPECT_FALSE(Backend.InputOpen("JV-1080"));
}

TEST_F(InOutDialog, AfterAFailedStartOkOpensThePortsTheUserPicksAndSavesThem) {
    TwoPorts();
    Holder.Config->OutPort = 5;
    TFormInOut* f = Create();
    ASSERT_EQ(DevicesOpen, 0);
    f->Show();
    EXPECT_EQ(f->OutputPort->GetItemIndex(), 0);  // the configured index fell back to 0
    f->InputPort->SetItemIndex(1);
    f->OutputPort->SetItemIndex(1);
    f->SpinDeviceID->SetValue(20);
    f->MidiThrue->SetChecked(true);
    f->OkBtn->Click();
    EXPECT_EQ(DevicesOpen, 1);
    EXPECT_TRUE(Backend.InputOpen("Keyboard"));
    EXPECT_TRUE(Backend.OutputOpen("Keyboard"));
    EXPECT_FALSE(f->GetVisible());
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("MidiPort", "In", -1), 1);
    EXPECT_EQ(ini.ReadInteger("MidiPort", "Out", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Midi", "DeviceID", -1), 20);
    EXPECT_EQ(ini.ReadInteger("Midi", "Thrue", -1), 1);
    // Reading the settings later reopens the ports it names, even when they were closed.
    Holder.Config->Load();
    EXPECT_EQ(DevicesOpen, 1);
    EXPECT_TRUE(Backend.OutputOpen("Keyboard"));
}

TEST_F(InOutDialog, TheSavedIndexBecomesZeroAfterOkWhenTheConfiguredPortIsGone) {
    TwoPorts();
    Holder.Config->OutPort = 5;
    TFormInOut* f = Create();
    f->Show();
    f->OkBtn->Click();
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("MidiPort", "Out", -1), 0);
    EXPECT_EQ(DevicesOpen, 1);
}

TEST_F(InOutDialog, OkWithUnchangedSettingsClosesAndReopensBothPorts) {
    TwoPorts();
    TFormInOut* f = Create();
    ASSERT_EQ(DevicesOpen, 1);
    f->Show();
    // A block the driver still holds, and an event waiting in the input: a close takes both away.
    Backend.HoldLongMessages(true);
    TBytes sysex{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    f->PutLong(sysex.data(), sysex.size());
    ASSERT_EQ(f->MidiOutput1->PendingBlockCount(), 1u);
    ASSERT_TRUE(Backend.Inject("JV-1080", TBytes{0x90, 0x3C, 0x40}));
    ASSERT_EQ(f->PendingEventCount(), 1);
    f->OkBtn->Click();
    EXPECT_EQ(f->MidiOutput1->PendingBlockCount(), 0u);
    EXPECT_EQ(f->PendingEventCount(), 0);
    EXPECT_TRUE(f->OutputOpen());
    EXPECT_TRUE(Backend.InputOpen("JV-1080"));
    EXPECT_TRUE(Backend.OutputOpen("JV-1080"));
    EXPECT_EQ(DevicesOpen, 1);
    EXPECT_FALSE(f->GetVisible());
    Backend.HoldLongMessages(false);
}

TEST_F(InOutDialog, CancelClosesWithoutChanges) {
    TwoPorts();
    Holder.Config->DeviceID = 18;
    TFormInOut* f = Create();
    f->Show();
    EXPECT_EQ(f->SpinDeviceID->GetValue(), 18);
    f->SpinDeviceID->SetValue(25);
    f->CancelBtn->Click();
    EXPECT_FALSE(f->GetVisible());
    EXPECT_EQ(Holder.Config->DeviceID, 18);
    EXPECT_FALSE(FileExists(TIniFile::ConfigFolder() + "/" + SettingsFileName));
}

TEST_F(InOutDialog, TheDefaultHandlerTakesEventsAndPassesShortMessagesThroughWithThru) {
    TwoPorts();
    Holder.Config->OutPort = 1;  // the keyboard's output records what goes out
    Holder.Config->Thrue = 1;
    Create();
    ASSERT_EQ(DevicesOpen, 1);
    ASSERT_TRUE(Backend.Inject("JV-1080", TBytes{0x90, 0x3C, 0x40}));
    ASSERT_TRUE(Backend.Inject("JV-1080", TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0x7F, 0xF7}));
    ProcessPendingMessages();
    EXPECT_EQ(form->PendingEventCount(), 0);
    EXPECT_EQ(KeyboardOut, (std::vector<TBytes>{TBytes{0x90, 0x3C, 0x40}}));
    // A borrowed input goes back to the default handler.
    int borrowed = 0;
    form->SetInputHandler([&](TObject*) {
        ++borrowed;
        form->NextEvent();
    });
    ASSERT_TRUE(Backend.Inject("JV-1080", TBytes{0x80, 0x3C, 0x00}));
    ProcessPendingMessages();
    EXPECT_EQ(borrowed, 1);
    EXPECT_EQ(KeyboardOut.size(), 1u);
}

TEST_F(InOutDialog, DestroyingTheDialogClosesThePorts) {
    TwoPorts();
    Create();
    ASSERT_TRUE(Backend.OutputOpen("JV-1080"));
    form.reset();
    EXPECT_FALSE(Backend.OutputOpen("JV-1080"));
    EXPECT_FALSE(Backend.InputOpen("JV-1080"));
    EXPECT_EQ(DevicesOpen, 0);
    EXPECT_EQ(ModelServices().MidiPorts, nullptr);
}

TEST_F(InOutDialog, Screenshot) {
    TwoPorts();
    Holder.Config->InPort = 0;
    Holder.Config->OutPort = 1;
    Holder.Config->Thrue = 1;
    TFormInOut* f = Create();
    f->Show();
    ProcessPendingMessages();
    std::string path = ScreenshotPath("port_dialog");
    ASSERT_TRUE(SaveWindowImage(f->GetHandle(), path));
    std::printf("screenshot: %s\n", path.c_str());
}

}  // namespace
}  // namespace zel::test
