#include "uilib/bars/ubBarToolbarControl.h"

#include <algorithm>

#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "platform/win/SystemMenu.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarHint.h"
#include "uilib/bars/ubBarHooks.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarItemLinks.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPainters.h"
#include "uilib/bars/ubBarToolbarsPopup.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"

namespace zel {

namespace {

bool NonEmpty(TBitmap* B) { return B != nullptr && !B->Empty(); }

TPoint PointOf(const TMessage& Message) { return TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)); }

// The timer that watches the pointer leaving the mark of a floating bar.
constexpr UINT_PTR MarkTimerId = 0x7542;
constexpr UINT MarkTimerPeriod = 50;

// The bar window under a screen point; nullptr for none.
HWND BarWindowAt(POINT P) {
    const HWND w = WindowFromPoint(P);
    return w != nullptr && dynamic_cast<TCustomubBarControl*>(TWinControl::FindControl(w)) != nullptr ? w : nullptr;
}

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
    // A new window starts active: a floating bar's caption, and the form's caption with it.
    SendMessage(GetHandle(), WM_NCACTIVATE, TRUE, 0);
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
    if (IsFloating()) return FloatingFrame().NonClient();
    if (bar_->GetBorderStyle() == bbsNone) return TRect{0, 0, SizeGripBand(), 0};
    TubBarPainterClass painter = BarPainterOf(BarManager());
    const RECT m = painter->GetBarMargins(PaintState());
    TRect f{m.left, m.top, m.right, m.bottom};
    // The grip stands before the links: at the left of a horizontal bar, at the top of a vertical one.
    const int grip = painter->GetGripSize() + 4;
    if (Vertical()) f.top += grip;
    else f.left += grip;
    f.right += SizeGripBand();
    return f;
}

int TubBarControl::SizeGripBand() const {
    return hasSizeGrip_ ? BarPainterOf(BarManager())->GetSizeGripSize(PaintState()).cx : 0;
}

bool TubBarControl::BarShowsSizeGrip() {
    if (IsFloating() || !HandleAllocated() || bar_->GetBorderStyle() != bbsNone || DockingStyle() != dsBottom ||
        !bar_->GetWholeRow() || !bar_->GetSizeGrip())
        return false;
    TubBarManager* m = BarManager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    if (form != nullptr && form->HandleAllocated() && IsZoomed(form->GetHandle())) return false;
    // Each window's bottom edge lies on its parent's client bottom, up to a window without parent or a child
    // form of a multi-document form: the grip then sits in the form's corner.
    HWND w = GetHandle();
    for (HWND parent = ::zel::GetParent(w); parent != nullptr; w = parent, parent = ::zel::GetParent(parent)) {
        if ((GetWindowLong(w, GWL_STYLE) & WS_CHILD) == 0 || (GetWindowLong(w, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0)
            break;
        RECT r, c;
        GetWindowRect(w, &r);
        ::zel::GetClientRect(parent, &c);
        POINT bottom{0, c.bottom};
        ::zel::ClientToScreen(parent, &bottom);
        if (r.bottom != bottom.y) return false;
    }
    return true;
}

TRect TubBarControl::SizeGripRect() const {
    if (!hasSizeGrip_) return TRect{};
    const RECT whole{0, 0, GetWidth(), GetHeight()};
    const RECT r = BarPainterOf(BarManager())->GetSizeGripRectHook(whole, PaintState());
    if (!IsRectEmpty(&r)) return TRect{r.left, r.top, r.right, r.bottom};
    return TRect{whole.right - SizeGripBand(), 0, whole.right, whole.bottom};
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
    // The controls measure themselves on the window's canvas: without a window there is nothing to measure
    // (asking for one here would make it in the middle of its dock's layout).
    if (GetItemLinks() == nullptr || !HandleAllocated()) return links;
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

TPoint TubBarControl::GrabPoint(TubBarDockingStyle Style) {
    // While the bar moves, the pointer keeps its place in the window, scaled with the window's size.
    TubBars* bars = bar_->Bars();
    if (bars != nullptr && bars->Moving() && sizeAtPress_.cx > 0 && sizeAtPress_.cy > 0) {
        const TSize size = Style == dsNone && !IsFloating() ? FloatingSize() : TSize{GetWidth(), GetHeight()};
        const TPoint start = bars->MoveStartPoint();
        return TPoint{start.x * size.cx / sizeAtPress_.cx, start.y * size.cy / sizeAtPress_.cy};
    }
    // Otherwise the middle of the grip (or the window's corner).
    const TRect g = GripRect();
    if (!IsRectEmpty(&g)) return TPoint{(g.left + g.right) / 2, (g.top + g.bottom) / 2};
    return TPoint{0, 0};
}

void TubBarControl::CalcContent(TubBarDockingStyle /*Style*/, int ContentLength) {
    contentLength_ = ContentLength;
    LayoutLinks();
}

HWND TubBarControl::MaximizedChild() const {
    TubBarManager* m = BarManager();
    if (!bar_->GetIsMainMenu() || m == nullptr || !m->ChildMaximized()) return nullptr;
    const HWND child = m->MergedChild();
    return child != nullptr && IsWindow(child) && GetSystemMenu(child, FALSE) != nullptr ? child : nullptr;
}

int TubBarControl::CaptionButtonCount() const {
    TubBarManager* m = BarManager();
    if (!bar_->GetIsMainMenu() || m == nullptr || IsFloating()) return 0;
    if (MaximizedChild() != nullptr) return 3;
    return m->GetShowCloseButton() ? 1 : 0;
}

int TubBarControl::CaptionBand() const { return CaptionButtonCount() * (GetSystemMetrics(SM_CXMENUSIZE) - 2 + 2); }

TRect TubBarControl::CaptionButtonRect(int Index) const {
    const int count = CaptionButtonCount();
    if (Index < 0 || Index >= count) return TRect{};
    const int w = GetSystemMetrics(SM_CXMENUSIZE) - 2, h = GetSystemMetrics(SM_CYMENUSIZE) - 4;
    const TRect client{0, 0, GetWidth() - FrameSizes().left - FrameSizes().right,
                       GetHeight() - FrameSizes().top - FrameSizes().bottom};
    // At the end of the first line, before the mark, the last one the close button.
    const int line = std::min(client.Height(), std::max(LineHeight(), h));
    const int end = client.right - (HasMark() ? ubBarMarkSize : 0) - (count - 1 - Index) * (w + 2);
    const int top = (line - h) / 2;
    return TRect{end - w - 1, top, end - 1, top + h};
}

TRect TubBarControl::CloseButtonRect() const { return CaptionButtonRect(CaptionButtonCount() - 1); }

int TubBarControl::CaptionButtonAt(TPoint P) const {
    for (int i = 0; i < CaptionButtonCount(); ++i) {
        const TRect r = CaptionButtonRect(i);
        if (PtInRect(&r, P)) return i;
    }
    return -1;
}

bool TubBarControl::CaptionButtonEnabled(int Index) const {
    const HWND child = MaximizedChild();
    if (child == nullptr || Index == 1) return Index >= 0 && Index < CaptionButtonCount();
    const UINT state = GetMenuState(GetSystemMenu(child, FALSE), Index == 0 ? SC_MINIMIZE : SC_CLOSE, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::uint8_t TubBarControl::AlphaValue() const {
    TubBars* bars = bar_->Bars();
    const bool moving = bars != nullptr && bars->Moving() && BarManager() != nullptr &&
                        BarManager()->MovingWindow == static_cast<const IubDockedBarWindow*>(this);
    return IsFloating() || moving ? bar_->GetAlphaBlendValue() : 255;
}

// ---- what the bar's setters ask ----------------------------------------------------------------------------------

namespace {
constexpr UINT FrameChanged = SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
}  // namespace

TFont* TubBarControl::OwnBarFont() const { return bar_->GetUseOwnFont() ? bar_->GetFont() : nullptr; }

void TubBarControl::RepaintBar() {
    if (!HandleAllocated()) return;
    ClearBackgroundCache();
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TubBarControl::Reframe() {
    if (!HandleAllocated()) return;
    ClearBackgroundCache();
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, FrameChanged);
    RecalcLayout();
}

void TubBarControl::CaptionChanged() {
    SetText(bar_->GetCaption());
    // The floating frame draws the caption and the close button outside the client area.
    if (IsFloating() && HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TubBarControl::RecalcLayout() {
    if (!HandleAllocated()) return;
    if (dockControl_ != nullptr) dockControl_->UpdateLayout();
    LayoutLinks();
    Invalidate();
}

void TubBarControl::BarFontChanged() {
    if (!HandleAllocated()) return;
    CalcMetrics();
    Rebuild();
}

// ---- layout ------------------------------------------------------------------------------------------------------

void TubBarControl::LayoutLinks() {
    if (GetItemLinks() == nullptr || !HandleAllocated()) return;
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
    std::vector<int> gaps;  // where the separators within the current line start along it
    auto closeLine = [&](std::size_t End) {
        int top = INT32_MAX, bottom = 0;
        for (std::size_t k = lineFirst; k < End; ++k)
            if (Links[k].Placed) {
                top = std::min(top, static_cast<int>(Links[k].Rect.top));
                bottom = std::max(bottom, static_cast<int>(Links[k].Rect.bottom));
            }
        for (const int gap : gaps)
            separators_.push_back({Oriented(TRect{gap, top, gap + sep, bottom}, vertical), false});
        gaps.clear();
        lineBottom = bottom;
    };
    for (TubBarItemLink* link : GetItemLinks()->VisibleItems()) {
        if (link->Control == nullptr || i >= Links.size()) continue;
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
        if (l.SeparatorBefore) gaps.push_back(previousEnd);
        previousEnd = l.Rect.right;
        link->ItemRect = Oriented(l.Rect, vertical);
        ++i;
    }
    closeLine(i);
}

void TubBarControl::Rebuild() {
    if (IsDestroying() || !HandleAllocated() || GetItemLinks() == nullptr) return;
    // While customizing, the selected link keeps its selection across the new controls.
    TubBarItemLink* selected = IsCustomizing() && SelectedControl() != nullptr ? SelectedControl()->Link : nullptr;
    TAliveCheck selectedAlive(selected);
    if (selected != nullptr) SetSelected(nullptr);
    DestroyControls();
    CreateControls();
    if (selected != nullptr && selectedAlive.Alive() && selected->Control != nullptr && HoldsControl(selected->Control))
        SetSelected(selected->Control);
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

namespace {

// The minimise (a bar at the bottom) and restore (two windows) glyphs of a child's caption buttons.
void DrawChildButtonGlyph(HDC DC, const TRect& R, bool Restore, TColor Color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    const int n = std::min(R.Width(), R.Height()) - 6;
    const int x = (R.left + R.right - n) / 2, y = (R.top + R.bottom - n) / 2;
    const auto frame = [&](int l, int t, int r, int b) {
        const RECT top{l, t, r, t + 2};
        FillRect(DC, &top, brush);
        const RECT sides[] = {{l, t, l + 1, b}, {r - 1, t, r, b}, {l, b - 1, r, b}};
        for (const RECT& s : sides) FillRect(DC, &s, brush);
    };
    if (Restore) {
        const int m = n * 2 / 3;
        frame(x + n - m, y, x + n, y + m);
        const RECT clear{x, y + n - m, x + m, y + n};
        FillRect(DC, &clear, GetSysColorBrush(COLOR_BTNFACE));
        frame(x, y + n - m, x + m, y + n);
    } else {
        const RECT bar{x + 1, y + n - 2, x + n - 2, y + n};
        FillRect(DC, &bar, brush);
    }
    DeleteObject(brush);
}

}  // namespace

void TubBarControl::PaintCaptionButtons(HDC DC, HRGN Rest) {
    TubBarPainterClass painter = BarPainterOf(BarManager());
    for (int i = 0; i < CaptionButtonCount(); ++i) {
        const TRect r = CaptionButtonRect(i);
        if (IsRectEmpty(&r)) continue;
        const bool hot = hotCaptionButton_ == i, pressed = pressedCaptionButton_ == i;
        PaintBackground(DC, r);
        painter->DrawCaptionButton(DC, r, hot, pressed, PaintState());
        // The glyph in the colour of the menu bar's text, grey on a button that cannot be pressed.
        TRect glyph = r;
        if (pressed) OffsetRect(&glyph, 1, 1);
        const TColor color = CaptionButtonEnabled(i) ? painter->GetTextColors(true, true, hot) : clBtnShadow;
        if (i == CaptionButtonCount() - 1) painter->DrawCaptionCloseGlyph(DC, glyph, color);
        else DrawChildButtonGlyph(DC, glyph, i == 1, color);
        HRGN cut = CreateRectRgnIndirect(&r);
        CombineRgn(Rest, Rest, cut, RGN_DIFF);
        DeleteObject(cut);
    }
}

void TubBarControl::SetCaptionButton(int Hot, int Pressed) {
    if (Hot == hotCaptionButton_ && Pressed == pressedCaptionButton_) return;
    for (int i : {hotCaptionButton_, pressedCaptionButton_, Hot, Pressed}) {
        const TRect r = CaptionButtonRect(i);
        if (HandleAllocated() && !IsRectEmpty(&r)) InvalidateRect(GetHandle(), &r, FALSE);
    }
    hotCaptionButton_ = Hot;
    pressedCaptionButton_ = Pressed;
}

void TubBarControl::PaintMark(HDC DC, HRGN Rest) {
    const TRect r = MarkRect();
    if (IsRectEmpty(&r)) return;
    TubBarPainterClass painter = BarPainterOf(BarManager());
    TubBarItemPaintState s = PaintState();
    s.Hot = MarkState() != msNone;
    PaintBackground(DC, r);
    // At rest the mark lies on the bar's own background.
    if (MarkState() != msNone)
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
    PaintCaptionButtons(dc, rest);
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
    const TRect grip = SizeGripRect();
    if (!IsRectEmpty(&grip)) {
        // The grip's lines fill a square in the window's bottom-right corner.
        const int side = std::min(grip.Width(), grip.Height());
        const TRect square{grip.right - side, grip.bottom - side, grip.right, grip.bottom};
        const auto* office = dynamic_cast<const TubBarItemControlOffice11Painter*>(BarPainterOf(BarManager()));
        if (office != nullptr && office->NativeSizeGrip()) DrawThemedSizeGrip(dc, square, 3);
        else DrawSizeGrip(dc, square);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(client);
    DeleteObject(frame);
    ReleaseDC(GetHandle(), dc);
}

// ---- menu mode ---------------------------------------------------------------------------------------------------

bool TubBarControl::CanCustomize() const {
    return TCustomubBarControl::CanCustomize() || (bar_ != nullptr && bar_->AllowCustomizing);
}

bool TubBarControl::FormActive() const {
    TubBarManager* m = BarManager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    if (form == nullptr || !form->HandleAllocated()) return true;
    const HWND active = GetActiveWindow();
    // A child form of a multi-document form: while the application is active.
    if (form->GetFormStyle() == fsMDIChild) return active != nullptr;
    return active == form->GetHandle();
}

void TubBarControl::SetMenuMode(bool Value) {
    if (Value == MenuMode()) return;
    TubBarManager* m = BarManager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    const bool formWindow = form != nullptr && form->HandleAllocated();
    if (Value) {
        // Another bar under the pointer stops tracking it.
        POINT cursor{};
        GetCursorPos(&cursor);
        const HWND under = BarWindowAt(cursor);
        if (under != nullptr && (!HandleAllocated() || under != GetHandle())) CancelMouseLeave(under);
        if (formWindow) SendMessage(form->GetHandle(), WM_CANCELMODE, 0, 0);
        focusBefore_ = GetFocus();
        if (formWindow && !IsCustomizing())
            SetWindowPos(form->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        TCustomubBarControl::SetMenuMode(true);
        return;
    }
    keyboardOpen_ = false;
    TuiObjectLinkScope alive(this);
    TCustomubBarControl::SetMenuMode(false);
    if (!alive.Alive()) return;
    // Hot tracking resumes in the bar window under the pointer.
    POINT cursor{};
    GetCursorPos(&cursor);
    if (const HWND under = BarWindowAt(cursor)) {
        POINT p = cursor;
        ::zel::ScreenToClient(under, &p);
        PostMessage(under, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
    const HWND focus = focusBefore_;
    focusBefore_ = nullptr;
    if (focus != nullptr && IsWindow(focus) && GetActiveWindow() != nullptr && GetFocus() != focus)
        ::zel::SetFocus(focus);
}

void TubBarControl::SelectByKeyboard(TubBarItemControl* AControl) {
    // A menu of the bar is open, or was opened by the keyboard or a click: the next sub-item opens its menu.
    const bool opening = keyboardOpen_ || ChildMenu != nullptr;
    TuiObjectLinkScope alive(this);
    TCustomubBarControl::SelectByKeyboard(AControl);
    if (!alive.Alive() || !opening || !MenuMode() || AControl == nullptr || SelectedControl() != AControl) return;
    auto* sub = dynamic_cast<TubBarSubItemControl*>(AControl);
    if (sub == nullptr || !sub->GetEnabled() || sub->GetSubMenuControl() != nullptr) return;
    keyboardOpen_ = true;
    sub->Click(false);
}

bool TubBarControl::KeyInMenuMode(WORD Key, TShiftState Shift) {
    TubBarItemControl* selected = SelectedControl();
    if (selected != nullptr && selected->WantsKey(Key)) return TCustomubBarControl::KeyInMenuMode(Key, Shift);
    // Enter, Up and Down open a selected sub-item's menu (Up and Down walk a vertical bar).
    auto* sub = dynamic_cast<TubBarSubItemControl*>(selected);
    const bool opens = Key == VK_RETURN || (!Vertical() && (Key == VK_UP || Key == VK_DOWN));
    if (sub != nullptr && opens) {
        if (sub->GetEnabled()) {
            keyboardOpen_ = true;
            if (sub->GetSubMenuControl() == nullptr) sub->Click(false);
        }
        return true;
    }
    if (Key == VK_ESCAPE) {
        CloseAll();
        return true;
    }
    return TCustomubBarControl::KeyInMenuMode(Key, Shift);
}

void TubBarControl::StopMarkTimer() {
    if (markTimer_ != 0 && HandleAllocated()) KillTimer(GetHandle(), markTimer_);
    markTimer_ = 0;
}

void TubBarControl::SetMarkState(TubBarMarkState Value) {
    if (IsCustomizing() || Value == MarkState()) return;
    StopMarkTimer();
    TCustomubBarControl::SetMarkState(Value);
    TubBarManager* m = BarManager();
    // The quick-customization window with the links that did not fit opens under the pressed mark.
    if (Value == msPressed) {
        PlayBarSound(ubsMenuPopup);
        ShowQuickControl(this);
    } else {
        CloseQuickControl(this);
    }
    if (Value == msSelected) {
        if (IsFloating() && HandleAllocated())
            markTimer_ = SetTimer(GetHandle(), MarkTimerId, MarkTimerPeriod, nullptr);
        if (m != nullptr) UpdateHint(m, true, LoadLibraryString(&ubSubMoreButtons));
    } else if (Value == msNone && SelectedControl() == nullptr && m != nullptr) {
        UpdateHint(m, false, std::string());
    }
}

// ---- mouse -------------------------------------------------------------------------------------------------------

void TubBarControl::StartMove(TPoint /*ClientPoint*/) {
    TubBars* bars = bar_->Bars();
    if (bars == nullptr || !bar_->CanMove()) return;
    sizeAtPress_ = TSize{GetWidth(), GetHeight()};
    bars->MoveBar(this);
}

void TubBarControl::LButtonDown(TMessage& Message) {
    const TPoint p = PointOf(Message);
    // A floating bar activates its form first.
    PressFloating();
    if (widthDragArmed_ && IsCustomizing()) {
        StartWidthDrag();
        return;
    }
    if (IgnoreNextClick) {
        TCustomubBarControl::LButtonDown(Message);
        return;
    }
    // A caption button of the main menu bar: pressed until the release.
    if (const int button = CaptionButtonAt(p); button >= 0 && !IsCustomizing()) {
        if (!CaptionButtonEnabled(button)) return;
        // Keys are swallowed while the button is held.
        trackedCaptionButton_ = button;
        BarButtonHeld = true;
        SetCapture(GetHandle());
        SetCaptionButton(button, button);
        return;
    }
    // The grip and the gaps move the bar.
    if (hitArea_ == HTCAPTION && ItemAtPos(p) == nullptr && !IsCustomizing()) {
        if (MenuMode()) CloseAll();
        StartMove(p);
        return;
    }
    const TRect mark = MarkRect();
    if (HasMark() && PtInRect(&mark, p)) {
        SetMarkState(MarkState() == msPressed ? msSelected : msPressed);
        return;
    }
    const TRect client = GetClientRect();
    if (!PtInRect(&client, p)) {
        const TPoint screen = ClientToScreen(p);
        SendMessage(GetHandle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(hitArea_), MAKELPARAM(screen.x, screen.y));
        return;
    }
    TubBarItemControl* control = HitControl(p);
    if (control == nullptr) {
        if (MenuMode()) CloseAll();
        return;
    }
    TuiObjectLinkScope alive(this);
    TCustomubBarControl::LButtonDown(Message);
    if (!alive.Alive()) return;
    // A click that opened a sub-item's menu lets the pointer open the others.
    if (MenuMode() && control == SelectedControl() && dynamic_cast<TubBarWinControl*>(control) == nullptr)
        keyboardOpen_ = true;
}

void TubBarControl::LButtonUp(TMessage& Message) {
    if (widthDragActive_) {
        EndWidthDrag(true);
        return;
    }
    if (trackedCaptionButton_ >= 0) {
        const int button = trackedCaptionButton_;
        trackedCaptionButton_ = -1;
        BarButtonHeld = false;
        ReleaseCapture();
        const bool over = CaptionButtonAt(PointOf(Message)) == button;
        SetCaptionButton(over ? button : -1, -1);
        if (!over) return;
        // A child's button sends its command to the child; the single close button tells the manager.
        if (const HWND child = MaximizedChild(); child != nullptr && CaptionButtonCount() == 3) {
            const WPARAM commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
            SendMessage(child, WM_SYSCOMMAND, commands[button], 0);
        } else if (TubBarManager* m = BarManager()) {
            m->DoCloseButtonClick();
        }
        return;
    }
    TCustomubBarControl::LButtonUp(Message);
}

void TubBarControl::LButtonDblClk(TMessage& Message) {
    const TRect mark = MarkRect();
    if (HasMark() && PtInRect(&mark, PointOf(Message))) {
        SetMarkState(MarkState() == msPressed ? msSelected : msPressed);
        return;
    }
    TCustomubBarControl::LButtonDblClk(Message);
}

void TubBarControl::MouseMoved(TMessage& Message) {
    const TPoint p = PointOf(Message);
    if (widthDragActive_) {
        TrackWidthDrag(p);
        return;
    }
    if (trackedCaptionButton_ >= 0) {
        const bool over = CaptionButtonAt(p) == trackedCaptionButton_;
        SetCaptionButton(trackedCaptionButton_, over ? trackedCaptionButton_ : -1);
        return;
    }
    // A docked bar tracks nothing while its form is not the active window. A link pressed while customizing
    // still starts its drag: the customizing form is the active one then, and the bar's form is disabled.
    if (!MenuMode() && !IsFloating() && !FormActive() && !DragPending()) return;
    if (CaptionButtonCount() > 0) {
        int over = CaptionButtonAt(p);
        if (over >= 0 && !CaptionButtonEnabled(over)) over = -1;
        SetCaptionButton(over, -1);
        if (over >= 0) TrackMouseLeave(GetHandle());
    }
    if (HasMark() && PressedControl() == nullptr) {
        const TRect mark = MarkRect();
        const bool over = PtInRect(&mark, p) != FALSE;
        if (over && MarkState() == msNone) {
            if (!MenuMode()) SelectByPointer(nullptr);
            SetMarkState(msSelected);
            TrackMouseLeave(GetHandle());
        } else if (!over && MarkState() == msSelected) {
            SetMarkState(msNone);
        }
        if (over) return;
    }
    TCustomubBarControl::MouseMoved(Message);
}

// ---- the width drag of an edit item -------------------------------------------------------------------------

void TubBarControl::ArmWidthDrag(TPoint P) {
    widthDragArmed_ = false;
    auto* edit = dynamic_cast<TubBarEditControl*>(SelectedControl());
    if (!IsCustomizing() || edit == nullptr || edit->Link == nullptr) return;
    const TRect r = GetItemRect(edit);
    if (P.y < r.top || P.y >= r.bottom || P.x < r.left || P.x >= r.right) return;
    constexpr int kEdge = 7;
    if (P.x < r.left + kEdge) widthDragFromLeft_ = true;
    else if (P.x >= r.right - kEdge) widthDragFromLeft_ = false;
    else return;
    widthDragArmed_ = true;
}

TRect TubBarControl::WidthDragFrame() const {
    TRect r = GetItemRect(widthDragControl_);
    const int length = static_cast<TubBarEditControl*>(widthDragControl_)->CaptionWidth() + widthDragWidth_;
    if (widthDragFromLeft_) r.left = r.right - length;
    else r.right = r.left + length;
    return r;
}

void TubBarControl::InvertWidthDragFrame() {
    if (!HandleAllocated() || widthDragControl_ == nullptr) return;
    const TRect r = WidthDragFrame();
    const HDC dc = GetDC(GetHandle());
    const TRect edges[4] = {TRect(r.left, r.top, r.right, r.top + 1), TRect(r.left, r.bottom - 1, r.right, r.bottom),
                            TRect(r.left, r.top + 1, r.left + 1, r.bottom - 1),
                            TRect(r.right - 1, r.top + 1, r.right, r.bottom - 1)};
    for (const TRect& e : edges) InvertRect(dc, &e);
    ReleaseDC(GetHandle(), dc);
    widthDragFrameShown_ = !widthDragFrameShown_;
}

void TubBarControl::StartWidthDrag() {
    auto* edit = dynamic_cast<TubBarEditControl*>(SelectedControl());
    widthDragArmed_ = false;
    if (edit == nullptr || edit->Link == nullptr) return;
    widthDragControl_ = edit;
    widthDragActive_ = true;
    widthDragWidth_ = edit->Link->Width();
    SetCapture(GetHandle());
    InvertWidthDragFrame();
}

void TubBarControl::TrackWidthDrag(TPoint P) {
    if (widthDragControl_ == nullptr || !HoldsControl(widthDragControl_)) return;
    const TRect r = GetItemRect(widthDragControl_);
    const int caption = static_cast<TubBarEditControl*>(widthDragControl_)->CaptionWidth();
    // The distance from the edge that stays, less the caption part; never below 20.
    int width = (widthDragFromLeft_ ? r.right - P.x : P.x - r.left) - caption;
    MinimumTwenty(width);
    if (width == widthDragWidth_) return;
    if (widthDragFrameShown_) InvertWidthDragFrame();
    widthDragWidth_ = width;
    InvertWidthDragFrame();
}

void TubBarControl::EndWidthDrag(bool Apply) {
    TubBarItemControl* control = widthDragControl_;
    const bool held = control != nullptr && HoldsControl(control);
    if (widthDragFrameShown_ && held) InvertWidthDragFrame();
    widthDragFrameShown_ = false;
    widthDragActive_ = false;
    widthDragControl_ = nullptr;
    if (GetCapture() == GetHandle()) ReleaseCapture();
    if (!held) return;
    // A new width is the link's own; the same width leaves the control to repaint.
    if (Apply && control->Link->Width() != widthDragWidth_) {
        control->Link->SetUserWidth(widthDragWidth_);
        Rebuild();  // the bar lays its links out around the new width
    } else {
        control->Repaint();
    }
}

// ---- position ----------------------------------------------------------------------------------------------------

void TubBarControl::RememberPosition() {
    TubBarManager* m = BarManager();
    TubBars* bars = bar_->Bars();
    if (m == nullptr || bars == nullptr || !bar_->GetVisible() || Locked || m->ComponentState().Contains(csLoading) ||
        bars->Loading || m->ReshowingBars || IsDestroying())
        return;
    if (IsFloating()) {
        RememberFloatingPosition();
        return;
    }
    if (dockControl_ == nullptr) return;
    int row = -1, col = -1;
    dockControl_->FindPlace(this, row, col);
    if (row < 0) return;
    bar_->SetDockedDockingStyle(DockingStyle());
    // The form's own side docks are named by the side alone.
    bar_->SetDockedDockControl(dynamic_cast<TubBarDockControl*>(dockControl_));
    bar_->SetRow(row);
    bar_->OneOnRow = dockControl_->Rows(row)->ColCount() == 1;
    bar_->SetDockedLeft(GetLeft());
    bar_->SetDockedTop(GetTop());
}

void TubBarControl::WindowDestroyed() {
    TubBarManager* m = BarManager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    if (IsDestroying() || !bar_->GetVisible() || (m != nullptr && m->IsDestroying()) ||
        (form != nullptr && form->ComponentState().Contains(csDestroying)))
        return;
    bar_->SetVisible(false);
}

// ---- messages ----------------------------------------------------------------------------------------------------

LRESULT TubBarControl::HitTest(TPoint Screen) {
    if (IsFloating()) return FloatingHitTest(Screen);
    const TPoint p = ScreenToClient(Screen);
    const TRect grip = SizeGripRect();
    const TRect f = FrameSizes();
    if (PtInRect(&grip, TPoint{p.x + f.left, p.y + f.top})) return HTBOTTOMRIGHT;
    if (ItemAtPos(p) != nullptr || CaptionButtonAt(p) >= 0) return HTCLIENT;
    const TRect mark = MarkRect();
    if (PtInRect(&mark, p)) return HTCLIENT;
    return HTCAPTION;
}

void TubBarControl::RButtonDown(TMessage& Message) {
    if (GetCapture() == GetHandle()) ReleaseCapture();
    if (IsCustomizing() && MenuMode()) SetMenuMode(false);
    TCustomubBarControl::RButtonDown(Message);
    TubBarManager* m = BarManager();
    if (m == nullptr || m->Designing() || m->GetCustomizing() || !HandleAllocated()) return;
    POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    ::zel::ClientToScreen(GetHandle(), &p);
    ShowToolbarsPopup(this, m, TPoint(p.x, p.y));
}

void TubBarControl::Dispatch(TMessage& Message) {
    if (FloatingMessage(Message)) return;
    switch (Message.Msg) {
        case WM_NCCALCSIZE: {
            auto* r = reinterpret_cast<RECT*>(Message.LParam);
            if (IsFloating()) {
                FloatingNcCalcSize(*r);
            } else {
                hasSizeGrip_ = BarShowsSizeGrip();
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
            Message.Result = IsFloating() || hitArea_ == HTBOTTOMRIGHT ? hitArea_ : HTCLIENT;
            return;
        }
        case WM_NCLBUTTONDOWN:
            // Dragging a docked bar's size grip sizes its form from the bottom-right corner.
            if (!IsFloating() && Message.WParam == static_cast<WPARAM>(HTBOTTOMRIGHT)) {
                TubBarManager* m = BarManager();
                TCustomForm* form = m != nullptr ? m->Form() : nullptr;
                if (form != nullptr && form->HandleAllocated())
                    SendMessage(form->GetHandle(), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, Message.LParam);
                Message.Result = 0;
                return;
            }
            break;
        case WM_SIZE:
            TCustomubBarControl::Dispatch(Message);
            ClearBackgroundCache();
            LayoutLinks();
            Invalidate();
            return;
        case WM_WINDOWPOSCHANGED:
            TCustomubBarControl::Dispatch(Message);
            RememberPosition();
            // Moved onto or off the form's bottom edge: the frame gains or loses the size grip.
            if (!IsFloating() && HandleAllocated() && BarShowsSizeGrip() != hasSizeGrip_)
                SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                             SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
            info->ptMinTrackSize = POINT{10, 10};
            info->ptMaxTrackSize = POINT{30000, 30000};
            Message.Result = 0;
            return;
        }
        case WM_CAPTURECHANGED:
            // A width drag ends where it is, unapplied, when another window takes the pointer.
            if (widthDragActive_ && reinterpret_cast<HWND>(Message.LParam) != GetHandle()) EndWidthDrag(false);
            // The close button's press is given up when another window takes the pointer.
            if (trackedCaptionButton_ >= 0) {
                trackedCaptionButton_ = -1;
                BarButtonHeld = false;
                SetCaptionButton(-1, -1);
            }
            break;
        case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; return;
        case WM_MOUSEACTIVATE:
            if (IsFloating() && !MenuMode()) {
                SetWindowPos(GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                Message.Result = MA_NOACTIVATE;
                return;
            }
            break;
        case WM_MOUSELEAVE:
            if (MenuMode()) {
                // In menu mode only a pressed button shows the pointer leaving it.
                if (PressedControl() != nullptr) PressedControl()->Repaint();
                return;
            }
            TCustomubBarControl::Dispatch(Message);
            if (trackedCaptionButton_ < 0) SetCaptionButton(-1, -1);
            return;
        case WM_SETCURSOR:
            // Near an edge of the selected edit while customizing: the width-sizing cursor. Else the four-way
            // arrow over the part of the bar that moves it, the sizing arrow over the size grip.
            if (GetCapture() == nullptr) {
                POINT cursor{};
                GetCursorPos(&cursor);
                ArmWidthDrag(ScreenToClient(TPoint{cursor.x, cursor.y}));
                if (widthDragArmed_) SetCursor(crubBarEditSizing);
                else SetCursor(hitArea_ == HTCAPTION ? crSizeAll : hitArea_ == HTBOTTOMRIGHT ? crSizeNWSE : crDefault);
            } else if (widthDragActive_) {
                SetCursor(crubBarEditSizing);
            }
            break;
        case WM_TIMER:
            if (Message.WParam == MarkTimerId) {
                POINT cursor{};
                GetCursorPos(&cursor);
                const TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
                const TRect mark = MarkRect();
                if (!PtInRect(&mark, p) || !IsWindowVisible(GetHandle())) {
                    StopMarkTimer();
                    if (MarkState() == msSelected) SetMarkState(msNone);
                }
                return;
            }
            break;
        case WM_DESTROY:
            StopMarkTimer();
            TCustomubBarControl::Dispatch(Message);
            WindowDestroyed();
            return;
        default: break;
    }
    TCustomubBarControl::Dispatch(Message);
}

// ---- the floating side -------------------------------------------------------------------------------------------

}  // namespace zel
