#include "uilib/editors/uiDropDownEdit.h"

#include <algorithm>

#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/UxTheme.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiLookAndFeels.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiEditPaintUtils.h"

namespace zel {

namespace {

// The message a popup window shows itself on (posted by its editor).
constexpr UINT kPopupShowRequest = WM_APP + 126;

// Theme parts: the window's small close button, the status bar's size grip and the list box's frame.
constexpr int kThemeSmallCloseButton = 19;
constexpr int kThemeGripper = 3;
constexpr int kThemeListBoxFrame = 3;

int ThemedPartHeight(TubThemeObjectKind AKind, int APart) {
    HTHEME theme = OpenThemeForType(AKind);
    if (theme == nullptr) return 0;
    SIZE size{};
    if (GetThemePartSize(theme, nullptr, APart, 1, nullptr, TS_TRUE, &size) != S_OK) return 0;
    return size.cy;
}

void FrameWith(HDC DC, const TRect& R, TColor AColor) {
    RECT r = R;
    FrameRect(DC, &r, uiGetSolidBrush(AColor));
}

}  // namespace

TCursor SizingCursor(TuiSizingDirection ADirection) {
    if (ADirection.DX != 0 && ADirection.DY != 0) return ADirection.DX == ADirection.DY ? crSizeNWSE : crSizeNESW;
    if (ADirection.DX != 0) return crSizeWE;
    if (ADirection.DY != 0) return crSizeNS;
    return crDefault;
}

// ---------------------------------------------------------------------------------------------- view info

int TuiCustomEditPopupWindowViewInfo::FrameWidth() {
    if (NativeStyle || Painter != nullptr) return 1;
    switch (PopupBorderStyle) {
        case epbsSingle: return 1;
        case epbsFrame3D: return 4;
        case epbsFlat: return 2;
        default: return 0;
    }
}

int TuiCustomEditPopupWindowViewInfo::ClientEdgeWidth() {
    if (!PopupClientEdge) return 0;
    if (NativeStyle || Painter != nullptr) return 2;
    switch (PopupBorderStyle) {
        case epbsSingle:
        case epbsFrame3D: return 2;
        case epbsFlat: return 1;
        default: return 0;
    }
}

bool TuiCustomEditPopupWindowViewInfo::CustomBorder(TCanvas* ACanvas, int& AWidth) {
    if (!OnDrawCustomBorder) return false;
    bool done = false;
    int width = FrameWidth();
    OnDrawCustomBorder(this, ACanvas, width, done, Bounds);
    if (done) AWidth = width;
    return done;
}

int TuiCustomEditPopupWindowViewInfo::GetSysPanelHeight() {
    int h = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
    h = std::max(h, ThemedPartHeight(thWindow, kThemeSmallCloseButton));
    h = std::max(h, ThemedPartHeight(thStatus, kThemeGripper));
    if (MinSysPanelHeight > 0) h = std::max(h, MinSysPanelHeight);
    return h;
}

TRect TuiCustomEditPopupWindowViewInfo::GetClientExtent() {
    int frame = FrameWidth();
    if (OnDrawCustomBorder) {
        // A custom border measures itself without drawing.
        bool done = false;
        int width = frame;
        OnDrawCustomBorder(this, nullptr, width, done, Bounds);
        if (done) frame = width;
    }
    const int w = frame + ClientEdgeWidth();
    return TRect{w, w, w, w};
}

TRect TuiCustomEditPopupWindowViewInfo::GetExtent() {
    TRect e = GetClientExtent();
    if (Shadow) {
        e.right += 3;
        e.bottom += 3;
    }
    if (HasSysPanel()) {
        const int panel = GetSysPanelHeight() + (NativeStyle || PopupBorderStyle == epbsSingle ? 1 : 0);
        if (SysPanelAtBottom()) e.bottom += panel;
        else e.top += panel;
    }
    return e;
}

void TuiCustomEditPopupWindowViewInfo::Calculate() {
    const TRect e = GetExtent();
    ClientRect = TRect{Bounds.left + e.left, Bounds.top + e.top, Bounds.right - e.right, Bounds.bottom - e.bottom};
    SysPanelRect = GripRect = CloseButtonRect = TRect{0, 0, 0, 0};
    SysPanelHeight = 0;
    if (!HasSysPanel()) return;
    SysPanelHeight = GetSysPanelHeight();
    const TRect c = GetClientExtent();
    const int left = Bounds.left + c.left;
    const int right = Bounds.right - c.right - (Shadow ? 3 : 0);
    if (SysPanelAtBottom()) {
        const int bottom = Bounds.bottom - c.bottom - (Shadow ? 3 : 0);
        SysPanelRect = TRect{left, bottom - SysPanelHeight, right, bottom};
    } else {
        const int top = Bounds.top + c.top;
        SysPanelRect = TRect{left, top, right, top + SysPanelHeight};
    }
    if (PopupSizeable) {
        const int side = std::min(GetSystemMetrics(SM_CXVSCROLL), SysPanelHeight);
        const int top = SysPanelAtBottom() ? SysPanelRect.bottom - side : SysPanelRect.top;
        GripRect = GripAtRight() ? TRect{SysPanelRect.right - side, top, SysPanelRect.right, top + side}
                                 : TRect{SysPanelRect.left, top, SysPanelRect.left + side, top + side};
    }
    if (ShowCloseButton) {
        TPoint size = LookAndFeelPainter != nullptr ? LookAndFeelPainter->FilterCloseButtonExtent() : TPoint{16, 14};
        if (NativeStyle) {
            if (HTHEME theme = OpenThemeForType(thWindow); theme != nullptr) {
                SIZE s{};
                if (GetThemePartSize(theme, nullptr, kThemeSmallCloseButton, 1, nullptr, TS_TRUE, &s) == S_OK)
                    size = TPoint{s.cx, s.cy};
            }
        }
        size.y = std::min<int>(size.y, SysPanelHeight);
        const int top = SysPanelRect.top + (SysPanelHeight - size.y) / 2;
        // At the end away from the grip, 2 pixels in.
        CloseButtonRect = GripAtRight()
                              ? TRect{SysPanelRect.left + 2, top, SysPanelRect.left + 2 + size.x, top + size.y}
                              : TRect{SysPanelRect.right - 2 - size.x, top, SysPanelRect.right - 2, top + size.y};
    }
}

TuiSizingDirection TuiCustomEditPopupWindowViewInfo::HitTestSizing(int X, int Y) {
    if (!PopupSizeable) return {};
    const TPoint p{X, Y};
    if (PtInRect(&GripRect, p)) return TuiSizingDirection{GripAtRight() ? 1 : -1, SysPanelAtBottom() ? 1 : -1};
    const int thick = GetSystemMetrics(SM_CXVSCROLL);
    TRect frame = Bounds;
    if (Shadow) {
        frame.right -= 3;
        frame.bottom -= 3;
    }
    if (!PtInRect(&frame, p)) return {};
    TuiSizingDirection d;
    // Only the sides away from the editor move.
    if (GripAtRight() && X >= frame.right - thick) d.DX = 1;
    if (!GripAtRight() && X < frame.left + thick) d.DX = -1;
    if (SysPanelAtBottom() && Y >= frame.bottom - thick) d.DY = 1;
    if (!SysPanelAtBottom() && Y < frame.top + thick) d.DY = -1;
    return d;
}

void TuiCustomEditPopupWindowViewInfo::DrawBorder(TCanvas* ACanvas, TRect R) {
    HDC dc = ACanvas->GetHandle();
    int width = 0;
    if (CustomBorder(ACanvas, width)) return;
    if (NativeStyle) {
        HTHEME theme = IsDesktopCompositionOn() ? OpenThemeForType(thListBox) : nullptr;
        if (theme != nullptr) {
            const TRect inner{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1};
            const int saved = SaveDC(dc);
            ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
            DrawThemeBackground(theme, dc, kThemeListBoxFrame, 1, &R, nullptr);
            RestoreDC(dc, saved);
        } else {
            FrameWith(dc, R, clBtnShadow);
        }
    } else if (Painter != nullptr) {
        FrameWith(dc, R, clBtnShadow);
    } else {
        RECT r = R;
        switch (PopupBorderStyle) {
            case epbsSingle: FrameWith(dc, R, clWindowFrame); break;
            case epbsFlat: DrawEdge(dc, &r, EDGE_RAISED, BF_RECT); break;
            case epbsFrame3D:
                DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
                FrameWith(dc, r, PopupClientEdge ? clHighlight : clBtnFace);
                InflateRect(&r, -1, -1);
                if (PopupClientEdge) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
                else FrameWith(dc, r, clBtnFace);
                break;
            default: break;
        }
    }
    // The client edge inside the frame.
    const int edge = ClientEdgeWidth();
    if (edge > 0) {
        const int f = FrameWidth();
        RECT r{R.left + f, R.top + f, R.right - f, R.bottom - f};
        DrawEdge(dc, &r, edge >= 2 ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
    }
}

void TuiCustomEditPopupWindowViewInfo::DrawGrip(TCanvas* ACanvas) {
    if (IsRectEmpty(&GripRect)) return;
    HDC dc = ACanvas->GetHandle();
    FillWithColor(ACanvas, GripRect, clBtnFace);
    if (NativeStyle) {
        if (HTHEME theme = OpenThemeForType(thStatus); theme != nullptr) {
            // The theme's grip points to the bottom right: mirrored for the other corners.
            DrawThemeBackground(theme, dc, kThemeGripper, 1, &GripRect, nullptr);
            return;
        }
    }
    // Three diagonal stripes, each a light line and two shadow lines, towards the grip's corner.
    const int size = GripRect.Width();
    const bool right = GripAtRight(), bottom = SysPanelAtBottom();
    auto plot = [&](int i, int j, TColor c) {
        // i along the stripe, j its distance from the corner.
        const int x = right ? GripRect.right - 1 - i : GripRect.left + i;
        const int y = bottom ? GripRect.bottom - 1 - (j - i) : GripRect.top + (j - i);
        if (j - i < 0 || j - i >= size) return;
        SetPixel(dc, x, y, static_cast<COLORREF>(ColorToRGB(c)));
    };
    for (int stripe = 0; stripe < 3; ++stripe) {
        const int base = 3 + stripe * 4;
        for (int i = 0; i <= base + 2 && i < size; ++i) {
            plot(i, base, clBtnHighlight);
            plot(i, base + 1, clBtnShadow);
            plot(i, base + 2, clBtnShadow);
        }
    }
}

void TuiCustomEditPopupWindowViewInfo::DrawCloseButton(TCanvas* ACanvas) {
    if (IsRectEmpty(&CloseButtonRect)) return;
    if (NativeStyle) {
        if (HTHEME theme = OpenThemeForType(thWindow); theme != nullptr) {
            DrawThemeBackground(theme, ACanvas->GetHandle(), kThemeSmallCloseButton, CloseButtonState, &CloseButtonRect,
                                nullptr);
            return;
        }
    }
    TuiButtonPaintState state = bpsNormal;
    if (CloseButtonState == pcbsHot) state = bpsHot;
    else if (CloseButtonState == pcbsPressed) state = bpsPressed;
    TuiCanvas canvas(ACanvas);
    TuiLookAndFeelPainterClass painter = LookAndFeelPainter;
    if (painter == nullptr) {
        static const TuiCustomLookAndFeelPainter plain;
        painter = &plain;
    }
    painter->PaintFilterCloseButton(&canvas, CloseButtonRect, state);
}

void TuiCustomEditPopupWindowViewInfo::DrawSysPanel(TCanvas* ACanvas) {
    if (!HasSysPanel()) return;
    HDC dc = ACanvas->GetHandle();
    // The separator between the content and the panel.
    if (NativeStyle || PopupBorderStyle == epbsSingle) {
        const int y = SysPanelAtBottom() ? SysPanelRect.top - 1 : SysPanelRect.bottom;
        FillWithColor(ACanvas, TRect{SysPanelRect.left, y, SysPanelRect.right, y + 1}, clBtnShadow);
    }
    const int saved = SaveDC(dc);
    DrawGrip(ACanvas);
    ExcludeClipRect(dc, GripRect.left, GripRect.top, GripRect.right, GripRect.bottom);
    DrawCloseButton(ACanvas);
    ExcludeClipRect(dc, CloseButtonRect.left, CloseButtonRect.top, CloseButtonRect.right, CloseButtonRect.bottom);
    FillWithColor(ACanvas, SysPanelRect, clBtnFace);
    RestoreDC(dc, saved);
}

void TuiCustomEditPopupWindowViewInfo::Paint(TCanvas* ACanvas) {
    HDC dc = ACanvas->GetHandle();
    TRect frame = Bounds;
    if (Shadow) {
        frame.right -= 3;
        frame.bottom -= 3;
        FillWithColor(ACanvas, TRect{frame.left + 3, frame.bottom, frame.right + 3, Bounds.bottom}, clBtnShadow);
        FillWithColor(ACanvas, TRect{frame.right, frame.top + 3, Bounds.right, frame.bottom}, clBtnShadow);
        // The corners beside the shadow show the popup's face.
        FillWithColor(ACanvas, TRect{frame.left, frame.bottom, frame.left + 3, Bounds.bottom}, clBtnFace);
        FillWithColor(ACanvas, TRect{frame.right, frame.top, Bounds.right, frame.top + 3}, clBtnFace);
    }
    DrawBorder(ACanvas, frame);
    DrawSysPanel(ACanvas);
    // What lies between the frame and the content.
    const TRect c = GetClientExtent();
    const TRect inside{frame.left + c.left, frame.top + c.top, frame.right - c.right, frame.bottom - c.bottom};
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, ClientRect.left, ClientRect.top, ClientRect.right, ClientRect.bottom);
    ExcludeClipRect(dc, SysPanelRect.left, SysPanelRect.top, SysPanelRect.right, SysPanelRect.bottom);
    FillWithColor(ACanvas, inside, BackgroundColor);
    RestoreDC(dc, saved);
}

// ------------------------------------------------------------------------------------------------- window

TuiCustomEditPopupWindow::TuiCustomEditPopupWindow(TWinControl* AOwnerControl) : TuiCustomPopupWindow(AOwnerControl) {}

void TuiCustomEditPopupWindow::AfterConstruction() {
    TuiCustomPopupWindow::AfterConstruction();
    AutoFitChildren = false;
    SetBorderStyle(bsNone);
    SetLookAndFeelKind(lfStandard);
}

TuiCustomEditPopupWindow::~TuiCustomEditPopupWindow() { delete resizeOutline_; }

void TuiCustomEditPopupWindow::SetLookAndFeelKind(TuiLookAndFeelKind Value) {
    Style()->GetLookAndFeel()->SetKind(Value);
    PopupViewInfo()->LookAndFeelKind = Value;
    PopupViewInfo()->LookAndFeelPainter = Style()->GetLookAndFeel()->GetPainter();
}

void TuiCustomEditPopupWindow::CalculateViewInfoBounds() {
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    vi.Bounds = TRect{0, 0, GetWidth(), GetHeight()};
    vi.Calculate();
}

TPoint TuiCustomEditPopupWindow::ContentSize() {
    TPoint size{0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->GetVisible()) continue;
        size.x = std::max(size.x, c->GetWidth());
        size.y = std::max(size.y, c->GetHeight());
    }
    return size;
}

TPoint TuiCustomEditPopupWindow::GetMinSize() {
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    const TRect e = vi.GetExtent();
    TPoint size{e.left + e.right, e.top + e.bottom};
    if (vi.PopupSizeable && vi.HasSysPanel()) {
        const int grip = GetSystemMetrics(SM_CXVSCROLL);
        const int close =
            vi.ShowCloseButton
                ? (vi.LookAndFeelPainter != nullptr ? vi.LookAndFeelPainter->FilterCloseButtonExtent().x : 16)
                : 0;
        size.x += close + grip + 10;
    }
    return size;
}

void TuiCustomEditPopupWindow::CalculateSize() {
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    vi.Corner = 3;
    EditorBounds = GetOwnerScreenBounds();
    const TRect e = vi.GetExtent();
    const TPoint minSize = GetMinSize();
    const bool sizeable = vi.PopupSizeable;
    int width = 0, height = 0;
    if (PopupAutoSize) width = e.left + e.right + ContentSize().x;
    else width = PopupWidth != 0 ? PopupWidth : EditorBounds.Width();
    if (sizeable && PopupMinWidth > 0) width = std::max(width, PopupMinWidth);
    if (PopupAutoSize) height = e.top + e.bottom + ContentSize().y;
    else height = PopupHeight > 0 ? PopupHeight : std::max(PopupMinHeight, minSize.y);
    if (sizeable && PopupMinHeight > 0) height = std::max(height, PopupMinHeight);
    SetBounds(GetLeft(), GetTop(), std::max(width, minSize.x), std::max(height, minSize.y));
}

TPoint TuiCustomEditPopupWindow::CalculatePosition() {
    TPoint p = TuiCustomPopupWindow::CalculatePosition();
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    const TRect w = GetWorkAreaAtPoint(TPoint{EditorBounds.left, EditorBounds.top});
    const TRect e = EditorBounds;
    const int right = p.x + GetWidth(), bottom = p.y + GetHeight();
    const bool leftward =
        (HorzAlignment == peaEnd && right == e.right && right <= w.right) || right == e.left || right == w.right;
    const bool upward = (VertAlignment == peaStart && Direction == 0 && bottom == e.bottom && bottom <= w.bottom) ||
                        bottom == e.top || bottom == w.bottom;
    vi.Corner = (leftward ? 0 : 1) + (upward ? 0 : 2);
    if (upward && vi.Shadow) p.y += 3;
    return p;
}

TPoint TuiCustomEditPopupWindow::GetMaxContentSize() {
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    const TRect editor = GetOwnerScreenBounds();
    const TRect w = GetWorkAreaAtPoint(TPoint{editor.left, editor.top});
    TPoint size;
    if (Direction == 0) {
        size.x = std::max(editor.left - w.left, w.right - editor.right) + 1;
        size.y = w.Height();
    } else {
        size.x = w.Width();
        size.y = std::max(w.bottom - editor.bottom, editor.top - w.top) + (vi.Shadow ? 3 : 0);
    }
    const TRect e = vi.GetExtent();
    return TPoint{size.x - e.left - e.right, size.y - e.top - e.bottom};
}

bool TuiCustomEditPopupWindow::CanResize(int& AWidth, int& AHeight) {
    const TPoint minSize = GetMinSize();
    AWidth = std::max({AWidth, PopupMinWidth, minSize.x});
    AHeight = std::max({AHeight, PopupMinHeight, minSize.y});
    if (!OnContentResizing) return true;
    const TRect e = PopupViewInfo()->GetExtent();
    int cw = AWidth - e.left - e.right, ch = AHeight - e.top - e.bottom;
    if (!OnContentResizing(cw, ch)) return false;
    AWidth = cw + e.left + e.right;
    AHeight = ch + e.top + e.bottom;
    return true;
}

void TuiCustomEditPopupWindow::PopupHook() {
    closeReason_ = crUnknown;
    SetCloseButtonState(pcbsNormal);
    if (DropShadow && IsDesktopCompositionOn()) {
        HandleNeeded();
        SetClassLongPtr(GetHandle(), GCL_STYLE, GetClassLongPtr(GetHandle(), GCL_STYLE) | CS_DROPSHADOW);
    }
}

void TuiCustomEditPopupWindow::CloseUp(TuiCloseUpReason AReason) {
    closeReason_ = AReason;
    ClosePopup();
}

void TuiCustomEditPopupWindow::CloseOnModalResult() {
    if (ModalResult == mrOk) CloseUp(crEnter);
    else if (ModalResult == mrCancel) CloseUp(crCancel);
    else CloseUp(crUnknown);
}

void TuiCustomEditPopupWindow::DoClosing() {
    if (OnClosing) OnClosing(this, closeReason_);
}

void TuiCustomEditPopupWindow::DoClosed() {
    EndSizing();
    if (OnClosed) OnClosed(this, closeReason_);
}

void TuiCustomEditPopupWindow::AlignControls(TControl* AControl, TRect& Rect) {
    CalculateViewInfoBounds();
    Rect = PopupViewInfo()->ClientRect;
    TuiCustomPopupWindow::AlignControls(AControl, Rect);
}

void TuiCustomEditPopupWindow::Paint() {
    CalculateViewInfoBounds();
    PopupViewInfo()->BackgroundColor = GetColor();
    PopupViewInfo()->Paint(Canvas());
}

void TuiCustomEditPopupWindow::SetCloseButtonState(TuiPopupCloseButtonState AState) {
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    if (vi.CloseButtonState == AState) return;
    vi.CloseButtonState = AState;
    if (HandleAllocated()) {
        RECT r = vi.CloseButtonRect;
        InvalidateRect(GetHandle(), &r, FALSE);
    }
}

void TuiCustomEditPopupWindow::SetSizingCursor(TuiSizingDirection ADirection) {
    const TCursor cursor = SizingCursor(ADirection);
    if (cursor != crDefault) {
        SetCursor(cursor);
        cursorChanged_ = true;
    } else if (cursorChanged_) {
        // The default cursor comes back once, when the mouse leaves the sizing zones.
        SetCursor(crDefault);
        cursorChanged_ = false;
    }
}

void TuiCustomEditPopupWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TuiCustomPopupWindow::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    CalculateViewInfoBounds();
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    const TPoint p{X, Y};
    if (PtInRect(&vi.CloseButtonRect, p)) {
        if (vi.CloseButtonState != pcbsPressed) SetCloseButtonState(pcbsPressed);
        return;
    }
    const TuiSizingDirection d = vi.HitTestSizing(X, Y);
    if (!d.IsSizing()) return;
    // The mouse stays with the popup until the sizing ends.
    if (GetCapture() != GetHandle()) SetCapture(GetHandle());
    sizing_ = d;
    sizingRect_ = BoundsRect();
    const TPoint s = ClientToScreen(p);
    // How far the mouse is from each moving edge.
    grabOffset_ = TPoint{d.DX > 0 ? sizingRect_.right - s.x : (d.DX < 0 ? s.x - sizingRect_.left : 0),
                         d.DY > 0 ? sizingRect_.bottom - s.y : (d.DY < 0 ? s.y - sizingRect_.top : 0)};
    SetSizingCursor(d);
    if (!LiveResize) {
        delete resizeOutline_;
        resizeOutline_ = Construct<TuiSizeFrame>(std::max(2, vi.FrameWidth()));
        resizeOutline_->DrawSizeFrame(sizingRect_);
    }
}

void TuiCustomEditPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
    TuiCustomPopupWindow::MouseMove(Shift, X, Y);
    if (IsSizing()) {
        SizeTo(ClientToScreen(TPoint{X, Y}));
        return;
    }
    CalculateViewInfoBounds();
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    const bool overClose = PtInRect(&vi.CloseButtonRect, TPoint{X, Y}) != 0;
    if (!overClose && vi.CloseButtonState == pcbsHot) SetCloseButtonState(pcbsNormal);
    else if (!overClose && vi.CloseButtonState == pcbsPressed) SetCloseButtonState(pcbsNormal);
    else if (overClose && vi.CloseButtonState == pcbsNormal && !Shift.Contains(ssLeft)) SetCloseButtonState(pcbsHot);
    SetSizingCursor(vi.HitTestSizing(X, Y));
}

void TuiCustomEditPopupWindow::SizeTo(TPoint AScreen) {
    TRect r = sizingRect_;
    if (sizing_.DX > 0) r.right = AScreen.x + grabOffset_.x;
    if (sizing_.DX < 0) r.left = AScreen.x - grabOffset_.x;
    if (sizing_.DY > 0) r.bottom = AScreen.y + grabOffset_.y;
    if (sizing_.DY < 0) r.top = AScreen.y - grabOffset_.y;
    int width = r.Width(), height = r.Height();
    if (!CanResize(width, height)) return;
    // The corner at the editor keeps its place.
    if (sizing_.DX < 0) r.left = r.right - width;
    else r.right = r.left + width;
    if (sizing_.DY < 0) r.top = r.bottom - height;
    else r.bottom = r.top + height;
    // Inside the work area, and never without a pixel beside the editor.
    const TRect w = GetWorkAreaAtPoint(TPoint{EditorBounds.left, EditorBounds.top});
    r.left = std::max(r.left, w.left);
    r.top = std::max(r.top, w.top);
    r.right = std::min(r.right, w.right);
    r.bottom = std::min(r.bottom, w.bottom);
    if (sizing_.DX > 0) r.right = std::max(r.right, EditorBounds.left + 1);
    if (sizing_.DX < 0) r.left = std::min(r.left, EditorBounds.right - 1);
    if (r == sizingRect_) return;
    sizingRect_ = r;
    if (OnResizedByUser) OnResizedByUser(this);
    if (LiveResize) {
        SetBoundsRect(r);
        Realign();
        Invalidate();
        Update();
    } else if (resizeOutline_ != nullptr) {
        resizeOutline_->DrawSizeFrame(r);
    }
}

void TuiCustomEditPopupWindow::EndSizing() {
    if (!IsSizing()) return;
    sizing_ = {};
    if (GetCapture() == GetHandle()) ReleaseCapture();
    if (resizeOutline_ != nullptr) {
        delete resizeOutline_;
        resizeOutline_ = nullptr;
        SetBoundsRect(sizingRect_);
        Realign();
        Invalidate();
    }
    SetSizingCursor({});
    SetCursor(crDefault);
    cursorChanged_ = false;
}

void TuiCustomEditPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TuiCustomPopupWindow::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (IsSizing()) {
        EndSizing();
        return;
    }
    TuiCustomEditPopupWindowViewInfo& vi = *PopupViewInfo();
    if (vi.CloseButtonState != pcbsPressed) return;
    SetCloseButtonState(pcbsNormal);
    if (!PtInRect(&vi.CloseButtonRect, TPoint{X, Y})) return;
    if (CloseQuery()) CloseUp(crUnknown);
    if (GetVisible()) SetCloseButtonState(pcbsHot);
}

void TuiCustomEditPopupWindow::ForwardChar(TMessage& Message) {
    if (!IsShown() || !HandleAllocated()) return;
    // Only to a window inside the popup: a popup that holds the focus itself would send the character to
    // itself without end.
    const HWND focus = GetFocus();
    if (focus == nullptr || focus == GetHandle() || !IsChild(GetHandle(), focus)) return;
    Message.Result = SendMessage(focus, WM_CHAR, Message.WParam, Message.LParam);
}

void TuiCustomEditPopupWindow::CreateParams(TCreateParams& Params) {
    TuiCustomPopupWindow::CreateParams(Params);
    if (!GetCaptureFocus()) Params.ExStyle |= WS_EX_NOACTIVATE;
}

void TuiCustomEditPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
    TuiCustomPopupWindow::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == ShowFocusControl) ShowFocusControl = nullptr;
}

bool TuiCustomEditPopupWindow::OwnerHandlesClick(HWND /*Window*/, UINT /*Msg*/, TPoint P, TShiftState /*Shift*/) {
    auto* editor = dynamic_cast<TuiCustomDropDownEdit*>(Editor());
    if (editor == nullptr || !editor->HandleAllocated()) return false;
    return editor->IsOpeningArea(editor->ScreenToClient(P));
}

void TuiCustomEditPopupWindow::Dispatch(TMessage& Message) {
    if (Message.Msg == kPopupShowRequest) {
        // The drop-down editor's posted request: shown with the control it chose for the focus.
        ShowPopup(ShowFocusControl);
        return;
    }
    if (Message.Msg == WM_CHAR) {
        ForwardChar(Message);
        return;
    }
    if (Message.Msg == WM_CAPTURECHANGED && IsSizing() && reinterpret_cast<HWND>(Message.LParam) != GetHandle()) {
        EndSizing();
    }
    TuiCustomPopupWindow::Dispatch(Message);
}

}  // namespace zel
