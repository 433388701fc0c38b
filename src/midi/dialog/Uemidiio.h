#pragma once
// TFormInOut, the MIDI port dialog "Midi Settings": created at start-up and kept until the end, it owns
// the program's one MIDI input and one MIDI output, lists the installed devices, opens the configured
// ports and lets the user choose the ports, the device identifier and MIDI thru. It sets and clears
// DevicesOpen, which gates every send and receive, and is the model's IMidiPorts.
#include <memory>

#include "midi/MidiIn.h"
#include "midi/MidiOut.h"
#include "model/ModelServices.h"
#include "model/Settings.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Spin.h"
#include "platform/vcl/StdCtrls.h"

namespace zel {

class TFormInOut : public TForm, public IMidiPorts {
public:
    explicit TFormInOut(TComponent* AOwner);
    ~TFormInOut() override;
    std::string ClassName() const override { return "TFormInOut"; }
    const TFormResource* FormResource() const override;
    void DefineBindings(TFormBindings& Bindings) override;

    // ---- components of the form resource
    TGroupBox* GroupBox1 = nullptr;
    TListBox* InputPort = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TListBox* OutputPort = nullptr;
    TLabel* Label1 = nullptr;
    TSpinEdit* SpinDeviceID = nullptr;
    TCheckBox* MidiThrue = nullptr;
    TButton* OkBtn = nullptr;
    TButton* CancelBtn = nullptr;
    // ---- the program's MIDI components, made by FormCreate and owned by the form
    TMidiInput* MidiInput1 = nullptr;
    TMidiOutput* MidiOutput1 = nullptr;

    // Set when the devices were listed at creation: the ports can be opened (even after a failed
    // opening, when DevicesOpen is clear).
    bool MidiInstalled = false;

    // ---- handlers
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void OkBtnClick(TObject* Sender);
    void CancelBtnClick(TObject* Sender);

    // ---- IMidiPorts
    // Opens the configured ports; DevicesOpen tells whether they are usable (the output is open). A
    // stored port name picks its line over the stored index; a named port not in the list opens nothing
    // on its side and keeps its name. On failure the message "Invalid Midi Port Settings" is shown,
    // naming below it each port that did not open ("Midi Input: <name>"), the configured indexes fall
    // back to 0 and whatever port did open is closed again (a missing named port, or an input that
    // cannot open, leaves the other side open). Either way the input's handler becomes the default
    // input handler.
    void OpenDevs() override;
    // Closes whichever port is open (DevicesOpen is not changed).
    void CloseDevs() override;
    bool OutputOpen() const override;
    void PutLong(const std::uint8_t* data, std::size_t size) override;
    void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void InstallInputHandler(TNotifyEvent handler) override;
    int PendingEventCount() override;
    std::unique_ptr<TMyMidiEvent> NextEvent() override;
    bool PortsAvailable() const override { return MidiInstalled; }

private:
    // The settings: the holder's, or the form's own while there is no holder.
    TConfig& Config();
    std::unique_ptr<TConfig> ownConfig_;
};

}  // namespace zel
