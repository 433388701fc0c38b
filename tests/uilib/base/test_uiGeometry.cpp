#include <gtest/gtest.h>

#include "uilib/base/uiGeometry.h"

namespace zel::test {
namespace {

TEST(TuiRect, ChangesFireOnceAndOnlyForNewValues) {
    TuiRect r(nullptr);
    int changes = 0;
    r.OnChange = [&changes](TObject*) { ++changes; };
    r.SetLeft(0);
    EXPECT_EQ(changes, 0);
    r.SetLeft(5);
    r.SetBottom(9);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(r.IsEqual(TRect{5, 0, 0, 9}));
    TuiRect other(nullptr);
    other.SetRect(TRect{1, 2, 3, 4});
    r.Assign(&other);
    EXPECT_EQ(changes, 3);
    r.Assign(&other);
    EXPECT_EQ(changes, 3);
    TPersistent foreign;
    EXPECT_NO_THROW(r.Assign(&foreign));
    EXPECT_TRUE(r.IsEqual(TRect{1, 2, 3, 4}));
}

TEST(Geometry, RectangleRoutines) {
    struct Row {
        const char* name;
        TRect got, want;
    } rows[] = {
        {"inflated", InflatedRect(TRect{10, 10, 20, 20}, 2, -1), TRect{8, 11, 22, 19}},
        {"inflated sides", InflatedRectSides(TRect{10, 10, 20, 20}, 1, 2, 3, 4), TRect{9, 8, 23, 24}},
        {"offseted", OffsetedRect(TRect{1, 2, 3, 4}, -1, 5), TRect{0, 7, 2, 9}},
        {"left width", RectWithLeftWidth(TRect{1, 2, 3, 4}, 10, 5), TRect{10, 2, 15, 4}},
        {"centred narrower", CenteredRect(TRect{0, 0, 10, 10}, 3, 4), TRect{3, 3, 6, 7}},
        {"centred wider", CenteredRect(TRect{0, 0, 10, 10}, 15, 10), TRect{-2, 0, 13, 10}},
        {"centred negative", CenteredRect(TRect{-10, -10, 0, 0}, 3, 3), TRect{-6, -6, -3, -3}},
    };
    for (const Row& r : rows) EXPECT_TRUE(RectIsEqual(r.got, r.want)) << r.name;
    EXPECT_TRUE(RectIsEmpty(TRect{5, 0, 5, 10}));
    EXPECT_TRUE(RectIsEmpty(TRect{5, 10, 1, 0}));
    EXPECT_FALSE(RectIsEmpty(TRect{0, 0, 1, 1}));
    EXPECT_EQ(RectWidth(TRect{3, 0, 10, 4}), 7);
    EXPECT_EQ(RectHeight(TRect{3, 1, 10, 4}), 3);
}

}  // namespace
}  // namespace zel::test
