#pragma once
// The drop-down window of the drop-down editors: a popup that sizes itself from its editor and its content,
// can carry a system panel with a close button and a size grip at the corner away from the editor, resizes
// by mouse (live, or with a hatched frame as preview), draws its border in several styles and says how it
// closed.
#include <functional>
#include <string>

#include "uilib/base/uiControlsPopup.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEdit.h"

namespace zel {

class TuiCustomEditPopupWindowViewInfo;
using TuiEditPopupDrawCustomBorderEvent = std::function<void(
    TuiCustomEditPopupWindowViewInfo* AViewInfo, TCanvas* ACanvas, int& ABorderWidth, bool& ADone, const TRect& R)>;

// The close button's look: 1 normal, 2 hot, 3 pressed.
enum TuiPopupCloseButtonState { pcbsNormal = 1, pcbsHot = 2, pcbsPressed = 3 };

// A sizing direction: -1 moves the left (top) edge, +1 the right (bottom) edge, 0 neither.
struct TuiSizingDirection {
    int DX = 0;
    int DY = 0;
    bool IsSizing() const { return DX != 0 || DY != 0; }
    bool operator==(const TuiSizingDirection&) const = default;
};

class TuiCustomEditPopupWindowViewInfo : public TuiContainerViewInfo {
public:
    std::string ClassName() const override { return "TuiCustomEditPopupWindowViewInfo"; }

    // ---- added operations, in slot order
    // Lays the frame out in Bounds: ClientRect, the system panel, its grip and close button.
    virtual void Calculate();
    void DrawBorder(TCanvas* ACanvas, TRect R) override;
    // The room the frame takes on each side (the shadow and the system panel included).
    virtual TRect GetExtent();
    virtual TRect GetClientExtent();
    virtual int GetSysPanelHeight();
    // Which edges a press at a point (window coordinates) moves; none unless the popup is sizeable.
    virtual TuiSizingDirection HitTestSizing(int X, int Y);

    void Paint(TCanvas* ACanvas) override;
    // The frame's width on each side, without the client edge.
    int FrameWidth();
    int ClientEdgeWidth();
    bool HasSysPanel() const { return PopupSysPanelStyle; }
    // The panel's side: true at the bottom (Corner's bit 1).
    bool SysPanelAtBottom() const { return (Corner & 2) != 0; }
    bool GripAtRight() const { return (Corner & 1) != 0; }

    TuiEditPopupBorderStyle PopupBorderStyle = epbsDefault;
    bool PopupClientEdge = false;
    bool ShowCloseButton = false;
    TuiPopupCloseButtonState CloseButtonState = pcbsNormal;
    TRect CloseButtonRect{};
    bool PopupSizeable = false;
    bool PopupSysPanelStyle = false;
    // 0..3: bit 0 the grip is on the right, bit 1 at the bottom.
    int Corner = 3;
    TRect GripRect{};
    TRect SysPanelRect{};
    int SysPanelHeight = 0;
    int MinSysPanelHeight = 0;
    TuiLookAndFeelKind LookAndFeelKind = lfStandard;
    // The look's painter, which draws the close button.
    TuiLookAndFeelPainterClass LookAndFeelPainter = nullptr;
    TuiEditPopupDrawCustomBorderEvent OnDrawCustomBorder;

private:
    void DrawSysPanel(TCanvas* ACanvas);
    void DrawGrip(TCanvas* ACanvas);
    void DrawCloseButton(TCanvas* ACanvas);
    // The custom border handler's answer: true with its width when it drew the frame.
    bool CustomBorder(TCanvas* ACanvas, int& AWidth);
};

// Sizes a popup may take: the content says which size it accepts (true, with the size perhaps adjusted) or
// refuses (false).
using TuiPopupContentResizingEvent = std::function<bool(int& AClientWidth, int& AClientHeight)>;

class TuiCustomEditPopupWindow : public TuiCustomPopupWindow {
public:
    explicit TuiCustomEditPopupWindow(TWinControl* AOwnerControl);
    ~TuiCustomEditPopupWindow() override;
    void AfterConstruction() override;
    std::string ClassName() const override { return "TuiCustomEditPopupWindow"; }

    TuiCustomEditPopupWindowViewInfo* PopupViewInfo() const {
        return static_cast<TuiCustomEditPopupWindowViewInfo*>(ViewInfo());
    }
    // The drop-down editor the popup belongs to.
    TWinControl* Editor() const { return OwnerControl(); }
    // The editor's screen rectangle when the popup opened.
    TRect EditorBounds{};

    bool PopupAutoSize = false;
    int PopupWidth = 0;
    int PopupHeight = 0;
    int PopupMinWidth = 0;
    int PopupMinHeight = 0;
    bool LiveResize = true;
    // Asks for the system's drop shadow on the window class (only used with desktop composition).
    bool DropShadow = false;

    bool GetPopupSizeable() const { return PopupViewInfo()->PopupSizeable; }
    void SetPopupSizeable(bool Value) { PopupViewInfo()->PopupSizeable = Value; }
    bool GetPopupSysPanelStyle() const { return PopupViewInfo()->PopupSysPanelStyle; }
    void SetPopupSysPanelStyle(bool Value) { PopupViewInfo()->PopupSysPanelStyle = Value; }
    TuiEditPopupBorderStyle GetPopupBorderStyle() const { return PopupViewInfo()->PopupBorderStyle; }
    void SetPopupBorderStyle(TuiEditPopupBorderStyle Value) { PopupViewInfo()->PopupBorderStyle = Value; }
    bool GetPopupClientEdge() const { return PopupViewInfo()->PopupClientEdge; }
    void SetPopupClientEdge(bool Value) { PopupViewInfo()->PopupClientEdge = Value; }
    bool GetShowCloseButton() const { return PopupViewInfo()->ShowCloseButton; }
    void SetShowCloseButton(bool Value) { PopupViewInfo()->ShowCloseButton = Value; }
    bool GetNativeStyle() const { return PopupViewInfo()->NativeStyle; }
    void SetNativeStyle(bool Value) { PopupViewInfo()->NativeStyle = Value; }
    bool GetShadow() const { return PopupViewInfo()->Shadow; }
    void SetShadow(bool Value) { PopupViewInfo()->Shadow = Value; }
    void SetLookAndFeelKind(TuiLookAndFeelKind Value);

    // The outline shown while sizing without live content; nullptr otherwise.
    TuiSizeFrame* ResizeOutline() const { return resizeOutline_; }
    bool SizeCheckLocked = false;
    bool IsSizing() const { return sizing_.IsSizing(); }
    // The reason of the last closing: crUnknown from the close button, crEnter for OK, crCancel for Cancel.
    TuiCloseUpReason CloseReason() const { return closeReason_; }
    // The largest client size the content may ask for: the room on the editor's monitor beside the editor
    // (above or below it for a popup that opens downwards, left or right of it for one that opens
    // sideways), less the frame.
    TPoint GetMaxContentSize();
    // The smallest window size: the frame, and room for the close button and the grip.
    TPoint GetMinSize();

    TuiPopupContentResizingEvent OnContentResizing;
    // The user changed the size (the editor keeps it for the next opening).
    TNotifyEvent OnResizedByUser;

    // ---- overridable operations
    virtual void CalculateSize();
    TPoint CalculatePosition() override;
    void AdjustSize() override { CalculateSize(); }
    bool IsSizeAdjustable() override { return true; }
    void CloseOnModalResult() override;
    void PopupHook() override;
    // Closes with a reason (told to OnClosing and OnClosed).
    void CloseUp(TuiCloseUpReason AReason);
    // The preferred size of the content: the extent of the visible children.
    virtual TPoint ContentSize();
    // Keeps the size within the minimum and asks the content; false when the size is refused.
    virtual bool CanResize(int& AWidth, int& AHeight);

protected:
    TuiContainerViewInfo* CreateViewInfo() override { return new TuiCustomEditPopupWindowViewInfo; }
    void DoClosing() override;
    void DoClosed() override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void CalculateViewInfoBounds();
    void SetCloseButtonState(TuiPopupCloseButtonState AState);
    void SetSizingCursor(TuiSizingDirection ADirection);
    void SizeTo(TPoint AScreen);
    void EndSizing();
    // Forwards a character to the focused window when that is a window inside the popup.
    void ForwardChar(TMessage& Message);

    TuiSizeFrame* resizeOutline_ = nullptr;
    TuiSizingDirection sizing_;
    TPoint grabOffset_{};
    TRect sizingRect_{};
    bool cursorChanged_ = false;
    TuiCloseUpReason closeReason_ = crUnknown;
};

// The cursor of a sizing direction: diagonal, horizontal or vertical arrows; crDefault for none.
TCursor SizingCursor(TuiSizingDirection ADirection);

}  // namespace zel
