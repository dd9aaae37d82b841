// The run-time tables of the active skin, as the painting code reads them:
// the section records, the image pieces, the compressed patterns and the
// master bitmap. Pictures here hold 24 bits of colour in 32-bit pixels
// (0xFFRRGGBB, the alpha byte always 255) so that the platform's drawing
// contexts and screen copies take them as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Types.h"
#include "platform/gdi/Surface.h"
#include "skin/data/SkinGeneral.h"

namespace skin {

using platform::POINT;
using platform::RECT;
using platform::Surface;
using platform::SurfaceBuffer;

// The colour that marks transparent pixels in pieces.
inline constexpr std::int32_t kFuchsia = 0xFF00FF;
inline constexpr std::uint32_t kFuchsiaPixel = 0xFFFF00FFu;

// A colour value (red in the low byte) as an opaque pixel, and back.
constexpr std::uint32_t PixelOf(std::int32_t color) {
  const auto c = std::uint32_t(color);
  return 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}
constexpr std::int32_t ColorOf(std::uint32_t pixel) {
  return std::int32_t((pixel >> 16 & 0xFFu) | (pixel & 0xFF00u) | (pixel & 0xFFu) << 16);
}

// One image piece: a rectangle of the master bitmap, or a picture of its own.
struct TSkinMaskData {
  std::shared_ptr<const SurfaceBuffer> Bitmap;  // own picture; null for master-bitmap pieces
  std::string SectionName;                      // upper-cased
  std::string PropertyName;                     // upper-cased
  RECT R{};                                     // right and bottom exclusive
  std::int16_t ImageCount = 1;
  std::int16_t MaskType = 0;
  std::int16_t BorderWidth = 0;
};

// A large compressed picture kept as a pattern: its bytes and, decoded once
// at load, its pixels.
struct TSkinPatternData {
  std::vector<std::uint8_t> Data;
  std::shared_ptr<const SurfaceBuffer> Picture;
  std::string SectionName;
  std::string PropertyName;
};

using TSkinMaskArray = std::vector<TSkinMaskData>;
using TSkinPatternArray = std::vector<TSkinPatternData>;

struct TSkinTables {
  TSkinGeneralDataArray Sections;
  TSkinMaskArray Masks;
  TSkinPatternArray Patterns;
  SurfaceBuffer Master;  // empty when the skin has none
  bool Ready = false;    // off from the start of a change until the refresh

  bool ValidSection(int index) const { return index >= 0 && std::size_t(index) < Sections.size(); }
  bool ValidMask(int index) const { return index >= 0 && std::size_t(index) < Masks.size(); }
  void Clear() {
    Sections.clear();
    Masks.clear();
    Patterns.clear();
    Master.Resize(0, 0);
  }
};

// The picture of a parent's background behind a control: the pixel behind
// point (x, y) of the control is Bitmap's pixel at (x + X, y + Y).
struct TParentBackground {
  Surface Bitmap;
  int X = 0;
  int Y = 0;
  bool Valid = false;
};

}  // namespace skin
