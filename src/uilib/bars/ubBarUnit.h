#pragma once
// The framework's process-wide tables and services: the registry of item classes with the control class that
// shows each, the live bar windows, temporary items, the manager list, window look-ups, mouse-leave tracking,
// menu sounds, the operating-system flags, and the unit's start-up and shutdown.
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/Controls.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TubBarHintWindow;

// ---- item-class registry -----------------------------------------------------------------------------------

struct TRegItemRecord {
    TClass ItemClass = nullptr;
    TClass ItemControlClass = nullptr;
    bool Visible = false;  // offered to users (customizing popups and dialogs)
};

// Appends a record; with a factory the item class is also made known to the form reader (for streaming).
void RegisterBarItem(TClass AItemClass, TClass AItemControlClass, bool AVisible,
                     TComponent* (*AFactory)(TComponent*) = nullptr);
// Removes the first record of that class.
void UnregisterBarItem(TClass AItemClass);
int RegItemRecordCount();
const TRegItemRecord* RegItemRecord(int Index);
// The control class registered for the item class; nullptr for none.
TClass ItemControlClassOf(TClass AItemClass);
int OfferedItemClassCount();
// The n-th offered class counted from 0; nullptr when there is none.
TClass OfferedItemClass(int N);

// ---- lists and look-ups ------------------------------------------------------------------------------------

void AddLiveBarControl(TCustomubBarControl* AControl);
void RemoveLiveBarControl(TCustomubBarControl* AControl);
bool IsLiveBarControl(const TCustomubBarControl* AControl);
const TListOf<TCustomubBarControl>& LiveBarControls();

// Items made for one popup only; they have no owner.
TListOf<TubBarItem>& TemporaryItems();
// Takes an item out of the list (a temporary item being freed).
void RemoveTemporaryItem(TubBarItem* AItem);
// Frees, newest first, every temporary item that shows on no open bar or menu.
void FreeTemporaryItems();

// The manager whose form is AForm; nullptr for nullptr or when there is none.
TubBarManager* ManagerOfForm(const TComponent* AForm);
// The class name without its first letter followed by the smallest number from 1 that no item of the
// manager bears (names compared ignoring case).
std::string UniqueItemName(const TubBarManager* AManager, TClass AItemClass);

// The control of the window, or of its nearest ancestor that has one.
TWinControl* ControlOfWindow(HWND AWindow);
bool IsAncestorWindow(HWND AWindow, HWND AAncestor);
// The window under the point, then repeatedly its visible child under the point.
HWND DeepestWindowAt(TPoint AScreenPoint);

// Removes each "&", keeping the character after it ("&&" gives "&"); a last "&" stays.
std::string StripAccelerators(const std::string& AText);
TubBarItemVisible ItemVisibleOf(bool AFlag);
void MinimumTwenty(int& AValue);
// The asynchronous state of the primary and secondary buttons, honouring swapped buttons.
bool IsPrimaryButtonDown();
bool IsSecondaryButtonDown();
// Dispatches the queued mouse messages (WM_MOUSEMOVE to WM_MOUSEWHEEL) or paint messages; a WM_QUIT met on
// the way is posted again and ends the loop.
void ProcessMouseMessages();
void ProcessPaintMessages();
// The designer notification of the manager; nothing for nullptr.
void NotifyDesignerOf(TubBarManager* AManager);
// The work area of the monitor at the point.
TRect WorkAreaAt(TPoint APoint);

// The bar window that holds keyboard and mouse attention (an open menu or a menu bar in keyboard mode).
extern TCustomubBarControl* CurrentMenuControl;
// Closes every open menu, innermost first, and leaves menu mode.
void CloseOpenMenus();

// The class of the shared hint window (made by the first manager that is not designing).
using THintWindowFactory = TubBarHintWindow* (*)();
extern THintWindowFactory HintWindowClass;
// The shared hint window; nullptr while no manager needs one.
TubBarHintWindow* SharedHintWindow();

// ---- screen and system -------------------------------------------------------------------------------------

// 8 x 8: button face where x and y are both even or both odd, else button highlight.
HBRUSH DitherBrush();
int ScreenBitsPerPixel();
// Rebuilds the dither brush and reads the screen depth again (on system colour changes).
void RefreshDitherBrush();

extern bool IsWin9x;
extern bool IsWin95;
extern bool HasMenuItemBitmaps;
extern const bool FadeImages;
extern const bool MenuSounds;

// Whether the optional user32 entries were found when the unit started.
bool HasTrackMouseEvent();
bool HasUpdateLayeredWindow();
bool HasAnimateWindow();
bool HasSetLayeredWindowAttributes();

// Cursor numbers of the framework's own cursors.
constexpr TCursor crubBarDrag = 1041, crubBarDragCopy = 1042, crubBarDragNoDrop = 1043, crubBarEditSizing = 1044;

// The bitmap resource name of a system-menu bitmap code (8..11); empty for other codes.
std::string SystemMenuBitmapName(int ACode);

// ---- mouse leave and sounds --------------------------------------------------------------------------------

// Asks for one WM_MOUSELEAVE for the window: through TrackMouseEvent when present, else by a 50 ms timer that
// compares the deepest window under the cursor with the tracked one. One window is tracked at a time.
void TrackMouseLeave(HWND AWindow);
bool IsTrackingMouseLeave(HWND AWindow);
// Cancels the request and sends WM_MOUSELEAVE to the window at once.
void CancelMouseLeave(HWND AWindow);

enum TubBarSound { ubsMenuPopup = 0, ubsMenuCommand = 1, ubsNone = 2 };
// Plays the sound alias asynchronously, without default sound and without waiting.
void PlayBarSound(TubBarSound ASound);
// Plays the empty alias so that the sound system is loaded.
void PrimeSound();

// ---- unit --------------------------------------------------------------------------------------------------

// Start-up and shutdown of the framework's unit (counted: only the first start and the last stop act).
// Shutdown frees the manager list and with it every manager still alive.
void ubBarStartup();
void ubBarShutdown();

// The framework's row of the start-up list.
TUnitRows ubBarUnits();
// The platform's and the component library's rows, then the framework's: what a program or test of this layer
// starts.
TUnitRows ubBarUnitList();

}  // namespace zel
