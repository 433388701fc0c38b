// Damaged and unusual element files, one table over the three formats: each is refused with its load
// error and leaves the element as it was, or is kept whole; loading never changes the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "model/Bank.h"
#include "model/Global.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "model/SystemElem.h"
#include "support/TempDir.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

enum class TFormat { Syx, Lib, Glb };

struct TFileCase {
    const char* Name;
    TFormat Format;
    ElementType Kind;       // the element a .Syx file is loaded into
    std::size_t ShiftTail;  // > 0: the last ShiftTail bytes move one place on, the very last byte dropped
    bool TrailingByte;      // one byte appended
    bool ForeignHeader;     // another device and a stale checksum in the first message
    bool LongPath;          // the file lies at a path longer than a library record's 79-character field
    const char* Error;      // the load error; none: the file is kept
};

void PrintTo(const TFileCase& c, std::ostream* os) { *os << c.Name; }

std::unique_ptr<TLibElem> MakeElement(const TFileCase& c) {
    switch (c.Format) {
        case TFormat::Syx: return CreateElementOfType(c.Kind, nullptr);
        case TFormat::Lib: return std::make_unique<TLibrary>();
        case TFormat::Glb: return std::make_unique<TGlobal>(nullptr);
    }
    return nullptr;
}

Bytes StreamBytes(const std::function<void(TStream&)>& write) {
    TMemoryStream stream;
    write(stream);
    const std::string s = stream.DataString();
    return Bytes(s.begin(), s.end());
}

// Everything a file could change of an element: its library record, or a library's whole file.
Bytes Snapshot(TLibElem& element) {
    if (auto* library = dynamic_cast<TLibrary*>(&element))
        return StreamBytes([library](TStream& s) { library->WriteFile(s); });
    return StreamBytes([&element](TStream& s) { element.WriteLibRecord(s); });
}

// A valid file of the case's format with recognisable data; a library holds one patch.
Bytes ValidFile(const TFileCase& c) {
    switch (c.Format) {
        case TFormat::Syx: {
            std::unique_ptr<TLibElem> source = CreateElementOfType(c.Kind, nullptr);
            if (auto* patch = dynamic_cast<TPatch*>(source.get())) patch->SetName("Shifted", false);
            return SyxOf(*source);
        }
        case TFormat::Lib: {
            TLibrary library;
            auto patch = std::make_unique<TPatch>(&library);
            patch->SetName("Kept", false);
            library.Elements.push_back(std::move(patch));
            return Snapshot(library);
        }
        case TFormat::Glb: {
            TGlobal global(nullptr);
            global.System().Common->Data()[3] = 0x21;
            return Snapshot(global);
        }
    }
    return {};
}

Bytes Damage(const TFileCase& c, Bytes file) {
    if (c.ShiftTail > 0) {
        file.insert(file.end() - static_cast<long>(c.ShiftTail), 0x00);
        file.pop_back();
    }
    if (c.TrailingByte) file.push_back(0x00);
    if (c.ForeignHeader) {
        file[2] = 0x05;
        file[81] ^= 0x11;
    }
    return file;
}

void Load(TModelTestScope& model, TLibElem& element, const std::string& path) {
    if (auto* library = dynamic_cast<TLibrary*>(&element)) {
        library->LoadFromFile(path);
    } else if (auto* global = dynamic_cast<TGlobal*>(&element)) {
        global->LoadGlobalFile(path);
    } else {
        model.Dialogs.Confirm(path);
        element.LoadSyxDialog();
    }
}

// Loads as Load does and returns the error the load reported, empty when it read the file.
std::string LoadError(TModelTestScope& model, TLibElem& element, const std::string& path) {
    try {
        Load(model, element, path);
    } catch (const EInOutError& e) {
        return e.Message;
    }
    return {};
}

// A plain Save: straight to the element's file, without a dialog.
void Save(TLibElem& element) {
    if (auto* library = dynamic_cast<TLibrary*>(&element)) {
        library->SaveDialog(false);
    } else if (auto* global = dynamic_cast<TGlobal*>(&element)) {
        global->SaveGlobalDialog(false);
    } else {
        element.SaveSyxDialog(false);
    }
}

int FilesUnder(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) ++count;
    return count;
}

class DamagedFiles : public ::testing::TestWithParam<TFileCase> {
protected:
    TModelTestScope model;
    TempDir dir;
};

TEST_P(DamagedFiles, AreRefusedWithTheElementUnchangedOrKeptWhole) {
    const TFileCase& c = GetParam();
    const Bytes file = Damage(c, ValidFile(c));
    std::filesystem::path folder = dir.Path();
    if (c.LongPath) folder /= std::string(90, 'f');
    std::filesystem::create_directories(folder);
    const char* extension = c.Format == TFormat::Syx ? ".Syx" : c.Format == TFormat::Lib ? ".Lib" : ".Glb";
    const std::string path = (folder / (std::string("Studio") + extension)).string();
    WriteAll(path, std::string(file.begin(), file.end()));

    std::unique_ptr<TLibElem> element = MakeElement(c);
    const std::string fileNameBefore = element->FileName;
    const Bytes before = Snapshot(*element);
    const std::string error = LoadError(model, *element, path);
    EXPECT_EQ(ReadAll(path), std::string(file.begin(), file.end()));
    if (c.Error != nullptr) {
        EXPECT_EQ(error, c.Error);
        EXPECT_EQ(Snapshot(*element), before);
        EXPECT_EQ(element->FileName, fileNameBefore);
        return;
    }
    ASSERT_EQ(error, "");
    EXPECT_TRUE(model.Messages.Shown.empty());
    EXPECT_EQ(element->FileName, path);
    // A plain Save goes back to that very file, not to a cut path.
    Save(*element);
    EXPECT_EQ(ReadAll(path).size(), file.size());
    EXPECT_EQ(FilesUnder(dir.Path()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFiles,
    ::testing::Values(
        TFileCase{"PatchSyxMovedByAByte", TFormat::Syx, etPatch, 643, false, false, false, "Error Loadind Sysex"},
        TFileCase{"SystemSyxLastMessageMoved", TFormat::Syx, etSystem, 23, false, false, false, "Error Loadind Sysex"},
        TFileCase{"PerformanceBankSyxMovedInItsLastMember", TFormat::Syx, etPerformanceBank, 100, false, false, false,
                  "Error Loadind Sysex"},
        TFileCase{"PatchSyxOfAnotherDeviceWithAStaleChecksum", TFormat::Syx, etPatch, 0, false, true, false, nullptr},
        TFileCase{"LibWithAMovedPatchBody", TFormat::Lib, etPatch, 643, false, false, false, "Error Loading Library"},
        TFileCase{"GlbWithAMovedSystemBody", TFormat::Glb, etGlobal, 442, false, false, false, "Error Loadind Global"},
        TFileCase{"GlbWithATrailingByte", TFormat::Glb, etGlobal, 0, true, false, false, "Error Loadind Global"},
        TFileCase{"GlbAtALongPath", TFormat::Glb, etGlobal, 0, false, false, true, nullptr},
        TFileCase{"LibAtALongPath", TFormat::Lib, etPatch, 0, false, false, true, nullptr}),
    [](const ::testing::TestParamInfo<TFileCase>& info) { return std::string(info.param.Name); });

// ----------------------------------------------------------------------------- hostile and special files

// A sparse file: Size bytes that read as zeros after Head, taking no room on the disk.
void Sparse(const std::string& path, const Bytes& head, std::int64_t size) {
    WriteAll(path, std::string(head.begin(), head.end()));
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(size)), 0);
}

// Notes lines of one byte each, then the notes' end, the geometry and no element.
Bytes ManyNoteLines(int lines) {
    Bytes file;
    for (int i = 0; i < lines; ++i) file.insert(file.end(), {0x01, 0x00, 'n'});
    file.insert(file.end(), 10, 0xFF);
    return file;
}

constexpr std::int64_t Mega = std::int64_t{1} << 20;

struct THostileCase {
    const char* Name;
    TFormat Format;
    // Makes the thing to load at the path; the path may also be replaced (a device).
    std::function<void(std::string& path)> Make;
    const char* Error;    // the load error; none: the message below shows
    const char* Message;  // the message shown instead of an error
};

void PrintTo(const THostileCase& c, std::ostream* os) { *os << c.Name; }

class HostileFiles : public ::testing::TestWithParam<THostileCase> {
protected:
    TModelTestScope model;
    TempDir dir;
};

// Whatever the file holds or is, the load ends at once with its error, reads no more than a valid file
// of the kind has, and leaves the element as it was.
TEST_P(HostileFiles, AreRefusedAtOnceWithTheElementUnchanged) {
    const THostileCase& c = GetParam();
    std::string path = dir.File(c.Format == TFormat::Syx ? "x.Syx" : c.Format == TFormat::Lib ? "x.Lib" : "x.Glb");
    c.Make(path);
    if (HasFatalFailure()) return;
    const TFileCase kind{c.Name, c.Format, etPatch, 0, false, false, false, nullptr};
    std::unique_ptr<TLibElem> element = MakeElement(kind);
    const Bytes before = Snapshot(*element);
    const std::string error = LoadError(model, *element, path);
    EXPECT_EQ(Snapshot(*element), before);
    if (c.Error != nullptr) {
        EXPECT_EQ(error, c.Error);
        EXPECT_TRUE(model.Messages.Shown.empty());
    } else {
        EXPECT_EQ(error, "");
        ASSERT_EQ(model.Messages.Shown.size(), 1u);
        EXPECT_EQ(model.Messages.Shown[0].Text, c.Message);
    }
}

const auto Zeros = [](std::int64_t size) { return [size](std::string& path) { Sparse(path, {}, size); }; };
const auto Fifo = [](std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); };
const auto Folder = [](std::string& path) { std::filesystem::create_directory(path); };
const auto Device = [](std::string& path) { path = "/dev/null"; };
const auto WithBytes = [](Bytes bytes) {
    return [bytes](std::string& path) { WriteAll(path, std::string(bytes.begin(), bytes.end())); };
};
// A valid file of the format with zeros after it up to Size.
const auto ValidThenZeros = [](TFormat format, std::int64_t size) {
    return [format, size](std::string& path) {
        Sparse(path, ValidFile(TFileCase{"", format, etPatch, 0, false, false, false, nullptr}), size);
    };
};

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFiles,
    ::testing::Values(THostileCase{"LibOfZeros", TFormat::Lib, Zeros(200 * Mega), "Error Loading Library", nullptr},
                      THostileCase{"LibLargerThanAnyLibrary", TFormat::Lib, ValidThenZeros(TFormat::Lib, 300 * Mega),
                                   "Error Loading Library", nullptr},
                      THostileCase{"LibWithTooManyNotesLines", TFormat::Lib, WithBytes(ManyNoteLines(MaxNoteLines + 1)),
                                   "Error Loading Library", nullptr},
                      THostileCase{"LibNotesLineLongerThanTheFile", TFormat::Lib,
                                   WithBytes({0xFF, 0x7F, 'a', 'b', 'c'}), "Error Loading Library", nullptr},
                      THostileCase{"LibNotesLineOfANegativeLength", TFormat::Lib,
                                   WithBytes({0x00, 0x80, 'a', 'b', 'c'}), "Error Loading Library", nullptr},
                      THostileCase{"LibFifo", TFormat::Lib, Fifo, "Error Loading Library", nullptr},
                      THostileCase{"LibFolder", TFormat::Lib, Folder, "Error Loading Library", nullptr},
                      THostileCase{"LibDevice", TFormat::Lib, Device, "Error Loading Library", nullptr},
                      THostileCase{"GlbOfZeros", TFormat::Glb, Zeros(200 * Mega), "Error Loadind Global", nullptr},
                      THostileCase{"GlbValidThenZeros", TFormat::Glb, ValidThenZeros(TFormat::Glb, 200 * Mega),
                                   "Error Loadind Global", nullptr},
                      THostileCase{"GlbNameLongerThanItsField", TFormat::Glb, WithBytes({0x07, 0x00, 0xFF, 'a', 'b'}),
                                   "Error Loadind Global", nullptr},
                      THostileCase{"GlbFifo", TFormat::Glb, Fifo, "Error Loadind Global", nullptr},
                      THostileCase{"GlbFolder", TFormat::Glb, Folder, "Error Loadind Global", nullptr},
                      THostileCase{"GlbDevice", TFormat::Glb, Device, "Error Loadind Global", nullptr},
                      THostileCase{"SyxOfZeros", TFormat::Syx, Zeros(200 * Mega), nullptr,
                                   "Incorrect SysEx File Type."},
                      THostileCase{"SyxFifo", TFormat::Syx, Fifo, "Error Loadind Sysex", nullptr},
                      THostileCase{"SyxFolder", TFormat::Syx, Folder, "Error Loadind Sysex", nullptr},
                      THostileCase{"SyxDevice", TFormat::Syx, Device, "Error Loadind Sysex", nullptr}),
    [](const ::testing::TestParamInfo<THostileCase>& info) { return std::string(info.param.Name); });

// The notes a library can read back are the notes it writes: one line more is refused on saving, before
// anything is written.
TEST(LibraryNotes, MoreLinesThanALibraryReadsAreNotSaved) {
    TModelTestScope model;
    TempDir dir;
    TLibrary library;
    for (int i = 0; i < MaxNoteLines; ++i) library.Notes.Add("n");
    library.SaveToFile(dir.File("full.Lib"));
    TLibrary read;
    read.LoadFromFile(dir.File("full.Lib"));
    EXPECT_EQ(read.Notes.Count(), MaxNoteLines);
    library.Notes.Add("one more");
    EXPECT_THROW(library.SaveToFile(dir.File("more.Lib")), EInOutError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("more.Lib")));
}

}  // namespace
}  // namespace zel::test
