#pragma once
// The internal controls of the library's control base: the own scroll bars with the pending scroll data the
// control computes for them, the size grip in the corner between them, and the process-wide settings
// controller that tells controls with scroll bars when the system's scroll-bar metrics changed.
#include <string>
#include <vector>

#include "platform/vcl/Controls.h"
#include "uilib/base/uiLookAndFeels.h"
#include "uilib/base/uiScrollBar.h"

namespace zel {

class TuiControl;

// Sent to a control with own scroll bars when the non-client metrics of the system changed.
constexpr UINT UM_SCROLLBARMETRICSCHANGED = WM_APP + 0x65;

// The scroll data a control computes for one of its bars before applying it.
struct TuiScrollBarData {
    int Min = 0;
    int Max = 0;
    int Position = 0;
    int PageSize = 0;
    SHORT SmallChange = 1;
    SHORT LargeChange = 1;
    bool Enabled = true;
    bool Visible = false;
    bool AllowShow = false;
    bool AllowHide = false;
};

class TuiControlScrollBar : public TuiScrollBar {
public:
    TuiControlScrollBar();
    std::string ClassName() const override { return "TuiControlScrollBar"; }

    // The record's Visible is the computed wish; the window's own visibility is GetVisible.
    TuiScrollBarData Data;
    // Sets the bar from the record: parameters when it is to be shown, Enabled, and the visibility.
    void ApplyData();

protected:
    void WndProc(TMessage& Message) override;
};

class TuiSizeGrip : public TCustomControl {
public:
    explicit TuiSizeGrip(TuiLookAndFeel* AMaster);
    ~TuiSizeGrip() override;
    std::string ClassName() const override { return "TuiSizeGrip"; }
    TuiLookAndFeel* GetLookAndFeel() const { return lookAndFeel_; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    TuiLookAndFeel* lookAndFeel_ = nullptr;
};

// Keeps a hidden window while at least one control with own scroll bars exists; on a change of the
// non-client metrics every registered control with a window hears UM_SCROLLBARMETRICSCHANGED.
class TuiSettingsController : public TObject {
public:
    ~TuiSettingsController() override;
    std::string ClassName() const override { return "TuiSettingsController"; }
    void AddControl(TuiControl* AControl);
    void RemoveControl(TuiControl* AControl);
    HWND GetWindowHandle() const { return window_; }
    int ControlCount() const { return static_cast<int>(controls_.size()); }

private:
    void WndProc(TMessage& Message);
    std::vector<TuiControl*> controls_;
    HWND window_ = nullptr;
};

// The library's cursors in the screen's cursor table, drawn as the program's own named cursor resources.
constexpr TCursor cruiDragCopy = 2100, cruiFullScroll = 2101, cruiHorScroll = 2102, cruiVerScroll = 2103,
                  cruiUpScroll = 2104, cruiRightScroll = 2105, cruiDownScroll = 2106, cruiLeftScroll = 2107,
                  cruiRemove = 2108, cruiVertSize = 2109, cruiHorzSize = 2110, cruiMultiDrag = 2111, cruiNoDrop = 2112,
                  cruiDrag = 2113, cruiColorPicker = 2114;
// The system's hand cursor.
constexpr TCursor cruiHandPoint = -2099;
// The side of the auto-scroll anchor's pictures "UI_FULLSCROLLBITMAP", "UI_HORSCROLLBITMAP" and
// "UI_VERSCROLLBITMAP".
constexpr int kAutoScrollAnchorSize = 28;
// Makes the named cursor and bitmap resources and enters the cursors above in the screen's table.
void RegisteruiControlsResources();

// The shared controller, made on first use.
TuiSettingsController* uiSettingsController();
// Frees the shared controller (unit shutdown).
void FreeSettingsController();

}  // namespace zel
