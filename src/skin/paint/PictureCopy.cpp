#include "skin/paint/PictureCopy.h"

#include <algorithm>

#include "skin/paint/PaintPixels.h"

namespace skin {

bool ClipCopy(Coord sx, Coord sy, Coord dx, Coord dy, Coord w, Coord h, const RECT& sb,
              const RECT& db, TCopySpan& span) {
  if (w <= 0 || h <= 0) return false;
  const Coord cutLeft = std::max(Coord(sb.left) - sx, Coord(db.left) - dx);
  if (cutLeft > 0) sx += cutLeft, dx += cutLeft, w -= cutLeft;
  const Coord cutTop = std::max(Coord(sb.top) - sy, Coord(db.top) - dy);
  if (cutTop > 0) sy += cutTop, dy += cutTop, h -= cutTop;
  w = std::min({w, Coord(sb.right) - sx, Coord(db.right) - dx});
  h = std::min({h, Coord(sb.bottom) - sy, Coord(db.bottom) - dy});
  if (w <= 0 || h <= 0) return false;
  span = TCopySpan{int(sx), int(sy), int(dx), int(dy), int(w), int(h)};
  return true;
}

RECT ClipToPicture(const RECT& r, const Surface& picture) {
  RECT c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, picture.width),
         std::min(r.bottom, picture.height)};
  if (picture.IsEmpty() || c.IsEmpty()) return RECT{};
  return c;
}

bool ParentPixel(const TParentBackground* bg, int x, int y, std::uint32_t& pixel) {
  if (!bg || !bg->Valid || bg->Bitmap.IsEmpty()) return false;
  const Coord bx = Coord(x) + bg->X, by = Coord(y) + bg->Y;
  if (bx < 0 || by < 0 || bx >= bg->Bitmap.width || by >= bg->Bitmap.height) return false;
  pixel = bg->Bitmap.At(int(bx), int(by));
  return true;
}

TParentBackground Shifted(const TParentBackground& bg, POINT position) {
  TParentBackground s = bg;
  // Offsets that far out find no pixel either way.
  s.X = int(std::clamp<Coord>(Coord(bg.X) + position.x, -(Coord(1) << 30), Coord(1) << 30));
  s.Y = int(std::clamp<Coord>(Coord(bg.Y) + position.y, -(Coord(1) << 30), Coord(1) << 30));
  return s;
}

namespace {
bool Clip(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx, Coord sy,
          Coord w, Coord h, const RECT& sourceBounds, TCopySpan& span) {
  if (target.IsEmpty() || source.IsEmpty()) return false;
  return ClipCopy(sx, sy, dx, dy, w, h, sourceBounds, target.Bounds(), span);
}
}  // namespace

void CopyOpaque(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx,
                Coord sy, Coord w, Coord h) {
  TCopySpan s;
  if (!Clip(target, dx, dy, source, sx, sy, w, h, source.Bounds(), s)) return;
  for (int y = 0; y < s.h; ++y) {
    const std::uint32_t* from = source.Row(s.sy + y) + s.sx;
    std::uint32_t* to = target.Row(s.dy + y) + s.dx;
    for (int x = 0; x < s.w; ++x) to[x] = from[x] | kOpaque;
  }
}

void CopyKeyed(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx, Coord sy,
               Coord w, Coord h, const TParentBackground* bg) {
  TCopySpan s;
  if (!Clip(target, dx, dy, source, sx, sy, w, h, source.Bounds(), s)) return;
  for (int y = 0; y < s.h; ++y) {
    const std::uint32_t* from = source.Row(s.sy + y) + s.sx;
    std::uint32_t* to = target.Row(s.dy + y) + s.dx;
    for (int x = 0; x < s.w; ++x) {
      if (!IsFuchsia(from[x])) {
        to[x] = from[x] | kOpaque;
      } else if (std::uint32_t p; ParentPixel(bg, s.dx + x, s.dy + y, p)) {
        to[x] = p | kOpaque;
      }
    }
  }
}

void CopyMasked(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx,
                Coord sy, Coord w, Coord h, Coord maskOffset, const TParentBackground* bg,
                std::vector<RECT>* cuts) {
  // Only picture rows whose mask row is inside the source too.
  RECT bounds = source.Bounds();
  bounds.top = int(std::clamp<Coord>(-maskOffset, 0, source.height));
  bounds.bottom = int(std::clamp<Coord>(source.height - maskOffset, 0, source.height));
  TCopySpan s;
  if (!Clip(target, dx, dy, source, sx, sy, w, h, bounds, s)) return;
  const int offset = int(maskOffset);
  for (int y = 0; y < s.h; ++y) {
    const std::uint32_t* pic = source.Row(s.sy + y) + s.sx;
    const std::uint32_t* mask = source.Row(s.sy + y + offset) + s.sx;
    std::uint32_t* to = target.Row(s.dy + y) + s.dx;
    int runStart = -1;
    for (int x = 0; x <= s.w; ++x) {
      const bool key = x < s.w && IsFuchsia(pic[x]);
      if (key) {
        if (runStart < 0) runStart = x;
        if (std::uint32_t p; ParentPixel(bg, s.dx + x, s.dy + y, p)) to[x] = p | kOpaque;
        continue;
      }
      if (runStart >= 0) {
        if (cuts) cuts->push_back(RECT{s.dx + runStart, s.dy + y, s.dx + x, s.dy + y + 1});
        runStart = -1;
      }
      if (x == s.w) break;
      const std::uint32_t m = mask[x];
      const std::uint32_t d = to[x], p = pic[x];
      auto mix = [&](int shift) {
        const unsigned a = Channel(m, shift);
        return ((Channel(d, shift) * a + Channel(p, shift) * (256 - a)) >> 8) << shift;
      };
      to[x] = kOpaque | mix(16) | mix(8) | mix(0);
    }
  }
}

void CopyParentBackground(const Surface& target, const RECT& r, const TParentBackground& bg) {
  if (!bg.Valid || bg.Bitmap.IsEmpty()) return;
  const RECT c = ClipToPicture(r, target);
  if (c.IsEmpty()) return;
  CopyOpaque(target, c.left, c.top, bg.Bitmap, Coord(c.left) + bg.X, Coord(c.top) + bg.Y, c.Width(),
             c.Height());
}

void FillPixels(const Surface& target, const RECT& r, std::uint32_t pixel) {
  const RECT c = ClipToPicture(r, target);
  for (int y = c.top; y < c.bottom; ++y)
    std::fill(target.Row(y) + c.left, target.Row(y) + c.right, pixel | kOpaque);
}

void BlendShare256(const Surface& target, const RECT& r, const Surface& fill, unsigned e) {
  TCopySpan s;
  if (!Clip(target, r.left, r.top, fill, 0, 0, Coord(r.right) - r.left, Coord(r.bottom) - r.top,
            fill.Bounds(), s))
    return;
  e = std::min(e, 255u);
  for (int y = 0; y < s.h; ++y) {
    const std::uint32_t* from = fill.Row(s.sy + y) + s.sx;
    std::uint32_t* to = target.Row(s.dy + y) + s.dx;
    for (int x = 0; x < s.w; ++x) to[x] = MixShare256(to[x], from[x], e);
  }
}

void BlendColorPercent(const Surface& target, const RECT& r, std::uint32_t pixel, unsigned s) {
  const RECT c = ClipToPicture(r, target);
  s = std::min(s, 100u);
  for (int y = c.top; y < c.bottom; ++y) {
    std::uint32_t* row = target.Row(y);
    for (int x = c.left; x < c.right; ++x) row[x] = MixPercent(row[x], pixel, s);
  }
}

}  // namespace skin
