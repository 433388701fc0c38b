#pragma once
// The model's printer: the printed listings go to the program's printer.
#include <string>

#include "model/ModelServices.h"

namespace zel {

class TPrinterService : public IPrinter {
public:
    void SetTitle(const std::string& title) override;
    // A job that a failed listing left running is dropped first, so that one failure does not refuse every
    // later listing.
    void BeginDoc() override;
    void EndDoc() override;
    void NewPage() override;
    int PageWidth() override;
    int PageHeight() override;
    void SetFont(const std::string& name, int size) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
};

// The one the program registers as the model's printer.
IPrinter& ProgramPrinter();

}  // namespace zel
