#pragma once
// TMidiOutput: opens one MIDI output device and sends short messages and System Exclusive blocks. A block
// is copied into a TMyMidiHdr that lives until the driver reports it done.
#include <map>
#include <string>

#include "midi/MidiCallback.h"
#include "midi/Miditype.h"
#include "platform/midi/MmSystem.h"
#include "platform/rtl/Classes.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(EmidioutputError, Exception)

class TMidiOutput : public TComponent {
public:
    explicit TMidiOutput(TComponent* AOwner);
    ~TMidiOutput() override;
    std::string ClassName() const override { return "TMidiOutput"; }

    // -1 is the MIDI mapper.
    int GetDeviceID() const { return deviceID_; }
    void SetDeviceID(int DeviceID);
    const std::string& GetProductName() const { return productName_; }
    void SetProductName(const std::string& NewProductName);

    bool IsOpen() const { return closed_ == 0; }
    MMRESULT GetError() const { return error_; }
    HWND GetHandle() const { return handle_; }
    // System Exclusive blocks handed to the driver and not yet freed.
    std::size_t PendingBlockCount() const { return pendingBlocks_.size(); }

    // Taken from the device capabilities.
    DWORD DriverVersion = 0;
    WORD Technology = 0;
    WORD Voices = 0;
    WORD Notes = 0;
    WORD ChannelMask = 0;
    DWORD Support = 0;
    // Number of output devices, read at construction.
    WORD NumDevs = 0;

    // Fired when a System Exclusive block has gone out and been freed.
    TNotifyEvent Onmidioutput;

    // Opens the device; false (and GetError) when it cannot be opened.
    virtual bool OpenPort();
    // Closes the device: true when it was open. Blocks still queued are taken back from the driver and
    // freed. The port is left closed in every case except a failing close, which raises.
    virtual bool ClosePort();
    // Sends an event: its System Exclusive bytes when it has some, else its short message. Raises
    // "MIDI Output device not open" on a closed port.
    virtual void SendEvent(const TMyMidiEvent* Event);
    virtual void SendShort(BYTE MidiMessage, BYTE Data1, BYTE Data2);
    // Copies the bytes and queues them; returns at once.
    virtual void SendSysEx(const BYTE* Data, WORD Length);

    static std::string MidiOutErrorString(MMRESULT WError);

private:
    void MidiOutput(TMessage& Message);
    [[noreturn]] void RaiseError(MMRESULT Err);
    void FreePendingBlocks();

    HWND handle_ = nullptr;
    int deviceID_ = 0;
    HMIDIOUT midiHandle_ = nullptr;
    BYTE closed_ = 1;
    TMidiCtlInfo* ctlInfo_ = nullptr;
    MMRESULT error_ = MMSYSERR_NOERROR;
    std::string productName_;
    // Every block handed to the driver, by its header, until its done message has been handled.
    std::map<MIDIHDR*, TMyMidiHdr*> pendingBlocks_;
};

}  // namespace zel
