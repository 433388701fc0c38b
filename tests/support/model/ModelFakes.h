#pragma once
// Stand-ins for the services the window layers register with the model: a recording MIDI output,
// scripted file dialogs and message boxes, fake windows, monitor and progress window, plus small element
// classes and a guard that gives each test a clean model state.
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/LibElem.h"
#include "model/ModelServices.h"
#include "model/Settings.h"
#include "model/SharedRoutines.h"
#include "model/SysexFraming.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Streams.h"

namespace zel::test {

using Bytes = std::vector<std::uint8_t>;

// Reads an element's .Syx body from Body, as a file of those bytes would be read.
inline void ReadSyxFrom(TLibElem& Element, const Bytes& Body) {
    TMemoryStream stream;
    if (!Body.empty()) stream.WriteBuffer(Body.data(), static_cast<std::int64_t>(Body.size()));
    stream.SetPosition(0);
    Element.ReadSyx(stream);
}

// Records every message handed to the output, with the clock's total wait and the time at that moment,
// and every message long or short in the order it left.
class TRecordingMidiPorts : public IMidiPorts {
public:
    bool OutputOpen() const override { return Open; }
    void PutLong(const std::uint8_t* data, std::size_t size) override {
        Sent.emplace_back(data, data + size);
        Wire.emplace_back(data, data + size);
        SentAt.push_back(GetTickCount());
        if (Manual != nullptr) WaitedAtSend.push_back(Manual->TotalWaited());
    }
    void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        Shorts.push_back({status, data1, data2});
        Wire.push_back({status, data1, data2});
    }
    // When each long message left, counted from the first.
    std::vector<TTick> Departures() const {
        std::vector<TTick> out;
        for (TTick at : SentAt) out.push_back(at - SentAt.front());
        return out;
    }
    void ClearSent() {
        Sent.clear();
        SentAt.clear();
        Wire.clear();
    }
    void CloseDevs() override { Calls.push_back("CloseDevs"); }
    void OpenDevs() override { Calls.push_back("OpenDevs"); }
    void InstallInputHandler(TNotifyEvent handler) override {
        Calls.push_back(handler ? "SetInputHandler" : "ClearInputHandler");
        Handler = std::move(handler);
    }

    bool Open = true;
    TManualClock* Manual = nullptr;
    std::vector<Bytes> Sent;
    std::vector<TTick> SentAt;
    std::vector<Bytes> Wire;
    std::vector<TTick> WaitedAtSend;
    std::vector<Bytes> Shorts;
    std::vector<std::string> Calls;
    TNotifyEvent Handler;
};

// Runs the manual clock until the outgoing queue is empty, as the event loop sends it.
inline void SendQueuedMessages(TManualClock& Clock) {
    while (QueuedMessages() > 0) Clock.Advance(SendPaceMs);
}

// Answers file dialogs from a script (confirm with a path, or cancel) and records what they showed.
class TScriptedDialogs : public IFileDialogs {
public:
    bool Execute(TFileDialogRequest& request) override {
        Shown.push_back(request);
        if (Answers.empty()) return false;
        std::optional<std::string> answer = Answers.front();
        Answers.pop_front();
        if (!answer) return false;
        request.FileName = *answer;
        return true;
    }
    void Confirm(const std::string& path) { Answers.emplace_back(path); }
    void Cancel() { Answers.emplace_back(std::nullopt); }

    std::deque<std::optional<std::string>> Answers;
    std::vector<TFileDialogRequest> Shown;
};

struct TShownMessage {
    std::string Text;
    TMessageKind Kind = TMessageKind::Information;
    TMessageButtons Buttons = TMessageButtons::OK;
};

// Answers message boxes from a script (OK when the script is empty) and records them.
class TScriptedMessages : public IMessageBoxes {
public:
    TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) override {
        Shown.push_back({text, kind, buttons});
        if (Answers.empty()) return TMessageResult::OK;
        const TMessageResult r = Answers.front();
        Answers.pop_front();
        return r;
    }
    std::deque<TMessageResult> Answers;
    std::vector<TShownMessage> Shown;
};

class TFakeWindow : public TObject {
public:
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

class TFakeWindows : public IModelWindows {
public:
    void EnableMenuItems() override { ++MenuRefreshes; }
    TObject* CreateElementWindow(TLibElem& element) override {
        Created.push_back(&element);
        if (FailCreate) throw EOutOfResources("no window");
        Windows.push_back(std::make_unique<TFakeWindow>());
        return Windows.back().get();
    }
    void BringWindowToFront(TObject* window) override { BroughtToFront.push_back(window); }
    bool GetWindowPosition(TObject* window, int& left, int& top) override {
        auto* w = dynamic_cast<TFakeWindow*>(window);
        if (w == nullptr) return false;
        left = w->Left;
        top = w->Top;
        return true;
    }
    bool GetWindowSize(TObject* window, int& width, int& height) override {
        auto* w = dynamic_cast<TFakeWindow*>(window);
        if (w == nullptr) return false;
        width = w->Width;
        height = w->Height;
        return true;
    }
    void UpdateWindowView(TObject* window) override { Updated.push_back(window); }
    void ReleaseElementWindow(TObject* window) override { Released.push_back(window); }

    int MenuRefreshes = 0;
    bool FailCreate = false;
    std::vector<TLibElem*> Created;
    std::vector<std::unique_ptr<TFakeWindow>> Windows;
    std::vector<TObject*> BroughtToFront;
    std::vector<TObject*> Updated;
    std::vector<TObject*> Released;
};

class TRecordingMonitor : public IMidiMonitor {
public:
    void AddOutputMessage(const std::uint8_t* data, std::size_t size) override {
        Lines.emplace_back(data, data + size);
    }
    std::vector<Bytes> Lines;
};

class TFakeProgress : public ITransferProgress {
public:
    bool GetCompleted() const override { return Completed; }
    void SetCompleted(bool completed) override { Completed = completed; }
    void Close() override { ++Closes; }
    void SetTimer(TTransferTimer timer, std::uint32_t, std::function<void()>, bool enabled) override {
        SetTimerEnabled(timer, enabled);
    }
    void SetTimerEnabled(TTransferTimer timer, bool enabled) override {
        (timer == TTransferTimer::Timer ? TimerEnabled : CleanupEnabled) = enabled;
    }
    bool Completed = false;
    bool TimerEnabled = true;
    bool CleanupEnabled = false;
    int Closes = 0;
};

// Sets an environment variable for a scope and restores the old value afterwards.
class TEnvScope {
public:
    TEnvScope(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = std::string(old);
        ::setenv(name, value.c_str(), 1);
    }
    ~TEnvScope() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }
    TEnvScope(const TEnvScope&) = delete;
    TEnvScope& operator=(const TEnvScope&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A clean model for one test: every service registered with a stand-in, ports usable, XP format off,
// a fresh settings holder (device ID 17). Everything is put back at the end.
class TModelTestScope {
public:
    TModelTestScope()
        : savedServices_(ModelServices()),
          savedDevicesOpen_(DevicesOpen),
          savedXp_(XpFormat),
          savedHolder_(ZelmoHolder) {
        auto& s = ModelServices();
        s = TModelServices{};
        s.MidiPorts = &Ports;
        s.FileDialogs = &Dialogs;
        s.MessageBoxes = &Messages;
        s.Windows = &Windows;
        s.MidiMonitor = &Monitor;
        s.Progress = &Progress;
        DevicesOpen = 1;
        XpFormat = 0;
        ZelmoHolder = &Holder;
        ForgetAudition();
    }
    ~TModelTestScope() {
        ModelServices() = savedServices_;
        DevicesOpen = savedDevicesOpen_;
        XpFormat = savedXp_;
        ZelmoHolder = savedHolder_;
        ForgetAudition();
    }
    TModelTestScope(const TModelTestScope&) = delete;
    TModelTestScope& operator=(const TModelTestScope&) = delete;

    TRecordingMidiPorts Ports;
    TScriptedDialogs Dialogs;
    TScriptedMessages Messages;
    TFakeWindows Windows;
    TRecordingMonitor Monitor;
    TFakeProgress Progress;
    TZelmo Holder;

private:
    TModelServices savedServices_;
    std::uint8_t savedDevicesOpen_;
    std::uint8_t savedXp_;
    TZelmo* savedHolder_;
};

// An element of any type code whose .Syx body is a plain byte string; it counts the operations the
// base calls on it.
class TFakeElem : public TLibElem {
public:
    TFakeElem(TLibElem* owner, ElementType type) : TLibElem(owner) { ElemType = type; }
    void ReadSyx(TStream& F) override {
        Body.assign(static_cast<std::size_t>(F.GetSize() - F.GetPosition()), '\0');
        F.ReadBuffer(Body.data(), static_cast<std::int64_t>(Body.size()));
    }
    void WriteSyx(TStream& F) override {
        TLibElem::WriteSyx(F);
        if (FailWrite) throw EWriteError("disk full");
        F.WriteBuffer(Body.data(), static_cast<std::int64_t>(Body.size()));
    }
    void BuildSysEx() override { ++Builds; }
    void UpdateViews() override { ++ViewUpdates; }
    void Transmit(bool ToTemporary) override { Transmits.push_back(ToTemporary); }
    void RequestNext() override { ++Requests; }
    void TransmitStep() override { ++Steps; }

    std::string Body;
    bool FailWrite = false;
    int Builds = 0;
    int ViewUpdates = 0;
    int Requests = 0;
    int Steps = 0;
    std::vector<bool> Transmits;
};

// A library stand-in: no owner, a saved flag that touches clear.
class TFakeLibrary : public TLibElem {
public:
    TFakeLibrary() : TLibElem(nullptr) { FileName = "Untitled.Lib"; }
    void MarkUnsaved() override { Saved = 0; }
    std::uint8_t Saved = 1;
};

// Replaces the class of a type code for a scope.
class TElementTypeOverride {
public:
    TElementTypeOverride(ElementType code, TElementFactory factory) : code_(code), old_(ElementFactoryOf(code)) {
        RegisterElementType(code, std::move(factory));
    }
    ~TElementTypeOverride() { RegisterElementType(code_, std::move(old_)); }
    TElementTypeOverride(const TElementTypeOverride&) = delete;
    TElementTypeOverride& operator=(const TElementTypeOverride&) = delete;

private:
    ElementType code_;
    TElementFactory old_;
};

inline std::string Hex(const Bytes& b) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (i) s += ' ';
        s += digits[b[i] >> 4];
        s += digits[b[i] & 15];
    }
    return s;
}

// The four address bytes of a data-set or data-request message, in hexadecimal.
inline std::string AddressOf(const Bytes& m) { return Hex(Bytes(m.begin() + 5, m.begin() + 9)); }

// An element's .Syx body as written.
inline Bytes SyxOf(TLibElem& element) {
    TMemoryStream stream;
    element.WriteSyx(stream);
    const std::string s = stream.DataString();
    return Bytes(s.begin(), s.end());
}

}  // namespace zel::test
