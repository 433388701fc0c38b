#include "uilib/bars/ubBarAddGroupItemsEd.h"

#include <memory>

#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarDesignConsts.h"
#include "uilib/bars/ubBarDialogs.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"

namespace zel {

namespace formres {
extern const TFormResource ubBarAddGroupItemsEd;
}

namespace {
const TFormClassRegistration registration("TfrmAddGroupItems", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TfrmAddGroupItems>(Owner);
});

constexpr char kHeadingMark = '~';
const std::string kIndent = "   ";

bool IsHeading(const std::string& ARow) { return !ARow.empty() && ARow[0] == kHeadingMark; }
}  // namespace

TfrmAddGroupItems::TfrmAddGroupItems(TComponent* AOwner) : TForm(AOwner) {}

const TFormResource* TfrmAddGroupItems::FormResource() const { return &formres::ubBarAddGroupItemsEd; }

void TfrmAddGroupItems::DefineBindings(TFormBindings& B) {
    B.Field("lbGroupItems", lbGroupItems);
    B.Field("btnOk", btnOk);
    B.Field("btnCancel", btnCancel);
    B.Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    B.Handler<TNotifyEvent>("FormDestroy", [this](TObject* s) { FormDestroy(s); });
    B.Handler<TCloseQueryEvent>("FormCloseQuery", [this](TObject* s, bool& c) { FormCloseQuery(s, c); });
}

void TfrmAddGroupItems::FormCreate(TObject*) {
    SetCaption(LoadLibraryString(&ubSubAddGroupItemsCaption));
    btnOk->SetCaption(LoadLibraryString(&ubSubDialogOK));
    btnCancel->SetCaption(LoadLibraryString(&ubSubDialogCancel));
    lbGroupItems->SetMultiSelect(true);
    lbGroupItems->SetStyle(lbOwnerDrawFixed);
    lbGroupItems->OnMeasureItem = [this](TWinControl*, int, int& Height) { Height = RowHeight(); };
    lbGroupItems->OnDrawItem = [this](TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
        DrawRow(Index, Rect, State);
    };
    savedListWndProc_ = lbGroupItems->WindowProc;
    lbGroupItems->WindowProc = [this](TMessage& M) { ListWindowProc(M); };
}

void TfrmAddGroupItems::FormDestroy(TObject*) {
    if (lbGroupItems != nullptr && savedListWndProc_) lbGroupItems->WindowProc = savedListWndProc_;
}

int TfrmAddGroupItems::RowHeight() {
    TCanvas* canvas = lbGroupItems->Canvas();
    const bool own = canvas->GetHandle() == nullptr || !lbGroupItems->HandleAllocated();
    if (!own) return canvas->TextHeight("Qq") + 2;
    // Outside a paint the list's font is measured on a screen context of its own.
    HDC dc = GetDC(nullptr);
    TCanvas measure;
    measure.SetHandle(dc);
    measure.SetFont(lbGroupItems->Font());
    const int height = measure.TextHeight("Qq") + 2;
    measure.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    return height;
}

void TfrmAddGroupItems::Prepare(TubBarGroup* AGroup) {
    TakeCustomizingFormFont(this);
    group_ = AGroup;
    TStrings* rows = lbGroupItems->Items();
    rows->Clear();
    TubBarManager* manager = group_ != nullptr ? group_->Manager() : nullptr;
    if (manager == nullptr) return;
    group_->FreeNotification(this);
    auto addRow = [&](const std::string& Text, TComponent* AObject) {
        rows->AddObject(Text, AObject);
        if (AObject != nullptr) AObject->FreeNotification(this);
    };
    if (manager->GroupCount() > 1) {
        addRow(kHeadingMark + LoadLibraryString(&ubSubAddGroupItemsGroups), nullptr);
        for (int i = 0; i < manager->GroupCount(); ++i)
            if (TubBarGroup* g = manager->Groups(i); g != group_) addRow(kIndent + g->GetName(), g);
    }
    TListOf<TubBarItem> items;
    for (int c = 0; c < manager->GetCategories()->GetCount(); ++c) {
        manager->CollectCategoryItems(c, items);
        if (items.Count() == 0) continue;
        addRow(kHeadingMark + manager->GetCategories()->Get(c), nullptr);
        for (TubBarItem* item : items) addRow(kIndent + item->GetCaption(), item);
    }
}

void TfrmAddGroupItems::DrawRow(int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = lbGroupItems->Canvas();
    const std::string row = lbGroupItems->Items()->Get(Index);
    const int textTop = Rect.top + 1;
    if (IsHeading(row)) {
        canvas->Brush()->SetColor(clBtnFace);
        canvas->Font()->SetColor(clBtnText);
        canvas->TextRect(Rect, Rect.left + 2, textTop, row.substr(1));
        return;
    }
    TComponent* object = lbGroupItems->Items()->GetObject(Index) != nullptr
                             ? static_cast<TComponent*>(lbGroupItems->Items()->GetObject(Index))
                             : nullptr;
    const bool selected = State.Contains(odSelected);
    const bool member = group_ != nullptr && object != nullptr && group_->IndexOf(object) >= 0;
    if (member) {
        canvas->Brush()->SetColor(clWindow);
        canvas->Font()->SetColor(clBtnFace);
    } else {
        canvas->Brush()->SetColor(selected ? clHighlight : clWindow);
        canvas->Font()->SetColor(selected ? clHighlightText : clWindowText);
    }
    auto* item = dynamic_cast<TubBarItem*>(object);
    if (item == nullptr) {
        canvas->TextRect(Rect, Rect.left + 2, textTop, row);
        return;
    }
    // The caption in the left half; a line at the middle; the component name in the right half.
    const int middle = (Rect.left + Rect.right) / 2;
    TRect left = Rect;
    left.right = middle;
    canvas->TextRect(left, left.left + 2, textTop, row);
    TRect right = Rect;
    right.left = middle + 1;
    canvas->TextRect(right, right.left + 2, textTop, item->GetName());
    canvas->Pen()->SetColor(selected ? clHighlightText : clWindowText);
    canvas->MoveTo(middle, Rect.top);
    canvas->LineTo(middle, Rect.bottom);
}

void TfrmAddGroupItems::ListWindowProc(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    savedListWndProc_(Message);
    if (Message.Msg == WM_PAINT) FillBelowRows();
}

void TfrmAddGroupItems::FillBelowRows() {
    if (!lbGroupItems->HandleAllocated()) return;
    TRect client = lbGroupItems->GetClientRect();
    const int count = lbGroupItems->Items()->GetCount();
    if (count > 0) {
        const TRect last = lbGroupItems->ItemRect(count - 1);
        client.top = last.bottom;
    }
    if (client.top >= client.bottom) return;
    HDC dc = GetDC(lbGroupItems->GetHandle());
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(client);
    canvas.SetHandle(nullptr);
    ReleaseDC(lbGroupItems->GetHandle(), dc);
}

void TfrmAddGroupItems::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = true;
    if (ModalResult != mrOk) return;
    result_.Clear();
    for (int i = 0; i < lbGroupItems->Items()->GetCount(); ++i) {
        if (!lbGroupItems->Selected(i)) continue;
        if (auto* object = static_cast<TComponent*>(lbGroupItems->Items()->GetObject(i))) result_.Add(object);
    }
}

void TfrmAddGroupItems::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove || lbGroupItems == nullptr) return;
    if (AComponent == group_) {
        group_ = nullptr;
        ModalResult = mrCancel;
    }
    // A group or item freed meanwhile leaves the list, so that nothing hands it back.
    TStrings* rows = lbGroupItems->Items();
    for (int i = rows->GetCount() - 1; i >= 0; --i)
        if (rows->GetObject(i) == AComponent) rows->Delete(i);
    result_.Remove(AComponent);
}

bool AddGroupItems(TubBarGroup* AGroup, TListOf<TComponent>& AResult) {
    if (AGroup == nullptr) return false;
    std::unique_ptr<TfrmAddGroupItems> dialog(Construct<TfrmAddGroupItems>(nullptr));
    dialog->Prepare(AGroup);
    if (dialog->ShowModal() != mrOk || dialog->Group() == nullptr) return false;
    for (TComponent* object : dialog->Result()) AResult.Add(object);
    return true;
}

}  // namespace zel
