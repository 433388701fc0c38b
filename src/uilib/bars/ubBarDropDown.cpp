#include "uilib/bars/ubBarDropDown.h"

#include <algorithm>

#include "platform/rtl/ScopeExit.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"

namespace zel {

namespace {

bool IsTop(int Corner) { return Corner == ubCornerTopLeft || Corner == ubCornerTopRight; }
bool IsRight(int Corner) { return Corner == ubCornerTopRight || Corner == ubCornerBottomRight; }

void Fill(HDC DC, const RECT& R, int SysColor) {
    if (R.right > R.left && R.bottom > R.top) FillRect(DC, &R, GetSysColorBrush(SysColor));
}

}  // namespace

int GetDropDownFooterHeight() {
    const int scroll = GetSystemMetrics(SM_CYHSCROLL), size = GetSystemMetrics(SM_CYSIZE);
    return scroll + 2 < size ? size + 1 : scroll + 3;
}

int GetSizeGripCorner(const RECT& OwnerRect, const RECT& DropDownRect) {
    static constexpr int corners[4] = {ubCornerTopLeft, ubCornerBottomLeft, ubCornerTopRight, ubCornerBottomRight};
    const int index =
        2 * (OwnerRect.left < DropDownRect.right ? 1 : 0) + (OwnerRect.bottom < DropDownRect.bottom ? 1 : 0);
    return corners[index];
}

void AdjustDropDownClientRect(RECT& R, bool HasBand, int Corner) {
    InflateRect(&R, -1, -1);
    if (!HasBand) return;
    if (IsTop(Corner)) R.top += GetDropDownFooterHeight();
    else R.bottom -= GetDropDownFooterHeight();
}

void PaintCornerSizeGrip(HDC DC, const RECT& R, int Corner) {
    RECT r = R;
    const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
    if (IsRight(Corner)) r.left = std::max(R.left, R.right - w);
    else r.right = std::min(R.right, R.left + w);
    if (IsTop(Corner)) r.bottom = std::min(R.bottom, R.top + h);
    else r.top = std::max(R.top, R.bottom - h);
    if (r.right <= r.left || r.bottom <= r.top) return;
    // Two-pixel strips of button face on the sides that face the client area.
    if (IsRight(Corner)) {
        Fill(DC, RECT{r.left, r.top, std::min(r.right, r.left + 2), r.bottom}, COLOR_BTNFACE);
        r.left += 2;
    } else {
        Fill(DC, RECT{std::max(r.left, r.right - 2), r.top, r.right, r.bottom}, COLOR_BTNFACE);
        r.right -= 2;
    }
    if (IsTop(Corner)) {
        Fill(DC, RECT{r.left, std::max(r.top, r.bottom - 2), r.right, r.bottom}, COLOR_BTNFACE);
        r.bottom -= 2;
    } else {
        Fill(DC, RECT{r.left, r.top, r.right, std::min(r.bottom, r.top + 2)}, COLOR_BTNFACE);
        r.top += 2;
    }
    // A rectangle too small for the strips leaves no room for the grip.
    const int gw = r.right - r.left, gh = r.bottom - r.top;
    if (gw <= 0 || gh <= 0) return;
    HDC mem = CreateCompatibleDC(DC);
    HBITMAP bitmap = CreateCompatibleBitmap(DC, gw, gh);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT grip{0, 0, gw, gh};
    DrawFrameControl(mem, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    // The grip's lines face the bottom-right; left corners mirror it across, top corners upside down.
    const bool flipX = !IsRight(Corner), flipY = IsTop(Corner);
    StretchBlt(DC, r.left, r.top, gw, gh, mem, flipX ? gw : 0, flipY ? gh : 0, flipX ? -gw : gw, flipY ? -gh : gh,
               SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

void PaintDropDownCloseButton(HDC DC, const RECT& BandRect, bool Hot, int Corner, bool Flat, bool Pressed) {
    const int size = GetSystemMetrics(SM_CXSIZE);
    RECT r;
    r.left = IsRight(Corner) ? BandRect.left : BandRect.right - size;
    r.right = r.left + size;
    r.top = (BandRect.top + BandRect.bottom - size) / 2 + (IsTop(Corner) ? 0 : 1);
    r.bottom = r.top + size;
    InflateRect(&r, -1, -2);
    if (!Hot || Flat) FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
    else DrawEdge(DC, &r, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
    FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
    InflateRect(&r, -1, -1);
    const int saved = SaveDC(DC);
    IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
    RECT glyph = r;
    if (size != 22) OffsetRect(&glyph, 0, 1);
    UINT state = DFCS_CAPTIONCLOSE | DFCS_FLAT;
    if (Pressed && !Flat) state |= DFCS_PUSHED;
    DrawFrameControl(DC, &glyph, DFC_CAPTION, state);
    RestoreDC(DC, saved);
}

void PaintDropDownNonClient(HWND Window, bool HasBand, bool Flat, int Corner, RECT& GripRect, RECT& CloseRect,
                            bool CloseHot, bool ClosePressed) {
    HDC dc = GetWindowDC(Window);
    if (dc == nullptr) return;
    TScopeExit release([&] { ReleaseDC(Window, dc); });
    RECT window{};
    GetWindowRect(Window, &window);
    OffsetRect(&window, -window.left, -window.top);
    const int frameColor = Flat ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME;
    FrameRect(dc, &window, GetSysColorBrush(frameColor));
    if (!HasBand) {
        GripRect = RECT{};
        CloseRect = RECT{};
        return;
    }
    const int saved = SaveDC(dc);
    TScopeExit restore([&] { RestoreDC(dc, saved); });
    RECT inner = window;
    InflateRect(&inner, -1, -1);
    const int height = GetDropDownFooterHeight();
    RECT band = inner;
    if (IsTop(Corner)) {
        band.bottom = band.top + height;
        Fill(dc, RECT{band.left, band.bottom - 1, band.right, band.bottom}, frameColor);
        band.bottom -= 1;
    } else {
        band.top = band.bottom - height;
        Fill(dc, RECT{band.left, band.top, band.right, band.top + 1}, frameColor);
        band.top += 1;
    }
    GripRect = band;
    if (IsRight(Corner)) GripRect.left = std::max(band.left, band.right - GetSystemMetrics(SM_CXVSCROLL));
    else GripRect.right = std::min(band.right, band.left + GetSystemMetrics(SM_CXVSCROLL));
    PaintCornerSizeGrip(dc, GripRect, Corner);
    ExcludeClipRect(dc, GripRect.left, GripRect.top, GripRect.right, GripRect.bottom);
    const int size = GetSystemMetrics(SM_CXSIZE);
    CloseRect = band;
    if (IsRight(Corner)) CloseRect.right = std::min(band.right, band.left + size);
    else CloseRect.left = std::max(band.left, band.right - size);
    PaintDropDownCloseButton(dc, band, CloseHot, Corner, Flat, ClosePressed);
    ExcludeClipRect(dc, CloseRect.left, CloseRect.top, CloseRect.right, CloseRect.bottom);
    Fill(dc, band, COLOR_BTNFACE);
    const LONG style = GetWindowLong(Window, GWL_STYLE);
    if (!IsTop(Corner) && (style & WS_HSCROLL) != 0 && (style & WS_VSCROLL) != 0) {
        const int sw = GetSystemMetrics(SM_CXVSCROLL), sh = GetSystemMetrics(SM_CYHSCROLL);
        Fill(dc, RECT{inner.right - sw, band.top - 1 - sh, inner.right, band.top - 1}, COLOR_BTNFACE);
    }
}

}  // namespace zel
