#include "app/AppIcon.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "component/Resource.h"
#include "platform/gdi/Bmp.h"
#include "platform/window/ApplicationIcon.h"

namespace app {

void InstallApplicationIcon() {
  std::vector<platform::SurfaceBuffer> sizes;
  for (int size : {16, 24, 32, 48, 64}) {
    auto data = component::FindResource("icons/sprintara-" + std::to_string(size) + ".png");
    if (!data) continue;
    platform::SurfaceBuffer picture;
    std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(data->data()),
                                        data->size());
    if (platform::ReadPngData(bytes, &picture, nullptr)) sizes.push_back(std::move(picture));
  }
  platform::SetApplicationIcon(std::move(sizes));
}

}  // namespace app
