#include "midi/MidiIn.h"

#include <cstring>

#include "platform/win/Windows.h"

namespace zel {

TMidiInput::TMidiInput(TComponent* AOwner) : TComponent(AOwner) {
    state_ = misCreating;
    sysexOnly_ = false;
    NumDevs = static_cast<WORD>(midiInGetNumDevs());
    SetDeviceID(0);
    Capacity = 1024;
    sysexBufferSize_ = 4096;
    sysexBufferCount_ = 16;
    if (!ComponentState().Contains(csDesigning))
        handle_ = AllocateHWnd([this](TMessage& Message) { MidiInput(Message); });
    state_ = misClosed;
}

TMidiInput::~TMidiInput() {
    if (midiHandle_ != nullptr) {
        try {
            Close();
        } catch (const Exception&) {
            // A destructor cannot report; the device is reset and closed as far as it goes.
        }
    }
    FreeSysexBuffers();
    FreeBuffers();
    if (handle_ != nullptr) DeallocateHWnd(handle_);
}

std::string TMidiInput::MidiInErrorString(MMRESULT WError) {
    char text[MAXERRORLENGTH] = {};
    if (midiInGetErrorTextA(WError, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
        return "Specified error number is out of range";
    return text;
}

void TMidiInput::RaiseError(MMRESULT Err) {
    error_ = Err;
    throw EMidiInputError(MidiInErrorString(Err));
}

void TMidiInput::SetDeviceID(WORD DeviceID) {
    if (state_ == misOpen) throw EMidiInputError("Change to DeviceID while device was open");
    if (DeviceID >= midiInGetNumDevs()) throw EMidiInputError("Invalid device ID");
    MIDIINCAPSA caps;
    MMRESULT err = midiInGetDevCapsA(DeviceID, &caps, sizeof(caps));
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    deviceID_ = DeviceID;
    productName_ = caps.szPname;
    DriverVersion = caps.vDriverVersion;
    MID = caps.wMid;
    PID = caps.wPid;
}

void TMidiInput::SetProductName(const std::string& NewProductName) {
    if (state_ == misOpen) throw EMidiInputError("Change to ProductName while device was open");
    if (ComponentState().Contains(csLoading)) return;
    UINT count = midiInGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        MIDIINCAPSA caps;
        if (midiInGetDevCapsA(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR) continue;
        if (NewProductName == caps.szPname) {
            SetDeviceID(static_cast<WORD>(id));
            return;
        }
    }
    throw EMidiInputError("MIDI Input Device " + NewProductName + " not installed ");
}

void TMidiInput::SetSysexOnly(bool SysexOnly) {
    sysexOnly_ = SysexOnly;
    if (ctlInfo_ != nullptr) ctlInfo_->SysexOnly.store(SysexOnly ? 1 : 0);
}

void TMidiInput::SetSysexBufferSize(WORD BufferSize) {
    if (state_ == misOpen) throw EMidiInputError("Change to SysexBufferSize while device was open");
    sysexBufferSize_ = BufferSize;
}

void TMidiInput::SetSysexBufferCount(WORD BufferCount) {
    if (state_ == misOpen) throw EMidiInputError("Change to SysexBuffercount while device was open");
    sysexBufferCount_ = BufferCount;
}

void TMidiInput::FreeSysexBuffers() {
    for (TMyMidiHdr* hdr : sysexBufferList_) delete hdr;
    sysexBufferList_.clear();
}

void TMidiInput::FreeBuffers() {
    CircbufFree(buffer_);
    buffer_ = nullptr;
    if (ctlInfo_ != nullptr) ctlInfo_->PBuffer = nullptr;
    CtlInfoFree(ctlInfo_);
}

void TMidiInput::Open() {
    // Opening an open device would lose its handle and buffers to the driver.
    if (state_ == misOpen) return;
    try {
        if (buffer_ == nullptr) buffer_ = CircbufAlloc(Capacity);
        if (ctlInfo_ == nullptr) ctlInfo_ = CtlInfoAlloc();
        ctlInfo_->PBuffer = buffer_;
        ctlInfo_->hWindow = handle_;
        ctlInfo_->SysexOnly.store(sysexOnly_ ? 1 : 0);
        MMRESULT err = midiInOpen(&midiHandle_, deviceID_, reinterpret_cast<DWORD_PTR>(&MidiHandler),
                                  reinterpret_cast<DWORD_PTR>(ctlInfo_), CALLBACK_FUNCTION);
        error_ = err;
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        for (WORD i = 0; i < sysexBufferCount_; ++i) {
            auto* hdr = new TMyMidiHdr(sysexBufferSize_);
            sysexBufferList_.push_back(hdr);
            if (hdr->hdrPointer != nullptr) hdr->hdrPointer->dwUser = reinterpret_cast<DWORD_PTR>(hdr);
            err = midiInPrepareHeader(midiHandle_, hdr->hdrPointer, sizeof(MIDIHDR));
            if (err == MMSYSERR_NOERROR) err = midiInAddBuffer(midiHandle_, hdr->hdrPointer, sizeof(MIDIHDR));
            if (err != MMSYSERR_NOERROR) RaiseError(err);
        }
        state_ = misOpen;
    } catch (const Exception&) {
        // A device opened before the failure is reset and closed again, so that the driver never keeps
        // buffers or a callback block that are freed here.
        if (midiHandle_ != nullptr) {
            midiInReset(midiHandle_);
            for (TMyMidiHdr* hdr : sysexBufferList_)
                if (hdr->hdrPointer != nullptr) midiInUnprepareHeader(midiHandle_, hdr->hdrPointer, sizeof(MIDIHDR));
            midiInClose(midiHandle_);
            midiHandle_ = nullptr;
        }
        FreeSysexBuffers();
        FreeBuffers();
    }
}

void TMidiInput::Start() {
    if (state_ != misOpen) return;
    MMRESULT err = midiInStart(midiHandle_);
    error_ = err;
    if (err != MMSYSERR_NOERROR) RaiseError(err);
}

void TMidiInput::Close() {
    if (state_ != misOpen) return;
    state_ = misClosed;
    // The reset returns every queued buffer, so no callback touches them once they are freed.
    MMRESULT err = midiInReset(midiHandle_);
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    for (TMyMidiHdr* hdr : sysexBufferList_) {
        err = midiInUnprepareHeader(midiHandle_, hdr->hdrPointer, sizeof(MIDIHDR));
        if (err != MMSYSERR_NOERROR) RaiseError(err);
    }
    FreeSysexBuffers();
    err = midiInClose(midiHandle_);
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    midiHandle_ = nullptr;
    CircbufFree(buffer_);
    buffer_ = nullptr;
    if (ctlInfo_ != nullptr) ctlInfo_->PBuffer = nullptr;
}

WORD TMidiInput::PendingEventCount() {
    if (state_ != misOpen || buffer_ == nullptr) return 0;
    return CircbufCount(buffer_);
}

std::unique_ptr<TMyMidiEvent> TMidiInput::NextEvent() {
    if (state_ != misOpen || buffer_ == nullptr) return nullptr;
    TMidiBufferItem item;
    if (!CircbufReadEvent(buffer_, item)) return nullptr;
    auto ev = std::make_unique<TMyMidiEvent>();
    ev->timestamp = item.timestamp;
    if (item.sysex == nullptr) {
        ev->status = static_cast<BYTE>(item.data & 0xFF);
        ev->data1 = static_cast<BYTE>((item.data >> 8) & 0xFF);
        ev->data2 = static_cast<BYTE>((item.data >> 16) & 0xFF);
        CircbufRemoveEvent(buffer_);
        return ev;
    }
    MIDIHDR* hdr = item.sysex;
    ev->status = 0xF0;
    ev->SysexLength = static_cast<WORD>(hdr->dwBytesRecorded);
    if (ev->SysexLength > 0) ev->Sysex.assign(hdr->lpData, hdr->lpData + ev->SysexLength);
    // The entry goes before the buffer is handed back, so a failing hand-back cannot leave it behind.
    CircbufRemoveEvent(buffer_);
    MMRESULT err = midiInPrepareHeader(midiHandle_, hdr, sizeof(MIDIHDR));
    if (err == MMSYSERR_NOERROR) err = midiInAddBuffer(midiHandle_, hdr, sizeof(MIDIHDR));
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    return ev;
}

void TMidiInput::MidiInput(TMessage& Message) {
    switch (Message.Msg) {
        // The handlers are copied before the call: a handler may replace itself (a transfer's last reply
        // hands the input back to the default handler) while it runs.
        case MIDI_EVENT_STORED:
            if (OnMidiInput && state_ == misOpen && PendingEventCount() > 0) {
                const TNotifyEvent handler = OnMidiInput;
                handler(this);
            }
            break;
        case MIDI_OVERFLOW:
            if (OnOverflow && state_ == misOpen) {
                const TNotifyEvent handler = OnOverflow;
                handler(this);
            }
            break;
        default: Message.Result = DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam); break;
    }
}

}  // namespace zel
