// The library's start-up rows: their order, what a failed start undoes, the two start-up guarantees (no
// theme library; the palette listener before any look and feel), and what the rows register.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/vcl/FormReader.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Gdi.h"
#include "platform/win/SysInfo.h"
#include "uilib/base/ubCore.h"
#include "uilib/base/ubThemeManager.h"
#include "uilib/base/uiBaseUnits.h"
#include "uilib/base/uiControls.h"
#include "uilib/base/uiControlsInternal.h"
#include "uilib/base/uiLookAndFeels.h"

namespace zel::test {
namespace {

const std::vector<std::string> kLibraryOrder = {
    "ubCore",     "uiClasses",       "ubUxTheme",      "ubThemeManager",        "uiGeometry",
    "ubOffice11", "uiDrawTextUtils", "uiGraphics",     "uiLookAndFeelPainters", "uiLookAndFeels",
    "uiControls", "uiDataConsts",    "uiFilterConsts", "uiShellCommon",         "uiShellSpecialFolders"};

std::vector<std::string> Names(const std::vector<std::pair<std::string, std::string>>& steps, const std::string& step) {
    std::vector<std::string> names;
    for (const auto& [s, name] : steps)
        if (s == step) names.push_back(name);
    return names;
}

TEST(uiBaseUnits, StartInTheLibrarysOrderAndStopInReverse) {
    std::vector<std::pair<std::string, std::string>> steps;
    TUnitList list(uiBaseUnits());
    list.OnStep = [&](const std::string& step, const std::string& name) { steps.emplace_back(step, name); };
    list.Start();
    EXPECT_EQ(Names(steps, "start"), kLibraryOrder);
    list.Stop();
    const std::vector<std::string> reversed(kLibraryOrder.rbegin(), kLibraryOrder.rend());
    EXPECT_EQ(Names(steps, "stop"), reversed);
}

TEST(uiBaseUnits, RowsRegisterTheirClassesAndProductGroupsUntilShutdown) {
    {
        TUnitsScope units(uiBaseUnitList());
        for (const char* name : {"TComponent", "TForm", "TButton", "TuiComponent", "TuiRect", "TuiLookAndFeel",
                                 "TuiLookAndFeelController", "TuiScrollBar", "TuiControlChildComponent"})
            EXPECT_NE(FindComponentClass(name), nullptr) << name;
        TubResourceStringsRepository* repo = ubResourceStringsRepository();
        ASSERT_EQ(repo->ProductCount(), 2);
        EXPECT_EQ(repo->GetProduct(0)->GetName(), "UIDataController");
        EXPECT_EQ(repo->GetProduct(1)->GetName(), "UIDataFilter");
        EXPECT_NE(GlobalRootLookAndFeel(), nullptr);
    }
    for (const char* name : {"TuiComponent", "TuiRect", "TuiLookAndFeel", "TuiLookAndFeelController", "TuiScrollBar",
                             "TuiControlChildComponent"})
        EXPECT_EQ(FindComponentClass(name), nullptr) << name;
    EXPECT_EQ(GlobalRootLookAndFeel(), nullptr);
    EXPECT_EQ(uiSystemController(), nullptr);
}

TEST(uiBaseUnits, TheControlRowMakesItsCursorsAndMessages) {
    TUnitsScope units(uiBaseUnitList());
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    std::vector<HCURSOR> seen;
    for (TCursor c = cruiDragCopy; c <= cruiColorPicker; ++c) {
        const HCURSOR h = CursorHandle(c);
        EXPECT_NE(h, arrow) << c;
        ICONINFO info;
        EXPECT_TRUE(GetIconInfo(h, &info)) << c;  // a picture of our own
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), h), 0) << c;
        seen.push_back(h);
    }
    EXPECT_EQ(CursorHandle(cruiDragCopy), LoadCursor(nullptr, "UI_DRAGCOPYCURSOR"));
    EXPECT_EQ(CursorHandle(cruiColorPicker), LoadCursor(nullptr, "UI_COLORPICKERCURSOR"));
    EXPECT_EQ(CursorHandle(cruiHandPoint), LoadCursor(nullptr, IDC_HAND));
    EXPECT_NE(uiControlsMessage1(), 0u);
    EXPECT_NE(uiControlsMessage2(), 0u);
    EXPECT_NE(uiControlsMessage1(), uiControlsMessage2());
    EXPECT_EQ(uiControlsMessage1(), RegisterWindowMessage("{B2CE3777-44D8-4998-9701-47BBBC10B656}"));
}

TEST(uiBaseUnits, AFailedStartAtARowStopsTheRowsBeforeIt) {
    for (int failAt : {4, 9, 14}) {  // uiGeometry, uiLookAndFeels, uiShellSpecialFolders (0-based)
        TUnitRows rows = uiBaseUnits();
        rows[static_cast<std::size_t>(failAt)].Startup = [] { throw Exception("no start"); };
        std::vector<std::pair<std::string, std::string>> steps;
        TUnitList list(rows);
        list.OnStep = [&](const std::string& step, const std::string& name) { steps.emplace_back(step, name); };
        EXPECT_THROW(list.Start(), Exception);
        std::vector<std::string> expected(kLibraryOrder.begin(), kLibraryOrder.begin() + failAt);
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(Names(steps, "stop"), expected) << failAt;
        EXPECT_EQ(GlobalRootLookAndFeel(), nullptr);
        EXPECT_EQ(uiSystemController(), nullptr);
        EXPECT_EQ(FindComponentClass("TuiComponent"), nullptr);
    }
}

TEST(uiBaseUnits, WithoutTheThemeLibraryTheStartCompletesWithARootAndNoThemeWindow) {
    TUnitsScope units(uiBaseUnitList());  // the run time has no theme library
    EXPECT_EQ(ThemeChangedReceiverWindow(), nullptr);
    EXPECT_NE(GlobalRootLookAndFeel(), nullptr);
}

TEST(uiBaseUnits, ThePaletteListenerExistsBeforeTheRootLookAndFeel) {
    bool listenerBeforeRoot = false;
    TUnitList list(uiBaseUnits());
    list.OnStep = [&](const std::string& step, const std::string& name) {
        if (step == "start" && name == "uiLookAndFeels")
            listenerBeforeRoot = SystemPaletteChangedListener() != nullptr && GlobalRootLookAndFeel() == nullptr;
    };
    list.Start();
    list.Stop();
    EXPECT_TRUE(listenerBeforeRoot);
}

}  // namespace
}  // namespace zel::test
