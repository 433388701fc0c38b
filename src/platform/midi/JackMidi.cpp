#include "platform/midi/JackMidi.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>

namespace zel {

namespace {

constexpr const char* kClientName = "Zelmovi";
constexpr const char* kInPortName = "MIDI In";
constexpr const char* kOutPortName = "MIDI Out";
// Room for several of the largest System Exclusive blocks the instrument takes.
constexpr std::size_t kRingBytes = 64 * 1024;
// A System Exclusive message growing past this is dropped rather than kept growing without end.
constexpr std::size_t kMaxSysex = 1024 * 1024;
// How long a new connection may take to carry data.
constexpr auto kConnectWait = std::chrono::seconds(2);

void Quiet(const char*) {}

}  // namespace

// ------------------------------------------------------------------------------ the devices' states

struct TJackMidiInput::TState {
    TReceived received;
    std::vector<BYTE> sysex;  // a System Exclusive message not yet ended by F7
    bool inSysex = false;

    void Read(void* buffer) {
        jack_nframes_t count = jack_midi_get_event_count(buffer);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0) continue;
            Event(event.buffer, event.size);
        }
    }

    void Event(const BYTE* data, std::size_t size) {
        if (data[0] == 0xF0) {
            sysex.clear();
            inSysex = true;
        } else if (inSysex && data[0] >= 0x80 && data[0] < 0xF8 && data[0] != 0xF7) {
            // A new status byte breaks off an unfinished System Exclusive message.
            inSysex = false;
        }
        if (!inSysex) {
            received(data, size);
            return;
        }
        for (std::size_t i = 0; i < size; ++i) {
            BYTE b = data[i];
            if (b >= 0xF8) {
                received(&b, 1);  // real-time bytes may come between a message's bytes
                continue;
            }
            if (sysex.size() < kMaxSysex) sysex.push_back(b);
            if (b == 0xF7) {
                inSysex = false;
                if (sysex.size() < kMaxSysex) received(sysex.data(), sysex.size());
                sysex.clear();
                if (i + 1 < size) Event(data + i + 1, size - i - 1);
                return;
            }
        }
    }
};

struct TJackMidiOutput::TState {
    jack_ringbuffer_t* ring = nullptr;
    std::mutex writeLock;  // one writer at a time: the ring has a single producer

    ~TState() {
        if (ring != nullptr) jack_ringbuffer_free(ring);
    }

    // Each message sits in the ring as its length (32 bits) followed by its bytes.
    void Write(void* buffer) {
        bool wroteAny = false;
        for (;;) {
            std::uint32_t size = 0;
            std::size_t available = jack_ringbuffer_read_space(ring);
            if (available < sizeof size) break;
            jack_ringbuffer_peek(ring, reinterpret_cast<char*>(&size), sizeof size);
            if (available < sizeof size + size) break;  // its bytes are still being written
            jack_midi_data_t* out = jack_midi_event_reserve(buffer, 0, size);
            if (out == nullptr && wroteAny) break;  // goes out in the next cycle
            jack_ringbuffer_read_advance(ring, sizeof size);
            if (out == nullptr) {
                // Larger than a whole cycle's buffer: it can never go out.
                jack_ringbuffer_read_advance(ring, size);
                continue;
            }
            jack_ringbuffer_read(ring, reinterpret_cast<char*>(out), size);
            wroteAny = true;
        }
    }
};

namespace {

// The process's one JACK client, opened on first use and kept to the end of the process (or until the
// server goes away: the next use then opens a new one). It lists and connects ports, and its process
// callback serves the open input and output device. The callback never blocks: it only tries the locks
// that attaching and detaching a device hold for a moment, and leaves a cycle's work to the next one
// when it cannot take them.
class TJackSession {
public:
    ~TJackSession() { Close(); }

    std::vector<std::string> Ports(bool sources) {
        std::lock_guard<std::mutex> guard(lock_);
        std::vector<std::string> names;
        if (!Open()) return names;
        const std::string own = std::string(jack_get_client_name(client_)) + ":";
        const char** ports =
            jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE, sources ? JackPortIsOutput : JackPortIsInput);
        if (ports == nullptr) return names;
        for (const char** p = ports; *p != nullptr; ++p)
            if (std::strncmp(*p, own.c_str(), own.size()) != 0) names.emplace_back(*p);
        jack_free(ports);
        return names;
    }

    std::string OwnPortName(bool input) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!Open()) return "";
        return jack_port_name(input ? in_ : out_);
    }

    bool Connect(const std::string& source, const std::string& destination) {
        std::lock_guard<std::mutex> guard(lock_);
        return Open() && ConnectLocked(source, destination);
    }

    MMRESULT AttachInput(TJackMidiInput::TState& state, const std::string& source) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!Open()) return MMSYSERR_ALLOCATED;
        {
            std::lock_guard<std::mutex> in(inLock_);
            if (input_ != nullptr) return MMSYSERR_ALLOCATED;
            input_ = &state;
        }
        if (ConnectLocked(source, jack_port_name(in_))) return MMSYSERR_NOERROR;
        DetachLocked(true);
        return MMSYSERR_BADDEVICEID;
    }

    MMRESULT AttachOutput(TJackMidiOutput::TState& state, const std::string& destination) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!Open()) return MMSYSERR_ALLOCATED;
        {
            std::lock_guard<std::mutex> out(outLock_);
            if (output_ != nullptr) return MMSYSERR_ALLOCATED;
            output_ = &state;
        }
        if (ConnectLocked(jack_port_name(out_), destination)) return MMSYSERR_NOERROR;
        DetachLocked(false);
        return MMSYSERR_BADDEVICEID;
    }

    // When it returns, the process callback no longer reaches the device's state, and the port is
    // connected to nothing.
    void Detach(const void* state, bool input) {
        std::lock_guard<std::mutex> guard(lock_);
        if ((input ? static_cast<const void*>(input_) : static_cast<const void*>(output_)) == state)
            DetachLocked(input);
    }

    // Whether the output is still served by running process cycles (a server gone away serves none).
    bool Running() const { return !shutDown_; }

private:
    bool Open() {
        if (client_ != nullptr && shutDown_) Close();
        if (client_ != nullptr) return true;
        jack_set_error_function(Quiet);
        jack_set_info_function(Quiet);
        client_ = jack_client_open(kClientName, JackNoStartServer, nullptr);
        if (client_ == nullptr) return false;
        in_ = jack_port_register(client_, kInPortName, JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        out_ = jack_port_register(client_, kOutPortName, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        shutDown_ = false;
        jack_on_shutdown(client_, &TJackSession::ShutDown, this);
        if (in_ == nullptr || out_ == nullptr ||
            jack_set_process_callback(client_, &TJackSession::Process, this) != 0 || jack_activate(client_) != 0) {
            jack_client_close(client_);
            client_ = nullptr;
            in_ = out_ = nullptr;
            return false;
        }
        return true;
    }

    // Deactivates before the ports go: no process cycle runs while they are unregistered.
    void Close() {
        if (client_ == nullptr) return;
        if (!shutDown_) {
            jack_deactivate(client_);
            jack_port_unregister(client_, in_);
            jack_port_unregister(client_, out_);
        }
        jack_client_close(client_);
        client_ = nullptr;
        in_ = out_ = nullptr;
    }

    bool ConnectLocked(const std::string& source, const std::string& destination) {
        int r = jack_connect(client_, source.c_str(), destination.c_str());
        if (r != 0 && r != EEXIST) return false;
        jack_port_t* port = jack_port_by_name(client_, source.c_str());
        if (port == nullptr) return false;
        const auto until = std::chrono::steady_clock::now() + kConnectWait;
        while (!jack_port_connected_to(port, destination.c_str())) {
            if (shutDown_ || std::chrono::steady_clock::now() > until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    void DetachLocked(bool input) {
        if (input) {
            std::lock_guard<std::mutex> in(inLock_);
            input_ = nullptr;
        } else {
            std::lock_guard<std::mutex> out(outLock_);
            output_ = nullptr;
        }
        if (client_ != nullptr && !shutDown_) jack_port_disconnect(client_, input ? in_ : out_);
    }

    static int Process(jack_nframes_t frames, void* arg) {
        auto* self = static_cast<TJackSession*>(arg);
        void* out = jack_port_get_buffer(self->out_, frames);
        jack_midi_clear_buffer(out);
        if (self->inLock_.try_lock()) {
            if (self->input_ != nullptr) self->input_->Read(jack_port_get_buffer(self->in_, frames));
            self->inLock_.unlock();
        }
        if (self->outLock_.try_lock()) {
            if (self->output_ != nullptr) self->output_->Write(out);
            self->outLock_.unlock();
        }
        return 0;
    }

    static void ShutDown(void* arg) { static_cast<TJackSession*>(arg)->shutDown_ = true; }

    std::mutex lock_;  // the client, its ports and the attaching of devices
    jack_client_t* client_ = nullptr;
    jack_port_t* in_ = nullptr;
    jack_port_t* out_ = nullptr;
    std::atomic<bool> shutDown_{false};
    std::mutex inLock_, outLock_;
    TJackMidiInput::TState* input_ = nullptr;
    TJackMidiOutput::TState* output_ = nullptr;
};

TJackSession& Session() {
    static TJackSession session;
    return session;
}

}  // namespace

std::vector<std::string> JackMidiPortNames(bool sources) { return Session().Ports(sources); }

std::string JackOwnPortName(bool input) { return Session().OwnPortName(input); }

// ------------------------------------------------------------------------------------------- input

TJackMidiInput::~TJackMidiInput() {
    if (state_) Session().Detach(state_.get(), true);
}

std::unique_ptr<TJackMidiInput> TJackMidiInput::Open(const std::string& source, TReceived received, MMRESULT& result) {
    std::unique_ptr<TJackMidiInput> port(new TJackMidiInput);
    port->state_ = std::make_unique<TState>();
    TState& s = *port->state_;
    s.received = std::move(received);
    s.sysex.reserve(8192);
    result = Session().AttachInput(s, source);
    if (result != MMSYSERR_NOERROR) {
        port->state_.reset();
        return nullptr;
    }
    return port;
}

// ------------------------------------------------------------------------------------------ output

TJackMidiOutput::~TJackMidiOutput() {
    if (!state_) return;
    // What was sent just before closing (the last note-off) still goes out.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
    while (Session().Running() && jack_ringbuffer_read_space(state_->ring) > 0 &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    Session().Detach(state_.get(), false);
}

std::unique_ptr<TJackMidiOutput> TJackMidiOutput::Open(const std::string& destination, MMRESULT& result) {
    std::unique_ptr<TJackMidiOutput> port(new TJackMidiOutput);
    port->state_ = std::make_unique<TState>();
    TState& s = *port->state_;
    s.ring = jack_ringbuffer_create(kRingBytes);
    result = s.ring == nullptr ? MMSYSERR_NOMEM : Session().AttachOutput(s, destination);
    if (result != MMSYSERR_NOERROR) {
        port->state_.reset();
        return nullptr;
    }
    return port;
}

bool TJackMidiOutput::Send(const BYTE* data, std::size_t length) {
    if (length == 0) return true;
    TState& s = *state_;
    std::lock_guard<std::mutex> guard(s.writeLock);
    auto size = static_cast<std::uint32_t>(length);
    if (jack_ringbuffer_write_space(s.ring) < sizeof size + length) return false;
    jack_ringbuffer_write(s.ring, reinterpret_cast<const char*>(&size), sizeof size);
    jack_ringbuffer_write(s.ring, reinterpret_cast<const char*>(data), length);
    return true;
}

}  // namespace zel
