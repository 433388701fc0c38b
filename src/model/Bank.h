#pragma once
// Banks: the elements that stand for one whole memory of the instrument, in the user memory or on the
// data card: 128 patches, 32 performances or 2 rhythm sets. TBank holds the members and their window;
// the three bank classes create their members and run the bank transfers, message by message on the
// progress window's timer, with a reply time-out, a re-request after a damaged reply, the progress
// counters and, for patch and performance banks, the update of the user and card name lists.
//
// A bank's .Syx body is its members' bodies back to back; its library record is the element header,
// i16 WindowWidth, i16 WindowHeight and the body.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/LibElem.h"
#include "model/Library.h"
#include "model/ModelServices.h"

namespace zel {

class TPatch;
class TPerformance;
class TRhythm;

// Messages of a whole bank transfer, as the progress window counts them.
inline constexpr int PatchBankMessages = 640;
inline constexpr int PerformanceBankMessages = 544;
inline constexpr int RhythmBankMessages = 130;
// The pace of a bank transmit: one message per tick.
inline constexpr std::uint32_t BankTransmitTickMs = 50;
// How long a finished transfer's window stays before it closes.
inline constexpr std::uint32_t TransferCloseDelayMs = 1000;
// The wait before a patch is asked for again after a damaged reply, while the rest of its replies
// still come in and are swallowed.
inline constexpr std::uint32_t RequestAgainDelayMs = 300;

// What the transfers of a bank need to know of its members' kind. A member travels as Steps messages,
// the common first; step s lies at StepOffset(s) inside the member's area.
struct TBankKind {
    int Slots;                 // members of the bank
    int Steps;                 // messages of one member
    std::int32_t MemberBytes;  // the bytes of one member's messages
    int Messages;              // messages of a whole transfer, as the progress window counts them
    const char* Title;         // the kind in the progress window's title ("Patch Bank")
    const char* Label;         // the progress window's element label ("Patch Number")
    bool Names;                // the user and card name lists follow the transfer
    TNameListKind UserNames;   // which ones, when they do
    TNameListKind CardNames;
    bool CountMessages;           // a transmit counts the bytes of each message (else of each member)
    bool CountMemberAtStart;      // the window counts a member when it begins (else when it is done)
    std::uint32_t CommonRequest;  // the size bytes of the data request for the common
    std::uint32_t BlockRequest;   // and for any other step
    std::uint32_t (*BaseAddress)(bool User, int Slot);
    std::uint16_t (*StepOffset)(int Step);
    std::span<std::uint8_t> (*StepMessage)(TLibElem& Member, int Step);
};

class TBank : public TLibElem {
public:
    // Named "Untitled", in the user memory, no members, window sizes never stored.
    explicit TBank(TLibElem* AOwner);
    // Closes the bank window, then destroys the members.
    ~TBank() override;
    std::string ClassName() const override { return "TBank"; }

    // The base copy, then each member from the source's member at the same index.
    void Assign(TLibElem* Source) override;
    // Each member's views, then the bank window.
    void UpdateViews() override;
    // The bank's heading and one row per member, with page breaks between rows.
    void PrintLine(int& Y, bool WithLocation) override;
    // The members' bodies in member order, each addressed to its place in the bank's memory.
    void WriteSyx(TStream& F) override;
    // The members' bodies in member order. The whole body is checked before any member changes: a
    // damaged or short body raises and leaves every member as it was.
    void ReadSyx(TStream& F) override;
    // The element header, i16 WindowWidth, i16 WindowHeight, then the body.
    void WriteLibRecord(TStream& F) override;
    void ReadLibRecord(TStream& F) override;
    // Each member's initial values.
    void InitDefault() override;
    // The bank window's left, top, width and height; each change marks the root library unsaved.
    void StoreWindowPositions() override;

    // Gives every member its place in the bank's memory: not temporary, the bank's memory, slot
    // index + 1. The bank's User flag decides where its members are sent and how they are addressed.
    virtual void PlaceMembers();

    // Input handler while a damaged reply's companions are still coming: takes and drops every waiting
    // event.
    void SwallowMidiInput(TObject* Sender);
    // Timer handler 300 ms after a damaged reply: asks for the same member again.
    void RequestAgain();

    int MemberCount() const { return static_cast<int>(Members.size()); }
    // The base address of the member at Index (0-based) in the bank's memory.
    std::uint32_t MemberAddress(int Index) const;

    TElementList Members;            // in slot order; the bank owns them
    std::int16_t WindowHeight = -1;  // -1: never stored
    std::int16_t WindowWidth = -1;
    // The member being transferred (0-based) and the message within it.
    std::int16_t TransferIndex = 0;
    std::int16_t TransferStep = 0;

protected:
    // A new member of the bank's kind, owned by Owner (none for a bank of no fixed kind).
    virtual std::unique_ptr<TLibElem> CreateMember(TLibElem* MemberOwner) {
        (void)MemberOwner;
        return nullptr;
    }
    // Creates Count members numbered 1..Count, in the user memory.
    void CreateMembers(int Count);
    // The transfer title's memory word: "User" or "Data Card".
    std::string MemoryTitle() const;
    // The name list of this bank's kind and memory gets the name of the member at TransferIndex: it
    // replaces the entry there, or is appended when the list is shorter.
    void StoreTransferName(TNameListKind UserList, TNameListKind CardList);
    // Loads the update window's name lists before a transfer (when the name lists are registered).
    static void LoadUpdateNames();
    // Saves them and reloads the picker's lists after a whole bank was transferred.
    static void SaveUpdateNames();
    // A finished transfer: Completed set; the window closes on the next tick of the time-out timer,
    // which waits 1000 ms. With Names the name lists are saved and reloaded.
    void FinishTransfer(bool Names);
    // After the modal progress window has closed: no repeated request may follow.
    static void EndTransfer();

    // The transfers of a bank of a member kind, message by message through the progress window.
    // Transmit: one message per 50 ms tick, from the first member on.
    void TransmitMembers();
    // One message of the transmit; after the last member the transfer finishes.
    void TransmitMemberStep();
    // Receive: the first request, then the input handler asks for the rest.
    void ReceiveMembers(bool FromTemporary);
    // Asks for step TransferStep of the member at TransferIndex.
    void RequestStep(const TTransferLink& Link);
    // Takes the event when it is the reply to step TransferStep (see TakeExpectedReply), keeps it for
    // the member and moves to the next step; the bytes kept, 0 when the event was not that reply.
    std::size_t TakeStepReply(const TTransferLink& Link, const TMyMidiEvent* Event,
                              const std::function<void()>& AskAgain);
    // The member at TransferIndex takes its kept replies, all at once.
    void StoreKeptMember();

    // The bank's member kind; none for a bank of no fixed kind.
    const TBankKind* kind_ = nullptr;
};

// ------------------------------------------------------------------------------------------ patch bank

class TPatchBank : public TBank {
public:
    // Type code 1 and 128 patches numbered 1..128.
    explicit TPatchBank(TLibElem* AOwner);
    std::string ClassName() const override { return "TPatchBank"; }

    // Sends the 128 patches, five messages each, one message per 50 ms tick of the progress window.
    void Transmit(bool ToTemporary) override;
    // Fetches the 128 patches through the progress window.
    void Receive(bool FromTemporary) override;
    // Asks for the whole patch at TransferIndex (or finishes the bank).
    void RequestNext() override;
    // One message of the transmit.
    void TransmitStep() override;

    // The input handler of a receive: stores the reply when it is the data set expected next; a damaged
    // one sends the rest of the patch's replies to the swallower and asks again 300 ms later. A patch
    // takes its five replies at once, when the last has come.
    void ReceiveHandler(TObject* Sender) override;

    TPatch& Patch(int Index);  // 0-based

protected:
    std::unique_ptr<TLibElem> CreateMember(TLibElem* MemberOwner) override;
};

// ------------------------------------------------------------------------------------ performance bank

class TPerformanceBank : public TBank {
public:
    // Type code 3 and 32 performances numbered 1..32.
    explicit TPerformanceBank(TLibElem* AOwner);
    std::string ClassName() const override { return "TPerformanceBank"; }

    // Sends the 32 performances, seventeen messages each, one message per 50 ms tick.
    void Transmit(bool ToTemporary) override;
    // Fetches the 32 performances block by block through the progress window.
    void Receive(bool FromTemporary) override;
    // Asks for the common or part TransferStep of the performance at TransferIndex.
    void RequestNext() override;
    void TransmitStep() override;

    // The input handler of a receive: stores the reply when it is the block asked for; a damaged one is
    // asked for again at once. A performance takes its seventeen blocks at once, when the last has come.
    void ReceiveHandler(TObject* Sender) override;

    TPerformance& Performance(int Index);  // 0-based

protected:
    std::unique_ptr<TLibElem> CreateMember(TLibElem* MemberOwner) override;
};

// ----------------------------------------------------------------------------------------- rhythm bank

class TRhythmBank : public TBank {
public:
    // Type code 5 and 2 rhythm sets numbered 1..2.
    explicit TRhythmBank(TLibElem* AOwner);
    std::string ClassName() const override { return "TRhythmBank"; }

    // Sends both rhythm sets, 65 messages each, one message per 50 ms tick.
    void Transmit(bool ToTemporary) override;
    // Fetches both rhythm sets block by block through the progress window.
    void Receive(bool FromTemporary) override;
    // Asks for the common or note TransferStep (key 34 + step) of the set at TransferIndex.
    void RequestNext() override;
    void TransmitStep() override;

    // The input handler of a receive, as the performance bank's.
    void ReceiveHandler(TObject* Sender) override;

    TRhythm& Rhythm(int Index);  // 0-based

protected:
    std::unique_ptr<TLibElem> CreateMember(TLibElem* MemberOwner) override;
};

}  // namespace zel
