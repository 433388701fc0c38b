// The library image list and image drawing: stored copies beside the system list, masks through Assign,
// drawing enabled and disabled, each drawing mode at chosen points, the stream properties, and a screenshot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/vcl/FormReader.h"
#include "platform/win/SysInfo.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiImageList.h"

namespace zel::test {
namespace {

struct BitmapsUnit {
    BitmapsUnit() { uiBitmapsStartup(); }
    ~BitmapsUnit() { uiBitmapsShutdown(); }
};

// W x H red with a blue square one pixel in from each side.
std::unique_ptr<TBitmap> Glyph(int w = 4, int h = 4) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    b->Canvas()->Brush()->SetColor(clBlue);
    b->Canvas()->FillRect(Rect(1, 1, w - 1, h - 1));
    return b;
}

std::unique_ptr<TuiImageList> UiList(int w, int h) {
    std::unique_ptr<TuiImageList> l(Construct<TuiImageList>(nullptr));
    l->SetWidth(w);
    l->SetHeight(h);
    return l;
}

std::unique_ptr<TBitmap> Surface(int w, int h, TColor color = clLime) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

class TestableList : public TuiImageList {
public:
    using TuiImageList::AddToInfo;
    using TuiImageList::TuiImageList;
};

TEST(uiImageList, StripsAreCutIntoTilesOtherImagesStayWhole) {
    BitmapsUnit unit;
    auto list = UiList(16, 16);
    TBitmap strip;
    strip.SetSize(64, 16);
    const TColor colors[] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        strip.Canvas()->Brush()->SetColor(colors[i]);
        strip.Canvas()->FillRect(Rect(i * 16, 0, i * 16 + 16, 16));
    }
    EXPECT_EQ(list->Add(&strip, nullptr), 0);
    EXPECT_EQ(list->Count(), 4);
    ASSERT_EQ(list->Images->Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list->Images->Items(i)->GetImage()->GetWidth(), 16);
        EXPECT_EQ(list->Images->Items(i)->GetImage()->Canvas()->GetPixel(8, 8), colors[i]) << i;
    }
    TBitmap odd;
    odd.SetSize(40, 16);
    list->Add(&odd, nullptr);
    EXPECT_EQ(list->Images->Count(), 5);
    EXPECT_EQ(list->Images->Items(4)->GetImage()->GetWidth(), 40);
    list->Delete(-1);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Images->Count(), 0);

    // In a list of zero width there are no tiles: the image is kept as one item.
    for (auto size : {std::pair{0, 16}, std::pair{16, 0}}) {
        std::unique_ptr<TestableList> empty(Construct<TestableList>(nullptr));
        empty->SetWidth(size.first);
        empty->SetHeight(size.second);
        empty->AddToInfo(&strip, nullptr, clNone);
        ASSERT_EQ(empty->Images->Count(), 1);
        EXPECT_EQ(empty->Images->Items(0)->GetImage()->GetWidth(), 64);
    }
}

TEST(uiImageList, AssignFromAPlainListKeepsMasksAndDrawsEnabledAndDisabled) {
    BitmapsUnit unit;
    std::unique_ptr<TImageList> plain(Construct<TImageList>(nullptr));
    plain->SetWidth(4);
    plain->SetHeight(4);
    auto glyph = Glyph();
    plain->AddMasked(glyph.get(), clRed);
    auto list = UiList(16, 16);
    list->Assign(plain.get());
    ASSERT_EQ(list->Images->Count(), 1);
    TBitmap* mask = list->Images->Items(0)->GetMask();
    EXPECT_EQ(mask->Canvas()->GetPixel(0, 0), clWhite);
    EXPECT_EQ(mask->Canvas()->GetPixel(1, 1), clBlack);

    auto target = Surface(10, 6);
    list->Draw(target->Canvas(), 0, 0, 0, true);
    list->Draw(target->Canvas(), 5, 0, 0, false);
    TCanvas* c = target->Canvas();
    EXPECT_EQ(c->GetPixel(0, 0), clLime);  // masked out
    EXPECT_EQ(c->GetPixel(1, 1), clBlue);
    EXPECT_EQ(c->GetPixel(2, 2), clBlue);
    // Disabled without alpha: greyed and blended with clBtnShadow, clBtnHighlight one pixel down-right.
    EXPECT_EQ(c->GetPixel(6, 1), static_cast<TColor>(0x808080));
    EXPECT_EQ(c->GetPixel(8, 3), clWhite);
    EXPECT_EQ(c->GetPixel(5, 0), clLime);
}

TEST(uiImageList, RenderImageModesAtChosenPoints) {
    BitmapsUnit unit;
    auto glyph = Glyph();  // its bottom-left red is its transparent colour
    HBRUSH lime = CreateSolidBrush(0x00FF00);
    struct Row {
        const char* name;
        TuiImageDrawMode mode;
        std::vector<std::pair<TPoint, TColor>> points;
    } rows[] = {
        {"normal", idmNormal, {{{3, 3}, clBlue}, {{2, 2}, clLime}, {{0, 0}, clLime}}},
        {"grey", idmGrayScale, {{{3, 3}, static_cast<TColor>(0x555555)}, {{2, 2}, clLime}}},
        {"washed", idmWashed, {{{3, 3}, static_cast<TColor>(0xFF4C4C)}}},
        {"faded", idmFaded, {{{3, 3}, static_cast<TColor>(0x07C607)}, {{5, 5}, clLime}}},
        {"disabled",
         idmDisabled,
         {{{3, 3}, static_cast<TColor>(0x808080)}, {{5, 5}, clWhite}, {{4, 5}, clWhite}, {{2, 2}, clLime}}},
        {"shadowed",
         idmShadowed,
         {{{2, 2}, clBlue},
          {{3, 3}, clBlue},
          {{4, 4}, static_cast<TColor>(0x808080)},
          {{5, 5}, static_cast<TColor>(0x808080)},
          {{1, 1}, clLime}}},
    };
    for (const Row& row : rows) {
        auto target = Surface(8, 8, clBlack);
        RenderImage(target->Canvas()->GetHandle(), Rect(2, 2, 6, 6), Rect(0, 0, 8, 8), glyph.get(), nullptr, -1,
                    row.mode, true, clNone, lime);
        for (const auto& [p, color] : row.points)
            EXPECT_EQ(target->Canvas()->GetPixel(p.x, p.y), color) << row.name << " at " << p.x << "," << p.y;
    }
    // Neither a glyph nor a valid index: nothing.
    auto untouched = Surface(8, 8, clBlack);
    RenderImage(untouched->Canvas()->GetHandle(), Rect(2, 2, 6, 6), Rect(0, 0, 8, 8), nullptr, nullptr, 0, idmNormal,
                true, clNone, lime);
    EXPECT_EQ(untouched->Canvas()->GetPixel(0, 0), clBlack);
    DeleteObject(lime);
}

TEST(uiImageList, StoredPropertiesCompressAndReadBack) {
    TUnitsScope units(uiBaseUnitList());
    auto list = UiList(4, 4);
    list->DesignInfo = 0x00100020;
    auto glyph = Glyph();
    list->AddMasked(glyph.get(), clRed);
    TBitmap alpha;
    alpha.SetPixelFormat(pf32bit);
    alpha.SetSize(4, 4);
    list->Add(&alpha, nullptr);
    list->SetCompressData(true);

    std::vector<std::pair<std::string, TFormValue>> props;
    WriteProperties(*list, "TuiImageList", nullptr, props);
    std::vector<std::string> names;
    for (const auto& p : props) names.push_back(p.first);
    EXPECT_EQ(names, (std::vector<std::string>{"Height", "Width", "CompressData", "FormatVersion", "DesignInfo",
                                               "ImageInfo"}));
    const TFormValue& info = props.back().second;
    ASSERT_EQ(info.Collection.size(), 2u);
    const auto& first = info.Collection[0].Properties;
    auto data = std::find_if(first.begin(), first.end(), [](const auto& p) { return p.first == "Image.Data"; });
    ASSERT_NE(data, first.end());
    EXPECT_EQ(data->second.Text.substr(4, 4), "XDBM");

    auto copy = UiList(16, 16);
    TReadContext ctx("test", nullptr, nullptr);
    for (const auto& [name, value] : props) ASSERT_TRUE(ReadProperty(*copy, "TuiImageList", name, value, ctx)) << name;
    EXPECT_EQ(copy->FormatVersion, 1);
    EXPECT_EQ(copy->DesignInfo, 0x00100020);
    EXPECT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->Images->Count(), 2);
    std::vector<std::pair<std::string, TFormValue>> again;
    WriteProperties(*copy, "TuiImageList", nullptr, again);
    EXPECT_TRUE(again == props);

    // An empty list stores no images; against an equal ancestor neither images nor design information.
    auto empty = UiList(4, 4);
    props.clear();
    WriteProperties(*empty, "TuiImageList", nullptr, props);
    for (const auto& p : props) EXPECT_NE(p.first, "ImageInfo");
    props.clear();
    WriteProperties(*copy, "TuiImageList", list.get(), props);
    for (const auto& p : props) {
        EXPECT_NE(p.first, "ImageInfo");
        EXPECT_NE(p.first, "DesignInfo");
    }
}

TEST(uiImageList, ScreenshotOfEveryMode) {
    BitmapsUnit unit;
    // A 16 x 16 image with alpha: a soft-edged disc, premultiplied.
    TuiBitmap disc(16, 16);
    TuiPixels p(256);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double d = std::hypot(x - 7.5, y - 7.5);
            const int a = d < 5.5 ? 255 : (d < 7.5 ? static_cast<int>(255 * (7.5 - d) / 2) : 0);
            const int r = 40 * a / 255, g = 120 * a / 255, b = 220 * a / 255;
            p[static_cast<std::size_t>((15 - y) * 16 + x)] =
                static_cast<std::uint32_t>((a << 24) | (r << 16) | (g << 8) | b);
        }
    disc.SetPixels(p);
    auto list = UiList(16, 16);
    list->Add(&disc, nullptr);
    auto glyph = Glyph(16, 16);
    list->AddMasked(glyph.get(), clRed);

    auto shot = Surface(7 * 28 + 8, 2 * 28 + 8, static_cast<TColor>(0xE0E0E0));
    HBRUSH face = CreateSolidBrush(0xE0E0E0);
    const TuiImageDrawMode modes[] = {idmNormal, idmDisabled, idmFaded, idmGrayScale, idmWashed, idmShadowed};
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 6; ++i) {
            const TRect cell = Bounds(4 + i * 28, 4 + row * 28, 24, 24);
            RenderImage(shot->Canvas()->GetHandle(), Bounds(cell.left + 4, cell.top + 4, 16, 16), cell, nullptr,
                        list.get(), row, modes[i], true, clNone, face);
        }
        list->DrawImage(row, shot->Canvas(), Bounds(4 + 6 * 28, 4 + row * 28, 24, 24), ILD_NORMAL, true, true, true);
    }
    DeleteObject(face);
    // The disc's centre is drawn opaque; its corner leaves the face colour.
    EXPECT_EQ(shot->Canvas()->GetPixel(4 + 4 + 8, 4 + 4 + 8), static_cast<TColor>(0xDC7828));
    EXPECT_EQ(shot->Canvas()->GetPixel(4 + 4, 4 + 4), static_cast<TColor>(0xE0E0E0));
    const char* dir = std::getenv("TEST_OUTPUT_DIR");
    const std::filesystem::path folder =
        dir != nullptr ? std::filesystem::path(dir) : std::filesystem::current_path() / "screenshots";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(shot->SaveToPngFile((folder / "uiImageList_modes.png").string()));
}

}  // namespace
}  // namespace zel::test
