// TColorButtonGlyph: the glyph of a coloured speed button. Its bitmap holds
// NumGlyphs images side by side (up, disabled, down, exclusive, inactive);
// the pictures it draws live in the shared TButtonGlyphCache, made on first
// use for each state and given back when the glyph changes or goes.
//
// A missing down or exclusive image is the up image and a missing disabled
// image the up image embossed. A missing inactive image (a flat button
// without the mouse over it) is, with GrayedInactive, the up image in grey
// (GrayNewStyle) or embossed, and otherwise the up image.
#pragma once

#include <array>
#include <functional>

#include "platform/gdi/Gdi.h"
#include "toolkit/Bitmap.h"

namespace graphics {

class TGlyphList;

// Frame and face states; inactive is a flat button without the mouse over it.
enum TColorButtonState { cbsUp, cbsDisabled, cbsDown, cbsExclusive, cbsInactive };

class TColorButtonGlyph {
 public:
  TColorButtonGlyph();
  ~TColorButtonGlyph();
  TColorButtonGlyph(const TColorButtonGlyph&) = delete;
  TColorButtonGlyph& operator=(const TColorButtonGlyph&) = delete;

  toolkit::TBitmap* Glyph() { return &glyph_; }
  const toolkit::TBitmap* Glyph() const { return &glyph_; }
  bool Empty() const { return ImageSize().cx == 0; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);  // kept within 1..5
  bool GrayedInactive() const { return grayedInactive_; }
  void SetGrayedInactive(bool v);
  bool GrayNewStyle() const { return grayNewStyle_; }
  void SetGrayNewStyle(bool v);
  // One image's size; 0 x 0 without a glyph.
  platform::SIZE ImageSize() const;

  // Draws the picture of a state with its top-left corner at (x, y).
  void Draw(platform::HDC dc, int x, int y, TColorButtonState state);

  // Where the pictures are kept: the cache list and the state's index in
  // it, -1 until the state has been drawn.
  TGlyphList* List() const { return list_; }
  int ImageIndex(TColorButtonState state) const { return indexes_[std::size_t(state)]; }

  // Called when the picture, the number of images or the grey look changes.
  std::function<void()> OnChange;

 private:
  void Changed();
  void ReleaseImages();
  int MakeImage(TColorButtonState state);

  toolkit::TBitmap glyph_;
  int numGlyphs_ = 1;
  bool grayedInactive_ = true;
  bool grayNewStyle_ = true;
  TGlyphList* list_ = nullptr;
  std::array<int, 5> indexes_{-1, -1, -1, -1, -1};
};

}  // namespace graphics
