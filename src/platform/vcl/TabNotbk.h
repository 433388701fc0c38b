#pragma once
// The tabbed notebook: a row of tabs on top and one page under it per tab. The pages come from the form
// resource (unnamed TTabPage objects, each the parent of its controls); only the page of PageIndex shows.
#include <functional>
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"

namespace zel {

// One page of a notebook; its Caption names its tab.
class TTabPage : public TCustomControl {
public:
    explicit TTabPage(TComponent* AOwner);
    std::string ClassName() const override { return "TTabPage"; }

protected:
    void Paint() override;
};

// Asked when the user turns to another page, before the switch: clearing AllowChange keeps the page.
using TPageChangeEvent = std::function<void(TObject* Sender, int NewTab, bool& AllowChange)>;

class TTabbedNotebook : public TCustomControl {
public:
    explicit TTabbedNotebook(TComponent* AOwner);
    std::string ClassName() const override { return "TTabbedNotebook"; }

    // The pages in the order of their tabs.
    int PageCount() const { return static_cast<int>(Pages().size()); }
    TTabPage* Page(int Index) const;
    std::vector<TTabPage*> Pages() const;
    // The page on show; setting it by program fires nothing. An index outside the pages is ignored.
    int GetPageIndex() const { return pageIndex_; }
    void SetPageIndex(int Value);
    // The height of the tab row.
    int TabHeight = 20;

    TPageChangeEvent OnChange;

    // The tab's rectangle in the notebook's client coordinates.
    TRect TabRect(int Index);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Loaded() override;
    void Resize() override;

private:
    // Places every page under the tabs and shows only the current one.
    void ArrangePages();

    int pageIndex_ = 0;
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterTabNotbkClasses();

}  // namespace zel
