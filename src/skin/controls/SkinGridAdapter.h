// TSkinGridAdapter: names the grids of its form that should take the skin's
// look. It keeps the list only; the windows of this program name none.
#pragma once

#include <memory>
#include <string>

#include "component/Collection.h"
#include "component/Component.h"

namespace skin {

// One grid, by its component name.
class TSkinGridItem : public component::TCollectionItem {
 public:
  COMPONENT_CLASS_INFO()
  using TCollectionItem::TCollectionItem;

  std::string ControlName;
  std::string DisplayName() const override { return ControlName; }
};

class TSkinGridItems : public component::TOwnedCollection<TSkinGridItem> {
 public:
  COMPONENT_CLASS_INFO()
  using TOwnedCollection::TOwnedCollection;
};

class TSkinGridAdapter : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()
  explicit TSkinGridAdapter(component::TComponent* owner);
  ~TSkinGridAdapter() override;

  TSkinGridItems* Controls() const { return controls_.get(); }

 private:
  std::unique_ptr<TSkinGridItems> controls_;
};

}  // namespace skin
