#include "skin/paint/FocusDots.h"

#include <algorithm>

#include "skin/paint/PaintPixels.h"

namespace skin {

namespace {
constexpr std::uint32_t kBlack = kOpaque, kWhite = 0xFFFFFFFFu;

void Dot(const Surface& t, long long x, long long y, std::uint32_t pixel) {
  if (x >= 0 && y >= 0 && x < t.width && y < t.height) t.At(int(x), int(y)) = pixel;
}
}  // namespace

void DrawFocusDots(const Surface& target, const RECT& f) {
  if (target.IsEmpty()) return;
  using Coord = long long;
  const Coord left = f.left, top = f.top, right = f.right, bottom = f.bottom;
  // Dots beyond the target are skipped without walking to them.
  const Coord across = std::min<Coord>((right - left) / 3, (Coord(target.width) - left) / 3 + 1);
  for (Coord i = std::max<Coord>(0, -left / 3 - 1); i <= across; ++i) {
    const Coord x = left + 3 * i;
    Dot(target, x, top, kBlack);
    Dot(target, x, bottom, kBlack);
    Dot(target, x - 1, top - 1, kWhite);
    Dot(target, x - 1, bottom - 1, kWhite);
  }
  const Coord down = std::min<Coord>((bottom - top) / 3, (Coord(target.height) - top) / 3 + 1);
  for (Coord j = std::max<Coord>(0, -top / 3 - 1); j <= down; ++j) {
    const Coord y = top + 3 * j;
    Dot(target, left, y, kBlack);
    Dot(target, right, y, kBlack);
    Dot(target, left - 1, y - 1, kWhite);
    Dot(target, right - 1, y - 1, kWhite);
  }
}

}  // namespace skin
