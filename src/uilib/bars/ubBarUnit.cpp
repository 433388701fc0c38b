#include "uilib/bars/ubBarUnit.h"

#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarStreaming.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/win/CursorRows.h"
#include "platform/win/Sound.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarDesigner.h"
#include "uilib/bars/ubBarHint.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiControls.h"

namespace zel {

TCustomubBarControl* CurrentMenuControl = nullptr;

void CloseOpenMenus() {
    while (TCustomubBarControl* open = CurrentMenuControl) {
        open->CloseAll();
        if (CurrentMenuControl == open) break;
    }
}
THintWindowFactory HintWindowClass = &TubBarHintWindow::CreateDefault;

bool IsWin9x = false;
bool IsWin95 = false;
bool HasMenuItemBitmaps = false;
const bool FadeImages = true;
const bool MenuSounds = true;

namespace {

struct TUnitState {
    int startCount = 0;
    std::vector<TRegItemRecord*>* regItemRecords = nullptr;
    TListOf<TCustomubBarControl>* liveBarControls = nullptr;
    TListOf<TubBarItem>* temporaryItems = nullptr;
    TubBarManagerList* managerList = nullptr;
    HBRUSH ditherBrush = nullptr;
    int screenBitsPerPixel = 32;
    bool hasTrackMouseEvent = false;
    bool hasUpdateLayeredWindow = false;
    bool hasAnimateWindow = false;
    bool hasSetLayeredWindowAttributes = false;
    // Mouse-leave tracking.
    HWND trackedWindow = nullptr;
    UINT_PTR trackTimer = 0;
    bool trackByTimer = false;
};

TUnitState& Unit() {
    static TUnitState state;
    return state;
}

// Lists that outlive a missing start-up (tests and code that runs before it) are made on first use.
std::vector<TRegItemRecord*>& Records() {
    if (Unit().regItemRecords == nullptr) Unit().regItemRecords = new std::vector<TRegItemRecord*>;
    return *Unit().regItemRecords;
}
TListOf<TCustomubBarControl>& LiveList() {
    if (Unit().liveBarControls == nullptr) Unit().liveBarControls = new TListOf<TCustomubBarControl>;
    return *Unit().liveBarControls;
}

}  // namespace

// ---- item-class registry -----------------------------------------------------------------------------------

void RegisterBarItem(TClass AItemClass, TClass AItemControlClass, bool AVisible, TComponent* (*AFactory)(TComponent*)) {
    auto* record = new TRegItemRecord{AItemClass, AItemControlClass, AVisible};
    Records().push_back(record);
    if (AFactory != nullptr && AItemClass != nullptr)
        RegisterComponentClass(AItemClass->Name,
                               AItemClass->Parent != nullptr ? AItemClass->Parent->Name : "TComponent", AFactory);
}

void UnregisterBarItem(TClass AItemClass) {
    auto& records = Records();
    const auto it = std::find_if(records.begin(), records.end(),
                                 [&](const TRegItemRecord* r) { return r->ItemClass == AItemClass; });
    if (it == records.end()) return;
    delete *it;
    records.erase(it);
}

int RegItemRecordCount() { return static_cast<int>(Records().size()); }

const TRegItemRecord* RegItemRecord(int Index) {
    if (Index < 0 || Index >= RegItemRecordCount()) return nullptr;
    return Records()[static_cast<std::size_t>(Index)];
}

TClass ItemControlClassOf(TClass AItemClass) {
    for (const TRegItemRecord* r : Records())
        if (r->ItemClass == AItemClass) return r->ItemControlClass;
    return nullptr;
}

int OfferedItemClassCount() {
    return static_cast<int>(
        std::count_if(Records().begin(), Records().end(), [](const TRegItemRecord* r) { return r->Visible; }));
}

TClass OfferedItemClass(int N) {
    if (N < 0) return nullptr;
    for (const TRegItemRecord* r : Records())
        if (r->Visible && N-- == 0) return r->ItemClass;
    return nullptr;
}

// ---- lists and look-ups ------------------------------------------------------------------------------------

void AddLiveBarControl(TCustomubBarControl* AControl) { LiveList().Add(AControl); }
void RemoveLiveBarControl(TCustomubBarControl* AControl) {
    if (Unit().liveBarControls != nullptr) Unit().liveBarControls->Remove(AControl);
}
bool IsLiveBarControl(const TCustomubBarControl* AControl) {
    return AControl != nullptr && LiveList().IndexOf(const_cast<TCustomubBarControl*>(AControl)) >= 0;
}
const TListOf<TCustomubBarControl>& LiveBarControls() { return LiveList(); }

TListOf<TubBarItem>& TemporaryItems() {
    if (Unit().temporaryItems == nullptr) Unit().temporaryItems = new TListOf<TubBarItem>;
    return *Unit().temporaryItems;
}

void RemoveTemporaryItem(TubBarItem* AItem) {
    if (Unit().temporaryItems != nullptr) Unit().temporaryItems->Remove(AItem);
}

void FreeTemporaryItems() {
    TListOf<TubBarItem>& items = TemporaryItems();
    for (int i = items.Count() - 1; i >= 0; --i) {
        if (i >= items.Count()) continue;  // freeing one item may take others along
        TubBarItem* item = items[i];
        if (item->HasLinkControls()) continue;
        items.Delete(i);
        delete item;
    }
}

TubBarManager* ManagerOfForm(const TComponent* AForm) {
    TubBarManagerList* list = BarManagerList();
    if (AForm == nullptr || list == nullptr) return nullptr;
    for (int i = 0; i < list->Count(); ++i)
        if (list->Managers(i)->Form() == AForm) return list->Managers(i);
    return nullptr;
}

std::string UniqueItemName(const TubBarManager* AManager, TClass AItemClass) {
    const std::string base = std::string(AItemClass->Name).substr(1);
    for (int n = 1;; ++n) {
        const std::string name = base + std::to_string(n);
        bool taken = false;
        for (int i = 0; AManager != nullptr && i < AManager->ItemCount() && !taken; ++i)
            taken = SameText(AManager->Items(i)->GetName(), name);
        if (!taken) return name;
    }
}

TWinControl* ControlOfWindow(HWND AWindow) {
    for (HWND w = AWindow; w != nullptr; w = GetParent(w))
        if (TWinControl* control = TWinControl::FindControl(w)) return control;
    return nullptr;
}

bool IsAncestorWindow(HWND AWindow, HWND AAncestor) {
    if (AAncestor == nullptr) return false;
    for (HWND w = AWindow; w != nullptr; w = GetParent(w))
        if (w == AAncestor) return true;
    return false;
}

HWND DeepestWindowAt(TPoint AScreenPoint) {
    HWND window = WindowFromPoint(AScreenPoint);
    while (window != nullptr) {
        TPoint p = AScreenPoint;
        ScreenToClient(window, &p);
        HWND child = ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE);
        if (child == nullptr || child == window) break;
        window = child;
    }
    return window;
}

std::string StripAccelerators(const std::string& AText) {
    std::string result;
    result.reserve(AText.size());
    for (std::size_t i = 0; i < AText.size(); ++i) {
        if (AText[i] == '&' && i + 1 < AText.size()) ++i;
        result += AText[i];
    }
    return result;
}

TubBarItemVisible ItemVisibleOf(bool AFlag) { return AFlag ? ivAlways : ivNever; }

void MinimumTwenty(int& AValue) {
    if (AValue < 20) AValue = 20;
}

namespace {
bool AsyncDown(int AKey) { return (GetAsyncKeyState(AKey) & 0x8000) != 0; }
bool ButtonsSwapped() { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }
}  // namespace

bool IsPrimaryButtonDown() { return AsyncDown(ButtonsSwapped() ? VK_RBUTTON : VK_LBUTTON); }
bool IsSecondaryButtonDown() { return AsyncDown(ButtonsSwapped() ? VK_LBUTTON : VK_RBUTTON); }

namespace {
void ProcessMessagesOfRange(UINT AFirst, UINT ALast) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, AFirst, ALast, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchMessage(&msg);
    }
}
}  // namespace

void ProcessMouseMessages() { ProcessMessagesOfRange(WM_MOUSEMOVE, WM_MOUSEWHEEL); }
void ProcessPaintMessages() { ProcessMessagesOfRange(WM_PAINT, WM_PAINT); }

namespace {
IubBarDesigner* barDesigner = nullptr;
}  // namespace

IubBarDesigner* BarDesigner() { return barDesigner; }
void SetBarDesigner(IubBarDesigner* ADesigner) { barDesigner = ADesigner; }

void NotifyDesignerOf(TubBarManager* AManager) {
    if (AManager != nullptr) AManager->NotifyDesigner();
}

TRect WorkAreaAt(TPoint APoint) { return GetWorkAreaAtPoint(APoint); }

TubBarHintWindow* SharedHintWindow() { return HintWindow(); }

// ---- screen and system -------------------------------------------------------------------------------------

void RefreshDitherBrush() {
    TUnitState& u = Unit();
    if (u.ditherBrush != nullptr) DeleteObject(u.ditherBrush);
    HDC screen = GetDC(nullptr);
    u.screenBitsPerPixel = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x % 2) == (y % 2) ? face : light);
    SelectObject(dc, old);
    DeleteDC(dc);
    u.ditherBrush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
}

HBRUSH DitherBrush() {
    if (Unit().ditherBrush == nullptr) RefreshDitherBrush();
    return Unit().ditherBrush;
}

int ScreenBitsPerPixel() { return Unit().screenBitsPerPixel; }

bool HasTrackMouseEvent() { return Unit().hasTrackMouseEvent; }
bool HasUpdateLayeredWindow() { return Unit().hasUpdateLayeredWindow; }
bool HasAnimateWindow() { return Unit().hasAnimateWindow; }
bool HasSetLayeredWindowAttributes() { return Unit().hasSetLayeredWindowAttributes; }

std::string SystemMenuBitmapName(int ACode) {
    switch (ACode) {
        case 8: return "UBBARCLOSE";
        case 9: return "UBBARRESTORE";
        case 10: return "UBBARMAXIMIZE";
        case 11: return "UBBARMINIMIZE";
        default: return std::string();
    }
}

// ---- mouse leave and sounds --------------------------------------------------------------------------------

namespace {

void StopLeaveTimer() {
    TUnitState& u = Unit();
    if (u.trackTimer != 0) KillTimer(nullptr, u.trackTimer);
    u.trackTimer = 0;
}

void LeaveTimerTick(HWND, UINT, UINT_PTR, DWORD) {
    TUnitState& u = Unit();
    POINT p;
    GetCursorPos(&p);
    if (u.trackedWindow != nullptr && DeepestWindowAt(p) == u.trackedWindow) return;
    const HWND window = u.trackedWindow;
    StopLeaveTimer();
    u.trackedWindow = nullptr;
    if (window != nullptr && IsWindow(window)) SendMessage(window, WM_MOUSELEAVE, 0, 0);
}

void EndTracking() {
    TUnitState& u = Unit();
    if (u.trackedWindow == nullptr) return;
    if (u.trackByTimer) StopLeaveTimer();
    else if (IsWindow(u.trackedWindow)) {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE | TME_CANCEL;
        tme.hwndTrack = u.trackedWindow;
        TrackMouseEvent(&tme);
    }
    u.trackedWindow = nullptr;
}

}  // namespace

void TrackMouseLeave(HWND AWindow) {
    TUnitState& u = Unit();
    if (AWindow == nullptr) return;
    if (u.trackedWindow != AWindow) EndTracking();
    u.trackedWindow = AWindow;
    u.trackByTimer = !u.hasTrackMouseEvent;
    if (u.trackByTimer) {
        if (u.trackTimer == 0) u.trackTimer = SetTimer(nullptr, 0, 50, &LeaveTimerTick);
    } else {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = AWindow;
        TrackMouseEvent(&tme);
    }
}

bool IsTrackingMouseLeave(HWND AWindow) {
    TUnitState& u = Unit();
    if (AWindow == nullptr || u.trackedWindow != AWindow) return false;
    if (u.trackByTimer) return true;
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_QUERY;
    TrackMouseEvent(&tme);
    if (tme.hwndTrack == AWindow && (tme.dwFlags & TME_LEAVE) != 0) return true;
    u.trackedWindow = nullptr;  // the leave has been delivered
    return false;
}

void CancelMouseLeave(HWND AWindow) {
    if (AWindow == nullptr || Unit().trackedWindow != AWindow) return;
    EndTracking();
    SendMessage(AWindow, WM_MOUSELEAVE, 0, 0);
}

void PlayBarSound(TubBarSound ASound) {
    static const char* const kAliases[] = {"MenuPopup", "MenuCommand", ""};
    if (!MenuSounds || ASound < ubsMenuPopup || ASound > ubsNone) return;
    PlaySoundA(kAliases[ASound], nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT);
}

void PrimeSound() { PlayBarSound(ubsNone); }

// ---- cursors -----------------------------------------------------------------------------------------------

namespace {

const TCursorRows kArrow = {"#",         "##",        "#.#",        "#..#",        "#...#",    "#....#",   "#.....#",
                            "#......#",  "#.......#", "#........#", "#.....#####", "#..#..#",  "#.# #..#", "## #..#",
                            "#    #..#", "     #..#", "      #..#", "      #..#",  "       ##"};
// The dotted frame of a dragged item.
const TCursorRows kDragFrame = {"# # # # #", "", "#       #", "", "#       #", "", "# # # # #"};
const TCursorRows kPlusBox = {"#########", "#...#...#", "#.#####.#", "#...#...#", "#########"};
const TCursorRows kNoDropSign = {" #####",     "##...##",   "#.###.##",  "#.##  #.#", "#.#  ##.#",
                                 "#.# ##.#.#", "#.###.#.#", "##.#.#.##", " #.#..##",  "  #####"};
const TCursorRows kSizingArrows = {"     ##  ##",        "     #.##.#",        " #   #.##.#   #",
                                   "##   #.##.#   ##",   "#.#####.##.#####.#", "#.................#",
                                   "#.#####.##.#####.#", "##   #.##.#   ##",   " #   #.##.#   #",
                                   "     #.##.#",        "     ##  ##"};

void RegisterCursors() {
    RegisterRowsCursor("UBBARDRAGCURSOR", 0, 0, {{&kArrow, 0, 0}, {&kDragFrame, 4, 20}});
    RegisterRowsCursor("UBBARDRAGCOPYCURSOR", 0, 0, {{&kArrow, 0, 0}, {&kDragFrame, 4, 20}, {&kPlusBox, 15, 22}});
    RegisterRowsCursor("UBBARDRAGNODROPCURSOR", 0, 0, {{&kArrow, 0, 0}, {&kNoDropSign, 12, 17}});
    RegisterRowsCursor("UBBAREDITSIZINGCURSOR", 10, 13, {{&kSizingArrows, 2, 8}});
    Screen->SetCursors(crubBarDrag, LoadCursor(nullptr, "UBBARDRAGCURSOR"));
    Screen->SetCursors(crubBarDragCopy, LoadCursor(nullptr, "UBBARDRAGCOPYCURSOR"));
    Screen->SetCursors(crubBarDragNoDrop, LoadCursor(nullptr, "UBBARDRAGNODROPCURSOR"));
    Screen->SetCursors(crubBarEditSizing, LoadCursor(nullptr, "UBBAREDITSIZINGCURSOR"));
}

void SetOperatingSystemFlags() {
    OSVERSIONINFO info;
    GetVersionEx(&info);
    IsWin9x = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    IsWin95 = IsWin9x && info.dwMinorVersion == 0;
    HasMenuItemBitmaps = (IsWin9x && info.dwMinorVersion != 0) ||
                         (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5);
}

}  // namespace

// ---- unit --------------------------------------------------------------------------------------------------

void ubBarStartup() {
    TUnitState& u = Unit();
    if (u.startCount++ > 0) return;
    SetOperatingSystemFlags();
    u.hasTrackMouseEvent = IsEntryPointAvailable("TrackMouseEvent");
    u.hasUpdateLayeredWindow = IsEntryPointAvailable("UpdateLayeredWindow");
    u.hasAnimateWindow = IsEntryPointAvailable("AnimateWindow");
    u.hasSetLayeredWindowAttributes = IsEntryPointAvailable("SetLayeredWindowAttributes");
    TemporaryItems();
    u.managerList = new TubBarManagerList;
    RefreshDitherBrush();
    RegisterBarManagerClasses();
    Records();
    RegisterBarItemClasses();
    LiveList();
    RegisterCursors();
}

void ubBarShutdown() {
    TUnitState& u = Unit();
    if (u.startCount == 0 || --u.startCount > 0) return;
    EndTracking();
    // The form reader forgets the framework's classes: registered again at the next start-up, a class would
    // otherwise keep the property writers of the last one besides its new ones.
    UnregisterBarItemClasses();
    for (const char* name : {"TubBarGroup", "TubBarPopupMenuLink", "TubBarManagerCategories", "TubBarManager"})
        UnregisterComponentClass(name);
    delete u.liveBarControls;
    u.liveBarControls = nullptr;
    if (u.regItemRecords != nullptr)
        for (TRegItemRecord* r : *u.regItemRecords) delete r;
    delete u.regItemRecords;
    u.regItemRecords = nullptr;
    if (u.ditherBrush != nullptr) DeleteObject(u.ditherBrush);
    u.ditherBrush = nullptr;
    FreeBarPainterBrushes();
    // Freeing the list frees every manager still alive (each leaves the list on its way out).
    delete u.managerList;
    u.managerList = nullptr;
    if (u.temporaryItems != nullptr) {
        while (u.temporaryItems->Count() > 0) delete u.temporaryItems->Last();
        delete u.temporaryItems;
        u.temporaryItems = nullptr;
    }
    ClearPendingHint();
}

TubBarManagerList* BarManagerList() { return Unit().managerList; }

TUnitRows ubBarUnits() { return {{"ubBar", ubBarStartup, ubBarShutdown}}; }

TUnitRows ubBarUnitList() { return JoinUnitRows({uiBaseUnitList(), ubBarUnits()}); }

}  // namespace zel
