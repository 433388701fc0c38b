#pragma once
// Grids: a table of cells that its owner draws. Rows share one height; columns have their own widths. Fixed
// rows and columns stay in place while the other rows scroll vertically through TopRow; a vertical scroll bar
// shows when there are more rows than fit. Cells follow each other without a gap unless grid lines are on.
#include <functional>
#include <vector>

#include "platform/vcl/Controls.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/FrameScrollBar.h"

namespace zel {

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomGrid"; }

    int GetColCount() const { return static_cast<int>(colWidths_.size()); }
    void SetColCount(int Value);
    int GetRowCount() const { return rowCount_; }
    // Zero rows are allowed once no row is fixed.
    void SetRowCount(int Value);
    int GetFixedCols() const { return fixedCols_; }
    void SetFixedCols(int Value);
    int GetFixedRows() const { return fixedRows_; }
    void SetFixedRows(int Value);
    // Sets every column's width.
    void SetDefaultColWidth(int Value);
    int GetDefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int Value);
    int GetColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    void SetGridLineWidth(int Value);
    TGridOptions GetOptions() const { return options_; }
    void SetOptions(TGridOptions Value);
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TColor FixedColor = clBtnFace;
    // The grid fills each cell with its colour before the cell is drawn, and marks the focused cell.
    bool DefaultDrawing = true;

    // The first scrolling row shown; kept between the fixed rows and the last top row that still fills the
    // grid.
    int GetTopRow() const { return topRow_; }
    void SetTopRow(int Value);
    // Scrolling rows wholly visible from TopRow on.
    int VisibleRowCount();
    // The current cell.
    int GetCol() const { return col_; }
    void SetCol(int Value);
    int GetRow() const { return row_; }
    void SetRow(int Value);

    // The cell at a client point; -1 and -1 where there is none.
    void MouseToCell(int X, int Y, int& ACol, int& ARow);
    // A cell's client rectangle; empty when the cell is not on view.
    TRect CellRect(int ACol, int ARow);
    void InvalidateCell(int ACol, int ARow);

protected:
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
    // Whether a cell in that state is filled with the highlight colour (the selected cell, unless it only
    // shows a focus rectangle).
    bool Highlighted(TGridDrawState AState) const;
    void Paint() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;

private:
    int RowPitch() const;
    int FixedRowsHeight() const;
    // Scrolling rows that fit wholly below the fixed rows (at least one).
    int RowsThatFit();
    int MaxTopRow();
    int ColLeft(int ACol) const;
    bool NeedsScrollBar();
    void UpdateScrollBar();
    TFrameBarRange BarRange();
    bool BarGeometry(TFrameBarGeometry& G);
    void PaintScrollBar();
    void StartBarPress(POINT WindowPoint);
    void DragThumb(int WindowY);
    void ClampPositions();

    std::vector<int> colWidths_;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle scrollBars_ = ssBoth;
    TBorderStyle borderStyle_ = bsSingle;
    int topRow_ = 1;
    int col_ = 1;
    int row_ = 1;
    bool draggingThumb_ = false;
    int thumbGrip_ = 0;  // where the thumb was taken, from its top
};

// A grid whose cells its owner draws in OnDrawCell, on the grid's Canvas, for the cells on view only.
class TDrawGrid : public TCustomGrid {
public:
    using TCustomGrid::TCustomGrid;
    std::string ClassName() const override { return "TDrawGrid"; }
    TDrawCellEvent OnDrawCell;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
};

// A draw grid that keeps a text for each cell and draws it (with DefaultDrawing) before OnDrawCell runs.
class TStringGrid : public TDrawGrid {
public:
    using TDrawGrid::TDrawGrid;
    std::string ClassName() const override { return "TStringGrid"; }
    // The text of a cell; empty for a cell never set or outside the grid.
    std::string GetCells(int ACol, int ARow) const;
    // Sets a cell's text and redraws the cell; a cell outside the grid is refused.
    void SetCells(int ACol, int ARow, const std::string& Value);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;

private:
    std::vector<std::vector<std::string>> cells_;  // by column, then row; grown as cells are set
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterGridsClasses();

}  // namespace zel
