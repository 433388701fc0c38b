#include "uilib/base/uiShellSpecialFolders.h"

namespace zel {

namespace {

struct TTable {
    std::array<TuiShellSpecialFolderInfo, uiShellSpecialFolderCount> Entries;
    ~TTable() { Free(); }
    void Free() {
        for (auto& e : Entries) {
            PidlFree(e.Pidl);
            e = TuiShellSpecialFolderInfo{};
        }
    }
    void Fill() {
        Free();
        for (int id = 0; id < uiShellSpecialFolderCount; ++id) {
            TuiShellSpecialFolderInfo& e = Entries[static_cast<std::size_t>(id)];
            LPITEMIDLIST pidl = nullptr;
            if (!SHGetSpecialFolderLocation(nullptr, id, &pidl)) continue;
            e.Pidl = pidl;
            e.DisplayName = PidlGetDisplayName(pidl, false);
            e.UpperDisplayName = UpperCase(e.DisplayName);
            e.UpperPath = UpperCase(PidlGetPath(pidl));
            DWORD attributes = SFGAO_FOLDER | SFGAO_HIDDEN;
            if (!SHGetAttributesOf(pidl, &attributes)) {
                Free();
                throw EuiEditError("");
            }
            e.Attributes = attributes & (SFGAO_FOLDER | SFGAO_HIDDEN);
        }
    }
};

TTable& Table() {
    static TTable table;
    return table;
}

}  // namespace

const std::array<TuiShellSpecialFolderInfo, uiShellSpecialFolderCount>& uiShellSpecialFolders() {
    return Table().Entries;
}

void uiRefillShellSpecialFolders() { Table().Fill(); }

void uiFreeShellSpecialFolders() { Table().Free(); }

}  // namespace zel
