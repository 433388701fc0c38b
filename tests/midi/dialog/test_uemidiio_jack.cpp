// The port dialog over a real JACK server, with the instrument simulator as a JACK client. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the test skips.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "platform/midi/JackMidi.h"
#include "platform/rtl/IniFiles.h"

#include "InOutDialogFixture.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

TEST_F(InOutDialog, ListsTheJackPortsOfTheInstrumentAndOpensThem) {
    TJackInstrument instrument{"zelmovi-ports"};
    if (!OpenOnJack(instrument, &Sim)) return;
    TFormInOut* f = Create();
    std::vector<std::string> ins = Lines(f->InputPort), outs = Lines(f->OutputPort);
    auto in = std::find(ins.begin(), ins.end(), instrument.OutputPortName());
    auto out = std::find(outs.begin(), outs.end(), instrument.InputPortName());
    ASSERT_NE(in, ins.end());
    ASSERT_NE(out, outs.end());
    Holder.Config->InPort = static_cast<int>(in - ins.begin());
    Holder.Config->OutPort = static_cast<int>(out - outs.begin());
    f->Show();
    f->OkBtn->Click();
    ASSERT_EQ(DevicesOpen, 1);
    // The instrument hears a request through the opened output and its answer comes back in.
    int events = 0;
    f->SetInputHandler([&](TObject*) {
        if (f->NextEvent()) ++events;
    });
    TBytes request = MakeDataRequest(0x10, Addr(0x03, 0x00, 0x00, 0x00), 72);
    f->PutLong(request.data(), request.size());
    EXPECT_TRUE(TJackInstrument::WaitFor(
        [&] {
            ProcessPendingMessages();
            return events >= 1;
        },
        std::chrono::seconds(5)));
    form.reset();
    ProcessPendingMessages();
}

// Stored settings against the ports opened over JACK, with two instruments whose order in the port
// lists changes between two starts of the dialog: the settings are stored at the first start with the
// second instrument's lines, the second start reads them back with the instruments the other way round.
TEST_F(InOutDialog, OverJackAStoredNameFindsItsPortAfterTheListChangedAndAMissingOneOpensNothing) {
    TJackInstrument a{"zelmovi-order-a"}, b{"zelmovi-order-b"};
    if (!OpenOnJack(a)) return;
    std::string why;
    ASSERT_TRUE(b.Open(why)) << why;
    struct Row {
        const char* name;
        bool storeNames;
        bool nameGone;           // the stored names belong to ports no longer there
        TJackInstrument* opens;  // nullptr: nothing opened
    };
    const Row rows[] = {
        {"index only: the index now names the other instrument, as before names were kept", false, false, &a},
        {"name found elsewhere in the list", true, false, &b},
        {"name missing", true, true, nullptr},
    };
    auto LineOf = [this](TListBox* list, const std::string& port) {
        const std::vector<std::string> lines = Lines(list);
        const auto at = std::find(lines.begin(), lines.end(), port);
        return at == lines.end() ? -1 : static_cast<int>(at - lines.begin());
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        // First start, the lists as a then b: the user's pick is b.
        TFormInOut* f = Create();
        const int bIn = LineOf(f->InputPort, b.OutputPortName()), bOut = LineOf(f->OutputPort, b.InputPortName());
        ASSERT_GE(bIn, 0);
        ASSERT_GE(bOut, 0);
        f->InputPort->SetItemIndex(bIn);
        f->OutputPort->SetItemIndex(bOut);
        f->OkBtn->Click();
        ASSERT_EQ(DevicesOpen, 1);
        form.reset();
        TConfig& cfg = *Holder.Config;
        if (!r.storeNames) {
            cfg.InPortName.clear();
            cfg.OutPortName.clear();
        }
        if (r.nameGone) {
            cfg.InPortName = "zelmovi-gone:out";
            cfg.OutPortName = "zelmovi-gone:in";
        }
        cfg.Save();
        // The instruments come back the other way round.
        a.Close();
        b.Close();
        ASSERT_TRUE(b.Open(why)) << why;
        ASSERT_TRUE(a.Open(why)) << why;
        Boxes.clear();
        cfg.InPort = cfg.OutPort = -1;
        cfg.Load();
        f = Create();
        ASSERT_NE(LineOf(f->InputPort, b.OutputPortName()), bIn) << "the order did not change";
        for (TJackInstrument* i : {&a, &b}) {
            const bool picked = i == r.opens;
            EXPECT_EQ(i->OutputConnections(),
                      picked ? std::vector<std::string>{JackOwnPortName(true)} : std::vector<std::string>{});
            EXPECT_EQ(i->InputConnections(),
                      picked ? std::vector<std::string>{JackOwnPortName(false)} : std::vector<std::string>{});
        }
        EXPECT_EQ(DevicesOpen, r.opens != nullptr ? 1 : 0);
        EXPECT_EQ(BoxTexts(), r.opens != nullptr ? std::vector<std::string>{}
                                                 : std::vector<std::string>{"Invalid Midi Port Settings\n"
                                                                            "\nMidi Input: zelmovi-gone:out"
                                                                            "\nMidi Output: zelmovi-gone:in"});
        if (r.opens != nullptr) {
            // What the program sends reaches the instrument it opened.
            r.opens->ClearReceived();
            f->PutShort(0x90, 0x3C, 0x40);
            EXPECT_TRUE(
                TJackInstrument::WaitFor([&] { return r.opens->ReceivedCount() == 1; }, std::chrono::seconds(5)));
        }
        form.reset();
        ProcessPendingMessages();
        // Back to the first order for the next row.
        a.Close();
        b.Close();
        ASSERT_TRUE(a.Open(why)) << why;
        ASSERT_TRUE(b.Open(why)) << why;
        cfg.InPort = cfg.OutPort = 0;
        cfg.InPortName.clear();
        cfg.OutPortName.clear();
        std::filesystem::remove(TIniFile::ConfigFolder() + "/" + SettingsFileName);
    }
}

}  // namespace
}  // namespace zel::test
