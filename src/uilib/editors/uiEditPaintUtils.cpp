#include "uilib/editors/uiEditPaintUtils.h"

#include <algorithm>
#include <memory>

#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiImageList.h"
#include "uilib/editors/uiContainer.h"
#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiEditProperties.h"

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

namespace {
bool g_osFlag = false;
}  // namespace

bool ComputeEditOSFlag() {
    OSVERSIONINFOA info;
    if (!GetVersionEx(&info)) return false;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return info.dwMinorVersion != 0;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5;
}

bool uiEditOSFlag() { return g_osFlag; }

int InnerEditHeightCorrection(TuiCustomEditProperties* AProperties, bool AInPlace) {
    return AInPlace && AProperties != nullptr && AProperties->Buttons()->Count() > 0 ? 1 : 0;
}

bool IsEditShadowDrawn(TuiContainerStyle* AStyle) {
    return AStyle != nullptr && AStyle->GetShadow() && AStyle->GetLookAndFeel()->GetSkinPainter() == nullptr;
}

void uiEditPaintUtilsStartup() {
    g_osFlag = ComputeEditOSFlag();
    for (int i = 0; i < 31; ++i) g_systemBrushes[i] = GetSysColorBrush(i);
    g_cache = new TuiSolidBrushCache(128);
}

void uiEditPaintUtilsShutdown() {
    delete g_cache;
    g_cache = nullptr;
    for (HBRUSH& b : g_systemBrushes) b = nullptr;
}

// ------------------------------------------------------------------------------------------ editor drawing

namespace {

void FillBox(HDC DC, int Left, int Top, int Right, int Bottom, HBRUSH Brush) {
    if (Right <= Left || Bottom <= Top) return;
    const RECT r{Left, Top, Right, Bottom};
    FillRect(DC, &r, Brush);
}

// One arrow whose box starts at (X, Y), drawn row by row (column by column across).
void DrawOneArrow(HDC DC, int X, int Y, int Size, TuiArrowDirection Direction, HBRUSH Brush) {
    for (int i = 0; i < Size; ++i) switch (Direction) {
            case adUp: FillBox(DC, X + Size - 1 - i, Y + i, X + Size + i, Y + i + 1, Brush); break;
            case adDown: FillBox(DC, X + i, Y + i, X + 2 * Size - 1 - i, Y + i + 1, Brush); break;
            case adLeft: FillBox(DC, X + i, Y + Size - 1 - i, X + i + 1, Y + Size + i, Brush); break;
            case adRight: FillBox(DC, X + i, Y + i, X + i + 1, Y + 2 * Size - 1 - i, Brush); break;
        }
}

}  // namespace

void DrawEditArrow(TCanvas* ACanvas, int ASize, const TRect& R, TColor AColor, bool APressed, bool ADouble,
                   TuiArrowDirection ADirection) {
    if (ASize <= 0) return;
    const int count = ADouble ? 2 : 1;
    const bool vertical = ADirection == adUp || ADirection == adDown;
    const int across = 2 * ASize - 1, along = count * ASize;
    const int boxWidth = vertical ? across : along, boxHeight = vertical ? along : across;
    int x = R.left + (R.Width() - boxWidth) / 2;
    int y = R.top + (R.Height() - boxHeight) / 2;
    if (APressed) {
        ++x;
        ++y;
    }
    HDC dc = ACanvas->GetHandle();
    HBRUSH brush = uiGetSolidBrush(AColor);
    for (int n = 0; n < count; ++n)
        DrawOneArrow(dc, vertical ? x : x + n * ASize, vertical ? y + n * ASize : y, ASize, ADirection, brush);
}

TSize CalcArrowSize(const TSize& AContentSize, TuiArrowDirection ADirection) {
    const int side = std::min(AContentSize.cx, AContentSize.cy);
    int width = (side - 1) / 2;
    if (width % 2 == 0) ++width;
    const int height = width / 2 + 1;
    return ADirection == adUp || ADirection == adDown ? TSize{width, height} : TSize{height, width};
}

bool IsGlyphUsable(TBitmap* AGlyph) {
    return AGlyph != nullptr && !AGlyph->Empty() && AGlyph->GetWidth() > 0 && AGlyph->GetHeight() > 0;
}

void DrawEditGlyph(TCanvas* ACanvas, int X, int Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor) {
    if (!IsGlyphUsable(AGlyph)) return;
    const int w = AGlyph->GetWidth(), h = AGlyph->GetHeight();
    const TColor transparent = AGlyph->Canvas()->GetPixel(0, h - 1);
    if (AEnabled) {
        const TBrushStyle oldStyle = ACanvas->Brush()->GetStyle();
        if (ABackgroundColor == clNone) {
            ACanvas->Brush()->SetStyle(bsClear);
        } else {
            ACanvas->Brush()->SetColor(ABackgroundColor);
            ACanvas->Brush()->SetStyle(bsSolid);
        }
        ACanvas->BrushCopy(TRect{X, Y, X + w, Y + h}, AGlyph, TRect{0, 0, w, h}, transparent);
        ACanvas->Brush()->SetStyle(oldStyle);
        return;
    }
    // Disabled: the image list's disabled drawing of a one-image list, over the background when there is one.
    std::unique_ptr<TuiImageList> images(Construct<TuiImageList>(nullptr));
    images->SetWidth(w);
    images->SetHeight(h);
    images->AddMasked(AGlyph, transparent);
    TBitmap buffer;
    buffer.SetSize(w, h);
    if (ABackgroundColor != clNone) {
        buffer.Canvas()->Brush()->SetColor(ABackgroundColor);
        buffer.Canvas()->FillRect(TRect{0, 0, w, h});
    } else {
        buffer.Canvas()->CopyRect(TRect{0, 0, w, h}, ACanvas, TRect{X, Y, X + w, Y + h});
    }
    images->Draw(buffer.Canvas(), 0, 0, 0, false);
    ACanvas->Draw(X, Y, &buffer);
}

void DrawEditGlyph(TuiCanvas* ACanvas, int X, int Y, TBitmap* AGlyph, bool AEnabled, TColor ABackgroundColor) {
    DrawEditGlyph(ACanvas->GetCanvas(), X, Y, AGlyph, AEnabled, ABackgroundColor);
}

void DrawPolyline(TCanvas* ACanvas, const TPoint* APoints, int ACount, bool AFilled, TColor AColor) {
    if (APoints == nullptr || ACount <= 0) return;
    const TPoint& last = APoints[ACount - 1];
    if (!AFilled) {
        ACanvas->Pen()->SetColor(AColor);
        ACanvas->Polyline(std::vector<TPoint>(APoints, APoints + ACount));
        ACanvas->SetPixel(last.x, last.y, AColor);
        return;
    }
    HDC dc = ACanvas->GetHandle();
    HBRUSH brush = uiGetSolidBrush(AColor);
    for (int i = 0; i + 1 < ACount; ++i) {
        const TPoint& a = APoints[i];
        const TPoint& b = APoints[i + 1];
        FillBox(dc, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1, brush);
    }
    FillBox(dc, last.x, last.y, last.x + 1, last.y + 1, brush);
}

void DrawBorderEdges(TCanvas* ACanvas, TRect& R, TuiBorders AEdges, TColor AColor) {
    HDC dc = ACanvas->GetHandle();
    HBRUSH brush = uiGetSolidBrush(AColor);
    if (AEdges.Contains(bLeft)) FillBox(dc, R.left, R.top, R.left + 1, R.bottom, brush);
    if (AEdges.Contains(bRight)) FillBox(dc, R.right - 1, R.top, R.right, R.bottom, brush);
    if (AEdges.Contains(bTop)) FillBox(dc, R.left, R.top, R.right, R.top + 1, brush);
    if (AEdges.Contains(bBottom)) FillBox(dc, R.left, R.bottom - 1, R.right, R.bottom, brush);
    if (AEdges.Contains(bLeft)) ++R.left;
    if (AEdges.Contains(bTop)) ++R.top;
    if (AEdges.Contains(bRight)) --R.right;
    if (AEdges.Contains(bBottom)) --R.bottom;
}

void FillWithColor(TCanvas* ACanvas, const TRect& R, TColor AColor) {
    FillWithColor(ACanvas->GetHandle(), R, uiGetSolidBrush(AColor));
}

void FillWithColor(HDC DC, const TRect& R, HBRUSH ABrush) { FillBox(DC, R.left, R.top, R.right, R.bottom, ABrush); }

void FillRectExcept(HDC DC, const TRect& AOuter, const TRect& AInner, HBRUSH ABrush) {
    if (IsRectEmpty(&AOuter) || EqualRect(&AOuter, &AInner)) return;
    if (IsRectEmpty(&AInner)) {
        FillWithColor(DC, AOuter, ABrush);
        return;
    }
    FillBox(DC, AOuter.left, AOuter.top, AInner.left, AOuter.bottom, ABrush);
    FillBox(DC, AInner.left, AOuter.top, AInner.right, AInner.top, ABrush);
    FillBox(DC, AInner.right, AOuter.top, AOuter.right, AOuter.bottom, ABrush);
    FillBox(DC, AInner.left, AInner.bottom, AInner.right, AOuter.bottom, ABrush);
}

void FillRectExcept(TCanvas* ACanvas, const TRect& AOuter, const TRect& AInner, HBRUSH ABrush) {
    FillRectExcept(ACanvas->GetHandle(), AOuter, AInner, ABrush);
}

bool IsDecimalDigit(char C) { return C >= '0' && C <= '9'; }

namespace {

struct TFlagPair {
    std::uint32_t TextOut;
    UINT DrawText;
};
constexpr TFlagPair kFlagPairs[] = {{uiToVCenter, DT_VCENTER},       {uiToRight, DT_RIGHT},
                                    {uiToSingleLine, DT_SINGLELINE}, {uiToWordBreak, DT_WORDBREAK},
                                    {uiToExpandTabs, DT_EXPANDTABS}, {uiToCalcRect, DT_CALCRECT}};

}  // namespace

UINT TextOutToDrawTextFlags(std::uint32_t AFlags) {
    UINT result = 0;
    for (const TFlagPair& p : kFlagPairs)
        if ((AFlags & p.TextOut) != 0) result |= p.DrawText;
    return result;
}

std::uint32_t DrawTextToTextOutFlags(UINT AFlags) {
    std::uint32_t result = 0;
    for (const TFlagPair& p : kFlagPairs)
        if ((AFlags & p.DrawText) != 0) result |= p.TextOut;
    return result;
}

namespace {

// The insets of the button theme's content rectangle in a 100 × 100 rectangle; false without a theme.
bool ButtonThemeInsets(HDC DC, int APart, TRect& AInsets) {
    HTHEME theme = OpenThemeForType(thButton);
    if (theme == nullptr) return false;
    const RECT bounds{0, 0, 100, 100};
    RECT content{};
    if (GetThemeBackgroundContentRect(theme, DC, APart, 1, &bounds, &content) != S_OK) return false;
    AInsets = TRect{content.left, content.top, 100 - content.right, 100 - content.bottom};
    return true;
}

}  // namespace

int ButtonContentTopOffset(TCanvas* ACanvas, TuiEditButtonStyle AButtonStyle, bool ANativeStyle) {
    if (ANativeStyle) {
        TRect insets;
        return ButtonThemeInsets(ACanvas != nullptr ? ACanvas->GetHandle() : nullptr, 1, insets)
                   ? insets.top + insets.bottom
                   : 0;
    }
    static constexpr int kOffsets[] = {0, 4, 2, 2, 2, 2, 2};
    const int index = static_cast<int>(AButtonStyle);
    return index >= 0 && index < 7 ? kOffsets[index] : 0;
}

int EditCheckGlyphExtent(bool ANativeStyle, bool ACheckBoxPart) {
    if (!ANativeStyle) return 4;
    TRect insets;
    return ButtonThemeInsets(nullptr, ACheckBoxPart ? 3 : 1, insets) ? insets.left + insets.right : 4;
}

TColor GetEditBorderHighlightColor(bool AIsOffice11Style) {
    return AIsOffice11Style ? Office11RoleColor(Office11Roles.EditHighlightBorder) : clHighlight;
}

TColor GetEditButtonHighlightColor(bool APressed, bool AIsOffice11Style) {
    TuiLookAndFeelPainterClass painter = LookAndFeelPainterClass(AIsOffice11Style ? lfOffice11 : lfUltraFlat);
    return painter->ButtonFaceColor(APressed ? bpsPressed : bpsHot);
}

void DrawEditBackground(TCanvas* ACanvas, TuiCustomEditViewInfo* AViewInfo) {
    HDC dc = ACanvas->GetHandle();
    const int saved = SaveDC(dc);
    for (const TuiEditButtonViewInfo& button : AViewInfo->ButtonsInfo)
        ExcludeClipRect(dc, button.Bounds.left, button.Bounds.top, button.Bounds.right, button.Bounds.bottom);
    if (AViewInfo->NativeStyle) {
        AViewInfo->DrawNativeBackground(ACanvas);
    } else {
        AViewInfo->PaintBorderAndShadow(ACanvas);
        AViewInfo->FillBackground(ACanvas, AViewInfo->ClientRect, AViewInfo->InnerEditRect());
    }
    RestoreDC(dc, saved);
}

TuiLookAndFeelPainterClass EditPainterClass(TuiLookAndFeelKind AKind, bool ANativeStyle) {
    if (ANativeStyle && VisualStylesUsable({})) return PainterClass<TuiWinXPLookAndFeelPainter>();
    return LookAndFeelPainterClass(AKind);
}

}  // namespace zel
