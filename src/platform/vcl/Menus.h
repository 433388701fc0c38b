#pragma once
// Menus: keyboard short-cuts as menus carry them (a virtual key in the low byte with the modifier bits above
// it, and their text form "Ctrl+O", "Shift+F4", "Del"), menu items and the popup menu.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vcl/Controls.h"

namespace zel {

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// The short-cut of a key and shift state; 0 for a key code above 255.
TShortCut ShortCut(WORD Key, TShiftState Shift);
// The key and shift state of a short-cut.
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Shift+", "Ctrl+" and "Alt+" in that order, then the key's name; empty for a key without a name.
std::string ShortCutToText(TShortCut ShortCut);
// The short-cut a text names, ignoring case ("^" also stands for Ctrl); 0 when none.
TShortCut TextToShortCut(std::string_view Text);

class TMenu;

class EMenuError : public Exception {
public:
    using Exception::Exception;
    std::string ClassName() const override { return "EMenuError"; }
};

// One line of a menu: a command, or a separator when its caption is "-". Items nest: a menu's Items is the
// root item. Freeing an item takes it out of its parent and frees the items under it.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    std::string ClassName() const override { return "TMenuItem"; }

    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    int HelpContext = 0;
    std::string Hint;
    TShortCut ShortCut = 0;
    // May be replaced at any time, also while the menu is open: the handler in place when the choice is
    // carried out runs.
    TNotifyEvent OnClick;

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
    int IndexOf(const TMenuItem* Item) const;
    void Add(TMenuItem* Item) { Insert(Count(), Item); }
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out of this one without freeing it.
    void Remove(TMenuItem* Item);
    // Frees every item under this one.
    void Clear();
    TMenuItem* GetParent() const { return parent_; }
    // The menu whose tree holds this item, or nullptr.
    TMenu* GetParentMenu() const;
    bool IsLine() const { return Caption == "-"; }
    // The number that the menu's choice carries to the item (unique while the item lives).
    UINT Command() const { return command_; }
    // Runs OnClick when the item is enabled.
    virtual void Click();

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

private:
    friend class TMenu;

    class EMenuError : public Exception {
    public:
        using Exception::Exception;
        std::string ClassName() const override { return "EMenuError"; }
    };
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item
    UINT command_ = 0;
};

// A menu: its tree of items under the root item Items.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    std::string ClassName() const override { return "TMenu"; }
    TMenuItem* Items() const { return items_; }
    // The enabled item whose short-cut the key message (WM_KEYDOWN, WM_SYSKEYDOWN, their CN_ forms) names,
    // with the Shift and Ctrl keys' state and the message's Alt bit, clicked; false when none.
    bool IsShortCut(const TMessage& Message);

private:
    TMenuItem* items_ = nullptr;
};

// A menu that opens at a screen point. While it is open it takes the mouse and the keyboard: Up, Down, Home
// and End move the highlight, Enter chooses, Esc closes; the mouse highlights the line under it, a release
// over an enabled line chooses it, a press outside closes the menu. The chosen item's click runs once the
// menu has closed, from the message queue.
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    std::string ClassName() const override { return "TPopupMenu"; }

    // Whether a control opens the menu by itself on a right click or the menu key.
    bool AutoPopup = true;
    int HelpContext = 0;
    // The control that opened the menu last (set by the control before Popup).
    TComponent* PopupComponent = nullptr;
    // Fires before the menu shows, so that items can be changed for this opening.
    TNotifyEvent OnPopup;

    // Shows the menu with its top-left corner at the screen point (moved to stay on the screen) and returns
    // once it has closed.
    virtual void Popup(int X, int Y);

protected:
    virtual void DoPopup() {
        if (OnPopup) OnPopup(this);
    }
};

// The window of the popup menu open now, nullptr when none is open.
HWND OpenPopupMenuWindow();
// The screen rectangle of an item's line in the open popup menu; false when it shows no such line.
bool GetPopupMenuItemRect(const TMenuItem* Item, TRect& R);

// Registers the unit's classes with the form reader (the unit's start-up row); the shutdown frees the window
// that carries choices to their items.
void RegisterMenusClasses();
void MenusShutdown();

}  // namespace zel
