// Writing small JPEG files for the tests, so no picture files are kept.
#pragma once

#include <cstdint>
#include <string>

// A JPEG file of one colour (0xRRGGBB).
std::string JpegFile(int width, int height, std::uint32_t rgb);
