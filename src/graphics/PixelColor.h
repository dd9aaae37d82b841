// TPixelColor: a 32-bit pixel, alpha in the top byte, then red, green, blue,
// not premultiplied. In memory (little-endian) its bytes are blue, green,
// red, alpha.
#pragma once

#include <cstdint>

#include "toolkit/Types.h"

namespace graphics {

using TPixelColor = std::uint32_t;

constexpr TPixelColor clWhite32 = 0xFFFFFFFF;
constexpr TPixelColor clBlack32 = 0xFF000000;

// A platform colour (system colours resolved) as an opaque pixel.
TPixelColor ColorToPixelColor(toolkit::TColor color);

constexpr TPixelColor MakePixelColor(int r, int g, int b, int a = 255) {
  return (TPixelColor(a & 0xFF) << 24) | (TPixelColor(r & 0xFF) << 16) |
         (TPixelColor(g & 0xFF) << 8) | TPixelColor(b & 0xFF);
}
constexpr int AlphaOf(TPixelColor c) {
  return int(c >> 24);
}
constexpr int RedOf(TPixelColor c) {
  return int((c >> 16) & 0xFF);
}
constexpr int GreenOf(TPixelColor c) {
  return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(TPixelColor c) {
  return int(c & 0xFF);
}

// The colour with alpha `a`, clamped to 0..255.
TPixelColor SetAlpha(TPixelColor c, int a);
// Moves red, green and blue by `amount` each, clamped; alpha stays.
TPixelColor Lighten(TPixelColor c, int amount);

}  // namespace graphics
