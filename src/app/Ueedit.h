#pragma once
// TFormEdit, the element properties window: an element's name and, where the element may choose it, its
// location (user memory, data card or the temporary area) and its slot. Shown modally by the library,
// bank and global windows for one element.
#include "model/LibElem.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Spin.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormEdit : public TForm {
public:
    explicit TFormEdit(TComponent* AOwner) : TForm(AOwner) {}
    std::string ClassName() const override { return "TFormEdit"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // The element to edit, set by the caller before showing.
    TLibElem* Element = nullptr;
    // The element lives in a bank or a global, or is a system or a global: its place is given.
    bool FixedLocation = false;
    // Something was edited since the window showed.
    bool Changed = false;

    // ---- components of the form resource
    TLabel* LabelName = nullptr;
    TEdit* Editname = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* User = nullptr;
    TRadioButton* Card = nullptr;
    TRadioButton* Temp = nullptr;
    TLabel* LabelPosition = nullptr;
    TSpinEdit* Position = nullptr;
    TButton* OKBtn = nullptr;
    TButton* CancelBtn = nullptr;

    // ---- event handlers
    void FormShow(TObject* Sender);
    void LocationClick(TObject* Sender);
    void EditChange(TObject* Sender);
    void OKBtnClick(TObject* Sender);

private:
    // The slot shows for a patch, performance or rhythm set that is neither temporary nor in a fixed place.
    void ShowPosition();
    // The name as it last stood in the field with only characters the instrument holds.
    std::string acceptedName_;
};

// The properties window, made once at start-up; none before.
extern TFormEdit* FormEdit;

}  // namespace zel
