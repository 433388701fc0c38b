#include "uilib/base/uiScrollBar.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/base/uiGeometry.h"

namespace zel {

namespace {

constexpr UINT kFirstInterval = 400;
constexpr UINT kRepeatInterval = 60;

bool IsArrowOrPage(TuiScrollBarPart APart) {
    return APart == sbpLineUp || APart == sbpLineDown || APart == sbpPageUp || APart == sbpPageDown;
}

TScrollCode PartScrollCode(TuiScrollBarPart APart) {
    switch (APart) {
        case sbpLineUp: return scLineUp;
        case sbpLineDown: return scLineDown;
        case sbpPageUp: return scPageUp;
        case sbpPageDown: return scPageDown;
        default: return scTrack;
    }
}

}  // namespace

// ---- view info -----------------------------------------------------------------------------------------------

int TuiScrollBarViewInfo::ThumbLength() const {
    return ScrollBar->IsHorizontal() ? ThumbnailRect.Width() : ThumbnailRect.Height();
}

void TuiScrollBarViewInfo::Calculate() {
    TuiScrollBar* bar = ScrollBar;
    const bool horizontal = bar->IsHorizontal();
    const int w = bar->GetWidth(), h = bar->GetHeight();
    const int length = horizontal ? w : h;
    const int arrow = std::min(GetSystemMetrics(horizontal ? SM_CYHSCROLL : SM_CXVSCROLL), length / 2);
    TopLeftArrowRect = horizontal ? TRect{0, 0, arrow, h} : TRect{0, 0, w, arrow};
    BottomRightArrowRect = horizontal ? TRect{w - arrow, 0, w, h} : TRect{0, h - arrow, w, h};
    trackStart_ = arrow;
    trackLength_ = std::max(0, length - 2 * arrow);
    ThumbnailRect = TRect{};
    const int L = trackLength_, min = bar->GetMin(), max = bar->GetMax(), page = bar->GetPageSize();
    const int position = bar->GetPosition();
    int T = 0, offset = 0;
    bool thumb = bar->GetEnabled();
    if (thumb && page != 0) {
        T = std::min(L, MulDiv(page, L, max - min + 1));
        if (L < ThumbnailSize || max == min) thumb = false;
        T = std::max(T, ThumbnailSize);
        // D <= 0 (a page as large as the range): the thumb fills the track.
        const int D = max - min - page + 1;
        offset = D <= 0 ? 0 : MulDiv(L - T, std::min(position - min, D), D);
    } else if (thumb) {
        T = GetSystemMetrics(horizontal ? SM_CXHTHUMB : SM_CYVTHUMB);
        if (L < T) thumb = false;
        offset = L - T <= 0 || max == min ? 0 : MulDiv(L - T, position - min, max - min);
    }
    if (thumb) {
        const int start = trackStart_ + std::max(0, offset);
        ThumbnailRect = horizontal ? TRect{start, 0, start + T, h} : TRect{0, start, w, start + T};
    }
    CalculatePageAreas();
}

void TuiScrollBarViewInfo::CalculatePageAreas() {
    PageUpRect = PageDownRect = TRect{};
    if (RectIsEmpty(ThumbnailRect)) return;
    if (ScrollBar->IsHorizontal()) {
        PageUpRect = TRect{TopLeftArrowRect.right, 0, ThumbnailRect.left, ThumbnailRect.bottom};
        PageDownRect = TRect{ThumbnailRect.right, 0, BottomRightArrowRect.left, ThumbnailRect.bottom};
    } else {
        PageUpRect = TRect{0, TopLeftArrowRect.bottom, ThumbnailRect.right, ThumbnailRect.top};
        PageDownRect = TRect{0, ThumbnailRect.bottom, ThumbnailRect.right, BottomRightArrowRect.top};
    }
}

void TuiScrollBarViewInfo::SetThumbStart(int AStart) {
    const int T = ThumbLength();
    const int start = std::clamp(AStart, trackStart_, std::max(trackStart_, trackStart_ + trackLength_ - T));
    if (ScrollBar->IsHorizontal()) ThumbnailRect = TRect{start, ThumbnailRect.top, start + T, ThumbnailRect.bottom};
    else ThumbnailRect = TRect{ThumbnailRect.left, start, ThumbnailRect.right, start + T};
    CalculatePageAreas();
}

int TuiScrollBarViewInfo::PositionFromThumb() const {
    const TuiScrollBar* bar = ScrollBar;
    const int L = trackLength_, T = ThumbLength();
    // A thumb that fills the track stands for the first position.
    if (L <= T) return bar->GetMin();
    const int start = bar->IsHorizontal() ? ThumbnailRect.left : ThumbnailRect.top;
    const int range = bar->GetMax() - bar->GetMin() + (bar->GetPageSize() > 0 ? 1 - bar->GetPageSize() : 0);
    return bar->GetMin() + MulDiv(range, start - trackStart_, L - T);
}

// ---- scroll bar ----------------------------------------------------------------------------------------------

TuiScrollBar::TuiScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
    bitmap_ = new TBitmap();
    canvas_ = new TuiCanvas(bitmap_->Canvas());
    lookAndFeel_ = new TuiLookAndFeel(this);
    lookAndFeel_->OnChanged = [this](TuiLookAndFeel*, TuiLookAndFeelValues) { LookAndFeelChanged(); };
    viewInfo_ = CreateViewInfo();
    width_ = 121;
    ControlStyle = TControlStyle{csCaptureMouse, csFramed, csOpaque};
    height_ = GetSystemMetrics(SM_CYHSCROLL);
    bitmap_->SetSize(width_, height_);
    themeNotificator_ = new TubThemeChangedNotificator();
    themeNotificator_->OnThemeChanged = [this] { ThemeChanged(); };
    timer_ = new TuiTimer(nullptr);
    timer_->SetEnabled(false);
    timer_->SetInterval(kFirstInterval);
    timer_->SetOnTimer([this](TObject*) { TimerTick(); });
    viewInfo_->ThumbnailSize = ThumbMinimumSize();
    viewInfo_->Calculate();
}

TuiScrollBar::~TuiScrollBar() {
    delete timer_;
    delete themeNotificator_;
    delete viewInfo_;
    delete lookAndFeel_;
    delete canvas_;
    delete bitmap_;
}

TuiScrollBarViewInfo* TuiScrollBar::CreateViewInfo() { return new TuiScrollBarViewInfo(this); }

TuiLookAndFeelPainterClass TuiScrollBar::Painter() const { return lookAndFeel_->PainterForThemeKind(thScrollBar); }

void TuiScrollBar::SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw) {
    if (AMax < AMin || AMax < APageSize) throw EInvalidOperation("Scrollbar property out of range");
    const int position = std::clamp(APosition, AMin, AMax);
    if (AMin == min_ && AMax == max_ && APageSize == pageSize_ && position == position_) return;
    min_ = AMin;
    max_ = AMax;
    pageSize_ = APageSize;
    const bool positionChanged = position != position_;
    if (positionChanged) {
        SetEnabled(true);
        position_ = position;
    }
    viewInfo_->Calculate();
    if (ARedraw && HandleAllocated()) Invalidate();
    if (positionChanged) Change();
}

void TuiScrollBar::SetKind(TScrollBarKind Value) {
    if (kind_ == Value) return;
    kind_ = Value;
    if (ComponentState().Contains(csLoading)) viewInfo_->Recalculate();
    else SetBounds(left_, top_, width_, height_);
    Invalidate();
}

bool TuiScrollBar::GetCtl3D() const { return TCustomControl::GetCtl3D() || wantedCtl3D_; }

void TuiScrollBar::SetCtl3D(bool Value) {
    wantedCtl3D_ = Value;
    if (TCustomControl::GetCtl3D() != Value) TCustomControl::SetCtl3D(Value);
}

void TuiScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const TRect old = BoundsRect();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (BoundsRect() != old && width_ > 0 && height_ > 0) {
        bitmap_->SetSize(width_, height_);
        viewInfo_->Recalculate();
    }
}

TuiScrollBarPart TuiScrollBar::HitTest(TPoint P) const {
    const TRect client{0, 0, width_, height_};
    const TuiScrollBarViewInfo* v = viewInfo_;
    if (!PtInRect(&client, P)) return sbpNone;
    if (PtInRect(&v->TopLeftArrowRect, P)) return sbpLineUp;
    if (PtInRect(&v->BottomRightArrowRect, P)) return sbpLineDown;
    if (RectIsEmpty(v->ThumbnailRect)) return sbpNone;
    if (PtInRect(&v->ThumbnailRect, P)) return sbpThumbnail;
    if (PtInRect(&v->PageUpRect, P)) return sbpPageUp;
    if (PtInRect(&v->PageDownRect, P)) return sbpPageDown;
    return sbpNone;
}

void TuiScrollBar::Change() { CallNotifyEvent(OnChange, this); }

void TuiScrollBar::Scroll(TScrollCode AScrollCode, int& AScrollPos) {
    if (OnScroll) OnScroll(this, AScrollCode, AScrollPos);
}

bool TuiScrollBar::HotTrackingSupported() const { return Painter()->ButtonHotTracks(); }

int TuiScrollBar::ThumbMinimumSize() const { return Painter()->ScrollThumbMinimum(!IsHorizontal()); }

void TuiScrollBar::DoScroll(TScrollCode AScrollCode, int AStartPosition) {
    int position = AStartPosition;
    switch (AScrollCode) {
        case scLineUp: position -= SmallChange; break;
        case scLineDown: position += SmallChange; break;
        case scPageUp: position -= LargeChange; break;
        case scPageDown: position += LargeChange; break;
        case scTop: position = min_; break;
        case scBottom: position = max_; break;
        default: break;
    }
    position = std::clamp(position, min_, max_);
    Scroll(AScrollCode, position);
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    if (AScrollCode == scTrack) {
        position_ = position;
        Invalidate();
    } else {
        SetPosition(position);
    }
}

TuiButtonPaintState TuiScrollBar::PartState(TuiScrollBarPart APart) const {
    if (!GetEnabled()) return bpsDisabled;
    if (APart == sbpThumbnail && !HotTrackingSupported()) return bpsNormal;
    if (pressedPart_ != sbpNone) return APart == pressedPart_ && APart == hotPart_ ? bpsPressed : bpsNormal;
    return APart == hotPart_ && !ComponentState().Contains(csDesigning) ? bpsHot : bpsNormal;
}

void TuiScrollBar::DrawPart(TuiCanvas* ACanvas, const TRect& R, TuiButtonPaintState AState, TuiScrollBarPart APart) {
    Painter()->PaintScrollBarPart(ACanvas, IsHorizontal(), AState, APart, R);
}

void TuiScrollBar::DrawParts(TuiCanvas* ACanvas) {
    const TuiScrollBarViewInfo* v = viewInfo_;
    if (RectIsEmpty(v->ThumbnailRect)) {
        DrawPart(ACanvas, TRect{0, 0, width_, height_}, bpsNormal, sbpPageUp);
        return;
    }
    DrawPart(ACanvas, v->ThumbnailRect, PartState(sbpThumbnail), sbpThumbnail);
    DrawPart(ACanvas, v->TopLeftArrowRect, PartState(sbpLineUp), sbpLineUp);
    DrawPart(ACanvas, v->BottomRightArrowRect, PartState(sbpLineDown), sbpLineDown);
    if (!RectIsEmpty(v->PageUpRect)) DrawPart(ACanvas, v->PageUpRect, PartState(sbpPageUp), sbpPageUp);
    if (!RectIsEmpty(v->PageDownRect)) DrawPart(ACanvas, v->PageDownRect, PartState(sbpPageDown), sbpPageDown);
}

void TuiScrollBar::Paint() {
    DrawParts(canvas_);
    const TRect r{0, 0, width_, height_};
    Canvas()->CopyRect(r, bitmap_->Canvas(), r);
}

TPoint TuiScrollBar::CursorInClient() {
    TPoint p;
    GetCursorPos(&p);
    return HandleAllocated() ? ScreenToClient(p) : p;
}

void TuiScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const TuiScrollBarPart part = HitTest(TPoint{X, Y});
    if (part == sbpNone) return;
    if (part == sbpThumbnail) {
        mousePos_ = TPoint{X, Y};
        savedPosition_ = position_;
        thumbStart_ = IsHorizontal() ? viewInfo_->ThumbnailRect.left : viewInfo_->ThumbnailRect.top;
        DoScroll(scTrack);
    }
    pressedPart_ = hotPart_ = part;
    if (IsArrowOrPage(part)) {
        DoScroll(PartScrollCode(part));
        timer_->SetInterval(kFirstInterval);
        timer_->SetEnabled(true);
    }
    Repaint();
}

void TuiScrollBar::TimerTick() {
    if (!HandleAllocated() || GetCapture() != GetHandle() || !IsArrowOrPage(pressedPart_)) {
        StopScrolling();
        return;
    }
    if (timer_->GetInterval() != kRepeatInterval) timer_->SetInterval(kRepeatInterval);
    DoScroll(PartScrollCode(pressedPart_));
    timer_->SetEnabled(HitTest(CursorInClient()) == pressedPart_);
}

void TuiScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (pressedPart_ == sbpThumbnail) {
        TRect allowed{0, 0, width_, height_};
        allowed = IsHorizontal() ? InflatedRect(allowed, 34, 136) : InflatedRect(allowed, 136, 34);
        if (UnlimitedTracking || PtInRect(&allowed, TPoint{X, Y})) {
            const int delta = IsHorizontal() ? X - mousePos_.x : Y - mousePos_.y;
            viewInfo_->SetThumbStart(thumbStart_ + delta);
            const int position = viewInfo_->PositionFromThumb();
            if (position != position_) {
                position_ = position;
                DoScroll(scTrack);
            }
            Invalidate();
        } else {
            SetPosition(savedPosition_);
            DoScroll(scTrack);
        }
        return;
    }
    const TuiScrollBarPart over = HitTest(TPoint{X, Y});
    if (IsArrowOrPage(pressedPart_)) timer_->SetEnabled(over == pressedPart_);
    if (over != hotPart_) {
        hotPart_ = over;
        if (HotTrackingSupported()) Invalidate();
    }
}

void TuiScrollBar::StopScrolling() {
    if (pressedPart_ == sbpThumbnail) DoScroll(scPosition, viewInfo_->PositionFromThumb());
    timer_->SetEnabled(false);
    const bool wasPressed = pressedPart_ != sbpNone;
    pressedPart_ = hotPart_ = sbpNone;
    if (wasPressed) DoScroll(scEndScroll);
    viewInfo_->Calculate();
    Invalidate();
}

void TuiScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    StopScrolling();
    hotPart_ = HitTest(TPoint{X, Y});
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TuiScrollBar::LookAndFeelChanged() {
    if (lookAndFeel_->GetSkinPainter() != nullptr) {
        const bool wanted = wantedCtl3D_;
        TCustomControl::SetCtl3D(false);
        wantedCtl3D_ = wanted;
    } else {
        TCustomControl::SetCtl3D(wantedCtl3D_);
    }
    viewInfo_->ThumbnailSize = ThumbMinimumSize();
    viewInfo_->Recalculate();
    Invalidate();
}

void TuiScrollBar::ThemeChanged() {
    viewInfo_->ThumbnailSize = ThumbMinimumSize();
    viewInfo_->Recalculate();
    UpdateScrollBarPatterns();
    Invalidate();
    if (GetParent() != nullptr) GetParent()->Realign();
}

void TuiScrollBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: Message.Result = 1; return;
        case CN_HSCROLL:
        case CN_VSCROLL: DoScroll(static_cast<TScrollCode>(LOWORD(Message.WParam))); return;
        case CN_CTLCOLORSCROLLBAR:
        case WM_SYSCOLORCHANGE:
        case CM_SYSCOLORCHANGE:
            UpdateScrollBarPatterns();
            Invalidate();
            break;
        // The window layer's cancel comes when a dialog or a menu takes the mouse; the library's own when a
        // form cancels the mouse operations of its active control.
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            if (pressedPart_ != sbpNone) StopScrolling();
            break;
        case CM_VISIBLECHANGED:
        case CM_ENABLEDCHANGED: StopScrolling(); break;
        case CM_MOUSEENTER:
            if (HotTrackingSupported() || IsArrowOrPage(pressedPart_)) Invalidate();
            break;
        case CM_MOUSELEAVE:
            if (Message.LParam == reinterpret_cast<LPARAM>(this) &&
                (HotTrackingSupported() || IsArrowOrPage(pressedPart_))) {
                if (pressedPart_ != sbpThumbnail) hotPart_ = sbpNone;
                Invalidate();
            }
            break;
        default: break;
    }
    TCustomControl::Dispatch(Message);
}

TSize GetScrollBarSize() { return TSize{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)}; }

void RegisterScrollBarClass() {
    if (FindComponentClass("TuiScrollBar") != nullptr) return;
    using S = TuiScrollBar;
    RegisterComponent<S>("TuiScrollBar", "TWinControl")
        .Enum<TScrollBarKind>(
            "Kind", {{"sbHorizontal", sbHorizontal}, {"sbVertical", sbVertical}},
            [](S& s, TScrollBarKind v) { s.SetKind(v); }, [](S& s) { return s.GetKind(); })
        .Int(
            "Max", [](S& s, int v) { s.SetMax(v); }, [](S& s) { return s.GetMax(); })
        .Int(
            "Min", [](S& s, int v) { s.SetMin(v); }, [](S& s) { return s.GetMin(); })
        .Int(
            "PageSize", [](S& s, int v) { s.SetPageSize(v); }, [](S& s) { return s.GetPageSize(); })
        .Int(
            "Position", [](S& s, int v) { s.SetPosition(v); }, [](S& s) { return s.GetPosition(); })
        .Int(
            "SmallChange", [](S& s, int v) { s.SmallChange = v; }, [](S& s) { return s.SmallChange; })
        .Int(
            "LargeChange", [](S& s, int v) { s.LargeChange = v; }, [](S& s) { return s.LargeChange; })
        .Bool("UnlimitedTracking", [](S& s, bool v) { s.UnlimitedTracking = v; })
        .Enum<TuiLookAndFeelKind>(
            "LookAndFeel.Kind",
            {{"lfFlat", lfFlat}, {"lfStandard", lfStandard}, {"lfUltraFlat", lfUltraFlat}, {"lfOffice11", lfOffice11}},
            [](S& s, TuiLookAndFeelKind v) { s.GetLookAndFeel()->SetKind(v); })
        .Bool("LookAndFeel.NativeStyle", [](S& s, bool v) { s.GetLookAndFeel()->SetNativeStyle(v); })
        .Str("LookAndFeel.SkinName", [](S& s, const std::string& v) { s.GetLookAndFeel()->SetSkinName(v); })
        .Event("OnChange", &S::OnChange)
        .Event("OnScroll", &S::OnScroll);
}

}  // namespace zel
