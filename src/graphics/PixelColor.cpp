#include "graphics/PixelColor.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"

namespace graphics {

TPixelColor ColorToPixelColor(toolkit::TColor color) {
  std::uint32_t c = static_cast<std::uint32_t>(color);
  if (color < 0) c = platform::GetSysColor(int(c & 0xFF));
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TPixelColor SetAlpha(TPixelColor c, int a) {
  return (c & 0x00FFFFFF) | (TPixelColor(std::clamp(a, 0, 255)) << 24);
}

TPixelColor Lighten(TPixelColor c, int amount) {
  auto move = [amount](int v) { return std::clamp(v + amount, 0, 255); };
  return MakePixelColor(move(RedOf(c)), move(GreenOf(c)), move(BlueOf(c)), AlphaOf(c));
}

}  // namespace graphics
