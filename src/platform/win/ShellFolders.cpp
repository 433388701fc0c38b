#include "platform/win/ShellFolders.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace zel {

namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home;
    const passwd* pw = getpwuid(getuid());
    return pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "";
}

// An XDG base folder: the variable when it holds an absolute path (the XDG rule), else home + fallback.
std::string XdgBase(const char* variable, const char* fallback) {
    const char* v = std::getenv(variable);
    if (v != nullptr && v[0] == '/') return v;
    std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/" + fallback;
}

// The documents folder from user-dirs.dirs: a line XDG_DOCUMENTS_DIR="$HOME/..." or "/absolute".
std::string DocumentsFolder() {
    std::string home = HomeFolder();
    std::string config = XdgBase("XDG_CONFIG_HOME", ".config");
    if (!config.empty()) {
        std::ifstream in(config + "/user-dirs.dirs");
        std::string line;
        while (std::getline(in, line)) {
            std::size_t start = line.find_first_not_of(" \t");
            if (start == std::string::npos || line.compare(start, 18, "XDG_DOCUMENTS_DIR=") != 0) continue;
            std::string value = line.substr(start + 18);
            while (!value.empty() && (value.back() == '\r' || value.back() == ' ' || value.back() == '\t'))
                value.pop_back();
            if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
            value = value.substr(1, value.size() - 2);
            if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/')) {
                if (home.empty()) continue;
                value = home + value.substr(5);
            }
            if (!value.empty() && value[0] == '/') return value;
        }
    }
    return home.empty() ? std::string() : home + "/Documents";
}

// The file-system folder of a special folder; empty for a virtual or unknown one.
std::string FolderPath(int csidl) {
    switch (csidl & ~CSIDL_FLAG_CREATE) {
        case CSIDL_APPDATA: return XdgBase("XDG_CONFIG_HOME", ".config");
        case CSIDL_LOCAL_APPDATA: return XdgBase("XDG_DATA_HOME", ".local/share");
        case CSIDL_PERSONAL: return DocumentsFolder();
        default: return {};
    }
}

void AppendItem(std::vector<BYTE>& bytes, BYTE kind, const std::string& name) {
    std::size_t cb = 3 + name.size();
    bytes.push_back(static_cast<BYTE>(cb & 0xFF));
    bytes.push_back(static_cast<BYTE>(cb >> 8));
    bytes.push_back(kind);
    bytes.insert(bytes.end(), name.begin(), name.end());
}

LPITEMIDLIST MakeList(const std::vector<BYTE>& items) {
    auto* p = static_cast<BYTE*>(SHAlloc(items.size() + 2));
    if (p == nullptr) return nullptr;
    if (!items.empty()) std::memcpy(p, items.data(), items.size());
    p[items.size()] = 0;
    p[items.size() + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(p);
}

WORD ItemSize(const BYTE* item) { return static_cast<WORD>(item[0] | (item[1] << 8)); }

// The item's kind and name; false for a malformed item.
bool ReadItem(const BYTE* item, BYTE& kind, std::string& name) {
    WORD cb = ItemSize(item);
    if (cb < 3) return false;
    kind = item[2];
    name.assign(reinterpret_cast<const char*>(item + 3), cb - 3u);
    return kind == SHID_FSITEM || kind == SHID_VIRTUAL;
}

bool CopyOut(const std::string& text, char* out) {
    if (out == nullptr) return false;
    if (text.empty() || text.size() >= static_cast<std::size_t>(MAX_PATH)) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

constexpr int MaxItems = 260;

}  // namespace

void* SHAlloc(std::size_t size) { return std::calloc(size == 0 ? 1 : size, 1); }
void SHFree(void* p) { std::free(p); }

BOOL SHGetSpecialFolderPath(HWND /*owner*/, char* path, int csidl, BOOL create) {
    std::string folder = FolderPath(csidl);
    if (folder.empty()) {
        if (path != nullptr) path[0] = '\0';
        return FALSE;
    }
    if (create || (csidl & CSIDL_FLAG_CREATE) != 0) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    return CopyOut(folder, path) ? TRUE : FALSE;
}

std::string SHGetSpecialFolderPathString(int csidl) {
    char path[MAX_PATH] = {};
    return SHGetSpecialFolderPath(nullptr, path, csidl, FALSE) ? std::string(path) : std::string();
}

LONG SHGetFolderPath(HWND owner, int csidl, void* /*token*/, DWORD /*flags*/, char* path) {
    return SHGetSpecialFolderPath(owner, path, csidl, FALSE) ? 0 : -1;
}

BOOL SHGetSpecialFolderLocation(HWND /*owner*/, int csidl, LPITEMIDLIST* pidl) {
    if (pidl == nullptr) return FALSE;
    *pidl = nullptr;
    std::vector<BYTE> items;
    switch (csidl & ~CSIDL_FLAG_CREATE) {
        case CSIDL_DESKTOP: break;
        case CSIDL_DRIVES: AppendItem(items, SHID_VIRTUAL, "Computer"); break;
        default: {
            std::string folder = FolderPath(csidl);
            if (folder.empty()) return FALSE;
            for (const auto& part : std::filesystem::path(folder)) {
                std::string name = part.string();
                if (name.empty() || name == "/") continue;
                if (name.size() > 0xFFF0) return FALSE;
                AppendItem(items, SHID_FSITEM, name);
            }
            break;
        }
    }
    *pidl = MakeList(items);
    return *pidl != nullptr ? TRUE : FALSE;
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, char* path) {
    if (path != nullptr) path[0] = '\0';
    if (pidl == nullptr) return FALSE;
    const auto* item = reinterpret_cast<const BYTE*>(pidl);
    std::string result;
    int n = 0;
    for (; ItemSize(item) != 0; item += ItemSize(item)) {
        BYTE kind = 0;
        std::string name;
        if (++n > MaxItems || !ReadItem(item, kind, name) || kind != SHID_FSITEM) return FALSE;
        result += "/" + name;
    }
    return CopyOut(result, path) ? TRUE : FALSE;
}

BOOL SHGetItemDisplayName(LPCITEMIDLIST pidl, std::string* name) {
    if (pidl == nullptr || name == nullptr) return FALSE;
    const auto* item = reinterpret_cast<const BYTE*>(pidl);
    if (ItemSize(item) == 0) {
        *name = "Desktop";
        return TRUE;
    }
    BYTE kind = 0;
    return ReadItem(item, kind, *name) ? TRUE : FALSE;
}

BOOL SHGetListDisplayName(LPCITEMIDLIST pidl, std::string* name) {
    if (pidl == nullptr || name == nullptr) return FALSE;
    const auto* item = reinterpret_cast<const BYTE*>(pidl);
    const BYTE* last = item;
    for (int n = 0; ItemSize(item) != 0; item += ItemSize(item)) {
        if (++n > MaxItems) return FALSE;
        last = item;
    }
    return SHGetItemDisplayName(reinterpret_cast<LPCITEMIDLIST>(last), name);
}

BOOL SHGetAttributesOf(LPCITEMIDLIST pidl, DWORD* attributes) {
    if (pidl == nullptr || attributes == nullptr) return FALSE;
    const auto* item = reinterpret_cast<const BYTE*>(pidl);
    if (ItemSize(item) == 0) {
        *attributes = SFGAO_FOLDER;
        return TRUE;
    }
    // The full path of a file-system item is needed to see whether it is a directory.
    std::string path;
    BYTE kind = 0;
    std::string name;
    const BYTE* last = item;
    for (int n = 0; ItemSize(item) != 0; item += ItemSize(item)) {
        if (++n > MaxItems || !ReadItem(item, kind, name)) return FALSE;
        path += "/" + name;
        last = item;
    }
    ReadItem(last, kind, name);
    DWORD a = 0;
    if (kind == SHID_VIRTUAL) {
        a = SFGAO_FOLDER;
    } else {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) a |= SFGAO_FOLDER;
        if (!name.empty() && name[0] == '.') a |= SFGAO_HIDDEN;
    }
    *attributes = a;
    return TRUE;
}

}  // namespace zel
