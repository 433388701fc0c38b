#pragma once
// The name dialog: asks for a toolbar's or a category's name for the customizing form. OK is enabled only
// while the name is not empty; a toolbar name that another bar of the manager already has is refused with
// a message and the dialog stays open.
#include <string>

#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TubBar;
class TubBarManager;

class TubBarNameEd : public TForm {
public:
    explicit TubBarNameEd(TComponent* AOwner);
    std::string ClassName() const override { return "TubBarNameEd"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    TLabel* LName = nullptr;
    TEdit* EName = nullptr;
    TButton* BOK = nullptr;
    TButton* BCancel = nullptr;

    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void ENameChange(TObject* Sender);

    // 0: a toolbar's name, 1: a category's.
    int Kind = 0;
    TubBarManager* BarManager = nullptr;
    // The bar whose caption is being changed; nullptr for a new one.
    TubBar* Bar = nullptr;
};

// Asks for a name, starting from AName. AKind 0 (toolbar): AMode 0 adds, 1 renames ABar; AKind 1 (category):
// AMode 0 adds, 1 inserts, 2 renames. True, with AName the typed text, when the user chose OK.
bool AskBarOrCategoryName(std::string& AName, int AKind, int AMode, TubBar* ABar, TubBarManager* AManager);

}  // namespace zel
