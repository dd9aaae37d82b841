#include "skin/paint/GlyphMask.h"

#include <algorithm>

#include "skin/paint/PictureCopy.h"
#include "skin/paint/PieceSource.h"

namespace skin {

namespace {

void CopyHalfMixed(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx,
                   Coord sy, Coord w, Coord h) {
  TCopySpan s;
  if (!ClipCopy(sx, sy, dx, dy, w, h, source.Bounds(), target.Bounds(), s)) return;
  for (int y = 0; y < s.h; ++y) {
    const std::uint32_t* from = source.Row(s.sy + y) + s.sx;
    std::uint32_t* to = target.Row(s.dy + y) + s.dx;
    for (int x = 0; x < s.w; ++x)
      if (!IsFuchsia(from[x])) to[x] = MixHalf(from[x], to[x]);
  }
}

}  // namespace

void DrawGlyphMask(const TSkinTables& tables, const Surface& target, POINT at, int state,
                   int maskIndex, bool opaque) {
  if (target.IsEmpty() || !tables.ValidMask(maskIndex)) return;
  TPieceSource src;
  if (!ResolvePiece(tables, tables.Masks[std::size_t(maskIndex)], src)) return;
  const Coord rw = Coord(src.R.right) - src.R.left, rh = Coord(src.R.bottom) - src.R.top;
  const Coord n = src.Frames, s = std::clamp<Coord>(state, 0, n - 1);
  const Coord c = rw / n, H = rh / (src.MaskType + 1);
  const Coord sx = src.R.left + s * c, sy = src.R.top;
  if (src.MaskType == 1) {
    CopyMasked(target, at.x, at.y, src.Picture, sx, sy, c, H, rh / 2, nullptr);
  } else if (opaque) {
    CopyKeyed(target, at.x, at.y, src.Picture, sx, sy, c, H, nullptr);
  } else {
    CopyHalfMixed(target, at.x, at.y, src.Picture, sx, sy, c, H);
  }
}

}  // namespace skin
