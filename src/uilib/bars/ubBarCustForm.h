#pragma once
// The customizing form: the window that accompanies a manager's customizing mode, and the routines through
// which the rest of the framework keeps it up to date. At most one form exists in the process. Its component
// tree is the form resource ubBarCustForm.dfm; its texts are read again from the resource-string repository
// when it is made. At run time it shows the "Toolbars", "Commands" and "Options" pages; the "All commands"
// and "Groups" pages, the category and command popup menus and their buttons belong to design mode.
// Also the customizing-form painters that draw the command list, and the form's two list boxes.
#include <string>

#include "platform/rtl/Classes.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/CheckLst.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Windows.h"

namespace zel {

class TubBar;
class TubBarItem;
class TubBarManager;
class TubBarButton;
class TubBarCombo;
class TubBarPopupMenu;
class TubBarCustomizingForm;

// The open form's window, nullptr while none is open (the item drag keeps the mouse there).
HWND CustomizingFormHandle();
// Shows the form for the manager (nothing when one exists), or hides and frees it.
void ShowCustomizingForm(TubBarManager* AManager, bool AShow);
// The open form, nullptr when none is open.
TubBarCustomizingForm* GetCustomizingForm();
// false: disables every manager's enabled form and remembers it; true: enables again each one remembered.
void DisableOtherForms(bool ARestore);

// The manager's form was activated (or deactivated: AActive false) while the customizing form is open; the
// form keeps its own active look and follows the activation.
void CustomizingFormActivate(bool AActive, HWND AOtherWindow);
// The manager's form moved, or was shown or hidden: the customizing form follows it.
void CustomizingFormOwnerMoved(const WINDOWPOS& APos);
void CustomizingFormUpdateAll();
void CustomizingFormUpdateHelpButton();
void CustomizingFormBarDeleted(TubBar* ABar);
void CustomizingFormBarChanged(TubBar* ABar);
void CustomizingFormCommandsChanged();
void CustomizingFormSelectItem(TubBarItem* AItem, bool ASwitchCategory);
void CustomizingFormItemsChanged();
void CustomizingFormOptionsChanged();
void CustomizingFormCategoryChanged(TubBarItem* AItem);
void CustomizingFormItemWidthsChanged();
void CustomizingFormGroupsChanged();
void CustomizingFormGroupItemsChanged();

// What the item drag needs of the category list. kOutsideCategoryList when the screen point is not over the
// open form's category list (or no form is open), -1 over the list but below its entries, else the index in
// the manager's categories of the entry under the point.
constexpr int kOutsideCategoryList = -2;
int CustomizingFormCategoryAt(TPoint AScreenPoint);
// Selects the entry of the category (an index in the manager's categories) in the category list.
void CustomizingFormShowCategory(int ACategory);

// ---------------------------------------------------------------------------------- the command list's painters

// Draws the rows of the command list. Stateless: each class has one shared instance; the form picks the one
// that matches its manager's item painter (CustomizingFormPainterOf).
class TubBarCustomizingFormPainter {
public:
    virtual ~TubBarCustomizingFormPainter() = default;
    // A small filled triangle pointing right at (X, Y).
    virtual void DrawCommandArrow(TCanvas* ACanvas, int X, bool ASelected, int Y) const;
    virtual TColor GetItemColor(bool ASelected, TubBarItem* AItem) const;
    // A command row: glyph column, caption, and a drop-down part or arrow where the item has one.
    virtual void DrawCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected, const std::string& ACaption,
                             TubBarItem* AItem) const;
    // An edit or combo row: the caption box, then the edit box (with a combo's button).
    virtual void DrawEditCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected, const std::string& ACaption,
                                 TubBarItem* AItem) const;
    virtual void DrawFocus(TCanvas* /*ACanvas*/, const TRect& /*ARect*/, TubBarItem* /*AItem*/) const {}
    virtual TColor GetTextColor(bool ASelected) const;

protected:
    // The item's glyph (or image) centred in the rectangle, in the item's enabled state.
    static void DrawItemGlyph(TCanvas* ACanvas, const TRect& ARect, TubBarItem* AItem);
    // Whether the item shows a glyph or an image.
    static bool ItemHasGlyph(TubBarItem* AItem);
    // The caption text of a row (accelerators removed, a listing container's in parentheses), drawn
    // single-line and vertically centred from the rectangle's left + 2.
    void DrawCaption(TCanvas* ACanvas, const TRect& ARect, bool ASelected, const std::string& ACaption) const;
    // Whether the row ends in a drop-down part (a bsDropDown button) or an arrow (sub-items, listing containers).
    static bool HasDropDownPart(TubBarItem* AItem);
    static bool HasSubArrow(TubBarItem* AItem);
};

class TubBarCustomizingFormStandardPainter : public TubBarCustomizingFormPainter {
public:
    void DrawFocus(TCanvas* ACanvas, const TRect& ARect, TubBarItem* AItem) const override;
};

class TubBarCustomizingFormFlatPainter : public TubBarCustomizingFormPainter {
public:
    TColor GetItemColor(bool ASelected, TubBarItem* AItem) const override;
    void DrawCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected, const std::string& ACaption,
                     TubBarItem* AItem) const override;
    void DrawEditCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected, const std::string& ACaption,
                         TubBarItem* AItem) const override;
    TColor GetTextColor(bool ASelected) const override;

protected:
    // The glyph column's fill when the row is not selected.
    virtual void FillGlyphColumn(TCanvas* ACanvas, const TRect& AColumn) const;
    // The frame of a selected row and of the edit parts.
    virtual TColor FrameColor(TubBarItem* AItem) const;
    // The caption part's extra width and the text's indent in it.
    virtual int CaptionPartExtra() const { return 11; }
    virtual int CaptionTextIndent() const { return 5; }
};

class TubBarCustomizingFormOffice11Painter : public TubBarCustomizingFormFlatPainter {
public:
    TColor GetItemColor(bool ASelected, TubBarItem* AItem) const override;
    void DrawCommand(TCanvas* ACanvas, const TRect& ARect, bool ASelected, const std::string& ACaption,
                     TubBarItem* AItem) const override;
    TColor GetTextColor(bool ASelected) const override;

protected:
    void FillGlyphColumn(TCanvas* ACanvas, const TRect& AColumn) const override;
    TColor FrameColor(TubBarItem* AItem) const override;
    int CaptionPartExtra() const override { return 16; }
    int CaptionTextIndent() const override { return 10; }
};

// Without an active visual style (always, here) its rows are the base look's.
class TubBarCustomizingFormXPPainter : public TubBarCustomizingFormPainter {
public:
    void DrawFocus(TCanvas* ACanvas, const TRect& ARect, TubBarItem* AItem) const override;
};

using TubBarCustomizingFormPainterClass = const TubBarCustomizingFormPainter*;
// The painter that matches the manager's item painter: XP, Office11, Flat, else Standard.
TubBarCustomizingFormPainterClass CustomizingFormPainterOf(const TubBarManager* AManager);

// ------------------------------------------------------------------------------------------- the form's lists

// The toolbar list: one row per listed bar, its box checked while the bar is visible and inactive when the user
// may not switch the bar. Toggling a row shows or hides the bar.
class TubBarsListBox : public TCheckListBox {
public:
    explicit TubBarsListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TubBarsListBox"; }
    TubBar* Bar(int Index) const;
    bool GetChecked(int Index) const override;
    bool GetItemEnabled(int Index) const override;
    TubBarCustomizingForm* Form = nullptr;

protected:
    void ClickCheck(int Index) override;
};

// The command list: one 22-pixel row per item of the selected category, drawn by the form's painter. A press
// on a row selects it, and dragging from it starts the manager's item drag.
class TCommandsListBox : public TCustomListBox {
public:
    explicit TCommandsListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TCommandsListBox"; }
    TubBarItem* Item(int Index) const;
    TubBarCustomizingForm* Form = nullptr;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
};

// The design-mode button beside a list's label: a flat text button that opens its drop-down menu below itself.
// Down while the menu is open; raised under the pointer while its form is active.
class TCheckableButton : public TGraphicControl {
public:
    explicit TCheckableButton(TComponent* AOwner);
    std::string ClassName() const override { return "TCheckableButton"; }
    TubBarPopupMenu* DropDownMenu = nullptr;
    bool Down() const { return down_; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    bool down_ = false;
    bool hot_ = false;
    bool inMenu_ = false;
    bool swallowPress_ = false;  // the press that closed the menu over the button is not a new one
};

// ------------------------------------------------------------------------------------------------- the form

class TubBarCustomizingForm : public TForm {
public:
    explicit TubBarCustomizingForm(TComponent* AOwner);
    ~TubBarCustomizingForm() override;
    std::string ClassName() const override { return "TubBarCustomizingForm"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;
    void BeforeDestruction() override;

    // Prepares the form for the manager: texts, pages, lists and options (the creation step).
    void Init(TubBarManager* AManager);
    TubBarManager* BarManager() const { return barManager_; }
    // Set once the form has begun to go.
    bool Destroying() const { return destroying_; }
    TubBarCustomizingFormPainterClass Painter() const { return painter_; }

    // ---- components of the form resource
    TPanel* BottomPanel = nullptr;
    TBitBtn* BHelp = nullptr;
    TButton* BClose = nullptr;
    TPageControl* PageControl = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    TTabSheet* TabSheet4 = nullptr;
    TTabSheet* TabSheet5 = nullptr;
    TLabel* LabelToobars = nullptr;
    TListBox* BarsListBoxPlace = nullptr;
    TButton* BBarNew = nullptr;
    TButton* BBarRename = nullptr;
    TButton* BBarDelete = nullptr;
    TButton* BBarReset = nullptr;
    TLabel* LabelCategories = nullptr;
    TLabel* LabelCommands = nullptr;
    TBevel* CategoriesPopupButtonPlace = nullptr;
    TBevel* CommandsPopupButtonPlace = nullptr;
    TListBox* LCategories = nullptr;
    TListBox* LCommandsPlace = nullptr;
    TLabel* LabelDescription = nullptr;
    TBevel* Bevel1 = nullptr;
    TLabel* DescriptionLabel = nullptr;
    TPanel* StandardOptionsPanel = nullptr;
    TLabel* LabelMenuAnimations = nullptr;
    TCheckBox* CBHint1 = nullptr;
    TCheckBox* CBHint2 = nullptr;
    TCheckBox* CBLargeIcons = nullptr;
    TComboBox* ComboBoxMenuAnimations = nullptr;
    TPanel* EnhancedOptionsPanel = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TBevel* Bevel2 = nullptr;
    TBevel* Bevel3 = nullptr;
    TCheckBox* CBMenusShowRecentItemsFirst = nullptr;
    TCheckBox* CBShowFullMenusAfterDelay = nullptr;
    TButton* BResetUsageData = nullptr;
    TCheckBox* CBLargeIconsEx = nullptr;
    TCheckBox* CBHint1Ex = nullptr;
    TCheckBox* CBHint2Ex = nullptr;
    TComboBox* ComboBoxMenuAnimationsEx = nullptr;
    TListBox* LAllCommands = nullptr;
    TCheckBox* CBShowCommandsWithShortCut = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TListBox* lbGroups = nullptr;
    TButton* btnGroupAdd = nullptr;
    TButton* btnGroupDelete = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TListBox* lbGroupItems = nullptr;
    TButton* btnGroupItemAdd = nullptr;
    TButton* btnGroupItemDelete = nullptr;
    TButton* btnMoveUp = nullptr;
    TButton* btnMoveDown = nullptr;
    TubBarManager* BarManager1 = nullptr;
    TubBarButton* CategoriesAdd = nullptr;
    TubBarButton* CategoriesInsert = nullptr;
    TubBarButton* CategoriesRename = nullptr;
    TubBarButton* CategoriesVisible = nullptr;
    TubBarCombo* CategoriesItemsVisible = nullptr;
    TubBarButton* CategoriesDelete = nullptr;
    TubBarButton* CommandsAdd = nullptr;
    TubBarButton* CommandsDelete = nullptr;
    TubBarButton* CommandsClear = nullptr;
    TubBarButton* CommandsMoveUp = nullptr;
    TubBarButton* CommandsMoveDown = nullptr;
    TubBarButton* CommandsSubMenuEditor = nullptr;
    TubBarPopupMenu* CategoriesPopupMenu = nullptr;
    TubBarPopupMenu* CommandsPopupMenu = nullptr;

    // ---- controls made in place of the placeholders
    TubBarsListBox* BarsListBox = nullptr;
    TCommandsListBox* LCommands = nullptr;
    // Design mode only: the buttons that open the category and command popup menus.
    TCheckableButton* CategoriesPopupButton = nullptr;
    TCheckableButton* CommandsPopupButton = nullptr;

    // ---- handlers of the form resource
    void FormClose(TObject* Sender, TCloseAction& Action);
    void BHelpClick(TObject* Sender);
    void BCloseClick(TObject* Sender);
    void PageControlChange(TObject* Sender);
    void BBarNewClick(TObject* Sender);
    void BBarRenameClick(TObject* Sender);
    void BBarDeleteClick(TObject* Sender);
    void BBarResetClick(TObject* Sender);
    void LCategoriesClick(TObject* Sender);
    void LCategoriesDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void LCategoriesEndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void LCategoriesKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void LCategoriesMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void LCommandsClick(TObject* Sender);
    void CBHint1Click(TObject* Sender);
    void CBHint2Click(TObject* Sender);
    void CBLargeIconsClick(TObject* Sender);
    void ComboBoxMenuAnimationsClick(TObject* Sender);
    void CBMenusShowRecentItemsFirstClick(TObject* Sender);
    void CBShowFullMenusAfterDelayClick(TObject* Sender);
    void BResetUsageDataClick(TObject* Sender);
    // Design mode (the "All commands" and "Groups" pages, the popup menus).
    void LAllCommandsClick(TObject* Sender);
    void LAllCommandsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void CBShowCommandsWithShortCutClick(TObject* Sender);
    void lbGroupsClick(TObject* Sender);
    void lbGroupsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void lbGroupsEnter(TObject* Sender);
    void lbGroupsKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void lbGroupsMeasureItem(TWinControl* Control, int Index, int& Height);
    void lbGroupItemsClick(TObject* Sender);
    void lbGroupItemsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void lbGroupItemsEnter(TObject* Sender);
    void lbGroupItemsKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void btnGroupAddClick(TObject* Sender);
    void btnGroupDeleteClick(TObject* Sender);
    void btnGroupItemAddClick(TObject* Sender);
    void btnGroupItemDeleteClick(TObject* Sender);
    void btnMoveUpClick(TObject* Sender);
    void btnMoveDownClick(TObject* Sender);
    void CategoriesAddClick(TObject* Sender);
    void CategoriesInsertClick(TObject* Sender);
    void CategoriesRenameClick(TObject* Sender);
    void CategoriesVisibleClick(TObject* Sender);
    void CategoriesItemsVisibleChange(TObject* Sender);
    void CategoriesDeleteClick(TObject* Sender);
    void CommandsAddClick(TObject* Sender);
    void CommandsDeleteClick(TObject* Sender);
    void CommandsClearClick(TObject* Sender);
    void CommandsMoveUpClick(TObject* Sender);
    void CommandsMoveDownClick(TObject* Sender);
    void CommandsSubMenuEditorClick(TObject* Sender);

    // ---- design mode
    // The entries of the category and command popup menus follow the selected category and command.
    void UpdatePopupStates();
    // A right click at a client point of the command list selects the row there and opens the command popup.
    void CommandsContextPopup(int X, int Y);
    // Insert, Delete, Ctrl+Up and Ctrl+Down on the command list run their popup entries; false for other keys.
    bool CommandsKeyDown(WORD Key, TShiftState Shift);
    // The "All commands" rows (every item with a category; only those with a short-cut property while the box
    // is checked), keeping the top row and the selection; and the widths of their three columns.
    void FillAllCommands();
    void MeasureAllCommands();
    // The groups, and the members of the selected group.
    void FillGroups();
    void FillGroupItems();
    // The "All commands" list's messages before its own: the last row's column lines run on to the bottom.
    void AllCommandsWindowProc(TMessage& Message);
    // Replaces the two button placeholders with the popup buttons, each 5 pixels right of its label.
    void MakePopupButtons();

    // ---- what the routines and the lists do
    // The toolbar list: rows refilled from the bars, a row's text and box refreshed, the buttons' states.
    void FillBarsList();
    void BarChanged(TubBar* ABar);
    void BarDeleted(TubBar* ABar);
    void UpdateBarButtons();
    // The user toggles a bar's row: the bar shows or hides, or a beep when the user may not switch it.
    void ToggleBar(int Index);
    // The category list and the command list of its selected category.
    void FillCategories();
    void RefreshCommands();
    // Rebuilds the command list keeping the selected row (clamped to the last).
    void ItemsChanged();
    void SelectItem(TubBarItem* AItem, bool ASwitchCategory);
    // The category (an index in the manager's categories) of the category list's row, and back; -1 for none.
    int CategoryOfRow(int ARow) const;
    int RowOfCategory(int ACategory) const;
    // The options page shows the manager's settings.
    void LoadOptions();
    void UpdateHelpButton();
    // The command list's colour and painter follow the manager's style.
    void UpdateStyle();
    // The user pressed a row of the command list at a client point of it: the row is selected and a drag
    // from it starts the manager's item drag.
    void CommandsMouseDown(int X, int Y);
    // The mouse wheel turned (ADelta) over a list box that is not focused scrolls it by the system's wheel
    // lines; false when the pointer is over no such list (the wheel's own handling then).
    bool WheelOverList(int ADelta);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Activate() override;

private:
    // Reads every visible text again from the resource-string repository.
    void LoadTexts();
    // Replaces a placeholder with the control made for it (bounds, parent, tab order); frees the placeholder.
    void TakePlace(TWinControl* APlaceholder, TWinControl* AControl);
    // The visible panel's animation combo filled and sized; the section bevels placed.
    void ArrangeOptions();
    // The bar listed in a row of the toolbar list.
    TubBar* SelectedBar() const;
    // The name a new bar is offered: "Custom " and the first number no bar's caption has.
    std::string NewBarName() const;

    TubBarManager* barManager_ = nullptr;
    TubBarCustomizingFormPainterClass painter_ = nullptr;
    bool destroying_ = false;
    bool refreshingCommands_ = false;
    bool deletingCommands_ = false;
    bool restoringGroupSelection_ = false;
    bool groupItemsFocused_ = false;
    int groupsUpdateCount_ = 0;
    int draggedCategory_ = -1;
    int widestName_ = 0;
    int widestCaption_ = 0;
    int widestShortCut_ = 0;
    TWndMethod allCommandsWndProc_;
};

}  // namespace zel
