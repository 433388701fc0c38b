// The random bank and morphing windows opened by the library window's Patch Bank Random and Patch
// Morphing buttons: which selections open them, where each byte of a result comes from, what reaches the
// instrument's temporary area, the sweep's timing under the manual clock and what each keeps in the
// library.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "ProgramFixture.h"
#include "app/Uelibrar.h"
#include "app/Uemorph.h"
#include "app/Uerandom.h"
#include "model/Bank.h"
#include "model/Library.h"
#include "model/Patch.h"
#include "platform/rtl/Random.h"

namespace zel::test {
namespace {

class ToolWindows : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        // A first start reads the instrument's factory device (17), to which the simulator answers.
        StartAndWaitOutTheIntro();
        ASSERT_NE(FormRandom, nullptr);
        ASSERT_NE(FormMorph, nullptr);
        library = new TLibrary;
        form = TFormLibrary::OpenLibrary(Formzelmo, *library, false);
        ProcessPendingMessages();
    }
    TLibElem* Add(int type, const std::string& name) {
        library->Elements.push_back(CreateElementOfType(type, library));
        TLibElem* e = library->Elements.back().get();
        e->SetName(name, false);
        form->RefreshList();
        return e;
    }
    // Clicks the library window's button; once the window shows, runs Act in it, then closes it with Close.
    template <class F>
    bool InWindow(TSpeedButton* button, F* window, const std::function<void(F*)>& act, TButton* F::*close) {
        bool ran = false;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (ran || !window->GetVisible()) return;
            ran = true;
            act(window);
            if (window->GetVisible()) ClickAt((window->*close)->GetHandle(), 5, 5);
        };
        ClickOn(button);
        Application->OnIdle = nullptr;
        return ran;
    }
    // The temporary patch's common and tone 4 data as the instrument holds them.
    // What the instrument's temporary patch holds once the sends have gone out.
    TBytes Temporary(int block, std::size_t size) {
        SendQueued();
        TPatch temporary(nullptr);
        return Sim.Read(temporary.LocationAddress() + (block == 0 ? 0 : ToneOffset(block)), size);
    }
    static TBytes DataOf(const std::uint8_t* data, std::size_t size) { return TBytes(data, data + size); }

    TLibrary* library = nullptr;
    TFormLibrary* form = nullptr;
};

TEST_F(ToolWindows, TheButtonsOpenTheirWindowsOnlyForTheRightSelection) {
    TLibElem* p1 = Add(etPatch, "A");
    TLibElem* p2 = Add(etPatch, "B");
    TLibElem* p3 = Add(etPatch, "C");
    TLibElem* b1 = Add(etPatchBank, "Bank1");
    TLibElem* b2 = Add(etPatchBank, "Bank2");
    struct Row {
        const char* name;
        std::vector<TLibElem*> selected;
        bool maskPatches;
        bool morphOpens, randomOpens;
    };
    const std::vector<Row> rows = {
        {"one patch, one bank", {p1, b1}, false, false, true},
        {"two patches, two banks", {p1, p3, b1, b2}, false, true, false},
        {"three patches, no bank", {p1, p2, p3}, false, false, false},
        {"two patches masked", {p1, p2, b1}, true, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (auto& e : library->Elements) e->Selected = 0;
        for (TLibElem* e : r.selected) e->Selected = 1;
        if (r.maskPatches) form->SpeedPatch->SetDown(true);
        Boxes.clear();
        const bool morph = InWindow<TFormMorph>(
            form->speedMorph, FormMorph, [](TFormMorph*) {}, &TFormMorph::Btnclose);
        EXPECT_EQ(morph, r.morphOpens);
        EXPECT_EQ(BoxTexts(),
                  r.morphOpens ? std::vector<std::string>{} : std::vector<std::string>{"You Must Select two Patch."});
        Boxes.clear();
        const bool random = InWindow<TFormRandom>(
            form->RandomBtn, FormRandom, [](TFormRandom*) {}, &TFormRandom::Btnclose);
        EXPECT_EQ(random, r.randomOpens);
        EXPECT_EQ(BoxTexts(), r.randomOpens ? std::vector<std::string>{}
                                            : std::vector<std::string>{"You Must Select One Patch Bank."});
        form->SpeedPatch->SetDown(false);
    }
}

// A bank whose patch i holds i in every common byte after the name, and in each tone its patch number in
// the even bytes and the tone number in the odd ones, so that the donor of every byte can be told.
void MarkBank(TBank& bank) {
    for (int i = 0; i < 128; ++i) {
        auto& p = static_cast<TPatch&>(*bank.Members[static_cast<std::size_t>(i)]);
        for (int n = 12; n < 72; ++n) p.Common->Data()[n] = static_cast<std::uint8_t>(i);
        for (int k = 1; k <= 4; ++k)
            for (int n = 0; n < 129; ++n) p.Tone(k).Data()[n] = static_cast<std::uint8_t>(n % 2 == 0 ? i : k);
        p.SetName("Pat-" + std::to_string(i) + " xY", false);
    }
}

TEST_F(ToolWindows, RandomBankDrawsBlocksAndGroupsFromDonorsAndKeepsWhatIsAskedFor) {
    auto* source = static_cast<TBank*>(Add(etPatchBank, "Source"));
    MarkBank(*source);
    source->Selected = 1;
    InWindow<TFormRandom>(
        form->RandomBtn, FormRandom,
        [&](TFormRandom* f) {
            EXPECT_EQ(f->Position(), 1);
            EXPECT_EQ(f->CurrPatch->Caption(), " 1");
            auto& shown = static_cast<TPatch&>(*f->ResultBank()->Members[1]);
            EXPECT_EQ(Temporary(0, 72), DataOf(shown.Common->Data(), 72));
            EXPECT_EQ(Temporary(4, 129), DataOf(shown.Tone(4).Data(), 129));

            // Every box unchecked: each patch a copy of the source's at its place, name included.
            for (TCheckBox* box : {f->Common, f->Tone1, f->Tone2, f->Tone3, f->Tone4, f->PatchName})
                ClickAt(box->GetHandle(), 5, 5);
            ClickAt(f->BitBtn1->GetHandle(), 5, 5);
            for (int i : {0, 1, 77, 127}) {
                auto& r = static_cast<TPatch&>(*f->ResultBank()->Members[static_cast<std::size_t>(i)]);
                auto& s = static_cast<TPatch&>(*source->Members[static_cast<std::size_t>(i)]);
                EXPECT_EQ(DataOf(r.Common->Data(), 72), DataOf(s.Common->Data(), 72)) << i;
                for (int k = 1; k <= 4; ++k) EXPECT_EQ(DataOf(r.Tone(k).Data(), 129), DataOf(s.Tone(k).Data(), 129));
            }
            for (TCheckBox* box : {f->Common, f->Tone1, f->Tone2, f->Tone3, f->Tone4, f->PatchName})
                ClickAt(box->GetHandle(), 5, 5);

            // Group Oriented: the common's two parts and each tone group from one donor each.
            RandSeed = 99;
            for (int i = 0; i < 128; ++i) f->RandomizePatch(i);
            std::set<int> donors;
            for (int i = 0; i < 128; ++i) {
                auto& r = static_cast<TPatch&>(*f->ResultBank()->Members[static_cast<std::size_t>(i)]);
                for (int n = 45; n < 72; ++n) ASSERT_EQ(r.Common->Data()[n], r.Common->Data()[44]);
                for (int n = 13; n < 44; ++n) ASSERT_EQ(r.Common->Data()[n], r.Common->Data()[12]);
                const std::vector<std::vector<int>> groups = {{0, 10},
                                                              {11, 44, 125, 128},
                                                              {45, 52, 123, 123, 117, 117, 99, 99, 78, 78},
                                                              {53, 60, 124, 124, 118, 118, 100, 100, 79, 79},
                                                              {61, 77},
                                                              {80, 98},
                                                              {101, 116, 119, 122}};
                for (int k = 1; k <= 4; ++k) {
                    const TTone& t = r.Tone(k);
                    for (const auto& g : groups) {
                        const int firstEven = g[0] % 2 == 0 ? g[0] : g[0] + 1;
                        const int firstOdd = g[0] % 2 == 1 ? g[0] : g[0] + 1;
                        for (std::size_t run = 0; run < g.size(); run += 2)
                            for (int n = g[run]; n <= g[run + 1]; ++n)
                                ASSERT_EQ(t.Data()[n], t.Data()[n % 2 == 0 ? firstEven : firstOdd])
                                    << i << " tone " << k << " byte " << n;
                        donors.insert(t.Data()[firstEven]);
                    }
                }
                // The name keeps vowels vowels, consonants consonants, other characters and case.
                const std::string from = source->Members[static_cast<std::size_t>(i)]->GetName();
                const std::string name = r.GetName();
                ASSERT_EQ(name.size(), from.size());
                for (std::size_t c = 0; c < name.size(); ++c) {
                    const auto kind = [](char ch) {
                        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                        if (std::string_view("aeiou").find(l) != std::string_view::npos) return 'v';
                        if (std::string_view("pytrwqsdfghjklmnbvcxz").find(l) != std::string_view::npos) return 'c';
                        return ch;
                    };
                    EXPECT_EQ(kind(name[c]), kind(from[c]));
                    EXPECT_EQ(std::islower(static_cast<unsigned char>(name[c])) != 0, from[c] >= 'a' && from[c] <= 'z');
                }
            }
            EXPECT_GT(donors.size(), 100u);

            // Tone/Common Oriented: whole blocks from one donor each.
            ClickAt(f->ToneComm->GetHandle(), 5, 5);
            f->RandomizePatch(5);
            auto& r5 = static_cast<TPatch&>(*f->ResultBank()->Members[5]);
            for (int n = 13; n < 72; ++n) EXPECT_EQ(r5.Common->Data()[n], r5.Common->Data()[12]);
            for (int k = 1; k <= 4; ++k)
                for (int n = 0; n < 129; ++n) EXPECT_EQ(r5.Tone(k).Data()[n], r5.Tone(k).Data()[n % 2]);
            ClickAt(f->RadioButton2->GetHandle(), 5, 5);

            // Two Randomize Bank runs at different clock readings differ.
            ClickAt(f->BitBtn1->GetHandle(), 5, 5);
            const TBytes first = DataOf(static_cast<TPatch&>(*f->ResultBank()->Members[9]).Tone(2).Data(), 129);
            Clock->Advance(1234);
            ClickAt(f->BitBtn1->GetHandle(), 5, 5);
            EXPECT_NE(DataOf(static_cast<TPatch&>(*f->ResultBank()->Members[9]).Tone(2).Data(), 129), first);

            // Previous stops at 0, Next at 127, each sending what it shows.
            for (int i = 0; i < 3; ++i) ClickAt(f->Precedente->GetHandle(), 5, 5);
            EXPECT_EQ(f->Position(), 0);
            for (int i = 0; i < 130; ++i) ClickAt(f->Successivo->GetHandle(), 5, 5);
            EXPECT_EQ(f->Position(), 127);
            EXPECT_EQ(f->CurrPatch->Caption(), "127");
            EXPECT_EQ(Temporary(0, 72),
                      DataOf(static_cast<TPatch&>(*f->ResultBank()->Members[127]).Common->Data(), 72));
            for (int i = 0; i < 122; ++i) ClickAt(f->Precedente->GetHandle(), 5, 5);
            EXPECT_EQ(f->CurrPatch->Caption(), " 5");
            library->Saved = 1;
            ClickAt(f->CreatePatch->GetHandle(), 5, 5);
            ClickAt(f->CreateBank->GetHandle(), 5, 5);
            EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("bank-random")));
        },
        &TFormRandom::Btnclose);
    ASSERT_EQ(library->Elements.size(), 3u);
    EXPECT_EQ(library->Elements[1]->GetName(), "Rnd Patch5");
    EXPECT_EQ(library->Elements[1]->Temporary, 1);
    EXPECT_EQ(library->Elements[2]->GetName(), "RandomBank");
    EXPECT_EQ(library->Elements[2]->ElemType, etPatchBank);
    EXPECT_EQ(library->Saved, 0);
    EXPECT_EQ(form->DrawGrid->GetRowCount(), 3);
    EXPECT_EQ(FormRandom->ResultBank(), nullptr);
}

TEST_F(ToolWindows, MorphBlendsTheIncludedBytesSweepsWithAuditionsAndBuildsABank) {
    auto* a = static_cast<TPatch*>(Add(etPatch, "Alpha"));
    auto* b = static_cast<TPatch*>(Add(etPatch, "Beta"));
    for (int n = 12; n < 72; ++n) {
        a->Common->Data()[n] = 10;
        b->Common->Data()[n] = 120;
    }
    for (int k = 1; k <= 4; ++k)
        for (int n = 0; n < 129; ++n) {
            a->Tone(k).Data()[n] = 0;
            b->Tone(k).Data()[n] = 127;
        }
    a->Common->Data()[12] = 3;  // different effect types
    b->Common->Data()[12] = 4;
    a->Selected = b->Selected = 1;
    InWindow<TFormMorph>(
        form->speedMorph, FormMorph,
        [&](TFormMorph* f) {
            EXPECT_FALSE(f->EfxParam->GetEnabled());
            EXPECT_EQ(f->PatchEdit1->GetText(), "Alpha");
            EXPECT_EQ(f->PatchEdit2->GetText(), "Beta");
            TPatch& m = *f->MorphPatch();
            EXPECT_EQ(Temporary(0, 72), DataOf(a->Common->Data(), 72));
            f->Morph(127);
            for (int n = 12; n < 25; ++n) EXPECT_EQ(m.Common->Data()[n], a->Common->Data()[n]) << n;
            for (int n = 25; n < 72; ++n) EXPECT_EQ(m.Common->Data()[n], 120) << n;
            for (int n = 0; n < 129; ++n)
                EXPECT_EQ(m.Tone(1).Data()[n], n == 61 || n == 62 ? 0 : 127) << n;  // the tunes unchecked
            EXPECT_EQ(m.GetName(), "Alpha");
            f->Morph(64);  // 127 x 64/127 = 64 exactly; 10 + 110 x 64/127 = 65.43
            EXPECT_EQ(m.Tone(2).Data()[5], 64);
            EXPECT_EQ(m.Common->Data()[30], 65);

            // The slider's end of change sends the blend and one audition 500 ms later.
            Sim.ClearLog();
            f->Slider->SetValue(120);
            f->SliderEndchange(f->Slider);
            const auto notes = [&] {
                std::vector<std::string> out;
                for (const TBytes& msg : Sim.ReceivedMessages())
                    if (!msg.empty() && (msg[0] & 0xE0) == 0x80)
                        out.push_back((msg[0] & 0xF0) == 0x90 && msg[2] ? "on" : "off");
                return out;
            };
            Wait(499);
            EXPECT_TRUE(notes().empty());
            EXPECT_EQ(Temporary(1, 129)[5], 120);
            Wait(1);
            EXPECT_EQ(notes(), std::vector<std::string>{"on"});
            Wait(1000);
            EXPECT_EQ(notes(), (std::vector<std::string>{"on", "off"}));
            Wait(3000);
            EXPECT_EQ(notes().size(), 2u);

            // Play with steps of 10 from 120: 120, then 127, then it stops.
            f->MorphStep->SetCode(10);
            Sim.ClearLog();
            ClickAt(f->Play->GetHandle(), 5, 5);
            const auto waitInSteps = [&](int ms) {
                for (int t = 0; t < ms; t += 10) Wait(10);
            };
            waitInSteps(1500);
            EXPECT_EQ(f->Slider->GetValue(), 127);
            EXPECT_FALSE(f->Playing());
            EXPECT_EQ(Temporary(1, 129)[5], 127);
            EXPECT_EQ(notes(), (std::vector<std::string>{"on", "off"}));
            waitInSteps(5000);
            EXPECT_EQ(notes(), (std::vector<std::string>{"on", "off", "on", "off"}));
            EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("patch-morphing")));

            library->Saved = 1;
            ClickAt(f->CreateBank->GetHandle(), 5, 5);
        },
        &TFormMorph::Btnclose);
    ASSERT_EQ(library->Elements.size(), 3u);
    auto& bank = static_cast<TBank&>(*library->Elements[2]);
    EXPECT_EQ(bank.GetName(), "MorphBank");
    EXPECT_EQ(bank.Members[0]->GetName(), "Alpha");
    EXPECT_EQ(bank.Members[1]->GetName(), "Morph001");
    // Not every box is checked (the tunes): member 127 is a blend named so.
    EXPECT_EQ(bank.Members[127]->GetName(), "Morph127");
    EXPECT_EQ(static_cast<TPatch&>(*bank.Members[127]).Tone(1).Data()[61], 0);
    for (const auto& member : bank.Members) EXPECT_EQ(member->Selected, 0);
    EXPECT_EQ(bank.Members[5]->Number, 6);
    EXPECT_EQ(library->Saved, 0);
    EXPECT_EQ(FormMorph->MorphPatch(), nullptr);
}

}  // namespace
}  // namespace zel::test
