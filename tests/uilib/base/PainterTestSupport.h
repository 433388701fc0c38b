#pragma once
// A small drawing surface for painter tests: a bitmap filled with a marker colour, a library canvas over it,
// and pixel reads in plain RGB.
#include <cstdint>
#include <vector>

#include "platform/vcl/VclGraphics.h"
#include "platform/win/Graphics.h"
#include "uilib/base/uiGraphics.h"

namespace zel::test {

constexpr TColor kMarker = static_cast<TColor>(0x123456);

class TPaintSurface {
public:
    TPaintSurface(int w, int h, TColor ground = kMarker) : canvas(bitmap.Canvas()) {
        bitmap.SetSize(w, h);
        Clear(ground);
    }
    void Clear(TColor ground = kMarker) {
        bitmap.Canvas()->Brush()->SetStyle(bsSolid);
        bitmap.Canvas()->Brush()->SetColor(ground);
        bitmap.Canvas()->FillRect(TRect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()});
    }
    COLORREF At(int x, int y) { return ColorToCOLORREF(bitmap.Canvas()->GetPixel(x, y)); }
    std::vector<COLORREF> Pixels() {
        std::vector<COLORREF> p;
        for (int y = 0; y < bitmap.GetHeight(); ++y)
            for (int x = 0; x < bitmap.GetWidth(); ++x) p.push_back(At(x, y));
        return p;
    }
    TBitmap bitmap;
    TuiCanvas canvas;
};

inline COLORREF Rgb(TColor c) { return ColorToCOLORREF(c); }

}  // namespace zel::test
