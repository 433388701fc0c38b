// The command list's rows as each customizing-form painter draws them: the fills that tell selected rows from
// the others, and a picture of every look.
#include "CustFormSupport.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Screenshot.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarSubItem.h"

namespace zel::test {
namespace {

using CustomizingFormPainters = CustFormTest;

TEST_F(CustomizingFormPainters, EachLookFillsItsRowsInItsItemColours) {
    auto* combo = new TubBarCombo(Sample);
    combo->SetCaption("Zoom");
    combo->SetCategory(1);
    const struct {
        const char* name;
        TubBarCustomizingFormPainterClass painter;
    } looks[] = {{"standard", CustomizingFormPainterOf(nullptr)},
                 {"flat",
                  [this] {
                      Manager->SetStyle(bmsFlat);
                      return CustomizingFormPainterOf(Manager);
                  }()},
                 {"office11",
                  [this] {
                      Manager->SetStyle(bmsOffice11);
                      return CustomizingFormPainterOf(Manager);
                  }()},
                 {"xp", [] {
                      static const TubBarCustomizingFormXPPainter xp;
                      return static_cast<TubBarCustomizingFormPainterClass>(&xp);
                  }()}};
    EXPECT_NE(dynamic_cast<const TubBarCustomizingFormFlatPainter*>(looks[1].painter), nullptr);
    EXPECT_NE(dynamic_cast<const TubBarCustomizingFormOffice11Painter*>(looks[2].painter), nullptr);
    const struct {
        TubBarItem* item;
        bool selected;
    } rows[] = {{Sample->FileOpenItem, false},
                {Sample->FileOpenItem, true},
                {Sample->File1, false},
                {Sample->File1, true},
                {combo, false},
                {combo, true}};
    constexpr int width = 200, height = 22;
    TTestForm* sheet = NewForm();
    sheet->SetBorderStyle(bsNone);
    sheet->SetBounds(40, 40, width, height * static_cast<int>(std::size(rows)));
    auto* box = new TPaintBox(sheet);
    box->SetParent(sheet);
    box->SetAlign(alClient);
    TubBarCustomizingFormPainterClass painter = nullptr;
    box->OnPaint = [&](TObject*) {
        TCanvas* canvas = box->Canvas();
        canvas->Font()->Assign(Manager->GetFont());
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            const TRect r{0, static_cast<int>(i) * height, width, static_cast<int>(i + 1) * height};
            TubBarItem* item = rows[i].item;
            if (item == combo) painter->DrawEditCommand(canvas, r, rows[i].selected, item->GetCaption(), item);
            else painter->DrawCommand(canvas, r, rows[i].selected, item->GetCaption(), item);
        }
    };
    sheet->Show();
    for (const auto& look : looks) {
        SCOPED_TRACE(look.name);
        painter = look.painter;
        HWND h = sheet->GetHandle();
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Right of the caption, away from frames and arrows, a command row shows its item colour.
        for (int i = 0; i < 2; ++i) {
            const auto expected =
                static_cast<COLORREF>(ColorToRGB(painter->GetItemColor(rows[i].selected, Sample->FileOpenItem)));
            EXPECT_EQ(ComposedPixel(h, width - 40, i * height + 5), expected) << i;
        }
        // The sub-item's arrow stands at the right, 9 pixels in, from 7 pixels down.
        EXPECT_NE(ComposedPixel(h, width - 9, 2 * height + 10),
                  static_cast<COLORREF>(ColorToRGB(painter->GetItemColor(false, Sample->File1))));
        EXPECT_TRUE(SaveWindowImage(h, ScreenshotPath(std::string("custform_painter_") + look.name)));
    }
}

}  // namespace
}  // namespace zel::test
