#include "app/Uecommen.h"

#include "platform/vcl/FormReader.h"

namespace zel {

namespace formres {
extern const TFormResource Uecommen;
}

TFormcomment* Formcomment = nullptr;

namespace {
const TFormClassRegistration registration("TFormcomment", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TFormcomment>(Owner);
});
}  // namespace

const TFormResource* TFormcomment::FormResource() const { return &formres::Uecommen; }

void TFormcomment::DefineBindings(TFormBindings& B) {
    B.Field("Panel", Panel);
    B.Field("Memo", Memo);
    B.Field("PanelBut", PanelBut);
    B.Field("OKBtn", OKBtn);
    B.Field("CancelBtn", CancelBtn);
    B.Handler<TNotifyEvent>("FormShow", [this](TObject* s) { FormShow(s); });
    B.Handler<TNotifyEvent>("FormResize", [this](TObject* s) { FormResize(s); });
    B.Handler<TKeyPressEvent>("MemoKeyPress", [this](TObject* s, char& k) { MemoKeyPress(s, k); });
    B.Handler<TNotifyEvent>("MemoChange", [this](TObject* s) { MemoChange(s); });
    B.Handler<TNotifyEvent>("OKBtnClick", [this](TObject* s) { OKBtnClick(s); });
    B.Handler<TNotifyEvent>("CancelBtnClick", [this](TObject* s) { CancelBtnClick(s); });
}

void TFormcomment::SeTStringList(TStringList* Notes) {
    notes_ = Notes;
    if (Notes != nullptr) Memo->Lines()->Assign(Notes);
    else Memo->Lines()->Clear();
}

void TFormcomment::FormShow(TObject*) {
    Changed = false;
    // The caret waits in the notes, at their start, whichever control had the focus the last time.
    Memo->SetSelStart(0);
    SetActiveControl(Memo);
}

void TFormcomment::FormResize(TObject*) {
    PanelBut->SetTop(ClientHeight() - PanelBut->GetHeight() - 4);
    PanelBut->SetWidth(ClientWidth() - 8);
    Panel->SetHeight(PanelBut->GetTop() - Panel->GetTop() - 4);
    Panel->SetWidth(PanelBut->GetWidth());
    Memo->SetWidth(Panel->GetWidth() - 10);
    Memo->SetHeight(Panel->GetHeight() - 10);
    OKBtn->SetLeft(PanelBut->GetWidth() / 5);
    CancelBtn->SetLeft(PanelBut->GetWidth() - PanelBut->GetWidth() / 5 - CancelBtn->GetWidth());
}

void TFormcomment::MemoKeyPress(TObject*, char&) { Changed = true; }

// Any change of the text counts, typed or not: Delete, Backspace, cut, paste, undo.
void TFormcomment::MemoChange(TObject*) { Changed = true; }

void TFormcomment::OKBtnClick(TObject*) {
    if (notes_ != nullptr) notes_->Assign(Memo->Lines());
    ModalResult = mrOk;
}

void TFormcomment::CancelBtnClick(TObject*) {
    Changed = false;
    ModalResult = mrCancel;
}

}  // namespace zel
