#pragma once
// The standard controls: label, push button, check box, group box, edit and list box.
//
// The edit and list box stand on the layer's own EDIT and LISTBOX window classes, which draw themselves
// and answer the Win32 messages below (EM_*, LB_*, the EN_/LBN_ notifications through WM_COMMAND), so a
// window made directly with CreateWindowEx("EDIT", ...) behaves the same. The button, check box and
// group box are drawn by their own classes.
#include <functional>
#include <string>

#include "platform/rtl/StringList.h"
#include "platform/vcl/Controls.h"

namespace zel {

// The state of an owner-drawn list entry.
enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

// ---- EDIT messages and notifications
constexpr UINT EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_GETRECT = 0x00B2, EM_SETRECT = 0x00B3, EM_SETRECTNP = 0x00B4,
               EM_SCROLLCARET = 0x00B7, EM_GETMODIFY = 0x00B8, EM_SETMODIFY = 0x00B9, EM_GETLINECOUNT = 0x00BA,
               EM_REPLACESEL = 0x00C2, EM_LIMITTEXT = 0x00C5, EM_SETLIMITTEXT = 0x00C5, EM_CANUNDO = 0x00C6,
               EM_UNDO = 0x00C7, EM_SETPASSWORDCHAR = 0x00CC, EM_EMPTYUNDOBUFFER = 0x00CD, EM_SETREADONLY = 0x00CF,
               EM_GETPASSWORDCHAR = 0x00D2, EM_SETMARGINS = 0x00D3, EM_GETMARGINS = 0x00D4, EM_GETLIMITTEXT = 0x00D5,
               EM_LINESCROLL = 0x00B6, EM_LINEINDEX = 0x00BB, EM_LINELENGTH = 0x00C1, EM_GETLINE = 0x00C4,
               EM_LINEFROMCHAR = 0x00C9, EM_GETFIRSTVISIBLELINE = 0x00CE, EM_POSFROMCHAR = 0x00D6,
               EM_CHARFROMPOS = 0x00D7;
constexpr WORD EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300, EN_UPDATE = 0x0400, EN_MAXTEXT = 0x0501,
               EN_HSCROLL = 0x0601, EN_VSCROLL = 0x0602;
constexpr DWORD ES_LEFT = 0x0000, ES_CENTER = 0x0001, ES_RIGHT = 0x0002, ES_MULTILINE = 0x0004, ES_UPPERCASE = 0x0008,
                ES_LOWERCASE = 0x0010, ES_PASSWORD = 0x0020, ES_AUTOHSCROLL = 0x0080, ES_NOHIDESEL = 0x0100,
                ES_READONLY = 0x0800, ES_NUMBER = 0x2000;
constexpr WPARAM EC_LEFTMARGIN = 0x1, EC_RIGHTMARGIN = 0x2;

// ---- LISTBOX messages and notifications
constexpr UINT LB_ADDSTRING = 0x0180, LB_INSERTSTRING = 0x0181, LB_DELETESTRING = 0x0182, LB_RESETCONTENT = 0x0184,
               LB_SETSEL = 0x0185, LB_SETCURSEL = 0x0186, LB_GETSEL = 0x0187, LB_GETCURSEL = 0x0188,
               LB_GETTEXT = 0x0189, LB_GETTEXTLEN = 0x018A, LB_GETCOUNT = 0x018B, LB_SELECTSTRING = 0x018C,
               LB_GETTOPINDEX = 0x018E, LB_FINDSTRING = 0x018F, LB_SETTOPINDEX = 0x0197, LB_GETITEMRECT = 0x0198,
               LB_GETITEMDATA = 0x0199, LB_SETITEMDATA = 0x019A, LB_SETITEMHEIGHT = 0x01A0, LB_GETITEMHEIGHT = 0x01A1,
               LB_FINDSTRINGEXACT = 0x01A2, LB_ITEMFROMPOINT = 0x01A9, LB_GETSELCOUNT = 0x0190, LB_GETSELITEMS = 0x0191,
               LB_SELITEMRANGE = 0x019B, LB_SETCARETINDEX = 0x019E, LB_GETCARETINDEX = 0x019F,
               LB_GETHORIZONTALEXTENT = 0x0193, LB_SETHORIZONTALEXTENT = 0x0194;
constexpr LRESULT LB_ERR = -1;
constexpr WORD LBN_SELCHANGE = 1, LBN_DBLCLK = 2, LBN_SETFOCUS = 4, LBN_KILLFOCUS = 5;
constexpr DWORD LBS_NOTIFY = 0x0001, LBS_SORT = 0x0002, LBS_MULTIPLESEL = 0x0008, LBS_EXTENDEDSEL = 0x0800,
                LBS_OWNERDRAWFIXED = 0x0010, LBS_OWNERDRAWVARIABLE = 0x0020, LBS_HASSTRINGS = 0x0040,
                LBS_NOINTEGRALHEIGHT = 0x0100;

// ---- Owner draw: a list box with an owner-draw style asks its parent for each item's height
// (WM_MEASUREITEM) and has it draw each item (WM_DRAWITEM); wParam is the list's control id.
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODA_DRAWENTIRE = 0x0001, ODA_SELECT = 0x0002, ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001, ODS_GRAYED = 0x0002, ODS_DISABLED = 0x0004, ODS_FOCUS = 0x0010;

struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    ULONG_PTR itemData = 0;
};

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem{};
    ULONG_PTR itemData = 0;
};

// ------------------------------------------------------------------------------------------------ TLabel

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomLabel"; }

    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    void SetLayout(TTextLayout Value);
    bool GetTransparent() const { return transparent_; }
    void SetTransparent(bool Value);
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar = true;
    TWinControl* FocusControl = nullptr;

    // Fits the size to the text when AutoSize is set.
    void AdjustBounds();

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Loaded() override;
    UINT TextFlags() const;

private:
    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool transparent_ = false;
    bool wordWrap_ = false;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
    std::string ClassName() const override { return "TLabel"; }
};

// ------------------------------------------------------------------------------------------ buttons

// A windowed control that draws itself with the layer's button look and takes the focus by tabbing.
class TButtonControl : public TCustomControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    std::string ClassName() const override { return "TButtonControl"; }

protected:
    void Dispatch(TMessage& Message) override;
    // Draws the focus rectangle inside R when the control has the focus.
    void DrawFocus(const TRect& R);
    // The drawing of a check box or radio button: the background, the 13-pixel mark drawn as the
    // frame control State (DFCS_BUTTONCHECK or DFCS_BUTTONRADIO with its state flags) at the left
    // (taRightJustify: the text right of the mark) or the right, the text beside it, and the focus
    // rectangle round the text while focused.
    void PaintMarkAndText(UINT State, TAlignment Alignment);
    bool pressed_ = false;   // the left button went down on the control and is still held
    bool tracking_ = false;  // the mouse is over the control while pressed
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    std::string ClassName() const override { return "TButton"; }
    // Sets the form's ModalResult when it is not mrNone, then OnClick.
    void Click() override;
    bool GetDefault() const { return default_; }
    void SetDefault(bool Value);
    bool Cancel = false;
    TModalResult ModalResult = mrNone;

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    // The glyph drawn left of the caption; none here.
    virtual void PaintGlyph(TCanvas* /*ACanvas*/, TRect& /*Content*/) {}

private:
    bool default_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    std::string ClassName() const override { return "TCheckBox"; }
    bool GetChecked() const { return state_ == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState GetState() const { return state_; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed = false;
    TAlignment Alignment = taRightJustify;  // the text right of the box
    // Toggles the box (the user's click or Space).
    void Toggle();

protected:
    void Paint() override;
    void Click() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool clicking_ = false;
};

// One choice among the radio buttons of the same parent: checking it clears the others.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    std::string ClassName() const override { return "TRadioButton"; }
    bool GetChecked() const { return checked_; }
    void SetChecked(bool Value);
    TAlignment Alignment = taRightJustify;

protected:
    void Paint() override;
    void Click() override;

private:
    bool checked_ = false;
};

// A frame with a caption at its top that holds other controls.
class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomGroupBox"; }

protected:
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
    std::string ClassName() const override { return "TGroupBox"; }
};

// ------------------------------------------------------------------------------------------------- TEdit

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomEdit"; }

    int GetMaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    bool GetModified() const;
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);
    std::string GetSelText();
    void SelectAll();
    void Clear() { SetText(""); }
    bool AutoSelect = true;
    TBorderStyle BorderStyle = bsSingle;
    TEditCharCase CharCase = ecNormal;
    char PasswordChar = 0;
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void Change();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool modified_ = false;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    std::string ClassName() const override { return "TEdit"; }
};

// ------------------------------------------------------------------------------------------------- TMemo

class TCustomMemo;

// The lines of a memo: the window's text split at CR LF. An append adds to the end of the text without
// reading it again.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : memo_(Memo) {}
    std::string ClassName() const override { return "TMemoStrings"; }
    std::string Get(int Index) const override;
    int GetCount() const override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const std::string& S) override;
    // Appends at the end and shows the new line (the caret moves there).
    int Add(const std::string& S) override;

private:
    std::vector<std::string> Split() const;
    // With a window: whether its text is empty or ends in a line break.
    bool LastLineEmpty() const;
    void Join(const std::vector<std::string>& Lines);
    TCustomMemo* memo_;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit over the EDIT class (ES_MULTILINE).
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    std::string ClassName() const override { return "TCustomMemo"; }
    TStrings* Lines() const { return lines_; }
    TScrollStyle ScrollBars = ssNone;
    bool WantReturns = true;
    bool WordWrap = true;

protected:
    void CreateParams(TCreateParams& Params) override;
    bool WantsKey(WORD Key) override;

private:
    TMemoStrings* lines_ = nullptr;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
    std::string ClassName() const override { return "TMemo"; }
};

// ---------------------------------------------------------------------------------------------- TListBox

class TCustomListBox;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// The items of a list box: the window's own list while it has one, kept here while it has none.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox* ListBox) : listBox_(ListBox) {}
    std::string ClassName() const override { return "TListBoxStrings"; }
    std::string Get(int Index) const override;
    int GetCount() const override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const std::string& S) override;
    int Add(const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;

private:
    friend class TCustomListBox;
    TCustomListBox* listBox_;
    TStringList saved_;
};

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;
    std::string ClassName() const override { return "TCustomListBox"; }

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* Value);
    int GetItemIndex();
    void SetItemIndex(int Value);
    int GetTopIndex();
    void SetTopIndex(int Value);
    int GetItemHeight();
    // The height of every item of an owner-drawn fixed list (kept until the window is made); a
    // variable-height list measures each item as it is inserted (OnMeasureItem with its index).
    void SetItemHeight(int Value);
    int ItemAtPos(TPoint Pos, bool Existing);
    TRect ItemRect(int Index);
    void Clear() { items_->Clear(); }
    bool GetSorted() const { return sorted_; }
    void SetSorted(bool Value);
    TBorderStyle BorderStyle = bsSingle;
    bool IntegralHeight = false;
    // An owner-drawn list draws its items in OnDrawItem on Canvas and asks OnMeasureItem for the height
    // of all items (Index 0), or, with variable heights, of each item.
    TListBoxStyle GetStyle() const { return style_; }
    void SetStyle(TListBoxStyle Value);
    TCanvas* Canvas() const { return canvas_; }
    // A multi-select list selects any number of items: a click toggles an item, or, with ExtendedSelect,
    // a click selects one item, Ctrl+click toggles one and Shift+click a range from the caret.
    bool GetMultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool Value);
    void SetExtendedSelect(bool Value);
    bool Selected(int Index);
    void SetSelected(int Index, bool Value);
    int SelCount();
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    // Draws one item: OnDrawItem when set, else the item's text on the highlight when selected.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);

private:
    friend class TListBoxStrings;
    TListBoxStrings* items_ = nullptr;
    TCanvas* canvas_ = nullptr;
    int savedIndex_ = -1;
    bool sorted_ = false;
    int itemHeight_ = 0;  // 0: the font's
    TListBoxStyle style_ = lbStandard;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    std::string ClassName() const override { return "TListBox"; }
};

// --------------------------------------------------------------------------------------------- TComboBox

// The combo box styles. Every style behaves as a drop-down list here: a closed box shows the chosen item,
// and the item is chosen from the dropped list or with the arrow keys; nothing is typed into the box.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox;

// The dropped list of a combo box: a LISTBOX window of its own, top-level, that never takes the focus.
// The combo box keeps the mouse while the list is down and drives the list through its messages.
class TComboListBox : public TCustomListBox {
public:
    explicit TComboListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TComboListBox"; }

protected:
    void CreateParams(TCreateParams& Params) override;
};

// The items of a combo box: the strings of its list, with the chosen item kept in step when items are
// inserted, deleted or cleared.
class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TCustomComboBox* ComboBox) : comboBox_(ComboBox) {}
    std::string ClassName() const override { return "TComboBoxStrings"; }
    std::string Get(int Index) const override;
    int GetCount() const override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const std::string& S) override;
    int Add(const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;

private:
    TStrings& List() const;
    TCustomComboBox* comboBox_;
};

// A drop-down list drawn by the layer: the chosen item's text beside a drop button. A click opens the
// list (a click on an item chooses it and closes the list; a click anywhere else closes it unchanged);
// on the closed box the arrow keys, Home, End, Page Up and Page Down choose the item before or after,
// and a typed character the next item starting with it; F4 or Alt+Down opens the list, where Enter
// chooses and Escape cancels. OnChange runs when the user changes the item, never when the program does.
class TCustomComboBox : public TCustomControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    std::string ClassName() const override { return "TCustomComboBox"; }

    TStrings* Items() const { return items_; }
    void SetItems(TStrings* Value);
    int GetItemIndex() const { return itemIndex_; }
    // Chooses an item without OnChange; -1 or an index beyond the items clears the choice.
    void SetItemIndex(int Value);
    // The most items the dropped list shows before it scrolls.
    int GetDropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int Value);
    TComboBoxStyle GetStyle() const { return style_; }
    void SetStyle(TComboBoxStyle Value);
    bool GetDroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool Value);
    void Clear() { items_->Clear(); }
    // The window of the dropped list (made when first needed).
    TComboListBox* ListBox() const { return list_; }
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Loaded() override;
    bool DoKeyDown(WORD& Key, TShiftState Shift) override;
    bool DoKeyPress(char& Key) override;
    std::string GetTextImpl() const override;
    virtual void Change();

private:
    friend class TComboBoxStrings;
    void DropDown();
    // Closes the list; with Accept the item under the list's selection becomes the chosen one.
    void CloseUp(bool Accept);
    // The user chose an item: OnChange when it differs from the chosen one.
    void UserSelect(int Index);
    bool KeyDown(WORD Key, bool Alt);
    void SelectByChar(char Key);
    // The list item under a screen point, -1 when the point is not over an item; Inside tells whether it
    // is over the list window at all.
    int ListItemAt(POINT Screen, bool& Inside);
    bool ListHasScrollBar();
    void TrackMouse(POINT Screen, UINT Msg);
    TRect ButtonRect();

    TComboBoxStrings* items_ = nullptr;
    TComboListBox* list_ = nullptr;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    TComboBoxStyle style_ = csDropDown;
    bool droppedDown_ = false;
    bool pressed_ = false;      // the left button went down on the box and is still held
    bool listPressed_ = false;  // the left button went down over the dropped list and is still held
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
    std::string ClassName() const override { return "TComboBox"; }
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterStdCtrlsClasses();

}  // namespace zel
