// The element base: identity, location text, sizes, the owner chain and its touch, the .Syx load and
// save dialogs, the library record header, the element window and the transfer time-out.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "model/LibElem.h"
#include "platform/rtl/SafeFile.h"
#include "support/TempDir.h"
#include "support/model/ModelFakes.h"

namespace zel::test {
namespace {

// ------------------------------------------------------------------------------------ identity

TEST(LibElem, ConstructorDefaults) {
    TModelTestScope model;
    TFakeLibrary lib;
    TLibElem e(&lib);
    EXPECT_EQ(e.Owner, &lib);
    EXPECT_EQ(e.ElemType, 0);
    EXPECT_EQ(e.Selected, 0);
    EXPECT_EQ(e.Temporary, 1);
    EXPECT_EQ(e.User, 0);
    EXPECT_EQ(e.HasFile, 0);
    EXPECT_EQ(e.WindowOpen, 0);
    EXPECT_EQ(e.WindowLeft, -1);
    EXPECT_EQ(e.WindowTop, -1);
    EXPECT_EQ(e.Number, 1);
    EXPECT_EQ(e.FileName, "Untitled.Syx");
    EXPECT_EQ(e.Window, nullptr);
    // Date and time of day kept apart, both taken now.
    const TDateTime now = Now();
    EXPECT_EQ(e.CreatedDate, std::floor(e.CreatedDate));
    EXPECT_NEAR(e.CreatedDate + e.CreatedTime, now, 1.0 / 24 / 60);
    EXPECT_GE(e.CreatedTime, 0.0);
    EXPECT_LT(e.CreatedTime, 1.0);
    EXPECT_EQ(e.ModifiedDate, e.CreatedDate);
    EXPECT_EQ(e.ModifiedTime, e.CreatedTime);
}

TEST(LibElem, SetNameKeepsTwelveCharacters) {
    TLibElem e(nullptr);
    e.SetName("A Very Long Patch Name", true);
    EXPECT_EQ(e.GetName(), "A Very Long ");
    e.SetName("Pad", false);
    EXPECT_EQ(e.GetName(), "Pad");
}

TEST(LibElem, TypeNames) {
    const char* names[] = {"Patch",  "Patch Bank",  "Performance", "Performance Bank",
                           "Rhythm", "Rhythm Bank", "System",      "Global"};
    for (int code = 0; code < 8; ++code) {
        EXPECT_EQ(TLibElem::TypeName(code), names[code]);
        TFakeElem e(nullptr, static_cast<ElementType>(code));
        EXPECT_EQ(e.TypeName(), names[code]);
    }
    EXPECT_EQ(TLibElem::TypeName(8), "");
    EXPECT_EQ(TLibElem::TypeName(-1), "");
}

struct LocationCase {
    const char* Name;
    ElementType Type;
    std::uint8_t Temporary;
    std::uint8_t User;
    std::int16_t Number;
    const char* Expected;
};

class LocationText : public ::testing::TestWithParam<LocationCase> {};

TEST_P(LocationText, NamesWhereTheElementLives) {
    const LocationCase& c = GetParam();
    TFakeElem e(nullptr, c.Type);
    e.Temporary = c.Temporary;
    e.User = c.User;
    e.Number = c.Number;
    EXPECT_EQ(e.LocationText(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Elements, LocationText,
    ::testing::Values(LocationCase{"UserPatch", etPatch, 0, 1, 5, "User : 5"},
                      LocationCase{"CardPatch", etPatch, 0, 0, 5, "Card : 5"},
                      LocationCase{"UserSlot12", etPerformance, 0, 1, 12, "User : 12"},
                      LocationCase{"TemporaryPatch", etPatch, 1, 1, 5, "Temporary"},
                      LocationCase{"TemporaryRhythm", etRhythm, 1, 0, 1, "Temporary"},
                      LocationCase{"CardPatchBank", etPatchBank, 0, 0, 1, "Card"},
                      LocationCase{"UserRhythmBankEvenWhenTemporary", etRhythmBank, 1, 1, 1, "User"},
                      LocationCase{"UserPerformanceBank", etPerformanceBank, 0, 1, 3, "User"},
                      LocationCase{"System", etSystem, 0, 1, 1, ""}, LocationCase{"Global", etGlobal, 1, 1, 1, ""}),
    [](const ::testing::TestParamInfo<LocationCase>& info) { return std::string(info.param.Name); });

TEST(LibElem, ExpectedSyxSizes) {
    TModelTestScope model;
    struct Row {
        ElementType Type;
        std::int32_t Plain;
        std::int32_t Xp;
    };
    const Row rows[] = {{etPatch, 643, 644},       {etPatchBank, 82304, 82432},
                        {etPerformance, 555, 653}, {etPerformanceBank, 17760, 20896},
                        {etRhythm, 4439, 4439},    {etRhythmBank, 8878, 8878},
                        {etSystem, 442, 484},      {etGlobal, -1, -1}};
    for (const Row& r : rows) {
        TFakeElem e(nullptr, r.Type);
        XpFormat = 0;
        EXPECT_EQ(e.ExpectedSyxSize(), r.Plain) << e.TypeName();
        XpFormat = 1;
        EXPECT_EQ(e.ExpectedSyxSize(), r.Xp) << e.TypeName();
    }
}

// ---------------------------------------------------------------------------- owner chain and touch

// A patch inside a patch bank inside a global inside a library, and a patch directly in the library.
struct Chain {
    TFakeLibrary Library;
    TFakeElem Global{&Library, etGlobal};
    TFakeElem Bank{&Global, etPatchBank};
    TFakeElem Patch{&Bank, etPatch};
    TFakeElem Loose{&Library, etPatch};
};

TEST(OwnerRoot, IsTheTopOfAtMostThreeLevels) {
    Chain c;
    EXPECT_EQ(OwnerRoot(&c.Patch), &c.Library);
    EXPECT_EQ(OwnerRoot(&c.Bank), &c.Library);
    EXPECT_EQ(OwnerRoot(&c.Loose), &c.Library);
    EXPECT_EQ(OwnerRoot(&c.Library), nullptr);
    TFakeElem deeper(&c.Patch, etPatch);  // four levels down: the walk stops three up
    EXPECT_EQ(OwnerRoot(&deeper), &c.Global);
}

TEST(TouchElement, StampsThePatchItsBankAndLibraryAndMarksTheLibraryUnsaved) {
    TModelTestScope model;
    TFakeLibrary library;
    TFakeElem bank(&library, etPatchBank);
    TFakeElem patch(&bank, etPatch);
    TFakeElem sibling(&library, etPatch);
    for (TLibElem* e : std::initializer_list<TLibElem*>{&library, &bank, &patch, &sibling})
        e->ModifiedDate = e->ModifiedTime = 0;

    TouchElement(&patch);

    const TDateTime now = Now();
    for (TLibElem* e : std::initializer_list<TLibElem*>{&library, &bank, &patch})
        EXPECT_NEAR(e->ModifiedDate + e->ModifiedTime, now, 1.0 / 24 / 60) << e->TypeName();
    EXPECT_EQ(sibling.ModifiedDate + sibling.ModifiedTime, 0);
    EXPECT_EQ(library.Saved, 0);
    EXPECT_EQ(model.Windows.MenuRefreshes, 1);
}

TEST(TouchElement, OnALibraryClearsItsOwnSavedFlag) {
    TModelTestScope model;
    TFakeLibrary library;
    TouchElement(&library);
    EXPECT_EQ(library.Saved, 0);
    EXPECT_EQ(model.Windows.MenuRefreshes, 1);
}

TEST(LibElem, AssignCopiesIdentityAndTouches) {
    TModelTestScope model;
    TFakeLibrary library;
    TFakeElem source(nullptr, etPatch);
    source.Name = "Strings";
    source.Selected = 1;
    source.FileName = "/data/Strings.Syx";
    source.Temporary = 0;
    source.User = 1;
    source.Number = 42;
    source.WindowLeft = 300;
    TFakeElem target(&library, etPatch);
    target.Assign(&source);
    EXPECT_EQ(target.Name, "Strings");
    EXPECT_EQ(target.Selected, 1);
    EXPECT_EQ(target.FileName, "/data/Strings.Syx");
    EXPECT_EQ(target.Temporary, 0);
    EXPECT_EQ(target.User, 1);
    EXPECT_EQ(target.Number, 42);
    EXPECT_EQ(target.WindowLeft, -1);  // not part of the copy
    EXPECT_EQ(library.Saved, 0);
}

// ---------------------------------------------------------------------------------- .Syx dialogs

struct SyxFixture : ::testing::Test {
    TempDir Dir;
    TModelTestScope Model;
    TFakeLibrary Library;
    SyxFixture() {
        Model.Windows.MenuRefreshes = 0;
        ModelServices().DataFolder = [this] { return Dir.File("ZelmoviXP"); };
    }
    std::string Path(const std::string& name) const { return Dir.File(name); }
};

struct BankNameCase {
    const char* Name;
    ElementType Type;
    const char* FileName;
    const char* Expected;
};

class SyxBankName : public SyxFixture, public ::testing::WithParamInterface<BankNameCase> {};

TEST_P(SyxBankName, BanksAndTheSystemAreNamedAfterTheFile) {
    const BankNameCase& c = GetParam();
    TFakeElem e(&Library, c.Type);
    e.Name = "Old";
    const std::string path = Path(c.FileName);
    WriteAll(path, std::string(static_cast<std::size_t>(e.ExpectedSyxSize()), '\x11'));
    Model.Dialogs.Confirm(path);
    e.LoadSyxDialog();
    EXPECT_EQ(e.Name, c.Expected);
    EXPECT_EQ(e.FileName, path);
    EXPECT_EQ(e.Body.size(), static_cast<std::size_t>(e.ExpectedSyxSize()));
}

INSTANTIATE_TEST_SUITE_P(
    Syx, SyxBankName,
    ::testing::Values(BankNameCase{"LongNameCutToTwelve", etPatchBank, "MyBankOfSounds.Syx", "MyBankOfSoun"},
                      BankNameCase{"ShortNameCutAtTheDot", etPatchBank, "Pads.Syx", "Pads"},
                      BankNameCase{"FirstDotWins", etRhythmBank, "Kits.v2.Syx", "Kits"},
                      BankNameCase{"DotBeyondTwelveIsCutAway", etPerformanceBank, "Performances1.Syx", "Performances"},
                      BankNameCase{"System", etSystem, "Studio.Syx", "Studio"},
                      BankNameCase{"PatchKeepsItsName", etPatch, "Lead.Syx", "Old"}),
    [](const ::testing::TestParamInfo<BankNameCase>& info) { return std::string(info.param.Name); });

TEST_F(SyxFixture, LoadShowsTheOpenDialogAndTakesTheFile) {
    TFakeElem patch(&Library, etPatch);
    std::string body(643, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i % 128);
    // A folder name long enough that the whole path passes 79 characters.
    const std::string folder = Path("a-folder-name-that-makes-the-path-longer-than-a-stored-file-name-field-can-hold");
    ASSERT_TRUE(ForceDirectories(folder));
    const std::string path = folder + "/Lead.Syx";
    ASSERT_GT(path.size(), 79u);
    WriteAll(path, body);
    Model.Dialogs.Confirm(path);

    patch.LoadSyxDialog();

    ASSERT_EQ(Model.Dialogs.Shown.size(), 1u);
    const TFileDialogRequest& r = Model.Dialogs.Shown[0];
    EXPECT_EQ(r.Kind, TFileDialogKind::Open);
    EXPECT_EQ(r.Title, "Load SysEx");
    EXPECT_EQ(r.DefaultExt, "Syx");
    EXPECT_EQ(r.Filter, "Syx file|*.Syx");
    EXPECT_EQ(r.InitialDir, Path("ZelmoviXP"));  // "Untitled.Syx" has no folder
    EXPECT_EQ(r.FileName, "Untitled.Syx");       // the file part of the element's file name
    EXPECT_TRUE(r.PathMustExist);
    EXPECT_TRUE(r.FileMustExist);

    EXPECT_EQ(patch.Body, body);
    EXPECT_EQ(patch.FileName, path);  // the whole path, not a cut one
    EXPECT_EQ(patch.ViewUpdates, 1);
    EXPECT_EQ(Library.Saved, 0);
    EXPECT_EQ(Model.Windows.MenuRefreshes, 1);

    // The next dialog starts in the file's folder, at its name.
    Model.Dialogs.Cancel();
    patch.LoadSyxDialog();
    EXPECT_EQ(Model.Dialogs.Shown[1].InitialDir, folder + "/");
    EXPECT_EQ(Model.Dialogs.Shown[1].FileName, "Lead.Syx");
}

TEST_F(SyxFixture, AFileOneByteOffIsRefusedAndTheElementKeepsItsData) {
    for (int delta : {-1, +1}) {
        TFakeElem bank(&Library, etPatchBank);
        bank.Name = "Keep";
        bank.Body = "old body";
        Library.Saved = 1;
        const std::string path = Path("MyBankOfSounds.Syx");
        WriteAll(path, std::string(static_cast<std::size_t>(bank.ExpectedSyxSize() + delta), '\x01'));
        Model.Dialogs.Confirm(path);
        Model.Messages.Shown.clear();

        bank.LoadSyxDialog();

        ASSERT_EQ(Model.Messages.Shown.size(), 1u) << delta;
        EXPECT_EQ(Model.Messages.Shown[0].Text, "Incorrect SysEx File Type.");
        EXPECT_EQ(Model.Messages.Shown[0].Kind, TMessageKind::Information);
        EXPECT_EQ(Model.Messages.Shown[0].Buttons, TMessageButtons::OK);
        EXPECT_EQ(bank.Name, "Keep");
        EXPECT_EQ(bank.Body, "old body");
        EXPECT_EQ(bank.FileName, "Untitled.Syx");
        EXPECT_EQ(Library.Saved, 1);
    }
}

TEST_F(SyxFixture, CancellingTheLoadDialogChangesNothing) {
    TFakeElem patch(&Library, etPatch);
    Model.Dialogs.Cancel();
    patch.LoadSyxDialog();
    EXPECT_EQ(patch.FileName, "Untitled.Syx");
    EXPECT_EQ(patch.ViewUpdates, 0);
    EXPECT_EQ(Library.Saved, 1);
}

TEST_F(SyxFixture, AFileThatCannotBeReadRaisesTheLoadError) {
    TFakeElem patch(&Library, etPatch);
    Model.Dialogs.Confirm(Path("missing.Syx"));
    try {
        patch.LoadSyxDialog();
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message, "Error Loadind Sysex");
    }
    EXPECT_EQ(patch.FileName, "Untitled.Syx");
}

TEST_F(SyxFixture, NoDialogRaisesOutOfResource) {
    ModelServices().FileDialogs = nullptr;
    TFakeElem patch(&Library, etPatch);
    for (bool load : {true, false}) {
        try {
            if (load) patch.LoadSyxDialog();
            else patch.SaveSyxDialog(false);
            FAIL() << "no exception";
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.Message, "Out of Resource");
        }
    }
}

TEST_F(SyxFixture, ANewElementIsSavedThroughTheDialogThenStraightToItsFile) {
    TFakeElem patch(&Library, etPatch);
    patch.Body = "first";
    const std::string path = Path("Lead.Syx");
    Model.Dialogs.Confirm(path);

    patch.SaveSyxDialog(false);

    ASSERT_EQ(Model.Dialogs.Shown.size(), 1u);
    const TFileDialogRequest& r = Model.Dialogs.Shown[0];
    EXPECT_EQ(r.Kind, TFileDialogKind::Save);
    EXPECT_EQ(r.Title, "Save SysEx");
    EXPECT_EQ(r.DefaultExt, "Syx");
    EXPECT_EQ(r.Filter, "Syx file|*.Syx");
    EXPECT_EQ(r.InitialDir, Path("ZelmoviXP"));
    EXPECT_TRUE(r.PathMustExist);
    EXPECT_FALSE(r.FileMustExist);
    EXPECT_EQ(ReadAll(path), "first");
    EXPECT_EQ(patch.FileName, path);
    EXPECT_EQ(patch.HasFile, 1);
    EXPECT_EQ(patch.Builds, 1);
    EXPECT_TRUE(Model.Messages.Shown.empty());  // a new file: no question

    patch.Body = "second";
    patch.SaveSyxDialog(false);
    EXPECT_EQ(Model.Dialogs.Shown.size(), 1u);
    EXPECT_EQ(ReadAll(path), "second");
}

TEST_F(SyxFixture, AnElementSavedOnceUnderTheNameUntitledSavesWithoutDialog) {
    TFakeElem patch(&Library, etPatch);
    patch.Body = "x";
    patch.FileName = "untitled.syx";  // compared without case
    Model.Dialogs.Cancel();
    patch.SaveSyxDialog(false);
    EXPECT_EQ(Model.Dialogs.Shown.size(), 1u);

    patch.HasFile = 1;
    patch.FileName = Path("Untitled.Syx");
    patch.SaveSyxDialog(false);
    EXPECT_EQ(Model.Dialogs.Shown.size(), 1u);
    EXPECT_EQ(ReadAll(Path("Untitled.Syx")), "x");
}

TEST_F(SyxFixture, OverwritingAnExistingFileAsksFirst) {
    const std::string path = Path("Taken.Syx");
    WriteAll(path, "old");
    TFakeElem patch(&Library, etPatch);
    patch.Body = "new";

    Model.Dialogs.Confirm(path);
    Model.Messages.Answers = {TMessageResult::No};
    patch.SaveSyxDialog(false);
    ASSERT_EQ(Model.Messages.Shown.size(), 1u);
    EXPECT_EQ(Model.Messages.Shown[0].Text, "File Alredy Exist. Overwrite it ?");
    EXPECT_EQ(Model.Messages.Shown[0].Kind, TMessageKind::Confirmation);
    EXPECT_EQ(Model.Messages.Shown[0].Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(patch.FileName, "Untitled.Syx");
    EXPECT_EQ(patch.HasFile, 0);

    Model.Dialogs.Confirm(path);
    Model.Messages.Answers = {TMessageResult::Yes};
    patch.SaveSyxDialog(false);
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(patch.FileName, path);
}

TEST_F(SyxFixture, SaveAsAlwaysShowsTheDialogAtTheCurrentFile) {
    TFakeElem patch(&Library, etPatch);
    patch.FileName = Path("Lead.Syx");
    patch.HasFile = 1;
    Model.Dialogs.Cancel();
    patch.SaveSyxDialog(true);
    ASSERT_EQ(Model.Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Model.Dialogs.Shown[0].InitialDir, Dir.Path().string() + "/");
    EXPECT_EQ(Model.Dialogs.Shown[0].FileName, "Lead.Syx");
    EXPECT_FALSE(FileExists(Path("Lead.Syx")));
}

TEST_F(SyxFixture, AFailedSaveLeavesTheOldFileAndTheElementAsTheyWere) {
    const std::string old = Path("Old.Syx");
    const std::string other = Path("Other.Syx");
    WriteAll(old, "old content");
    WriteAll(other, "other content");
    TFakeElem patch(&Library, etPatch);
    patch.FileName = old;
    patch.Body = "a much longer new content";

    auto expectSaveError = [&](auto&& save) {
        try {
            save();
            FAIL() << "no exception";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message, "Error Saving Sysex");
        }
    };

    // The body cannot be written: a straight save and a save through the dialog.
    patch.FailWrite = true;
    expectSaveError([&] { patch.SaveSyxDialog(false); });
    EXPECT_EQ(patch.HasFile, 0);
    Model.Dialogs.Confirm(other);
    Model.Messages.Answers = {TMessageResult::Yes};
    expectSaveError([&] { patch.SaveSyxDialog(true); });
    EXPECT_EQ(patch.FileName, old);
    EXPECT_EQ(patch.HasFile, 0);

    // The file system fails at the end of the write.
    patch.FailWrite = false;
    {
        TSafeFileFaults faults;
        faults.FailRename = true;
        TSafeFileFaultsGuard guard(faults);
        expectSaveError([&] { patch.SaveSyxDialog(false); });
    }
    EXPECT_EQ(ReadAll(old), "old content");
    EXPECT_EQ(ReadAll(other), "other content");
    EXPECT_EQ(patch.FileName, old);
    EXPECT_EQ(patch.HasFile, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 2);  // no temporary left
}

// ---------------------------------------------------------------------------------- library record

TEST(LibRecord, HeaderLayoutAndRoundTrip) {
    TModelTestScope model;
    TFakeElem e(nullptr, etPerformanceBank);
    e.Name = "Strings";
    e.FileName =
        "/home/me/a/very/long/folder/name/that/goes/on/and/on/for/more/than/seventy-nine/characters/Strings.Syx";
    e.CreatedDate = 45000;
    e.CreatedTime = 0.25;
    e.ModifiedDate = 45001;
    e.ModifiedTime = 0.5;
    e.Temporary = 0;
    e.User = 1;
    e.Number = 0x1234;
    e.WindowLeft = -1;
    e.WindowTop = 0x0203;

    TMemoryStream s;
    e.WriteLibRecord(s);
    ASSERT_EQ(s.GetSize(), 135);
    const std::string bytes = s.DataString();
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x03\x00", 2));
    EXPECT_EQ(bytes.substr(2, 8), std::string("\x07Strings"));
    EXPECT_EQ(static_cast<unsigned char>(bytes[15]), 79);  // the stored file name is cut to 79
    EXPECT_EQ(bytes.substr(16, 79), e.FileName.substr(0, 79));
    double d = 0;
    std::memcpy(&d, bytes.data() + 95, 8);
    EXPECT_EQ(d, 45000);
    std::memcpy(&d, bytes.data() + 119, 8);
    EXPECT_EQ(d, 0.5);
    EXPECT_EQ(bytes.substr(127, 8), std::string("\x00\x01\x34\x12\xFF\xFF\x03\x02", 8));
    EXPECT_GT(e.FileName.size(), 79u);  // memory keeps the whole path

    TFakeElem back(nullptr, etPerformanceBank);
    s.SetPosition(2);  // the reader has taken the type word
    back.ReadLibRecord(s);
    EXPECT_EQ(s.GetPosition(), 135);
    EXPECT_EQ(back.Name, "Strings");
    EXPECT_EQ(back.FileName, e.FileName.substr(0, 79));
    EXPECT_EQ(back.CreatedDate, 45000);
    EXPECT_EQ(back.CreatedTime, 0.25);
    EXPECT_EQ(back.ModifiedDate, 45001);
    EXPECT_EQ(back.ModifiedTime, 0.5);
    EXPECT_EQ(back.Temporary, 0);
    EXPECT_EQ(back.User, 1);
    EXPECT_EQ(back.Number, 0x1234);
    EXPECT_EQ(back.WindowLeft, -1);
    EXPECT_EQ(back.WindowTop, 0x0203);
}

TEST(LibRecord, ATruncatedHeaderRaisesAReadError) {
    TFakeElem e(nullptr, etPatch);
    TMemoryStream s;
    e.WriteLibRecord(s);
    s.SetSize(100);
    s.SetPosition(2);
    TFakeElem back(nullptr, etPatch);
    EXPECT_THROW(back.ReadLibRecord(s), EReadError);
}

// --------------------------------------------------------------------------------------- windows

TEST(StoreWindowPositions, CopiesAChangedPositionAndMarksTheLibraryUnsaved) {
    TModelTestScope model;
    TFakeLibrary library;
    TFakeElem bank(&library, etPatchBank);
    bank.OpenEditor();
    auto* window = model.Windows.Windows.at(0).get();
    window->Left = 120;
    window->Top = 80;

    TMemoryStream s;
    bank.WriteLibRecord(s);  // stores the positions first
    EXPECT_EQ(bank.WindowLeft, 120);
    EXPECT_EQ(bank.WindowTop, 80);
    EXPECT_EQ(s.DataString().substr(131, 4), std::string("\x78\x00\x50\x00", 4));
    EXPECT_EQ(library.Saved, 0);

    library.Saved = 1;
    bank.StoreWindowPositions();  // unchanged: still saved
    EXPECT_EQ(library.Saved, 1);
}

TEST(OpenEditor, SendsTheSoundToTheEditAreaThenOpensItsWindowOnce) {
    TModelTestScope model;
    TFakeLibrary library;
    TFakeElem patch(&library, etPatch);
    patch.OpenEditor();
    EXPECT_EQ(patch.Transmits, std::vector<bool>{true});
    ASSERT_EQ(model.Windows.Created.size(), 1u);
    EXPECT_EQ(patch.WindowOpen, 1);
    EXPECT_EQ(patch.Window, model.Windows.Windows.at(0).get());

    patch.OpenEditor();  // open already: only brought to the front
    EXPECT_EQ(patch.Transmits.size(), 1u);
    EXPECT_EQ(model.Windows.Created.size(), 1u);
    EXPECT_EQ(model.Windows.BroughtToFront, std::vector<TObject*>{patch.Window});
}

TEST(OpenEditor, BanksAndGlobalsOpenWithoutSending) {
    TModelTestScope model;
    for (ElementType type : {etPatchBank, etPerformanceBank, etRhythmBank, etGlobal}) {
        TFakeElem e(nullptr, type);
        e.OpenEditor();
        EXPECT_TRUE(e.Transmits.empty()) << e.TypeName();
        EXPECT_EQ(e.WindowOpen, 1);
    }
}

TEST(OpenEditor, AWindowThatCannotBeMadeLeavesTheElementClosed) {
    TModelTestScope model;
    TFakeElem patch(nullptr, etRhythm);
    model.Windows.FailCreate = true;
    try {
        patch.OpenEditor();
        FAIL() << "no exception";
    } catch (const EOutOfMemory& e) {
        EXPECT_EQ(e.Message, "Out of Memory or Resource");
    }
    EXPECT_EQ(patch.WindowOpen, 0);
    EXPECT_EQ(patch.Window, nullptr);

    model.Windows.FailCreate = false;
    patch.OpenEditor();
    EXPECT_EQ(patch.WindowOpen, 1);
    EXPECT_TRUE(model.Windows.BroughtToFront.empty());
}

TEST(LibElem, DestroyingAnElementReleasesItsWindow) {
    TModelTestScope model;
    TObject* window = nullptr;
    {
        TFakeElem patch(nullptr, etSystem);
        patch.OpenEditor();
        window = patch.Window;
    }
    EXPECT_EQ(model.Windows.Released, std::vector<TObject*>{window});
}

// -------------------------------------------------------------------------------------- transfers

struct TimeoutCase {
    const char* Name;
    bool Completed;
    TMessageResult Answer;
    bool AsksUser;
    int Requests;
    int Closes;
};

class InstrumentNotResponding : public ::testing::TestWithParam<TimeoutCase> {};

TEST_P(InstrumentNotResponding, StopsTheTimerAndRetriesOrEnds) {
    const TimeoutCase& c = GetParam();
    TModelTestScope model;
    TFakeElem bank(nullptr, etPatchBank);
    model.Ports.SetInputHandler([](TObject*) {});
    model.Ports.Calls.clear();
    model.Progress.Completed = c.Completed;
    model.Messages.Answers = {c.Answer};

    bank.InstrumentNotResponding(nullptr);

    EXPECT_FALSE(model.Progress.TimerEnabled);
    EXPECT_EQ(model.Ports.Calls, std::vector<std::string>{"ClearInputHandler"});
    EXPECT_FALSE(model.Ports.Handler);
    if (c.AsksUser) {
        ASSERT_EQ(model.Messages.Shown.size(), 1u);
        EXPECT_EQ(model.Messages.Shown[0].Text, "The Instrument Is Not Responding.");
        EXPECT_EQ(model.Messages.Shown[0].Kind, TMessageKind::Warning);
        EXPECT_EQ(model.Messages.Shown[0].Buttons, TMessageButtons::RetryCancel);
    } else {
        EXPECT_TRUE(model.Messages.Shown.empty());
    }
    EXPECT_EQ(bank.Requests, c.Requests);
    EXPECT_EQ(model.Progress.Closes, c.Closes);
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, InstrumentNotResponding,
    ::testing::Values(TimeoutCase{"CompletedTransferClosesTheWindow", true, TMessageResult::Retry, false, 0, 1},
                      TimeoutCase{"RetrySendsTheRequestAgain", false, TMessageResult::Retry, true, 1, 0},
                      TimeoutCase{"CancelClosesTheWindow", false, TMessageResult::Cancel, true, 0, 1}),
    [](const ::testing::TestParamInfo<TimeoutCase>& info) { return std::string(info.param.Name); });

TEST(LibElem, TransmitTimerRunsOneStepAndAReceiveThatStoresNothingChangesNothing) {
    TModelTestScope model;
    TFakeLibrary library;
    TFakeElem bank(&library, etRhythmBank);
    bank.TransmitTimer(nullptr);
    bank.TransmitTimer(nullptr);
    EXPECT_EQ(bank.Steps, 2);
    const TDateTime modified = bank.ModifiedDate + bank.ModifiedTime;
    bank.TLibElem::Receive(false);
    EXPECT_EQ(library.Saved, 1);
    EXPECT_EQ(bank.ModifiedDate + bank.ModifiedTime, modified);
}

// ---------------------------------------------------------------------------------------- factory

TEST(ElementFactory, MakesTheRegisteredClassWithItsOwner) {
    TFakeLibrary library;
    TElementTypeOverride patchBank(etPatchBank,
                                   [](TLibElem* owner) { return std::make_unique<TFakeElem>(owner, etPatchBank); });
    std::unique_ptr<TLibElem> e = CreateElementOfType(etPatchBank, &library);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->ElemType, etPatchBank);
    EXPECT_EQ(e->Owner, &library);
    EXPECT_NE(dynamic_cast<TFakeElem*>(e.get()), nullptr);
}

TEST(ElementFactory, CodesWithoutAClassRaise) {
    TElementTypeOverride none(etGlobal, nullptr);
    for (int code : {-1, 8, 0x7FFF, static_cast<int>(etGlobal)})
        EXPECT_THROW(CreateElementOfType(code, nullptr), EElementTypeError) << code;
    EXPECT_THROW(RegisterElementType(8, nullptr), EElementTypeError);
}

}  // namespace
}  // namespace zel::test
