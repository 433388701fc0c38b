#pragma once
// The program's help viewer: every help request (F1 on a window, the Help items and buttons) is shown from
// the help file "ZELMO.chm" through the HTML help window. Registered with the help manager at start-up;
// a companion old-style help tester declines every old-style request.
#include <string>
#include <vector>

#include "platform/rtl/Units.h"
#include "platform/vcl/HelpIntfs.h"
#include "platform/vcl/HtmlHelp.h"

namespace zel {

using THtmlHelpFunc = HWND (*)(HWND Caller, const std::string& File, UINT Command, DWORD_PTR Data);

class THtmlHelpViewer : public ICustomHelpViewer, public IExtendedHelpViewer, public IHelpSelector {
public:
    // Looks up the HTML help entry; without it every request does nothing.
    THtmlHelpViewer();
    ~THtmlHelpViewer() override;
    THtmlHelpViewer(const THtmlHelpViewer&) = delete;
    THtmlHelpViewer& operator=(const THtmlHelpViewer&) = delete;

    static constexpr const char* ViewerName = "HtmlHelpViewer";
    static constexpr const char* DefaultTopicExtension = ".htm";

    // The help file of every request: the manager's, else the application's; a bare name lies in the
    // program's folder.
    std::string HelpFile();
    // Requests are served only for a ".chm" help file (any case).
    bool IsChmFile();

    // ---- ICustomHelpViewer
    std::string GetViewerName() override { return ViewerName; }
    int UnderstandsKeyword(const std::string& HelpString) override;
    std::vector<std::string> GetHelpStrings(const std::string& HelpString) override;
    bool CanShowTableOfContents() override { return IsChmFile(); }
    void ShowTableOfContents() override;
    void ShowHelp(const std::string& HelpString) override;
    void NotifyID(int ViewerID) override { this->ViewerID = ViewerID; }
    void SoftShutDown() override;
    void ShutDown() override;

    // ---- IExtendedHelpViewer
    bool UnderstandsTopic(const std::string& Topic) override;
    void DisplayTopic(const std::string& Topic) override;
    bool UnderstandsContext(int ContextID, const std::string& HelpFileName) override;
    void DisplayHelpByContext(int ContextID, const std::string& HelpFileName) override;

    // ---- IHelpSelector
    int SelectKeyword(const std::vector<std::string>& Keywords) override;
    int TableOfContents(const std::vector<std::string>& Contents) override;

    // The HTML help entry (nullptr when it is not available) and what the help manager gave.
    THtmlHelpFunc HtmlHelpA = nullptr;
    IHelpManager* HelpManager = nullptr;
    int ViewerID = 0;

private:
    // Close-all goes with no window and no file; every other command with the manager's window and the help
    // file (or FileArgument when given).
    void CallHtmlHelp(UINT Command, DWORD_PTR Data, const std::string& FileArgument = {});
};

// The old-style help tests, all declining.
class TWinHelpTester : public IWinHelpTester {
public:
    bool CanShowALink(const std::string&, const std::string&) override { return false; }
    bool CanShowTopic(const std::string&, const std::string&) override { return false; }
    bool CanShowContext(int, const std::string&) override { return false; }
    std::vector<std::string> GetHelpStrings(const std::string& ALink) override { return {": " + ALink}; }
    std::string GetHelpPath() override { return {}; }
    std::string GetDefaultHelpFile() override { return {}; }
};

// The unit's viewer while it is registered (nullptr before and after).
extern THtmlHelpViewer* HtmlHelpViewer;

// Registers the viewer with the help manager, installs it as the help system's selector and the tester as
// the old-style tester. Counted: only the first call does it.
void RegisterHtmlHelpViewer();
// Undoes the registration when the last call is matched: the manager forgets the viewer, which goes.
void UnregisterHtmlHelpViewer();

// The start-up row of the help viewer.
TUnitRows HtmlHelpViewerUnits();

}  // namespace zel
