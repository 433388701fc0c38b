// What a control's parent shows under it, painted into the control's canvas: the parent paints a copy of
// itself, then the windowed siblings below the control with their own children.
#include <gtest/gtest.h>

#include <memory>

#include "platform/vcl/Forms.h"
#include "platform/win/SysInfo.h"
#include "platform/win/UxTheme.h"
#include "uilib/base/ubUxTheme.h"
#include "uilib/base/uiGraphics.h"

namespace zel::test {
namespace {

class TFilledBox : public TCustomControl {
public:
    TFilledBox(TComponent* owner, TColor colour) : TCustomControl(owner), colour_(colour) {}
    std::string ClassName() const override { return "TFilledBox"; }
    bool PaintedACopy = false;

protected:
    void Paint() override {
        PaintedACopy = ControlState().Contains(csPaintCopy);
        Canvas()->Brush()->SetColor(colour_);
        Canvas()->FillRect(GetClientRect());
    }

private:
    TColor colour_;
};

TEST(ParentBackground, TheParentPaintsACopyAndTheSiblingsBelowPaintWithTheirChildren) {
    std::unique_ptr<TForm> form(Construct<TForm>(nullptr));
    form->SetBounds(0, 0, 200, 200);
    auto* parent = new TFilledBox(form.get(), clLime);
    parent->SetParent(form.get());
    parent->SetBounds(0, 0, 150, 150);
    auto* sibling = new TFilledBox(form.get(), clRed);
    sibling->SetParent(parent);
    sibling->SetBounds(10, 10, 40, 40);
    auto* nephew = new TFilledBox(form.get(), clBlue);
    nephew->SetParent(sibling);
    nephew->SetBounds(5, 5, 10, 10);
    auto* control = new TFilledBox(form.get(), clWhite);
    control->SetParent(parent);
    control->SetBounds(0, 0, 60, 60);
    form->Show();
    ProcessPendingMessages();

    TBitmap image;
    image.SetSize(60, 60);
    PaintParentUnderControl(control, image.Canvas(), TRect{0, 0, 60, 60}, true);
    EXPECT_TRUE(parent->PaintedACopy);
    EXPECT_FALSE(parent->ControlState().Contains(csPaintCopy));
    EXPECT_EQ(ColorToCOLORREF(image.Canvas()->GetPixel(55, 55)), ColorToCOLORREF(clLime));
    EXPECT_EQ(ColorToCOLORREF(image.Canvas()->GetPixel(12, 40)), ColorToCOLORREF(clRed));
    EXPECT_EQ(ColorToCOLORREF(image.Canvas()->GetPixel(17, 17)), ColorToCOLORREF(clBlue));

    // Through the theme unless the parent is double-buffered.
    TTestThemeProvider provider;
    InstallThemeProvider(&provider);
    ubUxThemeStartup();
    PaintControlBackgroundFromParent(control, image.Canvas(), TRect{0, 0, 60, 60});
    EXPECT_EQ(provider.CallCount("DrawThemeParentBackground"), 1);
    parent->DoubleBuffered = true;
    PaintControlBackgroundFromParent(control, image.Canvas(), TRect{0, 0, 60, 60});
    EXPECT_EQ(provider.CallCount("DrawThemeParentBackground"), 1);
    ubUxThemeShutdown();
    InstallThemeProvider(nullptr);
    ResetEntryPoints();
}

}  // namespace
}  // namespace zel::test
