// The spin editor under real input: keys, the wheel and held buttons through the queue on the manual clock,
// stepping at the bounds, bad input typed and pasted, its buttons' layout and theme, its settings in streams,
// the filter helper, and screenshots of the gallery's spin rows.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Beep.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "support/vcl/ClipboardText.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/TypeKeys.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/editors/uiEditRepository.h"
#include "uilib/editors/uiSpinEdit.h"

namespace zel::test {
namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

class SpinEdit : public EditorErrorsTest {
protected:
    void Noted(const std::exception& E) override {
        editErrors += dynamic_cast<const EuiEditError*>(&E) != nullptr ? 1 : 0;
    }
    // A form with one spin editor (not yet focused) and a plain EDIT after it.
    TuiSpinEdit* NewForm() {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 300, 120);
        edit = Construct<TuiSpinEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, kGalleryControlHeight);
        edit->TabOrder = 0;
        after = NewEditAfter(form);
        form->Show();
        ProcessPendingMessages();
        return edit;
    }
    TuiSpinEditProperties* Props() { return edit->Properties(); }
    void Range(double AMin, double AMax) {
        Props()->SetMinValue(AMin);
        Props()->SetMaxValue(AMax);
    }
    void Focus() {
        edit->SetFocus();
        ProcessPendingMessages();
    }
    // Replaces the whole text by typing (or pasting) into the focused editor.
    void Replace(const std::string& AKeys) {
        edit->SelectAll();
        if (AKeys.empty()) TypeKeys("{DEL}");
        else TypeKeys(AKeys);
    }
    TPoint ButtonCenter(int AIndex) {
        for (const TuiEditButtonViewInfo& b : edit->SpinViewInfo()->ButtonsInfo)
            if (b.ButtonIndex == AIndex)
                return TPoint{(b.Bounds.left + b.Bounds.right) / 2, (b.Bounds.top + b.Bounds.bottom) / 2};
        ADD_FAILURE() << "no button " << AIndex;
        return TPoint{0, 0};
    }
    TRect ButtonBounds(int AIndex) {
        for (const TuiEditButtonViewInfo& b : edit->SpinViewInfo()->ButtonsInfo)
            if (b.ButtonIndex == AIndex) return b.Bounds;
        return TRect{0, 0, 0, 0};
    }
    std::string Text() { return edit->GetDisplayText(); }

    TEditorGalleryForm* form = nullptr;
    TuiSpinEdit* edit = nullptr;
    TEdit* after = nullptr;
    int editErrors = 0;
};

// ---- Keys, wheel and held buttons ----

struct TKeyRow {
    const char* Name;
    bool UseCtrlIncrement;
    WORD Key;
    bool Ctrl;
    const char* Shown;
};

TEST_F(SpinEdit, KeysStepByIncrementAndLargeIncrement) {
    const std::vector<TKeyRow> rows = {
        {"UpAddsIncrement", false, VK_UP, false, "52"},
        {"DownTakesIncrement", false, VK_DOWN, false, "48"},
        {"PageUpAddsLargeIncrement", false, VK_PRIOR, false, "70"},
        {"PageDownTakesLargeIncrement", false, VK_NEXT, false, "30"},
        {"CtrlStillSteps", false, VK_UP, true, "52"},
        {"UpWithoutCtrlIsIgnored", true, VK_UP, false, "50"},
        {"PageDownWithoutCtrlIsIgnored", true, VK_NEXT, false, "50"},
        {"CtrlUpSteps", true, VK_UP, true, "52"},
        {"CtrlPageUpSteps", true, VK_PRIOR, true, "70"},
    };
    for (const TKeyRow& row : rows) {
        SCOPED_TRACE(row.Name);
        NewForm();
        Range(0, 100);
        Props()->SetIncrement(2);
        Props()->SetLargeIncrement(20);
        Props()->SetUseCtrlIncrement(row.UseCtrlIncrement);
        edit->SetValue(Variant(50));
        Focus();
        Tap(row.Key, row.Ctrl ? VK_CONTROL : 0);
        EXPECT_EQ(Text(), row.Shown);
        if (std::string(row.Shown) != "50") {
            EXPECT_EQ(edit->GetSelStart(), static_cast<int>(Text().size())) << "the caret goes to the end";
            EXPECT_EQ(edit->PressedButton, 0) << "the key's release ends the pressed look";
        }
        // Enter posts what the keys stepped to.
        Tap(VK_RETURN);
        EXPECT_EQ(VarToDouble(edit->GetEditValue()), std::stod(row.Shown));
        form->Hide();
    }
    EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(SpinEdit, KeyDownShowsTheButtonPressedUntilTheKeyComesUp) {
    NewForm();
    Props()->SpinButtons()->SetShowFastButtons(true);
    Focus();
    keybd_event(VK_PRIOR, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(edit->PressedButton, sesFastUp + 1);
    EXPECT_EQ(edit->SpinViewInfo()->PressedIndex, sesFastUp);
    keybd_event(VK_PRIOR, 0, KEYEVENTF_KEYUP, 0);
    ProcessPendingMessages();
    EXPECT_EQ(edit->PressedButton, 0);
    EXPECT_EQ(Text(), "10");
}

TEST_F(SpinEdit, WheelStepsTheFocusedEditorOnly) {
    NewForm();
    edit->SetValue(Variant(5));
    after->SetFocus();
    ProcessPendingMessages();
    const TPoint p = OnScreen(edit, 20, 5);
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(WHEEL_DELTA), 0);
    ProcessPendingMessages();
    EXPECT_EQ(Text(), "5") << "not focused";
    Focus();
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(WHEEL_DELTA), 0);
    ProcessPendingMessages();
    EXPECT_EQ(Text(), "6");
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA), 0);
    ProcessPendingMessages();
    EXPECT_EQ(Text(), "4");
}

TEST_F(SpinEdit, HoldingAButtonStepsAtOnceAfter400MsThenEvery100Ms) {
    NewForm();
    Focus();
    const TPoint s = OnScreen(edit, ButtonCenter(sesUp).x, ButtonCenter(sesUp).y);
    SetCursorPos(s.x, s.y);
    ProcessPendingMessages();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(Text(), "1") << "one step at once";
    EXPECT_EQ(edit->PressedButton, sesUp + 1);
    ASSERT_NE(edit->RepeatTimer(), nullptr);
    Run(390);
    EXPECT_EQ(Text(), "1");
    Run(10);
    EXPECT_EQ(Text(), "2") << "after 400 ms";
    Run(90);
    EXPECT_EQ(Text(), "2");
    Run(10);
    EXPECT_EQ(Text(), "3") << "100 ms later";
    Run(300);
    EXPECT_EQ(Text(), "6");
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    EXPECT_EQ(edit->PressedButton, 0);
    EXPECT_EQ(edit->RepeatTimer(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    Run(500);
    EXPECT_EQ(Text(), "6") << "released: no more steps";

    // The down button, held and let go before the first repeat: one step only.
    const TPoint d = OnScreen(edit, ButtonCenter(sesDown).x, ButtonCenter(sesDown).y);
    SetCursorPos(d.x, d.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    Run(300);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    Run(500);
    EXPECT_EQ(Text(), "5");
    Tap(VK_RETURN);
    EXPECT_EQ(VarToDouble(edit->GetEditValue()), 5);
}

TEST_F(SpinEdit, HeldButtonOfAReadOnlyEditorDoesNothing) {
    NewForm();
    Props()->SetReadOnly(true);
    Focus();
    ClickAt(edit, ButtonCenter(sesUp));
    Tap(VK_UP);
    EXPECT_EQ(Text(), "0");
    EXPECT_EQ(edit->RepeatTimer(), nullptr);
}

// ---- Stepping at the bounds ----

struct TStepRow {
    const char* Name;
    TuiSpinEditValueType Type;
    double Min, Max;
    bool MinAssigned, MaxAssigned;
    const char* Start;  // typed into the focused editor
    double Increment;
    bool Wrap;
    WORD Key;
    const char* Shown;
};

TEST_F(SpinEdit, StepsClampOrWrapAtTheBounds) {
    const std::string max = std::to_string(kInt64Max), min = std::to_string(kInt64Min);
    const std::vector<TStepRow> rows = {
        {"ClampUp", vtFloat, 0, 10, true, true, "9", 3, false, VK_UP, "10"},
        {"WrapUp", vtFloat, 0, 10, true, true, "9", 3, true, VK_UP, "1"},
        {"ClampDown", vtFloat, 0, 10, true, true, "1", 3, false, VK_DOWN, "0"},
        {"WrapDown", vtFloat, 0, 10, true, true, "1", 3, true, VK_DOWN, "9"},
        {"IntWrapUp", vtInt, 0, 10, true, true, "9", 3, true, VK_UP, "1"},
        {"IntWrapDown", vtInt, 0, 10, true, true, "1", 3, true, VK_DOWN, "9"},
        {"AtTheMaximumStays", vtInt, 0, 10, true, true, "10", 1, false, VK_UP, "10"},
        {"TypedAboveTheMaximumStepsDownToIt", vtInt, 0, 10, true, true, "15", 1, false, VK_DOWN, "10"},
        {"TypedAboveTheMaximumWrapsUpToTheMinimum", vtInt, 0, 10, true, true, "15", 1, true, VK_UP, "0"},
        {"TypedAboveTheMaximumDoesNotStepUp", vtInt, 0, 10, true, true, "15", 1, false, VK_UP, "15"},
        {"TypedBelowTheMinimumStepsUpToIt", vtFloat, 0, 10, true, true, "-4", 1, false, VK_UP, "0"},
        {"IntHalfIncrementRoundsToNoStep", vtInt, 0, 10, true, true, "5", 0.5, false, VK_UP, "5"},
        {"IntOneAndAHalfStepsByTwo", vtInt, 0, 10, true, true, "5", 1.5, false, VK_UP, "7"},
        {"WrapPastTheRangeMoreThanOnce", vtInt, 0, 10, true, true, "9", 25, true, VK_UP, "1"},
        {"FloatWrapStaysInsideTheRange", vtFloat, 0, 10, true, true, "9.5", 1, true, VK_UP, "0"},
        {"OnlyTheMinimumInForce", vtInt, 5, 0, true, false, "6", 3, false, VK_DOWN, "5"},
        {"EqualUnassignedBoundsRunToTheTypeMaximum", vtInt, 0, 0, false, false, "9223372036854775800", 100, false,
         VK_UP, max.c_str()},
        {"EqualUnassignedBoundsRunToTheTypeMinimum", vtInt, 0, 0, false, false, "-9223372036854775800", 100, false,
         VK_DOWN, min.c_str()},
        {"WrapOverTheWholeIntegerRange", vtInt, 0, 0, false, false, max.c_str(), 1, true, VK_UP, min.c_str()},
        {"MaximumPastTheIntegerRangeSaturates", vtInt, 0, 1e19, true, true, "9223372036854775806", 1, false, VK_UP,
         max.c_str()},
        {"MinimumPastTheIntegerRangeSaturates", vtInt, -1e19, 0, true, true, "-5", 1, false, VK_DOWN, "-6"},
    };
    for (const TStepRow& row : rows) {
        SCOPED_TRACE(row.Name);
        NewForm();
        Props()->SetValueType(row.Type);
        Props()->SetMinValue(row.Min);
        Props()->SetMaxValue(row.Max);
        Props()->AssignedValues()->SetMinValue(row.MinAssigned);
        Props()->AssignedValues()->SetMaxValue(row.MaxAssigned);
        Props()->SetIncrement(row.Increment);
        Props()->SetWrapAround(row.Wrap);
        Focus();
        Replace(row.Start);
        ASSERT_EQ(Text(), row.Start);
        Tap(row.Key);
        EXPECT_EQ(Text(), row.Shown);
        form->Hide();
    }
    EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(SpinEdit, StepThatCannotMoveLeavesValueAndTextAlone) {
    NewForm();
    Range(0, 10);
    edit->SetValue(Variant(10));
    int changes = 0;
    Props()->OnChange = [&changes](TObject*) { ++changes; };
    Focus();
    edit->SetSelStart(0);
    EXPECT_FALSE(edit->DoStep(sesUp));
    EXPECT_EQ(Text(), "10");
    EXPECT_EQ(edit->GetSelStart(), 0) << "the caret stays";
    EXPECT_FALSE(edit->GetModifiedSinceEnter());
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(edit->DoStep(sesDown));
    EXPECT_EQ(changes, 1);
}

TEST_F(SpinEdit, ImmediatePostPostsEachStep) {
    NewForm();
    Props()->SetImmediatePost(true);
    Focus();
    Tap(VK_UP);
    Tap(VK_UP);
    EXPECT_EQ(VarToDouble(edit->GetEditValue()), 2) << "posted without Enter";
    EXPECT_EQ(Text(), "2");
}

TEST_F(SpinEdit, SettingsKeepTheValueInsideTheBounds) {
    NewForm();
    edit->SetValue(Variant(50));
    Range(0, 20);
    EXPECT_EQ(VarToDouble(edit->GetEditValue()), 20) << "a new maximum below the value";
    Props()->SetMinValue(30);
    Props()->SetMaxValue(40);
    EXPECT_EQ(VarToDouble(edit->GetEditValue()), 30);
    // Values the editor cannot hold are ignored.
    edit->SetValue(Variant("abc"));
    edit->SetValue(Variant::Null());
    EXPECT_EQ(VarToDouble(edit->GetEditValue()), 30);
    // An integer editor holds 64-bit integers and shows all their digits.
    Props()->AssignedValues()->RestoreDefaults();
    Props()->SetMinValue(0);
    Props()->SetMaxValue(0);
    Props()->AssignedValues()->RestoreDefaults();
    Props()->SetValueType(vtInt);
    edit->SetValue(Variant(kInt64Max));
    EXPECT_EQ(edit->GetEditValue().VType(), varInt64);
    EXPECT_EQ(VarToInt64(edit->GetValue()), kInt64Max);
    EXPECT_EQ(Text(), std::to_string(kInt64Max));
}

// ---- Bad input ----

struct TBadRow {
    const char* Name;
    TuiSpinEditValueType Type;
    const char* Keys;  // typed, or {PASTE:...}
    bool Exception;
    const char* Error;  // the refusal; empty when none
    double Value;       // the value afterwards
    const char* Shown;  // the text afterwards
    bool Beeps = false;
    char Decimal = '.';
    double Max = 100;
};

TEST_F(SpinEdit, BadInputIsRefusedOrClampedKeepingTheOldValue) {
    const std::string digits(100000, '7');
    const std::string pastedDigits = "{PASTE:" + digits + "}";
    const char* invalid = "Invalid numeric value";
    const char* bounds = "Value out of bounds";
    const std::vector<TBadRow> rows = {
        {"EmptyIsZero", vtFloat, "", false, "", 0, "0"},
        {"EmptyIsZeroAlsoWhenStrict", vtFloat, "", true, "", 0, "0"},
        {"MinusAloneKeepsTheValue", vtFloat, "-", false, "", 42, "42"},
        {"MinusAloneRefused", vtFloat, "-", true, invalid, 42, "-"},
        {"MinusAlonePastedIsRefused", vtFloat, "{PASTE:-}", true, "", 42, "42"},
        {"HugeExponentKeepsTheValue", vtFloat, "1e400", false, "", 42, "42"},
        {"HugeExponentRefused", vtFloat, "1e400", true, invalid, 42, "1e400"},
        {"HugeExponentPastedIsRefused", vtFloat, "{PASTE:1e400}", true, "", 42, "42"},
        {"PastTheIntegerRangeKeepsTheValue", vtInt, "9223372036854775808", false, "", 42, "42"},
        {"PastTheIntegerRangeRefused", vtInt, "9223372036854775808", true, invalid, 42, "9223372036854775808"},
        {"PastTheIntegerRangePastedIsRefused", vtInt, "{PASTE:9223372036854775808}", true, "", 42, "42"},
        {"LargeFloatClamps", vtFloat, "9223372036854775808", false, "", 100, "100"},
        {"LargeFloatOutOfBounds", vtFloat, "9223372036854775808", true, bounds, 42, "9.22337203685478E18"},
        {"LargeFloatPastedClamps", vtFloat, "{PASTE:9223372036854775808}", false, "", 100, "100"},
        {"SuperscriptPastedIsRefused", vtFloat, "{PASTE:\xB2}", true, "", 42, "42"},
        {"CommaDecimalTyped", vtFloat, "12,5", true, "", 12.5, "12,5", false, ','},
        {"PointTypesTheCommaDecimal", vtFloat, "12.5", true, "", 12.5, "12,5", false, ','},
        {"CommaDecimalPasted", vtFloat, "{PASTE:12,5}", true, "", 12.5, "12,5", false, ','},
        {"CommaInAnIntegerBeepsAndClamps", vtInt, "12,5", false, "", 100, "100", true, ','},
        {"CommaInAnIntegerOutOfBounds", vtInt, "12,5", true, bounds, 42, "125", true, ','},
        {"MaximumPastTheIntegerRangeTakesTheLargestInteger", vtInt, "9223372036854775807", true, "",
         9223372036854775807.0, "9223372036854775807", false, '.', 1e19},
        {"HundredThousandDigitsPastedAreRefused", vtInt, pastedDigits.c_str(), true, "", 42, "42"},
        {"HundredThousandFloatDigitsPastedAreRefused", vtFloat, pastedDigits.c_str(), false, "", 42, "42"},
    };
    const char oldDecimal = FormatSettings.DecimalSeparator;
    for (const TBadRow& row : rows) {
        SCOPED_TRACE(row.Name);
        FormatSettings.DecimalSeparator = row.Decimal;
        errors.clear();
        editErrors = 0;
        beeps = 0;
        NewForm();
        Range(0, row.Max);
        Props()->SetValueType(row.Type);
        Props()->SetExceptionOnInvalidInput(row.Exception);
        edit->SetValue(Variant(42));
        Focus();
        Replace(row.Keys);
        TypeKeys("{ENTER}");
        if (*row.Error != '\0') {
            EXPECT_EQ(errors, std::vector<std::string>{row.Error});
            EXPECT_EQ(editErrors, 1) << "raised as an editor error";
            EXPECT_EQ(GetFocus(), edit->InnerEdit()->GetHandle()) << "the editor keeps the focus";
        } else {
            EXPECT_EQ(errors, std::vector<std::string>{});
        }
        EXPECT_EQ(VarToDouble(edit->GetEditValue()), row.Value);
        EXPECT_EQ(Text(), row.Shown);
        EXPECT_EQ(beeps > 0, row.Beeps);
        form->Hide();
    }
    FormatSettings.DecimalSeparator = oldDecimal;
}

TEST_F(SpinEdit, TypedCharactersFollowTheValueType) {
    NewForm();
    Props()->SetValueType(vtInt);
    Focus();
    // "e" and "E" are taken as an integer editor's keys; the text then does not parse.
    Replace("1e3E+-");
    EXPECT_EQ(Text(), "1e3E+-");
    EXPECT_EQ(beeps, 0);
    TypeKeys("x.");
    EXPECT_EQ(Text(), "1e3E+-") << "a letter and the decimal point are refused";
    EXPECT_EQ(beeps, 2);
    // A character outside the code page's digits never reaches the text.
    PostMessage(edit->InnerEdit()->GetHandle(), WM_CHAR, 0xB2, 0);
    ProcessPendingMessages();
    EXPECT_EQ(Text(), "1e3E+-");
    EXPECT_EQ(beeps, 3);
    Props()->SetExceptionOnInvalidInput(true);
    TypeKeys("{ENTER}");
    EXPECT_EQ(errors, std::vector<std::string>{"Invalid numeric value"});
    // Without the strict setting the old value comes back.
    errors.clear();
    Props()->SetExceptionOnInvalidInput(false);
    TypeKeys("{ENTER}");
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_EQ(Text(), "0");
}

TEST_F(SpinEdit, GetValueHandlerConvertsWhatTheParserRefuses) {
    NewForm();
    Props()->OnGetValue = [](TObject*, const std::string& AText, Variant& AValue, std::string& ErrorText, bool& Error) {
        if (AText == "ten") AValue = Variant(10);
        else {
            Error = true;
            ErrorText = "Not a word I know";
        }
    };
    Props()->SetExceptionOnInvalidInput(true);
    Focus();
    Replace("ten");
    EXPECT_EQ(Text(), "ten") << "with a handler every character is taken";
    TypeKeys("{ENTER}");
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_EQ(VarToDouble(edit->GetEditValue()), 10);
    EXPECT_EQ(Text(), "10");
    Replace("eleven");
    TypeKeys("{ENTER}");
    EXPECT_EQ(errors, std::vector<std::string>{"Not a word I know"});
}

TEST_F(SpinEdit, WithoutCanEditOnlySteppingChangesTheText) {
    NewForm();
    Props()->SetCanEdit(false);
    edit->SetValue(Variant(7));
    Focus();
    edit->SelectAll();
    TypeKeys("5{BS}{DEL}");
    EXPECT_EQ(Text(), "7");
    EXPECT_EQ(beeps, 2) << "the character and Backspace";
    TypeKeys("{PASTE:3}");
    EXPECT_EQ(Text(), "7");
    Tap(VK_UP);
    EXPECT_EQ(Text(), "8");
    // Unfocused, the program's clipboard operations still act.
    after->SetFocus();
    ProcessPendingMessages();
    ASSERT_TRUE(PutClipboardText("21"));
    edit->SelectAll();
    edit->PasteFromClipboard();
    EXPECT_EQ(Text(), "21");
    EXPECT_EQ(VarToDouble(edit->GetEditValue()), 21);
}

// ---- Buttons ----

TEST_F(SpinEdit, ButtonsFollowTheSpinButtonSettings) {
    NewForm();
    TuiEditButtons* buttons = Props()->Buttons();
    EXPECT_EQ(buttons->Count(), 2);
    Props()->SpinButtons()->SetShowFastButtons(true);
    EXPECT_EQ(buttons->Count(), 4);
    Props()->SpinButtons()->SetVisible(false);
    EXPECT_EQ(buttons->Count(), 0);
    ProcessPendingMessages();
    EXPECT_TRUE(edit->SpinViewInfo()->ButtonsInfo.empty());
    Props()->SpinButtons()->SetVisible(true);
    Props()->SpinButtons()->SetShowFastButtons(false);
    EXPECT_EQ(buttons->Count(), 2);
    // Assigned settings carry the buttons and the steps along.
    TuiSpinEditProperties copy(nullptr);
    copy.SpinButtons()->SetPosition(sbpHorzRight);
    copy.SpinButtons()->SetShowFastButtons(true);
    copy.SetIncrement(0.25);
    copy.SetValueType(vtInt);
    Props()->Assign(&copy);
    EXPECT_EQ(Props()->SpinButtons()->GetPosition(), sbpHorzRight);
    EXPECT_EQ(buttons->Count(), 4);
    EXPECT_EQ(Props()->GetIncrement(), 0.25);
    EXPECT_EQ(Props()->GetValueType(), vtInt);
}

struct TLayoutRow {
    const char* Name;
    TuiSpinEditButtonsPosition Position;
    // Button indexes from left to right, -1 for the text; the vertical pair is one column (1 above 0).
    std::vector<int> Order;
};

TEST_F(SpinEdit, ButtonLayoutInEachPositionWithFastButtons) {
    const std::vector<TLayoutRow> rows = {
        {"HorzLeftRight", sbpHorzLeftRight, {sesFastDown, sesDown, -1, sesUp, sesFastUp}},
        {"HorzRight", sbpHorzRight, {-1, sesFastDown, sesDown, sesUp, sesFastUp}},
        {"Vert", sbpVert, {-1, sesFastDown, sesUp, sesFastUp}},
    };
    for (const TLayoutRow& row : rows) {
        SCOPED_TRACE(row.Name);
        NewForm();
        Props()->SpinButtons()->SetPosition(row.Position);
        Props()->SpinButtons()->SetShowFastButtons(true);
        ProcessPendingMessages();
        const TRect text = edit->SpinViewInfo()->ClientRect;
        int x = 0;
        for (int index : row.Order) {
            const TRect r = index < 0 ? text : ButtonBounds(index);
            EXPECT_GE(r.left, x) << index;
            EXPECT_GT(r.right, r.left) << index;
            x = r.right;
        }
        // The text's EDIT sits in the room the buttons leave.
        EXPECT_GE(edit->InnerEdit()->GetLeft(), text.left);
        EXPECT_LE(edit->InnerEdit()->GetLeft() + edit->InnerEdit()->GetWidth(), text.right + 1);
        EXPECT_EQ(ButtonBounds(sesFastUp).right - ButtonBounds(sesFastUp).left,
                  (ButtonBounds(sesFastDown).right - ButtonBounds(sesFastDown).left));
        if (row.Position == sbpVert) {
            EXPECT_EQ(ButtonBounds(sesUp).left, ButtonBounds(sesDown).left);
            EXPECT_LE(ButtonBounds(sesUp).bottom, ButtonBounds(sesDown).top) << "up above down";
        } else {
            EXPECT_GT(ButtonBounds(sesFastUp).right - ButtonBounds(sesFastUp).left,
                      ButtonBounds(sesUp).right - ButtonBounds(sesUp).left)
                << "fast buttons are wider";
        }
        form->Hide();
    }
}

TEST_F(SpinEdit, FastButtonsStepByTheLargeIncrement) {
    NewForm();
    Props()->SpinButtons()->SetPosition(sbpHorzLeftRight);
    Props()->SpinButtons()->SetShowFastButtons(true);
    ProcessPendingMessages();
    Focus();
    ClickAt(edit, ButtonCenter(sesFastUp));
    EXPECT_EQ(Text(), "10");
    ClickAt(edit, ButtonCenter(sesDown));
    EXPECT_EQ(Text(), "9");
    ClickAt(edit, ButtonCenter(sesFastDown));
    EXPECT_EQ(Text(), "-1");
    ClickAt(edit, ButtonCenter(sesUp));
    EXPECT_EQ(Text(), "0");
}

class SpinEditThemed : public SpinEdit {
protected:
    SpinEditThemed() { themed_ = true; }
};

TEST_F(SpinEditThemed, NativeLookDrawsTheSpinThemeInEachState) {
    NewForm();
    edit->Style()->GetLookAndFeel()->SetNativeStyle(true);
    Props()->SpinButtons()->SetShowFastButtons(true);
    ProcessPendingMessages();
    Focus();
    ASSERT_TRUE(edit->SpinViewInfo()->NativeSpin);
    // The buttons draw as the spin theme's parts; the held one pressed (3), the others normal (1).
    const TPoint s = OnScreen(edit, ButtonCenter(sesUp).x, ButtonCenter(sesUp).y);
    SetCursorPos(s.x, s.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ProcessPendingMessages();
    provider_.Calls.clear();
    edit->Repaint();
    ProcessPendingMessages();
    std::vector<std::pair<int, int>> drawn;
    for (const TThemeCall& call : provider_.Calls)
        if (call.Function == "DrawThemeBackground" && provider_.ClassListOf(call.Theme) == L"Spin")
            drawn.emplace_back(call.Part, call.State);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ProcessPendingMessages();
    const std::vector<std::pair<int, int>> expected = {{2, 1}, {1, 3}, {4, 1}, {3, 1}};
    EXPECT_EQ(drawn, expected);
    // Disabled, every part is drawn in the disabled state (4).
    edit->SetEnabled(false);
    provider_.Calls.clear();
    edit->Repaint();
    ProcessPendingMessages();
    int disabled = 0;
    for (const TThemeCall& call : provider_.Calls)
        if (call.Function == "DrawThemeBackground" && provider_.ClassListOf(call.Theme) == L"Spin") {
            EXPECT_EQ(call.State, 4);
            ++disabled;
        }
    EXPECT_EQ(disabled, 4);
    // A one-pixel delimiter keeps the text off the buttons.
    EXPECT_LT(edit->SpinViewInfo()->ClientRect.right, ButtonBounds(sesFastDown).left);
}

// ---- Streams, registration, filter rows ----

TEST_F(SpinEdit, ZeroIncrementsTravelAsTheirOwnProperties) {
    TUnitsScope unit(TUnitRows{uiSpinEditUnitRow()});
    const int index = GetRegisteredEditProperties()->IndexOfClass(TuiSpinEditProperties::StaticClass());
    ASSERT_GE(index, 0);
    EXPECT_EQ(GetRegisteredEditProperties()->GetDescription(index), "SpinEdit");
    TuiSpinEditProperties properties(nullptr);
    properties.SetIncrement(0);
    properties.SetLargeIncrement(2.5);
    std::vector<std::pair<std::string, TFormValue>> written;
    WriteProperties(properties, "TuiSpinEditProperties", nullptr, written);
    std::vector<std::string> names;
    for (const auto& [name, value] : written) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"LargeIncrement", "ZeroIncrement"}));

    TuiSpinEditProperties copy(nullptr);
    TReadContext context("test", nullptr, nullptr);
    for (const auto& [name, value] : written)
        ASSERT_TRUE(ReadProperty(copy, "TuiSpinEditProperties", name, value, context)) << name;
    EXPECT_EQ(copy.GetIncrement(), 0);
    EXPECT_EQ(copy.GetLargeIncrement(), 2.5);

    // Against an ancestor that has the zero step already, nothing is written for it.
    written.clear();
    WriteProperties(properties, "TuiSpinEditProperties", &copy, written);
    for (const auto& [name, value] : written) EXPECT_NE(name, "ZeroIncrement");
    unit.Stop();
    EXPECT_EQ(GetRegisteredEditProperties()->IndexOfClass(TuiSpinEditProperties::StaticClass()), -1);
}

TEST_F(SpinEdit, FilterRowsUseTheSpinEditorThatCanBeTypedInto) {
    TuiSpinEditProperties properties(nullptr);
    properties.SetCanEdit(false);
    TuiFilterEditHelperClass helper = TuiCustomFilterEditHelper::HelperOfClass(TuiFilterSpinEditHelper::StaticClass());
    ASSERT_NE(helper, nullptr);
    TuiSpinEditProperties filter(nullptr);
    helper->InitializeProperties(&filter, &properties, false);
    EXPECT_TRUE(filter.GetCanEdit());
    EXPECT_TRUE(filter.GetAutoSelect());
    EXPECT_EQ(helper->GetSupportedFilterOperators(&filter, nullptr, false), TuiFilterOperators(0b11001111110));
    EXPECT_EQ(helper->GetSupportedFilterOperators(&filter, nullptr, true), TuiFilterOperators(0b111111001111110));
    EXPECT_EQ(helper->GetFilterEditClassName(), "TuiSpinEdit");
    // The unit's start-up registers the helper for the spin editor's settings.
    EXPECT_EQ(FilterEditsController()->FindHelper(TuiSpinEditProperties::StaticClass()), helper);
}

// ---- Pictures ----

TEST_F(SpinEditThemed, GalleryScreenshotsInThreePositionsNormalFocusedAndDisabled) {
    for (bool enabled : {true, false}) {
        TEditorGalleryForm* gallery = Keep(NewEditorGallery(enabled));
        gallery->SetBounds(0, 0, gallery->GetWidth(), gallery->GetHeight());
        gallery->Show();
        ProcessPendingMessages();
        std::vector<TuiSpinEdit*> spins;
        for (TuiContainer* c : gallery->Containers)
            if (auto* spin = dynamic_cast<TuiSpinEdit*>(c)) spins.push_back(spin);
        ASSERT_EQ(spins.size(), 3 * GalleryLooks().size());
        for (TuiSpinEdit* spin : spins) {
            EXPECT_EQ(spin->GetDisplayText(), "42");
            EXPECT_EQ(spin->SpinViewInfo()->ButtonsInfo.size(), 4U);
            EXPECT_EQ(spin->SpinViewInfo()->NativeSpin, spin->Style()->GetLookAndFeel()->GetNativeStyle());
        }
        if (!enabled) {
            EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("editors_spin_disabled")));
            for (TuiSpinEdit* spin : spins)
                for (const TuiEditButtonViewInfo& b : spin->SpinViewInfo()->ButtonsInfo)
                    EXPECT_EQ(b.State, ebsDisabled);
            gallery->Hide();
            continue;
        }
        EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("editors_spin")));
        // Every button shows its arrow, in every look: dark pixels inside its frame. The native look's come
        // with the theme's part.
        for (std::size_t i = 0; i < spins.size(); ++i) {
            TuiSpinEdit* spin = spins[i];
            SCOPED_TRACE(GalleryLooks()[i % GalleryLooks().size()].Name);
            for (const TuiEditButtonViewInfo& b : spin->SpinViewInfo()->ButtonsInfo) {
                SCOPED_TRACE(b.ButtonIndex);
                int dark = 0;
                for (int y = b.Bounds.top + 2; y < b.Bounds.bottom - 2; ++y)
                    for (int x = b.Bounds.left + 2; x < b.Bounds.right - 2; ++x) {
                        const COLORREF c = ComposedPixel(spin->GetHandle(), x, y);
                        dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100 ? 1 : 0;
                    }
                EXPECT_GE(dark, 3) << "no arrow on the button";
            }
        }
        // Focused in each position (the Office 2003 column), with the pointer over the up button.
        const char* names[] = {"editors_spin_horzleftright_focused", "editors_spin_horzright_focused",
                               "editors_spin_vert_focused"};
        for (int position = 0; position < 3; ++position) {
            TuiSpinEdit* spin = spins[static_cast<std::size_t>(position) * GalleryLooks().size() + 3];
            spin->SetFocus();
            ProcessPendingMessages();
            edit = spin;
            const TRect up = ButtonBounds(sesUp);
            const COLORREF cold = ComposedPixel(spin->GetHandle(), up.left + 2, up.top + 2);
            const TPoint p = OnScreen(spin, ButtonCenter(sesUp).x, ButtonCenter(sesUp).y);
            SetCursorPos(p.x, p.y);
            mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
            ProcessPendingMessages();
            EXPECT_EQ(spin->SpinViewInfo()->HotIndex, sesUp);
            EXPECT_NE(ComposedPixel(spin->GetHandle(), up.left + 2, up.top + 2), cold) << "the hot button is repainted";
            EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath(names[position])));
        }
        SetCursorPos(2000, 2000);
        ProcessPendingMessages();
        gallery->Hide();
    }
    EXPECT_EQ(errors, std::vector<std::string>{});
}

}  // namespace
}  // namespace zel::test
