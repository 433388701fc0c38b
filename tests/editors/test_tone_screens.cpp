// What the six tone editors look like, as PNG files in the test output: each editor, both LFO windows
// of a tone side by side, the four bias directions and the eight waveforms.
#include <gtest/gtest.h>

#include "ToneEditorsFixture.h"

namespace zel::test {
namespace {

class ToneScreens : public ToneEditors {};

TEST_F(ToneScreens, EachToneEditorShowsWholeWithItsButtonRow) {
    Picker->FillList(1, 256);
    patch_->Tone(1).Data()[2] = 1;
    patch_->Tone(1).Data()[3] = 3;
    patch_->Tone(1).Data()[80] = 1;
    const struct {
        const char* Section;
        const char* File;
    } rows[] = {{"Wave", "tone-wave"}, {"Pitch", "tone-pitch"}, {"TVF", "tone-tvf"},        {"TVA", "tone-tva"},
                {"LFO1", "tone-lfo1"}, {"LFO2", "tone-lfo2"},   {"Control", "tone-control"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Section);
        auto* editor = Open<TToneEditor>(row.Section, 1);
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath(row.File)));
        RECT client{};
        GetClientRect(editor->GetHandle(), &client);
        EXPECT_LE(editor->Panelbtn->GetTop() + editor->Panelbtn->GetHeight(), client.bottom);
        EXPECT_LE(editor->Panelbtn->GetLeft() + editor->Panelbtn->GetWidth(), client.right);
    }
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test
