// TButtonGlyph: the picture a speed button shows beside its caption, and the
// layout of the two in the button's face.
//
// The glyph bitmap holds NumGlyphs images of equal width side by side: up,
// disabled, down, exclusive. A missing down or exclusive image is the up
// image; a missing disabled image is made from the up image, embossed in the
// button-highlight and button-shadow system colours.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "platform/gdi/Gdi.h"
#include "toolkit/Bitmap.h"
#include "toolkit/SpeedButton.h"

namespace toolkit {

using platform::POINT;
using platform::RECT;
using platform::SIZE;

// Where a glyph and a caption of the given sizes go in a face of `client`
// size, relative to its top-left corner. Margin is the distance from the
// edge on the glyph's side to the glyph, -1 centring the glyph-and-caption
// block; Spacing the distance between glyph and caption, -1 spreading the
// free room evenly. Spacing counts only when both a glyph and a caption are
// there. Across the layout's direction both are centred.
struct TGlyphPlacement {
  POINT glyph{0, 0};
  POINT caption{0, 0};
};
TGlyphPlacement CalcButtonLayout(SIZE client, SIZE glyph, SIZE caption, TButtonLayout layout,
                                 int margin, int spacing);

// The embossed picture of a disabled glyph from an image whose transparent
// pixels have alpha 0: every opaque pixel that is not white (the picture's
// own highlights stay blank) becomes the button-shadow colour, after a copy
// 1 pixel right and down in the button-highlight colour.
platform::SurfaceBuffer EmbossedImage(const platform::Surface& image);
// The same picture in shades of grey, transparency kept.
platform::SurfaceBuffer GrayImage(const platform::Surface& image);
// Image `index` of `count` side-by-side images (the remainder columns of a
// width that does not divide are left out), transparent parts at alpha 0.
platform::SurfaceBuffer CutImage(const TBitmap& glyph, int count, int index);

class TButtonGlyph {
 public:
  TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  TBitmap* Glyph() { return &glyph_; }
  const TBitmap* Glyph() const { return &glyph_; }
  bool Empty() const { return glyph_.Empty() || ImageSize().cx == 0; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);  // kept within 1..4
  // The size of one image; 0 x 0 without a glyph.
  SIZE ImageSize() const;

  // The picture shown in a state, made on first use.
  const platform::SurfaceBuffer& Image(TButtonState state);
  void DrawGlyph(platform::HDC dc, int x, int y, TButtonState state);

  // Called when the picture or the number of images changes.
  std::function<void()> OnChange;

 private:
  void Changed();

  TBitmap glyph_;
  int numGlyphs_ = 1;
  std::array<std::optional<platform::SurfaceBuffer>, 4> images_;
};

}  // namespace toolkit
