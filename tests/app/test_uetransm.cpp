// The transfer progress window: its two layouts, the counters and the gauge, the timers it carries for
// the model, Cancel, a whole receive of a patch from the instrument simulator driven by its timers, and
// every form of the program read from its resource.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "app/Main.h"
#include "app/Uetransm.h"
#include "controls/ControlsUnits.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Patch.h"
#include "model/Settings.h"
#include "platform/midi/MidiBackend.h"
#include "platform/rtl/Clock.h"
#include "platform/vcl/FormReader.h"
#include "support/InstrumentSimulator.h"
#include "support/vcl/VclTestSupport.h"
#include "uilib/bars/ubBarUnit.h"
#include "uilib/base/uiBaseUnits.h"

#include "TransmetFixture.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

// MIDI ports that only record who holds the input.
class THandlerPorts : public IMidiPorts {
public:
    bool OutputOpen() const override { return false; }
    void PutLong(const std::uint8_t*, std::size_t) override {}
    void PutShort(std::uint8_t, std::uint8_t, std::uint8_t) override {}
    void CloseDevs() override {}
    void OpenDevs() override {}
    void InstallInputHandler(TNotifyEvent handler) override { Handler = std::move(handler); }
    TNotifyEvent Handler;
};

class TransmetWindow : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        savedServices_ = ModelServices();
        savedHolder_ = ZelmoHolder;
        ZelmoHolder = &Holder;
        ModelServices().MidiPorts = &Ports;
        ModelServices().DefaultMidiInput = [this](TObject*) { ++DefaultCalls; };
        form.reset(Construct<TFormTransmet>(nullptr));
    }
    void TearDown() override {
        form.reset();
        ProcessPendingMessages();
        ModelServices() = savedServices_;
        ZelmoHolder = savedHolder_;
        VclTest::TearDown();
    }
    // The handler the input was given last: the default one when calling it counts.
    bool InputIsWithTheDefaultHandler() {
        if (!Ports.Handler) return false;
        int before = DefaultCalls;
        Ports.Handler(nullptr);
        return DefaultCalls == before + 1;
    }

    TZelmo Holder;
    THandlerPorts Ports;
    int DefaultCalls = 0;
    std::unique_ptr<TFormTransmet> form;

private:
    TModelServices savedServices_;
    TZelmo* savedHolder_ = nullptr;
};

TEST_F(TransmetWindow, StartShowsTheReceiveLayoutAndTheGaugeFollowsReceivedMessages) {
    EXPECT_EQ(ModelServices().Progress, &form->Progress());
    form->Progress().Start(640, "Now Receiving User Patch Bank", "Patch Number");
    EXPECT_TRUE(form->GroupBox2->GetVisible());
    EXPECT_EQ(form->GroupBox1->GetWidth(), 120);
    EXPECT_EQ(form->GroupBox2->GetWidth(), 120);
    EXPECT_EQ(form->GroupBox3->GetWidth(), 252);
    EXPECT_EQ(form->Transmitting, 0);
    EXPECT_FALSE(form->Progress().GetCompleted());
    EXPECT_EQ(form->LabelReceiving->Caption(), "Now Receiving User Patch Bank");
    EXPECT_EQ(form->LabelElem->Caption(), "Patch Number : ");
    EXPECT_EQ(form->LabelElemNum->GetLeft(), form->LabelElem->GetLeft() + form->LabelElem->GetWidth());
    EXPECT_EQ(form->LabelElemNum->Caption(), "");
    EXPECT_GT(form->LabelElem->GetWidth(), 40);
    form->Progress().AddReceived(75, 1);
    form->Progress().AddSended(11, 1);
    EXPECT_EQ(form->LabelBytereceived->Caption(), "75");
    EXPECT_EQ(form->LabelMessageReceived->Caption(), "1");
    EXPECT_EQ(form->LabelMessageSended->Caption(), "1");
    form->Progress().AddReceived(638 * 75, 638);
    EXPECT_EQ(form->Gauge->PercentDone(), 99);  // 639 of 640, truncated
    form->Progress().AddElem(1);
    form->Progress().AddElem(1);
    EXPECT_EQ(form->LabelElemNum->Caption(), "2");
    form->Show();
    EXPECT_EQ(form->Caption(), "Receiving");
    std::string path = ScreenshotPath("transfer_receive");
    ASSERT_TRUE(SaveWindowImage(form->GetHandle(), path));
    std::printf("screenshot: %s\n", path.c_str());
    // A new start begins from nothing.
    form->Hide();
    form->Progress().Start(17, "Now Receiving Performance", "Performance");
    EXPECT_EQ(form->Gauge->PercentDone(), 0);
    EXPECT_EQ(form->LabelMessageReceived->Caption(), "0");
    EXPECT_EQ(form->LabelElemNum->Caption(), "");
}

TEST_F(TransmetWindow, SetTransmettingShowsTheSendLayoutAndTheGaugeFollowsSentMessages) {
    form->Progress().Start(640, "Now Transmitting User Patch Bank", "Patch Number");
    form->Progress().SetTransmetting();
    EXPECT_EQ(form->GroupBox1->GetWidth(), form->GroupBox3->GetWidth());
    EXPECT_FALSE(form->GroupBox2->GetVisible());
    EXPECT_EQ(form->Transmitting, 1);
    form->Progress().AddReceived(10, 600);
    EXPECT_EQ(form->Gauge->PercentDone(), 0);
    form->Progress().AddSended(639 * 11, 639);
    EXPECT_EQ(form->Gauge->PercentDone(), 99);
    EXPECT_EQ(form->LabelByteSended->Caption(), "7029");
    form->Show();
    EXPECT_EQ(form->Caption(), "Transmitting");
    std::string path = ScreenshotPath("transfer_send");
    ASSERT_TRUE(SaveWindowImage(form->GetHandle(), path));
    std::printf("screenshot: %s\n", path.c_str());
}

TEST_F(TransmetWindow, TheGaugeTruncatesAndNeverPassesAHundred) {
    struct TRow {
        const char* name;
        int expected, messages, percent;
    } rows[] = {{"639 of 640", 640, 639, 99},           {"all of a bank", 640, 640, 100},
                {"a patch counted in full", 1, 5, 100}, {"duplicates beyond the count", 130, 200, 100},
                {"nothing expected", 0, 3, 0},          {"one of three", 3, 1, 33}};
    for (const TRow& r : rows) {
        form->Progress().Start(r.expected, "t", "e");
        form->Progress().AddReceived(1, r.messages);
        EXPECT_EQ(form->Gauge->PercentDone(), r.percent) << r.name;
    }
}

TEST_F(TransmetWindow, TheModelsTimersRunAndClosingStopsTimerAndGivesTheInputBack) {
    TManualClockScope clock;
    int replyTimeouts = 0, cleanups = 0;
    form->Progress().SetTimer(
        TTransferTimer::Timer, 2000, [&] { ++replyTimeouts; }, true);
    form->Progress().SetTimer(
        TTransferTimer::TimerCleanup, 300, [&] { ++cleanups; }, true);
    clock->Advance(1999);
    ProcessPendingMessages();
    EXPECT_EQ(replyTimeouts, 0);
    EXPECT_GE(cleanups, 1);  // ticks due together arrive as one WM_TIMER, as on Windows
    clock->Advance(1);
    ProcessPendingMessages();
    EXPECT_EQ(replyTimeouts, 1);
    // Enabling again starts the interval afresh.
    clock->Advance(1500);
    form->Progress().SetTimerEnabled(TTransferTimer::Timer, true);
    clock->Advance(1000);
    ProcessPendingMessages();
    EXPECT_EQ(replyTimeouts, 1);
    Ports.Handler = [](TObject*) {};  // a transfer holds the input
    form->Show();
    form->Progress().Close();
    EXPECT_FALSE(form->GetVisible());
    EXPECT_FALSE(form->Timer->GetEnabled());
    EXPECT_TRUE(form->TimerCleanup->GetEnabled());  // left to the model
    EXPECT_TRUE(InputIsWithTheDefaultHandler());
    clock->Advance(5000);
    ProcessPendingMessages();
    EXPECT_EQ(replyTimeouts, 1);
}

TEST_F(TransmetWindow, CancelEndsTheModalWindowWithCompletedClear) {
    form->Progress().Start(640, "Now Receiving User Patch Bank", "Patch Number");
    form->Progress().SetTimer(
        TTransferTimer::Timer, 2000, [] {}, true);
    int idles = 0;
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (++idles == 2) ClickAt(form->BitBtn1->GetHandle(), 5, 5);
        if (idles > 1000) form->ModalResult = mrAbort;  // never hang the test
    };
    form->Progress().ShowModal();
    EXPECT_EQ(form->ModalResult, mrCancel);
    EXPECT_FALSE(form->Progress().GetCompleted());
    EXPECT_FALSE(form->GetVisible());
    EXPECT_FALSE(form->Timer->GetEnabled());
    EXPECT_EQ(form->BitBtn1->Caption(), "Cancel");
}

// ------------------------------------------------------------------------------------ whole receives

TEST_F(TransmetPatchReceive, InProcess) {
    TInProcessMidiBackend backend;
    Sim.AttachInProcess(backend, "JV-1080");
    SetMidiBackendForTests(&backend);
    MakeWindows();
    ASSERT_EQ(DevicesOpen, 1);
    TPatch patch(nullptr);
    Receive(patch, 5s);
    ExpectFiveMessagesAndAClosedWindow(patch);
    EXPECT_EQ(Sim.RequestsReceived(), 1);
}

// ------------------------------------------------------------------------------------ every form

using ProgramForms = VclTest;

TEST_F(ProgramForms, EveryRegisteredFormIsReadWithoutError) {
    TInProcessMidiBackend backend;
    backend.AddInput("In");
    backend.AddOutput("Out");
    SetMidiBackendForTests(&backend);
    TModelServices saved = ModelServices();
    // The program's own controls, the component library with its bars, the program's cursors, and a main
    // window for the tool windows that live inside it.
    TUnitsScope controls(JoinUnitRows({ControlsUnits(), uiBaseUnits(), ubBarUnits(), MainUnits()}));
    auto* main = Keep(Construct<TForm>(nullptr));
    main->SetFormStyle(fsMDIForm);
    Application->MainForm = main;
    std::vector<std::string> classes = RegisteredFormClasses();
    EXPECT_NE(std::find(classes.begin(), classes.end(), "TFormInOut"), classes.end());
    EXPECT_NE(std::find(classes.begin(), classes.end(), "TFormTransmet"), classes.end());
    // The MDI children of the program live in an MDI main window.
    std::unique_ptr<TForm> mdiMain(Construct<TForm>(nullptr));
    mdiMain->SetFormStyle(fsMDIForm);
    Application->MainForm = mdiMain.get();
    for (const std::string& name : classes) {
        SCOPED_TRACE(name);
        std::unique_ptr<TCustomForm> f;
        EXPECT_NO_THROW(f.reset(CreateRegisteredForm(name, nullptr)));
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->ClassName(), name);
    }
    // Every compiled form resource belongs to a form class of the program.
    for (const TFormResource* r : FormResources())
        EXPECT_NE(std::find(classes.begin(), classes.end(), FormResourceClass(*r)), classes.end()) << r->Unit;
    Application->MainForm = nullptr;
    ProcessPendingMessages();
    SetMidiBackendForTests(nullptr);
    ModelServices() = saved;
    DevicesOpen = 0;
}

}  // namespace
}  // namespace zel::test
