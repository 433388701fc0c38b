#include "app/Uefolders.h"

#include "platform/rtl/SysUtils.h"
#include "platform/win/ShellFolders.h"

namespace zel {

namespace {

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string VendorFolder(const std::string& base) { return IncludeTrailingPathDelimiter(base) + VendorFolderName; }

}  // namespace

std::string GetSpecialFolderPath(int CSIDL) {
    char path[MAX_PATH] = {};
    return SHGetSpecialFolderPath(nullptr, path, CSIDL, FALSE) ? std::string(path) : std::string();
}

std::string GetShFolderPath(int CSIDL) {
    char path[MAX_PATH] = {};
    return SHGetFolderPath(nullptr, CSIDL, nullptr, 0, path) == 0 ? std::string(path) : std::string();
}

std::string GetAppDataFolder() { return GetSpecialFolderPath(CSIDL_APPDATA); }

std::string GetLocalAppDataFolder() {
    std::string folder = GetSpecialFolderPath(CSIDL_LOCAL_APPDATA);
    if (IsBlank(folder)) folder = GetShFolderPath(CSIDL_LOCAL_APPDATA);
    return folder;
}

std::string GetVendorAppDataFolder() { return VendorFolder(GetAppDataFolder()); }
std::string GetVendorLocalAppDataFolder() { return VendorFolder(GetLocalAppDataFolder()); }
std::string GetVendorDocumentsFolder() { return VendorFolder(GetSpecialFolderPath(CSIDL_PERSONAL)); }

void CreateVendorFolders() {
    for (const std::string& folder :
         {GetVendorAppDataFolder(), GetVendorLocalAppDataFolder(), GetVendorDocumentsFolder()}) {
        // A home without, say, a documents folder yet still gets the maker's folder: every missing level is
        // made, not only the last.
        if (!DirectoryExists(folder) && !ForceDirectories(folder))
            throw EInOutError("Unable to create the folder " + folder);
    }
}

TUnitRows UefoldersUnits() { return {{"Uefolders", CreateVendorFolders, {}}}; }

}  // namespace zel
