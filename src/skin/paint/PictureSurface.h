// A 32-bit picture seen as the pixel view the painting routines take.
#pragma once

#include <cstdint>

#include "graphics/PixelBitmap.h"
#include "platform/gdi/Surface.h"

namespace skin {

// Empty for an empty picture. The view writes into the picture's pixels.
inline platform::Surface SurfaceOf(const graphics::TPixelBitmap& picture) {
  if (picture.Empty()) return {};
  return platform::Surface{reinterpret_cast<std::uint32_t*>(picture.Bits()), picture.Width(),
                           picture.Height(), std::ptrdiff_t(picture.Width()) * 4};
}

}  // namespace skin
