#include "platform/rtl/IniFiles.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <limits>
#include <unordered_map>

#include "platform/rtl/SafeFile.h"
#include "platform/rtl/Streams.h"

namespace zel {

struct TIniLine {
    enum TKind { Other, Section, Key };
    TKind Kind = Other;
    std::string Text;   // the line as it stands in the file, without its line end
    std::string Name;   // section or key name, trimmed
    std::string Value;  // key value, trimmed
};

namespace {

constexpr std::size_t npos = std::string::npos;

using TIniLines = std::vector<TIniLine>;

TIniLine ParseLine(std::string text) {
    TIniLine line;
    line.Text = std::move(text);
    const std::string t = Trim(line.Text);
    if (t.empty() || t.front() == ';') return line;
    if (t.front() == '[') {
        const auto close = t.find(']');
        if (close != npos) {
            line.Kind = TIniLine::Section;
            line.Name = Trim(std::string_view(t).substr(1, close - 1));
            return line;
        }
    }
    const auto eq = t.find('=');
    if (eq == npos) return line;
    line.Name = Trim(std::string_view(t).substr(0, eq));
    if (line.Name.empty()) return line;
    line.Kind = TIniLine::Key;
    line.Value = Trim(std::string_view(t).substr(eq + 1));
    return line;
}

TIniLines ParseText(const std::string& bytes) {
    TIniLines lines;
    // One allocation for all the lines: a large file would otherwise move them many times over.
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        const bool last = end == npos;
        if (last) end = bytes.size();
        std::size_t stop = end;
        if (stop > start && bytes[stop - 1] == '\r') --stop;
        lines.push_back(ParseLine(bytes.substr(start, stop - start)));
        start = last ? bytes.size() : end + 1;
    }
    return lines;
}

std::string ToText(const TIniLines& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line.Text;
        out += "\r\n";
    }
    return out;
}

std::size_t FindSection(const TIniLines& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Kind == TIniLine::Section && SameText(lines[i].Name, section)) return i;
    return npos;
}

// The index of the line after the section that starts at header.
std::size_t SectionEnd(const TIniLines& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && lines[i].Kind != TIniLine::Section) ++i;
    return i;
}

std::size_t FindKey(const TIniLines& lines, std::size_t header, std::string_view ident) {
    const std::size_t end = SectionEnd(lines, header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines[i].Kind == TIniLine::Key && SameText(lines[i].Name, ident)) return i;
    return npos;
}

// The keys of the section's first occurrence, first spelling of each, in file order.
std::vector<const TIniLine*> SectionKeys(const TIniLines& lines, std::string_view section) {
    std::vector<const TIniLine*> keys;
    const std::size_t header = FindSection(lines, section);
    if (header == npos) return keys;
    const std::size_t end = SectionEnd(lines, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines[i].Kind != TIniLine::Key) continue;
        bool seen = false;
        for (const TIniLine* k : keys) seen = seen || SameText(k->Name, lines[i].Name);
        if (!seen) keys.push_back(&lines[i]);
    }
    return keys;
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// The look-up key of a key name inside a section name.
std::string KeyOf(std::string_view section, std::string_view ident) {
    return UpperAscii(section) + '\n' + UpperAscii(ident);
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != npos; }

// Leading-digit integer rule of the profile functions (see ReadInteger in the header).
bool ParseProfileInt(std::string_view s, int& value) {
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    auto hexDigit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    int base = 10;
    std::size_t digits = i;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        digits = i + 1;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        digits = i + 2;
    }
    if (base == 16 && (digits >= s.size() || hexDigit(s[digits]) < 0)) {
        if (s[i] == '$') return false;
        base = 10;  // "0x" without hex digits: the leading "0" is the number
        digits = i;
    }
    const std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + (negative ? 1 : 0);
    std::int64_t v = 0;
    std::size_t n = 0;
    for (std::size_t k = digits; k < s.size(); ++k, ++n) {
        const int d = hexDigit(s[k]);
        if (d < 0 || d >= base) break;
        v = v * base + d;
        if (v > limit) return false;
    }
    if (n == 0) return false;
    value = static_cast<int>(negative ? -v : v);
    return true;
}

}  // namespace

// What a read needs of the file: its lines, the first header of each section and the first line of each
// key in the first section of its name, and the file's identity when it was read.
struct TIniContents {
    bool Loaded = false;
    bool Exists = false;
    bool Readable = true;
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Changed{};
    TIniLines Lines;
    bool Stale = false;    // lines changed in memory since the last Index
    std::string ReadText;  // in memory: the lines as read, to skip an update that changes nothing
    std::unordered_map<std::string, std::size_t> Sections;
    std::unordered_map<std::string, std::size_t> Keys;

    bool Describes(bool exists, const struct stat& st) const {
        if (!Loaded || exists != Exists) return false;
        return !exists || (st.st_dev == Device && st.st_ino == Inode && st.st_size == Size &&
                           st.st_mtim.tv_sec == Changed.tv_sec && st.st_mtim.tv_nsec == Changed.tv_nsec);
    }
    void Identify(bool exists, const struct stat& st) {
        Loaded = true;
        Exists = exists;
        Device = exists ? st.st_dev : 0;
        Inode = exists ? st.st_ino : 0;
        Size = exists ? st.st_size : 0;
        Changed = exists ? st.st_mtim : timespec{};
    }
    void Index() {
        Sections.clear();
        Keys.clear();
        const std::string* section = nullptr;  // the section the lines belong to; none in a duplicate
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            const TIniLine& line = Lines[i];
            if (line.Kind == TIniLine::Section) {
                section = Sections.emplace(UpperAscii(line.Name), i).second ? &line.Name : nullptr;
            } else if (line.Kind == TIniLine::Key && section != nullptr) {
                Keys.emplace(KeyOf(*section, line.Name), i);
            }
        }
    }
    const TIniLine* Key(std::string_view section, std::string_view ident) const {
        const auto it = Keys.find(KeyOf(section, ident));
        return it == Keys.end() ? nullptr : &Lines[it->second];
    }
};

TIniContents& TIniFile::Contents() const {
    if (inMemory_ && contents_) {
        if (contents_->Stale) contents_->Index();
        contents_->Stale = false;
        return *contents_;
    }
    if (!contents_) contents_ = std::make_shared<TIniContents>();
    TIniContents& c = *contents_;
    struct stat st {};
    const bool exists = ::stat(path_.c_str(), &st) == 0;
    if (!exists && errno != ENOENT && errno != ENOTDIR) {
        // The file may be there but cannot be looked at: no lines, and nothing may replace it.
        c = TIniContents{};
        c.Readable = false;
        return c;
    }
    if (c.Describes(exists, st)) return c;
    c = TIniContents{};
    c.Identify(exists, st);
    if (exists) {
        try {
            TMemoryStream data;
            data.LoadFromFile(path_);
            c.Lines = ParseText(data.DataString());
        } catch (const Exception&) {
            c.Readable = false;
            c.Loaded = false;  // tried again at the next read
        }
    }
    c.Index();
    if (inMemory_) c.ReadText = ToText(c.Lines);
    return c;
}

std::string TIniFile::ConfigFolder() {
    auto strip = [](std::string s) {
        while (s.size() > 1 && s.back() == '/') s.pop_back();
        return s;
    };
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return strip(xdg);  // the XDG rule: relative values are ignored
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return strip(home) + "/.config";
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
        return strip(pw->pw_dir) + "/.config";
    return ".config";
}

TIniFile::TIniFile(const std::string& fileName) : TIniFile(fileName, false) {}

TIniFile::TIniFile(const std::string& fileName, bool inMemory) : fileName_(fileName), inMemory_(inMemory) {
    if (fileName.find('/') == npos) {
        const std::string folder = ConfigFolder();
        path_ = (folder == "/" ? std::string() : folder) + "/" + fileName;
    } else {
        path_ = fileName;
    }
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const {
    const TIniLine* key = Contents().Key(Trim(section), Trim(ident));
    return key == nullptr ? def : key->Value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) const {
    int value = 0;
    return ParseProfileInt(ReadString(section, ident, ""), value) ? value : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::ReadSection(const std::string& section, std::vector<std::string>& keys) const {
    keys.clear();
    const TIniLines& lines = Contents().Lines;
    for (const TIniLine* k : SectionKeys(lines, Trim(section))) keys.push_back(k->Name);
}

void TIniFile::ReadSections(std::vector<std::string>& sections) const {
    sections.clear();
    const TIniLines& lines = Contents().Lines;
    for (const auto& line : lines) {
        if (line.Kind != TIniLine::Section) continue;
        bool seen = false;
        for (const auto& s : sections) seen = seen || SameText(s, line.Name);
        if (!seen) sections.push_back(line.Name);
    }
}

void TIniFile::ReadSectionValues(const std::string& section, std::vector<std::string>& values) const {
    values.clear();
    const TIniLines& lines = Contents().Lines;
    for (const TIniLine* k : SectionKeys(lines, Trim(section))) values.push_back(k->Name + "=" + k->Value);
}

bool TIniFile::SectionExists(const std::string& section) const {
    const TIniLines& lines = Contents().Lines;
    return !SectionKeys(lines, Trim(section)).empty();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
    return Contents().Key(Trim(section), Trim(ident)) != nullptr;
}

namespace {

// Writes the lines as the whole file; the contents then hold what was written.
void Store(TIniContents& contents, const std::string& path, TIniLines lines) {
    const std::string failure = "Unable to write to " + path;
    if (!contents.Readable) throw EIniFileException(failure);  // never replace a file we could not read
    const std::string after = ToText(lines);
    try {
        const auto slash = path.rfind('/');
        if (slash != npos && slash > 0) {
            const std::string folder = path.substr(0, slash);
            if (!DirectoryExists(folder) && !ForceDirectories(folder)) throw EIniFileException(failure);
        }
        SafeWriteFile(path,
                      [&](TStream& out) { out.WriteBuffer(after.data(), static_cast<std::int64_t>(after.size())); });
    } catch (const std::exception&) {
        throw EIniFileException(failure);
    }
    struct stat st {};
    contents = TIniContents{};
    if (::stat(path.c_str(), &st) != 0) return;  // read again at the next read
    contents.Identify(true, st);
    contents.Lines = std::move(lines);
    contents.Index();
}

}  // namespace

void TIniFile::Change(const std::function<void(TIniLines&)>& change) {
    if (inMemory_) {
        // Indexed again at the next read only: a run of writes stays linear in the size of the file.
        TIniContents& contents = contents_ ? *contents_ : Contents();
        change(contents.Lines);
        contents.Stale = true;
        modified_ = true;
        return;
    }
    TIniContents& contents = Contents();
    if (!contents.Readable) throw EIniFileException("Unable to write to " + path_);
    TIniLines lines = contents.Lines;
    const std::string before = contents.Exists ? ToText(lines) : std::string();
    change(lines);
    if (contents.Exists && ToText(lines) == before) return;
    if (!contents.Exists && lines.empty()) return;
    Store(contents, path_, std::move(lines));
}

void TIniFile::UpdateFile() {
    if (!inMemory_ || !modified_) return;
    TIniContents& contents = Contents();
    if (contents.Exists ? ToText(contents.Lines) == contents.ReadText : contents.Lines.empty()) {
        modified_ = false;
        return;
    }
    Store(contents, path_, contents.Lines);
    contents.ReadText = ToText(contents.Lines);
    modified_ = false;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    const std::string sec = Trim(section);
    const std::string key = Trim(ident);
    if (sec.empty() || key.empty() || sec.find(']') != npos || key.find('=') != npos || key.front() == ';' ||
        key.front() == '[' || HasLineBreak(sec) || HasLineBreak(key) || HasLineBreak(value))
        throw EIniFileException("Unable to write to " + path_);
    Change([&](TIniLines& lines) {
        const std::size_t header = FindSection(lines, sec);
        if (header == npos) {
            if (!lines.empty() && !Trim(lines.back().Text).empty()) lines.push_back(ParseLine(""));
            lines.push_back(ParseLine("[" + sec + "]"));
            lines.push_back(ParseLine(key + "=" + value));
            return;
        }
        const std::size_t found = FindKey(lines, header, key);
        if (found != npos) {
            lines[found] = ParseLine(lines[found].Name + "=" + value);
            return;
        }
        std::size_t last = header;
        const std::size_t end = SectionEnd(lines, header);
        for (std::size_t i = header + 1; i < end; ++i)
            if (!Trim(lines[i].Text).empty()) last = i;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last + 1), ParseLine(key + "=" + value));
    });
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
    const std::string sec = Trim(section);
    Change([&](TIniLines& lines) {
        for (std::size_t header = FindSection(lines, sec); header != npos; header = FindSection(lines, sec)) {
            const std::size_t end = SectionEnd(lines, header);
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(header),
                        lines.begin() + static_cast<std::ptrdiff_t>(end));
        }
    });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    const std::string sec = Trim(section);
    const std::string key = Trim(ident);
    Change([&](TIniLines& lines) {
        const std::size_t header = FindSection(lines, sec);
        if (header == npos) return;
        const std::size_t found = FindKey(lines, header, key);
        if (found != npos) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(found));
    });
}

}  // namespace zel
