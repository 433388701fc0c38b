// The patch: names, copies, transmits to each location, and receives against the instrument simulator
// (whole fetches, an instrument that falls silent or stops half way); what every kind's receive does
// with damaged and stray replies is in test_single_receive.cpp.
#include <gtest/gtest.h>

#include "model/CurrentElements.h"
#include "model/Patch.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

std::vector<std::string> AddressesOf(const std::vector<Bytes>& messages) {
    std::vector<std::string> out;
    for (const Bytes& m : messages) out.push_back(AddressOf(m));
    return out;
}

// Fills a patch with a repeatable pattern (name "Seeded" kept readable).
void Seed(TPatch& patch, unsigned seed) {
    const Bytes c = Pattern(TCommon::DataSize, seed);
    std::copy(c.begin(), c.end(), patch.Common->Data());
    for (int t = 1; t <= ToneCount; ++t) {
        const Bytes d = Pattern(TTone::DataSize, seed * 10 + static_cast<unsigned>(t));
        std::copy(d.begin(), d.end(), patch.Tone(t).Data());
    }
    patch.SetName("Seeded", false);
}

// The patch's data bytes, common then tones, as the instrument would hold them.
Bytes DataOf(const TPatch& patch) {
    Bytes out(patch.Common->Data(), patch.Common->Data() + TCommon::DataSize);
    for (int t = 1; t <= ToneCount; ++t)
        out.insert(out.end(), patch.Tone(t).Data(), patch.Tone(t).Data() + TTone::DataSize);
    return out;
}

Bytes SimulatorPatch(const TInstrumentSimulator& sim, std::uint32_t base) {
    Bytes out = sim.Read(base, TCommon::DataSize);
    for (int t = 1; t <= ToneCount; ++t) {
        const Bytes d = sim.Read(base + ToneOffset(t), TTone::DataSize);
        out.insert(out.end(), d.begin(), d.end());
    }
    return out;
}

// Every byte of the simulator's memory, block by block.
std::vector<Bytes> WholeMemory(const TInstrumentSimulator& sim) {
    std::vector<Bytes> memory;
    for (const auto& block : TInstrumentSimulator::Blocks()) memory.push_back(sim.Read(block.Address, block.Size));
    return memory;
}

void PlaceInUserSlot(TPatch& patch, int slot) {
    patch.Temporary = 0;
    patch.User = 1;
    patch.Number = static_cast<std::int16_t>(slot);
}

TEST(Patch, NewPatchHasBlankNameAndTheInitialValues) {
    TModelTestScope model;
    TPatch patch(nullptr);
    EXPECT_EQ(patch.ElemType, etPatch);
    EXPECT_EQ(patch.GetName(), "");
    EXPECT_EQ(patch.Common->GetParam(44), 1);
    for (int t = 1; t <= ToneCount; ++t) {
        EXPECT_EQ(patch.Tone(t).ToneNumber, t);
        EXPECT_EQ(patch.Tone(t).GetParam(122), 1);
    }
}

TEST(Patch, SetNamePadsCutsAndSendsOnlyWhenAsked) {
    TModelTestScope model;
    TManualClockScope clock;
    TPatch patch(nullptr);
    patch.SetName("Piano", false);
    EXPECT_EQ(NameFromData(patch.Common->Data()), "Piano       ");
    EXPECT_EQ(patch.GetName(), "Piano");
    EXPECT_TRUE(model.Ports.Sent.empty());

    patch.SetName("Fifteen Letters", true);
    EXPECT_EQ(patch.GetName(), "Fifteen Lett");
    ASSERT_EQ(model.Ports.Sent.size(), 1u);
    EXPECT_EQ(model.Ports.Sent[0].size(), 23u);
    EXPECT_EQ(AddressOf(model.Ports.Sent[0]), "03 00 00 00");

    // The same name sent again is sent again: the common always sends a run.
    patch.SetName("Fifteen Letters", true);
    EXPECT_EQ(model.Ports.Sent.size(), 2u);
}

TEST(Patch, AssignCopiesTheMessagesButNotTheEditorPlaces) {
    TModelTestScope model;
    TPatch source(nullptr);
    Seed(source, 3);
    source.Tone(2).Editors[TTone::teTVF].Left = 55;
    PlaceInUserSlot(source, 9);
    TPatch copy(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(DataOf(copy), DataOf(source));
    EXPECT_EQ(copy.Common->Message, source.Common->Message);
    EXPECT_EQ(copy.Number, 9);
    EXPECT_EQ(copy.Tone(2).Editors[TTone::teTVF].Left, -1);
}

TEST(Patch, InitDefaultResetsTheDataAndRefreshesEveryOpenWindow) {
    TModelTestScope model;
    TFakeWindow container, effects, lfo1;
    TPatch patch(nullptr);
    Seed(patch, 1);
    patch.Window = &container;
    patch.WindowOpen = 1;
    patch.Common->Editors[TCommon::ceEffects] = {&effects, 1, -1, -1};
    patch.Tone(4).Editors[TTone::teLFO1] = {&lfo1, 1, -1, -1};
    patch.InitDefault();
    EXPECT_EQ(DataOf(patch), DataOf(TPatch(nullptr)));
    EXPECT_EQ(model.Windows.Updated, (std::vector<TObject*>{&container, &effects, &lfo1}));
    patch.Window = nullptr;
    patch.WindowOpen = 0;
}

TEST(Patch, DestroyingClosesTheEditorsAndForgetsTheCurrentPatch) {
    TModelTestScope model;
    TManualClockScope clock;
    TFakeWindow control;
    {
        TPatch patch(nullptr);
        patch.Tone(3).Editors[TTone::teControl] = {&control, 1, -1, -1};
        patch.Transmit(true);
        EXPECT_EQ(CurrentPatch, &patch);
    }
    EXPECT_EQ(CurrentPatch, nullptr);
    EXPECT_EQ(model.Windows.Released, (std::vector<TObject*>{&control}));
}

// ------------------------------------------------------------------------------------------- transmit

TEST(Patch, TransmitGoesToTheSlotOrToTheTemporaryArea) {
    TModelTestScope model;
    TManualClockScope clock;
    TPatch patch(nullptr);
    PlaceInUserSlot(patch, 5);
    PreviewChannel = 7;
    CurrentPatch = nullptr;

    patch.Transmit(false);
    // The first message leaves at once, the others from the event loop as the pace runs out.
    EXPECT_EQ(model.Ports.Sent.size(), 1u);
    SendQueuedMessages(clock.Clock());
    EXPECT_EQ(AddressesOf(model.Ports.Sent),
              (std::vector<std::string>{"11 04 00 00", "11 04 10 00", "11 04 12 00", "11 04 14 00", "11 04 16 00"}));
    EXPECT_EQ(model.Ports.Sent[0].size(), 83u);
    EXPECT_EQ(model.Ports.Sent[4].size(), 140u);
    EXPECT_EQ(CurrentPatch, nullptr);
    EXPECT_EQ(PreviewChannel, 7);
    EXPECT_TRUE(clock->Waits().empty());  // nothing holds the thread
    EXPECT_EQ(model.Ports.Departures(), (std::vector<TTick>{0, 50, 100, 150, 200}));

    model.Ports.Sent.clear();
    patch.Transmit(true);
    SendQueuedMessages(clock.Clock());
    EXPECT_EQ(AddressesOf(model.Ports.Sent),
              (std::vector<std::string>{"03 00 00 00", "03 00 10 00", "03 00 12 00", "03 00 14 00", "03 00 16 00"}));
    EXPECT_EQ(CurrentPatch, &patch);
    EXPECT_EQ(PreviewChannel, 1);
    EXPECT_EQ(patch.TransferAddress, 0x03000000u);

    model.Ports.Sent.clear();
    patch.User = 0;
    patch.Number = 128;
    patch.Transmit(false);
    SendQueuedMessages(clock.Clock());
    EXPECT_EQ(AddressOf(model.Ports.Sent.at(0)), "21 7F 00 00");

    model.Ports.Sent.clear();
    DevicesOpen = 0;
    patch.Transmit(true);
    EXPECT_TRUE(model.Ports.Sent.empty());
    CurrentPatch = nullptr;
}

// -------------------------------------------------------------------------------------------- receive

class PatchReceive : public ::testing::Test {
protected:
    // Puts a recognisable patch into the simulator's user slot.
    void StorePatchInSimulator(std::uint32_t base, unsigned seed) {
        TPatch patch(nullptr);
        Seed(patch, seed);
        s.Sim.Write(base, Bytes(patch.Common->Data(), patch.Common->Data() + TCommon::DataSize));
        for (int t = 1; t <= ToneCount; ++t)
            s.Sim.Write(base + ToneOffset(t), Bytes(patch.Tone(t).Data(), patch.Tone(t).Data() + TTone::DataSize));
        expected = DataOf(patch);
    }

    TTransferScope s;
    Bytes expected;
};

TEST_F(PatchReceive, FetchingAndSendingBackLeavesTheInstrumentAsItWas) {
    StorePatchInSimulator(0x11060000, 42);  // user slot 7
    TPatch patch(nullptr);
    PlaceInUserSlot(patch, 7);
    const std::vector<Bytes> before = WholeMemory(s.Sim);

    patch.Receive(false);
    ASSERT_EQ(s.Ports.Requests().size(), 1u);
    EXPECT_EQ(Hex(s.Ports.Requests()[0]), "F0 41 10 6A 11 11 06 00 00 00 00 17 18 3A F7");
    EXPECT_EQ(s.Ports.Pump(), 5);

    EXPECT_EQ(DataOf(patch), expected);
    EXPECT_EQ(patch.GetName(), "Seeded");
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_EQ(s.Progress.Title, "Now Receiving Patch");
    EXPECT_EQ(s.Progress.ElementLabel, "Pacth");
    EXPECT_EQ(s.Progress.Expected, 1);
    EXPECT_EQ(s.Progress.BytesReceived, 643);
    EXPECT_EQ(s.Progress.MessagesReceived, 5);
    EXPECT_EQ(s.Progress.Elements, 1);
    EXPECT_FALSE(s.Progress.TimerEnabled());

    patch.Transmit(false);
    SendQueuedMessages(s.Clock.Clock());
    EXPECT_EQ(s.Sim.DataSetsApplied(), 5);
    EXPECT_EQ(WholeMemory(s.Sim), before);
    EXPECT_EQ(SimulatorPatch(s.Sim, 0x11060000), expected);
}

// A receive asked for while sends are still queued: its request leaves behind them, and its reply
// time-out counts from that moment, so a queue longer than the time-out is no silent instrument.
TEST_F(PatchReceive, ARequestQueuedBehindSendsWaitsForItsRepliesFromItsDeparture) {
    StorePatchInSimulator(0x11060000, 4);
    TPatch patch(nullptr);
    patch.Temporary = 0;
    patch.User = 1;
    patch.Number = 7;
    TPatch other(nullptr);
    for (int i = 0; i < 10; ++i) other.Transmit(true);  // 50 messages, 49 of them queued
    ASSERT_EQ(QueuedMessages(), 49u);
    patch.Receive(false);
    EXPECT_EQ(QueuedSendsMs(), 2500u);
    EXPECT_TRUE(s.Ports.Requests().empty());
    s.Clock->Advance(2500);
    ASSERT_EQ(s.Ports.Requests().size(), 1u) << "the request leaves after the queued sends";
    EXPECT_EQ(s.Ports.Pump(), 5);
    EXPECT_EQ(DataOf(patch), expected);
    EXPECT_TRUE(s.Progress.Completed);
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    // The next receive, with nothing queued, waits the usual time-out.
    s.Sim.Silent = true;
    s.Model.Messages.Answers = {TMessageResult::Cancel};
    patch.Receive(false);
    s.Clock->Advance(ReplyTimeoutMs - 1);
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    s.Clock->Advance(1);
    EXPECT_EQ(s.Model.Messages.Shown.size(), 1u);
}

TEST_F(PatchReceive, FromTheTemporaryArea) {
    StorePatchInSimulator(TempPatchBase, 9);
    TPatch patch(nullptr);
    PlaceInUserSlot(patch, 3);
    patch.Receive(true);
    s.Ports.Pump();
    EXPECT_EQ(AddressOf(s.Ports.Requests().at(0)), "03 00 00 00");
    EXPECT_EQ(DataOf(patch), expected);
}

TEST_F(PatchReceive, ASilentInstrumentIsReportedAndRetrySendsTheSameRequest) {
    StorePatchInSimulator(0x11000000, 8);
    TPatch patch(nullptr);
    PlaceInUserSlot(patch, 1);
    s.Sim.Silent = true;
    s.Model.Messages.Answers.push_back(TMessageResult::Retry);
    patch.Receive(false);

    s.Clock->Advance(1999);
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    s.Clock->Advance(1);
    ASSERT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(s.Model.Messages.Shown[0].Text, "The Instrument Is Not Responding.");
    EXPECT_EQ(s.Model.Messages.Shown[0].Buttons, TMessageButtons::RetryCancel);
    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], requests[1]);

    // The instrument wakes up: the retried request completes the transfer.
    s.Sim.Silent = false;
    s.Model.Messages.Answers.push_back(TMessageResult::Cancel);
    patch.RequestNext();
    s.Ports.Pump();
    EXPECT_EQ(DataOf(patch), expected);
    EXPECT_EQ(s.Progress.Closes, 1);
    s.Clock->Advance(5000);
    EXPECT_EQ(s.Model.Messages.Shown.size(), 1u);
}

TEST_F(PatchReceive, AnInstrumentThatStopsHalfWayIsReported) {
    StorePatchInSimulator(0x11000000, 10);
    TPatch patch(nullptr);
    PlaceInUserSlot(patch, 1);
    s.Ports.DropRepliesAfter = 2;  // common and tone 1, then nothing
    s.Model.Messages.Answers.push_back(TMessageResult::Cancel);
    patch.Receive(false);
    EXPECT_EQ(s.Ports.Pump(), 2);
    EXPECT_EQ(patch.MessageCount, 2);

    s.Clock->Advance(2000);
    ASSERT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(s.Model.Messages.Shown[0].Text, "The Instrument Is Not Responding.");
    EXPECT_EQ(s.Progress.Closes, 1);  // Cancel closed the window
    EXPECT_FALSE(s.Progress.Completed);
}

TEST_F(PatchReceive, ARetryAfterAStopStartsAgainFromTheCommon) {
    StorePatchInSimulator(0x11000000, 11);
    TPatch patch(nullptr);
    PlaceInUserSlot(patch, 1);
    s.Ports.DropRepliesAfter = 3;
    s.Model.Messages.Answers.push_back(TMessageResult::Retry);
    patch.Receive(false);
    s.Ports.Pump();
    s.Ports.DropRepliesAfter = -1;
    s.Clock->Advance(2000);  // Retry: the whole patch is asked for again
    s.Ports.Pump();
    EXPECT_EQ(DataOf(patch), expected);
    EXPECT_TRUE(s.Progress.Completed);
}

}  // namespace
}  // namespace zel::test
