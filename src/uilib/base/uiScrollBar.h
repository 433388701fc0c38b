#pragma once
// A scroll bar drawn entirely by the look-and-feel painter, with the system scroll bar's behaviour: arrows and
// page areas that repeat while held, a thumb that can be dragged and snaps back when the pointer strays too
// far, hot tracking, and the standard scroll codes and events.
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/Controls.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeelPainters.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollBarInc = int;
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TuiScrollBar;

// Where the parts of a scroll bar lie.
class TuiScrollBarViewInfo : public TObject {
public:
    explicit TuiScrollBarViewInfo(TuiScrollBar* AScrollBar) : ScrollBar(AScrollBar) {}
    std::string ClassName() const override { return "TuiScrollBarViewInfo"; }

    virtual void Calculate();
    void Recalculate() { Calculate(); }
    // The position the thumb's place stands for.
    int PositionFromThumb() const;
    // The track between the arrows, along the bar: its start and length.
    int ThumbLength() const;

    TRect BottomRightArrowRect;
    TRect PageDownRect;
    TRect PageUpRect;
    TuiScrollBar* ScrollBar = nullptr;
    TRect ThumbnailRect;
    int ThumbnailSize = 8;  // the minimum thumb size
    TRect TopLeftArrowRect;

private:
    friend class TuiScrollBar;
    void SetThumbStart(int AStart);
    void CalculatePageAreas();
    int trackStart_ = 0;
    int trackLength_ = 0;
};

class TuiScrollBar : public TCustomControl {
public:
    explicit TuiScrollBar(TComponent* AOwner);
    ~TuiScrollBar() override;
    std::string ClassName() const override { return "TuiScrollBar"; }

    // Raises EInvalidOperation "Scrollbar property out of range" when AMax < AMin or AMax < APageSize.
    void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw = true);

    TScrollBarKind GetKind() const { return kind_; }
    void SetKind(TScrollBarKind Value);
    int GetMin() const { return min_; }
    void SetMin(int Value) { SetScrollParams(Value, max_, position_, pageSize_); }
    int GetMax() const { return max_; }
    void SetMax(int Value) { SetScrollParams(min_, Value, position_, pageSize_); }
    int GetPageSize() const { return pageSize_; }
    void SetPageSize(int Value) { SetScrollParams(min_, max_, position_, Value); }
    int GetPosition() const { return position_; }
    void SetPosition(int Value) { SetScrollParams(min_, max_, Value, pageSize_); }
    TScrollBarInc SmallChange = 1;
    TScrollBarInc LargeChange = 1;
    bool UnlimitedTracking = false;
    TuiLookAndFeel* GetLookAndFeel() const { return lookAndFeel_; }
    void SetLookAndFeel(TuiLookAndFeel* Value) { lookAndFeel_->Assign(Value); }
    bool GetCtl3D() const override;
    void SetCtl3D(bool Value) override;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The part under a client point: 0 none, 1 and 2 the arrows, 3 the thumb, 4 and 5 the page areas.
    TuiScrollBarPart HitTest(TPoint P) const;
    TuiScrollBarViewInfo* GetViewInfo() const { return viewInfo_; }
    TuiScrollBarPart GetHotPart() const { return hotPart_; }
    TuiScrollBarPart GetPressedPart() const { return pressedPart_; }
    bool IsHorizontal() const { return kind_ == sbHorizontal; }
    TuiLookAndFeelPainterClass Painter() const;
    // The off-screen image the parts are drawn on.
    TBitmap* GetBitmap() const { return bitmap_; }

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    /* 0 */ virtual void Change();
    /* 1 */ virtual TuiScrollBarViewInfo* CreateViewInfo();
    /* 2 */ virtual void DrawParts(TuiCanvas* ACanvas);
    /* 3 */ virtual void DrawPart(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState,
                                  TuiScrollBarPart APart);
    /* 4 */ virtual bool HotTrackingSupported() const;
    /* 5 */ virtual void Scroll(TScrollCode AScrollCode, int& AScrollPos);
    /* 6 */ virtual int ThumbMinimumSize() const;

    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Performs a scroll from the start value the code gives: clamped before and after OnScroll.
    void DoScroll(TScrollCode AScrollCode, int AStartPosition);
    void DoScroll(TScrollCode AScrollCode) { DoScroll(AScrollCode, position_); }
    TuiButtonPaintState PartState(TuiScrollBarPart APart) const;
    void StopScrolling();
    void TimerTick();
    void LookAndFeelChanged();
    void ThemeChanged();
    TPoint CursorInClient();

    TBitmap* bitmap_ = nullptr;
    TuiCanvas* canvas_ = nullptr;
    TuiScrollBarViewInfo* viewInfo_ = nullptr;
    TuiLookAndFeel* lookAndFeel_ = nullptr;
    TubThemeChangedNotificator* themeNotificator_ = nullptr;
    TuiTimer* timer_ = nullptr;
    TuiScrollBarPart pressedPart_ = sbpNone;
    TuiScrollBarPart hotPart_ = sbpNone;
    TPoint mousePos_;
    int thumbStart_ = 0;
    int savedPosition_ = 0;
    bool wantedCtl3D_ = true;
    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int pageSize_ = 0;
    int position_ = 0;
};

// The system's vertical scroll-bar width and horizontal scroll-bar height.
TSize GetScrollBarSize();

// Registers the scroll bar with the form reader (idempotent).
void RegisterScrollBarClass();

}  // namespace zel
