// The printer: a job's pages at 300 dots per inch as PNG images and as a PDF file, fonts sized for the
// printer, the PDF-file printer that a machine without a printer prints on, and the failures a caller turns
// into its own message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Printers.h"
#include "platform/win/ShellFolders.h"
#include "support/PdfPages.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class PrinterTest : public VclTest {
protected:
    void TearDown() override {
        Printer()->Abort();
        SetPrintTarget(TPrintTarget::DefaultPrinter);
        Printer()->SetPrinterIndex(-1);
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
    EXPECT_EQ(ReadAll(file).substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPageCount(file), 3);
}

TEST_F(PrinterTest, WithoutASystemPrinterTheDefaultIsThePdfFilePrinter) {
    TPrinter* printer = Printer();
    // The system's printers (none here, most likely) and the PDF-file printer last.
    TStrings* all = printer->Printers();
    ASSERT_GE(all->Count(), 1);
    EXPECT_EQ(all->Strings(all->Count() - 1), "PDF File");
    EXPECT_GE(printer->GetPrinterIndex(), 0);
    EXPECT_LT(printer->GetPrinterIndex(), all->Count());

    SetPrintTarget(TPrintTarget::NoPrinter);
    all = printer->Printers();
    ASSERT_EQ(all->Count(), 1);
    EXPECT_EQ(all->Strings(0), "PDF File");
    EXPECT_EQ(printer->GetPrinterIndex(), 0);
    EXPECT_THROW(printer->SetPrinterIndex(1), EPrinter);
    printer->SetPrinterIndex(0);
    EXPECT_EQ(printer->GetPrinterIndex(), 0);
    // An A4 sheet before the job starts.
    EXPECT_EQ(printer->PageWidth(), 2480);
    EXPECT_EQ(printer->PageHeight(), 3508);
}

TEST_F(PrinterTest, ThePdfFilePrinterAsksForTheFileAndWritesThePagesThere) {
    SetPrintTarget(TPrintTarget::NoPrinter);
    std::string answer;
    std::string askedTitle, askedName, askedDir, askedFilter;
    bool askedSave = false, overwritePrompt = false;
    TFileDialogAnswerer old = SetFileDialogAnswerer([&](TOpenDialog& d) {
        askedTitle = d.Title;
        askedName = d.FileName;
        askedDir = d.InitialDir;
        askedFilter = d.Filter;
        askedSave = d.IsSaveDialog();
        overwritePrompt = d.Options.Contains(ofOverwritePrompt);
        if (answer.empty()) return false;
        d.FileName = answer;
        return true;
    });
    TScopeExit restore([&] { SetFileDialogAnswerer(std::move(old)); });
    TPrinter* printer = Printer();
    printer->Title = "Zelmovi";
    auto leftovers = [&] {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Dir.Path()))
            n += entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
        return n;
    };

    // Cancelled: no job, no file, and a silent abort for the caller.
    EXPECT_THROW(printer->BeginDoc(), EAbort);
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(askedTitle, "Print To PDF File");
    EXPECT_TRUE(askedSave);
    EXPECT_TRUE(overwritePrompt);
    EXPECT_EQ(askedName, "Zelmovi.pdf");
    EXPECT_EQ(askedDir, SHGetSpecialFolderPathString(CSIDL_PERSONAL));
    EXPECT_EQ(askedFilter, "PDF Files (*.pdf)|*.pdf");

    // Chosen: two pages in that file, and nothing else left in its folder.
    answer = Dir.File("listing.pdf");
    printer->BeginDoc();
    EXPECT_TRUE(printer->Printing());
    EXPECT_EQ(printer->PageWidth(), 2480);
    DrawPage(1);
    printer->NewPage();
    DrawPage(2);
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(ReadAll(answer).substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPageCount(answer), 2);
    EXPECT_EQ(leftovers(), 0);

    // An aborted job leaves the file it would have replaced as it was.
    WriteAll(answer, "the old file");
    printer->BeginDoc();
    DrawPage(1);
    printer->Abort();
    EXPECT_EQ(ReadAll(answer), "the old file");
    EXPECT_EQ(leftovers(), 0);

    // A folder that is not there: the job does not start.
    answer = Dir.File("missing/listing.pdf");
    EXPECT_THROW(printer->BeginDoc(), EPrinter);
    EXPECT_FALSE(printer->Printing());
}

TEST_F(PrinterTest, OutsideAJobTheCallsRaise) {
    TPrinter* printer = Printer();
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
