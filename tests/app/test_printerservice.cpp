// The model's listings on the program's printer: a patch bank's listing as page images and as a PDF with
// the pages it needs, its rules and footers where the listing puts them, and a failed listing that does not
// block the next one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PrinterService.h"
#include "model/Bank.h"
#include "model/SharedRoutines.h"
#include "platform/vcl/Printers.h"
#include "support/PdfPages.h"
#include "support/TempDir.h"
#include "support/model/ModelFakes.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class ProgramPrinting : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        ModelServices().Printer = &ProgramPrinter();
    }
    void TearDown() override {
        Printer()->Abort();
        SetPrintTarget(TPrintTarget::DefaultPrinter);
        VclTest::TearDown();
    }
    // The bank's listing as the library window prints one element: the heading, 128 rows, the footers.
    void PrintBank() {
        BeginPrint();
        LineHeight = PrintLineHeight();
        int y = 10;
        Bank.PrintLine(y, false);
        EndPrint();
    }
    // Where the rows fall, page by page, by the listing's own rule: (page, y of each page's first rule).
    struct TLayout {
        int pages = 1;
        std::vector<int> firstRules;
    };
    TLayout Expected(int pageHeight) const {
        const int h = LineHeight;
        TLayout layout;
        int y = 10 + h + 10;
        layout.firstRules.push_back(y - 1);
        for (int i = 0; i < 128; ++i) {
            if (pageHeight < 2 * h + y + 70) {
                ++layout.pages;
                y = 10;
                layout.firstRules.push_back(9);
            }
            y += h;
        }
        return layout;
    }
    static bool Dark(TBitmap& page, int x, int y) { return (page.Canvas()->GetPixel(x, y) & 0xFF) < 128; }
    static int InkIn(TBitmap& page, int top, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < page.GetWidth(); x += 2) ink += Dark(page, x, y) ? 1 : 0;
        return ink;
    }

    TModelTestScope Model;
    TPatchBank Bank{nullptr};
    int LineHeight = 0;
    TempDir Dir;
};

TEST_F(ProgramPrinting, ABanksListingHasThePagesItNeedsWithRulesAndFooters) {
    SetPrintTarget(TPrintTarget::PngPages, Dir.File("pages"));
    PrintBank();
    // Courier New 10 at 300 dots per inch: rows about a quarter inch high.
    EXPECT_GE(LineHeight, 56);
    EXPECT_LE(LineHeight, 80);
    const TLayout layout = Expected(Printer()->PageHeight());
    EXPECT_GE(layout.pages, 3);
    ASSERT_EQ(PrintedPageCount(), layout.pages);

    for (int i = 0; i < layout.pages; ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        TBitmap page;
        ASSERT_TRUE(LoadPrintedPage(i, page));
        const int rule = layout.firstRules[static_cast<std::size_t>(i)];
        // The rule runs from x 30 to the page width less 90.
        EXPECT_TRUE(Dark(page, 31, rule));
        EXPECT_TRUE(Dark(page, page.GetWidth() / 2, rule));
        EXPECT_TRUE(Dark(page, page.GetWidth() - 92, rule));
        EXPECT_FALSE(Dark(page, page.GetWidth() - 80, rule));
        EXPECT_FALSE(Dark(page, 20, rule));
        // "Page Nº n" centred in its line near the bottom, nothing below it.
        const int footer = page.GetHeight() - LineHeight - 70;
        EXPECT_GT(InkIn(page, footer, footer + LineHeight), 50);
        EXPECT_EQ(InkIn(page, footer + LineHeight, page.GetHeight()), 0);
        if (i == 0) {
            EXPECT_TRUE(page.SaveToPngFile(ScreenshotPath("printed-bank-page-1")));
        }
    }

    // As a PDF it has as many pages.
    SetPrintTarget(TPrintTarget::PdfFile, Dir.File("bank.pdf"));
    PrintBank();
    EXPECT_EQ(PdfPageCount(Dir.File("bank.pdf")), layout.pages);
}

TEST_F(ProgramPrinting, AListingThatFailedHalfwayDoesNotRefuseTheNextOne) {
    SetPrintTarget(TPrintTarget::PngPages, Dir.File("pages"));
    BeginPrint();
    PrintCentered(100, "Library L");
    // The listing stopped by a failure: no EndPrint. The next one starts afresh.
    ASSERT_TRUE(Printer()->Printing());
    PrintBank();
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(PrintedPageCount(), Expected(Printer()->PageHeight()).pages);

    // Without a printer, when no PDF file is named, the listing ends at its start, as the callers expect.
    SetPrintTarget(TPrintTarget::NoPrinter);
    EXPECT_THROW(BeginPrint(), Exception);
    EXPECT_FALSE(Printer()->Printing());
}

}  // namespace
}  // namespace zel::test
