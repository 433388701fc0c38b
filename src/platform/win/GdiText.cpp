// Text: Windows-1252 strings measured with per-character integer advances and drawn as glyph runs at exactly
// those positions, so that measuring and drawing agree pixel for pixel.
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/win/GdiPrivateQt.h"
#include "platform/win/SmallFont.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {

std::string_view Cut(std::string_view text, long long count) {
    if (count < 0 || static_cast<size_t>(count) > text.size()) return text;
    return text.substr(0, static_cast<size_t>(count));
}

int Advance(TFontObject* f, TDeviceContext* dc, unsigned char c) { return f->Advance[c] + dc->S.CharExtra; }

int Width(TFontObject* f, TDeviceContext* dc, std::string_view s) {
    int w = 0;
    for (char c : s) w += Advance(f, dc, static_cast<unsigned char>(c));
    return w;
}

// Paints the characters of s with their cell's top-left corner at the painter's origin, character i at
// pos[i] (pos[s.size()] is the run's advance), with the font's underline and strike-out and, when underline
// is a character's index, that character underlined.
void PaintGlyphs(QPainter& p, TFontObject* f, std::string_view s, const std::vector<int>& pos, int underline,
                 const QColor& color) {
    const TEXTMETRIC& tm = f->Metrics;
    const int width = pos.back();
    QGlyphRun run;
    run.setRawFont(f->Raw);
    QList<quint32> glyphs;
    QList<QPointF> points;
    for (size_t i = 0; i < s.size(); ++i) {
        glyphs.push_back(f->Glyph[static_cast<unsigned char>(s[i])]);
        points.push_back(QPointF(pos[i], tm.tmAscent));
    }
    run.setGlyphIndexes(glyphs);
    run.setPositions(points);
    p.setPen(color);
    p.drawGlyphRun(QPointF(0, 0), run);
    // The font's underline and strike-out span the run's whole advance, trailing spaces included, as far
    // as its extent reaches (the toolkit's own lines follow the glyphs' ink and may stop short).
    const int thickness = std::max(1, qRound(f->Raw.lineThickness()));
    if (f->Log.lfUnderline != 0) {
        const int y = std::min(tm.tmAscent + std::max(1, qRound(f->Raw.underlinePosition())),
                               std::max(tm.tmAscent, tm.tmHeight - thickness));
        p.fillRect(QRect(0, y, width, thickness), color);
    }
    if (f->Log.lfStrikeOut != 0)
        p.fillRect(QRect(0, tm.tmAscent - std::max(1, tm.tmAscent / 3), width, thickness), color);
    if (underline >= 0 && static_cast<size_t>(underline) < s.size()) {
        p.fillRect(QRect(pos[static_cast<size_t>(underline)], tm.tmAscent + 1,
                         pos[static_cast<size_t>(underline) + 1] - pos[static_cast<size_t>(underline)], 1),
                   color);
    }
}

// The run as text on a printer's painter (DrawRun's arguments, in image coordinates).
void PaintRunAsText(TDeviceContext* dc, TFontObject* f, int ox, int oy, std::string_view s, const std::vector<int>& pos,
                    const RECT* clipDev, bool opaque, int underline) {
    QPainter& p = *dc->Vector;
    p.save();
    QRegion area = EffectiveClipRegion(dc);
    if (clipDev != nullptr)
        area &= QRect(clipDev->left, clipDev->top, clipDev->right - clipDev->left, clipDev->bottom - clipDev->top);
    p.setClipRegion(area);
    const double angle = f->Log.lfEscapement / 10.0;
    if (opaque && angle == 0) p.fillRect(QRect(ox, oy, pos.back(), f->Metrics.tmHeight), ToQColor(dc->S.BkColor));
    p.translate(ox, oy);
    if (angle != 0) p.rotate(-angle);
    if (!s.empty()) PaintGlyphs(p, f, s, pos, underline, ToQColor(dc->S.TextColor));
    p.restore();
}

// Draws glyphs with their top-left cell corner at logical (x, top); optional clip rectangle (logical), optional
// opaque background, optional underlined character.
void DrawRun(TDeviceContext* dc, int x, int top, std::string_view s, const int* dx, const RECT* clip, bool opaque,
             int underline) {
    TFontObject* f = CurrentFont(dc);
    const TEXTMETRIC& tm = f->Metrics;
    std::vector<int> pos(s.size() + 1, 0);
    for (size_t i = 0; i < s.size(); ++i) {
        pos[i + 1] = pos[i] + (dx != nullptr ? dx[i] : Advance(f, dc, static_cast<unsigned char>(s[i])));
    }
    const int width = pos.back();
    const int ox = x + DX(dc), oy = top + DY(dc);
    RECT clipDev{};
    if (clip != nullptr)
        clipDev = RECT{clip->left + DX(dc), clip->top + DY(dc), clip->right + DX(dc), clip->bottom + DY(dc)};
    if (dc->Vector != nullptr && !f->Raster) {
        PaintRunAsText(dc, f, ox, oy, s, pos, clip != nullptr ? &clipDev : nullptr, opaque, underline);
        return;
    }
    QImage* img = SurfaceOf(dc);
    if (img == nullptr) return;
    const double angle = f->Log.lfEscapement / 10.0;
    RECT cell{ox, oy, ox + width, oy + tm.tmHeight};
    auto clipped = [&](RECT r) {
        if (clip == nullptr) return r;
        return RECT{std::max(r.left, clipDev.left), std::max(r.top, clipDev.top), std::min(r.right, clipDev.right),
                    std::min(r.bottom, clipDev.bottom)};
    };
    if (opaque && angle == 0) {
        TPatternSource bk;
        bk.Color = SurfacePixel(dc, dc->S.BkColor);
        FillDeviceRect(dc, clipped(cell), bk);
    }
    if (s.empty()) return;
    // The glyphs go through a coverage mask covering the cell (turned for an escapement).
    const int pad = tm.tmHeight / 2 + 2;
    RECT box{cell.left - pad, cell.top - pad, cell.right + pad, cell.bottom + pad};
    if (angle != 0) {
        const int reach = width + tm.tmHeight + pad;
        box = RECT{ox - reach, oy - reach, ox + reach, oy + reach};
    }
    box = clipped(box);
    const QImage* surface = img;
    box = RECT{std::max(box.left, 0), std::max(box.top, 0), std::min<LONG>(box.right, surface->width()),
               std::min<LONG>(box.bottom, surface->height())};
    if (box.right <= box.left || box.bottom <= box.top) return;
    if (f->Raster) {
        // The raster glyphs set their pixels straight into the mask.
        TMask m;
        m.Box = box;
        const int w = box.right - box.left;
        m.A.assign(static_cast<size_t>(w * (box.bottom - box.top)), 0);
        const int glyphTop = oy + tm.tmAscent - SmallFontAscent;
        for (size_t i = 0; i < s.size(); ++i) {
            const TRasterGlyph& g = SmallFontGlyph(static_cast<unsigned char>(s[i]));
            for (int row = 0; row < SmallFontAscent + SmallFontDescent; ++row) {
                const int y = glyphTop + row;
                if (y < box.top || y >= box.bottom) continue;
                for (int col = 0; col < g.Width; ++col) {
                    const int x = ox + pos[i] + col;
                    if (x < box.left || x >= box.right || ((g.Rows[row] >> (g.Width - 1 - col)) & 1) == 0) continue;
                    m.A[static_cast<size_t>((y - box.top) * w + (x - box.left))] = 255;
                }
            }
        }
        TPatternSource color;
        color.Color = SurfacePixel(dc, dc->S.TextColor);
        PaintMask(dc, m, color, R2_COPYPEN, true);
        return;
    }
    QImage mask(box.right - box.left, box.bottom - box.top, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::TextAntialiasing, f->Antialias);
        p.setRenderHint(QPainter::Antialiasing, f->Antialias);
        p.translate(ox - box.left, oy - box.top);
        if (angle != 0) p.rotate(-angle);
        PaintGlyphs(p, f, s, pos, underline, Qt::black);
    }
    TMask m;
    m.Box = box;
    m.A.resize(static_cast<size_t>(mask.width() * mask.height()));
    for (int y = 0; y < mask.height(); ++y) {
        std::memcpy(m.A.data() + static_cast<size_t>(y * mask.width()), mask.constScanLine(y),
                    static_cast<size_t>(mask.width()));
    }
    if (!f->Antialias) {
        for (auto& a : m.A) a = a >= 128 ? 255 : 0;
    }
    TPatternSource color;
    color.Color = SurfacePixel(dc, dc->S.TextColor);
    PaintMask(dc, m, color, R2_COPYPEN, true);
}

}  // namespace

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* r, std::string_view text, UINT count, const int* dx) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    const std::string_view s = Cut(text, count);
    TFontObject* f = CurrentFont(dc);
    const UINT align = dc->S.TextAlign;
    if (align & TA_UPDATECP) {
        x = dc->S.CurPos.x;
        y = dc->S.CurPos.y;
    }
    int width = 0;
    if (dx != nullptr) {
        for (size_t i = 0; i < s.size(); ++i) width += dx[i];
    } else {
        width = Width(f, dc, s);
    }
    const UINT h = align & TA_CENTER;
    int left = x;
    if (h == TA_RIGHT) left = x - width;
    else if (h == TA_CENTER) left = x - width / 2;
    int top = y;
    const UINT v = align & TA_BASELINE;
    if (v == TA_BASELINE) top = y - f->Metrics.tmAscent;
    else if (v == TA_BOTTOM) top = y - f->Metrics.tmHeight;
    if ((options & ETO_OPAQUE) && r != nullptr) {
        TPatternSource bk;
        bk.Color = SurfacePixel(dc, dc->S.BkColor);
        FillDeviceRect(dc, RECT{r->left + DX(dc), r->top + DY(dc), r->right + DX(dc), r->bottom + DY(dc)}, bk);
    }
    DrawRun(dc, left, top, s, dx, (options & ETO_CLIPPED) && r != nullptr ? r : nullptr,
            dc->S.BkMode == OPAQUE && !(options & ETO_OPAQUE), -1);
    if (align & TA_UPDATECP) {
        if (h == TA_LEFT) dc->S.CurPos.x = x + width;
        else if (h == TA_RIGHT) dc->S.CurPos.x = x - width;
    }
    return TRUE;
}

BOOL TextOut(HDC dc, int x, int y, std::string_view text, int count) {
    const std::string_view s = Cut(text, count);
    return ExtTextOut(dc, x, y, 0, nullptr, s, static_cast<UINT>(s.size()), nullptr);
}

BOOL GetTextExtentPoint32(HDC hdc, std::string_view text, int count, SIZE* size) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || size == nullptr) return FALSE;
    TFontObject* f = CurrentFont(dc);
    *size = SIZE{Width(f, dc, Cut(text, count)), f->Metrics.tmHeight};
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, std::string_view text, int count, int maxExtent, int* fit, int* dx, SIZE* size) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return FALSE;
    TFontObject* f = CurrentFont(dc);
    const std::string_view s = Cut(text, count);
    int w = 0, fits = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        w += Advance(f, dc, static_cast<unsigned char>(s[i]));
        if (dx != nullptr) dx[i] = w;
        if (w <= maxExtent) fits = static_cast<int>(i) + 1;
    }
    if (fit != nullptr) *fit = fits;
    if (size != nullptr) *size = SIZE{w, f->Metrics.tmHeight};
    return TRUE;
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* tm) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || tm == nullptr) return FALSE;
    *tm = CurrentFont(dc)->Metrics;
    return TRUE;
}

BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, int* widths) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || widths == nullptr || first > last || last > 255) return FALSE;
    TFontObject* f = CurrentFont(dc);
    for (UINT c = first; c <= last; ++c) widths[c - first] = f->Advance[c];
    return TRUE;
}

namespace {
int NextTab(int x, int origin, int positions, const int* stops, int defaultTab) {
    const int rel = x - origin;
    if (positions <= 0 || stops == nullptr) return origin + (rel / defaultTab + 1) * defaultTab;
    if (positions == 1) {
        const int step = std::max(1, std::abs(stops[0]));
        return origin + (rel / step + 1) * step;
    }
    for (int i = 0; i < positions; ++i) {
        if (std::abs(stops[i]) > rel) return origin + std::abs(stops[i]);
    }
    return x;
}

LONG Tabbed(HDC hdc, int x, int y, std::string_view text, int positions, const int* stops, int origin, bool draw) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr) return 0;
    TFontObject* f = CurrentFont(dc);
    const int defTab = std::max(1, 8 * f->Metrics.tmAveCharWidth);
    int cx = x;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t tab = text.find('\t', start);
        const std::string_view seg =
            text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (draw) DrawRun(dc, cx, y, seg, nullptr, nullptr, dc->S.BkMode == OPAQUE, -1);
        cx += Width(f, dc, seg);
        if (tab == std::string_view::npos) break;
        cx = NextTab(cx, origin, positions, stops, defTab);
        start = tab + 1;
    }
    return MAKELONG(static_cast<WORD>(cx - x), static_cast<WORD>(f->Metrics.tmHeight));
}
}  // namespace

LONG TabbedTextOut(HDC dc, int x, int y, std::string_view text, int count, int positions, const int* stops,
                   int origin) {
    return Tabbed(dc, x, y, Cut(text, count), positions, stops, origin, true);
}
DWORD GetTabbedTextExtent(HDC dc, std::string_view text, int count, int positions, const int* stops) {
    return static_cast<DWORD>(Tabbed(dc, 0, 0, Cut(text, count), positions, stops, 0, false));
}

// ---- DrawText --------------------------------------------------------------------------------------------

namespace {

struct TLine {
    std::string Text;
    int Underline = -1;  // index of the prefixed character
};

int LineWidth(TFontObject* f, TDeviceContext* dc, const std::string& s, int tab) {
    if (tab <= 0) return Width(f, dc, s);
    int w = 0;
    for (char c : s) w = c == '\t' ? (w / tab + 1) * tab : w + Advance(f, dc, static_cast<unsigned char>(c));
    return w;
}

// Cuts a line to fit maxWidth with "..." at the end (or, for a path, in front of the last component).
void Ellipsize(TFontObject* f, TDeviceContext* dc, TLine& line, int maxWidth, bool path, bool word) {
    if (Width(f, dc, line.Text) <= maxWidth) return;
    const std::string dots = "...";
    if (path) {
        const size_t slash = line.Text.find_last_of('\\');
        if (slash != std::string::npos && slash > 0) {
            const std::string tail = line.Text.substr(slash);
            for (size_t keep = slash; keep-- > 0;) {
                const std::string cand = line.Text.substr(0, keep) + dots + tail;
                if (Width(f, dc, cand) <= maxWidth || keep == 0) {
                    line.Text = cand;
                    if (line.Underline >= static_cast<int>(keep)) line.Underline = -1;
                    return;
                }
            }
        }
    }
    size_t keep = line.Text.size();
    while (keep > 0) {
        --keep;
        if (word) {
            while (keep > 0 && line.Text[keep] != ' ') --keep;
        }
        if (Width(f, dc, line.Text.substr(0, keep) + dots) <= maxWidth) break;
    }
    line.Text = line.Text.substr(0, keep) + dots;
    if (line.Underline >= static_cast<int>(keep)) line.Underline = -1;
}

}  // namespace

int DrawText(HDC hdc, std::string_view text, int count, RECT* r, UINT format) {
    TDeviceContext* dc = CheckDC(hdc);
    if (dc == nullptr || r == nullptr) return 0;
    TFontObject* f = CurrentFont(dc);
    const TEXTMETRIC& tm = f->Metrics;
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        tabChars = static_cast<int>((format >> 8) & 0xFF);
        format &= ~0xFF00u;
    }
    const int tab = (format & DT_EXPANDTABS) ? std::max(1, tabChars * tm.tmAveCharWidth) : 0;
    const bool single = (format & DT_SINGLELINE) != 0;
    const int maxWidth = r->right - r->left;

    // Prefix characters: "&x" underlines x, "&&" is one ampersand.
    std::vector<TLine> paragraphs(1);
    const std::string_view s = Cut(text, count);
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (!single && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            paragraphs.emplace_back();
            continue;
        }
        if (c == '&' && !(format & DT_NOPREFIX)) {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                paragraphs.back().Text += '&';
                ++i;
            } else if (i + 1 < s.size()) {
                paragraphs.back().Underline = static_cast<int>(paragraphs.back().Text.size());
            }
            continue;
        }
        paragraphs.back().Text += c;
    }
    if (format & DT_HIDEPREFIX) {
        for (auto& p : paragraphs) p.Underline = -1;
    }

    // Word wrapping at blanks; a word wider than the line is broken only for edit controls.
    std::vector<TLine> lines;
    for (TLine& p : paragraphs) {
        if (single || !(format & DT_WORDBREAK)) {
            lines.push_back(p);
            continue;
        }
        size_t start = 0;
        const std::string& t = p.Text;
        if (t.empty()) lines.push_back(TLine{});
        while (start < t.size()) {
            size_t end = start, lastBreak = std::string::npos;
            while (end < t.size() && LineWidth(f, dc, t.substr(start, end - start + 1), tab) <= maxWidth) {
                if (t[end] == ' ') lastBreak = end;
                ++end;
            }
            if (end < t.size()) {
                if (t[end] == ' ') lastBreak = end;
                if (lastBreak != std::string::npos && lastBreak >= start) {
                    end = lastBreak;
                } else if (format & DT_EDITCONTROL) {
                    end = std::max(end, start + 1);
                } else {
                    end = t.find(' ', start);
                    if (end == std::string::npos) end = t.size();
                }
            }
            TLine line;
            line.Text = t.substr(start, end - start);
            if (p.Underline >= static_cast<int>(start) && p.Underline < static_cast<int>(end)) {
                line.Underline = p.Underline - static_cast<int>(start);
            }
            lines.push_back(line);
            start = end;
            while (start < t.size() && t[start] == ' ') ++start;  // blanks at a break are swallowed
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        for (TLine& l : lines) {
            Ellipsize(f, dc, l, maxWidth, (format & DT_PATH_ELLIPSIS) != 0, (format & DT_WORD_ELLIPSIS) != 0);
        }
    }

    const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    const int height = static_cast<int>(lines.size()) * lineHeight;
    int widest = 0;
    for (const TLine& l : lines) widest = std::max(widest, LineWidth(f, dc, l.Text, tab));

    int top = r->top;
    if (single) {
        if (format & DT_VCENTER) top = r->top + (r->bottom - r->top - lineHeight) / 2;
        else if (format & DT_BOTTOM) top = r->bottom - lineHeight;
    }
    if (format & DT_CALCRECT) {
        r->right = r->left + widest;
        r->bottom = r->top + height;
        return height;
    }
    const RECT clip = *r;
    const bool noClip = (format & DT_NOCLIP) != 0;
    int y = top;
    for (const TLine& l : lines) {
        const int w = LineWidth(f, dc, l.Text, tab);
        int x = r->left;
        if (format & DT_CENTER) x = r->left + (maxWidth - w) / 2;
        else if (format & DT_RIGHT) x = r->right - w;
        const bool prefixOnly = (format & DT_PREFIXONLY) != 0;
        if (tab > 0 && l.Text.find('\t') != std::string::npos) {
            // Tabs expand relative to the line's start.
            int cx = 0;
            size_t start = 0;
            while (start <= l.Text.size()) {
                const size_t t = l.Text.find('\t', start);
                const std::string seg = l.Text.substr(start, t == std::string::npos ? std::string::npos : t - start);
                const int u =
                    l.Underline >= static_cast<int>(start) && l.Underline < static_cast<int>(start + seg.size())
                        ? l.Underline - static_cast<int>(start)
                        : -1;
                if (!prefixOnly)
                    DrawRun(dc, x + cx, y, seg, nullptr, noClip ? nullptr : &clip, dc->S.BkMode == OPAQUE, u);
                cx += Width(f, dc, seg);
                if (t == std::string::npos) break;
                cx = (cx / tab + 1) * tab;
                start = t + 1;
            }
        } else if (!prefixOnly) {
            DrawRun(dc, x, y, l.Text, nullptr, noClip ? nullptr : &clip, dc->S.BkMode == OPAQUE, l.Underline);
        } else if (l.Underline >= 0) {
            const int ux = x + Width(f, dc, std::string_view(l.Text).substr(0, static_cast<size_t>(l.Underline)));
            const int uw = Advance(f, dc, static_cast<unsigned char>(l.Text[static_cast<size_t>(l.Underline)]));
            TPatternSource c;
            c.Color = SurfacePixel(dc, dc->S.TextColor);
            FillDeviceRect(
                dc, RECT{ux + DX(dc), y + tm.tmAscent + 1 + DY(dc), ux + uw + DX(dc), y + tm.tmAscent + 2 + DY(dc)}, c);
        }
        y += lineHeight;
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) return top - r->top + height;
    return height;
}

}  // namespace zel
