#pragma once
// Printed PDF files as a test sees them: the number of pages, and a page rendered to grey levels by
// poppler's pdftoppm (package poppler-utils), so that a test checks what the page shows.
#include <cstdint>
#include <string>
#include <vector>

namespace zel::test {

// The pages of a PDF file: its page objects.
int PdfPageCount(const std::string& pdf);

// Whether pdftoppm is on the PATH; a test that renders skips with a message naming the package when not.
bool PdfRendererInstalled();

// The text of a PDF file as poppler's pdftotext reads it (UTF-8, pages in order, each line of the page as a
// line), empty when it cannot be read.
std::string PdfText(const std::string& pdf);

// One rendered page, one byte of grey level (0 black, 255 white) per pixel.
struct TGreyPage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;
    bool Dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < Width && y < Height &&
               Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)] <
                   128;
    }
};

// Renders page Page (from 1) of a PDF file at Dpi dots per inch; a page of no pixels when it cannot. With
// a PngFile, the page is also written there as a PNG image to look at.
TGreyPage RenderPdfPage(const std::string& pdf, int Page, int Dpi, const std::string& PngFile = {});

}  // namespace zel::test
