// Small synthetic skins for the painting tests: a master picture whose every
// pixel tells where it lies, sections and pieces added by hand, and targets
// of any size.
#pragma once

#include <cstdint>
#include <string>

#include "skin/data/SkinTables.h"

namespace skintest {

using namespace skin;

// The master pixel at (x, y): x and y packed so a copied pixel names its source.
constexpr std::uint32_t Where(int x, int y) {
  return 0xFF000000u | std::uint32_t(x) << 12 | std::uint32_t(y);
}
inline POINT From(std::uint32_t pixel) {
  return POINT{int(pixel >> 12 & 0xFFF), int(pixel & 0xFFF)};
}

inline void MakeMaster(TSkinTables& t, int width, int height) {
  t.Master.Resize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) t.Master.At(x, y) = Where(x, y);
}

inline int AddSection(TSkinTables& t, const char* name, const char* parent = "") {
  TSkinGeneralData s;
  s.SectionName = name;
  s.ParentClass = parent;
  t.Sections.push_back(s);
  return int(t.Sections.size()) - 1;
}

inline int AddPiece(TSkinTables& t, const char* section, const char* role, RECT r, int frames,
                    int maskType, int borderWidth = 0) {
  TSkinMaskData m;
  m.SectionName = section;
  m.PropertyName = role;
  m.R = r;
  m.ImageCount = std::int16_t(frames);
  m.MaskType = std::int16_t(maskType);
  m.BorderWidth = std::int16_t(borderWidth);
  t.Masks.push_back(m);
  return int(t.Masks.size()) - 1;
}

// Fills a rectangle of a picture with one pixel value.
inline void Paint(SurfaceBuffer& b, RECT r, std::uint32_t pixel) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) b.At(x, y) = pixel;
}

}  // namespace skintest
