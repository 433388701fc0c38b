#pragma once
// The popup menu built from bar items: a component with its own item links, opened as a sub-menu window at a
// screen point. Unless the caller runs its own loop (a drop-down button), opening holds a modal loop until
// the menu closes. Controls reach it through the manager's popup-menu links or their own popup menu.
#include <functional>
#include <string>

#include "platform/rtl/Classes.h"
#include "platform/vcl/Menus.h"
#include "uilib/bars/ubBarTypes.h"
#include "uilib/base/uiControlsControl.h"

namespace zel {

class TubBarItemLinks;
class TubBarSubMenuControl;
class TCanvas;

class TubBarPopupMenu : public TComponent, public IuiMenuWithShortCuts {
public:
    // The manager of the owner form, else the first manager; raises when the process has no manager.
    explicit TubBarPopupMenu(TComponent* AOwner);
    ~TubBarPopupMenu() override;
    std::string ClassName() const override { return "TubBarPopupMenu"; }
    void Loaded() override;

    TubBarManager* GetBarManager() const { return barManager_; }
    // Moves the menu to another manager's list; nullptr only while the menu is being freed (or its manager is).
    void SetBarManager(TubBarManager* Value);
    TubBarItemLinks* GetItemLinks() const { return itemLinks_; }
    void SetItemLinks(TubBarItemLinks* Value);
    bool GetUseRecentItems() const;
    void SetUseRecentItems(bool Value);
    // The width of the side band along the menu's left edge; never negative.
    int GetBarSize() const { return barSize_; }
    void SetBarSize(int Value) { barSize_ = Value < 0 ? 0 : Value; }

    // The menu's own font, a copy of the manager's until changed; a change makes the menu use it.
    TFont* GetFont() const { return font_; }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    // On: the menu window measures and draws in Font; off: in the manager's font (Font follows it again).
    bool GetUseOwnFont() const { return useOwnFont_; }
    void SetUseOwnFont(bool Value);
    // A picture tiled behind the menu's lines instead of the look's background; empty: the look's.
    TBitmap* GetBackgroundBitmap() const { return backgroundBitmap_; }
    void SetBackgroundBitmap(TBitmap* Value) { backgroundBitmap_->Assign(Value); }

    // Paints the side band.
    std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)> OnPaintBar;
    TNotifyEvent OnPopup;
    TNotifyEvent OnCloseUp;
    virtual void DoPaintBar(TCanvas* ACanvas, const TRect& R);

    // Opens the menu at a screen point; an open menu stays as it is.
    void ShowMenuAt(int X, int Y);
    // The same, the menu knowing the element it opens from (a screen rectangle, and the size it may jump over
    // when it must open on the element's other side) for this opening only.
    void ShowMenuAtEx(int X, int Y, const TRect& ElementRect, bool Option, int ElementWidth, int ElementHeight);
    // The caller runs its own loop (a drop-down button): opening returns once the window shows.
    bool OwnMessageLoop = false;
    // Run once when the menu closes, before OnCloseUp (the drop-down button that opened it is released).
    std::function<void()> WhenClosed;
    // Open from the moment the window shows until it closes.
    bool IsOpen() const { return open_; }
    // The window while the menu is open, else nullptr.
    TubBarSubMenuControl* MenuWindow() const { return window_; }
    // Closes the open menu (and the menus opened from it).
    void CloseMenu();

    // Clicks the entry whose short-cut the key is (Shift, Ctrl and Alt combined in).
    bool IsShortCut(TShortCut AShortCut);
    // ---- IuiMenuWithShortCuts
    bool IsShortCutKey(TMessage& Message) override;
    void PopupAt(int X, int Y) override { ShowMenuAt(X, Y); }

    // The manager is going away: the menu forgets it.
    void ManagerGone();

private:
    void OpenWindow(int X, int Y);
    void WindowClosed(TObject* Sender);
    void RunModalLoop();
    void FreeClosedWindow();

    TubBarManager* barManager_ = nullptr;
    TubBarItemLinks* itemLinks_ = nullptr;
    TFont* font_ = nullptr;
    bool useOwnFont_ = false;
    bool settingUseOwnFont_ = false;
    TBitmap* backgroundBitmap_ = nullptr;
    TubBarSubMenuControl* window_ = nullptr;
    TubBarSubMenuControl* closedWindow_ = nullptr;  // waits to be freed once its own code has returned
    int barSize_ = 0;
    bool open_ = false;
    bool destroying_ = false;
    bool inLoop_ = false;
    // The values of the next opening only.
    TRect elementRect_{};
    int elementWidth_ = 0;
    int elementHeight_ = 0;
    bool option_ = true;
};

// The shortcut of a key message: the key with Shift and Ctrl as held now and Alt as the message says; 0 for
// a message without a key.
TShortCut ShortCutOfKeyMessage(const TMessage& Message);

}  // namespace zel
