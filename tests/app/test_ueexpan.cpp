// The expansion setup: its lists and their texts, Settings > Expansion by real clicks, the codes and the
// data-card flag stored in the settings file, and an open window that follows the data-card setting.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "ScreenInput.h"
#include "app/Ueexpan.h"
#include "app/Ueglobal.h"
#include "app/Uelibrar.h"
#include "model/Library.h"

namespace zel::test {
namespace {

// A window that follows the data-card setting and counts what it is told.
class TCardRowsWindow : public TForm, public IDataCardView {
public:
    explicit TCardRowsWindow(TComponent* AOwner) : TForm(AOwner) {}
    void DataCardChanged() override { Rows = ZelmoHolder->Config->Installed == 1 ? 7 : 4; }
    int Rows = 7;
};

class Expansion : public Program {
protected:
    // Opens a list with a click and clicks one of its items.
    static void Choose(TComboBox* combo, int index) {
        ClickScreen(ScreenPoint(combo, 20, 8));
        ASSERT_TRUE(combo->GetDroppedDown());
        TComboListBox* list = combo->ListBox();
        const TRect r = list->ItemRect(index);
        ClickScreen(ScreenPoint(list, r.left + 20, (r.top + r.bottom) / 2));
    }
    // Settings > Expansion; Act runs once while the modal window is up.
    void ShowExpansion(const std::function<void()>& Act) {
        bool done = false;
        Application->OnIdle = [&](TObject*, bool& idleDone) {
            idleDone = true;
            if (done || !FormExpansion->GetVisible()) return;
            done = true;
            Act();
        };
        Click(Formzelmo->SetExpansionItem);
        Application->OnIdle = nullptr;
        EXPECT_TRUE(done);
    }
};

std::vector<std::string> Texts(TComboBox* combo) {
    std::vector<std::string> texts;
    for (int i = 0; i < combo->Items()->Count(); ++i) texts.push_back(combo->Items()->Strings(i));
    return texts;
}

TEST_F(Expansion, TheListsHoldTheBoardsAndCardsWithTheirStoredTexts) {
    StartAndWaitOutTheIntro();
    ASSERT_NE(FormExpansion, nullptr);
    const std::vector<std::string> boards = {"( None )",
                                             "Pop        ",
                                             "Orchestral     ",
                                             "Piano        ",
                                             "Vintage      ",
                                             "World        ",
                                             "Dance       ",
                                             "Zelmo Sound      ",
                                             "Key S60S70S     ",
                                             "Session ",
                                             "Bass & Drum",
                                             "Techno",
                                             "Hip Hop",
                                             "Vocal",
                                             "Asia",
                                             "Special EFX",
                                             "Orchestral II",
                                             "Country"};
    for (TComboBox* slot : {FormExpansion->ExpA, FormExpansion->ExpB, FormExpansion->ExpC, FormExpansion->ExpD}) {
        EXPECT_EQ(Texts(slot), boards) << slot->GetName();
        EXPECT_EQ(slot->GetStyle(), csDropDownList);
    }
    EXPECT_EQ(Texts(FormExpansion->PcmCard),
              (std::vector<std::string>{"( None )", "Piano Selection", "Guitar & Brass", "Rock Drums", "Gand Piano",
                                        "Accordition", "Baroque", "Orchestral FX", "Country, Blue Grass, Folk"}));
    EXPECT_EQ(FormExpansion->Caption(), "Expansion Setup");
    EXPECT_EQ(FormExpansion->HelpContext, 8);
    EXPECT_EQ(FormExpansion->DataCard->Caption(), " Data Card Installed");
}

TEST_F(Expansion, OkStoresTheChoicesAndAClearedCardTakesAGlobalWindowToFourRows) {
    StartAndWaitOutTheIntro();
    TConfig& config = *ZelmoHolder->Config;
    config.ExpB = 5;
    config.Installed = 1;
    // A global's window, open in a library window: 7 rows while a data card is installed.
    auto* library = new TLibrary;
    library->Elements.push_back(CreateElementOfType(etGlobal, library));
    library->Saved = 1;
    TFormLibrary::OpenLibrary(Formzelmo, *library, false);
    library->Elements.front()->OpenEditor();
    ProcessPendingMessages();
    auto* global = dynamic_cast<TFormGlobal*>(library->Elements.front()->Window);
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(global->DrawGrid->GetRowCount(), 7);
    std::string screenshot;
    ShowExpansion([&] {
        // What the settings hold, on show.
        EXPECT_EQ(FormExpansion->ExpA->GetItemIndex(), 0);
        EXPECT_EQ(FormExpansion->ExpB->GetItemIndex(), 5);
        EXPECT_TRUE(FormExpansion->DataCard->GetChecked());
        Choose(FormExpansion->ExpA, 3);
        Choose(FormExpansion->ExpD, 17);
        Choose(FormExpansion->PcmCard, 8);
        ClickScreen(ScreenPoint(FormExpansion->DataCard, 6, 8));
        screenshot = ScreenshotPath("expansion_setup");
        EXPECT_TRUE(SaveWindowImage(FormExpansion->GetHandle(), screenshot));
        ClickScreen(ScreenPoint(FormExpansion->BitBtn1, 10, 10));
    });
    std::printf("screenshot: %s\n", screenshot.c_str());
    EXPECT_FALSE(FormExpansion->GetVisible());
    EXPECT_EQ(global->DrawGrid->GetRowCount(), 4);
    EXPECT_EQ(config.ExpA, 3);
    EXPECT_EQ(config.ExpB, 5);
    EXPECT_EQ(config.ExpD, 17);
    EXPECT_EQ(config.PCMCard, 8);
    EXPECT_EQ(config.Installed, 0);
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Expansion", "ExpA", -1), 3);
    EXPECT_EQ(ini.ReadInteger("Expansion", "ExpB", -1), 5);
    EXPECT_EQ(ini.ReadInteger("Expansion", "ExpC", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Expansion", "ExpD", -1), 17);
    EXPECT_EQ(ini.ReadInteger("Expansion", "PCMCard", -1), 8);
    EXPECT_EQ(ini.ReadInteger("Data Card", "Installed", -1), 0);
}

TEST_F(Expansion, CancelChangesNothingAndAnUnchangedCardLeavesTheWindowsAlone) {
    StartAndWaitOutTheIntro();
    auto* global = new TCardRowsWindow(Application);
    global->Rows = 0;  // told nothing
    ShowExpansion([&] {
        Choose(FormExpansion->ExpC, 2);
        ClickScreen(ScreenPoint(FormExpansion->BitBtn2, 10, 10));
    });
    EXPECT_EQ(ZelmoHolder->Config->ExpC, 0);
    EXPECT_FALSE(TIniFile(SettingsFileName).ValueExists("Expansion", "ExpC"));
    ShowExpansion([&] {
        Choose(FormExpansion->ExpC, 2);
        ClickScreen(ScreenPoint(FormExpansion->BitBtn1, 10, 10));
    });
    EXPECT_EQ(ZelmoHolder->Config->ExpC, 2);
    EXPECT_EQ(global->Rows, 0);
    delete global;
}

}  // namespace
}  // namespace zel::test
