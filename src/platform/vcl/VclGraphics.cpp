#include "platform/vcl/VclGraphics.h"

#include <QImage>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>
#include <utility>

#include "platform/rtl/Streams.h"
#include "platform/win/GdiQt.h"
#include "platform/win/ImageLists.h"

namespace zel {

COLORREF ColorToCOLORREF(TColor Color) {
    if (Color == clNone || Color == clDefault) return 0;
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFF;
}

TSize MeasureText(TFont* Font, const std::string& Text, UINT Flags, int MaxWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    RECT r{0, 0, MaxWidth, 0};
    std::string text = Text.empty() ? std::string(" ") : Text;
    DrawText(dc, text, static_cast<int>(text.size()), &r, Flags | DT_CALCRECT);
    if (Text.empty()) r.right = 0;
    SelectObject(dc, old);
    DeleteDC(dc);
    return TSize{r.right - r.left, r.bottom - r.top};
}

// ------------------------------------------------------------------------------------- TGraphicsObject

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::FreeHandle() {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = nullptr;
}

void TGraphicsObject::Changed() {
    FreeHandle();
    if (OnChange) OnChange(this);
}

// ------------------------------------------------------------------------------------------------ TFont

void TFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        name_ = f->name_;
        height_ = f->height_;
        color_ = f->color_;
        style_ = f->style_;
        charset_ = f->charset_;
        pitch_ = f->pitch_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HFONT TFont::GetHandle() {
    if (handle_ == nullptr) {
        LOGFONT lf;
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
        lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = charset_;
        lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_ = CreateFontIndirect(&lf);
    }
    return handle_;
}

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == name_) return;
    name_ = Value;
    Changed();
}

void TFont::SetHeight(int Value) {
    if (Value == height_) return;
    height_ = Value;
    Changed();
}

int TFont::GetSize() const { return -MulDiv(height_, 72, PixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, PixelsPerInch, 72)); }

void TFont::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    // The colour is no part of the GDI font: keep the handle.
    if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TFont::SetCharset(BYTE Value) {
    if (Value == charset_) return;
    charset_ = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == pitch_) return;
    pitch_ = Value;
    Changed();
}

// ------------------------------------------------------------------------------------------------- TPen

void TPen::Assign(TPersistent* Source) {
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        mode_ = p->mode_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HPEN TPen::GetHandle() {
    if (handle_ == nullptr) {
        static constexpr UINT styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                          PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_ = CreatePen(static_cast<int>(styles[style_]), width_, ColorToCOLORREF(color_));
    }
    return handle_;
}

void TPen::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == width_) return;
    width_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

// ----------------------------------------------------------------------------------------------- TBrush

void TBrush::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        color_ = b->color_;
        style_ = b->style_;
        bitmap_ = b->bitmap_;
        FreeHandle();
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HBRUSH TBrush::GetHandle() {
    if (handle_ == nullptr && bitmap_ != nullptr) handle_ = CreatePatternBrush(bitmap_->GetHandle());
    if (handle_ == nullptr) {
        switch (style_) {
            case bsSolid: handle_ = CreateSolidBrush(ColorToCOLORREF(color_)); break;
            case bsClear: handle_ = GetStockObject(NULL_BRUSH); return handle_;
            default: {
                static constexpr int hatches[] = {
                    0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
                handle_ = CreateHatchBrush(hatches[style_], ColorToCOLORREF(color_));
            }
        }
    }
    return handle_;
}

void TBrush::SetColor(TColor Value) {
    if (Value == color_ && style_ != bsClear) return;
    color_ = Value;
    if (style_ == bsClear) style_ = bsSolid;
    if (handle_ == GetStockObject(NULL_BRUSH)) handle_ = nullptr;
    Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
    if (Value == bitmap_) return;
    if (handle_ == GetStockObject(NULL_BRUSH)) handle_ = nullptr;
    FreeHandle();
    bitmap_ = Value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == style_) return;
    if (handle_ == GetStockObject(NULL_BRUSH)) handle_ = nullptr;
    style_ = Value;
    Changed();
}

// ---------------------------------------------------------------------------------------------- TCanvas

TCanvas::TCanvas() : font_(new TFont), pen_(new TPen), brush_(new TBrush) {
    // A changed object leaves the context (its old handle may go); the others stay selected, so that
    // drawing straight on the context after a brush change still uses the canvas's font and pen.
    auto deselect = [this](HGDIOBJ& old) {
        if (dc_ == nullptr || old == nullptr) return;
        SelectObject(dc_, old);
        old = nullptr;
    };
    font_->OnChange = [this, deselect](TObject*) { deselect(oldFont_); };
    pen_->OnChange = [this, deselect](TObject*) { deselect(oldPen_); };
    brush_->OnChange = [this, deselect](TObject*) { deselect(oldBrush_); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    delete font_;
    delete pen_;
    delete brush_;
}

HDC TCanvas::GetHandle() {
    if (dc_ == nullptr) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC Value) {
    if (dc_ == Value) return;
    if (dc_ != nullptr) DeselectHandles();
    dc_ = Value;
}

void TCanvas::DeselectHandles() {
    if (dc_ == nullptr) return;
    if (oldPen_ != nullptr) SelectObject(dc_, oldPen_);
    if (oldBrush_ != nullptr) SelectObject(dc_, oldBrush_);
    if (oldFont_ != nullptr) SelectObject(dc_, oldFont_);
    oldPen_ = oldBrush_ = oldFont_ = nullptr;
}

void TCanvas::RequireState() {
    HDC dc = GetHandle();
    if (dc == nullptr) throw EInvalidOperation("Canvas does not allow drawing");
    HGDIOBJ p = SelectObject(dc, pen_->GetHandle());
    if (oldPen_ == nullptr) oldPen_ = p;
    HGDIOBJ b = SelectObject(dc, brush_->GetHandle());
    if (oldBrush_ == nullptr) oldBrush_ = b;
    HGDIOBJ f = SelectObject(dc, font_->GetHandle());
    if (oldFont_ == nullptr) oldFont_ = f;
    SetTextColor(dc, ColorToCOLORREF(font_->GetColor()));
    SetBkColor(dc, ColorToCOLORREF(brush_->GetColor()));
    SetBkMode(dc, brush_->GetStyle() == bsClear ? TRANSPARENT : OPAQUE);
    static constexpr int rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    SetROP2(dc, rops[pen_->GetMode()]);
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::MoveTo(int X, int Y) {
    RequireState();
    MoveToEx(dc_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
    Changing();
    RequireState();
    ::zel::LineTo(dc_, X, Y);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequireState();
    ::zel::Rectangle(dc_, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequireState();
    ::zel::Ellipse(dc_, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    Changing();
    RequireState();
    ::zel::Arc(dc_, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    Changing();
    RequireState();
    ::zel::RoundRect(dc_, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
    if (Points.empty()) return;
    Changing();
    RequireState();
    ::zel::Polygon(dc_, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
    if (Points.empty()) return;
    Changing();
    RequireState();
    ::zel::Polyline(dc_, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::FillRect(const TRect& R) {
    Changing();
    RequireState();
    ::zel::FillRect(dc_, &R, brush_->GetHandle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R) {
    Changing();
    RequireState();
    ::zel::FrameRect(dc_, &R, brush_->GetHandle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
    Changing();
    RequireState();
    ::zel::DrawFocusRect(dc_, &R);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    Changing();
    RequireState();
    ::zel::TextOut(dc_, X, Y, Text, static_cast<int>(Text.size()));
    Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
    Changing();
    RequireState();
    UINT options = ETO_CLIPPED;
    if (brush_->GetStyle() != bsClear) options |= ETO_OPAQUE;
    ExtTextOut(dc_, X, Y, options, &R, Text, static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& Text) {
    RequireState();
    SIZE s;
    GetTextExtentPoint32(dc_, Text, static_cast<int>(Text.size()), &s);
    return s;
}

void TCanvas::Draw(int X, int Y, TBitmap* Graphic) {
    if (Graphic == nullptr || Graphic->Empty()) return;
    StretchDraw(Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()), Graphic);
}

void TCanvas::DrawTransparent(int X, int Y, TBitmap* Graphic) {
    if (Graphic == nullptr || Graphic->Empty()) return;
    TCanvas* pc = Graphic->Canvas();
    const int w = Graphic->GetWidth(), h = Graphic->GetHeight();
    const TColor key = pc->GetPixel(0, h - 1);
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const TColor p = pc->GetPixel(px, py);
            if (p != key) SetPixel(X + px, Y + py, p);
        }
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (Bitmap == nullptr || Bitmap->Empty()) return;
    TCanvas* pc = Bitmap->Canvas();
    const TColor key = ColorToRGB(Color);
    const bool clear = brush_->GetStyle() == bsClear;
    const TColor fill = ColorToRGB(brush_->GetColor());
    const int w = std::min(Dest.Width(), Source.Width()), h = std::min(Dest.Height(), Source.Height());
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const int sx = Source.left + px, sy = Source.top + py;
            if (sx < 0 || sy < 0 || sx >= Bitmap->GetWidth() || sy >= Bitmap->GetHeight()) continue;
            const TColor p = pc->GetPixel(sx, sy);
            if (p != key) SetPixel(Dest.left + px, Dest.top + py, p);
            else if (!clear) SetPixel(Dest.left + px, Dest.top + py, fill);
        }
}

void TCanvas::StretchDraw(const TRect& R, TBitmap* Graphic) {
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequireState();
    HDC src = Graphic->Canvas()->GetHandle();
    StretchBlt(dc_, R.left, R.top, R.Width(), R.Height(), src, 0, 0, Graphic->GetWidth(), Graphic->GetHeight(),
               CopyMode);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    Changing();
    RequireState();
    StretchBlt(dc_, Dest.left, Dest.top, Dest.Width(), Dest.Height(), Canvas->GetHandle(), Source.left, Source.top,
               Source.Width(), Source.Height(), CopyMode);
    Changed();
}

TColor TCanvas::GetPixel(int X, int Y) {
    RequireState();
    return static_cast<TColor>(::zel::GetPixel(dc_, X, Y));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
    Changing();
    RequireState();
    ::zel::SetPixel(dc_, X, Y, ColorToCOLORREF(Color));
    Changed();
}

TRect TCanvas::GetClipRect() {
    RequireState();
    RECT r;
    GetClipBox(dc_, &r);
    return r;
}

// ---------------------------------------------------------------------------------------------- TBitmap

namespace {

int BitsOfFormat(TPixelFormat f) {
    switch (f) {
        case pf1bit: return 1;
        case pf4bit: return 4;
        case pf8bit: return 8;
        case pf15bit:
        case pf16bit: return 16;
        case pf24bit: return 24;
        default: return 32;
    }
}

TPixelFormat FormatOfBits(int bits) {
    switch (bits) {
        case 1: return pf1bit;
        case 4: return pf4bit;
        case 8: return pf8bit;
        case 16: return pf15bit;
        case 24: return pf24bit;
        default: return pf32bit;
    }
}

// Black or white by brightness, as a monochrome surface shows a colour.
std::uint32_t MonoOf(std::uint32_t p) {
    const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 30 + g * 59 + b * 11) >= 128 * 100 ? 0xFFFFFFFFu : 0xFF000000u;
}

void PutU16(std::string& s, std::size_t at, std::uint16_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
}
void PutU32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
std::uint32_t GetU32(std::string_view s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(s[at + static_cast<std::size_t>(i)]);
    return v;
}
std::uint16_t GetU16(std::string_view s, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(s[at]) | (static_cast<std::uint8_t>(s[at + 1]) << 8));
}

std::size_t RowBytes(int width, int bits) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
}

// The palette of a 1-, 4- or 8-bit stream: the image's own colours in ascending order when they fit, else a
// fixed palette (black and white; the 16 standard colours; 3 bits of red and green and 2 of blue).
struct TPalette {
    std::vector<std::uint32_t> Colors;  // 24-bit, 1 << bits entries
    std::size_t Own = 0;                // how many leading entries are the image's own (sorted) colours
    int Bits = 0;
    int IndexOf(std::uint32_t rgb) const {
        if (Own > 0) {
            auto end = Colors.begin() + static_cast<std::ptrdiff_t>(Own);
            return static_cast<int>(std::lower_bound(Colors.begin(), end, rgb) - Colors.begin());
        }
        if (Bits == 1) return MonoOf(rgb) == 0xFFFFFFFFu ? 1 : 0;
        if (Bits == 8) return static_cast<int>(((rgb >> 16) & 0xE0) | ((rgb >> 11) & 0x1C) | ((rgb >> 6) & 0x03));
        int best = 0;
        long bestDist = -1;
        for (std::size_t i = 0; i < Colors.size(); ++i) {
            long d = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const long c =
                    static_cast<long>((rgb >> shift) & 0xFF) - static_cast<long>((Colors[i] >> shift) & 0xFF);
                d += c * c;
            }
            if (bestDist < 0 || d < bestDist) {
                bestDist = d;
                best = static_cast<int>(i);
            }
        }
        return best;
    }
};

TPalette MakePalette(const QImage& img, int w, int h, int bits) {
    TPalette pal;
    pal.Bits = bits;
    const std::size_t size = std::size_t{1} << bits;
    std::vector<std::uint32_t> seen;
    for (int y = 0; y < h && seen.size() <= size; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = row[x] & 0xFFFFFF;
            if (std::find(seen.begin(), seen.end(), rgb) == seen.end()) {
                seen.push_back(rgb);
                if (seen.size() > size) break;
            }
        }
    }
    if (seen.size() <= size) {
        std::sort(seen.begin(), seen.end());
        pal.Own = seen.size();
        pal.Colors = seen;
        pal.Colors.resize(size, 0);
        return pal;
    }
    static const std::uint32_t kStandard16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                  0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                  0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (bits == 1) {
        pal.Colors = {0x000000, 0xFFFFFF};
    } else if (bits == 4) {
        pal.Colors.assign(std::begin(kStandard16), std::end(kStandard16));
    } else {
        for (std::uint32_t i = 0; i < 256; ++i) {
            const std::uint32_t r = ((i >> 5) & 7) * 255 / 7, g = ((i >> 2) & 7) * 255 / 7, b = (i & 3) * 255 / 3;
            pal.Colors.push_back((r << 16) | (g << 8) | b);
        }
    }
    return pal;
}

std::string EncodeBmp(const QImage& img, int w, int h, int bits) {
    const std::size_t rowBytes = RowBytes(w, bits);
    TPalette pal;
    if (bits <= 8) pal = MakePalette(img, w, h, bits);
    const std::size_t paletteBytes = pal.Colors.size() * 4;
    const std::size_t offset = 14 + 40 + paletteBytes;
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(h);
    std::string out(offset + imageBytes, '\0');
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out, 2, static_cast<std::uint32_t>(out.size()));
    PutU32(out, 10, static_cast<std::uint32_t>(offset));
    PutU32(out, 14, 40);
    PutU32(out, 18, static_cast<std::uint32_t>(w));
    PutU32(out, 22, static_cast<std::uint32_t>(h));
    PutU16(out, 26, 1);
    PutU16(out, 28, static_cast<std::uint16_t>(bits));
    PutU32(out, 30, BI_RGB);
    PutU32(out, 34, static_cast<std::uint32_t>(imageBytes));
    PutU32(out, 46, static_cast<std::uint32_t>(pal.Colors.size()));
    for (std::size_t i = 0; i < pal.Colors.size(); ++i) PutU32(out, 54 + i * 4, pal.Colors[i]);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(h - 1 - y));
        auto* dst = reinterpret_cast<std::uint8_t*>(out.data()) + offset + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = row[x];
            switch (bits) {
                case 32: std::memcpy(dst + x * 4, &p, 4); break;
                case 24:
                    dst[x * 3] = static_cast<std::uint8_t>(p);
                    dst[x * 3 + 1] = static_cast<std::uint8_t>(p >> 8);
                    dst[x * 3 + 2] = static_cast<std::uint8_t>(p >> 16);
                    break;
                case 16: {
                    const unsigned v = (((p >> 19) & 0x1F) << 10) | (((p >> 11) & 0x1F) << 5) | ((p >> 3) & 0x1F);
                    dst[x * 2] = static_cast<std::uint8_t>(v);
                    dst[x * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
                    break;
                }
                default: {
                    const unsigned index = static_cast<unsigned>(pal.IndexOf(p & 0xFFFFFF));
                    const int perByte = 8 / bits;
                    const int shift = (perByte - 1 - x % perByte) * bits;
                    dst[x / perByte] |= static_cast<std::uint8_t>(index << shift);
                }
            }
        }
    }
    return out;
}

struct TDecodedBmp {
    int Width = 0;
    int Height = 0;
    int Bits = 0;
    std::vector<std::uint32_t> Pixels;  // top-down
};

// Every field is checked against the bytes: nothing is read outside them and no bitmap is made that they
// cannot fill.
TDecodedBmp DecodeBmp(std::string_view b) {
    auto fail = [] { throw EReadError(SReadError); };
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || GetU32(b, 2) != b.size()) fail();
    const std::uint32_t offset = GetU32(b, 10), headerSize = GetU32(b, 14);
    const auto width = static_cast<std::int32_t>(GetU32(b, 18)), height = static_cast<std::int32_t>(GetU32(b, 22));
    const int bits = GetU16(b, 28);
    const std::uint32_t compression = GetU32(b, 30), used = GetU32(b, 46);
    if (headerSize < 40 || GetU16(b, 26) != 1 || compression != BI_RGB) fail();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) fail();
    if (width <= 0 || height == 0 || height == INT32_MIN || width > 65535 || std::abs(height) > 65535) fail();
    const std::size_t paletteEntries = bits <= 8 ? (used != 0 ? used : (1u << bits)) : 0;
    if (paletteEntries > 256 || 14 + static_cast<std::uint64_t>(headerSize) + paletteEntries * 4 > offset) fail();
    const int h = std::abs(height);
    const std::size_t rowBytes = RowBytes(width, bits);
    if (offset > b.size() || (b.size() - offset) / rowBytes < static_cast<std::size_t>(h)) fail();
    std::vector<std::uint32_t> palette(paletteEntries);
    for (std::size_t i = 0; i < paletteEntries; ++i)
        palette[i] = 0xFF000000u | (GetU32(b, 14 + headerSize + i * 4) & 0xFFFFFF);
    TDecodedBmp d;
    d.Width = width;
    d.Height = h;
    d.Bits = bits;
    d.Pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        const int imgRow = height > 0 ? h - 1 - y : y;
        const auto* src =
            reinterpret_cast<const std::uint8_t*>(b.data()) + offset + static_cast<std::size_t>(y) * rowBytes;
        std::uint32_t* dst = d.Pixels.data() + static_cast<std::ptrdiff_t>(imgRow) * width;
        for (int x = 0; x < width; ++x) {
            switch (bits) {
                case 32: std::memcpy(&dst[x], src + x * 4, 4); break;
                case 24:
                    dst[x] = 0xFF000000u | (static_cast<std::uint32_t>(src[x * 3 + 2]) << 16) |
                             (static_cast<std::uint32_t>(src[x * 3 + 1]) << 8) | src[x * 3];
                    break;
                case 16: {
                    const unsigned v = src[x * 2] | (src[x * 2 + 1] << 8);
                    auto five = [](unsigned c) { return (c << 3) | (c >> 2); };
                    dst[x] =
                        0xFF000000u | (five((v >> 10) & 0x1F) << 16) | (five((v >> 5) & 0x1F) << 8) | five(v & 0x1F);
                    break;
                }
                default: {
                    const int perByte = 8 / bits;
                    const int shift = (perByte - 1 - x % perByte) * bits;
                    const unsigned index = (src[x / perByte] >> shift) & ((1u << bits) - 1);
                    dst[x] = index < palette.size() ? palette[index] : 0xFF000000u;
                    if (bits == 1) dst[x] = MonoOf(dst[x]);
                }
            }
        }
    }
    return d;
}

}  // namespace

class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* owner) : owner_(owner) {}
    ~TBitmapCanvas() override { FreeContext(); }
    void FreeContext() {
        if (!HandleAllocated()) return;
        HDC dc = GetHandle();
        DeselectHandles();
        if (old_ != nullptr) SelectObject(dc, old_);
        old_ = nullptr;
        SetHandle(nullptr);
        DeleteDC(dc);
    }

protected:
    void CreateHandle() override {
        HDC dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc, owner_->GetHandle());
        SetHandle(dc);
    }

private:
    TBitmap* owner_;
    HGDIOBJ old_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    delete canvas_;
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void TBitmap::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        if (b == this) return;
        HBITMAP copy = b->Empty() ? nullptr : CopyImage(b->GetHandle(), IMAGE_BITMAP, 0, 0, 0);
        pixelFormat_ = b->pixelFormat_;
        Transparent = b->Transparent;
        TransparentColor = b->TransparentColor;
        if (copy != nullptr) {
            SetBitmapReportedBits(copy, BitsOfFormat(pixelFormat_));
            ReplaceHandle(copy, b->width_, b->height_);
        } else {
            ReplaceHandle(nullptr, 0, 0);
        }
        Changed(this);
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::ReplaceHandle(HBITMAP Value, int AWidth, int AHeight) {
    if (canvas_ != nullptr) canvas_->FreeContext();
    if (bitmap_ != nullptr && bitmap_ != Value) DeleteObject(bitmap_);
    bitmap_ = Value;
    width_ = AWidth;
    height_ = AHeight;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == width_ && AHeight == height_) return;
    const bool mono = pixelFormat_ == pf1bit;
    HBITMAP next = CreateBitmap(std::max(1, AWidth), std::max(1, AHeight), 1, mono ? 1 : 32, nullptr);
    QImage* img = BitmapImage(next);
    img->fill(0xFFFFFFFFu);
    if (bitmap_ != nullptr) {
        if (QImage* old = BitmapImage(bitmap_)) {
            for (int y = 0; y < std::min(old->height(), img->height()); ++y)
                std::memcpy(img->scanLine(y), old->constScanLine(y),
                            static_cast<std::size_t>(std::min(old->width(), img->width())) * 4);
        }
    }
    SetBitmapReportedBits(next, BitsOfFormat(pixelFormat_));
    ReplaceHandle(next, AWidth, AHeight);
    Changed(this);
}

HBITMAP TBitmap::GetHandle() {
    if (bitmap_ == nullptr) {
        bitmap_ = CreateBitmap(1, 1, 1, pixelFormat_ == pf1bit ? 1 : 32, nullptr);
        BitmapImage(bitmap_)->fill(0xFFFFFFFFu);
        SetBitmapReportedBits(bitmap_, BitsOfFormat(pixelFormat_));
    }
    return bitmap_;
}

void TBitmap::SetHandle(HBITMAP Value) {
    if (Value == bitmap_) return;
    BITMAP bm;
    if (Value == nullptr || GetObject(Value, sizeof(bm), &bm) == 0) {
        ReplaceHandle(nullptr, 0, 0);
    } else {
        if (bm.bmBitsPixel == 1) {
            pixelFormat_ = pf1bit;
        } else if (pixelFormat_ == pf1bit) {
            pixelFormat_ = pfDevice;
        }
        SetBitmapReportedBits(Value, BitsOfFormat(pixelFormat_));
        ReplaceHandle(Value, bm.bmWidth, bm.bmHeight);
    }
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == pixelFormat_) return;
    const bool wasMono = pixelFormat_ == pf1bit, mono = Value == pf1bit;
    pixelFormat_ = Value;
    if (bitmap_ != nullptr && wasMono != mono) {
        QImage* old = BitmapImage(bitmap_);
        HBITMAP next = CreateBitmap(old->width(), old->height(), 1, mono ? 1 : 32, nullptr);
        QImage* img = BitmapImage(next);
        for (int y = 0; y < old->height(); ++y) {
            const auto* from = reinterpret_cast<const std::uint32_t*>(old->constScanLine(y));
            auto* to = reinterpret_cast<std::uint32_t*>(img->scanLine(y));
            for (int x = 0; x < old->width(); ++x) to[x] = mono ? MonoOf(from[x]) : from[x];
        }
        ReplaceHandle(next, width_, height_);
    }
    if (bitmap_ != nullptr) SetBitmapReportedBits(bitmap_, BitsOfFormat(pixelFormat_));
    Changed(this);
}

void TBitmap::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

TCanvas* TBitmap::Canvas() {
    if (canvas_ == nullptr) {
        canvas_ = new TBitmapCanvas(this);
        canvas_->OnChange = [this](TObject*) { Changed(this); };
    }
    return canvas_;
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName) {
    HBITMAP loaded = LoadBitmap(Instance, ResName.c_str());
    if (loaded == nullptr) throw EResNotFound("Resource " + ResName + " not found");
    pixelFormat_ = pfDevice;
    SetHandle(loaded);
}

void TBitmap::DefineProperties(TFiler* Filer) {
    Filer->DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !Empty());
}

void TBitmap::WriteData(TStream& Stream) {
    if (Empty()) {
        WriteU32(Stream, 0);
        return;
    }
    const std::string bmp = EncodeBmp(*BitmapImage(GetHandle()), width_, height_, BitsOfFormat(pixelFormat_));
    WriteU32(Stream, static_cast<std::uint32_t>(bmp.size()));
    Stream.WriteBuffer(bmp.data(), static_cast<std::int64_t>(bmp.size()));
}

void TBitmap::ReadData(TStream& Stream) {
    const std::uint32_t count = ReadU32(Stream);
    if (count == 0) {
        ReplaceHandle(nullptr, 0, 0);
        Changed(this);
        return;
    }
    // The count is checked against what the stream holds before anything is allocated for it.
    if (static_cast<std::int64_t>(count) > Stream.GetSize() - Stream.GetPosition()) throw EReadError(SReadError);
    std::string bytes(count, '\0');
    Stream.ReadBuffer(bytes.data(), count);
    LoadBmpBytes(bytes);
}

void TBitmap::LoadFromFile(const std::string& FileName) {
    TFileStream file(FileName, fmOpenRead);
    const std::int64_t size = file.GetSize();
    // A BMP file records its own size; anything larger than the format can describe is not one.
    if (size > 0xFFFFFFFFLL) throw EReadError(SReadError);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.ReadBuffer(bytes.data(), size);
    LoadBmpBytes(bytes);
}

void TBitmap::LoadBmpBytes(const std::string& bytes) {
    TDecodedBmp decoded = DecodeBmp(bytes);
    const bool mono = decoded.Bits == 1;
    HBITMAP next = CreateBitmap(decoded.Width, decoded.Height, 1, mono ? 1 : 32, nullptr);
    if (next == nullptr) throw EReadError(SReadError);
    QImage* img = BitmapImage(next);
    for (int y = 0; y < decoded.Height; ++y)
        std::memcpy(img->scanLine(y), decoded.Pixels.data() + static_cast<std::ptrdiff_t>(y) * decoded.Width,
                    static_cast<std::size_t>(decoded.Width) * 4);
    pixelFormat_ = FormatOfBits(decoded.Bits);
    SetBitmapReportedBits(next, decoded.Bits);
    ReplaceHandle(next, decoded.Width, decoded.Height);
    Changed(this);
}

bool TBitmap::SaveToPngFile(const std::string& FileName) {
    QImage* img = BitmapImage(GetHandle());
    if (img == nullptr) return false;
    return img->copy(0, 0, std::max(1, width_), std::max(1, height_)).save(QString::fromStdString(FileName), "PNG");
}

TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor) {
    static auto* patterns = new std::map<std::pair<TColor, TColor>, TBitmap*>;
    TBitmap*& bitmap = (*patterns)[{BkColor, FgColor}];
    if (bitmap == nullptr) {
        bitmap = new TBitmap;
        bitmap->SetSize(8, 8);
        HDC dc = bitmap->Canvas()->GetHandle();
        const COLORREF bk = ColorToCOLORREF(BkColor), fg = ColorToCOLORREF(FgColor);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x + y) % 2 == 0 ? bk : fg);
    }
    return bitmap;
}

}  // namespace zel
