#include "uilib/bars/ubBarItemLinks.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "platform/rtl/ScopeExit.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarControlBase.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiClasses.h"

namespace zel {

namespace {

void MoveInList(TListOf<TubBarItemLink>& list, TubBarItemLink* link, int to) {
    const int from = list.IndexOf(link);
    if (from < 0) return;
    to = std::clamp(to, 0, list.Count() - 1);
    if (from != to) list.Move(from, to);
}

bool IsManagerLoading(const TubBarManager* m) { return m != nullptr && m->ComponentState().Contains(csLoading); }

// Whether the links, or the links of any sub-item or drop-down menu below them, hold the item.
bool LinksContain(const TubBarItemLinks* links, const TubBarItem* target, std::set<const TubBarItemLinks*>& seen) {
    if (links == nullptr || !seen.insert(links).second) return false;
    for (int i = 0; i < links->Count(); ++i) {
        const TubBarItem* item = links->Items(i)->GetItem();
        if (item == nullptr) continue;
        if (item == target) return true;
        if (auto* sub = dynamic_cast<const TCustomubBarSubItem*>(item); sub != nullptr)
            if (LinksContain(sub->GetItemLinks(), target, seen)) return true;
        if (auto* button = dynamic_cast<const TubBarButton*>(item); button != nullptr)
            if (LinksContain(button->DropDownLinks(), target, seen)) return true;
    }
    return false;
}

}  // namespace

bool TCustomubBarSubItem::MayContain(const TubBarItem* AItem, const TubBarItem* AContainer) {
    if (AItem == nullptr || AContainer == nullptr) return true;
    std::set<const TubBarItemLinks*> seen;
    if (auto* sub = dynamic_cast<const TCustomubBarSubItem*>(AItem))
        return sub != AContainer && !LinksContain(sub->GetItemLinks(), AContainer, seen);
    if (auto* button = dynamic_cast<const TubBarButton*>(AItem))
        return !LinksContain(button->DropDownLinks(), AContainer, seen);
    return true;
}

char AccelCharOf(const std::string& ACaption) {
    char accel = 0;
    for (std::size_t i = 0; i < ACaption.size(); ++i) {
        if (ACaption[i] != '&') continue;
        if (i + 1 == ACaption.size()) return 0;  // a single "&" at the end: no accelerator at all
        if (ACaption[i + 1] != '&') accel = ACaption[i + 1];
        ++i;  // "&&" is a literal ampersand; the character after a single "&" is not a marker itself
    }
    return accel;
}

// -------------------------------------------------------------------------------------- TubBarItemLink

TubBarItemLink::TubBarItemLink(TCollection* Collection) : TCollectionItem(Collection) {
    userGlyph_ = new TBitmap();
    if (TubBarItemLinks* links = Links()) {
        if (links->BarManager() != nullptr) UseCount = links->BarManager()->RecentUseStep();
        links->recent_.Add(this);
        TubBarManager* m = links->BarManager();
        if (m != nullptr && !IsManagerLoading(m) && m->OnItemLinkAdd) m->OnItemLinkAdd(m, this);
    }
}

TubBarItemLink::~TubBarItemLink() {
    // The links filled in for this one go with it.
    FreeBoundLinks();
    Unbind();
    TubBarItemLinks* links = Links();
    TubBarManager* m = BarManager();
    // A link dragged away leaves the separator where the user sees it: the next visible link takes the
    // group start that would otherwise move or vanish.
    if (m != nullptr && m->DraggedLink == this && links != nullptr) {
        const auto& visible = links->VisibleItems();
        const int at = visible.IndexOf(this);
        if (at >= 0 && at + 1 < visible.Count()) {
            TubBarItemLink* next = visible[at + 1];
            if ((at == 0 && next->BeginGroup) || (BeginGroup && !next->BeginGroup))
                next->BeginGroup = !next->BeginGroup;
        }
    }
    if (m != nullptr && !m->ComponentState().Contains(csDestroying) && m->OnItemLinkDelete)
        m->OnItemLinkDelete(m, this);
    FreeControl();
    if (parkedIn_ != nullptr) std::erase(parkedIn_->parked_, this);
    if (item_ != nullptr) {
        if (item_->ClickItemLink == this) item_->ClickItemLink = nullptr;
        item_->RemoveLink(this);
    }
    if (links != nullptr) {
        links->recent_.Remove(this);
        links->available_.Remove(this);
        links->visible_.Remove(this);
        links->shown_.Remove(this);
        for (int i = 0; i < links->Count(); ++i)
            if (links->Items(i)->baseLink_ == this) links->Items(i)->baseLink_ = nullptr;
    }
    delete userGlyph_;
    ClearLinksToObject(this);
    // Leaving the collection (the base destructor) rebuilds the lists and fires the change callback.
}

TubBarItemLinks* TubBarItemLink::Links() const {
    return GetCollection() != nullptr ? static_cast<TubBarItemLinks*>(GetCollection()) : parkedIn_;
}

void TubBarItemLink::FreeControl() {
    if (Control == nullptr) return;
    TubBarManager* m = BarManager();
    if (m != nullptr && m->GetSelectedControl() == Control) m->SetSelectedControl(nullptr);
    FreeAndNil(Control);
}

TubBarManager* TubBarItemLink::BarManager() const { return Links() != nullptr ? Links()->BarManager() : nullptr; }

void TubBarItemLink::SetItem(TubBarItem* Value) {
    if (Value == item_) return;
    if (item_ != nullptr) item_->RemoveLink(this);
    item_ = nullptr;
    if (Value == nullptr) {
        delete this;
        return;
    }
    auto* owner = Links() != nullptr ? dynamic_cast<TCustomubBarSubItem*>(Links()->Owner()) : nullptr;
    if (owner != nullptr && !TCustomubBarSubItem::MayContain(Value, owner)) {
        Links()->RebuildLists();
        Changed();
        throw Exception(LoadLibraryString(&ubSubRecursiveSubItems));
    }
    item_ = Value;
    item_->AddLink(this);
    Links()->RebuildLists();
    const bool ownerLoading = owner != nullptr ? owner->IsLoading() : IsManagerLoading(BarManager());
    if (!ownerLoading) ApplyMostRecentlyUsed();
    Changed();
}

void TubBarItemLink::ApplyMostRecentlyUsed() {
    TubBarItemLinks* links = Links();
    if (links == nullptr) return;
    if (mostRecentlyUsed_) {
        UseCount = BarManager() != nullptr ? BarManager()->RecentUseStep() : 0;
        MoveInList(links->recent_, this, 0);
    } else {
        UseCount = 0;
        MoveInList(links->recent_, this, links->recent_.Count() - 1);
    }
}

void TubBarItemLink::SetMostRecentlyUsed(bool Value) {
    if (Value == mostRecentlyUsed_) return;
    mostRecentlyUsed_ = Value;
    ApplyMostRecentlyUsed();
    Links()->RebuildLists();
    Changed();
}

void TubBarItemLink::SetUserCaption(const std::string& Value) {
    userCaption_ = Value;
    userDefine_.Include(udCaption);
    if (Control != nullptr) Control->CaptionChanged();
    Changed();
}

void TubBarItemLink::SetUserGlyph(TBitmap* Value) {
    userGlyph_->Assign(Value);
    userDefine_.Include(udGlyph);
    if (Control != nullptr) Control->Repaint();
    Changed();
}

void TubBarItemLink::SetUserPaintStyle(TubBarPaintStyle Value) {
    if (Value == PaintStyle()) return;
    userPaintStyle_ = Value;
    userDefine_.Include(udPaintStyle);
    if (Control != nullptr) Control->Repaint();
    Changed();
}

void TubBarItemLink::SetUserWidth(int Value) {
    Value = std::max(Value, 20);
    if (Value == Width()) return;
    userWidth_ = Value;
    userDefine_.Include(udWidth);
    if (Control != nullptr) Control->Repaint();
    Changed();
}

void TubBarItemLink::SetUserDefine(TubBarUserDefines Value) {
    userDefine_ = Value;
    if (!Value.Contains(udCaption)) userCaption_.clear();
    if (!Value.Contains(udGlyph)) {
        TBitmap empty;
        userGlyph_->Assign(&empty);
    }
    if (!Value.Contains(udPaintStyle)) userPaintStyle_ = psStandard;
    if (!Value.Contains(udWidth)) userWidth_ = 0;
    if (Control != nullptr) Control->Repaint();
    Changed();
}

void TubBarItemLink::SetVisible(bool Value) {
    TubBarItemLinks* links = Links();
    if (IsManagerLoading(BarManager()) || (links != nullptr && links->assigning_)) {
        PendingVisible = Value ? 1 : 0;
        return;
    }
    if (Value == visible_) return;
    visible_ = Value;
    if (links != nullptr && !links->IsDesigning()) {
        links->RebuildLists();
        if (Value) MarkUsed(false);
        else MoveInList(links->recent_, this, links->recent_.Count() - 1);
        // The window shows the change: a hidden link's control goes, a shown one gets its own, and the
        // others take their new places.
        if (links->BarControl != nullptr && links->BarControl->HandleAllocated()) {
            if (!Value) FreeControl();
            links->BarControl->Rebuild();
        }
    }
    Changed();
}

std::string TubBarItemLink::Caption() const {
    if (userDefine_.Contains(udCaption) || item_ == nullptr) return userCaption_;
    return item_->GetCaption();
}

TBitmap* TubBarItemLink::Glyph() const {
    if (userDefine_.Contains(udGlyph) || item_ == nullptr) return userGlyph_;
    return item_->GetGlyph();
}

TubBarPaintStyle TubBarItemLink::PaintStyle() const {
    if (userDefine_.Contains(udPaintStyle) || item_ == nullptr) return userPaintStyle_;
    auto* button = dynamic_cast<const TubBarButton*>(item_);
    return button != nullptr ? button->GetPaintStyle() : psStandard;
}

int TubBarItemLink::Width() const {
    if (userDefine_.Contains(udWidth)) return userWidth_;
    auto* edit = dynamic_cast<const TubBarEdit*>(item_);
    return edit != nullptr ? edit->GetWidth() : 0;
}

bool TubBarItemLink::GetBeginGroup() const {
    const TubBarItemLinks* links = Links();
    if (links == nullptr) return BeginGroup;
    const int pos = links->shown_.IndexOf(const_cast<TubBarItemLink*>(this));
    if (BeginGroup) return pos != 0;
    if (pos <= 0) return false;
    // A separator of a link that is not shown between the previous shown link and this one passes here.
    const int from = links->shown_.Get(pos - 1)->GetIndex();
    for (int i = from + 1; i < GetIndex(); ++i)
        if (links->Items(i)->BeginGroup) return true;
    return false;
}

bool TubBarItemLink::IsShown() const {
    return Links() != nullptr && Links()->shown_.IndexOf(const_cast<TubBarItemLink*>(this)) >= 0;
}

bool TubBarItemLink::AccelAvailable() const { return item_ != nullptr && item_->IsAccelAvailable(this); }

void TubBarItemLink::BindToOwnerLink(TubBarItemLink* Value) {
    Unbind();
    ownerLink_ = Value;
    baseLink_ = Value;
    if (Value != nullptr) Value->boundLinks_.push_back(this);
}

void TubBarItemLink::FreeBoundLinks() {
    // Each one leaves the list as it goes.
    while (!boundLinks_.empty()) delete boundLinks_.back();
}

void TubBarItemLink::Unbind() {
    if (ownerLink_ == nullptr) return;
    std::erase(ownerLink_->boundLinks_, this);
    if (baseLink_ == ownerLink_) baseLink_ = nullptr;
    ownerLink_ = nullptr;
}

// Posts the rebuild message to the list's window when it is a docked toolbar window of a look with recent
// items.
static void PostRebuildToDockedToolbar(const TubBarItemLinks* links) {
    auto* bar = dynamic_cast<TubBar*>(links->Owner());
    TubBarManager* m = links->BarManager();
    if (bar == nullptr || links->BarControl == nullptr || m == nullptr || m->EffectiveStyle() == bmsStandard) return;
    if (bar->GetDockingStyle() != dsNone && links->BarControl->HandleAllocated())
        PostMessage(links->BarControl->GetHandle(), WM_UBBAR_REBUILD, 0, 0);
}

void TubBarItemLink::MarkUsed(bool Count) {
    if (baseLink_ != nullptr && baseLink_ != this) {
        baseLink_->MarkUsed(Count);
        return;
    }
    TubBarItemLinks* links = Links();
    if (links == nullptr || item_ == nullptr || !visible_) return;
    // A parked placeholder still counts the uses of the content shown in its place.
    if (parkedIn_ != nullptr ? !item_->IsShowable() : links->available_.IndexOf(this) < 0) return;
    const bool wasShown = IsShown();
    if (links->RecentItemsInEffect()) {
        MoveInList(links->recent_, this, 0);
        if (Count) ++UseCount;
    }
    if (!wasShown) PostRebuildToDockedToolbar(links);
    if (links->OpeningLink != nullptr) links->OpeningLink->BaseLink()->MarkUsed(Count);
}

void TubBarItemLink::HideFromRecent() {
    TubBarItemLinks* links = Links();
    if (links == nullptr) return;
    const bool wasShown = IsShown();
    MoveInList(links->recent_, this, links->recent_.Count() - 1);
    if (wasShown) PostRebuildToDockedToolbar(links);
}

TubBarItemLink* TubBarItemLink::SourceLink() const {
    return sourceLink_ != nullptr ? dynamic_cast<TubBarItemLink*>(sourceLink_->Ref) : nullptr;
}

void TubBarItemLink::SetSourceLink(TubBarItemLink* Value) {
    sourceLink_ = Value != nullptr ? CreateSharedObjectLink(Value) : nullptr;
}

void TubBarItemLink::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TubBarItemLink*>(Source);
    if (src == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    userCaption_ = src->userCaption_;
    userGlyph_->Assign(src->userGlyph_);
    userPaintStyle_ = src->userPaintStyle_;
    userWidth_ = src->userWidth_;
    TubBarItem* item = src->item_;
    TubBarManager* m = BarManager();
    auto* owner = Links() != nullptr ? Links()->Owner() : nullptr;
    const bool byName = m != nullptr && (m->ComponentState().Contains(csUpdating) || BarResetting() ||
                                         dynamic_cast<TubBarPopupMenu*>(owner) != nullptr ||
                                         dynamic_cast<TCustomubBarSubItem*>(owner) != nullptr);
    // An unnamed item (one made at run time) cannot be found by name: the link keeps the source's item.
    if (byName && item != nullptr && !item->GetName().empty()) item = m->FindItemByName(item->GetName());
    if (item != nullptr) SetItem(item);
    SetUserDefine(src->userDefine_);
    BeginGroup = src->GetBeginGroup();
    SetVisible(src->visible_);
}

void TubBarItemLink::Changed() {
    TubBarItemLinks* links = Links();
    TubBarManager* m = BarManager();
    if (links == nullptr || m == nullptr) return;
    if (links->BarControl != nullptr) m->NotifyDesigner();
    if (!IsManagerLoading(m) && m->OnItemLinkChange) m->OnItemLinkChange(m, this);
}

// ------------------------------------------------------------------------------------- TubBarItemLinks

TubBarItemLinks::TubBarItemLinks(TubBarManager* ABarManager, TPersistent* AOwner)
    : TCollection(CollectionItemClassOf<TubBarItemLink>()), barManager_(ABarManager), owner_(AOwner) {}

TubBarItemLinks::~TubBarItemLinks() {
    // A window still showing the list (a menu kept open by its own holder) lets go of it first, so that it
    // never reaches the freed list.
    if (BarControl != nullptr && IsLiveBarControl(BarControl)) BarControl->SetItemLinks(nullptr);
    destroying_ = true;
    while (!parked_.empty()) delete parked_.back();
    Clear();
}

void TubBarItemLinks::Park(TubBarItemLink* ALink) {
    if (ALink == nullptr || ALink->GetCollection() != this) return;
    ALink->FreeControl();
    // It keeps its place in the recent list: the uses of the content go there.
    ALink->SetCollection(nullptr);
    ALink->parkedIn_ = this;
    parked_.push_back(ALink);
}

void TubBarItemLinks::Unpark(TubBarItemLink* ALink, int Index) {
    if (!HoldsParked(ALink)) return;
    std::erase(parked_, ALink);
    ALink->parkedIn_ = nullptr;
    ALink->SetCollection(this);
    ALink->SetIndex(Index);
}

bool TubBarItemLinks::HoldsParked(const TubBarItemLink* ALink) const {
    return std::find(parked_.begin(), parked_.end(), ALink) != parked_.end();
}

TPersistent* TubBarItemLinks::GetOwner() const {
    return owner_ != nullptr ? owner_ : static_cast<TPersistent*>(barManager_);
}

int TubBarItemLinks::IndexOfItem(const TubBarItem* AItem) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->GetItem() == AItem) return i;
    return -1;
}

bool TubBarItemLinks::IsDesigning() const { return barManager_ != nullptr && barManager_->Designing(); }

bool TubBarItemLinks::IsManagerLoading() const { return zel::IsManagerLoading(barManager_); }

void TubBarItemLinks::RebuildLists() {
    available_.Clear();
    visible_.Clear();
    shown_.Clear();
    const bool design = IsDesigning();
    for (int i = 0; i < Count(); ++i) {
        // A link joins the recent list once it is whole: the collection reports it while it is being made,
        // when it is no link yet.
        TCollectionItem* raw = GetItem(i);
        if (static_cast<const TList&>(recent_).IndexOf(raw) < 0) continue;
        auto* link = static_cast<TubBarItemLink*>(raw);
        if (link->item_ == nullptr || !(design || link->item_->IsShowable())) continue;
        available_.Add(link);
        if (!(design || link->visible_)) continue;
        visible_.Add(link);
        if (design || recentItemCount_ == -1) shown_.Add(link);
    }
    if (design || recentItemCount_ < 1) return;
    for (TubBarItemLink* link : recent_) {
        if (shown_.Count() >= recentItemCount_) break;
        if (visible_.IndexOf(link) >= 0) shown_.Add(link);
    }
    std::vector<TubBarItemLink*> sorted(shown_.begin(), shown_.end());
    std::stable_sort(sorted.begin(), sorted.end(), [this](TubBarItemLink* a, TubBarItemLink* b) {
        return visible_.IndexOf(a) < visible_.IndexOf(b);
    });
    shown_.Clear();
    for (TubBarItemLink* link : sorted) shown_.Add(link);
}

bool TubBarItemLinks::RecentItemsInEffect() const {
    if (barManager_ == nullptr || barManager_->EffectiveStyle() == bmsStandard) return false;
    const TubBarItemLinks* links = this;
    std::set<const TubBarItemLinks*> seen;
    while (links->OpeningLink != nullptr && links->OpeningLink->Links() != nullptr && seen.insert(links).second)
        links = links->OpeningLink->Links();
    return links->UseRecentItems;
}

int TubBarItemLinks::CalcRecentItemCount() const {
    if (!RecentItemsInEffect()) return -1;
    const int n = visible_.Count();
    if (n == 0) return -1;
    // Use counts from a stored layout may be large: the threshold is computed in 64 bits.
    std::int64_t m = visible_.Get(0)->UseCount, M = m;
    for (TubBarItemLink* link : visible_) {
        m = std::min<std::int64_t>(m, link->UseCount);
        M = std::max<std::int64_t>(M, link->UseCount);
    }
    const std::int64_t percents = barManager_->GetMostRecentItemsPercents();
    const std::int64_t threshold = m + (M - m) * (100 - percents) / 100;
    int count = 0;
    for (int pos = std::min(n, recent_.Count()) - 1; pos >= 0; --pos) {
        TubBarItemLink* link = recent_.Get(pos);
        if (visible_.IndexOf(link) >= 0 && link->UseCount >= threshold) {
            count = pos + 1;
            break;
        }
    }
    return count == n ? -1 : count;
}

void TubBarItemLinks::SetRecentItemCount(int Value) {
    prevRecentItemCount_ = recentItemCount_;
    recentItemCount_ = RecentItemsInEffect() ? Value : -1;
    RebuildLists();
}

void TubBarItemLinks::RestoreRecentItemCount() {
    recentItemCount_ = prevRecentItemCount_;
    RebuildLists();
}

void TubBarItemLinks::CompactRecentList() {
    std::vector<TubBarItemLink*> order(recent_.begin(), recent_.end());
    std::stable_partition(order.begin(), order.end(), [this](TubBarItemLink* l) { return visible_.IndexOf(l) >= 0; });
    recent_.Clear();
    for (TubBarItemLink* l : order) recent_.Add(l);
}

void TubBarItemLinks::CopyUsageFrom(TubBarItemLinks* ASource) {
    const int n = std::min(Count(), ASource->Count());
    for (int i = 0; i < n; ++i) Items(i)->mostRecentlyUsed_ = ASource->Items(i)->mostRecentlyUsed_;
    for (int i = n - 1; i >= 0; --i) Items(i)->ApplyMostRecentlyUsed();
    RebuildLists();
    CompactRecentList();
}

void TubBarItemLinks::ApplyAfterLoading(bool RestoreVisibility) {
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->item_ != nullptr) Items(i)->ApplyMostRecentlyUsed();
    if (RestoreVisibility)
        for (int i = 0; i < Count(); ++i)
            if (TubBarItemLink* link = Items(i); link->PendingVisible != -1) {
                const bool v = link->PendingVisible == 1;
                link->PendingVisible = -1;
                link->SetVisible(v);
            }
    for (int pos = 0; pos < Count(); ++pos)
        for (int i = 0; i < Count(); ++i)
            if (TubBarItemLink* link = Items(i); link->LoadedRecentIndex == pos) {
                link->UseCount = link->LoadedUseCount;
                MoveInList(recent_, link, pos);
                link->LoadedRecentIndex = -1;
            }
    RebuildLists();
}

void TubBarItemLinks::Assign(TPersistent* Source) {
    {
        assigning_ = true;
        TScopeExit done([this] { assigning_ = false; });
        TCollection::Assign(Source);
    }
    if (!IsManagerLoading()) ApplyAfterLoading(true);
}

void TubBarItemLinks::ClearItemRects() {
    for (int i = 0; i < Count(); ++i) Items(i)->ItemRect = TRect{};
}

void TubBarItemLinks::Update(TCollectionItem* /*Item*/) {
    if (destroying_) return;
    if (auto* c = dynamic_cast<TComponent*>(owner_); c != nullptr && c->ComponentState().Contains(csDestroying)) return;
    if (barManager_ != nullptr) barManager_->NotifyDesigner();
    RebuildLists();
    if (auto* container = dynamic_cast<TCustomubBarContainerItem*>(owner_)) container->DataChanged();
    if (OnChange) OnChange();
}

bool TubBarItemLinks::IsShortCut(TShortCut AShortCut) {
    if (AShortCut == 0) return false;
    const std::vector<TubBarItemLink*> links(available_.begin(), available_.end());
    for (TubBarItemLink* link : links)
        if (TBasicAction* action = link->item_ != nullptr ? link->item_->GetAction() : nullptr) action->Update();
    for (TubBarItemLink* link : links) {
        TubBarItem* item = link->item_;
        if (item == nullptr || !item->GetEnabled()) continue;
        if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(item)) {
            if (sub->GetItemLinks()->IsShortCut(AShortCut)) return true;
            continue;
        }
        if (item->GetShortCut() == AShortCut) {
            item->Click();
            return true;
        }
        auto* button = dynamic_cast<TubBarButton*>(item);
        if (button != nullptr && button->GetButtonStyle() == bsDropDown && button->DropDownLinks() != nullptr &&
            button->DropDownLinks()->IsShortCut(AShortCut))
            return true;
    }
    return false;
}

TubBarItemLink* TubBarItemLinks::FindItemWithAccel(WORD Key, TShiftState Shift, TubBarItemLink* AStart) {
    auto matches = [&](const TubBarItemLink* link) {
        const char c = AccelCharOf(link->Caption());
        if (c == 0) return false;
        if (c >= '0' && c <= '9')
            return Key == static_cast<WORD>(c) && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) &&
                   !Shift.Contains(ssAlt);
        const SHORT scan = VkKeyScan(c);
        if (scan == -1 || Key != static_cast<WORD>(scan & 0xFF)) return false;
        const bool upper = c >= 'A' && c <= 'Z';
        if (!upper && Shift.Contains(ssShift) != ((scan & 0x100) != 0)) return false;
        return Shift.Contains(ssCtrl) == ((scan & 0x200) != 0);
    };
    if (BarControl != nullptr && BarControl->IsToolbar() && BarControl->HandleAllocated() &&
        IsWindowVisible(BarControl->GetHandle())) {
        TubBarItemLink* link = AStart;
        for (int k = FittingItemCount(); k > 0; --k) {
            link = Next(link);
            if (link == nullptr) return nullptr;
            if (matches(link) && link->AccelAvailable()) return link;
        }
        return nullptr;
    }
    const int n = visible_.Count();
    if (n == 0) return nullptr;
    const int start = AStart != nullptr ? visible_.IndexOf(AStart) + 1 : 0;
    for (int k = 0; k < n; ++k) {
        TubBarItemLink* link = visible_.Get((start + k) % n);
        if (matches(link) && link->AccelAvailable()) return link;
    }
    return nullptr;
}

int TubBarItemLinks::FittingItemCount() const {
    if (dynamic_cast<TubBar*>(owner_) == nullptr || BarControl == nullptr) return shown_.Count();
    const TRect client = BarControl->GetClientRect();
    int n = 0;
    for (const TubBarItemLink* link : shown_) {
        const TRect& r = link->ItemRect;
        if (IsRectEmpty(&r) || r.left < client.left || r.top < client.top || r.right > client.right ||
            r.bottom > client.bottom)
            break;
        ++n;
    }
    return n;
}

namespace {

bool Selectable(const TubBarItemLink* ALink) { return ALink->Control != nullptr && ALink->Control->CanSelect(); }

}  // namespace

TubBarItemLink* TubBarItemLinks::First() const {
    const int n = FittingItemCount();
    for (int i = 0; i < n; ++i)
        if (Selectable(shown_.Get(i))) return shown_.Get(i);
    return nullptr;
}

TubBarItemLink* TubBarItemLinks::Last() const {
    for (int i = FittingItemCount() - 1; i >= 0; --i)
        if (Selectable(shown_.Get(i))) return shown_.Get(i);
    return nullptr;
}

TubBarItemLink* TubBarItemLinks::Next(TubBarItemLink* AStart) const {
    const int n = FittingItemCount();
    const int start = AStart != nullptr ? shown_.IndexOf(AStart) : -1;
    if (start < 0 || start >= n) return First();
    for (int k = 1; k <= n; ++k) {
        TubBarItemLink* link = shown_.Get((start + k) % n);
        if (Selectable(link)) return link;
    }
    return nullptr;
}

TubBarItemLink* TubBarItemLinks::Prev(TubBarItemLink* AStart) const {
    const int n = FittingItemCount();
    const int start = AStart != nullptr ? shown_.IndexOf(AStart) : -1;
    if (start < 0 || start >= n) return Last();
    for (int k = 1; k <= n; ++k) {
        TubBarItemLink* link = shown_.Get((start - k + n) % n);
        if (Selectable(link)) return link;
    }
    return nullptr;
}

}  // namespace zel
