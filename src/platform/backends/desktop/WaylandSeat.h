// Whether the Wayland compositor the program would talk to offers an input
// seat. SDL's Wayland driver cannot start without one (it crashes inside
// its own start-up), so the backend asks before it lets SDL try.
#pragma once

#include <string>

namespace platform {

enum class WaylandSeat { kPresent, kMissing, kNoCompositor };

// Connects to WAYLAND_DISPLAY, reads the compositor's globals and
// disconnects. `why` gets a sentence for the operator when the answer is
// not kPresent.
WaylandSeat ProbeWaylandSeat(std::string* why);

}  // namespace platform
