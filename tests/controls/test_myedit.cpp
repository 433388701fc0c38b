// The typed value field: the text of every display format, and stepping with the held arrow buttons.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/Uecomp.h"

namespace zel::test {
namespace {

struct TextRow {
    const char* name;
    TEditType type;
    int code;
    const char* text;
};

const TextRow kTexts[] = {
    {"-100..100 lowest", IntM100P100, 0, " -100"},
    {"-100..100 second", IntM100P100, 1, " -70"},
    {"-100..100 zero", IntM100P100, 7, "   0"},
    {"-100..100 first above zero", IntM100P100, 8, " +10"},
    {"-100..100 13", IntM100P100, 13, " +70"},
    {"-100..100 highest", IntM100P100, 14, " +100"},
    {"-100..200 2", IntM100P200, 2, " -50"},
    {"-100..200 zero", IntM100P200, 5, "   0"},
    {"-100..200 6", IntM100P200, 6, " +10"},
    {"-100..200 highest", IntM100P200, 15, " +200"},
    {"0..1200 10", IntM0P1200, 10, " 10"},
    {"0..1200 11", IntM0P1200, 11, " 20"},
    {"0..1200 19", IntM0P1200, 19, " 100"},
    {"0..1200 20", IntM0P1200, 20, " 200"},
    {"0..1200 highest", IntM0P1200, 30, " 1200"},
    {"note 60", Note, 60, " C 4"},
    {"note 0", Note, 0, " C -1"},
    {"note 13", Note, 13, " C# 0"},
    {"note 127", Note, 127, " G 9"},
    {"note below 0 names nothing", Note, -1, " "},
    {"minmax negative", MinMax, -5, " -5"},
    {"minmax positive has no sign", MinMax, 5, " 5"},
    {"signed positive", MinMaxS, 5, " +5"},
    {"signed zero", MinMaxS, 0, "   0"},
    {"signed negative", MinMaxS, -3, " -3"},
    {"dB zero", MinMaxDB, 0, "  0 dB"},
    {"dB negative", MinMaxDB, -6, " -6 dB"},
    {"dB positive", MinMaxDB, 3, " +3 dB"},
    {"percent positive", MinMaxPerc, 3, " +3 %"},
    {"percent zero", MinMaxPerc, 0, "  0 %"},
    {"100..8000 Hz 0", Int100M8000HZ, 0, " 100 Hz"},
    {"100..8000 Hz 19", Int100M8000HZ, 19, " 290 Hz"},
    {"100..8000 Hz 20", Int100M8000HZ, 20, " 300 Hz"},
    {"100..8000 Hz 55", Int100M8000HZ, 55, " 1000 Hz"},
    {"100..8000 Hz highest", Int100M8000HZ, 63, " 1800 Hz"},
    {"filter 0", Int200M8000HZ, 0, " 200"},
    {"filter 7", Int200M8000HZ, 7, " 1000"},
    {"filter highest", Int200M8000HZ, 16, " 8000"},
    {"filter beyond the list", Int200M8000HZ, 17, " "},
    {"filter with bypass", Int200M8000HZBP, 17, " ByPass"},
    {"0.5..9 first", Int05M90, 0, " 0.5"},
    {"0.5..9 last", Int05M90, 4, " 9.0"},
    {"0.5..9 beyond", Int05M90, 5, " "},
    {"rate 0", Int005M10HZ, 0, " 0.05 Hz"},
    {"rate 1", Int005M10HZ, 1, " 0.1 Hz"},
    {"rate 98", Int005M10HZ, 98, " 4.95 Hz"},
    {"rate 99", Int005M10HZ, 99, " 5 Hz"},
    {"rate 118", Int005M10HZ, 118, " 6.9 Hz"},
    {"rate 119", Int005M10HZ, 119, " 7 Hz"},
    {"rate highest", Int005M10HZ, 125, " 10 Hz"},
    {"rate/note 78", Int005M10HZNote, 78, " 3.95 Hz"},
    {"rate/note 79", Int005M10HZNote, 79, " 4 Hz"},
    {"rate/note 108", Int005M10HZNote, 108, " 6.9 Hz"},
    {"rate/note 115", Int005M10HZNote, 115, " 10 Hz"},
    {"rate/note 116", Int005M10HZNote, 116, " 1/16"},
    {"rate/note 118", Int005M10HZNote, 118, " 1/16 (.)"},
    {"rate/note highest", Int005M10HZNote, 125, " 1/2"},
    {"0..100 ms 0", Int0M100ms, 0, " 0 ms"},
    {"0..100 ms 49", Int0M100ms, 49, " 4.9 ms"},
    {"0..100 ms 50", Int0M100ms, 50, " 5 ms"},
    {"0..100 ms 59", Int0M100ms, 59, " 9.5 ms"},
    {"0..100 ms 60", Int0M100ms, 60, " 10 ms"},
    {"0..100 ms 99", Int0M100ms, 99, " 49 ms"},
    {"0..100 ms 100", Int0M100ms, 100, " 50 ms"},
    {"0..100 ms highest", Int0M100ms, 125, " 100 ms"},
    {"0..500 ms 89", Int0M500ms, 89, " 39 ms"},
    {"0..500 ms 90", Int0M500ms, 90, " 40 ms"},
    {"0..500 ms 115", Int0M500ms, 115, " 290 ms"},
    {"0..500 ms 116", Int0M500ms, 116, " 300 ms"},
    {"0..500 ms highest", Int0M500ms, 126, " 500 ms"},
    {"200..1000 0", Int200M1000ms, 0, " 200"},
    {"200..1000 69", Int200M1000ms, 69, " 545"},
    {"200..1000 70", Int200M1000ms, 70, " 550"},
    {"200..1000 highest", Int200M1000ms, 115, " 1000"},
    {"200..1000/note 115", Int200M1000msNote, 115, " 1000"},
    {"200..1000/note 116", Int200M1000msNote, 116, " 1/16"},
    {"200..1000/note 119", Int200M1000msNote, 119, " 1/8"},
    {"200..1000/note beyond", Int200M1000msNote, 126, " "},
    {"balance 0", Balance, 0, " D100:0E"},
    {"balance 30", Balance, 30, " D70:30E"},
    {"balance A/B highest", BalanceL, 100, " A0:100B"},
    {"controller 0", CC00CC95, 0, " CC00"},
    {"controller 7", CC00CC95, 7, " CC07"},
    {"controller 95", CC00CC95, 95, " CC95"},
    {"bender", CC00CC95, 96, " Bender"},
    {"aftertouch", CC00CC95, 97, " AfterTouch"},
    {"start/stop controller", CC00CC95StartStop, 50, " CC50"},
    {"prog up", CC00CC95StartStop, 98, " Prog-Up"},
    {"prog down", CC00CC95StartStop, 99, " Prog-Down"},
    {"start/stop", CC00CC95StartStop, 100, " Start/Stop"},
    {"punch", CC00CC95StartStop, 101, " Punch-In/Out"},
    {"tap", CC00CC95StartStop, 102, " Tap-Temp"},
    {"real", RealInt1M127, 0, " Real"},
    {"real 5", RealInt1M127, 5, " 5"},
    {"channel 1", Int1M16Off, 0, " 1"},
    {"channel 16", Int1M16Off, 15, " 16"},
    {"channel off", Int1M16Off, 16, " Off"},
    {"rx channel 4", Int1M16RXCHOff, 3, " 4"},
    {"rx channel", Int1M16RXCHOff, 16, " RX-CH"},
    {"rx channel off", Int1M16RXCHOff, 17, " Off"},
    {"0..127 off", Int0M127Off, 128, " Off"},
    {"0..127 127", Int0M127Off, 127, " 127"},
    {"user 1", User01PRB32, 0, " User : 01"},
    {"user 32", User01PRB32, 31, " User : 32"},
    {"card 1", User01PRB32, 32, " Card : 01"},
    {"preset A 1", User01PRB32, 64, " PR-A : 01"},
    {"preset B 32", User01PRB32, 127, " PR-B : 32"},
    {"tune 0", Int427M452, 0, " 427.4"},
    {"tune 3", Int427M452, 3, " 428.0"},
    {"tune 13", Int427M452, 13, " 430.0"},
    {"tune highest", Int427M452, 126, " 452.6"},
    {"0..880 48", Int0M880, 48, " 96"},
    {"0..880 49", Int0M880, 49, " 100"},
    {"0..880 72", Int0M880, 72, " 192"},
    {"0..880 73", Int0M880, 73, " 200"},
    {"0..880 96", Int0M880, 96, " 384"},
    {"0..880 97", Int0M880, 97, " 400"},
    {"0..880 highest", Int0M880, 127, " 880"},
};

TEST(MyEditText, EveryFormatShowsItsCodes) {
    for (const TextRow& r : kTexts) EXPECT_EQ(EditTypeText(r.type, r.code), r.text) << r.name;
}

class MyEditTest : public ControlsTest {
protected:
    TMyEdit* MakeEdit(TEditType Type, int Code) {
        auto* e = new TMyEdit(Form);
        e->SetEditType(Type);
        e->SetCode(Code);
        return Place(e);
    }
    TManualClockScope clock_;
};

TEST_F(MyEditTest, ShowsTheTextInItsEditBoxBesideTwoArrowButtons) {
    TMyEdit* e = MakeEdit(Note, 60);
    e->SetWidth(70);
    ProcessPendingMessages();
    EXPECT_EQ(e->EditBox()->GetText(), " C 4");
    EXPECT_TRUE(e->EditBox()->GetReadOnly());
    EXPECT_EQ(e->EditBox()->BoundsRect(), Rect(1, 1, 69, 23));
    EXPECT_EQ(e->UpButton()->BoundsRect(), Rect(54, 1, 69, 13));
    EXPECT_EQ(e->DownButton()->BoundsRect(), Rect(54, 13, 69, 25));
    // A code from outside is shown as it is, beyond the highest too, and fires nothing.
    int changes = 0;
    e->Onchange = [&](TObject*) { ++changes; };
    e->SetEditType(IntM100P100);
    e->SetCode(20);
    ProcessPendingMessages();
    EXPECT_EQ(e->EditBox()->GetText(), " +130");
    EXPECT_EQ(changes, 0);
    e->SetCode(8);
    Shot(e, "myedit");
}

TEST_F(MyEditTest, HoldingAnArrowStepsOnceThenAfter600msEvery47ms) {
    TMyEdit* e = MakeEdit(MinMaxDB, 0);
    e->Min = -12;
    e->Max = 12;
    int changes = 0, ends = 0;
    e->Onchange = [&](TObject*) { ++changes; };
    e->OnEndChange = [&](TObject*) { ++ends; };
    Down(e->UpButton(), 7, 5);
    EXPECT_EQ(e->GetCode(), 1);
    EXPECT_EQ(e->EditBox()->GetText(), " +1 dB");
    Advance(clock_, 599);
    EXPECT_EQ(e->GetCode(), 1);
    Advance(clock_, 1);
    EXPECT_EQ(e->GetCode(), 2);
    Advance(clock_, 47 * 20);
    EXPECT_EQ(e->GetCode(), 12) << "stops at Max";
    EXPECT_EQ(changes, 12);
    Up(e->UpButton(), 7, 5);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(e->Stepping());

    Down(e->DownButton(), 7, 5);
    Up(e->DownButton(), 7, 5);
    EXPECT_EQ(e->GetCode(), 11);
    EXPECT_EQ(ends, 2);
    // The lowest code of the MinMax formats is Min.
    e->SetCode(-12);
    Down(e->DownButton(), 7, 5);
    EXPECT_FALSE(e->Stepping());
    Up(e->DownButton(), 7, 5);
    EXPECT_EQ(e->GetCode(), -12);
}

TEST_F(MyEditTest, AtTheHighestCodeTheUpArrowDoesNothing) {
    TMyEdit* e = MakeEdit(IntM100P100, 14);
    int changes = 0;
    e->Onchange = [&](TObject*) { ++changes; };
    Down(e->UpButton(), 7, 5);
    Advance(clock_, 700);
    Up(e->UpButton(), 7, 5);
    EXPECT_EQ(e->GetCode(), 14);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(e->LowestCode(), 0);
    EXPECT_EQ(e->HighestCode(), 14);
}

TEST_F(MyEditTest, ALargerStepStopsAtTheEndsOfTheRange) {
    TMyEdit* e = MakeEdit(Int0M880, 126);
    e->Step = 2;
    int changes = 0;
    e->Onchange = [&](TObject*) { ++changes; };
    Down(e->UpButton(), 7, 5);
    Up(e->UpButton(), 7, 5);
    EXPECT_EQ(e->GetCode(), 127);
    EXPECT_EQ(changes, 1);
    e->SetCode(1);
    Down(e->DownButton(), 7, 5);
    Up(e->DownButton(), 7, 5);
    EXPECT_EQ(e->GetCode(), 0);
}

}  // namespace
}  // namespace zel::test
