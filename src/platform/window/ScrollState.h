// The scroll state of a window set without touching its bar, for a control
// that keeps its range, page and position readable by GetScrollInfo while
// it shows no bar of its own (or paints one itself).
#pragma once

#include "platform/window/Window.h"

namespace platform {

// Stores what the mask names: the range, the page (cut to the range's
// size) and the position as given. Unlike SetScrollInfo it neither shows
// nor hides the bar, and repaints nothing. FALSE for a bad handle or bar.
BOOL StoreScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info);

}  // namespace platform
