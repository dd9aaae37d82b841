// A 32-bit pixel surface: the memory every device context draws into.
//
// Pixels are 0xAARRGGBB words (bytes blue, green, red, alpha in memory). Rows
// run top-down; `stride` is the distance in bytes from one row to the next and
// may be negative for a picture stored bottom-up, so always step with Row().
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/Types.h"

namespace platform {

// A view of pixels owned elsewhere (a bitmap, a window's picture, the screen).
struct Surface {
  std::uint32_t* pixels = nullptr;  // top-left pixel
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // bytes from row y to row y + 1

  bool IsEmpty() const { return pixels == nullptr || width <= 0 || height <= 0; }
  std::uint32_t* Row(int y) const {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(pixels) + y * stride);
  }
  std::uint32_t& At(int x, int y) const { return Row(y)[x]; }
  RECT Bounds() const { return RECT{0, 0, width, height}; }
};

// A surface that owns its pixels; rows are contiguous (stride = width * 4).
class SurfaceBuffer {
 public:
  SurfaceBuffer() = default;
  SurfaceBuffer(int width, int height, std::uint32_t fill = 0) { Resize(width, height, fill); }

  // Discards the old pixels; negative sizes count as 0.
  void Resize(int width, int height, std::uint32_t fill = 0) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    pixels_.assign(std::size_t(width_) * std::size_t(height_), fill);
  }

  Surface View() {
    return Surface{pixels_.empty() ? nullptr : pixels_.data(), width_, height_,
                   std::ptrdiff_t(width_) * 4};
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t* Pixels() { return pixels_.data(); }
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  std::uint32_t& At(int x, int y) { return pixels_[std::size_t(y) * width_ + x]; }
  std::uint32_t At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace platform
