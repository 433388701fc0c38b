#pragma once
// The effects editor of a library patch or performance, driven by real mouse and key input, with the
// instrument simulator behind the ports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorsFixture.h"
#include "editors/Ueeffect.h"
#include "model/Performance.h"

namespace zel::test {

class EffectsFixture : public Editors {
protected:
    void SetUp() override {
        Editors::SetUp();
        library_ = OpenLibraryOf(1);
        patch_ = &PatchOf(library_, 0);
        performance_ = dynamic_cast<TPerformance*>(
            library_->Library()->Elements.emplace_back(CreateElementOfType(etPerformance, library_->Library())).get());
        performance_->SetName("Perf", false);
    }
    void TearDown() override {
        Sim.AfterDataSet = nullptr;
        Editors::TearDown();
    }

    // The patch window, then its effects editor by a double click on "Effects".
    TFormEffect* OpenPatchEffects() {
        window_ = OpenPatch(*patch_);
        EXPECT_NE(window_, nullptr);
        DoubleClick(window_->Effects);
        auto* editor = dynamic_cast<TFormEffect*>(patch_->Common->Editors[TCommon::ceEffects].EditorForm);
        EXPECT_NE(editor, nullptr);
        Sim.ClearLog();
        return editor;
    }
    // The effects editor of the performance, opened as the performance window's "Effects" opens it.
    TFormEffect* OpenPerformanceEffects() {
        TFormEffect* editor = TFormEffect::Open(Formzelmo, *performance_, 0);
        RunQueue();
        EXPECT_EQ(performance_->Common->Editors[TPerformanceCommon::ceEffects].EditorForm, editor);
        Sim.ClearLog();
        return editor;
    }
    void ShowPage(TFormEffect* editor, int page) {
        ShowTab(editor->TabbedNotebook1, page);
        EXPECT_EQ(editor->TabbedNotebook1->GetPageIndex(), page);
    }
    // The one-byte data set of the temporary patch common (Patch) or performance common.
    static std::string DataSet(bool Patch, int Position, int Value) {
        return Hex(MakeDataSet(0x10, Addr(Patch ? 0x03 : 0x01, 0, 0, static_cast<std::uint8_t>(Position)),
                               {static_cast<std::uint8_t>(Value)}));
    }
    static TComponent* Param(TFormEffect* editor, int n) { return editor->FindComponent("Param" + std::to_string(n)); }
    // Loads chosen parameter values when the type byte of the temporary common changes, as the
    // instrument loads a type's defaults.
    void LoadOnTypeChange(bool Patch, const TBytes& values) {
        const std::uint32_t type = Patch ? Addr(0x03, 0, 0, 0x0C) : Addr(0x01, 0, 0, 0x0D);
        Sim.AfterDataSet = [this, type, values](std::uint32_t address, const TBytes&) {
            if (address == type) Sim.Write(type + 1, values);
        };
    }

    TFormLibrary* library_ = nullptr;
    TPatch* patch_ = nullptr;
    TPerformance* performance_ = nullptr;
    TFormPatch* window_ = nullptr;
};

}  // namespace zel::test
