// Painting a section's gradient bands into a rectangle of a picture.
#pragma once

#include "skin/data/Gradient.h"
#include "skin/data/SkinTables.h"

namespace skin {

// The bands of `gradient` over r (cut to the picture), top to bottom when the
// first band's Mode is 0, left to right when it is 1; other modes and an
// empty array paint nothing. Each band runs from its start to
// start + Percent * extent div 100, the last one to the picture's far edge;
// the next band starts on the line where the previous one ended. Colours
// step per channel by (Color2 - Color1) / length per line, kept exact and
// written rounded (halves to even). Lines outside r are never written.
void PaintGradient(const Surface& picture, const RECT& r, const TSkinGradArray& gradient);

}  // namespace skin
