// The process's skin: the active manager, the tables of the loaded skin,
// where it came from, and the indexes many controls share. Lookups here
// answer for the active skin.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "skin/data/SkinTables.h"

namespace toolkit {
class TCustomForm;
}

namespace skin {

class TSkinManager;

// Sections and pieces that scroll bars, tabs and check glyphs look up on
// every paint, found once per skin.
struct TSkinCommonIndexes {
  struct Part {
    int Section = -1, Border = -1, Glyph = -1, Pattern = -1, HotPattern = -1;
  };
  int GlobalInfo = -1;
  // BOXCHECKED, BOXUNCHECKED, BOXGRAYED, RADIO..., SMALL... in that order.
  std::array<int, 9> CheckGlyphs{-1, -1, -1, -1, -1, -1, -1, -1, -1};
  std::array<int, 4> TabBorders{-1, -1, -1, -1};  // TABTOP, TABBOTTOM, TABLEFT, TABRIGHT
  std::array<Part, 4> ScrollButtons;              // SCROLLBTNTOP, ...BOTTOM, ...LEFT, ...RIGHT
  std::array<Part, 2> ScrollSliders;              // SCROLLSLIDERV, SCROLLSLIDERH
  std::array<Part, 4> ScrollTracks;  // SCROLLBAR1H, SCROLLBAR1V, SCROLLBAR2H, SCROLLBAR2V
};

struct TSkinData {
  TSkinManager* Manager = nullptr;  // the first manager created, while it lives
  // Set by that manager: gives a window made after the skin loaded its
  // skinned menus.
  std::function<void(toolkit::TCustomForm&)> HookNewMenus;
  std::string SkinFile;  // Skin.ini's text, for a skin from a folder
  bool SkinFileOpen = false;
  std::string SkinPath;  // the skin's folder with a trailing "\"; empty for a stored skin
  double Version = 0;    // GLOBALINFO of a skin from a folder
  std::string Author;
  std::string Description;
  TSkinTables Tables;
  TSkinCommonIndexes Common;
};

// The process's one skin (each control's link to it is its TSkinCommonData).
TSkinData& GlobalSkin();
inline const TSkinTables& ActiveSkin() {
  return GlobalSkin().Tables;
}

// The lookups of the active skin.
int FindSection(std::string_view name);
int FindMask(int sectionIndex, std::string_view sectionName, std::string_view propertyName);
int FindPattern(int sectionIndex, std::string_view sectionName, std::string_view propertyName);

// GLOBALINFO's colour, or the platform's button face without that section.
std::int32_t GlobalColor();

// Recomputes GlobalSkin().Common from the tables.
void UpdateCommonIndexes();

}  // namespace skin
