// The view data of the editors: the layout tables, button placement and stretching on their own; then a host
// painting cells from view data with no editor window; an editor thick in one state keeping its room in all;
// buttons that fill an editor.
#include "uilib/editors/uiEditViewData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EditorGallery.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {

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

// ---- Cells painted from view data alone

struct TCellRow {
    const char* Name;
    bool InPlace;
    bool TransparentBorder;
    TuiEditBorderStyle Border;
    bool Shadow;
    TRect Extent;  // the room the border takes on each side
    bool Framed;   // a frame is drawn at the cell's edge
};

class EditViewDataWindows : public EditorWindowTest {};

// A host (a paint box, as a grid would) paints one cell per row with an ellipsis button, each from view data
// made by the settings for a style, without any editor window.
TEST_F(EditViewDataWindows, ACellIsPaintedFromViewDataAlone) {
    const std::vector<TCellRow> rows = {
        {"InPlace", true, true, ebs3D, false, TRect{1, 1, 1, 1}, false},
        {"TransparentBorder", false, true, ebs3D, false, TRect{1, 1, 1, 1}, false},
        {"Single", false, false, ebsSingle, false, TRect{1, 1, 1, 1}, true},
        {"Thick", false, false, ebsThick, false, TRect{2, 2, 2, 2}, true},
        {"ThreeD", false, false, ebs3D, false, TRect{2, 2, 2, 2}, true},
        {"SingleWithShadow", false, false, ebsSingle, true, TRect{1, 1, 4, 4}, true},
    };
    const COLORREF formColour = RGB(200, 230, 255);
    TuiCustomEditProperties properties(nullptr);
    properties.Buttons()->Add()->SetKind(bkEllipsis);
    std::vector<std::unique_ptr<TuiEditStyle>> styles;
    for (const TCellRow& row : rows) {
        auto style = std::make_unique<TuiEditStyle>(nullptr, false);
        style->GetLookAndFeel()->SetKind(lfStandard);
        style->SetTransparentBorder(row.TransparentBorder);
        style->SetBorderStyle(static_cast<TuiContainerBorderStyle>(row.Border));
        style->SetShadow(row.Shadow);
        style->SetColor(clWindow);
        styles.push_back(std::move(style));
    }
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetColor(static_cast<TColor>(formColour));
    form->SetClientWidth(150);
    form->SetClientHeight(8 + kGalleryCellHeight * static_cast<int>(rows.size()));
    auto* host = new TPaintBox(form);
    host->SetParent(form);
    host->SetBounds(0, 0, form->ClientWidth(), form->ClientHeight());
    std::vector<TuiCustomEditViewInfo> infos(rows.size());
    auto cellBounds = [](std::size_t i) {
        const int top = 6 + kGalleryCellHeight * static_cast<int>(i);
        return TRect{10, top, 10 + 120, top + 21};
    };
    host->OnPaint = [&](TObject*) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::unique_ptr<TuiCustomEditViewData> data(
                properties.CreateViewData(styles[i].get(), rows[i].InPlace));
            data->Calculate(host->Canvas(), cellBounds(i), TPoint{-1, -1}, TShiftState{}, infos[i]);
            infos[i].Paint(host->Canvas());
        }
    };
    form->Show();
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("editviewdata_cells")));
    auto pixel = [&](int X, int Y) {
        const TPoint at = OnScreen(form, X, Y);
        return ComposedScreenPixel(at.x, at.y);
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TCellRow& row = rows[i];
        SCOPED_TRACE(row.Name);
        const TRect b = cellBounds(i);
        const TuiCustomEditViewInfo& vi = infos[i];
        EXPECT_EQ(vi.BorderRect, (TRect{b.left + row.Extent.left, b.top + row.Extent.top, b.right - row.Extent.right,
                                        b.bottom - row.Extent.bottom}));
        ASSERT_EQ(vi.ButtonsInfo.size(), 1u);
        const TRect& button = vi.ButtonsInfo[0].Bounds;
        EXPECT_EQ(button.right, vi.BorderRect.right) << "the button sits at the right inside the border";
        EXPECT_EQ(button.right - button.left, GetSystemMetrics(SM_CYHSCROLL));
        EXPECT_EQ(vi.ClientRect.right, button.left) << "the text area ends at the button";
        EXPECT_EQ(vi.PopupBorderStyle, row.InPlace ? epbsFrame3D : epbsSingle)
            << "in place by the look, else by the border";
        const int middle = (b.top + b.bottom) / 2;
        EXPECT_EQ(pixel(vi.ClientRect.left + 3, middle), static_cast<COLORREF>(ColorToRGB(clWindow)))
            << "the cell's background";
        if (row.Framed) EXPECT_NE(pixel(b.left, middle), formColour) << "a frame at the edge";
        else EXPECT_EQ(pixel(b.left, middle), formColour) << "the host's own background at the edge";
        EXPECT_NE(pixel((button.left + button.right) / 2, button.top + 1), static_cast<COLORREF>(ColorToRGB(clWindow)))
            << "the button is drawn";
    }
}

// An editor whose hot style is thick keeps the room of a thick frame in every state, so that its text does
// not jump when the mouse comes.
TEST_F(EditViewDataWindows, AnEditorThickInOneStateKeepsItsRoomInAll) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 260, 100);
    auto* edit = Construct<TuiTextEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 24);
    edit->SetEditValue(Variant("thick when hot"));
    edit->Style()->SetTransparentBorder(false);
    edit->Style()->SetBorderStyle(cbsSingle);
    edit->StyleHot()->SetBorderStyle(cbsThick);
    auto* other = NewEditAfter(form, 50);
    form->Show();
    other->SetFocus();
    ProcessPendingMessages();
    const TRect cold = edit->InnerEdit()->BoundsRect();
    EXPECT_EQ(cold.left, 2) << "the thick frame's room";
    const TPoint over = OnScreen(edit, 40, 12);
    SetCursorPos(over.x, over.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    ProcessPendingMessages();
    ASSERT_TRUE(edit->ViewInfo()->ContainerState.Contains(cisHotTrack));
    EXPECT_EQ(edit->ViewInfo()->BorderStyle, cbsThick);
    EXPECT_EQ(edit->InnerEdit()->BoundsRect(), cold) << "the text stays where it was";
}

// With the buttons filling the editor they share its whole width by their own widths, from its left border to
// its right one, and no text area is left.
TEST_F(EditViewDataWindows, ButtonsFillTheEditorInTheFillWidthViewMode) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 320, 100);
    auto* edit = Construct<TuiTextEdit>(form);
    edit->SetParent(form);
    edit->Properties()->Buttons()->Add()->SetKind(bkEllipsis);
    TuiEditButton* text = edit->Properties()->Buttons()->Add();
    text->SetKind(bkText);
    text->SetCaption("Choose");
    text->SetLeftAlignment(true);
    edit->Properties()->SetViewMode(tvmButtonsFillWidth);
    edit->SetAutoSize(false);
    edit->SetBounds(10, 10, 240, 24);
    form->Show();
    ProcessPendingMessages();
    const TuiCustomEditViewInfo* vi = edit->EditViewInfo();
    ASSERT_EQ(vi->ButtonsInfo.size(), 2u);
    const TRect first = vi->ButtonsInfo[0].Bounds, second = vi->ButtonsInfo[1].Bounds;
    EXPECT_FALSE(vi->ButtonsInfo[1].LeftAlignment) << "filling buttons line up from the right";
    EXPECT_EQ(first.left, vi->BorderRect.left);
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(second.right, vi->BorderRect.right);
    EXPECT_GT(second.right - second.left, first.right - first.left) << "the wider caption keeps the larger share";
    EXPECT_EQ(vi->ClientRect.right - vi->ClientRect.left, 0);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("editviewdata_buttons_fill_width")));
}

}  // namespace

}  // namespace zel::test
