#pragma once
// Items that open or expand into further items: the sub-item (a drop-down menu with its own links), and the
// containers that put their content in their own place when the menu that holds them opens: the container
// item its links, the list item one generated button per string.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/StringList.h"
#include "uilib/bars/ubBarItem.h"

namespace zel {

class TubBarButton;

using TubBarPaintSubMenuBarEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TCustomubBarSubItem : public TubBarItem {
public:
    explicit TCustomubBarSubItem(TComponent* AOwner);
    ~TCustomubBarSubItem() override;
    std::string ClassName() const override { return "TCustomubBarSubItem"; }
    static TClass StaticClass();

    bool AllowCustomizing = true;
    int GetBarSize() const { return barSize_; }
    // Negative values become 0.
    void SetBarSize(int Value) { barSize_ = Value < 0 ? 0 : Value; }
    bool Detachable = false;
    // The detaching bar's index in the manager's bars, -1 for none.
    int GetDetachingBar() const;
    // Values below -1 or beyond the last bar give -1.
    void SetDetachingBar(int Value);
    TubBarItemLinks* GetItemLinks() const { return itemLinks_; }
    void SetItemLinks(TubBarItemLinks* Value);
    bool GetShowCaption() const { return showCaption_; }
    void SetShowCaption(bool Value);
    // Set on the sub-items that the customizing popup builds for itself.
    bool Internal = false;

    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDetaching;
    TubBarPaintSubMenuBarEvent OnPaintBar;
    TNotifyEvent OnPopup;

    void BarManagerChanged() override;
    bool CanClicked() const override { return false; }
    void BarRemoving(TubBar* ABar) override;

    virtual void DoCloseUp();
    virtual void DoDetaching();
    virtual void DoPopup();
    virtual void DoPaintBar(TCanvas* Canvas, const TRect& R);

    // Whether AItem may go into AContainer's links: not the container itself, nor a sub-item or a drop-down
    // button whose links already hold the container, however deep. Asked before an item goes into a sub-item.
    static bool MayContain(const TubBarItem* AItem, const TubBarItem* AContainer);

private:
    int barSize_ = 0;
    TubBar* detachingBar_ = nullptr;
    TubBarItemLinks* itemLinks_ = nullptr;
    bool showCaption_ = true;
};

class TubBarSubItem : public TCustomubBarSubItem {
public:
    explicit TubBarSubItem(TComponent* AOwner) : TCustomubBarSubItem(AOwner) {}
    std::string ClassName() const override { return "TubBarSubItem"; }
    static TClass StaticClass();
};

class TCustomubBarContainerItem : public TCustomubBarSubItem {
public:
    explicit TCustomubBarContainerItem(TComponent* AOwner) : TCustomubBarSubItem(AOwner) {}
    ~TCustomubBarContainerItem() override;
    std::string ClassName() const override { return "TCustomubBarContainerItem"; }
    static TClass StaticClass();

    // Puts the content into the destination at the base index, for the owner link; first clears what an
    // earlier fill left and, when asked, fires OnGetData.
    virtual void Fill(TubBarItemLinks* ADest, int ABaseIndex, TubBarItemLink* AOwnerLink, bool AGetData);
    virtual void Remove(TubBarItemLinks* /*ADest*/, int /*ABaseIndex*/) {}
    virtual void ClearContent() { filled_ = false; }
    // The container's own link leaves the menu while its content is shown.
    virtual bool ReplacesPlaceholder() const { return true; }
    bool HasContent() const override { return static_cast<bool>(OnGetData); }
    // The content changed: every link is evaluated again (not from inside OnGetData).
    void DataChanged();
    void MarkFilled() { filled_ = true; }
    bool Filled() const { return filled_; }
    bool InGetData() const { return inGetData_; }

    TNotifyEvent OnGetData;

protected:
    // Deletes up to ACount links at the base index, as long as they were filled in for this container.
    void RemoveContent(TubBarItemLinks* ADest, int ABaseIndex, int ACount);

private:
    bool inGetData_ = false;
    bool filled_ = false;
};

class TubBarListItem : public TCustomubBarContainerItem {
public:
    explicit TubBarListItem(TComponent* AOwner);
    ~TubBarListItem() override;
    std::string ClassName() const override { return "TubBarListItem"; }
    static TClass StaticClass();

    // The number of entries (strings other than "-") before ItemIndex; -1 when ItemIndex is outside.
    int GetDataIndex() const;
    void SetDataIndex(int Value);
    int ItemIndex = -1;
    TStrings* GetItems() const { return items_; }
    void SetItems(TStrings* Value) { items_->Assign(Value); }
    bool ShowCheck = false;
    bool ShowNumbers = true;

    bool HasContent() const override;
    void DirectClick() override;
    // The text an entry shows for its string.
    virtual std::string DisplayText(const std::string& S) const { return S; }

    // One generated button per entry, with its link in the destination.
    void Fill(TubBarItemLinks* ADest, int ABaseIndex, TubBarItemLink* AOwnerLink, bool AGetData) override;
    void Remove(TubBarItemLinks* ADest, int ABaseIndex) override;
    void ClearContent() override;
    const std::vector<TubBarButton*>& Buttons() const { return buttons_; }
    // A generated button freed by the form that owns it is forgotten.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void FreeButtons();

    TStringList* items_ = nullptr;
    std::vector<TubBarButton*> buttons_;
};

class TubBarContainerItem : public TCustomubBarContainerItem {
public:
    explicit TubBarContainerItem(TComponent* AOwner) : TCustomubBarContainerItem(AOwner) {}
    std::string ClassName() const override { return "TubBarContainerItem"; }
    static TClass StaticClass();

    // Copies of its own links, the first beginning a group.
    void Fill(TubBarItemLinks* ADest, int ABaseIndex, TubBarItemLink* AOwnerLink, bool AGetData) override;
    void Remove(TubBarItemLinks* ADest, int ABaseIndex) override;
    bool HasContent() const override;
};

}  // namespace zel
