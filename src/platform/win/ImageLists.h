#pragma once
// Image lists of the common controls: equal-sized images, each with an optional monochrome mask, drawn onto
// device contexts; a 32-bit list blends images that carry alpha (premultiplied, as AlphaBlend's AC_SRC_ALPHA).
// Also CopyImage for bitmaps and the program's named bitmap resources.
#include <cstdint>

#include "platform/rtl/Streams.h"
#include "platform/win/Gdi.h"

namespace zel {

struct TImageListObject;
using HIMAGELIST = TImageListObject*;

// Creation flags: ILC_MASK keeps a mask per image; the colour bits name the list's depth.
constexpr UINT ILC_MASK = 0x0001, ILC_COLOR = 0x0000, ILC_COLORDDB = 0x00FE, ILC_COLOR4 = 0x0004, ILC_COLOR8 = 0x0008,
               ILC_COLOR16 = 0x0010, ILC_COLOR24 = 0x0018, ILC_COLOR32 = 0x0020;
// Drawing styles.
constexpr UINT ILD_NORMAL = 0x0000, ILD_TRANSPARENT = 0x0001, ILD_BLEND25 = 0x0002, ILD_FOCUS = 0x0002,
               ILD_BLEND50 = 0x0004, ILD_SELECTED = 0x0004, ILD_BLEND = 0x0004, ILD_MASK = 0x0010, ILD_IMAGE = 0x0020;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF, CLR_DEFAULT = 0xFF000000;

struct IMAGEINFO {
    HBITMAP hbmImage = nullptr;
    HBITMAP hbmMask = nullptr;
    int Unused1 = 0;
    int Unused2 = 0;
    RECT rcImage;
};

// cx, cy: the image size (at least 1 x 1 for images to be added); initial and grow are kept for the stream.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// A new list with the same size, settings, images and masks.
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Changes the image size and removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
UINT ImageList_GetFlags(HIMAGELIST list);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// Adds width / cx images cut left to right from the top of image (none when image is narrower than cx);
// mask pixels that are white mark transparent pixels (a colour mask is made black or white first). Answers
// the first new index, or -1.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// As ImageList_Add with a mask made of the pixels of the mask colour, which become black in the image.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor);
// Removes image i; -1 removes them all.
BOOL ImageList_Remove(HIMAGELIST list, int i);
// New bitmaps that the caller deletes: every image side by side in one row (a 32-bit bitmap and a
// monochrome mask, none without ILC_MASK), and the rectangle of image i within them.
BOOL ImageList_GetImageInfo(HIMAGELIST list, int i, IMAGEINFO* info);
BOOL ImageList_Draw(HIMAGELIST list, int i, HDC dc, int x, int y, UINT style);
// bk: the colour under transparent pixels of ILD_NORMAL (CLR_NONE: none, CLR_DEFAULT: the list's); fg: the
// blend colour of ILD_BLEND25/50 (CLR_DEFAULT: COLOR_HIGHLIGHT). dx, dy of 0 draw the whole image.
BOOL ImageList_DrawEx(HIMAGELIST list, int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style);
// The list as bytes, deterministic (equal lists give equal bytes), all little-endian:
//   "ZIML", version 1 (16 bits), flags (16 bits), cx, cy, count, grow (32 bits each), background colour
//   (32 bits), then each image's pixels top-down (cx * cy * 4 bytes, blue-green-red-alpha), then with
//   ILC_MASK each image's mask rows top-down, (cx + 7) / 8 bytes a row, bit 7 first, 1 transparent.
BOOL ImageList_Write(HIMAGELIST list, TStream& stream);
// A new list from bytes that ImageList_Write made; nullptr when they are not such a list or run short.
HIMAGELIST ImageList_Read(TStream& stream);

// CopyImage of a bitmap (IMAGE_BITMAP only): a new bitmap of cx x cy (0: the source's size), stretched
// when the sizes differ. LR_CREATEDIBSECTION is accepted; every copy is a 32-bit bitmap, a monochrome source
// stays monochrome unless asked for a DIB section.
constexpr UINT IMAGE_BITMAP = 0, IMAGE_ICON = 1, IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000, LR_MONOCHROME = 0x0001, LR_COPYRETURNORG = 0x0004, LR_COPYDELETEORG = 0x0008,
               LR_CREATEDIBSECTION = 0x2000;
HBITMAP CopyImage(HBITMAP image, UINT type, int cx, int cy, UINT flags);

// The program's named bitmap resources: registered at start-up from 32-bit pixels (top-down rows,
// blue-green-red-alpha), then loaded by name, case-insensitively; each load answers a new bitmap that the
// caller deletes. A name already loaded cannot be registered again.
BOOL RegisterBitmapResource(const char* name, int width, int height, const std::uint32_t* pixels);
HBITMAP LoadBitmap(HINSTANCE instance, const char* name);

}  // namespace zel
