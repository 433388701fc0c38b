#include "midi/MidiOut.h"

#include <algorithm>
#include <cstring>

#include "platform/win/Windows.h"

namespace zel {

TMidiOutput::TMidiOutput(TComponent* AOwner) : TComponent(AOwner) {
    FClosed = 1;
    NumDevs = static_cast<WORD>(midiOutGetNumDevs());
    if (!ComponentState().Contains(csDesigning))
        Handle = AllocateHWnd([this](TMessage& Message) { MidiOutput(Message); });
}

TMidiOutput::~TMidiOutput() {
    if (FClosed == 0) {
        try {
            ClosePort();
        } catch (const Exception&) {
            // A destructor cannot report.
        }
    }
    FreePendingBlocks();
    CtlInfoFree(PCtlInfo);
    if (Handle != nullptr) DeallocateHWnd(Handle);
}

std::string TMidiOutput::MidiOutErrorString(MMRESULT WError) {
    char text[MAXERRORLENGTH] = {};
    if (midiOutGetErrorTextA(WError, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
        return "Specified error number is out of range";
    return text;
}

void TMidiOutput::RaiseError(MMRESULT Err) {
    FError = Err;
    throw EmidioutputError(MidiOutErrorString(Err));
}

void TMidiOutput::SetDeviceID(int DeviceID) {
    if (FClosed == 0) throw EmidioutputError("Change to DeviceID while device was open");
    if (DeviceID != -1 && (DeviceID < 0 || static_cast<UINT>(DeviceID) >= midiOutGetNumDevs()))
        throw EmidioutputError("Invalid device ID");
    MIDIOUTCAPSA caps;
    MMRESULT err = midiOutGetDevCapsA(static_cast<UINT>(DeviceID), &caps, sizeof(caps));
    if (err != MMSYSERR_NOERROR) RaiseError(err);
    FDeviceID = DeviceID;
    FProductName = caps.szPname;
    DriverVersion = caps.vDriverVersion;
    Technology = caps.wTechnology;
    Voices = caps.wVoices;
    Notes = caps.wNotes;
    ChannelMask = caps.wChannelMask;
    Support = caps.dwSupport;
}

void TMidiOutput::SetProductName(const std::string& NewProductName) {
    if (FClosed == 0) throw EmidioutputError("Change to ProductName while device was open");
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
    if (FClosed == 0) return true;
    try {
        if (PCtlInfo == nullptr) PCtlInfo = CtlInfoAlloc();
        PCtlInfo->hWindow = Handle;
        MMRESULT err =
            midiOutOpen(&FMidiHandle, static_cast<UINT>(FDeviceID), reinterpret_cast<DWORD_PTR>(&MidiHandler),
                        reinterpret_cast<DWORD_PTR>(PCtlInfo), CALLBACK_FUNCTION);
        FError = err;
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        FClosed = 0;
        return true;
    } catch (const Exception&) {
        FMidiHandle = nullptr;
        CtlInfoFree(PCtlInfo);
        return false;
    }
}

void TMidiOutput::FreePendingBlocks() {
    for (auto& [hdr, block] : FPendingBlocks) delete block;
    FPendingBlocks.clear();
}

bool TMidiOutput::ClosePort() {
    bool result = false;
    if (FClosed == 0) {
        // Blocks still queued are taken back first: the driver refuses to close while it holds any, and
        // each must be freed exactly once whether or not its done message has been handled yet.
        MMRESULT err = midiOutReset(FMidiHandle);
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        err = midiOutClose(FMidiHandle);
        if (err != MMSYSERR_NOERROR) RaiseError(err);
        FreePendingBlocks();
        result = true;
    }
    FMidiHandle = nullptr;
    FClosed = 1;
    return result;
}

void TMidiOutput::SendShort(BYTE MidiMessage, BYTE Data1, BYTE Data2) {
    DWORD msg = MidiMessage + Data1 * 0x100u + Data2 * 0x10000u;
    MMRESULT err = midiOutShortMsg(FMidiHandle, msg);
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
    MMRESULT err = midiOutPrepareHeader(FMidiHandle, hdr, sizeof(MIDIHDR));
    if (err == MMSYSERR_NOERROR) {
        FPendingBlocks[hdr] = block;
        err = midiOutLongMsg(FMidiHandle, hdr, sizeof(MIDIHDR));
        if (err != MMSYSERR_NOERROR) {
            FPendingBlocks.erase(hdr);
            midiOutUnprepareHeader(FMidiHandle, hdr, sizeof(MIDIHDR));
        }
    }
    if (err != MMSYSERR_NOERROR) {
        // A block that never reached the driver is freed here.
        delete block;
        RaiseError(err);
    }
}

void TMidiOutput::SendEvent(const TMyMidiEvent* Event) {
    if (FClosed != 0) throw EmidioutputError("MIDI Output device not open");
    if (Event->SysexLength > 0 && !Event->Sysex.empty())
        SendSysEx(Event->Sysex.data(),
                  static_cast<WORD>(std::min<std::size_t>(Event->SysexLength, Event->Sysex.size())));
    else SendShort(Event->status, Event->data1, Event->data2);
}

void TMidiOutput::MidiOutput(TMessage& Message) {
    if (Message.Msg != MIDI_OUTPUT_DONE) {
        Message.Result = DefWindowProc(Handle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    auto* hdr = reinterpret_cast<MIDIHDR*>(Message.LParam);
    auto it = FPendingBlocks.find(hdr);
    // A block already freed by ClosePort, or one whose header memory now serves a newer block still in
    // the driver's hands, is not touched.
    if (it == FPendingBlocks.end() || (hdr->dwFlags & MHDR_INQUEUE) != 0) return;
    TMyMidiHdr* block = it->second;
    FPendingBlocks.erase(it);
    midiOutUnprepareHeader(FMidiHandle, hdr, sizeof(MIDIHDR));
    delete block;
    if (Onmidioutput) Onmidioutput(this);
}

}  // namespace zel
