// Where a window's menu bar lies in its frame, for the menu layer that lays
// the bar's items out and paints them. Window coordinates.
#pragma once

#include "platform/window/Window.h"

namespace platform {

// The top edge of the bar for the window at `windowWidth` wide: inside the
// side frames, just below the caption, of height 0. FALSE for a bad handle.
BOOL GetMenuBarTop(HWND hwnd, int windowWidth, RECT* out);
// The bar as it is now; empty without a window or a menu.
RECT GetMenuBarRect(HWND hwnd);

}  // namespace platform
