#include "skin/paint/SectionBackground.h"

#include <algorithm>

#include "skin/data/SkinLookup.h"
#include "skin/paint/GradientPaint.h"
#include "skin/paint/PaintPixels.h"
#include "skin/paint/PictureCopy.h"
#include "skin/paint/Tiling.h"

namespace skin {

namespace {

unsigned Percent(std::int32_t v) {
  return unsigned(std::clamp(v, 0, 100));
}

// The gradient, or the plain colour when the section has none.
void PaintGradientOrColor(const Surface& target, const RECT& r, const TSkinFillValues& v) {
  if (v.Gradient && !v.Gradient->empty()) {
    PaintGradient(target, r, *v.Gradient);
  } else {
    FillPixels(target, r, SolidPixel(v.Color));
  }
}

}  // namespace

TSkinFillValues FillValues(const TSkinGeneralData& s, int state) {
  if (state == 0) return {s.Color, s.Transparency, s.GradientPercent, s.ImagePercent, &s.Gradient};
  return {s.HotColor, s.HotTransparency, s.HotGradientPercent, s.HotImagePercent, &s.HotGradient};
}

TSkinFillPattern FindFillPattern(const TSkinTables& tables, int sectionIndex,
                                 std::string_view sectionName, int state) {
  const std::string_view role = state == 0 ? "PATTERN" : "HOTPATTERN";
  TSkinFillPattern found;
  const int mask = FindMask(tables.Sections, sectionIndex, sectionName, role, tables.Masks);
  if (mask >= 0) {
    const TSkinMaskData& piece = tables.Masks[std::size_t(mask)];
    if (piece.Bitmap) {
      found.Picture = ReadView(*piece.Bitmap);
      found.Cell = found.Picture.Bounds();
    } else {
      found.Picture = ReadView(tables.Master);
      found.Cell = piece.R;
    }
    return found;
  }
  const int pattern = FindPattern(tables, sectionIndex, sectionName, role);
  if (pattern >= 0 && tables.Patterns[std::size_t(pattern)].Picture) {
    found.Picture = ReadView(*tables.Patterns[std::size_t(pattern)].Picture);
    found.Cell = found.Picture.Bounds();
    found.Compressed = true;
  }
  return found;
}

void FillSection(const Surface& target, const RECT& area, const TSkinFillValues& v,
                 const TSkinFillPattern& pattern) {
  const RECT r = ClipToPicture(area, target);
  if (r.IsEmpty()) return;
  const unsigned gradient = Percent(v.GradientPercent), image = Percent(v.ImagePercent);
  const std::uint32_t color = SolidPixel(v.Color);
  bool tiled = false;
  if (image > 0) {
    if (pattern.Found()) {
      if (pattern.Compressed) {
        TilePicture(target, r, pattern.Picture);
      } else {
        TileCell(target, r, pattern.Picture, pattern.Cell);
      }
      tiled = true;
    } else {
      FillPixels(target, r, color);
    }
  }
  if (gradient > 0) {
    if (tiled) {
      SurfaceBuffer temp(r.Width(), r.Height(), kOpaque);
      const Surface view = temp.View();
      PaintGradientOrColor(view, view.Bounds(), v);
      BlendShare256(target, r, view, image * 255 / 100);
    } else {
      PaintGradientOrColor(target, r, v);
    }
  }
  const unsigned s = gradient + image;
  if (s > 0 && s < 100) {
    BlendColorPercent(target, r, color, s);
  } else if (s != 100) {
    FillPixels(target, r, color);
  }
}

void PaintSectionBackground(const TSkinTables& tables, int sectionIndex,
                            std::string_view sectionName, const TParentBackground& parent,
                            const Surface& target, POINT position, const RECT& area, int state) {
  if (!tables.ValidSection(sectionIndex)) return;
  const RECT r = ClipToPicture(area, target);
  if (r.IsEmpty()) return;
  const TSkinFillValues v = FillValues(tables.Sections[std::size_t(sectionIndex)], state);
  TSkinFillPattern pattern;
  if (v.ImagePercent > 0) pattern = FindFillPattern(tables, sectionIndex, sectionName, state);
  const TParentBackground bg = Shifted(parent, position);
  const bool hasParent = bg.Valid && !bg.Bitmap.IsEmpty();
  // The parent's own picture already shows its background.
  const bool ownPicture = hasParent && bg.Bitmap.pixels == target.pixels;
  const unsigned transparency = Percent(v.Transparency);
  if (hasParent && transparency == 100) {
    if (!ownPicture) CopyParentBackground(target, r, bg);
    return;
  }
  if (!hasParent || transparency == 0) {
    FillSection(target, r, v, pattern);
    return;
  }
  SurfaceBuffer temp(r.Width(), r.Height(), kOpaque);
  const Surface view = temp.View();
  FillSection(view, view.Bounds(), v, pattern);
  if (!ownPicture) CopyParentBackground(target, r, bg);
  BlendShare256(target, r, view, transparency * 255 / 100);
}

}  // namespace skin
