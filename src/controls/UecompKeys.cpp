// The 64-key selector: a piano keyboard on which one key is selected with the mouse.
#include <cmath>
#include <vector>

#include "controls/Uecomp.h"
#include "controls/UecompDraw.h"

namespace zel {

namespace {

constexpr int kLastKey = TKeySelector::KeyCount - 1;  // 62, a D

int Semitone(int n) { return ((n % 12) + 12) % 12; }

}  // namespace

TKeySelector::TKeySelector(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 500;
    height_ = 50;
    Mark(-1, true);
}

bool TKeySelector::IsBlack(int n) {
    if (n < 0) return false;
    switch (Semitone(n)) {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10: return true;
        default: return false;
    }
}

// The state array holds indexes −1..64; a selection outside it is stored but marks nothing.
bool TKeySelector::Marked(int n) const { return n >= -1 && n <= 64 && state_[static_cast<std::size_t>(n + 1)] != 0; }

void TKeySelector::Mark(int n, bool On) {
    if (n >= -1 && n <= 64) state_[static_cast<std::size_t>(n + 1)] = On ? 1 : 0;
}

int TKeySelector::KeyLeft(int n) const {
    const int w = keyWidth_;
    if (n < 0) return 0;
    static constexpr int kWhiteSteps[12] = {0, 0, 1, 2, 2, 3, 3, 4, 4, 5, 6, 6};
    int offset = 0;
    switch (Semitone(n)) {
        case 1: offset = w / 2 + 1; break;
        case 3: offset = 2 * w - w / 4; break;
        case 6: offset = 3 * w + w / 2 + 1; break;
        case 8: offset = 4 * w + w / 2 + 2; break;
        case 10: offset = 6 * w - w / 4; break;
        default: offset = kWhiteSteps[Semitone(n)] * w; break;
    }
    return (n / 12) * 7 * w + w + offset;
}

int TKeySelector::KeyAt(int X, int Y) const {
    const int w = keyWidth_, h = height_;
    const int blackHeight = static_cast<int>(std::trunc(h / 5.0 * 3));
    if (X <= w) return -1;
    const int lastLeft = KeyLeft(kLastKey);
    if (X > lastLeft) {
        if (Y <= blackHeight && X - lastLeft <= w / 4) return kLastKey - 1;
        return kLastKey;
    }
    const int octave = (X - w) / (7 * w), g = (X - w) % (7 * w);
    const int m = g / w, o = g % w;
    static constexpr int kWhite[7] = {0, 2, 4, 5, 7, 9, 11};
    int semitone = kWhite[m];
    if (Y <= blackHeight) {
        const bool leftZone = o <= w / 4, rightZone = o >= w - w / 4;
        switch (m) {
            case 0:
                if (o > w / 2) semitone = 1;
                break;
            case 1:
                if (leftZone) semitone = 1;
                else if (rightZone) semitone = 3;
                break;
            case 2:
                if (o < w / 2) semitone = 3;
                break;
            case 3:
                if (o > w / 2) semitone = 6;
                break;
            case 4:
                if (leftZone) semitone = 6;
                else if (rightZone) semitone = 8;
                break;
            case 5:
                if (leftZone) semitone = 8;
                else if (rightZone) semitone = 10;
                break;
            case 6:
                if (o < w / 2) semitone = 10;
                break;
            default: break;
        }
    }
    const int key = semitone + 12 * octave;
    return key >= KeyCount ? keySelected_ : key;
}

void TKeySelector::SetKeySelected(int Value) {
    if (Value == keySelected_) return;
    const int old = keySelected_;
    state_.fill(0);
    Mark(Value, true);
    keySelected_ = Value;
    if (!HandleAllocated()) return;
    DrawKey(old);
    DrawKey(Value);
}

void TKeySelector::SetKeyWidth(int Value) {
    if (Value == keyWidth_) return;
    keyWidth_ = Value;
    Invalidate();
}

void TKeySelector::DrawKey(int n) {
    if (n < -1 || n > kLastKey) return;
    TCanvas* c = Canvas();
    const int w = keyWidth_, h = height_;
    const int blackHeight = static_cast<int>(std::trunc(h / 5.0 * 3));
    const int blackWidth = static_cast<int>(std::trunc(w / 4.0 * 3));
    const int l = KeyLeft(n);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    if (IsBlack(n)) {
        c->Brush()->SetColor(Marked(n) ? clRed : clBlack);
        c->Rectangle(l, 0, l + blackWidth, blackHeight);
        return;
    }
    c->Brush()->SetColor(Marked(n) ? clRed : clWhite);
    // A white key is notched where a black key overlaps it; the last key has no black key after it.
    const bool notchRight = n >= 0 && n < kLastKey && IsBlack(n + 1);
    const bool notchLeft = n > 0 && IsBlack(n - 1);
    const int r = l + w;
    std::vector<TPoint> pts;
    if (notchLeft) {
        const int nl = KeyLeft(n - 1) + blackWidth;
        pts.push_back(Point(nl, 0));
    } else {
        pts.push_back(Point(l, 0));
    }
    if (notchRight) {
        const int nr = KeyLeft(n + 1);
        pts.push_back(Point(nr, 0));
        pts.push_back(Point(nr, blackHeight));
        pts.push_back(Point(r, blackHeight));
    } else {
        pts.push_back(Point(r, 0));
    }
    pts.push_back(Point(r, h - 1));
    pts.push_back(Point(l, h - 1));
    if (notchLeft) {
        const int nl = KeyLeft(n - 1) + blackWidth;
        pts.push_back(Point(l, blackHeight));
        pts.push_back(Point(nl, blackHeight));
    }
    c->Polygon(pts);
}

void TKeySelector::Paint() {
    uecomp::Fill(Canvas(), GetClientRect(), GetColor());
    for (int n = -1; n <= kLastKey; ++n) DrawKey(n);
}

void TKeySelector::Select(int n) {
    const int old = keySelected_;
    Mark(old, false);
    if (HandleAllocated()) DrawKey(old);
    keySelected_ = n;
    Mark(n, true);
    if (HandleAllocated()) DrawKey(n);
}

void TKeySelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    dragging_ = true;
    Select(KeyAt(X, Y));
    if (OnChange) OnChange(this);
}

void TKeySelector::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!dragging_) return;
    const int k = KeyAt(X, Y);
    if (k == keySelected_) return;
    Select(k);
    if (OnChange) OnChange(this);
}

void TKeySelector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !dragging_) return;
    dragging_ = false;
    if (OnEndchange) OnEndchange(this);
}

}  // namespace zel
