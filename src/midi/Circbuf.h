#pragma once
// The event ring between the driver's callback thread and the main thread: a single-producer,
// single-consumer ring in shared memory. Only the callback writes entries and moves the put position;
// only the main thread reads entries and moves the get position. The count is the one field both change,
// atomically: an entry is complete before it is counted, and a slot is free only once uncounted.
#include <atomic>
#include <cstddef>

#include "platform/midi/MmSystem.h"

namespace zel {

// One entry: time in ms from the driver, a packed short message (0 for System Exclusive) and the
// System Exclusive header (nullptr for a short message).
struct TMidiBufferItem {
    DWORD timestamp = 0;
    DWORD data = 0;
    MIDIHDR* sysex = nullptr;
};

struct TCircularBuffer {
    HGLOBAL RecordHandle = nullptr;  // this record's memory
    HGLOBAL BufferHandle = nullptr;  // the entries' memory
    TMidiBufferItem* pStart = nullptr;
    TMidiBufferItem* pEnd = nullptr;  // pStart + Capacity
    TMidiBufferItem* pNextPut = nullptr;
    TMidiBufferItem* pNextGet = nullptr;
    WORD Error = 0;
    WORD Capacity = 0;
    std::atomic<WORD> EventCount{0};
};
static_assert(std::atomic<WORD>::is_always_lock_free, "the callback must never block on the count");

// Allocates a ring of Capacity entries in shared memory (raises EOutOfMemory); frees it again.
TCircularBuffer* CircbufAlloc(WORD Capacity);
void CircbufFree(TCircularBuffer* PBuffer);

// Producer side (callback thread): appends; false when the ring is full. Never blocks or allocates.
bool CircbufPutEvent(TCircularBuffer* PBuffer, const TMidiBufferItem& Item);
// Consumer side (main thread): copies the oldest entry; false when empty.
bool CircbufReadEvent(TCircularBuffer* PBuffer, TMidiBufferItem& Item);
// Consumer side: drops the oldest entry; false when empty.
bool CircbufRemoveEvent(TCircularBuffer* PBuffer);
// Entries waiting (consumer side).
WORD CircbufCount(const TCircularBuffer* PBuffer);

}  // namespace zel
