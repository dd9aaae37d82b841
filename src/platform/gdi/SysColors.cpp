// System colours: the classic desktop scheme, their shared brushes, and the
// resolution of colour values that name a system colour.
#include <array>

#include "platform/gdi/GdiObjects.h"

namespace platform {

namespace {

std::array<COLORREF, kSysColorCount>& Colours() {
  static std::array<COLORREF, kSysColorCount> c = {
      RGB(212, 208, 200),  // COLOR_SCROLLBAR
      RGB(58, 110, 165),   // COLOR_BACKGROUND
      RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
      RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
      RGB(212, 208, 200),  // COLOR_MENU
      RGB(255, 255, 255),  // COLOR_WINDOW
      RGB(0, 0, 0),        // COLOR_WINDOWFRAME
      RGB(0, 0, 0),        // COLOR_MENUTEXT
      RGB(0, 0, 0),        // COLOR_WINDOWTEXT
      RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
      RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
      RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
      RGB(128, 128, 128),  // COLOR_APPWORKSPACE
      RGB(10, 36, 106),    // COLOR_HIGHLIGHT
      RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
      RGB(212, 208, 200),  // COLOR_BTNFACE
      RGB(128, 128, 128),  // COLOR_BTNSHADOW
      RGB(128, 128, 128),  // COLOR_GRAYTEXT
      RGB(0, 0, 0),        // COLOR_BTNTEXT
      RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
      RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
      RGB(64, 64, 64),     // COLOR_3DDKSHADOW
      RGB(212, 208, 200),  // COLOR_3DLIGHT
      RGB(0, 0, 0),        // COLOR_INFOTEXT
      RGB(255, 255, 225),  // COLOR_INFOBK
      RGB(181, 181, 181),  // 25, unnamed
      RGB(0, 0, 128),      // COLOR_HOTLIGHT
      RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
      RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
      RGB(10, 36, 106),    // COLOR_MENUHILIGHT
      RGB(212, 208, 200),  // COLOR_MENUBAR
  };
  return c;
}

}  // namespace

DWORD GetSysColor(int index) {
  std::lock_guard lock(GdiMutex());
  if (index < 0 || index >= kSysColorCount) return 0;
  return Colours()[index];
}

HBRUSH GetSysColorBrush(int index) {
  std::lock_guard lock(GdiMutex());
  if (index < 0 || index >= kSysColorCount) return HBRUSH{};
  static std::array<std::uint32_t, kSysColorCount> brushes = {};
  if (!brushes[index]) {
    auto b = std::make_unique<BrushObject>();
    b->sysColor = index;
    b->stock = true;
    brushes[index] = Handles().Add(std::move(b));
  }
  return HBRUSH{brushes[index]};
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (!indexes || !colors))) return FALSE;
  std::lock_guard lock(GdiMutex());
  for (int i = 0; i < count; ++i)
    if (indexes[i] >= 0 && indexes[i] < kSysColorCount)
      Colours()[indexes[i]] = ResolveColor(colors[i]);
  return TRUE;
}

COLORREF ResolveColor(COLORREF color) {
  if (color & 0x80000000u) return GetSysColor(int(color & 0xFF));
  return color & 0x00FFFFFFu;
}

std::uint32_t ColorToPixel(COLORREF color, std::uint8_t alpha) {
  COLORREF c = ResolveColor(color);
  return (std::uint32_t(alpha) << 24) | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

COLORREF PixelToColor(std::uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace platform
