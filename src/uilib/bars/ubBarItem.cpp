#include "uilib/bars/ubBarItem.h"

#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

// The hint that a caption gives: the caption without its first "&" and its first "...".
std::string AutoHintOf(std::string caption) {
    if (auto p = caption.find('&'); p != std::string::npos) caption.erase(p, 1);
    if (auto p = caption.find("..."); p != std::string::npos) caption.erase(p, 3);
    return caption;
}

std::string ShortHintOf(const std::string& hint) { return hint.substr(0, hint.find('|')); }

}  // namespace

bool SameEvent(const TNotifyEvent& A, const TNotifyEvent& B) {
    if (!A || !B) return !A && !B;
    using TPlain = void (*)(TObject*);
    const TPlain* a = A.target<TPlain>();
    const TPlain* b = B.target<TPlain>();
    return a != nullptr && b != nullptr && *a == *b;
}

// ------------------------------------------------------------------------------------------ TubBarItem

TClass TubBarItem::StaticClass() {
    static const TClassInfo component{"TComponent", nullptr};
    static const TClassInfo info{"TubBarItem", &component};
    return &info;
}

TubBarItem::TubBarItem(TComponent* AOwner) : TComponent(AOwner) {
    barManager_ = ManagerOfForm(AOwner);
    if (barManager_ == nullptr && BarManagerList() != nullptr) barManager_ = BarManagerList()->Managers(0);
    if (barManager_ != nullptr) barManager_->AddItem(this);
    glyph_ = new TBitmap();
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

void TubBarItem::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (OnDestroy) OnDestroy(this);
    RemoveTemporaryItem(this);
    if (links_.Count() == 0) return;
    // Deleting links from a shown toolbar rebuilds it once, at the end.
    bool lock = false;
    if (barManager_ != nullptr && !barManager_->ComponentState().Contains(csDestroying))
        for (TubBarItemLink* link : links_) {
            auto* bar = dynamic_cast<TubBar*>(link->Links()->Owner());
            if (bar != nullptr && link->Links()->BarControl != nullptr && !bar->IsDestroying()) lock = true;
        }
    TubBarUpdateLock guard(lock ? barManager_ : nullptr);
    while (links_.Count() > 0) delete links_.Last();
}

TubBarItem::~TubBarItem() {
    if (barManager_ != nullptr) barManager_->RemoveItem(this);
    delete actionLink_;
    glyph_->OnChange = nullptr;
    delete glyph_;
    ClearLinksToObject(this);
}

void TubBarItem::Loaded() {
    TComponent::Loaded();
    if (GetAction() != nullptr) ActionChange(GetAction(), true);
    if (OnLoaded) OnLoaded(this);
}

void TubBarItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && actionLink_ != nullptr && AComponent == actionLink_->GetAction()) SetAction(nullptr);
}

void TubBarItem::ReadState() {
    TComponent::ReadState();
    // The reader has made the item inside its manager's block: SetParentComponent took it.
}

void TubBarItem::SetParentComponent(TComponent* Value) {
    auto* manager = dynamic_cast<TubBarManager*>(Value);
    if (manager == nullptr || manager == barManager_) return;
    if (barManager_ != nullptr) barManager_->RemoveItem(this);
    barManager_ = manager;
    barManager_->AddItem(this);
    BarManagerChanged();
}

TComponent* TubBarItem::GetParentComponent() const { return category_ >= 0 ? barManager_ : nullptr; }

bool TubBarItem::ManagerDesigningOrCustomizing() const {
    return barManager_ != nullptr && (barManager_->Designing() || barManager_->GetCustomizing());
}

bool TubBarItem::IsSubItem() const { return dynamic_cast<const TCustomubBarSubItem*>(this) != nullptr; }

bool TubBarItem::IsShowable() const {
    if (visible_ == ivAlways) return HasContent() || ManagerDesigningOrCustomizing();
    return visible_ == ivInCustomizing && ManagerDesigningOrCustomizing();
}

bool TubBarItem::HasLinkControls() const {
    for (TubBarItemLink* link : links_)
        if (link->Control != nullptr) return true;
    return false;
}

void TubBarItem::NotifyItemChanged() {
    if (barManager_ != nullptr) barManager_->NotifyItemChanged(this);
}

// ---- published properties

TBasicAction* TubBarItem::GetAction() const { return actionLink_ != nullptr ? actionLink_->GetAction() : nullptr; }

void TubBarItem::SetAction(TBasicAction* Value) {
    if (Value == GetAction()) return;
    if (Value == nullptr) {
        FreeAndNil(actionLink_);
        return;
    }
    if (actionLink_ == nullptr) actionLink_ = new TubBarItemActionLink(this);
    actionLink_->SetAction(Value);
    actionLink_->OnChange = [this](TObject* Sender) { DoActionChange(Sender); };
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
    Value->FreeNotification(this);
}

void TubBarItem::DoActionChange(TObject* Sender) {
    if (Sender == GetAction()) ActionChange(Sender, false);
}

void TubBarItem::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (action == nullptr) return;
    if (!CheckDefaults || caption_.empty()) {
        changingFromAction_ = true;
        SetCaption(action->GetCaption());
        changingFromAction_ = false;
    }
    if (auto* button = dynamic_cast<TubBarButton*>(this); button != nullptr && (!CheckDefaults || !button->GetDown()))
        button->SetDown(action->GetChecked());
    if (!CheckDefaults || enabled_) SetEnabled(action->GetEnabled());
    if (!CheckDefaults || HelpContext == 0) HelpContext = action->GetHelpContext();
    if (!CheckDefaults || Hint.empty()) Hint = action->GetHint();
    if (!CheckDefaults || GetImageIndex() == -1) SetImageIndex(action->GetImageIndex());
    if (!CheckDefaults || shortCut_ == 0) SetShortCut(action->GetShortCut());
    if (!CheckDefaults || visible_ == ivAlways) SetVisible(action->GetVisible() ? ivAlways : ivNever);
    if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
}

void TubBarItem::AssignTo(TPersistent* Dest) {
    auto* action = dynamic_cast<TCustomAction*>(Dest);
    if (action == nullptr) {
        TComponent::AssignTo(Dest);
        return;
    }
    action->SetCaption(caption_);
    if (auto* button = dynamic_cast<TubBarButton*>(this)) action->SetChecked(button->GetDown());
    action->SetEnabled(GetEnabled());
    action->SetHelpContext(HelpContext);
    action->SetHint(Hint);
    action->SetImageIndex(GetImageIndex());
    action->SetShortCut(shortCut_);
    if (visible_ != ivInCustomizing) action->SetVisible(visible_ == ivAlways);
    action->OnExecute = OnClick;
}

void TubBarItem::SetAlign(TubBarItemAlign Value) {
    if (Value == align_) return;
    align_ = Value;
    if (!IsLoading()) Relayout();
}

void TubBarItem::SetCaption(const std::string& Value) {
    if (Value == caption_) return;
    // Sub-items never touch the hint; other items keep a hint that the caption gave, or an empty one, in step.
    const bool autoHint =
        !changingFromAction_ && !IsSubItem() && (Hint.empty() || ShortHintOf(Hint) == AutoHintOf(caption_));
    caption_ = Value;
    if (IsLoading()) return;
    if (autoHint) {
        const std::string stripped = AutoHintOf(caption_);
        const auto bar = Hint.find('|');
        Hint = bar == std::string::npos ? stripped : stripped + Hint.substr(bar);
    }
    CaptionChanged();
}

void TubBarItem::SetCategory(int Value) {
    if (IsLoading()) {
        // Stored as read, even beyond the category list; the look-ups range-check it.
        category_ = Value;
        return;
    }
    if (barManager_ == nullptr || Value < 0 || Value >= barManager_->GetCategories()->Count()) return;
    if (Value == category_) return;
    category_ = Value;
    NotifyItemChanged();
    barManager_->NotifyDesigner();
}

void TubBarItem::SetDescription(const std::string& Value) {
    if (Value == description_) return;
    description_ = Value;
    NotifyItemChanged();
}

bool TubBarItem::GetEnabled() const {
    if (barManager_ != nullptr && !barManager_->Designing() && barManager_->GetCustomizing() && category_ >= 0 &&
        !IsLoading())
        return true;
    return enabled_;
}

void TubBarItem::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    enabled_ = Value;
    if (!IsLoading()) EnabledChanged();
}

void TubBarItem::SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }

void TubBarItem::SetShortCut(TShortCut Value) {
    if (Value == shortCut_) return;
    shortCut_ = Value;
    if (!IsLoading()) ShortCutChanged();
}

void TubBarItem::SetVisible(TubBarItemVisible Value) {
    if (IsLoading()) {
        loadedVisible_ = Value;
        return;
    }
    if (Value == visible_) return;
    visible_ = Value;
    VisibleChanged();
}

void TubBarItem::ApplyLoadedVisible() { SetVisible(loadedVisible_); }

// ---- clicking

void TubBarItem::Click() {
    if (CanClicked()) DirectClick();
}

void TubBarItem::DirectClick() {
    if (!GetEnabled()) return;
    try {
        if (barManager_ != nullptr) barManager_->ClickItem(this);
        DoClick();
    } catch (const std::exception& e) {
        Application->HandleException(e);
    }
}

void TubBarItem::DoClick() {
    TBasicAction* action = GetAction();
    if (OnClick && (action == nullptr || !SameEvent(OnClick, action->OnExecute))) OnClick(this);
    else if (action != nullptr && !IsDesigning() && actionLink_ != nullptr) actionLink_->Execute(this);
}

// ---- virtual operations

void TubBarItem::CaptionChanged() {
    for (TubBarItemLink* link : links_)
        if (!link->GetUserDefine().Contains(udCaption) && link->Control != nullptr) link->Control->CaptionChanged();
    NotifyItemChanged();
}

void TubBarItem::EnabledChanged() {
    for (TubBarItemLink* link : links_)
        if (link->Control != nullptr) link->Control->EnabledChanged();
}

void TubBarItem::GlyphChanged() {
    for (TubBarItemLink* link : links_)
        if (!link->GetUserDefine().Contains(udGlyph) && link->Control != nullptr) link->Control->GlyphChanged();
    NotifyItemChanged();
}

bool TubBarItem::IsAccelAvailable(const TubBarItemLink* /*ALink*/) const { return GetEnabled(); }

void TubBarItem::WriteImageIndex(int Value) {
    if (Value == imageIndex_) return;
    imageIndex_ = Value;
    GlyphChanged();
}

void TubBarItem::ShortCutChanged() {
    for (TubBarItemLink* link : links_)
        if (link->Control != nullptr) link->Control->Repaint();
    NotifyItemChanged();
}

void TubBarItem::Refresh() {
    for (TubBarItemLink* link : links_)
        if (link->Control != nullptr) link->Control->Repaint();
}

void TubBarItem::Relayout() {
    for (TubBarItemLink* link : links_)
        if (link->Links()->BarControl != nullptr) link->Links()->BarControl->Rebuild();
}

void TubBarItem::VisibleChanged() {
    if (IsDesigning()) return;
    {
        TubBarUpdateLock lock(barManager_);
        for (TubBarItemLink* link : std::vector<TubBarItemLink*>(links_.begin(), links_.end())) {
            link->Links()->RebuildLists();
            // The bar windows make and free the link's control as the item comes and goes.
            if (!IsShowable() && link->Control != nullptr) link->Control->Repaint();
        }
    }
    NotifyItemChanged();
}

// ------------------------------------------------------------------------------- TubBarItemActionLink

bool TubBarItemActionLink::IsCaptionLinked() {
    return TActionLink::IsCaptionLinked() && client_->GetCaption() == Custom()->GetCaption();
}

bool TubBarItemActionLink::IsCheckedLinked() {
    auto* button = dynamic_cast<TubBarButton*>(client_);
    return TActionLink::IsCheckedLinked() && button != nullptr && button->GetDown() == Custom()->GetChecked();
}

bool TubBarItemActionLink::IsEnabledLinked() {
    return TActionLink::IsEnabledLinked() && client_->GetEnabled() == Custom()->GetEnabled();
}

bool TubBarItemActionLink::IsHelpContextLinked() {
    return TActionLink::IsHelpContextLinked() && client_->HelpContext == Custom()->GetHelpContext();
}

bool TubBarItemActionLink::IsHintLinked() {
    return TActionLink::IsHintLinked() &&
           (client_->Hint == Custom()->GetHint() || ShortHintOf(client_->Hint) == AutoHintOf(client_->GetCaption()));
}

bool TubBarItemActionLink::IsImageIndexLinked() {
    return TActionLink::IsImageIndexLinked() && client_->GetImageIndex() == Custom()->GetImageIndex();
}

bool TubBarItemActionLink::IsShortCutLinked() {
    return TActionLink::IsShortCutLinked() && client_->GetShortCut() == Custom()->GetShortCut();
}

bool TubBarItemActionLink::IsVisibleLinked() {
    if (!TActionLink::IsVisibleLinked()) return false;
    const TubBarItemVisible v = client_->IsLoading() ? client_->LoadedVisible() : client_->GetVisible();
    return Custom()->GetVisible() ? v == ivAlways : v == ivNever;
}

bool TubBarItemActionLink::IsOnExecuteLinked() {
    return TActionLink::IsOnExecuteLinked() && GetAction() != nullptr &&
           SameEvent(client_->OnClick, GetAction()->OnExecute);
}

void TubBarItemActionLink::SetCaption(const std::string& Value) {
    if (!IsCaptionLinked()) return;
    client_->changingFromAction_ = true;
    client_->SetCaption(Value);
    client_->changingFromAction_ = false;
}

void TubBarItemActionLink::SetChecked(bool Value) {
    if (auto* button = dynamic_cast<TubBarButton*>(client_); button != nullptr && IsCheckedLinked())
        button->SetDown(Value);
}

void TubBarItemActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) client_->SetEnabled(Value);
}

void TubBarItemActionLink::SetHelpContext(int Value) {
    if (IsHelpContextLinked()) client_->HelpContext = Value;
}

void TubBarItemActionLink::SetHint(const std::string& Value) {
    if (IsHintLinked()) client_->Hint = Value;
}

void TubBarItemActionLink::SetImageIndex(int Value) {
    if (IsImageIndexLinked()) client_->SetImageIndex(Value);
}

void TubBarItemActionLink::SetShortCut(TShortCut Value) {
    if (IsShortCutLinked()) client_->SetShortCut(Value);
}

void TubBarItemActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) client_->SetVisible(Value ? ivAlways : ivNever);
}

void TubBarItemActionLink::SetOnExecute(const TNotifyEvent& Value) {
    if (IsOnExecuteLinked()) client_->OnClick = Value;
}

// ----------------------------------------------------------------------------------- TubBarWindowItem

void TubBarWindowItem::SetText(const std::string& Value) {
    if (Value == text_) return;
    text_ = Value;
    Refresh();
    Change();
    Refresh();
}

void TubBarWindowItem::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}

void TubBarWindowItem::CurChange() {
    if (OnCurChange) OnCurChange(this);
}

TClass TubBarWindowItem::StaticClass() {
    static const TClassInfo info{"TubBarWindowItem", TubBarItem::StaticClass()};
    return &info;
}

}  // namespace zel
