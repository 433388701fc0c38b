#pragma once
// The two name files the pickers read: "Names.Txt", delivered beside the program, and "UserCard.Txt",
// which the program writes from the names it receives. Both are bytes (Windows-1252), one name a line;
// a line whose first byte is C7H closes the current list and opens the next; empty lines are skipped.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/StringList.h"

namespace zel {

inline constexpr const char* NamesFileName = "Names.Txt";
inline constexpr const char* UserCardFileName = "UserCard.Txt";
inline constexpr char NameListSeparator = '\xC7';
// The instrument's names are 12 characters long.
inline constexpr std::size_t NameLength = 12;
// The message of a name file that cannot be read.
inline constexpr const char* NameFileLoadError = "Unable to Load File Names.Txt Or UserCard.Txt";

// The lines of a name file's bytes, split at CR LF, LF or a lone CR; a last line without an end counts.
std::vector<std::string_view> NameFileLines(std::string_view Bytes);

// Reads a name file's names into Lists[First], Lists[First + 1], ...: empty lines are skipped, a
// separator line moves on to the next list, and names past the last list are dropped. Answers the index
// of the list that is current at the end of the file (which may lie past the last list). A file that
// cannot be read (a folder in its place, a read error) raises EInOutError with NameFileLoadError; the
// lists keep what was added before.
int ReadNameFile(const std::string& FileName, std::span<TStrings* const> Lists, int First);

// True when nothing at all stands at the path (a folder or an unreadable file is not missing).
bool NameFileMissing(const std::string& FileName);

// The bytes of a name file holding the lists, each followed by a separator line of the single byte C7H.
// Every name is written as exactly 12 characters, cut or padded with blanks and with bytes below 20H
// turned into blanks, so that an all-blank name still takes its line and no name can split into two.
std::string NameFileText(std::span<TStrings* const> Lists);

// The file's path in a folder.
std::string NameFilePath(const std::string& Folder, const char* FileName);

// Copies the program folder's "Names.Txt" into the data folder when the data folder has none; a copy
// that cannot be made leaves the data folder as it was. True when a file was copied.
bool InstallNamesFile(const std::string& ProgramFolder, const std::string& DataFolder);

}  // namespace zel
