#include "skin/paint/Tiling.h"

#include <algorithm>
#include <cstring>

#include "skin/paint/PaintPixels.h"

namespace skin {

namespace {

Coord Mod(Coord a, Coord m) {
  const Coord r = a % m;
  return r < 0 ? r + m : r;
}

// One target row of `length` pixels from a row of the cell, starting
// `phase` pixels into it: the first period is copied, then the row doubles
// itself, so a row costs a few block copies whatever the cell width.
void FillRow(std::uint32_t* to, int length, const std::uint32_t* cell, int w, int phase) {
  const int head = std::min(w - phase, length);
  for (int i = 0; i < head; ++i) to[i] = cell[phase + i] | kOpaque;
  if (length == head) return;
  std::uint32_t* period = to + head;
  const int once = std::min(w, length - head);
  for (int i = 0; i < once; ++i) period[i] = cell[i] | kOpaque;
  int filled = once;
  while (head + filled < length) {
    const int n = std::min(filled, length - head - filled);
    std::memcpy(period + filled, period, std::size_t(n) * sizeof(std::uint32_t));
    filled += n;
  }
}

}  // namespace

void TileSpan(const Surface& target, Coord left, Coord top, Coord right, Coord bottom,
              const Surface& source, const RECT& cell) {
  if (target.IsEmpty() || cell.IsEmpty()) return;
  const Coord x0 = std::max<Coord>(left, 0), y0 = std::max<Coord>(top, 0);
  const Coord x1 = std::min<Coord>(right, target.width),
              y1 = std::min<Coord>(bottom, target.height);
  if (x0 >= x1 || y0 >= y1) return;
  const int w = cell.Width(), h = cell.Height();
  const int length = int(x1 - x0);
  const int phase = int(Mod(x0 - left, w));
  int row = int(Mod(y0 - top, h));
  if (phase + length <= w) {
    // Narrower than one cell (the sides of a border): one piece per row.
    for (Coord y = y0; y < y1; ++y) {
      const std::uint32_t* from = source.Row(cell.top + row) + cell.left + phase;
      std::uint32_t* to = target.Row(int(y)) + x0;
      for (int i = 0; i < length; ++i) to[i] = from[i] | kOpaque;
      if (++row == h) row = 0;
    }
    return;
  }
  for (Coord y = y0; y < y1; ++y) {
    FillRow(target.Row(int(y)) + x0, length, source.Row(cell.top + row) + cell.left, w, phase);
    if (++row == h) row = 0;
  }
}

void TileCell(const Surface& target, const RECT& d, const Surface& source, const RECT& cell) {
  const RECT c = ClipToPicture(cell, source);
  if (c.IsEmpty()) return;
  TileSpan(target, d.left, d.top, d.right, d.bottom, source, c);
}

void TilePicture(const Surface& target, const RECT& d, const Surface& picture) {
  TileCell(target, d, picture, picture.Bounds());
}

}  // namespace skin
