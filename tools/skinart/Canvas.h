// The master bitmap while it is drawn (24-bit colours) and its file forms:
// the 8-bit BMP with a palette that the skin stores, and an enlarged copy
// for looking at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Frame.h"

namespace skinart {

constexpr int kMasterWidth = 189;
constexpr int kMasterHeight = 403;
constexpr std::uint32_t kFuchsia = 0xFF00FF;  // 0xRRGGBB: the transparent colour

class TCanvas {
 public:
  TCanvas(int width, int height, std::uint32_t fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
  void Put(int x, int y, std::uint32_t rgb);  // outside the canvas: clipped away

 private:
  int width_, height_;
  std::vector<std::uint32_t> pixels_;
};

std::uint32_t ToRgb(TRgb c);  // rounded and kept within 0..255

// Mask values are kept to a few even steps so the greys stay exact in the
// palette; 255 (keep the background) is one of them.
constexpr int kMaskStep = 17;

// Puts a frame at (left, top). MaskType 0: cut and mostly clear pixels become
// fuchsia, partly covered ones are mixed with `matte`. MaskType 1: the
// picture goes at (left, top) and its alpha mask right below it, 0 where the
// picture shows and 255 where the background is kept; cut pixels are fuchsia
// over a mask of 255.
void PutFrame(TCanvas& canvas, const TFrame& frame, int left, int top, int maskType, TRgb matte);

// An 8-bit picture: palette of 0xRRGGBB colours and one index per pixel, top
// row first.
struct TIndexedPicture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> palette;
  std::vector<std::uint8_t> indexes;
};

// Reduces the canvas to at most 256 colours. Fuchsia and the mask greys keep
// their exact values; the other colours share the rest of the palette.
TIndexedPicture Quantize(const TCanvas& canvas);

std::vector<std::uint8_t> EncodeBmp8(const TIndexedPicture& picture);

// The BMP file as a stored bitmap property holds it: a 4-byte little-endian
// length, then the file.
std::vector<std::uint8_t> StoredBitmapData(const std::vector<std::uint8_t>& bmp);

// Writes the picture enlarged `scale` times as a PNG file; false on failure.
bool WriteScaledPng(const TIndexedPicture& picture, int scale, const std::string& path);

}  // namespace skinart
