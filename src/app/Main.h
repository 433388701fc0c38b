#pragma once
// TFormzelmo, the program's main window: a multiple-document window with the menu bar and the toolbar of
// its bar manager, the trash panel in the lower right corner, and the program-wide hooks: the menu
// refresh on every change of the active window, the audition on Shift + right button, and the default
// handler of the MIDI input. It is also the model's window service (IModelWindows), and registers the
// model's other services while it exists: file dialogs, message boxes, the printer, the data folder and
// the default MIDI input.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/LibElem.h"
#include "model/ModelServices.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Menus.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"

namespace zel {

class TClipboard;
class TDragInfo;
class TFormLibrary;
class TLibrary;
class TFormMonitor;
class TFormeditorAbout;
class TFormTransmet;
class TFormInOut;
class TMainFileDialogs;
class TMainMessageBoxes;
class TZelmo;

// The program's windows that live from the start-up to the end; none while they do not exist.
extern class TFormzelmo* Formzelmo;
extern TFormeditorAbout* FormeditorAbout;
extern TFormTransmet* FormTransmet;
extern TFormInOut* FormInOut;

// The program's own pictures that are not part of a form: the audition cursor "CURSOR_1" and the drag
// cursor "CURSOR_3", as named cursor resources (the start-up row of the main window's unit).
TUnitRows MainUnits();

// Makes the window of an element of one kind (a multiple-document child of the main window). Each kind's
// window registers its maker here; the model asks for windows through the main window.
using TElementWindowMaker = std::function<TObject*(TLibElem& Element)>;
void RegisterElementWindow(ElementType Kind, TElementWindowMaker Maker);

class TFormzelmo : public TForm, public IModelWindows {
public:
    explicit TFormzelmo(TComponent* AOwner);
    ~TFormzelmo() override;
    std::string ClassName() const override { return "TFormzelmo"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TPanel* PanelTrash = nullptr;
    TImage* TrashVuoto = nullptr;
    TImage* TrashPieno = nullptr;
    TTimer* TimerPreview = nullptr;
    TPopupMenu* PopupCopyMove = nullptr;
    TMenuItem* PopUpMove = nullptr;
    TMenuItem* PopUpCopy = nullptr;
    TBitBtn* Patch = nullptr;
    TBitBtn* PatchBank = nullptr;
    TBitBtn* Performance = nullptr;
    TBitBtn* PerformanceBank = nullptr;
    TBitBtn* Rhythm = nullptr;
    TBitBtn* RhythmBank = nullptr;
    TBitBtn* global = nullptr;
    TBitBtn* System = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TImageList* ImageListMenu = nullptr;
    TubBarManager* ubBarManager1 = nullptr;
    TubBarSubItem* File1 = nullptr;
    TubBarSubItem* Settings1 = nullptr;
    TubBarSubItem* Gaggets1 = nullptr;
    TubBarSubItem* Window1 = nullptr;
    TubBarSubItem* Help1 = nullptr;
    TubBarButton* FileNewItem = nullptr;
    TubBarButton* FileOpenItem = nullptr;
    TubBarButton* FileImportFrom = nullptr;
    TubBarButton* FileCloseItem = nullptr;
    TubBarButton* FileSaveItem = nullptr;
    TubBarButton* FileSaveAsItem = nullptr;
    TubBarButton* FileExportto = nullptr;
    TubBarButton* FileSaveAllItem = nullptr;
    TubBarButton* FilePrintItem = nullptr;
    TubBarButton* FileExitItem = nullptr;
    TubBarButton* SetMidiMidiPortItem = nullptr;
    TubBarButton* SetPreviewItem = nullptr;
    TubBarButton* SetExpansionItem = nullptr;
    TubBarButton* SetPatchAndPerf = nullptr;
    TubBarButton* GadgetsKeyboardItem = nullptr;
    TubBarButton* GadgetsMonitorItem = nullptr;
    TubBarButton* WindowCascadeItem = nullptr;
    TubBarButton* WindowTileItem = nullptr;
    TubBarButton* WindowArrangeItem = nullptr;
    TubBarButton* WindowMinimizeItem = nullptr;
    TubBarButton* Index1 = nullptr;
    TubBarButton* HelpAboutItem = nullptr;

    // ---- what the window holds besides its components
    std::unique_ptr<TDragInfo> DragInfo;
    std::unique_ptr<TClipboard> Clipboard;
    // Elements deleted from any library move into it.
    std::unique_ptr<TLibrary> TrashLibrary;
    // The monitor window while it is open.
    TFormMonitor* FormMonitor = nullptr;
    // Set by a library window's close question when the user cancelled it: the program stays open.
    bool CancelClose = false;
    // Set by a double click in a library or bank list, so that the click's drag does not drop.
    bool DropSuppress = false;

    // ---- operations
    // Re-evaluates the enabled state of the menu items (also the screen's active-window hook).
    void EnableMenuItems(TObject* Sender);
    // True for the windows that hold no library: the trash window, the keyboard, the monitor and the intro.
    bool NonLibrary(TCustomForm* Form) const;
    // The library of the active child window, unless that window holds none (NonLibrary).
    TLibrary* ActiveLibrary();
    // The empty and the full trash picture.
    void SvuotaSecchio();
    void SecchioPieno();
    // The question of a drop: "Move" or "Copy", popped up at a point of the drop's target window (client
    // coordinates), 60 pixels lower; the chosen item runs its handler.
    void ShowPopUpCopyMove(int X, int Y, TNotifyEvent Copy, TNotifyEvent Move);
    // Reopens the windows the settings say were open at the last close: the libraries, then the monitor,
    // then the keyboard. A library that cannot be read is left out.
    void LoadDesktopLibrary();
    // The default handler of the program's MIDI input.
    void DefaultMidiInput(TObject* Sender);
    // The application's message hook: Shift + right button starts an audition, the release ends it.
    void Preview(MSG& Msg, bool& Handled);

    // ---- handlers
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormResize(TObject* Sender);
    void FormDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void TimerPreviewTimer(TObject* Sender);
    void TrashVuotoDblClick(TObject* Sender);
    void TrashVuotoDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void FileNewItemClick(TObject* Sender);
    void FileOpenItemClick(TObject* Sender);
    void FileImportFromClick(TObject* Sender);
    void FileCloseItemClick(TObject* Sender);
    void FileSaveItemClick(TObject* Sender);
    void FileSaveAsItemClick(TObject* Sender);
    void FileExporttoClick(TObject* Sender);
    void FileSaveAllItemClick(TObject* Sender);
    void FilePrintItemClick(TObject* Sender);
    void FileExitItemClick(TObject* Sender);
    void SetMidiMidiPortItemClick(TObject* Sender);
    void SetPreviewItemClick(TObject* Sender);
    void SetExpansionItemClick(TObject* Sender);
    void SetPatchAndPerfClick(TObject* Sender);
    void GadgetsKeyboardItemClick(TObject* Sender);
    void GadgetsMonitorItemClick(TObject* Sender);
    void WindowCascadeItemClick(TObject* Sender);
    void WindowTileItemClick(TObject* Sender);
    void WindowArrangeItemClick(TObject* Sender);
    void WindowMinimizeItemClick(TObject* Sender);
    void Index1Click(TObject* Sender);
    void HelpAboutItemClick(TObject* Sender);
    void SpeedHelpClick(TObject* Sender);

    // ---- IModelWindows
    void EnableMenuItems() override { EnableMenuItems(this); }
    TObject* CreateElementWindow(TLibElem& element) override;
    void BringWindowToFront(TObject* window) override;
    bool GetWindowPosition(TObject* window, int& left, int& top) override;
    bool GetWindowSize(TObject* window, int& width, int& height) override;
    void UpdateWindowView(TObject* window) override;
    void ReleaseElementWindow(TObject* window) override;
    bool GetMainClientSize(int& width, int& height) override;
    void MoveWindow(TObject* window, int left, int top) override;
    void SetScreenCursor(int cursor) override;
    TLibElem* ElementOfWindow(TObject* window) override;
    const TLibrary* LibraryOfFile(const std::string& path) override;
    // The key selector's index of the active rhythm key editor, so that an audition plays its key.
    std::optional<int> ActiveRhythmKeyIndex() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    void RegisterModelServices();
    void UnregisterModelServices();
    void InstallActiveFormHook();
    // Shows a library in a new library window (not the trash), sorted by the window's sort buttons.
    TFormLibrary* OpenLibraryWindow(std::unique_ptr<TLibrary> Library);
    // File > Open, and with Xp set File > Import From XP: the chosen file in a new library window. A
    // file already open in a library window is not opened again: that window comes to the front.
    void OpenLibraryFile(bool Xp);
    // The library window (not the trash) whose library has the file at Path, or nullptr.
    TFormLibrary* LibraryWindowOfFile(const std::string& Path);
    // The windows of LoadDesktopLibrary, opened with the menu items held.
    void ReopenDesktopWindows();
    // Makes a library window the front and active child.
    void BringLibraryToFront(TFormLibrary* Window);
    // Whether a Shift + right button press at the screen point falls on a list that starts its own
    // audition: the active library window's, or the active patch bank window's.
    bool ListAuditionsItself(POINT Screen);

    // While held (the desktop reopening its libraries), the menu items are brought up to date once when
    // released instead of at every window opened and activated, each of which walks every child window.
    int menuUpdatesHeld_ = 0;
    bool menuUpdateMissed_ = false;

    std::unique_ptr<TZelmo> zelmo_;
    std::unique_ptr<TMainFileDialogs> fileDialogs_;
    std::unique_ptr<TMainMessageBoxes> messageBoxes_;
};

}  // namespace zel
