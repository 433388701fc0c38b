#include "platform/win/Registry.h"

#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <optional>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/Streams.h"

namespace zel {

struct TRegistryValue {
    std::string Name;
    TRegDataType Type = rdUnknown;
    std::string Data;  // string bytes, the integer's 4 bytes (little-endian), binary bytes or unknown text
};

struct TRegistryKey {
    std::string Name;
    std::vector<TRegistryValue> Values;
    std::map<std::string, std::unique_ptr<TRegistryKey>> SubKeys;  // by upper-case name

    TRegistryValue* Value(const std::string& AName) {
        for (TRegistryValue& v : Values)
            if (SameText(v.Name, AName)) return &v;
        return nullptr;
    }
    TRegistryKey* SubKey(const std::string& AName, bool Create) {
        const std::string upper = UpperCase(AName);
        const auto it = SubKeys.find(upper);
        if (it != SubKeys.end()) return it->second.get();
        if (!Create) return nullptr;
        auto key = std::make_unique<TRegistryKey>();
        key->Name = AName;
        return SubKeys.emplace(upper, std::move(key)).first->second.get();
    }
};

namespace {

constexpr std::size_t npos = std::string::npos;

std::string& StoreName() {
    static std::string name;
    return name;
}

const std::pair<HKEY, const char*> kRoots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                                               {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                                               {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                                               {HKEY_USERS, "HKEY_USERS"}};

const char* RootName(HKEY Root) {
    for (const auto& [key, name] : kRoots)
        if (key == Root) return name;
    return nullptr;
}

// The parts of a key path, empty parts skipped.
std::vector<std::string> SplitPath(const std::string& Path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= Path.size()) {
        std::size_t end = Path.find('\\', start);
        if (end == npos) end = Path.size();
        if (end > start) parts.push_back(Path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

const char kHex[] = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c, bool InName, bool First) {
    if (c == '%' || c < 0x20 || c == 0x7F) return true;
    if (!InName) return false;
    return c == '=' || c == ']' || (First && (c == '@' || c == '[' || c == ';'));
}

std::string Escape(const std::string& Text, bool InName) {
    std::string out;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        const bool edgeBlank = InName && c == ' ' && (i == 0 || i + 1 == Text.size());
        if (NeedsEscape(c, InName, i == 0) || edgeBlank) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unescape(std::string_view Text) {
    std::string out;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '%' && i + 2 < Text.size() && HexDigit(Text[i + 1]) >= 0 && HexDigit(Text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(Text[i + 1]) * 16 + HexDigit(Text[i + 2]));
            i += 2;
        } else {
            out += Text[i];
        }
    }
    return out;
}

std::string IntData(int Value) {
    const auto u = static_cast<std::uint32_t>(Value);
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i) data[static_cast<std::size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
    return data;
}

int IntOf(const std::string& Data) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= std::uint32_t{static_cast<unsigned char>(Data[static_cast<std::size_t>(i)])} << (8 * i);
    return static_cast<int>(u);
}

std::string ValueText(const TRegistryValue& Value) {
    switch (Value.Type) {
        case rdString: return "sz:" + Escape(Value.Data, false);
        case rdExpandString: return "expand:" + Escape(Value.Data, false);
        case rdInteger: return "dword:" + IntToStr(IntOf(Value.Data));
        case rdBinary: {
            std::string out = "hex:";
            for (const char c : Value.Data) {
                out += kHex[static_cast<unsigned char>(c) >> 4];
                out += kHex[static_cast<unsigned char>(c) & 15];
            }
            return out;
        }
        case rdUnknown: break;
    }
    return Escape(Value.Data, false);
}

// A value line's data; anything this program does not write reads as an unknown type with its text.
TRegistryValue ParseValue(std::string Name, std::string_view Text) {
    TRegistryValue value;
    value.Name = std::move(Name);
    auto after = [&](std::string_view head) -> std::optional<std::string_view> {
        if (Text.substr(0, head.size()) != head) return std::nullopt;
        return Text.substr(head.size());
    };
    if (auto s = after("sz:")) {
        value.Type = rdString;
        value.Data = Unescape(*s);
    } else if (auto e = after("expand:")) {
        value.Type = rdExpandString;
        value.Data = Unescape(*e);
    } else if (auto d = after("dword:")) {
        std::size_t i = (!d->empty() && (d->front() == '-' || d->front() == '+')) ? 1 : 0;
        std::int64_t v = 0;
        bool ok = i < d->size();
        for (; ok && i < d->size(); ++i) {
            ok = (*d)[i] >= '0' && (*d)[i] <= '9';
            v = v * 10 + ((*d)[i] - '0');
            ok = ok && v <= 0xFFFFFFFFLL;
        }
        if (ok) {
            value.Type = rdInteger;
            value.Data = IntData(static_cast<int>(static_cast<std::uint32_t>(d->front() == '-' ? -v : v)));
        } else {
            value.Data = Unescape(Text);
        }
    } else if (auto h = after("hex:"); h && h->size() % 2 == 0) {
        value.Type = rdBinary;
        for (std::size_t i = 0; i < h->size() && value.Type == rdBinary; i += 2) {
            const int hi = HexDigit((*h)[i]);
            const int lo = HexDigit((*h)[i + 1]);
            if (hi < 0 || lo < 0) value.Type = rdUnknown;
            value.Data += static_cast<char>(hi * 16 + lo);
        }
        if (value.Type == rdUnknown) value.Data = Unescape(Text);
    } else {
        value.Data = Unescape(Text);
    }
    return value;
}

}  // namespace

struct TRegistryStore {
    std::string Path;
    bool Readable = true;
    bool Modified = false;
    TRegistryKey Roots;  // one subkey per root, by its name

    explicit TRegistryStore(std::string APath) : Path(std::move(APath)) { Load(); }
    ~TRegistryStore() {
        try {
            Save();
        } catch (const std::exception&) {
            // The registry's writes cannot fail where the program looks; a full disk loses them.
        }
    }

    void Load() {
        struct stat st {};
        if (::stat(Path.c_str(), &st) != 0) {
            Readable = errno == ENOENT || errno == ENOTDIR;
            return;
        }
        std::string text;
        try {
            TMemoryStream data;
            data.LoadFromFile(Path);
            text = data.DataString();
        } catch (const Exception&) {
            Readable = false;
            return;
        }
        TRegistryKey* key = nullptr;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == npos) end = text.size();
            std::string_view line(text.data() + start, end - start);
            start = end + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                const std::vector<std::string> parts = SplitPath(std::string(line.substr(1, line.size() - 2)));
                key = &Roots;
                for (const std::string& part : parts) key = key->SubKey(Unescape(part), true);
                if (parts.empty()) key = nullptr;
                continue;
            }
            const auto eq = line.find('=');
            if (key == nullptr || eq == npos || eq == 0) continue;
            std::string name = Unescape(line.substr(0, eq));
            if (line.substr(0, eq) == "@") name.clear();
            if (key->Value(name) != nullptr) continue;  // the first of a name counts
            key->Values.push_back(ParseValue(std::move(name), line.substr(eq + 1)));
        }
    }

    void WriteKey(std::string& Out, const TRegistryKey& Key, const std::string& Path) const {
        Out += "[" + Path + "]\r\n";
        for (const TRegistryValue& v : Key.Values)
            Out += (v.Name.empty() ? std::string("@") : Escape(v.Name, true)) + "=" + ValueText(v) + "\r\n";
        Out += "\r\n";
        for (const auto& [upper, sub] : Key.SubKeys) WriteKey(Out, *sub, Path + "\\" + Escape(sub->Name, true));
    }

    void Save() {
        if (!Modified || !Readable) return;
        std::string out;
        for (const auto& [upper, root] : Roots.SubKeys)
            for (const auto& [name, key] : root->SubKeys)
                WriteKey(out, *key, root->Name + "\\" + Escape(key->Name, true));
        const auto slash = Path.rfind('/');
        if (slash != npos && slash > 0 && !DirectoryExists(Path.substr(0, slash)))
            ForceDirectories(Path.substr(0, slash));
        SafeWriteFile(Path, [&](TStream& s) { s.WriteBuffer(out.data(), static_cast<std::int64_t>(out.size())); });
        Modified = false;
    }
};

namespace {

std::weak_ptr<TRegistryStore>& SharedStore() {
    static std::weak_ptr<TRegistryStore> store;
    return store;
}

}  // namespace

std::string TRegistry::StoreFileName() {
    return StoreName().empty() ? TIniFile::ConfigFolder() + "/zelmovi-registry.ini" : StoreName();
}

void TRegistry::SetStoreFileName(const std::string& FileName) { StoreName() = FileName; }

TRegistry::TRegistry() {
    store_ = SharedStore().lock();
    if (store_ == nullptr || store_->Path != StoreFileName()) {
        store_ = std::make_shared<TRegistryStore>(StoreFileName());
        SharedStore() = store_;
    }
}

TRegistry::~TRegistry() { CloseKey(); }

TRegistryKey* TRegistry::Find(const std::string& Key, bool Create, std::string* FullPath) const {
    const bool absolute = !Key.empty() && Key.front() == '\\';
    std::vector<std::string> parts = SplitPath(absolute || !open_ ? Key : currentPath_ + "\\" + Key);
    auto step = [&](TRegistryKey* From, const std::string& Name) {
        TRegistryKey* next = From->SubKey(Name, false);
        if (next == nullptr && Create) {
            next = From->SubKey(Name, true);
            store_->Modified = true;
        }
        return next;
    };
    const char* root = RootName(rootKey_);
    TRegistryKey* key = root != nullptr ? step(&store_->Roots, root) : nullptr;
    for (const std::string& part : parts) {
        if (key == nullptr) return nullptr;
        key = step(key, part);
    }
    if (FullPath != nullptr) {
        FullPath->clear();
        for (const std::string& part : parts) *FullPath += (FullPath->empty() ? "" : "\\") + part;
    }
    return key;
}

TRegistryKey* TRegistry::Current() const { return open_ ? Find("\\" + currentPath_, false, nullptr) : nullptr; }

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
    std::string path;
    if (Find(Key, CanCreate, &path) == nullptr) return false;
    open_ = true;
    readOnly_ = false;
    currentPath_ = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
    if (!OpenKey(Key, false)) return false;
    readOnly_ = true;
    return true;
}

bool TRegistry::CreateKey(const std::string& Key) { return Find(Key, true, nullptr) != nullptr; }

void TRegistry::CloseKey() {
    open_ = false;
    readOnly_ = false;
    currentPath_.clear();
}

bool TRegistry::KeyExists(const std::string& Key) { return Find(Key, false, nullptr) != nullptr; }

bool TRegistry::DeleteKey(const std::string& Key) {
    std::string path;
    if (Find(Key, false, &path) == nullptr || path.empty()) return false;
    const auto slash = path.rfind('\\');
    TRegistryKey* parent = Find("\\" + (slash == npos ? std::string() : path.substr(0, slash)), false, nullptr);
    const std::string name = slash == npos ? path : path.substr(slash + 1);
    parent->SubKeys.erase(UpperCase(name));
    store_->Modified = true;
    return true;
}

bool TRegistry::HasSubKeys() const {
    const TRegistryKey* key = Current();
    return key != nullptr && !key->SubKeys.empty();
}

void TRegistry::GetKeyNames(std::vector<std::string>& Names) const {
    Names.clear();
    if (const TRegistryKey* key = Current())
        for (const auto& [upper, sub] : key->SubKeys) Names.push_back(sub->Name);
}

void TRegistry::GetValueNames(std::vector<std::string>& Names) const {
    Names.clear();
    if (const TRegistryKey* key = Current())
        for (const TRegistryValue& v : key->Values) Names.push_back(v.Name);
}

bool TRegistry::ValueExists(const std::string& Name) const {
    TRegistryKey* key = Current();
    return key != nullptr && key->Value(Name) != nullptr;
}

bool TRegistry::GetDataInfo(const std::string& Name, TRegDataInfo& Info) const {
    Info = TRegDataInfo{};
    TRegistryKey* key = Current();
    const TRegistryValue* value = key != nullptr ? key->Value(Name) : nullptr;
    if (value == nullptr) return false;
    Info.RegData = value->Type;
    Info.DataSize =
        static_cast<int>(value->Data.size()) + ((value->Type == rdString || value->Type == rdExpandString) ? 1 : 0);
    return true;
}

int TRegistry::GetDataSize(const std::string& Name) const {
    TRegDataInfo info;
    return GetDataInfo(Name, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& Name) const {
    TRegDataInfo info;
    GetDataInfo(Name, info);
    return info.RegData;
}

namespace {

[[noreturn]] void InvalidType(const std::string& Name) {
    throw ERegistryException("Invalid data type for '" + Name + "'");
}

}  // namespace

std::string TRegistry::ReadString(const std::string& Name) const {
    TRegistryKey* key = Current();
    const TRegistryValue* value = key != nullptr ? key->Value(Name) : nullptr;
    if (value == nullptr) return std::string();
    if (value->Type != rdString && value->Type != rdExpandString) InvalidType(Name);
    return value->Data;
}

int TRegistry::ReadInteger(const std::string& Name) const {
    TRegistryKey* key = Current();
    const TRegistryValue* value = key != nullptr ? key->Value(Name) : nullptr;
    if (value == nullptr || value->Type != rdInteger) InvalidType(Name);
    return IntOf(value->Data);
}

bool TRegistry::ReadBool(const std::string& Name) const { return ReadInteger(Name) != 0; }

int TRegistry::ReadBinaryData(const std::string& Name, void* Buffer, int BufSize) const {
    TRegistryKey* key = Current();
    const TRegistryValue* value = key != nullptr ? key->Value(Name) : nullptr;
    if (value == nullptr) return 0;
    if (value->Type != rdBinary && value->Type != rdUnknown) InvalidType(Name);
    if (static_cast<std::size_t>(std::max(BufSize, 0)) < value->Data.size())
        throw ERegistryException("Failed to get data for '" + Name + "'");
    if (!value->Data.empty()) std::memcpy(Buffer, value->Data.data(), value->Data.size());
    return static_cast<int>(value->Data.size());
}

void TRegistry::Write(const std::string& Name, TRegDataType Type, std::string Data) {
    TRegistryKey* key = Current();
    if (key == nullptr || readOnly_) throw ERegistryException("Failed to set data for '" + Name + "'");
    TRegistryValue* value = key->Value(Name);
    if (value == nullptr) {
        key->Values.push_back(TRegistryValue{Name, Type, std::string()});
        value = &key->Values.back();
    }
    value->Type = Type;
    value->Data = std::move(Data);
    store_->Modified = true;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) { Write(Name, rdString, Value); }

void TRegistry::WriteExpandString(const std::string& Name, const std::string& Value) {
    Write(Name, rdExpandString, Value);
}

void TRegistry::WriteInteger(const std::string& Name, int Value) { Write(Name, rdInteger, IntData(Value)); }

void TRegistry::WriteBool(const std::string& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

void TRegistry::WriteBinaryData(const std::string& Name, const void* Buffer, int BufSize) {
    Write(Name, rdBinary,
          std::string(static_cast<const char*>(Buffer), static_cast<std::size_t>(std::max(BufSize, 0))));
}

}  // namespace zel
