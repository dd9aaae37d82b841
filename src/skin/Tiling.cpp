#include "skin/Tiling.h"

#include <algorithm>

#include "skin/PictureCopy.h"

namespace skin {

void TileCell(const Surface& target, const RECT& d, const Surface& source, const RECT& cell) {
  const RECT c = ClipToPicture(cell, source);
  const RECT area = ClipToPicture(d, target);
  if (c.IsEmpty() || area.IsEmpty()) return;
  const int w = c.Width(), h = c.Height();
  // Cells begin at d's corner even where d reaches outside the target.
  const Coord firstCol = Coord(area.left) - (Coord(area.left) - d.left) % w;
  const Coord firstRow = Coord(area.top) - (Coord(area.top) - d.top) % h;
  for (Coord y = firstRow; y < area.bottom; y += h) {
    const Coord top = std::max<Coord>(y, area.top);
    const Coord rows = std::min<Coord>(y + h, area.bottom) - top;
    for (Coord x = firstCol; x < area.right; x += w) {
      const Coord left = std::max<Coord>(x, area.left);
      const Coord cols = std::min<Coord>(x + w, area.right) - left;
      CopyOpaque(target, left, top, source, c.left + (left - x), c.top + (top - y), cols, rows);
    }
  }
}

void TilePicture(const Surface& target, const RECT& d, const Surface& picture) {
  TileCell(target, d, picture, picture.Bounds());
}

}  // namespace skin
