// The pixel transfers the skin routines are made of: opaque, keyed and
// masked copies of piece rectangles, the parent's background behind a
// rectangle, solid fills and the two rectangle blends. Every routine clips
// to both pictures (and to the given source bounds), so pieces that reach
// beyond the master bitmap or a target of any size never make it read or
// write outside a picture. Coordinates are 64-bit so that no sum of skin
// numbers overflows before it is clipped.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/data/SkinTables.h"

namespace skin {

using Coord = long long;

// A copy of w x h pixels from (sx, sy) to (dx, dy), clipped.
struct TCopySpan {
  int sx = 0, sy = 0, dx = 0, dy = 0, w = 0, h = 0;
};
// Clips the copy to the source bounds and the destination bounds; false
// when nothing is left.
bool ClipCopy(Coord sx, Coord sy, Coord dx, Coord dy, Coord w, Coord h, const RECT& sourceBounds,
              const RECT& destBounds, TCopySpan& span);

// The rectangle cut to the picture's bounds (empty when they do not meet).
RECT ClipToPicture(const RECT& r, const Surface& picture);

// The parent's background pixel behind point (x, y) of the target, if the
// background is valid and has that pixel.
bool ParentPixel(const TParentBackground* bg, int x, int y, std::uint32_t& pixel);

// The background as seen from a picture whose top-left corner lies at
// `position` in the control.
TParentBackground Shifted(const TParentBackground& bg, POINT position);

// Plain copy of every pixel.
void CopyOpaque(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx,
                Coord sy, Coord w, Coord h);

// Fuchsia pixels take the parent's background (when bg is valid) or leave
// the target as it was; the others are copied.
void CopyKeyed(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx, Coord sy,
               Coord w, Coord h, const TParentBackground* bg);

// The picture at (sx, sy) with its alpha mask maskOffset rows further down:
// per channel target := (target * a + picture * (256 - a)) div 256. Fuchsia
// picture pixels behave as in CopyKeyed; when `cuts` is given, each run of
// them met is added to it in target coordinates.
void CopyMasked(const Surface& target, Coord dx, Coord dy, const Surface& source, Coord sx,
                Coord sy, Coord w, Coord h, Coord maskOffset, const TParentBackground* bg,
                std::vector<RECT>* cuts = nullptr);

// The parent's background behind r copied into the target (pixels the
// background does not have are left alone).
void CopyParentBackground(const Surface& target, const RECT& r, const TParentBackground& bg);

void FillPixels(const Surface& target, const RECT& r, std::uint32_t pixel);

// target := rounded((target - fill) * e / 256 + fill), fill's pixel (x, y)
// going to target pixel (r.left + x, r.top + y).
void BlendShare256(const Surface& target, const RECT& r, const Surface& fill, unsigned e);

// Every channel := rounded(channel * s / 100 + colour channel * (1 - s / 100)).
void BlendColorPercent(const Surface& target, const RECT& r, std::uint32_t pixel, unsigned s);

}  // namespace skin
