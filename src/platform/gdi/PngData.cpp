// PNG files held in memory (pictures carried by stored descriptions).
#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/Bmp.h"

namespace platform {

namespace {

struct Reader {
  std::span<const std::uint8_t> data;
  std::size_t at = 0;
  std::string message;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (count > r->data.size() - r->at) png_error(png, "the picture data is truncated");
  std::memcpy(out, r->data.data() + r->at, count);
  r->at += count;
}

void OnError(png_structp png, png_const_charp message) {
  auto* r = static_cast<Reader*>(png_get_error_ptr(png));
  r->message = message ? message : "the picture data is invalid";
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

}  // namespace

bool IsPngData(std::span<const std::uint8_t> data) {
  return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}

namespace {

// Whether every chunk's length field fits in the data that holds it. The
// decoder reserves memory for a chunk as its length field says before it
// reads it, so a few bytes could otherwise ask for gigabytes.
bool ChunksFit(std::span<const std::uint8_t> data) {
  std::size_t at = 8;
  while (data.size() - at >= 12) {
    const std::uint32_t length = std::uint32_t(data[at]) << 24 | std::uint32_t(data[at + 1]) << 16 |
                                 std::uint32_t(data[at + 2]) << 8 | data[at + 3];
    if (length > data.size() - at - 12) return false;
    if (std::memcmp(data.data() + at + 4, "IEND", 4) == 0) return true;
    at += 12 + std::size_t(length);
  }
  return true;  // cut short: the decoder reports the truncation
}

}  // namespace

bool ReadPngData(std::span<const std::uint8_t> data, SurfaceBuffer* out, std::string* error) {
  if (!out) return false;
  out->Resize(0, 0);
  if (!IsPngData(data)) {
    if (error) *error = "not a PNG file";
    return false;
  }
  if (!ChunksFit(data)) {
    if (error) *error = "a chunk is longer than the picture data";
    return false;
  }
  Reader reader{data, 8, {}};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, &OnError, &OnWarning);
  if (!png) {
    if (error) *error = "out of memory";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  // Kept outside the jump so that they are freed on every path.
  std::vector<png_byte> pixels;
  std::vector<png_bytep> rows;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (error) *error = reader.message.empty() ? "out of memory" : reader.message;
    out->Resize(0, 0);
    return false;
  }
  png_set_read_fn(png, &reader, &ReadBytes);
  png_set_sig_bytes(png, 8);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  // No chunk can be longer than the data that holds it: refuse one that
  // claims more before memory is reserved for it.
  png_set_chunk_malloc_max(png, png_alloc_size_t(std::max<std::size_t>(data.size(), 1)));
  png_read_info(png, info);
  const std::uint64_t w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (w * h > std::uint64_t(kMaxPicturePixels)) png_error(png, "the picture is too large");
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != w * 4) png_error(png, "unexpected row layout");
  pixels.resize(w * h * 4);
  rows.resize(h);
  for (std::uint64_t y = 0; y < h; ++y) rows[y] = pixels.data() + y * w * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  out->Resize(int(w), int(h));
  for (int y = 0; y < int(h); ++y)
    for (int x = 0; x < int(w); ++x) {
      const png_byte* p = rows[y] + std::size_t(x) * 4;
      out->At(x, y) =
          std::uint32_t(p[3]) << 24 | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
  return true;
}

}  // namespace platform
