#pragma once
// The printer: one print job at a time on the system's default printer, drawn on a canvas.
//
// Pages are drawn at a fixed 300 dots per inch whatever the device, so that what is laid out in printer
// pixels keeps its proportions on every printer; each finished page goes to the device scaled to its
// printable area. Tests send the jobs to a PDF file or to PNG page images instead.
#include <string>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/VclGraphics.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(EPrinter, Exception)

// Where print jobs go.
enum class TPrintTarget {
    DefaultPrinter,  // the system's default printer
    NoPrinter,       // as on a system without a printer
    PdfFile,         // an A4 PDF file, one PDF page per page
    PngPages,        // A4 pages as PNG files "page-1.png", "page-2.png"... in a folder
};
// For tests: Path is the PDF file or the folder of the page images (made when missing).
void SetPrintTarget(TPrintTarget Target, const std::string& Path = {});

class TPrinter : public TObject {
public:
    static constexpr int DotsPerInch = 300;

    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;
    std::string ClassName() const override { return "TPrinter"; }

    // The job's name, as the printer's queue shows it.
    std::string Title;

    // Starts a job on a blank first page; EPrinter when there is no printer, it cannot be opened, or a job
    // is already running.
    void BeginDoc();
    // Sends the last page and ends the job; EPrinter when no job runs or the device fails.
    void EndDoc();
    // Ends the job, dropping what it printed (nothing when no job runs).
    void Abort();
    // Sends the page and starts a blank one.
    void NewPage();
    // The printable area in printer pixels (300 per inch); EPrinter when there is no printer.
    int PageWidth();
    int PageHeight();
    bool Printing() const { return job_ != nullptr; }
    // Draws on the current page; drawing while no job runs raises EPrinter. Its font's size is in points at
    // 300 pixels per inch.
    TCanvas* Canvas() const;

private:
    struct TJob;
    class TPrinterCanvas;
    void SendPage();
    void EndJob();
    TJob* job_ = nullptr;
    TPrinterCanvas* canvas_ = nullptr;
};

// The program's printer.
TPrinter* Printer();

// For tests: the page images the last job wrote to PNG pages, first to last.
int PrintedPageCount();
// Loads one of them into a bitmap (false when there is no such page).
bool LoadPrintedPage(int Index, TBitmap& Into);

}  // namespace zel
