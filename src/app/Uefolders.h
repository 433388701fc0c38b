#pragma once
// The user's special folders as the shell gives them, and the maker's folders below them, which must exist
// before any window is created.
#include <string>

#include "platform/rtl/Units.h"

namespace zel {

inline constexpr const char* VendorFolderName = "Corvandile";

// The special folder's path (at most MAX_PATH - 1 characters), never created; empty when the shell has none.
std::string GetSpecialFolderPath(int CSIDL);
// The same through the shell's folder-path call (no window, no token, the current path).
std::string GetShFolderPath(int CSIDL);
std::string GetAppDataFolder();
// The first lookup, or the folder-path call when the first gives an empty or all-blank answer.
std::string GetLocalAppDataFolder();
std::string GetVendorAppDataFolder();
std::string GetVendorLocalAppDataFolder();
std::string GetVendorDocumentsFolder();

// Creates the three maker's folders (application data, local application data, documents, in this order)
// where they are missing, every missing level included. A folder that cannot be made raises EInOutError.
void CreateVendorFolders();

// The start-up row that makes the maker's folders.
TUnitRows UefoldersUnits();

}  // namespace zel
