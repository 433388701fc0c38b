#include "uilib/bars/ubBarShadow.h"

#include <utility>

#include "platform/win/SysInfo.h"
#include "uilib/bars/ubBarUnit.h"

namespace zel {

namespace {

bool Empty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

void Add(std::vector<TubBarShadowStrip>& AStrips, int L, int T, int R, int B, bool Vertical, std::uint8_t Fades) {
    const TRect r{L, T, R, B};
    if (!Empty(r)) AStrips.push_back(TubBarShadowStrip{r, Vertical, Fades});
}

}  // namespace

std::vector<TubBarShadowStrip> ShadowStrips(TRect E, TRect M, int S) {
    std::vector<TubBarShadowStrip> strips;
    const bool noElement = Empty(E);
    const bool horizontal = noElement || E.bottom == M.top || E.top == M.bottom;
    // The upper (or left) of the two shapes is taken as the element.
    if ((horizontal && !noElement && E.top == M.bottom) || (!horizontal && E.left == M.right)) std::swap(E, M);
    constexpr std::uint8_t both = sfHorizontalStart | sfHorizontalEnd;
    if (horizontal) {
        if (!noElement) Add(strips, E.right, E.top + S, E.right + S, E.bottom, true, sfVerticalTop);
        Add(strips, M.left + S, M.bottom, M.right + S, M.bottom + S, false, both);
        if (!noElement) {
            if (E.left + S < M.left) Add(strips, E.left + S, E.bottom, M.left, E.bottom + S, false, sfHorizontalStart);
            if (M.right < E.right) Add(strips, M.right, E.bottom, E.right + S, E.bottom + S, false, sfHorizontalEnd);
        }
        if (noElement || E.right < M.right) Add(strips, M.right, M.top + S, M.right + S, M.bottom, true, sfVerticalTop);
        else Add(strips, M.right, M.top, M.right + S, M.bottom, true, 0);
        return strips;
    }
    Add(strips, M.right, M.top + S, M.right + S, M.bottom, true, sfVerticalTop);
    if (E.top + S < M.top) Add(strips, E.right, E.top + S, E.right + S, M.top, true, sfVerticalTop);
    if (M.bottom < E.bottom) {
        Add(strips, E.left + S, E.bottom, E.right + S, E.bottom + S, false, both);
        Add(strips, E.right, M.bottom, E.right + S, E.bottom, true, 0);
    } else Add(strips, E.left + S, E.bottom, E.right, E.bottom + S, false, sfHorizontalStart);
    if (E.bottom < M.bottom) Add(strips, M.left + S, M.bottom, M.right + S, M.bottom + S, false, both);
    else Add(strips, M.left, M.bottom, M.right + S, M.bottom + S, false, sfHorizontalEnd);
    return strips;
}

bool ShadowStripValid(const TubBarShadowStrip& AStrip, int S) {
    return AStrip.Fades == 0 ||
           (AStrip.Rect.right - AStrip.Rect.left >= S && AStrip.Rect.bottom - AStrip.Rect.top >= S);
}

std::vector<std::uint8_t> ShadowStripAlphas(const TubBarShadowStrip& AStrip, int S) {
    const int w = AStrip.Rect.right - AStrip.Rect.left, h = AStrip.Rect.bottom - AStrip.Rect.top;
    std::vector<std::uint8_t> alphas(static_cast<std::size_t>(w > 0 && h > 0 ? w * h : 0));
    const int thickness = AStrip.Vertical ? w : h;
    // A faded end: within the S pixels nearest it, the pixel k pixels from it keeps (k + 1) / (S + 1).
    auto fade = [S](int Alpha, int K) { return K < S ? (Alpha * (K + 1) * 2 + (S + 1)) / (2 * (S + 1)) : Alpha; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int a = 15 * (thickness - (AStrip.Vertical ? x : y));
            if ((AStrip.Fades & sfHorizontalStart) != 0 && !AStrip.Vertical) a = fade(a, x);
            if ((AStrip.Fades & sfHorizontalEnd) != 0 && !AStrip.Vertical) a = fade(a, w - 1 - x);
            if ((AStrip.Fades & sfVerticalTop) != 0 && AStrip.Vertical) a = fade(a, y);
            alphas[static_cast<std::size_t>(y * w + x)] = static_cast<std::uint8_t>(a < 0 ? 0 : a > 255 ? 255 : a);
        }
    return alphas;
}

bool ShadowTransparencyAvailable() { return HasUpdateLayeredWindow() && ScreenBitsPerPixel() > 8; }

int ShadowSize() { return ShadowTransparencyAvailable() ? 4 : 2; }

// ---- strip window -------------------------------------------------------------------------------------------

TubBarShadowPart::TubBarShadowPart(TubBarShadow* AShadow, const TubBarShadowStrip& AStrip)
    : TCustomControl(nullptr), shadow_(AShadow), strip_(AStrip), transparent_(ShadowTransparencyAvailable()) {
    SetVisible(false);
}

void TubBarShadowPart::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = transparent_ ? WS_EX_LAYERED : 0;
    TWinControl* owner = shadow_->Owner();
    const HWND ownerWindow = owner != nullptr && owner->HandleAllocated() ? owner->GetHandle() : nullptr;
    if (ownerWindow != nullptr && (GetWindowLongPtr(ownerWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
        Params.ExStyle |= WS_EX_TOPMOST;
    Params.WndParent = ownerWindow;
    Params.WindowClass.style = 0;
}

void TubBarShadowPart::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
        case WM_ERASEBKGND: Message.Result = 1; return;
        default: TCustomControl::Dispatch(Message);
    }
}

void TubBarShadowPart::Paint() {
    // A layered strip shows its picture; a solid one is the button-shadow colour.
    if (transparent_) return;
    const TRect r = GetClientRect();
    FillRect(Canvas()->GetHandle(), &r, GetSysColorBrush(COLOR_BTNSHADOW));
}

void TubBarShadowPart::PlaceStrip(const TRect& R) {
    SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    if (shadow_->GetVisible()) ShowStrip();
}

void TubBarShadowPart::ShowStrip() {
    const int S = ShadowSize();
    TWinControl* owner = shadow_->Owner();
    if (!ShadowStripValid(strip_, S) || owner == nullptr || !owner->HandleAllocated()) return;
    HandleNeeded();
    const TRect& r = strip_.Rect;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (transparent_) {
        // The picture: black pixels whose alpha makes the shadow (premultiplied, so the colour stays 0).
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr) return;
        const std::vector<std::uint8_t> alphas = ShadowStripAlphas(strip_, S);
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (std::size_t i = 0; i < alphas.size(); ++i) pixels[i] = static_cast<std::uint32_t>(alphas[i]) << 24;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const POINT at{r.left, r.top}, origin{0, 0};
        const SIZE size{w, h};
        BLENDFUNCTION blend{};
        blend.BlendOp = AC_SRC_OVER;
        blend.SourceConstantAlpha = 255;
        blend.AlphaFormat = AC_SRC_ALPHA;
        UpdateLayeredWindow(GetHandle(), nullptr, &at, &size, dc, &origin, 0, &blend, ULW_ALPHA);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    // Right behind the menu, shown without taking the activation.
    SetWindowPos(GetHandle(), owner->GetHandle(), 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (!transparent_) UpdateWindow(GetHandle());
}

void TubBarShadowPart::HideStrip() {
    if (HandleAllocated()) DestroyHandle();
}

// ---- shadow -------------------------------------------------------------------------------------------------

TubBarShadow::TubBarShadow(TWinControl* AOwner) : owner_(AOwner) {}

TubBarShadow::~TubBarShadow() { FreeParts(); }

void TubBarShadow::FreeParts() {
    for (TubBarShadowPart* part : parts_) delete part;
    parts_.clear();
}

void TubBarShadow::SetRects(const TRect& Element, const TRect& Menu) {
    element_ = Element;
    menu_ = Menu;
    horizontal_ = Empty(Element) || Element.bottom == Menu.top || Element.top == Menu.bottom;
    Refresh();
}

void TubBarShadow::Refresh() {
    FreeParts();
    for (const TubBarShadowStrip& strip : ShadowStrips(element_, menu_, ShadowSize())) {
        auto* part = new TubBarShadowPart(this, strip);
        parts_.push_back(part);
        part->PlaceStrip(strip.Rect);
    }
}

void TubBarShadow::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    for (TubBarShadowPart* part : parts_) {
        if (Value) part->ShowStrip();
        else part->HideStrip();
    }
}

}  // namespace zel
