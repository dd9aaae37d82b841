// The background pictures of drop-down lists: one per list, known by the
// list's first item, painted once and kept until the skin changes.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "graphics/PixelBitmap.h"
#include "skin/data/SkinTables.h"

namespace skin {

class TMenuListBackgrounds {
 public:
  // The picture of the list whose first item has the command `key`: the
  // one kept, or, when there is none or the list's size changed, a new one
  // painted with MAINMENU.
  graphics::TPixelBitmap& For(std::uint16_t key, int width, int height, const TSkinTables& tables);
  // Forgets every picture (the skin changed).
  void Clear() { pictures_.clear(); }
  int Count() const { return int(pictures_.size()); }
  // How many pictures were painted so far.
  int Painted() const { return painted_; }

 private:
  std::unordered_map<std::uint16_t, std::unique_ptr<graphics::TPixelBitmap>> pictures_;
  int painted_ = 0;
};

}  // namespace skin
