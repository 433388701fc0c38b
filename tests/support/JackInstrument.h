#pragma once
// A JACK client with one MIDI output port ("out": what the program hears) and one MIDI input port ("in":
// what the program sends), so that a test goes through a real MIDI transport. It records every message
// it receives, sends what the test queues, and can host the instrument simulator.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/InstrumentSimulator.h"

namespace zel::test {

class TJackInstrument {
public:
    // The client is named clientName plus the process id, so that test processes running side by side
    // do not collide.
    explicit TJackInstrument(std::string clientName = "zelmovi-sim");
    ~TJackInstrument();
    TJackInstrument(const TJackInstrument&) = delete;
    TJackInstrument& operator=(const TJackInstrument&) = delete;

    // Connects to the JACK server (JACK_DEFAULT_SERVER chooses which) and activates the client. On
    // failure returns false and says why.
    bool Open(std::string& why);
    void Close();
    bool IsOpen() const { return client_ != nullptr; }

    // Full JACK names of the two ports: the program's MIDI input opens OutputPortName.
    std::string OutputPortName() const;
    std::string InputPortName() const;

    // Connects the output to another client's input port (its full name) besides the ports the program
    // connects itself; the full names of the ports the output feeds now, and of those that feed the input.
    bool ConnectOutput(const std::string& destination);
    std::vector<std::string> OutputConnections() const;
    std::vector<std::string> InputConnections() const;

    // Queues one complete message; each process cycle sends as many queued messages as fit, or at most
    // the number set by SetMessagesPerCycle (0: no limit).
    void Send(const TBytes& message);
    void SetMessagesPerCycle(std::size_t count);
    // When each message went out, in order of sending: milliseconds on the steady clock, the clock the
    // program's tick count runs on, taken in the process cycle that wrote the message.
    std::vector<double> SentTimes() const;
    // The length of the server's process cycle in milliseconds.
    double PeriodMs() const;
    std::size_t QueuedCount() const;
    // Every message received, in order of arrival.
    std::vector<TBytes> Received() const;
    std::size_t ReceivedCount() const;
    void ClearReceived();

    // Lets the simulator answer: what arrives goes to it, what it transmits is sent; late answers run
    // on a helper thread.
    void AttachSimulator(TInstrumentSimulator& simulator);

    // Bounded polling: waits until pred() holds or the time-out passes; returns pred().
    static bool WaitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout);

private:
    static int Process(std::uint32_t nframes, void* arg);
    int DoProcess(std::uint32_t nframes);

    std::string name_;
    void* client_ = nullptr;  // jack_client_t*
    void* in_ = nullptr;      // jack_port_t*
    void* out_ = nullptr;
    mutable std::mutex lock_;
    std::deque<TBytes> outgoing_;
    std::vector<TBytes> received_;
    std::vector<double> sentTimes_;
    std::size_t perCycle_ = 0;
    TInstrumentSimulator* simulator_ = nullptr;
    std::vector<std::thread> delayed_;
};

// Whether the end-to-end tests must run: ZELMOVI_REQUIRE_JACK=1 turns a missing JACK server into a
// failure instead of a skipped test.
bool JackRequired();

}  // namespace zel::test
