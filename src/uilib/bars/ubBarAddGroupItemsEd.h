#pragma once
// The add-group-items dialog of design mode: every other group of the manager and, per category, the
// category's items, in one multi-select list under grey headings; members of the group show greyed. OK hands
// the selected groups and items back.
#include <string>

#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TubBarGroup;

class TfrmAddGroupItems : public TForm {
public:
    explicit TfrmAddGroupItems(TComponent* AOwner);
    std::string ClassName() const override { return "TfrmAddGroupItems"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Fills the list for the group: "~< Groups >" and every other group when the manager has more than one,
    // then "~" and the name of each category with items, followed by its items. The objects of the rows are
    // the groups and items (none for the headings).
    void Prepare(TubBarGroup* AGroup);
    TubBarGroup* Group() const { return group_; }
    // What OK chose, in list order.
    const TListOf<TComponent>& Result() const { return result_; }
    // The height of every row: the text height of "Qq" + 2.
    int RowHeight();

    // ---- components of the form resource
    TListBox* lbGroupItems = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;

    // ---- handlers
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void DrawRow(int Index, TRect Rect, TOwnerDrawState State);
    // The list's messages before its own window procedure: no background erase, and the area below the
    // last row painted in the button face colour.
    void ListWindowProc(TMessage& Message);
    void FillBelowRows();

    TubBarGroup* group_ = nullptr;
    TListOf<TComponent> result_;
    TWndMethod savedListWndProc_;
};

// Shows the dialog modally for the group; true after OK, with the chosen groups and items added to AResult.
bool AddGroupItems(TubBarGroup* AGroup, TListOf<TComponent>& AResult);

}  // namespace zel
