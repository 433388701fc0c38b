#pragma once
// HTML help shown in the program's help window.
//
// A help file is a folder (named like a compiled help file, e.g. "ZELMO.chm") holding HTML pages and:
//   index.htm     the contents, shown for the table of contents and whenever a request names no known page;
//   keywords.txt  lines "keyword=page" (keywords compared without case);
//   context.txt   lines "number=page".
// Blank lines and lines starting with ';' are skipped. A page must lie inside the folder.
// The file argument may name a page after "::/" ("ZELMO.chm::/keyboard.htm").
#include <string>

#include "platform/win/WinTypes.h"

namespace zel {

constexpr UINT HH_DISPLAY_TOPIC = 0x0000;  // the page the file argument names (after "::/")
constexpr UINT HH_DISPLAY_TOC = 0x0001;    // the contents
constexpr UINT HH_DISPLAY_INDEX = 0x0002;  // the page of the keyword (a const char* in Data)
constexpr UINT HH_HELP_CONTEXT = 0x000F;   // the page of the context number in Data
constexpr UINT HH_CLOSE_ALL = 0x0012;      // closes the help window (no file needed)

// Serves a help command; answers the help window, or nullptr when the command closed it, is unknown, or the
// help folder or its contents page cannot be found (nothing is shown then).
HWND HtmlHelp(HWND Caller, const std::string& File, UINT Command, DWORD_PTR Data);

// What the help window shows, for tests: whether it is open, the page's full path and its title.
struct THelpWindowState {
    bool Visible = false;
    std::string Page;
    std::string Title;
};
THelpWindowState HelpWindowState();
// Writes a picture of the open help window as PNG; false when it is closed or the file cannot be written.
bool SaveHelpWindowImage(const std::string& FileName);

}  // namespace zel
