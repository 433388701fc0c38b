#include "uilib/base/uiGraphics.h"

#include <algorithm>
#include <cstring>

#include "platform/win/Messages.h"
#include "platform/win/SysInfo.h"
#include "platform/win/Windows.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiGeometry.h"

namespace zel {

namespace {

// Floor division, so that tiles keep their grid left of and above the origin too.
int FloorDiv(int a, int b) {
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// The charset the system uses for DEFAULT_CHARSET: the ANSI charset of the Western code page.
BYTE DefaultFontCharset() { return ANSI_CHARSET; }

constexpr BYTE GB2312_CHARSET_VALUE = 134, CHINESEBIG5_CHARSET_VALUE = 136, ARABIC_CHARSET_VALUE = 178;

}  // namespace

// ---------------------------------------------------------------------------------------------------- TuiRegion

int RegionMergeModeToCombineMode(TuiRegionMergeMode Mode) {
    switch (Mode) {
        case rmmAdd: return RGN_OR;
        case rmmSubtract: return RGN_DIFF;
        case rmmIntersect: return RGN_AND;
        case rmmSet: break;
    }
    return RGN_COPY;
}

TuiRegion::TuiRegion() : handle_(CreateRectRgn(0, 0, 0, 0)) {}
TuiRegion::TuiRegion(HRGN AHandle) : handle_(AHandle) {}
TuiRegion::TuiRegion(const TRect& R) : handle_(CreateRectRgnIndirect(&R)) {}
TuiRegion::TuiRegion(int Left, int Top, int Right, int Bottom) : handle_(CreateRectRgn(Left, Top, Right, Bottom)) {}
TuiRegion::~TuiRegion() { ReleaseHandle(); }

bool TuiRegion::IsVoid() const {
    RECT r;
    return handle_ == nullptr || GetRgnBox(handle_, &r) == NULLREGION;
}

void TuiRegion::CombineWith(TuiRegion* Region, TuiRegionMergeMode Operation, bool DestroyRegion) {
    if (Region == nullptr) return;
    if (handle_ == nullptr) handle_ = CreateRectRgn(0, 0, 0, 0);
    if (Region != this) {
        if (Operation == rmmSet) CombineRgn(handle_, Region->handle_, nullptr, RGN_COPY);
        else CombineRgn(handle_, handle_, Region->handle_, RegionMergeModeToCombineMode(Operation));
        if (DestroyRegion) delete Region;
    } else if (Operation == rmmSubtract) {
        SetRectRgn(handle_, 0, 0, 0, 0);  // a region without itself is empty; never free this one
    }
}

bool TuiRegion::SameAs(const TuiRegion* Region) const {
    if (Region == nullptr) return false;
    if (IsVoid() && Region->IsVoid()) return true;
    return SameAs(Region->handle_);
}

bool TuiRegion::SameAs(HRGN Region) const {
    return handle_ != nullptr && Region != nullptr && EqualRgn(handle_, Region) != FALSE;
}

void TuiRegion::Offset(int DX, int DY) {
    if (handle_ != nullptr) OffsetRgn(handle_, DX, DY);
}

void TuiRegion::ReleaseHandle() {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = nullptr;
}

// ----------------------------------------------------------------------------------------------------- text flags

UINT LayoutFlagsToDrawTextFlags(TuiTextLayoutFlags Flags) {
    UINT r = 0;
    switch (Flags & 0x07) {
        case tlfRight: r |= DT_RIGHT; break;
        case tlfCenterH: r |= DT_CENTER; break;
        default: break;
    }
    switch (Flags & 0x38) {
        case tlfBottom: r |= DT_BOTTOM; break;
        case tlfCenterV: r |= DT_VCENTER; break;
        default: break;
    }
    if (Flags & tlfSingleLine) r |= DT_SINGLELINE;
    if (Flags & tlfNoClip) r |= DT_NOCLIP;
    if (Flags & tlfExpandTabs) r |= DT_EXPANDTABS;
    if (!(Flags & tlfShowPrefix)) r |= DT_NOPREFIX;
    if (Flags & tlfWordBreak) r |= (Flags & tlfDontBreakChars) ? DT_WORDBREAK : (DT_WORDBREAK | DT_EDITCONTROL);
    if (Flags & tlfEndEllipsis) r |= DT_END_ELLIPSIS;
    if (Flags & tlfCalcRect) r |= DT_CALCRECT;
    if (Flags & tlfPathEllipsis) r |= DT_PATH_ELLIPSIS;
    return r;
}

// ---------------------------------------------------------------------------------------------------- TuiCanvas

TuiCanvas::TuiCanvas(TCanvas* ACanvas) : canvas_(ACanvas) {}

TuiCanvas::~TuiCanvas() {
    for (TuiRegion* r : savedClipRegions_) delete r;
    for (TuiCanvasState& s : savedStates_) {
        delete s.Font;
        delete s.Brush;
        delete s.Pen;
    }
}

HDC TuiCanvas::PreparedHandle() {
    canvas_->GetClipRect();  // selects the font, brush and pen with their colours and modes
    return canvas_->GetHandle();
}

TPoint TuiCanvas::DCOrigin() const {
    TPoint v = ViewportOrigin(), w = WindowOrigin();
    return TPoint{v.x - w.x, v.y - w.y};
}

TPoint TuiCanvas::ViewportOrigin() const {
    POINT p{};
    GetViewportOrgEx(Handle(), &p);
    return p;
}

TPoint TuiCanvas::WindowOrigin() const {
    POINT p{};
    GetWindowOrgEx(Handle(), &p);
    return p;
}

void TuiCanvas::SetWindowOrg(const TPoint& P) { SetWindowOrgEx(Handle(), P.x, P.y, nullptr); }

void TuiCanvas::SetBrushColor(TColor Value) {
    if (Brush()->GetColor() != Value) Brush()->SetColor(Value);
}

void TuiCanvas::FillRect(const TRect& R, TColor Color) {
    if (Color == clNone) return;
    if (Color != clDefault) SetBrushColor(Color);
    canvas_->FillRect(R);
}

void TuiCanvas::FillRectByBitmap(const TRect& R, TBitmap* Bitmap, bool ExcludeRect) {
    if (RectIsEmpty(R)) return;
    if (IsNonEmptyBitmap(Bitmap)) {
        const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
        const int col0 = FloorDiv(R.left, w), col1 = FloorDiv(R.right - 1, w);
        const int row0 = FloorDiv(R.top, h), row1 = FloorDiv(R.bottom - 1, h);
        for (int row = row0; row <= row1; ++row)
            for (int col = col0; col <= col1; ++col) {
                const TRect tile{col * w, row * h, col * w + w, row * h + h};
                TRect part;
                if (!IntersectRect(&part, &tile, &R)) continue;
                canvas_->CopyRect(part, Bitmap->Canvas(), OffsetedRect(part, -tile.left, -tile.top));
            }
    } else {
        canvas_->FillRect(R);
    }
    if (ExcludeRect) SetClipRegion(R, rmmSubtract, true);
}

void TuiCanvas::FrameRect(const TRect& R, TColor Color, int LineWidth, TuiBorders Borders, bool ExcludeFrame) {
    if (RectIsEmpty(R) || Color == clNone) return;
    if (Color != clDefault) SetBrushColor(Color);
    const int w = LineWidth;
    if (Borders.Contains(bLeft))
        FillRectByBitmap(TRect{R.left, R.top, std::min<int>(R.left + w, R.right), R.bottom}, nullptr, ExcludeFrame);
    if (Borders.Contains(bRight))
        FillRectByBitmap(TRect{std::max<int>(R.right - w, R.left), R.top, R.right, R.bottom}, nullptr, ExcludeFrame);
    if (Borders.Contains(bTop))
        FillRectByBitmap(TRect{R.left, R.top, R.right, std::min<int>(R.top + w, R.bottom)}, nullptr, ExcludeFrame);
    if (Borders.Contains(bBottom))
        FillRectByBitmap(TRect{R.left, std::max<int>(R.bottom - w, R.top), R.right, R.bottom}, nullptr, ExcludeFrame);
}

void TuiCanvas::FillFramedRect(const TRect& R, const TuiFillParams& FillParams, bool ExcludeRect, int LineWidth,
                               TColor FrameColor, TuiBorders Borders) {
    FrameRect(R, FrameColor, LineWidth, Borders, ExcludeRect);
    TRect inner = R;
    if (Borders.Contains(bLeft)) inner.left += LineWidth;
    if (Borders.Contains(bTop)) inner.top += LineWidth;
    if (Borders.Contains(bRight)) inner.right -= LineWidth;
    if (Borders.Contains(bBottom)) inner.bottom -= LineWidth;
    const bool hasBitmap = IsNonEmptyBitmap(FillParams.Bitmap);
    if (!hasBitmap && FillParams.Color == clNone) return;  // nothing to paint inside
    if (FillParams.Color != clDefault && FillParams.Color != clNone) SetBrushColor(FillParams.Color);
    FillRectByBitmap(inner, FillParams.Bitmap, ExcludeRect);
}

void TuiCanvas::DrawTwoColourFrame(const TRect& R, TColor LeftTopColor, TColor RightBottomColor, TuiBorders Borders,
                                   int LineWidth) {
    const int w = LineWidth;
    if (Borders.Contains(bLeft)) FillRect(TRect{R.left, R.top, R.left + w, R.bottom}, LeftTopColor);
    if (Borders.Contains(bTop)) FillRect(TRect{R.left, R.top, R.right, R.top + w}, LeftTopColor);
    if (Borders.Contains(bRight)) FillRect(TRect{R.right - w, R.top, R.right, R.bottom}, RightBottomColor);
    if (Borders.Contains(bBottom)) FillRect(TRect{R.left, R.bottom - w, R.right, R.bottom}, RightBottomColor);
}

void TuiCanvas::DrawEdge(const TRect& R, bool Sunken, bool Outer, TuiBorders Borders) {
    TColor lt = clBtnHighlight, rb = clBtnShadow;  // inner raised
    if (Outer) Sunken ? (lt = clBtnShadow, rb = clBtnHighlight) : (lt = cl3DLight, rb = cl3DDkShadow);
    else if (Sunken) lt = cl3DDkShadow, rb = cl3DLight;
    DrawTwoColourFrame(R, lt, rb, Borders, 1);
}

void TuiCanvas::DrawFocusRect(const TRect& R) {
    SetBrushColor(clWhite);
    Font()->SetColor(clBlack);
    PreparedHandle();
    canvas_->DrawFocusRect(R);
}

void TuiCanvas::InvertRect(const TRect& R) {
    canvas_->CopyMode = DSTINVERT;
    canvas_->CopyRect(R, canvas_, R);
    canvas_->CopyMode = SRCCOPY;
}

void TuiCanvas::OutputText(const std::string& Text, TRect R, UINT DrawTextFlags, bool UseDrawText, UINT EtoOptions) {
    HDC dc = PreparedHandle();
    if (UseDrawText) ::zel::DrawText(dc, Text, static_cast<int>(Text.size()), &R, DrawTextFlags);
    else ExtTextOut(dc, R.left, R.top, EtoOptions, &R, Text, static_cast<UINT>(Text.size()), nullptr);
}

void TuiCanvas::DrawText(const std::string& Text, TRect R, TuiTextLayoutFlags Flags, bool Enabled) {
    if (Text.empty()) return;
    const TSize size = GetTextSize(Text);
    if (size.cx <= R.Width() && size.cy <= RectHeight(R)) Flags |= tlfNoClip;
    const bool multiLine = !(Flags & tlfSingleLine);
    const bool useDrawText = multiLine || (Flags & (tlfShowPrefix | tlfEndEllipsis | tlfPathEllipsis)) != 0;
    UINT dtFlags = 0, etoOptions = 0;
    if (useDrawText) {
        if (multiLine && (Flags & (tlfBottom | tlfCenterV)) != 0)
            AlignMultilineText(R, Text, (Flags & tlfDontBreakChars) != 0, Enabled, (Flags & tlfShowPrefix) != 0,
                               (Flags & tlfWordBreak) != 0, (Flags & tlfBottom) ? 1 : 2);
        dtFlags = LayoutFlagsToDrawTextFlags(Flags);
    } else {
        const int d = Enabled ? 0 : 1;
        if (size.cx < R.Width()) {
            if ((Flags & 0x07) == tlfRight) R.left = R.right - size.cx - d;
            else if ((Flags & 0x07) == tlfCenterH) R.left = (R.left + R.right - size.cx) / 2;
        }
        if (size.cy < RectHeight(R)) {
            if ((Flags & 0x38) == tlfBottom) R.top = R.bottom - size.cy - d;
            else if ((Flags & 0x38) == tlfCenterV) R.top = (R.top + R.bottom - size.cy) / 2;
        }
        etoOptions = (Flags & tlfNoClip) ? 0 : ETO_CLIPPED;
    }
    const TBrushStyle oldStyle = Brush()->GetStyle();
    const TColor oldColor = Font()->GetColor();
    if (!Enabled) {
        if (oldStyle != bsClear) Brush()->SetStyle(bsClear);
        Font()->SetColor(clBtnHighlight);
        OutputText(Text, OffsetedRect(R, 1, 1), dtFlags, useDrawText, etoOptions);
        Font()->SetColor(clBtnShadow);
    }
    OutputText(Text, R, dtFlags, useDrawText, etoOptions);
    if (Brush()->GetStyle() != oldStyle) Brush()->SetStyle(oldStyle);
    Font()->SetColor(oldColor);
}

void TuiCanvas::AlignMultilineText(TRect& R, const std::string& Text, bool DontBreakChars, bool Enabled,
                                   bool ShowPrefix, bool WordBreak, int Kind) {
    if (Kind != 1 && Kind != 2) return;
    const int d = Enabled ? 0 : 1;
    TuiTextLayoutFlags flags = tlfLeft | tlfTop;
    if (WordBreak) flags |= tlfWordBreak;
    if (ShowPrefix) flags |= tlfShowPrefix;
    if (DontBreakChars) flags |= tlfDontBreakChars;
    TRect calc{R.left, R.top, R.right - d, R.top};
    TextExtent(Text, calc, flags);
    const int height = RectHeight(calc);
    if (Kind == 1) R.top = R.bottom - height - d;
    else R.top = (R.top + R.bottom - height) / 2;
}

TSize TuiCanvas::GetTextSize(const std::string& Text) {
    TSize s{};
    if (!MeasureStringExtent(PreparedHandle(), Text, s)) s = TSize{};
    return s;
}

void TuiCanvas::TextExtent(const std::string& Text, TRect& R, TuiTextLayoutFlags Flags) {
    const int oldW = R.Width(), oldH = RectHeight(R);
    const UINT dt = LayoutFlagsToDrawTextFlags(Flags);
    if (oldW <= 0 && !Text.empty()) R.right = R.left + 1;
    if (::zel::DrawText(PreparedHandle(), Text, static_cast<int>(Text.size()), &R, (dt | DT_CALCRECT) & ~DT_VCENTER) ==
        0)
        R = TRect{R.left, R.top, R.left, R.top};
    const int newW = R.Width(), newH = RectHeight(R);
    if (dt & DT_CENTER) OffsetRect(&R, (oldW - newW) / 2, 0);
    else if (dt & DT_RIGHT) OffsetRect(&R, oldW - newW, 0);
    if (dt & DT_VCENTER) OffsetRect(&R, 0, (oldH - newH) / 2);
    else if (dt & DT_BOTTOM) OffsetRect(&R, 0, oldH - newH);
}

int TuiCanvas::FontHeight(TFont* AFont) {
    if (AFont != nullptr) SetFont(AFont);
    return TextHeight("Qq");
}

void TuiCanvas::SaveDC() { savedDCs_.push_back(::zel::SaveDC(Handle())); }

void TuiCanvas::RestoreDC() {
    if (savedDCs_.empty()) return;
    const int saved = savedDCs_.back();
    savedDCs_.pop_back();
    ::zel::RestoreDC(Handle(), saved);
}

void TuiCanvas::PushClipRegion() { savedClipRegions_.push_back(GetClipRegion(true)); }

void TuiCanvas::PopClipRegion() {
    if (savedClipRegions_.empty()) return;
    TuiRegion* r = savedClipRegions_.back();
    savedClipRegions_.pop_back();
    SetClipRegion(r, rmmSet, true, true);
}

void TuiCanvas::PushState() {
    SaveDC();
    TuiCanvasState s;
    s.Font = new TFont;
    s.Font->Assign(Font());
    s.Brush = new TBrush;
    s.Brush->Assign(Brush());
    s.Pen = new TPen;
    s.Pen->Assign(Pen());
    savedStates_.push_back(s);
}

void TuiCanvas::PopState() {
    if (savedStates_.empty()) return;
    TuiCanvasState s = savedStates_.back();
    savedStates_.pop_back();
    Font()->Assign(s.Font);
    Brush()->Assign(s.Brush);
    Pen()->Assign(s.Pen);
    delete s.Font;
    delete s.Brush;
    delete s.Pen;
    RestoreDC();
}

void TuiCanvas::ExcludeClipRect(const TRect& R) { ::zel::ExcludeClipRect(Handle(), R.left, R.top, R.right, R.bottom); }

void TuiCanvas::IntersectClipRect(const TRect& R) {
    ::zel::IntersectClipRect(Handle(), R.left, R.top, R.right, R.bottom);
}

TuiRegion* TuiCanvas::GetClipRegion(bool ConsiderOrigin) {
    auto* r = new TuiRegion;
    if (GetClipRgn(Handle(), r->GetHandle()) != 1) SetRectRgn(r->GetHandle(), 0, 0, 30000, 30000);
    if (ConsiderOrigin) {
        const TPoint o = DCOrigin();
        r->Offset(-o.x, -o.y);
    }
    return r;
}

void TuiCanvas::SetClipRegion(TuiRegion* Region, TuiRegionMergeMode Operation, bool ConsiderOrigin,
                              bool DestroyRegion) {
    if (Region == nullptr) return;
    if (Operation != rmmSet) {
        TuiRegion* clip = GetClipRegion(ConsiderOrigin);
        clip->CombineWith(Region, Operation, DestroyRegion);
        SetClipRegion(clip, rmmSet, ConsiderOrigin, true);
        return;
    }
    TPoint o{};
    if (ConsiderOrigin) {
        o = DCOrigin();
        Region->Offset(o.x, o.y);
    }
    SelectClipRgn(Handle(), Region->GetHandle());
    if (DestroyRegion) delete Region;
    else if (ConsiderOrigin) Region->Offset(-o.x, -o.y);
}

void TuiCanvas::SetClipRegion(const TRect& R, TuiRegionMergeMode Operation, bool ConsiderOrigin) {
    SetClipRegion(new TuiRegion(R), Operation, ConsiderOrigin, true);
}

void TuiCanvas::RotateBitmap(TBitmap* Bitmap, int Angle, bool Flip) {
    if (Bitmap == nullptr || Bitmap->Empty() || Angle < 0 || Angle > 3) return;
    if (Angle == 0 && !Flip) return;
    const int W = Bitmap->GetWidth(), H = Bitmap->GetHeight();
    BITMAPINFO info;
    info.bmiHeader.biWidth = W;
    info.bmiHeader.biHeight = -H;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> src(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, Bitmap->GetHandle(), 0, static_cast<UINT>(H), src.data(), &info, DIB_RGB_COLORS);
    const bool swap = Angle == 1 || Angle == 2;
    const int NW = swap ? H : W, NH = swap ? W : H;
    std::vector<std::uint32_t> dst(src.size());
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            int nx = x, ny = y;
            switch (Angle) {
                case 0: ny = H - 1 - y; break;
                case 1:
                    nx = y;
                    ny = Flip ? x : W - 1 - x;
                    break;
                case 2:
                    nx = H - 1 - y;
                    ny = Flip ? W - 1 - x : x;
                    break;
                default:
                    nx = W - 1 - x;
                    ny = Flip ? y : H - 1 - y;
                    break;
            }
            dst[static_cast<std::size_t>(ny) * static_cast<std::size_t>(NW) + static_cast<std::size_t>(nx)] =
                src[static_cast<std::size_t>(y) * static_cast<std::size_t>(W) + static_cast<std::size_t>(x)];
        }
    if (swap) {
        Bitmap->SetHeight(0);
        Bitmap->SetWidth(NW);
        Bitmap->SetHeight(NH);
    }
    info.bmiHeader.biWidth = NW;
    info.bmiHeader.biHeight = -NH;
    SetDIBits(dc, Bitmap->GetHandle(), 0, static_cast<UINT>(NH), dst.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
}

// ---------------------------------------------------------------------------------------------- TuiScreenCanvas

namespace {

// A canvas over the desktop window's cache DC, released when the canvas goes.
class TuiDesktopCanvas : public TCanvas {
public:
    ~TuiDesktopCanvas() override {
        if (own_ != nullptr) {
            SetHandle(nullptr);
            ReleaseDC(window_, own_);
        }
    }
    std::string ClassName() const override { return "TScreenCanvas"; }

protected:
    void CreateHandle() override {
        window_ = GetDesktopWindow();
        own_ = GetDCEx(window_, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        SetHandle(own_);
    }

private:
    HWND window_ = nullptr;
    HDC own_ = nullptr;
};

TuiScreenCanvas* screenCanvas = nullptr;

}  // namespace

TuiScreenCanvas::TuiScreenCanvas() : TuiCanvas(new TuiDesktopCanvas) {}

TuiScreenCanvas::~TuiScreenCanvas() { delete GetCanvas(); }

TuiScreenCanvas* uiScreenCanvas() {
    if (screenCanvas == nullptr) screenCanvas = new TuiScreenCanvas;
    return screenCanvas;
}

void FreeScreenCanvas() {
    delete screenCanvas;
    screenCanvas = nullptr;
}

// ------------------------------------------------------------------------------------------------- text helpers

bool MeasureStringExtent(HDC DC, const std::string& Text, TSize& Size, int Length) {
    const int n = Length < 0 ? static_cast<int>(Text.size()) : std::min<int>(Length, static_cast<int>(Text.size()));
    return GetTextExtentPoint32(DC, Text, n, &Size) != FALSE;
}

int uiDrawText(HDC DC, const std::string& Text, TRect& R, UINT Flags, int Length) {
    return DrawTextA(DC, Text, Length, &R, Flags);
}

bool ExtTextOutString(HDC DC, const std::string& Text, const TPoint& P, UINT Options, const TRect* ClipRect,
                      int Length) {
    const int n = Length < 0 ? static_cast<int>(Text.size()) : std::min<int>(Length, static_cast<int>(Text.size()));
    return ExtTextOut(DC, P.x, P.y, Options, ClipRect, Text, static_cast<UINT>(n), nullptr) != FALSE;
}

void InvalidateWindowArea(HWND Wnd, const TRect* R, bool Erase) { InvalidateRect(Wnd, R, Erase ? TRUE : FALSE); }

bool QueryBitmapRecord(HBITMAP Bitmap, BITMAP& Info) {
    return GetObject(Bitmap, static_cast<int>(sizeof(BITMAP)), &Info) != 0;
}

bool IsNativeScriptFont(BYTE Charset, const std::string& FontName) {
    if (Charset == DEFAULT_CHARSET) Charset = DefaultFontCharset();
    if (!FontName.empty() && static_cast<unsigned char>(FontName[0]) < 0x80) return false;
    return Charset == GB2312_CHARSET_VALUE || Charset == CHINESEBIG5_CHARSET_VALUE || Charset == ARABIC_CHARSET_VALUE;
}

// ------------------------------------------------------------------------------------------------------ colours

namespace {

TColor BlendSystemColors(int FacePercent, int HighlightPercent, int WindowPercent) {
    const COLORREF face = static_cast<COLORREF>(ColorToRGB(clBtnFace));
    const COLORREF high = static_cast<COLORREF>(ColorToRGB(clHighlight));
    const COLORREF window = static_cast<COLORREF>(ColorToRGB(clWindow));
    if (face == RGB(0, 0, 0) || face == RGB(255, 255, 255)) return static_cast<TColor>(high);
    auto channel = [&](int shift) {
        const int f = static_cast<int>((face >> shift) & 0xFF), h = static_cast<int>((high >> shift) & 0xFF),
                  w = static_cast<int>((window >> shift) & 0xFF);
        const int v = MulDiv(f, FacePercent, 100) + MulDiv(h, HighlightPercent, 100) + MulDiv(w, WindowPercent, 100);
        return static_cast<BYTE>(std::clamp(v, 0, 255));
    };
    return NearestScreenColor(static_cast<TColor>(RGB(channel(0), channel(8), channel(16))));
}

}  // namespace

TColor PressedBlendColor() { return BlendSystemColors(14, 44, 40); }
TColor HotBlendColor() { return BlendSystemColors(-2, 30, 72); }

TColor NearestScreenColor(TColor Color) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetNearestColor(dc, static_cast<COLORREF>(ColorToRGB(Color)));
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(c);
}

std::uint32_t ColorToPixel(TColor Color, std::uint8_t Alpha) {
    const COLORREF c = static_cast<COLORREF>(ColorToRGB(Color));
    return static_cast<std::uint32_t>(GetBValue(c)) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(Alpha) << 24);
}

TRect DeflateRectByMargins(const TRect& R, const TRect& Margins) {
    return TRect{R.left + Margins.left, R.top + Margins.top, R.right - Margins.right, R.bottom - Margins.bottom};
}

bool HasImageIndex(TCustomImageList* Images, int Index) {
    return Images != nullptr && Index >= 0 && Index < Images->Count();
}

bool IsNonEmptyBitmap(TBitmap* Bitmap) { return Bitmap != nullptr && !Bitmap->Empty(); }

// --------------------------------------------------------------------------------------------- parent background

namespace {

// Paints Window into the canvas with the window origin moved so that its client origin falls on Origin; the
// window knows it paints a copy (csPaintCopy) meanwhile.
void PaintWindowInto(TWinControl* Window, TCanvas* Canvas, const TPoint& Origin) {
    HDC dc = Canvas->GetHandle();
    POINT old{};
    OffsetWindowOrgEx(dc, -Origin.x, -Origin.y, &old);
    const TControlState state = Window->ControlState();
    TControlState copying = state;
    Window->SetControlState(copying.Include(csPaintCopy));
    Canvas->Lock();
    Window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    Window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    Canvas->Unlock();
    Window->SetControlState(state);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

// Paints a visible windowed child of a window whose client origin lies at ParentOrigin: its 3-D frame, then
// its client area clipped to the frame, then its own windowed children the same way.
void PaintChildWindowInto(TWinControl* Child, TCanvas* Canvas, const TPoint& ParentOrigin) {
    HDC dc = Canvas->GetHandle();
    const int inner = ::zel::SaveDC(dc);
    const TPoint origin{ParentOrigin.x + Child->GetLeft(), ParentOrigin.y + Child->GetTop()};
    POINT old{};
    OffsetWindowOrgEx(dc, -origin.x, -origin.y, &old);
    const LONG exStyle = Child->HandleAllocated() ? GetWindowLong(Child->Handle(), GWL_EXSTYLE) : 0;
    const LONG style = Child->HandleAllocated() ? GetWindowLong(Child->Handle(), GWL_STYLE) : 0;
    TRect client{0, 0, Child->GetWidth(), Child->GetHeight()};
    if (exStyle & WS_EX_CLIENTEDGE) {
        ::zel::DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    } else if (style & static_cast<LONG>(WS_BORDER)) {
        ::zel::DrawEdge(dc, &client, BDR_OUTER, BF_RECT | BF_ADJUST | BF_MONO);
    }
    ::zel::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
    const TPoint clientOrigin{origin.x + client.left, origin.y + client.top};
    PaintWindowInto(Child, Canvas, clientOrigin);
    for (int i = 0; i < Child->ControlCount(); ++i) {
        auto* grandChild = dynamic_cast<TWinControl*>(Child->Controls(i));
        if (grandChild != nullptr && grandChild->GetVisible()) PaintChildWindowInto(grandChild, Canvas, clientOrigin);
    }
    ::zel::RestoreDC(dc, inner);
}

}  // namespace

void PaintParentUnderControl(TControl* Control, TCanvas* Canvas, const TRect& R, bool PaintSiblings) {
    if (Control == nullptr || Canvas == nullptr) return;
    TWinControl* parent = Control->GetParent();
    if (parent == nullptr) return;
    HDC dc = Canvas->GetHandle();
    const int saved = ::zel::SaveDC(dc);
    const TRect inParent = OffsetedRect(R, Control->GetLeft(), Control->GetTop());
    // The parent's client origin lands on the control's origin.
    const TPoint parentOrigin{-Control->GetLeft(), -Control->GetTop()};
    if (RectVisible(dc, &R)) {
        PaintWindowInto(parent, Canvas, parentOrigin);
        if (PaintSiblings) {
            // The windowed siblings below the control, with their own children.
            for (int i = 0; i < parent->ControlCount(); ++i) {
                TControl* sibling = parent->Controls(i);
                if (sibling == Control) break;
                auto* win = dynamic_cast<TWinControl*>(sibling);
                if (win == nullptr || !win->GetVisible()) continue;
                TRect area;
                const TRect bounds = sibling->BoundsRect();
                if (IntersectRect(&area, &bounds, &inParent)) PaintChildWindowInto(win, Canvas, parentOrigin);
            }
        }
    }
    ::zel::RestoreDC(dc, saved);
}

void PaintControlBackgroundFromParent(TControl* Control, TCanvas* Canvas, const TRect& R) {
    auto* win = dynamic_cast<TWinControl*>(Control);
    const TWinControl* parent = Control != nullptr ? Control->GetParent() : nullptr;
    if (win == nullptr || (parent != nullptr && parent->DoubleBuffered) || !IsThemeActive()) {
        PaintParentUnderControl(Control, Canvas, R, false);
        return;
    }
    DrawThemeParentBackground(win->Handle(), Canvas->GetHandle(), &R);
}

// ------------------------------------------------------------------------------------------ predefined brushes

namespace {

constexpr int SystemBrushCount = 31;
std::vector<TBrush*> systemBrushes;
HBRUSH halftoneBrush = nullptr;

}  // namespace

TBrush* uiSystemBrush(int Index) {
    if (Index < 0 || Index >= SystemBrushCount) return nullptr;
    if (systemBrushes.empty()) {
        for (int i = 0; i < SystemBrushCount; ++i) {
            auto* b = new TBrush;
            b->SetColor(ColorOfSysIndex(i));
            systemBrushes.push_back(b);
        }
    }
    return systemBrushes[static_cast<std::size_t>(Index)];
}

HBRUSH uiHalftoneBrush() {
    if (halftoneBrush == nullptr) {
        // Monochrome rows are padded to 16 bits.
        const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
        HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
        halftoneBrush = CreatePatternBrush(pattern);
        DeleteObject(pattern);
    }
    return halftoneBrush;
}

void CreatePredefinedBrushes() {
    uiSystemBrush(0);
    uiHalftoneBrush();
}

void FreePredefinedBrushes() {
    for (TBrush* b : systemBrushes) delete b;
    systemBrushes.clear();
    if (halftoneBrush != nullptr) DeleteObject(halftoneBrush);
    halftoneBrush = nullptr;
}

}  // namespace zel
