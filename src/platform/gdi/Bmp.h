// Pictures held in memory: BMP and PNG files decoded into 32-bit pixels.
//
// Both readers take untrusted bytes (stored descriptions, files chosen by a
// user): every size, offset and index is checked against the data before it
// is used, and a picture larger than kMaxPictureSide on either side or
// kMaxPicturePixels in all is refused. On failure *out is left empty and
// *error says what is wrong with the data.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"

namespace platform {

constexpr int kMaxPictureSide = 16384;
constexpr std::int64_t kMaxPicturePixels = std::int64_t(1) << 26;

// Uncompressed BMP files of 1, 4, 8, 24 or 32 bits per pixel, rows stored
// bottom-up or top-down, with the classic 12-byte or any 40-byte-or-longer
// information header. Pixels without alpha come out opaque; a 32-bit picture
// whose alpha bytes are all zero is taken as opaque too, since most writers
// leave that byte unused.
bool ReadBmp(std::span<const std::uint8_t> data, SurfaceBuffer* out, std::string* error);

// A PNG file of any common format, read as 8-bit RGBA.
bool ReadPngData(std::span<const std::uint8_t> data, SurfaceBuffer* out, std::string* error);

// Writes pixels as a 32-bit bottom-up BMP file, alpha in the fourth byte.
std::vector<std::uint8_t> WriteBmp(const Surface& pixels);

bool IsBmpData(std::span<const std::uint8_t> data);
bool IsPngData(std::span<const std::uint8_t> data);

}  // namespace platform
