// PNG pictures of surfaces, for captures and picture comparisons in tests.
#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/gdi/Bmp.h"
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

// The file is read whole and decoded like a picture held in memory.
bool ReadPng(const std::string& path, SurfaceBuffer* out) {
  if (!out) return false;
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  std::vector<std::uint8_t> data;
  std::uint8_t chunk[65536];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;)
    data.insert(data.end(), chunk, chunk + n);
  if (std::ferror(file.get())) return false;
  return ReadPngData(data, out, nullptr);
}

}  // namespace platform
