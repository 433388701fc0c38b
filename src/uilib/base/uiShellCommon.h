#pragma once
// Access to the shell namespace through item-identifier lists: walking and freeing lists, and turning them
// into file-system paths and display names.
#include <string>

#include "platform/rtl/SysUtils.h"
#include "platform/win/ShellFolders.h"

namespace zel {

// The edit controls library's exception; the special-folder table raises it when the shell cannot give a
// folder's attributes.
class EuiEditError : public Exception {
public:
    using Exception::Exception;
    std::string ClassName() const override { return "EuiEditError"; }
};

// Start-up binds the shell's path entry by name (without it, lists have no file-system paths); shutdown
// lets go of it.
void uiShellCommonStartup();
void uiShellCommonShutdown();

// Items before the terminator: 0 for nullptr; -1 when no terminator comes within 261 items.
int PidlItemCount(LPCITEMIDLIST Pidl);
// The item after Item; nullptr for nullptr or for the terminator.
LPITEMIDLIST PidlNextItem(LPCITEMIDLIST Item);
// The last item with a non-zero count; the list itself when it is empty or nullptr.
LPITEMIDLIST PidlLastItem(LPCITEMIDLIST Pidl);
// Frees a list through the shell allocator; nullptr is ignored.
void PidlFree(LPITEMIDLIST Pidl);
// The file-system path of a list; empty for nullptr or a list without one.
std::string PidlGetPath(LPCITEMIDLIST Pidl);
// The text of a shell string record: the wide string as ANSI (then freed through the shell allocator and
// cleared), the ANSI text at the offset inside Pidl's first item (up to that item's end), or the record's
// own ANSI text (at most MAX_PATH bytes). Empty for a wide record without a string, an offset at or beyond
// the first item's byte count (or no list), and an unknown kind.
std::string StrRetText(STRRET& StrRet, LPCITEMIDLIST Pidl);
// With FullPath: the file-system path, or else the items' names joined with "\" (stopping at the first
// item without a name). Without: the list's normal display name.
std::string PidlGetDisplayName(LPCITEMIDLIST Pidl, bool FullPath);

}  // namespace zel
