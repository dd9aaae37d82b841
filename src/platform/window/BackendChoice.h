// Picks the display backend: SPRINTARA_BACKEND=headless|desktop forces one;
// otherwise the desktop when a display is there (DISPLAY, WAYLAND_DISPLAY),
// the headless screen when not or when the desktop cannot start.
#pragma once

#include <memory>

#include "platform/window/Backend.h"

namespace platform {

std::unique_ptr<Backend> CreateBackendFromEnvironment();

// Installs a fresh window system on the given backend (old windows are
// destroyed first). The headless and desktop headers offer typed helpers.
void InstallBackend(std::unique_ptr<Backend> backend);

// "headless" or "desktop": the backend in use (chosen now if none is yet).
const char* BackendName();

}  // namespace platform
