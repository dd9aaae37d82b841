// Puts top-level window pictures together on a screen surface, topmost
// first, each pixel written once: what a window covers (its rectangle or
// window region) hides what lies below, and the rest shows the desktop.
#pragma once

#include <cstdint>
#include <span>

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/window/Backend.h"

namespace platform {

// The desktop colour of the headless screen (teal, as a pixel word).
constexpr std::uint32_t kDesktopPixel = 0xFF008080u;

// With `only`, just the pixels inside it are put together again.
void ComposeScreen(const Surface& screen, std::span<const TopLevelView> views,
                   std::uint32_t background = kDesktopPixel, const Region* only = nullptr);

}  // namespace platform
