#pragma once
// TRegistry: the Windows registry as far as the program's settings need it, kept in one text file.
//
// - Keys under a root (HKEY_CURRENT_USER, ...) form a tree; names are compared without regard to ASCII case
//   and keep the spelling they were made with. A key path is split at '\'; a path starting with '\' starts
//   at the root, any other at the open key; empty parts are skipped.
// - A value has a name (empty is the key's default value), a type and data: strings, 32-bit integers (a
//   Boolean is the integer 0 or 1) and binary data.
// - The store is the file StoreFileName() ("zelmovi-registry.ini" in the per-user configuration folder unless
//   set): one "[ROOT\path]" section per key, one "name=type:data" line per value ("sz:", "expand:", "dword:"
//   decimal, "hex:" byte pairs); '%', line breaks, other control bytes (and in names '=', a leading '@', '['
//   or ';', and blanks at either end) are written as %XX; "@" names the default value.
// - Every TRegistry alive at one time shares one copy of the store, read when the first of them is made;
//   the file is rewritten (through the safe file writer) when the last of them ends, when anything changed.
//   A store that cannot be read keeps its file: nothing is written over it. A line that is not a section or
//   a value, or a value of an unknown type, reads as nothing or as a value of type rdUnknown.
// - Reading a value of another type (or a missing integer or Boolean) raises ERegistryException "Invalid data
//   type for '<name>'", as the reads of the Windows class library do; a missing string reads as "".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(ERegistryException, Exception)

using HKEY = std::uintptr_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;

enum TRegDataType : std::uint8_t { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    int DataSize = 0;
};

struct TRegistryStore;
struct TRegistryKey;

class TRegistry : public TObject {
public:
    TRegistry();
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    std::string ClassName() const override { return "TRegistry"; }

    HKEY GetRootKey() const { return rootKey_; }
    // The open key's path from the root, without a leading '\'; empty when none is open.
    const std::string& CurrentPath() const { return currentPath_; }

    // Opens the key (making it and the keys above it with CanCreate); false when it does not exist.
    bool OpenKey(const std::string& Key, bool CanCreate);
    bool OpenKeyReadOnly(const std::string& Key);
    bool CreateKey(const std::string& Key);
    void CloseKey();
    bool KeyExists(const std::string& Key);
    // Deletes the key with every key below it; false when it does not exist. The root cannot be deleted.
    bool DeleteKey(const std::string& Key);
    bool HasSubKeys() const;
    // The names of the open key's subkeys (sorted, without regard to case) and of its values (in order).
    void GetKeyNames(std::vector<std::string>& Names) const;
    void GetValueNames(std::vector<std::string>& Names) const;

    bool ValueExists(const std::string& Name) const;
    // False when the value does not exist.
    bool GetDataInfo(const std::string& Name, TRegDataInfo& Info) const;
    // The size of the value's data in bytes (a string counts its terminating zero); -1 when it does not exist.
    int GetDataSize(const std::string& Name) const;
    TRegDataType GetDataType(const std::string& Name) const;

    std::string ReadString(const std::string& Name) const;
    int ReadInteger(const std::string& Name) const;
    bool ReadBool(const std::string& Name) const;
    // Copies the binary value into Buffer and gives its size; 0 for a missing value. A value of another
    // type, or one larger than BufSize, raises ERegistryException.
    int ReadBinaryData(const std::string& Name, void* Buffer, int BufSize) const;

    // Writing needs an open key that was not opened read-only (else ERegistryException "Failed to set data
    // for '<name>'").
    void WriteString(const std::string& Name, const std::string& Value);
    void WriteExpandString(const std::string& Name, const std::string& Value);
    void WriteInteger(const std::string& Name, int Value);
    void WriteBool(const std::string& Name, bool Value);
    void WriteBinaryData(const std::string& Name, const void* Buffer, int BufSize);

    // The store's file; a test points it at its own folder. An empty name restores the default.
    static std::string StoreFileName();
    static void SetStoreFileName(const std::string& FileName);

private:
    // The key the path names from the open key (or the root), made with Create; nullptr when missing.
    TRegistryKey* Find(const std::string& Key, bool Create, std::string* FullPath) const;
    // The open key, looked up again each time: another object may have deleted it.
    TRegistryKey* Current() const;
    void Write(const std::string& Name, TRegDataType Type, std::string Data);

    HKEY rootKey_ = HKEY_CURRENT_USER;
    std::shared_ptr<TRegistryStore> store_;
    bool open_ = false;
    std::string currentPath_;
    bool readOnly_ = false;
};

}  // namespace zel
