#pragma once
// Bars: one toolbar or menu bar of a manager, with where it lives (docked on a side or a dock control, row
// and position, floating position and size), how it looks and behaves, and its item links; and the
// manager's collection of bars. The bar windows that show them come with the docking windows.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Collections.h"
#include "platform/vcl/VclGraphics.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TubBars;
class TubBarDockControl;
class TubDockControl;
class IubDockedBarWindow;
class TubBarControl;
class TCustomubBarSubItem;

enum TubBarBorderStyle : std::uint8_t { bbsNone, bbsSingle };

// Set while a bar takes its design from the copy of its form: references are then resolved by name in the
// bar's own form.
bool BarResetting();
// Set while the manager's design is read into a temporary form: the copy reads no stored layout.
bool ReadingDesignCopy();

class TubBar : public TCollectionItem {
public:
    explicit TubBar(TCollection* Collection);
    ~TubBar() override;
    std::string ClassName() const override { return "TubBar"; }

    TubBars* Bars() const;
    TubBarManager* BarManager() const;
    bool IsDestroying() const { return destroying_; }

    // ---- published
    bool GetAllowClose() const { return allowClose_; }
    void SetAllowClose(bool Value);
    bool AllowCustomizing = true;
    bool GetAllowQuickCustomizing() const { return allowQuickCustomizing_; }
    void SetAllowQuickCustomizing(bool Value);
    bool AllowReset = true;
    std::uint8_t GetAlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(std::uint8_t Value);
    TBitmap* GetBackgroundBitmap() const { return backgroundBitmap_; }
    void SetBackgroundBitmap(TBitmap* Value);
    TubBarBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TubBarBorderStyle Value);
    const std::string& GetCaption() const { return caption_; }
    // Ignored when another bar of the manager has exactly this caption; gives an empty Name a unique name.
    void SetCaption(const std::string& Value);
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TubBarDockControl* GetDockControl() const { return dockControl_; }
    void SetDockControl(TubBarDockControl* Value);
    TubBarDockControl* GetDockedDockControl() const { return dockedDockControl_; }
    void SetDockedDockControl(TubBarDockControl* Value);
    TubBarDockingStyle GetDockedDockingStyle() const { return dockedDockingStyle_; }
    void SetDockedDockingStyle(TubBarDockingStyle Value);
    // The bar has a docked place to go back to: it was docked once, or its docked side was read or set.
    bool HasDockedPlace() const { return hasDockedPlace_; }
    int GetDockedLeft() const { return dockedLeft_; }
    void SetDockedLeft(int Value);  // never negative
    int GetDockedTop() const { return dockedTop_; }
    void SetDockedTop(int Value);  // never negative
    TubBarDockingStyle GetDockingStyle() const { return dockingStyle_; }
    void SetDockingStyle(TubBarDockingStyle Value);
    int GetFloatLeft() const { return floatLeft_; }
    void SetFloatLeft(int Value);
    int GetFloatTop() const { return floatTop_; }
    void SetFloatTop(int Value);
    int GetFloatClientWidth() const { return floatClientWidth_; }
    void SetFloatClientWidth(int Value);
    int GetFloatClientHeight() const { return floatClientHeight_; }
    void SetFloatClientHeight(int Value);
    TFont* GetFont() const { return font_; }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    bool GetHidden() const { return hidden_; }
    void SetHidden(bool Value);
    bool GetIsMainMenu() const { return isMainMenu_; }
    // A manager has one main-menu bar; it takes the whole row on several lines.
    void SetIsMainMenu(bool Value);
    TubBarItemLinks* GetItemLinks() const { return itemLinks_; }
    void SetItemLinks(TubBarItemLinks* Value) { itemLinks_->Assign(Value); }
    bool GetMultiLine() const { return multiLine_; }
    // Stays true while the bar is the main menu.
    void SetMultiLine(bool Value);
    std::string Name;
    // Set while the bar is hidden because hiding a category emptied it (the manager's AutoHideEmptyBars).
    bool AutoHidden = false;
    TubBarDockingStyles GetNotDocking() const { return notDocking_; }
    void SetNotDocking(TubBarDockingStyles Value);
    bool OneOnRow = false;
    bool GetRotateWhenVertical() const { return rotateWhenVertical_; }
    void SetRotateWhenVertical(bool Value);
    int GetRow() const { return row_; }
    void SetRow(int Value);  // never negative
    bool GetShowMark() const { return showMark_; }
    void SetShowMark(bool Value);
    bool GetSizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool Value);
    bool GetUseOwnFont() const { return useOwnFont_; }
    void SetUseOwnFont(bool Value);
    bool GetUseRecentItems() const { return useRecentItems_; }
    void SetUseRecentItems(bool Value);
    bool GetUseRestSpace() const { return useRestSpace_; }
    void SetUseRestSpace(bool Value);
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);
    bool GetWholeRow() const { return wholeRow_; }
    void SetWholeRow(bool Value);

    // Storage rules of the form resource.
    bool IsDockedDockingStyleStored() const { return dockedDockControl_ == nullptr; }
    bool IsDockingStyleStored() const { return dockControl_ == nullptr; }
    bool IsFontStored() const { return useOwnFont_; }

    void Assign(TPersistent* Source) override;
    // Sets the bar back to its design, read again from the owner form's stored definition: its links (and
    // the links of the sub-items on them), or with the manager's UseFullReset the whole bar. Nothing happens
    // when the form has no stored definition or the design has no bar at this index.
    void Reset();
    // Asks the user first ("Are you sure...", OK and Cancel).
    void ResetWithConfirmation();
    // The bar's window while the bar shows; nullptr otherwise.
    TubBarControl* Control() const;
    // Makes the window of a visible bar that has none: on its dock at its stored row and place, or floating.
    void ShowWindow();
    // Sets the side and the dock control together (a side dock given as dock control counts as none).
    void SetDockingStyleAndControl(TubBarDockingStyle AStyle, TubBarDockControl* ADockControl);

    // ---- state
    // Set for every bar that exists when the manager finishes loading; only such bars can be reset, only the
    // others can get a new caption from the user.
    bool Predefined() const { return predefined_; }
    // The manager's end of loading: marks the bar loaded, re-reads its links and applies the dock control,
    // side and visibility that were set while loading.
    void ApplyLoadedState();
    // The manager's font reaches every bar that does not use its own.
    void ManagerFontChanged();
    // A bar can be moved unless its own or the manager's NotDocking holds all five styles.
    bool CanMove() const;
    // Whether the user may switch the bar on and off (toolbar lists).
    bool CanUserSwitch() const;
    // Passes the key to the bar's links.
    bool IsShortCut(TShortCut AShortCut) { return itemLinks_->IsShortCut(AShortCut); }
    // Sub-items whose detaching bar this is.
    void AddSubItemUser(TCustomubBarSubItem* AItem);
    void RemoveSubItemUser(TCustomubBarSubItem* AItem);

private:
    bool ManagerLoading() const;
    // The bar belongs to the manager's own collection (the one it lists, saves and tells its events of).
    bool OfManager() const;
    // The floating window of a bar without a dock.
    void ShowFloatingWindow();
    void FreeWindow();
    // What a setter asks of the bar's window, when the bar has one.
    void RepaintWindow();
    void RebuildWindow();
    void RefreshFloatingCaption();
    void DesignChanged();
    void MakeUniqueName();
    void OwnFontChanged();

    bool allowClose_ = true;
    bool allowQuickCustomizing_ = true;
    std::uint8_t alphaBlendValue_ = 255;
    TBitmap* backgroundBitmap_ = nullptr;
    TubBarBorderStyle borderStyle_ = bbsSingle;
    std::string caption_;
    TColor color_ = clDefault;
    TubBarDockControl* dockControl_ = nullptr;
    TubBarDockControl* dockedDockControl_ = nullptr;
    TubBarDockingStyle dockedDockingStyle_ = dsTop;
    bool hasDockedPlace_ = false;
    int dockedLeft_ = 0;
    int dockedTop_ = 0;
    TubBarDockingStyle dockingStyle_ = dsNone;
    int floatLeft_ = 0;
    int floatTop_ = 0;
    int floatClientWidth_ = 0;
    int floatClientHeight_ = 0;
    TFont* font_ = nullptr;
    bool hidden_ = false;
    bool isMainMenu_ = false;
    TubBarItemLinks* itemLinks_ = nullptr;
    bool multiLine_ = false;
    TubBarDockingStyles notDocking_;
    bool rotateWhenVertical_ = true;
    int row_ = 0;
    bool showMark_ = true;
    bool sizeGrip_ = true;
    bool useOwnFont_ = false;
    bool useRecentItems_ = true;
    bool useRestSpace_ = false;
    bool visible_ = false;
    bool wholeRow_ = false;

    bool predefined_ = false;
    bool destroying_ = false;
    bool settingUseOwnFont_ = false;
    bool dockGuard_ = false;
    std::vector<TCustomubBarSubItem*> subItemUsers_;
    // Values set while the manager loads, applied by ApplyLoadedState.
    bool loadedDockControlSet_ = false;
    TubBarDockControl* loadedDockControl_ = nullptr;
    bool loadedDockingStyleSet_ = false;
    TubBarDockingStyle loadedDockingStyle_ = dsNone;
    bool loadedVisibleSet_ = false;
    bool loadedVisible_ = false;
};

class TubBars : public TCollection {
public:
    // The manager's collection makes the four side docks on the manager's form; a window's own collection
    // (the quick-customization window's hidden bar) makes none, and its bars are none of the manager's.
    explicit TubBars(TubBarManager* ABarManager, bool ASideDocks = true);
    // Frees the bars while the collection is whole (a bar asks it for its manager on the way out), then the
    // side docks.
    ~TubBars() override;
    std::string ClassName() const override { return "TubBars"; }

    TubBarManager* BarManager() const { return barManager_; }
    TubBar* Add() { return static_cast<TubBar*>(TCollection::Add()); }
    TubBar* Items(int Index) const { return static_cast<TubBar*>(GetItem(Index)); }
    TPersistent* GetOwner() const override;

    // The manager's dock control of a side (nullptr for dsNone, or once the form has freed it).
    TubDockControl* DockControls(TubBarDockingStyle ASide) const { return sideDocks_[ASide]; }
    // Takes the stored sizes: left width, right width, top height, bottom height.
    void ApplyDockControlHeights(const std::array<int, 4>& AHeights);
    // A side dock tells that it goes (its form frees it with its other controls).
    void SideDockGone(TubDockControl* ADock);

    // The pixels around a dock within which a moved bar docks.
    int DockingSensitivity = 23;
    // Set by the manager while it applies the state of its bars after loading.
    bool Loading = false;

    // ---- moving a bar with the mouse
    // Moves the window's bar with the mouse until the left button goes up or Escape is pressed: over a dock
    // the bar docks there (a floating bar only once the pointer has rested WaitForDockingTime), elsewhere
    // and while Ctrl is held it floats. The pointer is held by the manager's capture window meanwhile.
    void MoveBar(IubDockedBarWindow* AWindow);
    bool Moving() const { return moving_; }
    // A floating bar hovers over a dock: it docks there once the docking wait is over.
    bool DockingPending() const { return dockingTimer_ != 0; }
    // The side the moved window had when the move began.
    TubBarDockingStyle MoveStartStyle() const { return moveStartStyle_; }
    // The pointer's offset from the moved window's top-left corner when the move began.
    TPoint MoveStartPoint() const { return moveStartPoint_; }
    // The dock that takes the bar at a screen point, or nullptr (the bar floats there).
    TubDockControl* DockAt(TubBar* ABar, TPoint P);
    // The docking wait is over: the bar docks where the pointer rests, when a dock takes it there.
    void DockingTimerFired();

protected:
    // Changes of the collection are reported by the bars themselves.
    void Update(TCollectionItem* /*Item*/) override {}

private:
    // One step of a move: the window goes where the pointer (plus the move's offset) is.
    void MoveStep(TPoint P, bool FromDockingTimer);
    void StopDockingTimer();
    // The window the manager holds the pointer with during a move.
    HWND CaptureWindow() const;

    TubBarManager* barManager_ = nullptr;
    std::array<TubDockControl*, 5> sideDocks_{};
    bool moving_ = false;
    TubBarDockingStyle moveStartStyle_ = dsNone;
    TPoint moveStartPoint_{0, 0};
    UINT_PTR dockingTimer_ = 0;
    bool dockingDeferred_ = false;
};

}  // namespace zel
