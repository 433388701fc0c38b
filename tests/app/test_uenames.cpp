// The name picker: its 65 lists read from the two name files whatever they hold, and the start-up that
// puts the shipped "Names.Txt" into the data folder and goes on without one.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ProgramFixture.h"
#include "ScreenInput.h"
#include "app/NameFiles.h"
#include "app/Uenames.h"
#include "model/ModelServices.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

// Lists of one name each, "N1", "N2", ..., separated: Count lists, with a separator after the last one
// when Trailing.
std::string NumberedLists(int Count, bool Trailing) {
    std::string text;
    for (int i = 1; i <= Count; ++i) {
        if (i > 1) text += "\xC7\r\n";
        text += "N" + std::to_string(i) + "\r\n";
    }
    if (Trailing) text += "\xC7\r\n";
    return text;
}

const std::string UserCard = "UP\r\n\xC7\r\nCP\r\n\xC7\r\nUPat\r\n\xC7\r\nCPat\r\n\xC7\r\n";

class NamePicker : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        saved_ = ModelServices();
        ModelServices().DataFolder = [this] { return Data.Path().string(); };
        form.reset(Construct<TFormNames>(nullptr));
        Boxes.clear();
    }
    void TearDown() override {
        form.reset();
        ModelServices() = saved_;
        VclTest::TearDown();
    }
    // The names of list n, joined by blanks.
    std::string ListText(int n) {
        std::string text;
        for (int i = 0; i < form->List(n).GetCount(); ++i) text += (i > 0 ? " " : "") + form->List(n).Get(i);
        return text;
    }

    // Fills list n with Count names "Name 1", "Name 2", ...
    void FillList(int n, int Count) {
        form->List(n).Clear();
        for (int i = 1; i <= Count; ++i) form->List(n).Add("Name " + std::to_string(i));
    }
    // The middle of a cell of the grid, on the screen.
    POINT CellPoint(int Col, int Row) {
        const TRect r = form->StringGrid1->CellRect(Col, Row);
        return ScreenPoint(form->StringGrid1, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Shows the picker modally (by Show, else by ShowModal); Act runs once while it is up.
    int ShowPicker(const std::function<void()>& Act, const std::function<int()>& Show = nullptr) {
        bool done = false;
        int idles = 0;
        Application->OnIdle = [&](TObject*, bool& idleDone) {
            idleDone = false;
            if (++idles > 1000) form->ModalResult = mrAbort;  // never hang the test
            if (done || !form->GetVisible()) return;
            done = true;
            Act();
        };
        const int result = Show ? Show() : form->ShowModal();
        Application->OnIdle = nullptr;
        return result;
    }

    TempDir Data;
    std::unique_ptr<TFormNames> form;

private:
    TModelServices saved_;
};

TEST_F(NamePicker, LoadPutsUserCardTxtAfterTheListsOfNamesTxt) {
    using TTail = std::vector<std::string>;  // lists 57 to 65
    const std::string lf = [] {
        std::string text;
        for (char c : NumberedLists(58, false))
            if (c != '\r') text += c;
        return text;
    }();
    struct TRow {
        const char* name;
        std::string names;  // "Names.Txt"
        bool userCard;      // "UserCard.Txt" there
        TTail tail;
    } rows[] = {
        {"57 separators", NumberedLists(58, false), true, {"N57", "N58", "UP", "CP", "UPat", "CPat", "", "", ""}},
        {"a trailing separator", NumberedLists(58, true), true, {"N57", "N58", "", "UP", "CP", "UPat", "CPat", "", ""}},
        {"no UserCard.Txt yet", NumberedLists(58, false), false, {"N57", "N58", "", "", "", "", "", "", ""}},
        {"LF line ends", lf, true, {"N57", "N58", "UP", "CP", "UPat", "CPat", "", "", ""}},
        {"63 lists", NumberedLists(63, false), true, {"N57", "N58", "N59", "N60", "N61", "N62", "N63", "UP", "CP"}},
        {"70 lists", NumberedLists(70, false), true, {"N57", "N58", "N59", "N60", "N61", "N62", "N63", "N64", "N65"}},
    };
    for (const TRow& r : rows) {
        WriteAll(Data.File("Names.Txt"), r.names);
        std::filesystem::remove(Data.File("UserCard.Txt"));
        if (r.userCard) WriteAll(Data.File("UserCard.Txt"), UserCard);
        form->Load();
        TTail tail;
        for (int n = 57; n <= 65; ++n) tail.push_back(ListText(n));
        EXPECT_EQ(tail, r.tail) << r.name;
        EXPECT_EQ(ListText(1), "N1") << r.name;
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(NamePicker, ADamagedNamesTxtNeverCrashesAndIsNeverWritten) {
    struct TRow {
        const char* name;
        std::string bytes;
        std::string list1;
    } rows[] = {
        {"a NUL", std::string("Pi\0no\r\n", 7), std::string("Pi\0no", 5)},
        {"bytes of 80H and above", "\x80\xFF\xE9\r\n\xC7", "\x80\xFF\xE9"},
        {"no line end", "Last", "Last"},
        {"nothing but separators", std::string(200, '\xC7'), ""},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.name);
        WriteAll(Data.File("Names.Txt"), r.bytes);
        form->Load();
        EXPECT_EQ(ListText(1), r.list1);
        EXPECT_EQ(ReadAll(Data.File("Names.Txt")), r.bytes);
    }
    // A folder in its place: the message, and the folder stays as it was.
    std::filesystem::remove(Data.File("Names.Txt"));
    std::filesystem::create_directory(Data.File("Names.Txt"));
    try {
        form->Load();
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message, "Unable to Load File Names.Txt Or UserCard.Txt");
    }
    EXPECT_TRUE(std::filesystem::is_directory(Data.File("Names.Txt")));
    EXPECT_TRUE(std::filesystem::is_empty(Data.File("Names.Txt")));
}

TEST_F(NamePicker, SetTypeShowsTheListAndScrollsTheSelectedNameToTheTop) {
    struct TRow {
        const char* name;
        int selected, col, row, topRow;
    } rows[] = {
        {"index 200", 200, 2, 33, 31},
        {"the first", 0, 0, 0, 0},
        {"row 20", 125, 5, 20, 20},
        {"the last cell", 257, 5, 42, 31},
    };
    FillList(1, 256);
    form->Show();
    for (const TRow& r : rows) {
        form->Selected = r.selected;
        form->SetType(1);
        EXPECT_EQ(form->StringGrid1->GetCol(), r.col) << r.name;
        EXPECT_EQ(form->StringGrid1->GetRow(), r.row) << r.name;
        EXPECT_EQ(form->StringGrid1->GetTopRow(), r.topRow) << r.name;
    }
    EXPECT_EQ(form->ListType, 1);
    EXPECT_EQ(form->StringGrid1->GetCells(0, 0), "Name 1");
    EXPECT_EQ(form->StringGrid1->GetCells(2, 33), "Name 201");
    EXPECT_EQ(form->StringGrid1->GetCells(3, 42), "Name 256");
    EXPECT_EQ(form->StringGrid1->GetCells(4, 42), "");
    // A shorter list clears what the longer one showed.
    FillList(57, 32);
    form->SetType(57);
    EXPECT_EQ(form->StringGrid1->GetCells(1, 5), "Name 32");
    EXPECT_EQ(form->StringGrid1->GetCells(2, 5), "");
    EXPECT_EQ(form->StringGrid1->GetCells(2, 33), "");
}

TEST_F(NamePicker, AListLongerThanTheGridShowsWhatFitsAndAFarIndexSelectsNothingNew) {
    FillList(3, 300);
    form->Show();
    form->Selected = 7;
    form->SetType(3);
    form->Selected = 280;
    form->SetType(3);
    EXPECT_EQ(form->StringGrid1->GetCells(5, 42), "Name 258");
    EXPECT_EQ(form->StringGrid1->GetCol(), 1);  // the cell chosen before stays
    EXPECT_EQ(form->StringGrid1->GetRow(), 1);
    EXPECT_EQ(form->Selected, 280);
}

TEST_F(NamePicker, AClickedNameIsTakenByOkAndCancelOrAnEmptyCellKeepTheSelection) {
    FillList(61, 10);
    form->Selected = 4;
    form->SetType(61);
    std::string screenshot;
    // OK on an empty cell keeps the window open; Cancel then leaves Selected alone.
    EXPECT_EQ(ShowPicker([&] {
                  ClickScreen(CellPoint(5, 3));
                  ASSERT_EQ(form->StringGrid1->GetRow(), 3);
                  ClickControl(form->BitBtn3);
                  EXPECT_TRUE(form->GetVisible());
                  ClickScreen(CellPoint(3, 1));
                  screenshot = ScreenshotPath("select_name");
                  EXPECT_TRUE(SaveWindowImage(form->GetHandle(), screenshot));
                  ClickControl(form->BitBtn1);
              }),
              mrCancel);
    std::printf("screenshot: %s\n", screenshot.c_str());
    EXPECT_EQ(form->Selected, 4);
    // OK on a name takes it.
    form->SetType(61);
    EXPECT_EQ(ShowPicker([&] {
                  ClickScreen(CellPoint(3, 1));
                  ClickControl(form->BitBtn3);
              }),
              mrOk);
    EXPECT_EQ(form->Selected, 9);
}

TEST_F(NamePicker, TheEditorsPickAndReadNamesThroughThePickerByListNumber) {
    FillList(61, 10);
    EXPECT_EQ(NameInPicker(61, 9), "Name 10");
    EXPECT_EQ(NameInPicker(61, 10), "");
    EXPECT_EQ(NameInPicker(61, -1), "");
    EXPECT_EQ(NameInPicker(0, 0), "");
    EXPECT_EQ(NameInPicker(66, 0), "");
    // The list and the selection come from the caller; OK answers the name clicked, Cancel no pick.
    const auto pick = [this] { return PickNameFromPicker(61, 4); };
    EXPECT_EQ(ShowPicker(
                  [&] {
                      EXPECT_EQ(form->StringGrid1->GetCol(), 4);
                      ClickScreen(CellPoint(3, 1));
                      ClickControl(form->BitBtn3);
                  },
                  pick),
              9);
    EXPECT_EQ(ShowPicker([&] { ClickControl(form->BitBtn1); }, pick), INameLists::NoPick);
}

TEST_F(NamePicker, TheWindowIsTheNamePicker) {
    EXPECT_EQ(form->Caption(), "Select Name");
    EXPECT_EQ(form->HelpContext, 32);
    EXPECT_EQ(form->StringGrid1->GetColCount(), 6);
    EXPECT_EQ(form->StringGrid1->GetRowCount(), 43);
}

// ------------------------------------------------------------------------------------------ start-up

TEST_F(Program, AFirstStartCopiesNamesTxtIntoTheDataFolderWithoutAMessage) {
    StartAndWaitOutTheIntro();
    ASSERT_NE(FormNames, nullptr);
    EXPECT_EQ(ReadAll(DataFolder() + "/Names.Txt"), ShippedNames());
    EXPECT_FALSE(std::filesystem::exists(DataFolder() + "/UserCard.Txt"));
    EXPECT_EQ(FormNames->List(1).Get(0), "List 1      ");
    EXPECT_EQ(FormNames->List(58).Get(0), "List 58     ");
    EXPECT_EQ(FormNames->List(59).GetCount(), 0);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(ModelServices().NameLists, &FormUpdateNames->NameLists());
    // The model reads the picker's names through its lists.
    EXPECT_EQ(ModelServices().NameLists->NameAt(58, 0), "List 58     ");
    EXPECT_EQ(ModelServices().NameLists->NameAt(59, 0), "");
}

TEST_F(Program, WithoutANamesFileTheStartSaysSoOnceAndGoesOn) {
    std::filesystem::remove(Folder() + "/Names.Txt");
    StartAndWaitOutTheIntro();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Unable to Load File Names.Txt Or UserCard.Txt."});
    ASSERT_NE(FormNames, nullptr);
    EXPECT_EQ(FormNames->List(1).GetCount(), 0);
    // The rest of the start-up ran: the ports, the settings and the main window.
    EXPECT_NE(FormInOut, nullptr);
    EXPECT_EQ(DevicesOpen, 1);
    EXPECT_TRUE(Formzelmo->GetEnabled());
    EXPECT_FALSE(Application->Terminated());
}

}  // namespace
}  // namespace zel::test
