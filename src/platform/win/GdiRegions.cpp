// Regions as canonical rectangle lists, their operations, and the clip region of a DC.
#include <algorithm>
#include <cmath>

#include "platform/win/GdiPrivateQt.h"

namespace zel {

namespace {

struct TSpan {
    int x0 = 0;
    int x1 = 0;
    bool operator==(const TSpan&) const = default;
};
using TSpans = std::vector<TSpan>;

bool Apply(int mode, bool a, bool b) {
    switch (mode) {
        case RGN_AND: return a && b;
        case RGN_OR: return a || b;
        case RGN_XOR: return a != b;
        case RGN_DIFF: return a && !b;
        default: return a;
    }
}

// Spans of the rectangles that cover the band [y0, y1) (each rectangle either covers it or misses it),
// sorted and merged.
TSpans BandSpans(const std::vector<RECT>& rects, int y0, int y1) {
    TSpans s;
    for (const RECT& r : rects) {
        if (r.top <= y0 && r.bottom >= y1) s.push_back(TSpan{r.left, r.right});
    }
    std::sort(s.begin(), s.end(), [](const TSpan& a, const TSpan& b) { return a.x0 < b.x0; });
    TSpans merged;
    for (const TSpan& sp : s) {
        if (!merged.empty() && sp.x0 <= merged.back().x1) {
            merged.back().x1 = std::max(merged.back().x1, sp.x1);
        } else {
            merged.push_back(sp);
        }
    }
    return merged;
}

TSpans CombineSpans(const TSpans& a, const TSpans& b, int mode) {
    std::vector<int> xs;
    xs.reserve((a.size() + b.size()) * 2);
    for (const TSpan& s : a) xs.insert(xs.end(), {s.x0, s.x1});
    for (const TSpan& s : b) xs.insert(xs.end(), {s.x0, s.x1});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    TSpans out;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        const int x0 = xs[i], x1 = xs[i + 1];
        while (ia < a.size() && a[ia].x1 <= x0) ++ia;
        while (ib < b.size() && b[ib].x1 <= x0) ++ib;
        const bool inA = ia < a.size() && a[ia].x0 <= x0;
        const bool inB = ib < b.size() && b[ib].x0 <= x0;
        if (!Apply(mode, inA, inB)) continue;
        if (!out.empty() && out.back().x1 == x0) {
            out.back().x1 = x1;
        } else {
            out.push_back(TSpan{x0, x1});
        }
    }
    return out;
}

// The band sweep behind every region operation: bands between consecutive horizontal edges, spans combined,
// equal adjacent bands merged.
TRegionData Sweep(const std::vector<RECT>& a, const std::vector<RECT>& b, int mode) {
    std::vector<int> ys;
    ys.reserve((a.size() + b.size()) * 2);
    for (const RECT& r : a) ys.insert(ys.end(), {r.top, r.bottom});
    for (const RECT& r : b) ys.insert(ys.end(), {r.top, r.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    TRegionData out;
    TSpans prev;
    int prevBottom = 0;
    size_t prevStart = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const int y0 = ys[i], y1 = ys[i + 1];
        TSpans spans = CombineSpans(BandSpans(a, y0, y1), BandSpans(b, y0, y1), mode);
        if (spans.empty()) continue;
        if (!out.Rects.empty() && prevBottom == y0 && spans == prev) {
            for (size_t k = prevStart; k < out.Rects.size(); ++k) out.Rects[k].bottom = y1;
        } else {
            prevStart = out.Rects.size();
            for (const TSpan& s : spans) out.Rects.push_back(RECT{s.x0, y0, s.x1, y1});
            prev = std::move(spans);
        }
        prevBottom = y1;
    }
    return out;
}

std::vector<RECT> NonEmpty(std::vector<RECT> rects) {
    rects.erase(std::remove_if(rects.begin(), rects.end(),
                               [](const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }),
                rects.end());
    return rects;
}

RECT Normalized(int l, int t, int r, int b) {
    return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// The x span [x0, x1) of the ellipse inscribed in [0, w) x [0, h) on row y, by pixel centres.
bool EllipseRow(int w, int h, int y, int& x0, int& x1) {
    const double rx = w / 2.0, ry = h / 2.0;
    const double dy = (y + 0.5 - ry) / ry;
    if (dy <= -1.0 || dy >= 1.0) return false;
    const double xs = rx * std::sqrt(1.0 - dy * dy);
    x0 = static_cast<int>(std::ceil(rx - xs - 0.5));
    x1 = static_cast<int>(std::ceil(rx + xs - 0.5));
    return x1 > x0;
}

}  // namespace

RECT TRegionData::Box() const {
    if (Rects.empty()) return RECT{};
    RECT b = Rects.front();
    for (const RECT& r : Rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}
void TRegionData::Offset(int dx, int dy) {
    for (RECT& r : Rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}
bool TRegionData::Contains(int x, int y) const {
    for (const RECT& r : Rects) {
        if (y < r.top) return false;  // bands are sorted from the top
        if (x >= r.left && x < r.right && y < r.bottom) return true;
    }
    return false;
}
TRegionData TRegionData::FromRect(const RECT& r) {
    TRegionData d;
    if (r.right > r.left && r.bottom > r.top) d.Rects.push_back(r);
    return d;
}
bool TRegionData::operator==(const TRegionData& o) const { return Rects == o.Rects; }

TRegionData CanonicalRegion(std::vector<RECT> rects) { return Sweep(NonEmpty(std::move(rects)), {}, RGN_OR); }

TRegionData CombineRegions(const TRegionData& a, const TRegionData& b, int mode) {
    if (mode == RGN_COPY) return a;
    if (mode == RGN_AND) {
        if (a.Empty() || b.Empty()) return TRegionData{};
        if (a.Rects.size() == 1 && b.Rects.size() == 1) {
            const RECT& p = a.Rects[0];
            const RECT& q = b.Rects[0];
            return TRegionData::FromRect(RECT{std::max(p.left, q.left), std::max(p.top, q.top),
                                              std::min(p.right, q.right), std::min(p.bottom, q.bottom)});
        }
    }
    return Sweep(a.Rects, b.Rects, mode);
}

TRegionData IntersectRegionRect(const TRegionData& a, const RECT& r) {
    return CombineRegions(a, TRegionData::FromRect(r), RGN_AND);
}

TRegionData PolygonRegion(const POINT* points, const int* counts, int polygons, int fillMode) {
    struct TEdge {
        double x0, y0, x1, y1;
        int dir;
    };
    std::vector<TEdge> edges;
    int minY = 0, maxY = 0;
    bool any = false;
    const POINT* p = points;
    for (int k = 0; k < polygons; ++k) {
        const int n = counts[k];
        for (int i = 0; i < n; ++i) {
            const POINT a = p[i], b = p[(i + 1) % n];
            if (!any) {
                minY = maxY = a.y;
                any = true;
            }
            minY = std::min({minY, a.y, b.y});
            maxY = std::max({maxY, a.y, b.y});
            if (a.y == b.y) continue;
            edges.push_back(TEdge{static_cast<double>(a.x), static_cast<double>(a.y), static_cast<double>(b.x),
                                  static_cast<double>(b.y), b.y > a.y ? 1 : -1});
        }
        p += n;
    }
    std::vector<RECT> rows;
    std::vector<std::pair<double, int>> xs;
    for (int y = minY; y < maxY; ++y) {
        const double yc = y + 0.5;
        xs.clear();
        for (const TEdge& e : edges) {
            const double lo = std::min(e.y0, e.y1), hi = std::max(e.y0, e.y1);
            if (yc < lo || yc >= hi) continue;
            xs.emplace_back(e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir);
        }
        std::sort(xs.begin(), xs.end());
        int winding = 0;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            winding += fillMode == WINDING ? xs[i].second : 1;
            const bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            if (!inside) continue;
            const int x0 = static_cast<int>(std::ceil(xs[i].first - 0.5));
            const int x1 = static_cast<int>(std::ceil(xs[i + 1].first - 0.5));
            if (x1 > x0) rows.push_back(RECT{x0, y, x1, y + 1});
        }
    }
    // Rows may overlap where polygons of a set overlap: the sweep merges them.
    return CanonicalRegion(std::move(rows));
}

TRegionData EllipseRegion(int left, int top, int right, int bottom) {
    const RECT r = Normalized(left, top, right, bottom);
    std::vector<RECT> rows;
    for (int y = 0; y < r.Height(); ++y) {
        int x0 = 0, x1 = 0;
        if (EllipseRow(r.Width(), r.Height(), y, x0, x1))
            rows.push_back(RECT{r.left + x0, r.top + y, r.left + x1, r.top + y + 1});
    }
    return CanonicalRegion(std::move(rows));
}

TRegionData RoundRectRegion(int left, int top, int right, int bottom, int w, int h) {
    const RECT r = Normalized(left, top, right, bottom);
    w = std::clamp(std::abs(w), 0, r.Width());
    h = std::clamp(std::abs(h), 0, r.Height());
    if (w < 2 || h < 2) return TRegionData::FromRect(r);
    std::vector<RECT> rows;
    for (int y = r.top; y < r.bottom; ++y) {
        int inset = 0;
        int ey = -1;
        if (y - r.top < h / 2) ey = y - r.top;
        else if (r.bottom - 1 - y < h / 2) ey = h - (r.bottom - y);
        if (ey >= 0) {
            int x0 = 0, x1 = 0;
            inset = EllipseRow(w, h, ey, x0, x1) ? x0 : w / 2;
        }
        if (r.right - inset > r.left + inset) rows.push_back(RECT{r.left + inset, y, r.right - inset, y + 1});
    }
    return CanonicalRegion(std::move(rows));
}

// ---- region objects ---------------------------------------------------------------------------------------

namespace {
HRGN NewRegion(TRegionData data) {
    auto* r = new TRegionObject();
    r->Kind = OBJ_REGION;
    r->Data = std::move(data);
    RegisterObject(r);
    return r;
}
}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return NewRegion(TRegionData::FromRect(Normalized(left, top, right, bottom)));
}
HRGN CreateRectRgnIndirect(const RECT* r) {
    if (r == nullptr) return nullptr;
    return CreateRectRgn(r->left, r->top, r->right, r->bottom);
}
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (points == nullptr || count < 2) return nullptr;
    return NewRegion(PolygonRegion(points, &count, 1, fillMode));
}
HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return NewRegion(EllipseRegion(left, top, right, bottom));
}
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    TRegionObject* r = CheckRegion(rgn);
    if (r == nullptr) return FALSE;
    r->Data = TRegionData::FromRect(Normalized(left, top, right, bottom));
    return TRUE;
}
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    TRegionObject* d = CheckRegion(dest);
    TRegionObject* a = CheckRegion(src1);
    TRegionObject* b = mode == RGN_COPY ? nullptr : CheckRegion(src2);
    if (d == nullptr || a == nullptr || mode < RGN_AND || mode > RGN_COPY || (mode != RGN_COPY && b == nullptr)) {
        return ERROR;
    }
    d->Data = mode == RGN_COPY ? a->Data : CombineRegions(a->Data, b->Data, mode);
    return d->Data.Kind();
}
BOOL EqualRgn(HRGN a, HRGN b) {
    TRegionObject* p = CheckRegion(a);
    TRegionObject* q = CheckRegion(b);
    if (p == nullptr || q == nullptr) return FALSE;
    return p->Data == q->Data ? TRUE : FALSE;
}
int OffsetRgn(HRGN rgn, int dx, int dy) {
    TRegionObject* r = CheckRegion(rgn);
    if (r == nullptr) return ERROR;
    r->Data.Offset(dx, dy);
    return r->Data.Kind();
}
BOOL PtInRegion(HRGN rgn, int x, int y) {
    TRegionObject* r = CheckRegion(rgn);
    return r != nullptr && r->Data.Contains(x, y) ? TRUE : FALSE;
}
int GetRgnBox(HRGN rgn, RECT* box) {
    TRegionObject* r = CheckRegion(rgn);
    if (r == nullptr || box == nullptr) return ERROR;
    *box = r->Data.Box();
    return r->Data.Kind();
}
std::vector<RECT> GetRegionRects(HRGN rgn) {
    TRegionObject* r = CheckRegion(rgn);
    return r != nullptr ? r->Data.Rects : std::vector<RECT>{};
}

namespace {
// Logical-coordinate region to image coordinates, filled with a brush.
bool FillRegionData(TDeviceContext* dc, TRegionData data, TBrushObject* brush) {
    data.Offset(DX(dc), DY(dc));
    const TPatternSource pat = ResolveBrush(dc, brush);
    if (pat.Null) return true;
    for (const RECT& r : data.Rects) FillDeviceRect(dc, r, pat);
    return true;
}
TRegionData Eroded(const TRegionData& d, int w, int h) {
    TRegionData out = d;
    for (auto [dx, dy] : {std::pair{w, 0}, std::pair{-w, 0}, std::pair{0, h}, std::pair{0, -h}}) {
        TRegionData moved = d;
        moved.Offset(dx, dy);
        out = CombineRegions(out, moved, RGN_AND);
    }
    return out;
}
}  // namespace

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int w, int h) {
    TDeviceContext* dc = CheckDC(hdc);
    TRegionObject* r = CheckRegion(rgn);
    TBrushObject* b = CheckBrush(brush);
    if (dc == nullptr || r == nullptr || b == nullptr || w < 0 || h < 0) return FALSE;
    return FillRegionData(dc, CombineRegions(r->Data, Eroded(r->Data, w, h), RGN_DIFF), b) ? TRUE : FALSE;
}

// ---- clipping --------------------------------------------------------------------------------------------

namespace {
// What can be drawn when the DC has no clip region, in device coordinates.
TRegionData DefaultClip(TDeviceContext* dc) {
    QImage* img = SurfaceOf(dc);
    TRegionData d = dc->HasDeviceClip
                        ? dc->DeviceClip
                        : TRegionData::FromRect(img != nullptr ? RECT{0, 0, img->width(), img->height()} : RECT{});
    d.Offset(-dc->DeviceOrigin.x, -dc->DeviceOrigin.y);
    return d;
}
int SetClip(TDeviceContext* dc, TRegionData data) {
    dc->S.HasClip = true;
    dc->S.Clip = std::move(data);
    InvalidateClip(dc);
    return dc->S.Clip.Kind();
}
// A logical rectangle in device coordinates (the window origin moves it, the device origin does not).
RECT LogicalToDeviceRect(TDeviceContext* dc, int l, int t, int r, int b) {
    const int dx = dc->S.ViewportOrg.x - dc->S.WindowOrg.x, dy = dc->S.ViewportOrg.y - dc->S.WindowOrg.y;
    RECT rc = Normalized(l, t, r, b);
    return RECT{rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
}
}  // namespace

int SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    TRegionObject* r = CheckRegion(rgn);
    if (rgn == nullptr) {
        if (mode != RGN_COPY) return ERROR;
        dc->S.HasClip = false;
        dc->S.Clip = TRegionData{};
        InvalidateClip(dc);
        return SIMPLEREGION;
    }
    if (r == nullptr) return ERROR;
    if (mode == RGN_COPY) return SetClip(dc, r->Data);
    const TRegionData current = dc->S.HasClip ? dc->S.Clip : DefaultClip(dc);
    return SetClip(dc, CombineRegions(current, r->Data, mode));
}

int GetClipRgn(HDC hdc, HRGN rgn) {
    TDeviceContext* dc = CheckDC(hdc);
    TRegionObject* r = CheckRegion(rgn);
    if (dc == nullptr || r == nullptr) return -1;
    if (!dc->S.HasClip) return 0;
    r->Data = dc->S.Clip;
    return 1;
}

int GetClipBox(HDC hdc, RECT* box) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || box == nullptr) return ERROR;
    const TRegionData& clip = EffectiveClip(dc);
    RECT b = clip.Box();
    if (!clip.Empty()) {
        b.left -= DX(dc);
        b.right -= DX(dc);
        b.top -= DY(dc);
        b.bottom -= DY(dc);
    }
    *box = b;
    return clip.Kind();
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return ERROR;
    const TRegionData current = dc->S.HasClip ? dc->S.Clip : DefaultClip(dc);
    return SetClip(dc, CombineRegions(current, TRegionData::FromRect(LogicalToDeviceRect(dc, left, top, right, bottom)),
                                      RGN_DIFF));
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return ERROR;
    const TRegionData rect = TRegionData::FromRect(LogicalToDeviceRect(dc, left, top, right, bottom));
    return SetClip(dc, dc->S.HasClip ? CombineRegions(dc->S.Clip, rect, RGN_AND) : rect);
}

BOOL RectVisible(HDC hdc, const RECT* r) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || r == nullptr) return FALSE;
    RECT d = Normalized(r->left, r->top, r->right, r->bottom);
    d.left += DX(dc);
    d.right += DX(dc);
    d.top += DY(dc);
    d.bottom += DY(dc);
    return IntersectRegionRect(EffectiveClip(dc), d).Empty() ? FALSE : TRUE;
}

}  // namespace zel
