// A musician's session with the effects editor, end to end over a real JACK transport to the instrument
// simulator, through real clicks and keys: a library patch, its window, "Effects", a new EFX type whose
// values come from the instrument, a feedback and its mode, the chorus level and Undo, Save and Send.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "EditorsJackFixture.h"
#include "EffectsFixture.h"
#include "editors/Ueeffect.h"

namespace zel::test {
namespace {

// The fetch and one control of each kind on each page, over JACK.
class EffectsOverJack : public EffectsOn<EditorsOverJack> {
protected:
    void SetUp() override {
        Async = true;
        EffectsOn<EditorsOverJack>::SetUp();
    }
};

using EffectsSessionOverJack = EffectsOverJack;

TEST_F(EffectsSessionOverJack, ChooseADelayCrossItsFeedbackUndoTheChorusSaveAndSend) {
    Program::Click(Formzelmo->FileNewItem);
    auto* library = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
    ASSERT_NE(library, nullptr);
    ClickOn(library->NewPatch);
    TPatch& patch = dynamic_cast<TPatch&>(*library->Library()->Elements.back());
    patch.Common->Data()[33] = 20;
    DoubleClickAt(RowPoint(library, 0));
    auto* window = dynamic_cast<TFormPatch*>(patch.Window);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return Sim.DataSetsApplied() >= 5; }, 5s));

    // The instrument loads the stereo delay's values when its type arrives.
    const TBytes loaded = {0, 20, 30, 0, 1, 59, 5, 16, 14, 50, 100, 9};
    Sim.AfterDataSet = [this, loaded](std::uint32_t address, const TBytes& data) {
        if (address == Addr(0x03, 0, 0, 0x0C) && data == TBytes{16}) Sim.Write(Addr(0x03, 0, 0, 0x0D), loaded);
    };
    DoubleClick(window->Effects);
    auto* editor = dynamic_cast<TFormEffect*>(patch.Common->Editors[TCommon::ceEffects].EditorForm);
    ASSERT_NE(editor, nullptr);
    ShowTab(editor->TabbedNotebook1, 1);
    ChooseItem(editor->EFXType, 16);
    ASSERT_TRUE(FetchEnded(editor));
    auto* feedback = dynamic_cast<TMyEdit*>(editor->FindComponent("Param3"));
    ASSERT_NE(feedback, nullptr);
    EXPECT_EQ(feedback->GetCode(), 20);
    EXPECT_EQ(dynamic_cast<TMyEdit*>(editor->FindComponent("Param1"))->GetCode(), 20);

    // "Feedback" to +40 %, "FeedBack Mode" to "Cross": the diagram crosses.
    StepField(feedback, true, 10);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 00 12 45 26 F7"));
    EXPECT_EQ(Pixel(editor->Image2, 100, 45), RGB(0, 0, 0));
    ChooseItem(dynamic_cast<TComboBox*>(editor->FindComponent("Param4")), 1);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 00 0D 01 6F F7"));
    EXPECT_EQ(Pixel(editor->Image2, 100, 48), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(editor->Image2, 100, 45), RGB(0, 255, 255));

    // The chorus level on page 1, then Undo.
    ShowTab(editor->TabbedNotebook1, 0);
    DragSliderTo(editor->ChorusLevel->Slider(), 100);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 00 21 64 78 F7"));
    Click(editor->BtnUndo);
    EXPECT_TRUE(Arrived("F0 41 10 6A 12 03 00 00 21 14 48 F7"));
    EXPECT_EQ(editor->ChorusLevel->GetValue(), 20);

    // Save: the file's effects bytes are those shown.
    const std::string path = Folder() + "/effects.Lib";
    Choose.push_back(path);
    Key('S', {VK_CONTROL});
    ASSERT_TRUE(std::filesystem::exists(path));
    TLibrary reread;
    reread.LoadFromFile(path);
    ASSERT_EQ(reread.Elements.size(), 1u);
    const auto& saved = dynamic_cast<const TPatch&>(*reread.Elements.front());
    TBytes expected(patch.Common->Data() + 12, patch.Common->Data() + 44);
    expected[0] = 16;
    for (std::size_t i = 0; i < loaded.size(); ++i) expected[1 + i] = loaded[i];
    expected[1 + 0] = 1;   // Cross
    expected[1 + 5] = 69;  // +40 %
    expected[33 - 12] = 20;
    EXPECT_EQ(TBytes(saved.Common->Data() + 12, saved.Common->Data() + 44), expected);

    // Send: the instrument's temporary patch holds them.
    Sim.ClearLog();
    Click(window->SpeedSend);
    EXPECT_TRUE(TJackInstrument::WaitFor([&] { return Sim.Read(Addr(0x03, 0, 0, 0x0C), 32) == expected; }, 5s));
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(EffectsOverJack, ANewTypeShowsTheInstrumentsValuesOnAPatch) { ANewTypeShowsTheInstrumentsValues(true); }
TEST_F(EffectsOverJack, ANewTypeShowsTheInstrumentsValuesOnAPerformance) { ANewTypeShowsTheInstrumentsValues(false); }
TEST_F(EffectsOverJack, EachKindOfControlOnEachPageSendsItsDataSet) { EachKindOfControlSendsItsDataSet(); }

}  // namespace
}  // namespace zel::test
