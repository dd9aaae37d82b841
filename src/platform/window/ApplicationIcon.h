// The application's icon, in the sizes the program has: the window frame
// draws it in the title bar and the desktop backend gives it to the native
// windows, each at the size it needs.
#pragma once

#include <vector>

#include "platform/gdi/Surface.h"

namespace platform {

// Replaces the icon; the pictures carry alpha (straight, not premultiplied).
void SetApplicationIcon(std::vector<SurfaceBuffer> sizes);
// The smallest picture at least `size` pixels wide, else the largest; an
// empty view while the program has no icon.
Surface ApplicationIcon(int size);

}  // namespace platform
