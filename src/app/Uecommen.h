#pragma once
// TFormcomment, the notes window of a library: the notes in a memo, replaced by OK. The caller reads
// Changed afterwards to know whether the notes were edited.
#include "platform/rtl/StringList.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormcomment : public TForm {
public:
    explicit TFormcomment(TComponent* AOwner) : TForm(AOwner) {}
    std::string ClassName() const override { return "TFormcomment"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Keeps the notes to edit and shows a copy of them in the memo.
    void SeTStringList(TStringList* Notes);
    // The notes were typed in or their text changed since the window showed (cleared by Cancel).
    bool Changed = false;

    // ---- components of the form resource
    TPanel* Panel = nullptr;
    TMemo* Memo = nullptr;
    TPanel* PanelBut = nullptr;
    TButton* OKBtn = nullptr;
    TButton* CancelBtn = nullptr;

    // ---- event handlers
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void MemoKeyPress(TObject* Sender, char& Key);
    void MemoChange(TObject* Sender);
    void OKBtnClick(TObject* Sender);
    void CancelBtnClick(TObject* Sender);

private:
    TStringList* notes_ = nullptr;
};

// The notes window, made once at start-up; none before.
extern TFormcomment* Formcomment;

}  // namespace zel
