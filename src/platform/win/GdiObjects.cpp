// GDI objects, device contexts and their state.
#include <QFontDatabase>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "platform/rtl/Charset.h"
#include "platform/win/GdiPrivateQt.h"
#include "platform/win/GdiQt.h"
#include "platform/win/QtApp.h"
#include "platform/win/SmallFont.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {

std::unordered_set<TGdiObject*>& LiveObjects() {
    static auto* objects = new std::unordered_set<TGdiObject*>();
    return *objects;
}
std::unordered_set<TDeviceContext*>& LiveDCs() {
    static auto* dcs = new std::unordered_set<TDeviceContext*>();
    return *dcs;
}

template <typename T>
T* NewObject(DWORD kind) {
    auto* obj = new T();
    obj->Kind = kind;
    RegisterObject(obj);
    return obj;
}

void FreeObject(TGdiObject* obj) {
    LiveObjects().erase(obj);
    delete obj;
}

void AddRef(TGdiObject* obj) {
    if (obj != nullptr) ++obj->Refs;
}
void Release(TGdiObject* obj) {
    if (obj == nullptr) return;
    --obj->Refs;
    if (obj->Refs > 0) return;
    if (obj->Kind == OBJ_BITMAP) static_cast<TBitmapObject*>(obj)->SelectedIn = nullptr;
    if (obj->DeletePending) FreeObject(obj);
}
void RefState(const TDCState& s) {
    AddRef(s.Pen);
    AddRef(s.Brush);
    AddRef(s.Font);
    AddRef(s.Bitmap);
}
void ReleaseState(const TDCState& s) {
    Release(s.Pen);
    Release(s.Brush);
    Release(s.Font);
    Release(s.Bitmap);
}

TBrushObject* MakeStockBrush(COLORREF c, UINT style = BS_SOLID) {
    auto* b = NewObject<TBrushObject>(OBJ_BRUSH);
    b->Stock = true;
    b->Style = style;
    b->Color = c;
    return b;
}
TPenObject* MakeStockPen(COLORREF c, UINT style = PS_SOLID) {
    auto* p = NewObject<TPenObject>(OBJ_PEN);
    p->Stock = true;
    p->Style = style;
    p->Color = c;
    return p;
}
TFontObject* MakeFont(const LOGFONT& lf) {
    auto* f = NewObject<TFontObject>(OBJ_FONT);
    f->Log = lf;
    return f;
}
LOGFONT FaceFont(LONG height, LONG weight, const char* face) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

struct TStock {
    std::array<TGdiObject*, 20> Objects{};
    std::array<TBrushObject*, COLOR_COUNT> SysBrushes{};
    TBitmapObject* DefaultBitmap = nullptr;
};

TStock& Stock() {
    static TStock* stock = [] {
        auto* s = new TStock();
        s->Objects[WHITE_BRUSH] = MakeStockBrush(0xFFFFFF);
        s->Objects[LTGRAY_BRUSH] = MakeStockBrush(0xC0C0C0);
        s->Objects[GRAY_BRUSH] = MakeStockBrush(0x808080);
        s->Objects[DKGRAY_BRUSH] = MakeStockBrush(0x404040);
        s->Objects[BLACK_BRUSH] = MakeStockBrush(0);
        s->Objects[NULL_BRUSH] = MakeStockBrush(0, BS_NULL);
        s->Objects[WHITE_PEN] = MakeStockPen(0xFFFFFF);
        s->Objects[BLACK_PEN] = MakeStockPen(0);
        s->Objects[NULL_PEN] = MakeStockPen(0, PS_NULL);
        const LOGFONT fixed = FaceFont(-12, FW_NORMAL, "Courier New");
        s->Objects[OEM_FIXED_FONT] = MakeFont(fixed);
        s->Objects[ANSI_FIXED_FONT] = MakeFont(fixed);
        s->Objects[SYSTEM_FIXED_FONT] = MakeFont(fixed);
        s->Objects[SYSTEM_FONT] = MakeFont(FaceFont(16, FW_BOLD, "System"));
        s->Objects[DEVICE_DEFAULT_FONT] = MakeFont(FaceFont(16, FW_BOLD, "System"));
        s->Objects[ANSI_VAR_FONT] = MakeFont(FaceFont(-11, FW_NORMAL, "MS Sans Serif"));
        s->Objects[DEFAULT_GUI_FONT] = MakeFont(FaceFont(-11, FW_NORMAL, "MS Shell Dlg"));
        auto* dcBrush = MakeStockBrush(0xFFFFFF);
        dcBrush->DCBrush = true;
        s->Objects[DC_BRUSH] = dcBrush;
        auto* dcPen = MakeStockPen(0);
        dcPen->DCPen = true;
        s->Objects[DC_PEN] = dcPen;
        for (auto* o : s->Objects) {
            if (o != nullptr) o->Stock = true;
        }
        for (int i = 0; i < COLOR_COUNT; ++i) {
            auto* b = MakeStockBrush(0);
            b->SysIndex = i;
            s->SysBrushes[static_cast<size_t>(i)] = b;
        }
        auto* bmp = NewObject<TBitmapObject>(OBJ_BITMAP);
        bmp->Stock = true;
        bmp->Mono = true;
        bmp->Image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        bmp->Image.fill(0xFF000000u);
        s->DefaultBitmap = bmp;
        return s;
    }();
    return *stock;
}

// Windows face names that the program's windows ask for, mapped to the installed DejaVu families so that
// measurements are the same on every machine.
QString FamilyFor(const LOGFONT& lf) {
    std::string lower;
    for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i] != 0; ++i) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(lf.lfFaceName[i])));
    }
    if (lower == "courier new" || lower == "courier" || lower == "fixedsys" || lower == "terminal" ||
        lower == "lucida console" || lower == "consolas" ||
        (lower.empty() && (lf.lfPitchAndFamily & 3) == FIXED_PITCH)) {
        return QStringLiteral("DejaVu Sans Mono");
    }
    if (lower == "times new roman" || lower == "times" || lower == "georgia" ||
        (lower.empty() && (lf.lfPitchAndFamily & 0xF0) == FF_ROMAN)) {
        return QStringLiteral("DejaVu Serif");
    }
    return QStringLiteral("DejaVu Sans");
}

TDCState DefaultState(bool memory) {
    TDCState s;
    auto& st = Stock();
    s.Pen = static_cast<TPenObject*>(st.Objects[BLACK_PEN]);
    s.Brush = static_cast<TBrushObject*>(st.Objects[WHITE_BRUSH]);
    s.Font = static_cast<TFontObject*>(st.Objects[SYSTEM_FONT]);
    s.Bitmap = memory ? st.DefaultBitmap : nullptr;
    return s;
}

TDeviceContext* NewDC(bool memory) {
    auto* dc = new TDeviceContext();
    dc->Memory = memory;
    dc->S = DefaultState(memory);
    RefState(dc->S);
    if (memory) dc->S.Bitmap->SelectedIn = dc;
    LiveDCs().insert(dc);
    return dc;
}

TBitmapObject* NewBitmap(int w, int h, bool mono, std::uint32_t fill) {
    if (w < 0 || h < 0 || static_cast<long long>(w) * h > (1LL << 28)) return nullptr;
    auto* b = NewObject<TBitmapObject>(OBJ_BITMAP);
    b->Mono = mono;
    b->Image = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
    if (b->Image.isNull()) {
        FreeObject(b);
        return nullptr;
    }
    b->Image.fill(fill);
    return b;
}

}  // namespace

void RegisterObject(TGdiObject* obj) { LiveObjects().insert(obj); }

TDeviceContext* CheckDC(HDC dc) {
    if (dc == nullptr || LiveDCs().count(dc) == 0) return nullptr;
    return dc;
}
TGdiObject* CheckObject(HGDIOBJ obj) {
    if (obj == nullptr || LiveObjects().count(obj) == 0) return nullptr;
    return obj;
}
TRegionObject* CheckRegion(HRGN rgn) {
    TGdiObject* o = CheckObject(rgn);
    return o != nullptr && o->Kind == OBJ_REGION ? static_cast<TRegionObject*>(o) : nullptr;
}
TBitmapObject* CheckBitmap(HBITMAP bmp) {
    TGdiObject* o = CheckObject(bmp);
    return o != nullptr && o->Kind == OBJ_BITMAP ? static_cast<TBitmapObject*>(o) : nullptr;
}
TBrushObject* CheckBrush(HBRUSH brush) {
    const auto v = reinterpret_cast<std::uintptr_t>(brush);
    if (v >= 1 && v <= COLOR_COUNT) return Stock().SysBrushes[v - 1];
    TGdiObject* o = CheckObject(brush);
    return o != nullptr && o->Kind == OBJ_BRUSH ? static_cast<TBrushObject*>(o) : nullptr;
}

QImage* SurfaceOf(TDeviceContext* dc) {
    dc->Touched = true;
    if (dc->Memory) return dc->S.Bitmap != nullptr ? dc->S.Bitmap->Surface() : nullptr;
    if (dc->OwnImage) return dc->OwnImage.get();
    return dc->Target;
}
bool IsMonoSurface(TDeviceContext* dc) { return dc->Memory && dc->S.Bitmap != nullptr && dc->S.Bitmap->Mono; }

void InvalidateClip(TDeviceContext* dc) { dc->ClipDirty = true; }

const TRegionData& EffectiveClip(TDeviceContext* dc) {
    QImage* img = SurfaceOf(dc);
    const RECT bounds = img != nullptr ? RECT{0, 0, img->width(), img->height()} : RECT{};
    if (dc->ClipDirty || dc->ClipCacheBounds != bounds) {
        TRegionData r = TRegionData::FromRect(bounds);
        if (dc->HasDeviceClip) r = CombineRegions(r, dc->DeviceClip, RGN_AND);
        if (dc->S.HasClip) {
            TRegionData c = dc->S.Clip;
            c.Offset(dc->DeviceOrigin.x, dc->DeviceOrigin.y);
            r = CombineRegions(r, c, RGN_AND);
        }
        dc->ClipCache = std::move(r);
        dc->ClipCacheBounds = bounds;
        dc->ClipDirty = false;
    }
    return dc->ClipCache;
}

std::uint32_t SurfacePixel(TDeviceContext* dc, COLORREF c) {
    const std::uint32_t p = ToPixel(c & 0xFFFFFF);
    return IsMonoSurface(dc) ? MonoPixel(p) : p;
}

TPatternSource ResolveBrush(TDeviceContext* dc, TBrushObject* brush) {
    TPatternSource src;
    if (brush == nullptr || brush->Style == BS_NULL) {
        src.Null = true;
        return src;
    }
    src.OrgX = dc->DeviceOrigin.x + dc->S.BrushOrg.x;
    src.OrgY = dc->DeviceOrigin.y + dc->S.BrushOrg.y;
    if (brush->SysIndex >= 0) {
        src.Color = SurfacePixel(dc, GetSysColor(brush->SysIndex));
    } else if (brush->DCBrush) {
        src.Color = SurfacePixel(dc, dc->S.DCBrushColor);
    } else if (brush->Style == BS_SOLID) {
        src.Color = SurfacePixel(dc, brush->Color);
    } else {
        src.Solid = false;
        const std::uint32_t fg = SurfacePixel(dc, brush->Style == BS_HATCHED ? brush->Color : dc->S.TextColor);
        const std::uint32_t bg = SurfacePixel(dc, dc->S.BkColor);
        for (size_t i = 0; i < 64; ++i) {
            if (brush->Style == BS_HATCHED || brush->MonoPattern) {
                // Hatches and monochrome patterns: 0 draws the foreground, 1 the background.
                src.P[i] = brush->Pattern[i] == 0 ? fg : bg;
            } else {
                src.P[i] = IsMonoSurface(dc) ? MonoPixel(brush->Pattern[i]) : (brush->Pattern[i] | 0xFF000000u);
            }
        }
    }
    return src;
}

// The average and the widest advance of a realized font, and its weight.
void SetWidthMetrics(TFontObject* f) {
    TEXTMETRIC& tm = f->Metrics;
    int sum = 0;
    for (char c = 'a'; c <= 'z'; ++c) sum += f->Advance[static_cast<unsigned char>(c)];
    for (char c = 'A'; c <= 'Z'; ++c) sum += f->Advance[static_cast<unsigned char>(c)];
    tm.tmAveCharWidth = (sum + 26) / 52;
    int maxw = 0;
    for (int i = 32; i < 256; ++i) maxw = std::max(maxw, f->Advance[static_cast<size_t>(i)]);
    tm.tmMaxCharWidth = maxw;
    tm.tmWeight = f->Log.lfWeight == 0 ? FW_NORMAL : f->Log.lfWeight;
}

// "Small Fonts" below this character height is drawn from the built-in raster glyphs; from it on, from the
// sans face at SmallFontsLegible pixels at least.
constexpr int SmallFontsScalable = 6;
constexpr int SmallFontsLegible = 9;

// "Small Fonts" as the built-in raster glyphs: the cell is at least the glyphs' six rows, taller for a
// taller font, the glyphs standing on the baseline one row above the cell's bottom.
void RealizeRasterFont(TFontObject* f) {
    const LOGFONT& lf = f->Log;
    int em = 7;
    if (lf.lfHeight < 0) em = -lf.lfHeight;
    else if (lf.lfHeight > 0) em = std::max(1, static_cast<int>(lf.lfHeight) - 1);
    f->Raster = true;
    f->PixelSize = em;
    for (int i = 0; i < 256; ++i)
        f->Advance[static_cast<size_t>(i)] = SmallFontGlyph(static_cast<unsigned char>(i)).Width + SmallFontSpacing;
    TEXTMETRIC& tm = f->Metrics;
    tm = TEXTMETRIC{};
    tm.tmHeight = std::max(SmallFontAscent + SmallFontDescent, std::min(em + 1, 2000));
    tm.tmDescent = SmallFontDescent;
    tm.tmAscent = tm.tmHeight - tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - em);
    SetWidthMetrics(f);
    tm.tmPitchAndFamily = static_cast<BYTE>(1 | FF_SWISS);
    tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
    f->Realized = true;
}

void RealizeFont(TFontObject* f) {
    if (f->Realized) return;
    EnsureQtApplication();
    const LOGFONT& lf = f->Log;
    const bool small = IsSmallFontsFace(lf.lfFaceName, LF_FACESIZE);
    if (small && lf.lfHeight != 0 && lf.lfHeight > -SmallFontsScalable && lf.lfHeight < SmallFontsScalable + 1) {
        RealizeRasterFont(f);
        return;
    }
    QFont font(FamilyFor(lf));
    font.setWeight(
        static_cast<QFont::Weight>(std::clamp(lf.lfWeight == 0 ? 400 : static_cast<int>(lf.lfWeight), 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    f->Antialias = lf.lfQuality != NONANTIALIASED_QUALITY;
    font.setStyleStrategy(f->Antialias ? QFont::PreferAntialias : QFont::NoAntialias);
    // Win32 height rules: negative is the character (em) height, positive the cell height (ascent + descent).
    int pixels = 12;
    if (lf.lfHeight < 0) {
        pixels = -lf.lfHeight;
    } else if (lf.lfHeight > 0) {
        font.setPixelSize(1000);
        const QRawFont probe = QRawFont::fromFont(font);
        const double cell = probe.isValid() ? probe.ascent() + probe.descent() : 1160.0;
        pixels = std::max(1, static_cast<int>(std::lround(lf.lfHeight * 1000.0 / cell)));
    }
    // "Small Fonts" at the sizes the windows use (6 and 7 points) would be a face of five or six pixels
    // that nobody reads at 1:1: it becomes the sans face at the smallest size that stays legible.
    if (small) pixels = std::max(pixels, SmallFontsLegible);
    pixels = std::min(pixels, 2000);
    font.setPixelSize(pixels);
    f->PixelSize = pixels;
    f->Font = font;
    f->Raw = QRawFont::fromFont(font);

    QString chars;
    for (int i = 0; i < 256; ++i)
        chars += QChar(static_cast<char16_t>(AnsiCharToUnicode(static_cast<unsigned char>(i))));
    const QList<quint32> glyphs = f->Raw.glyphIndexesForString(chars);
    const QList<QPointF> adv = f->Raw.advancesForGlyphIndexes(glyphs);
    for (int i = 0; i < 256 && i < glyphs.size(); ++i) {
        f->Glyph[static_cast<size_t>(i)] = glyphs[i];
        f->Advance[static_cast<size_t>(i)] = static_cast<int>(std::lround(adv[i].x()));
    }

    TEXTMETRIC& tm = f->Metrics;
    tm = TEXTMETRIC{};
    tm.tmAscent = static_cast<LONG>(std::ceil(f->Raw.ascent() - 0.01));
    tm.tmDescent = static_cast<LONG>(std::ceil(f->Raw.descent() - 0.01));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - pixels);
    tm.tmExternalLeading = static_cast<LONG>(std::lround(f->Raw.leading()));
    SetWidthMetrics(f);
    tm.tmItalic = lf.lfItalic;
    tm.tmUnderlined = lf.lfUnderline;
    tm.tmStruckOut = lf.lfStrikeOut;
    const bool fixedPitch = FamilyFor(lf).contains(QStringLiteral("Mono"));
    // As Windows has it: the low bit is set for a variable-pitch font.
    tm.tmPitchAndFamily = static_cast<BYTE>((fixedPitch ? 0 : 1) | 0x06 | (fixedPitch ? FF_MODERN : FF_SWISS));
    tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
    f->Realized = true;
}

TFontObject* CurrentFont(TDeviceContext* dc) {
    TFontObject* f = dc->S.Font;
    RealizeFont(f);
    return f;
}

// ---- objects ---------------------------------------------------------------------------------------------

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index >= static_cast<int>(Stock().Objects.size())) return nullptr;
    return Stock().Objects[static_cast<size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= COLOR_COUNT) return nullptr;
    return Stock().SysBrushes[static_cast<size_t>(index)];
}

BOOL DeleteObject(HGDIOBJ obj) {
    TGdiObject* o = CheckObject(obj);
    if (o == nullptr) return FALSE;
    if (o->Stock) return TRUE;
    if (o->Refs > 0) {
        o->DeletePending = true;
        return TRUE;
    }
    FreeObject(o);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ obj) {
    if (TDeviceContext* dc = CheckDC(reinterpret_cast<HDC>(obj))) return dc->Memory ? OBJ_MEMDC : OBJ_DC;
    TGdiObject* o = CheckObject(obj);
    return o != nullptr ? o->Kind : 0;
}

int GetObject(HGDIOBJ obj, int size, void* buffer) {
    TGdiObject* o = CheckObject(obj);
    if (o == nullptr) return 0;
    auto give = [&](const auto& record) -> int {
        const int need = static_cast<int>(sizeof(record));
        if (buffer == nullptr) return need;
        const int n = std::min(need, size);
        if (n <= 0) return 0;
        std::memcpy(buffer, &record, static_cast<size_t>(n));
        return n;
    };
    switch (o->Kind) {
        case OBJ_PEN: {
            auto* p = static_cast<TPenObject*>(o);
            LOGPEN lp;
            lp.lopnStyle = p->Style;
            lp.lopnWidth = POINT{p->Width, 0};
            lp.lopnColor = p->Color;
            return give(lp);
        }
        case OBJ_BRUSH: {
            auto* b = static_cast<TBrushObject*>(o);
            LOGBRUSH lb;
            lb.lbStyle = b->Style;
            lb.lbColor = b->SysIndex >= 0 ? GetSysColor(b->SysIndex) : b->Color;
            lb.lbHatch = static_cast<std::uintptr_t>(b->Hatch);
            return give(lb);
        }
        case OBJ_FONT: return give(static_cast<TFontObject*>(o)->Log);
        case OBJ_BITMAP: {
            auto* b = static_cast<TBitmapObject*>(o);
            BITMAP bm;
            bm.bmWidth = b->Image.width();
            bm.bmHeight = b->Image.height();
            bm.bmPlanes = 1;
            bm.bmBitsPixel = static_cast<WORD>(b->Mono ? 1 : b->ReportedBits);
            bm.bmWidthBytes = ((bm.bmWidth * bm.bmBitsPixel + 15) / 16) * 2;
            bm.bmBits = b->DIBSection ? static_cast<void*>(b->DIBBits.data()) : nullptr;
            return give(bm);
        }
        default: return 0;
    }
}

HPEN CreatePen(int style, int width, COLORREF color) {
    auto* p = NewObject<TPenObject>(OBJ_PEN);
    p->Style = static_cast<UINT>(style) & PS_STYLE_MASK;
    if (p->Style > PS_ALTERNATE) p->Style = PS_SOLID;
    p->Width = std::max(1, width);
    // Styled lines exist only one pixel wide; a wider styled pen draws solid.
    if (p->Width > 1 && p->Style >= PS_DASH && p->Style <= PS_DASHDOTDOT) p->Style = PS_SOLID;
    p->Color = color & 0xFFFFFF;
    return p;
}
HBRUSH CreateSolidBrush(COLORREF color) {
    auto* b = NewObject<TBrushObject>(OBJ_BRUSH);
    b->Color = color & 0xFFFFFF;
    return b;
}
HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    auto* b = NewObject<TBrushObject>(OBJ_BRUSH);
    b->Style = BS_HATCHED;
    b->Hatch = hatch;
    b->Color = color & 0xFFFFFF;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            bool on = false;
            switch (hatch) {
                case HS_HORIZONTAL: on = y == 4; break;
                case HS_VERTICAL: on = x == 4; break;
                case HS_FDIAGONAL: on = x == y; break;
                case HS_BDIAGONAL: on = x == 7 - y; break;
                case HS_CROSS: on = x == 4 || y == 4; break;
                default: on = x == y || x == 7 - y; break;
            }
            b->Pattern[static_cast<size_t>(y * 8 + x)] = on ? 0 : 1;
        }
    }
    return b;
}
HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    TBitmapObject* bmp = CheckBitmap(bitmap);
    if (bmp == nullptr) return nullptr;
    auto* b = NewObject<TBrushObject>(OBJ_BRUSH);
    b->Style = BS_PATTERN;
    b->MonoPattern = bmp->Mono;
    const int w = bmp->Image.width(), h = bmp->Image.height();
    for (int y = 0; y < 8; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(bmp->Image.constScanLine(y % h));
        for (int x = 0; x < 8; ++x) {
            const std::uint32_t p = row[x % w];
            b->Pattern[static_cast<size_t>(y * 8 + x)] = bmp->Mono ? ((p & 0xFFFFFF) != 0 ? 1 : 0) : p;
        }
    }
    return b;
}
HFONT CreateFontIndirect(const LOGFONT* lf) {
    if (lf == nullptr) return nullptr;
    LOGFONT copy = *lf;
    copy.lfFaceName[LF_FACESIZE - 1] = 0;
    return MakeFont(copy);
}
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, const char* faceName) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName != nullptr) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width == 0 || height == 0) return NewBitmap(1, 1, true, 0xFF000000u);
    const bool mono = planes * bitsPerPixel == 1;
    TBitmapObject* b = NewBitmap(width, height, mono, 0xFF000000u);
    if (b == nullptr || bits == nullptr) return b;
    const auto* src = static_cast<const BYTE*>(bits);
    if (mono) {
        const int stride = ((width + 15) / 16) * 2;
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(b->Image.scanLine(y));
            const BYTE* s = src + static_cast<size_t>(y) * static_cast<size_t>(stride);
            for (int x = 0; x < width; ++x) row[x] = (s[x >> 3] & (0x80 >> (x & 7))) != 0 ? 0xFFFFFFFFu : 0xFF000000u;
        }
    } else {
        for (int y = 0; y < height; ++y) {
            std::memcpy(b->Image.scanLine(y), src + static_cast<size_t>(y) * static_cast<size_t>(width) * 4,
                        static_cast<size_t>(width) * 4);
        }
    }
    return b;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    TDeviceContext* dc = CheckDC(hdc);
    if (hdc != nullptr && dc == nullptr) return nullptr;
    if (width == 0 || height == 0) return NewBitmap(1, 1, true, 0xFF000000u);
    // As on Windows: a bitmap compatible with a memory DC has that DC's bitmap format (a fresh memory DC
    // holds a monochrome bitmap).
    const bool mono = dc != nullptr && IsMonoSurface(dc);
    return NewBitmap(width, height, mono, 0xFF000000u);
}

// ---- device contexts -------------------------------------------------------------------------------------

HDC CreateCompatibleDC(HDC) { return NewDC(true); }

BOOL DeleteDC(HDC hdc) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    for (auto& s : dc->Saved) ReleaseState(s);
    ReleaseState(dc->S);
    LiveDCs().erase(dc);
    delete dc;
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    TDeviceContext* dc = CheckDC(hdc);
    TGdiObject* o = CheckObject(obj);
    if (dc == nullptr || o == nullptr || o->DeletePending) return nullptr;
    TGdiObject* old = nullptr;
    switch (o->Kind) {
        case OBJ_PEN:
            old = dc->S.Pen;
            dc->S.Pen = static_cast<TPenObject*>(o);
            break;
        case OBJ_BRUSH:
            old = dc->S.Brush;
            dc->S.Brush = static_cast<TBrushObject*>(o);
            break;
        case OBJ_FONT:
            old = dc->S.Font;
            dc->S.Font = static_cast<TFontObject*>(o);
            break;
        case OBJ_BITMAP: {
            auto* b = static_cast<TBitmapObject*>(o);
            if (!dc->Memory) return nullptr;
            // A bitmap can be selected into one DC at a time.
            if (b->SelectedIn != nullptr && b->SelectedIn != dc && !b->Stock) return nullptr;
            old = dc->S.Bitmap;
            dc->S.Bitmap = b;
            b->SelectedIn = dc;
            InvalidateClip(dc);
            break;
        }
        case OBJ_REGION: {
            const int kind = SelectClipRgn(hdc, obj);
            return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(kind));
        }
        default: return nullptr;
    }
    AddRef(o);
    Release(old);
    return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return nullptr;
    switch (type) {
        case OBJ_PEN: return dc->S.Pen;
        case OBJ_BRUSH: return dc->S.Brush;
        case OBJ_FONT: return dc->S.Font;
        case OBJ_BITMAP: return dc->S.Bitmap;
        default: return nullptr;
    }
}

int SaveDC(HDC hdc) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return 0;
    dc->Saved.push_back(dc->S);
    RefState(dc->S);
    return static_cast<int>(dc->Saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    const int n = static_cast<int>(dc->Saved.size());
    const int index = saved < 0 ? n + saved : saved - 1;
    if (index < 0 || index >= n) return FALSE;
    TDCState restored = dc->Saved[static_cast<size_t>(index)];
    for (int i = n - 1; i > index; --i) ReleaseState(dc->Saved[static_cast<size_t>(i)]);
    dc->Saved.resize(static_cast<size_t>(index));
    // The saved copy's references move to the current state; the current state's are let go.
    TDCState current = dc->S;
    dc->S = restored;
    ReleaseState(current);
    if (dc->S.Bitmap != nullptr) dc->S.Bitmap->SelectedIn = dc;
    InvalidateClip(dc);
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return 0;
    QImage* img = SurfaceOf(dc);
    switch (index) {
        case HORZRES: return dc->OwnImage ? GetSystemMetrics(SM_CXSCREEN) : (img != nullptr ? img->width() : 0);
        case VERTRES: return dc->OwnImage ? GetSystemMetrics(SM_CYSCREEN) : (img != nullptr ? img->height() : 0);
        case BITSPIXEL: return IsMonoSurface(dc) ? 1 : 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;
        case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case SIZEPALETTE: return 0;
        case SHADEBLENDCAPS: return 0x3;  // constant and per-pixel alpha
        default: return 0;
    }
}

namespace {
BOOL SetOrigin(HDC hdc, POINT TDCState::*field, int x, int y, POINT* old, bool offset) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    POINT& p = dc->S.*field;
    if (old != nullptr) *old = p;
    p = offset ? POINT{p.x + x, p.y + y} : POINT{x, y};
    return TRUE;
}
BOOL GetOrigin(HDC hdc, POINT TDCState::*field, POINT* p) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || p == nullptr) return FALSE;
    *p = dc->S.*field;
    return TRUE;
}
template <typename T>
T SetField(HDC hdc, T TDCState::*field, T value, T failed) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return failed;
    T old = dc->S.*field;
    dc->S.*field = value;
    return old;
}
template <typename T>
T GetField(HDC hdc, T TDCState::*field, T failed) {
    TDeviceContext* dc = CheckDC(hdc);
    return dc == nullptr ? failed : dc->S.*field;
}
}  // namespace

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) { return SetOrigin(dc, &TDCState::WindowOrg, x, y, old, false); }
BOOL GetWindowOrgEx(HDC dc, POINT* p) { return GetOrigin(dc, &TDCState::WindowOrg, p); }
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old) {
    return SetOrigin(dc, &TDCState::WindowOrg, dx, dy, old, true);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetOrigin(dc, &TDCState::ViewportOrg, x, y, old, false);
}
BOOL GetViewportOrgEx(HDC dc, POINT* p) { return GetOrigin(dc, &TDCState::ViewportOrg, p); }
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
    return SetOrigin(dc, &TDCState::ViewportOrg, dx, dy, old, true);
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old) { return SetOrigin(dc, &TDCState::BrushOrg, x, y, old, false); }

int SetBkMode(HDC dc, int mode) {
    if (mode != OPAQUE && mode != TRANSPARENT) return 0;
    return SetField(dc, &TDCState::BkMode, mode, 0);
}
COLORREF SetBkColor(HDC dc, COLORREF c) { return SetField(dc, &TDCState::BkColor, c & 0xFFFFFF, CLR_INVALID); }
COLORREF GetBkColor(HDC dc) { return GetField(dc, &TDCState::BkColor, CLR_INVALID); }
COLORREF SetTextColor(HDC dc, COLORREF c) { return SetField(dc, &TDCState::TextColor, c & 0xFFFFFF, CLR_INVALID); }
COLORREF GetTextColor(HDC dc) { return GetField(dc, &TDCState::TextColor, CLR_INVALID); }
int SetROP2(HDC dc, int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE) return 0;
    return SetField(dc, &TDCState::Rop2, mode, 0);
}
int SetStretchBltMode(HDC dc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return SetField(dc, &TDCState::StretchMode, mode, 0);
}
int GetStretchBltMode(HDC dc) { return GetField(dc, &TDCState::StretchMode, 0); }
COLORREF GetNearestColor(HDC hdc, COLORREF color) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return CLR_INVALID;
    return FromPixel(SurfacePixel(dc, color));
}

// ---- the Qt bridge ---------------------------------------------------------------------------------------

HDC CreateImageDC(QImage* image) {
    if (image == nullptr) return nullptr;
    TDeviceContext* dc = NewDC(false);
    dc->Target = image;
    return dc;
}
void SetDCImage(HDC hdc, QImage* image) {
    if (TDeviceContext* dc = CheckDC(hdc); dc != nullptr && image != nullptr) {
        dc->Target = image;
        InvalidateClip(dc);
    }
}
QImage* DCImage(HDC hdc) {
    TDeviceContext* dc = CheckDC(hdc);
    return dc != nullptr ? SurfaceOf(dc) : nullptr;
}
void SetDCVectorPainter(HDC hdc, QPainter* painter) {
    if (TDeviceContext* dc = CheckDC(hdc)) dc->Vector = painter;
}
void DeleteImageDC(HDC dc) { DeleteDC(dc); }
QRegion TakeDCTouchedArea(HDC hdc) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || !dc->Touched) return QRegion();
    const QRegion area = EffectiveClipRegion(dc);
    dc->Touched = false;
    return area;
}
QRegion EffectiveClipRegion(TDeviceContext* dc) {
    // Working the clip out reaches for the surface's size, which draws nothing on it.
    const bool touched = dc->Touched;
    QRegion area;
    for (const RECT& r : EffectiveClip(dc).Rects) area += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    dc->Touched = touched;
    return area;
}
void SetDCDeviceOrigin(HDC hdc, POINT origin) {
    if (TDeviceContext* dc = CheckDC(hdc)) {
        dc->DeviceOrigin = origin;
        InvalidateClip(dc);
    }
}
POINT GetDCDeviceOrigin(HDC hdc) {
    TDeviceContext* dc = CheckDC(hdc);
    return dc != nullptr ? dc->DeviceOrigin : POINT{};
}
void SetDCDeviceClip(HDC hdc, const RECT& clip) {
    if (TDeviceContext* dc = CheckDC(hdc)) {
        dc->HasDeviceClip = true;
        dc->DeviceClip = TRegionData::FromRect(clip);
        InvalidateClip(dc);
    }
}
void SetDCDeviceClipRgn(HDC hdc, HRGN rgn) {
    if (TDeviceContext* dc = CheckDC(hdc)) {
        TRegionObject* r = CheckRegion(rgn);
        dc->HasDeviceClip = r != nullptr;
        dc->DeviceClip = r != nullptr ? r->Data : TRegionData{};
        InvalidateClip(dc);
    }
}
HDC CreateScreenDC() {
    TDeviceContext* dc = NewDC(false);
    dc->OwnImage = std::make_unique<QImage>(1, 1, QImage::Format_ARGB32_Premultiplied);
    dc->OwnImage->fill(0xFFFFFFFFu);
    return dc;
}
QImage* BitmapImage(HBITMAP bitmap) {
    TBitmapObject* b = CheckBitmap(bitmap);
    return b != nullptr ? b->Surface() : nullptr;
}
HBITMAP CreateBitmapFromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    auto* b = NewObject<TBitmapObject>(OBJ_BITMAP);
    b->Image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return b;
}
void SetBitmapReportedBits(HBITMAP bitmap, int bits) {
    if (TBitmapObject* b = CheckBitmap(bitmap)) b->ReportedBits = bits;
}

}  // namespace zel
