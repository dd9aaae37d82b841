#include "skin/controls/SkinBevel.h"

#include "component/ClassBuilder.h"

namespace skin {

const component::TClassInfo& TSkinBevel::StaticClassInfo() {
  static const component::TClassInfo info =
      component::TClassBuilder<TSkinBevel, toolkit::TBevel>("TSkinBevel").Build();
  return info;
}

}  // namespace skin
