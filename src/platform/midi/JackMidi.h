#pragma once
// The program's MIDI ports on a JACK server. The process has one JACK client, "Zelmovi" (JACK numbers the
// client of a second instance, "Zelmovi-01"), with the ports "MIDI In" and "MIDI Out": stable names that
// a patchbay or session manager can connect again. Both ports are registered before the client is
// activated (libjack is not safe against a port registered while its notification thread already runs),
// and the client is deactivated before its ports are unregistered. A device opened on JACK connects one
// of these ports to the port it names; closing the device takes that connection away again.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi/MmSystem.h"

namespace zel {

// The MIDI ports of the other JACK clients: sources (that we read from) or destinations (that we write
// to). The program's own two ports are left out.
std::vector<std::string> JackMidiPortNames(bool sources);

// The full JACK names of the program's own ports ("Zelmovi:MIDI In", "Zelmovi:MIDI Out"); empty when
// there is no JACK server.
std::string JackOwnPortName(bool input);

// The input device: the program's "MIDI In" port, connected to a source. Received is called on the
// server's process thread with complete messages: a short message, or a System Exclusive message from F0
// to F7 even when it came in several events. One input device is open at a time.
class TJackMidiInput {
public:
    using TReceived = std::function<void(const BYTE* data, std::size_t length)>;
    // When it returns, Received is not running and will not run again.
    ~TJackMidiInput();
    // Connects the named source to the input port; nullptr on failure (MMSYSERR_ALLOCATED while another
    // input device is open or there is no server, MMSYSERR_BADDEVICEID when the source is not there).
    static std::unique_ptr<TJackMidiInput> Open(const std::string& source, TReceived received, MMRESULT& result);
    struct TState;

private:
    TJackMidiInput() = default;
    std::unique_ptr<TState> state_;
};

// The output device: the program's "MIDI Out" port, connected to a destination. Send queues one complete
// message for the next process cycle; it answers false when the queue has no room for it at the moment.
// One output device is open at a time.
class TJackMidiOutput {
public:
    ~TJackMidiOutput();
    static std::unique_ptr<TJackMidiOutput> Open(const std::string& destination, MMRESULT& result);
    bool Send(const BYTE* data, std::size_t length);
    struct TState;

private:
    TJackMidiOutput() = default;
    std::unique_ptr<TState> state_;
};

}  // namespace zel
