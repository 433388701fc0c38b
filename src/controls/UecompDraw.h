#pragma once
// Drawing helpers shared by the parameter controls (private to src/controls).
#include "platform/vcl/VclGraphics.h"
#include "platform/win/Gdi.h"

namespace zel::uecomp {

// A one-pixel line from (X1, Y1) up to, not including, (X2, Y2).
inline void Line(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Color) {
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
}

// A sunken two-line frame just inside R: grey then black on the top and left, white then black on the
// bottom and right.
inline void SunkenFrame(TCanvas* C, const TRect& R) {
    const int l = R.left, t = R.top, r = R.right - 1, b = R.bottom - 1;
    Line(C, l, b, l, t, clGray);
    Line(C, l, t, r + 1, t, clGray);
    Line(C, l, b, r + 1, b, clWhite);
    Line(C, r, t, r, b, clWhite);
    Line(C, l + 1, b - 1, l + 1, t + 1, clBlack);
    Line(C, l + 1, t + 1, r, t + 1, clBlack);
    Line(C, l + 1, b - 1, r, b - 1, clBlack);
    Line(C, r - 1, t + 1, r - 1, b - 1, clBlack);
}

inline void Fill(TCanvas* C, const TRect& R, TColor Color) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

// Limits drawing on the canvas to R until the guard ends.
class TClipGuard {
public:
    TClipGuard(TCanvas* C, const TRect& R) : dc_(C->GetHandle()), saved_(SaveDC(dc_)) {
        IntersectClipRect(dc_, R.left, R.top, R.right, R.bottom);
    }
    ~TClipGuard() { RestoreDC(dc_, saved_); }
    TClipGuard(const TClipGuard&) = delete;
    TClipGuard& operator=(const TClipGuard&) = delete;

private:
    HDC dc_ = nullptr;
    int saved_ = 0;
};

inline int Clamp(int V, int Lo, int Hi) {
    if (V > Hi) V = Hi;
    if (V < Lo) V = Lo;
    return V;
}

}  // namespace zel::uecomp
