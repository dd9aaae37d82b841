#include "platform/backends/desktop/WaylandSeat.h"

#include <cstring>

#if SPRINTARA_HAVE_WAYLAND
#include <wayland-client.h>
#endif

namespace platform {

#if SPRINTARA_HAVE_WAYLAND

namespace {

void OnGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
  if (std::strcmp(interface, "wl_seat") == 0) *static_cast<bool*>(data) = true;
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

}  // namespace

WaylandSeat ProbeWaylandSeat(std::string* why) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    if (why) *why = "no Wayland compositor answers on WAYLAND_DISPLAY";
    return WaylandSeat::kNoCompositor;
  }
  bool seat = false;
  static const wl_registry_listener listener{OnGlobal, OnGlobalRemove};
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &listener, &seat);
  const bool answered = wl_display_roundtrip(display) >= 0;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  if (!answered) {
    if (why) *why = "the Wayland compositor did not answer";
    return WaylandSeat::kNoCompositor;
  }
  if (!seat && why) *why = "the Wayland compositor offers no input seat (no keyboard or pointer)";
  return seat ? WaylandSeat::kPresent : WaylandSeat::kMissing;
}

#else

WaylandSeat ProbeWaylandSeat(std::string* why) {
  // Built without the Wayland client library: nothing can be asked, and
  // SDL is left to find out for itself.
  if (why) why->clear();
  return WaylandSeat::kPresent;
}

#endif

}  // namespace platform
