// Decoding the compressed pictures a skin uses for its patterns.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/gdi/Surface.h"

namespace skin {

// The file's pixels as opaque 0xFFRRGGBB; false with a reason for data that
// is not a readable JPEG, for a picture of more than 64 megapixels, or for
// an empty one. `out` is untouched on failure.
bool DecodeJpeg(std::span<const std::uint8_t> data, platform::SurfaceBuffer* out,
                std::string* error);

}  // namespace skin
