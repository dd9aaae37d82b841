// Which part of a skinned frame a point is on: the border icons, the window
// icon, title buttons and the caption in the icon row, and the size grip.
#pragma once

#include <vector>

#include "platform/window/Messages.h"
#include "skin/frame/FrameLayout.h"

namespace skin {

// A title button hit: kHitTitleButton + its number.
inline constexpr platform::LRESULT kHitTitleButton = 1000;

struct TFrameHitInput {
  int Width = 0;
  TFrameMetrics M;
  bool Border = true;  // a borderless window has no caption strip and no icons
  platform::SIZE IconSize{21, 21};
  bool SystemMenu = true;
  bool Help = false;
  bool MaximizeVisible = false;
  bool MinimizeVisible = false;
  bool CanMaximize = true;  // or restore
  bool CanMinimize = true;
  int AppIconWidth = 0;  // 0 when no window icon is shown
  std::vector<bool> TitleButtonsEnabled;
  bool Grip = false;
  POINT GripCorner{};  // top-left corner of the grip, window coordinates
};

// The code for a point in window coordinates, or HTNOWHERE where the
// platform's own hit test decides.
platform::LRESULT FrameHitTest(const TFrameHitInput& in, POINT pt);

// The frame icon a hit code stands for; -1 for other codes.
int FrameIconOfHit(platform::LRESULT code);

}  // namespace skin
