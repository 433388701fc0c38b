#include "platform/vcl/HelpIntfs.h"

#include <algorithm>
#include <utility>

#include "platform/vcl/Forms.h"

namespace zel {

IWinHelpTester* WinHelpTester = nullptr;

namespace {

class THelpManager final : public IHelpManager, public IHelpSystem {
public:
    int Register(ICustomHelpViewer* Viewer) {
        const int id = nextId_++;
        viewers_.push_back({id, Viewer});
        Viewer->NotifyID(id);
        return id;
    }

    void ShutDownAll() {
        // Each viewer may release itself while it shuts down; work on a copy.
        const auto viewers = viewers_;
        for (const auto& entry : viewers) entry.second->ShutDown();
        viewers_.clear();
        selector_ = nullptr;
        helpFile_.clear();
    }

    // ---- IHelpManager
    std::string GetHelpFile() override { return helpFile_; }
    HWND GetHandle() override { return Application != nullptr ? Application->Handle() : nullptr; }
    void Release(int ViewerID) override {
        viewers_.erase(std::remove_if(viewers_.begin(), viewers_.end(),
                                      [&](const auto& entry) { return entry.first == ViewerID; }),
                       viewers_.end());
    }

    // ---- IHelpSystem
    bool ShowHelp(const std::string& HelpKeyword, const std::string& HelpFileName) override {
        helpFile_ = HelpFileName;
        std::vector<std::pair<std::string, ICustomHelpViewer*>> offers;
        for (ICustomHelpViewer* viewer : Viewers()) {
            if (viewer->UnderstandsKeyword(HelpKeyword) <= 0) continue;
            for (const std::string& line : viewer->GetHelpStrings(HelpKeyword)) offers.emplace_back(line, viewer);
        }
        if (offers.empty()) return false;
        std::size_t chosen = 0;
        if (offers.size() > 1 && selector_ != nullptr) {
            std::vector<std::string> lines;
            for (const auto& offer : offers) lines.push_back(offer.first);
            const int index = selector_->SelectKeyword(lines);
            if (index < 0 || static_cast<std::size_t>(index) >= offers.size()) return false;
            chosen = static_cast<std::size_t>(index);
        }
        offers[chosen].second->ShowHelp(offers[chosen].first);
        return true;
    }

    bool ShowContextHelp(int ContextID, const std::string& HelpFileName) override {
        helpFile_ = HelpFileName;
        for (ICustomHelpViewer* viewer : Viewers()) {
            auto* extended = dynamic_cast<IExtendedHelpViewer*>(viewer);
            if (extended == nullptr || !extended->UnderstandsContext(ContextID, HelpFileName)) continue;
            extended->DisplayHelpByContext(ContextID, HelpFileName);
            return true;
        }
        return false;
    }

    bool ShowTableOfContents() override {
        std::vector<ICustomHelpViewer*> able;
        for (ICustomHelpViewer* viewer : Viewers())
            if (viewer->CanShowTableOfContents()) able.push_back(viewer);
        if (able.empty()) return false;
        std::size_t chosen = 0;
        if (able.size() > 1 && selector_ != nullptr) {
            std::vector<std::string> names;
            for (ICustomHelpViewer* viewer : able) names.push_back(viewer->GetViewerName());
            const int index = selector_->TableOfContents(names);
            if (index < 0 || static_cast<std::size_t>(index) >= able.size()) return false;
            chosen = static_cast<std::size_t>(index);
        }
        able[chosen]->ShowTableOfContents();
        return true;
    }

    bool ShowTopicHelp(const std::string& Topic, const std::string& HelpFileName) override {
        helpFile_ = HelpFileName;
        for (ICustomHelpViewer* viewer : Viewers()) {
            auto* extended = dynamic_cast<IExtendedHelpViewer*>(viewer);
            if (extended == nullptr || !extended->UnderstandsTopic(Topic)) continue;
            extended->DisplayTopic(Topic);
            return true;
        }
        return false;
    }

    void AssignHelpSelector(IHelpSelector* Selector) override { selector_ = Selector; }

private:
    // A copy: a viewer may release itself while it serves a request.
    std::vector<ICustomHelpViewer*> Viewers() const {
        std::vector<ICustomHelpViewer*> list;
        for (const auto& entry : viewers_) list.push_back(entry.second);
        return list;
    }

    std::vector<std::pair<int, ICustomHelpViewer*>> viewers_;
    int nextId_ = 1;
    IHelpSelector* selector_ = nullptr;
    std::string helpFile_;
};

THelpManager& Manager() {
    static THelpManager manager;
    return manager;
}

}  // namespace

int RegisterViewer(ICustomHelpViewer* NewViewer, IHelpManager*& Manager) {
    Manager = &zel::Manager();
    if (NewViewer != nullptr) zel::Manager().Register(NewViewer);
    return 0;
}

IHelpSystem* GetHelpSystem() { return &Manager(); }

void ShutDownHelpSystem() { Manager().ShutDownAll(); }

}  // namespace zel
