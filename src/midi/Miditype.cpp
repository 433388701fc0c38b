#include "midi/Miditype.h"

namespace zel {

void* GlobalSharedLockedAlloc(std::size_t Capacity, HGLOBAL& hMem) {
    hMem = GlobalAlloc(GMEM_SHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, Capacity);
    if (hMem == nullptr) throw EOutOfMemory("Out of memory");
    void* ptr = GlobalLock(hMem);
    if (ptr == nullptr) {
        GlobalFree(hMem);
        hMem = nullptr;
        throw EOutOfMemory("Out of memory");
    }
    return ptr;
}

void GlobalSharedLockedFree(HGLOBAL hMem, void* /*ptr*/) {
    if (hMem == nullptr) return;
    GlobalUnlock(hMem);
    GlobalFree(hMem);
}

TMyMidiHdr::TMyMidiHdr(std::size_t BufferSize) {
    if (BufferSize == 0) return;
    void* h = GlobalSharedLockedAlloc(sizeof(MIDIHDR), hdrHandle);
    hdrPointer = new (h) MIDIHDR{};
    try {
        sysexPointer = static_cast<BYTE*>(GlobalSharedLockedAlloc(BufferSize, sysexHandle));
    } catch (...) {
        GlobalSharedLockedFree(hdrHandle, hdrPointer);
        throw;
    }
    hdrPointer->lpData = reinterpret_cast<LPSTR>(sysexPointer);
    hdrPointer->dwBufferLength = static_cast<DWORD>(BufferSize);
}

TMyMidiHdr::~TMyMidiHdr() {
    GlobalSharedLockedFree(hdrHandle, hdrPointer);
    GlobalSharedLockedFree(sysexHandle, sysexPointer);
}

}  // namespace zel
