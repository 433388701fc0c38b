#pragma once
// Bank and global transfers against the instrument simulator, with a progress window that is modal as
// the real one is: ShowModal runs until the window closes, delivering the instrument's replies one at a
// time and moving the manual clock on to the next timer whenever nothing is waiting. A test can press
// Cancel from inside the loop. The name lists are a recording stand-in.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/StringList.h"
#include "support/model/TransferFakes.h"

namespace zel::test {

// The simulator's ports, noting the clock's time of every message sent.
class TTimedPorts : public TSimulatedPorts {
public:
    using TSimulatedPorts::TSimulatedPorts;
    void PutLong(const std::uint8_t* data, std::size_t size) override {
        SentAt.push_back(GetTickCount());
        TSimulatedPorts::PutLong(data, size);
    }
    std::vector<TTick> SentAt;
};

class TModalProgress : public TClockProgress {
public:
    TModalProgress(TTimedPorts& ports, TManualClock& clock) : TClockProgress(ports), ports_(ports), clock_(clock) {}

    // Start zeroes the counters, as the window does.
    void Start(int expectedMessages, const std::string& title, const std::string& elementLabel) override {
        BytesSent = MessagesSent = BytesReceived = MessagesReceived = Elements = 0;
        TClockProgress::Start(expectedMessages, title, elementLabel);
    }
    void ShowModal() override {
        TClockProgress::ShowModal();
        Titles.push_back(Title);
        open_ = true;
        for (int guard = 0; open_ && guard < 200000; ++guard) {
            if (CancelWhen && CancelWhen()) {
                CancelWhen = nullptr;
                Cancelled = true;
                Close();  // the Cancel button
                break;
            }
            if (ports_.Handler && !ports_.Queue.empty()) {
                ports_.Pump(1);
                continue;
            }
            const auto due = ClockTimers().NextDue();
            if (!due) break;  // nothing will ever happen: the user would close the window
            const TTick now = clock_.TickCount();
            clock_.Advance(*due > now ? *due - now : 0);
        }
        if (open_) Close();
        ClosedAt.push_back(clock_.TickCount());
    }
    void Close() override {
        open_ = false;
        TClockProgress::Close();
    }

    std::function<bool()> CancelWhen;
    bool Cancelled = false;
    std::vector<std::string> Titles;
    std::vector<TTick> ClosedAt;

private:
    TTimedPorts& ports_;
    TManualClock& clock_;
    bool open_ = false;
};

// The name lists of the update window and the picker, recording what the transfers do with them.
class TRecordingNameLists : public INameLists {
public:
    void LoadUpdateNames() override { Calls.push_back("LoadUpdateNames"); }
    TStrings& UpdateNames(TNameListKind list) override { return Lists[static_cast<int>(list)]; }
    void SaveUpdateNames() override { Calls.push_back("SaveUpdateNames"); }
    void LoadNames() override { Calls.push_back("LoadNames"); }
    TStringList& List(TNameListKind list) { return Lists[static_cast<int>(list)]; }

    TStringList Lists[4];
    std::vector<std::string> Calls;
};

// A clean model whose ports lead to the simulator, with the modal progress window and the name lists.
class TBankTransferScope {
public:
    TBankTransferScope() : Ports(Sim), Progress(Ports, Clock.Clock()) {
        Ports.Manual = &Clock.Clock();
        ModelServices().MidiPorts = &Ports;
        ModelServices().Progress = &Progress;
        ModelServices().NameLists = &Names;
    }
    // The data requests and the data sets sent so far.
    std::vector<Bytes> DataSets() const {
        std::vector<Bytes> out;
        for (const Bytes& m : Ports.Sent)
            if (m.size() > 11 && m[4] == 0x12) out.push_back(m);
        return out;
    }

    TManualClockScope Clock;
    TModelTestScope Model;
    TInstrumentSimulator Sim{0x10};
    TTimedPorts Ports;
    TModalProgress Progress;
    TRecordingNameLists Names;
};

inline std::string AddressText(const Bytes& m) { return Hex(Bytes(m.begin() + 5, m.begin() + 9)); }

}  // namespace zel::test
