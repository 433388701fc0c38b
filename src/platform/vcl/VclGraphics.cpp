#include "platform/vcl/VclGraphics.h"

#include <QImage>

#include <algorithm>
#include <cstring>

#include "platform/win/GdiQt.h"

namespace zel {

COLORREF ColorToCOLORREF(TColor Color) {
    if (Color == clNone || Color == clDefault) return 0;
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFF;
}

TSize MeasureText(TFont* Font, const std::string& Text, UINT Flags, int MaxWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    RECT r{0, 0, MaxWidth, 0};
    std::string text = Text.empty() ? std::string(" ") : Text;
    DrawText(dc, text, static_cast<int>(text.size()), &r, Flags | DT_CALCRECT);
    if (Text.empty()) r.right = 0;
    SelectObject(dc, old);
    DeleteDC(dc);
    return TSize{r.right - r.left, r.bottom - r.top};
}

// ------------------------------------------------------------------------------------- TGraphicsObject

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::FreeHandle() {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = nullptr;
}

void TGraphicsObject::Changed() {
    FreeHandle();
    if (OnChange) OnChange(this);
}

// ------------------------------------------------------------------------------------------------ TFont

void TFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        name_ = f->name_;
        height_ = f->height_;
        color_ = f->color_;
        style_ = f->style_;
        charset_ = f->charset_;
        pitch_ = f->pitch_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HFONT TFont::GetHandle() {
    if (handle_ == nullptr) {
        LOGFONT lf;
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
        lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = charset_;
        lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_ = CreateFontIndirect(&lf);
    }
    return handle_;
}

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == name_) return;
    name_ = Value;
    Changed();
}

void TFont::SetHeight(int Value) {
    if (Value == height_) return;
    height_ = Value;
    Changed();
}

int TFont::GetSize() const { return -MulDiv(height_, 72, PixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, PixelsPerInch, 72)); }

void TFont::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    // The colour is no part of the GDI font: keep the handle.
    if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TFont::SetCharset(BYTE Value) {
    if (Value == charset_) return;
    charset_ = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value == pitch_) return;
    pitch_ = Value;
    Changed();
}

// ------------------------------------------------------------------------------------------------- TPen

void TPen::Assign(TPersistent* Source) {
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        mode_ = p->mode_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HPEN TPen::GetHandle() {
    if (handle_ == nullptr) {
        static constexpr UINT styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                          PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_ = CreatePen(static_cast<int>(styles[style_]), width_, ColorToCOLORREF(color_));
    }
    return handle_;
}

void TPen::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == width_) return;
    width_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == mode_) return;
    mode_ = Value;
    if (OnChange) OnChange(this);
}

// ----------------------------------------------------------------------------------------------- TBrush

void TBrush::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        color_ = b->color_;
        style_ = b->style_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HBRUSH TBrush::GetHandle() {
    if (handle_ == nullptr) {
        switch (style_) {
            case bsSolid: handle_ = CreateSolidBrush(ColorToCOLORREF(color_)); break;
            case bsClear: handle_ = GetStockObject(NULL_BRUSH); return handle_;
            default: {
                static constexpr int hatches[] = {
                    0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
                handle_ = CreateHatchBrush(hatches[style_], ColorToCOLORREF(color_));
            }
        }
    }
    return handle_;
}

void TBrush::SetColor(TColor Value) {
    if (Value == color_ && style_ != bsClear) return;
    color_ = Value;
    if (style_ == bsClear) style_ = bsSolid;
    if (handle_ == GetStockObject(NULL_BRUSH)) handle_ = nullptr;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == style_) return;
    if (handle_ == GetStockObject(NULL_BRUSH)) handle_ = nullptr;
    style_ = Value;
    Changed();
}

// ---------------------------------------------------------------------------------------------- TCanvas

TCanvas::TCanvas() : font_(new TFont), pen_(new TPen), brush_(new TBrush) {
    auto changed = [this](TObject*) {
        if (dc_ != nullptr) DeselectHandles();
    };
    font_->OnChange = changed;
    pen_->OnChange = changed;
    brush_->OnChange = changed;
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    delete font_;
    delete pen_;
    delete brush_;
}

HDC TCanvas::GetHandle() {
    if (dc_ == nullptr) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC Value) {
    if (dc_ == Value) return;
    if (dc_ != nullptr) DeselectHandles();
    dc_ = Value;
}

void TCanvas::DeselectHandles() {
    if (dc_ == nullptr) return;
    if (oldPen_ != nullptr) SelectObject(dc_, oldPen_);
    if (oldBrush_ != nullptr) SelectObject(dc_, oldBrush_);
    if (oldFont_ != nullptr) SelectObject(dc_, oldFont_);
    oldPen_ = oldBrush_ = oldFont_ = nullptr;
}

void TCanvas::RequireState() {
    HDC dc = GetHandle();
    if (dc == nullptr) throw EInvalidOperation("Canvas does not allow drawing");
    HGDIOBJ p = SelectObject(dc, pen_->GetHandle());
    if (oldPen_ == nullptr) oldPen_ = p;
    HGDIOBJ b = SelectObject(dc, brush_->GetHandle());
    if (oldBrush_ == nullptr) oldBrush_ = b;
    HGDIOBJ f = SelectObject(dc, font_->GetHandle());
    if (oldFont_ == nullptr) oldFont_ = f;
    SetTextColor(dc, ColorToCOLORREF(font_->GetColor()));
    SetBkColor(dc, ColorToCOLORREF(brush_->GetColor()));
    SetBkMode(dc, brush_->GetStyle() == bsClear ? TRANSPARENT : OPAQUE);
    static constexpr int rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    SetROP2(dc, rops[pen_->GetMode()]);
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::MoveTo(int X, int Y) {
    RequireState();
    MoveToEx(dc_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
    Changing();
    RequireState();
    ::zel::LineTo(dc_, X, Y);
    Changed();
}

TPoint TCanvas::GetPenPos() {
    RequireState();
    POINT p;
    GetCurrentPositionEx(dc_, &p);
    return p;
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequireState();
    ::zel::Rectangle(dc_, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    Changing();
    RequireState();
    ::zel::Ellipse(dc_, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    Changing();
    RequireState();
    ::zel::RoundRect(dc_, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
    if (Points.empty()) return;
    Changing();
    RequireState();
    ::zel::Polygon(dc_, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
    if (Points.empty()) return;
    Changing();
    RequireState();
    ::zel::Polyline(dc_, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::FillRect(const TRect& R) {
    Changing();
    RequireState();
    ::zel::FillRect(dc_, &R, brush_->GetHandle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R) {
    Changing();
    RequireState();
    ::zel::FrameRect(dc_, &R, brush_->GetHandle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
    Changing();
    RequireState();
    ::zel::DrawFocusRect(dc_, &R);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    Changing();
    RequireState();
    ::zel::TextOut(dc_, X, Y, Text, static_cast<int>(Text.size()));
    Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
    Changing();
    RequireState();
    UINT options = ETO_CLIPPED;
    if (brush_->GetStyle() != bsClear) options |= ETO_OPAQUE;
    ExtTextOut(dc_, X, Y, options, &R, Text, static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& Text) {
    RequireState();
    SIZE s;
    GetTextExtentPoint32(dc_, Text, static_cast<int>(Text.size()), &s);
    return s;
}

void TCanvas::Draw(int X, int Y, TBitmap* Graphic) {
    if (Graphic == nullptr || Graphic->Empty()) return;
    StretchDraw(Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()), Graphic);
}

void TCanvas::StretchDraw(const TRect& R, TBitmap* Graphic) {
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequireState();
    HDC src = Graphic->Canvas()->GetHandle();
    StretchBlt(dc_, R.left, R.top, R.Width(), R.Height(), src, 0, 0, Graphic->GetWidth(), Graphic->GetHeight(),
               CopyMode);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    Changing();
    RequireState();
    StretchBlt(dc_, Dest.left, Dest.top, Dest.Width(), Dest.Height(), Canvas->GetHandle(), Source.left, Source.top,
               Source.Width(), Source.Height(), CopyMode);
    Changed();
}

TColor TCanvas::GetPixel(int X, int Y) {
    RequireState();
    return static_cast<TColor>(::zel::GetPixel(dc_, X, Y));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
    Changing();
    RequireState();
    ::zel::SetPixel(dc_, X, Y, ColorToCOLORREF(Color));
    Changed();
}

TRect TCanvas::GetClipRect() {
    RequireState();
    RECT r;
    GetClipBox(dc_, &r);
    return r;
}

// ---------------------------------------------------------------------------------------------- TBitmap

class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* owner) : owner_(owner) {}
    ~TBitmapCanvas() override { FreeContext(); }
    void FreeContext() {
        if (!HandleAllocated()) return;
        HDC dc = GetHandle();
        DeselectHandles();
        if (old_ != nullptr) SelectObject(dc, old_);
        old_ = nullptr;
        SetHandle(nullptr);
        DeleteDC(dc);
    }

protected:
    void CreateHandle() override {
        HDC dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc, owner_->GetHandle());
        SetHandle(dc);
    }

private:
    TBitmap* owner_;
    HGDIOBJ old_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    delete canvas_;
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void TBitmap::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        SetSize(b->GetWidth(), b->GetHeight());
        if (!Empty()) Canvas()->CopyRect(Rect(0, 0, width_, height_), b->Canvas(), Rect(0, 0, width_, height_));
        Transparent = b->Transparent;
        TransparentColor = b->TransparentColor;
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == width_ && AHeight == height_) return;
    QImage next(std::max(1, AWidth), std::max(1, AHeight), QImage::Format_ARGB32_Premultiplied);
    next.fill(Qt::white);
    if (bitmap_ != nullptr) {
        if (QImage* old = BitmapImage(bitmap_)) {
            for (int y = 0; y < std::min(old->height(), next.height()); ++y)
                std::memcpy(next.scanLine(y), old->constScanLine(y),
                            static_cast<std::size_t>(std::min(old->width(), next.width())) * 4);
        }
    }
    if (canvas_ != nullptr) canvas_->FreeContext();
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    bitmap_ = CreateBitmapFromImage(next);
    width_ = AWidth;
    height_ = AHeight;
}

HBITMAP TBitmap::GetHandle() {
    if (bitmap_ == nullptr) {
        QImage empty(1, 1, QImage::Format_ARGB32_Premultiplied);
        empty.fill(Qt::white);
        bitmap_ = CreateBitmapFromImage(empty);
    }
    return bitmap_;
}

TCanvas* TBitmap::Canvas() {
    if (canvas_ == nullptr) canvas_ = new TBitmapCanvas(this);
    return canvas_;
}

bool TBitmap::SaveToPngFile(const std::string& FileName) {
    QImage* img = BitmapImage(GetHandle());
    if (img == nullptr) return false;
    return img->copy(0, 0, std::max(1, width_), std::max(1, height_)).save(QString::fromStdString(FileName), "PNG");
}

}  // namespace zel
