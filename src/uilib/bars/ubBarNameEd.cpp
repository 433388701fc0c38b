#include "uilib/bars/ubBarNameEd.h"

#include <memory>

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/ubCore.h"

namespace zel {

namespace formres {
extern const TFormResource ubBarNameEd;
}

namespace {
const TFormClassRegistration registration("TubBarNameEd", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TubBarNameEd>(Owner);
});
}  // namespace

TubBarNameEd::TubBarNameEd(TComponent* AOwner) : TForm(AOwner) {}

const TFormResource* TubBarNameEd::FormResource() const { return &formres::ubBarNameEd; }

void TubBarNameEd::DefineBindings(TFormBindings& B) {
    B.Field("LName", LName);
    B.Field("EName", EName);
    B.Field("BOK", BOK);
    B.Field("BCancel", BCancel);
    B.Handler<TCloseQueryEvent>("FormCloseQuery", [this](TObject* s, bool& c) { FormCloseQuery(s, c); });
    B.Handler<TNotifyEvent>("ENameChange", [this](TObject* s) { ENameChange(s); });
}

void TubBarNameEd::ENameChange(TObject*) { BOK->SetEnabled(!EName->GetText().empty()); }

void TubBarNameEd::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult != mrOk || Kind != 0 || BarManager == nullptr) return;
    const std::string name = EName->GetText();
    TubBar* other = BarManager->FindBarByCaption(name);
    if (other == nullptr || other == Bar) return;
    CanClose = false;
    std::string text = LoadLibraryString(&ubSubToolbarExists);
    if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, name);
    Application->MessageBox(text, Application->Title, MB_OK | MB_ICONERROR);
    EName->SetFocus();
}

bool AskBarOrCategoryName(std::string& AName, int AKind, int AMode, TubBar* ABar, TubBarManager* AManager) {
    std::unique_ptr<TubBarNameEd> dialog(Construct<TubBarNameEd>(nullptr));
    if (TubBarCustomizingForm* form = GetCustomizingForm()) dialog->Font()->Assign(form->Font());
    dialog->Kind = AKind;
    dialog->BarManager = AManager;
    dialog->Bar = ABar;
    const TResStringRec* caption = nullptr;
    if (AKind == 0) caption = AMode == 1 ? &ubSubRenameToolbar : &ubSubAddToolbar;
    else caption = AMode == 2 ? &ubSubRenameCategory : AMode == 1 ? &ubSubInsertCategory : &ubSubAddCategory;
    dialog->SetCaption(LoadLibraryString(caption));
    dialog->LName->SetCaption(LoadLibraryString(AKind == 0 ? &ubSubToolbarName : &ubSubCategoryName));
    dialog->BOK->SetCaption(LoadLibraryString(&ubSubOK));
    dialog->BCancel->SetCaption(LoadLibraryString(&ubSubCancel));
    dialog->EName->SetText(AName);
    dialog->ENameChange(dialog->EName);
    dialog->SetActiveControl(dialog->EName);
    if (dialog->ShowModal() != mrOk) return false;
    AName = dialog->EName->GetText();
    return true;
}

}  // namespace zel
