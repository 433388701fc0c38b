#pragma once
// Transfers against the instrument simulator, in-process: the ports hand every message the model sends
// to the simulator, the simulator's replies wait in an input queue as the input component would hold
// them, and Pump() delivers them to the installed handler one per call, as the main thread does. The
// progress window's timers run on the manual clock.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "midi/Miditype.h"
#include "platform/rtl/Clock.h"
#include "support/InstrumentSimulator.h"
#include "support/model/ModelFakes.h"

namespace zel::test {

inline std::unique_ptr<TMyMidiEvent> MakeEvent(const Bytes& bytes) {
    auto event = std::make_unique<TMyMidiEvent>();
    if (!bytes.empty() && bytes[0] == 0xF0) {
        event->status = 0xF0;
        event->SysexLength = static_cast<WORD>(bytes.size());
        event->Sysex.assign(bytes.begin(), bytes.end());
    } else {
        event->status = bytes.size() > 0 ? bytes[0] : 0;
        event->data1 = bytes.size() > 1 ? bytes[1] : 0;
        event->data2 = bytes.size() > 2 ? bytes[2] : 0;
    }
    return event;
}

// The MIDI ports with the simulator behind them.
class TSimulatedPorts : public TRecordingMidiPorts {
public:
    explicit TSimulatedPorts(TInstrumentSimulator& sim) : Sim(sim) {
        Sim.Transmit = [this](const TBytes& message) {
            if (DropRepliesAfter >= 0 && RepliesSeen++ >= DropRepliesAfter) return;
            Queue.push_back(message);
        };
    }
    void PutLong(const std::uint8_t* data, std::size_t size) override {
        TRecordingMidiPorts::PutLong(data, size);
        Sim.Receive(data, size);
    }
    int PendingEventCount() override { return static_cast<int>(Queue.size()); }
    std::unique_ptr<TMyMidiEvent> NextEvent() override {
        if (Queue.empty()) return nullptr;
        auto event = MakeEvent(Queue.front());
        Queue.pop_front();
        return event;
    }
    // Delivers every waiting event to the handler, one per call (at most limit calls).
    int Pump(int limit = 10000) {
        int calls = 0;
        while (Handler && !Queue.empty() && calls < limit) {
            TNotifyEvent handler = Handler;  // the handler may replace itself
            handler(nullptr);
            ++calls;
        }
        return calls;
    }
    // The data requests sent so far.
    std::vector<Bytes> Requests() const {
        std::vector<Bytes> out;
        for (const Bytes& m : Sent)
            if (m.size() == 15 && m[4] == 0x11) out.push_back(m);
        return out;
    }

    TInstrumentSimulator& Sim;
    std::deque<Bytes> Queue;
    int DropRepliesAfter = -1;  // >= 0: the instrument falls silent after that many replies
    int RepliesSeen = 0;
};

// The progress window with its two timers on the clock service.
class TClockProgress : public ITransferProgress {
public:
    explicit TClockProgress(IMidiPorts& ports) : ports_(ports) {}
    ~TClockProgress() override {
        for (auto& t : timers_) StopTimer(t);
    }

    void Start(int expectedMessages, const std::string& title, const std::string& elementLabel) override {
        Expected = expectedMessages;
        Title = title;
        ElementLabel = elementLabel;
        Completed = false;
        ++Starts;
    }
    void AddSended(int bytes, int messages) override {
        BytesSent += bytes;
        MessagesSent += messages;
    }
    void AddReceived(int bytes, int messages) override {
        BytesReceived += bytes;
        MessagesReceived += messages;
    }
    void AddElem(int count) override { Elements += count; }
    bool GetCompleted() const override { return Completed; }
    void SetCompleted(bool completed) override { Completed = completed; }
    void ShowModal() override { ++Shown; }
    void Close() override {
        // Closing stops the reply timer and gives the input back to the main window.
        SetTimerEnabled(TTransferTimer::Timer, false);
        ports_.SetInputHandler(nullptr);
        ++Closes;
    }
    void SetTimer(TTransferTimer timer, std::uint32_t intervalMs, std::function<void()> handler,
                  bool enabled) override {
        TTimerState& t = timers_[Index(timer)];
        StopTimer(t);
        t.Interval = intervalMs;
        t.Handler = std::move(handler);
        SetTimerEnabled(timer, enabled);
    }
    void SetTimerEnabled(TTransferTimer timer, bool enabled) override {
        TTimerState& t = timers_[Index(timer)];
        StopTimer(t);
        if (!enabled || !t.Handler) return;
        // Enabling starts the interval afresh, as a window timer does.
        t.Id = ClockTimers().Add(t.Interval, true, [this, timer]() {
            auto handler = timers_[Index(timer)].Handler;
            handler();
        });
    }
    bool TimerEnabled(TTransferTimer timer = TTransferTimer::Timer) const { return timers_[Index(timer)].Id != 0; }

    int Expected = 0;
    std::string Title;
    std::string ElementLabel;
    bool Completed = false;
    int Starts = 0;
    int Shown = 0;
    int Closes = 0;
    int BytesSent = 0, MessagesSent = 0, BytesReceived = 0, MessagesReceived = 0, Elements = 0;

private:
    struct TTimerState {
        std::uint32_t Interval = 1000;
        std::function<void()> Handler;
        int Id = 0;
    };
    static std::size_t Index(TTransferTimer timer) { return timer == TTransferTimer::Timer ? 0 : 1; }
    static void StopTimer(TTimerState& t) {
        if (t.Id != 0) ClockTimers().Remove(t.Id);
        t.Id = 0;
    }
    IMidiPorts& ports_;
    TTimerState timers_[2];
};

// A clean model whose ports lead to a simulator and whose progress window runs on a manual clock.
class TTransferScope {
public:
    TTransferScope() : Ports(Sim), Progress(Ports) {
        Ports.Manual = &Clock.Clock();
        ModelServices().MidiPorts = &Ports;
        ModelServices().Progress = &Progress;
    }
    TManualClockScope Clock;
    TModelTestScope Model;
    TInstrumentSimulator Sim{0x10};
    TSimulatedPorts Ports;
    TClockProgress Progress;
};

// Fills n bytes with a repeatable seven-bit pattern.
inline Bytes Pattern(std::size_t n, unsigned seed) {
    Bytes b(n);
    unsigned x = seed * 2654435761u + 12345u;
    for (auto& v : b) {
        x = x * 1103515245u + 12345u;
        v = static_cast<std::uint8_t>((x >> 16) & 0x7F);
    }
    return b;
}

}  // namespace zel::test
