#pragma once
// The shell's special folders and item-identifier lists, on the Linux folders that stand in for them:
// application data is the XDG config folder, local application data the XDG data folder, documents the
// XDG documents folder (user-dirs.dirs), falling back to ~/Documents.
//
// An identifier list is a run of items, each starting with its 16-bit little-endian byte count (the count
// included), ended by an item whose count is 0. Here an item is that count, a kind byte and the item's name:
// a file-system item names one path component below "/", a virtual item carries its display name.
// The empty list is the desktop, the root of the namespace.
#include <cstddef>
#include <string>

#include "platform/win/WinTypes.h"

namespace zel {

struct SHITEMID {
    WORD cb = 0;
    BYTE abID[1] = {};
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;

constexpr int MAX_PATH = 260;

// Special folders known here; every other identifier fails.
constexpr int CSIDL_DESKTOP = 0x0000;        // the namespace root (virtual)
constexpr int CSIDL_PERSONAL = 0x0005;       // documents
constexpr int CSIDL_DRIVES = 0x0011;         // the computer (virtual)
constexpr int CSIDL_APPDATA = 0x001A;        // $XDG_CONFIG_HOME or ~/.config
constexpr int CSIDL_LOCAL_APPDATA = 0x001C;  // $XDG_DATA_HOME or ~/.local/share
constexpr int CSIDL_FLAG_CREATE = 0x8000;

// Item kinds (the byte after the count).
constexpr BYTE SHID_FSITEM = 1;
constexpr BYTE SHID_VIRTUAL = 2;

// Attribute bits.
constexpr DWORD SFGAO_HIDDEN = 0x00080000;
constexpr DWORD SFGAO_FOLDER = 0x20000000;

// A string that the shell hands back, in one of three forms: a wide string allocated through the shell
// allocator (the receiver frees it), an offset into the first item of an identifier list, or ANSI text held
// in the record.
constexpr UINT STRRET_WSTR = 0;
constexpr UINT STRRET_OFFSET = 1;
constexpr UINT STRRET_CSTR = 2;
struct STRRET {
    UINT uType = STRRET_CSTR;
    char16_t* pOleStr = nullptr;  // STRRET_WSTR, zero-terminated
    UINT uOffset = 0;             // STRRET_OFFSET
    char cStr[MAX_PATH] = {};     // STRRET_CSTR, zero-terminated unless it fills the array
};

// The shell allocator: identifier lists and shell strings are allocated and freed through it.
void* SHAlloc(std::size_t size);
void SHFree(void* p);

// The folder's file-system path into path (MAX_PATH bytes); FALSE for an unknown identifier, a virtual
// folder or a path too long. With create set (or CSIDL_FLAG_CREATE in csidl) a missing folder is created.
BOOL SHGetSpecialFolderPath(HWND owner, char* path, int csidl, BOOL create);
std::string SHGetSpecialFolderPathString(int csidl);  // empty on failure
// The same path through the folder-path call (token and flags as that call takes them; only the current
// path is served here): 0 on success, a negative value for an unknown identifier, a virtual folder or a
// path too long. Creates a missing folder when CSIDL_FLAG_CREATE is in csidl.
LONG SHGetFolderPath(HWND owner, int csidl, void* token, DWORD flags, char* path);
// A new identifier list (free it with SHFree) for the special folder; FALSE (and nullptr) for an unknown one.
BOOL SHGetSpecialFolderLocation(HWND owner, int csidl, LPITEMIDLIST* pidl);
// The file-system path of a list of file-system items into path (MAX_PATH bytes); FALSE for a list with a
// virtual item, the empty list, or a path too long.
BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, char* path);
// The display name of the list's first item (the desktop's name for the empty list); FALSE for nullptr.
BOOL SHGetItemDisplayName(LPCITEMIDLIST pidl, std::string* name);
// The whole list's normal display name: that of its last item ("Desktop" for the empty list).
BOOL SHGetListDisplayName(LPCITEMIDLIST pidl, std::string* name);
// The asked attributes of the list's last item: a virtual item or an existing directory is a folder; a
// file-system item whose name starts with "." is hidden. FALSE for nullptr or an item of unknown kind.
BOOL SHGetAttributesOf(LPCITEMIDLIST item, DWORD* attributes);

}  // namespace zel
