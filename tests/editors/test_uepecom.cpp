// The performance common editor, driven by real mouse and key input: the name, tempo, velocity range
// switch and voice reserves with the exact data sets, the reserves never adding up past 64, and undo.
#include <gtest/gtest.h>

#include "PerformanceFixture.h"

namespace zel::test {
namespace {

class PerformanceCommonEditor : public PerformanceEditors {
protected:
    void SetUp() override {
        PerformanceEditors::SetUp();
        library_ = OpenLibraryWith(1, 0);
        performance_ = &ElementOf<TPerformance>(library_, 0);
    }
    TFormPerComm* Open() {
        TFormPerformance* window = OpenPerformance(*performance_);
        EXPECT_NE(window, nullptr);
        TFormPerComm* editor = OpenCommon(window);
        EXPECT_NE(editor, nullptr);
        Sim.ClearLog();
        library_->Library()->Saved = 1;
        return editor;
    }
    static std::string CommonSet(int position, const TBytes& bytes) {
        return Hex(MakeDataSet(0x10, Addr(0x01, 0x00, 0x00, static_cast<std::uint8_t>(position)), bytes));
    }

    TFormLibrary* library_ = nullptr;
    TPerformance* performance_ = nullptr;
};

TEST_F(PerformanceCommonEditor, TempoReserveAndSwitchSendTheirDataSets) {
    performance_->Common->Data()[45] = 15;
    performance_->Common->Data()[46] = 9;  // 249
    TFormPerComm* editor = Open();
    EXPECT_EQ(editor->Caption(), "Perf 0 [Common] [Loc : Untitled.Lib]");
    StepField(editor->DefaultTempo, true, 1);
    EXPECT_EQ(Received(), (std::vector<std::string>{"F0 41 10 6A 12 01 00 00 2D 0F 0A 39 F7"}));
    Sim.ClearLog();
    StepField(editor->Part[2], true, 2);
    EXPECT_EQ(Received(), (std::vector<std::string>{CommonSet(50, {1}), CommonSet(50, {2})}));
    EXPECT_EQ(editor->EditTotalVoice->GetText(), "   62");
    Sim.ClearLog();
    Click(editor->VelRangeSwitch);
    EXPECT_EQ(Received(), (std::vector<std::string>{CommonSet(47, {1})}));
    EXPECT_TRUE(Modified(*performance_));
    // Undo goes back one write at a time; the tempo's two bytes in one message.
    Sim.ClearLog();
    for (int i = 0; i < 4; ++i) Click(editor->BtnUndo);
    EXPECT_EQ(Received(), (std::vector<std::string>{CommonSet(47, {0}), CommonSet(50, {1}), CommonSet(50, {0}),
                                                    CommonSet(45, {15, 9})}));
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
    EXPECT_EQ(editor->DefaultTempo->GetCode(), 249);
}

TEST_F(PerformanceCommonEditor, ReservesNeverAddUpPast64) {
    performance_->Common->Data()[48] = 60;
    performance_->Common->Data()[52] = 4;
    TFormPerComm* editor = Open();
    EXPECT_EQ(editor->EditTotalVoice->GetText(), "   0");
    StepField(editor->Part[1], true, 1);
    EXPECT_EQ(editor->Part[1]->GetCode(), 0);
    EXPECT_EQ(editor->EditTotalVoice->GetText(), "   0");
    EXPECT_TRUE(Received().empty());
    // Freeing voices makes room again.
    StepField(editor->Part[0], false, 1);
    EXPECT_EQ(editor->EditTotalVoice->GetText(), "   1");
    EXPECT_EQ(Received(), (std::vector<std::string>{CommonSet(48, {59})}));
}

TEST_F(PerformanceCommonEditor, EveryKeyReleaseInTheNameWritesAndRecordsTheWholeName) {
    TFormPerComm* editor = Open();
    EXPECT_EQ(editor->EditName->GetText(), "Perf 0");
    Click(editor->EditName);
    Key(VK_END);
    Sim.ClearLog();
    Type("X");
    const std::string sent = CommonSet(0, {'P', 'e', 'r', 'f', ' ', '0', 'X', ' ', ' ', ' ', ' ', ' '});
    // The Shift key's own release writes the same name once more.
    EXPECT_EQ(Received(), (std::vector<std::string>{sent, sent}));
    Sim.ClearLog();
    Key(VK_LEFT);
    EXPECT_EQ(Received(), (std::vector<std::string>{sent}));
    EXPECT_EQ(performance_->GetName(), "Perf 0X");
    // Each release (End, X, Shift, Left) pushed one 12-byte group, undone in one message each.
    Sim.ClearLog();
    for (int i = 0; i < 4; ++i) Click(editor->BtnUndo);
    EXPECT_EQ(Received().size(), 4u);
    EXPECT_EQ(Received().back(), CommonSet(0, {'P', 'e', 'r', 'f', ' ', '0', ' ', ' ', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(editor->EditName->GetText(), "Perf 0");
    EXPECT_FALSE(editor->BtnUndo->GetEnabled());
}

TEST_F(PerformanceCommonEditor, RevertPutsTheBytesBackAndSendsTheCommon) {
    TFormPerComm* editor = Open();
    const TBytes before(performance_->Common->Data(), performance_->Common->Data() + 64);
    Click(editor->VelRangeSwitch);
    StepField(editor->Part[5], true, 3);
    Sim.ClearLog();
    Click(editor->BtnRevert);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 1u);
    EXPECT_EQ(TBytes(performance_->Common->Data(), performance_->Common->Data() + 64), before);
    EXPECT_EQ(Sim.Read(Addr(0x01, 0, 0, 0), 64), before);
    EXPECT_FALSE(editor->VelRangeSwitch->GetChecked());
}

}  // namespace
}  // namespace zel::test
