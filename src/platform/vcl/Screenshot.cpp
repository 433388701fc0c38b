#include "platform/vcl/Screenshot.h"

#include <QImage>
#include <QPainter>

#include "platform/win/WindowsQt.h"

namespace zel {

namespace {

void ComposeInto(QPainter& p, TWnd* w, QPoint at) {
    if (!w->image) return;
    p.save();
    p.setClipRect(QRect(at, w->image->size()), Qt::IntersectClip);
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
    TWnd* w = FindWnd(Window);
    if (w == nullptr || !w->image) return false;
    out = QImage(w->image->size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::white);
    QPainter p(&out);
    ComposeInto(p, w, QPoint(0, 0));
    return true;
}

}  // namespace

bool SaveWindowImage(HWND Window, const std::string& FileName) {
    QImage img;
    if (!Compose(Window, img)) return false;
    return img.save(QString::fromStdString(FileName), "PNG");
}

COLORREF ComposedPixel(HWND Window, int X, int Y) {
    QImage img;
    if (!Compose(Window, img) || !img.rect().contains(X, Y)) return 0xFFFFFFFF;
    QRgb c = img.pixel(X, Y);
    return static_cast<COLORREF>(qRed(c)) | (static_cast<COLORREF>(qGreen(c)) << 8) |
           (static_cast<COLORREF>(qBlue(c)) << 16);
}

}  // namespace zel
