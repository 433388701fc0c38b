#pragma once
// The non-client band of the bar library's resizable drop-down windows: a size grip in the corner away
// from the owner and a close button at the band's other end, with a one-pixel frame round the window.
#include "platform/win/WinTypes.h"

namespace zel {

// Corners of the client area: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right. The band lies at
// the top for 0 and 1, at the bottom for 2 and 3.
constexpr int ubCornerTopLeft = 0, ubCornerTopRight = 1, ubCornerBottomLeft = 2, ubCornerBottomRight = 3;

int GetDropDownFooterHeight();
// The corner that lies away from the owner.
int GetSizeGripCorner(const RECT& OwnerRect, const RECT& DropDownRect);
// The client rectangle inside the frame, less the band when it is shown.
void AdjustDropDownClientRect(RECT& R, bool HasBand, int Corner);
// The grip in the corner of the rectangle, its lines facing the corner; nothing where no room is left.
void PaintCornerSizeGrip(HDC DC, const RECT& R, int Corner);
void PaintDropDownCloseButton(HDC DC, const RECT& BandRect, bool Hot, int Corner, bool Flat, bool Pressed);
// Frame and band through the window DC; the grip's and the close button's rectangles (window coordinates)
// come back, empty without a band.
void PaintDropDownNonClient(HWND Window, bool HasBand, bool Flat, int Corner, RECT& GripRect, RECT& CloseRect,
                            bool CloseHot, bool ClosePressed);

}  // namespace zel
