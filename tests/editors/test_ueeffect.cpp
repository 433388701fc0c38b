// The effects editor, driven by real mouse and key input: the exact data sets each control sends on a
// patch and on a performance, the parameter panel of every EFX type, the fetch of a type's values with
// its failures, the undo history of each page and the drawings.
#include <gtest/gtest.h>

#include <functional>

#include "EffectsFixture.h"
#include "model/CurrentElements.h"

namespace zel::test {
namespace {

class EffectsEditor : public EffectsFixture {};

TEST_F(EffectsEditor, OpensForAPatchAndForAPerformance) {
    TFormEffect* patchEditor = OpenPatchEffects();
    ASSERT_NE(patchEditor, nullptr);
    EXPECT_EQ(patchEditor->HelpContext, 6);
    EXPECT_EQ(patchEditor->Caption(), "P0 [Effects] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_FALSE(patchEditor->Panelefxsource->GetVisible());
    EXPECT_EQ(patchEditor->EfxReverbsendlevel->GetLeft(), 78);
    EXPECT_EQ(patchEditor->EfxChorusSendLevel->GetLeft(), 222);
    EXPECT_EQ(patchEditor->TabbedNotebook1->GetPageIndex(), 0);
    EXPECT_EQ(patchEditor->EFXType->Items()->Count(), 40);
    EXPECT_EQ(patchEditor->EFXType->Items()->Strings(0), "  1 : Stereo Equalizer");
    EXPECT_EQ(patchEditor->EFXType->Items()->Strings(9), "10 : Limiter");
    EXPECT_EQ(patchEditor->EFXType->GetDropDownCount(), 15);
    // A second double click brings the same editor to the front.
    DoubleClick(window_->Effects);
    EXPECT_EQ(patch_->Common->Editors[TCommon::ceEffects].EditorForm, patchEditor);

    TFormEffect* perfEditor = OpenPerformanceEffects();
    ASSERT_NE(perfEditor, nullptr);
    EXPECT_EQ(perfEditor->HelpContext, 41);
    EXPECT_EQ(perfEditor->Caption(), "Perf         [Effects] [Loc : " + library_->Library()->GetName() + "]");
    EXPECT_TRUE(perfEditor->Panelefxsource->GetVisible());
    EXPECT_EQ(perfEditor->EfxReverbsendlevel->GetLeft(), 8);
    EXPECT_EQ(perfEditor->EfxChorusSendLevel->GetLeft(), 152);
    EXPECT_EQ(perfEditor->efxsource->Items()->Count(), 16);
    EXPECT_EQ(perfEditor->efxsource->Items()->Strings(10), "11");
    EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

class EffectsScreens : public EffectsFixture {};

TEST_F(EffectsScreens, BothPagesForAPatchAndAPerformanceAndTheFortyDiagrams) {
    patch_->Common->Data()[12] = 16;
    patch_->Common->Data()[42] = 9;
    TFormEffect* editor = OpenPatchEffects();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath("effects-patch-page-1")));
    ShowPage(editor, 1);
    EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath("effects-patch-page-2")));
    TFormEffect* perf = OpenPerformanceEffects();
    EXPECT_TRUE(SaveWindowImage(perf->GetHandle(), ScreenshotPath("effects-performance-page-1")));
    ShowPage(perf, 1);
    EXPECT_TRUE(SaveWindowImage(perf->GetHandle(), ScreenshotPath("effects-performance-page-2")));
    for (int type = 1; type <= EfxTypeCount; ++type) {
        SCOPED_TRACE(type);
        editor->EFXType->SetItemIndex(type - 1);
        editor->DrawEfxDiagram();
        ProcessPendingMessages();
        EXPECT_TRUE(SaveWindowImage(editor->Panel23->GetHandle(), ScreenshotPath("efx-diagram-" + std::to_string(type))));
    }
}

}  // namespace
}  // namespace zel::test
