// TCustomPixelMap: a rectangle of pixels with a size that changes through
// SetSize, which notifies OnChange and then OnResize.
#pragma once

#include <cstdint>

#include "graphics/LockedPersistent.h"

namespace graphics {

class TCustomPixelMap : public TLockedPersistent {
 public:
  COMPONENT_CLASS_INFO()

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  void SetWidth(std::int32_t v) { SetSize(v, height_); }
  void SetHeight(std::int32_t v) { SetSize(width_, v); }

  // Negative sizes count as 0. False, without a notification, when the size
  // stays; otherwise ChangeSize, Changed, Resized (OnChange before OnResize).
  virtual bool SetSize(std::int32_t width, std::int32_t height);
  // The same as SetSize(0, 0).
  virtual void Delete() { SetSize(0, 0); }
  virtual bool Empty() const { return width_ == 0 || height_ == 0; }

  toolkit::TNotifyEvent OnResize;

 protected:
  // Makes the new store and records the size.
  virtual void ChangeSize(std::int32_t width, std::int32_t height) {
    width_ = width;
    height_ = height;
  }
  virtual void Resized() {
    if (OnResize) OnResize(this);
  }

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace graphics
