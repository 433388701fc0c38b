#include "model/LibElem.h"

#include "model/SharedRoutines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <exception>

#include "model/ModelServices.h"
#include "model/ParamBlocks.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"
#include "model/SyxFiles.h"
#include "platform/rtl/SafeFile.h"

namespace zel {

std::uint8_t XpFormat = 0;

namespace {

void SplitNow(TDateTime& date, TDateTime& time) {
    const TDateTime now = Now();
    date = std::floor(now);
    time = now - date;
}

bool IsBankType(ElementType code) { return code == etPatchBank || code == etPerformanceBank || code == etRhythmBank; }

// The library whose saved flag an element's changes clear: its root, or itself when it has no owner.
TLibElem* RootLibrary(TLibElem* element) {
    TLibElem* root = OwnerRoot(element);
    return root != nullptr ? root : element;
}

// ------------------------------------------------------------------------------------- type table

struct TTypeTable {
    std::array<TElementFactory, ElementTypeCount> Factories;
    bool StandardRegistered = false;
};

TTypeTable& TypeTable() {
    static TTypeTable table;
    return table;
}

TTypeTable& ReadyTypeTable() {
    TTypeTable& table = TypeTable();
    if (!table.StandardRegistered) {
        table.StandardRegistered = true;
        RegisterStandardElementTypes();
    }
    return table;
}

std::string UnknownTypeText(int code) { return "Unknown element type " + std::to_string(code); }

}  // namespace

// Shows an element file dialog starting at the folder and name of fileName (the data folder when it
// has no folder). A dialog that cannot be shown raises EOutOfResources "Out of Resource".
bool RunElementFileDialog(TFileDialogKind kind, const std::string& title, const std::string& defaultExt,
                          const std::string& filter, const std::string& fileName, std::string& chosen) {
    IFileDialogs* dialogs = ModelServices().FileDialogs;
    if (dialogs == nullptr) throw EOutOfResources("Out of Resource");
    TFileDialogRequest request;
    request.Kind = kind;
    request.Title = title;
    request.DefaultExt = defaultExt;
    request.Filter = filter;
    request.InitialDir = ExtractFilePath(fileName);
    request.FileName = ExtractFileName(fileName);
    request.PathMustExist = true;
    request.FileMustExist = kind == TFileDialogKind::Open;
    if (request.InitialDir.empty()) request.InitialDir = DefaultDataFolder();
    bool confirmed = false;
    try {
        confirmed = dialogs->Execute(request);
    } catch (const std::exception&) {
        throw EOutOfResources("Out of Resource");
    }
    if (confirmed) chosen = request.FileName;
    return confirmed;
}

// ------------------------------------------------------------------------------------------ TLibElem

TLibElem::TLibElem(TLibElem* AOwner) : Owner(AOwner) {
    SplitNow(ModifiedDate, ModifiedTime);
    CreatedDate = ModifiedDate;
    CreatedTime = ModifiedTime;
}

TLibElem::~TLibElem() { CloseWindow(); }

void TLibElem::CloseWindow() {
    if (WindowOpen == 0 && Window == nullptr) return;
    TObject* window = Window;
    Window = nullptr;
    WindowOpen = 0;
    if (window == nullptr) return;
    try {
        if (IModelWindows* windows = ModelServices().Windows) windows->ReleaseElementWindow(window);
    } catch (const std::exception&) {
        // Nothing may escape a destructor; the window layer reports its own failures.
    }
}

void TLibElem::Assign(TLibElem* Source) {
    if (Source == nullptr) return;
    Name = Source->Name;
    Selected = Source->Selected;
    FileName = Source->FileName;
    Temporary = Source->Temporary;
    User = Source->User;
    Number = Source->Number;
    TouchElement(this);
}

std::string TLibElem::GetName() const { return Name; }

void TLibElem::SetName(const std::string& AName, bool Send) {
    (void)Send;
    Name = AName.substr(0, ElementNameLength);
}

void TLibElem::UpdateViews() {}

void TLibElem::BuildSysEx() {}

void TLibElem::WriteSyx(TStream& F) {
    (void)F;
    BuildSysEx();
}

void TLibElem::ReadSyx(TStream& F) { (void)F; }

void TLibElem::WriteLibRecord(TStream& F) {
    StoreWindowPositions();
    WriteI16(F, ElemType);
    WriteShortString(F, Name, static_cast<int>(ElementNameLength));
    WriteShortString(F, FileName, StoredFileNameLength);
    WriteDouble(F, CreatedDate);
    WriteDouble(F, CreatedTime);
    WriteDouble(F, ModifiedDate);
    WriteDouble(F, ModifiedTime);
    WriteU8(F, Temporary);
    WriteU8(F, User);
    WriteI16(F, Number);
    WriteI16(F, WindowLeft);
    WriteI16(F, WindowTop);
}

void TLibElem::ReadLibRecord(TStream& F) {
    Name = ReadShortString(F, static_cast<int>(ElementNameLength));
    FileName = ReadShortString(F, StoredFileNameLength);
    CreatedDate = ReadDouble(F);
    CreatedTime = ReadDouble(F);
    ModifiedDate = ReadDouble(F);
    ModifiedTime = ReadDouble(F);
    Temporary = ReadU8(F);
    User = ReadU8(F);
    Number = ReadI16(F);
    WindowLeft = ReadI16(F);
    WindowTop = ReadI16(F);
}

void TLibElem::SaveSyxFile(const std::string& path) {
    try {
        SafeWriteFile(path, [this](TStream& stream) { WriteSyx(stream); });
    } catch (const std::exception&) {
        throw EInOutError("Error Saving Sysex");
    }
    HasFile = 1;
}

void TLibElem::SaveSyxDialog(bool SaveAs) {
    if (!SaveAs && (CompareText(FileName, UntitledSyx) != 0 || HasFile == 1)) {
        SaveSyxFile(FileName);
        return;
    }
    std::string chosen;
    if (!RunElementFileDialog(TFileDialogKind::Save, "Save SysEx", "Syx", "Syx file|*.Syx", FileName, chosen)) return;
    if (FileExists(chosen) && ShowMessageBox("File Alredy Exist. Overwrite it ?", TMessageKind::Confirmation,
                                             TMessageButtons::YesNo) != TMessageResult::Yes)
        return;
    SaveSyxFile(chosen);
    FileName = chosen;
}

bool TLibElem::LoadSyxFile(const std::string& path) {
    // The size is tested before anything is read, so that choosing a large file of another kind costs
    // nothing; the body is then read whole into memory before the element takes it.
    std::int64_t size = 0;
    try {
        size = TBufferedFileReader(path, 4096).GetSize();
    } catch (const std::exception&) {
        throw EInOutError("Error Loadind Sysex");
    }
    if (size != ExpectedSyxSize()) {
        ShowMessageBox("Incorrect SysEx File Type.", TMessageKind::Information, TMessageButtons::OK);
        return false;
    }
    TMemoryStream body;
    try {
        body.LoadFromFile(path);
        if (body.GetSize() != size) throw EReadError(SReadError);  // changed meanwhile
        body.SetPosition(0);
        ReadSyx(body);
    } catch (const std::exception&) {
        throw EInOutError("Error Loadind Sysex");
    }
    return true;
}

void TLibElem::LoadSyxDialog() {
    std::string chosen;
    if (!RunElementFileDialog(TFileDialogKind::Open, "Load SysEx", "Syx", "Syx file|*.Syx", FileName, chosen)) return;
    if (!LoadSyxFile(chosen)) return;
    FileName = chosen;
    // Banks and the system carry no name in their data: they are named after the file.
    if (IsBankType(ElemType) || ElemType == etSystem) {
        std::string name = ExtractFileName(chosen).substr(0, ElementNameLength);
        if (const auto dot = name.find('.'); dot != std::string::npos) name.erase(dot);
        Name = name;
    }
    TouchElement(this);
    UpdateViews();
}

void TLibElem::Transmit(bool ToTemporary) { (void)ToTemporary; }

void TLibElem::Receive(bool FromTemporary) {
    TReceiveTable table = ReceiveTable(FromTemporary);
    const TTransferLink link = table.Blocks.empty() ? TTransferLink{} : BeginReceive();
    if (!link) return;  // nothing is stored: the element stays as it was, not modified
    receive_ = std::move(table);
    CompletionCount = 0;
    MessageCount = 0;
    TransferAddress = receive_.Base;
    const int messages = receive_.WholeElement ? 1 : static_cast<int>(receive_.Blocks.size());
    RunReceive(*link.Progress, messages, receive_.Title, receive_.Label, true);
    UpdateViews();
}

TReceiveTable TLibElem::ReceiveTable(bool FromTemporary) {
    (void)FromTemporary;
    return {};
}

void TLibElem::InitDefault() {}

const TReceiveBlock& TLibElem::ExpectedBlock() const {
    const int last = static_cast<int>(receive_.Blocks.size()) - 1;
    return receive_.Blocks[static_cast<std::size_t>(std::clamp<int>(MessageCount, 0, last))];
}

std::uint32_t TLibElem::ExpectedReplyAddress() const {
    if (receive_.Blocks.empty()) return TransferAddress;
    return TransferAddress + ExpectedBlock().Offset;
}

void TLibElem::RequestNext() {
    if (receive_.Blocks.empty()) return;
    const TTransferLink link = TransferLink();
    if (!link) return;
    StopWaiting(link);
    if (CompletionCount > 0) {
        // Everything is in: the time-out handler finds the transfer complete and closes the window.
        if (receive_.ClosingDelayMs > 0) CloseAfter(*link.Progress, receive_.ClosingDelayMs);
        return;
    }
    if (receive_.WholeElement) {
        // The instrument answers from the first block on; the request is not counted.
        MessageCount = 0;
        SendRequest(link, TransferAddress, 0, receive_.WholeRequestSize, false);
        return;
    }
    const TReceiveBlock& block = ExpectedBlock();
    SendRequest(link, TransferAddress, block.Offset, block.RequestSize, true);
}

void TLibElem::ReceiveHandler(TObject* Sender) {
    (void)Sender;
    if (receive_.Blocks.empty()) return;
    const TTransferLink link = TransferLink();
    if (!link) return;
    std::unique_ptr<TMyMidiEvent> event = link.Ports->NextEvent();
    const int count = static_cast<int>(receive_.Blocks.size());
    if (CompletionCount > 0 || MessageCount >= count) {  // the transfer is over: a late duplicate
        if (receive_.WholeElement) link.Progress->SetTimerEnabled(TTransferTimer::Timer, false);
        return;
    }
    if (receive_.WholeElement) {
        const std::size_t size = ExpectedBlock().Target.size();
        if (!TakeExpectedReply(*link.Progress, event.get(), ExpectedReplyAddress(), size, [this]() { RequestNext(); }))
            return;
        KeepReply(MessageCount, *event, size);
        ++MessageCount;
    } else if (!KeepBlockReply(link, event.get(), ExpectedReplyAddress(), ExpectedBlock().Target.size())) {
        return;
    }
    event.reset();

    if (MessageCount == count) {
        // The whole element is here: it takes every block at once, as one change.
        StoreKeptReplies(MessageCount,
                         [this](int reply) { return receive_.Blocks[static_cast<std::size_t>(reply)].Target; });
        TouchElement(this);
        ++CompletionCount;
        if (receive_.ClosingDelayMs > 0) {
            RequestNext();
            return;
        }
        link.Progress->SetCompleted(true);
        if (receive_.WholeElement) {
            std::size_t bytes = 0;
            for (const TReceiveBlock& block : receive_.Blocks) bytes += block.Target.size();
            link.Progress->AddReceived(static_cast<int>(bytes), count);
        }
        link.Progress->Close();
        return;
    }
    if (receive_.WholeElement) {
        // The rest of the element follows without a new request; an instrument that stops half way is
        // reported, not waited on for ever.
        link.Progress->SetTimerEnabled(TTransferTimer::Timer, true);
        return;
    }
    RequestNext();
}

void TLibElem::StoreWindowPositions() {
    if (WindowOpen == 0 || Window == nullptr) return;
    IModelWindows* windows = ModelServices().Windows;
    int left = 0;
    int top = 0;
    if (windows == nullptr || !windows->GetWindowPosition(Window, left, top)) return;
    if (WindowLeft != static_cast<std::int16_t>(left)) {
        WindowLeft = static_cast<std::int16_t>(left);
        RootLibrary(this)->MarkUnsaved();
    }
    if (WindowTop != static_cast<std::int16_t>(top)) {
        WindowTop = static_cast<std::int16_t>(top);
        RootLibrary(this)->MarkUnsaved();
    }
}

void TLibElem::TransmitStep() {}

void TLibElem::PrintLine(int& Y, bool WithLocation) { PrintElementLines(*this, Y, WithLocation); }

void TLibElem::OpenEditor() {
    IModelWindows* windows = ModelServices().Windows;
    if (WindowOpen != 0) {
        if (windows != nullptr) windows->BringWindowToFront(Window);
        return;
    }
    WindowOpen = 1;
    try {
        // The instrument's edit area holds the element the editor shows.
        if (ElemType == etPatch || ElemType == etPerformance || ElemType == etRhythm || ElemType == etSystem)
            Transmit(true);
    } catch (...) {
        WindowOpen = 0;
        throw;
    }
    try {
        if (windows == nullptr) throw EOutOfMemory("Out of Memory or Resource");
        TObject* window = windows->CreateElementWindow(*this);
        if (window == nullptr) throw EOutOfMemory("Out of Memory or Resource");
        Window = window;
    } catch (const std::exception&) {
        // The element stays closed, so that it can be opened again.
        WindowOpen = 0;
        Window = nullptr;
        throw EOutOfMemory("Out of Memory or Resource");
    }
}

std::string TLibElem::LocationText() const {
    const std::string memory = User == 1 ? "User" : "Card";
    if (IsBankType(ElemType)) return memory;
    if (ElemType == etSystem || ElemType == etGlobal) return std::string();
    if (Temporary == 1) return "Temporary";
    return memory + " : " + std::to_string(Number);
}

std::int32_t TLibElem::ExpectedSyxSize() const {
    const std::int32_t x = XpFormat != 0 ? 1 : 0;
    switch (ElemType) {
        case etPatch: return 643 + x;
        case etPatchBank: return 128 * (643 + x);
        case etPerformance: return 555 + 98 * x;
        case etPerformanceBank: return 17760 + 3136 * x;
        case etRhythm: return 4439;
        case etRhythmBank: return 8878;
        case etSystem: return 442 + 42 * x;
        default: return -1;
    }
}

std::string TLibElem::TypeName(int code) {
    switch (code) {
        case etPatch: return "Patch";
        case etPatchBank: return "Patch Bank";
        case etPerformance: return "Performance";
        case etPerformanceBank: return "Performance Bank";
        case etRhythm: return "Rhythm";
        case etRhythmBank: return "Rhythm Bank";
        case etSystem: return "System";
        case etGlobal: return "Global";
        default: return std::string();
    }
}

void TLibElem::TransmitTimer(TObject* Sender) {
    (void)Sender;
    // The next tick counts from this message: a late tick then never brings the next one inside the
    // 50 ms pace, where it would have to wait for it.
    if (ITransferProgress* progress = ModelServices().Progress) progress->SetTimerEnabled(TTransferTimer::Timer, true);
    // A tick that comes a little before the pace has run queues its message for the pace timer instead
    // of waiting for it.
    const TQueuedSends queued;
    TransmitStep();
}

void TLibElem::InstrumentNotResponding(TObject* Sender) {
    (void)Sender;
    ITransferProgress* progress = ModelServices().Progress;
    if (progress != nullptr) progress->SetTimerEnabled(TTransferTimer::Timer, false);
    if (IMidiPorts* ports = ModelServices().MidiPorts) ports->SetInputHandler(nullptr);
    if (progress != nullptr && progress->GetCompleted()) {
        progress->Close();
        return;
    }
    if (ShowMessageBox("The Instrument Is Not Responding.", TMessageKind::Warning, TMessageButtons::RetryCancel) ==
        TMessageResult::Retry) {
        RequestNext();
    } else if (progress != nullptr) {
        progress->Close();
    }
}

// ------------------------------------------------------------------------------------------ transfers

namespace {

// A data request: the header, four address and four size bytes, checksum and F7.
constexpr int RequestMessageSize = static_cast<int>(SysexOverhead + 4);

}  // namespace

TTransferLink TransferLink() {
    if (DevicesOpen == 0) return {};
    return {ModelServices().Progress, ModelServices().MidiPorts};
}

void TLibElem::SetReplyTimeout(ITransferProgress& Progress) {
    damagedReplies_ = 0;
    damagedRequest_ = NoRequest;
    timeoutStretched_ = false;
    Progress.SetTimer(
        TTransferTimer::Timer, ReplyTimeoutMs, [this]() { InstrumentNotResponding(nullptr); }, false);
}

TTransferLink TLibElem::BeginReceive() {
    const TTransferLink link = TransferLink();
    if (link) SetReplyTimeout(*link.Progress);
    return link;
}

void TLibElem::RunReceive(ITransferProgress& Progress, int Messages, const std::string& Title, const std::string& Label,
                          bool CountElement) {
    Progress.Start(Messages, Title, Label);
    RequestNext();
    if (CountElement) Progress.AddElem(1);
    Progress.ShowModal();
}

void TLibElem::StopWaiting(const TTransferLink& Link) {
    Link.Progress->SetTimerEnabled(TTransferTimer::Timer, false);
    Link.Ports->SetInputHandler(nullptr);
}

void TLibElem::DiscardPendingInput(IMidiPorts& Ports) {
    while (Ports.PendingEventCount() > 0)
        if (!Ports.NextEvent()) break;
}

void TLibElem::SendRequest(const TTransferLink& Link, std::uint32_t Base, std::uint16_t Offset, std::uint32_t Size,
                           bool Counted) {
    DiscardPendingInput(*Link.Ports);
    // Damaged replies count per request: the same request asked again goes on counting, even when some
    // of its replies came whole (one spoilt tone of a patch asks for the whole patch again).
    const std::uint32_t request = Base + Offset;
    if (request != damagedRequest_) {
        damagedRequest_ = request;
        damagedReplies_ = 0;
    }
    if (Counted) Link.Progress->AddSended(RequestMessageSize, 1);
    SendDataRequest(Base, Offset, 0, Size);
    Link.Ports->SetInputHandler([this](TObject* Sender) { ReceiveHandler(Sender); });
    // A request queued behind a send leaves later: its time-out counts from its departure.
    const std::uint32_t queued = QueuedSendsMs();
    if (queued == 0 && !timeoutStretched_) {
        Link.Progress->SetTimerEnabled(TTransferTimer::Timer, true);
        return;
    }
    timeoutStretched_ = queued != 0;
    Link.Progress->SetTimer(
        TTransferTimer::Timer, ReplyTimeoutMs + queued, [this]() { InstrumentNotResponding(nullptr); }, true);
}

bool TLibElem::TakeExpectedReply(ITransferProgress& Progress, const TMyMidiEvent* Event, std::uint32_t Address,
                                 std::size_t Size, const std::function<void()>& AskAgain) {
    if (Event == nullptr) return false;
    const std::size_t length = std::min<std::size_t>(Event->Sysex.size(), Event->SysexLength);
    switch (ClassifyReply(Event->Sysex.data(), length, Address, Size)) {
        case TReplyKind::Foreign: return false;
        case TReplyKind::Damaged:
            Progress.SetTimerEnabled(TTransferTimer::Timer, false);
            if (++damagedReplies_ >= MaxDamagedReplies) {
                // Asking again has not helped: the user chooses, as after a silence.
                damagedReplies_ = 0;
                InstrumentNotResponding(nullptr);
            } else {
                AskAgain();
            }
            return false;
        case TReplyKind::Good: break;
    }
    Progress.SetTimerEnabled(TTransferTimer::Timer, false);
    return true;
}

bool TLibElem::KeepBlockReply(const TTransferLink& Link, const TMyMidiEvent* Event, std::uint32_t Address,
                              std::size_t Size) {
    if (!TakeExpectedReply(*Link.Progress, Event, Address, Size, [this]() { RequestNext(); })) return false;
    const int index = MessageCount <= 0 ? 0 : MessageCount;
    KeepReply(index, *Event, Size);
    Link.Progress->AddReceived(static_cast<int>(Size), 1);
    MessageCount = static_cast<std::int16_t>(index + 1);
    return true;
}

void TLibElem::KeepReply(int Index, const TMyMidiEvent& Event, std::size_t Size) {
    // The first reply begins a new element: whatever an earlier attempt kept goes.
    const auto at = static_cast<std::size_t>(Index);
    if (at == 0) keptReplies_.clear();
    if (keptReplies_.size() <= at) keptReplies_.resize(at + 1);
    keptReplies_[at].assign(Event.Sysex.data(), Event.Sysex.data() + Size);
}

void TLibElem::StoreKeptReplies(int Count, const std::function<std::span<std::uint8_t>(int)>& Target) {
    for (int i = 0; i < Count; ++i)
        if (static_cast<std::size_t>(i) >= keptReplies_.size() ||
            keptReplies_[static_cast<std::size_t>(i)].size() != Target(i).size())
            throw EInvalidOperation("A receive is missing reply " + std::to_string(i));
    for (int i = 0; i < Count; ++i) {
        const std::vector<std::uint8_t>& reply = keptReplies_[static_cast<std::size_t>(i)];
        std::memcpy(Target(i).data(), reply.data(), reply.size());
    }
    keptReplies_.clear();
}

void TLibElem::StartTransmitTimer(ITransferProgress& Progress, std::uint32_t TickMs) {
    Progress.SetTimer(
        TTransferTimer::Timer, TickMs, [this]() { TransmitTimer(nullptr); }, true);
}

void TLibElem::RunTransmit(ITransferProgress& Progress, int Messages, const std::string& Title,
                           const std::string& Label, bool CountElement) {
    Progress.Start(Messages, Title, Label);
    Progress.SetTransmetting();
    if (CountElement) Progress.AddElem(1);
    TransmitStep();
    Progress.ShowModal();
}

void TLibElem::CloseAfter(ITransferProgress& Progress, std::uint32_t DelayMs) {
    Progress.SetCompleted(true);
    Progress.SetTimer(
        TTransferTimer::Timer, DelayMs, [this]() { InstrumentNotResponding(nullptr); }, true);
}

// ------------------------------------------------------------------------------------ free operations

TLibElem* OwnerRoot(TLibElem* element) {
    if (element == nullptr || element->Owner == nullptr) return nullptr;
    TLibElem* root = element->Owner;
    for (int level = 1; level < 3 && root->Owner != nullptr; ++level) root = root->Owner;
    return root;
}

namespace {

void TouchChain(TLibElem* element) {
    SplitNow(element->ModifiedDate, element->ModifiedTime);
    if (element->Owner != nullptr) {
        TouchChain(element->Owner);
        OwnerRoot(element)->MarkUnsaved();
    } else {
        element->MarkUnsaved();
    }
}

}  // namespace

void TouchElement(TLibElem* element) {
    if (element == nullptr) return;
    TouchChain(element);
    RefreshMainMenus();
}

std::unique_ptr<TLibElem> CreateElementOfType(int code, TLibElem* owner) {
    if (code < 0 || code >= ElementTypeCount) throw EElementTypeError(UnknownTypeText(code));
    const TElementFactory& factory = ReadyTypeTable().Factories[static_cast<std::size_t>(code)];
    if (!factory) throw EElementTypeError(UnknownTypeText(code));
    std::unique_ptr<TLibElem> element = factory(owner);
    if (!element) throw EElementTypeError(UnknownTypeText(code));
    return element;
}

void RegisterElementType(ElementType code, TElementFactory factory) {
    if (code < 0 || code >= ElementTypeCount) throw EElementTypeError(UnknownTypeText(code));
    ReadyTypeTable().Factories[static_cast<std::size_t>(code)] = std::move(factory);
}

TElementFactory ElementFactoryOf(ElementType code) {
    if (code < 0 || code >= ElementTypeCount) return {};
    return ReadyTypeTable().Factories[static_cast<std::size_t>(code)];
}

}  // namespace zel
