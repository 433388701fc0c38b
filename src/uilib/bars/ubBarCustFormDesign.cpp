// The customizing form in design mode: the category and command popup menus' entries and commands, the "All
// commands" page and the "Groups" page. Every change that adds or deletes a component asks the design
// environment first.
#include <algorithm>
#include <functional>
#include <string>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"
#include "uilib/bars/ubBarAddGroupItemsEd.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarCustForm.h"
#include "uilib/bars/ubBarDesigner.h"
#include "uilib/bars/ubBarDialogs.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemEd.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarNameEd.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarPopupMenuEd.h"
#include "uilib/bars/ubBarSubItem.h"

namespace zel {

namespace {

constexpr int kCategoryKind = 1;
enum : int { nmAdd, nmInsert, nmRename };

bool MayAdd(TubBarManager* AManager) {
    IubBarDesigner* designer = BarDesigner();
    return designer == nullptr || designer->CanAddComponent(AManager);
}

bool MayDelete(TComponent* AComponent) {
    IubBarDesigner* designer = BarDesigner();
    return AComponent != nullptr && (designer == nullptr || designer->CanDeleteComponent(AComponent));
}

bool Confirmed(const TResStringRec* AQuestion, const std::string& AName) {
    return Application->MessageBox(FormatResString(AQuestion, AName), Application->Title,
                                   MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void Modified(TubBarManager* AManager) {
    if (IubBarDesigner* designer = BarDesigner()) designer->Modified(AManager);
}

TubBarItem* CommandOfRow(TubBarCustomizingForm* F, int ARow) {
    return ARow >= 0 && ARow < F->LCommands->Items()->Count() ? F->LCommands->Item(ARow) : nullptr;
}

TubBarItem* SelectedCommand(TubBarCustomizingForm* F) { return CommandOfRow(F, F->LCommands->GetItemIndex()); }

int SelectedCategory(TubBarCustomizingForm* F) { return F->CategoryOfRow(F->LCategories->GetItemIndex()); }

// Whether the category holds items and every one of them may be deleted.
bool AllDeletable(TubBarManager* AManager, int ACategory, bool& AAny) {
    TListOf<TubBarItem> items;
    AManager->CollectCategoryItems(ACategory, items);
    AAny = items.Count() > 0;
    for (TubBarItem* item : items)
        if (!MayDelete(item)) return false;
    return true;
}

void SelectCategoryRow(TubBarCustomizingForm* F, int ACategory) {
    F->LCategories->SetItemIndex(F->RowOfCategory(ACategory));
    F->RefreshCommands();
    F->UpdatePopupStates();
}

void SelectCommandRow(TubBarCustomizingForm* F, int ARow) {
    const int count = F->LCommands->Items()->Count();
    F->LCommands->SetItemIndex(count == 0 ? -1 : std::clamp(ARow, 0, count - 1));
    F->UpdatePopupStates();
}

TubBarGroup* GroupOfRow(TubBarCustomizingForm* F, int ARow) {
    return ARow >= 0 && ARow < F->lbGroups->Items()->Count()
               ? static_cast<TubBarGroup*>(F->lbGroups->Items()->GetObject(ARow))
               : nullptr;
}

}  // namespace

// ---- popup entries ---------------------------------------------------------------------------------------

void TubBarCustomizingForm::UpdatePopupStates() {
    if (barManager_ == nullptr || CategoriesAdd == nullptr) return;
    const int category = SelectedCategory(this);
    const bool hasCategory = category >= 0;
    CategoriesInsert->SetEnabled(hasCategory);
    CategoriesRename->SetEnabled(hasCategory);
    CategoriesVisible->SetEnabled(hasCategory);
    CategoriesVisible->SetDown(hasCategory && barManager_->GetVisibleOfCategory(category));
    CategoriesItemsVisible->SetEnabled(CategoriesVisible->GetEnabled());
    if (hasCategory) CategoriesItemsVisible->SetItemIndex(barManager_->GetItemsVisibleOfCategory(category));
    bool any = false;
    CategoriesDelete->SetEnabled(hasCategory && AllDeletable(barManager_, category, any));

    TubBarItem* item = SelectedCommand(this);
    const int row = LCommands->GetItemIndex();
    CommandsAdd->SetEnabled(MayAdd(barManager_));
    CommandsDelete->SetEnabled(MayDelete(item));
    CommandsClear->SetEnabled(hasCategory && AllDeletable(barManager_, category, any) && any);
    CommandsMoveUp->SetEnabled(item != nullptr && row > 0);
    CommandsMoveDown->SetEnabled(item != nullptr && row < LCommands->Items()->Count() - 1);
    CommandsSubMenuEditor->SetEnabled(
        CommandsDelete->GetEnabled() &&
        (dynamic_cast<TubBarSubItem*>(item) != nullptr || dynamic_cast<TubBarContainerItem*>(item) != nullptr));
}

// ---- category commands -----------------------------------------------------------------------------------

void TubBarCustomizingForm::CategoriesAddClick(TObject*) {
    std::string name;
    if (!AskBarOrCategoryName(name, kCategoryKind, nmAdd, nullptr, barManager_)) return;
    barManager_->GetCategories()->Add(name);
    FillCategories();
    SelectCategoryRow(this, barManager_->GetCategories()->Count() - 1);
    Modified(barManager_);
}

void TubBarCustomizingForm::CategoriesInsertClick(TObject*) {
    const int category = SelectedCategory(this);
    if (category < 0) return;
    std::string name;
    if (!AskBarOrCategoryName(name, kCategoryKind, nmInsert, nullptr, barManager_)) return;
    barManager_->GetCategories()->Insert(category, name);
    FillCategories();
    SelectCategoryRow(this, category);
    Modified(barManager_);
}

void TubBarCustomizingForm::CategoriesRenameClick(TObject*) {
    const int category = SelectedCategory(this);
    if (category < 0) return;
    std::string name = barManager_->GetCategories()->Get(category);
    if (!AskBarOrCategoryName(name, kCategoryKind, nmRename, nullptr, barManager_)) return;
    barManager_->GetCategories()->Put(category, name);
    const int row = LCategories->GetItemIndex();
    LCategories->Items()->Put(row, name);
    LCategories->SetItemIndex(row);
    Modified(barManager_);
}

void TubBarCustomizingForm::CategoriesVisibleClick(TObject*) {
    const int category = SelectedCategory(this);
    if (category < 0) return;
    barManager_->SetVisibleOfCategory(category, !barManager_->GetVisibleOfCategory(category));
    UpdatePopupStates();
}

void TubBarCustomizingForm::CategoriesItemsVisibleChange(TObject*) {
    const int category = SelectedCategory(this);
    const int value = CategoriesItemsVisible->GetItemIndex();
    if (category < 0 || value < 0 || value > static_cast<int>(ivAlways)) return;
    barManager_->SetItemsVisibleOfCategory(category, static_cast<TubBarItemVisible>(value));
}

void TubBarCustomizingForm::CategoriesDeleteClick(TObject*) {
    const int category = SelectedCategory(this);
    TubBarManagerCategories* categories = barManager_->GetCategories();
    // The last category stays.
    if (category < 0 || categories->Count() <= 1) return;
    if (!Confirmed(&ubSubDeleteCategoryConfirmation, categories->Get(category))) return;
    const int row = LCategories->GetItemIndex();
    categories->Delete(category);
    FillCategories();
    const int count = LCategories->Items()->Count();
    LCategories->SetItemIndex(std::min(row, count - 1));
    RefreshCommands();
    UpdatePopupStates();
    Modified(barManager_);
}

// ---- command commands ------------------------------------------------------------------------------------

void TubBarCustomizingForm::CommandsAddClick(TObject*) {
    TubBarItem* item = AddNewItem(barManager_, SelectedCategory(this));
    if (item == nullptr || GetCustomizingForm() != this) return;
    SelectCategoryRow(this, item->GetCategory());
    for (int row = 0; row < LCommands->Items()->Count(); ++row)
        if (LCommands->Item(row) == item) SelectCommandRow(this, row);
}

void TubBarCustomizingForm::CommandsDeleteClick(TObject*) {
    TubBarItem* item = SelectedCommand(this);
    if (!MayDelete(item)) return;
    const int row = LCommands->GetItemIndex();
    {
        const TScopeExit refresh([this] { RefreshCommands(); });
        delete item;
    }
    SelectCommandRow(this, row < LCommands->Items()->Count() ? row : row - 1);
    Modified(barManager_);
}

void TubBarCustomizingForm::CommandsClearClick(TObject*) {
    const int category = SelectedCategory(this);
    bool any = false;
    if (category < 0 || !AllDeletable(barManager_, category, any) || !any) return;
    if (!Confirmed(&ubSubClearCommandsConfirmation, barManager_->GetCategories()->Get(category))) return;
    TListOf<TubBarItem> items;
    barManager_->CollectCategoryItems(category, items);
    deletingCommands_ = true;
    {
        const TScopeExit done([this] { deletingCommands_ = false; });
        const TubBarUpdateLock lock(barManager_);
        // Each item is looked up again: deleting one may take others with it.
        for (int i = items.Count() - 1; i >= 0; --i) {
            TListOf<TubBarItem> left;
            barManager_->CollectCategoryItems(category, left);
            if (left.IndexOf(items[i]) >= 0) delete items[i];
        }
    }
    RefreshCommands();
    UpdatePopupStates();
    Modified(barManager_);
}

namespace {
void MoveCommand(TubBarCustomizingForm* F, int ADelta) {
    TubBarManager* m = F->BarManager();
    const int row = F->LCommands->GetItemIndex();
    TubBarItem* item = CommandOfRow(F, row);
    TubBarItem* other = CommandOfRow(F, row + ADelta);
    if (m == nullptr || item == nullptr || other == nullptr) return;
    int from = -1, to = -1;
    for (int i = 0; i < m->ItemCount(); ++i) {
        if (m->Items(i) == item) from = i;
        if (m->Items(i) == other) to = i;
    }
    if (from < 0 || to < 0) return;
    m->ExchangeItemsInList(from, to);
    F->RefreshCommands();
    SelectCommandRow(F, row + ADelta);
}
}  // namespace

void TubBarCustomizingForm::CommandsMoveUpClick(TObject*) { MoveCommand(this, -1); }
void TubBarCustomizingForm::CommandsMoveDownClick(TObject*) { MoveCommand(this, 1); }

void TubBarCustomizingForm::CommandsSubMenuEditorClick(TObject*) {
    if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(SelectedCommand(this))) EditSubMenu(sub->GetItemLinks());
}

// ---- the popup buttons ----------------------------------------------------------------------------------

TCheckableButton::TCheckableButton(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TCheckableButton::Paint() {
    TCanvas* c = Canvas();
    RECT r = GetClientRect();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    if (down_) DrawEdge(c->GetHandle(), &r, BDR_SUNKENOUTER, BF_RECT);
    else if (hot_) DrawEdge(c->GetHandle(), &r, BDR_RAISEDINNER, BF_RECT);
    // The text centred on one line, a pixel lower and to the right while down.
    c->Font()->Assign(Font());
    c->Font()->SetColor(clBtnText);
    c->Brush()->SetStyle(bsClear);
    const std::string caption = Caption();
    const int shift = down_ ? 1 : 0;
    c->TextOut((r.right - c->TextWidth(caption)) / 2 + shift, (r.bottom - c->TextHeight(caption)) / 2 + shift, caption);
    c->Brush()->SetStyle(bsSolid);
}

void TCheckableButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || DropDownMenu == nullptr || inMenu_) return;
    if (swallowPress_) {
        swallowPress_ = false;
        return;
    }
    down_ = true;
    Repaint();
    const TPoint topLeft = ClientToScreen(TPoint(0, 0));
    const TRect element(topLeft.x, topLeft.y, topLeft.x + GetWidth(), topLeft.y + GetHeight());
    const TuiObjectLinkScope alive(this);
    inMenu_ = true;
    DropDownMenu->ShowMenuAtEx(topLeft.x, element.bottom, element, true, 0, GetHeight());
    if (!alive.Alive()) return;
    inMenu_ = false;
    down_ = false;
    // A press that closed the menu over the button waits in the queue: it must not open the menu again.
    POINT p;
    GetCursorPos(&p);
    const int primary = GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
    swallowPress_ = GetAsyncKeyState(primary) < 0 && p.x >= element.left && p.x < element.right && p.y >= element.top &&
                    p.y < element.bottom;
    Repaint();
}

void TCheckableButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE: {
            // Raised under the pointer only while its form is the active one.
            TCustomForm* form = TGraphicControl::GetParentForm();
            const bool hot = Message.Msg == CM_MOUSEENTER && form != nullptr && form->Active();
            if (hot != hot_) {
                hot_ = hot;
                Invalidate();
            }
            break;
        }
        case WM_LBUTTONUP: swallowPress_ = false; break;
        default: break;
    }
    TGraphicControl::Dispatch(Message);
}

void TubBarCustomizingForm::MakePopupButtons() {
    const std::pair<TBevel*&, TLabel*> places[] = {{CategoriesPopupButtonPlace, LabelCategories},
                                                   {CommandsPopupButtonPlace, LabelCommands}};
    TCheckableButton* made[2] = {};
    int i = 0;
    for (const auto& [place, label] : places) {
        if (place == nullptr) continue;
        auto* button = Construct<TCheckableButton>(this);
        button->SetCaption(LoadLibraryString(&ubSubCustomizeModify));
        button->Font()->Assign(label->Font());
        TBitmap measure;
        measure.Canvas()->Font()->Assign(label->Font());
        const int width = std::max(place->GetWidth(), measure.Canvas()->TextWidth(button->Caption()) + 8);
        button->SetBounds(label->GetLeft() + label->GetWidth() + 5, place->GetTop(), width, place->GetHeight());
        button->SetParent(place->GetParent());
        delete place;
        place = nullptr;
        made[i++] = button;
    }
    CategoriesPopupButton = made[0];
    CommandsPopupButton = made[1];
    if (CategoriesPopupButton != nullptr) CategoriesPopupButton->DropDownMenu = CategoriesPopupMenu;
    if (CommandsPopupButton != nullptr) CommandsPopupButton->DropDownMenu = CommandsPopupMenu;
}

// ---- category list: right click, keys and the row drag ---------------------------------------------------

void TubBarCustomizingForm::LCategoriesDragOver(TObject*, TObject* Source, int X, int Y, TDragState State,
                                                bool& Accept) {
    Accept = Source == LCategories && draggedCategory_ >= 0;
    if (!Accept || State != dsDragMove) return;
    // Passing another row moves the dragged category (and its row) there.
    const int row = LCategories->ItemAtPos(TPoint(X, Y), true);
    const int category = CategoryOfRow(row);
    if (category < 0 || category == draggedCategory_) return;
    barManager_->GetCategories()->Move(draggedCategory_, category);
    draggedCategory_ = category;
    FillCategories();
    LCategories->SetItemIndex(RowOfCategory(category));
    RefreshCommands();
    UpdatePopupStates();
    Modified(barManager_);
}
void TubBarCustomizingForm::LCategoriesEndDrag(TObject*, TObject*, int, int) { draggedCategory_ = -1; }

void TubBarCustomizingForm::LCategoriesKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if (barManager_ == nullptr || !barManager_->Designing() || !Shift.Empty()) return;
    UpdatePopupStates();
    if (Key == VK_INSERT && CategoriesInsert->GetEnabled()) CategoriesInsertClick(this);
    else if (Key == VK_DELETE && CategoriesDelete->GetEnabled()) CategoriesDeleteClick(this);
}

namespace {
// A right click on a design-mode list selects the row under it (ARowChanged follows a change) and opens the
// list's popup menu at the click, its entries in step with the selection.
void PopupOnRow(TubBarCustomizingForm* F, TCustomListBox* AList, TubBarPopupMenu* AMenu, int X, int Y,
                const std::function<void()>& ARowChanged) {
    TubBarManager* m = F->BarManager();
    if (m == nullptr || !m->Designing()) return;
    const int row = AList->ItemAtPos(TPoint(X, Y), true);
    if (row >= 0 && row != AList->GetItemIndex()) {
        AList->SetItemIndex(row);
        ARowChanged();
    }
    F->UpdatePopupStates();
    const TPoint at = AList->ClientToScreen(TPoint(X, Y));
    AMenu->ShowMenuAt(at.x, at.y);
}
}  // namespace

void TubBarCustomizingForm::LCategoriesMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == mbRight) PopupOnRow(this, LCategories, CategoriesPopupMenu, X, Y, [this] { RefreshCommands(); });
    if (Button != mbLeft || barManager_ == nullptr || !barManager_->Designing()) return;
    // A drag from a row moves its category.
    draggedCategory_ = CategoryOfRow(LCategories->ItemAtPos(TPoint(X, Y), true));
    if (draggedCategory_ >= 0) LCategories->BeginDrag(false);
}

void TubBarCustomizingForm::CommandsContextPopup(int X, int Y) {
    PopupOnRow(this, LCommands, CommandsPopupMenu, X, Y, [this] { LCommandsClick(LCommands); });
}

bool TubBarCustomizingForm::CommandsKeyDown(WORD Key, TShiftState Shift) {
    if (barManager_ == nullptr || !barManager_->Designing()) return false;
    const bool plain = Shift.Empty(), ctrl = Shift == TShiftState{ssCtrl};
    TubBarButton* entry = nullptr;
    if (plain && Key == VK_INSERT) entry = CommandsAdd;
    else if (plain && Key == VK_DELETE) entry = CommandsDelete;
    else if (ctrl && Key == VK_UP) entry = CommandsMoveUp;
    else if (ctrl && Key == VK_DOWN) entry = CommandsMoveDown;
    if (entry == nullptr) return false;
    UpdatePopupStates();
    if (!entry->GetEnabled()) return true;
    if (entry == CommandsAdd) CommandsAddClick(this);
    else if (entry == CommandsDelete) CommandsDeleteClick(this);
    else if (entry == CommandsMoveUp) CommandsMoveUpClick(this);
    else CommandsMoveDownClick(this);
    return true;
}

// ---- "All commands" ---------------------------------------------------------------------------------------

namespace {
bool HasShortCutProperty(TubBarItem* AItem) { return FindPropertySetter(AItem->ClassName(), "ShortCut") != nullptr; }
}  // namespace

void TubBarCustomizingForm::FillAllCommands() {
    if (barManager_ == nullptr || LAllCommands == nullptr) return;
    if (!allCommandsWndProc_) {
        allCommandsWndProc_ = LAllCommands->WindowProc;
        LAllCommands->WindowProc = [this](TMessage& M) { AllCommandsWindowProc(M); };
    }
    const int top = LAllCommands->HandleAllocated() ? LAllCommands->GetTopIndex() : 0;
    TObject* selected =
        LAllCommands->GetItemIndex() >= 0 ? LAllCommands->Items()->GetObject(LAllCommands->GetItemIndex()) : nullptr;
    const bool onlyShortCuts = CBShowCommandsWithShortCut->GetChecked();
    if (LAllCommands->HandleAllocated()) SendMessage(LAllCommands->GetHandle(), WM_SETREDRAW, FALSE, 0);
    LAllCommands->Items()->Clear();
    for (int i = 0; i < barManager_->ItemCount(); ++i) {
        TubBarItem* item = barManager_->Items(i);
        if (item->GetCategory() < 0 || (onlyShortCuts && !HasShortCutProperty(item))) continue;
        LAllCommands->Items()->AddObject(item->GetName(), item);
    }
    const int count = LAllCommands->Items()->Count();
    for (int row = 0; row < count; ++row)
        if (LAllCommands->Items()->GetObject(row) == selected) LAllCommands->SetItemIndex(row);
    if (count > 0 && LAllCommands->HandleAllocated()) LAllCommands->SetTopIndex(std::min(top, count - 1));
    if (LAllCommands->HandleAllocated()) {
        SendMessage(LAllCommands->GetHandle(), WM_SETREDRAW, TRUE, 0);
        LAllCommands->Invalidate();
    }
    MeasureAllCommands();
}

void TubBarCustomizingForm::MeasureAllCommands() {
    if (LAllCommands == nullptr) return;
    TBitmap measure;
    measure.Canvas()->Font()->Assign(LAllCommands->Font());
    widestName_ = widestCaption_ = widestShortCut_ = 0;
    for (int row = 0; row < LAllCommands->Items()->Count(); ++row) {
        auto* item = static_cast<TubBarItem*>(LAllCommands->Items()->GetObject(row));
        widestName_ = std::max(widestName_, measure.Canvas()->TextWidth(item->GetName()));
        widestCaption_ = std::max(widestCaption_, measure.Canvas()->TextWidth(item->GetCaption()));
        widestShortCut_ = std::max(widestShortCut_, measure.Canvas()->TextWidth(ShortCutToText(item->GetShortCut())));
    }
    // The rows scroll sideways across the three columns: the list gets its horizontal bar.
    const HWND list = LAllCommands->GetHandle();
    SetWindowLong(list, GWL_STYLE, GetWindowLong(list, GWL_STYLE) | static_cast<LONG>(WS_HSCROLL));
    SendMessage(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestName_ + widestCaption_ + widestShortCut_ + 30),
                0);
}

void TubBarCustomizingForm::LAllCommandsDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = LAllCommands->Canvas();
    auto* item = static_cast<TubBarItem*>(LAllCommands->Items()->GetObject(Index));
    const bool selected = State.Contains(odSelected);
    canvas->Brush()->SetColor(selected ? clHighlight : clWindow);
    canvas->Font()->SetColor(selected ? clHighlightText : clWindowText);
    canvas->FillRect(Rect);
    if (item == nullptr) return;
    // Name, caption and short-cut in three columns with a line between them.
    const int first = Rect.left + widestName_ + 10;
    const int second = first + widestCaption_ + 20;
    canvas->TextOut(Rect.left + 2, Rect.top + 1, item->GetName());
    canvas->TextOut(first + 5, Rect.top + 1, item->GetCaption());
    canvas->TextOut(second + 5, Rect.top + 1, ShortCutToText(item->GetShortCut()));
    canvas->Pen()->SetColor(clBtnShadow);
    const bool last = Index == LAllCommands->Items()->Count() - 1;
    const int bottom = last ? LAllCommands->GetClientRect().bottom : Rect.bottom;
    for (int x : {first, second}) {
        canvas->MoveTo(x, Rect.top);
        canvas->LineTo(x, bottom);
    }
}

void TubBarCustomizingForm::AllCommandsWindowProc(TMessage& Message) {
    allCommandsWndProc_(Message);
    if (Message.Msg != WM_PAINT || !LAllCommands->HandleAllocated()) return;
    const int count = LAllCommands->Items()->Count();
    if (count == 0) return;
    const TRect last = LAllCommands->ItemRect(count - 1);
    const TRect client = LAllCommands->GetClientRect();
    if (last.bottom >= client.bottom) return;
    HDC dc = GetDC(LAllCommands->GetHandle());
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Pen()->SetColor(clBtnShadow);
    const int first = last.left + widestName_ + 10;
    for (int x : {first, first + widestCaption_ + 20}) {
        canvas.MoveTo(x, last.bottom);
        canvas.LineTo(x, client.bottom);
    }
    canvas.SetHandle(nullptr);
    ReleaseDC(LAllCommands->GetHandle(), dc);
}

void TubBarCustomizingForm::LAllCommandsClick(TObject*) {
    const int row = LAllCommands->GetItemIndex();
    if (row < 0) return;
    if (IubBarDesigner* designer = BarDesigner())
        designer->SelectComponent(static_cast<TComponent*>(LAllCommands->Items()->GetObject(row)));
}

void TubBarCustomizingForm::CBShowCommandsWithShortCutClick(TObject*) { FillAllCommands(); }

// ---- "Groups" ---------------------------------------------------------------------------------------------

void TubBarCustomizingForm::FillGroups() {
    if (barManager_ == nullptr || lbGroups == nullptr || groupsUpdateCount_ > 0) return;
    TubBarGroup* selected = GroupOfRow(this, lbGroups->GetItemIndex());
    lbGroups->Items()->Clear();
    int row = -1;
    for (int i = 0; i < barManager_->GroupCount(); ++i) {
        lbGroups->Items()->AddObject(barManager_->Groups(i)->GetName(), barManager_->Groups(i));
        if (barManager_->Groups(i) == selected) row = i;
    }
    if (row < 0 && lbGroups->Items()->Count() > 0) row = 0;
    lbGroups->SetItemIndex(row);
    FillGroupItems();
}

void TubBarCustomizingForm::FillGroupItems() {
    if (lbGroupItems == nullptr) return;
    lbGroupItems->Items()->Clear();
    TubBarGroup* group = GroupOfRow(this, lbGroups->GetItemIndex());
    if (group != nullptr)
        for (int i = 0; i < group->Count(); ++i)
            lbGroupItems->Items()->AddObject(group->Members(i)->GetName(), group->Members(i));
    btnGroupDelete->SetEnabled(group != nullptr && MayDelete(group));
    btnGroupAdd->SetEnabled(MayAdd(barManager_));
    btnGroupItemAdd->SetEnabled(group != nullptr);
    btnGroupItemDelete->SetEnabled(group != nullptr && group->Count() > 0);
    btnMoveUp->SetEnabled(group != nullptr);
    btnMoveDown->SetEnabled(group != nullptr);
}

void TubBarCustomizingForm::lbGroupsClick(TObject*) { FillGroupItems(); }
void TubBarCustomizingForm::lbGroupItemsClick(TObject*) {}

void TubBarCustomizingForm::lbGroupsMeasureItem(TWinControl*, int, int& Height) {
    TBitmap measure;
    measure.Canvas()->Font()->Assign(lbGroups->Font());
    measure.Canvas()->Font()->SetStyle(TFontStyles{fsBold});
    Height = measure.Canvas()->TextHeight("Qq") + 2;
}

namespace {
void DrawGroupRow(TCustomListBox* AList, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = AList->Canvas();
    const bool selected = State.Contains(odSelected);
    canvas->Brush()->SetColor(selected ? clHighlight : clWindow);
    canvas->Font()->SetColor(selected ? clHighlightText : clWindowText);
    canvas->Font()->SetStyle(
        dynamic_cast<TubBarGroup*>(AList->Items()->GetObject(Index)) != nullptr ? TFontStyles{fsBold} : TFontStyles{});
    canvas->TextRect(Rect, Rect.left + 2, Rect.top + 1, AList->Items()->Get(Index));
}
}  // namespace

void TubBarCustomizingForm::lbGroupsDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    DrawGroupRow(lbGroups, Index, Rect, State);
}
void TubBarCustomizingForm::lbGroupItemsDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    DrawGroupRow(lbGroupItems, Index, Rect, State);
}

void TubBarCustomizingForm::lbGroupsEnter(TObject*) { groupItemsFocused_ = false; }
void TubBarCustomizingForm::lbGroupItemsEnter(TObject*) { groupItemsFocused_ = true; }

void TubBarCustomizingForm::lbGroupsKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if (!Shift.Empty()) return;
    if (Key == VK_INSERT && btnGroupAdd->GetEnabled()) btnGroupAddClick(this);
    else if (Key == VK_DELETE && btnGroupDelete->GetEnabled()) btnGroupDeleteClick(this);
}

void TubBarCustomizingForm::lbGroupItemsKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if (!Shift.Empty()) return;
    if (Key == VK_INSERT && btnGroupItemAdd->GetEnabled()) btnGroupItemAddClick(this);
    else if (Key == VK_DELETE && btnGroupItemDelete->GetEnabled()) btnGroupItemDeleteClick(this);
}

void TubBarCustomizingForm::btnGroupAddClick(TObject*) {
    if (!MayAdd(barManager_)) return;
    TubBarGroup* group = nullptr;
    {
        ++groupsUpdateCount_;
        const TScopeExit done([this] { --groupsUpdateCount_; });
        group = barManager_->AddGroup();
        IubBarDesigner* designer = BarDesigner();
        group->SetName(designer != nullptr ? designer->UniqueName(barManager_, "ubBarGroup") : std::string());
    }
    FillGroups();
    for (int row = 0; row < lbGroups->Items()->Count(); ++row)
        if (GroupOfRow(this, row) == group) lbGroups->SetItemIndex(row);
    FillGroupItems();
    Modified(barManager_);
}

void TubBarCustomizingForm::btnGroupDeleteClick(TObject*) {
    const int row = lbGroups->GetItemIndex();
    TubBarGroup* group = GroupOfRow(this, row);
    if (!MayDelete(group)) return;
    // The row goes first: the list never holds a freed group, not even while it is filled again.
    lbGroups->Items()->Delete(row);
    delete group;
    FillGroups();
    const int count = lbGroups->Items()->Count();
    lbGroups->SetItemIndex(count == 0 ? -1 : std::min(row, count - 1));
    FillGroupItems();
    Modified(barManager_);
}

void TubBarCustomizingForm::btnGroupItemAddClick(TObject*) {
    TubBarGroup* group = GroupOfRow(this, lbGroups->GetItemIndex());
    TListOf<TComponent> chosen;
    if (group == nullptr || !AddGroupItems(group, chosen) || GetCustomizingForm() != this) return;
    for (TComponent* member : chosen) group->Add(member);
    FillGroupItems();
    for (int row = 0; row < lbGroupItems->Items()->Count(); ++row)
        lbGroupItems->SetSelected(row,
                                  chosen.IndexOf(static_cast<TComponent*>(lbGroupItems->Items()->GetObject(row))) >= 0);
    Modified(barManager_);
}

void TubBarCustomizingForm::btnGroupItemDeleteClick(TObject*) {
    TubBarGroup* group = GroupOfRow(this, lbGroups->GetItemIndex());
    if (group == nullptr) return;
    int last = -1;
    TListOf<TComponent> gone;
    for (int row = 0; row < lbGroupItems->Items()->Count(); ++row)
        if (lbGroupItems->Selected(row)) {
            gone.Add(static_cast<TComponent*>(lbGroupItems->Items()->GetObject(row)));
            last = row;
        }
    if (gone.Count() == 0) return;
    // The nearest member left after the removed ones, else before them.
    TComponent* next = nullptr;
    for (int row = last + 1; row < lbGroupItems->Items()->Count() && next == nullptr; ++row)
        if (!lbGroupItems->Selected(row)) next = static_cast<TComponent*>(lbGroupItems->Items()->GetObject(row));
    for (int row = last; row >= 0 && next == nullptr; --row)
        if (!lbGroupItems->Selected(row)) next = static_cast<TComponent*>(lbGroupItems->Items()->GetObject(row));
    for (TComponent* member : gone) group->Remove(member);
    FillGroupItems();
    for (int row = 0; row < lbGroupItems->Items()->Count(); ++row)
        if (lbGroupItems->Items()->GetObject(row) == next) lbGroupItems->SetSelected(row, true);
    Modified(barManager_);
}

namespace {
void MoveGroupRows(TubBarCustomizingForm* F, int ADelta, bool AMembers) {
    TubBarManager* m = F->BarManager();
    TubBarGroup* group = GroupOfRow(F, F->lbGroups->GetItemIndex());
    if (m == nullptr || group == nullptr) return;
    if (!AMembers) {
        const int index = group->GetIndex() + ADelta;
        if (index < 0 || index >= m->GroupCount()) return;
        group->SetIndex(index);
        F->FillGroups();
        Modified(m);
        return;
    }
    // The selected members move as one block by one place, stopping at the ends.
    TListOf<TComponent> block;
    int first = -1, lastRow = -1;
    for (int row = 0; row < F->lbGroupItems->Items()->Count(); ++row)
        if (F->lbGroupItems->Selected(row)) {
            block.Add(group->Members(row));
            if (first < 0) first = row;
            lastRow = row;
        }
    if (block.Count() == 0 || (ADelta < 0 && first == 0) || (ADelta > 0 && lastRow == group->Count() - 1)) return;
    if (ADelta < 0)
        for (int i = 0; i < block.Count(); ++i)
            group->MoveMember(group->IndexOf(block[i]), group->IndexOf(block[i]) - 1);
    else
        for (int i = block.Count() - 1; i >= 0; --i)
            group->MoveMember(group->IndexOf(block[i]), group->IndexOf(block[i]) + 1);
    F->FillGroupItems();
    for (int row = 0; row < F->lbGroupItems->Items()->Count(); ++row)
        F->lbGroupItems->SetSelected(row, block.IndexOf(group->Members(row)) >= 0);
    Modified(m);
}
}  // namespace

void TubBarCustomizingForm::btnMoveUpClick(TObject*) { MoveGroupRows(this, -1, groupItemsFocused_); }
void TubBarCustomizingForm::btnMoveDownClick(TObject*) { MoveGroupRows(this, 1, groupItemsFocused_); }

}  // namespace zel
