// The in-process back end: ports that live inside the process, for tests.
#include <algorithm>
#include <deque>
#include <map>
#include <mutex>

#include "platform/midi/MidiBackend.h"

namespace zel {

namespace {

struct TInputEntry {
    // Held while a message is delivered; the port's close takes it, so no delivery outlives the port.
    std::recursive_mutex deliver;
    IMidiInputSink* sink = nullptr;
};

struct THeld {
    std::vector<BYTE> bytes;
    std::uint64_t token = 0;
    IMidiOutputPort::TDone done;
};

struct TOutputEntry {
    TInProcessMidiBackend::TReceiver receiver;
    bool open = false;
    std::deque<THeld> held;
};

}  // namespace

struct TInProcessMidiBackend::TState {
    mutable std::mutex lock;
    std::vector<std::string> inputOrder, outputOrder;
    std::map<std::string, std::shared_ptr<TInputEntry>> inputs;
    std::map<std::string, std::shared_ptr<TOutputEntry>> outputs;
    bool hold = false;
};

namespace {

class TInProcessInputPort : public IMidiInputPort {
public:
    explicit TInProcessInputPort(std::shared_ptr<TInputEntry> entry) : entry_(std::move(entry)) {}
    ~TInProcessInputPort() override {
        std::lock_guard<std::recursive_mutex> guard(entry_->deliver);
        entry_->sink = nullptr;
    }

private:
    std::shared_ptr<TInputEntry> entry_;
};

class TInProcessOutputPort : public IMidiOutputPort {
public:
    TInProcessOutputPort(std::shared_ptr<TInProcessMidiBackend::TState> state, std::shared_ptr<TOutputEntry> entry)
        : state_(std::move(state)), entry_(std::move(entry)) {}
    ~TInProcessOutputPort() override {
        std::lock_guard<std::mutex> guard(state_->lock);
        entry_->open = false;
        entry_->held.clear();
    }

    MMRESULT SendShort(const BYTE* data, std::size_t length) override {
        Deliver(data, length);
        return MMSYSERR_NOERROR;
    }

    MMRESULT SendLong(const BYTE* data, std::size_t length, std::uint64_t token, TDone done) override {
        {
            std::lock_guard<std::mutex> guard(state_->lock);
            if (state_->hold) {
                entry_->held.push_back(THeld{std::vector<BYTE>(data, data + length), token, std::move(done)});
                return MMSYSERR_NOERROR;
            }
        }
        Deliver(data, length);
        done(token);
        return MMSYSERR_NOERROR;
    }

    void CancelPending() override {
        std::deque<THeld> cancelled;
        {
            std::lock_guard<std::mutex> guard(state_->lock);
            cancelled.swap(entry_->held);
        }
        for (THeld& h : cancelled) h.done(h.token);
    }

private:
    void Deliver(const BYTE* data, std::size_t length) {
        TInProcessMidiBackend::TReceiver receiver;
        {
            std::lock_guard<std::mutex> guard(state_->lock);
            receiver = entry_->receiver;
        }
        if (receiver) receiver(data, length);
    }

    std::shared_ptr<TInProcessMidiBackend::TState> state_;
    std::shared_ptr<TOutputEntry> entry_;
};

}  // namespace

TInProcessMidiBackend::TInProcessMidiBackend() : state_(std::make_shared<TState>()) {}
TInProcessMidiBackend::~TInProcessMidiBackend() = default;

void TInProcessMidiBackend::AddInput(const std::string& name) {
    std::lock_guard<std::mutex> guard(state_->lock);
    if (state_->inputs.count(name) != 0) return;
    state_->inputs[name] = std::make_shared<TInputEntry>();
    state_->inputOrder.push_back(name);
}

void TInProcessMidiBackend::AddOutput(const std::string& name, TReceiver receiver) {
    std::lock_guard<std::mutex> guard(state_->lock);
    auto& entry = state_->outputs[name];
    if (!entry) {
        entry = std::make_shared<TOutputEntry>();
        state_->outputOrder.push_back(name);
    }
    entry->receiver = std::move(receiver);
}

bool TInProcessMidiBackend::Inject(const std::string& input, const BYTE* data, std::size_t length) {
    std::shared_ptr<TInputEntry> entry;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        auto it = state_->inputs.find(input);
        if (it == state_->inputs.end()) return false;
        entry = it->second;
    }
    std::lock_guard<std::recursive_mutex> guard(entry->deliver);
    if (entry->sink == nullptr) return false;
    entry->sink->MidiReceived(data, length);
    return true;
}

bool TInProcessMidiBackend::InputOpen(const std::string& input) const {
    std::shared_ptr<TInputEntry> entry;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        auto it = state_->inputs.find(input);
        if (it == state_->inputs.end()) return false;
        entry = it->second;
    }
    std::lock_guard<std::recursive_mutex> guard(entry->deliver);
    return entry->sink != nullptr;
}

bool TInProcessMidiBackend::OutputOpen(const std::string& output) const {
    std::lock_guard<std::mutex> guard(state_->lock);
    auto it = state_->outputs.find(output);
    return it != state_->outputs.end() && it->second->open;
}

void TInProcessMidiBackend::HoldLongMessages(bool hold) {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->hold = hold;
}

void TInProcessMidiBackend::ReleaseHeld() {
    std::vector<std::pair<std::shared_ptr<TOutputEntry>, THeld>> items;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        for (const std::string& name : state_->outputOrder) {
            auto& entry = state_->outputs[name];
            while (!entry->held.empty()) {
                items.emplace_back(entry, std::move(entry->held.front()));
                entry->held.pop_front();
            }
        }
    }
    for (auto& [entry, h] : items) {
        TReceiver receiver;
        {
            std::lock_guard<std::mutex> guard(state_->lock);
            receiver = entry->receiver;
        }
        if (receiver) receiver(h.bytes.data(), h.bytes.size());
        h.done(h.token);
    }
}

std::size_t TInProcessMidiBackend::HeldCount() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    std::size_t n = 0;
    for (const auto& [name, entry] : state_->outputs) n += entry->held.size();
    return n;
}

std::vector<std::string> TInProcessMidiBackend::InputNames() {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->inputOrder;
}

std::vector<std::string> TInProcessMidiBackend::OutputNames() {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->outputOrder;
}

MMRESULT TInProcessMidiBackend::OpenInput(const std::string& name, IMidiInputSink& sink,
                                          std::unique_ptr<IMidiInputPort>& port) {
    if (FailInputOpen != MMSYSERR_NOERROR) return FailInputOpen;
    std::shared_ptr<TInputEntry> entry;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        auto it = state_->inputs.find(name);
        if (it == state_->inputs.end()) return MMSYSERR_BADDEVICEID;
        entry = it->second;
    }
    std::lock_guard<std::recursive_mutex> guard(entry->deliver);
    if (entry->sink != nullptr) return MMSYSERR_ALLOCATED;
    entry->sink = &sink;
    port = std::make_unique<TInProcessInputPort>(entry);
    return MMSYSERR_NOERROR;
}

MMRESULT TInProcessMidiBackend::OpenOutput(const std::string& name, std::unique_ptr<IMidiOutputPort>& port) {
    if (FailOutputOpen != MMSYSERR_NOERROR) return FailOutputOpen;
    std::lock_guard<std::mutex> guard(state_->lock);
    auto it = state_->outputs.find(name);
    if (it == state_->outputs.end()) return MMSYSERR_BADDEVICEID;
    if (it->second->open) return MMSYSERR_ALLOCATED;
    it->second->open = true;
    port = std::make_unique<TInProcessOutputPort>(state_, it->second);
    return MMSYSERR_NOERROR;
}

}  // namespace zel
