#pragma once
// The runtime's pseudo-random numbers: one linear congruential generator whose state is RandSeed.
// Randomize seeds it from the clock service's tick count, so that a test's manual clock decides the
// numbers; a test may also set RandSeed itself to get a known sequence.
#include <cstdint>

namespace zel {

// The generator's state; every Random call moves it one step.
extern std::uint32_t RandSeed;

// Seeds the generator from the installed clock's tick count.
void Randomize();
// A whole number in 0..Range-1, each equally likely; 0 when Range is not positive.
int Random(int Range);
// A number in [0, 1).
double Random();

}  // namespace zel
