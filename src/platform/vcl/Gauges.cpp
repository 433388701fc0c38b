#include "platform/vcl/Gauges.h"

#include "platform/vcl/FormReader.h"

#include <algorithm>

namespace zel {

TGauge::TGauge(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 100;
    height_ = 100;
}

void TGauge::SetMinValue(int Value) {
    if (Value == minValue_) return;
    minValue_ = Value;
    if (maxValue_ < minValue_) maxValue_ = minValue_;
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Invalidate();
}

void TGauge::SetMaxValue(int Value) {
    if (Value == maxValue_) return;
    maxValue_ = Value;
    if (minValue_ > maxValue_) minValue_ = maxValue_;
    progress_ = std::clamp(progress_, minValue_, maxValue_);
    Invalidate();
}

void TGauge::SetProgress(int Value) {
    Value = std::clamp(Value, minValue_, maxValue_);
    if (Value == progress_) return;
    progress_ = Value;
    Invalidate();
}

int TGauge::PercentDone() const {
    const long long range = static_cast<long long>(maxValue_) - minValue_;
    if (range <= 0) return 0;
    return static_cast<int>((static_cast<long long>(progress_) - minValue_) * 100 / range);
}

void TGauge::SetKind(TGaugeKind Value) {
    kind_ = Value;
    Invalidate();
}

void TGauge::SetForeColor(TColor Value) {
    foreColor_ = Value;
    Invalidate();
}

void TGauge::SetBackColor(TColor Value) {
    backColor_ = Value;
    Invalidate();
}

void TGauge::SetShowText(bool Value) {
    showText_ = Value;
    Invalidate();
}

void TGauge::Paint() {
    TCanvas* c = Canvas();
    TRect r = GetClientRect();
    if (BorderStyle == bsSingle) {
        c->Brush()->SetColor(clBlack);
        c->FrameRect(r);
        InflateRect(&r, -1, -1);
    }
    c->Brush()->SetColor(backColor_);
    c->FillRect(r);
    const int pct = PercentDone();
    TRect done = r;
    if (kind_ == gkVerticalBar) done.top = r.bottom - r.Height() * pct / 100;
    else if (kind_ != gkText) done.right = r.left + r.Width() * pct / 100;
    if (kind_ != gkText && pct > 0) {
        c->Brush()->SetColor(foreColor_);
        c->FillRect(done);
    }
    if (!showText_) return;
    std::string text = std::to_string(pct) + "%";
    c->Brush()->SetStyle(bsClear);
    c->MoveTo(0, 0);
    HDC dc = c->GetHandle();
    SetTextColor(dc, ColorToCOLORREF(Font()->GetColor()));
    DrawText(dc, text, static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ------------------------------------------------------------------------------------------- form classes

void RegisterGaugesClasses() {
    RegisterComponent<TGauge>("TGauge", "TControl")
        .Enum<TGaugeKind>("Kind",
                          {{"gkText", gkText},
                           {"gkHorizontalBar", gkHorizontalBar},
                           {"gkVerticalBar", gkVerticalBar},
                           {"gkPie", gkPie},
                           {"gkNeedle", gkNeedle}},
                          [](TGauge& c, TGaugeKind v) { c.SetKind(v); })
        .Int("MinValue", [](TGauge& c, int v) { c.SetMinValue(v); })
        .Int("MaxValue", [](TGauge& c, int v) { c.SetMaxValue(v); })
        .Int("Progress", [](TGauge& c, int v) { c.SetProgress(v); })
        .Custom("ForeColor",
                [](TGauge& c, const TFormValue& v, TReadContext& ctx) { c.SetForeColor(ReadColor(v, ctx)); })
        .Custom("BackColor",
                [](TGauge& c, const TFormValue& v, TReadContext& ctx) { c.SetBackColor(ReadColor(v, ctx)); })
        .Bool("ShowText", [](TGauge& c, bool v) { c.SetShowText(v); })
        .Enum<TBorderStyle>("BorderStyle", BorderStyleNames(), [](TGauge& c, TBorderStyle v) { c.BorderStyle = v; });
}

}  // namespace zel
