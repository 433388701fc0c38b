#include "platform/vcl/ActnList.h"

#include <algorithm>

namespace zel {

// ---------------------------------------------------------------------------------------- TBasicAction

TBasicAction::~TBasicAction() {
    // The clients keep their links; they only stop pointing here.
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_)) link->action_ = nullptr;
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
    if (Value != nullptr && std::find(clients_.begin(), clients_.end(), Value) == clients_.end())
        clients_.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) { std::erase(clients_, Value); }

void TBasicAction::Change() {
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_)) link->Change();
}

// ------------------------------------------------------------------------------------ TBasicActionLink

TBasicActionLink::~TBasicActionLink() {
    if (action_ != nullptr) action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
    if (Value == action_) return;
    if (action_ != nullptr) action_->UnRegisterChanges(this);
    action_ = Value;
    if (action_ != nullptr) action_->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* /*AComponent*/) { return action_ != nullptr && action_->Execute(); }

bool TBasicActionLink::Update() { return action_ != nullptr && action_->Update(); }

void TBasicActionLink::Change() {
    if (OnChange) OnChange(action_);
}

// --------------------------------------------------------------------------------------- TCustomAction

template <class F>
void TCustomAction::ToClients(F f) {
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_))
        if (auto* al = dynamic_cast<TActionLink*>(link)) f(*al);
}

void TCustomAction::SetCaption(const std::string& Value) {
    if (Value == caption_) return;
    ToClients([&](TActionLink& l) { l.SetCaption(Value); });
    caption_ = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value) {
    if (Value == checked_) return;
    ToClients([&](TActionLink& l) { l.SetChecked(Value); });
    checked_ = Value;
    Change();
}

void TCustomAction::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    ToClients([&](TActionLink& l) { l.SetEnabled(Value); });
    enabled_ = Value;
    Change();
}

void TCustomAction::SetHelpContext(int Value) {
    if (Value == helpContext_) return;
    ToClients([&](TActionLink& l) { l.SetHelpContext(Value); });
    helpContext_ = Value;
    Change();
}

void TCustomAction::SetHint(const std::string& Value) {
    if (Value == hint_) return;
    ToClients([&](TActionLink& l) { l.SetHint(Value); });
    hint_ = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value) {
    if (Value == imageIndex_) return;
    ToClients([&](TActionLink& l) { l.SetImageIndex(Value); });
    imageIndex_ = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
    if (Value == shortCut_) return;
    ToClients([&](TActionLink& l) { l.SetShortCut(Value); });
    shortCut_ = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value) {
    if (Value == visible_) return;
    ToClients([&](TActionLink& l) { l.SetVisible(Value); });
    visible_ = Value;
    Change();
}

// ----------------------------------------------------------------------------------------- TActionLink

bool TActionLink::IsCaptionLinked() { return LinksCustomAction(); }
bool TActionLink::IsCheckedLinked() { return LinksCustomAction(); }
bool TActionLink::IsEnabledLinked() { return LinksCustomAction(); }
bool TActionLink::IsHelpContextLinked() { return LinksCustomAction(); }
bool TActionLink::IsHintLinked() { return LinksCustomAction(); }
bool TActionLink::IsImageIndexLinked() { return LinksCustomAction(); }
bool TActionLink::IsShortCutLinked() { return LinksCustomAction(); }
bool TActionLink::IsVisibleLinked() { return LinksCustomAction(); }

// ---------------------------------------------------------------------------------- TControlActionLink

TControlActionLink::TControlActionLink(TControl* AClient) : TActionLink(AClient), control_(AClient) {
    OnChange = [this](TObject* Sender) {
        if (control_ != nullptr) control_->ActionChange(Sender, false);
    };
}

bool TControlActionLink::IsCaptionLinked() {
    TCustomAction* a = CustomAction();
    return a != nullptr && control_->Caption() == a->GetCaption();
}

bool TControlActionLink::IsEnabledLinked() {
    TCustomAction* a = CustomAction();
    return a != nullptr && control_->GetEnabled() == a->GetEnabled();
}

bool TControlActionLink::IsHintLinked() {
    TCustomAction* a = CustomAction();
    return a != nullptr && control_->Hint == a->GetHint();
}

bool TControlActionLink::IsVisibleLinked() {
    TCustomAction* a = CustomAction();
    return a != nullptr && control_->GetVisible() == a->GetVisible();
}

void TControlActionLink::SetCaption(const std::string& Value) {
    if (IsCaptionLinked()) control_->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) control_->SetEnabled(Value);
}

void TControlActionLink::SetHint(const std::string& Value) {
    if (IsHintLinked()) control_->Hint = Value;
}

void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) control_->SetVisible(Value);
}

bool TWinControlActionLink::IsHelpContextLinked() {
    TCustomAction* a = CustomAction();
    return a != nullptr && control_->HelpContext == a->GetHelpContext();
}

void TWinControlActionLink::SetHelpContext(int Value) {
    if (IsHelpContextLinked()) control_->HelpContext = Value;
}

}  // namespace zel
