#include "midi/MidiIn.h"

#include <cstring>

#include "platform/win/Windows.h"

namespace zel {

TMidiInput::TMidiInput(TComponent* AOwner) : TComponent(AOwner) {
    FState = misCreating;
    FSysexOnly = false;
    NumDevs = static_cast<WORD>(midiInGetNumDevs());
    SetDeviceID(0);
    Capacity = 1024;
    FSysexBufferSize = 4096;
    FSysexBufferCount = 16;
    if (!ComponentState().Contains(csDesigning))
        Handle = AllocateHWnd([this](TMessage& Message) { MidiInput(Message); });
    FState = misClosed;
}

TMidiInput::~TMidiInput() {
    if (FMidiHandle != nullptr) {
        try {
            Close();
        } catch (const Exception&) {
            // A destructor cannot report; the device is reset and closed as far as it goes.
        }
    }
    FreeSysexBuffers();
    FreeBuffers();
    if (Handle != nullptr) DeallocateHWnd(Handle);
}

std::string TMidiInput::MidiInErrorString(MMRESULT WError) {
    char text[MAXERRORLENGTH] = {};
    if (midiInGetErrorTextA(WError, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
        return "Specified error number is out of range";
    return text;
}

void TMidiInput::RaiseError(MMRESULT Err) {
    FError = Err;
    throw EMidiInputError(MidiInErrorString(Err));
}

void TMidiInput::SetDeviceID(WORD DeviceID) {
    if (FState == misOpen) throw EMidiInputError("Change to DeviceID while device was open");
    if (DeviceID >= midiInGetNumDevs()) throw EMidiInputError("Invalid device ID");
    MIDIINCAPSA caps;
    MMRESULT err = midiInGetDevCapsA(DeviceID, &caps, sizeof(caps));
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    FDeviceID = DeviceID;
    FProductName = caps.szPname;
    DriverVersion = caps.vDriverVersion;
    MID = caps.wMid;
    PID = caps.wPid;
}

void TMidiInput::SetProductName(const std::string& NewProductName) {
    if (FState == misOpen) throw EMidiInputError("Change to ProductName while device was open");
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
    FSysexOnly = SysexOnly;
    if (PCtlInfo != nullptr) PCtlInfo->SysexOnly.store(SysexOnly ? 1 : 0);
}

void TMidiInput::SetSysexBufferSize(WORD BufferSize) {
    if (FState == misOpen) throw EMidiInputError("Change to SysexBufferSize while device was open");
    FSysexBufferSize = BufferSize;
}

void TMidiInput::SetSysexBufferCount(WORD BufferCount) {
    if (FState == misOpen) throw EMidiInputError("Change to SysexBuffercount while device was open");
    FSysexBufferCount = BufferCount;
}

void TMidiInput::FreeSysexBuffers() {
    for (TMyMidiHdr* hdr : FSysexBufferList) delete hdr;
    FSysexBufferList.clear();
}

void TMidiInput::FreeBuffers() {
    CircbufFree(PBuffer);
    PBuffer = nullptr;
    if (PCtlInfo != nullptr) PCtlInfo->PBuffer = nullptr;
    CtlInfoFree(PCtlInfo);
}

void TMidiInput::Open() {
    // Opening an open device would lose its handle and buffers to the driver.
    if (FState == misOpen) return;
    try {
        if (PBuffer == nullptr) PBuffer = CircbufAlloc(Capacity);
        if (PCtlInfo == nullptr) PCtlInfo = CtlInfoAlloc();
        PCtlInfo->PBuffer = PBuffer;
        PCtlInfo->hWindow = Handle;
        PCtlInfo->SysexOnly.store(FSysexOnly ? 1 : 0);
        MMRESULT err = midiInOpen(&FMidiHandle, FDeviceID, reinterpret_cast<DWORD_PTR>(&MidiHandler),
                                  reinterpret_cast<DWORD_PTR>(PCtlInfo), CALLBACK_FUNCTION);
        FError = err;
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        for (WORD i = 0; i < FSysexBufferCount; ++i) {
            auto* hdr = new TMyMidiHdr(FSysexBufferSize);
            FSysexBufferList.push_back(hdr);
            if (hdr->hdrPointer != nullptr) hdr->hdrPointer->dwUser = reinterpret_cast<DWORD_PTR>(hdr);
            err = midiInPrepareHeader(FMidiHandle, hdr->hdrPointer, sizeof(MIDIHDR));
            if (err == MMSYSERR_NOERROR) err = midiInAddBuffer(FMidiHandle, hdr->hdrPointer, sizeof(MIDIHDR));
            if (err != MMSYSERR_NOERROR) RaiseError(err);
        }
        FState = misOpen;
    } catch (const Exception&) {
        // A device opened before the failure is reset and closed again, so that the driver never keeps
        // buffers or a callback block that are freed here.
        if (FMidiHandle != nullptr) {
            midiInReset(FMidiHandle);
            for (TMyMidiHdr* hdr : FSysexBufferList)
                if (hdr->hdrPointer != nullptr) midiInUnprepareHeader(FMidiHandle, hdr->hdrPointer, sizeof(MIDIHDR));
            midiInClose(FMidiHandle);
            FMidiHandle = nullptr;
        }
        FreeSysexBuffers();
        FreeBuffers();
    }
}

void TMidiInput::Start() {
    if (FState != misOpen) return;
    MMRESULT err = midiInStart(FMidiHandle);
    FError = err;
    if (err != MMSYSERR_NOERROR) RaiseError(err);
}

void TMidiInput::Close() {
    if (FState != misOpen) return;
    FState = misClosed;
    // The reset returns every queued buffer, so no callback touches them once they are freed.
    MMRESULT err = midiInReset(FMidiHandle);
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    for (TMyMidiHdr* hdr : FSysexBufferList) {
        err = midiInUnprepareHeader(FMidiHandle, hdr->hdrPointer, sizeof(MIDIHDR));
        if (err != MMSYSERR_NOERROR) RaiseError(err);
    }
    FreeSysexBuffers();
    err = midiInClose(FMidiHandle);
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    FMidiHandle = nullptr;
    CircbufFree(PBuffer);
    PBuffer = nullptr;
    if (PCtlInfo != nullptr) PCtlInfo->PBuffer = nullptr;
}

WORD TMidiInput::PendingEventCount() {
    if (FState != misOpen || PBuffer == nullptr) return 0;
    return CircbufCount(PBuffer);
}

std::unique_ptr<TMyMidiEvent> TMidiInput::NextEvent() {
    if (FState != misOpen || PBuffer == nullptr) return nullptr;
    TMidiBufferItem item;
    if (!CircbufReadEvent(PBuffer, item)) return nullptr;
    auto ev = std::make_unique<TMyMidiEvent>();
    ev->timestamp = item.timestamp;
    if (item.sysex == nullptr) {
        ev->status = static_cast<BYTE>(item.data & 0xFF);
        ev->data1 = static_cast<BYTE>((item.data >> 8) & 0xFF);
        ev->data2 = static_cast<BYTE>((item.data >> 16) & 0xFF);
        CircbufRemoveEvent(PBuffer);
        return ev;
    }
    MIDIHDR* hdr = item.sysex;
    ev->status = 0xF0;
    ev->SysexLength = static_cast<WORD>(hdr->dwBytesRecorded);
    if (ev->SysexLength > 0) ev->Sysex.assign(hdr->lpData, hdr->lpData + ev->SysexLength);
    // The entry goes before the buffer is handed back, so a failing hand-back cannot leave it behind.
    CircbufRemoveEvent(PBuffer);
    MMRESULT err = midiInPrepareHeader(FMidiHandle, hdr, sizeof(MIDIHDR));
    if (err == MMSYSERR_NOERROR) err = midiInAddBuffer(FMidiHandle, hdr, sizeof(MIDIHDR));
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    return ev;
}

void TMidiInput::MidiInput(TMessage& Message) {
    switch (Message.Msg) {
        // The handlers are copied before the call: a handler may replace itself (a transfer's last reply
        // hands the input back to the default handler) while it runs.
        case MIDI_EVENT_STORED:
            if (OnMidiInput && FState == misOpen && PendingEventCount() > 0) {
                const TNotifyEvent handler = OnMidiInput;
                handler(this);
            }
            break;
        case MIDI_OVERFLOW:
            if (OnOverflow && FState == misOpen) {
                const TNotifyEvent handler = OnOverflow;
                handler(this);
            }
            break;
        default: Message.Result = DefWindowProc(Handle, Message.Msg, Message.WParam, Message.LParam); break;
    }
}

}  // namespace zel
