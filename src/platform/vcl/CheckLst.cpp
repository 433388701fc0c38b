#include "platform/vcl/CheckLst.h"

#include "platform/vcl/VclGraphics.h"
#include "platform/win/Beep.h"

namespace zel {

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) { SetStyle(lbOwnerDrawFixed); }

bool TCheckListBox::GetChecked(int Index) const {
    return Index >= 0 && static_cast<std::size_t>(Index) < states_.size() &&
           states_[static_cast<std::size_t>(Index)].Checked;
}

void TCheckListBox::SetChecked(int Index, bool Value) {
    if (Index < 0) return;
    if (static_cast<std::size_t>(Index) >= states_.size()) states_.resize(static_cast<std::size_t>(Index) + 1);
    states_[static_cast<std::size_t>(Index)].Checked = Value;
    InvalidateRow(Index);
}

bool TCheckListBox::GetItemEnabled(int Index) const {
    return Index < 0 || static_cast<std::size_t>(Index) >= states_.size() ||
           states_[static_cast<std::size_t>(Index)].Enabled;
}

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
    if (Index < 0) return;
    if (static_cast<std::size_t>(Index) >= states_.size()) states_.resize(static_cast<std::size_t>(Index) + 1);
    states_[static_cast<std::size_t>(Index)].Enabled = Value;
    InvalidateRow(Index);
}

TRect TCheckListBox::CheckRect(const TRect& ItemRect) const {
    const int side = ItemRect.bottom - ItemRect.top;
    return TRect{ItemRect.left, ItemRect.top, ItemRect.left + side, ItemRect.bottom};
}

void TCheckListBox::InvalidateRow(int Index) {
    if (!HandleAllocated() || Index < 0 || Index >= Items()->Count()) return;
    RECT r = ItemRect(Index);
    InvalidateRect(GetHandle(), &r, FALSE);
}

void TCheckListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* c = Canvas();
    const TRect box = CheckRect(Rect);
    // The box's square keeps the list's colour; the text after it takes the row's state.
    const TColor rowColor = c->Brush()->GetColor();
    c->Brush()->SetColor(GetColor());
    c->FillRect(box);
    RECT mark{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    UINT state = DFCS_BUTTONCHECK;
    if (GetChecked(Index)) state |= DFCS_CHECKED;
    if (!GetItemEnabled(Index) || !GetEnabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(c->GetHandle(), &mark, DFC_BUTTON, state);
    c->Brush()->SetColor(rowColor);
    TRect text{box.right, Rect.top, Rect.right, Rect.bottom};
    c->FillRect(text);
    if (Index >= 0 && Index < Items()->Count()) {
        const std::string s = Items()->Get(Index);
        RECT tr{text.left + 2, text.top, text.right, text.bottom};
        c->Brush()->SetStyle(bsClear);
        DrawText(c->GetHandle(), s, static_cast<int>(s.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        c->Brush()->SetStyle(bsSolid);
    }
    if (State.Contains(odFocused)) {
        RECT fr{text.left, text.top, text.right, text.bottom};
        DrawFocusRect(c->GetHandle(), &fr);
    }
}

void TCheckListBox::ClickCheck(int Index) {
    if (Index < 0 || Index >= Items()->Count()) return;
    if (!GetItemEnabled(Index)) {
        MessageBeep(0);
        return;
    }
    SetChecked(Index, !GetChecked(Index));
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
            TCustomListBox::Dispatch(Message);
            const int index = ItemAtPos(p, true);
            if (index < 0) return;
            const TRect box = CheckRect(ItemRect(index));
            if (Message.Msg == WM_LBUTTONDBLCLK || (p.x >= box.left && p.x < box.right)) ClickCheck(index);
            return;
        }
        case WM_CHAR:
            if (Message.WParam == ' ') {
                ClickCheck(GetItemIndex());
                return;
            }
            break;
        default: break;
    }
    TCustomListBox::Dispatch(Message);
}

}  // namespace zel
