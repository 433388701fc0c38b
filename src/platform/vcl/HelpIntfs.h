#pragma once
// The help manager: the program's help viewers register here, and every help request (the application's
// help-context call, F1 on a window) goes through it to a viewer that understands the request. One help
// system per program, made on first use.
//
// Viewers are owned by whoever registered them; the manager only keeps them until they are released.
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

namespace zel {

// What a viewer asks of the manager.
class IHelpManager {
public:
    virtual ~IHelpManager() = default;
    // The help file of the request being served (empty when the request named none).
    virtual std::string GetHelpFile() = 0;
    // The window help windows belong to.
    virtual HWND GetHandle() = 0;
    // The viewer goes: the manager forgets it.
    virtual void Release(int ViewerID) = 0;
};

// A help viewer: keyword help and the table of contents.
class ICustomHelpViewer {
public:
    virtual ~ICustomHelpViewer() = default;
    virtual std::string GetViewerName() = 0;
    // How many topics the viewer has for the keyword (0: it does not understand it).
    virtual int UnderstandsKeyword(const std::string& HelpString) = 0;
    // The lines the user may pick from for the keyword.
    virtual std::vector<std::string> GetHelpStrings(const std::string& HelpString) = 0;
    virtual bool CanShowTableOfContents() = 0;
    virtual void ShowTableOfContents() = 0;
    // Shows one of the lines GetHelpStrings gave.
    virtual void ShowHelp(const std::string& HelpString) = 0;
    virtual void NotifyID(int ViewerID) = 0;
    // The help system is going: close what is open.
    virtual void SoftShutDown() = 0;
    virtual void ShutDown() = 0;
};

// A viewer that also shows topics by name and by context number.
class IExtendedHelpViewer {
public:
    virtual ~IExtendedHelpViewer() = default;
    virtual bool UnderstandsTopic(const std::string& Topic) = 0;
    virtual void DisplayTopic(const std::string& Topic) = 0;
    virtual bool UnderstandsContext(int ContextID, const std::string& HelpFileName) = 0;
    virtual void DisplayHelpByContext(int ContextID, const std::string& HelpFileName) = 0;
};

// Picks one of several offers when more than one viewer answers.
class IHelpSelector {
public:
    virtual ~IHelpSelector() = default;
    // The index of the chosen line among the viewers' help strings.
    virtual int SelectKeyword(const std::vector<std::string>& Keywords) = 0;
    // The index of the chosen viewer name.
    virtual int TableOfContents(const std::vector<std::string>& Contents) = 0;
};

// The help system the application asks.
class IHelpSystem {
public:
    virtual ~IHelpSystem() = default;
    // Each answers whether a viewer took the request.
    virtual bool ShowHelp(const std::string& HelpKeyword, const std::string& HelpFileName) = 0;
    virtual bool ShowContextHelp(int ContextID, const std::string& HelpFileName) = 0;
    virtual bool ShowTableOfContents() = 0;
    virtual bool ShowTopicHelp(const std::string& Topic, const std::string& HelpFileName) = 0;
    virtual void AssignHelpSelector(IHelpSelector* Selector) = 0;
};

// The old-style help tests: an old-style viewer asks them before it serves a request.
class IWinHelpTester {
public:
    virtual ~IWinHelpTester() = default;
    virtual bool CanShowALink(const std::string& ALink, const std::string& FileName) = 0;
    virtual bool CanShowTopic(const std::string& Topic, const std::string& FileName) = 0;
    virtual bool CanShowContext(int Context, const std::string& FileName) = 0;
    virtual std::vector<std::string> GetHelpStrings(const std::string& ALink) = 0;
    virtual std::string GetHelpPath() = 0;
    virtual std::string GetDefaultHelpFile() = 0;
};

// The slot the old-style tests are installed in (nullptr: none). Not owned.
extern IWinHelpTester* WinHelpTester;

// Registers a viewer (which may also be an IExtendedHelpViewer); hands back the manager and tells the viewer
// its ID through NotifyID. Answers 0.
int RegisterViewer(ICustomHelpViewer* NewViewer, IHelpManager*& Manager);

// The help system, made on first use.
IHelpSystem* GetHelpSystem();

// Ends the help system: every viewer still registered is told to shut down and forgotten; the selector is
// dropped. For the program's end and for tests.
void ShutDownHelpSystem();

}  // namespace zel
