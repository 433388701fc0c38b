#include "uilib/bars/ubBarPopupMenuEd.h"

#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDesignConsts.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarSubMenuControl.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

namespace formres {
extern const TFormResource ubBarPopupMenuEd;
}

namespace {
const TFormClassRegistration registration("TubBarSubMenuEditor", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TubBarSubMenuEditor>(Owner);
});

TubBarSubMenuEditor* editor = nullptr;
}  // namespace

TubBarSubMenuEditor::TubBarSubMenuEditor(TComponent* AOwner) : TForm(AOwner) {}

TubBarSubMenuEditor::~TubBarSubMenuEditor() {
    if (editor == this) editor = nullptr;
    Unbind();
}

const TFormResource* TubBarSubMenuEditor::FormResource() const { return &formres::ubBarPopupMenuEd; }

void TubBarSubMenuEditor::DefineBindings(TFormBindings& B) {
    B.Handler<TNotifyEvent>("FormActivate", [this](TObject* s) { FormActivate(s); });
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    B.Handler<TNotifyEvent>("FormDestroy", [this](TObject* s) { FormDestroy(s); });
}

void TubBarSubMenuEditor::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    Params.ExStyle |= WS_EX_DLGMODALFRAME;
    Params.WindowClass.style |= CS_OWNDC | CS_SAVEBITS;
    // The window belongs to the window of the form whose menu it edits.
    TubBarManager* m = links_ != nullptr ? links_->BarManager() : nullptr;
    if (m != nullptr && m->Form() != nullptr && m->Form()->HandleAllocated()) Params.WndParent = m->Form()->GetHandle();
}

TubBarSubMenuControl* TubBarSubMenuEditor::MenuWindow() const {
    return menu_ != nullptr ? dynamic_cast<TubBarSubMenuControl*>(menu_->Ref) : nullptr;
}

void TubBarSubMenuEditor::SetItemLinks(TubBarItemLinks* Value) {
    if (Value == links_) return;
    Unbind();
    if (Value == nullptr) {
        Release();
        return;
    }
    links_ = Value;
    linksOwner_ = dynamic_cast<TComponent*>(links_->Owner());
    if (linksOwner_ != nullptr) linksOwner_->FreeNotification(this);
    if (Active()) ShowMenuWindow();
}

void TubBarSubMenuEditor::Unbind() {
    CloseMenuWindow();
    if (linksOwner_ != nullptr) linksOwner_->RemoveFreeNotification(this);
    linksOwner_ = nullptr;
    links_ = nullptr;
}

void TubBarSubMenuEditor::CloseMenuWindow() {
    TubBarSubMenuControl* menu = MenuWindow();
    FreeObjectLink(menu_);
    const bool owned = ownsMenu_;
    ownsMenu_ = false;
    if (menu == nullptr) return;
    const TAliveCheck alive(menu);
    menu->CloseUp();
    if (owned && alive.Alive()) delete menu;
}

void TubBarSubMenuEditor::ShowMenuWindow() {
    if (links_ == nullptr || !HandleAllocated()) return;
    TubBarManager* m = links_->BarManager();
    if (m != nullptr && m->DraggedItem != nullptr &&
        !TCustomubBarSubItem::MayContain(m->DraggedItem, dynamic_cast<TubBarItem*>(links_->Owner())))
        return;
    auto* menu = dynamic_cast<TubBarSubMenuControl*>(links_->BarControl);
    if (menu == nullptr) {
        if (m == nullptr || links_->BarControl != nullptr) return;
        menu = new TubBarSubMenuControl(m);
        menu->SetItemLinks(links_);
        ownsMenu_ = true;
    }
    if (MenuWindow() != menu) {
        FreeObjectLink(menu_);
        menu_ = CreateObjectLink(menu);
    }
    RECT r{};
    GetWindowRect(GetHandle(), &r);
    // The editor's height is the item the menu opened from: it jumps over it when there is no room below.
    menu->ExclusionWidth = 0;
    menu->ExclusionHeight = r.bottom - r.top;
    menu->OwnerWindow = GetHandle();
    const TAliveCheck alive(this);
    if (!menu->HandleAllocated() || !IsWindowVisible(menu->GetHandle())) menu->Popup(r.left, r.bottom);
    if (!alive.Alive() || MenuWindow() == nullptr) return;
    width_ = menu->GetWidth();
    if (GetWidth() != width_) SetWidth(width_);
    PlaceMenuWindow();
}

void TubBarSubMenuEditor::PlaceMenuWindow() {
    TubBarSubMenuControl* menu = MenuWindow();
    if (menu == nullptr || !menu->HandleAllocated() || !HandleAllocated()) return;
    RECT r{};
    GetWindowRect(GetHandle(), &r);
    SetWindowPos(menu->GetHandle(), nullptr, r.left, r.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TubBarSubMenuEditor::FormActivate(TObject*) { ShowMenuWindow(); }

void TubBarSubMenuEditor::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TubBarSubMenuEditor::FormDestroy(TObject*) { CloseMenuWindow(); }

void TubBarSubMenuEditor::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_MOVE:
            TForm::Dispatch(Message);
            PlaceMenuWindow();
            return;
        case WM_GETMINMAXINFO:
            TForm::Dispatch(Message);
            if (HandleAllocated() && width_ > 0) {
                // Neither wider nor narrower than the menu, nor taller than the caption bar.
                RECT r{};
                GetWindowRect(GetHandle(), &r);
                auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
                info->ptMinTrackSize = POINT{width_, r.bottom - r.top};
                info->ptMaxTrackSize = info->ptMinTrackSize;
            }
            return;
        case WM_NCLBUTTONDOWN:
            if (Message.WParam == static_cast<WPARAM>(HTCLOSE)) CloseMenuWindow();
            else if (HandleAllocated()) SetActiveWindow(GetHandle());
            TForm::Dispatch(Message);
            return;
        default: TForm::Dispatch(Message);
    }
}

void TubBarSubMenuEditor::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != linksOwner_ || linksOwner_ == nullptr) return;
    // The links went with their owner: the menu window has let go of them already.
    linksOwner_ = nullptr;
    links_ = nullptr;
    CloseMenuWindow();
    Release();
}

void EditSubMenu(TubBarItemLinks* ALinks) {
    TubBarManager* m = ALinks != nullptr ? ALinks->BarManager() : nullptr;
    if (m == nullptr) return;
    const bool started = !m->GetCustomizing();
    m->SetCustomizing(true);
    // A customizing form opened for the editor shows the commands to drag into the menu.
    if (TubBarCustomizingForm* form = GetCustomizingForm(); started && form != nullptr)
        form->PageControl->SetActivePage(form->TabSheet2);
    if (editor == nullptr) {
        editor = Construct<TubBarSubMenuEditor>(Application);
        editor->SetCaption(LoadLibraryString(&ubSubSubMenuEditorCaption));
    }
    editor->SetClientHeight(0);
    editor->SetItemLinks(ALinks);
    editor->Show();
}

TubBarSubMenuEditor* SubMenuEditor() { return editor; }

void CloseSubMenuEditor() {
    TubBarSubMenuEditor* open = editor;
    editor = nullptr;
    delete open;
}

}  // namespace zel
