#include "uilib/bars/ubBarToolbarsPopup.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/FormReader.h"

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDesignConsts.h"
#include "uilib/bars/ubBarItemControlBase.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarQuickCust.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

// The quick popup open now, or closed last: it is kept until the next one opens (or its manager goes).
TCustomubBarControl* current = nullptr;

void FreeCurrent() {
    if (TCustomubBarControl* previous = current) {
        current = nullptr;
        if (auto* quick = dynamic_cast<TubBarQuickControl*>(previous)) quick->CloseQuick();
        else static_cast<TubBarSubMenuControl*>(previous)->CloseUp();
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

TubBarSubMenuControl* QuickPopup() { return dynamic_cast<TubBarSubMenuControl*>(current); }

void FreeQuickPopupOf(TubBarManager* AManager) {
    if (current != nullptr && current->BarManager() == AManager) FreeCurrent();
}

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

enum : int {
    cpReset,
    cpDelete,
    cpName,
    cpDefaultStyle,
    cpTextOnly,
    cpTextInMenus,
    cpImageAndText,
    cpBeginGroup,
    cpVisible,
    cpMostRecentlyUsed
};
// The design-time entries that add or delete: a sub-item, a button, the n-th offered class (-100 - n), the bar.
enum : int { cpAddSubItem = -4, cpAddButton = -3, cpAddItem = -2, cpDeleteBar = -1, cpAddOfferedClass = -100 };
constexpr int kPaintStyleGroup = -1000;

// Set while an entry of the customizing popup adds an item.
bool addingItem = false;

// The links of a bar, a sub-item or a popup menu; nullptr for anything else.
TubBarItemLinks* LinksOf(TObject* AOwner) {
    if (auto* bar = dynamic_cast<TubBar*>(AOwner)) return bar->GetItemLinks();
    if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(AOwner)) return sub->GetItemLinks();
    if (auto* menu = dynamic_cast<TubBarPopupMenu*>(AOwner)) return menu->GetItemLinks();
    return nullptr;
}

// A button that can show an image: a button item (not an edit, combo or other window item).
bool CanShowImage(const TubBarItem* AItem) { return dynamic_cast<const TubBarButton*>(AItem) != nullptr; }

}  // namespace

TubBarCustomizingPopup::TubBarCustomizingPopup(TubBarManager* AManager, TubBarItemLink* ALink, TubBarItemLinks* ALinks)
    : TubBarSubMenuControl(AManager),
      ownLinks_(new TubBarItemLinks(AManager, this)),
      clickedLinks_(ALinks),
      clickedLinksOwner_(CreateObjectLink(ALinks != nullptr ? dynamic_cast<TObject*>(ALinks->Owner()) : nullptr)),
      clickedLink_(CreateObjectLink(ALink)) {
    ownLinks_->UseRecentItems = false;
    SetItemLinks(ownLinks_);
    const bool design = AManager->Designing();
    if (design) AddDesignEntries(ALink == nullptr && ALinks != nullptr && dynamic_cast<TubBar*>(ALinks->Owner()));
    if (ALink != nullptr) AddLinkEntries(ALink, design);
    if (AManager->OnShowCustomizingPopup) AManager->OnShowCustomizingPopup(AManager, ownLinks_);
}

void TubBarCustomizingPopup::AddDesignEntries(bool ADeleteBar) {
    TubBarManager* m = BarManager();
    AddEntry(cpAddSubItem, LoadLibraryString(&ubSubCustomizingPopupAddSubItem), false);
    AddEntry(cpAddButton, LoadLibraryString(&ubSubCustomizingPopupAddButton), false);
    // "Add &Item" opens one entry per offered class; marked internal, its menu works as a menu while customizing.
    auto* add = new TubBarSubItem(m->Form());
    TemporaryItems().Add(add);
    add->SetCaption(LoadLibraryString(&ubSubCustomizingPopupAddItem));
    add->Internal = true;
    add->Tag = cpAddItem;
    for (int n = 0; n < OfferedItemClassCount(); ++n) {
        TubBarButton* entry = MakeEntry(cpAddOfferedClass - n, OfferedItemClass(n)->Name);
        add->GetItemLinks()->Add()->SetItem(entry);
    }
    ownLinks_->Add()->SetItem(add);
    if (ADeleteBar) AddEntry(cpDeleteBar, LoadLibraryString(&ubSubCustomizingPopupDeleteBar), true);
}

void TubBarCustomizingPopup::AddLinkEntries(TubBarItemLink* ALink, bool ADesign) {
    TubBarManager* m = BarManager();
    AddEntry(cpReset, LoadLibraryString(&ubSubCustomizingPopupReset), true);
    AddEntry(cpDelete, LoadLibraryString(&ubSubCustomizingPopupDelete), false);
    auto* name = new TubBarEdit(m->Form());
    TemporaryItems().Add(name);
    name->SetCaption(LoadLibraryString(ADesign ? &ubSubCustomizingPopupCaption : &ubSubCustomizingPopupName));
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
    if (!ADesign) return;
    AddEntry(cpVisible, LoadLibraryString(&ubSubCustomizingPopupVisible), false, ALink->GetVisible());
    if (m->SupportsRecentItems())
        AddEntry(cpMostRecentlyUsed, LoadLibraryString(&ubSubCustomizingPopupMostRecentlyUsed), false,
                 ALink->GetMostRecentlyUsed());
}

TubBarCustomizingPopup::~TubBarCustomizingPopup() {
    if (current == this) current = nullptr;
    SetItemLinks(nullptr);
    delete ownLinks_;
    FreeObjectLink(clickedLink_);
    FreeObjectLink(clickedLinksOwner_);
}

TubBarItemLinks* TubBarCustomizingPopup::ClickedLinks() const {
    // Links that belong to a bar, sub-item or popup menu go with it: they are reached through their owner.
    if (clickedLinksOwner_ != nullptr && clickedLinksOwner_->Ref == nullptr) return nullptr;
    if (clickedLinksOwner_ != nullptr && LinksOf(clickedLinksOwner_->Ref) != nullptr)
        return LinksOf(clickedLinksOwner_->Ref);
    return clickedLinks_;
}

TubBarItemLink* TubBarCustomizingPopup::ClickedLink() const {
    return clickedLink_ != nullptr ? dynamic_cast<TubBarItemLink*>(clickedLink_->Ref) : nullptr;
}

TubBarButton* TubBarCustomizingPopup::MakeEntry(int Tag, const std::string& Caption) {
    auto* button = new TubBarButton(BarManager()->Form());
    TemporaryItems().Add(button);
    button->SetCaption(Caption);
    button->Tag = Tag;
    button->OnClick = [this, Tag](TObject*) { EntryClick(Tag); };
    return button;
}

void TubBarCustomizingPopup::AddEntry(int Tag, const std::string& Caption, bool BeginGroup, bool Checked) {
    TubBarButton* button = MakeEntry(Tag, Caption);
    if (Tag >= cpDefaultStyle) {
        button->SetButtonStyle(bsChecked);
        button->SetDown(Checked);
    }
    TubBarItemLink* entry = ownLinks_->Add();
    entry->SetItem(button);
    entry->BeginGroup = BeginGroup;
}

void TubBarCustomizingPopup::EntryClick(int Tag) {
    if (Tag < 0) {
        DesignClick(Tag);
        return;
    }
    TubBarItemLink* link = ClickedLink();
    if (link == nullptr) return;
    switch (Tag) {
        case cpReset: link->SetUserDefine(TubBarUserDefines{}); break;
        case cpDelete: delete link; break;
        case cpBeginGroup:
            link->BeginGroup = !link->BeginGroup;
            if (TCustomubBarControl* bar = link->Links()->BarControl) bar->Rebuild();
            break;
        case cpVisible: link->SetVisible(!link->GetVisible()); break;
        case cpMostRecentlyUsed: link->SetMostRecentlyUsed(!link->GetMostRecentlyUsed()); break;
        default: link->SetUserPaintStyle(static_cast<TubBarPaintStyle>(Tag - cpDefaultStyle)); break;
    }
}

void TubBarCustomizingPopup::DesignClick(int Tag) {
    TubBarManager* m = BarManager();
    TubBarItemLinks* links = ClickedLinks();
    if (m == nullptr || links == nullptr) return;
    const bool was = addingItem;
    addingItem = true;
    const TScopeExit restore([was] { addingItem = was; });
    if (Tag == cpDeleteBar) {
        auto* bar = dynamic_cast<TubBar*>(links->Owner());
        if (bar == nullptr) return;
        FreeObjectLink(clickedLink_);
        FreeObjectLink(clickedLinksOwner_);
        clickedLinks_ = nullptr;
        CustomizingFormBarDeleted(bar);
        delete bar;
        return;
    }
    TClass itemClass = Tag == cpAddSubItem  ? TubBarSubItem::StaticClass()
                       : Tag == cpAddButton ? TubBarButton::StaticClass()
                                            : OfferedItemClass(cpAddOfferedClass - Tag);
    AddItemOfClass(m, links, itemClass);
}

void TubBarCustomizingPopup::AddItemOfClass(TubBarManager* AManager, TubBarItemLinks* ALinks, TClass AItemClass) {
    const TComponentClassInfo* info = AItemClass != nullptr ? FindComponentClass(AItemClass->Name) : nullptr;
    if (info == nullptr || !info->Create) return;
    // The item belongs to the form once it stands whole with its link; a failing step frees it again.
    std::unique_ptr<TComponent> made(info->Create(AManager->Form()));
    auto* item = dynamic_cast<TubBarItem*>(made.get());
    if (item == nullptr) return;
    const int category = AManager->GetCategories()->IndexOf(LoadLibraryString(&ubSubDefaultCategoryName));
    item->SetCategory(category < 0 ? 0 : category);
    item->SetName(UniqueItemName(AManager, AItemClass));
    item->SetCaption(LoadLibraryString(&ubSubNewItemCaption));
    TubBarItemLink* link = nullptr;
    {
        const TubBarUpdateLock lock(AManager);
        TubBarItemLink* clicked = ClickedLink();
        link =
            clicked != nullptr && clicked->Links() == ALinks ? ALinks->Insert(clicked->GetIndex() + 1) : ALinks->Add();
        link->SetItem(item);
    }
    made.release();
    CustomizingFormItemsChanged();
    TCustomubBarControl* bar = ALinks->BarControl;
    if (bar != nullptr && bar->HandleAllocated() && IsWindowVisible(bar->GetHandle())) {
        bar->Rebuild();
        if (link->Control != nullptr) bar->SetSelected(link->Control);
    }
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
    // At design time the item's own caption changes; at run time the link's.
    TubBarManager* m = BarManager();
    if (m != nullptr && m->Designing() && link->GetItem() != nullptr) link->GetItem()->SetCaption(Text);
    else link->SetUserCaption(Text);
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

bool CustomizingPopupAddingItem() { return addingItem; }

// ---- quick-customization window ------------------------------------------------------------------------------

namespace {

constexpr UINT_PTR kQuickCheckTimer = 0x7107;
constexpr UINT kQuickCheckPeriod = 200;

// The hidden bar the window shows: in a collection of its own, so that the manager neither lists nor saves
// it; it has no mark of its own and takes the toolbar's font.
TubBar* MakeHiddenBar(TubBarManager* AManager, TubBarControl* AToolbar) {
    auto* bars = new TubBars(AManager, false);
    TubBar* bar = bars->Add();
    bar->SetHidden(true);
    bar->SetAllowQuickCustomizing(false);
    bar->SetShowMark(false);
    bar->AllowCustomizing = false;
    bar->SetUseRecentItems(false);
    TubBar* source = AToolbar->GetBar();
    bar->SetFont(source->GetFont());
    bar->SetUseOwnFont(source->GetUseOwnFont());
    return bar;
}

// An item of the quick window or its list: it belongs to the manager rather than to the form, so that the
// form's text written while the window is open holds none of them.
template <class T>
T* NewQuickItem(TubBarManager* AManager) {
    auto* item = new T(AManager);
    item->SetParentComponent(AManager);
    return item;
}

}  // namespace

TubBarQuickControl::TubBarQuickControl(TubBarManager* AManager, TubBarControl* AToolbar)
    : TubBarControl(AManager, MakeHiddenBar(AManager, AToolbar)), toolbar_(CreateObjectLink(AToolbar)) {
    TubBarItemLinks* own = GetBar()->GetItemLinks();
    own->UseRecentItems = false;
    TubBar* bar = AToolbar->GetBar();
    // The links that did not fit on the toolbar, each standing for its toolbar link.
    const TListOf<TubBarItemLink>& visible = bar->GetItemLinks()->VisibleItems();
    for (int i = 0; i < visible.Count(); ++i) {
        TubBarItemLink* source = visible.Get(i);
        if (source->Control != nullptr && !IsRectEmpty(&source->ItemRect)) continue;
        TubBarItemLink* copy = own->Add();
        copy->Assign(source);
        copy->SetSourceLink(source);
    }
    auto* addOrRemove = NewQuickItem<TubBarQuickSubItem>(AManager);
    addOrRemoveLink_ = CreateObjectLink(addOrRemove);
    addOrRemove->SetCaption(LoadLibraryString(&ubSubQuickCustomizeAddOrRemove));
    addOrRemove->SetEnabled(bar->GetAllowQuickCustomizing());
    addOrRemove->OnPopup = [this](TObject*) { BuildAddOrRemoveList(); };
    TubBarItemLink* link = own->Add();
    link->SetItem(addOrRemove);
    link->BeginGroup = true;
}

TubBarQuickControl::~TubBarQuickControl() {
    if (current == this) current = nullptr;
    if (HandleAllocated()) KillTimer(GetHandle(), kQuickCheckTimer);
    // The hidden bar goes with its collection once the window no longer shows its links.
    TubBars* bars = GetBar()->Bars();
    SetItemLinks(nullptr);
    delete bars;
    // The entry belongs to the manager, which may be freeing it already.
    delete dynamic_cast<TubBarSubItem*>(addOrRemoveLink_->Ref);
    FreeObjectLink(addOrRemoveLink_);
    FreeObjectLink(toolbar_);
}

void TubBarQuickControl::CreateParams(TCreateParams& Params) {
    TubBarControl::CreateParams(Params);
    // A pop-up without caption or sizing frame that stays above the form and is never activated.
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TubBarQuickControl::CreateWnd() {
    TubBarControl::CreateWnd();
    // The window closes once another bar takes the menu mode.
    SetTimer(GetHandle(), kQuickCheckTimer, kQuickCheckPeriod, nullptr);
}

TubFloatingFrame TubBarQuickControl::FloatingFrame() const {
    TubBarPainterClass painter = BarPainterOf(BarManager());
    TubFloatingFrame f;
    f.BorderWidth = painter->GetFloatingFrameWidth();
    f.BorderHeight = painter->GetFloatingFrameHeight();
    return f;
}

LRESULT TubBarQuickControl::FloatingHitTest(TPoint Screen) {
    const TRect client = GetClientRect();
    return PtInRect(&client, ScreenToClient(Screen)) ? HTCLIENT : HTBORDER;
}

void TubBarQuickControl::PaintFloatingFrame(HDC DC) {
    TubBarPainterClass painter = BarPainterOf(BarManager());
    TubBarItemPaintState state = BarPaintState();
    state.DockingStyle = dsNone;
    const TRect whole{0, 0, GetWidth(), GetHeight()};
    const TRect nc = FloatingFrame().NonClient();
    const TRect inner{nc.left, nc.top, whole.right - nc.right, whole.bottom - nc.bottom};
    const int saved = SaveDC(DC);
    ExcludeClipRect(DC, inner.left, inner.top, inner.right, inner.bottom);
    painter->DrawQuickWindowFrame(DC, whole, painter->GetBarBrush(state), state);
    RestoreDC(DC, saved);
}

void TubBarQuickControl::RButtonDown(TMessage& Message) { DefaultHandler(Message); }

void TubBarQuickControl::LButtonDown(TMessage& Message) {
    const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    if (!OnOpenEntry(ClientToScreen(p))) TubBarControl::LButtonDown(Message);
}

void TubBarQuickControl::LButtonUp(TMessage& Message) {
    const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    if (!OnOpenEntry(ClientToScreen(p))) TubBarControl::LButtonUp(Message);
}

void TubBarQuickControl::Dispatch(TMessage& Message) {
    if (Message.Msg != WM_TIMER || Message.WParam != kQuickCheckTimer) {
        TubBarControl::Dispatch(Message);
        return;
    }
    if (!Shown()) {
        KillTimer(GetHandle(), kQuickCheckTimer);
        return;
    }
    // Another bar took the menu mode (a menu of another bar opened, or the keyboard moved on).
    TCustomubBarControl* active = CurrentMenuControl;
    if (active != nullptr && RootBarControl(active) == this) return;
    KillTimer(GetHandle(), kQuickCheckTimer);
    CloseQuick();
}

TubBarControl* TubBarQuickControl::OwnerToolbar() const {
    return toolbar_ != nullptr ? dynamic_cast<TubBarControl*>(toolbar_->Ref) : nullptr;
}

TubBarSubItem* TubBarQuickControl::AddOrRemoveItem() const {
    return dynamic_cast<TubBarSubItem*>(addOrRemoveLink_->Ref);
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

bool TubBarQuickControl::OnOwnerMark(TPoint AScreenPoint) const {
    const TRect mark = MarkOnScreen();
    return PtInRect(&mark, AScreenPoint) != FALSE;
}

bool TubBarQuickControl::OnOpenEntry(TPoint AScreenPoint) const {
    auto* child = dynamic_cast<TubBarSubMenuControl*>(ChildMenu);
    TubBarItemControl* entry = child != nullptr ? child->ParentControl : nullptr;
    if (entry == nullptr || !HoldsControl(entry) || !Shown()) return false;
    const TPoint p = const_cast<TubBarQuickControl*>(this)->ScreenToClient(AScreenPoint);
    return PtInRect(&entry->Link->ItemRect, p) != FALSE;
}

bool TubBarQuickControl::Shown() const {
    auto* self = const_cast<TubBarQuickControl*>(this);
    return self->HandleAllocated() && IsWindowVisible(self->GetHandle());
}

void TubBarQuickControl::Place(const TRect& AMark) {
    HandleNeeded();
    // The links that did not fit share the lines of the longer of their row and the entry after them, so
    // that the entry, which begins a group, always takes a line of its own.
    std::vector<TubToolbarLink> links = MeasureLinks();
    int entry = 0;
    if (!links.empty()) {
        entry = links.back().Along;
        links.pop_back();
    }
    const TSize content = FloatingContentSize(std::max(ToolbarFullLength(links, GetSeparatorSize()), entry));
    const TubFloatingFrame f = FloatingFrame();
    const int w = content.cx + f.Width(), h = content.cy + f.Height();
    TubBarControl* toolbar = OwnerToolbar();
    const bool vertical =
        toolbar != nullptr && (toolbar->DockingStyle() == dsLeft || toolbar->DockingStyle() == dsRight);
    const TRect area = WorkAreaAt(TPoint(AMark.left, AMark.top));
    int x = 0, y = 0;
    if (vertical) {
        // Beside the mark, flipping to its left at the work area's right edge.
        x = AMark.right + w > area.right ? AMark.left - w : AMark.right;
        y = std::max(std::min(static_cast<int>(AMark.top), area.bottom - h), static_cast<int>(area.top));
    } else {
        // Below the mark: right-aligned with a docked toolbar's mark, left-aligned with a floating one's;
        // above it at the work area's bottom edge.
        x = toolbar != nullptr && !toolbar->IsFloating() ? AMark.right - w : AMark.left;
        x = std::max(std::min(x, area.right - w), static_cast<int>(area.left));
        y = AMark.bottom + h > area.bottom ? AMark.top - h : AMark.bottom;
    }
    ShadowExclusion = AMark;
    SetWindowPos(GetHandle(), HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    SetMenuMode(true);
}

void TubBarQuickControl::SetMenuMode(bool Value) {
    if (Value) {
        TubBarControl::SetMenuMode(true);
        return;
    }
    TAliveCheck alive(this);
    TCustomubBarControl::SetMenuMode(false);
    // However the menu mode ends (another bar took it, the focus went), the window closes with it.
    if (alive.Alive() && !closing_) CloseQuick();
}

void TubBarQuickControl::CloseAll() {
    TAliveCheck alive(this);
    TubBarControl::CloseAll();
    if (alive.Alive()) CloseQuick();
}

void TubBarQuickControl::CloseQuick() {
    if (closing_ || !Shown()) return;
    closing_ = true;
    TAliveCheck alive(this);
    // The menu of "&Add or Remove Buttons" closes first.
    if (auto* child = dynamic_cast<TubBarSubMenuControl*>(ChildMenu); child != nullptr && child->ParentControl) {
        child->ParentControl->ControlInactivate(true);
        if (!alive.Alive()) return;
    }
    ShowWindow(GetHandle(), SW_HIDE);
    SetVisible(false);
    SetMenuMode(false);
    if (!alive.Alive()) return;
    closing_ = false;
    TubBarControl* toolbar = OwnerToolbar();
    if (toolbar == nullptr || toolbar->MarkState() != msPressed) return;
    // A press on the mark itself closed the window: the toolbar's own handling of that press releases the
    // mark, so the same press does not open the window again.
    POINT cursor{};
    GetCursorPos(&cursor);
    if ((InBarMouseHook || GetKeyState(VK_LBUTTON) < 0) && OnOwnerMark(TPoint(cursor.x, cursor.y))) return;
    toolbar->SetMarkState(msNone);
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
    // One shared entry item: each of its links stands for a link of the toolbar, whose control (when it
    // has one) agrees to be listed.
    auto* shared = NewQuickItem<TubBarQuickCustItem>(m);
    TemporaryItems().Add(shared);
    for (int i = 0; i < links->Count(); ++i) {
        TubBarItemLink* source = links->Items(i);
        if (source->GetItem() == nullptr || (source->Control != nullptr && !source->Control->CanBeListed())) continue;
        TubBarItemLink* entry = list->Add();
        entry->SetSourceLink(source);
        entry->SetItem(shared);
    }
    const bool reset = m->ResetAllowed() && bar->AllowReset;
    if (reset) {
        auto* entry = NewQuickItem<TubBarQuickCustExtButton>(m);
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
    m->AddCustomizeItem(list, !reset, [](TComponent* AForm) -> TubBarButton* {
        return NewQuickItem<TubBarQuickCustExtButton>(ManagerOfForm(AForm));
    });
}

void ShowQuickControl(TubBarControl* AToolbar) {
    TubBarManager* m = AToolbar != nullptr ? AToolbar->BarManager() : nullptr;
    if (m == nullptr || AToolbar->GetBar() == nullptr) return;
    FreeCurrent();
    FreeTemporaryItems();
    CloseOpenMenus();
    auto* window = new TubBarQuickControl(m, AToolbar);
    current = window;
    window->Place(window->MarkOnScreen());
}

void CloseQuickControl(TubBarControl* AToolbar) {
    auto* window = dynamic_cast<TubBarQuickControl*>(current);
    if (window != nullptr && window->OwnerToolbar() == AToolbar) window->CloseQuick();
}

TubBarQuickControl* OpenQuickControl() {
    auto* window = dynamic_cast<TubBarQuickControl*>(current);
    return window != nullptr && window->Shown() ? window : nullptr;
}

}  // namespace zel
