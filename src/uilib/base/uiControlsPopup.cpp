#include "uilib/base/uiControlsPopup.h"

#include <algorithm>

#include "platform/win/Gdi.h"
#include "uilib/base/uiControls.h"

namespace zel {

// ---- popup window --------------------------------------------------------------------------------------------

TuiPopupWindow::TuiPopupWindow() : TForm(nullptr) {
    SetBorderStyle(bsNone);
    DefaultMonitor = dmDesktop;
    SetFormStyle(fsStayOnTop);
    drawCanvas_ = new TuiCanvas(Canvas());
}

TuiPopupWindow::~TuiPopupWindow() { delete drawCanvas_; }

void TuiPopupWindow::SetAnchorParent(TControl* Value) {
    if (anchorParent_ == Value) return;
    if (anchorParent_ != nullptr) anchorParent_->RemoveFreeNotification(this);
    anchorParent_ = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TuiPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == anchorParent_) anchorParent_ = nullptr;
}

TPoint TuiPopupWindow::CalculatePosition() {
    const TRect o = GetOwnerScreenBounds();
    TuiPopupEdgeAlign horz = HorzAlignment, vert = VertAlignment;
    const int width = GetWidth(), height = GetHeight();
    TPoint p, anchor;
    if (horz == peaCenter) p.x = anchor.x = (o.left + o.right - width) / 2;
    if (vert == peaCenter) p.y = anchor.y = (o.top + o.bottom - height) / 2;
    // The side rules: beside the owner on the direction's axis, edges aligned on the other.
    auto place = [&] {
        if (Direction == 0) {
            if (horz == peaStart) p.x = o.left - width, anchor.x = o.left;
            else if (horz == peaEnd) p.x = anchor.x = o.right;
            if (vert == peaStart) p.y = anchor.y = o.top;
            else if (vert == peaEnd) p.y = o.bottom - height, anchor.y = o.bottom;
        } else {
            if (horz == peaStart) p.x = anchor.x = o.left;
            else if (horz == peaEnd) p.x = o.right - width, anchor.x = o.right;
            if (vert == peaStart) p.y = o.top - height, anchor.y = o.top;
            else if (vert == peaEnd) p.y = anchor.y = o.bottom;
        }
    };
    place();
    const TRect w = GetWorkAreaAtPoint(anchor);
    // Flip to the other side of the owner when it does not fit and there is more room there.
    if (Direction == 1) {
        const bool moreRoomAbove = o.top - w.top > w.bottom - o.bottom;
        if (vert == peaEnd && p.y + height > w.bottom && moreRoomAbove) vert = peaStart;
        else if (vert == peaStart && p.y < w.top && !moreRoomAbove) vert = peaEnd;
    } else {
        const bool moreRoomLeft = o.left - w.left > w.right - o.right;
        if (horz == peaEnd && p.x + width > w.right && moreRoomLeft) horz = peaStart;
        else if (horz == peaStart && p.x < w.left && !moreRoomLeft) horz = peaEnd;
    }
    place();
    // Kept inside the work area across the direction and on a centred axis.
    if (Direction == 1 || HorzAlignment == peaCenter) {
        if (p.x + width > w.right) p.x = w.right - width;
        if (p.x < w.left) p.x = w.left;
    }
    if (Direction == 0 || VertAlignment == peaCenter) {
        if (p.y + height > w.bottom) p.y = w.bottom - height;
        if (p.y < w.top) p.y = w.top;
    }
    return p;
}

void TuiPopupWindow::AdjustSize() {
    if (!AutoFitChildren) return;
    const TPoint shift{GetBorderWidth(0), GetBorderWidth(1)};
    int right = 0, bottom = 0;
    std::map<TControl*, TPoint> shifts;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        // The child's place without the border this window added before.
        const auto it = childShifts_.find(child);
        const TPoint before = it != childShifts_.end() ? it->second : TPoint{0, 0};
        const int left = child->GetLeft() - before.x, top = child->GetTop() - before.y;
        right = std::max(right, left + child->GetWidth());
        bottom = std::max(bottom, top + child->GetHeight());
        child->SetBounds(left + shift.x, top + shift.y, child->GetWidth(), child->GetHeight());
        shifts[child] = shift;
    }
    childShifts_ = std::move(shifts);
    if (ControlCount() > 0 || right != 0 || bottom != 0) {
        SetWidth(GetBorderWidth(0) + right + GetBorderWidth(2));
        SetHeight(GetBorderWidth(1) + bottom + GetBorderWidth(3));
    }
}

TRect TuiPopupWindow::GetClientBounds() {
    TRect r = GetClientRect();
    r.left += GetBorderWidth(0);
    r.top += GetBorderWidth(1);
    r.right -= GetBorderWidth(2);
    r.bottom -= GetBorderWidth(3);
    return r;
}

int TuiPopupWindow::GetFrameWidth(int /*Side*/) {
    switch (FrameStyle) {
        case pbkSingle:
        case pbkFlat: return 1;
        case pbkFrame3D: return 2;
        default: return 0;
    }
}

TRect TuiPopupWindow::GetOwnerScreenBounds() {
    if (anchorParent_ == nullptr) return AnchorBounds;
    const TPoint topLeft = anchorParent_->ClientToScreen(TPoint{AnchorBounds.left, AnchorBounds.top});
    return TRect{topLeft.x, topLeft.y, topLeft.x + AnchorBounds.Width(), topLeft.y + AnchorBounds.Height()};
}

void TuiPopupWindow::InitPopup() {
    if (anchorParent_ != nullptr) Font()->Assign(anchorParent_->Font());
}

void TuiPopupWindow::DrawFrame() {
    const TRect r{0, 0, GetWidth(), GetHeight()};
    switch (FrameStyle) {
        case pbkSingle: drawCanvas_->FrameRect(r, FrameColor); break;
        case pbkFlat: drawCanvas_->DrawEdge(r, false, false); break;
        case pbkFrame3D:
            drawCanvas_->DrawEdge(r, false, true);
            drawCanvas_->DrawEdge(TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, false, false);
            break;
        default: break;
    }
}

void TuiPopupWindow::Popup() {
    InitPopup();
    AdjustSize();
    const TPoint p = CalculatePosition();
    SetBounds(p.x, p.y, GetWidth(), GetHeight());
    Show();
}

void TuiPopupWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ACTIVATE:
            TForm::Dispatch(Message);
            if (LOWORD(Message.WParam) != WA_INACTIVE) {
                // The window that lost the activation keeps its caption active.
                PreviousActiveWindow = reinterpret_cast<HWND>(Message.LParam);
                if (PreviousActiveWindow != nullptr) SendMessage(PreviousActiveWindow, WM_NCACTIVATE, 1, 0);
            }
            return;
        case WM_ACTIVATEAPP:
            TForm::Dispatch(Message);
            if (Message.WParam == 0) {
                if (PreviousActiveWindow != nullptr) SendMessage(PreviousActiveWindow, WM_NCACTIVATE, 0, 0);
                ClosePopup();
            }
            return;
        case CM_VISIBLECHANGED:
            TForm::Dispatch(Message);
            VisibilityChanged();
            return;
        default: TForm::Dispatch(Message);
    }
}

void TuiPopupWindow::Deactivate() {
    TForm::Deactivate();
    ClosePopup();
}

void TuiPopupWindow::Paint() {
    TForm::Paint();
    DrawFrame();
}

// ---- drag image ----------------------------------------------------------------------------------------------

TuiCustomDragImage::TuiCustomDragImage() {
    SetBounds(0, 0, 0, 0);
    SetAlphaBlend(true);
    SetAlphaBlendValue(180);
    SetPopupMode(pmExplicit);
}

TuiCustomDragImage::~TuiCustomDragImage() { SetPopupMode(pmNone); }

void TuiCustomDragImage::Show() {
    if (!GetVisible()) {
        HandleNeeded();
        ShowWindow(GetHandle(), SW_SHOWNA);
        InitVisible(true);
        Perform(CM_VISIBLECHANGED, 1);
    }
    Update();
}

void TuiCustomDragImage::CreateParams(TCreateParams& Params) {
    TuiPopupWindow::CreateParams(Params);
    if (TCustomForm* parent = GetPopupParent(); parent != nullptr && parent != this)
        Params.WndParent = parent->GetHandle();
    else if (TCustomForm* active = Screen->ActiveForm(); active != nullptr && active != this)
        Params.WndParent = active->GetHandle();
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TuiCustomDragImage::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: Message.Result = 1; return;
        case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
        default: TuiPopupWindow::Dispatch(Message);
    }
}

// ---- size frame ----------------------------------------------------------------------------------------------

TuiSizeFrame::TuiSizeFrame(int AFrameWidth) : frameWidth_(AFrameWidth) {
    SetAlphaBlend(false);
    frameRegion_ = CreateRectRgn(0, 0, 0, 0);
    Canvas()->Brush()->SetBitmap(AllocPatternBitmap(clBlack, clWhite));
}

TuiSizeFrame::~TuiSizeFrame() {
    Canvas()->Brush()->SetBitmap(nullptr);
    DeleteObject(frameRegion_);
}

void TuiSizeFrame::Paint() {
    const TRect r = GetClientRect();
    ::zel::FillRect(Canvas()->GetHandle(), &r, Canvas()->Brush()->GetHandle());
}

void TuiSizeFrame::DrawSizeFrame(const TRect& R) {
    SetRectRgn(frameRegion_, 0, 0, R.Width(), R.Height());
    SetBoundsRect(R);
}

void TuiSizeFrame::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TuiCustomDragImage::SetBounds(ALeft, ATop, AWidth, AHeight);
    const int w = frameWidth_;
    if (!HandleAllocated() || 2 * w >= GetWidth() || 2 * w >= GetHeight()) return;
    if (!FillInside) {
        // The region shrunk by w on every side: intersected with itself moved each way in turn.
        HRGN inside = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(inside, frameRegion_, nullptr, RGN_COPY);
        HRGN moved = CreateRectRgn(0, 0, 0, 0);
        for (const TPoint d : {TPoint{w, 0}, TPoint{0, w}, TPoint{-w, 0}, TPoint{0, -w}}) {
            CombineRgn(moved, inside, nullptr, RGN_COPY);
            OffsetRgn(moved, d.x, d.y);
            CombineRgn(inside, inside, moved, RGN_AND);
        }
        CombineRgn(frameRegion_, frameRegion_, inside, RGN_DIFF);
        DeleteObject(moved);
        DeleteObject(inside);
    }
    // The window gets the region only when it differs from the one it has.
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, frameRegion_, nullptr, RGN_COPY);
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    const bool same = GetWindowRgn(GetHandle(), current) != ERROR && EqualRgn(current, copy);
    DeleteObject(current);
    if (same) DeleteObject(copy);
    else SetWindowRgn(GetHandle(), copy, TRUE);
}

}  // namespace zel
