#include "support/PdfPages.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "support/TempDir.h"

namespace zel::test {

int PdfPageCount(const std::string& pdf) {
    const std::string bytes = ReadAll(pdf);
    const std::regex pageObject("/Type\\s*/Page[^s]");
    return static_cast<int>(
        std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), pageObject), std::sregex_iterator()));
}

bool PdfRendererInstalled() { return std::system("command -v pdftoppm >/dev/null 2>&1") == 0; }

namespace {

// pdftoppm on one page; Format is "-gray" (a PGM file) or "-png". Out is the file's name without its
// extension.
bool Render(const std::string& pdf, int Page, int Dpi, const char* Format, const std::string& Out) {
    std::ostringstream command;
    command << "pdftoppm " << Format << " -singlefile -r " << Dpi << " -f " << Page << " -l " << Page << " '" << pdf
            << "' '" << Out << "' 2>/dev/null";
    return std::system(command.str().c_str()) == 0;
}

}  // namespace

std::string PdfText(const std::string& pdf) {
    TempDir dir;
    const std::string out = dir.File("text.txt");
    const std::string command = "pdftotext -layout '" + pdf + "' '" + out + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    return ReadAll(out);
}

TGreyPage RenderPdfPage(const std::string& pdf, int Page, int Dpi, const std::string& PngFile) {
    if (!PngFile.empty()) {
        const std::filesystem::path png(PngFile);
        Render(pdf, Page, Dpi, "-png", (png.parent_path() / png.stem()).string());
    }
    TempDir dir;
    const std::string out = dir.File("page");
    TGreyPage page;
    if (!Render(pdf, Page, Dpi, "-gray", out)) return page;
    // A binary PGM: "P5", width, height, the largest value (255), one blank, then the pixels.
    std::ifstream in(out + ".pgm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> page.Width >> page.Height >> maxValue;
    in.get();
    if (!in || magic != "P5" || maxValue != 255 || page.Width <= 0 || page.Height <= 0) return {};
    page.Pixels.resize(static_cast<std::size_t>(page.Width) * static_cast<std::size_t>(page.Height));
    in.read(reinterpret_cast<char*>(page.Pixels.data()), static_cast<std::streamsize>(page.Pixels.size()));
    if (!in) return {};
    return page;
}

}  // namespace zel::test
