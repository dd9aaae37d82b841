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

int LineHeight(HDC dc) {
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  return std::max(1, int(tm.tmHeight));
}

unsigned char UpperChar(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A:
      return 0x8A;  // s caron
    case 0x9C:
      return 0x8C;  // oe
    case 0x9E:
      return 0x8E;  // z caron
    case 0xFF:
      return 0x9F;  // y diaeresis
  }
  return c;
}

unsigned char LowerChar(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x8A:
      return 0x9A;
    case 0x8C:
      return 0x9C;
    case 0x8E:
      return 0x9E;
    case 0x9F:
      return 0xFF;
  }
  return c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (UpperChar(static_cast<unsigned char>(text[i])) !=
        UpperChar(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

unsigned char MnemonicOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return UpperChar(static_cast<unsigned char>(caption[i + 1]));
  }
  return 0;
}

void DrawDisabledText(HDC dc, std::string_view text, RECT r, UINT format) {
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT shifted = r;
  OffsetRect(&shifted, 1, 1);
  DrawText(dc, text, &shifted, format);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawText(dc, text, &r, format);
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
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
