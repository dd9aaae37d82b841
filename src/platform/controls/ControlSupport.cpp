#include "platform/controls/ControlSupport.h"

#include <algorithm>
#include <cstring>

namespace platform::controls {

void Notify(HWND control, UINT code, HWND to) {
  if (!to) to = GetParent(control);
  if (!to) return;
  SendMessage(to, WM_COMMAND, MAKEWPARAM(unsigned(GetDlgCtrlID(control)), code),
              LPARAM(control.value));
}

HBRUSH ControlColors(HWND control, HDC dc, UINT msg, HWND to) {
  if (!to) to = GetParent(control);
  LRESULT r = to ? SendMessage(to, msg, WPARAM(dc.value), LPARAM(control.value)) : 0;
  if (!r) r = DefWindowProc(control, msg, WPARAM(dc.value), LPARAM(control.value));
  return HBRUSH{std::uint32_t(r)};
}

HFONT UsableFont(HFONT f) {
  if (f && GetObjectType(f) == OBJ_FONT) return f;
  return HFONT(GetStockObject(DEFAULT_GUI_FONT));
}

std::string_view TextParam(LPARAM lp) {
  const char* s = reinterpret_cast<const char*>(lp);
  return s ? std::string_view(s) : std::string_view();
}

LRESULT CopyOut(std::string_view text, char* buffer, std::size_t size) {
  if (!buffer || size == 0) return 0;
  std::size_t n = std::min(size - 1, text.size());
  std::memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  return LRESULT(n);
}

}  // namespace platform::controls
