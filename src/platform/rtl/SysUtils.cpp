#include "platform/rtl/SysUtils.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>

namespace zel {

void Abort() { throw EAbort(); }

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool ParseInt64(std::string_view s, std::int64_t& out) {
    std::string_view t = s;
    while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (!t.empty() && t.front() == '$') {
        base = 16;
        t.remove_prefix(1);
    } else if (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    }
    if (t.empty()) return false;
    std::uint64_t value = 0;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1u : 0u);
    for (char c : t) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        if (value > (limit - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(base)) return false;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    out = negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
    return true;
}

}  // namespace

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t v = 0;
    if (!ParseInt64(s, v)) throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

bool TryStrToInt(std::string_view s, int& value) {
    std::int64_t v = 0;
    if (!ParseInt64(s, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(std::string_view s) {
    int v = 0;
    if (!TryStrToInt(s, v)) throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

int StrToIntDef(std::string_view s, int def) {
    int v = 0;
    return TryStrToInt(s, v) ? v : def;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::uint64_t value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

unsigned char AnsiUpperChar(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A: return 0x8A;
        case 0x9C: return 0x8C;
        case 0x9E: return 0x8E;
        case 0xFF: return 0x9F;
        default: return c;
    }
}

std::string AnsiUpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(AnsiUpperChar(static_cast<unsigned char>(c)));
    return r;
}

unsigned char AnsiLowerChar(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

std::string AnsiLowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(c)));
    return r;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AnsiUpperChar(static_cast<unsigned char>(a[i])) != AnsiUpperChar(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiUpper(c);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiLower(c);
    return r;
}

int CompareText(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return std::string(s);
}

std::string TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string ExtractFileName(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1])) return std::string(path.substr(i));
    return std::string(path);
}

std::string ExtractFilePath(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1])) return std::string(path.substr(0, i));
    return {};
}

std::string ExtractFileExt(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) break;
        if (path[i - 1] == '.') return std::string(path.substr(i - 1));
    }
    return {};
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::string old = ExtractFileExt(path);
    return std::string(path.substr(0, path.size() - old.size())) + std::string(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string r(path);
    if (r.empty() || !IsSeparator(r.back())) r += '/';
    return r;
}

std::string ResolvedFileName(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec) return path;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ec);
    return (ec ? absolute.lexically_normal() : resolved).string();
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool ForceDirectories(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return DirectoryExists(path);
}

}  // namespace zel
