// PNG pictures of surfaces, for captures and picture comparisons in tests.
#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace platform {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool WritePng(const std::string& path, const Surface& surface, const RECT* part, bool keepAlpha) {
  RECT r = surface.Bounds();
  if (part && !IntersectRect(&r, r, *part)) return false;
  if (surface.IsEmpty() || r.IsEmpty()) return false;
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row(std::size_t(r.Width()) * 4);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, png_uint_32(r.Width()), png_uint_32(r.Height()), 8,
               keepAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint32_t* src = surface.Row(y) + r.left;
    png_byte* out = row.data();
    for (int x = 0; x < r.Width(); ++x) {
      std::uint32_t p = src[x];
      *out++ = png_byte(p >> 16);
      *out++ = png_byte(p >> 8);
      *out++ = png_byte(p);
      if (keepAlpha) *out++ = png_byte(p >> 24);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

bool ReadPng(const std::string& path, SurfaceBuffer* out) {
  if (!out) return false;
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  png_byte sig[8];
  if (std::fread(sig, 1, 8, file.get()) != 8 || png_sig_cmp(sig, 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return false;
  }
  png_init_io(png, file.get());
  png_set_sig_bytes(png, 8);
  png_set_user_limits(png, 16384, 16384);
  png_read_info(png, info);
  // Whatever the stored format, read 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
  if (png_get_rowbytes(png, info) != std::size_t(w) * 4) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  std::vector<png_byte> pixels(std::size_t(w) * h * 4);
  std::vector<png_bytep> rows(h);
  for (int y = 0; y < h; ++y) rows[y] = pixels.data() + std::size_t(y) * w * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  out->Resize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const png_byte* p = rows[y] + std::size_t(x) * 4;
      out->At(x, y) = (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) |
                      (std::uint32_t(p[1]) << 8) | p[2];
    }
  return true;
}

}  // namespace platform
