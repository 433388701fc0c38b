// The filter pictogram drawn on an image: black on aqua in a black frame, the axes for every filter,
// the shape of each type at its coordinates, and the label naming it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "editors/FilterDraw.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class FilterDraw : public VclTest {};

constexpr TColor Black = 0x000000;
constexpr TColor AquaColor = 0xFFFF00;  // 00BBGGRR

TEST_F(FilterDraw, EachTypeDrawsItsShapeAndNamesIt) {
    // An image of 56 x 40: c = 28.
    auto* form = Keep(new TForm(nullptr));
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(8, 8, 56, 40);
    image->Picture()->SetSize(56, 40);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("before");
    struct TPixel {
        int x, y;
        TColor colour;
    };
    struct TRow {
        int type;
        const char* caption;
        std::vector<TPixel> pixels;
    } rows[] = {
        // No axes, the text instead.
        {0, "No Filter", {{4, 36, AquaColor}, {10, 21, AquaColor}}},
        // The flat line from (4, 20) to (34, 20), the fall to (46, 36), the axes.
        {1, "Low Pass", {{4, 20, Black}, {20, 20, Black}, {34, 20, Black}, {4, 36, Black}, {50, 37, Black}}},
        // The upper half of the ellipse in (19, 26)-(37, 56).
        {2, "Band Pass", {{28, 26, Black}, {28, 30, AquaColor}, {4, 36, Black}}},
        {3, "High Pass", {{40, 20, Black}, {50, 20, Black}, {10, 20, AquaColor}}},
        {4, "Peaking", {{10, 21, Black}, {45, 21, Black}, {28, 13, Black}}},
        // A type the instrument does not have: the frame and the axes alone, the caption kept.
        {9, "Peaking", {{4, 36, Black}, {20, 20, AquaColor}, {28, 13, AquaColor}}},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.type);
        DrawFilterPicture(image, label, r.type);
        TCanvas* c = image->Picture()->Canvas();
        EXPECT_EQ(label->Caption(), r.caption);
        EXPECT_EQ(label->GetWidth(), 56);
        EXPECT_EQ(c->GetPixel(0, 0), Black) << "the frame";
        EXPECT_EQ(c->GetPixel(55, 39), Black) << "the frame";
        EXPECT_EQ(c->GetPixel(2, 2), AquaColor);
        for (const TPixel& p : r.pixels) EXPECT_EQ(c->GetPixel(p.x, p.y), p.colour) << p.x << ", " << p.y;
        if (r.type == 0) {
            int black = 0;
            for (int y = 12; y < 30; ++y)
                for (int x = 20; x < 50; ++x) black += c->GetPixel(x, y) == Black ? 1 : 0;
            EXPECT_GT(black, 10) << "the text OFF";
        }
        const std::string name = "filter-type-" + std::to_string(r.type);
        EXPECT_TRUE(image->Picture()->SaveToPngFile(ScreenshotPath(name)));
    }
}

}  // namespace
}  // namespace zel::test
