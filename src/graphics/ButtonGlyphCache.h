// TButtonGlyphCache: the process-wide store of the pictures that coloured
// speed buttons draw their glyphs from. Pictures of one size share one image
// list (TGlyphList), so buttons showing the same glyph size keep their images
// together. The cache exists while any glyph object (TColorButtonGlyph)
// exists: the first one makes it, the last one to go frees it. A list is
// freed as soon as its last image is removed, so a process whose buttons
// have no glyphs keeps an empty cache.
//
// User-interface thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace graphics {

// Images of one size, each with its transparency mask (coverage 0..255 per
// pixel). Freed slots are reused, so an index stays valid until deleted.
class TGlyphList {
 public:
  TGlyphList(int width, int height) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Images held (freed slots not counted).
  int Count() const { return count_; }

  // Takes an image of the list's size whose alpha is the mask; returns its index.
  int Add(const platform::Surface& image);
  void Delete(int index);
  // The colours (opaque) and the mask of an image.
  const std::uint32_t* Image(int index) const;
  const std::uint8_t* Mask(int index) const;
  // Draws an image at (x, y): the mask decides what is covered.
  void Draw(platform::HDC dc, int index, int x, int y) const;

 private:
  bool Valid(int index) const;

  int width_, height_;
  int count_ = 0;
  std::vector<std::vector<std::uint32_t>> images_;
  std::vector<std::vector<std::uint8_t>> masks_;
  std::vector<bool> used_;
};

class TButtonGlyphCache {
 public:
  // The cache, or null while no glyph object exists.
  static TButtonGlyphCache* Instance();

  // The list for images of this size, made when there is none.
  TGlyphList* GetList(int width, int height);
  // Frees the list when it holds no image any more.
  void ReturnList(TGlyphList* list);
  int ListCount() const { return int(lists_.size()); }
  bool Empty() const { return lists_.empty(); }

 private:
  friend class TColorButtonGlyph;
  // Counted by the glyph objects.
  static void AddUser();
  static void RemoveUser();

  std::vector<std::unique_ptr<TGlyphList>> lists_;
};

}  // namespace graphics
