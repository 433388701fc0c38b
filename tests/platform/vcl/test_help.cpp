// Help: F1 asks for the context of the focused control, its parents or the form; the help manager hands
// requests to the viewers that understand them; the HTML help window serves its commands from a help folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/HelpIntfs.h"
#include "platform/vcl/HtmlHelp.h"
#include "platform/vcl/StdCtrls.h"
#include "support/TempDir.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class VclHelp : public VclTest {
protected:
    void TearDown() override {
        Application->OnHelp = nullptr;
        VclTest::TearDown();
    }
    void PressF1() {
        keybd_event(VK_F1, 0, 0, 0);
        keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
    }
};

TEST_F(VclHelp, F1AsksForTheFocusedControlsContextElseItsParentsElseTheForms) {
    struct Row {
        const char* name;
        int edit, panel, form;
        std::vector<int> asked;
    };
    const Row rows[] = {
        {"the focused control's own", 31, 21, 25, {31}},
        {"its parent's", 0, 21, 25, {21}},
        {"the form's", 0, 0, 25, {25}},
        {"none anywhere: no request", 0, 0, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto* form = Keep(Construct<TForm>(nullptr));
        form->SetBounds(10, 10, 300, 200);
        auto* panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 200, 100);
        auto* edit = new TEdit(form);
        edit->SetParent(panel);
        edit->SetBounds(10, 10, 100, 24);
        edit->HelpContext = row.edit;
        panel->HelpContext = row.panel;
        form->HelpContext = row.form;
        form->Show();
        edit->SetFocus();
        ProcessPendingMessages();

        std::vector<int> asked;
        Application->OnHelp = [&](WORD command, LONG_PTR data, bool& callHelp) {
            EXPECT_EQ(command, HELP_CONTEXT);
            asked.push_back(static_cast<int>(data));
            callHelp = false;
            return true;
        };
        PressF1();
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(Boxes.size(), 0u);
        Application->OnHelp = nullptr;
        Forget(form);
        delete form;
    }
}

// A viewer that records what it is asked; it understands contexts, topics, keywords and contents.
class TRecordingViewer : public ICustomHelpViewer, public IExtendedHelpViewer {
public:
    explicit TRecordingViewer(std::string name) : name_(std::move(name)) {}
    std::string GetViewerName() override { return name_; }
    int UnderstandsKeyword(const std::string&) override { return Understands ? 1 : 0; }
    std::vector<std::string> GetHelpStrings(const std::string& s) override { return {name_ + ": " + s}; }
    bool CanShowTableOfContents() override { return Understands; }
    void ShowTableOfContents() override { Calls.push_back("contents"); }
    void ShowHelp(const std::string& s) override { Calls.push_back("keyword " + s); }
    void NotifyID(int id) override { ID = id; }
    void SoftShutDown() override { Calls.push_back("soft shutdown"); }
    void ShutDown() override { Calls.push_back("shutdown"); }
    bool UnderstandsTopic(const std::string&) override { return Understands; }
    void DisplayTopic(const std::string& t) override { Calls.push_back("topic " + t); }
    bool UnderstandsContext(int, const std::string&) override { return Understands; }
    void DisplayHelpByContext(int c, const std::string& file) override {
        Calls.push_back("context " + std::to_string(c) + " " + file);
    }

    bool Understands = true;
    int ID = 0;
    std::vector<std::string> Calls;

private:
    std::string name_;
};

class TPickLast : public IHelpSelector {
public:
    int SelectKeyword(const std::vector<std::string>& k) override {
        Offered = k;
        return static_cast<int>(k.size()) - 1;
    }
    int TableOfContents(const std::vector<std::string>& c) override {
        Offered = c;
        return static_cast<int>(c.size()) - 1;
    }
    std::vector<std::string> Offered;
};

TEST_F(VclHelp, TheManagerHandsRequestsToTheViewersThatUnderstandThem) {
    TRecordingViewer first("First"), second("Second");
    IHelpManager* managerOfFirst = nullptr;
    IHelpManager* managerOfSecond = nullptr;
    EXPECT_EQ(RegisterViewer(&first, managerOfFirst), 0);
    EXPECT_EQ(RegisterViewer(&second, managerOfSecond), 0);
    ASSERT_NE(managerOfFirst, nullptr);
    EXPECT_EQ(managerOfFirst, managerOfSecond);
    EXPECT_NE(first.ID, second.ID);
    EXPECT_EQ(managerOfFirst->GetHandle(), Application->Handle());

    // The application's help context goes to the first viewer that understands it, with its help file.
    Application->HelpFile = "/opt/help/ZELMO.chm";
    first.Understands = false;
    EXPECT_TRUE(Application->HelpContext(20));
    EXPECT_EQ(first.Calls, std::vector<std::string>{});
    EXPECT_EQ(second.Calls, std::vector<std::string>{"context 20 /opt/help/ZELMO.chm"});
    EXPECT_EQ(managerOfFirst->GetHelpFile(), "/opt/help/ZELMO.chm");
    EXPECT_EQ(Application->LastHelpContext, 20);

    // OnHelp may keep the help system out.
    second.Calls.clear();
    Application->OnHelp = [](WORD, LONG_PTR, bool& callHelp) {
        callHelp = false;
        return false;
    };
    EXPECT_FALSE(Application->HelpContext(21));
    EXPECT_TRUE(second.Calls.empty());
    Application->OnHelp = nullptr;

    // Several offers: the selector picks; without one the first offer wins.
    first.Understands = true;
    TPickLast selector;
    GetHelpSystem()->AssignHelpSelector(&selector);
    EXPECT_TRUE(GetHelpSystem()->ShowHelp("Monitor", "x.chm"));
    EXPECT_EQ(selector.Offered, (std::vector<std::string>{"First: Monitor", "Second: Monitor"}));
    EXPECT_EQ(second.Calls, std::vector<std::string>{"keyword Second: Monitor"});
    EXPECT_TRUE(GetHelpSystem()->ShowTableOfContents());
    EXPECT_EQ(selector.Offered, (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(second.Calls.back(), "contents");
    GetHelpSystem()->AssignHelpSelector(nullptr);
    EXPECT_TRUE(GetHelpSystem()->ShowTopicHelp("keyboard", "x.chm"));
    EXPECT_EQ(first.Calls, (std::vector<std::string>{"topic keyboard"}));

    // A released viewer is asked nothing more; with none left nothing is shown.
    managerOfFirst->Release(first.ID);
    managerOfFirst->Release(second.ID);
    EXPECT_FALSE(Application->HelpContext(20));
    EXPECT_FALSE(GetHelpSystem()->ShowHelp("Monitor", "x.chm"));
    EXPECT_FALSE(GetHelpSystem()->ShowTableOfContents());
    EXPECT_EQ(first.Calls.size(), 1u);

    // The end of the help system shuts the registered viewers down.
    RegisterViewer(&first, managerOfFirst);
    ShutDownHelpSystem();
    EXPECT_EQ(first.Calls.back(), "shutdown");
    EXPECT_FALSE(Application->HelpContext(20));
    Application->HelpFile.clear();
}

// A help folder with contents, two pages and their tables; a page outside the folder.
class HtmlHelpWindow : public VclHelp {
protected:
    void SetUp() override {
        VclHelp::SetUp();
        std::filesystem::create_directory(Folder());
        Page("index.htm", "Contents");
        Page("alpha.htm", "Alpha page");
        Page("beta.html", "Beta page");
        WriteAll(Dir.File("outside.htm"), "<html><head><title>Outside</title></head></html>");
        WriteAll(Dir.File("HELP.CHM/keywords.txt"),
                 "; keyword=page\nAlpha=alpha.htm\n\nBeta = beta.html\nEscape=../outside.htm\n");
        WriteAll(Dir.File("HELP.CHM/context.txt"), "20=alpha.htm\n31=beta.html\n40=missing.htm\n");
    }
    void TearDown() override {
        HtmlHelp(nullptr, "", HH_CLOSE_ALL, 0);
        VclHelp::TearDown();
    }
    std::string Folder() const { return Dir.File("HELP.CHM"); }
    void Page(const std::string& name, const std::string& title) {
        WriteAll(Dir.File("HELP.CHM/" + name), "<html><head><title>" + title + "</title></head><body><h1>" + title +
                                                   "</h1><p>Text of " + title + ".</p></body></html>");
    }
    std::string Shown() const {
        const THelpWindowState state = HelpWindowState();
        return state.Visible ? std::filesystem::path(state.Page).filename().string() : std::string("(closed)");
    }

    TempDir Dir;
};

TEST_F(HtmlHelpWindow, EachCommandOpensItsPageAndAnUnknownOneTheContents) {
    const std::string alpha = "Alpha", lower = "beta", unknown = "Gamma", escape = "Escape";
    struct Row {
        const char* name;
        std::string file;
        UINT command;
        DWORD_PTR data;
        const char* page;
    };
    const Row rows[] = {
        {"topic", Folder() + "::/alpha.htm", HH_DISPLAY_TOPIC, 0, "alpha.htm"},
        {"topic, backslash", Folder() + "::\\beta.html", HH_DISPLAY_TOPIC, 0, "beta.html"},
        {"missing topic", Folder() + "::/none.htm", HH_DISPLAY_TOPIC, 0, "index.htm"},
        {"topic outside the folder", Folder() + "::/../outside.htm", HH_DISPLAY_TOPIC, 0, "index.htm"},
        {"no topic", Folder(), HH_DISPLAY_TOPIC, 0, "index.htm"},
        {"contents", Folder(), HH_DISPLAY_TOC, 0, "index.htm"},
        {"keyword", Folder(), HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(alpha.c_str()), "alpha.htm"},
        {"keyword in another case", Folder(), HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(lower.c_str()),
         "beta.html"},
        {"unknown keyword", Folder(), HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(unknown.c_str()), "index.htm"},
        {"keyword leading outside", Folder(), HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(escape.c_str()),
         "index.htm"},
        {"no keyword", Folder(), HH_DISPLAY_INDEX, 0, "index.htm"},
        {"context", Folder(), HH_HELP_CONTEXT, 31, "beta.html"},
        {"unknown context", Folder(), HH_HELP_CONTEXT, 99, "index.htm"},
        {"context of a missing page", Folder(), HH_HELP_CONTEXT, 40, "index.htm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HtmlHelp(nullptr, "", HH_CLOSE_ALL, 0);
        EXPECT_NE(HtmlHelp(nullptr, row.file, row.command, row.data), nullptr);
        EXPECT_EQ(Shown(), row.page);
    }
    HtmlHelp(nullptr, Folder(), HH_HELP_CONTEXT, 20);
    EXPECT_EQ(HelpWindowState().Title, "Alpha page");
    EXPECT_TRUE(SaveHelpWindowImage(ScreenshotPath("help-window-test-folder")));

    // Closing through the window's handle hides it; close-all ends it.
    HWND window = HtmlHelp(nullptr, Folder(), HH_DISPLAY_TOC, 0);
    SendMessage(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Shown(), "(closed)");
    HtmlHelp(nullptr, Folder(), HH_DISPLAY_TOC, 0);
    EXPECT_EQ(HtmlHelp(nullptr, "", HH_CLOSE_ALL, 0), nullptr);
    EXPECT_EQ(Shown(), "(closed)");
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(HtmlHelpWindow, NothingIsShownWithoutTheFolderItsContentsOrAKnownCommand) {
    std::filesystem::remove(Dir.File("HELP.CHM/index.htm"));
    WriteAll(Dir.File("plain.chm"), "not a folder");
    struct Row {
        const char* name;
        std::string file;
        UINT command;
    };
    const Row rows[] = {
        {"missing folder", Dir.File("NONE.CHM"), HH_HELP_CONTEXT},
        {"a file, not a folder", Dir.File("plain.chm"), HH_DISPLAY_TOC},
        {"no contents page", Folder(), HH_DISPLAY_TOC},
        {"no file", "", HH_DISPLAY_TOC},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(HtmlHelp(nullptr, row.file, row.command, 20), nullptr);
        EXPECT_EQ(Shown(), "(closed)");
    }
    Page("index.htm", "Contents");
    EXPECT_EQ(HtmlHelp(nullptr, Folder(), 0x0005 /* not served */, 0), nullptr);
    EXPECT_EQ(Shown(), "(closed)");
}

}  // namespace
}  // namespace zel::test
