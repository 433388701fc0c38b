// String grids: a table of texts read from a form, each cell's text drawn in its cell (in the highlight
// text colour on the selected cell), kept through scrolling, and a real click selecting the cell under it.
#include <gtest/gtest.h>

#include <string>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/Grids.h"
#include "platform/win/SysInfo.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// A name picker's grid: six columns of names, more rows than fit, nothing fixed.
const char* const kStringGridForm = R"(object FormNamesGrid: TFormNamesGrid
  Left = 140
  Top = 140
  BorderStyle = bsDialog
  Caption = 'Names'
  ClientHeight = 230
  ClientWidth = 560
  object Grid: TStringGrid
    Left = 4
    Top = 4
    Width = 550
    Height = 220
    ColCount = 6
    DefaultColWidth = 86
    DefaultRowHeight = 16
    FixedCols = 0
    RowCount = 43
    FixedRows = 0
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goDrawFocusSelected]
    ScrollBars = ssVertical
    TabOrder = 0
    OnDrawCell = GridDrawCell
  end
end
)";

class TFormNamesGrid : public TForm {
public:
    explicit TFormNamesGrid(TComponent* owner) : TForm(owner) {}
    std::string ClassName() const override { return "TFormNamesGrid"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("Grid", Grid);
        B.Handler<TDrawCellEvent>("GridDrawCell", [this](TObject*, int, int, TRect, TGridDrawState) { ++DrawnCells; });
    }
    TStringGrid* Grid = nullptr;
    int DrawnCells = 0;

private:
    TFormResource resource_{"NamesGrid", kStringGridForm};
};

class StringGrid : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TFormNamesGrid>(nullptr));
        grid = form->Grid;
        form->Show();
        ProcessPendingMessages();
    }
    // How many pixels of a cell (inside its rectangle) have the colour.
    int PixelsOf(int col, int row, COLORREF colour) {
        grid->Repaint();
        const TRect r = grid->CellRect(col, row);
        const int edge = 2;  // the sunken client edge
        int n = 0;
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y) n += ComposedPixel(grid->GetHandle(), x + edge, y + edge) == colour;
        return n;
    }
    TFormNamesGrid* form = nullptr;
    TStringGrid* grid = nullptr;
};

TEST_F(StringGrid, AFormResourceMakesTheGridWithEmptyCells) {
    EXPECT_EQ(grid->GetColCount(), 6);
    EXPECT_EQ(grid->GetRowCount(), 43);
    EXPECT_EQ(grid->GetFixedCols(), 0);
    EXPECT_EQ(grid->GetFixedRows(), 0);
    EXPECT_EQ(grid->GetColWidths(5), 86);
    EXPECT_TRUE(grid->GetOptions().Contains(goDrawFocusSelected));
    EXPECT_EQ(grid->GetCells(0, 0), "");
    EXPECT_EQ(grid->GetCells(5, 42), "");
}

TEST_F(StringGrid, CellsKeepTheirTextsAndRefusePlacesOutsideTheGrid) {
    grid->SetCells(2, 33, "Name 200    ");
    grid->SetCells(0, 0, "First");
    grid->SetCells(5, 42, "Last");
    EXPECT_EQ(grid->GetCells(2, 33), "Name 200    ");
    EXPECT_EQ(grid->GetCells(0, 0), "First");
    EXPECT_EQ(grid->GetCells(5, 42), "Last");
    EXPECT_EQ(grid->GetCells(3, 33), "");
    grid->SetCells(0, 0, "");
    EXPECT_EQ(grid->GetCells(0, 0), "");
    struct Row {
        const char* name;
        int col, row;
    };
    const Row outside[] = {{"column 6", 6, 0}, {"row 43", 0, 43}, {"column -1", -1, 0}, {"row -1", 0, -1}};
    for (const Row& r : outside) {
        SCOPED_TRACE(r.name);
        EXPECT_THROW(grid->SetCells(r.col, r.row, "x"), Exception);
        EXPECT_EQ(grid->GetCells(r.col, r.row), "");
    }
}

TEST_F(StringGrid, EachCellShowsItsTextAndTheSelectedOneInTheHighlightTextColour) {
    const COLORREF text = ColorToCOLORREF(grid->Font()->GetColor());
    const COLORREF highlightText = ColorToCOLORREF(clHighlightText);
    grid->SetCol(0);
    grid->SetRow(0);
    grid->SetCells(1, 0, "Pop Piano   ");
    grid->SetCells(0, 0, "Grand Piano ");
    EXPECT_GT(PixelsOf(1, 0, text), 5);
    EXPECT_EQ(PixelsOf(2, 0, text), 0);
    // The selected cell: its text on the highlight.
    EXPECT_GT(PixelsOf(0, 0, highlightText), 5);
    EXPECT_GT(PixelsOf(0, 0, ColorToCOLORREF(clHighlight)), 100);
    // The owner still draws after the text.
    EXPECT_GT(form->DrawnCells, 0);
    // A changed text replaces the old one in the cell.
    const int before = PixelsOf(1, 0, text);
    grid->SetCells(1, 0, "P");
    EXPECT_LT(PixelsOf(1, 0, text), before);
}

TEST_F(StringGrid, TextsScrollWithTheirRowsAndAClickSelectsTheCellUnderIt) {
    for (int i = 0; i < 258; ++i) grid->SetCells(i % 6, i / 6, "Name " + std::to_string(i));
    grid->SetTopRow(31);
    EXPECT_EQ(grid->GetTopRow(), 31);
    // Row 33 is the third row shown; its cells show their names.
    const TRect r = grid->CellRect(2, 33);
    ASSERT_FALSE(IsRectEmpty(&r));
    EXPECT_EQ(r.top, 2 * 17);
    const COLORREF text = ColorToCOLORREF(grid->Font()->GetColor());
    EXPECT_GT(PixelsOf(2, 33, text), 5);
    const TPoint p = grid->ClientToScreen(TPoint{r.left + 10, r.top + 5});
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(grid->GetCol(), 2);
    EXPECT_EQ(grid->GetRow(), 33);
    EXPECT_GT(PixelsOf(2, 33, ColorToCOLORREF(clHighlightText)), 5);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("string-grid")));
}

}  // namespace
}  // namespace zel::test
