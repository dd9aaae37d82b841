// Menus and keyboard accelerators. The menu calls themselves are declared
// with the window system's interface (window/MenuApi.h) and implemented here.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"
#include "platform/window/MenuApi.h"
#include "platform/window/Window.h"

namespace platform {

struct HACCEL {
  std::uint32_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const HACCEL&, const HACCEL&) = default;
};

constexpr std::uint8_t FVIRTKEY = 0x01;  // key is a virtual-key code (else a character)
constexpr std::uint8_t FNOINVERT = 0x02;
constexpr std::uint8_t FSHIFT = 0x04;
constexpr std::uint8_t FCONTROL = 0x08;
constexpr std::uint8_t FALT = 0x10;

struct ACCEL {
  std::uint8_t fVirt = 0;
  std::uint16_t key = 0;
  std::uint16_t cmd = 0;
};

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// For a key message whose keys and modifiers match an entry: sends
// WM_COMMAND(MAKEWPARAM(cmd, 1), 0) to hwnd and returns TRUE. Nothing is
// sent (FALSE) while hwnd or its top-level window is disabled, or when the
// command belongs to a disabled item of hwnd's menu.
int TranslateAccelerator(HWND hwnd, HACCEL table, MSG* msg);

namespace menus {
// Installs the bar painter into the window system and registers the popup
// window class. Called for every new window system.
void InstallMenus();
}  // namespace menus

}  // namespace platform
