#include "platform/rtl/Random.h"

#include "platform/rtl/Clock.h"

namespace zel {

std::uint32_t RandSeed = 0;

namespace {
std::uint32_t NextSeed() {
    RandSeed = RandSeed * 134775813u + 1u;
    return RandSeed;
}
}  // namespace

void Randomize() { RandSeed = static_cast<std::uint32_t>(GetTickCount()); }

int Random(int Range) {
    const std::uint64_t next = NextSeed();
    if (Range <= 0) return 0;
    // The high part of seed x range: every value of the range gets an equal share of the seeds.
    return static_cast<int>((next * static_cast<std::uint64_t>(Range)) >> 32);
}

double Random() { return static_cast<double>(NextSeed()) / 4294967296.0; }

}  // namespace zel
