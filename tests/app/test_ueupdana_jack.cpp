// The name update from the instrument simulator over a real JACK transport, on the real clock. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere it skips.
#include <gtest/gtest.h>

#include <chrono>

#include "JackPorts.h"
#include "NameUpdateFixture.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

using NameUpdateOverJack = NameUpdateWindows;

TEST_F(NameUpdateOverJack, FetchesEveryNameAndWritesUserCardTxt) {
    TJackInstrument instrument{"zelmovi-names"};
    if (!OpenOnJack(instrument, &Sim)) return;
    ports.reset(Construct<TFormInOut>(nullptr));
    OpenPortsOn(instrument, *ports, *Holder.Config, Boxes);
    if (HasFatalFailure()) return;
    form.reset(Construct<TFormUpdateNames>(nullptr));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (std::chrono::steady_clock::now() > until) form->ModalResult = mrAbort;
    };
    form->ShowModal();
    Application->OnIdle = nullptr;
    EXPECT_NE(form->ModalResult, mrAbort);
    EXPECT_EQ(ReadAll(UserCardPath()), ExpectedUserCard(true));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Sim.RequestsReceived(), 320);
}

}  // namespace
}  // namespace zel::test
