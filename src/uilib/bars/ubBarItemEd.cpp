#include "uilib/bars/ubBarItemEd.h"

#include <memory>

#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarDesignConsts.h"
#include "uilib/bars/ubBarDesigner.h"
#include "uilib/bars/ubBarDialogs.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

namespace formres {
extern const TFormResource ubBarItemEd;
}

namespace {
const TFormClassRegistration registration("TubBarItemAddEditor", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TubBarItemAddEditor>(Owner);
});
}  // namespace

TubBarItemAddEditor::TubBarItemAddEditor(TComponent* AOwner) : TForm(AOwner) {}

const TFormResource* TubBarItemAddEditor::FormResource() const { return &formres::ubBarItemEd; }

void TubBarItemAddEditor::DefineBindings(TFormBindings& B) {
    B.Field("LName", LName);
    B.Field("LCaption", LCaption);
    B.Field("LType", LType);
    B.Field("LCategory", LCategory);
    B.Field("Edit1", Edit1);
    B.Field("Edit2", Edit2);
    B.Field("ComboBox1", ComboBox1);
    B.Field("ComboBox2", ComboBox2);
    B.Field("BOk", BOk);
    B.Field("BCancel", BCancel);
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("ComboBox1Click", [this](TObject* s) { ComboBox1Click(s); });
    B.Handler<TNotifyEvent>("BOkClick", [this](TObject* s) { BOkClick(s); });
}

void TubBarItemAddEditor::Prepare(TubBarManager* AManager, int ACategory) {
    SetCaption(LoadLibraryString(&ubSubItemEditorCaption));
    LName->SetCaption(LoadLibraryString(&ubSubItemEditorName));
    LCaption->SetCaption(LoadLibraryString(&ubSubItemEditorItemCaption));
    LType->SetCaption(LoadLibraryString(&ubSubItemEditorType));
    LCategory->SetCaption(LoadLibraryString(&ubSubItemEditorCategory));
    Edit2->SetText(LoadLibraryString(&ubSubNewItemCaption));
    BOk->SetCaption(LoadLibraryString(&ubSubDialogOK));
    BCancel->SetCaption(LoadLibraryString(&ubSubDialogCancel));
    TakeCustomizingFormFont(this);

    manager_ = AManager;
    if (manager_ == nullptr) return;
    // The manager goes with its form, which may close while the dialog is open.
    manager_->FreeNotification(this);
    ComboBox2->Items()->Assign(manager_->GetCategories());
    const int count = ComboBox2->Items()->GetCount();
    ComboBox2->SetItemIndex(ACategory >= 0 && ACategory < count ? ACategory : 0);
    ComboBox1->Items()->Clear();
    for (int i = 0; i < OfferedItemClassCount(); ++i) ComboBox1->Items()->Add(OfferedItemClass(i)->Name);
    ComboBox1->SetItemIndex(0);
    ProposeName();
}

void TubBarItemAddEditor::ProposeName() {
    const int type = ComboBox1->GetItemIndex();
    if (manager_ == nullptr || type < 0) return;
    TClass itemClass = OfferedItemClass(type);
    IubBarDesigner* designer = BarDesigner();
    Edit1->SetText(designer != nullptr ? designer->UniqueName(manager_, std::string(itemClass->Name).substr(1))
                                       : UniqueItemName(manager_, itemClass));
}

void TubBarItemAddEditor::FormShow(TObject*) {
    if (Edit1->CanFocus()) Edit1->SetFocus();
}

void TubBarItemAddEditor::ComboBox1Click(TObject*) { ProposeName(); }

void TubBarItemAddEditor::BOkClick(TObject*) {
    const int type = ComboBox1->GetItemIndex();
    if (manager_ == nullptr || type < 0) {
        ModalResult = mrCancel;
        return;
    }
    const TComponentClassInfo* info = FindComponentClass(OfferedItemClass(type)->Name);
    // The item belongs to the form until it stands whole; a failing step frees it again.
    std::unique_ptr<TComponent> made;
    try {
        if (info == nullptr || !info->Create)
            throw Exception(FormatResString(&ubSubItemEditorCannotCreate, OfferedItemClass(type)->Name));
        made.reset(info->Create(manager_->Form()));
        auto* item = dynamic_cast<TubBarItem*>(made.get());
        if (item == nullptr)
            throw Exception(FormatResString(&ubSubItemEditorCannotCreate, OfferedItemClass(type)->Name));
        item->SetName(Edit1->GetText());
        item->SetCategory(ComboBox2->GetItemIndex());
        item->SetCaption(Edit2->GetText());
        if (IubBarDesigner* designer = BarDesigner()) designer->Modified(manager_);
        newItem_ = item;
        made.release();
    } catch (...) {
        made.reset();
        ProposeName();
        ModalResult = mrNone;
        throw;
    }
}

void TubBarItemAddEditor::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != manager_) return;
    manager_ = nullptr;
    newItem_ = nullptr;
    ModalResult = mrCancel;
}

TubBarItem* AddNewItem(TubBarManager* AManager, int ACategory) {
    if (AManager == nullptr) return nullptr;
    std::unique_ptr<TubBarItemAddEditor> dialog(Construct<TubBarItemAddEditor>(nullptr));
    dialog->Prepare(AManager, ACategory);
    if (dialog->ShowModal() != mrOk) return nullptr;
    return dialog->NewItem();
}

}  // namespace zel
