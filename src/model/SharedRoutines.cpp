#include "model/SharedRoutines.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "model/CurrentElements.h"
#include "model/Library.h"
#include "model/ModelServices.h"
#include "model/Settings.h"
#include "model/SysexFraming.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

int PageNumber = 0;
std::string ProgramFolder;

namespace {

IModelWindows* Windows() { return ModelServices().Windows; }

TConfig* Config() { return ZelmoHolder != nullptr ? ZelmoHolder->Config.get() : nullptr; }

void SetCursor(int cursor) {
    if (IModelWindows* w = Windows()) w->SetScreenCursor(cursor);
}

// A data byte of a short message: seven bits, values above 127 held at 127.
std::uint8_t DataByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

IPrinter& Printer() {
    IPrinter* printer = ModelServices().Printer;
    if (printer == nullptr) throw EInvalidOperation("No printer");
    return *printer;
}

}  // namespace

// ---------------------------------------------------------------------------------------------- audition

std::uint8_t ChannelStatus(std::uint8_t command) {
    const int channel = std::clamp(PreviewChannel, 1, 16);
    return static_cast<std::uint8_t>(command + channel - 1);
}

std::uint8_t PreviewVelocity() {
    const TConfig* config = Config();
    return config != nullptr ? DataByte(config->Velocity & 0xFF) : 0;
}

int PreviewNote() {
    if (IModelWindows* w = Windows()) {
        if (const std::optional<int> key = w->ActiveRhythmKeyIndex()) return 36 + *key;
    }
    const TConfig* config = Config();
    return config != nullptr ? config->Note : 0;
}

namespace {

// What the running audition did, so that its end undoes exactly that: the note it switched on, and
// whether it closed the ports for the player.
struct TAudition {
    bool NoteOn = false;
    std::uint8_t Status = 0;
    std::uint8_t Note = 0;
    bool PortsClosed = false;
};
TAudition Audition;

void EndNote(IMidiPorts* ports) {
    if (!Audition.NoteOn) return;
    Audition.NoteOn = false;
    if (ports != nullptr)
        SendShortMessage(static_cast<std::uint8_t>(0x80 | (Audition.Status & 0x0F)), Audition.Note, 0);
}

// Opens the ports the audition closed; a port that cannot open again is reported by the port dialog.
void ReopenPorts(IMidiPorts* ports) {
    if (!Audition.PortsClosed) return;
    Audition.PortsClosed = false;
    if (ports != nullptr) ports->OpenDevs();
}

}  // namespace

void StartPreview() {
    SetCursor(AuditionCursor);
    if (DevicesOpen == 0) return;
    const TConfig* config = Config();
    if (config == nullptr) return;
    IMidiPorts* ports = ModelServices().MidiPorts;
    if (config->SingleNote != 0) {
        // A note still sounding from an earlier start would never be switched off.
        EndNote(ports);
        if (ports != nullptr) {
            Audition.Status = ChannelStatus(0x90);
            Audition.Note = DataByte(PreviewNote());
            SendShortMessage(Audition.Status, Audition.Note, PreviewVelocity());
            Audition.NoteOn = true;
        }
        return;
    }
    // The operating system's player needs the MIDI device for itself; a note left sounding goes off first.
    EndNote(ports);
    if (ports != nullptr && !Audition.PortsClosed) {
        ports->CloseDevs();
        Audition.PortsClosed = true;
    }
    try {
        IMidiFilePlayer* player = ModelServices().MidiFilePlayer;
        if (player == nullptr) throw EInOutError("Unable to Open Midi File.");
        player->Play(config->Midifile);
    } catch (const std::exception&) {
        SetCursor(DefaultCursor);
        ShowMessageBox("Unable to Open Midi File.", TMessageKind::Information, TMessageButtons::OK);
        ReopenPorts(ports);
        throw;
    }
}

void StopPreview() {
    SetCursor(DefaultCursor);
    IMidiPorts* ports = ModelServices().MidiPorts;
    // What this audition started ends, whatever the settings say now.
    const bool started = Audition.NoteOn || Audition.PortsClosed;
    if (Audition.PortsClosed) {
        if (IMidiFilePlayer* player = ModelServices().MidiFilePlayer) player->Stop();
        ReopenPorts(ports);
    }
    if (DevicesOpen == 0) {
        Audition.NoteOn = false;
        return;
    }
    if (Audition.NoteOn) {
        EndNote(ports);
        return;
    }
    if (started) return;
    // Nothing was started: in single-note mode the configured note is switched off all the same, which
    // the instrument ignores when it does not sound; the ports were never closed, so none is opened.
    const TConfig* config = Config();
    if (config == nullptr) return;
    if (config->SingleNote != 0 && ports != nullptr) SendShortMessage(ChannelStatus(0x80), DataByte(PreviewNote()), 0);
}

bool AuditionRunning() { return Audition.NoteOn || Audition.PortsClosed; }

void ForgetAudition() { Audition = TAudition{}; }

// ------------------------------------------------------------------------------------------ note names

std::string NoteToText(int Note) {
    static const char* const names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    // Floor division, so that a note below 0 still names a note instead of reading outside the table.
    int octave = Note / 12;
    int index = Note % 12;
    if (index < 0) {
        index += 12;
        --octave;
    }
    return std::string(names[index]) + " " + std::to_string(octave - 1);
}

// ------------------------------------------------------------------------------------- window services

void ChooseMdiChildPosition(int& Left, int& Top, int Width, int Height, int ClientWidth, int ClientHeight) {
    if (Top + Height >= ClientHeight - 45) Top = std::max(0, ClientHeight - Height - 46);
    if (Left + Width >= ClientWidth) Left = std::max(0, ClientWidth - Width - 1);
}

void PlaceMdiChild(std::int16_t& StoredLeft, std::int16_t& StoredTop, TObject* Window) {
    IModelWindows* w = Windows();
    if (w == nullptr || Window == nullptr) return;
    if (StoredTop == -1) {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        int clientWidth = 0;
        int clientHeight = 0;
        if (w->GetWindowPosition(Window, left, top) && w->GetWindowSize(Window, width, height) &&
            w->GetMainClientSize(clientWidth, clientHeight)) {
            ChooseMdiChildPosition(left, top, width, height, clientWidth, clientHeight);
        }
        StoredLeft = static_cast<std::int16_t>(left);
        StoredTop = static_cast<std::int16_t>(top);
    }
    w->MoveWindow(Window, StoredLeft, StoredTop);
}

TLibrary* LibraryOfForm(TObject* Window) {
    IModelWindows* w = Windows();
    if (w == nullptr || Window == nullptr) return nullptr;
    TLibElem* element = w->ElementOfWindow(Window);
    if (element == nullptr) return nullptr;
    if (element->Owner == nullptr) return dynamic_cast<TLibrary*>(element);
    return dynamic_cast<TLibrary*>(OwnerRoot(element));
}

std::string OwnerPathText(const TLibElem* Element) {
    if (Element == nullptr || Element->Owner == nullptr) return std::string();
    const TLibElem* owner = Element->Owner;
    const TLibElem* ownersOwner = owner->Owner;
    if (ownersOwner == nullptr || ownersOwner->Owner == nullptr) return owner->GetName();
    return ownersOwner->GetName() + "\\" + owner->GetName();
}

// ------------------------------------------------------------------------------------ filter pictogram

namespace {

TPictureShape Line(int x1, int y1, int x2, int y2) { return {TPictureShapeKind::Line, {{x1, y1}, {x2, y2}}, {}}; }

TPictureShape Arc(int l, int t, int r, int b, int sx, int sy, int ex, int ey) {
    return {TPictureShapeKind::Arc, {{l, t}, {r, b}, {sx, sy}, {ex, ey}}, {}};
}

}  // namespace

TFilterPicture FilterPicture(int W, int H, int FilterType) {
    TFilterPicture p;
    const int c = W / 2;
    p.Shapes.push_back({TPictureShapeKind::Polygon, {{0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}}, {}});
    if (FilterType != 0) {
        p.Shapes.push_back(Line(4, H - 4, W - 4, H - 4));
        p.Shapes.push_back(Line(W - 6, H - 5, W - 6, H - 2));
        p.Shapes.push_back(Line(4, 4, 4, H - 4));
        p.Shapes.push_back(Line(3, 5, 6, 5));
    }
    switch (FilterType) {
        case 0:
            p.Shapes.push_back({TPictureShapeKind::Text, {{20, 12}}, "OFF"});
            p.Caption = "No Filter";
            break;
        case 1:
            p.Shapes.push_back(Line(4, 20, 34, 20));
            p.Shapes.push_back(Line(42, 24, 46, H - 4));
            p.Shapes.push_back(Arc(19, 20, 44, 35, 39, 25, 34, 20));
            p.Caption = "Low Pass";
            break;
        case 2:
            p.Shapes.push_back(Arc(c - 9, H - 14, c + 9, H + 16, c + 9, H - 4, c - 9, H - 4));
            p.Caption = "Band Pass";
            break;
        case 3:
            p.Shapes.push_back(Line(W - 6, 20, 23, 20));
            p.Shapes.push_back(Line(15, 26, 10, H - 4));
            p.Shapes.push_back(Arc(43, 20, 15, 35, 23, 20, 15, 27));
            p.Caption = "High Pass";
            break;
        case 4:
            p.Shapes.push_back(Arc(c - 9, H - 27, c + 9, H - 4, c + 9, H - 19, c - 9, H - 19));
            p.Shapes.push_back(Line(4, H - 19, c - 8, H - 19));
            p.Shapes.push_back(Line(c + 9, H - 19, W - 6, H - 19));
            p.Caption = "Peaking";
            break;
        default: break;
    }
    return p;
}

// ------------------------------------------------------------------------------------------ data folder

std::string MakeDataFolder(const std::string& MakerFolder) {
    const std::string folder = IncludeTrailingPathDelimiter(MakerFolder) + DataFolderName;
    if (!DirectoryExists(folder) && !ForceDirectories(folder))
        throw EInOutError("Unable to create the folder " + folder);
    return folder;
}

// -------------------------------------------------------------------------------------------- printing

int PrintLineHeight() { return Printer().TextHeight("HHHHH") * 4 / 3; }

namespace {

constexpr const char* PrintFontName = "Courier New";
constexpr int PrintFontSize = 10;
constexpr int SmallestPrintFontSize = 6;

// A table cell's text from x, at most Room pixels wide: a text too wide for the listing's font is printed in
// the largest smaller size that fits (down to 6 points), centred on the same line, so that it stays inside
// its cell and the table's border (a date with a 12-hour time, a long owner path).
void PrintCellText(int X, int Y, int Room, const std::string& Text) {
    IPrinter& printer = Printer();
    int size = PrintFontSize;
    const int height = printer.TextHeight("HHHHH");
    while (size > SmallestPrintFontSize && printer.TextWidth(Text) > Room) printer.SetFont(PrintFontName, --size);
    printer.TextOut(X, Y + (height - printer.TextHeight("HHHHH")) / 2, Text);
    if (size != PrintFontSize) printer.SetFont(PrintFontName, PrintFontSize);
}

}  // namespace

void BeginPrint() {
    IPrinter& printer = Printer();
    PageNumber = 1;
    printer.SetTitle(PrintDocumentTitle);
    printer.BeginDoc();
    printer.SetFont(PrintFontName, PrintFontSize);
}

void PrintPageFooter() {
    IPrinter& printer = Printer();
    PrintCentered(printer.PageHeight() - PrintLineHeight() - 70, "Page N\xBA " + std::to_string(PageNumber));
    ++PageNumber;
}

void EndPrint() {
    PrintPageFooter();
    Printer().EndDoc();
}

void PrintCentered(int Y, const std::string& Text) {
    IPrinter& printer = Printer();
    printer.TextOut((printer.PageWidth() - (printer.TextWidth(Text) + 20)) / 2, Y, Text);
}

void PrintRule(int Y) {
    IPrinter& printer = Printer();
    printer.Line(30, Y, printer.PageWidth() - 90, Y);
}

void PrintElementRow(int Y, const TLibElem& Element, bool WithLocation) {
    IPrinter& printer = Printer();
    const int h = PrintLineHeight();
    const int w = printer.PageWidth() - 60;
    const int c = WithLocation ? w / 5 : w / 4;
    const int s = WithLocation ? w / 15 : 0;
    std::vector<int> columns = {30, c + 30, 2 * c + 30, 3 * c - s + 30};
    if (WithLocation) columns.push_back(4 * c - s + 30);
    for (int x : columns) printer.Line(x, Y, x, Y + h);
    printer.Line(w - 30, Y, w - 30, Y + h);

    std::vector<std::string> texts = {Element.TypeName(), Element.GetName(), Element.LocationText(),
                                      DateToStr(Element.ModifiedDate) + "  " + TimeToStr(Element.ModifiedTime)};
    if (WithLocation) texts.push_back("Loc : " + OwnerPathText(&Element));
    const int textY = Y + (h - printer.TextHeight("HHHHH")) / 2;
    columns.push_back(w - 30);
    for (std::size_t i = 0; i < texts.size(); ++i)
        PrintCellText(columns[i] + 10, textY, columns[i + 1] - columns[i] - 20, texts[i]);
}

namespace {

// A new page when a row of height h no longer fits below Y.
bool RowDoesNotFit(int Y, int h) { return Printer().PageHeight() < 2 * h + Y + 70; }

}  // namespace

void PrintElementLines(const TLibElem& Element, int& Y, bool WithLocation) {
    const int h = PrintLineHeight();
    if (RowDoesNotFit(Y, h)) {
        PrintPageFooter();
        Printer().NewPage();
        Y = 10;
    }
    PrintRule(Y - 1);
    PrintElementRow(Y, Element, WithLocation);
    PrintRule(Y + h + 1);
    Y += h + 70;
}

void PrintBankLines(const TLibElem& Bank, std::span<const TLibElem* const> Members, int& Y, bool WithLocation) {
    const int h = PrintLineHeight();
    if (RowDoesNotFit(Y, h)) {
        PrintPageFooter();
        Printer().NewPage();
        Y = 10;
    }
    std::string heading = Bank.TypeName() + " " + Bank.GetName();
    if (Bank.Owner != nullptr && Bank.Owner->ElemType == etGlobal)
        heading += " [ Global : " + Bank.Owner->GetName() + " ]";
    PrintCentered(Y, heading);
    Y += h + 10;
    PrintRule(Y - 1);
    for (const TLibElem* member : Members) {
        if (member == nullptr) continue;
        if (RowDoesNotFit(Y, h)) {
            PrintRule(Y + 1);
            PrintPageFooter();
            Printer().NewPage();
            Y = 10;
            PrintRule(9);
        }
        PrintElementRow(Y, *member, WithLocation);
        Y += h;
    }
    PrintRule(Y + 1);
    Y += h + 70;
}

void PrintLibraryListing(TLibrary& Library) {
    BeginPrint();
    IPrinter& printer = Printer();
    const int h = PrintLineHeight();
    const int right = printer.PageWidth() - 60 - 1;
    const int bottom = 3 * h - 1;
    printer.Line(30, 0, right, 0);
    printer.Line(right, 0, right, bottom);
    printer.Line(right, bottom, 30, bottom);
    printer.Line(30, bottom, 30, 0);
    const TDateTime now = Now();
    PrintCentered(h,
                  "Library " + Library.GetName() + "                Printed " + DateToStr(now) + "  " + TimeToStr(now));
    int y = 4 * h + 10;
    for (auto& element : Library.Elements) element->PrintLine(y, false);
    EndPrint();
}

// ------------------------------------------------------------------------------------ strings and files

std::string Spaces(int Count) { return std::string(static_cast<std::size_t>(std::max(0, Count)), ' '); }

std::string IntToZeroPadded(long long Number, int Width) {
    const bool negative = Number < 0;
    std::string digits = std::to_string(Number);
    if (negative) digits.erase(0, 1);
    const int room = Width - static_cast<int>(digits.size()) - (negative ? 1 : 0);
    if (room > 0) digits.insert(0, static_cast<std::size_t>(room), '0');
    return negative ? "-" + digits : digits;
}

std::string TrimTrailingBlanks(const std::string& Text) {
    const std::size_t end = Text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : Text.substr(0, end + 1);
}

std::string RemoveBlanks(const std::string& Text) {
    std::string r;
    r.reserve(Text.size());
    for (char ch : Text)
        if (ch != ' ') r += ch;
    return r;
}

void ClearBytes(void* Buffer, std::size_t Count) {
    if (Count != 0) std::memset(Buffer, 0, Count);
}

bool FileWriteBytes(TStream& File, const void* Buffer, std::size_t Count) {
    return File.Write(Buffer, static_cast<std::int64_t>(Count)) == static_cast<std::int64_t>(Count);
}

bool FileReadBytes(TStream& File, void* Buffer, std::size_t Count) {
    return File.Read(Buffer, static_cast<std::int64_t>(Count)) == static_cast<std::int64_t>(Count);
}

// --------------------------------------------------------------------------------------------- start-up

void InitSharedRoutines(const std::string& ExecutablePath) {
    ResetCurrentElements();
    ForgetAudition();
    XpFormat = 0;
    std::string folder = ExtractFilePath(ExecutablePath);
    if (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    ProgramFolder = folder;
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::current_path(folder, ec);
    }
}

}  // namespace zel
