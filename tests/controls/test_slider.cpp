// The slider, the value cell and the pan slider: values after drags and held buttons, the events they
// fire, the repeat timing, and the pixels of track, thumb and cell.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/Uecomp.h"

namespace zel::test {
namespace {

// A slider that counts its full paints.
class TCountingSlider : public TSlider {
public:
    using TSlider::TSlider;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TSlider::Paint();
    }
};

class SliderTest : public ControlsTest {};

TEST_F(SliderTest, DraggingTheThumbSetsTheValueFromThePointerAndReportsEveryMove) {
    auto* s = Place(new TCountingSlider(Form));
    ASSERT_EQ(s->GetWidth(), 160);
    ASSERT_EQ(s->GetHeight(), 26);
    // scale = (160 - 10 + 1) / 100 = 1.51; value 30 puts the thumb at 45..55.
    ASSERT_EQ(s->ThumbOffset(), 45);
    int changes = 0, ends = 0;
    s->OnValueChange = [&](TObject*) { ++changes; };
    s->OnEndChange = [&](TObject*) { ++ends; };
    const int paintsBefore = s->Paints;

    Down(s, 50, 13);  // grab 5 pixels into the thumb
    Move(s, 100, 13);
    EXPECT_EQ(s->GetValue(), 62);  // trunc((100 - 5) / 1.51)
    EXPECT_EQ(s->ThumbOffset(), 45 + 48);
    Move(s, 100, 13);
    EXPECT_EQ(changes, 2) << "every move while dragging reports";
    Move(s, 400, 13);
    EXPECT_EQ(s->GetValue(), 100);
    Move(s, -60, 13);
    EXPECT_EQ(s->GetValue(), 0);
    EXPECT_EQ(ends, 0);
    Up(s, -60, 13);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(changes, 4);
    // The thumb moved without a full repaint of the control.
    EXPECT_EQ(s->Paints, paintsBefore);
    EXPECT_EQ(PixelAt(s, 0, 13), RGB(0, 0, 0)) << "thumb outline at the start";
    EXPECT_EQ(PixelAt(s, 1, 13), RGB(255, 255, 255)) << "thumb highlight";
    EXPECT_EQ(PixelAt(s, 5, 13), ColorToRGB(clBtnFace)) << "thumb face";

    // A press beside the thumb starts no drag.
    Down(s, 120, 13);
    Move(s, 140, 13);
    Up(s, 140, 13);
    EXPECT_EQ(s->GetValue(), 0);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(ends, 1);
}

TEST_F(SliderTest, PaintsTrackAndThumbWhereTheValueSays) {
    auto* s = Place(new TSlider(Form));
    s->SetTrackColor(clLime);
    s->SetColor(clYellow);
    s->SetValue(60);  // offset trunc(1.51 * 60) = 90
    ProcessPendingMessages();
    const int off = s->ThumbOffset();
    ASSERT_EQ(off, 90);
    EXPECT_EQ(PixelAt(s, 20, 13), RGB(0, 255, 0)) << "track fill";
    EXPECT_EQ(PixelAt(s, 20, 9), RGB(128, 128, 128)) << "groove's grey top edge";
    EXPECT_EQ(PixelAt(s, 20, 16), RGB(255, 255, 255)) << "groove's white bottom edge";
    EXPECT_EQ(PixelAt(s, 20, 2), RGB(255, 255, 0)) << "the control's colour beside the track";
    EXPECT_EQ(PixelAt(s, off, 13), RGB(0, 0, 0)) << "thumb outline";
    EXPECT_EQ(PixelAt(s, off + 1, 13), RGB(255, 255, 255)) << "highlight";
    EXPECT_EQ(PixelAt(s, off + 8, 13), RGB(128, 128, 128)) << "shadow";
    EXPECT_EQ(PixelAt(s, off + 5, 13), ColorToRGB(clBtnFace));
    Shot(s, "slider");
}

TEST_F(SliderTest, ValueIsClampedAndReportedOnlyWhenItChanges) {
    TSlider s(nullptr);
    int changes = 0;
    s.OnValueChange = [&](TObject*) { ++changes; };
    s.SetValue(250);
    EXPECT_EQ(s.GetValue(), 100);
    EXPECT_EQ(changes, 1);
    s.SetValue(100);
    s.SetValue(180);
    EXPECT_EQ(changes, 1);
    s.SetMaxValue(50);  // pulls the value into the new range
    EXPECT_EQ(s.GetValue(), 50);
    s.SetMinValue(60);
    EXPECT_EQ(s.GetValue(), 60) << "an empty range holds the value at its minimum";
}

TEST_F(SliderTest, ARangeNotStartingAtZeroStillFitsTheTrack) {
    auto* s = Place(new TSlider(Form));
    s->SetMinValue(50);
    s->SetMaxValue(150);
    s->SetValue(150);
    EXPECT_EQ(s->ThumbOffset(), 151) << "(160 - 10 + 1) / 100 * (150 - 50)";
    s->SetValue(50);
    EXPECT_EQ(s->ThumbOffset(), 0);
    Down(s, 3, 13);
    Move(s, 3 + 75, 13);
    EXPECT_EQ(s->GetValue(), 50 + 49);  // trunc(75 / 1.51)
    Up(s, 78, 13);
}

TEST_F(SliderTest, VerticalSliderDrawsAndDragsAHigherValueHigher) {
    auto* s = new TSlider(Form);
    s->SetOrientation(slVertical);
    s->SetBounds(0, 0, 26, 160);
    Place(s);
    s->SetValue(100);
    EXPECT_EQ(s->ThumbRect().top, 150 - 151);
    s->SetValue(0);
    EXPECT_EQ(s->ThumbRect().top, 150);
    Down(s, 13, 155);
    Move(s, 13, 155 - 30);
    EXPECT_EQ(s->GetValue(), 19);  // trunc(30 / 1.51)
    Up(s, 13, 125);
    Shot(s, "slider_vertical");
}

// ------------------------------------------------------------------------------------------ the value cell

class ClickEditTest : public ControlsTest {
protected:
    TManualClockScope clock_;
};

TEST_F(ClickEditTest, HoldingAButtonStepsOnceAtOnceThenAfter600msEvery47ms) {
    auto* e = Place(new TClickEdit(Form));
    e->SetValue(60);
    int changes = 0, ends = 0;
    e->Onchange = [&](TObject*) { ++changes; };
    e->OnEndchange = [&](TObject*) { ++ends; };

    Down(e, 10, 10);  // left: down
    EXPECT_EQ(e->GetValue(), 59);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(e->Stepping());
    EXPECT_EQ(PixelAt(e, 5, 5), RGB(0, 255, 255)) << "held: the selected colour";
    Advance(clock_, 599);
    EXPECT_EQ(e->GetValue(), 59);
    Advance(clock_, 1);
    EXPECT_EQ(e->GetValue(), 58);
    Advance(clock_, 46);
    EXPECT_EQ(e->GetValue(), 58);
    Advance(clock_, 1);
    EXPECT_EQ(e->GetValue(), 57);
    Advance(clock_, 47 * 3);
    EXPECT_EQ(e->GetValue(), 54);
    EXPECT_EQ(changes, 6);
    Up(e, 10, 10);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(e->Stepping());
    EXPECT_EQ(PixelAt(e, 5, 5), RGB(255, 255, 255)) << "released: white";
    Advance(clock_, 1000);
    EXPECT_EQ(e->GetValue(), 54);

    // Any other button steps up.
    Down(e, 10, 10, WM_RBUTTONDOWN, MK_RBUTTON);
    Up(e, 10, 10, WM_RBUTTONUP);
    EXPECT_EQ(e->GetValue(), 55);
    EXPECT_EQ(ends, 2);
}

TEST_F(ClickEditTest, AtTheLimitNothingStepsButReleaseStillEnds) {
    auto* e = Place(new TClickEdit(Form));
    int changes = 0, ends = 0;
    e->Onchange = [&](TObject*) { ++changes; };
    e->OnEndchange = [&](TObject*) { ++ends; };
    Down(e, 10, 10);
    Advance(clock_, 800);
    Up(e, 10, 10);
    EXPECT_EQ(e->GetValue(), 0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ends, 1);
}

TEST_F(ClickEditTest, ValueSetFromOutsideMustBeInRangeAndFiresNothing) {
    TClickEdit e(nullptr);
    int changes = 0;
    e.Onchange = [&](TObject*) { ++changes; };
    e.SetValue(127);
    e.SetValue(128);
    EXPECT_EQ(e.GetValue(), 127);
    e.SetMax(100);
    EXPECT_EQ(e.GetValue(), 100);
    e.SetMin(-10);
    e.SetValue(-11);
    EXPECT_EQ(e.GetValue(), 100);
    EXPECT_EQ(changes, 0);
}

TEST_F(ClickEditTest, TextsInStereoAndPlainMode) {
    struct Row {
        const char* name;
        bool stereo;
        int value;
        const char* text;
    };
    const Row rows[] = {
        {"plain positive", false, 64, "64"}, {"plain negative", false, -5, "-5"}, {"plain zero", false, 0, "0"},
        {"stereo right", true, 5, "R 5"},    {"stereo left", true, -63, "L 63"},  {"stereo centre", true, 0, "  0"},
    };
    for (const Row& r : rows) {
        TClickEdit e(nullptr);
        e.SetMin(-64);
        e.SetStereo(r.stereo);
        e.SetValue(r.value);
        EXPECT_EQ(e.DisplayText(), r.text) << r.name;
    }
}

// ------------------------------------------------------------------------------------------ the pan slider

class PanSliderTest : public ControlsTest {
protected:
    TPanSlider* MakePan() {
        auto* p = new TPanSlider(Form);
        p->SetVertical(false);
        p->SetBounds(0, 0, 140, 40);
        p->SetELeft(5);
        p->SetETop(3);
        p->SetEWidth(40);
        p->SetEHeight(14);
        p->SetSLeft(50);
        p->SetSTop(2);
        p->SetSWidth(85);
        p->SetSHeight(36);
        return Place(p);
    }
};

TEST_F(PanSliderTest, StereoRangeCentresTheSliderAndTheCellShowsZero) {
    TPanSlider* p = MakePan();
    p->SetMin(-64);
    p->SetMax(63);
    p->SetStereo(true);
    p->SetValue(0);
    ProcessPendingMessages();
    EXPECT_EQ(p->Slider()->GetMinValue(), 0);
    EXPECT_EQ(p->Slider()->GetMaxValue(), 127);
    EXPECT_EQ(p->Slider()->GetValue(), 64);
    EXPECT_EQ(p->Cell()->DisplayText(), "  0");
    EXPECT_EQ(p->Slider()->GetOrientation(), slHoriz);
    EXPECT_EQ(p->Cell()->BoundsRect(), Rect(5, 3, 45, 17));
    Shot(p, "panslider");
}

TEST_F(PanSliderTest, TheSliderAndTheCellFollowEachOther) {
    TManualClockScope clock;
    TPanSlider* p = MakePan();
    p->SetMin(-64);
    p->SetMax(63);
    p->SetValue(0);
    std::vector<TObject*> senders;
    int ends = 0;
    p->Onchange = [&](TObject* s) { senders.push_back(s); };
    p->OnEndchange = [&](TObject*) { ++ends; };

    // Dragging the slider: value = slider position + Min.
    TSlider* s = p->Slider();
    const int off = s->ThumbOffset();
    Down(s, off + 2, 18);
    Move(s, off + 2 + 20, 18);
    const int expected = s->GetValue() - 64;
    EXPECT_GT(s->GetValue(), 64);
    EXPECT_EQ(p->GetValue(), expected);
    EXPECT_EQ(p->Cell()->GetValue(), expected);
    EXPECT_EQ(senders, (std::vector<TObject*>{s}));
    Up(s, off + 22, 18);
    EXPECT_EQ(ends, 1);

    // Stepping the cell moves the slider: the slider path reports, then the cell.
    senders.clear();
    Down(p->Cell(), 5, 5, WM_RBUTTONDOWN, MK_RBUTTON);
    Up(p->Cell(), 5, 5, WM_RBUTTONUP);
    EXPECT_EQ(p->GetValue(), expected + 1);
    EXPECT_EQ(s->GetValue(), expected + 1 + 64);
    EXPECT_EQ(senders, (std::vector<TObject*>{s, p->Cell()}));
    EXPECT_EQ(ends, 2);
}

TEST_F(PanSliderTest, SettingTheValueMovesTheSliderAndReportsOnlyAMove) {
    TPanSlider* p = MakePan();
    p->SetMax(127);
    int changes = 0;
    p->Onchange = [&](TObject*) { ++changes; };
    p->SetValue(100);
    EXPECT_EQ(p->Slider()->GetValue(), 100);
    EXPECT_EQ(p->Cell()->GetValue(), 100);
    EXPECT_EQ(changes, 1);
    p->SetValue(100);
    EXPECT_EQ(changes, 1);
    // Narrowing the range lowers the value, and the value never passes through a wrong number.
    std::vector<int> seen;
    p->Onchange = [&](TObject*) { seen.push_back(p->GetValue()); };
    p->SetMax(50);
    EXPECT_EQ(p->GetValue(), 50);
    p->SetMin(-20);
    EXPECT_EQ(p->Slider()->GetValue(), 70);
    for (int v : seen) EXPECT_EQ(v, 50);
    p->SetValue(0);
    p->SetMin(10);
    EXPECT_EQ(p->GetValue(), 10) << "a higher Min raises the value";
    EXPECT_EQ(p->Slider()->GetValue(), 10);
}

}  // namespace
}  // namespace zel::test
