#include "Random.h"

namespace platform {

namespace {
std::uint32_t g_state = 0;
}

std::uint32_t Random(std::uint32_t n) {
  g_state = g_state * 134775813u + 1u;
  return static_cast<std::uint32_t>((std::uint64_t(g_state) * n) >> 32);
}

std::uint32_t RandSeed() {
  return g_state;
}
void SetRandSeed(std::uint32_t state) {
  g_state = state;
}

}  // namespace platform
