#pragma once
// TMidiInput: opens one MIDI input device, collects short and System Exclusive messages on the driver's
// thread into an event ring, and hands them to the main thread one by one through OnMidiInput.
#include <memory>
#include <string>
#include <vector>

#include "midi/Circbuf.h"
#include "midi/MidiCallback.h"
#include "midi/Miditype.h"
#include "platform/midi/MmSystem.h"
#include "platform/rtl/Classes.h"

namespace zel {

ZEL_DECLARE_EXCEPTION(EMidiInputError, Exception)

enum TMidiInputState : BYTE { misOpen = 0, misClosed = 1, misCreating = 2 };

class TMidiInput : public TComponent {
public:
    // Raises EMidiInputError "Invalid device ID" when there is no input device.
    explicit TMidiInput(TComponent* AOwner);
    ~TMidiInput() override;
    std::string ClassName() const override { return "TMidiInput"; }

    WORD GetDeviceID() const { return deviceID_; }
    void SetDeviceID(WORD DeviceID);
    const std::string& GetProductName() const { return productName_; }
    void SetProductName(const std::string& NewProductName);
    void SetSysexOnly(bool SysexOnly);
    void SetSysexBufferSize(WORD BufferSize);
    void SetSysexBufferCount(WORD BufferCount);

    TMidiInputState GetState() const { return state_; }
    MMRESULT GetError() const { return error_; }
    HWND GetHandle() const { return handle_; }

    // Taken from the device capabilities.
    DWORD DriverVersion = 0;
    WORD MID = 0;
    WORD PID = 0;
    // Number of event ring entries; used by the next Open.
    WORD Capacity = 1024;
    // Number of input devices, read at construction.
    WORD NumDevs = 0;

    TNotifyEvent OnMidiInput;
    TNotifyEvent OnOverflow;

    // Opens the device; a failure leaves it closed without raising (GetError holds the driver's code).
    void Open();
    void Start();
    void Close();
    WORD PendingEventCount();
    // The oldest waiting event, or nullptr while closed or when none waits.
    std::unique_ptr<TMyMidiEvent> NextEvent();

    // The driver's text for a result code.
    static std::string MidiInErrorString(MMRESULT WError);

private:
    void MidiInput(TMessage& Message);
    [[noreturn]] void RaiseError(MMRESULT Err);
    void FreeSysexBuffers();
    void FreeBuffers();

    HWND handle_ = nullptr;
    WORD deviceID_ = 0;
    HMIDIIN midiHandle_ = nullptr;
    TMidiInputState state_ = misCreating;
    MMRESULT error_ = MMSYSERR_NOERROR;
    bool sysexOnly_ = false;
    std::string productName_;
    TCircularBuffer* buffer_ = nullptr;
    WORD sysexBufferSize_ = 4096;
    WORD sysexBufferCount_ = 16;
    std::vector<TMyMidiHdr*> sysexBufferList_;
    TMidiCtlInfo* ctlInfo_ = nullptr;
};

}  // namespace zel
