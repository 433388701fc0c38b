#pragma once
// Private bridge between the drawing layer and Qt images, for the platform layer's own use
// (the window manager paints windows through device contexts made here). Layers above never include this.
#include <QFont>
#include <QImage>
#include <QRegion>

class QPainter;

#include "platform/win/WinTypes.h"

namespace zel {

// A device context that draws into an existing 32-bit image (Format_ARGB32_Premultiplied or Format_RGB32)
// owned by the caller. The image must outlive the DC. The DC starts with device origin (0,0), no device clip
// (the whole image), the stock objects selected and the Windows default state.
HDC CreateImageDC(QImage* image);
// Points an image DC at another image (the window's image was made anew at another size).
void SetDCImage(HDC dc, QImage* image);
// The image a DC draws into (a memory DC: its selected bitmap's image); nullptr for an unknown handle.
QImage* DCImage(HDC dc);
// Makes an image DC draw its text and its lines of a solid or styled pen (copied, not mixed with what is
// there) onto the painter, in the image's coordinates, instead of into the image: a printer's page, where
// they stay text and lines. Everything else still lands in the image, and TakeDCTouchedArea says where.
// nullptr goes back to the image alone.
void SetDCVectorPainter(HDC dc, QPainter* painter);
// Frees a DC made by CreateImageDC; the image is left alone. Objects selected into it are not deleted.
void DeleteImageDC(HDC dc);
// Where the DC may have drawn since the last call, in its image's coordinates: its clip (device clip and
// clip region) when a drawing (or reading) call reached its image, else nothing. Starts over from nothing.
QRegion TakeDCTouchedArea(HDC dc);

// Where logical (0,0) lands on the image before window and viewport origins apply: a child window drawing into
// its parent's image, or a window DC whose client area sits inside the non-client frame.
void SetDCDeviceOrigin(HDC dc, POINT origin);
POINT GetDCDeviceOrigin(HDC dc);
// The device clip in image coordinates: drawing never leaves it, whatever the DC's own clip region says
// (SelectClipRgn regions are relative to the device origin and are intersected with this).
void SetDCDeviceClip(HDC dc, const RECT& clip);
// The same with a region in image coordinates (an update region); 0 removes the device clip.
void SetDCDeviceClipRgn(HDC dc, HRGN rgn);

// A DC over a private 1x1 image, for measuring text where no window is at hand (the screen DC).
HDC CreateScreenDC();

// Bitmaps: the image behind an HBITMAP (32-bit premultiplied; monochrome bitmaps hold black/white pixels
// in it) and a new bitmap holding a copy of an image.
QImage* BitmapImage(HBITMAP bitmap);
HBITMAP CreateBitmapFromImage(const QImage& image);
// The depth GetObject reports for a colour bitmap (its pixels stay 32-bit): 4, 8, 16, 24 or 32.
void SetBitmapReportedBits(HBITMAP bitmap, int bits);

}  // namespace zel
