// The masked editor under real input: masks of each kind typed into through the queue, its settings,
// validation, the clipboard, bad input, registration at start-up, and screenshots of the gallery's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "MaskEditGallery.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Beep.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/vcl/ClipboardText.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/TypeKeys.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiEditRepository.h"
#include "uilib/editors/uiMaskEdit.h"

namespace zel::test {
namespace {

class MaskEdit : public EditorErrorsTest {
protected:
    // A form with one masked editor (not yet focused) and a plain EDIT after it.
    TuiMaskEdit* NewForm(TuiEditMaskKind AKind, const std::string& AMask) {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 300, 120);
        edit = NewMaskEdit(form, 10, 10, AKind, AMask);
        edit->SetWidth(200);
        edit->TabOrder = 0;
        after = NewEditAfter(form);
        form->Show();
        ProcessPendingMessages();
        return edit;
    }
    void Focus() {
        edit->SetFocus();
        ProcessPendingMessages();
    }

    TEditorGalleryForm* form = nullptr;
    TuiMaskEdit* edit = nullptr;
    TEdit* after = nullptr;
};

// ---- Typed input ----

struct TTypedRow {
    const char* Name;
    TuiEditMaskKind Kind;
    const char* Mask;
    const char* Keys;
    const char* Shown;
    bool Valid;
    const char* Value = nullptr;  // the value the text validates to; checked when given
    int Caret = -1;               // checked when not -1
    bool BeepOnError = false;
    int Beeps = 0;
    TEditCharCase CharCase = ecNormal;
    bool IgnoreMaskBlank = false;
};

TEST_F(MaskEdit, MasksByTypedInput) {
    const std::vector<TTypedRow> rows = {
        {"PhoneKeepsItsLiterals", emkStandard, "(999)000-0000", "5551234567", "(555)123-4567", true, "(555)123-4567"},
        {"PhoneWithoutLiterals", emkStandard, "(999)000-0000;0", "5551234567", "(555)123-4567", true, "5551234567"},
        {"FirstDigitSkipsTheParenthesis", emkStandard, "(999)000-0000", "5", "(5__)___-____", false, nullptr, 2},
        {"BackspaceAfterParenBlanksTheDigitBeforeIt", emkStandard, "(999)000-0000", "555{BS}", "(55_)___-____", false,
         nullptr, 3},
        {"LetterIntoDigitsChangesNothingSilently", emkStandard, "(999)000-0000", "a", "(___)___-____", true, nullptr,
         -1, true, 0},
        {"HalfFilledDoesNotValidate", emkStandard, "(999)000-0000", "55512", "(555)12_-____", false},
        {"DeleteBlanksOneDigit", emkStandard, "(999)000-0000", "5551234567{HOME}{DEL}", "(_55)123-4567", true,
         "( 55)123-4567"},
        {"EndThenBackspaceBlanksTheLastDigit", emkStandard, "(999)000-0000", "5551234567{END}{BS}", "(555)123-456_",
         false},
        {"LeftStepsOverTheLiterals", emkStandard, "(999)000-0000", "5551{LEFT}{LEFT}9", "(559)1__-____", false},
        {"UpperCaseItems", emkStandard, ">LL-00", "ab12", "AB-12", true, "AB-12"},
        {"CharCaseUpperTurnsLetters", emkStandard, "LL", "ab", "AB", true, "AB", -1, false, 0, ecUpperCase},
        {"UntouchedBlankTextValidWithIgnoreMaskBlank", emkStandard, "(999)000-0000", "", "(___)___-____", true, nullptr,
         -1, false, 0, ecNormal, true},
        {"HalfFilledNotValidEvenWithIgnoreMaskBlank", emkStandard, "(999)000-0000", "55", "(55_)___-____", false,
         nullptr, -1, false, 0, ecNormal, true},
        {"PasteIntoThePhone", emkStandard, "(999)000-0000", "{PASTE:5551234567}", "(555)123-4567", true},
        {"PasteIntoAnEmptyTextLeavesTheCaretAtZero", emkStandard, "!", "{PASTE:123}", "", true, nullptr, 0},

        {"DigitsOnly", emkRegExpr, "\\d+", "12a3", "123", true, "123", 3},
        {"LetterIntoDigitsIsSilentByDefault", emkRegExpr, "\\d+", "a", "", true, nullptr, 0, false, 0},
        {"LetterIntoDigitsBeepsWithBeepOnError", emkRegExpr, "\\d+", "a", "", true, nullptr, 0, true, 1},
        {"BackspaceInTheMiddle", emkRegExpr, "\\d+", "123{LEFT}{LEFT}{BS}", "23", true, "23", 0},
        {"DeleteThatBreaksTheTailDropsIt", emkRegExpr, "a\\d", "a1{HOME}{DEL}", "", true, nullptr, 0},
        {"RefusedAfterTheGroup", emkRegExpr, "\\d\\d", "123", "12", true, "12"},
        {"IncompleteExpressionDoesNotValidate", emkRegExpr, "\\d\\d\\d", "12", "12", false},
        {"CaseInsensitiveTakesTheMaskLetter", emkRegExpr, "ab", "AB", "ab", true},
        {"PasteKeepsOnlyWhatFits", emkRegExpr, "\\d+", "{PASTE:12ab34}", "1234", true, "1234", 4},

        {"SeparatorAppearsAfterTwoDigits", emkRegExprEx, "\\d\\d/\\d\\d", "12", "12/", false, nullptr, 3},
        {"FullDate", emkRegExprEx, "\\d\\d/\\d\\d", "1234", "12/34", true, "12/34"},
        {"BackspaceRemovesTheSeparatorWithItsDigit", emkRegExprEx, "\\d\\d/\\d\\d", "12{BS}", "1", false, nullptr, 1},
        {"LeftSkipsTheSeparatorWithItsDigit", emkRegExprEx, "\\d\\d/\\d\\d", "1234{LEFT}{LEFT}{LEFT}", "12/34", true,
         nullptr, 1},
        {"ForcedStartIsTheEmptyText", emkRegExprEx, "\\(\\d\\d\\d\\)", "", "(", true, nullptr},
        {"ForcedStartAndEnd", emkRegExprEx, "\\(\\d\\d\\d\\)", "123", "(123)", true, "(123)", 5},
        {"ForcedStartIsNotDeleted", emkRegExprEx, "\\(\\d\\d\\d\\)", "{END}{BS}", "(", true, nullptr, -1, true, 1},
        {"PasteFillsTheSeparators", emkRegExprEx, "\\d\\d/\\d\\d", "{PASTE:1234}", "12/34", true, "12/34", 5},
        {"PasteThatFailsKeepsWhatFits", emkRegExprEx, "\\d\\d/\\d\\d", "{PASTE:12345}", "12/34", true, "12/34"},
    };
    for (const TTypedRow& r : rows) {
        SCOPED_TRACE(r.Name);
        NewForm(r.Kind, r.Mask);
        edit->Properties()->SetBeepOnError(r.BeepOnError);
        edit->Properties()->SetCharCase(r.CharCase);
        edit->Properties()->SetIgnoreMaskBlank(r.IgnoreMaskBlank);
        edit->SetEditValue(Variant(""));
        Focus();
        beeps = 0;
        TypeKeys(r.Keys);
        EXPECT_EQ(edit->GetDisplayText(), r.Shown);
        if (r.Caret >= 0) {
            EXPECT_EQ(edit->GetSelStart(), r.Caret);
        }
        EXPECT_EQ(beeps, r.Beeps);
        EXPECT_EQ(edit->ValidateEdit(false), r.Valid);
        if (r.Value != nullptr) {
            EXPECT_EQ(VarToStr(edit->GetEditValue()), r.Value);
        }
        EXPECT_EQ(errors, std::vector<std::string>{});
        // Leaves without a check of the text: the next row's editor takes the focus.
        edit->Reset();
        form->Hide();
    }
}

// A click just right of the character at APos's left edge, through the queue.
void ClickAtChar(TuiMaskEdit* AEdit, int APos) {
    const LRESULT at = SendMessage(AEdit->InnerEdit()->GetHandle(), EM_POSFROMCHAR, static_cast<WPARAM>(APos), 0);
    ClickAt(AEdit->InnerEdit(), TPoint{static_cast<short>(LOWORD(at)) + 1, static_cast<short>(HIWORD(at)) + 3});
}

TEST_F(MaskEdit, AClickPlacesTheCaretForTheNextKey) {
    struct Row {
        const char* Name;
        TuiEditMaskKind Kind;
        const char* Mask;
        const char* Value;
        int ClickAt;
        const char* Keys;
        const char* Shown;
    };
    const std::vector<Row> rows = {
        {"ExpressionTypesAtTheClick", emkRegExpr, "\\d+", "1234", 2, "9", "12934"},
        {"ExpressionBackspaceAtTheClick", emkRegExpr, "\\d+", "1234", 3, "{BS}", "124"},
        {"StandardOverwritesTheClickedDigit", emkStandard, "(999)000-0000", "(555)123-4567", 6, "0", "(555)103-4567"},
        // Between "2" and the "/" it brought: the caret goes back to the start of that unit.
        {"ExtendedClickInsideAUnitGoesToItsStart", emkRegExprEx, "\\d\\d/\\d\\d", "12/34", 2, "9", "19/"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        NewForm(r.Kind, r.Mask);
        edit->SetEditValue(Variant(r.Value));
        Focus();
        ClickAtChar(edit, r.ClickAt);
        TypeKeys(r.Keys);
        EXPECT_EQ(edit->GetDisplayText(), r.Shown);
        edit->Reset();
        form->Hide();
    }
}

TEST_F(MaskEdit, DoubleClickSelectsTheWholeText) {
    NewForm(emkRegExprEx, "\\d\\d/\\d\\d");
    edit->SetEditValue(Variant("12/34"));
    Focus();
    const LRESULT at = SendMessage(edit->InnerEdit()->GetHandle(), EM_POSFROMCHAR, 1, 0);
    const TPoint s =
        OnScreen(edit->InnerEdit(), static_cast<short>(LOWORD(at)) + 1, static_cast<short>(HIWORD(at)) + 3);
    SetCursorPos(s.x, s.y);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    ProcessPendingMessages();
    EXPECT_EQ(edit->GetSelStart(), 0);
    EXPECT_EQ(edit->GetSelLength(), 5);
    TypeKeys("0");
    EXPECT_EQ(edit->GetDisplayText(), "0") << "the typed digit replaces the whole date";
}

// ---- Settings ----

TEST_F(MaskEdit, ModesConvertValuesWithoutAnEditor) {
    struct Row {
        const char* Name;
        TuiEditMaskKind Kind;
        const char* Mask;
        const char* Value;
        const char* Focused;    // shown while focused
        const char* Unfocused;  // shown while not focused
        const char* Empty;      // the empty edit value
    };
    const std::vector<Row> rows = {
        {"PhoneWithLiterals", emkStandard, "(999)000-0000", "(555)123-4567", "(555)123-4567", "(555)123-4567",
         "(   )   -    "},
        {"PhoneWithoutLiterals", emkStandard, "(999)000-0000;0", "5551234567", "(555)123-4567", "5551234567",
         "          "},
        {"BlanksShownAsSpacesUnfocused", emkStandard, "(999)000-0000", "(555)12 -    ", "(555)12_-____",
         "(555)12 -    ", "(   )   -    "},
        {"Digits", emkRegExpr, "\\d+", "12a3", "123", "123", ""},
        {"DateSeparatorAppended", emkRegExprEx, "\\d\\d/\\d\\d", "12", "12/", "12/", ""},
        {"ForcedStart", emkRegExprEx, "\\(\\d\\d\\d\\)", "", "(", "(", "("},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TuiMaskEditProperties properties(nullptr);
        properties.SetMaskKind(r.Kind);
        properties.SetEditMask(r.Mask);
        EXPECT_EQ(properties.MaskDisplayText(r.Value, true), r.Focused);
        EXPECT_EQ(properties.MaskDisplayText(r.Value, false), r.Unfocused);
        auto mode = TuiCustomMaskEditProperties::NewMode(r.Kind, nullptr, &properties);
        mode->Compile(r.Mask);
        EXPECT_EQ(mode->EmptyEditValue(), r.Empty);
    }
}

TEST_F(MaskEdit, AlwaysShowBlanksAndLiteralsShowsTheMaskWhileNotFocused) {
    NewForm(emkStandard, "(999)000-0000;0");
    after->SetFocus();
    ProcessPendingMessages();
    edit->SetEditValue(Variant("55512"));
    EXPECT_EQ(edit->GetDisplayText(), "55512     ");
    edit->Properties()->SetAlwaysShowBlanksAndLiterals(true);
    EXPECT_EQ(edit->GetDisplayText(), "(555)12_-____");
    Focus();
    EXPECT_EQ(edit->GetDisplayText(), "(555)12_-____");
}

TEST_F(MaskEdit, ValidityOfValuesPerMaskKind) {
    struct Row {
        const char* Name;
        TuiEditMaskKind Kind;
        const char* Mask;
        bool IgnoreMaskBlank;
        const char* Text;
        bool Valid;
    };
    const std::vector<Row> rows = {
        {"Full", emkStandard, "(999)000-0000", false, "(555)123-4567", true},
        {"OptionalBlank", emkStandard, "(999)000-0000", false, "(5__)123-4567", true},
        {"RequiredBlank", emkStandard, "(999)000-0000", false, "(555)12_-4567", false},
        {"UntouchedBlank", emkStandard, "(999)000-0000", false, "(___)___-____", false},
        {"UntouchedBlankIgnored", emkStandard, "(999)000-0000", true, "(___)___-____", true},
        {"HalfFilledNotIgnored", emkStandard, "(999)000-0000", true, "(555)12_-____", false},
        {"EmptyExpressionText", emkRegExpr, "\\d\\d\\d", false, "", true},
        {"ShortOfTheEnd", emkRegExpr, "\\d\\d\\d", false, "12", false},
        {"ShortOfTheEndIgnored", emkRegExpr, "\\d\\d\\d", true, "12", true},
        {"WrongCharacter", emkRegExpr, "\\d\\d\\d", true, "1a", false},
        {"OnlyTheForcedStart", emkRegExprEx, "\\(\\d\\d\\d\\)", false, "(", true},
        {"ForcedStartAndTwoDigits", emkRegExprEx, "\\(\\d\\d\\d\\)", false, "(12", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TuiMaskEditProperties properties(nullptr);
        properties.SetMaskKind(r.Kind);
        properties.SetEditMask(r.Mask);
        properties.SetIgnoreMaskBlank(r.IgnoreMaskBlank);
        Variant value(std::string(r.Text));
        std::string errorText;
        bool error = false;
        properties.ValidateDisplayValue(value, errorText, error, nullptr, nullptr, r.Text);
        EXPECT_EQ(!error, r.Valid);
        if (error) {
            EXPECT_EQ(errorText, "The edit value is invalid");
        }
    }
}

TEST_F(MaskEdit, InvalidExpressionIsRefusedAndChangesNothing) {
    TuiMaskEditProperties properties(nullptr);
    properties.SetMaskKind(emkRegExpr);
    properties.SetEditMask("\\d+");
    int changes = 0;
    properties.OnPropertiesChanged = [&](TObject*) { ++changes; };
    try {
        properties.SetEditMask("(\\d");
        FAIL() << "no error";
    } catch (const EuiMaskEditError& E) {
        const std::string text = E.what();
        EXPECT_EQ(text.rfind("Regular expression errors:\r\n", 0), 0u) << text;
        EXPECT_GT(text.size(), std::string("Regular expression errors:\r\n").size());
    }
    EXPECT_EQ(properties.GetEditMask(), "\\d+");
    EXPECT_EQ(changes, 0);

    // Equal to the mask in force: stored without a change notification.
    properties.SetEditMask("\\d+");
    EXPECT_EQ(changes, 0);
    properties.SetEditMask("\\d*");
    EXPECT_EQ(changes, 1);
}

TEST_F(MaskEdit, InvalidExpressionOnAShownEditorKeepsItsText) {
    NewForm(emkRegExpr, "\\d+");
    Focus();
    TypeKeys("12");
    EXPECT_THROW(edit->Properties()->SetEditMask("[1-"), EuiMaskEditError);
    EXPECT_EQ(edit->Properties()->GetEditMask(), "\\d+");
    EXPECT_EQ(edit->GetDisplayText(), "12");
    TypeKeys("3");
    EXPECT_EQ(edit->GetDisplayText(), "123");
}

TEST_F(MaskEdit, BlankMaskMeansAPlainTextEditor) {
    NewForm(emkStandard, "   ");
    EXPECT_FALSE(edit->Properties()->IsMasked());
    EXPECT_FALSE(TuiCustomMaskEditProperties::IsMaskBlank("0"));
    EXPECT_TRUE(TuiCustomMaskEditProperties::IsMaskBlank(std::string("\t\r\n\f \0", 6)));
    edit->Properties()->SetMaxLength(3);
    EXPECT_EQ(edit->Properties()->GetMaxLength(), 3);
    Focus();
    TypeKeys("ab1x");
    EXPECT_EQ(edit->GetDisplayText(), "ab1") << "typed freely up to the maximum length";

    // Masked, the mask sets the length.
    edit->Properties()->SetEditMask("000000");
    EXPECT_EQ(edit->Properties()->GetMaxLength(), 0);
}

TEST_F(MaskEdit, ABlankStandardMaskTakesTheDataDefaultMask) {
    class TMaskProvider : public TuiCustomEditDefaultValuesProvider {
    public:
        std::string DefaultEditMask() override { return "00"; }
    };
    TMaskProvider provider;
    TuiMaskEditProperties properties(nullptr);
    properties.SetDefaultValuesProvider(&provider);
    EXPECT_EQ(properties.EffectiveMask(), "00");
    EXPECT_TRUE(properties.IsMasked());
    EXPECT_EQ(properties.MaskDisplayText("1", true), "1_");
    properties.SetEditMask("000");
    EXPECT_EQ(properties.EffectiveMask(), "000") << "its own mask first";
    properties.SetEditMask("");
    properties.SetMaskKind(emkRegExpr);
    EXPECT_FALSE(properties.IsMasked()) << "the data's mask is a standard one";
    properties.SetDefaultValuesProvider(nullptr);
}

TEST_F(MaskEdit, CharCaseForcesCaseInsensitive) {
    TuiMaskEditProperties properties(nullptr);
    properties.SetCaseInsensitive(false);
    EXPECT_FALSE(properties.GetCaseInsensitive());
    properties.SetCharCase(ecUpperCase);
    EXPECT_TRUE(properties.GetCaseInsensitive());
    properties.SetCaseInsensitive(false);
    EXPECT_TRUE(properties.GetCaseInsensitive()) << "stays on while the case is forced";
    properties.SetCharCase(ecNormal);
    properties.SetCaseInsensitive(false);
    EXPECT_FALSE(properties.GetCaseInsensitive());
}

TEST_F(MaskEdit, CaseSensitiveExpressionRefusesTheOtherCase) {
    NewForm(emkRegExpr, "ab");
    edit->Properties()->SetCaseInsensitive(false);
    edit->Properties()->SetBeepOnError(true);
    Focus();
    TypeKeys("A");
    EXPECT_EQ(edit->GetDisplayText(), "");
    EXPECT_EQ(beeps, 1);
    TypeKeys("ab");
    EXPECT_EQ(edit->GetDisplayText(), "ab");
}

TEST_F(MaskEdit, AssignCopiesTheMaskSettings) {
    TuiMaskEditProperties source(nullptr);
    source.SetMaskKind(emkRegExprEx);
    source.SetEditMask("\\d\\d/\\d\\d");
    source.SetIgnoreMaskBlank(true);
    source.SetAlwaysShowBlanksAndLiterals(true);
    source.SetCaseInsensitive(false);
    TuiMaskEditProperties target(nullptr);
    int changes = 0;
    target.OnPropertiesChanged = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(target.GetMaskKind(), emkRegExprEx);
    EXPECT_EQ(target.GetEditMask(), "\\d\\d/\\d\\d");
    EXPECT_TRUE(target.GetIgnoreMaskBlank());
    EXPECT_TRUE(target.GetAlwaysShowBlanksAndLiterals());
    EXPECT_FALSE(target.GetCaseInsensitive());
    EXPECT_EQ(changes, 1) << "one change for the whole assignment";
}

TEST_F(MaskEdit, ChangingTheMaskKindReplacesTheMode) {
    NewForm(emkStandard, "00");
    EXPECT_EQ(edit->Mode()->MaskKind(), emkStandard);
    edit->Properties()->SetMaskKind(emkRegExprEx);
    EXPECT_EQ(edit->Mode()->MaskKind(), emkRegExprEx);
    Focus();
    TypeKeys("123");
    EXPECT_EQ(edit->GetDisplayText(), "00") << "\"00\" as an expression takes only itself";
}

// ---- Validation ----

TEST_F(MaskEdit, HalfFilledValueFailsOnEnterAndKeepsTheOldValue) {
    NewForm(emkStandard, "(999)000-0000");
    edit->SetEditValue(Variant("(555)123-4567"));
    Focus();
    TypeKeys("{END}{BS}{BS}{BS}");
    ASSERT_EQ(edit->GetDisplayText(), "(555)123-4___");
    Tap(VK_RETURN);
    ASSERT_EQ(errors, std::vector<std::string>{"The edit value is invalid"});
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "(555)123-4567");
    EXPECT_EQ(GetFocus(), edit->InnerEdit()->GetHandle());
    TypeKeys("{END}{LEFT}{LEFT}{LEFT}890");
    Tap(VK_RETURN);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "(555)123-4890");
}

TEST_F(MaskEdit, LeavingWithAHalfFilledValueBringsTheFocusBack) {
    NewForm(emkRegExprEx, "\\d\\d/\\d\\d");
    Focus();
    TypeKeys("123");
    Tap(VK_TAB);
    ASSERT_EQ(errors, std::vector<std::string>{"The edit value is invalid"});
    EXPECT_EQ(GetFocus(), edit->InnerEdit()->GetHandle());
    TypeKeys("{END}4");
    Tap(VK_TAB);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "12/34");
    EXPECT_EQ(GetFocus(), after->GetHandle());
}

// ---- Clipboard ----

std::string ClipboardNow() { return ClipboardText(nullptr); }

TEST_F(MaskEdit, ClipboardKeysGoThroughTheMask) {
    NewForm(emkStandard, "(999)000-0000");
    edit->SetEditValue(Variant("(555)123-4567"));
    Focus();
    edit->SelectAll();
    Tap('C', VK_CONTROL);
    EXPECT_EQ(ClipboardNow(), "(555)123-4567");

    Tap('X', VK_CONTROL);
    EXPECT_EQ(ClipboardNow(), "(555)123-4567");
    EXPECT_EQ(edit->GetDisplayText(), "(___)___-____") << "a cut blanks, the literals stay";

    TypeKeys("{HOME}");
    Tap('V', VK_CONTROL);
    EXPECT_EQ(edit->GetDisplayText(), "(555)123-4567");

    edit->SelectAll();
    Tap(VK_DELETE, VK_SHIFT);
    EXPECT_EQ(edit->GetDisplayText(), "(___)___-____") << "Shift+Del cuts";
    EXPECT_EQ(ClipboardNow(), "(555)123-4567");
    ASSERT_TRUE(PutClipboardText("999"));
    TypeKeys("{HOME}");
    Tap(VK_INSERT, VK_SHIFT);
    EXPECT_EQ(edit->GetDisplayText(), "(999)___-____") << "Shift+Ins pastes";
}

TEST_F(MaskEdit, ClipboardOnAnExpressionText) {
    NewForm(emkRegExpr, "\\d+");
    Focus();
    TypeKeys("1234{LEFT}{S-LEFT}{S-LEFT}");
    Tap('X', VK_CONTROL);
    EXPECT_EQ(ClipboardNow(), "23");
    EXPECT_EQ(edit->GetDisplayText(), "14");
    TypeKeys("5");
    EXPECT_EQ(edit->GetDisplayText(), "154") << "the caret stayed where the cut was";
    ASSERT_TRUE(PutClipboardText("9x9"));
    Tap('V', VK_CONTROL);
    EXPECT_EQ(edit->GetDisplayText(), "15994");
}

TEST_F(MaskEdit, ReadOnlyEditorCopiesButNeverChanges) {
    NewForm(emkStandard, "(999)000-0000");
    edit->SetEditValue(Variant("(555)123-4567"));
    edit->Properties()->SetReadOnly(true);
    Focus();
    edit->SelectAll();
    Tap('X', VK_CONTROL);
    EXPECT_EQ(ClipboardNow(), "(555)123-4567") << "a cut only copies";
    EXPECT_EQ(edit->GetDisplayText(), "(555)123-4567");
    ASSERT_TRUE(PutClipboardText("999"));
    Tap('V', VK_CONTROL);
    TypeKeys("1{DEL}{BS}");
    EXPECT_EQ(edit->GetDisplayText(), "(555)123-4567");
}

TEST_F(MaskEdit, HostileClipboardTextPastesWithoutHarm) {
    const std::string digits(100000, '7');
    struct Row {
        const char* Name;
        TuiEditMaskKind Kind;
        const char* Mask;
        std::string Clipboard;
        std::string Shown;
    };
    const std::vector<Row> rows = {
        {"LineBreakEndsThePhone", emkStandard, "(999)000-0000", "555\r\n1234567", "(555)___-____"},
        {"LongTextFillsThePhone", emkStandard, "(999)000-0000", digits, "(777)777-7777"},
        {"LineBreakEndsTheDigits", emkRegExpr, "\\d+", "12\n34", "12"},
        {"LongTextOfDigits", emkRegExpr, "\\d+", digits, digits},
        {"LongTextIntoFourDigits", emkRegExprEx, "\\d\\d/\\d\\d", digits, "77/77"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        NewForm(r.Kind, r.Mask);
        edit->SetEditValue(Variant(""));
        Focus();
        ASSERT_TRUE(PutClipboardText(r.Clipboard));
        Tap('V', VK_CONTROL);
        EXPECT_EQ(edit->GetDisplayText(), r.Shown);
        EXPECT_LE(edit->GetSelStart(), static_cast<int>(r.Shown.size()));
        EXPECT_EQ(errors, std::vector<std::string>{});
        edit->Reset();
        form->Hide();
    }
}

// ---- Registration ----

TEST_F(MaskEdit, FilterOperatorSets) {
    TuiMaskEditProperties unmasked(nullptr);
    TuiMaskEditProperties masked(nullptr);
    masked.SetEditMask("00");
    TuiStringValueType text;
    TuiIntegerValueType number;
    struct Row {
        const char* Name;
        TuiCustomEditProperties* Properties;
        const TuiValueType* ValueType;
        bool Extended;
        unsigned long long Set;
    };
    const std::vector<Row> rows = {
        {"Base", &unmasked, nullptr, false, 1662},
        {"TextPatternsForUnmaskedText", &unmasked, &text, false, 1662 + 384},
        {"NoTextPatternsForNumbers", &unmasked, &number, false, 1662},
        {"NoTextPatternsWhenMasked", &masked, &text, false, 1662},
        {"Extended", &masked, nullptr, true, 1662 + 30720},
        {"Everything", &unmasked, &text, true, 1662 + 384 + 30720},
    };
    TuiFilterEditHelperClass helper = TuiCustomFilterEditHelper::HelperOfClass(TuiFilterMaskEditHelper::StaticClass());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(helper->GetSupportedFilterOperators(r.Properties, r.ValueType, r.Extended).to_ullong(), r.Set);
    }
}

TEST_F(MaskEdit, FilterRowsTurnTheExpressionIntoTheExtendedOne) {
    TuiFilterEditHelperClass helper = TuiCustomFilterEditHelper::HelperOfClass(TuiFilterMaskEditHelper::StaticClass());
    TuiMaskEditProperties properties(nullptr);
    properties.SetMaskKind(emkRegExpr);
    properties.SetEditMask("\\d+");
    TuiMaskEditProperties filter(nullptr);
    helper->InitializeProperties(&filter, &properties, false);
    EXPECT_EQ(filter.GetMaskKind(), emkRegExprEx);
    EXPECT_EQ(filter.GetEditMask(), "\\d+");
    EXPECT_FALSE(filter.GetAutoSelect()) << "masked";
    TuiMaskEditProperties plain(nullptr);
    plain.SetAutoSelect(false);
    TuiMaskEditProperties plainFilter(nullptr);
    helper->InitializeProperties(&plainFilter, &plain, false);
    EXPECT_TRUE(plainFilter.GetAutoSelect());
    EXPECT_EQ(helper->GetFilterEditClassName(), "TuiMaskEdit");
}

// ---- Pictures ----

TEST_F(MaskEdit, GalleryScreenshots) {
    TEditorGalleryForm* gallery = Keep(NewMaskEditGallery());
    gallery->SetBounds(0, 0, gallery->GetWidth(), gallery->GetHeight());
    gallery->Show();
    ProcessPendingMessages();
    const std::size_t looks = GalleryLooks().size();
    auto* blank = static_cast<TuiMaskEdit*>(gallery->Containers[0]);
    auto* half = static_cast<TuiMaskEdit*>(gallery->Containers[looks]);
    auto* full = static_cast<TuiMaskEdit*>(gallery->Containers[2 * looks]);
    // The first editor has the focus: its mask shows with the blank characters; the others show values.
    EXPECT_EQ(GetFocus(), blank->InnerEdit()->GetHandle());
    EXPECT_EQ(blank->GetDisplayText(), "(___)___-____");
    auto* blank2 = static_cast<TuiMaskEdit*>(gallery->Containers[1]);
    EXPECT_EQ(blank2->GetDisplayText(), "(   )   -    ");
    EXPECT_EQ(half->GetDisplayText(), "(555)12 -    ");
    EXPECT_EQ(full->GetDisplayText(), "(555)123-4567");
    EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("editors_mask")));

    // Tab moves the focus on; then the pointer goes onto the full row's first editor.
    Tap(VK_TAB);
    EXPECT_EQ(GetFocus(), blank2->InnerEdit()->GetHandle());
    EXPECT_EQ(blank2->GetDisplayText(), "(___)___-____");
    EXPECT_EQ(blank->GetDisplayText(), "(   )   -    ");
    const TPoint s = OnScreen(full, 5, 5);
    SetCursorPos(s.x, s.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("editors_mask_focused_hot")));

    // Tab on to the half-filled and then the full row: each shows its value in the mask while focused.
    const std::vector<std::pair<TuiMaskEdit*, const char*>> focused = {{half, "(555)12_-____"},
                                                                       {full, "(555)123-4567"}};
    const char* names[] = {"editors_mask_half_focused", "editors_mask_full_focused"};
    for (std::size_t i = 0; i < focused.size(); ++i) {
        while (GetFocus() != focused[i].first->InnerEdit()->GetHandle() && errors.empty()) Tap(VK_TAB);
        EXPECT_EQ(focused[i].first->GetDisplayText(), focused[i].second);
        EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath(names[i])));
    }
    EXPECT_EQ(errors, std::vector<std::string>{}) << "the untouched half-filled value is not checked on leaving";
}

}  // namespace
}  // namespace zel::test
