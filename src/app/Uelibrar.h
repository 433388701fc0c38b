#pragma once
// TFormLibrary, the library window: a child window of the main window that lists the elements of one
// library, one row per element not masked by its kind's mask button, and lets the user make, open, send,
// receive, delete, print, mask and sort them. In trash mode the same window shows the main window's trash
// library, with the buttons that make or send elements hidden and an "Empty" button instead.
#include <functional>
#include <string>
#include <vector>

#include "model/LibElem.h"
#include "model/ModelServices.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Grids.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TLibrary;

// The library handed to a library window while it is being created: set by the creator, read by the
// window's creation.
extern TLibrary* OpeningLibrary;

// Lets go of an element's open window before the element leaves its owner.
void ReleaseWindowOf(TLibElem& Element);
// The popup menus' shared steps: an action run with the XP format set (and reset afterwards, also on
// failure), the element properties window shown for an element, an element's lines printed alone.
void WithXpFormat(const std::function<void()>& Action);
void ShowElementProperties(TLibElem& Element);
void PrintElementAlone(TLibElem& Element);

class TFormLibrary : public TForm, public IElementWindow {
public:
    explicit TFormLibrary(TComponent* AOwner);
    ~TFormLibrary() override;
    std::string ClassName() const override { return "TFormLibrary"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // Makes and shows the window of Library, owned by Owner (the main window): hands the library over
    // through OpeningLibrary, sets the mode, the caption and the layout of the mode. The window records
    // itself in the library and owns it from then on (the trash library stays the main window's): closing
    // the window destroys it.
    static TFormLibrary* OpenLibrary(TComponent* Owner, TLibrary& Library, bool TrashMode);
    // The open window that shows the trash library; none while it is closed.
    static TFormLibrary* TrashWindow();

    // The library shown.
    TLibrary* Library() const { return library_; }
    // ---- IElementWindow: the library, its list refilled, released when the library goes.
    TLibElem* ShownElement() override;
    void UpdateElementView() override;
    void ReleaseByElement() override { Release(); }
    bool TrashMode() const { return trash_; }
    void SetTrashMode(bool Value) { trash_ = Value; }

    // The caption: "Trash Library" in trash mode, else "Library : " and the library's name.
    void Updateview();
    // Shows the controls of the window's mode and lays them out.
    void DisableVisible();
    // Sorts the library by the sort button that is down (type, modified date, name), else by creation.
    void SortElem();
    // The element shows in the list: its kind's mask button is up.
    bool Visible(const TLibElem& Element) const;
    // The number of visible elements minus 1.
    int MaxVis() const;
    // The list index of the element in row Row (the Row-th visible element); -1 when there is none.
    int CalcIndex(int Row) const;
    // Unless the list is sorted by type or by name, scrolls so that the last row shows.
    void PosizionaOtt();
    // The list after a change of the library: row count, column width, sort and repaint.
    void RefreshList();
    // The element list's rectangle on the screen.
    TRect ListScreenRect();

    // A new element of the type code (0..7), appended, the library unsaved.
    void New(int Type);
    // Moves the selected visible elements into the trash (does nothing in trash mode).
    void DeleteSelected();
    // Sends every selected visible element to its place on the instrument.
    void SendSelected();
    // Fetches every selected visible element from the instrument, stopping when a transfer is cancelled.
    void ReceiveSelected();
    // Prints the selected visible elements.
    void PrintSelected();
    // Copies the dragged elements into the drag's target library window, appended as the new selection.
    void ProcCopy();
    // Copies the dragged elements into the drag's target window (a library, bank or global window), then
    // deletes them from this window's library.
    void ProcMove();

    // The close question: a saved library (or the trash) closes, an unsaved one asks whether to save it.
    // Cancel, or a save that did not happen, keeps the window and sets the main window's cancel-close
    // flag. The main window's close walk calls it directly.
    void FormClose(TObject* Sender, TCloseAction& Action);

    // ---- components of the form resource
    TPanel* Panel = nullptr;
    TBevel* BevelNew = nullptr;
    TLabel* LabelNew = nullptr;
    TSpeedButton* NewPatch = nullptr;
    TSpeedButton* NewPatchBank = nullptr;
    TSpeedButton* NewPerformance = nullptr;
    TSpeedButton* NewPerformanceBank = nullptr;
    TSpeedButton* NewRhythm = nullptr;
    TSpeedButton* NewRhythmBank = nullptr;
    TSpeedButton* NewSystem = nullptr;
    TSpeedButton* Newglobal = nullptr;
    THeader* Header = nullptr;
    TDrawGrid* DrawGrid = nullptr;
    TSpeedButton* SpeedNuovo = nullptr;
    TSpeedButton* Speedcomment = nullptr;
    TSpeedButton* SpeedPrint = nullptr;
    TSpeedButton* SpeedDelete = nullptr;
    TSpeedButton* speedtransmet = nullptr;
    TSpeedButton* speedreceive = nullptr;
    TSpeedButton* SpeedSearch = nullptr;
    TSpeedButton* Speeddebug = nullptr;
    TSpeedButton* speedMorph = nullptr;
    TSpeedButton* RandomBtn = nullptr;
    TSpeedButton* SpeedHelp = nullptr;
    TButton* BtnEmpty = nullptr;
    TLabel* Labelmask = nullptr;
    TBevel* Bevelmask = nullptr;
    TSpeedButton* SpeedPatch = nullptr;
    TSpeedButton* SpeedPatchBank = nullptr;
    TSpeedButton* speedPerformance = nullptr;
    TSpeedButton* speedPerformancebank = nullptr;
    TSpeedButton* SpeedRhythm = nullptr;
    TSpeedButton* speedRhythmbank = nullptr;
    TSpeedButton* Speedsystem = nullptr;
    TSpeedButton* speedGlobal = nullptr;
    TButton* BtnUnmask = nullptr;
    TLabel* Labelsort = nullptr;
    TBevel* BevelSort = nullptr;
    TSpeedButton* SpeedType = nullptr;
    TSpeedButton* SpeedName = nullptr;
    TSpeedButton* SpeedDate = nullptr;
    TButton* btnClose = nullptr;
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
    TMenuItem* Delete = nullptr;

    // The mask button of a type code 0..7; none for another code.
    TSpeedButton* MaskButton(int Type) const;
    // The New button of a type code 0..7, whose glyph is also the kind's picture in the list.
    TSpeedButton* NewButton(int Type) const;

    // ---- event handlers
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void DrawGridDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void DrawGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void DrawGridDblClick(TObject* Sender);
    void PanelClick(TObject* Sender);
    void PanelDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DrawGridDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DrawGridEndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void SpeedPatchClick(TObject* Sender);
    void BtnUnmaskClick(TObject* Sender);
    void SpeedTypeClick(TObject* Sender);
    void SpeedNuovoClick(TObject* Sender);
    void SpeedcommentClick(TObject* Sender);
    void SpeedPrintClick(TObject* Sender);
    void SpeedDeleteClick(TObject* Sender);
    void speedtransmetClick(TObject* Sender);
    void speedreceiveClick(TObject* Sender);
    void SpeedHelpClick(TObject* Sender);
    void SpeedSearchClick(TObject* Sender);
    void SpeeddebugClick(TObject* Sender);
    void speedMorphClick(TObject* Sender);
    void RandomBtnClick(TObject* Sender);
    void btnCloseClick(TObject* Sender);
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
    void DeleteClick(TObject* Sender);

    // Set by a double click: the press that follows it is swallowed.
    bool SwallowMouseDown() const { return swallow_; }
    // The library's file name as the close question left it (after a save, the name saved under); set
    // when the library closed, for the main window's desktop.
    std::string ClosedFileName;

private:
    // One row per visible element.
    void SetRows();
    // Shows the search window over this library, in the search or the duplicates mode.
    void ShowSearch(bool Duplicates);
    // The selected visible elements of the type in list order, at most Most of them.
    std::vector<TLibElem*> SelectedOfType(int Type, std::size_t Most) const;
    // The right-clicked element, while it is in the library.
    TLibElem* PopupElement() const;

    TLibrary* library_ = nullptr;
    bool trash_ = false;
    TLibElem* popupElem_ = nullptr;  // the element under the last right click
    int popupIndex_ = -1;            // and its list index
    int lastY_ = 0;                  // Y of the last press on the list
    bool swallow_ = false;
};

}  // namespace zel
