#include "skin/paint/DisabledLook.h"

#include "skin/paint/PaintPixels.h"
#include "skin/paint/PictureCopy.h"

namespace skin {

const component::TEnumInfo& EnumInfo(TSkinDisabledStep) {
  static const component::TEnumInfo info("TSkinDisabledStep", {"dkGrayed", "dkBlended"});
  return info;
}

void PaintDisabled(const Surface& target, TSkinDisabledKind kind, std::int32_t parentColor,
                   POINT position, const TParentBackground& parent) {
  if (target.IsEmpty()) return;
  if (kind.Contains(dkGrayed)) {
    for (int y = 0; y < target.height; ++y) {
      std::uint32_t* row = target.Row(y);
      for (int x = 0; x < target.width; ++x) {
        const std::uint32_t grey =
            (Channel(row[x], 0) + Channel(row[x], 8) + Channel(row[x], 16)) / 3;
        row[x] = kOpaque | grey << 16 | grey << 8 | grey;
      }
    }
  }
  if (kind.Contains(dkBlended)) {
    const TParentBackground bg = Shifted(parent, position);
    const std::uint32_t fallback = SolidPixel(parentColor);
    for (int y = 0; y < target.height; ++y) {
      std::uint32_t* row = target.Row(y);
      for (int x = 0; x < target.width; ++x) {
        std::uint32_t behind = fallback;
        ParentPixel(&bg, x, y, behind);
        row[x] = MixHalf(behind, row[x]);
      }
    }
  }
}

}  // namespace skin
