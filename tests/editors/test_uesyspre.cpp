// The system's preview editor, driven by real mouse input: the exact data set of the sound mode and of
// each key field and velocity slider (found by name, the set number in its Tag), nothing for a control
// set to its stored value, and undo back to what the instrument held.
#include <gtest/gtest.h>

#include <functional>

#include "SystemFixture.h"

namespace zel::test {
namespace {

class PreviewEditor : public Systems {
protected:
    void SetUp() override {
        Systems::SetUp();
        OpenFirstSystemOf(1);
    }
};

TEST_F(PreviewEditor, EachControlSendsItsOneDataSetFromRealInput) {
    using TRow = TCommonRow<TFormSysPreview>;
    const auto store = Store;
    const auto none = StoreNothing;
    std::vector<TRow> rows = {
        {"Chord",
         none,
         [this](TFormSysPreview* e) { Click(e->ModeChord); },
         {"F0 41 10 6A 12 00 00 00 1F 01 60 F7"},
         31,
         1},
        {"Single",
         store(31, 1),
         [this](TFormSysPreview* e) { Click(e->ModeSingle); },
         {"F0 41 10 6A 12 00 00 00 1F 00 61 F7"},
         31,
         0},
        {"Single already ticked", none, [this](TFormSysPreview* e) { Click(e->ModeSingle); }, {}, 31, 0},
        {"KeySet3 at note 60",
         store(36, 61),
         [this](TFormSysPreview* e) { StepField(e->KeySet(3), false, 1); },
         {"F0 41 10 6A 12 00 00 00 24 3C 20 F7"},
         36,
         60},
        {"KeySet4 stepped up at its highest",
         store(38, 127),
         [this](TFormSysPreview* e) { StepField(e->KeySet(4), true, 1); },
         {},
         38,
         127},
        {"VelSet3 dragged to 100",
         none,
         [this](TFormSysPreview* e) { DragSliderTo(e->VelSet(3)->Slider(), 100); },
         {"F0 41 10 6A 12 00 00 00 25 64 77 F7"},
         37,
         100},
    };
    // Every set's key and velocity, each at its own position.
    for (int n = 1; n <= 4; ++n) {
        const int key = 30 + 2 * n;
        const int velocity = 31 + 2 * n;
        rows.push_back({"KeySet" + std::to_string(n) + " stepped up",
                        store(key, 40),
                        [this, n](TFormSysPreview* e) { StepField(e->KeySet(n), true, 1); },
                        {DataSet(key, 41)},
                        key,
                        41});
        rows.push_back({"VelSet" + std::to_string(n) + " dragged to 90",
                        none,
                        [this, n](TFormSysPreview* e) { DragSliderTo(e->VelSet(n)->Slider(), 90); },
                        {DataSet(velocity, 90)},
                        velocity,
                        90});
    }
    RunCommonRows<TFormSysPreview>(rows, [this] { return OpenPreview(window_); });
}

TEST_F(PreviewEditor, TheWindowShowsEachSetAndUndoBringsTheInstrumentBack) {
    system_->Common->Data()[31] = 1;
    system_->TransmitToTemp();
    TFormSysPreview* editor = OpenPreview(window_);
    EXPECT_EQ(editor->Caption(), "S0 [Preview] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_EQ(editor->HelpContext, 60);
    EXPECT_TRUE(editor->ModeChord->GetChecked());
    const int keys[] = {60, 64, 67, 61};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(editor->KeySet(n)->GetCode(), keys[n - 1]) << n;
        EXPECT_EQ(editor->VelSet(n)->GetValue(), 127) << n;
    }
    const TBytes opened = SystemArea();
    ASSERT_EQ(opened, SystemData(*system_));
    StepField(editor->KeySet(2), true, 2);
    Click(editor->ModeSingle);
    Sim.ClearLog();
    for (int i = 0; i < 3; ++i) Click(editor->BtnUndo);
    EXPECT_EQ(Received(),
              (std::vector<std::string>{"F0 41 10 6A 12 00 00 00 1F 01 60 F7", "F0 41 10 6A 12 00 00 00 22 41 1D F7",
                                        "F0 41 10 6A 12 00 00 00 22 40 1E F7"}));
    EXPECT_EQ(SystemArea(), opened);
    EXPECT_EQ(editor->KeySet(2)->GetCode(), 64);
    EXPECT_TRUE(editor->ModeChord->GetChecked());
}

}  // namespace
}  // namespace zel::test
