#pragma once
// The percentage gauge.
#include "platform/vcl/Controls.h"

namespace zel {

enum TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

class TGauge : public TGraphicControl {
public:
    explicit TGauge(TComponent* AOwner);
    std::string ClassName() const override { return "TGauge"; }

    int GetMinValue() const { return minValue_; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return maxValue_; }
    void SetMaxValue(int Value);
    int GetProgress() const { return progress_; }
    // Keeps the progress inside MinValue..MaxValue.
    void SetProgress(int Value);
    // The share of the range done, truncated to a whole percent (0..100).
    int PercentDone() const;
    TGaugeKind GetKind() const { return kind_; }
    void SetKind(TGaugeKind Value);
    void SetForeColor(TColor Value);
    void SetBackColor(TColor Value);
    void SetShowText(bool Value);
    TBorderStyle BorderStyle = bsSingle;

protected:
    void Paint() override;

private:
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
    TGaugeKind kind_ = gkHorizontalBar;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
    bool showText_ = true;
};

// Registers the unit's classes with the form reader (the unit's start-up row).
void RegisterGaugesClasses();

}  // namespace zel
