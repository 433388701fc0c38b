// The system window, driven by real mouse input: opening from a library row, its panels and buttons, one
// window per editor and closing them with their places kept, activation, and section drags between two
// system windows with the bytes each section copies.
#include <gtest/gtest.h>

#include <functional>

#include "SystemFixture.h"
#include "app/Ueglobal.h"
#include "model/CurrentElements.h"
#include "model/Global.h"

namespace zel::test {
namespace {

class SystemWindow : public Systems {
protected:
    static void Activate(TForm* form) {
        SendMessage(Formzelmo->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(form->GetHandle()), 0);
        ProcessPendingMessages();
        SendQueued();
    }
    static TBytes CommonRange(const TSystem& system, int from, int to) {
        return TBytes(system.Common->Data() + from, system.Common->Data() + to + 1);
    }
};

TEST_F(SystemWindow, ADoubleClickOnALibraryRowOpensTheSystemWindowAfterSendingTheSystemOnce) {
    TFormLibrary* library = OpenLibraryOfSystems(2);
    TSystem& system = SystemOf(library, 1);
    system.SetName("Studio", false);
    Sim.ClearLog();
    DoubleClickRow(library, 1);
    auto* window = dynamic_cast<TFormSystem*>(system.Window);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(SystemArea(), SystemData(system));
    EXPECT_EQ(CurrentSystem, &system);
    EXPECT_EQ(window->Caption(), "Studio [Filename : Untitled.Syx]   [Loc : " + library->Library()->GetName() + "]");
    EXPECT_EQ(window->HelpContext, 58);
    EXPECT_EQ(window->GetWidth(), 400);
    EXPECT_EQ(window->GetHeight(), 138);
    struct TPanelRow {
        TPanel* Panel;
        const char* Caption;
        int Kind;
    };
    const TPanelRow panels[] = {{window->SysSetup, "Setup", skSysSetup},
                                {window->SysMidi, "Midi", skSysMidi},
                                {window->SysPreview, "Preview", skSysPreview},
                                {window->SysScaleTune, "Scale Tune", skSysScaleTune}};
    for (const TPanelRow& p : panels) {
        EXPECT_EQ(p.Panel->Caption(), p.Caption);
        EXPECT_EQ(p.Panel->GetParent(), window->PanelSystem);
        EXPECT_EQ(TDragInfo::SectionKindOfPanel(p.Panel->GetName()), p.Kind);
    }
    EXPECT_EQ(window->SpeedButton3->Hint, "Send ");
    EXPECT_EQ(window->SpeedButton2->Hint, "Receive");
    EXPECT_EQ(window->SpeedButton1->Hint, "Save as");
}

TEST_F(SystemWindow, TheSystemOfAGlobalOpensFromItsRowInTheGlobalWindow) {
    auto* library = new TLibrary;
    library->Elements.push_back(CreateElementOfType(etGlobal, library));
    TFormLibrary::OpenLibrary(Formzelmo, *library, false);
    ProcessPendingMessages();
    auto& global = dynamic_cast<TGlobal&>(*library->Elements.front());
    global.OpenEditor();
    ProcessPendingMessages();
    auto* members = dynamic_cast<TFormGlobal*>(global.Window);
    ASSERT_NE(members, nullptr);
    // Without a data card the system is the fourth row.
    ASSERT_EQ(members->MemberOfRow(3), 6);
    auto& system = dynamic_cast<TSystem&>(*global.Members[6]);
    Sim.ClearLog();
    Clock->Advance(GetDoubleClickTime() + 1);
    const POINT row = ScreenPoint(members->DrawGrid, 60, 3 * 18 + 9);
    SetCursorPos(row.x, row.y);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    RunQueue();
    SendQueued();
    auto* window = dynamic_cast<TFormSystem*>(system.Window);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->EditElem, &system);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_NE(window->Caption().find("[Loc : " + OwnerPathText(&system) + "]"), std::string::npos);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(SystemWindow, EachSectionOpensOneEditorAndClosingTheWindowClosesThemKeepingTheirPlaces) {
    TFormLibrary* library = OpenLibraryOfSystems(1);
    TSystem& system = SystemOf(library, 0);
    TFormSystem* window = OpenSystem(system);
    struct TRow {
        TPanel* Panel;
        int Slot;
        const char* Class;
    };
    const TRow rows[] = {{window->SysSetup, TSystem::seSetup, "TFormSysSetup"},
                         {window->SysMidi, TSystem::seMidi, "TFormSysMidi"},
                         {window->SysPreview, TSystem::sePreview, "TFormSysPreview"},
                         {window->SysScaleTune, TSystem::seScaleTune, "TFormScaleTune"}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Class);
        window->BringToFront();
        ProcessPendingMessages();
        DoubleClick(row.Panel);
        TEditorSlot& slot = system.Editors[static_cast<std::size_t>(row.Slot)];
        auto* editor = dynamic_cast<TForm*>(slot.EditorForm);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->ClassName(), row.Class);
        EXPECT_EQ(slot.EditorOpen, 1);
        EXPECT_EQ(Formzelmo->ActiveMDIChild(), editor);
        // A second double click brings the same editor to the front.
        window->BringToFront();
        ProcessPendingMessages();
        DoubleClick(row.Panel);
        EXPECT_EQ(slot.EditorForm, editor);
        EXPECT_EQ(Formzelmo->ActiveMDIChild(), editor);
        editor->SetBounds(20 + row.Slot * 10, 160, editor->GetWidth(), editor->GetHeight());
    }
    EXPECT_EQ(Formzelmo->MDIChildCount(), 6);
    window->Close();
    RunQueue();
    EXPECT_EQ(system.WindowOpen, 0);
    EXPECT_EQ(system.Window, nullptr);
    for (const TRow& row : rows) {
        const TEditorSlot& slot = system.Editors[static_cast<std::size_t>(row.Slot)];
        EXPECT_EQ(slot.EditorOpen, 0) << row.Class;
        EXPECT_EQ(slot.EditorForm, nullptr) << row.Class;
        EXPECT_EQ(slot.Left, 20 + row.Slot * 10) << row.Class;
        EXPECT_EQ(slot.Top, 160) << row.Class;
    }
    EXPECT_EQ(Formzelmo->MDIChildCount(), 1);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(SystemWindow, ActivatingAWindowOfASystemThatIsNotCurrentSendsItOnce) {
    TFormLibrary* library = OpenLibraryOfSystems(2);
    TFormSystem* one = OpenSystem(SystemOf(library, 0));
    TFormScaleTune* tunes = OpenScaleTune(one);
    TFormSystem* two = OpenSystem(SystemOf(library, 1));
    ASSERT_EQ(CurrentSystem, &SystemOf(library, 1));
    struct TRow {
        const char* Name;
        TForm* Window;
        std::size_t Messages;
    };
    const TRow rows[] = {
        {"an editor of a system that is not current", tunes, 18},
        {"the window of the current system", one, 0},
        {"the other system's window", two, 18},
        {"the same again", two, 0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Activate(library);
        Sim.ClearLog();
        Activate(row.Window);
        EXPECT_EQ(Sim.ReceivedMessages().size(), row.Messages);
    }
}

TEST_F(SystemWindow, NewAndSendTransmitTheWholeSystem) {
    TFormLibrary* library = OpenLibraryOfSystems(1);
    TSystem& system = SystemOf(library, 0);
    system.Common->Data()[6] = 10;
    system.ScaleTune(4).Data()[2] = 3;
    TFormSystem* window = OpenSystem(system);
    library->Library()->Saved = 1;
    Sim.ClearLog();
    Click(window->SpeedButton3);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(SystemArea(), SystemData(system));
    EXPECT_FALSE(Modified(system));
    Sim.ClearLog();
    Click(window->SpeedNuovo);
    EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
    EXPECT_EQ(system.Common->GetParam(6), 63);
    EXPECT_EQ(system.ScaleTune(4).GetParam(2), 64);
    EXPECT_EQ(SystemArea(), SystemData(system));
    EXPECT_TRUE(Modified(system));
}

TEST_F(SystemWindow, ReceiveFetchesTheInstrumentsSystemAndTheEditorsShowIt) {
    OpenFirstSystemOf(1);
    TFormSysSetup* setup = OpenSetup(window_);
    TFormScaleTune* tunes = OpenScaleTune(window_);
    // The instrument holds another system: GM mode, a master tune and a detuned note.
    TSystem other(nullptr);
    other.Common->Data()[0] = 2;
    other.Common->Data()[6] = 100;
    other.ScaleTune(1).Data()[4] = 44;
    Sim.Write(Addr(0, 0, 0, 0), TBytes(other.Common->Data(), other.Common->Data() + TSystemCommon::DataSize));
    Sim.Write(Addr(0, 0, 0x10, 0), ScaleTuneData(other, 1));
    window_->BringToFront();
    ProcessPendingMessages();
    Sim.ClearLog();
    WithProgress([&] { Click(window_->SpeedButton2); });
    EXPECT_EQ(Sim.RequestsReceived(), 18);
    EXPECT_EQ(SystemData(*system_), SystemData(other));
    EXPECT_TRUE(setup->GM->GetChecked());
    EXPECT_EQ(setup->MasterTune->GetCode(), 100);
    EXPECT_EQ(tunes->Tune[4]->GetCode(), -20);
    EXPECT_TRUE(Boxes.empty());
}

class SystemDrags : public Systems {
public:
    void SetUp() override {
        Systems::SetUp();
        library_ = OpenLibraryOfSystems(2);
        for (int s = 0; s < 2; ++s) {
            TSystem& system = SystemOf(library_, s);
            for (int i = 0; i < static_cast<int>(TSystemCommon::DataSize); ++i)
                system.Common->Data()[i] = static_cast<std::uint8_t>((s * 40 + i) % 100);
            for (int t = 1; t <= ScaleTuneCount; ++t)
                for (int k = 0; k < 12; ++k) system.ScaleTune(t).Data()[k] = static_cast<std::uint8_t>(s * 30 + t + k);
        }
        one_ = OpenSystem(SystemOf(library_, 0));
        two_ = OpenSystem(SystemOf(library_, 1));
        one_->SetBounds(0, 0, one_->GetWidth(), one_->GetHeight());
        two_->SetBounds(200, 150, two_->GetWidth(), two_->GetHeight());
        one_->BringToFront();
        ProcessPendingMessages();
        SendQueued();
        library_->Library()->Saved = 1;
    }
    static TBytes Range(const TSystem& system, int from, int to) {
        return TBytes(system.Common->Data() + from, system.Common->Data() + to + 1);
    }
    static bool Highlighted(TPanel* panel) { return panel->GetColor() == static_cast<TColor>(clSectionHighlight); }

    TFormLibrary* library_ = nullptr;
    TFormSystem* one_ = nullptr;
    TFormSystem* two_ = nullptr;
};

TEST_F(SystemDrags, EachSectionCopiesItsBytesIntoTheOtherSystemAndIsSentOnce) {
    struct TRow {
        const char* Name;
        std::function<TPanel*(TFormSystem*)> Panel;
        std::function<void(const TSystem& from, const TSystem& before, const TSystem& after)> Check;
    };
    const auto commonRuns = [](int from, int to) {
        return [from, to](const TSystem& source, const TSystem& before, const TSystem& after) {
            EXPECT_EQ(Range(after, from, to), Range(source, from, to));
            if (from > 0) {
                EXPECT_EQ(Range(after, 0, from - 1), Range(before, 0, from - 1));
            }
            if (to < 39) {
                EXPECT_EQ(Range(after, to + 1, 39), Range(before, to + 1, 39));
            }
            for (int t = 1; t <= ScaleTuneCount; ++t) EXPECT_EQ(ScaleTuneData(after, t), ScaleTuneData(before, t));
        };
    };
    const TRow rows[] = {
        {"Setup", [](TFormSystem* w) { return w->SysSetup; }, commonRuns(0, 11)},
        {"Midi", [](TFormSystem* w) { return w->SysMidi; }, commonRuns(12, 30)},
        {"Preview", [](TFormSystem* w) { return w->SysPreview; }, commonRuns(31, 39)},
        {"Scale Tune", [](TFormSystem* w) { return w->SysScaleTune; },
         [](const TSystem& source, const TSystem& before, const TSystem& after) {
             for (int t = 1; t <= ScaleTuneCount; ++t) EXPECT_EQ(ScaleTuneData(after, t), ScaleTuneData(source, t));
             EXPECT_EQ(Range(after, 0, 39), Range(before, 0, 39));
         }},
    };
    const TSystem& source = SystemOf(library_, 0);
    TSystem& target = SystemOf(library_, 1);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        target.InitDefault();
        for (int i = 0; i < 40; ++i) target.Common->Data()[i] = static_cast<std::uint8_t>(90 - i);
        TSystem before(nullptr);
        before.Assign(&target);
        library_->Library()->Saved = 1;
        Sim.ClearLog();
        Drag(row.Panel(one_), Centre(row.Panel(two_)));
        row.Check(source, before, target);
        EXPECT_EQ(Sim.ReceivedMessages().size(), 18u);
        EXPECT_EQ(SystemArea(), SystemData(target));
        EXPECT_EQ(CurrentSystem, &target);
        EXPECT_TRUE(Modified(target));
        EXPECT_TRUE(Highlighted(row.Panel(two_)));
        EXPECT_EQ(Formzelmo->ActiveMDIChild(), two_);
        EXPECT_EQ(SectionDragActive, 0);
        one_->BringToFront();
        ProcessPendingMessages();
        SendQueued();
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(SystemDrags, ADropOnTheSourceWindowOrOnAnotherSectionIsRefused) {
    struct TRow {
        const char* Name;
        std::function<POINT(SystemDrags&)> To;
    };
    const TRow rows[] = {
        {"Midi onto itself", [](SystemDrags& t) { return Centre(t.one_->SysMidi); }},
        {"Midi onto Preview of its own window", [](SystemDrags& t) { return Centre(t.one_->SysPreview); }},
        {"Midi onto Setup of the other window", [](SystemDrags& t) { return Centre(t.two_->SysSetup); }},
        {"Midi onto the other window's buttons", [](SystemDrags& t) { return Centre(t.two_->SpeedNuovo); }},
    };
    const TBytes first = SystemData(SystemOf(library_, 0));
    const TBytes second = SystemData(SystemOf(library_, 1));
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Sim.ClearLog();
        Drag(one_->SysMidi, row.To(*this));
        EXPECT_TRUE(Sim.ReceivedMessages().empty());
        EXPECT_EQ(SystemData(SystemOf(library_, 0)), first);
        EXPECT_EQ(SystemData(SystemOf(library_, 1)), second);
        EXPECT_FALSE(Modified(SystemOf(library_, 0)));
        EXPECT_EQ(SectionDragActive, 0);
        one_->BringToFront();
        ProcessPendingMessages();
        SendQueued();
    }
}

// The behaviours that also run over the JACK transport, here in-process.
class SystemTransport : public Systems {};

TEST_F(SystemTransport, OneRowOfEachEditorReachesTheInstrument) { OneRowOfEachEditorReachesTheInstrument(); }

TEST_F(SystemTransport, APanelModeChangeReachesTheInstrumentAfterTheGMMessage) {
    APanelModeChangeReachesTheInstrumentAfterTheGMMessage();
}

TEST_F(SystemTransport, SetThePatchModeAndAScaleTuneSaveReopenAndSend) {
    SetThePatchModeAndAScaleTuneSaveReopenAndSend();
}

}  // namespace
}  // namespace zel::test
