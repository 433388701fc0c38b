// Every text a window can show fits where it is shown: each window of the program, each editor with all
// its pages, and the effects editor with each of its types, walked control by control; the effects
// editor and the rhythm filter editor are also written as pictures to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EffectsFixture.h"
#include "PerformanceFixture.h"
#include "SystemFixture.h"
#include "TextFit.h"
#include "ToneEditorsFixture.h"
#include "app/Main.h"
#include "app/Uebank.h"
#include "app/Uecommen.h"
#include "app/Ueedit.h"
#include "app/Ueexpan.h"
#include "app/Ueglobal.h"
#include "app/Uekeyboa.h"
#include "app/Uemonito.h"
#include "app/Uemorph.h"
#include "app/Uenames.h"
#include "app/Ueprevse.h"
#include "app/Uerandom.h"
#include "app/Uesearch.h"
#include "app/Ueupdana.h"
#include "editors/Uecontr.h"
#include "editors/Uelfo.h"
#include "editors/Uepart.h"
#include "editors/Uepecom.h"
#include "editors/Ueperfor.h"
#include "editors/Uepitch.h"
#include "editors/Uerhyma.h"
#include "editors/Uerhypi.h"
#include "editors/Uerhythm.h"
#include "editors/Uerhytva.h"
#include "editors/Uerhytvf.h"
#include "editors/Uescalet.h"
#include "editors/Uesysmid.h"
#include "editors/Uesyspre.h"
#include "editors/Uesysset.h"
#include "editors/Uesystem.h"
#include "editors/Uetva.h"
#include "editors/Uetvf.h"
#include "editors/Uewave.h"
#include "midi/dialog/Uemidiio.h"

namespace zel::test {
namespace {

template <class T>
T* ChildOf() {
    for (int i = 0; i < Formzelmo->MDIChildCount(); ++i)
        if (auto* form = dynamic_cast<T*>(Formzelmo->MDIChildren(i))) return form;
    return nullptr;
}

std::string Listed(const std::vector<std::string>& Found) {
    std::string all;
    for (const std::string& line : Found) all += line + "\n";
    return all;
}

class TextFitsPrograms : public Editors {};

TEST_F(TextFitsPrograms, EveryWindowOfTheProgram) {
    TTextFit fit;
    TFormLibrary* library = OpenLibraryOf(2);
    fit.Window("library", library);
    struct TWindowRow {
        const char* Name;
        ElementType Type;
    };
    const TWindowRow members[] = {{"patch bank", etPatchBank},
                                  {"performance bank", etPerformanceBank},
                                  {"rhythm bank", etRhythmBank},
                                  {"global", etGlobal}};
    for (const TWindowRow& row : members) {
        TLibElem& element =
            *library->Library()->Elements.emplace_back(CreateElementOfType(row.Type, library->Library()));
        element.SetName(row.Name, false);
        element.OpenEditor();
        ProcessPendingMessages();
        fit.Window(row.Name, dynamic_cast<TForm*>(element.Window));
    }
    Formzelmo->GadgetsKeyboardItemClick(nullptr);
    Formzelmo->GadgetsMonitorItemClick(nullptr);
    ProcessPendingMessages();
    fit.Window("keyboard", ChildOf<TFormKeyboard>());
    fit.Window("monitor", Formzelmo->FormMonitor);
    const std::vector<std::pair<const char*, TForm*>> tools = {
        {"search", FormSearch},       {"random", FormRandom},
        {"morph", FormMorph},         {"names", FormNames},
        {"expansion", FormExpansion}, {"preview set-up", FormPreviewSetup},
        {"comment", Formcomment},     {"properties", FormEdit},
        {"MIDI settings", FormInOut}, {"update names", FormUpdateNames},
        {"transmit", FormTransmet},   {"about", FormeditorAbout},
        {"main", Formzelmo}};
    for (const auto& [name, form] : tools) fit.Window(name, form);
    EXPECT_TRUE(fit.Overflows.empty()) << Listed(fit.Overflows);
}

class TextFitsPatch : public ToneEditors {};

TEST_F(TextFitsPatch, ThePatchWindowAndEachOfItsEditors) {
    TTextFit fit;
    fit.Window("patch", Window());
    DoubleClick(Window()->Common);
    fit.Window("patch common", dynamic_cast<TForm*>(patch_->Common->Editors[TCommon::ceCommon].EditorForm));
    fit.Window("wave", Open<TFormWave>("Wave", 1));
    fit.Window("pitch", Open<TFormPitch>("Pitch", 1));
    // The filter's name changes with its type: each of the five.
    auto* tvf = Open<TFormTVF>("TVF", 1);
    ASSERT_NE(tvf, nullptr);
    for (int type = 0; type < TFormTVF::FilterTypes; ++type) {
        fit.Window("TVF filter " + std::to_string(type), tvf);
        Click(tvf->Successivo);
    }
    fit.Window("TVA", Open<TFormTVA>("TVA", 1));
    fit.Window("LFO 1", Open<TFormLFO>("LFO1", 1));
    fit.Window("LFO 2", Open<TFormLFO>("LFO2", 1));
    fit.Window("control", Open<TFormControl>("Control", 1));
    EXPECT_TRUE(fit.Overflows.empty()) << Listed(fit.Overflows);
}

class TextFitsEffects : public EffectsFixture {
protected:
    // Each type of the effects editor, with its second page written as a picture for the types asked for.
    void EachType(TFormEffect* editor, const std::string& Name, const std::vector<int>& Pictures) {
        ASSERT_NE(editor, nullptr);
        ShowPage(editor, 1);
        TTextFit fit;
        fit.Window(Name, editor);
        for (int type = 1; type <= EfxTypeCount; ++type) {
            ChooseItem(editor->EFXType, type - 1);
            ASSERT_EQ(editor->CurrentEfxType, type);
            fit.Window(Name + " type " + std::to_string(type), editor);
            if (std::find(Pictures.begin(), Pictures.end(), type) != Pictures.end()) {
                ProcessPendingMessages();
                EXPECT_TRUE(
                    SaveWindowImage(editor->GetHandle(), ScreenshotPath(Name + "-type-" + std::to_string(type))));
            }
        }
        EXPECT_TRUE(fit.Overflows.empty()) << Listed(fit.Overflows);
    }
};

TEST_F(TextFitsEffects, EveryTypeOfThePatchsEffects) { EachType(OpenPatchEffects(), "patch-effects", {1, 15, 24, 36}); }

TEST_F(TextFitsEffects, EveryTypeOfThePerformancesEffects) {
    EachType(OpenPerformanceEffects(), "performance-effects", {});
}

class TextFitsPerformance : public PerformanceEditors {};

TEST_F(TextFitsPerformance, ThePerformanceAndRhythmWindowsAndTheirEditors) {
    TFormLibrary* library = OpenLibraryWith(1, 1);
    TTextFit fit;
    TFormPerformance* performance = OpenPerformance(ElementOf<TPerformance>(library, 0));
    fit.Window("performance", performance);
    ASSERT_NE(performance, nullptr);
    fit.Window("parts", OpenParts(performance));
    performance->BringToFront();
    ProcessPendingMessages();
    fit.Window("performance common", OpenCommon(performance));
    TFormRhythm* rhythm = OpenRhythm(ElementOf<TRhythm>(library, 1));
    fit.Window("rhythm", rhythm);
    ASSERT_NE(rhythm, nullptr);
    // Each editor opens from the rhythm window, brought up over the editors opened before.
    auto front = [&] {
        rhythm->BringToFront();
        ProcessPendingMessages();
    };
    front();
    fit.Window("rhythm main", OpenKeyEditor<TFormRhyMain>(rhythm, rhythm->RhyMain, TRhythm::reMain));
    front();
    fit.Window("rhythm pitch", OpenKeyEditor<TFormRhyPitch>(rhythm, rhythm->RhyPitch, TRhythm::rePitch));
    front();
    fit.Window("rhythm TVA", OpenKeyEditor<TFormrhyTva>(rhythm, rhythm->RhyTVA, TRhythm::reTVA));
    front();
    auto* tvf = OpenKeyEditor<TFormRhyTVF>(rhythm, rhythm->RhyTVF, TRhythm::reTVF);
    ASSERT_NE(tvf, nullptr);
    for (int type = 0; type < TFormTVF::FilterTypes; ++type) {
        fit.Window("rhythm TVF filter " + std::to_string(type), tvf);
        Click(tvf->Successivo);
    }
    // Back to the low pass filter for the picture.
    for (int type = 0; type < 3; ++type) Click(tvf->Precedente);
    ProcessPendingMessages();
    EXPECT_TRUE(SaveWindowImage(tvf->GetHandle(), ScreenshotPath("rhythm-tvf")));
    EXPECT_TRUE(fit.Overflows.empty()) << Listed(fit.Overflows);
}

class TextFitsSystem : public Systems {};

TEST_F(TextFitsSystem, TheSystemWindowAndItsEditors) {
    OpenFirstSystemOf(1);
    TTextFit fit;
    fit.Window("system", window_);
    fit.Window("system set-up", OpenSetup(window_));
    fit.Window("system MIDI", OpenMidi(window_));
    fit.Window("system preview", OpenPreview(window_));
    fit.Window("scale tune", OpenScaleTune(window_));
    EXPECT_TRUE(fit.Overflows.empty()) << Listed(fit.Overflows);
}

}  // namespace
}  // namespace zel::test
