// TBitmap: a 32-bit picture (0xAARRGGBB pixels, rows top-down) that stored
// window descriptions carry as the binary property Data, the bytes of a BMP
// or PNG file, optionally preceded by the file's length in 4 bytes (little-endian).
// Buttons draw their glyphs from it.
//
// Transparency follows the glyph convention: a picture that is opaque all
// over has a transparent colour, the colour of its bottom-left pixel; a
// picture with real alpha (some pixel below 255) is drawn by its alpha.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Exception.h"
#include "component/Persistent.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Types.h"

namespace toolkit {

// Picture data that cannot be decoded; the message says why.
class EInvalidGraphic : public component::Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be opened or read.
class EFOpenError : public component::Exception {
 public:
  using Exception::Exception;
};

class TBitmap : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  TBitmap() = default;

  int Width() const { return pixels_.Width(); }
  int Height() const { return pixels_.Height(); }
  bool Empty() const { return Width() == 0 || Height() == 0; }
  // Discards the pixels and makes a picture of the size, all `fill`.
  void SetSize(int width, int height, std::uint32_t fill = 0xFF000000u);
  void Clear() { SetSize(0, 0); }

  // 0xAARRGGBB; outside the picture Pixel gives 0 and SetPixel does nothing.
  std::uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t argb);
  platform::Surface View() const;

  // Some pixel is not fully opaque.
  bool HasAlpha() const;
  // The colour of the bottom-left pixel as a platform colour (red low).
  TColor TransparentColor() const;
  // A copy in which every pixel is either opaque or has alpha 0: the
  // transparent colour's pixels, or the pixel's own alpha for an alpha
  // picture, decide.
  platform::SurfaceBuffer MaskedPixels() const;

  // BMP or PNG bytes, told apart by their signature; no bytes empties the
  // picture. Fails with EInvalidGraphic and leaves the picture as it was.
  void LoadFromMemory(std::span<const std::uint8_t> data);
  void LoadFromFile(const std::string& path);
  // The bytes last loaded; a 32-bit BMP of the pixels once they have changed.
  component::TBytes Data() const;
  void SetData(std::span<const std::uint8_t> data) { LoadFromMemory(data); }

  // Takes the pixels of another TBitmap; anything else fails with EConvertError.
  void Assign(const component::TPersistent& source) override;

  // Called after every change.
  TNotifyEvent OnChange;

 private:
  void Changed();

  platform::SurfaceBuffer pixels_;
  // The file the pixels came from, while they are unchanged.
  std::vector<std::uint8_t> data_;
};

// A view of a buffer for reading only (the platform's views are not const).
inline platform::Surface ReadView(const platform::SurfaceBuffer& b) {
  return const_cast<platform::SurfaceBuffer&>(b).View();
}

// Draws 32-bit pixels at (x, y) on a context by their alpha: alpha 0 leaves
// the context's pixel, 255 replaces it, anything between blends. Clipping of
// the context applies.
void DrawPixels(platform::HDC dc, int x, int y, const platform::Surface& pixels);

}  // namespace toolkit
