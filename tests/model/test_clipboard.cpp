// The parameter clipboard (part, scale tune, rhythm key sections) and the drag information: section
// kinds by panel name, what each drag collects, and the highlighting of section panels.
#include <gtest/gtest.h>

#include "model/Clipboard.h"
#include "model/CurrentElements.h"
#include "model/Library.h"
#include "support/model/ModelFakes.h"

namespace zel::test {
namespace {

// Data byte i of a key := seed + i (kept seven bits wide).
void SeedKey(TRhythmNote& key, int seed) {
    for (std::size_t i = 0; i < TRhythmNote::DataSize; ++i)
        key.Data()[i] = static_cast<std::uint8_t>((seed + i) & 0x7F);
}

Bytes MessageOf(const TRhythmNote& key) { return Bytes(key.Message.begin(), key.Message.end()); }

// The data-byte numbers at which two keys differ.
std::vector<int> DifferingBytes(const TRhythmNote& a, const TRhythmNote& b) {
    std::vector<int> out;
    for (int i = 0; i < static_cast<int>(TRhythmNote::DataSize); ++i)
        if (a.GetParam(i) != b.GetParam(i)) out.push_back(i);
    return out;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> r;
    for (int i = first; i <= last; ++i) r.push_back(i);
    return r;
}

// ------------------------------------------------------------------------------------------ clipboard

TEST(Clipboard, StartsEmpty) {
    TClipboard clip;
    EXPECT_EQ(clip.PartHeld, 0);
    EXPECT_EQ(clip.ScaleTuneHeld, 0);
    EXPECT_EQ(clip.RhythmSectionsHeld, 0u);
    EXPECT_EQ(clip.PartMessage.size(), 30u);
    EXPECT_EQ(clip.ScaleTuneMessage.size(), 23u);
    EXPECT_EQ(clip.RhythmKeyData.size(), 58u);
}

TEST(Clipboard, PartIsCopiedAndPastedAsTheWholeMessage) {
    TModelTestScope scope;
    TPerformancePart source(3);
    source.BuildMessage(TempPerformanceBase + PartOffset(3));
    for (std::size_t i = 0; i < TPerformancePart::DataSize; ++i) source.Data()[i] = static_cast<std::uint8_t>(i + 40);
    TPerformancePart target(7);

    TClipboard clip;
    clip.CopyPart(source);
    EXPECT_EQ(clip.PartHeld, 1);
    clip.PastePart(target);

    // Every byte moves, the source's header and address included; the part keeps its own number.
    EXPECT_EQ(Hex(Bytes(target.Message.begin(), target.Message.end())),
              Hex(Bytes(source.Message.begin(), source.Message.end())));
    EXPECT_EQ(target.PartNumber, 7);
    EXPECT_TRUE(scope.Ports.Sent.empty()) << "a paste only writes the model; the editor sends";

    // The flag stays: a second paste still writes the held part.
    TPerformancePart another(9);
    clip.PastePart(another);
    EXPECT_EQ(another.Message, source.Message);
    EXPECT_EQ(clip.PartHeld, 1);
}

TEST(Clipboard, ScaleTuneIsCopiedAndPastedAsTheWholeMessage) {
    TPartScaleTune source(2);
    for (int i = 0; i < 12; ++i) source.Data()[i] = static_cast<std::uint8_t>(50 + i);
    TPartScaleTune target(17);

    TClipboard clip;
    clip.CopyScaleTune(source);
    EXPECT_EQ(clip.ScaleTuneHeld, 1);
    EXPECT_EQ(clip.PartHeld, 0);
    clip.PasteScaleTune(target);
    EXPECT_EQ(target.Message, source.Message);
    EXPECT_EQ(target.Index, 17);
}

TEST(Clipboard, RhythmSectionsMoveOnlyTheirOwnDataBytes) {
    struct Row {
        const char* name;
        int kind;
        std::vector<int> moved;
    };
    std::vector<int> main = Range(0, 11);
    for (int i = 54; i <= 57; ++i) main.push_back(i);
    const Row rows[] = {
        {"main", skRhyMain, main},
        {"pitch", skRhyPitch, Range(12, 25)},
        {"tvf", skRhyTvf, Range(26, 40)},
        {"tva", skRhyTva, Range(41, 53)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRhythmNote key40(40);
        TRhythmNote key52(52);
        SeedKey(key40, 1);
        SeedKey(key52, 90);
        TRhythmNote before(52);
        before.AssignMessage(key52);

        TClipboard clip;
        clip.CopyRhythmSection(key40, row.kind);
        EXPECT_TRUE(clip.RhythmSectionHeld(row.kind));
        clip.PasteRhythmSection(key52, row.kind);

        EXPECT_EQ(DifferingBytes(before, key52), row.moved);
        for (int i : row.moved) EXPECT_EQ(key52.GetParam(i), key40.GetParam(i)) << "data byte " << i;
        // The message frame around the data is untouched.
        EXPECT_EQ(Hex(Bytes(key52.Message.begin(), key52.Message.begin() + 9)),
                  Hex(Bytes(before.Message.begin(), before.Message.begin() + 9)));
        EXPECT_EQ(key52.Key, 52);
    }
}

TEST(Clipboard, RhythmSectionsAccumulateAndOtherKindsOnlyMarkTheSet) {
    TRhythmNote source(40);
    SeedKey(source, 5);
    TClipboard clip;
    clip.CopyRhythmSection(source, skRhyPitch);
    clip.CopyRhythmSection(source, skRhyTva);
    EXPECT_EQ(clip.RhythmSectionsHeld, (1u << 17) | (1u << 19));

    const auto data = clip.RhythmKeyData;
    clip.CopyRhythmSection(source, skTvf);  // a patch section: only the set changes
    EXPECT_EQ(clip.RhythmSectionsHeld, (1u << 8) | (1u << 17) | (1u << 19));
    EXPECT_EQ(clip.RhythmKeyData, data);

    TRhythmNote target(60);
    const Bytes before = MessageOf(target);
    clip.PasteRhythmSection(target, skTvf);
    clip.PasteRhythmSection(target, 99);
    EXPECT_EQ(MessageOf(target), before);

    clip.CopyRhythmSection(source, 40);  // outside the 32-bit set: ignored, no overflow
    EXPECT_EQ(clip.RhythmSectionsHeld, (1u << 8) | (1u << 17) | (1u << 19));
}

// ------------------------------------------------------------------------------------- section kinds

TEST(DragInfo, SectionKindOfPanelTakesTheFirstMatchingPrefix) {
    struct Row {
        const char* name;
        int kind;
    };
    const Row rows[] = {
        {"Pitch3", skPitch},
        {"RhyPitch", skRhyPitch},
        {"Lfo2Panel", skLfo2},
        {"LFO1Tone4", skLfo1},
        {"Wave2", skWave},
        {"Control1", skControl},
        {"TVA3", skTva},
        {"tvf1", skTvf},
        {"Common", skCommon},
        {"EffectsPanel", skEffects},
        {"PerEff", skPerEff},
        {"PerCommon", skPerCom},
        {"PerParts12", skPerParts},
        {"SysSetup", skSysSetup},
        {"SysMidi", skSysMidi},
        {"SysPreview", skSysPreview},
        {"SysScaleTune", skSysScaleTune},
        {"RhyMain", skRhyMain},
        {"RhyTVF", skRhyTvf},
        {"RhyTva", skRhyTva},
        {"Panel7", skCommon},
        {"", skCommon},
        {"ToneWave", skCommon},
        {"Lfo", skCommon},
    };
    for (const Row& row : rows) EXPECT_EQ(TDragInfo::SectionKindOfPanel(row.name), row.kind) << row.name;
}

// ------------------------------------------------------------------------------------ element drags

TEST(DragInfo, LibraryDragCollectsSelectedElementsThatTheFilterShows) {
    TLibrary library;
    for (int i = 0; i < 4; ++i)
        library.Elements.push_back(std::make_unique<TFakeElem>(&library, i < 2 ? etPatch : etPerformance));
    library.Elements[0]->Selected = 1;
    library.Elements[2]->Selected = 1;
    library.Elements[3]->Selected = 1;

    TDragInfo drag;
    drag.CollectFromLibrary(library, [](const TLibElem& e) { return e.ElemType == etPerformance; });
    ASSERT_EQ(drag.Items.size(), 2u);
    EXPECT_EQ(drag.Items[0]->Element, library.Elements[2].get());
    EXPECT_EQ(drag.Items[1]->Element, library.Elements[3].get());

    drag.CollectFromLibrary(library, nullptr);  // a new collection replaces the old one
    ASSERT_EQ(drag.Items.size(), 3u);
    EXPECT_EQ(drag.Items[0]->Element, library.Elements[0].get());
}

TEST(DragInfo, BankDragCollectsSelectedMembers) {
    TFakeLibrary library;
    std::vector<std::unique_ptr<TFakeElem>> members;
    for (int i = 0; i < 5; ++i) members.push_back(std::make_unique<TFakeElem>(&library, etPatch));
    members[1]->Selected = 1;
    members[4]->Selected = 1;
    TDragInfo drag;
    drag.CollectFromBank(members);
    ASSERT_EQ(drag.Items.size(), 2u);
    EXPECT_EQ(drag.Items[0]->Element, members[1].get());
    EXPECT_EQ(drag.Items[1]->Element, members[4].get());
}

TEST(DragInfo, GlobalDragLeavesCardBanksOutWithoutADataCard) {
    TModelTestScope scope;
    TFakeLibrary library;
    TFakeElem global(&library, etGlobal);
    TFakeElem system(&global, etSystem);
    TFakeElem userPatches(&global, etPatchBank);
    TFakeElem cardPatches(&global, etPatchBank);
    TFakeElem userRhythms(&global, etRhythmBank);
    TFakeElem cardPerformances(&global, etPerformanceBank);
    TFakeElem unselected(&global, etPerformanceBank);
    userPatches.User = 1;
    userRhythms.User = 1;
    unselected.User = 1;
    for (TFakeElem* e : {&system, &userPatches, &cardPatches, &userRhythms, &cardPerformances}) e->Selected = 1;
    const std::vector<TLibElem*> members = {&system,      &userPatches,      &cardPatches,
                                            &userRhythms, &cardPerformances, &unselected};

    TDragInfo drag;
    scope.Holder.Config->Installed = 0;
    drag.CollectFromGlobal(members);
    std::vector<TLibElem*> got;
    for (const auto& i : drag.Items) got.push_back(i->Element);
    EXPECT_EQ(got, (std::vector<TLibElem*>{&system, &userPatches, &userRhythms}));

    scope.Holder.Config->Installed = 1;
    drag.CollectFromGlobal(members);
    got.clear();
    for (const auto& i : drag.Items) got.push_back(i->Element);
    EXPECT_EQ(got, (std::vector<TLibElem*>{&system, &userPatches, &cardPatches, &userRhythms, &cardPerformances}));
}

// ------------------------------------------------------------------------------------- section drags

// A patch window's panels: two tone groups with their sections, and a common panel.
struct PatchPanels {
    std::vector<TSectionPanel> p = {
        {"Tone1", 1, -1, false},   // 0: group
        {"Wave1", 1, 0, false},    // 1
        {"Pitch1", 1, 0, false},   // 2
        {"Tone2", 2, -1, false},   // 3: group
        {"Wave2", 2, 3, false},    // 4
        {"TVF2", 2, 3, false},     // 5
        {"Common", 0, -1, false},  // 6
    };
    std::vector<bool> Highlights() const {
        std::vector<bool> h;
        for (const auto& x : p) h.push_back(x.Highlighted);
        return h;
    }
};

TEST(SectionPanels, CtrlClicksCollectSectionsOfOneGroupOnly) {
    PatchPanels w;
    EXPECT_TRUE(SectionPanelMouseDown(w.p, 1, false, "Tone", "Group"));
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 1, 0, 0, 0, 0, 0}));

    // A second section of the same tone: the first stays highlighted.
    EXPECT_FALSE(SectionPanelMouseDown(w.p, 2, true, "Tone", "Group"));
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 1, 1, 0, 0, 0, 0}));

    // A section of another tone: the first tone's highlights go.
    SectionPanelMouseDown(w.p, 5, true, "Tone", "Group");
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 0, 0, 0, 0, 1, 0}));
}

TEST(SectionPanels, PlainClickKeepsAHighlightedSelectionAndStartsTheDrag) {
    PatchPanels w;
    SectionPanelMouseDown(w.p, 4, false, "Tone", "Group");
    SectionPanelMouseDown(w.p, 5, true, "Tone", "Group");
    // A plain click on a highlighted panel drags the whole selection.
    EXPECT_TRUE(SectionPanelMouseDown(w.p, 5, false, "Tone", "Group"));
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 0, 0, 0, 1, 1, 0}));

    TDragInfo drag;
    TObject window;
    SectionDragActive = 0;
    drag.Accepted = 1;
    BeginSectionDrag(drag, &window, w.p);
    EXPECT_EQ(drag.Source, &window);
    EXPECT_EQ(SectionDragActive, 1);
    EXPECT_EQ(drag.Accepted, 0);
    ASSERT_EQ(drag.Items.size(), 2u);
    EXPECT_EQ(drag.Items[0]->SectionKind, skWave);
    EXPECT_EQ(drag.Items[0]->Tag, 2);
    EXPECT_EQ(drag.Items[1]->SectionKind, skTvf);
    EXPECT_TRUE(drag.HasSectionKind(skTvf));
    EXPECT_FALSE(drag.HasSectionKind(skPitch));
    SectionDragActive = 0;

    // A plain click on a normal panel makes it the only one.
    SectionPanelMouseDown(w.p, 6, false, "Tone", "Group");
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 0, 0, 0, 0, 0, 1}));
}

TEST(SectionPanels, GroupClickHighlightsTheGroupsSections) {
    PatchPanels w;
    SectionPanelMouseDown(w.p, 6, false, "Tone", "Group");
    EXPECT_FALSE(SectionPanelMouseDown(w.p, 3, false, "Tone", "Group"));
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 0, 0, 0, 1, 1, 0}));
    // By the group name as well; an empty marker is found nowhere.
    w.p[6].Name = "Group";
    SectionPanelMouseDown(w.p, 6, false, "", "Group");
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(SectionPanelMouseDown(w.p, 1, false, "", "Group"));
}

TEST(SectionPanels, DroppedSectionsAreHighlightedByKindAndTag) {
    PatchPanels w;
    TDragInfo::HighlightPanels(w.p, skWave, 2);
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 0, 0, 0, 1, 0, 0}));
    ClearPanelHighlights(w.p);
    TDragInfo::HighlightPanels(w.p, skWave, 0);  // any tone
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 1, 0, 0, 1, 0, 0}));
    ClearPanelHighlightsExcept(w.p, 3);
    EXPECT_EQ(w.Highlights(), (std::vector<bool>{0, 0, 0, 0, 1, 0, 0}));
}

}  // namespace
}  // namespace zel::test
