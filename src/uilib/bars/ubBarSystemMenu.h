#pragma once
// The system-menu entry of a maximised multiple-document child on its main form's menu bar: it shows the
// child's small icon and opens the child's system menu, rebuilt as bar items each time it opens; an entry
// sends its command to the child, and a double click sends the menu's default command (Close).
#include <string>

#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarSubItem.h"

namespace zel {

class TSystemMenuSubItem : public TCustomubBarSubItem {
public:
    explicit TSystemMenuSubItem(TComponent* AOwner) : TCustomubBarSubItem(AOwner) {}
    std::string ClassName() const override { return "TSystemMenuSubItem"; }
    static TClass StaticClass();

    // The child whose system menu the entry shows.
    HWND ChildWindow = nullptr;

    // Rebuilds the entries from the child's system menu before the sub-menu opens.
    void DoPopup() override;
    // Closes the open menus and sends the child its system menu's default command.
    void RunDefaultCommand();
};

class TSystemMenuSubItemControl : public TubBarSubItemControl {
public:
    explicit TSystemMenuSubItemControl(TubBarItemLink* ALink) : TubBarSubItemControl(ALink) {}
    std::string ClassName() const override { return "TSystemMenuSubItemControl"; }
    static TClass StaticClass();

    // No caption: the glyph area is a small icon wide.
    int GetItemWidth() const override;
    // The bar's background, then the child's small icon (or its big one) at 16 x 16.
    void Draw(const TRect& R, bool InMenu) override;
    bool AcceptsDblClick() const override { return true; }
    void DblClick() override;
    // The child's window menu is no command of the bar: the quick-customization list leaves it out.
    bool CanBeListed() const override { return false; }
};

// The item and control classes with the item-class registry, and the pictures of the entries' glyphs
// ("UBBARCLOSE", "UBBARRESTORE", "UBBARMAXIMIZE", "UBBARMINIMIZE") as named bitmap resources.
void RegisterSystemMenuItem();
void UnregisterSystemMenuItem();

}  // namespace zel
