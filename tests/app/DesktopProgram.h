// The program's windows on the desktop backend, for the suites that drive
// them on a private X server (DISPLAY already points at it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/Program.h"
#include "platform/WindowSystemStart.h"
#include "platform/backends/BackendChoice.h"
#include "platform/testing/HeadlessScreen.h"
#include "toolkit/Application.h"

namespace testsupport {

// Starts the window system on the desktop backend at the given scale (null:
// factor 1, whatever the developer's display) and makes the program's
// windows. A fatal failure returns early: call it in ASSERT_NO_FATAL_FAILURE.
inline void StartDesktopProgram(const char* scale,
                                std::unique_ptr<toolkit::TApplication>& application) {
  setenv("SPRINTARA_BACKEND", "desktop", 1);
  if (scale)
    setenv("SPRINTARA_SCALE", scale, 1);
  else
    unsetenv("SPRINTARA_SCALE");
  platform::StartWindowSystem(platform::CreateBackendFromEnvironment());
  ASSERT_STREQ(platform::InstalledBackendName(), "desktop");
  app::RegisterClasses();
  application = std::make_unique<toolkit::TApplication>();
  application->Initialize();
  ASSERT_TRUE(app::CreateWindows());
}

// Ends what StartDesktopProgram began: the windows, the native windows and
// the display connection, and the settings.
inline void StopDesktopProgram(std::unique_ptr<toolkit::TApplication>& application) {
  application.reset();
  platform::UseHeadlessScreen();
  unsetenv("SPRINTARA_BACKEND");
  unsetenv("SPRINTARA_SCALE");
}

}  // namespace testsupport
