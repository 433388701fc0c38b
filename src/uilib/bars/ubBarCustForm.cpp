#include "uilib/bars/ubBarCustForm.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"
#include "platform/win/Beep.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarNameEd.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarPopupMenuEd.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/ubCore.h"

namespace zel {

namespace formres {
extern const TFormResource ubBarCustForm;
}

namespace {

TubBarCustomizingForm* customizingForm = nullptr;
// The forms DisableOtherForms turned off, to be turned on again.
std::vector<HWND> disabledForms;

const TFormClassRegistration registration("TubBarCustomizingForm", [](TComponent* Owner) -> TCustomForm* {
    return Construct<TubBarCustomizingForm>(Owner);
});

// The resource text with its "%s" replaced by the argument.
std::string FormatText(const TResStringRec& ARec, const std::string& AArg) {
    std::string text = LoadLibraryString(&ARec);
    if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, AArg);
    return text;
}

void LoadText(TControl* AControl, const TResStringRec& ARec) {
    if (AControl != nullptr) AControl->SetCaption(LoadLibraryString(&ARec));
}

// The width of a control's text (accelerator marks left out) in its font.
int TextWidthIn(TControl* AControl, const std::string& AText) {
    TBitmap measure;
    measure.Canvas()->Font()->Assign(AControl->Font());
    return measure.Canvas()->TextWidth(StripAccelerators(AText));
}

}  // namespace

// ------------------------------------------------------------------------------------------------ routines

void ShowCustomizingForm(TubBarManager* AManager, bool AShow) {
    if (AShow) {
        if (customizingForm != nullptr || AManager == nullptr) return;
        CallNotifyEvent(AManager->OnShowCustomizingForm, AManager);
        DisableOtherForms(false);
        auto* form = Construct<TubBarCustomizingForm>(nullptr);
        customizingForm = form;
        AManager->CustomizingFormOpen = true;
        form->Init(AManager);
        form->Show();
        return;
    }
    TubBarCustomizingForm* form = customizingForm;
    if (form != nullptr) {
        TubBarManager* manager = form->BarManager();
        if (manager != nullptr) manager->CustomizingFormOpen = false;
        customizingForm = nullptr;
        if (!form->Destroying()) {
            DisableOtherForms(true);
            delete form;
        }
    }
    CloseSubMenuEditor();
    if (AManager != nullptr) {
        AManager->CustomizingFormOpen = false;
        CallNotifyEvent(AManager->OnHideCustomizingForm, AManager);
    }
}

TubBarCustomizingForm* GetCustomizingForm() { return customizingForm; }

HWND CustomizingFormHandle() {
    return customizingForm != nullptr && customizingForm->HandleAllocated() ? customizingForm->GetHandle() : nullptr;
}

void CustomizingFormActivate(bool AActive, HWND AOtherWindow) {
    // The form passes its own activation on to the manager's form: an activation that comes back from there
    // (or names the form itself) is not sent again.
    static bool passing = false;
    HWND form = CustomizingFormHandle();
    if (form == nullptr || passing || AOtherWindow == form) return;
    passing = true;
    TScopeExit done([] { passing = false; });
    SendMessage(form, WM_ACTIVATE, AActive ? WA_ACTIVE : WA_INACTIVE, reinterpret_cast<LPARAM>(AOtherWindow));
}

void CustomizingFormOwnerMoved(const WINDOWPOS& APos) {
    // The form and an open sub-menu editor are shown and hidden with the manager's form.
    if ((APos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) == 0) return;
    const int show = (APos.flags & SWP_SHOWWINDOW) != 0 ? SW_SHOWNA : SW_HIDE;
    if (HWND form = CustomizingFormHandle()) ShowWindow(form, show);
    if (TubBarSubMenuEditor* editor = SubMenuEditor(); editor != nullptr && editor->HandleAllocated())
        ShowWindow(editor->GetHandle(), show);
}

void DisableOtherForms(bool ARestore) {
    if (ARestore) {
        for (HWND window : disabledForms)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        disabledForms.clear();
        return;
    }
    TubBarManagerList* list = BarManagerList();
    if (list == nullptr) return;
    for (int i = 0; i < list->Count(); ++i) {
        TCustomForm* form = list->Managers(i)->Form();
        if (form == nullptr || form == customizingForm || !form->HandleAllocated()) continue;
        HWND window = form->GetHandle();
        if (!IsWindowEnabled(window)) continue;
        EnableWindow(window, FALSE);
        disabledForms.push_back(window);
    }
}

void CustomizingFormUpdateAll() {
    if (customizingForm == nullptr) return;
    customizingForm->UpdateStyle();
    customizingForm->RefreshCommands();
    customizingForm->LoadOptions();
}

void CustomizingFormUpdateHelpButton() {
    if (customizingForm != nullptr) customizingForm->UpdateHelpButton();
}

void CustomizingFormBarDeleted(TubBar* ABar) {
    if (customizingForm != nullptr) customizingForm->BarDeleted(ABar);
}

void CustomizingFormBarChanged(TubBar* ABar) {
    if (customizingForm != nullptr) customizingForm->BarChanged(ABar);
}

void CustomizingFormCommandsChanged() {
    if (customizingForm == nullptr) return;
    customizingForm->LCommands->Invalidate();
    customizingForm->ItemsChanged();
}

void CustomizingFormSelectItem(TubBarItem* AItem, bool ASwitchCategory) {
    if (customizingForm != nullptr) customizingForm->SelectItem(AItem, ASwitchCategory);
}

void CustomizingFormItemsChanged() {
    if (customizingForm != nullptr) customizingForm->ItemsChanged();
}

void CustomizingFormOptionsChanged() {
    if (customizingForm != nullptr) customizingForm->LoadOptions();
}

void CustomizingFormCategoryChanged(TubBarItem* AItem) {
    if (customizingForm == nullptr || AItem == nullptr) return;
    if (customizingForm->CategoryOfRow(customizingForm->LCategories->GetItemIndex()) == AItem->GetCategory())
        customizingForm->RefreshCommands();
}

// The "All commands" and "Groups" pages belong to design mode.
void CustomizingFormItemWidthsChanged() {
    if (customizingForm != nullptr) customizingForm->MeasureAllCommands();
}
void CustomizingFormGroupsChanged() {
    if (customizingForm != nullptr) customizingForm->FillGroups();
}
void CustomizingFormGroupItemsChanged() {
    if (customizingForm != nullptr) customizingForm->FillGroupItems();
}

int CustomizingFormCategoryAt(TPoint AScreenPoint) {
    if (customizingForm == nullptr) return kOutsideCategoryList;
    TListBox* list = customizingForm->LCategories;
    if (list == nullptr || !list->HandleAllocated() || !IsWindowVisible(list->GetHandle())) return kOutsideCategoryList;
    const TPoint p = list->ScreenToClient(AScreenPoint);
    const TRect client = list->GetClientRect();
    if (!PtInRect(&client, p)) return kOutsideCategoryList;
    return customizingForm->CategoryOfRow(list->ItemAtPos(p, true));
}

void CustomizingFormShowCategory(int ACategory) {
    if (customizingForm == nullptr) return;
    const int row = customizingForm->RowOfCategory(ACategory);
    if (row >= 0 && row != customizingForm->LCategories->GetItemIndex())
        customizingForm->LCategories->SetItemIndex(row);
}

// --------------------------------------------------------------------------------------------- the form

TubBarCustomizingForm::TubBarCustomizingForm(TComponent* AOwner) : TForm(AOwner) {}

TubBarCustomizingForm::~TubBarCustomizingForm() {
    if (customizingForm == this) customizingForm = nullptr;
}

const TFormResource* TubBarCustomizingForm::FormResource() const { return &formres::ubBarCustForm; }

void TubBarCustomizingForm::BeforeDestruction() {
    destroying_ = true;
    // A form that goes on its own (closed by the user) ends customizing; one freed by the routine that hides it
    // is no longer the open form by then.
    TubBarManager* manager = barManager_;
    barManager_ = nullptr;
    if (manager != nullptr && customizingForm == this) {
        if (manager->GetCustomizing()) manager->SetCustomizing(false);
        else ShowCustomizingForm(manager, false);
    }
    TForm::BeforeDestruction();
}

void TubBarCustomizingForm::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    Params.Style |= WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
    Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    if (barManager_ != nullptr && barManager_->Form() != nullptr && barManager_->Form()->HandleAllocated())
        Params.WndParent = barManager_->Form()->GetHandle();
}

void TubBarCustomizingForm::Init(TubBarManager* AManager) {
    barManager_ = AManager;
    // The owner window is the manager's form: made again now that the form knows it.
    if (HandleAllocated()) RecreateWnd();
    const bool designing = AManager->Designing();
    Font()->SetName(AManager->GetFont()->GetName());
    Font()->SetCharset(AManager->GetFont()->GetCharset());
    BarManager1->SetFont(AManager->GetFont());
    BarManager1->SetStyle(AManager->GetStyle());
    BarManager1->SetLookAndFeel(AManager->GetLookAndFeel());

    LoadTexts();

    BarsListBox = Construct<TubBarsListBox>(this);
    BarsListBox->Form = this;
    TakePlace(BarsListBoxPlace, BarsListBox);
    BarsListBoxPlace = nullptr;
    LCommands = Construct<TCommandsListBox>(this);
    LCommands->Form = this;
    TakePlace(LCommandsPlace, LCommands);
    LCommandsPlace = nullptr;
    LCommands->OnClick = [this](TObject* s) { LCommandsClick(s); };
    BarsListBox->OnClick = [this](TObject*) { UpdateBarButtons(); };
    // The wheel turned over a list that is not focused scrolls that list, not the focused one.
    for (TCustomListBox* list : {static_cast<TCustomListBox*>(BarsListBox), static_cast<TCustomListBox*>(LCommands),
                                 static_cast<TCustomListBox*>(LCategories)})
        list->OnMouseWheel = [this](TObject*, TShiftState, int delta, TPoint, bool& handled) {
            handled = WheelOverList(delta);
        };
    // The toolbar list's rows are as high as the text "0" and two pixels.
    {
        TBitmap measure;
        measure.Canvas()->Font()->Assign(BarsListBox->Font());
        BarsListBox->SetItemHeight(measure.Canvas()->TextHeight("0") + 2);
    }
    UpdateStyle();

    BClose->SetWidth(TextWidthIn(BClose, BClose->Caption()) + 49);
    BClose->SetLeft(BottomPanel->GetWidth() - BClose->GetWidth() - 8);
    BBarReset->SetVisible(!designing && AManager->ResetAllowed());
    TabSheet4->SetTabVisible(designing);
    TabSheet5->SetTabVisible(designing);
    PageControl->SetActivePage(TabSheet1);
    ArrangeOptions();
    UpdateHelpButton();

    FillBarsList();
    FillCategories();
    LoadOptions();
    if (designing) {
        MakePopupButtons();
        FillAllCommands();
        FillGroups();
    }
}

void TubBarCustomizingForm::LoadTexts() {
    LoadText(this, ubSubCustomizeFormCaption);
    LoadText(TabSheet1, ubSubCustomizeToolbarsPage);
    LoadText(TabSheet2, ubSubCustomizeCommandsPage);
    LoadText(TabSheet3, ubSubCustomizeOptionsPage);
    LoadText(TabSheet4, ubSubCustomizeAllCommandsPage);
    LoadText(TabSheet5, ubSubCustomizeGroupsPage);
    LoadText(LabelToobars, ubSubCustomizeToolbars);
    LoadText(BBarNew, ubSubCustomizeNew);
    LoadText(BBarRename, ubSubCustomizeRename);
    LoadText(BBarDelete, ubSubCustomizeDelete);
    LoadText(BBarReset, ubSubCustomizeReset);
    LoadText(LabelCategories, ubSubCustomizeCategories);
    LoadText(LabelCommands, ubSubCustomizeCommands);
    LoadText(LabelDescription, ubSubCustomizeDescription);
    LoadText(BClose, ubSubCustomizeClose);
    for (TControl* c : {static_cast<TControl*>(CBHint1), static_cast<TControl*>(CBHint1Ex)})
        LoadText(c, ubSubCustomizeShowHint);
    for (TControl* c : {static_cast<TControl*>(CBHint2), static_cast<TControl*>(CBHint2Ex)})
        LoadText(c, ubSubCustomizeShowShortCutInHint);
    for (TControl* c : {static_cast<TControl*>(CBLargeIcons), static_cast<TControl*>(CBLargeIconsEx)})
        LoadText(c, ubSubCustomizeLargeIcons);
    LoadText(LabelMenuAnimations, ubSubCustomizeMenuAnimations);
    LoadText(Label1, ubSubCustomizeMenuAnimations);
    LoadText(Label2, ubSubCustomizeOther);
    LoadText(Label3, ubSubCustomizePersonalized);
    LoadText(CBMenusShowRecentItemsFirst, ubSubCustomizeRecentItemsFirst);
    LoadText(CBShowFullMenusAfterDelay, ubSubCustomizeFullMenusAfterDelay);
    LoadText(BResetUsageData, ubSubCustomizeResetUsageData);
    LoadText(CBShowCommandsWithShortCut, ubSubCustomizeShowCommandsWithShortCut);
    LoadText(GroupBox1, ubSubCustomizeGroupsBox);
    LoadText(GroupBox2, ubSubCustomizeItemsBox);
    LoadText(btnGroupAdd, ubSubCustomizeAdd);
    LoadText(btnGroupDelete, ubSubCustomizeDeletePlain);
    LoadText(btnGroupItemAdd, ubSubCustomizeAddEllipsis);
    LoadText(btnGroupItemDelete, ubSubCustomizeDeletePlain);
    LoadText(btnMoveUp, ubSubCustomizeMoveUp);
    LoadText(btnMoveDown, ubSubCustomizeMoveDown);
    const std::pair<TubBarItem*, const TResStringRec*> entries[] = {
        {CategoriesAdd, &ubSubCustomizePopupAdd},
        {CategoriesInsert, &ubSubCustomizePopupInsert},
        {CategoriesRename, &ubSubCustomizePopupRename},
        {CategoriesVisible, &ubSubCustomizePopupVisible},
        {CategoriesItemsVisible, &ubSubCustomizePopupItemsVisible},
        {CategoriesDelete, &ubSubCustomizeDeletePlain},
        {CommandsAdd, &ubSubCustomizePopupAdd},
        {CommandsDelete, &ubSubCustomizeDeletePlain},
        {CommandsClear, &ubSubCustomizePopupClear},
        {CommandsMoveUp, &ubSubCustomizeMoveUp},
        {CommandsMoveDown, &ubSubCustomizeMoveDown},
        {CommandsSubMenuEditor, &ubSubCustomizePopupSubMenuEditor}};
    for (const auto& [item, text] : entries)
        if (item != nullptr) item->SetCaption(LoadLibraryString(text));
}

void TubBarCustomizingForm::TakePlace(TWinControl* APlaceholder, TWinControl* AControl) {
    AControl->SetBounds(APlaceholder->GetLeft(), APlaceholder->GetTop(), APlaceholder->GetWidth(),
                        APlaceholder->GetHeight());
    AControl->SetParent(APlaceholder->GetParent());
    AControl->TabOrder = APlaceholder->TabOrder;
    AControl->SetName(APlaceholder->GetName() == "BarsListBoxPlace" ? "BarsListBox" : "LCommands");
    delete APlaceholder;
}

void TubBarCustomizingForm::ArrangeOptions() {
    const bool standard = barManager_->EffectiveStyle() == bmsStandard;
    StandardOptionsPanel->SetVisible(standard);
    EnhancedOptionsPanel->SetVisible(!standard);
    TComboBox* combo = standard ? ComboBoxMenuAnimations : ComboBoxMenuAnimationsEx;
    TLabel* label = standard ? LabelMenuAnimations : Label1;
    combo->Items()->Clear();
    int widest = 0;
    for (const TResStringRec* name : {&ubSubMenuAnimationNone, &ubSubMenuAnimationRandom, &ubSubMenuAnimationUnfold,
                                      &ubSubMenuAnimationSlide, &ubSubMenuAnimationFade}) {
        const std::string text = LoadLibraryString(name);
        combo->Items()->Add(text);
        widest = std::max(widest, TextWidthIn(combo, text));
    }
    combo->SetWidth(widest + 54);
    combo->SetLeft(std::max(combo->GetLeft(), label->GetLeft() + label->GetWidth() + 10));
    if (!standard) {
        BResetUsageData->SetWidth(TextWidthIn(BResetUsageData, BResetUsageData->Caption()) + 17);
        for (auto [section, bevel] : {std::pair{Label2, Bevel2}, std::pair{Label3, Bevel3}}) {
            const int left = section->GetLeft() + section->GetWidth();
            bevel->SetBounds(left, bevel->GetTop(), std::max(0, EnhancedOptionsPanel->GetWidth() - 8 - left),
                             bevel->GetHeight());
        }
    }
}

void TubBarCustomizingForm::UpdateHelpButton() {
    if (barManager_ == nullptr) return;
    BHelp->Glyph()->Assign(barManager_->GetHelpButtonGlyph());
    BHelp->SetVisible(barManager_->GetShowHelpButton());
}

void TubBarCustomizingForm::UpdateStyle() {
    if (barManager_ == nullptr || LCommands == nullptr) return;
    painter_ = CustomizingFormPainterOf(barManager_);
    LCommands->SetColor(barManager_->GetStyle() == bmsFlat ? clWindow : clBtnFace);
    LCommands->Invalidate();
}

// ---- toolbars page ----------------------------------------------------------------------------------------

void TubBarCustomizingForm::FillBarsList() {
    BarsListBox->Items()->Clear();
    TubBars* bars = barManager_->GetBars();
    const bool designing = barManager_->Designing();
    int first = -1;
    for (int i = 0; i < bars->Count(); ++i) {
        TubBar* bar = bars->Items(i);
        if (bar->GetHidden() && !designing) continue;
        const int row = BarsListBox->Items()->AddObject(bar->GetCaption(), bar);
        if (first < 0 && bar->GetVisible()) first = row;
    }
    BarsListBox->SetItemIndex(first >= 0 ? first : (BarsListBox->Items()->Count() > 0 ? 0 : -1));
    UpdateBarButtons();
}

TubBar* TubBarCustomizingForm::SelectedBar() const { return BarsListBox->Bar(BarsListBox->GetItemIndex()); }

void TubBarCustomizingForm::UpdateBarButtons() {
    TubBar* bar = SelectedBar();
    BBarNew->SetEnabled(true);
    BBarRename->SetEnabled(bar != nullptr && !bar->Predefined());
    BBarDelete->SetEnabled(bar != nullptr && !bar->Predefined() && bar->CanUserSwitch());
    BBarReset->SetEnabled(bar != nullptr && bar->Predefined() && bar->AllowReset);
}

void TubBarCustomizingForm::BarChanged(TubBar* ABar) {
    for (int row = 0; row < BarsListBox->Items()->Count(); ++row) {
        if (BarsListBox->Bar(row) != ABar) continue;
        if (BarsListBox->Items()->Get(row) != ABar->GetCaption()) {
            const int selected = BarsListBox->GetItemIndex();
            BarsListBox->Items()->Delete(row);
            BarsListBox->Items()->InsertObject(row, ABar->GetCaption(), ABar);
            BarsListBox->SetItemIndex(selected);
        }
        BarsListBox->InvalidateRow(row);
        break;
    }
    UpdateBarButtons();
}

void TubBarCustomizingForm::BarDeleted(TubBar* ABar) {
    for (int row = 0; row < BarsListBox->Items()->Count(); ++row)
        if (BarsListBox->Bar(row) == ABar) {
            const int selected = BarsListBox->GetItemIndex();
            BarsListBox->Items()->Delete(row);
            const int count = BarsListBox->Items()->Count();
            BarsListBox->SetItemIndex(count == 0 ? -1 : std::min(selected, count - 1));
            break;
        }
    UpdateBarButtons();
}

void TubBarCustomizingForm::ToggleBar(int Index) {
    TubBar* bar = BarsListBox->Bar(Index);
    if (bar == nullptr) return;
    if (!bar->CanUserSwitch()) {
        MessageBeep(0);
        return;
    }
    bar->SetVisible(!bar->GetVisible());
    BarsListBox->InvalidateRow(Index);
    barManager_->NotifyDesigner();
}

std::string TubBarCustomizingForm::NewBarName() const {
    const std::string prefix = LoadLibraryString(&ubSubCustomBarName);
    for (int n = 1;; ++n) {
        const std::string name = prefix + std::to_string(n);
        if (barManager_->FindBarByCaption(name) == nullptr && barManager_->FindBarByName(name) == nullptr) return name;
    }
}

void TubBarCustomizingForm::BBarNewClick(TObject*) {
    std::string name = NewBarName();
    if (!AskBarOrCategoryName(name, 0, 0, nullptr, barManager_)) return;
    TubBar* bar = barManager_->GetBars()->Add();
    bar->SetCaption(name);
    // Floating beside the form: left of it, or right of it when there is no room, and at its top.
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const TRect bounds = BoundsRect();
    int left = bounds.left - 50;
    if (left < work.left) left = bounds.right + 10;
    int top = bounds.top;
    if (top < work.top) top = work.top + 10;
    bar->SetFloatLeft(left);
    bar->SetFloatTop(top);
    bar->SetDockingStyle(dsNone);
    bar->SetVisible(true);
    const int row = BarsListBox->Items()->AddObject(bar->GetCaption(), bar);
    BarsListBox->SetItemIndex(row);
    UpdateBarButtons();
}

void TubBarCustomizingForm::BBarRenameClick(TObject*) {
    TubBar* bar = SelectedBar();
    if (bar == nullptr) return;
    std::string name = bar->GetCaption();
    if (!AskBarOrCategoryName(name, 0, 1, bar, barManager_)) return;
    bar->SetCaption(name);
    BarChanged(bar);
}

void TubBarCustomizingForm::BBarDeleteClick(TObject*) {
    TubBar* bar = SelectedBar();
    if (bar == nullptr) return;
    if (Application->MessageBox(FormatText(ubSubDeleteToolbarConfirmation, bar->GetCaption()), Application->Title,
                                MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    const int row = BarsListBox->GetItemIndex();
    BarsListBox->Items()->Delete(row);
    const int count = BarsListBox->Items()->Count();
    BarsListBox->SetItemIndex(count == 0 ? -1 : std::min(row, count - 1));
    bar->SetIndex(barManager_->GetBars()->Count() - 1);
    delete bar;
    UpdateBarButtons();
}

void TubBarCustomizingForm::BBarResetClick(TObject*) {
    if (TubBar* bar = SelectedBar()) bar->ResetWithConfirmation();
    BarsListBox->Invalidate();
    UpdateBarButtons();
}

// ---- commands page ----------------------------------------------------------------------------------------

void TubBarCustomizingForm::FillCategories() {
    LCategories->Items()->Clear();
    TubBarManagerCategories* categories = barManager_->GetCategories();
    const bool designing = barManager_->Designing();
    for (int i = 0; i < categories->Count(); ++i) {
        if (!designing && !barManager_->GetVisibleOfCategory(i)) continue;
        LCategories->Items()->AddObject(categories->Get(i), reinterpret_cast<TObject*>(static_cast<std::intptr_t>(i)));
    }
    LCategories->SetItemIndex(LCategories->Items()->Count() > 0 ? 0 : -1);
    RefreshCommands();
}

int TubBarCustomizingForm::CategoryOfRow(int ARow) const {
    if (LCategories == nullptr || ARow < 0 || ARow >= LCategories->Items()->Count()) return -1;
    return static_cast<int>(reinterpret_cast<std::intptr_t>(LCategories->Items()->GetObject(ARow)));
}

int TubBarCustomizingForm::RowOfCategory(int ACategory) const {
    for (int row = 0; LCategories != nullptr && row < LCategories->Items()->Count(); ++row)
        if (CategoryOfRow(row) == ACategory) return row;
    return -1;
}

void TubBarCustomizingForm::RefreshCommands() {
    if (LCommands == nullptr || barManager_ == nullptr) return;
    refreshingCommands_ = true;
    TScopeExit done([this] { refreshingCommands_ = false; });
    TListOf<TubBarItem> items;
    barManager_->CollectVisibleCategoryItems(CategoryOfRow(LCategories->GetItemIndex()), items);
    LCommands->Items()->Clear();
    for (TubBarItem* item : items) LCommands->Items()->AddObject(item->GetCaption(), item);
    DescriptionLabel->SetCaption("");
}

void TubBarCustomizingForm::ItemsChanged() {
    if (deletingCommands_ || LCommands == nullptr) return;
    const int selected = LCommands->GetItemIndex();
    const int top = LCommands->HandleAllocated() ? LCommands->GetTopIndex() : 0;
    RefreshCommands();
    const int count = LCommands->Items()->Count();
    if (count > 0 && selected >= 0) LCommands->SetItemIndex(std::min(selected, count - 1));
    if (count > 0 && LCommands->HandleAllocated()) LCommands->SetTopIndex(std::min(top, count - 1));
}

void TubBarCustomizingForm::SelectItem(TubBarItem* AItem, bool ASwitchCategory) {
    if (AItem == nullptr) return;
    const int row = RowOfCategory(AItem->GetCategory());
    if (row >= 0 && (ASwitchCategory || row != LCategories->GetItemIndex())) {
        LCategories->SetItemIndex(row);
        RefreshCommands();
    }
    for (int i = 0; i < LCommands->Items()->Count(); ++i)
        if (LCommands->Item(i) == AItem) {
            LCommands->SetItemIndex(i);
            break;
        }
}

void TubBarCustomizingForm::LCategoriesClick(TObject*) { RefreshCommands(); }

void TubBarCustomizingForm::LCommandsClick(TObject*) {
    barManager_->SetSelectedControl(nullptr);
    TubBarItem* item = LCommands->Item(LCommands->GetItemIndex());
    DescriptionLabel->SetCaption(item != nullptr ? item->GetDescription() : std::string());
    DescriptionLabel->Update();
}

void TubBarCustomizingForm::CommandsMouseDown(int X, int Y) {
    const int row = LCommands->ItemAtPos(TPoint(X, Y), true);
    TubBarItem* item = LCommands->Item(row);
    if (item == nullptr) return;
    const TPoint screen = LCommands->ClientToScreen(TPoint(X, Y));
    if (DragDetect(LCommands->GetHandle(), POINT{screen.x, screen.y})) barManager_->RunItemDrag(item, nullptr);
}

// ---- options page ----------------------------------------------------------------------------------------

void TubBarCustomizingForm::LoadOptions() {
    if (barManager_ == nullptr) return;
    // Setting a box by program fires its click: the settings are written back unchanged.
    TubBarManager* m = barManager_;
    for (TCheckBox* box : {CBHint1, CBHint1Ex}) box->SetChecked(m->GetShowHint());
    for (TCheckBox* box : {CBHint2, CBHint2Ex}) {
        box->SetChecked(m->GetShowShortCutInHint());
        box->SetEnabled(m->GetShowHint());
    }
    for (TCheckBox* box : {CBLargeIcons, CBLargeIconsEx}) box->SetChecked(m->GetLargeIcons());
    CBMenusShowRecentItemsFirst->SetChecked(m->GetMenusShowRecentItemsFirst());
    CBShowFullMenusAfterDelay->SetChecked(m->GetShowFullMenusAfterDelay());
    CBShowFullMenusAfterDelay->SetEnabled(m->GetMenusShowRecentItemsFirst());
    for (TComboBox* combo : {ComboBoxMenuAnimations, ComboBoxMenuAnimationsEx})
        combo->SetItemIndex(static_cast<int>(m->GetMenuAnimations()));
}

void TubBarCustomizingForm::CBHint1Click(TObject* Sender) {
    auto* box = dynamic_cast<TCheckBox*>(Sender);
    if (box == nullptr || barManager_ == nullptr) return;
    barManager_->SetShowHint(box->GetChecked());
    for (TCheckBox* shortcut : {CBHint2, CBHint2Ex}) shortcut->SetEnabled(box->GetChecked());
}

void TubBarCustomizingForm::CBHint2Click(TObject* Sender) {
    auto* box = dynamic_cast<TCheckBox*>(Sender);
    if (box != nullptr && barManager_ != nullptr) barManager_->SetShowShortCutInHint(box->GetChecked());
}

void TubBarCustomizingForm::CBLargeIconsClick(TObject* Sender) {
    auto* box = dynamic_cast<TCheckBox*>(Sender);
    if (box != nullptr && barManager_ != nullptr) barManager_->SetLargeIcons(box->GetChecked());
}

void TubBarCustomizingForm::ComboBoxMenuAnimationsClick(TObject* Sender) {
    auto* combo = dynamic_cast<TComboBox*>(Sender);
    if (combo == nullptr || barManager_ == nullptr || combo->GetItemIndex() < 0) return;
    barManager_->SetMenuAnimations(static_cast<TubBarMenuAnimations>(combo->GetItemIndex()));
}

void TubBarCustomizingForm::CBMenusShowRecentItemsFirstClick(TObject*) {
    if (barManager_ == nullptr) return;
    barManager_->SetMenusShowRecentItemsFirst(CBMenusShowRecentItemsFirst->GetChecked());
    CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->GetChecked());
}

void TubBarCustomizingForm::CBShowFullMenusAfterDelayClick(TObject*) {
    if (barManager_ != nullptr) barManager_->SetShowFullMenusAfterDelay(CBShowFullMenusAfterDelay->GetChecked());
}

void TubBarCustomizingForm::BResetUsageDataClick(TObject*) {
    if (barManager_ != nullptr) barManager_->ResetRecentUse();
}

// ---- the form ---------------------------------------------------------------------------------------------

void TubBarCustomizingForm::FormClose(TObject*, TCloseAction& Action) {
    DisableOtherForms(true);
    Action = caFree;
}

void TubBarCustomizingForm::BCloseClick(TObject*) { Close(); }

void TubBarCustomizingForm::BHelpClick(TObject*) {
    if (barManager_ == nullptr || barManager_->Designing()) return;
    barManager_->DoHelpButtonClick();
    if (barManager_ != nullptr && barManager_->HelpContext != 0) Application->HelpContext(barManager_->HelpContext);
}

void TubBarCustomizingForm::PageControlChange(TObject*) {
    if (PageControl->GetActivePage() == TabSheet3) LoadOptions();
}

void TubBarCustomizingForm::Activate() {
    TForm::Activate();
    // The page on show reads the manager again, unless a quick-customization popup holds the focus.
    if (barManager_ != nullptr && !barManager_->AnyPopupMenuShowing()) PageControlChange(PageControl);
}

bool TubBarCustomizingForm::WheelOverList(int ADelta) {
    POINT p;
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    auto* list = dynamic_cast<TCustomListBox*>(under != nullptr ? FindControl(under) : nullptr);
    if (list == nullptr || list->Focused() || list->Items()->Count() == 0) return false;
    UINT lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int step = ADelta > 0 ? -1 : 1;
    for (UINT i = 0; i < lines; ++i)
        list->SetTopIndex(std::clamp(list->GetTopIndex() + step, 0, list->Items()->Count() - 1));
    return true;
}

void TubBarCustomizingForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_MOUSEWHEEL:
            if (WheelOverList(static_cast<short>(HIWORD(Message.WParam)))) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_NCACTIVATE: {
            // The manager's form keeps its active look while its customizing form is active.
            TCustomForm* owner = barManager_ != nullptr ? barManager_->Form() : nullptr;
            if (owner != nullptr && owner->HandleAllocated() &&
                reinterpret_cast<HWND>(Message.LParam) != owner->GetHandle())
                SendMessage(owner->GetHandle(), WM_NCACTIVATE, Message.WParam, 0);
            break;
        }
        default: break;
    }
    TForm::Dispatch(Message);
}

// ---- design mode: the "All commands" and "Groups" pages and the popup menus' entries ------------------------

// Their bodies: ubBarCustFormDesign.cpp.

void TubBarCustomizingForm::DefineBindings(TFormBindings& B) {
    B.Field("BottomPanel", BottomPanel);
    B.Field("BHelp", BHelp);
    B.Field("BClose", BClose);
    B.Field("PageControl", PageControl);
    B.Field("TabSheet1", TabSheet1);
    B.Field("TabSheet2", TabSheet2);
    B.Field("TabSheet3", TabSheet3);
    B.Field("TabSheet4", TabSheet4);
    B.Field("TabSheet5", TabSheet5);
    B.Field("LabelToobars", LabelToobars);
    B.Field("BarsListBoxPlace", BarsListBoxPlace);
    B.Field("BBarNew", BBarNew);
    B.Field("BBarRename", BBarRename);
    B.Field("BBarDelete", BBarDelete);
    B.Field("BBarReset", BBarReset);
    B.Field("LabelCategories", LabelCategories);
    B.Field("LabelCommands", LabelCommands);
    B.Field("CategoriesPopupButtonPlace", CategoriesPopupButtonPlace);
    B.Field("CommandsPopupButtonPlace", CommandsPopupButtonPlace);
    B.Field("LCategories", LCategories);
    B.Field("LCommandsPlace", LCommandsPlace);
    B.Field("LabelDescription", LabelDescription);
    B.Field("Bevel1", Bevel1);
    B.Field("DescriptionLabel", DescriptionLabel);
    B.Field("StandardOptionsPanel", StandardOptionsPanel);
    B.Field("LabelMenuAnimations", LabelMenuAnimations);
    B.Field("CBHint1", CBHint1);
    B.Field("CBHint2", CBHint2);
    B.Field("CBLargeIcons", CBLargeIcons);
    B.Field("ComboBoxMenuAnimations", ComboBoxMenuAnimations);
    B.Field("EnhancedOptionsPanel", EnhancedOptionsPanel);
    B.Field("Label1", Label1);
    B.Field("Label2", Label2);
    B.Field("Label3", Label3);
    B.Field("Bevel2", Bevel2);
    B.Field("Bevel3", Bevel3);
    B.Field("CBMenusShowRecentItemsFirst", CBMenusShowRecentItemsFirst);
    B.Field("CBShowFullMenusAfterDelay", CBShowFullMenusAfterDelay);
    B.Field("BResetUsageData", BResetUsageData);
    B.Field("CBLargeIconsEx", CBLargeIconsEx);
    B.Field("CBHint1Ex", CBHint1Ex);
    B.Field("CBHint2Ex", CBHint2Ex);
    B.Field("ComboBoxMenuAnimationsEx", ComboBoxMenuAnimationsEx);
    B.Field("LAllCommands", LAllCommands);
    B.Field("CBShowCommandsWithShortCut", CBShowCommandsWithShortCut);
    B.Field("GroupBox1", GroupBox1);
    B.Field("lbGroups", lbGroups);
    B.Field("btnGroupAdd", btnGroupAdd);
    B.Field("btnGroupDelete", btnGroupDelete);
    B.Field("GroupBox2", GroupBox2);
    B.Field("lbGroupItems", lbGroupItems);
    B.Field("btnGroupItemAdd", btnGroupItemAdd);
    B.Field("btnGroupItemDelete", btnGroupItemDelete);
    B.Field("btnMoveUp", btnMoveUp);
    B.Field("btnMoveDown", btnMoveDown);
    B.Field("BarManager1", BarManager1);
    B.Field("CategoriesAdd", CategoriesAdd);
    B.Field("CategoriesInsert", CategoriesInsert);
    B.Field("CategoriesRename", CategoriesRename);
    B.Field("CategoriesVisible", CategoriesVisible);
    B.Field("CategoriesItemsVisible", CategoriesItemsVisible);
    B.Field("CategoriesDelete", CategoriesDelete);
    B.Field("CommandsAdd", CommandsAdd);
    B.Field("CommandsDelete", CommandsDelete);
    B.Field("CommandsClear", CommandsClear);
    B.Field("CommandsMoveUp", CommandsMoveUp);
    B.Field("CommandsMoveDown", CommandsMoveDown);
    B.Field("CommandsSubMenuEditor", CommandsSubMenuEditor);
    B.Field("CategoriesPopupMenu", CategoriesPopupMenu);
    B.Field("CommandsPopupMenu", CommandsPopupMenu);

    auto notify = [&B, this](const char* Name, void (TubBarCustomizingForm::*Fn)(TObject*)) {
        B.Handler<TNotifyEvent>(Name, [this, Fn](TObject* s) { (this->*Fn)(s); });
    };
    using F = TubBarCustomizingForm;
    B.Handler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    notify("BHelpClick", &F::BHelpClick);
    notify("BCloseClick", &F::BCloseClick);
    notify("PageControlChange", &F::PageControlChange);
    notify("BBarNewClick", &F::BBarNewClick);
    notify("BBarRenameClick", &F::BBarRenameClick);
    notify("BBarDeleteClick", &F::BBarDeleteClick);
    notify("BBarResetClick", &F::BBarResetClick);
    notify("LCategoriesClick", &F::LCategoriesClick);
    B.Handler<TDragOverEvent>("LCategoriesDragOver",
                              [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& accept) {
                                  LCategoriesDragOver(s, src, x, y, st, accept);
                              });
    B.Handler<TEndDragEvent>("LCategoriesEndDrag",
                             [this](TObject* s, TObject* t, int x, int y) { LCategoriesEndDrag(s, t, x, y); });
    B.Handler<TKeyEvent>("LCategoriesKeyDown",
                         [this](TObject* s, WORD& k, TShiftState sh) { LCategoriesKeyDown(s, k, sh); });
    B.Handler<TMouseEvent>("LCategoriesMouseDown", [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        LCategoriesMouseDown(s, b, sh, x, y);
    });
    notify("CBHint1Click", &F::CBHint1Click);
    notify("CBHint2Click", &F::CBHint2Click);
    notify("CBLargeIconsClick", &F::CBLargeIconsClick);
    notify("ComboBoxMenuAnimationsClick", &F::ComboBoxMenuAnimationsClick);
    notify("CBMenusShowRecentItemsFirstClick", &F::CBMenusShowRecentItemsFirstClick);
    notify("CBShowFullMenusAfterDelayClick", &F::CBShowFullMenusAfterDelayClick);
    notify("BResetUsageDataClick", &F::BResetUsageDataClick);
    notify("LAllCommandsClick", &F::LAllCommandsClick);
    B.Handler<TDrawItemEvent>("LAllCommandsDrawItem", [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) {
        LAllCommandsDrawItem(c, i, r, st);
    });
    notify("CBShowCommandsWithShortCutClick", &F::CBShowCommandsWithShortCutClick);
    notify("lbGroupsClick", &F::lbGroupsClick);
    B.Handler<TDrawItemEvent>("lbGroupsDrawItem", [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) {
        lbGroupsDrawItem(c, i, r, st);
    });
    notify("lbGroupsEnter", &F::lbGroupsEnter);
    B.Handler<TKeyEvent>("lbGroupsKeyDown", [this](TObject* s, WORD& k, TShiftState sh) { lbGroupsKeyDown(s, k, sh); });
    B.Handler<TMeasureItemEvent>("lbGroupsMeasureItem",
                                 [this](TWinControl* c, int i, int& h) { lbGroupsMeasureItem(c, i, h); });
    notify("lbGroupItemsClick", &F::lbGroupItemsClick);
    B.Handler<TDrawItemEvent>("lbGroupItemsDrawItem", [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) {
        lbGroupItemsDrawItem(c, i, r, st);
    });
    notify("lbGroupItemsEnter", &F::lbGroupItemsEnter);
    B.Handler<TKeyEvent>("lbGroupItemsKeyDown",
                         [this](TObject* s, WORD& k, TShiftState sh) { lbGroupItemsKeyDown(s, k, sh); });
    notify("btnGroupAddClick", &F::btnGroupAddClick);
    notify("btnGroupDeleteClick", &F::btnGroupDeleteClick);
    notify("btnGroupItemAddClick", &F::btnGroupItemAddClick);
    notify("btnGroupItemDeleteClick", &F::btnGroupItemDeleteClick);
    notify("btnMoveUpClick", &F::btnMoveUpClick);
    notify("btnMoveDownClick", &F::btnMoveDownClick);
    notify("CategoriesAddClick", &F::CategoriesAddClick);
    notify("CategoriesInsertClick", &F::CategoriesInsertClick);
    notify("CategoriesRenameClick", &F::CategoriesRenameClick);
    notify("CategoriesVisibleClick", &F::CategoriesVisibleClick);
    notify("CategoriesItemsVisibleChange", &F::CategoriesItemsVisibleChange);
    notify("CategoriesDeleteClick", &F::CategoriesDeleteClick);
    notify("CommandsAddClick", &F::CommandsAddClick);
    notify("CommandsDeleteClick", &F::CommandsDeleteClick);
    notify("CommandsClearClick", &F::CommandsClearClick);
    notify("CommandsMoveUpClick", &F::CommandsMoveUpClick);
    notify("CommandsMoveDownClick", &F::CommandsMoveDownClick);
    notify("CommandsSubMenuEditorClick", &F::CommandsSubMenuEditorClick);
}

// ------------------------------------------------------------------------------------------------ the lists

TubBarsListBox::TubBarsListBox(TComponent* AOwner) : TCheckListBox(AOwner) {}

TubBar* TubBarsListBox::Bar(int Index) const {
    if (Index < 0 || Index >= Items()->Count()) return nullptr;
    return dynamic_cast<TubBar*>(Items()->GetObject(Index));
}

bool TubBarsListBox::GetChecked(int Index) const {
    const TubBar* bar = Bar(Index);
    return bar != nullptr && bar->GetVisible();
}

bool TubBarsListBox::GetItemEnabled(int Index) const {
    const TubBar* bar = Bar(Index);
    return bar != nullptr && bar->CanUserSwitch();
}

void TubBarsListBox::ClickCheck(int Index) {
    if (Form != nullptr) Form->ToggleBar(Index);
}

TCommandsListBox::TCommandsListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawVariable);
    SetItemHeight(22);
}

TubBarItem* TCommandsListBox::Item(int Index) const {
    if (Index < 0 || Index >= Items()->Count()) return nullptr;
    return dynamic_cast<TubBarItem*>(Items()->GetObject(Index));
}

void TCommandsListBox::CreateParams(TCreateParams& Params) {
    TCustomListBox::CreateParams(Params);
    // Rows are drawn by the painter; the list keeps no text of its own to draw.
    Params.Style &= ~LBS_SORT;
}

void TCommandsListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    TubBarItem* item = Item(Index);
    if (item == nullptr || Form == nullptr || Form->Painter() == nullptr) return;
    TubBarCustomizingFormPainterClass painter = Form->Painter();
    const bool selected = State.Contains(odSelected);
    if (dynamic_cast<TubBarEdit*>(item) != nullptr)
        painter->DrawEditCommand(Canvas(), Rect, selected, item->GetCaption(), item);
    else painter->DrawCommand(Canvas(), Rect, selected, item->GetCaption(), item);
    if (State.Contains(odFocused)) painter->DrawFocus(Canvas(), Rect, item);
}

void TCommandsListBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: {
            // Only the part below the last row: the rows paint all of theirs.
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            const int count = Items()->Count();
            const TRect client = GetClientRect();
            int top = 0;
            if (count > 0) {
                const TRect last = ItemRect(count - 1);
                top = std::max(0, static_cast<int>(last.bottom));
            }
            if (top < client.bottom) {
                const TColor color = Form != nullptr && Form->Painter() != nullptr
                                         ? Form->Painter()->GetItemColor(false, nullptr)
                                         : GetColor();
                RECT rest{client.left, top, client.right, client.bottom};
                HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color)));
                FillRect(dc, &rest, brush);
                DeleteObject(brush);
            }
            Message.Result = 1;
            return;
        }
        case WM_LBUTTONDOWN: {
            const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
            TCustomListBox::Dispatch(Message);
            if (Form != nullptr) Form->CommandsMouseDown(x, y);
            return;
        }
        case WM_RBUTTONDOWN:
            TCustomListBox::Dispatch(Message);
            if (Form != nullptr) Form->CommandsContextPopup(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
            return;
        case WM_KEYDOWN:
            if (Form != nullptr &&
                Form->CommandsKeyDown(static_cast<WORD>(Message.WParam), KeyboardStateToShiftState()))
                return;
            break;
        case WM_MOUSEACTIVATE: {
            // A click that activates the form selects the row under the pointer first.
            POINT p;
            GetCursorPos(&p);
            const int row = ItemAtPos(ScreenToClient(TPoint(p.x, p.y)), true);
            if (row >= 0 && row != GetItemIndex()) {
                SetItemIndex(row);
                Click();
            }
            break;
        }
        case WM_SETFOCUS:
            TCustomListBox::Dispatch(Message);
            if (GetItemIndex() < 0 && Items()->Count() > 0) {
                SetItemIndex(0);
                Click();
            }
            return;
        default: break;
    }
    TCustomListBox::Dispatch(Message);
}

}  // namespace zel
