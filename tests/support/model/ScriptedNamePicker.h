#pragma once
// A name picker for tests: the model's name lists with scripted picks. While it lives it is the
// registered INameLists; the update window's lists and reloads go to the lists it replaced (or to lists
// of its own when there were none), so a program under test keeps working.
#include <array>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/ModelServices.h"
#include "platform/rtl/StringList.h"

namespace zel::test {

class TScriptedNamePicker : public INameLists {
public:
    TScriptedNamePicker() : replaced_(ModelServices().NameLists) { ModelServices().NameLists = this; }
    ~TScriptedNamePicker() override {
        if (ModelServices().NameLists == this) ModelServices().NameLists = replaced_;
    }
    TScriptedNamePicker(const TScriptedNamePicker&) = delete;
    TScriptedNamePicker& operator=(const TScriptedNamePicker&) = delete;

    // What one showing of the picker was given.
    struct TShown {
        int List = 0;
        int Selected = 0;
        bool operator==(const TShown&) const = default;
    };

    // The picker's lists by number; a list not set is empty.
    std::map<int, std::vector<std::string>> Lists;
    // The answers of the next showings, in order; none left answers NoPick.
    std::deque<int> Picks;
    std::vector<TShown> Shown;

    // Fills list List with Count names "Wave 0", "Wave 1", ...
    void FillList(int List, int Count, const std::string& Prefix = "Wave ") {
        std::vector<std::string>& names = Lists[List];
        names.clear();
        for (int i = 0; i < Count; ++i) names.push_back(Prefix + std::to_string(i));
    }

    int PickName(int List, int Selected) override {
        Shown.push_back({List, Selected});
        if (Picks.empty()) return NoPick;
        const int pick = Picks.front();
        Picks.pop_front();
        return pick;
    }
    std::string NameAt(int List, int Index) const override {
        const auto it = Lists.find(List);
        if (it == Lists.end() || Index < 0 || static_cast<std::size_t>(Index) >= it->second.size()) return {};
        return it->second[static_cast<std::size_t>(Index)];
    }

    void LoadUpdateNames() override {
        if (replaced_ != nullptr) replaced_->LoadUpdateNames();
    }
    TStrings& UpdateNames(TNameListKind list) override {
        if (replaced_ != nullptr) return replaced_->UpdateNames(list);
        return own_[static_cast<std::size_t>(list)];
    }
    void SaveUpdateNames() override {
        if (replaced_ != nullptr) replaced_->SaveUpdateNames();
    }
    void LoadNames() override {
        if (replaced_ != nullptr) replaced_->LoadNames();
    }

private:
    INameLists* replaced_ = nullptr;
    std::array<TStringList, 4> own_;
};

}  // namespace zel::test
