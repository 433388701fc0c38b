#pragma once
// A persistent rectangle that reports its changes, and the rectangle and point routines that the painters
// and controls of the library compute their layouts with. Rectangles exclude their right and bottom edges.
#include <string>

#include "platform/rtl/Classes.h"
#include "platform/win/WinTypes.h"
#include "uilib/base/uiClasses.h"

namespace zel {

class TuiRect : public TPersistent {
public:
    explicit TuiRect(TPersistent* AOwner) : owner_(AOwner) {}
    std::string ClassName() const override { return "TuiRect"; }
    TPersistent* GetOwner() const override { return owner_; }

    // Takes another TuiRect's rectangle (through SetRect); any other source is ignored.
    void Assign(TPersistent* Source) override;

    const TRect& GetRect() const { return rect_; }
    // Stores the rectangle and fires OnChange once, unless it equals the current one.
    void SetRect(const TRect& Value);
    bool IsEqual(const TRect& ARect) const;

    // The sides through one indexed pair: 0 Left, 1 Top, 2 Right, 3 Bottom.
    int GetValue(int Index) const;
    void SetValue(int Index, int Value);
    int GetLeft() const { return rect_.left; }
    int GetTop() const { return rect_.top; }
    void SetLeft(int Value) { SetValue(0, Value); }
    void SetTop(int Value) { SetValue(1, Value); }
    void SetBottom(int Value) { SetValue(3, Value); }

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    TPersistent* owner_ = nullptr;
    TRect rect_;
};

int RectWidth(const TRect& R);
int RectHeight(const TRect& R);
// True unless Left < Right and Top < Bottom.
bool RectIsEmpty(const TRect& R);
bool RectIsEqual(const TRect& R1, const TRect& R2);
TRect InflatedRect(const TRect& R, int DX, int DY);
TRect InflatedRectSides(const TRect& R, int DX1, int DY1, int DX2, int DY2);
TRect OffsetedRect(const TRect& R, int DX, int DY);
// R with Left replaced and Right = Left + Width.
TRect RectWithLeftWidth(const TRect& R, int Left, int Width);
// A Width x Height rectangle centred in R (integer division truncating toward zero).
TRect CenteredRect(const TRect& R, int Width, int Height);

// The unit's form classes: TuiRect, stored with its four sides.
void RegisteruiGeometryClasses();

}  // namespace zel
