#pragma once
// The windows of a bank's and of a global set's members: TFormBank lists the 128 patches, 32 performances
// or 2 rhythm sets of one bank, TFormGlobal the banks and the system of one global set. Both work like the
// library window: an owner-drawn list with the library's selection, element drags between windows, and a
// popup menu on the member under the right button. TFormMembers holds what the two share.
#include <string>

#include "model/LibElem.h"
#include "model/ModelServices.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Grids.h"
#include "platform/vcl/Menus.h"

namespace zel {

class TBank;

// The bank handed to a bank window while it is being created: set by the maker, read by the window's
// creation.
extern TBank* OpeningBank;

class TFormMembers : public TForm, public IElementWindow {
public:
    explicit TFormMembers(TComponent* AOwner);
    ~TFormMembers() override;
    std::string ClassName() const override { return "TFormMembers"; }
    void DefineBindings(TFormBindings& Bindings) override;

    // The bank or global set shown; none once it has gone.
    TBank* Element() const { return element_; }
    // ---- IElementWindow: the element, the caption and the list refreshed, released when the element goes.
    TLibElem* ShownElement() override;
    void UpdateElementView() override { UpDateView(); }
    void ReleaseByElement() override;

    // The caption: type name, name and the owner's path; the list repainted.
    void UpDateView();
    // The member a row of the list shows; -1 when the row shows none.
    virtual int MemberOfRow(int Row) const = 0;
    // The row under a point of the list.
    int RowAt(int Y) const;
    // The list's rectangle on the screen.
    TRect ListScreenRect();

    // ---- components of the form resource
    TPanel* Panel = nullptr;
    THeader* Header = nullptr;
    TDrawGrid* DrawGrid = nullptr;
    TPopupMenu* PopupMenu = nullptr;
    TMenuItem* LoadSysex = nullptr;
    TMenuItem* SaveSysex = nullptr;
    TMenuItem* ImportFrom = nullptr;
    TMenuItem* ExportTo = nullptr;
    TMenuItem* Send = nullptr;
    TMenuItem* Receive = nullptr;
    TMenuItem* Edit = nullptr;
    TMenuItem* Print = nullptr;
    TMenuItem* Open = nullptr;

    // ---- event handlers
    virtual void FormCreate(TObject* Sender) = 0;
    virtual void FormShow(TObject* Sender) = 0;
    virtual void FormResize(TObject* Sender) = 0;
    virtual void DrawGridDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State) = 0;
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);
    void PanelClick(TObject* Sender);
    void PanelDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DrawGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void DrawGridDblClick(TObject* Sender);
    virtual void DrawGridDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) = 0;
    virtual void DrawGridEndDrag(TObject* Sender, TObject* Target, int X, int Y) = 0;
    void PopupMenuPopup(TObject* Sender);
    void LoadSysexClick(TObject* Sender);
    void SaveSysexClick(TObject* Sender);
    void ImportFromClick(TObject* Sender);
    void ExportToClick(TObject* Sender);
    void SendClick(TObject* Sender);
    void ReceiveClick(TObject* Sender);
    void EditClick(TObject* Sender);
    void PrintClick(TObject* Sender);
    void OpenClick(TObject* Sender);

protected:
    // Makes and shows a window of the class, handing Element over through Opening while it is created.
    template <class TWindow, class TElement>
    static TWindow* OpenWith(TComponent* Owner, TElement& Element, TElement*& Opening) {
        Opening = &Element;
        TWindow* form = nullptr;
        {
            TScopeExit done([&Opening] { Opening = nullptr; });
            form = Construct<TWindow>(Owner);
        }
        form->Show();
        return form;
    }
    // The creation both windows share: the help context, the element taken and marked open, the font of
    // the list's canvas, the header's widths and the popup's captions.
    void TakeElement(TBank* Element, int Help, const int (&Widths)[4]);
    // Fills the drag information with the selected members this window lets go.
    virtual void CollectDrag() = 0;
    // The bank window's swallow flag and drop suppression around presses; none in the global window.
    virtual bool SwallowPress() { return false; }
    virtual void BeforeDrag() {}
    virtual void AfterDoubleClick() {}
    virtual void CancelSwallow() {}
    // Shift + right button on a member (only a bank window auditions it).
    virtual void ShiftRightPress(int Member) { (void)Member; }
    // Whether the popup's Import and Export are for the member under the right button.
    virtual bool ImportAllowed(const TLibElem& Member) const = 0;
    // The member under the last right click, while the element stands.
    TLibElem* PopupMember() const;
    // Draws a picture at Left in a row, cut to Size x Size and to the row, its background left out.
    void DrawPicture(TBitmap* Picture, int Left, int Size, TRect Row);
    // Makes the list exactly Rows whole rows high.
    void FitRows(int Rows);
    // Draws a member's picture and texts into its row.
    void FillRow(TRect Rect, bool Selected);
    // The drag's target window when it is a list window of the program, else nullptr.
    TCustomForm* DropWindow(TObject* Target) const;

    TBank* element_ = nullptr;
    int popupIndex_ = -1;  // the member under the last right click
    int lastY_ = 0;        // Y of the last press on the list

private:
    bool destroyed_ = false;
};

class TFormBank : public TFormMembers {
public:
    explicit TFormBank(TComponent* AOwner);
    std::string ClassName() const override { return "TFormBank"; }
    const TFormResource* FormResource() const override;

    // Makes and shows the window of a bank, owned by Owner (the main window), handing the bank over
    // through OpeningBank.
    static TFormBank* OpenBank(TComponent* Owner, TBank& Bank);

    int MemberOfRow(int Row) const override;
    // Copies the dragged elements into the members from the drop row on, each placed in the bank's
    // memory at its member's slot. The elements are copied as they were before the drop, also when they
    // are members of this bank whose rows the drop overwrites.
    void ProcCopy();
    // The row a drop from another window landed on.
    int DropRow = 0;

    // Set by a double click: the press that follows it is swallowed.
    bool SwallowMouseDown() const { return swallow_; }

    // ---- event handlers
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender) override;
    void FormResize(TObject* Sender) override;
    void DrawGridDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State) override;
    void DrawGridDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DrawGridEndDrag(TObject* Sender, TObject* Target, int X, int Y) override;

protected:
    void CollectDrag() override;
    bool SwallowPress() override;
    void BeforeDrag() override;
    void AfterDoubleClick() override;
    void CancelSwallow() override;
    void ShiftRightPress(int Member) override;
    bool ImportAllowed(const TLibElem& Member) const override;

private:
    bool swallow_ = false;
};

}  // namespace zel
