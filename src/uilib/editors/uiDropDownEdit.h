#pragma once
// The drop-down editors: the drop-down window (a popup that sizes itself from its editor and its content,
// can carry a system panel with a close button and a size grip at the corner away from the editor, resizes
// by mouse, live or with a hatched frame as preview, draws its border in several styles and says how it
// closed); the masked editor with a drop-down button that opens it; the combo box, whose popup is the list
// of its items; and the popup edit, whose popup shows a control of the application.
#include <functional>
#include <string>

#include "platform/rtl/Units.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "uilib/base/uiControlsPopup.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEdit.h"
#include "uilib/editors/uiMaskEdit.h"

namespace zel {

class TuiCustomEditPopupWindowViewInfo;
using TuiEditPopupDrawCustomBorderEvent = std::function<void(
    TuiCustomEditPopupWindowViewInfo* AViewInfo, TCanvas* ACanvas, int& ABorderWidth, bool& ADone, const TRect& R)>;

// The close button's look: 1 normal, 2 hot, 3 pressed.
enum TuiPopupCloseButtonState { pcbsNormal = 1, pcbsHot = 2, pcbsPressed = 3 };

// A sizing direction: -1 moves the left (top) edge, +1 the right (bottom) edge, 0 neither.
struct TuiSizingDirection {
    int DX = 0;
    int DY = 0;
    bool IsSizing() const { return DX != 0 || DY != 0; }
    bool operator==(const TuiSizingDirection&) const = default;
};

class TuiCustomEditPopupWindowViewInfo : public TuiContainerViewInfo {
public:
    std::string ClassName() const override { return "TuiCustomEditPopupWindowViewInfo"; }

    // ---- added operations, in slot order
    // Lays the frame out in Bounds: ClientRect, the system panel, its grip and close button.
    virtual void Calculate();
    void DrawBorder(TCanvas* ACanvas, TRect R) override;
    // The room the frame takes on each side (the shadow and the system panel included).
    virtual TRect GetExtent();
    virtual TRect GetClientExtent();
    virtual int GetSysPanelHeight();
    // Which edges a press at a point (window coordinates) moves; none unless the popup is sizeable.
    virtual TuiSizingDirection HitTestSizing(int X, int Y);

    void Paint(TCanvas* ACanvas) override;
    // The frame's width on each side, without the client edge.
    int FrameWidth();
    int ClientEdgeWidth();
    bool HasSysPanel() const { return PopupSysPanelStyle; }
    // The panel's side: true at the bottom (Corner's bit 1).
    bool SysPanelAtBottom() const { return (Corner & 2) != 0; }
    bool GripAtRight() const { return (Corner & 1) != 0; }

    TuiEditPopupBorderStyle PopupBorderStyle = epbsDefault;
    bool PopupClientEdge = false;
    bool ShowCloseButton = false;
    TuiPopupCloseButtonState CloseButtonState = pcbsNormal;
    TRect CloseButtonRect{};
    bool PopupSizeable = false;
    bool PopupSysPanelStyle = false;
    // 0..3: bit 0 the grip is on the right, bit 1 at the bottom.
    int Corner = 3;
    TRect GripRect{};
    TRect SysPanelRect{};
    int SysPanelHeight = 0;
    int MinSysPanelHeight = 0;
    TuiLookAndFeelKind LookAndFeelKind = lfStandard;
    // The look's painter, which draws the close button.
    TuiLookAndFeelPainterClass LookAndFeelPainter = nullptr;
    TuiEditPopupDrawCustomBorderEvent OnDrawCustomBorder;

private:
    void DrawSysPanel(TCanvas* ACanvas);
    void DrawGrip(TCanvas* ACanvas);
    void DrawCloseButton(TCanvas* ACanvas);
    // The custom border handler's answer: true with its width when it drew the frame.
    bool CustomBorder(TCanvas* ACanvas, int& AWidth);
};

// Sizes a popup may take: the content says which size it accepts (true, with the size perhaps adjusted) or
// refuses (false).
using TuiPopupContentResizingEvent = std::function<bool(int& AClientWidth, int& AClientHeight)>;

class TuiCustomEditPopupWindow : public TuiCustomPopupWindow {
public:
    explicit TuiCustomEditPopupWindow(TWinControl* AOwnerControl);
    ~TuiCustomEditPopupWindow() override;
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiCustomEditPopupWindow"; }

    TuiCustomEditPopupWindowViewInfo* PopupViewInfo() const {
        return static_cast<TuiCustomEditPopupWindowViewInfo*>(ViewInfo());
    }
    // The drop-down editor the popup belongs to.
    TWinControl* Editor() const { return OwnerControl(); }
    // The editor's screen rectangle when the popup opened.
    TRect EditorBounds{};

    bool PopupAutoSize = false;
    int PopupWidth = 0;
    int PopupHeight = 0;
    int PopupMinWidth = 0;
    int PopupMinHeight = 0;
    bool LiveResize = true;
    // Asks for the system's drop shadow on the window class (only used with desktop composition).
    bool DropShadow = false;

    bool GetPopupSizeable() const { return PopupViewInfo()->PopupSizeable; }
    void SetPopupSizeable(bool Value) { PopupViewInfo()->PopupSizeable = Value; }
    bool GetPopupSysPanelStyle() const { return PopupViewInfo()->PopupSysPanelStyle; }
    void SetPopupSysPanelStyle(bool Value) { PopupViewInfo()->PopupSysPanelStyle = Value; }
    TuiEditPopupBorderStyle GetPopupBorderStyle() const { return PopupViewInfo()->PopupBorderStyle; }
    void SetPopupBorderStyle(TuiEditPopupBorderStyle Value) { PopupViewInfo()->PopupBorderStyle = Value; }
    bool GetPopupClientEdge() const { return PopupViewInfo()->PopupClientEdge; }
    void SetPopupClientEdge(bool Value) { PopupViewInfo()->PopupClientEdge = Value; }
    bool GetShowCloseButton() const { return PopupViewInfo()->ShowCloseButton; }
    void SetShowCloseButton(bool Value) { PopupViewInfo()->ShowCloseButton = Value; }
    bool GetNativeStyle() const { return PopupViewInfo()->NativeStyle; }
    void SetNativeStyle(bool Value) { PopupViewInfo()->NativeStyle = Value; }
    bool GetShadow() const { return PopupViewInfo()->Shadow; }
    void SetShadow(bool Value) { PopupViewInfo()->Shadow = Value; }
    void SetLookAndFeelKind(TuiLookAndFeelKind Value);

    // The outline shown while sizing without live content; nullptr otherwise.
    TuiSizeFrame* ResizeOutline() const { return resizeOutline_; }
    bool SizeCheckLocked = false;
    bool IsSizing() const { return sizing_.IsSizing(); }
    // The reason of the last closing: crUnknown from the close button, crEnter for OK, crCancel for Cancel.
    TuiCloseUpReason CloseReason() const { return closeReason_; }
    // The largest client size the content may ask for: the room on the editor's monitor beside the editor
    // (above or below it for a popup that opens downwards, left or right of it for one that opens
    // sideways), less the frame.
    TPoint GetMaxContentSize();
    // The smallest window size: the frame, and room for the close button and the grip.
    TPoint GetMinSize();

    TuiPopupContentResizingEvent OnContentResizing;
    // The user changed the size (the editor keeps it for the next opening).
    TNotifyEvent OnResizedByUser;
    // The control that takes the focus when the posted show request shows the popup.
    TWinControl* ShowFocusControl = nullptr;

    // ---- overridable operations
    virtual void CalculateSize();
    TPoint CalculatePosition() override;
    void AdjustSize() override { CalculateSize(); }
    bool IsSizeAdjustable() override { return true; }
    void CloseOnModalResult() override;
    void PopupHook() override;
    // Closes with a reason (told to OnClosing and OnClosed).
    void CloseUp(TuiCloseUpReason AReason);
    // A press on the drop-down editor's own opening area closes the popup and is the editor's.
    bool OwnerHandlesClick(HWND Window, UINT Msg, TPoint P, TShiftState Shift) override;
    // The preferred size of the content: the extent of the visible children.
    virtual TPoint ContentSize();
    // Keeps the size within the minimum and asks the content; false when the size is refused.
    virtual bool CanResize(int& AWidth, int& AHeight);

protected:
    TuiContainerViewInfo* CreateViewInfo() override { return new TuiCustomEditPopupWindowViewInfo; }
    // A popup that leaves the focus with its editor is never activated, not even by a click in it.
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoClosing() override;
    void DoClosed() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void CalculateViewInfoBounds();
    void SetCloseButtonState(TuiPopupCloseButtonState AState);
    void SetSizingCursor(TuiSizingDirection ADirection);
    void SizeTo(TPoint AScreen);
    void EndSizing();
    // Forwards a character to the focused window when that is a window inside the popup.
    void ForwardChar(TMessage& Message);

    TuiSizeFrame* resizeOutline_ = nullptr;
    TuiSizingDirection sizing_;
    TPoint grabOffset_{};
    TRect sizingRect_{};
    bool cursorChanged_ = false;
    TuiCloseUpReason closeReason_ = crUnknown;
};

// ------------------------------------------------------------------------------------------ drop-down edit

class TuiCustomDropDownEdit;

// Which way the popup opens: beside the editor's left or right side, or above or below it.
enum TuiPopupOpenDirection { podHorizontal, podVertical };

class TuiCustomDropDownEditProperties : public TuiCustomMaskEditProperties {
public:
    static TClass StaticClass();
    explicit TuiCustomDropDownEditProperties(TPersistent* AOwner);
    ~TuiCustomDropDownEditProperties() override;
    std::string ClassName() const override { return "TuiCustomDropDownEditProperties"; }
    // The mask settings, then everything below (the events included), in one update.
    void Assign(TPersistent* Source) override;
    // Also turns the glyph button into a glyph or a down button as its glyph says.
    void Changed() override;

    // The glyph of the glyph button: a picture makes it a glyph button, none a down button again.
    TBitmap* GetButtonGlyph();
    void SetButtonGlyph(TBitmap* Value);

    bool ImmediateDropDown = true;
    bool ImmediatePopup = false;
    bool PostPopupValueOnTab = false;
    bool PopupAutoSize = true;
    bool PopupClientEdge = false;
    bool PopupSizeable = false;
    bool PopupSysPanelStyle = false;
    bool ArrowStaysPressed = false;
    TuiPopupOpenDirection OpenDirection = podVertical;
    TuiPopupEdgeAlign HorzAlign = peaStart;
    TuiPopupEdgeAlign VertAlign = peaEnd;

    int GetPopupWidth() const { return popupWidth_; }
    // 0 stays 0 (the editor's width); other widths are at least PopupMinWidth.
    void SetPopupWidth(int Value);
    int GetPopupHeight() const { return popupHeight_; }
    // At least PopupMinHeight.
    void SetPopupHeight(int Value);
    int GetPopupMinWidth() const { return popupMinWidth_; }
    // Negative becomes 0; the width is checked against the new minimum.
    void SetPopupMinWidth(int Value);
    int GetPopupMinHeight() const { return popupMinHeight_; }
    void SetPopupMinHeight(int Value);
    // The horizontal alignment as a text alignment: left, centre, right.
    TAlignment GetPopupAlignment() const;
    void SetPopupAlignment(TAlignment Value);

    TNotifyEvent OnInitPopup;
    TNotifyEvent OnPopup;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnPopupFinished;

    // ---- answers of the class, in slot order
    virtual int GetGlyphButtonIndex() const { return 0; }
    // Whether the popup shows the editor's lookup data (a list of items).
    virtual bool PopupUsesLookupData() const { return false; }
    // Whether the popup edits the value itself (else closing with a choice posts it).
    virtual bool PopupEditsValue() const { return false; }
    // Whether a press anywhere in the editor opens the popup.
    virtual bool MouseOpensPopup() const { return false; }
    virtual TuiCustomEditPopupWindow* CreatePopupWindow(TuiCustomDropDownEdit* AEditor);
    // Whether a size the user gave the popup is kept for the next opening.
    virtual bool CanStorePopupSize() const { return true; }
    // Whether the popup takes the keyboard focus while open.
    virtual bool PopupTakesFocus() const { return false; }

private:
    TuiEditButton* GlyphButton() const;
    int popupWidth_ = 0;
    int popupHeight_ = 0;
    int popupMinWidth_ = 0;
    int popupMinHeight_ = 0;
    bool checkingGlyph_ = false;
};

// The masked editor with a drop-down button: it opens its popup window under (or beside) itself, closes it
// with a reason, keeps a size the user gave it, and answers the keys and the mouse that open and close it.
class TuiCustomDropDownEdit : public TuiCustomMaskEdit {
public:
    explicit TuiCustomDropDownEdit(TComponent* AOwner);
    ~TuiCustomDropDownEdit() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TuiCustomDropDownEdit"; }

    TuiCustomDropDownEditProperties* DropDownProperties() const {
        return static_cast<TuiCustomDropDownEditProperties*>(TuiCustomEdit::ActiveProperties());
    }
    TuiCustomEditPopupWindow* PopupWindow() const { return popupWindow_; }

    bool GetDroppedDown() const { return HasPopupWindow(); }
    // True opens the popup (nothing while it is open or its show request is queued); false closes it with
    // reason 0.
    void SetDroppedDown(bool Value);
    // Closes the open popup with a reason; nothing while it is closed.
    virtual void CloseUp(TuiCloseUpReason AReason);
    bool HasPopupWindow() const override;
    void PasteFromClipboard() override;

    TuiCloseUpReason CloseUpReason = crUnknown;
    bool PopupInitialized = false;
    // Set once the user resized the popup: its size is kept from then on.
    bool PopupSizeChanged = false;
    bool ArrowPressedByMouse = false;
    // The popup's size kept for an in-place editor.
    TPoint InplacePopupSize{0, 0};

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiCustomDropDownEditProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override {
        return ItemPropertiesAre<TuiCustomDropDownEditProperties>(AItem);
    }

    // ---- the popup's life
    // Opens the popup: initialises it once per opening, sets it up and posts it the show request.
    void DropDown();
    // Fires OnInitPopup (own properties first, then the repository item's).
    virtual void InitPopup();
    // Whether the popup can open now; descendants decide.
    virtual bool CanDropDown() { return true; }
    virtual void SetupPopupWindow();
    // The size of what the popup shows, and its place in the client rectangle.
    virtual TPoint PopupContentSize();
    virtual void PositionPopupContent(const TRect& AClientRect);
    // The control inside the popup that takes the focus (for a focus-taking popup).
    virtual TWinControl* PopupFocusedControl() { return nullptr; }
    virtual void PopupWindowShowed();
    virtual void PopupWindowClosed(TuiCloseUpReason AReason);
    virtual void FinalizePopup();
    void DoPopup();
    void DoCloseUp();
    bool DoCloseQuery();
    // Whether the value shown may be accepted by Enter.
    virtual bool CanAcceptPopupValue() { return true; }
    // Puts the value on when ImmediatePost allows.
    void PostEditValue();

    bool TextKeyDown(WORD& Key, TShiftState Shift) override;
    // The keys that open and close the popup: the toggle keys, and Enter, Escape and Tab while it is open;
    // true when taken.
    bool PopupKeyDown(WORD& Key, TShiftState Shift);
    bool TextKeyPress(char& Key) override;
    bool InnerControlKeyHook(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CalculateViewInfo(TPoint P, bool AHotTrack) override;
    // Whether a press at a client point is on the area that opens the popup.
    virtual bool IsOpeningArea(TPoint P);

private:
    friend class TuiCustomEditPopupWindow;
    void TogglePopup();
    // Fires an event of the own properties, then of the repository item's.
    void FireBoth(TNotifyEvent TuiCustomDropDownEditProperties::*AEvent);
    void LeaveClosesPopup(HWND ATo);
    void FocusEntered(HWND AFrom);
    // Whether the window is the editor's, its inner edit's, the popup's or one inside them.
    bool IsInside(HWND AWindow) const;

    TuiCustomEditPopupWindow* popupWindow_ = nullptr;
    bool focusFromPopup_ = false;
};

class TuiDropDownEdit : public TuiCustomDropDownEdit {
public:
    using TuiCustomDropDownEdit::TuiCustomDropDownEdit;
    std::string ClassName() const override { return "TuiDropDownEdit"; }
};

// ---------------------------------------------------------------------------------------------- popup edit

// A component that hears when the components it watches are freed.
class TuiFreeWatcher : public TComponent {
public:
    TuiFreeWatcher() : TComponent(nullptr) {}
    ~TuiFreeWatcher() override;
    std::string ClassName() const override { return "TuiFreeWatcher"; }
    // Stops watching AOld (when given) and starts watching ANew (when given).
    void Watch(TComponent* AOld, TComponent* ANew);
    std::function<void(TComponent*)> OnFreed;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TuiCustomPopupEditProperties : public TuiCustomDropDownEditProperties {
public:
    static TClass StaticClass();
    explicit TuiCustomPopupEditProperties(TPersistent* AOwner);
    ~TuiCustomPopupEditProperties() override;
    std::string ClassName() const override { return "TuiCustomPopupEditProperties"; }
    void Assign(TPersistent* Source) override;

    // The control the popup shows; empty again when that control is freed.
    TControl* GetPopupControl() const { return popupControl_; }
    void SetPopupControl(TControl* Value);

    TuiCustomEditPopupWindow* CreatePopupWindow(TuiCustomDropDownEdit* AEditor) override;
    bool CanStorePopupSize() const override { return false; }
    bool PopupTakesFocus() const override { return true; }

private:
    TControl* popupControl_ = nullptr;
    TuiFreeWatcher watcher_;
};

class TuiPopupEditProperties : public TuiCustomPopupEditProperties {
public:
    explicit TuiPopupEditProperties(TPersistent* AOwner);
    std::string ClassName() const override { return "TuiPopupEditProperties"; }
    static TClass StaticClass();
};

class TuiPopupEditPopupWindowViewInfo : public TuiCustomEditPopupWindowViewInfo {
public:
    std::string ClassName() const override { return "TuiPopupEditPopupWindowViewInfo"; }
    // The 3-D frame as two raised rings, then a highlight ring and a face ring; the others as usual.
    void DrawBorder(TCanvas* ACanvas, TRect R) override;
};

class TuiPopupEditPopupWindow : public TuiCustomEditPopupWindow {
public:
    using TuiCustomEditPopupWindow::TuiCustomEditPopupWindow;
    std::string ClassName() const override { return "TuiPopupEditPopupWindow"; }
    // The lent control's size.
    TPoint ContentSize() override;

protected:
    TuiContainerViewInfo* CreateViewInfo() override { return new TuiPopupEditPopupWindowViewInfo; }
};

// The drop-down editor whose popup shows a control of the application: the control is lent to the popup
// while it is open and goes back to its parent, alignment, bounds and visibility when it closes.
class TuiCustomPopupEdit : public TuiCustomDropDownEdit {
public:
    explicit TuiCustomPopupEdit(TComponent* AOwner);
    ~TuiCustomPopupEdit() override;
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TuiCustomPopupEdit"; }

    TuiCustomPopupEditProperties* PopupEditProperties() const {
        return static_cast<TuiCustomPopupEditProperties*>(TuiCustomEdit::ActiveProperties());
    }
    // Closes the popup with a reason, from the program (a button inside the lent control, say).
    void ClosePopup(TuiCloseUpReason AReason);
    // The control lent to the open popup; nullptr while nothing is lent.
    TControl* BorrowedControl() const { return borrowed_; }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiCustomPopupEditProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override {
        return ItemPropertiesAre<TuiCustomPopupEditProperties>(AItem);
    }
    bool CanDropDown() override { return PopupEditProperties()->GetPopupControl() != nullptr; }
    // Refuses a control that is the popup, the editor or a parent of the editor.
    void InitPopup() override;
    void SetupPopupWindow() override;
    TPoint PopupContentSize() override;
    void PositionPopupContent(const TRect& AClientRect) override;
    TWinControl* PopupFocusedControl() override;
    void PopupWindowClosed(TuiCloseUpReason AReason) override;

private:
    // Gives the lent control back; a parent freed meanwhile leaves it hidden and without a parent.
    void RestoreControl();
    void Moved(TControl* AControl, TWinControl* AParent);

    TControl* borrowed_ = nullptr;
    TWinControl* previousParent_ = nullptr;
    TAlign previousAlign_ = alNone;
    TRect previousBounds_{};
    bool previousVisible_ = false;
    TuiFreeWatcher watcher_;
};

class TuiPopupEdit : public TuiCustomPopupEdit {
public:
    using TuiCustomPopupEdit::TuiCustomPopupEdit;
    std::string ClassName() const override { return "TuiPopupEdit"; }
    TuiPopupEditProperties* Properties() const {
        return static_cast<TuiPopupEditProperties*>(TuiCustomEdit::Properties());
    }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiPopupEditProperties(this); }
};

// ----------------------------------------------------------------------------------------------- combo box

enum TuiEditDropDownListStyle { lsEditFixedList, lsEditList, lsFixedList };

class TuiCustomComboBox;
// Draws one item of a combo box's list (or the selected item in the text area of a fixed-list combo).
using TuiEditDrawItemEvent = std::function<void(TuiCustomComboBox* AControl, TCanvas* ACanvas, int AIndex,
                                                const TRect& ARect, TOwnerDrawState AState)>;

class TuiCustomComboBoxProperties : public TuiCustomDropDownEditProperties {
public:
    static TClass StaticClass();
    explicit TuiCustomComboBoxProperties(TPersistent* AOwner);
    std::string ClassName() const override { return "TuiCustomComboBoxProperties"; }
    // The drop-down settings, then the list style, rows, item height, Revertable and both events.
    void Assign(TPersistent* Source) override;

    TuiEditDropDownListStyle GetDropDownListStyle() const { return listStyle_; }
    void SetDropDownListStyle(TuiEditDropDownListStyle Value);
    int GetDropDownRows() const override { return dropDownRows_; }
    // Values below 1 are ignored.
    void SetDropDownRows(int Value);
    // 0: the list's own row height.
    int GetItemHeight() const { return itemHeight_; }
    void SetItemHeight(int Value);
    bool Revertable = false;
    TuiEditDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    // The names the combo box gives the drop-down settings and the items.
    bool GetDropDownAutoWidth() const { return PopupAutoSize; }
    void SetDropDownAutoWidth(bool Value) { PopupAutoSize = Value; }
    bool GetDropDownSizeable() const { return PopupSizeable; }
    void SetDropDownSizeable(bool Value) { PopupSizeable = Value; }
    int GetDropDownWidth() const { return GetPopupWidth(); }
    void SetDropDownWidth(int Value) { SetPopupWidth(Value); }
    TStringList* Items() const { return LookupItems(); }
    bool GetSorted() const { return GetLookupItemsSorted(); }
    void SetSorted(bool Value) { SetLookupItemsSorted(Value); }

    // The list styles as the text editor's: free text, completion from the list, the list only.
    TuiTextEditingStyle GetEditingStyle() const override;
    bool PopupUsesLookupData() const override { return true; }
    bool MouseOpensPopup() const override { return listStyle_ == lsFixedList; }
    TuiCustomEditPopupWindow* CreatePopupWindow(TuiCustomDropDownEdit* AEditor) override;

private:
    TuiEditDropDownListStyle listStyle_ = lsEditList;
    int dropDownRows_ = 8;
    int itemHeight_ = 0;
};

class TuiComboBoxProperties : public TuiCustomComboBoxProperties {
public:
    using TuiCustomComboBoxProperties::TuiCustomComboBoxProperties;
    std::string ClassName() const override { return "TuiComboBoxProperties"; }
    static TClass StaticClass();
};

// The list of a combo box's popup: rows of the settings' item height (or each item's own through
// OnMeasureItem), drawn by OnDrawItem when it is set.
class TuiCustomComboBoxListBox : public TuiCustomEditListBox {
public:
    explicit TuiCustomComboBoxListBox(TuiCustomComboBox* ACombo);
    std::string ClassName() const override { return "TuiCustomComboBoxListBox"; }
    TuiCustomComboBox* Combo() const { return combo_; }
    // The height of the item at AIndex, and of the first ARowCount items together.
    int ItemHeightOf(int AIndex);
    int RowsHeight(int ARowCount);
    // Set when the popup opened over the list, or the program chose an item: the next move changes nothing.
    bool IgnoreNextMouseMove = false;

protected:
    void CreateParams(TCreateParams& Params) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TuiCustomComboBox* combo_;
};

class TuiComboBoxListBox : public TuiCustomComboBoxListBox {
public:
    using TuiCustomComboBoxListBox::TuiCustomComboBoxListBox;
    std::string ClassName() const override { return "TuiComboBoxListBox"; }
    // Fixed rows unless the settings measure each item.
    void UpdateStyle();
};

// The combo box's items for the list in its popup.
class TuiComboBoxLookupData : public TuiCustomTextEditLookupData {
public:
    explicit TuiComboBoxLookupData(TuiCustomComboBox* AOwner);
    std::string ClassName() const override { return "TuiComboBoxLookupData"; }
    TuiComboBoxListBox* ComboList() const { return static_cast<TuiComboBoxListBox*>(GetList()); }
    void Initialize(TWinControl* AParent) override;
    // The list's size for up to DropDownRows rows within AMaxSize, scroll bars included.
    TPoint GetVisualAreaPreferredSize(TPoint AMaxSize);
    // The size the list accepts when the user resizes it: whole rows, room for the scroll bars it needs.
    bool ContentResizing(int& AWidth, int& AHeight);
    // The width of the widest item's text, measured on the first request after the list was initialised.
    int WidestItem();

protected:
    bool UsesList() const override { return true; }
    TuiCustomEditListBox* CreateList() override;

private:
    TuiCustomComboBox* combo_;
    int widest_ = -1;
};

class TuiComboBoxPopupWindow : public TuiCustomEditPopupWindow {
public:
    using TuiCustomEditPopupWindow::TuiCustomEditPopupWindow;
    std::string ClassName() const override { return "TuiComboBoxPopupWindow"; }
    void CalculateSize() override;
    TPoint ContentSize() override;
};

class TuiCustomComboBox : public TuiCustomDropDownEdit {
public:
    explicit TuiCustomComboBox(TComponent* AOwner);
    std::string ClassName() const override { return "TuiCustomComboBox"; }
    TuiCustomComboBoxProperties* ComboProperties() const {
        return static_cast<TuiCustomComboBoxProperties*>(TuiCustomEdit::ActiveProperties());
    }
    TuiComboBoxLookupData* ComboLookupData() const { return static_cast<TuiComboBoxLookupData*>(LookupData()); }
    int GetItemIndex() const { return TuiCustomTextEdit::GetItemIndex(); }
    void SetItemIndex(int Value);
    bool CanNavigateLookup(bool /*AFromWheel*/) const override { return true; }
    TWinControl* PopupList() const override;

    // The settings' OnDrawItem (own first, then the repository item's); false when neither is set.
    bool DoDrawItem(TCanvas* ACanvas, int AIndex, const TRect& ARect, TOwnerDrawState AState);
    // The height of an item: ItemHeight or the list's own, then OnMeasureItem (own, then the repository's).
    void DoMeasureItem(int AIndex, int& AHeight);
    bool HasDrawItemEvent() const;
    bool HasMeasureItemEvent() const;
    // Picks the item of the list and closes the popup as Enter does.
    void ListItemChosen(int AIndex);

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiCustomComboBoxProperties(this); }
    bool CanAcceptRepositoryItem(TuiEditRepositoryItem* AItem) override {
        return ItemPropertiesAre<TuiCustomComboBoxProperties>(AItem);
    }
    TuiCustomTextEditLookupData* CreateLookupData() override { return new TuiComboBoxLookupData(this); }
    void SetupPopupWindow() override;
    void PositionPopupContent(const TRect& AClientRect) override;
    void PopupWindowShowed() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    // Clicks in the text area are not the combo's click events.
    void Click() override {}
    // After the inner EDIT painted: a fixed list with OnDrawItem draws its selected item over it.
    void SpellRedraw() override;
    // The current item follows the text; a change of it by the user's typing marks the editor modified.
    void InnerTextChanged() override;

private:
    // The list item under a screen point, -1 for none (or no list shown).
    int ListItemAt(TPoint AScreen);
};

class TuiComboBox : public TuiCustomComboBox {
public:
    using TuiCustomComboBox::TuiCustomComboBox;
    std::string ClassName() const override { return "TuiComboBox"; }
    TuiComboBoxProperties* Properties() const {
        return static_cast<TuiComboBoxProperties*>(TuiCustomEdit::Properties());
    }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TuiComboBoxProperties(this); }
};

// The combo box of filter rows: the editor class, and the settings it needs there.
class TuiFilterComboBoxHelper : public TuiFilterMaskEditHelper {
public:
    static TClass StaticClass();
    std::string GetFilterEditClassName() const override { return "TuiComboBox"; }
    // The masked editor's filter settings, with no glyph, eight rows of an editable list opened by the button
    // only, lined up on the left and without stepping.
    void InitializeProperties(TuiCustomEditProperties* AProperties, TuiCustomEditProperties* AEditProperties,
                              bool AHasButtons) const override;
};

// The drop-down editors' start-up step: registers the combo box's and the popup edit's settings classes
// with their descriptions; shutdown takes them out again.
TUnitRow uiDropDownEditUnitRow();

// The cursor of a sizing direction: diagonal, horizontal or vertical arrows; crDefault for none.
TCursor SizingCursor(TuiSizingDirection ADirection);

}  // namespace zel
