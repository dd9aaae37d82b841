// Picks the display backend for a program: SPRINTARA_BACKEND=headless|desktop
// forces one; otherwise the desktop when a display is there (DISPLAY,
// WAYLAND_DISPLAY), the headless screen when not or when the desktop cannot
// start. Only programs link this; the window system itself knows no backend.
#pragma once

#include <memory>

#include "platform/window/Backend.h"

namespace platform {

std::unique_ptr<Backend> CreateBackendFromEnvironment();

}  // namespace platform
