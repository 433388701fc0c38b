#include "platform/vcl/Grids.h"

#include <algorithm>

#include "platform/vcl/FormReader.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {

class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
    std::string ClassName() const override { return "EInvalidGridOperation"; }
};

}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner), colWidths_(5, 64) {
    width_ = 320;
    height_ = 120;
    TabStop = true;
    ControlStyle.Include(csOpaque);
    SetColor(clWindow);
}

// ---- sizes and counts

void TCustomGrid::SetColCount(int Value) {
    Value = std::max(1, Value);
    if (Value == GetColCount()) return;
    if (Value <= fixedCols_) fixedCols_ = Value - 1;
    colWidths_.resize(static_cast<std::size_t>(Value), defaultColWidth_);
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SetRowCount(int Value) {
    Value = std::max(0, Value);
    if (Value == rowCount_) return;
    if (Value <= fixedRows_) fixedRows_ = std::max(0, Value - 1);
    rowCount_ = Value;
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
    if (Value < 0 || Value >= GetColCount())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    fixedCols_ = Value;
    col_ = Value;
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
    if (Value < 0 || (Value > 0 && Value >= rowCount_))
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    // The view and the current cell start again below the fixed rows.
    fixedRows_ = Value;
    topRow_ = Value;
    row_ = Value;
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
    defaultColWidth_ = std::max(0, Value);
    std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
    defaultRowHeight_ = std::max(1, Value);
    ClampPositions();
    Invalidate();
}

int TCustomGrid::GetColWidths(int Index) const {
    if (Index < 0 || Index >= GetColCount()) return defaultColWidth_;
    return colWidths_[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
    if (Index < 0 || Index >= GetColCount()) throw EInvalidGridOperation("Grid index out of range");
    colWidths_[static_cast<std::size_t>(Index)] = std::max(0, Value);
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
    gridLineWidth_ = std::max(0, Value);
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    options_ = Value;
    ClampPositions();
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    scrollBars_ = Value;
    UpdateScrollBar();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

// ---- geometry

int TCustomGrid::RowPitch() const { return defaultRowHeight_ + (options_.Contains(goHorzLine) ? gridLineWidth_ : 0); }

int TCustomGrid::FixedRowsHeight() const {
    return fixedRows_ * (defaultRowHeight_ + (options_.Contains(goFixedHorzLine) ? gridLineWidth_ : 0));
}

int TCustomGrid::RowsThatFit() {
    const int room = ClientHeight() - FixedRowsHeight();
    // The line after the last row may fall outside.
    const int lineWidth = options_.Contains(goHorzLine) ? gridLineWidth_ : 0;
    return std::max(1, (room + lineWidth) / RowPitch());
}

int TCustomGrid::MaxTopRow() { return std::max(fixedRows_, rowCount_ - RowsThatFit()); }

int TCustomGrid::ColLeft(int ACol) const {
    int x = 0;
    for (int c = 0; c < ACol && c < GetColCount(); ++c) {
        const bool fixed = c < fixedCols_;
        x += colWidths_[static_cast<std::size_t>(c)] +
             (options_.Contains(fixed ? goFixedVertLine : goVertLine) ? gridLineWidth_ : 0);
    }
    return x;
}

void TCustomGrid::ClampPositions() {
    const int top = std::clamp(topRow_, fixedRows_, MaxTopRow());
    if (top != topRow_) {
        topRow_ = top;
        Invalidate();
    }
    col_ = std::clamp(col_, std::min(fixedCols_, GetColCount() - 1), GetColCount() - 1);
    row_ = std::clamp(row_, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
    UpdateScrollBar();
}

void TCustomGrid::SetTopRow(int Value) {
    Value = std::clamp(Value, fixedRows_, MaxTopRow());
    if (Value == topRow_) return;
    topRow_ = Value;
    Invalidate();
    UpdateScrollBar();
}

int TCustomGrid::VisibleRowCount() { return std::max(0, std::min(RowsThatFit(), rowCount_ - topRow_)); }

void TCustomGrid::SetCol(int Value) {
    if (Value < fixedCols_ || Value >= GetColCount() || Value == col_) return;
    InvalidateCell(col_, row_);
    col_ = Value;
    InvalidateCell(col_, row_);
}

void TCustomGrid::SetRow(int Value) {
    if (Value < fixedRows_ || Value >= rowCount_ || Value == row_) return;
    InvalidateCell(col_, row_);
    row_ = Value;
    if (row_ < topRow_) SetTopRow(row_);
    else if (row_ >= topRow_ + RowsThatFit()) SetTopRow(row_ - RowsThatFit() + 1);
    InvalidateCell(col_, row_);
}

TRect TCustomGrid::CellRect(int ACol, int ARow) {
    if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= rowCount_) return TRect{0, 0, 0, 0};
    int top = 0;
    if (ARow < fixedRows_) {
        top = ARow * (defaultRowHeight_ + (options_.Contains(goFixedHorzLine) ? gridLineWidth_ : 0));
    } else {
        if (ARow < topRow_) return TRect{0, 0, 0, 0};
        top = FixedRowsHeight() + (ARow - topRow_) * RowPitch();
    }
    const TRect client = GetClientRect();
    const int left = ColLeft(ACol);
    if (top >= client.bottom || left >= client.right) return TRect{0, 0, 0, 0};
    return TRect{left, top, left + colWidths_[static_cast<std::size_t>(ACol)], top + defaultRowHeight_};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
    ACol = -1;
    ARow = -1;
    const TRect client = GetClientRect();
    if (X < 0 || Y < 0 || X >= client.right || Y >= client.bottom) return;
    // A cell takes the line after it.
    for (int c = 0; c < GetColCount(); ++c)
        if (X >= ColLeft(c) && X < ColLeft(c + 1)) {
            ACol = c;
            break;
        }
    int row = -1;
    if (Y < FixedRowsHeight()) {
        row = Y / (defaultRowHeight_ + (options_.Contains(goFixedHorzLine) ? gridLineWidth_ : 0));
    } else {
        row = topRow_ + (Y - FixedRowsHeight()) / RowPitch();
    }
    if (ACol < 0 || row >= rowCount_) {
        ACol = -1;
        return;
    }
    ARow = row;
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    if (!HandleAllocated()) return;
    TRect r = CellRect(ACol, ARow);
    if (IsRectEmpty(&r)) return;
    InflateRect(&r, 1, 1);  // with the focus rectangle and the lines beside it
    InvalidateRect(GetHandle(), &r, FALSE);
}

// ---- painting

void TCustomGrid::Paint() {
    TCanvas* c = Canvas();
    const TRect client = GetClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(GetColor());
    c->FillRect(client);
    const bool focused = Focused();
    auto paintRow = [&](int r, int top, int lineWidth) {
        for (int col = 0; col < GetColCount(); ++col) {
            const int left = ColLeft(col);
            if (left >= client.right) break;
            const bool fixed = r < fixedRows_ || col < fixedCols_;
            const TRect cell{left, top, left + colWidths_[static_cast<std::size_t>(col)], top + defaultRowHeight_};
            TGridDrawState state;
            if (fixed) state.Include(gdFixed);
            else if (col == col_ && r == row_) {
                state.Include(gdSelected);
                if (focused) state.Include(gdFocused);
            }
            if (DefaultDrawing) {
                c->Brush()->SetStyle(bsSolid);
                c->Brush()->SetColor(fixed ? FixedColor : Highlighted(state) ? clHighlight : GetColor());
                c->FillRect(cell);
            }
            DrawCell(col, r, cell, state);
            if (DefaultDrawing && state.Contains(gdFocused) && !options_.Contains(goRowSelect) &&
                (options_.Contains(goRangeSelect) || options_.Contains(goDrawFocusSelected)))
                c->DrawFocusRect(cell);
            // The lines in the gaps after the cell.
            const int vertical = options_.Contains(fixed ? goFixedVertLine : goVertLine) ? gridLineWidth_ : 0;
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(fixed ? clBlack : clSilver);
            if (vertical > 0) c->FillRect(TRect{cell.right, cell.top, cell.right + vertical, cell.bottom + lineWidth});
            if (lineWidth > 0)
                c->FillRect(TRect{cell.left, cell.bottom, cell.right + vertical, cell.bottom + lineWidth});
        }
    };
    const int fixedLine = options_.Contains(goFixedHorzLine) ? gridLineWidth_ : 0;
    for (int r = 0; r < fixedRows_ && r < rowCount_; ++r) paintRow(r, r * (defaultRowHeight_ + fixedLine), fixedLine);
    const int line = options_.Contains(goHorzLine) ? gridLineWidth_ : 0;
    for (int r = topRow_, top = FixedRowsHeight(); r < rowCount_ && top < client.bottom; ++r, top += RowPitch())
        paintRow(r, top, line);
}

bool TCustomGrid::Highlighted(TGridDrawState AState) const {
    return AState.Contains(gdSelected) &&
           (!AState.Contains(gdFocused) || options_.Contains(goDrawFocusSelected) || options_.Contains(goRowSelect));
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    // The grid keeps the range of its bar itself: rows below the fixed ones, those that fit, the first shown.
    SetFrameBarSource(GetHandle(), TFrameBarSource{[this](int Bar, TFrameBarRange& R) {
                                                       if (Bar != SB_VERT) return false;
                                                       R = BarRange();
                                                       return true;
                                                   },
                                                   nullptr});
    UpdateScrollBar();
}

void TCustomGrid::Resize() {
    ClampPositions();
    TCustomControl::Resize();
}

// ---- the vertical scroll bar, drawn and driven in the window's frame

bool TCustomGrid::NeedsScrollBar() {
    return (scrollBars_ == ssVertical || scrollBars_ == ssBoth) && MaxTopRow() > fixedRows_;
}

void TCustomGrid::UpdateScrollBar() {
    if (!HandleAllocated()) return;
    HWND h = GetHandle();
    const LONG_PTR style = GetWindowLongPtr(h, GWL_STYLE);
    const bool shown = (style & WS_VSCROLL) != 0;
    if (shown != NeedsScrollBar()) {
        SetWindowLongPtr(h, GWL_STYLE, style ^ WS_VSCROLL);
        SetWindowPos(h, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate();
        // The client area changed: the last top row may have too.
        const int top = std::clamp(topRow_, fixedRows_, MaxTopRow());
        if (top != topRow_) topRow_ = top;
    }
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

TFrameBarRange TCustomGrid::BarRange() { return {rowCount_ - fixedRows_, RowsThatFit(), topRow_ - fixedRows_}; }

bool TCustomGrid::BarGeometry(TFrameBarGeometry& G) {
    return HandleAllocated() && FrameBarGeometry(GetHandle(), SB_VERT, BarRange(), G);
}

void TCustomGrid::PaintScrollBar() {
    TFrameBarGeometry g;
    if (!BarGeometry(g)) return;
    HDC dc = GetWindowDC(GetHandle());
    PaintFrameBar(dc, SB_VERT, g);
    ReleaseDC(GetHandle(), dc);
}

void TCustomGrid::StartBarPress(POINT P) {
    TFrameBarGeometry g;
    if (!BarGeometry(g) || !PtInRect(&g.bar, P)) return;
    const int page = RowsThatFit();
    switch (FrameBarPress(g, P.y)) {
        case SB_LINEUP: SetTopRow(topRow_ - 1); break;
        case SB_LINEDOWN: SetTopRow(topRow_ + 1); break;
        case SB_PAGEUP: SetTopRow(topRow_ - page); break;
        case SB_PAGEDOWN: SetTopRow(topRow_ + page); break;
        default:  // the thumb
            thumbGrip_ = P.y - g.thumbLo;
            draggingThumb_ = true;
            SetCapture(GetHandle());
            break;
    }
}

void TCustomGrid::DragThumb(int WindowY) {
    TFrameBarGeometry g;
    if (!BarGeometry(g)) return;
    const int pos = FrameBarThumbPosition(g, BarRange(), WindowY, thumbGrip_);
    if (pos >= 0) SetTopRow(fixedRows_ + pos);
}

void TCustomGrid::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCPAINT:
            TCustomControl::Dispatch(Message);
            PaintScrollBar();
            return;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (Message.WParam == HTVSCROLL) {
                RECT window;
                GetWindowRect(GetHandle(), &window);
                StartBarPress(
                    POINT{GET_X_LPARAM(Message.LParam) - window.left, GET_Y_LPARAM(Message.LParam) - window.top});
                return;
            }
            break;
        case WM_MOUSEMOVE:
            if (draggingThumb_) {
                const TPoint p = ClientToScreen(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
                DragThumb(FrameBarPlace(GetHandle(), SB_VERT, POINT{p.x, p.y}));
                return;
            }
            break;
        case WM_LBUTTONUP:
            if (draggingThumb_) {
                draggingThumb_ = false;
                ReleaseCapture();
                return;
            }
            break;
        case WM_CAPTURECHANGED: draggingThumb_ = false; break;
        case WM_MOUSEWHEEL: {
            const int notches = static_cast<SHORT>(HIWORD(Message.WParam)) / WHEEL_DELTA;
            SetTopRow(topRow_ - notches * std::max(1, Mouse->GetWheelScrollLines()));
            Message.Result = 1;
            return;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateCell(col_, row_); break;
        default: break;
    }
    TCustomControl::Dispatch(Message);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (CanFocus() && !Focused()) SetFocus();
    if (Button == mbLeft) {
        int col = -1, row = -1;
        MouseToCell(X, Y, col, row);
        if (col >= fixedCols_ && row >= fixedRows_) {
            SetCol(col);
            SetRow(row);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

// ------------------------------------------------------------------------------------------------ TDrawGrid

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

// ---------------------------------------------------------------------------------------------- TStringGrid

std::string TStringGrid::GetCells(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount() ||
        ACol >= static_cast<int>(cells_.size()))
        return "";
    const std::vector<std::string>& column = cells_[static_cast<std::size_t>(ACol)];
    return ARow < static_cast<int>(column.size()) ? column[static_cast<std::size_t>(ARow)] : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
    if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount())
        throw EInvalidGridOperation("Grid index out of range");
    if (GetCells(ACol, ARow) == Value) return;
    if (ACol >= static_cast<int>(cells_.size())) cells_.resize(static_cast<std::size_t>(ACol) + 1);
    std::vector<std::string>& column = cells_[static_cast<std::size_t>(ACol)];
    if (ARow >= static_cast<int>(column.size())) column.resize(static_cast<std::size_t>(ARow) + 1);
    column[static_cast<std::size_t>(ARow)] = Value;
    InvalidateCell(ACol, ARow);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (DefaultDrawing) {
        const std::string text = GetCells(ACol, ARow);
        if (!text.empty()) {
            TCanvas* c = Canvas();
            c->Font()->Assign(Font());
            if (Highlighted(AState)) c->Font()->SetColor(clHighlightText);
            c->Brush()->SetStyle(bsClear);
            c->TextRect(ARect, ARect.left + 2, ARect.top + 2, text);
        }
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

// ------------------------------------------------------------------------------------------- form classes

void RegisterGridsClasses() {
    RegisterComponent<TDrawGrid>("TDrawGrid", "TWinControl")
        .Int("ColCount", [](TDrawGrid& c, int v) { c.SetColCount(v); })
        .Int("RowCount", [](TDrawGrid& c, int v) { c.SetRowCount(v); })
        .Int("FixedCols", [](TDrawGrid& c, int v) { c.SetFixedCols(v); })
        .Int("FixedRows", [](TDrawGrid& c, int v) { c.SetFixedRows(v); })
        .Int("DefaultColWidth", [](TDrawGrid& c, int v) { c.SetDefaultColWidth(v); })
        .Int("DefaultRowHeight", [](TDrawGrid& c, int v) { c.SetDefaultRowHeight(v); })
        .Int("GridLineWidth", [](TDrawGrid& c, int v) { c.SetGridLineWidth(v); })
        .Custom("Options",
                [](TDrawGrid& c, const TFormValue& v, TReadContext& ctx) {
                    c.SetOptions(ReadSet<TGridOption>(v, ctx,
                                                      {{"goFixedVertLine", goFixedVertLine},
                                                       {"goFixedHorzLine", goFixedHorzLine},
                                                       {"goVertLine", goVertLine},
                                                       {"goHorzLine", goHorzLine},
                                                       {"goRangeSelect", goRangeSelect},
                                                       {"goDrawFocusSelected", goDrawFocusSelected},
                                                       {"goRowSizing", goRowSizing},
                                                       {"goColSizing", goColSizing},
                                                       {"goRowMoving", goRowMoving},
                                                       {"goColMoving", goColMoving},
                                                       {"goEditing", goEditing},
                                                       {"goTabs", goTabs},
                                                       {"goRowSelect", goRowSelect},
                                                       {"goAlwaysShowEditor", goAlwaysShowEditor},
                                                       {"goThumbTracking", goThumbTracking}}));
                })
        .Enum<TScrollStyle>(
            "ScrollBars",
            {{"ssNone", ssNone}, {"ssHorizontal", ssHorizontal}, {"ssVertical", ssVertical}, {"ssBoth", ssBoth}},
            [](TDrawGrid& c, TScrollStyle v) { c.SetScrollBars(v); })
        .Enum<TBorderStyle>("BorderStyle", BorderStyleNames(),
                            [](TDrawGrid& c, TBorderStyle v) { c.SetBorderStyle(v); })
        .Custom("FixedColor",
                [](TDrawGrid& c, const TFormValue& v, TReadContext& ctx) { c.FixedColor = ReadColor(v, ctx); })
        .Bool("DefaultDrawing", [](TDrawGrid& c, bool v) { c.DefaultDrawing = v; })
        .Event("OnDrawCell", &TDrawGrid::OnDrawCell);
    RegisterComponent<TStringGrid>("TStringGrid", "TDrawGrid");
}

}  // namespace zel
