#pragma once
// The table of the 35 shell special folders (identifiers 0 to 34), filled on first use.
#include <array>
#include <string>

#include "uilib/base/uiShellCommon.h"

namespace zel {

struct TuiShellSpecialFolderInfo {
    DWORD Attributes = 0;         // only SFGAO_FOLDER and SFGAO_HIDDEN remain
    LPITEMIDLIST Pidl = nullptr;  // owned by the table
    std::string DisplayName;
    std::string UpperPath;  // the file-system path in upper case
    std::string UpperDisplayName;
};

constexpr int uiShellSpecialFolderCount = 35;

// The table, filled by the unit's start-up (uiRefillShellSpecialFolders). A folder the system does not have leaves an
// empty entry; a failing attribute query raises EuiEditError with an empty message (the table is then left empty).
const std::array<TuiShellSpecialFolderInfo, uiShellSpecialFolderCount>& uiShellSpecialFolders();
// Fills the table again (the folders' locations may have changed).
void uiRefillShellSpecialFolders();
// Frees every entry's list and clears the texts.
void uiFreeShellSpecialFolders();

}  // namespace zel
