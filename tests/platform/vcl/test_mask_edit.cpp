// The masked edit: what the keys leave in the window and in Text under the date and time masks, and
// setting Text through a mask.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/vcl/Mask.h"
#include "platform/win/Clipboard.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class MaskEdit : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = Keep(Construct<TForm>(nullptr));
        form->SetBounds(0, 0, 320, 200);
        edit = Construct<TMaskEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 100, 21);
        form->Show();
        ProcessPendingMessages();
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_SHIFT) < 0) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
        VclTest::TearDown();
    }
    // Keys tapped through the input queue, as the keyboard sends them.
    static void Keys(const std::string& keys) {
        for (char k : keys) {
            const BYTE key = k == '\b'     ? VK_BACK
                             : k == '\x7f' ? VK_DELETE
                             : k == '/'    ? VK_DIVIDE
                                           : static_cast<BYTE>(k);
            keybd_event(key, 0, 0, 0);
            keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        }
        ProcessPendingMessages();
    }
    void Caret(int at) { SendMessage(edit->GetHandle(), EM_SETSEL, static_cast<WPARAM>(at), at); }

    TForm* form = nullptr;
    TMaskEdit* edit = nullptr;
};

TEST_F(MaskEdit, TypedKeysFillTheMaskAndTextShowsBlanksAsSpaces) {
    struct Row {
        const char* name;
        const char* mask;
        int caret;          // where the caret is put before typing; -1: the whole text selected
        const char* keys;   // '\b' Backspace, '\x7f' Delete
        const char* shown;  // the window's text
        const char* text;   // Text
    };
    const Row rows[] = {
        {"empty date", "!99/99/00;1;_", -1, "", "__/__/__", "  /  /  "},
        {"date typed through the literals", "!99/99/00;1;_", -1, "311299", "31/12/99", "31/12/99"},
        {"letters refused", "!99/99/00;1;_", -1, "1A2X", "12/__/__", "12/  /  "},
        {"typed literal steps over", "!99/99/00;1;_", 2, "/05", "__/05/__", "  /05/  "},
        {"backspace empties and skips the literal", "!99/99/00;1;_", -1, "0102\b\b\b", "0_/__/__", "0 /  /  "},
        {"delete empties in place", "!99/99/00;1;_", -1, "010203", "01/02/03", "01/02/03"},
        {"full mask refuses more", "!90:00:00;1;_", -1, "1230459", "12:30:45", "12:30:45"},
        {"time without its leading digit", "!90:00:00;1;_", 1, "93000", "_9:30:00", " 9:30:00"},
        {"literals left out of Text", "00-00;0;*", -1, "1234", "12-34", "1234"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        edit->SetEditMask(r.mask);
        edit->SetText("");
        SetFocus(edit->GetHandle());
        if (r.caret < 0) edit->SelectAll();
        else Caret(r.caret);
        Keys(r.keys);
        EXPECT_EQ(edit->GetEditText(), r.shown);
        EXPECT_EQ(edit->GetText(), r.text);
    }
    // Delete at a position empties it and leaves the caret.
    edit->SetEditMask("!99/99/00;1;_");
    edit->SetText("01/02/03");
    Caret(3);
    Keys("\x7f");
    EXPECT_EQ(edit->GetEditText(), "01/_2/03");
    EXPECT_EQ(edit->GetSelStart(), 3);
}

TEST_F(MaskEdit, TextSetThroughTheMaskPlacesEachPart) {
    struct Row {
        const char* mask;
        const char* value;
        const char* shown;
    };
    const Row rows[] = {
        {"!99/99/00;1;_", "31/12/99", "31/12/99"},
        {"!99/99/00;1;_", "1/2/03", "_1/_2/03"},    // short parts right-aligned under '!'
        {"99/99/00;1;_", "1/2/03", "1_/2_/03"},     // and left-aligned without it
        {"!90:00:00;1;_", " 9:05:00", "_9:05:00"},  // blanks stay blanks
        {"!99/99/00;1;_", "ab/cd/ef", "__/__/__"},  // what does not fit is left out
        {"!99/99/00;1;_", "", "__/__/__"},
        {"00-00;0;*", "1234", "12-34"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.mask) + " <- " + r.value);
        edit->SetEditMask(r.mask);
        edit->SetText(r.value);
        EXPECT_EQ(edit->GetEditText(), r.shown);
    }
}

TEST_F(MaskEdit, PasteTypesEachCharacterThroughTheMask) {
    edit->SetEditMask("!99/99/00;1;_");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 9);
    std::memcpy(GlobalLock(mem), "24/1x203", 9);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    edit->SelectAll();
    SendMessage(edit->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetEditText(), "24/12/03");
}

}  // namespace
}  // namespace zel::test
