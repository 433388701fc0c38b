// The port dialog over a real JACK server, with the instrument simulator as a JACK client. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the test skips.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

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

}  // namespace
}  // namespace zel::test
