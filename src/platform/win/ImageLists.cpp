// Image lists kept as plain pixel arrays (32-bit pixels and one byte per mask pixel), drawn through a 32-bit
// scratch section so that clipping, origins and monochrome targets follow the DC; CopyImage; named bitmaps.
#include "platform/win/ImageLists.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/win/GdiPrivateQt.h"
#include "platform/win/SysInfo.h"

namespace zel {

struct TImageListObject {
    int Cx = 0;
    int Cy = 0;
    UINT Flags = 0;
    int Grow = 0;
    COLORREF BkColor = CLR_NONE;
    struct TImage {
        std::vector<std::uint32_t> Pixels;  // Cx * Cy, top-down
        std::vector<std::uint8_t> Mask;     // Cx * Cy, 1: transparent
        bool Alpha = false;                 // some pixel has a non-zero alpha: blended
    };
    std::vector<TImage> Images;
    bool Masked() const { return (Flags & ILC_MASK) != 0; }
};

namespace {

std::unordered_set<const void*>& LiveLists() {
    static auto* set = new std::unordered_set<const void*>;
    return *set;
}

TImageListObject* CheckList(HIMAGELIST list) {
    return list != nullptr && LiveLists().count(list) != 0 ? list : nullptr;
}

bool ValidIndex(const TImageListObject* l, int i) { return i >= 0 && i < static_cast<int>(l->Images.size()); }

constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;

// Cuts the images of a bitmap into list images; a colour mask is thresholded to black and white.
std::vector<TImageListObject::TImage> CutImages(const TImageListObject* l, HBITMAP image, HBITMAP mask) {
    std::vector<TImageListObject::TImage> out;
    TBitmapObject* img = CheckBitmap(image);
    if (img == nullptr || l->Cx <= 0 || l->Cy <= 0) return out;
    TBitmapObject* msk = CheckBitmap(mask);
    const QImage& src = img->Image;
    const int n = src.width() / l->Cx;
    for (int k = 0; k < n; ++k) {
        TImageListObject::TImage t;
        t.Pixels.assign(static_cast<std::size_t>(l->Cx) * static_cast<std::size_t>(l->Cy), kOpaqueBlack);
        t.Mask.assign(t.Pixels.size(), 0);
        for (int y = 0; y < std::min(l->Cy, src.height()); ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(src.constScanLine(y)) + k * l->Cx;
            std::copy(row, row + l->Cx, t.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * l->Cx);
        }
        if (msk != nullptr && l->Masked()) {
            const QImage& m = msk->Image;
            for (int y = 0; y < std::min(l->Cy, m.height()); ++y) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(m.constScanLine(y));
                for (int x = 0; x < l->Cx; ++x) {
                    const int mx = k * l->Cx + x;
                    if (mx < m.width() && MonoPixel(row[mx]) == 0xFFFFFFFFu)
                        t.Mask[static_cast<std::size_t>(y * l->Cx + x)] = 1;
                }
            }
        }
        t.Alpha = std::any_of(t.Pixels.begin(), t.Pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
        out.push_back(std::move(t));
    }
    return out;
}

// Premultiplied "over": the colour is added and the background is kept by what the alpha leaves.
std::uint32_t Over(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t a = src >> 24;
    if (a == 255) return src;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        out |= std::min<std::uint32_t>(255, s + (d * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

std::uint32_t Mix(std::uint32_t p, COLORREF c, int percent) {
    const std::uint32_t q = ToPixel(c);
    std::uint32_t out = p & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((p >> shift) & 0xFF), b = static_cast<int>((q >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>((a * (100 - percent) + b * percent) / 100) << shift;
    }
    return out;
}

std::string UpperName(const char* name) {
    std::string s(name);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

struct TBitmapResource {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
    bool Loaded = false;
};
std::map<std::string, TBitmapResource>& BitmapResources() {
    static auto* map = new std::map<std::string, TBitmapResource>;
    return *map;
}

HBITMAP BitmapFromPixels(int w, int h, const std::uint32_t* pixels) { return CreateBitmap(w, h, 1, 32, pixels); }

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int grow) {
    if (cx < 0 || cy < 0 || static_cast<long long>(cx) * cy > (1LL << 24)) return nullptr;
    auto* l = new TImageListObject;
    l->Cx = cx;
    l->Cy = cy;
    l->Flags = flags;
    l->Grow = grow;
    LiveLists().insert(l);
    return l;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return FALSE;
    LiveLists().erase(l);
    delete l;
    return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST list) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return nullptr;
    auto* copy = new TImageListObject(*l);
    LiveLists().insert(copy);
    return copy;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    TImageListObject* l = CheckList(list);
    return l != nullptr ? static_cast<int>(l->Images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return FALSE;
    if (cx != nullptr) *cx = l->Cx;
    if (cy != nullptr) *cy = l->Cy;
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr || cx < 0 || cy < 0 || static_cast<long long>(cx) * cy > (1LL << 24)) return FALSE;
    l->Cx = cx;
    l->Cy = cy;
    l->Images.clear();
    return TRUE;
}

UINT ImageList_GetFlags(HIMAGELIST list) {
    TImageListObject* l = CheckList(list);
    return l != nullptr ? l->Flags : 0;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return CLR_NONE;
    const COLORREF old = l->BkColor;
    l->BkColor = color == CLR_NONE ? CLR_NONE : (color & 0xFFFFFF);
    return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
    TImageListObject* l = CheckList(list);
    return l != nullptr ? l->BkColor : CLR_NONE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return -1;
    auto images = CutImages(l, image, mask);
    if (images.empty()) return -1;
    const int first = static_cast<int>(l->Images.size());
    for (auto& t : images) l->Images.push_back(std::move(t));
    return first;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return -1;
    auto images = CutImages(l, image, nullptr);
    if (images.empty()) return -1;
    const std::uint32_t key = ToPixel(maskColor) & 0xFFFFFF;
    for (auto& t : images) {
        for (std::size_t p = 0; p < t.Pixels.size(); ++p) {
            if ((t.Pixels[p] & 0xFFFFFF) != key) continue;
            if (l->Masked()) t.Mask[p] = 1;
            t.Pixels[p] = l->Masked() ? 0 : kOpaqueBlack;
        }
        t.Alpha = std::any_of(t.Pixels.begin(), t.Pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
    }
    const int first = static_cast<int>(l->Images.size());
    for (auto& t : images) l->Images.push_back(std::move(t));
    return first;
}

BOOL ImageList_Remove(HIMAGELIST list, int i) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return FALSE;
    if (i == -1) {
        l->Images.clear();
        return TRUE;
    }
    if (!ValidIndex(l, i)) return FALSE;
    l->Images.erase(l->Images.begin() + i);
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int i, IMAGEINFO* info) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr || info == nullptr || !ValidIndex(l, i)) return FALSE;
    const int n = static_cast<int>(l->Images.size());
    const int w = l->Cx * n;
    std::vector<std::uint32_t> strip(static_cast<std::size_t>(w) * static_cast<std::size_t>(l->Cy));
    std::vector<std::uint32_t> maskStrip(strip.size(), 0xFFFFFFFFu);
    for (int k = 0; k < n; ++k) {
        const auto& t = l->Images[static_cast<std::size_t>(k)];
        for (int y = 0; y < l->Cy; ++y)
            for (int x = 0; x < l->Cx; ++x) {
                const auto at = static_cast<std::size_t>(y * w + k * l->Cx + x);
                const auto from = static_cast<std::size_t>(y * l->Cx + x);
                strip[at] = t.Pixels[from];
                maskStrip[at] = t.Mask[from] != 0 ? 0xFFFFFFFFu : kOpaqueBlack;
            }
    }
    info->hbmImage = BitmapFromPixels(w, l->Cy, strip.data());
    info->hbmMask = nullptr;
    if (l->Masked()) {
        info->hbmMask = CreateBitmap(w, l->Cy, 1, 1, nullptr);
        if (TBitmapObject* m = CheckBitmap(info->hbmMask))
            for (int y = 0; y < l->Cy; ++y)
                std::memcpy(m->Surface()->scanLine(y), maskStrip.data() + static_cast<std::ptrdiff_t>(y) * w,
                            static_cast<std::size_t>(w) * 4);
    }
    info->rcImage = RECT{i * l->Cx, 0, (i + 1) * l->Cx, l->Cy};
    return info->hbmImage != nullptr ? TRUE : FALSE;
}

BOOL ImageList_Draw(HIMAGELIST list, int i, HDC dc, int x, int y, UINT style) {
    return ImageList_DrawEx(list, i, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST list, int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr || !ValidIndex(l, i) || CheckDC(dc) == nullptr) return FALSE;
    const int w = dx > 0 ? std::min(dx, l->Cx) : l->Cx;
    const int h = dy > 0 ? std::min(dy, l->Cy) : l->Cy;
    if (w <= 0 || h <= 0) return TRUE;
    // The pixels under the image are read into a top-down section, composed there and copied back.
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr) return FALSE;
    HDC work = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(work, section);
    BitBlt(work, 0, 0, w, h, dc, x, y, SRCCOPY);
    auto* px = static_cast<std::uint32_t*>(bits);
    const auto& t = l->Images[static_cast<std::size_t>(i)];
    const COLORREF back = bk == CLR_DEFAULT ? l->BkColor : bk;
    const COLORREF blend = fg == CLR_DEFAULT || fg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : fg;
    const int percent = (style & ILD_BLEND50) != 0 ? 50 : ((style & ILD_BLEND25) != 0 ? 25 : 0);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const auto from = static_cast<std::size_t>(row * l->Cx + col);
            std::uint32_t& d = px[row * w + col];
            const bool clear = l->Masked() && t.Mask[from] != 0;
            if ((style & ILD_MASK) != 0) {
                d = clear ? 0xFFFFFFFFu : kOpaqueBlack;
                continue;
            }
            if (clear) {
                if ((style & ILD_TRANSPARENT) == 0 && back != CLR_NONE) d = ToPixel(back);
                continue;
            }
            std::uint32_t p = t.Alpha ? Over(t.Pixels[from], d) : (t.Pixels[from] | kOpaqueBlack);
            if (percent != 0) p = Mix(p, blend, percent);
            d = p;
        }
    BitBlt(dc, x, y, w, h, work, 0, 0, SRCCOPY);
    SelectObject(work, old);
    DeleteDC(work);
    DeleteObject(section);
    return TRUE;
}

BOOL ImageList_Write(HIMAGELIST list, TStream& stream) {
    TImageListObject* l = CheckList(list);
    if (l == nullptr) return FALSE;
    TMemoryStream out;
    out.WriteBuffer("ZIML", 4);
    WriteU16(out, 1);
    WriteU16(out, static_cast<std::uint16_t>(l->Flags));
    WriteI32(out, l->Cx);
    WriteI32(out, l->Cy);
    WriteI32(out, static_cast<std::int32_t>(l->Images.size()));
    WriteI32(out, l->Grow);
    WriteU32(out, l->BkColor);
    for (const auto& t : l->Images) {
        for (std::uint32_t p : t.Pixels) WriteU32(out, p);
    }
    if (l->Masked()) {
        const int rowBytes = (l->Cx + 7) / 8;
        std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes));
        for (const auto& t : l->Images)
            for (int y = 0; y < l->Cy; ++y) {
                std::fill(row.begin(), row.end(), 0);
                for (int x = 0; x < l->Cx; ++x)
                    if (t.Mask[static_cast<std::size_t>(y * l->Cx + x)] != 0)
                        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                out.WriteBuffer(row.data(), rowBytes);
            }
    }
    stream.WriteBuffer(out.Memory(), out.GetSize());
    return TRUE;
}

HIMAGELIST ImageList_Read(TStream& stream) {
    try {
        char magic[4];
        stream.ReadBuffer(magic, 4);
        if (std::memcmp(magic, "ZIML", 4) != 0 || ReadU16(stream) != 1) return nullptr;
        const UINT flags = ReadU16(stream);
        const std::int32_t cx = ReadI32(stream), cy = ReadI32(stream), count = ReadI32(stream);
        const std::int32_t grow = ReadI32(stream);
        const COLORREF bk = ReadU32(stream);
        if (cx < 0 || cy < 0 || count < 0 || static_cast<long long>(cx) * cy > (1LL << 24)) return nullptr;
        if (count > 0 && (cx == 0 || cy == 0)) return nullptr;
        const std::int64_t imageBytes = static_cast<std::int64_t>(cx) * cy * 4;
        const std::int64_t maskBytes = (flags & ILC_MASK) != 0 ? static_cast<std::int64_t>((cx + 7) / 8) * cy : 0;
        // Every count is checked against the bytes that are there before anything is made.
        if (count > 0 && (imageBytes + maskBytes) * count > stream.GetSize() - stream.GetPosition()) return nullptr;
        HIMAGELIST l = ImageList_Create(cx, cy, flags, count, grow);
        if (l == nullptr) return nullptr;
        l->BkColor = bk;
        l->Images.resize(static_cast<std::size_t>(count));
        for (auto& t : l->Images) {
            t.Pixels.resize(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy));
            for (auto& p : t.Pixels) p = ReadU32(stream);
            t.Mask.assign(t.Pixels.size(), 0);
            t.Alpha = std::any_of(t.Pixels.begin(), t.Pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
        }
        if (maskBytes != 0) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>((cx + 7) / 8));
            for (auto& t : l->Images)
                for (int y = 0; y < cy; ++y) {
                    stream.ReadBuffer(row.data(), static_cast<std::int64_t>(row.size()));
                    for (int x = 0; x < cx; ++x)
                        t.Mask[static_cast<std::size_t>(y * cx + x)] =
                            (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
                }
        }
        return l;
    } catch (const EStreamError&) {
        return nullptr;
    }
}

HBITMAP CopyImage(HBITMAP image, UINT type, int cx, int cy, UINT flags) {
    TBitmapObject* src = CheckBitmap(image);
    if (src == nullptr || type != IMAGE_BITMAP) return nullptr;
    const int sw = src->Image.width(), sh = src->Image.height();
    const int w = cx > 0 ? cx : sw, h = cy > 0 ? cy : sh;
    const bool mono = src->Mono && (flags & LR_CREATEDIBSECTION) == 0;
    HBITMAP copy = CreateBitmap(w, h, 1, mono ? 1 : 32, nullptr);
    if (copy == nullptr) return nullptr;
    TBitmapObject* dst = CheckBitmap(copy);
    if (w == sw && h == sh) {
        dst->Image = src->Image.copy();
    } else {
        HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
        HGDIOBJ oldFrom = SelectObject(from, image), oldTo = SelectObject(to, copy);
        SetStretchBltMode(to, COLORONCOLOR);
        StretchBlt(to, 0, 0, w, h, from, 0, 0, sw, sh, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        DeleteDC(from);
        DeleteDC(to);
    }
    if ((flags & LR_COPYDELETEORG) != 0) DeleteObject(image);
    return copy;
}

BOOL RegisterBitmapResource(const char* name, int width, int height, const std::uint32_t* pixels) {
    if (name == nullptr || *name == 0 || width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        pixels == nullptr)
        return FALSE;
    TBitmapResource& r = BitmapResources()[UpperName(name)];
    if (r.Loaded) return FALSE;  // in use already: resources do not change under a program
    r.Width = width;
    r.Height = height;
    r.Pixels.assign(pixels, pixels + static_cast<std::ptrdiff_t>(width) * height);
    return TRUE;
}

HBITMAP LoadBitmap(HINSTANCE, const char* name) {
    if (name == nullptr) return nullptr;
    auto it = BitmapResources().find(UpperName(name));
    if (it == BitmapResources().end()) return nullptr;
    it->second.Loaded = true;
    return BitmapFromPixels(it->second.Width, it->second.Height, it->second.Pixels.data());
}

}  // namespace zel
