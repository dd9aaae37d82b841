// Pictures a TPixelBitmap can be assigned from besides another TPixelBitmap:
// a platform bitmap (TPlatformBitmap) and any picture that can draw itself
// on a device context (TGraphic).
#pragma once

#include "component/Persistent.h"
#include "platform/gdi/Gdi.h"

namespace graphics {

class TGraphic : public component::TPersistent {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws the picture over (0, 0, Width, Height) of the context.
  virtual void Draw(platform::HDC dc, const platform::RECT& r) const = 0;
  // Icons and metafiles leave parts of the area untouched; those parts
  // become transparent when assigned.
  virtual bool LeavesGaps() const { return false; }
};

// A platform bitmap handle (not owned) with how its pixels are meant.
class TPlatformBitmap : public component::TPersistent {
 public:
  explicit TPlatformBitmap(platform::HBITMAP handle, int bitsPerPixel = 32)
      : handle_(handle), bitsPerPixel_(bitsPerPixel) {}

  platform::HBITMAP Handle() const { return handle_; }
  // Below 32 the alpha bytes carry nothing and become 255.
  int BitsPerPixel() const { return bitsPerPixel_; }
  // Pixels of TransparentColor become transparent when assigned.
  bool Transparent() const { return transparent_; }
  platform::COLORREF TransparentColor() const { return transparentColor_; }
  void SetTransparent(bool v, platform::COLORREF color) {
    transparent_ = v;
    transparentColor_ = color;
  }

 private:
  platform::HBITMAP handle_;
  int bitsPerPixel_;
  bool transparent_ = false;
  platform::COLORREF transparentColor_ = 0;
};

}  // namespace graphics
