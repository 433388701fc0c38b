// The window and keyboard utilities of the control unit: accelerator stripping, number input characters,
// mouse-key flags, the drag threshold, characters of keys, window relations and work areas.
#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/win/SysInfo.h"
#include "uilib/base/uiControls.h"

namespace zel::test {
namespace {

TEST(uiControlsUtilities, StripAccelChars) {
    struct TCase {
        const char* text;
        bool showTrailingAmp;
        const char* expected;
    } cases[] = {
        {"&File", false, "File"},
        {"Save &As", false, "Save As"},
        {"Fish && Chips", false, "Fish & Chips"},
        {"Trailing&", false, "Trailing"},
        {"Trailing&", true, "Trailing_"},
        {"&&&", true, "&_"},
        {"", true, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(StripAccelChars(c.text, c.showTrailingAmp), c.expected) << c.text << " " << c.showTrailingAmp;
}

TEST(uiControlsUtilities, NumberInputCharsFollowTheKindAndTheDecimalSeparator) {
    const char saved = DecimalSeparator;
    DecimalSeparator = ',';
    struct TCase {
        char ch;
        bool kind0, kind1, kind2, kind3;
    } cases[] = {
        {'7', true, true, true, true},    {'+', true, true, true, true},     {'-', true, true, true, true},
        {',', false, true, true, false},  {'.', false, false, false, false}, {'e', false, false, true, false},
        {'E', false, false, true, false}, {'x', false, false, false, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(IsNumberInputChar(c.ch, 0), c.kind0) << c.ch;
        EXPECT_EQ(IsNumberInputChar(c.ch, 1), c.kind1) << c.ch;
        EXPECT_EQ(IsNumberInputChar(c.ch, 2), c.kind2) << c.ch;
        EXPECT_EQ(IsNumberInputChar(c.ch, 3), c.kind3) << c.ch;
    }
    DecimalSeparator = saved;
    EXPECT_TRUE(IsPrintableChar(' '));
    EXPECT_FALSE(IsPrintableChar('\x1F'));
    EXPECT_TRUE(IsPrintableChar('\xE9'));
}

TEST(uiControlsUtilities, MouseKeyFlagsAndDragThreshold) {
    EXPECT_EQ(ShiftStateToMouseKeyFlags({}), 0);
    EXPECT_EQ(ShiftStateToMouseKeyFlags({ssShift, ssCtrl, ssAlt}), MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(ShiftStateToMouseKeyFlags({ssLeft, ssRight, ssMiddle, ssDouble}), MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    EXPECT_EQ(MapEditorKey(VK_F2), VK_F2);

    ASSERT_EQ(Mouse->DragThreshold, 5);
    const TPoint origin = Point(100, 100);
    EXPECT_TRUE(InDragThreshold(origin, 104, 96));
    EXPECT_FALSE(InDragThreshold(origin, 105, 100));
    EXPECT_FALSE(InDragThreshold(origin, 100, 95));
    UINT lines = 0;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    EXPECT_EQ(Mouse->GetWheelScrollLines(), static_cast<int>(lines));
}

TEST(uiControlsUtilities, CharOfKeyCodeUsesTheKeyboardState) {
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE state[256] = {};
    SetKeyboardState(state);
    EXPECT_EQ(CharOfKeyCode('A'), 'a');
    EXPECT_EQ(CharOfKeyCode('5'), '5');
    EXPECT_EQ(CharOfKeyCode(VK_F1), '\0');
    state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
    EXPECT_EQ(CharOfKeyCode('A'), 'A');
    EXPECT_EQ(CharOfKeyCode('5'), '%');
    SetKeyboardState(saved);
}

class uiControlsWindows : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Form = Construct<TForm>(nullptr);
        Form->SetBounds(50, 40, 300, 200);
        Panel = Construct<TPanel>(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(10, 20, 100, 50);
    }
    void TearDown() override {
        delete Form;
        ResetEntryPoints();
    }
    TForm* Form = nullptr;
    TPanel* Panel = nullptr;
};

TEST_F(uiControlsWindows, WindowRelationsAndMappedPoints) {
    HWND form = Form->Handle();
    HWND panel = Panel->Handle();
    EXPECT_TRUE(HasChildWindowStyle(panel));
    EXPECT_FALSE(HasChildWindowStyle(form));
    EXPECT_TRUE(IsSelfOrDescendantWindow(form, form));
    EXPECT_TRUE(IsSelfOrDescendantWindow(form, panel));
    EXPECT_FALSE(IsSelfOrDescendantWindow(panel, form));
    EXPECT_FALSE(IsSelfOrDescendantWindow(nullptr, panel));

    TPoint p = Point(1, 2);
    MapPointBetweenWindows(panel, form, p);
    EXPECT_EQ(p, Point(11, 22));
    TRect r = Rect(0, 0, 5, 5);
    MapRectBetweenWindows(panel, form, r);
    EXPECT_EQ(r, Rect(10, 20, 15, 25));
}

TEST_F(uiControlsWindows, WhoCanGetAWindowHandle) {
    auto* loose = Construct<TPanel>(Form);  // no parent at all
    EXPECT_FALSE(CanAllocateWindowHandle(loose));
    EXPECT_TRUE(CanAllocateWindowHandle(Panel));  // through its form
    EXPECT_TRUE(CanAllocateWindowHandle(Form));   // the application has its window
    loose->ParentWindow = Form->Handle();
    EXPECT_TRUE(CanAllocateWindowHandle(loose));
}

TEST_F(uiControlsWindows, WorkAreasAndTheCursor) {
    TRect work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    MONITORINFO info;
    GetMonitorInfo(MonitorFromPoint(Point(0, 0), MONITOR_DEFAULTTOPRIMARY), &info);
    EXPECT_EQ(GetWorkAreaAtPoint(Point(-5000, -5000)), info.rcWork);  // the nearest monitor
    EXPECT_EQ(WorkAreaOfMonitor(nullptr), work);
    SetEntryPointAvailable("GetMonitorInfoA", false);
    EXPECT_EQ(WorkAreaOfMonitor(MonitorFromPoint(Point(0, 0), MONITOR_DEFAULTTOPRIMARY)), work);

    SetCursorPos(70, 80);
    EXPECT_EQ(CursorScreenPos(), Point(70, 80));
}

}  // namespace
}  // namespace zel::test
