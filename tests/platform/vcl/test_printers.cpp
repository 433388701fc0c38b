// The printer: a job's pages at 300 dots per inch as PNG images and as a PDF file, fonts sized for the
// printer, and the failures a caller turns into its own message.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "platform/vcl/Printers.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class PrinterTest : public VclTest {
protected:
    void TearDown() override {
        Printer()->Abort();
        SetPrintTarget(TPrintTarget::DefaultPrinter);
        VclTest::TearDown();
    }
    // Page n: its number as text near the top left and a rule 1/4 inch thick from 1 inch to 2 inches down.
    void DrawPage(int n) {
        TCanvas* canvas = Printer()->Canvas();
        canvas->Font()->SetName("Courier New");
        canvas->Font()->SetSize(10);
        canvas->TextOut(300, 150, "Page " + std::to_string(n));
        canvas->Brush()->SetColor(clBlack);
        canvas->FillRect(TRect{300, 300 * n, Printer()->PageWidth() - 300, 300 * n + 75});
        canvas->Brush()->SetColor(clWhite);
    }
    static bool Dark(TBitmap& page, int x, int y) {
        const TColor c = page.Canvas()->GetPixel(x, y);
        return (c & 0xFF) < 128 && ((c >> 8) & 0xFF) < 128 && ((c >> 16) & 0xFF) < 128;
    }
    TempDir Dir;
};

TEST_F(PrinterTest, PagesArePrintedAt300DotsPerInchIntoPngImages) {
    SetPrintTarget(TPrintTarget::PngPages, Dir.File("pages"));
    TPrinter* printer = Printer();
    printer->Title = "Zelmovi";
    EXPECT_FALSE(printer->Printing());
    // A4 at 300 dots per inch, before and during the job.
    EXPECT_EQ(printer->PageWidth(), 2480);
    EXPECT_EQ(printer->PageHeight(), 3508);
    printer->BeginDoc();
    EXPECT_TRUE(printer->Printing());
    EXPECT_EQ(printer->PageWidth(), 2480);
    DrawPage(1);
    // 10 points are 42 printer pixels: text keeps its size on paper.
    EXPECT_EQ(printer->Canvas()->Font()->GetHeight(), -42);
    const int textHeight = printer->Canvas()->TextHeight("HHHHH");
    EXPECT_GE(textHeight, 42);
    EXPECT_LE(textHeight, 60);
    printer->NewPage();
    DrawPage(2);
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());

    ASSERT_EQ(PrintedPageCount(), 2);
    EXPECT_TRUE(std::filesystem::is_regular_file(Dir.File("pages/page-1.png")));
    EXPECT_TRUE(std::filesystem::is_regular_file(Dir.File("pages/page-2.png")));
    struct Row {
        const char* name;
        int page, x, y;
        bool dark;
    };
    const Row rows[] = {
        {"page 1: its rule", 0, 1240, 330, true},
        {"page 1: no rule of page 2", 0, 1240, 630, false},
        {"page 2: its rule", 1, 1240, 630, true},
        {"page 2: blank again where page 1 had its rule", 1, 1240, 330, false},
        {"page 1: corner stays white", 0, 10, 10, false},
    };
    TBitmap pages[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(LoadPrintedPage(i, pages[i]));
        EXPECT_EQ(pages[i].GetWidth(), 2480);
        EXPECT_EQ(pages[i].GetHeight(), 3508);
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Dark(pages[row.page], row.x, row.y), row.dark);
    }
    // Some ink where the page number is.
    TBitmap& first = pages[0];
    int ink = 0;
    for (int y = 150; y < 150 + textHeight; ++y)
        for (int x = 300; x < 600; ++x) ink += Dark(first, x, y) ? 1 : 0;
    EXPECT_GT(ink, 200);

    // The next job replaces the pages.
    printer->BeginDoc();
    printer->EndDoc();
    EXPECT_EQ(PrintedPageCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("pages/page-2.png")));
    EXPECT_FALSE(LoadPrintedPage(1, first));
}

TEST_F(PrinterTest, AJobBecomesAPdfFileWithAPageForEachPage) {
    const std::string file = Dir.File("listing.pdf");
    SetPrintTarget(TPrintTarget::PdfFile, file);
    TPrinter* printer = Printer();
    printer->BeginDoc();
    for (int n = 1; n <= 3; ++n) {
        if (n > 1) printer->NewPage();
        DrawPage(n);
    }
    printer->EndDoc();
    const std::string pdf = ReadAll(file);
    ASSERT_GE(pdf.size(), 5u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    const std::regex pageObject("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), pageObject), std::sregex_iterator()), 3);
}

TEST_F(PrinterTest, WithoutAPrinterOrOutsideAJobTheCallsRaise) {
    SetPrintTarget(TPrintTarget::NoPrinter);
    TPrinter* printer = Printer();
    EXPECT_THROW(printer->BeginDoc(), EPrinter);
    EXPECT_FALSE(printer->Printing());
    EXPECT_THROW(printer->PageWidth(), EPrinter);
    EXPECT_THROW(printer->Canvas()->TextOut(0, 0, "x"), EPrinter);
    EXPECT_THROW(printer->NewPage(), EPrinter);
    EXPECT_THROW(printer->EndDoc(), EPrinter);

    // A second job while one runs is refused; Abort ends the first without pages.
    SetPrintTarget(TPrintTarget::PngPages, Dir.File("pages"));
    printer->BeginDoc();
    EXPECT_THROW(printer->BeginDoc(), EPrinter);
    EXPECT_TRUE(printer->Printing());
    printer->Abort();
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(PrintedPageCount(), 0);
}

}  // namespace
}  // namespace zel::test
