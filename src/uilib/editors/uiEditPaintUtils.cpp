#include "uilib/editors/uiEditPaintUtils.h"

#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"

namespace zel {

namespace {

constexpr std::uint32_t kFirstSystemColor = 0xFF000000u;
constexpr std::uint32_t kLastSystemColor = 0xFF00001Eu;

HBRUSH g_systemBrushes[31] = {};
TuiSolidBrushCache* g_cache = nullptr;

std::uint32_t Key(TColor c) { return static_cast<std::uint32_t>(c); }

}  // namespace

TuiSolidBrushCache::TuiSolidBrushCache(int AMaxDepth)
    : maxDepth_(AMaxDepth),
      colors_(static_cast<std::size_t>(AMaxDepth)),
      brushes_(static_cast<std::size_t>(AMaxDepth)),
      usage_(static_cast<std::size_t>(AMaxDepth)) {
    notifier_ = new TuiSystemPaletteChangedNotifier();
    notifier_->OnSystemPaletteChanged = [this] { Clear(); };
}

TuiSolidBrushCache::~TuiSolidBrushCache() {
    delete notifier_;
    Clear();
}

HBRUSH TuiSolidBrushCache::GetSolidBrush(TColor AColor) {
    const std::uint32_t key = Key(AColor);
    if (key >= kFirstSystemColor && key <= kLastSystemColor) {
        const HBRUSH system = g_systemBrushes[key - kFirstSystemColor];
        return system != nullptr ? system : GetSysColorBrush(static_cast<int>(key - kFirstSystemColor));
    }
    int low = 0, high = depth_ - 1, index = 0;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const std::uint32_t at = Key(colors_[static_cast<std::size_t>(mid)]);
        if (at == key) {
            ++usage_[static_cast<std::size_t>(mid)];
            return brushes_[static_cast<std::size_t>(mid)];
        }
        if (at < key) low = mid + 1;
        else high = mid - 1;
    }
    index = low;
    if (maxDepth_ <= 0) return nullptr;
    if (depth_ == maxDepth_) {
        int evict = 0;
        for (int i = 1; i < depth_; ++i)
            if (usage_[static_cast<std::size_t>(i)] < usage_[static_cast<std::size_t>(evict)]) evict = i;
        DeleteObject(brushes_[static_cast<std::size_t>(evict)]);
        for (int i = evict; i < depth_ - 1; ++i) {
            const auto to = static_cast<std::size_t>(i), from = static_cast<std::size_t>(i + 1);
            colors_[to] = colors_[from];
            brushes_[to] = brushes_[from];
            usage_[to] = usage_[from];
        }
        --depth_;
        if (index > evict) --index;
    }
    for (int i = depth_; i > index; --i) {
        const auto to = static_cast<std::size_t>(i), from = static_cast<std::size_t>(i - 1);
        colors_[to] = colors_[from];
        brushes_[to] = brushes_[from];
        usage_[to] = usage_[from];
    }
    const auto at = static_cast<std::size_t>(index);
    colors_[at] = AColor;
    brushes_[at] = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(AColor)));
    usage_[at] = 0;
    ++depth_;
    return brushes_[at];
}

void TuiSolidBrushCache::Clear() {
    for (int i = 0; i < depth_; ++i) DeleteObject(brushes_[static_cast<std::size_t>(i)]);
    depth_ = 0;
}

TuiSolidBrushCache* uiSolidBrushCache() { return g_cache; }

HBRUSH uiGetSolidBrush(TColor AColor) { return g_cache != nullptr ? g_cache->GetSolidBrush(AColor) : nullptr; }

void uiEditPaintUtilsStartup() {
    for (int i = 0; i < 31; ++i) g_systemBrushes[i] = GetSysColorBrush(i);
    g_cache = new TuiSolidBrushCache(128);
}

void uiEditPaintUtilsShutdown() {
    delete g_cache;
    g_cache = nullptr;
    for (HBRUSH& b : g_systemBrushes) b = nullptr;
}

}  // namespace zel
