#include "app/NameFiles.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/rtl/SafeFile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

namespace zel {

namespace {

// The whole file as bytes; raises on anything that is not a readable regular file.
std::string ReadFileBytes(const std::string& FileName) {
    if (DirectoryExists(FileName)) throw EInOutError(NameFileLoadError);
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    const std::int64_t size = file.GetSize();
    if (size < 0) throw EInOutError(NameFileLoadError);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0) file.ReadBuffer(bytes.data(), size);
    return bytes;
}

}  // namespace

std::vector<std::string_view> NameFileLines(std::string_view Bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < Bytes.size(); ++i) {
        const char c = Bytes[i];
        if (c != '\r' && c != '\n') continue;
        lines.push_back(Bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < Bytes.size() && Bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < Bytes.size()) lines.push_back(Bytes.substr(start));
    return lines;
}

int ReadNameFile(const std::string& FileName, std::span<TStrings* const> Lists, int First) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(FileName);
    } catch (const std::exception&) {
        throw EInOutError(NameFileLoadError);
    }
    int current = First;
    const int count = static_cast<int>(Lists.size());
    for (std::string_view line : NameFileLines(bytes)) {
        if (line.empty()) continue;
        if (line.front() == NameListSeparator) {
            ++current;
        } else if (current >= 0 && current < count) {
            Lists[static_cast<std::size_t>(current)]->Add(std::string(line));
        }
    }
    return current;
}

bool NameFileMissing(const std::string& FileName) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(FileName, error);
    return status.type() == std::filesystem::file_type::not_found;
}

std::string NameFileText(std::span<TStrings* const> Lists) {
    std::string text;
    for (TStrings* list : Lists) {
        const int count = list->GetCount();
        text.reserve(text.size() + static_cast<std::size_t>(count) * (NameLength + 2) + 3);
        for (int i = 0; i < count; ++i) {
            std::string name = list->Get(i);
            name.resize(NameLength, ' ');
            for (char& c : name)
                if (static_cast<unsigned char>(c) < 0x20) c = ' ';
            text += name;
            text += "\r\n";
        }
        text += NameListSeparator;
        text += "\r\n";
    }
    return text;
}

std::string NameFilePath(const std::string& Folder, const char* FileName) {
    return IncludeTrailingPathDelimiter(Folder) + FileName;
}

bool InstallNamesFile(const std::string& ProgramFolder, const std::string& DataFolder) {
    const std::string target = NameFilePath(DataFolder, NamesFileName);
    if (!NameFileMissing(target)) return false;
    try {
        const std::string bytes = ReadFileBytes(NameFilePath(ProgramFolder, NamesFileName));
        SafeWriteFile(target,
                      [&bytes](TStream& s) { s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size())); });
        return true;
    } catch (const std::exception&) {
        // Without a copy the picker reads what it finds, and says so when it finds nothing.
        return false;
    }
}

}  // namespace zel
