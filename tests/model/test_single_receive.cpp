// A patch, performance, rhythm set or system received on its own changes all at once or not at all:
// the replies are held until the last has come, then stored in one step that touches the element once.
// And what every kind's receive does with damaged, stray and missing replies, a keyboard played
// meanwhile, a silent instrument and closed ports, as one table over the kinds.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "model/LibElem.h"
#include "model/ParamBlocks.h"
#include "support/model/BankTransferFakes.h"

namespace zel::test {
namespace {

struct TKindCase {
    const char* Name;
    ElementType Kind;
    int Replies;  // the data sets of the whole element
};

void PrintTo(const TKindCase& c, std::ostream* os) { *os << c.Name; }

enum class TEnding { CancelAfterFirstReply, TimeOutCancelAfterLastButOne, DamagedLastReplyThenCancel, Complete };

const char* EndingName(TEnding e) {
    switch (e) {
        case TEnding::CancelAfterFirstReply: return "CancelAfterFirstReply";
        case TEnding::TimeOutCancelAfterLastButOne: return "TimeOutCancelAfterLastButOne";
        case TEnding::DamagedLastReplyThenCancel: return "DamagedLastReplyThenCancel";
        case TEnding::Complete: return "Complete";
    }
    return "";
}

// Each message of the element's body carries the data the instrument holds at its address; the number
// of messages.
int ExpectInstrumentsData(TLibElem& element, const TInstrumentSimulator& sim) {
    const Bytes body = SyxOf(element);
    int messages = 0;
    for (std::size_t at = 0; at < body.size(); ++messages) {
        std::size_t end = at + 1;
        while (body[end] != 0xF7) ++end;
        const std::uint32_t address = Addr(body[at + 5], body[at + 6], body[at + 7], body[at + 8]);
        const Bytes data(body.begin() + static_cast<long>(at) + 9, body.begin() + static_cast<long>(end) - 1);
        EXPECT_EQ(data, sim.Read(address, data.size())) << "message " << messages;
        at = end + 1;
    }
    return messages;
}

// Every block of the instrument holds its own recognisable data.
void SeedEveryBlock(TInstrumentSimulator& sim) {
    unsigned seed = 1;
    for (const auto& block : TInstrumentSimulator::Blocks()) sim.Write(block.Address, Pattern(block.Size, seed++));
}

Bytes RecordOf(TLibElem& element) {
    TMemoryStream out;
    element.WriteLibRecord(out);
    return Bytes(out.Memory(), out.Memory() + out.GetSize());
}

class SingleReceive : public ::testing::TestWithParam<std::tuple<TKindCase, TEnding>> {
protected:
    void SeedInstrument() { SeedEveryBlock(s.Sim); }
    // Each message of the element's body carries the data the instrument holds at its address.
    void ExpectTheInstrumentsData(TLibElem& element) {
        EXPECT_EQ(ExpectInstrumentsData(element, s.Sim), std::get<0>(GetParam()).Replies);
    }
    // Replies that reached the element's input handler.
    std::size_t Delivered() const { return s.Sim.SentMessages().size() - s.Ports.Queue.size(); }

    TBankTransferScope s;
};

TEST_P(SingleReceive, StoresTheWholeElementInOneStepOrNothing) {
    const auto& [kind, ending] = GetParam();
    SeedInstrument();
    TFakeLibrary library;
    std::unique_ptr<TLibElem> element = CreateElementOfType(kind.Kind, &library);
    element->Temporary = 0;
    element->User = 1;
    element->Number = 2;
    const Bytes before = RecordOf(*element);

    switch (ending) {
        case TEnding::CancelAfterFirstReply: s.Progress.CancelWhen = [this]() { return Delivered() >= 1; }; break;
        case TEnding::TimeOutCancelAfterLastButOne:
            s.Ports.DropRepliesAfter = kind.Replies - 1;
            s.Model.Messages.Answers.push_back(TMessageResult::Cancel);
            break;
        case TEnding::DamagedLastReplyThenCancel:
            // The last reply is damaged; the instrument answers the request that follows with nothing.
            s.Sim.CorruptChecksumOfReply(kind.Replies);
            s.Ports.DropRepliesAfter = kind.Replies;
            s.Model.Messages.Answers.push_back(TMessageResult::Cancel);
            break;
        case TEnding::Complete: break;
    }
    element->Receive(false);

    if (ending != TEnding::Complete) {
        EXPECT_FALSE(s.Progress.Completed);
        EXPECT_GE(Delivered(),
                  ending == TEnding::CancelAfterFirstReply ? 1u : static_cast<std::size_t>(kind.Replies - 1));
        EXPECT_EQ(RecordOf(*element), before);
        EXPECT_EQ(library.Saved, 1);
        EXPECT_EQ(s.Model.Windows.MenuRefreshes, 0);
        return;
    }
    EXPECT_TRUE(s.Progress.Completed);
    ExpectTheInstrumentsData(*element);
    EXPECT_EQ(library.Saved, 0);
    EXPECT_EQ(s.Model.Windows.MenuRefreshes, 1);  // one change recorded
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SingleReceive,
    ::testing::Combine(::testing::Values(TKindCase{"Patch", etPatch, 5}, TKindCase{"Performance", etPerformance, 17},
                                         TKindCase{"Rhythm", etRhythm, 65}, TKindCase{"System", etSystem, 18}),
                       ::testing::Values(TEnding::CancelAfterFirstReply, TEnding::TimeOutCancelAfterLastButOne,
                                         TEnding::DamagedLastReplyThenCancel, TEnding::Complete)),
    [](const ::testing::TestParamInfo<std::tuple<TKindCase, TEnding>>& info) {
        return std::string(std::get<0>(info.param).Name) + EndingName(std::get<1>(info.param));
    });

// ------------------------------------------------------------------------------ receive scenarios

// One kind's receive from user slot 1 (the system from its one area), with what each scenario of it
// shows; a scenario runs over the kinds whose row gives it.
struct TScenarioKind {
    const char* Name;
    ElementType Kind;
    int Blocks;                  // the replies of the whole element
    std::uint32_t ClosingDelay;  // the time between the last reply and the closing of the window
    // A damaged reply: its number, whether the receive is from the temporary area, the requests in
    // all, the request repeated (it equals the one before), and requests with their addresses.
    int DamagedReply;
    bool DamagedFromTemporary;
    std::size_t DamagedRequests;
    std::size_t Repeated;
    std::vector<std::pair<std::size_t, const char*>> DamagedAddresses;
    int BytesReceived;
};

void PrintTo(const TScenarioKind& c, std::ostream* os) { *os << c.Name; }

const TScenarioKind PatchKind{"Patch", etPatch, 5, 0, 3, false, 2, 1, {}, 643};
const TScenarioKind PerformanceKind{
    "Performance", etPerformance, 17, 0, 8, false, 18, 8, {{7, "10 00 16 00"}, {9, "10 00 17 00"}}, 555};
const TScenarioKind RhythmKind{"Rhythm", etRhythm, 65, 1000, 30, true, 66, 30, {{29, "02 09 3F 00"}}, 4439};
const TScenarioKind SystemKind{"System", etSystem, 18, 0, 18, false, 19, 18, {}, 442};

// A new element of the kind in user slot 1.
std::unique_ptr<TLibElem> InUserSlot1(ElementType Kind) {
    std::unique_ptr<TLibElem> element = CreateElementOfType(Kind, nullptr);
    element->Temporary = 0;
    element->User = 1;
    element->Number = 1;
    return element;
}

std::string ScenarioName(const ::testing::TestParamInfo<TScenarioKind>& info) { return info.param.Name; }

class ReceiveScenario : public ::testing::TestWithParam<TScenarioKind> {
protected:
    // The element in user slot 1, the instrument's blocks each with data of their own.
    TLibElem& Element() {
        SeedEveryBlock(s.Sim);
        element_ = InUserSlot1(GetParam().Kind);
        return *element_;
    }
    void ExpectTheInstrumentsData() { EXPECT_EQ(ExpectInstrumentsData(*element_, s.Sim), GetParam().Blocks); }

    TTransferScope s;
    std::unique_ptr<TLibElem> element_;
};

class ReceiveDamaged : public ReceiveScenario {};

TEST_P(ReceiveDamaged, ADamagedReplyIsAskedForAgainAtOnceAndTheElementArrivesWhole) {
    const TScenarioKind& kind = GetParam();
    TLibElem& element = Element();
    s.Sim.CorruptChecksumOfReply(kind.DamagedReply);
    element.Receive(kind.DamagedFromTemporary);
    s.Ports.Pump();

    const auto requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), kind.DamagedRequests);
    EXPECT_EQ(requests[kind.Repeated], requests[kind.Repeated - 1]);
    for (const auto& [index, address] : kind.DamagedAddresses) EXPECT_EQ(AddressOf(requests[index]), address) << index;
    EXPECT_TRUE(s.Model.Messages.Shown.empty());           // no wait, no time-out
    if (kind.DamagedFromTemporary) element.Temporary = 1;  // its body then addresses where the data came from
    ExpectTheInstrumentsData();
    EXPECT_EQ(s.Progress.BytesReceived, kind.BytesReceived);
    EXPECT_TRUE(s.Progress.Completed);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReceiveDamaged, ::testing::Values(PatchKind, PerformanceKind, RhythmKind, SystemKind),
                         ScenarioName);

// Replies for another block or another slot, and a note: none is stored or advances the receive, nor is
// anything asked again. (A reply cut short is damaged: see ReceiveSpoilt.)
struct TStrayCase {
    TScenarioKind Kind;
    std::vector<Bytes> Strays;
};

void PrintTo(const TStrayCase& c, std::ostream* os) { *os << c.Kind.Name; }

class ReceiveStrays : public ::testing::TestWithParam<TStrayCase> {};

TEST_P(ReceiveStrays, AReplyForAnotherStepIsNotStored) {
    TTransferScope s;
    std::unique_ptr<TLibElem> element = InUserSlot1(GetParam().Kind.Kind);
    s.Sim.Silent = true;
    element->Receive(false);
    const Bytes before = SyxOf(*element);

    for (const Bytes& m : GetParam().Strays) s.Ports.Queue.push_back(m);
    s.Ports.Pump();
    EXPECT_EQ(element->MessageCount, 0);
    EXPECT_EQ(SyxOf(*element), before);
    EXPECT_EQ(s.Ports.Requests().size(), 1u);
    EXPECT_TRUE(s.Progress.TimerEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReceiveStrays,
    ::testing::Values(
        TStrayCase{PatchKind,
                   {
                       MakeDataSet(0x10, 0x11001400, Bytes(129, 0x22)),  // tone 3 while the common is awaited
                       MakeDataSet(0x10, 0x11010000, Bytes(72, 0x22)),   // another slot's common
                       Bytes{0x90, 0x3C, 0x40},                          // a note
                   }},
        TStrayCase{PerformanceKind,
                   {
                       MakeDataSet(0x10, 0x10001000, Bytes(19, 0x22)),  // part 1 while the common is awaited
                       MakeDataSet(0x10, 0x10010000, Bytes(64, 0x22)),  // another slot's common
                       Bytes{0x90, 0x3C, 0x40},                         // a note
                   }}),
    [](const ::testing::TestParamInfo<TStrayCase>& info) { return std::string(info.param.Kind.Name); });

// A note from the keyboard after reply Interject, and every reply twice: dropped without advancing.
struct TInterjectCase {
    TScenarioKind Kind;
    int Interject;
    std::size_t Requests;
};

void PrintTo(const TInterjectCase& c, std::ostream* os) { *os << c.Kind.Name; }

class ReceiveInterjected : public ::testing::TestWithParam<TInterjectCase> {};

TEST_P(ReceiveInterjected, StrayAndDuplicateMessagesAreDroppedAndTheWaitGoesOn) {
    const TInterjectCase& c = GetParam();
    TTransferScope s;
    SeedEveryBlock(s.Sim);
    std::unique_ptr<TLibElem> element = InUserSlot1(c.Kind.Kind);
    s.Sim.InterjectAfterReply(c.Interject);
    s.Sim.AnswerTwice = true;
    element->Receive(false);
    s.Ports.Pump();

    EXPECT_EQ(s.Ports.Requests().size(), c.Requests);
    EXPECT_EQ(ExpectInstrumentsData(*element, s.Sim), c.Kind.Blocks);
    s.Clock->Advance(c.Kind.ClosingDelay);
    EXPECT_EQ(s.Progress.Closes, 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReceiveInterjected,
                         ::testing::Values(TInterjectCase{PatchKind, 2, 1}, TInterjectCase{RhythmKind, 10, 65}),
                         [](const ::testing::TestParamInfo<TInterjectCase>& info) {
                             return std::string(info.param.Kind.Name);
                         });

class ReceiveSilent : public ReceiveScenario {};

TEST_P(ReceiveSilent, NotesFromTheKeyboardDoNotHoldOffTheTimeOut) {
    TLibElem& element = Element();
    s.Sim.Silent = true;
    s.Model.Messages.Answers.push_back(TMessageResult::Cancel);
    element.Receive(false);
    for (int i = 0; i < 3; ++i) {
        s.Clock->Advance(500);
        s.Ports.Queue.push_back(Bytes{0x90, 0x3C, 0x40});
        s.Ports.Pump();
    }
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    s.Clock->Advance(500);
    ASSERT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(s.Model.Messages.Shown[0].Text, "The Instrument Is Not Responding.");
}

TEST_P(ReceiveSilent, ASilentInstrumentCancelledEndsTheTransfer) {
    TLibElem& element = Element();
    s.Sim.Silent = true;
    s.Model.Messages.Answers.push_back(TMessageResult::Cancel);
    element.Receive(false);
    s.Clock->Advance(2000);
    ASSERT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_FALSE(s.Progress.Completed);
    EXPECT_EQ(s.Ports.Requests().size(), 1u);
    s.Clock->Advance(5000);
    EXPECT_EQ(s.Model.Messages.Shown.size(), 1u);
}

TEST_P(ReceiveSilent, WithoutPortsChangesNothing) {
    TFakeLibrary library;
    std::unique_ptr<TLibElem> element = CreateElementOfType(GetParam().Kind, &library);
    DevicesOpen = 0;
    element->Receive(false);
    EXPECT_EQ(library.Saved, 1);
    EXPECT_TRUE(s.Ports.Sent.empty());
    EXPECT_EQ(s.Progress.Starts, 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReceiveSilent, ::testing::Values(PatchKind, PerformanceKind, RhythmKind), ScenarioName);

// The instrument stops after Answered replies; Retry after the time-out asks for the missing block, and
// the rest follows.
struct TStopCase {
    TScenarioKind Kind;
    int Answered;
};

void PrintTo(const TStopCase& c, std::ostream* os) { *os << c.Kind.Name; }

class ReceiveStops : public ::testing::TestWithParam<TStopCase> {};

TEST_P(ReceiveStops, AnInstrumentThatStopsHalfWayIsReportedAndRetryAsksForTheMissingBlock) {
    const TStopCase& c = GetParam();
    TTransferScope s;
    SeedEveryBlock(s.Sim);
    std::unique_ptr<TLibElem> element = InUserSlot1(c.Kind.Kind);
    s.Ports.DropRepliesAfter = c.Answered;
    s.Model.Messages.Answers.push_back(TMessageResult::Retry);
    element->Receive(false);
    EXPECT_EQ(s.Ports.Pump(), c.Answered);
    EXPECT_EQ(element->MessageCount, c.Answered);

    s.Clock->Advance(1999);
    EXPECT_TRUE(s.Model.Messages.Shown.empty());
    s.Ports.DropRepliesAfter = -1;
    s.Clock->Advance(1);
    ASSERT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(s.Model.Messages.Shown[0].Text, "The Instrument Is Not Responding.");
    const auto requests = s.Ports.Requests();
    const auto answered = static_cast<std::size_t>(c.Answered);
    ASSERT_EQ(requests.size(), answered + 2);
    EXPECT_EQ(requests[answered + 1], requests[answered]);  // the missing block again
    s.Ports.Pump();
    EXPECT_EQ(ExpectInstrumentsData(*element, s.Sim), c.Kind.Blocks);
    EXPECT_EQ(s.Ports.Requests().size(), static_cast<std::size_t>(c.Kind.Blocks) + 1);
    s.Clock->Advance(c.Kind.ClosingDelay);
    EXPECT_EQ(s.Progress.Closes, 1);
    EXPECT_EQ(s.Model.Messages.Shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReceiveStops,
                         ::testing::Values(TStopCase{PerformanceKind, 5}, TStopCase{RhythmKind, 40}),
                         [](const ::testing::TestParamInfo<TStopCase>& info) {
                             return std::string(info.param.Kind.Name);
                         });

// An instrument or a cable that spoils every reply: each request is asked for again until three damaged
// replies have come in a row, then the user gets the choice a silent instrument gives. Retry asks three
// times more; Cancel ends the receive with nothing stored and nothing marked modified.
struct TSpoiltCase {
    const char* Name;
    ElementType Kind;
    TReplyFault Fault;
};

void PrintTo(const TSpoiltCase& c, std::ostream* os) { *os << c.Name; }

class ReceiveSpoilt : public ::testing::TestWithParam<TSpoiltCase> {};

TEST_P(ReceiveSpoilt, ThreeDamagedRepliesAreReportedAndNothingIsStored) {
    TBankTransferScope s;
    SeedEveryBlock(s.Sim);
    TFakeLibrary library;
    std::unique_ptr<TLibElem> element = CreateElementOfType(GetParam().Kind, &library);
    element->Temporary = 0;
    element->User = 1;
    element->Number = 1;
    const Bytes before = RecordOf(*element);
    s.Sim.SetReplyFault(GetParam().Fault);
    s.Model.Messages.Answers = {TMessageResult::Retry, TMessageResult::Cancel};
    element->Receive(false);

    ASSERT_EQ(s.Model.Messages.Shown.size(), 2u);
    for (const TShownMessage& shown : s.Model.Messages.Shown) {
        EXPECT_EQ(shown.Text, "The Instrument Is Not Responding.");
        EXPECT_EQ(shown.Buttons, TMessageButtons::RetryCancel);
    }
    // The first block, three times before each question.
    const std::vector<Bytes> requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 6u);
    for (const Bytes& request : requests) EXPECT_EQ(request, requests.front());
    EXPECT_FALSE(s.Progress.Completed);
    EXPECT_EQ(RecordOf(*element), before);
    EXPECT_EQ(library.Saved, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReceiveSpoilt,
    ::testing::Values(TSpoiltCase{"PatchBadChecksums", etPatch, TReplyFault::BadChecksumAlways},
                      TSpoiltCase{"PerformanceBadChecksums", etPerformance, TReplyFault::BadChecksumAlways},
                      TSpoiltCase{"PatchCutShort", etPatch, TReplyFault::OneByteShort},
                      TSpoiltCase{"PerformanceCutShort", etPerformance, TReplyFault::OneByteShort},
                      TSpoiltCase{"PatchBankBadChecksums", etPatchBank, TReplyFault::BadChecksumAlways},
                      TSpoiltCase{"PerformanceBankBadChecksums", etPerformanceBank, TReplyFault::BadChecksumAlways},
                      TSpoiltCase{"RhythmBankBadChecksums", etRhythmBank, TReplyFault::BadChecksumAlways},
                      // A repeated 00 keeps the checksum valid: the length alone shows the damage.
                      TSpoiltCase{"PatchBankByteInserted", etPatchBank, TReplyFault::ByteInsertedInData},
                      TSpoiltCase{"PatchBankOneByteLong", etPatchBank, TReplyFault::OneByteLongAtEnd}),
    [](const ::testing::TestParamInfo<TSpoiltCase>& info) { return std::string(info.param.Name); });

// The second tone of every patch comes spoilt each time: the common and the first tone arrive whole on
// every attempt, yet the damaged replies to the patch's one request go on counting.
TEST(ReceiveSpoiltTone, IsReportedAfterThreeAttemptsAtThePatch) {
    TBankTransferScope s;
    SeedEveryBlock(s.Sim);
    TFakeLibrary library;
    std::unique_ptr<TLibElem> bank = CreateElementOfType(etPatchBank, &library);
    const TInstrumentSimulator::TTransmit transmit = s.Sim.Transmit;
    s.Sim.Transmit = [transmit](const TBytes& m) {
        TBytes reply = m;
        if (reply.size() == TTone::MessageSize && reply[7] == 0x12) reply[reply.size() - 2] ^= 0x01;
        transmit(reply);
    };
    s.Model.Messages.Answers = {TMessageResult::Cancel};
    bank->Receive(false);

    ASSERT_EQ(s.Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(s.Model.Messages.Shown[0].Text, "The Instrument Is Not Responding.");
    const std::vector<Bytes> requests = s.Ports.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(AddressOf(requests[2]), "11 00 00 00");
    EXPECT_EQ(library.Saved, 1);
}

}  // namespace
}  // namespace zel::test
