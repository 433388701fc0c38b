#include "platform/vcl/Printers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>
#include <vector>

#include "platform/rtl/Charset.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/GdiQt.h"
#include "platform/win/QtApp.h"

namespace zel {

namespace {

TPrintTarget target = TPrintTarget::DefaultPrinter;
QString targetPath;
std::vector<QString> printedPages;  // the PNG files of the last job

QString PathToQ(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// The pages of a PDF or of PNG page images: the whole A4 sheet.
QPageLayout A4Layout() { return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()); }

[[noreturn]] void NoPrinter() { throw EPrinter("There is no default printer"); }

// The device a job prints on: the default printer or the PDF file, made ready for painting; nullptr for
// PNG pages. Raises when there is none.
std::unique_ptr<QPrinter> OpenDevice(const std::string& title) {
    EnsureQtApplication();
    std::unique_ptr<QPrinter> device;
    switch (target) {
        case TPrintTarget::NoPrinter: NoPrinter();
        case TPrintTarget::PngPages: return nullptr;
        case TPrintTarget::PdfFile:
            device = std::make_unique<QPrinter>(QPrinter::HighResolution);
            device->setOutputFormat(QPrinter::PdfFormat);
            device->setOutputFileName(targetPath);
            device->setFullPage(true);
            device->setPageLayout(A4Layout());
            break;
        case TPrintTarget::DefaultPrinter: {
            const QPrinterInfo info = QPrinterInfo::defaultPrinter();
            if (info.isNull()) NoPrinter();
            device = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            break;
        }
    }
    device->setDocName(QString::fromStdString(AnsiToUtf8(title)));
    return device;
}

// The printable area at 300 dots per inch.
QSize PageSize(const QPageLayout& layout) {
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    return QSize(qRound(mm.width() / 25.4 * TPrinter::DotsPerInch), qRound(mm.height() / 25.4 * TPrinter::DotsPerInch));
}

QSize TargetPageSize() {
    switch (target) {
        case TPrintTarget::NoPrinter: NoPrinter();
        case TPrintTarget::PdfFile:
        case TPrintTarget::PngPages: return PageSize(A4Layout());
        case TPrintTarget::DefaultPrinter: break;
    }
    EnsureQtApplication();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) NoPrinter();
    return PageSize(QPrinter(info, QPrinter::HighResolution).pageLayout());
}

}  // namespace

void SetPrintTarget(TPrintTarget Target, const std::string& Path) {
    target = Target;
    targetPath = PathToQ(Path);
    if (Target == TPrintTarget::PngPages && !targetPath.isEmpty()) QDir().mkpath(targetPath);
}

struct TPrinter::TJob {
    std::unique_ptr<QPrinter> device;
    QPainter painter;
    QImage page;
    HDC dc = nullptr;
    int pageNumber = 1;
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
}

TCanvas* TPrinter::Canvas() const { return canvas_; }

int TPrinter::PageWidth() { return job_ != nullptr ? job_->page.width() : TargetPageSize().width(); }
int TPrinter::PageHeight() { return job_ != nullptr ? job_->page.height() : TargetPageSize().height(); }

void TPrinter::BeginDoc() {
    if (job_ != nullptr) throw EPrinter("Printing in progress");
    auto job = std::make_unique<TJob>();
    job->device = OpenDevice(Title);
    if (job->device != nullptr) {
        job->device->setResolution(DotsPerInch);
        if (!job->painter.begin(job->device.get())) throw EPrinter("The printer cannot be opened");
    }
    const QSize size = job->device != nullptr ? PageSize(job->device->pageLayout()) : TargetPageSize();
    if (size.isEmpty()) throw EPrinter("The printer has no printable area");
    job->page = QImage(size, QImage::Format_RGB32);
    job->page.fill(Qt::white);
    job->dc = CreateImageDC(&job->page);
    for (const QString& file : printedPages) QFile::remove(file);
    printedPages.clear();
    job_ = job.release();
    canvas_->SetHandle(job_->dc);
}

void TPrinter::SendPage() {
    if (job_->device != nullptr) {
        job_->painter.drawImage(job_->painter.viewport(), job_->page);
    } else {
        const QString file = QDir(targetPath).filePath(QString("page-%1.png").arg(job_->pageNumber));
        if (!job_->page.save(file, "PNG", 80)) throw EPrinter("The page cannot be printed");
        printedPages.push_back(file);
    }
}

void TPrinter::NewPage() {
    if (job_ == nullptr) throw EPrinter("Printing not in progress");
    SendPage();
    if (job_->device != nullptr && !job_->device->newPage()) throw EPrinter("The page cannot be printed");
    ++job_->pageNumber;
    job_->page.fill(Qt::white);
}

void TPrinter::EndDoc() {
    if (job_ == nullptr) throw EPrinter("Printing not in progress");
    bool sent = true;
    {
        TScopeExit done([this] { EndJob(); });
        SendPage();
        if (job_->device != nullptr) sent = job_->painter.end();
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
    DeleteImageDC(job_->dc);
    if (job_->painter.isActive()) job_->painter.end();
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
