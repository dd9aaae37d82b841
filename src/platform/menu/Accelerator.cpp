// Keyboard accelerators: tables of key combinations that send commands.
#include <memory>
#include <vector>

#include "platform/menu/MenuInternal.h"

namespace platform {

namespace {

std::vector<std::unique_ptr<std::vector<ACCEL>>>& Tables() {
  static std::vector<std::unique_ptr<std::vector<ACCEL>>> tables(1);
  return tables;
}

std::vector<ACCEL>* TableOf(HACCEL h) {
  auto& t = Tables();
  return h.value < t.size() ? t[h.value].get() : nullptr;
}

bool Down(int vk) {
  return GetKeyState(vk) < 0;
}

}  // namespace

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count) {
  if (!entries || count <= 0) return HACCEL{};
  auto& t = Tables();
  std::size_t index = 1;
  while (index < t.size() && t[index]) ++index;
  if (index == t.size()) t.emplace_back();
  t[index] = std::make_unique<std::vector<ACCEL>>(entries, entries + count);
  return HACCEL{std::uint32_t(index)};
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  if (!TableOf(table)) return FALSE;
  Tables()[table.value].reset();
  return TRUE;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, MSG* msg) {
  std::vector<ACCEL>* entries = TableOf(table);
  if (!entries || !msg || !IsWindow(hwnd)) return FALSE;
  bool key = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  bool chr = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!key && !chr) return FALSE;
  bool alt = Down(VK_MENU), ctrl = Down(VK_CONTROL), shift = Down(VK_SHIFT);
  for (const ACCEL& a : *entries) {
    if (a.fVirt & FVIRTKEY) {
      if (!key || msg->wParam != a.key) continue;
      if (bool(a.fVirt & FSHIFT) != shift || bool(a.fVirt & FCONTROL) != ctrl ||
          bool(a.fVirt & FALT) != alt)
        continue;
    } else {
      if (!chr || (msg->wParam & 0xFF) != a.key) continue;
      if (bool(a.fVirt & FALT) != alt) continue;
    }
    // A disabled window takes no commands, and neither does a disabled item.
    if (!IsWindowEnabled(hwnd) || !IsWindowEnabled(GetAncestor(hwnd, GA_ROOT))) return FALSE;
    if (HMENU menu = GetMenu(hwnd)) {
      UINT state = GetMenuState(menu, a.cmd, MF_BYCOMMAND);
      if (state != UINT(-1) && (state & (MF_GRAYED | MF_DISABLED))) return TRUE;
      SendMessage(hwnd, WM_INITMENU, WPARAM(menu.value), 0);
    }
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace platform
