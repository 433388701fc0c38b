#pragma once
// The fixture of the whole-receive tests: the port dialog and the progress window over a MIDI back end,
// with the simulator holding a known temporary patch.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "app/Uetransm.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Patch.h"
#include "model/Settings.h"
#include "platform/midi/MidiBackend.h"
#include "support/InstrumentSimulator.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {

// The program's two windows over a MIDI back end, with the simulator holding a known temporary patch.
class TransmetPatchReceive : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        savedServices_ = ModelServices();
        savedHolder_ = ZelmoHolder;
        ZelmoHolder = &Holder;
        for (std::uint32_t i = 0; i < 72; ++i)
            Sim.Poke(Addr(0x03, 0x00, 0x00, 0x00) + i, static_cast<std::uint8_t>('A' + i % 20));
    }
    void TearDown() override {
        transmet.reset();
        ports.reset();
        ProcessPendingMessages();
        SetMidiBackendForTests(nullptr);
        ModelServices() = savedServices_;
        ZelmoHolder = savedHolder_;
        DevicesOpen = 0;
        VclTest::TearDown();
    }
    void MakeWindows() {
        ports.reset(Construct<TFormInOut>(nullptr));
        transmet.reset(Construct<TFormTransmet>(nullptr));
    }
    // Receives the temporary patch; the modal window ends by itself, or after the time-out as a failure.
    void Receive(TPatch& patch, std::chrono::milliseconds timeout) {
        auto until = std::chrono::steady_clock::now() + timeout;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (std::chrono::steady_clock::now() > until) {
                timedOut = true;
                transmet->ModalResult = mrAbort;
            }
        };
        patch.Receive(true);
        Application->OnIdle = nullptr;
    }
    void ExpectFiveMessagesAndAClosedWindow(TPatch& patch) {
        EXPECT_FALSE(timedOut);
        EXPECT_TRUE(transmet->Progress().GetCompleted());
        EXPECT_EQ(transmet->MessagesReceived, 5);
        EXPECT_EQ(transmet->BytesReceived, 643);
        EXPECT_EQ(transmet->LabelMessageReceived->Caption(), "5");
        EXPECT_EQ(transmet->Gauge->PercentDone(), 100);
        EXPECT_FALSE(transmet->GetVisible());
        EXPECT_FALSE(transmet->Timer->GetEnabled());
        EXPECT_EQ(patch.GetName(), "ABCDEFGHIJKL");
        EXPECT_EQ(Boxes.size(), 0u);
    }

    TZelmo Holder;
    TInstrumentSimulator Sim{0x10};
    std::unique_ptr<TFormInOut> ports;
    std::unique_ptr<TFormTransmet> transmet;
    bool timedOut = false;

private:
    TModelServices savedServices_;
    TZelmo* savedHolder_ = nullptr;
};

}  // namespace zel::test
