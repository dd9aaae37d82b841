// Moving and sizing a skinned window by its outline, and snapping it to
// the monitor's edges.
#pragma once

#include "platform/base/Types.h"

namespace skin {

using platform::POINT;
using platform::RECT;

// The outline after the pointer moved by (dx, dy) from where the drag on
// `hit` (HTCAPTION or a sizing code) started: the caption moves the whole
// rectangle, a sizing code moves the edges it names, never below the
// minimum width and height.
RECT TrackOutline(platform::LRESULT hit, const RECT& start, int dx, int dy, int minWidth,
                  int minHeight);

// The window's new top-left corner near the monitor's edges: each edge
// closer than `buffer` pixels lands on the monitor's edge.
POINT SnapToMonitor(POINT topLeft, int width, int height, const RECT& monitor, int buffer);

}  // namespace skin
