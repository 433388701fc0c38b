#pragma once
// The main window's bar manager as its form resource holds it: seven categories, the main menu bar with the
// five menus, the toolbar with its nine buttons, and every menu entry with its shortcut, image, help
// context and hint.
#include <algorithm>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "BarsTestSupport.h"
#include "platform/vcl/FormWriter.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {

// The main window's form resource as it ships, reduced to what the bar manager needs: the menu image
// list and the bar manager itself, under a form of the test's own class.
inline std::string MainWindowBarsText() {
    std::ifstream in(ZELMOVI_MAIN_FORM, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    std::string text = "object Formzelmo: TFormBarsSample\n  Caption = 'Zelmovi 3.0'\n";
    // Each kept object runs from its "  object" line to the "  end" at the same depth.
    bool keep = false;
    for (const std::string& line : lines) {
        if (line.rfind("  object ImageListMenu:", 0) == 0 || line.rfind("  object ubBarManager1:", 0) == 0) keep = true;
        if (keep) text += line + "\n";
        if (keep && line == "  end") keep = false;
    }
    return text + "end\n";
}

// The event handlers a form text names (OnClick = FileNewItemClick ...), each once.
inline std::vector<std::string> HandlerNames(const std::string& text) {
    std::vector<std::string> names;
    const std::regex handler(R"(\bOn[A-Za-z]+ = ([A-Za-z0-9_]+))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), handler); it != std::sregex_iterator(); ++it) {
        std::string name = (*it)[1];
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

// A form that reads the main window's bars (or Text) and records the clicks of its handlers: Open and
// Import From record their sender, Save fails, every other handler of the text records its own name.
class TFormBarsSample : public TForm {
public:
    // Text: the resource to read (it must live while the form is made).
    explicit TFormBarsSample(TComponent* AOwner) : TFormBarsSample(AOwner, MainWindowBarsText()) {}
    TFormBarsSample(TComponent* AOwner, std::string Text)
        : TForm(AOwner), text_(std::move(Text)), resource_{"MainWindowBars", text_.c_str()} {}
    std::string ClassName() const override { return "TFormBarsSample"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        for (const std::string& name : HandlerNames(text_)) {
            B.Handler<TNotifyEvent>(name, [this, name](TObject*) { Clicks.push_back(name); });
        }
        B.Field("ubBarManager1", Manager);
        B.Field("FileOpenItem", FileOpenItem);
        B.Field("FileImportFrom", FileImportFrom);
        B.Field("FileSaveItem", FileSaveItem);
        B.Field("File1", File1);
        B.Handler<TNotifyEvent>("FileOpenItemClick", [this](TObject* s) { Clicks.push_back(Name(s) + " open"); });
        B.Handler<TNotifyEvent>("FileImportFromClick", [this](TObject* s) { Clicks.push_back(Name(s) + " import"); });
        B.Handler<TNotifyEvent>("FileSaveItemClick", [](TObject*) { throw Exception("Disk full"); });
    }
    static std::string Name(TObject* s) {
        auto* c = dynamic_cast<TComponent*>(s);
        return c != nullptr ? c->GetName() : std::string("?");
    }

    TubBarManager* Manager = nullptr;
    TubBarButton* FileOpenItem = nullptr;
    TubBarButton* FileImportFrom = nullptr;
    TubBarButton* FileSaveItem = nullptr;
    TubBarSubItem* File1 = nullptr;
    std::vector<std::string> Clicks;

private:
    std::string text_;
    TFormResource resource_;
};

}  // namespace zel::test
