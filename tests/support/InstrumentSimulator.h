#pragma once
// A stand-in for the JV-1080 that transfer tests talk to. It holds the instrument's memory laid out as
// its address map (system, the temporary performance, patch and rhythm set, user and card memory),
// applies each data set (12H) addressed to its device byte, answers each data request (11H) with one
// data set per block the request covers, and ignores other makers and models. It can misbehave on
// demand: stay silent, answer late, spoil one checksum, slip a short message into a reply, or answer
// twice; and a test chooses one of the faults of a bad instrument or cable (TReplyFault) for its replies.
//
// It sits behind the MIDI layer in-process (AttachInProcess) or behind a JACK client (JackInstrument.h).
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/midi/MidiBackend.h"

namespace zel::test {

using TBytes = std::vector<std::uint8_t>;

// Addresses are four 7-bit bytes, most significant first, held as 0xa3a2a1a0.
std::uint32_t AddressToLinear(std::uint32_t address);  // 7-bit packed: a3<<21 | a2<<14 | a1<<7 | a0
std::uint32_t LinearToAddress(std::uint32_t linear);
constexpr std::uint32_t Addr(std::uint8_t a3, std::uint8_t a2, std::uint8_t a1, std::uint8_t a0) {
    return (std::uint32_t{a3} << 24) | (std::uint32_t{a2} << 16) | (std::uint32_t{a1} << 8) | a0;
}

std::uint8_t RolandChecksumOf(const std::uint8_t* bytes, std::size_t count);
// Builds a data set (12H) or a data request (11H, data = the four size bytes) for model 6AH.
TBytes MakeRolandMessage(std::uint8_t device, std::uint8_t command, std::uint32_t address, const TBytes& data);
inline TBytes MakeDataSet(std::uint8_t device, std::uint32_t address, const TBytes& data) {
    return MakeRolandMessage(device, 0x12, address, data);
}
TBytes MakeDataRequest(std::uint8_t device, std::uint32_t address, std::uint32_t size);

// What goes wrong with the instrument's replies. Faults of the cable or the instrument strike every
// reply; the one-off disturbances strike once, just before reply FaultAtReply.
enum class TReplyFault {
    None,
    BadChecksumOnce,      // reply FaultAtReply carries a wrong checksum
    BadChecksumAlways,    // every reply carries a wrong checksum
    OneByteShort,         // the last data byte is lost (the checksum fits what is sent)
    OneByteLongAtEnd,     // a 00 data byte more at the end: the checksum stays valid
    ByteInsertedInData,   // a 00 byte repeated in the middle of the data: the checksum stays valid
    OtherAddress,         // the data set names the next address (a sound message for another place)
    EveryReplyTwice,      // each reply comes twice in a row
    SilentAfterHalf,      // the replies stop after reply FaultAtReply
    TenTimesSlower,       // each reply takes ten times as long as the wire needs for it
    RealTimeInterleaved,  // a note on, active sensing, clock and the note off after every reply
    HugeSysex,            // one 64 KB System Exclusive message of another maker
    UnterminatedSysex,    // the first half of a reply, without its F7
    RandomBytes,          // a burst of bytes that form no sensible message
};
const char* ReplyFaultName(TReplyFault fault);

class TInstrumentSimulator {
public:
    // One parameter block of the address map: its address and its number of data bytes.
    struct TBlock {
        std::uint32_t Address = 0;
        std::uint16_t Size = 0;
    };
    // Every block of the map in address order.
    static const std::vector<TBlock>& Blocks();

    // Where the simulator's messages go (one complete message per call).
    using TTransmit = std::function<void(const TBytes&)>;
    // How a late answer is put off: runs fn after ms milliseconds. By default a one-shot timer of the
    // clock service, so a manual clock's Advance releases it.
    using TSchedule = std::function<void(std::uint32_t ms, std::function<void()> fn)>;

    explicit TInstrumentSimulator(std::uint8_t deviceByte = 0x10);

    std::uint8_t DeviceByte = 0x10;
    TTransmit Transmit;
    TSchedule Schedule;

    // Takes one complete message from the program.
    void Receive(const std::uint8_t* data, std::size_t length);
    void Receive(const TBytes& bytes) { Receive(bytes.data(), bytes.size()); }

    // Memory. Addresses outside every block read as 0 and ignore writes.
    std::uint8_t Peek(std::uint32_t address) const;
    void Poke(std::uint32_t address, std::uint8_t value);
    TBytes Read(std::uint32_t address, std::size_t count) const;
    void Write(std::uint32_t address, const TBytes& bytes);
    static bool IsMapped(std::uint32_t address);

    // Failure modes.
    bool Silent = false;             // applies data sets, answers nothing
    std::uint32_t ReplyDelayMs = 0;  // answers this late (through Schedule)
    bool AnswerTwice = false;        // every answer is sent two times over
    bool NoCard = false;             // no data card inserted: requests for card memory go unanswered
    // Runs after each applied data set with its address and data, as the instrument reacts to some
    // parameters (a new effect type loads that type's default values).
    std::function<void(std::uint32_t address, const TBytes& data)> AfterDataSet;
    // The n-th reply message from now (1-based) carries a wrong checksum; once.
    void CorruptChecksumOfReply(int n) { corruptCountdown_ = n; }
    // After the n-th reply message from now (1-based) the given short message is sent; once.
    void InterjectAfterReply(int n, TBytes message = {0x90, 0x3C, 0x40}) {
        interjectCountdown_ = n;
        interject_ = std::move(message);
    }

    // The fault of every reply from now on (TReplyFault::None: sound replies), and the reply (1-based,
    // counted from now) at which the one-off faults strike and after which the silent one begins.
    void SetReplyFault(TReplyFault fault, int atReply = 1) {
        std::lock_guard<std::recursive_mutex> guard(lock_);
        fault_ = fault;
        faultAt_ = atReply;
        repliesAnswered_ = 0;
        slowUntilMs_ = 0;
    }
    TReplyFault ReplyFault() const { return fault_; }
    // How long the wire (31250 baud, ten bits a byte) takes for Bytes bytes, in milliseconds rounded up.
    static std::uint32_t WireMs(std::size_t Bytes) { return static_cast<std::uint32_t>((Bytes * 320 + 999) / 1000); }

    // What happened, for the tests to look at.
    std::vector<TBytes> ReceivedMessages() const;
    std::vector<TBytes> SentMessages() const;
    int DataSetsApplied() const;
    int RequestsReceived() const;
    int IgnoredMessages() const;  // foreign model or device, bad checksum, short messages...
    void ClearLog();

    // Connects the simulator to an in-process back end as an output port (the program sends to it) and
    // an input port (the program hears it) of the same name.
    void AttachInProcess(TInProcessMidiBackend& backend, const std::string& portName = "JV-1080");

private:
    void HandleDataSet(const std::uint8_t* data, std::size_t length);
    void HandleRequest(const std::uint8_t* data, std::size_t length);
    void SendReplies(std::vector<TBytes> replies);
    // One reply with the chosen fault applied.
    void SendFaulty(TBytes reply);
    void Emit(const TBytes& message);
    std::uint8_t* Locate(std::uint32_t linear);
    const std::uint8_t* Locate(std::uint32_t linear) const;

    mutable std::recursive_mutex lock_;
    std::map<std::uint32_t, TBytes> memory_;  // block start (linear) -> data bytes
    std::vector<TBytes> received_, sent_;
    int dataSets_ = 0, requests_ = 0, ignored_ = 0;
    int corruptCountdown_ = 0;
    int interjectCountdown_ = 0;
    TBytes interject_;
    TReplyFault fault_ = TReplyFault::None;
    int faultAt_ = 1;
    int repliesAnswered_ = 0;
    std::uint32_t slowUntilMs_ = 0;  // the slow instrument's wire is busy until then (tick count)
};

}  // namespace zel::test
