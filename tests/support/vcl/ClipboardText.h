#pragma once
// Text put on the clipboard through the layer's Win32-shaped calls, as another program would put it.
#include <cstring>
#include <string>

#include "platform/rtl/GlobalMemory.h"
#include "platform/win/Clipboard.h"

namespace zel::test {

// Puts Windows-1252 text on the clipboard (CF_TEXT); false when the clipboard could not be opened.
inline bool PutClipboardText(const std::string& AText) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GHND, AText.size() + 1);
    std::memcpy(GlobalLock(mem), AText.c_str(), AText.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    return true;
}

}  // namespace zel::test
