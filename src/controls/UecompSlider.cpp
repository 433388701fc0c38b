// The slider, the value cell and the pan slider that couples the two.
#include <cmath>
#include <string>

#include "controls/Uecomp.h"
#include "controls/UecompDraw.h"

namespace zel {

using uecomp::Clamp;
using uecomp::Fill;
using uecomp::Line;

// ------------------------------------------------------------------------------------------------ TSlider

TSlider::TSlider(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 160;
    height_ = 26;
}

void TSlider::SetTrackWidth(int Value) {
    if (Value == trackWidth_) return;
    trackWidth_ = Value;
    Invalidate();
}

void TSlider::SetTrackColor(TColor Value) {
    if (Value == trackColor_) return;
    trackColor_ = Value;
    Invalidate();
}

void TSlider::SetOrientation(TSliderOrientation Value) {
    if (Value == orientation_) return;
    orientation_ = Value;
    Invalidate();
}

void TSlider::SetThumbHeight(int Value) {
    if (Value == thumbHeight_) return;
    thumbHeight_ = Value;
    Invalidate();
}

void TSlider::SetThumbColor(TColor Value) {
    if (Value == thumbColor_) return;
    thumbColor_ = Value;
    Invalidate();
}

void TSlider::SetMinValue(int Value) {
    minValue_ = Value;
    SetValue(value_);
    Invalidate();
}

void TSlider::SetMaxValue(int Value) {
    maxValue_ = Value;
    SetValue(value_);
    Invalidate();
}

void TSlider::SetValue(int Value) {
    const int v = Clamp(Value, minValue_, maxValue_);
    if (v == value_) return;
    const TRect old = ThumbRect();
    value_ = v;
    if (OnValueChange) OnValueChange(this);
    MoveThumb(old);
}

int TSlider::Extent() const { return orientation_ == slHoriz ? width_ : height_; }

double TSlider::Scale() const {
    // A slider without a range keeps its thumb at the start.
    if (maxValue_ <= minValue_) return 0.0;
    return static_cast<double>(Extent() - thumbHeight_ + 1) / static_cast<double>(maxValue_ - minValue_);
}

// Measured from MinValue, so that a range not starting at 0 still fits the track.
int TSlider::ThumbOffset() const { return static_cast<int>(std::trunc(Scale() * (value_ - minValue_))); }

TRect TSlider::ThumbRect() const {
    const int off = ThumbOffset();
    if (orientation_ == slHoriz) return Rect(off, 0, off + thumbHeight_, height_);
    const int top = (height_ - thumbHeight_) - off;
    return Rect(0, top, width_, top + thumbHeight_);
}

int TSlider::AlongTrack(int X, int Y) const { return orientation_ == slHoriz ? X : height_ - Y; }

void TSlider::Dispatch(TMessage& Message) {
    // The slider paints every pixel itself: no background erase.
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TSlider::Paint() { DrawPart(Rect(0, 0, width_, height_)); }

void TSlider::DrawPart(const TRect& Clip) {
    TCanvas* c = Canvas();
    uecomp::TClipGuard clip(c, Clip);
    const int w = width_, h = height_;
    if (orientation_ == slHoriz) {
        const int top = (h - trackWidth_) / 2, bottom = top + trackWidth_;
        Fill(c, Rect(0, 0, w, top), GetColor());
        Fill(c, Rect(0, bottom, w, h), GetColor());
        Fill(c, Rect(1, top + 1, w - 1, bottom - 1), trackColor_);
        Line(c, 0, bottom - 1, 0, top, clGray);
        Line(c, 0, top, w, top, clGray);
        Line(c, 1, bottom - 1, w, bottom - 1, clWhite);
        Line(c, w - 1, top + 1, w - 1, bottom - 1, clWhite);
    } else {
        const int left = (w - trackWidth_) / 2, right = left + trackWidth_;
        Fill(c, Rect(0, 0, left, h), GetColor());
        Fill(c, Rect(right, 0, w, h), GetColor());
        Fill(c, Rect(left + 1, 1, right - 1, h - 1), trackColor_);
        Line(c, left, h - 1, left, 0, clGray);
        Line(c, left, 0, right, 0, clGray);
        Line(c, left + 1, h - 1, right, h - 1, clWhite);
        Line(c, right - 1, 1, right - 1, h - 1, clWhite);
    }
    DrawThumb();
}

void TSlider::DrawThumb() {
    TCanvas* c = Canvas();
    const TRect r = ThumbRect();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->Rectangle(r);
    const int l = r.left + 1, t = r.top + 1, rr = r.right - 2, b = r.bottom - 2;
    for (int i = 0; i < 2; ++i) {
        Line(c, l + i, b - i, l + i, t + i, clWhite);
        Line(c, l + i, t + i, rr - i, t + i, clWhite);
        Line(c, l + i, b - i, rr - i + 1, b - i, clGray);
        Line(c, rr - i, t + i, rr - i, b - i, clGray);
    }
}

void TSlider::MoveThumb(const TRect& OldThumb) {
    if (!HandleAllocated()) return;
    // Only the strip between the old and the new thumb changes.
    TRect now = ThumbRect(), both;
    UnionRect(&both, &OldThumb, &now);
    if (orientation_ == slHoriz) {
        both.top = 0;
        both.bottom = height_;
    } else {
        both.left = 0;
        both.right = width_;
    }
    DrawPart(both);
}

void TSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const int p = AlongTrack(X, Y), off = ThumbOffset();
    if (p >= off && p <= off + thumbHeight_) {
        dragging_ = true;
        grab_ = p - off;
    }
}

void TSlider::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!dragging_) return;
    const double scale = Scale();
    const int steps = scale > 0.0 ? static_cast<int>(std::trunc((AlongTrack(X, Y) - grab_) / scale)) : 0;
    const int v = Clamp(minValue_ + steps, minValue_, maxValue_);
    const TRect old = ThumbRect();
    value_ = v;
    MoveThumb(old);
    // Every move while dragging reports, changed or not.
    if (OnValueChange) OnValueChange(this);
}

void TSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const bool was = dragging_;
    dragging_ = false;
    if (was && OnEndChange) OnEndChange(this);
}

// --------------------------------------------------------------------------------------------- TClickEdit

TClickEdit::TClickEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 50;
    height_ = 20;
    timer_ = new TTimer(this);
    timer_->SetEnabled(false);
    timer_->SetInterval(600);
    timer_->SetOnTimer([this](TObject* s) { StepTimer(s); });
}

void TClickEdit::SetMin(int Value) {
    min_ = Value;
    if (value_ < min_) value_ = min_;
    Redraw();
}

void TClickEdit::SetMax(int Value) {
    max_ = Value;
    if (value_ > max_) value_ = max_;
    Redraw();
}

void TClickEdit::SetValue(int Value) {
    if (Value == value_ || Value < min_ || Value > max_) return;
    value_ = Value;
    Redraw();
}

void TClickEdit::SetStereo(bool Value) {
    stereo_ = Value;
    Redraw();
}

bool TClickEdit::Stepping() const { return timer_->GetEnabled(); }

std::string TClickEdit::DisplayText() const {
    if (!stereo_) return std::to_string(value_);
    if (value_ > 0) return "R " + std::to_string(value_);
    if (value_ < 0) return "L " + std::to_string(-value_);
    return "  0";
}

void TClickEdit::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TClickEdit::Redraw() {
    // The cell is small: it draws itself at once rather than waiting for a paint.
    if (HandleAllocated()) Paint();
}

void TClickEdit::Paint() {
    TCanvas* c = Canvas();
    const TRect r = Rect(0, 0, width_, height_);
    Fill(c, Rect(2, 2, width_ - 2, height_ - 2), Stepping() ? ClSelected : clWhite);
    uecomp::SunkenFrame(c, r);
    const std::string text = DisplayText();
    c->Font()->Assign(Font());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    const TSize sz = c->TextExtent(text);
    c->TextOut((width_ - sz.cx) / 2, (height_ - sz.cy) / 2, text);
    c->Brush()->SetStyle(bsSolid);
}

void TClickEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    up_ = Button != mbLeft;
    timer_->SetEnabled(true);
    StepTimer(timer_);
    timer_->SetInterval(600);
}

void TClickEdit::StepTimer(TObject*) {
    timer_->SetInterval(47);
    bool stepped = false;
    if (up_) {
        if (value_ < max_) {
            ++value_;
            stepped = true;
        }
    } else if (value_ > min_) {
        --value_;
        stepped = true;
    }
    if (!stepped) return;
    Redraw();
    if (Onchange) Onchange(this);
}

void TClickEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    timer_->SetEnabled(false);
    Redraw();
    if (OnEndchange) OnEndchange(this);
}

// --------------------------------------------------------------------------------------------- TPanSlider

TPanSlider::TPanSlider(TComponent* AOwner) : TPanel(AOwner) {
    width_ = 30;
    height_ = 120;
    cell_ = new TClickEdit(this);
    cell_->SetParent(this);
    slider_ = new TSlider(this);
    slider_->SetParent(this);
    slider_->OnValueChange = [this](TObject* s) { SliderChange(s); };
    slider_->OnEndChange = [this](TObject* s) { ChildEndChange(s); };
    cell_->Onchange = [this](TObject* s) { CellChange(s); };
    cell_->OnEndchange = [this](TObject* s) { ChildEndChange(s); };
    Push();
}

namespace {

bool SameFont(TFont* a, TFont* b) {
    return a->GetName() == b->GetName() && a->GetHeight() == b->GetHeight() && a->GetColor() == b->GetColor() &&
           a->GetStyle() == b->GetStyle() && a->GetCharset() == b->GetCharset() && a->GetPitch() == b->GetPitch();
}

}  // namespace

void TPanSlider::Push() {
    if (!GetText().empty()) SetCaption("");
    cell_->SetStereo(stereo_);
    if (!SameFont(cell_->Font(), Font())) cell_->SetFont(Font());
    cell_->SetMin(min_);
    cell_->SetMax(max_);
    cell_->SetValue(value_);
    // Narrowing the slider's range may pull its value on the way; only the final position counts.
    const int shift = min_ < 0 ? min_ : 0;
    pushingRange_ = true;
    if (min_ < 0) {
        slider_->SetMinValue(0);
        slider_->SetMaxValue(max_ - min_);
    } else {
        slider_->SetMinValue(min_);
        slider_->SetMaxValue(max_);
    }
    pushingRange_ = false;
    slider_->SetValue(value_ - shift);
    slider_->SetThumbColor(thumbColor_);
    slider_->SetTrackColor(trackColor_);
    slider_->SetThumbHeight(thumbHeight_);
    slider_->SetTrackWidth(trackWidth_);
    slider_->SetOrientation(vertical_ ? slVertical : slHoriz);
    slider_->SetBounds(sLeft_, sTop_, sWidth_, sHeight_);
    cell_->SetBounds(eLeft_, eTop_, eWidth_, eHeight_);
}

template <class T>
void TPanSlider::Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Push();
}

void TPanSlider::SetMin(int Value) {
    if (Value == min_) return;
    min_ = Value;
    if (value_ < min_) value_ = min_;
    Push();
}

void TPanSlider::SetMax(int Value) {
    if (Value == max_) return;
    max_ = Value;
    if (value_ > max_) value_ = max_;
    Push();
}

void TPanSlider::SetValue(int Value) { Change(value_, Value); }
void TPanSlider::SetVertical(bool Value) { Change(vertical_, Value); }
void TPanSlider::SetStereo(bool Value) { Change(stereo_, Value); }
void TPanSlider::SetSLeft(int Value) { Change(sLeft_, Value); }
void TPanSlider::SetSTop(int Value) { Change(sTop_, Value); }
void TPanSlider::SetSWidth(int Value) { Change(sWidth_, Value); }
void TPanSlider::SetSHeight(int Value) { Change(sHeight_, Value); }
void TPanSlider::SetELeft(int Value) { Change(eLeft_, Value); }
void TPanSlider::SetETop(int Value) { Change(eTop_, Value); }
void TPanSlider::SetEWidth(int Value) { Change(eWidth_, Value); }
void TPanSlider::SetEHeight(int Value) { Change(eHeight_, Value); }
void TPanSlider::SetThumbColor(TColor Value) { Change(thumbColor_, Value); }
void TPanSlider::SetTrackColor(TColor Value) { Change(trackColor_, Value); }
void TPanSlider::SetThumbHeight(int Value) { Change(thumbHeight_, Value); }
void TPanSlider::SetTrackWidth(int Value) { Change(trackWidth_, Value); }

void TPanSlider::SliderChange(TObject*) {
    if (pushingRange_) return;
    value_ = slider_->GetValue() + (min_ < 0 ? min_ : 0);
    cell_->SetValue(value_);
    if (Onchange) Onchange(slider_);
}

void TPanSlider::CellChange(TObject*) {
    value_ = cell_->GetValue();
    slider_->SetValue(value_ - (min_ < 0 ? min_ : 0));
    if (Onchange) Onchange(cell_);
}

void TPanSlider::ChildEndChange(TObject*) {
    if (OnEndchange) OnEndchange(this);
}

void TPanSlider::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TPanel::Dispatch(Message);
}

void TPanSlider::Paint() {
    Push();
    TPanel::Paint();
}

}  // namespace zel
