#pragma once
// The one driver callback shared by the input and the output component. It runs on the driver's thread
// and touches only its callback block and the event ring: it stores an event and posts a message to the
// component's hidden window, never blocking, allocating or calling into the component.
#include <atomic>

#include "midi/Circbuf.h"
#include "platform/midi/MmSystem.h"
#include "platform/win/WinTypes.h"

namespace zel {

// Messages the callback posts: an event was stored (input), the ring was full and the event lost (input),
// a System Exclusive block is done (output; lParam = its MIDIHDR).
constexpr UINT MIDI_EVENT_STORED = MIM_DATA;  // 3C3H
constexpr UINT MIDI_OVERFLOW = 0x400;         // WM_USER
constexpr UINT MIDI_OUTPUT_DONE = MOM_DONE;   // 3C9H

// The callback block: the instance data handed to the driver.
struct TMidiCtlInfo {
    HGLOBAL hMem = nullptr;              // this block's memory
    TCircularBuffer* PBuffer = nullptr;  // the input's event ring (none for the output)
    HWND hWindow = nullptr;              // the component's hidden window
    std::atomic<BYTE> SysexOnly{0};      // short messages are dropped when set
};

void MidiHandler(void* hDevice, UINT wMsg, DWORD_PTR dwInstance, DWORD_PTR dwParam1, DWORD_PTR dwParam2);

// Allocates a callback block in shared memory (raises EOutOfMemory) and frees it.
TMidiCtlInfo* CtlInfoAlloc();
void CtlInfoFree(TMidiCtlInfo*& Info);

}  // namespace zel
