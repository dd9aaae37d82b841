// Starting the window system, from above it: a program (or a test driver)
// chooses a backend, and the window system comes up with the standard
// control classes, menus, dialog navigation and message boxes registered.
// The core under window/ knows none of these parts.
#pragma once

#include <memory>

#include "platform/window/Backend.h"

namespace platform {

// Replaces the window system with a fresh one on `backend` (old windows are
// destroyed first) and installs the standard parts into it.
void StartWindowSystem(std::unique_ptr<Backend> backend);

// Registers the standard controls, the menus, the dialog navigation and the
// message box class with the current window system.
void InstallStandardParts();

}  // namespace platform
