#include "app/Main.h"

#include <array>
#include <exception>
#include <map>
#include <utility>
#include <vector>

#include "app/Intro.h"
#include "app/Mainserv.h"
#include "app/PrinterService.h"
#include "app/Ueabout.h"
#include "app/Uefolders.h"
#include "app/Uekeyboa.h"
#include "app/Uemonito.h"
#include "app/Uetransm.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Clipboard.h"
#include "model/Library.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
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

constexpr TCursor AuditionCursorIndex = -20;
constexpr TCursor DragCursorIndex = crDrag;

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
    B.Handler<N>("FileExitItemClick", [this](TObject* s) { FileExitItemClick(s); });
    B.Handler<N>("SetMidiMidiPortItemClick", [this](TObject* s) { SetMidiMidiPortItemClick(s); });
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
    Screen->SetCursors(AuditionCursorIndex, LoadCursor(nullptr, "CURSOR_1"));
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
    DragInfo.reset();
    Clipboard.reset();
    SvuotaSecchio();
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
}

void TFormzelmo::UnregisterModelServices() {
    TModelServices& services = ModelServices();
    if (services.Windows != this) return;
    services.FileDialogs = nullptr;
    services.MessageBoxes = nullptr;
    services.Windows = nullptr;
    services.DataFolder = nullptr;
    services.Printer = nullptr;
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
    if (AComponent == FormInOut) FormInOut = nullptr;
}

void TFormzelmo::FormResize(TObject*) {
    if (PanelTrash == nullptr) return;
    PanelTrash->SetLeft(ClientWidth() - PanelTrash->GetWidth() - 15);
    PanelTrash->SetTop(ClientHeight() - PanelTrash->GetHeight() - 15);
}

void TFormzelmo::FormDragOver(TObject*, TObject*, int, int, TDragState, bool&) {
    if (DragInfo) DragInfo->Accepted = 0;
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
    return dynamic_cast<TFormKeyboard*>(Form) != nullptr || dynamic_cast<TFormMonitor*>(Form) != nullptr ||
           dynamic_cast<TFormintro*>(Form) != nullptr;
}

void TFormzelmo::EnableMenuItems(TObject*) {
    if (ComponentState().Contains(csDestroying) || FileSaveItem == nullptr) return;
    const int children = MDIChildCount();
    TLibrary* library = nullptr;
    if (children > 0) {
        TCustomForm* active = ActiveMDIChild();
        if (active != nullptr && !NonLibrary(active)) library = LibraryOfForm(active);
    }
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

void TFormzelmo::FileExitItemClick(TObject*) { Close(); }

void TFormzelmo::SetMidiMidiPortItemClick(TObject*) {
    if (FormInOut != nullptr) FormInOut->ShowModal();
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
    if (thru && !sysex) ports->PutShort(event->status, event->data1, event->data2);
    if (FormMonitor == nullptr) return;
    // The monitor's line is written from the event's own bytes, whatever its length.
    for (TMemo* memo : {FormMonitor->MemoInput, thru ? FormMonitor->MemoOutput : nullptr}) {
        if (memo == nullptr) continue;
        if (sysex) FormMonitor->AddMessage(event->Sysex.data(), event->Sysex.size(), memo);
        else FormMonitor->AddMessageMidi(*event, memo);
    }
}

// --------------------------------------------------------------------------------------------- audition

void TFormzelmo::Preview(MSG& Msg, bool& Handled) {
    if (Msg.message == WM_RBUTTONDOWN && (Msg.wParam & MK_SHIFT) != 0) {
        try {
            StartPreview();
            Handled = true;
        } catch (const std::exception&) {
            Screen->SetCursor(crDefault);
        }
    } else if (Msg.message == WM_RBUTTONUP && Screen->GetCursor() == AuditionCursorIndex) {
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
    try {
        TIniFile ini(SettingsFileName);
        const bool monitorOpen = ZelmoHolder != nullptr && ZelmoHolder->MonitorOpen != 0;
        const bool keyboardOpen = ZelmoHolder != nullptr && ZelmoHolder->KeyboardOpen != 0;
        ini.WriteInteger("Monitor", "Open", monitorOpen ? 1 : 0);
        ini.WriteInteger("Keyboard", "Open", keyboardOpen ? 1 : 0);
        CancelClose = false;
        int libraries = 0;
        for (int i = MDIChildCount() - 1; i >= 0 && !CancelClose; --i) {
            TCustomForm* child = MDIChildren(i);
            if (NonLibrary(child)) child->Close();
        }
        if (CancelClose) {
            Action = caNone;
            ini.WriteInteger("Desktop", "Num Library", 0);
            InstallActiveFormHook();
        } else {
            Action = caFree;
            ini.WriteInteger("Desktop", "Num Library", libraries);
            Application->Terminate();
        }
    } catch (const std::exception&) {
        // A settings file that cannot be written does not keep the program open.
    }
}

void TFormzelmo::LoadDesktopLibrary() {
    try {
        TIniFile ini(SettingsFileName);
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

void TFormzelmo::ReleaseElementWindow(TObject* window) {
    if (TCustomForm* form = AsForm(window)) form->Release();
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
    if (TCustomForm* form = AsForm(window)) form->SetBounds(left, top, form->GetWidth(), form->GetHeight());
}

void TFormzelmo::SetScreenCursor(int cursor) { Screen->SetCursor(cursor); }

}  // namespace zel
