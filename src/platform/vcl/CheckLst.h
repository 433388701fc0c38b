#pragma once
// The check list box: an owner-drawn list box whose rows show a system check box before their text. A click
// on the box, a double click anywhere on a row or Space on the selected row toggles it; a row whose box is
// inactive (not enabled) beeps instead.
#include <string>
#include <vector>

#include "platform/vcl/StdCtrls.h"

namespace zel {

class TCheckListBox : public TCustomListBox {
public:
    explicit TCheckListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TCheckListBox"; }

    // The states of the rows' boxes, by row number (rows inserted or deleted in between do not move them).
    virtual bool GetChecked(int Index) const;
    virtual void SetChecked(int Index, bool Value);
    virtual bool GetItemEnabled(int Index) const;
    virtual void SetItemEnabled(int Index, bool Value);
    // The area of a row that holds its box: a square as wide as the row is high.
    TRect CheckRect(const TRect& ItemRect) const;
    // Redraws one row.
    void InvalidateRow(int Index);
    // A box was toggled by the user.
    TNotifyEvent OnClickCheck;

protected:
    void Dispatch(TMessage& Message) override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    // The user toggles a row: an enabled box changes and OnClickCheck runs; an inactive one beeps.
    virtual void ClickCheck(int Index);

private:
    struct TRowState {
        bool Checked = false;
        bool Enabled = true;
    };
    std::vector<TRowState> states_;
};

}  // namespace zel
