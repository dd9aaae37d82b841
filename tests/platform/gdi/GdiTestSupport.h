// A memory context over a 32-bit section, and pixel helpers for the tests.
#pragma once

#include <cstdint>

#include "platform/gdi/Gdi.h"

namespace platform::test {

class Canvas {
 public:
  Canvas(int w, int h, std::uint32_t fill = 0xFFFFFFFF) : w_(w), h_(h) {
    dc_ = CreateCompatibleDC(HDC{});
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    void* bits = nullptr;
    bm_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    px_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bm_);
    Clear(fill);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bm_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bm_; }
  int w() const { return w_; }
  int h() const { return h_; }
  std::uint32_t& at(int x, int y) { return px_[y * w_ + x]; }
  std::uint32_t rgb(int x, int y) { return at(x, y) & 0xFFFFFF; }
  void Clear(std::uint32_t v) {
    for (int i = 0; i < w_ * h_; ++i) px_[i] = v;
  }
  // Bounds of the pixels whose colour differs from `bg` (alpha ignored).
  RECT Ink(std::uint32_t bg) {
    RECT r{w_, h_, 0, 0};
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if ((at(x, y) & 0xFFFFFF) != (bg & 0xFFFFFF)) {
          r.left = r.left < x ? r.left : x;
          r.top = r.top < y ? r.top : y;
          r.right = r.right > x + 1 ? r.right : x + 1;
          r.bottom = r.bottom > y + 1 ? r.bottom : y + 1;
        }
    return r.IsEmpty() ? RECT{} : r;
  }
  int Count(std::uint32_t rgbValue) {
    int n = 0;
    for (int i = 0; i < w_ * h_; ++i) n += (px_[i] & 0xFFFFFF) == (rgbValue & 0xFFFFFF);
    return n;
  }

 private:
  int w_, h_;
  HDC dc_{};
  HBITMAP bm_{};
  HBITMAP old_{};
  std::uint32_t* px_ = nullptr;
};

}  // namespace platform::test
