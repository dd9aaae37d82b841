// Per-channel arithmetic shared by the skin painting routines. Pictures hold
// 0xFFRRGGBB words; every result keeps the alpha byte at 255. Blends whose
// weights are fractions of 256 or 100 are computed exactly in integers and
// rounded half to even, so no floating-point error can move a result across
// a half.
#pragma once

#include <cstdint>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Surface.h"

namespace skin {

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

constexpr unsigned Channel(std::uint32_t pixel, int shift) {
  return pixel >> shift & 0xFFu;
}
constexpr bool IsFuchsia(std::uint32_t pixel) {
  return (pixel & 0xFFFFFFu) == 0xFF00FFu;
}

// n / d rounded to the nearest integer, halves to the even neighbour (n >= 0).
constexpr unsigned RoundDivEven(unsigned n, unsigned d) {
  const unsigned q = n / d, r = n % d;
  return (2 * r > d || (2 * r == d && (q & 1))) ? q + 1 : q;
}

// Applies a per-channel function f(a, b) to the red, green and blue bytes.
template <class F>
constexpr std::uint32_t MapChannels(std::uint32_t a, std::uint32_t b, F f) {
  return kOpaque | std::uint32_t(f(Channel(a, 16), Channel(b, 16))) << 16 |
         std::uint32_t(f(Channel(a, 8), Channel(b, 8))) << 8 |
         std::uint32_t(f(Channel(a, 0), Channel(b, 0)));
}

// rounded((target - fill) * e / 256 + fill): the target keeps the share
// e / 256 (e in 0..255).
constexpr std::uint32_t MixShare256(std::uint32_t target, std::uint32_t fill, unsigned e) {
  return MapChannels(target, fill, [e](unsigned t, unsigned f) {
    return RoundDivEven(t * e + f * (256 - e), 256);
  });
}

// rounded(a * s / 100 + b * (1 - s / 100)), s in 0..100.
constexpr std::uint32_t MixPercent(std::uint32_t a, std::uint32_t b, unsigned s) {
  return MapChannels(
      a, b, [s](unsigned x, unsigned y) { return RoundDivEven(x * s + y * (100 - s), 100); });
}

// rounded(a - 0.5 * (a - b)): half and half.
constexpr std::uint32_t MixHalf(std::uint32_t a, std::uint32_t b) {
  return MapChannels(a, b, [](unsigned x, unsigned y) { return RoundDivEven(x + y, 2); });
}

// The picture pixel of a colour value, system colours translated.
inline std::uint32_t SolidPixel(std::int32_t color) {
  return platform::ColorToPixel(platform::COLORREF(color));
}

// A view of a picture that the routine only reads.
inline platform::Surface ReadView(const platform::SurfaceBuffer& buffer) {
  return const_cast<platform::SurfaceBuffer&>(buffer).View();
}

}  // namespace skin
