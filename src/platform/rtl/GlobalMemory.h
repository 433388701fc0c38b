#pragma once
// Global memory blocks with the shapes of the Win32 calls: a handle to a block that GlobalLock gives the address
// of. MIDI buffers and clipboard data travel in them. The blocks may be used from the MIDI callback thread.
#include <cstddef>
#include <cstdint>

namespace zel {

using HGLOBAL = void*;
constexpr std::uint32_t GMEM_FIXED = 0x0000;
constexpr std::uint32_t GMEM_MOVEABLE = 0x0002;
constexpr std::uint32_t GMEM_ZEROINIT = 0x0040;
constexpr std::uint32_t GMEM_SHARE = 0x2000;
constexpr std::uint32_t GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of memory reached through a handle; GlobalLock gives its address. Returns 0 when out of memory.
HGLOBAL GlobalAlloc(std::uint32_t uFlags, std::size_t dwBytes);
void* GlobalLock(HGLOBAL hMem);    // nullptr for a zero handle
int GlobalUnlock(HGLOBAL hMem);    // TRUE while the block stays locked
HGLOBAL GlobalFree(HGLOBAL hMem);  // 0 on success, the handle when it could not be freed
std::size_t GlobalSize(HGLOBAL hMem);
// Number of blocks allocated and not yet freed, so tests can tell that nothing leaks.
std::size_t GlobalBlockCount();

}  // namespace zel
