#pragma once
// The base of every bar item (command, edit, combo, sub-menu, list): the command object that the manager owns
// and that shows once per item link. The item holds the state (caption, hint, enabled, visible, glyph,
// short-cut, category, action) and pushes every change to the controls of its links. Also the item's link to
// an action and the base of items that show a text window.
#include <string>

#include "platform/vcl/ActnList.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/VclGraphics.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TubBarItemLink;
class TubBarItemLinks;
class TubBar;
class TubBarItemActionLink;

enum TubBarItemAlign : std::uint8_t { iaLeft, iaCenter, iaRight, iaClient };

// An item of a manager. It joins the item list of its owner form's manager, else of the first manager, with
// category -1 (internal: never streamed, never offered to users), and leaves it when freed.
class TubBarItem : public TComponent {
public:
    explicit TubBarItem(TComponent* AOwner);
    ~TubBarItem() override;
    std::string ClassName() const override { return "TubBarItem"; }
    static TClass StaticClass();

    void BeforeDestruction() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A reader nested in a manager makes that manager the item's.
    void ReadState() override;
    void SetParentComponent(TComponent* Value) override;
    bool HasParent() const override { return category_ >= 0; }
    TComponent* GetParentComponent() const override;

    TubBarManager* GetBarManager() const { return barManager_; }
    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

    // ---- published
    TBasicAction* GetAction() const;
    void SetAction(TBasicAction* Value);
    // The link to the action; nullptr without one. A property the action supplies is not stored.
    TubBarItemActionLink* ActionLink() const { return actionLink_; }
    TubBarItemAlign GetAlign() const { return align_; }
    void SetAlign(TubBarItemAlign Value);
    const std::string& GetCaption() const { return caption_; }
    // Keeps an automatic hint in step: see the source.
    void SetCaption(const std::string& Value);
    int GetCategory() const { return category_; }
    virtual void SetCategory(int Value);
    // Stores a category number as it is: the category list renumbers its items while it changes.
    void RenumberCategory(int Value) { category_ = Value; }
    const std::string& GetDescription() const { return description_; }
    void SetDescription(const std::string& Value);
    // True for an item with a category while the manager customizes (at run time); else the stored flag.
    virtual bool GetEnabled() const;
    virtual void SetEnabled(bool Value);
    TBitmap* GetGlyph() const { return glyph_; }
    void SetGlyph(TBitmap* Value);
    int HelpContext = 0;
    std::string Hint;
    TShortCut GetShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    bool UnclickAfterDoing = true;
    virtual TubBarItemVisible GetVisible() const { return visible_; }
    virtual void SetVisible(TubBarItemVisible Value);
    TubBarItemVisible LoadedVisible() const { return loadedVisible_; }
    // Applies the value of Visible read while loading (the manager's Loaded).
    void ApplyLoadedVisible();

    TNotifyEvent OnClick;
    TNotifyEvent OnDestroy;
    // The link that was clicked while the item's click runs; nullptr otherwise.
    TubBarItemLink* ClickItemLink = nullptr;
    TNotifyEvent OnLoaded;

    // ---- links
    int LinkCount() const { return links_.Count(); }
    TubBarItemLink* Links(int Index) const { return links_.Get(Index); }
    void AddLink(TubBarItemLink* ALink) { links_.Add(ALink); }
    void RemoveLink(TubBarItemLink* ALink) { links_.Remove(ALink); }

    // Whether the item shows now: always-visible items with content (or while designing or customizing),
    // customizing-only items while designing or customizing.
    bool IsShowable() const;
    bool IsSubItem() const;

    // ---- clicking
    // Runs the direct click when the item can be clicked.
    virtual void Click();
    // Only for an enabled item: the manager's OnClickItem, then DoClick; an exception goes to the
    // application's handler.
    virtual void DirectClick();

    // ---- what the manager asks (image lists, category lists, temporary items)
    bool VisibleForUser() const { return HasContent(); }
    virtual bool HiddenInCategoryLists() const { return false; }
    virtual bool UsesHotImages() const { return false; }
    virtual bool UsesLargeImages() const { return false; }
    virtual void RefreshImage() { GlyphChanged(); }
    virtual bool HasLinkControls() const;

    // ---- virtual operations, in slot order
    virtual void BarManagerChanged() {}
    virtual bool CanClicked() const { return true; }
    virtual void CaptionChanged();
    virtual void EnabledChanged();
    virtual int GetImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int Value) { WriteImageIndex(Value); }
    virtual void GlyphChanged();
    // Whether the accelerator letter of the caption may fire the item through the link.
    virtual bool IsAccelAvailable(const TubBarItemLink* ALink) const;
    virtual bool HasContent() const { return true; }
    // A bar of the manager is going away.
    virtual void BarRemoving(TubBar* /*ABar*/) {}
    virtual void WriteImageIndex(int Value);
    virtual void ShortCutChanged();
    // Every link's control repaints.
    virtual void Refresh();
    // The bar window of every link is rebuilt.
    virtual void Relayout();
    virtual void VisibleChanged();

protected:
    virtual void DoClick();
    // Copies the action's values; with CheckDefaults only where the item still has its default.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    void AssignTo(TPersistent* Dest) override;
    // The customizing form's refresh of an item (it comes with that form).
    void NotifyItemChanged();
    bool ManagerDesigningOrCustomizing() const;

    friend class TubBarItemActionLink;
    bool changingFromAction_ = false;

private:
    void DoActionChange(TObject* Sender);

    TubBarItemActionLink* actionLink_ = nullptr;
    TubBarItemAlign align_ = iaLeft;
    TubBarManager* barManager_ = nullptr;
    std::string caption_;
    int category_ = -1;
    std::string description_;
    bool enabled_ = true;
    TBitmap* glyph_ = nullptr;
    int imageIndex_ = -1;
    TListOf<TubBarItemLink> links_;
    TubBarItemVisible loadedVisible_ = ivAlways;
    TShortCut shortCut_ = 0;
    TubBarItemVisible visible_ = ivAlways;
};

// The item's link to a standard action: a property is linked only when the action supplies it and the item's
// value still equals the action's.
class TubBarItemActionLink : public TActionLink {
public:
    explicit TubBarItemActionLink(TubBarItem* AClient) : TActionLink(AClient), client_(AClient) {}
    std::string ClassName() const override { return "TubBarItemActionLink"; }

    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsHelpContextLinked() override;
    bool IsHintLinked() override;
    bool IsImageIndexLinked() override;
    bool IsShortCutLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;

    void SetCaption(const std::string& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHelpContext(int Value) override;
    void SetHint(const std::string& Value) override;
    void SetImageIndex(int Value) override;
    void SetShortCut(TShortCut Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(const TNotifyEvent& Value) override;

private:
    TCustomAction* Custom() const { return dynamic_cast<TCustomAction*>(GetAction()); }
    TubBarItem* client_;
};

// The base of the items that show a text window (edit and combo).
class TubBarWindowItem : public TubBarItem {
public:
    explicit TubBarWindowItem(TComponent* AOwner) : TubBarItem(AOwner) {}
    std::string ClassName() const override { return "TubBarWindowItem"; }
    static TClass StaticClass();

    bool CanClicked() const override { return false; }
    const std::string& GetText() const { return text_; }
    virtual void SetText(const std::string& Value);
    // The text of the edit that is active in some link, else Text (the edit controls come with the bar
    // windows).
    virtual std::string CurText() const { return text_; }
    // The text being edited changed (the edit controls tell it).
    void DoCurChange() { CurChange(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnCurChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    bool HideEditor = false;

protected:
    virtual void Change();
    virtual void CurChange();

private:
    std::string text_;
};

// True when the two handlers are the same target (for plain function handlers; other handlers are never
// taken as the same).
bool SameEvent(const TNotifyEvent& A, const TNotifyEvent& B);

}  // namespace zel
