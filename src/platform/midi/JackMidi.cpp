#include "platform/midi/JackMidi.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>

namespace zel {

namespace {

constexpr const char* kConnectClient = "Zelmovi MIDI Connect";
// Room for several of the largest System Exclusive blocks the instrument takes.
constexpr std::size_t kRingBytes = 64 * 1024;
// A System Exclusive message growing past this is dropped rather than kept growing without end.
constexpr std::size_t kMaxSysex = 1024 * 1024;

void Quiet(const char*) {}

jack_client_t* OpenClient(const std::string& name) {
    jack_set_error_function(Quiet);
    jack_set_info_function(Quiet);
    return jack_client_open(name.c_str(), JackNoStartServer, nullptr);
}

// One shared client, never activated, lists and connects ports.
class TJackConnector {
public:
    ~TJackConnector() {
        if (client_ != nullptr) jack_client_close(client_);
    }
    std::vector<std::string> Ports(bool sources) {
        std::lock_guard<std::mutex> guard(lock_);
        std::vector<std::string> names;
        if (!Open()) return names;
        const char** ports =
            jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE, sources ? JackPortIsOutput : JackPortIsInput);
        if (ports == nullptr) return names;
        for (const char** p = ports; *p != nullptr; ++p) names.emplace_back(*p);
        jack_free(ports);
        return names;
    }
    bool Connect(const std::string& source, const std::string& destination) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!Open()) return false;
        int r = jack_connect(client_, source.c_str(), destination.c_str());
        if (r != 0 && r != EEXIST) return false;
        jack_port_t* port = jack_port_by_name(client_, source.c_str());
        if (port == nullptr) return false;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!jack_port_connected_to(port, destination.c_str())) {
            if (std::chrono::steady_clock::now() > until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

private:
    bool Open() {
        if (client_ == nullptr) client_ = OpenClient(kConnectClient);
        return client_ != nullptr;
    }
    std::mutex lock_;
    jack_client_t* client_ = nullptr;
};

TJackConnector& Connector() {
    static TJackConnector connector;
    return connector;
}

// A client with one port, registered before activation.
struct TJackClient {
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    bool active = false;

    ~TJackClient() { Close(); }
    bool Open(const std::string& clientName, const std::string& portName, unsigned long flags) {
        client = OpenClient(clientName);
        if (client == nullptr) return false;
        port = jack_port_register(client, portName.c_str(), JACK_DEFAULT_MIDI_TYPE, flags, 0);
        return port != nullptr;
    }
    bool Activate(JackProcessCallback process, void* arg) {
        if (jack_set_process_callback(client, process, arg) != 0) return false;
        active = jack_activate(client) == 0;
        return active;
    }
    // When it returns, the process callback is not running and will not run again.
    void Close() {
        if (client == nullptr) return;
        if (active) jack_deactivate(client);
        jack_client_close(client);
        client = nullptr;
        port = nullptr;
        active = false;
    }
};

}  // namespace

std::vector<std::string> JackMidiPortNames(bool sources) { return Connector().Ports(sources); }

bool JackConnectPorts(const std::string& source, const std::string& destination) {
    return Connector().Connect(source, destination);
}

// ------------------------------------------------------------------------------------------- input

struct TJackMidiInput::TState {
    TJackClient jack;
    TReceived received;
    std::vector<BYTE> sysex;  // a System Exclusive message not yet ended by F7
    bool inSysex = false;

    static int Process(jack_nframes_t frames, void* arg) {
        auto* self = static_cast<TState*>(arg);
        void* buffer = jack_port_get_buffer(self->jack.port, frames);
        jack_nframes_t count = jack_midi_get_event_count(buffer);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0) continue;
            self->Event(event.buffer, event.size);
        }
        return 0;
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

TJackMidiInput::~TJackMidiInput() {
    if (state_) state_->jack.Close();
}

std::unique_ptr<TJackMidiInput> TJackMidiInput::Open(const std::string& clientName, const std::string& portName,
                                                     const std::string& source, TReceived received, MMRESULT& result) {
    std::unique_ptr<TJackMidiInput> port(new TJackMidiInput);
    port->state_ = std::make_unique<TState>();
    TState& s = *port->state_;
    s.received = std::move(received);
    s.sysex.reserve(8192);
    if (!s.jack.Open(clientName, portName, JackPortIsInput) || !s.jack.Activate(&TState::Process, &s)) {
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    if (!JackConnectPorts(source, jack_port_name(s.jack.port))) {
        result = MMSYSERR_BADDEVICEID;
        return nullptr;
    }
    result = MMSYSERR_NOERROR;
    return port;
}

// ------------------------------------------------------------------------------------------ output

struct TJackMidiOutput::TState {
    TJackClient jack;
    jack_ringbuffer_t* ring = nullptr;
    std::mutex writeLock;  // one writer at a time: the ring has a single producer

    ~TState() {
        jack.Close();
        if (ring != nullptr) jack_ringbuffer_free(ring);
    }

    // Each message sits in the ring as its length (32 bits) followed by its bytes.
    static int Process(jack_nframes_t frames, void* arg) {
        auto* self = static_cast<TState*>(arg);
        void* buffer = jack_port_get_buffer(self->jack.port, frames);
        jack_midi_clear_buffer(buffer);
        bool wroteAny = false;
        for (;;) {
            std::uint32_t size = 0;
            std::size_t available = jack_ringbuffer_read_space(self->ring);
            if (available < sizeof size) break;
            jack_ringbuffer_peek(self->ring, reinterpret_cast<char*>(&size), sizeof size);
            if (available < sizeof size + size) break;  // its bytes are still being written
            jack_midi_data_t* out = jack_midi_event_reserve(buffer, 0, size);
            if (out == nullptr && wroteAny) break;  // goes out in the next cycle
            jack_ringbuffer_read_advance(self->ring, sizeof size);
            if (out == nullptr) {
                // Larger than a whole cycle's buffer: it can never go out.
                jack_ringbuffer_read_advance(self->ring, size);
                continue;
            }
            jack_ringbuffer_read(self->ring, reinterpret_cast<char*>(out), size);
            wroteAny = true;
        }
        return 0;
    }
};

TJackMidiOutput::~TJackMidiOutput() {
    if (!state_) return;
    // What was sent just before closing (the last note-off) still goes out.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
    while (state_->jack.active && jack_ringbuffer_read_space(state_->ring) > 0 &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::unique_ptr<TJackMidiOutput> TJackMidiOutput::Open(const std::string& clientName, const std::string& portName,
                                                       const std::string& destination, MMRESULT& result) {
    std::unique_ptr<TJackMidiOutput> port(new TJackMidiOutput);
    port->state_ = std::make_unique<TState>();
    TState& s = *port->state_;
    s.ring = jack_ringbuffer_create(kRingBytes);
    if (s.ring == nullptr || !s.jack.Open(clientName, portName, JackPortIsOutput) ||
        !s.jack.Activate(&TState::Process, &s)) {
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    if (!JackConnectPorts(jack_port_name(s.jack.port), destination)) {
        result = MMSYSERR_BADDEVICEID;
        return nullptr;
    }
    result = MMSYSERR_NOERROR;
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
