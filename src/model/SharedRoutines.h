#pragma once
// The small services that the windows share: auditions (a note or a MIDI file), note names, the place of
// a new editor window, the library behind a window, the text that names where an element lives, the
// filter-type pictogram, the printed listings, the data folder, string and file helpers, and the set-up
// at program start.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/LibElem.h"
#include "platform/rtl/Streams.h"

namespace zel {

class TLibrary;

// ---------------------------------------------------------------------------------------------- audition

// The note an audition plays: with a rhythm key editor active, 36 + the key its selector shows;
// otherwise the configured preview note.
int PreviewNote();
// The status byte of a channel message on PreviewChannel (1-based, held to 1..16): 90H for a note-on
// gives 90H + channel - 1.
std::uint8_t ChannelStatus(std::uint8_t command);
// The velocity of a preview note or a note of the on-screen keyboard: the low byte of the configured
// velocity as a data byte, values above 127 held at 127; 0 without settings.
std::uint8_t PreviewVelocity();
// Starts an audition: the audition cursor, then (while the ports are usable) a note-on on PreviewChannel
// with the configured velocity, or the configured MIDI file through the media player with the ports
// closed. A file that cannot be played: default cursor, "Unable to Open Midi File.", ports opened again,
// and the failure raised to the caller.
void StartPreview();
// Ends it: the default cursor, then the note-off of the note it switched on, or the player stopped and
// the ports it closed opened again. Ports it never closed stay as they are; with nothing started, single
// note mode still sends the configured note's note-off.
void StopPreview();
// True while an audition has a note sounding or the ports closed for its player.
bool AuditionRunning();
// Forgets the running audition without ending it (a test's fresh start, or a port dialog that is gone).
void ForgetAudition();

// ------------------------------------------------------------------------------------------ note names

// "C 4" for 60, "C -1" for 0, "C# 4" for 61: the name, a blank, and the octave n div 12 - 1.
std::string NoteToText(int Note);

// ------------------------------------------------------------------------------------- window services

// Where a new child window goes when it was never placed (StoredTop -1): from where the platform put it
// (PlacedLeft, PlacedTop) it moves up to stay 46 pixels above the bottom of the client area and left to
// end one pixel inside its right edge; a window larger than the client area stops at 0.
void ChooseMdiChildPosition(int& Left, int& Top, int Width, int Height, int ClientWidth, int ClientHeight);
// Places a child window of the main window at the stored position, choosing and storing one first when
// the stored top is -1.
void PlaceMdiChild(std::int16_t& StoredLeft, std::int16_t& StoredTop, TObject* Window);

// The library behind a window (the library window's own, or the root library of the element an element,
// container or editor window shows); none for any other window.
TLibrary* LibraryOfForm(TObject* Window);

// Where an element lives, for captions and listings: its owner's name, or for a member of a bank inside
// a global the global's name, "\" and the bank's name. Empty for an element without owner.
std::string OwnerPathText(const TLibElem* Element);

// ------------------------------------------------------------------------------------ filter pictogram

struct TPicturePoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPicturePoint&) const = default;
};

enum class TPictureShapeKind {
    Polygon,  // filled with aqua, framed black: Points are the corners
    Line,     // Points[0] to Points[1]
    Arc,      // the ellipse inside the rectangle Points[0]-Points[1], counter-clockwise from Points[2]
              // to Points[3]
    Text,     // Text at Points[0]
};

struct TPictureShape {
    TPictureShapeKind Kind = TPictureShapeKind::Line;
    std::vector<TPicturePoint> Points;
    std::string Text;
    bool operator==(const TPictureShape&) const = default;
};

struct TFilterPicture {
    std::vector<TPictureShape> Shapes;   // drawn in order, in black
    std::optional<std::string> Caption;  // the label's new caption; none leaves it as it was
};

// The pictogram of a filter type (0 off, 1 low pass, 2 band pass, 3 high pass, 4 peaking) on an image of
// Width x Height; the label that names it takes the image's width.
TFilterPicture FilterPicture(int Width, int Height, int FilterType);

// ------------------------------------------------------------------------------------------ data folder

inline constexpr const char* DataFolderName = "ZelmoviXP";

// The data folder inside the maker's folder (under the user's documents folder), made when missing.
// A folder that cannot be made raises EInOutError. The window layer registers it as the DataFolder
// provider of the model services.
std::string MakeDataFolder(const std::string& MakerFolder);

// -------------------------------------------------------------------------------------------- printing

inline constexpr const char* PrintDocumentTitle = "Zelmovi";
// The page counter of the running print job.
extern int PageNumber;

// The height of a listing row: the text height of "HHHHH" x 4 / 3.
int PrintLineHeight();
// Page 1; the job starts with the printer font "Courier New" 10.
void BeginPrint();
// "Page Nº n" centred near the bottom of the page; the counter rises by 1.
void PrintPageFooter();
// The last footer, then the job ends.
void EndPrint();
void PrintCentered(int Y, const std::string& Text);
// A rule across the page at Y.
void PrintRule(int Y);
// One table row at Y: type, name, location, modified date and time, and with WithLocation the owner
// path.
void PrintElementRow(int Y, const TLibElem& Element, bool WithLocation);
// An element's lines of a listing (the PrintLine of a single element): a new page when the row does not
// fit, the row between two rules; Y moves past it.
void PrintElementLines(const TLibElem& Element, int& Y, bool WithLocation);
// A bank's lines: the heading (with its global for a bank inside one), then one row per member, with
// page breaks between rows.
void PrintBankLines(const TLibElem& Bank, std::span<const TLibElem* const> Members, int& Y, bool WithLocation);
// A whole library's listing as one job: a frame across the top of the first page around the heading
// "Library <name>   Printed <date>  <time>", then the lines of every element in list order.
void PrintLibraryListing(TLibrary& Library);

// ------------------------------------------------------------------------------------ strings and files

std::string Spaces(int Count);
// The decimal number with leading "0" up to Width (a minus sign stays in front).
std::string IntToZeroPadded(long long Number, int Width);
std::string TrimTrailingBlanks(const std::string& Text);
std::string RemoveBlanks(const std::string& Text);
void ClearBytes(void* Buffer, std::size_t Count);
// True when all Count bytes were moved; a failure of the stream raises.
bool FileWriteBytes(TStream& File, const void* Buffer, std::size_t Count);
bool FileReadBytes(TStream& File, void* Buffer, std::size_t Count);

// --------------------------------------------------------------------------------------------- start-up

// The program's folder, without a trailing separator (except for a root folder).
extern std::string ProgramFolder;
// The program-start set-up, before any window exists: no current elements, previews on channel 1, the
// program's folder taken from the executable's path and made the working directory, the XP format off.
void InitSharedRoutines(const std::string& ExecutablePath);

}  // namespace zel
