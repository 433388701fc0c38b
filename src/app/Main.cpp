#include "app/Main.h"

#include <array>
#include <exception>
#include <map>
#include <utility>
#include <vector>

#include "app/EditorWindows.h"
#include "app/Intro.h"
#include "app/Mainserv.h"
#include "app/PrinterService.h"
#include "app/Ueabout.h"
#include "app/Uebank.h"
#include "app/Uecommen.h"
#include "app/Ueedit.h"
#include "app/Ueexpan.h"
#include "app/Uefolders.h"
#include "app/Uekeyboa.h"
#include "app/Uelibrar.h"
#include "app/Uemonito.h"
#include "app/Ueprevse.h"
#include "app/Uetransm.h"
#include "app/Ueupdana.h"
#include "editors/RhythmKeyEditor.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Bank.h"
#include "model/Clipboard.h"
#include "model/Library.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"
#include "platform/win/CursorRows.h"
#include "platform/win/Windows.h"

namespace zel {

namespace formres {
extern const TFormResource Main;
}

TFormzelmo* Formzelmo = nullptr;
TFormeditorAbout* FormeditorAbout = nullptr;
TFormTransmet* FormTransmet = nullptr;
TFormInOut* FormInOut = nullptr;

namespace {
const TFormClassRegistration registration("TFormzelmo", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormzelmo>(Owner);
});

constexpr TCursor DragCursorIndex = crDrag;

// Posted to the main window: the menu items are evaluated again.
constexpr UINT UM_ENABLEMENUITEMS = WM_APP + 0x40;

// ---------------------------------------------------------------------------------------------- cursors

// Pictures of the cursors drawn as text.
const TCursorRows kArrow = {"#",        "##",       "#.#",       "#..#",       "#...#",       "#....#",
                            "#.....#",  "#......#", "#.......#", "#........#", "#.....#####", "#..#..#",
                            "#.# #..#", "##  #..#", "#    #..#", "     #..#",  "      #..#",  "       ##"};
const TCursorRows kNote = {"    ####", "    #..#", "    #..#", "    #..#", " ###..#",
                           "#....#",   "#....#",   "#...#",    " ###"};
const TCursorRows kSheet = {"##########", "#........#", "#.######.#", "#........#",
                            "#.####...#", "#........#", "##########"};

void RegisterArrowCursor(const char* Name, const TCursorRows& Picture, int Left, int Top) {
    RegisterRowsCursor(Name, 0, 0, {{&kArrow, 0, 0}, {&Picture, Left, Top}});
}

std::map<ElementType, TElementWindowMaker>& ElementWindowMakers() {
    static std::map<ElementType, TElementWindowMaker> makers;
    return makers;
}

TCustomForm* AsForm(TObject* window) { return dynamic_cast<TCustomForm*>(window); }
}  // namespace

TUnitRows MainUnits() {
    return {{"Main",
             [] {
                 RegisterArrowCursor("CURSOR_1", kNote, 11, 10);
                 RegisterArrowCursor("CURSOR_3", kSheet, 4, 18);
             },
             {}}};
}

void RegisterElementWindow(ElementType Kind, TElementWindowMaker Maker) {
    ElementWindowMakers()[Kind] = std::move(Maker);
}

// ---------------------------------------------------------------------------------------------- TFormzelmo

TFormzelmo::TFormzelmo(TComponent* AOwner) : TForm(AOwner) {
    if (Formzelmo == nullptr) Formzelmo = this;
}

TFormzelmo::~TFormzelmo() {
    UnregisterModelServices();
    if (Formzelmo == this) Formzelmo = nullptr;
}

const TFormResource* TFormzelmo::FormResource() const { return &formres::Main; }

void TFormzelmo::DefineBindings(TFormBindings& B) {
    B.Field("PanelTrash", PanelTrash);
    B.Field("TrashVuoto", TrashVuoto);
    B.Field("TrashPieno", TrashPieno);
    B.Field("TimerPreview", TimerPreview);
    B.Field("PopupCopyMove", PopupCopyMove);
    B.Field("PopUpMove", PopUpMove);
    B.Field("PopUpCopy", PopUpCopy);
    B.Field("Patch", Patch);
    B.Field("PatchBank", PatchBank);
    B.Field("Performance", Performance);
    B.Field("PerformanceBank", PerformanceBank);
    B.Field("Rhythm", Rhythm);
    B.Field("RhythmBank", RhythmBank);
    B.Field("global", global);
    B.Field("System", System);
    B.Field("OpenDialog", OpenDialog);
    B.Field("ImageListMenu", ImageListMenu);
    B.Field("ubBarManager1", ubBarManager1);
    B.Field("File1", File1);
    B.Field("Settings1", Settings1);
    B.Field("Gaggets1", Gaggets1);
    B.Field("Window1", Window1);
    B.Field("Help1", Help1);
    B.Field("FileNewItem", FileNewItem);
    B.Field("FileOpenItem", FileOpenItem);
    B.Field("FileImportFrom", FileImportFrom);
    B.Field("FileCloseItem", FileCloseItem);
    B.Field("FileSaveItem", FileSaveItem);
    B.Field("FileSaveAsItem", FileSaveAsItem);
    B.Field("FileExportto", FileExportto);
    B.Field("FileSaveAllItem", FileSaveAllItem);
    B.Field("FilePrintItem", FilePrintItem);
    B.Field("FileExitItem", FileExitItem);
    B.Field("SetMidiMidiPortItem", SetMidiMidiPortItem);
    B.Field("SetPreviewItem", SetPreviewItem);
    B.Field("SetExpansionItem", SetExpansionItem);
    B.Field("SetPatchAndPerf", SetPatchAndPerf);
    B.Field("GadgetsKeyboardItem", GadgetsKeyboardItem);
    B.Field("GadgetsMonitorItem", GadgetsMonitorItem);
    B.Field("WindowCascadeItem", WindowCascadeItem);
    B.Field("WindowTileItem", WindowTileItem);
    B.Field("WindowArrangeItem", WindowArrangeItem);
    B.Field("WindowMinimizeItem", WindowMinimizeItem);
    B.Field("Index1", Index1);
    B.Field("HelpAboutItem", HelpAboutItem);

    using N = TNotifyEvent;
    B.Handler<N>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<N>("FormDestroy", [this](TObject* s) { FormDestroy(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<N>("FormResize", [this](TObject* s) { FormResize(s); });
    B.Handler<TDragOverEvent>("FormDragOver", [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                                     bool& accept) { FormDragOver(s, src, x, y, st, accept); });
    B.Handler<N>("TimerPreviewTimer", [this](TObject* s) { TimerPreviewTimer(s); });
    B.Handler<N>("TrashVuotoDblClick", [this](TObject* s) { TrashVuotoDblClick(s); });
    B.Handler<TDragOverEvent>("TrashVuotoDragOver",
                              [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& accept) {
                                  TrashVuotoDragOver(s, src, x, y, st, accept);
                              });
    B.Handler<N>("FileNewItemClick", [this](TObject* s) { FileNewItemClick(s); });
    B.Handler<N>("FileOpenItemClick", [this](TObject* s) { FileOpenItemClick(s); });
    B.Handler<N>("FileImportFromClick", [this](TObject* s) { FileImportFromClick(s); });
    B.Handler<N>("FileCloseItemClick", [this](TObject* s) { FileCloseItemClick(s); });
    B.Handler<N>("FileSaveItemClick", [this](TObject* s) { FileSaveItemClick(s); });
    B.Handler<N>("FileSaveAsItemClick", [this](TObject* s) { FileSaveAsItemClick(s); });
    B.Handler<N>("FileExporttoClick", [this](TObject* s) { FileExporttoClick(s); });
    B.Handler<N>("FileSaveAllItemClick", [this](TObject* s) { FileSaveAllItemClick(s); });
    B.Handler<N>("FilePrintItemClick", [this](TObject* s) { FilePrintItemClick(s); });
    B.Handler<N>("FileExitItemClick", [this](TObject* s) { FileExitItemClick(s); });
    B.Handler<N>("SetMidiMidiPortItemClick", [this](TObject* s) { SetMidiMidiPortItemClick(s); });
    B.Handler<N>("SetPreviewItemClick", [this](TObject* s) { SetPreviewItemClick(s); });
    B.Handler<N>("SetExpansionItemClick", [this](TObject* s) { SetExpansionItemClick(s); });
    B.Handler<N>("SetPatchAndPerfClick", [this](TObject* s) { SetPatchAndPerfClick(s); });
    B.Handler<N>("GadgetsKeyboardItemClick", [this](TObject* s) { GadgetsKeyboardItemClick(s); });
    B.Handler<N>("GadgetsMonitorItemClick", [this](TObject* s) { GadgetsMonitorItemClick(s); });
    B.Handler<N>("WindowCascadeItemClick", [this](TObject* s) { WindowCascadeItemClick(s); });
    B.Handler<N>("WindowTileItemClick", [this](TObject* s) { WindowTileItemClick(s); });
    B.Handler<N>("WindowArrangeItemClick", [this](TObject* s) { WindowArrangeItemClick(s); });
    B.Handler<N>("WindowMinimizeItemClick", [this](TObject* s) { WindowMinimizeItemClick(s); });
    B.Handler<N>("Index1Click", [this](TObject* s) { Index1Click(s); });
    B.Handler<N>("HelpAboutItemClick", [this](TObject* s) { HelpAboutItemClick(s); });
}

// ---------------------------------------------------------------------------------- creation and the end

void TFormzelmo::FormCreate(TObject*) {
    HelpContext = 25;
    zelmo_ = std::make_unique<TZelmo>();
    ZelmoHolder = zelmo_.get();
    Application->HelpFile = ProgramFolder + "/ZELMO.chm";
    InstallActiveFormHook();
    Screen->SetCursors(AuditionCursor, LoadCursor(nullptr, "CURSOR_1"));
    Screen->SetCursors(DragCursorIndex, LoadCursor(nullptr, "CURSOR_3"));
    DragInfo = std::make_unique<TDragInfo>();
    Clipboard = std::make_unique<TClipboard>();
    PanelTrash->SetVisible(true);
    SetCaption("Zelmovi 3.0");
    FileImportFrom->SetCaption("Import From XP");
    FileExportto->SetCaption("Export To XP");
    FormResize(this);
    TrashLibrary = std::make_unique<TLibrary>();
    SvuotaSecchio();
    RegisterModelServices();
}

void TFormzelmo::FormDestroy(TObject*) {
    Screen->OnActiveFormChange = nullptr;
    if (ModelServices().DragInfo == DragInfo.get()) ModelServices().DragInfo = nullptr;
    if (ModelServices().Clipboard == Clipboard.get()) ModelServices().Clipboard = nullptr;
    DragInfo.reset();
    Clipboard.reset();
    SvuotaSecchio();
    // The trash window, when open, goes before the library it shows.
    delete TFormLibrary::TrashWindow();
    TrashLibrary.reset();
}

void TFormzelmo::InstallActiveFormHook() {
    Screen->OnActiveFormChange = [this](TObject* s) { EnableMenuItems(s); };
}

// The model reaches the windows, the dialogs, the message boxes, the data folder and the MIDI input
// through the main window from its creation on.
void TFormzelmo::RegisterModelServices() {
    TModelServices& services = ModelServices();
    fileDialogs_ = std::make_unique<TMainFileDialogs>(this);
    messageBoxes_ = std::make_unique<TMainMessageBoxes>();
    services.FileDialogs = fileDialogs_.get();
    services.MessageBoxes = messageBoxes_.get();
    services.Windows = this;
    services.DataFolder = [] { return MakeDataFolder(GetVendorDocumentsFolder()); };
    services.DefaultMidiInput = [this](TObject* s) { DefaultMidiInput(s); };
    services.Printer = &ProgramPrinter();
    services.DragInfo = DragInfo.get();
    services.Clipboard = Clipboard.get();
    RegisterEditorWindows();
}

void TFormzelmo::UnregisterModelServices() {
    TModelServices& services = ModelServices();
    if (services.Windows != this) return;
    services.FileDialogs = nullptr;
    services.MessageBoxes = nullptr;
    services.Windows = nullptr;
    services.DataFolder = nullptr;
    services.Printer = nullptr;
    services.DragInfo = nullptr;
    services.Clipboard = nullptr;
    services.DefaultMidiInput = ModelDefaultMidiInput;
    // The port dialog may outlive the window: its input must not call into a freed window.
    if (services.MidiPorts != nullptr) services.MidiPorts->SetInputHandler(ModelDefaultMidiInput);
    if (ZelmoHolder == zelmo_.get()) ZelmoHolder = nullptr;
}

void TFormzelmo::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FormMonitor) FormMonitor = nullptr;
    if (AComponent == FormeditorAbout) FormeditorAbout = nullptr;
    if (AComponent == FormTransmet) FormTransmet = nullptr;
    if (AComponent == FormEdit) FormEdit = nullptr;
    if (AComponent == Formcomment) Formcomment = nullptr;
    if (AComponent == FormInOut) FormInOut = nullptr;
    // A window of the main window's gone (it is no longer of its class by now): the menus follow once it
    // has left the children, whichever window was active meanwhile.
    if (!ComponentState().Contains(csDestroying) && HandleAllocated())
        PostMessage(GetHandle(), UM_ENABLEMENUITEMS, 0, 0);
}

void TFormzelmo::Dispatch(TMessage& Message) {
    if (Message.Msg == UM_ENABLEMENUITEMS) {
        EnableMenuItems(this);
        return;
    }
    TForm::Dispatch(Message);
}

void TFormzelmo::FormResize(TObject*) {
    if (PanelTrash == nullptr) return;
    PanelTrash->SetLeft(ClientWidth() - PanelTrash->GetWidth() - 15);
    PanelTrash->SetTop(ClientHeight() - PanelTrash->GetHeight() - 15);
}

void TFormzelmo::FormDragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) {
    // Nothing drops on the free area behind the windows: the cursor says so.
    Accept = false;
    if (DragInfo) DragInfo->Accepted = 0;
}

void TFormzelmo::TrashVuotoDragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) {
    Accept = DragInfo && dynamic_cast<TFormLibrary*>(DragInfo->Source) != nullptr;
    if (DragInfo) DragInfo->Accepted = Accept ? 1 : 0;
}

void TFormzelmo::ShowPopUpCopyMove(int X, int Y, TNotifyEvent Copy, TNotifyEvent Move) {
    PopUpCopy->OnClick = std::move(Copy);
    PopUpMove->OnClick = std::move(Move);
    auto* target = DragInfo ? dynamic_cast<TControl*>(DragInfo->Target) : nullptr;
    const TPoint p = target != nullptr ? target->ClientToScreen(TPoint{X, Y}) : TPoint{X, Y};
    PopupCopyMove->Popup(p.x, p.y + 60);
}

void TFormzelmo::SvuotaSecchio() {
    if (TrashVuoto != nullptr) TrashVuoto->SetVisible(true);
    if (TrashPieno != nullptr) TrashPieno->SetVisible(false);
}

void TFormzelmo::SecchioPieno() {
    if (TrashVuoto != nullptr) TrashVuoto->SetVisible(false);
    if (TrashPieno != nullptr) TrashPieno->SetVisible(true);
}

// ----------------------------------------------------------------------------------------------- menus

bool TFormzelmo::NonLibrary(TCustomForm* Form) const {
    if (auto* library = dynamic_cast<TFormLibrary*>(Form)) return library->TrashMode();
    return dynamic_cast<TFormKeyboard*>(Form) != nullptr || dynamic_cast<TFormMonitor*>(Form) != nullptr ||
           dynamic_cast<TFormintro*>(Form) != nullptr;
}

TLibrary* TFormzelmo::ActiveLibrary() {
    if (MDIChildCount() == 0) return nullptr;
    TCustomForm* active = ActiveMDIChild();
    return active != nullptr && !NonLibrary(active) ? LibraryOfForm(active) : nullptr;
}

void TFormzelmo::EnableMenuItems(TObject*) {
    if (ComponentState().Contains(csDestroying) || FileSaveItem == nullptr) return;
    if (menuUpdatesHeld_ > 0) {
        menuUpdateMissed_ = true;
        return;
    }
    const int children = MDIChildCount();
    TLibrary* library = ActiveLibrary();
    FileCloseItem->SetEnabled(library != nullptr);
    FilePrintItem->SetEnabled(library != nullptr);
    FileSaveAsItem->SetEnabled(library != nullptr);
    FileSaveItem->SetEnabled(library != nullptr && library->Saved == 0);
    FileExportto->SetEnabled(FileSaveItem->GetEnabled());
    bool unsaved = false;
    for (int i = 0; i < children && !unsaved; ++i) {
        TCustomForm* child = MDIChildren(i);
        if (NonLibrary(child)) continue;
        const TLibrary* l = LibraryOfForm(child);
        unsaved = l != nullptr && l->Saved == 0;
    }
    FileSaveAllItem->SetEnabled(unsaved);
    GadgetsKeyboardItem->SetEnabled(ZelmoHolder == nullptr || ZelmoHolder->KeyboardOpen == 0);
    GadgetsMonitorItem->SetEnabled(ZelmoHolder == nullptr || ZelmoHolder->MonitorOpen == 0);
    for (TubBarButton* item : {WindowCascadeItem, WindowTileItem, WindowArrangeItem, WindowMinimizeItem})
        item->SetEnabled(children > 0);
}

// ------------------------------------------------------------------------------------------ libraries

TFormLibrary* TFormzelmo::OpenLibraryWindow(std::unique_ptr<TLibrary> Library) {
    TFormLibrary* window = TFormLibrary::OpenLibrary(this, *Library, false);
    // The window owns its library from now on and destroys it when it closes.
    Library.release();
    window->RefreshList();
    EnableMenuItems(this);
    return window;
}

void TFormzelmo::BringLibraryToFront(TFormLibrary* Window) {
    // The active child is the one in front, the one the File items and their keys act on.
    Window->BringToFront();
    SendMessage(ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Window->GetHandle()), 0);
}

TFormLibrary* TFormzelmo::LibraryWindowOfFile(const std::string& Path) {
    const std::string file = ResolvedFileName(Path);
    const int children = MDIChildCount();
    for (int i = 0; i < children; ++i) {
        auto* window = dynamic_cast<TFormLibrary*>(MDIChildren(i));
        if (window == nullptr || window->TrashMode() || window->Library() == nullptr) continue;
        const TLibrary& library = *window->Library();
        // A library never saved nor loaded has no file, only the name "Untitled.Lib".
        const bool hasFile = CompareText(library.FileName, UntitledLib) != 0 || library.HasFile == 1;
        if (hasFile && ResolvedFileName(library.FileName) == file) return window;
    }
    return nullptr;
}

void TFormzelmo::FileNewItemClick(TObject*) {
    try {
        OpenLibraryWindow(std::make_unique<TLibrary>());
    } catch (const std::exception&) {
        throw EInOutError("Out of Memory or Resource");
    }
}

void TFormzelmo::OpenLibraryFile(bool Xp) {
    auto library = std::make_unique<TLibrary>();
    {
        XpFormat = Xp ? 1 : 0;
        TScopeExit reset([] { XpFormat = 0; });
        // A file that cannot be read raises "Error Loading Library": the message shows and no window opens.
        if (!library->LoadDialog()) return;
    }
    if (Xp) {
        // The XP file is not this library's file: saving it asks for a name, and the desktop does not
        // record it to be read back in the other format.
        library->FileName = UntitledLib;
        library->HasFile = 0;
    } else if (TFormLibrary* open = LibraryWindowOfFile(library->FileName)) {
        // A second window on the same file would hold a second copy, and saving the one would later be
        // undone by saving the other: the file's window comes to the front and the copy read goes.
        BringLibraryToFront(open);
        return;
    }
    OpenLibraryWindow(std::move(library));
}

void TFormzelmo::FileOpenItemClick(TObject*) { OpenLibraryFile(false); }

void TFormzelmo::FileImportFromClick(TObject*) { OpenLibraryFile(true); }

void TFormzelmo::FileCloseItemClick(TObject*) {
    if (TCustomForm* active = ActiveMDIChild()) active->Close();
}

void TFormzelmo::FileSaveItemClick(TObject*) {
    if (TLibrary* library = ActiveLibrary()) library->SaveDialog(false);
}

void TFormzelmo::FileSaveAsItemClick(TObject*) {
    if (TLibrary* library = ActiveLibrary()) library->SaveDialog(true);
}

void TFormzelmo::FileExporttoClick(TObject*) {
    TLibrary* library = ActiveLibrary();
    if (library == nullptr) return;
    XpFormat = 1;
    TScopeExit reset([] { XpFormat = 0; });
    // An export writes a copy in the other format: the library stays with its own file.
    library->SaveCopyDialog();
}

void TFormzelmo::FileSaveAllItemClick(TObject*) {
    for (int i = 0; i < MDIChildCount(); ++i) {
        TCustomForm* child = MDIChildren(i);
        if (NonLibrary(child)) continue;
        TLibrary* library = LibraryOfForm(child);
        if (library != nullptr && library->Saved == 0) library->SaveDialog(false);
    }
}

void TFormzelmo::FilePrintItemClick(TObject*) {
    TLibrary* library = ActiveLibrary();
    if (library == nullptr) return;
    try {
        PrintLibraryListing(*library);
    } catch (const EAbort&) {
        throw;  // the user cancelled, e.g. the PDF file's name: no error
    } catch (const std::exception&) {
        throw EInOutError("Printer Error");
    }
}

void TFormzelmo::TrashVuotoDblClick(TObject*) {
    if (TFormLibrary::TrashWindow() != nullptr) return;
    TFormLibrary::OpenLibrary(this, *TrashLibrary, true);
    EnableMenuItems(this);
    // Until the trash window closes; then the panel shows again with the picture of what the trash holds.
    PanelTrash->SetVisible(false);
}

void TFormzelmo::FileExitItemClick(TObject*) { Close(); }

void TFormzelmo::SetMidiMidiPortItemClick(TObject*) {
    if (FormInOut != nullptr) FormInOut->ShowModal();
}

void TFormzelmo::SetPreviewItemClick(TObject*) {
    if (FormPreviewSetup != nullptr) FormPreviewSetup->ShowModal();
}

void TFormzelmo::SetExpansionItemClick(TObject*) {
    if (FormExpansion != nullptr) FormExpansion->ShowModal();
}

void TFormzelmo::SetPatchAndPerfClick(TObject*) {
    if (FormUpdateNames != nullptr) FormUpdateNames->ShowModal();
}

void TFormzelmo::GadgetsKeyboardItemClick(TObject*) {
    Construct<TFormKeyboard>(this);
    EnableMenuItems(this);
}

void TFormzelmo::GadgetsMonitorItemClick(TObject*) {
    FormMonitor = Construct<TFormMonitor>(this);
    FreeNotification(FormMonitor);
    EnableMenuItems(this);
}

void TFormzelmo::WindowCascadeItemClick(TObject*) { Cascade(); }
void TFormzelmo::WindowTileItemClick(TObject*) { Tile(); }
void TFormzelmo::WindowArrangeItemClick(TObject*) { ArrangeIcons(); }

void TFormzelmo::WindowMinimizeItemClick(TObject*) {
    for (int i = MDIChildCount() - 1; i >= 0; --i) MDIChildren(i)->SetWindowState(wsMinimized);
}

void TFormzelmo::Index1Click(TObject*) { Application->HelpContext(20); }

void TFormzelmo::HelpAboutItemClick(TObject*) {
    if (FormeditorAbout != nullptr) FormeditorAbout->ShowModal();
}

void TFormzelmo::SpeedHelpClick(TObject*) { Application->HelpContext(20); }

// ----------------------------------------------------------------------------------------- MIDI input

void TFormzelmo::DefaultMidiInput(TObject*) {
    if (DevicesOpen == 0) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (ports == nullptr) return;
    std::unique_ptr<TMyMidiEvent> event = ports->NextEvent();
    if (!event) return;
    const bool thru = ZelmoHolder != nullptr && ZelmoHolder->Config->Thrue == 1;
    const bool sysex = event->SysexLength != 0;
    if (thru && !sysex) SendShortMessage(event->status, event->data1, event->data2);
    if (FormMonitor == nullptr) return;
    // The monitor's line is written from the event's own bytes, whatever its length.
    for (TMemo* memo : {FormMonitor->MemoInput, thru ? FormMonitor->MemoOutput : nullptr}) {
        if (memo == nullptr) continue;
        if (sysex) FormMonitor->AddMessage(event->Sysex.data(), event->Sysex.size(), memo);
        else FormMonitor->AddMessageMidi(*event, memo);
    }
}

// --------------------------------------------------------------------------------------------- audition

bool TFormzelmo::ListAuditionsItself(POINT Screen) {
    TCustomForm* active = ActiveMDIChild();
    TRect list;
    if (auto* library = dynamic_cast<TFormLibrary*>(active)) {
        if (library->DrawGrid == nullptr || !library->DrawGrid->HandleAllocated()) return false;
        list = library->ListScreenRect();
    } else if (auto* bank = dynamic_cast<TFormBank*>(active)) {
        if (bank->Element() == nullptr || bank->Element()->ElemType != etPatchBank ||
            !bank->DrawGrid->HandleAllocated())
            return false;
        list = bank->ListScreenRect();
    } else {
        return false;
    }
    return PtInRect(&list, Screen) != FALSE;
}

void TFormzelmo::Preview(MSG& Msg, bool& Handled) {
    if (Msg.message == WM_RBUTTONDOWN && (Msg.wParam & MK_SHIFT) != 0) {
        // The press's point on the screen, from the client point of the window it is for.
        POINT at{static_cast<SHORT>(LOWORD(Msg.lParam)), static_cast<SHORT>(HIWORD(Msg.lParam))};
        if (Msg.hwnd != nullptr) ::zel::ClientToScreen(Msg.hwnd, &at);
        if (ListAuditionsItself(at)) return;
        try {
            StartPreview();
            Handled = true;
        } catch (const std::exception&) {
            Screen->SetCursor(crDefault);
        }
    } else if (Msg.message == WM_RBUTTONUP && Screen->GetCursor() == AuditionCursor) {
        TimerPreview->SetEnabled(false);
        Handled = true;
        TScopeExit resetCursor([] { Screen->SetCursor(crDefault); });
        StopPreview();
    }
}

void TFormzelmo::TimerPreviewTimer(TObject*) {
    // Disabled also when the audition fails, so that a failure is not tried (and shown) again every second;
    // the audition has told its failure and reset the cursor already.
    TimerPreview->SetEnabled(false);
    try {
        StartPreview();
    } catch (const std::exception&) {
    }
}

// ----------------------------------------------------------------------------------- closing and desktop

void TFormzelmo::FormClose(TObject*, TCloseAction& Action) {
    Screen->OnActiveFormChange = nullptr;
    // Which tool windows are open, read before the walk closes them.
    const bool monitorOpen = ZelmoHolder != nullptr && ZelmoHolder->MonitorOpen != 0;
    const bool keyboardOpen = ZelmoHolder != nullptr && ZelmoHolder->KeyboardOpen != 0;
    // Every library is asked about first: whatever becomes of the settings file, no change is lost unasked.
    CancelClose = false;
    std::vector<std::string> desktop;
    for (int i = MDIChildCount() - 1; i >= 0 && !CancelClose; --i) {
        TCustomForm* child = MDIChildren(i);
        if (NonLibrary(child)) {
            child->Close();
            continue;
        }
        auto* window = dynamic_cast<TFormLibrary*>(child);
        if (window == nullptr) continue;
        // The question runs here, not through Close: its answer is needed before the next window.
        TCloseAction closeAction = caNone;
        window->FormClose(window, closeAction);
        // The file the library was last saved under; a library never saved has none yet.
        const std::string path = window->ClosedFileName;
        if (!CancelClose && !path.empty() && FileExists(path)) desktop.push_back(path);
    }
    // Then the settings. A file that cannot be written is said once and does not keep the program open.
    try {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Monitor", "Open", monitorOpen ? 1 : 0);
        ini.WriteInteger("Keyboard", "Open", keyboardOpen ? 1 : 0);
        for (std::size_t n = 0; n < desktop.size(); ++n)
            ini.WriteString("Desktop", "Library" + std::to_string(n + 1), desktop[n]);
        ini.WriteInteger("Desktop", "Num Library", CancelClose ? 0 : static_cast<int>(desktop.size()));
    } catch (const std::exception& E) {
        ShowMessageBox(E.what(), TMessageKind::Error, TMessageButtons::OK);
    }
    if (CancelClose) {
        Action = caNone;
        InstallActiveFormHook();
    } else {
        Action = caFree;
        Application->Terminate();
    }
}

void TFormzelmo::LoadDesktopLibrary() {
    {
        ++menuUpdatesHeld_;
        TScopeExit release([this] { --menuUpdatesHeld_; });
        ReopenDesktopWindows();
    }
    if (menuUpdatesHeld_ == 0 && std::exchange(menuUpdateMissed_, false)) EnableMenuItems(this);
}

void TFormzelmo::ReopenDesktopWindows() {
    try {
        TIniFile ini(SettingsFileName);
        const int count = ini.ReadInteger("Desktop", "Num Library", 0);
        // A file listed twice (under any name) opens once: its window comes to the front again.
        std::map<std::string, TFormLibrary*> opened;
        // A count beyond the entries there stops at the first missing one.
        for (int i = 1; i <= count && ini.ValueExists("Desktop", "Library" + std::to_string(i)); ++i) {
            const std::string path = ini.ReadString("Desktop", "Library" + std::to_string(i), "");
            if (path.empty()) continue;
            const std::string file = ResolvedFileName(path);
            if (auto it = opened.find(file); it != opened.end()) {
                BringLibraryToFront(it->second);
                continue;
            }
            try {
                auto library = std::make_unique<TLibrary>();
                library->LoadFromFile(path);
                opened[file] = OpenLibraryWindow(std::move(library));
            } catch (const std::exception&) {
                // A library that cannot be read (moved, deleted, damaged) is left out; the others open.
            }
        }
        if (ini.ReadInteger("Monitor", "Open", 0) == 1) GadgetsMonitorItemClick(this);
        if (ini.ReadInteger("Keyboard", "Open", 0) == 1) GadgetsKeyboardItemClick(this);
    } catch (const std::exception&) {
        // What cannot be reopened stays closed.
    }
}

// -------------------------------------------------------------------------------------- IModelWindows

TObject* TFormzelmo::CreateElementWindow(TLibElem& element) {
    auto& makers = ElementWindowMakers();
    auto it = makers.find(element.ElemType);
    if (it == makers.end()) throw EInOutError("Out of Memory or Resource");
    return it->second(element);
}

void TFormzelmo::BringWindowToFront(TObject* window) {
    if (TCustomForm* form = AsForm(window)) form->BringToFront();
}

bool TFormzelmo::GetWindowPosition(TObject* window, int& left, int& top) {
    TCustomForm* form = AsForm(window);
    if (form == nullptr) return false;
    left = form->GetLeft();
    top = form->GetTop();
    return true;
}

bool TFormzelmo::GetWindowSize(TObject* window, int& width, int& height) {
    TCustomForm* form = AsForm(window);
    if (form == nullptr) return false;
    width = form->GetWidth();
    height = form->GetHeight();
    return true;
}

void TFormzelmo::UpdateWindowView(TObject* window) {
    if (auto* shown = dynamic_cast<IElementWindow*>(window)) shown->UpdateElementView();
}

TLibElem* TFormzelmo::ElementOfWindow(TObject* window) {
    if (auto* shown = dynamic_cast<IElementWindow*>(window)) return shown->ShownElement();
    return nullptr;
}

std::optional<int> TFormzelmo::ActiveRhythmKeyIndex() {
    if (const auto* editor = dynamic_cast<const TRhythmKeyEditor*>(ActiveMDIChild())) return editor->KeyIndex();
    return std::nullopt;
}

const TLibrary* TFormzelmo::LibraryOfFile(const std::string& path) {
    TFormLibrary* window = LibraryWindowOfFile(path);
    return window != nullptr ? window->Library() : nullptr;
}

void TFormzelmo::ReleaseElementWindow(TObject* window) {
    if (auto* shown = dynamic_cast<IElementWindow*>(window)) {
        shown->ReleaseByElement();
    } else if (TCustomForm* form = AsForm(window)) {
        form->Release();
    }
}

bool TFormzelmo::GetMainClientSize(int& width, int& height) {
    if (ClientHandle() != nullptr) {
        RECT r{};
        if (::zel::GetClientRect(ClientHandle(), &r) != FALSE) {
            width = r.right - r.left;
            height = r.bottom - r.top;
            return true;
        }
    }
    width = ClientWidth();
    height = ClientHeight();
    return true;
}

void TFormzelmo::MoveWindow(TObject* window, int left, int top) {
    // The place may come from a file: it is brought onto the client area first.
    if (TCustomForm* form = AsForm(window)) form->SetStoredBounds(left, top, form->GetWidth(), form->GetHeight());
}

void TFormzelmo::SetScreenCursor(int cursor) { Screen->SetCursor(cursor); }

}  // namespace zel
