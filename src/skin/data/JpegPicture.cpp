#include "skin/data/JpegPicture.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace skin {

namespace {

constexpr std::uint64_t kMaxPixels = 64ull << 20;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* e = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, e->message);
  std::longjmp(e->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings of damaged files are not worth a line each

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> data, platform::SurfaceBuffer* out,
                std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (data.size() < 4 || data[0] != 0xFF || data[1] != 0xD8) return fail("not a JPEG picture");

  // Everything the jump may skip lives outside the guarded part.
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  platform::SurfaceBuffer pixels;
  std::vector<std::uint8_t> row;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return fail(std::string("damaged JPEG picture: ") + errors.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  const std::uint64_t count = std::uint64_t(info.image_width) * info.image_height;
  if (count == 0 || count > kMaxPixels) {
    jpeg_destroy_decompress(&info);
    return fail("JPEG picture of an unusable size");
  }
  jpeg_start_decompress(&info);
  const int width = int(info.output_width), height = int(info.output_height);
  pixels.Resize(width, height, 0xFF000000u);
  row.resize(std::size_t(width) * 3);
  platform::Surface view = pixels.View();
  while (info.output_scanline < info.output_height) {
    const int y = int(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    std::uint32_t* dest = view.Row(y);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = &row[std::size_t(x) * 3];
      dest[x] = 0xFF000000u | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  *out = std::move(pixels);
  return true;
}

}  // namespace skin
