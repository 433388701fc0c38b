// The view data of the editors: the layout tables, button placement and stretching on their own; then a host
// painting cells from view data with no editor window; an editor thick in one state keeping its room in all;
// buttons that fill an editor.
#include "uilib/editors/uiEditViewData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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
#include "uilib/editors/uiCheckBox.h"
#include "uilib/editors/uiEditControl.h"
#include "uilib/editors/uiSpinEdit.h"
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

// The state a view data finds and the frame's theme state: disabled wins over everything, read-only over focus
// and the mouse; a host's colours win over the style's.
TEST(EditViewData, StateNativeStateAndColours) {
    struct Row {
        const char* Name;
        bool Enabled, Focused, ReadOnly, MouseOver, LeftDown;
        TuiContainerState State;
        int NativeState;
    } rows[] = {
        {"Normal", true, false, false, false, false, TuiContainerState{cisNormal}, 1},
        {"Hot", true, false, false, true, false, TuiContainerState{cisNormal, cisHotTrack}, 2},
        {"HotWithTheButtonDownElsewhere", true, false, false, true, true, TuiContainerState{cisNormal}, 1},
        {"Focused", true, true, false, false, false, TuiContainerState{cisActive}, 5},
        {"ReadOnlyAndFocused", true, true, true, true, false, TuiContainerState{cisActive, cisHotTrack}, 6},
        {"Disabled", false, true, true, true, false, TuiContainerState{cisDisabled}, 4},
    };
    TuiCustomEditProperties properties(nullptr);
    TuiEditStyle style(nullptr, false);
    style.SetColor(clAqua);
    const TRect bounds{0, 0, 100, 20};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::unique_ptr<TuiCustomEditViewData> data(properties.CreateViewData(&style, false));
        data->Enabled = row.Enabled;
        data->Focused = row.Focused;
        data->ReadOnly = row.ReadOnly;
        const TuiContainerState state = data->ContainerState(bounds, row.MouseOver ? TPoint{50, 10} : TPoint{-1, -1},
                                                             row.LeftDown ? TShiftState{ssLeft} : TShiftState{});
        EXPECT_TRUE(state == row.State);
        EXPECT_EQ(data->NativeState(state), row.NativeState);
    }
    const std::unique_ptr<TuiCustomEditViewData> data(properties.CreateViewData(&style, false));
    EXPECT_EQ(data->GetBackgroundColor(TuiContainerState{cisNormal}), clAqua);
    EXPECT_EQ(data->GetTextColor(), style.GetTextColor());
    data->BackgroundColor = clYellow;
    data->TextColor = clRed;
    EXPECT_EQ(data->GetBackgroundColor(TuiContainerState{cisNormal}), clYellow);
    EXPECT_EQ(data->GetTextColor(), clRed);
}

// ---- Cells painted from view data alone

struct TCellRow {
    const char* Name;
    bool InPlace;
    bool TransparentBorder;
    TuiEditBorderStyle Border;
    bool Shadow;
    TRect Extent;         // the room the border takes on each side
    int FrameAt;          // how far inside the cell's left edge the frame begins; -1 for no frame
    int HostButtonWidth;  // the width the host gives buttons without one of their own; 0 for none
};

class EditViewDataWindows : public EditorWindowTest {};

// A host painting cells: a paint box over the whole form.
TPaintBox* NewCellHost(TForm* AForm) {
    auto* host = new TPaintBox(AForm);
    host->SetParent(AForm);
    host->SetBounds(0, 0, AForm->ClientWidth(), AForm->ClientHeight());
    return host;
}

// Shows the form with the focus in a plain edit at ATop, away from the editors tried.
void ShowWithFocusElsewhere(TForm* AForm, int ATop) {
    auto* other = NewEditAfter(AForm, ATop);
    AForm->Show();
    other->SetFocus();
    ProcessPendingMessages();
}

// A host (a paint box, as a grid would) paints one cell per row with an ellipsis button, each from view data
// made by the settings for a style, without any editor window. A transparent border keeps two pixels, the
// frame drawn inside them as an editor's window draws it, the rest left to the host.
TEST_F(EditViewDataWindows, ACellIsPaintedFromViewDataAlone) {
    const std::vector<TCellRow> rows = {
        {"InPlace", true, true, ebs3D, false, TRect{1, 1, 1, 1}, -1, 0},
        {"TransparentThreeD", false, true, ebs3D, false, TRect{2, 2, 2, 2}, 0, 0},
        {"TransparentSingle", false, true, ebsSingle, false, TRect{2, 2, 2, 2}, 1, 0},
        {"Single", false, false, ebsSingle, false, TRect{1, 1, 1, 1}, 0, 0},
        {"Thick", false, false, ebsThick, false, TRect{2, 2, 2, 2}, 0, 0},
        {"ThreeD", false, false, ebs3D, false, TRect{2, 2, 2, 2}, 0, 0},
        {"SingleWithShadow", false, false, ebsSingle, true, TRect{1, 1, 4, 4}, 0, 0},
        {"HostButtonWidth", false, false, ebsSingle, false, TRect{1, 1, 1, 1}, 0, 40},
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
    auto* host = NewCellHost(form);
    std::vector<TuiCustomEditViewInfo> infos(rows.size());
    auto cellBounds = [](std::size_t i) {
        const int top = 6 + kGalleryCellHeight * static_cast<int>(i);
        return TRect{10, top, 10 + 120, top + 21};
    };
    host->OnPaint = [&](TObject*) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::unique_ptr<TuiCustomEditViewData> data(
                properties.CreateViewData(styles[i].get(), rows[i].InPlace));
            if (const int width = rows[i].HostButtonWidth; width > 0)
                data->OnGetDefaultButtonWidth = [width](int) { return width; };
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
        EXPECT_EQ(button.right - button.left,
                  row.HostButtonWidth > 0 ? row.HostButtonWidth : GetSystemMetrics(SM_CYHSCROLL));
        EXPECT_EQ(vi.ClientRect.right, button.left) << "the text area ends at the button";
        EXPECT_EQ(vi.PopupBorderStyle, row.InPlace ? epbsFrame3D : epbsSingle)
            << "in place by the look, else by the border";
        const int middle = (b.top + b.bottom) / 2;
        EXPECT_EQ(pixel(vi.ClientRect.left + 3, middle), static_cast<COLORREF>(ColorToRGB(clWindow)))
            << "the cell's background";
        if (row.FrameAt != 0) {
            EXPECT_EQ(pixel(b.left, middle), formColour) << "the host's own background at the edge";
        }
        if (row.FrameAt >= 0) {
            EXPECT_NE(pixel(b.left + row.FrameAt, middle), formColour) << "the frame";
        }
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
    ShowWithFocusElsewhere(form, 50);
    const TRect cold = edit->InnerEdit()->BoundsRect();
    EXPECT_EQ(cold.left, 3) << "the thick frame's room and the content offset";
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

// An editor whose hot frame is thinner than its normal one, with a transparent border: the mouse on the ring the
// thin frame leaves to the parent does not keep it hot (it would flicker between the two frames), one pixel
// further in it does.
TEST_F(EditViewDataWindows, AThinnerFrameIsLaidOutTwice) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    auto* edit = Construct<TuiTextEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 24);
    edit->Style()->SetTransparentBorder(true);
    edit->Style()->SetBorderStyle(cbs3D);
    edit->StyleHot()->SetBorderStyle(cbsSingle);
    ShowWithFocusElsewhere(form, 50);
    const TRect bounds{0, 0, edit->GetWidth(), edit->GetHeight()};
    const int middle = bounds.bottom / 2;
    struct Row {
        const char* Name;
        int X;
        bool Hot;
        TuiContainerBorderStyle Border;
    } rows[] = {{"OnTheRingTheThinFrameLeaves", 0, false, cbs3D}, {"OnTheThinFrame", 1, true, cbsSingle}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::unique_ptr<TuiCustomEditViewData> data(edit->CreateViewData());
        TuiCustomEditViewInfo vi;
        vi.BorderStyle = cbs3D;  // the frame laid out before
        data->Calculate(edit->Canvas(), bounds, TPoint{row.X, middle}, TShiftState{}, vi);
        EXPECT_EQ(vi.ContainerState.Contains(cisHotTrack), row.Hot);
        EXPECT_EQ(vi.BorderStyle, row.Border);
        EXPECT_EQ(vi.BorderRect.left, 2) << "the text keeps its place in both";
    }
}

TRect Shifted(const TRect& R, int DX, int DY) { return TRect{R.left + DX, R.top + DY, R.right + DX, R.bottom + DY}; }

// The box around the pixels inside R (window coordinates) of AWindow's picture that are much darker than an
// editor's background: the text.
TRect DarkPixels(HWND AWindow, const TRect& R) {
    const std::vector<COLORREF> pixels = ComposedPixels(AWindow, R);
    TRect box{R.right, R.bottom, R.left, R.top};
    std::size_t i = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x, ++i) {
            const COLORREF c = i < pixels.size() ? pixels[i] : CLR_INVALID;
            if (c == CLR_INVALID || GetRValue(c) + GetGValue(c) + GetBValue(c) >= 3 * 100) continue;
            box = TRect{std::min<int>(box.left, x), std::min<int>(box.top, y), std::max<int>(box.right, x + 1),
                        std::max<int>(box.bottom, y + 1)};
        }
    return box;
}

// Paints a cell at ACell from AEdit's settings and style alone, the way a host without the editor would, and
// keeps its view info in AInfo.
template <class TInfo>
void PaintCellLike(TuiCustomTextEdit* AEdit, TCanvas* ACanvas, const TRect& ACell, std::unique_ptr<TInfo>& AInfo) {
    const std::unique_ptr<TuiCustomEditViewData> data(
        AEdit->ActiveProperties()->CreateViewData(static_cast<TuiCustomEditStyle*>(AEdit->Style()), false));
    auto* text = dynamic_cast<TuiCustomTextEditViewData*>(data.get());
    ASSERT_NE(text, nullptr);
    text->EditValue = AEdit->GetEditValue();
    AInfo = std::make_unique<TInfo>();
    text->Calculate(ACanvas, ACell, TPoint{-1, -1}, TShiftState{}, *AInfo);
    AInfo->Paint(ACanvas);
}

class EditViewDataThemedWindows : public EditorWindowTest {
protected:
    EditViewDataThemedWindows() { themed_ = true; }
};

// Every border style in every look, with and without a transparent border: a text editor, and beside it a cell
// painted from the editor's own settings and style without the editor. The text is at the same place in both.
TEST_F(EditViewDataThemedWindows, ACellPutsTheTextWhereTheEditorDoes) {
    const std::vector<std::pair<const char*, TuiContainerBorderStyle>> borders = {
        {"None", cbsNone}, {"Single", cbsSingle},       {"Thick", cbsThick},      {"Flat", cbsFlat},
        {"3D", cbs3D},     {"UltraFlat", cbsUltraFlat}, {"Office11", cbsOffice11}};
    const int looks = static_cast<int>(GalleryLooks().size());
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetCaption("Editors and their cells");
    form->SetClientWidth(8 + 2 * kGalleryCellWidth * looks);
    const int rowsHeight = kGalleryCellHeight * 2 * static_cast<int>(borders.size());
    form->SetClientHeight(8 + rowsHeight + 30);
    auto* host = NewCellHost(form);
    struct TPair {
        std::string Name;
        TuiTextEdit* Edit;
        TRect Cell;
        std::unique_ptr<TuiCustomTextEditViewInfo> Info;
    };
    std::vector<std::unique_ptr<TPair>> pairs;
    int row = 0;
    for (bool transparent : {false, true})
        for (const auto& [name, border] : borders) {
            for (int column = 0; column < looks; ++column) {
                const TGalleryLook& look = GalleryLooks()[static_cast<std::size_t>(column)];
                const int x = 8 + 2 * kGalleryCellWidth * column, y = 6 + kGalleryCellHeight * row;
                auto* edit = Construct<TuiTextEdit>(form);
                edit->SetParent(form);
                edit->SetBounds(x, y, kGalleryControlWidth, kGalleryControlHeight);
                edit->Style()->GetLookAndFeel()->SetKind(look.Kind);
                edit->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
                edit->Style()->SetBorderStyle(border);
                edit->Style()->SetTransparentBorder(transparent);
                edit->SetEditValue(Variant("Zg|" + std::string(name)));
                auto pair = std::make_unique<TPair>();
                pair->Name = std::string(look.Name) + " " + name + (transparent ? " transparent" : "");
                pair->Edit = edit;
                pair->Cell =
                    TRect{x + kGalleryCellWidth, y, x + kGalleryCellWidth + edit->GetWidth(), y + edit->GetHeight()};
                pairs.push_back(std::move(pair));
            }
            ++row;
        }
    host->OnPaint = [&](TObject*) {
        for (const auto& pair : pairs) {
            PaintCellLike(pair->Edit, host->Canvas(), pair->Cell, pair->Info);
        }
    };
    ShowWithFocusElsewhere(form, 8 + rowsHeight);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("editviewdata_text_places")));
    // Where the form's client point (0, 0) lies in the picture.
    RECT window{};
    GetWindowRect(form->GetHandle(), &window);
    const TPoint origin = OnScreen(form, 0, 0);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair->Name);
        TuiTextEdit* edit = pair->Edit;
        ASSERT_NE(pair->Info, nullptr);
        const TuiCustomTextEditViewInfo& cell = *pair->Info;
        const TRect client = edit->ViewInfo()->ClientRect;
        EXPECT_EQ(Shifted(cell.ClientRect, -pair->Cell.left, -pair->Cell.top), client) << "the same layout";
        EXPECT_EQ(Shifted(cell.TextRect, -pair->Cell.left, -pair->Cell.top), edit->InnerEdit()->BoundsRect())
            << "the text where the inner edit is";
        const TRect inEditor =
            DarkPixels(form->GetHandle(), Shifted(client, edit->GetLeft() + dx, edit->GetTop() + dy));
        const TRect inCell = DarkPixels(form->GetHandle(), Shifted(client, pair->Cell.left + dx, pair->Cell.top + dy));
        ASSERT_LT(inEditor.left, inEditor.right) << "the editor shows its text";
        EXPECT_EQ(Shifted(inEditor, -edit->GetLeft(), -edit->GetTop()),
                  Shifted(inCell, -pair->Cell.left, -pair->Cell.top));
    }
}

// Spin editors in each button position, and beside each a cell painted from its settings and style alone: the
// buttons, the text area and the text's place are the same in both.
TEST_F(EditViewDataThemedWindows, ASpinCellPlacesItsButtonsAsTheEditorDoes) {
    const std::pair<const char*, TuiSpinEditButtonsPosition> positions[] = {
        {"HorzLeftRight", sbpHorzLeftRight}, {"HorzRight", sbpHorzRight}, {"Vert", sbpVert}};
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetCaption("Spin editors and their cells");
    const int looks = static_cast<int>(GalleryLooks().size());
    form->SetClientWidth(8 + 2 * kGalleryCellWidth * looks);
    form->SetClientHeight(8 + kGalleryCellHeight * 3 + 30);
    auto* host = NewCellHost(form);
    struct TPair {
        std::string Name;
        TuiSpinEdit* Edit = nullptr;
        TRect Cell;
        std::unique_ptr<TuiSpinEditViewInfo> Info;
    };
    std::vector<std::unique_ptr<TPair>> pairs;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < looks; ++column) {
            const TGalleryLook& look = GalleryLooks()[static_cast<std::size_t>(column)];
            const int x = 8 + 2 * kGalleryCellWidth * column, y = 6 + kGalleryCellHeight * row;
            auto* spin = Construct<TuiSpinEdit>(form);
            spin->SetParent(form);
            spin->SetBounds(x, y, kGalleryControlWidth, kGalleryControlHeight);
            spin->Style()->GetLookAndFeel()->SetKind(look.Kind);
            spin->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
            spin->Properties()->SpinButtons()->SetPosition(positions[row].second);
            spin->Properties()->SpinButtons()->SetShowFastButtons(true);
            spin->SetValue(Variant(42));
            auto pair = std::make_unique<TPair>();
            pair->Name = std::string(look.Name) + " " + positions[row].first;
            pair->Edit = spin;
            pair->Cell =
                TRect{x + kGalleryCellWidth, y, x + kGalleryCellWidth + spin->GetWidth(), y + spin->GetHeight()};
            pairs.push_back(std::move(pair));
        }
    host->OnPaint = [&](TObject*) {
        for (const auto& pair : pairs) {
            PaintCellLike(pair->Edit, host->Canvas(), pair->Cell, pair->Info);
        }
    };
    ShowWithFocusElsewhere(form, 8 + kGalleryCellHeight * 3);
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), ScreenshotPath("editviewdata_spin_cells")));
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair->Name);
        ASSERT_NE(pair->Info, nullptr);
        const TuiSpinEditViewInfo& cell = *pair->Info;
        const TuiSpinEditViewInfo& editor = *pair->Edit->SpinViewInfo();
        const int dx = -pair->Cell.left, dy = -pair->Cell.top;
        EXPECT_EQ(Shifted(cell.ClientRect, dx, dy), editor.ClientRect);
        EXPECT_EQ(Shifted(cell.TextRect, dx, dy), pair->Edit->InnerEdit()->BoundsRect());
        ASSERT_EQ(cell.ButtonsInfo.size(), editor.ButtonsInfo.size());
        for (std::size_t i = 0; i < cell.ButtonsInfo.size(); ++i)
            EXPECT_EQ(Shifted(cell.ButtonsInfo[i].Bounds, dx, dy), editor.ButtonsInfo[i].Bounds) << i;
    }
}

// A native editor made read-only shows the theme's read-only frame, and typing into it changes nothing.
TEST_F(EditViewDataThemedWindows, AReadOnlyNativeEditorTakesTheReadOnlyThemeState) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 260, 120);
    auto* edit = Construct<TuiTextEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 23);
    edit->Style()->GetLookAndFeel()->SetNativeStyle(true);
    edit->SetEditValue(Variant("fixed"));
    ShowWithFocusElsewhere(form, 50);
    ASSERT_TRUE(edit->ViewInfo()->NativeStyle);
    EXPECT_EQ(edit->ViewInfo()->NativeState, 1);
    edit->Properties()->SetReadOnly(true);
    ProcessPendingMessages();
    EXPECT_EQ(edit->ViewInfo()->NativeState, 6);
    const TRect text = edit->InnerEdit()->BoundsRect();
    ClickAt(edit, TPoint{text.left + 3, text.top + 3});
    Tap(VK_END);
    Tap('X');
    RunQueue();
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "fixed");
    EXPECT_EQ(edit->ViewInfo()->NativeState, 6) << "read-only wins over focus";
}

// A spin editor, whose text now sits inside the content offsets, takes a click on its text and typed digits.
TEST_F(EditViewDataWindows, TypingIntoAnEditorLaidOutByItsViewData) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 260, 120);
    auto* spin = Construct<TuiSpinEdit>(form);
    spin->SetParent(form);
    spin->SetBounds(10, 10, 120, 23);
    spin->SetValue(Variant(42));
    ShowWithFocusElsewhere(form, 50);
    const TRect text = spin->InnerEdit()->BoundsRect();
    EXPECT_EQ(text.left, spin->ViewInfo()->ClientRect.left + 1);
    EXPECT_EQ(text.top, spin->ViewInfo()->ClientRect.top + 1);
    ClickAt(spin, TPoint{text.left + 3, text.top + 3});
    Tap(VK_END);
    Tap('7');
    Tap(VK_RETURN);
    RunQueue();
    EXPECT_EQ(VarToStr(spin->GetValue()), "427");
    EXPECT_EQ(VarToStr(spin->GetEditValue()), "427");
}

// One text editor per look and beside it a cell painted from the editor's settings and style alone, taken
// through the states by real input: the mouse over it, read-only, focused by a click (the mouse stays over it),
// disabled. Each state
// style has colours of its own (the native look keeps the theme's fill, which differs per state), and in each
// state the window and the cell find the same state, frame and colours, and show the same pixels.
TEST_F(EditViewDataThemedWindows, AnEditorAndItsCellAgreeInEveryState) {
    const std::pair<int, COLORREF> fills[] = {{1, RGB(250, 250, 236)},
                                              {2, RGB(236, 250, 250)},
                                              {4, RGB(220, 220, 220)},
                                              {5, RGB(240, 255, 240)},
                                              {6, RGB(232, 232, 248)}};
    for (const auto& [state, fill] : fills) provider_.Colors[{1, state, 3802}] = fill;
    const int looks = static_cast<int>(GalleryLooks().size());
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetCaption("Editors and their cells in each state");
    form->SetClientWidth(8 + 2 * kGalleryCellWidth * looks);
    form->SetClientHeight(8 + kGalleryCellHeight + 30);
    auto* host = NewCellHost(form);
    struct TPair {
        const TGalleryLook* Look = nullptr;
        TuiTextEdit* Edit = nullptr;
        TRect Cell;
        std::unique_ptr<TuiCustomTextEditViewInfo> Info;
    };
    std::vector<std::unique_ptr<TPair>> pairs;
    for (int column = 0; column < looks; ++column) {
        const TGalleryLook& look = GalleryLooks()[static_cast<std::size_t>(column)];
        const int x = 8 + 2 * kGalleryCellWidth * column, y = 6;
        auto* edit = Construct<TuiTextEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(x, y, kGalleryControlWidth, kGalleryControlHeight);
        edit->Style()->GetLookAndFeel()->SetKind(look.Kind);
        edit->Style()->GetLookAndFeel()->SetNativeStyle(look.Native);
        edit->Style()->SetBorderStyle(cbsUltraFlat);
        edit->Style()->SetTransparentBorder(false);
        if (!look.Native) {
            edit->StyleHot()->SetColor(static_cast<TColor>(RGB(255, 250, 210)));
            edit->StyleFocused()->SetColor(static_cast<TColor>(RGB(220, 255, 220)));
            edit->StyleFocused()->SetTextColor(clNavy);
            edit->StyleDisabled()->SetColor(static_cast<TColor>(RGB(210, 210, 210)));
        }
        auto pair = std::make_unique<TPair>();
        pair->Look = &look;
        pair->Edit = edit;
        pair->Cell = TRect{x + kGalleryCellWidth, y, x + kGalleryCellWidth + edit->GetWidth(), y + edit->GetHeight()};
        pairs.push_back(std::move(pair));
    }
    // The host paints each cell in the state its editor is in, with the mouse where it is over the editor.
    host->OnPaint = [&](TObject*) {
        for (const auto& pair : pairs) {
            TuiTextEdit* edit = pair->Edit;
            const std::unique_ptr<TuiCustomEditViewData> data(
                edit->ActiveProperties()->CreateViewData(static_cast<TuiCustomEditStyle*>(edit->Style()), false));
            data->Enabled = edit->GetEnabled();
            data->Focused = edit->IsFocused();
            data->ReadOnly = edit->IsReadOnly();
            POINT mouse{};
            GetCursorPos(&mouse);
            const TPoint overEditor = edit->ScreenToClient(TPoint{mouse.x, mouse.y});
            const TPoint p{pair->Cell.left + overEditor.x, pair->Cell.top + overEditor.y};
            pair->Info = std::make_unique<TuiCustomTextEditViewInfo>();
            data->Calculate(host->Canvas(), pair->Cell, p, TShiftState{}, *pair->Info);
            pair->Info->Paint(host->Canvas());
        }
    };
    ShowWithFocusElsewhere(form, 8 + kGalleryCellHeight);
    auto moveMouse = [](TPoint AScreen) {
        SetCursorPos(AScreen.x, AScreen.y);
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        ProcessPendingMessages();
    };
    struct TStep {
        const char* Name;
        std::function<void(TuiTextEdit*)> Do;
        TuiContainerState State;
    } steps[] = {
        {"Normal", [](TuiTextEdit*) {}, TuiContainerState{cisNormal}},
        {"Hot", [&](TuiTextEdit* E) { moveMouse(OnScreen(E, 40, 10)); }, TuiContainerState{cisNormal, cisHotTrack}},
        {"ReadOnly",
         [&](TuiTextEdit* E) {
             moveMouse(TPoint{2000, 2000});
             E->Properties()->SetReadOnly(true);
         },
         TuiContainerState{cisNormal}},
        {"FocusedByAClick",
         [&](TuiTextEdit* E) {
             E->Properties()->SetReadOnly(false);
             ClickAt(E, TPoint{40, 10});
         },
         TuiContainerState{cisActive, cisHotTrack}},
        {"Disabled", [](TuiTextEdit* E) { E->SetEnabled(false); }, TuiContainerState{cisDisabled}},
    };
    for (const TStep& step : steps) {
        for (const auto& pair : pairs) {
            SCOPED_TRACE(std::string(pair->Look->Name) + " " + step.Name);
            step.Do(pair->Edit);
            host->Invalidate();
            ProcessPendingMessages();
            TuiTextEdit* edit = pair->Edit;
            const TuiCustomTextEditViewInfo& window = *edit->TextViewInfo();
            ASSERT_NE(pair->Info, nullptr);
            const TuiCustomTextEditViewInfo& cell = *pair->Info;
            EXPECT_TRUE(window.ContainerState == step.State);
            EXPECT_TRUE(cell.ContainerState == window.ContainerState);
            EXPECT_EQ(cell.BorderStyle, window.BorderStyle);
            EXPECT_EQ(cell.BorderColor, window.BorderColor);
            EXPECT_EQ(cell.BackgroundColor, window.BackgroundColor);
            EXPECT_EQ(cell.TextColor, window.TextColor);
            EXPECT_EQ(cell.NativeState, window.NativeState);
            EXPECT_EQ(cell.HotState, window.HotState);
            if (pair->Look->Native) {
                const int native = step.State.Contains(cisDisabled)       ? 4
                                   : std::string(step.Name) == "ReadOnly" ? 6
                                   : step.State.Contains(cisActive)       ? 5
                                   : step.State.Contains(cisHotTrack)     ? 2
                                                                          : 1;
                EXPECT_EQ(window.NativeState, native);
                if (native != 4) {
                    EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(window.BackgroundColor)),
                              provider_.Colors[std::make_tuple(1, native, 3802)])
                        << "an enabled native editor takes the theme's fill of its state";
                }
            }
            const int middle = edit->GetHeight() / 2;
            for (int x : {0, 1, 6}) {
                const TPoint inEditor = OnScreen(edit, x, middle);
                const TPoint inCell = OnScreen(form, pair->Cell.left + x, pair->Cell.top + middle);
                EXPECT_EQ(ComposedScreenPixel(inCell.x, inCell.y), ComposedScreenPixel(inEditor.x, inEditor.y))
                    << "the pixel " << x << " in from the left";
            }
        }
        EXPECT_TRUE(
            SaveWindowImage(form->GetHandle(), ScreenshotPath(std::string("editviewdata_states_") + step.Name)));
    }
}

// A host painting in-place cells of an editor whose settings ask for the automatic-width layout: the buttons
// share the whole cell; and a host that words the values its own way through the value-prepared event shows
// its text, where a host without one shows the settings' display text.
TEST_F(EditViewDataWindows, InPlaceCellsStretchTheirButtonsAndTakeTheHostsText) {
    auto* form = Keep(Construct<TEditorGalleryForm>(nullptr));
    form->SetBounds(100, 100, 320, 120);
    auto* edit = Construct<TuiTextEdit>(form);
    edit->SetParent(form);
    edit->Properties()->Buttons()->Add()->SetKind(bkEllipsis);
    edit->Properties()->Buttons()->Add()->SetKind(bkDown);
    ShowWithFocusElsewhere(form, 50);
    const TRect cell{0, 0, 200, 20};
    struct Row {
        const char* Name;
        TuiTextEditViewMode Mode;
        bool Prepares;
        bool Fills;
        const char* Text;
    } rows[] = {
        {"NormalLayout", tvmNormal, false, false, "plain"},
        {"AutomaticWidth", tvmButtonsFillWidth, false, true, "plain"},
        {"HostWordsTheValue", tvmNormal, true, false, "<plain>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        edit->Properties()->SetViewMode(row.Mode);
        const std::unique_ptr<TuiCustomEditViewData> data(
            edit->ActiveProperties()->CreateViewData(static_cast<TuiCustomEditStyle*>(edit->Style()), true));
        auto* text = dynamic_cast<TuiCustomTextEditViewData*>(data.get());
        ASSERT_NE(text, nullptr);
        text->EditValue = Variant("plain");
        if (row.Prepares) text->OnValuePrepared = [](std::string& AText) { AText = "<" + AText + ">"; };
        TuiCustomTextEditViewInfo vi;
        text->Calculate(edit->Canvas(), cell, TPoint{-1, -1}, TShiftState{}, vi);
        ASSERT_EQ(vi.ButtonsInfo.size(), 2u);
        const int buttons = vi.ButtonsInfo[1].Bounds.right - vi.ButtonsInfo[0].Bounds.left;
        const int room = vi.BorderRect.right - vi.BorderRect.left;
        if (row.Fills) EXPECT_EQ(buttons, room);
        else EXPECT_EQ(buttons, 2 * GetSystemMetrics(SM_CYHSCROLL));
        EXPECT_EQ(vi.Text, row.Text);
    }
}

// A cell of a check box's settings painted with a style that has a frame lays out and draws none: the check
// box's view data has no border whatever the style says; a text editor's settings with the same style do.
TEST_F(EditViewDataWindows, ACheckBoxCellHasNoBorderWhateverItsStyle) {
    TuiCheckBoxProperties checkBox(nullptr);
    TuiCustomEditProperties text(nullptr);
    TuiEditStyle style(nullptr, false);
    style.SetBorderStyle(cbs3D);
    style.SetTransparentBorder(false);
    const TRect cell{0, 0, 100, 20};
    struct Row {
        const char* Name;
        TuiCustomEditProperties* Properties;
        TuiContainerBorderStyle Border;
        int Extent;
    } rows[] = {{"CheckBox", &checkBox, cbsNone, 0}, {"TextEditor", &text, cbs3D, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::unique_ptr<TuiCustomEditViewData> data(row.Properties->CreateViewData(&style, false));
        TuiCustomEditViewInfo vi;
        data->Calculate(nullptr, cell, TPoint{-1, -1}, TShiftState{}, vi);
        EXPECT_EQ(vi.BorderStyle, row.Border);
        EXPECT_EQ(vi.BorderRect, (TRect{row.Extent, row.Extent, 100 - row.Extent, 20 - row.Extent}));
    }
}

}  // namespace

}  // namespace zel::test
