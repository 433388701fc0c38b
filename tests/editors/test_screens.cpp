// What the editor windows look like: the patch window with highlighted sections, both pages of the common
// editor and the ten structure pictures, as PNG files in the test output, with the pixels that matter.
#include <gtest/gtest.h>

#include "EditorsFixture.h"
#include "SystemFixture.h"

namespace zel::test {
namespace {

class EditorScreens : public Editors {};

constexpr COLORREF Aqua = RGB(0, 255, 255);

TEST_F(EditorScreens, ThePatchWindowShowsItsHighlightedSections) {
    TFormLibrary* library = OpenLibraryOf(1);
    TPatch& patch = PatchOf(library, 0);
    patch.SetName("Warm Pad", false);
    patch.Tone(1).Data()[0] = 1;
    patch.Tone(2).Data()[0] = 1;
    TFormPatch* window = OpenPatch(patch);
    // A press on a tone's free area highlights its sections; Ctrl adds sections of one tone.
    Click(window->SectionPanel("Pitch3"));
    Click(window->SectionPanel("TVF"), {VK_CONTROL});
    Click(window->SectionPanel("Tva1"), {VK_CONTROL});
    EXPECT_TRUE(SaveWindowImage(window->GetHandle(), ScreenshotPath("patch-window")));
    TPanel* tva = window->SectionPanel("Tva1");
    TPanel* pitch = window->SectionPanel("Pitch3");
    EXPECT_EQ(ComposedPixel(tva->GetHandle(), 3, 3), Aqua);
    EXPECT_EQ(ComposedPixel(window->SectionPanel("TVF")->GetHandle(), 3, 3), Aqua);
    EXPECT_NE(ComposedPixel(pitch->GetHandle(), 3, 3), Aqua) << "a Ctrl-press in another tone cleared it";
    // A click on the background clears every highlight.
    Press(ScreenPoint(window->Shader1, 470, 200));
    EXPECT_NE(ComposedPixel(tva->GetHandle(), 3, 3), Aqua);
}

TEST_F(EditorScreens, BothPagesOfTheCommonEditorAndTheTenStructures) {
    TFormLibrary* library = OpenLibraryOf(1);
    TPatch& patch = PatchOf(library, 0);
    patch.SetName("Warm Pad", false);
    patch.Common->Data()[46] = 100;
    patch.Common->Data()[68] = 5;
    patch.Common->Data()[70] = 8;
    TFormPatch* window = OpenPatch(patch);
    DoubleClick(window->Common);
    auto* editor = dynamic_cast<TFormCommon*>(patch.Common->Editors[TCommon::ceCommon].EditorForm);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath("common-page-1")));
    editor->TabbedNotebook1->SetPageIndex(1);
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(editor->GetHandle(), ScreenshotPath("common-page-2")));
    // The whole window shows: the button row lies inside the client area.
    RECT client{};
    GetClientRect(editor->GetHandle(), &client);
    EXPECT_LE(editor->Panelbtn->GetTop() + editor->Panelbtn->GetHeight(), client.bottom);
    EXPECT_LE(editor->Panelbtn->GetLeft() + editor->Panelbtn->GetWidth(), client.right);
    for (int type = 0; type < 10; ++type) {
        SCOPED_TRACE(type);
        editor->Struct12 = type;
        editor->DrawStruct(editor->Image12);
        ProcessPendingMessages();
        EXPECT_EQ(editor->Label12->Caption(), "Type " + std::to_string(type + 1));
        const TBitmap* picture = editor->Image12->Picture();
        EXPECT_TRUE(SaveWindowImage(editor->Image12->GetParent()->GetHandle(),
                                    ScreenshotPath("structure-type-" + std::to_string(type + 1))));
        // Aqua behind, the rows framed in black.
        TBitmap* bitmap = const_cast<TBitmap*>(picture);
        EXPECT_EQ(ColorToRGB(bitmap->Canvas()->GetPixel(1, 1)), Aqua);
        EXPECT_EQ(ColorToRGB(bitmap->Canvas()->GetPixel(4, 16)), RGB(0, 0, 0));
    }
}

class SystemScreens : public Systems {};

TEST_F(SystemScreens, TheSystemWindowAndItsFourEditorsWithTheSetupInEachPanelMode) {
    TFormLibrary* library = OpenLibraryOfSystems(1);
    TSystem& system = SystemOf(library, 0);
    system.SetName("Studio", false);
    system.Common->Data()[0] = 0;
    system.ScaleTune(1).Data()[4] = 44;
    TFormSystem* window = OpenSystem(system);
    Click(window->SysMidi);
    EXPECT_TRUE(SaveWindowImage(window->GetHandle(), ScreenshotPath("system-window")));
    EXPECT_EQ(ComposedPixel(window->SysMidi->GetHandle(), 3, 3), Aqua);
    EXPECT_NE(ComposedPixel(window->SysSetup->GetHandle(), 3, 3), Aqua);
    TFormSysSetup* setup = OpenSetup(window);
    const std::pair<TRadioButton*, const char*> modes[] = {{setup->Performance, "system-setup-performance"},
                                                           {setup->Patch, "system-setup-patch"},
                                                           {setup->GM, "system-setup-gm"}};
    for (const auto& [radio, name] : modes) {
        Click(radio);
        EXPECT_TRUE(SaveWindowImage(setup->GetHandle(), ScreenshotPath(name)));
    }
    TFormSysMidi* midi = OpenMidi(window);
    EXPECT_TRUE(SaveWindowImage(midi->GetHandle(), ScreenshotPath("system-midi")));
    TFormSysPreview* preview = OpenPreview(window);
    EXPECT_TRUE(SaveWindowImage(preview->GetHandle(), ScreenshotPath("system-preview")));
    TFormScaleTune* tunes = OpenScaleTune(window);
    EXPECT_TRUE(SaveWindowImage(tunes->GetHandle(), ScreenshotPath("system-scale-tune")));
    EXPECT_EQ(tunes->Tune[4]->DisplayText(), " -20");
}

}  // namespace
}  // namespace zel::test
