// The text editor on a shown form, driven by keys and the mouse through the input queue.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "EditorGallery.h"
#include "platform/vcl/Screenshot.h"
#include "platform/win/Beep.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Windows.h"
#include "support/vcl/QueuedInput.h"
#include "uilib/editors/uiEditRepository.h"
#include "uilib/editors/uiTextEdit.h"

namespace zel::test {
namespace {

// Puts Windows-1252 text on the clipboard through the layer.
[[maybe_unused]] void PutOnClipboard(const std::string& AText) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, AText.size() + 1);
    auto* p = static_cast<char*>(GlobalLock(mem));
    std::copy(AText.begin(), AText.end(), p);
    p[AText.size()] = '\0';
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

class TextEdit : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        SetBeepSink([this](UINT) { ++beeps; });
        Application->OnException = [this](TObject*, const std::exception& E) { errors.push_back(E.what()); };
    }
    void TearDown() override {
        Application->OnException = nullptr;
        SetBeepSink(nullptr);
        EditorWindowTest::TearDown();
    }
    // A form with one text editor holding AText, focused (or not), and a plain EDIT after it.
    TuiTextEdit* NewForm(const std::string& AText = "", bool AFocused = true) {
        form = Keep(Construct<TEditorGalleryForm>(nullptr));
        form->SetBounds(100, 100, 260, 120);
        edit = Construct<TuiTextEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 121, 21);
        edit->TabOrder = 0;
        edit->SetEditValue(Variant(AText));
        after = new TEdit(form);
        after->SetParent(form);
        after->SetBounds(10, 50, 120, 22);
        after->TabOrder = 1;
        after->TabStop = true;
        form->Show();
        ProcessPendingMessages();
        if (AFocused) edit->SetFocus();
        else after->SetFocus();
        ProcessPendingMessages();
        return edit;
    }
    // Letters and digits by their keys, with Shift for capitals; a few punctuation keys.
    static void Type(const std::string& AKeys) {
        for (char c : AKeys) {
            const auto u = static_cast<unsigned char>(c);
            if (std::isupper(u)) Tap(static_cast<WORD>(c), VK_SHIFT);
            else Tap(static_cast<WORD>(std::toupper(u)));
        }
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
    int beeps = 0;
    std::vector<std::string> errors;
};

TEST_F(TextEdit, TypedTextBecomesTheValueWhenTheFocusLeaves) {
    NewForm();
    Type("abc");
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(edit->GetSelStart(), 3);
    Tap(VK_TAB);
    EXPECT_EQ(VarToStr(edit->GetEditValue()), "abc");
    EXPECT_EQ(GetFocus(), after->GetHandle());
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace zel::test
