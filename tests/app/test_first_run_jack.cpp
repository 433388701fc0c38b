// A user's first run, end to end over a real JACK transport: the program starts with no settings, the user
// picks the instrument's ports in the port dialog, plays a note on the on-screen keyboard, watches a data
// set arrive on the monitor and leaves; the next start reopens both tool windows where they were and plays
// on the ports picked. Under CI (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the
// test skips.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BarInput.h"
#include "JackPorts.h"
#include "KeyboardFixture.h"
#include "ProgramFixture.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

class FirstRunOverJack : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        if (OpenOnJack(other_)) OpenOnJack(instrument_, &Sim);
    }

    // A left click at a client point of a window, posted: whichever message loop runs next (a modal
    // dialog's) takes it.
    static void PostClick(HWND window, int x, int y) {
        const LPARAM at = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
        PostMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessage(window, WM_LBUTTONUP, 0, at);
    }
    static void PostClickOnEntry(TListBox* list, const std::string& entry) {
        const int index = IndexOfPort(list, entry);
        ASSERT_GE(index, 0) << entry;
        const TRect r = list->ItemRect(index);
        PostClick(list->GetHandle(), r.left + 4, (r.top + r.bottom) / 2);
    }
    template <class T>
    static T* Child() {
        for (int i = 0; i < Formzelmo->MDIChildCount(); ++i)
            if (auto* child = dynamic_cast<T*>(Formzelmo->MDIChildren(i))) return child;
        return nullptr;
    }
    // Presses and releases a key of the on-screen keyboard; what the instrument heard of it.
    std::vector<TBytes> PlayKey(TFormKeyboard* keyboard, int key) {
        Sim.ClearLog();
        const LPARAM at = PointOnKey(keyboard->KeySelector, key);
        ClickAt(keyboard->KeySelector->GetHandle(), LOWORD(at), HIWORD(at));
        std::vector<TBytes> heard;
        TJackInstrument::WaitFor(
            [&] {
                heard = Sim.ReceivedMessages();
                return heard.size() >= 2;
            },
            5s);
        return heard;
    }

    // Another client's ports, listed before the instrument's: the ports a first start opens.
    TJackInstrument other_{"zelmovi-other-device"};
    TJackInstrument instrument_{"zelmovi-first-run"};
};

TEST_F(FirstRunOverJack, PicksThePortsPlaysANoteWatchesTheMonitorAndComesBackAsItLeft) {
    ASSERT_FALSE(std::filesystem::exists(TIniFile(SettingsFileName).Path()));
    Start();
    Wait(2000);
    ASSERT_EQ(Formintro, nullptr);
    ASSERT_NE(FormInOut, nullptr);
    ASSERT_TRUE(Formzelmo->GetEnabled());
    // With no settings the first ports listed are open: the other device's.
    EXPECT_EQ(ZelmoHolder->Config->InPort, 0);
    EXPECT_EQ(FormInOut->InputPort->Items()->Strings(0), other_.OutputPortName());

    // Settings > Midi: the instrument's ports are listed; once the dialog shows, the user picks them and
    // presses Ok.
    const TNotifyEvent shown = FormInOut->OnShow;
    FormInOut->OnShow = [&](TObject* sender) {
        shown(sender);
        PostClickOnEntry(FormInOut->InputPort, instrument_.OutputPortName());
        PostClickOnEntry(FormInOut->OutputPort, instrument_.InputPortName());
        PostClick(FormInOut->OkBtn->GetHandle(), 4, 4);
    };
    Boxes.clear();
    ChooseFromMenu(Formzelmo, Formzelmo->Settings1, Formzelmo->SetMidiMidiPortItem, true);
    FormInOut->OnShow = shown;
    EXPECT_FALSE(FormInOut->GetVisible());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    ASSERT_EQ(DevicesOpen, 1);
    EXPECT_EQ(ZelmoHolder->Config->InPort, IndexOfPort(FormInOut->InputPort, instrument_.OutputPortName()));
    EXPECT_EQ(ZelmoHolder->Config->OutPort, IndexOfPort(FormInOut->OutputPort, instrument_.InputPortName()));

    // Gadgets > Keyboard, octave "3", the key of C 4.
    ChooseFromMenu(Formzelmo, Formzelmo->Gaggets1, Formzelmo->GadgetsKeyboardItem);
    TFormKeyboard* keyboard = Child<TFormKeyboard>();
    ASSERT_NE(keyboard, nullptr);
    TSpeedButton* three = keyboard->OctaveButton(3);
    ASSERT_EQ(three->Caption(), "3");
    ClickAt(keyboard->GetHandle(), three->GetLeft() + 4, three->GetTop() + 4);
    EXPECT_TRUE(three->GetDown());
    const int velocity = ZelmoHolder->Config->Velocity;
    EXPECT_EQ(PlayKey(keyboard, 12),
              (std::vector<TBytes>{{0x90, 0x3C, static_cast<std::uint8_t>(velocity)}, {0x80, 0x3C, 0x00}}));

    // Gadgets > Monitor: a data set that the instrument sends reads as one line.
    ChooseFromMenu(Formzelmo, Formzelmo->Gaggets1, Formzelmo->GadgetsMonitorItem);
    TFormMonitor* monitor = Formzelmo->FormMonitor;
    ASSERT_NE(monitor, nullptr);
    const TBytes dataSet = MakeDataSet(0x10, Addr(0x03, 0x00, 0x00, 0x00), {0x05});
    Sim.Transmit(dataSet);
    ASSERT_TRUE(TJackInstrument::WaitFor(
        [&] {
            ProcessPendingMessages();
            return monitor->MemoInput->Lines()->Count() >= 1;
        },
        5s));
    EXPECT_EQ(Lines(monitor->MemoInput), TLines{" F0 41 10 6A 12 03 00 00 00 05 78 F7 "});

    // Both windows moved by the user, a picture of the whole, then File > Exit.
    keyboard->SetBounds(40, 250, keyboard->GetWidth(), keyboard->GetHeight());
    monitor->SetBounds(300, 20, 420, 200);
    ProcessPendingMessages();
    Formzelmo->SetBounds(0, 0, 800, 600);
    EXPECT_TRUE(SaveWindowImage(Formzelmo->GetHandle(), ScreenshotPath("first-run")));
    ChooseFromMenu(Formzelmo, Formzelmo->File1, Formzelmo->FileExitItem);
    {
        TIniFile ini(SettingsFileName);
        EXPECT_EQ(ini.ReadInteger("Keyboard", "Open", -1), 1);
        EXPECT_EQ(ini.ReadInteger("Monitor", "Open", -1), 1);
        EXPECT_EQ(ini.ReadInteger("Desktop", "Num Library", -1), 0);
    }
    EXPECT_EQ(Formzelmo, nullptr);
    EXPECT_TRUE(QuitPosted());
    FreeLastingWindows();
    EXPECT_EQ(DevicesOpen, 0);

    // The next start: both windows where they were, and the keyboard plays on the ports picked.
    Start();
    Wait(2000);
    ASSERT_EQ(DevicesOpen, 1);
    keyboard = Child<TFormKeyboard>();
    monitor = Formzelmo->FormMonitor;
    ASSERT_NE(keyboard, nullptr);
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(keyboard->BoundsRect(), Bounds(40, 250, TFormKeyboard::FixedWidth, TFormKeyboard::FixedHeight));
    EXPECT_EQ(monitor->BoundsRect(), Bounds(300, 20, 420, 200));
    EXPECT_EQ(keyboard->BaseOctave(), 3);
    EXPECT_EQ(PlayKey(keyboard, 12),
              (std::vector<TBytes>{{0x90, 0x3C, static_cast<std::uint8_t>(velocity)}, {0x80, 0x3C, 0x00}}));
}

}  // namespace
}  // namespace zel::test
