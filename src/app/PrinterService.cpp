#include "app/PrinterService.h"

#include "platform/vcl/Printers.h"

namespace zel {

void TPrinterService::SetTitle(const std::string& title) { Printer()->Title = title; }

void TPrinterService::BeginDoc() {
    if (Printer()->Printing()) Printer()->Abort();
    Printer()->BeginDoc();
}

void TPrinterService::EndDoc() { Printer()->EndDoc(); }
void TPrinterService::NewPage() { Printer()->NewPage(); }
int TPrinterService::PageWidth() { return Printer()->PageWidth(); }
int TPrinterService::PageHeight() { return Printer()->PageHeight(); }

void TPrinterService::SetFont(const std::string& name, int size) {
    TFont* font = Printer()->Canvas()->Font();
    font->SetName(name);
    font->SetSize(size);
    font->SetPitch(fpDefault);
    font->SetStyle(TFontStyles());
}

int TPrinterService::TextWidth(const std::string& text) { return Printer()->Canvas()->TextWidth(text); }
int TPrinterService::TextHeight(const std::string& text) { return Printer()->Canvas()->TextHeight(text); }

void TPrinterService::TextOut(int x, int y, const std::string& text) { Printer()->Canvas()->TextOut(x, y, text); }

void TPrinterService::Line(int x1, int y1, int x2, int y2) {
    TCanvas* canvas = Printer()->Canvas();
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

IPrinter& ProgramPrinter() {
    static TPrinterService printer;
    return printer;
}

}  // namespace zel
