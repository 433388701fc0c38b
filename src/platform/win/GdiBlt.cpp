// The raster-operation engine on raw 32-bit pixels, and the blits, gradients, alpha blending and DIB transfers
// built on it.
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/win/GdiPrivateQt.h"
#include "platform/win/GdiQt.h"

namespace zel {

namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFFu;
constexpr std::uint32_t kOpaque = 0xFF000000u;

// One ternary operation from its truth-table byte: bit (4P + 2S + D) of the byte is the result for that
// combination of pattern, source and destination bits. The compiler folds the terms for each byte.
template <unsigned R>
inline std::uint32_t Rop3(std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t r = 0;
    [&]<unsigned... I>(std::integer_sequence<unsigned, I...>) {
        ((r |= ((R >> I) & 1u) ? (((I & 4u) ? p : ~p) & ((I & 2u) ? s : ~s) & ((I & 1u) ? d : ~d)) : 0u), ...);
    }
    (std::make_integer_sequence<unsigned, 8>{});
    return r;
}

using TRowFn = void (*)(std::uint32_t* dst, const std::uint32_t* src, const std::uint32_t* pat, int phase, int n);

template <unsigned R>
void RopRow(std::uint32_t* dst, const std::uint32_t* src, const std::uint32_t* pat, int phase, int n) {
    for (int i = 0; i < n; ++i) {
        const std::uint32_t s = src != nullptr ? src[i] : 0u;
        const std::uint32_t p = pat[(phase + i) & 7];
        dst[i] = (Rop3<R>(p, s, dst[i]) & kRgb) | kOpaque;
    }
}

template <unsigned... R>
constexpr std::array<TRowFn, 256> MakeTable(std::integer_sequence<unsigned, R...>) {
    return {&RopRow<R>...};
}
constexpr std::array<TRowFn, 256> kRopRows = MakeTable(std::make_integer_sequence<unsigned, 256>{});

// Specialised rows for the operations that fill and copy most pixels.
void CopyRow(std::uint32_t* dst, const std::uint32_t* src, int n) {
    for (int i = 0; i < n; ++i) dst[i] = src[i] | kOpaque;
}

bool UsesSource(unsigned rop) { return ((rop >> 2) & 0x33u) != (rop & 0x33u); }
bool UsesPattern(unsigned rop) { return ((rop >> 4) & 0x0Fu) != (rop & 0x0Fu); }

inline std::uint32_t Rop2Pixel(int code, std::uint32_t p, std::uint32_t d) {
    std::uint32_t r = 0;
    switch (code) {
        case R2_BLACK: r = 0; break;
        case R2_NOTMERGEPEN: r = ~(p | d); break;
        case R2_MASKNOTPEN: r = ~p & d; break;
        case R2_NOTCOPYPEN: r = ~p; break;
        case R2_MASKPENNOT: r = p & ~d; break;
        case R2_NOT: r = ~d; break;
        case R2_XORPEN: r = p ^ d; break;
        case R2_NOTMASKPEN: r = ~(p & d); break;
        case R2_MASKPEN: r = p & d; break;
        case R2_NOTXORPEN: r = ~(p ^ d); break;
        case R2_NOP: r = d; break;
        case R2_MERGENOTPEN: r = ~p | d; break;
        case R2_MERGEPEN: r = p | d; break;
        case R2_MERGEPENNOT: r = p | ~d; break;
        case R2_WHITE: r = ~0u; break;
        default: r = p; break;
    }
    return (r & kRgb) | kOpaque;
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}
bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline std::uint32_t* Row(QImage* img, int y) { return reinterpret_cast<std::uint32_t*>(img->scanLine(y)); }
inline const std::uint32_t* Row(const QImage* img, int y) {
    return reinterpret_cast<const std::uint32_t*>(img->constScanLine(y));
}

}  // namespace

void RopRect(TDeviceContext* dc, RECT r, DWORD ropCode, const TPatternSource* pat, const QImage* src, int srcX,
             int srcY, bool srcMono, COLORREF srcBk, COLORREF monoFg, COLORREF monoBg) {
    QImage* dst = SurfaceOf(dc);
    if (dst == nullptr || IsEmpty(r)) return;
    const unsigned rop = (ropCode >> 16) & 0xFFu;
    const bool useSrc = UsesSource(rop) && src != nullptr;
    const bool usePat = UsesPattern(rop);
    if (usePat && (pat == nullptr || pat->Null)) {
        // A null brush paints nothing where the operation needs the pattern.
        return;
    }
    if (useSrc) {
        // Only where the source has pixels.
        const RECT srcArea{r.left - srcX, r.top - srcY, r.left - srcX + src->width(), r.top - srcY + src->height()};
        r = Intersect(r, srcArea);
        if (IsEmpty(r)) return;
    }
    // A copy within one image may overlap: read from a snapshot of the source area.
    QImage snapshot;
    if (useSrc && src == dst) {
        snapshot = src->copy(srcX, srcY, r.Width(), r.Height());
        src = &snapshot;
        srcX = 0;
        srcY = 0;
    }
    const bool dstMono = IsMonoSurface(dc);
    const bool convert = useSrc && srcMono != dstMono;
    const std::uint32_t fg = dstMono ? MonoPixel(ToPixel(monoFg)) : ToPixel(monoFg);
    const std::uint32_t bg = dstMono ? MonoPixel(ToPixel(monoBg)) : ToPixel(monoBg);
    const std::uint32_t srcBkPixel = ToPixel(srcBk) & kRgb;
    std::vector<std::uint32_t> srcRow;
    std::array<std::uint32_t, 8> patRow{};
    const TRowFn fn = kRopRows[rop];
    const TRegionData& clip = EffectiveClip(dc);
    for (const RECT& c : clip.Rects) {
        const RECT part = Intersect(r, c);
        if (IsEmpty(part)) continue;
        const int n = part.Width();
        for (int y = part.top; y < part.bottom; ++y) {
            std::uint32_t* d = Row(dst, y) + part.left;
            const std::uint32_t* s = nullptr;
            if (useSrc) {
                s = Row(src, srcY + (y - r.top)) + srcX + (part.left - r.left);
                if (convert) {
                    srcRow.resize(static_cast<size_t>(n));
                    for (int i = 0; i < n; ++i) {
                        // Monochrome to colour: black bits take the text colour, white ones the background.
                        // Colour to monochrome: the source DC's background colour becomes white, all else black.
                        srcRow[static_cast<size_t>(i)] = srcMono
                                                             ? ((s[i] & kRgb) != 0 ? bg : fg)
                                                             : ((s[i] & kRgb) == srcBkPixel ? 0xFFFFFFFFu : kOpaque);
                    }
                    s = srcRow.data();
                }
            }
            if (rop == 0xCC) {
                CopyRow(d, s, n);
                continue;
            }
            if (usePat) {
                for (int i = 0; i < 8; ++i) patRow[static_cast<size_t>(i)] = pat->At(part.left + i, y);
            }
            if (rop == 0xF0) {
                if (pat->Solid) {
                    std::fill(d, d + n, pat->Color | kOpaque);
                } else {
                    for (int i = 0; i < n; ++i) d[i] = patRow[static_cast<size_t>(i & 7)] | kOpaque;
                }
                continue;
            }
            fn(d, s, patRow.data(), 0, n);
        }
    }
}

void FillDeviceRect(TDeviceContext* dc, RECT r, const TPatternSource& pat) {
    if (pat.Null) return;
    RopRect(dc, r, PATCOPY, &pat, nullptr, 0, 0, false, 0, 0, 0);
}

void PaintMask(TDeviceContext* dc, const TMask& mask, const TPatternSource& src, int rop2, bool blend) {
    QImage* dst = SurfaceOf(dc);
    if (dst == nullptr || src.Null || mask.A.empty()) return;
    const bool mono = IsMonoSurface(dc);
    const int w = mask.Box.Width();
    for (const RECT& c : EffectiveClip(dc).Rects) {
        const RECT part = Intersect(mask.Box, c);
        if (IsEmpty(part)) continue;
        for (int y = part.top; y < part.bottom; ++y) {
            std::uint32_t* d = Row(dst, y);
            const std::uint8_t* a = mask.A.data() + static_cast<size_t>((y - mask.Box.top) * w - mask.Box.left);
            for (int x = part.left; x < part.right; ++x) {
                const unsigned cov = a[x];
                if (cov == 0) continue;
                const std::uint32_t p = src.At(x, y);
                if (cov >= 255 || !blend || mono) {
                    if (mono && blend && cov < 128) continue;
                    d[x] = Rop2Pixel(rop2, p, d[x]);
                    continue;
                }
                // Anti-aliased edge: mix the colour by coverage.
                const std::uint32_t q = d[x];
                std::uint32_t out = kOpaque;
                for (int shift = 0; shift < 24; shift += 8) {
                    const unsigned pc = (p >> shift) & 0xFF, qc = (q >> shift) & 0xFF;
                    out |= ((pc * cov + qc * (255 - cov) + 127) / 255) << shift;
                }
                d[x] = out;
            }
        }
    }
}

void PaintRegionRop2(TDeviceContext* dc, const TRegionData& rgn, const TPatternSource& src, int rop2) {
    QImage* dst = SurfaceOf(dc);
    if (dst == nullptr || src.Null) return;
    if (rop2 == R2_COPYPEN) {
        for (const RECT& r : rgn.Rects) FillDeviceRect(dc, r, src);
        return;
    }
    const TRegionData clipped = CombineRegions(rgn, EffectiveClip(dc), RGN_AND);
    for (const RECT& r : clipped.Rects) {
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* d = Row(dst, y);
            for (int x = r.left; x < r.right; ++x) d[x] = Rop2Pixel(rop2, src.At(x, y), d[x]);
        }
    }
}

// ---- blits -----------------------------------------------------------------------------------------------

namespace {
RECT DeviceRect(TDeviceContext* dc, int x, int y, int w, int h) {
    RECT r{x + DX(dc), y + DY(dc), x + w + DX(dc), y + h + DY(dc)};
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    return r;
}
}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    if (UsesSource((rop >> 16) & 0xFF)) return FALSE;
    const TPatternSource pat = ResolveBrush(dc, dc->S.Brush);
    RopRect(dc, DeviceRect(dc, x, y, w, h), rop, &pat, nullptr, 0, 0, false, 0, 0, 0);
    return TRUE;
}

BOOL BitBlt(HDC hdest, int x, int y, int w, int h, HDC hsrc, int xSrc, int ySrc, DWORD rop) {
    TDeviceContext* dest = CheckDC(hdest);
    if (dest == nullptr) return FALSE;
    const unsigned code = (rop >> 16) & 0xFF;
    if (!UsesSource(code)) return PatBlt(hdest, x, y, w, h, rop);
    TDeviceContext* src = CheckDC(hsrc);
    if (src == nullptr || SurfaceOf(src) == nullptr || w <= 0 || h <= 0) return src != nullptr ? TRUE : FALSE;
    const TPatternSource pat = ResolveBrush(dest, dest->S.Brush);
    const RECT r = DeviceRect(dest, x, y, w, h);
    RopRect(dest, r, rop, &pat, SurfaceOf(src), xSrc + DX(src), ySrc + DY(src), IsMonoSurface(src), src->S.BkColor,
            dest->S.TextColor, dest->S.BkColor);
    return TRUE;
}

namespace {

// How one destination column (or row) maps onto the source along an axis: the nearest source pixel and the
// span of source pixels it covers (at least one), in source coordinates.
struct TAxisMap {
    int Nearest = 0;
    int Lo = 0;  // first covered source pixel
    int Hi = 0;  // one past the last
};
std::vector<TAxisMap> MapAxis(int from, int to, int destLen, int srcLen, int srcBase, bool flip) {
    std::vector<TAxisMap> m(static_cast<size_t>(to - from));
    for (int t = from; t < to; ++t) {
        const long long r = flip ? destLen - 1 - t : t;
        TAxisMap& a = m[static_cast<size_t>(t - from)];
        a.Nearest = srcBase + static_cast<int>((r * srcLen + srcLen / (2LL * destLen)) / destLen);
        const long long lo = r * srcLen / destLen;
        const long long hi = ((r + 1) * srcLen + destLen - 1) / destLen;
        a.Lo = srcBase + static_cast<int>(lo);
        a.Hi = srcBase + static_cast<int>(std::max(hi, lo + 1));
    }
    return m;
}

// The share (in 1/destLen of a source pixel) that source pixel k has in destination pixel r under a box filter.
long long BoxWeight(long long r, long long k, int destLen, int srcLen, bool flip) {
    if (flip) r = destLen - 1 - r;
    const long long a = std::max(r * srcLen, k * destLen), b = std::min((r + 1) * srcLen, (k + 1) * destLen);
    return b > a ? b - a : 0;
}

}  // namespace

BOOL StretchBlt(HDC hdest, int x, int y, int w, int h, HDC hsrc, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
    if (w == wSrc && h == hSrc && w > 0 && h > 0) return BitBlt(hdest, x, y, w, h, hsrc, xSrc, ySrc, rop);
    TDeviceContext* dest = CheckDC(hdest);
    if (dest == nullptr) return FALSE;
    const unsigned code = (rop >> 16) & 0xFF;
    if (!UsesSource(code)) return PatBlt(hdest, x, y, w, h, rop);
    TDeviceContext* src = CheckDC(hsrc);
    if (src == nullptr || SurfaceOf(src) == nullptr) return FALSE;
    if (w == 0 || h == 0 || wSrc == 0 || hSrc == 0) return TRUE;
    // The picture is resampled into a temporary image of the destination size, which then goes through the
    // raster operation. A negative extent on one side mirrors the picture. The destination's stretch mode
    // decides how source pixels that a shrink drops are treated: COLORONCOLOR drops them, BLACKONWHITE keeps
    // the AND of all pixels of the span (black wins), WHITEONBLACK their OR (white wins), HALFTONE averages
    // them weighted by how much of each falls inside the destination pixel.
    const QImage* s = SurfaceOf(src);
    const int sx0 = xSrc + DX(src), sy0 = ySrc + DY(src);
    const int dw = std::abs(w), dh = std::abs(h);
    const bool flipX = (w < 0) != (wSrc < 0), flipY = (h < 0) != (hSrc < 0);
    const int aw = std::abs(wSrc), ah = std::abs(hSrc);
    const int bx = wSrc < 0 ? sx0 + wSrc : sx0, by = hSrc < 0 ? sy0 + hSrc : sy0;
    // Only the part of the destination that can be drawn is resampled.
    const RECT area = DeviceRect(dest, x, y, w, h);
    const RECT visible = Intersect(area, EffectiveClip(dest).Box());
    if (IsEmpty(visible)) return TRUE;
    const int fromX = visible.left - area.left, fromY = visible.top - area.top;
    const int vw = visible.Width(), vh = visible.Height();
    const std::vector<TAxisMap> mx = MapAxis(fromX, fromX + vw, dw, aw, bx, flipX);
    const std::vector<TAxisMap> my = MapAxis(fromY, fromY + vh, dh, ah, by, flipY);
    int mode = dest->S.StretchMode;
    if (mode == HALFTONE && (IsMonoSurface(src) || IsMonoSurface(dest))) mode = COLORONCOLOR;
    QImage tmp(vw, vh, QImage::Format_ARGB32_Premultiplied);
    if (tmp.isNull()) return FALSE;
    tmp.fill(src->S.BkColor == 0 ? 0xFF000000u : ToPixel(src->S.BkColor));
    const int sw = s->width(), sh = s->height();
    auto inside = [&](int sx, int sy) { return sx >= 0 && sx < sw && sy >= 0 && sy < sh; };
    for (int iy = 0; iy < vh; ++iy) {
        const TAxisMap& ay = my[static_cast<size_t>(iy)];
        const int ty = fromY + iy;
        std::uint32_t* trow = Row(&tmp, iy);
        for (int ix = 0; ix < vw; ++ix) {
            const TAxisMap& ax = mx[static_cast<size_t>(ix)];
            const int tx = fromX + ix;
            if (mode == BLACKONWHITE || mode == WHITEONBLACK) {
                bool any = false;
                std::uint32_t acc = mode == BLACKONWHITE ? 0xFFFFFFFFu : 0u;
                for (int sy = ay.Lo; sy < ay.Hi; ++sy) {
                    for (int sx = ax.Lo; sx < ax.Hi; ++sx) {
                        if (!inside(sx, sy)) continue;
                        const std::uint32_t p = Row(s, sy)[sx];
                        acc = mode == BLACKONWHITE ? (acc & p) : (acc | p);
                        any = true;
                    }
                }
                if (any) trow[ix] = acc;
            } else if (mode == HALFTONE) {
                std::array<long long, 4> sum{};
                long long total = 0;
                for (int sy = ay.Lo; sy < ay.Hi; ++sy) {
                    const long long wy = BoxWeight(ty, sy - by, dh, ah, flipY);
                    for (int sx = ax.Lo; sx < ax.Hi; ++sx) {
                        if (!inside(sx, sy)) continue;
                        const long long wt = wy * BoxWeight(tx, sx - bx, dw, aw, flipX);
                        if (wt == 0) continue;
                        const std::uint32_t p = Row(s, sy)[sx];
                        for (int c = 0; c < 4; ++c) sum[static_cast<size_t>(c)] += wt * ((p >> (8 * c)) & 0xFF);
                        total += wt;
                    }
                }
                if (total > 0) {
                    std::uint32_t out = 0;
                    for (int c = 0; c < 4; ++c) {
                        out |= static_cast<std::uint32_t>((sum[static_cast<size_t>(c)] + total / 2) / total) << (8 * c);
                    }
                    trow[ix] = out;
                }
            } else if (inside(ax.Nearest, ay.Nearest)) {
                trow[ix] = Row(s, ay.Nearest)[ax.Nearest];
            }
        }
    }
    const TPatternSource pat = ResolveBrush(dest, dest->S.Brush);
    RopRect(dest, visible, rop, &pat, &tmp, 0, 0, IsMonoSurface(src), src->S.BkColor, dest->S.TextColor,
            dest->S.BkColor);
    return TRUE;
}

BOOL GradientFill(HDC hdc, const TRIVERTEX* v, DWORD vertexCount, const void* mesh, DWORD meshCount, DWORD mode) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || v == nullptr || mesh == nullptr) return FALSE;
    QImage* dst = SurfaceOf(dc);
    if (dst == nullptr) return FALSE;
    const bool mono = IsMonoSurface(dc);
    const TRegionData& clip = EffectiveClip(dc);
    auto put = [&](int x, int y, unsigned r, unsigned g, unsigned b) {
        std::uint32_t p = kOpaque | ((r >> 8) << 16) | ((g >> 8) << 8) | (b >> 8);
        Row(dst, y)[x] = mono ? MonoPixel(p) : p;
    };
    if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
        const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
        for (DWORD m = 0; m < meshCount; ++m) {
            if (rects[m].UpperLeft >= vertexCount || rects[m].LowerRight >= vertexCount) return FALSE;
            TRIVERTEX a = v[rects[m].UpperLeft], b = v[rects[m].LowerRight];
            if (mode == GRADIENT_FILL_RECT_H ? a.x > b.x : a.y > b.y) std::swap(a, b);
            const RECT area =
                DeviceRect(dc, std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
            const bool horz = mode == GRADIENT_FILL_RECT_H;
            const long long span = horz ? area.Width() : area.Height();
            for (const RECT& c : clip.Rects) {
                const RECT part = Intersect(area, c);
                if (IsEmpty(part)) continue;
                for (int y = part.top; y < part.bottom; ++y) {
                    for (int x = part.left; x < part.right; ++x) {
                        const long long i = horz ? x - area.left : y - area.top;
                        auto mix = [&](WORD p, WORD q) {
                            return static_cast<unsigned>((p * (span - i) + q * i) / std::max(span, 1LL));
                        };
                        put(x, y, mix(a.Red, b.Red), mix(a.Green, b.Green), mix(a.Blue, b.Blue));
                    }
                }
            }
        }
        return TRUE;
    }
    if (mode == GRADIENT_FILL_TRIANGLE) {
        const auto* tris = static_cast<const GRADIENT_TRIANGLE*>(mesh);
        for (DWORD m = 0; m < meshCount; ++m) {
            if (tris[m].Vertex1 >= vertexCount || tris[m].Vertex2 >= vertexCount || tris[m].Vertex3 >= vertexCount) {
                return FALSE;
            }
            const TRIVERTEX& p0 = v[tris[m].Vertex1];
            const TRIVERTEX& p1 = v[tris[m].Vertex2];
            const TRIVERTEX& p2 = v[tris[m].Vertex3];
            const double x0 = p0.x + DX(dc), y0 = p0.y + DY(dc), x1 = p1.x + DX(dc), y1 = p1.y + DY(dc),
                         x2 = p2.x + DX(dc), y2 = p2.y + DY(dc);
            const double det = (y1 - y2) * (x0 - x2) + (x2 - x1) * (y0 - y2);
            if (det == 0) continue;
            const RECT box{static_cast<LONG>(std::min({x0, x1, x2})), static_cast<LONG>(std::min({y0, y1, y2})),
                           static_cast<LONG>(std::max({x0, x1, x2})), static_cast<LONG>(std::max({y0, y1, y2}))};
            for (const RECT& c : clip.Rects) {
                const RECT part = Intersect(box, c);
                for (int y = part.top; y < part.bottom; ++y) {
                    for (int x = part.left; x < part.right; ++x) {
                        const double px = x + 0.5, py = y + 0.5;
                        const double l0 = ((y1 - y2) * (px - x2) + (x2 - x1) * (py - y2)) / det;
                        const double l1 = ((y2 - y0) * (px - x2) + (x0 - x2) * (py - y2)) / det;
                        const double l2 = 1 - l0 - l1;
                        if (l0 < 0 || l1 < 0 || l2 < 0) continue;
                        auto mix = [&](WORD a, WORD b, WORD cc) {
                            return static_cast<unsigned>(std::clamp(a * l0 + b * l1 + cc * l2, 0.0, 65535.0));
                        };
                        put(x, y, mix(p0.Red, p1.Red, p2.Red), mix(p0.Green, p1.Green, p2.Green),
                            mix(p0.Blue, p1.Blue, p2.Blue));
                    }
                }
            }
        }
        return TRUE;
    }
    return FALSE;
}

BOOL AlphaBlend(HDC hdest, int x, int y, int w, int h, HDC hsrc, int xSrc, int ySrc, int wSrc, int hSrc,
                BLENDFUNCTION blend) {
    TDeviceContext* dest = CheckDC(hdest);
    TDeviceContext* src = CheckDC(hsrc);
    if (dest == nullptr || src == nullptr || w < 0 || h < 0 || wSrc < 0 || hSrc < 0) return FALSE;
    QImage* d = SurfaceOf(dest);
    const QImage* s = SurfaceOf(src);
    if (d == nullptr || s == nullptr || blend.BlendOp != AC_SRC_OVER) return FALSE;
    const int sx0 = xSrc + DX(src), sy0 = ySrc + DY(src);
    // The source rectangle must lie inside the source surface.
    if (sx0 < 0 || sy0 < 0 || sx0 + wSrc > s->width() || sy0 + hSrc > s->height()) return FALSE;
    if (w == 0 || h == 0 || wSrc == 0 || hSrc == 0) return TRUE;
    const RECT area = DeviceRect(dest, x, y, w, h);
    const unsigned ca = blend.SourceConstantAlpha;
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    for (const RECT& c : EffectiveClip(dest).Rects) {
        const RECT part = Intersect(area, c);
        for (int yy = part.top; yy < part.bottom; ++yy) {
            const int sy = sy0 + static_cast<int>(static_cast<long long>(yy - area.top) * hSrc / h);
            const std::uint32_t* srow = Row(s, sy);
            std::uint32_t* drow = Row(d, yy);
            for (int xx = part.left; xx < part.right; ++xx) {
                const int sx = sx0 + static_cast<int>(static_cast<long long>(xx - area.left) * wSrc / w);
                const std::uint32_t sp = srow[sx], dp = drow[xx];
                // Source scaled by the constant alpha; the destination keeps (255 - source alpha).
                const unsigned sa = perPixel ? ((sp >> 24) * ca + 127) / 255 : ca;
                std::uint32_t out = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const unsigned sc = (shift == 24 && !perPixel) ? ca : (sp >> shift) & 0xFF;
                    const unsigned dcn = (dp >> shift) & 0xFF;
                    const unsigned scaled = perPixel ? (sc * ca + 127) / 255 : (sc * ca + 127) / 255;
                    const unsigned v = std::min(255u, scaled + (dcn * (255 - sa) + 127) / 255);
                    out |= v << shift;
                }
                drow[xx] = IsMonoSurface(dest) ? MonoPixel(out) : out;
            }
        }
    }
    return TRUE;
}

// ---- DIB transfers ---------------------------------------------------------------------------------------

namespace {

int DibStride(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

// Reads a pixel of a DIB row into 0xAARRGGBB.
std::uint32_t ReadDib(const BYTE* row, int x, int bpp, const BITMAPINFO* info) {
    switch (bpp) {
        case 32: {
            std::uint32_t p;
            std::memcpy(&p, row + x * 4, 4);
            return p;
        }
        case 24:
            return kOpaque | (static_cast<std::uint32_t>(row[x * 3 + 2]) << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
        default: {
            const int bit = (row[x >> 3] >> (7 - (x & 7))) & 1;
            const RGBQUAD& q = info->bmiColors[bit];
            return kOpaque | (static_cast<std::uint32_t>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
        }
    }
}

void WriteDib(BYTE* row, int x, int bpp, std::uint32_t p) {
    switch (bpp) {
        case 32: std::memcpy(row + x * 4, &p, 4); break;
        case 24:
            row[x * 3] = static_cast<BYTE>(p);
            row[x * 3 + 1] = static_cast<BYTE>(p >> 8);
            row[x * 3 + 2] = static_cast<BYTE>(p >> 16);
            break;
        default: {
            const BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
            if (MonoPixel(p) == 0xFFFFFFFFu) row[x >> 3] |= mask;
            else row[x >> 3] &= static_cast<BYTE>(~mask);
            break;
        }
    }
}

bool SupportedDib(const BITMAPINFO* info) {
    if (info == nullptr) return false;
    const auto& h = info->bmiHeader;
    return h.biCompression == BI_RGB && (h.biBitCount == 1 || h.biBitCount == 24 || h.biBitCount == 32) &&
           h.biWidth > 0 && h.biHeight != 0 &&
           static_cast<long long>(h.biWidth) * std::abs(static_cast<long long>(h.biHeight)) <= (1LL << 28);
}

}  // namespace

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info, UINT) {
    TBitmapObject* b = CheckBitmap(bitmap);
    if (CheckDC(hdc) == nullptr || b == nullptr || info == nullptr) return 0;
    auto& h = info->bmiHeader;
    const int bw = b->Image.width(), bh = b->Image.height();
    if (bits == nullptr) {
        // Describe the bitmap.
        h.biWidth = bw;
        h.biHeight = bh;
        h.biPlanes = 1;
        if (h.biBitCount == 0) h.biBitCount = b->Mono ? 1 : 32;
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(DibStride(bw, h.biBitCount) * bh);
        return bh;
    }
    if (!SupportedDib(info)) return 0;
    if (h.biBitCount == 1) {
        info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
        info->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
    }
    const int rows = std::abs(h.biHeight);
    const int w = std::min(static_cast<int>(h.biWidth), bw);
    const int stride = DibStride(h.biWidth, h.biBitCount);
    if (startScan >= static_cast<UINT>(std::min(rows, bh))) return 0;
    const int lines = static_cast<int>(std::min<UINT>(scanLines, static_cast<UINT>(std::min(rows, bh)) - startScan));
    auto* out = static_cast<BYTE*>(bits);
    for (int i = 0; i < lines; ++i) {
        // Scan line numbers count from the bottom for a bottom-up DIB.
        const int scan = static_cast<int>(startScan) + i;
        const int imgRow = h.biHeight > 0 ? bh - 1 - scan : scan;
        const std::uint32_t* src = Row(static_cast<const QImage*>(&b->Image), imgRow);
        BYTE* dst = out + static_cast<size_t>(i) * static_cast<size_t>(stride);
        for (int x = 0; x < w; ++x) WriteDib(dst, x, h.biBitCount, src[x]);
    }
    return lines;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT) {
    TBitmapObject* b = CheckBitmap(bitmap);
    if (b == nullptr || bits == nullptr || !SupportedDib(info) || b->Stock) return 0;
    const auto& h = info->bmiHeader;
    const int bh = b->Image.height();
    const int rows = std::abs(h.biHeight);
    const int w = std::min(static_cast<int>(h.biWidth), b->Image.width());
    const int stride = DibStride(h.biWidth, h.biBitCount);
    if (startScan >= static_cast<UINT>(std::min(rows, bh))) return 0;
    const int lines = static_cast<int>(std::min<UINT>(scanLines, static_cast<UINT>(std::min(rows, bh)) - startScan));
    const auto* in = static_cast<const BYTE*>(bits);
    for (int i = 0; i < lines; ++i) {
        const int scan = static_cast<int>(startScan) + i;
        const int imgRow = h.biHeight > 0 ? bh - 1 - scan : scan;
        std::uint32_t* dst = Row(b->Surface(), imgRow);
        const BYTE* src = in + static_cast<size_t>(i) * static_cast<size_t>(stride);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = ReadDib(src, x, h.biBitCount, info);
            dst[x] = b->Mono ? MonoPixel(p) : p;
        }
    }
    return lines;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, void*, DWORD) {
    // The pixel memory is the bitmap's own top-down image, so only top-down (negative height) 32-bit sections
    // can be given out: a bottom-up request fails rather than handing out rows in the wrong order.
    if (info == nullptr || info->bmiHeader.biBitCount != 32 || info->bmiHeader.biHeight >= 0 || !SupportedDib(info)) {
        return nullptr;
    }
    auto* b = new TBitmapObject();
    b->Kind = OBJ_BITMAP;
    b->DIBSection = true;
    const int w = info->bmiHeader.biWidth, h = std::abs(info->bmiHeader.biHeight);
    b->DIBBits.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0u);
    b->Image = QImage(reinterpret_cast<uchar*>(b->DIBBits.data()), w, h, static_cast<qsizetype>(w) * 4,
                      QImage::Format_ARGB32_Premultiplied);
    if (b->Image.isNull()) {
        delete b;
        return nullptr;
    }
    RegisterObject(b);
    if (bits != nullptr) *bits = b->DIBBits.data();
    return b;
}

}  // namespace zel
