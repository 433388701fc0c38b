// Draw grids and headers: counts and sizes from a form, cells drawn only while on view, the vertical scroll
// bar, the cell under a point, and the order of a double click's events.
#include <gtest/gtest.h>

#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Grids.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// A list as the program's element windows lay it out: one column, 18-pixel rows, nothing fixed, no options.
const char* const kGridForm = R"(object FormGrid: TFormGrid
  Left = 100
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Grid'
  ClientHeight = 160
  ClientWidth = 440
  object Header: THeader
    Left = 8
    Top = 8
    Width = 420
    Height = 20
    AllowResize = False
    Sections.Strings = (
      'Type'
      'Name'
      'Src/Dst'
      'Modified Date')
  end
  object DrawGrid: TDrawGrid
    Left = 8
    Top = 28
    Width = 420
    Height = 94
    ColCount = 1
    DefaultColWidth = 390
    DefaultRowHeight = 18
    FixedCols = 0
    RowCount = 20
    FixedRows = 0
    Options = []
    ScrollBars = ssVertical
    TabOrder = 0
    OnDrawCell = DrawGridDrawCell
    OnMouseDown = DrawGridMouseDown
    OnDblClick = DrawGridDblClick
  end
end
)";

class TFormGrid : public TForm {
public:
    explicit TFormGrid(TComponent* owner) : TForm(owner) {}
    std::string ClassName() const override { return "TFormGrid"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("Header", Header);
        B.Field("DrawGrid", DrawGrid);
        B.Handler<TDrawCellEvent>("DrawGridDrawCell", [this](TObject*, int ACol, int ARow, TRect R, TGridDrawState) {
            Drawn.push_back(ARow);
            Rects.push_back(R);
            TCanvas* c = DrawGrid->Canvas();
            c->Brush()->SetColor(ARow % 2 == 0 ? clAqua : clYellow);
            c->FillRect(R);
            c->TextOut(R.left + 4, R.top + 2, "Row " + std::to_string(ARow) + " col " + std::to_string(ACol));
        });
        B.Handler<TMouseEvent>("DrawGridMouseDown", [this](TObject*, TMouseButton, TShiftState Shift, int, int) {
            Events.push_back(Shift.Contains(ssDouble) ? "down double" : "down");
        });
        B.Handler<TNotifyEvent>("DrawGridDblClick", [this](TObject*) { Events.push_back("dblclick"); });
    }
    THeader* Header = nullptr;
    TDrawGrid* DrawGrid = nullptr;
    std::vector<int> Drawn;
    std::vector<TRect> Rects;
    std::vector<std::string> Events;

private:
    TFormResource resource_{"Grid", kGridForm};
};

class Grids : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TFormGrid>(nullptr));
        grid = form->DrawGrid;
        form->Show();
        ProcessPendingMessages();
    }
    // Paints the grid now and answers the rows drawn.
    std::vector<int> Paint() {
        form->Drawn.clear();
        form->Rects.clear();
        grid->Repaint();
        ProcessPendingMessages();
        return form->Drawn;
    }
    static std::vector<int> Range(int first, int count) {
        std::vector<int> v;
        for (int i = 0; i < count; ++i) v.push_back(first + i);
        return v;
    }
    POINT ScreenOf(int x, int y) {
        const TPoint p = grid->ClientToScreen(TPoint{x, y});
        return POINT{p.x, p.y};
    }
    TFormGrid* form = nullptr;
    TDrawGrid* grid = nullptr;
};

TEST_F(Grids, AFormResourceSetsCountsSizesAndSections) {
    EXPECT_EQ(grid->GetColCount(), 1);
    EXPECT_EQ(grid->GetRowCount(), 20);
    EXPECT_EQ(grid->GetFixedCols(), 0);
    EXPECT_EQ(grid->GetFixedRows(), 0);
    EXPECT_EQ(grid->GetColWidths(0), 390);
    EXPECT_EQ(grid->GetDefaultRowHeight(), 18);
    EXPECT_TRUE(grid->GetOptions().Empty());
    EXPECT_EQ(grid->GetTopRow(), 0);
    // Inside the sunken edge there are five whole rows.
    EXPECT_EQ(grid->ClientHeight(), 90);
    EXPECT_EQ(grid->VisibleRowCount(), 5);
    EXPECT_FALSE(form->Header->AllowResize);
    ASSERT_EQ(form->Header->Sections()->GetCount(), 4);
    EXPECT_EQ(form->Header->Sections()->Get(2), "Src/Dst");
}

TEST_F(Grids, OnlyTheRowsOnViewAreDrawnAndTopRowStaysInRange) {
    struct Row {
        const char* name;
        int rowCount;
        int topRow;  // asked for
        int expectedTop;
        std::vector<int> drawn;
    };
    const Row rows[] = {
        {"first rows", 20, 0, 0, Range(0, 5)},
        {"scrolled", 20, 7, 7, Range(7, 5)},
        {"last top row that fills the grid", 20, 15, 15, Range(15, 5)},
        {"past the end", 20, 100, 15, Range(15, 5)},
        {"before the start", 20, -3, 0, Range(0, 5)},
        {"fewer rows than fit", 3, 2, 0, Range(0, 3)},
        {"no rows", 0, 0, 0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        grid->SetRowCount(r.rowCount);
        grid->SetTopRow(r.topRow);
        EXPECT_EQ(grid->GetTopRow(), r.expectedTop);
        EXPECT_EQ(Paint(), r.drawn);
        EXPECT_EQ(grid->VisibleRowCount(), static_cast<int>(r.drawn.size()));
        if (!form->Rects.empty()) {
            EXPECT_EQ(form->Rects[0], TRect(0, 0, 390, 18));
        }
        if (form->Rects.size() > 1) {
            EXPECT_EQ(form->Rects[1], TRect(0, 18, 390, 36));
        }
    }
}

TEST_F(Grids, CellsMeetWithoutLinesAndTheFocusedCellHasNoFocusRectangle) {
    grid->SetFocus();
    grid->SetRow(1);
    Paint();
    EXPECT_TRUE(grid->Focused());
    HWND h = grid->GetHandle();
    const int edge = 2;  // the sunken client edge
    const struct {
        int x, y;
        TColor colour;
    } pixels[] = {{0, 17, clAqua}, {0, 18, clYellow}, {389, 18, clYellow}, {389, 35, clYellow}, {0, 36, clAqua}};
    for (const auto& p : pixels)
        EXPECT_EQ(ComposedPixel(h, p.x + edge, p.y + edge), ColorToCOLORREF(p.colour)) << p.x << "," << p.y;
}

TEST_F(Grids, MouseToCellFindsTheRowUnderAPointFromTheTopRow) {
    grid->SetTopRow(4);
    const struct {
        int x, y, col, row;
    } cases[] = {{0, 0, 0, 4}, {389, 17, 0, 4}, {10, 18, 0, 5}, {10, 89, 0, 8}, {395, 10, -1, -1}, {-1, 5, -1, -1}};
    for (const auto& c : cases) {
        int col = 7, row = 7;
        grid->MouseToCell(c.x, c.y, col, row);
        EXPECT_EQ(col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    }
    grid->SetRowCount(6);  // rows 0..5: a top row of 4 would leave the grid half empty; it moves back to 1
    EXPECT_EQ(grid->GetTopRow(), 1);
    int col = 0, row = 0;
    grid->MouseToCell(10, 89, col, row);
    EXPECT_EQ(row, 5);
    grid->SetRowCount(3);  // below the last row there is no cell
    grid->MouseToCell(10, 60, col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
}

TEST_F(Grids, ADoubleClickGivesDblClickAndThenAPressWithDouble) {
    const POINT p = ScreenOf(40, 25);
    SetCursorPos(p.x, p.y);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    ProcessPendingMessages();
    EXPECT_EQ(form->Events, (std::vector<std::string>{"down", "dblclick", "down double"}));
    EXPECT_EQ(grid->GetRow(), 1);
    EXPECT_TRUE(grid->Focused());
}

TEST_F(Grids, TheScrollBarShowsWhenRowsDoNotFitAndScrollsByRealClicks) {
    HWND h = grid->GetHandle();
    EXPECT_NE(GetWindowLongPtr(h, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(grid->ClientWidth(), 420 - 4 - GetSystemMetrics(SM_CXVSCROLL));
    const int barX = grid->ClientWidth() + GetSystemMetrics(SM_CXVSCROLL) / 2;
    auto click = [&](int y) {
        const POINT p = ScreenOf(barX, y);
        SetCursorPos(p.x, p.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ProcessPendingMessages();
        SetCursorPos(0, 0);  // the next click is not a double click
        ProcessPendingMessages();
    };
    click(85);  // the down arrow
    EXPECT_EQ(grid->GetTopRow(), 1);
    click(70);  // the track below the thumb: a page
    EXPECT_EQ(grid->GetTopRow(), 6);
    click(2);  // the up arrow
    EXPECT_EQ(grid->GetTopRow(), 5);
    // The thumb taken at the top of the track and dragged past either end shows the last rows, then the first.
    grid->SetTopRow(0);
    const int first = grid->GetTopRow();
    const POINT thumb = ScreenOf(barX, GetSystemMetrics(SM_CYVSCROLL) + 2);
    SendMessage(h, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
    SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(barX, grid->ClientHeight() * 2));
    EXPECT_EQ(grid->GetTopRow() + grid->VisibleRowCount(), grid->GetRowCount());
    SendMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(barX, 0));
    SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(barX, 0));
    EXPECT_EQ(grid->GetTopRow(), first);
    grid->SetTopRow(5);
    const POINT p = ScreenOf(10, 10);
    SetCursorPos(p.x, p.y);
    grid->SetFocus();
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
    ProcessPendingMessages();
    EXPECT_GT(grid->GetTopRow(), 5);
    EXPECT_EQ(Paint().front(), grid->GetTopRow());
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("grid-header")));
    // With every row in view the bar goes and the cells have the whole width.
    grid->SetRowCount(4);
    EXPECT_EQ(GetWindowLongPtr(h, GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(grid->ClientWidth(), 416);
}

TEST_F(Grids, HeaderSectionWidthsAreKeptPerSection) {
    THeader* header = form->Header;
    const int widths[] = {152, 110, 70, 90};
    for (int i = 0; i < 4; ++i) header->SetSectionWidth(i, widths[i]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(header->GetSectionWidth(i), widths[i]);
    EXPECT_EQ(header->GetSectionWidth(4), 0);
    header->Sections()->Add("More");
    EXPECT_EQ(header->GetSectionWidth(0), 152);
    EXPECT_GT(header->GetSectionWidth(4), 0);
}

}  // namespace
}  // namespace zel::test
