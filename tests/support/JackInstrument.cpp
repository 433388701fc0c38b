#include "support/JackInstrument.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

namespace zel::test {

namespace {
jack_client_t* Client(void* p) { return static_cast<jack_client_t*>(p); }
jack_port_t* Port(void* p) { return static_cast<jack_port_t*>(p); }
void Quiet(const char*) {}
}  // namespace

bool JackRequired() {
    const char* v = std::getenv("ZELMOVI_REQUIRE_JACK");
    return v != nullptr && std::strcmp(v, "1") == 0;
}

TJackInstrument::TJackInstrument(std::string clientName)
    : name_(std::move(clientName) + "-" + std::to_string(::getpid())) {}

TJackInstrument::~TJackInstrument() {
    Close();
    for (std::thread& t : delayed_)
        if (t.joinable()) t.join();
}

bool TJackInstrument::Open(std::string& why) {
    if (client_ != nullptr) return true;
    jack_set_error_function(Quiet);
    jack_set_info_function(Quiet);
    jack_status_t status{};
    jack_client_t* c =
        jack_client_open(name_.c_str(), static_cast<jack_options_t>(JackNoStartServer | JackUseExactName), &status);
    if (c == nullptr) {
        const char* server = std::getenv("JACK_DEFAULT_SERVER");
        why = std::string("cannot connect to the JACK server \"") + (server != nullptr ? server : "default") +
              "\" (status " + std::to_string(static_cast<int>(status)) +
              "); start one, e.g. jackd -n zelmovi-ci -r -d dummy, and export JACK_DEFAULT_SERVER";
        return false;
    }
    jack_port_t* in = jack_port_register(c, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_port_t* out = jack_port_register(c, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (in == nullptr || out == nullptr || jack_set_process_callback(c, &TJackInstrument::Process, this) != 0) {
        jack_client_close(c);
        why = "cannot register the JACK MIDI ports of " + name_;
        return false;
    }
    client_ = c;
    in_ = in;
    out_ = out;
    if (jack_activate(c) != 0) {
        jack_client_close(c);
        client_ = in_ = out_ = nullptr;
        why = "cannot activate the JACK client " + name_;
        return false;
    }
    return true;
}

void TJackInstrument::Close() {
    if (client_ == nullptr) return;
    jack_deactivate(Client(client_));
    jack_client_close(Client(client_));
    client_ = in_ = out_ = nullptr;
}

std::string TJackInstrument::OutputPortName() const { return out_ != nullptr ? jack_port_name(Port(out_)) : ""; }
std::string TJackInstrument::InputPortName() const { return in_ != nullptr ? jack_port_name(Port(in_)) : ""; }

void TJackInstrument::Send(const TBytes& message) {
    std::lock_guard<std::mutex> guard(lock_);
    outgoing_.push_back(message);
}

void TJackInstrument::SetMessagesPerCycle(std::size_t count) {
    std::lock_guard<std::mutex> guard(lock_);
    perCycle_ = count;
}

bool TJackInstrument::ConnectOutput(const std::string& destination) {
    if (client_ == nullptr) return false;
    int r = jack_connect(Client(client_), jack_port_name(Port(out_)), destination.c_str());
    return r == 0 || r == EEXIST;
}

namespace {

std::vector<std::string> ConnectionsOf(void* port) {
    std::vector<std::string> names;
    if (port == nullptr) return names;
    const char** ports = jack_port_get_connections(Port(port));
    if (ports == nullptr) return names;
    for (const char** p = ports; *p != nullptr; ++p) names.emplace_back(*p);
    jack_free(ports);
    return names;
}

}  // namespace

std::vector<std::string> TJackInstrument::OutputConnections() const { return ConnectionsOf(out_); }

std::vector<std::string> TJackInstrument::InputConnections() const { return ConnectionsOf(in_); }

std::vector<double> TJackInstrument::SentTimes() const {
    std::lock_guard<std::mutex> guard(lock_);
    return sentTimes_;
}

double TJackInstrument::PeriodMs() const {
    if (client_ == nullptr) return 0;
    return jack_get_buffer_size(Client(client_)) * 1000.0 / jack_get_sample_rate(Client(client_));
}

std::size_t TJackInstrument::QueuedCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return outgoing_.size();
}

std::vector<TBytes> TJackInstrument::Received() const {
    std::lock_guard<std::mutex> guard(lock_);
    return received_;
}

std::size_t TJackInstrument::ReceivedCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return received_.size();
}

void TJackInstrument::ClearReceived() {
    std::lock_guard<std::mutex> guard(lock_);
    received_.clear();
}

void TJackInstrument::AttachSimulator(TInstrumentSimulator& simulator) {
    std::lock_guard<std::mutex> guard(lock_);
    simulator_ = &simulator;
    simulator.Transmit = [this](const TBytes& m) { Send(m); };
    simulator.Schedule = [this](std::uint32_t ms, std::function<void()> fn) {
        delayed_.emplace_back([ms, fn = std::move(fn)] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            fn();
        });
    };
}

bool TJackInstrument::WaitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    auto until = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > until) return pred();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

int TJackInstrument::Process(std::uint32_t nframes, void* arg) {
    return static_cast<TJackInstrument*>(arg)->DoProcess(nframes);
}

int TJackInstrument::DoProcess(std::uint32_t nframes) {
    void* inBuf = jack_port_get_buffer(Port(in_), nframes);
    void* outBuf = jack_port_get_buffer(Port(out_), nframes);
    jack_midi_clear_buffer(outBuf);

    std::vector<TBytes> arrived;
    std::uint32_t count = jack_midi_get_event_count(inBuf);
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t ev{};
        if (jack_midi_event_get(&ev, inBuf, i) == 0) arrived.emplace_back(ev.buffer, ev.buffer + ev.size);
    }
    TInstrumentSimulator* sim = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (const TBytes& m : arrived) received_.push_back(m);
        sim = simulator_;
    }
    if (sim != nullptr)
        for (const TBytes& m : arrived) sim->Receive(m);

    std::lock_guard<std::mutex> guard(lock_);
    const double now =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
    for (std::size_t sent = 0; !outgoing_.empty() && (perCycle_ == 0 || sent < perCycle_); ++sent) {
        const TBytes& m = outgoing_.front();
        if (jack_midi_max_event_size(outBuf) < m.size()) break;  // the rest goes next cycle
        if (jack_midi_event_write(outBuf, 0, m.data(), m.size()) != 0) break;
        outgoing_.pop_front();
        sentTimes_.push_back(now);
    }
    return 0;
}

}  // namespace zel::test
