#pragma once
// The process-wide cache of solid brushes by colour: editors fill many small rectangles in a few colours.
// System colours come from the system's own brushes and never enter the cache.
#include <vector>

#include "platform/win/Graphics.h"
#include "platform/win/WinTypes.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel {

class TCanvas;
class TuiCanvas;

class TuiSolidBrushCache : public TObject {
public:
    explicit TuiSolidBrushCache(int AMaxDepth);
    ~TuiSolidBrushCache() override;
    std::string ClassName() const override { return "TuiSolidBrushCache"; }

    // A shared brush (callers never delete it). A cached colour counts one more use; a new colour, when the
    // cache is full, evicts the least-used entry (the first of a tie).
    HBRUSH GetSolidBrush(TColor AColor);
    HBRUSH GetSolidBrush(TCanvas* ACanvas, TColor AColor) { return (void)ACanvas, GetSolidBrush(AColor); }
    HBRUSH GetSolidBrush(TuiCanvas* ACanvas, TColor AColor) { return (void)ACanvas, GetSolidBrush(AColor); }
    // Deletes every cached brush (system palette changes, destruction).
    virtual void Clear();

    int Depth() const { return depth_; }
    int MaxDepth() const { return maxDepth_; }
    // Entry I's colour and use count, in colour order.
    TColor ColorAt(int I) const { return colors_[static_cast<std::size_t>(I)]; }
    int UsageAt(int I) const { return usage_[static_cast<std::size_t>(I)]; }

private:
    int maxDepth_ = 0;
    int depth_ = 0;
    std::vector<TColor> colors_;
    std::vector<HBRUSH> brushes_;
    std::vector<int> usage_;
    TuiSystemPaletteChangedNotifier* notifier_ = nullptr;
};

// The shared cache (depth 128) while the unit is started, else nullptr.
TuiSolidBrushCache* uiSolidBrushCache();
// Through the shared cache.
HBRUSH uiGetSolidBrush(TColor AColor);

void uiEditPaintUtilsStartup();
void uiEditPaintUtilsShutdown();

}  // namespace zel
