// The element properties window and the notes window: what each shows for the element or notes handed
// to it, and what OK and Cancel leave behind.
#include <gtest/gtest.h>

#include <functional>

#include "app/Uecommen.h"
#include "app/Ueedit.h"
#include "model/Bank.h"
#include "model/Library.h"
#include "platform/win/Clipboard.h"
#include "support/model/ModelFakes.h"
#include "support/model/TransferFakes.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {
namespace {

class PropertiesWindows : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        library.Saved = 1;
    }
    // Adds an element of the type to the library and answers it.
    TLibElem* Add(int type) {
        library.Elements.push_back(CreateElementOfType(type, &library));
        return library.Elements.back().get();
    }
    // Shows the window modally for the element, runs Act once it shows, then presses the button.
    TModalResult Edit(TLibElem* element, const std::function<void(TFormEdit*)>& Act, TButton* TFormEdit::*Button,
                      const char* screenshot = nullptr) {
        edit = edit != nullptr ? edit : Keep(Construct<TFormEdit>(nullptr));
        edit->Element = element;
        bool done = false;
        Application->OnIdle = [&](TObject*, bool& more) {
            more = false;
            if (done || !edit->GetVisible()) return;
            done = true;
            if (Act) Act(edit);
            if (screenshot != nullptr) {
                EXPECT_TRUE(SaveWindowImage(edit->GetHandle(), ScreenshotPath(screenshot)));
            }
            ClickAt((edit->*Button)->GetHandle(), 5, 5);
        };
        const TModalResult result = edit->ShowModal();
        Application->OnIdle = nullptr;
        return result;
    }

    // Shows the notes window modally and runs Act once it shows (Act ends it with a button).
    static TModalResult ShowNotes(TFormcomment* comment, const std::function<void()>& Act) {
        bool done = false;
        Application->OnIdle = [&](TObject*, bool& more) {
            more = false;
            if (done || !comment->GetVisible()) return;
            done = true;
            Act();
        };
        const TModalResult result = comment->ShowModal();
        Application->OnIdle = nullptr;
        return result;
    }

    TModelTestScope scope;
    TLibrary library;
    TFormEdit* edit = nullptr;
};

TEST_F(PropertiesWindows, WhatTheWindowOffersFollowsTheElementAndItsPlace) {
    TLibElem* userPatch = Add(etPatch);
    userPatch->Temporary = 0;
    userPatch->User = 1;
    userPatch->Number = 12;
    userPatch->SetName("Bass 1", false);
    TLibElem* tempPerformance = Add(etPerformance);
    TLibElem* tempUserPatch = Add(etPatch);  // temporary, with the memory flag of its last place
    tempUserPatch->User = 1;
    TLibElem* cardRhythm = Add(etRhythm);
    cardRhythm->Temporary = 0;
    cardRhythm->User = 0;
    cardRhythm->Number = 2;
    TLibElem* bank = Add(etPatchBank);
    TLibElem* member = static_cast<TBank*>(bank)->Members[5].get();
    TLibElem* system = Add(etSystem);
    TLibElem* global = Add(etGlobal);

    struct Row {
        const char* name;
        TLibElem* element;
        bool card;  // a data card is installed
        bool fixed, position, user, cardEnabled, temp;
        const char* checked;
        int maxPosition;
        const char* label;
    };
    const Row rows[] = {
        {"library patch in user memory", userPatch, true, false, true, true, true, true, "User", 128, "Patch Name"},
        {"Card without a data card", userPatch, false, false, true, true, false, true, "User", 128, "Patch Name"},
        {"temporary performance", tempPerformance, true, false, false, true, true, true, "Temp", 32,
         "Performance Name"},
        {"temporary patch with the user flag", tempUserPatch, true, false, false, true, true, true, "Temp", 128,
         "Patch Name"},
        {"rhythm set on the card", cardRhythm, true, false, true, true, true, true, "Card", 2, "Rhythm Name"},
        {"library bank", bank, true, false, false, true, true, false, "User", 128, "Patch Bank Name"},
        {"bank member", member, true, true, false, false, false, false, "User", 128, "Patch Name"},
        {"system", system, true, true, false, false, false, false, "Temp", 128, "System Name"},
        {"global", global, true, true, false, false, false, false, "User", 128, "Global Name"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        scope.Holder.Config->Installed = r.card ? 1 : 0;
        Edit(
            r.element,
            [&](TFormEdit* f) {
                EXPECT_EQ(f->Caption(), "Edit property of : " + r.element->GetName());
                EXPECT_EQ(f->FixedLocation, r.fixed);
                EXPECT_EQ(f->Position->GetVisible(), r.position);
                EXPECT_EQ(f->LabelPosition->GetVisible(), r.position);
                EXPECT_EQ(f->User->GetEnabled(), r.user);
                EXPECT_EQ(f->Card->GetEnabled(), r.cardEnabled);
                EXPECT_EQ(f->Temp->GetEnabled(), r.temp);
                const std::string checked = f->User->GetChecked()   ? "User"
                                            : f->Card->GetChecked() ? "Card"
                                            : f->Temp->GetChecked() ? "Temp"
                                                                    : "none";
                EXPECT_EQ(checked, r.checked);
                EXPECT_EQ(f->Position->GetMaxValue(), r.maxPosition);
                EXPECT_EQ(f->Position->GetValue(), r.element->Number);
                EXPECT_EQ(f->LabelName->Caption(), r.label);
                EXPECT_EQ(f->Editname->GetText(), r.element->GetName());
                EXPECT_EQ(f->Editname->GetMaxLength(), 12);
                EXPECT_EQ(f->GetActiveControl(), f->Editname);
                EXPECT_FALSE(f->Changed);
            },
            &TFormEdit::CancelBtn, r.element == userPatch && r.card ? "properties" : nullptr);
    }
    EXPECT_EQ(library.Saved, 1);
}

TEST_F(PropertiesWindows, OkWithoutAChangeLeavesTheElementUnmodified) {
    TLibElem* patch = Add(etPatch);
    patch->User = 1;  // shown as temporary, it stays in the temporary area
    patch->ModifiedDate = 1;
    patch->ModifiedTime = 0;
    EXPECT_EQ(Edit(patch, nullptr, &TFormEdit::OKBtn), mrOk);
    EXPECT_EQ(patch->ModifiedDate, 1);
    EXPECT_EQ(library.Saved, 1);
    EXPECT_EQ(patch->Temporary, 1);
}

TEST_F(PropertiesWindows, OkTakesTheNameLocationAndSlotAndStampsTheElement) {
    TLibElem* patch = Add(etPatch);
    patch->ModifiedDate = 1;
    EXPECT_EQ(Edit(
                  patch,
                  [](TFormEdit* f) {
                      EXPECT_FALSE(f->Position->GetVisible());  // temporary: no slot
                      ClickAt(f->User->GetHandle(), 5, 5);
                      EXPECT_TRUE(f->Position->GetVisible());
                      f->Editname->SetText("Bass 1");
                      f->Position->SetValue(12);
                      EXPECT_TRUE(f->Changed);
                  },
                  &TFormEdit::OKBtn),
              mrOk);
    EXPECT_EQ(patch->GetName(), "Bass 1");
    EXPECT_EQ(patch->Temporary, 0);
    EXPECT_EQ(patch->User, 1);
    EXPECT_EQ(patch->Number, 12);
    EXPECT_NE(patch->ModifiedDate, 1);
    EXPECT_EQ(library.Saved, 0);

    // Checking Temporary hides the slot again; Cancel keeps everything as it was.
    library.Saved = 1;
    EXPECT_EQ(Edit(
                  patch,
                  [](TFormEdit* f) {
                      ClickAt(f->Temp->GetHandle(), 5, 5);
                      EXPECT_FALSE(f->Position->GetVisible());
                      f->Editname->SetText("Other");
                  },
                  &TFormEdit::CancelBtn),
              mrCancel);
    EXPECT_EQ(patch->GetName(), "Bass 1");
    EXPECT_EQ(patch->Temporary, 0);
    EXPECT_EQ(library.Saved, 1);
}

// Puts Windows-1252 text on the clipboard.
void SetClipboardText(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GHND, text.size() + 1);
    std::copy_n(text.data(), text.size(), static_cast<char*>(GlobalLock(mem)));
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

TEST_F(PropertiesWindows, ANameTakesOnlyCharactersTheInstrumentHoldsSoNoDataSetCarriesAByteAbove7F) {
    TInstrumentSimulator sim;
    TSimulatedPorts ports(sim);
    ModelServices().MidiPorts = &ports;
    struct Row {
        const char* name;
        int type;
        std::function<void(HWND)> enter;  // on the name field, its caret after "Piano"
        std::string after;                // the element's name after OK
    };
    const Row rows[] = {
        {"plain letters typed", etPatch,
         [](HWND h) {
             for (char c : std::string(" 2")) SendMessage(h, WM_CHAR, static_cast<WPARAM>(c), 0);
         },
         "Piano 2"},
        {"an accented letter typed, as its plain letter", etPatch, [](HWND h) { SendMessage(h, WM_CHAR, 0xE9, 0); },
         "Pianoe"},
        {"a euro sign typed in a performance's name", etPerformance, [](HWND h) { SendMessage(h, WM_CHAR, 0x80, 0); },
         "Piano"},
        {"a paste with an accented letter, as its plain letter", etRhythm,
         [](HWND h) {
             SetClipboardText(" Caf\xE9");
             SendMessage(h, WM_PASTE, 0, 0);
         },
         "Piano Cafe"},
        {"a paste with a letter and a sign that have no plain letter", etRhythm,
         [](HWND h) {
             SetClipboardText(" \xDF\x80!");
             SendMessage(h, WM_PASTE, 0, 0);
         },
         "Piano !"},
        {"a paste of plain letters", etRhythm,
         [](HWND h) {
             SetClipboardText(" Kit");
             SendMessage(h, WM_PASTE, 0, 0);
         },
         "Piano Kit"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TLibElem* element = Add(r.type);
        element->SetName("Piano", false);
        EXPECT_EQ(Edit(
                      element,
                      [&](TFormEdit* f) {
                          f->Editname->SetSelStart(5);
                          r.enter(f->Editname->GetHandle());
                          EXPECT_EQ(f->Editname->GetText(), r.after) << "what the field shows";
                      },
                      &TFormEdit::OKBtn),
                  mrOk);
        EXPECT_EQ(element->GetName(), r.after);
        sim.ClearLog();
        element->Transmit(true);
        FlushQueuedSends(ports);  // what is still queued goes out now
        ASSERT_FALSE(sim.ReceivedMessages().empty());
        for (const TBytes& m : sim.ReceivedMessages())
            for (std::size_t i = 1; i + 1 < m.size(); ++i) ASSERT_LT(m[i], 0x80) << "byte " << i;
    }
}

TEST_F(PropertiesWindows, ABanksMembersFollowItIntoTheOtherMemory) {
    scope.Holder.Config->Installed = 1;
    auto* bank = static_cast<TBank*>(Add(etPatchBank));
    ASSERT_EQ(bank->User, 1);
    Edit(
        bank, [](TFormEdit* f) { ClickAt(f->Card->GetHandle(), 5, 5); }, &TFormEdit::OKBtn);
    EXPECT_EQ(bank->User, 0);
    for (const auto& m : bank->Members) {
        EXPECT_EQ(m->User, 0);
        EXPECT_EQ(m->Temporary, 0);
    }
    EXPECT_EQ(bank->Members[127]->Number, 128);
}

TEST_F(PropertiesWindows, TheNotesWindowEditsACopyUntilOk) {
    auto* comment = Keep(Construct<TFormcomment>(nullptr));
    library.Notes.Add("first line");
    library.Notes.Add("second line");
    comment->SeTStringList(&library.Notes);
    EXPECT_EQ(comment->Memo->Lines()->GetCount(), 2);
    struct Row {
        const char* name;
        TButton* TFormcomment::*button;
        TModalResult result;
        bool changed;
        int lines;
    };
    const Row rows[] = {{"Cancel", &TFormcomment::CancelBtn, mrCancel, false, 2},
                        {"Ok", &TFormcomment::OKBtn, mrOk, true, 3}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        comment->SeTStringList(&library.Notes);
        const TModalResult result = ShowNotes(comment, [&] {
            EXPECT_FALSE(comment->Changed);
            comment->Memo->SetFocus();
            const auto end = static_cast<WPARAM>(comment->Memo->GetText().size());
            SendMessage(comment->Memo->GetHandle(), EM_SETSEL, end, static_cast<LPARAM>(end));
            // The memo's text ends with a line break: the caret at its end starts the third line.
            keybd_event('X', 0, 0, 0);
            keybd_event('X', 0, KEYEVENTF_KEYUP, 0);
            ProcessPendingMessages();
            EXPECT_TRUE(comment->Changed);
            EXPECT_EQ(library.Notes.GetCount(), 2);  // a copy is edited
            if (r.result == mrOk) {
                EXPECT_TRUE(SaveWindowImage(comment->GetHandle(), ScreenshotPath("comment")));
            }
            ClickAt((comment->*r.button)->GetHandle(), 5, 5);
        });
        EXPECT_EQ(result, r.result);
        EXPECT_EQ(comment->Changed, r.changed);
        EXPECT_EQ(library.Notes.GetCount(), r.lines);
    }
    EXPECT_EQ(library.Notes.Get(2), "x");
}

// A megabyte of notes pasted with Ctrl+V arrives whole, line for line, without the window hanging.
TEST_F(PropertiesWindows, TheNotesWindowTakesAPasteOfAMegabyte) {
    auto* comment = Keep(Construct<TFormcomment>(nullptr));
    std::string text;
    int lines = 0;
    while (text.size() < 1024 * 1024) {
        text += "Line " + std::to_string(++lines) + ": a warm pad for the second verse, caf\xE9 sound\r\n";
    }
    comment->SeTStringList(&library.Notes);
    const TModalResult result = ShowNotes(comment, [&] {
        SetClipboardText(text);
        comment->Memo->SetFocus();
        SendMessage(comment->Memo->GetHandle(), EM_SETSEL, 0, -1);
        keybd_event(VK_CONTROL, 0, 0, 0);
        keybd_event('V', 0, 0, 0);
        keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
        keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        ProcessPendingMessages();
        EXPECT_EQ(comment->Memo->GetText().size(), text.size());
        EXPECT_TRUE(SaveWindowImage(comment->GetHandle(), ScreenshotPath("comment-megabyte-paste")));
        ClickAt(comment->OKBtn->GetHandle(), 5, 5);
    });
    EXPECT_EQ(result, mrOk);
    ASSERT_EQ(library.Notes.GetCount(), lines);
    EXPECT_EQ(library.Notes.Get(lines - 1),
              "Line " + std::to_string(lines) + ": a warm pad for the second verse, caf\xE9 sound");
}

TEST_F(PropertiesWindows, TheNotesWindowKeepsItsButtonsAndMemoInPlaceWhenResized) {
    auto* comment = Keep(Construct<TFormcomment>(nullptr));
    comment->SetClientWidth(500);
    comment->SetClientHeight(300);
    EXPECT_EQ(comment->PanelBut->GetWidth(), 492);
    EXPECT_EQ(comment->PanelBut->GetTop(), 300 - comment->PanelBut->GetHeight() - 4);
    EXPECT_EQ(comment->Panel->GetWidth(), 492);
    EXPECT_EQ(comment->Panel->GetHeight(), comment->PanelBut->GetTop() - comment->Panel->GetTop() - 4);
    EXPECT_EQ(comment->Memo->GetWidth(), 482);
    EXPECT_EQ(comment->Memo->GetHeight(), comment->Panel->GetHeight() - 10);
    EXPECT_EQ(comment->OKBtn->GetLeft(), 98);
    EXPECT_EQ(comment->CancelBtn->GetLeft(), 492 - 98 - comment->CancelBtn->GetWidth());
}

}  // namespace
}  // namespace zel::test
