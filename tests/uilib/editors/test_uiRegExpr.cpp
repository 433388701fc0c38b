// The regular-expression mask engine, as tables of masks and typed characters: what is taken, the text
// with the forced characters, whether the text is complete, or the exact error texts of a refused mask.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Locale.h"
#include "uilib/editors/uiFormats.h"
#include "uilib/editors/uiRegExpr.h"

namespace zel::test {
namespace {

void CompileText(TuiRegExpr& engine, const std::string& mask) {
    TMemoryStream source;
    source.WriteBuffer(mask.data(), static_cast<std::int64_t>(mask.size()));
    engine.Compile(&source);
}

// The full texts of a failed compile, one a line; empty when the mask compiles.
std::string CompileErrors(TuiRegExpr& engine, const std::string& mask) {
    try {
        CompileText(engine, mask);
    } catch (const EuiRegExprError& e) {
        EXPECT_EQ(e.Errors, &engine.ErrorList);
        EXPECT_FALSE(engine.Ready);
        std::string text;
        for (int i = 0; i < e.Errors->Count(); ++i) text += (i > 0 ? "\n" : "") + e.Errors->Items(i).FullText();
        return text;
    }
    return "";
}

// Records what the engine reports while characters are typed into it: the characters taken (as the
// engine rewrote them) and the text an editor shows, forced characters included.
struct Typist {
    TuiRegExpr engine;
    std::string accepted;
    std::string text;
    std::string forced;
    std::string pending;
    int removed = 0;

    Typist() {
        engine.OnForcedCharAdded = [this](char c) {
            forced += c;
            pending += c;
        };
        engine.OnForcedCharRemoved = [this] { ++removed; };
    }
    void TakePending() {
        text += pending;
        pending.clear();
    }
    void Type(const std::string& chars) {
        for (char c : chars) {
            char ch = c;
            if (engine.Step(ch)) {
                accepted += ch;
                text += ch;
            }
            TakePending();
        }
    }
};

struct RegExprCase {
    const char* name;
    const char* mask;
    const char* typed;
    const char* accepted;  // the typed characters taken
    const char* text;      // taken and forced characters in order
    bool accepting;
    const char* forced;  // every forced character reported
    const char* errors;  // the full error texts of a refused mask, one a line
    bool autoLiterals = false;
    bool caseInsensitive = false;
};
void PrintTo(const RegExprCase& c, std::ostream* os) { *os << c.name; }

class RegExprTable : public ::testing::TestWithParam<RegExprCase> {
protected:
    void SetUp() override {
        FormatSettings.DateSeparator = '.';
        FormatSettings.TimeSeparator = ':';
        FormatSettings.DecimalSeparator = ',';
    }
    void TearDown() override { FormatSettings = saved_; }

private:
    TFormatSettings saved_ = FormatSettings;
};

TEST_P(RegExprTable, TypesOrRefuses) {
    const RegExprCase& c = GetParam();
    Typist t;
    t.engine.CaseInsensitive = c.caseInsensitive;
    t.engine.SetAutoLiterals(c.autoLiterals);
    const std::string errors = CompileErrors(t.engine, c.mask);
    ASSERT_EQ(errors, c.errors);
    if (*c.errors != '\0') return;
    t.TakePending();
    t.Type(c.typed);
    EXPECT_EQ(t.accepted, c.accepted);
    EXPECT_EQ(t.text, c.text);
    EXPECT_EQ(t.engine.IsAccepting(), c.accepting);
    EXPECT_EQ(t.forced, c.forced);
}

const std::string kLongX(256, 'x');

INSTANTIATE_TEST_SUITE_P(
    Masks, RegExprTable,
    ::testing::Values(
        // Source, quotes and escapes.
        RegExprCase{"WhitespaceIsIgnored", "a b\t\r\nc", "a bc", "abc", "abc", true, "", ""},
        RegExprCase{"QuotedSpace", "a' 'b", "a b", "a b", "a b", true, "", ""},
        RegExprCase{"HexSpace", "a\\x20b", "a b", "a b", "a b", true, "", ""},
        RegExprCase{"TwoQuotesInARunAreOne", "''''", "''", "'", "'", true, "", ""},
        RegExprCase{"BackslashZeroIsTheDigit", "\\0", "0", "0", "0", true, "", ""},
        RegExprCase{"EscapedControlsAndDecimalSeparator", "\\t\\p", "\t,", "\t,", "\t,", true, "", ""},
        RegExprCase{"SeparatorsReadWhenChecked", "\\d/\\d:\\d", "1.2:3", "1.2:3", "1.2:3", true, "", ""},
        RegExprCase{"EscapedOperatorsAreSymbols", "\\(\\*\\)", "(*)", "(*)", "(*)", true, "", ""},
        RegExprCase{"ClosingBracketsOutsideTheirConstructsAreSymbols", "]}^-,", "]}^-,", "]}^-,", "]}^-,", true, "",
                    ""},
        // Classes and sets.
        RegExprCase{"Classes", "\\w\\W\\d\\D\\s\\S.", "_!7x a\xE9", "_!7x a\xE9", "_!7x a\xE9", true, "", ""},
        RegExprCase{"NegatedSet", "[^0-9]", "5x", "x", "x", true, "", ""},
        RegExprCase{"DashBeforeClosingBracketIsASymbol", "[a-]", "-a", "-", "-", true, "", ""},
        RegExprCase{"SetWithRangesAndClasses", "[a-c\\d'.']+", "b9.dz", "b9.", "b9.", true, "", ""},
        RegExprCase{"CaseInsensitiveRewritesTheCharacter", "[A]b", "aB", "Ab", "Ab", true, "", "", false, true},
        RegExprCase{"CaseInsensitiveAccentedLetter", "'\xC9'", "\xE9", "\xC9", "\xC9", true, "", "", false, true},
        RegExprCase{"NegatedSetIgnoresCaseToo", "[^a]", "Ab", "b", "b", true, "", "", false, true},
        // Quantifiers, alternatives, groups.
        RegExprCase{"RefusedTextLeavesTheRest", "\\d+", "1a2", "12", "12", true, "", ""},
        RegExprCase{"AlternativeStillOpen", "a|ab", "a", "a", "a", true, "", ""},
        RegExprCase{"AlternativeCompleted", "a|ab", "ab", "ab", "ab", true, "", ""},
        RegExprCase{"GroupEmptyByContentMakesNoFinalState", "a(b?)", "a", "a", "a", false, "", ""},
        RegExprCase{"GroupEmptyByContentFilled", "a(b?)", "ab", "ab", "ab", true, "", ""},
        RegExprCase{"DoubleQuestionIsAccepted", "a??", "aa", "a", "a", true, "", ""},
        RegExprCase{"StarOnAGroupOfPlus", "(a+)*b", "aaab", "aaab", "aaab", true, "", ""},
        RegExprCase{"RepeatedGroup", "(\\w|\\d)+", "a1b2", "a1b2", "a1b2", true, "", ""},
        RegExprCase{"BackReferenceCopiesTheGroup", "(a|b)c\\1", "bca", "bca", "bca", true, "", ""},
        RegExprCase{"ExactCount", "x{3}", "xxxx", "xxx", "xxx", true, "", ""},
        RegExprCase{"OpenCount", "x{1,}", "xxxxx", "xxxxx", "xxxxx", true, "", ""},
        RegExprCase{"CountFromZero", "x{0,2}", "xxx", "xx", "xx", true, "", ""},
        RegExprCase{"CountRange", "x{2,4}y", "xxxxxy", "xxxxy", "xxxxy", true, "", ""},
        RegExprCase{"CountWithBlanks", "x{ 2 , 3 }", "x", "x", "x", false, "", ""},
        RegExprCase{"LargestCount", "x{255}", kLongX.c_str(), kLongX.c_str() + 1, kLongX.c_str() + 1, true, "", ""},
        // Forced characters.
        RegExprCase{"LiteralsForcedAtCompile", "abc", "", "", "abc", true, "abc", "", true},
        RegExprCase{"SeparatorForcedAfterTwoDigits", "\\d\\d/\\d\\d", "1234", "1234", "12.34", true, ".", "", true},
        RegExprCase{"ForcedRunStopsAtAChoice", "\\(\\d\\)(a|b)", "7b", "7b", "(7)b", true, "()", "", true},
        RegExprCase{"ForcedRunStopsOnAnEmptyLoop", "(ab(x{0}))+", "", "", "ab", false, "ab", "", true},
        // Refused masks.
        RegExprCase{"EmptySource", "", "", "", "", false, "", "The source stream is empty"},
        RegExprCase{"BlankSource", " \t\r\n", "", "", "", false, "", "The source stream is empty"},
        RegExprCase{"UnclosedQuote", "'abc", "", "", "", false, "", "Line1, Char5: Missing ' ' '"},
        RegExprCase{"MissingParenthesis", "(a", "", "", "", false, "", "Missing ')'"},
        RegExprCase{"UnnecessaryParenthesisStopsBeforeParsing", "a)", "", "", "", false, "", "Unnecessary ')'"},
        RegExprCase{"SpaceAfterBackslash", "a\\ ", "", "", "", false, "",
                    "Line1, Char3: The space character is not allowed after '\\'"},
        RegExprCase{"HexCut", "\\x4", "", "", "", false, "", "Line1, Char4: Hexadecimal number expected"},
        RegExprCase{"HexWrong", "\\xg1", "", "", "", false, "",
                    "Line1, Char3: Hexadecimal number expected but 'g' found"},
        RegExprCase{"UnclosedSet", "[ab", "", "", "", false, "", "Line1, Char4: Missing ']'"},
        RegExprCase{"UnclosedBraces", "x{2", "", "", "", false, "", "Line1, Char4: Missing '}'"},
        RegExprCase{"LetterInBraces", "x{a}", "", "", "", false, "", "Line1, Char3: Illegal 'a'"},
        RegExprCase{"StarOnStar", "a**", "", "", "", false, "",
                    "Line1, Char3: The '*' quantifier cannot be applied here"},
        RegExprCase{"StarOnOptional", "a?*", "", "", "", false, "",
                    "Line1, Char3: The '*' quantifier cannot be applied here"},
        RegExprCase{"PlusOnOptional", "a?+", "", "", "", false, "",
                    "Line1, Char3: The '+' quantifier cannot be applied here"},
        RegExprCase{"PlusOnGroupEmptyByContent", "(a?)+", "", "", "", false, "",
                    "Line1, Char5: The '+' quantifier cannot be applied here"},
        RegExprCase{"QuantifierWithoutItem", "*a", "", "", "", false, "", "Line1, Char1: Illegal quantifier '*'"},
        RegExprCase{"SubrangeReversed", "[z-a]", "", "", "", false, "",
                    "Line1, Char4: The starting character of the subrange must be less than the finishing one"},
        RegExprCase{"SubrangeOfOne", "[a-a]", "", "", "", false, "",
                    "Line1, Char4: The starting character of the subrange must be less than the finishing one"},
        RegExprCase{"DashAfterRange", "[a-c-e]", "", "", "", false, "", "Line1, Char5: Illegal '-'"},
        RegExprCase{"EmptySet", "[]", "", "", "", false, "", "Line1, Char2: Can't create empty enumeration"},
        RegExprCase{"CountsReversed", "x{2,1}", "", "", "", false, "", "Line1, Char5: Incorrect parameter quantifier"},
        RegExprCase{"CountWithoutLowerBound", "x{,2}", "", "", "", false, "",
                    "Line1, Char3: Incorrect parameter quantifier"},
        RegExprCase{"CountWithoutItem", "{2}", "", "", "", false, "", "Line1, Char1: Incorrect parameter quantifier"},
        RegExprCase{"CountOnOptional", "x?{2}", "", "", "", false, "",
                    "Line1, Char3: The parameter quantifier cannot be applied here"},
        RegExprCase{"ReferenceWithoutGroup", "\\1", "", "", "", false, "", "Line1, Char2: Too big reference number"},
        RegExprCase{"EmptyAlternativeAtTheEnd", "a|", "", "", "", false, "", "The alternative should not be empty"},
        RegExprCase{"EmptyAlternativeFirst", "|a", "", "", "", false, "",
                    "Line1, Char1: The alternative should not be empty"},
        RegExprCase{"EmptyBlock", "(a|)", "", "", "", false, "", "Line1, Char4: The block should not be empty"},
        RegExprCase{"OnlyQuotes", "''", "", "", "", false, "", "The alternative should not be empty"},
        RegExprCase{"ClosingBeforeOpening", "a)(b", "", "", "", false, "", "Line1, Char2: Illegal ')'\nMissing ')'"},
        RegExprCase{"ErrorsCollected", "[z-a]|[]", "", "", "", false, "",
                    "Line1, Char4: The starting character of the subrange must be less than the finishing one\n"
                    "Line1, Char8: Can't create empty enumeration"},
        RegExprCase{"PositionOnTheSecondLine", "a\r\n[]", "", "", "", false, "",
                    "Line2, Char2: Can't create empty enumeration"},
        // Limits.
        RegExprCase{"CountAboveTheLimit", "x{256}", "", "", "", false, "", "Line1, Char5: Illegal integer value"},
        RegExprCase{"CountBeyondInteger", "x{2147483648}", "", "", "", false, "",
                    "Line1, Char12: Illegal integer value"},
        RegExprCase{"UpperCountAboveTheLimit", "x{1,100000000}", "", "", "", false, "",
                    "Line1, Char13: Illegal integer value"},
        RegExprCase{"CountsMultiplyThroughGroups", "((x{255}){255})", "", "", "", false, "",
                    "Line1, Char13: Illegal integer value"},
        RegExprCase{"ReferencesAddUp", "((x{255}){4})\\1\\1\\1\\1", "", "", "", false, "",
                    "Line1, Char19: Too big reference number\nLine1, Char21: Too big reference number"}),
    [](const auto& info) { return info.param.name; });

TEST(RegExpr, GroupNestingBlockDepthAndSizeAreBounded) {
    TuiRegExpr engine;
    const auto nested = [](int levels) { return std::string(levels, '(') + "a" + std::string(levels, ')'); };
    EXPECT_EQ(CompileErrors(engine, nested(64)), "");
    EXPECT_EQ(CompileErrors(engine, nested(65)), "Line1, Char65: Illegal '('");
    EXPECT_EQ(CompileErrors(engine, nested(10000)), "Line1, Char65: Illegal '('") << "no stack overflow";
    // Each further "?" wraps the item in one more block.
    EXPECT_EQ(CompileErrors(engine, "a" + std::string(1025, '?')), "");
    EXPECT_EQ(CompileErrors(engine, "a" + std::string(1027, '?')),
              "Line1, Char1027: Illegal quantifier '?'\nLine1, Char1028: Illegal quantifier '?'");
    EXPECT_EQ(CompileErrors(engine, std::string(4096, 'x')), "");
    EXPECT_EQ(CompileErrors(engine, "(" + std::string(5000, 'x') + ")|a"), "Line1, Char4097: Illegal 'x'")
        << "one error, where the items ran out";
    // A run of optional items links each to all that follow it.
    std::string run;
    for (int i = 0; i < 361; ++i) run += "x?";
    EXPECT_EQ(CompileErrors(engine, run + "y"), "");
    EXPECT_EQ(CompileErrors(engine, run + "x?x?y"), "Line1, Char726: Illegal '?'");
    EXPECT_EQ(CompileErrors(engine, "(x?x?x?x?x?x?x?x?){200}"), "");
    std::string group = "(";
    for (int i = 0; i < 40; ++i) group += "x?";
    EXPECT_EQ(CompileErrors(engine, group + "){90}"), "Line1, Char85: Illegal integer value") << "the links multiply";
}

// (\w|\d)+ used to list each state again with every digit typed, doubling the list each time.
TEST(RegExpr, StateListsHoldEachStateOnce) {
    TuiRegExpr engine;
    CompileText(engine, "(\\w|\\d)+");
    for (int i = 0; i < 200; ++i) {
        char c = static_cast<char>('0' + i % 10);
        ASSERT_TRUE(engine.Step(c));
    }
    const TuiRegExprStates& current = engine.Machine->Current;
    EXPECT_EQ(current.Count(), 2) << "the \\w state and the \\d state";
    EXPECT_NE(current.Items(0), current.Items(1));
    EXPECT_TRUE(engine.IsAccepting());
}

TEST(RegExpr, RefusedCharacterChangesNothing) {
    TuiRegExpr engine;
    CompileText(engine, "a(b|c)d");
    char a = 'a';
    ASSERT_TRUE(engine.Step(a));
    const std::vector<TuiRegExprState*> before = engine.Machine->Current.List();
    const std::size_t history = engine.Machine->History.size();
    char x = 'x';
    EXPECT_FALSE(engine.Step(x));
    EXPECT_EQ(x, 'x');
    EXPECT_EQ(engine.Machine->Current.List(), before);
    EXPECT_EQ(engine.Machine->History.size(), history);
}

TEST(RegExpr, StepBackRestartAndAtStart) {
    TuiRegExpr engine;
    CompileText(engine, "ab");
    EXPECT_TRUE(engine.AtStart());
    EXPECT_FALSE(engine.StepBack()) << "nothing to go back to";
    char a = 'a';
    char b = 'b';
    ASSERT_TRUE(engine.Step(a));
    EXPECT_FALSE(engine.AtStart());
    ASSERT_TRUE(engine.Step(b));
    EXPECT_TRUE(engine.IsAccepting());
    EXPECT_TRUE(engine.StepBack());
    EXPECT_FALSE(engine.IsAccepting());
    char again = 'b';
    EXPECT_TRUE(engine.Step(again));
    engine.Restart();
    EXPECT_TRUE(engine.AtStart());
    EXPECT_TRUE(engine.Machine->History.empty());
}

TEST(RegExpr, StepBackRemovesTheForcedSeparatorWithTheDigitBeforeIt) {
    TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = '/';
    Typist t;
    t.engine.SetAutoLiterals(true);
    CompileText(t.engine, "\\d\\d/\\d\\d");
    t.Type("12");
    EXPECT_EQ(t.text, "12/");
    EXPECT_TRUE(t.engine.StepBack());
    EXPECT_EQ(t.removed, 1);
    char two = '2';
    EXPECT_TRUE(t.engine.Step(two)) << "back before the second digit";
    EXPECT_EQ(t.pending, "/");
    FormatSettings = saved;
}

TEST(RegExpr, StepBackOverForcedStartCharacters) {
    Typist t;
    t.engine.SetAutoLiterals(true);
    CompileText(t.engine, "abc");
    EXPECT_EQ(t.forced, "abc");
    EXPECT_TRUE(t.engine.IsAccepting());
    EXPECT_FALSE(t.engine.StepBack()) << "only forced characters were there";
    EXPECT_EQ(t.removed, 3);
    EXPECT_TRUE(t.engine.AtStart());
}

TEST(RegExpr, AutoLiteralsSwitchedOnAfterTheCompile) {
    Typist t;
    CompileText(t.engine, "'(-'\\d");
    EXPECT_EQ(t.forced, "");
    t.engine.SetAutoLiterals(true);
    EXPECT_EQ(t.forced, "(-");
    char c = '7';
    EXPECT_TRUE(t.engine.Step(c));
    EXPECT_TRUE(t.engine.IsAccepting());
}

TEST(RegExpr, FilterKeepsTheAcceptedCharactersFromWhereItStands) {
    TuiRegExpr engine;
    engine.CaseInsensitive = true;
    CompileText(engine, "a\\d+");
    EXPECT_EQ(engine.Filter("Ax1y2"), "A12") << "taken characters come back unchanged";
    EXPECT_EQ(engine.Filter("3"), "3") << "not restarted first";
    EXPECT_TRUE(engine.IsAccepting());
}

TEST(RegExpr, NotCompiled) {
    TuiRegExpr engine;
    char c = 'a';
    const auto expectRefused = [&] {
        try {
            engine.Step(c);
            ADD_FAILURE() << "stepped";
        } catch (const EuiEditError& e) {
            EXPECT_STREQ(e.what(), "Regular expression is not compiled");
        }
        EXPECT_THROW(engine.Filter("a"), EuiEditError);
        EXPECT_THROW(engine.IsAccepting(), EuiEditError);
        EXPECT_EQ(engine.SourceStream(), nullptr);
    };
    expectRefused();
    EXPECT_EQ(CompileErrors(engine, "[]"), "Line1, Char2: Can't create empty enumeration");
    expectRefused();
    EXPECT_EQ(engine.ErrorList.Count(), 1) << "the errors stay until the next compile";
    try {
        engine.Compile(nullptr);
        ADD_FAILURE() << "compiled";
    } catch (const EuiRegExprError& e) {
        ASSERT_EQ(e.Errors->Count(), 1);
        EXPECT_EQ(e.Errors->Items(0).FullText(), "The source stream is not assigned");
    }
    CompileText(engine, "a");
    EXPECT_EQ(engine.ErrorList.Count(), 0);
    ASSERT_NE(engine.SourceStream(), nullptr);
    EXPECT_EQ(engine.SourceStream()->DataString(), "a");
    EXPECT_EQ(engine.LexemList.Count(), 1);
    engine.Discard();
    EXPECT_FALSE(engine.Ready);
    EXPECT_EQ(engine.SourceStream(), nullptr);
}

TEST(RegExpr, CountsExpandToNestedOptionalCopies) {
    TuiRegExpr engine;
    CompileText(engine, "x{2,4}");
    EXPECT_EQ(engine.Machine->Alternatives->Dump(),
              "<Start_Alt>\r\n<Start_Block>\r\n<Start_Alt>\r\nitem --> \r\nitem --> \r\n"
              "<Start_Block>\r\n<Start_Alt>\r\nitem --> \r\nitem --> ?\r\n<Finish_Alt>\r\n<Finish_Block> --> ?\r\n"
              "<Finish_Alt>\r\n<Finish_Block> --> \r\n<Finish_Alt>\r\n");
}

// The masks the format controller builds for dates compile, and a date or a smart word typed into them
// completes the value.
TEST(RegExpr, DateMasksOfTheFormatController) {
    const TFormatSettings saved = FormatSettings;
    SetUserLocaleName("en_US");
    GetFormatSettingsFromLocale();
    {
        TuiFormatController controller;
        const struct {
            std::string mask;
            const char* typed;
            bool accepting;
        } rows[] = {
            {controller.GetRegExprDateEditMask(), "12/25/2024", true},
            {controller.GetRegExprDateEditMask(), "Dec/25/2024", true},
            {controller.GetRegExprDateEditMask(), "12/25/20", false},
            {controller.GetRegExprDateEditMask(), "today+3", true},
            {controller.GetRegExprDateTimeEditMask(), "12/25/2024 11:05:00 PM", true},
            {controller.GetRegExprDateTimeEditMask(), "now", true},
        };
        for (const auto& row : rows) {
            TuiRegExpr engine;
            CompileText(engine, row.mask);
            EXPECT_EQ(engine.Filter(row.typed), row.typed) << row.typed;
            EXPECT_EQ(engine.IsAccepting(), row.accepting) << row.typed;
        }
    }
    SetUserLocaleName("");
    FormatSettings = saved;
}

}  // namespace
}  // namespace zel::test
