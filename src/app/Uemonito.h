#pragma once
// TFormMonitor, the MIDI monitor: an MDI child listing the MIDI traffic as hexadecimal text, what arrives
// from the instrument in "Message In" and what the program sends in "Message Out". While it is open it
// is the model's IMidiMonitor, so the short data sets the model sends show in "Message Out".
#include <cstddef>
#include <cstdint>
#include <string>

#include "midi/Miditype.h"
#include "model/ModelServices.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormMonitor;

// The window as the model sees it: outgoing messages go to "Message Out".
class TMonitorOutput : public IMidiMonitor {
public:
    explicit TMonitorOutput(TFormMonitor& form) : form_(form) {}
    void AddOutputMessage(const std::uint8_t* data, std::size_t size) override;

private:
    TFormMonitor& form_;
};

// The monitor's line of a block of bytes: a blank, then each byte as two upper-case hexadecimal digits
// followed by a blank (" F0 41 ... F7 ").
std::string MonitorBytesLine(const std::uint8_t* Data, std::size_t Count);
// The monitor's line of a short event: status, first and second data byte, one blank apart ("90 3C 50").
std::string MonitorEventLine(const TMyMidiEvent& Event);

class TFormMonitor : public TForm {
public:
    explicit TFormMonitor(TComponent* AOwner);
    ~TFormMonitor() override;
    std::string ClassName() const override { return "TFormMonitor"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TPanel* PanelIn = nullptr;
    TLabel* Label1 = nullptr;
    TMemo* MemoInput = nullptr;
    TPanel* PanelOut = nullptr;
    TLabel* Label2 = nullptr;
    TMemo* MemoOutput = nullptr;

    // Appends the line of the first Count bytes of Data to the memo; the line holds every byte given.
    void AddMessage(const std::uint8_t* Data, std::size_t Count, TMemo* Memo);
    // Appends the line of a short event to the memo.
    void AddMessageMidi(const TMyMidiEvent& Event, TMemo* Memo);

    IMidiMonitor& Monitor() { return monitor_; }

    // ---- handlers
    void FormCreate(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

private:
    void Detach();
    TMonitorOutput monitor_{*this};
};

}  // namespace zel
