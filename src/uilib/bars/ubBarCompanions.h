#pragma once
// The smaller objects a bar manager owns: the categories with their per-category visibility, the item
// groups, and the background bitmaps.
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/StringList.h"
#include "platform/vcl/VclGraphics.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

// ---- categories --------------------------------------------------------------------------------------------

class TubBarCategoryData : public TObject {
public:
    std::string ClassName() const override { return "TubBarCategoryData"; }
    TubBarItemVisible ItemsVisible = ivAlways;
    TubBarItemVisible LoadedItemsVisible = ivAlways;
    bool Visible = true;
};

// One string per category; an item's category is the index of its string. Deleting, inserting, exchanging
// and moving categories keeps every item on its own category.
class TubBarManagerCategories : public TStringList {
public:
    explicit TubBarManagerCategories(TubBarManager* AManager);
    ~TubBarManagerCategories() override;
    std::string ClassName() const override { return "TubBarManagerCategories"; }

    TubBarManager* Manager() const { return manager_; }

    void Clear() override;
    // Frees the items of the category and moves the later categories' items one lower; when no category is
    // left, "Default" comes back.
    void Delete(int Index) override;
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;

    // The category's data; nullptr when it has none (the defaults).
    TubBarCategoryData* Data(int Index) const;
    // Both do nothing for an index outside the list.
    void SetItemsVisibleOf(int Index, TubBarItemVisible Value);
    void SetVisibleOf(int Index, bool Value);
    TubBarItemVisible ItemsVisibleOf(int Index) const;
    bool VisibleOf(int Index) const;

    // The streamed lists: one ordinal / flag per category. Reading applies as many values as fit and ignores
    // ordinals outside the visibility range.
    void ReadItemsVisibles(const std::vector<int>& Values);
    void ReadVisibles(const std::vector<bool>& Values);
    std::vector<int> ItemsVisibles() const;
    std::vector<bool> Visibles() const;
    // Applies the items-visible values read while the manager was loading.
    void ApplyLoadedItemsVisibles();
    // "ItemsVisibles" and "Visibles", always stored.
    void DefineProperties(TFiler* Filer) override;

protected:
    void Changed() override;

private:
    TubBarCategoryData* NeedData(int Index);
    // Every item of category From gets category To.
    void Renumber(int From, int To);

    TubBarManager* manager_ = nullptr;
    bool moving_ = false;
};

// ---- groups ------------------------------------------------------------------------------------------------

// Items and groups that are enabled and shown together. Owned by the form, kept in its manager's list.
class TubBarGroup : public TComponent {
public:
    explicit TubBarGroup(TComponent* AOwner);
    ~TubBarGroup() override;
    std::string ClassName() const override { return "TubBarGroup"; }
    static TClass StaticClass();

    TubBarManager* Manager() const { return manager_; }
    void SetManager(TubBarManager* AManager);

    // Ignores nullptr, a member already present and anything that is neither an item nor a group; raises
    // "You cannot create recursive groups" for this group or a group that contains it.
    void Add(TComponent* AMember);
    int IndexOf(TComponent* AMember) const { return members_.IndexOf(AMember); }
    void Remove(TComponent* AMember);
    void MoveMember(int FromIndex, int ToIndex);
    int Count() const { return members_.Count(); }
    TComponent* Members(int Index) const { return members_[Index]; }
    // Whether the group holds AGroup, however deeply.
    bool Contains(const TubBarGroup* AGroup) const;

    // The position in the manager's list.
    int GetIndex() const;
    void SetIndex(int Value);

    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);
    TubBarItemVisible GetVisible() const { return visible_; }
    void SetVisible(TubBarItemVisible Value);

    // The streamed member names, resolved among the form's components in Loaded.
    void ReadItemNames(const std::vector<std::string>& Names) { loadedNames_ = Names; }
    std::vector<std::string> ItemNames() const;

    void ReadState() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // "Items", stored when the group has members.
    void DefineProperties(TFiler* Filer) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;

private:
    TubBarManager* manager_ = nullptr;
    TListOf<TComponent> members_;
    bool enabled_ = true;
    TubBarItemVisible visible_ = ivAlways;
    std::vector<std::string> loadedNames_;
};

// ---- backgrounds -------------------------------------------------------------------------------------------

class TubBarBackgrounds : public TPersistent {
public:
    explicit TubBarBackgrounds(TubBarManager* AManager);
    ~TubBarBackgrounds() override;
    std::string ClassName() const override { return "TubBarBackgrounds"; }

    void Assign(TPersistent* Source) override;
    TBitmap* GetBar() const { return bar_; }
    // Assigns the bitmap; the manager's style change follows when the old or the new bitmap is not empty, and
    // after every later change of the bitmap.
    void SetBar(TBitmap* Value);
    TBitmap* GetSubMenu() const { return subMenu_; }
    void SetSubMenu(TBitmap* Value) { subMenu_->Assign(Value); }

private:
    // The manager's style change (the bar bitmap changed).
    void BarChanged();

    TubBarManager* manager_ = nullptr;
    TBitmap* bar_ = nullptr;
    TBitmap* subMenu_ = nullptr;
};

}  // namespace zel
