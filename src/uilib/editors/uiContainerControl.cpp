// The container control: its frame computed from the style of the current state, the frame painting, the
// window region, the inner control it sizes and forwards keys and focus to, and hot tracking.
#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"
#include "platform/win/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiDWMApi.h"
#include "uilib/editors/uiEditPaintUtils.h"

namespace zel {

namespace {

// Posted by CreateWnd: the first refresh once the window exists.
constexpr UINT UM_CONTAINER_REFRESH = WM_APP + 127;
// Posted to the container when its own scroll bars are to follow the inner control's.
constexpr UINT UM_CONTAINER_SCROLLBARS = WM_APP + 128;
// Posted to the container, or to its inner control, when a repaint on the glass surface is pending.
constexpr UINT UM_CONTAINER_GLASS_REPAINT = WM_APP + 129;

// The inner control's messages after which its scroll bars may have changed.
bool ChangesInnerScrollState(UINT Msg) {
    switch (Msg) {
        case WM_WINDOWPOSCHANGED:
        case WM_SIZE:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_SETTEXT:
        case WM_SETREDRAW:
        case WM_LBUTTONUP:
        case CM_WININICHANGE: return true;
        // The EDIT's requests and the LISTBOX's.
        default: return (Msg >= 0x00B0 && Msg <= 0x00DA) || (Msg >= 0x0180 && Msg <= 0x01B0);
    }
}

bool PointIn(const TRect& R, TPoint P) { return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom; }

TRect Deflated(const TRect& R, const TRect& By) {
    return TRect{R.left + By.left, R.top + By.top, R.right - By.right, R.bottom - By.bottom};
}

}  // namespace

TShiftState TuiContainer::MouseShiftState;

int ContainerBorderWidth(TuiContainerBorderStyle AStyle) {
    static constexpr int kWidths[] = {0, 1, 2, 2, 2, 1, 1};
    const int i = static_cast<int>(AStyle);
    return i >= 0 && i < 7 ? kWidths[i] : 0;
}

// ------------------------------------------------------------------------------------------------ unit routines

bool PurgeMessages(HWND Window, UINT First, UINT Last, bool All) {
    bool removed = false;
    MSG msg{};
    while (PeekMessage(&msg, Window, First, Last, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        removed = true;
        if (!All) break;
    }
    return removed;
}

TRect ControlBoundsRect(TControl* Control) { return TRect{0, 0, Control->GetWidth(), Control->GetHeight()}; }

void InvalidateFrameRing(HWND Window, const TRect& Outer, const TRect& Inner, bool Erase) {
    if (IsRectEmpty(&Inner)) {
        InvalidateRect(Window, &Outer, Erase);
        return;
    }
    const TRect strips[] = {TRect{Outer.left, Outer.top, Inner.left, Outer.bottom},
                            TRect{Inner.left, Outer.top, Inner.right, Inner.top},
                            TRect{Inner.right, Outer.top, Outer.right, Outer.bottom},
                            TRect{Inner.left, Inner.bottom, Inner.right, Outer.bottom}};
    for (const TRect& r : strips)
        if (!IsRectEmpty(&r)) InvalidateRect(Window, &r, Erase);
}

bool IsControlShowing(TWinControl* Control) {
    return Control != nullptr && Control->HandleAllocated() && IsWindowVisible(Control->GetHandle());
}

TShiftState CurrentShiftState() { return KeyboardStateToShiftState(); }

void SetRegionIfChanged(HWND Window, const TRect& R, bool ANone, const TRect& AExcluded, bool AShadow) {
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    const bool hasRegion = GetWindowRgn(Window, current) != ERROR;
    if (ANone) {
        DeleteObject(current);
        if (hasRegion) SetWindowRgn(Window, nullptr, TRUE);
        return;
    }
    HRGN region = CreateRectRgn(R.left, R.top, R.right, R.bottom);
    if (AShadow) {
        HRGN shadow = CreateRectRgn(R.left + 3, R.top + 3, R.right + 3, R.bottom + 3);
        CombineRgn(region, region, shadow, RGN_OR);
        DeleteObject(shadow);
    }
    if (!IsRectEmpty(&AExcluded)) {
        HRGN excluded = CreateRectRgn(AExcluded.left, AExcluded.top, AExcluded.right, AExcluded.bottom);
        CombineRgn(region, region, excluded, RGN_DIFF);
        DeleteObject(excluded);
    }
    if (hasRegion && EqualRgn(current, region)) DeleteObject(region);
    else SetWindowRgn(Window, region, TRUE);
    DeleteObject(current);
}

bool PaintWindowOnGlass(HWND Window, HDC DC, const TRect& R) {
    uxtheme::BP_PAINTPARAMS params;
    params.dwFlags = uxtheme::BPPF_ERASE;
    HDC paintDC = nullptr;
    uxtheme::HPAINTBUFFER buffer = ::zel::BeginBufferedPaint(DC, &R, uxtheme::BPBF_TOPDOWNDIB, &params, &paintDC);
    if (buffer == nullptr) {
        SendMessage(Window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
        return false;
    }
    SendMessage(Window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paintDC), PRF_CLIENT);
    ::zel::BufferedPaintSetAlpha(buffer, &R, 255);
    ::zel::EndBufferedPaint(buffer, TRUE);
    return true;
}

void RepaintWindowOnGlass(HWND Window) {
    RECT r{};
    GetClientRect(Window, &r);
    HDC dc = GetDC(Window);
    PaintWindowOnGlass(Window, dc, TRect{r.left, r.top, r.right, r.bottom});
    ReleaseDC(Window, dc);
}

// ------------------------------------------------------------------------------------------------ view info

void TuiContainerViewInfo::MoveBy(int DX, int DY) {
    for (TRect* r : {&Bounds, &BorderRect, &ClientRect}) OffsetRect(r, DX, DY);
}

void TuiContainerViewInfo::DrawBorder(TCanvas* ACanvas, TRect R) {
    TuiCanvas canvas(ACanvas);
    if (Painter != nullptr || BorderStyle == cbsSingle || BorderStyle == cbsThick) {
        canvas.FrameRect(R, BorderColor, BorderWidth);
        return;
    }
    switch (BorderStyle) {
        case cbsFlat:
            canvas.DrawEdge(R, true, true, Edges);
            InflateRect(&R, -1, -1);
            canvas.FrameRect(R, clBtnFace, 1, Edges);
            break;
        case cbs3D:
            canvas.DrawEdge(R, true, true, Edges);
            InflateRect(&R, -1, -1);
            canvas.DrawTwoColourFrame(R, cl3DDkShadow, cl3DLight, Edges);
            break;
        default: break;
    }
}

void TuiContainerViewInfo::PaintFrame(TCanvas* ACanvas) {
    if (NativeStyle) {
        PaintNative(ACanvas);
        return;
    }
    HDC dc = ACanvas->GetHandle();
    const int saved = SaveDC(dc);
    PaintBorderAndShadow(ACanvas);
    FillWithColor(ACanvas, BorderRect, BackgroundColor);
    RestoreDC(dc, saved);
}

void TuiContainerViewInfo::PaintBorderAndShadow(TCanvas* ACanvas) {
    HDC dc = ACanvas->GetHandle();
    TRect outer = BorderRect;
    InflateRect(&outer, BorderWidth, BorderWidth);
    if (Shadow) {
        // The shadow lies under the frame's right and bottom sides (only those the frame draws), 3 pixels
        // down and right; each bar is kept out of what is painted after it.
        TRect r = BorderRect;
        r.left -= BorderWidth;
        r.top -= BorderWidth;
        if (Edges.Contains(bRight)) r.right += BorderWidth;
        if (Edges.Contains(bBottom)) r.bottom += BorderWidth;
        const TRect bars[] = {TRect{r.left + 3, r.bottom, r.right, r.bottom + 3},
                              TRect{r.right, r.top + 3, r.right + 3, r.bottom + 3}};
        for (const TRect& bar : bars) {
            FillWithColor(ACanvas, bar, clBtnShadow);
            ExcludeClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
        }
    }
    DrawBorder(ACanvas, outer);
}

void TuiContainerViewInfo::PaintNative(TCanvas* ACanvas) {
    if (BorderStyle == cbsNone) {
        FillWithColor(ACanvas, Bounds, BackgroundColor);
        return;
    }
    HDC dc = ACanvas->GetHandle();
    TRect content = Bounds;
    if (HTHEME theme = OpenThemeForType(ThemedObjectType); theme != nullptr)
        GetThemeBackgroundContentRect(theme, dc, 1, NativeState, &Bounds, &content);
    FillWithColor(ACanvas, content, BackgroundColor);
    // The themed frame colour: of the list box under desktop composition, else of the combo box.
    const bool glass = IsDesktopCompositionOn();
    COLORREF frame = static_cast<COLORREF>(ColorToRGB(clBtnShadow));
    if (HTHEME theme = OpenThemeForType(glass ? thListBox : thComboBox); theme != nullptr)
        GetThemeColor(theme, glass ? 3 : 1, 1, 3801, &frame);
    FillRectExcept(dc, Bounds, content, uiGetSolidBrush(static_cast<TColor>(frame)));
}

// ------------------------------------------------------------------------------------------------ container

TuiContainer::TuiContainer(TComponent* AOwner) : TuiControl(AOwner) {
    ControlStyle.Include(csCaptureMouse).Include(csSetCaption);
    TabStop = true;
}

void TuiContainer::AfterConstruction() {
    TuiControl::AfterConstruction();
    styles_ = new TuiContainerStyles(StyleObjectClass(), this);
    for (TuiContainerStyleState state : {cssNormal, cssFocused, cssDisabled, cssHot})
        styles_->Style(state)->OnChanged = [this](TuiContainerStyle* S) { StyleChangedHandler(S); };
    viewInfo_ = CreateViewInfo();
    GetLookAndFeel()->SetMasterLookAndFeel(Style()->GetLookAndFeel());
    internalSetting_ = true;
    const bool parentColor =
        DefaultParentColor() && !IsInPlaceEditor() && (Style()->GetAssignedValues() & StyleValueBit(csvColor)) == 0;
    SetParentColor(parentColor);
    if (!parentColor) SetColor(clWindow);
    internalSetting_ = false;
    InitDefaults();
    creating_ = false;
}

TuiContainer::~TuiContainer() {
    MouseTrackingStop();
    destroying_ = true;
    if (innerControl_ != nullptr) {
        innerControl_->WindowProc = innerSavedWndProc_;
        innerControl_->RemoveFreeNotification(this);
    }
    delete viewInfo_;
    viewInfo_ = nullptr;
    if (styles_ != nullptr)
        for (TuiContainerStyleState state : {cssNormal, cssFocused, cssDisabled, cssHot})
            styles_->Style(state)->OnChanged = nullptr;
    delete styles_;
    styles_ = nullptr;
}

void TuiContainer::SetInnerControl(TWinControl* Value) {
    if (Value == innerControl_) return;
    if (innerControl_ != nullptr) {
        innerControl_->WindowProc = innerSavedWndProc_;
        innerControl_->RemoveFreeNotification(this);
    }
    innerControl_ = Value;
    if (innerControl_ != nullptr) {
        innerControl_->FreeNotification(this);
        innerSavedWndProc_ = innerControl_->WindowProc;
        innerControl_->WindowProc = [this](TMessage& M) { InnerWndProc(M); };
    }
    RefreshFrame();
}

void TuiContainer::Notification(TComponent* AComponent, TOperation Operation) {
    TuiControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == innerControl_) innerControl_ = nullptr;
}

void TuiContainer::InnerWndProc(TMessage& Message) {
    if (InnerControlKeyHook(Message)) return;
    if (Message.Msg == WM_CONTEXTMENU) {
        InnerControlMessage(Message);
        if (Message.Result != 0) return;
    }
    // A pending repaint on glass runs first; the inner control sees the message after it.
    if (Message.Msg == UM_CONTAINER_GLASS_REPAINT) InnerControlMessage(Message);
    CallInnerDefaultProc(Message);
    // The colours were given: the glass steps come after them.
    if (Message.Msg == CN_CTLCOLOREDIT) InnerControlMessage(Message);
    if (ChangesInnerScrollState(Message.Msg) && HasInnerScrollBars() && !destroying_) SyncInnerScrollBars();
    // The frame shows whether the inner control holds the focus.
    if ((Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) && !destroying_) ShortRefresh();
}

void TuiContainer::CallInnerDefaultProc(TMessage& Message) {
    if (innerSavedWndProc_) innerSavedWndProc_(Message);
}

bool TuiContainer::InnerControlKeyHook(TMessage& Message) {
    if ((Message.Msg == CN_KEYDOWN || Message.Msg == CN_SYSKEYDOWN) && IsShortCutOfPopupMenu(Message)) {
        Message.Result = 1;
        return true;
    }
    return false;
}

void TuiContainer::InnerControlMessage(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CONTEXTMENU: Message.Result = Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam); break;
        case UM_CONTAINER_GLASS_REPAINT:
            // The flag stays set while the inner control paints, so that its colour request posts no new repaint.
            if (innerRepaintOnGlass_ && innerControl_ != nullptr && innerControl_->HandleAllocated())
                RepaintWindowOnGlass(innerControl_->GetHandle());
            innerRepaintOnGlass_ = false;
            break;
        case CN_CTLCOLOREDIT:
            if (PaintsOnGlass() && !innerRepaintOnGlass_ && innerControl_ != nullptr &&
                innerControl_->HandleAllocated()) {
                innerRepaintOnGlass_ = true;
                PostMessage(innerControl_->GetHandle(), UM_CONTAINER_GLASS_REPAINT, 0, 0);
            }
            break;
        default: break;
    }
}

bool TuiContainer::PaintsOnGlass() { return IsDesktopCompositionOn() && IsOnGlass(); }

bool TuiContainer::ContainerFocused() {
    if (IsDesigning() || !HandleAllocated()) return false;
    const HWND focus = GetFocus();
    if (focus == nullptr) return false;
    return focus == GetHandle() ||
           (innerControl_ != nullptr && innerControl_->HandleAllocated() && focus == innerControl_->GetHandle());
}

void TuiContainer::SetFocus() {
    if (IsDesigning() || ContainerFocused()) return;
    TuiControl::SetFocus();
    if (HandleAllocated() && GetFocus() == GetHandle() && innerControl_ != nullptr && innerControl_->HandleAllocated())
        FocusInnerControl();
}

void TuiContainer::FocusInnerControl() {
    if (innerControl_ != nullptr && innerControl_->CanFocus()) innerControl_->SetFocus();
}

void TuiContainer::Invalidate() {
    TuiControl::Invalidate();
    if (innerControl_ != nullptr) innerControl_->Invalidate();
}

void TuiContainer::Update() {
    TuiControl::Update();
    if (innerControl_ != nullptr) innerControl_->Update();
}

bool TuiContainer::IsStylePropertyStored(const std::string& AName, bool AIsStateStyle) {
    if (AIsStateStyle && !Style()->IsStatePropertyVisible(AName)) return false;
    TuiContainerStyleValue value = 0;
    if (Style()->FindStyleValue(AName, value) && (HiddenStyleValues() & StyleValueBit(value)) != 0) return false;
    return true;
}

// ---- styles and view info

TuiContainerStyle* TuiContainer::StyleForState() {
    const TuiContainerState state = viewInfo_->ContainerState;
    if (state.Contains(cisDisabled)) return StyleDisabled();
    if (state.Contains(cisActive)) return StyleFocused();
    if (state.Contains(cisHotTrack) && Style()->GetHotTrack()) return StyleHot();
    return Style();
}

TuiContainerStyle* TuiContainer::ActiveStyle() {
    if (activeStyle_ == nullptr || !(activeStyleState_ == viewInfo_->ContainerState)) {
        activeStyle_ = StyleForState();
        activeStyleState_ = viewInfo_->ContainerState;
    }
    return activeStyle_;
}

bool TuiContainer::HasShadow() { return ActiveStyle()->GetShadow() && !viewInfo_->NativeStyle; }

bool TuiContainer::UsesWindowRegion() { return !(viewInfo_->NativeStyle && viewInfo_->BorderStyle != cbsNone); }

bool TuiContainer::IsNativeStyle() {
    return GetLookAndFeel()->GetNativeStyle() && OpenThemeForType(ThemeObjectType()) != nullptr;
}

int TuiContainer::ThemePart() { return IsDesktopCompositionOn() ? 3 : 1; }

int TuiContainer::ThemeState() {
    if (!GetEnabled()) return 4;
    if (IsReadOnly()) return 6;
    if (ContainerFocused()) return 5;
    if (viewInfo_->ContainerState.Contains(cisHotTrack)) return 2;
    return 1;
}

TRect TuiContainer::FrameExtent() {
    TuiContainerStyle* style = ActiveStyle();
    TRect r{0, 0, 0, 0};
    const bool native = viewInfo_->NativeStyle;
    if (style->GetTransparentBorder() && GetLookAndFeel()->GetSkinPainter() == nullptr) {
        r = TRect{2, 2, 2, 2};
    } else if (!style->ShowsBorder() || (native && Style()->GetBorderStyle() == cbsNone)) {
        // no frame
    } else if (native) {
        r = TRect{2, 2, 2, 2};
    } else {
        const int w = ContainerBorderWidth(style->GetBorderStyle());
        const TuiBorders edges = style->GetEdges();
        r = TRect{edges.Contains(bLeft) ? w : 0, edges.Contains(bTop) ? w : 0, edges.Contains(bRight) ? w : 0,
                  edges.Contains(bBottom) ? w : 0};
    }
    if (HasShadow()) {
        r.right += 3;
        r.bottom += 3;
    }
    return r;
}

TRect TuiContainer::VisibleBounds() {
    TRect r = ControlBoundsRect(this);
    if (IsInPlaceEditor()) return r;
    if (viewInfo_->Shadow) {
        r.right -= 3;
        r.bottom -= 3;
    }
    const bool transparent = ActiveStyle()->GetTransparentBorder();
    const bool native = viewInfo_->NativeStyle;
    if (Style()->ShowsBorder()) {
        if (native && transparent && Style()->GetBorderStyle() == cbsNone) {
            InflateRect(&r, -2, -2);
        } else if (!native && transparent) {
            const int w = ContainerBorderWidth(ActiveStyle()->GetBorderStyle());
            InflateRect(&r, w - 2, w - 2);
            const TuiBorders edges = ActiveStyle()->GetEdges();
            if (!edges.Contains(bLeft)) r.left += w;
            if (!edges.Contains(bTop)) r.top += w;
            if (!edges.Contains(bRight)) r.right -= w;
            if (!edges.Contains(bBottom)) r.bottom -= w;
        }
    } else if (transparent) {
        InflateRect(&r, -2, -2);
    }
    if (r.bottom < r.top) r.top = r.bottom = 0;
    return r;
}

TRect TuiContainer::RegionRect() {
    TRect r = Deflated(ControlBoundsRect(this), FrameExtent());
    const int w = viewInfo_->BorderWidth;
    const TuiBorders edges = ActiveStyle()->GetEdges();
    if (edges.Contains(bLeft)) r.left -= w;
    if (edges.Contains(bTop)) r.top -= w;
    if (edges.Contains(bRight)) r.right += w;
    if (edges.Contains(bBottom)) r.bottom += w;
    return r;
}

TRect TuiContainer::InnerControlFrame(const TRect& ABounds, TWinControl* AControl) {
    const TRect control{AControl->GetLeft(), AControl->GetTop(), AControl->GetLeft() + AControl->GetWidth(),
                        AControl->GetTop() + AControl->GetHeight()};
    TRect r{};
    IntersectRect(&r, &ABounds, &control);
    return r;
}

void TuiContainer::CalculateViewInfo(TPoint P, bool AHotTrack) {
    TuiContainerViewInfo& vi = *viewInfo_;
    vi.NativeStyle = IsNativeStyle();
    vi.Painter = GetLookAndFeel()->GetSkinPainter();
    const int previousWidth = ContainerBorderWidth(vi.BorderStyle);
    TuiContainerBorderStyle activeBorder = cbsNone;
    auto chooseState = [&] {
        if (!GetEnabled()) vi.ContainerState = TuiContainerState{cisDisabled};
        else if (IsDesigning()) vi.ContainerState = TuiContainerState{cisNormal};
        else vi.ContainerState = TuiContainerState{IsFocusedOrInner() ? cisActive : cisNormal};
        if (AHotTrack && PointIn(VisibleBounds(), P)) vi.ContainerState.Include(cisHotTrack);
        TuiContainerStyle* style = ActiveStyle();
        if (!style->GetHotTrack()) vi.HotState = 0;
        else vi.HotState = vi.ContainerState.Contains(cisHotTrack) || vi.ContainerState.Contains(cisActive) ? 2 : 1;
        activeBorder = style->GetBorderStyle();
        if (vi.NativeStyle) vi.BorderStyle = Style()->GetBorderStyle();
        else vi.BorderStyle = activeBorder == cbsUltraFlat || activeBorder == cbsOffice11 ? cbsSingle : activeBorder;
    };
    chooseState();
    if (!vi.NativeStyle && ContainerBorderWidth(vi.BorderStyle) < previousWidth) chooseState();
    if (vi.NativeStyle) {
        vi.ThemedObjectType = ThemeObjectType();
        vi.NativePart = ThemePart();
        vi.NativeState = ThemeState();
    }
    vi.Bounds = ControlBoundsRect(this);
    TuiContainerStyle* style = ActiveStyle();
    vi.Shadow = HasShadow();
    vi.BorderRect = Deflated(vi.Bounds, FrameExtent());
    vi.ClientRect = vi.BorderRect;
    vi.BorderWidth = vi.Painter != nullptr ? 1 : ContainerBorderWidth(vi.BorderStyle);
    vi.Edges = style->GetEdges();

    const bool focused = vi.ContainerState.Contains(cisActive);
    const bool highlighted =
        focused || (vi.ContainerState.Contains(cisHotTrack) && style->GetHotTrack()) || (IsDesigning() && GetEnabled());
    if (vi.Painter != nullptr) vi.BorderColor = highlighted ? clHighlight : clBtnShadow;
    else if (activeBorder != cbsUltraFlat && activeBorder != cbsOffice11) vi.BorderColor = style->GetBorderColor();
    else if (highlighted) vi.BorderColor = GetEditBorderHighlightColor(activeBorder == cbsOffice11);
    else vi.BorderColor = clBtnShadow;

    const bool colorAssigned = (style->GetAssignedValues() & StyleValueBit(csvColor)) != 0;
    if (vi.NativeStyle && !GetEnabled() && !colorAssigned) {
        COLORREF fill = static_cast<COLORREF>(ColorToRGB(style->GetColor()));
        if (HTHEME theme = OpenThemeForType(vi.ThemedObjectType); theme != nullptr)
            GetThemeColor(theme, vi.NativePart, vi.NativeState, 3802, &fill);
        vi.StoreBackgroundColor(static_cast<TColor>(fill));
    } else {
        vi.StoreBackgroundColor(style->GetColor());
    }
}

void TuiContainer::AdjustInnerControlBounds() {
    if (innerControl_ == nullptr) return;
    const TRect& r = viewInfo_->ClientRect;
    if (innerControl_->GetLeft() == r.left && innerControl_->GetTop() == r.top &&
        innerControl_->GetWidth() == r.right - r.left && innerControl_->GetHeight() == r.bottom - r.top)
        return;
    refreshLock_ = true;
    innerControl_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    refreshLock_ = false;
}

void TuiContainer::UpdateInnerControlLook() {
    if (innerControl_ == nullptr) return;
    if (innerControl_->GetColor() != viewInfo_->BackgroundColor) innerControl_->SetColor(viewInfo_->BackgroundColor);
    TFont* font = ActiveStyle()->GetVisibleFont();
    TFont* inner = innerControl_->Font();
    if (inner->GetName() != font->GetName() || inner->GetHeight() != font->GetHeight() ||
        inner->GetColor() != font->GetColor() || !(inner->GetStyle() == font->GetStyle()) ||
        inner->GetCharset() != font->GetCharset())
        inner->Assign(font);
}

void TuiContainer::UpdateWindowRegion() {
    if (!HandleAllocated()) return;
    SetRegionIfChanged(GetHandle(), RegionRect(), !UsesWindowRegion(), TRect{}, HasShadow());
}

void TuiContainer::RefreshContainer(TPoint P, TShiftState AShift) {
    if (refreshLock_ || destroying_ || viewInfo_ == nullptr) return;
    viewInfoCalculated_ = true;
    const TColor oldBackground = viewInfo_->BackgroundColor;
    CalculateViewInfo(P, AShift.Empty() && Style()->GetHotTrack());
    AdjustInnerControlBounds();
    UpdateInnerControlLook();
    UpdateWindowRegion();
    if (HandleAllocated()) {
        // Around an inner control only the frame is drawn again, unless the state brought a new background:
        // the strip between the frame and the inner control shows it too.
        if (innerControl_ != nullptr && viewInfo_->BackgroundColor == oldBackground)
            InvalidateFrameRing(GetHandle(), viewInfo_->Bounds, viewInfo_->BorderRect, false);
        else ::zel::InvalidateRect(GetHandle(), nullptr, FALSE);
    }
    if (viewInfo_->ContainerState.Contains(cisHotTrack)) StartMouseLeaveTracking(this, VisibleBounds(), this);
}

void TuiContainer::RefreshFrame() {
    if (!HandleAllocated() || destroying_ || refreshing_) return;
    refreshing_ = true;
    POINT cursor{};
    GetCursorPos(&cursor);
    const HWND under = WindowFromPoint(cursor);
    TPoint p{-1, -1};
    if (under != nullptr && (under == GetHandle() || IsChild(GetHandle(), under))) {
        p = ScreenToClient(TPoint{cursor.x, cursor.y});
    }
    RefreshContainer(p, CurrentShiftState());
    refreshing_ = false;
}

void TuiContainer::GetTabOrderList(std::vector<TWinControl*>& List) {
    TuiControl::GetTabOrderList(List);
    if (UsesStandardLayout() || innerControl_ == nullptr) return;
    TCustomForm* form = GetParentForm();
    if (form == nullptr || form->GetActiveControl() != innerControl_) return;
    const auto self = std::find(List.begin(), List.end(), this);
    if (self == List.end()) return;
    const std::ptrdiff_t place = self - List.begin();
    std::erase(List, innerControl_);
    List[static_cast<std::size_t>(place)] = innerControl_;
}

void TuiContainer::ChangeScale(int M, int D, bool AScaleFont) {
    if (D == 0) return;
    // The control's own scaling: its bounds, and its font unless it follows its parent's. The font change is
    // the container's own, so the Normal style does not take it as a value of its own.
    const bool savedInternal = internalSetting_;
    internalSetting_ = !GetParentFont();
    if (M != D) {
        SetBounds(MulDiv(GetLeft(), M, D), MulDiv(GetTop(), M, D), MulDiv(GetWidth(), M, D), MulDiv(GetHeight(), M, D));
        if (AScaleFont && !GetParentFont()) Font()->SetSize(MulDiv(Font()->GetSize(), M, D));
    }
    internalSetting_ = savedInternal;
    if (M == D || !Style()->IsValueAssigned(csvFont) || (IsLoading() && !AScaleFont)) return;
    if ((Style()->GetAssignedValues() & StyleValueBit(csvFont)) != 0) {
        TFont* font = Style()->GetFont();
        font->SetSize(MulDiv(font->GetSize(), M, D));
    } else if (IsLoading()) {
        if (TuiStyleController* controller = Style()->GetActiveStyleController(); controller != nullptr)
            controller->ChangeScale(M, D);
    }
}

void TuiContainer::StyleChangedHandler(TuiContainerStyle* /*AStyle*/) {
    if (creating_ || IsLoading() || destroying_) return;
    activeStyle_ = nullptr;
    ShortRefresh();
    internalSetting_ = true;
    if (!(GetParentColor() && (Style()->GetAssignedValues() & StyleValueBit(csvColor)) == 0))
        SetColor(Style()->PaintColor());
    Font()->Assign(Style()->GetFont());
    internalSetting_ = false;
    if ((Style()->GetAssignedValues() & StyleValueBit(csvFont)) != 0) SetParentFont(false);
    if (!HandleAllocated()) viewInfoCalculated_ = false;
}

void TuiContainer::Loaded() {
    TuiControl::Loaded();
    StyleChangedHandler(Style());
}

void TuiContainer::ColorChanged() {
    if (internalSetting_ || creating_ || styles_ == nullptr) {
        TuiControl::ColorChanged();
        RefreshFrame();
        return;
    }
    TuiControl::ColorChanged();
    Style()->SetColor(GetColor());
}

void TuiContainer::FontChanged() {
    TuiControl::FontChanged();
    if (internalSetting_ || creating_ || styles_ == nullptr) {
        UpdateInnerControlLook();
        RefreshFrame();
        return;
    }
    const bool assigned = (Style()->GetAssignedValues() & StyleValueBit(csvFont)) != 0;
    if (assigned) Style()->SetFont(Font());
    else {
        Style()->TakeFontKeepingAssigned(Font());
        StyleChangedHandler(Style());
    }
}

// The parent's colour or font changed: a control that follows its parent takes it without the Normal style
// counting it as its own value; one that does not keeps the style's.
void TuiContainer::ParentLookChanged(TMessage& Message) {
    const bool colour = Message.Msg == CM_PARENTCOLORCHANGED;
    const TuiContainerStyleValues bit = StyleValueBit(colour ? csvColor : csvFont);
    const bool hadBit = (Style()->GetAssignedValues() & bit) != 0;
    TuiControl::WndProc(Message);
    if (styles_ == nullptr || destroying_) return;
    const bool follows = colour ? GetParentColor() : GetParentFont();
    if (!colour && !follows) Style()->TakeFontKeepingAssigned(Font());
    if ((!hadBit || follows) && (Style()->GetAssignedValues() & bit) != 0)
        Style()->SetAssignedValues(Style()->GetAssignedValues() & ~bit);
    if (colour && Style()->PaintColor() != GetColor()) StyleChangedHandler(Style());
}

void TuiContainer::EnabledChanged() {
    activeStyle_ = nullptr;
    if (HasInnerScrollBars())
        for (TuiScrollBar* bar :
             {static_cast<TuiScrollBar*>(GetHorzScrollBar()), static_cast<TuiScrollBar*>(GetVertScrollBar())})
            if (bar != nullptr) bar->SetEnabled(GetEnabled());
    RefreshFrame();
    if (!HandleAllocated()) viewInfoCalculated_ = false;
}

// ---- painting and windows

void TuiContainer::Paint() {
    if (viewInfo_ == nullptr) return;
    if (!viewInfoCalculated_) {
        viewInfoCalculated_ = true;
        CalculateViewInfo(TPoint{-1, -1}, false);
    }
    viewInfo_->Paint(Canvas());
}

void TuiContainer::Resize() {
    TuiControl::Resize();
    RefreshFrame();
}

void TuiContainer::CreateWnd() {
    TuiControl::CreateWnd();
    PostMessage(GetHandle(), UM_CONTAINER_REFRESH, 0, 0);
    if (HasInnerScrollBars()) PostMessage(GetHandle(), UM_CONTAINER_SCROLLBARS, 0, 0);
}

// ---- own scroll bars over the inner control's

void TuiContainer::UpdateScrollBars() {
    if (HasInnerScrollBars()) SyncInnerScrollBars();
    else TuiControl::UpdateScrollBars();
}

TRect TuiContainer::ScrollBarRectOnScreen(const RECT& AScreenRect) {
    if (!HandleAllocated()) return TRect{};
    const TPoint topLeft = ScreenToClient(TPoint{AScreenRect.left, AScreenRect.top});
    const TRect r{topLeft.x, topLeft.y, topLeft.x + AScreenRect.right - AScreenRect.left,
                  topLeft.y + AScreenRect.bottom - AScreenRect.top};
    const TRect bounds = ControlBoundsRect(this);
    RECT inside{};
    if (!IntersectRect(&inside, &r, &bounds) || !EqualRect(&inside, &r)) return TRect{};
    return r;
}

bool TuiContainer::ScrollBarEnabled(const SCROLLBARINFO& AInfo) {
    return (AInfo.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

bool TuiContainer::GetInnerScrollBarInfo(SCROLLBARINFO& AInfo, TScrollBarKind AKind) {
    if (innerControl_ == nullptr || !innerControl_->HandleAllocated()) return false;
    AInfo.cbSize = 60;
    return GetScrollBarInfo(innerControl_->GetHandle(), AKind == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL,
                            &AInfo) != FALSE;
}

bool TuiContainer::IsScrollBarShown(const SCROLLBARINFO& AInfo) { return (AInfo.rgstate[0] & 0x18000u) == 0; }

void TuiContainer::SetScrollBarVisible(TuiScrollBar* ABar, bool AVisible) {
    if (ABar == nullptr) return;
    if (AVisible) {
        ABar->SetCtl3D(false);
        ABar->SetVisible(true);
        ABar->BringToFront();
    } else {
        ABar->SetVisible(false);
    }
}

void TuiContainer::SyncScrollBar(TuiScrollBar* ABar) {
    const TScrollBarKind kind = ABar->GetKind();
    SCROLLBARINFO info;
    TRect r{};
    const bool shown = GetInnerScrollBarInfo(info, kind) && IsScrollBarShown(info) &&
                       !RectIsEmpty(r = ScrollBarRectOnScreen(info.rcScrollBar));
    if (shown) {
        ABar->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        ABar->SetEnabled(ScrollBarEnabled(info) && GetEnabled());
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        if (GetScrollInfo(innerControl_->GetHandle(), kind == sbHorizontal ? SB_HORZ : SB_VERT, &si)) {
            const int max = std::max(si.nMin, si.nMax);
            // A page larger than the range is cut to it.
            const int page = std::max(0, std::min({static_cast<int>(si.nPage), max - si.nMin + 1, max}));
            ABar->SetScrollParams(si.nMin, max, si.nPos, page);
            ABar->SmallChange = 1;
            ABar->LargeChange = std::max(1, page);
        }
    }
    if (shown != ABar->GetVisible()) SetScrollBarVisible(ABar, shown);
    else if (shown) ABar->BringToFront();
}

void TuiContainer::SyncInnerScrollBars() {
    TuiScrollBar* horz = GetHorzScrollBar();
    TuiScrollBar* vert = GetVertScrollBar();
    if (innerControl_ == nullptr || !HasInnerScrollBars() || horz == nullptr || vert == nullptr || destroying_ ||
        scrollBarsCalculating_ || !uiScrollBarInfoBound() || !HandleAllocated() || !innerControl_->HandleAllocated())
        return;
    scrollBarsCalculating_ = true;
    TScopeExit done([this] { scrollBarsCalculating_ = false; });
    const bool hBefore = horz->GetVisible(), vBefore = vert->GetVisible();
    SyncScrollBar(horz);
    SyncScrollBar(vert);
    // The grip stands in the corner between the two bars when the inner control has one there.
    auto* grip = dynamic_cast<IuiContainerInnerSizeGrip*>(innerControl_);
    const bool gripShown = horz->GetVisible() && vert->GetVisible() && grip != nullptr && grip->HasSizeGrip();
    const TRect gripRect = gripShown ? TRect{vert->GetLeft(), horz->GetTop(), vert->GetLeft() + vert->GetWidth(),
                                             horz->GetTop() + horz->GetHeight()}
                                     : TRect{};
    if (gripShown != sizeGripVisible_ || gripRect != sizeGripRect_) {
        // The inner control repaints the corner it shares with the grip, as it was and as it is now.
        for (const TRect& r : {sizeGripRect_, gripRect}) {
            if (RectIsEmpty(r)) continue;
            const TPoint screen = ClientToScreen(TPoint{r.left, r.top});
            HRGN region = CreateRectRgn(screen.x, screen.y, screen.x + r.Width(), screen.y + r.Height());
            SendMessage(innerControl_->GetHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
            DeleteObject(region);
        }
        sizeGripVisible_ = gripShown;
        sizeGripRect_ = gripRect;
    }
    if (TuiSizeGrip* sizeGrip = GetSizeGrip(); sizeGrip != nullptr) {
        if (gripShown) {
            sizeGrip->SetBounds(gripRect.left, gripRect.top, gripRect.Width(), gripRect.Height());
            sizeGrip->SetVisible(true);
            sizeGrip->BringToFront();
        } else {
            sizeGrip->SetVisible(false);
        }
    }
    if (horz->GetVisible() != hBefore || vert->GetVisible() != vBefore) ScrollBarsChanged();
}

void TuiContainer::Scroll(TScrollBarKind AKind, TScrollCode ACode, int& APosition) {
    if (!HasInnerScrollBars() || innerControl_ == nullptr || !innerControl_->HandleAllocated()) {
        TuiControl::Scroll(AKind, ACode, APosition);
        return;
    }
    const int bar = AKind == sbHorizontal ? SB_HORZ : SB_VERT;
    // A dragged thumb leaves the bar where the pointer put it; the other requests read the position back.
    {
        // The bar being scrolled is not matched again until the scroll is done.
        const bool calculating = scrollBarsCalculating_;
        scrollBarsCalculating_ = true;
        TScopeExit restore([this, calculating] { scrollBarsCalculating_ = calculating; });
        SendMessage(innerControl_->GetHandle(), AKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL,
                    MAKEWPARAM(static_cast<WORD>(ACode), static_cast<WORD>(std::max(0, APosition))), 0);
    }
    if (ACode == scTrack) return;
    APosition = GetScrollPos(innerControl_->GetHandle(), bar);
    if (ACode == scEndScroll) SyncInnerScrollBars();
}

void TuiContainer::AlignControls(TControl* AControl, TRect& Rect) { TuiControl::AlignControls(AControl, Rect); }

void TuiContainer::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETFOCUS:
            if (!GetVisible()) return;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case CN_KEYDOWN:
        case CN_KEYUP:
        case CN_CHAR:
            if (innerControl_ != nullptr && innerControl_->HandleAllocated()) {
                Message.Result = SendMessage(innerControl_->GetHandle(), Message.Msg, Message.WParam, Message.LParam);
                return;
            }
            break;
        case WM_PAINT:
            if (PaintsOnGlass() && HandleAllocated()) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(GetHandle(), &ps);
                PaintWindowOnGlass(GetHandle(), dc,
                                   TRect{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
                EndPaint(GetHandle(), &ps);
                Message.Result = 0;
                return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (DragMode == dmAutomatic && !IsDesigning()) {
                BeginDrag(false);
                return;
            }
            break;
        case UM_CONTAINER_GLASS_REPAINT:
            if (repaintOnGlass_ && HandleAllocated()) RepaintWindowOnGlass(GetHandle());
            repaintOnGlass_ = false;
            break;
        default: break;
    }
    switch (Message.Msg) {
        case WM_SETFOCUS: {
            const HWND other = reinterpret_cast<HWND>(Message.WParam);
            if (innerControl_ != nullptr && innerControl_->HandleAllocated() && other == innerControl_->GetHandle()) {
                Message.Result = 0;
                return;
            }
            TuiControl::WndProc(Message);
            FocusInnerControl();
            ShortRefresh();
            return;
        }
        case WM_KILLFOCUS: {
            const HWND other = reinterpret_cast<HWND>(Message.WParam);
            if (innerControl_ != nullptr && innerControl_->HandleAllocated() && other == innerControl_->GetHandle()) {
                Message.Result = 0;
                return;
            }
            TuiControl::WndProc(Message);
            ShortRefresh();
            return;
        }
        case WM_NCPAINT: Message.Result = 0; return;
        case WM_SETCURSOR:
            if (LOWORD(Message.LParam) == HTCLIENT && innerControl_ != nullptr) {
                POINT p{};
                GetCursorPos(&p);
                if (!PointIn(viewInfo_->ClientRect, ScreenToClient(TPoint{p.x, p.y}))) {
                    ::zel::SetCursor(LoadCursor(nullptr, IDC_ARROW));
                    Message.Result = 1;
                    return;
                }
            }
            break;
        case WM_WINDOWPOSCHANGING:
            if (destroying_) {
                Message.Result = 0;
                return;
            }
            break;
        case UM_CONTAINER_REFRESH: RefreshFrame(); return;
        case UM_CONTAINER_SCROLLBARS: SyncInnerScrollBars(); return;
        case WM_PRINTCLIENT:
            // Drawn into the given DC (a buffered paint on glass, a print).
            PaintHandler(Message);
            Message.Result = 0;
            return;
        case CM_PARENTCOLORCHANGED:
        case CM_PARENTFONTCHANGED: ParentLookChanged(Message); return;
        default: break;
    }
    TuiControl::WndProc(Message);
    switch (Message.Msg) {
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC:
            if (PaintsOnGlass() && !repaintOnGlass_ && HandleAllocated()) {
                repaintOnGlass_ = true;
                PostMessage(GetHandle(), UM_CONTAINER_GLASS_REPAINT, 0, 0);
            }
            break;
        case WM_WINDOWPOSCHANGED:
            if (RefreshOnWindowMove()) RefreshFrame();
            break;
        case CM_ENABLEDCHANGED: EnabledChanged(); break;
        case CM_SYSCOLORCHANGE:
        case CM_CTL3DCHANGED: RefreshFrame(); break;
        default: break;
    }
}

// ---- keys and mouse

bool TuiContainer::DoKeyDown(WORD& Key, TShiftState Shift) {
    const bool handled = TuiControl::DoKeyDown(Key, Shift);
    if (Key == VK_TAB && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && ContainerFocused() && CanTabOut()) {
        Key = 0;
        if (TCustomForm* form = GetParentForm(); form != nullptr) {
            form->SelectNext(this, !Shift.Contains(ssShift), true);
            if (HandleAllocated() && GetFocus() == GetHandle()) FocusInnerControl();
        }
        return true;
    }
    return handled;
}

void TuiContainer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseShiftState = Shift;
    TuiControl::MouseDown(Button, Shift, X, Y);
    RefreshFrame();
}

void TuiContainer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseShiftState = Shift;
    TuiControl::MouseUp(Button, Shift, X, Y);
    RefreshFrame();
}

void TuiContainer::MouseMove(TShiftState Shift, int X, int Y) {
    TuiControl::MouseMove(Shift, X, Y);
    RefreshFrame();
    StartMouseLeaveTracking(this, VisibleBounds(), this);
}

void TuiContainer::MouseEnter(TControl* AControl) {
    TuiControl::MouseEnter(AControl);
    RefreshFrame();
    StartMouseLeaveTracking(this, VisibleBounds(), this);
}

void TuiContainer::MouseLeave(TControl* AControl) {
    MouseShiftState = TShiftState{};
    TuiControl::MouseLeave(AControl);
    RefreshFrame();
    MouseTrackingStop();
}

void TuiContainer::MouseLeft() {
    MouseShiftState = TShiftState{};
    RefreshFrame();
}

void TuiContainer::DoContextPopup(TPoint MousePos, bool& Handled) {
    if ((MousePos.x == -1 && MousePos.y == -1) || CanShowContextMenuAt(MousePos))
        TuiControl::DoContextPopup(MousePos, Handled);
    else Handled = true;
}

}  // namespace zel
