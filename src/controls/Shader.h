#pragma once
// The gradient panel: a panel whose whole face is a colour gradient of a fixed number of solid bands.
#include <cstdint>
#include <string>

#include "platform/vcl/ExtCtrls.h"

namespace zel {

class TShader : public TPanel {
public:
    explicit TShader(TComponent* AOwner);
    std::string ClassName() const override { return "TShader"; }

    // Colours are kept as plain RGB: a system colour is resolved when set.
    TColor GetFromColor() const { return fromColor_; }
    void SetFromColor(TColor Value);
    TColor GetToColor() const { return toColor_; }
    void SetToColor(TColor Value);
    std::uint16_t GetSteps() const { return steps_; }
    void SetSteps(std::uint16_t Value);
    // false: bands from top to bottom; true: from left to right.
    bool GetDirection() const { return direction_; }
    void SetDirection(bool Value);
    // The version as text, its four bytes most significant first: "1.1.0.0". Read-only.
    std::string GetVersion() const;
    void SetVersion(const std::string&) {}

    virtual std::uint32_t VersionNumber() const { return 0x01010000u; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    TColor fromColor_ = static_cast<TColor>(0x00FF0000);
    TColor toColor_ = 0;
    std::uint16_t steps_ = 20;
    bool direction_ = false;
};

}  // namespace zel
