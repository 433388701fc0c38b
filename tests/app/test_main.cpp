// The program's start-up and its main window: the intro that holds the main window disabled until the rest
// of the start-up has run, the menu items and their enabled states, the default MIDI input, the audition
// on Shift + right button, and closing with the settings it writes.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

namespace zel::test {
namespace {

TEST_F(Program, TheIntroHoldsTheMainWindowDisabledForTwoSecondsThenTheStartUpRunsOnce) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Preview", "Velocity", 77);
        ini.WriteInteger("Monitor", "Open", 1);
        ini.WriteInteger("Keyboard", "Open", 1);
    }
    AttachInstrument();
    Start();
    ASSERT_NE(Formzelmo, nullptr);
    ASSERT_NE(Formintro, nullptr);
    EXPECT_EQ(Application->MainForm, Formzelmo);
    EXPECT_FALSE(Formzelmo->GetEnabled());
    EXPECT_TRUE(Formintro->GetVisible());
    EXPECT_EQ(Formintro->GetFormStyle(), fsStayOnTop);
    EXPECT_EQ(Formintro->GetBorderStyle(), bsNone);
    EXPECT_EQ(Formintro->GetWidth(), 514);
    EXPECT_EQ(Formintro->GetHeight(), 324);
    EXPECT_EQ(Formintro->LabelVer->Caption(), "Version 3.0 for Windows 95-Vista");
    // No picture beside the program: the window shows without one, and says nothing.
    EXPECT_TRUE(Formintro->ImageIntro->Picture()->Empty());
    EXPECT_TRUE(Boxes.empty());

    Wait(1999);
    EXPECT_FALSE(Formzelmo->GetEnabled());
    EXPECT_EQ(FormInOut, nullptr);
    EXPECT_FALSE(Application->OnMessage);
    EXPECT_EQ(ZelmoHolder->Config->Velocity, 0);

    Wait(1);
    // The secondary windows exist in their order, the port dialog last with the ports open.
    ASSERT_NE(FormeditorAbout, nullptr);
    ASSERT_NE(FormTransmet, nullptr);
    ASSERT_NE(FormInOut, nullptr);
    std::vector<std::string> made;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i)))
            if (f != Formzelmo && f != Formintro) made.push_back(f->ClassName());
    // (The random bank window is made with the main window and the intro, before the others.)
    EXPECT_EQ(made, (std::vector<std::string>{"TFormRandom", "TFormeditorAbout", "TFormExpansion", "TFormNames",
                                              "TFormUpdateNames", "TFormEdit", "TFormcomment", "TFormTransmet",
                                              "TFormSearch", "TFormPreviewSetup", "TFormMorph", "TFormInOut"}));
    EXPECT_EQ(DevicesOpen, 1);
    EXPECT_TRUE(Application->OnMessage);
    EXPECT_EQ(ZelmoHolder->Config->Velocity, 77);
    EXPECT_TRUE(Formzelmo->GetEnabled());
    EXPECT_EQ(Formintro, nullptr);
    // The windows of the last session: the monitor first, then the keyboard (on top, the first child).
    EXPECT_EQ(ChildClasses(), (std::vector<std::string>{"TFormKeyboard", "TFormMonitor"}));
    EXPECT_NE(Formzelmo->FormMonitor, nullptr);

    // The timer ran once: nothing is made twice.
    Wait(5000);
    EXPECT_EQ(Formzelmo->MDIChildCount(), 2);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(Program, TheIntroShowsItsPictureFromTheProgramFolder) {
    std::filesystem::copy_file(ZELMOVI_INTRO_PICTURE, Folder() + "/introJV.bmp");
    AttachInstrument();
    Start();
    const TBitmap* picture = Formintro->ImageIntro->Picture();
    EXPECT_EQ(picture->GetWidth(), 514);
    EXPECT_EQ(picture->GetHeight(), 324);
    EXPECT_TRUE(SaveWindowImage(Formintro->GetHandle(), ScreenshotPath("intro")));
}

TEST_F(Program, ASecondaryWindowThatFailsEndsTheProgramAfterItsMessage) {
    std::vector<TSecondaryWindow>& windows = SecondaryWindows();
    const std::vector<TSecondaryWindow> saved = windows;
    windows.insert(windows.begin() + 1, {"TFormFailing", [] { throw Exception("Cannot read Names.Txt"); }});
    AttachInstrument();
    Start();
    Wait(2000);
    windows = saved;
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Out of Memory or Resource."}));
    // The windows after the failing one are not made, nor is the rest of the start-up done.
    EXPECT_NE(FormeditorAbout, nullptr);
    EXPECT_EQ(FormTransmet, nullptr);
    EXPECT_EQ(FormInOut, nullptr);
    EXPECT_FALSE(Application->OnMessage);
    EXPECT_EQ(Formintro, nullptr);
    // The program ends: its message loop is told to end instead of waiting behind a disabled main window.
    EXPECT_TRUE(QuitPosted());
}

TEST_F(Program, WithoutAMidiSystemTheMessageShowsAboveTheIntroAndTheProgramStarts) {
    std::filesystem::copy_file(ZELMOVI_INTRO_PICTURE, Folder() + "/introJV.bmp");
    bool introShown = false;
    SetMessageBoxAnswerer([&](const TMessageBoxRequest& r) {
        Boxes.push_back(r);
        // The intro is still there, on top, while the message asks.
        introShown = Formintro != nullptr && Formintro->GetVisible();
        if (introShown) SaveWindowImage(Formintro->GetHandle(), ScreenshotPath("intro-no-midi"));
        return IDOK;
    });
    Start();
    Wait(2000);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"No midi system installed"}));
    EXPECT_TRUE(introShown);
    EXPECT_EQ(DevicesOpen, 0);
    EXPECT_TRUE(Formzelmo->GetEnabled());
    EXPECT_EQ(Formintro, nullptr);
}

// ------------------------------------------------------------------------------------------ main window

TEST_F(Program, TheMainWindowHasItsMenusItsTrashAndItsPictures) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    EXPECT_EQ(f->Caption(), "Zelmovi 3.0");
    EXPECT_EQ(f->HelpContext, 25);
    EXPECT_EQ(f->GetFormStyle(), fsMDIForm);
    EXPECT_EQ(Application->HelpFile, Folder() + "/ZELMO.chm");
    EXPECT_EQ(f->FileImportFrom->GetCaption(), "Import From XP");
    EXPECT_EQ(f->FileExportto->GetCaption(), "Export To XP");
    EXPECT_EQ(f->ubBarManager1->GetStyle(), bmsOffice11);
    EXPECT_EQ(f->ubBarManager1->GetImages(), f->ImageListMenu);
    EXPECT_EQ(f->ubBarManager1->GetBars()->Count(), 2);
    EXPECT_EQ(f->ubBarManager1->ItemCount(), 27);
    EXPECT_GE(f->ImageListMenu->Count(), 18);
    // The trash panel keeps to the lower right corner, the empty picture showing.
    EXPECT_TRUE(f->PanelTrash->GetVisible());
    for (auto [w, h] : {std::pair{800, 600}, std::pair{640, 480}}) {
        f->SetWindowState(wsNormal);
        f->SetBounds(0, 0, w, h);
        EXPECT_EQ(f->PanelTrash->GetLeft(), f->ClientWidth() - f->PanelTrash->GetWidth() - 15);
        EXPECT_EQ(f->PanelTrash->GetTop(), f->ClientHeight() - f->PanelTrash->GetHeight() - 15);
    }
    EXPECT_TRUE(f->TrashVuoto->GetVisible());
    EXPECT_FALSE(f->TrashPieno->GetVisible());
    EXPECT_FALSE(f->TrashVuoto->Picture()->Empty());
    EXPECT_FALSE(f->TrashPieno->Picture()->Empty());
    // The panel has a sunken edge: dark at its top left, light at its bottom right.
    const HWND panel = f->PanelTrash->GetHandle();
    EXPECT_NE(GetWindowLongPtr(panel, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(ComposedPixel(panel, 0, f->PanelTrash->GetHeight() / 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ComposedPixel(panel, f->PanelTrash->GetWidth() - 1, f->PanelTrash->GetHeight() / 2),
              GetSysColor(COLOR_BTNHIGHLIGHT));
    // The picture is transparent: its corner shows the panel, not the picture's background colour.
    const TImage* trash = f->TrashVuoto;
    const int corner = (trash->GetWidth() - trash->Picture()->GetWidth()) / 2;
    EXPECT_EQ(ComposedPixel(f->PanelTrash->GetHandle(), trash->GetLeft() + corner, trash->GetTop() + corner),
              ColorToCOLORREF(f->PanelTrash->GetColor()));
    for (TBitBtn* glyph :
         {f->Patch, f->PatchBank, f->Performance, f->PerformanceBank, f->Rhythm, f->RhythmBank, f->global, f->System}) {
        EXPECT_FALSE(glyph->GetVisible()) << glyph->GetName();
        EXPECT_FALSE(glyph->Glyph()->Empty()) << glyph->GetName();
    }
    EXPECT_EQ(f->PatchBank->Glyph()->GetWidth(), 32);
    EXPECT_EQ(f->Patch->Glyph()->GetWidth(), 16);
    ASSERT_NE(f->TrashLibrary, nullptr);
    EXPECT_NE(f->DragInfo, nullptr);
    EXPECT_NE(f->Clipboard, nullptr);
    // The audition and drag cursors are the program's own.
    EXPECT_EQ(Screen->Cursors(-20), LoadCursor(nullptr, "CURSOR_1"));
    EXPECT_EQ(Screen->Cursors(crDrag), LoadCursor(nullptr, "CURSOR_3"));
    EXPECT_NE(LoadCursor(nullptr, "CURSOR_1"), nullptr);
    // The model reaches the windows through the main window.
    EXPECT_EQ(ModelServices().Windows, f);
    EXPECT_NE(ModelServices().FileDialogs, nullptr);
    EXPECT_NE(ModelServices().MessageBoxes, nullptr);
    EXPECT_EQ(ModelServices().Printer, &ProgramPrinter());
    EXPECT_EQ(DefaultDataFolder(), Folder() + "/Documents/Corvandile/ZelmoviXP");
    f->SetBounds(0, 0, 800, 600);
    EXPECT_TRUE(SaveWindowImage(f->GetHandle(), ScreenshotPath("main-window")));
    EXPECT_TRUE(SaveWindowImage(panel, ScreenshotPath("main-trash-panel")));
}

// The enabled state of the items with no child, the keyboard, the monitor or both open.
TEST_F(Program, MenuItemsFollowTheOpenWindows) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    struct TCase {
        const char* name;
        bool keyboard, monitor;
    };
    for (const TCase c : {TCase{"no child", false, false}, TCase{"keyboard only", true, false},
                          TCase{"monitor only", false, true}, TCase{"both", true, true}}) {
        SCOPED_TRACE(c.name);
        if (c.keyboard) Click(f->GadgetsKeyboardItem);
        if (c.monitor) Click(f->GadgetsMonitorItem);
        const bool any = c.keyboard || c.monitor;
        for (TubBarItem* item : {f->FileCloseItem, f->FileSaveItem, f->FileSaveAsItem, f->FilePrintItem,
                                 f->FileExportto, f->FileSaveAllItem})
            EXPECT_FALSE(item->GetEnabled()) << item->GetName();
        for (TubBarItem* item :
             {f->FileNewItem, f->FileOpenItem, f->FileImportFrom, f->FileExitItem, f->SetMidiMidiPortItem,
              f->SetPreviewItem, f->SetExpansionItem, f->SetPatchAndPerf, f->Index1, f->HelpAboutItem})
            EXPECT_TRUE(item->GetEnabled()) << item->GetName();
        EXPECT_EQ(f->GadgetsKeyboardItem->GetEnabled(), !c.keyboard);
        EXPECT_EQ(f->GadgetsMonitorItem->GetEnabled(), !c.monitor);
        for (TubBarItem* item : {f->WindowCascadeItem, f->WindowTileItem, f->WindowArrangeItem, f->WindowMinimizeItem})
            EXPECT_EQ(item->GetEnabled(), any) << item->GetName();
        EXPECT_EQ(f->FileExportto->GetEnabled(), f->FileSaveItem->GetEnabled());
        // A disabled item does nothing when clicked: no second keyboard or monitor.
        Click(f->GadgetsKeyboardItem);
        Click(f->GadgetsMonitorItem);
        EXPECT_EQ(f->MDIChildCount(), int(c.keyboard) + int(c.monitor) + int(!c.keyboard) + int(!c.monitor));
        // Closed again, both items come back.
        for (int i = f->MDIChildCount() - 1; i >= 0; --i) f->MDIChildren(i)->Close();
        ProcessPendingMessages();
        EXPECT_EQ(f->MDIChildCount(), 0);
        EXPECT_TRUE(f->GadgetsKeyboardItem->GetEnabled());
        EXPECT_TRUE(f->GadgetsMonitorItem->GetEnabled());
        EXPECT_EQ(f->FormMonitor, nullptr);
    }
}

TEST_F(Program, WindowItemsArrangeAndMinimizeTheChildren) {
    StartAndWaitOutTheIntro();
    TFormzelmo* f = Formzelmo;
    Click(f->GadgetsKeyboardItem);
    Click(f->GadgetsMonitorItem);
    Click(f->WindowMinimizeItem);
    for (int i = 0; i < f->MDIChildCount(); ++i) EXPECT_EQ(f->MDIChildren(i)->GetWindowState(), wsMinimized);
    for (TubBarItem* item : {f->WindowCascadeItem, f->WindowTileItem, f->WindowArrangeItem})
        EXPECT_NO_THROW(Click(item)) << item->GetName();
    EXPECT_EQ(f->MDIChildCount(), 2);
}

TEST_F(Program, HelpAndAboutItems) {
    StartAndWaitOutTheIntro();
    Click(Formzelmo->Index1);
    EXPECT_EQ(Application->LastHelpContext, 20);
    Application->LastHelpContext = 0;
    Formzelmo->SpeedHelpClick(Formzelmo);
    EXPECT_EQ(Application->LastHelpContext, 20);
    // About shows modally; it closes when its Close button is pressed.
    PostMessage(FormeditorAbout->OKButton->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessage(FormeditorAbout->OKButton->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    Click(Formzelmo->HelpAboutItem);
    EXPECT_FALSE(FormeditorAbout->GetVisible());
}

// ---------------------------------------------------------------------------------------- MIDI input

TEST_F(Program, IncomingMessagesReachTheMonitorAndWithThruGoBackOut) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Midi", "Thrue", 1);
    }
    StartAndWaitOutTheIntro();
    Click(Formzelmo->GadgetsMonitorItem);
    TFormMonitor* monitor = Formzelmo->FormMonitor;
    ASSERT_NE(monitor, nullptr);
    Sim.ClearLog();
    const TBytes sysex{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x7C, 0xF7};
    ASSERT_TRUE(Backend.Inject("JV-1080", TBytes{0x90, 0x3C, 0x50}));
    ASSERT_TRUE(Backend.Inject("JV-1080", sysex));
    ProcessPendingMessages();
    const TLines both{"90 3C 50", " F0 41 10 6A 12 03 00 00 00 01 7C F7 "};
    EXPECT_EQ(Lines(monitor->MemoInput), both);
    EXPECT_EQ(Lines(monitor->MemoOutput), both);
    // Only the short message is passed on to the output.
    EXPECT_EQ(Sim.ReceivedMessages(), (std::vector<TBytes>{{0x90, 0x3C, 0x50}}));
}

// ------------------------------------------------------------------------------------------- audition

TEST_F(Program, ShiftAndTheRightButtonAuditionThePreviewNote) {
    {
        TIniFile ini(SettingsFileName);
        ini.WriteInteger("Preview", "Single Note", 1);
        ini.WriteInteger("Preview", "Note", 64);
        ini.WriteInteger("Preview", "Velocity", 90);
    }
    StartAndWaitOutTheIntro();
    ASSERT_EQ(ZelmoHolder->Config->SingleNote, 1);
    PreviewChannel = 2;
    Sim.ClearLog();
    // The messages go through the application's loop, where its message hook sees them.
    HWND client = Formzelmo->ClientHandle();
    const LPARAM at = MAKELPARAM(100, 100);

    // A release with no audition sounding does nothing.
    PostMessage(client, WM_RBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_TRUE(Sim.ReceivedMessages().empty());
    EXPECT_EQ(Screen->GetCursor(), crDefault);

    PostMessage(client, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, at);
    Application->ProcessMessages();
    EXPECT_EQ(Sim.ReceivedMessages(), (std::vector<TBytes>{{0x91, 64, 90}}));
    EXPECT_EQ(Screen->GetCursor(), -20);
    PostMessage(client, WM_RBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_EQ(Sim.ReceivedMessages(), (std::vector<TBytes>{{0x91, 64, 90}, {0x81, 64, 0}}));
    EXPECT_EQ(Screen->GetCursor(), crDefault);

    // Without Shift the right button starts nothing.
    PostMessage(client, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessage(client, WM_RBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_EQ(Sim.ReceivedMessages().size(), 2u);
    PreviewChannel = 1;
}

TEST_F(Program, TheListsTimerStartsOneAuditionAndStops) {
    StartAndWaitOutTheIntro();
    ZelmoHolder->Config->SingleNote = 1;
    ZelmoHolder->Config->Note = 60;
    ZelmoHolder->Config->Velocity = 100;
    Sim.ClearLog();
    Formzelmo->TimerPreview->SetEnabled(true);
    Wait(1000);
    Wait(3000);
    EXPECT_EQ(Sim.ReceivedMessages(), (std::vector<TBytes>{{0x90, 60, 100}}));
    EXPECT_FALSE(Formzelmo->TimerPreview->GetEnabled());
    EXPECT_EQ(Screen->GetCursor(), -20);
    Screen->SetCursor(crDefault);

    // An audition that fails (a MIDI file and no player) says so once and is not tried again.
    ZelmoHolder->Config->SingleNote = 0;
    Formzelmo->TimerPreview->SetEnabled(true);
    Wait(1000);
    Wait(3000);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Unable to Open Midi File."});
    EXPECT_FALSE(Formzelmo->TimerPreview->GetEnabled());
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(DevicesOpen, 1);
}

// -------------------------------------------------------------------------------------------- closing

TEST_F(Program, ExitWritesWhichToolWindowsWereOpenAndTheNextStartReopensThem) {
    StartAndWaitOutTheIntro();
    Click(Formzelmo->GadgetsKeyboardItem);
    Click(Formzelmo->GadgetsMonitorItem);
    Click(Formzelmo->FileExitItem);
    {
        TIniFile ini(SettingsFileName);
        EXPECT_EQ(ini.ReadInteger("Monitor", "Open", -1), 1);
        EXPECT_EQ(ini.ReadInteger("Keyboard", "Open", -1), 1);
        EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 0);
    }
    // The children were closed, the window is gone and the program is told to end.
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(Formzelmo, nullptr);
    EXPECT_EQ(Application->MainForm, nullptr);

    FreeLastingWindows();
    Start();
    Wait(2000);
    EXPECT_EQ(ChildClasses(), (std::vector<std::string>{"TFormKeyboard", "TFormMonitor"}));
    // Closed with nothing open, both entries say so.
    for (int i = Formzelmo->MDIChildCount() - 1; i >= 0; --i) Formzelmo->MDIChildren(i)->Close();
    ProcessPendingMessages();
    Formzelmo->Close();
    TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Monitor", "Open", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Open", -1), 0);
}

}  // namespace
}  // namespace zel::test
