// BMP and PNG data: glyphs and bitmaps of stored descriptions and skins.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gdi/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::SurfaceBuffer picture;
  std::string error;
  if (platform::IsBmpData({data, size}))
    platform::ReadBmp({data, size}, &picture, &error);
  else
    platform::ReadPngData({data, size}, &picture, &error);
  return 0;
}
