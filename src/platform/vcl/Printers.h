#pragma once
// The printer: one print job at a time on the chosen printer, drawn on a canvas.
//
// The printers are the system's ones and the PDF-file printer, which writes a job's pages to a PDF file
// whose name it asks for (a save dialog in the documents folder) when the job starts. It is the default
// when the system has no default printer, so that a machine without a printer still prints.
//
// Pages are laid out at a fixed 300 dots per inch whatever the device, so that what is laid out in printer
// pixels keeps its proportions on every printer; each page goes to the device scaled to its printable area.
// Text and lines reach the device as text and lines (a PDF's text can be searched and copied); whatever
// else the canvas draws goes as a picture of the pixels drawn. Tests send the jobs to a PDF file or to PNG
// page images instead.
#include <string>

#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/VclGraphics.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(EPrinter, Exception)

// Where print jobs go.
enum class TPrintTarget {
    DefaultPrinter,  // the system's printers and the PDF-file printer
    NoPrinter,       // as on a system without a printer: the PDF-file printer alone
    PdfFile,         // an A4 PDF file, one PDF page per page, with no dialog
    PngPages,        // A4 pages as PNG files "page-1.png", "page-2.png"... in a folder
};
// For tests: Path is the PDF file or the folder of the page images (made when missing).
void SetPrintTarget(TPrintTarget Target, const std::string& Path = {});

class TPrinter : public TObject {
public:
    static constexpr int DotsPerInch = 300;
    // The PDF-file printer's name, the last of the printers.
    static constexpr const char* PdfFilePrinterName = "PDF File";

    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;
    std::string ClassName() const override { return "TPrinter"; }

    // The job's name, as the printer's queue shows it.
    std::string Title;

    // The printers' names, read afresh: the system's printers, then the PDF-file printer.
    TStrings* Printers();
    // The chosen printer's index in Printers(); until one is chosen (or after -1) the system's default
    // printer, else the PDF-file printer. A name that has gone from the list falls back to the default.
    int GetPrinterIndex();
    void SetPrinterIndex(int Index);

    // Starts a job on a blank first page; EPrinter when the printer cannot be opened or a job is already
    // running. On the PDF-file printer it first asks for the file: EAbort when the user cancels.
    void BeginDoc();
    // Sends the last page and ends the job; EPrinter when no job runs or the device fails.
    void EndDoc();
    // Ends the job, dropping what it printed (nothing when no job runs).
    void Abort();
    // Sends the page and starts a blank one.
    void NewPage();
    // The printable area in printer pixels (300 per inch): A4 on the PDF-file printer; EPrinter when the
    // chosen printer has gone.
    int PageWidth();
    int PageHeight();
    bool Printing() const { return job_ != nullptr; }
    // Draws on the current page; drawing while no job runs raises EPrinter. Its font's size is in points at
    // 300 pixels per inch.
    TCanvas* Canvas() const;

private:
    struct TJob;
    class TPrinterCanvas;
    void OpenDevice(TJob& job);
    void SendPage();
    void EndJob();
    TJob* job_ = nullptr;
    TPrinterCanvas* canvas_ = nullptr;
    TStringList* printers_ = nullptr;
    std::string chosen_;  // the chosen printer's name; empty: the default
};

// The program's printer.
TPrinter* Printer();

// For tests: the page images the last job wrote to PNG pages, first to last.
int PrintedPageCount();
// Loads one of them into a bitmap (false when there is no such page).
bool LoadPrintedPage(int Index, TBitmap& Into);

}  // namespace zel
