#include "uilib/bars/ubBarToolbarsPopup.h"

#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

namespace {

TubBarToolbarsPopup* current = nullptr;

}  // namespace

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

TubBarToolbarsPopup* ToolbarsPopup() { return current; }

void ShowToolbarsPopup(TWinControl* AControl, TubBarManager* AManager, TPoint AScreenPoint) {
    if (AManager == nullptr) return;
    // The popup closed last goes, and with it the entries no menu shows any more.
    if (TubBarToolbarsPopup* previous = current) {
        current = nullptr;
        previous->CloseUp();
        delete previous;
    }
    FreeTemporaryItems();
    auto* popup = new TubBarToolbarsPopup(AManager);
    AManager->FillToolbarsPopup(popup->GetItemLinks());
    if (popup->GetItemLinks()->Count() == 0) {
        delete popup;
        return;
    }
    // Whatever menu is open closes first.
    while (TCustomubBarControl* open = CurrentMenuControl) {
        open->CloseAll();
        if (CurrentMenuControl == open) break;
    }
    current = popup;
    static_cast<void>(AControl);  // the popup belongs to the manager's form, whatever was clicked
    popup->Popup(AScreenPoint.x, AScreenPoint.y);
}

}  // namespace zel
