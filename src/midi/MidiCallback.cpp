#include "midi/MidiCallback.h"

#include <new>

#include "midi/Miditype.h"
#include "platform/win/Windows.h"

namespace zel {

void MidiHandler(void* /*hDevice*/, UINT wMsg, DWORD_PTR dwInstance, DWORD_PTR dwParam1, DWORD_PTR dwParam2) {
    auto* info = reinterpret_cast<TMidiCtlInfo*>(dwInstance);
    if (info == nullptr) return;
    switch (wMsg) {
        case MIM_DATA:
        case MIM_LONGDATA:
        case MIM_LONGERROR: {
            if (dwParam1 == 0xFE || dwParam1 == 0xF8) return;  // active sensing, timing clock
            if (wMsg == MIM_DATA && info->SysexOnly.load(std::memory_order_relaxed) != 0) return;
            // A long message that found no free buffer has no header: nothing to hand on.
            if (wMsg != MIM_DATA && dwParam1 == 0) return;
            if (info->PBuffer == nullptr) return;
            TMidiBufferItem item;
            item.timestamp = static_cast<DWORD>(dwParam2);
            if (wMsg == MIM_DATA) item.data = static_cast<DWORD>(dwParam1);
            else item.sysex = reinterpret_cast<MIDIHDR*>(dwParam1);
            if (CircbufPutEvent(info->PBuffer, item)) PostMessage(info->hWindow, MIDI_EVENT_STORED, 0, 0);
            else PostMessage(info->hWindow, MIDI_OVERFLOW, 0, 0);
            break;
        }
        case MOM_DONE: PostMessage(info->hWindow, MIDI_OUTPUT_DONE, 0, static_cast<LPARAM>(dwParam1)); break;
        default: break;
    }
}

TMidiCtlInfo* CtlInfoAlloc() {
    HGLOBAL h = nullptr;
    void* p = GlobalSharedLockedAlloc(sizeof(TMidiCtlInfo), h);
    auto* info = new (p) TMidiCtlInfo;
    info->hMem = h;
    return info;
}

void CtlInfoFree(TMidiCtlInfo*& Info) {
    if (Info == nullptr) return;
    HGLOBAL h = Info->hMem;
    Info->~TMidiCtlInfo();
    GlobalSharedLockedFree(h, Info);
    Info = nullptr;
}

}  // namespace zel
