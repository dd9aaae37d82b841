// BMP files in memory: decoding of the uncompressed forms, and writing of the
// 32-bit form.
#include "platform/gdi/Bmp.h"

#include <cstring>

namespace platform {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kCoreHeader = 12;
constexpr std::size_t kInfoHeader = 40;

std::uint32_t U16(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}
std::uint32_t U32(const std::uint8_t* p) {
  return U16(p) | U16(p + 2) << 16;
}

bool Fail(SurfaceBuffer* out, std::string* error, const char* what) {
  out->Resize(0, 0);
  if (error) *error = what;
  return false;
}

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

}  // namespace

bool IsBmpData(std::span<const std::uint8_t> data) {
  return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool ReadBmp(std::span<const std::uint8_t> data, SurfaceBuffer* out, std::string* error) {
  if (!out) return false;
  const std::size_t size = data.size();
  const std::uint8_t* d = data.data();
  if (!IsBmpData(data)) return Fail(out, error, "not a BMP file");
  if (size < kFileHeader + 4) return Fail(out, error, "the file header is truncated");
  const std::uint64_t pixelOffset = U32(d + 10);
  const std::uint32_t headerSize = U32(d + kFileHeader);
  const bool core = headerSize == kCoreHeader;
  if (!core && headerSize < kInfoHeader) return Fail(out, error, "unknown information header");
  if (size - kFileHeader < headerSize)
    return Fail(out, error, "the information header is truncated");
  const std::uint8_t* h = d + kFileHeader;
  std::int64_t width, height;
  std::uint32_t planes, bits, compression = 0, colorsUsed = 0;
  if (core) {
    width = U16(h + 4);
    height = U16(h + 6);
    planes = U16(h + 8);
    bits = U16(h + 10);
  } else {
    width = std::int32_t(U32(h + 4));
    height = std::int32_t(U32(h + 8));
    planes = U16(h + 12);
    bits = U16(h + 14);
    compression = U32(h + 16);
    colorsUsed = U32(h + 32);
  }
  if (planes != 1) return Fail(out, error, "the plane count is not 1");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return Fail(out, error, "unsupported number of bits per pixel");
  if (compression != 0) return Fail(out, error, "compressed pictures are not supported");
  const bool topDown = height < 0;
  if (topDown) height = -height;  // 64-bit: even the most negative height negates safely
  if (width <= 0 || height <= 0) return Fail(out, error, "the picture has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    return Fail(out, error, "the picture is too large");

  // The colour table follows the header; entries are 3 bytes after a core
  // header, 4 otherwise.
  std::vector<std::uint32_t> palette;
  const std::uint64_t tableAt = kFileHeader + std::uint64_t(headerSize);
  std::uint64_t tableEnd = tableAt;
  if (bits <= 8) {
    const std::uint64_t most = std::uint64_t(1) << bits;
    const std::uint64_t count = colorsUsed == 0 ? most : colorsUsed;
    if (count > most) return Fail(out, error, "the colour table is larger than the pixels can use");
    const std::uint64_t entry = core ? 3 : 4;
    tableEnd = tableAt + count * entry;
    if (tableEnd > size) return Fail(out, error, "the colour table is truncated");
    palette.resize(count);
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint8_t* e = d + tableAt + i * entry;
      palette[i] = 0xFF000000u | std::uint32_t(e[2]) << 16 | std::uint32_t(e[1]) << 8 | e[0];
    }
  }
  if (pixelOffset < tableEnd) return Fail(out, error, "the pixel data offset is invalid");
  const std::uint64_t stride = ((std::uint64_t(width) * bits + 31) / 32) * 4;
  if (pixelOffset > size || (size - pixelOffset) / stride < std::uint64_t(height))
    return Fail(out, error, "the pixel data is truncated");

  out->Resize(int(width), int(height));
  bool anyAlpha = false;
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* src = d + pixelOffset + std::uint64_t(row) * stride;
    const int y = int(topDown ? row : height - 1 - row);
    for (int x = 0; x < int(width); ++x) {
      std::uint32_t pixel;
      if (bits <= 8) {
        const unsigned perByte = 8 / bits;
        const unsigned shift = 8 - bits * (1 + x % perByte);
        const unsigned index = (src[x / perByte] >> shift) & ((1u << bits) - 1);
        if (index >= palette.size()) return Fail(out, error, "a colour index is outside the table");
        pixel = palette[index];
      } else if (bits == 24) {
        const std::uint8_t* p = src + std::size_t(x) * 3;
        pixel = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
      } else {
        pixel = U32(src + std::size_t(x) * 4);
        anyAlpha |= (pixel >> 24) != 0;
      }
      out->At(x, y) = pixel;
    }
  }
  if (bits == 32 && !anyAlpha)
    for (int y = 0; y < out->Height(); ++y)
      for (int x = 0; x < out->Width(); ++x) out->At(x, y) |= 0xFF000000u;
  return true;
}

std::vector<std::uint8_t> WriteBmp(const Surface& pixels) {
  std::vector<std::uint8_t> b;
  if (pixels.IsEmpty()) return b;
  const std::uint32_t imageBytes = std::uint32_t(pixels.width) * std::uint32_t(pixels.height) * 4;
  b.reserve(kFileHeader + kInfoHeader + imageBytes);
  b.push_back('B');
  b.push_back('M');
  Put32(b, std::uint32_t(kFileHeader + kInfoHeader) + imageBytes);
  Put32(b, 0);
  Put32(b, kFileHeader + kInfoHeader);
  Put32(b, kInfoHeader);
  Put32(b, std::uint32_t(pixels.width));
  Put32(b, std::uint32_t(pixels.height));
  Put16(b, 1);
  Put16(b, 32);
  Put32(b, 0);  // uncompressed
  Put32(b, imageBytes);
  for (int i = 0; i < 4; ++i) Put32(b, 0);  // resolution and colour counts
  for (int y = pixels.height - 1; y >= 0; --y)
    for (int x = 0; x < pixels.width; ++x) Put32(b, pixels.At(x, y));
  return b;
}

}  // namespace platform
