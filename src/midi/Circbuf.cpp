#include "midi/Circbuf.h"

#include <new>

#include "midi/Miditype.h"

namespace zel {

TCircularBuffer* CircbufAlloc(WORD Capacity) {
    HGLOBAL recordHandle = nullptr;
    void* record = GlobalSharedLockedAlloc(sizeof(TCircularBuffer), recordHandle);
    HGLOBAL bufferHandle = nullptr;
    void* entries = nullptr;
    try {
        entries = GlobalSharedLockedAlloc(sizeof(TMidiBufferItem) * (Capacity == 0 ? 1 : Capacity), bufferHandle);
    } catch (...) {
        GlobalSharedLockedFree(recordHandle, record);
        throw;
    }
    auto* b = new (record) TCircularBuffer;
    b->RecordHandle = recordHandle;
    b->BufferHandle = bufferHandle;
    b->pStart = new (entries) TMidiBufferItem[Capacity == 0 ? 1 : Capacity];
    b->pEnd = b->pStart + Capacity;
    b->pNextPut = b->pStart;
    b->pNextGet = b->pStart;
    b->Capacity = Capacity;
    return b;
}

void CircbufFree(TCircularBuffer* PBuffer) {
    if (PBuffer == nullptr) return;
    HGLOBAL recordHandle = PBuffer->RecordHandle;
    GlobalSharedLockedFree(PBuffer->BufferHandle, PBuffer->pStart);
    PBuffer->~TCircularBuffer();
    GlobalSharedLockedFree(recordHandle, PBuffer);
}

bool CircbufPutEvent(TCircularBuffer* PBuffer, const TMidiBufferItem& Item) {
    if (PBuffer->EventCount.load(std::memory_order_acquire) >= PBuffer->Capacity) return false;
    *PBuffer->pNextPut = Item;
    ++PBuffer->pNextPut;
    if (PBuffer->pNextPut >= PBuffer->pEnd) PBuffer->pNextPut = PBuffer->pStart;
    PBuffer->EventCount.fetch_add(1, std::memory_order_release);
    return true;
}

bool CircbufReadEvent(TCircularBuffer* PBuffer, TMidiBufferItem& Item) {
    if (PBuffer->EventCount.load(std::memory_order_acquire) == 0) return false;
    Item = *PBuffer->pNextGet;
    return true;
}

bool CircbufRemoveEvent(TCircularBuffer* PBuffer) {
    if (PBuffer->EventCount.load(std::memory_order_acquire) == 0) return false;
    ++PBuffer->pNextGet;
    if (PBuffer->pNextGet >= PBuffer->pEnd) PBuffer->pNextGet = PBuffer->pStart;
    PBuffer->EventCount.fetch_sub(1, std::memory_order_release);
    return true;
}

WORD CircbufCount(const TCircularBuffer* PBuffer) {
    return PBuffer == nullptr ? 0 : PBuffer->EventCount.load(std::memory_order_acquire);
}

}  // namespace zel
