#include "uilib/base/uiShellCommon.h"

#include <cstring>

#include "platform/rtl/Charset.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {
constexpr int MaxPidlItems = 260;
// An item's size, read byte by byte: items follow one another at any address, so a WORD read through
// the structure could be misaligned.
WORD ItemCount(const BYTE* item) { return static_cast<WORD>(item[0] | (item[1] << 8)); }
WORD ItemCount(LPCITEMIDLIST item) { return ItemCount(reinterpret_cast<const BYTE*>(item)); }
}  // namespace

int PidlItemCount(LPCITEMIDLIST Pidl) {
    if (Pidl == nullptr) return 0;
    const auto* item = reinterpret_cast<const BYTE*>(Pidl);
    for (int n = 0; n <= MaxPidlItems; ++n) {
        if (ItemCount(item) == 0) return n;
        item += ItemCount(item);
    }
    return -1;
}

LPITEMIDLIST PidlNextItem(LPCITEMIDLIST Item) {
    if (Item == nullptr) return nullptr;
    const auto* item = reinterpret_cast<const BYTE*>(Item);
    WORD cb = ItemCount(item);
    if (cb == 0) return nullptr;
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(item + cb));
}

LPITEMIDLIST PidlLastItem(LPCITEMIDLIST Pidl) {
    auto* last = const_cast<LPITEMIDLIST>(Pidl);
    // Bounded like PidlItemCount, so that a list without terminator cannot run away.
    LPITEMIDLIST item = last;
    for (int n = 0; item != nullptr && ItemCount(item) != 0 && n <= MaxPidlItems; ++n) {
        last = item;
        item = PidlNextItem(item);
    }
    return last;
}

void PidlFree(LPITEMIDLIST Pidl) {
    if (Pidl != nullptr) SHFree(Pidl);
}

namespace {
bool g_pathEntryBound = false;
}  // namespace

void uiShellCommonStartup() {
    g_pathEntryBound = IsEntryPointAvailable("SHGetPathFromIDListW") || IsEntryPointAvailable("SHGetPathFromIDListA");
}

void uiShellCommonShutdown() { g_pathEntryBound = false; }

std::string PidlGetPath(LPCITEMIDLIST Pidl) {
    if (Pidl == nullptr || !g_pathEntryBound) return {};
    char path[MAX_PATH + 1] = {};
    return SHGetPathFromIDList(Pidl, path) ? std::string(path) : std::string();
}

std::string StrRetText(STRRET& StrRet, LPCITEMIDLIST Pidl) {
    std::string text;
    switch (StrRet.uType) {
        case STRRET_WSTR:
            if (StrRet.pOleStr == nullptr) return text;
            for (const char16_t* p = StrRet.pOleStr; *p != 0; ++p) {
                unsigned char ansi = '?';
                if (*p < 0x80) ansi = static_cast<unsigned char>(*p);
                else UnicodeToAnsiChar(*p, ansi);
                text += static_cast<char>(ansi);
            }
            SHFree(StrRet.pOleStr);
            StrRet.pOleStr = nullptr;
            return text;
        case STRRET_OFFSET: {
            if (Pidl == nullptr) return text;
            const auto* item = reinterpret_cast<const BYTE*>(Pidl);
            const WORD count = ItemCount(item);
            for (UINT i = StrRet.uOffset; i < count && item[i] != 0; ++i) text += static_cast<char>(item[i]);
            return text;
        }
        case STRRET_CSTR: return std::string(StrRet.cStr, strnlen(StrRet.cStr, sizeof StrRet.cStr));
        default: return text;
    }
}

std::string PidlGetDisplayName(LPCITEMIDLIST Pidl, bool FullPath) {
    if (Pidl == nullptr) return {};
    std::string result;
    if (FullPath) {
        result = PidlGetPath(Pidl);
        if (!result.empty()) return result;
        // Each item is asked for its name in its own one-item list.
        int count = PidlItemCount(Pidl);
        LPITEMIDLIST item = const_cast<LPITEMIDLIST>(Pidl);
        for (int i = 0; i < count; ++i, item = PidlNextItem(item)) {
            WORD cb = ItemCount(item);
            auto* single = static_cast<BYTE*>(SHAlloc(static_cast<std::size_t>(cb) + 4));
            if (single == nullptr) break;
            std::memcpy(single, item, cb);
            std::string name;
            BOOL ok = SHGetItemDisplayName(reinterpret_cast<LPCITEMIDLIST>(single), &name);
            SHFree(single);
            if (!ok) break;
            if (!result.empty()) result += "\\";
            result += name;
        }
        return result;
    }
    SHGetListDisplayName(Pidl, &result);
    return result;
}

}  // namespace zel
