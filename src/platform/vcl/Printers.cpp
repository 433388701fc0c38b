#include "platform/vcl/Printers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/rtl/Charset.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Dialogs.h"
#include "platform/win/GdiQt.h"
#include "platform/win/QtApp.h"
#include "platform/win/ShellFolders.h"

namespace zel {

namespace {

TPrintTarget target = TPrintTarget::DefaultPrinter;
QString targetPath;
std::vector<QString> printedPages;  // the PNG files of the last job

QString PathToQ(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// The pages of a PDF or of PNG page images: the whole A4 sheet.
QPageLayout A4Layout() { return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()); }

QString ToQ(const std::string& ansi) { return QString::fromStdString(AnsiToUtf8(ansi)); }
std::string FromQ(const QString& text) { return Utf8ToAnsi(text.toStdString()); }

const QString pdfFilePrinter = QString::fromLatin1(TPrinter::PdfFilePrinterName);

[[noreturn]] void PrinterGone() { throw EPrinter("The printer is no longer installed"); }

// The system's printers, as the print target lets the program see them.
QStringList SystemPrinters() {
    if (target != TPrintTarget::DefaultPrinter) return {};
    EnsureQtApplication();
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.removeAll(pdfFilePrinter);
    return names;
}

QStringList PrinterNames() { return SystemPrinters() << pdfFilePrinter; }

// The printer a job goes to: the chosen one while it is there, else the system's default printer, else the
// PDF-file printer.
QString PrinterToUse(const std::string& chosen) {
    const QStringList system = SystemPrinters();
    const QString name = ToQ(chosen);
    if (name == pdfFilePrinter || system.contains(name)) return name;
    if (target == TPrintTarget::DefaultPrinter) {
        const QString systemDefault = QPrinterInfo::defaultPrinterName();
        if (system.contains(systemDefault)) return systemDefault;
    }
    return pdfFilePrinter;
}

std::unique_ptr<QPrinter> PdfDevice(const QString& file) {
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setOutputFormat(QPrinter::PdfFormat);
    device->setOutputFileName(file);
    device->setFullPage(true);
    device->setPageLayout(A4Layout());
    return device;
}

// Asks where the PDF-file printer writes the job: a save dialog in the documents folder, offering the
// job's name. EAbort when the user cancels.
std::string AskPdfFile(const std::string& title) {
    TSaveDialog dialog(nullptr);
    dialog.Title = "Print To PDF File";
    dialog.Filter = "PDF Files (*.pdf)|*.pdf";
    dialog.DefaultExt = "pdf";
    dialog.InitialDir = SHGetSpecialFolderPathString(CSIDL_PERSONAL);
    std::string name = title.empty() ? std::string("Print") : title;
    for (char& c : name)
        if (c == '/') c = '_';
    dialog.FileName = name + ".pdf";
    dialog.Options = TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing};
    if (!dialog.Execute() || dialog.FileName.empty()) throw EAbort();
    return dialog.FileName;
}

// The printable area at 300 dots per inch.
QSize PageSize(const QPageLayout& layout) {
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    return QSize(qRound(mm.width() / 25.4 * TPrinter::DotsPerInch), qRound(mm.height() / 25.4 * TPrinter::DotsPerInch));
}

QSize TargetPageSize(const std::string& chosen) {
    if (target != TPrintTarget::DefaultPrinter) return PageSize(A4Layout());
    EnsureQtApplication();
    const QString name = PrinterToUse(chosen);
    if (name == pdfFilePrinter) return PageSize(A4Layout());
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) PrinterGone();
    return PageSize(QPrinter(info, QPrinter::HighResolution).pageLayout());
}

}  // namespace

void SetPrintTarget(TPrintTarget Target, const std::string& Path) {
    target = Target;
    targetPath = PathToQ(Path);
    if (Target == TPrintTarget::PngPages && !targetPath.isEmpty()) QDir().mkpath(targetPath);
}

// A page is drawn through the canvas's DC: its text and lines go to the painter as text and lines, so that
// a PDF holds text to search and copy and a printer gets its own fonts' outlines; anything else the canvas
// draws lands in the page's image, transparent where nothing was drawn, which goes onto the page over them.
struct TPrinter::TJob {
    std::unique_ptr<QPrinter> device;
    // The PDF-file printer writes a temporary file beside the chosen one and renames it over that file
    // when the job ends, so a failed or aborted job leaves an old file of that name as it was.
    std::string pdfFile;
    QString pdfTemp;
    QPainter painter;  // on the device, or on the sheet for PNG pages
    QImage sheet;      // a PNG page: white, drawn on as a printer's page is
    QImage page;       // what the canvas draws as pixels
    HDC dc = nullptr;
    int pageNumber = 1;

    // Starts the painter on a blank PNG page.
    void StartSheet() {
        sheet.fill(Qt::white);
        if (!painter.begin(&sheet)) throw EPrinter("The page cannot be printed");
    }
};

// Draws on the job's current page; with no job running there is nothing to draw on.
class TPrinter::TPrinterCanvas : public TCanvas {
protected:
    void CreateHandle() override { throw EPrinter("Printing not in progress"); }
};

TPrinter::TPrinter() : canvas_(new TPrinterCanvas) { canvas_->Font()->PixelsPerInch = DotsPerInch; }

TPrinter::~TPrinter() {
    Abort();
    delete canvas_;
    delete printers_;
}

TCanvas* TPrinter::Canvas() const { return canvas_; }

int TPrinter::PageWidth() { return job_ != nullptr ? job_->page.width() : TargetPageSize(chosen_).width(); }
int TPrinter::PageHeight() { return job_ != nullptr ? job_->page.height() : TargetPageSize(chosen_).height(); }

TStrings* TPrinter::Printers() {
    if (printers_ == nullptr) printers_ = new TStringList;
    printers_->Clear();
    for (const QString& name : PrinterNames()) printers_->Add(FromQ(name));
    return printers_;
}

int TPrinter::GetPrinterIndex() { return static_cast<int>(PrinterNames().indexOf(PrinterToUse(chosen_))); }

void TPrinter::SetPrinterIndex(int Index) {
    const QStringList names = PrinterNames();
    if (Index < -1 || Index >= names.size()) throw EPrinter("Printer selection out of range");
    chosen_ = Index < 0 ? std::string() : FromQ(names[Index]);
}

// Opens the job's device: the chosen printer, the PDF file (asked for on the PDF-file printer), or none for
// PNG pages.
void TPrinter::OpenDevice(TJob& job) {
    EnsureQtApplication();
    switch (target) {
        case TPrintTarget::PngPages: return;
        case TPrintTarget::PdfFile: job.device = PdfDevice(targetPath); break;
        case TPrintTarget::DefaultPrinter:
        case TPrintTarget::NoPrinter: {
            const QString name = PrinterToUse(chosen_);
            if (name == pdfFilePrinter) {
                job.pdfFile = AskPdfFile(Title);
                QTemporaryFile temp(PathToQ(job.pdfFile) + ".tmp-XXXXXX");
                temp.setAutoRemove(false);
                if (!temp.open()) throw EPrinter("Cannot create file \"" + job.pdfFile + "\"");
                job.pdfTemp = temp.fileName();
                // A temporary file is private to its owner; the PDF is an ordinary document.
                temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
                job.device = PdfDevice(job.pdfTemp);
                break;
            }
            const QPrinterInfo info = QPrinterInfo::printerInfo(name);
            if (info.isNull()) PrinterGone();
            job.device = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            break;
        }
    }
    job.device->setDocName(ToQ(Title));
    job.device->setResolution(DotsPerInch);
}

void TPrinter::BeginDoc() {
    if (job_ != nullptr) throw EPrinter("Printing in progress");
    auto job = std::make_unique<TJob>();
    TScopeExit dropTemp([&] {
        if (job != nullptr && !job->pdfTemp.isEmpty()) QFile::remove(job->pdfTemp);
    });
    OpenDevice(*job);
    if (job->device != nullptr && !job->painter.begin(job->device.get()))
        throw EPrinter("The printer cannot be opened");
    const QSize size = job->device != nullptr ? PageSize(job->device->pageLayout()) : TargetPageSize(chosen_);
    if (size.isEmpty()) throw EPrinter("The printer has no printable area");
    job->page = QImage(size, QImage::Format_ARGB32_Premultiplied);
    job->page.fill(Qt::transparent);
    // The painter's units are pixels at 300 dots per inch, whatever resolution the device settled on.
    if (job->device != nullptr) {
        const double sx = job->device->logicalDpiX() / static_cast<double>(DotsPerInch);
        const double sy = job->device->logicalDpiY() / static_cast<double>(DotsPerInch);
        if (sx != 1.0 || sy != 1.0) job->painter.scale(sx, sy);
    } else {
        job->sheet = QImage(size, QImage::Format_RGB32);
        job->StartSheet();
    }
    job->dc = CreateImageDC(&job->page);
    SetDCVectorPainter(job->dc, &job->painter);
    for (const QString& file : printedPages) QFile::remove(file);
    printedPages.clear();
    job_ = job.release();
    canvas_->SetHandle(job_->dc);
}

void TPrinter::SendPage() {
    // Only where the canvas drew pixels does the page's image go onto the page.
    const QRect drawn = TakeDCTouchedArea(job_->dc).boundingRect() & job_->page.rect();
    if (!drawn.isEmpty()) job_->painter.drawImage(drawn, job_->page, drawn);
    if (job_->device == nullptr) {
        job_->painter.end();
        const QString file = QDir(targetPath).filePath(QString("page-%1.png").arg(job_->pageNumber));
        if (!job_->sheet.save(file, "PNG", 80)) throw EPrinter("The page cannot be printed");
        printedPages.push_back(file);
    }
}

void TPrinter::NewPage() {
    if (job_ == nullptr) throw EPrinter("Printing not in progress");
    SendPage();
    if (job_->device != nullptr && !job_->device->newPage()) throw EPrinter("The page cannot be printed");
    ++job_->pageNumber;
    job_->page.fill(Qt::transparent);
    if (job_->device == nullptr) job_->StartSheet();
}

void TPrinter::EndDoc() {
    if (job_ == nullptr) throw EPrinter("Printing not in progress");
    bool sent = true;
    {
        TScopeExit done([this] { EndJob(); });
        SendPage();
        if (job_->device != nullptr) sent = job_->painter.end();
        if (sent && !job_->pdfTemp.isEmpty()) {
            std::error_code error;
            std::filesystem::rename(QFile::encodeName(job_->pdfTemp).toStdString(), job_->pdfFile, error);
            if (error) throw EPrinter("Cannot create file \"" + job_->pdfFile + "\": " + error.message());
            job_->pdfTemp.clear();
        }
    }
    if (!sent) throw EPrinter("The page cannot be printed");
}

void TPrinter::Abort() {
    if (job_ == nullptr) return;
    if (job_->device != nullptr) job_->device->abort();
    EndJob();
}

void TPrinter::EndJob() {
    canvas_->SetHandle(nullptr);
    SetDCVectorPainter(job_->dc, nullptr);
    DeleteImageDC(job_->dc);
    if (job_->painter.isActive()) job_->painter.end();
    if (!job_->pdfTemp.isEmpty()) QFile::remove(job_->pdfTemp);
    delete job_;
    job_ = nullptr;
}

TPrinter* Printer() {
    // Made on first use and kept to the end: printing may be asked for up to the program's last moment.
    static TPrinter* printer = new TPrinter;
    return printer;
}

int PrintedPageCount() { return static_cast<int>(printedPages.size()); }

bool LoadPrintedPage(int Index, TBitmap& Into) {
    if (Index < 0 || Index >= PrintedPageCount()) return false;
    QImage image(printedPages[static_cast<std::size_t>(Index)]);
    if (image.isNull()) return false;
    Into.SetHandle(CreateBitmapFromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)));
    return true;
}

}  // namespace zel
