// The performance window: opened from a library, the element sent once; its section editors opened by a
// double click.
#include <gtest/gtest.h>

#include "PerformanceFixture.h"

namespace zel::test {
namespace {

class PerformanceWindow : public PerformanceEditors {};

TEST_F(PerformanceWindow, OpensFromTheLibraryAndSendsThePerformanceOnce) {
    TFormLibrary* library = OpenLibraryWith(1, 0);
    TPerformance& performance = ElementOf<TPerformance>(library, 0);
    Sim.ClearLog();
    TFormPerformance* window = OpenPerformance(performance);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Sim.ReceivedMessages().size(), 17u);
    EXPECT_EQ(window->GetWidth(), 392);
    EXPECT_EQ(window->GetHeight(), 150);
    EXPECT_EQ(window->Caption(), "Perf 0 [Filename : Untitled.Syx]   [Loc : Untitled.Lib]");
    EXPECT_TRUE(SaveWindowImage(window->GetHandle(), ScreenshotPath("performance-window")));
    TFormPerComm* common = OpenCommon(window);
    ASSERT_NE(common, nullptr);
    EXPECT_TRUE(SaveWindowImage(common->GetHandle(), ScreenshotPath("performance-common")));
    common->Close();
    ProcessPendingMessages();
    TFormPart* parts = OpenParts(window);
    ASSERT_NE(parts, nullptr);
    EXPECT_TRUE(SaveWindowImage(parts->GetHandle(), ScreenshotPath("parts-part-1")));
}

}  // namespace
}  // namespace zel::test
