// Send Selected and Receive Selected of a library window, over a real JACK transport to the instrument
// simulator, in the whole program: the selected patches land in the instrument's user memory; two patches
// are fetched back whole; Cancel in the first progress window stops the walk. Under CI
// (ZELMOVI_REQUIRE_JACK=1) a missing server is a failure; elsewhere the tests skip.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "JackPorts.h"
#include "ProgramFixture.h"
#include "app/Uelibrar.h"
#include "model/Library.h"
#include "support/JackTest.h"

namespace zel::test {
namespace {

using namespace std::chrono_literals;

// The address of a user patch's common block on the instrument (slot 1..128).
std::uint32_t UserPatch(int slot) { return Addr(0x11, static_cast<std::uint8_t>(slot - 1), 0x00, 0x00); }

class LibraryTransfersOverJack : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        if (!OpenOnJack(instrument_, &Sim)) return;
        {
            TIniFile ini(SettingsFileName);
            ini.WriteInteger("Midi", "DeviceID", 17);  // the instrument's
        }
        Start();
        Wait(2000);
        ASSERT_NE(FormInOut, nullptr);
        OpenPortsOn(instrument_, *FormInOut, *ZelmoHolder->Config, Boxes);
    }

    // File > New with patches at the user slots given, named as given; the window.
    static TFormLibrary* LibraryOfUserPatches(const std::vector<std::pair<int, std::string>>& patches) {
        Click(Formzelmo->FileNewItem);
        auto* w = dynamic_cast<TFormLibrary*>(Formzelmo->ActiveMDIChild());
        EXPECT_NE(w, nullptr);
        if (w == nullptr) return nullptr;
        for (const auto& [slot, name] : patches) {
            ClickOn(w->NewPatch);
            TLibElem& patch = *w->Library()->Elements.back();
            patch.Temporary = 0;
            patch.User = 1;
            patch.Number = static_cast<std::int16_t>(slot);
            patch.SetName(name, false);
        }
        return w;
    }
    // A left click on a row of the list, with the keys given (MK_SHIFT, MK_CONTROL).
    static void ClickRow(TFormLibrary* w, int row, WPARAM keys = 0) {
        const int y = (row - w->DrawGrid->GetTopRow()) * w->DrawGrid->GetDefaultRowHeight() + 4;
        SendMessage(w->DrawGrid->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(60, y));
        SendMessage(w->DrawGrid->GetHandle(), WM_LBUTTONUP, keys, MAKELPARAM(60, y));
        ProcessPendingMessages();
    }
    std::string NameAt(std::uint32_t address) const {
        const TBytes name = Sim.Read(address, 12);
        return std::string(name.begin(), name.end());
    }
    // Runs a click that shows progress windows; while one shows, the time passes a millisecond at a time
    // beside the transport's real time, and Each runs once per window shown.
    void WithProgress(const std::function<void()>& Act, const std::function<void()>& Each = nullptr) {
        const auto until = std::chrono::steady_clock::now() + 20s;
        bool shown = false;
        Windows = 0;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (!FormTransmet->GetVisible()) {
                shown = false;
                return;
            }
            if (!shown) {
                shown = true;
                ++Windows;
                if (Each) Each();
            }
            if (std::chrono::steady_clock::now() > until) {
                TimedOut = true;
                FormTransmet->Close();
                return;
            }
            std::this_thread::sleep_for(200us);
            Clock->Advance(1);
        };
        Act();
        Application->OnIdle = nullptr;
    }

    TJackInstrument instrument_{"zelmovi-library"};
    int Windows = 0;  // the progress windows shown by the last WithProgress
    bool TimedOut = false;
};

TEST_F(LibraryTransfersOverJack, SendSelectedPutsTheSelectedPatchesInTheUserMemory) {
    TFormLibrary* w = LibraryOfUserPatches({{1, "Piano A"}, {2, "Strings B"}, {3, "Left Out"}});
    ASSERT_NE(w, nullptr);
    ClickRow(w, 0);
    ClickRow(w, 1, MK_SHIFT);
    Sim.ClearLog();
    ClickOn(w->speedtransmet);
    SendQueued();
    EXPECT_TRUE(TJackInstrument::WaitFor(
        [&] { return NameAt(UserPatch(1)) == "Piano A     " && NameAt(UserPatch(2)) == "Strings B   "; }, 5s))
        << NameAt(UserPatch(1)) << "|" << NameAt(UserPatch(2));
    // Five messages each; the patch not selected stays where it was.
    TJackInstrument::WaitFor([&] { return Sim.DataSetsApplied() >= 10; }, 1s);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Sim.DataSetsApplied(), 10);
    EXPECT_EQ(NameAt(UserPatch(3)), std::string(12, '\0'));
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(LibraryTransfersOverJack, ReceiveSelectedFetchesBothAndCancelStopsTheWalk) {
    Sim.Write(UserPatch(1), {'C', 'h', 'o', 'i', 'r', ' ', '1', ' ', ' ', ' ', ' ', ' '});
    Sim.Write(UserPatch(2), {'B', 'r', 'a', 's', 's', ' ', '2', ' ', ' ', ' ', ' ', ' '});
    TFormLibrary* w = LibraryOfUserPatches({{1, "Old 1"}, {2, "Old 2"}});
    ASSERT_NE(w, nullptr);
    ClickRow(w, 0);
    ClickRow(w, 1, MK_SHIFT);
    TLibElem& first = *w->Library()->Elements[0];
    TLibElem& second = *w->Library()->Elements[1];

    Sim.ClearLog();
    WithProgress([&] { ClickOn(w->speedreceive); });
    EXPECT_FALSE(TimedOut);
    EXPECT_EQ(Sim.RequestsReceived(), 2);
    EXPECT_EQ(first.GetName(), "Choir 1");
    EXPECT_EQ(second.GetName(), "Brass 2");
    EXPECT_EQ(first.LocationText(), "User : 1");
    EXPECT_TRUE(Boxes.empty());

    // Cancel in the first window, while the instrument has not answered yet: that patch stays as it was,
    // and the second is not asked for.
    first.SetName("Kept 1", false);
    second.SetName("Kept 2", false);
    Sim.Silent = true;
    Sim.ClearLog();
    WithProgress([&] { ClickOn(w->speedreceive); }, [] { ClickOn(FormTransmet->BitBtn1); });
    EXPECT_FALSE(TimedOut);
    EXPECT_EQ(Windows, 1);
    EXPECT_EQ(first.GetName(), "Kept 1");
    EXPECT_EQ(second.GetName(), "Kept 2");
    std::this_thread::sleep_for(50ms);
    for (const TBytes& m : Sim.ReceivedMessages()) {
        ASSERT_GT(m.size(), 8u);
        EXPECT_EQ(TBytes(m.begin() + 5, m.begin() + 7), (TBytes{0x11, 0x00}));  // user patch 1 only
    }
    EXPECT_EQ(Sim.RequestsReceived(), 1);
}

}  // namespace
}  // namespace zel::test
