// Rectangle helpers, pixels, lines and shapes, rectangle fills, frames, edges, focus rectangles and the classic
// frame-control glyphs.
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/win/GdiPrivateQt.h"
#include "platform/win/SysInfo.h"

namespace zel {

// ---- rectangle helpers -------------------------------------------------------------------------------------

BOOL SetRect(RECT* r, int left, int top, int right, int bottom) {
    if (r == nullptr) return FALSE;
    *r = RECT{left, top, right, bottom};
    return TRUE;
}
BOOL CopyRect(RECT* dst, const RECT* src) {
    if (dst == nullptr || src == nullptr) return FALSE;
    *dst = *src;
    return TRUE;
}
BOOL IsRectEmpty(const RECT* r) { return r == nullptr || r->right <= r->left || r->bottom <= r->top ? TRUE : FALSE; }
BOOL PtInRect(const RECT* r, POINT p) {
    return r != nullptr && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom ? TRUE : FALSE;
}
BOOL OffsetRect(RECT* r, int dx, int dy) {
    if (r == nullptr) return FALSE;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}
BOOL InflateRect(RECT* r, int dx, int dy) {
    if (r == nullptr) return FALSE;
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return TRUE;
}
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
    if (dst == nullptr || a == nullptr || b == nullptr) return FALSE;
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *dst = RECT{};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
    if (dst == nullptr || a == nullptr || b == nullptr) return FALSE;
    const bool ea = IsRectEmpty(a) != FALSE, eb = IsRectEmpty(b) != FALSE;
    if (ea && eb) {
        *dst = RECT{};
        return FALSE;
    }
    if (ea) *dst = *b;
    else if (eb) *dst = *a;
    else
        *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
    return TRUE;
}
BOOL EqualRect(const RECT* a, const RECT* b) { return a != nullptr && b != nullptr && *a == *b ? TRUE : FALSE; }
int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const long long p = static_cast<long long>(number) * numerator;
    // Rounded half away from zero, as the system does.
    long long q = (std::llabs(p) + std::llabs(static_cast<long long>(denominator)) / 2) /
                  std::llabs(static_cast<long long>(denominator));
    if ((p < 0) != (denominator < 0)) q = -q;
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return static_cast<int>(q);
}

namespace {

RECT ToDevice(TDeviceContext* dc, const RECT& r) {
    return RECT{r.left + DX(dc), r.top + DY(dc), r.right + DX(dc), r.bottom + DY(dc)};
}
RECT Norm(int l, int t, int r, int b) { return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)}; }

TPatternSource SolidSource(TDeviceContext* dc, COLORREF c) {
    TPatternSource s;
    s.Color = SurfacePixel(dc, c);
    return s;
}
TPatternSource PenSource(TDeviceContext* dc) {
    TPenObject* pen = dc->S.Pen;
    if (pen == nullptr || pen->Style == PS_NULL) {
        TPatternSource s;
        s.Null = true;
        return s;
    }
    return SolidSource(dc, pen->DCPen ? dc->S.DCPenColor : pen->Color);
}
bool NullPen(TDeviceContext* dc) { return dc->S.Pen == nullptr || dc->S.Pen->Style == PS_NULL; }

// The dash pattern of a one-pixel styled pen: lengths of on and off runs.
std::vector<int> DashesOf(UINT style) {
    switch (style) {
        case PS_DASH: return {18, 6};
        case PS_DOT: return {3, 3};
        case PS_DASHDOT: return {9, 6, 3, 6};
        case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
        case PS_ALTERNATE: return {1, 1};
        default: return {};
    }
}

struct TLineState {
    std::vector<int> Dashes;
    size_t Index = 0;
    int Left = 0;
    bool On() const { return (Index & 1) == 0; }
    void Step() {
        if (Dashes.empty()) return;
        if (--Left <= 0) {
            Index = (Index + 1) % Dashes.size();
            Left = Dashes[Index];
        }
    }
};

void PlotPixel(TDeviceContext* dc, QImage* img, const TRegionData& clip, int x, int y, std::uint32_t color, int rop2) {
    if (!clip.Contains(x, y)) return;
    auto* p = reinterpret_cast<std::uint32_t*>(img->scanLine(y)) + x;
    (void)dc;
    std::uint32_t d = *p, r = 0;
    switch (rop2) {
        case R2_BLACK: r = 0; break;
        case R2_NOTMERGEPEN: r = ~(color | d); break;
        case R2_MASKNOTPEN: r = ~color & d; break;
        case R2_NOTCOPYPEN: r = ~color; break;
        case R2_MASKPENNOT: r = color & ~d; break;
        case R2_NOT: r = ~d; break;
        case R2_XORPEN: r = color ^ d; break;
        case R2_NOTMASKPEN: r = ~(color & d); break;
        case R2_MASKPEN: r = color & d; break;
        case R2_NOTXORPEN: r = ~(color ^ d); break;
        case R2_NOP: r = d; break;
        case R2_MERGENOTPEN: r = ~color | d; break;
        case R2_MERGEPEN: r = color | d; break;
        case R2_MERGEPENNOT: r = color | ~d; break;
        case R2_WHITE: r = ~0u; break;
        default: r = color; break;
    }
    *p = (r & 0xFFFFFFu) | 0xFF000000u;
}

// A wide pen's stroke along a polyline, as a mask in image coordinates.
TMask StrokeMask(const std::vector<QPoint>& pts, int width, bool closed) {
    TMask m;
    int minX = pts[0].x(), maxX = minX, minY = pts[0].y(), maxY = minY;
    for (const QPoint& p : pts) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    const int pad = width / 2 + 2;
    m.Box = RECT{minX - pad, minY - pad, maxX + pad + 1, maxY + pad + 1};
    QImage img(m.Box.Width(), m.Box.Height(), QImage::Format_Alpha8);
    img.fill(0);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.translate(-m.Box.left + 0.5, -m.Box.top + 0.5);
        QPolygon poly;
        for (const QPoint& q : pts) poly << q;
        if (closed) p.drawPolygon(poly);
        else p.drawPolyline(poly);
    }
    m.A.resize(static_cast<size_t>(m.Box.Width() * m.Box.Height()));
    for (int y = 0; y < img.height(); ++y) {
        std::copy_n(img.constScanLine(y), img.width(), m.A.data() + static_cast<size_t>(y * img.width()));
    }
    for (auto& a : m.A) a = a >= 128 ? 255 : 0;
    return m;
}

// The lines as lines on a printer's painter, through the centres of the pixels the pen would set.
void PaintPolylineAsLines(TDeviceContext* dc, const POINT* pts, int n, bool closed) {
    QPainter& p = *dc->Vector;
    p.save();
    p.setClipRegion(EffectiveClipRegion(dc));
    const TPenObject& pen = *dc->S.Pen;
    QPen line(ToQColor(pen.DCPen ? dc->S.DCPenColor : pen.Color), std::max(1, pen.Width), Qt::SolidLine,
              pen.Width > 1 ? Qt::RoundCap : Qt::SquareCap, pen.Width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    if (const std::vector<int> dashes = DashesOf(pen.Style); pen.Width == 1 && !dashes.empty())
        line.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    QPolygonF poly;
    for (int i = 0; i < n; ++i) poly << QPointF(pts[i].x + DX(dc) + 0.5, pts[i].y + DY(dc) + 0.5);
    if (closed) p.drawPolygon(poly);
    else p.drawPolyline(poly);
    p.restore();
}

// Draws the lines through logical points with the DC's pen; each segment leaves out its end point.
void DrawPolyline(TDeviceContext* dc, const POINT* pts, int n, bool closed) {
    if (NullPen(dc) || n < 2) return;
    if (dc->Vector != nullptr && dc->S.Rop2 == R2_COPYPEN &&
        (dc->S.BkMode == TRANSPARENT || DashesOf(dc->S.Pen->Style).empty())) {
        PaintPolylineAsLines(dc, pts, n, closed);
        return;
    }
    QImage* img = SurfaceOf(dc);
    if (img == nullptr) return;
    const TPatternSource pen = PenSource(dc);
    const int width = dc->S.Pen->Width;
    if (width > 1) {
        std::vector<QPoint> q;
        for (int i = 0; i < n; ++i) q.emplace_back(pts[i].x + DX(dc), pts[i].y + DY(dc));
        PaintMask(dc, StrokeMask(q, width, closed), pen, dc->S.Rop2, false);
        return;
    }
    const TRegionData& clip = EffectiveClip(dc);
    TLineState st;
    st.Dashes = DashesOf(dc->S.Pen->Style);
    if (!st.Dashes.empty()) st.Left = st.Dashes[0];
    const std::uint32_t bk = SurfacePixel(dc, dc->S.BkColor);
    const bool opaqueGaps = dc->S.BkMode == OPAQUE;
    const int segments = closed ? n : n - 1;
    for (int i = 0; i < segments; ++i) {
        int x0 = pts[i].x + DX(dc), y0 = pts[i].y + DY(dc);
        const int x1 = pts[(i + 1) % n].x + DX(dc), y1 = pts[(i + 1) % n].y + DY(dc);
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        while (x0 != x1 || y0 != y1) {
            if (st.Dashes.empty() || st.On()) PlotPixel(dc, img, clip, x0, y0, pen.Color, dc->S.Rop2);
            else if (opaqueGaps) PlotPixel(dc, img, clip, x0, y0, bk, dc->S.Rop2);
            st.Step();
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
}

TRegionData Eroded(const TRegionData& d, int w) {
    TRegionData out = d;
    for (auto [dx, dy] : {std::pair{w, 0}, std::pair{-w, 0}, std::pair{0, w}, std::pair{0, -w}}) {
        TRegionData moved = d;
        moved.Offset(dx, dy);
        out = CombineRegions(out, moved, RGN_AND);
    }
    return out;
}

// Fills a closed shape (device-coordinate region) with the brush and outlines it with the pen, both by ROP2.
void PaintShape(TDeviceContext* dc, const TRegionData& shape) {
    const TPatternSource brush = ResolveBrush(dc, dc->S.Brush);
    if (NullPen(dc)) {
        PaintRegionRop2(dc, shape, brush, dc->S.Rop2);
        return;
    }
    const TRegionData inner = Eroded(shape, dc->S.Pen->Width);
    PaintRegionRop2(dc, inner, brush, dc->S.Rop2);
    PaintRegionRop2(dc, CombineRegions(shape, inner, RGN_DIFF), PenSource(dc), dc->S.Rop2);
}

double AngleOf(double x, double y, double cx, double cy) { return std::atan2(-(y - cy), x - cx); }
bool InSweep(double a, double a0, double a1) {
    constexpr double kTwoPi = 2 * std::numbers::pi;
    auto norm = [](double v) { return std::fmod(std::fmod(v, kTwoPi) + kTwoPi, kTwoPi); };
    const double span = norm(a1 - a0);
    return span == 0 || norm(a - a0) <= span;
}
// Keeps the pixels of a region whose centres lie in the counter-clockwise sweep between two rays.
TRegionData SweepPart(const TRegionData& rgn, double cx, double cy, double a0, double a1) {
    std::vector<RECT> keep;
    for (const RECT& r : rgn.Rects) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (InSweep(AngleOf(x + 0.5, y + 0.5, cx, cy), a0, a1)) keep.push_back(RECT{x, y, x + 1, y + 1});
            }
        }
    }
    return CanonicalRegion(std::move(keep));
}

}  // namespace

// ---- pixels and lines ------------------------------------------------------------------------------------

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || SurfaceOf(dc) == nullptr) return CLR_INVALID;
    const int ix = x + DX(dc), iy = y + DY(dc);
    if (!EffectiveClip(dc).Contains(ix, iy)) return CLR_INVALID;
    const std::uint32_t p = SurfacePixel(dc, color);
    reinterpret_cast<std::uint32_t*>(SurfaceOf(dc)->scanLine(iy))[ix] = p;
    return FromPixel(p);
}
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) { return SetPixel(dc, x, y, color) != CLR_INVALID ? TRUE : FALSE; }
COLORREF GetPixel(HDC hdc, int x, int y) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || SurfaceOf(dc) == nullptr) return CLR_INVALID;
    const int ix = x + DX(dc), iy = y + DY(dc);
    if (!EffectiveClip(dc).Contains(ix, iy)) return CLR_INVALID;
    return FromPixel(reinterpret_cast<const std::uint32_t*>(SurfaceOf(dc)->constScanLine(iy))[ix]);
}
BOOL MoveToEx(HDC hdc, int x, int y, POINT* old) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    if (old != nullptr) *old = dc->S.CurPos;
    dc->S.CurPos = POINT{x, y};
    return TRUE;
}
BOOL GetCurrentPositionEx(HDC hdc, POINT* p) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || p == nullptr) return FALSE;
    *p = dc->S.CurPos;
    return TRUE;
}
BOOL LineTo(HDC hdc, int x, int y) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    const POINT pts[2] = {dc->S.CurPos, POINT{x, y}};
    DrawPolyline(dc, pts, 2, false);
    dc->S.CurPos = POINT{x, y};
    return TRUE;
}
BOOL Polyline(HDC hdc, const POINT* points, int count) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || points == nullptr || count < 2) return FALSE;
    DrawPolyline(dc, points, count, false);
    return TRUE;
}
BOOL PolyPolygon(HDC hdc, const POINT* points, const int* counts, int polygons) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || points == nullptr || counts == nullptr || polygons <= 0) return FALSE;
    for (int k = 0; k < polygons; ++k) {
        if (counts[k] < 2) return FALSE;
    }
    TRegionData fill = PolygonRegion(points, counts, polygons, dc->S.PolyFillMode);
    fill.Offset(DX(dc), DY(dc));
    PaintRegionRop2(dc, fill, ResolveBrush(dc, dc->S.Brush), dc->S.Rop2);
    const POINT* p = points;
    for (int k = 0; k < polygons; ++k) {
        DrawPolyline(dc, p, counts[k], true);
        p += counts[k];
    }
    return TRUE;
}
BOOL Polygon(HDC dc, const POINT* points, int count) { return PolyPolygon(dc, points, &count, 1); }

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    RECT r = Norm(left, top, right, bottom);
    if (NullPen(dc)) {
        // Without a pen the filled area is one pixel smaller on the right and bottom, as on Windows.
        r.right -= 1;
        r.bottom -= 1;
    } else if (dc->S.Pen->Width == 1 && dc->S.Pen->Style != PS_SOLID && dc->S.Pen->Style != PS_INSIDEFRAME) {
        // A styled outline: the pen runs around the rectangle; the brush fills inside it.
        PaintRegionRop2(dc, TRegionData::FromRect(ToDevice(dc, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1})),
                        ResolveBrush(dc, dc->S.Brush), dc->S.Rop2);
        const POINT pts[4] = {
            {r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
        DrawPolyline(dc, pts, 4, true);
        return TRUE;
    }
    PaintShape(dc, TRegionData::FromRect(ToDevice(dc, r)));
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    RECT r = Norm(left, top, right, bottom);
    if (NullPen(dc)) {
        r.right -= 1;
        r.bottom -= 1;
    }
    PaintShape(dc, EllipseRegion(r.left + DX(dc), r.top + DY(dc), r.right + DX(dc), r.bottom + DY(dc)));
    return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    RECT r = Norm(left, top, right, bottom);
    if (NullPen(dc)) {
        r.right -= 1;
        r.bottom -= 1;
    }
    PaintShape(dc,
               RoundRectRegion(r.left + DX(dc), r.top + DY(dc), r.right + DX(dc), r.bottom + DY(dc), width, height));
    return TRUE;
}

namespace {
BOOL ArcOrPie(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, bool pie) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    const RECT r = ToDevice(dc, Norm(left, top, right, bottom));
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    // The radials run from the box's centre through the given points, both taken as pixel centres like the
    // pixels they are compared with, so an arc from (right, y) includes the pixel at that end.
    const double a0 = AngleOf(xs + DX(dc) + 0.5, ys + DY(dc) + 0.5, cx, cy);
    const double a1 = AngleOf(xe + DX(dc) + 0.5, ye + DY(dc) + 0.5, cx, cy);
    const TRegionData shape = EllipseRegion(r.left, r.top, r.right, r.bottom);
    const int w = NullPen(dc) ? 1 : dc->S.Pen->Width;
    const TRegionData ring = SweepPart(CombineRegions(shape, Eroded(shape, w), RGN_DIFF), cx, cy, a0, a1);
    if (pie) {
        PaintRegionRop2(dc, SweepPart(shape, cx, cy, a0, a1), ResolveBrush(dc, dc->S.Brush), dc->S.Rop2);
    }
    if (NullPen(dc)) return TRUE;
    PaintRegionRop2(dc, ring, PenSource(dc), dc->S.Rop2);
    if (pie) {
        const double rx = (r.right - r.left) / 2.0, ry = (r.bottom - r.top) / 2.0;
        const POINT c{static_cast<LONG>(std::floor(cx)) - DX(dc), static_cast<LONG>(std::floor(cy)) - DY(dc)};
        for (double a : {a0, a1}) {
            const POINT e{static_cast<LONG>(std::lround(cx + rx * std::cos(a) - 0.5)) - DX(dc),
                          static_cast<LONG>(std::lround(cy - ry * std::sin(a) - 0.5)) - DY(dc)};
            const POINT pts[2] = {c, e};
            DrawPolyline(dc, pts, 2, false);
        }
    }
    return TRUE;
}
}  // namespace

BOOL Arc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return ArcOrPie(dc, l, t, r, b, xs, ys, xe, ye, false);
}
BOOL Pie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return ArcOrPie(dc, l, t, r, b, xs, ys, xe, ye, true);
}

// ---- rectangles ------------------------------------------------------------------------------------------

int FillRect(HDC hdc, const RECT* r, HBRUSH brush) {
    TDeviceContext* dc = CheckDC(hdc);
    TBrushObject* b = CheckBrush(brush);
    if (dc == nullptr || r == nullptr || b == nullptr) return 0;
    FillDeviceRect(dc, ToDevice(dc, *r), ResolveBrush(dc, b));
    return 1;
}

int FrameRect(HDC hdc, const RECT* r, HBRUSH brush) {
    TDeviceContext* dc = CheckDC(hdc);
    TBrushObject* b = CheckBrush(brush);
    if (dc == nullptr || r == nullptr || b == nullptr) return 0;
    if (r->right <= r->left || r->bottom <= r->top) return 1;
    const TPatternSource pat = ResolveBrush(dc, b);
    const RECT d = ToDevice(dc, *r);
    FillDeviceRect(dc, RECT{d.left, d.top, d.right, d.top + 1}, pat);
    FillDeviceRect(dc, RECT{d.left, d.bottom - 1, d.right, d.bottom}, pat);
    FillDeviceRect(dc, RECT{d.left, d.top + 1, d.left + 1, d.bottom - 1}, pat);
    FillDeviceRect(dc, RECT{d.right - 1, d.top + 1, d.right, d.bottom - 1}, pat);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* r) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || r == nullptr) return FALSE;
    RopRect(dc, ToDevice(dc, *r), DSTINVERT, nullptr, nullptr, 0, 0, false, 0, 0, 0);
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* r) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || r == nullptr) return FALSE;
    if (r->right <= r->left || r->bottom <= r->top) return TRUE;
    const RECT d = ToDevice(dc, *r);
    const TRegionData frame =
        CombineRegions(TRegionData::FromRect(d),
                       TRegionData::FromRect(RECT{d.left + 1, d.top + 1, d.right - 1, d.bottom - 1}), RGN_DIFF);
    // A checkerboard anchored on the rectangle's corner: every other frame pixel is inverted, so a second call
    // restores the picture.
    TPatternSource dots;
    dots.Solid = false;
    for (size_t i = 0; i < 64; ++i) dots.P[i] = ((i / 8 + i % 8) & 1) == 0 ? 0xFFFFFFFFu : 0xFF000000u;
    dots.OrgX = d.left;
    dots.OrgY = d.top;
    PaintRegionRop2(dc, frame, dots, R2_XORPEN);
    return TRUE;
}

// ---- edges -----------------------------------------------------------------------------------------------

namespace {
void Band(TDeviceContext* dc, const RECT& r, int sysColor) {
    FillDeviceRect(dc, r, SolidSource(dc, GetSysColor(sysColor)));
}
// One one-pixel frame layer: left and top in one colour, then right and bottom (over the corners) in the other.
void EdgeLayer(TDeviceContext* dc, RECT& d, UINT flags, int lt, int rb) {
    if (flags & BF_LEFT) Band(dc, RECT{d.left, d.top, d.left + 1, d.bottom}, lt);
    if (flags & BF_TOP) Band(dc, RECT{d.left, d.top, d.right, d.top + 1}, lt);
    if (flags & BF_RIGHT) Band(dc, RECT{d.right - 1, d.top, d.right, d.bottom}, rb);
    if (flags & BF_BOTTOM) Band(dc, RECT{d.left, d.bottom - 1, d.right, d.bottom}, rb);
    if (flags & BF_LEFT) ++d.left;
    if (flags & BF_TOP) ++d.top;
    if (flags & BF_RIGHT) --d.right;
    if (flags & BF_BOTTOM) --d.bottom;
}
}  // namespace

BOOL DrawEdge(HDC hdc, RECT* r, UINT edge, UINT flags) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || r == nullptr) return FALSE;
    RECT d = ToDevice(dc, *r);
    const UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    const bool mono = (flags & BF_MONO) != 0, flat = (flags & BF_FLAT) != 0;
    if (outer != 0) {
        if (mono) EdgeLayer(dc, d, flags, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
        else if (flat) EdgeLayer(dc, d, flags, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
        else if (outer & BDR_RAISEDOUTER)
            EdgeLayer(dc, d, flags, (flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        else EdgeLayer(dc, d, flags, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    }
    if (inner != 0) {
        if (mono) EdgeLayer(dc, d, flags, COLOR_WINDOW, COLOR_WINDOW);
        else if (flat) EdgeLayer(dc, d, flags, COLOR_BTNFACE, COLOR_BTNFACE);
        else if (inner & BDR_RAISEDINNER)
            EdgeLayer(dc, d, flags, (flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        else EdgeLayer(dc, d, flags, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    if ((flags & BF_MIDDLE) && d.right > d.left && d.bottom > d.top) {
        Band(dc, d, (mono || flat) ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    if (flags & BF_ADJUST) {
        *r = RECT{d.left - DX(dc), d.top - DY(dc), d.right - DX(dc), d.bottom - DY(dc)};
    }
    return TRUE;
}

// ---- frame controls --------------------------------------------------------------------------------------

namespace {

void FillSys(HDC dc, const RECT& r, int index) { FillRect(dc, &r, GetSysColorBrush(index)); }

// The classic scroll arrow: a filled triangle of side / 4 rows (7 wide and 4 deep in a 16-pixel button), centred
// on the button's centre pixel, drawn as rows of a solid colour. side is the button's smaller side.
void Arrow(HDC dc, int cx, int cy, int side, UINT dir, int color) {
    const int size = std::max(1, side / 4);
    for (int i = 0; i < size; ++i) {
        RECT line;
        switch (dir) {
            case DFCS_SCROLLUP: line = RECT{cx - i - 1, cy - size / 2 + i, cx + i, cy - size / 2 + i + 1}; break;
            case DFCS_SCROLLDOWN:
                line = RECT{cx - (size - i), cy - size / 2 + i, cx + (size - i) - 1, cy - size / 2 + i + 1};
                break;
            case DFCS_SCROLLLEFT: line = RECT{cx - size / 2 + i, cy - i - 1, cx - size / 2 + i + 1, cy + i}; break;
            default: line = RECT{cx - size / 2 + i, cy - (size - i), cx - size / 2 + i + 1, cy + (size - i) - 1}; break;
        }
        FillSys(dc, line, color);
    }
}

void ButtonFrame(HDC dc, RECT& r, UINT state) {
    if (state & DFCS_FLAT) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
        FillSys(dc, r, COLOR_BTNFACE);
    } else if (state & DFCS_PUSHED) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
        FillSys(dc, r, COLOR_BTNFACE);
    } else {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    }
}

void DrawScroll(HDC dc, RECT r, UINT state) {
    const UINT kind = state & 0xFF;
    if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
        FillSys(dc, r, COLOR_BTNFACE);
        // Diagonal ridges in the bottom-right corner: highlight, shadow, shadow, gap, repeated.
        const int size = std::min(r.right - r.left, r.bottom - r.top);
        for (int d = 1; d < size; ++d) {
            const int phase = (d - 1) % 4;
            if (phase == 3 || d > 12) continue;
            const int color = phase == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
            for (int k = 0; k < d; ++k) {
                const RECT px{r.right - d + k, r.bottom - 1 - k, r.right - d + k + 1, r.bottom - k};
                FillSys(dc, px, color);
            }
        }
        return;
    }
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    ButtonFrame(dc, r, state);
    if (state & DFCS_PUSHED) {
        ++cx;
        ++cy;
    }
    const UINT dir = kind == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : kind;
    if (state & DFCS_INACTIVE) {
        Arrow(dc, cx + 1, cy + 1, side, dir, COLOR_BTNHIGHLIGHT);
        Arrow(dc, cx, cy, side, dir, COLOR_BTNSHADOW);
    } else {
        Arrow(dc, cx, cy, side, dir, COLOR_BTNTEXT);
    }
}

void DrawCaption(HDC dc, RECT r, UINT state) {
    const RECT button = r;
    ButtonFrame(dc, r, state);
    if ((state & 0xFF) != DFCS_CAPTIONCLOSE) return;
    // The classic close cross: n rows (7 in a 16 x 14 button), each with two 2-pixel dabs that meet in the
    // middle row, n + 1 pixels wide, centred in the button; pushed moves it one pixel right and down.
    const int n = std::max(3, std::min(button.right - button.left, button.bottom - button.top) - 7);
    int x0 = button.left + (button.right - button.left - (n + 1)) / 2;
    int y0 = button.top + (button.bottom - button.top - n) / 2;
    if (state & DFCS_PUSHED) {
        ++x0;
        ++y0;
    }
    auto cross = [&](int dx, int dy, int color) {
        for (int i = 0; i < n; ++i) {
            const int y = y0 + dy + i;
            FillSys(dc, RECT{x0 + dx + i, y, x0 + dx + i + 2, y + 1}, color);
            FillSys(dc, RECT{x0 + dx + n - 1 - i, y, x0 + dx + n + 1 - i, y + 1}, color);
        }
    };
    if (state & DFCS_INACTIVE) {
        cross(1, 1, COLOR_BTNHIGHLIGHT);
        cross(0, 0, COLOR_BTNSHADOW);
    } else {
        cross(0, 0, COLOR_BTNTEXT);
    }
}

// The classic tick: seven columns three pixels tall, going down for three columns and up for four; the top
// row of each column.
constexpr int kClassicTickTop[7] = {2, 3, 4, 3, 2, 1, 0};

void DrawButton(HDC hdc, RECT r, UINT state) {
    TDeviceContext* dc = CheckDC(hdc);
    const UINT kind = state & 0xFF;
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    if (kind == DFCS_BUTTONRADIOMASK || kind == DFCS_BUTTONRADIOIMAGE || kind == DFCS_BUTTONRADIO) {
        // The classic radio circle: an even diameter at the top-left of the rectangle.
        const int dia = side & ~1;
        const RECT box{r.left + DX(dc), r.top + DY(dc), r.left + dia + DX(dc), r.top + dia + DY(dc)};
        const TRegionData outer = EllipseRegion(box.left, box.top, box.right, box.bottom);
        if (kind == DFCS_BUTTONRADIOMASK) {
            FillDeviceRect(dc, ToDevice(dc, r), SolidSource(dc, 0xFFFFFF));
            PaintRegionRop2(dc, outer, SolidSource(dc, 0), R2_COPYPEN);
            return;
        }
        const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
        const bool flat = (state & DFCS_FLAT) != 0;
        TRegionData ring = outer;
        int layer = 0;
        while (!ring.Empty() && layer < 2) {
            const TRegionData inner = Eroded(ring, 1);
            const TRegionData edge = CombineRegions(ring, inner, RGN_DIFF);
            // Upper-left half of the ring in one colour, lower-right in the other.
            int lt = layer == 0 ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW;
            int rb = layer == 0 ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT;
            if (flat) lt = rb = layer == 0 ? COLOR_BTNSHADOW : COLOR_WINDOW;
            std::vector<RECT> a, b;
            for (const RECT& e : edge.Rects) {
                for (int y = e.top; y < e.bottom; ++y) {
                    for (int x = e.left; x < e.right; ++x) {
                        ((x + 0.5 - cx) + (y + 0.5 - cy) < 0 ? a : b).push_back(RECT{x, y, x + 1, y + 1});
                    }
                }
            }
            PaintRegionRop2(dc, CanonicalRegion(a), SolidSource(dc, GetSysColor(lt)), R2_COPYPEN);
            PaintRegionRop2(dc, CanonicalRegion(b), SolidSource(dc, GetSysColor(rb)), R2_COPYPEN);
            ring = inner;
            ++layer;
        }
        const int face = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW;
        PaintRegionRop2(dc, ring, SolidSource(dc, GetSysColor(face)), R2_COPYPEN);
        if (state & DFCS_CHECKED) {
            // The dot: a square of a third of the circle (4 pixels in the classic 12-pixel circle) with its
            // corner pixels left out, on the circle's centre.
            const int dot = std::max(2, dia / 3);
            const int dl = box.left + (dia - dot) / 2, dt = box.top + (dia - dot) / 2;
            const TRegionData d =
                CombineRegions(TRegionData::FromRect(RECT{dl + 1, dt, dl + dot - 1, dt + dot}),
                               TRegionData::FromRect(RECT{dl, dt + 1, dl + dot, dt + dot - 1}), RGN_OR);
            const int color = (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
            PaintRegionRop2(dc, d, SolidSource(dc, GetSysColor(color)), R2_COPYPEN);
        }
        return;
    }
    if (kind == DFCS_BUTTONPUSH) {
        RECT b = r;
        if (state & (DFCS_PUSHED | DFCS_CHECKED)) DrawEdge(hdc, &b, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
        else DrawEdge(hdc, &b, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        return;
    }
    // Check box: a square of the smaller side, sunken (or flat), white inside, with the classic tick.
    RECT b{r.left, r.top, r.left + side, r.top + side};
    if (state & DFCS_FLAT) {
        FrameRect(hdc, &b, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&b, -1, -1);
    } else {
        DrawEdge(hdc, &b, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    FillSys(hdc, b, (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW);
    if (state & DFCS_CHECKED) {
        const int color = (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
        // The classic tick, centred in the box (in a 13-pixel box its lowest pixel is on row 9).
        const int x0 = b.left + (b.right - b.left - 7) / 2, y0 = b.top + (b.bottom - b.top - 7) / 2;
        for (int i = 0; i < 7; ++i) {
            FillSys(hdc, RECT{x0 + i, y0 + kClassicTickTop[i], x0 + i + 1, y0 + kClassicTickTop[i] + 3}, color);
        }
    }
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, RECT* r, UINT type, UINT state) {
    if (CheckDC(hdc) == nullptr || r == nullptr) return FALSE;
    switch (type) {
        case DFC_SCROLL: DrawScroll(hdc, *r, state); return TRUE;
        case DFC_CAPTION: DrawCaption(hdc, *r, state); return TRUE;
        case DFC_BUTTON: DrawButton(hdc, *r, state); return TRUE;
        default: return FALSE;
    }
}

HBITMAP LoadBitmap(HINSTANCE /*instance*/, int id) {
    constexpr int cell = 13;
    if (id == OBM_CHECK) {
        // The same tick as the classic check box draws, in black on white, then a white cell.
        HBITMAP bitmap = CreateBitmap(2 * cell, cell, 1, 32, nullptr);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const RECT all{0, 0, 2 * cell, cell};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        for (int i = 0; i < 7; ++i) {
            const RECT r{3 + i, 3 + kClassicTickTop[i], 4 + i, 6 + kClassicTickTop[i]};
            FillRect(dc, &r, black);
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        return bitmap;
    }
    if (id != OBM_CHECKBOXES) return nullptr;
    HBITMAP bitmap = CreateBitmap(4 * cell, 3 * cell, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    static constexpr UINT kRows[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
    static constexpr UINT kColumns[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) {
            RECT r{column * cell, row * cell, column * cell + cell, row * cell + cell};
            FillSys(dc, r, COLOR_BTNFACE);
            DrawFrameControl(dc, &r, DFC_BUTTON, kRows[row] | kColumns[column]);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

}  // namespace zel
