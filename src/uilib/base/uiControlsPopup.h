#pragma once
// The library's popup windows: a borderless, stay-on-top window dropped beside an owner rectangle, which
// flips to the side with more room, stays inside the work area, fits itself around its children, draws one
// of three frames and closes when it or the program loses the activation; a translucent drag image that the
// mouse passes through; and a hatched frame that shows a rectangle being sized.
#include <map>
#include <string>

#include "platform/vcl/Forms.h"
#include "uilib/base/uiGraphics.h"

namespace zel {

// Where the popup lies against the owner on an axis: left or top, centred, right or bottom.
enum TuiPopupEdgeAlign { peaStart, peaCenter, peaEnd };
// The frame: none (width 0), a one-pixel line in FrameColor (1), the inner raised 3-D edge (1), the outer
// then the inner raised edges (2).
enum TuiPopupBorderKind { pbkNone, pbkSingle, pbkFlat, pbkFrame3D };

class TuiPopupWindow : public TForm {
public:
    TuiPopupWindow();
    ~TuiPopupWindow() override;
    std::string ClassName() const override { return "TuiPopupWindow"; }

    bool AutoFitChildren = true;
    TuiPopupEdgeAlign HorzAlignment = peaStart;
    TuiPopupEdgeAlign VertAlignment = peaEnd;
    // Added to the frame's width on every side.
    int BorderPadding = 0;
    TuiPopupBorderKind FrameStyle = pbkNone;
    // 0: beside the owner's left or right side; 1: above or below it.
    BYTE Direction = 1;
    TColor FrameColor = clWindowText;
    // The owner rectangle, in AnchorParent's client coordinates (the screen's without a parent).
    TRect AnchorBounds;
    void SetAnchorParent(TControl* Value);
    // The window whose caption stays active while the popup is.
    HWND PreviousActiveWindow = nullptr;
    TuiCanvas* GetDrawCanvas() const { return drawCanvas_; }

    // ---- overridable operations, in slot order
    virtual TPoint CalculatePosition();
    virtual void AdjustSize();
    // Sides: left 0, top 1, right 2, bottom 3.
    virtual int GetBorderWidth(int Side) { return GetFrameWidth(Side) + BorderPadding; }
    virtual TRect GetClientBounds();
    virtual int GetFrameWidth(int Side);
    virtual TRect GetOwnerScreenBounds();
    virtual void InitPopup();
    virtual void DrawFrame();
    virtual void ClosePopup() { Hide(); }
    virtual void Popup();
    virtual void VisibilityChanged() {}

protected:
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Deactivate() override;
    void Paint() override;

private:
    TuiCanvas* drawCanvas_ = nullptr;
    TControl* anchorParent_ = nullptr;
    // How far AdjustSize has moved each child, so that every run leaves the children at the same places.
    std::map<TControl*, TPoint> childShifts_;
};

// A popup for a drag image: translucent, never activated, and the mouse goes through it to what lies below.
class TuiCustomDragImage : public TuiPopupWindow {
public:
    TuiCustomDragImage();
    ~TuiCustomDragImage() override;
    std::string ClassName() const override { return "TuiCustomDragImage"; }
    // Shows the window without activating it and paints it at once.
    void Show();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
};

// A hatched frame FrameWidth pixels wide that shows a rectangle being sized; with FillInside the whole
// rectangle is hatched.
class TuiSizeFrame : public TuiCustomDragImage {
public:
    explicit TuiSizeFrame(int AFrameWidth);
    ~TuiSizeFrame() override;
    std::string ClassName() const override { return "TuiSizeFrame"; }

    int FrameWidth() const { return frameWidth_; }
    bool FillInside = false;
    // Shows the frame of the screen rectangle R.
    void DrawSizeFrame(const TRect& R);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;

private:
    int frameWidth_ = 0;
    HRGN frameRegion_ = nullptr;
};

}  // namespace zel
