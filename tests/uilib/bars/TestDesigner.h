#pragma once
// A design environment for the tests of design mode: it allows what it is told, names components after the
// first free number, and records selections and change reports. Installed for the life of the object.
#include <set>
#include <string>
#include <vector>

#include "uilib/bars/ubBarDesigner.h"
#include "uilib/bars/ubBarManager.h"

namespace zel::test {

class TTestDesigner : public IubBarDesigner {
public:
    TTestDesigner() { SetBarDesigner(this); }
    ~TTestDesigner() override { SetBarDesigner(nullptr); }
    TTestDesigner(const TTestDesigner&) = delete;
    TTestDesigner& operator=(const TTestDesigner&) = delete;

    bool CanAddComponent(TubBarManager* /*AManager*/) override { return AllowAdd; }
    bool CanDeleteComponent(TComponent* AComponent) override { return Undeletable.count(AComponent) == 0; }
    std::string UniqueName(TubBarManager* AManager, const std::string& ABaseName) override {
        for (int n = 1;; ++n) {
            const std::string name = ABaseName + std::to_string(n);
            if (AManager->Form()->FindComponent(name) == nullptr) return name;
        }
    }
    void SelectComponent(TComponent* AComponent) override { Selected.push_back(AComponent); }
    void Modified(TubBarManager* /*AManager*/) override { ++Modifications; }

    bool AllowAdd = true;
    std::set<TComponent*> Undeletable;
    std::vector<TComponent*> Selected;
    int Modifications = 0;
};

}  // namespace zel::test
