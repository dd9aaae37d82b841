// A skinned element's picture: its section's background, then the
// section's border piece on top.
#pragma once

#include <string_view>

#include "skin/data/SkinTables.h"

namespace skin {

// Paints r of the target (background, then the BORDERSMASK piece of the
// section or of its ParentClass chain) in the given state. Does nothing
// unless the section index is valid and r lies wholly inside the target.
// `position` is where the target's top-left corner lies in the control.
void PaintSection(const TSkinTables& tables, int sectionIndex, std::string_view sectionName,
                  const TParentBackground& bg, const Surface& target, POINT position, const RECT& r,
                  int state, bool filling);

}  // namespace skin
