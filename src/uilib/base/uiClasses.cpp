#include "uilib/base/uiClasses.h"

#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Locale.h"

namespace zel {

// ------------------------------------------------------------------------------------- object list

TuiObjectList::~TuiObjectList() { TuiObjectList::Clear(); }

void TuiObjectList::Clear() {
    for (int i = 0; i < Count(); ++i) delete static_cast<TObject*>(Get(i));
    TList::Clear();
}

// --------------------------------------------------------------------------------------- component

TuiComponent::~TuiComponent() { ClearLinksToObject(this); }

void TuiComponent::Loaded() {
    TComponent::Loaded();
    UpdateFakeLinks();
}

void TuiComponent::BeforeDestruction() {
    if (!ComponentState().Contains(csDestroying)) TComponent::BeforeDestruction();
}

void TuiComponent::UpdateFakeLinks() {
    // Only the designer keeps these references; at run time they stay as they are.
    if (!ComponentState().Contains(csDesigning) || ComponentState().Contains(csDestroying) || GetOwner() == nullptr)
        return;
    TList list;
    CollectExtraComponentLinks(&list);
    auto at = [&list](int i) { return i < list.Count() ? static_cast<TComponent*>(list.Get(i)) : nullptr; };
    FakeComponentLink1 = at(0);
    FakeComponentLink2 = at(1);
    FakeComponentLink3 = at(2);
}

// ------------------------------------------------------------------------------- class list

TuiRegisteredClassList::TuiRegisteredClassList() : items_(new TList) {}

TuiRegisteredClassList::~TuiRegisteredClassList() {
    Clear();
    delete items_;
}

bool TuiRegisteredClassList::Find(TClass AItemClass, int& Index) const {
    for (int i = GetCount() - 1; i >= 0; --i) {
        TClass itemClass = Items(i)->ItemClass;
        if (AItemClass != nullptr && AItemClass->InheritsFrom(itemClass)) {
            Index = i;
            return true;
        }
        if (itemClass != nullptr && itemClass->InheritsFrom(AItemClass)) Index = i;
    }
    return false;
}

void TuiRegisteredClassList::Register(TClass AItemClass, TClass ARegisteredClass) {
    auto* item = new TuiRegisteredClassListItemData;
    item->ItemClass = AItemClass;
    item->RegisteredClass = ARegisteredClass;
    int index = -1;
    if (Find(AItemClass, index)) items_->Insert(index + 1, item);
    else if (index == -1) items_->Add(item);
    else items_->Insert(index, item);
}

void TuiRegisteredClassList::Unregister(TClass AItemClass, TClass ARegisteredClass) {
    for (int i = GetCount() - 1; i >= 0; --i) {
        TuiRegisteredClassListItemData* item = Items(i);
        if (item->ItemClass == AItemClass && item->RegisteredClass == ARegisteredClass) {
            items_->Delete(i);
            delete item;
        }
    }
}

TClass TuiRegisteredClassList::FindClass(TClass AItemClass) const {
    int index = -1;
    return Find(AItemClass, index) ? Items(index)->RegisteredClass : nullptr;
}

void TuiRegisteredClassList::Clear() {
    for (int i = 0; i < GetCount(); ++i) delete Items(i);
    items_->Clear();
}

// ---------------------------------------------------------------------------- registered classes

namespace {
TObject* ClassAsObject(TClass c) { return reinterpret_cast<TObject*>(const_cast<TClassInfo*>(c)); }
}  // namespace

TuiRegisteredClasses::TuiRegisteredClasses(bool ARegisterClasses)
    : registerClasses_(ARegisterClasses), items_(new TuiRegisteredClassesStringList(this)) {}

TuiRegisteredClasses::~TuiRegisteredClasses() {
    Clear();
    delete items_;
}

void TuiRegisteredClasses::Register(TClass AClass, const std::string& ADescription) {
    if (IndexOfClass(AClass) >= 0) return;
    items_->AddObject(ADescription, ClassAsObject(AClass));
    if (sorted_) Sort();
    // Forms name the class in their resources; the reader must know it (as a class it never makes itself).
    if (registerClasses_ && AClass != nullptr && FindComponentClass(AClass->Name) == nullptr)
        RegisterComponentClass(AClass->Name, AClass->Parent != nullptr ? AClass->Parent->Name : "", {});
}

void TuiRegisteredClasses::Unregister(TClass AClass) {
    int i = IndexOfClass(AClass);
    if (i >= 0) items_->Delete(i);
}

std::string TuiRegisteredClasses::GetDescription(int Index) const { return TextBeforeSeparator(items_->Get(Index)); }

TClass TuiRegisteredClasses::GetClass(int Index) const { return reinterpret_cast<TClass>(items_->GetObject(Index)); }

int TuiRegisteredClasses::IndexOfClass(TClass AClass) const { return items_->IndexOfObject(ClassAsObject(AClass)); }

void TuiRegisteredClasses::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    sorted_ = Value;
    if (sorted_) Sort();
}

int TuiRegisteredClasses::CompareItems(int Index1, int Index2) const {
    return AnsiCompareText(GetDescription(Index1), GetDescription(Index2));
}

void TuiRegisteredClasses::Sort() {
    items_->CustomSort([](TStringList* List, int Index1, int Index2) {
        return static_cast<TuiRegisteredClassesStringList*>(List)->Owner->CompareItems(Index1, Index2);
    });
}

// ------------------------------------------------------------------------------------ weak links

namespace {

// Every live link; it exists while at least one link does.
class TuiObjectLinkController : public TObject {
public:
    std::string ClassName() const override { return "TuiObjectLinkController"; }
    TList Links;
    int UserCount = 0;
};

TuiObjectLinkController* linkController = nullptr;

}  // namespace

TuiObjectLink* CreateObjectLink(TObject* AObject) {
    if (AObject == nullptr) return nullptr;
    if (linkController == nullptr) linkController = new TuiObjectLinkController;
    ++linkController->UserCount;
    auto* link = new TuiObjectLink;
    link->Ref = AObject;
    linkController->Links.Add(link);
    return link;
}

std::shared_ptr<TuiObjectLink> CreateSharedObjectLink(TObject* AObject) {
    return std::shared_ptr<TuiObjectLink>(CreateObjectLink(AObject), [](TuiObjectLink* l) { FreeObjectLink(l); });
}

void FreeObjectLink(TuiObjectLink*& ALink) {
    if (ALink == nullptr) return;
    // A link whose object died already left the list then.
    if (ALink->Ref != nullptr && linkController != nullptr) linkController->Links.Remove(ALink);
    delete ALink;
    ALink = nullptr;
    if (linkController != nullptr && --linkController->UserCount <= 0) {
        delete linkController;
        linkController = nullptr;
    }
}

void ClearLinksToObject(TObject* AObject) {
    if (linkController == nullptr || AObject == nullptr) return;
    TList& links = linkController->Links;
    for (int i = links.Count() - 1; i >= 0; --i) {
        auto* link = static_cast<TuiObjectLink*>(links.Get(i));
        if (link->Ref == AObject) {
            link->Ref = nullptr;
            links.Delete(i);
        }
    }
}

int ObjectLinkControllerLinkCount() { return linkController != nullptr ? linkController->Links.Count() : -1; }

// ----------------------------------------------------------------------------- free notificator

void TuiFreeNotificator::AddSender(TComponent* AComponent) {
    if (AComponent != nullptr) AComponent->FreeNotification(this);
}

void TuiFreeNotificator::RemoveSender(TComponent* AComponent) {
    if (AComponent != nullptr) AComponent->RemoveFreeNotification(this);
}

void TuiFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && OnFreeNotification) OnFreeNotification(AComponent);
}

// ---------------------------------------------------------------------------------- small helpers

std::string TextBeforeSeparator(std::string_view Text) {
    std::size_t p = Text.find('|');
    return std::string(p == std::string_view::npos ? Text : Text.substr(0, p));
}

void CallNotifyEvent(const TNotifyEvent& AEvent, TObject* ASender) {
    if (AEvent) AEvent(ASender);
}

TPersistent* GetPersistentOwner(TPersistent* APersistent) {
    return APersistent != nullptr ? APersistent->GetOwner() : nullptr;
}

TSize MakeSize(int ACX, int ACY) {
    TSize s;
    s.cx = ACX;
    s.cy = ACY;
    return s;
}

TPoint MakePoint(int AX, int AY) {
    TPoint p;
    p.x = AX;
    p.y = AY;
    return p;
}

int MidpointOf(int A, int B) {
    long long sum = static_cast<long long>(A) + B;
    long long half = sum / 2;
    if (sum < 0 && sum % 2 != 0) --half;
    return static_cast<int>(half);
}

void InstallWindowsHook(HHOOK& AHook, int AHookId, HOOKPROC AHookProc) {
    AHook = SetWindowsHookEx(AHookId, AHookProc, nullptr, GetCurrentThreadId());
}

void RemoveWindowsHook(HHOOK& AHook) {
    if (AHook == nullptr) return;
    UnhookWindowsHookEx(AHook);
    AHook = nullptr;
}

void RegisteruiClassesClasses() {
    auto table = RegisterComponent<TuiComponent>("TuiComponent", "TComponent");
    using TLink = TComponent* TuiComponent::*;
    static const std::pair<const char*, TLink> kLinks[] = {{"FakeComponentLink1", &TuiComponent::FakeComponentLink1},
                                                           {"FakeComponentLink2", &TuiComponent::FakeComponentLink2},
                                                           {"FakeComponentLink3", &TuiComponent::FakeComponentLink3}};
    for (const auto& entry : kLinks) {
        // Plain copies: clang 14 cannot capture a structured binding.
        const char* name = entry.first;
        const TLink link = entry.second;
        table
            .Custom(
                name,
                [link, property = std::string(name)](TuiComponent& c, const TFormValue& v, TReadContext& ctx) {
                    const std::string target = ctx.Ident(v);
                    TReadContext* context = &ctx;
                    const int line = ctx.Line;
                    ctx.Fixups.push_back([&c, link, target, context, line, property] {
                        TComponent* found = context->Root->FindComponent(target);
                        if (found == nullptr) {
                            context->Line = line;
                            context->Error("Invalid property value " + target + " for " + property);
                        }
                        c.*link = found;
                    });
                },
                [link](TuiComponent& c) { return IdentValue((c.*link)->GetName()); })
            .Stored([link](TuiComponent& c) { return c.*link != nullptr; });
    }
}

}  // namespace zel
