#pragma once
// A bitmap to paint on in the drawing tests, filled with one colour, and its pixels.
#include <memory>

#include "platform/vcl/VclGraphics.h"
#include "platform/win/Gdi.h"

namespace zel::test {

constexpr COLORREF kSurfaceBackground = RGB(0, 128, 0);

inline std::unique_ptr<TBitmap> Surface(int W, int H) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W, H);
    b->Canvas()->Brush()->SetColor(static_cast<TColor>(kSurfaceBackground));
    b->Canvas()->FillRect(Bounds(0, 0, W, H));
    return b;
}

inline COLORREF Pixel(TBitmap& B, int X, int Y) { return GetPixel(B.Canvas()->GetHandle(), X, Y); }

}  // namespace zel::test
