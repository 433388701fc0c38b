#pragma once
// What the three painter sources (ubBarPainters.cpp, ubBarPaintersFlat.cpp, ubBarPaintersOffice11.cpp)
// share and nothing else uses: small filling helpers in their own namespace.
#include "platform/win/Gdi.h"
#include "platform/win/Graphics.h"

namespace zel::bar_painters {

inline COLORREF Rgb(TColor C) { return static_cast<COLORREF>(ColorToRGB(C)); }

inline void FillSolid(HDC DC, const RECT& R, HBRUSH Brush) {
    if (R.right > R.left && R.bottom > R.top) FillRect(DC, &R, Brush);
}

// Sets the pixels of the 9 x 7 check mark, each pixel a Scale x Scale square.
inline void PaintCheckMark(HDC DC, int Scale, int Top, int Left, TColor Color) {
    HBRUSH brush = CreateSolidBrush(Rgb(Color));
    for (int x = 1; x <= 7; ++x) {
        const int y = x <= 3 ? x + 2 : 5 - (x - 3);  // down to the middle, then up to the right
        RECT r{Left + x * Scale, Top + y * Scale, Left + (x + 1) * Scale, Top + (y + 2) * Scale};
        FillRect(DC, &r, brush);
    }
    DeleteObject(brush);
}

}  // namespace zel::bar_painters
