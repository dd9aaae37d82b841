// The sizes of a skinned window frame: border and caption by border style,
// the menu bar, where the client area starts and how big a border icon is.
#pragma once

#include "skin/data/SkinTables.h"
#include "toolkit/Form.h"

namespace skin {

struct TFrameMetrics {
  int BorderWidth = 0;
  int BorderHeight = 0;
  int CaptionHeight = 0;
};

TFrameMetrics FrameMetricsFor(toolkit::TFormBorderStyle style);

// SM_CYMENU - 1 per line of a visible main menu; dialogs have no menu bar.
int FrameMenuHeight(toolkit::TFormBorderStyle style, bool hasVisibleMenu, int lines);

// Where the client area starts inside the window, and so inside the cache.
POINT FrameClientOffset(const TFrameMetrics& m, int menuHeight);

// One frame of the BICONCLOSE piece; 21 x 21 when the skin has none.
platform::SIZE BorderIconSize(const TSkinTables& tables, int closeMaskIndex);

inline constexpr int kMinimizedFrameWidth = 160;

}  // namespace skin
