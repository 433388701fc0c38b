#pragma once
// The new-item dialog of design mode: the user picks an item class, a name, a caption and a category, and OK
// makes the item, owned by the manager's form. A name the form refuses leaves the dialog open with a fresh
// proposal.
#include <string>

#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TubBarItem;
class TubBarManager;

class TubBarItemAddEditor : public TForm {
public:
    explicit TubBarItemAddEditor(TComponent* AOwner);
    std::string ClassName() const override { return "TubBarItemAddEditor"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Fills the lists for the manager: its categories, the given one chosen (the first when it is outside),
    // and the offered item classes, the first chosen with a fresh name.
    void Prepare(TubBarManager* AManager, int ACategory);
    // The item OK made; nullptr before (or when the manager went meanwhile).
    TubBarItem* NewItem() const { return newItem_; }
    TubBarManager* BarManager() const { return manager_; }

    // ---- components of the form resource
    TLabel* LName = nullptr;
    TLabel* LCaption = nullptr;
    TLabel* LType = nullptr;
    TLabel* LCategory = nullptr;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TButton* BOk = nullptr;
    TButton* BCancel = nullptr;

    // ---- handlers
    void FormShow(TObject* Sender);
    void ComboBox1Click(TObject* Sender);
    void BOkClick(TObject* Sender);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // A name for the chosen class that nothing of the manager's form bears yet.
    void ProposeName();

    TubBarManager* manager_ = nullptr;
    TubBarItem* newItem_ = nullptr;
};

// Shows the dialog modally for the manager's category; the new item, or nullptr after Cancel.
TubBarItem* AddNewItem(TubBarManager* AManager, int ACategory);

}  // namespace zel
