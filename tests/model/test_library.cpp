// The library and its .Lib file: exact layout, byte-exact round trips, damaged files, safe saving and
// the dialogs, sorting, selection and moving elements.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <set>

#include "model/Library.h"
#include "model/Patch.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"
#include "support/TempDir.h"
#include "support/model/TransferFakes.h"

namespace zel::test {
namespace {

constexpr std::size_t PatchRecordSize = 135 + 120 + 643;

Bytes FileBytesOf(TLibrary& library) {
    TMemoryStream stream;
    library.WriteFile(stream);
    const std::string s = stream.DataString();
    return Bytes(s.begin(), s.end());
}

std::string AsString(const Bytes& b) { return std::string(b.begin(), b.end()); }

TPatch& AddPatch(TLibrary& library, const std::string& name, int slot, unsigned seed) {
    auto patch = std::make_unique<TPatch>(&library);
    const Bytes data = Pattern(TTone::DataSize, seed);
    for (int t = 1; t <= ToneCount; ++t) std::copy(data.begin(), data.end(), patch->Tone(t).Data());
    patch->SetName(name, false);
    patch->Temporary = 0;
    patch->User = 1;
    patch->Number = static_cast<std::int16_t>(slot);
    patch->FileName = "/data/" + name + ".Syx";
    patch->Tone(2).Editors[TTone::tePitch].Left = 120;
    patch->Common->Editors[TCommon::ceEffects].Top = 33;
    TPatch& ref = *patch;
    library.Elements.push_back(std::move(patch));
    return ref;
}

// A library with notes, geometry and two patches.
void FillSample(TLibrary& library) {
    library.Notes.Add("Sounds for the gig");
    library.Notes.Add("");
    library.Notes.Add("Pads last");
    library.WindowWidth = 400;
    library.WindowHeight = 300;
    library.WindowLeft = 12;
    library.WindowTop = 34;
    AddPatch(library, "Warm Pad", 3, 1);
    AddPatch(library, "Bass", 128, 2);
}

class LibraryFile : public ::testing::Test {
protected:
    TModelTestScope model;
    TempDir dir;
};

TEST_F(LibraryFile, AnEmptyLibraryIsTheEndMarkerAndTheGeometry) {
    TLibrary library;
    EXPECT_EQ(Hex(FileBytesOf(library)), "FF FF FF FF FF FF FF FF FF FF");
    EXPECT_EQ(library.GetName(), "Untitled.Lib");
}

TEST_F(LibraryFile, LayoutOfNotesGeometryAndAPatchRecord) {
    TLibrary library;
    library.Notes.Add("ab");
    library.Notes.Add("");
    library.WindowWidth = 0x0102;
    library.WindowHeight = 3;
    library.WindowLeft = -2;
    library.WindowTop = 5;
    TPatch& patch = AddPatch(library, "Lead", 9, 4);
    patch.CreatedDate = 40000.0;
    patch.ModifiedTime = 0.5;
    patch.WindowLeft = 7;
    const Bytes file = FileBytesOf(library);

    EXPECT_EQ(Hex(Bytes(file.begin(), file.begin() + 18)), "02 00 61 62 00 00 FF FF 02 01 03 00 FE FF 05 00 00 00");
    const std::size_t r = 16;  // the record
    ASSERT_EQ(file.size(), r + PatchRecordSize);
    EXPECT_EQ(file[r + 2], 0);    // the name field: patches keep their name in the data
    EXPECT_EQ(file[r + 15], 14);  // "/data/Lead.Syx"
    EXPECT_EQ(AsString(Bytes(file.begin() + r + 16, file.begin() + r + 30)), "/data/Lead.Syx");
    double created = 0;
    std::memcpy(&created, file.data() + r + 95, 8);
    EXPECT_EQ(created, 40000.0);
    EXPECT_EQ(Hex(Bytes(file.begin() + r + 127, file.begin() + r + 135)), "00 01 09 00 07 00 FF FF");
    // Tone editor places: tone 2's pitch left is the 7th value of its 14.
    const std::size_t tone2 = r + 135 + 28;
    EXPECT_EQ(Hex(Bytes(file.begin() + tone2 + 12, file.begin() + tone2 + 14)), "78 00");
    // The common's four values follow the tones: effects top is the last.
    EXPECT_EQ(Hex(Bytes(file.begin() + r + 135 + 118, file.begin() + r + 135 + 120)), "21 00");
    // Then the .Syx body for user slot 9.
    EXPECT_EQ(Hex(Bytes(file.begin() + r + 255, file.begin() + r + 264)), "F0 41 10 6A 12 11 08 00 00");
}

TEST_F(LibraryFile, WritingAndReadingBackGivesIdenticalBytes) {
    TLibrary library;
    FillSample(library);
    const std::string path = dir.File("Gig.Lib");
    library.SaveToFile(path);
    const std::string written = ReadAll(path);
    EXPECT_EQ(written.size(), 2u + 18 + 2 + 2 + 9 + 2 + 8 + 2 * PatchRecordSize);

    TLibrary loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.FileName, path);
    EXPECT_EQ(loaded.Saved, 1);
    ASSERT_EQ(loaded.Elements.size(), 2u);
    EXPECT_EQ(loaded.Elements[0]->GetName(), "Warm Pad");
    EXPECT_EQ(loaded.Elements[1]->Number, 128);
    EXPECT_EQ(loaded.Elements[0]->Owner, &loaded);
    EXPECT_EQ(loaded.Notes.Count(), 3);
    EXPECT_EQ(loaded.Notes[1], "");
    EXPECT_EQ(loaded.WindowTop, 34);

    const std::string again = dir.File("Again.Lib");
    loaded.SaveToFile(again);
    EXPECT_EQ(ReadAll(again), written);
}

// ------------------------------------------------------------------------------------ damaged files

struct DamageCase {
    const char* Name;
    std::function<void(Bytes&, std::size_t firstRecord)> Damage;
};

void PutI16At(Bytes& b, std::size_t at, std::int16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8);
}

class DamagedLibraries : public LibraryFile, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedLibraries, AreRefusedAndLeaveTheLibraryAsItWas) {
    TLibrary sample;
    sample.Notes.Add("ab");
    AddPatch(sample, "One", 1, 1);
    AddPatch(sample, "Two", 2, 2);
    Bytes file = FileBytesOf(sample);
    GetParam().Damage(file, 6 + 8);
    const std::string path = dir.File("Damaged.Lib");
    WriteAll(path, AsString(file));

    TLibrary library;
    FillSample(library);
    library.FileName = "/old/place.Lib";
    library.Saved = 0;
    TLibElem* first = library.Elements[0].get();
    const Bytes before = FileBytesOf(library);
    try {
        library.LoadFromFile(path);
        ADD_FAILURE() << "the damaged file was read";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message, "Error Loading Library");
    }
    EXPECT_EQ(library.Elements[0].get(), first);
    EXPECT_EQ(FileBytesOf(library), before);
    EXPECT_EQ(library.FileName, "/old/place.Lib");
    EXPECT_EQ(library.Saved, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedLibraries,
    ::testing::Values(
        DamageCase{"EmptyFile", [](Bytes& b, std::size_t) { b.clear(); }},
        DamageCase{"NoteLongerThanTheFile", [](Bytes& b, std::size_t) { PutI16At(b, 0, 0x7000); }},
        DamageCase{"NegativeNoteLength", [](Bytes& b, std::size_t) { PutI16At(b, 0, -2); }},
        DamageCase{"NotesWithoutEnd", [](Bytes& b, std::size_t) { b.resize(4); }},
        DamageCase{"GeometryCutShort", [](Bytes& b, std::size_t) { b.resize(6 + 5); }},
        DamageCase{"NameLengthByteTooLarge", [](Bytes& b, std::size_t r) { b[r + 2] = 13; }},
        DamageCase{"FileNameLengthByteTooLarge", [](Bytes& b, std::size_t r) { b[r + 15] = 80; }},
        DamageCase{"TypeCodeEight", [](Bytes& b, std::size_t r) { PutI16At(b, r, 8); }},
        DamageCase{"NegativeTypeCode", [](Bytes& b, std::size_t r) { PutI16At(b, r, -1); }},
        DamageCase{"SecondRecordTypeCodeHuge",
                   [](Bytes& b, std::size_t r) { PutI16At(b, r + PatchRecordSize, 0x7FFF); }},
        DamageCase{"SlotNumberZero", [](Bytes& b, std::size_t r) { PutI16At(b, r + 129, 0); }},
        DamageCase{"SlotNumber129", [](Bytes& b, std::size_t r) { PutI16At(b, r + 129, 129); }},
        DamageCase{"DataByteOf80H", [](Bytes& b, std::size_t r) { b[r + 255 + 9 + 3] = 0x80; }},
        DamageCase{"ToneByteOfFFH", [](Bytes& b, std::size_t r) { b[r + PatchRecordSize + 255 + 83 + 20] = 0xFF; }},
        DamageCase{"RecordCutInTheBody", [](Bytes& b, std::size_t r) { b.resize(r + PatchRecordSize - 100); }},
        DamageCase{"RecordCutInTheHeader", [](Bytes& b, std::size_t r) { b.resize(r + PatchRecordSize + 40); }},
        DamageCase{"OneTrailingByte", [](Bytes& b, std::size_t) { b.push_back(0); }}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.Name); });

TEST_F(LibraryFile, EveryCutOfAFileLoadsWholeOrIsRefused) {
    TLibrary sample;
    FillSample(sample);
    const Bytes file = FileBytesOf(sample);
    const std::size_t notes = file.size() - 8 - 2 * PatchRecordSize;
    const std::set<std::size_t> whole = {notes + 8, notes + 8 + PatchRecordSize, file.size()};
    for (std::size_t length = 0; length <= file.size(); ++length) {
        TMemoryStream stream;
        if (length > 0) stream.WriteBuffer(file.data(), static_cast<std::int64_t>(length));
        stream.SetPosition(0);
        TLibrary library;
        bool loaded = true;
        try {
            library.ReadFile(stream);
        } catch (const Exception&) {
            loaded = false;
            EXPECT_TRUE(library.Elements.empty());
        }
        EXPECT_EQ(loaded, whole.count(length) == 1) << "cut at " << length;
    }
}

TEST_F(LibraryFile, AMissingFileIsAnError) {
    TLibrary library;
    try {
        library.LoadFromFile(dir.File("Nowhere.Lib"));
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message, "Error Loading Library");
    }
}

// ------------------------------------------------------------------------------------------- saving

TEST_F(LibraryFile, ANoteLineTooLongIsRefusedBeforeTheFileIsTouched) {
    const std::string path = dir.File("Keep.Lib");
    WriteAll(path, "old contents");
    TLibrary library;
    FillSample(library);
    library.Notes.Add(std::string(32768, 'x'));
    library.Saved = 0;
    try {
        library.SaveToFile(path);
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message, "Error Saving Library");
    }
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(library.Saved, 0);
    EXPECT_EQ(library.HasFile, 0);

    library.Notes.Delete(library.Notes.Count() - 1);
    library.Notes.Add(std::string(32767, 'x'));  // the longest line that fits
    library.SaveToFile(path);
    TLibrary loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Notes[3].size(), 32767u);
}

TEST_F(LibraryFile, AFailedSaveKeepsTheOldFileAndTheUnsavedMark) {
    const std::string path = dir.File("Keep.Lib");
    WriteAll(path, "old contents");
    TLibrary library;
    FillSample(library);
    library.Saved = 0;
    {
        TSafeFileFaultsGuard faults({-1, false, true});
        try {
            library.SaveToFile(path);
            ADD_FAILURE();
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message, "Error Saving Library");
        }
    }
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(library.Saved, 0);
}

TEST_F(LibraryFile, SaveDialogAsksForANameOnceAndThenSavesInPlace) {
    TLibrary library;
    FillSample(library);
    library.Saved = 0;
    const std::string path = dir.File("New.Lib");
    model.Dialogs.Confirm(path);
    library.SaveDialog(false);
    ASSERT_EQ(model.Dialogs.Shown.size(), 1u);
    EXPECT_EQ(model.Dialogs.Shown[0].Title, "Save Library");
    EXPECT_EQ(model.Dialogs.Shown[0].DefaultExt, "Lib");
    EXPECT_EQ(model.Dialogs.Shown[0].Filter, "Lib file|*.Lib");
    EXPECT_EQ(model.Dialogs.Shown[0].Kind, TFileDialogKind::Save);
    EXPECT_EQ(library.FileName, path);
    EXPECT_EQ(library.HasFile, 1);
    EXPECT_EQ(library.Saved, 1);
    EXPECT_GE(model.Windows.MenuRefreshes, 1);

    library.Notes.Add("more");
    library.Saved = 0;
    library.SaveDialog(false);
    EXPECT_EQ(model.Dialogs.Shown.size(), 1u);
    EXPECT_TRUE(model.Windows.Updated.empty());  // no window open to refresh
    EXPECT_EQ(library.Saved, 1);
    TLibrary loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Notes.Count(), 4);
}

struct DeclineCase {
    const char* Name;
    bool Cancel;
};

class DeclinedSaves : public LibraryFile, public ::testing::WithParamInterface<DeclineCase> {};

TEST_P(DeclinedSaves, WriteNothingAndStayUnsaved) {
    const std::string path = dir.File("There.Lib");
    WriteAll(path, "old contents");
    TLibrary library;
    FillSample(library);
    library.Saved = 0;
    if (GetParam().Cancel) {
        model.Dialogs.Cancel();
    } else {
        model.Dialogs.Confirm(path);
        model.Messages.Answers.push_back(TMessageResult::No);
    }
    library.SaveDialog(true);
    if (!GetParam().Cancel) {
        ASSERT_EQ(model.Messages.Shown.size(), 1u);
        EXPECT_EQ(model.Messages.Shown[0].Text, "File Alredy Exist. Overwrite it ?");
    }
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(library.Saved, 0);
    EXPECT_EQ(library.FileName, "Untitled.Lib");
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DeclinedSaves,
                         ::testing::Values(DeclineCase{"NoToOverwrite", false}, DeclineCase{"DialogCancelled", true}),
                         [](const ::testing::TestParamInfo<DeclineCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(LibraryFile, LoadDialogReadsTheChosenFileAndMarksTheLibrarySaved) {
    TLibrary sample;
    FillSample(sample);
    const std::string path = dir.File("Chosen.Lib");
    sample.SaveToFile(path);

    TLibrary library;
    library.Saved = 0;
    model.Dialogs.Confirm(path);
    EXPECT_TRUE(library.LoadDialog());
    EXPECT_EQ(model.Dialogs.Shown.at(0).Title, "Load Library");
    EXPECT_TRUE(model.Dialogs.Shown.at(0).FileMustExist);
    EXPECT_EQ(library.Elements.size(), 2u);
    EXPECT_EQ(library.FileName, path);
    EXPECT_EQ(library.Saved, 1);

    model.Dialogs.Cancel();
    EXPECT_FALSE(library.LoadDialog());
    EXPECT_EQ(library.Elements.size(), 2u);
}

// A copy (an export) goes where the user says, with the overwrite question, and leaves the library's own
// file, its has-file and saved flags as they were.
TEST_F(LibraryFile, ACopyIsWrittenWithoutTakingItsNameOrSavedState) {
    TLibrary library;
    FillSample(library);
    const std::string own = dir.File("Own.Lib");
    library.SaveToFile(own);
    library.Notes.Add("changed");
    library.Saved = 0;
    const std::string copy = dir.File("Copy.Lib");
    model.Dialogs.Confirm(copy);
    library.SaveCopyDialog();
    EXPECT_EQ(model.Dialogs.Shown.at(0).Title, "Save Library");
    EXPECT_EQ(ReadAll(copy), AsString(FileBytesOf(library)));
    EXPECT_EQ(library.FileName, own);
    EXPECT_EQ(library.HasFile, 1);
    EXPECT_EQ(library.Saved, 0);

    // Onto an existing file only after Yes.
    model.Dialogs.Confirm(own);
    model.Messages.Answers.push_back(TMessageResult::No);
    library.SaveCopyDialog();
    EXPECT_EQ(model.Messages.Shown.at(0).Text, "File Alredy Exist. Overwrite it ?");
    TLibrary before;
    before.LoadFromFile(own);
    EXPECT_EQ(before.Notes.Count(), 3);
}

TEST_F(LibraryFile, SavingUnderANewNameRefreshesTheLibraryWindow) {
    TLibrary library;
    TFakeWindow window;
    library.Window = &window;
    library.WindowOpen = 1;
    model.Dialogs.Confirm(dir.File("Shown.Lib"));
    library.SaveDialog(true);
    EXPECT_EQ(model.Windows.Updated, (std::vector<TObject*>{&window}));
    EXPECT_EQ(library.GetName(), "Shown.Lib");
    library.Window = nullptr;
    library.WindowOpen = 0;
}

TEST_F(LibraryFile, WindowGeometryIsTakenFromTheOpenWindow) {
    TLibrary library;
    TFakeWindow window;
    window.Left = 10;
    window.Top = 20;
    window.Width = 300;
    window.Height = 200;
    library.Window = &window;
    library.WindowOpen = 1;
    const Bytes file = FileBytesOf(library);
    EXPECT_EQ(Hex(Bytes(file.begin() + 2, file.end())), "2C 01 C8 00 0A 00 14 00");
    EXPECT_EQ(library.Saved, 0);
    library.Saved = 1;
    FileBytesOf(library);
    EXPECT_EQ(library.Saved, 1);  // nothing moved
    library.Window = nullptr;
    library.WindowOpen = 0;
}

TEST_F(LibraryFile, TouchingAnElementMarksTheLibraryUnsaved) {
    TLibrary library;
    TPatch& patch = AddPatch(library, "X", 1, 1);
    library.Saved = 1;
    TouchElement(&patch);
    EXPECT_EQ(library.Saved, 0);
}

// -------------------------------------------------------------------------- sorting and selection

std::vector<std::string> NamesOf(const TLibrary& library) {
    std::vector<std::string> names;
    for (const auto& e : library.Elements) names.push_back(e->GetName());
    return names;
}

TEST_F(LibraryFile, SortByNameIgnoresCaseAndKeepsEqualNamesInOrder) {
    TLibrary library;
    AddPatch(library, "bass", 1, 1);
    AddPatch(library, "Pad", 2, 1);
    AddPatch(library, "BASS", 3, 1);
    AddPatch(library, "alto", 4, 1);
    library.Sort(skName);
    // Equal names keep their order.
    EXPECT_EQ(NamesOf(library), (std::vector<std::string>{"alto", "bass", "BASS", "Pad"}));
    library.Sort(99);
    EXPECT_EQ(NamesOf(library), (std::vector<std::string>{"alto", "bass", "BASS", "Pad"}));

    TLibrary pair;
    AddPatch(pair, "bass", 1, 1);
    AddPatch(pair, "BASS", 2, 1);
    pair.Sort(skName);
    EXPECT_EQ(NamesOf(pair), (std::vector<std::string>{"bass", "BASS"}));
}

TEST_F(LibraryFile, SortByTypeAndByDates) {
    TLibrary library;
    library.Elements.push_back(std::make_unique<TFakeElem>(&library, etPatchBank));
    library.Elements.push_back(std::make_unique<TFakeElem>(&library, etSystem));
    library.Elements.push_back(std::make_unique<TFakeElem>(&library, etPatch));
    library.Elements.push_back(std::make_unique<TFakeElem>(&library, etPatch));
    const double days[] = {3, 1, 2, 2};
    const double times[] = {0.1, 0.9, 0.5, 0.2};
    for (std::size_t i = 0; i < 4; ++i) {
        library.Elements[i]->Name = std::to_string(i);
        library.Elements[i]->ModifiedDate = days[i];
        library.Elements[i]->ModifiedTime = times[i];
        library.Elements[i]->CreatedDate = 10 - days[i];
    }
    library.Sort(skType);
    EXPECT_EQ(NamesOf(library), (std::vector<std::string>{"2", "3", "0", "1"}));
    library.Sort(skModified);
    EXPECT_EQ(NamesOf(library), (std::vector<std::string>{"1", "3", "2", "0"}));
    library.Sort(skCreated);
    EXPECT_EQ(NamesOf(library).front(), "0");
    EXPECT_EQ(NamesOf(library).back(), "1");

    // A date that is no number (from a damaged file) compares with nothing; the exchange sort still moves
    // the later, smaller date to the front past it.
    library.Elements[0]->ModifiedDate = 5;
    library.Elements[1]->ModifiedDate = std::nan("");
    library.Elements[2]->ModifiedDate = 3;
    library.Elements.resize(3);
    library.Sort(skModified);
    EXPECT_EQ(library.Elements[0]->ModifiedDate, 3);
    EXPECT_TRUE(std::isnan(library.Elements[1]->ModifiedDate));
    EXPECT_EQ(library.Elements[2]->ModifiedDate, 5);
}

// The exchange sort the library used to sort with: for every pair of positions i < j, the elements are
// exchanged when the one at j sorts strictly before the one at i.
bool ReferenceBefore(const TLibElem& a, const TLibElem& b, int key) {
    switch (key) {
        case skName: return UpperCase(a.GetName()) < UpperCase(b.GetName());
        case skType: return a.ElemType < b.ElemType;
        case skModified:
            return a.ModifiedDate != b.ModifiedDate ? a.ModifiedDate < b.ModifiedDate : a.ModifiedTime < b.ModifiedTime;
        default: return a.CreatedDate != b.CreatedDate ? a.CreatedDate < b.CreatedDate : a.CreatedTime < b.CreatedTime;
    }
}
std::vector<const TLibElem*> ExchangeSorted(const TLibrary& library, int key) {
    std::vector<const TLibElem*> e;
    for (const auto& element : library.Elements) e.push_back(element.get());
    for (std::size_t i = 0; i + 1 < e.size(); ++i)
        for (std::size_t j = i + 1; j < e.size(); ++j)
            if (ReferenceBefore(*e[j], *e[i], key)) std::swap(e[i], e[j]);
    return e;
}
std::vector<const TLibElem*> OrderOf(const TLibrary& library) {
    std::vector<const TLibElem*> e;
    for (const auto& element : library.Elements) e.push_back(element.get());
    return e;
}

// Element i of a table row: its name, type and dates, each distinct under the row's key.
struct SortCase {
    const char* Name;
    int Key;
    int Count;
    std::function<void(TLibElem&, int)> Fill;
};

class SortDistinct : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortDistinct, GivesTheExchangeSortsOrder) {
    TModelTestScope model;
    const SortCase& c = GetParam();
    TLibrary library;
    std::vector<int> slots(static_cast<std::size_t>(c.Count));
    for (int i = 0; i < c.Count; ++i) slots[static_cast<std::size_t>(i)] = i;
    std::mt19937 random(26);
    std::shuffle(slots.begin(), slots.end(), random);
    for (int slot : slots) {
        library.Elements.push_back(std::make_unique<TFakeElem>(&library, etPatch));
        library.Elements.back()->Name = "E" + std::to_string(slot);
        c.Fill(*library.Elements.back(), slot);
    }
    const std::vector<const TLibElem*> expected = ExchangeSorted(library, c.Key);
    library.Sort(c.Key);
    EXPECT_EQ(OrderOf(library), expected);
    library.Sort(c.Key);  // in order already: nothing moves
    EXPECT_EQ(OrderOf(library), expected);
}

// Names that differ in case only after the first character, bytes above 127 (ordinal, not by locale), and
// prefixes of one another.
const char* const kNames[] = {"pad",
                              "Pad 2",
                              "PAD 10",
                              "bass",
                              "bASs 1",
                              "\xC9"
                              "cho",
                              "\xE9"
                              "cho",
                              "~",
                              "Z",
                              "a",
                              "",
                              "Ab",
                              "aB c",
                              "1",
                              "10",
                              "9"};

INSTANTIATE_TEST_SUITE_P(
    Library, SortDistinct,
    ::testing::Values(SortCase{"NamesOfManyKinds", skName, 16, [](TLibElem& e, int i) { e.Name = kNames[i]; }},
                      SortCase{"ManyNames", skName, 500,
                               [](TLibElem& e, int i) { e.Name = "Patch " + std::to_string(i * 7919 % 500); }},
                      SortCase{"EveryType", skType, ElementTypeCount,
                               [](TLibElem& e, int i) { e.ElemType = static_cast<ElementType>(i); }},
                      SortCase{"ModifiedDates", skModified, 500,
                               [](TLibElem& e, int i) { e.ModifiedDate = 40000 + i; }},
                      SortCase{"ModifiedTimesOfOneDay", skModified, 500,
                               [](TLibElem& e, int i) {
                                   e.ModifiedDate = 40000;
                                   e.ModifiedTime = i / 1000.0;
                               }},
                      SortCase{"ModifiedDatesBeforeTimes", skModified, 500,
                               [](TLibElem& e, int i) {
                                   e.ModifiedDate = 40000 + i / 10;
                                   e.ModifiedTime =
                                       0.9 - (i % 10) / 20.0;  // a later time on an earlier day sorts first
                               }},
                      SortCase{"CreatedDatesAndTimes", skCreated, 500,
                               [](TLibElem& e, int i) {
                                   e.CreatedDate = -3 + i / 4;  // dates before 1899 too
                                   e.CreatedTime = (i % 4) / 8.0;
                                   e.ModifiedDate = -i;  // not the key
                               }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(LibraryFile, SortKeepsTheOrderOfEqualKeys) {
    // 300 elements over 5 values of each key, the values shuffled: within each value the elements stay in the
    // order they had.
    TLibrary library;
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        const int v = static_cast<int>(random() % 5);
        library.Elements.push_back(std::make_unique<TFakeElem>(&library, static_cast<ElementType>(v)));
        TLibElem& e = *library.Elements.back();
        e.Name = (i % 2 ? "Name " : "NAME ") + std::to_string(v);  // equal names in upper case
        e.ModifiedDate = e.CreatedDate = 100 + v;
        e.ModifiedTime = e.CreatedTime = 0.25;
    }
    for (int key : {skName, skType, skModified, skCreated}) {
        SCOPED_TRACE(key);
        std::shuffle(library.Elements.begin(), library.Elements.end(), random);
        std::vector<const TLibElem*> expected = OrderOf(library);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const TLibElem* a, const TLibElem* b) { return ReferenceBefore(*a, *b, key); });
        library.Sort(key);
        EXPECT_EQ(OrderOf(library), expected);
    }
}

struct SelectCase {
    const char* Name;
    std::set<int> Before;
    int Clicked;
    int Mode;
    std::set<int> After;
};

class Selection : public ::testing::TestWithParam<SelectCase> {};

TEST_P(Selection, FollowsTheClick) {
    TModelTestScope model;
    TLibrary library;
    for (int i = 0; i < 9; ++i) {
        library.Elements.push_back(std::make_unique<TFakeElem>(&library, etPatch));
        library.Elements.back()->Selected = GetParam().Before.count(i) ? 1 : 0;
    }
    SelectInList(library.Elements, GetParam().Clicked, GetParam().Mode);
    std::set<int> after;
    for (int i = 0; i < 9; ++i)
        if (library.Elements[static_cast<std::size_t>(i)]->Selected) after.insert(i);
    EXPECT_EQ(after, GetParam().After);
}

INSTANTIATE_TEST_SUITE_P(Library, Selection,
                         ::testing::Values(SelectCase{"PlainClick", {1, 4}, 6, 0, {6}},
                                           SelectCase{"ToggleOn", {1}, 6, 2, {1, 6}},
                                           SelectCase{"ToggleOff", {1, 6}, 6, 2, {1}},
                                           SelectCase{"ExtendForward", {3}, 7, 1, {3, 4, 5, 6, 7}},
                                           SelectCase{"ExtendBackward", {7}, 3, 1, {3, 4, 5, 6, 7}},
                                           SelectCase{"ExtendFromNothing", {}, 5, 1, {5}},
                                           SelectCase{"ExtendFromSeveral", {2, 5}, 7, 1, {7}},
                                           SelectCase{"OutsideTheList", {2}, 9, 0, {2}}),
                         [](const ::testing::TestParamInfo<SelectCase>& info) { return std::string(info.param.Name); });

TEST_F(LibraryFile, MovingAnElementToTheTrash) {
    TLibrary library;
    TLibrary trash;
    AddPatch(library, "A", 1, 1);
    TPatch& b = AddPatch(library, "B", 2, 1);
    AddPatch(library, "C", 3, 1);
    b.Selected = 1;
    trash.MoveElementFrom(library, 1);
    EXPECT_EQ(NamesOf(library), (std::vector<std::string>{"A", "C"}));
    ASSERT_EQ(trash.Elements.size(), 1u);
    EXPECT_EQ(trash.Elements[0].get(), &b);
    EXPECT_EQ(b.Selected, 0);
    EXPECT_EQ(b.Owner, &trash);
    EXPECT_THROW(trash.MoveElementFrom(library, 2), EListError);
}

}  // namespace
}  // namespace zel::test
