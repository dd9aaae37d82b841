// A section's border drawn from a BORDERSMASK piece: the piece is cut into
// 3 x 3 cells per frame; corners go to the corners of the rectangle, edge
// cells are repeated along the sides and the centre cell over the inside.
#pragma once

#include "platform/gdi/Region.h"
#include "skin/data/SkinTables.h"

namespace skin {

// The border of d from piece `maskIndex`, frame `state` (limited to the
// piece's frames). Corners show the parent's background (when valid) where
// the piece is transparent; edges and centre do not. The centre is drawn
// only when `filling` is set (and, for a plain picture piece, when the
// piece has no BorderWidth). Nothing is drawn for an invalid piece index, a
// piece without frames or a rectangle one pixel wide or high or less.
void DrawBorderMask(const TSkinTables& tables, const Surface& target, const RECT& d, bool filling,
                    int state, int maskIndex, const TParentBackground& bg);

// The same border for a button that shapes its window: with a masked piece
// every run of fuchsia pixels met is cut out of the region, which starts as
// the whole target (the control); a plain picture piece is copied opaquely
// and leaves the region whole.
platform::Region DrawBorderRegion(const TSkinTables& tables, const Surface& target, const RECT& d,
                                  bool filling, int state, int maskIndex,
                                  const TParentBackground& bg);

}  // namespace skin
