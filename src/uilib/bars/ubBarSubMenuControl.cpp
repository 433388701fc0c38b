#include "uilib/bars/ubBarSubMenuControl.h"

#include <algorithm>

#include "platform/rtl/Clock.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Forms.h"
#include "uilib/bars/ubBarCompanions.h"
#include "uilib/bars/ubBarConsts.h"
#include "uilib/bars/ubBarDraw.h"
#include "uilib/bars/ubBarHint.h"
#include "uilib/bars/ubBarItem.h"
#include "uilib/bars/ubBarItemControls.h"
#include "uilib/bars/ubBarManager.h"
#include "uilib/bars/ubBarPopupMenu.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBarToolbarControl.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/bars/ubBars.h"
#include "uilib/base/uiControls.h"

namespace zel {

namespace {

constexpr UINT kScrollTimerId = 1;
constexpr UINT kExpandTimerId = 2;     // the menu expands when it fires
constexpr UINT kExpandHotTimerId = 3;  // the expand button turns hot when it fires

// The steps of the opening animations, in pixels.
constexpr int kUnfoldStep = 8;
constexpr int kSlideStep = 17;

TPoint PointOf(const TMessage& Message) { return TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)); }

bool KeyHeld(int Key) { return GetAsyncKeyState(Key) < 0; }

// How far the painter's frame reaches into the client area on each side, inside the one-pixel border of
// the window's frame.
int FrameInset(TubBarPainterClass Painter) {
    RECT r{0, 0, 100, 100};
    Painter->DeflateSubMenuRect(r);
    return r.left - 1;
}

}  // namespace

TubBarSubMenuControl::TubBarSubMenuControl(TComponent* AOwner) : TCustomubBarControl(AOwner) {}

TubBarSubMenuControl::~TubBarSubMenuControl() {
    // The base destructor would free the controls without giving the containers' links back.
    DestroyControls();
    StopScrollTimer();
    StopExpandTimer();
    if (rarelyUsedBrush_ != nullptr) DeleteObject(rarelyUsedBrush_);
}

void TubBarSubMenuControl::CreateParams(TCreateParams& Params) {
    TCustomubBarControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_TOPMOST;
    Params.WindowClass.style |= CS_VREDRAW | CS_HREDRAW | CS_OWNDC | CS_SAVEBITS;
    TubBarManager* m = BarManager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    Params.WndParent = OwnerWindow != nullptr                       ? OwnerWindow
                       : form != nullptr && form->HandleAllocated() ? form->GetHandle()
                                                                    : nullptr;
}

void TubBarSubMenuControl::CalcMetrics() {
    TCustomubBarControl::CalcMetrics();
    const TSize zero = Canvas()->TextExtent("0");
    const TubBarPainterClass painter = BarPainterOf(BarManager());
    glyphColumn_ = painter->CalcSubMenuMetrics(zero.cy).GlyphColumn;
    // The expand button's band: half a line, at least 8 pixels for its double arrow.
    expandBand_ = std::max(LineHeight() / 2 + 2, 10);
}

TBitmap* TubBarSubMenuControl::BackgroundBitmap() const {
    if (BackgroundPicture != nullptr) return BackgroundPicture;
    TubBarManager* m = BarManager();
    TBitmap* shared = m != nullptr ? m->GetBackgrounds()->GetSubMenu() : nullptr;
    return shared != nullptr && !shared->Empty() ? shared : nullptr;
}

TFont* TubBarSubMenuControl::OwnBarFont() const {
    if (OwnFont != nullptr) return OwnFont;
    const auto* opener =
        ParentControl != nullptr ? dynamic_cast<const TCustomubBarControl*>(ParentControl->Parent) : nullptr;
    return opener != nullptr ? opener->OwnBarFont() : nullptr;
}

void TubBarSubMenuControl::CreateWnd() {
    TCustomubBarControl::CreateWnd();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (rarelyUsedBrush_ != nullptr) DeleteObject(rarelyUsedBrush_);
    rarelyUsedBrush_ = CreateSolidBrush(RGB(std::min(GetRValue(face) + 20, 255), std::min(GetGValue(face) + 20, 255),
                                            std::min(GetBValue(face) + 20, 255)));
    if (!recreating_) SetMenuMode(true);
    if (TubBarItemLinks* links = GetItemLinks()) {
        recentCount_ = links->CalcRecentItemCount();
        links->SetRecentItemCount(MenusExpanded ? -1 : recentCount_);
    }
    firstVisible_ = 0;
    Place();
    if (recreating_) return;
    PlayBarSound(ubsMenuPopup);
    TubBarManager* m = BarManager();
    if (m != nullptr && m->GetShowFullMenusAfterDelay() && HasHiddenItems())
        StartExpandTimer(kExpandTimerId, ubExpandDelay);
}

// ---- opening and closing ---------------------------------------------------------------------------------------

void TubBarSubMenuControl::Popup(int X, int Y) {
    requested_ = TPoint(X, Y);
    if (OnPopup) OnPopup(this);
    HandleNeeded();
    ShowWindowNow();
}

void TubBarSubMenuControl::ShowWindowNow() {
    TubBarManager* m = BarManager();
    animation_ = m != nullptr ? m->GetMenuAnimations() : maNone;
    if (animation_ == maRandom) {
        const int n = static_cast<int>(GetTickCount() % 100);
        animation_ = n < 33 ? maUnfold : n < 66 ? maSlide : maFade;
    }
    // Fading needs the system's window animation, which is not offered: such a menu shows plainly.
    if (animation_ == maFade) animation_ = maNone;
    animate_ =
        animation_ != maNone && GetItemLinks() != nullptr && GetItemLinks()->VisibleItemCount() > 0 && !IsCustomizing();
    if (animate_) Animate();
    else SetWindowPos(GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
}

void TubBarSubMenuControl::Animate() {
    // The window grows step by step at its final corner; each step waits for the tick count to move, so the
    // clock service paces it. The image is painted whole at the end.
    RECT full{};
    GetWindowRect(GetHandle(), &full);
    const int w = full.right - full.left, h = full.bottom - full.top;
    const TAliveCheck alive(this);
    animationSteps_ = 0;
    auto showAt = [&](int cw, int ch) {
        const int left = openedLeft_ ? full.right - cw : full.left;
        const int top = openedUp_ ? full.bottom - ch : full.top;
        SetWindowPos(GetHandle(), HWND_TOPMOST, left, top, cw, ch, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ++animationSteps_;
        TTick tick = GetTickCount();
        while (GetTickCount() == tick) Clock().Wait(1);
    };
    if (animation_ == maUnfold) {
        const int shorter = std::min(w, h), steps = shorter / kUnfoldStep;
        for (int i = 1; i <= steps && alive.Alive(); ++i) {
            const int grown = i * kUnfoldStep;
            showAt(w >= h ? w - shorter + grown : grown, h > w ? h - shorter + grown : grown);
        }
    } else {
        for (int i = 1; i <= h / kSlideStep && alive.Alive(); ++i) showAt(w, i * kSlideStep);
    }
    if (!alive.Alive()) return;
    animate_ = false;
    SetWindowPos(GetHandle(), HWND_TOPMOST, full.left, full.top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
}

void TubBarSubMenuControl::CloseUp() {
    if (closing_) return;
    closing_ = true;
    const TAliveCheck alive(this);
    StopScrollTimer();
    StopExpandTimer();
    if (auto* child = dynamic_cast<TubBarSubMenuControl*>(ChildMenu); child != nullptr && child->ParentControl) {
        child->ParentControl->ControlInactivate(true);
        if (!alive.Alive()) return;
    }
    if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
    if (TubBarManager* m = BarManager()) UpdateHint(m, false, std::string());
    TCustomubBarControl* parentBar = ParentBar;
    TubBarItemControl* parentControl = ParentControl;
    SetMenuMode(false);
    if (!alive.Alive()) return;
    if (parentBar != nullptr && parentBar->ChildMenu == this) parentBar->ChildMenu = nullptr;
    if (parentBar != nullptr && IsLiveBarControl(parentBar)) ParentAfterClose(parentBar, parentControl);
    if (!alive.Alive()) return;
    Closed();
    if (TubBarItemLinks* links = GetItemLinks()) links->SetRecentItemCount(-1);
    if (OnCloseUp) OnCloseUp(this);
}

TubBar* TubBarSubMenuControl::DetachingBar() const {
    TubBarItemLinks* links = GetItemLinks();
    auto* sub = links != nullptr ? dynamic_cast<TCustomubBarSubItem*>(links->Owner()) : nullptr;
    TubBarManager* m = BarManager();
    if (sub == nullptr || !sub->Detachable || sub->GetDetachingBar() < 0 || m == nullptr) return nullptr;
    TubBar* bar = m->GetBars()->Items(sub->GetDetachingBar());
    return ParentBar != nullptr && ParentBar->Bar() == bar ? nullptr : bar;
}

TRect TubBarSubMenuControl::DragCaptionRect() const {
    if (dragCaption_ == 0) return TRect{};
    const int inset = FrameInset(BarPainterOf(BarManager()));
    return TRect(inset, -dragCaption_, ClientSize().cx - inset, 0);
}

TSize TubBarSubMenuControl::ClientSize() const { return TSize{GetWidth() - 2, GetHeight() - 2 - dragCaption_}; }

void TubBarSubMenuControl::PaintFrame(HDC DC) {
    const TubBarPainterClass painter = BarPainterOf(BarManager());
    painter->DrawSubMenuFrame(DC, TRect(0, 0, GetWidth(), GetHeight()), GetSysColorBrush(COLOR_BTNFACE));
    TRect caption = DragCaptionRect();
    if (IsRectEmpty(&caption)) return;
    OffsetRect(&caption, 1, 1 + dragCaption_);
    painter->DrawDragCaption(DC, caption, BarPaintState());
}

void TubBarSubMenuControl::TearOff() {
    TubBar* bar = DetachingBar();
    TubBarManager* m = BarManager();
    TCustomForm* form = m != nullptr ? m->Form() : nullptr;
    if (bar == nullptr || form == nullptr || !form->HandleAllocated()) return;
    const TAliveCheck alive(this);
    static_cast<TCustomubBarSubItem*>(GetItemLinks()->Owner())->DoDetaching();
    if (!alive.Alive()) return;
    TRect zone = DragCaptionRect();
    MapWindowPoints(GetHandle(), nullptr, reinterpret_cast<POINT*>(&zone), 2);
    InflateRect(&zone, 15, 15);
    const int halfCaption = BarPainterOf(m)->GetSmallCaptionHeightPlusOne() / 2;
    // From here on the menu may go: only what the loop holds itself is touched. The form holds the pointer,
    // as the menu's window does not outlive the menu.
    TubBarItemControl* opener = ParentControl;
    const TAliveCheck openerAlive(opener != nullptr ? static_cast<TObject*>(opener) : this);
    const HWND capture = form->GetHandle();
    SetCapture(capture);
    const DWORD pos = GetMessagePos();
    POINT last{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    bool dragging = false, dropped = false, reopen = false;
    MSG msg{};
    while (GetCapture() == capture) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            if (msg.pt.x == last.x && msg.pt.y == last.y) continue;
            last = msg.pt;
            const bool inZone = PtInRect(&zone, msg.pt) != FALSE;
            if (dragging && inZone) {
                reopen = true;
                break;
            }
            if (!dragging && !inZone) {
                // The menu closes and its bar floats, the pointer a hundred pixels into its caption.
                if (opener != nullptr && openerAlive.Alive()) opener->ControlInactivate(true);
                bar->SetFloatLeft(msg.pt.x - 100);
                bar->SetFloatTop(msg.pt.y - halfCaption);
                if (bar->GetDockingStyle() != dsNone) bar->SetDockingStyle(dsNone);
                bar->SetVisible(true);
                dragging = true;
            } else if (dragging) {
                if (TubBarControl* w = bar->Control())
                    w->SetBounds(msg.pt.x - w->GetWidth() / 2, msg.pt.y - halfCaption, w->GetWidth(), w->GetHeight());
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            dropped = dragging;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            reopen = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == capture) ReleaseCapture();
    if (dragging && !dropped) bar->SetVisible(false);
    if (reopen && dragging && opener != nullptr && openerAlive.Alive()) opener->ControlActivate(true);
}

void TubBarSubMenuControl::ParentAfterClose(TCustomubBarControl* AParentBar, TubBarItemControl* AParentControl) {
    if (AParentControl != nullptr && AParentBar->HoldsControl(AParentControl)) AParentControl->Repaint();
    // A press elsewhere closed the menu: the menu bar leaves menu mode. Closing with Esc, Left or Right keeps
    // it selected for the keyboard, and so does the pointer moving on to another item of the bar.
    const bool byKeys = closingByKey_ || KeyHeld(VK_ESCAPE) || KeyHeld(VK_LEFT) || KeyHeld(VK_RIGHT);
    const bool byPress = KeyHeld(VK_LBUTTON) || KeyHeld(VK_RBUTTON) || KeyHeld(VK_MBUTTON);
    if (!AParentBar->IsToolbar() || byKeys || !byPress) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    ::zel::ScreenToClient(AParentBar->GetHandle(), &cursor);
    const bool onOpener = AParentControl != nullptr && AParentBar->HoldsControl(AParentControl) &&
                          AParentControl->GetEnabled() &&
                          PtInRect(&AParentControl->Link->ItemRect, TPoint(cursor.x, cursor.y));
    // The press on the opener that closed the menu does not click it again on its release.
    if (onOpener) AParentBar->IgnoreNextClick = true;
    AParentBar->CloseAll();
}

void TubBarSubMenuControl::CloseAll() {
    if (ParentBar != nullptr && IsLiveBarControl(ParentBar)) {
        TCustomubBarControl::CloseAll();
        return;
    }
    CloseUp();
}

// ---- containers shown by their content ---------------------------------------------------------------------

void TubBarSubMenuControl::CreateControls() {
    ExpandContainers();
    TCustomubBarControl::CreateControls();
}

void TubBarSubMenuControl::DestroyControls() {
    TCustomubBarControl::DestroyControls();
    CollapseContainers();
}

void TubBarSubMenuControl::ExpandContainers() {
    TubBarItemLinks* links = GetItemLinks();
    TubBarManager* m = BarManager();
    // While the menus are customized a container shows as itself, so that it can be moved.
    if (links == nullptr || expanding_ || !expanded_.empty() ||
        (m != nullptr && (m->Designing() || m->GetCustomizing())))
        return;
    expanding_ = true;
    TScopeExit done([this] { expanding_ = false; });
    for (int i = 0; i < links->Count(); ++i) {
        TubBarItemLink* link = links->Items(i);
        auto* container = dynamic_cast<TCustomubBarContainerItem*>(link->GetItem());
        if (container == nullptr || !container->ReplacesPlaceholder() || links->VisibleItems().IndexOf(link) < 0)
            continue;
        // A container inside its own content is left as it is.
        bool nested = false;
        for (const TubBarItemLink* owner = link->OwnerLink(); owner != nullptr && !nested; owner = owner->OwnerLink())
            nested = owner->GetItem() == container;
        if (nested) continue;
        const bool first = std::none_of(expanded_.begin(), expanded_.end(), [&](const TExpandedContainer& e) {
            return e.Placeholder->GetItem() == container;
        });
        try {
            container->Fill(links, i + 1, link, first);
        } catch (const std::exception& e) {
            Application->HandleException(e);
            continue;
        }
        links->Park(link);
        expanded_.push_back({i, link});
        // The content now begins at i: a container inside it is met next.
        --i;
    }
}

void TubBarSubMenuControl::CollapseContainers() {
    TubBarItemLinks* links = GetItemLinks();
    if (links == nullptr || expanding_ || expanded_.empty()) return;
    expanding_ = true;
    TScopeExit done([this] { expanding_ = false; });
    const std::vector<TExpandedContainer> expanded = std::move(expanded_);
    expanded_.clear();
    for (auto it = expanded.rbegin(); it != expanded.rend(); ++it) {
        TubBarItemLink* placeholder = it->Placeholder;
        // Freed meanwhile (its item went): its content went with it.
        if (!links->HoldsParked(placeholder)) continue;
        auto* container = dynamic_cast<TCustomubBarContainerItem*>(placeholder->GetItem());
        if (container != nullptr) container->Remove(links, it->Index);
        // What is left of content that changed while it was shown goes too.
        placeholder->FreeBoundLinks();
        links->Unpark(placeholder, it->Index);
        if (container != nullptr) container->MarkFilled();
    }
}

// ---- layout ------------------------------------------------------------------------------------------------------

bool TubBarSubMenuControl::HasHiddenItems() const {
    const TubBarItemLinks* links = GetItemLinks();
    return links != nullptr && links->RecentItemsInEffect() && links->ShownItemCount() < links->VisibleItemCount();
}

bool TubBarSubMenuControl::IsRarelyUsed(const TubBarItemLink* ALink) const {
    const TubBarItemLinks* links = GetItemLinks();
    if (links == nullptr || recentCount_ < 0 || !MenusExpanded) return false;
    int frequent = 0;
    for (TubBarItemLink* link : links->RecentList()) {
        if (links->VisibleItems().IndexOf(link) < 0) continue;
        if (link == ALink) return frequent >= recentCount_;
        ++frequent;
    }
    return false;
}

bool TubBarSubMenuControl::CanScrollDown() const {
    const TubBarItemLinks* links = GetItemLinks();
    return links != nullptr && firstVisible_ >= 0 && VisibleCount() < links->ShownItemCount() - firstVisible_;
}

int TubBarSubMenuControl::VisibleCount() const { return lastVisible_ < 0 ? 0 : lastVisible_ - firstVisible_ + 1; }

TRect TubBarSubMenuControl::ExpandButtonRect() const {
    if (!HasHiddenItems()) return TRect{};
    const int inset = FrameInset(BarPainterOf(BarManager()));
    const TSize client = ClientSize();
    return TRect(area_.left, client.cy - inset - expandBand_, client.cx - inset, client.cy - inset);
}

int TubBarSubMenuControl::SideBandWidth() const {
    const TubBarItemLinks* links = GetItemLinks();
    auto* sub = links != nullptr ? dynamic_cast<TCustomubBarSubItem*>(links->Owner()) : nullptr;
    if (sub != nullptr) return sub->GetBarSize();
    auto* popup = links != nullptr ? dynamic_cast<TubBarPopupMenu*>(links->Owner()) : nullptr;
    return popup != nullptr ? popup->GetBarSize() : 0;
}

TRect TubBarSubMenuControl::SideBandRect() const {
    const int band = SideBandWidth();
    if (band == 0) return TRect{};
    const int inset = FrameInset(BarPainterOf(BarManager()));
    return TRect(inset, inset, inset + band, ClientSize().cy - inset);
}

TRect TubBarSubMenuControl::ScrollUpRect() const {
    if (!CanScrollUp()) return TRect{};
    return TRect(area_.left, area_.top, area_.right, area_.top + LineHeight());
}

TRect TubBarSubMenuControl::ScrollDownRect() const {
    if (!CanScrollDown()) return TRect{};
    return TRect(area_.left, area_.bottom - LineHeight(), area_.right, area_.bottom);
}

void TubBarSubMenuControl::LayOut() {
    TubBarItemLinks* links = GetItemLinks();
    const TubBarPainterClass painter = BarPainterOf(BarManager());
    const int inset = FrameInset(painter);
    const int separator = GetSeparatorSize();
    // The lines begin right of the side band.
    const int left = inset + SideBandWidth();
    // The drag caption: half the height of "Qq", made odd; it lies in the frame, above the client area.
    const int caption = dragCaption_;
    dragCaption_ = 0;
    if (DetachingBar() != nullptr) {
        dragCaption_ = Canvas()->TextHeight("Qq") / 2;
        if (dragCaption_ % 2 == 0) ++dragCaption_;
    }
    if (dragCaption_ != caption && HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const TRect work = GetWorkAreaAtPoint(requested_);
    const int total = requestedHeight_ > 0 ? requestedHeight_ : work.bottom - work.top;
    const int available = total - 2 * (inset + 1) - dragCaption_ - (HasHiddenItems() ? expandBand_ : 0);
    int width = 0, height = 0;
    lastVisible_ = -1;
    if (links != nullptr) {
        links->ClearItemRects();
        const auto& shown = links->ShownItems();
        for (TubBarItemLink* link : shown)
            if (link->Control != nullptr) width = std::max(width, link->Control->GetWidth());
        firstVisible_ = std::clamp(firstVisible_, 0, std::max(shown.Count() - 1, 0));
        for (int i = firstVisible_; i < shown.Count(); ++i) {
            TubBarItemLink* link = shown.Get(i);
            if (link->Control == nullptr) continue;
            // A group's separator, except above the first line and the line below the scroll-up arrow.
            const bool gap =
                link->GetBeginGroup() && i != firstVisible_ && !(i == firstVisible_ + 1 && firstVisible_ > 0);
            const int top = height + (gap ? separator : 0);
            const int h = link->Control->GetHeight();
            if (top + h > available && lastVisible_ >= 0) break;
            link->ItemRect = TRect(left, inset + top, left + width, inset + top + h);
            height = top + h;
            lastVisible_ = i;
        }
        // The arrows take the places of the first and last lines.
        if (CanScrollUp()) shown.Get(firstVisible_)->ItemRect = TRect{};
        if (CanScrollDown()) shown.Get(lastVisible_)->ItemRect = TRect{};
    }
    if (width == 0) width = 100;
    area_ = TRect(left, inset, left + width, inset + height);
    const int w = left + width + inset + 2;
    const int h = height + 2 * (inset + 1) + dragCaption_ + (HasHiddenItems() ? expandBand_ : 0);
    SetBounds(GetLeft(), GetTop(), w, h);
}

void TubBarSubMenuControl::Place() {
    LayOut();
    requested_ = PlacePoint(GetWidth(), GetHeight());
    const TRect work = GetWorkAreaAtPoint(requested_);
    const int w = GetWidth();
    int h = GetHeight();
    int left = requested_.x, top = requested_.y;
    openedLeft_ = openedUp_ = false;
    if (left + w > work.right) {
        if (ExclusionWidth == 0) left = work.right - w;
        else if (work.right - left < left - ExclusionWidth - work.left) {
            left = left - ExclusionWidth - w;
            openedLeft_ = true;
        }
    }
    if (left < work.left && ExclusionWidth != 0 && !PreferRight && openedLeft_ &&
        work.right - requested_.x > requested_.x - ExclusionWidth - work.left) {
        left = requested_.x;
        openedLeft_ = false;
    }
    left = std::max<int>(work.left, std::min<int>(left, work.right - w));
    int room = h;
    if (top + h > work.bottom) {
        if (ExclusionHeight != 0) {
            const int above = top - ExclusionHeight - work.top, below = work.bottom - top;
            if (above > below) {
                openedUp_ = true;
                room = std::min(h, above);
                top = top - ExclusionHeight - room;
            } else room = below;
        } else if ((ParentBar != nullptr && ParentBar->IsSubMenu()) || top - work.top < h) {
            top = std::max<int>(work.top, work.bottom - h);
            room = work.bottom - top;
        } else {
            top -= h;
            openedUp_ = true;
        }
    }
    if (top < work.top) {
        top = work.top;
        room = std::min<int>(room, work.bottom - work.top);
    }
    if (room < h) {
        // Shortened: the links scroll.
        requestedHeight_ = room;
        LayOut();
        requestedHeight_ = 0;
        h = GetHeight();
    }
    SetBounds(left, top, w, h);
}

void TubBarSubMenuControl::Rebuild() {
    if (!HandleAllocated() || expanding_) return;
    ShowWindow(GetHandle(), SW_HIDE);
    const int first = firstVisible_;
    // The controls are made again (the containers filled again); the selection stays on its line.
    TubBarItemLinks* links = GetItemLinks();
    const int selected =
        SelectedControl() != nullptr && SelectedControl()->Link != nullptr ? SelectedControl()->Link->GetIndex() : -1;
    DestroyControls();
    recreating_ = true;
    const TAliveCheck alive(this);
    RecreateWnd();
    HandleNeeded();
    if (!alive.Alive()) return;
    recreating_ = false;
    // Scrolled with room left at the bottom: as far back as the room allows.
    firstVisible_ = first;
    Place();
    while (firstVisible_ > 0) {
        const int before = firstVisible_;
        --firstVisible_;
        Place();
        if (CanScrollDown()) {
            firstVisible_ = before;
            Place();
            break;
        }
    }
    SetWindowPos(GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (links != nullptr && selected >= 0 && selected < links->Count() && links->Items(selected)->Control != nullptr)
        SelectByKeyboard(links->Items(selected)->Control);
    Invalidate();
}

void TubBarSubMenuControl::Expand() {
    if (!HasHiddenItems()) return;
    MenusExpanded = true;
    StopExpandTimer();
    expandState_ = msNone;
    if (TubBarItemLinks* links = GetItemLinks()) links->SetRecentItemCount(-1);
    Rebuild();
}

// ---- scrolling -----------------------------------------------------------------------------------------------

void TubBarSubMenuControl::ScrollBy(int Delta) {
    firstVisible_ += Delta;
    Place();
    Invalidate();
}

void TubBarSubMenuControl::StartScrollTimer() {
    if (scrollTimer_ == 0) scrollTimer_ = SetTimer(GetHandle(), kScrollTimerId, ubScrollPeriod, nullptr);
}

void TubBarSubMenuControl::StopScrollTimer() {
    if (scrollTimer_ != 0 && HandleAllocated()) KillTimer(GetHandle(), kScrollTimerId);
    scrollTimer_ = 0;
    scrollDirection_ = 0;
}

void TubBarSubMenuControl::ScrollTick() {
    const bool can = scrollDirection_ < 0 ? CanScrollUp() : scrollDirection_ > 0 && CanScrollDown();
    if (can) ScrollBy(scrollDirection_);
    if (scrollDirection_ < 0 ? CanScrollUp() : scrollDirection_ > 0 && CanScrollDown()) return;
    // At the end: hot tracking resumes where the pointer rests.
    StopScrollTimer();
    POINT p{};
    GetCursorPos(&p);
    ::zel::ScreenToClient(GetHandle(), &p);
    lastPointer_ = TPoint(-1, -1);
    PostMessage(GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

void TubBarSubMenuControl::SelectByKeyboard(TubBarItemControl* AControl) {
    TubBarItemLinks* links = GetItemLinks();
    if (AControl != nullptr && links != nullptr && HandleAllocated() && AControl->Link != nullptr) {
        const int at = links->ShownItems().IndexOf(AControl->Link);
        // Scrolled until the link's line is neither hidden nor under an arrow.
        while (at >= 0 && at <= firstVisible_ && CanScrollUp()) ScrollBy(-1);
        while (at >= 0 && IsRectEmpty(&AControl->Link->ItemRect) && CanScrollDown()) ScrollBy(1);
    }
    TCustomubBarControl::SelectByKeyboard(AControl);
}

// ---- expand button ---------------------------------------------------------------------------------------------

void TubBarSubMenuControl::StartExpandTimer(UINT Id, UINT Delay) {
    StopExpandTimer();
    expandTimerId_ = Id;
    expandTimer_ = SetTimer(GetHandle(), Id, Delay, nullptr);
}

void TubBarSubMenuControl::StopExpandTimer() {
    if (expandTimer_ != 0 && HandleAllocated()) KillTimer(GetHandle(), expandTimerId_);
    expandTimer_ = 0;
    expandTimerId_ = 0;
}

void TubBarSubMenuControl::ExpandTick(UINT Id) {
    StopExpandTimer();
    if (Id == kExpandHotTimerId && ChildMenu == nullptr) SetExpandState(msSelected);
    else if (Id == kExpandTimerId) Expand();
}

void TubBarSubMenuControl::SetExpandState(TubBarMarkState Value) {
    if (expandState_ == Value) return;
    expandState_ = Value;
    const TRect r = ExpandButtonRect();
    InvalidateRect(GetHandle(), &r, FALSE);
    TubBarManager* m = BarManager();
    if (m == nullptr) return;
    if (Value == msSelected && m->GetShowFullMenusAfterDelay()) StartExpandTimer(kExpandTimerId, ubExpandHotDelay);
    if (!m->GetShowFullMenusAfterDelay())
        UpdateHint(m, Value == msSelected, Value == msSelected ? LoadLibraryString(&ubSubExpandMenu) : std::string());
}

// ---- painting ------------------------------------------------------------------------------------------------

void TubBarSubMenuControl::Paint() {
    if (animate_) return;
    const HDC dc = Canvas()->GetHandle();
    const TubBarPainterClass painter = BarPainterOf(BarManager());
    const TSize client = ClientSize();
    const int inset = FrameInset(painter);
    TRect inside(inset, inset, client.cx - inset, client.cy - inset);
    // Below a drag caption the menu's background runs up to the caption.
    if (dragCaption_ > 0) inside.top = 0;
    const TRect band = SideBandRect();
    inside.left += band.right - band.left;
    if (TBitmap* picture = BackgroundBitmap()) FillBackground(dc, inside, inside, picture, clBtnFace);
    else painter->DrawSubMenuBackground(dc, inside, glyphColumn_, MenusExpanded && recentCount_ >= 0);
    // The painter's frame is wider than the window's border: its inner part is drawn in the client area, as
    // the part of the frame of the whole window that falls there.
    const int saved = SaveDC(dc);
    OffsetWindowOrgEx(dc, 1, 1 + dragCaption_, nullptr);
    IntersectClipRect(dc, 1, 1 + dragCaption_, 1 + client.cx, 1 + dragCaption_ + client.cy);
    painter->DrawSubMenuFrame(dc, TRect(0, 0, GetWidth(), GetHeight()), GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(dc, saved);
    if (!IsRectEmpty(&band)) PaintSideBand(band);
    TubBarItemLinks* links = GetItemLinks();
    if (links != nullptr && lastVisible_ >= 0) {
        const auto& shown = links->ShownItems();
        int previousBottom = area_.top;
        for (int i = firstVisible_; i <= lastVisible_ && i < shown.Count(); ++i) {
            TubBarItemLink* link = shown.Get(i);
            const TRect& r = link->ItemRect;
            if (IsRectEmpty(&r)) {
                previousBottom += LineHeight();
                continue;
            }
            if (r.top > previousBottom)
                painter->DrawSubMenuSeparator(dc, TRect(area_.left, previousBottom, area_.right, r.top), glyphColumn_);
            DrawItemControl(link->Control, r);
            previousBottom = r.bottom;
        }
    }
    auto arrow = [&](const TRect& r, bool Up) {
        if (IsRectEmpty(&r)) return;
        painter->FillSubMenuPart(dc, r, false, false);
        const int s = ArrowSize(r, false);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        for (int i = 0; i < s; ++i) {
            const int row = Up ? y - s / 2 + i : y + s / 2 - i;
            const TRect line(x - i, row, x + i + 1, row + 1);
            FillRect(dc, &line, GetSysColorBrush(COLOR_BTNTEXT));
        }
    };
    arrow(ScrollUpRect(), true);
    arrow(ScrollDownRect(), false);
    const TRect expand = ExpandButtonRect();
    if (!IsRectEmpty(&expand)) {
        painter->FillSubMenuPart(dc, expand, expandState_ == msSelected, expandState_ == msPressed);
        // A double arrow pointing down.
        const int x = (expand.left + expand.right) / 2, y = (expand.top + expand.bottom) / 2 - 3;
        for (int k = 0; k < 2; ++k)
            for (int i = 0; i < 3; ++i) {
                const TRect line(x - 2 + i, y + 3 * k + i, x + 3 - i, y + 3 * k + i + 1);
                FillRect(dc, &line, GetSysColorBrush(COLOR_BTNTEXT));
            }
    }
}

void TubBarSubMenuControl::PaintSideBand(const TRect& R) {
    auto* sub = dynamic_cast<TCustomubBarSubItem*>(GetItemLinks()->Owner());
    FillRect(Canvas()->GetHandle(), &R, GetSysColorBrush(COLOR_BTNFACE));
    TubBarManager* m = BarManager();
    if (m != nullptr && m->Designing()) {
        // In design mode the band shows as a plain frame.
        FrameRect(Canvas()->GetHandle(), &R, GetSysColorBrush(COLOR_BTNSHADOW));
        return;
    }
    if (sub != nullptr) sub->DoPaintBar(Canvas(), R);
    else if (auto* popup = dynamic_cast<TubBarPopupMenu*>(GetItemLinks()->Owner())) popup->DoPaintBar(Canvas(), R);
}

void TubBarSubMenuControl::DrawItemControl(TubBarItemControl* AControl, const TRect& R) {
    paintingRarelyUsed_ = AControl->Link != nullptr && IsRarelyUsed(AControl->Link);
    TCustomubBarControl::DrawItemControl(AControl, R);
    paintingRarelyUsed_ = false;
}

void TubBarSubMenuControl::PaintBackground(HDC DC, const TRect& R) {
    // A line lies on the menu's background: the glyph column, then the lighter one of a rarely used line.
    const TubBarPainterClass painter = BarPainterOf(BarManager());
    if (TBitmap* picture = BackgroundBitmap()) {
        // The picture lies under the whole window: a line shows its own part of it.
        const TSize client = ClientSize();
        const int inset = FrameInset(painter);
        const TRect band = SideBandRect();
        const TRect origin(inset + band.right - band.left, inset, client.cx - inset, client.cy - inset);
        FillBackground(DC, R, origin, picture, clBtnFace);
        return;
    }
    if (!paintingRarelyUsed_) {
        painter->DrawSubMenuBackground(DC, R, glyphColumn_, false);
        return;
    }
    FillRect(DC, &R, rarelyUsedBrush_);
    painter->DrawSubMenuBackground(DC, TRect(R.left, R.top, R.left + glyphColumn_, R.bottom), glyphColumn_, true);
}

TCustomImageList* TubBarSubMenuControl::GetImages() const {
    if (ParentBar != nullptr && IsLiveBarControl(ParentBar)) return ParentBar->GetImages();
    return TCustomubBarControl::GetImages();
}

bool TubBarSubMenuControl::RightButtonAsLeft() const {
    if (ExclusionWidth == 0 && ExclusionHeight == 0) return true;
    auto* parent = dynamic_cast<TubBarSubMenuControl*>(ParentBar);
    return parent != nullptr && IsLiveBarControl(parent) && parent->RightButtonAsLeft();
}

// ---- customizing -------------------------------------------------------------------------------------------

bool TubBarSubMenuControl::CanCustomize() const {
    TubBarManager* m = BarManager();
    if (m != nullptr && m->Designing()) return true;
    const TubBarItemLinks* links = GetItemLinks();
    if (links == nullptr) return false;
    if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(links->Owner())) return sub->AllowCustomizing;
    return true;
}

bool TubBarSubMenuControl::IsCustomizing() const {
    const TubBarItemLinks* links = GetItemLinks();
    if (links != nullptr)
        if (auto* sub = dynamic_cast<TCustomubBarSubItem*>(links->Owner()); sub != nullptr && sub->Internal)
            return false;
    return TCustomubBarControl::IsCustomizing();
}

// ---- messages ------------------------------------------------------------------------------------------------

void TubBarSubMenuControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; return;
        case WM_TIMER:
            if (Message.WParam == kScrollTimerId) ScrollTick();
            else if (Message.WParam == kExpandTimerId || Message.WParam == kExpandHotTimerId)
                ExpandTick(static_cast<UINT>(Message.WParam));
            return;
        case WM_MOUSELEAVE:
            StopScrollTimer();
            if (expandState_ == msSelected) SetExpandState(msNone);
            break;
        case WM_LBUTTONDOWN:
            if (scrollTimer_ != 0) return;
            break;
        case WM_NCCALCSIZE: {
            // A one-pixel border on every side, and the drag caption's band at the top.
            auto* r = reinterpret_cast<RECT*>(Message.LParam);
            r->left += 1;
            r->top += 1 + dragCaption_;
            r->right -= 1;
            r->bottom -= 1;
            Message.Result = 0;
            return;
        }
        case WM_NCHITTEST: {
            // The drag caption belongs to the menu's own presses and moves.
            const TRect caption = DragCaptionRect();
            if (PtInRect(&caption,
                         ScreenToClient(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}))) {
                Message.Result = HTCLIENT;
                return;
            }
            break;
        }
        case WM_NCPAINT: {
            if (animate_) return;
            const HDC dc = GetWindowDC(GetHandle());
            // Only the frame: the client area paints itself.
            const TSize client = ClientSize();
            ExcludeClipRect(dc, 1, 1 + dragCaption_, 1 + client.cx, 1 + dragCaption_ + client.cy);
            PaintFrame(dc);
            ReleaseDC(GetHandle(), dc);
            Message.Result = 0;
            return;
        }
        case WM_PRINT:
        case WM_PRINTCLIENT: {
            // WM_PRINT paints the frame and the client area at its place in the window; WM_PRINTCLIENT the
            // client area alone.
            if (Message.WParam == 0 || animate_) return;
            const auto dc = reinterpret_cast<HDC>(Message.WParam);
            POINT origin{};
            if (Message.Msg == WM_PRINT) {
                PaintFrame(dc);
                OffsetViewportOrgEx(dc, 1, 1 + dragCaption_, &origin);
            }
            PaintWindow(dc);
            if (Message.Msg == WM_PRINT) SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
            return;
        }
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            const TAliveCheck alive(this);
            TCustomubBarControl::Dispatch(Message);
            if (alive.Alive() && RightButtonAsLeft())
                Perform(Message.Msg == WM_RBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, Message.WParam, Message.LParam);
            return;
        }
        default: break;
    }
    TCustomubBarControl::Dispatch(Message);
}

bool TubBarSubMenuControl::KeyInMenuMode(WORD Key, TShiftState Shift) {
    TAliveCheck alive(this);
    const bool ctrl = Shift.Contains(ssCtrl);
    if (Key == VK_DOWN && ctrl && HasHiddenItems()) {
        Expand();
        return true;
    }
    TubBarItemLinks* links = GetItemLinks();
    if ((Key == VK_DOWN || Key == VK_TAB) && !ctrl && HasHiddenItems() && links != nullptr &&
        SelectedControl() != nullptr && SelectedControl()->Link == links->Last()) {
        Expand();
        if (alive.Alive()) Perform(WM_KEYDOWN, Key, 0);
        return true;
    }
    if (TCustomubBarControl::KeyInMenuMode(Key, Shift)) return true;
    if (!alive.Alive()) return true;
    TCustomubBarControl* parent = ParentBar != nullptr && IsLiveBarControl(ParentBar) ? ParentBar : nullptr;
    switch (Key) {
        case VK_ESCAPE:
            if (parent != nullptr && parent->SelectedControl() != nullptr) {
                closingByKey_ = true;
                const TAliveCheck parentAlive(parent);
                parent->SelectedControl()->ControlInactivate(true);
                if (parentAlive.Alive() && parent->IsToolbar()) parent->EndKeyboardOpen();
            } else if (parent == nullptr) CloseUp();
            return true;
        case VK_LEFT:
            if (parent == nullptr) return true;
            if (parent->IsSubMenu() || IsVerticalBarControl(parent)) return KeyInMenuMode(VK_ESCAPE, Shift);
            parent->Perform(WM_KEYDOWN, VK_LEFT, 0);
            return true;
        case VK_RIGHT:
            if (TCustomubBarControl* root = RootToolbarControl(this); root != nullptr && !IsVerticalBarControl(root))
                root->Perform(WM_KEYDOWN, VK_RIGHT, 0);
            return true;
        default: return false;
    }
}

void TubBarSubMenuControl::LButtonDown(TMessage& Message) {
    const TPoint p = PointOf(Message);
    if (const TRect caption = DragCaptionRect(); PtInRect(&caption, p)) {
        TearOff();
        return;
    }
    const TRect expand = ExpandButtonRect();
    if (PtInRect(&expand, p)) {
        if (expandState_ != msNone) {
            SetExpandState(msPressed);
            Expand();
        } else {
            SelectByKeyboard(nullptr);
            SetExpandState(msSelected);
        }
        return;
    }
    TCustomubBarControl::LButtonDown(Message);
}

void TubBarSubMenuControl::MouseMoved(TMessage& Message) {
    const TPoint p = PointOf(Message);
    // While the pointer is over the menu, its opener stays selected.
    if (ParentBar != nullptr && ParentControl != nullptr && IsLiveBarControl(ParentBar) &&
        ParentBar->HoldsControl(ParentControl) && ParentBar->SelectedControl() != ParentControl &&
        ParentBar->IsSubMenu())
        ParentBar->SelectByKeyboard(ParentControl);
    // Over the drag caption: the move cursor and what dragging it does.
    const TRect caption = DragCaptionRect();
    const bool onCaption = PtInRect(&caption, p) != FALSE;
    if (onCaption != (GetCursor() == crSizeAll) && !IsRectEmpty(&caption)) {
        SetCursor(onCaption ? crSizeAll : crDefault);
        if (TubBarManager* m = BarManager())
            UpdateHint(m, onCaption, onCaption ? LoadLibraryString(&ubSubDragToMakeMenuFloat) : std::string());
    }
    if (onCaption) {
        SelectByPointer(nullptr);
        return;
    }
    const TRect expand = ExpandButtonRect();
    if (!IsRectEmpty(&expand)) {
        const bool over = PtInRect(&expand, p) != FALSE;
        if (over && expandState_ == msNone) {
            SelectByPointer(nullptr);
            SetExpandState(msSelected);
        } else if (!over && expandState_ == msSelected) SetExpandState(msNone);
        if (over) return;
    }
    const TRect up = ScrollUpRect(), down = ScrollDownRect();
    const int direction = PtInRect(&up, p) ? -1 : PtInRect(&down, p) ? 1 : 0;
    if (direction != 0) {
        scrollDirection_ = direction;
        StartScrollTimer();
        return;
    }
    StopScrollTimer();
    TubBarItemControl* before = SelectedControl();
    TCustomubBarControl::MouseMoved(Message);
    TubBarManager* m = BarManager();
    if (SelectedControl() != before && m != nullptr && m->GetShowFullMenusAfterDelay() && HasHiddenItems() &&
        ChildMenu == nullptr && HandleAllocated())
        StartExpandTimer(kExpandHotTimerId, ubExpandDelay);
}

// -------------------------------------------------------------------------------------- container sub-menu

TContainerItemSubMenuControl::~TContainerItemSubMenuControl() {
    Closed();
    // What was generated for the content (a list item's buttons) stays until the next fill: the click on one
    // of them that closed the menu runs after the menu is gone.
    if (ContainerItem != nullptr) ContainerItem->MarkFilled();
}

void TContainerItemSubMenuControl::Closed() {
    if (ContainerItem == nullptr || GetItemLinks() == nullptr || contentRemoved_) return;
    contentRemoved_ = true;
    ContainerItem->Remove(GetItemLinks(), 0);
}

}  // namespace zel
