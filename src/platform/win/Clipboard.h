#pragma once
// The clipboard and the global memory blocks that carry its data, with the shapes of the Win32 calls. The data
// is the desktop's clipboard (on the offscreen platform it stays inside the process). One format is known:
// CF_TEXT, Windows-1252 bytes up to the first NUL, lines ending in CR LF. Text that comes from the desktop
// holding characters outside that code page has them as '?'.
#include <string>

#include "platform/rtl/GlobalMemory.h"
#include "platform/win/WinTypes.h"

namespace zel {

// The clipboard's data travels in global memory blocks, as in Win32.
using HANDLE = HGLOBAL;

constexpr UINT CF_TEXT = 1;

// Opens the clipboard for the window (or the task, for nullptr); FALSE while another window has it open.
BOOL OpenClipboard(HWND newOwner);
BOOL CloseClipboard();
// Drops what the clipboard holds (the clipboard must be open); the opener becomes its owner.
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);
// The clipboard's block of the format (the clipboard must be open): it stays the clipboard's, valid until the
// clipboard is emptied or closed. nullptr when there is no such data.
HANDLE GetClipboardData(UINT format);
// Hands the block to the clipboard (which must be open and emptied by its opener); the caller no longer
// frees it or uses it. Answers the block, or nullptr when the format is unknown and the block stays the caller's.
HANDLE SetClipboardData(UINT format, HANDLE mem);
HWND GetClipboardOwner();

// The clipboard's CF_TEXT, opened for the window: its bytes up to the first NUL; empty when it holds none.
std::string ClipboardText(HWND hwnd);

}  // namespace zel
