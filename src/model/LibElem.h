#pragma once
// The element: everything a library holds (patch, performance, rhythm set, system, their banks, the
// global set, the library itself) derives from TLibElem. It carries the element's identity, its place
// on the instrument, its owner and window, the state of a running transfer, and the virtual operations
// through which libraries, banks, windows and transfers treat every kind alike.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/ModelServices.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

namespace zel {

// Element type code, a 16-bit number; the display names are "Patch", "Patch Bank", ...
using ElementType = std::int16_t;
inline constexpr ElementType etPatch = 0;
inline constexpr ElementType etPatchBank = 1;
inline constexpr ElementType etPerformance = 2;
inline constexpr ElementType etPerformanceBank = 3;
inline constexpr ElementType etRhythm = 4;
inline constexpr ElementType etRhythmBank = 5;
inline constexpr ElementType etSystem = 6;
inline constexpr ElementType etGlobal = 7;
inline constexpr int ElementTypeCount = 8;

inline constexpr std::size_t ElementNameLength = 12;  // stored name field
inline constexpr int StoredFileNameLength = 79;       // stored file-name field of a library record
inline constexpr const char* UntitledSyx = "Untitled.Syx";

// Set only while an import from or an export to the XP format runs: the .Syx sizes and bodies of
// patches, performances and systems then use the longer XP messages.
extern std::uint8_t XpFormat;

// A type code that has no element class.
ZEL_DECLARE_EXCEPTION(EElementTypeError, Exception)

// The reply time-out of every transfer, in milliseconds.
inline constexpr std::uint32_t ReplyTimeoutMs = 2000;
// Damaged replies to one request after which a receive stops asking and reports the instrument as not
// responding: a cable or an instrument that spoils every reply is never answered by asking for ever.
inline constexpr int MaxDamagedReplies = 3;

// The two services a transfer with the instrument runs through. Empty while the ports are closed or
// either service is missing: no step of a transfer runs then.
struct TTransferLink {
    ITransferProgress* Progress = nullptr;
    IMidiPorts* Ports = nullptr;
    explicit operator bool() const { return Progress != nullptr && Ports != nullptr; }
};
TTransferLink TransferLink();

// One block of an element that a receive fetches: where it lies from the element's base address, the
// size bytes of its data request, and the message buffer its reply fills.
struct TReceiveBlock {
    std::uint16_t Offset = 0;
    std::uint32_t RequestSize = 0;
    std::span<std::uint8_t> Target;
};

// How a patch, performance, rhythm set or system is received: its blocks in the order they come (the
// common first), the base address, the texts of the progress window and how the receive asks and ends.
// A kind without blocks is not received: a receive only touches it.
struct TReceiveTable {
    std::vector<TReceiveBlock> Blocks;
    std::uint32_t Base = 0;
    std::string Title;  // "Now Receiving Performance"
    std::string Label;  // the progress window's element label
    // One request of WholeRequestSize bytes (not counted as sent) asks for the whole element, and the
    // instrument answers block after block; a damaged reply asks for the whole element again. The
    // progress window counts one message, and the bytes and blocks received once all are in. Otherwise
    // every block has a request of its own, counted, and each reply is counted as it comes.
    bool WholeElement = false;
    std::uint32_t WholeRequestSize = 0;
    // 0: the progress window closes as the last block is stored; else the transfer is complete then and
    // the window closes that long afterwards.
    std::uint32_t ClosingDelayMs = 0;
};

class TLibElem : public TObject {
public:
    // Slot 0: Owner as given, type 0, dates now, in the temporary area, slot 1, never placed,
    // file "Untitled.Syx".
    explicit TLibElem(TLibElem* AOwner);
    // Slot 19: closes the element's open window.
    ~TLibElem() override;
    std::string ClassName() const override { return "TLibElem"; }

    // Slot 1: copies Name, Selected, FileName, Temporary, User and Number from an element of the same
    // kind, then touches this element.
    virtual void Assign(TLibElem* Source);
    // Slot 2.
    virtual std::string GetName() const;
    // Slot 3: keeps the first 12 characters; Send matters only to kinds that keep the name in their data.
    virtual void SetName(const std::string& AName, bool Send);
    // Slot 4: refreshes the element's open windows.
    virtual void UpdateViews();
    // Slot 5: fills headers, addresses and checksums of the message buffers for the current location.
    virtual void BuildSysEx();
    // Slot 6: writes the .Syx body (the base builds the messages and writes nothing).
    virtual void WriteSyx(TStream& F);
    // Slot 7: reads the .Syx body.
    virtual void ReadSyx(TStream& F);
    // Slot 8: the library record, beginning with the common header (after StoreWindowPositions).
    virtual void WriteLibRecord(TStream& F);
    // Slot 9: reads the record after its type word, which the reader has already consumed.
    virtual void ReadLibRecord(TStream& F);
    // Slot 10: saves the .Syx file, straight to FileName once the element has a file, else through the
    // save dialog.
    virtual void SaveSyxDialog(bool SaveAs);
    // Slot 11: loads a .Syx file chosen in the open dialog.
    virtual void LoadSyxDialog();
    // Slot 12: sends the element to its location, or to the temporary area.
    virtual void Transmit(bool ToTemporary);
    // Slot 13: fetches the element from the instrument through the progress window, block by block as
    // ReceiveTable gives them. The element changes only when every block has come, in one step that
    // touches it once; a cancelled or failed receive leaves it as it was, and unmodified. A kind without
    // blocks, or ports that are not usable, change nothing.
    virtual void Receive(bool FromTemporary);
    // Slot 14: the initial values of the element's data.
    virtual void InitDefault();
    // Slot 15: the next data request of a receive: empties the input, asks for the block the message
    // counter names (or for the whole element), arms the reply time-out and takes the input. Once the
    // element is complete it asks nothing and lets the progress window close after the table's delay.
    virtual void RequestNext();
    // Slot 16: copies the open window's position into WindowLeft/WindowTop; each change marks the root
    // library unsaved.
    virtual void StoreWindowPositions();
    // Slot 17: one message of a bank transmit per timer tick.
    virtual void TransmitStep();
    // Slot 18: the element's lines of a printed listing.
    virtual void PrintLine(int& Y, bool WithLocation);

    // Clears the saved flag of a library; every other kind has none.
    virtual void MarkUnsaved() {}
    // The input handler of a receive: takes one event (nothing while no table's receive runs). A reply
    // is kept only when it is the data set of the block expected (address and length); a damaged one is
    // asked for again; anything else is dropped while the time-out keeps counting. Each kept block is
    // followed by the request for the next (or, for a whole-element request, a fresh time-out); the
    // last stores the element and ends the transfer.
    virtual void ReceiveHandler(TObject* Sender);
    // The blocks of a receive from the element's location, or from the temporary area (none in the
    // base).
    virtual TReceiveTable ReceiveTable(bool FromTemporary);
    // The address of the block that a receive expects now.
    std::uint32_t ExpectedReplyAddress() const;

    // Opens the element's window, or brings it to the front when it is open. Patches, performances,
    // rhythm sets and systems are first sent to the temporary area. A window that cannot be made raises
    // EOutOfMemory "Out of Memory or Resource" and leaves the element without a window.
    void OpenEditor();
    // "Temporary", "User : 5", "Card : 5"; a bank "User" or "Card"; a system or global nothing.
    std::string LocationText() const;
    // The byte size a .Syx file of this kind must have (XP sizes while XpFormat is set); -1 for none.
    std::int32_t ExpectedSyxSize() const;
    std::string TypeName() const { return TypeName(ElemType); }
    static std::string TypeName(int code);

    // Timer handler of a bank transmit: one step.
    void TransmitTimer(TObject* Sender);
    // Timer handler of the reply time-out of every transfer.
    void InstrumentNotResponding(TObject* Sender);

    std::string Name;  // at most 12 characters
    ElementType ElemType = 0;
    TDateTime ModifiedDate = 0;  // date part of the last change
    TDateTime ModifiedTime = 0;  // time-of-day part of the last change
    TDateTime CreatedDate = 0;
    TDateTime CreatedTime = 0;
    std::uint8_t Selected = 0;
    std::string FileName = UntitledSyx;  // the full path of the file last loaded or saved
    std::uint8_t Temporary = 1;          // 1: the instrument's temporary (edit) area
    std::uint8_t User = 0;               // 1: user memory, 0: data card (when not temporary)
    std::uint8_t HasFile = 0;            // 1 once saved to a file
    std::uint8_t WindowOpen = 0;
    std::int16_t WindowLeft = -1;  // -1: never placed
    std::int16_t WindowTop = -1;
    std::int16_t Number = 1;            // 1-based slot in user memory or on the card
    TLibElem* Owner = nullptr;          // the bank, global or library holding the element
    TObject* Window = nullptr;          // the open window, while WindowOpen is 1
    std::uint32_t TransferAddress = 0;  // base address of the running transfer
    std::int16_t MessageCount = 0;      // message number within the element during a transfer
    std::int16_t CompletionCount = 0;   // raised when a receive has stored its last block

protected:
    // Releases the element's window when one is open; kinds whose windows need their data close them
    // first thing in their destructor.
    void CloseWindow();
    // Reads a whole .Syx file, checks its size and hands the bytes to ReadSyx; false when the size is
    // wrong (the user is told, the element unchanged). Raises EInOutError "Error Loadind Sysex".
    bool LoadSyxFile(const std::string& path);
    // Writes the .Syx file through the safe file writer; raises EInOutError "Error Saving Sysex" and then
    // leaves the old file.
    void SaveSyxFile(const std::string& path);

    // The steps every transfer with the instrument shares; the kinds add their addresses, sizes, block
    // order and ending.

    // Sets the progress window's timer to the reply time-out (InstrumentNotResponding after
    // ReplyTimeoutMs), stopped until the first request starts it.
    void SetReplyTimeout(ITransferProgress& Progress);
    // The transfer's link with the reply time-out set, when a receive can run; empty otherwise (and
    // nothing set).
    TTransferLink BeginReceive();
    // The modal part of a receive: opens the progress window for Messages messages, sends the first
    // request and waits until the window closes. With CountElement the window counts the element first.
    void RunReceive(ITransferProgress& Progress, int Messages, const std::string& Title, const std::string& Label,
                    bool CountElement);
    // The first step of every request: the reply time-out stops and the input handler is detached, so
    // that nothing arriving meanwhile is taken for the new request.
    static void StopWaiting(const TTransferLink& Link);
    // Drops whatever waits in the input: it answers no request of ours.
    static void DiscardPendingInput(IMidiPorts& Ports);
    // Empties the input, sends the data request for Size bytes at Base + Offset (adding it to the sent
    // counters when Counted), gives the input to ReceiveHandler and starts the reply time-out afresh,
    // counted from the moment the request leaves when it is queued behind a send.
    void SendRequest(const TTransferLink& Link, std::uint32_t Base, std::uint16_t Offset, std::uint32_t Size,
                     bool Counted);
    // Whether the event a receive's input handler took is the reply it waits for: the whole data set
    // of exactly Size bytes at Address. Nothing taken and anything foreign are dropped with the time-out
    // still running, so that a keyboard played during a receive cannot hold off the report of a silent
    // instrument. A damaged reply (see ClassifyReply) stops the time-out and calls AskAgain; once
    // MaxDamagedReplies damaged replies have come to one request (asked again and again), the instrument
    // is reported as not responding instead, with Retry and Cancel, as a silent one is. The expected
    // reply stops the time-out too.
    bool TakeExpectedReply(ITransferProgress& Progress, const TMyMidiEvent* Event, std::uint32_t Address,
                           std::size_t Size, const std::function<void()>& AskAgain);
    // For kinds received block by block, one request each: takes the event when it is the expected
    // reply at Address (see TakeExpectedReply; a damaged one is asked for again), keeps its Size bytes
    // as reply number MessageCount, counts it and moves MessageCount to the next block. False when the
    // event was not that reply.
    bool KeepBlockReply(const TTransferLink& Link, const TMyMidiEvent* Event, std::uint32_t Address, std::size_t Size);

    // A receive holds its replies until the last one has come and passed its checks; only then does the
    // element take them, all in one step, so that a cancelled or failed receive leaves it as it was.

    // Keeps the first Size bytes of Event as reply number Index (0-based); reply 0 begins afresh and lets
    // go of whatever an earlier attempt kept.
    void KeepReply(int Index, const TMyMidiEvent& Event, std::size_t Size);
    // Copies the kept replies 0..Count-1 into their message buffers, Target(i) for reply i, and lets the
    // kept ones go. Nothing is copied unless every reply is there with the size of its buffer
    // (EInvalidOperation).
    void StoreKeptReplies(int Count, const std::function<std::span<std::uint8_t>(int)>& Target);
    // Sets the progress window's timer to pace a transmit: TransmitStep on every tick of TickMs.
    void StartTransmitTimer(ITransferProgress& Progress, std::uint32_t TickMs);
    // The modal part of a paced transmit: opens the progress window for Messages messages (counting the
    // element first when CountElement), sends the first message and waits until the window closes.
    void RunTransmit(ITransferProgress& Progress, int Messages, const std::string& Title, const std::string& Label,
                     bool CountElement);
    // A finished transfer: Completed set, and the time-out handler closes the window after DelayMs.
    void CloseAfter(ITransferProgress& Progress, std::uint32_t DelayMs);

private:
    // The block that reply number MessageCount of the running receive fills.
    const TReceiveBlock& ExpectedBlock() const;

    TReceiveTable receive_;  // the table of the running receive
    // The damaged replies to the request last sent, and that request's address (none yet: NoRequest).
    static constexpr std::uint32_t NoRequest = 0xFFFFFFFF;
    int damagedReplies_ = 0;
    std::uint32_t damagedRequest_ = NoRequest;
    std::vector<std::vector<std::uint8_t>> keptReplies_;  // the replies of the running receive
    // Set while the reply time-out runs longer than ReplyTimeoutMs, for a request that was queued.
    bool timeoutStretched_ = false;
};

// The topmost of the element's owner, its owner's owner and that one's owner (three levels at most):
// the library whose saved flag records unsaved changes. None for an element without owner.
TLibElem* OwnerRoot(TLibElem* element);

// Shows an element file dialog ("Syx file|*.Syx" and the like) starting at the folder and name of
// fileName, or at the data folder when it has no folder; on confirmation the chosen path is in chosen.
// A dialog that cannot be shown raises EOutOfResources "Out of Resource".
bool RunElementFileDialog(TFileDialogKind kind, const std::string& title, const std::string& defaultExt,
                          const std::string& filter, const std::string& fileName, std::string& chosen);

// Stamps the element and its owners modified now, marks the root library unsaved and refreshes the
// main window's menus.
void TouchElement(TLibElem* element);

// ----------------------------------------------------------------------------------- Element factory

using TElementFactory = std::function<std::unique_ptr<TLibElem>(TLibElem* owner)>;

// Makes a new element of the type's class with that owner. A code without a class raises
// EElementTypeError.
std::unique_ptr<TLibElem> CreateElementOfType(int code, TLibElem* owner);
// Sets the class of a type code 0..7 (an empty factory removes it); other codes raise EElementTypeError.
void RegisterElementType(ElementType code, TElementFactory factory);
// The factory currently registered for a code (empty when none).
TElementFactory ElementFactoryOf(ElementType code);
// Registers the element classes of the program; defined in ElementTypes.cpp, run before the first use
// of the table.
void RegisterStandardElementTypes();

}  // namespace zel
