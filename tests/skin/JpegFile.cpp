#include "JpegFile.h"

#include <jpeglib.h>

#include <cstdlib>
#include <vector>

std::string JpegFile(int width, int height, std::uint32_t rgb) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(std::size_t(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[std::size_t(x) * 3] = rgb >> 16 & 0xFF;
    row[std::size_t(x) * 3 + 1] = rgb >> 8 & 0xFF;
    row[std::size_t(x) * 3 + 2] = rgb & 0xFF;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string file(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return file;
}
