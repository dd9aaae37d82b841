#include "platform/window/ApplicationIcon.h"

#include <algorithm>

namespace platform {

namespace {

std::vector<SurfaceBuffer>& Icons() {
  static std::vector<SurfaceBuffer> icons;
  return icons;
}

}  // namespace

void SetApplicationIcon(std::vector<SurfaceBuffer> sizes) {
  std::sort(sizes.begin(), sizes.end(),
            [](const SurfaceBuffer& a, const SurfaceBuffer& b) { return a.Width() < b.Width(); });
  Icons() = std::move(sizes);
}

Surface ApplicationIcon(int size) {
  std::vector<SurfaceBuffer>& icons = Icons();
  if (icons.empty()) return Surface{};
  for (SurfaceBuffer& icon : icons)
    if (icon.Width() >= size) return icon.View();
  return icons.back().View();
}

}  // namespace platform
