#include "uilib/editors/uiEditViewData.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

TEST(EditViewData, LayoutBorderStyle) {
    EXPECT_EQ(LayoutEditBorderStyle(true, ebsThick, true), ebsNone);
    EXPECT_EQ(LayoutEditBorderStyle(false, ebsUltraFlat, false), ebsSingle);
    EXPECT_EQ(LayoutEditBorderStyle(false, ebsOffice11, false), ebsSingle);
    EXPECT_EQ(LayoutEditBorderStyle(false, ebsFlat, false), ebsFlat);
    EXPECT_EQ(LayoutEditBorderStyle(false, ebsSingle, true), ebsThick) << "thick in one state: thick in all";
}

TEST(EditViewData, DefaultButtonStyleTables) {
    const TuiEditButtonStyle byLookAndFeel[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};
    for (TuiLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11})
        EXPECT_EQ(DefaultEditButtonStyle(true, kind, ebsSingle), byLookAndFeel[kind]) << kind;
    const TuiEditButtonStyle byBorder[] = {btsSimple, btsHotFlat, bts3D, btsFlat, bts3D, btsUltraFlat, btsOffice11};
    for (int border = ebsNone; border <= ebsOffice11; ++border)
        EXPECT_EQ(DefaultEditButtonStyle(false, lfFlat, static_cast<TuiEditBorderStyle>(border)), byBorder[border])
            << border;
}

TEST(EditViewData, DefaultPopupBorderTables) {
    const TuiEditPopupBorderStyle byLookAndFeel[] = {epbsFlat, epbsFrame3D, epbsSingle, epbsSingle};
    for (TuiLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11})
        EXPECT_EQ(DefaultEditPopupBorderStyle(true, kind, ebsFlat), byLookAndFeel[kind]) << kind;
    const TuiEditPopupBorderStyle byBorder[] = {epbsFlat,   epbsSingle, epbsSingle, epbsFlat,
                                                epbsSingle, epbsSingle, epbsSingle};
    for (int border = ebsNone; border <= ebsOffice11; ++border)
        EXPECT_EQ(DefaultEditPopupBorderStyle(false, lfStandard, static_cast<TuiEditBorderStyle>(border)),
                  byBorder[border])
            << border;
}

std::vector<TuiEditButtonPlace> Places(std::initializer_list<std::pair<int, bool>> widthsAndLeft) {
    std::vector<TuiEditButtonPlace> result;
    for (auto [width, left] : widthsAndLeft) {
        TuiEditButtonPlace place;
        place.Width = width;
        place.LeftAligned = left;
        result.push_back(place);
    }
    return result;
}

TEST(EditViewData, ButtonsGoToTheirSidesFromTheLastToTheFirst) {
    auto places = Places({{10, false}, {12, false}, {8, true}});
    const TRect room = PlaceEditButtons(places, TRect{2, 2, 100, 20});
    EXPECT_EQ(places[1].Bounds.left, 88);
    EXPECT_EQ(places[1].Bounds.right, 100);
    EXPECT_EQ(places[0].Bounds.right, 88);
    EXPECT_EQ(places[0].Bounds.left, 78);
    EXPECT_EQ(places[2].Bounds.left, 2);
    EXPECT_EQ(places[2].Bounds.right, 10);
    EXPECT_EQ(room.left, 10);
    EXPECT_EQ(room.right, 78);
}

TEST(EditViewData, NoButtonIsNarrowerThanZeroOrWiderThanTheRoom) {
    struct Case {
        TRect rect;
        int expectedFirst, expectedLast;
    } cases[] = {
        {TRect{0, 0, 25, 20}, 8, 17},  // the first placed (last) button takes 17, the other the 8 left
        {TRect{0, 0, 0, 20}, 0, 0},    // an editor of width 0
        {TRect{5, 0, 2, 20}, 0, 0},    // borders wider than the editor
    };
    for (const Case& c : cases) {
        auto places = Places({{17, false}, {17, false}});
        const TRect room = PlaceEditButtons(places, c.rect);
        EXPECT_EQ(places[0].Width, c.expectedFirst);
        EXPECT_EQ(places[1].Width, c.expectedLast);
        for (const auto& place : places) EXPECT_GE(place.Bounds.right - place.Bounds.left, 0);
        EXPECT_GE(room.right - room.left, 0);
    }
}

TEST(EditViewData, Stretching) {
    auto only = Places({{10, false}, {20, false}});
    only[0].Stretchable = false;
    StretchEditButtonWidths(only, 30);
    EXPECT_EQ(only[0].Width, 10);
    EXPECT_EQ(only[1].Width, 50) << "the single stretchable button takes all the spare width";

    auto proportional = Places({{10, false}, {20, false}});
    StretchEditButtonWidths(proportional, 31);
    EXPECT_EQ(proportional[0].Width, 20);
    EXPECT_EQ(proportional[1].Width, 41) << "the last one takes the remainder";

    auto fixed = Places({{10, false}, {20, false}});
    fixed[0].Fixed = true;
    fixed[1].Stretchable = false;
    StretchEditButtonWidths(fixed, 9);
    EXPECT_EQ(fixed[0].Width + fixed[1].Width, 39) << "with no stretchable button all share";

    auto squeezed = Places({{0, false}, {0, false}, {0, true}});
    StretchEditButtonWidths(squeezed, 10);
    EXPECT_EQ(squeezed[0].Width, 3);
    EXPECT_EQ(squeezed[1].Width, 3);
    EXPECT_EQ(squeezed[2].Width, 4) << "widths adding up to zero share equally";
}

}  // namespace
