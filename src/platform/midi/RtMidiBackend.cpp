// The MIDI back end: the devices are the ports of the ALSA sequencer through RtMidi, or of JACK where
// there is no sequencer (ZELMOVI_MIDI_API=alsa|jack forces one). On JACK the program's own client serves
// the devices (JackMidi.h): a device connects the program's port to the one it names, so that ports
// coming and going in other programs between listing and connecting cannot make it connect to the wrong
// one. The program's own ports are left out of the lists, so that opening one device never shifts the ids
// of the others.
#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/midi/JackMidi.h"
#include "platform/midi/MidiBackend.h"

namespace zel {

namespace {

constexpr const char* kOwnClientPrefix = "Zelmovi MIDI";
constexpr const char* kInClient = "Zelmovi MIDI In";
constexpr const char* kOutClient = "Zelmovi MIDI Out";
constexpr const char* kQueryClient = "Zelmovi MIDI Query";

// Errors reported through this callback are kept instead of printed or thrown.
struct TErrorSlot {
    std::atomic<bool> failed{false};
};

// A warning on send means the message did not go out (a full JACK ring, for one).
void RecordError(RtMidiError::Type /*type*/, const std::string& /*text*/, void* user) {
    static_cast<TErrorSlot*>(user)->failed = true;
}

std::optional<RtMidi::Api> ChooseApi() {
    const char* forced = std::getenv("ZELMOVI_MIDI_API");
    if (forced != nullptr) {
        std::string f = forced;
        if (f == "jack") return RtMidi::UNIX_JACK;
        if (f == "alsa") return RtMidi::LINUX_ALSA;
    }
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    auto has = [&](RtMidi::Api a) { return std::find(apis.begin(), apis.end(), a) != apis.end(); };
    if (has(RtMidi::LINUX_ALSA)) {
        try {
            RtMidiIn probe(RtMidi::LINUX_ALSA, kQueryClient);
            return RtMidi::LINUX_ALSA;
        } catch (const RtMidiError&) {
        }
    }
    if (has(RtMidi::UNIX_JACK)) return RtMidi::UNIX_JACK;
    return std::nullopt;
}

bool IsOwnPort(const std::string& name) { return name.rfind(kOwnClientPrefix, 0) == 0; }

// Lists the ports of one direction, without the program's own.
template <class TRt>
std::vector<std::string> ListPorts(TRt& rt) {
    std::vector<std::string> names;
    unsigned n = rt.getPortCount();
    for (unsigned i = 0; i < n; ++i) {
        std::string name = rt.getPortName(i);
        if (!name.empty() && !IsOwnPort(name)) names.push_back(name);
    }
    return names;
}

template <class TRt>
std::optional<unsigned> FindPort(TRt& rt, const std::string& name) {
    unsigned n = rt.getPortCount();
    for (unsigned i = 0; i < n; ++i)
        if (rt.getPortName(i) == name) return i;
    return std::nullopt;
}

class TRtInputPort : public IMidiInputPort {
public:
    TRtInputPort(RtMidi::Api api, IMidiInputSink& sink) : api_(api), sink_(&sink) {
        if (api_ == RtMidi::UNIX_JACK) return;
        in_ = std::make_unique<RtMidiIn>(api, kInClient, 1024);
        in_->setErrorCallback(RecordError, &errors_);
        in_->ignoreTypes(false, false, false);
        in_->setCallback(&TRtInputPort::Received, this);
    }
    ~TRtInputPort() override {
        {
            std::lock_guard<std::mutex> guard(deliver_);
            sink_ = nullptr;
        }
        jackIn_.reset();
        if (!in_) return;
        try {
            in_->cancelCallback();
            in_->closePort();
        } catch (const RtMidiError&) {
        }
        in_.reset();
    }

    MMRESULT Open(const std::string& name) {
        try {
            errors_.failed = false;
            if (api_ == RtMidi::UNIX_JACK) {
                MMRESULT result = MMSYSERR_ERROR;
                jackIn_ = TJackMidiInput::Open(
                    name, [this](const BYTE* data, std::size_t length) { Deliver(data, length); }, result);
                return result;
            }
            auto index = FindPort(*in_, name);
            if (!index) return MMSYSERR_BADDEVICEID;
            in_->openPort(*index, "Input");
            if (errors_.failed || !in_->isPortOpen()) return MMSYSERR_ALLOCATED;
            return MMSYSERR_NOERROR;
        } catch (const RtMidiError&) {
            return MMSYSERR_ERROR;
        }
    }

private:
    static void Received(double /*delta*/, std::vector<unsigned char>* message, void* user) {
        if (message != nullptr) static_cast<TRtInputPort*>(user)->Deliver(message->data(), message->size());
    }
    void Deliver(const BYTE* data, std::size_t length) {
        std::lock_guard<std::mutex> guard(deliver_);
        if (sink_ != nullptr && length > 0) sink_->MidiReceived(data, length);
    }

    RtMidi::Api api_;
    std::mutex deliver_;
    IMidiInputSink* sink_ = nullptr;
    TErrorSlot errors_;
    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<TJackMidiInput> jackIn_;
};

// Short messages go out at once; System Exclusive blocks go out in order on a sender thread, which
// reports each done once RtMidi has taken it.
class TRtOutputPort : public IMidiOutputPort {
public:
    explicit TRtOutputPort(RtMidi::Api api) : api_(api) {
        if (api_ == RtMidi::UNIX_JACK) return;
        out_ = std::make_unique<RtMidiOut>(api, kOutClient);
        out_->setErrorCallback(RecordError, &errors_);
    }
    ~TRtOutputPort() override {
        CancelPending();
        {
            std::lock_guard<std::mutex> guard(queueLock_);
            stop_ = true;
        }
        wake_.notify_all();
        if (sender_.joinable()) sender_.join();
        jackOut_.reset();
        if (!out_) return;
        try {
            out_->closePort();
        } catch (const RtMidiError&) {
        }
    }

    MMRESULT Open(const std::string& name) {
        try {
            errors_.failed = false;
            if (api_ == RtMidi::UNIX_JACK) {
                MMRESULT result = MMSYSERR_ERROR;
                jackOut_ = TJackMidiOutput::Open(name, result);
                if (result != MMSYSERR_NOERROR) return result;
            } else {
                auto index = FindPort(*out_, name);
                if (!index) return MMSYSERR_BADDEVICEID;
                out_->openPort(*index, "Output");
                if (errors_.failed || !out_->isPortOpen()) return MMSYSERR_ALLOCATED;
            }
        } catch (const RtMidiError&) {
            return MMSYSERR_ERROR;
        }
        sender_ = std::thread([this] { SenderLoop(); });
        return MMSYSERR_NOERROR;
    }

    MMRESULT SendShort(const BYTE* data, std::size_t length) override {
        return Send(data, length) ? MMSYSERR_NOERROR : MIDIERR_NOTREADY;
    }

    MMRESULT SendLong(const BYTE* data, std::size_t length, std::uint64_t token, TDone done) override {
        {
            std::lock_guard<std::mutex> guard(queueLock_);
            queue_.push_back(TItem{std::vector<BYTE>(data, data + length), token, std::move(done)});
        }
        wake_.notify_all();
        return MMSYSERR_NOERROR;
    }

    void CancelPending() override {
        std::deque<TItem> cancelled;
        {
            std::unique_lock<std::mutex> guard(queueLock_);
            cancelled.swap(queue_);
            // A block being sent right now is reported by the sender; wait for it.
            idle_.wait(guard, [this] { return !busy_; });
        }
        for (TItem& item : cancelled) item.done(item.token);
    }

private:
    struct TItem {
        std::vector<BYTE> bytes;
        std::uint64_t token = 0;
        TDone done;
    };

    // A message that does not fit the JACK ring at the moment is refused; a long block is offered again
    // until the ring has drained enough (or two seconds have passed).
    bool Send(const BYTE* data, std::size_t length, bool retry = false) {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        for (;;) {
            {
                std::lock_guard<std::mutex> guard(sendLock_);
                if (jackOut_) {
                    if (jackOut_->Send(data, length)) return true;
                } else {
                    errors_.failed = false;
                    try {
                        out_->sendMessage(data, length);
                    } catch (const RtMidiError&) {
                        errors_.failed = true;
                    }
                    if (!errors_.failed) return true;
                }
            }
            if (!retry || std::chrono::steady_clock::now() > until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void SenderLoop() {
        std::unique_lock<std::mutex> guard(queueLock_);
        for (;;) {
            wake_.wait(guard, [this] { return stop_ || !queue_.empty(); });
            if (stop_ && queue_.empty()) return;
            TItem item = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
            guard.unlock();
            Send(item.bytes.data(), item.bytes.size(), true);
            item.done(item.token);
            guard.lock();
            busy_ = false;
            idle_.notify_all();
        }
    }

    RtMidi::Api api_;
    std::mutex sendLock_;
    TErrorSlot errors_;
    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<TJackMidiOutput> jackOut_;
    std::mutex queueLock_;
    std::condition_variable wake_, idle_;
    std::deque<TItem> queue_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread sender_;
};

class TRtMidiBackend : public IMidiBackend {
public:
    TRtMidiBackend() : api_(ChooseApi()) {}

    std::vector<std::string> InputNames() override {
        if (api_ == RtMidi::UNIX_JACK) return JackMidiPortNames(true);
        std::lock_guard<std::mutex> guard(lock_);
        if (!QueryIn()) return {};
        try {
            return ListPorts(*queryIn_);
        } catch (const RtMidiError&) {
            return {};
        }
    }

    std::vector<std::string> OutputNames() override {
        if (api_ == RtMidi::UNIX_JACK) return JackMidiPortNames(false);
        std::lock_guard<std::mutex> guard(lock_);
        if (!QueryOut()) return {};
        try {
            return ListPorts(*queryOut_);
        } catch (const RtMidiError&) {
            return {};
        }
    }

    MMRESULT OpenInput(const std::string& name, IMidiInputSink& sink, std::unique_ptr<IMidiInputPort>& port) override {
        if (!api_) return MMSYSERR_NODRIVER;
        try {
            auto p = std::make_unique<TRtInputPort>(*api_, sink);
            MMRESULT r = p->Open(name);
            if (r == MMSYSERR_NOERROR) port = std::move(p);
            return r;
        } catch (const RtMidiError&) {
            return MMSYSERR_NODRIVER;
        }
    }

    MMRESULT OpenOutput(const std::string& name, std::unique_ptr<IMidiOutputPort>& port) override {
        if (!api_) return MMSYSERR_NODRIVER;
        try {
            auto p = std::make_unique<TRtOutputPort>(*api_);
            MMRESULT r = p->Open(name);
            if (r == MMSYSERR_NOERROR) port = std::move(p);
            return r;
        } catch (const RtMidiError&) {
            return MMSYSERR_NODRIVER;
        }
    }

    std::string ApiName() const {
        if (!api_) return "";
        return *api_ == RtMidi::UNIX_JACK ? "jack" : "alsa";
    }

private:
    bool QueryIn() {
        if (!api_) return false;
        if (!queryIn_) {
            try {
                queryIn_ = std::make_unique<RtMidiIn>(*api_, kQueryClient);
                queryIn_->setErrorCallback(RecordError, &queryErrors_);
            } catch (const RtMidiError&) {
                return false;
            }
        }
        return true;
    }
    bool QueryOut() {
        if (!api_) return false;
        if (!queryOut_) {
            try {
                queryOut_ = std::make_unique<RtMidiOut>(*api_, kQueryClient);
                queryOut_->setErrorCallback(RecordError, &queryErrors_);
            } catch (const RtMidiError&) {
                return false;
            }
        }
        return true;
    }

    std::optional<RtMidi::Api> api_;
    std::mutex lock_;
    TErrorSlot queryErrors_;
    std::unique_ptr<RtMidiIn> queryIn_;
    std::unique_ptr<RtMidiOut> queryOut_;
};

std::mutex gBackendLock;
IMidiBackend* gTestBackend = nullptr;

TRtMidiBackend& RtBackend() {
    static TRtMidiBackend backend;
    return backend;
}

}  // namespace

IMidiBackend& MidiBackend() {
    std::lock_guard<std::mutex> guard(gBackendLock);
    if (gTestBackend != nullptr) return *gTestBackend;
    return RtBackend();
}

void SetMidiBackendForTests(IMidiBackend* backend) {
    std::lock_guard<std::mutex> guard(gBackendLock);
    gTestBackend = backend;
}

std::string RtMidiApiName() { return RtBackend().ApiName(); }

}  // namespace zel
