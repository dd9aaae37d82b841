// Laying a glyph's coverage over pixels in a text colour: each channel
// becomes (colour * c + pixel * (255 - c) + 127) / 255 for coverage c, and
// alpha da + ((255 - da) * c + 127) / 255, so coverage 0 keeps the pixel and
// 255 gives the opaque colour.
#pragma once

#include <cstdint>

namespace platform {

inline std::uint32_t BlendCoverage(std::uint32_t dst, std::uint32_t src, unsigned cov) {
  unsigned inv = 255 - cov;
  std::uint32_t r = (((src >> 16) & 0xFF) * cov + ((dst >> 16) & 0xFF) * inv + 127) / 255;
  std::uint32_t g = (((src >> 8) & 0xFF) * cov + ((dst >> 8) & 0xFF) * inv + 127) / 255;
  std::uint32_t b = ((src & 0xFF) * cov + (dst & 0xFF) * inv + 127) / 255;
  std::uint32_t da = dst >> 24;
  std::uint32_t a = da + ((255 - da) * cov + 127) / 255;
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// BlendCoverage over `count` pixels, four at a time where the processor
// allows; the same results.
void BlendCoverageRow(std::uint32_t* row, const std::uint8_t* coverage, int count,
                      std::uint32_t color);

}  // namespace platform
