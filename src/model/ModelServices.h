#pragma once
// The services the instrument model reaches outside itself: the MIDI ports, file dialogs, message
// boxes, the MIDI monitor, the element windows and the main window's menu refresh, and the transfer
// progress window. The model includes no window class: the window layers register implementations of
// these small interfaces at start-up, and tests register scripted stand-ins.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "midi/Miditype.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/System.h"

namespace zel {

class TLibElem;
class TLibrary;
class TDragInfo;
class TClipboard;

// Set while the MIDI ports are usable: every send and every receive of the model is gated by it. The
// port dialog sets and clears it; it starts clear.
extern std::uint8_t DevicesOpen;

// ------------------------------------------------------------------------------------------ MIDI ports

// The program's one MIDI input and one MIDI output, held by the port dialog.
class IMidiPorts {
public:
    virtual ~IMidiPorts() = default;
    // True while the output port is actually open.
    virtual bool OutputOpen() const = 0;
    // Sends one System Exclusive block (the bytes are copied before the call returns).
    virtual void PutLong(const std::uint8_t* data, std::size_t size) = 0;
    // Sends one short message.
    virtual void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    // Closes both ports / opens the configured ports again.
    virtual void CloseDevs() = 0;
    virtual void OpenDevs() = 0;
    // Replaces the input component's input-event handler; an empty handler clears it. Each call hands the
    // input over: InputHandovers counts the calls, so that whoever took the input can tell later whether
    // it is still theirs or someone has taken it since.
    void SetInputHandler(TNotifyEvent handler) {
        ++inputHandovers_;
        InstallInputHandler(std::move(handler));
    }
    std::uint64_t InputHandovers() const { return inputHandovers_; }
    // True while the ports can be opened (a MIDI system was found), even when the last opening failed
    // and DevicesOpen is clear: then reading the settings tries the configured ports again.
    virtual bool PortsAvailable() const { return DevicesOpen != 0; }
    // The input's waiting events, and the oldest of them (taken off the input; none when it is empty).
    virtual int PendingEventCount() { return 0; }
    virtual std::unique_ptr<TMyMidiEvent> NextEvent() { return nullptr; }

protected:
    // Installs the handler in the input component.
    virtual void InstallInputHandler(TNotifyEvent handler) = 0;

private:
    std::uint64_t inputHandovers_ = 0;
};

// ---------------------------------------------------------------------------------------- File dialogs

enum class TFileDialogKind { Open, Save };

// One file dialog: what it shows, and on confirmation the chosen path in FileName.
struct TFileDialogRequest {
    TFileDialogKind Kind = TFileDialogKind::Open;
    std::string Title;
    std::string DefaultExt;  // without the dot: "Syx"
    std::string Filter;      // "Syx file|*.Syx"
    std::string InitialDir;
    std::string FileName;  // the proposed file name in; the chosen full path out
    bool PathMustExist = false;
    bool FileMustExist = false;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Shows the dialog, owned by the main window; true when the user confirmed a file.
    virtual bool Execute(TFileDialogRequest& request) = 0;
};

// --------------------------------------------------------------------------------------- Message boxes

// The icon of a message box, with its Windows MB_ICON* value.
enum class TMessageKind : std::uint32_t {
    Error = 0x10,         // MB_ICONERROR
    Confirmation = 0x20,  // MB_ICONQUESTION
    Warning = 0x30,       // MB_ICONWARNING
    Information = 0x40,   // MB_ICONINFORMATION
};

// The buttons of a message box, with their Windows MB_* value.
enum class TMessageButtons : std::uint32_t {
    OK = 0x0,           // MB_OK
    OKCancel = 0x1,     // MB_OKCANCEL
    YesNoCancel = 0x3,  // MB_YESNOCANCEL
    YesNo = 0x4,        // MB_YESNO
    RetryCancel = 0x5,  // MB_RETRYCANCEL
};

// The button the user pressed, with its Windows ID* value (None: no box could be shown).
enum class TMessageResult : int {
    None = 0,
    OK = 1,      // IDOK
    Cancel = 2,  // IDCANCEL
    Abort = 3,   // IDABORT
    Retry = 4,   // IDRETRY
    Ignore = 5,  // IDIGNORE
    Yes = 6,     // IDYES
    No = 7,      // IDNO
};

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) = 0;
};

// -------------------------------------------------------------------------------------------- Windows

// A window that shows an element: the library window, the bank and global windows and every editor
// window implement it, so that the main window reaches each of them through this one interface and no
// cast per window class.
class IElementWindow {
public:
    virtual ~IElementWindow() = default;
    // The element the window shows (an editor: the element whose block it edits); none once it has gone.
    virtual TLibElem* ShownElement() = 0;
    // Refills the window's controls from its element.
    virtual void UpdateElementView() = 0;
    // The element is being destroyed: the window runs its closing steps at once, while the element still
    // stands, forgets the element and is released.
    virtual void ReleaseByElement() = 0;
};

// The windows the model opens, refreshes and closes.
class IModelWindows {
public:
    virtual ~IModelWindows() = default;
    // The main window re-evaluates its menu items (the Save items follow the saved flags).
    virtual void EnableMenuItems() {}
    // Creates the window of the element's kind (a multiple-document child of the main window) and returns
    // it; raises when it cannot.
    virtual TObject* CreateElementWindow(TLibElem& element) = 0;
    virtual void BringWindowToFront(TObject* window) { (void)window; }
    // The window's current left and top; false when they cannot be told.
    virtual bool GetWindowPosition(TObject* window, int& left, int& top) {
        (void)window;
        (void)left;
        (void)top;
        return false;
    }
    // The window's current width and height; false when they cannot be told.
    virtual bool GetWindowSize(TObject* window, int& width, int& height) {
        (void)window;
        (void)width;
        (void)height;
        return false;
    }
    // Refills an open window's controls from its element's data (the element's UpdateViews).
    virtual void UpdateWindowView(TObject* window) { (void)window; }
    // Closes and releases an element's window (the element is being destroyed).
    virtual void ReleaseElementWindow(TObject* window) { (void)window; }
    // The size of the main window's client area, where its child windows live; false when unknown.
    virtual bool GetMainClientSize(int& width, int& height) {
        (void)width;
        (void)height;
        return false;
    }
    // Moves a child window of the main window to left, top (client coordinates).
    virtual void MoveWindow(TObject* window, int left, int top) {
        (void)window;
        (void)left;
        (void)top;
    }
    // The element a window shows: a library window its library; an element, container or editor window
    // its element (the effects editor: the patch or performance whose common it edits); none for any
    // other window.
    virtual TLibElem* ElementOfWindow(TObject* window) {
        (void)window;
        return nullptr;
    }
    // The library whose window holds the file at path (links and "."/".." resolved); none when no
    // library window has that file.
    virtual const TLibrary* LibraryOfFile(const std::string& path) {
        (void)path;
        return nullptr;
    }
    // Sets the screen cursor (DefaultCursor, or AuditionCursor while an audition sounds).
    virtual void SetScreenCursor(int cursor) { (void)cursor; }
    // When the main window's active child is a rhythm key editor: the index its key selector shows (-1
    // for key 35); otherwise none.
    virtual std::optional<int> ActiveRhythmKeyIndex() { return std::nullopt; }
};

// The screen cursors the model sets, with the windowing layer's cursor numbers.
inline constexpr int DefaultCursor = 0;
inline constexpr int AuditionCursor = -20;

// ------------------------------------------------------------------------------------ MIDI file player

// The media player of the preview setup window, through which an audition plays a standard MIDI file.
class IMidiFilePlayer {
public:
    virtual ~IMidiFilePlayer() = default;
    // Opens the file and starts playing it; raises when the file cannot be opened or played.
    virtual void Play(const std::string& fileName) = 0;
    // Stops and closes the player.
    virtual void Stop() = 0;
};

// ----------------------------------------------------------------------------------------------- Printer

// The default printer's canvas for the printed listings, in printer pixels. One job at a time.
class IPrinter {
public:
    virtual ~IPrinter() = default;
    virtual void SetTitle(const std::string& title) { (void)title; }
    virtual void BeginDoc() = 0;
    virtual void EndDoc() = 0;
    virtual void NewPage() = 0;
    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;
    // The font of the following texts: default pitch, no style.
    virtual void SetFont(const std::string& name, int size) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // A line in the pen colour from (x1, y1) to (x2, y2).
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
};

// ----------------------------------------------------------------------------------------- MIDI monitor

class IMidiMonitor {
public:
    virtual ~IMidiMonitor() = default;
    // Appends an outgoing message to the monitor's output list as one line of hexadecimal numbers.
    virtual void AddOutputMessage(const std::uint8_t* data, std::size_t size) = 0;
};

// ------------------------------------------------------------------------------ Transfer progress window

// The two timers of the progress window on which the transfers hang their steps.
enum class TTransferTimer { Timer, TimerCleanup };

// The modal progress window shown while an element or a bank is sent or received.
class ITransferProgress {
public:
    virtual ~ITransferProgress() = default;
    virtual void Start(int expectedMessages, const std::string& title, const std::string& elementLabel) {
        (void)expectedMessages;
        (void)title;
        (void)elementLabel;
    }
    virtual void SetTransmetting() {}
    virtual void AddSended(int bytes, int messages) {
        (void)bytes;
        (void)messages;
    }
    virtual void AddReceived(int bytes, int messages) {
        (void)bytes;
        (void)messages;
    }
    virtual void AddElem(int count) { (void)count; }
    // Set by the model when the whole transfer has finished.
    virtual bool GetCompleted() const = 0;
    virtual void SetCompleted(bool completed) = 0;
    virtual void ShowModal() {}
    // Closes the window: this also stops Timer and gives the MIDI input back to the main window.
    virtual void Close() = 0;
    // Sets a timer's interval and handler and whether it runs.
    virtual void SetTimer(TTransferTimer timer, std::uint32_t intervalMs, std::function<void()> handler,
                          bool enabled) = 0;
    virtual void SetTimerEnabled(TTransferTimer timer, bool enabled) = 0;
};

// ------------------------------------------------------------------------------------------ Name lists

// The four lists of the name-update window, in the order of "UserCard.Txt".
enum class TNameListKind { UserPerformances, CardPerformances, UserPatches, CardPatches };

// The name lists the bank transfers keep up to date: the update window's four lists of user and card
// names (TFormUpdateNames) and the name picker's lists (TFormNames).
class INameLists {
public:
    virtual ~INameLists() = default;
    // TFormUpdateNames.Load: refills the four lists from "UserCard.Txt".
    virtual void LoadUpdateNames() = 0;
    // One of the update window's four lists.
    virtual TStrings& UpdateNames(TNameListKind list) = 0;
    // TFormUpdateNames.Save: writes the four lists to "UserCard.Txt" and closes the update window.
    virtual void SaveUpdateNames() = 0;
    // TFormNames.Load: reads every list of the name picker again.
    virtual void LoadNames() = 0;

    // The answer of PickName when the user closed the picker without picking.
    static constexpr int NoPick = -1;
    // Shows the name picker's list List (1..65) modally with the name at Selected chosen; answers the
    // index the user picked, or NoPick. Without a picker nothing is picked.
    virtual int PickName(int List, int Selected) {
        (void)List;
        (void)Selected;
        return NoPick;
    }
    // The name at Index of the picker's list List; empty beyond the list or for a list that does not exist.
    virtual std::string NameAt(int List, int Index) const {
        (void)List;
        (void)Index;
        return {};
    }
};

// ------------------------------------------------------------------------------------------ Registry

// The stand-in default input handler: takes the next waiting event and, when MIDI thru is set, passes a
// short message through to the output.
void ModelDefaultMidiInput(TObject* Sender);

// The registered services; any of them may be missing (then the model does without, as described at
// each use).
// Beside each: the class of the program that supplies it, and where. The main window registers its
// services as it is created and withdraws them as it goes (TFormzelmo::RegisterModelServices and
// UnregisterModelServices, src/app/Main.cpp); the other windows register in their constructors.
struct TModelServices {
    // The port dialog TFormInOut (src/midi/dialog/Uemidiio.h) is the ports.
    IMidiPorts* MidiPorts = nullptr;
    // TMainFileDialogs (src/app/Mainserv.h), held by the main window.
    IFileDialogs* FileDialogs = nullptr;
    // TMainMessageBoxes (src/app/Mainserv.h), held by the main window.
    IMessageBoxes* MessageBoxes = nullptr;
    // The main window TFormzelmo (src/app/Main.h).
    IModelWindows* Windows = nullptr;
    // TMonitorOutput (src/app/Uemonito.h), held by the MIDI monitor window TFormMonitor while it exists.
    IMidiMonitor* MidiMonitor = nullptr;
    // TTransmetProgress (src/app/Uetransm.h), held by the progress window TFormTransmet while it exists.
    ITransferProgress* Progress = nullptr;
    // TPreviewPlayer (src/app/Ueprevse.h), the media player of the preview setup window TFormPreviewSetup.
    IMidiFilePlayer* MidiFilePlayer = nullptr;
    // TPrinterService (src/app/PrinterService.h, ProgramPrinter()), registered by the main window.
    IPrinter* Printer = nullptr;
    // TUpdateNamesLists (src/app/Ueupdana.h), held by the name-update window TFormUpdateNames; it reaches the
    // name picker TFormNames (src/app/Uenames.h) for LoadNames.
    INameLists* NameLists = nullptr;
    // The main window's drag information and parameter clipboard (TFormzelmo::DragInfo and Clipboard), through
    // which the editor windows below it take part in section drags and copy and paste.
    TDragInfo* DragInfo = nullptr;
    TClipboard* Clipboard = nullptr;
    // The data folder of the file dialogs (made when missing); empty text when not registered. The main
    // window registers the program's data folder under the documents folder.
    std::function<std::string()> DataFolder;
    // The main window's DefaultMidiInput (TFormzelmo): the input handler that the port dialog installs
    // and that a transfer gives the input back to. Until the main window registers its own, the model's
    // stand-in (ModelDefaultMidiInput) serves.
    TNotifyEvent DefaultMidiInput = ModelDefaultMidiInput;
};

TModelServices& ModelServices();

// Shows a message box through the registered service; TMessageResult::None when there is none.
TMessageResult ShowMessageBox(const std::string& text, TMessageKind kind, TMessageButtons buttons);

// The folder every file dialog of the model starts in when the element has no folder of its own.
std::string DefaultDataFolder();

// Asks the main window to re-evaluate its menu items, when one is registered.
void RefreshMainMenus();

}  // namespace zel
