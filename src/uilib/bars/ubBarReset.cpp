// A bar set back to its design: the owner form's stored definition is read again into a temporary form, and
// the bar takes its links (or, with the manager's UseFullReset, everything) from the copy of itself there.
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

bool resettingBar = false;
bool readingDesignCopy = false;

// The plain form that holds the copy of the manager, read from a text of its own.
class TubBarTempForm : public TForm {
public:
    TubBarTempForm(TComponent* AOwner, std::string Text) : TForm(AOwner), text_(std::move(Text)) {
        resource_.Unit = "ubBarReset";
        resource_.Text = text_.c_str();
    }
    std::string ClassName() const override { return "TubBarTempForm"; }
    const TFormResource* FormResource() const override { return &resource_; }

private:
    std::string text_;
    TFormResource resource_;
};

std::vector<std::string> Lines(const char* Text) {
    std::vector<std::string> lines;
    std::istringstream in(Text != nullptr ? Text : "");
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool StartsWith(const std::string& Text, const std::string& Prefix) { return Text.rfind(Prefix, 0) == 0; }

// The links of a sub-item of the copy reach the real sub-item of the same name, and so on down.
void ResetSubItems(TubBarItemLinks* Links, TubBarManager* Copy, std::set<TubBarItem*>& Done) {
    for (int i = 0; i < Links->Count(); ++i) {
        auto* sub = dynamic_cast<TCustomubBarSubItem*>(Links->Items(i)->GetItem());
        if (sub == nullptr || sub->GetName().empty() || !Done.insert(sub).second) continue;
        auto* design = dynamic_cast<TCustomubBarSubItem*>(Copy->FindItemByName(sub->GetName()));
        if (design == nullptr) continue;
        sub->GetItemLinks()->Assign(design->GetItemLinks());
        ResetSubItems(sub->GetItemLinks(), Copy, Done);
    }
}

}  // namespace

bool BarResetting() { return resettingBar; }

bool ReadingDesignCopy() { return readingDesignCopy; }

TCustomForm* TubBarManager::LoadDesignForm() {
    const TFormResource* resource = form_ != nullptr ? form_->FormResource() : nullptr;
    if (resource == nullptr || resource->Text == nullptr) return nullptr;
    const TCursor cursor = Screen->GetCursor();
    Screen->SetCursor(crHourGlass);
    TScopeExit restore([cursor] { Screen->SetCursor(cursor); });
    const std::vector<std::string> lines = Lines(resource->Text);
    // The form's size, so that the copy lays its bars out as the form does.
    std::string text = "object TempForm: TubBarTempForm\n";
    int sizes = 0;
    for (std::size_t i = 1; i < lines.size() && sizes < 2; ++i) {
        const std::string body = lines[i].size() > 2 ? lines[i].substr(2) : std::string();
        for (const char* key : {"Width =", "Height =", "ClientWidth =", "ClientHeight ="})
            if (StartsWith(body, key)) {
                text += lines[i] + "\n";
                ++sizes;
                break;
            }
    }
    // The manager's block, without its event bindings.
    const std::string head = "object " + GetName() + ": " + ClassName();
    std::size_t first = lines.size();
    for (std::size_t i = 5; i < lines.size(); ++i)
        if (Trim(lines[i]) == head) {
            first = i;
            break;
        }
    if (first == lines.size()) return nullptr;
    const std::string indent = lines[first].substr(0, lines[first].size() - TrimLeft(lines[first]).size());
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!StartsWith(TrimLeft(lines[i]), "On")) text += lines[i] + "\n";
        if (i > first && lines[i] == indent + "end") break;
    }
    text += "end\n";
    // The copy is the design: it does not read the user's stored layout once loaded.
    readingDesignCopy = true;
    TScopeExit read([] { readingDesignCopy = false; });
    TCustomForm* copy = Construct<TubBarTempForm>(nullptr, std::move(text));
    if (auto* manager = dynamic_cast<TubBarManager*>(copy->FindComponent(GetName()))) {
        manager->StoreInIniFile = false;
        manager->StoreInRegistry = false;
    }
    return copy;
}

void TubBar::Reset() {
    TubBarManager* m = BarManager();
    if (m == nullptr) return;
    std::unique_ptr<TCustomForm> copy(m->LoadDesignForm());
    if (copy == nullptr) return;
    auto* design = dynamic_cast<TubBarManager*>(copy->FindComponent(m->GetName()));
    if (design == nullptr || GetIndex() >= design->GetBars()->Count()) return;
    TubBar* original = design->GetBars()->Items(GetIndex());
    if (m->OnBarBeforeReset) m->OnBarBeforeReset(m, this);
    {
        resettingBar = true;
        TScopeExit done([] { resettingBar = false; });
        TubBarUpdateLock lock(m);
        if (m->UseFullReset) {
            const bool visible = GetVisible();
            SetVisible(false);
            Assign(original);
            SetVisible(visible);
        } else {
            SetItemLinks(original->GetItemLinks());
        }
        std::set<TubBarItem*> visited;
        ResetSubItems(GetItemLinks(), design, visited);
    }
    if (TubBarControl* window = Control()) window->Rebuild();
    if (m->OnBarAfterReset) m->OnBarAfterReset(m, this);
}

void TubBarManager::ResetRecentUse() {
    if (Application->MessageBox(LoadLibraryString(&ubSubResetUsageDataConfirmation), Application->Title,
                                MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) != IDYES)
        return;
    TubBarUpdateLock lock(this);
    std::unique_ptr<TCustomForm> copy(LoadDesignForm());
    if (copy == nullptr) return;
    auto* design = dynamic_cast<TubBarManager*>(copy->FindComponent(GetName()));
    if (design == nullptr) return;
    // Each list takes the design's marks link by link, as far as both lists reach.
    for (TubBarItem* item : items_) {
        auto* sub = dynamic_cast<TCustomubBarSubItem*>(item);
        auto* original =
            sub != nullptr ? dynamic_cast<TCustomubBarSubItem*>(design->FindItemByName(sub->GetName())) : nullptr;
        if (original != nullptr) sub->GetItemLinks()->CopyUsageFrom(original->GetItemLinks());
    }
    for (int i = 0; i < bars_->Count() && i < design->GetBars()->Count(); ++i)
        bars_->Items(i)->GetItemLinks()->CopyUsageFrom(design->GetBars()->Items(i)->GetItemLinks());
}

void TubBar::ResetWithConfirmation() {
    std::string text = LoadLibraryString(&ubSubResetBarConfirmation);
    if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, GetCaption());
    if (Application->MessageBox(text, Application->Title, MB_OKCANCEL | MB_ICONQUESTION) == IDOK) Reset();
}

}  // namespace zel
