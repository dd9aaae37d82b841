// What a loop driver above the window system needs besides the message
// functions: when the next timer falls due, handing the windows' pictures to
// the display now, and a hook for the moment a loop would wait. Test drivers
// and tools use these to run the program on a clock of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

// The earliest moment (on the window system's clock, GetTickCount's
// milliseconds widened) at which any timer falls due; none without timers.
std::optional<std::uint64_t> GetNextTimerDue();

// Gives the backend every changed top-level picture at once, as a message
// loop does before it waits.
void PresentWindows();

// Called whenever a message loop has nothing to do and would wait, a nested
// modal loop included. It may post messages or end what waits; returning
// true makes the loop look again instead of waiting. Null removes it. The
// hook is not called again while it runs.
void SetIdleHook(std::function<bool()> hook);

}  // namespace platform
