// The process-wide pseudo-random generator: a 32-bit state, 0 at process start,
// never reseeded. Other code depends on its exact sequence.
#pragma once

#include <cstdint>

namespace platform {

// Draws a number in [0, n): state = state * 134775813 + 1 (mod 2^32), result
// is the high 32 bits of state * n.
std::uint32_t Random(std::uint32_t n);

// The current state; tests save and restore it to replay a sequence.
std::uint32_t RandSeed();
void SetRandSeed(std::uint32_t state);

}  // namespace platform
