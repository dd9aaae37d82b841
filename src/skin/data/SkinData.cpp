#include "skin/data/SkinData.h"

#include "platform/gdi/Gdi.h"
#include "skin/data/SkinLookup.h"

namespace skin {

TSkinData& GlobalSkin() {
  static TSkinData data;
  return data;
}

int FindSection(std::string_view name) {
  return FindSection(ActiveSkin().Sections, name);
}

int FindMask(int sectionIndex, std::string_view sectionName, std::string_view propertyName) {
  const TSkinTables& t = ActiveSkin();
  return FindMask(t.Sections, sectionIndex, sectionName, propertyName, t.Masks);
}

int FindPattern(int sectionIndex, std::string_view sectionName, std::string_view propertyName) {
  return FindPattern(ActiveSkin(), sectionIndex, sectionName, propertyName);
}

std::int32_t GlobalColor() {
  const int index = FindSection("GLOBALINFO");
  if (index < 0) return std::int32_t(platform::GetSysColor(platform::COLOR_BTNFACE));
  return ActiveSkin().Sections[std::size_t(index)].Color;
}

void UpdateCommonIndexes() {
  TSkinCommonIndexes& c = GlobalSkin().Common;
  c = TSkinCommonIndexes{};
  c.GlobalInfo = FindSection("GLOBALINFO");
  static constexpr const char* kChecks[9] = {"BOXCHECKED",   "BOXUNCHECKED",   "BOXGRAYED",
                                             "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED",
                                             "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
  for (int i = 0; i < 9; ++i) c.CheckGlyphs[i] = FindMask(c.GlobalInfo, "GLOBALINFO", kChecks[i]);
  static constexpr const char* kTabs[4] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (int i = 0; i < 4; ++i)
    c.TabBorders[i] = FindMask(FindSection(kTabs[i]), kTabs[i], "BORDERSMASK");
  auto part = [](const char* name, bool glyph) {
    TSkinCommonIndexes::Part p;
    p.Section = FindSection(name);
    p.Border = FindMask(p.Section, name, "BORDERSMASK");
    if (glyph) p.Glyph = FindMask(p.Section, name, "GLYPHMASK");
    p.Pattern = FindMask(p.Section, name, "PATTERN");
    p.HotPattern = FindMask(p.Section, name, "HOTPATTERN");
    return p;
  };
  static constexpr const char* kButtons[4] = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                                              "SCROLLBTNRIGHT"};
  for (int i = 0; i < 4; ++i) c.ScrollButtons[i] = part(kButtons[i], true);
  c.ScrollSliders[0] = part("SCROLLSLIDERV", true);
  c.ScrollSliders[1] = part("SCROLLSLIDERH", true);
  static constexpr const char* kTracks[4] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H",
                                             "SCROLLBAR2V"};
  for (int i = 0; i < 4; ++i) c.ScrollTracks[i] = part(kTracks[i], false);
}

}  // namespace skin
