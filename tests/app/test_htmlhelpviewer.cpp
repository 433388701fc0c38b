// The help viewer: what each viewer operation asks of the HTML help entry, the help file it names, its
// registration, and the help pages the program ships, opened by the context numbers its windows use (the
// MIDI port dialog's page leading to the MIDI set-up on Linux).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/HtmlHelpViewer.h"
#include "app/Uemonito.h"
#include "midi/dialog/Uemidiio.h"
#include "platform/midi/MidiBackend.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/HelpIntfs.h"
#include "platform/vcl/HtmlHelp.h"
#include "platform/win/SysInfo.h"
#include "support/TempDir.h"
#include "support/model/ModelFakes.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

struct TCall {
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    DWORD_PTR data = 0;
    std::string text;  // the keyword a display-index call points to
};
std::vector<TCall>& Calls() {
    static std::vector<TCall> calls;
    return calls;
}
HWND RecordHtmlHelp(HWND window, const std::string& file, UINT command, DWORD_PTR data) {
    TCall call{window, file, command, data, {}};
    if (command == HH_DISPLAY_INDEX && data != 0) call.text = reinterpret_cast<const char*>(data);
    Calls().push_back(call);
    return nullptr;
}

std::string ModuleFolder() {
    char path[4096] = {};
    GetModuleFileName(nullptr, path, sizeof path);
    return std::filesystem::path(path).parent_path().string() + "/";
}

class HelpViewer : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Calls().clear();
        // The help system keeps the help file of the last request it was given, which the viewer prefers
        // to the application's: each test starts from a help system that has served nothing yet.
        ShutDownHelpSystem();
        RegisterHtmlHelpViewer();
        ASSERT_NE(HtmlHelpViewer, nullptr);
        savedFile_ = Application->HelpFile;
    }
    void TearDown() override {
        UnregisterHtmlHelpViewer();
        Application->HelpFile = savedFile_;
        VclTest::TearDown();
    }
    std::string savedFile_;
};

TEST_F(HelpViewer, EachOperationCallsHtmlHelpAsTheViewerTableSays) {
    THtmlHelpViewer& viewer = *HtmlHelpViewer;
    viewer.HtmlHelpA = RecordHtmlHelp;
    Application->HelpFile = "/usr/share/zelmovi/ZELMO.chm";
    const HWND window = viewer.HelpManager->GetHandle();
    const std::string file = "/usr/share/zelmovi/ZELMO.chm";

    EXPECT_EQ(viewer.GetViewerName(), "HtmlHelpViewer");
    EXPECT_EQ(viewer.GetHelpStrings("Keyboard"), std::vector<std::string>{"HtmlHelpViewer: Keyboard"});

    struct Row {
        const char* name;
        std::function<void()> act;
        HWND window;
        std::string file;
        UINT command;
        DWORD_PTR data;
        std::string text;
    };
    const Row rows[] = {
        {"contents", [&] { viewer.ShowTableOfContents(); }, window, file, HH_DISPLAY_TOC, 0, ""},
        {"keyword: the text after the first colon, trimmed", [&] { viewer.ShowHelp("HtmlHelpViewer:  Midi: Thru "); },
         window, file, HH_DISPLAY_INDEX, 1, "Midi: Thru"},
        {"topic gets .htm", [&] { viewer.DisplayTopic("keyboard"); }, window, file + "::/keyboard.htm",
         HH_DISPLAY_TOPIC, 0, ""},
        {"topic ending in .HTML keeps it", [&] { viewer.DisplayTopic("Monitor.HTML"); }, window,
         file + "::/Monitor.HTML", HH_DISPLAY_TOPIC, 0, ""},
        {"topic ending in .htm keeps it", [&] { viewer.DisplayTopic("a.htm"); }, window, file + "::/a.htm",
         HH_DISPLAY_TOPIC, 0, ""},
        {"context", [&] { viewer.DisplayHelpByContext(31, "other.chm"); }, window, file, HH_HELP_CONTEXT, 31, ""},
        {"soft shutdown: close all, no window, no file", [&] { viewer.SoftShutDown(); }, nullptr, "", HH_CLOSE_ALL, 0,
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Calls().clear();
        row.act();
        ASSERT_EQ(Calls().size(), 1u);
        const TCall& call = Calls()[0];
        EXPECT_EQ(call.window, row.window);
        EXPECT_EQ(call.file, row.file);
        EXPECT_EQ(call.command, row.command);
        if (row.command == HH_DISPLAY_INDEX) {
            EXPECT_EQ(call.text, row.text);
        } else {
            EXPECT_EQ(call.data, row.data);
        }
    }

    // The help selector's answers.
    EXPECT_EQ(viewer.SelectKeyword({"Other: Monitor", "HtmlHelpViewer: Monitor", "HtmlHelpViewer: Midi"}), 1);
    EXPECT_EQ(viewer.SelectKeyword({"Other: Monitor"}), 0);
    EXPECT_EQ(viewer.TableOfContents({"Other", "HtmlHelpViewer"}), 1);

    // Shutdown closes all and lets the manager go.
    Calls().clear();
    viewer.ShutDown();
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].command, HH_CLOSE_ALL);
    EXPECT_EQ(viewer.HelpManager, nullptr);
}

TEST_F(HelpViewer, OnlyAChmHelpFileIsServedAndABareNameLiesInTheProgramsFolder) {
    THtmlHelpViewer& viewer = *HtmlHelpViewer;
    viewer.HtmlHelpA = RecordHtmlHelp;
    struct Row {
        const char* name;
        std::string application;
        std::string used;
        bool served;
    };
    const Row rows[] = {
        {"full path", "/opt/z/ZELMO.chm", "/opt/z/ZELMO.chm", true},
        {"any case", "/opt/z/ZELMO.CHM", "/opt/z/ZELMO.CHM", true},
        {"bare name: the program's folder", "ZELMO.chm", ModuleFolder() + "ZELMO.chm", true},
        {"old-style help file", "/opt/z/ZELMO.hlp", "/opt/z/ZELMO.hlp", false},
        {"none", "", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Application->HelpFile = row.application;
        Calls().clear();
        EXPECT_EQ(Application->HelpContext(20), row.served);
        ASSERT_EQ(Calls().size(), row.served ? 1u : 0u);
        if (row.served) {
            EXPECT_EQ(Calls()[0].file, row.used);
        }
        // The last request's file stays the manager's until the next one.
        EXPECT_EQ(viewer.HelpFile(), row.used);
        EXPECT_EQ(viewer.UnderstandsKeyword("Monitor") != 0, row.served);
        EXPECT_EQ(viewer.CanShowTableOfContents(), row.served);
        EXPECT_EQ(viewer.UnderstandsContext(20, row.application), row.served);
        EXPECT_EQ(viewer.UnderstandsTopic("monitor"), row.served);
    }

    // The request's own help file comes before the application's.
    Application->HelpFile = "/opt/z/ZELMO.chm";
    Calls().clear();
    GetHelpSystem()->ShowContextHelp(21, "/elsewhere/OTHER.chm");
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].file, "/elsewhere/OTHER.chm");

    // Without the HTML help entry nothing is called.
    viewer.HtmlHelpA = nullptr;
    Calls().clear();
    Application->HelpContext(20);
    viewer.SoftShutDown();
    EXPECT_TRUE(Calls().empty());
}

TEST_F(HelpViewer, RegistrationIsCountedAndInstallsTheSelectorAndTheDecliningTester) {
    THtmlHelpViewer* viewer = HtmlHelpViewer;
    ASSERT_NE(WinHelpTester, nullptr);
    EXPECT_FALSE(WinHelpTester->CanShowALink("a", "f"));
    EXPECT_FALSE(WinHelpTester->CanShowTopic("t", "f"));
    EXPECT_FALSE(WinHelpTester->CanShowContext(20, "f"));
    EXPECT_EQ(WinHelpTester->GetHelpStrings("Monitor"), std::vector<std::string>{": Monitor"});
    EXPECT_EQ(WinHelpTester->GetHelpPath(), "");
    EXPECT_EQ(WinHelpTester->GetDefaultHelpFile(), "");

    RegisterHtmlHelpViewer();  // a second unit using it: the same viewer
    EXPECT_EQ(HtmlHelpViewer, viewer);
    UnregisterHtmlHelpViewer();
    EXPECT_EQ(HtmlHelpViewer, viewer);

    // The selector in place: a keyword offered by this viewer alone goes straight to it.
    viewer->HtmlHelpA = RecordHtmlHelp;
    Application->HelpFile = "/opt/z/ZELMO.chm";
    Calls().clear();
    EXPECT_TRUE(GetHelpSystem()->ShowHelp("Keyboard", ""));
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].text, "Keyboard");

    UnregisterHtmlHelpViewer();
    EXPECT_EQ(HtmlHelpViewer, nullptr);
    EXPECT_EQ(WinHelpTester, nullptr);
    EXPECT_FALSE(Application->HelpContext(20));
    RegisterHtmlHelpViewer();  // for the fixture's tear-down
}

// ---- the shipped help

std::map<int, std::string> ContextTable() {
    std::map<int, std::string> table;
    std::ifstream in(std::string(ZELMOVI_HELP_FOLDER) + "/context.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ';') continue;
        const auto equals = line.find('=');
        table[std::stoi(line.substr(0, equals))] = line.substr(equals + 1);
    }
    return table;
}

TEST(ShippedHelp, EveryContextNumberOfTheProgramHasAPageAndEveryLinkLeadsToOne) {
    const std::filesystem::path folder = ZELMOVI_HELP_FOLDER;
    const std::map<int, std::string> table = ContextTable();
    // The windows' numbers, the menu items' numbers, the MIDI port dialog's and the editor windows'.
    const std::set<int> used{25, 23, 63, 13, 14, 34, 32, 8,  19, 57, 12, 39, 21, 31, 20, 5,  6,  7,  9,  10, 11, 15,
                             17, 18, 27, 24, 65, 26, 64, 30, 38, 2,  3,  22, 43, 66, 42, 40, 37, 48, 49, 50, 51, 52};
    for (int context : used) {
        SCOPED_TRACE(context);
        ASSERT_EQ(table.count(context), 1u);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / table.at(context)));
    }
    // One page per number.
    std::set<std::string> pages;
    for (const auto& [context, page] : table) pages.insert(page);
    EXPECT_EQ(pages.size(), table.size());

    std::ifstream keywords(folder / "keywords.txt");
    std::string line;
    while (std::getline(keywords, line)) {
        if (line.empty() || line[0] == ';') continue;
        SCOPED_TRACE(line);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / line.substr(line.find('=') + 1)));
    }
    const std::regex href("href=\"([^\"]+)\"");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".htm") continue;
        std::stringstream text;
        text << std::ifstream(entry.path()).rdbuf();
        const std::string html = text.str();
        EXPECT_NE(html.find("<title>"), std::string::npos) << entry.path();
        for (std::sregex_iterator it(html.begin(), html.end(), href), end; it != end; ++it) {
            SCOPED_TRACE(entry.path().filename().string() + " -> " + (*it)[1].str());
            EXPECT_TRUE(std::filesystem::is_regular_file(folder / (*it)[1].str()));
        }
    }
}

class ShippedHelpWindow : public HelpViewer {
protected:
    void TearDown() override {
        monitor_.reset();
        HelpViewer::TearDown();
    }
    std::string Shown() const {
        const THelpWindowState state = HelpWindowState();
        return state.Visible ? std::filesystem::path(state.Page).filename().string() : std::string("(closed)");
    }
    TempDir dir_;
    TEnvScope xdg_{"XDG_CONFIG_HOME", dir_.Path().string()};
    TModelTestScope model_;
    std::unique_ptr<TFormMonitor> monitor_;
};

TEST_F(ShippedHelpWindow, HelpIndexF1InTheMonitorAndUnknownNumbersOpenTheirPages) {
    Application->HelpFile = std::string(ZELMOVI_HELP_FOLDER);
    const std::map<int, std::string> table = ContextTable();

    // Help > Index.
    EXPECT_TRUE(Application->HelpContext(20));
    EXPECT_EQ(Shown(), table.at(20));
    EXPECT_TRUE(SaveHelpWindowImage(ScreenshotPath("help-window")));

    // F1 in the monitor.
    auto* main = Keep(Construct<TForm>(nullptr));
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(0, 0, 640, 480);
    Application->MainForm = main;
    main->Show();
    monitor_.reset(Construct<TFormMonitor>(nullptr));
    ProcessPendingMessages();
    monitor_->MemoInput->SetFocus();
    ProcessPendingMessages();
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(Shown(), table.at(31));
    EXPECT_EQ(Shown(), "monitor.htm");

    // Numbers no window uses open the contents.
    for (int unknown : {0, 1, 4, 99, 1000, -1}) {
        SCOPED_TRACE(unknown);
        Application->HelpContext(unknown);
        EXPECT_EQ(Shown(), "index.htm");
    }

    // Closing all closes the window.
    HtmlHelpViewer->SoftShutDown();
    EXPECT_EQ(Shown(), "(closed)");
}

TEST_F(ShippedHelpWindow, F1InTheMidiPortDialogOpensItsPageWhichLeadsToTheMidiSetUpOnLinux) {
    const std::string help = ZELMOVI_HELP_FOLDER;
    Application->HelpFile = help;
    TInProcessMidiBackend backend;
    backend.AddInput("Interface");
    backend.AddOutput("Interface");
    SetMidiBackendForTests(&backend);
    TScopeExit noBackend([] { SetMidiBackendForTests(nullptr); });
    std::unique_ptr<TFormInOut> ports(Construct<TFormInOut>(nullptr));
    ports->Show();
    ProcessPendingMessages();
    ports->InputPort->SetFocus();
    ProcessPendingMessages();
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(Shown(), "midi-settings.htm");

    // Its first paragraph leads to the set-up page, which the keywords Linux, Alsa and Jack open too.
    std::stringstream text;
    text << std::ifstream(std::filesystem::path(help) / "midi-settings.htm").rdbuf();
    const std::string page = text.str();
    const std::size_t paragraph = page.find("<p>");
    ASSERT_NE(paragraph, std::string::npos);
    EXPECT_LT(page.find("href=\"midi-linux.htm\"", paragraph), page.find("</p>", paragraph));
    for (const char* keyword : {"Linux", "alsa", "JACK"}) {
        SCOPED_TRACE(keyword);
        HtmlHelp(nullptr, help, HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(keyword));
        EXPECT_EQ(Shown(), "midi-linux.htm");
        EXPECT_EQ(HelpWindowState().Title, "MIDI Set-up on Linux");
    }
    EXPECT_TRUE(SaveHelpWindowImage(ScreenshotPath("help-midi-linux")));
    // It explains the message a machine without MIDI ports shows at start.
    std::stringstream setUp;
    setUp << std::ifstream(std::filesystem::path(help) / "midi-linux.htm").rdbuf();
    for (const char* part : {"&quot;No midi system installed&quot;", "aconnect -l", "qjackctl", "Zelmo95.ini"})
        EXPECT_NE(setUp.str().find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace zel::test
