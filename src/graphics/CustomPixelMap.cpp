#include "graphics/CustomPixelMap.h"

#include "component/ClassBuilder.h"

namespace graphics {

const component::TClassInfo& TCustomPixelMap::StaticClassInfo() {
  static const component::TClassInfo info =
      component::TClassBuilder<TCustomPixelMap, TLockedPersistent>("TCustomPixelMap")
          .Event("OnResize", &TCustomPixelMap::OnResize)
          .Build();
  return info;
}

bool TCustomPixelMap::SetSize(std::int32_t width, std::int32_t height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == width_ && height == height_) return false;
  ChangeSize(width, height);
  Changed();
  Resized();
  return true;
}

}  // namespace graphics
