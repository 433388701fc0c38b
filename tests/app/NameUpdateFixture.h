#pragma once
// The name-update window over a MIDI back end with the port dialog, the instrument simulator holding
// known user and card names, and the data folder in a folder of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/NameFiles.h"
#include "app/Ueupdana.h"
#include "midi/dialog/Uemidiio.h"
#include "model/Settings.h"
#include "platform/midi/MidiBackend.h"
#include "platform/rtl/Clock.h"
#include "support/InstrumentSimulator.h"
#include "support/TempDir.h"
#include "support/model/ModelFakes.h"
#include "support/vcl/VclTestSupport.h"

namespace zel::test {

// The simulator's names: "User Perf 01", "Card Perf 01", "User Pat 001", "Card Pat 001", numbered from 1.
inline std::string SimulatedName(bool card, bool patch, int n) {
    char text[16];
    std::snprintf(text, sizeof text, patch ? "%s Pat %03d" : "%s Perf %02d", card ? "Card" : "User", n + 1);
    return text;
}

inline void PutSimulatedNames(TInstrumentSimulator& sim) {
    for (bool card : {false, true}) {
        const std::uint8_t area = card ? 0x20 : 0x10;
        for (int n = 0; n < 32; ++n) {
            const std::string name = SimulatedName(card, false, n);
            sim.Write(Addr(area, static_cast<std::uint8_t>(n), 0, 0), TBytes(name.begin(), name.end()));
        }
        for (int n = 0; n < 128; ++n) {
            const std::string name = SimulatedName(card, true, n);
            sim.Write(Addr(area + 1, static_cast<std::uint8_t>(n), 0, 0), TBytes(name.begin(), name.end()));
        }
    }
}

// "UserCard.Txt" as an update of the simulator writes it; an empty card leaves its lists empty.
inline std::string ExpectedUserCard(bool withCard) {
    std::string text;
    const auto list = [&text](bool card, bool patch, int count) {
        for (int n = 0; n < count; ++n) text += SimulatedName(card, patch, n) + "\r\n";
        text += "\xC7\r\n";
    };
    list(false, false, 32);
    list(true, false, withCard ? 32 : 0);
    list(false, true, 128);
    list(true, true, withCard ? 128 : 0);
    return text;
}

// The windows and the simulator, on whichever MIDI transport and clock the test chooses.
class NameUpdateWindows : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        savedServices_ = ModelServices();
        savedHolder_ = ZelmoHolder;
        ZelmoHolder = &Holder;
        ModelServices().DataFolder = [this] { return Data.Path().string(); };
        ModelServices().DefaultMidiInput = [this](TObject*) {
            ++DefaultInputs;
            if (IMidiPorts* ports = ModelServices().MidiPorts) ports->NextEvent();
        };
        PutSimulatedNames(Sim);
    }
    void TearDown() override {
        form.reset();
        ports.reset();
        ProcessPendingMessages();
        SetMidiBackendForTests(nullptr);
        ModelServices() = savedServices_;
        ZelmoHolder = savedHolder_;
        DevicesOpen = 0;
        VclTest::TearDown();
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : Boxes) texts.push_back(b.Text);
        return texts;
    }
    std::string UserCardPath() const { return Data.File(UserCardFileName); }
    // The data requests the simulator received, in order.
    std::vector<TBytes> Requests() const {
        std::vector<TBytes> requests;
        for (const TBytes& m : Sim.ReceivedMessages())
            if (m.size() > 4 && m[4] == 0x11) requests.push_back(m);
        return requests;
    }

    TempDir Data;
    TZelmo Holder;
    TInProcessMidiBackend Backend;
    TInstrumentSimulator Sim{0x10};
    std::unique_ptr<TFormInOut> ports;
    std::unique_ptr<TFormUpdateNames> form;
    int DefaultInputs = 0;

private:
    TModelServices savedServices_;
    TZelmo* savedHolder_ = nullptr;
};

// The update over the in-process back end on the manual clock.
class NameUpdate : public NameUpdateWindows {
protected:
    // The port dialog on the in-process back end with the simulator, and the update window.
    void MakeWindows() {
        Sim.AttachInProcess(Backend, "JV-1080");
        SetMidiBackendForTests(&Backend);
        ports.reset(Construct<TFormInOut>(nullptr));
        ASSERT_EQ(DevicesOpen, 1);
        form.reset(Construct<TFormUpdateNames>(nullptr));
    }
    // Shows the window modally. Time passes only while nothing waits in the queue, 100 ms at a time,
    // and OnIdle runs first each time.
    void RunUpdate(std::function<void()> onIdle = {}) {
        int idles = 0;
        Application->OnIdle = [&](TObject*, bool& done) {
            done = false;
            if (onIdle) onIdle();
            Clock->Advance(100);
            if (++idles > 20000) form->ModalResult = mrAbort;  // never hang the test
        };
        form->ShowModal();
        Application->OnIdle = nullptr;
        ProcessPendingMessages();
    }

    TManualClockScope Clock;
};

}  // namespace zel::test
