#include "graphics/Layers.h"

namespace graphics {

TCustomLayer* TLayerCollection::Add(std::unique_ptr<TCustomLayer> layer) {
  items_.push_back(std::move(layer));
  return items_.back().get();
}

TCustomLayer* TLayerCollection::LayerAt(int x, int y) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    const TCustomLayer& l = **it;
    if (l.Visible() && (l.LayerOptions() & LayerMouseEvents) && l.HitTest(x, y)) return it->get();
  }
  return nullptr;
}

bool TLayerCollection::MouseEvents() const {
  for (const auto& l : items_)
    if (l->LayerOptions() & LayerMouseEvents) return true;
  return false;
}

}  // namespace graphics
