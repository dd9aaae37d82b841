// Where the parts of a skinned frame go: the border icons right to left,
// the window icon, the caption text, the menu bar and the strip saved
// behind the icons. Pure geometry over the window's size and flags.
#pragma once

#include <array>
#include <vector>

#include "skin/frame/FrameMetrics.h"

namespace skin {

// Border icons in slot order from the right.
enum TFrameIcon { fiClose, fiMaximize, fiMinimize, fiHelp };
inline constexpr int kFrameIconCount = 4;

struct TFrameLayoutInput {
  int Width = 0;
  int Height = 0;
  toolkit::TFormBorderStyle Style = toolkit::bsSizeable;
  toolkit::TBorderIcons Icons{toolkit::biSystemMenu, toolkit::biMinimize, toolkit::biMaximize};
  bool Minimized = false;
  bool Maximized = false;
  bool ShowAppIcon = true;
  int MenuHeight = 0;
  int TitleButtons = 0;
  platform::SIZE AppIconSize{};  // 0: the small icon size
};

struct TFrameLayout {
  TFrameMetrics M;
  int Width = 0;  // of the cache: 160 while minimized
  int Height = 0;
  platform::SIZE IconSize{21, 21};
  std::array<bool, kFrameIconCount> Visible{};
  std::array<RECT, kFrameIconCount> Icon{};
  int IconCount = 0;
  bool HasAppIcon = false;
  RECT AppIcon{};
  RECT Title{};                   // the title area the FORMTITLE section paints
  RECT Text{};                    // the caption text
  RECT MenuBar{};                 // empty without a menu
  RECT Strip{};                   // saved behind the icons; empty without icons
  std::vector<RECT> TitleButton;  // the extra title-bar buttons, right to left
  POINT ClientOffset{};
};

TFrameLayout LayoutFrame(const TFrameLayoutInput& in, platform::SIZE iconSize);

// Minimize and maximize icons come as a pair, as the platform shows them,
// on single and sizeable frames.
bool FrameHasSizeIcons(const TFrameLayoutInput& in);

}  // namespace skin
