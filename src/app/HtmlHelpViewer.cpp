#include "app/HtmlHelpViewer.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"
#include "platform/win/SysInfo.h"

namespace zel {

THtmlHelpViewer* HtmlHelpViewer = nullptr;

namespace {

int registrations = 0;
TWinHelpTester* winHelpTester = nullptr;
// The manager the viewer was registered with: it must forget the viewer even after the viewer has let go of
// it (a shutdown drops the viewer's own link).
IHelpManager* registeredWith = nullptr;
int registeredID = 0;

bool EndsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::string ProgramFolderOfModule() {
    std::array<char, 4096> path{};
    GetModuleFileName(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return ExtractFilePath(path.data());
}

}  // namespace

THtmlHelpViewer::THtmlHelpViewer() {
    // The HTML help control's entry; a system without it leaves every request unserved.
    if (IsEntryPointAvailable("HtmlHelpA")) HtmlHelpA = &HtmlHelp;
}

THtmlHelpViewer::~THtmlHelpViewer() {
    if (HtmlHelpViewer == this) HtmlHelpViewer = nullptr;
    HtmlHelpA = nullptr;
}

std::string THtmlHelpViewer::HelpFile() {
    std::string file = HelpManager != nullptr ? HelpManager->GetHelpFile() : std::string();
    if (file.empty() && Application != nullptr) file = Application->CurrentHelpFile();
    if (!file.empty() && ExtractFilePath(file).empty()) file = ProgramFolderOfModule() + file;
    return file;
}

bool THtmlHelpViewer::IsChmFile() { return EndsWith(LowerCase(HelpFile()), ".chm"); }

void THtmlHelpViewer::CallHtmlHelp(UINT Command, DWORD_PTR Data, const std::string& FileArgument) {
    if (HtmlHelpA == nullptr) return;
    if (Command == HH_CLOSE_ALL) {
        HtmlHelpA(nullptr, std::string(), Command, 0);
        return;
    }
    HWND window = HelpManager != nullptr ? HelpManager->GetHandle() : nullptr;
    HtmlHelpA(window, FileArgument.empty() ? HelpFile() : FileArgument, Command, Data);
}

int THtmlHelpViewer::UnderstandsKeyword(const std::string& /*HelpString*/) { return IsChmFile() ? 1 : 0; }

std::vector<std::string> THtmlHelpViewer::GetHelpStrings(const std::string& HelpString) {
    return {std::string(ViewerName) + ": " + HelpString};
}

void THtmlHelpViewer::ShowTableOfContents() { CallHtmlHelp(HH_DISPLAY_TOC, 0); }

void THtmlHelpViewer::ShowHelp(const std::string& HelpString) {
    const std::size_t colon = HelpString.find(':');
    const std::string keyword = Trim(colon == std::string::npos ? HelpString : HelpString.substr(colon + 1));
    CallHtmlHelp(HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(keyword.c_str()));
}

void THtmlHelpViewer::SoftShutDown() { CallHtmlHelp(HH_CLOSE_ALL, 0); }

void THtmlHelpViewer::ShutDown() {
    CallHtmlHelp(HH_CLOSE_ALL, 0);
    HelpManager = nullptr;
}

bool THtmlHelpViewer::UnderstandsTopic(const std::string& /*Topic*/) { return IsChmFile(); }

void THtmlHelpViewer::DisplayTopic(const std::string& Topic) {
    const std::string lower = LowerCase(Topic);
    const std::string topic =
        EndsWith(lower, ".htm") || EndsWith(lower, ".html") ? Topic : Topic + DefaultTopicExtension;
    CallHtmlHelp(HH_DISPLAY_TOPIC, 0, HelpFile() + "::/" + topic);
}

bool THtmlHelpViewer::UnderstandsContext(int /*ContextID*/, const std::string& /*HelpFileName*/) { return IsChmFile(); }

void THtmlHelpViewer::DisplayHelpByContext(int ContextID, const std::string& /*HelpFileName*/) {
    CallHtmlHelp(HH_HELP_CONTEXT, static_cast<DWORD_PTR>(static_cast<std::uint32_t>(ContextID)));
}

int THtmlHelpViewer::SelectKeyword(const std::vector<std::string>& Keywords) {
    for (std::size_t i = 0; i < Keywords.size(); ++i) {
        const std::string& line = Keywords[i];
        if (line.substr(0, line.find(':')) == ViewerName) return static_cast<int>(i);
    }
    return 0;
}

int THtmlHelpViewer::TableOfContents(const std::vector<std::string>& Contents) {
    const auto it = std::find(Contents.begin(), Contents.end(), ViewerName);
    return it == Contents.end() ? -1 : static_cast<int>(it - Contents.begin());
}

void RegisterHtmlHelpViewer() {
    if (registrations++ > 0) return;
    HtmlHelpViewer = new THtmlHelpViewer;
    RegisterViewer(HtmlHelpViewer, HtmlHelpViewer->HelpManager);
    registeredWith = HtmlHelpViewer->HelpManager;
    registeredID = HtmlHelpViewer->ViewerID;
    GetHelpSystem()->AssignHelpSelector(HtmlHelpViewer);
    winHelpTester = new TWinHelpTester;
    WinHelpTester = winHelpTester;
}

void UnregisterHtmlHelpViewer() {
    if (registrations == 0 || --registrations > 0) return;
    if (WinHelpTester == winHelpTester) WinHelpTester = nullptr;
    delete winHelpTester;
    winHelpTester = nullptr;
    if (HtmlHelpViewer == nullptr) return;
    // The help window does not outlive the program.
    HtmlHelpViewer->SoftShutDown();
    GetHelpSystem()->AssignHelpSelector(nullptr);
    if (registeredWith != nullptr) registeredWith->Release(registeredID);
    registeredWith = nullptr;
    HtmlHelpViewer->HelpManager = nullptr;
    delete HtmlHelpViewer;
}

TUnitRows HtmlHelpViewerUnits() { return {{"HtmlHelpViewer", RegisterHtmlHelpViewer, UnregisterHtmlHelpViewer}}; }

}  // namespace zel
