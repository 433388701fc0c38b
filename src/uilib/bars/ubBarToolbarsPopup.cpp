#include "uilib/bars/ubBarToolbarsPopup.h"

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"

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
    while (TCustomubBarControl* open = CurrentMenuControl) {
        open->CloseAll();
        if (CurrentMenuControl == open) break;
    }
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

}  // namespace zel
