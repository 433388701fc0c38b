#pragma once
// MIDI ports on a JACK server, each on a client of its own. The port is registered before the client
// is activated: libjack is not safe against a port registered while its notification thread is already
// running, which crashed now and then on opening a device.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi/MmSystem.h"

namespace zel {

// The MIDI ports of every JACK client: sources (that we read from) or destinations (that we write to).
std::vector<std::string> JackMidiPortNames(bool sources);

// Connects two ports by name and returns once the connection carries data (the server puts a new
// connection in place at the start of a later cycle, and what is sent before then is lost).
bool JackConnectPorts(const std::string& source, const std::string& destination);

// An input port. Received is called on the server's process thread with complete messages: a short
// message, or a System Exclusive message from F0 to F7 even when it came in several events.
class TJackMidiInput {
public:
    using TReceived = std::function<void(const BYTE* data, std::size_t length)>;
    ~TJackMidiInput();
    // Opens a client with one input port and connects the named source to it; nullptr on failure.
    static std::unique_ptr<TJackMidiInput> Open(const std::string& clientName, const std::string& portName,
                                                const std::string& source, TReceived received, MMRESULT& result);
    struct TState;

private:
    TJackMidiInput() = default;
    std::unique_ptr<TState> state_;
};

// An output port. Send queues one complete message for the next process cycle; it answers false when
// the queue has no room for it at the moment.
class TJackMidiOutput {
public:
    ~TJackMidiOutput();
    static std::unique_ptr<TJackMidiOutput> Open(const std::string& clientName, const std::string& portName,
                                                 const std::string& destination, MMRESULT& result);
    bool Send(const BYTE* data, std::size_t length);
    struct TState;

private:
    TJackMidiOutput() = default;
    std::unique_ptr<TState> state_;
};

}  // namespace zel
