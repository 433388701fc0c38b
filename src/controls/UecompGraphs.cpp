// The envelope graph and the LFO fade graph: panels that draw a graph and carry value cells.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "controls/Uecomp.h"
#include "controls/UecompDraw.h"

namespace zel {

using uecomp::Clamp;
using uecomp::Fill;
using uecomp::Line;

namespace {

int Trunc(double V) { return static_cast<int>(std::trunc(V)); }

void Circle(TCanvas* C, TPoint P) { C->Ellipse(P.x - 3, P.y - 3, P.x + 3, P.y + 3); }

void SmallFont(TControl* Control) {
    Control->Font()->SetName("Small Fonts");
    Control->Font()->SetSize(7);
}

// Text at (X, Y) on the control's colour.
void CaptionText(TCanvas* C, TControl* Control, int X, int Y, const std::string& Text) {
    C->Font()->Assign(Control->Font());
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Control->GetColor());
    C->TextOut(X, Y, Text);
}

int TextWidthIn(TFont* Font, const std::string& Text) { return MeasureText(Font, Text).cx; }

// The left of the fade graph's "Fade" text: 40 pixels after the delay cell, less where the fade cell after
// the text would pass the panel's right edge (inside its bevel), as it does in a wider font.
int FadeTextLeft(TFont* Font, int ELeft, int EWidth, int Width) {
    const int delayEnd = ELeft + TextWidthIn(Font, "Delay  ") + EWidth;
    const int room = Width - 4 - (delayEnd + TextWidthIn(Font, "Fade  ") + EWidth);
    return delayEnd + std::clamp(room, 4, 40);
}

}  // namespace

// ---------------------------------------------------------------------------------------------- TGraphBox

void TGraphBox::SetGLeft(int Value) { ChangeRepaint(gLeft_, Value); }
void TGraphBox::SetGTop(int Value) { ChangeRepaint(gTop_, Value); }
void TGraphBox::SetGWidth(int Value) { ChangeRepaint(gWidth_, Value); }
void TGraphBox::SetGHeight(int Value) { ChangeRepaint(gHeight_, Value); }
void TGraphBox::SetGraphBackGround(TColor Value) { ChangeRepaint(graphBackGround_, Value); }
void TGraphBox::SetGraphColor(TColor Value) { ChangeRepaint(graphColor_, Value); }
void TGraphBox::SetELeft(int Value) { ChangeLayout(eLeft_, Value); }
void TGraphBox::SetETop(int Value) { ChangeLayout(eTop_, Value); }
void TGraphBox::SetEWidth(int Value) { ChangeLayout(eWidth_, Value); }
void TGraphBox::SetEHeight(int Value) { ChangeLayout(eHeight_, Value); }

// ---------------------------------------------------------------------------------------------- TPanGraph

TPanGraph::TPanGraph(TComponent* AOwner) : TGraphBox(AOwner, 32, 15) {
    width_ = 160;
    height_ = 140;
    SmallFont(this);
    for (int k = 0; k < 4; ++k) {
        for (bool time : {true, false}) {
            auto* cell = new TClickEdit(this);
            cell->Tag = k + 2;
            cell->SetParent(this);
            cell->Onchange = [this](TObject* s) { CellChange(s); };
            cell->OnEndchange = [this](TObject* s) { CellEndChange(s); };
            (time ? timeCells_ : levelCells_)[static_cast<std::size_t>(k)] = cell;
        }
    }
    LayoutCells();
}

TClickEdit* TPanGraph::PointCell(int n, bool Time) const {
    if (n < 1 || n > 4) return nullptr;
    return (Time ? timeCells_ : levelCells_)[static_cast<std::size_t>(n - 1)];
}

void TPanGraph::FixPointZero() { points_[0] = TGraphPoint{0, graphType_ == FirstHalf ? 63 : 0}; }

void TPanGraph::LayoutCells() {
    if (!GetText().empty()) SetCaption("");
    FixPointZero();
    const bool half = graphType_ == FirstHalf;
    for (int k = 0; k < 4; ++k) {
        TClickEdit* t = timeCells_[static_cast<std::size_t>(k)];
        TClickEdit* l = levelCells_[static_cast<std::size_t>(k)];
        const TGraphPoint& p = points_[static_cast<std::size_t>(k + 1)];
        // A graph that leaves FirstHalf gets the plain range back, so that levels above 63 still show.
        if (half) {
            l->SetMin(-63);
            l->SetMax(63);
        } else {
            l->SetMax(127);
            l->SetMin(0);
        }
        t->SetValue(p.Time);
        l->SetValue(half ? p.Level - 63 : p.Level);
        const int left = eLeft_ + k * (eWidth_ + 7);
        t->SetBounds(left, eTop_, eWidth_, eHeight_);
        l->SetBounds(left, eTop_ + eHeight_ + 4, eWidth_, eHeight_);
    }
    levelCells_[3]->SetVisible(graphType_ != LastLocked);
}

void TPanGraph::SetPoints(const TGraphPoints& Value) {
    points_ = Value;
    Invalidate();
}

void TPanGraph::SetGraphType(TGraphType Value) { ChangeRepaint(graphType_, Value); }

double TPanGraph::HScale() const { return 508.0 / (gWidth_ - 10); }
double TPanGraph::VScale() const { return 127.0 / (gHeight_ - 10); }

TPoint TPanGraph::PointPos(int n) const {
    int sum = 0;
    for (int i = 0; i <= n; ++i) sum += points_[static_cast<std::size_t>(i)].Time;
    const int level = points_[static_cast<std::size_t>(n)].Level;
    return Point(Trunc(sum / HScale() + gLeft_ + 2) + 3, Trunc(gTop_ + gHeight_ - 2 - level / VScale()) - 2);
}

void TPanGraph::DrawEnvelope(bool Erase) {
    TCanvas* c = Canvas();
    // The circles of points on the box's edge must not eat into its frame.
    uecomp::TClipGuard clip(c, Rect(gLeft_ + 2, gTop_ + 2, gLeft_ + gWidth_ - 2, gTop_ + gHeight_ - 2));
    const TColor pen = Erase ? graphBackGround_ : graphColor_;
    c->Pen()->SetColor(pen);
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Erase ? graphBackGround_ : clRed);
    const TPoint zero = PointPos(0);
    if (graphType_ == FirstHalf) {
        c->Pen()->SetStyle(psDot);
        c->MoveTo(zero.x, zero.y);
        c->LineTo(gLeft_ + gWidth_ - 2, zero.y);
        c->Pen()->SetStyle(psSolid);
    }
    // The lines first, then the circles over their ends, so that every point shows whole.
    c->MoveTo(zero.x, zero.y);
    for (int n = 1; n <= 4; ++n) {
        const TPoint p = PointPos(n);
        c->LineTo(p.x, p.y);
    }
    for (int n = 0; n <= 4; ++n) Circle(c, PointPos(n));
}

void TPanGraph::Paint() {
    LayoutCells();
    TPanel::Paint();
    TCanvas* c = Canvas();
    const TRect box = Rect(gLeft_, gTop_, gLeft_ + gWidth_, gTop_ + gHeight_);
    Fill(c, box, graphBackGround_);
    uecomp::SunkenFrame(c, box);
    c->Font()->Assign(Font());
    const int rowText = c->TextHeight("Time");
    CaptionText(c, this, gLeft_, eTop_ + (eHeight_ - rowText) / 2, "Time");
    CaptionText(c, this, gLeft_, eTop_ + eHeight_ + 4 + (eHeight_ - rowText) / 2, "Level");
    const TSize one = c->TextExtent("1");
    for (int k = 0; k < 4; ++k)
        CaptionText(c, this, eLeft_ + k * (eWidth_ + 7) + (eWidth_ - one.cx) / 2, eTop_ - one.cy - 2,
                    std::to_string(k + 1));
    DrawEnvelope(false);
}

void TPanGraph::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseDown(Button, Shift, X, Y);
    for (int n = 1; n <= 4; ++n) {
        const TPoint p = PointPos(n);
        if (std::abs(p.x - X) <= 4 && std::abs(p.y - Y) <= 4) {
            dragging_ = true;
            dragged_ = n;
            return;
        }
    }
}

void TPanGraph::MouseMove(TShiftState Shift, int X, int Y) {
    TPanel::MouseMove(Shift, X, Y);
    if (!dragging_) return;
    const bool half = graphType_ == FirstHalf;
    const int top = half ? 126 : 127;
    const TPoint prev = PointPos(dragged_ - 1);
    const int prevLevel = points_[static_cast<std::size_t>(dragged_ - 1)].Level;
    TGraphPoint p;
    p.Time = Clamp(Trunc((X - prev.x) * HScale()), 0, top);
    p.Level = Clamp(prevLevel + Trunc((prev.y - Y) * VScale()), 0, top);
    if (graphType_ == LastLocked && dragged_ == 4) p.Level = 0;
    const bool visible = HandleAllocated();
    if (visible) DrawEnvelope(true);
    points_[static_cast<std::size_t>(dragged_)] = p;
    if (visible) DrawEnvelope(false);
    PointCell(dragged_, true)->SetValue(p.Time);
    PointCell(dragged_, false)->SetValue(half ? p.Level - 63 : p.Level);
}

void TPanGraph::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseUp(Button, Shift, X, Y);
    const bool was = dragging_;
    dragging_ = false;
    if (was && OnEndchange) OnEndchange(this);
}

void TPanGraph::CellChange(TObject* Sender) {
    const int n = static_cast<int>(static_cast<TComponent*>(Sender)->Tag) - 1;
    if (n < 1 || n > 4) return;
    TGraphPoint p;
    p.Time = PointCell(n, true)->GetValue();
    p.Level = PointCell(n, false)->GetValue() + (graphType_ == FirstHalf ? 63 : 0);
    const bool visible = HandleAllocated();
    if (visible) DrawEnvelope(true);
    points_[static_cast<std::size_t>(n)] = p;
    if (visible) DrawEnvelope(false);
    if (OnChange) OnChange(this);
}

void TPanGraph::CellEndChange(TObject*) {
    if (OnEndchange) OnEndchange(this);
}

// --------------------------------------------------------------------------------------------- TFadeGraph

TFadeGraph::TFadeGraph(TComponent* AOwner) : TGraphBox(AOwner, 15, 20) {
    width_ = 160;
    height_ = 140;
    SmallFont(this);
    int tag = 1;
    for (TClickEdit** cell : {&cellA_, &cellD_, &cellB_}) {
        *cell = new TClickEdit(this);
        (*cell)->Tag = tag++;
        (*cell)->SetParent(this);
        (*cell)->Onchange = [this](TObject* s) { CellChange(s); };
        (*cell)->OnEndchange = [this](TObject* s) { CellEndChange(s); };
    }
    cellD_->SetVisible(false);
    LayoutCells();
}

TClickEdit* TFadeGraph::DelayCell() const { return InMode() ? cellB_ : cellA_; }
TClickEdit* TFadeGraph::FadeCell() const { return InMode() ? cellA_ : cellB_; }

int TFadeGraph::GetFadeTime() const { return InMode() ? a_ : b_; }
int TFadeGraph::GetFadeDelay() const { return InMode() ? b_ : a_; }

void TFadeGraph::SetStored(int& Field, int Value) {
    if (Field == Value) return;
    Field = Value;
    LayoutCells();
    Invalidate();
}

void TFadeGraph::SetFadeTime(int Value) { SetStored(InMode() ? a_ : b_, Value); }
void TFadeGraph::SetFadeDelay(int Value) { SetStored(InMode() ? b_ : a_, Value); }
void TFadeGraph::SetFadeDepth(int Value) { SetStored(d_, Value); }

void TFadeGraph::SetFadeMode(TFadeMode Value) {
    if (Value == fadeMode_) return;
    fadeMode_ = Value;
    LayoutCells();
    Invalidate();
}

double TFadeGraph::HScale() const { return 381.0 / (gWidth_ - 25); }
double TFadeGraph::VScale() const { return 254.0 / (gHeight_ - 19); }

void TFadeGraph::LayoutCells() {
    if (!GetText().empty()) SetCaption("");
    cellA_->SetValue(a_);
    cellD_->SetValue(d_);
    cellB_->SetValue(b_);
    PlaceCells();
}

void TFadeGraph::PlaceCells() {
    TFont* f = Font();
    const int delayLeft = eLeft_ + TextWidthIn(f, "Delay  ");
    const int fadeLeft = FadeTextLeft(f, eLeft_, eWidth_, GetWidth()) + TextWidthIn(f, "Fade  ");
    DelayCell()->SetBounds(delayLeft, eTop_, eWidth_, eHeight_);
    FadeCell()->SetBounds(fadeLeft, eTop_, eWidth_, eHeight_);
    cellD_->SetBounds(eLeft_ + TextWidthIn(f, "Depth  "), eTop_, eWidth_, eHeight_);
}

TPoint TFadeGraph::PointPos(int n) const {
    const double h = HScale();
    const int base = Origin() + gLeft_ + 2;
    const int y0 = gTop_ + gHeight_ / 2;
    if (InMode()) {
        if (n == 1) return Point(Trunc(base + b_ / h), y0);
        return Point(Trunc((a_ + b_) / h + base), Trunc(y0 - d_ / VScale()));
    }
    if (n == 2) return Point(Trunc(a_ / h + base), Trunc(y0 - d_ / VScale()));
    return Point(Trunc(base + (a_ + b_) / h), y0);
}

void TFadeGraph::Paint() {
    LayoutCells();
    TPanel::Paint();
    TCanvas* c = Canvas();
    Fill(c, Rect(gLeft_, gTop_, gLeft_ + gWidth_, gTop_ + gHeight_), graphBackGround_);
    CaptionText(c, this, eLeft_, eTop_ + 2, "Delay");
    CaptionText(c, this, FadeTextLeft(Font(), eLeft_, eWidth_, GetWidth()), eTop_ + 2, "Fade");
    DrawGraph();
}

void TFadeGraph::DrawGraph() {
    TCanvas* c = Canvas();
    const int y0 = gTop_ + gHeight_ / 2;
    const int right = gLeft_ + gWidth_;
    Fill(c, Rect(gLeft_ + 10, gTop_ + 2, right - 2, gTop_ + gHeight_ - 2), graphBackGround_);
    uecomp::SunkenFrame(c, Rect(gLeft_, gTop_, right, gTop_ + gHeight_));

    // Axes with arrow heads, and the key marks under the middle line.
    const int ax = gLeft_ + 6, axTop = gTop_ + 4, axBottom = gTop_ + gHeight_ - 4;
    Line(c, ax, y0, right - 6, y0, clBlack);
    Line(c, ax, axTop, ax, axBottom, clBlack);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBlack);
    c->Polygon({Point(ax, axTop), Point(ax - 2, axTop + 4), Point(ax + 2, axTop + 4)});
    c->Polygon({Point(ax, axBottom), Point(ax - 2, axBottom - 4), Point(ax + 2, axBottom - 4)});
    // A key's mark with its label centred under it; a label that would run into the one before it goes a
    // line lower.
    int labelsEnd = std::numeric_limits<int>::min();
    auto keyMark = [&](int x, const char* label) {
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBlack);
        c->Polygon({Point(x, y0 + 1), Point(x - 3, y0 + 5), Point(x + 3, y0 + 5)});
        c->Font()->Assign(Font());
        c->Font()->SetSize(7);
        c->Font()->SetColor(clRed);
        c->Brush()->SetStyle(bsClear);
        const int width = c->TextWidth(label);
        const int left = std::max(gLeft_ + 2, x - width / 2);
        const int line = left < labelsEnd + 3 ? 1 : 0;
        c->TextOut(left, y0 + 7 + line * c->TextHeight(label), label);
        labelsEnd = left + width;
        c->Brush()->SetStyle(bsSolid);
    };
    keyMark(gLeft_ + 24, "K on");
    if (fadeMode_ == OFF_IN || fadeMode_ == OFF_OUT) keyMark(gLeft_ + 46, "K off");

    // The envelope, mirrored below the middle line.
    const TPoint p1 = PointPos(1), p2 = PointPos(2);
    const int end = InMode() ? right - 6 : gLeft_ + 24;
    c->Pen()->SetColor(graphColor_);
    c->Pen()->SetStyle(psSolid);
    for (int mirror = 0; mirror < 2; ++mirror) {
        auto my = [&](int y) { return mirror ? y0 + (y0 - y) : y; };
        c->MoveTo(p1.x, my(p1.y));
        c->LineTo(p2.x, my(p2.y));
        c->LineTo(end, my(p2.y));
    }
    c->Brush()->SetColor(clRed);
    Circle(c, p1);
    Circle(c, p2);

    // The wave: its amplitude follows the envelope, taken anew only near the zero crossings.
    const double full = d_ / VScale();
    auto envelope = [&](int x) -> double {
        if (InMode()) {
            if (x <= p1.x) return 0.0;
            if (x >= p2.x) return full;
            return full * (x - p1.x) / (p2.x - p1.x);
        }
        if (x <= p2.x) return full;
        if (x >= p1.x) return 0.0;
        return full * (p1.x - x) / (p1.x - p2.x);
    };
    const int from = InMode() ? p1.x : gLeft_ + 24;
    const int to = InMode() ? gWidth_ - 6 : p1.x;
    double phase = 3.14, amp = 0.0;
    c->Pen()->SetColor(graphColor_);
    for (int x = from; x <= to; ++x) {
        if (std::fabs(std::sin(phase)) < 0.2) amp = envelope(x);
        const int y = y0 + Trunc(std::sin(phase) * amp);
        if (x == from) c->MoveTo(x, y);
        else c->LineTo(x, y);
        phase += 0.4;
    }
}

void TFadeGraph::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseDown(Button, Shift, X, Y);
    for (int n = 1; n <= 2; ++n) {
        const TPoint p = PointPos(n);
        if (std::abs(p.x - X) <= 3 && std::abs(p.y - Y) <= 3) {
            dragging_ = true;
            dragged_ = n;
            return;
        }
    }
}

void TFadeGraph::MouseMove(TShiftState Shift, int X, int Y) {
    TPanel::MouseMove(Shift, X, Y);
    if (!dragging_) return;
    const double h = HScale();
    if (dragged_ == 1) {
        if (InMode()) b_ = Clamp(Trunc((X - gLeft_ - 24 - (fadeMode_ == OFF_IN ? 22 : 0)) * h), 0, 127);
        else b_ = Clamp(Trunc((X - PointPos(2).x) * h), 0, 127);
        cellB_->SetValue(b_);
    } else {
        if (InMode()) a_ = Clamp(Trunc((X - PointPos(1).x) * h), 0, 127);
        else a_ = Clamp(Trunc((X - gLeft_ - Origin() - 2) * h), 0, 127);
        d_ = 127;
        cellA_->SetValue(a_);
        cellD_->SetValue(d_);
    }
    if (HandleAllocated()) DrawGraph();
}

void TFadeGraph::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TPanel::MouseUp(Button, Shift, X, Y);
    const bool was = dragging_;
    dragging_ = false;
    if (was && OnEndchange) OnEndchange(this);
}

void TFadeGraph::CellChange(TObject* Sender) {
    switch (static_cast<TComponent*>(Sender)->Tag) {
        case 1: a_ = cellA_->GetValue(); break;
        case 2: d_ = cellD_->GetValue(); break;
        case 3: b_ = cellB_->GetValue(); break;
        default: return;
    }
    if (HandleAllocated()) DrawGraph();
}

void TFadeGraph::CellEndChange(TObject*) {
    if (OnEndchange) OnEndchange(this);
}

}  // namespace zel
