#pragma once
// What a picture drawn on a canvas shows to the eye: where its dark pixels (text and lines) stand, and how
// the lines outside a set of boxes join those boxes.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/vcl/VclGraphics.h"
#include "platform/win/Graphics.h"

namespace zel::test {

inline bool IsInk(TCanvas* Canvas, int X, int Y) {
    const COLORREF c = ColorToRGB(Canvas->GetPixel(X, Y));
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
}

// The smallest rectangle holding every dark pixel of Area; empty (all zero) when there is none.
inline TRect InkIn(TCanvas* Canvas, const TRect& Area) {
    TRect ink{0, 0, 0, 0};
    bool any = false;
    for (int y = Area.top; y < Area.bottom; ++y)
        for (int x = Area.left; x < Area.right; ++x) {
            if (!IsInk(Canvas, x, y)) continue;
            if (!any) ink = TRect{x, y, x + 1, y + 1};
            ink = TRect{std::min<int>(ink.left, x), std::min<int>(ink.top, y), std::max<int>(ink.right, x + 1),
                        std::max<int>(ink.bottom, y + 1)};
            any = true;
        }
    return ink;
}

// The dark pixels of a Width x Height picture outside every box, split into 4-connected lines; for each line
// the names of the boxes it touches (a pixel of the line next to a pixel of the box), sorted. A line that
// touches fewer than two boxes leads nowhere and shows as a set of one or none.
inline std::vector<std::set<std::string>> BoxJoins(TCanvas* Canvas, int Width, int Height,
                                                   const std::vector<std::pair<TRect, std::string>>& Boxes) {
    const auto boxAt = [&](int x, int y) -> const std::string* {
        for (const auto& [r, name] : Boxes)
            if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return &name;
        return nullptr;
    };
    std::vector<char> seen(static_cast<std::size_t>(Width * Height), 0);
    std::vector<std::set<std::string>> joins;
    for (int y0 = 0; y0 < Height; ++y0)
        for (int x0 = 0; x0 < Width; ++x0) {
            if (seen[static_cast<std::size_t>(y0 * Width + x0)] || boxAt(x0, y0) != nullptr || !IsInk(Canvas, x0, y0))
                continue;
            std::set<std::string> touched;
            std::vector<TPoint> todo{{x0, y0}};
            seen[static_cast<std::size_t>(y0 * Width + x0)] = 1;
            while (!todo.empty()) {
                const TPoint p = todo.back();
                todo.pop_back();
                for (const TPoint d : {TPoint{1, 0}, TPoint{-1, 0}, TPoint{0, 1}, TPoint{0, -1}}) {
                    const int x = p.x + d.x, y = p.y + d.y;
                    if (x < 0 || y < 0 || x >= Width || y >= Height) continue;
                    if (const std::string* box = boxAt(x, y)) {
                        touched.insert(*box);
                        continue;
                    }
                    char& s = seen[static_cast<std::size_t>(y * Width + x)];
                    if (s || !IsInk(Canvas, x, y)) continue;
                    s = 1;
                    todo.push_back({x, y});
                }
            }
            joins.push_back(touched);
        }
    std::sort(joins.begin(), joins.end());
    return joins;
}

}  // namespace zel::test
