#pragma once
// A small image with a device context on it, for the drawing layer's pixel tests.
#include <QImage>

#include <initializer_list>
#include <string>

#include "platform/win/Gdi.h"
#include "platform/win/GdiQt.h"
#include "platform/win/SysInfo.h"

namespace zel::test {

// Row(y, ink) shows a row as characters: '#' where the pixel has the ink colour, '.' elsewhere. Map(y, legend)
// shows it with one character per colour of a legend, '?' for any other colour.
struct TTestImage {
    QImage Image;
    HDC DC = nullptr;
    explicit TTestImage(int w = 8, int h = 8, COLORREF fill = 0xFFFFFF)
        : Image(w, h, QImage::Format_ARGB32_Premultiplied) {
        Fill(fill);
        DC = CreateImageDC(&Image);
    }
    ~TTestImage() { DeleteImageDC(DC); }
    TTestImage(const TTestImage&) = delete;
    TTestImage& operator=(const TTestImage&) = delete;
    void Fill(COLORREF c) { Image.fill(0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF)); }
    COLORREF At(int x, int y) const {
        const QRgb p = Image.pixel(x, y);
        return RGB(static_cast<BYTE>(qRed(p)), static_cast<BYTE>(qGreen(p)), static_cast<BYTE>(qBlue(p)));
    }
    std::string Row(int y, COLORREF ink = 0) const {
        std::string s;
        for (int x = 0; x < Image.width(); ++x) s += At(x, y) == ink ? '#' : '.';
        return s;
    }
    struct TLegend {
        char Ch;
        COLORREF Color;
    };
    std::string Map(int y, std::initializer_list<TLegend> legend) const {
        std::string s;
        for (int x = 0; x < Image.width(); ++x) {
            char ch = '?';
            for (const TLegend& l : legend) {
                if (At(x, y) == l.Color) {
                    ch = l.Ch;
                    break;
                }
            }
            s += ch;
        }
        return s;
    }
};

}  // namespace zel::test
