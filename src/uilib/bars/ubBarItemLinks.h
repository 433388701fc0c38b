#pragma once
// Item links: one place of an item in one list (a bar, a sub-menu, a popup menu), with per-place settings
// (group separator, visibility, user caption, glyph, paint style and width) and per-place usage data that
// drive the menus that show recently used entries first. A link list keeps the derived lists of the links
// that are available, visible and shown, and answers short-cuts and accelerators.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Collections.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/VclGraphics.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TuiObjectLink;
class TubBarItemLinks;
class TubBar;

enum TubBarUserDefine : std::uint8_t { udCaption, udGlyph, udPaintStyle, udWidth };
using TubBarUserDefines = TSet<TubBarUserDefine>;

enum TubBarPaintStyle : std::uint8_t { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };

class TubBarItemLink : public TCollectionItem {
public:
    explicit TubBarItemLink(TCollection* Collection);
    ~TubBarItemLink() override;
    std::string ClassName() const override { return "TubBarItemLink"; }

    // The list of the link (the one it stands out of while parked).
    TubBarItemLinks* Links() const;
    TubBarManager* BarManager() const;

    // ---- published
    bool BeginGroup = false;  // the stored flag; see GetBeginGroup for the effective one
    TubBarItem* GetItem() const { return item_; }
    // Nil frees the link. An item that would make a sub-item contain itself raises "You cannot create
    // recursive subitems" and leaves the link without item.
    void SetItem(TubBarItem* Value);
    bool GetMostRecentlyUsed() const { return mostRecentlyUsed_; }
    void SetMostRecentlyUsed(bool Value);
    const std::string& GetUserCaption() const { return userCaption_; }
    void SetUserCaption(const std::string& Value);
    TubBarUserDefines GetUserDefine() const { return userDefine_; }
    void SetUserDefine(TubBarUserDefines Value);
    TBitmap* GetUserGlyph() const { return userGlyph_; }
    void SetUserGlyph(TBitmap* Value);
    TubBarPaintStyle GetUserPaintStyle() const { return userPaintStyle_; }
    void SetUserPaintStyle(TubBarPaintStyle Value);
    int GetUserWidth() const { return userWidth_; }
    // Raised to 20 when below.
    void SetUserWidth(int Value);
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);

    void Assign(TPersistent* Source) override;

    // ---- effective values
    std::string Caption() const;
    TBitmap* Glyph() const;
    TubBarPaintStyle PaintStyle() const;
    int Width() const;
    // The separator of a hidden link passes to the next shown link.
    bool GetBeginGroup() const;

    // ---- usage
    int UseCount = 0;
    // Read from a stored layout (-1 = none); applied after loading.
    int LoadedRecentIndex = -1;
    int LoadedUseCount = -1;
    // The link this one stands for: its usage is passed there (itself when none).
    TubBarItemLink* BaseLink() const { return baseLink_ != nullptr ? baseLink_ : const_cast<TubBarItemLink*>(this); }
    void SetBaseLink(TubBarItemLink* Value) { baseLink_ = Value; }
    // The link of the container or list item that filled this link in (nullptr for none).
    TubBarItemLink* OwnerLink() const { return ownerLink_; }
    // Binds the link to its owner link: its usage goes there, and it is freed when the owner link goes.
    void BindToOwnerLink(TubBarItemLink* Value);
    // Frees the links bound to this one.
    void FreeBoundLinks();
    // Whether the link stands out of its list while its container's content is shown in its place.
    bool IsParked() const { return parkedIn_ != nullptr; }
    // Moves the link to the front of the recent list and, when counting, counts the use; then the link
    // through which the owning sub-menu was opened is marked used the same way.
    void MarkUsed(bool Count);
    void HideFromRecent();
    // Applies MostRecentlyUsed to the use count and the recent list.
    void ApplyMostRecentlyUsed();

    // The visual part of the link in the owner's window (made by the bar windows); nullptr while none.
    TubBarItemControl* Control = nullptr;
    TRect ItemRect{};

    // The link of a toolbar that this one stands for in the quick-customization list; nullptr for none, or
    // once that link is gone.
    TubBarItemLink* SourceLink() const;
    void SetSourceLink(TubBarItemLink* Value);

    // Whether the link is in its list's shown links.
    bool IsShown() const;
    // Whether the item takes the link's accelerator.
    bool AccelAvailable() const;

    // The value of Visible held while the manager loads or the list is assigned (-1: none).
    int PendingVisible = -1;

private:
    friend class TubBarItemLinks;
    void Changed();
    void Unbind();
    // Frees the item control (the manager's selection forgets it first).
    void FreeControl();

    TubBarItem* item_ = nullptr;
    bool mostRecentlyUsed_ = true;
    std::string userCaption_;
    TubBarUserDefines userDefine_;
    TBitmap* userGlyph_ = nullptr;
    TubBarPaintStyle userPaintStyle_ = psStandard;
    int userWidth_ = 0;
    bool visible_ = true;
    TubBarItemLink* baseLink_ = nullptr;
    TubBarItemLink* ownerLink_ = nullptr;
    std::vector<TubBarItemLink*> boundLinks_;  // the links bound to this one
    TubBarItemLinks* parkedIn_ = nullptr;
    std::shared_ptr<TuiObjectLink> sourceLink_;
};

using TubBarItemLinksChanged = std::function<void()>;

class TubBarItemLinks : public TCollection {
public:
    // AOwner: the bar, sub-item or popup menu whose list this is.
    TubBarItemLinks(TubBarManager* ABarManager, TPersistent* AOwner);
    ~TubBarItemLinks() override;
    std::string ClassName() const override { return "TubBarItemLinks"; }

    TubBarManager* BarManager() const { return barManager_; }
    void SetBarManager(TubBarManager* Value) { barManager_ = Value; }
    TPersistent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override;

    TubBarItemLink* Add() { return static_cast<TubBarItemLink*>(TCollection::Add()); }
    TubBarItemLink* Insert(int Index) { return static_cast<TubBarItemLink*>(TCollection::Insert(Index)); }
    TubBarItemLink* Items(int Index) const { return static_cast<TubBarItemLink*>(GetItem(Index)); }
    TubBarItemLink* operator[](int Index) const { return Items(Index); }
    int IndexOfItem(const TubBarItem* AItem) const;

    // ---- derived lists (rebuilt after every change)
    const TListOf<TubBarItemLink>& AvailableItems() const { return available_; }
    const TListOf<TubBarItemLink>& VisibleItems() const { return visible_; }
    const TListOf<TubBarItemLink>& ShownItems() const { return shown_; }
    int AvailableItemCount() const { return available_.Count(); }
    int VisibleItemCount() const { return visible_.Count(); }
    int ShownItemCount() const { return shown_.Count(); }
    void RebuildLists();

    // ---- recent list: every link, most recently used first
    const TListOf<TubBarItemLink>& RecentList() const { return recent_; }
    bool RecentItemsInEffect() const;
    // How many links a menu shows before it is expanded; -1 for all.
    int CalcRecentItemCount() const;
    int RecentItemCount() const { return recentItemCount_; }
    void SetRecentItemCount(int Value);
    void RestoreRecentItemCount();
    // Visible links keep their order and move ahead of the others.
    void CompactRecentList();
    void CopyUsageFrom(TubBarItemLinks* ASource);
    // Applies MostRecentlyUsed, optionally the pending Visible values, then the loaded recent positions and
    // use counts.
    void ApplyAfterLoading(bool RestoreVisibility);

    // The bar's UseRecentItems and the popup menu's write this switch.
    bool UseRecentItems = true;
    // The window that shows the list; nullptr until the bar windows make one.
    TCustomubBarControl* BarControl = nullptr;
    // For the list of an open sub-menu or drop-down menu: the link it was opened through. Its list's switch
    // rules recent items here, and uses are passed up to it.
    TubBarItemLink* OpeningLink = nullptr;

    // ---- keyboard
    // Clicks the first available item whose enabled short-cut is the key; sub-items search their own links.
    bool IsShortCut(TShortCut AShortCut);
    // The first link, from the one after AStart and wrapping, whose caption's accelerator is the key. On a
    // visible toolbar window only the selectable fitting links are searched.
    TubBarItemLink* FindItemWithAccel(WORD Key, TShiftState Shift, TubBarItemLink* AStart);

    // ---- fitting and selectable links
    // A bar's window shows the leading shown links whose rectangle lies wholly inside its client area; any
    // other list shows all its shown links.
    int FittingItemCount() const;
    TubBarItemLink* FittingItem(int Index) const { return shown_.Get(Index); }
    // Among the fitting links whose control can be selected: the first, the last, and the next or previous
    // one from a start link, wrapping (with no start: the first or the last).
    TubBarItemLink* First() const;
    TubBarItemLink* Last() const;
    TubBarItemLink* Next(TubBarItemLink* AStart) const;
    TubBarItemLink* Prev(TubBarItemLink* AStart) const;

    // ---- a container's placeholder standing out of the list while the content is shown in its place
    // The link leaves the collection (its control goes) but keeps its usage data; freeing the list frees it.
    void Park(TubBarItemLink* ALink);
    // The parked link comes back at the index.
    void Unpark(TubBarItemLink* ALink, int Index);
    bool HoldsParked(const TubBarItemLink* ALink) const;

    void Assign(TPersistent* Source) override;
    bool Assigning() const { return assigning_; }
    void ClearItemRects();

    TubBarItemLinksChanged OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    friend class TubBarItemLink;
    bool IsDesigning() const;
    bool IsManagerLoading() const;

    TubBarManager* barManager_ = nullptr;
    TPersistent* owner_ = nullptr;
    TListOf<TubBarItemLink> available_;
    TListOf<TubBarItemLink> visible_;
    TListOf<TubBarItemLink> shown_;
    TListOf<TubBarItemLink> recent_;
    std::vector<TubBarItemLink*> parked_;
    int recentItemCount_ = -1;
    int prevRecentItemCount_ = -1;
    bool assigning_ = false;
    bool destroying_ = false;
};

// The accelerator character of a caption: the character after the last single "&" ("&&" is a literal
// ampersand); 0 when there is none, also when the caption ends in a single "&".
char AccelCharOf(const std::string& ACaption);

}  // namespace zel
