#pragma once
// Dock controls: windows along a side of a form (or placed anywhere on it) that hold docked toolbar windows
// in rows, each row in columns, one per toolbar window. The manager's four side docks are plain
// TubDockControl objects; TubBarDockControl is the one a form places itself.
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"
#include "uilib/bars/ubBarDockLayout.h"
#include "uilib/bars/ubBarTypes.h"

namespace zel {

class TubBar;
class TubDockControl;
class TubDockRow;

// What a dock asks of a toolbar window docked on it. Lengths run along the dock's rows, thicknesses across
// them; Style is the dock's side.
class IubDockedBarWindow {
public:
    virtual ~IubDockedBarWindow() = default;
    virtual TWinControl* DockedWindow() = 0;
    virtual TubBar* DockedBar() = 0;
    // Set while the window is shown from its bar's stored values: the dock then places it at the bar's
    // Row and OneOnRow rather than at a point.
    virtual bool DockLocked() = 0;
    // The window is placed in its column but not moved there.
    virtual bool DockNotMoved() { return false; }
    // The least and the full length of the window's content, and the window's borders along the row.
    virtual int MinContentLength(TubBarDockingStyle Style) = 0;
    virtual int FullContentLength(TubBarDockingStyle Style) = 0;
    virtual int BorderAlongRow(TubBarDockingStyle Style) = 0;
    // The window's thickness, borders across the row included, when its content has that length.
    virtual int ThicknessFor(TubBarDockingStyle Style, int ContentLength) = 0;
    // Whether the window shows its end mark whatever its length, and whether the painter draws the mark
    // inside the content.
    virtual bool ShowsEndMark() = 0;
    virtual bool MarkInsideContent() = 0;
    // The point of the window (window coordinates) that stays under the pointer while it is dragged.
    virtual TPoint GrabPoint(TubBarDockingStyle Style) = 0;
    virtual void SetTruncated(bool Value) = 0;
    // The window lays its content out for that length.
    virtual void CalcContent(TubBarDockingStyle Style, int ContentLength) = 0;

    // ---- what moving the window with the mouse asks of it
    // The side the window faces now (dsNone: it floats) and the dock it sits on (nullptr while floating).
    virtual TubBarDockingStyle WindowDockingStyle() { return dsNone; }
    virtual TubDockControl* WindowDockControl() { return nullptr; }
    // The window is being moved by the mouse, or no longer.
    virtual void SetMoving(bool /*Value*/) {}
    // The window takes a new side and dock (dsNone and nullptr: it floats); it is hidden meanwhile.
    virtual void ChangeDock(TubBarDockingStyle /*Style*/, TubDockControl* /*Dock*/) {}
    // The window's outer size when it floats with its current content.
    virtual TSize FloatingSize() { return TSize{DockedWindow()->GetWidth(), DockedWindow()->GetHeight()}; }
    // The dock goes: the window no longer sits on it.
    virtual void DockControlGone() {}
};

// One toolbar window in a row, with its stored position (the dock's client coordinates).
class TubDockCol : public TObject {
public:
    TubDockCol(TubDockRow* ARow, IubDockedBarWindow* ABarControl) : Row(ARow), BarControl(ABarControl) {}
    std::string ClassName() const override { return "TubDockCol"; }
    // Copies the window's current left and top.
    void StorePosition();

    TubDockRow* Row = nullptr;
    IubDockedBarWindow* BarControl = nullptr;
    TPoint Position{0, 0};
};

// A row of a dock: its columns, owned.
class TubDockRow : public TObject {
public:
    explicit TubDockRow(TubDockControl* ADockControl) : DockControl(ADockControl) {}
    // Frees every column, the last first.
    ~TubDockRow() override;
    std::string ClassName() const override { return "TubDockRow"; }

    int ColCount() const { return static_cast<int>(cols_.size()); }
    TubDockCol* Cols(int Index) const { return cols_.at(static_cast<std::size_t>(Index)); }
    TubDockCol* AddCol(IubDockedBarWindow* ABarControl);
    TubDockCol* InsertCol(int Index, IubDockedBarWindow* ABarControl);
    // Frees the column.
    void DeleteCol(TubDockCol* ACol);
    int IndexOfCol(const TubDockCol* ACol) const;

    TubDockControl* DockControl = nullptr;

private:
    std::vector<TubDockCol*> cols_;
};

class TubDockControl : public TCustomControl {
public:
    explicit TubDockControl(TComponent* AOwner);
    // A side dock of the manager: aligned to its side (1 dsLeft ... 4 dsBottom).
    TubDockControl(TComponent* AOwner, TubBarDockingStyle ASide, TubBarManager* AManager);
    ~TubDockControl() override;
    std::string ClassName() const override { return "TubDockControl"; }

    // ---- properties
    bool AllowDocking = true;
    TubBarManager* GetBarManager() const { return barManager_; }
    void SetBarManager(TubBarManager* Value);
    TBitmap* GetBackgroundBitmap() const { return backgroundBitmap_; }
    void SetBackgroundBitmap(TBitmap* Value);
    // The side the dock was made for (dsNone for a dock placed on a form); a side dock has one.
    TubBarDockingStyle SideStyle() const { return side_; }
    bool IsSideDock() const { return side_ != dsNone; }
    // The side docked bars face: from the alignment.
    TubBarDockingStyle DockingStyle() const;
    bool Horizontal() const { return DockingStyle() == dsTop || DockingStyle() == dsBottom; }
    bool Leading() const { return DockingStyle() == dsLeft || DockingStyle() == dsTop; }

    // ---- rows
    int RowCount() const { return static_cast<int>(rows_.size()); }
    TubDockRow* Rows(int Index) const { return rows_.at(static_cast<std::size_t>(Index)); }
    // The column of a docked window, or nullptr.
    TubDockCol* FindCol(IubDockedBarWindow* AWindow) const;
    // The row index and the column index of a docked window; -1 when it is not docked here.
    void FindPlace(IubDockedBarWindow* AWindow, int& ARow, int& ACol) const;

    // ---- docking
    void InsertBar(IubDockedBarWindow* AWindow, TPoint AScreenPoint, bool AUpdateNow);
    void RemoveBar(IubDockedBarWindow* AWindow, TubDockCol* ACol, bool AUpdateNow);
    void MoveBar(IubDockedBarWindow* AWindow, TPoint AScreenPoint);
    void StorePositions();
    TubDockRowHit RowFromPoint(TPoint AScreenPoint);
    int ColumnFromPoint(int ARow, TPoint AScreenPoint);
    TPoint HotPoint(int ARow, bool AOneOnRow, TPoint AClientPoint);
    // The hot point of a docked window's bar as if the window were not on the dock (the start of a move).
    TPoint HotPointWithout(IubDockedBarWindow* AWindow, TPoint AClientPoint);
    TRect RowRect(int ARow);
    // The dock's bounds on the screen, enlarged by the docking sensitivity (left and right, and for
    // horizontal docks also up and down).
    TRect HitRect();
    void UpdateLayout();
    // Recalculates the frames of the dock and its windows, then lays them out again.
    void RefreshDock();

    // ---- virtual operations
    virtual void BarManagerChanged();
    virtual bool AcceptsBar(TubBar* ABar) {
        (void)ABar;
        return AllowDocking;
    }
    virtual void UpdateColor();
    virtual int GetRowsSize();
    virtual bool GetSunkenBorder();
    virtual TCustomForm* GetFormToRaise();
    virtual void PaintDockBackground(HDC DC, const TRect& ADestR, TColor AColor, int AFlag, const TRect& ASourceR);
    virtual bool HasOwnBackground();
    virtual bool IsBackgroundComplex();
    virtual void RepaintBars();
    virtual void ClearBackgroundCache();
    virtual void UpdateDoubleBuffered();

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void InitiateAction() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override {}
    // The rows across the dock as the drop bands see them.
    TubDockRowsGeometry RowsGeometry();
    bool ManagerLoading() const;
    // The manager places its bars from their stored values (after loading, or after its form's window was
    // made again).
    bool PlacingStoredBars() const;
    // The size across the dock that its rows need, the border included.
    int NeededSize();
    void SetDockSize(int ASize);
    void UpdateDockSize();

    std::vector<TubDockRow*> rows_;

private:
    void LayoutRows();
    void PaintSunkenBorder();

    TubBarManager* barManager_ = nullptr;
    TubBarDockingStyle side_ = dsNone;
    TBitmap* backgroundBitmap_ = nullptr;
    TBitmap* backgroundCache_ = nullptr;
    bool followsRows_ = false;  // a bar has docked here: the dock is sized to its rows from now on
};

enum TubBarDockAlign : std::uint8_t { dalNone, dalTop, dalBottom, dalLeft, dalRight };

// The dock a form places itself, with its own alignment, colour and border.
class TubBarDockControl : public TubDockControl {
public:
    explicit TubBarDockControl(TComponent* AOwner);
    std::string ClassName() const override { return "TubBarDockControl"; }

    TubBarDockAlign GetAlign() const { return align_; }
    void SetAlign(TubBarDockAlign Value);
    bool GetAllowZeroSizeInDesignTime() const { return allowZeroSizeInDesignTime_; }
    void SetAllowZeroSizeInDesignTime(bool Value);
    void SetColor(TColor Value);
    void SetParentColor(bool Value);
    bool GetSunkenBorderValue() const { return sunkenBorder_; }
    void SetSunkenBorder(bool Value);
    bool GetUseOwnColor() const { return useOwnColor_; }
    void SetUseOwnColor(bool Value);
    bool GetUseOwnSunkenBorder() const { return useOwnSunkenBorder_; }
    void SetUseOwnSunkenBorder(bool Value);
    bool IsColorStored() const { return useOwnColor_ && !GetParentColor(); }
    bool IsSunkenBorderStored() const { return useOwnSunkenBorder_; }

    void BarManagerChanged() override;
    bool AcceptsBar(TubBar* ABar) override;
    int GetRowsSize() override;
    bool GetSunkenBorder() override;
    TCustomForm* GetFormToRaise() override;
    void UpdateColor() override;

protected:
    void Loaded() override;

private:
    int MinimalSize() const;
    void ApplyMinimalSize();

    TubBarDockAlign align_ = dalTop;
    bool allowZeroSizeInDesignTime_ = false;
    bool sunkenBorder_ = false;
    bool useOwnColor_ = false;
    bool useOwnSunkenBorder_ = false;
    bool settingColor_ = false;
};

}  // namespace zel
