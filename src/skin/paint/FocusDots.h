// The dotted frame of a focused skinned control.
#pragma once

#include "skin/data/SkinTables.h"

namespace skin {

// Every third pixel along the edges of f: black dots on the top and bottom
// lines and the left and right columns, each with a white dot one pixel up
// and to the left of it. Dots outside the target are skipped.
void DrawFocusDots(const Surface& target, const RECT& f);

}  // namespace skin
