// The shape of a skinned window: the rectangles cut out of its corners
// where the frame pieces' corner cells hold fuchsia.
#pragma once

#include <vector>

#include "skin/data/SkinTables.h"

namespace skin {

// Runs of fuchsia in the corner cells of frame 0 of the frame section's
// border piece (top cells at row 0, bottom cells at the window's bottom)
// and of the title's border piece (top cells), one row high each, in
// window coordinates.
std::vector<RECT> FrameCutouts(const TSkinTables& tables, int frameMask, int titleMask, int width,
                               int height);

}  // namespace skin
