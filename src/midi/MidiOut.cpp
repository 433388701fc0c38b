#include "midi/MidiOut.h"

#include <algorithm>
#include <cstring>

#include "platform/win/Windows.h"

namespace zel {

TMidiOutput::TMidiOutput(TComponent* AOwner) : TComponent(AOwner) {
    closed_ = 1;
    NumDevs = static_cast<WORD>(midiOutGetNumDevs());
    if (!ComponentState().Contains(csDesigning))
        handle_ = AllocateHWnd([this](TMessage& Message) { MidiOutput(Message); });
}

TMidiOutput::~TMidiOutput() {
    if (closed_ == 0) {
        try {
            ClosePort();
        } catch (const Exception&) {
            // A destructor cannot report.
        }
    }
    FreePendingBlocks();
    CtlInfoFree(ctlInfo_);
    if (handle_ != nullptr) DeallocateHWnd(handle_);
}

std::string TMidiOutput::MidiOutErrorString(MMRESULT WError) {
    char text[MAXERRORLENGTH] = {};
    if (midiOutGetErrorTextA(WError, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
        return "Specified error number is out of range";
    return text;
}

void TMidiOutput::RaiseError(MMRESULT Err) {
    error_ = Err;
    throw EmidioutputError(MidiOutErrorString(Err));
}

void TMidiOutput::SetDeviceID(int DeviceID) {
    if (closed_ == 0) throw EmidioutputError("Change to DeviceID while device was open");
    if (DeviceID != -1 && (DeviceID < 0 || static_cast<UINT>(DeviceID) >= midiOutGetNumDevs()))
        throw EmidioutputError("Invalid device ID");
    MIDIOUTCAPSA caps;
    MMRESULT err = midiOutGetDevCapsA(static_cast<UINT>(DeviceID), &caps, sizeof(caps));
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    deviceID_ = DeviceID;
    productName_ = caps.szPname;
    DriverVersion = caps.vDriverVersion;
    Technology = caps.wTechnology;
    Voices = caps.wVoices;
    Notes = caps.wNotes;
    ChannelMask = caps.wChannelMask;
    Support = caps.dwSupport;
}

void TMidiOutput::SetProductName(const std::string& NewProductName) {
    if (closed_ == 0) throw EmidioutputError("Change to ProductName while device was open");
    if (ComponentState().Contains(csLoading)) return;
    int count = static_cast<int>(midiOutGetNumDevs());
    for (int id = -1; id < count; ++id) {
        MIDIOUTCAPSA caps;
        if (midiOutGetDevCapsA(static_cast<UINT>(id), &caps, sizeof(caps)) != MMSYSERR_NOERROR) continue;
        if (NewProductName == caps.szPname) {
            SetDeviceID(id);
            return;
        }
    }
    throw EmidioutputError("MIDI output Device " + NewProductName + " not installed");
}

bool TMidiOutput::OpenPort() {
    // Opening an open port would lose its handle to the driver.
    if (closed_ == 0) return true;
    try {
        if (ctlInfo_ == nullptr) ctlInfo_ = CtlInfoAlloc();
        ctlInfo_->hWindow = handle_;
        MMRESULT err =
            midiOutOpen(&midiHandle_, static_cast<UINT>(deviceID_), reinterpret_cast<DWORD_PTR>(&MidiHandler),
                        reinterpret_cast<DWORD_PTR>(ctlInfo_), CALLBACK_FUNCTION);
        error_ = err;
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        closed_ = 0;
        return true;
    } catch (const Exception&) {
        midiHandle_ = nullptr;
        CtlInfoFree(ctlInfo_);
        return false;
    }
}

void TMidiOutput::FreePendingBlocks() {
    for (auto& [hdr, block] : pendingBlocks_) delete block;
    pendingBlocks_.clear();
}

bool TMidiOutput::ClosePort() {
    bool result = false;
    if (closed_ == 0) {
        // Blocks still queued are taken back first: the driver refuses to close while it holds any, and
        // each must be freed exactly once whether or not its done message has been handled yet.
        MMRESULT err = midiOutReset(midiHandle_);
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        err = midiOutClose(midiHandle_);
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        FreePendingBlocks();
        result = true;
    }
    midiHandle_ = nullptr;
    closed_ = 1;
    return result;
}

void TMidiOutput::SendShort(BYTE MidiMessage, BYTE Data1, BYTE Data2) {
    DWORD msg = MidiMessage + Data1 * 0x100u + Data2 * 0x10000u;
    MMRESULT err = midiOutShortMsg(midiHandle_, msg);
    if (err != MMSYSERR_NOERROR) RaiseError(err);
}

void TMidiOutput::SendSysEx(const BYTE* Data, WORD Length) {
    auto* block = new TMyMidiHdr(Length);
    if (Length > 0) std::memcpy(block->sysexPointer, Data, Length);
    MIDIHDR* hdr = block->hdrPointer;
    if (hdr == nullptr) {
        delete block;
        RaiseError(MMSYSERR_INVALPARAM);
    }
    hdr->dwUser = reinterpret_cast<DWORD_PTR>(block);
    MMRESULT err = midiOutPrepareHeader(midiHandle_, hdr, sizeof(MIDIHDR));
    if (err == MMSYSERR_NOERROR) {
        pendingBlocks_[hdr] = block;
        err = midiOutLongMsg(midiHandle_, hdr, sizeof(MIDIHDR));
        if (err != MMSYSERR_NOERROR) {
            pendingBlocks_.erase(hdr);
            midiOutUnprepareHeader(midiHandle_, hdr, sizeof(MIDIHDR));
        }
    }
    if (err != MMSYSERR_NOERROR) {
        // A block that never reached the driver is freed here.
        delete block;
        RaiseError(err);
    }
}

void TMidiOutput::SendEvent(const TMyMidiEvent* Event) {
    if (closed_ != 0) throw EmidioutputError("MIDI Output device not open");
    if (Event->SysexLength > 0 && !Event->Sysex.empty())
        SendSysEx(Event->Sysex.data(),
                  static_cast<WORD>(std::min<std::size_t>(Event->SysexLength, Event->Sysex.size())));
    else SendShort(Event->status, Event->data1, Event->data2);
}

void TMidiOutput::MidiOutput(TMessage& Message) {
    if (Message.Msg != MIDI_OUTPUT_DONE) {
        Message.Result = DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    auto* hdr = reinterpret_cast<MIDIHDR*>(Message.LParam);
    auto it = pendingBlocks_.find(hdr);
    // A block already freed by ClosePort, or one whose header memory now serves a newer block still in
    // the driver's hands, is not touched.
    if (it == pendingBlocks_.end() || (hdr->dwFlags & MHDR_INQUEUE) != 0) return;
    TMyMidiHdr* block = it->second;
    pendingBlocks_.erase(it);
    midiOutUnprepareHeader(midiHandle_, hdr, sizeof(MIDIHDR));
    delete block;
    if (Onmidioutput) Onmidioutput(this);
}

}  // namespace zel
