#pragma once
// TIniFile: a settings file with the rules of the Windows profile-file functions.
//
// - A bare file name (no '/') lives in the per-user configuration folder ($XDG_CONFIG_HOME, else
//   $HOME/.config), our stand-in for the Windows folder; the folder is created when a write needs it.
// - Section and key names are compared without regard to ASCII case, after trimming the blanks around
//   them; keys may contain spaces ("Single Note"), so may sections ("Data Card").
// - A line "[name]" starts a section; "key=value" is a key (blanks around key and value trimmed, the value
//   is raw text: no quotes or escapes); a line whose first non-blank character is ';' is a comment. Other
//   lines, and keys before the first section, are kept but never read.
// - The first section of a name and the first key of a name inside it win; later duplicates are ignored.
// - The file is read once and kept, as Windows keeps it: a read looks its key up in what was read, after
//   a check that the file is still the one read (same inode, size and time of change). Every write puts a
//   new file in place, so two TIniFile objects on one file see each other's writes. A file that is
//   missing or cannot be read gives the defaults.
// - Every write rewrites the whole file through the safe file writer, keeping every other line, comment
//   and their order: a changed key keeps its place (and its spelling), a new key goes after the last
//   non-blank line of its section, a new section at the end of the file after a blank line. Lines are
//   written with CR LF endings; LF or CR LF are read.
// - A write that fails raises EIniFileException "Unable to write to <path>" and leaves the old file; the
//   settings code of the Parts ignores it, as the Windows functions only return false.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(EIniFileException, Exception)

struct TIniContents;
struct TIniDoc;

class TIniFile : public TObject {
public:
    explicit TIniFile(const std::string& fileName);
    std::string ClassName() const override { return "TIniFile"; }

    // The name as given, and the file actually used (after the bare-name rule).
    const std::string& FileName() const { return fileName_; }
    const std::string& Path() const { return path_; }

    // The value of the key, or def when the section or key is missing. "key=" gives "".
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
    // The value as an integer: blanks, an optional sign, then "0x"/"$" and hex digits or decimal digits;
    // only the leading digits count ("12abc" is 12); no digits, or a value outside int, gives def.
    int ReadInteger(const std::string& section, const std::string& ident, int def) const;
    // ReadInteger(section, ident, def ? 1 : 0) != 0.
    bool ReadBool(const std::string& section, const std::string& ident, bool def) const;

    // Sets the key's value (adding the key, and the section, when missing). A section containing ']', a
    // key containing '=' or starting with ';' or '[', an empty name, or a CR/LF anywhere cannot be stored
    // and raise EIniFileException.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);  // "1" / "0"

    // The keys of the section, in file order, without duplicates (cleared first).
    void ReadSection(const std::string& section, std::vector<std::string>& keys) const;
    // Every section's name, in file order, without duplicates (cleared first).
    void ReadSections(std::vector<std::string>& sections) const;
    // "key=value" for every key of the section (cleared first).
    void ReadSectionValues(const std::string& section, std::vector<std::string>& values) const;
    // True when the section holds at least one key (as the platform's ini class answers).
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& ident) const;

    // Removes every section of that name with all its lines.
    void EraseSection(const std::string& section);
    // Removes the key that ReadString would find.
    void DeleteKey(const std::string& section, const std::string& ident);
    // Writes are immediate, nothing is pending; a TMemIniFile writes its pending changes here.
    void UpdateFile();

    // The per-user configuration folder, without a trailing '/'.
    static std::string ConfigFolder();

protected:
    // inMemory: the file is read once, writes change only what was read, and UpdateFile writes them.
    TIniFile(const std::string& fileName, bool inMemory);

private:
    // The file's lines as last read or written; read again when the file changed, unless in memory.
    TIniContents& Contents() const;
    // Applies change to the lines and writes the file at once, or (in memory) marks it modified.
    void Change(const std::function<void(TIniDoc&)>& change);

    std::string fileName_;
    std::string path_;
    bool inMemory_ = false;
    bool modified_ = false;
    mutable std::shared_ptr<TIniContents> contents_;
};

// TMemIniFile: the rules of TIniFile, but the file is read once, at the first read or write, and every
// change stays in memory until UpdateFile writes the whole file in one go (through the safe file writer;
// nothing is written when nothing changed). A store of many keys is thus written once, not once a key.
// Sections and keys are found through indexes kept up to date with the changes, so a run of reads and writes
// costs about the same per key in a file of ten sections as in one of ten thousand.
// Changes not written by UpdateFile are lost with the object. Other writers to the file are not seen.
class TMemIniFile : public TIniFile {
public:
    explicit TMemIniFile(const std::string& fileName) : TIniFile(fileName, true) {}
    std::string ClassName() const override { return "TMemIniFile"; }
};

}  // namespace zel
