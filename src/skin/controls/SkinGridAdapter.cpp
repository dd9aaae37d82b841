#include "skin/controls/SkinGridAdapter.h"

#include "component/ClassBuilder.h"

namespace skin {

using component::TClassBuilder;
using component::TClassInfo;

const TClassInfo& TSkinGridItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinGridItem, component::TCollectionItem>("TSkinGridItem")
          .Field("ControlName", &TSkinGridItem::ControlName)
          .Build();
  return info;
}

const TClassInfo& TSkinGridItems::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinGridItems, component::TCollection>("TSkinGridItems").Build();
  return info;
}

TSkinGridAdapter::TSkinGridAdapter(component::TComponent* owner)
    : TComponent(owner), controls_(std::make_unique<TSkinGridItems>(this)) {}

TSkinGridAdapter::~TSkinGridAdapter() = default;

const TClassInfo& TSkinGridAdapter::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinGridAdapter, component::TComponent>("TSkinGridAdapter")
          .Property("Controls", &TSkinGridAdapter::Controls)
          .Build();
  return info;
}

}  // namespace skin
