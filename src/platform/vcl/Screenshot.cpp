#include "platform/vcl/Screenshot.h"

#include <QImage>
#include <QPainter>

#include "platform/win/Gdi.h"
#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

void ComposeInto(QPainter& p, TWnd* w, QPoint at) {
    if (!w->image) return;
    p.save();
    p.setClipRect(QRect(at, w->image->size()), Qt::IntersectClip);
    // A window region cuts the window and its children, as on the screen.
    if (w->region) p.setClipRegion(w->regionQ.translated(at), Qt::IntersectClip);
    p.drawImage(at, *w->image);
    p.setClipRect(QRect(at + QPoint(w->client.left, w->client.top),
                        QSize(w->client.right - w->client.left, w->client.bottom - w->client.top)),
                  Qt::IntersectClip);
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        TWnd* k = FindWnd(*it);
        if (k == nullptr || !(k->style & WS_VISIBLE)) continue;
        ComposeInto(p, k, at + QPoint(w->client.left + k->rect.left, w->client.top + k->rect.top));
    }
    p.restore();
}

bool Compose(HWND Window, QImage& out) {
    ProcessPendingMessages();
    // A window under a sibling waits to paint until it comes into view: the picture asked for shows it
    // painted all the same.
    UpdateWindow(Window);
    TWnd* w = FindWnd(Window);
    if (w == nullptr || !w->image) return false;
    out = QImage(w->image->size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::white);
    QPainter p(&out);
    ComposeInto(p, w, QPoint(0, 0));
    return true;
}

// The visible top-level windows over a screen rectangle, the lowest first, each at its place on the screen
// with its region and its layered transparency.
bool ComposeScreen(const RECT& Area, QImage& out) {
    ProcessPendingMessages();
    if (Area.right <= Area.left || Area.bottom <= Area.top) return false;
    out = QImage(Area.right - Area.left, Area.bottom - Area.top, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::white);
    QPainter p(&out);
    const std::vector<HWND>& tops = WinState().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        TWnd* t = FindWnd(*it);
        if (t == nullptr || !(t->style & WS_VISIBLE) || t->minimized) continue;
        QPoint at(t->rect.left - Area.left, t->rect.top - Area.top);
        p.save();
        if (t->region) p.setClipRegion(t->regionQ.translated(at));
        if (t->exStyle & WS_EX_LAYERED) p.setOpacity(t->alpha / 255.0);
        if (UsesColorKey(t) && t->image) {
            // The key colour is left out: the windows below show through it.
            QImage picture(t->image->size(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            {
                QPainter aside(&picture);
                ComposeInto(aside, t, QPoint(0, 0));
            }
            KeyOutColor(picture, t->colorKey);
            if (t->region) p.setClipRegion(t->regionQ.translated(at));
            p.drawImage(at, picture);
        } else {
            ComposeInto(p, t, at);
        }
        p.restore();
    }
    return true;
}

COLORREF ToColorRef(QRgb c) {
    return static_cast<COLORREF>(qRed(c)) | (static_cast<COLORREF>(qGreen(c)) << 8) |
           (static_cast<COLORREF>(qBlue(c)) << 16);
}

}  // namespace

bool SaveScreenImage(const RECT& Area, const std::string& FileName) {
    QImage img;
    if (!ComposeScreen(Area, img)) return false;
    return img.save(QString::fromStdString(FileName), "PNG");
}

COLORREF ComposedScreenPixel(int X, int Y) {
    QImage img;
    if (!ComposeScreen(RECT{X, Y, X + 1, Y + 1}, img)) return CLR_INVALID;
    return ToColorRef(img.pixel(0, 0));
}

bool SaveWindowImage(HWND Window, const std::string& FileName) {
    QImage img;
    if (!Compose(Window, img)) return false;
    return img.save(QString::fromStdString(FileName), "PNG");
}

COLORREF ComposedPixel(HWND Window, int X, int Y) {
    QImage img;
    if (!Compose(Window, img) || !img.rect().contains(X, Y)) return CLR_INVALID;
    return ToColorRef(img.pixel(X, Y));
}

std::vector<COLORREF> ComposedPixels(HWND Window, const RECT& Area) {
    std::vector<COLORREF> result;
    QImage img;
    if (!Compose(Window, img)) return result;
    for (int y = Area.top; y < Area.bottom; ++y)
        for (int x = Area.left; x < Area.right; ++x)
            result.push_back(img.rect().contains(x, y) ? ToColorRef(img.pixel(x, y)) : CLR_INVALID);
    return result;
}

}  // namespace zel
