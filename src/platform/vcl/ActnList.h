#pragma once
// Actions: commands with a caption, state and an execute handler that several clients (menu entries,
// buttons, bar items) share through action links. A change of the action's state reaches every client
// through its link.
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/vcl/Menus.h"

namespace zel {

class TBasicActionLink;

// The smallest action: an execute and an update handler, and the links of its clients.
class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;
    std::string ClassName() const override { return "TBasicAction"; }

    // Runs OnExecute; answers whether it was assigned.
    virtual bool Execute();
    // Runs OnUpdate; answers whether it was assigned.
    virtual bool Update();

    void RegisterChanges(TBasicActionLink* Value);
    void UnRegisterChanges(TBasicActionLink* Value);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    // Fires the change of every client link.
    virtual void Change();
    std::vector<TBasicActionLink*> clients_;
};

// A client's link to an action: the client hears of the action's changes through OnChange.
class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* AClient) : client_(AClient) {}
    ~TBasicActionLink() override;
    std::string ClassName() const override { return "TBasicActionLink"; }

    TBasicAction* GetAction() const { return action_; }
    virtual void SetAction(TBasicAction* Value);
    virtual bool Execute(TComponent* AComponent = nullptr);
    virtual bool Update();
    virtual bool IsOnExecuteLinked() { return true; }
    virtual void SetOnExecute(const TNotifyEvent& /*Value*/) {}
    TObject* Client() const { return client_; }

    // Fired with the action as sender when the action changes.
    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void Change();

    TBasicAction* action_ = nullptr;
    TObject* client_ = nullptr;
};

// An action with the state that menu entries and buttons show.
class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    std::string ClassName() const override { return "TCustomAction"; }

    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& Value);
    bool GetChecked() const { return checked_; }
    void SetChecked(bool Value);
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool Value);
    int GetHelpContext() const { return helpContext_; }
    void SetHelpContext(int Value);
    const std::string& GetHint() const { return hint_; }
    void SetHint(const std::string& Value);
    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    TShortCut GetShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);

private:
    // Passes a new value to every client link that is a TActionLink while the old value is still in place,
    // so that a client can tell whether it still follows the action.
    template <class F>
    void ToClients(F f);

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int helpContext_ = 0;
    std::string hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    bool visible_ = true;
};

// The link of a control-like client: which of the action's values it takes, and the setters that copy
// each value into the client (empty here; the client's link class writes them).
class TActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;
    std::string ClassName() const override { return "TActionLink"; }

    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsHelpContextLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsVisibleLinked();

    virtual void SetCaption(const std::string& /*Value*/) {}
    virtual void SetChecked(bool /*Value*/) {}
    virtual void SetEnabled(bool /*Value*/) {}
    virtual void SetHelpContext(int /*Value*/) {}
    virtual void SetHint(const std::string& /*Value*/) {}
    virtual void SetImageIndex(int /*Value*/) {}
    virtual void SetShortCut(TShortCut /*Value*/) {}
    virtual void SetVisible(bool /*Value*/) {}

protected:
    bool LinksCustomAction() const { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
};

// The link of a control: a value is linked while the control shows what the action has; the action's
// changes are copied into the control, and its execute runs on the control's click.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* AClient);
    std::string ClassName() const override { return "TControlActionLink"; }

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    void SetCaption(const std::string& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const std::string& Value) override;
    void SetVisible(bool Value) override;

protected:
    TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(action_); }
    TControl* control_;
};

// The link of a windowed control: the help context too.
class TWinControlActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
    std::string ClassName() const override { return "TWinControlActionLink"; }
    bool IsHelpContextLinked() override;
    void SetHelpContext(int Value) override;
};

}  // namespace zel
