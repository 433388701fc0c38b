#include "uilib/bars/ubBarToolbarsPopup.h"

#include <memory>

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

// The quick popup open now, or closed last: it is kept until the next one opens (or its manager goes).
TubBarSubMenuControl* current = nullptr;

void FreeCurrent() {
    if (TubBarSubMenuControl* previous = current) {
        current = nullptr;
        previous->CloseUp();
        delete previous;
    }
}

// Shows a built popup at the point after closing the open menus; a popup without entries is freed.
void OpenQuickPopup(TubBarSubMenuControl* APopup, TPoint AScreenPoint) {
    if (APopup->GetItemLinks()->Count() == 0) {
        delete APopup;
        return;
    }
    CloseOpenMenus();
    current = APopup;
    APopup->Popup(AScreenPoint.x, AScreenPoint.y);
}

}  // namespace

TubBarSubMenuControl* QuickPopup() { return current; }

// ---- toolbars popup ---------------------------------------------------------------------------------------------

TubBarToolbarsPopup::TubBarToolbarsPopup(TubBarManager* AManager)
    : TubBarSubMenuControl(AManager), ownLinks_(new TubBarItemLinks(AManager, this)) {
    ownLinks_->UseRecentItems = false;
    SetItemLinks(ownLinks_);
}

TubBarToolbarsPopup::~TubBarToolbarsPopup() {
    if (current == this) current = nullptr;
    SetItemLinks(nullptr);
    delete ownLinks_;
}

void ShowToolbarsPopup(TWinControl* /*AControl*/, TubBarManager* AManager, TPoint AScreenPoint) {
    if (AManager == nullptr) return;
    // The popup closed last goes, and with it the entries no menu shows any more.
    FreeCurrent();
    FreeTemporaryItems();
    // The popup belongs to the manager's form, whatever was clicked.
    auto* popup = new TubBarToolbarsPopup(AManager);
    AManager->FillToolbarsPopup(popup->GetItemLinks());
    OpenQuickPopup(popup, AScreenPoint);
}

// ---- customizing popup ------------------------------------------------------------------------------------------

namespace {

enum : int { cpReset, cpDelete, cpName, cpDefaultStyle, cpTextOnly, cpTextInMenus, cpImageAndText, cpBeginGroup };
constexpr int kPaintStyleGroup = -1000;

// A button that can show an image: a button item (not an edit, combo or other window item).
bool CanShowImage(const TubBarItem* AItem) { return dynamic_cast<const TubBarButton*>(AItem) != nullptr; }

}  // namespace

TubBarCustomizingPopup::TubBarCustomizingPopup(TubBarManager* AManager, TubBarItemLink* ALink, TubBarItemLinks* ALinks)
    : TubBarSubMenuControl(AManager),
      ownLinks_(new TubBarItemLinks(AManager, this)),
      clickedLinks_(ALinks),
      clickedLink_(CreateObjectLink(ALink)) {
    ownLinks_->UseRecentItems = false;
    SetItemLinks(ownLinks_);
    if (ALink == nullptr) return;  // the design-time entries for a bar come with the designer
    AddEntry(cpReset, LoadLibraryString(&ubSubCustomizingPopupReset), true);
    AddEntry(cpDelete, LoadLibraryString(&ubSubCustomizingPopupDelete), false);
    auto* name = new TubBarEdit(AManager->Form());
    TemporaryItems().Add(name);
    name->SetCaption(LoadLibraryString(&ubSubCustomizingPopupName));
    name->SetShowCaption(true);
    name->SetText(ALink->Caption());
    name->OnChange = [this, name](TObject*) { Rename(name->GetText()); };
    TubBarItemLink* nameLink = ownLinks_->Add();
    nameLink->SetItem(name);
    nameLink->BeginGroup = true;
    const bool image = CanShowImage(ALink->GetItem());
    const int styleDown = image ? static_cast<int>(ALink->PaintStyle()) + cpDefaultStyle : cpDefaultStyle;
    const TResStringRec* const styles[] = {&ubSubCustomizingPopupDefaultStyle, &ubSubCustomizingPopupTextOnlyAlways,
                                           &ubSubCustomizingPopupTextOnlyInMenus, &ubSubCustomizingPopupImageAndText};
    for (int tag = cpDefaultStyle; tag <= cpImageAndText; ++tag) {
        AddEntry(tag, LoadLibraryString(styles[tag - cpDefaultStyle]), tag == cpDefaultStyle, tag == styleDown);
        auto* button = static_cast<TubBarButton*>(ownLinks_->Items(ownLinks_->Count() - 1)->GetItem());
        button->SetGroupIndex(kPaintStyleGroup);
        button->SetEnabled(image);
    }
    AddEntry(cpBeginGroup, LoadLibraryString(&ubSubCustomizingPopupBeginGroup), true, ALink->BeginGroup);
    auto* group = static_cast<TubBarButton*>(ownLinks_->Items(ownLinks_->Count() - 1)->GetItem());
    group->SetEnabled(ALink->GetIndex() > 0);
    if (AManager->OnShowCustomizingPopup) AManager->OnShowCustomizingPopup(AManager, ownLinks_);
}

TubBarCustomizingPopup::~TubBarCustomizingPopup() {
    if (current == this) current = nullptr;
    SetItemLinks(nullptr);
    delete ownLinks_;
    FreeObjectLink(clickedLink_);
}

TubBarItemLink* TubBarCustomizingPopup::ClickedLink() const {
    return clickedLink_ != nullptr ? dynamic_cast<TubBarItemLink*>(clickedLink_->Ref) : nullptr;
}

void TubBarCustomizingPopup::AddEntry(int Tag, const std::string& Caption, bool BeginGroup, bool Checked) {
    auto* button = new TubBarButton(BarManager()->Form());
    TemporaryItems().Add(button);
    button->SetCaption(Caption);
    button->Tag = Tag;
    if (Tag >= cpDefaultStyle) {
        button->SetButtonStyle(bsChecked);
        button->SetDown(Checked);
    }
    button->OnClick = [this, Tag](TObject*) {
        TubBarItemLink* link = ClickedLink();
        if (link == nullptr) return;
        switch (Tag) {
            case cpReset: link->SetUserDefine(TubBarUserDefines{}); break;
            case cpDelete: delete link; break;
            case cpBeginGroup:
                link->BeginGroup = !link->BeginGroup;
                if (TCustomubBarControl* bar = link->Links()->BarControl) bar->Rebuild();
                break;
            default: link->SetUserPaintStyle(static_cast<TubBarPaintStyle>(Tag - cpDefaultStyle)); break;
        }
    };
    TubBarItemLink* entry = ownLinks_->Add();
    entry->SetItem(button);
    entry->BeginGroup = BeginGroup;
}

void TubBarCustomizingPopup::Rename(const std::string& Text) {
    TubBarItemLink* link = ClickedLink();
    if (link == nullptr) return;
    if (Text.empty()) {
        CloseAll();
        Application->MessageBox(LoadLibraryString(&ubSubCustomizingPopupBlankName), Application->Title,
                                MB_OK | MB_ICONERROR);
        return;
    }
    link->SetUserCaption(Text);
}

void TubBarCustomizingPopup::Closed() {
    // Outside customizing, the right-clicked link's control gives up the selection it still holds.
    TubBarManager* m = BarManager();
    TubBarItemLink* link = ClickedLink();
    if (m == nullptr || m->GetCustomizing() || link == nullptr || link->Control == nullptr) return;
    TCustomubBarControl* bar = link->Control->Parent;
    if (bar != nullptr && bar->SelectedControl() == link->Control) bar->SetSelected(nullptr);
}

void ShowCustomizingPopup(TubBarManager* AManager, TubBarItemLink* ALink, TubBarItemLinks* ALinks,
                          TPoint AScreenPoint) {
    if (AManager == nullptr || ALinks == nullptr) return;
    FreeCurrent();
    FreeTemporaryItems();
    OpenQuickPopup(new TubBarCustomizingPopup(AManager, ALink, ALinks), AScreenPoint);
}

// ---- quick-customization window ------------------------------------------------------------------------------

TubBarQuickControl::TubBarQuickControl(TubBarManager* AManager, TubBarControl* AToolbar)
    : TubBarSubMenuControl(AManager),
      ownLinks_(new TubBarItemLinks(AManager, this)),
      toolbar_(CreateObjectLink(AToolbar)) {
    ownLinks_->UseRecentItems = false;
    SetItemLinks(ownLinks_);
    TubBar* bar = AToolbar->GetBar();
    if (bar->GetUseOwnFont()) OwnFont = bar->GetFont();
    // The links that did not fit on the toolbar.
    const TListOf<TubBarItemLink>& visible = bar->GetItemLinks()->VisibleItems();
    for (int i = 0; i < visible.Count(); ++i) {
        TubBarItemLink* source = visible.Get(i);
        if (source->Control != nullptr && !IsRectEmpty(&source->ItemRect)) continue;
        ownLinks_->Add()->Assign(source);
    }
    auto* addOrRemove = new TubBarSubItem(AManager->Form());
    addOrRemoveLink_ = CreateObjectLink(addOrRemove);
    addOrRemove->SetCaption(LoadLibraryString(&ubSubQuickCustomizeAddOrRemove));
    addOrRemove->SetEnabled(bar->GetAllowQuickCustomizing());
    addOrRemove->OnPopup = [this](TObject*) { BuildAddOrRemoveList(); };
    TubBarItemLink* link = ownLinks_->Add();
    link->SetItem(addOrRemove);
    link->BeginGroup = true;
    const TRect mark = MarkOnScreen();
    const bool vertical = AToolbar->DockingStyle() == dsLeft || AToolbar->DockingStyle() == dsRight;
    ExclusionWidth = vertical ? mark.right - mark.left : 0;
    ExclusionHeight = vertical ? 0 : mark.bottom - mark.top;
    ShadowExclusion = mark;
}

TubBarQuickControl::~TubBarQuickControl() {
    if (current == this) current = nullptr;
    SetItemLinks(nullptr);
    delete ownLinks_;
    // The entry belongs to the form, which may be freeing it already.
    delete dynamic_cast<TubBarSubItem*>(addOrRemoveLink_->Ref);
    FreeObjectLink(addOrRemoveLink_);
    FreeObjectLink(toolbar_);
}

namespace {
constexpr UINT_PTR kQuickCheckTimer = 0x7107;
constexpr UINT kQuickCheckPeriod = 200;
}  // namespace

void TubBarQuickControl::CreateWnd() {
    TubBarSubMenuControl::CreateWnd();
    // The window closes once the selection has moved to another bar (another menu took the menu mode).
    SetTimer(GetHandle(), kQuickCheckTimer, kQuickCheckPeriod, nullptr);
}

void TubBarQuickControl::Dispatch(TMessage& Message) {
    if (Message.Msg != WM_TIMER || Message.WParam != kQuickCheckTimer) {
        TubBarSubMenuControl::Dispatch(Message);
        return;
    }
    if (!IsWindowVisible(GetHandle())) {
        KillTimer(GetHandle(), kQuickCheckTimer);
        return;
    }
    for (TCustomubBarControl* bar = CurrentMenuControl; bar != nullptr; bar = bar->ParentBar)
        if (bar == this) return;
    KillTimer(GetHandle(), kQuickCheckTimer);
    CloseUp();
}

TubBarControl* TubBarQuickControl::OwnerToolbar() const {
    return toolbar_ != nullptr ? dynamic_cast<TubBarControl*>(toolbar_->Ref) : nullptr;
}

TRect TubBarQuickControl::MarkOnScreen() const {
    TubBarControl* toolbar = OwnerToolbar();
    if (toolbar == nullptr || !toolbar->HandleAllocated()) return TRect{};
    POINT origin{0, 0};
    ::zel::ClientToScreen(toolbar->GetHandle(), &origin);
    TRect mark = toolbar->MarkRect();
    OffsetRect(&mark, origin.x, origin.y);
    return mark;
}

TPoint TubBarQuickControl::PlacePoint(int Width, int /*Height*/) const {
    TubBarControl* toolbar = OwnerToolbar();
    const TRect mark = MarkOnScreen();
    if (toolbar == nullptr) return TPoint(mark.left, mark.bottom);
    if (toolbar->DockingStyle() == dsLeft || toolbar->DockingStyle() == dsRight) return TPoint(mark.right, mark.top);
    if (!toolbar->IsFloating()) return TPoint(mark.right - Width, mark.bottom);
    return TPoint(mark.left, mark.bottom);
}

TubBarSubItem* TubBarQuickControl::AddOrRemoveItem() const {
    return dynamic_cast<TubBarSubItem*>(addOrRemoveLink_->Ref);
}

void TubBarQuickControl::BuildAddOrRemoveList() {
    TubBarControl* toolbar = OwnerToolbar();
    TubBarManager* m = BarManager();
    TubBarSubItem* addOrRemove = AddOrRemoveItem();
    if (addOrRemove == nullptr) return;
    TubBarItemLinks* list = addOrRemove->GetItemLinks();
    list->Clear();
    FreeTemporaryItems();
    if (toolbar == nullptr || m == nullptr) return;
    TubBar* bar = toolbar->GetBar();
    TubBarItemLinks* links = bar->GetItemLinks();
    for (int i = 0; i < links->Count(); ++i) {
        TubBarItemLink* source = links->Items(i);
        if (source->GetItem() == nullptr) continue;
        auto* entry = new TubBarButton(m->Form());
        TemporaryItems().Add(entry);
        entry->SetCaption(source->Caption());
        entry->SetImageIndex(source->GetItem()->GetImageIndex());
        entry->Hint = source->GetItem()->Hint;
        entry->SetButtonStyle(bsChecked);
        entry->SetDown(source->GetVisible());
        // The entry shows or hides the link it was made for, found again by a weak link.
        const std::shared_ptr<TuiObjectLink> target = CreateSharedObjectLink(source);
        entry->OnClick = [target](TObject*) {
            if (auto* l = dynamic_cast<TubBarItemLink*>(target->Ref)) l->SetVisible(!l->GetVisible());
        };
        list->Add()->SetItem(entry);
    }
    const bool reset = m->ResetAllowed() && bar->AllowReset;
    if (reset) {
        auto* entry = new TubBarButton(m->Form());
        TemporaryItems().Add(entry);
        entry->SetCaption(LoadLibraryString(&ubSubQuickCustomizeResetToolbar));
        const std::shared_ptr<TuiObjectLink> target = CreateSharedObjectLink(bar);
        entry->OnClick = [target](TObject*) {
            if (auto* b = dynamic_cast<TubBar*>(target->Ref)) b->ResetWithConfirmation();
        };
        TubBarItemLink* link = list->Add();
        link->SetItem(entry);
        link->BeginGroup = true;
    }
    m->AddCustomizeItem(list, !reset);
}

void TubBarQuickControl::Closed() {
    TubBarControl* toolbar = OwnerToolbar();
    if (toolbar == nullptr || toolbar->MarkState() != msPressed) return;
    // A press on the mark itself closed the window: the toolbar's own handling of that press releases the
    // mark, so the same press does not open the window again.
    POINT cursor{};
    GetCursorPos(&cursor);
    const TRect mark = MarkOnScreen();
    if ((InBarMouseHook || GetKeyState(VK_LBUTTON) < 0) && PtInRect(&mark, cursor)) return;
    toolbar->SetMarkState(msNone);
}

void ShowQuickControl(TubBarControl* AToolbar) {
    TubBarManager* m = AToolbar != nullptr ? AToolbar->BarManager() : nullptr;
    if (m == nullptr || AToolbar->GetBar() == nullptr) return;
    FreeCurrent();
    FreeTemporaryItems();
    auto* window = new TubBarQuickControl(m, AToolbar);
    const TRect mark = window->ShadowExclusion;
    OpenQuickPopup(window, TPoint(mark.left, mark.bottom));
}

void CloseQuickControl(TubBarControl* AToolbar) {
    auto* window = dynamic_cast<TubBarQuickControl*>(current);
    if (window == nullptr || window->OwnerToolbar() != AToolbar) return;
    if (window->HandleAllocated() && IsWindowVisible(window->GetHandle())) window->CloseUp();
}

TubBarQuickControl* OpenQuickControl() {
    auto* window = dynamic_cast<TubBarQuickControl*>(current);
    return window != nullptr && window->HandleAllocated() && IsWindowVisible(window->GetHandle()) ? window : nullptr;
}

}  // namespace zel
