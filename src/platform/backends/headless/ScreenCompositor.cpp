#include "platform/backends/headless/ScreenCompositor.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Region.h"

namespace platform {

void ComposeScreen(const Surface& screen, std::span<const TopLevelView> views,
                   std::uint32_t background, const Region* only) {
  if (screen.IsEmpty()) return;
  Region remaining(screen.Bounds());
  if (only) remaining &= *only;
  for (const TopLevelView& v : views) {
    if (v.minimized || v.picture.IsEmpty() || remaining.IsEmpty()) continue;
    Region cover = v.shape ? (*v.shape & Region(v.picture.Bounds())) : Region(v.picture.Bounds());
    cover.Offset(v.rect.left, v.rect.top);
    Region visible = cover & remaining;
    for (const RECT& r : visible.Rects()) {
      std::size_t bytes = std::size_t(r.Width()) * 4;
      for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* src = v.picture.Row(y - v.rect.top) + (r.left - v.rect.left);
        std::memcpy(screen.Row(y) + r.left, src, bytes);
      }
    }
    remaining -= cover;
  }
  // One row is filled word by word, the others are copies of it: copying
  // runs at memory speed where a plain fill loop does not.
  for (const RECT& r : remaining.Rects()) {
    std::uint32_t* first = screen.Row(r.top) + r.left;
    std::fill(first, first + r.Width(), background);
    for (int y = r.top + 1; y < r.bottom; ++y)
      std::memcpy(screen.Row(y) + r.left, first, std::size_t(r.Width()) * 4);
  }
}

}  // namespace platform
