#include "platform/backends/BackendChoice.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/backends/desktop/DesktopBackend.h"
#include "platform/backends/headless/HeadlessBackend.h"

namespace platform {

std::unique_ptr<Backend> CreateBackendFromEnvironment() {
  const char* forced = std::getenv("SPRINTARA_BACKEND");
  bool display = (std::getenv("DISPLAY") && *std::getenv("DISPLAY")) ||
                 (std::getenv("WAYLAND_DISPLAY") && *std::getenv("WAYLAND_DISPLAY"));
  bool wantDesktop = display;
  if (forced && std::strcmp(forced, "headless") == 0) wantDesktop = false;
  if (forced && std::strcmp(forced, "desktop") == 0) wantDesktop = true;
  if (wantDesktop) {
    std::string error;
    // A display that is there but busy (its keyboard map being changed, say)
    // can refuse a connection for a moment: a few tries before giving up, so
    // the program does not end up running without a window.
    for (int attempt = 0; attempt < 4; ++attempt) {
      if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(250));
      if (auto desktop = DesktopBackend::Create(&error)) return desktop;
    }
    std::fprintf(stderr, "sprintara: no desktop display (%s); using the headless screen\n",
                 error.c_str());
  }
  HeadlessOptions options;
  options.virtualClock = false;  // a program runs on real time
  return std::make_unique<HeadlessBackend>(options);
}

}  // namespace platform
