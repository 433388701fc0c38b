#pragma once
// The bar manager: the non-visual component that a form places once to get menus and toolbars. It owns the
// items, categories, groups, backgrounds, fonts and the look; bars and item controls ask it for shared
// settings. And the process-wide list of managers.
// The bodies: ubBarManager.cpp; ubBarManagerFormMessages.cpp (the form's messages as the call-window-procedure
// hook hands them over: FormMessage and what it drives); ubBarManagerStreaming.cpp (how the manager, its
// categories and its groups are stored in a form resource, and RegisterBarManagerClasses);
// ubBarManagerSavedLayout.cpp (the layout saved in an INI file or the registry); ubBarReset.cpp (bars set
// back to their design); ubBarItemDrag.cpp (the customizing drag of items).
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarTypes.h"
#include "uilib/base/uiClasses.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

class TubBarManagerCategories;
class TubBar;
class TubBars;
class TubBarItemLink;
class TubBarItemLinks;
class TCustomImageList;
class TChangeLink;
class TubBarPopupMenu;
class TubBarPopupMenuLinks;
class TubBarBackgrounds;
class TubBarButton;
// Makes the item of a generated entry (of the class the entry's list wants), owned by AOwner.
using TubBarButtonMaker = TubBarButton* (*)(TComponent* AOwner);
class TubThemeChangedNotificator;
class TubDockControl;
class TubBarDockControl;
class IubDockedBarWindow;

using TubBarClickItemEvent = std::function<void(TubBarManager* Sender, TubBarItem* ClickedItem)>;
using TubBarEvent = std::function<void(TubBarManager* Sender, TubBar* ABar)>;
// A child form's manager merged into (Merge) or taken out of the main form's manager.
using TubBarMenuMergeEvent = std::function<void(TubBarManager* Sender, TubBarManager* ChildManager, bool Merge)>;
using TubBarVisibleChangeEvent = TubBarEvent;
using TubBarItemLinkEvent = std::function<void(TubBarManager* Sender, TubBarItemLink* AItemLink)>;
// May refuse (or allow) a bar the side and dock control it would take; DockControl nullptr with dsNone: floating.
using TubBarCanDockingEvent =
    std::function<void(TubBar* Sender, TubBarDockingStyle Style, TubDockControl* DockControl, bool& CanDocking)>;

// The manager's five image lists.
enum TubBarImageListKind : std::uint8_t {
    ilkImages,
    ilkLargeImages,
    ilkHotImages,
    ilkDisabledImages,
    ilkDisabledLargeImages
};
inline constexpr int ubBarImageListKindCount = 5;

// Which painter family draws the item controls of an effective style.
enum TubBarPainterKind : std::uint8_t { bpkStandard, bpkEnhanced, bpkFlat, bpkXP, bpkOffice11 };

class TubBarManager : public TComponent {
public:
    // AOwner nullptr means the application's main form. Raises a plain Exception when the owner is not a form
    // or already has a manager; nothing of the manager exists then.
    explicit TubBarManager(TComponent* AOwner);
    ~TubBarManager() override;
    std::string ClassName() const override { return "TubBarManager"; }

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    // Counts the reads from a stream.
    void ReadState() override;
    // The stored dock sizes.
    void DefineProperties(TFiler* Filer) override;

    // ---- published properties (defaults as the form resource leaves them out)
    bool AllowCallFromAnotherForm = false;
    bool AllowReset = true;
    bool AlwaysMerge = false;
    bool AlwaysSaveText = false;
    bool GetAutoDockColor() const { return autoDockColor_; }
    void SetAutoDockColor(bool Value);
    bool GetAutoHideEmptyBars() const { return autoHideEmptyBars_; }
    void SetAutoHideEmptyBars(bool Value);
    bool GetScaled() const { return scaled_; }
    void SetScaled(bool Value);
    TFont* GetFont() const { return font_; }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    TubBarBackgrounds* GetBackgrounds() const { return backgrounds_; }
    int GetButtonArrowWidth() const { return buttonArrowWidth_; }
    void SetButtonArrowWidth(int Value);
    bool CanCustomize = true;
    TubBarManagerCategories* GetCategories() const { return categories_; }
    // The form's colour while AutoDockColor is set, else the stored colour.
    TColor GetDockColor() const;
    void SetDockColor(TColor Value);
    bool IsDockColorStored() const { return !autoDockColor_; }
    bool GetFlatCloseButton() const { return flatCloseButton_; }
    void SetFlatCloseButton(bool Value);
    int HelpContext = 0;
    bool GetHideFloatingBarsWhenInactive() const { return hideFloatingBarsWhenInactive_; }
    void SetHideFloatingBarsWhenInactive(bool Value);
    TCustomImageList* GetImageList(TubBarImageListKind Kind) const { return imageLists_[Kind]; }
    // Changes the change link's registration and refreshes every item that shows an image of that list.
    void SetImageList(TubBarImageListKind Kind, TCustomImageList* Value);
    TCustomImageList* GetImages() const { return imageLists_[ilkImages]; }
    void SetImages(TCustomImageList* Value) { SetImageList(ilkImages, Value); }
    TCustomImageList* GetLargeImages() const { return imageLists_[ilkLargeImages]; }
    void SetLargeImages(TCustomImageList* Value) { SetImageList(ilkLargeImages, Value); }
    TColor GetImageListBkColor() const { return imageListBkColor_; }
    void SetImageListBkColor(TColor Value);
    std::string IniFileName;
    int GetLargeButtonArrowWidth() const { return largeButtonArrowWidth_; }
    void SetLargeButtonArrowWidth(int Value);
    bool GetLargeIcons() const { return largeIcons_; }
    void SetLargeIcons(bool Value);
    TuiLookAndFeel* GetLookAndFeel() const { return lookAndFeel_; }
    void SetLookAndFeel(TuiLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
    bool GetMakeDisabledImagesFaded() const { return makeDisabledImagesFaded_; }
    void SetMakeDisabledImagesFaded(bool Value);
    TubBarMenuAnimations GetMenuAnimations() const { return menuAnimations_; }
    void SetMenuAnimations(TubBarMenuAnimations Value);
    bool GetMenusShowRecentItemsFirst() const { return menusShowRecentItemsFirst_; }
    void SetMenusShowRecentItemsFirst(bool Value);
    int GetMostRecentItemsPercents() const { return mostRecentItemsPercents_; }
    // Values above 100 become 100; the recent-use step follows.
    void SetMostRecentItemsPercents(int Value);
    TubBarDockingStyles GetNotDocking() const { return notDocking_; }
    void SetNotDocking(TubBarDockingStyles Value);
    std::string RegistryPath;
    TubBarPopupMenuLinks* GetPopupMenuLinks() const { return popupMenuLinks_; }
    // The toolbars popup's entries: a check button per bar that is not hidden (tag: the bar's index; down: the
    // bar is visible; a click shows or hides that bar, unless it is gone), then the customize entry;
    // OnShowToolbarsPopup may change them last.
    void FillToolbarsPopup(TubBarItemLinks* ALinks);
    // With CanCustomize: "&Customize..." (tag 1000), enabled while no customizing form is open, appended to the
    // links; a click switches customizing mode on. AMake gives the entry's item (a plain button without it).
    void AddCustomizeItem(TubBarItemLinks* ALinks, bool ABeginGroup, TubBarButtonMaker AMake = nullptr);
    std::function<void(TubBarManager* Sender, TubBarItemLinks* ALinks)> OnShowToolbarsPopup;
    // Gets the entries of the customizing popup of a right-clicked link last.
    std::function<void(TubBarManager* Sender, TubBarItemLinks* ALinks)> OnShowCustomizingPopup;
    // The popup menus that use this manager's items (each enters and leaves the list itself).
    const std::vector<TubBarPopupMenu*>& PopupMenus() const { return popupMenus_; }
    void AddPopupMenu(TubBarPopupMenu* AMenu);
    void RemovePopupMenu(TubBarPopupMenu* AMenu);
    // Whether a popup menu of this manager is open.
    bool AnyPopupMenuShowing() const;
    void SetPopupMenuLinks(TubBarPopupMenuLinks* Value);
    bool GetShowCloseButton() const { return showCloseButton_; }
    void SetShowCloseButton(bool Value);
    bool GetShowFullMenusAfterDelay() const { return showFullMenusAfterDelay_; }
    void SetShowFullMenusAfterDelay(bool Value);
    bool GetShowHelpButton() const { return showHelpButton_; }
    void SetShowHelpButton(bool Value);
    bool GetShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    bool ShowHintForDisabledItems = true;
    bool GetShowShortCutInHint() const { return showShortCutInHint_; }
    void SetShowShortCutInHint(bool Value);
    bool StoreInIniFile = false;
    bool StoreInRegistry = false;
    bool StretchGlyphs = true;
    TubBarManagerStyle GetStyle() const { return style_; }
    void SetStyle(TubBarManagerStyle Value);
    bool GetSunkenBorder() const { return sunkenBorder_; }
    void SetSunkenBorder(bool Value);
    bool UseF10ForMenu = true;
    bool UseFullReset = false;
    bool GetUseLargeImagesForLargeIcons() const { return useLargeImagesForLargeIcons_; }
    void SetUseLargeImagesForLargeIcons(bool Value);
    bool GetUseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool Value);
    int GetWaitForDockingTime() const { return waitForDockingTime_; }
    // Negative values are ignored.
    void SetWaitForDockingTime(int Value);

    // The stored dock sizes: left width, right width, top height, bottom height; kept until the side docks
    // take them.
    std::array<int, 4> DockControlHeights{0, 0, 0, 0};

    // The glyph of the customizing form's help button.
    TBitmap* GetHelpButtonGlyph() const { return helpButtonGlyph_; }
    void SetHelpButtonGlyph(TBitmap* Value) { helpButtonGlyph_->Assign(Value); }

    TubBarClickItemEvent OnClickItem;
    TubBarEvent OnBarAdd;
    TubBarEvent OnBarClose;
    TubBarCanDockingEvent OnDocking;
    TubBarEvent OnBarDelete;
    TubBarEvent OnBarBeforeReset;
    TubBarMenuMergeEvent OnMenuMerge;
    TubBarEvent OnBarAfterReset;
    TubBarEvent OnBarDockingStyleChange;
    TubBarVisibleChangeEvent OnBarVisibleChange;
    TubBarItemLinkEvent OnItemLinkAdd;
    TubBarItemLinkEvent OnItemLinkChange;
    TubBarItemLinkEvent OnItemLinkDelete;
    TNotifyEvent OnCloseButtonClick;
    TNotifyEvent OnHelpButtonClick;
    TNotifyEvent OnHideCustomizingForm;
    TNotifyEvent OnShowCustomizingForm;

    // ---- state
    TCustomForm* Form() const { return form_; }
    bool Designing() const { return designing_; }
    bool Created() const { return created_; }
    int ReadStateCount() const { return readStateCount_; }
    // True when the manager was read once from a stream and AllowReset is set.
    bool ResetAllowed() const { return readStateCount_ == 1 && AllowReset; }
    // A temporary form (no owner; the caller frees it) holding a fresh copy of this manager as the owner
    // form's stored definition describes it, without event bindings; nullptr when the form has none.
    TCustomForm* LoadDesignForm();
    int RecentUseStep() const { return recentUseStep_; }
    bool SupportsRecentItems() const { return EffectiveStyle() != bmsStandard; }

    // ---- layout store: the user settings, and per bar its caption, docking, rows, floating place and
    // visibility and its links with their user settings and use counts; per named sub-item its links.
    // In an INI file under sections named after the form and the manager ("Form.Manager.Main",
    // "Form.Manager.Bar0", "Form.Manager.Bar0.ItemLink0", ...): writing erases this manager's sections first
    // and writes the file once. In the registry under the key path (a leading '\' added, a trailing one
    // dropped): writing deletes the key's subkeys first. An empty name or path does nothing. The stored
    // values come from outside: a value out of its type, or a count beyond the keys present, is refused.
    void WriteLayoutToIniFile(const std::string& FileName);
    void ReadLayoutFromIniFile(const std::string& FileName);
    void WriteLayoutToRegistry(const std::string& Path);
    void ReadLayoutFromRegistry(const std::string& Path);
    // The layout read from the registry (StoreInRegistry) and then the INI file (StoreInIniFile) when the
    // manager has loaded, and written to both when the form's window goes; a store that cannot be written is
    // skipped.
    void RestoreLayout();
    void StoreLayout();

    // ---- items
    int ItemCount() const { return items_.Count(); }
    // nullptr outside the list.
    TubBarItem* Items(int Index) const;
    // Items add and remove themselves.
    void AddItem(TubBarItem* AItem);
    void RemoveItem(TubBarItem* AItem);
    TubBarItem* FindItemByName(const std::string& AName) const;
    void MoveItemInList(int FromIndex, int ToIndex);
    void ExchangeItemsInList(int Index1, int Index2);
    // Clears the list and fills it with the items of the category (nothing for an index outside).
    void CollectCategoryItems(int ACategory, TListOf<TubBarItem>& AList) const;
    // The same, but at run time only the items that show in the current mode and stay in category lists.
    void CollectVisibleCategoryItems(int ACategory, TListOf<TubBarItem>& AList) const;

    // ---- categories
    TubBarItemVisible GetItemsVisibleOfCategory(int Index) const;
    void SetItemsVisibleOfCategory(int Index, TubBarItemVisible Value);
    bool GetVisibleOfCategory(int Index) const;
    void SetVisibleOfCategory(int Index, bool Value);
    // The index of the n-th visible category counted from 0; -1 when there is none; at design time n itself.
    int CategoryIndexOfVisible(int N) const;

    // ---- bars
    TubBars* GetBars() const { return bars_; }
    // The bar that is the form's main menu; nullptr for none. The bars keep it.
    TubBar* GetFormMenuBar() const { return formMenuBar_; }
    void SetFormMenuBar(TubBar* Value) { formMenuBar_ = Value; }
    // The first bar with exactly that caption or name; nullptr for none.
    TubBar* FindBarByCaption(const std::string& ACaption) const;
    TubBar* FindBarByName(const std::string& AName) const;
    // Fires OnBarDockingStyleChange, except while the bars are being loaded.
    void DoBarDockingStyleChange(TubBar* ABar);
    // The user closed a floating bar.
    void DoBarClose(TubBar* ABar);
    // Whether the bar may take the side (dsNone: float) on the dock control (nullptr: the side's own dock):
    // refused by the bar's NotDocking; on a side dock (or none) by the manager's NotDocking, on another
    // dock control by its own answer. OnDocking has the last word.
    virtual bool CanDock(TubBar* ABar, TubBarDockingStyle AStyle, TubDockControl* ADockControl);

    // ---- groups
    int GroupCount() const { return groups_.Count(); }
    TubBarGroup* Groups(int Index) const;
    TubBarGroup* AddGroup();
    void AddGroupToList(TubBarGroup* AGroup);
    void RemoveGroupFromList(TubBarGroup* AGroup);
    void MoveGroupInList(TubBarGroup* AGroup, int NewIndex);

    // ---- look
    TubBarManagerStyle EffectiveStyle() const;
    bool ThemesAvailable() const { return themesAvailable_; }
    TubBarPainterKind PainterKind() const { return painterKind_; }
    int ImageSize() const { return imageSize_; }
    void StyleChanged();

    TColor FlatBorderColor() const { return flatColors_[0]; }
    TColor FlatFaceColor() const { return flatColors_[1]; }
    TColor FlatPressedColor() const { return flatColors_[2]; }
    TColor FlatPressedHotColor() const { return flatColors_[3]; }
    TColor FlatHotColor() const { return flatColors_[4]; }
    HBRUSH FlatBorderBrush() const { return flatBrushes_[0]; }
    HBRUSH FlatFaceBrush() const { return flatBrushes_[1]; }
    HBRUSH FlatPressedBrush() const { return flatBrushes_[2]; }
    HBRUSH FlatPressedHotBrush() const { return flatBrushes_[3]; }
    HBRUSH FlatHotBrush() const { return flatBrushes_[4]; }
    // Rebuilds the flat colours and brushes and the Office-2003 palette (system colour changes).
    void SystemColorsChanged();
    // The derived font: the manager's font, at the icon-title height but at least 11 pixels when Scaled.
    HFONT DerivedFont() const { return derivedFont_; }
    // Reads the system's non-client metrics again (their change notice).
    void ReadSystemFont();

    // ---- dock controls
    // The dock controls that registered with the manager, the four side docks among them.
    int DockControlCount() const { return dockControls_.Count(); }
    TubDockControl* DockControls(int Index) const { return dockControls_.Items(Index); }
    void AddDockControl(TubDockControl* ADockControl);
    void RemoveDockControl(TubDockControl* ADockControl);
    // The dock control a stored path names: "Form.Child" (a form found by its name, then the components
    // nested in it) or "Child" (in the manager's form); nullptr when nothing has that name. A component of
    // another class raises EInvalidCast.
    TubBarDockControl* DockControlOfPath(const std::string& APath) const;
    // The path that names the dock control: its name, preceded by the name of each named owner up the chain
    // when the dock does not belong to the manager's form directly.
    std::string DockControlPath(TubDockControl* ADockControl) const;
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    // Set while the bars are shown again after the form's window was made anew.
    bool ReshowingBars = false;
    // The bar window that the mouse moves, and the pointer's offset kept while it moves.
    IubDockedBarWindow* MovingWindow = nullptr;
    TPoint MoveCursorOffset{0, 0};

    // ---- modes
    bool GetUpdateLock() const { return updateLock_; }
    // Locking stops the drawing of every visible dock control (WM_SETREDRAW); unlocking lays them out and
    // draws them again, frames included.
    void SetUpdateLock(bool Value);
    TubBarItemControl* GetSelectedControl() const { return selectedControl_; }
    void SetSelectedControl(TubBarItemControl* AControl);
    // A control going away is no longer the selected one (without repainting it).
    void ForgetSelectedControl(TubBarItemControl* AControl);
    bool GetCustomizing() const { return customizing_; }
    // Switching on (refused while a customizing form is open) or off: the bar windows close their menus, every
    // list of links shows or hides its customizing-only links, the customizing form opens or closes, and the
    // bar windows rebuild.
    void SetCustomizing(bool Value);
    // Asks the user (Yes or No) and on Yes gives every bar and sub-item back the recent-use marks of the
    // design (LoadDesignForm); nothing without a design.
    void ResetRecentUse();
    // Set while the customizing form is open.
    bool CustomizingFormOpen = false;
    void NotifyDesigner();
    // How often the manager has been marked changed by the designer notification.
    int ChangeCount() const { return changeCount_; }

    // ---- the customizing drag of items (ubBarItemDrag.cpp)
    // Drags the item (from the customizing form's command list: ALink nullptr) or the link (from a bar) in a
    // message loop of its own that runs while the mouse capture stays: dropped on a bar it adds a link there
    // (a link moves, or with Ctrl is copied), off every bar a dragged link goes (not with Ctrl), on the form's
    // category list the item changes category, and a link dragged a little sideways on itself starts or ends
    // a group. Esc ends the drag with no drop. Bars, items and links freed meanwhile are never touched again.
    void RunItemDrag(TubBarItem* AItem, TubBarItemLink* ALink);
    // What the drag moves: the item, and the link (nullptr from the command list); set from the press on a
    // bar until the drag ends.
    TubBarItem* DraggedItem = nullptr;
    TubBarItemLink* DraggedLink = nullptr;
    // Set while the drag loop runs (the selected control is not repainted meanwhile).
    bool InDrag = false;
    // A window that bar windows may show during the drag; destroyed when it ends.
    HWND DragImageWindow = nullptr;
    // Whether the drop mark is drawn now (while the drag loop runs).
    bool DropMarkShown() const { return dropMarkShown_; }
    // An item changed what the customizing form shows of it: the form's command list follows, for an item
    // with a category while the manager customizes or designs (not while it loads, goes, or the customizing
    // popup adds an item).
    void NotifyItemChanged(TubBarItem* AItem);

    // ---- the form's messages
    // The form's messages as the call-window-procedure hook hands them over, before the form's own window
    // procedure: activation keeps the floating bars in step with the form, colour, font, work-area and
    // display changes reach the bars, F1 over a menu asks for its item's help, minimizing hides the floating
    // bars and restoring shows them again.
    void FormMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
    // The form's window as the last message routed here saw it: the form's destroy message comes when the
    // window no longer leads to the form, and is routed by it.
    HWND FormWindow() const { return formWindow_; }
    // Shows or hides the floating bar windows for the form's activation; AOtherWindow is the window on the
    // other side of the activation, FromPosChange set when the form itself is being hidden.
    void UpdateFloatingBars(bool Active, bool FromPosChange, HWND AOtherWindow);
    // Moves every floating bar back onto the work area of the monitor at the form's centre (a bar without a
    // window: its stored floating position).
    void KeepFloatingBarsOnScreen();
    // The last activation state of the form as the hooks saw it.
    bool FormActive = false;
    // Bars shown before the form has its window: they get their windows when the form's window is made.
    // False (the bar is not held) once the form has a window.
    bool HoldUntilFormCreated(TubBar* ABar);
    void ForgetPendingBar(TubBar* ABar) { pendingBars_.Remove(ABar); }
    bool IsPendingBar(TubBar* ABar) const { return pendingBars_.IndexOf(ABar) >= 0; }

    // Fires OnClickItem.
    virtual void ClickItem(TubBarItem* AItem);
    void DoCloseButtonClick() { CallNotifyEvent(OnCloseButtonClick, this); }
    // The main menu bar's window lays itself out again (its caption buttons changed).
    void RebuildMainMenuBar();
    void DoHelpButtonClick() { CallNotifyEvent(OnHelpButtonClick, this); }

    // ---- the multiple-document merge
    // Looks at the active child of the form's client again (Closing: a child that is going, as none): a
    // maximised child with a system menu gets its system-menu entry first on the main menu bar, and a child
    // form's own main menu bar lends its links (while maximised, or always with AlwaysMerge).
    void MDIChildChanged(HWND Closing = nullptr);
    // The child the merge was done for, and whether it is maximised.
    HWND MergedChild() const { return mergedChild_; }
    bool ChildMaximized() const { return childMaximized_; }

protected:
    // At design time the items named after the manager follow its new name.
    void ChangeName(const std::string& NewName) override;

private:
    void FontChanged(TObject* Sender);
    void RebuildDerivedFont();
    void ApplyMenuFont(const LOGFONT& MenuFont);
    void ComputeSizes();
    // The bar windows of this manager (toolbars, menus, popups): each makes its item controls anew, or only
    // paints again; the dock controls paint again, or measure their frames and lay their bars out again.
    std::vector<TCustomubBarControl*> OwnBarControls() const;
    void RebuildBarControls();
    void RepaintBarControls();
    void RepaintDockControls();
    void RefreshDockControls();
    void ComputeRecentUseStep();
    void ComputeLook();
    void CreateColorResources();
    void ReleaseColorResources();
    void LookAndFeelChanged(TuiLookAndFeel* Sender, TuiLookAndFeelValues Values);
    // Repaints the items that show an image of that list.
    void ImageListChanged(TubBarImageListKind Kind);

    void MergeChild(HWND Child);
    void UnmergeChild(HWND Child);

    TCustomForm* form_ = nullptr;
    HWND mergedChild_ = nullptr;
    bool childMaximized_ = false;
    TuiObjectLink* systemMenuItem_ = nullptr;  // the entry on the main menu bar, while merged
    TuiObjectLink* mergedManager_ = nullptr;   // the child form's manager whose links were lent
    bool savedMainMenuVisible_ = true;
    bool designing_ = false;
    bool created_ = false;
    int readStateCount_ = 0;
    int changeCount_ = 0;

    TListOf<TubBarItem> items_;
    TListOf<TubBarGroup> groups_;
    TListOf<TubDockControl> dockControls_;
    TubBarManagerCategories* categories_ = nullptr;
    TubBars* bars_ = nullptr;
    TubBar* formMenuBar_ = nullptr;
    TubBarBackgrounds* backgrounds_ = nullptr;
    TubBarPopupMenuLinks* popupMenuLinks_ = nullptr;
    std::vector<TubBarPopupMenu*> popupMenus_;
    std::array<TCustomImageList*, ubBarImageListKindCount> imageLists_{};
    std::array<TChangeLink*, ubBarImageListKindCount> imageChangeLinks_{};
    TFont* font_ = nullptr;
    TBitmap* helpButtonGlyph_ = nullptr;
    TuiLookAndFeel* lookAndFeel_ = nullptr;
    TubThemeChangedNotificator* themeNotificator_ = nullptr;
    HFONT derivedFont_ = nullptr;
    std::array<TColor, 5> flatColors_{};
    std::array<HBRUSH, 5> flatBrushes_{};
    HBRUSH themeToolbarBrush_ = nullptr;
    bool paletteAcquired_ = false;

    bool autoDockColor_ = true;
    bool autoHideEmptyBars_ = false;
    bool scaled_ = true;
    int buttonArrowWidth_ = 11;
    TColor dockColor_ = clBtnFace;
    bool flatCloseButton_ = false;
    bool hideFloatingBarsWhenInactive_ = true;
    TColor imageListBkColor_ = static_cast<TColor>(0xFF00FF);
    int largeButtonArrowWidth_ = 13;
    bool largeIcons_ = false;
    bool makeDisabledImagesFaded_ = false;
    TubBarMenuAnimations menuAnimations_ = maNone;
    bool menusShowRecentItemsFirst_ = true;
    int mostRecentItemsPercents_ = 95;
    int recentUseStep_ = 20;
    TubBarDockingStyles notDocking_;
    bool showCloseButton_ = false;
    bool showFullMenusAfterDelay_ = true;
    bool showHelpButton_ = false;
    bool showHint_ = true;
    bool showShortCutInHint_ = false;
    TubBarManagerStyle style_ = bmsEnhanced;
    bool sunkenBorder_ = false;
    bool useLargeImagesForLargeIcons_ = false;
    bool useSystemFont_ = false;
    int waitForDockingTime_ = 21;

    bool themesAvailable_ = false;
    TubBarPainterKind painterKind_ = bpkEnhanced;
    int imageSize_ = 16;
    bool styleChanging_ = false;
    bool applyingSystemFont_ = false;
    bool updateLock_ = false;
    HWND formWindow_ = nullptr;
    bool customizing_ = false;
    TubBarItemControl* selectedControl_ = nullptr;
    TListOf<TubBar> pendingBars_;
    bool inActivationCheck_ = false;

    bool dropMarkShown_ = false;
    friend class TubBarItemDrag;

    void ShowPendingBars();
    void HelpForWindow(HELPINFO& AInfo);
    // The floating bars' windows; Shown: only those of bars that are visible.
    std::vector<TCustomubBarControl*> FloatingBarWindows(bool Shown) const;
};

// The process-wide list of managers, in creation order.
class TubBarManagerList : public TObject {
public:
    TubBarManagerList() = default;
    // Frees every manager still in the list, first to last.
    ~TubBarManagerList() override;
    std::string ClassName() const override { return "TubBarManagerList"; }

    int Count() const { return list_.Count(); }
    // nullptr outside 0..Count-1.
    TubBarManager* Managers(int Index) const;
    // The first manager that is customizing or designing; nullptr for none.
    TubBarManager* FirstCustomizing() const;
    void Add(TubBarManager* AManager) { list_.Add(AManager); }
    void Remove(TubBarManager* AManager) { list_.Remove(AManager); }

private:
    TListOf<TubBarManager> list_;
};

// Holds the manager's update lock until the scope ends and then gives it back as it was, on every way out;
// with no manager it holds nothing. Giving the lock back rebuilds the docked bars, which may fail: that
// failure leaves the scope after a normal exit and is dropped while another exception leaves it.
class TubBarUpdateLock {
public:
    explicit TubBarUpdateLock(TubBarManager* AManager)
        : restore_(TRestore{AManager, AManager != nullptr && AManager->GetUpdateLock()}) {
        if (AManager != nullptr) AManager->SetUpdateLock(true);
    }

private:
    struct TRestore {
        TubBarManager* Manager;
        bool Old;
        void operator()() const {
            if (Manager != nullptr) Manager->SetUpdateLock(Old);
        }
    };
    TScopeExit<TRestore> restore_;
};

// The one list; nullptr outside the unit's start-up and shutdown.
TubBarManagerList* BarManagerList();

// The thread hooks that the first manager installs and the last one removes (keyboard, mouse and
// call-window-procedure); 0 while none is installed.
HHOOK BarKeyboardHook();
HHOOK BarMouseHook();
HHOOK BarCallWndProcHook();

// The height of the manager's derived font for an icon-title font height: at least 11 pixels.
int DerivedFontHeight(int AIconTitleHeight);

// Registers the manager's and the group's classes with the form reader.
void RegisterBarManagerClasses();

}  // namespace zel
