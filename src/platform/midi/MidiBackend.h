#pragma once
// The seam under the winmm-shaped MIDI services: a back end lists its ports and opens them. The program
// uses RtMidi (the ALSA sequencer where it exists, else JACK; ZELMOVI_MIDI_API=alsa|jack forces one);
// tests install an in-process back end so that an instrument simulator sits right behind the layer.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/midi/MmSystem.h"

namespace zel {

// Receives complete MIDI messages (a short message, or a whole System Exclusive message from F0 to F7)
// on the back end's thread.
class IMidiInputSink {
public:
    virtual ~IMidiInputSink() = default;
    virtual void MidiReceived(const BYTE* data, std::size_t length) = 0;
};

// An open input port. Destroying it closes it: when the destructor returns, no MidiReceived is running
// or will run.
class IMidiInputPort {
public:
    virtual ~IMidiInputPort() = default;
};

// An open output port.
class IMidiOutputPort {
public:
    using TDone = std::function<void(std::uint64_t token)>;
    virtual ~IMidiOutputPort() = default;
    // Sends one complete message at once (a short message).
    virtual MMRESULT SendShort(const BYTE* data, std::size_t length) = 0;
    // Queues one complete System Exclusive message; done(token) is called, on any thread, once it has
    // gone out, or from CancelPending when it never will.
    virtual MMRESULT SendLong(const BYTE* data, std::size_t length, std::uint64_t token, TDone done) = 0;
    // Drops every queued message not yet sent, calling done for each; when it returns, no done call runs.
    virtual void CancelPending() = 0;
};

class IMidiBackend {
public:
    virtual ~IMidiBackend() = default;
    virtual std::vector<std::string> InputNames() = 0;
    virtual std::vector<std::string> OutputNames() = 0;
    // Opens the port with the given name; MMSYSERR_BADDEVICEID when it is gone.
    virtual MMRESULT OpenInput(const std::string& name, IMidiInputSink& sink,
                               std::unique_ptr<IMidiInputPort>& port) = 0;
    virtual MMRESULT OpenOutput(const std::string& name, std::unique_ptr<IMidiOutputPort>& port) = 0;
};

// The back end in use: the test back end when one is installed, else the RtMidi back end (made on
// first use). Installing nullptr goes back to RtMidi. The caller keeps ownership of the test back end;
// no device may be open while it changes.
IMidiBackend& MidiBackend();
void SetMidiBackendForTests(IMidiBackend* backend);

// The RtMidi back end's API chosen for this process: "alsa", "jack" or "" when neither works.
std::string RtMidiApiName();

// ------------------------------------------------------------------------------ in-process back end

// Named ports that live inside the process. Bytes sent to an output port go to its receiver function on
// the sending thread; bytes injected into an input port reach the open device on the injecting thread.
// Long messages on an output can be held back (as a slow driver would) and released later.
class TInProcessMidiBackend : public IMidiBackend {
public:
    using TReceiver = std::function<void(const BYTE* data, std::size_t length)>;

    TInProcessMidiBackend();
    ~TInProcessMidiBackend() override;

    void AddInput(const std::string& name);
    void AddOutput(const std::string& name, TReceiver receiver = {});

    // Delivers one complete message to the input port of that name when a device has it open.
    // Returns false when the port is not open.
    bool Inject(const std::string& input, const BYTE* data, std::size_t length);
    bool Inject(const std::string& input, const std::vector<BYTE>& bytes) {
        return Inject(input, bytes.data(), bytes.size());
    }
    bool InputOpen(const std::string& input) const;
    bool OutputOpen(const std::string& output) const;

    // While held, System Exclusive blocks stay queued in the output and are not reported done.
    void HoldLongMessages(bool hold);
    // Sends the held blocks of every output in order and reports each done.
    void ReleaseHeld();
    std::size_t HeldCount() const;

    // Makes the next opens fail with this code (0: open normally).
    MMRESULT FailInputOpen = MMSYSERR_NOERROR;
    MMRESULT FailOutputOpen = MMSYSERR_NOERROR;

    std::vector<std::string> InputNames() override;
    std::vector<std::string> OutputNames() override;
    MMRESULT OpenInput(const std::string& name, IMidiInputSink& sink, std::unique_ptr<IMidiInputPort>& port) override;
    MMRESULT OpenOutput(const std::string& name, std::unique_ptr<IMidiOutputPort>& port) override;

    struct TState;

private:
    std::shared_ptr<TState> state_;
};

}  // namespace zel
