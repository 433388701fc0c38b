// The main window's work on libraries: the File items that make, open, save, export, import and print
// them, the trash picture that opens the trash window, closing with the libraries recorded for the next
// start and their reopening, and the audition hook that leaves a library list's own audition to it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "BarInput.h"
#include "ProgramFixture.h"
#include "app/Ueedit.h"
#include "app/Uelibrar.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "platform/vcl/Printers.h"
#include "support/PdfPages.h"

namespace zel::test {
namespace {

using TBytesOfFile = std::vector<std::uint8_t>;

TBytesOfFile ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytesOfFile(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class MainLibraries : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        oldDialogs_ = SetFileDialogAnswerer([this](TOpenDialog& d) {
            Dialogs.push_back(d.Title);
            if (Choose.empty()) return false;
            d.FileName = Choose.front();
            Choose.pop_front();
            return true;
        });
    }
    void TearDown() override {
        SetFileDialogAnswerer(std::move(oldDialogs_));
        SetPrintTarget(TPrintTarget::DefaultPrinter);
        Program::TearDown();
    }

    // The library windows in the main window's order of children (the active one first).
    static std::vector<TFormLibrary*> LibraryWindows() {
        std::vector<TFormLibrary*> windows;
        for (int i = 0; i < Formzelmo->MDIChildCount(); ++i)
            if (auto* w = dynamic_cast<TFormLibrary*>(Formzelmo->MDIChildren(i))) windows.push_back(w);
        return windows;
    }
    static TFormLibrary* ActiveLibraryWindow() { return dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild()); }
    // File > New; the new window.
    static TFormLibrary* NewLibrary() {
        Click(Formzelmo->FileNewItem);
        return ActiveLibraryWindow();
    }
    // Makes a child window the active one, as a click on it does.
    static void Activate(TCustomForm* child) {
        SendMessage(Formzelmo->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->GetHandle()), 0);
        ProcessPendingMessages();
    }
    // A new library window holding Count new patches, saved to Name in the test's folder (when given).
    TFormLibrary* SavedLibrary(const std::string& name, int patches) {
        TFormLibrary* w = NewLibrary();
        for (int i = 0; i < patches; ++i) ClickOn(w->NewPatch);
        Choose.push_back(File(name));
        Click(Formzelmo->FileSaveAsItem);
        return w;
    }
    // The program ended: its lasting windows go, and it starts again with the same settings.
    void Restart() {
        FreeLastingWindows();
        while (QuitPosted()) {
        }
        Start();
        Wait(2000);
    }
    std::string File(const std::string& name) const { return Folder() + "/" + name; }
    static std::vector<std::string> Names(const TLibrary& library) {
        std::vector<std::string> names;
        for (const auto& e : library.Elements) names.push_back(e->GetName());
        return names;
    }

    std::deque<std::string> Choose;    // the paths the next file dialogs choose; none left: cancelled
    std::vector<std::string> Dialogs;  // the titles of the file dialogs shown

private:
    TFileDialogAnswerer oldDialogs_;
};

// ------------------------------------------------------------------------------------------ the items

TEST_F(MainLibraries, FileItemsFollowTheActiveWindowAndItsLibrary) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    struct TState {
        bool close, save, saveAll;
    };
    auto state = [&] {
        EXPECT_EQ(f->FileCloseItem->GetEnabled(), f->FilePrintItem->GetEnabled());
        EXPECT_EQ(f->FileCloseItem->GetEnabled(), f->FileSaveAsItem->GetEnabled());
        // Export follows Save.
        EXPECT_EQ(f->FileExportto->GetEnabled(), f->FileSaveItem->GetEnabled());
        return TState{f->FileCloseItem->GetEnabled(), f->FileSaveItem->GetEnabled(), f->FileSaveAllItem->GetEnabled()};
    };
    auto expect = [&](const char* name, TState want) {
        SCOPED_TRACE(name);
        const TState got = state();
        EXPECT_EQ(got.close, want.close);
        EXPECT_EQ(got.save, want.save);
        EXPECT_EQ(got.saveAll, want.saveAll);
    };
    expect("no window", {false, false, false});
    TFormLibrary* first = NewLibrary();
    ASSERT_NE(first, nullptr);
    expect("a new library, nothing to save", {true, false, false});
    ClickOn(first->NewPatch);
    expect("a patch added", {true, true, true});
    Click(f->FileSaveAllItem);  // untitled: asks for a name, and the user cancels
    expect("Save All cancelled", {true, true, true});
    Choose.push_back(File("first.Lib"));
    Click(f->FileSaveItem);
    expect("saved", {true, false, false});
    ClickOn(first->NewPatch);
    Click(f->GadgetsKeyboardItem);
    expect("the keyboard active, the library unsaved behind it", {false, false, true});
    Activate(first);
    f->TrashVuotoDblClick(f->TrashVuoto);
    ProcessPendingMessages();
    ASSERT_NE(TFormLibrary::TrashWindow(), nullptr);
    expect("the trash window active", {false, false, true});
    EXPECT_TRUE(f->NonLibrary(TFormLibrary::TrashWindow()));
    EXPECT_FALSE(f->NonLibrary(first));
}

// The last library window gone, however it was closed and wherever the focus went meanwhile (a message box,
// another program), Close, Save As, Print, Save and Export are disabled in the menu and on the toolbar: a
// click on them does nothing.
TEST_F(MainLibraries, TheFileItemsGoOutWithTheLastLibraryWindow) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    struct Row {
        const char* name;
        std::function<void(TFormLibrary*)> close;
    };
    const Row rows[] = {
        {"File > Close", [&](TFormLibrary*) { ChooseFromMenu(f, f->File1, f->FileCloseItem); }},
        {"its Close button", [](TFormLibrary* w) { ClickAt(w->btnClose->GetHandle(), 5, 5); }},
        {"its close box", [](TFormLibrary* w) { SendMessage(w->GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TFormLibrary* w = NewLibrary();
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(f->FileCloseItem->GetEnabled());
        // The focus leaves the main window and comes back while the library window is open.
        SendMessage(f->GetHandle(), WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessage(f->GetHandle(), WM_ACTIVATE, WA_ACTIVE, 0);
        r.close(w);
        ProcessPendingMessages();
        ProcessPendingMessages();
        ASSERT_TRUE(LibraryWindows().empty());
        for (TubBarItem* item :
             {f->FileCloseItem, f->FileSaveAsItem, f->FilePrintItem, f->FileSaveItem, f->FileExportto})
            EXPECT_FALSE(item->GetEnabled()) << item->GetName();
        Dialogs.clear();
        ClickLink(ToolBarOf(f), f->FileSaveAsItem);
        ChooseFromMenu(f, f->File1, f->FileSaveAsItem);
        EXPECT_TRUE(Dialogs.empty());
        // A disabled entry leaves its menu open: Escape closes it.
        for (int i = 0; i < 2; ++i) {
            keybd_event(VK_ESCAPE, 0, 0, 0);
            keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
            ProcessPendingMessages();
        }
    }
    EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("file-items-without-a-library")));
}

TEST_F(MainLibraries, SaveAllSavesTheUnsavedLibrariesFirstToLast) {
    StartAndWaitOutTheIntro();
    TFormLibrary* saved = SavedLibrary("saved.Lib", 1);
    TFormLibrary* older = NewLibrary();
    ClickOn(older->NewPatch);
    TFormLibrary* newer = NewLibrary();
    ClickOn(newer->NewPatch);
    ClickOn(newer->NewPatch);
    ASSERT_EQ(LibraryWindows(), (std::vector<TFormLibrary*>{newer, older, saved}));
    const auto savedBytes = ReadBytes(File("saved.Lib"));
    Dialogs.clear();
    Choose = {File("one.Lib"), File("two.Lib")};
    Click(Formzelmo->FileSaveAllItem);
    EXPECT_EQ(Dialogs, (std::vector<std::string>{"Save Library", "Save Library"}));
    // The first child (the active one) first.
    EXPECT_EQ(newer->Library()->FileName, File("one.Lib"));
    EXPECT_EQ(older->Library()->FileName, File("two.Lib"));
    EXPECT_EQ(newer->Library()->Saved, 1);
    EXPECT_EQ(older->Library()->Saved, 1);
    EXPECT_EQ(newer->Caption(), "Library : one.Lib");
    EXPECT_EQ(ReadBytes(File("saved.Lib")), savedBytes);
    EXPECT_FALSE(Formzelmo->FileSaveAllItem->GetEnabled());
}

// A file that cannot be read opens nothing, and says so.
TEST_F(MainLibraries, ALibraryThatCannotBeReadOpensNoWindow) {
    StartAndWaitOutTheIntro();
    {
        std::ofstream(File("damaged.Lib"), std::ios::binary) << "\x05\x00"
                                                                "ab";
    }
    // A named pipe, a folder and a device are no library either: refused at once, not waited on.
    ASSERT_EQ(::mkfifo(File("pipe.Lib").c_str(), 0600), 0);
    std::filesystem::create_directory(File("folder.Lib"));
    for (TubBarButton* item : {Formzelmo->FileOpenItem, Formzelmo->FileImportFrom})
        for (const std::string& path :
             {File("damaged.Lib"), File("pipe.Lib"), File("folder.Lib"), std::string("/dev/null")}) {
            SCOPED_TRACE(item->GetName() + " " + path);
            Boxes.clear();
            Choose.push_back(path);
            Click(item);
            EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Error Loading Library."}));
            EXPECT_TRUE(LibraryWindows().empty());
            EXPECT_EQ(XpFormat, 0);
        }
    // Cancelled, the dialog opens nothing and says nothing.
    Boxes.clear();
    Click(Formzelmo->FileOpenItem);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(LibraryWindows().empty());
}

TEST_F(MainLibraries, OpenShowsTheLibrarySortedAndCloseClosesTheActiveWindow) {
    StartAndWaitOutTheIntro();
    {
        TLibrary library;
        const std::pair<const char*, double> made[] = {{"Zeta", 45000}, {"alpha", 43000}, {"Mid", 44000}};
        for (const auto& [name, created] : made) {
            library.Elements.push_back(CreateElementOfType(etPatch, &library));
            library.Elements.back()->SetName(name, false);
            library.Elements.back()->CreatedDate = created;
        }
        library.SaveToFile(File("names.Lib"));
    }
    NewLibrary();
    Click(Formzelmo->FileCloseItem);
    ProcessPendingMessages();
    EXPECT_TRUE(LibraryWindows().empty());

    Choose.push_back(File("names.Lib"));
    Click(Formzelmo->FileOpenItem);
    ASSERT_EQ(LibraryWindows().size(), 1u);
    TFormLibrary* w = LibraryWindows()[0];
    EXPECT_EQ(Dialogs.back(), "Load Library");
    EXPECT_EQ(w->Caption(), "Library : names.Lib");
    EXPECT_EQ(w->Library()->Saved, 1);
    // No sort button down: sorted by the date each element was made.
    EXPECT_EQ(Names(*w->Library()), (std::vector<std::string>{"alpha", "Mid", "Zeta"}));
}

// ---------------------------------------------------------------------------------- closing and desktop

// The walk asks each library from the last child to the first; the files the libraries were saved under
// are numbered in that order. The next start reopens them before the tool windows.
TEST_F(MainLibraries, ClosingRecordsTheSavedLibrariesInWalkOrderAndTheNextStartReopensThem) {
    StartAndWaitOutTheIntro();
    SavedLibrary("a.Lib", 1);
    SavedLibrary("b.Lib", 2);
    Activate(LibraryWindows().back());  // the walk's order is the children's, not the order of making
    std::vector<std::string> walk;
    for (TFormLibrary* w : LibraryWindows()) walk.insert(walk.begin(), w->Library()->FileName);
    ASSERT_EQ(walk, (std::vector<std::string>{File("b.Lib"), File("a.Lib")}));
    // Never saved: placed on the screen, it is asked about, and No leaves it out.
    NewLibrary();
    Click(Formzelmo->GadgetsMonitorItem);
    Formzelmo->TrashVuotoDblClick(Formzelmo->TrashVuoto);  // closed with the others, never recorded
    BoxAnswer = IDNO;
    Click(Formzelmo->FileExitItem);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Untitled.Lib Was Not Saved, Save It ?"}));
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(Formzelmo, nullptr);
    {
        TIniFile ini(SettingsFileName);
        EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 2);
        EXPECT_EQ(ini.ReadString("Desktop", "Library1", ""), walk[0]);
        EXPECT_EQ(ini.ReadString("Desktop", "Library2", ""), walk[1]);
        EXPECT_FALSE(ini.ValueExists("Desktop", "Library3"));
        EXPECT_EQ(ini.ReadInteger("Monitor", "Open", -1), 1);
    }

    // A library deleted since is left out; the other opens, then the monitor on top.
    std::filesystem::remove(File("a.Lib"));
    Boxes.clear();
    Restart();
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(ChildClasses(), (std::vector<std::string>{"TFormMonitor", "TFormLibrary"}));
    ASSERT_EQ(LibraryWindows().size(), 1u);
    TLibrary& b = *LibraryWindows()[0]->Library();
    EXPECT_EQ(b.FileName, File("b.Lib"));
    EXPECT_EQ(b.Elements.size(), 2u);
    EXPECT_EQ(b.Saved, 1);
    EXPECT_EQ(LibraryWindows()[0]->Caption(), "Library : b.Lib");

    // Closed again after a Yes that saves a new library under a name: that name is recorded.
    NewLibrary();
    BoxAnswer = IDYES;
    Choose.push_back(File("c.Lib"));
    Click(Formzelmo->FileExitItem);
    EXPECT_EQ(Formzelmo, nullptr);
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 2);
    EXPECT_EQ(ini.ReadString("Desktop", "Library1", ""), File("b.Lib"));
    EXPECT_EQ(ini.ReadString("Desktop", "Library2", ""), File("c.Lib"));
}

// Libraries that nobody changed close without a question, however their windows were placed when the
// desktop reopened them: saved by the program, never placed, stored beyond the main window or smaller than a
// window can be. One changed library among them is still asked about.
TEST_F(MainLibraries, UntouchedLibrariesOfTheDesktopCloseWithoutAQuestion) {
    StartAndWaitOutTheIntro();
    SavedLibrary("saved.Lib", 2);
    SavedLibrary("changed.Lib", 1);
    Click(Formzelmo->FileExitItem);
    ASSERT_EQ(Formzelmo, nullptr);
    struct TGeometry {
        const char* name;
        int left, top, width, height;
    };
    const TGeometry made[] = {{"never placed.Lib", -1, -1, -1, -1},
                              {"beyond the window.Lib", 3000, 2500, 400, 300},
                              {"tiny.Lib", 10, 10, 12, 8}};
    TIniFile ini(SettingsFileName);
    int n = ini.ReadInteger("Desktop", "Num Library", 0);
    ASSERT_EQ(n, 2);
    for (const TGeometry& g : made) {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        library.WindowLeft = static_cast<std::int16_t>(g.left);
        library.WindowTop = static_cast<std::int16_t>(g.top);
        library.WindowWidth = static_cast<std::int16_t>(g.width);
        library.WindowHeight = static_cast<std::int16_t>(g.height);
        library.SaveToFile(File(g.name));
        ini.WriteString("Desktop", "Library" + std::to_string(++n), File(g.name));
    }
    ini.WriteInteger("Desktop", "Num Library", n);
    Boxes.clear();
    Restart();
    ASSERT_EQ(LibraryWindows().size(), 5u);
    // One library changed: only it is asked about.
    for (TFormLibrary* w : LibraryWindows())
        if (w->Library()->GetName() == "changed.Lib") {
            Activate(w);
            ClickOn(w->NewPatch);
        }
    BoxAnswer = IDNO;
    Click(Formzelmo->FileExitItem);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"changed.Lib Was Not Saved, Save It ?"}));
    EXPECT_EQ(Formzelmo, nullptr);
}

TEST_F(MainLibraries, CancellingAQuestionKeepsTheProgramOpenAndRecordsNoLibrary) {
    StartAndWaitOutTheIntro();
    TFormLibrary* a = SavedLibrary("a.Lib", 1);
    ClickOn(a->NewPatch);
    TFormLibrary* b = SavedLibrary("b.Lib", 1);
    ASSERT_EQ(LibraryWindows(), (std::vector<TFormLibrary*>{b, a}));
    BoxAnswer = IDCANCEL;
    Click(Formzelmo->FileExitItem);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"a.Lib Was Not Saved, Save It ?"}));
    EXPECT_FALSE(QuitPosted());
    ASSERT_NE(Formzelmo, nullptr);
    EXPECT_EQ(LibraryWindows().size(), 2u);
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 0);
    // The menus follow the active window again.
    EXPECT_TRUE(static_cast<bool>(Screen->OnActiveFormChange));
    Activate(a);
    EXPECT_TRUE(Formzelmo->FileSaveItem->GetEnabled());
    Activate(b);
    EXPECT_FALSE(Formzelmo->FileSaveItem->GetEnabled());
}

// A settings file that cannot be written (its place taken by a folder, which no user's rights get past)
// does not cut the close short: the unsaved library is asked about, Yes saves it, and a message naming the
// settings file comes once, after the question. The program still ends.
TEST_F(MainLibraries, ASettingsFileThatCannotBeWrittenIsSaidAfterTheQuestions) {
    StartAndWaitOutTheIntro();
    TFormLibrary* fresh = NewLibrary();
    ClickOn(fresh->NewPatch);
    TFormLibrary* edited = SavedLibrary("edited.Lib", 1);
    ClickOn(edited->NewPerformance);
    const std::string settings = TIniFile(SettingsFileName).Path();
    std::filesystem::remove(settings);
    std::filesystem::create_directories(settings);
    Boxes.clear();
    BoxAnswer = IDYES;
    Choose.push_back(File("fresh.Lib"));
    // The main window's close box.
    SendMessage(Formzelmo->GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ProcessPendingMessages();
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Untitled.Lib Was Not Saved, Save It ?", "edited.Lib Was Not Saved, Save It ?",
                                        "Unable to write to " + settings}));
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(Formzelmo, nullptr);
    for (const auto& [name, elements] : {std::pair{"fresh.Lib", 1u}, std::pair{"edited.Lib", 2u}}) {
        TLibrary reread;
        reread.LoadFromFile(File(name));
        EXPECT_EQ(reread.Elements.size(), elements) << name;
    }
}

// One library that cannot be read (damaged, a named pipe, a folder, a device) does not end the reopening:
// the others, the monitor and the keyboard still open, silently. A count larger than the entries there stops at the
// first missing one.
TEST_F(MainLibraries, TheDesktopSkipsWhatCannotBeReadAndStopsAtTheFirstMissingEntry) {
    for (const char* name : {"one.Lib", "two.Lib"}) {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPerformance, &library));
        library.SaveToFile(File(name));
    }
    ASSERT_EQ(::mkfifo(File("pipe.Lib").c_str(), 0600), 0);
    std::filesystem::create_directory(File("folder.Lib"));
    {
        std::ofstream(File("damaged.Lib"), std::ios::binary) << "\x01\x00";
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Desktop", "Num Library", 1000000000);
        ini.WriteString("Desktop", "Library1", File("one.Lib"));
        ini.WriteString("Desktop", "Library2", File("damaged.Lib"));
        ini.WriteString("Desktop", "Library3", File("gone.Lib"));
        ini.WriteString("Desktop", "Library4", "");
        ini.WriteString("Desktop", "Library5", File("pipe.Lib"));
        ini.WriteString("Desktop", "Library6", File("folder.Lib"));
        ini.WriteString("Desktop", "Library7", "/dev/null");
        ini.WriteString("Desktop", "Library8", File("two.Lib"));
        ini.WriteInteger("Monitor", "Open", 1);
        ini.WriteInteger("Keyboard", "Open", 1);
    }
    StartAndWaitOutTheIntro();
    EXPECT_TRUE(Boxes.empty()) << BoxTexts()[0];
    EXPECT_EQ(ChildClasses(),
              (std::vector<std::string>{"TFormKeyboard", "TFormMonitor", "TFormLibrary", "TFormLibrary"}));
    std::vector<std::string> files;
    for (TFormLibrary* w : LibraryWindows()) files.push_back(w->Library()->FileName);
    EXPECT_EQ(files, (std::vector<std::string>{File("two.Lib"), File("one.Lib")}));
}

// The menu items are brought up to date once the desktop's windows are open: the File items act on the active
// library and the Window items have windows to arrange.
TEST_F(MainLibraries, TheMenusFollowTheWindowsTheDesktopReopened) {
    StartAndWaitOutTheIntro();
    ASSERT_TRUE(LibraryWindows().empty());
    ASSERT_FALSE(Formzelmo->WindowCascadeItem->GetEnabled());
    ASSERT_FALSE(Formzelmo->FileCloseItem->GetEnabled());
    {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Desktop", "Num Library", 3);
        for (int i = 1; i <= 3; ++i) {
            const std::string file = File("lib" + std::to_string(i) + ".Lib");
            library.SaveToFile(file);
            ini.WriteString("Desktop", "Library" + std::to_string(i), file);
        }
    }
    Formzelmo->LoadDesktopLibrary();
    ASSERT_EQ(LibraryWindows().size(), 3u);
    EXPECT_TRUE(Formzelmo->WindowCascadeItem->GetEnabled());
    EXPECT_TRUE(Formzelmo->FileCloseItem->GetEnabled());
    EXPECT_TRUE(Formzelmo->FileSaveAsItem->GetEnabled());
    EXPECT_FALSE(Formzelmo->FileSaveItem->GetEnabled());  // just read: nothing to save
    EXPECT_FALSE(Formzelmo->FileSaveAllItem->GetEnabled());
    // Each window takes the next place down the cascade, the last one read in front.
    ProcessPendingMessages();
    const std::vector<TFormLibrary*> windows = LibraryWindows();
    EXPECT_EQ(windows[0]->Library()->FileName, File("lib3.Lib"));
    EXPECT_GT(windows[0]->GetLeft(), windows[1]->GetLeft());
    EXPECT_GT(windows[1]->GetTop(), windows[2]->GetTop());
    EXPECT_TRUE(SaveWindowImage(Formzelmo->GetHandle(), ScreenshotPath("desktop-reopened")));
}

// ------------------------------------------------------------------------------------- the XP format

// A library file in the XP form, made from the normal one: every message of a patch common (83 bytes),
// performance common (75), performance part (30) or system common (51) gets its extra zero data bytes (1,
// 2, 6, 42) and a checksum computed over the longer message; every other byte stays.
TBytesOfFile InXpForm(const TBytesOfFile& normal) {
    auto extraFor = [](std::size_t length) -> std::size_t {
        switch (length) {
            case 83: return 1;
            case 75: return 2;
            case 30: return 6;
            case 51: return 42;
            default: return 0;
        }
    };
    TBytesOfFile xp;
    for (std::size_t i = 0; i < normal.size();) {
        const bool message = i + 10 < normal.size() && normal[i] == 0xF0 && normal[i + 1] == 0x41 &&
                             normal[i + 3] == 0x6A && normal[i + 4] == 0x12;
        std::size_t end = i;
        if (message)
            while (end < normal.size() && normal[end] != 0xF7) ++end;
        const std::size_t extra = message && end < normal.size() ? extraFor(end - i + 1) : 0;
        if (extra == 0) {
            xp.push_back(normal[i++]);
            continue;
        }
        const auto from = normal.begin() + static_cast<long>(i);
        xp.insert(xp.end(), from, from + static_cast<long>(end - i - 1));  // up to the last data byte
        xp.insert(xp.end(), extra, 0);
        int sum = 0;
        for (std::size_t k = xp.size() - (end - i - 6 + extra); k < xp.size(); ++k) sum += xp[k];
        xp.push_back(static_cast<std::uint8_t>((128 - sum % 128) % 128));
        xp.push_back(0xF7);
        i = end + 1;
    }
    return xp;
}

TBytesOfFile FileOf(TLibrary& library) {
    TMemoryStream stream;
    library.WriteFile(stream);
    const std::string s = stream.DataString();
    return TBytesOfFile(s.begin(), s.end());
}

TEST_F(MainLibraries, ExportWritesACopyWithTheXpBodiesAndImportReadsItBackUntitled) {
    StartAndWaitOutTheIntro();
    TFormLibrary* w = SavedLibrary("own.Lib", 1);
    ClickOn(w->NewPerformance);
    ClickOn(w->NewPatch);
    TLibrary& library = *w->Library();
    ASSERT_TRUE(Formzelmo->FileExportto->GetEnabled());
    const TBytesOfFile normal = FileOf(library);
    const TBytesOfFile ownBefore = ReadBytes(File("own.Lib"));

    Choose.push_back(File("xp.Lib"));
    Click(Formzelmo->FileExportto);
    EXPECT_EQ(XpFormat, 0);
    const TBytesOfFile xp = ReadBytes(File("xp.Lib"));
    // Two patch commons one byte longer each, a performance common two and its sixteen parts six bytes
    // longer; everything else as in the normal file.
    EXPECT_EQ(xp.size(), normal.size() + 2 + 2 + 16 * 6);
    EXPECT_EQ(xp, InXpForm(normal));
    // The library stays with its own file, unsaved; a plain Save writes that file, in the normal form.
    EXPECT_EQ(library.FileName, File("own.Lib"));
    EXPECT_EQ(library.HasFile, 1);
    EXPECT_EQ(library.Saved, 0);
    EXPECT_EQ(ReadBytes(File("own.Lib")), ownBefore);
    EXPECT_EQ(w->Caption(), "Library : own.Lib");
    Dialogs.clear();
    Click(Formzelmo->FileSaveItem);
    EXPECT_TRUE(Dialogs.empty());
    EXPECT_EQ(ReadBytes(File("own.Lib")), normal);
    EXPECT_EQ(ReadBytes(File("xp.Lib")), xp);

    // Imported, the elements come back whole, in a library without a file of its own.
    Choose.push_back(File("xp.Lib"));
    Click(Formzelmo->FileImportFrom);
    EXPECT_EQ(XpFormat, 0);
    TFormLibrary* imported = ActiveLibraryWindow();
    ASSERT_NE(imported, w);
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(imported->Library()->FileName, "Untitled.Lib");
    EXPECT_EQ(imported->Library()->HasFile, 0);
    EXPECT_EQ(imported->Caption(), "Library : Untitled.Lib");
    const TBytesOfFile back = FileOf(*imported->Library());
    EXPECT_EQ(TBytesOfFile(back.begin() + 10, back.end()), TBytesOfFile(normal.begin() + 10, normal.end()));
    // Its next Save asks for a name.
    ClickOn(imported->NewSystem);
    Click(Formzelmo->FileSaveItem);
    EXPECT_EQ(Dialogs.back(), "Save Library");
}

// ------------------------------------------------------------------------------------------- printing

// A printed listing page of three rows with line height h: the framed heading, then the rows between their
// rules, nothing else above the footer. dark(x, y) reads the page.
void ExpectListingOfThreeRows(int width, int height, int h, const std::function<bool(int, int)>& dark) {
    auto ink = [&](int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += dark(x, y) ? 1 : 0;
        return n;
    };
    const int right = width - 61;
    // The frame from (30, 0) to the page width less 60, three lines high.
    for (int x : {31, width / 2, right - 1}) {
        EXPECT_TRUE(dark(x, 0)) << x;
        EXPECT_TRUE(dark(x, 3 * h - 1)) << x;
    }
    for (int y : {1, h, 3 * h - 2}) {
        EXPECT_TRUE(dark(30, y)) << y;
        EXPECT_TRUE(dark(right, y)) << y;
    }
    EXPECT_FALSE(dark(29, h));
    EXPECT_FALSE(dark(right + 2, h));
    // The heading on the second line, centred, inside the frame.
    EXPECT_GT(ink(32, h, width / 2, 2 * h), 50);
    EXPECT_GT(ink(width / 2, h, right - 1, 2 * h), 50);
    EXPECT_EQ(ink(32, 2, right - 1, h - 2), 0);
    // Then the three rows from 4h + 10, each between its rules, 70 pixels apart.
    for (int row = 0; row < 3; ++row) {
        const int y = 4 * h + 10 + row * (h + 70);
        SCOPED_TRACE(row);
        EXPECT_TRUE(dark(width / 2, y - 1));
        EXPECT_GT(ink(42, y + 2, 142, y + h - 2), 20);  // the type name
    }
    const int afterRows = 4 * h + 10 + 3 * (h + 70);
    EXPECT_EQ(ink(0, afterRows, width, height - h - 80), 0);
}

TEST_F(MainLibraries, PrintListsTheLibraryUnderAFramedHeading) {
    SetPrintTarget(TPrintTarget::PngPages, File("pages"));
    StartAndWaitOutTheIntro();
    TFormLibrary* w = NewLibrary();
    for (TControl* button : std::vector<TControl*>{w->NewPatch, w->NewPerformance, w->NewSystem}) ClickOn(button);
    BeginPrint();
    const int h = PrintLineHeight();
    Printer()->Abort();
    Click(Formzelmo->FilePrintItem);
    EXPECT_TRUE(Boxes.empty());
    ASSERT_EQ(PrintedPageCount(), 1);
    TBitmap page;
    ASSERT_TRUE(LoadPrintedPage(0, page));
    EXPECT_TRUE(page.SaveToPngFile(ScreenshotPath("printed-library")));
    ExpectListingOfThreeRows(page.GetWidth(), page.GetHeight(), h,
                             [&](int x, int y) { return (page.Canvas()->GetPixel(x, y) & 0xFF) < 128; });

    // A printer that fails: the message, and nothing left running.
    SetPrintTarget(TPrintTarget::PdfFile, File("missing/listing.pdf"));
    Click(Formzelmo->FilePrintItem);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Printer Error."}));
    EXPECT_FALSE(Printer()->Printing());
}

TEST_F(MainLibraries, WithoutAPrinterPrintWritesTheListingToThePdfFileTheUserNames) {
    StartAndWaitOutTheIntro();
    TFormLibrary* w = NewLibrary();
    for (TControl* button : std::vector<TControl*>{w->NewPatch, w->NewPerformance, w->NewSystem}) ClickOn(button);
    SetPrintTarget(TPrintTarget::PngPages, File("pages"));
    BeginPrint();
    const int h = PrintLineHeight();
    Printer()->Abort();
    SetPrintTarget(TPrintTarget::NoPrinter);
    // Cancelled: no file and no message.
    Click(Formzelmo->FilePrintItem);
    EXPECT_EQ(Dialogs, (std::vector<std::string>{"Print To PDF File"}));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_FALSE(Printer()->Printing());

    const std::string pdf = File("library.pdf");
    Choose.push_back(pdf);
    Click(Formzelmo->FilePrintItem);
    EXPECT_TRUE(Boxes.empty());
    ASSERT_EQ(PdfPageCount(pdf), 1);
    if (!PdfRendererInstalled())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed: the PDF page is not rendered";
    const TGreyPage page = RenderPdfPage(pdf, 1, TPrinter::DotsPerInch, ScreenshotPath("printed-library-pdf"));
    // A4 at 300 dots per inch; the renderer rounds its 841.89 points up to a whole pixel.
    ASSERT_NEAR(page.Width, 2480, 1);
    ASSERT_NEAR(page.Height, 3508, 1);
    ExpectListingOfThreeRows(page.Width, page.Height, h, [&](int x, int y) { return page.Dark(x, y); });
}

// The printed listing is a document, not a picture: its text is there to search and copy, six pages stay
// small, and every row's texts stay inside the table's right border.
TEST_F(MainLibraries, ThePrintedListingIsTextToSearchWithinTheTable) {
    if (!PdfRendererInstalled()) GTEST_SKIP() << "poppler-utils is not installed: the PDF cannot be read";
    StartAndWaitOutTheIntro();
    TFormLibrary* w = NewLibrary();
    TLibrary& library = *w->Library();
    std::vector<std::string> names;
    for (int i = 1; i <= 125; ++i) {
        names.push_back("Warm Pad " + std::to_string(1000 + i).substr(1));
        library.Elements.push_back(CreateElementOfType(i % 3 == 0 ? etPerformance : etPatch, &library));
        library.Elements.back()->SetName(names.back(), false);
        library.Elements.back()->ModifiedTime = 0.999;  // 23:58:33, the widest time of the day
    }
    w->RefreshList();
    const std::string pdf = File("six pages.pdf");
    SetPrintTarget(TPrintTarget::PdfFile, pdf);
    Click(Formzelmo->FilePrintItem);
    EXPECT_TRUE(Boxes.empty());
    ASSERT_EQ(PdfPageCount(pdf), 6);
    const std::string text = PdfText(pdf);
    for (const std::string& name : names) EXPECT_NE(text.find(name), std::string::npos) << name;
    EXPECT_NE(text.find("Library Untitled.Lib"), std::string::npos);
    EXPECT_NE(text.find("Page N\u00ba 6"), std::string::npos);
    const auto size = std::filesystem::file_size(pdf);
    RecordProperty("PdfBytes", static_cast<int>(size));
    EXPECT_LT(size, 100u * 1024u) << "six pages of text";

    // Nothing is drawn right of the table's right border (page width - 90) but the border itself.
    const TGreyPage page = RenderPdfPage(pdf, 1, TPrinter::DotsPerInch, ScreenshotPath("printed-six-pages-1"));
    ASSERT_GT(page.Width, 0);
    BeginPrint();
    const int h = PrintLineHeight();
    const int border = Printer()->PageWidth() - 90;
    Printer()->Abort();
    int beyond = 0;
    for (int y = 4 * h + 10; y < page.Height; ++y)
        for (int x = border + 3; x < page.Width; ++x) beyond += page.Dark(x, y) ? 1 : 0;
    EXPECT_EQ(beyond, 0);
}

// ---------------------------------------------------------------------------------------------- trash

TEST_F(MainLibraries, TheTrashPictureOpensTheTrashWindowAndHidesUntilItCloses) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    TFormLibrary* w = NewLibrary();
    ClickOn(w->NewPatch);
    f->TrashVuotoDblClick(f->TrashVuoto);
    ProcessPendingMessages();
    TFormLibrary* trash = TFormLibrary::TrashWindow();
    ASSERT_NE(trash, nullptr);
    EXPECT_TRUE(trash->TrashMode());
    EXPECT_EQ(trash->Library(), f->TrashLibrary.get());
    EXPECT_EQ(trash->Caption(), "Trash Library");
    EXPECT_FALSE(f->PanelTrash->GetVisible());
    trash->Close();
    ProcessPendingMessages();
    EXPECT_EQ(TFormLibrary::TrashWindow(), nullptr);
    EXPECT_TRUE(f->PanelTrash->GetVisible());
    EXPECT_TRUE(f->TrashVuoto->GetVisible());
    EXPECT_EQ(LibraryWindows(), (std::vector<TFormLibrary*>{w}));

    // With something in the trash the full picture comes back, and its double click opens it too.
    f->TrashLibrary->Elements.push_back(CreateElementOfType(etPatch, f->TrashLibrary.get()));
    SendMessage(f->TrashVuoto->GetParent()->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
    ProcessPendingMessages();
    ASSERT_NE(TFormLibrary::TrashWindow(), nullptr);
    TFormLibrary::TrashWindow()->Close();
    ProcessPendingMessages();
    EXPECT_TRUE(f->TrashPieno->GetVisible());
    EXPECT_FALSE(f->TrashVuoto->GetVisible());
}

// ------------------------------------------------------------------------------------------- audition

// Shift + right button on the active library window's list is the list's own (it sends the patch to the
// temporary area and arms the timer); anywhere else, even just below the list, the main window auditions
// at once. The list is found by its real rectangle on the screen.
TEST_F(MainLibraries, ShiftAndTheRightButtonOnTheListIsLeftToTheList) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Preview", "Single Note", 1);
        ini.WriteInteger("Preview", "Note", 64);
        ini.WriteInteger("Preview", "Velocity", 90);
    }
    StartAndWaitOutTheIntro();
    Formzelmo->SetBounds(120, 90, 900, 700);  // wherever the main window stands on the screen
    TFormLibrary* w = NewLibrary();
    // Patches on every row, down to the last one the list shows.
    for (int i = 0; i < 40; ++i) ClickOn(w->NewPatch);
    const TRect list = w->ListScreenRect();
    auto shiftRightPress = [&](int x, int y) {
        Clock->Advance(1000);  // presses apart in time: no double click
        Sim.ClearLog();
        SetCursorPos(x, y);
        keybd_event(VK_SHIFT, 0, 0, 0);
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        Application->ProcessMessages();
        std::vector<TBytes> heard = Sim.ReceivedMessages();
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        Application->ProcessMessages();
        return heard;
    };
    auto notes = [](const std::vector<TBytes>& heard) {
        std::vector<TBytes> found;
        for (const TBytes& m : heard)
            if (!m.empty() && (m[0] & 0xF0) == 0x90) found.push_back(m);
        return found;
    };

    // The first row: the patch goes to the temporary area, no note yet; the release ends the audition.
    std::vector<TBytes> heard = shiftRightPress(list.left + 60, list.top + 2);
    EXPECT_TRUE(notes(heard).empty());
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard[0][0], 0xF0);
    EXPECT_EQ(w->Library()->Elements[static_cast<std::size_t>(w->CalcIndex(w->DrawGrid->GetTopRow()))]->Selected, 1);
    EXPECT_FALSE(Formzelmo->TimerPreview->GetEnabled());
    EXPECT_EQ(Screen->GetCursor(), crDefault);

    // The list's last row is the list's; the first pixel row below the list is not.
    EXPECT_TRUE(notes(shiftRightPress(list.left + 60, list.bottom - 8)).empty());
    EXPECT_EQ(notes(shiftRightPress(list.left + 60, list.bottom)), (std::vector<TBytes>{{0x90, 64, 90}}));
    EXPECT_EQ(notes(shiftRightPress(list.right, list.top + 2)), (std::vector<TBytes>{{0x90, 64, 90}}));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

// A new installation (no settings file) talks to an instrument at its factory device 17: the first data
// set carries device byte 10H and the instrument takes it, and Settings > Midi shows the device that
// the messages use.
TEST_F(MainLibraries, ANewInstallationReachesAnInstrumentAtItsFactoryDevice) {
    ASSERT_FALSE(std::filesystem::exists(TIniFile(SettingsFileName).Path()));
    StartAndWaitOutTheIntro();
    ASSERT_EQ(DevicesOpen, 1);
    TFormLibrary* w = NewLibrary();
    ASSERT_NE(w, nullptr);
    ClickOn(w->NewPatch);
    TLibElem& patch = *w->Library()->Elements[0];
    patch.Temporary = 0;
    patch.User = 1;
    patch.Number = 5;
    patch.SetName("Factory", false);
    patch.Selected = 1;
    Sim.ClearLog();
    ClickOn(w->speedtransmet);
    const std::vector<TBytes> heard = Sim.ReceivedMessages();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(TBytes(heard[0].begin(), heard[0].begin() + 5), (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12}));
    EXPECT_EQ(Sim.IgnoredMessages(), 0);
    const TBytes name = Sim.Read(Addr(0x11, 0x04, 0x00, 0x00), 7);
    EXPECT_EQ(std::string(name.begin(), name.end()), "Factory");

    // Settings > Midi shows it; Cancel leaves it.
    int shown = -1;
    const TNotifyEvent onShow = FormInOut->OnShow;
    FormInOut->OnShow = [&](TObject* sender) {
        onShow(sender);
        shown = FormInOut->SpinDeviceID->GetValue();
        PostMessage(FormInOut->CancelBtn->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessage(FormInOut->CancelBtn->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    };
    ChooseFromMenu(Formzelmo, Formzelmo->Settings1, Formzelmo->SetMidiMidiPortItem, true);
    FormInOut->OnShow = onShow;
    EXPECT_EQ(shown, 17);
    EXPECT_EQ(shown - 1, heard[0][2]);
    EXPECT_TRUE(Boxes.empty());
}

// ----------------------------------------------------------------------------------- a user's session

// Start, File > New, two New Patch clicks, the first renamed "Bass 1" and placed at User 12 through the
// list's popup and the properties window, Send Selected (the instrument's user patch 12 carries the
// name), Save As "test.Lib", closed without a question, opened again with the same rows, and saved again
// to the same bytes.
TEST_F(MainLibraries, AUsersSessionFromNewToSavedAndOpenedAgain) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Midi", "DeviceID", 17);  // the instrument's
    }
    StartAndWaitOutTheIntro();
    Click(Formzelmo->FileNewItem);
    TFormLibrary* w = ActiveLibraryWindow();
    ASSERT_NE(w, nullptr);
    ClickOn(w->NewPatch);
    ClickOn(w->NewPatch);
    ASSERT_EQ(w->Library()->Elements.size(), 2u);

    // A right click on the first row opens the popup; its "Edit" opens the properties window.
    int step = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = true;
        if (step == 0 && OpenPopupMenuWindow() != nullptr) {
            ++step;
            TRect r;
            ASSERT_TRUE(GetPopupMenuItemRect(w->Edit, r));
            SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            return;
        }
        auto* edit = dynamic_cast<TFormEdit*>(Screen->ActiveForm());
        if (step == 1 && edit != nullptr && edit->GetVisible()) {
            ++step;
            EXPECT_TRUE(SaveWindowImage(edit->GetHandle(), ScreenshotPath("session-properties")));
            edit->Editname->SetText("Bass 1");
            ClickAt(edit->User->GetHandle(), 5, 5);
            edit->Position->SetValue(12);
            ClickAt(edit->OKBtn->GetHandle(), 5, 5);
        }
    };
    const TRect list = w->ListScreenRect();
    SetCursorPos(list.left + 60, list.top + 5);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    Application->ProcessMessages();
    Application->OnIdle = nullptr;
    ASSERT_EQ(step, 2);
    TLibElem& bass = *w->Library()->Elements[0];
    EXPECT_EQ(bass.GetName(), "Bass 1");
    EXPECT_EQ(bass.LocationText(), "User : 12");
    EXPECT_EQ(bass.Selected, 1);
    EXPECT_EQ(w->Library()->Elements[1]->Selected, 0);
    EXPECT_TRUE(Formzelmo->FileSaveItem->GetEnabled());

    ClickOn(w->speedtransmet);
    const TBytes name = Sim.Read(Addr(0x11, 0x0B, 0x00, 0x00), 6);
    EXPECT_EQ(std::string(name.begin(), name.end()), "Bass 1");

    Choose.push_back(File("test.Lib"));
    Click(Formzelmo->FileSaveAsItem);
    EXPECT_EQ(w->Caption(), "Library : test.Lib");
    const TBytesOfFile saved = ReadBytes(File("test.Lib"));
    struct TRow {
        std::string type, name, location;
        bool operator==(const TRow&) const = default;
    };
    auto rows = [](const TLibrary& library) {
        std::vector<TRow> r;
        for (const auto& e : library.Elements) r.push_back({e->TypeName(), e->GetName(), e->LocationText()});
        return r;
    };
    const std::vector<TRow> before = rows(*w->Library());

    Click(Formzelmo->FileCloseItem);
    ProcessPendingMessages();
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(LibraryWindows().empty());

    Choose.push_back(File("test.Lib"));
    Click(Formzelmo->FileOpenItem);
    w = ActiveLibraryWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(rows(*w->Library()), before);
    EXPECT_EQ(w->DrawGrid->GetRowCount(), 2);
    EXPECT_TRUE(SaveWindowImage(w->GetHandle(), ScreenshotPath("session-library")));
    // Nothing changed, so Save is not offered; its handler writes the file in place all the same.
    EXPECT_FALSE(Formzelmo->FileSaveItem->GetEnabled());
    Formzelmo->FileSaveItemClick(Formzelmo->FileSaveItem);
    EXPECT_EQ(ReadBytes(File("test.Lib")), saved);
    EXPECT_TRUE(Boxes.empty());
}

// ------------------------------------------------------------------------------ one window per file

struct TOneCopyCase {
    const char* Name;
    bool Desktop;  // the desktop reopens the file (under two names) before File > Open opens it again
};

void PrintTo(const TOneCopyCase& c, std::ostream* os) { *os << c.Name; }

class MainLibraryOneCopy : public MainLibraries, public ::testing::WithParamInterface<TOneCopyCase> {
protected:
    void TearDown() override {
        ReleaseHeldInput();
        MainLibraries::TearDown();
    }
};

// A file open in a library window never opens into a second one, whatever name leads to it (a link, a
// path through "."/".."): File > Open and the desktop bring its window to the front. So a patch added
// there and saved with Ctrl+S stays in the file when the program ends, every question answered Yes.
TEST_P(MainLibraryOneCopy, AFileOpensInOneWindowAndItsSavedEditOutlastsTheExit) {
    {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        library.SaveToFile(File("x.Lib"));
    }
    std::filesystem::create_directory(File("sub"));
    std::filesystem::create_symlink(File("x.Lib"), File("link.Lib"));
    const std::string otherName = File("sub/../link.Lib");
    if (GetParam().Desktop) {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Desktop", "Num Library", 2);
        ini.WriteString("Desktop", "Library1", File("x.Lib"));
        ini.WriteString("Desktop", "Library2", otherName);
    }
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    f->SetWindowState(wsNormal);
    f->SetBounds(0, 0, 800, 600);
    ProcessPendingMessages();
    if (!GetParam().Desktop) {
        Choose.push_back(File("x.Lib"));
        ChooseFromMenu(f, f->File1, f->FileOpenItem);
    }
    ASSERT_EQ(LibraryWindows().size(), 1u);
    TFormLibrary* x = LibraryWindows()[0];

    // Another window in front, then the same file again by its other name.
    ChooseFromMenu(f, f->File1, f->FileNewItem);
    ASSERT_NE(ActiveLibraryWindow(), x);
    Choose.push_back(otherName);
    ChooseFromMenu(f, f->File1, f->FileOpenItem);
    EXPECT_TRUE(Boxes.empty());
    ASSERT_EQ(LibraryWindows().size(), 2u);
    ASSERT_EQ(ActiveLibraryWindow(), x);

    ClickAt(x->NewPatch->GetParent()->GetHandle(), x->NewPatch->GetLeft() + 4, x->NewPatch->GetTop() + 4);
    ASSERT_EQ(x->Library()->Elements.size(), 2u);
    CtrlTap('S');
    BoxAnswer = IDYES;
    Choose.push_back(File("new.Lib"));  // where the new library is saved, when asked
    ChooseFromMenu(f, f->File1, f->FileExitItem);
    EXPECT_EQ(Formzelmo, nullptr);
    TLibrary read;
    read.LoadFromFile(File("x.Lib"));
    EXPECT_EQ(read.Elements.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Libraries, MainLibraryOneCopy,
                         ::testing::Values(TOneCopyCase{"OpenedTwice", false},
                                           TOneCopyCase{"ReopenedByTheDesktopThenOpened", true}),
                         [](const ::testing::TestParamInfo<TOneCopyCase>& info) {
                             return std::string(info.param.Name);
                         });

// Every way of saving under a chosen name: File > Save As, File > Export To Xp, Save All's keys (Ctrl+A)
// for a library without a file, and the closing question answered Yes.
struct TSaveOverCase {
    const char* Name;
    std::function<void(TFormzelmo*)> Save;
};

void PrintTo(const TSaveOverCase& c, std::ostream* os) { *os << c.Name; }

class MainLibrarySaveOver : public MainLibraries, public ::testing::WithParamInterface<TSaveOverCase> {
protected:
    void TearDown() override {
        ReleaseHeldInput();
        MainLibraries::TearDown();
    }
};

// Saving a library under the name of a file that another library window holds (here by another name
// of it) would give two windows on one file, and the one saved later would write its copy over the
// other's. It is refused with a message: the file, both windows and both libraries stay as they were.
// The window that holds the file can still save over it under any of its names.
TEST_P(MainLibrarySaveOver, AFileOpenInAnotherWindowIsNotSavedOver) {
    {
        TLibrary library;
        library.Elements.push_back(CreateElementOfType(etPatch, &library));
        library.SaveToFile(File("x.Lib"));
    }
    std::filesystem::create_directory(File("sub"));
    std::filesystem::create_symlink(File("x.Lib"), File("link.Lib"));
    const std::string otherName = File("sub/../link.Lib");
    const TBytesOfFile before = ReadBytes(File("x.Lib"));
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    f->SetWindowState(wsNormal);
    f->SetBounds(0, 0, 800, 600);
    ProcessPendingMessages();
    Choose.push_back(File("x.Lib"));
    ChooseFromMenu(f, f->File1, f->FileOpenItem);
    ASSERT_EQ(LibraryWindows().size(), 1u);
    TFormLibrary* x = LibraryWindows()[0];

    ChooseFromMenu(f, f->File1, f->FileNewItem);
    TFormLibrary* n = ActiveLibraryWindow();
    ASSERT_NE(n, x);
    ClickAt(n->NewPatch->GetParent()->GetHandle(), n->NewPatch->GetLeft() + 4, n->NewPatch->GetTop() + 4);
    ClickAt(n->NewPatch->GetParent()->GetHandle(), n->NewPatch->GetLeft() + 4, n->NewPatch->GetTop() + 4);
    ASSERT_EQ(n->Library()->Elements.size(), 2u);

    Boxes.clear();
    BoxAnswer = IDYES;
    Choose.push_back(otherName);
    GetParam().Save(f);
    EXPECT_TRUE(Choose.empty());  // the dialog was shown and chose the file
    ASSERT_FALSE(Boxes.empty());
    EXPECT_EQ(BoxTexts().back(), "x.Lib Is Open In Another Window, Close It First.");
    EXPECT_EQ(ReadBytes(File("x.Lib")), before);
    EXPECT_EQ(LibraryWindows().size(), 2u);
    EXPECT_EQ(ActiveLibraryWindow(), n);
    EXPECT_EQ(n->Library()->FileName, UntitledLib);
    EXPECT_EQ(n->Library()->Saved, 0);
    EXPECT_EQ(n->Caption(), "Library : Untitled.Lib");
    EXPECT_EQ(x->Library()->Elements.size(), 1u);
    EXPECT_EQ(x->Library()->Saved, 1);

    // The holder saves over its own file through the other name, after the overwrite question.
    Activate(x);
    ClickAt(x->NewPatch->GetParent()->GetHandle(), x->NewPatch->GetLeft() + 4, x->NewPatch->GetTop() + 4);
    Boxes.clear();
    Choose.push_back(otherName);
    ChooseFromMenu(f, f->File1, f->FileSaveAsItem);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"File Alredy Exist. Overwrite it ?"}));
    EXPECT_EQ(x->Library()->Saved, 1);
    TLibrary read;
    read.LoadFromFile(File("x.Lib"));
    EXPECT_EQ(read.Elements.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, MainLibrarySaveOver,
    ::testing::Values(
        TSaveOverCase{"FileSaveAs", [](TFormzelmo* f) { ChooseFromMenu(f, f->File1, f->FileSaveAsItem); }},
        TSaveOverCase{"ExportToXp", [](TFormzelmo* f) { ChooseFromMenu(f, f->File1, f->FileExportto); }},
        TSaveOverCase{"SaveAllKeys", [](TFormzelmo*) { CtrlTap('A'); }},
        TSaveOverCase{"ClosingQuestion", [](TFormzelmo* f) { ChooseFromMenu(f, f->File1, f->FileCloseItem); }}),
    [](const ::testing::TestParamInfo<TSaveOverCase>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace zel::test
