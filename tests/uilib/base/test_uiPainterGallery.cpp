// The gallery of every painter's elements, written as PNG screenshots (one per painter and one of a form
// showing them all), so that the looks can be seen side by side.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "PainterGallery.h"
#include "platform/vcl/ExtCtrls.h"
#include "support/uilib/LookAndFeelUnits.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

struct TGalleryRow {
    const char* name;
    TuiLookAndFeelPainterClass painter;
    // Prepares the theme provider for the row; nullptr: no theme library.
    std::function<void(TTestThemeProvider&)> themes;
};

TEST(PainterGallery, EveryPainterSideBySide) {
    const TGalleryRow rows[] = {
        {"Standard", PainterClass<TuiStandardLookAndFeelPainter>(), nullptr},
        {"Flat", PainterClass<TuiFlatLookAndFeelPainter>(), nullptr},
        {"UltraFlat", PainterClass<TuiUltraFlatLookAndFeelPainter>(), nullptr},
        {"Office2003", PainterClass<TuiOffice11LookAndFeelPainter>(), nullptr},
        // The blue scheme; the provider refuses the scroll-bar class, so the bars fall back to Standard.
        {"Office2003Blue", PainterClass<TuiOffice11LookAndFeelPainter>(),
         [](TTestThemeProvider& p) { p.UnknownClasses = {L"ScrollBar"}; }},
        {"Native", PainterClass<TuiWinXPLookAndFeelPainter>(), [](TTestThemeProvider& p) { p.PaintsParts = true; }},
    };
    constexpr int label = 110;
    TBitmap whole;
    whole.SetSize(label + kGalleryWidth, kGalleryRowHeight * static_cast<int>(std::size(rows)));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const TGalleryRow& row = rows[i];
        TTestThemeProvider provider;
        if (row.themes) row.themes(provider);
        TLookAndFeelUnits units(row.themes ? &provider : nullptr);
        TBitmap image;
        image.SetSize(kGalleryWidth, kGalleryRowHeight);
        TuiCanvas canvas(image.Canvas());
        PaintGalleryRow(&canvas, row.painter, 0);
        ASSERT_TRUE(image.SaveToPngFile(test::ScreenshotPath(std::string("painter-") + row.name))) << row.name;

        const int top = static_cast<int>(i) * kGalleryRowHeight;
        TCanvas* c = whole.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(Bounds(0, top, label, kGalleryRowHeight));
        c->Font()->SetColor(clBlack);
        c->TextOut(6, top + 24, row.name);
        c->CopyRect(Bounds(label, top, kGalleryWidth, kGalleryRowHeight), image.Canvas(),
                    TRect{0, 0, kGalleryWidth, kGalleryRowHeight});
        if (row.themes) {
            // The themed rows reached the provider.
            EXPECT_GT(provider.CallCount("DrawThemeBackground"), 0) << row.name;
        }
    }
    std::unique_ptr<TForm> form(Construct<TForm>(nullptr));
    form->SetCaption("Painters");
    form->SetClientWidth(whole.GetWidth());
    form->SetClientHeight(whole.GetHeight());
    auto* picture = new TImage(form.get());
    picture->SetParent(form.get());
    picture->SetAlign(alClient);
    picture->Picture()->Assign(&whole);
    form->Show();
    EXPECT_TRUE(SaveWindowImage(form->GetHandle(), test::ScreenshotPath("painter-gallery")));
}

}  // namespace
}  // namespace zel::test
