#pragma once
// The page control: a row of classic tabs over a frame that holds one sheet at a time. The sheets come from
// the form resource (TTabSheet objects, each the parent of its controls); a sheet whose TabVisible is off
// leaves no tab and is never shown.
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"

namespace zel {

class TPageControl;

// One page of a page control; its Caption names its tab.
class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    std::string ClassName() const override { return "TTabSheet"; }

    // The page control that holds the sheet, nullptr while it has none.
    TPageControl* PageControl() const;
    bool GetTabVisible() const { return tabVisible_; }
    // Hiding the tab of the active sheet makes the next sheet with a tab active.
    void SetTabVisible(bool Value);
    // The sheet's place among its page control's sheets, -1 without one.
    int PageIndex() const;

protected:
    void Paint() override;

private:
    bool tabVisible_ = true;
};

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* AOwner);
    std::string ClassName() const override { return "TPageControl"; }

    // The sheets in the order of their tabs (hidden tabs included).
    int PageCount() const { return static_cast<int>(Sheets().size()); }
    TTabSheet* Pages(int Index) const;
    std::vector<TTabSheet*> Sheets() const;
    // The sheet on show; setting it by program fires no event. A sheet of another control, or one without
    // a tab, is refused (nothing changes).
    TTabSheet* GetActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* Value);
    int GetActivePageIndex() const { return activePage_ != nullptr ? activePage_->PageIndex() : -1; }
    // The tab's rectangle in client coordinates; empty for a sheet without a tab.
    TRect TabRect(int Index);
    // The sheet whose tab lies under the client point, -1 for none.
    int IndexOfTabAt(int X, int Y);
    // The height of the tab row.
    int TabHeight = 20;
    // The user turned to another sheet (a click on its tab).
    TNotifyEvent OnChange;

    // A sheet's tab was shown or hidden.
    void TabVisibilityChanged(TTabSheet* ASheet);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Loaded() override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TTabSheet;
    // The user chose a sheet: it becomes the active one and OnChange runs.
    void UserSelect(TTabSheet* ASheet);
    // Places every sheet inside the frame and shows only the active one.
    void ArrangeSheets();
    // The first sheet with a tab after Index, going round; nullptr for none.
    TTabSheet* NextWithTab(int Index) const;

    TTabSheet* activePage_ = nullptr;
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterComCtrlsClasses();

}  // namespace zel
