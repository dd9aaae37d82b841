// One frame of a glyph piece (a drop-down arrow, a check mark) drawn at a
// point.
#pragma once

#include "skin/data/SkinTables.h"

namespace skin {

// Frame `state` (limited to the piece's frames) of piece `maskIndex` with its
// top-left corner at `at`; parts outside the target are skipped. A plain
// picture piece is keyed against fuchsia when `opaque` is set, else each of
// its non-fuchsia pixels is mixed half and half with the target; a masked
// piece is copied through its mask. An invalid piece draws nothing.
void DrawGlyphMask(const TSkinTables& tables, const Surface& target, POINT at, int state,
                   int maskIndex, bool opaque);

}  // namespace skin
