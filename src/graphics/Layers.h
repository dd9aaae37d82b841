// Layers over an image view: pictures drawn on the back buffer (or on the
// window, for GDI overlays) in collection order. The console creates none;
// the view keeps an empty collection and asks it when painting and when the
// mouse moves.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "component/Persistent.h"
#include "toolkit/Canvas.h"

namespace graphics {

class TPixelBitmap;

// Option bits of a layer.
constexpr std::uint32_t LayerVisible = 0x80000000u;
constexpr std::uint32_t LayerGDIOverlay = 0x00000040u;
constexpr std::uint32_t LayerMouseEvents = 0x00000020u;

class TCustomLayer : public component::TPersistent {
 public:
  std::uint32_t LayerOptions() const { return options_; }
  void SetLayerOptions(std::uint32_t v) { options_ = v; }
  bool Visible() const { return (options_ & LayerVisible) != 0; }

  // Draws on the back buffer.
  virtual void Paint(TPixelBitmap& buffer) { (void)buffer; }
  // Draws on the window, after the buffer was copied (LayerGDIOverlay).
  virtual void PaintGDI(toolkit::TCanvas& canvas) { (void)canvas; }
  // Whether a point of the view belongs to the layer.
  virtual bool HitTest(int x, int y) const {
    (void)x, (void)y;
    return false;
  }

 private:
  std::uint32_t options_ = LayerVisible;
};

class TLayerCollection {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TCustomLayer* Items(int index) const { return items_.at(index).get(); }
  // Takes ownership; returns the layer.
  TCustomLayer* Add(std::unique_ptr<TCustomLayer> layer);
  void Clear() { items_.clear(); }
  // The topmost visible layer taking mouse events at the point; null when none.
  TCustomLayer* LayerAt(int x, int y) const;
  bool MouseEvents() const;

 private:
  std::vector<std::unique_ptr<TCustomLayer>> items_;
};

}  // namespace graphics
