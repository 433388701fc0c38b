// The about window: what it shows, and its Close button ending the modal loop.
#include <gtest/gtest.h>

#include "app/Ueabout.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

using AboutWindow = VclTest;

TEST_F(AboutWindow, ShowsNameAndVersionAndCloseEndsIt) {
    auto* about = Keep(Construct<TFormeditorAbout>(nullptr));
    EXPECT_EQ(about->Caption(), "About");
    EXPECT_EQ(about->ProductName->Caption(), "Zelmovi");
    EXPECT_EQ(about->Version->Caption(), "Version : 3.0");
    EXPECT_EQ(about->OKButton->Caption(), "Close");
    bool shot = false;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (!shot) {
            shot = true;
            EXPECT_TRUE(SaveWindowImage(about->GetHandle(), ScreenshotPath("about")));
            about->OKButton->Click();
        }
    };
    EXPECT_EQ(about->ShowModal(), mrOk);
    EXPECT_FALSE(about->GetVisible());
}

}  // namespace
}  // namespace zel::test
