#pragma once
// The base of every bar item and of the objects that show items on bar windows: what the manager, its
// categories, groups and hints use of them. The item kinds and their windows build on these classes.
#include <string>

#include "platform/vcl/Controls.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

// An item of a manager (command, edit, combo, sub-menu). It joins the item list of its owner form's manager,
// else of the first manager, with category -1 (not offered to users), and leaves it when freed.
class TubBarItem : public TComponent {
public:
    explicit TubBarItem(TComponent* AOwner);
    ~TubBarItem() override;
    std::string ClassName() const override { return "TubBarItem"; }
    static TClass StaticClass();

    TubBarManager* GetBarManager() const { return barManager_; }

    // The index of the item's category in the manager's categories; negative for internal items.
    int GetCategory() const { return category_; }
    virtual void SetCategory(int Value) { category_ = Value; }
    virtual TubBarItemVisible GetVisible() const { return visible_; }
    virtual void SetVisible(TubBarItemVisible Value) { visible_ = Value; }
    virtual bool GetEnabled() const { return enabled_; }
    virtual void SetEnabled(bool Value) { enabled_ = Value; }
    // Whether the item shows in the current mode (its own visibility test passes).
    virtual bool VisibleForUser() const { return true; }
    // Items that never appear in category lists (the customizing lists) answer true.
    virtual bool HiddenInCategoryLists() const { return false; }
    // The image index (-1: none) and whether the item uses hot or large images.
    virtual int GetImageIndex() const { return -1; }
    virtual bool UsesHotImages() const { return false; }
    virtual bool UsesLargeImages() const { return false; }
    // Repaints every control that shows the item (after an image list changed).
    virtual void RefreshImage() {}
    // Whether any link of the item shows on an open bar or menu (temporary items are kept while so).
    virtual bool HasLinkControls() const { return false; }

    std::string Hint;

    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

private:
    TubBarManager* barManager_ = nullptr;
    int category_ = -1;
    TubBarItemVisible visible_ = ivAlways;
    bool enabled_ = true;
};

// The window-less object that shows one item on one bar window.
class TubBarItemControl : public TObject {
public:
    TubBarItemControl(TCustomubBarControl* AParent, TubBarItem* AItem) : Parent(AParent), Item(AItem) {}
    ~TubBarItemControl() override;
    std::string ClassName() const override { return "TubBarItemControl"; }

    TCustomubBarControl* const Parent;
    TubBarItem* const Item;

    virtual bool GetEnabled() const { return Item == nullptr || Item->GetEnabled(); }
    virtual std::string GetHint() const { return Item != nullptr ? Item->Hint : std::string(); }
    // The shortcut as text; empty for none.
    virtual std::string GetShortCutText() const { return std::string(); }
    virtual void Repaint() {}
};

// The base of the toolbar, menu-bar and sub-menu windows: each one is listed among the live bar windows while
// it exists.
class TCustomubBarControl : public TCustomControl {
public:
    explicit TCustomubBarControl(TComponent* AOwner);
    ~TCustomubBarControl() override;
    std::string ClassName() const override { return "TCustomubBarControl"; }

    // Whether the window holds the keyboard and mouse attention (an open menu, a bar in keyboard mode).
    virtual bool IsActive() const;
    // The item control at a client point; nullptr for none.
    virtual TubBarItemControl* ItemAtPos(TPoint /*P*/) const { return nullptr; }
};

}  // namespace zel
