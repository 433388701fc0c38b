#pragma once
// The fixture of the component tests: a manual clock, and an in-process MIDI back end with the instrument
// simulator on the port "JV-1080" plus a second port "Keyboard".
#include <gtest/gtest.h>

#include <memory>

#include "midi/MidiIn.h"
#include "midi/MidiOut.h"
#include "platform/midi/MidiBackend.h"
#include "platform/rtl/Clock.h"
#include "platform/win/Windows.h"
#include "support/InstrumentSimulator.h"

namespace zel::test {

class MidiComponents : public ::testing::Test {
protected:
    MidiComponents() {
        sim.AttachInProcess(backend, "JV-1080");
        backend.AddInput("Keyboard");
        backend.AddOutput("Keyboard");
        SetMidiBackendForTests(&backend);
    }
    ~MidiComponents() override {
        ProcessPendingMessages();
        SetMidiBackendForTests(nullptr);
    }

    // An input opened and started on the simulator's port, whose handler collects every event.
    std::unique_ptr<TMidiInput> OpenInput() {
        auto in = std::make_unique<TMidiInput>(nullptr);
        in->OnMidiInput = [this, raw = in.get()](TObject*) {
            if (auto ev = raw->NextEvent()) events.push_back(std::move(ev));
        };
        in->OnOverflow = [this](TObject*) { ++overflows; };
        in->Open();
        EXPECT_EQ(in->GetState(), misOpen);
        in->Start();
        return in;
    }

    void Inject(const TBytes& bytes) { backend.Inject("JV-1080", bytes); }

    TManualClockScope clock;
    TInProcessMidiBackend backend;
    TInstrumentSimulator sim{0x10};
    std::vector<std::unique_ptr<TMyMidiEvent>> events;
    int overflows = 0;
};

inline TBytes SysexOfLength(std::size_t n, int seed = 0) {
    TBytes s(n);
    s.front() = 0xF0;
    for (std::size_t i = 1; i + 1 < n; ++i)
        s[i] = static_cast<std::uint8_t>((i + static_cast<std::size_t>(seed)) % 128);
    s.back() = 0xF7;
    return s;
}

}  // namespace zel::test
