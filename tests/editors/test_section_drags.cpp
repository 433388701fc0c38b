// Section drags between patch windows with the real mouse: what is accepted, which bytes are copied,
// which panels are highlighted, what is sent, and every end of a drag leaving the drag flag clear.
#include <gtest/gtest.h>

#include <functional>

#include "EditorsFixture.h"
#include "editors/Ueeffect.h"
#include "model/CurrentElements.h"

namespace zel::test {
namespace {

class SectionDrags : public Editors {
public:
    void SetUp() override {
        Editors::SetUp();
        library_ = OpenLibraryOf(2);
        for (int p = 0; p < 2; ++p)
            for (int t = 1; t <= ToneCount; ++t)
                for (int i = 0; i < static_cast<int>(TTone::DataSize); ++i)
                    PatchOf(library_, p).Tone(t).Data()[i] = static_cast<std::uint8_t>((p * 50 + t * 10 + i) % 100);
        one_ = OpenPatch(PatchOf(library_, 0));
        two_ = OpenPatch(PatchOf(library_, 1));
        one_->SetBounds(0, 0, one_->GetWidth(), one_->GetHeight());
        two_->SetBounds(200, 150, two_->GetWidth(), two_->GetHeight());
        one_->BringToFront();
        ProcessPendingMessages();
        SendQueued();
        library_->Library()->Saved = 1;
    }
    static bool Highlighted(TFormPatch* window, const char* name) {
        return window->SectionPanel(name)->GetColor() == static_cast<TColor>(clSectionHighlight);
    }
    static TBytes Bytes(const TTone& tone, std::initializer_list<int> positions) {
        TBytes b;
        for (int p : positions) b.push_back(tone.GetParam(p));
        return b;
    }
    static TBytes Range(const TTone& tone, int from, int to) {
        TBytes b;
        for (int p = from; p <= to; ++p) b.push_back(tone.GetParam(p));
        return b;
    }

    // The table rows of the test reach these.
    using Editors::TemporaryTone;
    TFormLibrary* library_ = nullptr;
    TFormPatch* one_ = nullptr;
    TFormPatch* two_ = nullptr;
};

TEST_F(SectionDrags, DropsCopyTheSectionsOrAreRefused) {
    struct TRow {
        const char* Name;
        std::vector<const char*> Collected;  // Ctrl-pressed first, in the source window
        const char* From;
        std::function<POINT(SectionDrags&)> To;
        bool Escape;
        std::function<void(SectionDrags&, const TPatch& before1, const TPatch& before2)> Check;
        std::size_t Messages;
    };
    const auto panel = [](bool second, const char* name) {
        return [second, name](SectionDrags& t) { return Centre((second ? t.two_ : t.one_)->SectionPanel(name)); };
    };
    const std::vector<TRow> rows = {
        {"Pitch of tone 2 onto Pitch of tone 4 of the other patch",
         {},
         "Pitch2",
         panel(true, "Pitch4"),
         false,
         [](SectionDrags& t, const TPatch& b1, const TPatch& b2) {
             const TPatch& target = PatchOf(t.library_, 1);
             EXPECT_EQ(Range(target.Tone(4), 61, 77), Range(b1.Tone(2), 61, 77));
             EXPECT_EQ(Range(target.Tone(4), 0, 60), Range(b2.Tone(4), 0, 60));
             EXPECT_EQ(Range(target.Tone(4), 78, 128), Range(b2.Tone(4), 78, 128));
             EXPECT_TRUE(Highlighted(t.two_, "Pitch4"));
             EXPECT_FALSE(Highlighted(t.two_, "Pitch2"));
             EXPECT_TRUE(Modified(target));
             EXPECT_EQ(CurrentPatch, &target);
             EXPECT_EQ(t.TemporaryTone(4), ToneData(target, 4));
             EXPECT_EQ(Formzelmo->ActiveMDIChild(), t.two_);
         },
         5},
        {"Pitch of tone 2 onto itself",
         {},
         "Pitch2",
         panel(false, "Pitch2"),
         false,
         [](SectionDrags& t, const TPatch& b1, const TPatch&) {
             EXPECT_EQ(ToneData(PatchOf(t.library_, 0), 2), ToneData(b1, 2));
             EXPECT_FALSE(Modified(PatchOf(t.library_, 0)));
         },
         0},
        {"LFO 1 onto LFO 2 of the same tone",
         {},
         "Lfo12",
         panel(false, "Lfo22"),
         false,
         [](SectionDrags& t, const TPatch& b1, const TPatch&) {
             const TTone& tone = PatchOf(t.library_, 0).Tone(2);
             EXPECT_EQ(Bytes(tone, {53, 54, 55, 56, 57, 58, 59, 60, 124, 118, 100, 79}),
                       Bytes(b1.Tone(2), {45, 46, 47, 48, 49, 50, 51, 52, 123, 117, 99, 78}));
             EXPECT_EQ(Bytes(tone, {45, 46, 47, 48, 49, 50, 51, 52, 123, 117, 99, 78}),
                       Bytes(b1.Tone(2), {45, 46, 47, 48, 49, 50, 51, 52, 123, 117, 99, 78}));
             EXPECT_TRUE(Highlighted(t.one_, "Lfo22"));
             EXPECT_TRUE(Modified(PatchOf(t.library_, 0)));
         },
         5},
        {"three sections of tone 1 collected with Ctrl onto tone 3",
         {"Wave1", "TVF", "Tva1"},
         "Tva1",
         panel(true, "Tva3"),
         false,
         [](SectionDrags& t, const TPatch& b1, const TPatch& b2) {
             const TTone& tone = PatchOf(t.library_, 1).Tone(3);
             EXPECT_EQ(Range(tone, 0, 10), Range(b1.Tone(1), 0, 10));
             EXPECT_EQ(Range(tone, 80, 98), Range(b1.Tone(1), 80, 98));
             EXPECT_EQ(Range(tone, 101, 116), Range(b1.Tone(1), 101, 116));
             EXPECT_EQ(Range(tone, 119, 122), Range(b1.Tone(1), 119, 122));
             EXPECT_EQ(Range(tone, 61, 77), Range(b2.Tone(3), 61, 77)) << "pitch not dragged";
             for (const char* name : {"Wave3", "Tvf3", "Tva3"}) EXPECT_TRUE(Highlighted(t.two_, name)) << name;
             EXPECT_FALSE(Highlighted(t.two_, "Pitch3"));
         },
         5},
        {"Pitch onto the background",
         {},
         "Pitch2",
         [](SectionDrags& t) { return ScreenPoint(t.two_->Shader1, 470, 40); },
         false,
         [](SectionDrags& t, const TPatch&, const TPatch& b2) {
             EXPECT_EQ(ToneData(PatchOf(t.library_, 1), 2), ToneData(b2, 2));
             EXPECT_FALSE(Modified(PatchOf(t.library_, 1)));
         },
         0},
        {"Esc over an accepting panel",
         {},
         "Pitch2",
         panel(true, "Pitch4"),
         true,
         [](SectionDrags& t, const TPatch&, const TPatch& b2) {
             EXPECT_EQ(ToneData(PatchOf(t.library_, 1), 4), ToneData(b2, 4));
         },
         0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        one_->BringToFront();
        ProcessPendingMessages();
        SendQueued();
        // Both patches as they were before the drag.
        TPatch before1(nullptr);
        TPatch before2(nullptr);
        before1.Assign(&PatchOf(library_, 0));
        before2.Assign(&PatchOf(library_, 1));
        for (const char* name : row.Collected) Click(one_->SectionPanel(name), {VK_CONTROL});
        Sim.ClearLog();
        library_->Library()->Saved = 1;
        Drag(one_->SectionPanel(row.From), row.To(*this), row.Escape);
        EXPECT_EQ(SectionDragActive, 0);
        EXPECT_EQ(Sim.ReceivedMessages().size(), row.Messages);
        row.Check(*this, before1, before2);
        one_->ClearHighlights();
        two_->ClearHighlights();
    }
    // After the drags an activation of a window whose patch is not current sends it again.
    CurrentPatch = nullptr;
    Sim.ClearLog();
    Click(two_->Shader1);
    SendQueued();
    EXPECT_EQ(Sim.ReceivedMessages().size(), 5u);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(SectionDrags, ASourceWindowThatGoesMidDragLeavesNoDragBehind) {
    Clock->Advance(GetDoubleClickTime() + 1);
    const POINT start = Centre(one_->SectionPanel("Pitch2"));
    MoveTo(start);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    RunQueue();
    MoveTo(POINT{start.x + 12, start.y + 3});
    ASSERT_EQ(SectionDragActive, 1);
    // The patch is deleted under the drag (its window goes with it).
    for (auto& e : library_->Library()->Elements) e->Selected = 0;
    PatchOf(library_, 0).Selected = 1;
    library_->DeleteSelected();
    EXPECT_EQ(SectionDragActive, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    RunQueue();
    EXPECT_EQ(SectionDragActive, 0);
    // Activations send again.
    RunQueue();
    library_->BringToFront();
    SendQueued();
    CurrentPatch = nullptr;
    Sim.ClearLog();
    EXPECT_EQ(Formzelmo->ActiveMDIChild(), library_);
    two_->BringToFront();
    ProcessPendingMessages();
    SendQueued();
    EXPECT_EQ(SectionDragActive, 0);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 5u);
}

TEST_F(SectionDrags, EffectsDroppedOnAPatchWithItsEffectsEditorOpenShowThere) {
    TPatch& source = PatchOf(library_, 0);
    source.Common->Data()[12] = 16;  // "17 : Stereo-Delay"
    for (int i = 13; i <= 24; ++i) source.Common->Data()[i] = static_cast<std::uint8_t>(i);
    two_->BringToFront();
    ProcessPendingMessages();
    DoubleClick(two_->Effects);
    auto* editor = dynamic_cast<TFormEffect*>(PatchOf(library_, 1).Common->Editors[TCommon::ceEffects].EditorForm);
    ASSERT_NE(editor, nullptr);
    // The three windows side by side.
    editor->SetBounds(490, 0, editor->GetWidth(), editor->GetHeight());
    two_->SetBounds(0, 300, two_->GetWidth(), two_->GetHeight());
    two_->BringToFront();
    one_->BringToFront();
    ProcessPendingMessages();
    Drag(one_->Effects, Centre(two_->Effects));
    EXPECT_EQ(editor->EFXType->GetItemIndex(), 16);
    EXPECT_EQ(editor->CurrentEfxType, 17);
    EXPECT_EQ(editor->LabelCtrl1->Caption(), "Feedback");
    auto* delayL = dynamic_cast<TMyEdit*>(editor->FindComponent("Param1"));
    auto* feedback = dynamic_cast<TMyEdit*>(editor->FindComponent("Param3"));
    ASSERT_NE(delayL, nullptr);
    ASSERT_NE(feedback, nullptr);
    EXPECT_EQ(delayL->GetCode(), 14);
    EXPECT_EQ(feedback->GetCode(), 18 * 2 - 98);
}

}  // namespace
}  // namespace zel::test
