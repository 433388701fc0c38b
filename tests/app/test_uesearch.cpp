// The search window opened by the library window's Search and Find Duplicate buttons: what each search
// finds in a library of single elements, banks and a global, the date and time ranges typed through the
// masks, the duplicate groups and their order, the rows, the text file and the printed page.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "ProgramFixture.h"
#include "app/Uelibrar.h"
#include "app/Uesearch.h"
#include "model/Bank.h"
#include "model/Global.h"
#include "model/Library.h"
#include "model/SystemElem.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Printers.h"
#include "platform/win/Locale.h"

namespace zel::test {
namespace {

class SearchWindow : public Program {
protected:
    void SetUp() override {
        // Dates and times are typed and written in the user's locale: pinned to day-first dates and a
        // 24-hour clock.
        SetUserLocaleName("en_GB");
        GetFormatSettingsFromLocale();
        Program::SetUp();
        StartAndWaitOutTheIntro();
        ASSERT_NE(FormSearch, nullptr);
    }
    void TearDown() override {
        Program::TearDown();
        SetUserLocaleName("");
        GetFormatSettingsFromLocale();
    }
    TLibElem* Add(TLibrary& library, int type, const std::string& name) {
        library.Elements.push_back(CreateElementOfType(type, &library));
        TLibElem* e = library.Elements.back().get();
        e->SetName(name, false);
        return e;
    }
    TFormLibrary* Open(TLibrary* library) {
        TFormLibrary* form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
        return form;
    }
    // Clicks the library window's button and, once the search window shows, runs Act in it and closes it
    // with its Close button.
    void InSearch(TSpeedButton* button, const std::function<void(TFormSearch*)>& act) {
        bool ran = false;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (ran || !FormSearch->GetVisible()) return;
            ran = true;
            act(FormSearch);
            ClickAt(FormSearch->BitBtn1->GetHandle(), 5, 5);
        };
        ClickOn(button);
        Application->OnIdle = nullptr;
        EXPECT_TRUE(ran);
    }
    static void Check(TCheckBox* box, bool on) {
        if (box->GetChecked() != on) ClickAt(box->GetHandle(), 5, 5);
        ASSERT_EQ(box->GetChecked(), on);
    }
    // Types into a field through the keyboard, the whole text selected first.
    static void TypeInto(TCustomEdit* edit, const std::string& keys) {
        SetFocus(edit->GetHandle());
        edit->SelectAll();
        for (char k : keys) {
            keybd_event(static_cast<BYTE>(k), 0, 0, 0);
            keybd_event(static_cast<BYTE>(k), 0, KEYEVENTF_KEYUP, 0);
        }
        ProcessPendingMessages();
    }
    static std::vector<std::string> Names(TFormSearch* f) {
        std::vector<std::string> names;
        for (const TLibElem* e : f->Results()) names.push_back(e->GetName());
        return names;
    }
};

TEST_F(SearchWindow, SearchFindsByKindNameAndSelectionWalkingBanksAndAGlobalsBanks) {
    auto* library = new TLibrary;
    Add(*library, etPatch, "PIANO");
    Add(*library, etPatch, "PIANO 2");
    Add(*library, etPerformance, "Piano Split");
    Add(*library, etRhythm, "Drums");
    Add(*library, etSystem, "Sys");
    auto* bank = static_cast<TBank*>(Add(*library, etPatchBank, "Bank"));
    bank->Members[7]->SetName("BANKPIANO", false);
    auto* global = static_cast<TGlobal*>(Add(*library, etGlobal, "Glob"));
    global->PatchBank(true).Members[3]->SetName("USERPIANO", false);
    global->PatchBank(false).Members[4]->SetName("CARDPIANO", false);
    global->System().SetName("SYSPIANO", false);
    TFormLibrary* form = Open(library);

    struct Row {
        const char* name;
        const char* text;
        bool caseSens, substring, patch, performance, card;
        std::vector<std::string> found;
    };
    const std::vector<Row> rows = {
        {"exact, either case", "piano", false, false, true, true, false, {"PIANO"}},
        {"substring walks the banks",
         "piano",
         false,
         true,
         true,
         true,
         false,
         {"PIANO", "PIANO 2", "Piano Split", "BANKPIANO", "USERPIANO"}},
        {"with a data card the card banks too",
         "piano",
         false,
         true,
         true,
         true,
         true,
         {"PIANO", "PIANO 2", "Piano Split", "BANKPIANO", "USERPIANO", "CARDPIANO"}},
        {"case sensitive", "Piano", true, true, true, true, false, {"Piano Split"}},
        {"patch kind off: no patch and no patch bank", "piano", false, true, false, true, true, {"Piano Split"}},
        {"trailing blanks of the text dropped", "PIANO   ", true, false, true, true, false, {"PIANO"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ZelmoHolder->Config->Installed = r.card ? 1 : 0;
        InSearch(form->SpeedSearch, [&](TFormSearch* f) {
            EXPECT_EQ(f->Caption(), "Search Items");
            EXPECT_EQ(f->HelpContext, 57);
            EXPECT_EQ(f->Btnsearch->GetLeft(), 204);
            EXPECT_EQ(f->GroupBoxFor->GetTop(), 40);
            EXPECT_EQ(f->Header->GetTop(), f->GroupBoxFor->GetTop() + f->GroupBoxFor->GetHeight() + 8);
            EXPECT_TRUE(f->SearchString->GetVisible());
            EXPECT_FALSE(f->GroupCaseDeb->GetVisible());
            Check(f->CaseSens, r.caseSens);
            Check(f->substring, r.substring);
            Check(f->Patch, r.patch);
            Check(f->Performance, r.performance);
            f->SearchString->SetText(r.text);
            ClickAt(f->Btnsearch->GetHandle(), 5, 5);
            EXPECT_EQ(Names(f), r.found);
            EXPECT_EQ(f->DrawGrid->GetRowCount(), static_cast<int>(std::max<std::size_t>(1, r.found.size())));
            EXPECT_EQ(f->Gauge->GetProgress(), 100);
            Check(f->Patch, true);
            Check(f->Performance, true);
        });
    }
    ZelmoHolder->Config->Installed = 1;
    // An empty text finds every element of the checked kinds: the bank's 128 members and the global's six
    // banks (never its system), but no system with its box off.
    InSearch(form->SpeedSearch, [&](TFormSearch* f) {
        Check(f->system, false);
        ClickAt(f->Btnsearch->GetHandle(), 5, 5);
        const std::vector<std::string> names = Names(f);
        EXPECT_EQ(names.size(), 3u + 1 + 128 + 2 * (128 + 32 + 2));
        EXPECT_EQ(std::count(names.begin(), names.end(), "Sys"), 0);
        EXPECT_EQ(std::count(names.begin(), names.end(), "SYSPIANO"), 0);
        Check(f->system, true);
    });
    // Only the selected elements: the bank selected, its members found although they are not.
    InSearch(form->SpeedSearch, [&](TFormSearch* f) {
        library->Elements[1]->Selected = 1;
        bank->Selected = 1;
        Check(f->Selected, true);
        Check(f->CaseSens, false);
        Check(f->substring, true);
        f->SearchString->SetText("PIANO");
        ClickAt(f->Btnsearch->GetHandle(), 5, 5);
        EXPECT_EQ(Names(f), (std::vector<std::string>{"PIANO 2", "BANKPIANO"}));
        Check(f->Selected, false);
        // Nothing found: one row saying so.
        f->SearchString->SetText("NOWHERE");
        ClickAt(f->Btnsearch->GetHandle(), 5, 5);
        EXPECT_TRUE(f->Results().empty());
        EXPECT_EQ(f->DrawGrid->GetRowCount(), 1);
        EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("search-nothing-found")));
    });
}

TEST_F(SearchWindow, DatesAndTimesTypedThroughTheMasksIncludeBothEndsAndBadOnesSayWhy) {
    auto* library = new TLibrary;
    const struct {
        const char* name;
        int y, m, d, hh, mm;
    } stamps[] = {{"Before", 2024, 3, 9, 9, 0},
                  {"First", 2024, 3, 10, 10, 0},
                  {"Middle", 2024, 3, 15, 12, 30},
                  {"Last", 2024, 3, 20, 14, 0},
                  {"After", 2024, 3, 21, 14, 1}};
    for (const auto& s : stamps) {
        TLibElem* e = Add(*library, etPatch, s.name);
        e->ModifiedDate = EncodeDate(s.y, s.m, s.d);
        e->ModifiedTime = EncodeTime(s.hh, s.mm, 0, 0);
    }
    TFormLibrary* form = Open(library);
    struct Row {
        const char* name;
        bool date, time;
        const char *from, *to, *fromTime, *toTime;  // keys typed into the masked fields
        std::vector<std::string> found;
        const char* message;  // the message box, or nullptr
    };
    const std::vector<Row> rows = {
        {"dates, both ends in", true, false, "100324", "200324", "", "", {"First", "Middle", "Last"}, nullptr},
        {"times, both ends in", false, true, "", "", "100000", "140000", {"First", "Middle", "Last"}, nullptr},
        {"both", true, true, "090324", "200324", "103000", "235959", {"Middle", "Last"}, nullptr},
        {"empty date", true, false, "", "200324", "", "", {}, "Incorrect Date Format."},
        {"no such day", true, false, "310224", "200324", "", "", {}, "Incorrect Date Format."},
        {"half a time", false, true, "", "", "12", "140000", {}, "Incorrect Time Format."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Boxes.clear();
        InSearch(form->SpeedSearch, [&](TFormSearch* f) {
            Check(f->Date, r.date);
            Check(f->Time, r.time);
            EXPECT_EQ(f->FromDate->GetEnabled(), r.date);
            EXPECT_EQ(f->Totime->GetEnabled(), r.time);
            for (auto [edit, keys] : {std::pair{f->FromDate, r.from}, std::pair{f->Todate, r.to},
                                      std::pair{f->Fromtime, r.fromTime}, std::pair{f->Totime, r.toTime}}) {
                edit->SetText("");
                if (edit->GetEnabled()) TypeInto(edit, keys);
            }
            ClickAt(f->Btnsearch->GetHandle(), 5, 5);
            ProcessPendingMessages();
            EXPECT_EQ(Names(f), r.found);
            if (r.message != nullptr) {
                ASSERT_EQ(BoxTexts(), std::vector<std::string>{r.message});
                EXPECT_EQ(GetFocus(), (r.date ? f->FromDate : f->Fromtime)->GetHandle());
            } else {
                EXPECT_TRUE(Boxes.empty());
            }
            Check(f->Date, false);
            Check(f->Time, false);
        });
    }
}

TEST_F(SearchWindow, FindDuplicateGroupsEqualNamesAcrossKindsSortedByName) {
    auto* library = new TLibrary;
    Add(*library, etRhythm, "Zed");
    Add(*library, etPatch, "Lead");
    Add(*library, etSystem, "zed");
    Add(*library, etPatch, "BASS");
    Add(*library, etPatch, "");
    Add(*library, etPatch, "");
    Add(*library, etPatch, "bass");
    Add(*library, etPatch, "Lead   ");
    Add(*library, etPerformance, "BASS");
    Add(*library, etPatch, "Alone");
    TFormLibrary* form = Open(library);
    const auto upper = [](std::vector<std::string> names) {
        for (auto& n : names) n = UpperCase(TrimTrailingBlanks(n));
        return names;
    };
    InSearch(form->Speeddebug, [&](TFormSearch* f) {
        EXPECT_EQ(f->Caption(), "Find Duplicate Items");
        EXPECT_EQ(f->HelpContext, 12);
        EXPECT_EQ(f->Btnsearch->GetLeft(), 144);
        EXPECT_EQ(f->GroupBoxFor->GetTop(), 8);
        EXPECT_FALSE(f->SearchString->GetVisible());
        EXPECT_FALSE(f->GroupDate->GetVisible());
        EXPECT_TRUE(f->GroupCaseDeb->GetVisible());
        ClickAt(f->Btnsearch->GetHandle(), 5, 5);
        const std::vector<std::string> names = upper(Names(f));
        EXPECT_EQ(names, (std::vector<std::string>{"BASS", "BASS", "BASS", "LEAD", "LEAD", "ZED", "ZED"}));
        // Within a group the first member found comes first.
        EXPECT_EQ(f->Results()[0], library->Elements[3].get());
        EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("search-find-duplicate")));

        Check(f->DebCaseSens, true);
        ClickAt(f->Btnsearch->GetHandle(), 5, 5);
        EXPECT_EQ(Names(f), (std::vector<std::string>{"BASS", "BASS", "Lead", "Lead"}));
        Check(f->DebCaseSens, false);
        // Kinds with their box off take no part.
        Check(f->Patch, false);
        ClickAt(f->Btnsearch->GetHandle(), 5, 5);
        EXPECT_EQ(upper(Names(f)), (std::vector<std::string>{"ZED", "ZED"}));
        Check(f->Patch, true);
    });
}

TEST_F(SearchWindow, SaveToDiskWritesFixedFieldsAndKeepsTheOldFileOnFailurePrintListsEachRow) {
    auto* library = new TLibrary;
    TLibElem* patch = Add(*library, etPatch, "Strings");
    patch->ModifiedDate = EncodeDate(2024, 3, 7);
    patch->ModifiedTime = EncodeTime(9, 5, 1, 0);
    patch->Temporary = 0;
    patch->User = 1;
    patch->Number = 12;
    auto* global = static_cast<TGlobal*>(Add(*library, etGlobal, "Glob"));
    TLibElem* member = global->PatchBank(true).Members[0].get();
    member->SetName("Strings", false);
    member->ModifiedDate = EncodeDate(2023, 12, 31);
    member->ModifiedTime = EncodeTime(23, 59, 59, 0);
    TLibElem* performance = Add(*library, etPerformance, "Strings");
    performance->ModifiedDate = EncodeDate(2024, 1, 2);
    performance->ModifiedTime = EncodeTime(0, 0, 0, 0);
    TFormLibrary* form = Open(library);
    const std::string file = Folder() + "/Result.Txt";
    std::string dialogFolder, dialogName;
    SetFileDialogAnswerer([&](TOpenDialog& d) {
        EXPECT_EQ(d.Title, "Save as Text");
        EXPECT_EQ(d.DefaultExt, "Txt");
        EXPECT_EQ(d.Filter, "Txt file|*.Txt");
        EXPECT_TRUE(d.Options.Contains(ofPathMustExist));
        dialogFolder = d.InitialDir;
        dialogName = d.FileName;
        d.FileName = file;
        return true;
    });
    TScopeExit dialogs([] { SetFileDialogAnswerer(nullptr); });
    SetPrintTarget(TPrintTarget::PngPages, Folder() + "/pages");
    TScopeExit resetPrinter([] { SetPrintTarget(TPrintTarget::DefaultPrinter); });
    const auto read = [&] {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    InSearch(form->SpeedSearch, [&](TFormSearch* f) {
        f->SearchString->SetText("strings");
        ClickAt(f->Btnsearch->GetHandle(), 5, 5);
        ASSERT_EQ(f->Results().size(), 3u);
        EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("search-results")));
        ClickAt(f->Savetodisk->GetHandle(), 5, 5);
        EXPECT_EQ(dialogName, "Result.Txt");
        EXPECT_EQ(dialogFolder, DefaultDataFolder());
        const std::string expected =
            "Patch               Strings             User : 12      07/03/2024  09:05:01     Loc : Untitled.Lib\r\n"
            "Patch               Strings             User : 1       31/12/2023  23:59:59     Loc : Glob\\Untitled\r\n"
            "Performance         Strings             Temporary      02/01/2024  00:00:00     Loc : Untitled.Lib\r\n";
        EXPECT_EQ(read(), expected);
        // A failing write says so and leaves the file as it was.
        {
            TSafeFileFaultsGuard faults(TSafeFileFaults{.FailWriteAfter = 10});
            ClickAt(f->Savetodisk->GetHandle(), 5, 5);
            ProcessPendingMessages();
        }
        // (The exception's message box ends the text with a full stop.)
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Error Saving text file."});
        EXPECT_EQ(read(), expected);

        ClickAt(f->StampaBtn->GetHandle(), 5, 5);
        ASSERT_EQ(PrintedPageCount(), 1);
        // Each result's row between two rules, from y 9 on: the rules found down the owner column, right of
        // its "Loc : " texts.
        TBitmap page;
        ASSERT_TRUE(LoadPrintedPage(0, page));
        EXPECT_TRUE(page.SaveToPngFile(ScreenshotPath("search-print")));
        std::vector<int> rules;
        const int x = page.GetWidth() * 93 / 100;
        bool inRule = false;
        for (int y = 0; y < page.GetHeight() / 2; ++y) {
            const bool dark = (page.Canvas()->GetPixel(x, y) & 0xFF) < 128;
            if (dark && !inRule) rules.push_back(y);
            inRule = dark;
        }
        ASSERT_EQ(rules.size(), 6u);
        EXPECT_NEAR(rules[0], 9, 2);
    });
}

}  // namespace
}  // namespace zel::test
