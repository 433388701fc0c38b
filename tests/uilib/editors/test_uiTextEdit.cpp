// The text editor on a shown form, driven by keys and the mouse through the input queue.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "EditorErrorsTest.h"
#include "EditorGallery.h"
#include "TextEditGallery.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/FormWriter.h"
#include "platform/vcl/HintInfo.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Beep.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Windows.h"
#include "support/vcl/ClipboardText.h"
#include "support/vcl/QueuedInput.h"
#include "support/vcl/TypeKeys.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/base/uiGraphics.h"
#include "uilib/base/uiSpellChecker.h"
#include "uilib/editors/uiEditRepository.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {
namespace {

class TextEdit : public EditorErrorsTest {
protected:
    // A form with one text editor holding AText, focused (or not), and a plain EDIT after it.
    TuiTextEdit* NewForm(const std::string& AText = "", bool AFocused = true) {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        edit = Construct<TuiTextEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 121, 21);
        edit->TabOrder = 0;
        edit->SetEditValue(Variant(AText));
        after = NewEditAfter(form);
        form->Show();
        ProcessPendingMessages();
        if (AFocused) edit->SetFocus();
        else after->SetFocus();
        ProcessPendingMessages();
        return edit;
    }
    std::string Text() const { return edit->GetDisplayText(); }
    std::string Clipboard() const { return ClipboardText(nullptr); }
    void Select(int AStart, int ALength) {
        edit->SetSelStart(AStart);
        edit->SetSelLength(ALength);
    }

    TEditorGalleryForm* form = nullptr;
    TuiTextEdit* edit = nullptr;
    TEdit* after = nullptr;
};

TEST_F(TextEdit, TypedTextBecomesTheValueWhenTheFocusLeaves) {
    NewForm();
    TypeKeys("abc");
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(edit->GetSelStart(), 3);
    Tap(VK_TAB);
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "abc");
    EXPECT_EQ(GetFocus(), after->GetHandle());
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(errors.empty());
}

// Settings whose completion style can be chosen, as the list editors answer it.
class TStyledTextEditProperties : public TuiTextEditProperties {
public:
    using TuiTextEditProperties::TuiTextEditProperties;
    TuiTextEditingStyle GetEditingStyle() const override { return Style; }
    TuiTextEditingStyle Style = tesFreeText;
};

class TStyledTextEdit : public TuiCustomTextEdit {
public:
    using TuiCustomTextEdit::TuiCustomTextEdit;
    TStyledTextEditProperties* Styled() const { return static_cast<TStyledTextEditProperties*>(Properties()); }

protected:
    TuiCustomEditProperties* CreateProperties() override { return new TStyledTextEditProperties(this); }
};

TEST(TextEditProperties, MaxLengthIsUnlimitedUntilSetAndNeverNegative) {
    TuiTextEditProperties p(nullptr);
    EXPECT_EQ(p.GetMaxLength(), 0);
    EXPECT_FALSE(p.TextAssignedValues()->GetMaxLength());
    int changes = 0;
    p.OnPropertiesChanged = [&](TObject*) { ++changes; };
    p.SetMaxLength(0);
    EXPECT_TRUE(p.TextAssignedValues()->GetMaxLength()) << "an assigned 0 stays assigned";
    EXPECT_EQ(changes, 1);
    p.SetMaxLength(0);
    EXPECT_EQ(changes, 1) << "the same value again changes nothing";
    p.SetMaxLength(-4);
    EXPECT_EQ(p.GetMaxLength(), 0);
    p.SetMaxLength(5);
    EXPECT_EQ(p.GetMaxLength(), 5);
    EXPECT_EQ(changes, 2);
    p.TextAssignedValues()->SetMaxLength(false);
    EXPECT_EQ(p.GetMaxLength(), 0);
}

TEST(TextEditProperties, BoundsInForce) {
    struct Row {
        const char* name;
        bool minAssigned, maxAssigned;
        double min, max;
        bool minInForce, maxInForce;
    };
    const Row rows[] = {
        {"only the minimum assigned, below a lower maximum", true, false, 5, 1, true, false},
        {"only the maximum assigned", false, true, 0, 10, false, true},
        {"both assigned, a real range", true, true, 1, 10, true, true},
        {"both assigned, equal", true, true, 3, 3, false, false},
        {"neither assigned, equal", false, false, 0, 0, false, false},
        {"neither assigned, inverted", false, false, 9, 2, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TuiTextEditProperties p(nullptr);
        p.SetMinValue(r.min);
        p.SetMaxValue(r.max);
        p.AssignedValues()->SetMinValue(r.minAssigned);
        p.AssignedValues()->SetMaxValue(r.maxAssigned);
        EXPECT_EQ(p.IsMinMaxInForce(0), r.minInForce);
        EXPECT_EQ(p.IsMinMaxInForce(1), r.maxInForce);
    }
}

TEST(TextEditProperties, DisplayTextTransforms) {
    struct Row {
        const char* name;
        TuiEditEchoMode echo;
        char passwordChar;
        TEditCharCase charCase;
        std::string text, shown;
    };
    const Row rows[] = {
        {"password without a character", eemPassword, 0, ecNormal, "abc", "***"},
        {"password with its own character", eemPassword, '#', ecUpperCase, "ab", "##"},
        {"upper case of the code page", eemNormal, 0, ecUpperCase,
         "\x9C"
         "uvre",
         "\x8C"
         "UVRE"},
        {"sharp s has no capital", eemNormal, 0, ecUpperCase,
         "stra\xDF"
         "e",
         "STRA\xDF"
         "E"},
        {"lower case", eemNormal, 0, ecLowerCase, "\xC9T\xC9", "\xE9t\xE9"},
        {"normal", eemNormal, 0, ecNormal, "MiXed", "MiXed"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TuiTextEditProperties p(nullptr);
        p.SetEchoMode(r.echo);
        p.SetPasswordChar(r.passwordChar);
        p.SetCharCase(r.charCase);
        EXPECT_EQ(p.TransformDisplayText(r.text), r.shown);
    }
}

TEST(TextEditProperties, ViewModeTravelsAsButtonsLayoutAndTypingDisabled) {
    struct Row {
        TuiTextEditViewMode mode;
        int layout;
        bool typingDisabled;
    };
    const Row rows[] = {
        {tvmNoCaret, 0, true}, {tvmButtonsOnly, 1, true}, {tvmButtonsFillWidth, 2, true}, {tvmNormal, 0, false}};
    TuiTextEditProperties p(nullptr);
    int changes = 0;
    p.OnPropertiesChanged = [&](TObject*) { ++changes; };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mode);
        const int before = changes;
        p.SetViewMode(r.mode);
        EXPECT_EQ(p.GetButtonsLayout(), r.layout);
        EXPECT_EQ(p.GetTypingDisabled(), r.typingDisabled);
        EXPECT_EQ(p.GetViewMode(), r.mode);
        EXPECT_EQ(p.GetEditingStyle(), r.typingDisabled ? tesNoTyping : tesFreeText);
        EXPECT_EQ(changes, before + 1) << "one change for the pair";
    }
}

TEST(TextEditProperties, ListMatchHighlightNotifiesOnlyInTheListOnlyStyle) {
    TStyledTextEditProperties p(nullptr);
    int changes = 0;
    p.OnPropertiesChanged = [&](TObject*) { ++changes; };
    p.SetListMatchHighlight(false);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(p.GetListMatchHighlight());
    p.Style = tesListOnly;
    p.SetListMatchHighlight(true);
    EXPECT_EQ(changes, 1);
}

TEST(TextEditProperties, AssignCopiesFormatsOnlyWhereTheSourceSetThem) {
    TuiTextEditProperties source(nullptr), target(nullptr);
    source.SetEditFormat("0.00");
    source.SetMaxLength(7);
    source.SetCharCase(ecUpperCase);
    source.SetEchoMode(eemPassword);
    source.SetPasswordChar('#');
    source.LookupItems()->Add("b");
    source.LookupItems()->Add("a");
    source.SetLookupItemsSorted(true);
    source.ExtraValidChars().set('\x7F');
    target.SetDisplayFormat("#");
    int changes = 0;
    target.OnPropertiesChanged = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(changes, 1) << "one update";
    EXPECT_FALSE(target.TextAssignedValues()->GetDisplayFormat()) << "cleared: the source has none";
    EXPECT_EQ(target.GetDisplayFormat(), "");
    EXPECT_TRUE(target.TextAssignedValues()->GetEditFormat());
    EXPECT_EQ(target.GetEditFormatText(), "0.00");
    EXPECT_EQ(target.GetMaxLength(), 7);
    EXPECT_EQ(target.GetCharCase(), ecUpperCase);
    EXPECT_EQ(target.TransformDisplayText("xy"), "##");
    EXPECT_TRUE(target.GetLookupItemsSorted());
    EXPECT_EQ(target.LookupItems()->GetText(), "a\r\nb\r\n");
    EXPECT_TRUE(target.ExtraValidChars().test(0x7F));
}

TEST(TextEditProperties, OnlyListStylesRefuseTextsThatAreNoItem) {
    TStyledTextEditProperties p(nullptr);
    p.LookupItems()->Add("Alpha");
    p.SetCharCase(ecUpperCase);
    for (TuiTextEditingStyle style : {tesFreeText, tesListCompletion, tesListOnly, tesNoTyping}) {
        SCOPED_TRACE(style);
        p.Style = style;
        Variant item("alpha"), other("beta"), empty("");
        EXPECT_TRUE(p.IsValidDisplayValue(item));
        EXPECT_EQ(VarToStr(item), "ALPHA") << "the case is applied to a valid text";
        const bool listStyle = style == tesListCompletion || style == tesListOnly;
        EXPECT_EQ(p.IsValidDisplayValue(other), !listStyle);
        EXPECT_TRUE(p.IsValidDisplayValue(empty));
    }
}

// ------------------------------------------------------------------------------------------- lookup data

class TextEditLookup : public EditorWindowTest {
protected:
    TStyledTextEdit* NewEdit(TuiTextEditingStyle AStyle, std::vector<std::string> AItems) {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        auto* e = Construct<TStyledTextEdit>(form);
        e->SetParent(form);
        e->Styled()->Style = AStyle;
        for (const std::string& item : AItems) e->Properties()->LookupItems()->Add(item);
        return e;
    }
    TEditorGalleryForm* form = nullptr;
};

TEST_F(TextEditLookup, LocateFindsTheFirstItemThatStartsWithTheTextIgnoringCase) {
    TStyledTextEdit* e = NewEdit(tesFreeText, {"Alpha", "beta", "Bet"});
    TuiCustomTextEditLookupData* data = e->LookupData();
    std::string text = "be", tail;
    ASSERT_TRUE(data->Locate(text, tail, false));
    EXPECT_EQ(text, "be");
    EXPECT_EQ(tail, "ta");
    EXPECT_EQ(data->GetCurrentKey(), 1);
    text = "BE";
    ASSERT_TRUE(data->Locate(text, tail, false));
    EXPECT_EQ(text, "be") << "the item's own case";
    text = "";
    EXPECT_FALSE(data->Locate(text, tail, false)) << "an empty text finds nothing";
    EXPECT_EQ(data->GetCurrentKey(), -1);
}

TEST_F(TextEditLookup, AFailedSearchKeepsOrDropsTheItemByStyle) {
    struct Row {
        TuiTextEditingStyle style;
        bool fromTextChange;
        int keyAfter;
    };
    const Row rows[] = {{tesFreeText, false, -1},      {tesNoTyping, false, -1}, {tesListCompletion, false, 0},
                        {tesListCompletion, true, -1}, {tesListOnly, false, 0},  {tesListOnly, true, -1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.style) + (r.fromTextChange ? " text change" : " typing"));
        TStyledTextEdit* e = NewEdit(r.style, {"Alpha", "Beta"});
        std::string text = "al", tail;
        ASSERT_TRUE(e->LookupData()->Locate(text, tail, false, false));
        text = "zz";
        EXPECT_FALSE(e->LookupData()->Locate(text, tail, r.fromTextChange, false));
        EXPECT_EQ(e->LookupData()->GetCurrentKey(), r.keyAfter);
    }
}

TEST_F(TextEditLookup, GoStepsWithAndWithoutWrapping) {
    struct Row {
        const char* name;
        int start;
        TuiEditLookupDirection direction;
        bool wrap;
        int target;
    };
    // Ten items and a page of eight rows.
    const Row rows[] = {
        {"first", 5, egdFirst, false, 0},
        {"last", 5, egdLast, false, 9},
        {"next", 5, egdNext, false, 6},
        {"next on the last stays", 9, egdNext, false, 9},
        {"next on the last wraps", 9, egdNext, true, 0},
        {"previous on the first stays", 0, egdPrior, false, 0},
        {"previous on the first wraps", 0, egdPrior, true, 9},
        {"page up", 8, egdPageUp, false, 1},
        {"page up stops at the top", 3, egdPageUp, false, 0},
        {"page up from the top wraps", 0, egdPageUp, true, 9},
        {"page up with none", -1, egdPageUp, false, -1},
        {"page down", 1, egdPageDown, false, 8},
        {"page down stops at the end", 5, egdPageDown, false, 9},
        {"page down from the end wraps", 9, egdPageDown, true, 0},
        {"page down with none", -1, egdPageDown, false, 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TStyledTextEdit* e = NewEdit(tesFreeText, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
        if (r.start >= 0) {
            std::string text = std::to_string(r.start), tail;
            ASSERT_TRUE(e->LookupData()->Locate(text, tail, false));
        }
        e->LookupData()->Go(r.direction, r.wrap);
        EXPECT_EQ(e->LookupData()->GetCurrentKey(), r.target);
    }
}

// ------------------------------------------------------------------------------------------ the control

TEST_F(TextEdit, TypingCompletesFromTheItemsAndStopsWhereNoneFits) {
    NewForm();
    edit->Properties()->LookupItems()->Add("Alpha");
    edit->Properties()->LookupItems()->Add("Beta");
    TypeKeys("b");
    EXPECT_EQ(Text(), "Beta") << "the item's own case";
    EXPECT_EQ(edit->GetSelStart(), 1);
    EXPECT_EQ(edit->GetSelLength(), 3);
    EXPECT_TRUE(edit->FindSelection);
    EXPECT_EQ(edit->GetItemIndex(), 1);
    TypeKeys("x");
    EXPECT_EQ(Text(), "Bx") << "the completed tail gives way to the typing";
    EXPECT_FALSE(edit->FindSelection);
    EXPECT_EQ(edit->GetItemIndex(), -1);
    Tap(VK_BACK);
    Tap(VK_BACK);
    TypeKeys("al");
    EXPECT_EQ(Text(), "Alpha");
    EXPECT_EQ(edit->GetSelLength(), 3);
    Tap(VK_BACK);
    EXPECT_EQ(Text(), "Alpha") << "Backspace shortens the search: \"a\" still finds the item";
    EXPECT_EQ(edit->GetSelStart(), 1);
    EXPECT_EQ(edit->GetSelLength(), 4);
    Tap(VK_RIGHT);
    EXPECT_EQ(edit->GetSelStart(), 5) << "Right takes the completion";
    EXPECT_FALSE(edit->FindSelection);
    EXPECT_EQ(beeps, 0);
}

TEST_F(TextEdit, TypingInTheMiddleDoesNotComplete) {
    NewForm("ab");
    edit->Properties()->LookupItems()->Add("aXbcd");
    Select(1, 0);
    TypeKeys("x");
    EXPECT_EQ(Text(), "axb");
    EXPECT_FALSE(edit->FindSelection);
}

TEST_F(TextEdit, WithoutIncrementalSearchTypingIsPlain) {
    NewForm();
    edit->Properties()->LookupItems()->Add("Alpha");
    edit->Properties()->SetIncrementalSearch(false);
    TypeKeys("a");
    EXPECT_EQ(Text(), "a");
}

TEST_F(TextEdit, NewLookupTextIsToldOnceOnLeaving) {
    NewForm();
    edit->Properties()->LookupItems()->Add("Alpha");
    std::vector<std::string> told;
    edit->Properties()->OnNewLookupDisplayText = [&](TObject* Sender, const std::string& AText) {
        EXPECT_EQ(Sender, edit);
        told.push_back(AText);
    };
    TypeKeys("zeta");
    Tap(VK_TAB);
    edit->SetFocus();
    ProcessPendingMessages();
    Tap(VK_TAB);
    EXPECT_EQ(told, std::vector<std::string>{"zeta"});
    edit->SetFocus();
    ProcessPendingMessages();
    Select(0, 4);
    TypeKeys("a");
    EXPECT_EQ(Text(), "Alpha");
    Tap(VK_TAB);
    EXPECT_EQ(told.size(), 1u) << "an item is no new text";
}

TEST_F(TextEdit, MaxLengthCutsTheTailFirstAndOnlyForTheUser) {
    struct Row {
        const char* name;
        bool focused;
        std::string text;
        int selStartAfter;
    };
    const Row rows[] = {{"focused", true, "abXcd", 3}, {"not focused", false, "abXcde", 3}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        NewForm("abcde", r.focused);
        edit->Properties()->SetMaxLength(5);
        Select(2, 0);
        edit->SetSelText("X");
        EXPECT_EQ(Text(), r.text);
        EXPECT_EQ(edit->GetSelStart(), r.selStartAfter);
    }
}

TEST_F(TextEdit, AnInsertionWithNoRoomBeforeTheSelectionIsRefused) {
    NewForm("abcde");
    edit->Properties()->SetMaxLength(3);
    Select(4, 0);
    edit->SetSelText("X");
    EXPECT_EQ(Text(), "abcde") << "the caret would fall before the selection";
}

TEST_F(TextEdit, TheClipboardKeysGoThroughTheDesktopClipboard) {
    struct Row {
        const char* name;
        WORD key, modifier;
        bool readOnly;
        std::string text;       // after the key
        std::string clipboard;  // after the key
    };
    // "hello" with "ell" selected; the clipboard holds "\x80\xE9" (euro sign, e acute).
    const Row rows[] = {
        {"Ctrl+C copies", 'C', VK_CONTROL, false, "hello", "ell"},
        {"Ctrl+X cuts", 'X', VK_CONTROL, false, "ho", "ell"},
        {"Shift+Del cuts", VK_DELETE, VK_SHIFT, false, "ho", "ell"},
        {"Ctrl+V pastes", 'V', VK_CONTROL, false, "h\x80\xE9o", "\x80\xE9"},
        {"Shift+Ins pastes", VK_INSERT, VK_SHIFT, false, "h\x80\xE9o", "\x80\xE9"},
        {"Ctrl+Ins copies", VK_INSERT, VK_CONTROL, false, "hello", "ell"},
        {"read-only: Ctrl+X only copies", 'X', VK_CONTROL, true, "hello", "ell"},
        {"read-only: Ctrl+V does nothing", 'V', VK_CONTROL, true, "hello", "\x80\xE9"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        NewForm("hello");
        edit->Properties()->SetReadOnly(r.readOnly);
        ASSERT_TRUE(PutClipboardText("\x80\xE9"));
        Select(1, 3);
        Tap(r.key, r.modifier);
        EXPECT_EQ(Text(), r.text);
        EXPECT_EQ(Clipboard(), r.clipboard);
        EXPECT_EQ(edit->GetModifiedSinceEnter(), r.text != "hello");
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(TextEdit, PastesKeepOneLineAndTheMaximumLength) {
    struct Row {
        const char* name;
        int maxLength;
        std::string clip;
        std::string text;
        int caret;
    };
    // "abcd" with "bc" selected.
    const Row rows[] = {
        {"a line break ends the pasted text", 0, "xy\r\nz", "axyd", 3},
        {"the tail after the selection goes first", 4, "xyz", "axyz", 4},
        {"then the end of the insertion", 3, "xyz", "axy", 3},
        {"a long text up to the maximum", 10, std::string(100000, 'q'), "a" + std::string(9, 'q'), 10},
        {"a long text without a maximum", 0, std::string(100000, 'q'), "a" + std::string(100000, 'q') + "d", 100001},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        NewForm("abcd");
        edit->Properties()->SetMaxLength(r.maxLength);
        ASSERT_TRUE(PutClipboardText(r.clip));
        Select(1, 2);
        Tap('V', VK_CONTROL);
        EXPECT_EQ(Text(), r.text);
        EXPECT_EQ(edit->GetSelStart(), r.caret);
        Tap(VK_BACK);
        EXPECT_EQ(Text().size(), r.text.size() - 1) << "the EDIT goes on from the caret";
    }
}

TEST_F(TextEdit, ClipboardWithoutTheFocus) {
    NewForm("hello", false);
    ASSERT_TRUE(PutClipboardText("XY"));
    Select(1, 3);
    edit->CutToClipboard();
    EXPECT_EQ(Text(), "ho");
    EXPECT_EQ(Clipboard(), "ell");
    EXPECT_FALSE(edit->GetModifiedSinceEnter()) << "a change made by the program";
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "ho");
    Select(1, 0);
    ASSERT_TRUE(PutClipboardText("XY"));
    edit->PasteFromClipboard();
    EXPECT_EQ(Text(), "hXYo");
    EXPECT_EQ(GetFocus(), after->GetHandle());
}

TEST_F(TextEdit, ClipboardMessagesToTheEditorWindowReachTheText) {
    NewForm("hello");
    const HWND window = edit->GetHandle();
    Select(1, 3);
    SendMessage(window, WM_COPY, 0, 0);
    EXPECT_EQ(Clipboard(), "ell");
    ASSERT_TRUE(PutClipboardText("XY"));
    SendMessage(window, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "hXYo");
    EXPECT_TRUE(edit->GetModifiedSinceEnter()) << "a paste is the user's change";

    Tap(VK_TAB);
    ASSERT_EQ(VarToStr(edit->GetEditValue()), "hXYo");

    // Read-only: a cut only copies and a paste does nothing.
    edit->Properties()->SetReadOnly(true);
    Select(0, 2);
    SendMessage(window, WM_CUT, 0, 0);
    EXPECT_EQ(Clipboard(), "hX");
    ASSERT_TRUE(PutClipboardText("Z"));
    SendMessage(window, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "hXYo");
}

TEST_F(TextEdit, GetTextAnswersTheNumberCopied) {
    NewForm("hello");
    struct Row {
        WPARAM size;
        LRESULT result;
        std::string copied;
    };
    const Row rows[] = {{4, 3, "hel"}, {6, 5, "hello"}, {100, 5, "hello"}, {1, 0, ""}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.size);
        char buffer[101];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        EXPECT_EQ(SendMessage(edit->GetHandle(), WM_GETTEXT, r.size, reinterpret_cast<LPARAM>(buffer)), r.result);
        EXPECT_EQ(std::string(buffer), r.copied);
        EXPECT_EQ(buffer[r.size], '#') << "nothing written past the buffer";
    }
    char untouched = '#';
    EXPECT_EQ(SendMessage(edit->GetHandle(), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&untouched)), 0);
    EXPECT_EQ(untouched, '#');
    EXPECT_EQ(SendMessage(edit->GetHandle(), WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_EQ(SendMessage(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new")), 1);
    EXPECT_EQ(Text(), "new");
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "new");
}

TEST_F(TextEdit, EchoModeAndCharacterCaseReachTheEdit) {
    NewForm("abc");
    edit->Properties()->SetEchoMode(eemPassword);
    EXPECT_EQ(SendMessage(edit->InnerEdit()->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), '*');
    edit->Properties()->SetPasswordChar('#');
    EXPECT_EQ(SendMessage(edit->InnerEdit()->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), '#');
    EXPECT_EQ(Text(), "abc") << "the text itself stays";
    edit->Properties()->SetEchoMode(eemNormal);
    EXPECT_EQ(SendMessage(edit->InnerEdit()->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), 0);
    edit->Properties()->SetCharCase(ecUpperCase);
    EXPECT_EQ(Text(), "ABC") << "the shown text follows the case";
    edit->SetEditValue(
        Variant("\x9C"
                "uvre stra\xDF"
                "e"));
    EXPECT_EQ(Text(),
              "\x8C"
              "UVRE STRA\xDF"
              "E");
    Tap(VK_END);
    TypeKeys("x");
    EXPECT_EQ(Text(),
              "\x8C"
              "UVRE STRA\xDF"
              "EX")
        << "typed letters too";
}

// An inner edit that counts the characters the editor lets through to it.
class TCountingInnerEdit : public TuiCustomInnerTextEdit {
public:
    using TuiCustomInnerTextEdit::TuiCustomInnerTextEdit;
    std::vector<char> Chars;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_CHAR) Chars.push_back(static_cast<char>(Message.WParam));
        TuiCustomInnerTextEdit::WndProc(Message);
    }
};

class TCountingTextEdit : public TuiTextEdit {
public:
    using TuiTextEdit::TuiTextEdit;
    TCountingInnerEdit* Counting() const { return static_cast<TCountingInnerEdit*>(InnerEdit()); }

protected:
    TuiCustomInnerTextEdit* CreateInnerEdit() override { return new TCountingInnerEdit(this); }
};

TEST_F(TextEdit, EnterEscapeAndTabReachTheEditOnlyWhenItMayTakeThem) {
    struct Row {
        const char* name;
        WORD key;
        bool beepOnEnter, swallow;
        bool reaches;
    };
    const Row rows[] = {
        {"Enter", VK_RETURN, true, false, true},
        {"Enter without BeepOnEnter", VK_RETURN, false, false, false},
        {"Enter after a popup closed on it", VK_RETURN, true, true, false},
        {"Escape after a popup closed on it", VK_ESCAPE, true, true, false},
        {"Tab", VK_TAB, true, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        NewForm();
        auto* e = Construct<TCountingTextEdit>(form);
        e->SetParent(form);
        e->SetBounds(140, 10, 100, 21);
        e->SetEditValue(Variant("ab"));
        e->BeepOnEnter = r.beepOnEnter;
        e->SwallowEnterEscape = r.swallow;
        e->SetFocus();
        ProcessPendingMessages();
        Tap(r.key);
        EXPECT_EQ(e->Counting()->Chars.size(), r.reaches ? 1u : 0u);
        EXPECT_FALSE(e->SwallowEnterEscape) << "one-shot";
        EXPECT_EQ(e->GetDisplayText(), "ab");
        EXPECT_EQ(beeps, 0);
    }
}

TEST_F(TextEdit, AnImeCharacterKeepsTheSelectionUntilItArrives) {
    NewForm("abcd");
    Select(1, 2);
    HWND inner = edit->InnerEdit()->GetHandle();
    // A double-byte character: its lead byte comes first and nothing of it is in Windows-1252, so the EDIT
    // drops it and two characters are still expected.
    SendMessage(inner, WM_IME_CHAR, 0x8140, 0);
    EXPECT_EQ(edit->InnerEdit()->ImeCharCount, 2);
    EXPECT_EQ(edit->InnerTextEdit()->GetImeLastChar(), '\x81');
    SendMessage(inner, EM_SETSEL, 0, 0);
    EXPECT_EQ(edit->GetSelStart(), 1) << "the saved selection";
    EXPECT_EQ(edit->GetSelLength(), 2);
    edit->SetSelStart(3);
    EXPECT_EQ(edit->InnerEdit()->GetSelStart(), 0) << "written to the saved selection, not the window";
    SendMessage(inner, WM_CHAR, 'x', 0);
    SendMessage(inner, WM_CHAR, 'y', 0);
    EXPECT_EQ(edit->InnerEdit()->ImeCharCount, 0);
    EXPECT_EQ(Text(), "xyabcd");
    // A character of the code page takes one message.
    SendMessage(inner, WM_IME_CHAR, 0xE9, 0);
    EXPECT_EQ(edit->InnerEdit()->ImeCharCount, 0);
    EXPECT_EQ(Text(),
              "xy\xE9"
              "abcd");
}

TEST_F(TextEdit, TheInnerEditHasItsMarginsAndNoFrame) {
    NewForm("abc");
    HWND inner = edit->InnerEdit()->GetHandle();
    const auto margins = static_cast<DWORD>(SendMessage(inner, EM_GETMARGINS, 0, 0));
    EXPECT_EQ(LOWORD(margins), 0);
    EXPECT_EQ(HIWORD(margins), 1);
    const auto style = static_cast<DWORD>(GetWindowLong(inner, GWL_STYLE));
    EXPECT_EQ(style & WS_BORDER, 0u);
    EXPECT_NE(style & ES_AUTOHSCROLL, 0u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(inner, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, 0u);
    edit->SetBounds(10, 10, 150, 25);
    ProcessPendingMessages();
    EXPECT_EQ(HIWORD(static_cast<DWORD>(SendMessage(inner, EM_GETMARGINS, 0, 0))), 1) << "again after a resize";
}

TEST_F(TextEdit, RightAlignedTextIsLeftWhileEditedAndTwoClicksStayADoubleClick) {
    NewForm("word here", false);
    edit->Properties()->GetAlignment()->SetHorz(taRightJustify);
    edit->Properties()->GetAlignment()->SetVert(taVCenter);
    ProcessPendingMessages();
    EXPECT_NE(static_cast<DWORD>(GetWindowLong(edit->InnerEdit()->GetHandle(), GWL_STYLE)) & ES_RIGHT, 0u);
    int doubleClicks = 0, clicks = 0, editorDoubleClicks = 0;
    std::vector<TPoint> downs;
    edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { downs.push_back(TPoint{X, Y}); };
    edit->OnClick = [&](TObject*) { ++clicks; };
    edit->OnDblClick = [&](TObject*) { ++editorDoubleClicks; };
    TWndMethod old = edit->InnerEdit()->WindowProc;
    edit->InnerEdit()->WindowProc = [&](TMessage& M) {
        if (M.Msg == WM_LBUTTONDBLCLK) ++doubleClicks;
        old(M);
    };
    const TPoint p{edit->InnerEdit()->GetLeft() + 10, edit->InnerEdit()->GetTop() + 5};
    ClickAt(edit, p);
    HWND inner = edit->InnerEdit()->GetHandle();
    EXPECT_EQ(GetFocus(), inner);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(inner, GWL_STYLE)) & (ES_RIGHT | ES_CENTER), 0u) << "left while edited";
    Run(50);
    ClickAt(edit, p);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(editorDoubleClicks, 1) << "the editor hears the inner edit's clicks";
    EXPECT_GE(clicks, 1);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0], p) << "in the editor's coordinates";
    EXPECT_EQ(edit->GetSelLength(), 9) << "the EDIT's double click";
    Tap(VK_TAB);
    EXPECT_NE(static_cast<DWORD>(GetWindowLong(edit->InnerEdit()->GetHandle(), GWL_STYLE)) & ES_RIGHT, 0u);
    edit->InnerEdit()->WindowProc = old;
}

// A spell checker that records what the editor tells it.
class TRecordingChecker : public IuiSpellChecker {
public:
    void RedrawMisspellings(TWinControl* C) override { Heard.push_back({"redraw", C}); }
    void InnerControlScrolled(TWinControl* C) override { Heard.push_back({"scrolled", C}); }
    void SelectionChanged(TWinControl* C) override { Heard.push_back({"selection", C}); }
    void TextChanged(TWinControl* C) override { Heard.push_back({"text", C}); }
    bool IsChildWindow(HWND) override { return false; }
    bool ContextPopup(TWinControl*, POINT) override { return false; }
    int Count(const std::string& AWhat) const {
        int n = 0;
        for (const auto& [what, control] : Heard) n += what == AWhat ? 1 : 0;
        return n;
    }
    std::vector<std::pair<std::string, TWinControl*>> Heard;
};

TEST_F(TextEdit, TheSpellCheckerHearsOfTextScrollSelectionAndPaint) {
    NewForm("ab");
    TRecordingChecker checker;
    SpellCheckerHook() = &checker;
    Tap(VK_END);
    TypeKeys("c");
    EXPECT_EQ(checker.Count("text"), 1);
    Tap(VK_LEFT, VK_SHIFT);
    EXPECT_GE(checker.Count("selection"), 1) << "the selection grew with the key";
    TypeKeys(std::string(40, 'w'));
    EXPECT_GE(checker.Count("scrolled"), 1) << "the text scrolled past the right edge";
    checker.Heard.clear();
    edit->InnerEdit()->Invalidate();
    ProcessPendingMessages();
    EXPECT_GE(checker.Count("redraw"), 1);
    for (const auto& [what, control] : checker.Heard) EXPECT_EQ(control, edit->InnerEdit()) << what;
    SpellCheckerHook() = nullptr;
    TypeKeys("d");
    EXPECT_TRUE(checker.Heard.empty() || checker.Heard.back().first != "text") << "no checker, no calls";
}

TEST_F(TextEdit, ItemIndexSetsTheValueAndClicks) {
    NewForm("", false);
    edit->Properties()->LookupItems()->Add("Alpha");
    edit->Properties()->LookupItems()->Add("Beta");
    int clicks = 0, changes = 0;
    edit->OnClick = [&](TObject*) { ++clicks; };
    edit->Properties()->OnChange = [&](TObject*) { ++changes; };
    edit->SetItemIndex(1);
    EXPECT_EQ(Text(), "Beta");
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "Beta");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
    edit->SetItemIndex(1);
    EXPECT_EQ(clicks, 1) << "the same index again";
    EXPECT_EQ(edit->GetSelectedItemObject(), nullptr);
    edit->SetItemIndex(-1);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(clicks, 2);
    edit->SetEditValue(Variant("alpha"));
    EXPECT_EQ(edit->GetItemIndex(), -1) << "the free style does not follow a value set from outside";
}

TEST_F(TextEdit, TheInnerEditSitsByTheVerticalAlignment) {
    NewForm("Zg");
    edit->SetBounds(10, 10, 121, 40);
    ProcessPendingMessages();
    const TRect client = edit->ViewInfo()->ClientRect;
    const int height = edit->InnerEdit()->GetHeight();
    ASSERT_LT(height, client.bottom - client.top);
    struct Row {
        TuiEditVertAlignment vert;
        int top;
    };
    // Inside the content offsets: one pixel left, above and right, three below; one pixel wider for the inner
    // edit's own right margin.
    const int top = client.top + 1, bottom = client.bottom - 3;
    const Row rows[] = {
        {taTopJustify, top}, {taBottomJustify, bottom - height}, {taVCenter, top + (bottom - top - height) / 2}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.vert);
        edit->Properties()->GetAlignment()->SetVert(r.vert);
        ProcessPendingMessages();
        EXPECT_EQ(edit->InnerEdit()->GetTop(), r.top);
        EXPECT_EQ(edit->InnerEdit()->GetLeft(), client.left + 1);
        EXPECT_EQ(edit->InnerEdit()->GetWidth(), client.right - client.left - 1);
    }
}

TEST_F(TextEdit, ClearAndUndoAreChangesOfTheUser) {
    NewForm("hello");
    Select(1, 3);
    SendMessage(edit->InnerEdit()->GetHandle(), WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(), "ho");
    EXPECT_EQ(edit->GetSelStart(), 1);
    EXPECT_TRUE(edit->GetModifiedSinceEnter());
    ASSERT_TRUE(PutClipboardText("XYZ"));
    Tap('V', VK_CONTROL);
    EXPECT_EQ(Text(), "hXYZo");
    Tap('Z', VK_CONTROL);
    EXPECT_EQ(Text(), "ho") << "one undo takes the paste back";
    Tap(VK_TAB);
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "ho");
}

// The line height and the text width in the editor's own font, as the screen measures them.
TSize LineOf(TuiCustomTextEdit* AEdit, const std::string& AText) {
    TCanvas* canvas = uiScreenCanvas()->GetCanvas();
    canvas->Font()->Assign(AEdit->Style()->GetVisibleFont());
    return TSize{canvas->TextWidth(AText), canvas->TextHeight("Zg")};
}

TEST_F(TextEdit, AutomaticSizeFollowsTheFontAndTheText) {
    NewForm("Cutoff", false);
    const TuiCustomEditViewInfo& vi = *edit->EditViewInfo();
    const int frame = vi.Bounds.Height() - vi.BorderRect.Height();
    ASSERT_GT(frame, 0);
    const TSize small = LineOf(edit, "Cutoff");
    EXPECT_EQ(edit->GetHeight(), small.cy + 4 + frame) << "one line of the font, whatever was asked";
    EXPECT_EQ(edit->GetWidth(), 121) << "the width stays the one given";
    edit->SetHeight(60);
    EXPECT_EQ(edit->GetHeight(), small.cy + 4 + frame);

    // A larger font makes the editor taller at once.
    edit->Font()->SetSize(edit->Font()->GetSize() * 2);
    const TSize large = LineOf(edit, "Cutoff");
    ASSERT_GT(large.cy, small.cy);
    EXPECT_EQ(edit->GetHeight(), large.cy + 4 + frame);

    // With the automatic button layout the width follows the text too; a no-typing text stands a pixel in.
    edit->Properties()->SetButtonsLayout(2);
    EXPECT_EQ(edit->GetWidth(), large.cx + 2 + frame);
    edit->Properties()->SetTypingDisabled(true);
    EXPECT_EQ(edit->GetWidth(), large.cx + 3 + frame);

    // Limits hold over the measured size; a side-aligned editor keeps the height its parent gives.
    edit->Constraints()->SetMaxHeight(small.cy);
    EXPECT_EQ(edit->GetHeight(), small.cy);
    edit->Constraints()->SetMaxHeight(0);
    edit->SetAlign(alLeft);
    EXPECT_EQ(edit->GetHeight(), form->ClientHeight());
    EXPECT_EQ(edit->GetWidth(), large.cx + 3 + frame) << "its width is still automatic";
}

TEST_F(TextEdit, ReadOnlyAndNoTypingEditorsTakeNoText) {
    NewForm("abc");
    edit->Properties()->SetReadOnly(true);
    Tap(VK_END);
    TypeKeys("x");
    Tap(VK_BACK);
    EXPECT_EQ(Text(), "abc");
    EXPECT_GE(beeps, 1) << "the editor beeps at typing it cannot take";
    edit->Properties()->SetReadOnly(false);
    edit->Properties()->SetTypingDisabled(true);
    beeps = 0;
    TypeKeys("x");
    ASSERT_TRUE(PutClipboardText("pasted"));
    Tap('V', VK_CONTROL);
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(edit->GetSelStart(), 0) << "no caret without typing";
    EXPECT_EQ(edit->GetSelLength(), 0);
    Tap('C', VK_CONTROL);
    EXPECT_EQ(Clipboard(), "abc") << "a copy takes the whole text";
    EXPECT_EQ(beeps, 0);
}

TEST_F(TextEdit, ListOnlyTypingPicksItemsAndRefusesTheRest) {
    NewForm();
    auto* e = Construct<TStyledTextEdit>(form);
    e->SetParent(form);
    e->SetBounds(140, 10, 100, 21);
    e->Styled()->Style = tesListOnly;
    e->Properties()->LookupItems()->Add("Alpha");
    e->Properties()->LookupItems()->Add("Beta");
    e->Properties()->LookupItems()->Add("Bravo");
    e->SetFocus();
    ProcessPendingMessages();
    TypeKeys("b");
    EXPECT_EQ(e->GetDisplayText(), "Beta");
    EXPECT_EQ(e->GetSelStart(), 1);
    TypeKeys("r");
    EXPECT_EQ(e->GetDisplayText(), "Bravo") << "the typed prefix grows";
    TypeKeys("x");
    EXPECT_EQ(e->GetDisplayText(), "Bravo") << "a character that fits no item is refused";
    EXPECT_EQ(e->GetItemIndex(), 2);
    Tap(VK_BACK);
    EXPECT_EQ(e->GetDisplayText(), "Beta") << "Backspace shortens the match to \"b\"";
    TypeKeys("a");
    EXPECT_EQ(e->GetDisplayText(), "Beta") << "\"ba\" fits nothing";
    e->Properties()->SetListMatchHighlight(false);
    TypeKeys("a");
    EXPECT_EQ(e->GetDisplayText(), "Alpha") << "without the highlight, the character alone starts anew";
    Tap(VK_BACK);
    EXPECT_EQ(e->GetDisplayText(), "Alpha") << "and Backspace does nothing";
    EXPECT_EQ(beeps, 0);
    e->SetSelText("Zulu");
    EXPECT_EQ(e->GetDisplayText(), "Alpha") << "no item: refused";
    e->SetSelText("beta");
    EXPECT_EQ(e->GetDisplayText(), "beta");
}

TEST(TextEditFilter, TheFilterRowEditorIsATextEditWithItsSettings) {
    TuiFilterEditHelperClass helper = TuiCustomFilterEditHelper::HelperOfClass(TuiFilterTextEditHelper::StaticClass());
    EXPECT_EQ(helper->GetFilterEditClassName(), "TuiTextEdit");
    TuiTextEditProperties p(nullptr);
    p.SetAutoSelect(false);
    p.SetHideSelection(false);
    p.SetViewMode(tvmButtonsOnly);
    helper->InitializeProperties(&p, &p, false);
    EXPECT_TRUE(p.GetAutoSelect());
    EXPECT_TRUE(p.GetHideSelection());
    EXPECT_EQ(p.GetViewMode(), tvmNormal);
    EXPECT_FALSE(p.GetTypingDisabled());
}

TEST_F(TextEdit, ATextThatDoesNotFitIsItsOwnHint) {
    struct Row {
        const char* name;
        std::string text;
        TuiEditEchoMode echo;
        bool hint;
    };
    const Row rows[] = {{"fits", "short", eemNormal, false},
                        {"too long", std::string(60, 'W'), eemNormal, true},
                        {"too long, a password", std::string(60, 'W'), eemPassword, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        NewForm(r.text, false);
        edit->Properties()->SetEchoMode(r.echo);
        ProcessPendingMessages();
        // Asked of the inner EDIT, where the pointer is over the text.
        THintInfo info;
        info.HintControl = edit->InnerEdit();
        info.CursorPos = TPoint{5, 3};
        info.HintStr = "Editor";
        EXPECT_EQ(edit->InnerEdit()->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
        EXPECT_EQ(info.HintStr, r.hint ? r.text : "Editor");
        EXPECT_EQ(info.CursorPos, (TPoint{5, 3})) << "given back in the inner edit's coordinates";
        if (r.hint) {
            EXPECT_LE(info.CursorRect.left, 0);
        }
    }
}

// ---------------------------------------------------------------------------------------------- stored form

const char* gTextForm = nullptr;

class TTextForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TTextForm"; }
    const TFormResource* FormResource() const override {
        resource_ = TFormResource{"TextForm", gTextForm};
        return &resource_;
    }

private:
    mutable TFormResource resource_;
};

TEST_F(TextEdit, AFormResourceReadsTheEditorAndWritesItBack) {
    gTextForm = R"(object TextForm: TTextForm
  Left = 0
  Top = 0
  Caption = 'Text'
  object Name: TuiTextEdit
    Left = 8
    Top = 8
    Width = 121
    Height = 21
    Text = 'Alpha'
    BeepOnEnter = False
    Properties.CharCase = ecUpperCase
    Properties.EchoMode = eemPassword
    Properties.IsDisplayFormatAssigned = True
    Properties.LookupItems.Strings = (
      'Alpha'
      'Beta')
    Properties.MaxLength = 0
    Properties.PasswordChar = '#'
    Style.BorderStyle = ebsFlat
  end
end
)";
    std::unique_ptr<TTextForm> read(Construct<TTextForm>(nullptr));
    auto* e = dynamic_cast<TuiTextEdit*>(read->FindComponent("Name"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->GetDisplayText(), "ALPHA");
    EXPECT_FALSE(e->BeepOnEnter);
    EXPECT_EQ(e->Properties()->GetEchoMode(), eemPassword);
    EXPECT_EQ(e->Properties()->GetPasswordChar(), '#');
    EXPECT_TRUE(e->Properties()->TextAssignedValues()->GetDisplayFormat()) << "the older streams' flag";
    EXPECT_TRUE(e->Properties()->TextAssignedValues()->GetMaxLength()) << "an assigned 0";
    EXPECT_EQ(e->Properties()->LookupItems()->Count(), 2);
    const std::string text = WriteComponentText(*read);
    EXPECT_EQ(text.find("IsDisplayFormatAssigned"), std::string::npos) << "never written: " << text;
    EXPECT_NE(text.find("Properties.MaxLength = 0"), std::string::npos) << text;
    EXPECT_EQ(text.find("HideSelection"), std::string::npos) << "a default: " << text;
    gTextForm = text.c_str();
    std::unique_ptr<TTextForm> again(Construct<TTextForm>(nullptr));
    EXPECT_EQ(WriteComponentText(*again), text);
}

TEST_F(TextEdit, GalleryScreenshotsInEveryLookFocusedAndHot) {
    TEditorGalleryForm* gallery = Keep(NewTextEditGallery());
    gallery->SetBounds(0, 0, gallery->GetWidth(), gallery->GetHeight());
    gallery->Show();
    ProcessPendingMessages();
    for (std::size_t look = 0; look < GalleryLooks().size(); ++look) {
        TuiTextEdit* completion = TextGalleryEdit(gallery, tgrCompletion, static_cast<int>(look));
        completion->SetSelStart(1);
        completion->SetSelLength(3);
    }
    EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath("textedit_gallery")));
    for (int row = 0; row < tgrCount; ++row) {
        for (std::size_t look = 0; look < GalleryLooks().size(); ++look) {
            TuiTextEdit* e = TextGalleryEdit(gallery, row, static_cast<int>(look));
            // Focused by Tab from the editor before it.
            if (row == 0 && look == 0) e->SetFocus();
            else Tap(VK_TAB);
            ProcessPendingMessages();
            ASSERT_EQ(GetFocus(), e->InnerEdit()->GetHandle());
            if (row == tgrCompletion) {
                TypeKeys("b");
                EXPECT_EQ(e->GetSelLength(), 3) << "the completed tail";
            }
            EXPECT_TRUE(e->ViewInfo()->ContainerState.Contains(cisActive));
            // The editor below (or above, in the last row) is hot.
            TuiTextEdit* hot = TextGalleryEdit(gallery, row + 1 < tgrCount ? row + 1 : row - 1, static_cast<int>(look));
            const TPoint p = OnScreen(hot, 40, 3);
            SetCursorPos(p.x, p.y);
            ProcessPendingMessages();
            EXPECT_TRUE(hot->ViewInfo()->ContainerState.Contains(cisHotTrack));
            const std::string name =
                std::string("textedit_") + TextEditGalleryRowName(row) + "_" + GalleryLooks()[look].Name;
            EXPECT_TRUE(SaveWindowImage(gallery->GetHandle(), ScreenshotPath(name)));
            SetCursorPos(2000, 2000);
            ProcessPendingMessages();
        }
    }
    EXPECT_EQ(beeps, 0);
}

}  // namespace
}  // namespace zel::test
