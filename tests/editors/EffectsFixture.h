#pragma once
// The effects editor of a library patch or performance, driven by real mouse and key input, with the
// instrument simulator behind the ports, in-process or over a real transport.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "EditorsFixture.h"
#include "editors/Ueeffect.h"
#include "editors/Ueperfor.h"
#include "model/Performance.h"

namespace zel::test {

// The effects editor's fixture over a transport: Base is the in-process program (Editors) or the program
// on JACK. The behaviours that reach the instrument are written once here and run over both.
template <class Base>
class EffectsOn : public Base {
protected:
    void SetUp() override {
        Base::SetUp();
        if (this->IsSkipped() || this->HasFatalFailure()) return;
        library_ = this->OpenLibraryOf(1);
        patch_ = &this->PatchOf(library_, 0);
        performance_ = dynamic_cast<TPerformance*>(
            library_->Library()->Elements.emplace_back(CreateElementOfType(etPerformance, library_->Library())).get());
        performance_->SetName("Perf", false);
    }
    void TearDown() override {
        this->Sim.AfterDataSet = nullptr;
        Base::TearDown();
    }

    // Handles the program's messages until the instrument has received Count messages since the last
    // ClearLog (at once in-process; over a real transport for up to five seconds).
    bool Messages(std::size_t Count) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            RunQueue();
            if (this->Sim.ReceivedMessages().size() >= Count) return true;
            if (!Async || std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    // Lets what is still on its way arrive (over a real transport), then forgets it.
    void Settle() {
        for (std::size_t seen = SIZE_MAX; Async && seen != this->Sim.ReceivedMessages().size();) {
            seen = this->Sim.ReceivedMessages().size();
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            RunQueue();
        }
        this->Sim.ClearLog();
    }
    // Handles the program's messages until the editor's fetch has ended.
    bool FetchEnded(TFormEffect* editor) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            RunQueue();
            if (!editor->HoldsMidiInput()) return true;
            if (!Async || std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    // The patch window, then its effects editor by a double click on "Effects".
    TFormEffect* OpenPatchEffects() {
        window_ = this->OpenPatch(*patch_);
        EXPECT_NE(window_, nullptr);
        this->DoubleClick(window_->Effects);
        auto* editor = dynamic_cast<TFormEffect*>(patch_->Common->Editors[TCommon::ceEffects].EditorForm);
        EXPECT_NE(editor, nullptr);
        Settle();
        return editor;
    }
    // The performance window, then its effects editor by a double click on its "Effects".
    TFormEffect* OpenPerformanceEffects() {
        performance_->OpenEditor();
        RunQueue();
        this->SendQueued();
        auto* window = dynamic_cast<TFormPerformance*>(performance_->Window);
        EXPECT_NE(window, nullptr);
        if (window == nullptr) return nullptr;
        this->DoubleClick(window->PerEff);
        auto* editor =
            dynamic_cast<TFormEffect*>(performance_->Common->Editors[TPerformanceCommon::ceEffects].EditorForm);
        EXPECT_NE(editor, nullptr);
        EXPECT_EQ(editor != nullptr ? editor->GetOwner() : nullptr, static_cast<TComponent*>(window));
        Settle();
        return editor;
    }
    void ShowPage(TFormEffect* editor, int page) {
        this->ShowTab(editor->TabbedNotebook1, page);
        EXPECT_EQ(editor->TabbedNotebook1->GetPageIndex(), page);
    }
    // The one-byte data set of the temporary patch common (Patch) or performance common.
    static std::string DataSet(bool Patch, int Position, int Value) {
        return Base::Hex(MakeDataSet(0x10, Addr(Patch ? 0x03 : 0x01, 0, 0, static_cast<std::uint8_t>(Position)),
                                     {static_cast<std::uint8_t>(Value)}));
    }
    static TComponent* Param(TFormEffect* editor, int n) { return editor->FindComponent("Param" + std::to_string(n)); }
    // A pixel of a picture as drawn.
    static COLORREF Pixel(TImage* image, int x, int y) {
        return ColorToRGB(image->Picture()->Canvas()->GetPixel(x, y));
    }
    // Loads chosen parameter values when the type byte of the temporary common changes, as the
    // instrument loads a type's defaults.
    void LoadOnTypeChange(bool Patch, const TBytes& values) {
        const std::uint32_t type = Patch ? Addr(0x03, 0, 0, 0x0C) : Addr(0x01, 0, 0, 0x0D);
        this->Sim.AfterDataSet = [this, type, values](std::uint32_t address, const TBytes&) {
            if (address == type) this->Sim.Write(type + 1, values);
        };
    }

    // ---- behaviours over both transports

    // "17 : Stereo-Delay" chosen on a patch or a performance: the type is written, written again and its
    // twelve values asked for; the panel shows what the instrument answers, and each byte goes to the
    // element's own place while the history keeps patch positions.
    void ANewTypeShowsTheInstrumentsValues(bool Patch) {
        const std::vector<std::string> sent =
            Patch
                ? std::vector<std::string>{"F0 41 10 6A 12 03 00 00 0C 10 61 F7", "F0 41 10 6A 12 03 00 00 0C 10 61 F7",
                                           "F0 41 10 6A 11 03 00 00 0D 00 00 00 0C 64 F7"}
                : std::vector<std::string>{"F0 41 10 6A 12 01 00 00 0D 10 62 F7", "F0 41 10 6A 12 01 00 00 0D 10 62 F7",
                                           "F0 41 10 6A 11 01 00 00 0E 00 00 00 0C 65 F7"};
        // The stereo delay's values as the instrument loads them (bytes 13..24): FeedBack Mode "Cross",
        // delays 20 and 30 ms, phases inverted and normal, feedback +40 %, damp step 5, gains, balance and
        // level.
        const TBytes values = {1, 20, 30, 1, 0, 69, 5, 16, 14, 50, 100, 9};
        LoadOnTypeChange(Patch, values);
        TFormEffect* editor = Patch ? OpenPatchEffects() : OpenPerformanceEffects();
        ASSERT_NE(editor, nullptr);
        ShowPage(editor, 1);
        this->ChooseItem(editor->EFXType, 16);
        ASSERT_TRUE(FetchEnded(editor));
        EXPECT_EQ(this->Received(), sent);
        EXPECT_FALSE(editor->Timer->GetEnabled());
        const int shift = Patch ? 0 : 1;
        for (int i = 0; i < 12; ++i) {
            const std::uint8_t stored =
                Patch ? patch_->Common->GetParam(13 + i) : performance_->Common->GetParam(13 + shift + i);
            EXPECT_EQ(stored, values[static_cast<std::size_t>(i)]) << i;
        }
        EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 1))->GetCode(), 20);
        EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 2))->GetCode(), 30);
        EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 3))->GetCode(), 40);
        EXPECT_EQ(dynamic_cast<TComboBox*>(Param(editor, 4))->GetItemIndex(), 1);
        EXPECT_EQ(dynamic_cast<TComboBox*>(Param(editor, 5))->GetItemIndex(), 1);
        EXPECT_EQ(dynamic_cast<TComboBox*>(Param(editor, 6))->GetItemIndex(), 0);
        EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 7))->GetCode(), 5);
        EXPECT_EQ(dynamic_cast<TMyEdit*>(Param(editor, 8))->GetCode(), 1);
        EXPECT_EQ(dynamic_cast<TPanSlider*>(Param(editor, 11))->GetValue(), 100);
        // "Feedback" one step up: +42 %, at the patch's or the performance's own place.
        this->Sim.ClearLog();
        this->StepField(dynamic_cast<TMyEdit*>(Param(editor, 3)), true, 1);
        EXPECT_TRUE(Messages(1));
        EXPECT_EQ(this->Received(), (std::vector<std::string>{DataSet(Patch, 18 + shift, 70)}));
        // Undo writes the element's own byte back.
        this->Sim.ClearLog();
        this->Click(editor->BtnUndo);
        EXPECT_TRUE(Messages(1));
        EXPECT_EQ(this->Received(), (std::vector<std::string>{DataSet(Patch, 18 + shift, 69)}));
        EXPECT_TRUE(this->Boxes.empty());
        editor->Close();
        RunQueue();
    }

    // One control of each kind on each page, on a patch: its one data set.
    void EachKindOfControlSendsItsDataSet() {
        patch_->Common->Data()[12] = 16;
        TFormEffect* editor = OpenPatchEffects();
        ASSERT_NE(editor, nullptr);
        struct TRow {
            const char* Name;
            int Page;
            std::function<void(TFormEffect*)> Input;
            std::string Sent;
        };
        const std::vector<TRow> rows = {
            {"page 1 slider: chorus level", 0,
             [this](TFormEffect* e) { this->DragSliderTo(e->ChorusLevel->Slider(), 100); },
             "F0 41 10 6A 12 03 00 00 21 64 78 F7"},
            {"page 1 combo: reverb type Hall 1", 0, [this](TFormEffect* e) { this->ChooseItem(e->Reverbtype, 4); },
             DataSet(true, 39, 4)},
            {"page 1 arrow: HF damp next", 0, [this](TFormEffect* e) { this->Click(e->Successivo); },
             DataSet(true, 42, 1)},
            {"page 2 slider: Level", 1,
             [this](TFormEffect* e) { this->DragSliderTo(dynamic_cast<TPanSlider*>(Param(e, 11))->Slider(), 64); },
             DataSet(true, 23, 64)},
            {"page 2 spin: Feedback", 1,
             [this](TFormEffect* e) { this->StepField(dynamic_cast<TMyEdit*>(Param(e, 3)), false, 1); },
             DataSet(true, 18, 0)},
            {"page 2 combo: FeedBack Mode Cross", 1,
             [this](TFormEffect* e) { this->ChooseItem(dynamic_cast<TComboBox*>(Param(e, 4)), 1); },
             DataSet(true, 13, 1)},
        };
        patch_->Common->Data()[18] = 1;
        editor->UpDateView(true);
        for (const TRow& row : rows) {
            SCOPED_TRACE(row.Name);
            ShowPage(editor, row.Page);
            this->Sim.ClearLog();
            row.Input(editor);
            EXPECT_TRUE(Messages(1));
            EXPECT_EQ(this->Received(), (std::vector<std::string>{row.Sent}));
        }
        EXPECT_TRUE(this->Boxes.empty());
    }

    // Whether messages travel on their own (a real transport) rather than within the call that sends.
    bool Async = false;
    TFormLibrary* library_ = nullptr;
    TPatch* patch_ = nullptr;
    TPerformance* performance_ = nullptr;
    TFormPatch* window_ = nullptr;
};

using EffectsFixture = EffectsOn<Editors>;

}  // namespace zel::test
