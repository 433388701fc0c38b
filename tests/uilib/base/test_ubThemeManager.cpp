#include <gtest/gtest.h>

#include <memory>

#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/uilib/LookAndFeelUnits.h"

namespace zel::test {
namespace {

// The run-time case: no theme library.
TEST(ThemeManagerWithoutLibrary, EveryQueryFallsBack) {
    TLookAndFeelUnits units;
    EXPECT_TRUE(RunsOnXPOrNewer());
    EXPECT_FALSE(ThemeDllLoaded());
    EXPECT_FALSE(IsThemeEntryBound("OpenThemeData"));
    EXPECT_EQ(IsThemeActive(), FALSE);
    EXPECT_FALSE(VisualStylesUsable({}));
    EXPECT_FALSE(VisualStylesUsable({thButton, thEdit}));
    EXPECT_FALSE(IsThemeObjectKindAvailable(thScrollBar));
    EXPECT_EQ(OpenThemeForType(thButton), nullptr);
    EXPECT_EQ(OpenThemeForType(thButton, L"Button"), nullptr);
    EXPECT_EQ(CloseTheme(thButton), 1);
    EXPECT_EQ(ThemeChangedReceiverWindow(), nullptr);
    // Unbound entries answer failures instead of being called.
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(DrawThemeBackground(nullptr, nullptr, 1, 1, &r, nullptr), E_FAIL);
    COLORREF color = 0;
    EXPECT_EQ(GetThemeColor(nullptr, 1, 1, 3803, &color), E_FAIL);
    // A notificator can live and die without the list.
    auto n = std::make_unique<TubThemeChangedNotificator>();
    n->OnThemeChanged = [] { FAIL() << "no theme change without the library"; };
    BroadcastSystemMessage(WM_THEMECHANGED, 0, 0);
    n.reset();
}

class ThemeManagerWithProvider : public ::testing::Test {
protected:
    TTestThemeProvider provider;
    std::unique_ptr<TLookAndFeelUnits> units;
    void SetUp() override { units = std::make_unique<TLookAndFeelUnits>(&provider); }
    void TearDown() override { units.reset(); }
    void SendThemeChanged() { SendMessage(ThemeChangedReceiverWindow(), WM_THEMECHANGED, 0, 0); }
};

TEST_F(ThemeManagerWithProvider, LibraryIsBoundWithoutTheLaterSystemsEntries) {
    EXPECT_TRUE(ThemeDllLoaded());
    EXPECT_TRUE(IsThemeEntryBound("OpenThemeData"));
    EXPECT_TRUE(IsThemeEntryBound("GetCurrentThemeName"));
    EXPECT_FALSE(IsThemeEntryBound("BeginBufferedPaint"));
    EXPECT_EQ(BeginBufferedPaint(nullptr, nullptr, 0, nullptr, nullptr), nullptr);
    EXPECT_EQ(provider.CallCount("BeginBufferedPaint"), 0);
    EXPECT_NE(ThemeChangedReceiverWindow(), nullptr);
    EXPECT_TRUE(VisualStylesUsable({}));
}

TEST_F(ThemeManagerWithProvider, CachedHandleFollowsTheClassList) {
    HTHEME button = OpenThemeForType(thButton);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(provider.ClassListOf(button), L"Button");
    EXPECT_EQ(OpenThemeForType(thButton), button);
    EXPECT_EQ(OpenThemeForType(thButton, L"BUTTON"), button);  // same list, other case: the cached handle
    EXPECT_EQ(provider.CallCount("OpenThemeData"), 1);

    HTHEME edit = OpenThemeForType(thButton, L"Edit");  // another list: closed and opened anew
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(provider.CallCount("CloseThemeData"), 1);
    EXPECT_EQ(provider.ClassListOf(edit), L"Edit");
    EXPECT_EQ(provider.OpenThemeCount(), 1);

    EXPECT_EQ(CloseTheme(thButton), S_OK);
    EXPECT_EQ(provider.OpenThemeCount(), 0);
    EXPECT_EQ(CloseTheme(thButton), 0);  // nothing open
    EXPECT_EQ(provider.CallCount("CloseThemeData"), 2);
    // CloseTheme forgets the class list: the default name is used again.
    EXPECT_EQ(provider.ClassListOf(OpenThemeForType(thButton)), L"Button");
}

TEST_F(ThemeManagerWithProvider, AFailedOpenIsRetriedOnTheNextRequest) {
    provider.UnknownClasses = {L"edit"};
    EXPECT_EQ(OpenThemeForType(thEdit), nullptr);
    EXPECT_FALSE(IsThemeObjectKindAvailable(thEdit));
    EXPECT_TRUE(IsThemeObjectKindAvailable(thButton));
    provider.UnknownClasses.clear();
    EXPECT_NE(OpenThemeForType(thEdit), nullptr);
    EXPECT_EQ(provider.CallCount("OpenThemeData"), 4);
}

TEST_F(ThemeManagerWithProvider, UsableSetsOpenInTypeOrderAndStopAtTheFirstFailure) {
    provider.UnknownClasses = {L"Edit"};
    provider.Calls.clear();
    EXPECT_FALSE(VisualStylesUsable({thWindow, thEdit, thButton}));
    ASSERT_EQ(provider.CallCount("OpenThemeData"), 2);
    EXPECT_EQ(provider.Calls[0].Text, L"Button");
    EXPECT_EQ(provider.Calls[1].Text, L"Edit");
    EXPECT_TRUE(VisualStylesUsable({thButton, thWindow}));
}

TEST_F(ThemeManagerWithProvider, ThemeChangeClosesReopensAndTellsLiveNotificators) {
    ASSERT_NE(OpenThemeForType(thEdit, L"ExplorerBar"), nullptr);
    ASSERT_NE(OpenThemeForType(thButton), nullptr);
    std::vector<int> calls;
    auto first = std::make_unique<TubThemeChangedNotificator>();
    auto freed = std::make_unique<TubThemeChangedNotificator>();
    auto last = std::make_unique<TubThemeChangedNotificator>();
    TubThemeChangedNotificator unassigned;
    first->OnThemeChanged = [&] {
        EXPECT_EQ(provider.OpenThemeCount(), 0) << "themes are closed before the notificators hear of it";
        calls.push_back(1);
    };
    freed->OnThemeChanged = [&] { calls.push_back(2); };
    last->OnThemeChanged = [&] { calls.push_back(3); };
    freed.reset();

    SendThemeChanged();
    EXPECT_EQ(calls, (std::vector<int>{1, 3}));
    EXPECT_EQ(provider.OpenThemeCount(), 0);
    // The next open without a class list uses the list the entry was last opened with.
    HTHEME edit = OpenThemeForType(thEdit);
    EXPECT_EQ(provider.ClassListOf(edit), L"ExplorerBar");

    // The themes-active flag follows the service.
    provider.Active = false;
    SendThemeChanged();
    EXPECT_FALSE(VisualStylesUsable({}));
    EXPECT_EQ(OpenThemeForType(thEdit), nullptr);
    EXPECT_EQ(CloseTheme(thEdit), 1);
    provider.Active = true;
    SendThemeChanged();
    EXPECT_TRUE(VisualStylesUsable({thEdit}));
}

TEST_F(ThemeManagerWithProvider, ANotificatorFreeingItselfDuringTheWalkDoesNotStopIt) {
    std::vector<int> calls;
    auto self = std::make_unique<TubThemeChangedNotificator>();
    TubThemeChangedNotificator next;
    self->OnThemeChanged = [&] {
        calls.push_back(1);
        self.reset();
    };
    next.OnThemeChanged = [&] { calls.push_back(2); };
    SendThemeChanged();
    EXPECT_EQ(calls, (std::vector<int>{1, 2}));
}

TEST_F(ThemeManagerWithProvider, OtherMessagesGoToTheDefaultProcedure) {
    HTHEME button = OpenThemeForType(thButton);
    SendMessage(ThemeChangedReceiverWindow(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(OpenThemeForType(thButton), button);
}

TEST_F(ThemeManagerWithProvider, WrappersPassTheirArguments) {
    HTHEME theme = OpenThemeForType(thButton);
    RECT r{1, 2, 30, 40};
    EXPECT_EQ(DrawThemeBackgroundRef(theme, nullptr, 3, 4, r, nullptr), S_OK);
    EXPECT_EQ(DrawThemeTextAnsi(theme, nullptr, 1, 2, "Caf\xE9", -1, 0x25, 0, &r), S_OK);
    const TThemeCall& text = provider.Calls.back();
    EXPECT_EQ(text.Function, "DrawThemeText");
    EXPECT_EQ(text.Text, L"Caf\u00E9");
    EXPECT_EQ(text.Flags, 0x25u);
    const TThemeCall& background = provider.Calls[provider.Calls.size() - 2];
    EXPECT_EQ(background.Function, "DrawThemeBackground");
    EXPECT_EQ(background.Part, 3);
    EXPECT_EQ(background.State, 4);
    EXPECT_EQ(background.Rect, r);
    SIZE size;
    EXPECT_EQ(GetThemePartSizeNoRect(theme, nullptr, 1, 1, TS_TRUE, &size), S_OK);
    EXPECT_EQ(size, provider.PartSize);
    provider.Colors[{1, 1, 3803}] = 0x123456;
    COLORREF color = 0;
    EXPECT_EQ(GetThemeColor(theme, 1, 1, 3803, &color), S_OK);
    EXPECT_EQ(color, 0x123456u);
    EXPECT_EQ(GetThemeColor(theme, 1, 2, 3803, &color), E_FAIL);
}

TEST_F(ThemeManagerWithProvider, ParentBackgroundKeepsTheCallersFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONT lf;
    lf.lfHeight = -13;
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    EXPECT_EQ(DrawThemeParentBackground(nullptr, dc, nullptr), S_OK);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

}  // namespace
}  // namespace zel::test
