#include "uilib/base/uiGeometry.h"

#include "platform/vcl/FormReader.h"

namespace zel {

void TuiRect::Assign(TPersistent* Source) {
    if (auto* r = dynamic_cast<TuiRect*>(Source)) SetRect(r->GetRect());
}

void TuiRect::AssignTo(TPersistent* /*Dest*/) {
    // Nothing to do: a rectangle silently ignores what it cannot take.
}

void TuiRect::SetRect(const TRect& Value) {
    if (IsEqual(Value)) return;
    rect_ = Value;
    if (OnChange) OnChange(this);
}

bool TuiRect::IsEqual(const TRect& ARect) const { return RectIsEqual(rect_, ARect); }

int TuiRect::GetValue(int Index) const {
    switch (Index) {
        case 0: return rect_.left;
        case 1: return rect_.top;
        case 2: return rect_.right;
        case 3: return rect_.bottom;
        default: return 0;
    }
}

void TuiRect::SetValue(int Index, int Value) {
    TRect r = rect_;
    switch (Index) {
        case 0: r.left = Value; break;
        case 1: r.top = Value; break;
        case 2: r.right = Value; break;
        case 3: r.bottom = Value; break;
        default: return;
    }
    SetRect(r);
}

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }
bool RectIsEmpty(const TRect& R) { return !(R.left < R.right && R.top < R.bottom); }

bool RectIsEqual(const TRect& R1, const TRect& R2) {
    return R1.left == R2.left && R1.top == R2.top && R1.right == R2.right && R1.bottom == R2.bottom;
}

TRect InflatedRect(const TRect& R, int DX, int DY) { return InflatedRectSides(R, DX, DY, DX, DY); }

TRect InflatedRectSides(const TRect& R, int DX1, int DY1, int DX2, int DY2) {
    return TRect{R.left - DX1, R.top - DY1, R.right + DX2, R.bottom + DY2};
}

TRect OffsetedRect(const TRect& R, int DX, int DY) {
    return TRect{R.left + DX, R.top + DY, R.right + DX, R.bottom + DY};
}

TRect RectWithLeftWidth(const TRect& R, int Left, int Width) { return TRect{Left, R.top, Left + Width, R.bottom}; }

TRect CenteredRect(const TRect& R, int Width, int Height) {
    // C++ division truncates toward zero, as the layout rule asks.
    int left = (R.left + R.right - Width) / 2;
    int top = (R.top + R.bottom - Height) / 2;
    return TRect{left, top, left + Width, top + Height};
}

void RegisteruiGeometryClasses() {
    auto table = RegisterPersistent<TuiRect>("TuiRect", "");
    static const char* const kSides[] = {"Left", "Top", "Right", "Bottom"};
    for (int side = 0; side < 4; ++side)
        table
            .Int(
                kSides[side], [side](TuiRect& r, int v) { r.SetValue(side, v); },
                [side](TuiRect& r) { return r.GetValue(side); })
            .Default(0);
}

}  // namespace zel
