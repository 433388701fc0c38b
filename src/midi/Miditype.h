#pragma once
// The shared pieces of the MIDI input and output components: memory the driver may touch, the System
// Exclusive buffer object handed to the driver, and the event object the main thread receives.
#include <cstddef>
#include <vector>

#include "platform/midi/MmSystem.h"
#include "platform/rtl/Classes.h"

namespace zel {

// Allocates a block of shared, moveable, zero-filled global memory and locks it; returns its address and
// stores its handle in hMem. Raises EOutOfMemory when the block cannot be had (the handle is freed again
// when locking fails).
void* GlobalSharedLockedAlloc(std::size_t Capacity, HGLOBAL& hMem);
// Unlocks and frees a block; a zero handle is ignored.
void GlobalSharedLockedFree(HGLOBAL hMem, void* ptr);

// One System Exclusive buffer: a MIDIHDR and its data block, both in shared memory. The header's lpData
// points at the data block and dwBufferLength is the size. While queued, dwUser holds this object.
class TMyMidiHdr : public TObject {
public:
    explicit TMyMidiHdr(std::size_t BufferSize);  // 0: nothing is allocated
    ~TMyMidiHdr() override;
    std::string ClassName() const override { return "TMyMidiHdr"; }

    MIDIHDR* hdrPointer = nullptr;
    HGLOBAL hdrHandle = nullptr;
    BYTE* sysexPointer = nullptr;
    HGLOBAL sysexHandle = nullptr;
};

// One received MIDI event: a short message (status, data1, data2) or a System Exclusive part (status F0H
// and a copy of its bytes). Whoever takes it owns it.
class TMyMidiEvent : public TPersistent {
public:
    std::string ClassName() const override { return "TMyMidiEvent"; }

    BYTE status = 0;
    BYTE data1 = 0;
    BYTE data2 = 0;
    DWORD timestamp = 0;      // milliseconds since the input started
    WORD SysexLength = 0;     // 0 for a short message
    std::vector<BYTE> Sysex;  // SysexLength bytes
};

}  // namespace zel
