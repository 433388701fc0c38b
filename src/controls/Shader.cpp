// The gradient panel.
#include "controls/Shader.h"

#include <cmath>

namespace zel {

TShader::TShader(TComponent* AOwner) : TPanel(AOwner) {}

void TShader::SetFromColor(TColor Value) {
    fromColor_ = static_cast<TColor>(ColorToRGB(Value));
    Invalidate();
}

void TShader::SetToColor(TColor Value) {
    toColor_ = static_cast<TColor>(ColorToRGB(Value));
    Invalidate();
}

void TShader::SetSteps(std::uint16_t Value) {
    steps_ = Value;
    Invalidate();
}

void TShader::SetDirection(bool Value) {
    direction_ = Value;
    Invalidate();
}

std::string TShader::GetVersion() const {
    const std::uint32_t v = VersionNumber();
    return std::to_string((v >> 24) & 0xFF) + "." + std::to_string((v >> 16) & 0xFF) + "." +
           std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
}

void TShader::Dispatch(TMessage& Message) {
    // The bands cover the whole face: no background erase.
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TPanel::Dispatch(Message);
}

void TShader::Paint() {
    if (steps_ == 0) steps_ = 1;
    // The nearest whole number, a half going to the even neighbour.
    auto nearest = [](double x) { return static_cast<int>(std::nearbyint(x)); };
    const auto from = static_cast<std::uint32_t>(fromColor_), to = static_cast<std::uint32_t>(toColor_);
    double inc[3];
    int base[3];
    for (int ch = 0; ch < 3; ++ch) {
        base[ch] = static_cast<int>((from >> (8 * ch)) & 0xFF);
        inc[ch] = (static_cast<int>((to >> (8 * ch)) & 0xFF) - base[ch]) / static_cast<double>(steps_);
    }
    const int w = GetWidth(), hgt = GetHeight();
    const double band = (direction_ ? w : hgt) / static_cast<double>(steps_);
    TCanvas* c = Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < steps_; ++i) {
        int rgb[3];
        for (int ch = 0; ch < 3; ++ch) rgb[ch] = base[ch] + nearest(i * inc[ch]);
        const TColor colour =
            static_cast<TColor>(RGB(static_cast<BYTE>(rgb[0]), static_cast<BYTE>(rgb[1]), static_cast<BYTE>(rgb[2])));
        c->Pen()->SetColor(colour);
        c->Brush()->SetColor(colour);
        const int start = nearest(i * band);
        if (direction_) c->Rectangle(start, 0, start + nearest(band) + 1, hgt);
        else c->Rectangle(0, start, w, start + nearest(band) + 1);
    }
}

}  // namespace zel
