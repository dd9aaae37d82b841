#include "skin/paint/SectionPaint.h"

#include "skin/data/SkinLookup.h"
#include "skin/paint/BorderMask.h"
#include "skin/paint/PictureCopy.h"
#include "skin/paint/SectionBackground.h"

namespace skin {

void PaintSection(const TSkinTables& tables, int sectionIndex, std::string_view sectionName,
                  const TParentBackground& bg, const Surface& target, POINT position, const RECT& r,
                  int state, bool filling) {
  if (!tables.ValidSection(sectionIndex) || target.IsEmpty()) return;
  if (r.left < 0 || r.top < 0 || r.right > target.width || r.bottom > target.height) return;
  PaintSectionBackground(tables, sectionIndex, sectionName, bg, target, position, r, state);
  const int mask =
      FindMask(tables.Sections, sectionIndex, sectionName, "BORDERSMASK", tables.Masks);
  DrawBorderMask(tables, target, r, filling, state, mask, Shifted(bg, position));
}

}  // namespace skin
