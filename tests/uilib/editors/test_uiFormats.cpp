// The format controller under fixed English (United States) and German settings: tokens, both mask
// languages, display formats, the currency format and the hidden window's notifications.
#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/SysUtils.h"
#include "platform/win/Locale.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "uilib/editors/uiFormats.h"

namespace zel::test {
namespace {

class FormatController : public ::testing::Test {
protected:
    void UseLocale(const char* name) {
        SetUserLocaleName(name);
        GetFormatSettingsFromLocale();
    }
    void TearDown() override {
        SetUserLocaleName("");
        FormatSettings = saved_;
    }

private:
    TFormatSettings saved_ = FormatSettings;
};

std::string Tokens(const TuiDateTimeFormatInfo& info) {
    std::string out;
    for (const auto& item : info.Items) out += std::to_string(item.Kind) + ":" + item.Data + " ";
    return out;
}

TEST_F(FormatController, EnglishUnitedStates) {
    UseLocale("en_US");
    TuiFormatController c;
    EXPECT_EQ(Tokens(c.DateFormatInfo()), "2:M 9:/ 3:D 9:/ 1:YYYY ");
    EXPECT_EQ(Tokens(c.TimeFormatInfo()), "4:12H 10:: 5:NN 10:: 6:SS 0:  8:AMPM ");
    EXPECT_EQ(c.GetStandardDateEditMask(), "!99/99/9999;1; ");
    EXPECT_EQ(c.GetDateEditMask(), "!99/99/9999;1; ");
    EXPECT_EQ(c.GetDateEditFormat(), "MM/dd/yyyy");
    EXPECT_EQ(c.GetStandardDateTimeEditMask(), "!99/99/9999\\ 99:99:99\\ cc;1; ");
    EXPECT_EQ(GetStandardMask(c.TimeFormatInfo(), smkTime), "00:00:00\\ cc;1;0");
    EXPECT_EQ(GetRegExprMask(c.TimeFormatInfo(), true), "(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('AM'|'PM')?");
    EXPECT_EQ(c.GetRegExprDateEditMask().substr(0, 40), "(((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'A");
    const std::string tail =
        "'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom')"
        "((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
    EXPECT_EQ(c.GetRegExprDateEditMask().substr(c.GetRegExprDateEditMask().size() - tail.size()), tail);
    EXPECT_NE(c.GetRegExprDateTimeEditMask().find("'eom'|'now')"), std::string::npos);
    EXPECT_NE(c.GetRegExprDateTimeEditMask().find("\\d\\d\\d\\d ' '((0?[1-9]|1[012])"), std::string::npos);
    EXPECT_EQ(c.GetMaskedDateEditFormat(), "mm/dd/yyyy");
    EXPECT_EQ(c.GetMaskedDateTimeEditFormat(), "mm/dd/yyyy' 'hh:nn:ss' 'ampm");
    EXPECT_EQ(c.GetCurrencyFormat(), "$,0.00;($,0.00)");
    EXPECT_EQ(c.GetStartOfWeek(), 0) << "Sunday";
}

TEST_F(FormatController, German) {
    UseLocale("de_DE");
    TuiFormatController c;
    EXPECT_EQ(Tokens(c.DateFormatInfo()), "3:DD 9:. 2:MM 9:. 1:YYYY ");
    EXPECT_EQ(Tokens(c.TimeFormatInfo()), "4:24HH 10:: 5:NN 10:: 6:SS ");
    EXPECT_EQ(c.GetStandardDateEditMask(), "!99/99/9999;1; ");
    EXPECT_EQ(c.GetDateEditFormat(), "dd/MM/yyyy");
    EXPECT_EQ(GetRegExprMask(c.TimeFormatInfo(), true), "([01]?\\d|2[0-3])\\:[0-5]?\\d\\:[0-5]?\\d");
    EXPECT_EQ(c.GetRegExprDateEditMask().substr(0, 34), "(([012]?[1-9]|[123]0|31)\\.((0?[1-9");
    EXPECT_EQ(c.GetCurrencyFormat(), ",0.00 \x80;-,0.00 \x80");
    EXPECT_EQ(c.GetStartOfWeek(), 1) << "Monday";
}

TEST_F(FormatController, TokeniserRules) {
    FormatSettings = TFormatSettings{};
    struct Row {
        const char* format;
        const char* tokens;
    } rows[] = {
        {"gg/yyyy", ""},                         // rejected
        {"dddd d mmmm", "3:DDDD 0:   2:MMMM "},  // each kind once: the literals around the second day merge
        {"yy/m/d h:m", "1:YY 9:/ 2:M 9:/ 3:D 0:  4:24H 10:: 5:N "},
        {"hh a/p", "4:12HH 0:  8:a/p "},
        {"d am/pm", "3:D 0:  "},  // no hour: the AM/PM token goes
        {"aaaa 'at'\"x\"", "3:DDDD 0: atx "},
        {"zzzz ss", "7:ZZZ 0:  6:SS "},
        {"eee", "1:YYYY "},
        {"ddddd", "3:DD 9:/ 2:MM 9:/ 1:YYYY "},                            // the short date format, nested
        {"", "3:DD 9:/ 2:MM 9:/ 1:YYYY 0:  4:24HH 10:: 5:NN 10:: 6:SS "},  // "C"
        {"t", "4:24HH 10:: 5:NN "},
    };
    for (const Row& r : rows) {
        TuiDateTimeFormatInfo info;
        GetDateTimeFormatInfo(r.format, info);
        EXPECT_EQ(Tokens(info), r.tokens) << r.format;
    }
    TuiDateTimeFormatInfo rejected;
    EXPECT_FALSE(GetDateTimeFormatInfo("dd/mm/yyyy g", rejected));
    EXPECT_EQ(GetStandardMask(rejected, smkDate), "");
    EXPECT_EQ(GetRegExprMask(rejected, false), "");
}

TEST_F(FormatController, TheSixteenNegativeCurrencyFormsAndOneBeyond) {
    FormatSettings = TFormatSettings{};
    const char* forms[] = {"($,0.00)", "-$,0.00",  "$-,0.00",   "$,0.00-",   "(,0.00$)", "-,0.00$",
                           ",0.00-$",  ",0.00$-",  "-,0.00 $",  "-$ ,0.00",  ",0.00 $-", "$ ,0.00-",
                           "$ -,0.00", ",0.00- $", "($ ,0.00)", "(,0.00 $)", "($,0.00)"};
    for (int i = 0; i <= 16; ++i) {
        FormatSettings.NegCurrFormat = static_cast<std::uint8_t>(i);
        EXPECT_EQ(BuildCurrencyFormat(), std::string("$,0.00;") + forms[i]) << i;
    }
    FormatSettings.CurrencyString = "kr.";
    FormatSettings.CurrencyFormat = 3;
    FormatSettings.CurrencyDecimals = 0;
    FormatSettings.NegCurrFormat = 8;
    EXPECT_EQ(BuildCurrencyFormat(), ",0. kr'.';-,0. kr'.'");
}

TEST_F(FormatController, AssignedValuesSurviveARecompute) {
    FormatSettings = TFormatSettings{};
    TuiFormatController c;
    c.SetDateEditFormat("yyyy-mm-dd");
    c.SetStandardDateEditMask("x");
    c.SetStartOfWeek(3);
    c.SetCurrencyFormat("0");
    FormatSettings.ShortDateFormat = "M/d/yy";
    c.GetFormats();
    EXPECT_EQ(c.GetDateEditFormat(), "yyyy-mm-dd");
    EXPECT_EQ(c.GetStandardDateEditMask(), "x");
    EXPECT_EQ(c.GetDateEditMask(), "!99/99/99;1; ");
    EXPECT_EQ(c.GetStartOfWeek(), 3);
    EXPECT_EQ(c.GetCurrencyFormat(), "0");
}

class Listener : public IuiFormatControllerListener, public IuiFormatControllerListener2 {
public:
    void FormatChanged() override { ++formats; }
    void TimeChanged() override { ++times; }
    int formats = 0, times = 0;
};

class FormatOnlyListener : public IuiFormatControllerListener {
public:
    void FormatChanged() override { ++formats; }
    int formats = 0;
};

TEST_F(FormatController, TheHiddenWindowLivesWithItsListenersAndCarriesTheChanges) {
    UseLocale("en_US");
    TuiFormatController c;
    Listener a;
    FormatOnlyListener b;
    EXPECT_EQ(c.GetWindowHandle(), nullptr);
    c.AddListener(&a);
    c.AddListener(&a);
    c.AddListener(&b);
    EXPECT_EQ(c.ListenerCount(), 2);
    const HWND window = c.GetWindowHandle();
    ASSERT_NE(window, nullptr);

    SetUserLocaleName("de_DE");
    static const char intl[] = "intl";
    static const char other[] = "other";
    EXPECT_EQ(SendMessage(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(other)), 0);
    EXPECT_EQ(a.formats, 0);
    EXPECT_EQ(SendMessage(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(intl)), 0);
    EXPECT_EQ(a.formats, 1);
    EXPECT_EQ(b.formats, 1);
    EXPECT_EQ(c.GetDateEditFormat(), "dd/MM/yyyy") << "the settings were re-read";
    EXPECT_EQ(DecimalSeparator, ',');
    EXPECT_EQ(SendMessage(window, WM_TIMECHANGE, 0, 0), 0);
    EXPECT_EQ(a.times, 1);

    c.RemoveListener(&a);
    EXPECT_EQ(c.GetWindowHandle(), window);
    c.RemoveListener(&b);
    EXPECT_EQ(c.GetWindowHandle(), nullptr);
}

TEST_F(FormatController, TheFirstControllerIsTheSharedOne) {
    FormatSettings = TFormatSettings{};
    auto* first = new TuiFormatController;
    TuiFormatController second;
    EXPECT_EQ(uiFormatController(), first);
    uiFormatsShutdown();
    EXPECT_NE(uiFormatController(), &second);
    uiFormatsShutdown();
}

}  // namespace
}  // namespace zel::test
