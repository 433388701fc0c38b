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

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
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

// One section as it stands in the file: its header line and the lines up to the next header. The lines before
// the first header form a block without a header. An erased block stays in place, empty, so that the blocks
// after it keep their numbers.
struct TIniBlock {
    bool HasHeader = false;
    TIniLine Header;
    TIniLines Body;
    bool Erased = false;

    // The first line of each key name (upper case) in the body; made again after lines come or go.
    const std::unordered_map<std::string, std::size_t>& Keys() const {
        if (!keysValid_) {
            keys_.clear();
            for (std::size_t i = 0; i < Body.size(); ++i)
                if (Body[i].Kind == TIniLine::Key) keys_.emplace(UpperAscii(Body[i].Name), i);
            keysValid_ = true;
        }
        return keys_;
    }
    std::size_t FindKey(std::string_view ident) const {
        const auto it = Keys().find(UpperAscii(ident));
        return it == Keys().end() ? npos : it->second;
    }
    void LinesChanged() { keysValid_ = false; }

private:
    mutable bool keysValid_ = false;
    mutable std::unordered_map<std::string, std::size_t> keys_;
};

// The file's lines as blocks, with the blocks of each section name (upper case) in file order: a look-up
// costs the same in a file of ten sections as in one of ten thousand.
struct TIniDoc {
    std::vector<TIniBlock> Blocks{TIniBlock{}};
    std::unordered_map<std::string, std::vector<std::size_t>> Sections;

    static TIniDoc Parse(const std::string& bytes) {
        TIniDoc doc;
        std::size_t start = 0;
        while (start < bytes.size()) {
            auto end = bytes.find('\n', start);
            const bool last = end == npos;
            if (last) end = bytes.size();
            std::size_t stop = end;
            if (stop > start && bytes[stop - 1] == '\r') --stop;
            TIniLine line = ParseLine(bytes.substr(start, stop - start));
            if (line.Kind == TIniLine::Section) doc.AddBlock(std::move(line));
            else doc.Blocks.back().Body.push_back(std::move(line));
            start = last ? bytes.size() : end + 1;
        }
        return doc;
    }
    std::string Text() const {
        std::string out;
        auto put = [&out](const TIniLine& line) {
            out += line.Text;
            out += "\r\n";
        };
        for (const TIniBlock& block : Blocks) {
            if (block.Erased) continue;
            if (block.HasHeader) put(block.Header);
            for (const TIniLine& line : block.Body) put(line);
        }
        return out;
    }
    bool Empty() const { return LastLine() == nullptr; }
    TIniBlock& AddBlock(TIniLine header) {
        TIniBlock block;
        block.HasHeader = true;
        block.Header = std::move(header);
        Sections[UpperAscii(block.Header.Name)].push_back(Blocks.size());
        Blocks.push_back(std::move(block));
        return Blocks.back();
    }
    // The first block of the section; nullptr when there is none.
    const TIniBlock* First(std::string_view section) const {
        const auto it = Sections.find(UpperAscii(section));
        return it == Sections.end() || it->second.empty() ? nullptr : &Blocks[it->second.front()];
    }
    TIniBlock* First(std::string_view section) {
        return const_cast<TIniBlock*>(static_cast<const TIniDoc*>(this)->First(section));
    }
    TIniBlock& LastBlock() {
        std::size_t i = Blocks.size() - 1;
        while (i > 0 && Blocks[i].Erased) --i;
        return Blocks[i];
    }
    const TIniLine* LastLine() const {
        for (std::size_t i = Blocks.size(); i-- > 0;) {
            const TIniBlock& block = Blocks[i];
            if (block.Erased) continue;
            if (!block.Body.empty()) return &block.Body.back();
            if (block.HasHeader) return &block.Header;
        }
        return nullptr;
    }
    void Erase(std::string_view section) {
        const auto it = Sections.find(UpperAscii(section));
        if (it == Sections.end()) return;
        for (const std::size_t i : it->second) {
            Blocks[i].Erased = true;
            Blocks[i].Body.clear();
            Blocks[i].LinesChanged();
        }
        Sections.erase(it);
    }
};

// The file as last read or written, with its identity when it was read.
struct TIniContents {
    bool Loaded = false;
    bool Exists = false;
    bool Readable = true;
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Changed{};
    TIniDoc Doc;
    std::string ReadText;  // in memory: the text as read, to skip an update that changes nothing

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
    const TIniLine* Key(std::string_view section, std::string_view ident) const {
        const TIniBlock* block = Doc.First(section);
        if (block == nullptr) return nullptr;
        const std::size_t i = block->FindKey(ident);
        return i == npos ? nullptr : &block->Body[i];
    }
};

TIniContents& TIniFile::Contents() const {
    if (inMemory_ && contents_) return *contents_;
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
            c.Doc = TIniDoc::Parse(data.DataString());
        } catch (const Exception&) {
            c.Readable = false;
            c.Loaded = false;  // tried again at the next read
        }
    }
    if (inMemory_) c.ReadText = c.Doc.Text();
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

namespace {

// The keys of the section's first block, first spelling of each, in file order.
std::vector<const TIniLine*> SectionKeys(const TIniDoc& doc, std::string_view section) {
    std::vector<const TIniLine*> keys;
    const TIniBlock* block = doc.First(section);
    if (block == nullptr) return keys;
    for (std::size_t i = 0; i < block->Body.size(); ++i) {
        const TIniLine& line = block->Body[i];
        if (line.Kind == TIniLine::Key && block->FindKey(line.Name) == i) keys.push_back(&line);
    }
    return keys;
}

}  // namespace

void TIniFile::ReadSection(const std::string& section, std::vector<std::string>& keys) const {
    keys.clear();
    for (const TIniLine* k : SectionKeys(Contents().Doc, Trim(section))) keys.push_back(k->Name);
}

void TIniFile::ReadSections(std::vector<std::string>& sections) const {
    sections.clear();
    const TIniDoc& doc = Contents().Doc;
    for (std::size_t i = 0; i < doc.Blocks.size(); ++i) {
        const TIniBlock& block = doc.Blocks[i];
        // The first block of each name gives the name's spelling.
        if (block.HasHeader && !block.Erased && doc.Sections.at(UpperAscii(block.Header.Name)).front() == i)
            sections.push_back(block.Header.Name);
    }
}

void TIniFile::ReadSectionValues(const std::string& section, std::vector<std::string>& values) const {
    values.clear();
    for (const TIniLine* k : SectionKeys(Contents().Doc, Trim(section))) values.push_back(k->Name + "=" + k->Value);
}

bool TIniFile::SectionExists(const std::string& section) const {
    const TIniBlock* block = Contents().Doc.First(Trim(section));
    return block != nullptr && !block->Keys().empty();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
    return Contents().Key(Trim(section), Trim(ident)) != nullptr;
}

namespace {

// Writes the document as the whole file; the contents then hold what was written.
void Store(TIniContents& contents, const std::string& path, TIniDoc doc) {
    const std::string failure = "Unable to write to " + path;
    if (!contents.Readable) throw EIniFileException(failure);  // never replace a file we could not read
    const std::string after = doc.Text();
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
    contents.Doc = std::move(doc);
}

}  // namespace

void TIniFile::Change(const std::function<void(TIniDoc&)>& change) {
    if (inMemory_) {
        TIniContents& contents = Contents();
        change(contents.Doc);
        modified_ = true;
        return;
    }
    TIniContents& contents = Contents();
    if (!contents.Readable) throw EIniFileException("Unable to write to " + path_);
    TIniDoc doc = contents.Doc;
    const std::string before = contents.Exists ? doc.Text() : std::string();
    change(doc);
    if (contents.Exists && doc.Text() == before) return;
    if (!contents.Exists && doc.Empty()) return;
    Store(contents, path_, std::move(doc));
}

void TIniFile::UpdateFile() {
    if (!inMemory_ || !modified_) return;
    TIniContents& contents = Contents();
    const std::string text = contents.Doc.Text();
    if (contents.Exists ? text == contents.ReadText : contents.Doc.Empty()) {
        modified_ = false;
        return;
    }
    Store(contents, path_, contents.Doc);
    contents.ReadText = text;
    modified_ = false;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    const std::string sec = Trim(section);
    const std::string key = Trim(ident);
    if (sec.empty() || key.empty() || sec.find(']') != npos || key.find('=') != npos || key.front() == ';' ||
        key.front() == '[' || HasLineBreak(sec) || HasLineBreak(key) || HasLineBreak(value))
        throw EIniFileException("Unable to write to " + path_);
    Change([&](TIniDoc& doc) {
        TIniBlock* block = doc.First(sec);
        if (block == nullptr) {
            // A new section goes at the end of the file, after a blank line.
            if (const TIniLine* last = doc.LastLine(); last != nullptr && !Trim(last->Text).empty()) {
                TIniBlock& end = doc.LastBlock();
                end.Body.push_back(ParseLine(""));
                end.LinesChanged();
            }
            doc.AddBlock(ParseLine("[" + sec + "]")).Body.push_back(ParseLine(key + "=" + value));
            return;
        }
        const std::size_t found = block->FindKey(key);
        if (found != npos) {
            block->Body[found] = ParseLine(block->Body[found].Name + "=" + value);  // same name: index holds
            return;
        }
        // A new key goes after the section's last non-blank line.
        std::size_t at = 0;
        for (std::size_t i = 0; i < block->Body.size(); ++i)
            if (!Trim(block->Body[i].Text).empty()) at = i + 1;
        block->Body.insert(block->Body.begin() + static_cast<std::ptrdiff_t>(at), ParseLine(key + "=" + value));
        block->LinesChanged();
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
    Change([&](TIniDoc& doc) { doc.Erase(sec); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    const std::string sec = Trim(section);
    const std::string key = Trim(ident);
    Change([&](TIniDoc& doc) {
        TIniBlock* block = doc.First(sec);
        if (block == nullptr) return;
        const std::size_t found = block->FindKey(key);
        if (found == npos) return;
        block->Body.erase(block->Body.begin() + static_cast<std::ptrdiff_t>(found));
        block->LinesChanged();
    });
}

}  // namespace zel
