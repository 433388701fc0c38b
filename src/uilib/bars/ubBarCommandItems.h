#pragma once
// The concrete command items: the button (menu entry and toolbar button, with check groups, a drop-down
// arrow and paint styles), the edit, and the combos with their drop-down list.
#include <functional>
#include <string>

#include "platform/rtl/StringList.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Windows.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemLinks.h"

namespace zel {

class TubBarPopupMenu;
class TCustomubBarCombo;

enum TubBarButtonStyle : std::uint8_t { bsDefault, bsChecked, bsDropDown };

class TubBarButton : public TubBarItem {
public:
    explicit TubBarButton(TComponent* AOwner);
    std::string ClassName() const override { return "TubBarButton"; }
    static TClass StaticClass();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    bool GetAllowAllUp() const { return allowAllUp_; }
    // Copied to every button of the same non-zero group.
    void SetAllowAllUp(bool Value);
    TubBarButtonStyle GetButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TubBarButtonStyle Value);
    bool CloseSubMenuOnClick = true;
    bool GetDropDownEnabled() const { return dropDownEnabled_; }
    void SetDropDownEnabled(bool Value);
    int GetGroupIndex() const { return groupIndex_; }
    // Kept only for a bsChecked button; Down becomes false.
    void SetGroupIndex(int Value);
    bool GetDown() const { return down_; }
    // Pressing a button of a check group releases the one that was down; releasing the last one is refused
    // unless AllowAllUp.
    void SetDown(bool Value);
    TubBarPopupMenu* GetDropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TubBarPopupMenu* Value);
    // The links of the drop-down menu; nullptr without one.
    TubBarItemLinks* DropDownLinks() const;
    bool GetLowered() const { return lowered_; }
    void SetLowered(bool Value);
    TubBarPaintStyle GetPaintStyle() const { return paintStyle_; }
    void SetPaintStyle(TubBarPaintStyle Value);

    void Click() override;
    bool IsAccelAvailable(const TubBarItemLink* ALink) const override;

private:
    bool allowAllUp_ = false;
    TubBarButtonStyle buttonStyle_ = bsDefault;
    bool dropDownEnabled_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    TubBarPopupMenu* dropDownMenu_ = nullptr;
    bool lowered_ = false;
    TubBarPaintStyle paintStyle_ = psStandard;
};

class TubBarEdit : public TubBarWindowItem {
public:
    explicit TubBarEdit(TComponent* AOwner) : TubBarWindowItem(AOwner) {}
    std::string ClassName() const override { return "TubBarEdit"; }
    static TClass StaticClass();

    int GetMaxLength() const { return maxLength_; }
    // Values of 0 and below become 0.
    void SetMaxLength(int Value) { maxLength_ = Value > 0 ? Value : 0; }
    bool ReadOnly = false;
    bool GetShowCaption() const { return showCaption_; }
    void SetShowCaption(bool Value);
    int GetWidth() const { return width_; }
    // Never below 20.
    void SetWidth(int Value);

    bool IsAccelAvailable(const TubBarItemLink* ALink) const override;

private:
    int maxLength_ = 0;
    bool showCaption_ = false;
    int width_ = 100;
};

using TubBarCheckKeyForDropDownWindowEvent =
    std::function<void(TCustomubBarCombo* Sender, WORD Key, TShiftState Shift, bool& AcceptKey)>;
using TubBarGetDropDownWindowEvent = std::function<void(TObject* Sender, HWND& Window)>;

class TCustomubBarCombo : public TubBarEdit {
public:
    explicit TCustomubBarCombo(TComponent* AOwner) : TubBarEdit(AOwner) {}
    std::string ClassName() const override { return "TCustomubBarCombo"; }
    static TClass StaticClass();

    bool GetShowEditor() const { return !HideEditor; }
    void SetShowEditor(bool Value) { HideEditor = !Value; }

    // Whether the open drop-down window receives the key.
    virtual bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift);
    virtual HWND GetDropDownWindow();
    virtual void PrepareDropDown() {}
    virtual void CloseUp();
    // Fires OnDropDown, then prepares, places and shows the drop-down window without activating it.
    virtual void DropDown(int X, int Y);
    virtual void AfterDropDown() {}

    // The link whose control is the active one; the bar windows set it while a combo control works.
    TubBarItemLink* ActiveLink = nullptr;

    TubBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    TubBarGetDropDownWindowEvent OnGetDropDownWindow;

protected:
    // Where the drop-down window of size (cw, ch) opens for the start point, kept inside the work area.
    TPoint PlaceDropDown(int X, int Y, int CW, int CH) const;
};

class TubBarCustomCombo;

// The drop-down list of a combo item: a top-most tool window of its own, framed by the painter's drop-down
// border, that never takes the focus. Opened with the mouse button down, it waits for the pointer to come in
// and then follows it; releasing the button on an entry chooses it.
class TubBarDropDownListBox : public TCustomListBox {
public:
    explicit TubBarDropDownListBox(TubBarCustomCombo* ACombo);
    std::string ClassName() const override { return "TubBarDropDownListBox"; }
    TubBarCustomCombo* Combo() const { return combo_; }
    // Opened with the button down: the list holds the mouse until the pointer first moves inside it.
    bool WaitingForCapture = false;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;

private:
    // The entry the user moved to shows in the combo's control.
    void PassSelection();
    TubBarCustomCombo* combo_;
};

using TubBarDrawItemEvent = std::function<void(TObject* Sender, int AIndex, TRect ARect, TOwnerDrawState AState)>;
using TubBarMeasureItemEvent = std::function<void(TObject* Sender, int AIndex, int& AHeight)>;

class TubBarCustomCombo : public TCustomubBarCombo {
public:
    explicit TubBarCustomCombo(TComponent* AOwner);
    ~TubBarCustomCombo() override;
    std::string ClassName() const override { return "TubBarCustomCombo"; }
    static TClass StaticClass();

    int DropDownCount = 8;
    int DropDownWidth = 0;  // 0: automatic
    int ItemHeight = 0;     // 0: the text height
    TStrings* GetItems() const { return items_; }
    void SetItems(TStrings* Value) { items_->Assign(Value); }
    int GetItemIndex() const { return itemIndex_; }
    void SetItemIndex(int Value);
    bool GetSorted() const { return sorted_; }
    void SetSorted(bool Value);
    void SetText(const std::string& Value) override;

    bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) override;
    // The list box's window (or the event's).
    HWND GetDropDownWindow() override;
    // The list box gets the items, the drop-down width and the height of the first DropDownCount entries.
    void PrepareDropDown() override;
    void DropDown(int X, int Y) override;
    // With the primary button down the list takes the mouse and waits for the pointer.
    void AfterDropDown() override;
    TubBarDropDownListBox* DropDownListBox() const { return listBox_; }
    // The active control's index follows the edit text; the open list selects the entry of that text, or
    // none with the nearest entry at its top.
    void SyncWithEdit();
    // The width the drop-down list gets.
    int CalcDropDownWidth() const;
    // The height of an item (ItemHeight, else the text height of "Qq"; OnMeasureItem may change it).
    int GetItemHeight(int AIndex) const;
    int GetItemWidth(int AIndex) const;
    // The first item sharing the longest prefix with the text, ignoring case; -1 when none shares its
    // first character.
    int FindNearestItem(const std::string& AText) const;
    // The canvas measuring and drawing use (the drawing-in-edit canvas, else the list's).
    TCanvas* CurrentCanvas() const;
    // The part of the active link's width that the edit control keeps before its edit box.
    int EditOffset = 0;

    TubBarDrawItemEvent OnDrawItem;
    TubBarMeasureItemEvent OnMeasureItem;

protected:
    void CurChange() override;
    void ItemsChanged();

    TCanvas* drawingCanvas_ = nullptr;

private:
    TStringList* items_ = nullptr;
    TubBarDropDownListBox* listBox_ = nullptr;
    int itemIndex_ = -1;
    bool sorted_ = false;
};

class TubBarCombo : public TubBarCustomCombo {
public:
    explicit TubBarCombo(TComponent* AOwner) : TubBarCustomCombo(AOwner) {}
    std::string ClassName() const override { return "TubBarCombo"; }
    static TClass StaticClass();
};

}  // namespace zel
