// Covering a rectangle with copies of a picture cell.
#pragma once

#include "skin/data/SkinTables.h"
#include "skin/paint/PictureCopy.h"

namespace skin {

// Copies of cell (a rectangle of source, cut to it) side by side over d,
// starting at d's top-left corner; the last row and column are cut at d's
// bottom and right. Nothing outside d or the target is written.
void TileCell(const Surface& target, const RECT& d, const Surface& source, const RECT& cell);

// The same over [left, right) x [top, bottom), which may lie far outside the
// target; the cell must lie wholly inside the source.
void TileSpan(const Surface& target, Coord left, Coord top, Coord right, Coord bottom,
              const Surface& source, const RECT& cell);

// A decoded compressed pattern drawn whole at every cell of a grid of
// (width(d) div w + 1) x (height(d) div h + 1) cells from d's top-left
// corner; the cells that stick out of d are cut at d's edges, so a pattern
// never paints beyond the rectangle it fills.
void TilePicture(const Surface& target, const RECT& d, const Surface& picture);

}  // namespace skin
