// A patch, performance, rhythm set or system received on its own changes all at once or not at all:
// the replies are held until the last has come, then stored in one step that touches the element once.
#include <gtest/gtest.h>

#include <tuple>

#include "model/LibElem.h"
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

Bytes RecordOf(TLibElem& element) {
    TMemoryStream out;
    element.WriteLibRecord(out);
    return Bytes(out.Memory(), out.Memory() + out.GetSize());
}

class SingleReceive : public ::testing::TestWithParam<std::tuple<TKindCase, TEnding>> {
protected:
    // Every block of the instrument holds its own recognisable data.
    void SeedInstrument() {
        unsigned seed = 1;
        for (const auto& block : TInstrumentSimulator::Blocks())
            s.Sim.Write(block.Address, Pattern(block.Size, seed++));
    }
    // Each message of the element's body carries the data the instrument holds at its address.
    void ExpectTheInstrumentsData(TLibElem& element) {
        const Bytes body = SyxOf(element);
        int messages = 0;
        for (std::size_t at = 0; at < body.size(); ++messages) {
            std::size_t end = at + 1;
            while (body[end] != 0xF7) ++end;
            const std::uint32_t address = Addr(body[at + 5], body[at + 6], body[at + 7], body[at + 8]);
            const Bytes data(body.begin() + static_cast<long>(at) + 9, body.begin() + static_cast<long>(end) - 1);
            EXPECT_EQ(data, s.Sim.Read(address, data.size())) << "message " << messages;
            at = end + 1;
        }
        EXPECT_EQ(messages, std::get<0>(GetParam()).Replies);
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

}  // namespace
}  // namespace zel::test
