// The combo box: a drop-down editor whose popup is the list of its items, sized by rows, drawn and measured
// by the settings' events, chosen from by mouse or keys.
#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/editors/uiDropDownEdit.h"
#include "uilib/editors/uiEditConsts.h"

namespace zel {

// ------------------------------------------------------------------------------------------- properties

TuiCustomComboBoxProperties::TuiCustomComboBoxProperties(TPersistent* AOwner)
    : TuiCustomDropDownEditProperties(AOwner) {}

void TuiCustomComboBoxProperties::SetDropDownListStyle(TuiEditDropDownListStyle Value) {
    if (listStyle_ == Value) return;
    listStyle_ = Value;
    Changed();
}

void TuiCustomComboBoxProperties::SetDropDownRows(int Value) {
    if (Value < 1 || Value == dropDownRows_) return;
    dropDownRows_ = Value;
    Changed();
}

void TuiCustomComboBoxProperties::SetItemHeight(int Value) {
    if (itemHeight_ == Value) return;
    itemHeight_ = Value;
    Changed();
}

TuiTextEditingStyle TuiCustomComboBoxProperties::GetEditingStyle() const {
    switch (listStyle_) {
        case lsEditFixedList: return tesListCompletion;
        case lsFixedList: return tesListOnly;
        default: return TuiCustomDropDownEditProperties::GetEditingStyle();
    }
}

TuiCustomEditPopupWindow* TuiCustomComboBoxProperties::CreatePopupWindow(TuiCustomDropDownEdit* AEditor) {
    return Construct<TuiComboBoxPopupWindow>(AEditor);
}

void TuiCustomComboBoxProperties::Assign(TPersistent* Source) {
    BeginUpdate();
    TScopeExit end([this] { EndUpdate(); });
    TuiCustomDropDownEditProperties::Assign(Source);
    auto* source = dynamic_cast<TuiCustomComboBoxProperties*>(Source);
    if (source == nullptr) return;
    SetDropDownListStyle(source->listStyle_);
    SetDropDownRows(source->dropDownRows_);
    SetItemHeight(source->itemHeight_);
    Revertable = source->Revertable;
    OnDrawItem = source->OnDrawItem;
    OnMeasureItem = source->OnMeasureItem;
}

TClass TuiCustomComboBoxProperties::StaticClass() {
    static const TClassInfo info{"TuiCustomComboBoxProperties", TuiCustomDropDownEditProperties::StaticClass()};
    return &info;
}

TClass TuiComboBoxProperties::StaticClass() {
    static const TClassInfo info{"TuiComboBoxProperties", TuiCustomComboBoxProperties::StaticClass()};
    return &info;
}

// ------------------------------------------------------------------------------------------------ list

TuiCustomComboBoxListBox::TuiCustomComboBoxListBox(TuiCustomComboBox* ACombo)
    : TuiCustomEditListBox(nullptr), combo_(ACombo) {
    Edit = ACombo;
    SetStyle(lbOwnerDrawVariable);
    OnMeasureItem = [this](TWinControl*, int AIndex, int& AHeight) { AHeight = ItemHeightOf(AIndex); };
    const TDrawItemEvent plain = OnDrawItem;
    OnDrawItem = [this, plain](TWinControl* Control, int AIndex, TRect R, TOwnerDrawState AState) {
        if (!combo_->DoDrawItem(Canvas(), AIndex, R, AState)) plain(Control, AIndex, R, AState);
    };
}

int TuiCustomComboBoxListBox::ItemHeightOf(int AIndex) {
    int height = GetItemHeight();
    combo_->DoMeasureItem(AIndex, height);
    return height;
}

int TuiCustomComboBoxListBox::RowsHeight(int ARowCount) {
    int height = 0;
    for (int i = 0; i < ARowCount; ++i) height += ItemHeightOf(i);
    return height;
}

void TuiCustomComboBoxListBox::CreateParams(TCreateParams& Params) {
    TuiCustomEditListBox::CreateParams(Params);
    // An owner-drawn list repaints when its width changes.
    if (combo_->HasDrawItemEvent()) Params.WindowClass.style |= CS_HREDRAW;
}

void TuiCustomComboBoxListBox::MouseMove(TShiftState Shift, int X, int Y) {
    if (IgnoreNextMouseMove) {
        IgnoreNextMouseMove = false;
        return;
    }
    TuiCustomEditListBox::MouseMove(Shift, X, Y);
}

void TuiCustomComboBoxListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TuiCustomEditListBox::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const int at = ItemAtPos(TPoint{X, Y}, true);
    if (at >= 0) combo_->ListItemChosen(at);
}

void TuiComboBoxListBox::UpdateStyle() {
    SetStyle(Combo()->HasMeasureItemEvent() ? lbOwnerDrawVariable : lbOwnerDrawFixed);
    if (GetStyle() == lbOwnerDrawFixed) SetItemHeight(ItemHeightOf(0));
}

// ----------------------------------------------------------------------------------------- lookup data

TuiComboBoxLookupData::TuiComboBoxLookupData(TuiCustomComboBox* AOwner)
    : TuiCustomTextEditLookupData(AOwner), combo_(AOwner) {}

TuiCustomEditListBox* TuiComboBoxLookupData::CreateList() { return new TuiComboBoxListBox(combo_); }

void TuiComboBoxLookupData::Initialize(TWinControl* AParent) {
    widest_ = -1;
    TuiCustomTextEditLookupData::Initialize(AParent);
    if (ComboList() == nullptr) return;
    const bool wasAllocated = ComboList()->HandleAllocated();
    const TListBoxStyle before = ComboList()->GetStyle();
    ComboList()->UpdateStyle();
    // Rows of their own heights are measured as the items go in: a new window measures them anew.
    if (wasAllocated && before == lbOwnerDrawVariable && ComboList()->GetStyle() == lbOwnerDrawVariable)
        ComboList()->RecreateWnd();
    ListChanged();
    SendMessage(ComboList()->GetHandle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(WidestItem() + 4), 0);
}

int TuiComboBoxLookupData::WidestItem() {
    if (widest_ >= 0) return widest_;
    TuiComboBoxListBox* list = ComboList();
    if (list == nullptr) return 0;
    // Measured once per opening, in the list's font.
    TCanvas* canvas = list->Canvas();
    canvas->Font()->Assign(list->Font());
    int widest = 0;
    for (int i = 0; i < GetItemCount(); ++i) widest = std::max(widest, canvas->TextWidth(GetDisplayText(i)));
    widest_ = widest;
    return widest;
}

TPoint TuiComboBoxLookupData::GetVisualAreaPreferredSize(TPoint AMaxSize) {
    TuiComboBoxListBox* list = ComboList();
    if (list == nullptr) return TPoint{0, 0};
    const int count = GetItemCount();
    const int wanted = std::min(combo_->ComboProperties()->GetDropDownRows(), count);
    int rows = 0, height = 0;
    while (rows < wanted) {
        const int next = list->ItemHeightOf(rows);
        if (rows > 0 && height + next > AMaxSize.y) break;
        height += next;
        ++rows;
    }
    int width = WidestItem() + 4;
    if (count > rows) width += GetSystemMetrics(SM_CXVSCROLL);
    if (width > AMaxSize.x) {
        width = AMaxSize.x;
        height += GetSystemMetrics(SM_CYHSCROLL);
    }
    return TPoint{width, height};
}

bool TuiComboBoxLookupData::ContentResizing(int& AWidth, int& AHeight) {
    TuiComboBoxListBox* list = ComboList();
    if (list == nullptr) return true;
    const int count = GetItemCount();
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    const int widest = WidestItem() + 4;
    // Whole rows only, at least one, from the first row down; the horizontal bar takes its height first when
    // the widest item does not fit.
    for (int pass = 0; pass < 2; ++pass) {
        const bool vertical = pass == 1;
        const bool horizontal = widest > AWidth - (vertical ? cx : 0);
        const int room = AHeight - (horizontal ? cy : 0);
        int rows = 0, height = 0;
        while (rows < count && (rows == 0 || height + list->ItemHeightOf(rows) <= room)) {
            height += list->ItemHeightOf(rows);
            ++rows;
        }
        if (rows < count && !vertical) continue;
        AHeight = height + (horizontal ? cy : 0);
        if (rows < count) AWidth = std::max(AWidth, cx + 1);
        return true;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------- popup

TPoint TuiComboBoxPopupWindow::ContentSize() {
    auto* combo = dynamic_cast<TuiCustomComboBox*>(Editor());
    if (combo == nullptr || combo->ComboLookupData() == nullptr) return TuiCustomEditPopupWindow::ContentSize();
    TPoint room = GetMaxContentSize();
    TuiCustomComboBoxProperties* p = combo->ComboProperties();
    if (!p->PopupAutoSize && !p->PopupSizeable) {
        const TRect e = PopupViewInfo()->GetExtent();
        const int width = p->GetPopupWidth() > 0 ? p->GetPopupWidth() : combo->GetWidth();
        room.x = std::min(room.x, width - e.left - e.right);
    }
    return combo->ComboLookupData()->GetVisualAreaPreferredSize(room);
}

void TuiComboBoxPopupWindow::CalculateSize() {
    auto* combo = dynamic_cast<TuiCustomComboBox*>(Editor());
    if (combo == nullptr) {
        TuiCustomEditPopupWindow::CalculateSize();
        return;
    }
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    vi.Corner = 3;
    EditorBounds = GetOwnerScreenBounds();
    const TRect e = vi.GetExtent();
    const TPoint minSize = GetMinSize();
    const bool sizeable = vi.PopupSizeable;
    const bool resized = sizeable && combo->PopupSizeChanged;
    const TPoint content = ContentSize();
    int width = 0, height = 0;
    if (resized || (!PopupAutoSize && PopupWidth > 0)) width = PopupWidth;
    else if (PopupAutoSize) width = std::max(content.x + e.left + e.right, EditorBounds.Width());
    else width = EditorBounds.Width();
    if ((resized || PopupHeight != 0) && (sizeable || !PopupAutoSize)) height = PopupHeight;
    else height = content.y + e.top + e.bottom;
    if (sizeable) {
        width = std::max(width, PopupMinWidth);
        height = std::max(height, PopupMinHeight);
    }
    SetBounds(GetLeft(), GetTop(), std::max(width, minSize.x), std::max(height, minSize.y));
}

// ------------------------------------------------------------------------------------------------ editor

TuiCustomComboBox::TuiCustomComboBox(TComponent* AOwner) : TuiCustomDropDownEdit(AOwner) {}

TWinControl* TuiCustomComboBox::PopupList() const {
    return ComboLookupData() != nullptr ? ComboLookupData()->GetList() : nullptr;
}

bool TuiCustomComboBox::HasDrawItemEvent() const {
    auto* own = static_cast<TuiCustomComboBoxProperties*>(Properties());
    if (own->OnDrawItem) return true;
    return GetRepositoryItem() != nullptr && static_cast<bool>(ComboProperties()->OnDrawItem);
}

bool TuiCustomComboBox::HasMeasureItemEvent() const {
    auto* own = static_cast<TuiCustomComboBoxProperties*>(Properties());
    if (own->OnMeasureItem) return true;
    return GetRepositoryItem() != nullptr && static_cast<bool>(ComboProperties()->OnMeasureItem);
}

bool TuiCustomComboBox::DoDrawItem(TCanvas* ACanvas, int AIndex, const TRect& ARect, TOwnerDrawState AState) {
    auto* own = static_cast<TuiCustomComboBoxProperties*>(Properties());
    if (own->OnDrawItem) {
        own->OnDrawItem(this, ACanvas, AIndex, ARect, AState);
        return true;
    }
    if (GetRepositoryItem() != nullptr && ComboProperties()->OnDrawItem) {
        ComboProperties()->OnDrawItem(this, ACanvas, AIndex, ARect, AState);
        return true;
    }
    return false;
}

void TuiCustomComboBox::DoMeasureItem(int AIndex, int& AHeight) {
    TuiCustomComboBoxProperties* active = ComboProperties();
    if (active->GetItemHeight() > 0) AHeight = active->GetItemHeight();
    TuiCustomEditListBox* list = ComboLookupData() != nullptr ? ComboLookupData()->GetList() : nullptr;
    auto* own = static_cast<TuiCustomComboBoxProperties*>(Properties());
    if (own->OnMeasureItem) own->OnMeasureItem(list, AIndex, AHeight);
    if (GetRepositoryItem() != nullptr && active != own && active->OnMeasureItem)
        active->OnMeasureItem(list, AIndex, AHeight);
}

void TuiCustomComboBox::SetItemIndex(int Value) {
    TuiCustomTextEdit::SetItemIndex(Value);
    if (ComboLookupData() != nullptr && ComboLookupData()->ComboList() != nullptr)
        ComboLookupData()->ComboList()->IgnoreNextMouseMove = true;
}

void TuiCustomComboBox::SetupPopupWindow() {
    TuiCustomDropDownEdit::SetupPopupWindow();
    PopupWindow()->OnContentResizing = [this](int& AWidth, int& AHeight) {
        return ComboLookupData() == nullptr || ComboLookupData()->ContentResizing(AWidth, AHeight);
    };
}

void TuiCustomComboBox::PositionPopupContent(const TRect& AClientRect) {
    if (ComboLookupData() != nullptr) ComboLookupData()->PositionVisualArea(AClientRect);
}

void TuiCustomComboBox::PopupWindowShowed() {
    TuiCustomDropDownEdit::PopupWindowShowed();
    if (ComboLookupData() == nullptr || ComboLookupData()->ComboList() == nullptr) return;
    ComboLookupData()->SyncSelected();
    // A popup that opens under the mouse does not take the pointer's place as a choice.
    POINT p{};
    GetCursorPos(&p);
    if (ComboLookupData()->IsMouseOverList(p)) ComboLookupData()->ComboList()->IgnoreNextMouseMove = true;
}

int TuiCustomComboBox::ListItemAt(TPoint AScreen) {
    if (!HasPopupWindow() || ComboLookupData() == nullptr || !ComboLookupData()->IsMouseOverList(AScreen)) return -1;
    TuiComboBoxListBox* list = ComboLookupData()->ComboList();
    return list->ItemAtPos(list->ScreenToClient(AScreen), true);
}

void TuiCustomComboBox::ListItemChosen(int AIndex) {
    TuiComboBoxListBox* list = ComboLookupData()->ComboList();
    if (list->GetItemIndex() != AIndex) list->SetItemIndex(AIndex);
    if (list->OnIndexChanged) list->OnIndexChanged();
    CloseUp(crEnter);
}

void TuiCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
    TuiCustomDropDownEdit::MouseMove(Shift, X, Y);
    // Pressed in the editor and dragged into the open list: the item under the mouse follows.
    if (!Shift.Contains(ssLeft) || GetCapture() == nullptr || !HasPopupWindow()) return;
    const TPoint screen = ClientToScreen(TPoint{X, Y});
    if (ComboLookupData() == nullptr || !ComboLookupData()->IsMouseOverList(screen)) return;
    TuiComboBoxListBox* list = ComboLookupData()->ComboList();
    const TPoint p = list->ScreenToClient(screen);
    SendMessage(list->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

void TuiCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TuiCustomDropDownEdit::MouseUp(Button, Shift, X, Y);
    // A release in the list is the list's to choose with.
    if (Button != mbLeft || InnerControlMouseDown) return;
    // Released over an item of the list after a drag from the editor: that item is chosen.
    const int at = ListItemAt(ClientToScreen(TPoint{X, Y}));
    if (at >= 0) ListItemChosen(at);
}

void TuiCustomComboBox::DblClick() {
    TuiCustomDropDownEdit::DblClick();
    if (!ComboProperties()->Revertable || HasPopupWindow() || LookupData() == nullptr || LookupData()->IsEmpty())
        return;
    if (!DoEditing()) return;
    // The next item, after the last the first.
    const int count = LookupData()->GetItemCount();
    const int next = (LookupData()->GetCurrentKey() + 1) % count;
    const int old = LookupData()->GetCurrentKey();
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false); });
    SettingTextFromLookup = true;
    TScopeExit setting([this] { SettingTextFromLookup = false; });
    LookupData()->SetCurrentKey(next);
    if (LookupData()->GetCurrentKey() != old) {
        MarkModified();
        PostEditValue();
    }
}

void TuiCustomComboBox::InnerTextChanged() {
    TuiCustomDropDownEdit::InnerTextChanged();
    if (LookupData() == nullptr || SettingTextFromLookup) return;
    const int old = LookupData()->GetCurrentKey();
    LookupData()->TextChanged();
    if (LookupData()->GetCurrentKey() != old && IsUserChange() && ComboProperties()->GetIncrementalSearch())
        MarkModified();
}

void TuiCustomComboBox::SpellRedraw() {
    TuiCustomDropDownEdit::SpellRedraw();
    if (ComboProperties()->GetDropDownListStyle() != lsFixedList || !HasDrawItemEvent() || InnerEdit() == nullptr ||
        !InnerEdit()->HandleAllocated() || LookupData() == nullptr)
        return;
    const int index = LookupData()->GetCurrentKey();
    if (index < 0) return;
    const HWND inner = InnerEdit()->GetHandle();
    RECT r{};
    ::zel::GetClientRect(inner, &r);
    HDC dc = GetDC(inner);
    TCanvas canvas;
    canvas.SetHandle(dc);
    // Focused, the item shows selected, in the selection colours; else in the editor's own.
    const bool focused = IsFocused();
    TOwnerDrawState state;
    if (focused) state.Include(odSelected).Include(odFocused);
    canvas.Font()->Assign(Style()->GetVisibleFont());
    canvas.Brush()->SetColor(focused ? clHighlight : Style()->GetColor());
    canvas.Font()->SetColor(focused ? clHighlightText : Style()->GetVisibleFont()->GetColor());
    DoDrawItem(&canvas, index, r, state);
    canvas.SetHandle(nullptr);
    ReleaseDC(inner, dc);
}

// ------------------------------------------------------------------------------------------------ filter

TClass TuiFilterComboBoxHelper::StaticClass() {
    return MakeHelperClass<TuiFilterComboBoxHelper>("TuiFilterComboBoxHelper", TuiFilterMaskEditHelper::StaticClass());
}

void TuiFilterComboBoxHelper::InitializeProperties(TuiCustomEditProperties* AProperties,
                                                   TuiCustomEditProperties* AEditProperties, bool AHasButtons) const {
    TUpdateBracket update(AProperties);
    TuiFilterMaskEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    auto* properties = dynamic_cast<TuiCustomComboBoxProperties*>(AProperties);
    if (properties == nullptr) return;
    TBitmap none;
    properties->SetButtonGlyph(&none);
    properties->SetDropDownRows(8);
    properties->SetDropDownListStyle(lsEditList);
    properties->ImmediateDropDown = false;
    properties->SetPopupAlignment(taLeftJustify);
    properties->Revertable = false;
}

// -------------------------------------------------------------------------------------------------- unit

namespace {

void uiDropDownEditStartup() {
    GetRegisteredEditProperties()->Register(TuiComboBoxProperties::StaticClass(), suiSEditRepositoryComboBoxItem.Text);
    GetRegisteredEditProperties()->Register(TuiPopupEditProperties::StaticClass(), suiSEditRepositoryPopupItem.Text);
    FilterEditsController()->Register(TuiComboBoxProperties::StaticClass(), TuiFilterComboBoxHelper::StaticClass());
}

void uiDropDownEditShutdown() {
    FilterEditsController()->Unregister(TuiComboBoxProperties::StaticClass(), TuiFilterComboBoxHelper::StaticClass());
    GetRegisteredEditProperties()->Unregister(TuiPopupEditProperties::StaticClass());
    GetRegisteredEditProperties()->Unregister(TuiComboBoxProperties::StaticClass());
}

}  // namespace

TUnitRow uiDropDownEditUnitRow() { return {"uiDropDownEdit", uiDropDownEditStartup, uiDropDownEditShutdown}; }

}  // namespace zel
