#include "uilib/bars/ubBarDockControl.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

// Room a cut bar keeps for its mark.
constexpr int MarkRoom = 11;

bool NonEmpty(TBitmap* B) { return B != nullptr && !B->Empty(); }

}  // namespace

// ------------------------------------------------------------------------------------------- rows, columns

void TubDockCol::StorePosition() {
    TWinControl* w = BarControl->DockedWindow();
    Position = TPoint{w->GetLeft(), w->GetTop()};
}

TubDockRow::~TubDockRow() {
    while (!cols_.empty()) {
        delete cols_.back();
        cols_.pop_back();
    }
}

TubDockCol* TubDockRow::AddCol(IubDockedBarWindow* ABarControl) { return InsertCol(ColCount(), ABarControl); }

TubDockCol* TubDockRow::InsertCol(int Index, IubDockedBarWindow* ABarControl) {
    Index = std::clamp(Index, 0, ColCount());
    auto* col = new TubDockCol(this, ABarControl);
    cols_.insert(cols_.begin() + Index, col);
    return col;
}

void TubDockRow::DeleteCol(TubDockCol* ACol) {
    auto it = std::find(cols_.begin(), cols_.end(), ACol);
    if (it == cols_.end()) return;
    cols_.erase(it);
    delete ACol;
}

int TubDockRow::IndexOfCol(const TubDockCol* ACol) const {
    auto it = std::find(cols_.begin(), cols_.end(), ACol);
    return it == cols_.end() ? -1 : static_cast<int>(it - cols_.begin());
}

// ------------------------------------------------------------------------------------------ TubDockControl

TubDockControl::TubDockControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetParentColor(true);
    backgroundBitmap_ = new TBitmap();
    backgroundBitmap_->OnChange = [this](TObject*) {
        ClearBackgroundCache();
        UpdateDoubleBuffered();
        Invalidate();
        RepaintBars();
    };
}

TubDockControl::TubDockControl(TComponent* AOwner, TubBarDockingStyle ASide, TubBarManager* AManager)
    : TubDockControl(AOwner) {
    side_ = ASide;
    static const TAlign aligns[] = {alNone, alLeft, alTop, alRight, alBottom};
    TControl::SetAlign(aligns[ASide]);
    SetBarManager(AManager);
}

TubDockControl::~TubDockControl() {
    for (TubDockRow* row : rows_)
        for (int c = 0; c < row->ColCount(); ++c) row->Cols(c)->BarControl->DockControlGone();
    for (auto it = rows_.rbegin(); it != rows_.rend(); ++it) delete *it;
    rows_.clear();
    if (barManager_ != nullptr) {
        if (IsSideDock() && barManager_->GetBars() != nullptr) barManager_->GetBars()->SideDockGone(this);
        barManager_->RemoveDockControl(this);
    }
    delete backgroundCache_;
    delete backgroundBitmap_;
}

void TubDockControl::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Params.ExStyle = 0;
    Params.WindowClass.style = CS_DBLCLKS;
}

void TubDockControl::SetBarManager(TubBarManager* Value) {
    if (barManager_ == Value) return;
    if (barManager_ != nullptr) {
        barManager_->RemoveDockControl(this);
        barManager_->RemoveFreeNotification(this);
    }
    barManager_ = Value;
    if (barManager_ != nullptr) {
        barManager_->AddDockControl(this);
        barManager_->FreeNotification(this);
    }
    BarManagerChanged();
}

void TubDockControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == barManager_) {
        barManager_ = nullptr;
        BarManagerChanged();
    }
}

void TubDockControl::SetBackgroundBitmap(TBitmap* Value) { backgroundBitmap_->Assign(Value); }

TubBarDockingStyle TubDockControl::DockingStyle() const {
    switch (TControl::GetAlign()) {
        case alLeft: return dsLeft;
        case alRight: return dsRight;
        case alBottom: return dsBottom;
        default: return dsTop;
    }
}

bool TubDockControl::ManagerLoading() const {
    return barManager_ != nullptr && barManager_->ComponentState().Contains(csLoading);
}

bool TubDockControl::PlacingStoredBars() const {
    return barManager_ != nullptr && (barManager_->GetBars()->Loading || barManager_->ReshowingBars);
}

// ---- rows and points

TubDockCol* TubDockControl::FindCol(IubDockedBarWindow* AWindow) const {
    for (TubDockRow* row : rows_)
        for (int c = 0; c < row->ColCount(); ++c)
            if (row->Cols(c)->BarControl == AWindow) return row->Cols(c);
    return nullptr;
}

void TubDockControl::FindPlace(IubDockedBarWindow* AWindow, int& ARow, int& ACol) const {
    ARow = ACol = -1;
    TubDockCol* col = FindCol(AWindow);
    if (col == nullptr) return;
    ARow = static_cast<int>(std::find(rows_.begin(), rows_.end(), col->Row) - rows_.begin());
    ACol = col->Row->IndexOfCol(col);
}

TubDockRowsGeometry TubDockControl::RowsGeometry() {
    TubDockRowsGeometry g;
    const bool horizontal = Horizontal();
    for (TubDockRow* row : rows_) {
        int size = 0;
        for (int c = 0; c < row->ColCount(); ++c) {
            TWinControl* w = row->Cols(c)->BarControl->DockedWindow();
            size = std::max(size, horizontal ? w->GetHeight() : w->GetWidth());
        }
        g.RowSizes.push_back(size);
    }
    g.Leading = Leading();
    g.ClientSize = horizontal ? ClientHeight() : ClientWidth();
    g.Moving = barManager_ != nullptr && barManager_->MovingWindow != nullptr;
    return g;
}

int TubDockControl::GetRowsSize() { return RowsGeometry().RowsSize(); }

TRect TubDockControl::RowRect(int ARow) {
    TubDockRowsGeometry g = RowsGeometry();
    if (ARow < 0 || ARow >= g.RowCount()) return TRect(0, 0, 0, 0);
    const int start = g.RowStart(ARow), end = start + g.RowSizes[static_cast<std::size_t>(ARow)];
    return Horizontal() ? TRect(0, start, ClientWidth(), end) : TRect(start, 0, end, ClientHeight());
}

TubDockRowHit TubDockControl::RowFromPoint(TPoint AScreenPoint) {
    if (rows_.empty()) return {0, true};
    TPoint p = ScreenToClient(AScreenPoint);
    return DockRowFromCoordinate(RowsGeometry(), Horizontal() ? p.y : p.x);
}

TPoint TubDockControl::HotPoint(int ARow, bool AOneOnRow, TPoint AClientPoint) {
    const int cross = DockHotCoordinate(RowsGeometry(), ARow, AOneOnRow);
    if (Horizontal()) AClientPoint.y = cross;
    else AClientPoint.x = cross;
    return AClientPoint;
}

TPoint TubDockControl::HotPointWithout(IubDockedBarWindow* AWindow, TPoint AClientPoint) {
    TubBar* bar = AWindow->DockedBar();
    TubDockCol* col = FindCol(AWindow);
    if (col == nullptr) return HotPoint(bar->GetRow(), bar->OneOnRow, AClientPoint);
    // The column leaves its row (and a row it leaves empty goes) while the point is found, then comes back
    // to where it was.
    TubDockRow* row = col->Row;
    const auto rowAt = std::find(rows_.begin(), rows_.end(), row) - rows_.begin();
    const int colAt = row->IndexOfCol(col);
    const TPoint position = col->Position;
    const bool rowGoes = row->ColCount() == 1;
    RemoveBar(AWindow, col, false);
    const TPoint hot = HotPoint(bar->GetRow(), bar->OneOnRow, AClientPoint);
    if (rowGoes) {
        row = new TubDockRow(this);
        rows_.insert(rows_.begin() + rowAt, row);
    }
    row->InsertCol(colAt, AWindow)->Position = position;
    return hot;
}

int TubDockControl::ColumnFromPoint(int ARow, TPoint AScreenPoint) {
    if (ARow < 0 || ARow >= RowCount() || Rows(ARow)->ColCount() == 0) return 0;
    TPoint p = ScreenToClient(AScreenPoint);
    IubDockedBarWindow* moving = barManager_ != nullptr ? barManager_->MovingWindow : nullptr;
    if (moving != nullptr && !moving->DockLocked()) {
        TPoint grab = moving->GrabPoint(DockingStyle());
        p.x -= grab.x;
        p.y -= grab.y;
    }
    const int along = Horizontal() ? p.x : p.y;
    TubDockRow* row = Rows(ARow);
    for (int c = 0; c < row->ColCount(); ++c) {
        TubBar* bar = row->Cols(c)->BarControl->DockedBar();
        if ((Horizontal() ? bar->GetDockedLeft() : bar->GetDockedTop()) >= along) return c;
    }
    return row->ColCount();
}

TRect TubDockControl::HitRect() {
    TPoint origin = ClientToScreen(TPoint{0, 0});
    RECT wr;
    if (HandleAllocated()) GetWindowRect(GetHandle(), &wr);
    else wr = RECT{origin.x, origin.y, origin.x + GetWidth(), origin.y + GetHeight()};
    TRect r(wr.left, wr.top, wr.right, wr.bottom);
    const int s = barManager_ != nullptr ? barManager_->GetBars()->DockingSensitivity : 23;
    r.left -= s;
    r.right += s;
    if (Horizontal()) {
        r.top -= s;
        r.bottom += s;
    }
    return r;
}

// ---- inserting, removing, moving

void TubDockControl::InsertBar(IubDockedBarWindow* AWindow, TPoint AScreenPoint, bool AUpdateNow) {
    if (barManager_ == nullptr || AWindow == nullptr) return;
    followsRows_ = true;
    TubBar* bar = AWindow->DockedBar();
    const bool locked = AWindow->DockLocked();
    TubDockRowHit hit = locked ? TubDockRowHit{bar->GetRow(), bar->OneOnRow} : RowFromPoint(AScreenPoint);
    if (bar->GetWholeRow()) hit.NewRow = true;
    const bool placing = locked && PlacingStoredBars();
    if (!placing || hit.Row < RowCount()) {
        const int n = RowCount();
        if (hit.Row >= n) hit.Row = hit.NewRow ? n : n - 1;
        hit.Row = std::max(hit.Row, 0);
    } else {
        // A stored row can be any number: no more rows are made than the manager has bars.
        hit.Row = std::min(hit.Row, barManager_->GetBars()->Count());
        while (RowCount() < hit.Row) rows_.push_back(new TubDockRow(this));
    }
    if (hit.Row >= RowCount()) hit.NewRow = true;
    if (!hit.NewRow) {
        TubDockRow* row = Rows(hit.Row);
        for (int c = 0; c < row->ColCount(); ++c)
            if (row->Cols(c)->BarControl != AWindow && row->Cols(c)->BarControl->DockedBar()->GetWholeRow())
                hit.NewRow = true;
    }
    TubDockCol* col = nullptr;
    if (hit.NewRow) {
        TubDockRow* row = nullptr;
        if (placing && hit.Row < RowCount() && Rows(hit.Row)->ColCount() == 0) {
            row = Rows(hit.Row);
        } else {
            row = new TubDockRow(this);
            rows_.insert(rows_.begin() + hit.Row, row);
        }
        col = row->AddCol(AWindow);
    } else {
        col = Rows(hit.Row)->InsertCol(ColumnFromPoint(hit.Row, AScreenPoint), AWindow);
    }

    TPoint p = AScreenPoint;
    if (!locked) {
        if (barManager_->MovingWindow == AWindow) {
            p.x -= barManager_->MoveCursorOffset.x;
            p.y -= barManager_->MoveCursorOffset.y;
        }
        TPoint grab = AWindow->GrabPoint(DockingStyle());
        p.x -= grab.x;
        p.y -= grab.y;
    }
    p = ScreenToClient(p);
    if (Horizontal()) p.x = std::max(p.x, 0);
    else p.y = std::max(p.y, 0);
    col->Position = p;

    if (AUpdateNow) {
        TWinControl* w = AWindow->DockedWindow();
        if (!AWindow->DockNotMoved()) w->SetBounds(p.x, p.y, w->GetWidth(), w->GetHeight());
        UpdateLayout();
        if (!PlacingStoredBars()) col->StorePosition();
    }
}

void TubDockControl::RemoveBar(IubDockedBarWindow* AWindow, TubDockCol* ACol, bool AUpdateNow) {
    TubDockCol* col = ACol != nullptr ? ACol : FindCol(AWindow);
    if (col == nullptr) return;
    TubDockRow* row = col->Row;
    row->DeleteCol(col);
    if (row->ColCount() == 0) {
        rows_.erase(std::find(rows_.begin(), rows_.end(), row));
        delete row;
    }
    if (AUpdateNow) UpdateLayout();
}

void TubDockControl::MoveBar(IubDockedBarWindow* AWindow, TPoint AScreenPoint) {
    if (barManager_ == nullptr) return;
    RemoveBar(AWindow, nullptr, false);
    InsertBar(AWindow, AScreenPoint, true);
    if (IsBackgroundComplex()) {
        ClearBackgroundCache();
        RepaintBars();
    }
}

void TubDockControl::StorePositions() {
    for (TubDockRow* row : rows_)
        for (int c = 0; c < row->ColCount(); ++c) row->Cols(c)->StorePosition();
}

// ---- layout

void TubDockControl::UpdateLayout() {
    if (barManager_ == nullptr || barManager_->IsDestroying() || barManager_->GetUpdateLock()) return;
    TCustomForm* form = barManager_->Form();
    if (form != nullptr && form->ComponentState().Contains(csDestroying)) return;
    LayoutRows();
    UpdateDockSize();
}

void TubDockControl::LayoutRows() {
    if (rows_.empty() || barManager_ == nullptr || barManager_->GetBars()->Loading) return;
    TCustomForm* form = barManager_->Form();
    if (form != nullptr && form->ComponentState().Contains(csDestroying)) return;
    if (!barManager_->Designing() && HandleAllocated())
        SetWindowPos(GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DisableAlign();
    TScopeExit resume([this] { EnableAlign(); });
    const TubBarDockingStyle style = DockingStyle();
    const bool horizontal = Horizontal();
    const int rowLength = horizontal ? ClientWidth() : ClientHeight();
    for (int r = 0; r < RowCount(); ++r) {
        TubDockRow* row = Rows(r);
        if (row->ColCount() == 0) continue;
        std::vector<TubDockRowWindow> layout;
        for (int c = 0; c < row->ColCount(); ++c) {
            TubDockCol* col = row->Cols(c);
            IubDockedBarWindow* w = col->BarControl;
            TubBar* bar = w->DockedBar();
            w->SetTruncated(false);
            bar->GetItemLinks()->SetRecentItemCount(-1);
            TubDockRowWindow rw;
            const int border = w->BorderAlongRow(style);
            rw.MinLength = w->MinContentLength(style) + border;
            rw.FullLength = w->FullContentLength(style) + border;
            if (!w->ShowsEndMark() && rw.MinLength != rw.FullLength) rw.MinLength += MarkRoom;
            rw.StoredPosition = horizontal ? col->Position.x : col->Position.y;
            rw.MultiLine = bar->GetMultiLine();
            rw.WholeRow = bar->GetWholeRow();
            rw.UseRestSpace = bar->GetUseRestSpace();
            rw.Moving = barManager_->MovingWindow == w;
            layout.push_back(rw);
        }
        LayoutDockRow(layout, rowLength);
        // The content each window gets, and the row's thickness: the thickest of its windows.
        std::vector<int> content(layout.size());
        int thickness = 0;
        for (int c = 0; c < row->ColCount(); ++c) {
            const TubDockRowWindow& rw = layout[static_cast<std::size_t>(c)];
            IubDockedBarWindow* w = row->Cols(c)->BarControl;
            int len = rw.Length - w->BorderAlongRow(style);
            if (rw.Truncated && !w->MarkInsideContent()) len -= MarkRoom;
            content[static_cast<std::size_t>(c)] = len;
            thickness = std::max(thickness, w->ThicknessFor(style, len));
        }
        const int across = RowsGeometry().RowStart(r);
        for (int c = 0; c < row->ColCount(); ++c) {
            const TubDockRowWindow& rw = layout[static_cast<std::size_t>(c)];
            TubDockCol* col = row->Cols(c);
            IubDockedBarWindow* w = col->BarControl;
            if (rw.StoredPositionChanged) {
                if (horizontal) col->Position.x = rw.StoredPosition;
                else col->Position.y = rw.StoredPosition;
            }
            w->SetTruncated(rw.Truncated);
            w->CalcContent(style, content[static_cast<std::size_t>(c)]);
            TRect b = horizontal ? Bounds(rw.Start, across, rw.Length, thickness)
                                 : Bounds(across, rw.Start, thickness, rw.Length);
            TWinControl* win = w->DockedWindow();
            if (b != win->BoundsRect()) win->SetBounds(b.left, b.top, b.Width(), b.Height());
        }
    }
    Invalidate();
}

int TubDockControl::NeededSize() {
    const int rows = GetRowsSize();
    return rows + (GetSunkenBorder() && rows > 0 ? 2 : 0);
}

void TubDockControl::SetDockSize(int ASize) {
    TWinControl* parent = GetParent();
    if (parent != nullptr) parent->DisableAlign();
    TScopeExit resume([parent] {
        if (parent != nullptr) parent->EnableAlign();
    });
    switch (DockingStyle()) {
        case dsLeft: SetWidth(ASize); break;
        case dsRight: SetBounds(GetLeft() + GetWidth() - ASize, GetTop(), ASize, GetHeight()); break;
        case dsBottom: SetBounds(GetLeft(), GetTop() + GetHeight() - ASize, GetWidth(), ASize); break;
        default: SetHeight(ASize); break;
    }
}

void TubDockControl::UpdateDockSize() {
    // Until a bar docks here the dock keeps the size it was given (the stored dock sizes), so that a form
    // does not jump before its bars are placed.
    if (rows_.empty() && !followsRows_) return;
    const int needed = NeededSize();
    if (needed != (Horizontal() ? GetHeight() : GetWidth())) SetDockSize(needed);
}

void TubDockControl::RefreshDock() {
    if (!HandleAllocated()) return;
    const UINT frame = SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, frame);
    for (TubDockRow* row : rows_)
        for (int c = 0; c < row->ColCount(); ++c) {
            TWinControl* w = row->Cols(c)->BarControl->DockedWindow();
            if (w->HandleAllocated()) SetWindowPos(w->GetHandle(), nullptr, 0, 0, 0, 0, frame);
        }
    UpdateLayout();
}

void TubDockControl::AlignControls(TControl* /*AControl*/, TRect& /*Rect*/) {
    if (!ManagerLoading()) UpdateLayout();
}

void TubDockControl::InitiateAction() {
    TCustomControl::InitiateAction();
    if (barManager_ == nullptr) return;
    TubBars* bars = barManager_->GetBars();
    for (int b = 0; b < bars->Count(); ++b) {
        TubBar* bar = bars->Items(b);
        if (!bar->GetVisible()) continue;
        TubBarItemLinks* links = bar->GetItemLinks();
        for (int i = 0; i < links->Count(); ++i) {
            TubBarItem* item = links->Items(i)->GetItem();
            if (item != nullptr && item->ActionLink() != nullptr) item->ActionLink()->Update();
        }
    }
}

// ---- virtual operations

void TubDockControl::BarManagerChanged() { ClearBackgroundCache(); }

void TubDockControl::UpdateColor() {
    if (barManager_ == nullptr || barManager_->GetAutoDockColor()) SetParentColor(true);
    else SetColor(barManager_->GetDockColor());
}

bool TubDockControl::GetSunkenBorder() { return barManager_ != nullptr && barManager_->GetSunkenBorder(); }

TCustomForm* TubDockControl::GetFormToRaise() { return barManager_ != nullptr ? barManager_->Form() : nullptr; }

bool TubDockControl::HasOwnBackground() { return NonEmpty(backgroundBitmap_); }

bool TubDockControl::IsBackgroundComplex() {
    return HasOwnBackground() || (barManager_ != nullptr && NonEmpty(barManager_->GetBackgrounds()->GetBar()));
}

void TubDockControl::PaintDockBackground(HDC DC, const TRect& ADestR, TColor AColor, int /*AFlag*/,
                                         const TRect& ASourceR) {
    TBitmap* picture = HasOwnBackground() ? backgroundBitmap_ : nullptr;
    if (picture == nullptr && barManager_ != nullptr && NonEmpty(barManager_->GetBackgrounds()->GetBar()))
        picture = barManager_->GetBackgrounds()->GetBar();
    if (picture != nullptr) {
        FillBackground(DC, ADestR, ASourceR, picture, AColor);
        return;
    }
    if (const TRect c = GetClientRect(); c.Width() <= 0 || c.Height() <= 0) return;
    HBRUSH brush = nullptr;
    if (barManager_ != nullptr) {
        TubBarItemPaintState state;
        state.Manager = barManager_;
        state.DockingStyle = DockingStyle();
        brush = BarPainterOf(barManager_)->GetDockBrushHook(state);
    }
    FillBackground(DC, ADestR, ASourceR, nullptr, AColor, brush);
}

void TubDockControl::RepaintBars() {
    for (TubDockRow* row : rows_)
        for (int c = 0; c < row->ColCount(); ++c) {
            TWinControl* w = row->Cols(c)->BarControl->DockedWindow();
            if (w->HandleAllocated())
                RedrawWindow(w->GetHandle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
}

void TubDockControl::ClearBackgroundCache() {
    delete backgroundCache_;
    backgroundCache_ = nullptr;
}

void TubDockControl::UpdateDoubleBuffered() { DoubleBuffered = IsBackgroundComplex(); }

// ---- messages

void TubDockControl::PaintSunkenBorder() {
    HDC dc = GetWindowDC(GetHandle());
    RECT r{0, 0, GetWidth(), GetHeight()};
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    ReleaseDC(GetHandle(), dc);
}

void TubDockControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            TRect client = GetClientRect();
            if (IsBackgroundComplex() && client.Width() > 0 && client.Height() > 0) {
                // A picture is tiled once into the cache, which later erases copy.
                if (backgroundCache_ == nullptr) {
                    backgroundCache_ = new TBitmap();
                    backgroundCache_->SetSize(client.Width(), client.Height());
                    PaintDockBackground(backgroundCache_->Canvas()->GetHandle(), client, GetColor(), 0, client);
                }
                BitBlt(dc, 0, 0, client.Width(), client.Height(), backgroundCache_->Canvas()->GetHandle(), 0, 0,
                       SRCCOPY);
            } else {
                PaintDockBackground(dc, client, GetColor(), 0, client);
            }
            Message.Result = 1;
            return;
        }
        case WM_MOUSEACTIVATE:
            if (barManager_ == nullptr || !barManager_->Designing()) {
                Message.Result = MA_NOACTIVATE;
                if (TCustomForm* form = GetFormToRaise(); form != nullptr && form->HandleAllocated())
                    SetWindowPos(form->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                return;
            }
            break;
        case WM_NCCALCSIZE:
            TCustomControl::Dispatch(Message);
            if (GetSunkenBorder()) {
                auto* r = reinterpret_cast<RECT*>(Message.LParam);
                InflateRect(r, -1, -1);
            }
            return;
        case WM_NCPAINT:
            TCustomControl::Dispatch(Message);
            if (GetSunkenBorder()) PaintSunkenBorder();
            return;
        case WM_RBUTTONDOWN:
            // The list of bars to show or hide, outside customizing and design.
            if (barManager_ != nullptr && !barManager_->Designing() && !barManager_->GetCustomizing()) {
                POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
                ::zel::ClientToScreen(GetHandle(), &p);
                ShowToolbarsPopup(this, barManager_, TPoint(p.x, p.y));
                return;
            }
            break;
        case WM_LBUTTONDBLCLK:
            // A double click on the dock starts customizing.
            if (barManager_ != nullptr && barManager_->CanCustomize) {
                barManager_->SetCustomizing(true);
                return;
            }
            break;
        case WM_SIZE: ClearBackgroundCache(); break;
        case WM_WINDOWPOSCHANGED: {
            TCustomControl::Dispatch(Message);
            auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
            if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) && IsBackgroundComplex())
                RepaintBars();
            return;
        }
        default: break;
    }
    TCustomControl::Dispatch(Message);
}

// --------------------------------------------------------------------------------------- TubBarDockControl

TubBarDockControl::TubBarDockControl(TComponent* AOwner) : TubDockControl(AOwner) {
    TControl::SetAlign(alTop);
    SetBounds(0, 0, 185, MinimalSize());
}

int TubBarDockControl::MinimalSize() const {
    return ComponentState().Contains(csDesigning) && !allowZeroSizeInDesignTime_ ? 3 : 0;
}

void TubBarDockControl::ApplyMinimalSize() {
    if (!rows_.empty() || ComponentState().Contains(csLoading)) return;
    if (Horizontal()) SetClientHeight(MinimalSize());
    else SetClientWidth(MinimalSize());
}

void TubBarDockControl::Loaded() {
    TubDockControl::Loaded();
    ApplyMinimalSize();
}

void TubBarDockControl::SetAlign(TubBarDockAlign Value) {
    if (align_ == Value) return;
    static const TAlign aligns[] = {alNone, alTop, alBottom, alLeft, alRight};
    TubBarManager* m = GetBarManager();
    {
        TubBarUpdateLock lock(m);
        align_ = Value;
        TControl::SetAlign(aligns[Value]);
    }
    UpdateLayout();
    if (GetParent() != nullptr) GetParent()->Invalidate();
}

void TubBarDockControl::SetAllowZeroSizeInDesignTime(bool Value) {
    if (allowZeroSizeInDesignTime_ == Value) return;
    allowZeroSizeInDesignTime_ = Value;
    ApplyMinimalSize();
}

void TubBarDockControl::SetColor(TColor Value) {
    TControl::SetColor(Value);
    if (!settingColor_ && !ComponentState().Contains(csLoading) &&
        (GetBarManager() == nullptr || !GetBarManager()->GetBars()->Loading))
        useOwnColor_ = true;
}

void TubBarDockControl::SetParentColor(bool Value) {
    TControl::SetParentColor(Value);
    if (!settingColor_ && !ComponentState().Contains(csLoading) &&
        (GetBarManager() == nullptr || !GetBarManager()->GetBars()->Loading))
        useOwnColor_ = true;
}

void TubBarDockControl::UpdateColor() {
    settingColor_ = true;
    TScopeExit done([this] { settingColor_ = false; });
    TubDockControl::UpdateColor();
}

void TubBarDockControl::SetUseOwnColor(bool Value) {
    if (useOwnColor_ == Value) return;
    useOwnColor_ = Value;
    if (!Value) UpdateColor();
}

void TubBarDockControl::SetSunkenBorder(bool Value) {
    sunkenBorder_ = Value;
    useOwnSunkenBorder_ = true;
    RefreshDock();
}

void TubBarDockControl::SetUseOwnSunkenBorder(bool Value) {
    if (useOwnSunkenBorder_ == Value) return;
    if (Value) {
        sunkenBorder_ = GetSunkenBorder();
        useOwnSunkenBorder_ = true;
        return;
    }
    const bool before = GetSunkenBorder();
    useOwnSunkenBorder_ = false;
    if (GetSunkenBorder() != before) RefreshDock();
}

bool TubBarDockControl::GetSunkenBorder() {
    return useOwnSunkenBorder_ ? sunkenBorder_ : TubDockControl::GetSunkenBorder();
}

void TubBarDockControl::BarManagerChanged() {
    TubDockControl::BarManagerChanged();
    if (!useOwnColor_) UpdateColor();
    RefreshDock();
}

bool TubBarDockControl::AcceptsBar(TubBar* ABar) {
    if (!TubDockControl::AcceptsBar(ABar)) return false;
    // A dock that lies inside the bar's own window cannot take it.
    for (TControl* p = GetParent(); p != nullptr; p = p->GetParent())
        if (auto* w = dynamic_cast<IubDockedBarWindow*>(p); w != nullptr && w->DockedBar() == ABar) return false;
    return true;
}

int TubBarDockControl::GetRowsSize() {
    if (ComponentState().Contains(csLoading)) return Horizontal() ? ClientHeight() : ClientWidth();
    const int size = TubDockControl::GetRowsSize();
    return size == 0 ? MinimalSize() : size;
}

TCustomForm* TubBarDockControl::GetFormToRaise() {
    if (TCustomForm* form = zel::GetParentForm(this)) return form;
    return TubDockControl::GetFormToRaise();
}

}  // namespace zel
