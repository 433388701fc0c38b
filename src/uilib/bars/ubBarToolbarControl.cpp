#include "uilib/bars/ubBarToolbarControl.h"

#include <algorithm>

#include "platform/win/Gdi.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

bool NonEmpty(TBitmap* B) { return B != nullptr && !B->Empty(); }

// A rectangle given along and across a bar's lines, in the window's own x and y.
TRect Oriented(const TRect& R, bool Vertical) { return Vertical ? TRect{R.top, R.left, R.bottom, R.right} : R; }

}  // namespace

TubBarControl::TubBarControl(TubBarManager* AManager, TubBar* ABar) : TCustomubBarControl(AManager), bar_(ABar) {
    SetText(ABar->GetCaption());
    SetItemLinks(ABar->GetItemLinks());
}

TubBarControl::~TubBarControl() {
    if (dockControl_ != nullptr) dockControl_->RemoveBar(this, nullptr, true);
}

void TubBarControl::CreateParams(TCreateParams& Params) {
    TCustomubBarControl::CreateParams(Params);
    Params.WindowClass.style |= CS_VREDRAW | CS_HREDRAW;
    if (IsFloating()) FloatingCreateParams(Params);
    else Params.Style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

void TubBarControl::CreateWnd() {
    TCustomubBarControl::CreateWnd();
    // The item controls exist from now on: the dock places the window by their sizes.
    if (dockControl_ != nullptr) dockControl_->UpdateLayout();
    else LayoutLinks();
}

void TubBarControl::CalcMetrics() {
    // The window paints and measures in the bar's font.
    Font()->Assign(bar_->GetFont());
    TCustomubBarControl::CalcMetrics();
}

void TubBarControl::SetDockControl(TubDockControl* ADock) {
    if (dockControl_ == ADock) return;
    if (dockControl_ != nullptr) dockControl_->RemoveBar(this, nullptr, false);
    dockControl_ = ADock;
    if (ADock == nullptr) return;
    if (DockingStyle() != ADock->DockingStyle()) SetDockingStyle(ADock->DockingStyle());
    SetParent(ADock);
}

// ---- sizes -------------------------------------------------------------------------------------------------------

bool TubBarControl::MultiLine() const { return bar_->GetMultiLine() || IsFloating(); }

bool TubBarControl::MarkAlwaysShown() const {
    return bar_->GetShowMark() && bar_->GetAllowQuickCustomizing() &&
           BarPainterOf(BarManager())->AllowsQuickCustomizing();
}

bool TubBarControl::HasMark() const {
    return bar_->GetShowMark() && (MarkAlwaysShown() || linksAfterAligned_ || linksHidden_ || truncated_);
}

TubBarItemPaintState TubBarControl::PaintState() const {
    TubBarItemPaintState s = BarPaintState();
    s.DockingStyle = DockingStyle();
    s.HasBorder = bar_->GetBorderStyle() != bbsNone;
    s.BorderStyle = bar_->GetBorderStyle();
    s.LineHeight = LineHeight();
    return s;
}

TRect TubBarControl::FrameSizes() const {
    if (IsFloating() || bar_->GetBorderStyle() == bbsNone) return TRect{0, 0, 0, 0};
    TubBarPainterClass painter = BarPainterOf(BarManager());
    const RECT m = painter->GetBarMargins(PaintState());
    TRect f{m.left, m.top, m.right, m.bottom};
    // The grip stands before the links: at the left of a horizontal bar, at the top of a vertical one.
    const int grip = painter->GetGripSize() + 4;
    if (Vertical()) f.top += grip;
    else f.left += grip;
    return f;
}

TRect TubBarControl::GripRect() const {
    if (IsFloating() || bar_->GetBorderStyle() == bbsNone) return TRect{};
    const TRect f = FrameSizes();
    const int w = GetWidth(), h = GetHeight();
    return Vertical() ? TRect{0, 0, w, f.top} : TRect{0, 0, f.left, h};
}

TRect TubBarControl::MarkRect() const {
    if (!HasMark()) return TRect{};
    const TRect f = FrameSizes();
    const int w = GetWidth() - f.left - f.right, h = GetHeight() - f.top - f.bottom;
    return Vertical() ? TRect{0, h - ubBarMarkSize, w, h} : TRect{w - ubBarMarkSize, 0, w, h};
}

std::vector<TubToolbarLink> TubBarControl::MeasureLinks() {
    std::vector<TubToolbarLink> links;
    if (GetItemLinks() == nullptr) return links;
    const bool vertical = Vertical();
    for (TubBarItemLink* link : GetItemLinks()->VisibleItems()) {
        if (link->Control == nullptr) continue;
        TubToolbarLink l;
        const int w = link->Control->LayoutWidth(), h = link->Control->LayoutHeight();
        l.Along = vertical ? h : w;
        l.Across = vertical ? w : h;
        l.MinAlong = vertical ? link->Control->GetMinHeight() : link->Control->GetMinWidth();
        l.BeginGroup = link->GetBeginGroup();
        l.Align = link->GetItem() != nullptr ? link->GetItem()->GetAlign() : iaLeft;
        links.push_back(l);
    }
    return links;
}

int TubBarControl::MinContentLength(TubBarDockingStyle /*Style*/) {
    const int least = ToolbarMinLength(MeasureLinks(), MultiLine(), CaptionBand()) - ubBarMarkSize;
    return least + (MarkAlwaysShown() ? ubBarMarkSize : 0);
}

int TubBarControl::FullContentLength(TubBarDockingStyle /*Style*/) {
    return ToolbarFullLength(MeasureLinks(), GetSeparatorSize()) + CaptionBand() +
           (MarkAlwaysShown() ? ubBarMarkSize : 0);
}

int TubBarControl::BorderAlongRow(TubBarDockingStyle /*Style*/) {
    const TRect f = FrameSizes();
    return Vertical() ? f.top + f.bottom : f.left + f.right;
}

int TubBarControl::ThicknessFor(TubBarDockingStyle /*Style*/, int ContentLength) {
    const TRect f = FrameSizes();
    const int border = Vertical() ? f.left + f.right : f.top + f.bottom;
    std::vector<TubToolbarLink> links = MeasureLinks();
    int across = 0;
    if (MultiLine()) {
        const int line = ContentLength - (MarkAlwaysShown() ? ubBarMarkSize : 0);
        across = SizeMultiLine(links, line, GetSeparatorSize(), CaptionBand(), 0).cy;
    } else {
        for (const TubToolbarLink& l : links) across = std::max(across, l.Across);
    }
    if (across == 0) across = LineHeight();
    return across + border;
}

TPoint TubBarControl::GrabPoint(TubBarDockingStyle /*Style*/) {
    // The middle of the grip (or of the window's start) stays under the pointer while the bar moves.
    const TRect g = GripRect();
    if (!IsRectEmpty(&g)) return TPoint{(g.left + g.right) / 2, (g.top + g.bottom) / 2};
    return TPoint{0, 0};
}

void TubBarControl::CalcContent(TubBarDockingStyle /*Style*/, int ContentLength) {
    contentLength_ = ContentLength;
    LayoutLinks();
}

// ---- layout ------------------------------------------------------------------------------------------------------

void TubBarControl::LayoutLinks() {
    if (GetItemLinks() == nullptr) return;
    const TRect client = GetClientRect();
    const bool vertical = Vertical();
    std::vector<TubToolbarLink> links = MeasureLinks();
    PlaceLinks(links, vertical ? client.Height() : client.Width(), vertical ? client.Width() : client.Height());
}

void TubBarControl::PlaceLinks(std::vector<TubToolbarLink>& Links, int ClientLength, int ClientThickness) {
    const bool vertical = Vertical();
    const int sep = GetSeparatorSize();
    TubToolbarLayoutParams p;
    p.MultiLine = MultiLine();
    p.SeparatorSize = sep;
    TubToolbarLayoutResult result;
    auto layOut = [&](bool markRoom) {
        const int mark = markRoom ? ubBarMarkSize : 0;
        if (p.MultiLine) {
            p.MainLength = ClientLength - (IsFloating() ? 0 : mark);
            SizeMultiLine(Links, p.MainLength, sep, CaptionBand(), 0);
            p.CrossSize = 0;
        } else {
            p.MainLength = ClientLength - mark - CaptionBand();
            p.CrossSize = ClientThickness;
        }
        result = LayoutToolbarLinks(Links, p);
    };
    const bool markRoom = bar_->GetShowMark() && (MarkAlwaysShown() || truncated_);
    layOut(markRoom);
    // Links left out, or following an aligned item, bring the mark: its room is taken from the line.
    if (!markRoom && bar_->GetShowMark() && (result.LinksHidden || result.LinksAfterAligned)) layOut(true);
    linksHidden_ = result.LinksHidden;
    linksAfterAligned_ = result.LinksAfterAligned;

    // The links' rectangles, and the separators in the gaps before group starts: beside a link within its
    // line (as thick as the line), or across the bar between two lines.
    separators_.clear();
    std::size_t i = 0, lineFirst = 0;
    int previousEnd = 0, lineBottom = 0;
    std::vector<std::pair<std::size_t, TRect>> within;  // link index, gap along the line
    auto closeLine = [&](std::size_t End) {
        int top = INT32_MAX, bottom = 0;
        for (std::size_t k = lineFirst; k < End; ++k)
            if (Links[k].Placed) {
                top = std::min(top, static_cast<int>(Links[k].Rect.top));
                bottom = std::max(bottom, static_cast<int>(Links[k].Rect.bottom));
            }
        for (auto& [k, gap] : within)
            separators_.push_back({Oriented(TRect{gap.left, top, gap.right, bottom}, vertical), false});
        within.clear();
        lineBottom = bottom;
    };
    for (TubBarItemLink* link : GetItemLinks()->VisibleItems()) {
        if (link->Control == nullptr) continue;
        TubToolbarLink& l = Links[i];
        if (!l.Placed) {
            link->ItemRect = TRect{};
            ++i;
            continue;
        }
        if (l.SeparatorAcross || (i > lineFirst && Links[i - 1].LineEnd)) {
            closeLine(i);
            lineFirst = i;
            previousEnd = 0;
            if (l.SeparatorAcross)
                separators_.push_back({Oriented(TRect{0, lineBottom, p.MainLength, lineBottom + sep}, vertical), true});
        }
        if (l.SeparatorBefore) within.push_back({i, TRect{previousEnd, 0, previousEnd + sep, 0}});
        previousEnd = l.Rect.right;
        link->ItemRect = Oriented(l.Rect, vertical);
        ++i;
    }
    closeLine(i);
}

void TubBarControl::Rebuild() {
    if (IsDestroying() || !HandleAllocated() || GetItemLinks() == nullptr) return;
    DestroyControls();
    CreateControls();
    ClearBackgroundCache();
    if (dockControl_ != nullptr) dockControl_->UpdateLayout();
    LayoutLinks();
    Invalidate();
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- painting ----------------------------------------------------------------------------------------------------

bool TubBarControl::FillBackgroundCache() {
    // The whole window's background is drawn once into the cache (a gradient runs across the whole bar),
    // and each part is copied from there.
    const int w = GetWidth(), h = GetHeight();
    if (w <= 0 || h <= 0) return false;
    if (backgroundCache_->GetWidth() != w || backgroundCache_->GetHeight() != h) {
        backgroundCache_->SetSize(w, h);
        HDC cache = backgroundCache_->Canvas()->GetHandle();
        const TRect whole{0, 0, w, h};
        TubBarManager* m = BarManager();
        TBitmap* picture = NonEmpty(bar_->GetBackgroundBitmap()) ? bar_->GetBackgroundBitmap() : nullptr;
        if (picture == nullptr && m != nullptr && NonEmpty(m->GetBackgrounds()->GetBar()))
            picture = m->GetBackgrounds()->GetBar();
        if (picture != nullptr) FillBackground(cache, whole, whole, picture, clBtnFace);
        else if (bar_->GetColor() != clDefault) FillBackground(cache, whole, whole, nullptr, bar_->GetColor());
        else BarPainterOf(m)->DrawBarBackground(cache, whole, PaintState());
    }
    return true;
}

void TubBarControl::PaintBackground(HDC DC, const TRect& R) {
    if (!FillBackgroundCache()) return;
    // R is in client coordinates; the cache in window coordinates.
    const TRect f = FrameSizes();
    BitBlt(DC, R.left, R.top, R.Width(), R.Height(), backgroundCache_->Canvas()->GetHandle(), R.left + f.left,
           R.top + f.top, SRCCOPY);
}

void TubBarControl::PaintSeparators(HDC DC, HRGN Rest) {
    TubBarPainterClass painter = BarPainterOf(BarManager());
    const TubBarItemPaintState state = PaintState();
    for (const auto& [r, across] : separators_) {
        PaintBackground(DC, r);
        TubBarItemPaintState s = state;
        // A separator between two lines runs along them: it is drawn as on a bar of the other direction.
        if (across) s.VerticalBar = !s.VerticalBar;
        painter->DrawSeparator(DC, r, s);
        HRGN cut = CreateRectRgnIndirect(&r);
        CombineRgn(Rest, Rest, cut, RGN_DIFF);
        DeleteObject(cut);
    }
}

void TubBarControl::PaintMark(HDC DC, HRGN Rest) {
    const TRect r = MarkRect();
    if (IsRectEmpty(&r)) return;
    TubBarPainterClass painter = BarPainterOf(BarManager());
    TubBarItemPaintState s = PaintState();
    s.Hot = MarkState() != msNone;
    PaintBackground(DC, r);
    painter->DrawMarkBackground(DC, r, MarkState() == msSelected, MarkState() == msPressed, s);
    painter->DrawMark(DC, r, linksHidden_ || linksAfterAligned_, s);
    HRGN cut = CreateRectRgnIndirect(&r);
    CombineRgn(Rest, Rest, cut, RGN_DIFF);
    DeleteObject(cut);
}

void TubBarControl::Paint() {
    const HDC dc = Canvas()->GetHandle();
    const TRect client = GetClientRect();
    HRGN rest = CreateRectRgnIndirect(&client);
    // Items, separators, caption buttons, the mark, and last the background left over.
    if (GetItemLinks() != nullptr)
        for (TubBarItemLink* link : GetItemLinks()->VisibleItems()) {
            if (link->Control == nullptr || IsRectEmpty(&link->ItemRect)) continue;
            DrawItemControl(link->Control, GetItemRectForDrawing(link->Control));
            HRGN cut = CreateRectRgnIndirect(&link->ItemRect);
            CombineRgn(rest, rest, cut, RGN_DIFF);
            DeleteObject(cut);
        }
    PaintSeparators(dc, rest);
    PaintMark(dc, rest);
    SelectClipRgn(dc, rest);
    PaintBackground(dc, client);
    SelectClipRgn(dc, nullptr);
    DeleteObject(rest);
}

void TubBarControl::PaintFrame() {
    if (!HandleAllocated()) return;
    HDC dc = GetWindowDC(GetHandle());
    if (IsFloating()) {
        PaintFloatingFrame(dc);
        ReleaseDC(GetHandle(), dc);
        return;
    }
    const TRect whole{0, 0, GetWidth(), GetHeight()};
    const TRect f = FrameSizes();
    const TRect inner{f.left, f.top, whole.right - f.right, whole.bottom - f.bottom};
    // The frame is the window minus its client area.
    HRGN frame = CreateRectRgnIndirect(&whole);
    HRGN client = CreateRectRgnIndirect(&inner);
    CombineRgn(frame, frame, client, RGN_DIFF);
    SelectClipRgn(dc, frame);
    if (FillBackgroundCache())
        BitBlt(dc, 0, 0, whole.right, whole.bottom, backgroundCache_->Canvas()->GetHandle(), 0, 0, SRCCOPY);
    if (bar_->GetBorderStyle() != bbsNone) {
        TubBarPainterClass painter = BarPainterOf(BarManager());
        // The painter draws the border and the grip within it.
        painter->DrawBarBorder(dc, whole, nullptr, PaintState());
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(client);
    DeleteObject(frame);
    ReleaseDC(GetHandle(), dc);
}

// ---- messages ----------------------------------------------------------------------------------------------------

LRESULT TubBarControl::HitTest(TPoint Screen) {
    if (IsFloating()) return FloatingHitTest(Screen);
    const TPoint p = ScreenToClient(Screen);
    if (ItemAtPos(p) != nullptr) return HTCLIENT;
    const TRect mark = MarkRect();
    if (PtInRect(&mark, p)) return HTCLIENT;
    return HTCAPTION;
}

void TubBarControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCCALCSIZE: {
            auto* r = reinterpret_cast<RECT*>(Message.LParam);
            if (IsFloating()) {
                FloatingNcCalcSize(*r);
            } else {
                const TRect f = FrameSizes();
                r->left += f.left;
                r->top += f.top;
                r->right -= f.right;
                r->bottom -= f.bottom;
            }
            Message.Result = 0;
            return;
        }
        case WM_NCPAINT:
            PaintFrame();
            Message.Result = 0;
            return;
        case WM_NCHITTEST: {
            const TPoint screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
            hitArea_ = HitTest(screen);
            // A docked bar takes the presses on its grip and frame itself: they move the bar.
            const TPoint p = ScreenToClient(screen);
            const TRect client = GetClientRect();
            if (!PtInRect(&client, p)) CancelMouseLeave(GetHandle());
            Message.Result = IsFloating() ? hitArea_ : HTCLIENT;
            return;
        }
        case WM_SIZE:
            TCustomubBarControl::Dispatch(Message);
            ClearBackgroundCache();
            LayoutLinks();
            Invalidate();
            return;
        default: break;
    }
    TCustomubBarControl::Dispatch(Message);
}

// ---- the floating side -------------------------------------------------------------------------------------------

void TubBarControl::FloatingCreateParams(TCreateParams& /*Params*/) {}

void TubBarControl::FloatingNcCalcSize(RECT& /*R*/) {}

LRESULT TubBarControl::FloatingHitTest(TPoint /*Screen*/) { return HTCLIENT; }

void TubBarControl::PaintFloatingFrame(HDC /*DC*/) {}

}  // namespace zel
