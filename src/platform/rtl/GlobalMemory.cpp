// Global memory blocks: a handle is the address of a record that a magic number marks as a live block.
#include "platform/rtl/GlobalMemory.h"

#include <atomic>
#include <cstring>
#include <new>

namespace zel {

namespace {

// A global-memory handle points at this record; the data follows it.
struct TGlobalBlock {
    std::uint32_t magic = 0;
    std::size_t size = 0;
    int lockCount = 0;
    std::uint8_t* data = nullptr;
};
constexpr std::uint32_t kGlobalMagic = 0x474C4D42;  // "GLMB"
std::atomic<std::size_t> gGlobalBlocks{0};

TGlobalBlock* BlockOf(HGLOBAL h) {
    auto* b = static_cast<TGlobalBlock*>(h);
    return (b != nullptr && b->magic == kGlobalMagic) ? b : nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(std::uint32_t uFlags, std::size_t dwBytes) {
    auto* b = new (std::nothrow) TGlobalBlock;
    if (b == nullptr) return nullptr;
    b->data = new (std::nothrow) std::uint8_t[dwBytes == 0 ? 1 : dwBytes];
    if (b->data == nullptr) {
        delete b;
        return nullptr;
    }
    if ((uFlags & GMEM_ZEROINIT) != 0) std::memset(b->data, 0, dwBytes == 0 ? 1 : dwBytes);
    b->magic = kGlobalMagic;
    b->size = dwBytes;
    ++gGlobalBlocks;
    return b;
}

void* GlobalLock(HGLOBAL hMem) {
    TGlobalBlock* b = BlockOf(hMem);
    if (b == nullptr) return nullptr;
    ++b->lockCount;
    return b->data;
}

int GlobalUnlock(HGLOBAL hMem) {
    TGlobalBlock* b = BlockOf(hMem);
    if (b == nullptr || b->lockCount == 0) return 0;
    --b->lockCount;
    return b->lockCount > 0 ? 1 : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    TGlobalBlock* b = BlockOf(hMem);
    if (b == nullptr) return hMem;
    b->magic = 0;
    delete[] b->data;
    delete b;
    --gGlobalBlocks;
    return nullptr;
}

std::size_t GlobalSize(HGLOBAL hMem) {
    TGlobalBlock* b = BlockOf(hMem);
    return b == nullptr ? 0 : b->size;
}

std::size_t GlobalBlockCount() { return gGlobalBlocks.load(); }

}  // namespace zel
