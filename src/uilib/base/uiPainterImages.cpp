#include "uilib/base/uiPainterImages.h"

#include <algorithm>
#include <array>

#include "platform/win/ImageLists.h"
#include "uilib/base/ubOffice11.h"
#include "uilib/base/uiGeometry.h"
#include "uilib/base/uiLookAndFeelPainters.h"

namespace zel {

namespace {

// ---- the unit's shared state ---------------------------------------------------------------------------------

int g_startCount = 0;
TuiExtendedStylePainters* g_extendedStylePainters = nullptr;
TImageList* g_indicatorImages = nullptr;
std::array<TBitmap*, 2> g_scrollBarPatterns{};
TuiSystemPaletteChangedNotifier* g_paletteNotifier = nullptr;
TPoint g_checkGlyphSize{13, 13};
TuiRadioButtonImageList* g_radioButtonImageList = nullptr;
// The radio glyph's cell codes: 0 outside, 1/2 outer ring light/dark half, 3/4 inner ring light/dark half,
// 5 body, 6 dot.
std::vector<std::uint8_t> g_radioPattern;

TBitmap* NewBitmap(int W, int H) {
    auto* bitmap = new TBitmap();
    bitmap->SetSize(W, H);
    return bitmap;
}

// ---- indicator images: 8 x 9, white transparent ---------------------------------------------------------------

constexpr const char* kIndicatorPictures[6][9] = {
    // arrow: the current row
    {"........", "..#.....", "..##....", "..###...", "..####..", "..###...", "..##....", "..#.....", "........"},
    // edit: a text cursor
    {"........", ".##.##..", "...#....", "...#....", "...#....", "...#....", "...#....", ".##.##..", "........"},
    // insert: a star
    {"........", "...#....", ".#.#.#..", "..###...", "...#....", "..###...", ".#.#.#..", "...#....", "........"},
    // multi-dot: a selected row
    {"........", "........", "........", "...##...", "..####..", "..####..", "...##...", "........", "........"},
    // multi-arrow: the current selected row
    {"........", "#.......", "##......", "###..##.", "####.##.", "###.....", "##......", "#.......", "........"},
    // filter: a funnel
    {"........", "#######.", ".#####..", "..###...", "...#....", "...#....", "...#....", "...#....", "........"}};

constexpr const char* kIndicatorNames[6] = {"UI_ARROWBITMAP",    "UI_EDITBITMAP",       "UI_INSERTBITMAP",
                                            "UI_MULTIDOTBITMAP", "UI_MULTIARROWBITMAP", "UI_FILTERBITMAP"};

// The pictures become the program's named bitmap resources once.
void RegisterIndicatorPictures() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    for (int i = 0; i < 6; ++i) {
        std::uint32_t pixels[8 * 9];
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 8; ++x)
                pixels[y * 8 + x] = kIndicatorPictures[i][y][x] == '#' ? 0xFF000000u : 0xFFFFFFFFu;
        RegisterBitmapResource(kIndicatorNames[i], 8, 9, pixels);
    }
}

// An image list sized by the first bitmap, each bitmap added with white as its transparent colour.
void MakeIndicatorImages() {
    RegisterIndicatorPictures();
    g_indicatorImages = new TImageList(nullptr);
    for (int i = 0; i < 6; ++i) {
        TBitmap bitmap;
        bitmap.LoadFromResourceName(nullptr, kIndicatorNames[i]);
        bitmap.SetPixelFormat(pf4bit);
        if (i == 0) {
            g_indicatorImages->SetWidth(bitmap.GetWidth());
            g_indicatorImages->SetHeight(bitmap.GetHeight());
        }
        g_indicatorImages->AddMasked(&bitmap, clWhite);
    }
}

// ---- scroll-bar patterns ---------------------------------------------------------------------------------------

void DrawPattern(TBitmap* ABitmap, TColor AOdd, TColor AEven) {
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 8; ++i) ABitmap->Canvas()->SetPixel(i, j, (i + j) % 2 != 0 ? AOdd : AEven);
}

// ---- check glyph size ------------------------------------------------------------------------------------------

TPoint MeasureCheckGlyphSize() {
    HBITMAP checkBoxes = LoadBitmap(nullptr, OBM_CHECKBOXES);
    BITMAP info;
    TPoint size{13, 13};
    if (checkBoxes != nullptr && GetObject(checkBoxes, sizeof(info), &info) != 0)
        size = TPoint{info.bmWidth / 4, info.bmHeight / 3};
    if (checkBoxes != nullptr) DeleteObject(checkBoxes);
    return size;
}

// ---- radio glyph geometry ----------------------------------------------------------------------------------------

struct TRadioGeometry {
    TRect Glyph;  // in the cell
    TRect Dot;    // in the cell
};

TRadioGeometry MeasureRadioGeometry(TPoint ACell) {
    TRadioGeometry g;
    TBitmap bitmap;
    bitmap.SetSize(ACell.x, ACell.y);
    TCanvas* c = bitmap.Canvas();
    const TRect cell{0, 0, ACell.x, ACell.y};
    c->Brush()->SetColor(clBlack);
    c->FillRect(cell);
    TRect r = cell;
    DrawFrameControl(c->GetHandle(), &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    g.Glyph = TRect{ACell.x, ACell.y, 0, 0};
    for (int y = 0; y < ACell.y; ++y)
        for (int x = 0; x < ACell.x; ++x)
            if (c->GetPixel(x, y) == clBlack) {
                g.Glyph.left = std::min<LONG>(g.Glyph.left, x);
                g.Glyph.top = std::min<LONG>(g.Glyph.top, y);
                g.Glyph.right = std::max<LONG>(g.Glyph.right, x + 1);
                g.Glyph.bottom = std::max<LONG>(g.Glyph.bottom, y + 1);
            }
    if (RectIsEmpty(g.Glyph)) g.Glyph = cell;
    c->Brush()->SetColor(clBlack);
    c->FillRect(cell);
    r = cell;
    DrawFrameControl(c->GetHandle(), &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
    // Walks from the glyph's centre while the pixel has the window-text colour; a position outside the
    // bitmap counts as another colour.
    const COLORREF text = ColorToCOLORREF(clWindowText);
    const auto isDot = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < ACell.x && y < ACell.y && ColorToCOLORREF(c->GetPixel(x, y)) == text;
    };
    const int cx = (g.Glyph.left + g.Glyph.right) / 2, cy = (g.Glyph.top + g.Glyph.bottom) / 2;
    g.Dot = TRect{cx, cy, cx + 1, cy + 1};
    if (isDot(cx, cy)) {
        while (isDot(cx, g.Dot.top - 1)) --g.Dot.top;
        while (isDot(cx, g.Dot.bottom)) ++g.Dot.bottom;
        while (isDot(g.Dot.left - 1, cy)) --g.Dot.left;
        while (isDot(g.Dot.right, cy)) ++g.Dot.right;
    } else {
        g.Dot = TRect{};
    }
    return g;
}

std::vector<std::uint8_t> BuildRadioPattern(const TRadioGeometry& AGeometry) {
    const int W = AGeometry.Glyph.Width(), H = AGeometry.Glyph.Height();
    std::vector<std::uint8_t> p(static_cast<std::size_t>(W * H), 0);
    const auto at = [&](int x, int y) -> std::uint8_t& { return p[static_cast<std::size_t>(y * W + x)]; };
    const auto belowAntiDiagonal = [&](int x, int y) { return (H - 1) * (W - x - 1) < y * (W - 1); };
    const auto onAntiDiagonal = [&](int x, int y) { return (H - 1) * (W - x - 1) == y * (W - 1); };
    TBitmap bitmap;
    bitmap.SetSize(W, H);
    TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, W, H});
    // 1. The outer ring.
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBlack);
    c->Ellipse(0, 0, W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (c->GetPixel(x, y) == clBlack) at(x, y) = belowAntiDiagonal(x, y) ? 2 : 1;
    // 2. The body: each inner row from the centre outwards until the ring.
    for (int y = 1; y < H - 1; ++y) {
        for (int x = W / 2; x >= 0 && at(x, y) == 0; --x) at(x, y) = 5;
        for (int x = W / 2 + 1; x < W && at(x, y) == 0; ++x) at(x, y) = 5;
    }
    // 3. The inner ring: the body cells at each end of every row and column.
    const std::vector<std::uint8_t> body = p;
    const auto isBody = [&](int x, int y) { return body[static_cast<std::size_t>(y * W + x)] == 5; };
    const auto markInner = [&](int x, int y) {
        const bool dark = belowAntiDiagonal(x, y) || (onAntiDiagonal(x, y) && x > W / 2);
        at(x, y) = dark ? 4 : 3;
    };
    for (int y = 0; y < H; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < W; ++x)
            if (isBody(x, y)) {
                if (first < 0) first = x;
                last = x;
            }
        if (first < 0) continue;
        markInner(first, y);
        markInner(last, y);
        if (y == 1 || y == H - 2)
            for (int x = first; x <= last; ++x) markInner(x, y);
    }
    for (int x = 0; x < W; ++x) {
        int first = -1, last = -1;
        for (int y = 0; y < H; ++y)
            if (isBody(x, y)) {
                if (first < 0) first = y;
                last = y;
            }
        if (first < 0) continue;
        markInner(x, first);
        markInner(x, last);
        if (x == 1 || x == W - 2)
            for (int y = first; y <= last; ++y) markInner(x, y);
    }
    // 4. The dot.
    if (!RectIsEmpty(AGeometry.Dot)) {
        const TRect dot = OffsetedRect(AGeometry.Dot, -AGeometry.Glyph.left, -AGeometry.Glyph.top);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect{0, 0, W, H});
        c->Brush()->SetColor(clBlack);
        c->Pen()->SetColor(clBlack);
        c->RoundRect(dot.left, dot.top, dot.right, dot.bottom, 2, 2);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (c->GetPixel(x, y) == clBlack && at(x, y) != 0) at(x, y) = 6;
    }
    return p;
}

// The seven colours of a radio image, by cell code.
std::array<TColor, 7> RadioColors(TuiLookAndFeelKind AKind, int AState, bool AChecked, bool AFocused, bool ADesigning) {
    const bool disabled = AState == bpsDisabled;
    TColor body;
    if (AKind == lfOffice11) {
        body = AState == bpsNormal ? clWindow
                                   : PainterClass<TuiOffice11LookAndFeelPainter>()->ButtonFaceColor(
                                         static_cast<TuiButtonPaintState>(AState));
    } else if (disabled) {
        body = clBtnFace;
    } else if (AKind == lfUltraFlat) {
        body = AState == bpsHot ? HotBlendColor() : AState == bpsPressed ? PressedBlendColor() : clWindow;
    } else {
        body = AState == bpsPressed ? clBtnFace : clWindow;
    }
    TColor outerLight = clBtnShadow, outerDark = clBtnHighlight, innerLight = body, innerDark = body;
    switch (AKind) {
        case lfFlat: innerLight = innerDark = cl3DLight; break;
        case lfStandard:
            innerLight = cl3DDkShadow;
            innerDark = cl3DLight;
            break;
        case lfUltraFlat: {
            const bool highlighted = ADesigning || AState == bpsHot || AState == bpsPressed || (AFocused && !disabled);
            outerLight = outerDark = highlighted ? clHighlight : clBtnShadow;
            break;
        }
        case lfOffice11: {
            const TColor* columns = Office11Palette().Columns;
            if (disabled) outerLight = columns[31];
            else if (ADesigning || AState == bpsHot || AState == bpsPressed || AFocused) outerLight = columns[21];
            else outerLight = clBtnText;
            outerDark = outerLight;
            break;
        }
    }
    TColor dot = body;
    if (AChecked) dot = !disabled ? clWindowText : AKind == lfOffice11 ? Office11Palette().Columns[31] : clBtnShadow;
    return {body, outerLight, outerDark, innerLight, innerDark, body, dot};
}

}  // namespace

// ---- radio image list ----------------------------------------------------------------------------------------------

TuiRadioButtonImageList::TuiRadioButtonImageList() {
    const TRadioGeometry geometry = MeasureRadioGeometry(PainterCheckGlyphSize());
    width_ = geometry.Glyph.Width();
    height_ = geometry.Glyph.Height();
    if (g_radioPattern.empty()) g_radioPattern = BuildRadioPattern(geometry);
    list_ = new TImageList(nullptr);
    list_->SetWidth(width_);
    list_->SetHeight(height_);
    list_->SetMasked(true);
    mask_ = NewBitmap(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            mask_->Canvas()->SetPixel(
                x, y, g_radioPattern[static_cast<std::size_t>(y * width_ + x)] != 0 ? clBlack : clWhite);
}

TuiRadioButtonImageList::~TuiRadioButtonImageList() {
    delete list_;
    delete mask_;
}

int TuiRadioButtonImageList::Count() const { return list_ != nullptr ? list_->Count() : 0; }

const std::vector<std::uint8_t>& TuiRadioButtonImageList::Pattern() const { return g_radioPattern; }

void TuiRadioButtonImageList::Fill() {
    if (list_->Count() > 0) return;
    indexMap_.assign(128, 0);
    TBitmap image;
    image.SetSize(width_, height_);
    for (int designing = 0; designing <= 1; ++designing)
        for (int focused = 0; focused <= 1; ++focused)
            for (int kind = 0; kind <= 3; ++kind)
                for (int checked = 0; checked <= 1; ++checked)
                    for (int state = bpsNormal; state <= bpsDisabled; ++state) {
                        const std::array<TColor, 7> colors = RadioColors(static_cast<TuiLookAndFeelKind>(kind), state,
                                                                         checked != 0, focused != 0, designing != 0);
                        std::array<COLORREF, 7> rgb{};
                        for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = ColorToCOLORREF(colors[i]);
                        for (int y = 0; y < height_; ++y)
                            for (int x = 0; x < width_; ++x) {
                                const std::uint8_t code = g_radioPattern[static_cast<std::size_t>(y * width_ + x)];
                                image.Canvas()->SetPixel(x, y, static_cast<TColor>(rgb[code]));
                            }
                        indexMap_[static_cast<std::size_t>(state + kind * 8 + focused * 32 + designing * 64 +
                                                           checked * 4 - 1)] = list_->Add(&image, mask_);
                    }
}

void TuiRadioButtonImageList::Reset() {
    list_->Clear();
    Fill();
}

int TuiRadioButtonImageList::ImageIndex(TuiLookAndFeelKind AKind, int AState, bool AChecked, bool AFocused,
                                        bool ADesigning) const {
    // The default state has no images of its own: it draws as the normal state.
    const int state = AState == bpsDefault ? bpsNormal : std::clamp(AState, 1, 4);
    return indexMap_[static_cast<std::size_t>(state + AKind * 8 + (AFocused ? 32 : 0) + (ADesigning ? 64 : 0) +
                                              (AChecked ? 4 : 0) - 1)];
}

void TuiRadioButtonImageList::Draw(TuiCanvas* ACanvas, int X, int Y, TuiLookAndFeelKind AKind, int AState,
                                   bool AChecked, bool AFocused, bool ADesigning, TColor ABrushColor) {
    Fill();
    if (ABrushColor != clDefault) ACanvas->FillRect(Bounds(X, Y, width_, height_), ABrushColor);
    list_->Draw(ACanvas->GetCanvas(), X, Y, ImageIndex(AKind, AState, AChecked, AFocused, ADesigning));
}

TuiRadioButtonImageList* RadioButtonImageList() {
    if (g_radioButtonImageList == nullptr) {
        g_radioButtonImageList = new TuiRadioButtonImageList();
        g_radioButtonImageList->Fill();
    }
    return g_radioButtonImageList;
}

TPoint PainterCheckGlyphSize() { return g_checkGlyphSize; }

TImageList* IndicatorImages() { return g_indicatorImages; }

void DrawIndicatorImage(TuiCanvas* ACanvas, const TRect& R, int AIndex) {
    if (g_indicatorImages == nullptr || AIndex < 0 || AIndex >= g_indicatorImages->Count()) return;
    const TRect r = CenteredRect(R, g_indicatorImages->GetWidth(), g_indicatorImages->GetHeight());
    g_indicatorImages->Draw(ACanvas->GetCanvas(), r.left, r.top, AIndex);
}

void DrawPainterListImage(TuiCanvas* ACanvas, const TPoint& P, TCustomImageList* AImages, int AIndex, bool AEnabled) {
    if (AImages != nullptr) AImages->Draw(ACanvas->GetCanvas(), P.x, P.y, AIndex, AEnabled);
}

// ---- scroll-bar patterns ---------------------------------------------------------------------------------

TBitmap* ScrollBarPattern(int AIndex) {
    return AIndex == 0 || AIndex == 1 ? g_scrollBarPatterns[static_cast<std::size_t>(AIndex)] : nullptr;
}

void UpdateScrollBarPatterns() {
    for (TBitmap*& pattern : g_scrollBarPatterns)
        if (pattern == nullptr) pattern = NewBitmap(8, 8);
    DrawPattern(g_scrollBarPatterns[0], clBtnHighlight, clBtnFace);
    DrawPattern(g_scrollBarPatterns[1], cl3DDkShadow, clBlack);
}

// ---- unit start and end ---------------------------------------------------------------------------------

TuiExtendedStylePainters* ExtendedStylePainters() { return g_extendedStylePainters; }

void uiLookAndFeelPaintersStartup() {
    if (g_startCount++ != 0) return;
    g_extendedStylePainters = new TuiExtendedStylePainters();
    MakeIndicatorImages();
    UpdateScrollBarPatterns();
    g_paletteNotifier = new TuiSystemPaletteChangedNotifier(true);
    g_paletteNotifier->OnSystemPaletteChanged = [] {
        if (g_radioButtonImageList != nullptr) g_radioButtonImageList->Reset();
    };
    g_checkGlyphSize = MeasureCheckGlyphSize();
}

void uiLookAndFeelPaintersShutdown() {
    if (g_startCount == 0 || --g_startCount != 0) return;
    delete g_paletteNotifier;
    g_paletteNotifier = nullptr;
    for (TBitmap*& pattern : g_scrollBarPatterns) {
        delete pattern;
        pattern = nullptr;
    }
    delete g_indicatorImages;
    g_indicatorImages = nullptr;
    delete g_radioButtonImageList;
    g_radioButtonImageList = nullptr;
    delete g_extendedStylePainters;
    g_extendedStylePainters = nullptr;
    g_radioPattern.clear();
}

}  // namespace zel
