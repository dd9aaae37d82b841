// Compressed skin patterns come from files a user drops in.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/data/JpegPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::SurfaceBuffer picture;
  std::string error;
  if (skin::DecodeJpeg({data, size}, &picture, &error) &&
      (picture.Width() <= 0 || picture.Height() <= 0))
    __builtin_trap();  // a decoded picture is never empty
  return 0;
}
