// A section's background: its colour, gradient and pattern, seen through
// by the parent's background as far as the section's transparency says.
#pragma once

#include <string_view>

#include "skin/data/SkinTables.h"

namespace skin {

// The values one state paints with: the normal set for state 0, the hot set
// for any other state.
struct TSkinFillValues {
  std::int32_t Color = kSkinWhite;
  std::int32_t Transparency = 0;
  std::int32_t GradientPercent = 0;
  std::int32_t ImagePercent = 0;
  const TSkinGradArray* Gradient = nullptr;
};
TSkinFillValues FillValues(const TSkinGeneralData& section, int state);

// The picture a fill tiles: a cell of a picture, or a decoded compressed
// pattern drawn whole at every cell.
struct TSkinFillPattern {
  Surface Picture;
  RECT Cell{};
  bool Compressed = false;
  bool Found() const { return !Picture.IsEmpty() && !Cell.IsEmpty(); }
};
// The section's PATTERN (hot: HOTPATTERN) piece, else its compressed
// pattern of that name; not found when there is neither or it has no pixels.
TSkinFillPattern FindFillPattern(const TSkinTables& tables, int sectionIndex,
                                 std::string_view sectionName, int state);

// The fill of r: pattern, gradient and colour mixed by ImagePercent and
// GradientPercent (percentages are taken within 0..100).
void FillSection(const Surface& target, const RECT& r, const TSkinFillValues& values,
                 const TSkinFillPattern& pattern);

// The whole background of r: the parent's pixels when the section is fully
// transparent, the fill when it is opaque or there is no parent background,
// else the fill blended over the parent's pixels. `position` is where the
// target's top-left corner lies in the control (0, 0 for its own cache).
// An invalid section index paints nothing.
void PaintSectionBackground(const TSkinTables& tables, int sectionIndex,
                            std::string_view sectionName, const TParentBackground& bg,
                            const Surface& target, POINT position, const RECT& r, int state);

}  // namespace skin
